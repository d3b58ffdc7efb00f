// The document view's operations on the selection: z-order, alignment,
// grouping, locking, flipping, deleting, selecting, frames, and the picking
// of the shape or slice under a point.
#include "support/history.h"
#include "support/input.h"
#include "support/paintcounter.h"
#include "support/pixels.h"
#include "support/shapes.h"

#include "commands/sketchcommandmanager.h"
#include "editor/sketchdocumentview.h"
#include "editor/sketchtool.h"
#include "model/sketchdocument.h"
#include "model/sketchgroup.h"
#include "model/sketchlayer.h"
#include "model/sketchpoint.h"
#include "model/sketchshape.h"
#include "model/sketchslice.h"

#include <QStandardPaths>
#include <QtTest>
#include <functional>

using ViewEdit = std::function<void(SketchDocumentView *, SketchShape *)>;
Q_DECLARE_METATYPE(ViewEdit)

using ViewOperation = std::function<void(SketchDocumentView *)>;
Q_DECLARE_METATYPE(ViewOperation)

class TestSelection : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup();

    void placement_data();
    void placement();
    void placementOverSeveralLayers();
    void align_data();
    void align();
    void alignNeedsTwoEditableShapes();
    void groupGoesOnTopOfTheCurrentLayer();
    void groupNeedsACurrentLayer();
    void canGroup();
    void ungroupPutsTheMembersOnTop();
    void lockKeepsTheSelection();
    void flipMirrorsEachShapeInPlace();
    void flipLeavesLockedShapesAlone();
    void editsLeaveLockedLayersAlone_data();
    void editsLeaveLockedLayersAlone();
    void flipOfALineRecordsACommand();
    void deleteRemovesTheEditableSelection();
    void deleteRemovesOnlyTheActivePoint();
    void deleteUnderTheSliceTool();
    void selectAll();
    void selectAllOfCurrentLayer();
    void clearSelectionClearsTheHandles();
    void removeShapeFrameShowsTheFrameThatTakesItsPlace();
    void removeShapeFrameKeepsTheOtherFrames();
    void removeShapeFrameRefusesBadArguments();
    void shapeAtPrefersFilledShapes();
    void shapeAtFallsBackToTheBox();
    void shapeAtSkipsHiddenLayers();
    void sliceAt();
    void isEmpty();

private:
    SketchDocument *document() const { return m_view->document(); }
    SketchLayer *firstLayer() const { return document()->layers().first(); }
    SketchLayer *addLayer(const QString &name)
    {
        auto *layer = new SketchLayer(document(), name);
        document()->layers().append(layer);
        return layer;
    }
    int undoCount() const { return m_view->commandManager()->undoCount(); }
    SketchShape *addEllipse(SketchLayer *layer, qreal x, qreal y, qreal w, qreal h, const QColor &fill);
    SketchSlice *addSlice(const QRect &rect, bool selected);

    SketchDocumentView *m_view = nullptr;
};

void TestSelection::init()
{
    m_view = new SketchDocumentView;
    m_view->resize(1000, 800);
    m_view->show();
}

void TestSelection::cleanup()
{
    delete m_view;
    m_view = nullptr;
}

SketchShape *TestSelection::addEllipse(SketchLayer *layer, qreal x, qreal y, qreal w, qreal h, const QColor &fill)
{
    SketchShape *shape = addBox(layer, x, y, w, h, fill);
    shape->setTension(0.85f);
    for (SketchPoint *point : shape->points())
        point->setCurve(true);
    shape->invalidateOutline();
    return shape;
}

SketchSlice *TestSelection::addSlice(const QRect &rect, bool selected)
{
    auto *slice = new SketchSlice(document());
    slice->setRect(rect);
    slice->setSelected(selected);
    document()->slices().append(slice);
    document()->updateSliceGrid();
    return slice;
}

// --- Z-order ------------------------------------------------------------------

void TestSelection::placement_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QList<int>>("expected");

    QTest::newRow("forward with the top selected") << 6 << QList<int>{1, 5} << 2 << QList<int>{0, 1, 2, 3, 4, 5};
    QTest::newRow("forward as a block") << 6 << QList<int>{2, 3} << 2 << QList<int>{0, 1, 4, 2, 3, 5};
    QTest::newRow("forward apart") << 6 << QList<int>{0, 3} << 2 << QList<int>{1, 0, 2, 4, 3, 5};
    QTest::newRow("to back") << 5 << QList<int>{2, 4} << 1 << QList<int>{2, 4, 0, 1, 3};
    QTest::newRow("to back with the bottom selected") << 5 << QList<int>{0, 3} << 1 << QList<int>{0, 1, 2, 3, 4};
    QTest::newRow("to front") << 4 << QList<int>{0, 2} << 0 << QList<int>{1, 3, 0, 2};
    QTest::newRow("backward") << 5 << QList<int>{2, 4} << 3 << QList<int>{0, 2, 1, 4, 3};
    QTest::newRow("backward with the bottom selected") << 5 << QList<int>{0, 3} << 3 << QList<int>{0, 1, 2, 3, 4};
    QTest::newRow("everything selected") << 3 << QList<int>{0, 1, 2} << 0 << QList<int>{0, 1, 2};
}

