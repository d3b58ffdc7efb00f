#ifndef SKETCHTOOLPOINT_H
#define SKETCHTOOLPOINT_H

#include "editor/sketchtool.h"

#include <QColor>
#include <QPointer>
#include <QRectF>

class SketchPoint;
class SketchShape;

// Inserts, converts and drags the points of the path under the pointer. The
// view has two: one makes corner points, the other curve (smooth) points.
//
// A press on a segment inserts a point there, a press on a point converts it
// to this tool's kind; either is one "insertPoint" step. The point then
// follows the pointer, and a release away from the press records the drag as
// one "moveSelection" step. While no button is held, a marker shows what a
// press would do.
//
// The drag's command is the tool's pending command (SketchTool::gesture):
// Escape, Undo and a second press take the drag back. Shapes are watched, not
// owned: the document may drop them under the tool.
class SketchToolPoint : public SketchTool
{
    Q_OBJECT

public:
    SketchToolPoint(SketchView *view, bool curve);
    ~SketchToolPoint() override;

    // The kind of point this tool makes: true for curve points.
    bool isCurve() const { return m_curve; }
    void setCurve(bool curve) { m_curve = curve; }

    QCursor cursor() const override;
    void mousePressEvent(QMouseEvent *event) override;
    bool mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paint(QPainter *painter) override;
    // The marker while no button is held; the whole view while one is, as
    // the pressed shape changes.
    QRect overlayArea() const override;
    void takeBackGesture() override;

private:
    // The marker of what a press would do, in the hovered shape's own
    // coordinates, and how it is drawn; false when there is none.
    bool marker(QRectF *rect, bool *round, QColor *colour) const;
    // The dragged point while it still belongs to the pressed shape.
    SketchPoint *livePoint() const;
    void clearHover();

    bool m_curve;
    QPointer<SketchShape> m_pressedShape;
    SketchPoint *m_draggedPoint = nullptr;
    QPointer<SketchShape> m_hoverShape;
    int m_hoverCode = 0;
};

#endif // SKETCHTOOLPOINT_H
