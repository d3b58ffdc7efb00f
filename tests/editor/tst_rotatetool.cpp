// The rotate tool: the handle, turning by whole degrees as one step, moving
// the target's body within the same step, nudges, cancel.

#include "support/history.h"
#include "support/input.h"
#include "support/livecounts.h"
#include "support/paintcounter.h"
#include "support/pixels.h"
#include "support/shapes.h"

#include "commands/sketchcommandmanager.h"
#include "editor/sketchdocumentview.h"
#include "editor/sketchtoolrotate.h"
#include "model/sketchglobals.h"

#include <QStandardPaths>
#include <QtTest>

class TestRotateTool : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup();

    void handleAfterReset();
    void dragHandle_data();
    void dragHandle();
    void nearlyNoTurn_data();
    void nearlyNoTurn();
    void clickOnHandleStillRecords();
    void escapeDuringDragRestores();
    void undoDuringDragRestores();
    void bodyDragIsOneStep();
    void dragFromAnotherShapeMovesTheTarget();
    void nudgeIsRecorded();
    void pressOnEmptyPaperHidesTheTarget();
    void lockedShapeEndsTheTool();
    void destroyedDuringDrag();

private:
    SketchToolRotate *tool() const
    {
        return static_cast<SketchToolRotate *>(m_view->tools().value(SketchToolTypeRotate));
    }
    void chooseTool()
    {
        m_view->setCurrentTool(SketchToolTypeRotate, true);
        tool()->reset();
    }

    SketchDocumentView *m_view = nullptr;
    SketchLayer *m_layer = nullptr;
    SketchShape *m_box = nullptr;
};

void TestRotateTool::init()
{
    m_view = new SketchDocumentView;
    m_view->resize(800, 600);
    m_layer = m_view->currentLayer();
    // Centre (200, 150).
    m_box = addBox(m_layer, 100, 100, 200, 100, Qt::yellow);
    m_box->setSelected(true);
    m_box->setActiveHandle(SketchHandleInside);
}

void TestRotateTool::cleanup()
{
    delete m_view;
    m_view = nullptr;
}

void TestRotateTool::handleAfterReset()
{
    chooseTool();
    QCOMPARE(tool()->target(), m_box);
    QCOMPARE(tool()->mode(), 2);
    QVERIFY(tool()->handle());
    QCOMPARE(tool()->handle()->toPointF(), QPointF(300, 150));
    QCOMPARE(m_box->rotatePoint(), QPointF(200, 150));
    QCOMPARE(pointsOf(m_box).first(), QPointF(100, 100));
    QCOMPARE(m_view->commandManager()->undoCount(), 0);
}

void TestRotateTool::dragHandle_data()
{
    QTest::addColumn<QPointF>("to");
    QTest::addColumn<float>("angle");

    QTest::newRow("below") << QPointF(200, 250) << 0.25f;
    QTest::newRow("left") << QPointF(100, 150) << 0.5f;
    QTest::newRow("above") << QPointF(200, 50) << 0.75f;
}

void TestRotateTool::dragHandle()
{
    QFETCH(QPointF, to);
    QFETCH(float, angle);
    chooseTool();
    dragFromTo(m_view, QPointF(300, 150), to);

    QCOMPARE(m_box->rotateAngle(), angle);
    QCOMPARE(undoTextList(m_view), QStringList { "rotate" });
    QVERIFY(m_view->isModified());

    undoOnce(m_view);
    QCOMPARE(m_box->rotateAngle(), 0.0f);
}

void TestRotateTool::nearlyNoTurn_data()
{
    QTest::addColumn<int>("dy");
    QTest::addColumn<float>("degrees");

    // At zoom 2 one pixel is half a unit: half a unit above the handle is
    // 359.7 degrees, which rounds to a full turn; half a unit below, 0.3.
    QTest::newRow("359.7") << -1 << 359.71f;
    QTest::newRow("0.3") << 1 << 0.29f;
}

void TestRotateTool::nearlyNoTurn()
{
    QFETCH(int, dy);
    QFETCH(float, degrees);
    m_view->setZoom(2.0f);
    chooseTool();
    QCOMPARE(tool()->handle()->toPointF(), QPointF(300, 150));
    pressAt(m_view, QPointF(600, 300));
    moveTo(m_view, QPointF(600, 300 + dy));
    QVERIFY(qAbs(m_box->rotateAngle() * 360.0f - degrees) < 0.01f);
    releaseAt(m_view, QPointF(600, 300 + dy));

    QCOMPARE(m_box->rotateAngle(), 0.0f);
    QCOMPARE(undoTextList(m_view), QStringList { "rotate" });
}

void TestRotateTool::clickOnHandleStillRecords()
{
    chooseTool();
    clickAt(m_view, QPointF(300, 150));
    QCOMPARE(undoTextList(m_view), QStringList { "rotate" });
    QCOMPARE(m_box->rotateAngle(), 0.0f);
    QVERIFY(m_view->isModified());
}

void TestRotateTool::escapeDuringDragRestores()
{
    chooseTool();
    pressAt(m_view, QPointF(300, 150));
    moveTo(m_view, QPointF(200, 250));
    QCOMPARE(m_box->rotateAngle(), 0.25f);

    sendKey(m_view, Qt::Key_Escape);
    QCOMPARE(m_box->rotateAngle(), 0.0f);
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeSelect));
    releaseAt(m_view, QPointF(200, 250));
    QCOMPARE(m_view->commandManager()->undoCount(), 0);
    QCOMPARE(m_view->commandManager()->redoCount(), 0);
}

