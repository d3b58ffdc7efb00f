// The main window's larger File, Edit and Shape commands: the image and
// slice exports, the print preview and printing, inserting images, editing
// a group in a tab of its own and saving the selection as a material.
#include "app/mainwindow.h"

#include "app/filedialogs.h"
#include "editor/sketchdocumentview.h"
#include "materials/sketchmaterial.h"
#include "materials/sketchmaterialbox.h"
#include "model/sketchglobals.h"
#include "model/sketchgroup.h"
#include "skin/windows/skinprintpreviewdialog.h"
#include "skin/windows/skintabcontrol.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QPrinter>

#include <cmath>
#include <memory>

// --- Image exports -------------------------------------------------------------------

void MainWindow::exportToImage()
{
    exportToImage(currentSketchView());
}

void MainWindow::exportToImage(SketchView *view)
{
    // The view asks for the name and reports a file it could not write;
    // a page that is no document exports nothing.
    if (view)
        view->exportToImage();
}

void MainWindow::exportLayersToImage()
{
    if (SketchDocumentView *view = currentDocumentView())
        view->exportLayersToImages();
}

void MainWindow::exportShapeToImage()
{
    if (SketchDocumentView *view = currentDocumentView())
        view->exportShapeToImage();
}

void MainWindow::exportAllToImages()
{
    // Each dialog runs a loop of its own, in which tabs may close: those are
    // skipped. A cancelled dialog or a failed write skips only its own tab.
    QList<QPointer<SketchView>> views;
    for (SketchView *view : sketchViews())
        views.append(view);
    for (const QPointer<SketchView> &view : qAsConst(views)) {
        if (view)
            exportToImage(view);
    }
}

void MainWindow::exportToSliceImages()
{
    QPointer<SketchDocumentView> view = currentDocumentView();
    if (!view || view->slices().isEmpty())
        return;
    const QString fileName = FileDialogs::getSaveFileName(
        tabControl, tr("Save"), QString(), tr("HTML and Images (*.html);;Only Images (*.png)"));
    if (fileName.isEmpty() || !view)
        return;
    view->exportToSliceImages(fileName);
}

// --- Printing --------------------------------------------------------------------------

void MainWindow::printPreview()
{
    SketchView *view = currentSketchView();
    if (!view)
        return;
    // Destroyed in this order: the dialog, then its printer.
    QPrinter printer(QPrinter::ScreenResolution);
    SkinPrintPreviewDialog dialog(&printer, nullptr);
    dialog.setWindowTitle(tr("Print (%1)").arg(view->title()));
    dialog.resize(800, 500);
    connect(&dialog, &SkinPrintPreviewDialog::paintRequested, this, &MainWindow::printDocument);
    dialog.exec();
}

void MainWindow::printDocument(QPrinter *printer)
{
    // Looked up at every request: the preview and the printout both come
    // from the view that is current then.
    SketchView *view = currentSketchView();
    if (view && printer)
        view->print(printer);
}

// --- Insert image ----------------------------------------------------------------------

void MainWindow::insertImage()
{
    QPointer<SketchDocumentView> view = currentDocumentView();
    if (!view || !view->canInsertImage())
        return;
    const QStringList files = FileDialogs::getOpenFileNames(
        this, tr("Images"), QString(), tr("Images(%1)").arg(SketchGlobals::imageFilter));
    // The menu command never asks about compression: always as a drop that
    // agreed to it.
    if (!files.isEmpty() && view)
        view->dropImageFiles(10, 10, files, 0.3f);
}

// --- Edit group --------------------------------------------------------------------------

void MainWindow::editGroup()
{
    SketchDocumentView *source = currentDocumentView();
    if (!source)
        return;
    const QList<SketchGroup *> groups = source->editableSelectedGroups();
    if (groups.isEmpty())
        return;
    SketchDocument *document = source->document();
    for (SketchGroup *group : groups) {
        if (SketchDocumentView *open = findGroupEditingView(group)) {
            tabControl->setCurrentIndex(indexOfView(open));
            continue;
        }
        SketchDocumentView *editing = createSketchView();
        editing->setSourceDocument(document);
        editing->setEditedGroup(group);
        const QSizeF size = group->shapesSize();
        editing->setPaperSize(QSize(int(std::lround(size.width())), int(std::lround(size.height()))));
        editing->setTitle(tr("Editing Group"));
        group->copyShapesTo(editing->document());
        updateTabText(editing);
    }
    emit tabControl->selectedIndexChanged();
}

// --- Save as material ----------------------------------------------------------------------

void MainWindow::saveAsMaterial()
{
    SketchDocumentView *view = currentDocumentView();
    if (!view || view->selectedUnlockedShapeCount() < 1 || !materialBox)
        return;
    const int category = menuSaveAsMaterial->actions().indexOf(qobject_cast<QAction *>(sender()));
    if (category < 0)
        return;
    // The box keeps a copy of its own.
    const auto material = std::make_unique<SketchMaterial>(category, view->editableSelectedShapes(), true);
    materialBox->addMaterial(material.get());
    materialBox->setCurrentCategory(category);
}
