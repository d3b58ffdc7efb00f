// The update check once after start, the version notice before it, and the
// hand-off to the updater, each in a child run of its own against the fake
// web service (servicefixture.h): the hand-off ends the program's event
// loop, so only a program of its own can show it.
#include "dialogscript.h"
#include "servicefixture.h"
#include "windowfixture.h"

#include "skin/windows/skintheme.h"

#include <QApplication>
#include <QDesktopServices>
#include <QThread>
#include <QTimer>
#include <QtTest>

#include <unistd.h>

using namespace servicefixture;

namespace {

const QString upgradePath = QStringLiteral("/Services/Upgrade.ashx");
const QString versionPath = QStringLiteral("/Services/ChangeVersion.ashx");
// The answers to the child's boxes, as result codes joined by ",".
const char *const answersVariable = "LOOMDRAW_TEST_ANSWERS";
// Set: the child's document is modified.
const char *const modifiedVariable = "LOOMDRAW_TEST_MODIFIED";
// The exit code of a child whose window kept running after the check.
const int keptRunning = 3;

const QString offerText = QStringLiteral("Found a new version: V2.3.\\nDo you want to upgrade automatically now?");
const QString websiteText = QStringLiteral("Found a new version: V2.3.\\nPlease go to the official website to download.");

// The updater in the program folder: tells that it ran, and with what.
const QByteArray updaterScript = "#!/bin/sh\necho \"started $#\" > \"$(dirname \"$0\")/updater-started\"\n";
const QFileDevice::Permissions executable = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

class UrlCatcher : public QObject
{
    Q_OBJECT

public slots:
    void open(const QUrl &url) { report("opened", url.toString()); }
};

// Child run: the window with one document, modified when asked, answering
// its boxes from answersVariable, until the update check is over. Ends with
// the event loop's code: 0 after a hand-off, keptRunning otherwise.
int updateCheckScenario(int argc, char **argv)
{
    QApplication application(argc, argv);
    setSkinThemeStyle(Black);
    DialogScript script;
    for (const QString &answer : qEnvironmentVariable(answersVariable).split(',', Qt::SkipEmptyParts))
        script.answerBox(answer.toInt());
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("http", &catcher, "open");
    int code = 0;
    {
        MainWindow window;
        window.newFile();
        if (qEnvironmentVariableIsSet(modifiedVariable))
            windowfixture::modify(window.currentSketchView());
        window.show();
        // The check runs 100 ms after the window is built; once it is over,
        // the loop is back at its own level.
        QTimer poll;
        QElapsedTimer clock;
        clock.start();
        QObject::connect(&poll, &QTimer::timeout, &application, [&] {
            if (clock.elapsed() > 300 && QThread::currentThread()->loopLevel() == 1)
                QCoreApplication::exit(keptRunning);
        });
        poll.start(20);
        code = application.exec();
        report("tabs", QString::number(windowfixture::tabs(window)->pages().size()));
    }
    for (const DialogScript::Box &box : script.boxes()) {
        report("box", box.title + " | " + box.text + " | " + QString::number(box.icon) + " | "
                          + QString::number(box.buttons));
    }
    report("unexpected", script.unexpected().join(','));
    QDesktopServices::unsetUrlHandler("http");
    return code;
}

} // namespace

class TestMainWindowUpdates : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void firstStartReportsTheVersionThenChecks();
    void versionIsRecordedOnlyOnceReported_data();
    void versionIsRecordedOnlyOnceReported();
    void valuesAreEncoded();
    void noServiceSendsNothing();
    void repliesThatOfferNothing_data();
    void repliesThatOfferNothing();
    void offersTheNewerVersion_data();
    void offersTheNewerVersion();
    void handOffRunsTheCloseProcedureFirst_data();
    void handOffRunsTheCloseProcedureFirst();
    void updaterThatDoesNotStartKeepsTheProgram();
    void withoutUpdaterPointsToTheWebsite_data();
    void withoutUpdaterPointsToTheWebsite();

private:
    // Runs the scenario against a service answering the check with
    // `upgrade` and the version notice with `version`.
    ChildRun runCheck(const QJsonObject &upgrade, const QString &answers = QString(), bool modified = false,
                      const QJsonObject &version = fakeanswer::text("ok"));
    bool updaterStarted(int waitMs) const;

    std::unique_ptr<Sandbox> m_sandbox;
    std::unique_ptr<FakeService> m_service;
};

