// The main window's layout: fixed pixel arithmetic, no layout manager. The
// tool panel stands on the left, the design panel on the right (it stacks
// its own sections), the tabs between them with a 2-pixel gap on either
// side. And the View toggles, which show or hide a panel or a view's
// overlay.
#include "app/mainwindow.h"

#include "app/designpanel.h"
#include "app/toolpalette.h"
#include "editor/sketchdocumentview.h"
#include "materials/sketchmaterialbox.h"
#include "skin/windows/skintabcontrol.h"

#include <QPushButton>

namespace {

const int toolPanelWidth = 220;
const int toolBoxWidth = 45;

} // namespace

void MainWindow::resizeEvent(QResizeEvent *event)
{
    SkinWindow::resizeEvent(event);
    adjustUIGeometries();
}

void MainWindow::adjustUIGeometries()
{
    // Runs from the constructor's resize, before any panel exists.
    if (!tabControl || !toolPanel || !designPanel)
        return;
    const int width = centralWidget()->width();
    const int height = centralWidget()->height();

    // Six pixels left of the minimize button, in the caption.
    if (themeButton)
        themeButton->setGeometry(minButtonRect().left() - 28, 0, 22, 20);

    // The panels are told apart by isHidden(): the window need not be shown.
    const bool materialsShown = !materialBox->isHidden();
    toolPanel->setGeometry(-1, -1, materialsShown ? toolPanelWidth : toolBoxWidth, height + 2);
    toolBox->setGeometry(0, 0, toolBoxWidth, toolPanel->height());
    materialBox->setGeometry(toolBox->width() + 2, 3,
                             materialsShown ? toolPanel->width() - toolBox->width() - 2 : 0,
                             toolPanel->height() - 6);

    designPanel->adjustGeometry(width, height);

    const int left = toolPanel->isHidden() ? 2 : toolPanel->width() + 1;
    const int rightGap = designPanel->isHidden() ? 1 : designPanel->width();
    const int right = width - rightGap - 2;
    tabControl->setGeometry(left, 2, right - left + 1, height - 4);
    const QRect page = tabControl->pageRect();
    for (SketchView *view : sketchViews())
        view->setGeometry(0, 3, page.width(), page.height() - 3);
}

// --- View toggles ---------------------------------------------------------------
// Each inverts the present state; none reads the triggering action's mark.

void MainWindow::showOrHideMaterialPanel()
{
    materialBox->setVisible(materialBox->isHidden());
    adjustUIGeometries();
}

void MainWindow::showOrHideDesignPanel()
{
    designPanel->setVisible(designPanel->isHidden());
    adjustUIGeometries();
}

void MainWindow::showOrHideGrid()
{
    if (SketchDocumentView *view = currentDocumentView())
        view->setGridVisible(!view->isGridVisible());
}

void MainWindow::showOrHideAutoSlice()
{
    if (SketchDocumentView *view = currentDocumentView())
        view->setAutoSliceVisible(!view->isAutoSliceVisible());
}