void TestSelection::placement()
{
    QFETCH(int, count);
    QFETCH(QList<int>, selected);
    QFETCH(int, kind);
    QFETCH(QList<int>, expected);

    QList<SketchShape *> original;
    for (int i = 0; i < count; ++i)
        original.append(addBox(firstLayer(), 10 * i, 10, 5, 5));
    for (int index : selected)
        selectShape(original.at(index));
    const bool moves = expected != QList<int>{0, 1, 2, 3, 4, 5}.mid(0, count);
    QCOMPARE(m_view->canPlaceSelection(), selected.size() < count);

    const ViewOperation operations[] = {&SketchDocumentView::bringToFront, &SketchDocumentView::sendToBack,
                                        &SketchDocumentView::bringForward, &SketchDocumentView::sendBackward};
    operations[kind](m_view);

    QList<int> order;
    for (SketchShape *shape : firstLayer()->shapes())
        order.append(original.indexOf(shape));
    QCOMPARE(order, expected);
    QCOMPARE(undoCount(), moves ? 1 : 0);
    if (moves) {
        QCOMPARE(m_view->commandManager()->undoStack().last()->text(), QStringLiteral("placeSelection"));
        m_view->commandManager()->undo();
        QCOMPARE(firstLayer()->shapes(), original);
    }
}

void TestSelection::placementOverSeveralLayers()
{
    SketchLayer *upper = addLayer(QStringLiteral("Layer2"));
    SketchShape *a = addBox(firstLayer(), 0, 0, 5, 5);
    SketchShape *b = addBox(firstLayer(), 0, 0, 5, 5);
    SketchShape *c = addBox(upper, 0, 0, 5, 5);
    SketchShape *d = addBox(upper, 0, 0, 5, 5);
    SketchShape *e = addBox(upper, 0, 0, 5, 5);
    selectShape(a);
    selectShape(c);
    selectShape(d);

    m_view->bringToFront();
    QCOMPARE(firstLayer()->shapes(), (QList<SketchShape *>{b, a}));
    QCOMPARE(upper->shapes(), (QList<SketchShape *>{e, c, d}));
    QCOMPARE(undoCount(), 2);

    // One undo step per layer.
    m_view->commandManager()->undo();
    QCOMPARE(firstLayer()->shapes(), (QList<SketchShape *>{b, a}));
    QCOMPARE(upper->shapes(), (QList<SketchShape *>{c, d, e}));
    m_view->commandManager()->undo();
    QCOMPARE(firstLayer()->shapes(), (QList<SketchShape *>{a, b}));

    // While the slice tool is current nothing moves.
    m_view->setCurrentTool(SketchToolTypeSlice, false);
    m_view->sendToBack();
    QCOMPARE(upper->shapes(), (QList<SketchShape *>{c, d, e}));
}

// --- Alignment ------------------------------------------------------------------

