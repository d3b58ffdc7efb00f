#include "app/singleinstanceapplication.h"

#include "app/instancelock.h"
#include "app/programfiles.h"

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QMetaMethod>
#include <QThread>
#include <QtEndian>

#include <limits>

namespace {

const int lengthBytes = 4;
const char acknowledgement = '\x06';
// Far beyond any list of paths; a larger length is a broken or hostile
// sender, and waiting for that many bytes would hold memory for nothing.
const quint32 maximumMessageBytes = 16u * 1024u * 1024u;
// Between attempts to reach a running instance that holds the lock but is
// not listening yet.
const int retryMilliseconds = 20;

QByteArray frame(const QString &message)
{
    const QByteArray text = message.toUtf8();
    QByteArray bytes(lengthBytes, Qt::Uninitialized);
    qToBigEndian<quint32>(quint32(text.size()), bytes.data());
    return bytes + text;
}

int remaining(const QDeadlineTimer &deadline)
{
    const qint64 left = deadline.remainingTime();
    return left < 0 ? -1 : int(qMin<qint64>(left, std::numeric_limits<int>::max()));
}

} // namespace

SingleInstanceApplication::SingleInstanceApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
}

SingleInstanceApplication::~SingleInstanceApplication()
{
    // The socket goes before the lock, so that a start that takes the lock
    // over finds no listener left behind.
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
    if (m_lock->tryLock(0))
        return listen() ? Role::Receiver : Role::Alone;
    if (m_lock->error() == QLockFile::LockFailedError)
        return Role::Sender;
    qWarning("%s: cannot create the instance lock; running without a single instance",
             ProgramFiles::program);
    return Role::Alone;
}

bool SingleInstanceApplication::listen()
{
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // A socket file left by an instance that died; its lock was stale.
    QLocalServer::removeServer(m_socketPath);
    if (!m_server->listen(m_socketPath)) {
        qWarning("%s: cannot listen on %s: %s; running without a single instance",
                 ProgramFiles::program, qPrintable(m_socketPath),
                 qPrintable(m_server->errorString()));
        delete m_server;
        m_server = nullptr;
        // A later start would find the lock held and no one listening.
        m_lock.reset();
        return false;
    }
    connect(m_server, &QLocalServer::newConnection, this,
            &SingleInstanceApplication::acceptConnections);
    return true;
}

bool SingleInstanceApplication::sendMessage(const QString &message, int timeout)
{
    if (!isRunning())
        return false;
    const QDeadlineTimer deadline(timeout);
    QLocalSocket socket;
    // The running instance takes the lock a moment before it listens.
    for (;;) {
        socket.connectToServer(m_socketPath);
        if (socket.waitForConnected(remaining(deadline)))
            break;
        socket.abort();
        if (deadline.hasExpired())
            return false;
        QThread::msleep(ulong(qBound(0, remaining(deadline), retryMilliseconds)));
    }
    socket.write(frame(message));
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(remaining(deadline)))
            return false;
    }
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(remaining(deadline)))
            return false;
    }
    char answer = 0;
    return socket.getChar(&answer) && answer == acknowledgement;
}

void SingleInstanceApplication::acceptConnections()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrames(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        readFrames(socket);
    }
}

void SingleInstanceApplication::readFrames(QLocalSocket *socket)
{
    // A sender that gave up closes its end; what it wrote may still be read.
    while (socket->isOpen()) {
        char header[lengthBytes];
        if (socket->peek(header, lengthBytes) < lengthBytes)
            return;
        const quint32 length = qFromBigEndian<quint32>(header);
        if (length > maximumMessageBytes) {
            socket->abort();
            return;
        }
        if (socket->bytesAvailable() < qint64(lengthBytes) + length)
            return;
        socket->skip(lengthBytes);
        m_pending.append(QString::fromUtf8(socket->read(length)));
        // The text is held from here on: the sender may go.
        socket->putChar(acknowledgement);
        socket->flush();
        scheduleDelivery();
    }
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
