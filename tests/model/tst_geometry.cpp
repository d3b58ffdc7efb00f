#include "model/geometry.h"

#include <QStandardPaths>
#include <QtTest>

#include <cmath>
#include <limits>

using PointList = QList<QPointF>;

Q_DECLARE_METATYPE(LineEquation)
Q_DECLARE_METATYPE(FloatSegment)
Q_DECLARE_METATYPE(FloatEllipse)

namespace {

bool nearlyEqual(double a, double b, double epsilon = 1e-4)
{
    return std::fabs(a - b) <= epsilon;
}

bool samePoints(const PointList& actual, const PointList& expected, double epsilon = 1e-4)
{
    if (actual.size() != expected.size())
        return false;
    for (int i = 0; i < actual.size(); ++i) {
        if (!nearlyEqual(actual[i].x(), expected[i].x(), epsilon)
            || !nearlyEqual(actual[i].y(), expected[i].y(), epsilon))
            return false;
    }
    return true;
}

QString describe(const PointList& points)
{
    QStringList parts;
    for (const QPointF& p : points)
        parts << QStringLiteral("(%1, %2)").arg(p.x(), 0, 'g', 9).arg(p.y(), 0, 'g', 9);
    return QLatin1Char('[') + parts.join(QStringLiteral(", ")) + QLatin1Char(']');
}

#define COMPARE_POINTS(actual, expected)                                                           \
    QVERIFY2(samePoints(actual, expected),                                                         \
             qPrintable(QStringLiteral("got %1, expected %2").arg(describe(actual), describe(expected))))

const float kNaN = std::numeric_limits<float>::quiet_NaN();

} // namespace

class TestGeometry : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void lineThroughTwoPoints_data();
    void lineThroughTwoPoints();
    void lineThroughPointAtAngle();

    void segmentValues();
    void ellipseValues_data();
    void ellipseValues();

    void cardinalValue_data();
    void cardinalValue();

    void perpendicularFoot_data();
    void perpendicularFoot();
    void pointSegmentDistance_data();
    void pointSegmentDistance();
    void angleAtPoint_data();
    void angleAtPoint();

    void isPointNearSegment_data();
    void isPointNearSegment();
    void isPointNearPolyline_data();
    void isPointNearPolyline();
    void isPointInSegmentBounds_data();
    void isPointInSegmentBounds();
    void pointAndEllipse_data();
    void pointAndEllipse();

    void intersectLines_data();
    void intersectLines();
    void intersectLineSegment_data();
    void intersectLineSegment();
    void intersectLineRect();
    void intersectSegments_data();
    void intersectSegments();
    void intersectSegmentPolyline_data();
    void intersectSegmentPolyline();
    void intersectSegmentRect_data();
    void intersectSegmentRect();
    void intersectLineEllipse_data();
    void intersectLineEllipse();
    void intersectSegmentEllipse_data();
    void intersectSegmentEllipse();
    void solveQuadratic_data();
    void solveQuadratic();

    void rotatePointAround_data();
    void rotatePointAround();
    void rotatedRectCorners();
    void rectangles_data();
    void rectangles();
    void ellipseAroundRect_data();
    void ellipseAroundRect();
    void products();
    void floatModulo_data();
    void floatModulo();

    void curveShape_data();
    void curveShape();
    void curveClampsItsParameters_data();
    void curveClampsItsParameters();
    void curvePassesThroughControlPoints_data();
    void curvePassesThroughControlPoints();
    void curveSegmentAt_data();
    void curveSegmentAt();
    void curveHitBandOnFineFlattening();
};

// ---------------------------------------------------------------- values

void TestGeometry::lineThroughTwoPoints_data()
{
    QTest::addColumn<FloatSegment>("segment");
    QTest::addColumn<LineEquation>("expected");

    QTest::newRow("diagonal") << FloatSegment(0, 0, 2, 2) << LineEquation(-1.0f, 1.0f, 0.0f);
    QTest::newRow("vertical") << FloatSegment(3, 1, 3, 5) << LineEquation(1.0f, 0.0f, -3.0f);
    QTest::newRow("same point") << FloatSegment(4, 4, 4, 4) << LineEquation(0.0f, 0.0f, 0.0f);
    QTest::newRow("slanted") << FloatSegment(0, 1, 4, 3) << LineEquation(-0.5f, 1.0f, -1.0f);
    QTest::newRow("horizontal") << FloatSegment(-2, 7, 5, 7) << LineEquation(0.0f, 1.0f, -7.0f);
}

void TestGeometry::lineThroughTwoPoints()
{
    QFETCH(FloatSegment, segment);
    QFETCH(LineEquation, expected);

    const LineEquation direct(segment.x1(), segment.y1(), segment.x2(), segment.y2());
    const LineEquation fromSegment = LineEquation::fromSegment(segment);
    for (const LineEquation& line : {direct, fromSegment}) {
        QCOMPARE(line.a(), expected.a());
        QCOMPARE(line.b(), expected.b());
        QCOMPARE(line.c(), expected.c());
    }
}

void TestGeometry::lineThroughPointAtAngle()
{
    const LineEquation line(QPointF(1, 2), 45.0f);
    QVERIFY(nearlyEqual(line.a(), 1.0));
    QCOMPARE(line.b(), -1.0f);
    QVERIFY(nearlyEqual(line.c(), 1.0));
    // Another point of the line satisfies its equation.
    QVERIFY(nearlyEqual(line.a() * 11.0 + line.b() * 12.0 + line.c(), 0.0));

    const LineEquation flat(QPointF(5, -3), 0.0f);
    QCOMPARE(flat.a(), 0.0f);
    QCOMPARE(flat.c(), -3.0f);

    LineEquation edited;
    QCOMPARE(edited.a(), 0.0f);
    edited.setA(2.0f);
    edited.setB(-1.0f);
    edited.setC(0.5f);
    QCOMPARE(edited.a(), 2.0f);
    QCOMPARE(edited.b(), -1.0f);
    QCOMPARE(edited.c(), 0.5f);
}

