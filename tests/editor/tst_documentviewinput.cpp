// The document view's input routing, wheel and zoom, scroll bars and
// painting, and the zoom tool's step about a point.

#include "support/paintcounter.h"
#include "support/pixels.h"
#include "support/shapes.h"

#include "editor/sketchdocumentview.h"
#include "editor/sketchtool.h"
#include "editor/sketchtoolzoom.h"
#include "model/sketchdocument.h"
#include "model/sketchgroup.h"
#include "model/sketchlayer.h"
#include "skin/windows/skintheme.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextEdit>
#include <QWheelEvent>
#include <QStandardPaths>
#include <QtTest>

namespace {

// A tool that records what reaches it and paints a marker.
class RecordingTool : public SketchTool
{
public:
    explicit RecordingTool(SketchView *view) : SketchTool(view) {}
    QStringList events;
    bool repaintOnMove = false;
    QRect marker;

    void mousePressEvent(QMouseEvent *event) override
    {
        SketchTool::mousePressEvent(event);
        events << QStringLiteral("press");
    }
    bool mouseMoveEvent(QMouseEvent *event) override
    {
        SketchTool::mouseMoveEvent(event);
        events << QStringLiteral("move");
        return repaintOnMove;
    }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        SketchTool::mouseReleaseEvent(event);
        events << QStringLiteral("release");
    }
    void mouseDoubleClickEvent(QMouseEvent *) override { events << QStringLiteral("double"); }
    void keyPressEvent(QKeyEvent *) override { events << QStringLiteral("key"); }
    void keyReleaseEvent(QKeyEvent *) override { events << QStringLiteral("keyRelease"); }
    void paint(QPainter *painter) override
    {
        if (!marker.isEmpty())
            painter->fillRect(marker, Qt::green);
    }
};

void sendWheel(QWidget *widget, const QPointF &pos, int delta, Qt::KeyboardModifiers modifiers)
{
    QWheelEvent event(pos, widget->mapToGlobal(pos.toPoint()), QPoint(), QPoint(0, delta), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(widget, &event);
}

void sendMouse(QWidget *widget, QEvent::Type type, const QPoint &pos, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

void moveTo(QWidget *widget, const QPoint &pos, Qt::MouseButtons buttons = Qt::NoButton)
{
    sendMouse(widget, QEvent::MouseMove, pos, Qt::NoButton, buttons);
}

// What a real double click delivers: press, release, double click, release.
void doubleClick(QWidget *widget, const QPoint &pos)
{
    sendMouse(widget, QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton);
    sendMouse(widget, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton);
    sendMouse(widget, QEvent::MouseButtonDblClick, pos, Qt::LeftButton, Qt::LeftButton);
    sendMouse(widget, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton);
}

} // namespace

class TestDocumentViewInput : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup();

    void scrollBars_data();
    void scrollBars();
    void scrollBarsFollowZoomAndPaper();
    void scrollSetters();
    void barsMoveTheView();
    void resizeRebuildsTheSliceGrid();
    void wheelScrolls_data();
    void wheelScrolls();
    void ctrlWheelZoomsAboutThePointer_data();
    void ctrlWheelZoomsAboutThePointer();
    void zoomSteps_data();
    void zoomSteps();
    void zoomToolClicks();
    void zoomToolLeavesOffsetsWhenClamped();

    void unusableLayerPassesOnlyKeys();
    void movesNeedAPressUnlessHovering();
    void moveAsksForARepaint();
    void releaseNeedsTheMatchingPress();
    void doubleClickFollowsAPress();
    void rightClickMenu();
    void rightClickInsideTheEditorIsIgnored();

    void paintsPaperShadowShapesBorder();
    void transparentPaperShowsWhite();
    void gridStaysWhereItIs();
    void toolOverlayOnTop();
    void emptyPaperIsNotFilled();
    void partialRepaintMatchesFullRepaint_data();
    void partialRepaintMatchesFullRepaint();

private:
    RecordingTool *installRecorder(int type);

    SketchDocumentView *m_view = nullptr;
};

void TestDocumentViewInput::init()
{
    setSkinThemeStyle(Black);
    m_view = new SketchDocumentView;
    m_view->resize(600, 400);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view));
}

