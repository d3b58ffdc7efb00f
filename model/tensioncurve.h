#pragma once

#include <QList>
#include <QPointF>
#include <QPolygonF>
#include <QVector>

// A cardinal curve through a list of control points, flattened into a
// polyline when it is constructed. Shapes build one for every outline and hit
// test, so the flattening keeps to one allocation for the polyline and one for
// the segment ranges.
//
// The flattened polyline holds, per control segment, its start point, the
// samples at t = 0, flatness, 2*flatness ... below 1, and its end point; the
// end of one segment and the start of the next therefore both appear. A
// straight curve (two control points or tension 0) is the control points
// themselves with a single range.
class TensionCurve
{
public:
    // Where one control segment lies in points(): indices of its first and
    // last polyline point, both inclusive.
    struct Range
    {
        int first;
        int last;
    };

    // tension is clamped to [0, 1]; a flatness <= 0 (or not a number)
    // becomes 0.01, one >= 1 becomes 0.2, and one below 0.001 is raised to
    // 0.001 so that the sampling always ends. A closed curve of more than two
    // points gets its first point repeated at the end.
    TensionCurve(const QList<QPointF>& controlPoints, bool closed, float tension, float flatness);

    QList<QPointF> controlPoints() const;
    bool isClosed() const { return m_closed; }
    float tension() const { return m_tension; }
    float flatness() const { return m_flatness; }

    // The flattened polyline.
    const QPolygonF& points() const { return m_points; }
    // One entry per control segment, in order.
    const QVector<Range>& ranges() const { return m_ranges; }

    // The control segment whose flattened pieces pass within 2 units of the
    // point, the first one found; -1 when none does.
    int segmentAt(const QPointF& p) const;
    int segmentAt(float x, float y) const;

private:
    int controlPointCount() const;
    const QPointF& controlPoint(int index) const;
    QPointF extendedPoint(int index) const;
    void flatten();

    QList<QPointF> m_sourcePoints;
    bool m_closed = false;
    bool m_repeatsFirst = false;
    float m_tension = 0.0f;
    float m_flatness = 0.1f;
    QPolygonF m_points;
    QVector<Range> m_ranges;
};
