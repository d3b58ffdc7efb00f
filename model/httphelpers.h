#ifndef HTTPHELPERS_H
#define HTTPHELPERS_H

#include <QByteArray>
#include <QHash>
#include <QString>

// Blocking requests to the web service. Each call waits in a local event loop,
// so the interface stays responsive (and other slots may run) meanwhile. Every
// request carries the form content type and asks for the identity encoding
// (the network layer would ask for compression by itself, and a compressed
// body cut short unpacks to a shorter body that looks whole). Every request
// gives up after a time-out and refuses replies larger than a cap, shorter
// than the length they announce, or compressed all the same. A failure of
// any kind yields an empty reply; the main forms also write a description
// into the caller's error text, which is left alone on success. An empty
// address sends nothing and fails at once.

// Time-out of a request, from its start to the end of its reply.
constexpr int httpDefaultTimeoutMs = 30000;
// Largest reply body accepted.
constexpr qint64 httpDefaultMaxReplySize = 64 * 1024 * 1024;

// The form encoding of the fields: "name=value" pairs in the hash's own
// order, names and values percent-encoded as UTF-8 (space as "+"), each pair
// followed by "&" when there are two fields or more.
QByteArray httpFormBody(const QHash<QString, QString> &fields);

QByteArray httpGetSync(const QString &url, QString &errorText,
                       int timeoutMs = httpDefaultTimeoutMs,
                       qint64 maxReplySize = httpDefaultMaxReplySize);
QByteArray httpGetSync(const QString &url);

// How a request's time-out counts: from the start of the request to the end
// of its reply, or from the last bytes received (for downloads whose length
// is open: a slow but steady reply goes on, a stalled one fails).
enum class HttpTimeout { FromStart, SinceLastData };

// The main form for callers that judge the answer themselves: also reports
// the reply's HTTP status (0 when no answer came). Redirects are not
// followed and come back with their bodies and no error, so a body alone
// does not mean that the resource was found.
QByteArray httpGetSync(const QString &url, QString &errorText, int &status,
                       int timeoutMs, HttpTimeout timeout, qint64 maxReplySize);

// The bounds of a download of a whole file (httpDownloadSync).
struct HttpDownloadLimits
{
    // The reply may pause this long between two pieces.
    int idleTimeoutMs = 30000;
    // The whole reply must have arrived within this time, counted from the
    // start of the request, plus the time its announced length takes at
    // minimumBytesPerSecond: a reply that keeps trickling is not waited for
    // without end.
    int baseDeadlineMs = 60000;
    qint64 minimumBytesPerSecond = 4096;
    qint64 maxSize = httpDefaultMaxReplySize;
};

// A GET for a file that must arrive whole: only a reply that announces its
// length, in the identity encoding, and delivers every byte of it counts. A
// reply without a length (HTTP/1.0 closing the connection, a chunked
// reply, whose end the network layer does not always check) is refused, as
// is a compressed one. The status as in httpGetSync.
QByteArray httpDownloadSync(const QString &url, QString &errorText, int &status,
                            const HttpDownloadLimits &limits);

// The same as the main form of httpGetSync, also reporting the HTTP status.
QByteArray httpPostFormSync(const QString &url, const QHash<QString, QString> &fields, QString &errorText,
                            int &status, int timeoutMs, qint64 maxReplySize);

// Posts the fields as a form (httpFormBody); no fields give an empty body.
QByteArray httpPostFormSync(const QString &url, const QHash<QString, QString> &fields, QString &errorText,
                            int timeoutMs = httpDefaultTimeoutMs,
                            qint64 maxReplySize = httpDefaultMaxReplySize);
QByteArray httpPostFormSync(const QString &url, const QHash<QString, QString> &fields);
QByteArray httpPostFormSync(const QString &url, QString &errorText);
QByteArray httpPostFormSync(const QString &url);

#endif // HTTPHELPERS_H