void TestSelection::align_data()
{
    QTest::addColumn<ViewOperation>("operation");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("zoom");
    QTest::addColumn<int>("handle");
    QTest::addColumn<QList<QRectF>>("expected");

    const QList<QRectF> left = {{0, 0, 10, 10}, {0, 20, 20, 30}, {0, 5, 20, 10}};
    QTest::newRow("left") << ViewOperation(&SketchDocumentView::alignLeftSelection) << "alignLeftSelection" << 1.0
                          << int(SketchHandleInside) << left;
    QTest::newRow("top") << ViewOperation(&SketchDocumentView::alignTopSelection) << "alignTopSelection" << 1.0
                         << int(SketchHandleInside)
                         << QList<QRectF>{{0, 0, 10, 10}, {40, 0, 20, 30}, {100, 0, 20, 10}};
    QTest::newRow("right") << ViewOperation(&SketchDocumentView::alignRightSelection) << "alignRightSelection"
                           << 1.0 << int(SketchHandleInside)
                           << QList<QRectF>{{110, 0, 10, 10}, {100, 20, 20, 30}, {100, 5, 20, 10}};
    QTest::newRow("bottom") << ViewOperation(&SketchDocumentView::alignBottomSelection) << "alignBottomSelection"
                            << 1.0 << int(SketchHandleInside)
                            << QList<QRectF>{{0, 40, 10, 10}, {40, 20, 20, 30}, {100, 40, 20, 10}};
    // Horizontal only: every centre goes to x = 60.
    QTest::newRow("center") << ViewOperation(&SketchDocumentView::alignCenterSelection) << "alignCenterSelection"
                            << 1.0 << int(SketchHandleInside)
                            << QList<QRectF>{{55, 0, 10, 10}, {50, 20, 20, 30}, {50, 5, 20, 10}};
    // The edges are paper units at every zoom.
    QTest::newRow("left at zoom 2") << ViewOperation(&SketchDocumentView::alignLeftSelection)
                                    << "alignLeftSelection" << 2.0 << int(SketchHandleInside) << left;
    QTest::newRow("right at zoom 0.5") << ViewOperation(&SketchDocumentView::alignRightSelection)
                                       << "alignRightSelection" << 0.5 << int(SketchHandleInside)
                                       << QList<QRectF>{{110, 0, 10, 10}, {100, 20, 20, 30}, {100, 5, 20, 10}};
    // A shape picked by a corner handle moves whole; it is not stretched.
    QTest::newRow("left with a corner handle active")
        << ViewOperation(&SketchDocumentView::alignLeftSelection) << "alignLeftSelection" << 1.0
        << int(SketchHandleFirstPoint + 2) << left;
}

void TestSelection::align()
{
    QFETCH(ViewOperation, operation);
    QFETCH(QString, text);
    QFETCH(double, zoom);
    QFETCH(int, handle);
    QFETCH(QList<QRectF>, expected);

    m_view->setZoom(float(zoom));
    const QList<SketchShape *> shapes = {addBox(firstLayer(), 0, 0, 10, 10), addBox(firstLayer(), 40, 20, 20, 30),
                                         addBox(firstLayer(), 100, 5, 20, 10)};
    for (SketchShape *shape : shapes)
        selectShape(shape, handle);
    QVERIFY(m_view->canAlignSelection());
    operation(m_view);

    for (int i = 0; i < shapes.size(); ++i) {
        const QRectF box = shapes.at(i)->boundingRect();
        const QRectF want = expected.at(i);
        QVERIFY2(qAbs(box.x() - want.x()) < 1e-3 && qAbs(box.y() - want.y()) < 1e-3
                     && qAbs(box.width() - want.width()) < 1e-3 && qAbs(box.height() - want.height()) < 1e-3,
                 qPrintable(QStringLiteral("shape %1: %2,%3 %4x%5")
                                .arg(i)
                                .arg(box.x())
                                .arg(box.y())
                                .arg(box.width())
                                .arg(box.height())));
    }
    QCOMPARE(undoTexts(m_view), text);
    m_view->commandManager()->undo();
    QCOMPARE(shapes.at(2)->boundingRect(), QRectF(100, 5, 20, 10));
}

void TestSelection::alignNeedsTwoEditableShapes()
{
    SketchShape *a = addBox(firstLayer(), 0, 0, 10, 10);
    SketchShape *b = addBox(firstLayer(), 50, 50, 10, 10);
    selectShape(a);
    selectShape(b);
    b->setLocked(true);
    QVERIFY(!m_view->canAlignSelection());
    m_view->alignLeftSelection();
    m_view->alignCenterSelection();
    QCOMPARE(undoCount(), 0);
    QCOMPARE(b->boundingRect(), QRectF(50, 50, 10, 10));
}

// --- Grouping -------------------------------------------------------------------

void TestSelection::groupGoesOnTopOfTheCurrentLayer()
{
    SketchLayer *upper = addLayer(QStringLiteral("Layer2"));
    SketchShape *a = addBox(firstLayer(), 0, 0, 10, 10);
    SketchShape *b = addBox(upper, 20, 20, 10, 10);
    SketchShape *c = addBox(upper, 40, 40, 10, 10);
    m_view->setCurrentLayer(upper, false);
    selectShape(a);
    selectShape(b);
    QVERIFY(m_view->canGroup());

    m_view->groupSelection();

    QCOMPARE(undoTexts(m_view), QStringLiteral("groupSelection"));
    QVERIFY(firstLayer()->shapes().isEmpty());
    QCOMPARE(upper->shapes().size(), 2);
    QCOMPARE(upper->shapes().first(), c);
    auto *group = qobject_cast<SketchGroup *>(upper->shapes().last());
    QVERIFY(group);
    QCOMPARE(group->shapes(), (QList<SketchShape *>{a, b}));
    QVERIFY(group->isSelected());
    QCOMPARE(group->activeHandle(), int(SketchHandleInside));
    QVERIFY(!m_view->canGroup());

    m_view->commandManager()->undo();
    QVERIFY(firstLayer()->shapes().contains(a));
    QVERIFY(upper->shapes().contains(b));
    QCOMPARE(upper->shapes().size(), 2);
}

