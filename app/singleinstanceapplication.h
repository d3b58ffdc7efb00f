#ifndef SINGLEINSTANCEAPPLICATION_H
#define SINGLEINSTANCEAPPLICATION_H

#include <QApplication>
#include <QString>
#include <QStringList>

#include <memory>

class QLocalServer;
class QLocalSocket;
class QLockFile;

// The application object of a program that keeps one running instance per
// user and program file: a later start hands its text to the running one
// and ends.
//
// Identity: a lock file and a local socket in the user's runtime folder,
// named after the program file's path. The lock never goes stale by age, so
// only the lock of a holder that has died is taken over. The socket is open
// to the user alone. The application name must stay the program file's
// name: the lock file tells a live holder from a dead one by it.
//
// Wire: the sender writes the text as UTF-8 after its length (4 bytes, most
// significant first); the receiver answers with one byte once it holds the
// text. Texts that arrive while nothing is connected to messageReceived are
// kept, and delivered in order, from the event loop, once something is.
//
// Without a usable runtime folder, or when the lock or the socket cannot be
// set up, the instance runs on its own: isRunning() is false and nothing is
// received. Owns the lock and the server; both go with the object.
class SingleInstanceApplication : public QApplication
{
    Q_OBJECT

public:
    SingleInstanceApplication(int &argc, char **argv);
    ~SingleInstanceApplication() override;

    // True when another instance runs. The first call decides: when none
    // runs, this instance becomes the one that receives later texts. An
    // instance that never asks never receives.
    bool isRunning();
    // Passes the text to the running instance, waiting at most `timeout`
    // milliseconds in all (a negative time-out waits for ever). True only
    // once the running instance has answered that it holds the text; false
    // when none runs, or when it did not answer in time.
    bool sendMessage(const QString &message, int timeout);

signals:
    void messageReceived(const QString &message);

protected:
    void connectNotify(const QMetaMethod &signal) override;

private:
    enum class Role { Undecided, Receiver, Sender, Alone };

    Role decideRole();
    bool listen();
    void acceptConnections();
    void readFrames(QLocalSocket *socket);
    void deliverPendingMessages();
    void scheduleDelivery();

    Role m_role = Role::Undecided;
    QString m_socketPath;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
    QStringList m_pending;
    bool m_delivering = false;
};

#endif // SINGLEINSTANCEAPPLICATION_H