void TestGeometry::segmentValues()
{
    // Double coordinates are stored rounded to single precision.
    FloatSegment segment(0.1, 5.0, -2.0, 1.5);
    QCOMPARE(segment.x1(), 0.1f);
    QCOMPARE(segment.p1(), QPointF(double(0.1f), 5.0));
    QCOMPARE(segment.boundingRect(), QRectF(-2.0, 1.5, 2.0 + double(0.1f), 3.5));

    segment.setP1(QPointF(1.0 / 3.0, 4.0));
    segment.setP2(QPointF(3.0, 8.0));
    QCOMPARE(segment.x1(), float(1.0 / 3.0));
    QCOMPARE(segment.p2(), QPointF(3.0, 8.0));
    QCOMPARE(segment.boundingRect(), QRectF(double(float(1.0 / 3.0)), 4.0, 3.0 - double(float(1.0 / 3.0)), 4.0));

    segment.setX1(1);
    segment.setY1(2);
    segment.setX2(3);
    segment.setY2(4);
    QCOMPARE(segment.p1(), QPointF(1, 2));
    QCOMPARE(segment.p2(), QPointF(3, 4));
    QCOMPARE(FloatSegment().boundingRect(), QRectF(0, 0, 0, 0));
}

void TestGeometry::ellipseValues_data()
{
    QTest::addColumn<FloatEllipse>("ellipse");
    QTest::addColumn<FloatEllipse>("expected");
    QTest::addColumn<QRectF>("boundingRect");

    QTest::newRow("default") << FloatEllipse() << FloatEllipse(0, 0, 0, 0) << QRectF(0, 0, 0, 0);
    QTest::newRow("from rect") << FloatEllipse(QRectF(10, 20, 30, 40)) << FloatEllipse(25, 40, 15, 20)
                               << QRectF(10, 20, 30, 40);
    QTest::newRow("negative radii") << FloatEllipse(1, 2, -3, -4) << FloatEllipse(1, 2, 0, 0)
                                    << QRectF(1, 2, 0, 0);
    QTest::newRow("radius not a number") << FloatEllipse(1, 2, kNaN, 5) << FloatEllipse(1, 2, 0, 5)
                                         << QRectF(1, -3, 0, 10);
    QTest::newRow("inverted rect") << FloatEllipse(QRectF(10, 10, -4, 6)) << FloatEllipse(8, 13, 0, 3)
                                   << QRectF(8, 10, 0, 6);
}

void TestGeometry::ellipseValues()
{
    QFETCH(FloatEllipse, ellipse);
    QFETCH(FloatEllipse, expected);
    QFETCH(QRectF, boundingRect);

    QCOMPARE(ellipse.cx(), expected.cx());
    QCOMPARE(ellipse.cy(), expected.cy());
    QCOMPARE(ellipse.rx(), expected.rx());
    QCOMPARE(ellipse.ry(), expected.ry());
    QCOMPARE(ellipse.boundingRect(), boundingRect);

    ellipse.setRx(-1.0f);
    ellipse.setRy(7.5f);
    ellipse.setCx(1.0f);
    ellipse.setCy(-1.0f);
    QCOMPARE(ellipse.rx(), 0.0f);
    QCOMPARE(ellipse.ry(), 7.5f);
    QCOMPARE(ellipse.boundingRect(), QRectF(1.0, -8.5, 0.0, 15.0));
}

void TestGeometry::cardinalValue_data()
{
    QTest::addColumn<float>("tension");
    QTest::addColumn<float>("t");
    QTest::addColumn<float>("expected");

    // p0 = 1, p1 = 2, p2 = 6, p3 = 3.
    QTest::newRow("start") << 0.5f << 0.0f << 2.0f;
    QTest::newRow("end") << 0.5f << 1.0f << 6.0f;
    QTest::newRow("catmull-rom middle") << 0.5f << 0.5f << float((-1.0 + 9 * 2.0 + 9 * 6.0 - 3.0) / 16.0);
    QTest::newRow("tension 0 is smoothstep") << 0.0f << 0.5f << 4.0f;
    QTest::newRow("tension 1 end") << 1.0f << 1.0f << 6.0f;
}

void TestGeometry::cardinalValue()
{
    QFETCH(float, tension);
    QFETCH(float, t);
    QFETCH(float, expected);
    QVERIFY(nearlyEqual(::cardinalValue(1, 2, 6, 3, tension, t), expected, 1e-6));
}

// ---------------------------------------------------------------- distances

void TestGeometry::perpendicularFoot_data()
{
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<LineEquation>("line");
    QTest::addColumn<QPointF>("expected");

    QTest::newRow("slanted") << QPointF(0, 2) << LineEquation(0, 0, 2, 2) << QPointF(1, 1);
    QTest::newRow("on the line") << QPointF(3, 3) << LineEquation(0, 0, 2, 2) << QPointF(3, 3);
    // Axis-parallel lines get their true foot, not the point itself.
    QTest::newRow("horizontal") << QPointF(4, 9) << LineEquation(0.0f, 1.0f, -2.0f) << QPointF(4, 2);
    QTest::newRow("vertical") << QPointF(4, 9) << LineEquation(1.0f, 0.0f, -3.0f) << QPointF(3, 9);
    QTest::newRow("degenerate line") << QPointF(4, 9) << LineEquation() << QPointF(4, 9);
}

void TestGeometry::perpendicularFoot()
{
    QFETCH(QPointF, point);
    QFETCH(LineEquation, line);
    QFETCH(QPointF, expected);
    COMPARE_POINTS(PointList{::perpendicularFoot(point, line)}, PointList{expected});
}

void TestGeometry::pointSegmentDistance_data()
{
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<FloatSegment>("segment");
    QTest::addColumn<float>("expected");

    const FloatSegment vertical(3, 1, 3, 5);
    QTest::newRow("vertical beside") << QPointF(5, 2) << vertical << 2.0f;
    QTest::newRow("vertical above") << QPointF(6, -3) << vertical << 5.0f;
    QTest::newRow("vertical below") << QPointF(3, 8) << vertical << 3.0f;
    const FloatSegment horizontal(10, 0, 0, 0);
    QTest::newRow("horizontal over") << QPointF(4, -1.5) << horizontal << 1.5f;
    QTest::newRow("horizontal left") << QPointF(-3, 4) << horizontal << 5.0f;
    QTest::newRow("horizontal right") << QPointF(13, 4) << horizontal << 5.0f;
    const FloatSegment slanted(0, 0, 10, 10);
    QTest::newRow("slanted beside") << QPointF(4, 6) << slanted << float(std::sqrt(2.0));
    // Beyond the ends the nearest end counts, not the carrier line.
    QTest::newRow("slanted on line beyond end") << QPointF(13, 13) << slanted << float(3 * std::sqrt(2.0));
    QTest::newRow("slanted before start") << QPointF(-3, -4) << slanted << 5.0f;
    QTest::newRow("point segment") << QPointF(5, 6) << FloatSegment(2, 2, 2, 2) << 5.0f;
}

