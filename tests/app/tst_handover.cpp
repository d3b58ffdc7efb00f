// Two real processes of the built program: a second start hands its
// documents to the running instance, whose window opens them as they are
// named, and ends; a dead instance's lock is taken over, a hung one makes
// the sender give up, say so and withdraw, a flood of connections does not
// lock later starts out, and an image export runs beside a running
// instance without talking to it.
#include "app/programfixture.h"
#include "app/programprocess.h"
#include "app/singleinstanceapplication.h"

#include <QCoreApplication>
#include <QImage>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QtTest>

#include <algorithm>
#include <sys/resource.h>

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
    void opensHandedOverNamesAsTheyAre();
    void handsOverAnEmptyMessage();
    void takesOverTheLockOfAKilledInstance();
    void keepsTheOldLockOfALiveInstance();
    void withdrawsWhatAStoppedInstanceDidNotTake();
    void staysReachableThroughAFloodOfConnections();
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
    // The same, with at most `files` open files in the receiver.
    QProcess *startReceiverWithOpenFiles(rlim_t files);

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

// The limit is inherited: lowered here only while the receiver starts.
QProcess *TestHandOver::startReceiverWithOpenFiles(rlim_t files)
{
    rlimit saved {};
    if (getrlimit(RLIMIT_NOFILE, &saved) != 0)
        return nullptr;
    rlimit lowered = saved;
    lowered.rlim_cur = std::min(files, saved.rlim_cur);
    if (setrlimit(RLIMIT_NOFILE, &lowered) != 0)
        return nullptr;
    QProcess *receiver = startReceiver();
    setrlimit(RLIMIT_NOFILE, &saved);
    return receiver;
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

void TestHandOver::opensHandedOverNamesAsTheyAre()
{
    QProcess *receiver = startReceiver();
    QVERIFY(receiver);
    const QStringList names{"a,b.slf", "50%2C off.slf", "\u00fcber,\u5716.slf"};
    for (const QString &name : names)
        QVERIFY(writeFile(m_sandbox->path(name), redPage()));
    QVERIFY(writeFile(m_sandbox->path("b.slf"), greenPage()));
    const Result sent = m_sandbox->run(names);
    QVERIFY2(sent.succeeded(), sent.errors.constData());
    Echo echo;
    QVERIFY(Sandbox::nextEcho(*receiver, &echo));
    QStringList views{"untitled1"};
    for (const QString &name : names)
        views.append(workPath(name));
    QCOMPARE(echo.views, views);
    QCOMPARE(echo.dialogs, QStringList());
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
    QVERIFY(first->waitForFinished(childWaitMilliseconds));
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

void TestHandOver::withdrawsWhatAStoppedInstanceDidNotTake()
{
    QProcess *receiver = startReceiver();
    QVERIFY(receiver);
    Sandbox::signal(*receiver, SIGSTOP);
    const Result sent = m_sandbox->run({"x.slf"});
    Sandbox::signal(*receiver, SIGCONT);
    QVERIFY(sent.finished);
    QCOMPARE(sent.exitStatus, QProcess::NormalExit);
    QCOMPARE(sent.exitCode, 1);
    QCOMPARE(sent.programLines(),
             QStringList({"Loomdraw: the running instance did not answer within 5 seconds; "
                          "not opened: x.slf"}));
    // The sender waited for its time-out of 5 seconds, and no longer than a
    // slow start adds to it.
    QVERIFY2(sent.milliseconds >= 4900, qPrintable(QString::number(sent.milliseconds)));
    QVERIFY2(sent.milliseconds < 20000, qPrintable(QString::number(sent.milliseconds)));
    // Resumed, the instance finds the withdrawn text and leaves it: had it
    // opened x.slf after all, that would come before this text.
    expectHandOver(*receiver, "after.slf");
}

void TestHandOver::staysReachableThroughAFloodOfConnections()
{
    // Far fewer open files than a desktop gives, so that a flood of a few
    // hundred connections would use them all up.
    QProcess *receiver = startReceiverWithOpenFiles(64);
    QVERIFY(receiver);
    const QString socketPath = QDir(m_sandbox->folder("runtime"))
                                   .entryInfoList({"*.socket"}, QDir::System)
                                   .value(0)
                                   .filePath();
    QVERIFY(!socketPath.isEmpty());
    std::vector<std::unique_ptr<QLocalSocket>> flood;
    for (int i = 0; i < 300; ++i) {
        flood.push_back(std::make_unique<QLocalSocket>());
        flood.back()->connectToServer(socketPath);
    }
    const auto open = [&flood] {
        return int(std::count_if(flood.begin(), flood.end(), [](const auto &socket) {
            return socket->state() != QLocalSocket::UnconnectedState;
        }));
    };
    // All but those served are refused at once.
    QTRY_VERIFY_WITH_TIMEOUT(open() <= SingleInstanceApplication::maximumConnections,
                             SingleInstanceApplication::frameMilliseconds / 2);
    flood.clear();
    expectHandOver(*receiver, "after.slf");
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
