#ifndef DESIGNPANELGESTURE_H
#define DESIGNPANELGESTURE_H

#include <QList>
#include <QMetaObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class SketchCommand;
class SketchCommandManager;
class SketchPendingCommand;
class SketchShape;
class SketchView;

// The command of one design-panel edit in progress (a slider drag, a brush
// being edited), from its first live change until its final value lands on
// the undo stack as one step.
//
// The command belongs to the view and the targets it was begun on, and to
// the view's history as it stood then: it is pushed only onto that view, and
// only while the view, every target and that history are still there. Any
// other step of the panel (another view, another selection, a history that
// moved) finds it stale: it is taken back (its live change undone) and
// deleted, and the step begins anew.
//
// An edit whose command was taken back by something outside the panel (a
// tab switch, a new selection, an undo in the middle of a drag) is
// abandoned: the final step of that same edit, when it comes, records
// nothing, so a drag begun on one view never lands on another.
//
// The view's undo and redo take the command back before they move the
// history; when the view is destroyed the command is deleted without an
// undo (its shapes went with the view) and its edit is abandoned.
//
// Owned: the open command, until pushed (then the view's history owns it)
// or taken back. Not the view, not the targets.
class DesignPanelGesture
{
public:
    using CommandMaker = std::function<SketchCommand *()>;

    DesignPanelGesture();
    // Takes back a command still open.
    ~DesignPanelGesture();

    DesignPanelGesture(const DesignPanelGesture &) = delete;
    DesignPanelGesture &operator=(const DesignPanelGesture &) = delete;

    bool isOpen() const;
    SketchCommand *command() const;
    // Null once the view is gone.
    SketchView *view() const;
    // The text of the edit the open command, or the last abandoned one, is for.
    QString text() const { return m_text; }
    bool isAbandoned() const { return m_abandoned; }

    // Open, on this view and exactly these targets (in this order), with the
    // view's history where it stood at the beginning.
    bool belongsTo(const SketchView *view, const QList<SketchShape *> &targets) const;

    // Makes sure a command of the edit `text` is open on the view and the
    // targets: keeps one that belongs to them, takes back any other and
    // begins the one `make` builds (on the state before the change). False,
    // with nothing open, for the final step of the edit last abandoned; the
    // abandonment is over then.
    bool open(SketchView *view, const QList<SketchShape *> &targets, const QString &text, bool final,
              const CommandMaker &make);
    // The model has left the state the command recorded.
    void markChanged();
    // Pushes the open command onto its own view's history as one step
    // named `text`; false, pushing nothing, when none is open or it is stale.
    bool push(const QString &text);

    // Undoes the live change, when the view and all targets are still there
    // and the history has not moved, and deletes the command.
    void takeBack();
    // Takes the command back unless it belongs to this view and these
    // targets, and marks its edit abandoned.
    void abandonUnless(const SketchView *view, const QList<SketchShape *> &targets);
    // Deletes the command without an undo.
    void drop();

private:
    struct History
    {
        int undoCount = 0;
        int redoCount = 0;
        const SketchCommand *last = nullptr;
        bool operator==(const History &other) const
        {
            return undoCount == other.undoCount && redoCount == other.redoCount && last == other.last;
        }
    };
    static History historyOf(const SketchView *view);
    bool isIntact() const;
    void begin(SketchView *view, const QList<SketchShape *> &targets, const QString &text, SketchCommand *command);
    void close();
    void abandon();

    // Guarded as plain objects: the header needs no view or shape class.
    SketchView *m_viewPointer = nullptr;
    QPointer<QObject> m_view;
    QList<QPointer<QObject>> m_targets;
    History m_history;
    QString m_text;
    bool m_abandoned = false;
    std::unique_ptr<SketchPendingCommand> m_pending;
    QMetaObject::Connection m_historyMoving;
    QMetaObject::Connection m_viewDestroyed;
};

#endif // DESIGNPANELGESTURE_H
