#include "model/httphelpers.h"

#include "support/fakeservice.h"
#include "support/loopbackserver.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>
#include <QStandardPaths>
#include <QtTest>

namespace {

const QByteArray formContentType = "application/x-www-form-urlencoded; charset=UTF-8";

// What a form reader on the server makes of a body.
QHash<QString, QString> decodeForm(const QByteArray &body)
{
    QHash<QString, QString> fields;
    for (const QByteArray &pair : body.split('&')) {
        if (pair.isEmpty())
            continue;
        const int equals = pair.indexOf('=');
        const auto decode = [](QByteArray text) {
            return QUrl::fromPercentEncoding(text.replace('+', ' '));
        };
        fields.insert(decode(pair.left(equals)), decode(pair.mid(equals + 1)));
    }
    return fields;
}

// A port that nothing listens on.
quint16 closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

} // namespace

class TestHttpHelpers : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void getSendsTheFormContentType();
    void getKeepsTheErrorTextOnSuccess();
    void postSendsOneField();
    void postSendsTwoFieldsInHashOrder();
    void postWithoutFieldsSendsAnEmptyBody();
    void postEncodesSpecialCharacters_data();
    void postEncodesSpecialCharacters();
    void httpErrorStatusIsAFailure();
    void closedPortIsAFailure();
    void silentServerTimesOut();
    void endlessReplyIsCapped();
    void announcedOversizeReplyIsRefused();
    void replyCutShortIsAFailure();
    void onlyAnnouncedWholeRepliesAreDownloads_data();
    void onlyAnnouncedWholeRepliesAreDownloads();

private:
    std::unique_ptr<LoopbackHttpServer> m_server;
};

void TestHttpHelpers::init()
{
    m_server = std::make_unique<LoopbackHttpServer>();
    QVERIFY(m_server->listen());
}

void TestHttpHelpers::getSendsTheFormContentType()
{
    m_server->replyBody = QByteArray("binary\0reply", 12);
    QString errorText;
    const QByteArray reply = httpGetSync(m_server->url("/Services/Upgrade.ashx?Version=2.2&Language=EN"), errorText);
    QCOMPARE(reply, m_server->replyBody);
    QCOMPARE(m_server->method, QByteArray("GET"));
    QCOMPARE(m_server->target, QByteArray("/Services/Upgrade.ashx?Version=2.2&Language=EN"));
    QCOMPARE(m_server->headers.value("content-type"), formContentType);
    // Not left to the network layer, which would ask for compression.
    QCOMPARE(m_server->headers.value("accept-encoding"), QByteArray("identity"));
    QVERIFY(errorText.isEmpty());

    QCOMPARE(httpGetSync(m_server->url()), m_server->replyBody);
    QCOMPARE(m_server->requestCount, 2);
}

void TestHttpHelpers::getKeepsTheErrorTextOnSuccess()
{
    QString errorText = "earlier failure";
    QCOMPARE(httpGetSync(m_server->url(), errorText), QByteArray("reply"));
    QCOMPARE(errorText, QString("earlier failure"));
}

void TestHttpHelpers::postSendsOneField()
{
    QString errorText;
    const QByteArray reply = httpPostFormSync(m_server->url(), { { "UserId", "42" } }, errorText);
    QCOMPARE(reply, QByteArray("reply"));
    QCOMPARE(m_server->method, QByteArray("POST"));
    QCOMPARE(m_server->headers.value("content-type"), formContentType);
    QCOMPARE(m_server->headers.value("accept-encoding"), QByteArray("identity"));
    QCOMPARE(m_server->body, QByteArray("UserId=42"));
}

void TestHttpHelpers::postSendsTwoFieldsInHashOrder()
{
    const QHash<QString, QString> fields { { "UserId", "42" }, { "Theme", "Olive" } };
    QByteArray expected;
    for (auto it = fields.cbegin(); it != fields.cend(); ++it)
        expected += it.key().toUtf8() + '=' + it.value().toUtf8() + '&';

    QCOMPARE(httpPostFormSync(m_server->url(), fields), QByteArray("reply"));
    QCOMPARE(m_server->body, expected);
    QCOMPARE(httpFormBody(fields), expected);
}

