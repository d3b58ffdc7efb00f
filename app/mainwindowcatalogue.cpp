// The main window's online catalogue: its page among the document tabs and
// the dialog of one catalogue entry.
//
// Both load from the web service in a nested event loop, in which any slot
// of the window may run. So the catalogue view is built outside the tab
// control and placed on its page only once its list is in (a page without
// a view cannot be closed, and a second opening finds the page that
// loads), and an entry's dialog runs from the event loop itself rather
// than from inside the catalogue's click, so that closing the catalogue
// meanwhile deletes nothing that is still running.
#include "app/mainwindow.h"

#include "app/usersettings.h"
#include "materials/sketchmaterialdialog.h"
#include "materials/sketchmaterialfile.h"
#include "materials/sketchmateriallistview.h"
#include "skin/windows/skintabcontrol.h"

#include <QTimer>

#include <memory>

SketchMaterialListView *MainWindow::findMaterialListView() const
{
    for (SketchView *view : sketchViews()) {
        if (auto *catalogue = qobject_cast<SketchMaterialListView *>(view))
            return catalogue;
    }
    return nullptr;
}

void MainWindow::downloadMoreMaterials()
{
    openMaterialListView();
}

void MainWindow::openMaterialListView()
{
    if (catalogueLoadingPage) {
        tabControl->setCurrentIndex(tabControl->pages().indexOf(catalogueLoadingPage));
    } else if (SketchMaterialListView *open = findMaterialListView()) {
        tabControl->setCurrentIndex(indexOfView(open));
    } else if (SketchMaterialListView *view = createMaterialListView()) {
        tabControl->setCurrentIndex(indexOfView(view));
        updateTabText(view);
    }
    // The catalogue has no layers: the panel shows none.
    showLayersOf(currentDocumentView());
    updateUIEnables();
}

SketchMaterialListView *MainWindow::createMaterialListView()
{
    const QPointer<QWidget> page = tabControl->addPage(tr("LOADING..."), true);
    catalogueLoadingPage = page;
    setBusy(true);
    auto view = std::make_unique<SketchMaterialListView>(nullptr, UserSettings::instance().userId());
    setBusy(false);
    catalogueLoadingPage = nullptr;
    if (!page)
        return nullptr;

    // The window may have been resized while the list loaded.
    const QRect area = tabControl->pageRect();
    view->setParent(page);
    view->show();
    view->setGeometry(0, 3, area.width(), area.height() - 3);
    connect(view.get(), &SketchMaterialListView::materialClicked, this, &MainWindow::materialClicked);
    return view.release();
}

void MainWindow::materialClicked(SketchMaterialFile *file)
{
    if (!file || !findMaterialListView() || catalogueEntryLoading)
        return;
    // Only the name is used: the file belongs to the catalogue view.
    catalogueEntryLoading = true;
    const QString name = file->name();
    QTimer::singleShot(0, this, [this, name] { runMaterialDialog(name); });
}

void MainWindow::runMaterialDialog(const QString &materialFileName)
{
    if (!findMaterialListView()) {
        catalogueEntryLoading = false;
        return;
    }
    setBusy(true);
    SketchMaterialDialog dialog(nullptr, materialFileName, UserSettings::instance().userId());
    setBusy(false);
    catalogueEntryLoading = false;

    dialog.setMaterialBox(materialBox);
    SketchMaterialListView *catalogue = findMaterialListView();
    dialog.moveToCenter(catalogue ? static_cast<QWidget *>(catalogue) : this);
    dialog.exec();
}
