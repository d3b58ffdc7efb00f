#ifndef SKETCHTOOLELLIPSE_H
#define SKETCHTOOLELLIPSE_H

#include "editor/sketchtoolcreateshape.h"

// Draws ellipses by dragging or clicking: a four-point box of curve points
// with tension 0.85; Shift makes it a circle. Recorded as "addEllipse".
class SketchToolEllipse : public SketchToolCreateShape
{
    Q_OBJECT

public:
    explicit SketchToolEllipse(SketchView *view);

    QCursor cursor() const override;

protected:
    QString commandText() const override;
    void setUpShape(SketchShape *shape, const QPointF &anchor) const override;
    void layOut(SketchShape *shape, const QPointF &p, Qt::KeyboardModifiers modifiers) const override;
};

#endif // SKETCHTOOLELLIPSE_H
