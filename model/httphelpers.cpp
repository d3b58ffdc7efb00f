#include "model/httphelpers.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

namespace {

QNetworkRequest formRequest(const QString &url)
{
    QNetworkRequest request(QUrl(url, QUrl::TolerantMode));
    // The service reads the same header on GET as on POST.
    request.setHeader(QNetworkRequest::ContentTypeHeader,
                      QByteArrayLiteral("application/x-www-form-urlencoded; charset=UTF-8"));
    return request;
}

QByteArray formEncoded(const QString &text)
{
    return QUrl::toPercentEncoding(text, QByteArrayLiteral(" ")).replace(' ', '+');
}

// The network layer now and then reports a reply whose connection closed
// early as complete; a body shorter than its announced length is cut short.
// (A body the network layer unpacked has another length than the one
// announced, which counts the packed bytes.)
bool cutShort(QNetworkReply *reply, const QByteArray &body)
{
    const QVariant announced = reply->header(QNetworkRequest::ContentLengthHeader);
    const QByteArray encoding = reply->rawHeader("Content-Encoding").trimmed().toLower();
    if (!announced.isValid() || !(encoding.isEmpty() || encoding == "identity"))
        return false;
    return body.size() != announced.toLongLong();
}

// Waits for the reply and takes its body, or fills in the error text. The
// reply is never left running: one that is still open when the wait ends is
// aborted and counts as a failure.
QByteArray waitForReply(QNetworkReply *reply, QString &errorText, int &status, int timeoutMs,
                        HttpTimeout timeout, qint64 maxReplySize)
{
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    bool timedOut = false;
    bool tooLarge = false;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    // The reply buffers everything it receives, so it is watched as it grows;
    // a reply that announces too much is refused before its body arrives.
    const auto checkSize = [&] {
        const QVariant announced = reply->header(QNetworkRequest::ContentLengthHeader);
        if (reply->bytesAvailable() > maxReplySize
            || (announced.isValid() && announced.toLongLong() > maxReplySize)) {
            tooLarge = true;
            loop.quit();
        }
    };
    QObject::connect(reply, &QNetworkReply::metaDataChanged, &loop, checkSize);
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, checkSize);
    if (timeout == HttpTimeout::SinceLastData)
        QObject::connect(reply, &QNetworkReply::readyRead, &deadline, [&] { deadline.start(); });
    if (!reply->isFinished()) {
        deadline.start(qMax(timeoutMs, 0));
        loop.exec();
    }

    checkSize();
    status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (tooLarge || !reply->isFinished()) {
        reply->disconnect(&loop);
        reply->abort();
        if (tooLarge)
            errorText = QCoreApplication::translate("HttpHelpers", "The reply is larger than %1 bytes.")
                            .arg(maxReplySize);
        else if (timedOut)
            errorText = QCoreApplication::translate("HttpHelpers", "The request timed out after %1 ms.")
                            .arg(timeoutMs);
        else
            errorText = QCoreApplication::translate("HttpHelpers", "The request did not finish.");
        return QByteArray();
    }
    if (reply->error() != QNetworkReply::NoError) {
        errorText = reply->errorString();
        return QByteArray();
    }
    const QByteArray body = reply->readAll();
    if (cutShort(reply, body)) {
        errorText = QCoreApplication::translate("HttpHelpers", "The reply ended before all its bytes arrived.");
        return QByteArray();
    }
    return body;
}

bool refuseEmptyAddress(const QString &url, QString &errorText)
{
    if (!url.isEmpty())
        return false;
    errorText = QCoreApplication::translate("HttpHelpers", "No address to send the request to.");
    return true;
}

} // namespace

QByteArray httpFormBody(const QHash<QString, QString> &fields)
{
    const bool separated = fields.size() > 1;
    QByteArray body;
    for (auto it = fields.cbegin(); it != fields.cend(); ++it) {
        body += formEncoded(it.key());
        body += '=';
        body += formEncoded(it.value());
        if (separated)
            body += '&';
    }
    return body;
}

QByteArray httpGetSync(const QString &url, QString &errorText, int timeoutMs, qint64 maxReplySize)
{
    int status = 0;
    return httpGetSync(url, errorText, status, timeoutMs, HttpTimeout::FromStart, maxReplySize);
}

QByteArray httpGetSync(const QString &url, QString &errorText, int &status, int timeoutMs,
                       HttpTimeout timeout, qint64 maxReplySize)
{
    status = 0;
    if (refuseEmptyAddress(url, errorText))
        return QByteArray();
    QNetworkAccessManager manager;
    QNetworkReply *reply = manager.get(formRequest(url));
    const QByteArray result = waitForReply(reply, errorText, status, timeoutMs, timeout, maxReplySize);
    delete reply;
    return result;
}

QByteArray httpGetSync(const QString &url)
{
    QString scratch;
    return httpGetSync(url, scratch);
}

QByteArray httpPostFormSync(const QString &url, const QHash<QString, QString> &fields,
                            QString &errorText, int timeoutMs, qint64 maxReplySize)
{
    if (refuseEmptyAddress(url, errorText))
        return QByteArray();
    QNetworkAccessManager manager;
    QNetworkReply *reply = manager.post(formRequest(url), httpFormBody(fields));
    int status = 0;
    const QByteArray result =
        waitForReply(reply, errorText, status, timeoutMs, HttpTimeout::FromStart, maxReplySize);
    delete reply;
    return result;
}

QByteArray httpPostFormSync(const QString &url, const QHash<QString, QString> &fields)
{
    QString scratch;
    return httpPostFormSync(url, fields, scratch);
}

QByteArray httpPostFormSync(const QString &url, QString &errorText)
{
    return httpPostFormSync(url, QHash<QString, QString>(), errorText);
}

QByteArray httpPostFormSync(const QString &url)
{
    QString scratch;
    return httpPostFormSync(url, scratch);
}
