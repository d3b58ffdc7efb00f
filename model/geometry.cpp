#include "model/geometry.h"

#include <algorithm>
#include <cmath>

namespace {

// Tolerance with which an intersection point must lie on a segment.
constexpr float kOnSegmentTolerance = 2.0f;
// Determinants at or below this magnitude count as parallel lines.
constexpr double kParallelDeterminant = 1e-10;
// Distance below which two coordinates are the same.
constexpr double kSamePoint = 1e-12;
constexpr double kPi = 3.14159265358979323846;

struct Roots
{
    int count = 0;
    double value[2] = {0.0, 0.0};
};

Roots solveQuadraticExact(double a, double b, double c)
{
    Roots roots;
    if (a == 0.0) {
        if (b != 0.0) {
            roots.count = 1;
            roots.value[0] = -c / b;
        }
        return roots;
    }
    const double d = b * b - 4.0 * a * c;
    if (d == 0.0) {
        roots.count = 1;
        roots.value[0] = -b / (2.0 * a);
    } else if (d > 0.0) {
        const double root = std::sqrt(d);
        roots.count = 2;
        roots.value[0] = (-b + root) / (2.0 * a);
        roots.value[1] = (-b - root) / (2.0 * a);
    }
    return roots;
}

bool crossingOfLines(const LineEquation& l1, const LineEquation& l2, QPointF* crossing)
{
    const double a1 = l1.a(), b1 = l1.b(), c1 = l1.c();
    const double a2 = l2.a(), b2 = l2.b(), c2 = l2.c();
    const double det = a1 * b2 - b1 * a2;
    if (std::fabs(det) <= kParallelDeterminant)
        return false;
    *crossing = QPointF((b1 * c2 - b2 * c1) / det, (c1 * a2 - a1 * c2) / det);
    return true;
}

bool crossingOfSegments(const FloatSegment& s1, const FloatSegment& s2, QPointF* crossing)
{
    return crossingOfLines(LineEquation::fromSegment(s1), LineEquation::fromSegment(s2), crossing)
        && isPointInSegmentBounds(*crossing, s1) && isPointInSegmentBounds(*crossing, s2);
}

FloatSegment pieceOf(const QPointF& from, const QPointF& to)
{
    return FloatSegment(from.x(), from.y(), to.x(), to.y());
}

template <typename Points>
bool isNearPieces(const QPointF& p, const Points& points, float tolerance)
{
    for (int i = 0; i + 1 < points.size(); ++i) {
        if (isPointNearSegment(p, pieceOf(points[i], points[i + 1]), tolerance))
            return true;
    }
    return false;
}

bool containsSamePoint(const QList<QPointF>& points, const QPointF& p)
{
    return std::any_of(points.cbegin(), points.cend(), [&p](const QPointF& q) {
        return std::fabs(q.x() - p.x()) <= kSamePoint && std::fabs(q.y() - p.y()) <= kSamePoint;
    });
}

template <typename Points>
QList<QPointF> crossingsWithPieces(const FloatSegment& segment, const Points& points)
{
    QList<QPointF> result;
    QPointF crossing;
    for (int i = 0; i + 1 < points.size(); ++i) {
        if (crossingOfSegments(pieceOf(points[i], points[i + 1]), segment, &crossing)
            && !containsSamePoint(result, crossing)) {
            result.append(crossing);
        }
    }
    return result;
}

// Where the projection of p falls on the segment's carrier line: 0 at the
// first end, 1 at the second.
double projectionParameter(const QPointF& p, const FloatSegment& s)
{
    const double dx = double(s.x2()) - s.x1();
    const double dy = double(s.y2()) - s.y1();
    return ((p.x() - s.x1()) * dx + (p.y() - s.y1()) * dy) / (dx * dx + dy * dy);
}

} // namespace

