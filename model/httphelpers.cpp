#include "model/httphelpers.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

#include <climits>

namespace {

QNetworkRequest formRequest(const QString &url)
{
    QNetworkRequest request(QUrl(url, QUrl::TolerantMode));
    // The service reads the same header on GET as on POST.
    request.setHeader(QNetworkRequest::ContentTypeHeader,
                      QByteArrayLiteral("application/x-www-form-urlencoded; charset=UTF-8"));
    // Set here, it also keeps the network layer from asking for compression
    // and unpacking the reply by itself.
    request.setRawHeader(QByteArrayLiteral("Accept-Encoding"), QByteArrayLiteral("identity"));
    return request;
}

QByteArray formEncoded(const QString &text)
{
    return QUrl::toPercentEncoding(text, QByteArrayLiteral(" ")).replace(' ', '+');
}

QString tr(const char *text)
{
    return QCoreApplication::translate("HttpHelpers", text);
}

// How long a reply may take and how large it may be.
struct ReplyBounds
{
    int idleMs = -1;            // since the last bytes received; -1: no bound
    int deadlineMs = -1;        // from the start of the request; -1: no bound
    qint64 bytesPerSecond = 0;  // lengthens the deadline by the announced length; 0: not
    qint64 maxSize = httpDefaultMaxReplySize;
    bool lengthNeeded = false;  // a reply that announces no length is refused
};

ReplyBounds boundsOf(int timeoutMs, HttpTimeout timeout, qint64 maxReplySize)
{
    ReplyBounds bounds;
    (timeout == HttpTimeout::FromStart ? bounds.deadlineMs : bounds.idleMs) = qMax(timeoutMs, 0);
    bounds.maxSize = maxReplySize;
    return bounds;
}

QVariant announcedLength(QNetworkReply *reply)
{
    return reply->header(QNetworkRequest::ContentLengthHeader);
}

// The deadline of a reply that announced `length` bytes, in milliseconds
// from the start of the request.
qint64 deadlineFor(const ReplyBounds &bounds, qint64 length)
{
    if (bounds.bytesPerSecond <= 0 || length <= 0)
        return bounds.deadlineMs;
    // No overflow: a length above the size bound has stopped the reply.
    return bounds.deadlineMs + qMin(length, bounds.maxSize) * 1000 / bounds.bytesPerSecond;
}

// Why a reply that the network layer reports complete is not whole, or
// empty when it is: a compressed body has another length than the one
// announced, so a cut in it would not show; without a length, only the
// closed connection ends the body; and the network layer now and then
// reports a connection that closed early as a complete reply.
QString notWhole(QNetworkReply *reply, const QByteArray &body, bool lengthNeeded)
{
    const QByteArray encoding = reply->rawHeader("Content-Encoding").trimmed().toLower();
    if (!encoding.isEmpty() && encoding != "identity")
        return tr("The reply is compressed (%1) although it was asked not to be.")
            .arg(QString::fromLatin1(encoding));
    const QVariant announced = announcedLength(reply);
    if (!announced.isValid())
        return lengthNeeded ? tr("The reply did not announce its length.") : QString();
    if (body.size() != announced.toLongLong())
        return tr("The reply ended before all its bytes arrived.");
    return QString();
}

// Waits for the reply and takes its body, or fills in the error text. The
// reply is never left running: one that is still open when the wait ends is
// aborted and counts as a failure.
QByteArray waitForReply(QNetworkReply *reply, QString &errorText, int &status, const ReplyBounds &bounds)
{
    enum class Stop { None, Stalled, Late, TooLarge };
    Stop stop = Stop::None;
    QEventLoop loop;
    const auto stopWith = [&](Stop why) {
        stop = why;
        loop.quit();
    };
    QElapsedTimer clock;
    clock.start();
    QTimer idle;
    QTimer deadline;
    idle.setSingleShot(true);
    deadline.setSingleShot(true);
    qint64 deadlineMs = bounds.deadlineMs;
    const auto armDeadline = [&] {
        if (deadlineMs >= 0)
            deadline.start(int(qBound<qint64>(0, deadlineMs - clock.elapsed(), INT_MAX)));
    };
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&idle, &QTimer::timeout, &loop, [&] { stopWith(Stop::Stalled); });
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] { stopWith(Stop::Late); });
    // The reply buffers everything it receives, so it is watched as it grows;
    // a reply that announces too much is refused before its body arrives.
    const auto tooLarge = [&] {
        const QVariant announced = announcedLength(reply);
        return reply->bytesAvailable() > bounds.maxSize
            || (announced.isValid() && announced.toLongLong() > bounds.maxSize);
    };
    QObject::connect(reply, &QNetworkReply::metaDataChanged, &loop, [&] {
        if (tooLarge())
            return stopWith(Stop::TooLarge);
        const QVariant announced = announcedLength(reply);
        if (bounds.bytesPerSecond > 0 && announced.isValid()) {
            deadlineMs = deadlineFor(bounds, announced.toLongLong());
            armDeadline();
        }
    });
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, [&] {
        if (tooLarge())
            return stopWith(Stop::TooLarge);
        if (bounds.idleMs >= 0)
            idle.start(bounds.idleMs);
    });
    if (!reply->isFinished()) {
        armDeadline();
        if (bounds.idleMs >= 0)
            idle.start(bounds.idleMs);
        loop.exec();
    }

    if (stop == Stop::None && tooLarge())
        stop = Stop::TooLarge;
    status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (stop != Stop::None || !reply->isFinished()) {
        reply->disconnect(&loop);
        reply->abort();
        switch (stop) {
        case Stop::TooLarge:
            errorText = tr("The reply is larger than %1 bytes.").arg(bounds.maxSize);
            break;
        case Stop::Late:
            errorText = tr("The request timed out after %1 ms.").arg(deadlineMs);
            break;
        case Stop::Stalled:
            errorText = tr("Nothing arrived for %1 ms.").arg(bounds.idleMs);
            break;
        case Stop::None:
            errorText = tr("The request did not finish.");
            break;
        }
        return QByteArray();
    }
    if (reply->error() != QNetworkReply::NoError) {
        errorText = reply->errorString();
        return QByteArray();
    }
    const QByteArray body = reply->readAll();
    const QString refusal = notWhole(reply, body, bounds.lengthNeeded);
    if (!refusal.isEmpty()) {
        errorText = refusal;
        return QByteArray();
    }
    return body;
}

