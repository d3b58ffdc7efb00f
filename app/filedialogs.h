#ifndef FILEDIALOGS_H
#define FILEDIALOGS_H

#include "model/scopedhook.h"

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// The file dialogs of the main window: which documents to open, and under
// which name to save one. Without an answer hook they run Qt's file dialogs
// over the parent's window without its theme (SkinPlatformDialogs); a save
// gives a name typed without a suffix the selected filter's. With a
// hook installed, the hook gets the request in place of the user and its
// answer is returned as the dialog's, without any dialog or modal loop.
//
// An empty answer means the dialog was cancelled. GUI thread only; the hook
// is process-wide.
class FileDialogs
{
public:
    FileDialogs() = delete;

    enum class Kind { OpenFiles, SaveFile };

    struct Request
    {
        Kind kind;
        QWidget *parent;
        QString caption;
        // The start folder, or for a save the proposed name.
        QString directory;
        QString filter;
    };

    // Returns the chosen names: for a save only the first counts, and a
    // second entry, when given, is the filter the user chose: a name
    // without a suffix then gets that filter's, as the platform's dialog
    // gives it.
    using AnswerHook = std::function<QStringList(const Request &request)>;

    // Several existing files, or none when cancelled.
    static QStringList getOpenFileNames(QWidget *parent, const QString &caption,
                                        const QString &directory, const QString &filter);
    // One name, empty when cancelled.
    static QString getSaveFileName(QWidget *parent, const QString &caption,
                                   const QString &proposedName, const QString &filter);

    // An empty hook brings the platform's dialogs back.
    static void setAnswerHook(const AnswerHook &hook);
    static AnswerHook answerHook();
    // Installs a hook for its lifetime and puts the previous one back when
    // it goes.
    using ScopedAnswerHook = ScopedHook<AnswerHook, &FileDialogs::answerHook, &FileDialogs::setAnswerHook>;
};

#endif // FILEDIALOGS_H
