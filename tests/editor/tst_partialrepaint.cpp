// A shown document view repaints only what a change alters, from the
// picture it keeps of the page. After each kind of change these tests let
// the view repaint as it asked to, take what it shows on the screen, and
// compare that with a repaint of the whole view from scratch; they also
// check how much of the view the change repainted.

#include "commands/sketchcommandadd.h"
#include "commands/sketchcommandmanager.h"
#include "commands/sketchcommandupdate.h"
#include "editor/sketchdocumentview.h"
#include "editor/sketchtool.h"
#include "model/sketchdocument.h"
#include "model/sketchgroup.h"
#include "model/sketchlayer.h"
#include "model/sketchpoint.h"
#include "model/sketchshape.h"

#include "support/crowdedpage.h"
#include "support/input.h"
#include "support/shapes.h"
#include "support/viewpictures.h"

#include <QPaintEvent>
#include <QScrollBar>
#include <QStandardPaths>
#include <QtTest>

using namespace viewpictures;

namespace {

const QSize PaperSize(842, 595);
const QSize ViewSize(700, 500);

// Every kind of change that the view repaints in part.
enum Change
{
    SelectByClick,
    ToggleWithControl,
    DeselectOnPaper,
    DragShape,
    Nudge,
    Recolour,
    Blur,
    Unblur,
    WiderStroke,
    NewText,
    HideLayerThenSelect,
    Undo,
    Redo,
    Delete,
    Add,
    RubberBand,
    WalkIntoGroup,
    WheelScroll,
    BarSteps,
    GradientPaperScroll,
    GridScroll,
    Zoom,
    SelectAll,
    BringToFront,
    PointToolHover,
    CutoffToolHover
};

// The union of the regions the widget's paint events exposed, and how many
// there were.
class PaintRecorder : public QObject
{
public:
    explicit PaintRecorder(QWidget *widget)
        : m_widget(widget)
    {
        widget->installEventFilter(this);
    }
    QRegion painted;
    int paints = 0;
    double share() const
    {
        qint64 pixels = 0;
        for (const QRect &rect : painted)
            pixels += qint64(rect.width()) * rect.height();
        return double(pixels) / (double(m_widget->width()) * m_widget->height());
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            painted += static_cast<QPaintEvent *>(event)->region();
            ++paints;
        }
        return false;
    }

private:
    QWidget *m_widget;
};