void TestDocumentViewInput::cleanup()
{
    delete m_view;
    m_view = nullptr;
}

RecordingTool *TestDocumentViewInput::installRecorder(int type)
{
    auto *tool = new RecordingTool(m_view);
    m_view->tools().insert(type, tool);
    m_view->setCurrentTool(type, false);
    return tool;
}

void TestDocumentViewInput::scrollBars_data()
{
    QTest::addColumn<QSize>("viewSize");
    QTest::addColumn<float>("zoom");
    QTest::addColumn<int>("hMaximum");
    QTest::addColumn<int>("vMaximum");

    // -1: the bar is hidden.
    QTest::newRow("both") << QSize(600, 400) << 1.0f << 292 << 245;
    QTest::newRow("none") << QSize(900, 650) << 1.0f << -1 << -1;
    QTest::newRow("exactly fits") << QSize(892, 645) << 1.0f << -1 << -1;
    QTest::newRow("horizontal only") << QSize(600, 700) << 1.0f << 292 << -1;
    QTest::newRow("vertical only") << QSize(1000, 400) << 1.0f << -1 << 245;
    QTest::newRow("zoomed") << QSize(600, 400) << 2.0f << 2 * 842 + 50 - 600 << 2 * 595 + 50 - 400;
    QTest::newRow("fractional") << QSize(300, 300) << 0.4f << int(0.4 * 842 + 50) - 300 << int(50 + 0.4 * 595) - 300;
}

void TestDocumentViewInput::scrollBars()
{
    QFETCH(QSize, viewSize);
    QFETCH(float, zoom);
    QFETCH(int, hMaximum);
    QFETCH(int, vMaximum);

    m_view->setZoom(zoom);
    m_view->resize(viewSize);
    QScrollBar *h = m_view->horizontalScrollBar();
    QScrollBar *v = m_view->verticalScrollBar();
    auto *corner = m_view->findChild<QWidget *>(QStringLiteral("ScrollCorner"));
    QCOMPARE(h->isHidden(), hMaximum < 0);
    QCOMPARE(v->isHidden(), vMaximum < 0);
    if (hMaximum >= 0) {
        QCOMPARE(h->maximum(), hMaximum);
        QCOMPARE(h->minimum(), 0);
        QCOMPARE(h->pageStep(), 100);
        QCOMPARE(h->geometry().bottom(), viewSize.height() - 1);
        QCOMPARE(h->geometry().left(), 0);
    }
    if (vMaximum >= 0) {
        QCOMPARE(v->maximum(), vMaximum);
        QCOMPARE(v->pageStep(), 200);
        QCOMPARE(v->geometry().right(), viewSize.width() - 1);
        QCOMPARE(v->geometry().top(), 0);
    }
    const bool both = hMaximum >= 0 && vMaximum >= 0;
    QCOMPARE(corner->isVisible(), both);
    if (both) {
        // The corner fills the square where the bars would cross.
        QCOMPARE(h->geometry().right() + 1, v->geometry().left());
        QCOMPARE(v->geometry().bottom() + 1, h->geometry().top());
        QCOMPARE(corner->geometry(), QRect(v->geometry().left(), h->geometry().top(), v->width(), h->height()));
    } else if (hMaximum >= 0) {
        QCOMPARE(h->geometry().right(), viewSize.width() - 1);
    } else if (vMaximum >= 0) {
        QCOMPARE(v->geometry().bottom(), viewSize.height() - 1);
    }
}

void TestDocumentViewInput::scrollBarsFollowZoomAndPaper()
{
    m_view->resize(1000, 700);
    QVERIFY(m_view->horizontalScrollBar()->isHidden());
    QSignalSpy zoomed(m_view, &SketchView::zoomChanged);
    m_view->setZoom(2.0f);
    QCOMPARE(zoomed.count(), 1);
    QVERIFY(!m_view->horizontalScrollBar()->isHidden());
    QCOMPARE(m_view->horizontalScrollBar()->maximum(), 2 * 842 + 50 - 1000);

    m_view->setZoom(1.0f);
    QVERIFY(m_view->horizontalScrollBar()->isHidden());
    m_view->setPaperSize(QSize(2000, 300));
    QVERIFY(!m_view->horizontalScrollBar()->isHidden());
    QVERIFY(m_view->verticalScrollBar()->isHidden());
    QCOMPARE(m_view->horizontalScrollBar()->maximum(), 2050 - 1000);
}

