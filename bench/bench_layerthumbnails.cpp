// The layers panel over the generated page (gen_scene.py) in the real main
// window (1600 x 1000): its repaint, a click on the current layer's row and
// its repaint after an edit of one shape, each followed until the event
// queue is empty and given in full repaints of the document view measured
// in the same process; and the resident memory of the 100,000-shape page
// shown at 200 % before and after a thumbnail is made anew and the page is
// exported.
//
// The argument of the timed benchmarks is the number of worker threads the
// renderer may use (0: the machine's). The page comes from the generator
// named by LOOMDRAW_GEN_SCENE (/work/shared/bench/gen_scene.py by default).
#include "generatedwindow.h"

#include "app/mainwindow.h"
#include "app/sketchlayercontrol.h"
#include "app/sketchlayerthumbnails.h"
#include "editor/sketchdocumentview.h"
#include "materials/sketchmaterial.h"
#include "model/sketchdocument.h"
#include "model/sketchlayer.h"
#include "model/sketchshape.h"
#include "skin/controls/skingridrow.h"
#include "skin/controls/skingridselection.h"
#include "skin/controls/skingridview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QThread>
#include <QThreadPool>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <memory>
#include <ctime>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

// Posted events, the repaints among them, and what they post in turn.
void emptyEventQueue()
{
    for (int pass = 0; pass < 4; ++pass) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

double residentMegabytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0.0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0) : 0.0;
}

// The processor time of the whole process, every worker thread's included,
// in milliseconds: the work done, a figure the machine's load hardly moves.
double cpuMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1.0e3 + now.tv_nsec / 1.0e6;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

void useThreads(int threads)
{
    QThreadPool::globalInstance()->setMaxThreadCount(threads > 0 ? threads : QThread::idealThreadCount());
}

struct WindowPage : GeneratedWindow
{
    SketchLayerControl *panel = nullptr;

    explicit WindowPage(int shapes)
        : GeneratedWindow(shapes, QSize(1600, 1000))
    {
        emptyEventQueue();
        view = window->currentDocumentView();
        panel = window->findChild<SketchLayerControl *>();
    }

    bool isReady() const { return hasShapes() && panel; }

    SkinGridView *grid() const { return panel->grid(); }

    // A whole repaint of the view, as its paint event runs it.
    void repaintView() { view->repaint(); }

    // The medians of a few whole repaints of the view, in milliseconds of
    // wall time and of the process's processor time.
    std::pair<double, double> viewRepaintMilliseconds()
    {
        std::vector<double> times;
        std::vector<double> cpu;
        for (int i = 0; i < 9; ++i) {
            QElapsedTimer timer;
            const double cpuStart = cpuMilliseconds();
            timer.start();
            repaintView();
            times.push_back(timer.nsecsElapsed() / 1.0e6);
            cpu.push_back(cpuMilliseconds() - cpuStart);
        }
        return {median(times), median(cpu)};
    }

    void clickCurrentRow()
    {
        const SkinGridRow *current = grid()->selection()->anchorGridRow();
        const int row = current ? current->index() : 0;
        const QPoint at = grid()->cellRect(3, row).center();
        QMouseEvent press(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grid(), &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(grid(), &release);
    }

    // A change of one shape's look, outside the history: the panel's
    // picture of its layer is out of date.
    void editOneShape(int step)
    {
        SketchShape *shape = view->currentLayer()->shapes().at(view->currentLayer()->shapes().size() / 2);
        shape->setFill(SkinBrush(step % 2 ? QColor(Qt::red) : QColor(Qt::blue)));
    }
};

// Kept for the process, and closed (their temporary homes removed) while
// the application is still there.
std::map<int, std::unique_ptr<WindowPage>> &pages()
{
    static std::map<int, std::unique_ptr<WindowPage>> *open = [] {
        auto *made = new std::map<int, std::unique_ptr<WindowPage>>;
        qAddPostRoutine([] { pages().clear(); });
        return made;
    }();
    return *open;
}

WindowPage &page(int shapes)
{
    std::unique_ptr<WindowPage> &entry = pages()[shapes];
    if (!entry)
        entry = std::make_unique<WindowPage>(shapes);
    return *entry;
}

WindowPage *readyPage(benchmark::State &state, int shapes)
{
    WindowPage &p = page(shapes);
    if (p.isReady())
        return &p;
    state.SkipWithError("the generated page did not open");
    return nullptr;
}

// Runs the action once per iteration and reports its median in full view
// repaints, measured before with the same threads.
template<typename Action>
void inViewRepaints(benchmark::State &state, WindowPage &p, const Action &action)
{
    useThreads(int(state.range(0)));
    p.view->setZoom(1.0f);
    emptyEventQueue();
    const std::pair<double, double> repaint = p.viewRepaintMilliseconds();
    std::vector<double> times;
    std::vector<double> cpu;
    int step = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        const double cpuStart = cpuMilliseconds();
        timer.start();
        action(step++);
        emptyEventQueue();
        times.push_back(timer.nsecsElapsed() / 1.0e6);
        cpu.push_back(cpuMilliseconds() - cpuStart);
    }
    state.counters["view_repaint_ms"] = repaint.first;
    state.counters["median_ms"] = median(times);
    state.counters["view_repaints"] = median(times) / repaint.first;
    state.counters["cpu_view_repaints"] = median(cpu) / repaint.second;
    state.counters["thumbnail_shapes"] = double(p.panel->thumbnails()->paintedShapeCount());
    useThreads(0);
}

