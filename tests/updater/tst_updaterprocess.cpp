// The built LoomdrawUpdate as a process of its own, copied into a program
// folder beside the old program, against the fake web service.
#include "support/fakeservice.h"
#include "updatefixture.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

#include <memory>

using namespace updatefixture;

namespace {

const QString downloadPath = QStringLiteral("/files/Loomdraw");

} // namespace

class TestUpdaterProcess : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void installsTheServedProgramAndEnds();
    void failureIsReportedAndTheWindowStays_data();
    void failureIsReportedAndTheWindowStays();
    void swapsOnlyOnceTheOldProgramHasEnded_data();
    void swapsOnlyOnceTheOldProgramHasEnded();
    void secondUpdaterChangesNothing();

private:
    bool serve(const QJsonObject &answer)
    {
        return m_service->start(QJsonObject{{downloadPath, answer}});
    }
    // Starts the updater of the folder; the wait for the old program is
    // bounded by `instanceWaitMs`.
    void startUpdater(QProcess &updater, const QStringList &arguments = QStringList(),
                      int instanceWaitMs = boundMs);
    // Starts the folder's program as an old one still running, holding its
    // lock for that long; true once it does.
    bool startOldProgram(QProcess &program, int holdMs);
    // Reads the process's standard error until it holds `text`; false after
    // the bound.
    static bool waitForError(QProcess &process, const QByteArray &text);

    QTemporaryDir m_files;
    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<FakeService> m_service;
    std::unique_ptr<QProcess> m_updater;
    std::unique_ptr<QProcess> m_oldProgram;
};

void TestUpdaterProcess::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_files.isValid());
    QFile served(m_files.filePath("served"));
    QVERIFY(served.open(QIODevice::WriteOnly));
    QCOMPARE(served.write(servedProgram()), qint64(servedProgram().size()));
}

void TestUpdaterProcess::init()
{
    m_folder = std::make_unique<ProgramFolder>();
    QVERIFY(m_folder->isValid());
    QVERIFY(QFile::copy(LOOMDRAW_UPDATER_PATH, m_folder->path(ProgramFiles::updater)));
    m_service = std::make_unique<FakeService>();
    m_updater = std::make_unique<QProcess>();
    m_oldProgram = std::make_unique<QProcess>();
}

void TestUpdaterProcess::cleanup()
{
    for (QProcess *process : {m_updater.get(), m_oldProgram.get()}) {
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished(boundMs);
        }
    }
}

void TestUpdaterProcess::startUpdater(QProcess &updater, const QStringList &arguments,
                                      int instanceWaitMs)
{
    QProcessEnvironment environment = m_folder->environment(m_service->baseUrl());
    environment.insert("LOOMDRAW_UPDATE_WAIT_MS", QString::number(instanceWaitMs));
    updater.setProcessEnvironment(environment);
    updater.start(m_folder->path(ProgramFiles::updater), arguments);
}

bool TestUpdaterProcess::startOldProgram(QProcess &program, int holdMs)
{
    program.setProcessEnvironment(m_folder->environment(m_service->baseUrl()));
    program.start(m_folder->program(), {"--hold-lock", QString::number(holdMs)});
    return program.waitForStarted(boundMs) && m_folder->waitFor("holding");
}

bool TestUpdaterProcess::waitForError(QProcess &process, const QByteArray &text)
{
    QElapsedTimer clock;
    clock.start();
    QByteArray errors;
    while (!errors.contains(text) && clock.elapsed() < boundMs) {
        process.waitForReadyRead(100);
        errors += process.readAllStandardError();
    }
    if (!errors.contains(text))
        qWarning("%s", errors.constData());
    return errors.contains(text);
}

void TestUpdaterProcess::installsTheServedProgramAndEnds()
{
    QVERIFY(m_folder->installOldPrograms());
    QVERIFY(serve(fakeanswer::file(m_files.filePath("served"))));

    // Arguments change nothing.
    startUpdater(*m_updater, {"--help", "Loomdraw_bak"});
    QVERIFY(m_updater->waitForFinished(boundMs));
    QCOMPARE(m_updater->exitStatus(), QProcess::NormalExit);
    QCOMPARE(m_updater->exitCode(), 0);

    QCOMPARE(m_folder->read(ProgramFiles::program), servedProgram());
    QVERIFY(QFileInfo(m_folder->program()).isExecutable());
    QCOMPARE(m_folder->read(ProgramFiles::programBackup), oldProgram);
    QVERIFY(!m_folder->exists(ProgramFiles::newProgram));
    QVERIFY(m_folder->waitFor("started"));
    QCOMPARE(readFile(m_folder->startedMarker()), QByteArray("Loomdraw\n"));

    const QList<QJsonObject> requests = m_service->requests();
    QCOMPARE(requests.size(), 1);
    QCOMPARE(requests.first().value("path").toString(), downloadPath);
    QCOMPARE(requests.first().value("headers").toObject().value("Content-Type").toString(),
             QStringLiteral("application/x-www-form-urlencoded; charset=UTF-8"));
}

