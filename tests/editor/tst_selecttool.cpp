// The select tool: picking, Ctrl toggles, rubber bands, dragging as one
// command, arrow keys, path closing, the read-out, groups and cancelling.
#include "support/history.h"
#include "support/input.h"
#include "support/paintcounter.h"
#include "support/pixels.h"
#include "support/shapes.h"

#include "commands/sketchcommandadd.h"
#include "commands/sketchcommandmanager.h"
#include "editor/sketchdocumentview.h"
#include "editor/sketchtool.h"
#include "model/sketchdocument.h"
#include "model/sketchgroup.h"
#include "model/sketchlayer.h"
#include "model/sketchpoint.h"
#include "model/sketchshape.h"

#include <QTextEdit>
#include <QStandardPaths>
#include <QtTest>

class TestSelectTool : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup();

    void clickSelectsWithoutACommand();
    void bandSelectsWhatItTouches();
    void ctrlClickToggles();
    void ctrlBandTogglesAndMovesNothing();
    void drag_data();
    void drag();
    void pressOnAMultipleSelectionKeepsIt();
    void arrowKeys_data();
    void arrowKeys();
    void droppingAnEndOnTheOtherClosesThePath();
    void shortPathsNeverClose();
    void escapeDuringAHeldDragRestoresTheShapes();
    void undoDuringAHeldDragTakesTheDragBackFirst();
    void returningWithTheButtonHeldContinuesAsAPress();
    void aPressNeverLosesAnOpenDrag();
    void lockedShapesAreSelectedButNeverMoved();
    void readOutAfterTheButtonRests();
    void doubleClickWalksIntoGroups();
    void textEditing();
    void pressMakesTheShapesLayerCurrent();

private:
    SketchLayer *layer() const { return m_view->document()->layers().first(); }
    int undoCount() const { return m_view->commandManager()->undoCount(); }
    int redoCount() const { return m_view->commandManager()->redoCount(); }
    SketchShape *addFilledBox(qreal x, qreal y, qreal w, qreal h) { return addBox(layer(), x, y, w, h, Qt::yellow); }

    SketchDocumentView *m_view = nullptr;
};

void TestSelectTool::init()
{
    m_view = new SketchDocumentView;
    m_view->resize(1000, 800);
    m_view->show();
}

void TestSelectTool::cleanup()
{
    delete m_view;
    m_view = nullptr;
}

void TestSelectTool::clickSelectsWithoutACommand()
{
    SketchShape *box = addFilledBox(100, 100, 50, 50);
    SketchShape *other = addFilledBox(300, 100, 50, 50);
    selectShape(other);
    QSignalSpy changed(m_view, &SketchView::selectionChanged);

    clickAt(m_view, QPoint(120, 120));
    QVERIFY(box->isSelected());
    QCOMPARE(box->activeHandle(), int(SketchHandleInside));
    QVERIFY(!other->isSelected());
    QCOMPARE(undoCount(), 0);
    QVERIFY(changed.count() > 0);

    // On a corner handle the handle becomes the active one.
    clickAt(m_view, QPoint(150, 150));
    QCOMPARE(box->activeHandle(), SketchHandleFirstPoint + 2);

    clickAt(m_view, QPoint(600, 600));
    QVERIFY(!box->isSelected());
    QCOMPARE(undoCount(), 0);
}

void TestSelectTool::bandSelectsWhatItTouches()
{
    SketchLayer *locked = new SketchLayer(m_view->document(), QStringLiteral("Locked"));
    m_view->document()->layers().append(locked);
    SketchShape *outside = addFilledBox(10, 10, 20, 20);
    SketchShape *partly = addFilledBox(100, 100, 50, 50);
    SketchShape *inside = addFilledBox(60, 60, 10, 10);
    SketchShape *wasSelected = addFilledBox(400, 400, 10, 10);
    SketchShape *onLockedLayer = addBox(locked, 70, 70, 10, 10, Qt::red);
    locked->setLocked(true);
    selectShape(wasSelected);

    // Starts on empty paper: the press clears the selection, the release
    // takes everything the band touches.
    dragFromTo(m_view, QPoint(50, 50), QPoint(120, 120));

    QVERIFY(partly->isSelected());
    QVERIFY(inside->isSelected());
    QCOMPARE(partly->activeHandle(), int(SketchHandleOutline));
    QVERIFY(!outside->isSelected());
    QVERIFY(!wasSelected->isSelected());
    QVERIFY(!onLockedLayer->isSelected());
    QCOMPARE(partly->boundingRect(), QRectF(100, 100, 50, 50));
    QCOMPARE(undoCount(), 0);
}

