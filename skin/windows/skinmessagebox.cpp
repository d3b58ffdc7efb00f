#include "skin/windows/skinmessagebox.h"

#include <QDesktopServices>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

namespace {

SkinMessageBox::AnswerHook &answerHook()
{
    static SkinMessageBox::AnswerHook hook;
    return hook;
}

QString iconPath(int icon)
{
    switch (icon) {
    case SkinMessageBox::IconInformation:
        return QStringLiteral(":/widgets/images/Information.png");
    case SkinMessageBox::IconWarning:
        return QStringLiteral(":/widgets/images/Warning.png");
    case SkinMessageBox::IconError:
        return QStringLiteral(":/widgets/images/Error.png");
    case SkinMessageBox::IconQuestion:
        return QStringLiteral(":/widgets/images/Question.png");
    default:
        return QString();
    }
}

bool isRichText(const QString &text)
{
    return text.contains(QLatin1String("/>")) || text.contains(QLatin1String("</"));
}

void setButton(QPushButton *button, const QString &text, int &result, int value)
{
    button->setText(text);
    result = value;
    button->show();
}

} // namespace

SkinMessageBox::SkinMessageBox(QWidget *parent)
    : QDialog(parent)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setWindowTitle(tr("MessageBox"));

    m_iconLabel = new QLabel(this);
    m_messageLabel = new QLabel(this);
    m_messageLabel->setWordWrap(false);
    m_button1 = new QPushButton(this);
    m_button2 = new QPushButton(this);
    m_button3 = new QPushButton(this);
    m_separator = new QFrame(this);
    m_separator->setObjectName(QStringLiteral("HLine"));
    m_separator->setFrameShape(QFrame::HLine);
    m_separator->setFrameShadow(QFrame::Sunken);

    connect(m_button1, &QPushButton::clicked, this, &SkinMessageBox::button1Clicked);
    connect(m_button2, &QPushButton::clicked, this, &SkinMessageBox::button2Clicked);
    connect(m_button3, &QPushButton::clicked, this, &SkinMessageBox::button3Clicked);
    connect(m_messageLabel, &QLabel::linkActivated, this, &SkinMessageBox::msgLabelLinkActivated);

    setButtons(ButtonsOk);
}

QString SkinMessageBox::text() const
{
    return m_messageLabel->text();
}

void SkinMessageBox::setText(const QString &text)
{
    m_messageLabel->setTextFormat(isRichText(text) ? Qt::RichText : Qt::PlainText);
    m_messageLabel->setText(text);
    updateLayout();
}

void SkinMessageBox::setButtons(int buttons)
{
    m_buttons = buttons;
    m_button1->hide();
    m_button2->hide();
    m_button3->hide();
    switch (buttons) {
    case ButtonsOk:
        setButton(m_button1, tr("OK"), m_result1, ResultOk);
        break;
    case ButtonsOkCancel:
        setButton(m_button1, tr("Cancel"), m_result1, ResultCancel);
        setButton(m_button2, tr("OK"), m_result2, ResultOk);
        break;
    case ButtonsAbortRetryIgnore:
        setButton(m_button1, tr("Ignore"), m_result1, ResultIgnore);
        setButton(m_button2, tr("Retry"), m_result2, ResultRetry);
        setButton(m_button3, tr("Abort"), m_result3, ResultAbort);
        break;
    case ButtonsYesNoCancel:
        setButton(m_button1, tr("Cancel"), m_result1, ResultCancel);
        setButton(m_button2, tr("No"), m_result2, ResultNo);
        setButton(m_button3, tr("Yes"), m_result3, ResultYes);
        break;
    case ButtonsYesNo:
        setButton(m_button1, tr("No"), m_result1, ResultNo);
        setButton(m_button2, tr("Yes"), m_result2, ResultYes);
        break;
    case ButtonsRetryCancel:
        setButton(m_button1, tr("Cancel"), m_result1, ResultCancel);
        setButton(m_button2, tr("Retry"), m_result2, ResultRetry);
        break;
    default:
        break;
    }
}

void SkinMessageBox::setIcon(int icon)
{
    m_icon = icon;
    const QString path = iconPath(icon);
    m_iconLabel->setPixmap(path.isEmpty() ? QPixmap() : QPixmap(path));
    updateLayout();
}

// --- Running ------------------------------------------------------------------

int SkinMessageBox::showMessage(QWidget *parent, const QString &title, const QString &text, int buttons, int icon)
{
    // A top-level window of its own, whatever the parent: the parent only
    // tells where to show it.
    SkinMessageBox box(nullptr);
    box.setWindowTitle(title);
    box.setText(text);
    box.setButtons(buttons);
    box.setIcon(icon);
    box.centreOn(parent);
    // A copy: the hook may replace itself while it answers.
    const AnswerHook hook = answerHook();
    if (hook)
        return hook(&box);
    return box.exec();
}

int SkinMessageBox::warning(QWidget *parent, const QString &title, const QString &text, int buttons)
{
    return showMessage(parent, title, text, buttons, IconWarning);
}

void SkinMessageBox::setAnswerHook(const AnswerHook &hook)
{
    answerHook() = hook;
}

bool SkinMessageBox::hasAnswerHook()
{
    return bool(answerHook());
}

void SkinMessageBox::reject()
{
    done(ResultCancel);
}

void SkinMessageBox::button1Clicked()
{
    done(m_result1);
}

void SkinMessageBox::button2Clicked()
{
    done(m_result2);
}

void SkinMessageBox::button3Clicked()
{
    done(m_result3);
}

void SkinMessageBox::msgLabelLinkActivated(const QString &link)
{
    QDesktopServices::openUrl(QUrl(link, QUrl::TolerantMode));
}

void SkinMessageBox::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    updateLayout();
}

// --- Layout -------------------------------------------------------------------

void SkinMessageBox::updateLayout()
{
    // No word wrap: the text breaks only at its own line breaks.
    m_messageLabel->adjustSize();
    const int textWidth = qMax(m_messageLabel->width() + 20, 100);
    const int textHeight = m_messageLabel->height() + 5;
    const bool hasIcon = m_iconLabel->pixmap(Qt::ReturnByValue).width() > 0;
    // The icon label keeps the size of a new child widget; its width makes
    // the room on the left.
    const int iconWidth = m_iconLabel->width();

    resize(textWidth + (hasIcon ? iconWidth + 16 : 25), textHeight + 44);
    m_iconLabel->move(4, 4);
    m_messageLabel->move(hasIcon ? iconWidth + 12 : 8, 8);

    const int w = width();
    const int h = height();
    m_separator->setGeometry(QRect(QPoint(4, h - 32), QPoint(w - 5, h - 31)));
    m_separator->show();
    m_button1->setGeometry(w - 80, h - 25, 70, 20);
    m_button2->setGeometry(w - 155, h - 25, 70, 20);
    m_button3->setGeometry(w - 230, h - 25, 70, 20);
}

void SkinMessageBox::centreOn(QWidget *parent)
{
    QRect area;
    if (parent)
        area = parent->window()->frameGeometry();
    else if (const QScreen *screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isValid())
        move(area.center() - rect().center());
}
