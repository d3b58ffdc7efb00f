// The update in process, against the fake web service: what it accepts as
// the new program, how it swaps the files, and what the window shows.
#include "support/fakeservice.h"
#include "updatefixture.h"

#include "updater/mainwidget.h"
#include "updater/programupdate.h"
#include "support/filesizelimit.h"

#include <QLabel>
#include <QStandardPaths>
#include <QtTest>

using namespace updatefixture;

namespace {

const QString downloadPath = QStringLiteral("/files/Loomdraw");
const QString failedText = QStringLiteral("The update failed.");

QJsonObject downloadRoute(const QJsonObject &answer)
{
    return QJsonObject{{downloadPath, answer}};
}

} // namespace

class TestProgramUpdate : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void installsTheServedProgram_data();
    void installsTheServedProgram();
    void firstInstallMakesNoBackup();
    void refusesWhatIsNotTheProgram_data();
    void refusesWhatIsNotTheProgram();
    void slowSteadyDownloadGoesOn();
    void writeCutShortOnDiskIsNotInstalled();
    void backupInTheWayKeepsTheProgram();
    void newProgramThatCannotStartIsTakenBack();
    void noServiceSendsNothing();
    void windowShowsTheFailure();

private:
    ProgramUpdate update() const;
    bool serve(const QJsonObject &answer);
    QString servedFile() const { return m_files.filePath("served"); }

    QTemporaryDir m_files;
    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<FakeService> m_service;
};

void TestProgramUpdate::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_files.isValid());
    QVERIFY(!testProgram().isEmpty());
    QFile served(servedFile());
    QVERIFY(served.open(QIODevice::WriteOnly));
    QCOMPARE(served.write(servedProgram()), qint64(servedProgram().size()));
}

void TestProgramUpdate::init()
{
    m_folder = std::make_unique<ProgramFolder>();
    QVERIFY(m_folder->isValid());
    // The locks and the programs the updates start stay in the test's folder.
    qputenv("XDG_RUNTIME_DIR", m_folder->runtime().toLocal8Bit());
    m_service = std::make_unique<FakeService>();
}

ProgramUpdate TestProgramUpdate::update() const
{
    ProgramUpdate update(m_folder->folder(), m_service->baseUrl() + downloadPath);
    update.setInstanceWait(boundMs);
    update.setIdleTimeout(2000);
    return update;
}

bool TestProgramUpdate::serve(const QJsonObject &answer)
{
    return m_service->start(downloadRoute(answer));
}

void TestProgramUpdate::installsTheServedProgram_data()
{
    QTest::addColumn<int>("oldPermissions");
    QTest::addColumn<bool>("leftover");
    QTest::newRow("rwxr-xr-x") << int(programPermissions) << false;
    QTest::newRow("rwx------, a leftover new file")
        << int(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner) << true;
    QTest::newRow("rwxr-x---")
        << int(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
               | QFileDevice::ReadGroup | QFileDevice::ExeGroup)
        << false;
}

void TestProgramUpdate::installsTheServedProgram()
{
    QFETCH(int, oldPermissions);
    QFETCH(bool, leftover);
    const QFileDevice::Permissions permissions(oldPermissions);
    QVERIFY(m_folder->write(ProgramFiles::program, oldProgram, permissions));
    QVERIFY(m_folder->write(ProgramFiles::programBackup, olderProgram));
    if (leftover)
        QVERIFY(m_folder->write(ProgramFiles::newProgram, "\x7f" "ELF left by an earlier run"));
    QVERIFY(serve(fakeanswer::file(servedFile())));

    ProgramUpdate run = update();
    QVERIFY2(run.run(), qPrintable(run.failure()));
    QCOMPARE(m_folder->read(ProgramFiles::program), servedProgram());
    QCOMPARE(modeBits(QFile::permissions(m_folder->program())), permissions);
    QCOMPARE(m_folder->read(ProgramFiles::programBackup), oldProgram);
    QVERIFY(!m_folder->exists(ProgramFiles::newProgram));
    QVERIFY(m_folder->waitFor("started"));
    QCOMPARE(readFile(m_folder->startedMarker()), QByteArray("Loomdraw\n"));

    const QList<QJsonObject> requests = m_service->requests();
    QCOMPARE(requests.size(), 1);
    QCOMPARE(requests.first().value("method").toString(), QStringLiteral("GET"));
    QCOMPARE(requests.first().value("path").toString(), downloadPath);
}

void TestProgramUpdate::firstInstallMakesNoBackup()
{
    QVERIFY(serve(fakeanswer::file(servedFile())));
    ProgramUpdate run = update();
    QVERIFY2(run.run(), qPrintable(run.failure()));
    QCOMPARE(m_folder->read(ProgramFiles::program), servedProgram());
    QCOMPARE(modeBits(QFile::permissions(m_folder->program())), programPermissions);
    QVERIFY(!m_folder->exists(ProgramFiles::programBackup));
    QVERIFY(m_folder->waitFor("started"));
}

