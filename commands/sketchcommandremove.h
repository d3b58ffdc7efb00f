#ifndef SKETCHCOMMANDREMOVE_H
#define SKETCHCOMMANDREMOVE_H

#include "commands/sketchcommand.h"

#include <QList>
#include <QPointer>

class SketchLayer;
class SketchShape;
class SketchSlice;

// Takes shapes (or a shape's active point), layers or slices out of the model
// and puts them back on undo at the positions they had. The constructor
// records a clone and the list position of each object before anything is
// removed; undo puts them back lowest position first, so each list comes
// back in exactly its former order, in whatever order the objects were
// given.
//
// A shape whose active handle names a point loses only that point; redo
// removes the same point again. The command owns its clones (they have no
// parent), and, while executed, the objects it took out of their lists,
// which it frees when it is discarded in that state (see SketchListEdit).
class SketchCommandRemove : public SketchCommand
{
public:
    SketchCommandRemove(SketchView *view, SketchShape *shape);
    SketchCommandRemove(SketchView *view, SketchLayer *layer);
    SketchCommandRemove(SketchView *view, SketchSlice *slice);
    SketchCommandRemove(SketchView *view, const QList<SketchShape *> &shapes);
    SketchCommandRemove(SketchView *view, const QList<SketchLayer *> &layers);
    SketchCommandRemove(SketchView *view, const QList<SketchSlice *> &slices);
    ~SketchCommandRemove() override;

    void execute() override;
    void undo() override;
    // Its shapes, when it removes shapes.
    bool collectChangedShapes(QList<SketchShape *> *shapes) const override;

    int layerCount() const { return m_layers.size(); }
    int shapeCount() const { return m_shapes.size(); }
    int sliceCount() const { return m_slices.size(); }

private:
    void removeShapes();
    void restoreLayers();
    void restoreShapes();
    void restoreSlices();

    QList<SketchLayer *> m_layers;
    QList<SketchLayer *> m_layerClones;
    QList<SketchShape *> m_shapes;
    QList<SketchShape *> m_shapeClones;
    QList<QPointer<SketchSlice>> m_slices;
    QList<SketchSlice *> m_sliceClones;
    QList<int> m_indices;
    // The active handle of each shape at the first execute: it names the
    // point that a redo removes again.
    QList<int> m_activeHandles;
    // Per shape, by the last execute: it left its layer's list (rather than
    // losing a point), so it is this command's while executed.
    QList<bool> m_taken;
    bool m_executed = false;
};

#endif // SKETCHCOMMANDREMOVE_H
