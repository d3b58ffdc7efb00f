#include "app/designpanelgesture.h"

#include "commands/sketchcommand.h"
#include "commands/sketchcommandmanager.h"
#include "commands/sketchpendingcommand.h"
#include "editor/sketchview.h"
#include "model/sketchshape.h"

DesignPanelGesture::DesignPanelGesture() = default;

DesignPanelGesture::~DesignPanelGesture()
{
    takeBack();
}

bool DesignPanelGesture::isOpen() const
{
    return m_pending && m_pending->isOpen();
}

SketchView *DesignPanelGesture::view() const
{
    return m_view ? m_viewPointer : nullptr;
}

SketchCommand *DesignPanelGesture::command() const
{
    return m_pending ? m_pending->command() : nullptr;
}

DesignPanelGesture::History DesignPanelGesture::historyOf(const SketchView *view)
{
    History history;
    if (const SketchCommandManager *manager = view ? view->commandManager() : nullptr) {
        history.undoCount = manager->undoCount();
        history.redoCount = manager->redoCount();
        history.last = manager->lastCommand();
    }
    return history;
}

bool DesignPanelGesture::isIntact() const
{
    if (!isOpen() || !m_view || !(historyOf(view()) == m_history))
        return false;
    for (const QPointer<QObject> &target : m_targets) {
        if (!target)
            return false;
    }
    return true;
}

bool DesignPanelGesture::belongsTo(const SketchView *view, const QList<SketchShape *> &targets) const
{
    if (!view || view != this->view() || targets.size() != m_targets.size() || !isIntact())
        return false;
    for (int index = 0; index < targets.size(); ++index) {
        if (static_cast<QObject *>(targets.at(index)) != m_targets.at(index).data())
            return false;
    }
    return true;
}

bool DesignPanelGesture::open(SketchView *view, const QList<SketchShape *> &targets, const QString &text,
                              bool final, const CommandMaker &make)
{
    if (belongsTo(view, targets))
        return true;
    const bool closesAbandonedEdit = final && !isOpen() && m_abandoned && m_text == text;
    takeBack();
    m_abandoned = false;
    if (closesAbandonedEdit || !view)
        return false;
    begin(view, targets, text, make());
    return true;
}

void DesignPanelGesture::begin(SketchView *view, const QList<SketchShape *> &targets, const QString &text,
                               SketchCommand *command)
{
    m_pending = std::make_unique<SketchPendingCommand>(view);
    // Nothing has changed yet: a take-back before the first change undoes
    // nothing.
    m_pending->begin(command, false);
    m_viewPointer = view;
    m_view = view;
    m_targets.clear();
    for (SketchShape *target : targets)
        m_targets.append(target);
    m_history = historyOf(view);
    m_text = text;
    m_historyMoving = QObject::connect(view, &SketchView::historyMoving, [this]() {
        takeBack();
        abandon();
    });
    m_viewDestroyed = QObject::connect(view, &QObject::destroyed, [this]() {
        drop();
        abandon();
    });
}

void DesignPanelGesture::markChanged()
{
    if (m_pending)
        m_pending->markChanged();
}

bool DesignPanelGesture::push(const QString &text)
{
    if (!isIntact())
        return false;
    // The history owns the command from here; the gesture is over before
    // the push notifies the window, which may ask again.
    std::unique_ptr<SketchPendingCommand> pending = std::move(m_pending);
    close();
    m_abandoned = false;
    return pending->push(text);
}

void DesignPanelGesture::takeBack()
{
    // A command whose view, targets or history went away is only deleted:
    // its "before" copies no longer fit the model.
    const bool intact = isIntact();
    std::unique_ptr<SketchPendingCommand> pending = std::move(m_pending);
    // Closed first: undoing reselects the targets, and the window's refresh
    // then finds no gesture to settle.
    close();
    if (!pending)
        return;
    if (intact)
        pending->takeBack();
    else
        pending->drop();
}

void DesignPanelGesture::abandonUnless(const SketchView *view, const QList<SketchShape *> &targets)
{
    if (!isOpen() || belongsTo(view, targets))
        return;
    takeBack();
    abandon();
}

void DesignPanelGesture::abandon()
{
    // m_text still names the edit that was taken back.
    m_abandoned = true;
}

void DesignPanelGesture::drop()
{
    std::unique_ptr<SketchPendingCommand> pending = std::move(m_pending);
    close();
    if (pending)
        pending->drop();
}

void DesignPanelGesture::close()
{
    QObject::disconnect(m_historyMoving);
    QObject::disconnect(m_viewDestroyed);
    m_viewPointer = nullptr;
    m_view.clear();
    m_targets.clear();
    m_history = History();
}
