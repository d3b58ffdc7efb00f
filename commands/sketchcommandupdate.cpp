#include "commands/sketchcommandupdate.h"

#include "editor/sketchview.h"
#include "model/sketchshape.h"
#include "model/sketchslice.h"

SketchCommandUpdate::SketchCommandUpdate(SketchView *view, SketchShape *shape)
    : SketchCommand(view)
{
    addShape(shape);
}

SketchCommandUpdate::SketchCommandUpdate(SketchView *view, SketchSlice *slice)
    : SketchCommand(view)
{
    setSliceCommand(true);
    addSlice(slice);
}

SketchCommandUpdate::SketchCommandUpdate(SketchView *view, const QList<SketchShape *> &shapes)
    : SketchCommand(view)
{
    for (SketchShape *shape : shapes)
        addShape(shape);
}

SketchCommandUpdate::SketchCommandUpdate(SketchView *view, const QList<SketchSlice *> &slices)
    : SketchCommand(view)
{
    setSliceCommand(true);
    for (SketchSlice *slice : slices)
        addSlice(slice);
}

SketchCommandUpdate::~SketchCommandUpdate()
{
    qDeleteAll(m_shapesBefore);
    qDeleteAll(m_shapesAfter);
    qDeleteAll(m_slicesBefore);
    qDeleteAll(m_slicesAfter);
}

void SketchCommandUpdate::addShape(SketchShape *shape)
{
    if (!shape)
        return;
    m_shapes.append(shape);
    m_shapesBefore.append(detachedClone(shape, true));
}

void SketchCommandUpdate::addSlice(SketchSlice *slice)
{
    if (!slice)
        return;
    m_slices.append(slice);
    m_slicesBefore.append(slice->clone());
}

void SketchCommandUpdate::execute()
{
    if (isSliceCommand()) {
        qDeleteAll(m_slicesAfter);
        m_slicesAfter.clear();
        for (SketchSlice *slice : qAsConst(m_slices))
            m_slicesAfter.append(slice->clone());
        rebuildSliceGrid(m_slices.value(0));
        return;
    }
    qDeleteAll(m_shapesAfter);
    m_shapesAfter.clear();
    for (SketchShape *shape : qAsConst(m_shapes)) {
        m_shapesAfter.append(detachedClone(shape, true));
        syncCurrentFrame(shape);
    }
}

void SketchCommandUpdate::undo()
{
    if (isSliceCommand())
        restoreSlices(m_slicesBefore);
    else
        restoreShapes(m_shapesBefore);
}

void SketchCommandUpdate::redo()
{
    if (isSliceCommand())
        restoreSlices(m_slicesAfter);
    else
        restoreShapes(m_shapesAfter);
}

void SketchCommandUpdate::restoreShapes(const QList<SketchShape *> &states)
{
    if (view())
        view()->clearSelection();
    const int count = qMin(m_shapes.size(), states.size());
    for (int i = 0; i < count; ++i) {
        SketchShape *shape = m_shapes.at(i);
        if (SketchShape *state = states.at(i))
            state->copyTo(shape, true);
        syncCurrentFrame(shape);
        shape->setActiveHandle(SketchHandleInside);
        shape->setSelected(true);
    }
}

void SketchCommandUpdate::restoreSlices(const QList<SketchSlice *> &states)
{
    const int count = qMin(m_slices.size(), states.size());
    for (int i = 0; i < count; ++i)
        states.at(i)->copyTo(m_slices.at(i));
    rebuildSliceGrid(m_slices.value(0));
}

void SketchCommandUpdate::syncCurrentFrame(SketchShape *shape)
{
    if (!shape)
        return;
    SketchShape *owner = shape->topLevelGroup();
    if (!owner)
        owner = shape;
    owner->syncCurrentFrame();
}

bool SketchCommandUpdate::collectChangedShapes(QList<SketchShape *> *shapes) const
{
    if (!m_slices.isEmpty())
        return false;
    shapes->append(m_shapes);
    return true;
}
