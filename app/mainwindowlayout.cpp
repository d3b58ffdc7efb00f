// The main window's layout: fixed pixel arithmetic, no layout manager. The
// tool panel stands on the left, the design panel on the right, the tabs
// between them with a 2-pixel gap on either side; the design panel's
// sections stack from the top, the Layers section taking what is left, and
// scroll as one sheet in a window too low for them. And the View toggles,
// which show or hide a panel or a view's overlay.
#include "app/mainwindow.h"

#include "app/sketchlayercontrol.h"
#include "editor/sketchdocumentview.h"
#include "materials/sketchmaterialbox.h"
#include "skin/controls/skinbrushcontrol.h"
#include "skin/controls/skingridview.h"
#include "skin/windows/skingroupbox.h"
#include "skin/windows/skintabcontrol.h"
#include "skin/windows/skintoolbox.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

namespace {

const int toolPanelWidth = 220;
const int toolBoxWidth = 45;
const int designPanelWidth = 188;
const int sectionGap = 3;
// A window too low for the design panel still lets this many layer rows be
// scrolled into sight.
const int layerRowsAlwaysShown = 3;

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

    adjustDesignPanel(width, height);

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

void MainWindow::adjustDesignPanel(int width, int height)
{
    groupFill->setGeometry(0, 2, designPanelWidth,
                           groupFill->isExpanded() ? 166 : foldedHeight(groupFill));
    const bool frameRowShown = frameEditorLabel && !frameEditorLabel->isHidden();
    groupShape->setGeometry(0, bottomOf(groupFill) + sectionGap, designPanelWidth,
                            groupShape->isExpanded() ? (frameRowShown ? 130 : 110)
                                                     : foldedHeight(groupShape));
    groupFont->setGeometry(0, bottomOf(groupShape) + sectionGap, designPanelWidth,
                           groupFont->isExpanded() ? 138 : foldedHeight(groupFont));
    fillBrushControl->setVisible(groupFill->isExpanded());

    // The sheet is the panel's height, or as high as the sections need with
    // a few layer rows; the Layers section runs down to 2 pixels above its
    // foot.
    const int layersTop = bottomOf(groupFont) + sectionGap;
    const int leastLayers = groupLayers->isExpanded() ? leastLayersHeight() : foldedHeight(groupLayers);
    const int sheetHeight = qMax(height, layersTop + leastLayers + 2);
    groupLayers->setGeometry(0, layersTop, designPanelWidth,
                             groupLayers->isExpanded() ? sheetHeight - layersTop - 2
                                                       : foldedHeight(groupLayers));

    // One pixel wider than the room left of the window's edge, so that the
    // sections' right border falls outside. A scroll bar widens the panel
    // and stands right of the sections, wholly inside the window.
    const bool scrolls = sheetHeight > height;
    const int scrollBarWidth = scrolls ? designScrollArea->verticalScrollBar()->sizeHint().width() : 0;
    const int panelWidth = designPanelWidth + scrollBarWidth;
    designPanel->setGeometry(width - panelWidth + 1, 0, panelWidth, height);
    designScrollArea->setVerticalScrollBarPolicy(scrolls ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    designScrollArea->setGeometry(0, 0, scrolls ? panelWidth - 1 : panelWidth, height);
    designSections->resize(scrolls ? designPanelWidth - 1 : designPanelWidth, sheetHeight);
}

int MainWindow::leastLayersHeight() const
{
    // Under the title bar, which the layers panel overlaps by 2 pixels, the
    // rows and the grid's border.
    return groupLayers->titleHeight() - 2 + layerRowsAlwaysShown * layerControl->grid()->defaultRowHeight() + 2;
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Wheel && designScrollArea && watched->parent() == designSections) {
        QCoreApplication::sendEvent(designScrollArea->verticalScrollBar(), event);
        return true;
    }
    return SkinWindow::eventFilter(watched, event);
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
