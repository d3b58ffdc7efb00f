#ifndef SUPPORT_SHAPES_H
#define SUPPORT_SHAPES_H

// Builders of shapes and groups, and comparisons of their points and states.
// "make..." may leave the shape in no layer (a null layer); "add..." always
// lists it on top of its layer.

#include "editor/sketchdocumentview.h"
#include "model/sketchdocument.h"
#include "model/sketchgroup.h"
#include "model/sketchlayer.h"
#include "model/sketchpoint.h"
#include "model/sketchshape.h"
#include "model/xmltextwriter.h"

#include <QColor>
#include <QDomDocument>
#include <QDomElement>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QTransform>

#include <cmath>

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

// A shape with two frames, showing the second.
inline SketchShape *makeFramedShape(SketchLayer *layer, const QRectF &r)
{
    SketchShape *shape = makeBox(layer, r);
    SketchShape *first = makeBox(nullptr, QRectF(0, 0, r.width(), r.height()));
    first->setFill(SkinBrush(QColor(Qt::cyan)));
    first->setName("pose");
    SketchShape *second = makeEllipse(nullptr, QRectF(0, 0, r.width() * 0.5, r.height()));
    second->setFill(SkinBrush(QColor(Qt::darkCyan)));
    shape->appendFrame(first);
    shape->appendFrame(second);
    shape->setLayer(layer);
    shape->setFrameIndex(1);
    return shape;
}

// A box shape (behaviour 1) listed on top of the layer, solidly filled unless
// the fill is transparent.
inline SketchShape *addBox(SketchLayer *layer, qreal x, qreal y, qreal w, qreal h,
                           const QColor &fill = Qt::transparent)
{
    SketchShape *shape = makeBox(layer, QRectF(x, y, w, h));
    if (fill.alpha() > 0)
        shape->setFill(SkinBrush(fill));
    return shape;
}

// A free path through the points, listed on top of the layer.
inline SketchShape *addPath(SketchLayer *layer, const QList<QPointF> &points, bool closed)
{
    return makePath(layer, points, closed);
}

// Groups the shapes on top of the layer as the group command does.
inline SketchGroup *groupShapes(SketchLayer *layer, const QList<SketchShape *> &shapes)
{
    SketchGroup *group = new SketchGroup(layer);
    group->shapes() = shapes;
    group->setSelected(true);
    group->setActiveHandle(SketchHandleInside);
    group->attachShapes();
    layer->shapes().append(group);
    return group;
}

// Dissolves the group as the ungroup command does; the group stays a child
// of its layer.
inline void ungroup(SketchGroup *group)
{
    group->setSelected(false);
    group->setActiveHandle(SketchHandleNone);
    group->detachShapes();
    if (group->layer())
        group->layer()->shapes().removeOne(group);
}

inline void selectShape(SketchShape *shape, int handle = SketchHandleInside)
{
    shape->setSelected(true);
    shape->setActiveHandle(handle);
}

inline QList<QPointF> pointsOf(const SketchShape *shape)
{
    QList<QPointF> result;
    for (const SketchPoint *point : shape->points())
        result.append(point->toPointF());
    return result;
}

// The selected top-level shapes of the layers, bottom first.
inline QList<SketchShape *> selectedOf(const QList<SketchLayer *> &layers)
{
    QList<SketchShape *> result;
    for (SketchLayer *layer : layers) {
        for (SketchShape *shape : layer->shapes()) {
            if (shape->isSelected())
                result.append(shape);
        }
    }
    return result;
}

inline bool isNear(const QPointF &a, const QPointF &b, qreal tolerance = 1e-3)
{
    return qAbs(a.x() - b.x()) <= tolerance && qAbs(a.y() - b.y()) <= tolerance;
}

// Where the view draws each point of the shape.
inline QList<QPointF> drawnPoints(const SketchDocumentView &view, SketchShape *shape)
{
    const QTransform transform = view.shapeTransform(shape);
    QList<QPointF> drawn;
    for (const SketchPoint *point : shape->points())
        drawn.append(transform.map(point->toPointF()));
    return drawn;
}

inline bool samePoints(const QList<QPointF> &a, const QList<QPointF> &b, qreal tolerance = 1e-3)
{
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i) {
        if (std::abs(a.at(i).x() - b.at(i).x()) > tolerance || std::abs(a.at(i).y() - b.at(i).y()) > tolerance)
            return false;
    }
    return true;
}

inline QString describePoints(const QList<QPointF> &points)
{
    QStringList texts;
    for (const QPointF &p : points)
        texts.append(QStringLiteral("(%1, %2)").arg(p.x()).arg(p.y()));
    return texts.join(QLatin1Char(' '));
}

// The shape's element as text, for comparing whole states; the same state
// gives the same text.
inline QString shapeXml(SketchShape *shape)
{
    QDomDocument document;
    QDomElement element = document.createElement(shape->typeName());
    document.appendChild(element);
    shape->writeXml(element);
    return XmlTextWriter::elementText(element);
}

// The first element of an XML text.
inline QDomElement parseElement(QDomDocument &document, const QString &text)
{
    document.setContent(text);
    return document.documentElement();
}

#endif // SUPPORT_SHAPES_H
