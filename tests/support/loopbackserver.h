#ifndef SUPPORT_LOOPBACKSERVER_H
#define SUPPORT_LOOPBACKSERVER_H

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

// A small HTTP server on 127.0.0.1, on a port of its own choosing, that
// records the last request it read and answers it in one of a few ways. The
// network tests talk to nothing else.
class LoopbackHttpServer : public QObject
{
    Q_OBJECT

public:
    enum Mode {
        Answer,      // 200 with the reply body
        NotFound,    // 404 with a body
        Silent,      // reads the request and never answers
        Endless,     // 200 without a length, then bytes until the client leaves
        HugeLength,  // 200 announcing a body larger than any cap
        CutShort,    // 200 announcing the reply body, only its first half sent
    };

    explicit LoopbackHttpServer(QObject *parent = nullptr) : QObject(parent)
    {
        connect(&m_server, &QTcpServer::newConnection, this, &LoopbackHttpServer::accept);
    }

    bool listen() { return m_server.listen(QHostAddress::LocalHost, 0); }
    QString url(const QString &target = QStringLiteral("/Services/Test.ashx")) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(target);
    }

    Mode mode = Answer;
    QByteArray replyBody = "reply";

    int requestCount = 0;
    QByteArray method;
    QByteArray target;
    QHash<QByteArray, QByteArray> headers; // names in lower case
    QByteArray body;

private:
    void accept()
    {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
                m_buffers.remove(socket);
                socket->deleteLater();
            });
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
        }
    }

    void read(QTcpSocket *socket)
    {
        QByteArray &buffer = m_buffers[socket];
        buffer += socket->readAll();
        const int headerEnd = buffer.indexOf("\r\n\r\n");
        if (headerEnd < 0)
            return;
        const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
        QHash<QByteArray, QByteArray> requestHeaders;
        for (int i = 1; i < lines.size(); ++i) {
            const int colon = lines.at(i).indexOf(':');
            if (colon > 0)
                requestHeaders.insert(lines.at(i).left(colon).trimmed().toLower(),
                                      lines.at(i).mid(colon + 1).trimmed());
        }
        const int length = requestHeaders.value("content-length", "0").toInt();
        if (buffer.size() < headerEnd + 4 + length)
            return;
        const QList<QByteArray> requestLine = lines.first().trimmed().split(' ');
        method = requestLine.value(0);
        target = requestLine.value(1);
        headers = requestHeaders;
        body = buffer.mid(headerEnd + 4, length);
        ++requestCount;
        m_buffers.remove(socket);
        respond(socket);
    }

    void respond(QTcpSocket *socket)
    {
        switch (mode) {
        case Answer:
        case NotFound:
            socket->write((mode == Answer ? "HTTP/1.1 200 OK\r\n" : "HTTP/1.1 404 Not Found\r\n")
                          + QByteArray("Content-Type: application/octet-stream\r\nContent-Length: ")
                          + QByteArray::number(replyBody.size()) + "\r\nConnection: close\r\n\r\n"
                          + replyBody);
            socket->disconnectFromHost();
            break;
        case Silent:
            break;
        case CutShort:
            socket->write("HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\nContent-Length: "
                          + QByteArray::number(replyBody.size()) + "\r\nConnection: close\r\n\r\n"
                          + replyBody.left(replyBody.size() / 2));
            socket->disconnectFromHost();
            break;
        case HugeLength:
            socket->write("HTTP/1.1 200 OK\r\nContent-Length: 1000000000000\r\nConnection: close\r\n\r\n");
            socket->write(QByteArray(1024, 'x'));
            break;
        case Endless: {
            socket->write("HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\n"
                          "Connection: close\r\n\r\n");
            auto *pump = new QTimer(socket);
            const QPointer<QTcpSocket> guarded(socket);
            connect(pump, &QTimer::timeout, socket, [guarded] {
                if (guarded && guarded->state() == QAbstractSocket::ConnectedState
                    && guarded->bytesToWrite() < 256 * 1024)
                    guarded->write(QByteArray(64 * 1024, 'z'));
            });
            pump->start(1);
            break;
        }
        }
    }

    // Declared first: the server's sockets report their disconnection to
    // it while the server is destroyed.
    QHash<QTcpSocket *, QByteArray> m_buffers;
    QTcpServer m_server;
};

#endif // SUPPORT_LOOPBACKSERVER_H
