// The update in process, against the fake web service: what it accepts as
// the new program, how it swaps the files, what a run stopped at each step
// leaves, and what the window shows.
#include "servedprogram.h"
#include "support/fakeservice.h"
#include "updatefixture.h"

#include "updater/mainwidget.h"
#include "updater/programupdate.h"
#include "support/filesizelimit.h"

#include <QApplication>
#include <QLabel>
#include <QLockFile>
#include <QPushButton>
#include <QStandardPaths>
#include <QtTest>

#include <csignal>

#include <sys/stat.h>

using namespace updatefixture;

namespace {

using Result = ProgramUpdate::Result;
using Step = ProgramUpdate::Step;

const QString downloadPath = QStringLiteral("/files/Loomdraw");
const QString closeText = QStringLiteral("Close Loomdraw to finish the update");

// Child run: an update of the folder in killFolderVariable from the address
// in killUrlVariable, killed (SIGKILL, no clean-up of any kind) when it
// reaches the step numbered in killAtVariable.
const char *const killAtVariable = "LOOMDRAW_TEST_KILL_AT";
const char *const killFolderVariable = "LOOMDRAW_TEST_KILL_FOLDER";
const char *const killUrlVariable = "LOOMDRAW_TEST_KILL_URL";
// The child's exit code when the run got past the step.
const int notKilled = 3;

int killedUpdate(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    ProgramUpdate update(qEnvironmentVariable(killFolderVariable), qEnvironmentVariable(killUrlVariable));
    const int killAt = qEnvironmentVariableIntValue(killAtVariable);
    update.setStepHook([killAt](Step reached) {
        if (int(reached) == killAt)
            std::raise(SIGKILL);
    });
    update.run();
    return notKilled;
}

QJsonObject downloadRoute(const QJsonObject &answer)
{
    return QJsonObject{{downloadPath, answer}};
}

QFileDevice::Permissions permissionsOf(mode_t mode)
{
    QFileDevice::Permissions permissions;
    const std::pair<mode_t, QFileDevice::Permission> bits[] = {
        {S_IRUSR, QFileDevice::ReadOwner}, {S_IWUSR, QFileDevice::WriteOwner},
        {S_IXUSR, QFileDevice::ExeOwner},  {S_IRGRP, QFileDevice::ReadGroup},
        {S_IWGRP, QFileDevice::WriteGroup}, {S_IXGRP, QFileDevice::ExeGroup},
        {S_IROTH, QFileDevice::ReadOther}, {S_IWOTH, QFileDevice::WriteOther},
        {S_IXOTH, QFileDevice::ExeOther}};
    for (const auto &bit : bits) {
        if (mode & bit.first)
            permissions |= bit.second;
    }
    return permissions;
}

// Sets the process's umask for one test.
class UmaskScope
{
public:
    explicit UmaskScope(mode_t mask) : m_saved(::umask(mask)) {}
    ~UmaskScope() { ::umask(m_saved); }
    UmaskScope(const UmaskScope &) = delete;
    UmaskScope &operator=(const UmaskScope &) = delete;

private:
    mode_t m_saved;
};

} // namespace

class TestProgramUpdate : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void installsTheServedProgram_data();
    void installsTheServedProgram();
    void firstInstallMakesNoBackup();
    void refusesWhatIsNotTheWholeProgram_data();
    void refusesWhatIsNotTheWholeProgram();
    void downloadHasADeadline_data();
    void downloadHasADeadline();
    void writeCutShortOnDiskIsNotInstalled();
    void backupInTheWayKeepsTheProgram();
    void programThatFailsItsCheckIsNotInstalled_data();
    void programThatFailsItsCheckIsNotInstalled();
    void newProgramThatCannotStartIsTakenBack();
    void killedAtEachStepLeavesAProgram_data();
    void killedAtEachStepLeavesAProgram();
    void oldProgramThatStaysIsAskedToClose_data();
    void oldProgramThatStaysIsAskedToClose();
    void noServiceSendsNothing();
    void windowShowsTheFailure_data();
    void windowShowsTheFailure();

