// The frame tool: dragging the selection onto a target shape turns the
// selected shapes of the target's kind into new frames of it, as one
// "addFrame" step; a selection of the wrong kind gets a warning instead.
#include "support/history.h"
#include "support/input.h"
#include "support/paintcounter.h"
#include "support/pixels.h"
#include "support/shapes.h"

#include "commands/sketchcommandmanager.h"
#include "editor/sketchdocumentview.h"
#include "editor/sketchtool.h"
#include "editor/sketchtoolframe.h"
#include "model/sketchdocument.h"
#include "model/sketchgroup.h"
#include "model/sketchlayer.h"
#include "model/sketchpoint.h"
#include "model/sketchshape.h"
#include "skin/windows/skinmessagebox.h"

#include <QPointer>
#include <QStandardPaths>
#include <QtTest>

namespace {

// A warning box as the frame tool filled it in.
struct ShownBox
{
    QString title;
    QString text;
    int buttons = -1;
    int icon = -1;
};

const char *const kMismatchText = "The selected shapes don't match with the target shape.<br/>The basic shape only "
                                  "accepts basic shapes, and the group shape only accepts group shapes.";

SketchGroup *addGroup(SketchLayer *layer, const QList<SketchShape *> &members)
{
    auto *group = new SketchGroup(layer);
    group->shapes() = members;
    group->attachShapes();
    layer->shapes().append(group);
    return group;
}

bool sameCursor(const QCursor &cursor, const QString &image)
{
    return cursor.pixmap().toImage() == QPixmap(image).toImage() && cursor.hotSpot() == QPoint(0, 0);
}

bool filledWith(const SketchShape *shape, const QColor &colour)
{
    return shape->fill() == SkinBrush(colour);
}

// Some pixel within `half` pixels of the centre is roughly that colour.
bool nearOrigin(const QPointF &point)
{
    return qAbs(point.x()) < 1e-3 && qAbs(point.y()) < 1e-3;
}

} // namespace

class TestFrameTool : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup();

    void twoShapesBecomeFramesOfABasicTarget();
    void framesStartAtTheOrigin_data();
    void framesStartAtTheOrigin();
    void framesFollowExistingOnes();
    void mismatchShowsTheWarning_data();
    void mismatchShowsTheWarning();
    void mixedSelectionFramesOnlyItsKind();
    void sourcesPickedByAPointLeaveWhole();
    void groupSourcesPickedByAPointLeaveWhole();
    void targetFollowsThePointer();
    void dropsThatChangeNothing_data();
    void dropsThatChangeNothing();
    void lockedTargetsTakeNoFrames_data();
    void lockedTargetsTakeNoFrames();
    void rightReleaseEndsTheDrag();
    void cancelLeavesTheTool_data();
    void cancelLeavesTheTool();
    void clicksSelectAsTheSelectTool();
    void noInputWithoutAUsableLayer();
    void removingAFrameShowsTheClampedOneAndFreesIt();

private:
    SketchLayer *layer() const { return m_view->currentLayer(); }
    SketchToolFrame *tool() const
    {
        return qobject_cast<SketchToolFrame *>(m_view->tools().value(SketchToolTypeFrame));
    }
    QPoint widgetPos(const QPointF &paper) const { return m_view->mapFromDocument(paper).toPoint(); }
    QPoint centreOf(SketchShape *shape) const { return widgetPos(shape->boundingRect().center()); }
    // Press on `from`, move in steps through `via` (if any) to `to`, release
    // there.
    void drag(const QPoint &from, const QPoint &to, const QList<QPoint> &via = {});
    void useFrameTool() { m_view->setCurrentTool(SketchToolTypeFrame, true); }
    void undo()
    {
        m_view->setCurrentTool(SketchToolTypeSelect, true);
        m_view->commandManager()->undo();
    }
    int undoCount() const { return m_view->commandManager()->undoCount(); }

    SketchDocumentView *m_view = nullptr;
    QList<ShownBox> m_boxes;
};

