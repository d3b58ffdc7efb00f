#ifndef SKETCHCOMMANDUPDATE_H
#define SKETCHCOMMANDUPDATE_H

#include "commands/sketchcommand.h"

#include <QList>

class SketchShape;
class SketchSlice;

// Makes any change of existing shapes or slices undoable from copies of their
// state. The caller builds the command on the targets (which clones their
// "before" state), changes the targets, then pushes the command, whose
// execute clones the "after" state. A command holds shapes or slices, never
// both; the slice flag says which.
//
// The command owns its clones (they have no parent) and frees them; the
// targets stay the model's.
class SketchCommandUpdate : public SketchCommand
{
public:
    SketchCommandUpdate(SketchView *view, SketchShape *shape);
    SketchCommandUpdate(SketchView *view, SketchSlice *slice);
    SketchCommandUpdate(SketchView *view, const QList<SketchShape *> &shapes);
    SketchCommandUpdate(SketchView *view, const QList<SketchSlice *> &slices);
    ~SketchCommandUpdate() override;

    // Records the "after" state; changes no selection.
    void execute() override;
    // Restore the "before" or "after" state; for shapes the restored targets
    // end up exactly the selection, with active handle 2.
    void undo() override;
    void redo() override;
    // Its shapes, when it holds shapes.
    bool collectChangedShapes(QList<SketchShape *> *shapes) const override;

    QList<SketchShape *> &shapes() { return m_shapes; }
    int shapeCount() const { return m_shapes.size(); }
    int sliceCount() const { return m_slices.size(); }

    // Copies the outermost shape that holds this one into that shape's current
    // frame, moved so that the frame's bounding rectangle starts at (0, 0).
    static void syncCurrentFrame(SketchShape *shape);

private:
    void addShape(SketchShape *shape);
    void addSlice(SketchSlice *slice);
    void restoreShapes(const QList<SketchShape *> &states);
    void restoreSlices(const QList<SketchSlice *> &states);

    QList<SketchShape *> m_shapes;
    QList<SketchShape *> m_shapesBefore;
    QList<SketchShape *> m_shapesAfter;
    QList<SketchSlice *> m_slices;
    QList<SketchSlice *> m_slicesBefore;
    QList<SketchSlice *> m_slicesAfter;
};

#endif // SKETCHCOMMANDUPDATE_H
