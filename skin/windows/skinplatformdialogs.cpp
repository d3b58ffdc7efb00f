#include "skin/windows/skinplatformdialogs.h"

#include "model/filehelpers.h"

#include <QDialog>
#include <QScreen>
#include <QWidget>
#include <QWindow>

void SkinPlatformDialogs::placeOver(QDialog *dialog, QWidget *owner)
{
    dialog->setWindowModality(Qt::ApplicationModal);
    QWidget *window = owner ? owner->window() : nullptr;
    if (!window)
        return;
    if (QWindow *ownerHandle = window->windowHandle()) {
        // Tells the window manager whose dialog it is, as a parent would.
        dialog->winId();
        dialog->windowHandle()->setTransientParent(ownerHandle);
    }
    // Placed now, the dialog keeps its place: QDialog centres only a
    // dialog that has not been moved, and on its parent or the screen.
    dialog->adjustSize();
    QRect placed(QPoint(), dialog->size());
    placed.moveCenter(window->geometry().center());
    if (const QScreen *screen = window->screen()) {
        const QRect area = screen->availableGeometry();
        placed.moveRight(qMin(placed.right(), area.right()));
        placed.moveBottom(qMin(placed.bottom(), area.bottom()));
        placed.moveLeft(qMax(placed.left(), area.left()));
        placed.moveTop(qMax(placed.top(), area.top()));
    }
    dialog->move(placed.topLeft());
}

QStringList SkinPlatformDialogs::getOpenFileNames(QWidget *owner, const QString &caption, const QString &directory,
                                                  const QString &filter, QFileDialog::FileMode mode)
{
    QFileDialog dialog(nullptr, caption, directory, filter);
    dialog.setFileMode(mode);
    placeOver(&dialog, owner);
    if (dialog.exec() != QDialog::Accepted)
        return QStringList();
    return dialog.selectedFiles();
}

QString SkinPlatformDialogs::getSaveFileName(QWidget *owner, const QString &caption, const QString &proposedName,
                                             const QString &filter)
{
    QFileDialog dialog(nullptr, caption, proposedName, filter);
    // Before it is placed: a save dialog is laid out differently.
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    placeOver(&dialog, owner);
    return execSaveDialogWithSuffix(dialog);
}
