#ifndef SKETCHPENDINGCOMMAND_H
#define SKETCHPENDINGCOMMAND_H

#include <QString>

#include <memory>

class SketchCommand;
class SketchView;

// The command of a gesture in progress (a tool's drag, a panel's live edit)
// until the gesture ends. The command is built on the "before" state and
// opened at the first real change; the release pushes it onto the view's
// undo stack, which owns it from then on; a cancel, or the destruction of
// the gesture's owner, takes it back: the command is undone, so that the
// change of a gesture that was never recorded does not stay behind, and
// deleted. One command at most is pending at a time.
//
// Owned: the open command, until it is pushed or taken back.
class SketchPendingCommand
{
public:
    explicit SketchPendingCommand(SketchView *view);
    // Takes back a command still open.
    ~SketchPendingCommand();

    SketchPendingCommand(const SketchPendingCommand &) = delete;
    SketchPendingCommand &operator=(const SketchPendingCommand &) = delete;

    bool isOpen() const { return m_command != nullptr; }
    SketchCommand *command() const { return m_command.get(); }

    // Opens the gesture's command; a command still open is taken back
    // first. `changed` says whether the model has already left the state
    // the command recorded; otherwise markChanged() says when it does.
    void begin(SketchCommand *command, bool changed = true);
    // The model has left the recorded state: a take-back must undo.
    void markChanged() { m_changed = true; }
    bool hasChanged() const { return m_changed; }

    // Pushes the open command as one step named `text`; false, pushing
    // nothing, when none is open or the view is gone.
    bool push(const QString &text);
    // Undoes the open command when the model has changed since it was
    // built, then deletes it. Nothing without one.
    void takeBack();
    // Deletes the open command without undoing it: the caller found that
    // nothing is to be recorded or restored.
    void drop();

private:
    SketchView *m_view;
    std::unique_ptr<SketchCommand> m_command;
    bool m_changed = false;
};

#endif // SKETCHPENDINGCOMMAND_H
