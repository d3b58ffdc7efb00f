#pragma once

#include <QPointF>

class FloatSegment;

// A straight line in the form a*x + b*y + c = 0, stored in single precision.
// The all-zero value is a degenerate line: it is what two equal points give,
// and every intersection with it is empty.
class LineEquation
{
public:
    LineEquation() = default;
    LineEquation(float a, float b, float c);
    // The line through two points; (0, 0, 0) when they coincide.
    LineEquation(float x1, float y1, float x2, float y2);
    // The line through p that rises at the given angle (b is -1).
    LineEquation(const QPointF& p, float degrees);

    static LineEquation fromSegment(const FloatSegment& segment);

    float a() const { return m_a; }
    float b() const { return m_b; }
    float c() const { return m_c; }
    void setA(float a) { m_a = a; }
    void setB(float b) { m_b = b; }
    void setC(float c) { m_c = c; }

private:
    float m_a = 0.0f;
    float m_b = 0.0f;
    float m_c = 0.0f;
};
