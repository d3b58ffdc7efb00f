// The main window's layers panel and frames popup: making
// them, keeping the panel on the current document, and the Layer menu.
#include "app/mainwindow.h"

#include "app/sketchframepopupwindow.h"
#include "app/sketchlayercontrol.h"
#include "commands/sketchcommand.h"
#include "commands/sketchcommandmanager.h"
#include "editor/sketchdocumentview.h"
#include "skin/windows/skingroupbox.h"
#include "skin/windows/skinmenu.h"

#include <QToolButton>

// --- Making and placing ------------------------------------------------------------

void MainWindow::createLayerControl(QWidget *parent)
{
    layerControl = new SketchLayerControl(parent);
    layerControl->setObjectName(QStringLiteral("layerControl"));
    if (auto *section = qobject_cast<SkinGroupBox *>(parent)) {
        section->contextButton()->setVisible(true);
        section->setContextMenu(layerControl->contextMenu());
    }
}

void MainWindow::createFramePopupWindow()
{
    framePopupWindow = new SketchFramePopupWindow(nullptr);
    connect(framePopupWindow, QOverload<QString>::of(&SketchFramePopupWindow::shapeFrameChanged), this,
            &MainWindow::frameIndexChanged);
}

// --- Following the current document -------------------------------------------------

void MainWindow::showLayersOf(SketchDocumentView *view)
{
    if (layerControl)
        layerControl->setDocumentView(view);
}

void MainWindow::refreshLayers()
{
    if (layerControl)
        layerControl->refreshLayers();
}

void MainWindow::followDocumentChange()
{
    if (!layerControl)
        return;
    SketchDocumentView *view = currentDocumentView();
    const SketchCommand *last = view ? view->commandManager()->lastCommand() : nullptr;
    if (last && last->isLayerCommand())
        layerControl->refreshLayers();
    else
        layerControl->update();
}

// --- The Layer menu -------------------------------------------------------------------

void MainWindow::newLayer()
{
    if (currentDocumentView() && layerControl)
        layerControl->newLayer();
}

void MainWindow::deleteLayer()
{
    if (currentDocumentView() && layerControl)
        layerControl->deleteLayer();
}

void MainWindow::duplicateLayer()
{
    if (currentDocumentView() && layerControl)
        layerControl->duplicateLayer();
}
