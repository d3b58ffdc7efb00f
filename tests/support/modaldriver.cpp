#include "support/modaldriver.h"

#include <QApplication>
#include <QTimer>

namespace {

// How often an answer looks for its dialog, and looks again after acting.
constexpr int kPollMs = 10;
constexpr int kRetryMs = 50;

} // namespace

struct ModalDriver::Answer
{
    std::function<bool(QWidget *)> act;
    QString what;
    std::unique_ptr<QTimer> timer;
    QElapsedTimer clock;
    QPointer<QWidget> dialog;
    bool acted = false;
    bool retried = false;
    bool finished = false;
};

ModalDriver::ModalDriver(int boundMs)
    : m_bound(boundMs)
{
}

ModalDriver::~ModalDriver()
{
    for (const std::shared_ptr<Answer> &answer : qAsConst(m_answers)) {
        answer->timer.reset();
        if (auto *dialog = qobject_cast<QDialog *>(answer->dialog.data()))
            dialog->reject();
    }
}

void ModalDriver::addAnswer(const std::function<bool(QWidget *)> &act, const QString &what)
{
    auto answer = std::make_shared<Answer>();
    answer->act = act;
    answer->what = what;
    answer->timer = std::make_unique<QTimer>();
    answer->timer->setInterval(kPollMs);
    Answer *raw = answer.get();
    QObject::connect(answer->timer.get(), &QTimer::timeout, [this, raw] { tick(raw); });
    answer->clock.start();
    answer->timer->start();
    m_answers.append(answer);
}

void ModalDriver::tick(Answer *answer)
{
    if (answer->finished)
        return;
    if (answer->acted) {
        // Gone (or hidden): done. Still there: act once more.
        if (!answer->dialog || !answer->dialog->isVisible()) {
            answer->finished = true;
            answer->timer->stop();
            return;
        }
        // At least one more try before giving up: on a loaded machine the
        // whole bound can pass between two ticks.
        const bool onTop = QApplication::activeModalWidget() == answer->dialog;
        if (answer->clock.elapsed() > m_bound && (answer->retried || !onTop)) {
            fail(answer, QStringLiteral("did not close"));
            return;
        }
        if (onTop) {
            answer->act(answer->dialog);
            answer->retried = true;
        }
        return;
    }
    QWidget *widget = QApplication::activeModalWidget();
    if (widget && widget->isVisible() && answer->act(widget)) {
        answer->acted = true;
        answer->dialog = widget;
        answer->clock.restart();
        answer->timer->setInterval(kRetryMs);
        return;
    }
    if (answer->clock.elapsed() > m_bound)
        fail(answer, QStringLiteral("never came"));
}

void ModalDriver::fail(Answer *answer, const QString &why)
{
    answer->finished = true;
    answer->timer->stop();
    m_failures.append(answer->what + QLatin1Char(' ') + why);
    // Whatever modal widget is up goes, so that the code under test returns.
    QWidget *stuck = answer->dialog ? answer->dialog.data() : QApplication::activeModalWidget();
    if (auto *dialog = qobject_cast<QDialog *>(stuck))
        dialog->reject();
    else if (stuck)
        stuck->close();
}

bool ModalDriver::isDone() const
{
    for (const std::shared_ptr<Answer> &answer : m_answers) {
        const bool gone = !answer->dialog || !answer->dialog->isVisible();
        if (!answer->acted || !gone)
            return false;
    }
    return m_failures.isEmpty();
}

QString ModalDriver::failures() const
{
    QStringList texts = m_failures;
    for (const std::shared_ptr<Answer> &answer : m_answers) {
        if (!answer->acted && !answer->finished)
            texts.append(answer->what + QStringLiteral(" has not come yet"));
        else if (answer->acted && answer->dialog && answer->dialog->isVisible())
            texts.append(answer->what + QStringLiteral(" is still open"));
    }
    return texts.join(QStringLiteral("; "));
}
