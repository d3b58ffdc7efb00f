#ifndef GENERATEDPAGE_H
#define GENERATEDPAGE_H

// A reproducible crowded page for the benchmarks of shapes, documents, views
// and commands: rectangles, ellipses, speech bubbles with text and 10-point
// paths with curve points, filled with solid, linear and radial brushes and
// spread over the paper.

#include "model/sketchlayer.h"
#include "model/sketchpoint.h"
#include "model/sketchshape.h"
#include "model/sketchstroke.h"
#include "model/skinbrush.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QPointF>
#include <QRandomGenerator>
#include <QRectF>
#include <QSize>
#include <QStringList>

#include <cmath>

namespace generatedpage {

// The number of shapes of the standard page.
const int StandardShapeCount = 10000;

inline QColor randomColor(QRandomGenerator &random)
{
    return QColor::fromRgb(random.bounded(256), random.bounded(256), random.bounded(256));
}

inline SkinBrush randomFill(QRandomGenerator &random, int kind)
{
    switch (kind % 3) {
    case 0:
        return SkinBrush(randomColor(random));
    case 1:
        return SkinBrush(randomColor(random), randomColor(random), random.bounded(2) == 0);
    default: {
        SkinGradient stops(randomColor(random));
        stops.setLastColor(randomColor(random));
        return SkinBrush(SkinBrushRadial, stops);
    }
    }
}

inline void addPoints(SketchShape *shape, const QList<QPointF> &points, bool curve)
{
    for (const QPointF &p : points)
        shape->points().append(new SketchPoint(p.x(), p.y(), curve));
}

inline SketchShape *makeBubble(SketchLayer *layer, const QRectF &r, QRandomGenerator &random)
{
    static const QStringList texts = {"Hi!", "Wow", "Look out!", "No way", "Yes", "Later"};
    SketchShape *shape = new SketchShape(layer);
    const int direction = 2 + random.bounded(4);
    const qreal mx = r.center().x();
    const qreal my = r.center().y();
    const qreal tail = 15.0;
    QList<QPointF> points;
    switch (direction) {
    case 2:
        points = {r.topLeft(), {mx - 5, r.top()}, {mx, r.top() - tail}, {mx + 5, r.top()},
                  r.topRight(), r.bottomRight(), r.bottomLeft()};
        break;
    case 3:
        points = {r.topLeft(), r.topRight(), {r.right(), my - 5}, {r.right() + tail, my},
                  {r.right(), my + 5}, r.bottomRight(), r.bottomLeft()};
        break;
    case 4:
        points = {r.topLeft(), r.topRight(), r.bottomRight(), {mx + 5, r.bottom()},
                  {mx, r.bottom() + tail}, {mx - 5, r.bottom()}, r.bottomLeft()};
        break;
    default:
        points = {r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft(),
                  {r.left(), my + 5}, {r.left() - tail, my}, {r.left(), my - 5}};
        break;
    }
    addPoints(shape, points, false);
    shape->setBehavior(SketchShapeBubble);
    shape->setDirection(direction);
    shape->setText(texts.at(random.bounded(texts.size())));
    QFont font = shape->font();
    font.setPixelSize(12);
    shape->setFont(font);
    return shape;
}

// Ten points round an ellipse inside r, every other one a curve point.
inline SketchShape *makeCurvedPath(SketchLayer *layer, const QRectF &r, QRandomGenerator &random)
{
    SketchShape *shape = new SketchShape(layer);
    const qreal start = random.bounded(360);
    for (int i = 0; i < 10; ++i) {
        const qreal angle = (start + i * 36.0) * M_PI / 180.0;
        const qreal reach = 0.6 + 0.4 * random.generateDouble();
        const QPointF p(r.center().x() + std::cos(angle) * r.width() * 0.5 * reach,
                        r.center().y() + std::sin(angle) * r.height() * 0.5 * reach);
        shape->points().append(new SketchPoint(p.x(), p.y(), i % 2 == 0));
    }
    return shape;
}

// Appends count shapes, cycling through rectangle, ellipse, bubble and path
// and through solid, linear and radial fills, to the top of the layer.
inline void fillLayer(SketchLayer *layer, int count = StandardShapeCount, const QSize &paper = QSize(842, 595),
                      quint32 seed = 20240601)
{
    QRandomGenerator random(seed);
    for (int i = 0; i < count; ++i) {
        const qreal w = 12 + random.bounded(70);
        const qreal h = 12 + random.bounded(50);
        const qreal x = 20 + random.bounded(qMax(1.0, paper.width() - w - 40));
        const qreal y = 20 + random.bounded(qMax(1.0, paper.height() - h - 40));
        const QRectF r(x, y, w, h);
        SketchShape *shape = nullptr;
        switch (i % 4) {
        case 0:
            shape = new SketchShape(layer);
            addPoints(shape, {r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()}, false);
            shape->setBehavior(SketchShapeBox);
            break;
        case 1:
            shape = new SketchShape(layer);
            addPoints(shape, {r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()}, true);
            shape->setBehavior(SketchShapeBox);
            break;
        case 2:
            shape = makeBubble(layer, r, random);
            break;
        default:
            shape = makeCurvedPath(layer, r, random);
            break;
        }
        shape->setFill(randomFill(random, i / 4));
        shape->setStroke(SketchStroke(randomColor(random), 1 + random.bounded(3), random.bounded(2)));
        layer->shapes().append(shape);
    }
}

} // namespace generatedpage

#endif // GENERATEDPAGE_H
