// The main window's file operations: new, open (dialog, hand-over, drop),
// save, save as, save all, closing tabs and closing the window.
#include "app/mainwindow.h"

#include "app/filedialogs.h"
#include "app/handovermessage.h"
#include "commands/sketchcommandmanager.h"
#include "commands/sketchcommandupdate.h"
#include "editor/sketchdocumentview.h"
#include "editor/sketchtool.h"
#include "model/sketchdocument.h"
#include "model/sketchglobals.h"
#include "model/sketchgroup.h"
#include "model/sketchlayer.h"
#include "skin/windows/skinmessagebox.h"
#include "skin/windows/skintabcontrol.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>

#include <algorithm>
#include <iterator>

namespace {

bool holdsShape(const QList<SketchShape *> &shapes, const SketchShape *wanted)
{
    for (const SketchShape *shape : shapes) {
        if (shape == wanted)
            return true;
        if (shape->isGroup() && holdsShape(static_cast<const SketchGroup *>(shape)->shapes(), wanted))
            return true;
    }
    return false;
}

// The shape can be reached from the document's layers, in a group or not.
// A shape taken out by an edit (deleted, ungrouped, undone) may still live in
// the undo history, but no longer here.
bool documentHolds(const SketchDocument *document, const SketchShape *shape)
{
    const QList<SketchLayer *> &layers = document->layers();
    return std::any_of(layers.begin(), layers.end(), [shape](const SketchLayer *layer) {
        return holdsShape(layer->shapes(), shape);
    });
}

QString shownPath(const QString &fileName)
{
    return QDir::toNativeSeparators(fileName);
}

} // namespace

// --- New and open -----------------------------------------------------------------

QString MainWindow::untitledName() const
{
    const QList<SketchView *> views = sketchViews();
    for (int number = 1;; ++number) {
        const QString candidate = tr("untitled%1").arg(number);
        const bool taken = std::any_of(views.begin(), views.end(), [&candidate](const SketchView *view) {
            return view->title().endsWith(candidate, Qt::CaseInsensitive);
        });
        if (!taken)
            return candidate;
    }
}

void MainWindow::newFile()
{
    SketchDocumentView *view = createSketchView();
    view->setTitle(untitledName());
    updateTabText(view);
    emit tabControl->selectedIndexChanged();
}

void MainWindow::openFile()
{
    const QString filter = tr("Storyloom Files(*%1 *%2)")
                               .arg(SketchGlobals::documentSuffix, SketchGlobals::packageSuffix);
    const QStringList fileNames = FileDialogs::getOpenFileNames(this, tr("Open"), QString(), filter);
    if (!fileNames.isEmpty())
        openFiles(fileNames);
}

void MainWindow::openFile(QString message)
{
    if (!message.isEmpty())
        openFiles(handOverPaths(message));
    // Also clears a minimised state. Qt's own activation is immediate; the
    // window manager is asked to raise and focus the window as well.
    setWindowState(Qt::WindowActive);
    raise();
    activateWindow();
    QApplication::setActiveWindow(this);
}

void MainWindow::openFiles(QStringList fileNames)
{
    if (fileNames.isEmpty())
        return;
    for (const QString &fileName : qAsConst(fileNames)) {
        if (SketchView *open = findOpenView(fileName))
            tabControl->setCurrentIndex(indexOfView(open));
        else if (SketchGlobals::isDocumentFile(fileName))
            openDocument(fileName);
        // Packages and names of any other kind are not opened here.
    }
    emit tabControl->selectedIndexChanged();
}

void MainWindow::openDocument(const QString &fileName)
{
    const QString absoluteName = QDir::cleanPath(QFileInfo(fileName).absoluteFilePath());
    SketchDocumentView *view = createSketchView();
    if (!view->openFile(absoluteName)) {
        // Bound to a tab, the unread file would be overwritten by the next
        // Save or Save All.
        tabControl->removePage(view->parentWidget());
        reportError(tr("Open"), tr("Cannot open file %1").arg(shownPath(absoluteName)));
        return;
    }
    updateTabText(view);
}

void MainWindow::sketchViewUrlsDroped(QList<QUrl> urls)
{
    if (urls.isEmpty())
        return;
    QStringList fileNames;
    for (const QUrl &url : qAsConst(urls))
        fileNames.append(url.toLocalFile());

    if (QPointer<SketchDocumentView> view = currentDocumentView()) {
        view->setCurrentTool(SketchToolTypeSelect, false);
        QStringList images;
        std::copy_if(fileNames.begin(), fileNames.end(), std::back_inserter(images),
                     [](const QString &name) { return SketchGlobals::isImageFile(name); });
        if (!images.isEmpty()) {
            const int answer = SkinMessageBox::question(view, tr("Confirm"),
                                                        tr("Images need to be compressed automatically?"),
                                                        SkinMessageBox::ButtonsYesNo);
            const float ratio = answer == SkinMessageBox::ResultYes ? 0.3f : 1.0f;
            // Where the pointer is once the question has been answered.
            if (view) {
                const QPoint at = view->mapFromGlobal(QCursor::pos());
                view->dropImageFiles(at.x(), at.y(), images, ratio);
            }
        }
    }

    QStringList files;
    std::copy_if(fileNames.begin(), fileNames.end(), std::back_inserter(files), [](const QString &name) {
        return SketchGlobals::isDocumentFile(name) || SketchGlobals::isImageFile(name)
            || SketchGlobals::isPackageFile(name);
    });
    openFiles(files);
}

// --- Saving -------------------------------------------------------------------------

void MainWindow::reportError(const QString &title, const QString &text)
{
    SkinMessageBox::critical(this, title, text, SkinMessageBox::ButtonsOk);
}