void TestSelectTool::ctrlClickToggles()
{
    SketchShape *a = addFilledBox(100, 100, 50, 50);
    SketchShape *b = addFilledBox(300, 100, 50, 50);
    clickAt(m_view, QPoint(120, 120));
    clickAt(m_view, QPoint(320, 120), Qt::ControlModifier);
    QVERIFY(a->isSelected() && b->isSelected());
    QCOMPARE(a->activeHandle(), int(SketchHandleOutline));
    QCOMPARE(b->activeHandle(), int(SketchHandleOutline));

    clickAt(m_view, QPoint(120, 120), Qt::ControlModifier);
    QVERIFY(!a->isSelected());
    QCOMPARE(a->activeHandle(), int(SketchHandleNone));
    QVERIFY(b->isSelected());

    // Ctrl on empty paper changes nothing.
    clickAt(m_view, QPoint(600, 600), Qt::ControlModifier);
    QVERIFY(b->isSelected());
    QCOMPARE(undoCount(), 0);
}

void TestSelectTool::ctrlBandTogglesAndMovesNothing()
{
    SketchShape *a = addFilledBox(100, 100, 50, 50);
    SketchShape *b = addFilledBox(200, 100, 50, 50);
    SketchShape *c = addFilledBox(500, 500, 50, 50);
    selectShape(a, SketchHandleOutline);
    selectShape(c, SketchHandleOutline);

    dragFromTo(m_view, QPoint(90, 90), QPoint(260, 200), Qt::ControlModifier);

    QVERIFY(!a->isSelected());
    QVERIFY(b->isSelected());
    QVERIFY(c->isSelected());
    QCOMPARE(a->boundingRect(), QRectF(100, 100, 50, 50));
    QCOMPARE(b->boundingRect(), QRectF(200, 100, 50, 50));
    QCOMPARE(undoCount(), 0);
}

void TestSelectTool::drag_data()
{
    QTest::addColumn<double>("zoom");
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<bool>("shift");
    QTest::addColumn<QRectF>("expected");

    QTest::newRow("whole shape") << 1.0 << QPoint(120, 120) << QPoint(150, 140) << false
                                 << QRectF(130, 120, 50, 50);
    QTest::newRow("whole shape at zoom 2") << 2.0 << QPoint(240, 240) << QPoint(270, 260) << false
                                           << QRectF(115, 110, 50, 50);
    QTest::newRow("corner handle") << 1.0 << QPoint(150, 150) << QPoint(170, 160) << false
                                   << QRectF(100, 100, 70, 60);
    QTest::newRow("corner handle with Shift keeps the proportions")
        << 1.0 << QPoint(150, 150) << QPoint(170, 160) << true << QRectF(100, 100, 70, 70);
    QTest::newRow("whole shape with Shift") << 1.0 << QPoint(120, 120) << QPoint(150, 140) << true
                                            << QRectF(130, 120, 50, 50);
}

void TestSelectTool::drag()
{
    QFETCH(double, zoom);
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(bool, shift);
    QFETCH(QRectF, expected);

    m_view->setZoom(float(zoom));
    SketchShape *box = addFilledBox(100, 100, 50, 50);
    if (shift) {
        // As the window system reports it: the state before the key, which
        // the event turns into Shift.
        QKeyEvent shiftDown(QEvent::KeyPress, Qt::Key_Shift, Qt::NoModifier);
        QApplication::sendEvent(m_view, &shiftDown);
        QCOMPARE(m_view->keyboardModifiers(), Qt::KeyboardModifiers(Qt::ShiftModifier));
    }
    const Qt::KeyboardModifiers modifiers = shift ? Qt::ShiftModifier : Qt::NoModifier;
    dragFromTo(m_view, from, to, modifiers);

    QCOMPARE(box->boundingRect(), expected);
    QCOMPARE(undoTexts(m_view), QStringLiteral("moveSelection"));
    m_view->commandManager()->undo();
    QCOMPARE(box->boundingRect(), QRectF(100, 100, 50, 50));
    m_view->commandManager()->redo();
    QCOMPARE(box->boundingRect(), expected);
}