void TestGeometry::pointSegmentDistance()
{
    QFETCH(QPointF, point);
    QFETCH(FloatSegment, segment);
    QFETCH(float, expected);
    QVERIFY(nearlyEqual(::pointSegmentDistance(point, segment), expected));
}

void TestGeometry::angleAtPoint_data()
{
    QTest::addColumn<QPointF>("a");
    QTest::addColumn<QPointF>("b");
    QTest::addColumn<QPointF>("c");
    QTest::addColumn<float>("expected");

    QTest::newRow("right angle") << QPointF(0, 0) << QPointF(5, 0) << QPointF(0, 7) << 90.0f;
    QTest::newRow("beyond the end") << QPointF(12, 12) << QPointF(0, 0) << QPointF(10, 10) << 0.0f;
    QTest::newRow("between the ends") << QPointF(5, 5) << QPointF(0, 0) << QPointF(10, 10) << 180.0f;
    // Rounded distances would put the cosine just below -1 here.
    QTest::newRow("straight, rounding") << QPointF(2.5, 12.5) << QPointF(0, 0) << QPointF(25, 125) << 180.0f;
    QTest::newRow("a on b") << QPointF(0, 0) << QPointF(0, 0) << QPointF(10, 10) << 0.0f;
    QTest::newRow("a on c") << QPointF(10, 10) << QPointF(0, 0) << QPointF(10, 10) << 0.0f;
}

void TestGeometry::angleAtPoint()
{
    QFETCH(QPointF, a);
    QFETCH(QPointF, b);
    QFETCH(QPointF, c);
    QFETCH(float, expected);
    const float angle = ::angleAtPoint(a, b, c);
    // Distances are rounded to single precision first, so the angle is
    // only as good as a tenth of a degree near 0 and 180.
    QVERIFY2(nearlyEqual(angle, expected, 0.1), qPrintable(QString::number(angle)));
}

// ---------------------------------------------------------------- hit tests

void TestGeometry::isPointNearSegment_data()
{
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<FloatSegment>("segment");
    QTest::addColumn<float>("tolerance");
    QTest::addColumn<bool>("expected");

    const FloatSegment horizontal(0, 0, 10, 0);
    QTest::newRow("horizontal near") << QPointF(5, 1.5) << horizontal << 2.0f << true;
    QTest::newRow("horizontal past end") << QPointF(11, 0) << horizontal << 2.0f << false;
    QTest::newRow("horizontal too far") << QPointF(5, 2.5) << horizontal << 2.0f << false;
    QTest::newRow("horizontal at tolerance") << QPointF(10, -2) << horizontal << 2.0f << true;
    const FloatSegment vertical(3, 5, 3, 1);
    QTest::newRow("vertical near") << QPointF(4.5, 3) << vertical << 2.0f << true;
    QTest::newRow("vertical past end") << QPointF(3, 5.5) << vertical << 2.0f << false;
    QTest::newRow("vertical too far") << QPointF(0.5, 3) << vertical << 2.0f << false;

    const FloatSegment slanted(0, 0, 10, 10);
    QTest::newRow("slanted near") << QPointF(5, 6) << slanted << 2.0f << true;
    QTest::newRow("slanted beyond end on line") << QPointF(12, 12) << slanted << 2.0f << false;
    QTest::newRow("slanted just past end") << QPointF(10.5, 10.5) << slanted << 2.0f << false;
    QTest::newRow("slanted too far") << QPointF(3, 7) << slanted << 2.0f << false;
    QTest::newRow("slanted wide tolerance") << QPointF(3, 7) << slanted << 3.0f << true;
    // An end point lies on the segment.
    QTest::newRow("slanted start point") << QPointF(0, 0) << slanted << 2.0f << true;
    QTest::newRow("slanted end point") << QPointF(10, 10) << slanted << 2.0f << true;
    QTest::newRow("exactly on the segment") << QPointF(2.5, 12.5) << FloatSegment(0, 0, 25, 125) << 2.0f << true;
    // A short piece, as flattened curves have, keeps the full tolerance band.
    QTest::newRow("short piece") << QPointF(0.5 - 1.2, 0.5 + 1.2) << FloatSegment(0, 0, 1, 1) << 2.0f << true;

    QTest::newRow("point segment") << QPointF(2, 2) << FloatSegment(2, 2, 2, 2) << 2.0f << false;
}

void TestGeometry::isPointNearSegment()
{
    QFETCH(QPointF, point);
    QFETCH(FloatSegment, segment);
    QFETCH(float, tolerance);
    QFETCH(bool, expected);
    QCOMPARE(::isPointNearSegment(point, segment, tolerance), expected);
}

void TestGeometry::isPointNearPolyline_data()
{
    QTest::addColumn<PointList>("points");
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<bool>("expected");

    const PointList zigzag{QPointF(0, 0), QPointF(10, 0), QPointF(10, 10), QPointF(20, 20)};
    QTest::newRow("first piece") << zigzag << QPointF(5, 1) << true;
    QTest::newRow("middle piece") << zigzag << QPointF(11, 5) << true;
    QTest::newRow("last piece") << zigzag << QPointF(15, 16) << true;
    QTest::newRow("no piece") << zigzag << QPointF(15, 5) << false;
    QTest::newRow("no closing piece") << zigzag << QPointF(5, 5) << false;
    QTest::newRow("single point") << PointList{QPointF(0, 0)} << QPointF(0, 0) << false;
    QTest::newRow("empty") << PointList() << QPointF(0, 0) << false;
}

void TestGeometry::isPointNearPolyline()
{
    QFETCH(PointList, points);
    QFETCH(QPointF, point);
    QFETCH(bool, expected);
    QCOMPARE(::isPointNearPolyline(point, points, 2.0f), expected);
    QCOMPARE(::isPointNearPolyline(point, QPolygonF(points.toVector()), 2.0f), expected);
    QCOMPARE(::isPointNearCurve(point, TensionCurve(points, false, 0.0f, 0.1f)), expected);
}

