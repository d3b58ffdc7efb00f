#ifndef SKETCHCOMMANDCHANGEPAPERCOLOR_H
#define SKETCHCOMMANDCHANGEPAPERCOLOR_H

#include "commands/sketchcommand.h"

#include "model/skinbrush.h"

// Makes a change of the paper's fill brush undoable. The old brush is the
// view's when the command is built; a live colour change keeps the pending
// command's new brush up to date.
class SketchCommandChangePaperColor : public SketchCommand
{
public:
    SketchCommandChangePaperColor(SketchView *view, const SkinBrush &brush);

    void execute() override;
    void redo() override;
    void undo() override;

    SkinBrush newBrush() const { return m_newBrush; }
    void setNewBrush(const SkinBrush &brush) { m_newBrush = brush; }

private:
    SkinBrush m_oldBrush;
    SkinBrush m_newBrush;
};

#endif // SKETCHCOMMANDCHANGEPAPERCOLOR_H