void TestMainWindowUpdates::init()
{
    m_sandbox = std::make_unique<Sandbox>();
    QVERIFY(m_sandbox->isValid());
    m_service = std::make_unique<FakeService>();
}

ChildRun TestMainWindowUpdates::runCheck(const QJsonObject &upgrade, const QString &answers, bool modified,
                                         const QJsonObject &version)
{
    if (!m_service->start({{upgradePath, upgrade}, {versionPath, version}}))
        return ChildRun();
    qputenv(answersVariable, answers.toUtf8());
    if (modified)
        qputenv(modifiedVariable, "1");
    const ChildRun run = m_sandbox->run("updateCheck", m_service->baseUrl());
    qunsetenv(answersVariable);
    qunsetenv(modifiedVariable);
    return run;
}

bool TestMainWindowUpdates::updaterStarted(int waitMs) const
{
    QElapsedTimer clock;
    clock.start();
    while (!QFile::exists(m_sandbox->inProgramFolder("updater-started"))) {
        if (clock.elapsed() > waitMs)
            return false;
        QTest::qWait(20);
    }
    return true;
}

void TestMainWindowUpdates::firstStartReportsTheVersionThenChecks()
{
    ChildRun run = runCheck(fakeanswer::text(""));
    QVERIFY2(run.exitCode == keptRunning, run.errors.constData());
    QCOMPARE(requestLines(*m_service), QStringList({"POST " + versionPath, "GET " + upgradePath}));
    const QList<QJsonObject> requests = m_service->requests();
    const QJsonObject form = requests.at(0).value("form_fields").toObject();
    QCOMPARE(form.value("Version").toString(), QStringLiteral("2.2"));
    QCOMPARE(form.value("UserId").toString(), QString());
    QCOMPARE(form.size(), 2);
    QCOMPARE(requests.at(1).value("query").toString(), QStringLiteral("UserId=&Version=2.2"));
    for (const QJsonObject &request : requests) {
        QCOMPARE(request.value("headers").toObject().value("Content-Type").toString(),
                 QStringLiteral("application/x-www-form-urlencoded; charset=UTF-8"));
    }
    QVERIFY(m_sandbox->readSettings().contains("lastVersion=2.2"));
    QCOMPARE(run.values("box"), QStringList());
    QCOMPARE(run.value("tabs"), QStringLiteral("1"));

    // The next start of the same version only asks.
    m_service = std::make_unique<FakeService>();
    run = runCheck(fakeanswer::text(""));
    QCOMPARE(run.exitCode, keptRunning);
    QCOMPARE(requestLines(*m_service), QStringList({"GET " + upgradePath}));
}

void TestMainWindowUpdates::valuesAreEncoded()
{
    const QString userId = QString::fromUtf8("a&b=c d+e%f j\xc3\xbcrgen");
    QVERIFY(m_sandbox->writeSettings("[General]\nuserId=" + userId.toUtf8() + "\nlastVersion=2.1\n"));
    const ChildRun run = runCheck(fakeanswer::text(""));
    QCOMPARE(run.exitCode, keptRunning);
    const QList<QJsonObject> requests = m_service->requests();
    QCOMPARE(requests.size(), 2);
    QCOMPARE(requests.at(0).value("form_fields").toObject().value("UserId").toString(), userId);
    QCOMPARE(requests.at(0).value("form_fields").toObject().value("Version").toString(), QStringLiteral("2.2"));
    const QJsonObject query = requests.at(1).value("query_fields").toObject();
    QCOMPARE(query.value("UserId").toString(), userId);
    QCOMPARE(query.value("Version").toString(), QStringLiteral("2.2"));
    QCOMPARE(query.size(), 2);
}

// The version counts as reported only once the service took the notice;
// otherwise the next start sends it again.
void TestMainWindowUpdates::versionIsRecordedOnlyOnceReported_data()
{
    QTest::addColumn<QJsonObject>("answer");
    QTest::addColumn<bool>("recorded");
    QTest::newRow("200") << fakeanswer::text("ok") << true;
    QTest::newRow("500") << fakeanswer::text("broken", 500) << false;
    QTest::newRow("302 with a body") << fakeanswer::redirect("moved") << false;
}

