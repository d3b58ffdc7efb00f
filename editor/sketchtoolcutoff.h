#ifndef SKETCHTOOLCUTOFF_H
#define SKETCHTOOLCUTOFF_H

#include "editor/sketchtool.h"

#include <QPointer>
#include <QRectF>

class SketchShape;

// Removes a point of a path or cuts the path open at a segment. A release on
// a point handle of the pressed shape removes that point ("cutofPoint"; a
// path of two points goes whole); a press and release on the outline cut the
// path there ("cutofLine"). While the pointer moves, a red cross marks what a
// click would cut.
//
// Shapes are watched, not owned.
class SketchToolCutoff : public SketchTool
{
    Q_OBJECT

public:
    explicit SketchToolCutoff(SketchView *view);

    QCursor cursor() const override;
    void mousePressEvent(QMouseEvent *event) override;
    bool mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paint(QPainter *painter) override;
    // The cross while no button is held; the whole view while one is, as
    // the pressed shape changes.
    QRect overlayArea() const override;

private:
    // The square the cross spans, in the hovered shape's own coordinates;
    // false when there is none.
    bool cross(QRectF *rect) const;
    void cutPoint(SketchShape *shape, int code);
    void cutSegment(SketchShape *shape, const QPointF &p);
    void clearHover();

    QPointer<SketchShape> m_pressedShape;
    QPointer<SketchShape> m_hoverShape;
    int m_hoverCode = 0;
};

#endif // SKETCHTOOLCUTOFF_H
