// The interactive start of the built program, as a process of its own: the
// window opens the documents of its own command line, as they are named, or
// one new document when there are none.
#include "app/programfixture.h"
#include "app/programprocess.h"

#include <QStandardPaths>
#include <QtTest>

using namespace programfixture;
using programprocess::Echo;
using programprocess::Sandbox;

class TestInteractiveStart : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void opensItsOwnDocuments_data();
    void opensItsOwnDocuments();
    void reportsWhenItsFirstTabIsPainted();
};

void TestInteractiveStart::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestInteractiveStart::opensItsOwnDocuments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("views");   // names in the work folder, or titles
    QTest::addColumn<QStringList>("dialogs"); // likewise
    QTest::newRow("nothing") << QStringList() << QStringList{"untitled1"} << QStringList();
    QTest::newRow("only a picture") << QStringList{"a.png"} << QStringList{"untitled1"} << QStringList();
    QTest::newRow("only other names") << QStringList{"notes.txt", "b"} << QStringList{"untitled1"}
                                      << QStringList();
    QTest::newRow("two documents") << QStringList{"a.slf", "\"b.slf\""} << QStringList{"@a.slf", "@b.slf"}
                                   << QStringList();
    QTest::newRow("only a package") << QStringList{"c.slp"} << QStringList() << QStringList();
    // b.slf is there too, and is not the one meant.
    QTest::newRow("a comma in a name") << QStringList{"a,b.slf", "%2C.slf"}
                                       << QStringList{"@a,b.slf", "@%2C.slf"} << QStringList();
    QTest::newRow("a document that cannot be read")
        << QStringList{"gone.slf", "a.slf"} << QStringList{"@a.slf"}
        << QStringList{"Open: Cannot open file @gone.slf"};
}

void TestInteractiveStart::opensItsOwnDocuments()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, views);
    QFETCH(QStringList, dialogs);
    Sandbox sandbox;
    QVERIFY(sandbox.isValid());
    QVERIFY(writeFile(sandbox.path("a.slf"), redPage()));
    QVERIFY(writeFile(sandbox.path("b.slf"), greenPage()));
    QVERIFY(writeFile(sandbox.path("a,b.slf"), greenPage()));
    QVERIFY(writeFile(sandbox.path("%2C.slf"), redPage()));
    const QString work = QFileInfo(sandbox.folder("work")).canonicalFilePath() + "/";
    views.replaceInStrings("@", work);
    dialogs.replaceInStrings("@", work);

    Echo echo;
    std::unique_ptr<QProcess> receiver = sandbox.startReceiver(arguments, QString(), &echo);
    QVERIFY(receiver);
    QCOMPARE(echo.views, views);
    QCOMPARE(echo.dialogs, dialogs);
    Sandbox::end(*receiver);
}

void TestInteractiveStart::reportsWhenItsFirstTabIsPainted()
{
    // The benchmark's hook: the moments the window showed and its new
    // document was painted, and then the end.
    Sandbox sandbox;
    QVERIFY(sandbox.isValid());
    QProcess process;
    process.setWorkingDirectory(sandbox.folder("work"));
    QProcessEnvironment environment = sandbox.environment();
    environment.insert(reportStartupVariable, "1");
    process.setProcessEnvironment(environment);
    process.start(LOOMDRAW_PROGRAM_PATH, QStringList());
    QVERIFY(process.waitForFinished(childWaitMilliseconds));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
    const QList<QByteArray> lines = process.readAllStandardOutput().trimmed().split('\n');
    QCOMPARE(lines.size(), 2);
    QVERIFY(lines.at(0).startsWith("shown "));
    QVERIFY(lines.at(1).startsWith("painted "));
    QVERIFY(lines.at(1).mid(8).toLongLong() >= lines.at(0).mid(6).toLongLong());
}

QTEST_GUILESS_MAIN(TestInteractiveStart)
#include "tst_interactivestart.moc"
