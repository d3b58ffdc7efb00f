#ifndef CATALOGUEFIXTURE_H
#define CATALOGUEFIXTURE_H

// The online catalogue's tests: the fake web service with its canned
// catalogue replies, the catalogue addresses pointed at it, a request
// time-out, an empty download cache, and the requests it saw.

#include "materials/materialcataloguerequest.h"
#include "model/sketchglobals.h"
#include "support/fakeservice.h"

#include <QJsonObject>
#include <QList>
#include <QStringList>
#include <QTcpServer>

class CatalogueService
{
public:
    // Long enough for a sanitizer build on a loaded machine; the tests of
    // requests that never end set their own short bound.
    static constexpr int testTimeoutMs = 20000;

    CatalogueService()
        : m_listUrl(SketchGlobals::materialListUrl)
        , m_getUrl(SketchGlobals::materialGetUrl)
        , m_timeoutMs(MaterialCatalogueRequest::timeoutMs())
    {
        MaterialCatalogueRequest::setTimeoutMs(testTimeoutMs);
        SketchGlobals::materialCache.clear();
        SketchGlobals::materialCache.setCapacity(BoundedTextCache::defaultCapacity);
    }
    ~CatalogueService()
    {
        SketchGlobals::materialListUrl = m_listUrl;
        SketchGlobals::materialGetUrl = m_getUrl;
        MaterialCatalogueRequest::setTimeoutMs(m_timeoutMs);
        SketchGlobals::materialCache.clear();
    }
    CatalogueService(const CatalogueService &) = delete;
    CatalogueService &operator=(const CatalogueService &) = delete;

    // Starts the service with the list reply of that name (see
    // CATALOGUE_LISTS in fakeservice.py) and routes of the test's own in
    // front of the canned ones; the addresses then lead to it, below
    // `basePath` ("/x%2Fy", say) when one is given.
    bool start(const QString &list, const QJsonObject &routes = {}, const QString &basePath = QString())
    {
        if (!m_service.start(routes, 120, {QStringLiteral("--catalogue"), list}))
            return false;
        pointAt(m_service.baseUrl() + basePath);
        return true;
    }

    // Points the addresses at a port where nothing listens.
    void pointAtNothing()
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        const quint16 port = probe.serverPort();
        probe.close();
        pointAt(QStringLiteral("http://127.0.0.1:%1").arg(port));
    }

    QList<QJsonObject> requests() const { return m_service.requests(); }
    // The requests for that service path, in order.
    QList<QJsonObject> requestsFor(const QString &path) const
    {
        QList<QJsonObject> found;
        for (const QJsonObject &request : requests()) {
            if (request.value(QStringLiteral("path")).toString().endsWith(path))
                found.append(request);
        }
        return found;
    }
    int materialRequests() const { return requestsFor(QStringLiteral("/Services/MaterialGet.ashx")).size(); }
    int listRequests() const { return requestsFor(QStringLiteral("/Services/MaterialList.ashx")).size(); }

private:
    static void pointAt(const QString &base)
    {
        SketchGlobals::materialListUrl = base + QStringLiteral("/Services/MaterialList.ashx");
        SketchGlobals::materialGetUrl = base + QStringLiteral("/Services/MaterialGet.ashx");
    }

    FakeService m_service;
    QString m_listUrl;
    QString m_getUrl;
    int m_timeoutMs;
};

#endif // CATALOGUEFIXTURE_H