// Lets every repaint the view asked for happen.
void settle()
{
    for (int round = 0; round < 3; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

void sendWheel(QWidget *widget, const QPoint &pos, int delta, Qt::KeyboardModifiers modifiers)
{
    QWheelEvent event(QPointF(pos), QPointF(widget->mapToGlobal(pos)), QPoint(), QPoint(0, delta), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

// A point well inside the view where the view picks the shape; null when
// there is none.
QPoint pickingPoint(SketchDocumentView &view, SketchShape *shape)
{
    const QRect inside = view.rect().adjusted(40, 40, -60, -60);
    const QRectF box = shape->boundingRect();
    for (int step = 0; step < 25; ++step) {
        const QPointF own(box.left() + box.width() * (0.1 + 0.2 * (step % 5)),
                          box.top() + box.height() * (0.1 + 0.2 * (step / 5)));
        const QPoint at = view.shapeTransform(shape).map(own).toPoint();
        if (inside.contains(at) && view.shapeAt(at.x(), at.y()) == shape)
            return at;
    }
    return QPoint();
}

// The topmost shape of the layer (a group, or a shape without text, whose
// area a change repaints) that the view picks somewhere, and where.
SketchShape *pickableShape(SketchDocumentView &view, SketchLayer *layer, bool group, QPoint *at,
                           const QPoint &awayFrom = QPoint(), SketchShape *after = nullptr)
{
    const QList<SketchShape *> &shapes = layer->shapes();
    for (int i = (after ? shapes.indexOf(after) : shapes.size()) - 1; i >= 0; --i) {
        SketchShape *shape = shapes.at(i);
        if (shape->isGroup() != group || !shape->text().isEmpty())
            continue;
        const QPoint point = pickingPoint(view, shape);
        if (!point.isNull() && (awayFrom.isNull() || (point - awayFrom).manhattanLength() > 150)) {
            *at = point;
            return shape;
        }
    }
    return nullptr;
}



} // namespace

class TestPartialRepaint : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup();

    void changeRepaintsWhatItAlters_data();
    void changeRepaintsWhatItAlters();
    void changesOfEveryShapeRepaintOnce_data();
    void changesOfEveryShapeRepaintOnce();
    void unchangedToolAndFocusRepaintNothing();

private:
    // A crowded page of every kind of shape under a top layer of a few
    // covers, the view at 150 %, scrolled into the paper.
    void buildPage();
    void edit(SketchShape *shape, const std::function<void(SketchShape *)> &change);
    void prepare(int change);
    void apply(int change);
    // What the view shows of the page now, and after a repaint of all of it.
    QImage onScreen() { return shownPicture(*m_view); }
    QImage repaintedAfresh()
    {
        m_view->update();
        settle();
        return onScreen();
    }

    SketchDocumentView *m_view = nullptr;
    SketchLayer *m_covers = nullptr;
    SketchShape *m_target = nullptr;
    QPoint m_targetAt;
    SketchShape *m_other = nullptr;
    QPoint m_otherAt;
    SketchGroup *m_group = nullptr;
    SketchShape *m_lockedCover = nullptr;
    // Where a press finds only the cover of the locked layer: nothing to
    // select.
    QPoint lockedPoint() const
    {
        return m_view->shapeTransform(m_lockedCover).map(m_lockedCover->boundingRect().center()).toPoint();
    }
};

void TestPartialRepaint::init()
{
    m_view = new SketchDocumentView;
    m_view->resize(ViewSize);
    buildPage();
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view));
    settle();
}

void TestPartialRepaint::cleanup()
{
    delete m_view;
    m_view = nullptr;
}

void TestPartialRepaint::buildPage()
{
    SketchDocument *document = m_view->document();
    crowdedpage::fill(document, PaperSize, 120, 31);
    document->setPaperColor(SkinBrush(QColor(250, 248, 240)));
    m_view->setPaperBorder(SketchStroke(QColor(40, 40, 200), 3, SketchStrokeSquare));
    // The crowd leaves room under the middle of the locked cover below.
    SketchLayer *crowd = document->layers().first();
    const QRectF room(440, 320, 160, 80);
    const QList<SketchShape *> crowded = crowd->shapes();
    for (SketchShape *shape : crowded) {
        if (shape->boundingRect().adjusted(-20, -20, 20, 20).intersects(room)) {
            crowd->shapes().removeOne(shape);
            delete shape;
        }
    }
    // A small group on top of the crowd.
    SketchShape *left = addBox(crowd, 690, 300, 30, 30, QColor(240, 160, 20));
    SketchShape *right = addBox(crowd, 725, 310, 30, 25, QColor(20, 160, 240));
    m_group = groupShapes(crowd, {left, right});
    m_group->setSelected(false);
    m_group->setActiveHandle(SketchHandleNone);
    // Covers on a locked layer: a press there picks nothing to select.
    m_covers = new SketchLayer(document, QStringLiteral("covers"));
    document->layers().append(m_covers);
    addBox(m_covers, 120, 90, 160, 110, QColor(230, 230, 250))->setStroke(SketchStroke(Qt::darkGray, 2, 0));
    m_lockedCover = addBox(m_covers, 420, 300, 200, 120, QColor(220, 250, 230));
    m_covers->setLocked(true);
    m_view->setCurrentLayer(crowd, false);
    // The paper's far side shows, with room beyond it.
    m_view->setZoom(1.5f);
    m_view->updateScrollBars();
    m_view->horizontalScrollBar()->setValue(m_view->horizontalScrollBar()->maximum());
    m_view->verticalScrollBar()->setValue(m_view->verticalScrollBar()->maximum() / 2);
    SketchLayer *layer = document->layers().first();
    m_target = pickableShape(*m_view, layer, false, &m_targetAt);
    QVERIFY(m_target);
    m_other = pickableShape(*m_view, layer, false, &m_otherAt, m_targetAt, m_target);
    QVERIFY(m_other);
    QVERIFY(pageViewport(*m_view).adjusted(60, 60, -60, -60).contains(lockedPoint()));
    QCOMPARE(m_view->shapeAt(lockedPoint().x(), lockedPoint().y()), m_lockedCover);
}