void TestDocumentViewInput::scrollSetters()
{
    QScrollBar *h = m_view->horizontalScrollBar();
    m_view->setScrollX(30, true);
    QCOMPARE(m_view->scrollX(), 0);

    QSignalSpy moved(h, &QScrollBar::valueChanged);
    m_view->setScrollX(-120, true);
    QCOMPARE(m_view->scrollX(), -120);
    QCOMPARE(h->value(), 120);
    QCOMPARE(moved.count(), 1);

    // Without updateBar the bar stays where it was.
    m_view->setScrollY(-70, false);
    QCOMPARE(m_view->scrollY(), -70);
    QCOMPARE(m_view->verticalScrollBar()->value(), 0);

    // A hidden bar is left alone.
    m_view->resize(1000, 700);
    QVERIFY(h->isHidden());
    QCOMPARE(m_view->scrollX(), 0);
    m_view->setScrollX(-10, true);
    QCOMPARE(h->value(), 0);
    QCOMPARE(m_view->scrollX(), -10);
}

void TestDocumentViewInput::barsMoveTheView()
{
    QCoreApplication::processEvents();
    PaintCounter paints(m_view);
    m_view->horizontalScrollBar()->setValue(150);
    m_view->verticalScrollBar()->setValue(90);
    QCOMPARE(m_view->scrollX(), -150);
    QCOMPARE(m_view->scrollY(), -90);
    QTRY_VERIFY(paints.count > 0);

    // Growing the view hides the bars and brings the paper back.
    m_view->resize(1000, 700);
    QCOMPARE(m_view->scrollX(), 0);
    QCOMPARE(m_view->scrollY(), 0);
}

void TestDocumentViewInput::resizeRebuildsTheSliceGrid()
{
    auto *view = new SketchDocumentView;
    QVERIFY(!view->document()->sliceGrid());
    view->resize(300, 300);
    view->show();
    QVERIFY(QTest::qWaitForWindowExposed(view));
    QVERIFY(view->document()->sliceGrid());
    delete view;
}

void TestDocumentViewInput::wheelScrolls_data()
{
    QTest::addColumn<QSize>("viewSize");
    QTest::addColumn<int>("delta");
    QTest::addColumn<int>("scrollX");
    QTest::addColumn<int>("scrollY");

    // Both bars start at 100.
    QTest::newRow("up") << QSize(600, 400) << 120 << -100 << -50;
    QTest::newRow("down") << QSize(600, 400) << -120 << -100 << -150;
    QTest::newRow("small delta is one step") << QSize(600, 400) << -1 << -100 << -150;
    QTest::newRow("zero scrolls down") << QSize(600, 400) << 0 << -100 << -150;
    QTest::newRow("horizontal only") << QSize(600, 700) << -120 << -150 << 0;
    QTest::newRow("no bars") << QSize(1000, 700) << -120 << 0 << 0;
}

void TestDocumentViewInput::wheelScrolls()
{
    QFETCH(QSize, viewSize);
    QFETCH(int, delta);
    QFETCH(int, scrollX);
    QFETCH(int, scrollY);

    m_view->resize(viewSize);
    if (!m_view->horizontalScrollBar()->isHidden())
        m_view->horizontalScrollBar()->setValue(100);
    if (!m_view->verticalScrollBar()->isHidden())
        m_view->verticalScrollBar()->setValue(100);
    sendWheel(m_view, QPointF(200, 150), delta, Qt::NoModifier);
    QCOMPARE(m_view->scrollX(), scrollX);
    QCOMPARE(m_view->scrollY(), scrollY);
    QCOMPARE(m_view->zoom(), 1.0f);
}

