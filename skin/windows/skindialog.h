#ifndef SKINDIALOG_H
#define SKINDIALOG_H

#include "model/scopedhook.h"
#include "skin/windows/skinwindow.h"

#include <QList>
#include <QPointer>
#include <QPushButton>

#include <functional>

class QEventLoop;
class QFrame;

// The modal dialog of the program: a skinned window that exec() shows
// application-modal and runs in a nested event loop of its own until done()
// or a close, returning an integer result. Every dialog of the program
// derives from it and is built as a local object with a null parent.
//
// Closing by the caption button, by Escape (while the close button shows) or
// by close() from anywhere leaves the result as it was, which exec() starts
// at 2 (Cancel). While the dialog is not closable every close is refused,
// but done() still ends a running loop.
//
// Return and Enter press the push button that holds the focus, or else the
// dialog's default button; a control that takes them itself (a multi-line
// text field) keeps them. The control that holds the focus is framed in the
// theme's text colour (skinFocusFrameRules).
//
// Scripted runs and tests answer dialogs without a modal loop through the
// answer hook: while one is installed, exec() hands the dialog to it instead
// of showing it and running the loop, and returns what the hook returns. The
// hook may press the dialog's buttons (their done() only stores the result)
// and return result().
//
// A dialog deleted while its loop runs (its parent deleted, say) ends the
// loop; exec() then returns the result it had and touches nothing of it. An
// exec() while the dialog already runs returns the current result at once.
class SkinDialog : public SkinWindow
{
    Q_OBJECT

public:
    enum Result : int { ResultOk = 1, ResultCancel = 2 };

    // Answers a dialog in place of the user; returns its result.
    using AnswerHook = std::function<int(SkinDialog *dialog)>;

    // Caption 18 pixels high, application-modal, hidden, titled "Dialog".
    explicit SkinDialog(QWidget *parent = nullptr);
    ~SkinDialog() override;

    // Shows the dialog and runs its loop; returns the result. A dialog with
    // Qt::WA_DeleteOnClose is deleted before exec() returns.
    int exec();
    // Stores the result, ends a running loop and closes the dialog.
    void done(int result);

    int result() const { return m_result; }
    bool isClosable() const { return m_closable; }
    void setClosable(bool closable) { m_closable = closable; }

    // The button that Return and Enter press while no other push button of
    // the dialog holds the focus; none by default. It is marked as the
    // default (QPushButton::isDefault); hidden or disabled, it is not pressed.
    QPushButton *defaultButton() const { return m_defaultButton; }
    void setDefaultButton(QPushButton *button);

    // One hook for every dialog; an empty hook makes exec() modal again.
    static void setAnswerHook(const AnswerHook &hook);
    static AnswerHook answerHook();
    static bool hasAnswerHook();
    // Installs a hook for its lifetime and puts the previous one back when
    // it goes, so nested answers restore each other.
    using ScopedAnswerHook = ScopedHook<AnswerHook, &SkinDialog::answerHook, &SkinDialog::setAnswerHook>;

public slots:
    // The theme's sheet with the focus frames.
    void useThemeStyle() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

    // The dialogs' button row at the bottom of the central widget (cw x ch):
    // the separator from (4, ch - 32) to (cw - 5, ch - 31), then 70 x 20
    // buttons from the right, the first at (cw - 80, ch - 25), each next one
    // 75 pixels further left.
    void placeButtonRow(QFrame *separator, const QList<QPushButton *> &rightToLeft) const;

private:
    struct Run;

    // The button that Return and Enter press now, or null.
    QPushButton *buttonForReturn() const;

    int m_result = ResultCancel;
    QEventLoop *m_eventLoop = nullptr;  // while the loop runs
    Run *m_run = nullptr;               // while exec() runs, on its stack
    bool m_closable = true;
    QPointer<QPushButton> m_defaultButton;
};

#endif // SKINDIALOG_H
