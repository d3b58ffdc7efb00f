#ifndef SKETCHPOINT_H
#define SKETCHPOINT_H

#include <QPointF>
#include <QString>

// One point of a shape's outline, in document units, with two flags that the
// path builder and the editing tools read: a curve point lies on a smooth
// part of the path (its handle is round), a locked point is never moved by
// handle drags nor deleted. Shapes own their points on the heap. Every
// instance is counted in SketchGlobals::PointCount while it lives.
//
// Text form: "x,y" for a plain point, "x,y,1" for a curve point and
// "x,y,curve,1" for a locked one, the coordinates as the XML float form.
class SketchPoint
{
public:
    SketchPoint();
    // Serves float and double callers alike; the coordinates are stored as
    // float either way.
    SketchPoint(qreal x, qreal y, bool curve = false, bool locked = false);
    // Parses the text form; a malformed text gives (0, 0) or 0 in the bad
    // coordinate, and only "1" sets a flag. The text comes from files and
    // clipboards: the coordinates are brought within the range of
    // boundedCoordinate (model/coordinates.h).
    explicit SketchPoint(const QString &text);
    SketchPoint(const SketchPoint &other);
    SketchPoint &operator=(const SketchPoint &other) = default;
    ~SketchPoint();

    // A new point owned by the caller; null for an empty text.
    static SketchPoint *fromString(const QString &text);
    QString toString() const;
    // A new copy with both flags, owned by the caller.
    SketchPoint *clone() const;

    float x() const { return m_x; }
    void setX(float x) { m_x = x; }
    float y() const { return m_y; }
    void setY(float y) { m_y = y; }
    bool isCurve() const { return m_curve; }
    void setCurve(bool curve) { m_curve = curve; }
    bool isLocked() const { return m_locked; }
    void setLocked(bool locked) { m_locked = locked; }

    QPointF toPointF() const { return QPointF(m_x, m_y); }
    void setPos(qreal x, qreal y);
    void translate(float dx, float dy);

private:
    float m_x = 0.0f;
    float m_y = 0.0f;
    bool m_curve = false;
    bool m_locked = false;
};

#endif // SKETCHPOINT_H