void TestMainWindowUpdates::versionIsRecordedOnlyOnceReported()
{
    QFETCH(QJsonObject, answer);
    QFETCH(bool, recorded);
    QVERIFY(m_sandbox->writeSettings("[General]\nlastVersion=2.1\n"));
    ChildRun run = runCheck(fakeanswer::text(""), QString(), false, answer);
    QVERIFY2(run.exitCode == keptRunning, run.errors.constData());
    QCOMPARE(requestLines(*m_service), QStringList({"POST " + versionPath, "GET " + upgradePath}));
    QCOMPARE(m_sandbox->readSettings().contains("lastVersion=2.2"), recorded);

    m_service = std::make_unique<FakeService>();
    run = runCheck(fakeanswer::text(""));
    QCOMPARE(run.exitCode, keptRunning);
    const QStringList second = recorded ? QStringList({"GET " + upgradePath})
                                        : QStringList({"POST " + versionPath, "GET " + upgradePath});
    QCOMPARE(requestLines(*m_service), second);
    QVERIFY(m_sandbox->readSettings().contains("lastVersion=2.2"));
}

// A build that names no service (here: the base address set empty) sends
// nothing, and so has reported no version.
void TestMainWindowUpdates::noServiceSendsNothing()
{
    QVERIFY(m_service->start({{upgradePath, fakeanswer::text("2.3")}}));
    QVERIFY(m_sandbox->writeProgramFile("LoomdrawUpdate", updaterScript, executable));
    const ChildRun run = m_sandbox->run("updateCheck", QString());
    QCOMPARE(run.exitCode, keptRunning);
    QCOMPARE(m_service->requests().size(), 0);
    QCOMPARE(run.values("box"), QStringList());
    QVERIFY(!m_sandbox->readSettings().contains("lastVersion=2.2"));
}

void TestMainWindowUpdates::repliesThatOfferNothing_data()
{
    QTest::addColumn<QJsonObject>("answer");
    QTest::newRow("empty") << fakeanswer::text("");
    QTest::newRow("blanks and a line end") << fakeanswer::text(" \r\n");
    QTest::newRow("an HTML page with 200") << fakeanswer::html();
    QTest::newRow("a link") << fakeanswer::text("<a href=\"http://127.0.0.1:1/\">2.3</a>");
    QTest::newRow("too long") << fakeanswer::text(QString(65, '3'));
    QTest::newRow("404") << fakeanswer::text("2.3", 404);
    QTest::newRow("500") << fakeanswer::text("2.3", 500);
    QTest::newRow("302 with a body") << fakeanswer::redirect("2.3");
    // The check gives up after its time-out (15 s).
    QTest::newRow("no answer") << fakeanswer::silent();
}

void TestMainWindowUpdates::repliesThatOfferNothing()
{
    QFETCH(QJsonObject, answer);
    QVERIFY(m_sandbox->writeProgramFile("LoomdrawUpdate", updaterScript, executable));
    QVERIFY(m_sandbox->writeSettings("[General]\nlastVersion=2.2\n"));
    const ChildRun run = runCheck(answer);
    QVERIFY2(run.exitCode == keptRunning, run.errors.constData());
    QCOMPARE(run.values("box"), QStringList());
    QCOMPARE(run.value("unexpected"), QString());
    QCOMPARE(requestLines(*m_service), QStringList({"GET " + upgradePath}));
    QVERIFY(!updaterStarted(0));
}

void TestMainWindowUpdates::offersTheNewerVersion_data()
{
    QTest::addColumn<QJsonObject>("answer");
    QTest::newRow("2.3") << fakeanswer::text("2.3");
    QTest::newRow("blanks and a line end") << fakeanswer::text(" 2.3\r\n");
    QTest::newRow("a slow answer") << fakeanswer::delayed(fakeanswer::text("2.3"), 1500);
}

// Cancel keeps the program and its document.
void TestMainWindowUpdates::offersTheNewerVersion()
{
    QFETCH(QJsonObject, answer);
    QVERIFY(m_sandbox->writeProgramFile("LoomdrawUpdate", updaterScript, executable));
    const ChildRun run = runCheck(answer, "2");
    QVERIFY2(run.exitCode == keptRunning, run.errors.constData());
    QCOMPARE(run.values("box"), QStringList({"Confirm | " + offerText + " | 4 | 1"}));
    QCOMPARE(run.value("tabs"), QStringLiteral("1"));
    QVERIFY(!updaterStarted(500));
}

void TestMainWindowUpdates::handOffRunsTheCloseProcedureFirst_data()
{
    QTest::addColumn<bool>("modified");
    QTest::addColumn<QString>("answers");
    QTest::addColumn<bool>("handedOff");
    QTest::addColumn<int>("boxes");
    QTest::newRow("nothing to save") << false << "1" << true << 1;
    QTest::newRow("modified, not saved") << true << "1,7" << true << 2;
    QTest::newRow("modified, Cancel") << true << "1,2" << false << 2;
}

