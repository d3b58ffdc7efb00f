// The main window's action states, its tool selection and the edit and shape
// commands it hands to the current tab.
#include "app/mainwindow.h"

#include "app/designpanel.h"
#include "app/toolpalette.h"
#include "commands/sketchcommandmanager.h"
#include "editor/sketchdocumentview.h"
#include "editor/sketchtool.h"
#include "model/sketchglobals.h"
#include "model/sketchshape.h"
#include "skin/windows/skintabcontrol.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTextDocument>
#include <QTextEdit>

#include <algorithm>

// --- Action states --------------------------------------------------------------

void MainWindow::updateUIEnables()
{
    SketchView *view = currentSketchView();
    SketchDocumentView *document = currentDocumentView();
    const bool hasView = view != nullptr;
    const bool hasDocument = document != nullptr;
    const bool viewHasContent = hasView && !view->isEmpty();
    const QList<SketchView *> views = sketchViews();
    const bool anyContent = std::any_of(views.cbegin(), views.cend(),
                                        [](const SketchView *each) { return !each->isEmpty(); });
    SketchCommandManager *history = hasView ? view->commandManager() : nullptr;
    const int undoCount = history ? history->undoCount() : 0;
    const int redoCount = history ? history->redoCount() : 0;
    const bool severalLayers = hasDocument && document->layers().size() > 1;

    actionSave->setEnabled(hasView);
    actionSaveAs->setEnabled(hasView);
    actionSaveAll->setEnabled(!tabControl->pages().isEmpty());
    actionExportToImage->setEnabled(viewHasContent);
    actionExportShapeToImage->setVisible(hasDocument && document->selectedUnlockedShapeCount() > 0);
    actionExportLayersToImage->setVisible(severalLayers);
    actionExportAllToImages->setEnabled(anyContent);
    actionExportToSliceImages->setEnabled(hasDocument && !document->slices().isEmpty());
    actionPrint->setEnabled(viewHasContent);
    actionUndo->setEnabled(undoCount > 0);
    actionRedo->setEnabled(redoCount > 0);

    actionCut->setEnabled(hasDocument && document->canCut());
    actionCopy->setEnabled(hasDocument && document->canCopy());
    actionPaste->setEnabled(hasDocument && document->canPaste());
    actionDelete->setEnabled(hasView && view->canDelete());
    actionEditText->setEnabled(hasView && view->canEditText());
    actionEditName->setEnabled(hasView && view->canEditName());
    actionSelectAll->setEnabled(hasDocument && document->canSelectAll());
    actionSelectAllOfCurrentLayer->setEnabled(hasDocument && document->canSelectAllOfCurrentLayer());
    actionGroup->setEnabled(hasDocument && document->canGroup());
    const bool canUnGroup = hasDocument && document->canUnGroup();
    actionUnGroup->setEnabled(canUnGroup);
    actionEditGroup->setEnabled(canUnGroup);
    actionLock->setEnabled(hasDocument && document->canLock());
    actionUnLock->setEnabled(hasDocument && document->canUnLock());
    actionCopyFormat->setEnabled(hasDocument && document->canCopyFormat());
    actionPasteFormat->setEnabled(hasDocument && document->canPasteFormat());
    actionInsertImage->setEnabled(hasDocument && document->canInsertImage());
    actionPaperSize->setEnabled(hasDocument);
    menuSaveAsMaterial->setEnabled(hasDocument && document->canCopy());
    actionNewLayer->setEnabled(hasDocument);
    actionDeleteLayer->setEnabled(severalLayers);
    actionDuplicateLayer->setEnabled(hasDocument);
    actionGridLines->setEnabled(hasDocument);

    const bool canPlace = hasDocument && document->canPlaceSelection();
    for (QAction *action : {actionBringForward, actionSendBackward, actionBringToFront,
                            actionSendToBack})
        action->setEnabled(canPlace);
    const bool canFlip = hasDocument && document->canFlip();
    actionFlipHorizontal->setEnabled(canFlip);
    actionFlipVertical->setEnabled(canFlip);
    const bool canAlign = hasDocument && document->canAlignSelection();
    for (QAction *action : {actionAlignLeft, actionAlignTop, actionAlignRight, actionAlignBottom,
                            actionAlignCenter})
        action->setEnabled(canAlign);

    // Without a view the tips keep what they said last.
    if (hasView) {
        actionUndo->setToolTip(tr("Undo(%1)").arg(undoCount));
        actionRedo->setToolTip(tr("Redo(%1)").arg(redoCount));
    }
    updateFrameRow();
}

