// The web service's addresses: the run-time override, and the service
// addresses of SketchGlobals built on it. Those are fixed before main()
// runs, so copies of this program started with the override print them.
#include "model/httphelpers.h"
#include "model/serviceconfig.h"
#include "model/sketchglobals.h"
#include "support/childwait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

namespace {

// Set in a copy of this program that only prints the service addresses.
const char *const PrintAddressesVariable = "LOOMDRAW_TEST_PRINT_ADDRESSES";

QStringList serviceAddresses()
{
    return {SketchGlobals::upgradeUrl,       SketchGlobals::changeThemeUrl,
            SketchGlobals::changeVersionUrl, SketchGlobals::sendFeedbackUrl,
            SketchGlobals::materialListUrl,  SketchGlobals::materialGetUrl,
            SketchGlobals::templateListUrl,  SketchGlobals::templateSaveUrl,
            SketchGlobals::templateDeleteUrl};
}

} // namespace

class TestServiceConfig : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void overrideReplacesTheBases_data();
    void overrideReplacesTheBases();
    void serviceAddressesFollowTheOverride();
    void noServiceGivesNoAddresses();
    void emptyAddressIsNeverSent();

private:
    // The addresses a copy of this program holds with the override set.
    QStringList addressesWith(const QString &base);
};

void TestServiceConfig::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestServiceConfig::cleanup()
{
    qunsetenv(ServiceConfig::overrideVariable);
}

void TestServiceConfig::overrideReplacesTheBases_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("base");
    QTest::newRow("plain") << "http://127.0.0.1:8080" << "http://127.0.0.1:8080";
    QTest::newRow("trailing slashes") << "http://127.0.0.1:8080//" << "http://127.0.0.1:8080";
    QTest::newRow("blanks and a line end") << " http://staging.test/ \n" << "http://staging.test";
    QTest::newRow("set but empty: no service") << "" << "";
}

void TestServiceConfig::overrideReplacesTheBases()
{
    QFETCH(QString, value);
    QFETCH(QString, base);
    qputenv(ServiceConfig::overrideVariable, value.toUtf8());
    QCOMPARE(ServiceConfig::serviceBase(), base);
    QCOMPARE(ServiceConfig::downloadBase(), base);
    QCOMPARE(ServiceConfig::address(base, "/files/Loomdraw"),
             base.isEmpty() ? QString() : base + "/files/Loomdraw");
}

void TestServiceConfig::serviceAddressesFollowTheOverride()
{
    const QString base = QStringLiteral("http://127.0.0.1:4321");
    QCOMPARE(addressesWith(base + "/"),
             QStringList({base + "/Services/Upgrade.ashx", base + "/Services/ChangeTheme.ashx",
                          base + "/Services/ChangeVersion.ashx", base + "/Services/SendFeedback.ashx",
                          base + "/Services/MaterialList.ashx", base + "/Services/MaterialGet.ashx",
                          base + "/Services/TemplateList.ashx", base + "/Services/TemplateSave.ashx",
                          base + "/Services/TemplateDelete.ashx"}));
}

void TestServiceConfig::noServiceGivesNoAddresses()
{
    const QStringList addresses = addressesWith(QString());
    QCOMPARE(addresses.size(), serviceAddresses().size());
    for (const QString &address : addresses)
        QVERIFY2(address.isEmpty(), qPrintable(address));
}

// What the callers send to when no service is configured: nothing goes
// out, and the request fails at once.
void TestServiceConfig::emptyAddressIsNeverSent()
{
    QElapsedTimer clock;
    clock.start();
    QString getError;
    int status = -1;
    QVERIFY(httpGetSync(QString(), getError, status, 60000, HttpTimeout::FromStart, 1024).isEmpty());
    QVERIFY(!getError.isEmpty());
    QCOMPARE(status, 0);
    QString postError;
    QVERIFY(httpPostFormSync(QString(), {{"UserId", "x"}}, postError).isEmpty());
    QVERIFY(!postError.isEmpty());
    QVERIFY(clock.elapsed() < 5000);
}

QStringList TestServiceConfig::addressesWith(const QString &base)
{
    QProcess copy;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(ServiceConfig::overrideVariable, base);
    environment.insert(PrintAddressesVariable, "1");
    copy.setProcessEnvironment(environment);
    copy.start(QCoreApplication::applicationFilePath(), QStringList());
    if (!copy.waitForFinished(childWaitMilliseconds) || copy.exitCode() != 0)
        return {QStringLiteral("the copy failed")};
    QStringList lines = QString::fromUtf8(copy.readAllStandardOutput()).split('\n');
    lines.removeLast();
    return lines;
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsSet(PrintAddressesVariable)) {
        QTextStream out(stdout);
        for (const QString &address : serviceAddresses())
            out << address << '\n';
        return 0;
    }
    QCoreApplication application(argc, argv);
    TestServiceConfig test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_serviceconfig.moc"
