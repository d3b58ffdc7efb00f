#include "commands/sketchcommand.h"

#include "editor/sketchdocumentview.h"
#include "model/sketchdocument.h"
#include "model/sketchglobals.h"
#include "model/sketchshape.h"
#include "model/sketchslice.h"

SketchCommand::SketchCommand(SketchView *view)
    : m_view(view)
    , m_documentView(dynamic_cast<SketchDocumentView *>(view))
{
    ++SketchGlobals::CommandCount;
}

SketchCommand::~SketchCommand()
{
    --SketchGlobals::CommandCount;
}

void SketchCommand::execute()
{
}

void SketchCommand::redo()
{
    execute();
}

void SketchCommand::undo()
{
}

bool SketchCommand::collectChangedShapes(QList<SketchShape *> *shapes) const
{
    Q_UNUSED(shapes)
    return false;
}

SketchDocument *SketchCommand::document() const
{
    return m_documentView ? m_documentView->document() : nullptr;
}

void SketchCommand::rebuildSliceGrid(SketchSlice *anySlice) const
{
    SketchDocument *owner = document();
    if (!owner && anySlice)
        owner = anySlice->document();
    if (owner)
        owner->updateSliceGrid();
}

void SketchCommand::deleteDetachedSlices(const QList<QPointer<SketchSlice>> &slices)
{
    for (SketchSlice *slice : slices) {
        if (!slice)
            continue;
        SketchDocument *owner = slice->document();
        if (!owner || !owner->slices().contains(slice))
            delete slice;
    }
}

SketchShape *SketchCommand::detachedClone(SketchShape *shape, bool withFrames)
{
    SketchShape *clone = shape ? shape->clone(withFrames) : nullptr;
    if (clone)
        clone->setParent(nullptr);
    return clone;
}