void TestGeometry::isPointInSegmentBounds_data()
{
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<FloatSegment>("segment");
    QTest::addColumn<bool>("expected");

    const FloatSegment slanted(10, 0, 0, 5);
    QTest::newRow("inside") << QPointF(3, 3) << slanted << true;
    QTest::newRow("corner") << QPointF(0, 0) << slanted << true;
    QTest::newRow("on edge") << QPointF(10, 2) << slanted << true;
    QTest::newRow("left of box") << QPointF(-0.001, 2) << slanted << false;
    QTest::newRow("below box") << QPointF(5, 5.001) << slanted << false;
    QTest::newRow("horizontal segment") << QPointF(4, 0) << FloatSegment(0, 0, 10, 0) << true;
    QTest::newRow("ends coincide, same point") << QPointF(2, 2) << FloatSegment(2, 2, 2, 2) << false;
    QTest::newRow("ends coincide, other point") << QPointF(3, 2) << FloatSegment(2, 2, 2, 2) << false;
}

void TestGeometry::isPointInSegmentBounds()
{
    QFETCH(QPointF, point);
    QFETCH(FloatSegment, segment);
    QFETCH(bool, expected);
    QCOMPARE(::isPointInSegmentBounds(point, segment), expected);
}

void TestGeometry::pointAndEllipse_data()
{
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<FloatEllipse>("ellipse");
    QTest::addColumn<bool>("inside");
    QTest::addColumn<bool>("onOutline");

    const FloatEllipse ellipse(10, 20, 4, 2);
    QTest::newRow("centre") << QPointF(10, 20) << ellipse << true << false;
    QTest::newRow("right vertex") << QPointF(14, 20) << ellipse << true << true;
    QTest::newRow("top vertex") << QPointF(10, 18) << ellipse << true << true;
    QTest::newRow("outside") << QPointF(13, 21.5) << ellipse << false << false;
    QTest::newRow("zero x radius") << QPointF(10, 20) << FloatEllipse(10, 20, 0, 2) << false << false;
    QTest::newRow("zero y radius") << QPointF(10, 20) << FloatEllipse(10, 20, 4, 0) << false << false;
}

void TestGeometry::pointAndEllipse()
{
    QFETCH(QPointF, point);
    QFETCH(FloatEllipse, ellipse);
    QFETCH(bool, inside);
    QFETCH(bool, onOutline);
    QCOMPARE(::isPointInEllipse(point, ellipse), inside);
    QCOMPARE(::isPointOnEllipse(point, ellipse), onOutline);
}

// ---------------------------------------------------------------- intersections

void TestGeometry::intersectLines_data()
{
    QTest::addColumn<LineEquation>("l1");
    QTest::addColumn<LineEquation>("l2");
    QTest::addColumn<PointList>("expected");

    QTest::newRow("crossing") << LineEquation(0, 0, 2, 2) << LineEquation(0, 4, 4, 0) << PointList{QPointF(2, 2)};
    QTest::newRow("vertical and horizontal") << LineEquation(1.0f, 0.0f, -3.0f) << LineEquation(0.0f, 1.0f, 5.0f)
                                             << PointList{QPointF(3, -5)};
    QTest::newRow("parallel") << LineEquation(0, 0, 2, 2) << LineEquation(0, 1, 2, 3) << PointList();
    QTest::newRow("same line") << LineEquation(0, 0, 2, 2) << LineEquation(-1.0f, 1.0f, 0.0f) << PointList();
    QTest::newRow("determinant 1e-11") << LineEquation(1e-11f, 0.0f, -1.0f) << LineEquation(0.0f, 1.0f, -1.0f)
                                       << PointList();
    QTest::newRow("determinant 1e-9") << LineEquation(1e-9f, 0.0f, -1.0f) << LineEquation(0.0f, 1.0f, -1.0f)
                                      << PointList{QPointF(double(-(-1.0f)) / double(1e-9f), 1)};
    QTest::newRow("degenerate line") << LineEquation() << LineEquation(0, 0, 2, 2) << PointList();
}

void TestGeometry::intersectLines()
{
    QFETCH(LineEquation, l1);
    QFETCH(LineEquation, l2);
    QFETCH(PointList, expected);
    COMPARE_POINTS(::intersectLines(l1, l2), expected);
}

void TestGeometry::intersectLineSegment_data()
{
    QTest::addColumn<LineEquation>("line");
    QTest::addColumn<FloatSegment>("segment");
    QTest::addColumn<PointList>("expected");

    const LineEquation diagonal(0, 0, 1, 1);
    QTest::newRow("crosses slanted") << diagonal << FloatSegment(0, 4, 4, 0) << PointList{QPointF(2, 2)};
    QTest::newRow("crosses horizontal") << diagonal << FloatSegment(0, 3, 5, 3) << PointList{QPointF(3, 3)};
    QTest::newRow("misses horizontal") << diagonal << FloatSegment(0, 7, 5, 7) << PointList();
    QTest::newRow("misses slanted") << diagonal << FloatSegment(10, 14, 14, 10) << PointList{QPointF(12, 12)};
    QTest::newRow("beyond slanted") << diagonal << FloatSegment(0, 4, 1, 3) << PointList();
    QTest::newRow("at the end of slanted") << diagonal << FloatSegment(0, 4, 2, 2) << PointList{QPointF(2, 2)};
    QTest::newRow("parallel") << diagonal << FloatSegment(0, 1, 5, 6) << PointList();
    QTest::newRow("degenerate segment") << diagonal << FloatSegment(1, 1, 1, 1) << PointList();
}

void TestGeometry::intersectLineSegment()
{
    QFETCH(LineEquation, line);
    QFETCH(FloatSegment, segment);
    QFETCH(PointList, expected);
    COMPARE_POINTS(::intersectLineSegment(line, segment), expected);
}

void TestGeometry::intersectLineRect()
{
    const QRectF rect(0, 0, 10, 6);
    // Horizontal line: only the right and left sides are crossed, right first.
    COMPARE_POINTS(::intersectLineRect(LineEquation(0.0f, 1.0f, -3.0f), rect),
                   (PointList{QPointF(10, 3), QPointF(0, 3)}));
    // Slanted line through the top side, then the bottom side.
    COMPARE_POINTS(::intersectLineRect(LineEquation(2, 0, 6, 6), rect), (PointList{QPointF(2, 0), QPointF(6, 6)}));
    COMPARE_POINTS(::intersectLineRect(LineEquation(0.0f, 1.0f, -20.0f), rect), PointList());
}

