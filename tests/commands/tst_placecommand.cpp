#include "commands/sketchcommandmanager.h"
#include "commands/sketchcommandplace.h"
#include "editor/sketchdocumentview.h"
#include "model/sketchdocument.h"
#include "model/sketchlayer.h"
#include "model/sketchshape.h"

#include <QStandardPaths>
#include <QtTest>

namespace {

// Fills the layer with one named shape per word of the text, bottom first.
QList<SketchShape *> fillLayer(SketchLayer *layer, const QString &names)
{
    QList<SketchShape *> shapes;
    for (const QString &name : names.split(' ', Qt::SkipEmptyParts)) {
        auto *shape = new SketchShape(layer);
        shape->setName(name);
        layer->shapes().append(shape);
        shapes.append(shape);
    }
    return shapes;
}

QString namesOf(const SketchLayer *layer)
{
    QStringList names;
    for (const SketchShape *shape : layer->shapes())
        names.append(shape->name());
    return names.join(' ');
}

QString namesOf(const QList<SketchLayer *> &layers)
{
    QStringList names;
    for (const SketchLayer *layer : layers)
        names.append(layer->name());
    return names.join(' ');
}

SketchShape *shapeNamed(SketchLayer *layer, const QString &name)
{
    for (SketchShape *shape : layer->shapes()) {
        if (shape->name() == name)
            return shape;
    }
    return nullptr;
}

// Gives the document the layers L0 ... L<count - 1>, bottom first.
void makeLayers(SketchDocumentView &view, int count)
{
    QList<SketchLayer *> &layers = view.layers();
    layers.first()->setName("L0");
    for (int i = 1; i < count; ++i)
        layers.append(new SketchLayer(view.document(), QString("L%1").arg(i)));
}

} // namespace

class TestPlaceCommand : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void placeShapes_data();
    void placeShapes();
    void placeShapesInSeveralLayers();
    void placeLayers_data();
    void placeLayers();
    void moveLayer_data();
    void moveLayer();
    void shapesOutsideTheLayerAreLeftOut();
};

void TestPlaceCommand::placeShapes_data()
{
    QTest::addColumn<QString>("layer");
    QTest::addColumn<QString>("moved");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("expected");

    QTest::newRow("front, apart") << "a S1 b S2 c" << "S1 S2" << 0 << "a b c S1 S2";
    QTest::newRow("front, already on top") << "a S1" << "S1" << 0 << "a S1";
    QTest::newRow("back, apart") << "a S1 b S2 c" << "S1 S2" << 1 << "S1 S2 a b c";
    QTest::newRow("back, from the top") << "a b S1" << "S1" << 1 << "S1 a b";
    QTest::newRow("forward, adjacent") << "a S1 S2 b" << "S1 S2" << 2 << "a b S1 S2";
    QTest::newRow("forward, from the bottom") << "S1 a b" << "S1" << 2 << "a S1 b";
    QTest::newRow("forward, apart") << "S1 a S2 b" << "S1 S2" << 2 << "a S1 b S2";
    QTest::newRow("forward, top cannot move") << "a S1" << "S1" << 2 << "a S1";
    QTest::newRow("forward, block at the top") << "S1 a S2 S3" << "S1 S2 S3" << 2 << "a S1 S2 S3";
    QTest::newRow("backward, apart") << "a S1 b S2" << "S1 S2" << 3 << "S1 a S2 b";
    QTest::newRow("backward, bottom cannot move") << "S1 a" << "S1" << 3 << "S1 a";
    QTest::newRow("backward, block at the bottom") << "S1 S2 a S3" << "S1 S2 S3" << 3 << "S1 S2 S3 a";
    QTest::newRow("unknown kind") << "a S1 b" << "S1" << 7 << "a S1 b";
    QTest::newRow("layer move kind on shapes") << "a S1 b" << "S1" << 4 << "a S1 b";
}

