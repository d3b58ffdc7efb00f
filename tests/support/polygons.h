#ifndef SUPPORT_POLYGONS_H
#define SUPPORT_POLYGONS_H

// Polygons written out in tests: one from a list of points, and the corners
// of an ellipse.

#include <QPointF>
#include <QPolygonF>
#include <QVector>

#include <cmath>
#include <initializer_list>

inline QPolygonF polygonOf(std::initializer_list<QPointF> points)
{
    return QPolygonF(QVector<QPointF>(points));
}

// corners points on the ellipse, the first on its right; not closed.
inline QPolygonF ellipsePolygon(const QPointF &centre, qreal rx, qreal ry, int corners)
{
    QPolygonF polygon;
    for (int i = 0; i < corners; ++i) {
        const qreal angle = 2.0 * M_PI * i / corners;
        polygon << QPointF(centre.x() + rx * std::cos(angle), centre.y() + ry * std::sin(angle));
    }
    return polygon;
}

#endif // SUPPORT_POLYGONS_H
