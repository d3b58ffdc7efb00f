// The single-instance application object. This test process is itself the
// receiving instance; copies of it started as senders hand texts over the
// wire. Texts are held before anything listens and then delivered in order,
// arrive whole, and only once confirmed; a broken, stalled or withdrawn
// sender neither stops the receiver nor delivers anything, a flood of
// connections is refused beyond the few served, and a socket that goes is
// put back.
#include "app/handoverframe.h"
#include "app/singleinstanceapplication.h"
#include "support/childwait.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <iterator>
#include <memory>
#include <vector>

namespace {

// Set in a sender run of this program: the file holding the text to send.
const char *const SendFileVariable = "LOOMDRAW_TEST_SEND_FILE";

const int boundMilliseconds = childWaitMilliseconds;

// Exit codes of a sender run.
enum SenderResult { Sent = 0, NotTaken = 1, NoInstance = 3, Unreadable = 4 };

int sendFromFile(int argc, char **argv)
{
    SingleInstanceApplication application(argc, argv);
    QFile file(qEnvironmentVariable(SendFileVariable));
    if (!file.open(QIODevice::ReadOnly))
        return Unreadable;
    const QString text = QString::fromUtf8(file.readAll());
    if (!application.isRunning())
        return NoInstance;
    return application.sendMessage(text, boundMilliseconds) ? Sent : NotTaken;
}

// How many of the sockets are still connected.
template <typename Sockets>
int stillConnected(const Sockets &sockets)
{
    return int(std::count_if(std::begin(sockets), std::end(sockets), [](const auto &socket) {
        return socket->state() == QLocalSocket::ConnectedState;
    }));
}

SingleInstanceApplication *application()
{
    return static_cast<SingleInstanceApplication *>(QCoreApplication::instance());
}

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void holdsTextsUntilSomethingListensThenKeepsTheirOrder();
    void carriesLongTextsWhole();
    void survivesBrokenSenders();
    void takesOnlyConfirmedTexts_data();
    void takesOnlyConfirmedTexts();
    void endsStalledConnectionsAtTheirDeadline();
    void refusesConnectionsBeyondThoseItServes();
    void listensAgainWhenItsSocketGoes();
    void sendsNothingWithoutAnotherInstance();

private:
    // Runs a sender copy of this program with the text and waits for it,
    // serving this instance's events meanwhile; its exit code, or -1.
    int send(const QString &text);
    // The receiving socket in the runtime folder.
    QString socketPath() const;
    // Collects every text delivered from now on in m_received.
    void receive();
    // A connection of this test to the receiving instance, or null.
    std::unique_ptr<QLocalSocket> connectToInstance() const;
    // True once the receiver has answered that it holds the whole text.
    static bool waitForAnswer(QLocalSocket &socket);

    QTemporaryDir m_texts;
    QStringList m_received;
    QMetaObject::Connection m_listening;
};

void TestSingleInstance::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_texts.isValid());
    QVERIFY(!application()->isRunning());
    QVERIFY(!socketPath().isEmpty());
}

void TestSingleInstance::cleanup()
{
    QObject::disconnect(m_listening);
    // Texts a failed test left behind must not reach the next one.
    m_listening = connect(application(), &SingleInstanceApplication::messageReceived, this,
                          [](const QString &) {});
    QTest::qWait(50);
    QObject::disconnect(m_listening);
    m_received.clear();
}

int TestSingleInstance::send(const QString &text)
{
    const QString file = QDir(m_texts.path()).filePath(QString::number(qHash(text)) + ".txt");
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(text.toUtf8()) != text.toUtf8().size())
        return -1;
    out.close();
    QProcess sender;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(SendFileVariable, file);
    sender.setProcessEnvironment(environment);
    sender.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    sender.start(QCoreApplication::applicationFilePath(), QStringList());
    if (!sender.waitForStarted(boundMilliseconds))
        return -1;
    // The sender waits for this instance's answer, so the event loop has to
    // run here while it does.
    QElapsedTimer clock;
    clock.start();
    while (sender.state() != QProcess::NotRunning && clock.elapsed() < boundMilliseconds)
        QTest::qWait(10);
    if (sender.state() != QProcess::NotRunning) {
        sender.kill();
        sender.waitForFinished();
        return -1;
    }
    return sender.exitStatus() == QProcess::NormalExit ? sender.exitCode() : -1;
}

