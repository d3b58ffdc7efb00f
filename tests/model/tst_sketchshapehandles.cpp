// SketchShape: view mapping, hit tests, handle drags, resizing and point
// editing.
#include "support/livecounts.h"
#include "support/pixels.h"
#include "support/shapes.h"

#include <QStandardPaths>
#include <QtTest>

class TestSketchShapeHandles : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup();

    void mappingFollowsZoomScrollAndRotation();
    void handleRectKeepsScreenSize();

    void hitCodes_data();
    void hitCodes();
    void outlineTolerance_data();
    void outlineTolerance();
    void openPathInside();
    void lockedLayerIsNeverHit();
    void hitTestSeesChangedPoints();
    void hitTestSeesChangedStroke();
    void rubberBand_data();
    void rubberBand();

    void segmentAt_data();
    void segmentAt();
    void segmentAtRefuses();

    void insertPointOnOutline();
    void insertPointMissesOutline();
    void insertPointConvertsActivePoint();

    void wholeDragFollowsZoomAndRotation();
    void lockedPointsAndDrags();
    void boxCornerDrag();
    void shiftResizeKeepsProportions_data();
    void shiftResizeKeepsProportions();
    void bubbleTailChangesSides();
    void bubbleTailStaysBesideItsEdge();
    void bubbleSideDrags();

    void resizeMinimum();
    void resizeConvertsViewAmounts();
    void resizeConvertsFrameAmountsOnce();

    void flipAboutAxis();
    void shortLayoutsFromFile();
    void boxRect();

private:
    SketchDocumentView *m_view = nullptr;
    SketchLayer *m_layer = nullptr;
    LiveCounts m_counts;
};

void TestSketchShapeHandles::init()
{
    m_counts = LiveCounts();
    m_view = new SketchDocumentView;
    m_layer = m_view->currentLayer();
}

void TestSketchShapeHandles::cleanup()
{
    delete m_view;
    m_view = nullptr;
    const LiveCounts now;
    QVERIFY2(now == m_counts, qPrintable(describe(now) + " after, " + describe(m_counts) + " before"));
}

void TestSketchShapeHandles::mappingFollowsZoomScrollAndRotation()
{
    SketchShape *shape = makeBox(m_layer, QRectF(0, 0, 20, 20));
    m_view->setZoom(2.0f);
    m_view->setScrollX(-10, false);
    m_view->setScrollY(-4, false);
    QCOMPARE(shape->mapToView(QPointF(5, 5)), QPointF(0, 6));
    QCOMPARE(shape->mapFromView(QPointF(0, 6)), QPointF(5, 5));

    shape->setRotateAngle(0.25f);
    shape->setRotatePoint(QPointF(10, 10));
    // (20, 10) turns a quarter about (10, 10) to (10, 20).
    QVERIFY(isNear(shape->mapToView(QPointF(20, 10)), QPointF(10, 36)));
    QVERIFY(isNear(shape->mapFromView(QPointF(10, 36)), QPointF(20, 10)));

    // A view drag to the right is a drag upwards in the turned shape.
    float dx = 10.0f;
    float dy = 0.0f;
    shape->mapDeltaFromView(dx, dy);
    QVERIFY(qAbs(dx) < 1e-4 && qAbs(dy + 5.0f) < 1e-4);

    SketchShape loose(nullptr);
    QCOMPARE(loose.mapFromView(3.0f, 4.0f), QPointF(3, 4));
}

void TestSketchShapeHandles::handleRectKeepsScreenSize()
{
    SketchShape *shape = makeBox(m_layer, QRectF(0, 0, 20, 20));
    QCOMPARE(shape->handleRect(QPointF(10, 10), 3.0f), QRectF(7, 7, 6, 6));
    m_view->setZoom(2.0f);
    QCOMPARE(shape->handleRect(shape->points().at(0), 3.0f), QRectF(-1.5, -1.5, 3, 3));
}

