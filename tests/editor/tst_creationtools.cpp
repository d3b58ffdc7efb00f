// The rectangle, ellipse and bubble tools: drag and click creation, Shift,
// the release tolerance, and cancelling through Escape, undo and Delete.
#include "support/history.h"
#include "support/input.h"
#include "support/paintcounter.h"
#include "support/pixels.h"
#include "support/shapes.h"

#include "commands/sketchcommandmanager.h"
#include "editor/sketchdocumentview.h"
#include "editor/sketchtool.h"
#include "editor/sketchtoolcreateshape.h"
#include "model/sketchlayer.h"
#include "model/sketchpoint.h"
#include "model/sketchshape.h"

#include <QStandardPaths>
#include <QtTest>

class TestCreationTools : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup();

    void dragCreates_data();
    void dragCreates();
    void clickModeFollowsThePointer();
    void releaseToleranceIsThreeScreenPixels_data();
    void releaseToleranceIsThreeScreenPixels();
    void rightButtonPressesAreIgnoredButReleasesFinish();
    void escapeWhileDraggingRemovesTheShape();
    void undoWhileDraggingRemovesTheShape();
    void cancelNeverTakesAnotherCommand();
    void deleteWhileDraggingEndsTheCreationFirst();
    void pressesNeedALayer();

private:
    SketchLayer *layer() const { return m_view->currentLayer(); }
    SketchToolCreateShape *creationTool(int type) const
    {
        return static_cast<SketchToolCreateShape *>(m_view->tools().value(type));
    }
    static qreal boxWidth(const SketchShape *shape) { return shape->pointX(2) - shape->pointX(0); }
    int undoCount() const { return m_view->commandManager()->undoCount(); }
    int redoCount() const { return m_view->commandManager()->redoCount(); }

    SketchDocumentView *m_view = nullptr;
};

void TestCreationTools::init()
{
    m_view = new SketchDocumentView;
    m_view->resize(1000, 800);
    m_view->show();
}

void TestCreationTools::cleanup()
{
    delete m_view;
    m_view = nullptr;
}

void TestCreationTools::dragCreates_data()
{
    QTest::addColumn<int>("tool");
    QTest::addColumn<double>("zoom");
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QList<QPointF>>("expected");
    QTest::addColumn<QString>("text");

    const QList<QPointF> box = {{100, 100}, {150, 100}, {150, 120}, {100, 120}};
    QTest::newRow("rectangle") << int(SketchToolTypeRect) << 1.0 << QPoint(100, 100) << QPoint(150, 120)
                               << int(Qt::NoModifier) << box << "addRect";
    QTest::newRow("rectangle with Shift is a square")
        << int(SketchToolTypeRect) << 1.0 << QPoint(100, 100) << QPoint(150, 120) << int(Qt::ShiftModifier)
        << QList<QPointF>{{100, 100}, {120, 100}, {120, 120}, {100, 120}} << "addRect";
    QTest::newRow("square up and left")
        << int(SketchToolTypeRect) << 1.0 << QPoint(100, 100) << QPoint(60, 90) << int(Qt::ShiftModifier)
        << QList<QPointF>{{100, 100}, {90, 100}, {90, 90}, {100, 90}} << "addRect";
    QTest::newRow("ellipse") << int(SketchToolTypeEllipse) << 1.0 << QPoint(100, 100) << QPoint(150, 120)
                             << int(Qt::NoModifier) << box << "addEllipse";
    QTest::newRow("ellipse with Shift is a circle")
        << int(SketchToolTypeEllipse) << 1.0 << QPoint(100, 100) << QPoint(150, 120) << int(Qt::ShiftModifier)
        << QList<QPointF>{{100, 100}, {120, 100}, {120, 120}, {100, 120}} << "addEllipse";
    const QList<QPointF> bubble = {{0, 0}, {100, 0}, {100, 50}, {60, 50}, {50, 80}, {40, 50}, {0, 50}};
    QTest::newRow("bubble") << int(SketchToolTypeBubble) << 1.0 << QPoint(0, 0) << QPoint(100, 50)
                            << int(Qt::NoModifier) << bubble << "addBubble";
    QTest::newRow("bubble ignores Shift") << int(SketchToolTypeBubble) << 1.0 << QPoint(0, 0) << QPoint(100, 50)
                                          << int(Qt::ShiftModifier) << bubble << "addBubble";
    // In paper units the tail stays 30 long: 60 screen pixels at zoom 2.
    QTest::newRow("bubble at zoom 2") << int(SketchToolTypeBubble) << 2.0 << QPoint(0, 0) << QPoint(200, 100)
                                      << int(Qt::NoModifier) << bubble << "addBubble";
    QTest::newRow("rectangle at zoom 2") << int(SketchToolTypeRect) << 2.0 << QPoint(200, 200)
                                         << QPoint(300, 240) << int(Qt::NoModifier) << box << "addRect";
}

