#include "commands/sketchcommandremove.h"

#include "commands/sketchlistedit.h"
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
        m_shapeClones.append(detachedClone(shape, true));
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
    for (SketchLayer *layer : qAsConst(m_layers)) {
        SketchLayer *clone = layer->clone();
        clone->setParent(nullptr);
        m_layerClones.append(clone);
    }
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
    qDeleteAll(m_layerClones);
    qDeleteAll(m_shapeClones);
    qDeleteAll(m_sliceClones);
    if (!m_executed)
        return;
    // Executed, what left its list is this command's (a shape that lost only
    // a point stayed in its list).
    for (int i = 0; i < m_shapes.size(); ++i) {
        if (m_taken.value(i))
            delete m_shapes.at(i);
    }
    for (SketchLayer *layer : qAsConst(m_layers)) {
        if (!layer->parent())
            delete layer;
    }
    deleteDetachedSlices(m_slices);
}

void SketchCommandRemove::execute()
{
    m_executed = true;
    if (isLayerCommand()) {
        for (SketchLayer *layer : qAsConst(m_layers)) {
            if (SketchDocument *owner = layer->document())
                SketchListEdit::takeOut(owner->layers(), layer);
        }
    } else if (isSliceCommand()) {
        for (SketchSlice *slice : qAsConst(m_slices)) {
            if (slice && slice->document())
                SketchListEdit::takeOut(slice->document()->slices(), slice);
        }
        rebuildSliceGrid(m_slices.value(0));
    } else {
        removeShapes();
    }
}

void SketchCommandRemove::removeShapes()
{
    const bool firstRun = m_activeHandles.isEmpty();
    m_taken.clear();
    for (int i = 0; i < m_shapes.size(); ++i) {
        SketchShape *shape = m_shapes.at(i);
        // Undo leaves whole-shape handle 2; without this a redo of a point
        // removal would take the whole shape out.
        if (firstRun)
            m_activeHandles.append(shape->activeHandle());
        else
            shape->setActiveHandle(m_activeHandles.at(i));
        const bool listed = shape->index() >= 0;
        shape->removeActive();
        // Out of its list, the shape is this command's.
        const bool taken = listed && shape->index() < 0;
        if (taken)
            shape->setParent(nullptr);
        m_taken.append(taken);
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

void SketchCommandRemove::restoreLayers()
{
    QList<std::pair<SketchLayer *, int>> entries;
    for (int i = 0; i < m_layers.size(); ++i) {
        SketchLayer *layer = m_layers.at(i);
        SketchDocument *owner = layer->document();
        if (owner && owner->layers().contains(layer))
            m_layerClones.at(i)->copyTo(layer);
        else if (owner)
            entries.append({layer, m_indices.at(i)});
    }
    for (const auto &entry : SketchListEdit::lowestIndexFirst(entries)) {
        SketchDocument *owner = entry.first->document();
        SketchListEdit::putBack(owner->layers(), entry.first, entry.second, owner);
    }
}

void SketchCommandRemove::restoreSlices()
{
    QList<std::pair<SketchSlice *, int>> entries;
    for (int i = 0; i < m_slices.size(); ++i) {
        SketchSlice *slice = m_slices.at(i);
        if (!slice || !slice->document())
            continue;
        if (slice->document()->slices().contains(slice))
            m_sliceClones.at(i)->copyTo(slice);
        else
            entries.append({slice, m_indices.at(i)});
    }
    for (const auto &entry : SketchListEdit::lowestIndexFirst(entries))
        SketchListEdit::putBack(entry.first->document()->slices(), entry.first, entry.second, nullptr);
    rebuildSliceGrid(m_slices.value(0));
}

void SketchCommandRemove::restoreShapes()
{
    if (view())
        view()->clearSelection();
    QList<std::pair<SketchShape *, int>> entries;
    for (int i = 0; i < m_shapes.size(); ++i) {
        SketchShape *shape = m_shapes.at(i);
        SketchLayer *layer = shape->layer();
        if (layer && layer->shapes().contains(shape)) {
            if (SketchShape *clone = m_shapeClones.at(i))
                clone->copyTo(shape, true);
        } else if (layer) {
            entries.append({shape, m_indices.at(i)});
        }
        shape->setActiveHandle(SketchHandleInside);
        shape->setSelected(true);
    }
    for (const auto &entry : SketchListEdit::lowestIndexFirst(entries)) {
        SketchLayer *layer = entry.first->layer();
        SketchListEdit::putBack(layer->shapes(), entry.first, entry.second, layer);
    }
}

bool SketchCommandRemove::collectChangedShapes(QList<SketchShape *> *shapes) const
{
    if (!m_layers.isEmpty() || !m_slices.isEmpty())
        return false;
    shapes->append(m_shapes);
    return true;
}