float cardinalValue(float p0, float p1, float p2, float p3, float s, float t)
{
    const double S = s;
    const double T = t;
    const double t2 = T * T;
    const double t3 = t2 * T;
    return float(p0 * (2.0 * S * t2 - S * t3 - S * T)
                 + p1 * ((2.0 - S) * t3 + (S - 3.0) * t2 + 1.0)
                 + p2 * ((S - 2.0) * t3 + (3.0 - 2.0 * S) * t2 + S * T)
                 + p3 * (S * t3 - S * t2));
}

float pointDistance(const QPointF& a, const QPointF& b)
{
    const double dx = a.x() - b.x();
    const double dy = a.y() - b.y();
    return float(std::sqrt(dx * dx + dy * dy));
}

QPointF perpendicularFoot(const QPointF& p, const LineEquation& line)
{
    const double a = line.a(), b = line.b(), c = line.c();
    const double d = a * a + b * b;
    if (d == 0.0)
        return p;
    return QPointF(float((b * b * p.x() - a * b * p.y() - a * c) / d),
                   float((a * a * p.y() - a * b * p.x() - b * c) / d));
}

float pointSegmentDistance(const QPointF& p, const FloatSegment& s)
{
    const float left = std::min(s.x1(), s.x2());
    const float top = std::min(s.y1(), s.y2());
    const float right = left + std::fabs(s.x1() - s.x2());
    const float bottom = top + std::fabs(s.y1() - s.y2());
    if (left == right) {
        if (top > p.y())
            return pointDistance(p, QPointF(s.x1(), top));
        if (p.y() > bottom)
            return pointDistance(p, QPointF(s.x2(), bottom));
        return float(std::fabs(p.x() - s.x1()));
    }
    if (top == bottom) {
        if (left > p.x())
            return pointDistance(p, QPointF(left, s.y1()));
        if (p.x() > right)
            return pointDistance(p, QPointF(right, s.y2()));
        return float(std::fabs(p.y() - s.y1()));
    }
    const double along = projectionParameter(p, s);
    if (along < 0.0)
        return pointDistance(p, s.p1());
    if (along > 1.0)
        return pointDistance(p, s.p2());
    return pointDistance(p, perpendicularFoot(p, LineEquation::fromSegment(s)));
}

float angleAtPoint(const QPointF& a, const QPointF& b, const QPointF& c)
{
    const double dab = pointDistance(a, b);
    const double dbc = pointDistance(b, c);
    const double dca = pointDistance(c, a);
    if (dab == 0.0 || dca == 0.0)
        return 0.0f;
    // Rounding can push the cosine of a straight angle just past -1 or 1.
    const double cosine = std::clamp((dca * dca + dab * dab - dbc * dbc) / (2.0 * dab * dca), -1.0, 1.0);
    return float(std::acos(cosine) * 180.0 / kPi);
}

bool isPointNearSegment(const QPointF& p, const FloatSegment& s, float tolerance)
{
    const float w = std::fabs(s.x1() - s.x2());
    const float h = std::fabs(s.y1() - s.y2());
    const float left = std::min(s.x1(), s.x2());
    const float top = std::min(s.y1(), s.y2());
    if (w == 0.0f && h == 0.0f)
        return false;
    if (left + w == left)
        return top <= p.y() && p.y() <= top + h && std::fabs(p.x() - left) <= tolerance;
    if (top + h == top)
        return left <= p.x() && p.x() <= left + w && std::fabs(p.y() - top) <= tolerance;
    // Only points whose foot falls between the two ends count, as for the
    // axis-parallel cases above; the distance to the segment then equals the
    // distance to its carrier line.
    const double along = projectionParameter(p, s);
    return along >= 0.0 && along <= 1.0 && pointSegmentDistance(p, s) <= tolerance;
}

bool isPointNearPolyline(const QPointF& p, const QList<QPointF>& points, float tolerance)
{
    return isNearPieces(p, points, tolerance);
}

bool isPointNearPolyline(const QPointF& p, const QPolygonF& polygon, float tolerance)
{
    return isNearPieces(p, polygon, tolerance);
}

