#ifndef SKETCHTOOLBUBBLE_H
#define SKETCHTOOLBUBBLE_H

#include "editor/sketchtoolcreateshape.h"

// Draws speech bubbles by dragging or clicking: a seven-point bubble whose
// tail, 20 units wide and 30 long, hangs from the middle of the edge through
// the dragged corner, pointing down. Recorded as "addBubble".
class SketchToolBubble : public SketchToolCreateShape
{
    Q_OBJECT

public:
    explicit SketchToolBubble(SketchView *view);

    QCursor cursor() const override;

protected:
    QString commandText() const override;
    void setUpShape(SketchShape *shape, const QPointF &anchor) const override;
    void layOut(SketchShape *shape, const QPointF &p, Qt::KeyboardModifiers modifiers) const override;
};

#endif // SKETCHTOOLBUBBLE_H
