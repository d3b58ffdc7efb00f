// Cost of rebuilding the slice grid, which the document does on every resize
// of its view and after every slice edit.
#include "model/sketchslice.h"
#include "model/sketchslicegrid.h"

#include <QRandomGenerator>

#include <benchmark/benchmark.h>

namespace {

const QSize Paper(842, 595);

// Slices laid out as a page designer would: a table of separate cells.
QList<SketchSlice *> tiledSlices(int count)
{
    QList<SketchSlice *> slices;
    const int columns = 20;
    for (int i = 0; i < count; ++i) {
        SketchSlice *slice = new SketchSlice(nullptr);
        slice->setRect(QRect(4 + (i % columns) * 42, 4 + (i / columns) * 58, 36, 50));
        slices.append(slice);
    }
    return slices;
}

// The worst case in practice: slices everywhere, overlapping, each adding
// edges of its own, so the grid has about 400 x 400 cells.
QList<SketchSlice *> scatteredSlices(int count)
{
    QRandomGenerator random(7);
    QList<SketchSlice *> slices;
    for (int i = 0; i < count; ++i) {
        SketchSlice *slice = new SketchSlice(nullptr);
        slice->setRect(QRect(random.bounded(-20, Paper.width()), random.bounded(-20, Paper.height()),
                             random.bounded(5, 200), random.bounded(5, 200)));
        slices.append(slice);
    }
    return slices;
}

// As the document does it: drop the old grid and automatic slices, build anew.
void rebuild(benchmark::State &state, const QList<SketchSlice *> &slices)
{
    SketchSliceGrid *grid = nullptr;
    QList<SketchSlice *> autoSlices;
    for (auto _ : state) {
        delete grid;
        qDeleteAll(autoSlices);
        autoSlices.clear();
        grid = SketchSliceGrid::build(Paper, slices, nullptr, &autoSlices);
        benchmark::DoNotOptimize(grid);
    }
    state.counters["cells"] = grid ? grid->cells().count() : 0;
    state.counters["autoSlices"] = autoSlices.count();
    delete grid;
    qDeleteAll(autoSlices);
}

void BM_SliceGridTiled(benchmark::State &state)
{
    const QList<SketchSlice *> slices = tiledSlices(int(state.range(0)));
    rebuild(state, slices);
    qDeleteAll(slices);
}

void BM_SliceGridScattered(benchmark::State &state)
{
    const QList<SketchSlice *> slices = scatteredSlices(int(state.range(0)));
    rebuild(state, slices);
    qDeleteAll(slices);
}

} // namespace

BENCHMARK(BM_SliceGridTiled)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SliceGridScattered)->Arg(200)->Unit(benchmark::kMillisecond);