void TestSelection::groupNeedsACurrentLayer()
{
    SketchShape *a = addBox(firstLayer(), 0, 0, 10, 10);
    selectShape(a);
    m_view->setCurrentLayer(nullptr, false);
    QVERIFY(!m_view->canGroup());
    m_view->groupSelection();
    QCOMPARE(undoCount(), 0);
    QCOMPARE(firstLayer()->shapes(), QList<SketchShape *>{a});

    m_view->setCurrentLayer(firstLayer(), false);
    m_view->setCurrentTool(SketchToolTypeSlice, false);
    m_view->groupSelection();
    QCOMPARE(undoCount(), 0);
}

void TestSelection::canGroup()
{
    QVERIFY(!m_view->canGroup());
    SketchShape *a = addBox(firstLayer(), 0, 0, 10, 10);
    SketchShape *b = addBox(firstLayer(), 20, 0, 10, 10);
    selectShape(a);
    QVERIFY(m_view->canGroup());
    m_view->groupSelection();
    // A group of one; the group alone cannot be grouped again.
    QVERIFY(!m_view->canGroup());
    selectShape(b);
    QVERIFY(m_view->canGroup());
}

void TestSelection::ungroupPutsTheMembersOnTop()
{
    SketchShape *a = addBox(firstLayer(), 0, 0, 10, 10);
    SketchShape *b = addBox(firstLayer(), 20, 0, 10, 10);
    SketchShape *c = addBox(firstLayer(), 40, 0, 10, 10);
    selectShape(a);
    selectShape(b);
    m_view->groupSelection();
    m_view->sendToBack();
    QCOMPARE(firstLayer()->shapes().last(), c);
    QVERIFY(m_view->canUnGroup());

    m_view->unGroupSelection();

    QCOMPARE(firstLayer()->shapes(), (QList<SketchShape *>{c, a, b}));
    QVERIFY(a->isSelected() && b->isSelected());
    QCOMPARE(a->boundingRect(), QRectF(0, 0, 10, 10));
    QCOMPARE(undoTexts(m_view), QStringLiteral("groupSelection,placeSelection,unGroupSelection"));
}

// --- Locking and flipping ---------------------------------------------------------

void TestSelection::lockKeepsTheSelection()
{
    SketchShape *a = addBox(firstLayer(), 0, 0, 10, 10);
    SketchShape *b = addBox(firstLayer(), 20, 0, 10, 10);
    selectShape(a);
    selectShape(b);
    QVERIFY(m_view->canLock());
    QVERIFY(!m_view->canUnLock());

    m_view->lockSelection();
    QVERIFY(a->isLocked() && b->isLocked());
    QVERIFY(a->isSelected() && b->isSelected());
    QVERIFY(!m_view->canLock());
    QVERIFY(m_view->canUnLock());
    QCOMPARE(undoTexts(m_view), QStringLiteral("lockSelection"));

    // A hidden layer's locked shapes offer no unlock.
    firstLayer()->setVisible(false);
    QVERIFY(!m_view->canUnLock());
    firstLayer()->setVisible(true);

    m_view->unLockSelection();
    QVERIFY(!a->isLocked() && !b->isLocked());
    QCOMPARE(undoTexts(m_view), QStringLiteral("lockSelection,unLockSelection"));
}

void TestSelection::flipMirrorsEachShapeInPlace()
{
    SketchShape *left = addPath(firstLayer(), {{0, 0}, {20, 0}, {0, 10}}, true);
    SketchShape *right = addPath(firstLayer(), {{50, 0}, {70, 0}, {50, 10}}, true);
    selectShape(left);
    selectShape(right);

    m_view->flipHorizontalSelection();
    QCOMPARE(pointsOf(left), (QList<QPointF>{{20, 0}, {0, 0}, {20, 10}}));
    QCOMPARE(pointsOf(right), (QList<QPointF>{{70, 0}, {50, 0}, {70, 10}}));

    m_view->flipVerticalSelection();
    QCOMPARE(pointsOf(left), (QList<QPointF>{{20, 10}, {0, 10}, {20, 0}}));
    QCOMPARE(undoTexts(m_view), QStringLiteral("flipHorizontalSelection,flipVerticalSelection"));
}