// Undo gives back exactly the former order, also for the objects that were
// not moved; redo gives back exactly the placed order.
void TestPlaceCommand::placeShapes()
{
    QFETCH(QString, layer);
    QFETCH(QString, moved);
    QFETCH(int, kind);
    QFETCH(QString, expected);

    SketchDocumentView view(nullptr);
    SketchLayer *target = view.layers().first();
    fillLayer(target, layer);
    QList<SketchShape *> shapes;
    for (const QString &name : moved.split(' '))
        shapes.append(shapeNamed(target, name));
    shapes.first()->setSelected(true);

    auto *command = new SketchCommandPlace(&view, shapes, kind);
    QVERIFY(!command->isLayerCommand());
    QCOMPARE(command->shapeCount(), shapes.size());
    QCOMPARE(command->layerCount(), 0);
    SketchCommandManager *manager = view.commandManager();
    manager->push(command, "placeSelection");
    QCOMPARE(namesOf(target), expected);

    for (int round = 0; round < 2; ++round) {
        manager->undo();
        QCOMPARE(namesOf(target), layer);
        manager->redo();
        QCOMPARE(namesOf(target), expected);
    }
    // Placing leaves the selection alone.
    for (const SketchShape *shape : target->shapes())
        QCOMPARE(shape->isSelected(), shape == shapes.first());
}

// The document view pushes one command per layer; undoing them restores
// every layer.
void TestPlaceCommand::placeShapesInSeveralLayers()
{
    SketchDocumentView view(nullptr);
    makeLayers(view, 3);
    SketchLayer *bottom = view.layers().at(0);
    SketchLayer *middle = view.layers().at(1);
    SketchLayer *top = view.layers().at(2);
    fillLayer(bottom, "a S1 b S2 c");
    fillLayer(middle, "S3 d e");
    fillLayer(top, "f S4 S5 g");
    SketchCommandManager *manager = view.commandManager();

    const struct {
        int kind;
        const char *bottom;
        const char *middle;
        const char *top;
    } cases[] = {
        {0, "a b c S1 S2", "d e S3", "f g S4 S5"},
        {1, "S1 S2 a b c", "S3 d e", "S4 S5 f g"},
        {2, "a b S1 c S2", "d S3 e", "f g S4 S5"},
        {3, "S1 a S2 b c", "S3 d e", "S4 S5 f g"},
    };
    for (const auto &expected : cases) {
        manager->push(new SketchCommandPlace(&view, QList<SketchShape *>{shapeNamed(bottom, "S1"), shapeNamed(bottom, "S2")},
                                             expected.kind),
                      "placeSelection");
        manager->push(new SketchCommandPlace(&view, shapeNamed(middle, "S3"), expected.kind), "placeSelection");
        manager->push(new SketchCommandPlace(&view, QList<SketchShape *>{shapeNamed(top, "S4"), shapeNamed(top, "S5")},
                                             expected.kind),
                      "placeSelection");
        QCOMPARE(namesOf(bottom), QString(expected.bottom));
        QCOMPARE(namesOf(middle), QString(expected.middle));
        QCOMPARE(namesOf(top), QString(expected.top));
        manager->undo();
        manager->undo();
        manager->undo();
        QCOMPARE(namesOf(bottom), QString("a S1 b S2 c"));
        QCOMPARE(namesOf(middle), QString("S3 d e"));
        QCOMPARE(namesOf(top), QString("f S4 S5 g"));
    }
}

void TestPlaceCommand::placeLayers_data()
{
    QTest::addColumn<QString>("moved");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("expected");

    QTest::newRow("front") << "L1 L3" << 0 << "L0 L2 L1 L3";
    QTest::newRow("back") << "L2 L3" << 1 << "L2 L3 L0 L1";
    QTest::newRow("forward") << "L0 L2" << 2 << "L1 L0 L3 L2";
    QTest::newRow("forward at the top") << "L3" << 2 << "L0 L1 L2 L3";
    QTest::newRow("backward") << "L1 L3" << 3 << "L1 L0 L3 L2";
    QTest::newRow("backward at the bottom") << "L0 L1" << 3 << "L0 L1 L2 L3";
}