void TestSelectTool::pressOnAMultipleSelectionKeepsIt()
{
    SketchShape *a = addFilledBox(100, 100, 50, 50);
    SketchShape *b = addFilledBox(300, 100, 50, 50);
    SketchShape *c = addFilledBox(500, 100, 50, 50);
    selectShape(a);
    selectShape(b);

    dragFromTo(m_view, QPoint(120, 120), QPoint(130, 150));
    QCOMPARE(a->boundingRect(), QRectF(110, 130, 50, 50));
    QCOMPARE(b->boundingRect(), QRectF(310, 130, 50, 50));
    QCOMPARE(c->boundingRect(), QRectF(500, 100, 50, 50));
    QCOMPARE(undoCount(), 1);

    // A press on an unselected shape replaces the selection.
    dragFromTo(m_view, QPoint(520, 120), QPoint(520, 140));
    QVERIFY(!a->isSelected() && !b->isSelected());
    QCOMPARE(c->boundingRect(), QRectF(500, 120, 50, 50));
    QCOMPARE(a->boundingRect(), QRectF(110, 130, 50, 50));
    QCOMPARE(undoCount(), 2);
}

void TestSelectTool::arrowKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QPointF>("offset");

    QTest::newRow("left") << int(Qt::Key_Left) << int(Qt::NoModifier) << QPointF(-0.5, 0);
    QTest::newRow("right") << int(Qt::Key_Right) << int(Qt::NoModifier) << QPointF(0.5, 0);
    QTest::newRow("up") << int(Qt::Key_Up) << int(Qt::NoModifier) << QPointF(0, -0.5);
    QTest::newRow("down") << int(Qt::Key_Down) << int(Qt::NoModifier) << QPointF(0, 0.5);
    QTest::newRow("Shift+right") << int(Qt::Key_Right) << int(Qt::ShiftModifier) << QPointF(0.5, 0);
    QTest::newRow("Ctrl+up") << int(Qt::Key_Up) << int(Qt::ControlModifier) << QPointF(0, -0.5);
}

