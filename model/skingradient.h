#ifndef SKINGRADIENT_H
#define SKINGRADIENT_H

#include <QColor>
#include <QList>
#include <QMetaType>

// One colour stop of a gradient: a colour at a position meant to lie in [0, 1].
class SkinGradientStop
{
public:
    SkinGradientStop() = default;
    SkinGradientStop(float position, const QColor &color);

    QColor color() const { return m_color; }
    void setColor(const QColor &color) { m_color = color; }
    float position() const { return m_position; }
    // Clamped to [0, 1].
    void setPosition(float position);

    bool operator==(const SkinGradientStop &other) const;
    bool operator!=(const SkinGradientStop &other) const { return !(*this == other); }

private:
    QColor m_color = Qt::white;
    float m_position = 0.0f;
};

// The colour stops of a brush, in the order they were added or inserted
// (not sorted: Qt orders them by position when a gradient is built). Every
// constructor makes two stops, and the editors never remove the first or the
// last, so the first and last colour always exist in practice; on an empty
// list they read as transparent and their setters do nothing.
class SkinGradient
{
public:
    // Two white stops at 0 and 1.
    SkinGradient();
    // Two stops of that colour at 0 and 1.
    explicit SkinGradient(const QColor &color);

    QList<SkinGradientStop> &stops() { return m_stops; }
    const QList<SkinGradientStop> &stops() const { return m_stops; }
    int count() const { return m_stops.size(); }

    void append(float position, const QColor &color);
    // At a list index (kept within the list), neither sorted nor clamped.
    void insert(int index, float position, const QColor &color);
    // An index outside the list is ignored.
    void removeAt(int index);
    // Two transparent stops at 0 and 1.
    void reset();

    QList<QColor> colors() const;
    QList<float> positions() const;

    QColor firstColor() const;
    void setFirstColor(const QColor &color);
    QColor lastColor() const;
    void setLastColor(const QColor &color);

    // Same count and, index by index, equal colours and exactly equal positions.
    bool operator==(const SkinGradient &other) const { return m_stops == other.m_stops; }
    bool operator!=(const SkinGradient &other) const { return !(*this == other); }

private:
    QList<SkinGradientStop> m_stops;
};

Q_DECLARE_METATYPE(SkinGradient)

#endif // SKINGRADIENT_H