// One change of a shape as one command, the way the design panel records it.
void TestPartialRepaint::edit(SketchShape *shape, const std::function<void(SketchShape *)> &change)
{
    auto *command = new SketchCommandUpdate(m_view, shape);
    change(shape);
    shape->updateBlurImage();
    m_view->commandManager()->push(command, QStringLiteral("edit"));
}

void TestPartialRepaint::prepare(int change)
{
    switch (change) {
    case ToggleWithControl:
    case DeselectOnPaper:
    case Nudge:
    case Delete:
    case DragShape:
    case BringToFront:
        clickAt(m_view, m_targetAt);
        break;
    case Unblur:
        edit(m_target, [](SketchShape *shape) { shape->setBlur(3); });
        break;
    case PointToolHover:
        m_view->setCurrentTool(SketchToolTypeCornerPoint, true);
        break;
    case CutoffToolHover:
        m_view->setCurrentTool(SketchToolTypeCutoff, true);
        break;
    case Undo:
    case Redo:
        clickAt(m_view, m_targetAt);
        dragFromTo(m_view, m_targetAt, m_targetAt + QPoint(37, 23));
        if (change == Redo)
            m_view->commandManager()->undo();
        break;
    default:
        break;
    }
    settle();
}

void TestPartialRepaint::apply(int change)
{
    SketchLayer *layer = m_view->document()->layers().first();
    switch (change) {
    case SelectByClick:
        clickAt(m_view, m_targetAt);
        clickAt(m_view, m_otherAt);
        break;
    case ToggleWithControl:
        clickAt(m_view, m_otherAt, Qt::ControlModifier);
        break;
    case DeselectOnPaper:
        clickAt(m_view, lockedPoint());
        break;
    case DragShape:
        // In steps longer than the margins round the shape.
        dragFromTo(m_view, m_targetAt, m_targetAt + QPoint(90, -60), Qt::NoModifier, 2);
        break;
    case Nudge:
        sendKey(m_view, Qt::Key_Right);
        sendKey(m_view, Qt::Key_Down);
        break;
    case Recolour:
        edit(m_target, [](SketchShape *shape) { shape->setFill(SkinBrush(QColor(10, 200, 30))); });
        break;
    case Blur:
        edit(m_target, [](SketchShape *shape) { shape->setBlur(4); });
        break;
    case Unblur:
        edit(m_target, [](SketchShape *shape) { shape->setBlur(0); });
        break;
    case WiderStroke:
        edit(m_target, [](SketchShape *shape) { shape->setStroke(SketchStroke(Qt::black, 14, SketchStrokeSquare)); });
        break;
    case NewText:
        edit(m_target, [](SketchShape *shape) {
            shape->setText(QStringLiteral("A long text that runs far out of its box"));
        });
        break;
    case HideLayerThenSelect:
        // As the layers panel hides one: the view is repainted whole.
        m_covers->setVisible(false);
        m_view->update();
        settle();
        clickAt(m_view, m_targetAt);
        break;
    case Undo:
        m_view->commandManager()->undo();
        break;
    case Redo:
        m_view->commandManager()->redo();
        break;
    case Delete:
        m_view->deleteSelection();
        break;
    case Add: {
        SketchShape *box = makeBox(layer, QRectF(200, 200, 40, 30));
        layer->shapes().removeOne(box);
        box->setFill(SkinBrush(QColor(200, 40, 40)));
        m_view->commandManager()->push(new SketchCommandAdd(m_view, box), QStringLiteral("add"));
        break;
    }
    case RubberBand: {
        // The band is shown while the button is still held.
        const QPoint from = lockedPoint();
        hoverAt(m_view, from);
        pressAt(m_view, from);
        moveTo(m_view, from + QPoint(60, 40));
        moveTo(m_view, from + QPoint(90, 50));
        break;
    }
    case WalkIntoGroup: {
        SketchShape *member = m_group->shapes().first();
        const QPoint at = m_view->shapeTransform(member).map(member->boundingRect().center()).toPoint();
        QCOMPARE(m_view->shapeAt(at.x(), at.y()), m_group);
        doubleClickAt(m_view, at);
        QVERIFY(member->isSelected());
        break;
    }
    case WheelScroll:
        sendWheel(m_view, m_view->rect().center(), -120, Qt::NoModifier);
        break;
    case BarSteps:
        for (int step = 0; step < 3; ++step)
            m_view->horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
        break;
    case GradientPaperScroll:
        m_view->setPaperColor(gradientBrush(SkinBrushLinear, QColor(250, 240, 200), QColor(120, 160, 220)));
        settle();
        sendWheel(m_view, m_view->rect().center(), 120, Qt::NoModifier);
        break;
    case GridScroll:
        m_view->setGridVisible(true);
        settle();
        sendWheel(m_view, m_view->rect().center(), -120, Qt::NoModifier);
        break;
    case Zoom:
        sendWheel(m_view, m_targetAt, 120, Qt::ControlModifier);
        break;
    case SelectAll:
        m_view->selectAll();
        break;
    case BringToFront:
        m_view->bringToFront();
        break;
    case PointToolHover:
    case CutoffToolHover: {
        // Over a point of each shape: the marker moves from one to the
        // other.
        for (SketchShape *shape : {m_target, m_other})
            hoverAt(m_view, m_view->shapeTransform(shape).map(qAsConst(*shape).points().first()->toPointF()));
        break;
    }
    default:
        QFAIL("unknown change");
    }
}