void TestFrameTool::init()
{
    m_boxes.clear();
    SkinMessageBox::setAnswerHook([this](SkinMessageBox *box) {
        m_boxes.append({box->windowTitle(), box->text(), box->buttons(), box->icon()});
        return int(SkinMessageBox::ResultOk);
    });
    m_view = new SketchDocumentView;
    m_view->resize(1000, 800);
    m_view->show();
}

void TestFrameTool::cleanup()
{
    delete m_view;
    m_view = nullptr;
    SkinMessageBox::setAnswerHook(SkinMessageBox::AnswerHook());
}

void TestFrameTool::drag(const QPoint &from, const QPoint &to, const QList<QPoint> &via)
{
    pressAt(m_view, from);
    QPoint last = from;
    for (const QPoint &stop : via + QList<QPoint>{to}) {
        for (int i = 1; i <= 3; ++i)
            moveTo(m_view, last + (stop - last) * i / 3);
        last = stop;
    }
    releaseAt(m_view, to);
}

// --- Adding frames ------------------------------------------------------------

void TestFrameTool::twoShapesBecomeFramesOfABasicTarget()
{
    SketchShape *first = addBox(layer(), 50, 50, 60, 40, Qt::blue);
    SketchShape *second = addPath(layer(), {{50, 200}, {130, 210}, {120, 260}}, true);
    second->setFill(SkinBrush(QColor(Qt::green)));
    SketchShape *target = addBox(layer(), 300, 100, 100, 80, Qt::red);
    const QList<QPointF> targetPoints = pointsOf(target);
    const QList<SketchShape *> before = layer()->shapes();
    selectShape(first);
    selectShape(second);
    useFrameTool();

    pressAt(m_view, centreOf(first));
    QVERIFY(tool()->isDragging());
    QVERIFY(sameCursor(m_view->cursor(), QStringLiteral(":/tools/images/CursorDrag.png")));
    // The selection does not move with the drag.
    moveTo(m_view, centreOf(target));
    QCOMPARE(tool()->target(), target);
    QCOMPARE(pointsOf(first), QList<QPointF>({{50, 50}, {110, 50}, {110, 90}, {50, 90}}));
    releaseAt(m_view, centreOf(target));

    QVERIFY(m_boxes.isEmpty());
    QVERIFY(!tool()->isDragging());
    QVERIFY(!tool()->target());
    QVERIFY(sameCursor(m_view->cursor(), QStringLiteral(":/tools/images/CursorArrow.png")));
    QCOMPARE(undoTexts(m_view), QStringLiteral("addFrame"));
    QCOMPARE(layer()->shapes(), QList<SketchShape *>{target});
    QVERIFY(target->isSelected());
    QCOMPARE(target->activeHandle(), int(SketchHandleInside));
    // The target goes on showing its own look, which is now frame 0, and
    // the dropped shapes follow in selection order.
    QCOMPARE(pointsOf(target), targetPoints);
    QCOMPARE(target->frameIndex(), 0);
    const QList<SketchShape *> &frames = target->frames();
    QCOMPARE(frames.size(), 3);
    QVERIFY(filledWith(frames.at(0), Qt::red));
    QCOMPARE(frames.at(0)->boundingRect().size(), QSizeF(100, 80));
    QVERIFY(filledWith(frames.at(1), Qt::blue));
    QCOMPARE(frames.at(1)->boundingRect().size(), QSizeF(60, 40));
    QVERIFY(filledWith(frames.at(2), Qt::green));
    QCOMPARE(frames.at(2)->pointCount(), 3);
    for (SketchShape *frame : frames) {
        QVERIFY(!frame->isSelected());
        QCOMPARE(frame->activeHandle(), int(SketchHandleNone));
        QCOMPARE(frame->layer(), layer());
    }

    // One undo brings everything back.
    undo();
    QCOMPARE(layer()->shapes(), before);
    QVERIFY(target->frames().isEmpty());
    QCOMPARE(pointsOf(target), targetPoints);
    QVERIFY(first->isSelected() && second->isSelected() && !target->isSelected());
    QCOMPARE(pointsOf(first), QList<QPointF>({{50, 50}, {110, 50}, {110, 90}, {50, 90}}));

    m_view->commandManager()->redo();
    QCOMPARE(layer()->shapes(), QList<SketchShape *>{target});
    QCOMPARE(target->frames().size(), 3);
}

