#ifndef SINGLEINSTANCEAPPLICATION_H
#define SINGLEINSTANCEAPPLICATION_H

#include <QApplication>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <memory>

class QLocalServer;
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
// Wire: one hand-over per connection (handoverframe.h). A text is taken
// only once its sender has confirmed, after the receiving instance said it
// holds it; a sender that gave up has withdrawn its text, which then never
// arrives. Texts taken while nothing is connected to messageReceived are
// kept, and delivered in order, from the event loop, once something is.
//
// Bounds: at most maximumConnections connections are served at once, and a
// later one is closed as soon as it is accepted; each served one has
// frameMilliseconds from its accept to deliver and confirm its text. A
// receiving instance that finds itself no longer listening (its socket file
// gone, or the server closed by a failed accept) listens again, checking
// every listenCheckMilliseconds: while it holds the lock, it keeps trying
// to be reachable.
//
// Without a usable runtime folder, or when the lock or the socket cannot be
// set up at the first call of isRunning(), the instance runs on its own:
// isRunning() is false and nothing is received. Owns the lock, the server
// and the connections; all go with the object.
class SingleInstanceApplication : public QApplication
{
    Q_OBJECT

public:
    static constexpr int maximumConnections = 16;
    static constexpr int frameMilliseconds = 5000;
    static constexpr int listenCheckMilliseconds = 1000;

    SingleInstanceApplication(int &argc, char **argv);
    ~SingleInstanceApplication() override;

    // True when another instance runs. The first call decides: when none
    // runs, this instance becomes the one that receives later texts. An
    // instance that never asks never receives.
    bool isRunning();
    // Passes the text to the running instance, waiting at most `timeout`
    // milliseconds in all (a negative time-out waits for ever); a
    // connection that is refused or breaks is tried again meanwhile. True
    // once the running instance has said it holds the text and the text is
    // confirmed; false when none runs, or when it did not answer in time,
    // and then the text is withdrawn.
    bool sendMessage(const QString &message, int timeout);

signals:
    void messageReceived(const QString &message);

protected:
    void connectNotify(const QMetaMethod &signal) override;

private:
    enum class Role { Undecided, Receiver, Sender, Alone };

    Role decideRole();
    bool listen();
    void keepListening();
    void acceptConnections();
    int servedConnections() const;
    void take(const QString &text);
    void deliverPendingMessages();
    void scheduleDelivery();

    Role m_role = Role::Undecided;
    QString m_socketPath;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
    QTimer m_listenCheck;
    QStringList m_pending;
    bool m_delivering = false;
};

#endif // SINGLEINSTANCEAPPLICATION_H
