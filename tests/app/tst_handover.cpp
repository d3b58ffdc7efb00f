// Two real processes of the built program: a second start hands its
// documents to the running instance, whose window opens them, and ends; a dead instance's lock is taken
// over, a hung one makes the sender give up and say so, and an image export
// runs beside a running instance without talking to it.
#include "app/programfixture.h"
#include "app/programprocess.h"

#include <QCoreApplication>
#include <QImage>
#include <QStandardPaths>
#include <QtTest>

using namespace programfixture;
using programprocess::Echo;
using programprocess::Result;
using programprocess::Sandbox;

class TestHandOver : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void handsOverPathsMadeAbsolute();
    void opensAHandedOverDocumentInTheRunningWindow();
    void handsOverAnEmptyMessage();
    void takesOverTheLockOfAKilledInstance();
    void keepsTheOldLockOfALiveInstance();
    void givesUpOnAStoppedInstance();
    void exportsBesideARunningInstance();

private:
    // Where the program finds a name of its work folder.
    QString workPath(const QString &name) const
    {
        return QDir(QFileInfo(m_sandbox->folder("work")).canonicalFilePath()).filePath(name);
    }
    // A later start in the work folder with the document: the receiver
    // gets its absolute path.
    void expectHandOver(QProcess &receiver, const QString &document);
    // Starts the receiving instance; the first text is its own.
    QProcess *startReceiver(const QStringList &arguments = QStringList());

    std::unique_ptr<Sandbox> m_sandbox;
    std::vector<std::unique_ptr<QProcess>> m_receivers;
};

void TestHandOver::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestHandOver::init()
{
    m_sandbox = std::make_unique<Sandbox>();
    QVERIFY(m_sandbox->isValid());
}

void TestHandOver::cleanup()
{
    for (const auto &receiver : m_receivers)
        Sandbox::end(*receiver);
    m_receivers.clear();
}

QProcess *TestHandOver::startReceiver(const QStringList &arguments)
{
    std::unique_ptr<QProcess> receiver = m_sandbox->startReceiver(arguments);
    if (!receiver)
        return nullptr;
    m_receivers.push_back(std::move(receiver));
    return m_receivers.back().get();
}

void TestHandOver::expectHandOver(QProcess &receiver, const QString &document)
{
    const Result sent = m_sandbox->run({document});
    QVERIFY2(sent.succeeded(), sent.errors.constData());
    QString message;
    QVERIFY(Sandbox::nextMessage(receiver, &message));
    QCOMPARE(message, workPath(document) + ",");
}

void TestHandOver::handsOverPathsMadeAbsolute()
{
    QProcess *receiver = startReceiver();
    QVERIFY(receiver);
    // The sender works in another folder than the receiver.
    const QString elsewhere = QFileInfo(m_sandbox->folder("home")).canonicalFilePath();
    const Result sent = m_sandbox->run({"x.slf", "'sub/../y.slp'", "picture.png"}, elsewhere);
    QVERIFY2(sent.succeeded(), sent.errors.constData());
    QCOMPARE(sent.programLines(), QStringList());
    QString message;
    QVERIFY(Sandbox::nextMessage(*receiver, &message));
    QCOMPARE(message, elsewhere + "/x.slf," + elsewhere + "/y.slp,");
}

void TestHandOver::opensAHandedOverDocumentInTheRunningWindow()
{
    Echo echo;
    std::unique_ptr<QProcess> started = m_sandbox->startReceiver({}, QString(), &echo);
    QVERIFY(started);
    m_receivers.push_back(std::move(started));
    QProcess &receiver = *m_receivers.back();
    QCOMPARE(echo.views, QStringList({"untitled1"}));

    QVERIFY(writeFile(m_sandbox->path("x.slf"), redPage()));
    const Result sent = m_sandbox->run({"x.slf", "bundle.slp"});
    QVERIFY2(sent.succeeded(), sent.errors.constData());
    QVERIFY(Sandbox::nextEcho(receiver, &echo));
    QCOMPARE(echo.views, QStringList({"untitled1", workPath("x.slf")}));
    QCOMPARE(echo.dialogs, QStringList());

    // Handed over again, under another name of the same file, it is only
    // selected; a file that cannot be read leaves no tab and is reported.
    QVERIFY(m_sandbox->run({"./x.slf", "gone.slf"}).succeeded());
    QVERIFY(Sandbox::nextEcho(receiver, &echo));
    QCOMPARE(echo.views, QStringList({"untitled1", workPath("x.slf")}));
    QCOMPARE(echo.dialogs, QStringList({"Open: Cannot open file " + workPath("gone.slf")}));
}