void TestSketchShapeHandles::hitCodes_data()
{
    QTest::addColumn<float>("zoom");
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<int>("code");

    for (float zoom : {1.0f, 2.0f}) {
        const QByteArray z = zoom == 1.0f ? "zoom 1: " : "zoom 2: ";
        QTest::newRow(z + "corner handle") << zoom << QPointF(100, 50) << 3;
        QTest::newRow(z + "near the bottom-right corner") << zoom << QPointF(199, 101) << 5;
        QTest::newRow(z + "outline") << zoom << QPointF(150, 50.4) << 1;
        QTest::newRow(z + "inside") << zoom << QPointF(150, 75) << 2;
        QTest::newRow(z + "outside") << zoom << QPointF(150, 120) << 0;
    }
    // At zoom 1 the handle reaches 3 units, at zoom 2 only 1.5.
    QTest::newRow("zoom 1: handle edge") << 1.0f << QPointF(102.5, 52.5) << 3;
    QTest::newRow("zoom 2: past the handle") << 2.0f << QPointF(102.5, 52.5) << 2;
}

void TestSketchShapeHandles::hitCodes()
{
    QFETCH(float, zoom);
    QFETCH(QPointF, point);
    QFETCH(int, code);
    SketchShape *shape = makeBox(m_layer, QRectF(100, 50, 100, 50));
    shape->setFill(SkinBrush(QColor(Qt::yellow)));
    m_view->setZoom(zoom);
    QCOMPARE(shape->hitTest(point.x(), point.y()), code);
}

void TestSketchShapeHandles::outlineTolerance_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<float>("zoom");
    QTest::addColumn<float>("tolerance");

    QTest::newRow("width 1, zoom 1") << 1 << 1.0f << 2.0f;
    QTest::newRow("width 1, zoom 0.5") << 1 << 0.5f << 2.0f;
    QTest::newRow("width 1, zoom 2") << 1 << 2.0f << 0.5f;
    QTest::newRow("width 6, zoom 1") << 6 << 1.0f << 3.0f;
    QTest::newRow("width 6, zoom 2") << 6 << 2.0f << 3.0f;
}

void TestSketchShapeHandles::outlineTolerance()
{
    QFETCH(int, width);
    QFETCH(float, zoom);
    QFETCH(float, tolerance);
    // An open line with a transparent fill: only the outline can be hit.
    SketchShape *shape = makePath(m_layer, {{0, 100}, {200, 100}}, false);
    shape->setStroke(SketchStroke(Qt::black, width, 0));
    m_view->setZoom(zoom);
    QCOMPARE(shape->hitTest(100, 100 + tolerance - 0.05f), 1);
    QCOMPARE(shape->hitTest(100, 100 - tolerance + 0.05f), 1);
    QCOMPARE(shape->hitTest(100, 100 + tolerance + 0.05f), 0);
}

void TestSketchShapeHandles::openPathInside()
{
    SketchShape *shape = makePath(m_layer, {{0, 0}, {100, 0}, {100, 100}, {0, 100}}, false);
    QCOMPARE(shape->hitTest(50, 50), 0);
    shape->setText("text");
    QCOMPARE(shape->hitTest(50, 50), 2);
    shape->setText(QString());
    shape->setFill(SkinBrush(QColor(Qt::red)));
    QCOMPARE(shape->hitTest(50, 50), 2);
}

void TestSketchShapeHandles::lockedLayerIsNeverHit()
{
    SketchShape *shape = makeBox(m_layer, QRectF(0, 0, 100, 100));
    m_layer->setLocked(true);
    QCOMPARE(shape->hitTest(0, 0), 0);
    QCOMPARE(shape->hitTest(50, 50), 0);
    QVERIFY(!shape->hitTestRect(QRectF(-10, -10, 200, 200)));
    m_layer->setLocked(false);
    QCOMPARE(shape->hitTest(0, 0), 3);
    // The shape's own lock is the tools' business.
    shape->setLocked(true);
    QCOMPARE(shape->hitTest(50, 50), 2);
}

void TestSketchShapeHandles::hitTestSeesChangedPoints()
{
    SketchShape *shape = makeBox(m_layer, QRectF(0, 0, 100, 100));
    QCOMPARE(shape->hitTest(250, 50), 0);
    // Changed in place through the point list.
    shape->points().at(1)->setX(300);
    shape->points().at(2)->setX(300);
    QCOMPARE(shape->hitTest(250, 50), 2);
    shape->moveHandle(500, 0);
    QCOMPARE(shape->hitTest(250, 50), 0);
    QCOMPARE(shape->hitTest(750, 50), 2);
    shape->setClosed(false);
    QCOMPARE(shape->hitTest(750, 50), 0);
}

