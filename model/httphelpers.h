#ifndef HTTPHELPERS_H
#define HTTPHELPERS_H

#include <QByteArray>
#include <QHash>
#include <QString>

// Blocking requests to the web service. Each call waits in a local event loop,
// so the interface stays responsive (and other slots may run) meanwhile. Every
// request carries the form content type, gives up after a time-out and refuses
// replies larger than a cap or shorter than the length they announce. A
// failure of any kind yields an empty reply; the
// main forms also write a description into the caller's error text, which is
// left alone on success. An empty address sends nothing and fails at once.

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

// Posts the fields as a form (httpFormBody); no fields give an empty body.
QByteArray httpPostFormSync(const QString &url, const QHash<QString, QString> &fields, QString &errorText,
                            int timeoutMs = httpDefaultTimeoutMs,
                            qint64 maxReplySize = httpDefaultMaxReplySize);
QByteArray httpPostFormSync(const QString &url, const QHash<QString, QString> &fields);
QByteArray httpPostFormSync(const QString &url, QString &errorText);
QByteArray httpPostFormSync(const QString &url);

#endif // HTTPHELPERS_H
