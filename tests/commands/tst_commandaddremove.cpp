#include "support/history.h"
#include "support/shapes.h"

#include "commands/sketchcommandadd.h"
#include "commands/sketchcommandmanager.h"
#include "commands/sketchcommandremove.h"
#include "commands/sketchcommandrename.h"
#include "editor/sketchdocumentview.h"
#include "model/sketchdocument.h"
#include "model/sketchglobals.h"
#include "model/sketchslice.h"
#include "model/sketchslicegrid.h"

#include <QStandardPaths>
#include <QtTest>

class TestCommandAddRemove : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void addShapeOnTopSelected();
    void addShapesFollowsFirstLayer();
    void addEmptyListDoesNothing();
    void addLayerAppendsAndUndoRemoves();
    void removalComesBackInPlace_data();
    void removalComesBackInPlace();
    void removeAcrossLayersRestoresEachLayer();
    void removeActivePointUndoRedo();
    void removeLockedPointKeepsPoints();
    void removeLayerReinsertsAtIndex();
    void layerRemovalWithoutDocumentView();
    void renameLayerUndoRedo();
    void addAndRemoveSlices();
    void discardedSliceCommandsFreeTheirSlices();
};

void TestCommandAddRemove::addShapeOnTopSelected()
{
    SketchDocumentView view(nullptr);
    SketchLayer *layer = view.layers().first();
    SketchShape *below = addBox(layer, 0, 0, 10, 10);
    below->setSelected(true);
    auto *rect = new SketchShape(layer);
    rect->points().append(new SketchPoint(5, 5));
    rect->points().append(new SketchPoint(50, 50));

    auto *command = new SketchCommandAdd(&view, rect);
    QCOMPARE(command->shapeCount(), 1);
    view.commandManager()->push(command, "addRect");
    QCOMPARE(layer->shapes(), (QList<SketchShape *>{below, rect}));
    QCOMPARE(selectedOf(view.layers()), QList<SketchShape *>{rect});
    QCOMPARE(rect->activeHandle(), int(SketchHandleInside));

    view.commandManager()->undo();
    QCOMPARE(layer->shapes(), QList<SketchShape *>{below});
    QVERIFY(selectedOf(view.layers()).isEmpty());

    view.commandManager()->redo();
    QCOMPARE(layer->shapes(), (QList<SketchShape *>{below, rect}));
    QCOMPARE(selectedOf(view.layers()), QList<SketchShape *>{rect});
    QCOMPARE(rect->activeHandle(), int(SketchHandleInside));
}

void TestCommandAddRemove::addShapesFollowsFirstLayer()
{
    SketchDocumentView view(nullptr);
    SketchLayer *first = view.layers().first();
    auto *second = new SketchLayer(view.document(), "second");
    view.layers().append(second);
    auto *a = new SketchShape(first);
    auto *b = new SketchShape(second);

    view.commandManager()->push(new SketchCommandAdd(&view, QList<SketchShape *>{a, b}), "pasteFromClipboard");
    QCOMPARE(first->shapes(), (QList<SketchShape *>{a, b}));
    QVERIFY(second->shapes().isEmpty());
    QCOMPARE(b->layer(), first);
    QCOMPARE(selectedOf(view.layers()), (QList<SketchShape *>{a, b}));

    view.commandManager()->undo();
    QVERIFY(first->shapes().isEmpty());
}

void TestCommandAddRemove::addEmptyListDoesNothing()
{
    SketchDocumentView view(nullptr);
    SketchLayer *layer = view.layers().first();
    SketchShape *rect = addBox(layer, 0, 0, 10, 10);
    rect->setSelected(true);
    rect->setActiveHandle(SketchHandleFirstPoint + 1);

    view.commandManager()->push(new SketchCommandAdd(&view, QList<SketchShape *>()), "dropImageFiles");
    view.commandManager()->undo();
    view.commandManager()->redo();
    view.commandManager()->push(new SketchCommandAdd(&view, static_cast<SketchShape *>(nullptr)), "addRect");
    view.commandManager()->undo();

    QCOMPARE(layer->shapes(), QList<SketchShape *>{rect});
    QVERIFY(rect->isSelected());
    QCOMPARE(rect->activeHandle(), SketchHandleFirstPoint + 1);
}

void TestCommandAddRemove::addLayerAppendsAndUndoRemoves()
{
    SketchDocumentView view(nullptr);
    SketchLayer *original = view.layers().first();
    addBox(original, 0, 0, 10, 10);
    SketchLayer *copy = original->clone();
    copy->setName("copy");

    auto *command = new SketchCommandAdd(&view, copy);
    QVERIFY(command->isLayerCommand());
    view.commandManager()->push(command, "duplicateLayer");
    QCOMPARE(view.layers(), (QList<SketchLayer *>{original, copy}));
    QCOMPARE(view.commandManager()->lastCommand()->isLayerCommand(), true);
    view.commandManager()->undo();
    QCOMPARE(view.layers(), QList<SketchLayer *>{original});
    view.commandManager()->redo();
    QCOMPARE(view.layers(), (QList<SketchLayer *>{original, copy}));
}

