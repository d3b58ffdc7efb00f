// The slice tool: drawing with validation and snapping, moving and resizing
// by handles, hover, cancelling, Delete, and the slice overlay that the slice
// and zoom tools paint.
#include "support/history.h"
#include "support/input.h"
#include "support/paintcounter.h"
#include "support/pixels.h"
#include "support/shapes.h"

#include "commands/sketchcommandmanager.h"
#include "commands/sketchcommandupdate.h"
#include "editor/sketchdocumentview.h"
#include "editor/sketchtool.h"
#include "editor/sketchtoolslice.h"
#include "model/sketchdocument.h"
#include "model/sketchgroup.h"
#include "model/sketchlayer.h"
#include "model/sketchshape.h"
#include "model/sketchslice.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QTimer>
#include <QStandardPaths>
#include <QtTest>

// An edit of the view's selection, for a table of edits.
using ViewEdit = void (SketchDocumentView::*)();
Q_DECLARE_METATYPE(ViewEdit)

class TestSliceTool : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup();

    void drawnSliceSnapsToThePaperOrigin();
    void clickOrBackwardDragRecordsNothing_data();
    void clickOrBackwardDragRecordsNothing();
    void edgesSnapToNeighbours_data();
    void edgesSnapToNeighbours();
    void overlapNeedsASharedLeftOrTopEdge_data();
    void overlapNeedsASharedLeftOrTopEdge();
    void drawingOnAnAutomaticSliceStartsANewOne();
    void cancelWhileDrawingTakesTheSliceBack_data();
    void cancelWhileDrawingTakesTheSliceBack();
    void takesBackOnlyItsOwnAddSlice_data();
    void takesBackOnlyItsOwnAddSlice();

    void moveRecordsOneHandleSlice();
    void escapeWhileMovingRestores();
    void resizeByAHandle();
    void leftHandleStopsAtTheMinimumWidth();
    void hoverKeepsTheSliceWhoseHandleIsUnderThePointer();
    void hoverOverASliceShowsNoHandle();
    void arrowKeysDoNothing();

    void readOutWaitsForAStillPressWithoutModifiers();
    void deleteRemovesOnlySelectedHandDrawnSlices();
    void noSliceWithoutAUsableLayerOrAnotherTool_data();
    void noSliceWithoutAUsableLayerOrAnotherTool();

    void shapeEditsWaitWhileSlicing_data();
    void shapeEditsWaitWhileSlicing();
    void overlayShowsTheSlices_data();
    void overlayShowsTheSlices();

private:
    SketchToolSlice *tool() const
    {
        return static_cast<SketchToolSlice *>(m_view->tools().value(SketchToolTypeSlice));
    }
    SketchDocument *document() const { return m_view->document(); }
    void useSliceTool()
    {
        m_view->setCurrentTool(SketchToolTypeSlice, true);
        tool()->reset();
    }
    SketchSlice *addSlice(const QRect &rect, bool selected = false)
    {
        auto *slice = new SketchSlice(document());
        slice->setRect(rect);
        slice->setSelected(selected);
        document()->slices().append(slice);
        document()->updateSliceGrid();
        return slice;
    }
    // The view passes hover moves to the slice tool only after its first
    // press, as the pointer would have given one: a right click arms it.
    void arm()
    {
        pressAt(m_view, QPoint(900, 700), Qt::NoModifier, Qt::RightButton);
        releaseAt(m_view, QPoint(900, 700), Qt::NoModifier, Qt::RightButton);
    }
    // Hover to the start first, as a real pointer does.
    void drag(const QPoint &from, const QPoint &to)
    {
        moveTo(m_view, from, Qt::NoButton);
        dragFromTo(m_view, from, to);
    }
    QList<QRect> sliceRects() const
    {
        QList<QRect> rects;
        for (const SketchSlice *slice : document()->slices())
            rects.append(slice->rect());
        return rects;
    }
    int undoCount() const { return m_view->commandManager()->undoCount(); }
    int redoCount() const { return m_view->commandManager()->redoCount(); }

    SketchDocumentView *m_view = nullptr;
};

void TestSliceTool::init()
{
    m_view = new SketchDocumentView;
    m_view->resize(1000, 800);
    m_view->show();
    // Paper 842 x 595 at zoom 1 without scrolling: widget pixels are paper
    // pixels.
    useSliceTool();
}

void TestSliceTool::cleanup()
{
    delete m_view;
    m_view = nullptr;
}

