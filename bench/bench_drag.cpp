// Dragging with the select tool over the generated crowded page: one mouse
// move of a 1,000-shape selection with the repaint it causes, and the press
// and release on a page whose every shape is selected.
#include "bench/generatedpage.h"

#include "commands/sketchcommandmanager.h"
#include "editor/sketchdocumentview.h"
#include "model/sketchlayer.h"
#include "model/sketchshape.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

namespace {

// Room for the whole paper with its margin at zoom 1, so no bar shows.
const QSize ViewSize(900, 650);

void sendMouse(QWidget *view, QEvent::Type type, const QPoint &pos, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(pos), QPointF(view->mapToGlobal(pos)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(view, &event);
}

struct DragPage
{
    SketchDocumentView view;
    QPoint grip;

    DragPage()
    {
        generatedpage::fillLayer(view.currentLayer());
        view.resize(ViewSize);
        repaint();
    }

    // Selects every step-th shape counted from the top, and finds a point
    // where the view picks one of them.
    void select(int step)
    {
        view.clearSelection();
        const QList<SketchShape *> &shapes = view.currentLayer()->shapes();
        for (int i = shapes.size() - 1; i >= 0; i -= step) {
            shapes.at(i)->setSelected(true);
            shapes.at(i)->setActiveHandle(SketchHandleInside);
        }
        for (int i = shapes.size() - 1; i >= 0; i -= step) {
            const QPoint centre = view.mapFromDocument(shapes.at(i)->boundingRect().center()).toPoint();
            if (view.shapeAt(centre.x(), centre.y()) == shapes.at(i)) {
                grip = centre;
                return;
            }
        }
    }

    void press() { sendMouse(&view, QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton); }
    void move(const QPoint &pos) { sendMouse(&view, QEvent::MouseMove, pos, Qt::NoButton, Qt::LeftButton); }
    void release(const QPoint &pos) { sendMouse(&view, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton); }
    // The whole view painted, as the window system asks after a move.
    void repaint()
    {
        QImage image(ViewSize, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        view.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
};

DragPage &page()
{
    static DragPage *instance = new DragPage; // lives until the process ends
    return *instance;
}

// One move of 1,000 selected shapes by a pixel, then the repaint of the view.
void BM_DragMoveThousandSelected(benchmark::State &state)
{
    DragPage &p = page();
    p.select(10);
    p.press();
    // The first move opens the drag command; the loop measures the moves
    // that follow it.
    QPoint pos = p.grip + QPoint(1, 0);
    p.move(pos);
    int direction = 1;
    for (auto _ : state) {
        direction = -direction;
        pos += QPoint(direction, 0);
        p.move(pos);
        p.repaint();
    }
    p.release(pos);
    state.counters["selected"] = double(p.view.selectedShapeCount());
}
BENCHMARK(BM_DragMoveThousandSelected)->Unit(benchmark::kMillisecond);

// The same move without the repaint: what the tool itself costs.
void BM_DragMoveThousandSelectedNoPaint(benchmark::State &state)
{
    DragPage &p = page();
    p.select(10);
    p.press();
    QPoint pos = p.grip + QPoint(1, 0);
    p.move(pos);
    int direction = 1;
    for (auto _ : state) {
        direction = -direction;
        pos += QPoint(direction, 0);
        p.move(pos);
    }
    p.release(pos);
}
BENCHMARK(BM_DragMoveThousandSelectedNoPaint)->Unit(benchmark::kMillisecond);

// The first move of the 1,000-shape selection with its repaint: it opens the
// drag command and takes the pictures the later moves are painted from.
void BM_FirstMoveThousandSelected(benchmark::State &state)
{
    DragPage &p = page();
    p.select(10);
    for (auto _ : state) {
        p.press();
        p.move(p.grip + QPoint(1, 0));
        p.repaint();
        state.PauseTiming();
        p.release(p.grip + QPoint(1, 0));
        p.view.commandManager()->undo();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FirstMoveThousandSelected)->Unit(benchmark::kMillisecond)->Iterations(5);

// A click on a page where all 10,000 shapes are selected: press and release
// without a move, which must not copy the selection.
void BM_ClickWithEverythingSelected(benchmark::State &state)
{
    DragPage &p = page();
    p.select(1);
    for (auto _ : state) {
        p.press();
        p.release(p.grip);
    }
    state.counters["selected"] = double(p.view.selectedShapeCount());
}
BENCHMARK(BM_ClickWithEverythingSelected)->Unit(benchmark::kMillisecond);

// The first move after that press, which copies the selection for undo.
void BM_FirstMoveWithEverythingSelected(benchmark::State &state)
{
    DragPage &p = page();
    p.select(1);
    for (auto _ : state) {
        p.press();
        p.move(p.grip + QPoint(1, 0));
        state.PauseTiming();
        p.release(p.grip + QPoint(1, 0));
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FirstMoveWithEverythingSelected)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
