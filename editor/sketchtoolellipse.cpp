#include "editor/sketchtoolellipse.h"

#include "model/sketchpoint.h"
#include "model/sketchshape.h"

#include <QPixmap>

namespace {
// Four curve points at this tension make a close ellipse.
constexpr float kEllipseTension = 0.85f;
}

SketchToolEllipse::SketchToolEllipse(SketchView *view)
    : SketchToolCreateShape(view)
{
}

QCursor SketchToolEllipse::cursor() const
{
    return QCursor(QPixmap(QStringLiteral(":/tools/images/CursorCreateEllipse.png")), 0, 0);
}

QString SketchToolEllipse::commandText() const
{
    return QStringLiteral("addEllipse");
}

void SketchToolEllipse::setUpShape(SketchShape *shape, const QPointF &anchor) const
{
    shape->setBehavior(SketchShapeBox);
    shape->setTension(kEllipseTension);
    for (int i = 0; i < 4; ++i)
        shape->points().append(new SketchPoint(anchor.x(), anchor.y(), true));
}

void SketchToolEllipse::layOut(SketchShape *shape, const QPointF &p, Qt::KeyboardModifiers modifiers) const
{
    layOutBox(shape, p, modifiers.testFlag(Qt::ShiftModifier));
}