void TestSliceTool::drawnSliceSnapsToThePaperOrigin()
{
    drag(QPoint(3, 5), QPoint(120, 80));
    QCOMPARE(sliceRects(), QList<QRect>{QRect(0, 0, 117, 75)});
    QCOMPARE(undoTexts(m_view), QStringLiteral("addSlice"));
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeSlice));
    QVERIFY(!tool()->newSlice());
    // The grid was rebuilt around the new slice.
    QVERIFY(!document()->autoSlices().isEmpty());

    m_view->setCurrentTool(SketchToolTypeSelect, true);
    m_view->commandManager()->undo();
    QVERIFY(document()->slices().isEmpty());
    m_view->commandManager()->redo();
    QCOMPARE(sliceRects(), QList<QRect>{QRect(0, 0, 117, 75)});
}

void TestSliceTool::clickOrBackwardDragRecordsNothing_data()
{
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::newRow("click") << QPoint(300, 300) << QPoint(300, 300);
    QTest::newRow("up and left") << QPoint(300, 300) << QPoint(200, 250);
    QTest::newRow("two pixels wide") << QPoint(300, 300) << QPoint(302, 400);
}

void TestSliceTool::clickOrBackwardDragRecordsNothing()
{
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    drag(from, to);
    QVERIFY(document()->slices().isEmpty());
    QCOMPARE(undoCount(), 0);
    QCOMPARE(redoCount(), 0);
    QVERIFY(!tool()->newSlice());
    // The tool stays for the next try.
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeSlice));
    drag(QPoint(300, 300), QPoint(400, 400));
    QCOMPARE(sliceRects(), QList<QRect>{QRect(300, 300, 100, 100)});
}

void TestSliceTool::edgesSnapToNeighbours_data()
{
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<QRect>("expected");
    // The neighbour is (100, 100, 200, 100): x 100 to 299, y 100 to 199.
    QTest::newRow("left edge onto its right edge, width kept")
        << QPoint(305, 100) << QPoint(405, 200) << QRect(300, 100, 100, 100);
    QTest::newRow("below: left, right and top edges")
        << QPoint(103, 204) << QPoint(298, 260) << QRect(100, 200, 200, 56);
    QTest::newRow("bottom edge onto its bottom edge")
        << QPoint(400, 150) << QPoint(450, 193) << QRect(400, 150, 50, 50);
    QTest::newRow("edge already on it stays") << QPoint(300, 250) << QPoint(350, 300) << QRect(300, 250, 50, 50);
    QTest::newRow("eight pixels away stays") << QPoint(308, 250) << QPoint(358, 300) << QRect(308, 250, 50, 50);
    QTest::newRow("nothing snaps to the paper's far edges")
        << QPoint(700, 400) << QPoint(838, 590) << QRect(700, 400, 138, 190);
}

void TestSliceTool::edgesSnapToNeighbours()
{
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(QRect, expected);
    addSlice(QRect(100, 100, 200, 100));
    drag(from, to);
    QCOMPARE(document()->slices().size(), 2);
    QCOMPARE(document()->slices().last()->rect(), expected);
    QCOMPARE(document()->slices().first()->rect(), QRect(100, 100, 200, 100));
    QCOMPARE(undoTexts(m_view), QStringLiteral("addSlice"));
}

void TestSliceTool::overlapNeedsASharedLeftOrTopEdge_data()
{
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<bool>("accepted");
    // The drags start outside the slice: a press on it would move it.
    QTest::newRow("overlap from above") << QPoint(250, 50) << QPoint(350, 150) << false;
    QTest::newRow("overlap from the left") << QPoint(50, 120) << QPoint(150, 180) << false;
    QTest::newRow("same left x") << QPoint(100, 50) << QPoint(160, 150) << true;
    QTest::newRow("same top y") << QPoint(50, 100) << QPoint(110, 160) << true;
    QTest::newRow("touching, no overlap") << QPoint(300, 120) << QPoint(360, 180) << true;
}

void TestSliceTool::overlapNeedsASharedLeftOrTopEdge()
{
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(bool, accepted);
    addSlice(QRect(100, 100, 200, 100));
    drag(from, to);
    QCOMPARE(document()->slices().size(), accepted ? 2 : 1);
    QCOMPARE(undoCount(), accepted ? 1 : 0);
    QCOMPARE(redoCount(), 0);
    QCOMPARE(document()->slices().first()->rect(), QRect(100, 100, 200, 100));
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeSlice));
}