void TestSelectTool::arrowKeys()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QPointF, offset);

    m_view->setZoom(2.0f);
    SketchShape *box = addFilledBox(100, 100, 50, 50);
    SketchShape *locked = addFilledBox(300, 100, 50, 50);
    selectShape(box);
    selectShape(locked);
    locked->setLocked(true);

    sendKey(m_view, key, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(box->boundingRect().topLeft(), QPointF(100, 100) + offset);
    QCOMPARE(locked->boundingRect().topLeft(), QPointF(300, 100));
    QCOMPARE(undoTexts(m_view), QStringLiteral("moveSelection"));

    sendKey(m_view, key, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(box->boundingRect().topLeft(), QPointF(100, 100) + offset * 2);
    QCOMPARE(undoCount(), 2);

    // Nothing editable selected: nothing recorded.
    box->setSelected(false);
    sendKey(m_view, key, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(undoCount(), 2);
}

void TestSelectTool::droppingAnEndOnTheOtherClosesThePath()
{
    SketchShape *path = addPath(layer(), {{100, 100}, {200, 100}, {200, 200}, {100, 200}}, false);
    // Press on the last point's handle and drop it 2 pixels off the first.
    pressAt(m_view, QPoint(100, 200));
    QCOMPARE(path->activeHandle(), SketchHandleFirstPoint + 3);
    // While held near the first point, that point's handle shows the red
    // ring of the point the path will close on.
    auto ringAtFirstPoint = [this]() {
        const QImage image = m_view->grab().toImage();
        for (int y = 92; y <= 108; ++y) {
            for (int x = 92; x <= 108; ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.red() > 200 && c.green() < 80 && c.blue() < 80)
                    return true;
            }
        }
        return false;
    };
    moveTo(m_view, QPoint(101, 150));
    QVERIFY(!ringAtFirstPoint());
    moveTo(m_view, QPoint(102, 101));
    QVERIFY(ringAtFirstPoint());
    releaseAt(m_view, QPoint(102, 101));

    QVERIFY(path->isClosed());
    QCOMPARE(pointsOf(path), (QList<QPointF>{{100, 100}, {200, 100}, {200, 200}}));
    // The active handle names a point that exists.
    QVERIFY(path->activeHandle() - SketchHandleFirstPoint < path->pointCount());
    QCOMPARE(path->activeHandle(), int(SketchHandleFirstPoint));
    QCOMPARE(undoTexts(m_view), QStringLiteral("moveSelection"));

    m_view->commandManager()->undo();
    QVERIFY(!path->isClosed());
    QCOMPARE(path->pointCount(), 4);

    // The first point dropped on the last closes it as well.
    dragFromTo(m_view, QPoint(100, 100), QPoint(99, 198));
    QVERIFY(path->isClosed());
    QCOMPARE(path->pointCount(), 3);
    QCOMPARE(path->activeHandle(), int(SketchHandleFirstPoint));
}

void TestSelectTool::shortPathsNeverClose()
{
    SketchShape *path = addPath(layer(), {{100, 100}, {200, 100}, {200, 200}}, false);
    dragFromTo(m_view, QPoint(200, 200), QPoint(101, 101));
    QVERIFY(!path->isClosed());
    QCOMPARE(path->pointCount(), 3);
    QCOMPARE(path->points().last()->toPointF(), QPointF(101, 101));
}

void TestSelectTool::undoDuringAHeldDragTakesTheDragBackFirst()
{
    // The dragged shape was the last thing added: undoing that in the middle
    // of the drag must not leave the drag's command holding a shape the
    // history then frees.
    SketchShape *a = addFilledBox(100, 100, 50, 50);
    layer()->shapes().removeAll(a);
    m_view->commandManager()->push(new SketchCommandAdd(m_view, a), QStringLiteral("addRect"));
    QCOMPARE(layer()->shapes().count(a), 1);
    selectShape(a);
    pressAt(m_view, QPoint(120, 120));
    moveTo(m_view, QPoint(140, 130));
    m_view->commandManager()->undo();
    QCOMPARE(layer()->shapes().count(a), 0);
    QCOMPARE(a->boundingRect(), QRectF(100, 100, 50, 50));
    moveTo(m_view, QPoint(170, 160));
    releaseAt(m_view, QPoint(170, 160));
    QCOMPARE(undoCount(), 0);
    QCOMPARE(redoCount(), 1);
    m_view->commandManager()->redo();
    QCOMPARE(layer()->shapes().count(a), 1);
    QCOMPARE(a->boundingRect(), QRectF(100, 100, 50, 50));
    QCOMPARE(undoTexts(m_view), QStringLiteral("addRect"));
}

void TestSelectTool::escapeDuringAHeldDragRestoresTheShapes()
{
    SketchShape *a = addFilledBox(100, 100, 50, 50);
    SketchShape *b = addFilledBox(300, 100, 50, 50);
    // Something already on the stack, which must stay as it is.
    selectShape(b);
    m_view->flipHorizontalSelection();
    QCOMPARE(undoCount(), 1);
    selectShape(a);

    pressAt(m_view, QPoint(120, 120));
    moveTo(m_view, QPoint(140, 130));
    moveTo(m_view, QPoint(170, 160));
    QCOMPARE(a->boundingRect(), QRectF(150, 140, 50, 50));
    sendKey(m_view, Qt::Key_Escape);

    QCOMPARE(a->boundingRect(), QRectF(100, 100, 50, 50));
    QCOMPARE(b->boundingRect(), QRectF(300, 100, 50, 50));
    QCOMPARE(undoTexts(m_view), QStringLiteral("flipHorizontalSelection"));
    QCOMPARE(redoCount(), 0);
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeSelect));

    // The abandoned gesture moves nothing more and records nothing.
    moveTo(m_view, QPoint(200, 200));
    releaseAt(m_view, QPoint(200, 200));
    QCOMPARE(a->boundingRect(), QRectF(100, 100, 50, 50));
    QCOMPARE(undoCount(), 1);

    // The next gesture works as usual.
    dragFromTo(m_view, QPoint(120, 120), QPoint(130, 120));
    QCOMPARE(a->boundingRect(), QRectF(110, 100, 50, 50));
    QCOMPARE(undoCount(), 2);
}