void TestPlaceCommand::placeLayers()
{
    QFETCH(QString, moved);
    QFETCH(int, kind);
    QFETCH(QString, expected);

    SketchDocumentView view(nullptr);
    makeLayers(view, 4);
    const QList<SketchLayer *> original = view.layers();
    QList<SketchLayer *> layers;
    for (const QString &name : moved.split(' '))
        layers.append(original.at(name.mid(1).toInt()));

    auto *command = layers.size() == 1 ? new SketchCommandPlace(&view, layers.first(), kind)
                                       : new SketchCommandPlace(&view, layers, kind);
    QVERIFY(command->isLayerCommand());
    QCOMPARE(command->layerCount(), layers.size());
    SketchCommandManager *manager = view.commandManager();
    manager->push(command, "placeLayers");
    QCOMPARE(namesOf(view.layers()), expected);
    QVERIFY(manager->lastCommand()->isLayerCommand());

    manager->undo();
    QCOMPARE(view.layers(), original);
    manager->redo();
    QCOMPARE(namesOf(view.layers()), expected);
    manager->undo();
    QCOMPARE(view.layers(), original);
}

void TestPlaceCommand::moveLayer_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("expected");

    QTest::newRow("0 to 2") << 0 << 2 << "L1 L2 L0 L3";
    QTest::newRow("3 to 0") << 3 << 0 << "L3 L0 L1 L2";
    QTest::newRow("1 to 3") << 1 << 3 << "L0 L2 L3 L1";
    QTest::newRow("in place") << 2 << 2 << "L0 L1 L2 L3";
    QTest::newRow("from before the list") << -1 << 2 << "L0 L1 L2 L3";
    QTest::newRow("from past the list") << 4 << 0 << "L0 L1 L2 L3";
    QTest::newRow("to past the list") << 0 << 4 << "L0 L1 L2 L3";
    QTest::newRow("to before the list") << 2 << -1 << "L0 L1 L2 L3";
}

void TestPlaceCommand::moveLayer()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, expected);

    SketchDocumentView view(nullptr);
    makeLayers(view, 4);
    const QList<SketchLayer *> original = view.layers();

    auto *command = new SketchCommandPlace(&view, from, to);
    QVERIFY(command->isLayerCommand());
    QCOMPARE(command->kind(), int(SketchPlaceMoveLayer));
    QCOMPARE(command->fromIndex(), from);
    QCOMPARE(command->toIndex(), to);
    SketchCommandManager *manager = view.commandManager();
    manager->push(command, "dragDropLayer");
    QCOMPARE(namesOf(view.layers()), expected);

    manager->undo();
    QCOMPARE(view.layers(), original);
    manager->redo();
    QCOMPARE(namesOf(view.layers()), expected);
    manager->undo();
    QCOMPARE(view.layers(), original);
}

// Null shapes, repeats, shapes of another layer and shapes that are in no
// list take no part: they are neither moved nor put into the list.
void TestPlaceCommand::shapesOutsideTheLayerAreLeftOut()
{
    SketchDocumentView view(nullptr);
    makeLayers(view, 2);
    SketchLayer *lower = view.layers().at(0);
    SketchLayer *upper = view.layers().at(1);
    fillLayer(lower, "a S1 b");
    fillLayer(upper, "c S2 d");
    auto *loose = new SketchShape(lower);
    loose->setName("loose");
    SketchShape *s1 = shapeNamed(lower, "S1");

    auto *command = new SketchCommandPlace(
        &view, QList<SketchShape *>{nullptr, s1, loose, s1, shapeNamed(upper, "S2")}, SketchPlaceToFront);
    QCOMPARE(command->shapeCount(), 1);
    SketchCommandManager *manager = view.commandManager();
    manager->push(command, "placeSelection");
    QCOMPARE(namesOf(lower), QString("a b S1"));
    QCOMPARE(namesOf(upper), QString("c S2 d"));
    manager->undo();
    QCOMPARE(namesOf(lower), QString("a S1 b"));

    auto *empty = new SketchCommandPlace(&view, QList<SketchShape *>{loose}, SketchPlaceToBack);
    QCOMPARE(empty->shapeCount(), 0);
    manager->push(empty, "placeSelection");
    manager->undo();
    manager->redo();
    QCOMPARE(namesOf(lower), QString("a S1 b"));
}

QTEST_MAIN(TestPlaceCommand)
#include "tst_placecommand.moc"
