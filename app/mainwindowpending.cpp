// Slots of the main window whose features are not built yet. Each is
// connected where its feature belongs and does nothing until that feature
// comes; the feature's own file then takes the slot over.
#include "app/mainwindow.h"

// Export, print, insert image, edit group, material entries: come with the
// export, print and material features.
void MainWindow::openMaterialListView() {}
void MainWindow::exportToImage(SketchView *) {}
void MainWindow::exportToImage() {}
void MainWindow::exportLayersToImage() {}
void MainWindow::exportShapeToImage() {}
void MainWindow::exportAllToImages() {}
void MainWindow::exportToSliceImages() {}
void MainWindow::printPreview() {}
void MainWindow::printDocument(QPrinter *) {}
void MainWindow::editGroup() {}
void MainWindow::insertImage() {}
void MainWindow::saveAsMaterial() {}
void MainWindow::downloadMoreMaterials() {}
void MainWindow::materialClicked(SketchMaterialFile *) {}

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

// The paper size dialog: comes with it.
void MainWindow::actionPaperSizeClicked() {}

// The theme popup and the options: come with the themes.
void MainWindow::showOptions() {}
void MainWindow::btnThemeClicked() {}
void MainWindow::btnThemeBlackClicked() {}
void MainWindow::btnThemeGrayClicked() {}
void MainWindow::btnThemeBlueClicked() {}
void MainWindow::btnThemeOliveClicked() {}

// Help, feedback and about: come with them.
void MainWindow::showHelpWindow() {}
void MainWindow::showFeedback() {}
void MainWindow::showAbout() {}

// The web-service notices and the update check: come with them.
void MainWindow::registerTimerTrigger() {}
void MainWindow::updateVersionToServer() {}
void MainWindow::postThemeStyleChangeMessage() {}
