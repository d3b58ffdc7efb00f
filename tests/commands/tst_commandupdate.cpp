#include "support/history.h"
#include "support/shapes.h"

#include "commands/sketchcommandmanager.h"
#include "commands/sketchcommandupdate.h"
#include "editor/sketchdocumentview.h"
#include "model/sketchdocument.h"
#include "model/sketchgroup.h"
#include "model/sketchslice.h"
#include "model/sketchslicegrid.h"
#include "model/skinbrush.h"

#include <QDomDocument>
#include <QStandardPaths>
#include <QtTest>

namespace {

// Gives the shape three frames, each its own state at the origin, showing
// frame 1.
void addFrames(SketchShape *shape)
{
    for (int i = 0; i < 3; ++i) {
        SketchShape *frame = shape->clone(false);
        const QRectF bounds = frame->boundingRect();
        frame->translate(float(-bounds.left()), float(-bounds.top()));
        frame->setSelected(false);
        frame->setActiveHandle(SketchHandleNone);
        shape->appendFrame(frame);
    }
    shape->setFrameIndex(1);
}

void verifyFrameHolds(SketchShape *owner)
{
    SketchShape *frame = owner->frames().at(owner->frameIndex());
    const QRectF frameBounds = frame->boundingRect();
    const QRectF ownerBounds = owner->boundingRect();
    QVERIFY2(qAbs(frameBounds.left()) < 1e-3 && qAbs(frameBounds.top()) < 1e-3,
             qPrintable(QString("frame at %1,%2").arg(frameBounds.left()).arg(frameBounds.top())));
    QVERIFY(qAbs(frameBounds.width() - ownerBounds.width()) < 1e-3);
    QVERIFY(qAbs(frameBounds.height() - ownerBounds.height()) < 1e-3);
    QCOMPARE(frame->fill(), owner->fill());
    QCOMPARE(frame->activeHandle(), int(SketchHandleNone));
    QVERIFY(!frame->isSelected());
}

} // namespace

class TestCommandUpdate : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void fillChangeUndoesAndRedoesExactly();
    void lookChangeKeepsTheOutline();
    void targetsPairWithTheirClones();
    void unpushedUpdateRestoresBefore();
    void sliceUpdateRebuildsGrid();
    void framedShapeSyncsItsFrame_data();
    void framedShapeSyncsItsFrame();
    void memberOfFramedGroupSyncsGroupFrame_data();
    void memberOfFramedGroupSyncsGroupFrame();
};

void TestCommandUpdate::fillChangeUndoesAndRedoesExactly()
{
    SketchDocumentView view(nullptr);
    SketchLayer *layer = view.layers().first();
    SketchShape *rect = addBox(layer, 10, 20, 100, 50);
    SketchShape *other = addBox(layer, 200, 20, 30, 30);
    other->setSelected(true);
    const QString before = shapeXml(rect);

    auto *command = new SketchCommandUpdate(&view, rect);
    QCOMPARE(command->shapeCount(), 1);
    QCOMPARE(command->sliceCount(), 0);
    rect->setFill(SkinBrush(QColor(Qt::red)));
    const QString after = shapeXml(rect);
    QVERIFY(before != after);
    view.commandManager()->push(command, "changeFillBrush");

    // Execute records only: no selection change.
    QVERIFY(other->isSelected());
    QVERIFY(!rect->isSelected());
    QCOMPARE(shapeXml(rect), after);

    view.commandManager()->undo();
    QCOMPARE(shapeXml(rect), before);
    QCOMPARE(selectedOf(view.layers()), QList<SketchShape *>{rect});
    QCOMPARE(rect->activeHandle(), int(SketchHandleInside));
    QCOMPARE(layer->shapes(), (QList<SketchShape *>{rect, other}));

    view.commandManager()->redo();
    QCOMPARE(shapeXml(rect), after);
    QCOMPARE(rect->fill(), SkinBrush(QColor(Qt::red)));
    QCOMPARE(selectedOf(view.layers()), QList<SketchShape *>{rect});
    QCOMPARE(rect->activeHandle(), int(SketchHandleInside));
}

