#ifndef SUPPORT_MODALDRIVER_H
#define SUPPORT_MODALDRIVER_H

// Answers the modal dialogs that the code under test runs in nested event
// loops: message boxes, file dialogs, whatever QApplication::
// activeModalWidget() is. (Message boxes with an answer hook need no
// driver.)
//
// Each answer waits for a visible modal widget of its type, acts on it, and
// acts again on every later tick while that dialog is still open (an accept
// given while a dialog is still settling can be lost), until the dialog is
// gone. A dialog that does not come, or will not go, within the time bound
// is rejected and the answer recorded as failed, so that the test fails fast
// with a message instead of hanging. Answers may be queued from inside an
// action (a dialog that opens a second one).

#include <QDialog>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

class QTimer;

class ModalDriver
{
public:
    // The bound, per answer, for the dialog to come and for it to go.
    explicit ModalDriver(int boundMs = 5000);
    // Rejects any dialog an answer still waits on, stopping its timer.
    ~ModalDriver();

    ModalDriver(const ModalDriver &) = delete;
    ModalDriver &operator=(const ModalDriver &) = delete;

    // Queues an action for the next modal widget that is a T.
    template<typename T>
    void answer(const std::function<void(T *)> &act, const QString &what = QString())
    {
        addAnswer(
            [act](QWidget *widget) {
                T *dialog = qobject_cast<T *>(widget);
                if (dialog)
                    act(dialog);
                return dialog != nullptr;
            },
            what.isEmpty() ? QString::fromLatin1(T::staticMetaObject.className()) : what);
    }

    // Every queued answer found its dialog, and every dialog has gone.
    bool isDone() const;
    // Empty when nothing went wrong; otherwise what did, for QVERIFY2.
    QString failures() const;

private:
    struct Answer;
    void addAnswer(const std::function<bool(QWidget *)> &act, const QString &what);
    void tick(Answer *answer);
    void fail(Answer *answer, const QString &why);

    int m_bound;
    QList<std::shared_ptr<Answer>> m_answers;
    QStringList m_failures;
};

#endif // SUPPORT_MODALDRIVER_H
