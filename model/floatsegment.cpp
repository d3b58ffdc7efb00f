#include "model/floatsegment.h"

#include <algorithm>
#include <cmath>

FloatSegment::FloatSegment(double x1, double y1, double x2, double y2)
    : m_x1(float(x1)), m_y1(float(y1)), m_x2(float(x2)), m_y2(float(y2))
{
}

void FloatSegment::setP1(const QPointF& p)
{
    m_x1 = float(p.x());
    m_y1 = float(p.y());
}

void FloatSegment::setP2(const QPointF& p)
{
    m_x2 = float(p.x());
    m_y2 = float(p.y());
}

QRectF FloatSegment::boundingRect() const
{
    return QRectF(std::min(m_x1, m_x2), std::min(m_y1, m_y2),
                  std::fabs(double(m_x1) - m_x2), std::fabs(double(m_y1) - m_y2));
}
