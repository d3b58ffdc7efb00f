#include "model/polylinestroker.h"

#include <QVarLengthArray>

#include <algorithm>
#include <cmath>

namespace {

// The raster engine's stroker takes points this close for one point.
bool samePoint(const QPointF &a, const QPointF &b)
{
    return qFuzzyIsNull(a.x() - b.x()) && qFuzzyIsNull(a.y() - b.y());
}

} // namespace

PolylineStroker::PolylineStroker(const QPen &pen, qreal tolerance)
    : m_radius(pen.widthF() / 2)
    , m_miterLength(pen.widthF() * pen.miterLimit())
    , m_cap(pen.capStyle())
    , m_join(pen.joinStyle())
{
    // The chord of an arc of angle a lies radius * (1 - cos(a / 2)) inside
    // it; cos(a) = 2 cos^2(a / 2) - 1.
    const qreal halfCosine = 1.0 - std::clamp(tolerance / std::max(m_radius, qreal(1e-12)), qreal(0), qreal(1));
    m_chordCosine = 2.0 * halfCosine * halfCosine - 1.0;
}

bool PolylineStroker::canStroke(const QPen &pen)
{
    const Qt::PenCapStyle cap = pen.capStyle();
    const Qt::PenJoinStyle join = pen.joinStyle();
    return pen.style() == Qt::SolidLine && !pen.isCosmetic() && pen.widthF() > 0
        && (cap == Qt::FlatCap || cap == Qt::SquareCap || cap == Qt::RoundCap)
        && (join == Qt::MiterJoin || join == Qt::BevelJoin || join == Qt::RoundJoin);
}

bool PolylineStroker::stroke(const QPainterPath &lines, QPainterPath *outline) const
{
    // The subpaths first, so that a path this class cannot stroke leaves
    // nothing behind.
    QVarLengthArray<Vector, 128> points;
    QVarLengthArray<int, 8> starts;
    const int elements = lines.elementCount();
    for (int i = 0; i < elements; ++i) {
        const QPainterPath::Element element = lines.elementAt(i);
        if (element.isCurveTo())
            return false;
        const QPointF point(element.x, element.y);
        if (element.isMoveTo())
            starts.append(points.size());
        else if (samePoint(point, QPointF(points.last().x, points.last().y)))
            continue;
        points.append({point.x(), point.y()});
    }
    starts.append(points.size());
    for (int s = 0; s + 1 < starts.size(); ++s) {
        if (starts[s + 1] - starts[s] < 2)
            return false;
    }

    QVarLengthArray<Vector, 128> reversed;
    for (int s = 0; s + 1 < starts.size(); ++s) {
        Vector *first = points.data() + starts[s];
        const int count = starts[s + 1] - starts[s];
        const bool closed = count >= 3 && samePoint(QPointF(first->x, first->y),
                                                    QPointF(first[count - 1].x, first[count - 1].y));
        if (closed)
            first[count - 1] = first[0];
        reversed.resize(count);
        std::reverse_copy(first, first + count, reversed.data());
        // An open subpath is one loop: along one side, round the end cap,
        // back along the other and round the start cap. A closed one is two
        // loops, one each side, like a ring.
        addSide(first, count, closed, true, outline);
        if (closed)
            outline->closeSubpath();
        addSide(reversed.constData(), count, closed, closed, outline);
        outline->closeSubpath();
    }
    return true;
}

void PolylineStroker::addSide(const Vector *points, int count, bool closed, bool startsLoop,
                              QPainterPath *outline) const
{
    const auto direction = [points](int i) {
        const qreal dx = points[i + 1].x - points[i].x;
        const qreal dy = points[i + 1].y - points[i].y;
        const qreal length = std::sqrt(dx * dx + dy * dy);
        return Vector{dx / length, dy / length};
    };
    const int last = count - 1;
    Vector in = direction(closed ? last - 1 : 0);
    // The side begins on the offset of its first piece; a closed side's
    // join there repeats that point, which the path drops.
    const QPointF start(points[0].x + in.y * m_radius, points[0].y - in.x * m_radius);
    if (startsLoop)
        outline->moveTo(start);
    else
        outline->lineTo(start);
    for (int i = closed ? 0 : 1; i < last; ++i) {
        const Vector out = direction(i);
        addJoin(points[i], in, out, outline);
        in = out;
    }
    if (closed)
        return;
    addCap(points[last], in, outline);
}

