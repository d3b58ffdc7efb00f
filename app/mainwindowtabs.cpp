// The main window's document tabs: finding views, making a document tab,
// the tab texts, the refresh when the current tab changes, and the menus of
// the tab control and of the views.
#include "app/mainwindow.h"

#include "app/filedialogs.h"
#include "editor/sketchdocumentview.h"
#include "editor/sketchtool.h"
#include "skin/windows/skinmenu.h"
#include "skin/windows/skintabcontrol.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPointer>
#include <QToolButton>

// --- Lookups ------------------------------------------------------------------

SketchView *MainWindow::viewOfPage(QWidget *page) const
{
    if (!page)
        return nullptr;
    for (QObject *child : page->children()) {
        if (child->isWidgetType())
            return qobject_cast<SketchView *>(child);
    }
    return nullptr;
}

SketchView *MainWindow::currentSketchView() const
{
    return viewOfPage(tabControl->currentPage());
}

SketchDocumentView *MainWindow::currentDocumentView() const
{
    return qobject_cast<SketchDocumentView *>(currentSketchView());
}

SketchView *MainWindow::sketchViewAt(int index) const
{
    return viewOfPage(tabControl->pages().value(index));
}

SketchDocumentView *MainWindow::documentViewAt(int index) const
{
    return qobject_cast<SketchDocumentView *>(sketchViewAt(index));
}

QList<SketchView *> MainWindow::sketchViews() const
{
    QList<SketchView *> views;
    for (QWidget *page : tabControl->pages()) {
        if (SketchView *view = viewOfPage(page))
            views.append(view);
    }
    return views;
}

int MainWindow::indexOfView(const SketchView *view) const
{
    const QList<QWidget *> &pages = tabControl->pages();
    for (int index = 0; index < pages.size(); ++index) {
        if (view && viewOfPage(pages.at(index)) == view)
            return index;
    }
    return -1;
}

QString MainWindow::fileIdentity(const QString &fileName)
{
    const QFileInfo file(fileName);
    const QString canonical = file.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(file.absoluteFilePath()) : canonical;
}

SketchView *MainWindow::findOpenView(const QString &fileName) const
{
    if (fileName.isEmpty())
        return nullptr;
    const QString identity = fileIdentity(fileName);
    for (SketchView *view : sketchViews()) {
        if (!view->fileName().isEmpty() && fileIdentity(view->fileName()) == identity)
            return view;
    }
    return nullptr;
}

SketchDocumentView *MainWindow::findGroupEditingView(SketchGroup *group) const
{
    if (!group)
        return nullptr;
    for (SketchView *view : sketchViews()) {
        auto *document = qobject_cast<SketchDocumentView *>(view);
        if (document && document->editedGroup() == group)
            return document;
    }
    return nullptr;
}

// --- Making a document tab ----------------------------------------------------

SketchDocumentView *MainWindow::createSketchView()
{
    // With other pages open this already emits selectedIndexChanged(),
    // while the page is still empty; the caller emits it again.
    QWidget *page = tabControl->addPage(QString(), true);
    const QRect area = tabControl->pageRect();
    auto *view = new SketchDocumentView(page);
    view->setContextMenu(shapeMenu);
    view->show();
    view->setGeometry(0, 3, area.width(), area.height() - 3);
    view->setTextEditingEnabled(true);
    // The view's own export dialogs are the window's, answerable as they are.
    view->setSaveFileNameAsker(&FileDialogs::getSaveFileName);

    connect(view, &SketchDocumentView::actionChanged, this, &MainWindow::toolActionChanged);
    connect(view, &SketchView::selectionChanged, this, &MainWindow::sketchViewSelectionChanged);
    connect(view, &SketchView::zoomChanged, this, &MainWindow::sketchViewZoomChanged);
    connect(view, &SketchView::undoManagerChanged, this, &MainWindow::updateUIEnables);
    connect(view, &SketchView::sketchChanged, this, &MainWindow::sketchViewChanged);
    connect(view, &SketchDocumentView::currentLayerChanged, this, &MainWindow::sketchViewCurrentLayerChanged);
    connect(view, &SketchView::urlsDroped, this, &MainWindow::sketchViewUrlsDroped);
    connect(view, &SketchDocumentView::gradientColorPicked, this, &MainWindow::gradientColorPicked);
    connect(view, &SketchDocumentView::fillColorPicked, this, &MainWindow::fillColorPicked);
    connect(view, &SketchDocumentView::strokeColorPicked, this, &MainWindow::strokeColorPicked);
    return view;
}

// --- Tab texts ----------------------------------------------------------------

void MainWindow::updateTabText(SketchView *view)
{
    if (view)
        tabControl->setPageTitle(indexOfView(view), view->caption());
}

void MainWindow::sketchViewChanged()
{
    // Whichever view changed, the current tab's text is refreshed.
    updateTabText(currentSketchView());
    followDocumentChange();
}

void MainWindow::sketchViewZoomChanged()
{
    updateTabText(currentSketchView());
}

void MainWindow::sketchViewCurrentLayerChanged()
{
    refreshLayers();
    // The z-order commands work on the current layer's selection: a click
    // that reports the selection before it switches the layer would leave
    // them as the old layer had them.
    updateUIEnables();
}

// --- The current tab ------------------------------------------------------------

void MainWindow::tabControlSelectedIndexChanged()
{
    tabControl->contextButton()->setVisible(!tabControl->pages().isEmpty());
    // Each view keeps its own grid and slice settings; without a document
    // view the marks stay as they are.
    const QPointer<SketchDocumentView> view = currentDocumentView();
    if (view) {
        actionGridLines->setChecked(view->isGridVisible());
        actionAutoSlices->setChecked(view->isAutoSliceVisible());
    }
    // Showing a tab chooses no tool (rebuilding the layers panel leaves the
    // tool alone): the palette shows the one the view holds.
    showLayersOf(view);
    sketchViewSelectionChanged();
    toolActionChanged();
}

// --- Menus of the tab control and of the views -----------------------------------

void MainWindow::tabControlContextMenuShowing()
{
    QMenu *menu = tabControl->contextMenu();
    menu->clear();
    const QList<QWidget *> &pages = tabControl->pages();
    for (int index = 0; index < pages.size(); ++index) {
        QAction *item = menu->addAction(pages.at(index)->windowTitle(), this,
                                        &MainWindow::tabControlContextMenuItemClicked);
        if (index == tabControl->currentIndex()) {
            item->setCheckable(true);
            item->setChecked(true);
        }
    }
}

void MainWindow::tabControlContextMenuItemClicked()
{
    const int index = tabControl->contextMenu()->actions().indexOf(qobject_cast<QAction *>(sender()));
    if (index < 0)
        return;
    tabControl->setCurrentIndex(index);
    emit tabControl->selectedIndexChanged();
}

void MainWindow::tabHeaderMenuShowing()
{
    // "Close" always; "Close Others" and "Close All" with more than one tab.
    const QList<QAction *> items = tabControl->tabMenu()->actions();
    const bool several = tabControl->pages().size() > 1;
    for (int index = 1; index < items.size(); ++index)
        items.at(index)->setEnabled(several);
}

void MainWindow::contextMenuShowing()
{
    SketchDocumentView *view = currentDocumentView();
    actionPaste->setEnabled(view && view->canPaste());
    actionPasteFormat->setEnabled(view && view->canPasteFormat());
}