void TestDocumentViewInput::ctrlWheelZoomsAboutThePointer_data()
{
    QTest::addColumn<float>("startZoom");
    QTest::addColumn<int>("delta");
    QTest::addColumn<QPointF>("pointer");
    QTest::addColumn<float>("endZoom");

    QTest::newRow("in") << 1.0f << 120 << QPointF(300, 200) << 2.0f;
    QTest::newRow("in off centre") << 2.0f << 120 << QPointF(437.4, 123.6) << 3.0f;
    QTest::newRow("out") << 3.0f << -120 << QPointF(250, 180) << 2.0f;
    QTest::newRow("fine in") << 0.6f << 1 << QPointF(100, 100) << 0.8f;
}

void TestDocumentViewInput::ctrlWheelZoomsAboutThePointer()
{
    QFETCH(float, startZoom);
    QFETCH(int, delta);
    QFETCH(QPointF, pointer);
    QFETCH(float, endZoom);

    m_view->resize(300, 250);
    m_view->setZoom(startZoom);
    // Room to scroll on both sides of the pointer.
    m_view->horizontalScrollBar()->setValue(m_view->horizontalScrollBar()->maximum() / 2);
    m_view->verticalScrollBar()->setValue(m_view->verticalScrollBar()->maximum() / 2);
    const QPointF rounded(qRound(pointer.x()), qRound(pointer.y()));
    const QPointF paper = m_view->mapToDocument(rounded);
    const int scrollX = m_view->scrollX();

    sendWheel(m_view, pointer, delta, Qt::ControlModifier);
    QVERIFY(qAbs(m_view->zoom() - endZoom) < 1e-5);
    const QPointF shown = m_view->mapFromDocument(paper);
    QVERIFY2(qAbs(shown.x() - rounded.x()) <= 1.0 && qAbs(shown.y() - rounded.y()) <= 1.0,
             qPrintable(QStringLiteral("%1,%2").arg(shown.x()).arg(shown.y())));
    // The bars went along.
    QCOMPARE(m_view->horizontalScrollBar()->value(), -m_view->scrollX());
    QCOMPARE(m_view->verticalScrollBar()->value(), -m_view->scrollY());

    // A zero delta does nothing at all.
    const float zoom = m_view->zoom();
    const int x = m_view->scrollX();
    sendWheel(m_view, pointer, 0, Qt::ControlModifier);
    QCOMPARE(m_view->zoom(), zoom);
    QCOMPARE(m_view->scrollX(), x);
    Q_UNUSED(scrollX)
}

void TestDocumentViewInput::zoomSteps_data()
{
    QTest::addColumn<float>("start");
    QTest::addColumn<bool>("zoomIn");
    QTest::addColumn<QList<float>>("steps");

    QTest::newRow("in from 1") << 1.0f << true << QList<float>{2, 3, 4, 5, 6, 7, 8, 8};
    QTest::newRow("out from 1") << 1.0f << false << QList<float>{0.8f, 0.6f, 0.4f, 0.2f, 0.2f};
    QTest::newRow("out from 3") << 3.0f << false << QList<float>{2, 1, 0.8f};
    QTest::newRow("in from 0.8") << 0.8f << true << QList<float>{1, 2};
    QTest::newRow("in from 0.2") << 0.2f << true << QList<float>{0.4f, 0.6f, 0.8f, 1.0f, 2.0f};
}

void TestDocumentViewInput::zoomSteps()
{
    QFETCH(float, start);
    QFETCH(bool, zoomIn);
    QFETCH(QList<float>, steps);

    m_view->setZoom(start);
    auto *tool = qobject_cast<SketchToolZoom *>(
        m_view->tools().value(zoomIn ? SketchToolTypeZoomIn : SketchToolTypeZoomOut));
    QVERIFY(tool);
    for (float expected : steps) {
        tool->zoomStep(QPointF(10, 10));
        QVERIFY2(qAbs(m_view->zoom() - expected) < 1e-5, qPrintable(QString::number(m_view->zoom())));
    }
}