bool isPointNearCurve(const QPointF& p, const TensionCurve& curve)
{
    return isPointNearPolyline(p, curve.points(), 2.0f);
}

bool isPointInSegmentBounds(const QPointF& p, const FloatSegment& s)
{
    const double x1 = s.x1(), y1 = s.y1(), x2 = s.x2(), y2 = s.y2();
    if (std::fabs(x1 - x2) <= kSamePoint && std::fabs(y1 - y2) <= kSamePoint)
        return false;
    return (p.x() - x1) * (p.x() - x2) <= 0.0 && (p.y() - y1) * (p.y() - y2) <= 0.0;
}

bool isPointInEllipse(const QPointF& p, const FloatEllipse& e)
{
    if (e.rx() <= 0.0f || e.ry() <= 0.0f)
        return false;
    const double u = (p.x() - e.cx()) / e.rx();
    const double v = (p.y() - e.cy()) / e.ry();
    return u * u + v * v <= 1.0;
}

bool isPointOnEllipse(const QPointF& p, const FloatEllipse& e)
{
    if (e.rx() <= 0.0f || e.ry() <= 0.0f)
        return false;
    const double u = (p.x() - e.cx()) / e.rx();
    const double v = (p.y() - e.cy()) / e.ry();
    return u * u + v * v == 1.0;
}

QList<QPointF> intersectLines(const LineEquation& l1, const LineEquation& l2)
{
    QList<QPointF> result;
    QPointF crossing;
    if (crossingOfLines(l1, l2, &crossing))
        result.append(crossing);
    return result;
}

QList<QPointF> intersectLineSegment(const LineEquation& line, const FloatSegment& segment)
{
    QList<QPointF> result;
    QPointF crossing;
    if (crossingOfLines(line, LineEquation::fromSegment(segment), &crossing)
        && isPointNearSegment(crossing, segment, kOnSegmentTolerance)) {
        result.append(crossing);
    }
    return result;
}

QList<QPointF> intersectLineRect(const LineEquation& line, const QRectF& r)
{
    const double x = r.x(), y = r.y(), right = r.x() + r.width(), bottom = r.y() + r.height();
    QList<QPointF> result = intersectLineSegment(line, FloatSegment(x, y, right, y));
    result += intersectLineSegment(line, FloatSegment(right, y, right, bottom));
    result += intersectLineSegment(line, FloatSegment(right, bottom, x, bottom));
    result += intersectLineSegment(line, FloatSegment(x, bottom, x, y));
    return result;
}

QList<QPointF> intersectSegments(const FloatSegment& s1, const FloatSegment& s2)
{
    QList<QPointF> result;
    QPointF crossing;
    if (crossingOfSegments(s1, s2, &crossing))
        result.append(crossing);
    return result;
}

QList<QPointF> intersectSegmentPolyline(const FloatSegment& segment, const QList<QPointF>& points)
{
    return crossingsWithPieces(segment, points);
}

QList<QPointF> intersectSegmentRect(const FloatSegment& segment, const QRectF& r)
{
    const double right = r.x() + r.width(), bottom = r.y() + r.height();
    const QPointF corners[] = {QPointF(r.x(), r.y()), QPointF(right, r.y()), QPointF(right, bottom),
                               QPointF(r.x(), bottom), QPointF(r.x(), r.y())};
    struct CornerList
    {
        const QPointF* points;
        int size() const { return 5; }
        const QPointF& operator[](int i) const { return points[i]; }
    };
    return crossingsWithPieces(segment, CornerList{corners});
}

