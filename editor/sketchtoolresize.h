#ifndef SKETCHTOOLRESIZE_H
#define SKETCHTOOLRESIZE_H

#include "editor/sketchtool.h"

#include <QList>
#include <QRectF>

class SketchCommand;
class SketchCommandGroup;
class SketchCommandResizePaper;
class SketchGroup;

// Stretches the editable selection as one box, or the paper when no shape is
// selected. A dashed frame 10 paper units outside the selection carries
// handles; the right (3), bottom-right (4) and bottom (5) ones can be
// dragged, the corner one keeping the frame's proportions. Each drag is one
// "resizeShapes" or "resizePaper" step; a size read-out follows the pointer.
//
// An activation runs from reset() to the next change of the view's tool.
// reset() binds a selection of several shapes (or one plain shape) into a
// temporary group ("GroupsForResize"), so that they scale about one corner;
// leaving the tool, by any path, dissolves it again ("UnGroupForResize").
// Escape and Undo discard only the drag in progress, then leave the tool.
//
// The command of the drag in progress is the tool's pending command
// (SketchTool::gesture). The group commands belong to the command manager
// once pushed; the tool only remembers them.
class SketchToolResize : public SketchTool
{
    Q_OBJECT

public:
    explicit SketchToolResize(SketchView *view);
    ~SketchToolResize() override;

    QCursor cursor() const override;
    // Starts an activation: groups the selection when it needs a temporary
    // group and frames it.
    void reset() override;
    void mousePressEvent(QMouseEvent *event) override;
    bool mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void cancel() override;
    void paint(QPainter *painter) override;

    // The frame in paper units: the selection's box grown by 10 on every
    // side; empty without a selection.
    QRectF frame() const { return m_frame; }
    // The handle of the drag in progress (3, 4 or 5), -1 for none.
    int activeHandle() const { return m_activeHandle; }
    // The group of this activation; null when it made none or it is gone.
    SketchGroup *temporaryGroup() const;
    // The handle rectangles 0 to 7 in paper units; an empty one is absent.
    QList<QRectF> handleRects() const;

public slots:
    // Runs just before the view changes its tool.
    void viewActionChanging();

private:
    bool isShapeMode() const;
    QRectF frameRect() const;
    void resizeShapes(const QRectF &box, float dw, float dh);
    bool applyDrag(float dw, float dh);
    int handleAt(const QPointF &p) const;
    // handleAt, showing the handle's cursor on the view.
    int hitHandle(const QPointF &p);
    // The drag's command while it resizes the paper; null otherwise.
    SketchCommandResizePaper *paperCommand() const;
    // Pushes "UnGroupForResize" for the temporary group while it is still
    // drawn, and forgets it.
    void dissolveTemporaryGroup();
    // Whether the command is on the undo stack: executed and still alive.
    bool isOnUndoStack(const SketchCommand *command) const;

    int m_activeHandle = -1;
    QRectF m_frame;
    float m_ratio = 0.0f;
    SketchCommandGroup *m_groupCommand = nullptr;
};

#endif // SKETCHTOOLRESIZE_H