void TestSketchShapeHandles::hitTestSeesChangedStroke()
{
    SketchShape *shape = makePath(m_layer, {{0, 100}, {200, 100}}, false);
    QCOMPARE(shape->hitTest(100, 130), 0);
    shape->setStroke(SketchStroke(Qt::black, 70, 0)); // reaches 35 from the line
    QCOMPARE(shape->hitTest(100, 130), 1);
    shape->stroke().setWidth(2);
    QCOMPARE(shape->hitTest(100, 130), 0);
    shape->stroke().setWidth(70);
    QCOMPARE(shape->hitTest(100, 130), 1);
}

void TestSketchShapeHandles::rubberBand_data()
{
    QTest::addColumn<bool>("closed");
    QTest::addColumn<QRectF>("band");
    QTest::addColumn<bool>("hit");

    QTest::newRow("inside a closed shape") << true << QRectF(40, 40, 10, 10) << true;
    QTest::newRow("inside an open shape") << false << QRectF(40, 40, 10, 10) << false;
    QTest::newRow("holding a point") << false << QRectF(-5, -5, 10, 10) << true;
    QTest::newRow("crossing a side") << false << QRectF(40, -5, 10, 10) << true;
    QTest::newRow("crossing the closing side") << true << QRectF(-5, 40, 10, 10) << true;
    QTest::newRow("crossing where an open shape has no side") << false << QRectF(-5, 40, 10, 10) << false;
    QTest::newRow("beside") << true << QRectF(200, 200, 10, 10) << false;
    QTest::newRow("empty band") << true << QRectF(40, 40, 0, 10) << false;
}

void TestSketchShapeHandles::rubberBand()
{
    QFETCH(bool, closed);
    QFETCH(QRectF, band);
    QFETCH(bool, hit);
    SketchShape *shape = makePath(m_layer, {{0, 0}, {100, 0}, {100, 100}, {0, 100}}, closed);
    QCOMPARE(shape->hitTestRect(band), hit);
}

void TestSketchShapeHandles::segmentAt_data()
{
    QTest::addColumn<QList<QPointF>>("points");
    QTest::addColumn<QList<int>>("curves");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<QPointF>("at");
    QTest::addColumn<int>("segment");

    const QList<QPointF> box = {{0, 0}, {100, 0}, {100, 100}, {0, 100}};
    QTest::newRow("box top") << box << QList<int>() << true << QPointF(50, 1) << 0;
    QTest::newRow("box right") << box << QList<int>() << true << QPointF(99, 50) << 1;
    QTest::newRow("box bottom") << box << QList<int>() << true << QPointF(50, 100) << 2;
    QTest::newRow("box closing side") << box << QList<int>() << true << QPointF(1, 50) << 3;
    QTest::newRow("box miss") << box << QList<int>() << true << QPointF(50, 50) << -1;

    const QList<QPointF> open = {{0, 0}, {100, 0}, {100, 100}};
    QTest::newRow("open first run") << open << QList<int>{0, 2} << false << QPointF(50, 0) << 0;
    QTest::newRow("open second run") << open << QList<int>{0, 2} << false << QPointF(100, 50) << 1;
    QTest::newRow("open miss") << open << QList<int>{0, 2} << false << QPointF(0, 100) << -1;

    // A closed shape with one corner (point 2): its run goes round from it.
    QTest::newRow("one corner, first piece") << box << QList<int>{0, 1, 3} << true << QPointF(50, 106.25) << 2;
    QTest::newRow("one corner, second piece") << box << QList<int>{0, 1, 3} << true << QPointF(-12.5, 50) << 3;
    QTest::newRow("all curves") << box << QList<int>{0, 1, 2, 3} << true << QPointF(112.5, 50) << 1;
    QTest::newRow("all curves, miss") << box << QList<int>{0, 1, 2, 3} << true << QPointF(50, 50) << -1;
}

