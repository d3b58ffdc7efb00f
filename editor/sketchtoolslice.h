#ifndef SKETCHTOOLSLICE_H
#define SKETCHTOOLSLICE_H

#include "editor/sketchtool.h"

#include <QPoint>
#include <QPointer>

class SketchCommand;
class SketchSlice;

// Draws, selects, moves and resizes the document's hand-drawn slices, and is
// the only painter of slices: its overlay shows every hand-drawn slice and,
// when the view shows them, the automatic slices of the slice grid.
//
// Gestures, all with the left button:
// - on empty paper or on an automatic slice a new slice is drawn; it joins the
//   document at the press as one "addSlice" command and is dragged by its
//   bottom-right corner;
// - on a hand-drawn slice the selected hand-drawn slices move together;
// - on a handle of a selected slice (found while hovering) that slice is
//   resized.
// Every release validates the result (at least 3 x 3 paper pixels, no
// overlap without a shared left or top edge) and snaps edges that end 1 to 7
// pixels from another slice's edge onto it. An invalid new slice is taken
// back with its own command; an invalid move or resize is undone and leaves
// the tool. A move or resize is recorded as one "handleSlice" command.
//
// Positions are in whole paper pixels: drags move by the whole-pixel part of
// each pointer step. Holding the left button still on one slice for the
// view's tooltip interval shows its rectangle.
//
// The slices belong to the document and the commands to the view's command
// manager; the update command of a move or resize in progress is the tool's
// pending command (SketchTool::gesture).
class SketchToolSlice : public SketchTool
{
    Q_OBJECT

public:
    explicit SketchToolSlice(SketchView *view);
    ~SketchToolSlice() override;

    // The slice being drawn; null unless a new slice is being dragged.
    SketchSlice *newSlice() const { return m_newSlice.data(); }
    // The slice whose handle is under the pointer or being dragged.
    SketchSlice *currentSlice() const { return m_currentSlice.data(); }
    // The active handle, 0 top-left clockwise to 7 left-middle; -1 for none,
    // when a drag moves the selected slices.
    int handle() const { return m_handle; }
    bool isLabelShown() const { return m_labelShown; }

    QCursor cursor() const override;
    // Deselects the shapes; slices keep their selection.
    void reset() override;
    void mousePressEvent(QMouseEvent *event) override;
    // Hovering tracks the handle under the pointer; a left drag draws, moves
    // or resizes. True asks for a repaint.
    bool mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    // Reverts the gesture in progress and leaves the tool.
    void cancel() override;
    void paint(QPainter *painter) override;
    // Moves the selected hand-drawn slices by whole paper pixels, without a
    // command, snapping or a grid rebuild: the gesture that calls it records
    // and validates the move.
    bool moveSelection(int dx, int dy) override;

    // Applies a drag step to the active handle's edges, or moves the
    // selection when no handle is active.
    void moveHandle(int dx, int dy);
    // Validates a slice and snaps its edges onto nearby edges of the other
    // hand-drawn slices; false, changing nothing, for an invalid slice.
    bool snapSlice(SketchSlice *slice) const;
    // Makes the slice under a widget point, hand-drawn before automatic, the
    // only selected slice and returns it; null, with nothing selected, when
    // none is there.
    SketchSlice *selectSliceAt(const QPointF &pos);
    // Hover over one selected slice, the pointer (currentPos) being at the
    // paper point: sets the handle and the view's cursor. True when a handle
    // of this slice is under the pointer.
    bool updateHover(SketchSlice *slice, const QPoint &paperPoint);

public slots:
    // The tooltip timer ran out: show the size read-out while the left
    // button is still down.
    void showTooltip();

private:
    // A press started a new slice or a move or resize that the release has
    // yet to settle.
    bool isInGesture() const;
    // Validates the new slice at its release; false when it was taken back.
    bool placeNewSlice();
    // Validates what a move or resize changed.
    bool validateEditedSlices();
    // Takes the new slice back with its "addSlice" command, when that
    // command is still the last one recorded.
    void withdrawNewSlice();
    void stopTooltip();
    QPoint documentPoint(const QPointF &pos) const;

    QPointer<SketchSlice> m_newSlice;
    QPointer<SketchSlice> m_currentSlice;
    // The command that added the new slice; compared, never dereferenced.
    SketchCommand *m_addCommand = nullptr;
    int m_handle = -1;
    bool m_labelShown = false;
};

#endif // SKETCHTOOLSLICE_H
