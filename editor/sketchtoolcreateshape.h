#ifndef SKETCHTOOLCREATESHAPE_H
#define SKETCHTOOLCREATESHAPE_H

#include "editor/sketchtool.h"

#include <QPointer>

class SketchCommand;
class SketchShape;

// The common part of the one-shot tools that draw a closed, white-filled
// shape: a left press creates the shape at the pointer and records it at once
// as one add command; moving lays the shape out between the press point (the
// anchor) and the pointer; a release away from the anchor finishes it,
// selected with active handle 1, and the view returns to the select tool. A
// release on the anchor keeps the creation going without a button held
// (click mode) until the next release elsewhere.
//
// Cancelling takes the shape back out together with its add command, but
// only while that command is still the top of the undo stack: when other
// edits have been recorded since, the creation is finished as it stands, so
// no other edit is ever undone by it.
//
// The shape belongs to its layer and to the add command, never to the tool.
class SketchToolCreateShape : public SketchTool
{
    Q_OBJECT

public:
    explicit SketchToolCreateShape(SketchView *view);

    // The shape being created; null while idle.
    SketchShape *newShape() const { return m_newShape.data(); }

    void mousePressEvent(QMouseEvent *event) override;
    // True while a shape is being created.
    bool mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void cancel() override;
    // The size read-out under the new shape while the left button is down.
    void paint(QPainter *painter) override;

protected:
    // The text of the add command.
    virtual QString commandText() const = 0;
    // Gives the new shape its kind and its points, all at the anchor, in
    // the shape's own coordinates.
    virtual void setUpShape(SketchShape *shape, const QPointF &anchor) const = 0;
    // Lays the points out for the pointer at p (shape coordinates); point 0,
    // the anchor, stays.
    virtual void layOut(SketchShape *shape, const QPointF &p, Qt::KeyboardModifiers modifiers) const = 0;

    // The box layout of rectangles and ellipses: anchor, the corner on the
    // anchor's horizontal edge, the dragged corner, the corner on its vertical
    // edge; square makes the box a square of the smaller side.
    static void layOutBox(SketchShape *shape, const QPointF &p, bool square);

private:
    // Leaves the shape in the document as it is and reports the tool done.
    void finish();
    // The creation still lives: the shape exists and is in its layer (its
    // add command has not been undone).
    bool isCreating() const;

    QPointer<SketchShape> m_newShape;
    // The command that added the shape; compared, never dereferenced.
    SketchCommand *m_addCommand = nullptr;
};

#endif // SKETCHTOOLCREATESHAPE_H