void TestSketchShapeHandles::segmentAt()
{
    QFETCH(QList<QPointF>, points);
    QFETCH(QList<int>, curves);
    QFETCH(bool, closed);
    QFETCH(QPointF, at);
    QFETCH(int, segment);
    SketchShape *shape = makePath(m_layer, points, closed);
    for (int i : curves)
        shape->points().at(i)->setCurve(true);
    shape->setActiveHandle(1);
    QCOMPARE(shape->segmentAt(at.x(), at.y()), segment);
}

void TestSketchShapeHandles::segmentAtRefuses()
{
    SketchShape *shape = makeBox(m_layer, QRectF(0, 0, 100, 100));
    shape->setActiveHandle(2);
    QCOMPARE(shape->segmentAt(50, 0), -1);
    shape->setActiveHandle(1);
    QCOMPARE(shape->segmentAt(50, 0), 0);
    shape->setLocked(true);
    QCOMPARE(shape->segmentAt(50, 0), -1);
}

void TestSketchShapeHandles::insertPointOnOutline()
{
    SketchShape *shape = makeBox(m_layer, QRectF(0, 0, 100, 100));
    shape->setActiveHandle(1);
    SketchPoint *point = shape->insertPoint(50, 100, true);
    QVERIFY(point);
    QCOMPARE(shape->pointCount(), 5);
    QCOMPARE(shape->points().at(3), point);
    QCOMPARE(point->toPointF(), QPointF(50, 100));
    QVERIFY(point->isCurve());
    QVERIFY(!point->isLocked());
    QCOMPARE(shape->activeHandle(), 6);
    QCOMPARE(shape->behavior(), int(SketchShapePath));
    // The outline now runs through the new point.
    QCOMPARE(shape->hitTest(50, 100), 6);
}

void TestSketchShapeHandles::insertPointMissesOutline()
{
    SketchShape *shape = makeBox(m_layer, QRectF(0, 0, 100, 100));
    shape->setActiveHandle(1);
    QVERIFY(!shape->insertPoint(50, 50, false));
    QCOMPARE(shape->pointCount(), 4);
    QCOMPARE(shape->behavior(), int(SketchShapeBox));
    QCOMPARE(shape->activeHandle(), 1);

    shape->setActiveHandle(2);
    QVERIFY(!shape->insertPoint(50, 0, false));
    SketchShape lonely(m_layer);
    lonely.setActiveHandle(1);
    QVERIFY(!lonely.insertPoint(0, 0, false));
}

void TestSketchShapeHandles::insertPointConvertsActivePoint()
{
    SketchShape *box = makeBox(m_layer, QRectF(0, 0, 100, 100));
    box->setActiveHandle(4);
    QCOMPARE(box->insertPoint(0, 0, true), box->points().at(1));
    QVERIFY(box->points().at(1)->isCurve());
    QCOMPARE(box->behavior(), int(SketchShapeBox));
    QCOMPARE(box->pointCount(), 4);

    SketchShape *bubble = makeBubble(m_layer, QRectF(0, 0, 100, 50), 4, QPointF(50, 80));
    bubble->setActiveHandle(3);
    bubble->insertPoint(0, 0, true);
    QCOMPARE(bubble->behavior(), int(SketchShapePath));

    // Four points, none or all of them curves, keep their behaviour.
    SketchShape *four = makePath(m_layer, {{0, 0}, {10, 0}, {10, 10}, {0, 10}}, true, true);
    four->setBehavior(SketchShapeBubble);
    four->setActiveHandle(3);
    four->insertPoint(0, 0, true);
    QCOMPARE(four->behavior(), int(SketchShapeBubble));
    four->insertPoint(0, 0, false);
    QCOMPARE(four->behavior(), int(SketchShapePath));
}

void TestSketchShapeHandles::wholeDragFollowsZoomAndRotation()
{
    SketchShape *shape = makePath(m_layer, {{0, 0}, {20, 0}, {20, 20}});
    m_view->setZoom(2.0f);
    shape->setActiveHandle(2);
    shape->moveHandle(10, 4);
    QCOMPARE(pointsOf(shape).first(), QPointF(5, 2));

    shape->setRotateAngle(0.25f);
    shape->setRotatePoint(QPointF(10, 10));
    const QPointF before = shape->mapToView(shape->points().at(0)->toPointF());
    shape->moveHandle(10, 0);
    const QPointF after = shape->mapToView(shape->points().at(0)->toPointF());
    QVERIFY(isNear(after - before, QPointF(10, 0)));
}