private:
    ProgramUpdate update() const;
    bool serve(const QJsonObject &answer);
    // The served program with a check mark at its end, as a file to serve.
    QString servedWithMark(const char *mark) const;
    QString servedFile() const { return m_files.filePath("served"); }
    bool startOldProgram(QProcess &program);

    QTemporaryDir m_files;
    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<FakeService> m_service;
    std::unique_ptr<QProcess> m_oldProgram;
};

void TestProgramUpdate::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_files.isValid());
    QVERIFY(!testProgram().isEmpty());
    QFile served(servedFile());
    QVERIFY(served.open(QIODevice::WriteOnly));
    QCOMPARE(served.write(servedProgram()), qint64(servedProgram().size()));
    for (const char *mark : {servedprogram::crashInCheck, servedprogram::hangInCheck,
                             servedprogram::passEveryCheck}) {
        QFile file(servedWithMark(mark));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.write(testProgram() + mark) > 0);
    }
}

void TestProgramUpdate::init()
{
    m_folder = std::make_unique<ProgramFolder>();
    QVERIFY(m_folder->isValid());
    // The locks and the programs the updates start stay in the test's folder.
    qputenv("XDG_RUNTIME_DIR", m_folder->runtime().toLocal8Bit());
    m_service = std::make_unique<FakeService>();
    m_oldProgram = std::make_unique<QProcess>();
}

void TestProgramUpdate::cleanup()
{
    if (m_oldProgram->state() != QProcess::NotRunning) {
        m_oldProgram->kill();
        m_oldProgram->waitForFinished(boundMs);
    }
}

ProgramUpdate TestProgramUpdate::update() const
{
    ProgramUpdate update(m_folder->folder(), m_service->baseUrl() + downloadPath);
    update.setInstanceWait(boundMs);
    HttpDownloadLimits limits = update.downloadLimits();
    limits.idleTimeoutMs = 2000;
    update.setDownloadLimits(limits);
    return update;
}

bool TestProgramUpdate::serve(const QJsonObject &answer)
{
    return m_service->start(downloadRoute(answer));
}

QString TestProgramUpdate::servedWithMark(const char *mark) const
{
    return m_files.filePath(QStringLiteral("served") + QString::fromLatin1(mark).simplified().remove(' '));
}

bool TestProgramUpdate::startOldProgram(QProcess &program)
{
    program.setProcessEnvironment(m_folder->environment(m_service->baseUrl()));
    program.start(m_folder->program(), {"--hold-lock", QString::number(boundMs)});
    return program.waitForStarted(boundMs) && m_folder->waitFor("holding");
}