void MainWindow::updateFrameRow()
{
    if (designPanel && designPanel->updateFrameRow())
        adjustUIGeometries();
}

// --- Tool selection ----------------------------------------------------------------

void MainWindow::selectTool(int type)
{
    SketchDocumentView *view = currentDocumentView();
    if (!view)
        return;
    view->setCurrentTool(type, true);
    if (SketchTool *tool = view->currentTool())
        tool->reset();
}

void MainWindow::toolActionChanged()
{
    // Without a document view the palette rests on the select tool; a tool
    // that has no button (a colour picker, the frame tool) checks none.
    const SketchDocumentView *view = currentDocumentView();
    if (toolBox)
        toolBox->showTool(view ? view->currentToolType() : int(SketchToolTypeSelect));
}

void MainWindow::toolActionSelectChecked() { selectTool(SketchToolTypeSelect); }
void MainWindow::toolActionPathChecked() { selectTool(SketchToolTypePath); }
void MainWindow::toolActionRectChecked() { selectTool(SketchToolTypeRect); }
void MainWindow::toolActionEllipseChecked() { selectTool(SketchToolTypeEllipse); }
void MainWindow::toolActionBubbleChecked() { selectTool(SketchToolTypeBubble); }
void MainWindow::toolActionTextChecked() { selectTool(SketchToolTypeText); }
void MainWindow::toolActionPointChecked() { selectTool(SketchToolTypeCornerPoint); }
void MainWindow::toolActionCurvePointChecked() { selectTool(SketchToolTypeSmoothPoint); }
void MainWindow::toolActionCutoffChecked() { selectTool(SketchToolTypeCutoff); }
void MainWindow::toolActionConnectChecked() { selectTool(SketchToolTypeConnect); }
void MainWindow::toolActionRotateChecked() { selectTool(SketchToolTypeRotate); }
void MainWindow::toolActionZoomInChecked() { selectTool(SketchToolTypeZoomIn); }
void MainWindow::toolActionZoomOutChecked() { selectTool(SketchToolTypeZoomOut); }
void MainWindow::toolActionSliceChecked() { selectTool(SketchToolTypeSlice); }
void MainWindow::toolActionResizeChecked() { selectTool(SketchToolTypeResize); }
void MainWindow::toolActionFrameChecked() { selectTool(SketchToolTypeFrame); }

// --- Guards of the forwarded commands ------------------------------------------------

SketchDocumentView *MainWindow::documentViewForEdit()
{
    SketchDocumentView *view = currentDocumentView();
    if (view)
        takeBackDrag(view);
    return view;
}

void MainWindow::takeBackDrag(SketchDocumentView *view)
{
    // An open drag of the select tool holds the dragged shapes' "before"
    // state in its pending command; a command run under it would record the
    // shapes half-way, and one that removes or replaces them would leave the
    // drag pointing at freed shapes. The drag is given back first, as Escape
    // gives it back; the rest of the press then moves nothing.
    if (view->currentToolType() != SketchToolTypeSelect)
        return;
    if (SketchTool *tool = view->currentTool())
        tool->takeBackGesture();
}

bool MainWindow::closeUnchangedTextEdit(SketchDocumentView *view)
{
    // The history moves past an open editor by storing its text first. A
    // text that was not changed is no edit: recorded, it would drop the redo
    // stack and Redo would find nothing to redo.
    const QTextEdit *editor = view->textEditor();
    const SketchShape *shape = view->textEditShape();
    if (!editor || editor->isHidden() || !shape)
        return false;
    const QString stored = view->textEditMode() == 0 ? shape->text() : shape->name();
    if (editor->document()->toPlainText() != stored)
        return false;
    // Closed unchanged, a text box its tool has just made goes with its add
    // step: that was the step to take back.
    const int steps = view->commandManager()->undoCount();
    view->endTextEdit(false);
    return view->commandManager()->undoCount() < steps;
}

