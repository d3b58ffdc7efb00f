#include "skin/windows/skindialog.h"

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

SkinDialog::ScopedAnswerHook::ScopedAnswerHook(const AnswerHook &hook)
    : m_previous(installedHook())
{
    installedHook() = hook;
}

SkinDialog::ScopedAnswerHook::~ScopedAnswerHook()
{
    installedHook() = m_previous;
}

SkinDialog::SkinDialog(QWidget *parent)
    : SkinWindow(parent)
{
    setCaptionHeight(18);
    setWindowModality(Qt::ApplicationModal);
    setAttribute(Qt::WA_ShowModal);
    setVisible(false);
    setWindowTitle(tr("Dialog"));
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

void SkinDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && isCloseButtonVisible()) {
        close();
        return;
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
