// The connect tool: joining two paths end to end, closing one path, and the
// one undo step of either.

#include "support/history.h"
#include "support/input.h"
#include "support/paintcounter.h"
#include "support/pixels.h"
#include "support/shapes.h"

#include "commands/sketchcommandmanager.h"
#include "editor/sketchdocumentview.h"
#include "editor/sketchtoolconnect.h"

#include <QStandardPaths>
#include <QtTest>

using PointList = QList<QPointF>;

class TestConnectTool : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup();

    void joinEnds_data();
    void joinEnds();
    void joinKeepsTheStackingOrderOnUndo();
    void joinRemovesPathsWhole();
    void closePath();
    void noJoin_data();
    void noJoin();
    void otherButtonsDoNotTrack();
    void targetDestroyedDuringDrag();

private:
    SketchDocumentView *m_view = nullptr;
    SketchLayer *m_layer = nullptr;
    SketchShape *m_a = nullptr;
    SketchShape *m_b = nullptr;
};

void TestConnectTool::init()
{
    m_view = new SketchDocumentView;
    m_view->resize(600, 400);
    m_layer = m_view->currentLayer();
    m_a = addPath(m_layer, { { 100, 100 }, { 150, 100 }, { 200, 100 } }, false);
    m_b = addPath(m_layer, { { 300, 200 }, { 350, 200 }, { 400, 200 }, { 450, 200 } }, false);
    m_view->setCurrentTool(SketchToolTypeConnect, true);
    m_view->currentTool()->reset();
}

void TestConnectTool::cleanup()
{
    delete m_view;
    m_view = nullptr;
}

void TestConnectTool::joinEnds_data()
{
    QTest::addColumn<QPointF>("from");
    QTest::addColumn<QPointF>("to");
    QTest::addColumn<PointList>("expected");

    const QPointF a0(100, 100), a1(150, 100), a2(200, 100);
    const QPointF b0(300, 200), b1(350, 200), b2(400, 200), b3(450, 200);
    QTest::newRow("first to first") << a0 << b0 << PointList { b3, b2, b1, b0, a0, a1, a2 };
    QTest::newRow("first to last") << a0 << b3 << PointList { b0, b1, b2, b3, a0, a1, a2 };
    QTest::newRow("last to first") << a2 << b0 << PointList { a0, a1, a2, b0, b1, b2, b3 };
    QTest::newRow("last to last") << a2 << b3 << PointList { a0, a1, a2, b3, b2, b1, b0 };
}

void TestConnectTool::joinEnds()
{
    QFETCH(QPointF, from);
    QFETCH(QPointF, to);
    QFETCH(PointList, expected);

    m_a->setFill(SkinBrush(QColor(Qt::red)));
    m_a->setStroke(SketchStroke(QColor(Qt::green), 3, 1));
    m_b->setFill(SkinBrush(QColor(Qt::blue)));
    m_b->points().at(1)->setCurve(true);
    m_b->points().at(2)->setLocked(true);
    SketchShape *other = addBox(m_layer, 500, 300, 40, 40);
    other->setSelected(true);

    dragFromTo(m_view, from, to);

    QCOMPARE(undoTextList(m_view), QStringList { "connectShapes" });
    QCOMPARE(m_layer->shapes().size(), 2);
    SketchShape *joined = m_layer->shapes().last();
    QVERIFY(joined != m_a && joined != m_b && joined != other);
    QCOMPARE(pointsOf(joined), expected);
    // The flags of B's points travel with them.
    for (int i = 0; i < joined->pointCount(); ++i) {
        const QPointF p = joined->points().at(i)->toPointF();
        QCOMPARE(joined->points().at(i)->isCurve(), p == QPointF(350, 200));
        QCOMPARE(joined->points().at(i)->isLocked(), p == QPointF(400, 200));
    }
    // A's look, not B's.
    QVERIFY(joined->fill() == m_a->fill());
    QVERIFY(joined->stroke() == m_a->stroke());
    QVERIFY(!joined->isClosed());
    QCOMPARE(m_view->selectedShapes(), QList<SketchShape *> { joined });
    QVERIFY(m_view->currentToolType() == SketchToolTypeConnect);

    undoOnce(m_view);
    QCOMPARE(m_layer->shapes(), (QList<SketchShape *> { m_a, m_b, other }));
    QCOMPARE(m_a->pointCount(), 3);
    QCOMPARE(m_b->pointCount(), 4);
}

void TestConnectTool::joinKeepsTheStackingOrderOnUndo()
{
    // B below A, with shapes around both.
    m_layer->shapes().clear();
    SketchShape *x = addBox(m_layer, 500, 10, 20, 20);
    m_layer->shapes().append(m_b);
    SketchShape *y = addBox(m_layer, 500, 40, 20, 20);
    m_layer->shapes().append(m_a);
    SketchShape *z = addBox(m_layer, 500, 70, 20, 20);

    dragFromTo(m_view, QPointF(200, 100), QPointF(300, 200));
    QCOMPARE(m_layer->shapes().size(), 4);

    undoOnce(m_view);
    QCOMPARE(m_layer->shapes(), (QList<SketchShape *> { x, m_b, y, m_a, z }));
}

