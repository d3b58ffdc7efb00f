#ifndef SKETCHTOOLCUTOFF_H
#define SKETCHTOOLCUTOFF_H

#include "editor/sketchtool.h"

#include <QPointer>

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

private:
    void cutPoint(SketchShape *shape, int code);
    void cutSegment(SketchShape *shape, const QPointF &p);
    void clearHover();

    QPointer<SketchShape> m_pressedShape;
    QPointer<SketchShape> m_hoverShape;
    int m_hoverCode = 0;
};

#endif // SKETCHTOOLCUTOFF_H
