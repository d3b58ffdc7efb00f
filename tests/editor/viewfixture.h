#ifndef VIEWFIXTURE_H
#define VIEWFIXTURE_H

// Small builders shared by the editor tests.

#include "model/sketchlayer.h"
#include "model/sketchpoint.h"
#include "model/sketchshape.h"

#include <QColor>
#include <QEvent>
#include <QImage>
#include <QObject>

// A box shape (behaviour 1) with a solid fill, appended on top of the layer.
inline SketchShape *addBox(SketchLayer *layer, qreal x, qreal y, qreal w, qreal h,
                           const QColor &fill = Qt::transparent)
{
    auto *shape = new SketchShape(layer);
    shape->setBehavior(SketchShapeBox);
    shape->points().append(new SketchPoint(x, y));
    shape->points().append(new SketchPoint(x + w, y));
    shape->points().append(new SketchPoint(x + w, y + h));
    shape->points().append(new SketchPoint(x, y + h));
    if (fill.alpha() > 0)
        shape->setFill(SkinBrush(fill));
    layer->shapes().append(shape);
    return shape;
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QObject *target) { target->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

inline bool sameColor(const QImage &image, int x, int y, const QColor &expected, int tolerance = 8)
{
    const QColor c = image.pixelColor(x, y);
    return qAbs(c.red() - expected.red()) <= tolerance && qAbs(c.green() - expected.green()) <= tolerance
        && qAbs(c.blue() - expected.blue()) <= tolerance;
}

#endif // VIEWFIXTURE_H
