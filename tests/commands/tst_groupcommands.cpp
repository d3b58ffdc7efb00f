#include "support/history.h"
#include "support/livecounts.h"
#include "support/shapes.h"

#include "commands/sketchcommandadd.h"
#include "commands/sketchcommandcutoff.h"
#include "commands/sketchcommandgroup.h"
#include "commands/sketchcommandmanager.h"
#include "commands/sketchcommandremove.h"
#include "commands/sketchcommandrename.h"
#include "commands/sketchcommandungroup.h"
#include "editor/sketchdocumentview.h"
#include "model/sketchdocument.h"
#include "model/sketchglobals.h"
#include "model/sketchgroup.h"

#include <QDomDocument>
#include <QStandardPaths>
#include <QtTest>

namespace {

QStringList xmlOf(const QList<SketchShape *> &shapes)
{
    QStringList texts;
    for (SketchShape *shape : shapes)
        texts.append(shapeXml(shape));
    return texts;
}

// Where the shape's outline is drawn on the page, rotations and enclosing
// groups included.
QRectF drawnRect(SketchDocumentView &view, SketchShape *shape)
{
    return view.shapeTransform(shape).map(shape->outline()).boundingRect();
}

bool nearlyEqual(const QRectF &a, const QRectF &b)
{
    const qreal tolerance = 0.01;
    return qAbs(a.left() - b.left()) < tolerance && qAbs(a.top() - b.top()) < tolerance
        && qAbs(a.right() - b.right()) < tolerance && qAbs(a.bottom() - b.bottom()) < tolerance;
}

// A group of the members on top of the layer, built directly on the model.
SketchGroup *addGroup(SketchLayer *layer, const QList<SketchShape *> &members)
{
    auto *group = new SketchGroup(layer);
    group->shapes() = members;
    group->attachShapes();
    layer->shapes().append(group);
    return group;
}

SketchLayer *addLayer(SketchDocumentView &view, const QString &name)
{
    auto *layer = new SketchLayer(view.document(), name);
    view.layers().append(layer);
    return layer;
}

// The objects of the document tree that are in no list: each has to belong
// to a command of the history, which frees it, not to a layer or document
// that keeps it until the view goes.
int unlistedChildren(SketchDocument *document)
{
    int count = 0;
    for (SketchLayer *layer : document->findChildren<SketchLayer *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!document->layers().contains(layer))
            ++count;
        for (SketchShape *shape : layer->findChildren<SketchShape *>(QString(), Qt::FindDirectChildrenOnly)) {
            if (!layer->shapes().contains(shape))
                ++count;
        }
    }
    return count;
}

enum EditKind { GroupUndone, AddUndone, RemoveDone, UngroupDone, CutoffDone, LayerAddUndone, LayerRemoveDone };

// One step of the kind, left undone where the kind says so.
void editOnce(SketchDocumentView &view, int kind)
{
    SketchCommandManager *manager = view.commandManager();
    SketchLayer *layer = view.currentLayer();
    switch (kind) {
    case GroupUndone:
        manager->push(new SketchCommandGroup(&view, layer->shapes().mid(0, 2)), "group");
        manager->undo();
        break;
    case AddUndone:
        manager->push(new SketchCommandAdd(&view, makeBox(layer, QRectF(5, 5, 10, 10))), "add");
        manager->undo();
        break;
    case RemoveDone:
        manager->push(new SketchCommandRemove(&view, addBox(layer, 20, 20, 10, 10)), "remove");
        break;
    case UngroupDone: {
        SketchGroup *group = addGroup(layer, {addBox(layer, 0, 0, 5, 5), addBox(layer, 9, 9, 5, 5)});
        manager->push(new SketchCommandUnGroup(&view, {group}), "ungroup");
        break;
    }
    case CutoffDone:
        manager->push(new SketchCommandCutoff(&view, addPath(layer, {{0, 0}, {30, 0}, {30, 30}}, false), 0),
                      "cutoff");
        break;
    case LayerAddUndone:
        manager->push(new SketchCommandAdd(&view, new SketchLayer(view.document(), "extra")), "addLayer");
        manager->undo();
        break;
    case LayerRemoveDone:
        manager->push(new SketchCommandRemove(&view, addLayer(view, "gone")), "removeLayer");
        break;
    default:
        break;
    }
}

} // namespace

