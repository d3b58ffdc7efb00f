#pragma once

#include <QPointF>
#include <QRectF>

// A line segment from (x1, y1) to (x2, y2), stored in single precision.
class FloatSegment
{
public:
    FloatSegment() = default;
    // Each coordinate is rounded to single precision. Float arguments pass
    // through double unchanged, so this one constructor serves both float and
    // double callers without making integer or mixed calls ambiguous.
    FloatSegment(double x1, double y1, double x2, double y2);

    float x1() const { return m_x1; }
    float y1() const { return m_y1; }
    float x2() const { return m_x2; }
    float y2() const { return m_y2; }
    void setX1(float x) { m_x1 = x; }
    void setY1(float y) { m_y1 = y; }
    void setX2(float x) { m_x2 = x; }
    void setY2(float y) { m_y2 = y; }

    QPointF p1() const { return QPointF(m_x1, m_y1); }
    QPointF p2() const { return QPointF(m_x2, m_y2); }
    void setP1(const QPointF& p);
    void setP2(const QPointF& p);

    // The normalised box spanned by the two end points.
    QRectF boundingRect() const;

private:
    float m_x1 = 0.0f;
    float m_y1 = 0.0f;
    float m_x2 = 0.0f;
    float m_y2 = 0.0f;
};