void TestCommandAddRemove::removalComesBackInPlace_data()
{
    QTest::addColumn<QList<int>>("removed");
    QTest::newRow("middle shapes") << QList<int>{1, 3};
    QTest::newRow("top shape") << QList<int>{4};
    QTest::newRow("bottom shape") << QList<int>{0};
    QTest::newRow("given top first") << QList<int>{3, 1, 2};
    QTest::newRow("all") << QList<int>{0, 1, 2, 3, 4};
}

// Undo puts the removed shapes back exactly where they were, selected, in
// whatever order the removal named them; redo takes the same ones again.
void TestCommandAddRemove::removalComesBackInPlace()
{
    QFETCH(QList<int>, removed);
    SketchDocumentView view(nullptr);
    SketchLayer *layer = view.layers().first();
    QList<SketchShape *> shapes;
    for (int i = 0; i < 5; ++i)
        shapes.append(addBox(layer, i * 20, 0, 10, 10));
    const QList<SketchShape *> all = layer->shapes();
    QList<SketchShape *> taken;
    QList<SketchShape *> left = all;
    for (int index : removed) {
        taken.append(shapes.at(index));
        left.removeOne(shapes.at(index));
    }

    view.commandManager()->push(new SketchCommandRemove(&view, taken), "delelteSelection");
    QCOMPARE(layer->shapes(), left);

    view.commandManager()->undo();
    QCOMPARE(layer->shapes(), all);
    QCOMPARE(selectedOf(view.layers()).size(), taken.size());
    for (SketchShape *shape : qAsConst(taken)) {
        QVERIFY(shape->isSelected());
        QCOMPARE(shape->activeHandle(), int(SketchHandleInside));
    }

    view.commandManager()->redo();
    QCOMPARE(layer->shapes(), left);
    view.commandManager()->undo();
    QCOMPARE(layer->shapes(), all);
}

void TestCommandAddRemove::removeAcrossLayersRestoresEachLayer()
{
    SketchDocumentView view(nullptr);
    SketchLayer *lower = view.layers().first();
    auto *upper = new SketchLayer(view.document(), "upper");
    view.layers().append(upper);
    SketchShape *l0 = addBox(lower, 0, 0, 10, 10);
    SketchShape *l1 = addBox(lower, 0, 0, 10, 10);
    SketchShape *l2 = addBox(lower, 0, 0, 10, 10);
    SketchShape *u0 = addBox(upper, 0, 0, 10, 10);
    SketchShape *u1 = addBox(upper, 0, 0, 10, 10);

    view.commandManager()->push(new SketchCommandRemove(&view, QList<SketchShape *>{l0, l2, u0}), "delelteSelection");
    QCOMPARE(lower->shapes(), QList<SketchShape *>{l1});
    QCOMPARE(upper->shapes(), QList<SketchShape *>{u1});
    view.commandManager()->undo();
    QCOMPARE(lower->shapes(), (QList<SketchShape *>{l0, l1, l2}));
    QCOMPARE(upper->shapes(), (QList<SketchShape *>{u0, u1}));
}

void TestCommandAddRemove::removeActivePointUndoRedo()
{
    SketchDocumentView view(nullptr);
    SketchLayer *layer = view.layers().first();
    const QList<QPointF> five{QPointF(0, 0), QPointF(50, 0), QPointF(80, 40), QPointF(40, 80), QPointF(0, 50)};
    SketchShape *path = addPath(layer, five, true);
    path->setSelected(true);
    path->setActiveHandle(3 + 2);
    QList<QPointF> four = five;
    four.removeAt(2);

    view.commandManager()->push(new SketchCommandRemove(&view, path), "cutofPoint");
    QCOMPARE(layer->shapes(), QList<SketchShape *>{path});
    QCOMPARE(pointsOf(path), four);

    view.commandManager()->undo();
    QCOMPARE(layer->shapes(), QList<SketchShape *>{path});
    QCOMPARE(pointsOf(path), five);
    QCOMPARE(path->activeHandle(), int(SketchHandleInside));
    QVERIFY(path->isSelected());

    // The same point again, not the whole shape.
    view.commandManager()->redo();
    QCOMPARE(layer->shapes(), QList<SketchShape *>{path});
    QCOMPARE(pointsOf(path), four);

    view.commandManager()->undo();
    QCOMPARE(pointsOf(path), five);
}

void TestCommandAddRemove::removeLockedPointKeepsPoints()
{
    SketchDocumentView view(nullptr);
    SketchLayer *layer = view.layers().first();
    SketchShape *path = addPath(layer, {QPointF(0, 0), QPointF(50, 0), QPointF(80, 40)}, true);
    path->points().at(1)->setLocked(true);
    path->setActiveHandle(3 + 1);
    view.commandManager()->push(new SketchCommandRemove(&view, path), "cutofPoint");
    QCOMPARE(path->pointCount(), 3);
    QCOMPARE(layer->shapes(), QList<SketchShape *>{path});
    view.commandManager()->undo();
    view.commandManager()->redo();
    QCOMPARE(path->pointCount(), 3);
    QCOMPARE(layer->shapes(), QList<SketchShape *>{path});
}