QString TestSingleInstance::socketPath() const
{
    const QDir runtime(QString::fromLocal8Bit(qgetenv("XDG_RUNTIME_DIR")));
    const QFileInfoList entries = runtime.entryInfoList(QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        if (entry.fileName().endsWith(".socket"))
            return entry.filePath();
    }
    return QString();
}

void TestSingleInstance::receive()
{
    m_listening = connect(application(), &SingleInstanceApplication::messageReceived, this,
                          [this](const QString &text) { m_received.append(text); });
}

// The receiver runs on this thread: every wait here serves its events.
std::unique_ptr<QLocalSocket> TestSingleInstance::connectToInstance() const
{
    auto socket = std::make_unique<QLocalSocket>();
    socket->connectToServer(socketPath());
    const bool connected = QTest::qWaitFor(
        [&socket] { return socket->state() == QLocalSocket::ConnectedState; }, boundMilliseconds);
    return connected ? std::move(socket) : nullptr;
}

bool TestSingleInstance::waitForAnswer(QLocalSocket &socket)
{
    return QTest::qWaitFor([&socket] { return socket.bytesAvailable() > 0; }, boundMilliseconds)
        && socket.readAll() == QByteArray(1, HandOverFrame::receivedAnswer);
}

void TestSingleInstance::holdsTextsUntilSomethingListensThenKeepsTheirOrder()
{
    // Each sender ends only once this instance holds its text.
    QCOMPARE(send("first.slf,"), int(Sent));
    QCOMPARE(send(QString()), int(Sent));
    QCOMPARE(send("third.slf,"), int(Sent));
    QTest::qWait(50);

    receive();
    // Delivered from the event loop, never inside connect().
    QCOMPARE(m_received, QStringList());
    QTRY_COMPARE(m_received, QStringList({"first.slf,", "", "third.slf,"}));
    QCOMPARE(send("fourth.slf,"), int(Sent));
    QTRY_COMPARE(m_received, QStringList({"first.slf,", "", "third.slf,", "fourth.slf,"}));
}

void TestSingleInstance::carriesLongTextsWhole()
{
    receive();
    // Far more than one read of the socket returns, and no ASCII.
    QString text;
    for (int i = 0; i < 20000; ++i)
        text += QString("/tmp/\u00fcbung %1/\u5716 \U0001F600.slf,").arg(i);
    QCOMPARE(send(text), int(Sent));
    QTRY_COMPARE(m_received.size(), 1);
    QCOMPARE(m_received.first().size(), text.size());
    QVERIFY(m_received.first() == text);
}

void TestSingleInstance::survivesBrokenSenders()
{
    receive();
    // A length far beyond any list of paths: the receiver hangs up.
    const std::unique_ptr<QLocalSocket> oversized = connectToInstance();
    QVERIFY(oversized);
    oversized->write(HandOverFrame::header(0xFFFFFFF0u));
    QVERIFY(oversized->waitForBytesWritten(boundMilliseconds));
    QTRY_COMPARE_WITH_TIMEOUT(oversized->state(), QLocalSocket::UnconnectedState, boundMilliseconds);

    // A frame cut short by a sender that went away.
    const std::unique_ptr<QLocalSocket> cut = connectToInstance();
    QVERIFY(cut);
    cut->write(HandOverFrame::header(10u) + "abc");
    QVERIFY(cut->waitForBytesWritten(boundMilliseconds));
    cut->disconnectFromServer();
    QTest::qWait(50);

    QCOMPARE(send("after.slf,"), int(Sent));
    QTRY_COMPARE(m_received, QStringList({"after.slf,"}));
}

void TestSingleInstance::takesOnlyConfirmedTexts_data()
{
    QTest::addColumn<QByteArray>("confirmation"); // written once the answer came
    QTest::addColumn<bool>("taken");
    QTest::newRow("confirmed") << QByteArray(1, HandOverFrame::confirmation) << true;
    QTest::newRow("withdrawn") << QByteArray() << false;
    QTest::newRow("answered with another byte") << QByteArray("\x06") << false;
}

