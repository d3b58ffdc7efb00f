#include "support/history.h"
#include "support/shapes.h"

#include "commands/sketchcommandcutoff.h"
#include "commands/sketchcommandmanager.h"
#include "editor/sketchdocumentview.h"
#include "model/sketchdocument.h"
#include "model/sketchglobals.h"

#include <QImage>
#include <QStandardPaths>
#include <QtTest>

#include <memory>

namespace {

// Point i of the test shapes lies at (10 * i, i * i), so every point of a
// piece tells which point of the shape it copies.
QList<QPointF> numberedPoints(int count)
{
    QList<QPointF> points;
    for (int i = 0; i < count; ++i)
        points.append(QPointF(10 * i, i * i));
    return points;
}

QList<QPointF> pickPoints(const QList<int> &indices)
{
    QList<QPointF> points;
    for (int i : indices)
        points.append(QPointF(10 * i, i * i));
    return points;
}

// The cut shape: a free path, or a box when it has four closed points.
SketchShape *addCutShape(SketchLayer *layer, int count, bool closed)
{
    SketchShape *shape = addPath(layer, numberedPoints(count), closed);
    if (closed && count == 4)
        shape->setBehavior(SketchShapeBox);
    shape->setText("caption");
    return shape;
}

// The message of the QString that constructing the command throws; empty
// when it throws nothing.
QString thrownMessage(SketchView *view, SketchShape *shape, int segment)
{
    try {
        std::unique_ptr<SketchCommandCutoff> command(new SketchCommandCutoff(view, shape, segment));
    } catch (const QString &message) {
        return message;
    }
    return QString();
}

} // namespace

class TestCutoffCommand : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void cut_data();
    void cut();
    void cutKeepsStyleAndDropsBlurPicture();
    void refusedArguments_data();
    void refusedArguments();
    void liveCountersReturnAfterView();
};

void TestCutoffCommand::cut_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<int>("segment");
    QTest::addColumn<QList<int>>("first");   // point indices; empty: no piece
    QTest::addColumn<QList<int>>("second");

    QTest::newRow("open 5 at 2") << 5 << false << 2 << QList<int>{0, 1, 2} << QList<int>{3, 4};
    QTest::newRow("open 5 at 0") << 5 << false << 0 << QList<int>() << QList<int>{1, 2, 3, 4};
    QTest::newRow("open 5 at 3") << 5 << false << 3 << QList<int>{0, 1, 2, 3} << QList<int>();
    QTest::newRow("open 3 at 0") << 3 << false << 0 << QList<int>() << QList<int>{1, 2};
    QTest::newRow("open 3 at 1") << 3 << false << 1 << QList<int>{0, 1} << QList<int>();
    QTest::newRow("open 2 at 0") << 2 << false << 0 << QList<int>() << QList<int>();
    QTest::newRow("closed box at 3") << 4 << true << 3 << QList<int>{0, 1, 2, 3} << QList<int>();
    QTest::newRow("closed box at 1") << 4 << true << 1 << QList<int>{2, 3, 0, 1} << QList<int>();
    QTest::newRow("closed box at 0") << 4 << true << 0 << QList<int>{1, 2, 3, 0} << QList<int>();
    QTest::newRow("closed 3 at 2") << 3 << true << 2 << QList<int>{0, 1, 2} << QList<int>();
    QTest::newRow("closed 1 at 0") << 1 << true << 0 << QList<int>() << QList<int>();
}

// The pieces take the shape's place, first below second; undo gives the
// shape back at its index, and redo places the very same pieces again.
void TestCutoffCommand::cut()
{
    QFETCH(int, count);
    QFETCH(bool, closed);
    QFETCH(int, segment);
    QFETCH(QList<int>, first);
    QFETCH(QList<int>, second);

    SketchDocumentView view(nullptr);
    SketchLayer *layer = view.layers().first();
    SketchShape *below = addBox(layer, 0, 0, 5, 5);
    SketchShape *shape = addCutShape(layer, count, closed);
    SketchShape *above = addBox(layer, 0, 0, 5, 5);
    const int behavior = shape->behavior();

    auto *command = new SketchCommandCutoff(&view, shape, segment);
    SketchCommandManager *manager = view.commandManager();
    manager->push(command, "cutofLine");

    QCOMPARE(command->first() != nullptr, !first.isEmpty());
    QCOMPARE(command->second() != nullptr, !second.isEmpty());
    QList<SketchShape *> pieces;
    if (SketchShape *piece = command->first()) {
        QCOMPARE(pointsOf(piece), pickPoints(first));
        QCOMPARE(piece->text(), QString("caption"));
        pieces.append(piece);
    }
    if (SketchShape *piece = command->second()) {
        QCOMPARE(pointsOf(piece), pickPoints(second));
        QCOMPARE(piece->text(), QString());
        pieces.append(piece);
    }
    for (SketchShape *piece : qAsConst(pieces)) {
        QVERIFY(!piece->isClosed());
        QCOMPARE(piece->behavior(), int(SketchShapePath));
        QVERIFY(piece->isSelected());
        QCOMPARE(piece->activeHandle(), int(SketchHandleOutline));
        QCOMPARE(piece->layer(), layer);
        QCOMPARE(piece->parent(), layer);
    }
    const QList<SketchShape *> cut = QList<SketchShape *>{below} + pieces + QList<SketchShape *>{above};
    QCOMPARE(layer->shapes(), cut);

    for (int round = 0; round < 2; ++round) {
        manager->undo();
        QCOMPARE(layer->shapes(), (QList<SketchShape *>{below, shape, above}));
        QCOMPARE(pointsOf(shape), numberedPoints(count));
        QCOMPARE(shape->isClosed(), closed);
        QCOMPARE(shape->behavior(), behavior);
        manager->redo();
        QCOMPARE(layer->shapes(), cut);
    }
}

