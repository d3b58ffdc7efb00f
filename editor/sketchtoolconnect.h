#ifndef SKETCHTOOLCONNECT_H
#define SKETCHTOOLCONNECT_H

#include "editor/sketchtool.h"

#include <QPointer>

class SketchShape;

// Joins two paths end to end, or closes one path: the user drags from an end
// point of a path onto an end point of another path (or onto the other end
// of the same one). A join or a close is one "connectShapes" step. The open
// paths show their end handles; the chosen ends are drawn selected.
//
// The tool stays current after a join; Escape ends it. Shapes are watched,
// not owned.
class SketchToolConnect : public SketchTool
{
    Q_OBJECT

public:
    explicit SketchToolConnect(SketchView *view);

    QCursor cursor() const override;
    // Clears the document's selection.
    void reset() override;
    void mousePressEvent(QMouseEvent *event) override;
    bool mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void cancel() override;
    void paint(QPainter *painter) override;

    // Joins point sourceIndex of source with point targetIndex of target
    // (both path ends), or closes the path when they are the two ends of one
    // path of three points or more; anything else does nothing.
    void connectShapes(SketchShape *source, int sourceIndex, SketchShape *target, int targetIndex);

    bool isDragging() const { return m_dragging; }

private:
    // The shape under a widget point and the index of its point there
    // (hit code - 3); (null, -1) over no shape.
    void lookUp(const QPointF &pos, QPointer<SketchShape> &shape, int &index) const;
    void joinShapes(SketchShape *a, int aIndex, SketchShape *b, int bIndex);
    void closePath(SketchShape *shape);
    void clearState();

    bool m_dragging = false;
    bool m_targetIsEnd = false;
    QPointer<SketchShape> m_sourceShape;
    int m_sourceIndex = -1;
    QPointer<SketchShape> m_targetShape;
    int m_targetIndex = -1;
};

#endif // SKETCHTOOLCONNECT_H
