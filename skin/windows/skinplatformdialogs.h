#ifndef SKINPLATFORMDIALOGS_H
#define SKINPLATFORMDIALOGS_H

#include <QFileDialog>
#include <QString>
#include <QStringList>

class QDialog;
class QWidget;

// Qt's own dialogs (the file dialogs, the page set-up) over a skinned window.
//
// They are built without a Qt parent. A child dialog would inherit the
// theme's style sheet from its skinned window: the sheet colours Qt's
// standard widgets for the theme's panels (light grey labels in Black, combo
// boxes with a dark face), while the dialog itself keeps the platform's
// light background, which left its labels unreadable and its combo boxes
// half-styled. Without a parent they use the platform's palette throughout.
// placeOver() gives them what a parent would have: modal to the application,
// kept above the owner's window by the window manager, centred on it.
//
// The dialogs live on the caller's stack for one exec(). GUI thread only.
class SkinPlatformDialogs
{
public:
    SkinPlatformDialogs() = delete;

    // For a dialog built without a parent, before it is shown. A null owner
    // leaves the dialog modal and centred on the screen.
    static void placeOver(QDialog *dialog, QWidget *owner);

    // Existing files chosen in an open dialog (one at most for
    // QFileDialog::ExistingFile), none when cancelled.
    static QStringList getOpenFileNames(QWidget *owner, const QString &caption, const QString &directory,
                                        const QString &filter,
                                        QFileDialog::FileMode mode = QFileDialog::ExistingFiles);
    // The name chosen in a save dialog that gives a name typed without a
    // suffix the selected filter's (execSaveDialogWithSuffix); empty when
    // cancelled.
    static QString getSaveFileName(QWidget *owner, const QString &caption, const QString &proposedName,
                                   const QString &filter);
};

#endif // SKINPLATFORMDIALOGS_H