void MainWindow::moveHistory(bool forward)
{
    SketchView *view = currentSketchView();
    if (!view)
        return;
    SketchDocumentView *document = qobject_cast<SketchDocumentView *>(view);
    if (document && closeUnchangedTextEdit(document))
        return;
    // The manager takes back a drag of the select tool itself, and cancels
    // any other tool's work instead of moving the history.
    if (forward)
        view->commandManager()->redo();
    else
        view->commandManager()->undo();
    // The view may have gone with the step (a nested event loop of a
    // listener): look it up again.
    if (SketchDocumentView *current = currentDocumentView()) {
        if (current == document && current->currentTool())
            current->currentTool()->reset();
    }
}

// --- Edit commands -------------------------------------------------------------------

void MainWindow::undo() { moveHistory(false); }
void MainWindow::redo() { moveHistory(true); }

void MainWindow::cut()
{
    if (SketchView *view = currentSketchView()) {
        documentViewForEdit();
        view->cut();
    }
}

void MainWindow::copy()
{
    if (SketchView *view = currentSketchView())
        view->copy();
}

void MainWindow::paste()
{
    if (SketchView *view = currentSketchView()) {
        documentViewForEdit();
        view->paste();
    }
}

void MainWindow::deleting()
{
    if (SketchView *view = currentSketchView()) {
        documentViewForEdit();
        view->deleteSelection();
    }
}

void MainWindow::selectAll()
{
    if (SketchView *view = currentSketchView()) {
        documentViewForEdit();
        view->selectAll();
    }
}

void MainWindow::selectAllOfCurrentLayer()
{
    if (SketchDocumentView *view = documentViewForEdit())
        view->selectAllOfCurrentLayer();
}

void MainWindow::copyFormat()
{
    // One shape's style or none: with several selected it is unclear whose.
    SketchDocumentView *view = currentDocumentView();
    if (view && view->selectedUnlockedShapeCount() == 1)
        view->copyFormat();
}

void MainWindow::pasteFormat()
{
    SketchDocumentView *view = currentDocumentView();
    if (view && view->selectedUnlockedShapeCount() >= 1) {
        takeBackDrag(view);
        view->pasteFormat();
    }
}

// --- Shape commands --------------------------------------------------------------------

void MainWindow::group()
{
    if (SketchDocumentView *view = documentViewForEdit())
        view->groupSelection();
}

void MainWindow::unGroup()
{
    if (SketchDocumentView *view = documentViewForEdit())
        view->unGroupSelection();
}

void MainWindow::lock()
{
    if (SketchDocumentView *view = documentViewForEdit())
        view->lockSelection();
}

void MainWindow::unLock()
{
    if (SketchDocumentView *view = documentViewForEdit())
        view->unLockSelection();
}

void MainWindow::bringForward()
{
    if (SketchDocumentView *view = documentViewForEdit())
        view->bringForward();
}

void MainWindow::sendBackward()
{
    if (SketchDocumentView *view = documentViewForEdit())
        view->sendBackward();
}

void MainWindow::bringToFront()
{
    if (SketchDocumentView *view = documentViewForEdit())
        view->bringToFront();
}

void MainWindow::sendToBack()
{
    if (SketchDocumentView *view = documentViewForEdit())
        view->sendToBack();
}

void MainWindow::flipHorizontal()
{
    if (SketchDocumentView *view = documentViewForEdit())
        view->flipHorizontalSelection();
}

void MainWindow::flipVertical()
{
    if (SketchDocumentView *view = documentViewForEdit())
        view->flipVerticalSelection();
}

void MainWindow::alignLeft()
{
    if (SketchDocumentView *view = documentViewForEdit())
        view->alignLeftSelection();
}

void MainWindow::alignTop()
{
    if (SketchDocumentView *view = documentViewForEdit())
        view->alignTopSelection();
}

void MainWindow::alignRight()
{
    if (SketchDocumentView *view = documentViewForEdit())
        view->alignRightSelection();
}

void MainWindow::alignBottom()
{
    if (SketchDocumentView *view = documentViewForEdit())
        view->alignBottomSelection();
}

void MainWindow::alignCenter()
{
    if (SketchDocumentView *view = documentViewForEdit())
        view->alignCenterSelection();
}

// --- Diagnostics -------------------------------------------------------------------------

void MainWindow::printStatistics()
{
    SketchGlobals::printStatistics();
}
