// The corner and smooth point tools: inserting and converting points, the
// drag after the press as its own step, the hover markers.

#include "support/history.h"
#include "support/input.h"
#include "support/livecounts.h"
#include "support/paintcounter.h"
#include "support/pixels.h"
#include "support/shapes.h"

#include "commands/sketchcommandgroup.h"
#include "commands/sketchcommandmanager.h"
#include "commands/sketchcommandremove.h"
#include "editor/sketchdocumentview.h"
#include "editor/sketchtoolpoint.h"
#include "model/sketchglobals.h"
#include "model/sketchgroup.h"

#include <QStandardPaths>
#include <QtTest>

class TestPointTool : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup();

    void cornerPointOnRectangleEdge();
    void dragFromEdgeIsTwoSteps();
    void smoothToolConvertsCornerInPlace();
    void pressInsideOnlySelects();
    void pressOnGroupOnlySelects();
    void releaseMarksModified();
    void secondPressDropsOpenDrag();
    void cutShortDragIsTakenBack_data();
    void cutShortDragIsTakenBack();
    void hoverMarkers_data();
    void hoverMarkers();
    void paintAfterHoveredPointWentAway();

private:
    SketchShape *box() const { return m_box; }
    void useTool(int type) { m_view->setCurrentTool(type, true); }

    SketchDocumentView *m_view = nullptr;
    SketchLayer *m_layer = nullptr;
    SketchShape *m_box = nullptr;
};

void TestPointTool::init()
{
    m_view = new SketchDocumentView;
    m_view->resize(600, 400);
    m_layer = m_view->currentLayer();
    m_box = addBox(m_layer, 100, 100, 200, 100);
}

void TestPointTool::cleanup()
{
    delete m_view;
    m_view = nullptr;
}

void TestPointTool::cornerPointOnRectangleEdge()
{
    useTool(SketchToolTypeCornerPoint);
    clickAt(m_view, QPointF(200, 100));

    QCOMPARE(box()->pointCount(), 5);
    QCOMPARE(box()->behavior(), int(SketchShapePath));
    QCOMPARE(pointsOf(box()).at(1), QPointF(200, 100));
    QVERIFY(!box()->points().at(1)->isCurve());
    QCOMPARE(undoTextList(m_view), QStringList { "insertPoint" });
    QVERIFY(box()->isSelected());
    QCOMPARE(box()->activeHandle(), SketchHandleFirstPoint + 1);

    undoOnce(m_view);
    QCOMPARE(box()->pointCount(), 4);
    QCOMPARE(box()->behavior(), int(SketchShapeBox));
}

void TestPointTool::dragFromEdgeIsTwoSteps()
{
    useTool(SketchToolTypeCornerPoint);
    dragFromTo(m_view, QPointF(200, 100), QPointF(200, 60));

    QCOMPARE(box()->pointCount(), 5);
    QCOMPARE(pointsOf(box()).at(1), QPointF(200, 60));
    QCOMPARE(undoTextList(m_view), (QStringList { "insertPoint", "moveSelection" }));

    undoOnce(m_view);
    QCOMPARE(box()->pointCount(), 5);
    QCOMPARE(pointsOf(box()).at(1), QPointF(200, 100));
    undoOnce(m_view);
    QCOMPARE(box()->pointCount(), 4);
}