void TestFrameTool::framesStartAtTheOrigin_data()
{
    QTest::addColumn<float>("zoom");
    QTest::addColumn<QPoint>("scroll");

    QTest::newRow("zoom 1") << 1.0f << QPoint(0, 0);
    QTest::newRow("zoom 2, scrolled") << 2.0f << QPoint(-150, -60);
    QTest::newRow("zoom 0.5") << 0.5f << QPoint(0, 0);
}

void TestFrameTool::framesStartAtTheOrigin()
{
    QFETCH(float, zoom);
    QFETCH(QPoint, scroll);
    SketchShape *source = addBox(layer(), 140, 70, 50, 30, Qt::blue);
    SketchShape *target = addBox(layer(), 250, 90, 80, 60, Qt::red);
    // A turned source: its frame still lies at the origin of its own
    // coordinates.
    SketchShape *turned = addBox(layer(), 150, 200, 40, 20, Qt::green);
    turned->setRotatePoint(QPointF(170, 210));
    turned->setRotateAngle(0.125f);
    m_view->setZoom(zoom);
    m_view->setScrollX(scroll.x(), true);
    m_view->setScrollY(scroll.y(), true);
    selectShape(source);
    selectShape(turned);
    useFrameTool();

    drag(centreOf(source), centreOf(target));

    QCOMPARE(target->frames().size(), 3);
    for (SketchShape *frame : target->frames())
        QVERIFY2(nearOrigin(frame->boundingRect().topLeft()), qPrintable(frame->rectStatusText()));
    QCOMPARE(target->frames().at(1)->boundingRect().size(), QSizeF(50, 30));
}

void TestFrameTool::framesFollowExistingOnes()
{
    // A target that already has frames keeps them and its current frame;
    // the new frames go to the end.
    SketchShape *target = addBox(layer(), 300, 100, 100, 80, Qt::red);
    for (const QColor &colour : {QColor(Qt::red), QColor(Qt::yellow)}) {
        SketchShape *frame = addBox(layer(), 0, 0, 100, 80, colour);
        layer()->shapes().removeOne(frame);
        target->appendFrame(frame);
    }
    target->setFrameIndex(1);
    SketchShape *source = addBox(layer(), 50, 50, 60, 40, Qt::blue);
    selectShape(source);
    useFrameTool();

    drag(centreOf(source), centreOf(target));

    QCOMPARE(target->frames().size(), 3);
    QCOMPARE(target->frameIndex(), 1);
    QVERIFY(filledWith(target, Qt::yellow));
    QVERIFY(filledWith(target->frames().at(2), Qt::blue));

    undo();
    QCOMPARE(target->frames().size(), 2);
    QCOMPARE(target->frameIndex(), 1);
}

// --- Mismatches -------------------------------------------------------------------

void TestFrameTool::mismatchShowsTheWarning_data()
{
    QTest::addColumn<bool>("groupSources");
    QTest::addColumn<bool>("groupTarget");
    QTest::addColumn<bool>("lockedLayer");

    QTest::newRow("basic shapes onto a group") << false << true << false;
    QTest::newRow("groups onto a basic shape") << true << false << false;
    QTest::newRow("basic shapes of a locked layer onto a basic shape") << false << false << true;
}