void TestCommandAddRemove::removeLayerReinsertsAtIndex()
{
    SketchDocumentView view(nullptr);
    SketchLayer *a = view.layers().first();
    auto *b = new SketchLayer(view.document(), "b");
    auto *c = new SketchLayer(view.document(), "c");
    view.layers() << b << c;
    SketchShape *shape = addBox(b, 0, 0, 10, 10);

    auto *command = new SketchCommandRemove(&view, QList<SketchLayer *>{b});
    QVERIFY(command->isLayerCommand());
    view.commandManager()->push(command, "deleteLayer");
    QCOMPARE(view.layers(), (QList<SketchLayer *>{a, c}));
    QCOMPARE(b->index(), -1);
    view.commandManager()->undo();
    QCOMPARE(view.layers(), (QList<SketchLayer *>{a, b, c}));
    QCOMPARE(b->shapes(), QList<SketchShape *>{shape});
    view.commandManager()->redo();
    QCOMPARE(view.layers(), (QList<SketchLayer *>{a, c}));
}

void TestCommandAddRemove::layerRemovalWithoutDocumentView()
{
    SketchDocument document(nullptr);
    auto *second = new SketchLayer(&document, "second");
    document.layers().append(second);
    addBox(second, 0, 0, 10, 10);
    SketchView view(nullptr);

    view.commandManager()->push(new SketchCommandRemove(&view, second), "deleteLayer");
    QCOMPARE(document.layers().size(), 1);
    view.commandManager()->undo();
    QCOMPARE(document.layers().size(), 2);
    QCOMPARE(document.layers().last(), second);
    QCOMPARE(second->shapes().size(), 1);
    view.commandManager()->redo();
    QCOMPARE(document.layers().size(), 1);
    view.commandManager()->clear();
}

void TestCommandAddRemove::renameLayerUndoRedo()
{
    SketchDocumentView view(nullptr);
    SketchLayer *layer = view.layers().first();
    const QString oldName = layer->name();
    auto *command = new SketchCommandRename(&view, layer, "Inks");
    QVERIFY(command->isLayerCommand());
    view.commandManager()->push(command, "renameLayer");
    QCOMPARE(layer->name(), QString("Inks"));
    view.commandManager()->undo();
    QCOMPARE(layer->name(), oldName);
    view.commandManager()->redo();
    QCOMPARE(layer->name(), QString("Inks"));
}

void TestCommandAddRemove::addAndRemoveSlices()
{
    SketchDocumentView view(nullptr);
    SketchDocument *document = view.document();
    auto *first = new SketchSlice(document);
    first->setRect(QRect(0, 0, 100, 100));
    auto *second = new SketchSlice(document);
    second->setRect(QRect(300, 300, 100, 100));

    view.commandManager()->push(new SketchCommandAdd(&view, first), "addSlice");
    view.commandManager()->push(new SketchCommandAdd(&view, second), "addSlice");
    QCOMPARE(document->slices(), (QList<SketchSlice *>{first, second}));
    QCOMPARE(document->sliceGrid()->columns().size(), 4);

    view.commandManager()->push(new SketchCommandRemove(&view, QList<SketchSlice *>{first}), "delelteSelection");
    QCOMPARE(document->slices(), QList<SketchSlice *>{second});
    QCOMPARE(document->sliceGrid()->columns().size(), 3);

    view.commandManager()->undo();
    QCOMPARE(document->slices(), (QList<SketchSlice *>{first, second}));
    QCOMPARE(document->sliceGrid()->columns().size(), 4);
    view.commandManager()->undo();
    QCOMPARE(document->slices(), QList<SketchSlice *>{first});
    QCOMPARE(document->sliceGrid()->columns().size(), 2);
}

void TestCommandAddRemove::discardedSliceCommandsFreeTheirSlices()
{
    // Slices have no object-tree owner; leaks show under LeakSanitizer and
    // double frees under AddressSanitizer.
    SketchDocumentView view(nullptr);
    SketchDocument *document = view.document();
    QPointer<SketchSlice> added = new SketchSlice(document);
    QPointer<SketchSlice> removed = new SketchSlice(document);
    removed->setRect(QRect(10, 10, 20, 20));
    view.commandManager()->push(new SketchCommandAdd(&view, removed.data()), "addSlice");
    view.commandManager()->push(new SketchCommandRemove(&view, removed.data()), "delelteSelection");
    view.commandManager()->push(new SketchCommandAdd(&view, added.data()), "addSlice");
    view.commandManager()->undo();

    // The undone addition is discarded by the next push.
    view.commandManager()->push(new SketchCommandRename(&view, view.layers().first(), "x"), "renameLayer");
    QVERIFY(added.isNull());
    QVERIFY(!removed.isNull());

    view.commandManager()->clear();
    QVERIFY(removed.isNull());
    QVERIFY(document->slices().isEmpty());
}

QTEST_MAIN(TestCommandAddRemove)
#include "tst_commandaddremove.moc"
