// The resize tool: stretching the selection through its temporary group,
// stretching the paper, and every way out of the tool leaving no temporary
// group behind.

#include "support/history.h"
#include "support/input.h"
#include "support/paintcounter.h"
#include "support/pixels.h"
#include "support/shapes.h"

#include "commands/sketchcommandgroup.h"
#include "commands/sketchcommandmanager.h"
#include "editor/sketchdocumentview.h"
#include "editor/sketchtoolresize.h"
#include "model/sketchdocument.h"
#include "model/sketchgroup.h"

#include <QTemporaryDir>
#include <QStandardPaths>
#include <QtTest>

class TestResizeTool : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup();

    void choosingGroupsTheSelection();
    void oneGroupIsStretchedDirectly();
    void stretchShapes_data();
    void stretchShapes();
    void leavingUngroupsAndReselects();
    void stretchPaperCorner();
    void paperNeverBelowOneUnit_data();
    void paperNeverBelowOneUnit();
    void wayOut_data();
    void wayOut();
    void choosingAgainRegroups();
    void openingAFileWhileCurrent();
    void pressOffTheHandlesLeaves();
    void readOut();

private:
    SketchToolResize *tool() const
    {
        return static_cast<SketchToolResize *>(m_view->tools().value(SketchToolTypeResize));
    }
    void chooseTool()
    {
        m_view->setCurrentTool(SketchToolTypeResize, true);
        tool()->reset();
    }
    void select(SketchShape *shape)
    {
        shape->setSelected(true);
        shape->setActiveHandle(SketchHandleInside);
    }
    // Groups on the layer: none may stay once the tool is left.
    int groupCount() const
    {
        int count = 0;
        for (const SketchShape *shape : m_layer->shapes())
            count += shape->isGroup() ? 1 : 0;
        return count;
    }

    SketchDocumentView *m_view = nullptr;
    SketchLayer *m_layer = nullptr;
    SketchShape *m_box = nullptr;
};

void TestResizeTool::init()
{
    m_view = new SketchDocumentView;
    m_view->resize(1000, 800);
    m_layer = m_view->currentLayer();
    m_box = addBox(m_layer, 100, 100, 200, 100);
}

void TestResizeTool::cleanup()
{
    delete m_view;
    m_view = nullptr;
}

void TestResizeTool::choosingGroupsTheSelection()
{
    select(m_box);
    chooseTool();
    QCOMPARE(undoTextList(m_view), QStringList { "GroupsForResize" });
    QVERIFY(tool()->temporaryGroup());
    QCOMPARE(groupCount(), 1);
    // The frame lies 10 units outside the selection.
    QCOMPARE(tool()->frame(), QRectF(90, 90, 220, 120));
}

void TestResizeTool::oneGroupIsStretchedDirectly()
{
    select(m_box);
    m_view->commandManager()->push(new SketchCommandGroup(m_view, { m_box }), QStringLiteral("groupSelection"));
    const int steps = m_view->commandManager()->undoCount();
    chooseTool();
    QCOMPARE(m_view->commandManager()->undoCount(), steps);
    QVERIFY(!tool()->temporaryGroup());

    m_view->setCurrentTool(SketchToolTypeSelect, true);
    QCOMPARE(m_view->commandManager()->undoCount(), steps);
    QCOMPARE(groupCount(), 1);
}

void TestResizeTool::stretchShapes_data()
{
    QTest::addColumn<QPointF>("handle");
    QTest::addColumn<QPointF>("offset");
    QTest::addColumn<QRectF>("expected");

    // Frame (90, 90, 220, 120): handles centred half a unit inside.
    QTest::newRow("right") << QPointF(310, 150) << QPointF(50, 30) << QRectF(100, 100, 250, 100);
    QTest::newRow("bottom") << QPointF(200, 210) << QPointF(50, 30) << QRectF(100, 100, 200, 130);
    // The corner keeps the frame's ratio 120 / 220 and ignores the vertical
    // movement.
    QTest::newRow("corner") << QPointF(310, 210) << QPointF(44, -30) << QRectF(100, 100, 244, 124);
}

void TestResizeTool::stretchShapes()
{
    QFETCH(QPointF, handle);
    QFETCH(QPointF, offset);
    QFETCH(QRectF, expected);

    select(m_box);
    chooseTool();
    dragFromTo(m_view, handle, handle + offset);
    QCOMPARE(undoTextList(m_view), (QStringList { "GroupsForResize", "resizeShapes" }));

    m_view->setCurrentTool(SketchToolTypeSelect, true);
    QCOMPARE(groupCount(), 0);
    const QRectF bounds = m_box->boundingRect();
    QVERIFY2(qAbs(bounds.x() - expected.x()) < 0.01 && qAbs(bounds.y() - expected.y()) < 0.01
                 && qAbs(bounds.width() - expected.width()) < 0.01
                 && qAbs(bounds.height() - expected.height()) < 0.01,
             qPrintable(QStringLiteral("%1 %2 %3 %4")
                            .arg(bounds.x())
                            .arg(bounds.y())
                            .arg(bounds.width())
                            .arg(bounds.height())));
}

