#include "commands/sketchcommandmanager.h"

#include "commands/sketchcommand.h"
#include "editor/sketchdocumentview.h"

#include <QTextEdit>

SketchCommandManager::SketchCommandManager(SketchView *view)
    : QObject(view)
    , m_view(view)
{
}

SketchCommandManager::~SketchCommandManager()
{
    m_lastCommand = nullptr;
    deleteAll(m_undoStack);
    deleteAll(m_redoStack);
}

SketchDocumentView *SketchCommandManager::documentView() const
{
    return dynamic_cast<SketchDocumentView *>(m_view);
}

void SketchCommandManager::push(SketchCommand *command, const QString &text)
{
    if (!command)
        return;
    // The undone commands describe states that this edit branches away from;
    // kept, they would later act on a model that no longer matches them.
    deleteAll(m_redoStack);
    command->setText(text);
    m_lastCommand = command;
    command->execute();
    m_undoStack.append(command);

    m_view->onUndoManagerChanged();
    m_view->onSketchChanged();
    m_view->onSelectionChanged();
    // The listeners may have moved the history meanwhile.
    m_view->repaintHistoryStep(m_undoStack.isEmpty() || m_undoStack.last() != command ? nullptr : command);
}

void SketchCommandManager::undo()
{
    if (!m_enabled)
        return;
    emit m_view->historyMoving();
    if (m_view->takeBackGesture())
        return;
    // An edit in progress in the in-place editor is stored first, so that
    // the editor never stays open over a shape the step takes away.
    m_view->endTextEdit(true);
    SketchCommand *command = nullptr;
    if (!m_undoStack.isEmpty()) {
        command = m_undoStack.takeLast();
        m_lastCommand = command;
        command->undo();
        m_redoStack.append(command);
        m_view->onUndoManagerChanged();
        m_view->onSelectionChanged();
        m_view->onSketchChanged();
    }
    hideTextEditor();
    m_view->repaintHistoryStep(m_redoStack.isEmpty() || m_redoStack.last() != command ? nullptr : command);
}

void SketchCommandManager::redo()
{
    if (!m_enabled)
        return;
    emit m_view->historyMoving();
    if (m_view->takeBackGesture())
        return;
    m_view->endTextEdit(true);
    SketchCommand *command = nullptr;
    if (!m_redoStack.isEmpty()) {
        command = m_redoStack.takeLast();
        m_lastCommand = command;
        command->redo();
        m_undoStack.append(command);
        m_view->onUndoManagerChanged();
        m_view->onSelectionChanged();
        m_view->onSketchChanged();
    }
    hideTextEditor();
    m_view->repaintHistoryStep(m_undoStack.isEmpty() || m_undoStack.last() != command ? nullptr : command);
}

void SketchCommandManager::clear()
{
    if (!m_enabled)
        return;
    // A gesture's pending command holds shapes that the history may own, or
    // that the caller is about to replace (opening a file): it goes first.
    m_view->takeBackGesture();
    m_lastCommand = nullptr;
    deleteAll(m_undoStack);
    deleteAll(m_redoStack);
    hideTextEditor();
    m_view->onUndoManagerChanged();
    m_view->onSelectionChanged();
    m_view->update();
}

bool SketchCommandManager::withdrawCommand(SketchCommand *command)
{
    if (!command || m_undoStack.isEmpty() || m_undoStack.last() != command)
        return false;
    m_undoStack.removeLast();
    if (m_lastCommand == command)
        m_lastCommand = nullptr;
    command->undo();
    delete command;
    return true;
}

void SketchCommandManager::hideTextEditor()
{
    QTextEdit *editor = m_view->textEditor();
    if (editor && !editor->isHidden())
        editor->setVisible(false);
}

void SketchCommandManager::deleteAll(QVector<SketchCommand *> &stack)
{
    const QVector<SketchCommand *> commands = stack;
    stack.clear();
    for (SketchCommand *command : commands) {
        if (command == m_lastCommand)
            m_lastCommand = nullptr;
        delete command;
    }
}
