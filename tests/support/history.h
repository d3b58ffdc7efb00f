#ifndef SUPPORT_HISTORY_H
#define SUPPORT_HISTORY_H

// The undo history as the tests see it: the texts of its steps, an undo as
// the user gives it, and the view's notifications in order.

#include "commands/sketchcommand.h"
#include "commands/sketchcommandmanager.h"
#include "editor/sketchdocumentview.h"
#include "editor/sketchtool.h"

#include <QObject>
#include <QString>
#include <QStringList>

// The texts of the undo stack, oldest first.
inline QStringList undoTextList(const SketchView *view)
{
    QStringList texts;
    for (const SketchCommand *command : view->commandManager()->undoStack())
        texts.append(command->text());
    return texts;
}

inline QString undoTexts(const SketchView *view)
{
    return undoTextList(view).join(QLatin1Char(','));
}

// Undo through the manager as the user would, from the select tool (with any
// other tool current, undo only cancels that tool).
inline void undoOnce(SketchDocumentView *view)
{
    if (view->currentToolType() != SketchToolTypeSelect)
        view->setCurrentTool(SketchToolTypeSelect, true);
    view->commandManager()->undo();
}

// Records the view's notification signals by name, in order.
class SignalLog : public QObject
{
public:
    explicit SignalLog(SketchView *view)
    {
        connect(view, &SketchView::undoManagerChanged, this, [this] { names.append("undoManagerChanged"); });
        connect(view, &SketchView::sketchChanged, this, [this] { names.append("sketchChanged"); });
        connect(view, &SketchView::selectionChanged, this, [this] { names.append("selectionChanged"); });
    }

    QStringList take()
    {
        const QStringList result = names;
        names.clear();
        return result;
    }

    QStringList names;
};

#endif // SUPPORT_HISTORY_H
