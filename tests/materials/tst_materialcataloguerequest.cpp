// The catalogue's two requests: how their addresses are built, what reaches
// the service, and that a request with no answer ends.
#include "materials/cataloguefixture.h"
#include "materials/materialcataloguerequest.h"
#include "model/sketchglobals.h"

#include <QElapsedTimer>
#include <QStandardPaths>
#include <QtTest>

class TestMaterialCatalogueRequest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void encodesEachValueOnce_data();
    void encodesEachValueOnce();
    void sendsNothingWithoutAService();
    void reachesTheServiceIntact();
    void endsARequestThatIsNeverAnswered();

private:
    QString m_listUrl = SketchGlobals::materialListUrl;
    QString m_getUrl = SketchGlobals::materialGetUrl;
};

void TestMaterialCatalogueRequest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestMaterialCatalogueRequest::cleanup()
{
    SketchGlobals::materialListUrl = m_listUrl;
    SketchGlobals::materialGetUrl = m_getUrl;
}

void TestMaterialCatalogueRequest::encodesEachValueOnce_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");

    const QString common = QStringLiteral("?UserId=&Version=2.2&LangName=EN&MaterialFileName=");
    QTest::newRow("plain") << "http://h/Services/MaterialGet.ashx" << "Clouds"
                           << "http://h/Services/MaterialGet.ashx" + common + "Clouds";
    QTest::newRow("delimiters") << "http://h/G" << "Cats & Dogs#1"
                                << "http://h/G" + common + "Cats%20%26%20Dogs%231";
    QTest::newRow("plus, equals, percent") << "http://h/G" << "a+b=c%41"
                                           << "http://h/G" + common + "a%2Bb%3Dc%2541";
    QTest::newRow("placeholders stay text") << "http://h/G" << "%1%2"
                                            << "http://h/G" + common + "%251%252";
    QTest::newRow("non-ASCII as UTF-8") << "http://h/G" << QString::fromUtf8("雲")
                                        << "http://h/G" + common + "%E9%9B%B2";
    // The address as configured: neither decoded nor taken for placeholders.
    QTest::newRow("base with %2F and %2") << "http://h/x%2Fy%2/G" << "n"
                                          << "http://h/x%2Fy%2/G" + common + "n";
}

void TestMaterialCatalogueRequest::encodesEachValueOnce()
{
    QFETCH(QString, base);
    QFETCH(QString, name);
    QFETCH(QString, expected);
    SketchGlobals::materialGetUrl = base;
    QCOMPARE(MaterialCatalogueRequest::materialUrl(QString(), name), expected);
    SketchGlobals::materialListUrl = base;
    QCOMPARE(MaterialCatalogueRequest::listUrl(QString()), base + QStringLiteral("?UserId=&Version=2.2&LangName=EN"));
    // The user id is a value like any other.
    QCOMPARE(MaterialCatalogueRequest::listUrl(name), base + QStringLiteral("?UserId=")
                                                           + expected.mid(expected.lastIndexOf('=') + 1)
                                                           + QStringLiteral("&Version=2.2&LangName=EN"));
}

void TestMaterialCatalogueRequest::sendsNothingWithoutAService()
{
    SketchGlobals::materialListUrl.clear();
    SketchGlobals::materialGetUrl.clear();
    QCOMPARE(MaterialCatalogueRequest::listUrl(QStringLiteral("u")), QString());
    QCOMPARE(MaterialCatalogueRequest::materialUrl(QStringLiteral("u"), QStringLiteral("A")), QString());
    QCOMPARE(MaterialCatalogueRequest::get(QString()), QByteArray());
}

void TestMaterialCatalogueRequest::reachesTheServiceIntact()
{
    CatalogueService service;
    QVERIFY(service.start(QStringLiteral("six"), {}, QStringLiteral("/x%2Fy")));
    const QString userId = QStringLiteral("u 7&x=#");
    MaterialCatalogueRequest::get(MaterialCatalogueRequest::listUrl(userId));
    MaterialCatalogueRequest::get(MaterialCatalogueRequest::materialUrl(userId, QStringLiteral("Cats & Dogs#1")));

    const QList<QJsonObject> requests = service.requests();
    QCOMPARE(requests.size(), 2);
    QCOMPARE(requests.at(0).value("method").toString(), QStringLiteral("GET"));
    QCOMPARE(requests.at(0).value("path").toString(), QStringLiteral("/x%2Fy/Services/MaterialList.ashx"));
    QCOMPARE(requests.at(0).value("query").toString(), QStringLiteral("UserId=u%207%26x%3D%23&Version=2.2&LangName=EN"));
    QCOMPARE(requests.at(1).value("path").toString(), QStringLiteral("/x%2Fy/Services/MaterialGet.ashx"));
    const QJsonObject fields = requests.at(1).value("query_fields").toObject();
    QCOMPARE(fields.value("MaterialFileName").toString(), QStringLiteral("Cats & Dogs#1"));
    QCOMPARE(fields.value("UserId").toString(), userId);
    QCOMPARE(fields.value("Version").toString(), QStringLiteral("2.2"));
    QCOMPARE(fields.value("LangName").toString(), QStringLiteral("EN"));
    QCOMPARE(fields.size(), 4);
}

void TestMaterialCatalogueRequest::endsARequestThatIsNeverAnswered()
{
    CatalogueService service;
    QVERIFY(service.start(QStringLiteral("silent")));
    MaterialCatalogueRequest::setTimeoutMs(300);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(MaterialCatalogueRequest::get(MaterialCatalogueRequest::listUrl(QString())), QByteArray());
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(service.listRequests(), 1);
}

QTEST_MAIN(TestMaterialCatalogueRequest)
#include "tst_materialcataloguerequest.moc"
