#ifndef COMMANDFIXTURE_H
#define COMMANDFIXTURE_H

// Small builders shared by the command tests.

#include "editor/sketchview.h"
#include "model/sketchlayer.h"
#include "model/sketchpoint.h"
#include "model/sketchshape.h"

#include <QList>
#include <QObject>
#include <QPointF>
#include <QStringList>

// A box shape (behaviour 1) appended on top of the layer.
inline SketchShape *addBox(SketchLayer *layer, qreal x, qreal y, qreal w, qreal h)
{
    SketchShape *shape = new SketchShape(layer);
    shape->setBehavior(SketchShapeBox);
    shape->points().append(new SketchPoint(x, y));
    shape->points().append(new SketchPoint(x + w, y));
    shape->points().append(new SketchPoint(x + w, y + h));
    shape->points().append(new SketchPoint(x, y + h));
    layer->shapes().append(shape);
    return shape;
}

// A free path through the given points, appended on top of the layer.
inline SketchShape *addPath(SketchLayer *layer, const QList<QPointF> &points, bool closed = true)
{
    SketchShape *shape = new SketchShape(layer);
    shape->setBehavior(SketchShapePath);
    for (const QPointF &p : points)
        shape->points().append(new SketchPoint(p.x(), p.y()));
    shape->setClosed(closed);
    layer->shapes().append(shape);
    return shape;
}

inline QList<QPointF> pointsOf(const SketchShape *shape)
{
    QList<QPointF> result;
    for (const SketchPoint *point : shape->points())
        result.append(point->toPointF());
    return result;
}

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

// Records the view's notification signals by name, in order.
class SignalLog : public QObject
{
public:
    explicit SignalLog(SketchView *view)
    {
        connect(view, &SketchView::undoManagerChanged, this, [this] { names.append("undoManagerChanged"); });
        connect(view, &SketchView::sketchChanged, this, [this] { names.append("sketchChanged"); });
        connect(view, &SketchView::selectionChanged, this, [this] { names.append("selectionChanged"); });
    }

    QStringList take()
    {
        const QStringList result = names;
        names.clear();
        return result;
    }

    QStringList names;
};

#endif // COMMANDFIXTURE_H
