#include "commands/sketchcommandremove.h"

#include "editor/sketchview.h"
#include "model/sketchdocument.h"
#include "model/sketchlayer.h"
#include "model/sketchshape.h"
#include "model/sketchslice.h"

SketchCommandRemove::SketchCommandRemove(SketchView *view, SketchShape *shape)
    : SketchCommandRemove(view, QList<SketchShape *>{shape})
{
}

SketchCommandRemove::SketchCommandRemove(SketchView *view, SketchLayer *layer)
    : SketchCommandRemove(view, QList<SketchLayer *>{layer})
{
}

SketchCommandRemove::SketchCommandRemove(SketchView *view, SketchSlice *slice)
    : SketchCommandRemove(view, QList<SketchSlice *>{slice})
{
}

SketchCommandRemove::SketchCommandRemove(SketchView *view, const QList<SketchShape *> &shapes)
    : SketchCommand(view)
{
    for (SketchShape *shape : shapes) {
        if (shape)
            m_shapes.append(shape);
    }
    for (SketchShape *shape : qAsConst(m_shapes))
        m_shapeClones.append(shape->clone(true));
    for (SketchShape *shape : qAsConst(m_shapes))
        m_indices.append(shape->index());
}

SketchCommandRemove::SketchCommandRemove(SketchView *view, const QList<SketchLayer *> &layers)
    : SketchCommand(view)
{
    setLayerCommand(true);
    for (SketchLayer *layer : layers) {
        if (layer)
            m_layers.append(layer);
    }
    for (SketchLayer *layer : qAsConst(m_layers))
        m_layerClones.append(layer->clone());
    for (SketchLayer *layer : qAsConst(m_layers))
        m_indices.append(layer->index());
}

SketchCommandRemove::SketchCommandRemove(SketchView *view, const QList<SketchSlice *> &slices)
    : SketchCommand(view)
{
    setSliceCommand(true);
    for (SketchSlice *slice : slices) {
        if (slice)
            m_slices.append(slice);
    }
    for (SketchSlice *slice : qAsConst(m_slices))
        m_sliceClones.append(slice->clone());
    for (SketchSlice *slice : qAsConst(m_slices)) {
        SketchDocument *owner = slice->document();
        m_indices.append(owner ? owner->slices().indexOf(slice) : -1);
    }
}

SketchCommandRemove::~SketchCommandRemove()
{
    for (const QPointer<SketchLayer> &clone : qAsConst(m_layerClones))
        delete clone.data();
    for (const QPointer<SketchShape> &clone : qAsConst(m_shapeClones))
        delete clone.data();
    qDeleteAll(m_sliceClones);
    if (m_executed)
        deleteDetachedSlices(m_slices);
}

void SketchCommandRemove::execute()
{
    m_executed = true;
    if (isLayerCommand()) {
        for (SketchLayer *layer : qAsConst(m_layers)) {
            if (SketchDocument *owner = layer->document())
                owner->layers().removeOne(layer);
        }
    } else if (isSliceCommand()) {
        for (SketchSlice *slice : qAsConst(m_slices)) {
            if (slice && slice->document())
                slice->document()->slices().removeOne(slice);
        }
        rebuildSliceGrid(m_slices.value(0));
    } else {
        removeShapes();
    }
}

void SketchCommandRemove::removeShapes()
{
    const bool firstRun = m_activeHandles.isEmpty();
    for (int i = 0; i < m_shapes.size(); ++i) {
        SketchShape *shape = m_shapes.at(i);
        // Undo leaves whole-shape handle 2; without this a redo of a point
        // removal would take the whole shape out.
        if (firstRun)
            m_activeHandles.append(shape->activeHandle());
        else
            shape->setActiveHandle(m_activeHandles.at(i));
        shape->removeActive();
    }
}

void SketchCommandRemove::undo()
{
    m_executed = false;
    if (isLayerCommand())
        restoreLayers();
    else if (isSliceCommand())
        restoreSlices();
    else
        restoreShapes();
}

template<typename T>
void SketchCommandRemove::putBack(QList<T *> &list, T *object, int index)
{
    if (!list.isEmpty() && index >= 0 && index < list.size())
        list.insert(index, object);
    else
        list.append(object);
}

void SketchCommandRemove::restoreLayers()
{
    for (int i = 0; i < m_layers.size(); ++i) {
        SketchLayer *layer = m_layers.at(i);
        SketchDocument *owner = layer->document();
        if (!owner)
            continue;
        if (owner->layers().contains(layer)) {
            if (SketchLayer *clone = m_layerClones.at(i))
                clone->copyTo(layer);
        } else {
            putBack(owner->layers(), layer, m_indices.at(i));
        }
    }
}

void SketchCommandRemove::restoreSlices()
{
    for (int i = 0; i < m_slices.size(); ++i) {
        SketchSlice *slice = m_slices.at(i);
        if (!slice || !slice->document())
            continue;
        QList<SketchSlice *> &list = slice->document()->slices();
        if (list.contains(slice))
            m_sliceClones.at(i)->copyTo(slice);
        else
            putBack(list, slice, m_indices.at(i));
    }
    rebuildSliceGrid(m_slices.value(0));
}

void SketchCommandRemove::restoreShapes()
{
    if (view())
        view()->clearSelection();
    for (int i = 0; i < m_shapes.size(); ++i) {
        SketchShape *shape = m_shapes.at(i);
        if (SketchLayer *layer = shape->layer()) {
            QList<SketchShape *> &list = layer->shapes();
            if (list.contains(shape)) {
                if (SketchShape *clone = m_shapeClones.at(i))
                    clone->copyTo(shape, true);
            } else {
                putBack(list, shape, m_indices.at(i));
            }
        }
        shape->setActiveHandle(2);
        shape->setSelected(true);
    }
}