void TestPointTool::smoothToolConvertsCornerInPlace()
{
    useTool(SketchToolTypeSmoothPoint);
    // Two pixels off the corner, still on its handle: the point must not
    // jump to the pointer.
    clickAt(m_view, QPointF(102, 101));

    QCOMPARE(box()->pointCount(), 4);
    QVERIFY(box()->points().at(0)->isCurve());
    QCOMPARE(pointsOf(box()).at(0), QPointF(100, 100));
    QCOMPARE(undoTextList(m_view), QStringList { "insertPoint" });

    // A drag that wanders and comes back to the press pixel has still moved
    // the point by the grab offset: that change is recorded, not lost.
    useTool(SketchToolTypeSmoothPoint);
    hoverAt(m_view, QPointF(302, 101));
    pressAt(m_view, QPointF(302, 101));
    moveTo(m_view, QPointF(310, 120));
    moveTo(m_view, QPointF(302, 101));
    releaseAt(m_view, QPointF(302, 101));
    QCOMPARE(pointsOf(box()).at(1), QPointF(302, 101));
    QCOMPARE(undoTextList(m_view), (QStringList { "insertPoint", "insertPoint", "moveSelection" }));
    undoOnce(m_view);
    QCOMPARE(pointsOf(box()).at(1), QPointF(300, 100));
}

void TestPointTool::pressInsideOnlySelects()
{
    box()->setFill(SkinBrush(QColor(Qt::yellow)));
    useTool(SketchToolTypeCornerPoint);
    clickAt(m_view, QPointF(200, 150));

    QCOMPARE(box()->pointCount(), 4);
    QVERIFY(box()->isSelected());
    QCOMPARE(box()->activeHandle(), int(SketchHandleInside));
    QCOMPARE(m_view->commandManager()->undoCount(), 0);
}

void TestPointTool::pressOnGroupOnlySelects()
{
    box()->setSelected(true);
    auto *grouping = new SketchCommandGroup(m_view, { box() });
    m_view->commandManager()->push(grouping, QStringLiteral("groupSelection"));
    SketchGroup *group = grouping->group();
    QVERIFY(group);
    m_view->clearSelection();
    const QList<QPointF> before = pointsOf(group);

    useTool(SketchToolTypeCornerPoint);
    clickAt(m_view, QPointF(200, 100));

    QVERIFY(group->isSelected());
    QCOMPARE(pointsOf(group), before);
    QCOMPARE(group->shapes().first()->pointCount(), 4);
    QCOMPARE(m_view->commandManager()->undoCount(), 1);
}

void TestPointTool::releaseMarksModified()
{
    useTool(SketchToolTypeCornerPoint);
    QSignalSpy changed(m_view, &SketchView::sketchChanged);
    clickAt(m_view, QPointF(450, 300));
    QVERIFY(m_view->isModified());
    QVERIFY(changed.count() >= 1);
    QCOMPARE(m_view->commandManager()->undoCount(), 0);
}

void TestPointTool::secondPressDropsOpenDrag()
{
    useTool(SketchToolTypeCornerPoint);
    hoverAt(m_view, QPointF(200, 100));
    pressAt(m_view, QPointF(200, 100));
    moveTo(m_view, QPointF(200, 60));
    QCOMPARE(pointsOf(box()).at(1), QPointF(200, 60));

    // A second button over empty paper: the open drag is dropped, and what
    // it moved goes back, since it will never be recorded.
    sendMouse(m_view, QEvent::MouseButtonPress, QPointF(500, 350), Qt::RightButton, Qt::LeftButton | Qt::RightButton,
              Qt::NoModifier);
    QCOMPARE(pointsOf(box()).at(1), QPointF(200, 100));
    sendMouse(m_view, QEvent::MouseButtonRelease, QPointF(500, 350), Qt::RightButton, Qt::LeftButton, Qt::NoModifier);
    releaseAt(m_view, QPointF(500, 350));

    QCOMPARE(undoTextList(m_view), QStringList { "insertPoint" });
    QCOMPARE(box()->pointCount(), 5);
}