void BM_LayerPanelRepaint(benchmark::State &state)
{
    if (WindowPage *p = readyPage(state, 10000))
        inViewRepaints(state, *p, [p](int) { p->grid()->repaint(); });
}
BENCHMARK(BM_LayerPanelRepaint)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_LayerPanelClickCurrentRow(benchmark::State &state)
{
    if (WindowPage *p = readyPage(state, 10000))
        inViewRepaints(state, *p, [p](int) { p->clickCurrentRow(); });
}
BENCHMARK(BM_LayerPanelClickCurrentRow)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// The edit itself costs nothing; the panel's repaint makes the layer's
// picture anew and repaints once more.
void BM_LayerPanelRepaintAfterEdit(benchmark::State &state)
{
    if (WindowPage *p = readyPage(state, 10000)) {
        inViewRepaints(state, *p, [p](int step) {
            p->editOneShape(step);
            p->grid()->repaint();
        });
    }
}
BENCHMARK(BM_LayerPanelRepaintAfterEdit)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// A thumbnail of the whole 10,000-shape layer made from nothing (a page
// just opened), beside the fitted paint of the layer that every repaint of
// the panel used to run.
void BM_LayerThumbnailFromNothing(benchmark::State &state)
{
    if (WindowPage *p = readyPage(state, 10000)) {
        inViewRepaints(state, *p, [p](int) {
            SketchLayerThumbnails thumbnails(nullptr);
            QImage cell(22, 22, QImage::Format_ARGB32_Premultiplied);
            QPainter painter(&cell);
            thumbnails.paint(&painter, QRectF(2, 2, 18, 18), p->view->currentLayer());
            thumbnails.makeWanted();
        });
    }
}
BENCHMARK(BM_LayerThumbnailFromNothing)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_LayerFittedPaint(benchmark::State &state)
{
    if (WindowPage *p = readyPage(state, 10000)) {
        inViewRepaints(state, *p, [p](int) {
            QImage cell(22, 22, QImage::Format_ARGB32_Premultiplied);
            QPainter painter(&cell);
            SketchMaterial::paintFitted(&painter, QRectF(2, 2, 18, 18), p->view->currentLayer()->shapes());
        });
    }
}
BENCHMARK(BM_LayerFittedPaint)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// Resident memory of the 100,000-shape page: loaded and shown (with its
// thumbnail), shown at 200 %, after a thumbnail made anew there, after an
// export at 200 % and after one at 800 %.
void BM_MemoryOfPaintsAt200Percent(benchmark::State &state)
{
    WindowPage *ready = readyPage(state, 100000);
    if (!ready)
        return;
    WindowPage &p = *ready;
    for (auto _ : state) {
        p.view->setZoom(1.0f);
        emptyEventQueue();
        state.counters["loaded_MB"] = residentMegabytes();
        p.view->setZoom(2.0f);
        p.repaintView();
        emptyEventQueue();
        state.counters["at_200_MB"] = residentMegabytes();
        p.editOneShape(1);
        p.grid()->repaint();
        emptyEventQueue();
        state.counters["thumbnail_MB"] = residentMegabytes();
        benchmark::DoNotOptimize(p.view->document()->renderToImage(false, QStringLiteral("PNG")).constBits());
        state.counters["export_MB"] = residentMegabytes();
        p.view->setZoom(8.0f);
        benchmark::DoNotOptimize(p.view->document()->renderToImage(false, QStringLiteral("PNG")).constBits());
        state.counters["export_800_MB"] = residentMegabytes();
        int kept = 0;
        double keptBytes = 0.0;
        for (const SketchShape *shape : p.view->currentLayer()->shapes()) {
            if (!shape->keepsOutline())
                continue;
            ++kept;
            // The points of the outline, each also an element of its path.
            keptBytes += double(shape->outline().size()) * double(sizeof(QPointF) + sizeof(QPainterPath::Element));
        }
        state.counters["outlines_kept"] = kept;
        state.counters["kept_outlines_MB"] = keptBytes / (1024.0 * 1024.0);
        // The magnified view keeps the outlines of what it shows; what the
        // thumbnail and the exports leave on top of that is the figure.
        state.counters["after_per_loaded"] = state.counters["export_800_MB"] / state.counters["loaded_MB"];
        state.counters["after_per_shown_200"] = state.counters["export_800_MB"] / state.counters["at_200_MB"];
        p.view->setZoom(1.0f);
    }
}
BENCHMARK(BM_MemoryOfPaintsAt200Percent)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