void TestPartialRepaint::changeRepaintsWhatItAlters_data()
{
    QTest::addColumn<int>("change");
    // The most of the view the change may repaint.
    QTest::addColumn<double>("share");

    QTest::newRow("select one shape, then another") << int(SelectByClick) << 0.15;
    QTest::newRow("Ctrl+click adds a shape") << int(ToggleWithControl) << 0.1;
    QTest::newRow("click on a locked layer deselects") << int(DeselectOnPaper) << 0.1;
    QTest::newRow("drag a shape") << int(DragShape) << 0.5;
    QTest::newRow("nudge with the arrow keys") << int(Nudge) << 0.15;
    QTest::newRow("recolour") << int(Recolour) << 0.1;
    QTest::newRow("blur") << int(Blur) << 0.15;
    QTest::newRow("take the blur away") << int(Unblur) << 0.15;
    QTest::newRow("wider mitred stroke") << int(WiderStroke) << 0.25;
    QTest::newRow("text running out of the box") << int(NewText) << 0.4;
    QTest::newRow("hide a layer, then select") << int(HideLayerThenSelect) << 1.0;
    QTest::newRow("undo a move") << int(Undo) << 0.25;
    QTest::newRow("redo a move") << int(Redo) << 0.25;
    QTest::newRow("delete") << int(Delete) << 0.1;
    QTest::newRow("add a shape") << int(Add) << 0.1;
    QTest::newRow("rubber band") << int(RubberBand) << 0.1;
    QTest::newRow("double click into a group") << int(WalkIntoGroup) << 0.3;
    QTest::newRow("wheel scroll") << int(WheelScroll) << 0.2;
    QTest::newRow("three steps of the bar") << int(BarSteps) << 0.1;
    QTest::newRow("scroll over a gradient paper") << int(GradientPaperScroll) << 1.0;
    QTest::newRow("scroll with the grid") << int(GridScroll) << 1.0;
    QTest::newRow("zoom") << int(Zoom) << 1.0;
    QTest::newRow("select all") << int(SelectAll) << 1.0;
    QTest::newRow("bring to front") << int(BringToFront) << 0.1;
    QTest::newRow("hover with the point tool") << int(PointToolHover) << 0.02;
    QTest::newRow("hover with the cut-off tool") << int(CutoffToolHover) << 0.02;
}