void TestSelection::flipLeavesLockedShapesAlone()
{
    SketchLayer *lockedLayer = addLayer(QStringLiteral("Locked"));
    SketchShape *free = addPath(firstLayer(), {{0, 0}, {20, 0}, {0, 10}}, true);
    SketchShape *locked = addPath(firstLayer(), {{50, 0}, {70, 0}, {50, 10}}, true);
    SketchShape *onLockedLayer = addPath(lockedLayer, {{100, 0}, {120, 0}, {100, 10}}, true);
    for (SketchShape *shape : {free, locked, onLockedLayer})
        selectShape(shape);
    locked->setLocked(true);
    lockedLayer->setLocked(true);

    m_view->flipHorizontalSelection();
    QCOMPARE(pointsOf(free), (QList<QPointF>{{20, 0}, {0, 0}, {20, 10}}));
    QCOMPARE(pointsOf(locked), (QList<QPointF>{{50, 0}, {70, 0}, {50, 10}}));
    QCOMPARE(pointsOf(onLockedLayer), (QList<QPointF>{{100, 0}, {120, 0}, {100, 10}}));

    // With nothing editable selected nothing is recorded.
    free->setSelected(false);
    m_view->flipVerticalSelection();
    QCOMPARE(undoTexts(m_view), QStringLiteral("flipHorizontalSelection"));
}

void TestSelection::editsLeaveLockedLayersAlone_data()
{
    QTest::addColumn<ViewEdit>("edit");
    QTest::newRow("lock") << ViewEdit([](SketchDocumentView *view, SketchShape *) { view->lockSelection(); });
    QTest::newRow("unlock") << ViewEdit([](SketchDocumentView *view, SketchShape *shape) {
        shape->setLocked(true);
        view->unLockSelection();
    });
    QTest::newRow("to front") << ViewEdit([](SketchDocumentView *view, SketchShape *) { view->bringToFront(); });
    QTest::newRow("paste format") << ViewEdit([](SketchDocumentView *view, SketchShape *shape) {
        SketchShape *red = addBox(view->document()->layers().first(), 0, 0, 10, 10, Qt::red);
        shape->setSelected(false);
        selectShape(red);
        view->copyFormat();
        red->setSelected(false);
        selectShape(shape);
        view->pasteFormat();
    });
    QTest::newRow("show a frame") << ViewEdit([](SketchDocumentView *view, SketchShape *shape) {
        view->changeShapeFrame(shape, 0);
    });
    QTest::newRow("remove a frame") << ViewEdit([](SketchDocumentView *view, SketchShape *shape) {
        QVERIFY(!view->removeShapeFrame(shape, 0));
    });
}

// An undo can give shapes of a layer locked since then their selection
// back; none of the edits may touch them while the layer stays locked.
void TestSelection::editsLeaveLockedLayersAlone()
{
    QFETCH(ViewEdit, edit);
    SketchLayer *lockedLayer = addLayer(QStringLiteral("Locked"));
    SketchShape *framed = makeFramedShape(lockedLayer, QRectF(100, 0, 40, 40));
    SketchShape *other = addBox(lockedLayer, 200, 0, 10, 10);
    selectShape(framed);
    lockedLayer->setLocked(true);
    m_view->setCurrentLayer(firstLayer(), false);
    edit(m_view, framed);
    QCOMPARE(undoTexts(m_view), QString());
    QCOMPARE(lockedLayer->shapes(), (QList<SketchShape *>{framed, other}));
    QCOMPARE(framed->frames().size(), 2);
    QCOMPARE(framed->frameIndex(), 1);
    QVERIFY(framed->fill() != SkinBrush(QColor(Qt::red)));

    // Unlocked, the same layer takes the edits again.
    lockedLayer->setLocked(false);
    framed->setLocked(false);
    m_view->changeShapeFrame(framed, 0);
    QCOMPARE(undoTexts(m_view).endsWith(QStringLiteral("changeShapeFrame")), true);
}

void TestSelection::flipOfALineRecordsACommand()
{
    SketchShape *line = addPath(firstLayer(), {{10, 0}, {10, 40}}, false);
    selectShape(line);
    m_view->flipHorizontalSelection();
    QCOMPARE(pointsOf(line), (QList<QPointF>{{10, 0}, {10, 40}}));
    QCOMPARE(undoCount(), 1);
}

// --- Deleting -------------------------------------------------------------------------

