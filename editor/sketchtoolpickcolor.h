#ifndef SKETCHTOOLPICKCOLOR_H
#define SKETCHTOOLPICKCOLOR_H

#include "editor/sketchtool.h"

#include <QColor>

// Reads the colour shown under a click and hands it on through one of the
// view's three picked signals, then returns to the select tool. The target
// chooses the signal: 0 gradient stop or font colour, 1 fill, 2 stroke.
//
// The colour is read from a fresh rendering of the page at the view's size:
// paper fill (white where the paper is transparent) and shapes, without
// border, grid, slices or overlays. It is always opaque. A press with any
// other button than the left one picks nothing, and every release ends the
// tool. Neither the document nor the undo history changes.
class SketchToolPickColor : public SketchTool
{
    Q_OBJECT

public:
    SketchToolPickColor(SketchView *view, int target);

    int target() const { return m_target; }
    // The colour of the last press: invalid before the first, transparent
    // after a press that picked nothing.
    QColor color() const { return m_color; }

    QCursor cursor() const override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    // The colour shown at a widget pixel; transparent outside the view.
    QColor colorAt(QPoint pos) const;

    QColor m_color;
    int m_target;
};

#endif // SKETCHTOOLPICKCOLOR_H
