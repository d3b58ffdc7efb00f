// The grid widget at the size of a long list panel: 3 columns by 10,000
// rows of text cells in a 300 x 600 view. Building it, laying it out,
// repainting the whole view and one wheel notch (with and without the
// repaint it asks for).
#include "skin/controls/skingridrow.h"
#include "skin/controls/skingridview.h"
#include "skin/windows/skintheme.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QWheelEvent>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

const int Columns = 3;
const int Rows = 10000;
const QSize ViewSize(300, 600);

std::unique_ptr<SkinGridView> buildGrid()
{
    auto grid = std::make_unique<SkinGridView>();
    for (int c = 0; c < Columns; ++c)
        grid->addColumn(QString("Column %1").arg(c + 1), 80, Qt::AlignLeft | Qt::AlignVCenter);
    for (int r = 0; r < Rows; ++r) {
        grid->addRow()->setText(QString::number(r + 1));
        for (int c = 0; c < Columns; ++c)
            grid->setCellText(c, r, QString("Item %1 of column %2").arg(r + 1).arg(c + 1));
    }
    grid->resize(ViewSize);
    grid->updateLayout(false);
    return grid;
}

SkinGridView &sharedGrid()
{
    static SkinGridView *grid = [] {
        setSkinThemeStyle(Black);
        SkinGridView *built = buildGrid().release(); // lives until the process ends
        built->scrollToRow(Rows / 2);
        return built;
    }();
    return *grid;
}

void repaint(SkinGridView &grid, QImage *image)
{
    grid.render(image);
}

void wheelNotch(SkinGridView &grid, int delta)
{
    QWheelEvent event(QPointF(100, 300), QPointF(100, 300), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&grid, &event);
}

void BM_GridBuild(benchmark::State &state)
{
    setSkinThemeStyle(Black);
    for (auto _ : state) {
        std::unique_ptr<SkinGridView> grid = buildGrid();
        benchmark::DoNotOptimize(grid.get());
        state.PauseTiming();
        grid.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_GridBuild)->Unit(benchmark::kMillisecond);

void BM_GridUpdateLayout(benchmark::State &state)
{
    SkinGridView &grid = sharedGrid();
    for (auto _ : state)
        grid.updateLayout(false);
}
BENCHMARK(BM_GridUpdateLayout)->Unit(benchmark::kMillisecond);

void BM_GridRepaint(benchmark::State &state)
{
    SkinGridView &grid = sharedGrid();
    QImage image(ViewSize, QImage::Format_ARGB32_Premultiplied);
    repaint(grid, &image); // warm the glyph cache
    for (auto _ : state) {
        repaint(grid, &image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_GridRepaint)->Unit(benchmark::kMillisecond);

// Alternating down and up, so the grid stays in the middle of the list.
void BM_GridWheelStep(benchmark::State &state)
{
    SkinGridView &grid = sharedGrid();
    int delta = -120;
    for (auto _ : state) {
        wheelNotch(grid, delta);
        delta = -delta;
    }
}
BENCHMARK(BM_GridWheelStep)->Unit(benchmark::kMillisecond);

void BM_GridWheelStepAndRepaint(benchmark::State &state)
{
    SkinGridView &grid = sharedGrid();
    QImage image(ViewSize, QImage::Format_ARGB32_Premultiplied);
    int delta = -120;
    for (auto _ : state) {
        wheelNotch(grid, delta);
        repaint(grid, &image);
        benchmark::DoNotOptimize(image.constBits());
        delta = -delta;
    }
}
BENCHMARK(BM_GridWheelStepAndRepaint)->Unit(benchmark::kMillisecond);

} // namespace