void TestGeometry::intersectSegments_data()
{
    QTest::addColumn<FloatSegment>("s1");
    QTest::addColumn<FloatSegment>("s2");
    QTest::addColumn<PointList>("expected");

    QTest::newRow("cross") << FloatSegment(0, 0, 4, 4) << FloatSegment(0, 4, 4, 0) << PointList{QPointF(2, 2)};
    QTest::newRow("touch at end") << FloatSegment(0, 0, 2, 2) << FloatSegment(0, 4, 4, 0) << PointList{QPointF(2, 2)};
    QTest::newRow("axis parallel cross") << FloatSegment(0, 3, 10, 3) << FloatSegment(4, 0, 4, 8)
                                         << PointList{QPointF(4, 3)};
    QTest::newRow("lines cross outside") << FloatSegment(0, 0, 1, 1) << FloatSegment(0, 4, 4, 0) << PointList();
    QTest::newRow("parallel") << FloatSegment(0, 0, 4, 4) << FloatSegment(0, 1, 4, 5) << PointList();
    QTest::newRow("collinear overlap") << FloatSegment(0, 0, 4, 4) << FloatSegment(2, 2, 6, 6) << PointList();
    QTest::newRow("degenerate") << FloatSegment(2, 2, 2, 2) << FloatSegment(0, 4, 4, 0) << PointList();
}

void TestGeometry::intersectSegments()
{
    QFETCH(FloatSegment, s1);
    QFETCH(FloatSegment, s2);
    QFETCH(PointList, expected);
    COMPARE_POINTS(::intersectSegments(s1, s2), expected);
    COMPARE_POINTS(::intersectSegments(s2, s1), expected);
}

void TestGeometry::intersectSegmentPolyline_data()
{
    QTest::addColumn<FloatSegment>("segment");
    QTest::addColumn<PointList>("points");
    QTest::addColumn<PointList>("expected");

    const PointList vee{QPointF(0, 0), QPointF(5, 5), QPointF(10, 0)};
    QTest::newRow("through shared vertex") << FloatSegment(5, 0, 5, 10) << vee << PointList{QPointF(5, 5)};
    QTest::newRow("two pieces") << FloatSegment(0, 2, 10, 2) << vee << (PointList{QPointF(2, 2), QPointF(8, 2)});
    QTest::newRow("misses") << FloatSegment(0, 8, 10, 8) << vee << PointList();
    QTest::newRow("single point") << FloatSegment(0, 0, 10, 10) << PointList{QPointF(5, 5)} << PointList();
    QTest::newRow("empty") << FloatSegment(0, 0, 10, 10) << PointList() << PointList();
}

void TestGeometry::intersectSegmentPolyline()
{
    QFETCH(FloatSegment, segment);
    QFETCH(PointList, points);
    QFETCH(PointList, expected);
    COMPARE_POINTS(::intersectSegmentPolyline(segment, points), expected);
}

void TestGeometry::intersectSegmentRect_data()
{
    QTest::addColumn<FloatSegment>("segment");
    QTest::addColumn<PointList>("expected");

    // The rectangle is (0, 0, 10, 6); sides are searched top, right, bottom, left.
    QTest::newRow("through left and right") << FloatSegment(-5, 3, 15, 3) << (PointList{QPointF(10, 3), QPointF(0, 3)});
    QTest::newRow("out through top") << FloatSegment(5, 3, 5, -3) << PointList{QPointF(5, 0)};
    QTest::newRow("through a corner") << FloatSegment(-2, 8, 2, 4) << PointList{QPointF(0, 6)};
    QTest::newRow("inside") << FloatSegment(2, 2, 8, 4) << PointList();
    QTest::newRow("outside") << FloatSegment(-5, -5, 20, -1) << PointList();
}

void TestGeometry::intersectSegmentRect()
{
    QFETCH(FloatSegment, segment);
    QFETCH(PointList, expected);
    COMPARE_POINTS(::intersectSegmentRect(segment, QRectF(0, 0, 10, 6)), expected);
}

void TestGeometry::intersectLineEllipse_data()
{
    QTest::addColumn<LineEquation>("line");
    QTest::addColumn<FloatEllipse>("ellipse");
    QTest::addColumn<PointList>("expected");

    const FloatEllipse ellipse(10, 20, 4, 2);
    QTest::newRow("horizontal through centre") << LineEquation(0.0f, 1.0f, -20.0f) << ellipse
                                               << (PointList{QPointF(14, 20), QPointF(6, 20)});
    QTest::newRow("vertical through centre") << LineEquation(1.0f, 0.0f, -10.0f) << ellipse
                                             << (PointList{QPointF(10, 22), QPointF(10, 18)});
    QTest::newRow("vertical tangent") << LineEquation(1.0f, 0.0f, -10.0f) << FloatEllipse(0, 0, 10, 5)
                                      << PointList{QPointF(10, 0)};
    QTest::newRow("horizontal tangent") << LineEquation(0.0f, 1.0f, -5.0f) << FloatEllipse(0, 0, 10, 5)
                                        << PointList{QPointF(0, 5)};
    const double r = 5.0 / std::sqrt(2.0);
    QTest::newRow("diagonal through circle") << LineEquation(0, 0, 1, 1) << FloatEllipse(0, 0, 5, 5)
                                             << (PointList{QPointF(r, r), QPointF(-r, -r)});
    QTest::newRow("misses") << LineEquation(1.0f, 0.0f, -20.0f) << ellipse << PointList();
    QTest::newRow("zero radius") << LineEquation(0.0f, 1.0f, -20.0f) << FloatEllipse(10, 20, 0, 2) << PointList();
    QTest::newRow("degenerate line") << LineEquation() << ellipse << PointList();
}

void TestGeometry::intersectLineEllipse()
{
    QFETCH(LineEquation, line);
    QFETCH(FloatEllipse, ellipse);
    QFETCH(PointList, expected);
    COMPARE_POINTS(::intersectLineEllipse(line, ellipse), expected);
}

void TestGeometry::intersectSegmentEllipse_data()
{
    QTest::addColumn<FloatSegment>("segment");
    QTest::addColumn<PointList>("expected");

    // The ellipse has centre (10, 20) and radii 4 and 2.
    QTest::newRow("through") << FloatSegment(0, 20, 20, 20) << (PointList{QPointF(14, 20), QPointF(6, 20)});
    QTest::newRow("from centre out") << FloatSegment(10, 20, 20, 20) << PointList{QPointF(14, 20)};
    QTest::newRow("vertical out") << FloatSegment(10, 0, 10, 20) << PointList{QPointF(10, 18)};
    QTest::newRow("inside") << FloatSegment(9, 20, 11, 20) << PointList();
    QTest::newRow("degenerate") << FloatSegment(14, 20, 14, 20) << PointList();
}

