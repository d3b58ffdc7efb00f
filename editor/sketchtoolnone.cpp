#include "editor/sketchtoolnone.h"

SketchToolNone::SketchToolNone(SketchView *view)
    : SketchTool(view)
{
}

QCursor SketchToolNone::cursor() const
{
    return QCursor(Qt::ForbiddenCursor);
}