void TestMainWindowUpdates::handOffRunsTheCloseProcedureFirst()
{
    QFETCH(bool, modified);
    QFETCH(QString, answers);
    QFETCH(bool, handedOff);
    QFETCH(int, boxes);
    QVERIFY(m_sandbox->writeProgramFile("LoomdrawUpdate", updaterScript, executable));
    const ChildRun run = runCheck(fakeanswer::text("2.3"), answers, modified);
    QCOMPARE(run.value("unexpected"), QString());
    const QStringList shown = run.values("box");
    QCOMPARE(shown.size(), boxes);
    QCOMPARE(shown.first(), "Confirm | " + offerText + " | 4 | 1");
    if (modified)
        QVERIFY2(shown.at(1).startsWith("Confirm | The file \"untitled1\" has been modified."), qPrintable(shown.at(1)));
    if (handedOff) {
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.value("tabs"), QStringLiteral("0"));
        QVERIFY(updaterStarted(childBoundMs));
        // Started with no arguments.
        QFile marker(m_sandbox->inProgramFolder("updater-started"));
        QVERIFY(marker.open(QIODevice::ReadOnly));
        QCOMPARE(marker.readAll(), QByteArray("started 0\n"));
    } else {
        QCOMPARE(run.exitCode, keptRunning);
        QCOMPARE(run.value("tabs"), QStringLiteral("1"));
        QVERIFY(!updaterStarted(500));
    }
}

void TestMainWindowUpdates::updaterThatDoesNotStartKeepsTheProgram()
{
    QVERIFY(m_sandbox->writeProgramFile("LoomdrawUpdate", "#!/nonexistent/interpreter\n", executable));
    const ChildRun run = runCheck(fakeanswer::text("2.3"), "1,1");
    QCOMPARE(run.exitCode, keptRunning);
    const QStringList shown = run.values("box");
    QCOMPARE(shown.size(), 2);
    QVERIFY2(shown.at(1).startsWith("Error | The updater "), qPrintable(shown.at(1)));
    QCOMPARE(run.value("unexpected"), QString());
}

void TestMainWindowUpdates::withoutUpdaterPointsToTheWebsite_data()
{
    QTest::addColumn<QString>("updater");
    QTest::addColumn<bool>("readOnlyFolder");
    QTest::newRow("no updater") << "none" << false;
    QTest::newRow("an updater that may not run") << "not executable" << false;
    QTest::newRow("a folder that may not be written") << "executable" << true;
}

void TestMainWindowUpdates::withoutUpdaterPointsToTheWebsite()
{
    QFETCH(QString, updater);
    QFETCH(bool, readOnlyFolder);
    if (readOnlyFolder && ::geteuid() == 0)
        QSKIP("root may write any folder, so a read-only one cannot be made");
    if (updater != "none") {
        const QFileDevice::Permissions permissions =
            updater == "executable" ? executable : QFileDevice::ReadOwner | QFileDevice::WriteOwner;
        QVERIFY(m_sandbox->writeProgramFile("LoomdrawUpdate", updaterScript, permissions));
    }
    if (readOnlyFolder) {
        // The test program must be in the folder before it is closed.
        m_sandbox->run("none", QString());
        QVERIFY(QFile::setPermissions(m_sandbox->programFolder(), QFile::ReadOwner | QFile::ExeOwner));
    }
    const ChildRun run = runCheck(fakeanswer::text("2.3"), "1");
    QFile::setPermissions(m_sandbox->programFolder(), executable);
    QCOMPARE(run.exitCode, keptRunning);
    QCOMPARE(run.values("box"), QStringList({"Message | " + websiteText + " | 1 | 0"}));
    // The home page (here the service's base) opens once the box is closed.
    QCOMPARE(run.values("opened"), QStringList({m_service->baseUrl()}));
    QVERIFY(!updaterStarted(300));
}

int main(int argc, char **argv)
{
    const QString scenario = qEnvironmentVariable(scenarioVariable);
    if (scenario == QLatin1String("updateCheck"))
        return updateCheckScenario(argc, argv);
    if (!scenario.isEmpty())
        return 0;
    QApplication application(argc, argv);
    TestMainWindowUpdates test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_mainwindowupdates.moc"