void TestDocumentViewInput::zoomToolClicks()
{
    m_view->setCurrentTool(SketchToolTypeZoomIn, true);
    QSignalSpy zoomed(m_view, &SketchView::zoomChanged);
    QTest::mouseClick(m_view, Qt::LeftButton, Qt::NoModifier, QPoint(100, 80));
    QCOMPARE(m_view->zoom(), 2.0f);
    QCOMPARE(zoomed.count(), 1);
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeZoomIn));
    // The clicked paper point (100, 80) stays under the pointer.
    QCOMPARE(m_view->mapFromDocument(QPointF(100, 80)), QPointF(100, 80));

    QTest::mouseClick(m_view, Qt::RightButton, Qt::NoModifier, QPoint(100, 80));
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeSelect));
    QCOMPARE(m_view->zoom(), 2.0f);
}

void TestDocumentViewInput::zoomToolLeavesOffsetsWhenClamped()
{
    m_view->setZoom(8.0f);
    m_view->horizontalScrollBar()->setValue(500);
    m_view->verticalScrollBar()->setValue(400);
    auto *tool = qobject_cast<SketchToolZoom *>(m_view->tools().value(SketchToolTypeZoomIn));
    tool->zoomAt(9.0f, QPointF(123, 77));
    QCOMPARE(m_view->zoom(), 8.0f);
    QCOMPARE(m_view->scrollX(), -500);
    QCOMPARE(m_view->scrollY(), -400);
}

