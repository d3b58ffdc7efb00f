#include "materials/materialcataloguerequest.h"

#include "model/httphelpers.h"
#include "model/sketchglobals.h"
#include "skin/windows/skinmessagebox.h"

#include <QApplication>

#include <QList>
#include <QPair>
#include <QUrl>

namespace {

int requestTimeoutMs = httpDefaultTimeoutMs;

using QueryItems = QList<QPair<QString, QString>>;

QueryItems commonQuery(const QString &userId)
{
    return {{QStringLiteral("UserId"), userId},
            {QStringLiteral("Version"), SketchGlobals::version},
            {QStringLiteral("LangName"), SketchGlobals::language}};
}

// A value is text, not syntax: everything outside the unreserved characters
// is percent-encoded ("&", "#", "+", "=" and "%" included).
QString encodedValue(const QString &value)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(value));
}

QString withQuery(const QString &address, const QueryItems &items)
{
    if (address.isEmpty())
        return QString();
    QString query;
    for (const auto &item : items) {
        if (!query.isEmpty())
            query += QLatin1Char('&');
        query += item.first + QLatin1Char('=') + encodedValue(item.second);
    }
    // The address is joined as text, never parsed and re-encoded, so what it
    // holds ("%2F" in a path, say) goes out as it was configured.
    return address + QLatin1Char('?') + query;
}

} // namespace

QString MaterialCatalogueRequest::listUrl(const QString &userId)
{
    return withQuery(SketchGlobals::materialListUrl, commonQuery(userId));
}

QString MaterialCatalogueRequest::materialUrl(const QString &userId, const QString &materialFileName)
{
    QueryItems items = commonQuery(userId);
    items.append({QStringLiteral("MaterialFileName"), materialFileName});
    return withQuery(SketchGlobals::materialGetUrl, items);
}

QByteArray MaterialCatalogueRequest::get(const QString &url, qint64 maxReplySize)
{
    QString errorText;
    return httpGetSync(url, errorText, requestTimeoutMs, maxReplySize);
}

QString MaterialCatalogueRequest::getText(const QString &url, qint64 maxReplySize)
{
    const QByteArray body = get(url, maxReplySize);
    const int end = body.indexOf('\0');
    return QString::fromUtf8(end < 0 ? body : body.left(end));
}

int MaterialCatalogueRequest::timeoutMs()
{
    return requestTimeoutMs;
}

void MaterialCatalogueRequest::setTimeoutMs(int milliseconds)
{
    requestTimeoutMs = milliseconds;
}

bool MaterialCatalogueRequest::reportErrorText(QWidget *owner, const QString &text)
{
    if (!isErrorText(text))
        return false;
    QWidget *over = owner && owner->isVisible() ? owner : QApplication::activeWindow();
    SkinMessageBox::criticalPlainText(over, QApplication::translate("MaterialCatalogueRequest", "Error"), text,
                                      SkinMessageBox::ButtonsOk);
    return true;
}
