#ifndef SKETCHTOOLRECT_H
#define SKETCHTOOLRECT_H

#include "editor/sketchtoolcreateshape.h"

// Draws rectangles by dragging or clicking: a four-point box of corner
// points; Shift makes it a square. Recorded as "addRect".
class SketchToolRect : public SketchToolCreateShape
{
    Q_OBJECT

public:
    explicit SketchToolRect(SketchView *view);

    QCursor cursor() const override;

protected:
    QString commandText() const override;
    void setUpShape(SketchShape *shape, const QPointF &anchor) const override;
    void layOut(SketchShape *shape, const QPointF &p, Qt::KeyboardModifiers modifiers) const override;
};

#endif // SKETCHTOOLRECT_H