void TestCreationTools::dragCreates()
{
    QFETCH(int, tool);
    QFETCH(double, zoom);
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(int, modifiers);
    QFETCH(QList<QPointF>, expected);
    QFETCH(QString, text);

    m_view->setZoom(float(zoom));
    SketchShape *other = addBox(layer(), 400, 400, 10, 10);
    selectShape(other);
    m_view->setCurrentTool(tool, true);
    dragFromTo(m_view, from, to, Qt::KeyboardModifiers(modifiers));

    QCOMPARE(layer()->shapes().size(), 2);
    SketchShape *shape = layer()->shapes().last();
    QCOMPARE(pointsOf(shape), expected);
    QCOMPARE(undoTexts(m_view), text);
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeSelect));
    // Finished: the only selected shape, with active handle 1.
    QVERIFY(shape->isSelected());
    QCOMPARE(shape->activeHandle(), int(SketchHandleOutline));
    QVERIFY(!other->isSelected());
    QVERIFY(shape->isClosed());
    QVERIFY(shape->fill() == SkinBrush::whiteBrush());

    const bool ellipse = tool == SketchToolTypeEllipse;
    const bool bubble = tool == SketchToolTypeBubble;
    QCOMPARE(shape->behavior(), bubble ? int(SketchShapeBubble) : int(SketchShapeBox));
    QCOMPARE(shape->curvePointCount(), ellipse ? 4 : 0);
    QCOMPARE(shape->tension(), ellipse ? 0.85f : 0.5f);
    QCOMPARE(shape->direction(), bubble ? 4 : 0);

    // One undo takes the whole creation back.
    m_view->commandManager()->undo();
    QCOMPARE(layer()->shapes().size(), 1);
}

void TestCreationTools::clickModeFollowsThePointer()
{
    m_view->setCurrentTool(SketchToolTypeRect, true);
    clickAt(m_view, QPoint(100, 100));

    SketchShape *shape = creationTool(SketchToolTypeRect)->newShape();
    QVERIFY(shape);
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeRect));
    QCOMPARE(pointsOf(shape), (QList<QPointF>{{100, 100}, {100, 100}, {100, 100}, {100, 100}}));
    QCOMPARE(undoCount(), 1);

    // No button held: the corner follows all the same.
    moveTo(m_view, QPoint(140, 120), Qt::NoButton);
    QCOMPARE(shape->points().at(2)->toPointF(), QPointF(140, 120));
    // The press is only recorded; the release there finishes the shape.
    clickAt(m_view, QPoint(140, 120));

    QCOMPARE(pointsOf(shape), (QList<QPointF>{{100, 100}, {140, 100}, {140, 120}, {100, 120}}));
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeSelect));
    QCOMPARE(undoTexts(m_view), QStringLiteral("addRect"));
    QCOMPARE(layer()->shapes().size(), 1);
}

void TestCreationTools::releaseToleranceIsThreeScreenPixels_data()
{
    QTest::addColumn<double>("zoom");
    QTest::addColumn<int>("offset");
    QTest::addColumn<bool>("finished");
    QTest::addColumn<double>("width");

    QTest::newRow("2 pixels away at zoom 1") << 1.0 << 2 << false << 2.0;
    QTest::newRow("3 pixels away at zoom 1") << 1.0 << 3 << false << 3.0;
    QTest::newRow("4 pixels away at zoom 1") << 1.0 << 4 << true << 4.0;
    QTest::newRow("2 pixels away at zoom 2") << 2.0 << 2 << false << 1.0;
    QTest::newRow("4 pixels away at zoom 2") << 2.0 << 4 << true << 2.0;
}

void TestCreationTools::releaseToleranceIsThreeScreenPixels()
{
    QFETCH(double, zoom);
    QFETCH(int, offset);
    QFETCH(bool, finished);
    QFETCH(double, width);

    m_view->setZoom(float(zoom));
    m_view->setCurrentTool(SketchToolTypeRect, true);
    pressAt(m_view, QPoint(100, 100));
    moveTo(m_view, QPoint(100 + offset, 100));
    releaseAt(m_view, QPoint(100 + offset, 100));

    SketchShape *shape = layer()->shapes().value(0);
    QVERIFY(shape);
    QCOMPARE(boxWidth(shape), width);
    QCOMPARE(m_view->currentToolType(), finished ? int(SketchToolTypeSelect) : int(SketchToolTypeRect));
    QCOMPARE(creationTool(SketchToolTypeRect)->newShape() == nullptr, finished);
}