void TestFrameTool::mismatchShowsTheWarning()
{
    QFETCH(bool, groupSources);
    QFETCH(bool, groupTarget);
    QFETCH(bool, lockedLayer);

    SketchLayer *sourceLayer = layer();
    if (lockedLayer) {
        sourceLayer = new SketchLayer(m_view->document(), QStringLiteral("Locked"));
        m_view->document()->layers().append(sourceLayer);
    }
    SketchShape *source = addBox(sourceLayer, 50, 50, 60, 40, Qt::blue);
    SketchShape *other = addBox(sourceLayer, 50, 150, 60, 40, Qt::blue);
    if (groupSources) {
        source = addGroup(sourceLayer, {source});
        other = addGroup(sourceLayer, {other});
    }
    SketchShape *target = addBox(layer(), 300, 100, 100, 80, Qt::red);
    if (groupTarget)
        target = addGroup(layer(), {target, addBox(layer(), 420, 100, 30, 30, Qt::red)});
    selectShape(source);
    selectShape(other);
    sourceLayer->setLocked(lockedLayer);
    const QList<SketchShape *> sourceShapes = sourceLayer->shapes();
    const QList<SketchShape *> targetShapes = layer()->shapes();
    useFrameTool();

    // A press on a shape of a locked layer would clear the selection: the
    // drag starts with Ctrl on free paper, which keeps it.
    const QPoint start = lockedLayer ? widgetPos(QPointF(200, 400)) : centreOf(source);
    const Qt::KeyboardModifiers modifiers = lockedLayer ? Qt::ControlModifier : Qt::NoModifier;
    pressAt(m_view, start, modifiers);
    QVERIFY(tool()->isDragging());
    moveTo(m_view, centreOf(target), Qt::LeftButton, modifiers);
    QCOMPARE(tool()->target(), target);
    releaseAt(m_view, centreOf(target), modifiers);

    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes.first().title, QStringLiteral("Warning"));
    QCOMPARE(m_boxes.first().text, QString::fromLatin1(kMismatchText));
    QCOMPARE(m_boxes.first().buttons, int(SkinMessageBox::ButtonsOk));
    QCOMPARE(m_boxes.first().icon, int(SkinMessageBox::IconWarning));
    QCOMPARE(undoCount(), 0);
    QCOMPARE(sourceLayer->shapes(), sourceShapes);
    QCOMPARE(layer()->shapes(), targetShapes);
    QVERIFY(target->frames().isEmpty());
    QVERIFY(source->isSelected() && other->isSelected());
    QVERIFY(!target->isSelected());
    QVERIFY(!tool()->isDragging());
    QVERIFY(!tool()->target());
}

void TestFrameTool::mixedSelectionFramesOnlyItsKind()
{
    SketchShape *basic = addBox(layer(), 50, 50, 60, 40, Qt::blue);
    SketchGroup *group = addGroup(layer(), {addBox(layer(), 50, 150, 60, 40, Qt::green)});
    SketchShape *target = addBox(layer(), 300, 100, 100, 80, Qt::red);
    selectShape(basic);
    selectShape(group);
    useFrameTool();

    drag(centreOf(basic), centreOf(target));

    QVERIFY(m_boxes.isEmpty());
    QCOMPARE(undoTexts(m_view), QStringLiteral("addFrame"));
    QCOMPARE(target->frames().size(), 2);
    QVERIFY(filledWith(target->frames().at(1), Qt::blue));
    QCOMPARE(layer()->shapes(), (QList<SketchShape *>{group, target}));
    QVERIFY(group->isSelected());
}

