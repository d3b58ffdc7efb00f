// The cut-off tool: removing points, cutting outlines open, the hover cross.

#include "support/history.h"
#include "support/input.h"
#include "support/paintcounter.h"
#include "support/pixels.h"
#include "support/shapes.h"

#include "commands/sketchcommandgroup.h"
#include "commands/sketchcommandmanager.h"
#include "editor/sketchdocumentview.h"
#include "editor/sketchtool.h"
#include "model/sketchgroup.h"

#include <QStandardPaths>
#include <QtTest>

class TestCutoffTool : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup();

    void lastPointOfOpenPath();
    void endOfTwoPointLineRemovesTheLine();
    void cutOnOutlineIsOneStep();
    void pressInsideThenReleaseOnOutline();
    void shapeThatLeftItsLayerIsNotCut();
    void hoverCross_data();
    void hoverCross();
    void groupShowsNoCross();
    void hoveredShapeDestroyed();

private:
    SketchDocumentView *m_view = nullptr;
    SketchLayer *m_layer = nullptr;
};

void TestCutoffTool::init()
{
    m_view = new SketchDocumentView;
    m_view->resize(600, 400);
    m_layer = m_view->currentLayer();
    m_view->setCurrentTool(SketchToolTypeCutoff, true);
}

void TestCutoffTool::cleanup()
{
    delete m_view;
    m_view = nullptr;
}

void TestCutoffTool::lastPointOfOpenPath()
{
    SketchShape *path = addPath(m_layer, { { 100, 100 }, { 150, 150 }, { 200, 100 }, { 250, 150 }, { 300, 100 } }, false);
    clickAt(m_view, QPointF(300, 100));

    QCOMPARE(path->pointCount(), 4);
    QCOMPARE(pointsOf(path).last(), QPointF(250, 150));
    QCOMPARE(undoTextList(m_view), QStringList { "cutofPoint" });
    // The cross was over the point that went; the next repaint must not
    // look for it.
    QVERIFY(!m_view->grab().toImage().isNull());

    undoOnce(m_view);
    QCOMPARE(path->pointCount(), 5);
    QCOMPARE(pointsOf(path).last(), QPointF(300, 100));
}

void TestCutoffTool::endOfTwoPointLineRemovesTheLine()
{
    SketchShape *below = addBox(m_layer, 400, 250, 50, 50);
    SketchShape *line = addPath(m_layer, { { 100, 300 }, { 250, 300 } }, false);
    SketchShape *above = addBox(m_layer, 450, 300, 50, 50);

    clickAt(m_view, QPointF(250, 300));
    QCOMPARE(m_layer->shapes(), (QList<SketchShape *> { below, above }));
    QCOMPARE(undoTextList(m_view), QStringList { "cutofPoint" });
    QVERIFY(!m_view->grab().toImage().isNull());

    undoOnce(m_view);
    QCOMPARE(m_layer->shapes(), (QList<SketchShape *> { below, line, above }));
    QCOMPARE(line->pointCount(), 2);
}

void TestCutoffTool::cutOnOutlineIsOneStep()
{
    SketchShape *box = addBox(m_layer, 100, 100, 200, 100);
    clickAt(m_view, QPointF(200, 100));

    QCOMPARE(undoTextList(m_view), QStringList { "cutofLine" });
    QCOMPARE(m_layer->shapes().size(), 1);
    SketchShape *piece = m_layer->shapes().first();
    QVERIFY(piece != box);
    QVERIFY(!piece->isClosed());
    // Opened at the top edge: it starts at the point after the cut.
    QCOMPARE(pointsOf(piece),
             (QList<QPointF> { { 300, 100 }, { 300, 200 }, { 100, 200 }, { 100, 100 } }));

    undoOnce(m_view);
    QCOMPARE(m_layer->shapes(), QList<SketchShape *> { box });
    QVERIFY(box->isClosed());
    QCOMPARE(box->pointCount(), 4);
}

void TestCutoffTool::pressInsideThenReleaseOnOutline()
{
    SketchShape *box = addBox(m_layer, 100, 100, 200, 100, Qt::yellow);
    hoverAt(m_view, QPointF(200, 150));
    pressAt(m_view, QPointF(200, 150));
    moveTo(m_view, QPointF(200, 100));
    releaseAt(m_view, QPointF(200, 100));

    QCOMPARE(m_view->commandManager()->undoCount(), 0);
    QCOMPARE(m_layer->shapes(), QList<SketchShape *> { box });
    QVERIFY(m_view->isModified());
}

void TestCutoffTool::shapeThatLeftItsLayerIsNotCut()
{
    SketchShape *box = addBox(m_layer, 100, 100, 200, 100);
    hoverAt(m_view, QPointF(200, 100));
    pressAt(m_view, QPointF(200, 100));
    // The shape leaves its layer's list under the gesture: cutting it would
    // be refused by the command, and nothing may be recorded.
    m_layer->shapes().removeOne(box);
    releaseAt(m_view, QPointF(200, 100));

    QCOMPARE(m_view->commandManager()->undoCount(), 0);
    QVERIFY(m_layer->shapes().isEmpty());
    m_layer->shapes().append(box);
}

void TestCutoffTool::hoverCross_data()
{
    QTest::addColumn<QPointF>("pointer");
    QTest::addColumn<QPoint>("probe");

    // The cross sits on the hovered point, or under the pointer on a segment.
    QTest::newRow("point") << QPointF(301, 99) << QPoint(303, 97);
    QTest::newRow("segment") << QPointF(200, 200) << QPoint(197, 203);
}

void TestCutoffTool::hoverCross()
{
    QFETCH(QPointF, pointer);
    QFETCH(QPoint, probe);
    addBox(m_layer, 100, 100, 200, 100);

    QVERIFY(!hasColorNear(m_view->grab().toImage(), probe, 1, Qt::red));
    hoverAt(m_view, pointer);
    QVERIFY(hasColorNear(m_view->grab().toImage(), probe, 1, Qt::red));
}

void TestCutoffTool::groupShowsNoCross()
{
    SketchShape *box = addBox(m_layer, 100, 100, 200, 100);
    box->setSelected(true);
    m_view->commandManager()->push(new SketchCommandGroup(m_view, { box }), QStringLiteral("groupSelection"));
    m_view->clearSelection();

    hoverAt(m_view, QPointF(200, 100));
    QVERIFY(!hasColorNear(m_view->grab().toImage(), QPoint(197, 97), 2, Qt::red));
}

void TestCutoffTool::hoveredShapeDestroyed()
{
    SketchShape *path = addPath(m_layer, { { 100, 100 }, { 200, 100 }, { 300, 100 } }, false);
    hoverAt(m_view, QPointF(300, 100));
    pressAt(m_view, QPointF(300, 100));
    m_layer->shapes().removeOne(path);
    delete path;

    QVERIFY(!m_view->grab().toImage().isNull());
    releaseAt(m_view, QPointF(300, 100));
    QCOMPARE(m_view->commandManager()->undoCount(), 0);
}

QTEST_MAIN(TestCutoffTool)
#include "tst_cutofftool.moc"
