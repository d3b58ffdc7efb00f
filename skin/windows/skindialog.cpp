#include "skin/windows/skindialog.h"

#include "skin/windows/skinstylesheet.h"
#include "skin/windows/skintheme.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QFrame>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>

namespace {

SkinDialog::AnswerHook &installedHook()
{
    static SkinDialog::AnswerHook hook;
    return hook;
}

} // namespace

// What exec() must still reach when the dialog is deleted under it.
struct SkinDialog::Run {
    QEventLoop loop;
    int result = ResultCancel;
};

SkinDialog::SkinDialog(QWidget *parent)
    : SkinWindow(parent)
{
    setCaptionHeight(18);
    setWindowModality(Qt::ApplicationModal);
    setAttribute(Qt::WA_ShowModal);
    setVisible(false);
    setWindowTitle(tr("Dialog"));
    // The window's constructor could only apply its own sheet.
    useThemeStyle();
}

SkinDialog::~SkinDialog()
{
    if (m_run) {
        m_run->result = m_result;
        m_run->loop.quit();
    }
}

int SkinDialog::exec()
{
    if (m_run)
        return m_result;
    const bool deleteOnClose = testAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_DeleteOnClose, false);
    const bool showModal = testAttribute(Qt::WA_ShowModal);
    setAttribute(Qt::WA_ShowModal, true);
    m_result = ResultCancel;

    Run run;
    m_run = &run;
    const QPointer<SkinDialog> alive(this);
    // A copy: the hook may replace itself while it answers.
    const AnswerHook hook = installedHook();
    if (hook) {
        run.result = hook(this);
        if (alive)
            m_result = run.result;
    } else {
        show();
        m_eventLoop = &run.loop;
        run.loop.exec(QEventLoop::DialogExec);
        if (alive)
            run.result = m_result;
    }
    if (!alive)
        return run.result;
    m_eventLoop = nullptr;
    m_run = nullptr;

    close();
    setAttribute(Qt::WA_ShowModal, showModal);
    if (deleteOnClose)
        delete this;
    return run.result;
}

void SkinDialog::done(int result)
{
    m_result = result;
    if (m_eventLoop && m_eventLoop->isRunning())
        m_eventLoop->quit();
    close();
}

void SkinDialog::setAnswerHook(const AnswerHook &hook)
{
    installedHook() = hook;
}

SkinDialog::AnswerHook SkinDialog::answerHook()
{
    return installedHook();
}

bool SkinDialog::hasAnswerHook()
{
    return bool(installedHook());
}

void SkinDialog::setDefaultButton(QPushButton *button)
{
    if (m_defaultButton)
        m_defaultButton->setDefault(false);
    m_defaultButton = button;
    if (button)
        button->setDefault(true);
}

void SkinDialog::useThemeStyle()
{
    applyStyleSheet(skinStyleSheet + skinFocusFrameRules());
}

QPushButton *SkinDialog::buttonForReturn() const
{
    // A push button takes Return only when it is a dialog's own button;
    // here it comes on to the dialog, which presses the focused one.
    auto *focused = qobject_cast<QPushButton *>(focusWidget());
    QPushButton *button = focused && isAncestorOf(focused) ? focused : m_defaultButton.data();
    if (!button || !button->isVisibleTo(this) || !button->isEnabled())
        return nullptr;
    return button;
}

void SkinDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && isCloseButtonVisible()) {
        close();
        return;
    }
    // Enter of the keypad comes with the keypad modifier; any other
    // modifier leaves the key to whoever wants it.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (enter && modifiers == Qt::NoModifier) {
        if (QPushButton *button = buttonForReturn()) {
            button->click();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

void SkinDialog::closeEvent(QCloseEvent *event)
{
    if (!m_closable) {
        event->ignore();
        return;
    }
    if (m_eventLoop && m_eventLoop->isRunning())
        m_eventLoop->quit();
    SkinWindow::closeEvent(event);
}

void SkinDialog::placeButtonRow(QFrame *separator, const QList<QPushButton *> &rightToLeft) const
{
    const int cw = centralWidget()->width();
    const int ch = centralWidget()->height();
    separator->setGeometry(QRect(QPoint(4, ch - 32), QPoint(cw - 5, ch - 31)));
    int x = cw - 80;
    for (QPushButton *button : rightToLeft) {
        button->setGeometry(x, ch - 25, 70, 20);
        x -= 75;
    }
}
