#include "model/lineequation.h"

#include "model/floatsegment.h"

#include <cmath>

namespace {
constexpr double kPi = 3.14159265358979323846;
}

LineEquation::LineEquation(float a, float b, float c)
    : m_a(a), m_b(b), m_c(c)
{
}

LineEquation::LineEquation(float x1, float y1, float x2, float y2)
{
    if (x1 == x2 && y1 == y2)
        return;
    if (x1 == x2) {
        m_a = 1.0f;
        m_c = -x1;
        return;
    }
    const double a = (double(y2) - y1) / (double(x1) - x2);
    m_a = float(a);
    m_b = 1.0f;
    m_c = float(-(double(x1) * a + y1));
}

LineEquation::LineEquation(const QPointF& p, float degrees)
{
    const double a = float(std::tan(kPi * degrees / 180.0));
    m_a = float(a);
    m_b = -1.0f;
    m_c = float(p.y() - a * p.x());
}

LineEquation LineEquation::fromSegment(const FloatSegment& segment)
{
    return LineEquation(segment.x1(), segment.y1(), segment.x2(), segment.y2());
}