void TestProgramUpdate::refusesWhatIsNotTheProgram_data()
{
    QTest::addColumn<QJsonObject>("answer");
    QTest::addColumn<bool>("leftover");
    const QString served = servedFile();
    QTest::newRow("404") << fakeanswer::text("not here", 404) << false;
    QTest::newRow("500") << fakeanswer::text("broken", 500) << false;
    QTest::newRow("HTML with 200") << fakeanswer::html() << false;
    QTest::newRow("302 with the program as its body") << [&] {
        QJsonObject answer = fakeanswer::file(served);
        answer.insert("status", 302);
        answer.insert("headers", QJsonObject{{"Location", "/elsewhere"}});
        return answer;
    }() << false;
    QTest::newRow("302 with a body") << fakeanswer::redirect("moved") << false;
    QTest::newRow("cut short") << fakeanswer::cutShort(served, 1000) << false;
    QTest::newRow("cut short, a leftover new file") << fakeanswer::cutShort(served, 1000) << true;
    QTest::newRow("empty 200") << fakeanswer::text(QString()) << false;
    QTest::newRow("empty 200, a leftover new file") << fakeanswer::text(QString()) << true;
    QTest::newRow("a Windows program") << fakeanswer::text("MZ\x90") << false;
    QTest::newRow("no answer") << fakeanswer::silent() << false;
}

void TestProgramUpdate::refusesWhatIsNotTheProgram()
{
    QFETCH(QJsonObject, answer);
    QFETCH(bool, leftover);
    QVERIFY(m_folder->installOldPrograms());
    if (leftover)
        QVERIFY(m_folder->write(ProgramFiles::newProgram, servedProgram()));
    QVERIFY(serve(answer));

    ProgramUpdate run = update();
    QVERIFY(!run.run());
    QVERIFY(!run.failure().isEmpty());
    QCOMPARE(m_folder->read(ProgramFiles::program), oldProgram);
    QCOMPARE(m_folder->read(ProgramFiles::programBackup), olderProgram);
    QVERIFY(!m_folder->exists(ProgramFiles::newProgram));
    QVERIFY(!m_folder->exists("started"));
    QCOMPARE(m_service->requests().size(), 1);
}

// The time-out of the download counts from the last bytes, not from the
// start: a program that takes longer than the time-out to arrive, but keeps
// arriving, is installed.
void TestProgramUpdate::slowSteadyDownloadGoesOn()
{
    QVERIFY(serve(fakeanswer::trickled(fakeanswer::file(servedFile()), 150)));
    ProgramUpdate run = update();
    run.setIdleTimeout(1000);
    QElapsedTimer clock;
    clock.start();
    QVERIFY2(run.run(), qPrintable(run.failure()));
    QVERIFY(clock.elapsed() > 1000);
    QCOMPARE(m_folder->read(ProgramFiles::program), servedProgram());
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
    const bool installed = run.run();
    limit.lift();

    QVERIFY(!installed);
    QCOMPARE(m_folder->read(ProgramFiles::program), oldProgram);
    QCOMPARE(m_folder->read(ProgramFiles::programBackup), olderProgram);
    QCOMPARE(QDir(m_folder->folder()).entryList(QDir::Files | QDir::Hidden),
             QStringList({"Loomdraw", "Loomdraw_bak"}));
}

// A backup that cannot be removed (a folder holding a file) blocks the
// backup of the old program; then the old program stays where it is.
void TestProgramUpdate::backupInTheWayKeepsTheProgram()
{
    QVERIFY(m_folder->write(ProgramFiles::program, oldProgram));
    QVERIFY(QDir(m_folder->folder()).mkpath(QStringLiteral("Loomdraw_bak/inside")));
    QVERIFY(serve(fakeanswer::file(servedFile())));

    ProgramUpdate run = update();
    QVERIFY(!run.run());
    QCOMPARE(m_folder->read(ProgramFiles::program), oldProgram);
    QVERIFY(QFileInfo(m_folder->path("Loomdraw_bak/inside")).isDir());
    QVERIFY(!m_folder->exists(ProgramFiles::newProgram));
}

// A download that looks like a program but does not run: the old program
// is put back and started in its place.
void TestProgramUpdate::newProgramThatCannotStartIsTakenBack()
{
    QVERIFY(m_folder->write(ProgramFiles::program, testProgram()));
    QVERIFY(m_folder->write(ProgramFiles::programBackup, olderProgram));
    QVERIFY(serve(fakeanswer::text("\x7f" "ELF, and nothing that runs")));

    ProgramUpdate run = update();
    QVERIFY(!run.run());
    QVERIFY(run.failure().contains("previous one is back"));
    QCOMPARE(m_folder->read(ProgramFiles::program), testProgram());
    QVERIFY(QFileInfo(m_folder->program()).isExecutable());
    QVERIFY(!m_folder->exists(ProgramFiles::newProgram));
    QVERIFY(m_folder->waitFor("started"));
    QCOMPARE(readFile(m_folder->startedMarker()), QByteArray("Loomdraw\n"));
}

void TestProgramUpdate::noServiceSendsNothing()
{
    QVERIFY(m_folder->installOldPrograms());
    ProgramUpdate run(m_folder->folder(), QString());
    QVERIFY(!run.run());
    QCOMPARE(m_folder->read(ProgramFiles::program), oldProgram);
    QCOMPARE(m_folder->read(ProgramFiles::programBackup), olderProgram);
}

void TestProgramUpdate::windowShowsTheFailure()
{
    QVERIFY(m_folder->installOldPrograms());
    QVERIFY(serve(fakeanswer::text("not here", 404)));
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

    QTRY_COMPARE_WITH_TIMEOUT(label->text(), failedText, boundMs);
    QVERIFY(label->toolTip().contains("404"));
    QCOMPARE(m_folder->read(ProgramFiles::program), oldProgram);
    QVERIFY(!m_folder->exists(ProgramFiles::newProgram));
}

QTEST_MAIN(TestProgramUpdate)
#include "tst_programupdate.moc"