void TestPointTool::hoverMarkers_data()
{
    QTest::addColumn<int>("tool");
    QTest::addColumn<QPointF>("pointer");
    QTest::addColumn<QPoint>("probe");
    QTest::addColumn<QColor>("colour");

    // Over a point: a red circle of 5.5 pixels half size, from either tool.
    QTest::newRow("point, corner tool") << int(SketchToolTypeCornerPoint) << QPointF(300, 200) << QPoint(300, 194)
                                        << QColor(Qt::red);
    QTest::newRow("point, smooth tool") << int(SketchToolTypeSmoothPoint) << QPointF(300, 200) << QPoint(300, 206)
                                        << QColor(Qt::red);
    // Over a segment: a 3-pixel square (corner) or circle (smooth) around
    // the pointer.
    QTest::newRow("segment, corner tool") << int(SketchToolTypeCornerPoint) << QPointF(200, 200)
                                          << QPoint(197, 197) << QColor(Qt::black);
    QTest::newRow("segment, smooth tool") << int(SketchToolTypeSmoothPoint) << QPointF(200, 200)
                                          << QPoint(200, 197) << QColor(Qt::red);
}

void TestPointTool::hoverMarkers()
{
    QFETCH(int, tool);
    QFETCH(QPointF, pointer);
    QFETCH(QPoint, probe);
    QFETCH(QColor, colour);

    useTool(tool);
    QVERIFY(!hasColorNear(m_view->grab().toImage(), probe, 1, colour));
    hoverAt(m_view, pointer);
    QVERIFY(hasColorNear(m_view->grab().toImage(), probe, 1, colour));
}

void TestPointTool::paintAfterHoveredPointWentAway()
{
    SketchShape *path = addPath(m_layer, { { 100, 300 }, { 150, 350 }, { 200, 300 }, { 250, 350 }, { 300, 300 } }, false);
    useTool(SketchToolTypeCornerPoint);
    hoverAt(m_view, QPointF(300, 300));

    // The hovered last point goes while the tool is current.
    path->setActiveHandle(SketchHandleFirstPoint + 4);
    m_view->commandManager()->push(new SketchCommandRemove(m_view, path), QStringLiteral("cutofPoint"));
    QCOMPARE(path->pointCount(), 4);

    const QImage image = m_view->grab().toImage();
    QVERIFY(!image.isNull());
}

void TestPointTool::cutShortDragIsTakenBack_data()
{
    QTest::addColumn<bool>("byUndo");
    QTest::newRow("Escape") << false;
    QTest::newRow("Undo") << true;
}

// A point drag cut short is taken back at once, and nothing of it comes back
// later: the shape stays where the next recorded edit put it.
void TestPointTool::cutShortDragIsTakenBack()
{
    QFETCH(bool, byUndo);
    const LiveCounts before;
    useTool(SketchToolTypeCornerPoint);
    hoverAt(m_view, QPointF(200, 100));
    pressAt(m_view, QPointF(200, 100));
    moveTo(m_view, QPointF(210, 60));
    moveTo(m_view, QPointF(220, 40));
    QCOMPARE(pointsOf(box()).at(1), QPointF(220, 40));
    if (byUndo)
        m_view->commandManager()->undo();
    else
        sendKey(m_view, Qt::Key_Escape);
    releaseAt(m_view, QPointF(220, 40));

    // The inserted point stays where it was inserted; only the insertion is
    // recorded, and the tool has handed over to the select tool.
    QCOMPARE(pointsOf(box()).at(1), QPointF(200, 100));
    QCOMPARE(undoTextList(m_view), QStringList{"insertPoint"});
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeSelect));

    selectShape(box());
    sendKey(m_view, Qt::Key_Right);
    QCOMPARE(undoTextList(m_view), (QStringList{"insertPoint", "moveSelection"}));
    const QList<QPointF> moved = pointsOf(box());
    QCOMPARE(moved.at(1), QPointF(201, 100));

    // The next press of the point tool, away from the shape, changes it not.
    useTool(SketchToolTypeCornerPoint);
    clickAt(m_view, QPointF(500, 350));
    QCOMPARE(pointsOf(box()), moved);
    QCOMPARE(undoTextList(m_view), (QStringList{"insertPoint", "moveSelection"}));
    QCOMPARE(SketchGlobals::CommandCount, before.commands + 2);
}

QTEST_MAIN(TestPointTool)
#include "tst_pointtool.moc"
