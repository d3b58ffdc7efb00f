#include "commands/sketchcommandadd.h"

#include "commands/sketchlistedit.h"
#include "editor/sketchview.h"
#include "model/sketchdocument.h"
#include "model/sketchlayer.h"
#include "model/sketchshape.h"
#include "model/sketchslice.h"

SketchCommandAdd::SketchCommandAdd(SketchView *view, SketchShape *shape)
    : SketchCommandAdd(view, QList<SketchShape *>{shape})
{
}

SketchCommandAdd::SketchCommandAdd(SketchView *view, SketchLayer *layer)
    : SketchCommandAdd(view, QList<SketchLayer *>{layer})
{
}

SketchCommandAdd::SketchCommandAdd(SketchView *view, SketchSlice *slice)
    : SketchCommandAdd(view, QList<SketchSlice *>{slice})
{
}

SketchCommandAdd::SketchCommandAdd(SketchView *view, const QList<SketchShape *> &shapes)
    : SketchCommand(view)
{
    for (SketchShape *shape : shapes) {
        if (shape)
            m_shapes.append(shape);
    }
}

SketchCommandAdd::SketchCommandAdd(SketchView *view, const QList<SketchLayer *> &layers)
    : SketchCommand(view)
{
    setLayerCommand(true);
    for (SketchLayer *layer : layers) {
        if (layer)
            m_layers.append(layer);
    }
}

SketchCommandAdd::SketchCommandAdd(SketchView *view, const QList<SketchSlice *> &slices)
    : SketchCommand(view)
{
    setSliceCommand(true);
    for (SketchSlice *slice : slices) {
        if (slice)
            m_slices.append(slice);
    }
}

SketchCommandAdd::~SketchCommandAdd()
{
    if (!m_undone)
        return;
    // Undone, the objects are out of every list and this command's.
    qDeleteAll(m_shapes);
    qDeleteAll(m_layers);
    deleteDetachedSlices(m_slices);
}

void SketchCommandAdd::execute()
{
    m_undone = false;
    if (isLayerCommand())
        addLayers();
    else if (isSliceCommand())
        addSlices();
    else
        addShapes();
}

void SketchCommandAdd::addLayers()
{
    for (SketchLayer *layer : qAsConst(m_layers)) {
        if (SketchDocument *owner = layer->document())
            SketchListEdit::putBack(owner->layers(), layer, -1, owner);
    }
}

void SketchCommandAdd::addSlices()
{
    if (m_slices.isEmpty())
        return;
    for (SketchSlice *slice : qAsConst(m_slices)) {
        if (slice && slice->document())
            slice->document()->slices().append(slice);
    }
    rebuildSliceGrid(m_slices.value(0));
}

void SketchCommandAdd::addShapes()
{
    if (m_shapes.isEmpty())
        return;
    if (view())
        view()->clearSelection();
    SketchLayer *target = m_shapes.first()->layer();
    for (SketchShape *shape : qAsConst(m_shapes)) {
        if (target) {
            SketchListEdit::putBack(target->shapes(), shape, -1, target);
            shape->setLayer(target);
        }
        shape->setActiveHandle(SketchHandleInside);
        shape->setSelected(true);
    }
}

void SketchCommandAdd::undo()
{
    m_undone = true;
    if (isLayerCommand()) {
        for (SketchLayer *layer : qAsConst(m_layers)) {
            if (SketchDocument *owner = layer->document())
                SketchListEdit::takeOut(owner->layers(), layer);
        }
    } else if (isSliceCommand()) {
        if (m_slices.isEmpty())
            return;
        for (SketchSlice *slice : qAsConst(m_slices)) {
            if (slice && slice->document())
                slice->document()->slices().removeOne(slice);
        }
        rebuildSliceGrid(m_slices.value(0));
    } else {
        if (m_shapes.isEmpty())
            return;
        if (view())
            view()->clearSelection();
        for (SketchShape *shape : qAsConst(m_shapes)) {
            if (SketchLayer *layer = shape->layer())
                SketchListEdit::takeOut(layer->shapes(), shape);
        }
    }
}

bool SketchCommandAdd::collectChangedShapes(QList<SketchShape *> *shapes) const
{
    if (!m_layers.isEmpty() || !m_slices.isEmpty())
        return false;
    shapes->append(m_shapes);
    return true;
}