void TestSingleInstance::takesOnlyConfirmedTexts()
{
    QFETCH(QByteArray, confirmation);
    QFETCH(bool, taken);
    receive();
    const std::unique_ptr<QLocalSocket> sender = connectToInstance();
    QVERIFY(sender);
    sender->write(HandOverFrame::bytes("late.slf,"));
    QVERIFY(waitForAnswer(*sender));
    sender->write(confirmation);
    QVERIFY(sender->waitForBytesWritten(boundMilliseconds) || confirmation.isEmpty());
    sender->disconnectFromServer();
    // Whatever was withdrawn would come before this text.
    QCOMPARE(send("next.slf,"), int(Sent));
    QTRY_COMPARE(m_received.value(m_received.size() - 1), QString("next.slf,"));
    QCOMPARE(m_received, taken ? QStringList({"late.slf,", "next.slf,"}) : QStringList({"next.slf,"}));
}

void TestSingleInstance::endsStalledConnectionsAtTheirDeadline()
{
    receive();
    // One that says nothing, one that announces the largest text and stops,
    // one that never confirms its whole text.
    // Started before the connections: the instance may accept one while
    // the next is being made.
    QElapsedTimer clock;
    clock.start();
    std::unique_ptr<QLocalSocket> stalled[3];
    for (auto &socket : stalled) {
        socket = connectToInstance();
        QVERIFY(socket);
    }
    stalled[1]->write(HandOverFrame::header(HandOverFrame::maximumTextBytes) + QByteArray(1024, 'a'));
    stalled[2]->write(HandOverFrame::bytes("stalled.slf,"));
    QVERIFY(waitForAnswer(*stalled[2]));

    QTRY_COMPARE_WITH_TIMEOUT(stillConnected(stalled), 0, boundMilliseconds);
    // Not before: the deadline runs from the accept, after the clock started.
    QVERIFY2(clock.elapsed() >= SingleInstanceApplication::frameMilliseconds - 200,
             qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(m_received, QStringList());
}

void TestSingleInstance::refusesConnectionsBeyondThoseItServes()
{
    receive();
    const int served = SingleInstanceApplication::maximumConnections;
    std::vector<std::unique_ptr<QLocalSocket>> flood;
    for (int i = 0; i < served + 40; ++i) {
        flood.push_back(connectToInstance());
        QVERIFY(flood.back());
    }
    // The surplus at once, long before the served ones reach their deadline.
    QTRY_COMPARE_WITH_TIMEOUT(stillConnected(flood), served, SingleInstanceApplication::frameMilliseconds / 2);
    // A start meanwhile is refused too, and tries again until the flood has
    // timed out: the first freed place lets it through, and the rest of the
    // flood, accepted a moment later each, reaches its own deadline soon.
    QCOMPARE(send("through.slf,"), int(Sent));
    QTRY_COMPARE_WITH_TIMEOUT(stillConnected(flood), 0, boundMilliseconds);
    QTRY_COMPARE(m_received, QStringList({"through.slf,"}));
}

void TestSingleInstance::listensAgainWhenItsSocketGoes()
{
    receive();
    const QString socket = socketPath();
    QVERIFY(QFile::remove(socket));
    QCOMPARE(send("back.slf,"), int(Sent));
    QTRY_COMPARE(m_received, QStringList({"back.slf,"}));
    QVERIFY(QFileInfo::exists(socket));
}

void TestSingleInstance::sendsNothingWithoutAnotherInstance()
{
    QVERIFY(!application()->isRunning());
    QVERIFY(!application()->sendMessage("x.slf,", 100));
}

// A run with SendFileVariable set is a sender. Every other run is the test,
// and receives: its runtime folder is fresh, so no other instance is there.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsSet(SendFileVariable))
        return sendFromFile(argc, argv);
    QTemporaryDir runtime;
    if (!runtime.isValid())
        return 1;
    // The senders inherit the folder and so find this instance.
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    SingleInstanceApplication application(argc, argv);
    // The instance is set up before the first test asks for it.
    application.isRunning();
    TestSingleInstance test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_singleinstance.moc"
