#ifndef SHAPEFIXTURE_H
#define SHAPEFIXTURE_H

// Builders and checks shared by the shape and layer tests.

#include "editor/sketchdocumentview.h"
#include "model/sketchdocument.h"
#include "model/sketchglobals.h"
#include "model/sketchlayer.h"
#include "model/sketchpoint.h"
#include "model/sketchshape.h"

#include <QBuffer>
#include <QDomDocument>
#include <QDomElement>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QTextStream>

// The live counters of the model classes, to prove that a test frees what it
// made.
struct LiveCounts
{
    int shapes = SketchGlobals::ShapeCount;
    int points = SketchGlobals::PointCount;
    int layers = SketchGlobals::LayerCount;
    int documents = SketchGlobals::DocumentCount;

    bool operator==(const LiveCounts &other) const
    {
        return shapes == other.shapes && points == other.points && layers == other.layers
            && documents == other.documents;
    }
};

inline QString describe(const LiveCounts &counts)
{
    return QStringLiteral("shapes %1, points %2, layers %3, documents %4")
        .arg(counts.shapes)
        .arg(counts.points)
        .arg(counts.layers)
        .arg(counts.documents);
}

// The picture as PNG bytes, as an image fill holds it.
inline QByteArray pngBytes(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// A shape through the given points; listed on top of its layer when it has
// one. Corner points unless curve says otherwise.
inline SketchShape *makePath(SketchLayer *layer, const QList<QPointF> &points, bool closed = true,
                             bool curve = false)
{
    SketchShape *shape = new SketchShape(layer);
    for (const QPointF &p : points)
        shape->points().append(new SketchPoint(p.x(), p.y(), curve));
    shape->setClosed(closed);
    if (layer)
        layer->shapes().append(shape);
    return shape;
}

// A box (behaviour 1): top-left, top-right, bottom-right, bottom-left.
inline SketchShape *makeBox(SketchLayer *layer, const QRectF &r)
{
    SketchShape *shape = makePath(layer, {r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()});
    shape->setBehavior(SketchShapeBox);
    return shape;
}

// An ellipse: a box of four curve points.
inline SketchShape *makeEllipse(SketchLayer *layer, const QRectF &r)
{
    SketchShape *shape = makePath(layer, {r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()}, true, true);
    shape->setBehavior(SketchShapeBox);
    return shape;
}

// A speech bubble with its tail on the given side (2 top, 3 right, 4 bottom,
// 5 left), the base points 10 from the middle of that edge.
inline SketchShape *makeBubble(SketchLayer *layer, const QRectF &r, int direction, const QPointF &tip)
{
    const qreal mx = r.center().x();
    const qreal my = r.center().y();
    QList<QPointF> points;
    switch (direction) {
    case 2:
        points = {r.topLeft(), {mx - 10, r.top()}, tip, {mx + 10, r.top()}, r.topRight(), r.bottomRight(), r.bottomLeft()};
        break;
    case 3:
        points = {r.topLeft(), r.topRight(), {r.right(), my - 10}, tip, {r.right(), my + 10}, r.bottomRight(), r.bottomLeft()};
        break;
    case 4:
        points = {r.topLeft(), r.topRight(), r.bottomRight(), {mx + 10, r.bottom()}, tip, {mx - 10, r.bottom()}, r.bottomLeft()};
        break;
    default:
        points = {r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft(), {r.left(), my + 10}, tip, {r.left(), my - 10}};
        break;
    }
    SketchShape *shape = makePath(layer, points);
    shape->setBehavior(SketchShapeBubble);
    shape->setDirection(direction);
    return shape;
}

inline QList<QPointF> positionsOf(const SketchShape *shape)
{
    QList<QPointF> positions;
    for (const SketchPoint *point : shape->points())
        positions.append(point->toPointF());
    return positions;
}

inline bool isNear(const QPointF &a, const QPointF &b, qreal tolerance = 1e-3)
{
    return qAbs(a.x() - b.x()) <= tolerance && qAbs(a.y() - b.y()) <= tolerance;
}

// The shape's element as text, for comparing whole states.
inline QString shapeXml(SketchShape *shape)
{
    QDomDocument document;
    QDomElement element = document.createElement(shape->typeName());
    document.appendChild(element);
    shape->writeXml(element);
    return document.toString(-1);
}

// The first element of an XML text.
inline QDomElement parseElement(QDomDocument &document, const QString &text)
{
    document.setContent(text);
    return document.documentElement();
}

#endif // SHAPEFIXTURE_H