// A single selected shape pressed on one of its points has that point as its
// active handle; it must still leave its layer whole, not lose the point.
void TestFrameTool::sourcesPickedByAPointLeaveWhole()
{
    const QList<QPointF> corners{{50, 50}, {150, 60}, {140, 140}, {60, 130}};
    SketchShape *source = addPath(layer(), corners, true);
    source->setFill(SkinBrush(QColor(Qt::blue)));
    SketchShape *target = addBox(layer(), 300, 100, 100, 80, Qt::red);
    selectShape(source);
    useFrameTool();

    pressAt(m_view, widgetPos(corners.at(2)));
    QCOMPARE(source->activeHandle(), int(SketchHandleFirstPoint) + 2);
    for (int i = 1; i <= 3; ++i)
        moveTo(m_view, widgetPos(corners.at(2)) + (centreOf(target) - widgetPos(corners.at(2))) * i / 3);
    releaseAt(m_view, centreOf(target));

    QCOMPARE(layer()->shapes(), QList<SketchShape *>{target});
    QCOMPARE(target->frames().size(), 2);
    QCOMPARE(target->frames().at(1)->pointCount(), 4);
    QCOMPARE(source->pointCount(), 4);

    undo();
    QCOMPARE(layer()->shapes(), (QList<SketchShape *>{source, target}));
    QCOMPARE(pointsOf(source), corners);
    // Redo takes the shape away again, not a point of it.
    m_view->commandManager()->redo();
    QCOMPARE(layer()->shapes(), QList<SketchShape *>{target});
    QCOMPARE(source->pointCount(), 4);
}

void TestFrameTool::groupSourcesPickedByAPointLeaveWhole()
{
    SketchGroup *pointed = addGroup(layer(), {addBox(layer(), 50, 50, 60, 40, Qt::blue)});
    SketchGroup *pressed = addGroup(layer(), {addBox(layer(), 50, 150, 60, 40, Qt::green)});
    SketchGroup *target = addGroup(layer(), {addBox(layer(), 300, 100, 100, 80, Qt::red)});
    // Left over from an earlier press on its corner handle.
    selectShape(pointed, SketchHandleFirstPoint + 2);
    selectShape(pressed);
    useFrameTool();

    drag(centreOf(pressed), centreOf(target));

    QCOMPARE(layer()->shapes(), QList<SketchShape *>{target});
    QCOMPARE(target->frames().size(), 3);
    for (SketchShape *frame : target->frames()) {
        QVERIFY(frame->isGroup());
        QVERIFY2(nearOrigin(frame->boundingRect().topLeft()), qPrintable(frame->rectStatusText()));
    }
    undo();
    QCOMPARE(layer()->shapes(), (QList<SketchShape *>{pointed, pressed, target}));
    QVERIFY(target->frames().isEmpty());
}

// --- The drag -------------------------------------------------------------------

void TestFrameTool::targetFollowsThePointer()
{
    SketchShape *source = addBox(layer(), 50, 50, 60, 40, Qt::blue);
    SketchShape *selected = addBox(layer(), 50, 300, 60, 40, Qt::blue);
    SketchShape *target = addBox(layer(), 300, 100, 100, 80, Qt::white);
    selectShape(source);
    selectShape(selected);
    useFrameTool();
    // Where the red frame runs: 10 units left of the target's box.
    const QPoint frameLine = widgetPos(QPointF(290, 140));

    pressAt(m_view, centreOf(source));
    moveTo(m_view, centreOf(target));
    QCOMPARE(tool()->target(), target);
    QVERIFY(hasColorNear(m_view->grab().toImage(), frameLine, 1, Qt::red));

    // Over another selected shape the previous target stays.
    moveTo(m_view, centreOf(selected));
    QCOMPARE(tool()->target(), target);
    QVERIFY(hasColorNear(m_view->grab().toImage(), frameLine, 1, Qt::red));

    // Over free paper there is none.
    moveTo(m_view, widgetPos(QPointF(600, 450)));
    QVERIFY(!tool()->target());
    QVERIFY(!hasColorNear(m_view->grab().toImage(), frameLine, 1, Qt::red));

    releaseAt(m_view, widgetPos(QPointF(600, 450)));
    QCOMPARE(undoCount(), 0);
    QVERIFY(m_boxes.isEmpty());
}

