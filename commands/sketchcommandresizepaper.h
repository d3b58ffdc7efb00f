#ifndef SKETCHCOMMANDRESIZEPAPER_H
#define SKETCHCOMMANDRESIZEPAPER_H

#include "commands/sketchcommand.h"

#include <QSize>

// Makes a paper size change undoable. The old size is the view's paper size
// when the command is built, so a caller that resizes the paper live (the
// resize tool) builds the command before its first change and keeps the new
// size in step. Every application of a size rebuilds the slice grid, whose
// edges end at the paper's.
class SketchCommandResizePaper : public SketchCommand
{
public:
    SketchCommandResizePaper(SketchView *view, int width, int height);

    void execute() override;
    void undo() override;

    QSize newSize() const { return m_newSize; }
    void setNewSize(int width, int height);

private:
    void apply(const QSize &size);

    QSize m_oldSize;
    QSize m_newSize;
};

#endif // SKETCHCOMMANDRESIZEPAPER_H