void TestSelectTool::returningWithTheButtonHeldContinuesAsAPress()
{
    SketchShape *box = addFilledBox(100, 100, 50, 50);
    m_view->setCurrentTool(SketchToolTypeRect, true);
    pressAt(m_view, QPoint(400, 400));
    moveTo(m_view, QPoint(450, 450));
    // The rectangle is cancelled with the button still held and the pointer
    // over the box: the select tool takes over as if pressed there.
    QCursor::setPos(m_view->mapToGlobal(QPoint(120, 120)));
    if (m_view->mapFromGlobal(QCursor::pos()) != QPoint(120, 120))
        QSKIP("The platform does not move the cursor");
    sendKey(m_view, Qt::Key_Escape);
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeSelect));
    QVERIFY(box->isSelected());

    moveTo(m_view, QPoint(130, 125));
    releaseAt(m_view, QPoint(130, 125));
    QCOMPARE(box->boundingRect(), QRectF(110, 105, 50, 50));
    QCOMPARE(undoTexts(m_view), QStringLiteral("moveSelection"));
}

void TestSelectTool::aPressNeverLosesAnOpenDrag()
{
    SketchShape *a = addFilledBox(100, 100, 50, 50);
    pressAt(m_view, QPoint(120, 120));
    moveTo(m_view, QPoint(140, 120));
    // The release went elsewhere; a new press comes.
    pressAt(m_view, QPoint(140, 120));
    QCOMPARE(undoTexts(m_view), QStringLiteral("moveSelection"));
    moveTo(m_view, QPoint(140, 150));
    releaseAt(m_view, QPoint(140, 150));
    QCOMPARE(a->boundingRect(), QRectF(120, 130, 50, 50));
    QCOMPARE(undoCount(), 2);

    m_view->commandManager()->undo();
    QCOMPARE(a->boundingRect(), QRectF(120, 100, 50, 50));
    m_view->commandManager()->undo();
    QCOMPARE(a->boundingRect(), QRectF(100, 100, 50, 50));
}

void TestSelectTool::lockedShapesAreSelectedButNeverMoved()
{
    SketchShape *a = addFilledBox(100, 100, 50, 50);
    a->setLocked(true);
    dragFromTo(m_view, QPoint(120, 120), QPoint(160, 160));
    QVERIFY(a->isSelected());
    QCOMPARE(a->boundingRect(), QRectF(100, 100, 50, 50));
    QCOMPARE(undoCount(), 0);
}

void TestSelectTool::readOutAfterTheButtonRests()
{
    SketchShape *box = addFilledBox(100, 100, 200, 50);
    // Where the label goes: centred 10 pixels under the shape.
    const QPoint labelSpot(200, 150 + 10 + QFontMetrics(m_view->font()).height() / 2);
    auto gray = [&]() { return sameColor(m_view->grab().toImage(), labelSpot.x(), labelSpot.y(), Qt::gray, 2); };

    pressAt(m_view, QPoint(150, 120));
    QVERIFY(!gray());
    QTRY_VERIFY_WITH_TIMEOUT(gray(), 2000);

    // The first move hides it until the next press.
    moveTo(m_view, QPoint(151, 120));
    QVERIFY(!gray());
    releaseAt(m_view, QPoint(151, 120));
    QVERIFY(!gray());
    QCOMPARE(box->boundingRect().topLeft(), QPointF(101, 100));
}