void TestFrameTool::dropsThatChangeNothing_data()
{
    QTest::addColumn<bool>("ontoSelection");
    QTest::newRow("on free paper") << false;
    QTest::newRow("on a selected shape") << true;
}

void TestFrameTool::dropsThatChangeNothing()
{
    QFETCH(bool, ontoSelection);
    SketchShape *source = addBox(layer(), 50, 50, 60, 40, Qt::blue);
    SketchShape *selected = addBox(layer(), 300, 100, 100, 80, Qt::blue);
    selectShape(source);
    selectShape(selected);
    const QList<SketchShape *> before = layer()->shapes();
    useFrameTool();

    drag(centreOf(source), ontoSelection ? centreOf(selected) : widgetPos(QPointF(600, 450)));

    QCOMPARE(undoCount(), 0);
    QVERIFY(m_boxes.isEmpty());
    QCOMPARE(layer()->shapes(), before);
    QVERIFY(selected->frames().isEmpty());
    QCOMPARE(pointsOf(source), QList<QPointF>({{50, 50}, {110, 50}, {110, 90}, {50, 90}}));
}

void TestFrameTool::lockedTargetsTakeNoFrames_data()
{
    QTest::addColumn<bool>("lockTheLayer");
    QTest::newRow("on a locked layer") << true;
    QTest::newRow("locked itself") << false;
}

void TestFrameTool::lockedTargetsTakeNoFrames()
{
    QFETCH(bool, lockTheLayer);
    SketchShape *source = addBox(layer(), 50, 50, 60, 40, Qt::blue);
    auto *other = new SketchLayer(m_view->document(), QStringLiteral("Other"));
    m_view->document()->layers().append(other);
    SketchShape *target = addBox(lockTheLayer ? other : layer(), 300, 100, 100, 80, Qt::red);
    if (lockTheLayer)
        other->setLocked(true);
    else
        target->setLocked(true);
    const QString before = shapeXml(target);
    selectShape(source);
    useFrameTool();

    pressAt(m_view, centreOf(source));
    moveTo(m_view, centreOf(target));
    QVERIFY(!tool()->target());
    releaseAt(m_view, centreOf(target));

    QCOMPARE(undoCount(), 0);
    QVERIFY(m_boxes.isEmpty());
    QCOMPARE(shapeXml(target), before);
    QCOMPARE(layer()->shapes().first(), source);
    QCOMPARE(pointsOf(source), QList<QPointF>({{50, 50}, {110, 50}, {110, 90}, {50, 90}}));
}

void TestFrameTool::rightReleaseEndsTheDrag()
{
    SketchShape *source = addBox(layer(), 50, 50, 60, 40, Qt::blue);
    SketchShape *target = addBox(layer(), 300, 100, 100, 80, Qt::red);
    selectShape(source);
    useFrameTool();

    pressAt(m_view, centreOf(source));
    moveTo(m_view, centreOf(target));
    QCOMPARE(tool()->target(), target);
    releaseAt(m_view, centreOf(target), Qt::NoModifier, Qt::RightButton);

    QVERIFY(!tool()->isDragging());
    QVERIFY(!tool()->target());
    QCOMPARE(undoCount(), 0);
    QVERIFY(target->frames().isEmpty());
    QCOMPARE(layer()->shapes().size(), 2);
    QVERIFY(m_boxes.isEmpty());
}

void TestFrameTool::cancelLeavesTheTool_data()
{
    QTest::addColumn<bool>("byUndo");
    QTest::newRow("Escape") << false;
    QTest::newRow("Undo") << true;
}