void TestGeometry::intersectSegmentEllipse()
{
    QFETCH(FloatSegment, segment);
    QFETCH(PointList, expected);
    COMPARE_POINTS(::intersectSegmentEllipse(segment, FloatEllipse(10, 20, 4, 2)), expected);
}

void TestGeometry::solveQuadratic_data()
{
    QTest::addColumn<float>("a");
    QTest::addColumn<float>("b");
    QTest::addColumn<float>("c");
    QTest::addColumn<QList<float>>("expected");

    QTest::newRow("two roots") << 1.0f << -3.0f << 2.0f << QList<float>{2.0f, 1.0f};
    QTest::newRow("two roots, a negative") << -1.0f << 3.0f << -2.0f << QList<float>{1.0f, 2.0f};
    QTest::newRow("linear") << 0.0f << 2.0f << -4.0f << QList<float>{2.0f};
    QTest::newRow("no real root") << 1.0f << 0.0f << 1.0f << QList<float>();
    QTest::newRow("double root") << 1.0f << -2.0f << 1.0f << QList<float>{1.0f};
    QTest::newRow("constant") << 0.0f << 0.0f << 3.0f << QList<float>();
    QTest::newRow("zero everywhere") << 0.0f << 0.0f << 0.0f << QList<float>();
}

void TestGeometry::solveQuadratic()
{
    QFETCH(float, a);
    QFETCH(float, b);
    QFETCH(float, c);
    QFETCH(QList<float>, expected);
    QCOMPARE(::solveQuadratic(a, b, c), expected);
}

// ---------------------------------------------------------------- rotation and rectangles

void TestGeometry::rotatePointAround_data()
{
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<QPointF>("centre");
    QTest::addColumn<float>("degrees");
    QTest::addColumn<float>("scale");
    QTest::addColumn<QPointF>("expected");

    QTest::newRow("quarter turn") << QPointF(10, 0) << QPointF(0, 0) << 90.0f << 1.0f << QPointF(0, 10);
    QTest::newRow("half turn about centre") << QPointF(7, 5) << QPointF(5, 5) << 180.0f << 1.0f << QPointF(3, 5);
    QTest::newRow("negative turn") << QPointF(10, 0) << QPointF(0, 0) << -90.0f << 1.0f << QPointF(0, -10);
    QTest::newRow("scale only") << QPointF(3, 4) << QPointF(1, 1) << 0.0f << 2.0f << QPointF(5, 7);
    QTest::newRow("turn and scale") << QPointF(2, 1) << QPointF(1, 1) << 90.0f << 3.0f << QPointF(1, 4);
}

void TestGeometry::rotatePointAround()
{
    QFETCH(QPointF, point);
    QFETCH(QPointF, centre);
    QFETCH(float, degrees);
    QFETCH(float, scale);
    QFETCH(QPointF, expected);
    COMPARE_POINTS(PointList{::rotatePointAround(point, centre, degrees, scale)}, PointList{expected});
}

void TestGeometry::rotatedRectCorners()
{
    const QRectF rect(0.1, 0.2, 10, 4);
    const PointList unchanged{rect.topLeft(), rect.topRight(), rect.bottomRight(), rect.bottomLeft()};
    // No turn and no scale: the corners exactly, unrounded.
    QCOMPARE(::rotatedRectCorners(rect, QPointF(3, 3), 0.0f, 1.0f), unchanged);
    QCOMPARE(::rotatePointAround(QPointF(0.1, 0.7), QPointF(5, 5), 0.0f, 1.0f), QPointF(0.1, 0.7));

    COMPARE_POINTS(::rotatedRectCorners(QRectF(0, 0, 10, 4), QPointF(0, 0), 90.0f, 1.0f),
                   (PointList{QPointF(0, 0), QPointF(0, 10), QPointF(-4, 10), QPointF(-4, 0)}));
}

void TestGeometry::rectangles_data()
{
    QTest::addColumn<QPointF>("a");
    QTest::addColumn<QPointF>("b");
    QTest::addColumn<QRectF>("expected");

    QTest::newRow("ordered") << QPointF(1, 2) << QPointF(4, 6) << QRectF(1, 2, 3, 4);
    QTest::newRow("reversed") << QPointF(4, 6) << QPointF(1, 2) << QRectF(1, 2, 3, 4);
    QTest::newRow("crossed") << QPointF(4, 2) << QPointF(1, 6) << QRectF(1, 2, 3, 4);
    QTest::newRow("empty") << QPointF(3, 3) << QPointF(3, 3) << QRectF(3, 3, 0, 0);
    QTest::newRow("rounded to float") << QPointF(0.1, 0.2) << QPointF(1.0, 1.0)
                                      << QRectF(double(0.1f), double(0.2f), 1.0 - double(0.1f), 1.0 - double(0.2f));
}

void TestGeometry::rectangles()
{
    QFETCH(QPointF, a);
    QFETCH(QPointF, b);
    QFETCH(QRectF, expected);
    QCOMPARE(::rectFromPoints(a, b), expected);
    QCOMPARE(::rectFromFloats(float(a.x()), float(a.y()), float(b.x()), float(b.y())), expected);
    QCOMPARE(::normalizedRect(QRectF(a, b)), expected);
}

void TestGeometry::ellipseAroundRect_data()
{
    QTest::addColumn<QRectF>("rect");
    QTest::addColumn<FloatEllipse>("expected");

    QTest::newRow("rect") << QRectF(0, 0, 10, 4) << FloatEllipse(5, 2, 8, 3);
    QTest::newRow("whole radii stay") << QRectF(-5, -5, 0, 0) << FloatEllipse(-5, -5, 0, 0);
    QTest::newRow("inverted") << QRectF(10, 0, -10, 4) << FloatEllipse(5, 2, 0, 3);
}