// A piece is a copy of the shape in everything but its points; a blurred
// shape's cached picture shows the whole outline, so the pieces do not keep
// it.
void TestCutoffCommand::cutKeepsStyleAndDropsBlurPicture()
{
    SketchDocumentView view(nullptr);
    SketchLayer *layer = view.layers().first();
    SketchShape *shape = addCutShape(layer, 5, false);
    shape->setName("rope");
    shape->setStroke(SketchStroke(Qt::red, 3, 1));
    shape->setOpacity(0.5f);
    shape->setBlur(2);
    shape->updateBlurImage();
    QVERIFY(shape->cachedBlurImage());

    view.commandManager()->push(new SketchCommandCutoff(&view, shape, 1), "cutofLine");
    const QList<SketchShape *> pieces = layer->shapes();
    QCOMPARE(pieces.size(), 2);
    for (SketchShape *piece : pieces) {
        QCOMPARE(piece->name(), QString("rope"));
        QCOMPARE(piece->stroke(), shape->stroke());
        QCOMPARE(piece->opacity(), 0.5f);
        QCOMPARE(piece->blur(), 2);
        QVERIFY(!piece->cachedBlurImage());
    }
    QVERIFY(shape->cachedBlurImage());
}

void TestCutoffCommand::refusedArguments_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<int>("segment");
    QTest::addColumn<bool>("listed");
    QTest::addColumn<QString>("message");

    QTest::newRow("closed 4 at 4") << 4 << true << 4 << true << "Can't cut off the segment:4";
    QTest::newRow("open 4 at 3") << 4 << false << 3 << true << "Can't cut off the segment:3";
    QTest::newRow("negative") << 4 << false << -1 << true << "Can't cut off the segment:-1";
    QTest::newRow("open 1 at 0") << 1 << false << 0 << true << "Can't cut off the segment:0";
    QTest::newRow("not in the list") << 4 << true << 1 << false << "The target shape is not exist.";
    QTest::newRow("last closed segment") << 4 << true << 3 << true << QString();
}

// A refused construction throws its message and leaves nothing behind.
void TestCutoffCommand::refusedArguments()
{
    QFETCH(int, count);
    QFETCH(bool, closed);
    QFETCH(int, segment);
    QFETCH(bool, listed);
    QFETCH(QString, message);

    SketchDocumentView view(nullptr);
    SketchLayer *layer = view.layers().first();
    SketchShape *shape = addCutShape(layer, count, closed);
    if (!listed)
        layer->shapes().removeOne(shape);
    const int commands = SketchGlobals::CommandCount;
    const int shapes = SketchGlobals::ShapeCount;

    QCOMPARE(thrownMessage(&view, shape, segment), message);
    QCOMPARE(SketchGlobals::CommandCount, commands);
    QCOMPARE(SketchGlobals::ShapeCount, shapes);
    QCOMPARE(layer->shapes().contains(shape), listed);
    QCOMPARE(pointsOf(shape), numberedPoints(count));

    QCOMPARE(thrownMessage(&view, nullptr, 0), QString("The target shape is not exist."));
}

// Cutting, undoing and discarding the command (by a new push) and closing
// the view frees everything: pieces, points, commands.
void TestCutoffCommand::liveCountersReturnAfterView()
{
    const int shapes = SketchGlobals::ShapeCount;
    const int points = SketchGlobals::PointCount;
    const int commands = SketchGlobals::CommandCount;
    const int layers = SketchGlobals::LayerCount;
    {
        SketchDocumentView view(nullptr);
        SketchLayer *layer = view.layers().first();
        SketchShape *shape = addCutShape(layer, 6, false);
        SketchCommandManager *manager = view.commandManager();
        manager->push(new SketchCommandCutoff(&view, shape, 2), "cutofLine");
        SketchShape *piece = layer->shapes().first();
        manager->push(new SketchCommandCutoff(&view, piece, 0), "cutofLine");
        manager->undo();
        manager->push(new SketchCommandCutoff(&view, piece, 1), "cutofLine");
        QCOMPARE(manager->redoCount(), 0);
        manager->undo();
        manager->undo();
        QCOMPARE(layer->shapes(), QList<SketchShape *>{shape});
    }
    QCOMPARE(SketchGlobals::ShapeCount, shapes);
    QCOMPARE(SketchGlobals::PointCount, points);
    QCOMPARE(SketchGlobals::CommandCount, commands);
    QCOMPARE(SketchGlobals::LayerCount, layers);
}

QTEST_MAIN(TestCutoffCommand)
#include "tst_cutoffcommand.moc"