QString MainWindow::askSaveFileName(SketchView *view)
{
    return FileDialogs::getSaveFileName(this, tr("Save"), view->title(), view->fileFilter());
}

bool MainWindow::writeViewToFile(SketchView *view, const QString &fileName)
{
    // Another program's version of the file would be lost without a word.
    auto *document = qobject_cast<SketchDocumentView *>(view);
    if (document && document->isFileChangedElsewhere(fileName)) {
        const QPointer<SketchView> asked = view;
        const int answer = SkinMessageBox::question(
            this, tr("Confirm"),
            tr("The file \"%1\" was changed by another program. Overwrite it?").arg(shownPath(fileName)),
            SkinMessageBox::ButtonsYesNo);
        if (answer != SkinMessageBox::ResultYes || !asked)
            return false;
    }
    if (view->saveFile(fileName))
        return true;
    reportError(tr("Save"), tr("Cannot save file %1").arg(shownPath(fileName)));
    return false;
}

bool MainWindow::writeBackGroup(SketchDocumentView *view)
{
    SketchDocument *source = view->sourceDocument();
    SketchGroup *group = view->editedGroup();
    SketchDocumentView *target = source ? source->view() : nullptr;
    if (!target || !group || !documentHolds(source, group)) {
        reportError(tr("Save"), tr("The group edited in \"%1\" is no longer in its document; "
                                   "nothing was saved.")
                                    .arg(view->title()));
        return false;
    }
    auto *command = new SketchCommandUpdate(target, group);
    view->document()->writeShapesToGroup(group);
    target->commandManager()->push(command, QStringLiteral("groupEdited"));
    updateTabText(target);
    return true;
}

bool MainWindow::saveView(int index)
{
    // The catalogue page and other pages that are no document have nothing
    // to save.
    QPointer<SketchDocumentView> view = documentViewAt(index);
    if (!view)
        return false;
    if (view->sourceDocument()) {
        // A group-editing tab writes no file: its group takes the shapes.
        if (!writeBackGroup(view))
            return false;
    } else if (!view->fileName().isEmpty() && QFile::exists(view->fileName())) {
        if (!writeViewToFile(view, view->fileName()))
            return false;
    } else {
        const QString fileName = askSaveFileName(view);
        if (fileName.isEmpty() || !view || !writeViewToFile(view, fileName))
            return false;
    }
    view->setModified(false);
    updateTabText(view);
    return true;
}

bool MainWindow::saveFile()
{
    return saveView(tabControl->currentIndex());
}

void MainWindow::saveAs()
{
    QPointer<SketchDocumentView> view = currentDocumentView();
    if (!view)
        return;
    // Also for a group-editing tab, which then writes a document file of
    // its own and still edits its group.
    const QString fileName = askSaveFileName(view);
    if (fileName.isEmpty() || !view || !writeViewToFile(view, fileName))
        return;
    view->setModified(false);
    updateTabText(view);
}

void MainWindow::saveAll()
{
    // Every tab, modified or not; one that is not saved does not stop the
    // others. Tabs may come during a dialog, so the count is read each time.
    for (int index = 0; index < tabControl->pages().size(); ++index)
        saveView(index);
}

// --- Closing ------------------------------------------------------------------------

bool MainWindow::closeView(int index)
{
    SketchView *view = sketchViewAt(index);
    if (!view)
        return false;
    const QPointer<QWidget> page = tabControl->pages().at(index);

    if (auto *document = qobject_cast<SketchDocumentView *>(view)) {
        // Its group-editing tabs first: each may write back into it.
        for (int other = tabControl->pages().size() - 1; other >= 0; --other) {
            SketchDocumentView *editing = documentViewAt(other);
            if (editing && editing != document && editing->sourceDocument() == document->document()
                && !closeView(other))
                return false;
        }
    }

    // The page may have gone with the tabs just closed; closed all the same.
    view = viewOfPage(page);
    if (!view)
        return true;
    if (view->isModified()) {
        const int answer = SkinMessageBox::question(
            tabControl, tr("Confirm"),
            tr("The file \"%1\" has been modified.\nDo you want to save your changes?").arg(view->title()),
            SkinMessageBox::ButtonsYesNoCancel);
        if (answer == SkinMessageBox::ResultYes) {
            if (!page || !saveView(tabControl->pages().indexOf(page)))
                return false;
        } else if (answer != SkinMessageBox::ResultNo) {
            return false;
        }
    }
    tabControl->removePage(page);
    return true;
}

bool MainWindow::closeCurView()
{
    return closeView(tabControl->currentIndex());
}

bool MainWindow::closePageOfRun(QWidget *page)
{
    // A page closed meanwhile with its document is found nowhere: -1 closes
    // nothing. A page that holds no view yet (the catalogue while its list
    // loads) cannot be closed, and is no answer of the user's.
    const QPointer<QWidget> watched = page;
    return closeView(tabControl->pages().indexOf(page)) || !watched || !viewOfPage(watched);
}

void MainWindow::closeOtherViews()
{
    QList<QPointer<QWidget>> others;
    for (QWidget *page : tabControl->pages()) {
        if (page != tabControl->currentPage())
            others.append(page);
    }
    for (const QPointer<QWidget> &page : qAsConst(others)) {
        if (page && !closePageOfRun(page))
            return;
    }
}

void MainWindow::closeAllViews()
{
    QList<QPointer<QWidget>> pages;
    for (QWidget *page : tabControl->pages())
        pages.prepend(page);
    for (const QPointer<QWidget> &page : qAsConst(pages)) {
        if (page && !closePageOfRun(page))
            return;
    }
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    closeAllViews();
    if (tabControl->pages().isEmpty())
        SkinWindow::closeEvent(event);
    else
        event->ignore();
}
