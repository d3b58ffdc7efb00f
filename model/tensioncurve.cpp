#include "model/tensioncurve.h"

#include "model/floatsegment.h"
#include "model/geometry.h"

namespace {

// Hit tolerance of the segment search, in shape units.
constexpr float kSegmentTolerance = 2.0f;
// Below this step the single-precision parameter would stop advancing before
// reaching 1 (an endless loop) or produce millions of samples.
constexpr float kMinimumFlatness = 0.001f;

float clampedTension(float tension)
{
    if (!(tension > 0.0f))
        return 0.0f; // also catches a tension that is not a number
    return tension < 1.0f ? tension : 1.0f;
}

float clampedFlatness(float flatness)
{
    if (!(flatness > 0.0f))
        return 0.01f;
    if (flatness >= 1.0f)
        return 0.2f;
    return flatness < kMinimumFlatness ? kMinimumFlatness : flatness;
}

int samplesPerSegment(float flatness)
{
    int count = 0;
    for (float t = 0.0f; t < 1.0f; t += flatness)
        ++count;
    return count;
}

} // namespace

TensionCurve::TensionCurve(const QList<QPointF>& controlPoints, bool closed, float tension, float flatness)
    : m_sourcePoints(controlPoints),
      m_closed(closed),
      m_repeatsFirst(closed && controlPoints.size() > 2),
      m_tension(clampedTension(tension)),
      m_flatness(clampedFlatness(flatness))
{
    flatten();
}

QList<QPointF> TensionCurve::controlPoints() const
{
    QList<QPointF> result = m_sourcePoints;
    if (m_repeatsFirst)
        result.append(m_sourcePoints.first());
    return result;
}

int TensionCurve::segmentAt(const QPointF& p) const
{
    int piece = -1;
    for (int i = 0; i + 1 < m_points.size(); ++i) {
        if (isPointNearSegment(p, FloatSegment(m_points[i].x(), m_points[i].y(),
                                               m_points[i + 1].x(), m_points[i + 1].y()),
                               kSegmentTolerance)) {
            piece = i;
            break;
        }
    }
    if (piece < 0)
        return -1;
    if (m_ranges.size() == 1)
        return piece;
    for (int j = 0; j < m_ranges.size(); ++j) {
        if (m_ranges[j].first <= piece && piece <= m_ranges[j].last)
            return j;
    }
    return -1;
}

int TensionCurve::segmentAt(float x, float y) const
{
    return segmentAt(QPointF(x, y));
}

int TensionCurve::controlPointCount() const
{
    return m_sourcePoints.size() + (m_repeatsFirst ? 1 : 0);
}

const QPointF& TensionCurve::controlPoint(int index) const
{
    return index < m_sourcePoints.size() ? m_sourcePoints[index] : m_sourcePoints.first();
}

// The control points with one neighbour added at each end: the end points
// doubled for an open curve, the wrapped-around neighbours for a closed one.
QPointF TensionCurve::extendedPoint(int index) const
{
    const int n = controlPointCount();
    if (index == 0)
        return controlPoint(m_closed ? n - 2 : 0);
    if (index == n + 1)
        return controlPoint(m_closed ? 1 : n - 1);
    return controlPoint(index - 1);
}

void TensionCurve::flatten()
{
    const int n = controlPointCount();
    if (n <= 1)
        return;
    if (n == 2 || m_tension == 0.0f) {
        m_points.reserve(n);
        for (int i = 0; i < n; ++i)
            m_points.append(controlPoint(i));
        m_ranges.append(Range{0, n - 1});
        return;
    }

    const int samples = samplesPerSegment(m_flatness);
    m_points.reserve((n - 1) * (samples + 2));
    m_ranges.reserve(n - 1);
    for (int i = 2; i <= n; ++i) {
        const QPointF p0 = extendedPoint(i - 2);
        const QPointF p1 = extendedPoint(i - 1);
        const QPointF p2 = extendedPoint(i);
        const QPointF p3 = extendedPoint(i + 1);
        const int first = m_points.size();
        m_points.append(p1);
        for (float t = 0.0f; t < 1.0f; t += m_flatness) {
            m_points.append(QPointF(
                cardinalValue(float(p0.x()), float(p1.x()), float(p2.x()), float(p3.x()), m_tension, t),
                cardinalValue(float(p0.y()), float(p1.y()), float(p2.y()), float(p3.y()), m_tension, t)));
        }
        m_points.append(p2);
        m_ranges.append(Range{first, m_points.size() - 1});
    }
}