void PolylineStroker::addCap(const Vector &end, const Vector &direction, QPainterPath *outline) const
{
    const Vector normal{direction.y, -direction.x};
    const qreal r = m_radius;
    outline->lineTo(end.x + normal.x * r, end.y + normal.y * r);
    // The other side begins on the other offset, which closes a flat cap.
    if (m_cap == Qt::SquareCap) {
        outline->lineTo(end.x + (normal.x + direction.x) * r, end.y + (normal.y + direction.y) * r);
        outline->lineTo(end.x + (direction.x - normal.x) * r, end.y + (direction.y - normal.y) * r);
    } else if (m_cap == Qt::RoundCap) {
        addQuarterArc(end, normal, direction, outline);
        addQuarterArc(end, direction, {-normal.x, -normal.y}, outline);
    }
}

void PolylineStroker::addJoin(const Vector &corner, const Vector &a, const Vector &b, QPainterPath *outline) const
{
    const Vector inNormal{a.y, -a.x};
    const Vector outNormal{b.y, -b.x};
    const qreal cross = a.x * b.y - a.y * b.x;
    const qreal cosine = a.x * b.x + a.y * b.y;
    const qreal r = m_radius;
    if (cross < 0) {
        // The inner side, by way of the corner itself as the raster
        // engine's stroker mostly goes: that covers the overlap of the two
        // pieces however short they are, and a stroke cut into pieces near
        // a clip then shades every pixel inside the clip as the whole
        // stroke does.
        outline->lineTo(corner.x + inNormal.x * r, corner.y + inNormal.y * r);
        outline->lineTo(corner.x, corner.y);
        outline->lineTo(corner.x + outNormal.x * r, corner.y + outNormal.y * r);
        return;
    }
    outline->lineTo(corner.x + inNormal.x * r, corner.y + inNormal.y * r);
    if (cross == 0 && cosine > 0)
        return; // straight on
    if (m_join == Qt::RoundJoin && cosine < m_chordCosine) {
        addArc(corner, inNormal, outNormal, a, outline);
        return;
    }
    if (m_join == Qt::MiterJoin) {
        if (1 + cosine > 1e-12 && r * std::sqrt(2 / (1 + cosine)) <= m_miterLength) {
            // On the bisector, radius / cos(turn / 2) from the corner.
            const qreal reach = r / (1 + cosine);
            outline->lineTo(corner.x + (inNormal.x + outNormal.x) * reach, corner.y + (inNormal.y + outNormal.y) * reach);
        } else {
            // Too sharp: the raster engine's stroker then runs both pieces
            // on by the limit's length and cuts across.
            outline->lineTo(corner.x + inNormal.x * r + a.x * m_miterLength,
                            corner.y + inNormal.y * r + a.y * m_miterLength);
            outline->lineTo(corner.x + outNormal.x * r - b.x * m_miterLength,
                            corner.y + outNormal.y * r - b.y * m_miterLength);
        }
    }
    outline->lineTo(corner.x + outNormal.x * r, corner.y + outNormal.y * r);
}

void PolylineStroker::addArc(const Vector &centre, const Vector &from, const Vector &to, const Vector &ahead,
                          QPainterPath *outline) const
{
    if (from.x * to.x + from.y * to.y >= 0) {
        addQuarterArc(centre, from, to, outline);
        return;
    }
    // More than a quarter turn: two halves, split where the arc is furthest
    // ahead (on a U-turn the two normals cancel and ahead is that point).
    Vector middle{from.x + to.x, from.y + to.y};
    const qreal length = std::sqrt(middle.x * middle.x + middle.y * middle.y);
    if (length < 1e-9)
        middle = ahead;
    else
        middle = {middle.x / length, middle.y / length};
    addQuarterArc(centre, from, middle, outline);
    addQuarterArc(centre, middle, to, outline);
}

void PolylineStroker::addQuarterArc(const Vector &centre, const Vector &from, const Vector &to,
                                 QPainterPath *outline) const
{
    // The usual cubic for a circular arc of angle a: control points along
    // the tangents at 4/3 tan(a / 4) of the radius, with tan(a / 4) =
    // sin(a / 2) / (1 + cos(a / 2)) found from cos(a) alone.
    const qreal cosine = std::clamp(from.x * to.x + from.y * to.y, qreal(-1), qreal(1));
    const qreal halfCosine = std::sqrt((1 + cosine) / 2);
    const qreal halfSine = std::sqrt((1 - cosine) / 2);
    const qreal handle = 4.0 / 3.0 * halfSine / (1 + halfCosine) * m_radius;
    const qreal turn = from.x * to.y - from.y * to.x < 0 ? -1 : 1;
    const Vector fromTangent{-from.y * turn, from.x * turn};
    const Vector toTangent{-to.y * turn, to.x * turn};
    const qreal r = m_radius;
    outline->cubicTo(centre.x + from.x * r + fromTangent.x * handle, centre.y + from.y * r + fromTangent.y * handle,
                     centre.x + to.x * r - toTangent.x * handle, centre.y + to.y * r - toTangent.y * handle,
                     centre.x + to.x * r, centre.y + to.y * r);
}
