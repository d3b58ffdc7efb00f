#ifndef SKETCHCOMMANDMANAGER_H
#define SKETCHCOMMANDMANAGER_H

#include <QObject>
#include <QString>
#include <QVector>

class SketchCommand;
class SketchDocumentView;
class SketchView;

// The undo and redo stacks of one view. Commands enter only through push,
// which executes them; undo and redo move them between the stacks and tell
// the view what happened. The manager owns every command on either stack.
//
// A push discards the redo stack: every stored command assumes the model is
// as its own execute or undo left it, so commands are undone and redone only
// in strict reverse order of their execution.
class SketchCommandManager : private QObject
{
public:
    explicit SketchCommandManager(SketchView *view);
    ~SketchCommandManager() override;

    SketchView *view() const { return m_view; }
    // The view as a document view; null for other pages. Asked each time: the
    // manager is made while its view is still being constructed.
    SketchDocumentView *documentView() const;

    // Names the command, executes it, takes it over onto the undo stack and
    // notifies the view; the redo stack is deleted. A null command is ignored.
    void push(SketchCommand *command, const QString &text);
    // Both first let the view take back a gesture in progress
    // (SketchView::takeBackGesture), which may cancel a tool instead.
    void undo();
    void redo();
    // Deletes every command of both stacks, after letting the view take
    // back a gesture in progress; does not mark the view modified.
    void clear();

    // Takes back a command that its caller pushed itself, when it is still
    // the top of the undo stack: removes it, undoes and deletes it, without
    // notifying the view. Returns false, and changes nothing, for any other
    // command, so a tool can never withdraw someone else's edit.
    bool withdrawCommand(SketchCommand *command);

    // While disabled, undo, redo and clear do nothing; push still works.
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled) { m_enabled = enabled; }

    int undoCount() const { return m_undoStack.size(); }
    int redoCount() const { return m_redoStack.size(); }
    // Oldest first; the last entry is the next one to undo or redo.
    const QVector<SketchCommand *> &undoStack() const { return m_undoStack; }
    const QVector<SketchCommand *> &redoStack() const { return m_redoStack; }

    // The command last pushed, undone or redone; null when it has left both
    // stacks (withdrawn, discarded or cleared).
    SketchCommand *lastCommand() const { return m_lastCommand; }

private:
    void hideTextEditor();
    void deleteAll(QVector<SketchCommand *> &stack);

    SketchView *m_view;
    bool m_enabled = true;
    QVector<SketchCommand *> m_undoStack;
    QVector<SketchCommand *> m_redoStack;
    SketchCommand *m_lastCommand = nullptr;
};

#endif // SKETCHCOMMANDMANAGER_H
