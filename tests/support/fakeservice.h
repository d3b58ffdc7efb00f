#ifndef FAKESERVICE_H
#define FAKESERVICE_H

// Runs tests/support/fakeservice.py, the stand-in for the web service, for
// one test: it listens on 127.0.0.1 on a port of its own, answers from the
// routes the test gives and logs every request. Ended with the object (and
// by itself after an idle bound, should the test die).
//
//     FakeService service;
//     QVERIFY(service.start({{"/files/Loomdraw", fakeanswer::file(path)}}));
//     ... LOOMDRAW_SERVICE_BASE = service.baseUrl() ...
//     QCOMPARE(service.requests().first().value("path"), "/files/Loomdraw");
//
// The answers below build the route values; the script's header lists every
// field an answer may have.

#include "support/childwait.h"

#include <QByteArray>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

namespace fakeanswer {

inline QJsonObject text(const QString &body, int status = 200)
{
    return QJsonObject{{"status", status}, {"body", body}};
}

// The script's HTML page ("<!DOCTYPE html>..."), as text/html.
inline QJsonObject html(int status = 200)
{
    return QJsonObject{{"status", status}, {"html", true}};
}

inline QJsonObject file(const QString &path)
{
    return QJsonObject{{"file", path}};
}

// The file's length announced, only its first `bytes` sent.
inline QJsonObject cutShort(const QString &path, int bytes)
{
    return QJsonObject{{"file", path}, {"cut_at", bytes}};
}

inline QJsonObject redirect(const QString &body)
{
    return QJsonObject{{"status", 302}, {"headers", QJsonObject{{"Location", "/elsewhere"}}},
                       {"body", body}};
}

// The request is read and never answered.
inline QJsonObject silent()
{
    return QJsonObject{{"silent", true}};
}

// Any answer with one field more (the script's header lists them).
inline QJsonObject with(QJsonObject answer, const char *field, const QJsonValue &value)
{
    answer.insert(QLatin1String(field), value);
    return answer;
}

// Any answer, sent only after a pause.
inline QJsonObject delayed(const QJsonObject &answer, int milliseconds)
{
    return with(answer, "delay_ms", milliseconds);
}

// Any answer, its body sent in ten pieces with a pause before each.
inline QJsonObject trickled(const QJsonObject &answer, int milliseconds)
{
    return with(answer, "trickle_ms", milliseconds);
}

// Any answer, its body gzip-compressed and sent as "Content-Encoding: gzip".
inline QJsonObject gzipped(const QJsonObject &answer) { return with(answer, "gzip", true); }
// Any answer without a Content-Length: the closed connection ends it.
inline QJsonObject withoutLength(const QJsonObject &answer) { return with(answer, "length", false); }
// Any answer, sent as HTTP/1.0.
inline QJsonObject http10(const QJsonObject &answer) { return with(answer, "http10", true); }
// Any answer, sent in chunks of 16 KiB.
inline QJsonObject chunked(const QJsonObject &answer) { return with(answer, "chunked", true); }
// Any answer of which only the first half of the body (as sent: compressed,
// or in whole chunks) goes out before the connection closes.
inline QJsonObject cutAtHalf(const QJsonObject &answer) { return with(answer, "cut_fraction", 0.5); }

} // namespace fakeanswer

class FakeService
{
public:
    FakeService() = default;
    FakeService(const FakeService &) = delete;
    FakeService &operator=(const FakeService &) = delete;
    ~FakeService() { stop(); }

    // Starts the service with the route table (target to answer, or to an
    // array of answers given in turn) and any further options of the script
    // ("--catalogue", "six"; "--scenario", a name); true once it listens.
    bool start(const QJsonObject &routes, int idleSeconds = 120, const QStringList &options = {})
    {
        if (!m_folder.isValid())
            return false;
        m_process.setProgram(QStringLiteral(LOOMDRAW_PYTHON3));
        m_process.setArguments(QStringList{QStringLiteral(LOOMDRAW_FAKE_SERVICE), "--routes",
                                QString::fromUtf8(QJsonDocument(routes).toJson(QJsonDocument::Compact)),
                                "--log", logPath(), "--idle", QString::number(idleSeconds)}
                               + options);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start();
        if (!m_process.waitForStarted(childWaitMilliseconds))
            return false;
        while (!m_process.canReadLine()) {
            if (m_process.state() != QProcess::Running || !m_process.waitForReadyRead(childWaitMilliseconds))
                return false;
        }
        m_port = QJsonDocument::fromJson(m_process.readLine()).object().value("port").toInt();
        return m_port > 0;
    }

    // Starts the service with the routes of a scenario of the script's
    // (SCENARIOS in fakeservice.py) added to the table.
    bool startScenario(const QString &scenario, const QJsonObject &routes = QJsonObject(), int idleSeconds = 120)
    {
        return start(routes, idleSeconds, {QStringLiteral("--scenario"), scenario});
    }

    void stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.kill();
        m_process.waitForFinished(childWaitMilliseconds);
    }

    // "http://127.0.0.1:<port>", the service's base address.
    QString baseUrl() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_port); }

    // The requests so far, in the order they arrived: "time", "method",
    // "path", "query", "query_fields", "headers", "body", "form_fields".
    QList<QJsonObject> requests() const
    {
        QList<QJsonObject> requests;
        QFile log(logPath());
        if (!log.open(QIODevice::ReadOnly))
            return requests;
        for (const QByteArray &line : log.readAll().split('\n')) {
            if (!line.isEmpty())
                requests.append(QJsonDocument::fromJson(line).object());
        }
        return requests;
    }

private:
    QString logPath() const { return m_folder.filePath(QStringLiteral("requests.jsonl")); }

    QTemporaryDir m_folder;
    QProcess m_process;
    int m_port = 0;
};

#endif // FAKESERVICE_H