void TestSliceTool::drawingOnAnAutomaticSliceStartsANewOne()
{
    addSlice(QRect(100, 100, 200, 100));
    QVERIFY(m_view->sliceAt(500, 400, true));
    QVERIFY(m_view->sliceAt(500, 400, true)->isAutoSlice());
    drag(QPoint(500, 400), QPoint(600, 450));
    QCOMPARE(sliceRects(), (QList<QRect>{QRect(100, 100, 200, 100), QRect(500, 400, 100, 50)}));
    QCOMPARE(undoTexts(m_view), QStringLiteral("addSlice"));
}

void TestSliceTool::cancelWhileDrawingTakesTheSliceBack_data()
{
    QTest::addColumn<int>("how");
    QTest::newRow("Escape") << 0;
    QTest::newRow("undo") << 1;
    QTest::newRow("redo") << 2;
}

void TestSliceTool::cancelWhileDrawingTakesTheSliceBack()
{
    QFETCH(int, how);
    moveTo(m_view, QPoint(200, 200), Qt::NoButton);
    pressAt(m_view, QPoint(200, 200));
    moveTo(m_view, QPoint(260, 250));
    QCOMPARE(document()->slices().size(), 1);
    QCOMPARE(undoCount(), 1);
    if (how == 0)
        sendKey(m_view, Qt::Key_Escape);
    else if (how == 1)
        m_view->commandManager()->undo();
    else
        m_view->commandManager()->redo();
    QVERIFY(document()->slices().isEmpty());
    QCOMPARE(undoCount(), 0);
    QCOMPARE(redoCount(), 0);
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeSelect));
    // The rest of the gesture reaches the select tool and draws nothing.
    releaseAt(m_view, QPoint(260, 250));
    QVERIFY(document()->slices().isEmpty());
}

void TestSliceTool::takesBackOnlyItsOwnAddSlice_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("refused at the release") << false;
    QTest::newRow("Escape") << true;
}

void TestSliceTool::takesBackOnlyItsOwnAddSlice()
{
    QFETCH(bool, escape);
    SketchShape *shape = addBox(m_view->currentLayer(), 500, 300, 50, 50, Qt::red);
    moveTo(m_view, QPoint(200, 200), Qt::NoButton);
    pressAt(m_view, QPoint(200, 200));
    // Someone else records an edit while the button is down.
    auto *other = new SketchCommandUpdate(m_view, shape);
    shape->setLocked(true);
    m_view->commandManager()->push(other, QStringLiteral("other"));
    if (escape)
        sendKey(m_view, Qt::Key_Escape);
    else
        releaseAt(m_view, QPoint(201, 201));
    QCOMPARE(undoTexts(m_view), QStringLiteral("addSlice,other"));
    QVERIFY(shape->isLocked());
    QVERIFY(!tool()->newSlice());
    // The history still undoes in order.
    m_view->setCurrentTool(SketchToolTypeSelect, true);
    m_view->commandManager()->undo();
    QVERIFY(!shape->isLocked());
    m_view->commandManager()->undo();
    QVERIFY(document()->slices().isEmpty());
}

void TestSliceTool::moveRecordsOneHandleSlice()
{
    SketchSlice *slice = addSlice(QRect(100, 100, 200, 100));
    drag(QPoint(150, 150), QPoint(210, 190));
    QCOMPARE(slice->rect(), QRect(160, 140, 200, 100));
    QCOMPARE(undoTexts(m_view), QStringLiteral("handleSlice"));
    QVERIFY(slice->isSelected());
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeSlice));

    m_view->setCurrentTool(SketchToolTypeSelect, true);
    m_view->commandManager()->undo();
    QCOMPARE(slice->rect(), QRect(100, 100, 200, 100));
    m_view->commandManager()->redo();
    QCOMPARE(slice->rect(), QRect(160, 140, 200, 100));
}

void TestSliceTool::escapeWhileMovingRestores()
{
    SketchSlice *slice = addSlice(QRect(100, 100, 200, 100));
    moveTo(m_view, QPoint(150, 150), Qt::NoButton);
    pressAt(m_view, QPoint(150, 150));
    moveTo(m_view, QPoint(200, 180));
    QCOMPARE(slice->rect(), QRect(150, 130, 200, 100));
    sendKey(m_view, Qt::Key_Escape);
    QCOMPARE(slice->rect(), QRect(100, 100, 200, 100));
    QCOMPARE(undoCount(), 0);
    QCOMPARE(redoCount(), 0);
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeSelect));
    releaseAt(m_view, QPoint(200, 180));
    QCOMPARE(slice->rect(), QRect(100, 100, 200, 100));
}