class TestGroupCommands : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void groupAcrossLayers();
    void groupUndoRestoresOrder_data();
    void groupUndoRestoresOrder();
    void groupUndoRestoresMembersAsTheyWere();
    void groupWithoutShapesOrLayerMakesNothing();
    void ungroupTwoGroups();
    void ungroupRotatedGroupComesBackAsItWas();
    void resizeRoundTripAndDiscardedCommands();
    void discardedStepsFreeWhatTheyTookOut_data();
    void discardedStepsFreeWhatTheyTookOut();
};

// The group lies on top of the current layer while each member keeps its
// own layer; undo gives every member back its layer and index, and redo the
// same group object.
void TestGroupCommands::groupAcrossLayers()
{
    SketchDocumentView view(nullptr);
    SketchLayer *lower = view.layers().first();
    SketchLayer *upper = addLayer(view, "upper");
    SketchShape *a = addBox(lower, 0, 0, 10, 10);
    SketchShape *m1 = addBox(lower, 20, 30, 40, 10);
    SketchShape *b = addBox(lower, 0, 0, 10, 10);
    SketchShape *c = addBox(upper, 0, 0, 10, 10);
    SketchShape *m2 = addPath(upper, {QPointF(100, 50), QPointF(140, 90), QPointF(90, 120)}, true);
    SketchShape *d = addBox(upper, 0, 0, 10, 10);
    m1->setSelected(true);
    m2->setSelected(true);
    view.setCurrentLayer(upper, false);
    const QRectF drawn1 = drawnRect(view, m1);
    const QRectF drawn2 = drawnRect(view, m2);
    const QStringList before = xmlOf({m1, m2});

    auto *command = new SketchCommandGroup(&view, {m1, m2});
    QCOMPARE(command->shapeCount(), 2);
    QVERIFY(!command->group());
    SketchCommandManager *manager = view.commandManager();
    manager->push(command, "groupSelection");

    SketchGroup *group = command->group();
    QVERIFY(group);
    QCOMPARE(group->layer(), upper);
    QCOMPARE(lower->shapes(), (QList<SketchShape *>{a, b}));
    QCOMPARE(upper->shapes(), (QList<SketchShape *>{c, d, group}));
    QCOMPARE(group->shapes(), (QList<SketchShape *>{m1, m2}));
    QCOMPARE(m1->layer(), lower);
    QCOMPARE(m2->layer(), upper);
    QCOMPARE(m1->group(), group);
    QCOMPARE(selectedOf(view.layers()), QList<SketchShape *>{group});
    QCOMPARE(group->activeHandle(), int(SketchHandleInside));
    QVERIFY(!m1->isSelected() && !m2->isSelected());
    QVERIFY(nearlyEqual(drawnRect(view, m1), drawn1));
    QVERIFY(nearlyEqual(drawnRect(view, m2), drawn2));
    QVERIFY(!command->isLayerCommand() && !command->isSliceCommand());

    for (int round = 0; round < 2; ++round) {
        manager->undo();
        QCOMPARE(lower->shapes(), (QList<SketchShape *>{a, m1, b}));
        QCOMPARE(upper->shapes(), (QList<SketchShape *>{c, m2, d}));
        QCOMPARE(m1->layer(), lower);
        QCOMPARE(m2->layer(), upper);
        QVERIFY(!m1->group() && !m2->group());
        QCOMPARE(selectedOf(view.layers()), (QList<SketchShape *>{m1, m2}));
        QCOMPARE(m1->activeHandle(), int(SketchHandleOutline));
        QCOMPARE(xmlOf({m1, m2}), before);
        QVERIFY(!group->isSelected());

        manager->redo();
        QCOMPARE(command->group(), group);
        QCOMPARE(upper->shapes(), (QList<SketchShape *>{c, d, group}));
        QCOMPARE(lower->shapes(), (QList<SketchShape *>{a, b}));
        QCOMPARE(selectedOf(view.layers()), QList<SketchShape *>{group});
        QCOMPARE(m2->group(), group);
    }
}