// The new program is made executable whatever the old one's permissions
// were: 0755 less the umask.
void TestProgramUpdate::installsTheServedProgram_data()
{
    QTest::addColumn<int>("oldPermissions");
    QTest::addColumn<int>("umask");
    QTest::addColumn<bool>("leftover");
    const int ownerOnly = int(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const int notExecutable = int(QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                  | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    QTest::newRow("rwxr-xr-x") << int(programPermissions) << 022 << false;
    QTest::newRow("rwx------, a leftover new file") << ownerOnly << 022 << true;
    QTest::newRow("rw-r--r--: not executable") << notExecutable << 022 << false;
    QTest::newRow("rw-r--r--, umask 027") << notExecutable << 027 << false;
    QTest::newRow("rwxr-xr-x, umask 077") << int(programPermissions) << 077 << false;
}

void TestProgramUpdate::installsTheServedProgram()
{
    QFETCH(int, oldPermissions);
    QFETCH(int, umask);
    QFETCH(bool, leftover);
    const QFileDevice::Permissions permissions(oldPermissions);
    QVERIFY(m_folder->write(ProgramFiles::program, oldProgram, permissions));
    QVERIFY(m_folder->write(ProgramFiles::programBackup, olderProgram));
    if (leftover)
        QVERIFY(m_folder->write(ProgramFiles::newProgram, "\x7f" "ELF left by an earlier run"));
    QVERIFY(serve(fakeanswer::file(servedFile())));

    const UmaskScope mask{mode_t(umask)};
    ProgramUpdate run = update();
    QCOMPARE(run.run(), Result::Installed);
    QVERIFY2(run.failure().isEmpty(), qPrintable(run.failure()));
    QCOMPARE(m_folder->read(ProgramFiles::program), servedProgram());
    QCOMPARE(modeBits(QFile::permissions(m_folder->program())), permissionsOf(0755 & ~mode_t(umask)));
    QCOMPARE(m_folder->read(ProgramFiles::programBackup), oldProgram);
    QCOMPARE(modeBits(QFile::permissions(m_folder->backup())), permissions);
    QVERIFY(m_folder->waitFor("started"));
    QCOMPARE(readFile(m_folder->startedMarker()), QByteArray("Loomdraw\n"));
    QCOMPARE(QDir(m_folder->folder()).entryList(QDir::Files | QDir::Hidden),
             QStringList({"Loomdraw", "Loomdraw_bak", "started"}));

    const QList<QJsonObject> requests = m_service->requests();
    QCOMPARE(requests.size(), 1);
    QCOMPARE(requests.first().value("method").toString(), QStringLiteral("GET"));
    QCOMPARE(requests.first().value("path").toString(), downloadPath);
    QCOMPARE(requests.first().value("headers").toObject().value("Accept-Encoding").toString(),
             QStringLiteral("identity"));
}

void TestProgramUpdate::firstInstallMakesNoBackup()
{
    QVERIFY(serve(fakeanswer::file(servedFile())));
    ProgramUpdate run = update();
    QCOMPARE(run.run(), Result::Installed);
    QCOMPARE(m_folder->read(ProgramFiles::program), servedProgram());
    QVERIFY(QFileInfo(m_folder->program()).isExecutable());
    QVERIFY(!m_folder->exists(ProgramFiles::programBackup));
    QVERIFY(m_folder->waitFor("started"));
}

void TestProgramUpdate::refusesWhatIsNotTheWholeProgram_data()
{
    using namespace fakeanswer;
    QTest::addColumn<QJsonObject>("answer");
    QTest::addColumn<bool>("leftover");
    const QString served = servedFile();
    QTest::newRow("404") << text("not here", 404) << false;
    QTest::newRow("500") << text("broken", 500) << false;
    QTest::newRow("HTML with 200") << html() << false;
    QTest::newRow("302 with the program as its body") << [&] {
        QJsonObject answer = file(served);
        answer.insert("status", 302);
        answer.insert("headers", QJsonObject{{"Location", "/elsewhere"}});
        return answer;
    }() << false;
    QTest::newRow("302 with a body") << redirect("moved") << false;
    QTest::newRow("cut short") << fakeanswer::cutShort(served, 1000) << false;
    QTest::newRow("cut short, a leftover new file") << fakeanswer::cutShort(served, 1000) << true;
    // Cut at half in the ways the network layer may take for a whole reply.
    QTest::newRow("gzip with a length, cut at half") << cutAtHalf(gzipped(file(served))) << false;
    QTest::newRow("gzip without a length, cut at half")
        << cutAtHalf(withoutLength(gzipped(file(served)))) << false;
    QTest::newRow("HTTP/1.0 without a length, cut at half")
        << cutAtHalf(http10(withoutLength(file(served)))) << false;
    QTest::newRow("chunked without its last chunk") << cutAtHalf(chunked(file(served))) << false;
    // Whole, perhaps, but nothing tells.
    QTest::newRow("HTTP/1.0 without a length, whole") << http10(withoutLength(file(served))) << false;
    QTest::newRow("gzip with a length, whole") << gzipped(file(served)) << false;
    QTest::newRow("empty 200") << text(QString()) << false;
    QTest::newRow("empty 200, a leftover new file") << text(QString()) << true;
    QTest::newRow("a Windows program") << text("MZ\x90") << false;
    QTest::newRow("no answer") << silent() << false;
}

void TestProgramUpdate::refusesWhatIsNotTheWholeProgram()
{
    QFETCH(QJsonObject, answer);
    QFETCH(bool, leftover);
    QVERIFY(m_folder->installOldPrograms());
    if (leftover)
        QVERIFY(m_folder->write(ProgramFiles::newProgram, servedProgram()));
    QVERIFY(serve(answer));

    ProgramUpdate run = update();
    QCOMPARE(run.run(), Result::DownloadFailed);
    QVERIFY(!run.failure().isEmpty());
    QCOMPARE(m_folder->read(ProgramFiles::program), oldProgram);
    QCOMPARE(m_folder->read(ProgramFiles::programBackup), olderProgram);
    QCOMPARE(QDir(m_folder->folder()).entryList(QDir::Files | QDir::Hidden),
             QStringList({"Loomdraw", "Loomdraw_bak"}));
    QCOMPARE(m_service->requests().size(), 1);
}

// The idle time-out restarts with every piece, so only the deadline ends a
// download that keeps trickling; it grows with the announced length. Both
// rows send ten pieces well inside the idle time-out.
void TestProgramUpdate::downloadHasADeadline_data()
{
    QTest::addColumn<int>("pauseMs");
    QTest::addColumn<int>("secondsPerLength");
    QTest::addColumn<bool>("installed");
    QTest::newRow("steady, within its deadline of 0.5 s + 4 s") << 150 << 4 << true;
    QTest::newRow("trickling past its deadline of 0.5 s + 1 s") << 400 << 1 << false;
}

void TestProgramUpdate::downloadHasADeadline()
{
    QFETCH(int, pauseMs);
    QFETCH(int, secondsPerLength);
    QFETCH(bool, installed);
    QVERIFY(m_folder->installOldPrograms());
    QVERIFY(serve(fakeanswer::trickled(fakeanswer::file(servedFile()), pauseMs)));
    ProgramUpdate run = update();
    HttpDownloadLimits limits = run.downloadLimits();
    limits.idleTimeoutMs = 1000;
    limits.baseDeadlineMs = 500;
    limits.minimumBytesPerSecond = servedProgram().size() / secondsPerLength;
    run.setDownloadLimits(limits);

    QElapsedTimer clock;
    clock.start();
    const Result result = run.run();
    if (installed) {
        QCOMPARE(result, Result::Installed);
        QVERIFY(clock.elapsed() > limits.idleTimeoutMs);
        QCOMPARE(m_folder->read(ProgramFiles::program), servedProgram());
    } else {
        QCOMPARE(result, Result::DownloadFailed);
        QVERIFY2(clock.elapsed() < 10 * pauseMs, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(m_folder->read(ProgramFiles::program), oldProgram);
        QVERIFY(!m_folder->exists(ProgramFiles::newProgram));
    }
}

// The disk takes only part of the download (here: the process may not
// write files that large, which binds root as well).
void TestProgramUpdate::writeCutShortOnDiskIsNotInstalled()
{
    QVERIFY(m_folder->installOldPrograms());
    QVERIFY(serve(fakeanswer::file(servedFile())));
    ProgramUpdate run = update();

    FileSizeLimit limit(4096);
    QVERIFY(limit.isActive());
    const Result result = run.run();
    limit.lift();

    QCOMPARE(result, Result::DownloadFailed);
    QCOMPARE(m_folder->read(ProgramFiles::program), oldProgram);
    QCOMPARE(m_folder->read(ProgramFiles::programBackup), olderProgram);
    QCOMPARE(QDir(m_folder->folder()).entryList(QDir::Files | QDir::Hidden),
             QStringList({"Loomdraw", "Loomdraw_bak"}));
}

// A backup that cannot be replaced (a folder holding a file) blocks the
// swap; then the old program stays where it is.
void TestProgramUpdate::backupInTheWayKeepsTheProgram()
{
    QVERIFY(m_folder->write(ProgramFiles::program, oldProgram));
    QVERIFY(QDir(m_folder->folder()).mkpath(QStringLiteral("Loomdraw_bak/inside")));
    QVERIFY(serve(fakeanswer::file(servedFile())));

    ProgramUpdate run = update();
    QCOMPARE(run.run(), Result::UpdateFailed);
    QCOMPARE(m_folder->read(ProgramFiles::program), oldProgram);
    QVERIFY(QFileInfo(m_folder->path("Loomdraw_bak/inside")).isDir());
    QCOMPARE(QDir(m_folder->folder()).entryList(QDir::Files | QDir::Hidden), QStringList({"Loomdraw"}));
}

// A download that looks like a program but does not pass its check mode is
// never put in place, and nothing is started.
void TestProgramUpdate::programThatFailsItsCheckIsNotInstalled_data()
{
    QTest::addColumn<QString>("served");
    QTest::addColumn<QString>("reason");
    QTest::newRow("crashes in its check") << servedWithMark(servedprogram::crashInCheck) << "crashed";
    QTest::newRow("hangs past the bound") << servedWithMark(servedprogram::hangInCheck) << "did not end";
    QTest::newRow("ends with 0: no check mode") << servedWithMark(servedprogram::passEveryCheck)
                                                << "ended its check with 0 instead of 2";
    QTest::newRow("does not run at all") << QString() << "cannot be started";
}

void TestProgramUpdate::programThatFailsItsCheckIsNotInstalled()
{
    QFETCH(QString, served);
    QFETCH(QString, reason);
    QVERIFY(m_folder->write(ProgramFiles::program, testProgram()));
    QVERIFY(m_folder->write(ProgramFiles::programBackup, olderProgram));
    QVERIFY(serve(served.isEmpty() ? fakeanswer::text("\x7f" "ELF, and nothing that runs")
                                   : fakeanswer::file(served)));

    ProgramUpdate run = update();
    run.setCheckTimeout(1500);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(run.run(), Result::UpdateFailed);
    QVERIFY2(run.failure().contains(reason), qPrintable(run.failure()));
    QVERIFY(clock.elapsed() < 30000);
    QCOMPARE(m_folder->read(ProgramFiles::program), testProgram());
    QCOMPARE(m_folder->read(ProgramFiles::programBackup), olderProgram);
    QCOMPARE(QDir(m_folder->folder()).entryList(QDir::Files | QDir::Hidden),
             QStringList({"Loomdraw", "Loomdraw_bak"}));
}

// The new program passed its check but cannot be started once in place
// (here: it loses its execute bits right then): the old program is put back
// and started, and the backup before it stays.
void TestProgramUpdate::newProgramThatCannotStartIsTakenBack()
{
    QVERIFY(m_folder->write(ProgramFiles::program, testProgram()));
    QVERIFY(m_folder->write(ProgramFiles::programBackup, olderProgram));
    QVERIFY(serve(fakeanswer::file(servedFile())));

    ProgramUpdate run = update();
    const QString program = m_folder->program();
    run.setStepHook([program](Step reached) {
        if (reached == Step::Replaced)
            QFile::setPermissions(program, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    });
    QCOMPARE(run.run(), Result::UpdateFailed);
    QVERIFY2(run.failure().contains("previous one is back"), qPrintable(run.failure()));
    QCOMPARE(m_folder->read(ProgramFiles::program), testProgram());
    QVERIFY(QFileInfo(m_folder->program()).isExecutable());
    QCOMPARE(m_folder->read(ProgramFiles::programBackup), olderProgram);
    QVERIFY(m_folder->waitFor("started"));
    QCOMPARE(readFile(m_folder->startedMarker()), QByteArray("Loomdraw\n"));
    QCOMPARE(QDir(m_folder->folder()).entryList(QDir::Files | QDir::Hidden),
             QStringList({"Loomdraw", "Loomdraw_bak", "started"}));
}

// An updater killed at any step leaves a program that runs, and the backup
// before it; the next update clears what the killed one left and installs.
void TestProgramUpdate::killedAtEachStepLeavesAProgram_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("folder locked") << int(Step::Locked) << false;
    QTest::newRow("downloaded") << int(Step::Downloaded) << false;
    QTest::newRow("checked") << int(Step::Checked) << false;
    QTest::newRow("old program linked as the backup") << int(Step::BackupLinked) << false;
    QTest::newRow("new program in place") << int(Step::Replaced) << true;
    QTest::newRow("new program started") << int(Step::Started) << true;
}

void TestProgramUpdate::killedAtEachStepLeavesAProgram()
{
    QFETCH(int, step);
    QFETCH(bool, replaced);
    QVERIFY(m_folder->write(ProgramFiles::program, testProgram()));
    QVERIFY(m_folder->write(ProgramFiles::programBackup, olderProgram));
    QVERIFY(serve(fakeanswer::file(servedFile())));

    QProcess child;
    QProcessEnvironment environment = m_folder->environment(m_service->baseUrl());
    environment.insert(killAtVariable, QString::number(step));
    environment.insert(killFolderVariable, m_folder->folder());
    environment.insert(killUrlVariable, m_service->baseUrl() + downloadPath);
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), QStringList());
    QVERIFY(child.waitForFinished(boundMs));
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);

    const QByteArray left = m_folder->read(ProgramFiles::program);
    QCOMPARE(left, replaced ? servedProgram() : testProgram());
    QCOMPARE(checkRun(m_folder->program()), ProgramUpdate::checkExitCode);
    QCOMPARE(m_folder->read(ProgramFiles::programBackup), olderProgram);

    ProgramUpdate run = update();
    QCOMPARE(run.run(), Result::Installed);
    QCOMPARE(m_folder->read(ProgramFiles::program), servedProgram());
    QCOMPARE(m_folder->read(ProgramFiles::programBackup), left);
    QStringList files = QDir(m_folder->folder()).entryList(QDir::Files | QDir::Hidden);
    files.removeAll("started");
    QCOMPARE(files, QStringList({"Loomdraw", "Loomdraw_bak"}));
}

