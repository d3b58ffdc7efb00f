#include "commands/sketchcommandresizepaper.h"

#include "editor/sketchview.h"
#include "model/sketchdocument.h"

SketchCommandResizePaper::SketchCommandResizePaper(SketchView *view, int width, int height)
    : SketchCommand(view)
    , m_oldSize(view ? view->paperSize() : QSize())
    , m_newSize(width, height)
{
}

void SketchCommandResizePaper::execute()
{
    apply(m_newSize);
}

void SketchCommandResizePaper::undo()
{
    apply(m_oldSize);
}

void SketchCommandResizePaper::setNewSize(int width, int height)
{
    m_newSize = QSize(width, height);
}

void SketchCommandResizePaper::apply(const QSize &size)
{
    if (!view())
        return;
    view()->setPaperSize(size);
    if (SketchDocument *owner = document())
        owner->updateSliceGrid();
}
