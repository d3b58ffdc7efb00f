#ifndef SKETCHCOMMANDPLACE_H
#define SKETCHCOMMANDPLACE_H

#include "commands/sketchcommand.h"

#include <QList>

class SketchDocumentView;
class SketchLayer;
class SketchShape;

// How a placement changes the stacking order. Lists run bottom first, so the
// front is the end of a list.
enum SketchPlaceKind : int
{
    SketchPlaceToFront = 0,
    SketchPlaceToBack = 1,
    SketchPlaceForward = 2,    // one step towards the front
    SketchPlaceBackward = 3,   // one step towards the back
    SketchPlaceMoveLayer = 4   // one layer from one index to another
};

// Changes the stacking order undoably: shapes inside their layer's shape list
// (all of one layer: the first shape's), or layers inside the document's
// layer list. Kinds 0 to 3 move the command's objects as a block: they keep
// their order among themselves, and a step that would leave the list (forward
// from the top, backward from the bottom) is not made. Kind 4 moves one layer
// of the document from one index to another and needs both indices in range;
// otherwise it does nothing.
//
// Undo puts the moved objects back at the indices they had at construction
// and redo at the indices execute gave them; the objects in between keep
// their order, so both restore their state exactly. Selection flags are not
// touched. The command owns none of the objects.
class SketchCommandPlace : public SketchCommand
{
public:
    // Shape placements of kinds 0 to 3. Null shapes, repeats, and shapes that
    // are not in the first shape's layer list are left out.
    SketchCommandPlace(SketchDocumentView *view, const QList<SketchShape *> &shapes, int kind);
    SketchCommandPlace(SketchDocumentView *view, SketchShape *shape, int kind);
    // A layer move (kind 4): the layer at fromIndex goes to toIndex.
    SketchCommandPlace(SketchDocumentView *view, int fromIndex, int toIndex);
    // Layer placements of kinds 0 to 3. Null layers, repeats, and layers that
    // are not in the document's layer list are left out.
    SketchCommandPlace(SketchDocumentView *view, const QList<SketchLayer *> &layers, int kind);
    SketchCommandPlace(SketchDocumentView *view, SketchLayer *layer, int kind);
    ~SketchCommandPlace() override;

    void execute() override;
    void redo() override;
    void undo() override;
    // The shapes of a shape placement: only where they lie does the order
    // show.
    bool collectChangedShapes(QList<SketchShape *> *shapes) const override;

    // A SketchPlaceKind value.
    int kind() const { return m_kind; }
    int layerCount() const { return m_layers.size(); }
    int shapeCount() const { return m_shapes.size(); }
    // The indices of a layer move; -1 for the other kinds.
    int fromIndex() const { return m_fromIndex; }
    int toIndex() const { return m_toIndex; }

private:
    QList<SketchShape *> *shapeList() const;
    QList<SketchLayer *> *layerList() const;
    void moveLayer();
    void unmoveLayer();

    int m_kind;
    QList<SketchLayer *> m_layers;
    QList<SketchShape *> m_shapes;
    QList<int> m_oldIndices;
    QList<int> m_newIndices;
    int m_fromIndex = -1;
    int m_toIndex = -1;
    // The layer that execute moved (kind 4); null when the move was refused.
    SketchLayer *m_movedLayer = nullptr;
};

#endif // SKETCHCOMMANDPLACE_H