// The old program keeps its lock past the wait: the window asks to close
// it; Retry swaps only once it has ended, Cancel drops the download.
void TestProgramUpdate::oldProgramThatStaysIsAskedToClose_data()
{
    QTest::addColumn<bool>("cancel");
    QTest::newRow("Retry after it ended") << false;
    QTest::newRow("Cancel") << true;
}

void TestProgramUpdate::oldProgramThatStaysIsAskedToClose()
{
    QFETCH(bool, cancel);
    QVERIFY(m_folder->write(ProgramFiles::program, testProgram()));
    QVERIFY(m_folder->write(ProgramFiles::programBackup, olderProgram));
    QVERIFY(serve(fakeanswer::file(servedFile())));
    QVERIFY(startOldProgram(*m_oldProgram));

    ProgramUpdate run = update();
    run.setInstanceWait(300);
    run.setRetryWait(300);
    MainWidget window(std::move(run));
    auto *label = window.findChild<QLabel *>("label");
    auto *retry = window.findChild<QPushButton *>("retryButton");
    auto *cancelButton = window.findChild<QPushButton *>("cancelButton");
    QVERIFY(label && retry && cancelButton);
    QVERIFY(!retry->isVisibleTo(&window) && !cancelButton->isVisibleTo(&window));
    window.show();
    QTRY_COMPARE_WITH_TIMEOUT(label->text(), closeText, boundMs);
    QVERIFY(retry->isVisible() && cancelButton->isVisible());
    QCOMPARE(m_folder->read(ProgramFiles::program), testProgram());

    // Still running: Retry changes nothing.
    retry->click();
    QCOMPARE(label->text(), closeText);
    QVERIFY(retry->isVisible() && retry->isEnabled());
    QCOMPARE(m_folder->read(ProgramFiles::program), testProgram());

    if (cancel) {
        cancelButton->click();
        QVERIFY(!window.isVisible());
        QCOMPARE(QDir(m_folder->folder()).entryList(QDir::Files | QDir::Hidden),
                 QStringList({"holding", "Loomdraw", "Loomdraw_bak"}));
        return;
    }
    QVERIFY(m_folder->write("release", QByteArray()));
    QVERIFY(m_oldProgram->waitForFinished(boundMs));
    QCOMPARE(m_folder->read("released"), QByteArray("unchanged"));
    retry->click();
    QVERIFY(!window.isVisible());
    QCOMPARE(m_folder->read(ProgramFiles::program), servedProgram());
    QCOMPARE(m_folder->read(ProgramFiles::programBackup), testProgram());
    QVERIFY(m_folder->waitFor("started"));
}

