// The main window (offscreen, 1600 x 1000) over the generated crowded page:
// each action a user takes is timed until the event queue is empty, the
// repaints it posts included, and set against one full repaint of the view
// measured in the same process and state. The whole list runs twice, on
// the global thread pool as it is and then on one thread, and reports
// medians; it asserts nothing.
//
//     bench_interaction [shapes=10000] [repetitions=15] [part of action names]
//
// The page comes from the generator named by LOOMDRAW_GEN_SCENE
// (/work/shared/bench/gen_scene.py by default). The opening of the page is
// also set against the whole-process export of the same page by the
// Loomdraw program beside this one (LOOMDRAW_PROGRAM names another).
#include "app/mainwindow.h"
#include "app/sketchlayercontrol.h"
#include "commands/sketchcommandmanager.h"
#include "commands/sketchcommandupdate.h"
#include "editor/sketchdocumentview.h"
#include "materials/sketchmateriallibrary.h"
#include "model/sketchdocument.h"
#include "model/sketchlayer.h"
#include "model/sketchshape.h"
#include "skin/controls/skingridview.h"
#include "skin/controls/skinslider.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>
#include <QProcess>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <QThreadPool>
#include <QWheelEvent>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

const QSize WindowSize(1600, 1000);

// Time spent in the paint events of watched widgets (and their children).
class TimingApplication : public QApplication
{
public:
    using QApplication::QApplication;

    void watch(QWidget *widget) { m_watched = widget; }
    qint64 watchedPaintNanoseconds() const { return m_paintNanoseconds; }
    // The paint events of the document views, and the share of their
    // pixels they exposed.
    int viewPaints() const { return m_viewPaints; }
    // The paint events of the watched grid of rows.
    int watchedPaints() const { return m_watchedPaints; }
    qint64 viewPaintNanoseconds() const { return m_viewNanoseconds; }
    double viewPaintedShare() const { return m_viewPainted; }
    void resetWatch()
    {
        m_paintNanoseconds = 0;
        m_watchedPaints = 0;
        m_viewPaints = 0;
        m_viewPainted = 0.0;
        m_viewNanoseconds = 0;
    }

    bool notify(QObject *receiver, QEvent *event) override
    {
        auto *view = qobject_cast<SketchDocumentView *>(receiver);
        if (event->type() == QEvent::Paint && view) {
            ++m_viewPaints;
            qint64 pixels = 0;
            for (const QRect &rect : static_cast<QPaintEvent *>(event)->region())
                pixels += qint64(rect.width()) * rect.height();
            m_viewPainted += double(pixels) / (double(view->width()) * view->height());
            QElapsedTimer timer;
            timer.start();
            const bool result = QApplication::notify(receiver, event);
            m_viewNanoseconds += timer.nsecsElapsed();
            return result;
        }
        if (event->type() != QEvent::Paint || !m_watched || !isWatched(receiver))
            return QApplication::notify(receiver, event);
        QElapsedTimer timer;
        timer.start();
        const bool result = QApplication::notify(receiver, event);
        m_paintNanoseconds += timer.nsecsElapsed();
        // The layer rows, thumbnails included, are the grid's paint.
        if (receiver->inherits("SkinGridView"))
            ++m_watchedPaints;
        return result;
    }

private:
    bool isWatched(QObject *object) const
    {
        for (; object; object = object->parent()) {
            if (object == m_watched)
                return true;
        }
        return false;
    }

    QWidget *m_watched = nullptr;
    qint64 m_paintNanoseconds = 0;
    int m_watchedPaints = 0;
    int m_viewPaints = 0;
    double m_viewPainted = 0.0;
    qint64 m_viewNanoseconds = 0;
};

TimingApplication *timingApp()
{
    return static_cast<TimingApplication *>(QCoreApplication::instance());
}

// Runs every posted event, timer and repaint until nothing is left to do.
void settle()
{
    QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance();
    int idleRounds = 0;
    for (int round = 0; round < 10000 && idleRounds < 2; ++round) {
        QCoreApplication::sendPostedEvents();
        idleRounds = dispatcher->processEvents(QEventLoop::AllEvents) ? 0 : idleRounds + 1;
    }
}