void TestSketchShapeHandles::lockedPointsAndDrags()
{
    SketchShape *box = makeBox(m_layer, QRectF(0, 0, 100, 50));
    box->points().at(2)->setLocked(true);
    const QList<QPointF> before = pointsOf(box);
    box->setActiveHandle(5);
    box->moveHandle(10, 10);
    QCOMPARE(pointsOf(box), before);

    box->setActiveHandle(1);
    box->moveHandle(10, 10);
    QCOMPARE(pointsOf(box), (QList<QPointF>{{10, 10}, {110, 10}, {110, 60}, {10, 60}}));

    SketchShape *path = makePath(m_layer, {{0, 0}, {10, 0}, {10, 10}});
    path->points().at(1)->setLocked(true);
    path->setActiveHandle(4);
    path->moveHandle(5, 5);
    QCOMPARE(path->points().at(1)->toPointF(), QPointF(10, 0));
    path->setActiveHandle(5);
    path->moveHandle(5, 5);
    QCOMPARE(path->points().at(2)->toPointF(), QPointF(15, 15));
    path->setActiveHandle(30); // beyond the list
    path->moveHandle(5, 5);
    QCOMPARE(pointsOf(path), (QList<QPointF>{{0, 0}, {10, 0}, {15, 15}}));
}

void TestSketchShapeHandles::boxCornerDrag()
{
    SketchShape *box = makeBox(m_layer, QRectF(0, 0, 100, 50));
    box->setActiveHandle(3);
    box->moveHandle(10, 5);
    QCOMPARE(pointsOf(box), (QList<QPointF>{{10, 5}, {100, 5}, {100, 50}, {10, 50}}));
    // No minimum size: a corner may pass the opposite one.
    box->setActiveHandle(5);
    box->moveHandle(-200, -100);
    QCOMPARE(pointsOf(box), (QList<QPointF>{{10, 5}, {-100, 5}, {-100, -50}, {10, -50}}));
}

void TestSketchShapeHandles::shiftResizeKeepsProportions_data()
{
    QTest::addColumn<int>("handle");
    QTest::addColumn<float>("zoom");
    QTest::addColumn<QRectF>("result");

    QTest::newRow("top-right, zoom 1") << 4 << 1.0f << QRectF(0, -5, 110, 55);
    QTest::newRow("bottom-right, zoom 1") << 5 << 1.0f << QRectF(0, 0, 110, 55);
    QTest::newRow("bottom-left, zoom 1") << 6 << 1.0f << QRectF(10, 0, 90, 45);
    QTest::newRow("top-left, zoom 1") << 3 << 1.0f << QRectF(10, 5, 90, 45);
    QTest::newRow("top-right, zoom 2") << 4 << 2.0f << QRectF(0, -2.5, 105, 52.5);
}

void TestSketchShapeHandles::shiftResizeKeepsProportions()
{
    QFETCH(int, handle);
    QFETCH(float, zoom);
    QFETCH(QRectF, result);
    SketchShape *box = makeBox(m_layer, QRectF(0, 0, 100, 50));
    m_view->setZoom(zoom);
    // The view learns the modifiers from key events as the platform sends
    // them: a Shift press carries the modifiers from before it.
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Shift, Qt::NoModifier);
    QCoreApplication::sendEvent(m_view, &press);
    QVERIFY(m_view->keyboardModifiers().testFlag(Qt::ShiftModifier));
    box->setActiveHandle(handle);
    box->moveHandle(10, 99); // dy follows dx with Shift
    QCOMPARE(box->boundingRect(), result);

    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Shift, Qt::ShiftModifier);
    QCoreApplication::sendEvent(m_view, &release);
    QVERIFY(!m_view->keyboardModifiers().testFlag(Qt::ShiftModifier));
    const QRectF unchanged = box->boundingRect();
    box->setActiveHandle(5);
    box->moveHandle(0, 10);
    QCOMPARE(box->boundingRect().height(), unchanged.height() + 10 / zoom);
    QCOMPARE(box->boundingRect().width(), unchanged.width());
}