void TestSliceTool::resizeByAHandle()
{
    SketchSlice *slice = addSlice(QRect(100, 100, 200, 100), true);
    arm();
    slice->setSelected(true);
    // The right-middle handle, just outside the slice.
    moveTo(m_view, QPoint(300, 150), Qt::NoButton);
    QCOMPARE(tool()->handle(), 3);
    QCOMPARE(tool()->currentSlice(), slice);
    QCOMPARE(m_view->cursor().shape(), Qt::SizeHorCursor);
    dragFromTo(m_view, QPoint(300, 150), QPoint(340, 170));
    QCOMPARE(slice->rect(), QRect(100, 100, 240, 100));
    QCOMPARE(undoTexts(m_view), QStringLiteral("handleSlice"));
}

void TestSliceTool::leftHandleStopsAtTheMinimumWidth()
{
    SketchSlice *slice = addSlice(QRect(100, 100, 200, 100));
    arm();
    slice->setSelected(true);
    moveTo(m_view, QPoint(99, 150), Qt::NoButton);
    QCOMPARE(tool()->handle(), 7);
    pressAt(m_view, QPoint(99, 150));
    moveTo(m_view, QPoint(199, 150));
    QCOMPARE(slice->rect(), QRect(200, 100, 100, 100));
    moveTo(m_view, QPoint(295, 150));
    QCOMPARE(slice->rect(), QRect(296, 100, 4, 100));
    // From a width of 3 the left edge stays and the right one comes closer.
    moveTo(m_view, QPoint(296, 150));
    QCOMPARE(slice->rect(), QRect(296, 100, 3, 100));
    moveTo(m_view, QPoint(297, 150));
    QCOMPARE(slice->x(), 296);
    QCOMPARE(slice->width(), 2);
    // Too narrow: the resize is taken back and the tool left.
    releaseAt(m_view, QPoint(297, 150));
    QCOMPARE(slice->rect(), QRect(100, 100, 200, 100));
    QCOMPARE(undoCount(), 0);
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeSelect));
}

void TestSliceTool::hoverKeepsTheSliceWhoseHandleIsUnderThePointer()
{
    SketchSlice *a = addSlice(QRect(100, 100, 100, 100));
    SketchSlice *b = addSlice(QRect(400, 100, 100, 100));
    arm();
    a->setSelected(true);
    b->setSelected(true);

    // A's right-middle handle; B, later in the list, has none there.
    moveTo(m_view, QPoint(201, 150), Qt::NoButton);
    QCOMPARE(tool()->currentSlice(), a);
    QCOMPARE(tool()->handle(), 3);
    QCOMPARE(m_view->cursor().shape(), Qt::SizeHorCursor);
    moveTo(m_view, QPoint(501, 150), Qt::NoButton);
    QCOMPARE(tool()->currentSlice(), b);
    QCOMPARE(tool()->handle(), 3);
    moveTo(m_view, QPoint(700, 500), Qt::NoButton);
    QVERIFY(!tool()->currentSlice());
    QCOMPARE(tool()->handle(), -1);

    // The press resizes A alone, and its undo restores A.
    moveTo(m_view, QPoint(201, 150), Qt::NoButton);
    dragFromTo(m_view, QPoint(201, 150), QPoint(241, 150));
    QCOMPARE(a->rect(), QRect(100, 100, 140, 100));
    QCOMPARE(b->rect(), QRect(400, 100, 100, 100));
    m_view->setCurrentTool(SketchToolTypeSelect, true);
    m_view->commandManager()->undo();
    QCOMPARE(a->rect(), QRect(100, 100, 100, 100));
    QCOMPARE(b->rect(), QRect(400, 100, 100, 100));
}

void TestSliceTool::hoverOverASliceShowsNoHandle()
{
    SketchSlice *a = addSlice(QRect(100, 100, 100, 100));
    addSlice(QRect(200, 100, 100, 100));
    arm();
    a->setSelected(true);
    // A's right-middle square lies over the neighbour's inside.
    moveTo(m_view, QPoint(201, 150), Qt::NoButton);
    QCOMPARE(tool()->handle(), -1);
    QVERIFY(!tool()->currentSlice());
    QCOMPARE(m_view->cursor().shape(), Qt::BitmapCursor);
}

