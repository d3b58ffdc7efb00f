#ifndef SKETCHTOOLSELECT_H
#define SKETCHTOOLSELECT_H

#include "editor/sketchtool.h"

class SketchGroup;
class SketchPoint;
class SketchShape;

// The view's default tool. Picks shapes by click, Ctrl+click (toggle) and
// rubber band (Ctrl toggles every shape the band touches); drags the editable
// selection, or the handle that was pressed on a single shape, live under the
// pointer; closes an open path when one end point is dropped on the other;
// nudges the selection with the arrow keys; walks into groups by double
// click; opens the in-place text editor (double click, F2); and shows a
// position or size read-out while the left button rests on the single
// selected shape for the view's tooltip time. Shows the arrow cursor.
//
// Every drag reaches the undo stack as one "moveSelection" command, opened at
// the first real move (a click alone records nothing) and pushed at the
// release. Escape gives the dragged shapes back their "before" state and
// records nothing. Selecting is never a command.
//
// The open drag command is the tool's pending command (SketchTool::gesture).
class SketchToolSelect : public SketchTool
{
    Q_OBJECT

public:
    explicit SketchToolSelect(SketchView *view);
    ~SketchToolSelect() override;

    // While the left button is still held on return to this tool, the
    // gesture goes on as a press at the pointer.
    void reset() override;
    void mousePressEvent(QMouseEvent *event) override;
    // Always asks for a repaint while the left button is held.
    bool mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    // Escape, the arrow keys and F2.
    void keyPressEvent(QKeyEvent *event) override;
    // Closes the in-place editor without saving and takes back a drag in
    // progress before it reports the tool done.
    void cancel() override;
    // Puts the shapes of an open drag back and drops its command; the rest
    // of the gesture then moves and records nothing. The history must not
    // move under an open drag, whose command holds the shapes' earlier
    // state. Does nothing without one.
    void takeBackGesture() override;
    // The read-out, the hint that a path is about to close, the rubber band.
    void paint(QPainter *painter) override;
    // Where paint() draws them now; empty while the left button is up.
    QRect overlayArea() const override;

public slots:
    // The tooltip timer's time-out: shows the read-out while the left button
    // is still down.
    void showTooltip();

private:
    // The press part that decides the selection.
    void selectAt(QMouseEvent *event);
    // Moves the editable selection by widget pixels, opening the drag
    // command before the first change.
    void dragBy(float dx, float dy);
    // Pushes the drag command, closing the path first when its ends meet.
    void commitDrag();
    // Selects the shapes a band in document units touches.
    void selectInBand(const QRectF &band, bool toggle);
    // One double click into a group: a level deeper, or sideways.
    void selectInnerShape(SketchGroup *group, int x, int y);
    void stopTooltip();
    // A widget rectangle in paper units.
    QRectF toDocument(const QRectF &rect) const;
    // What paint() shows besides the read-out: the end a path would close
    // on (null for none) and the rubber band (empty for none).
    SketchPoint *closingEnd(SketchShape **shape) const;
    QRectF shownBand() const;

    bool m_tooltipVisible = false;
    // A left press reached the tool and its release has not: the moves drag.
    bool m_dragging = false;
    // Set while the tool reports its own cancel, so that the reset that
    // follows does not start the abandoned gesture again.
    bool m_cancelling = false;
};

#endif // SKETCHTOOLSELECT_H
