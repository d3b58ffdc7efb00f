// The main window's layout: fixed pixel arithmetic, no layout manager. The
// tool panel stands on the left, the design panel on the right, the tabs
// between them with a 2-pixel gap on either side; the design panel's
// sections stack from the top, the Layers section taking what is left. And
// the View toggles, which show or hide a panel or a view's overlay.
#include "app/mainwindow.h"

#include "editor/sketchdocumentview.h"
#include "materials/sketchmaterialbox.h"
#include "skin/controls/skinbrushcontrol.h"
#include "skin/windows/skingroupbox.h"
#include "skin/windows/skintabcontrol.h"
#include "skin/windows/skintoolbox.h"

#include <QLabel>
#include <QPushButton>

namespace {

const int toolPanelWidth = 220;
const int toolBoxWidth = 45;
const int designPanelWidth = 188;
const int sectionGap = 3;

// The last pixel row of a widget, in its parent.
int bottomOf(const QWidget *widget)
{
    return widget->y() + widget->height() - 1;
}

// A folded section keeps its title bar but for the bottom line.
int foldedHeight(const SkinGroupBox *section)
{
    return section->titleHeight() - 1;
}

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

    // One pixel wider than the room left of the window's edge, so that its
    // right border falls outside.
    designPanel->setGeometry(width - designPanelWidth + 1, 0, designPanelWidth, height);
    const bool frameRowShown = frameEditorLabel && !frameEditorLabel->isHidden();
    groupFill->setGeometry(0, 2, designPanelWidth,
                           groupFill->isExpanded() ? 166 : foldedHeight(groupFill));
    groupShape->setGeometry(0, bottomOf(groupFill) + sectionGap, designPanelWidth,
                            groupShape->isExpanded() ? (frameRowShown ? 130 : 110)
                                                     : foldedHeight(groupShape));
    groupFont->setGeometry(0, bottomOf(groupShape) + sectionGap, designPanelWidth,
                           groupFont->isExpanded() ? 138 : foldedHeight(groupFont));
    // The Layers section runs down to 2 pixels above the panel's foot; in a
    // window too low for it, it gets no height at all.
    const int layersHeight = groupLayers->isExpanded()
        ? designPanel->height() - bottomOf(groupFont) - 5
        : foldedHeight(groupLayers);
    groupLayers->setGeometry(0, bottomOf(groupFont) + sectionGap, designPanelWidth,
                             qMax(0, layersHeight));
    fillBrushControl->setVisible(groupFill->isExpanded());

    const int left = toolPanel->isHidden() ? 2 : toolPanel->width() + 1;
    const int rightGap = designPanel->isHidden() ? 1 : designPanel->width();
    const int right = width - rightGap - 2;
    tabControl->setGeometry(left, 2, right - left + 1, height - 4);
    const QRect page = tabControl->pageRect();
    for (SketchView *view : sketchViews())
        view->setGeometry(0, 3, page.width(), page.height() - 3);

    if (auto *layers = groupLayers->findChild<QWidget *>(QStringLiteral("layerControl"),
                                                         Qt::FindDirectChildrenOnly))
        layers->setGeometry(layerControlRect());
}

QRect MainWindow::layerControlRect() const
{
    // Below the title bar, overlapping its lowest 2 pixels.
    const int title = groupLayers->titleHeight();
    return QRect(0, title - 2, groupLayers->width(), groupLayers->height() - title + 2);
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