void TestGeometry::ellipseAroundRect()
{
    QFETCH(QRectF, rect);
    QFETCH(FloatEllipse, expected);
    const FloatEllipse ellipse = ::ellipseAroundRect(rect);
    QCOMPARE(ellipse.cx(), expected.cx());
    QCOMPARE(ellipse.cy(), expected.cy());
    QCOMPARE(ellipse.rx(), expected.rx());
    QCOMPARE(ellipse.ry(), expected.ry());
    if (rect.width() > 0 && rect.height() > 0)
        QVERIFY(::isPointInEllipse(rect.bottomRight(), ellipse));
}

void TestGeometry::products()
{
    QCOMPARE(::crossProduct(QPointF(1, 1), QPointF(4, 1), QPointF(1, 3)), 6.0f);
    QCOMPARE(::crossProduct(QPointF(1, 1), QPointF(1, 3), QPointF(4, 1)), -6.0f);
    QCOMPARE(::crossProduct(QPointF(0, 0), QPointF(2, 2), QPointF(5, 5)), 0.0f);
    QCOMPARE(::dotProduct(QPointF(1, 1), QPointF(4, 1), QPointF(1, 3)), 0.0f);
    QCOMPARE(::dotProduct(QPointF(1, 1), QPointF(4, 5), QPointF(3, 2)), 10.0f);
    QCOMPARE(::pointDistance(QPointF(1, 1), QPointF(4, 5)), 5.0f);
}

void TestGeometry::floatModulo_data()
{
    QTest::addColumn<float>("x");
    QTest::addColumn<int>("n");
    QTest::addColumn<float>("expected");

    QTest::newRow("wraps, keeps fraction") << 370.5f << 360 << 10.5f;
    QTest::newRow("negative keeps sign") << -370.5f << 360 << -10.5f;
    QTest::newRow("zero") << 0.0f << 360 << 0.0f;
    QTest::newRow("exact multiple") << 720.0f << 360 << 0.0f;
    QTest::newRow("below modulus") << 10.25f << 360 << 10.25f;
    QTest::newRow("negative modulus") << 370.5f << -360 << 10.5f;
    QTest::newRow("zero modulus") << 12.5f << 0 << 12.5f;
    QTest::newRow("beyond int range") << 1e20f << 360 << float(std::fmod(double(1e20f), 360.0));
}

void TestGeometry::floatModulo()
{
    QFETCH(float, x);
    QFETCH(int, n);
    QFETCH(float, expected);
    QCOMPARE(::floatModulo(x, n), expected);
}

// ---------------------------------------------------------------- tension curves

void TestGeometry::curveShape_data()
{
    QTest::addColumn<PointList>("controlPoints");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<float>("tension");
    QTest::addColumn<int>("controlCount");
    QTest::addColumn<int>("pointCount");
    QTest::addColumn<QVector<int>>("ranges"); // first, last, first, last ...

    const PointList three{QPointF(0, 0), QPointF(50, 50), QPointF(100, 0)};
    const PointList four{QPointF(0, 0), QPointF(10, 0), QPointF(10, 10), QPointF(0, 10)};
    // Flatness 0.1 gives 10 samples a segment: t = 0 ... 0.9 (the single
    // precision sum of ten steps lies above 1), plus its two end points.
    QTest::newRow("empty") << PointList() << false << 0.5f << 0 << 0 << QVector<int>();
    QTest::newRow("closed empty") << PointList() << true << 0.5f << 0 << 0 << QVector<int>();
    QTest::newRow("one point") << PointList{QPointF(3, 4)} << true << 0.5f << 1 << 0 << QVector<int>();
    QTest::newRow("two points") << PointList{QPointF(0, 0), QPointF(5, 5)} << false << 0.5f << 2 << 2
                                << QVector<int>{0, 1};
    QTest::newRow("two points closed") << PointList{QPointF(0, 0), QPointF(5, 5)} << true << 0.5f << 2 << 2
                                       << QVector<int>{0, 1};
    QTest::newRow("tension 0 open") << four << false << 0.0f << 4 << 4 << QVector<int>{0, 3};
    QTest::newRow("tension 0 closed") << four << true << 0.0f << 5 << 5 << QVector<int>{0, 4};
    QTest::newRow("open three") << three << false << 0.5f << 3 << 24 << QVector<int>{0, 11, 12, 23};
    QTest::newRow("closed three") << three << true << 0.5f << 4 << 36 << QVector<int>{0, 11, 12, 23, 24, 35};
    QTest::newRow("tension 1") << three << false << 1.0f << 3 << 24 << QVector<int>{0, 11, 12, 23};
}

void TestGeometry::curveShape()
{
    QFETCH(PointList, controlPoints);
    QFETCH(bool, closed);
    QFETCH(float, tension);
    QFETCH(int, controlCount);
    QFETCH(int, pointCount);
    QFETCH(QVector<int>, ranges);

    const TensionCurve curve(controlPoints, closed, tension, 0.1f);
    QCOMPARE(curve.isClosed(), closed);
    QCOMPARE(curve.tension(), tension);
    QCOMPARE(curve.flatness(), 0.1f);
    QCOMPARE(curve.controlPoints().size(), controlCount);
    if (closed && controlCount > 2)
        QCOMPARE(curve.controlPoints().last(), controlPoints.first());
    QCOMPARE(curve.points().size(), pointCount);
    QVector<int> actualRanges;
    for (const TensionCurve::Range& range : curve.ranges())
        actualRanges << range.first << range.last;
    QCOMPARE(actualRanges, ranges);
    if (tension == 0.0f || controlCount == 2)
        QCOMPARE(curve.points().toList(), curve.controlPoints());
}

void TestGeometry::curveClampsItsParameters_data()
{
    QTest::addColumn<float>("tension");
    QTest::addColumn<float>("flatness");
    QTest::addColumn<float>("storedTension");
    QTest::addColumn<float>("storedFlatness");

    QTest::newRow("in range") << 0.3f << 0.05f << 0.3f << 0.05f;
    QTest::newRow("tension below 0") << -0.5f << 0.1f << 0.0f << 0.1f;
    QTest::newRow("tension above 1") << 1.5f << 0.1f << 1.0f << 0.1f;
    QTest::newRow("tension not a number") << kNaN << 0.1f << 0.0f << 0.1f;
    QTest::newRow("flatness 0") << 0.5f << 0.0f << 0.5f << 0.01f;
    QTest::newRow("flatness negative") << 0.5f << -1.0f << 0.5f << 0.01f;
    QTest::newRow("flatness 1") << 0.5f << 1.0f << 0.5f << 0.2f;
    QTest::newRow("flatness not a number") << 0.5f << kNaN << 0.5f << 0.01f;
    // A step this small would stop advancing in single precision.
    QTest::newRow("flatness tiny") << 0.5f << 1e-9f << 0.5f << 0.001f;
}

