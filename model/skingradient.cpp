#include "model/skingradient.h"

#include <QtGlobal>

SkinGradientStop::SkinGradientStop(float position, const QColor &color)
    : m_color(color)
    , m_position(position)
{
}

void SkinGradientStop::setPosition(float position)
{
    m_position = qBound(0.0f, position, 1.0f);
}

bool SkinGradientStop::operator==(const SkinGradientStop &other) const
{
    return m_color == other.m_color && m_position == other.m_position;
}

SkinGradient::SkinGradient()
    : SkinGradient(QColor(Qt::white))
{
}

SkinGradient::SkinGradient(const QColor &color)
{
    append(0.0f, color);
    append(1.0f, color);
}

void SkinGradient::append(float position, const QColor &color)
{
    m_stops.append(SkinGradientStop(position, color));
}

void SkinGradient::insert(int index, float position, const QColor &color)
{
    m_stops.insert(qBound(0, index, m_stops.size()), SkinGradientStop(position, color));
}

void SkinGradient::removeAt(int index)
{
    if (index >= 0 && index < m_stops.size())
        m_stops.removeAt(index);
}

void SkinGradient::reset()
{
    m_stops.clear();
    append(0.0f, Qt::transparent);
    append(1.0f, Qt::transparent);
}

QList<QColor> SkinGradient::colors() const
{
    QList<QColor> result;
    result.reserve(m_stops.size());
    for (const SkinGradientStop &stop : m_stops)
        result.append(stop.color());
    return result;
}

QList<float> SkinGradient::positions() const
{
    QList<float> result;
    result.reserve(m_stops.size());
    for (const SkinGradientStop &stop : m_stops)
        result.append(stop.position());
    return result;
}

QColor SkinGradient::firstColor() const
{
    return m_stops.isEmpty() ? QColor(Qt::transparent) : m_stops.first().color();
}

void SkinGradient::setFirstColor(const QColor &color)
{
    if (!m_stops.isEmpty())
        m_stops.first().setColor(color);
}

QColor SkinGradient::lastColor() const
{
    return m_stops.isEmpty() ? QColor(Qt::transparent) : m_stops.last().color();
}

void SkinGradient::setLastColor(const QColor &color)
{
    if (!m_stops.isEmpty())
        m_stops.last().setColor(color);
}
