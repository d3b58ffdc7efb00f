#ifndef SKETCHTOOLNONE_H
#define SKETCHTOOLNONE_H

#include "editor/sketchtool.h"

// The tool of type 0: shows the forbidden cursor and does nothing but end
// on Escape.
class SketchToolNone : public SketchTool
{
    Q_OBJECT

public:
    explicit SketchToolNone(SketchView *view);

    QCursor cursor() const override;
};

#endif // SKETCHTOOLNONE_H
