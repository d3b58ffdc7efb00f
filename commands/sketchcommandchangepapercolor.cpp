#include "commands/sketchcommandchangepapercolor.h"

#include "editor/sketchview.h"

SketchCommandChangePaperColor::SketchCommandChangePaperColor(SketchView *view, const SkinBrush &brush)
    : SketchCommand(view)
    , m_oldBrush(view ? view->paperColor() : SkinBrush())
    , m_newBrush(brush)
{
}

void SketchCommandChangePaperColor::execute()
{
    if (view())
        view()->setPaperColor(m_newBrush);
}

void SketchCommandChangePaperColor::redo()
{
    if (view())
        view()->setPaperColor(m_newBrush);
}

void SketchCommandChangePaperColor::undo()
{
    if (view())
        view()->setPaperColor(m_oldBrush);
}