// An undo of a change of look only leaves the outline built for the shape
// (a crowded page would rebuild every one); an undo of a move restores the
// points and with them the outline.
void TestCommandUpdate::lookChangeKeepsTheOutline()
{
    SketchDocumentView view(nullptr);
    SketchLayer *layer = view.layers().first();
    SketchShape *path = addPath(layer, {QPointF(0, 0), QPointF(40, 0), QPointF(20, 30)}, true);
    path->prepareToPaint(true);
    QVERIFY(path->keepsOutline());
    const QString before = shapeXml(path);
    const QRectF bounds = path->boundingRect();

    auto *look = new SketchCommandUpdate(&view, path);
    path->setOpacity(0.4f);
    view.commandManager()->push(look, "changeOpacity");
    view.commandManager()->undo();
    QCOMPARE(shapeXml(path), before);
    QVERIFY(path->keepsOutline());

    auto *move = new SketchCommandUpdate(&view, path);
    path->translate(15, 5);
    QCOMPARE(path->boundingRect(), bounds.translated(15, 5));
    view.commandManager()->push(move, "moveShapes");
    view.commandManager()->undo();
    QCOMPARE(shapeXml(path), before);
    QCOMPARE(path->boundingRect(), bounds);
}

void TestCommandUpdate::targetsPairWithTheirClones()
{
    SketchDocumentView view(nullptr);
    SketchLayer *layer = view.layers().first();
    SketchShape *a = addBox(layer, 0, 0, 10, 10);
    SketchShape *b = addPath(layer, {QPointF(0, 0), QPointF(40, 0), QPointF(20, 30)}, true);
    const QString aBefore = shapeXml(a);
    const QString bBefore = shapeXml(b);

    auto *command = new SketchCommandUpdate(&view, QList<SketchShape *>{a, b});
    QCOMPARE(command->shapes(), (QList<SketchShape *>{a, b}));
    a->translate(5, 7);
    b->setStroke(SketchStroke(Qt::blue, 3, 1));
    const QString aAfter = shapeXml(a);
    const QString bAfter = shapeXml(b);
    view.commandManager()->push(command, "moveSelection");

    view.commandManager()->undo();
    QCOMPARE(shapeXml(a), aBefore);
    QCOMPARE(shapeXml(b), bBefore);
    QCOMPARE(selectedOf(view.layers()), (QList<SketchShape *>{a, b}));
    view.commandManager()->redo();
    QCOMPARE(shapeXml(a), aAfter);
    QCOMPARE(shapeXml(b), bAfter);
}

void TestCommandUpdate::unpushedUpdateRestoresBefore()
{
    SketchDocumentView view(nullptr);
    SketchShape *rect = addBox(view.layers().first(), 0, 0, 10, 10);
    const QString before = shapeXml(rect);
    SketchCommandUpdate command(&view, rect);
    rect->translate(30, 30);
    command.undo();
    QCOMPARE(shapeXml(rect), before);
}

void TestCommandUpdate::sliceUpdateRebuildsGrid()
{
    SketchDocumentView view(nullptr);
    SketchDocument *document = view.document();
    SketchShape *rect = addBox(view.layers().first(), 0, 0, 10, 10);
    rect->setSelected(true);
    rect->setActiveHandle(SketchHandleFirstPoint + 4);
    auto *slice = new SketchSlice(document);
    slice->setRect(QRect(100, 100, 200, 100));
    document->slices().append(slice);
    document->updateSliceGrid();
    QCOMPARE(document->sliceGrid()->columns().size(), 3);

    auto *command = new SketchCommandUpdate(&view, slice);
    QVERIFY(command->isSliceCommand());
    QCOMPARE(command->sliceCount(), 1);
    // Moved against the right edge: one vertical edge fewer.
    slice->setRect(QRect(642, 100, 200, 100));
    view.commandManager()->push(command, "handleSlice");
    QCOMPARE(document->sliceGrid()->columns().size(), 2);

    view.commandManager()->undo();
    QCOMPARE(slice->rect(), QRect(100, 100, 200, 100));
    QCOMPARE(document->sliceGrid()->columns().size(), 3);
    view.commandManager()->redo();
    QCOMPARE(slice->rect(), QRect(642, 100, 200, 100));
    QCOMPARE(document->sliceGrid()->columns().size(), 2);

    QVERIFY(rect->isSelected());
    QCOMPARE(rect->activeHandle(), SketchHandleFirstPoint + 4);
}

