#include "commands/sketchcommandcomposite.h"

SketchCommandComposite::SketchCommandComposite(SketchView *view, const QList<SketchCommand *> &commands)
    : SketchCommand(view)
    , m_commands(commands)
{
    for (SketchCommand *command : commands) {
        if (command && command->isLayerCommand())
            setLayerCommand(true);
    }
}

SketchCommandComposite::~SketchCommandComposite()
{
    qDeleteAll(m_commands);
}

void SketchCommandComposite::execute()
{
    for (SketchCommand *command : qAsConst(m_commands)) {
        if (command)
            command->execute();
    }
}

void SketchCommandComposite::redo()
{
    for (SketchCommand *command : qAsConst(m_commands)) {
        if (command)
            command->redo();
    }
}

void SketchCommandComposite::undo()
{
    for (SketchCommand *command : qAsConst(m_commands)) {
        if (command)
            command->undo();
    }
}

bool SketchCommandComposite::collectChangedShapes(QList<SketchShape *> *shapes) const
{
    for (const SketchCommand *command : m_commands) {
        if (!command->collectChangedShapes(shapes))
            return false;
    }
    return true;
}