double milliseconds(const QElapsedTimer &timer)
{
    return timer.nsecsElapsed() / 1e6;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : 0.5 * (values[middle - 1] + values[middle]);
}

QString loadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("?");
    return QString::fromLatin1(file.readAll()).section(QLatin1Char(' '), 0, 2);
}

void sendMouse(QWidget *widget, QEvent::Type type, const QPoint &pos, Qt::MouseButton button,
               Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QMouseEvent event(type, QPointF(pos), QPointF(widget->mapToGlobal(pos)), button, buttons, modifiers);
    QApplication::sendEvent(widget, &event);
}

void click(QWidget *widget, const QPoint &pos)
{
    sendMouse(widget, QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton);
    sendMouse(widget, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton);
}

void wheel(QWidget *widget, const QPoint &pos, int delta, Qt::KeyboardModifiers modifiers)
{
    QWheelEvent event(QPointF(pos), QPointF(widget->mapToGlobal(pos)), QPoint(), QPoint(0, delta), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

// One action's figures: total time until idle, and the part of it spent
// painting the view and the layers panel.
struct Sample
{
    double total = 0.0;
    double panelPaint = 0.0;
    int panelPaints = 0;
    int viewPaints = 0;
    double viewPainted = 0.0;
    double viewPaint = 0.0;
};

Sample sample(const QElapsedTimer &timer)
{
    return {milliseconds(timer), timingApp()->watchedPaintNanoseconds() / 1e6, timingApp()->watchedPaints(),
            timingApp()->viewPaints(), timingApp()->viewPaintedShare(), timingApp()->viewPaintNanoseconds() / 1e6};
}

struct Row
{
    QString name;
    double limit; // in full view repaints; 0 for none
    std::vector<Sample> samples;
    double reference = 0.0; // ms of one full repaint of the page as it was
    // ms of one full repaint of the page as the last action left it (a
    // selected or translucent page costs more to paint); 0 where not taken.
    double after = 0.0;
};

class Bench
{
public:
    // Only the actions whose names hold `only` are measured.
    Bench(int shapes, int repetitions, const QString &only)
        : m_shapes(shapes)
        , m_repetitions(repetitions)
        , m_only(only)
    {
    }

    bool setUp()
    {
        if (!m_home.isValid())
            return false;
        qputenv("HOME", QFile::encodeName(m_home.path()));
        for (const char *name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
            qputenv(name, QFile::encodeName(m_home.filePath(QString::fromLatin1(name))));
        QStandardPaths::setTestModeEnabled(true);
        SketchMaterialLibrary::setFolders(m_home.filePath(QStringLiteral("program")),
                                          m_home.filePath(QStringLiteral("library")));
        QString generator = qEnvironmentVariable("LOOMDRAW_GEN_SCENE");
        if (generator.isEmpty())
            generator = QStringLiteral("/work/shared/bench/gen_scene.py");
        const QString base = m_home.filePath(QStringLiteral("page"));
        QProcess::execute(QStringLiteral("python3"), {generator, QString::number(m_shapes), base});
        m_page = base + QStringLiteral(".slf");
        if (!QFile::exists(m_page))
            return false;

        m_window = std::make_unique<MainWindow>();
        m_window->resize(WindowSize);
        m_window->show();
        settle();
        m_window->openFiles({m_page});
        settle();
        m_view = m_window->currentDocumentView();
        m_layers = m_window->findChild<SketchLayerControl *>(QStringLiteral("layerControl"));
        m_opacity = m_window->findChild<SkinSlider *>(QStringLiteral("opacitySlider"));
        m_selectAll = m_window->findChild<QAction *>(QStringLiteral("actionSelectAll"));
        m_undo = m_window->findChild<QAction *>(QStringLiteral("actionUndo"));
        if (!m_view || !m_layers || !m_opacity || !m_selectAll || !m_undo || m_view->shapeCount() != m_shapes)
            return false;
        timingApp()->watch(m_layers);
        return findClickTargets();
    }

    void run(const QString &mode)
    {
        m_rows.clear();
        showWholePage();
        const double wholePage = fullRepaint();
        measure(QStringLiteral("click selecting one shape"), 0.25, wholePage, [this](int i) {
            click(m_view, m_targets[size_t(i % 2)]);
        }, [this](int i) {
            if (i == 0)
                deselect();
        });
        measure(QStringLiteral("hover over a shape"), 0.1, wholePage, [this](int i) {
            sendMouse(m_view, QEvent::MouseMove, m_targets[size_t(i % 2)], Qt::NoButton, Qt::NoButton);
        });
        measure(QStringLiteral("select all"), 1.0, wholePage, [this](int) { m_selectAll->trigger(); },
                [this](int) { deselect(); });
        measure(QStringLiteral("live opacity of all selected"), 1.5, wholePage, [this](int i) {
            emit m_opacity->valueChanging(i % 2 ? 40 : 60);
        }, [this](int i) {
            if (i == 0) {
                m_selectAll->trigger();
                emit m_opacity->valueChanging(50);
            }
        });
        emit m_opacity->valueAccepted(50);
        settle();
        measure(QStringLiteral("undo of that change"), 1.5, wholePage, [this](int) { m_undo->trigger(); },
                [this](int i) {
                    m_selectAll->trigger();
                    emit m_opacity->valueChanging(i % 2 ? 40 : 60);
                    emit m_opacity->valueAccepted(i % 2 ? 40 : 60);
                });
        deselect();
        measure(QStringLiteral("zoom step (Ctrl+wheel)"), 1.5, wholePage, [this](int i) {
            wheel(m_view, m_view->rect().center(), i % 2 ? -120 : 120, Qt::ControlModifier);
        });
        showWholePage();
        measure(QStringLiteral("click on the current layer's row"), 0.1, wholePage, [this](int) {
            click(m_layers->grid(), currentLayerRowPoint());
        });
        measurePanelAfterEdit(wholePage);
        measureOpening(wholePage);

        // Scrolling needs a page larger than the view.
        m_view->setZoom(2.0f);
        settle();
        const double magnified = fullRepaint();
        measure(QStringLiteral("scroll: three single steps of the bar"), 0.5, magnified, [this](int i) {
            QScrollBar *bar = m_view->verticalScrollBar();
            for (int step = 0; step < 3; ++step)
                bar->triggerAction(i % 2 ? QAbstractSlider::SliderSingleStepSub : QAbstractSlider::SliderSingleStepAdd);
        });
        measure(QStringLiteral("scroll: one wheel notch (50 px)"), 0.5, magnified, [this](int i) {
            wheel(m_view, m_view->rect().center(), i % 2 ? 120 : -120, Qt::NoModifier);
        });
        showWholePage();
        report(mode, wholePage, magnified);
    }

    double exportSeconds() const
    {
        QString program = qEnvironmentVariable("LOOMDRAW_PROGRAM");
        if (program.isEmpty())
            program = QCoreApplication::applicationDirPath() + QStringLiteral("/../app/Loomdraw");
        if (!QFile::exists(program))
            return 0.0;
        std::vector<double> times;
        const QString image = m_home.filePath(QStringLiteral("export.png"));
        for (int i = 0; i < 5; ++i) {
            QElapsedTimer timer;
            timer.start();
            QProcess::execute(program, {QStringLiteral("-exportimage"), m_page, image});
            times.push_back(milliseconds(timer));
        }
        return median(times);
    }

private:
    void showWholePage()
    {
        m_view->setZoom(1.0f);
        m_view->horizontalScrollBar()->setValue(0);
        m_view->verticalScrollBar()->setValue(0);
        m_view->update();
        settle();
    }

    double fullRepaint(int repetitions = 0)
    {
        settle();
        std::vector<double> times;
        for (int i = 0; i < (repetitions > 0 ? repetitions : m_repetitions); ++i) {
            QElapsedTimer timer;
            timer.start();
            m_view->repaint();
            times.push_back(milliseconds(timer));
        }
        return median(times);
    }

    void deselect()
    {
        m_view->clearSelection();
        m_view->onSelectionChanged();
        m_view->update();
        settle();
    }

    // Two shapes of the current layer far apart, each the one the view
    // picks at its centre.
    bool findClickTargets()
    {
        const QList<SketchShape *> &shapes = m_view->currentLayer()->shapes();
        const QRect quarters[2] = {QRect(QPoint(0, 0), m_view->size() / 3),
                                   QRect(QPoint(m_view->width() / 2, m_view->height() / 3), m_view->size() / 4)};
        for (int target = 0; target < 2; ++target) {
            for (SketchShape *shape : shapes) {
                const QPoint centre = m_view->mapFromDocument(shape->boundingRect().center()).toPoint();
                if (quarters[target].contains(centre) && m_view->shapeAt(centre.x(), centre.y()) == shape) {
                    m_targets.push_back(centre);
                    break;
                }
            }
        }
        return m_targets.size() == 2;
    }

    QPoint currentLayerRowPoint() const
    {
        const QList<SketchLayer *> &layers = m_view->document()->layers();
        const int row = layers.size() - 1 - layers.indexOf(m_view->currentLayer());
        return m_layers->grid()->cellRect(m_layers->grid()->columnCount() - 1, row).center();
    }

    void measure(const QString &name, double limit, double reference, const std::function<void(int)> &action,
                 const std::function<void(int)> &prepare = {})
    {
        if (!name.contains(m_only))
            return;
        Row row{name, limit, {}, reference};
        for (int i = 0; i < m_repetitions; ++i) {
            if (prepare)
                prepare(i);
            settle();
            timingApp()->resetWatch();
            QElapsedTimer timer;
            timer.start();
            action(i);
            settle();
            row.samples.push_back(sample(timer));
        }
        row.after = fullRepaint(3);
        m_rows.push_back(row);
    }

    // One shape moved by one step of the history, the panel's paint alone.
    void measurePanelAfterEdit(double reference)
    {
        const QString name = QStringLiteral("layers panel repaint after one shape's edit");
        if (!name.contains(m_only))
            return;
        SketchShape *shape = m_view->currentLayer()->shapes().first();
        Row row{name, 0.25, {}, reference};
        Row editing{QStringLiteral("  (the whole edit of one shape)"), 0.0, {}, reference};
        for (int i = 0; i < m_repetitions; ++i) {
            settle();
            timingApp()->resetWatch();
            QElapsedTimer timer;
            timer.start();
            auto *command = new SketchCommandUpdate(m_view, shape);
            shape->translate(i % 2 ? -1.0f : 1.0f, 0.0f);
            m_view->commandManager()->push(command, QStringLiteral("moveSelection"));
            settle();
            Sample whole = sample(timer);
            row.samples.push_back({whole.panelPaint, whole.panelPaint, whole.panelPaints, 0, 0.0, 0.0});
            editing.samples.push_back(whole);
        }
        m_rows.push_back(row);
        m_rows.push_back(editing);
    }

    void measureOpening(double reference)
    {
        const QString name = QStringLiteral("opening the page as a new tab until painted");
        if (!name.contains(m_only))
            return;
        Row row{name, 3.0, {}, reference};
        for (int i = 0; i < m_repetitions; ++i) {
            const QString copy = m_home.filePath(QStringLiteral("copy%1.slf").arg(i));
            QFile::remove(copy);
            QFile::copy(m_page, copy);
            settle();
            timingApp()->resetWatch();
            QElapsedTimer timer;
            timer.start();
            m_window->openFiles({copy});
            settle();
            row.samples.push_back(sample(timer));
            m_window->closeCurView();
            settle();
        }
        m_openingMs = median(totals(row));
        m_rows.push_back(row);
    }

    static std::vector<double> totals(const Row &row)
    {
        std::vector<double> values;
        for (const Sample &sample : row.samples)
            values.push_back(sample.total);
        return values;
    }

    void report(const QString &mode, double wholePage, double magnified) const
    {
        QTextStream out(stdout);
        out << "\n== " << mode << " (" << QThreadPool::globalInstance()->maxThreadCount() << " pool threads, "
            << QThread::idealThreadCount() << " cores, load " << loadAverage() << ")\n";
        out << QStringLiteral("full view repaint: %1 ms at zoom 1, %2 ms at zoom 2 (view %3 x %4)\n")
                   .arg(wholePage, 0, 'f', 1)
                   .arg(magnified, 0, 'f', 1)
                   .arg(m_view->width())
                   .arg(m_view->height());
        out << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9\n")
                   .arg(QStringLiteral("action"), -46)
                   .arg(QStringLiteral("median ms"), 10)
                   .arg(QStringLiteral("repaints"), 9)
                   .arg(QStringLiteral("limit"), 6)
                   .arg(QStringLiteral("as left"), 8)
                   .arg(QStringLiteral("panel ms"), 9)
                   .arg(QStringLiteral("(paints)"), 8)
                   .arg(QStringLiteral("view ms"), 8)
                   .arg(QStringLiteral("view paints (share)"), 20);
        out << QStringLiteral("(repaints: against the full repaint of the page as it was; as left: against "
                              "one of the page as the action left it)\n");
        for (const Row &row : m_rows) {
            std::vector<double> panel;
            std::vector<double> view;
            std::vector<double> paints;
            std::vector<double> painted;
            std::vector<double> panelPaints;
            for (const Sample &sample : row.samples) {
                panel.push_back(sample.panelPaint);
                panelPaints.push_back(sample.panelPaints);
                view.push_back(sample.viewPaint);
                paints.push_back(sample.viewPaints);
                painted.push_back(sample.viewPainted);
            }
            const double total = median(totals(row));
            out << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9 (%10)\n")
                       .arg(row.name, -46)
                       .arg(total, 10, 'f', 2)
                       .arg(total / row.reference, 9, 'f', 3)
                       .arg(row.limit > 0 ? QString::number(row.limit) : QString(), 6)
                       .arg(row.after > 0 ? QString::number(total / row.after, 'f', 3) : QString(), 8)
                       .arg(median(panel), 9, 'f', 2)
                       .arg(median(panelPaints), 8, 'f', 0)
                       .arg(median(view), 8, 'f', 2)
                       .arg(median(paints), 12, 'f', 0)
                       .arg(median(painted), 0, 'f', 3);
        }
        out.flush();
    }

public:
    double openingMs() const { return m_openingMs; }

private:
    int m_shapes;
    int m_repetitions;
    QString m_only;
    QTemporaryDir m_home;
    QString m_page;
    std::unique_ptr<MainWindow> m_window;
    SketchDocumentView *m_view = nullptr;
    SketchLayerControl *m_layers = nullptr;
    SkinSlider *m_opacity = nullptr;
    QAction *m_selectAll = nullptr;
    QAction *m_undo = nullptr;
    std::vector<QPoint> m_targets;
    std::vector<Row> m_rows;
    double m_openingMs = 0.0;
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TimingApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const int shapes = arguments.size() > 1 ? arguments.at(1).toInt() : 10000;
    const int repetitions = arguments.size() > 2 ? qMax(1, arguments.at(2).toInt()) : 15;
    const QString only = arguments.value(3);

    Bench bench(shapes, repetitions, only);
    if (!bench.setUp()) {
        std::fprintf(stderr, "bench_interaction: the generated page did not open\n");
        return 1;
    }
    const int threads = QThreadPool::globalInstance()->maxThreadCount();
    bench.run(QStringLiteral("parallel"));
    const double parallelOpening = bench.openingMs();
    QThreadPool::globalInstance()->setMaxThreadCount(1);
    bench.run(QStringLiteral("single-threaded"));
    QThreadPool::globalInstance()->setMaxThreadCount(threads);

    const double exportMs = bench.exportSeconds();
    QTextStream out(stdout);
    if (exportMs > 0) {
        out << QStringLiteral("\nwhole-process export of the page: %1 ms (median of 5); opening until painted: "
                              "%2x it (parallel), %3x (single-threaded); load %4\n")
                   .arg(exportMs, 0, 'f', 0)
                   .arg(parallelOpening / exportMs, 0, 'f', 2)
                   .arg(bench.openingMs() / exportMs, 0, 'f', 2)
                   .arg(loadAverage());
    }
    return 0;
}
