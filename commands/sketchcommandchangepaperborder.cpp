#include "commands/sketchcommandchangepaperborder.h"

#include "editor/sketchview.h"

SketchCommandChangePaperBorder::SketchCommandChangePaperBorder(SketchView *view, const SketchStroke &border)
    : SketchCommand(view)
    , m_oldBorder(view ? view->paperBorder() : SketchStroke())
    , m_newBorder(border)
{
}

void SketchCommandChangePaperBorder::execute()
{
    if (view())
        view()->setPaperBorder(m_newBorder);
}

void SketchCommandChangePaperBorder::redo()
{
    if (view())
        view()->setPaperBorder(m_newBorder);
}

void SketchCommandChangePaperBorder::undo()
{
    if (view())
        view()->setPaperBorder(m_oldBorder);
}