void TestFrameTool::cancelLeavesTheTool()
{
    QFETCH(bool, byUndo);
    SketchShape *source = addBox(layer(), 50, 50, 60, 40, Qt::blue);
    SketchShape *target = addBox(layer(), 300, 100, 100, 80, Qt::red);
    selectShape(source);
    useFrameTool();

    pressAt(m_view, centreOf(source));
    moveTo(m_view, centreOf(target));
    if (byUndo)
        m_view->commandManager()->undo();
    else
        sendKey(m_view, Qt::Key_Escape);

    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeSelect));
    QVERIFY(!tool()->isDragging());
    QVERIFY(!tool()->target());
    releaseAt(m_view, centreOf(target));
    QCOMPARE(undoCount(), 0);
    QVERIFY(target->frames().isEmpty());
    QCOMPARE(pointsOf(source), QList<QPointF>({{50, 50}, {110, 50}, {110, 90}, {50, 90}}));
}

void TestFrameTool::clicksSelectAsTheSelectTool()
{
    SketchShape *shape = addBox(layer(), 50, 50, 60, 40, Qt::blue);
    useFrameTool();

    clickAt(m_view, centreOf(shape));
    QVERIFY(shape->isSelected());
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeFrame));
    // Nothing was selected at the press: no drag, the arrow cursor.
    QVERIFY(!tool()->isDragging());

    clickAt(m_view, widgetPos(QPointF(600, 450)));
    QVERIFY(!shape->isSelected());
    QCOMPARE(undoCount(), 0);
}

void TestFrameTool::noInputWithoutAUsableLayer()
{
    SketchShape *source = addBox(layer(), 50, 50, 60, 40, Qt::blue);
    SketchShape *target = addBox(layer(), 300, 100, 100, 80, Qt::red);
    selectShape(source);
    layer()->setLocked(true);
    useFrameTool();

    drag(centreOf(source), centreOf(target));

    QVERIFY(!tool()->isDragging());
    QCOMPARE(undoCount(), 0);
    QVERIFY(target->frames().isEmpty());
    QVERIFY(m_boxes.isEmpty());
}

// --- Frames made by the tool, removed again ---------------------------------------

void TestFrameTool::removingAFrameShowsTheClampedOneAndFreesIt()
{
    SketchShape *blue = addBox(layer(), 50, 50, 60, 40, Qt::blue);
    SketchShape *green = addBox(layer(), 50, 150, 30, 70, Qt::green);
    SketchShape *target = addBox(layer(), 300, 100, 100, 80, Qt::red);
    selectShape(blue);
    selectShape(green);
    useFrameTool();
    drag(centreOf(blue), centreOf(target));
    QCOMPARE(target->frames().size(), 3);
    m_view->setCurrentTool(SketchToolTypeSelect, true);

    // The last frame while it shows: the frame now at the clamped index,
    // the blue one, takes its place.
    m_view->changeShapeFrame(target, 2);
    QVERIFY(filledWith(target, Qt::green));
    QPointer<SketchShape> removed = target->frames().at(2);
    QVERIFY(m_view->removeShapeFrame(target, 2));
    QVERIFY(removed.isNull());
    QCOMPARE(target->frames().size(), 2);
    QCOMPARE(target->frameIndex(), 1);
    QVERIFY(filledWith(target, Qt::blue));
    QCOMPARE(target->boundingRect().size(), QSizeF(60, 40));

    // The shown frame, now the last one, again: the frame before it shows,
    // and the single frame left is not kept.
    removed = target->frames().at(1);
    QPointer<SketchShape> remaining = target->frames().at(0);
    QVERIFY(m_view->removeShapeFrame(target, 1));
    QVERIFY(removed.isNull());
    QVERIFY(target->frames().isEmpty());
    QVERIFY(remaining.isNull());
    QVERIFY(filledWith(target, Qt::red));
    QCOMPARE(target->boundingRect().size(), QSizeF(100, 80));

    QCOMPARE(undoTexts(m_view), QStringLiteral("addFrame,changeShapeFrame,removeShapeFrame,removeShapeFrame"));
}

QTEST_MAIN(TestFrameTool)
#include "tst_frametool.moc"