void TestCreationTools::rightButtonPressesAreIgnoredButReleasesFinish()
{
    m_view->setCurrentTool(SketchToolTypeBubble, true);
    pressAt(m_view, QPoint(100, 100), Qt::NoModifier, Qt::RightButton);
    releaseAt(m_view, QPoint(100, 100), Qt::NoModifier, Qt::RightButton);
    QCOMPARE(layer()->shapes().size(), 0);
    QCOMPARE(undoCount(), 0);

    clickAt(m_view, QPoint(100, 100));
    moveTo(m_view, QPoint(160, 130), Qt::NoButton);
    pressAt(m_view, QPoint(160, 130), Qt::NoModifier, Qt::RightButton);
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeBubble));
    releaseAt(m_view, QPoint(160, 130), Qt::NoModifier, Qt::RightButton);

    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeSelect));
    QCOMPARE(layer()->shapes().size(), 1);
    QCOMPARE(boxWidth(layer()->shapes().first()), 60.0);
}

void TestCreationTools::escapeWhileDraggingRemovesTheShape()
{
    m_view->setCurrentTool(SketchToolTypeRect, true);
    pressAt(m_view, QPoint(100, 100));
    moveTo(m_view, QPoint(150, 120));
    sendKey(m_view, Qt::Key_Escape);

    QCOMPARE(layer()->shapes().size(), 0);
    QCOMPARE(undoCount(), 0);
    QCOMPARE(redoCount(), 0);
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeSelect));

    // The rest of the gesture reaches the select tool and records nothing.
    moveTo(m_view, QPoint(170, 130));
    releaseAt(m_view, QPoint(170, 130));
    QCOMPARE(undoCount(), 0);
    QCOMPARE(layer()->shapes().size(), 0);

    // An idle creation tool only reports itself done.
    m_view->setCurrentTool(SketchToolTypeEllipse, true);
    sendKey(m_view, Qt::Key_Escape);
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeSelect));
    QCOMPARE(undoCount(), 0);
}

void TestCreationTools::undoWhileDraggingRemovesTheShape()
{
    m_view->setCurrentTool(SketchToolTypeEllipse, true);
    pressAt(m_view, QPoint(100, 100));
    moveTo(m_view, QPoint(150, 120));
    m_view->commandManager()->undo();

    QCOMPARE(layer()->shapes().size(), 0);
    QCOMPARE(undoCount(), 0);
    QCOMPARE(redoCount(), 0);
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeSelect));
}

void TestCreationTools::cancelNeverTakesAnotherCommand()
{
    m_view->setCurrentTool(SketchToolTypeRect, true);
    clickAt(m_view, QPoint(100, 100));
    moveTo(m_view, QPoint(140, 130), Qt::NoButton);
    // Another edit lands on top of the add command while in click mode.
    m_view->lockSelection();
    QCOMPARE(undoTexts(m_view), QStringLiteral("addRect,lockSelection"));

    sendKey(m_view, Qt::Key_Escape);

    // The creation is finished as it stands; the other edit stays.
    QCOMPARE(undoTexts(m_view), QStringLiteral("addRect,lockSelection"));
    QCOMPARE(layer()->shapes().size(), 1);
    SketchShape *shape = layer()->shapes().first();
    QVERIFY(shape->isLocked());
    QCOMPARE(shape->activeHandle(), int(SketchHandleOutline));
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeSelect));

    // A creation whose add command was undone meanwhile is over too: a new
    // press starts a new shape.
    m_view->commandManager()->undo();
    m_view->commandManager()->undo();
    QCOMPARE(layer()->shapes().size(), 0);
    m_view->setCurrentTool(SketchToolTypeRect, true);
    dragFromTo(m_view, QPoint(10, 10), QPoint(30, 40));
    QCOMPARE(layer()->shapes().size(), 1);
    QCOMPARE(undoTexts(m_view), QStringLiteral("addRect"));
}

void TestCreationTools::deleteWhileDraggingEndsTheCreationFirst()
{
    SketchShape *kept = addBox(layer(), 400, 400, 20, 20);
    m_view->setCurrentTool(SketchToolTypeBubble, true);
    pressAt(m_view, QPoint(100, 100));
    moveTo(m_view, QPoint(150, 120));
    m_view->deleteSelection();

    // The shape under creation went with its own add command; nothing was
    // recorded for a shape that is no longer there.
    QCOMPARE(layer()->shapes(), QList<SketchShape *>{kept});
    QCOMPARE(undoCount(), 0);
    QCOMPARE(redoCount(), 0);
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeSelect));

    releaseAt(m_view, QPoint(150, 120));
    QCOMPARE(undoCount(), 0);
}

void TestCreationTools::pressesNeedALayer()
{
    m_view->setCurrentTool(SketchToolTypeRect, true);
    layer()->setLocked(true);
    dragFromTo(m_view, QPoint(10, 10), QPoint(50, 50));
    QCOMPARE(layer()->shapes().size(), 0);

    layer()->setLocked(false);
    m_view->setCurrentLayer(nullptr, false);
    dragFromTo(m_view, QPoint(10, 10), QPoint(50, 50));
    QCOMPARE(undoCount(), 0);
}

QTEST_MAIN(TestCreationTools)
#include "tst_creationtools.moc"
