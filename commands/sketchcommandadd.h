#ifndef SKETCHCOMMANDADD_H
#define SKETCHCOMMANDADD_H

#include "commands/sketchcommand.h"

#include <QList>
#include <QPointer>

class SketchLayer;
class SketchShape;
class SketchSlice;

// Puts objects that the caller created into the model: shapes on top of the
// first shape's layer, layers at the end of the document's layer list, or
// slices at the end of the document's slice list. Undo takes them out again;
// redo (execute again) puts them back. An empty list does nothing.
//
// Executed, the objects belong to their lists' owners; undone, they are out
// of every list and belong to the command, which frees them when it is
// discarded in that state (see SketchListEdit).
class SketchCommandAdd : public SketchCommand
{
public:
    SketchCommandAdd(SketchView *view, SketchShape *shape);
    SketchCommandAdd(SketchView *view, SketchLayer *layer);
    SketchCommandAdd(SketchView *view, SketchSlice *slice);
    SketchCommandAdd(SketchView *view, const QList<SketchShape *> &shapes);
    SketchCommandAdd(SketchView *view, const QList<SketchLayer *> &layers);
    SketchCommandAdd(SketchView *view, const QList<SketchSlice *> &slices);
    ~SketchCommandAdd() override;

    void execute() override;
    void undo() override;
    // Its shapes, when it adds shapes.
    bool collectChangedShapes(QList<SketchShape *> *shapes) const override;

    int layerCount() const { return m_layers.size(); }
    int shapeCount() const { return m_shapes.size(); }
    int sliceCount() const { return m_slices.size(); }

private:
    void addLayers();
    void addShapes();
    void addSlices();

    QList<SketchLayer *> m_layers;
    QList<SketchShape *> m_shapes;
    QList<QPointer<SketchSlice>> m_slices;
    bool m_undone = false;
};

#endif // SKETCHCOMMANDADD_H