void TestHttpHelpers::postWithoutFieldsSendsAnEmptyBody()
{
    QString errorText;
    QCOMPARE(httpPostFormSync(m_server->url(), errorText), QByteArray("reply"));
    QCOMPARE(m_server->method, QByteArray("POST"));
    QCOMPARE(m_server->headers.value("content-type"), formContentType);
    QCOMPARE(m_server->headers.value("content-length"), QByteArray("0"));
    QVERIFY(m_server->body.isEmpty());

    QCOMPARE(httpPostFormSync(m_server->url()), QByteArray("reply"));
    QCOMPARE(m_server->requestCount, 2);
}

void TestHttpHelpers::postEncodesSpecialCharacters_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("encoded");
    QTest::newRow("plain") << "Theme" << "Blue" << QByteArray("Theme=Blue");
    QTest::newRow("separators") << "Content" << "a&b=c" << QByteArray("Content=a%26b%3Dc");
    QTest::newRow("plus and percent") << "Content" << "1+1=2 is 100%"
                                      << QByteArray("Content=1%2B1%3D2+is+100%25");
    QTest::newRow("non-ASCII") << "Content" << QString::fromUtf8("Grüße, 日本")
                               << QByteArray("Content=Gr%C3%BC%C3%9Fe%2C+%E6%97%A5%E6%9C%AC");
    QTest::newRow("line breaks") << "Content" << "a\r\nb" << QByteArray("Content=a%0D%0Ab");
    QTest::newRow("special name") << "a&b=c" << "v" << QByteArray("a%26b%3Dc=v");
    QTest::newRow("e-mail") << "Email" << "me+tag@example.org"
                            << QByteArray("Email=me%2Btag%40example.org");
}

void TestHttpHelpers::postEncodesSpecialCharacters()
{
    QFETCH(QString, name);
    QFETCH(QString, value);
    QFETCH(QByteArray, encoded);
    const QHash<QString, QString> fields { { name, value } };
    QString errorText;
    QCOMPARE(httpPostFormSync(m_server->url(), fields, errorText), QByteArray("reply"));
    QCOMPARE(m_server->body, encoded);
    QCOMPARE(decodeForm(m_server->body), fields);

    // Next to another field, both still arrive intact.
    const QHash<QString, QString> twoFields { { name, value }, { "UserId", "7" } };
    QCOMPARE(httpPostFormSync(m_server->url(), twoFields, errorText), QByteArray("reply"));
    QVERIFY(m_server->body.endsWith('&'));
    QCOMPARE(decodeForm(m_server->body), twoFields);
}

void TestHttpHelpers::httpErrorStatusIsAFailure()
{
    m_server->mode = LoopbackHttpServer::NotFound;
    m_server->replyBody = "not here";
    QString errorText;
    QVERIFY(httpGetSync(m_server->url(), errorText).isEmpty());
    QVERIFY(!errorText.isEmpty());
    errorText.clear();
    QVERIFY(httpPostFormSync(m_server->url(), { { "a", "b" } }, errorText).isEmpty());
    QVERIFY(!errorText.isEmpty());
}

void TestHttpHelpers::closedPortIsAFailure()
{
    const QString url = QStringLiteral("http://127.0.0.1:%1/Services/Test.ashx").arg(closedPort());
    QString errorText;
    QVERIFY(httpGetSync(url, errorText).isEmpty());
    QVERIFY(!errorText.isEmpty());
    errorText.clear();
    QVERIFY(httpPostFormSync(url, { { "UserId", "1" } }, errorText).isEmpty());
    QVERIFY(!errorText.isEmpty());
    QVERIFY(httpGetSync(url).isEmpty());
    QVERIFY(httpPostFormSync(url).isEmpty());
}

void TestHttpHelpers::silentServerTimesOut()
{
    m_server->mode = LoopbackHttpServer::Silent;
    // The wait runs the event loop: timers keep firing meanwhile.
    bool timerFired = false;
    QTimer::singleShot(20, this, [&timerFired] { timerFired = true; });

    QElapsedTimer elapsed;
    elapsed.start();
    QString errorText;
    QVERIFY(httpGetSync(m_server->url(), errorText, 300).isEmpty());
    QVERIFY(!errorText.isEmpty());
    QVERIFY(elapsed.elapsed() >= 250);
    QVERIFY(elapsed.elapsed() < 10000);
    QVERIFY(timerFired);
    QCOMPARE(m_server->requestCount, 1);

    errorText.clear();
    QVERIFY(httpPostFormSync(m_server->url(), { { "UserId", "1" } }, errorText, 300).isEmpty());
    QVERIFY(!errorText.isEmpty());
    QCOMPARE(m_server->requestCount, 2);
}