void TestRotateTool::undoDuringDragRestores()
{
    chooseTool();
    pressAt(m_view, QPointF(150, 120));
    moveTo(m_view, QPointF(170, 130));
    QCOMPARE(pointsOf(m_box).first(), QPointF(120, 110));

    m_view->commandManager()->undo();
    QCOMPARE(pointsOf(m_box).first(), QPointF(100, 100));
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeSelect));
    QCOMPARE(m_view->commandManager()->undoCount(), 0);
}

void TestRotateTool::bodyDragIsOneStep()
{
    chooseTool();
    dragFromTo(m_view, QPointF(150, 120), QPointF(180, 135), Qt::NoModifier, 6);

    QCOMPARE(pointsOf(m_box).first(), QPointF(130, 115));
    QCOMPARE(undoTextList(m_view), QStringList { "rotate" });
    // The moved target is taken up again, its handle placed anew.
    QCOMPARE(tool()->target(), m_box);
    QCOMPARE(tool()->handle()->toPointF(), QPointF(330, 165));

    undoOnce(m_view);
    QCOMPARE(pointsOf(m_box).first(), QPointF(100, 100));
}

void TestRotateTool::dragFromAnotherShapeMovesTheTarget()
{
    SketchShape *other = addBox(m_layer, 400, 300, 100, 100, Qt::blue);
    chooseTool();
    dragFromTo(m_view, QPointF(450, 350), QPointF(460, 350));

    QCOMPARE(pointsOf(m_box).first(), QPointF(110, 100));
    QCOMPARE(pointsOf(other).first(), QPointF(400, 300));
    QCOMPARE(tool()->target(), m_box);
    QCOMPARE(undoTextList(m_view), QStringList { "rotate" });
}

void TestRotateTool::nudgeIsRecorded()
{
    chooseTool();
    m_view->moveSelection(0, 0);
    QCOMPARE(m_view->commandManager()->undoCount(), 0);

    // The handle goes 10 units down: atan(10 / 100).
    m_view->moveSelection(0, 10);
    QCOMPARE(tool()->handle()->toPointF(), QPointF(300, 160));
    QVERIFY(qAbs(m_box->rotateAngle() * 360.0f - 5.7106f) < 0.01f);
    QCOMPARE(undoTextList(m_view), QStringList { "rotate" });

    undoOnce(m_view);
    QCOMPARE(m_box->rotateAngle(), 0.0f);
}

void TestRotateTool::pressOnEmptyPaperHidesTheTarget()
{
    chooseTool();
    clickAt(m_view, QPointF(600, 500));
    QVERIFY(!tool()->target());
    QCOMPARE(m_view->commandManager()->undoCount(), 0);

    // Inert until chosen again: neither the old handle nor the shape reacts.
    dragFromTo(m_view, QPointF(300, 150), QPointF(200, 250));
    dragFromTo(m_view, QPointF(150, 120), QPointF(170, 120));
    QCOMPARE(m_box->rotateAngle(), 0.0f);
    QCOMPARE(pointsOf(m_box).first(), QPointF(100, 100));
    QCOMPARE(m_view->commandManager()->undoCount(), 0);
}

void TestRotateTool::lockedShapeEndsTheTool()
{
    m_box->setLocked(true);
    chooseTool();
    QVERIFY(!tool()->target());
    QVERIFY(!tool()->handle());

    pressAt(m_view, QPointF(150, 120));
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeSelect));
    releaseAt(m_view, QPointF(150, 120));
    QCOMPARE(m_box->rotateAngle(), 0.0f);
    QCOMPARE(m_view->commandManager()->undoCount(), 0);
}

// A tool that goes in the middle of a drag takes the drag back with it, and
// a view that goes mid-drag leaves nothing alive behind.
void TestRotateTool::destroyedDuringDrag()
{
    const QList<QPointF> before = pointsOf(m_box);
    chooseTool();
    pressAt(m_view, QPointF(300, 150));
    moveTo(m_view, QPointF(200, 250));
    QVERIFY(m_box->rotateAngle() > 0.0f);
    const int commands = SketchGlobals::CommandCount;
    delete m_view->tools().take(SketchToolTypeRotate);
    QCOMPARE(m_box->rotateAngle(), 0.0f);
    QCOMPARE(pointsOf(m_box), before);
    QCOMPARE(m_view->commandManager()->undoCount(), 0);
    QCOMPARE(SketchGlobals::CommandCount, commands - 1);

    delete m_view;
    const LiveCounts noView;
    m_view = new SketchDocumentView;
    SketchShape *box = addBox(m_view->currentLayer(), 100, 100, 200, 100, Qt::yellow);
    selectShape(box);
    chooseTool();
    pressAt(m_view, QPointF(300, 150));
    moveTo(m_view, QPointF(200, 250));
    delete m_view;
    m_view = nullptr;
    const QString change = liveCountsChange(noView);
    QVERIFY2(change.isEmpty(), qPrintable(change));
}

QTEST_MAIN(TestRotateTool)
#include "tst_rotatetool.moc"