void TestGroupCommands::groupUndoRestoresOrder_data()
{
    QTest::addColumn<QList<int>>("grouped");
    QTest::addColumn<QList<int>>("rest");

    QTest::newRow("0 and 2 of 4") << QList<int>{0, 2} << QList<int>{1, 3};
    QTest::newRow("1 and 3 of 4") << QList<int>{1, 3} << QList<int>{0, 2};
    QTest::newRow("given top first") << QList<int>{3, 0} << QList<int>{1, 2};
    QTest::newRow("all") << QList<int>{0, 1, 2, 3} << QList<int>();
    QTest::newRow("one") << QList<int>{1} << QList<int>{0, 2, 3};
}

void TestGroupCommands::groupUndoRestoresOrder()
{
    QFETCH(QList<int>, grouped);
    QFETCH(QList<int>, rest);

    SketchDocumentView view(nullptr);
    SketchLayer *layer = view.layers().first();
    QList<SketchShape *> shapes;
    for (int i = 0; i < 4; ++i)
        shapes.append(addBox(layer, 15 * i, 5 * i, 10, 10));
    QList<SketchShape *> members;
    for (int i : grouped)
        members.append(shapes.at(i));
    QList<SketchShape *> others;
    for (int i : rest)
        others.append(shapes.at(i));

    auto *command = new SketchCommandGroup(&view, members);
    SketchCommandManager *manager = view.commandManager();
    manager->push(command, "groupSelection");
    QCOMPARE(layer->shapes(), others + QList<SketchShape *>{command->group()});
    QCOMPARE(command->group()->shapes(), members);

    manager->undo();
    QCOMPARE(layer->shapes(), shapes);
    manager->redo();
    QCOMPARE(layer->shapes(), others + QList<SketchShape *>{command->group()});
    manager->undo();
    QCOMPARE(layer->shapes(), shapes);
}

// Grouping bakes rotations in and turns boxes into free paths; undo hands
// the members back with their own rotation and kind, and redo groups them
// exactly as the first time.
void TestGroupCommands::groupUndoRestoresMembersAsTheyWere()
{
    SketchDocumentView view(nullptr);
    SketchLayer *layer = view.layers().first();
    SketchShape *box = addBox(layer, 50, 40, 80, 30);
    box->setRotateAngle(0.25f);
    box->centerRotatePoint();
    box->setText("label");
    SketchShape *path = addPath(layer, {QPointF(200, 10), QPointF(260, 60), QPointF(210, 90)}, false);
    const QStringList before = xmlOf({box, path});
    const QRectF drawnBox = drawnRect(view, box);

    auto *command = new SketchCommandGroup(&view, {box, path});
    SketchCommandManager *manager = view.commandManager();
    manager->push(command, "groupSelection");
    QCOMPARE(box->behavior(), int(SketchShapePath));
    QCOMPARE(box->rotateAngle(), 0.0f);
    QVERIFY(nearlyEqual(drawnRect(view, box), drawnBox));
    const QString grouped = shapeXml(command->group());

    manager->undo();
    QCOMPARE(box->behavior(), int(SketchShapeBox));
    QCOMPARE(box->rotateAngle(), 0.25f);
    QCOMPARE(xmlOf({box, path}), before);
    QVERIFY(nearlyEqual(drawnRect(view, box), drawnBox));

    manager->redo();
    QCOMPARE(shapeXml(command->group()), grouped);
}

void TestGroupCommands::groupWithoutShapesOrLayerMakesNothing()
{
    SketchDocumentView view(nullptr);
    SketchLayer *layer = view.layers().first();
    SketchShape *shape = addBox(layer, 0, 0, 10, 10);
    SketchCommandManager *manager = view.commandManager();

    auto *empty = new SketchCommandGroup(&view, QList<SketchShape *>{nullptr});
    QCOMPARE(empty->shapeCount(), 0);
    manager->push(empty, "groupSelection");
    QVERIFY(!empty->group());
    manager->undo();
    manager->redo();
    QCOMPARE(layer->shapes(), QList<SketchShape *>{shape});

    view.setCurrentLayer(nullptr, false);
    auto *noLayer = new SketchCommandGroup(&view, {shape});
    manager->push(noLayer, "groupSelection");
    QVERIFY(!noLayer->group());
    manager->undo();
    QCOMPARE(layer->shapes(), QList<SketchShape *>{shape});
    QVERIFY(!shape->group());
}