void TestHttpHelpers::endlessReplyIsCapped()
{
    m_server->mode = LoopbackHttpServer::Endless;
    QString errorText;
    QVERIFY(httpGetSync(m_server->url(), errorText, 20000, 1024 * 1024).isEmpty());
    QVERIFY(errorText.contains(QString::number(1024 * 1024)));
    errorText.clear();
    QVERIFY(httpPostFormSync(m_server->url(), { { "a", "b" } }, errorText, 20000, 1024 * 1024).isEmpty());
    QVERIFY(errorText.contains(QString::number(1024 * 1024)));
}

void TestHttpHelpers::announcedOversizeReplyIsRefused()
{
    m_server->mode = LoopbackHttpServer::HugeLength;
    QElapsedTimer elapsed;
    elapsed.start();
    QString errorText;
    QVERIFY(httpGetSync(m_server->url(), errorText).isEmpty());
    QVERIFY(!errorText.isEmpty());
    QVERIFY(elapsed.elapsed() < 10000);

    // A reply just at the cap is accepted, one byte more is not.
    m_server->mode = LoopbackHttpServer::Answer;
    m_server->replyBody = QByteArray(4096, 'r');
    QCOMPARE(httpGetSync(m_server->url(), errorText, 5000, 4096), m_server->replyBody);
    errorText.clear();
    QVERIFY(httpGetSync(m_server->url(), errorText, 5000, 4095).isEmpty());
    QVERIFY(!errorText.isEmpty());
}

// The connection closes before the announced length has arrived. The
// network layer reports that as an error only now and then, so the
// check is repeated.
void TestHttpHelpers::replyCutShortIsAFailure()
{
    m_server->mode = LoopbackHttpServer::CutShort;
    for (int attempt = 0; attempt < 40; ++attempt) {
        m_server->replyBody = QByteArray(attempt % 2 ? 2000 : 200 * 1024, 'c');
        QString errorText;
        QVERIFY(httpGetSync(m_server->url(), errorText).isEmpty());
        QVERIFY(!errorText.isEmpty());
        errorText.clear();
        QVERIFY(httpPostFormSync(m_server->url(), { { "a", "b" } }, errorText).isEmpty());
        QVERIFY(!errorText.isEmpty());
    }
}

// A download takes only a reply whose length was announced and received in
// full; the other requests also take one that ends with its connection, but
// no request takes a compressed reply (it was asked not to be, and its
// packed length would hide a cut).
void TestHttpHelpers::onlyAnnouncedWholeRepliesAreDownloads_data()
{
    using namespace fakeanswer;
    QTest::addColumn<QJsonObject>("answer");
    QTest::addColumn<bool>("download");
    QTest::addColumn<bool>("request");
    const QJsonObject whole = text(QString(40000, 'w'));
    QTest::newRow("with its length") << whole << true << true;
    QTest::newRow("HTTP/1.0 without a length") << http10(withoutLength(whole)) << false << true;
    QTest::newRow("chunked") << chunked(whole) << false << true;
    QTest::newRow("gzip with its length") << gzipped(whole) << false << false;
    QTest::newRow("gzip without a length") << withoutLength(gzipped(whole)) << false << false;
    QTest::newRow("cut at half") << cutAtHalf(whole) << false << false;
}

void TestHttpHelpers::onlyAnnouncedWholeRepliesAreDownloads()
{
    QFETCH(QJsonObject, answer);
    QFETCH(bool, download);
    QFETCH(bool, request);
    FakeService service;
    QVERIFY(service.start({{"/file", answer}}));
    const QString url = service.baseUrl() + "/file";
    const QByteArray body(40000, 'w');

    QString errorText;
    int status = 0;
    const QByteArray downloaded = httpDownloadSync(url, errorText, status, HttpDownloadLimits());
    QCOMPARE(downloaded, download ? body : QByteArray());
    QCOMPARE(errorText.isEmpty(), download);
    QCOMPARE(status, 200);

    errorText.clear();
    QCOMPARE(httpGetSync(url, errorText), request ? body : QByteArray());
    QCOMPARE(errorText.isEmpty(), request);
}

QTEST_GUILESS_MAIN(TestHttpHelpers)
#include "tst_httphelpers.moc"