void TestUpdaterProcess::failureIsReportedAndTheWindowStays_data()
{
    QTest::addColumn<QJsonObject>("answer");
    QTest::newRow("404") << fakeanswer::text("not here", 404);
    QTest::newRow("HTML with 200") << fakeanswer::html();
    QTest::newRow("302 with a body") << fakeanswer::redirect("moved");
    QTest::newRow("cut short") << fakeanswer::cutShort(m_files.filePath("served"), 1000);
}

void TestUpdaterProcess::failureIsReportedAndTheWindowStays()
{
    QFETCH(QJsonObject, answer);
    QVERIFY(m_folder->installOldPrograms());
    QVERIFY(serve(answer));

    startUpdater(*m_updater);
    QVERIFY(m_updater->waitForStarted(boundMs));
    QVERIFY(waitForError(*m_updater, "LoomdrawUpdate: "));
    // Its window stays open, saying that the update failed.
    QVERIFY(!m_updater->waitForFinished(300));
    QCOMPARE(m_folder->read(ProgramFiles::program), oldProgram);
    QCOMPARE(m_folder->read(ProgramFiles::programBackup), olderProgram);
    QVERIFY(!m_folder->exists(ProgramFiles::newProgram));
    QVERIFY(!m_folder->exists("started"));
}

void TestUpdaterProcess::swapsOnlyOnceTheOldProgramHasEnded_data()
{
    QTest::addColumn<int>("holdMs");
    QTest::addColumn<int>("instanceWaitMs");
    QTest::addColumn<bool>("endsFirst");
    QTest::newRow("the old program ends first") << 1500 << boundMs << true;
    QTest::newRow("the wait ends first") << boundMs << 1000 << false;
}

// Past the wait, the updater asks for the old program to be closed (its
// window's Retry and Cancel are tried in process) and swaps nothing.
void TestUpdaterProcess::swapsOnlyOnceTheOldProgramHasEnded()
{
    QFETCH(int, holdMs);
    QFETCH(int, instanceWaitMs);
    QFETCH(bool, endsFirst);
    QVERIFY(m_folder->write(ProgramFiles::program, testProgram()));
    QVERIFY(serve(fakeanswer::file(m_files.filePath("served"))));
    QVERIFY(startOldProgram(*m_oldProgram, holdMs));

    startUpdater(*m_updater, QStringList(), instanceWaitMs);
    if (endsFirst) {
        QVERIFY(m_updater->waitForFinished(boundMs));
        QCOMPARE(m_updater->exitCode(), 0);
        QCOMPARE(m_folder->read(ProgramFiles::program), servedProgram());
        // The old program saw its file unchanged up to its end.
        QCOMPARE(m_folder->read("released"), QByteArray("unchanged"));
        QVERIFY(m_folder->waitFor("started"));
        return;
    }
    QVERIFY(waitForError(*m_updater, "LoomdrawUpdate: Loomdraw is still running."));
    QCOMPARE(m_folder->read(ProgramFiles::program), testProgram());
    QCOMPARE(m_oldProgram->state(), QProcess::Running);
    // Once it has ended, nothing is swapped without the user's Retry.
    QVERIFY(m_folder->write("release", QByteArray()));
    QVERIFY(m_oldProgram->waitForFinished(boundMs));
    QCOMPARE(m_folder->read("released"), QByteArray("unchanged"));
    QVERIFY(!m_updater->waitForFinished(500));
    QCOMPARE(m_folder->read(ProgramFiles::program), testProgram());
    QVERIFY(!m_folder->exists("started"));
}

// Two updaters at once: the second finds the folder locked, says so and
// changes nothing (asks for nothing either), so the first keeps the old
// program as the backup.
void TestUpdaterProcess::secondUpdaterChangesNothing()
{
    QVERIFY(m_folder->installOldPrograms());
    const QJsonObject served = fakeanswer::file(m_files.filePath("served"));
    // The first answer is slow, so the first updater still runs when the
    // second starts.
    QVERIFY(m_service->start(QJsonObject{{downloadPath, QJsonArray{fakeanswer::delayed(served, 4000), served}}}));
    startUpdater(*m_updater);
    QElapsedTimer clock;
    clock.start();
    while (m_service->requests().isEmpty() && clock.elapsed() < boundMs)
        QTest::qWait(20);
    QCOMPARE(m_service->requests().size(), 1);

    QProcess second;
    startUpdater(second);
    QVERIFY(m_updater->waitForFinished(boundMs));
    QCOMPARE(m_updater->exitCode(), 0);
    QCOMPARE(m_folder->read(ProgramFiles::program), servedProgram());
    QCOMPARE(m_folder->read(ProgramFiles::programBackup), oldProgram);
    QVERIFY(waitForError(second, "LoomdrawUpdate: An update is already running"));
    QCOMPARE(second.state(), QProcess::Running);
    second.kill();
    second.waitForFinished(boundMs);
    QCOMPARE(m_service->requests().size(), 1);
}

QTEST_MAIN(TestUpdaterProcess)
#include "tst_updaterprocess.moc"
