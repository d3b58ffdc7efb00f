#ifndef SKETCHFEEDBACKDIALOG_H
#define SKETCHFEEDBACKDIALOG_H

#include "skin/windows/skinstandarddialog.h"

class QTextEdit;

// "Feedback(<support address>)": a plain-text box whose text "Send" posts to
// the web service's feedback address with the user's id and e-mail address
// from the user settings. The reply is "<code>,<message>" with a code of one
// character: "1" accepts, and the dialog closes after telling so; any other
// code refuses, and its message is shown. A reply of another form, or a
// failed request, is reported and the dialog stays open with the text.
// Blank text sends nothing. Return in the text box starts a new line; Tab
// leaves it for the buttons, where Return presses the one with the focus.
//
// While the request waits (in a nested event loop), Send and Cancel are
// disabled and the dialog refuses to close, so nothing is sent twice and the
// dialog is not taken down under its own request; both come back after.
// Texts from the service and the network are shown as plain text.
//
// Ownership: the text box is a child of the central widget.
class SketchFeedbackDialog : public SkinStandardDialog
{
    Q_OBJECT

public:
    explicit SketchFeedbackDialog(QWidget *parent = nullptr);

    QTextEdit *contentEdit() const { return m_contentEdit; }
    // True while the request waits for its reply.
    bool isSending() const { return m_sending; }

public slots:
    void okButtonClicked() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    // True for a reply that accepts; else `refusal` is the text to report.
    bool isAccepted(const QByteArray &reply, QString &refusal) const;
    QByteArray send(QString &errorText);
    void setSending(bool sending);
    void reportError(const QString &text);

    QTextEdit *m_contentEdit = nullptr;
    bool m_sending = false;
};

#endif // SKETCHFEEDBACKDIALOG_H
