#include "app/singleinstanceapplication.h"

#include "app/handoverconnection.h"
#include "app/handoverframe.h"
#include "app/instancelock.h"
#include "app/programfiles.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QMetaMethod>
#include <QThread>

#include <limits>

namespace {

// Between attempts to reach a running instance that holds the lock but is
// not listening yet, or that refused the connection while it served others.
const int retryMilliseconds = 20;

int remaining(const QDeadlineTimer &deadline)
{
    const qint64 left = deadline.remainingTime();
    return left < 0 ? -1 : int(qMin<qint64>(left, std::numeric_limits<int>::max()));
}

// One attempt at a hand-over: true once the running instance has answered
// that it holds the frame's text and the confirmation has gone out.
bool offer(const QString &socketPath, const QByteArray &frame, const QDeadlineTimer &deadline)
{
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(remaining(deadline)))
        return false;
    socket.write(frame);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(remaining(deadline)))
            return false;
    }
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(remaining(deadline)))
            return false;
    }
    char answer = 0;
    if (!socket.getChar(&answer) || answer != HandOverFrame::receivedAnswer)
        return false;
    // One byte to a peer that has read all the rest: it goes at once, or
    // the peer is gone.
    socket.putChar(HandOverFrame::confirmation);
    return socket.flush() && socket.bytesToWrite() == 0;
}

} // namespace

SingleInstanceApplication::SingleInstanceApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
    m_listenCheck.setInterval(listenCheckMilliseconds);
    connect(&m_listenCheck, &QTimer::timeout, this, &SingleInstanceApplication::keepListening);
}

SingleInstanceApplication::~SingleInstanceApplication()
{
    // The socket goes before the lock, so that a start that takes the lock
    // over finds no listener left behind.
    m_listenCheck.stop();
    if (m_server)
        m_server->close();
    m_lock.reset();
}

bool SingleInstanceApplication::isRunning()
{
    if (m_role == Role::Undecided)
        m_role = decideRole();
    return m_role == Role::Sender;
}

SingleInstanceApplication::Role SingleInstanceApplication::decideRole()
{
    const QString program = QCoreApplication::applicationFilePath();
    const QString lockPath = instanceLockPath(program);
    if (lockPath.isEmpty()) {
        qWarning("%s: no runtime folder; running without a single instance", ProgramFiles::program);
        return Role::Alone;
    }
    m_socketPath = instanceSocketPath(program);
    m_lock = std::make_unique<QLockFile>(lockPath);
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0)) {
        if (listen()) {
            m_listenCheck.start();
            return Role::Receiver;
        }
        qWarning("%s: running without a single instance", ProgramFiles::program);
        // A later start would find the lock held and no one listening.
        m_lock.reset();
        return Role::Alone;
    }
    if (m_lock->error() == QLockFile::LockFailedError)
        return Role::Sender;
    qWarning("%s: cannot create the instance lock; running without a single instance",
             ProgramFiles::program);
    return Role::Alone;
}

bool SingleInstanceApplication::listen()
{
    if (!m_server) {
        m_server = new QLocalServer(this);
        m_server->setSocketOptions(QLocalServer::UserAccessOption);
        connect(m_server, &QLocalServer::newConnection, this,
                &SingleInstanceApplication::acceptConnections);
    }
    // A socket file left by an instance that died (its lock was stale), or
    // by this one when it stopped listening.
    QLocalServer::removeServer(m_socketPath);
    if (m_server->listen(m_socketPath))
        return true;
    qWarning("%s: cannot listen on %s: %s", ProgramFiles::program, qPrintable(m_socketPath),
             qPrintable(m_server->errorString()));
    return false;
}

// The server closes itself, and removes its socket file, when an accept
// fails (out of file descriptors, say); others may remove the file.
void SingleInstanceApplication::keepListening()
{
    if (m_server->isListening() && QFileInfo::exists(m_socketPath))
        return;
    m_server->close();
    listen();
}

bool SingleInstanceApplication::sendMessage(const QString &message, int timeout)
{
    if (!isRunning())
        return false;
    const QDeadlineTimer deadline(timeout);
    const QByteArray frame = HandOverFrame::bytes(message);
    while (!offer(m_socketPath, frame, deadline)) {
        if (deadline.hasExpired())
            return false;
        const int left = remaining(deadline);
        QThread::msleep(ulong(left < 0 ? retryMilliseconds : qMin(left, retryMilliseconds)));
    }
    return true;
}

void SingleInstanceApplication::acceptConnections()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        if (servedConnections() >= maximumConnections) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        auto *connection = new HandOverConnection(socket, frameMilliseconds, this);
        connect(connection, &HandOverConnection::confirmed, this, &SingleInstanceApplication::take);
    }
}

// Ended connections count until they are deleted, a moment later.
int SingleInstanceApplication::servedConnections() const
{
    return findChildren<HandOverConnection *>(QString(), Qt::FindDirectChildrenOnly).size();
}

void SingleInstanceApplication::take(const QString &text)
{
    m_pending.append(text);
    scheduleDelivery();
}

void SingleInstanceApplication::connectNotify(const QMetaMethod &signal)
{
    QApplication::connectNotify(signal);
    if (signal == QMetaMethod::fromSignal(&SingleInstanceApplication::messageReceived))
        scheduleDelivery();
}

// From the event loop, never from inside a socket handler or a connect():
// a receiver may run a dialog of its own, and the socket may be gone when it
// returns.
void SingleInstanceApplication::scheduleDelivery()
{
    QMetaObject::invokeMethod(this, &SingleInstanceApplication::deliverPendingMessages,
                              Qt::QueuedConnection);
}

void SingleInstanceApplication::deliverPendingMessages()
{
    // A text that arrives while a receiver runs a nested event loop waits
    // for the text before it, so the order holds.
    if (m_delivering)
        return;
    m_delivering = true;
    const QMetaMethod received = QMetaMethod::fromSignal(&SingleInstanceApplication::messageReceived);
    while (!m_pending.isEmpty() && isSignalConnected(received))
        emit messageReceived(m_pending.takeFirst());
    m_delivering = false;
}