QList<QPointF> intersectLineEllipse(const LineEquation& line, const FloatEllipse& e)
{
    QList<QPointF> result;
    const double a = line.a(), b = line.b(), c = line.c();
    const double cx = e.cx(), cy = e.cy(), rx = e.rx(), ry = e.ry();
    if (rx <= 0.0 || ry <= 0.0 || (a == 0.0 && b == 0.0))
        return result;
    if (b == 0.0) {
        const double x0 = -c / a;
        const double u = (x0 - cx) / rx;
        const Roots roots = solveQuadraticExact(1.0 / (ry * ry), -2.0 * cy / (ry * ry),
                                                u * u + (cy / ry) * (cy / ry) - 1.0);
        for (int i = 0; i < roots.count; ++i)
            result.append(QPointF(x0, roots.value[i]));
        return result;
    }
    const double m = -a / b;
    const double k = -c / b;
    const Roots roots = solveQuadraticExact(1.0 / (rx * rx) + (m / ry) * (m / ry),
                                            -2.0 * cx / (rx * rx) + 2.0 * m * (k - cy) / (ry * ry),
                                            ((k - cy) / ry) * ((k - cy) / ry) + (cx / rx) * (cx / rx) - 1.0);
    for (int i = 0; i < roots.count; ++i)
        result.append(QPointF(roots.value[i], m * roots.value[i] + k));
    return result;
}

QList<QPointF> intersectSegmentEllipse(const FloatSegment& segment, const FloatEllipse& ellipse)
{
    QList<QPointF> result = intersectLineEllipse(LineEquation::fromSegment(segment), ellipse);
    result.erase(std::remove_if(result.begin(), result.end(),
                                [&segment](const QPointF& p) { return !isPointInSegmentBounds(p, segment); }),
                 result.end());
    return result;
}

QList<float> solveQuadratic(float a, float b, float c)
{
    const Roots roots = solveQuadraticExact(a, b, c);
    QList<float> result;
    for (int i = 0; i < roots.count; ++i)
        result.append(float(roots.value[i]));
    return result;
}

QPointF rotatePointAround(const QPointF& point, const QPointF& centre, float degrees, float scale)
{
    if (degrees == 0.0f && scale == 1.0f)
        return point;
    const float alpha = degrees * 3.1415927f / 180.0f;
    const double cosine = std::cos(double(alpha));
    const double sine = std::sin(double(alpha));
    const double dx = point.x() - centre.x();
    const double dy = point.y() - centre.y();
    return QPointF(centre.x() + dx * scale * cosine - dy * scale * sine,
                   centre.y() + dy * scale * cosine + dx * scale * sine);
}

QList<QPointF> rotatedRectCorners(const QRectF& r, const QPointF& centre, float degrees, float scale)
{
    const double right = r.x() + r.width(), bottom = r.y() + r.height();
    return {rotatePointAround(QPointF(r.x(), r.y()), centre, degrees, scale),
            rotatePointAround(QPointF(right, r.y()), centre, degrees, scale),
            rotatePointAround(QPointF(right, bottom), centre, degrees, scale),
            rotatePointAround(QPointF(r.x(), bottom), centre, degrees, scale)};
}

QRectF rectFromPoints(const QPointF& a, const QPointF& b)
{
    return rectFromFloats(float(a.x()), float(a.y()), float(b.x()), float(b.y()));
}

QRectF rectFromFloats(float x1, float y1, float x2, float y2)
{
    const float left = std::min(x1, x2);
    const float top = std::min(y1, y2);
    return QRectF(left, top, double(std::max(x1, x2)) - left, double(std::max(y1, y2)) - top);
}

QRectF normalizedRect(const QRectF& r)
{
    return rectFromFloats(float(r.x()), float(r.y()), float(r.x() + r.width()), float(r.y() + r.height()));
}

FloatEllipse ellipseAroundRect(const QRectF& r)
{
    constexpr double halfSqrt2 = 0.7071067811865476;
    return FloatEllipse(float(r.x() + 0.5 * r.width()), float(r.y() + 0.5 * r.height()),
                        float(std::ceil(r.width() * halfSqrt2)), float(std::ceil(r.height() * halfSqrt2)));
}

