#ifndef HANDOVERCONNECTION_H
#define HANDOVERCONNECTION_H

#include "app/handoverframe.h"

#include <QObject>
#include <QString>
#include <QTimer>

class QLocalSocket;

// One connection of a later start to the running instance, from its accept
// to its end: reads one hand-over (handoverframe.h), answers once the text
// is whole and emits it once the sender has confirmed.
//
// A connection ends at once when its frame breaks, when it has not been
// confirmed within its deadline (counted from the accept), or when the
// sender goes; it then emits nothing. Either way it closes its socket when
// it ends and deletes itself from the event loop. Owns the socket.
class HandOverConnection : public QObject
{
    Q_OBJECT

public:
    HandOverConnection(QLocalSocket *socket, int deadlineMilliseconds, QObject *parent);

signals:
    // Emitted once, for a confirmed text, before the connection ends.
    void confirmed(const QString &text);

private:
    void readAvailable();
    void expire();
    void end();
    bool hasEnded() const { return !m_socket; }

    // Null once the connection has ended; the socket goes with the object.
    QLocalSocket *m_socket;
    HandOverFrame m_frame;
    QTimer m_deadline;
};

#endif // HANDOVERCONNECTION_H