QByteArray get(const QString &url, QString &errorText, int &status, const ReplyBounds &bounds)
{
    QNetworkAccessManager manager;
    QNetworkReply *reply = manager.get(formRequest(url));
    const QByteArray result = waitForReply(reply, errorText, status, bounds);
    delete reply;
    return result;
}

bool refuseEmptyAddress(const QString &url, QString &errorText)
{
    if (!url.isEmpty())
        return false;
    errorText = tr("No address to send the request to.");
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
    return get(url, errorText, status, boundsOf(timeoutMs, timeout, maxReplySize));
}

QByteArray httpDownloadSync(const QString &url, QString &errorText, int &status,
                            const HttpDownloadLimits &limits)
{
    status = 0;
    if (refuseEmptyAddress(url, errorText))
        return QByteArray();
    ReplyBounds bounds;
    bounds.idleMs = qMax(limits.idleTimeoutMs, 0);
    bounds.deadlineMs = qMax(limits.baseDeadlineMs, 0);
    bounds.bytesPerSecond = limits.minimumBytesPerSecond;
    bounds.maxSize = limits.maxSize;
    bounds.lengthNeeded = true;
    return get(url, errorText, status, bounds);
}

QByteArray httpGetSync(const QString &url)
{
    QString scratch;
    return httpGetSync(url, scratch);
}

QByteArray httpPostFormSync(const QString &url, const QHash<QString, QString> &fields,
                            QString &errorText, int &status, int timeoutMs, qint64 maxReplySize)
{
    status = 0;
    if (refuseEmptyAddress(url, errorText))
        return QByteArray();
    QNetworkAccessManager manager;
    QNetworkReply *reply = manager.post(formRequest(url), httpFormBody(fields));
    const QByteArray result =
        waitForReply(reply, errorText, status, boundsOf(timeoutMs, HttpTimeout::FromStart, maxReplySize));
    delete reply;
    return result;
}

QByteArray httpPostFormSync(const QString &url, const QHash<QString, QString> &fields,
                            QString &errorText, int timeoutMs, qint64 maxReplySize)
{
    int status = 0;
    return httpPostFormSync(url, fields, errorText, status, timeoutMs, maxReplySize);
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
