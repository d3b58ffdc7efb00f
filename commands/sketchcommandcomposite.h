#ifndef SKETCHCOMMANDCOMPOSITE_H
#define SKETCHCOMMANDCOMPOSITE_H

#include "commands/sketchcommand.h"

#include <QList>

// Several commands made one undo step. Execute, redo and undo each run the
// children first to last, in the order given (undo is not reversed).
class SketchCommandComposite : public SketchCommand
{
public:
    // Takes over the commands; is a layer command when any of them is one.
    SketchCommandComposite(SketchView *view, const QList<SketchCommand *> &commands);
    ~SketchCommandComposite() override;

    void execute() override;
    void redo() override;
    void undo() override;
    // Those of every command, when each of them can tell.
    bool collectChangedShapes(QList<SketchShape *> *shapes) const override;

    const QList<SketchCommand *> &commands() const { return m_commands; }

private:
    QList<SketchCommand *> m_commands;
};

#endif // SKETCHCOMMANDCOMPOSITE_H