// Both groups come back holding their members, selected, each at its former
// index; the members of a group may live in another layer than the group.
void TestGroupCommands::ungroupTwoGroups()
{
    SketchDocumentView view(nullptr);
    SketchLayer *layer = view.layers().first();
    SketchLayer *other = addLayer(view, "other");
    SketchShape *x = addBox(layer, 0, 0, 10, 10);
    SketchShape *p = addBox(layer, 20, 20, 10, 10);
    SketchShape *q = addBox(layer, 40, 20, 10, 10);
    SketchGroup *first = addGroup(layer, {p, q});
    SketchShape *y = addBox(layer, 0, 0, 10, 10);
    SketchShape *r = addBox(layer, 80, 10, 10, 30);
    SketchShape *s = addBox(other, 100, 60, 20, 10);
    SketchGroup *second = addGroup(layer, {r, s});
    SketchShape *z = addBox(layer, 0, 0, 10, 10);
    SketchShape *w = addBox(other, 0, 0, 10, 10);
    const QList<SketchShape *> grouped{x, first, y, second, z};
    QCOMPARE(layer->shapes(), grouped);
    QCOMPARE(other->shapes(), QList<SketchShape *>{w});
    const QStringList before = xmlOf({first, second});
    first->setSelected(true);
    second->setSelected(true);

    auto *command = new SketchCommandUnGroup(&view, {second, first, second});
    QCOMPARE(command->groupCount(), 2);
    SketchCommandManager *manager = view.commandManager();
    manager->push(command, "unGroupSelection");

    const QList<SketchShape *> ungrouped{x, y, z, r, p, q};
    for (int round = 0; round < 2; ++round) {
        QCOMPARE(layer->shapes(), ungrouped);
        QCOMPARE(other->shapes(), (QList<SketchShape *>{w, s}));
        QCOMPARE(selectedOf(view.layers()), (QList<SketchShape *>{r, p, q, s}));
        QCOMPARE(p->activeHandle(), int(SketchHandleOutline));
        QVERIFY(!p->group() && !s->group());
        QVERIFY(!first->isSelected());

        manager->undo();
        QCOMPARE(layer->shapes(), grouped);
        QCOMPARE(other->shapes(), QList<SketchShape *>{w});
        QCOMPARE(selectedOf(view.layers()), (QList<SketchShape *>{first, second}));
        QCOMPARE(first->activeHandle(), int(SketchHandleInside));
        QCOMPARE(first->shapes(), (QList<SketchShape *>{p, q}));
        QCOMPARE(s->group(), second);
        QCOMPARE(s->layer(), other);
        QVERIFY(!s->isSelected());
        QCOMPARE(xmlOf({first, second}), before);

        manager->redo();
    }
}

void TestGroupCommands::ungroupRotatedGroupComesBackAsItWas()
{
    SketchDocumentView view(nullptr);
    SketchLayer *layer = view.layers().first();
    SketchShape *below = addBox(layer, 0, 0, 10, 10);
    SketchShape *box = addBox(layer, 100, 100, 60, 20);
    SketchShape *path = addPath(layer, {QPointF(180, 100), QPointF(220, 140), QPointF(170, 150)}, true);
    SketchGroup *group = addGroup(layer, {box, path});
    SketchShape *above = addBox(layer, 0, 0, 10, 10);
    group->setRotateAngle(0.125f);
    group->centerRotatePoint();
    const QPointF rotatePoint = group->rotatePoint();
    const QString before = shapeXml(group);
    const QRectF drawnBox = drawnRect(view, box);

    auto *command = new SketchCommandUnGroup(&view, {group});
    SketchCommandManager *manager = view.commandManager();
    manager->push(command, "unGroupSelection");
    QCOMPARE(layer->shapes(), (QList<SketchShape *>{below, above, box, path}));
    QVERIFY(nearlyEqual(drawnRect(view, box), drawnBox));
    const QStringList ungrouped = xmlOf({box, path});

    manager->undo();
    QCOMPARE(layer->shapes(), (QList<SketchShape *>{below, group, above}));
    QCOMPARE(group->rotateAngle(), 0.125f);
    QCOMPARE(group->rotatePoint(), rotatePoint);
    QCOMPARE(shapeXml(group), before);
    QVERIFY(nearlyEqual(drawnRect(view, box), drawnBox));

    manager->redo();
    QCOMPARE(xmlOf({box, path}), ungrouped);
}