void TestConnectTool::joinRemovesPathsWhole()
{
    // Point handles left active on the paths from an earlier edit.
    m_a->setActiveHandle(SketchHandleFirstPoint + 1);
    m_b->setActiveHandle(SketchHandleFirstPoint + 2);
    auto *tool = static_cast<SketchToolConnect *>(m_view->currentTool());
    tool->connectShapes(m_a, 2, m_b, 0);

    QCOMPARE(m_layer->shapes().size(), 1);
    QVERIFY(!m_layer->shapes().contains(m_a));
    QVERIFY(!m_layer->shapes().contains(m_b));
    QCOMPARE(m_a->pointCount(), 3);
    QCOMPARE(m_b->pointCount(), 4);
    QCOMPARE(m_layer->shapes().first()->pointCount(), 7);

    undoOnce(m_view);
    QCOMPARE(m_layer->shapes(), (QList<SketchShape *> { m_a, m_b }));
    QCOMPARE(m_a->pointCount(), 3);
    QCOMPARE(m_b->pointCount(), 4);
}

void TestConnectTool::closePath()
{
    dragFromTo(m_view, QPointF(450, 200), QPointF(300, 200));

    QCOMPARE(undoTextList(m_view), QStringList { "connectShapes" });
    QCOMPARE(m_layer->shapes(), (QList<SketchShape *> { m_a, m_b }));
    QVERIFY(m_b->isClosed());
    QCOMPARE(m_b->pointCount(), 4);
    QVERIFY(m_b->isSelected());

    undoOnce(m_view);
    QVERIFY(!m_b->isClosed());
}

void TestConnectTool::noJoin_data()
{
    QTest::addColumn<PointList>("path");
    QTest::addColumn<QPointF>("from");
    QTest::addColumn<QPointF>("to");

    const PointList twoPoints { { 100, 300 }, { 200, 300 } };
    QTest::newRow("two-point path end to end") << twoPoints << QPointF(100, 300) << QPointF(200, 300);
    QTest::newRow("same end") << PointList() << QPointF(100, 100) << QPointF(101, 101);
    QTest::newRow("from a middle point") << PointList() << QPointF(150, 100) << QPointF(300, 200);
    QTest::newRow("from the outline") << PointList() << QPointF(125, 100) << QPointF(300, 200);
    QTest::newRow("onto a middle point") << PointList() << QPointF(100, 100) << QPointF(350, 200);
    QTest::newRow("from empty paper") << PointList() << QPointF(500, 350) << QPointF(300, 200);
}

void TestConnectTool::noJoin()
{
    QFETCH(PointList, path);
    QFETCH(QPointF, from);
    QFETCH(QPointF, to);
    if (!path.isEmpty())
        addPath(m_layer, path, false);
    const QList<SketchShape *> before = m_layer->shapes();

    dragFromTo(m_view, from, to);

    QCOMPARE(m_view->commandManager()->undoCount(), 0);
    QCOMPARE(m_layer->shapes(), before);
    for (SketchShape *shape : before)
        QVERIFY(!shape->isClosed());
    QVERIFY(m_view->isModified());
}

void TestConnectTool::otherButtonsDoNotTrack()
{
    auto *tool = static_cast<SketchToolConnect *>(m_view->currentTool());
    hoverAt(m_view, QPointF(200, 100));
    pressAt(m_view, QPointF(200, 100));
    QVERIFY(tool->isDragging());
    // Two buttons: the drop onto B's end is not seen.
    moveTo(m_view, QPointF(300, 200), Qt::LeftButton | Qt::RightButton);
    releaseAt(m_view, QPointF(300, 200));
    QVERIFY(!tool->isDragging());
    QCOMPARE(m_view->commandManager()->undoCount(), 0);
}

void TestConnectTool::targetDestroyedDuringDrag()
{
    hoverAt(m_view, QPointF(200, 100));
    pressAt(m_view, QPointF(200, 100));
    moveTo(m_view, QPointF(300, 200));
    m_layer->shapes().removeOne(m_b);
    delete m_b;
    m_b = nullptr;

    QVERIFY(!m_view->grab().toImage().isNull());
    releaseAt(m_view, QPointF(300, 200));
    QCOMPARE(m_view->commandManager()->undoCount(), 0);
    QCOMPARE(m_layer->shapes(), QList<SketchShape *> { m_a });
}

QTEST_MAIN(TestConnectTool)
#include "tst_connecttool.moc"
