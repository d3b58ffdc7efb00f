#include "editor/sketchtoolrect.h"

#include "model/sketchpoint.h"
#include "model/sketchshape.h"

#include <QPixmap>

SketchToolRect::SketchToolRect(SketchView *view)
    : SketchToolCreateShape(view)
{
}

QCursor SketchToolRect::cursor() const
{
    return QCursor(QPixmap(QStringLiteral(":/tools/images/CursorCreateRect.png")), 0, 0);
}

QString SketchToolRect::commandText() const
{
    return QStringLiteral("addRect");
}

void SketchToolRect::setUpShape(SketchShape *shape, const QPointF &anchor) const
{
    shape->setBehavior(SketchShapeBox);
    for (int i = 0; i < 4; ++i)
        shape->points().append(new SketchPoint(anchor.x(), anchor.y()));
}

void SketchToolRect::layOut(SketchShape *shape, const QPointF &p, Qt::KeyboardModifiers modifiers) const
{
    layOutBox(shape, p, modifiers.testFlag(Qt::ShiftModifier));
}
