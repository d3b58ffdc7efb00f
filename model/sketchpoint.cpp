#include "model/sketchpoint.h"

#include "model/coordinates.h"
#include "model/sketchglobals.h"
#include "model/xmlattributes.h"

#include <QStringList>

SketchPoint::SketchPoint()
{
    ++SketchGlobals::PointCount;
}

SketchPoint::SketchPoint(qreal x, qreal y, bool curve, bool locked)
    : m_x(float(x))
    , m_y(float(y))
    , m_curve(curve)
    , m_locked(locked)
{
    ++SketchGlobals::PointCount;
}

SketchPoint::SketchPoint(const QString &text)
    : SketchPoint()
{
    const QStringList fields = text.split(QLatin1Char(','), Qt::KeepEmptyParts);
    if (fields.size() >= 2) {
        m_x = float(boundedCoordinate(xmlTextToFloat(fields.at(0))));
        m_y = float(boundedCoordinate(xmlTextToFloat(fields.at(1))));
    }
    if (fields.size() >= 3)
        m_curve = fields.at(2).toInt() == 1;
    if (fields.size() >= 4)
        m_locked = fields.at(3).toInt() == 1;
}

SketchPoint::SketchPoint(const SketchPoint &other)
    : m_x(other.m_x)
    , m_y(other.m_y)
    , m_curve(other.m_curve)
    , m_locked(other.m_locked)
{
    ++SketchGlobals::PointCount;
}

SketchPoint::~SketchPoint()
{
    --SketchGlobals::PointCount;
}

SketchPoint *SketchPoint::fromString(const QString &text)
{
    return text.isEmpty() ? nullptr : new SketchPoint(text);
}

QString SketchPoint::toString() const
{
    const QString x = xmlFloatText(m_x);
    const QString y = xmlFloatText(m_y);
    if (m_locked)
        return QStringLiteral("%1,%2,%3,1").arg(x, y, m_curve ? QStringLiteral("1") : QStringLiteral("0"));
    if (m_curve)
        return QStringLiteral("%1,%2,1").arg(x, y);
    return QStringLiteral("%1,%2").arg(x, y);
}

SketchPoint *SketchPoint::clone() const
{
    return new SketchPoint(*this);
}

void SketchPoint::setPos(qreal x, qreal y)
{
    m_x = float(x);
    m_y = float(y);
}

void SketchPoint::translate(float dx, float dy)
{
    m_x += dx;
    m_y += dy;
}
