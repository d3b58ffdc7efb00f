#include "app/sketchfeedbackdialog.h"

#include "app/usersettings.h"
#include "model/httphelpers.h"
#include "model/sketchglobals.h"
#include "skin/windows/skinmessagebox.h"

#include <QPointer>
#include <QPushButton>
#include <QTextDocument>
#include <QTextEdit>

namespace {

// A message box reads text holding "/>" or "</" as rich text; text from
// elsewhere is escaped into rich text that shows it letter for letter.
QString shownAsPlainText(const QString &text)
{
    if (!text.contains(QLatin1String("/>")) && !text.contains(QLatin1String("</")))
        return text;
    return Qt::convertFromPlainText(text, Qt::WhiteSpacePre);
}

} // namespace

SketchFeedbackDialog::SketchFeedbackDialog(QWidget *parent)
    : SkinStandardDialog(parent)
{
    setWindowTitle(tr("Feedback(%1)").arg(SketchGlobals::supportEmail));
    resize(360, 220);
    m_contentEdit = new QTextEdit(centralWidget());
    m_contentEdit->setAcceptRichText(false);
    // Return starts a new line here; Tab leaves the text for the buttons,
    // so that the keyboard reaches "Send".
    m_contentEdit->setTabChangesFocus(true);
    m_contentEdit->setFocus(Qt::OtherFocusReason);
    okButton()->setText(tr("Send"));
}

void SketchFeedbackDialog::showEvent(QShowEvent *event)
{
    SkinStandardDialog::showEvent(event);
    const QWidget *central = centralWidget();
    m_contentEdit->setGeometry(QRect(QPoint(8, 8), QPoint(central->width() - 9, central->height() - 39)));
}

void SketchFeedbackDialog::okButtonClicked()
{
    if (m_sending || m_contentEdit->toPlainText().trimmed().isEmpty())
        return;
    QString errorText;
    const QPointer<SketchFeedbackDialog> alive(this);
    const QByteArray reply = send(errorText);
    if (!alive)
        return;
    if (!errorText.isEmpty()) {
        reportError(errorText);
        return;
    }
    QString refusal;
    if (!isAccepted(reply, refusal)) {
        reportError(refusal);
        return;
    }
    SkinMessageBox::information(this, tr("Message"), tr("Send Feedback successfully!"), SkinMessageBox::ButtonsOk);
    if (alive)
        SkinStandardDialog::okButtonClicked();
}

QByteArray SketchFeedbackDialog::send(QString &errorText)
{
    const UserSettings &settings = UserSettings::instance();
    const QHash<QString, QString> form{{QStringLiteral("UserId"), settings.userId()},
                                       {QStringLiteral("Email"), settings.email()},
                                       {QStringLiteral("Content"), m_contentEdit->toPlainText()}};
    const QPointer<SketchFeedbackDialog> alive(this);
    setSending(true);
    const QByteArray reply = httpPostFormSync(SketchGlobals::sendFeedbackUrl, form, errorText);
    if (alive)
        setSending(false);
    return reply;
}

bool SketchFeedbackDialog::isAccepted(const QByteArray &reply, QString &refusal) const
{
    // Up to the first zero byte, as the service's text ends there.
    const int end = reply.indexOf('\0');
    const QString text = QString::fromUtf8(end < 0 ? reply : reply.left(end));
    if (text.indexOf(QLatin1Char(',')) != 1) {
        refusal = tr("Can't recognise the result.");
        return false;
    }
    refusal = text.mid(2);
    return text.at(0) == QLatin1Char('1');
}

void SketchFeedbackDialog::setSending(bool sending)
{
    m_sending = sending;
    okButton()->setEnabled(!sending);
    cancelButton()->setEnabled(!sending);
    setClosable(!sending);
}

void SketchFeedbackDialog::reportError(const QString &text)
{
    SkinMessageBox::critical(this, tr("Error"), shownAsPlainText(text), SkinMessageBox::ButtonsOk);
}