void TestDocumentViewInput::unusableLayerPassesOnlyKeys()
{
    RecordingTool *tool = installRecorder(SketchToolTypeSelect);
    m_view->currentLayer()->setLocked(true);
    QTest::mousePress(m_view, Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
    QCOMPARE(m_view->pressedButton(), Qt::LeftButton);
    moveTo(m_view, QPoint(60, 60), Qt::LeftButton);
    QTest::mouseRelease(m_view, Qt::LeftButton, Qt::NoModifier, QPoint(60, 60));
    doubleClick(m_view, QPoint(60, 60));
    QCOMPARE(m_view->pressedButton(), Qt::NoButton);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::ShiftModifier);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::ShiftModifier);
    QCoreApplication::sendEvent(m_view, &press);
    QCoreApplication::sendEvent(m_view, &release);
    QCOMPARE(tool->events, (QStringList{"key", "keyRelease"}));
    QCOMPARE(m_view->keyboardModifiers(), Qt::ShiftModifier);

    tool->events.clear();
    m_view->currentLayer()->setLocked(false);
    m_view->currentLayer()->setVisible(false);
    QTest::mouseClick(m_view, Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
    QVERIFY(tool->events.isEmpty());

    m_view->setCurrentLayer(nullptr, false);
    QTest::mouseClick(m_view, Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
    QVERIFY(tool->events.isEmpty());
}

void TestDocumentViewInput::movesNeedAPressUnlessHovering()
{
    RecordingTool *rect = installRecorder(SketchToolTypeRect);
    moveTo(m_view, QPoint(40, 40));
    moveTo(m_view, QPoint(45, 40));
    QVERIFY(rect->events.isEmpty());
    QTest::mousePress(m_view, Qt::LeftButton, Qt::NoModifier, QPoint(45, 40));
    moveTo(m_view, QPoint(50, 40), Qt::LeftButton);
    QTest::mouseRelease(m_view, Qt::LeftButton, Qt::NoModifier, QPoint(50, 40));
    QCOMPARE(rect->events, (QStringList{"press", "move", "release"}));
    QCOMPARE(m_view->lastPressPos(), QPointF(45, 40));

    auto *fresh = new SketchDocumentView;
    fresh->resize(300, 300);
    fresh->show();
    QVERIFY(QTest::qWaitForWindowExposed(fresh));
    auto *select = new RecordingTool(fresh);
    fresh->tools().insert(SketchToolTypeSelect, select);
    moveTo(fresh, QPoint(30, 30));
    moveTo(fresh, QPoint(31, 30));
    QCOMPARE(select->events, (QStringList{"move", "move"}));
    delete fresh;
}

void TestDocumentViewInput::moveAsksForARepaint()
{
    RecordingTool *tool = installRecorder(SketchToolTypeSelect);
    moveTo(m_view, QPoint(40, 40));
    QCoreApplication::processEvents();
    PaintCounter paints(m_view);
    moveTo(m_view, QPoint(42, 40));
    QCoreApplication::processEvents();
    QCOMPARE(paints.count, 0);
    QCOMPARE(tool->events, (QStringList{"move", "move"}));
    tool->repaintOnMove = true;
    moveTo(m_view, QPoint(44, 40));
    QTRY_VERIFY(paints.count > 0);
}

void TestDocumentViewInput::releaseNeedsTheMatchingPress()
{
    RecordingTool *text = installRecorder(SketchToolTypeText);
    // Arm the view first: the corner press must be refused on its own merit.
    QTest::mouseClick(m_view, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    text->events.clear();

    auto *corner = m_view->findChild<QWidget *>(QStringLiteral("ScrollCorner"));
    QVERIFY(corner->isVisible());
    // The corner is a child widget: reach the view itself as a press that
    // lands on the corner's square would (the corner lets the press through
    // to its parent).
    const QPoint onCorner = corner->geometry().center();
    sendMouse(m_view, QEvent::MouseButtonPress, onCorner, Qt::LeftButton, Qt::LeftButton);
    QCOMPARE(m_view->pressedButton(), Qt::LeftButton);
    sendMouse(m_view, QEvent::MouseButtonRelease, onCorner, Qt::LeftButton, Qt::NoButton);
    QVERIFY(text->events.isEmpty());
    QCOMPARE(m_view->pressedButton(), Qt::NoButton);

    // A stray release with no press at all.
    sendMouse(m_view, QEvent::MouseButtonRelease, QPoint(30, 30), Qt::LeftButton, Qt::NoButton);
    QVERIFY(text->events.isEmpty());

    // A press taken while the layer was locked is not finished later.
    m_view->currentLayer()->setLocked(true);
    sendMouse(m_view, QEvent::MouseButtonPress, QPoint(30, 30), Qt::LeftButton, Qt::LeftButton);
    m_view->currentLayer()->setLocked(false);
    sendMouse(m_view, QEvent::MouseButtonRelease, QPoint(30, 30), Qt::LeftButton, Qt::NoButton);
    QVERIFY(text->events.isEmpty());
}

void TestDocumentViewInput::doubleClickFollowsAPress()
{
    RecordingTool *tool = installRecorder(SketchToolTypeSelect);
    doubleClick(m_view, QPoint(70, 70));
    // The second click arrives as a double click, which is also a press.
    QCOMPARE(tool->events, (QStringList{"press", "release", "press", "double", "release"}));

    tool->events.clear();
    auto *corner = m_view->findChild<QWidget *>(QStringLiteral("ScrollCorner"));
    sendMouse(m_view, QEvent::MouseButtonDblClick, corner->geometry().center(), Qt::LeftButton, Qt::LeftButton);
    QVERIFY(tool->events.isEmpty());
}

void TestDocumentViewInput::rightClickMenu()
{
    QMenu menu;
    menu.addAction(QStringLiteral("Paste"));
    m_view->setContextMenu(&menu);
    RecordingTool *select = installRecorder(SketchToolTypeSelect);
    QTest::mousePress(m_view, Qt::RightButton, Qt::NoModifier, QPoint(100, 100));
    QCOMPARE(select->events, QStringList{"press"});
    QTRY_VERIFY(menu.isVisible());
    menu.hide();
    QTest::mouseRelease(m_view, Qt::RightButton, Qt::NoModifier, QPoint(100, 100));

    RecordingTool *rect = installRecorder(SketchToolTypeRect);
    QTest::mousePress(m_view, Qt::RightButton, Qt::NoModifier, QPoint(100, 100));
    QCOMPARE(rect->events, QStringList{"press"});
    QCoreApplication::processEvents();
    QVERIFY(!menu.isVisible());
    QTest::mouseRelease(m_view, Qt::RightButton, Qt::NoModifier, QPoint(100, 100));

    // With the layer locked the menu still opens for the select tool.
    m_view->setCurrentTool(SketchToolTypeSelect, false);
    m_view->currentLayer()->setLocked(true);
    select->events.clear();
    QTest::mousePress(m_view, Qt::RightButton, Qt::NoModifier, QPoint(100, 100));
    QVERIFY(select->events.isEmpty());
    QTRY_VERIFY(menu.isVisible());
    menu.hide();
    QTest::mouseRelease(m_view, Qt::RightButton, Qt::NoModifier, QPoint(100, 100));
}

void TestDocumentViewInput::rightClickInsideTheEditorIsIgnored()
{
    RecordingTool *select = installRecorder(SketchToolTypeSelect);
    QTextEdit *editor = m_view->textEditor();
    editor->setGeometry(50, 50, 200, 100);
    editor->show();
    QCursor::setPos(m_view->mapToGlobal(QPoint(100, 100)));
    if (!editor->rect().contains(editor->mapFromGlobal(QCursor::pos())))
        QSKIP("This platform does not move the pointer.");
    sendMouse(m_view, QEvent::MouseButtonPress, QPoint(100, 100), Qt::RightButton, Qt::RightButton);
    QVERIFY(select->events.isEmpty());
    QCOMPARE(m_view->pressedButton(), Qt::NoButton);
    QVERIFY(!editor->isHidden());
}

void TestDocumentViewInput::paintsPaperShadowShapesBorder()
{
    m_view->setStyleSheet(skinStyleSheet);
    m_view->resize(1000, 700); // the whole paper, no bars
    m_view->setZoom(0.5f);
    addBox(m_view->currentLayer(), 100, 100, 200, 100, Qt::red);
    const QImage image = m_view->grab().toImage();

    // Paper 421 x 298 (rounded) from the top-left corner.
    QVERIFY(sameColor(image, 30, 30, Qt::white));
    QVERIFY(sameColor(image, 100, 75, Qt::red));
    QVERIFY(sameColor(image, 45, 45, Qt::white));
    // The border: black, one pixel, along the paper's edges.
    QVERIFY(sameColor(image, 0, 100, Qt::black));
    QVERIFY(sameColor(image, 420, 100, Qt::black));
    QVERIFY(sameColor(image, 100, 297, Qt::black));
    // The drop shadow right of and below the paper, offset by its size.
    const QColor shadow = image.pixelColor(423, 150);
    QVERIFY(sameColor(image, 150, 300, shadow));
    QVERIFY(!sameColor(image, 423, 150, Qt::white, 20));
    QVERIFY(!sameColor(image, 423, 150, skinDocumentViewColor, 4));
    // Around it, the theme's background.
    QVERIFY(sameColor(image, 700, 500, skinDocumentViewColor));
    QVERIFY(sameColor(image, 423, 2, skinDocumentViewColor));

    // Scrolled and zoomed, the shape moves with the paper.
    m_view->resize(600, 400);
    m_view->setZoom(2.0f);
    m_view->horizontalScrollBar()->setValue(150);
    m_view->verticalScrollBar()->setValue(170);
    const QImage scrolled = m_view->grab().toImage();
    QVERIFY(sameColor(scrolled, 100 * 2 - 150 + 5, 100 * 2 - 170 + 5, Qt::red));
    QVERIFY(sameColor(scrolled, 100 * 2 - 150 - 5, 100 * 2 - 170 + 5, Qt::white));
}

void TestDocumentViewInput::transparentPaperShowsWhite()
{
    m_view->setPaperColor(SkinBrush::transparentBrush());
    QVERIFY(sameColor(m_view->grab().toImage(), 100, 100, Qt::white));
    m_view->setPaperColor(SkinBrush(QColor(0, 0, 200)));
    QVERIFY(sameColor(m_view->grab().toImage(), 100, 100, QColor(0, 0, 200)));
}

void TestDocumentViewInput::gridStaysWhereItIs()
{
    QVERIFY(sameColor(m_view->grab().toImage(), 25, 60, Qt::white));
    m_view->setGridVisible(true);
    QImage image = m_view->grab().toImage();
    QVERIFY(sameColor(image, 25, 60, Qt::lightGray, 2));
    QVERIFY(sameColor(image, 60, 50, Qt::lightGray, 2));
    QVERIFY(sameColor(image, 60, 60, Qt::white));
    m_view->horizontalScrollBar()->setValue(13);
    m_view->verticalScrollBar()->setValue(7);
    image = m_view->grab().toImage();
    QVERIFY(sameColor(image, 25, 60, Qt::lightGray, 2));
    QVERIFY(sameColor(image, 60, 50, Qt::lightGray, 2));
}

void TestDocumentViewInput::toolOverlayOnTop()
{
    addBox(m_view->currentLayer(), 0, 0, 200, 200, Qt::red);
    RecordingTool *tool = installRecorder(SketchToolTypeSelect);
    tool->marker = QRect(50, 50, 10, 10);
    const QImage image = m_view->grab().toImage();
    QVERIFY(sameColor(image, 55, 55, Qt::green));
    QVERIFY(sameColor(image, 75, 75, Qt::red));
}

void TestDocumentViewInput::emptyPaperIsNotFilled()
{
    m_view->setStyleSheet(skinStyleSheet);
    m_view->setPaperSize(QSize(0, 0));
    const QImage image = m_view->grab().toImage();
    QVERIFY(sameColor(image, 100, 100, skinDocumentViewColor));
}

void TestDocumentViewInput::partialRepaintMatchesFullRepaint_data()
{
    QTest::addColumn<float>("zoom");
    QTest::addColumn<int>("scroll");
    QTest::newRow("zoom 1") << 1.0f << 0;
    QTest::newRow("zoom 3 scrolled") << 3.0f << 200;
    QTest::newRow("zoom 0.4") << 0.4f << 0;
    QTest::newRow("zoom 8") << 8.0f << 350;
}

// Shapes whose outline lies outside a small repaint can still paint into it
// (long text, blur, handles, group members); skipping them must never change
// a pixel.
void TestDocumentViewInput::partialRepaintMatchesFullRepaint()
{
    QFETCH(float, zoom);
    QFETCH(int, scroll);

    SketchLayer *layer = m_view->currentLayer();
    SketchShape *text = addBox(layer, 60, 60, 30, 20);
    text->setText(QStringLiteral("A long text that runs well out of its little box on every side of it"));
    SketchShape *blurred = addBox(layer, 200, 60, 40, 40, Qt::blue);
    blurred->setBlur(3);
    SketchShape *selected = addBox(layer, 300, 60, 40, 40, Qt::yellow);
    selected->setSelected(true);
    selected->stroke().setWidth(6);
    SketchShape *turned = addBox(layer, 400, 60, 60, 10, Qt::green);
    turned->setRotatePoint(QPointF(430, 65));
    turned->setRotateAngle(0.125f);
    auto *group = new SketchGroup(layer);
    SketchShape *member = addBox(layer, 60, 200, 20, 20, Qt::magenta);
    member->setText(QStringLiteral("Member text that also runs out of its box"));
    SketchShape *partner = addBox(layer, 120, 230, 20, 20, Qt::cyan);
    group->shapes() << member << partner;
    group->attachShapes();
    layer->shapes().append(group);
    SketchShape *vertical = addBox(layer, 250, 200, 20, 20);
    vertical->setAlign(3);
    vertical->setText(QStringLiteral("Columns\nof\nvertical\ntext"));

    m_view->setZoom(zoom);
    if (!m_view->horizontalScrollBar()->isHidden())
        m_view->horizontalScrollBar()->setValue(scroll);
    const QSize size = m_view->size();
    QImage full(size, QImage::Format_ARGB32);
    full.fill(Qt::black);
    m_view->render(&full);

    for (int y = 0; y < size.height(); y += 37) {
        for (int x = 0; x < size.width(); x += 53) {
            const QRect tile(x, y, 53, 37);
            QImage part(size, QImage::Format_ARGB32);
            part.fill(Qt::black);
            m_view->render(&part, tile.topLeft(), QRegion(tile));
            const QRect inside = tile & QRect(QPoint(0, 0), size);
            for (int py = inside.top(); py <= inside.bottom(); ++py) {
                for (int px = inside.left(); px <= inside.right(); ++px) {
                    if (full.pixel(px, py) != part.pixel(px, py))
                        QFAIL(qPrintable(QStringLiteral("pixel %1,%2 differs").arg(px).arg(py)));
                }
            }
        }
    }
}

QTEST_MAIN(TestDocumentViewInput)
#include "tst_documentviewinput.moc"