void TestSketchShapeHandles::bubbleTailChangesSides()
{
    SketchShape *bubble = makeBubble(m_layer, QRectF(0, 0, 100, 50), 4, QPointF(50, 80));
    bubble->setActiveHandle(7); // the tip of a bottom tail
    bubble->moveHandle(0, -120); // to (50, -40), above the box
    QCOMPARE(bubble->direction(), 2);
    QCOMPARE(bubble->activeHandle(), 5);
    QCOMPARE(pointsOf(bubble), (QList<QPointF>{{0, 0}, {40, 0}, {50, -40}, {60, 0}, {100, 0}, {100, 50}, {0, 50}}));
    QCOMPARE(bubble->textRect(), QRectF(0, 0, 100, 50));

    // The drag goes on with the new handle: round to the right side.
    bubble->moveHandle(90, 60); // to (140, 20)
    QCOMPARE(bubble->direction(), 3);
    QCOMPARE(bubble->activeHandle(), 6);
    QCOMPARE(pointsOf(bubble), (QList<QPointF>{{0, 0}, {100, 0}, {100, 15}, {140, 20}, {100, 35}, {100, 50}, {0, 50}}));

    // And to the left at zoom 2: the view amount is halved.
    m_view->setZoom(2.0f);
    bubble->moveHandle(-360, 0); // to (-40, 20)
    QCOMPARE(bubble->direction(), 5);
    QCOMPARE(bubble->activeHandle(), 8);
    QCOMPARE(bubble->points().at(5)->toPointF(), QPointF(-40, 20));
    QCOMPARE(bubble->points().at(4)->toPointF(), QPointF(0, 35));
    QCOMPARE(bubble->points().at(6)->toPointF(), QPointF(0, 15));
}

void TestSketchShapeHandles::bubbleTailStaysBesideItsEdge()
{
    SketchShape *bubble = makeBubble(m_layer, QRectF(0, 0, 100, 50), 4, QPointF(50, 80));
    bubble->setActiveHandle(7);
    bubble->moveHandle(200, 0); // (250, 80): a corner region, no side
    QCOMPARE(bubble->direction(), 4);
    QCOMPARE(bubble->activeHandle(), 7);
    QCOMPARE(bubble->points().at(4)->toPointF(), QPointF(250, 80));
    bubble->moveHandle(-200, 20); // back below the box
    QCOMPARE(bubble->direction(), 4);
}

void TestSketchShapeHandles::bubbleSideDrags()
{
    SketchShape *bubble = makeBubble(m_layer, QRectF(0, 0, 100, 50), 4, QPointF(50, 80));
    // The bottom-right corner drags the bottom edge and the tail on it.
    bubble->setActiveHandle(5);
    bubble->moveHandle(10, 20);
    QCOMPARE(pointsOf(bubble), (QList<QPointF>{{0, 0}, {110, 0}, {110, 70}, {60, 70}, {50, 100}, {40, 70}, {0, 70}}));
    // A base point slides along its edge only.
    bubble->setActiveHandle(6);
    bubble->moveHandle(5, 30);
    QCOMPARE(bubble->points().at(3)->toPointF(), QPointF(65, 70));

    // A bubble without a tail layout moves nothing.
    bubble->setDirection(1);
    const QList<QPointF> before = pointsOf(bubble);
    bubble->moveHandle(10, 10);
    QCOMPARE(pointsOf(bubble), before);
}

void TestSketchShapeHandles::resizeMinimum()
{
    SketchShape *box = makeBox(m_layer, QRectF(10, 10, 100, 100));
    box->resize(QRectF(10, 10, 100, 100), -96, 0);
    QCOMPARE(box->boundingRect(), QRectF(10, 10, 100, 100));
    box->resize(QRectF(10, 10, 100, 100), -95, 0);
    QCOMPARE(box->boundingRect(), QRectF(10, 10, 5, 100));
    box->resize(QRectF(10, 10, 5, 100), 0, 0);
    QCOMPARE(box->boundingRect(), QRectF(10, 10, 5, 100));
    // A box without width gives no scale.
    box->resize(QRectF(10, 10, 0, 100), 20, 0);
    QCOMPARE(box->boundingRect(), QRectF(10, 10, 5, 100));
}