void TestCommandUpdate::framedShapeSyncsItsFrame_data()
{
    QTest::addColumn<float>("zoom");
    QTest::addColumn<float>("angle");
    QTest::newRow("zoom 1") << 1.0f << 0.0f;
    QTest::newRow("zoom 2") << 2.0f << 0.0f;
    QTest::newRow("zoom 2, rotated") << 2.0f << 0.1f;
}

void TestCommandUpdate::framedShapeSyncsItsFrame()
{
    QFETCH(float, zoom);
    QFETCH(float, angle);
    SketchDocumentView view(nullptr);
    view.setZoom(zoom);
    SketchShape *shape = addBox(view.layers().first(), 100, 80, 60, 40);
    addFrames(shape);
    shape->setRotateAngle(angle);
    shape->centerRotatePoint();

    auto *command = new SketchCommandUpdate(&view, shape);
    shape->translate(37, 11);
    shape->setFill(SkinBrush(QColor(Qt::green)));
    view.commandManager()->push(command, "changeFillBrush");
    verifyFrameHolds(shape);

    view.commandManager()->undo();
    verifyFrameHolds(shape);
    QCOMPARE(shape->frames().at(1)->fill(), SkinBrush::transparentBrush());
    view.commandManager()->redo();
    verifyFrameHolds(shape);
}

void TestCommandUpdate::memberOfFramedGroupSyncsGroupFrame_data()
{
    QTest::addColumn<float>("zoom");
    QTest::newRow("zoom 1") << 1.0f;
    QTest::newRow("zoom 2") << 2.0f;
}

void TestCommandUpdate::memberOfFramedGroupSyncsGroupFrame()
{
    QFETCH(float, zoom);
    SketchDocumentView view(nullptr);
    view.setZoom(zoom);
    SketchLayer *layer = view.layers().first();
    SketchShape *first = addBox(layer, 100, 100, 50, 50);
    SketchShape *second = addBox(layer, 200, 150, 40, 30);
    auto *group = new SketchGroup(layer);
    group->shapes() = {first, second};
    group->attachShapes();
    layer->shapes().append(group);
    QCOMPARE(layer->shapes(), QList<SketchShape *>{group});
    addFrames(group);
    // The members now live in the frame shown.
    SketchShape *member = group->shapes().first();

    auto *command = new SketchCommandUpdate(&view, member);
    member->setFill(SkinBrush(QColor(Qt::yellow)));
    view.commandManager()->push(command, "changeFillBrush");

    SketchShape *frame = group->frames().at(1);
    const QRectF bounds = frame->boundingRect();
    QVERIFY2(qAbs(bounds.left()) < 1e-3 && qAbs(bounds.top()) < 1e-3,
             qPrintable(QString("frame at %1,%2").arg(bounds.left()).arg(bounds.top())));
    QVERIFY(qAbs(bounds.width() - group->boundingRect().width()) < 1e-3);
    QVERIFY(!frame->isSelected());
    QCOMPARE(frame->activeHandle(), int(SketchHandleNone));
    auto *frameGroup = static_cast<SketchGroup *>(frame);
    QCOMPARE(frameGroup->shapes().first()->fill(), SkinBrush(QColor(Qt::yellow)));

    view.commandManager()->undo();
    frameGroup = static_cast<SketchGroup *>(group->frames().at(1));
    QCOMPARE(frameGroup->shapes().first()->fill(), SkinBrush::transparentBrush());
    QCOMPARE(frameGroup->boundingRect().topLeft(), QPointF(0, 0));
}

QTEST_MAIN(TestCommandUpdate)
#include "tst_commandupdate.moc"
