#pragma once

#include <QRectF>

// An axis-parallel ellipse given by its centre and its two radii, stored in
// single precision. Radii are never negative: a negative value is stored as 0,
// and an ellipse with a zero radius contains no point.
class FloatEllipse
{
public:
    FloatEllipse() = default;
    FloatEllipse(float cx, float cy, float rx, float ry);
    // The ellipse inscribed in the rectangle.
    explicit FloatEllipse(const QRectF& rect);

    float cx() const { return m_cx; }
    float cy() const { return m_cy; }
    float rx() const { return m_rx; }
    float ry() const { return m_ry; }
    void setCx(float cx) { m_cx = cx; }
    void setCy(float cy) { m_cy = cy; }
    void setRx(float rx);
    void setRy(float ry);

    QRectF boundingRect() const;

private:
    float m_cx = 0.0f;
    float m_cy = 0.0f;
    float m_rx = 0.0f;
    float m_ry = 0.0f;
};
