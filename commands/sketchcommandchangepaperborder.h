#ifndef SKETCHCOMMANDCHANGEPAPERBORDER_H
#define SKETCHCOMMANDCHANGEPAPERBORDER_H

#include "commands/sketchcommand.h"

#include "model/sketchstroke.h"

// Makes a change of the paper's border stroke undoable. The old border is the
// view's when the command is built.
class SketchCommandChangePaperBorder : public SketchCommand
{
public:
    SketchCommandChangePaperBorder(SketchView *view, const SketchStroke &border);

    void execute() override;
    void redo() override;
    void undo() override;

    SketchStroke newBorder() const { return m_newBorder; }
    void setNewBorder(const SketchStroke &border) { m_newBorder = border; }

private:
    SketchStroke m_oldBorder;
    SketchStroke m_newBorder;
};

#endif // SKETCHCOMMANDCHANGEPAPERBORDER_H