void TestHandOver::handsOverAnEmptyMessage()
{
    QProcess *receiver = startReceiver({"own.slf"});
    QVERIFY(receiver);
    const Result sent = m_sandbox->run({});
    QVERIFY2(sent.succeeded(), sent.errors.constData());
    QString message = "not read";
    QVERIFY(Sandbox::nextMessage(*receiver, &message));
    QCOMPARE(message, QString());
}

void TestHandOver::takesOverTheLockOfAKilledInstance()
{
    QProcess *first = startReceiver();
    QVERIFY(first);
    Sandbox::signal(*first, SIGKILL);
    QVERIFY(first->waitForFinished(programprocess::startMilliseconds));
    // Its lock and socket are still there; the next start takes them over
    // and receives.
    QVERIFY(!QDir(m_sandbox->folder("runtime")).isEmpty());
    QProcess *next = startReceiver();
    QVERIFY2(next, "the next start became the receiving instance");
    expectHandOver(*next, "z.slf");
}

void TestHandOver::keepsTheOldLockOfALiveInstance()
{
    QProcess *receiver = startReceiver();
    QVERIFY(receiver);
    // A lock file's age says nothing about its holder: hours old, it is
    // still that of a running instance.
    const QStringList locks = QDir(m_sandbox->folder("runtime")).entryList({"*.lock"}, QDir::Files);
    QCOMPARE(locks.size(), 1);
    QFile lock(QDir(m_sandbox->folder("runtime")).filePath(locks.first()));
    QVERIFY(lock.open(QIODevice::ReadWrite));
    QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-3 * 3600),
                             QFileDevice::FileModificationTime));
    lock.close();
    expectHandOver(*receiver, "x.slf");
}

void TestHandOver::givesUpOnAStoppedInstance()
{
    QProcess *receiver = startReceiver();
    QVERIFY(receiver);
    Sandbox::signal(*receiver, SIGSTOP);
    const Result sent = m_sandbox->run({"x.slf"});
    Sandbox::signal(*receiver, SIGCONT);
    QVERIFY(sent.finished);
    QCOMPARE(sent.exitStatus, QProcess::NormalExit);
    QCOMPARE(sent.exitCode, 1);
    const QStringList lines = sent.programLines();
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.first().contains("x.slf"), qPrintable(lines.first()));
    // The sender waited for its time-out of 5 seconds, and no longer than a
    // slow start adds to it.
    QVERIFY2(sent.milliseconds >= 4900, qPrintable(QString::number(sent.milliseconds)));
    QVERIFY2(sent.milliseconds < 20000, qPrintable(QString::number(sent.milliseconds)));
}

void TestHandOver::exportsBesideARunningInstance()
{
    QProcess *receiver = startReceiver();
    QVERIFY(receiver);
    QVERIFY(writeFile(m_sandbox->path("a.slf"), redPage()));
    const Result exported = m_sandbox->run({"-exportimage", "a.slf", "a.png"});
    QVERIFY2(exported.succeeded(), exported.errors.constData());
    QCOMPARE(QImage(m_sandbox->path("a.png")).size(), QSize(842, 595));
    // Had the export handed anything over, it would come before this text.
    expectHandOver(*receiver, "after.slf");
}

QTEST_GUILESS_MAIN(TestHandOver)
#include "tst_handover.moc"
