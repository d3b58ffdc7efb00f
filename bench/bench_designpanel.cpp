// The design panel over the generated page (gen_scene.py): refilling the
// panel with every shape selected, and an opacity drag over 1,000 selected
// shapes, each live step split into the values set by the slot and the
// repaint that shows them, then the final push as one step.
//
// The page comes from the generator named by LOOMDRAW_GEN_SCENE
// (/work/shared/bench/gen_scene.py by default), run once per page size.
#include "generatedwindow.h"

#include "app/mainwindow.h"
#include "commands/sketchcommandmanager.h"
#include "editor/sketchdocumentview.h"
#include "model/sketchdocument.h"
#include "model/sketchlayer.h"
#include "model/sketchshape.h"

#include <QDir>
#include <QImage>

#include <benchmark/benchmark.h>

#include <limits>
#include <map>
#include <memory>

namespace {

// A window with the generated page of `shapes` shapes open, its settings in
// a temporary home.
struct PanelPage : GeneratedWindow
{
    explicit PanelPage(int shapes)
        : GeneratedWindow(shapes, QSize(1200, 800))
    {
    }

    bool isReady() const { return hasShapes(); }

    // Selects the first `count` shapes of the document, layer by layer (all
    // for -1).
    void select(int count)
    {
        view->clearSelection();
        int left = count < 0 ? std::numeric_limits<int>::max() : count;
        for (SketchLayer *layer : view->document()->layers()) {
            for (SketchShape *shape : layer->shapes()) {
                if (left-- <= 0)
                    break;
                shape->setSelected(true);
            }
        }
        window->sketchViewSelectionChanged();
    }

    // The view's own paint of what it shows, as a repaint runs it.
    void repaint()
    {
        QImage image(view->size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        view->render(&image);
    }
};

PanelPage &page(int shapes)
{
    static std::map<int, std::unique_ptr<PanelPage>> pages;
    std::unique_ptr<PanelPage> &entry = pages[shapes];
    if (!entry)
        entry = std::make_unique<PanelPage>(shapes);
    return *entry;
}

// The page of the benchmark's shape count (its argument); null, with the
// benchmark skipped, when the generated page did not open.
PanelPage *readyPage(benchmark::State &state)
{
    PanelPage &p = page(static_cast<int>(state.range(0)));
    if (p.isReady())
        return &p;
    state.SkipWithError("the generated page did not open");
    return nullptr;
}

void BM_PanelRefreshAllSelected(benchmark::State &state)
{
    PanelPage *ready = readyPage(state);
    if (!ready)
        return;
    PanelPage &p = *ready;
    p.select(-1);
    for (auto _ : state)
        p.window->sketchViewSelectionChanged();
    state.counters["selected"] = p.view->selectedShapes().size();
}
BENCHMARK(BM_PanelRefreshAllSelected)->Arg(10000)->Unit(benchmark::kMillisecond);

// One live step: the values only (the slot schedules the repaint).
void BM_OpacityChangingValues(benchmark::State &state)
{
    PanelPage *ready = readyPage(state);
    if (!ready)
        return;
    PanelPage &p = *ready;
    p.select(1000);
    int value = 99;
    for (auto _ : state) {
        p.window->changingShapeOpacity(value);
        value = value > 1 ? value - 1 : 99;
    }
    p.window->changeShapeOpacity(value);
    p.view->commandManager()->undo();
    state.counters["selected"] = p.view->selectedInnerShapes().size();
}
BENCHMARK(BM_OpacityChangingValues)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// One live step with the repaint that shows it.
void BM_OpacityChangingWithRepaint(benchmark::State &state)
{
    PanelPage *ready = readyPage(state);
    if (!ready)
        return;
    PanelPage &p = *ready;
    p.select(1000);
    int value = 99;
    for (auto _ : state) {
        p.window->changingShapeOpacity(value);
        p.repaint();
        value = value > 1 ? value - 1 : 99;
    }
    p.window->changeShapeOpacity(value);
    p.view->commandManager()->undo();
}
BENCHMARK(BM_OpacityChangingWithRepaint)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The repaint alone, for the split of the figure above.
void BM_ViewRepaint(benchmark::State &state)
{
    PanelPage *ready = readyPage(state);
    if (!ready)
        return;
    PanelPage &p = *ready;
    for (auto _ : state)
        p.repaint();
    state.counters["width"] = p.view->width();
}
BENCHMARK(BM_ViewRepaint)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The release: one changing step untimed, then the push with its refresh.
void BM_OpacityFinalPush(benchmark::State &state)
{
    PanelPage *ready = readyPage(state);
    if (!ready)
        return;
    PanelPage &p = *ready;
    p.select(1000);
    int value = 50;
    for (auto _ : state) {
        state.PauseTiming();
        p.window->changingShapeOpacity(value);
        state.ResumeTiming();
        p.window->changeShapeOpacity(value);
        state.PauseTiming();
        p.view->commandManager()->undo();
        value = value == 50 ? 40 : 50;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpacityFinalPush)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