namespace {

// Whether the segment passes through the open inside of the rectangle; a
// segment along an edge or touching a corner does not.
bool segmentEntersRect(const QPointF& a, const QPointF& b, const QRectF& rect)
{
    double t0 = 0.0;
    double t1 = 1.0;
    const double d[2] = {b.x() - a.x(), b.y() - a.y()};
    const double start[2] = {a.x(), a.y()};
    const double low[2] = {rect.left(), rect.top()};
    const double high[2] = {rect.right(), rect.bottom()};
    for (int axis = 0; axis < 2; ++axis) {
        if (d[axis] == 0.0) {
            if (start[axis] <= low[axis] || start[axis] >= high[axis])
                return false;
            continue;
        }
        double enter = (low[axis] - start[axis]) / d[axis];
        double leave = (high[axis] - start[axis]) / d[axis];
        if (enter > leave)
            std::swap(enter, leave);
        t0 = std::max(t0, enter);
        t1 = std::min(t1, leave);
        if (t0 >= t1)
            return false;
    }
    return true;
}

// With no edge crossing it, the rectangle lies wholly inside or wholly
// outside; its centre tells which.
bool rectInside(const QPolygonF& polygon, const QRectF& rect)
{
    if (!polygon.containsPoint(rect.center(), Qt::OddEvenFill))
        return false;
    const int count = polygon.size();
    for (int i = 0; i < count; ++i) {
        if (segmentEntersRect(polygon.at(i), polygon.at((i + 1) % count), rect))
            return false;
    }
    return true;
}

// The centre of the polygon's area; the centre of its bounds when the
// signed area is too small to divide by.
QPointF areaCentroid(const QPolygonF& polygon)
{
    double twiceArea = 0.0;
    double x = 0.0;
    double y = 0.0;
    const int count = polygon.size();
    for (int i = 0; i < count; ++i) {
        const QPointF& p = polygon.at(i);
        const QPointF& q = polygon.at((i + 1) % count);
        const double cross = p.x() * q.y() - q.x() * p.y();
        twiceArea += cross;
        x += (p.x() + q.x()) * cross;
        y += (p.y() + q.y()) * cross;
    }
    if (std::fabs(twiceArea) < 1e-9)
        return polygon.boundingRect().center();
    return QPointF(x / (3.0 * twiceArea), y / (3.0 * twiceArea));
}

} // namespace

QRectF rectInsidePolygon(const QPolygonF& polygon)
{
    const QRectF bounds = polygon.boundingRect();
    if (polygon.size() < 3 || !(bounds.width() > 0.0) || !(bounds.height() > 0.0))
        return QRectF();
    const QPointF centre = areaCentroid(polygon);
    auto scaled = [&](double k) {
        const double w = bounds.width() * k;
        const double h = bounds.height() * k;
        return QRectF(centre.x() - 0.5 * w, centre.y() - 0.5 * h, w, h).intersected(bounds);
    };
    if (rectInside(polygon, scaled(1.0)))
        return scaled(1.0);
    double inside = 0.0;
    double outside = 1.0;
    for (int step = 0; step < 7; ++step) {
        const double k = 0.5 * (inside + outside);
        if (rectInside(polygon, scaled(k)))
            inside = k;
        else
            outside = k;
    }
    return inside > 0.0 ? scaled(inside) : QRectF();
}

float crossProduct(const QPointF& a, const QPointF& b, const QPointF& c)
{
    return float((b.x() - a.x()) * (c.y() - a.y()) - (c.x() - a.x()) * (b.y() - a.y()));
}

float dotProduct(const QPointF& a, const QPointF& b, const QPointF& c)
{
    return float((b.x() - a.x()) * (c.x() - a.x()) + (b.y() - a.y()) * (c.y() - a.y()));
}

float floatModulo(float x, int n)
{
    if (x == 0.0f || n == 0)
        return x;
    const double magnitude = std::fabs(double(x));
    const double whole = std::floor(magnitude);
    // fmod keeps whole numbers exact and, unlike an int cast, never overflows.
    const double wrapped = std::fmod(whole, double(n)) + (magnitude - whole);
    return float(x < 0.0f ? -wrapped : wrapped);
}