void TestSelectTool::doubleClickWalksIntoGroups()
{
    SketchShape *a = addFilledBox(100, 100, 50, 50);
    SketchShape *b = addFilledBox(200, 100, 50, 50);
    selectShape(a);
    selectShape(b);
    m_view->groupSelection();
    auto *group = qobject_cast<SketchGroup *>(layer()->shapes().last());
    QVERIFY(group);
    m_view->setTextEditingEnabled(true);

    doubleClickAt(m_view, QPoint(120, 120));
    QVERIFY(group->isSelected());
    QVERIFY(a->isSelected());
    QVERIFY(!b->isSelected());
    QCOMPARE(m_view->editableSelectedInnerShapes(), QList<SketchShape *>{a});

    // A drag now moves the member only; undo gives the whole group back.
    dragFromTo(m_view, QPoint(120, 120), QPoint(120, 140));
    QCOMPARE(m_view->shapeTransform(a).mapRect(a->boundingRect()), QRectF(100, 120, 50, 50));
    QCOMPARE(m_view->shapeTransform(b).mapRect(b->boundingRect()), QRectF(200, 100, 50, 50));
    m_view->commandManager()->undo();
    QCOMPARE(m_view->shapeTransform(a).mapRect(a->boundingRect()), QRectF(100, 100, 50, 50));

    // Sideways to the other member, starting again from the group alone.
    clickAt(m_view, QPoint(600, 600));
    clickAt(m_view, QPoint(220, 120));
    QVERIFY(group->isSelected() && !a->isSelected() && !b->isSelected());
    doubleClickAt(m_view, QPoint(120, 120));
    QVERIFY(a->isSelected());
    doubleClickAt(m_view, QPoint(220, 120));
    QVERIFY(b->isSelected());
    QVERIFY(!a->isSelected());

    // Again on the selected member: its text opens for editing.
    doubleClickAt(m_view, QPoint(220, 120));
    QVERIFY(!m_view->textEditor()->isHidden());
    QCOMPARE(m_view->textEditShape(), b);
}

void TestSelectTool::textEditing()
{
    SketchShape *box = addFilledBox(100, 100, 50, 50);
    m_view->setTextEditingEnabled(true);
    sendKey(m_view, Qt::Key_F2);
    QVERIFY(m_view->textEditor()->isHidden());

    selectShape(box);
    sendKey(m_view, Qt::Key_F2);
    QVERIFY(!m_view->textEditor()->isHidden());
    QCOMPARE(m_view->textEditShape(), box);

    // Escape closes it without storing anything.
    m_view->textEditor()->setPlainText(QStringLiteral("typed"));
    sendKey(m_view, Qt::Key_Escape);
    QVERIFY(m_view->textEditor()->isHidden());
    QVERIFY(box->text().isEmpty());

    // A double click on a shape opens its text.
    box->setSelected(false);
    doubleClickAt(m_view, QPoint(120, 120));
    QVERIFY(!m_view->textEditor()->isHidden());
    QCOMPARE(m_view->textEditShape(), box);
}

void TestSelectTool::pressMakesTheShapesLayerCurrent()
{
    auto *upper = new SketchLayer(m_view->document(), QStringLiteral("Layer2"));
    m_view->document()->layers().append(upper);
    SketchShape *above = addBox(upper, 300, 300, 50, 50, Qt::red);
    addFilledBox(100, 100, 50, 50);
    QSignalSpy layerChanged(m_view, &SketchDocumentView::currentLayerChanged);
    QCOMPARE(m_view->currentLayer(), layer());

    clickAt(m_view, QPoint(320, 320));
    QVERIFY(above->isSelected());
    QCOMPARE(m_view->currentLayer(), upper);
    QCOMPARE(layerChanged.count(), 1);

    // A band that ends with one shape selected makes its layer current,
    // without the signal.
    dragFromTo(m_view, QPoint(90, 90), QPoint(160, 160));
    QCOMPARE(m_view->currentLayer(), layer());
    QCOMPARE(layerChanged.count(), 1);
}

QTEST_MAIN(TestSelectTool)
#include "tst_selecttool.moc"
