#include "skin/windows/skinmessagebox.h"

#include <QDesktopServices>
#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QUrl>

#include <utility>

namespace {

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
    : SkinDialog(parent)
{
    setMaxButtonVisible(false);
    setMinButtonVisible(false);
    // No resizing by the borders.
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setWindowTitle(tr("MessageBox"));

    QWidget *central = centralWidget();
    m_iconLabel = new QLabel(central);
    m_messageLabel = new QLabel(central);
    m_messageLabel->setWordWrap(false);
    m_button1 = new QPushButton(central);
    m_button2 = new QPushButton(central);
    m_button3 = new QPushButton(central);
    // Its two lines come from the style sheet's "HLine" rule.
    m_separator = new QFrame(central);
    m_separator->setObjectName(QStringLiteral("HLine"));

    // Tab goes through the buttons as they read, left to right.
    setTabOrder(m_button3, m_button2);
    setTabOrder(m_button2, m_button1);

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

void SkinMessageBox::setPlainText(const QString &text)
{
    m_messageLabel->setTextFormat(Qt::PlainText);
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
    setDefaultButton(affirmativeButton());
}

QPushButton *SkinMessageBox::affirmativeButton() const
{
    const std::pair<QPushButton *, int> shown[] = {{m_button1, m_result1}, {m_button2, m_result2}, {m_button3, m_result3}};
    for (const int preferred : {ResultYes, ResultOk, ResultRetry}) {
        for (const auto &[button, result] : shown) {
            if (!button->isHidden() && result == preferred)
                return button;
        }
    }
    return nullptr;
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
    box.setText(text);
    return run(box, parent, title, buttons, icon);
}

int SkinMessageBox::run(SkinMessageBox &box, QWidget *parent, const QString &title, int buttons, int icon)
{
    box.setWindowTitle(title);
    box.setButtons(buttons);
    box.setIcon(icon);
    box.moveToCenter(parent);
    return box.exec();
}

int SkinMessageBox::criticalPlainText(QWidget *parent, const QString &title, const QString &text, int buttons)
{
    SkinMessageBox box(nullptr);
    box.setPlainText(text);
    return run(box, parent, title, buttons, IconError);
}

int SkinMessageBox::information(QWidget *parent, const QString &title, const QString &text, int buttons)
{
    return showMessage(parent, title, text, buttons, IconInformation);
}

int SkinMessageBox::warning(QWidget *parent, const QString &title, const QString &text, int buttons)
{
    return showMessage(parent, title, text, buttons, IconWarning);
}

int SkinMessageBox::critical(QWidget *parent, const QString &title, const QString &text, int buttons)
{
    return showMessage(parent, title, text, buttons, IconError);
}

int SkinMessageBox::question(QWidget *parent, const QString &title, const QString &text, int buttons)
{
    return showMessage(parent, title, text, buttons, IconQuestion);
}

int SkinMessageBox::about(QWidget *parent, const QString &title, const QString &text)
{
    return showMessage(parent, title, text, ButtonsOk, IconNone);
}

void SkinMessageBox::setAnswerHook(const AnswerHook &hook)
{
    if (!hook) {
        SkinDialog::setAnswerHook(SkinDialog::AnswerHook());
        return;
    }
    SkinDialog::setAnswerHook([hook](SkinDialog *dialog) {
        if (SkinMessageBox *box = qobject_cast<SkinMessageBox *>(dialog))
            return hook(box);
        return int(ResultCancel);
    });
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
    SkinWindow::showEvent(event);
    updateLayout();
    // The answer Return gives is the one the focus frame shows.
    if (defaultButton())
        defaultButton()->setFocus(Qt::ActiveWindowFocusReason);
}

// --- Layout -------------------------------------------------------------------

void SkinMessageBox::updateLayout()
{
    m_messageLabel->adjustSize();
    const bool hasIcon = m_iconLabel->pixmap(Qt::ReturnByValue).width() > 0;
    // The icon label is never resized here: until it is shown it has the
    // size of a new child widget, then Qt gives it its natural size. Its
    // width makes the room on the left.
    const int iconWidth = m_iconLabel->width();
    const int room = hasIcon ? iconWidth + 16 : 25;
    // The buttons stand in fixed places from the right, 75 pixels apart; a
    // short text must not push the leftmost shown one out of the box.
    const int shownButtons = int(!m_button1->isHidden()) + int(!m_button2->isHidden()) + int(!m_button3->isHidden());
    const int rowWidth = 11 + 75 * shownButtons - room;
    const int textWidth = qMax(qMax(m_messageLabel->width() + 20, 100), rowWidth);
    const int textHeight = m_messageLabel->height() + 5;

    resize(textWidth + 2 * borderWidth() + room,
           textHeight + captionHeight() + 2 * borderHeight() + 44);
    m_iconLabel->move(4, 4);
    m_messageLabel->move(hasIcon ? iconWidth + 12 : 8, 8);

    // Until the box is shown the central widget may not have its final size
    // yet; showing lays the box out again. The buttons keep their places
    // whichever of them show.
    placeButtonRow(m_separator, {m_button1, m_button2, m_button3});
    m_separator->show();
}
