#include "commands/sketchpendingcommand.h"

#include "commands/sketchcommand.h"
#include "commands/sketchcommandmanager.h"
#include "editor/sketchview.h"

SketchPendingCommand::SketchPendingCommand(SketchView *view)
    : m_view(view)
{
}

SketchPendingCommand::~SketchPendingCommand()
{
    takeBack();
}

void SketchPendingCommand::begin(SketchCommand *command, bool changed)
{
    takeBack();
    m_command.reset(command);
    m_changed = changed;
}

bool SketchPendingCommand::push(const QString &text)
{
    if (!m_command || !m_view)
        return false;
    SketchCommand *command = m_command.release();
    m_changed = false;
    m_view->commandManager()->push(command, text);
    return true;
}

void SketchPendingCommand::takeBack()
{
    // Taken out first: undoing may notify the view, which may ask again.
    std::unique_ptr<SketchCommand> command = std::move(m_command);
    const bool changed = m_changed;
    m_changed = false;
    if (command && changed)
        command->undo();
}

void SketchPendingCommand::drop()
{
    m_command.reset();
    m_changed = false;
}