void TestGeometry::curveClampsItsParameters()
{
    QFETCH(float, tension);
    QFETCH(float, flatness);
    QFETCH(float, storedTension);
    QFETCH(float, storedFlatness);

    const PointList three{QPointF(0, 0), QPointF(50, 50), QPointF(100, 0)};
    const TensionCurve curve(three, false, tension, flatness);
    QCOMPARE(curve.tension(), storedTension);
    QCOMPARE(curve.flatness(), storedFlatness);
    QCOMPARE(curve.ranges().size(), storedTension == 0.0f ? 1 : 2);
    for (const QPointF& p : curve.points())
        QVERIFY(std::isfinite(p.x()) && std::isfinite(p.y()));
}

void TestGeometry::curvePassesThroughControlPoints_data()
{
    QTest::addColumn<bool>("closed");
    QTest::addColumn<float>("tension");
    QTest::addColumn<float>("flatness");

    QTest::newRow("open 0.5") << false << 0.5f << 0.1f;
    QTest::newRow("closed 0.5") << true << 0.5f << 0.1f;
    QTest::newRow("open 1 fine") << false << 1.0f << 0.05f;
    QTest::newRow("closed 0.2 fine") << true << 0.2f << 0.05f;
}

void TestGeometry::curvePassesThroughControlPoints()
{
    QFETCH(bool, closed);
    QFETCH(float, tension);
    QFETCH(float, flatness);

    const PointList controls{QPointF(0, 0), QPointF(40, 10), QPointF(60, 60), QPointF(10, 50)};
    const TensionCurve curve(controls, closed, tension, flatness);
    const PointList expandedControls = curve.controlPoints();
    QCOMPARE(curve.ranges().size(), expandedControls.size() - 1);
    for (int j = 0; j < curve.ranges().size(); ++j) {
        const TensionCurve::Range range = curve.ranges()[j];
        // Start point, the sample at t = 0 (the same point again) and end point.
        QCOMPARE(curve.points()[range.first], expandedControls[j]);
        COMPARE_POINTS(PointList{curve.points()[range.first + 1]}, PointList{expandedControls[j]});
        QCOMPARE(curve.points()[range.last], expandedControls[j + 1]);
        if (j > 0)
            QCOMPARE(range.first, curve.ranges()[j - 1].last + 1);
        // Consecutive samples stay close: the curve is continuous.
        for (int i = range.first; i < range.last; ++i)
            QVERIFY(::pointDistance(curve.points()[i], curve.points()[i + 1]) < 15.0f);
    }
    QCOMPARE(curve.ranges().last().last, curve.points().size() - 1);
}

void TestGeometry::curveSegmentAt_data()
{
    QTest::addColumn<PointList>("controlPoints");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<float>("tension");
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<int>("expected");

    const PointList arch{QPointF(0, 0), QPointF(50, 50), QPointF(100, 0)};
    const PointList square{QPointF(0, 0), QPointF(100, 0), QPointF(100, 100), QPointF(0, 100)};
    QTest::newRow("curve, first segment at its start") << arch << false << 0.5f << QPointF(0, 0) << 0;
    QTest::newRow("curve, first segment") << arch << false << 0.5f << QPointF(25, 32) << 0;
    QTest::newRow("curve, control point") << arch << false << 0.5f << QPointF(50, 50) << 0;
    QTest::newRow("curve, second segment") << arch << false << 0.5f << QPointF(75, 32) << 1;
    QTest::newRow("curve, off") << arch << false << 0.5f << QPointF(50, 20) << -1;
    QTest::newRow("closed curve, closing segment") << square << true << 0.5f << QPointF(-12, 50) << 3;
    QTest::newRow("closed curve, third segment") << square << true << 0.5f << QPointF(50, 112) << 2;
    QTest::newRow("straight, piece index") << square << false << 0.0f << QPointF(101, 50) << 1;
    QTest::newRow("straight closed, closing piece") << square << true << 0.0f << QPointF(1, 50) << 3;
    QTest::newRow("straight open has no closing piece") << square << false << 0.0f << QPointF(1, 50) << -1;
    QTest::newRow("two points") << PointList{QPointF(0, 0), QPointF(30, 40)} << false << 0.5f << QPointF(15, 21) << 0;
    QTest::newRow("one point") << PointList{QPointF(5, 5)} << false << 0.5f << QPointF(5, 5) << -1;
    QTest::newRow("empty") << PointList() << true << 0.5f << QPointF(0, 0) << -1;
}

void TestGeometry::curveSegmentAt()
{
    QFETCH(PointList, controlPoints);
    QFETCH(bool, closed);
    QFETCH(float, tension);
    QFETCH(QPointF, point);
    QFETCH(int, expected);

    const TensionCurve curve(controlPoints, closed, tension, 0.1f);
    QCOMPARE(curve.segmentAt(point), expected);
    QCOMPARE(curve.segmentAt(float(point.x()), float(point.y())), expected);
    QCOMPARE(::isPointNearCurve(point, curve), expected >= 0);
}

// A finely flattened curve has pieces much shorter than the hit tolerance;
// points beside the curve must still hit it along its whole length.
void TestGeometry::curveHitBandOnFineFlattening()
{
    const PointList controls{QPointF(0, 0), QPointF(20, 10), QPointF(40, 0), QPointF(60, 10)};
    const TensionCurve curve(controls, false, 0.5f, 0.05f);
    const QPolygonF& points = curve.points();
    int tested = 0;
    for (int i = 0; i + 1 < points.size(); ++i) {
        const QPointF a = points[i];
        const QPointF b = points[i + 1];
        const double length = std::hypot(b.x() - a.x(), b.y() - a.y());
        if (length < 0.5)
            continue;
        const QPointF middle = (a + b) / 2.0;
        const QPointF normal((a.y() - b.y()) / length, (b.x() - a.x()) / length);
        for (double offset : {-1.5, 1.5}) {
            const QPointF beside = middle + normal * offset;
            QVERIFY2(curve.segmentAt(beside) >= 0, qPrintable(QStringLiteral("piece %1").arg(i)));
            ++tested;
        }
    }
    QVERIFY(tested > 50);
}

QTEST_APPLESS_MAIN(TestGeometry)

#include "tst_geometry.moc"
