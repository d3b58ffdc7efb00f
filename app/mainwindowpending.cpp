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