void TestSketchShapeHandles::resizeConvertsViewAmounts()
{
    SketchShape *box = makeBox(m_layer, QRectF(0, 0, 100, 50));
    m_view->setZoom(2.0f);
    // Shapes resized with one box scale about its top-left corner.
    box->resize(QRectF(-100, -50, 200, 100), 40, 20);
    QCOMPARE(box->boundingRect(), QRectF(10, 5, 110, 55));
}

void TestSketchShapeHandles::resizeConvertsFrameAmountsOnce()
{
    SketchShape *box = makeBox(m_layer, QRectF(0, 0, 100, 50));
    box->appendFrame(makeBox(nullptr, QRectF(0, 0, 100, 50)));
    box->appendFrame(makeBox(nullptr, QRectF(0, 0, 40, 10)));
    m_view->setZoom(2.0f);
    box->resize(box->boundingRect(), 40, 20);
    QCOMPARE(box->boundingRect(), QRectF(0, 0, 120, 60));
    QCOMPARE(box->frames().at(0)->boundingRect(), QRectF(0, 0, 120, 60));
    // Frames keep their proportions.
    QCOMPARE(box->frames().at(1)->boundingRect(), QRectF(0, 0, 60, 15));
}

void TestSketchShapeHandles::flipAboutAxis()
{
    SketchShape *shape = makePath(m_layer, {{20, 0}, {30, 10}});
    shape->setRotateAngle(0.25f);
    shape->setRotatePoint(QPointF(25, 5));
    shape->setFill(SkinBrush(QColor(Qt::red), QColor(Qt::blue), true));
    shape->fill().setFrom(QPointF(0.2, 0.5));
    shape->flipHorizontal(50);
    QCOMPARE(pointsOf(shape), (QList<QPointF>{{80, 0}, {70, 10}}));
    QCOMPARE(shape->rotateAngle(), 0.75f);
    QCOMPARE(shape->rotatePoint(), QPointF(75, 5));
    QVERIFY(qAbs(shape->fill().from().x() - 0.8) < 1e-6);

    shape->setRotateAngle(0.0f);
    shape->flipVertical(0);
    QCOMPARE(pointsOf(shape), (QList<QPointF>{{80, 0}, {70, -10}}));
    QCOMPARE(shape->rotatePoint(), QPointF(75, 5)); // no rotation: left alone
}

void TestSketchShapeHandles::shortLayoutsFromFile()
{
    // Behaviours whose point lists are shorter than their layouts.
    QDomDocument document;
    SketchShape *bubble = new SketchShape(m_layer);
    m_layer->shapes().append(bubble);
    bubble->readXml(parseElement(document,
        "<Shape Behavior=\"2\" Direction=\"4\" Text=\"hi\" Points=\"0,0;100,0;100,50\"/>"));
    QCOMPARE(bubble->textRect(), bubble->boundingRect());
    for (int handle = 0; handle < 12; ++handle) {
        bubble->setActiveHandle(handle);
        bubble->hitTest(50, 20);
        bubble->moveHandle(1, 1);
        bubble->insertPoint(50, 0, true);
    }
    QDomDocument other;
    SketchShape *box = new SketchShape(m_layer);
    m_layer->shapes().append(box);
    box->readXml(parseElement(other, "<Shape Behavior=\"1\" Points=\"0,0;10,10\"/>"));
    box->setActiveHandle(6);
    box->moveHandle(5, 5);
    QCOMPARE(pointsOf(box), (QList<QPointF>{{0, 0}, {10, 10}}));
    QCOMPARE(box->boxRect(QRectF(0, 0, 1, 1)), QRectF(0, 0, 10, 10));
}

void TestSketchShapeHandles::boxRect()
{
    SketchShape *bubble = makeBubble(m_layer, QRectF(10, 20, 100, 50), 4, QPointF(50, 200));
    QCOMPARE(bubble->boxRect(bubble->boundingRect()), QRectF(10, 20, 100, 50));
    QCOMPARE(bubble->boxRect(QRectF(0, 0, 0, 10)), QRectF());
}

QTEST_MAIN(TestSketchShapeHandles)
#include "tst_sketchshapehandles.moc"