void TestSelection::deleteRemovesTheEditableSelection()
{
    SketchShape *a = addBox(firstLayer(), 0, 0, 10, 10);
    SketchShape *b = addBox(firstLayer(), 20, 0, 10, 10);
    SketchShape *c = addBox(firstLayer(), 40, 0, 10, 10);
    selectShape(a);
    selectShape(c);
    c->setLocked(true);
    QVERIFY(m_view->canDelete());

    m_view->deleteSelection();
    QCOMPARE(firstLayer()->shapes(), (QList<SketchShape *>{b, c}));
    QCOMPARE(undoTexts(m_view), QStringLiteral("delelteSelection"));

    m_view->commandManager()->undo();
    QCOMPARE(firstLayer()->shapes(), (QList<SketchShape *>{a, b, c}));
}

void TestSelection::deleteRemovesOnlyTheActivePoint()
{
    SketchShape *path = addPath(firstLayer(), {{0, 0}, {20, 0}, {20, 20}, {0, 20}}, false);
    selectShape(path, SketchHandleFirstPoint + 1);
    m_view->deleteSelection();
    QCOMPARE(firstLayer()->shapes(), QList<SketchShape *>{path});
    QCOMPARE(pointsOf(path), (QList<QPointF>{{0, 0}, {20, 20}, {0, 20}}));
}

void TestSelection::deleteUnderTheSliceTool()
{
    SketchShape *shape = addBox(firstLayer(), 0, 0, 10, 10);
    selectShape(shape);
    SketchSlice *kept = addSlice(QRect(0, 0, 50, 50), false);
    addSlice(QRect(100, 100, 50, 50), true);
    m_view->setCurrentTool(SketchToolTypeSlice, false);

    QVERIFY(m_view->canDelete());
    m_view->deleteSelection();
    QCOMPARE(document()->slices(), QList<SketchSlice *>{kept});
    QCOMPARE(firstLayer()->shapes(), QList<SketchShape *>{shape});
    QCOMPARE(undoTexts(m_view), QStringLiteral("delelteSelection"));
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeSlice));

    // Shapes but no slice selected: offered, and does nothing.
    m_view->deleteSelection();
    QCOMPARE(undoCount(), 1);
    QCOMPARE(firstLayer()->shapes(), QList<SketchShape *>{shape});

    // Only an automatic slice selected, no shape: nothing to delete.
    shape->setSelected(false);
    QVERIFY(!document()->autoSlices().isEmpty());
    document()->autoSlices().first()->setSelected(true);
    QVERIFY(!m_view->canDelete());
}

// --- Selecting ------------------------------------------------------------------------

void TestSelection::selectAll()
{
    SketchLayer *hidden = addLayer(QStringLiteral("Hidden"));
    SketchLayer *locked = addLayer(QStringLiteral("Locked"));
    SketchShape *a = addBox(firstLayer(), 0, 0, 10, 10);
    SketchShape *lockedShape = addBox(firstLayer(), 20, 0, 10, 10);
    lockedShape->setLocked(true);
    SketchShape *b = addBox(hidden, 0, 0, 10, 10);
    SketchShape *c = addBox(locked, 0, 0, 10, 10);
    hidden->setVisible(false);
    locked->setLocked(true);
    selectShape(b);
    QSignalSpy changed(m_view, &SketchView::selectionChanged);
    QVERIFY(m_view->canSelectAll());

    m_view->selectAll();
    QVERIFY(a->isSelected() && lockedShape->isSelected());
    QCOMPARE(a->activeHandle(), int(SketchHandleInside));
    QVERIFY(!b->isSelected() && !c->isSelected());
    QCOMPARE(b->activeHandle(), int(SketchHandleNone));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(undoCount(), 0);

    m_view->clearSelection();
    m_view->setCurrentTool(SketchToolTypeSlice, false);
    m_view->selectAll();
    QVERIFY(!a->isSelected());
}

void TestSelection::selectAllOfCurrentLayer()
{
    SketchLayer *upper = addLayer(QStringLiteral("Layer2"));
    SketchShape *a = addBox(firstLayer(), 0, 0, 10, 10);
    SketchShape *b = addBox(upper, 0, 0, 10, 10);
    SketchShape *c = addBox(upper, 20, 0, 10, 10);
    selectShape(a);
    m_view->setCurrentLayer(upper, false);
    QVERIFY(m_view->canSelectAllOfCurrentLayer());

    m_view->selectAllOfCurrentLayer();
    QVERIFY(!a->isSelected());
    QVERIFY(b->isSelected() && c->isSelected());
    QVERIFY(!m_view->canSelectAllOfCurrentLayer());

    // A locked current layer: the selection is cleared and stays empty.
    upper->setLocked(true);
    QSignalSpy changed(m_view, &SketchView::selectionChanged);
    m_view->selectAllOfCurrentLayer();
    QCOMPARE(m_view->selectedShapeCount(), 0);
    QCOMPARE(changed.count(), 1);
}

