#ifndef SKETCHTOOLFRAME_H
#define SKETCHTOOLFRAME_H

#include "editor/sketchtool.h"

#include <QList>
#include <QPointer>

class SketchShape;

// Drops the selected shapes onto a target shape as new frames of it. A left
// press that leaves at least one selected, unlocked shape starts a drag; the
// unselected shape under the pointer becomes the target and is framed in
// red (the selection itself does not move); a locked shape, or one on a
// locked layer, is never a target. At the release every editable
// selected shape of the target's kind (basic shapes onto a basic shape,
// groups onto a group) is copied to the end of the target's frame list and
// taken out of its layer, as one "addFrame" step; a target that had no
// frames first gets its own look as frame 0. When no selected shape fits, a
// warning says so and nothing changes.
//
// Outside its drag the tool is the select tool: presses, plain moves,
// releases, double clicks, the overlay and Escape go to the view's select
// tool as well, so a click selects as usual. The arrow keys do nothing.
//
// The target is a reference into the document; the tool owns nothing.
class SketchToolFrame : public SketchTool
{
    Q_OBJECT

public:
    explicit SketchToolFrame(SketchView *view);

    QCursor cursor() const override;
    void mousePressEvent(QMouseEvent *event) override;
    bool mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    // Leaves the tool and cancels the select tool's own gesture.
    void cancel() override;
    // The select tool's overlay, then the red frame around the target.
    void paint(QPainter *painter) override;

    // A drag of the selection is under way.
    bool isDragging() const { return m_dragging; }
    // The shape that would receive the frames; null when none (or once it
    // is destroyed).
    SketchShape *target() const { return m_target; }

private:
    SketchTool *selectTool() const;
    void setViewCursor(const QCursor &cursor);
    // Copies the candidates into the target's frames and takes them out of
    // their layers as one command.
    void addFrames(SketchShape *target, const QList<SketchShape *> &candidates);
    // A copy of the shape fit to be a frame: unselected, no active handle,
    // its bounding box starting at the origin. Owned by the caller.
    static SketchShape *frameCopy(SketchShape *shape);
    // A locked shape, or one on a hidden or locked layer, takes no frames.
    static bool acceptsFrames(const SketchShape *shape);

    QPointer<SketchShape> m_target;
    bool m_dragging = false;
};

#endif // SKETCHTOOLFRAME_H
