#include "editor/sketchtoolbubble.h"

#include "model/sketchpoint.h"
#include "model/sketchshape.h"

#include <QPixmap>

namespace {
// Paper units: the tail's half width at its base and its length.
constexpr qreal kTailHalfWidth = 10.0;
constexpr qreal kTailLength = 30.0;
// The tail hangs below the box.
constexpr int kTailDown = 4;
}

SketchToolBubble::SketchToolBubble(SketchView *view)
    : SketchToolCreateShape(view)
{
}

QCursor SketchToolBubble::cursor() const
{
    return QCursor(QPixmap(QStringLiteral(":/tools/images/CursorCreateBubble.png")), 0, 0);
}

QString SketchToolBubble::commandText() const
{
    return QStringLiteral("addBubble");
}

void SketchToolBubble::setUpShape(SketchShape *shape, const QPointF &anchor) const
{
    shape->setBehavior(SketchShapeBubble);
    shape->setDirection(kTailDown);
    for (int i = 0; i < 7; ++i)
        shape->points().append(new SketchPoint(anchor.x(), anchor.y()));
}

// Around the outline: the anchor, the other corner of its edge, the dragged
// corner, the tail (base, tip, base), the last corner.
void SketchToolBubble::layOut(SketchShape *shape, const QPointF &p, Qt::KeyboardModifiers modifiers) const
{
    Q_UNUSED(modifiers)
    QList<SketchPoint *> &points = shape->points();
    if (points.size() < 7)
        return;
    const qreal x0 = points.at(0)->x();
    const qreal y0 = points.at(0)->y();
    const qreal middle = (x0 + p.x()) / 2;
    points.at(1)->setPos(p.x(), y0);
    points.at(2)->setPos(p.x(), p.y());
    points.at(3)->setPos(middle + kTailHalfWidth, p.y());
    points.at(4)->setPos(middle, p.y() + kTailLength);
    points.at(5)->setPos(middle - kTailHalfWidth, p.y());
    points.at(6)->setPos(x0, p.y());
}