void TestProgramUpdate::noServiceSendsNothing()
{
    QVERIFY(m_folder->installOldPrograms());
    ProgramUpdate run(m_folder->folder(), QString());
    QCOMPARE(run.run(), Result::DownloadFailed);
    QCOMPARE(m_folder->read(ProgramFiles::program), oldProgram);
    QCOMPARE(m_folder->read(ProgramFiles::programBackup), olderProgram);
}

void TestProgramUpdate::windowShowsTheFailure_data()
{
    QTest::addColumn<QJsonObject>("answer");
    QTest::addColumn<bool>("folderLocked");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("reason");
    QTest::newRow("404") << fakeanswer::text("not here", 404) << false << "The download failed." << "404";
    QTest::newRow("a program that crashes in its check")
        << fakeanswer::file(servedWithMark(servedprogram::crashInCheck)) << false
        << "The update failed." << "crashed";
    QTest::newRow("another updater holds the folder") << fakeanswer::file(servedFile()) << true
                                                      << "An update is already running." << "already running";
}

void TestProgramUpdate::windowShowsTheFailure()
{
    QFETCH(QJsonObject, answer);
    QFETCH(bool, folderLocked);
    QFETCH(QString, text);
    QFETCH(QString, reason);
    QVERIFY(m_folder->installOldPrograms());
    QVERIFY(serve(answer));
    QLockFile otherUpdater(m_folder->path(ProgramFiles::updateLock));
    if (folderLocked)
        QVERIFY(otherUpdater.tryLock(0));

    MainWidget window(update());
    auto *label = window.findChild<QLabel *>("label");
    QVERIFY(label);
    QCOMPARE(window.objectName(), QStringLiteral("MainWidget"));
    QCOMPARE(window.windowTitle(), QStringLiteral("StoryloomUpdate"));
    QCOMPARE(window.size(), QSize(260, 80));
    QCOMPARE(window.maximumSize(), QSize(260, 80));
    QCOMPARE(label->geometry(), QRect(30, 20, 191, 31));
    QVERIFY(label->font().bold());
    QCOMPARE(label->alignment(), Qt::AlignCenter);
    QCOMPARE(label->text(), QStringLiteral("Downloading..."));
    window.show();

    QTRY_COMPARE_WITH_TIMEOUT(label->text(), text, boundMs);
    QVERIFY2(label->toolTip().contains(reason), qPrintable(label->toolTip()));
    QVERIFY(window.isVisible());
    QCOMPARE(m_folder->read(ProgramFiles::program), oldProgram);
    QCOMPARE(m_folder->read(ProgramFiles::programBackup), olderProgram);
    QVERIFY(!m_folder->exists(ProgramFiles::newProgram));
    QCOMPARE(m_service->requests().size(), folderLocked ? 0 : 1);
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsSet(killAtVariable))
        return killedUpdate(argc, argv);
    QApplication application(argc, argv);
    application.setAttribute(Qt::AA_Use96Dpi, true);
    TestProgramUpdate test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_programupdate.moc"