void TestSliceTool::arrowKeysDoNothing()
{
    SketchSlice *slice = addSlice(QRect(100, 100, 200, 100), true);
    sendKey(m_view, Qt::Key_Right);
    sendKey(m_view, Qt::Key_Down);
    QCOMPARE(slice->rect(), QRect(100, 100, 200, 100));
    QCOMPARE(undoCount(), 0);
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeSlice));
}

void TestSliceTool::readOutWaitsForAStillPressWithoutModifiers()
{
    addSlice(QRect(100, 100, 200, 100));
    QTimer *timer = m_view->toolTipTimer();

    moveTo(m_view, QPoint(150, 150), Qt::NoButton);
    pressAt(m_view, QPoint(150, 150), Qt::ControlModifier);
    QVERIFY(!timer->isActive());
    releaseAt(m_view, QPoint(150, 150), Qt::ControlModifier);

    moveTo(m_view, QPoint(150, 150), Qt::NoButton);
    pressAt(m_view, QPoint(150, 150));
    QVERIFY(timer->isActive());
    QTRY_VERIFY(tool()->isLabelShown());
    const QImage shown = m_view->grab().toImage();
    // The gray label ends at the press point, left of its text.
    QVERIFY(sameColor(shown, 150, 147, Qt::gray, 4));
    // The first drag step ends it.
    moveTo(m_view, QPoint(151, 150));
    QVERIFY(!tool()->isLabelShown());
    QVERIFY(!timer->isActive());
    releaseAt(m_view, QPoint(151, 150));
}

void TestSliceTool::deleteRemovesOnlySelectedHandDrawnSlices()
{
    SketchShape *shape = addBox(m_view->currentLayer(), 500, 300, 50, 50, Qt::red);
    selectShape(shape);
    SketchSlice *kept = addSlice(QRect(0, 0, 100, 100));
    SketchSlice *removed = addSlice(QRect(200, 0, 100, 100), true);
    QVERIFY(!document()->autoSlices().isEmpty());
    document()->autoSlices().first()->setSelected(true);

    m_view->deleteSelection();
    QCOMPARE(document()->slices(), QList<SketchSlice *>{kept});
    QCOMPARE(m_view->currentLayer()->shapes(), QList<SketchShape *>{shape});
    QCOMPARE(undoTexts(m_view), QStringLiteral("delelteSelection"));

    m_view->setCurrentTool(SketchToolTypeSelect, true);
    m_view->commandManager()->undo();
    QCOMPARE(document()->slices(), (QList<SketchSlice *>{kept, removed}));
}

void TestSliceTool::noSliceWithoutAUsableLayerOrAnotherTool_data()
{
    QTest::addColumn<int>("setup");
    QTest::newRow("locked layer") << 0;
    QTest::newRow("hidden layer") << 1;
    QTest::newRow("no layer") << 2;
    QTest::newRow("select tool") << 3;
}

void TestSliceTool::noSliceWithoutAUsableLayerOrAnotherTool()
{
    QFETCH(int, setup);
    SketchSlice *slice = addSlice(QRect(100, 100, 200, 100));
    if (setup == 0)
        m_view->currentLayer()->setLocked(true);
    else if (setup == 1)
        m_view->currentLayer()->setVisible(false);
    else if (setup == 2)
        m_view->setCurrentLayer(nullptr, false);
    else
        m_view->setCurrentTool(SketchToolTypeSelect, true);
    drag(QPoint(400, 300), QPoint(500, 400));
    drag(QPoint(150, 150), QPoint(200, 200));
    QCOMPARE(document()->slices(), QList<SketchSlice *>{slice});
    QCOMPARE(slice->rect(), QRect(100, 100, 200, 100));
    QCOMPARE(undoCount(), 0);
}

namespace {

// The shapes of every layer with their whole state and selection.
QStringList shapeStates(SketchDocumentView *view)
{
    QStringList states;
    for (SketchLayer *layer : view->layers()) {
        for (SketchShape *shape : layer->shapes())
            states.append(shapeXml(shape) + (shape->isSelected() ? "selected" : ""));
    }
    return states;
}

} // namespace

