// The panels around the document tabs: the tool panel with the tool palette
// and the materials panel on the left, and the design panel (Fill, Shape,
// Font, Layers) on the right. Only construction lives here; the placement
// that follows the window size and the folded sections is
// adjustUIGeometries() (mainwindowlayout.cpp).
#include "app/mainwindow.h"

#include "app/designpanel.h"
#include "app/toolpalette.h"
#include "editor/sketchtool.h"
#include "materials/sketchmaterialbox.h"
#include "skin/windows/skingroupbox.h"

#include <QPushButton>

QPushButton *MainWindow::toolButton(int id) const
{
    return toolBox ? toolBox->button(id) : nullptr;
}

void MainWindow::createToolPanel()
{
    toolPanel = new QWidget(centralWidget());
    toolPanel->setObjectName(QStringLiteral("toolPanel"));
    toolPanel->setMouseTracking(true);
    toolBox = new ToolPalette(toolPanel);
    materialBox = new SketchMaterialBox(toolPanel);
    materialBox->setObjectName(QStringLiteral("materialBox"));
    materialBox->setMainWindow(this);
    connect(materialBox, &SketchMaterialBox::moreMaterialsDownloaded, this, &MainWindow::downloadMoreMaterials);
    connectToolButtons();
}

void MainWindow::connectToolButtons()
{
    // Each button's click selects its tool through the slot of that tool.
    const struct {
        int toolId;
        void (MainWindow::*slot)();
    } toolSlots[] = {
        {SketchToolTypeSelect, &MainWindow::toolActionSelectChecked},
        {SketchToolTypePath, &MainWindow::toolActionPathChecked},
        {SketchToolTypeCornerPoint, &MainWindow::toolActionPointChecked},
        {SketchToolTypeSmoothPoint, &MainWindow::toolActionCurvePointChecked},
        {SketchToolTypeCutoff, &MainWindow::toolActionCutoffChecked},
        {SketchToolTypeConnect, &MainWindow::toolActionConnectChecked},
        {SketchToolTypeRotate, &MainWindow::toolActionRotateChecked},
        {SketchToolTypeResize, &MainWindow::toolActionResizeChecked},
        {SketchToolTypeRect, &MainWindow::toolActionRectChecked},
        {SketchToolTypeEllipse, &MainWindow::toolActionEllipseChecked},
        {SketchToolTypeBubble, &MainWindow::toolActionBubbleChecked},
        {SketchToolTypeText, &MainWindow::toolActionTextChecked},
        {SketchToolTypeSlice, &MainWindow::toolActionSliceChecked},
        {SketchToolTypeZoomIn, &MainWindow::toolActionZoomInChecked},
        {SketchToolTypeZoomOut, &MainWindow::toolActionZoomOutChecked},
    };
    for (const auto &entry : toolSlots)
        connect(toolBox->button(entry.toolId), &QPushButton::clicked, this, entry.slot);
}

void MainWindow::createDesignPanel()
{
    designPanel = new DesignPanel(centralWidget(), [this] { return currentSketchView(); });
    connect(designPanel, &DesignPanel::layoutChanged, this, &MainWindow::adjustUIGeometries);
    createLayerControl(designPanel->layersSection());
    designPanel->setLayersPanel(layerControl);
}