void TestSelection::clearSelectionClearsTheHandles()
{
    SketchShape *a = addBox(firstLayer(), 0, 0, 10, 10);
    selectShape(a, SketchHandleFirstPoint + 1);
    SketchSlice *slice = addSlice(QRect(0, 0, 10, 10), true);
    m_view->clearSelection();
    QVERIFY(!a->isSelected());
    QCOMPARE(a->activeHandle(), int(SketchHandleNone));
    QVERIFY(slice->isSelected());
}

// --- Frames -----------------------------------------------------------------------------

namespace {

// A box with two frames, the first showing: the box itself and a 30 x 30 box.
SketchShape *addShapeWithFrames(SketchLayer *layer, int frameCount)
{
    SketchShape *shape = addBox(layer, 10, 10, 100, 50);
    for (int i = 0; i < frameCount; ++i) {
        auto *frame = new SketchShape(layer);
        frame->setBehavior(SketchShapeBox);
        const qreal side = i == 0 ? 100 : 30 + i;
        const qreal height = i == 0 ? 50 : 30 + i;
        frame->points() << new SketchPoint(0, 0) << new SketchPoint(side, 0) << new SketchPoint(side, height)
                        << new SketchPoint(0, height);
        shape->appendFrame(frame);
    }
    return shape;
}

} // namespace

void TestSelection::removeShapeFrameShowsTheFrameThatTakesItsPlace()
{
    SketchShape *shape = addShapeWithFrames(firstLayer(), 2);
    QCOMPARE(shape->frameIndex(), 0);

    QVERIFY(m_view->removeShapeFrame(shape, 0));

    // The removed frame was showing: the other one shows now, and a shape
    // never keeps a single frame.
    QCOMPARE(shape->boundingRect(), QRectF(10, 10, 31, 31));
    QVERIFY(shape->frames().isEmpty());
    QVERIFY(shape->isSelected());
    QCOMPARE(shape->activeHandle(), int(SketchHandleInside));
    QCOMPARE(undoTexts(m_view), QStringLiteral("removeShapeFrame"));

    m_view->commandManager()->undo();
    QCOMPARE(shape->frames().size(), 2);
    QCOMPARE(shape->boundingRect(), QRectF(10, 10, 100, 50));
}

void TestSelection::removeShapeFrameKeepsTheOtherFrames()
{
    // Removing a frame after the shown one shows the frame now at that index.
    SketchShape *shape = addShapeWithFrames(firstLayer(), 3);
    SketchShape *first = shape->frames().at(0);
    SketchShape *second = shape->frames().at(1);
    QVERIFY(m_view->removeShapeFrame(shape, 2));
    QCOMPARE(shape->frames(), (QList<SketchShape *>{first, second}));
    QCOMPARE(shape->frameIndex(), 1);
    QCOMPARE(shape->boundingRect(), QRectF(10, 10, 31, 31));
    QCOMPARE(first->boundingRect(), QRectF(0, 0, 100, 50));
    QCOMPARE(second->boundingRect(), QRectF(0, 0, 31, 31));

    // Removing one before the shown one: the frame at that index shows, and
    // the frame that showed keeps its content.
    SketchShape *other = addShapeWithFrames(firstLayer(), 3);
    other->setFrameIndex(2);
    SketchShape *third = other->frames().at(2);
    QCOMPARE(other->boundingRect(), QRectF(10, 10, 32, 32));
    QVERIFY(m_view->removeShapeFrame(other, 0));
    QCOMPARE(other->frameIndex(), 0);
    QCOMPARE(other->boundingRect(), QRectF(10, 10, 31, 31));
    QCOMPARE(third->boundingRect(), QRectF(0, 0, 32, 32));
    QCOMPARE(undoTexts(m_view), QStringLiteral("removeShapeFrame,removeShapeFrame"));
}

void TestSelection::removeShapeFrameRefusesBadArguments()
{
    SketchShape *plain = addBox(firstLayer(), 0, 0, 10, 10);
    SketchShape *framed = addShapeWithFrames(firstLayer(), 2);
    QVERIFY(!m_view->removeShapeFrame(nullptr, 0));
    QVERIFY(!m_view->removeShapeFrame(plain, 0));
    QVERIFY(!m_view->removeShapeFrame(framed, 2));
    QVERIFY(!m_view->removeShapeFrame(framed, -1));
    QCOMPARE(undoCount(), 0);
    QCOMPARE(framed->frames().size(), 2);
}