void TestResizeTool::leavingUngroupsAndReselects()
{
    SketchShape *second = addBox(m_layer, 400, 100, 100, 100);
    SketchShape *unselected = addBox(m_layer, 600, 100, 50, 50);
    select(m_box);
    select(second);
    chooseTool();
    QCOMPARE(m_layer->shapes().size(), 2);
    dragFromTo(m_view, QPointF(510, 150), QPointF(530, 150));

    m_view->setCurrentTool(SketchToolTypeSelect, true);
    QCOMPARE(undoTextList(m_view), (QStringList { "GroupsForResize", "resizeShapes", "UnGroupForResize" }));
    QCOMPARE(groupCount(), 0);
    QCOMPARE(m_layer->shapes().size(), 3);
    QVERIFY(m_layer->shapes().contains(m_box));
    QVERIFY(m_layer->shapes().contains(second));
    QVERIFY(m_box->isSelected());
    QVERIFY(second->isSelected());
    QVERIFY(!unselected->isSelected());
    // Both stretched about one corner.
    QVERIFY(m_box->boundingRect().width() > 200);
    QVERIFY(second->boundingRect().x() > 400);
}

void TestResizeTool::stretchPaperCorner()
{
    chooseTool();
    QCOMPARE(m_view->commandManager()->undoCount(), 0);
    dragFromTo(m_view, QPointF(845, 598), QPointF(945, 598));

    QCOMPARE(m_view->paperSize(), QSize(942, 665));
    QCOMPARE(undoTextList(m_view), QStringList { "resizePaper" });
    undoOnce(m_view);
    QCOMPARE(m_view->paperSize(), QSize(842, 595));
}

void TestResizeTool::paperNeverBelowOneUnit_data()
{
    QTest::addColumn<QPointF>("handle");
    QTest::addColumn<QPointF>("offset");

    QTest::newRow("right") << QPointF(845, 297) << QPointF(-5000, 0);
    QTest::newRow("bottom") << QPointF(421, 598) << QPointF(0, -5000);
    QTest::newRow("corner") << QPointF(845, 598) << QPointF(-5000, -5000);
}

void TestResizeTool::paperNeverBelowOneUnit()
{
    QFETCH(QPointF, handle);
    QFETCH(QPointF, offset);
    chooseTool();
    dragFromTo(m_view, handle, handle + offset);

    const QSize size = m_view->paperSize();
    QVERIFY(size.width() >= 1);
    QVERIFY(size.height() >= 1);
    QCOMPARE(undoTextList(m_view), QStringList { "resizePaper" });
}

void TestResizeTool::wayOut_data()
{
    QTest::addColumn<bool>("dragging");
    QTest::addColumn<bool>("byUndo");

    QTest::newRow("Escape before a drag") << false << false;
    QTest::newRow("Escape during a drag") << true << false;
    QTest::newRow("Undo before a drag") << false << true;
    QTest::newRow("Undo during a drag") << true << true;
}

void TestResizeTool::wayOut()
{
    QFETCH(bool, dragging);
    QFETCH(bool, byUndo);
    select(m_box);
    chooseTool();
    if (dragging) {
        pressAt(m_view, QPointF(310, 150));
        moveTo(m_view, QPointF(360, 150));
        QCOMPARE(tool()->temporaryGroup()->boundingRect().width(), 250.0);
    }

    if (byUndo)
        m_view->commandManager()->undo();
    else
        sendKey(m_view, Qt::Key_Escape);
    if (dragging)
        releaseAt(m_view, QPointF(360, 150));

    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeSelect));
    QCOMPARE(groupCount(), 0);
    QCOMPARE(m_layer->shapes(), QList<SketchShape *> { m_box });
    QVERIFY(m_box->isSelected());
    QCOMPARE(m_box->boundingRect(), QRectF(100, 100, 200, 100));
    QCOMPARE(undoTextList(m_view), (QStringList { "GroupsForResize", "UnGroupForResize" }));
    QCOMPARE(m_view->commandManager()->redoCount(), 0);
}

void TestResizeTool::choosingAgainRegroups()
{
    select(m_box);
    chooseTool();
    chooseTool();
    QCOMPARE(groupCount(), 1);
    // A reset without a change of tool must not orphan the first group.
    tool()->reset();
    QCOMPARE(groupCount(), 1);

    m_view->setCurrentTool(SketchToolTypeSelect, true);
    QCOMPARE(groupCount(), 0);
    QVERIFY(m_box->isSelected());
}

void TestResizeTool::openingAFileWhileCurrent()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString fileName = dir.filePath(QStringLiteral("page.slf"));
    QVERIFY(m_view->saveFile(fileName));

    select(m_box);
    chooseTool();
    // Opening forgets the history, the temporary group's command with it,
    // then leaves the tool.
    QVERIFY(m_view->openFile(fileName));
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeSelect));
    m_layer = m_view->currentLayer();
    QCOMPARE(groupCount(), 0);
}

void TestResizeTool::pressOffTheHandlesLeaves()
{
    select(m_box);
    chooseTool();
    pressAt(m_view, QPointF(600, 500));
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeSelect));
    releaseAt(m_view, QPointF(600, 500));
    QCOMPARE(groupCount(), 0);
}

void TestResizeTool::readOut()
{
    select(m_box);
    chooseTool();
    const QImage before = m_view->grab().toImage();
    pressAt(m_view, QPointF(310, 150));
    moveTo(m_view, QPointF(360, 150));
    const QImage during = m_view->grab().toImage();
    // The gray label sits 10 pixels right of and below the pointer.
    QVERIFY(!hasColorNear(before, QPoint(375, 165), 2, Qt::gray));
    QVERIFY(hasColorNear(during, QPoint(375, 165), 2, Qt::gray));
    releaseAt(m_view, QPointF(360, 150));
}

QTEST_MAIN(TestResizeTool)
#include "tst_resizetool.moc"