void TestSliceTool::shapeEditsWaitWhileSlicing_data()
{
    QTest::addColumn<ViewEdit>("edit");
    QTest::newRow("group") << ViewEdit(&SketchDocumentView::groupSelection);
    QTest::newRow("ungroup") << ViewEdit(&SketchDocumentView::unGroupSelection);
    QTest::newRow("lock") << ViewEdit(&SketchDocumentView::lockSelection);
    QTest::newRow("unlock") << ViewEdit(&SketchDocumentView::unLockSelection);
    QTest::newRow("flip horizontally") << ViewEdit(&SketchDocumentView::flipHorizontalSelection);
    QTest::newRow("flip vertically") << ViewEdit(&SketchDocumentView::flipVerticalSelection);
    QTest::newRow("align left") << ViewEdit(&SketchDocumentView::alignLeftSelection);
    QTest::newRow("align top") << ViewEdit(&SketchDocumentView::alignTopSelection);
    QTest::newRow("align right") << ViewEdit(&SketchDocumentView::alignRightSelection);
    QTest::newRow("align bottom") << ViewEdit(&SketchDocumentView::alignBottomSelection);
    QTest::newRow("align centre") << ViewEdit(&SketchDocumentView::alignCenterSelection);
    QTest::newRow("bring to front") << ViewEdit(&SketchDocumentView::bringToFront);
    QTest::newRow("send to back") << ViewEdit(&SketchDocumentView::sendToBack);
    QTest::newRow("bring forward") << ViewEdit(&SketchDocumentView::bringForward);
    QTest::newRow("send backward") << ViewEdit(&SketchDocumentView::sendBackward);
    QTest::newRow("paste") << ViewEdit(&SketchDocumentView::paste);
    QTest::newRow("copy format") << ViewEdit(&SketchDocumentView::copyFormat);
    QTest::newRow("paste format") << ViewEdit(&SketchDocumentView::pasteFormat);
}

// While the slice tool is current, no edit of the shapes goes through: the
// shapes, their order and their selection stay, and nothing is recorded.
void TestSliceTool::shapeEditsWaitWhileSlicing()
{
    QFETCH(ViewEdit, edit);
    SketchLayer *layer = m_view->currentLayer();
    SketchShape *a = addBox(layer, 100, 100, 50, 40, Qt::red);
    SketchShape *b = addBox(layer, 300, 200, 60, 30, Qt::blue);
    SketchGroup *group = groupShapes(layer, {addBox(layer, 500, 100, 20, 20), addBox(layer, 540, 120, 20, 20)});
    // The clipboard holds a style for the format paste, shapes otherwise.
    m_view->setCurrentTool(SketchToolTypeSelect, false);
    selectShape(b);
    if (edit == ViewEdit(&SketchDocumentView::pasteFormat))
        m_view->copyFormat();
    else
        QVERIFY(m_view->copy());
    const QString clipboardText = QApplication::clipboard()->text();
    useSliceTool();
    selectShape(a);
    selectShape(b);
    selectShape(group);
    const QStringList before = shapeStates(m_view);

    (m_view->*edit)();
    QCOMPARE(shapeStates(m_view), before);
    QCOMPARE(undoCount(), 0);
    QCOMPARE(QApplication::clipboard()->text(), clipboardText);
}

void TestSliceTool::overlayShowsTheSlices_data()
{
    QTest::addColumn<int>("toolType");
    QTest::addColumn<bool>("handDrawn");
    QTest::addColumn<bool>("shown");
    QTest::newRow("slice tool") << int(SketchToolTypeSlice) << true << true;
    QTest::newRow("zoom in") << int(SketchToolTypeZoomIn) << true << true;
    QTest::newRow("zoom out") << int(SketchToolTypeZoomOut) << true << true;
    QTest::newRow("select tool") << int(SketchToolTypeSelect) << true << false;
    QTest::newRow("zoom without hand-drawn slices") << int(SketchToolTypeZoomIn) << false << false;
}

void TestSliceTool::overlayShowsTheSlices()
{
    QFETCH(int, toolType);
    QFETCH(bool, handDrawn);
    QFETCH(bool, shown);
    if (handDrawn)
        addSlice(QRect(100, 100, 200, 100));
    else
        document()->updateSliceGrid();
    m_view->setCurrentTool(toolType, true);
    const QImage image = m_view->grab().toImage();
    // The outline at the slice's left edge, the number label inside its
    // top-left corner, and the automatic slice's edge below it.
    QCOMPARE(sameColor(image, 100, 150, Qt::blue), shown);
    QCOMPARE(sameColor(image, 103, 103, Qt::blue), shown);
    QCOMPARE(sameColor(image, 100, 250, Qt::blue), shown);
    QVERIFY(sameColor(image, 150, 150, Qt::white));
}

QTEST_MAIN(TestSliceTool)
#include "tst_slicetool.moc"