// --- Picking ------------------------------------------------------------------------------

void TestSelection::shapeAtPrefersFilledShapes()
{
    SketchShape *ellipse = addEllipse(firstLayer(), 100, 100, 100, 100, Qt::red);
    SketchShape *clear = addBox(firstLayer(), 80, 80, 140, 140);
    // Inside both: the filled ellipse under the transparent box.
    QCOMPARE(m_view->shapeAt(150, 150), ellipse);
    // On the transparent box's outline: the box.
    QCOMPARE(m_view->shapeAt(80, 150), clear);
    // Inside the box only: the box, as the transparent shape hit inside.
    QCOMPARE(m_view->shapeAt(90, 90), clear);

    // Of two transparent shapes hit inside, the lower one.
    SketchShape *lower = addBox(firstLayer(), 300, 300, 100, 100);
    addBox(firstLayer(), 320, 320, 100, 100);
    QCOMPARE(m_view->shapeAt(350, 350), lower);

    // Widget pixels: the paper is zoomed and scrolled.
    m_view->setZoom(2.0f);
    m_view->setScrollX(-100, false);
    QCOMPARE(m_view->shapeAt(200, 300), ellipse);
    QCOMPARE(m_view->shapeAt(0, 300), static_cast<SketchShape *>(nullptr));
}

void TestSelection::shapeAtFallsBackToTheBox()
{
    SketchShape *ellipse = addEllipse(firstLayer(), 100, 100, 100, 100, Qt::red);
    // Near the corner of its box the point is outside the curve.
    const QPointF corner = ellipse->boundingRect().topLeft() + QPointF(2, 2);
    QCOMPARE(ellipse->hitTest(float(corner.x()), float(corner.y())), int(SketchHandleNone));
    QCOMPARE(m_view->shapeAt(float(corner.x()), float(corner.y())), ellipse);
    QCOMPARE(m_view->shapeAt(50, 50), static_cast<SketchShape *>(nullptr));
    // An open shape has no box to be picked by.
    SketchShape *open = addPath(firstLayer(), {{300, 300}, {400, 300}, {400, 400}}, false);
    QCOMPARE(m_view->shapeAt(310, 390), static_cast<SketchShape *>(nullptr));
    QCOMPARE(m_view->shapeAt(400, 350), open);
}

void TestSelection::shapeAtSkipsHiddenLayers()
{
    SketchShape *below = addBox(firstLayer(), 0, 0, 100, 100, Qt::blue);
    SketchLayer *upper = addLayer(QStringLiteral("Layer2"));
    SketchShape *above = addBox(upper, 0, 0, 100, 100, Qt::green);
    QCOMPARE(m_view->shapeAt(50, 50), above);
    upper->setVisible(false);
    QCOMPARE(m_view->shapeAt(50, 50), below);
}

void TestSelection::sliceAt()
{
    SketchSlice *first = addSlice(QRect(0, 0, 100, 100), false);
    SketchSlice *second = addSlice(QRect(50, 50, 100, 100), false);
    QCOMPARE(m_view->sliceAt(75, 75, false), second);
    QCOMPARE(m_view->sliceAt(25, 25, false), first);
    QCOMPARE(m_view->sliceAt(99, 10, false), first);
    QCOMPARE(m_view->sliceAt(100, 10, false), static_cast<SketchSlice *>(nullptr));
    // The rest of the paper is covered by automatic slices.
    SketchSlice *automatic = m_view->sliceAt(400, 400, true);
    QVERIFY(automatic);
    QVERIFY(automatic->isAutoSlice());
    QVERIFY(m_view->autoSlices().contains(automatic));

    m_view->setZoom(2.0f);
    m_view->setScrollY(-40, false);
    // (150, 150) is paper (75, 95).
    QCOMPARE(m_view->sliceAt(150.7f, 150.2f, false), second);
    // (240, 0) is paper (120, 20).
    QCOMPARE(m_view->sliceAt(240, 0, false), static_cast<SketchSlice *>(nullptr));
}

void TestSelection::isEmpty()
{
    QVERIFY(m_view->isEmpty());
    SketchLayer *upper = addLayer(QStringLiteral("Layer2"));
    QVERIFY(!m_view->isEmpty());
    document()->layers().removeOne(upper);
    delete upper;
    addBox(firstLayer(), 0, 0, 10, 10);
    QVERIFY(!m_view->isEmpty());
}

QTEST_MAIN(TestSelection)
#include "tst_selection.moc"
