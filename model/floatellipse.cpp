#include "model/floatellipse.h"

FloatEllipse::FloatEllipse(float cx, float cy, float rx, float ry)
    : m_cx(cx), m_cy(cy)
{
    setRx(rx);
    setRy(ry);
}

FloatEllipse::FloatEllipse(const QRectF& rect)
    : FloatEllipse(float(rect.x() + 0.5 * rect.width()), float(rect.y() + 0.5 * rect.height()),
                   float(0.5 * rect.width()), float(0.5 * rect.height()))
{
}

void FloatEllipse::setRx(float rx)
{
    // Written so that a radius that is not a number also becomes 0.
    m_rx = rx > 0.0f ? rx : 0.0f;
}

void FloatEllipse::setRy(float ry)
{
    m_ry = ry > 0.0f ? ry : 0.0f;
}

QRectF FloatEllipse::boundingRect() const
{
    return QRectF(double(m_cx) - m_rx, double(m_cy) - m_ry, 2.0 * m_rx, 2.0 * m_ry);
}
