// Slots of the main window whose features are not built yet. Each is
// connected where its feature belongs and does nothing until that feature
// comes; the feature's own file then takes the slot over.
#include "app/mainwindow.h"

// Export, print, insert image, edit group, material entries: come with the
// export, print and material features.

// Edit and shape commands handed to the current view, the view toggles, the
// action states and the tools: come with the action states.
void MainWindow::undo() {}
void MainWindow::redo() {}
void MainWindow::cut() {}
void MainWindow::copy() {}
void MainWindow::paste() {}
void MainWindow::deleting() {}
void MainWindow::selectAll() {}
void MainWindow::selectAllOfCurrentLayer() {}
void MainWindow::group() {}
void MainWindow::unGroup() {}
void MainWindow::lock() {}
void MainWindow::unLock() {}
void MainWindow::copyFormat() {}
void MainWindow::pasteFormat() {}
void MainWindow::bringForward() {}
void MainWindow::sendBackward() {}
void MainWindow::bringToFront() {}
void MainWindow::sendToBack() {}
void MainWindow::flipHorizontal() {}
void MainWindow::flipVertical() {}
void MainWindow::alignLeft() {}
void MainWindow::alignTop() {}
void MainWindow::alignRight() {}
void MainWindow::alignBottom() {}
void MainWindow::alignCenter() {}
void MainWindow::printStatistics() {}
void MainWindow::updateUIEnables() {}
void MainWindow::toolActionChanged() {}
void MainWindow::toolActionSelectChecked() {}
void MainWindow::toolActionPathChecked() {}
void MainWindow::toolActionRectChecked() {}
void MainWindow::toolActionEllipseChecked() {}
void MainWindow::toolActionBubbleChecked() {}
void MainWindow::toolActionPointChecked() {}
void MainWindow::toolActionCurvePointChecked() {}
void MainWindow::toolActionCutoffChecked() {}
void MainWindow::toolActionConnectChecked() {}
void MainWindow::toolActionRotateChecked() {}
void MainWindow::toolActionResizeChecked() {}
void MainWindow::toolActionFrameChecked() {}
void MainWindow::toolActionZoomInChecked() {}
void MainWindow::toolActionZoomOutChecked() {}
void MainWindow::toolActionSliceChecked() {}
void MainWindow::toolActionTextChecked() {}

// The design panel: filled from the selection, and its edits recorded as
// commands; comes with the design panel.
void MainWindow::sketchViewSelectionChanged() {}
void MainWindow::showFramePopupWindow() {}
void MainWindow::frameIndexChanged(QString) {}
void MainWindow::editShapeText() {}
void MainWindow::editShapeName() {}
void MainWindow::gradientColorPicked(QColor) {}
void MainWindow::fillColorPicked(QColor) {}
void MainWindow::strokeColorPicked(QColor) {}
void MainWindow::beginFillColorPicking() {}
void MainWindow::beginGradientColorPicking(SkinColorPicker *) {}
void MainWindow::beginStrokeColorPicking() {}
void MainWindow::beginForeColorPicking() {}
void MainWindow::changeFillBrush(SkinBrush) {}
void MainWindow::changingFillBrush(SkinBrush) {}
void MainWindow::changeStrokeBrush(SkinBrush) {}
void MainWindow::changeStrokeStyle(QPen) {}
void MainWindow::changingShapeTension(int) {}
void MainWindow::changeShapeTension(int) {}
void MainWindow::changingShapeOpacity(int) {}
void MainWindow::changeShapeOpacity(int) {}
void MainWindow::changingShapeBlur(int) {}
void MainWindow::changeShapeBlur(int) {}
void MainWindow::changeShapeFrame(int) {}
void MainWindow::changeShapeFontName(QString) {}
void MainWindow::changeShapeFontColor(QColor) {}
void MainWindow::changingShapeFontSize(int) {}
void MainWindow::changeShapeFontSize(int) {}
void MainWindow::changeShapeFontAlign(int) {}
void MainWindow::changeShapeFontStyle() {}

