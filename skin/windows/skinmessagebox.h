#ifndef SKINMESSAGEBOX_H
#define SKINMESSAGEBOX_H

#include "skin/windows/skindialog.h"

#include <QString>

#include <functional>

class QFrame;
class QLabel;
class QPushButton;

// The program's modal message box: an icon, a message (plain or rich text)
// and up to three buttons from one of six button sets, ending with a result
// code. Callers use the static functions, which build a box, run it with
// exec() and return the code of the button pressed; closing the box any
// other way (Escape, the caption's close button) gives Cancel, also for the
// sets that have no Cancel button. The box cannot be resized or maximized.
//
// The affirmative button of the set (Yes, else OK, else Retry) is the
// default: it holds the focus when the box shows, and Return and Enter
// press it, or whichever button Tab has moved the focus to.
//
// The box sizes itself around its text (no word wrap: the text breaks only
// at its own line breaks) whenever the text or the icon changes and when it
// is shown; the buttons sit at fixed places from the right, whichever show.
//
// Scripted runs and tests answer the boxes through the dialogs' answer hook
// (SkinDialog): the static functions build and fill the box as usual, then
// exec() hands it to the hook instead of running it.
//
// Ownership: the labels, the separator and the buttons are children of the
// central widget; a box built by a static function lives only for that call.
class SkinMessageBox : public SkinDialog
{
    Q_OBJECT

public:
    // The codes a box ends with.
    enum Result : int {
        ResultOk = 1,
        ResultCancel = 2,
        ResultAbort = 3,
        ResultRetry = 4,
        ResultIgnore = 5,
        ResultYes = 6,
        ResultNo = 7
    };

    // The button sets, as they read from left to right. Any other value
    // shows no button.
    enum Buttons : int {
        ButtonsOk = 0,
        ButtonsOkCancel = 1,
        ButtonsAbortRetryIgnore = 2,
        ButtonsYesNoCancel = 3,
        ButtonsYesNo = 4,
        ButtonsRetryCancel = 5
    };

    // The icon kinds; any other value shows no icon.
    enum Icon : int {
        IconNone = 0,
        IconInformation = 1,
        IconWarning = 2,
        IconError = 3,
        IconQuestion = 4
    };

    // Answers a filled-in box in place of the user; returns a result code.
    using AnswerHook = std::function<int(SkinMessageBox *box)>;

    explicit SkinMessageBox(QWidget *parent = nullptr);

    // Rich text when the text holds "/>" or "</" ("<br/>" breaks lines,
    // links open in the desktop browser), plain text otherwise.
    QString text() const;
    void setText(const QString &text);
    // The text exactly as it is, never as rich text: for texts that come
    // from outside the program, such as a reply of the web service.
    void setPlainText(const QString &text);
    // A Buttons value; sets outside the table hide every button and keep
    // their texts and results.
    int buttons() const { return m_buttons; }
    void setButtons(int buttons);
    // An Icon value.
    int icon() const { return m_icon; }
    void setIcon(int icon);

    // Sizes the box around the text and places the icon, the text, the
    // separator and the buttons.
    void updateLayout();

    // Builds a box titled `title` (a top-level window centred on the parent,
    // or on the desktop without one), runs it and returns the result code.
    static int showMessage(QWidget *parent, const QString &title, const QString &text, int buttons, int icon);
    // showMessage with the information, warning, error or question icon.
    static int information(QWidget *parent, const QString &title, const QString &text, int buttons);
    static int warning(QWidget *parent, const QString &title, const QString &text, int buttons);
    static int critical(QWidget *parent, const QString &title, const QString &text, int buttons);
    static int question(QWidget *parent, const QString &title, const QString &text, int buttons);
    // critical with the text shown as plain text (setPlainText).
    static int criticalPlainText(QWidget *parent, const QString &title, const QString &text, int buttons);
    // One OK button and no icon.
    static int about(QWidget *parent, const QString &title, const QString &text);

    // Installs the dialogs' answer hook (SkinDialog::setAnswerHook) so that it
    // answers message boxes through `hook`; any other dialog is then answered
    // with Cancel. An empty hook removes the dialogs' hook.
    static void setAnswerHook(const AnswerHook &hook);

private slots:
    void button1Clicked();
    void button2Clicked();
    void button3Clicked();
    // Opens the link in the desktop's browser; the box stays open.
    void msgLabelLinkActivated(const QString &link);

protected:
    void showEvent(QShowEvent *event) override;

private:
    static int run(SkinMessageBox &box, QWidget *parent, const QString &title, int buttons, int icon);
    // The shown button that answers Yes, OK or Retry, in that order; null
    // for a set without one.
    QPushButton *affirmativeButton() const;

    QLabel *m_messageLabel = nullptr;
    QLabel *m_iconLabel = nullptr;
    QFrame *m_separator = nullptr;
    // Button 1 is the rightmost.
    QPushButton *m_button1 = nullptr;
    QPushButton *m_button2 = nullptr;
    QPushButton *m_button3 = nullptr;
    int m_result1 = ResultOk;
    int m_result2 = ResultCancel;
    int m_result3 = ResultCancel;
    int m_icon = IconNone;
    int m_buttons = ButtonsOk;
};

#endif // SKINMESSAGEBOX_H
