#ifndef DIALOGSCRIPT_H
#define DIALOGSCRIPT_H

// Answers the main window's message boxes and file dialogs in place of the
// user, in the order they come, and records what each one showed. Nothing
// modal ever runs: a box or file dialog for which no answer is left is
// answered with Cancel and recorded as unexpected, so a test fails at its
// check instead of hanging.

#include "app/filedialogs.h"
#include "skin/windows/skindialog.h"
#include "skin/windows/skinmessagebox.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>

class DialogScript
{
public:
    struct Box
    {
        QString title;
        QString text;
        int icon;
        int buttons;
    };

    DialogScript()
        : m_boxHook([this](SkinDialog *dialog) { return answer(dialog); })
        , m_fileHook([this](const FileDialogs::Request &request) { return answer(request); })
    {
    }

    // The answer to the next message box (a SkinMessageBox result).
    void answerBox(int result) { m_boxAnswers.enqueue(result); }
    // The answer to the next file dialog; an empty list cancels it.
    void answerFiles(const QStringList &names) { m_fileAnswers.enqueue(names); }
    void answerFile(const QString &name) { answerFiles(name.isEmpty() ? QStringList() : QStringList{name}); }
    void cancelFile() { answerFiles(QStringList()); }
    // A save answered with a name and the filter chosen in the dialog.
    void answerFile(const QString &name, const QString &chosenFilter) { answerFiles({name, chosenFilter}); }

    const QList<Box> &boxes() const { return m_boxes; }
    // The texts of the boxes shown, in order.
    QStringList boxTexts() const
    {
        QStringList texts;
        for (const Box &box : m_boxes)
            texts.append(box.text);
        return texts;
    }
    const QList<FileDialogs::Request> &fileRequests() const { return m_fileRequests; }
    // Dialogs that came with no answer left, and answers never asked for.
    QStringList unexpected() const
    {
        QStringList all = m_unexpected;
        if (!m_boxAnswers.isEmpty())
            all.append(QStringLiteral("%1 box answers left").arg(m_boxAnswers.size()));
        if (!m_fileAnswers.isEmpty())
            all.append(QStringLiteral("%1 file answers left").arg(m_fileAnswers.size()));
        return all;
    }

private:
    int answer(SkinDialog *dialog)
    {
        auto *box = qobject_cast<SkinMessageBox *>(dialog);
        if (!box) {
            m_unexpected.append(QStringLiteral("dialog: ") + dialog->windowTitle());
            return SkinDialog::ResultCancel;
        }
        m_boxes.append(Box{box->windowTitle(), box->text(), box->icon(), box->buttons()});
        if (m_boxAnswers.isEmpty()) {
            m_unexpected.append(QStringLiteral("box: ") + box->text());
            return SkinMessageBox::ResultCancel;
        }
        return m_boxAnswers.dequeue();
    }

    QStringList answer(const FileDialogs::Request &request)
    {
        m_fileRequests.append(request);
        if (m_fileAnswers.isEmpty()) {
            m_unexpected.append(QStringLiteral("file dialog: ") + request.caption);
            return QStringList();
        }
        return m_fileAnswers.dequeue();
    }

    QQueue<int> m_boxAnswers;
    QQueue<QStringList> m_fileAnswers;
    QList<Box> m_boxes;
    QList<FileDialogs::Request> m_fileRequests;
    QStringList m_unexpected;
    SkinDialog::ScopedAnswerHook m_boxHook;
    FileDialogs::ScopedAnswerHook m_fileHook;
};

#endif // DIALOGSCRIPT_H
