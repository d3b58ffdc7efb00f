#include "app/handoverconnection.h"

#include <QLocalSocket>

#include <utility>

HandOverConnection::HandOverConnection(QLocalSocket *socket, int deadlineMilliseconds,
                                       QObject *parent)
    : QObject(parent)
    , m_socket(socket)
{
    m_socket->setParent(this);
    m_deadline.setSingleShot(true);
    // A coarse timer of seconds may fire a twentieth early and cut off a
    // peer still within its time.
    m_deadline.setTimerType(Qt::PreciseTimer);
    connect(&m_deadline, &QTimer::timeout, this, &HandOverConnection::expire);
    connect(m_socket, &QLocalSocket::readyRead, this, &HandOverConnection::readAvailable);
    // What a sender wrote before it went is read first.
    connect(m_socket, &QLocalSocket::disconnected, this, [this] {
        readAvailable();
        if (!hasEnded())
            end();
    });
    m_deadline.start(deadlineMilliseconds);
    readAvailable();
}

void HandOverConnection::readAvailable()
{
    if (hasEnded())
        return;
    const HandOverFrame::State before = m_frame.state();
    const QByteArray bytes = m_socket->readAll();
    m_frame.read(bytes.constData(), bytes.size());
    switch (m_frame.state()) {
    case HandOverFrame::State::Incomplete:
        return;
    case HandOverFrame::State::Received:
        if (before != HandOverFrame::State::Received) {
            m_socket->putChar(HandOverFrame::receivedAnswer);
            m_socket->flush();
        }
        return;
    case HandOverFrame::State::Confirmed:
        emit confirmed(m_frame.text());
        break;
    case HandOverFrame::State::Broken:
        break;
    }
    end();
}

void HandOverConnection::expire()
{
    // The confirmation may wait unread behind this time-out when the
    // instance was held up: it is taken all the same.
    m_socket->waitForReadyRead(0);
    readAvailable();
    if (!hasEnded())
        end();
}

void HandOverConnection::end()
{
    QLocalSocket *socket = std::exchange(m_socket, nullptr);
    socket->disconnect(this);
    socket->abort();
    m_deadline.stop();
    deleteLater();
}