void TestPartialRepaint::changeRepaintsWhatItAlters()
{
    QFETCH(int, change);
    QFETCH(double, share);

    prepare(change);
    PaintRecorder recorder(m_view);
    apply(change);
    settle();
    const QImage partial = onScreen();
    QVERIFY2(recorder.share() <= share, qPrintable(QStringLiteral("repainted %1 of the view").arg(recorder.share())));
    const QImage whole = repaintedAfresh();
    // Qt shades a gradient from where each clipped span starts: a level
    // apart here and there.
    const QString fault = difference(partial, whole, pageViewport(*m_view), 1);
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
    releaseAt(m_view, m_view->rect().center());
}

// Changes of every shape, and of everything the view shows, repaint the
// view once, whatever else they notify.
void TestPartialRepaint::changesOfEveryShapeRepaintOnce_data()
{
    QTest::addColumn<int>("what");
    QTest::newRow("select all") << 0;
    QTest::newRow("recolour every shape") << 1;
    QTest::newRow("undo of that") << 2;
    QTest::newRow("zoom") << 3;
}

void TestPartialRepaint::changesOfEveryShapeRepaintOnce()
{
    QFETCH(int, what);
    const QList<SketchShape *> all = m_view->document()->layers().first()->shapes();
    if (what >= 1) {
        m_view->selectAll();
        settle();
    }
    if (what == 2) {
        auto *command = new SketchCommandUpdate(m_view, all);
        for (SketchShape *shape : all)
            shape->setOpacity(0.5f);
        m_view->commandManager()->push(command, QStringLiteral("opacity"));
        settle();
    }
    PaintRecorder recorder(m_view);
    switch (what) {
    case 0:
        m_view->selectAll();
        break;
    case 1: {
        auto *command = new SketchCommandUpdate(m_view, all);
        for (SketchShape *shape : all)
            shape->setFill(SkinBrush(QColor(90, 90, 200)));
        m_view->commandManager()->push(command, QStringLiteral("fill"));
        break;
    }
    case 2:
        m_view->commandManager()->undo();
        break;
    default:
        m_view->setZoom(2.0f);
        m_view->update();
        break;
    }
    settle();
    QCOMPARE(recorder.paints, 1);
    const QImage partial = onScreen();
    const QString fault = difference(partial, repaintedAfresh(), pageViewport(*m_view), 1);
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
}

// Choosing the tool that is current already (a click on the current
// layer's row does) and a change of focus show nothing new.
void TestPartialRepaint::unchangedToolAndFocusRepaintNothing()
{
    PaintRecorder recorder(m_view);
    m_view->setCurrentTool(SketchToolTypeSelect, true);
    QFocusEvent out(QEvent::FocusOut, Qt::OtherFocusReason);
    QApplication::sendEvent(m_view, &out);
    QFocusEvent in(QEvent::FocusIn, Qt::OtherFocusReason);
    QApplication::sendEvent(m_view, &in);
    settle();
    QCOMPARE(recorder.paints, 0);
}

QTEST_MAIN(TestPartialRepaint)
#include "tst_partialrepaint.moc"