// The resize tool groups, works, then dissolves its group again. Undoing
// both and branching off with a new edit discards the two commands while the
// group is dissolved; closing the view then frees everything exactly once.
void TestGroupCommands::resizeRoundTripAndDiscardedCommands()
{
    const int shapes = SketchGlobals::ShapeCount;
    const int points = SketchGlobals::PointCount;
    const int commands = SketchGlobals::CommandCount;
    const int layers = SketchGlobals::LayerCount;
    {
        SketchDocumentView view(nullptr);
        SketchLayer *layer = view.layers().first();
        SketchShape *a = addBox(layer, 0, 0, 10, 10);
        SketchShape *b = addBox(layer, 30, 0, 10, 10);
        SketchShape *c = addBox(layer, 60, 0, 10, 10);
        SketchCommandManager *manager = view.commandManager();

        auto *grouping = new SketchCommandGroup(&view, {a, c});
        manager->push(grouping, "GroupsForResize");
        manager->push(new SketchCommandUnGroup(&view, {grouping->group()}), "UnGroupForResize");
        QCOMPARE(layer->shapes(), (QList<SketchShape *>{b, a, c}));
        manager->undo();
        QCOMPARE(layer->shapes(), (QList<SketchShape *>{b, grouping->group()}));
        manager->undo();
        QCOMPARE(layer->shapes(), (QList<SketchShape *>{a, b, c}));

        manager->push(new SketchCommandGroup(&view, {b, c}), "groupSelection");
        QCOMPARE(manager->redoCount(), 0);

        // A dissolved group whose ungrouping is discarded while executed.
        SketchGroup *group = addGroup(layer, {a});
        manager->push(new SketchCommandUnGroup(&view, {group}), "unGroupSelection");
        manager->clear();
        QCOMPARE(layer->shapes().last(), a);
    }
    QCOMPARE(SketchGlobals::ShapeCount, shapes);
    QCOMPARE(SketchGlobals::PointCount, points);
    QCOMPARE(SketchGlobals::CommandCount, commands);
    QCOMPARE(SketchGlobals::LayerCount, layers);
}

void TestGroupCommands::discardedStepsFreeWhatTheyTookOut_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("group, undone") << int(GroupUndone);
    QTest::newRow("addition, undone") << int(AddUndone);
    QTest::newRow("removal") << int(RemoveDone);
    QTest::newRow("ungroup") << int(UngroupDone);
    QTest::newRow("cut-off") << int(CutoffDone);
    QTest::newRow("layer addition, undone") << int(LayerAddUndone);
    QTest::newRow("layer removal") << int(LayerRemoveDone);
}

// Five rounds of a step and another edit that discards or keeps it: the
// objects out of the lists belong to the history alone, and once the
// history is cleared the live counters are what the document holds.
void TestGroupCommands::discardedStepsFreeWhatTheyTookOut()
{
    QFETCH(int, kind);
    const LiveCounts before;
    SketchDocumentView view;
    SketchLayer *layer = view.currentLayer();
    addBox(layer, 0, 0, 40, 40);
    addBox(layer, 50, 0, 40, 40);
    addBox(layer, 100, 0, 40, 40);
    for (int round = 0; round < 5; ++round) {
        editOnce(view, kind);
        // Discards an undone step.
        view.commandManager()->push(new SketchCommandRename(&view, layer, QString::number(round)), "rename");
        QCOMPARE(unlistedChildren(view.document()), 0);
    }
    QCOMPARE(layer->findChildren<SketchGroup *>(QString(), Qt::FindDirectChildrenOnly).size(),
             layer->findChildren<SketchGroup *>().size());

    view.commandManager()->clear();
    SketchDocument *document = view.document();
    QCOMPARE(SketchGlobals::ShapeCount - before.shapes, heldShapeCount(document));
    QCOMPARE(SketchGlobals::LayerCount - before.layers, heldLayerCount(document));
    QCOMPARE(SketchGlobals::CommandCount, before.commands);
    int groups = 0;
    for (SketchShape *shape : document->shapes())
        groups += shape->isGroup() ? 1 : 0;
    QCOMPARE(layer->findChildren<SketchGroup *>().size(), groups);
}

QTEST_MAIN(TestGroupCommands)
#include "tst_groupcommands.moc"
