// Sorting the command line: decoding, unquoting, the four kinds, the debug
// line per document, the hand-over message, and the command-mode decisions
// that qMain takes before any application object exists.
#include "app/commandline.h"
#include "app/qmain.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QtTest>

#include <vector>

namespace {

QStringList debugLines;

void collectDebugLines(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type == QtDebugMsg)
        debugLines.append(text);
}

// argv as qMain receives it: the program path, then the arguments.
class ArgumentVector
{
public:
    explicit ArgumentVector(const QList<QByteArray> &arguments)
        : m_bytes(arguments)
    {
        m_bytes.prepend("Loomdraw");
        for (QByteArray &bytes : m_bytes)
            m_pointers.push_back(bytes.data());
        m_pointers.push_back(nullptr);
    }
    int count() const { return int(m_pointers.size()) - 1; }
    char **vector() { return m_pointers.data(); }

private:
    QList<QByteArray> m_bytes;
    std::vector<char *> m_pointers;
};

} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void sorts_data();
    void sorts();
    void decodesWithTheLocaleCodec();
    void writesOneDebugLinePerDocument();
    void makesTheHandOverMessageAbsolute();

    void decidesTheCommandMode_data();
    void decidesTheCommandMode();
    void tellsHelpAndUnknownOptions_data();
    void tellsHelpAndUnknownOptions();
    void endsAMistypedOrMeaninglessCommandAtOnce_data();
    void endsAMistypedOrMeaninglessCommandAtOnce();
};

void TestCommandLine::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestCommandLine::sorts_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QStringList>("documents");
    QTest::addColumn<QStringList>("images");
    QTest::addColumn<QString>("message");

    const QStringList none;
    QTest::newRow("nothing") << none << none << none << none << QString();
    QTest::newRow("kinds keep their own order")
        << QStringList{"b.slf", "x.png", "-exportimage", "a.slp", "y.jpg", "-drawframe"}
        << QStringList{"-exportimage", "-drawframe"} << QStringList{"b.slf", "a.slp"}
        << QStringList{"x.png", "y.jpg"} << QString("b.slf,a.slp,");
    QTest::newRow("suffixes ignore case")
        << QStringList{"A.SLF", "B.Slp", "C.PNG"} << none << QStringList{"A.SLF", "B.Slp"}
        << QStringList{"C.PNG"} << QString("A.SLF,B.Slp,");
    QTest::newRow("anything else is dropped")
        << QStringList{"notes.txt", "slf", "", "folder/"} << none << none << none << QString();
    // The image test knows "*bmp" without a dot.
    QTest::newRow("any name ending in bmp is an image")
        << QStringList{"pic.bmp", "xbmp"} << none << none << QStringList{"pic.bmp", "xbmp"}
        << QString();
    QTest::newRow("an option wins over a suffix")
        << QStringList{"-a.slf", "-", "-x.png"} << QStringList{"-a.slf", "-", "-x.png"} << none
        << none << QString();
    // Once: the second pair stays and then hides the suffix.
    QTest::newRow("double quotes go once")
        << QStringList{"\"my page.slf\"", "\"\"x.png\"\""} << none << QStringList{"my page.slf"}
        << none << QString("my page.slf,");
    QTest::newRow("single quotes go")
        << QStringList{"'a.slf'", "'-drawframe'"} << QStringList{"-drawframe"}
        << QStringList{"a.slf"} << none << QString("a.slf,");
    // The suffix test looks at the end only.
    QTest::newRow("an opening quote alone stays")
        << QStringList{"\"a.slf", "'b.png"} << none << QStringList{"\"a.slf"}
        << QStringList{"'b.png"} << QString("\"a.slf,");
    QTest::newRow("unlike quotes stay and hide the kind")
        << QStringList{"\"a.slf'", "'b.png\"", "'-drawframe\""} << none << none << none
        << QString();
    QTest::newRow("inner quotes stay")
        << QStringList{"\"it's \"here\".slf\""} << none << QStringList{"it's \"here\".slf"}
        << none << QString("it's \"here\".slf,");
    QTest::newRow("a lone quote becomes empty and is dropped")
        << QStringList{"\"", "'"} << none << none << none << QString();
    QTest::newRow("a comma stays in the path, escaped in the message")
        << QStringList{"a,b.slf", "50%.slp"} << none << QStringList{"a,b.slf", "50%.slp"} << none
        << QString("a%2Cb.slf,50%25.slp,");
}

void TestCommandLine::sorts()
{
    QFETCH(QStringList, arguments);
    const CommandLine commandLine = CommandLine::fromTexts(arguments);
    QTEST(commandLine.options(), "options");
    QTEST(commandLine.documents(), "documents");
    QTEST(commandLine.images(), "images");
    QTEST(commandLine.message(), "message");
}

void TestCommandLine::decodesWithTheLocaleCodec()
{
    // The tests run under a UTF-8 locale.
    ArgumentVector argv({QString("b\u00e4r.slf").toUtf8(), QString("\"\u00fcber.png\"").toUtf8()});
    const CommandLine commandLine = CommandLine::fromArguments(argv.count(), argv.vector());
    QCOMPARE(commandLine.documents(), QStringList{QString("b\u00e4r.slf")});
    QCOMPARE(commandLine.images(), QStringList{QString("\u00fcber.png")});
}

void TestCommandLine::writesOneDebugLinePerDocument()
{
    debugLines.clear();
    const QtMessageHandler previous = qInstallMessageHandler(collectDebugLines);
    CommandLine::fromTexts({"a.slf", "x.png", "-exportimage", "'b c.slp'", "notes.txt"});
    qInstallMessageHandler(previous);
    QCOMPARE(debugLines, QStringList({"\"a.slf\"", "\"b c.slp\""}));
}

void TestCommandLine::makesTheHandOverMessageAbsolute()
{
    const QDir current = QDir::current();
    const CommandLine commandLine =
        CommandLine::fromTexts({"x.slf", "./sub/../y.slp", "/abs/z.slf", "a,b.slf"});
    QCOMPARE(commandLine.absoluteMessage(), current.absoluteFilePath("x.slf") + ","
                                                + current.absoluteFilePath("y.slp") + ","
                                                + "/abs/z.slf," + current.absoluteFilePath("a%2Cb.slf")
                                                + ",");
    QCOMPARE(CommandLine::fromTexts({"x.png"}).absoluteMessage(), QString());
}

void TestCommandLine::decidesTheCommandMode_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("commandMode");
    QTest::addColumn<bool>("validExport");
    QTest::addColumn<bool>("drawsFrame");

    QTest::newRow("no options") << QStringList{"a.slf", "a.png"} << false << false << false;
    QTest::newRow("one pair") << QStringList{"-exportimage", "a.slf", "a.png"} << true << true
                              << false;
    QTest::newRow("option case ignored")
        << QStringList{"-EXPORTIMAGE", "a.slf", "a.png", "-DrawFrame"} << true << true << true;
    QTest::newRow("pairs interleaved")
        << QStringList{"a.slf", "a.png", "b.slf", "b.png", "-exportimage"} << true << true << false;
    QTest::newRow("a package pairs too")
        << QStringList{"-exportimage", "a.slp", "a.png"} << true << true << false;
    QTest::newRow("other options do not spoil it")
        << QStringList{"-exportimage", "-quiet", "a.slf", "a.png"} << true << true << false;
    QTest::newRow("more documents")
        << QStringList{"-exportimage", "a.slf", "b.slf", "a.png"} << true << false << false;
    QTest::newRow("more images")
        << QStringList{"-exportimage", "a.slf", "a.png", "b.png"} << true << false << false;
    QTest::newRow("no documents") << QStringList{"-exportimage", "a.png"} << true << false << false;
    QTest::newRow("alone") << QStringList{"-exportimage"} << true << false << false;
    QTest::newRow("frame without export")
        << QStringList{"-drawframe", "a.slf", "a.png"} << true << false << true;
}

void TestCommandLine::decidesTheCommandMode()
{
    QFETCH(QStringList, arguments);
    const CommandLine commandLine = CommandLine::fromTexts(arguments);
    QTEST(commandLine.isCommandMode(), "commandMode");
    QTEST(commandLine.isValidImageExport(), "validExport");
    QTEST(commandLine.drawsFrame(), "drawsFrame");
}

void TestCommandLine::tellsHelpAndUnknownOptions_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("help");
    QTest::addColumn<QStringList>("unknown");

    QTest::newRow("none") << QStringList{"a.slf"} << false << QStringList();
    QTest::newRow("known ones in any case")
        << QStringList{"-ExportImage", "-DRAWFRAME", "a.slf", "a.png"} << false << QStringList();
    QTest::newRow("-h") << QStringList{"-h"} << true << QStringList();
    QTest::newRow("--HELP") << QStringList{"--HELP"} << true << QStringList();
    QTest::newRow("a letter short")
        << QStringList{"-exportimag", "a.slf", "a.png"} << false << QStringList{"-exportimag"};
    QTest::newRow("one dash for two")
        << QStringList{"-help", "--exportimage"} << false << QStringList{"-help", "--exportimage"};
    QTest::newRow("quoted, in order")
        << QStringList{"'-x'", "-h", "\"-\""} << true << QStringList{"-x", "-"};
}

void TestCommandLine::tellsHelpAndUnknownOptions()
{
    QFETCH(QStringList, arguments);
    const CommandLine commandLine = CommandLine::fromTexts(arguments);
    QTEST(commandLine.asksForHelp(), "help");
    QTEST(commandLine.unknownOptions(), "unknown");
}

// These return before an application object would be made, so they run in
// this process; the valid export and the other ways need processes of their
// own (tst_program).
void TestCommandLine::endsAMistypedOrMeaninglessCommandAtOnce_data()
{
    QTest::addColumn<QList<QByteArray>>("arguments");
    QTest::addColumn<int>("exitCode");

    QTest::newRow("export alone") << QList<QByteArray>{"-exportimage"} << 2;
    QTest::newRow("export of images only")
        << QList<QByteArray>{"-EXPORTIMAGE", "a.png", "b.png"} << 2;
    QTest::newRow("unequal counts")
        << QList<QByteArray>{"-exportimage", "a.slf", "b.slf", "a.png"} << 2;
    QTest::newRow("frame beside a document") << QList<QByteArray>{"-drawframe", "a.slf"} << 2;
    QTest::newRow("mistyped export")
        << QList<QByteArray>{"-exportimag", "page.slf", "page.png"} << 2;
    QTest::newRow("unknown option") << QList<QByteArray>{"a.slf", "--version"} << 2;
    QTest::newRow("a dash alone") << QList<QByteArray>{"-"} << 2;
    QTest::newRow("help") << QList<QByteArray>{"a.slf", "--help"} << 0;
    QTest::newRow("short help in capitals") << QList<QByteArray>{"-H"} << 0;
    QTest::newRow("unknown beats help") << QList<QByteArray>{"-h", "-x"} << 2;
}

void TestCommandLine::endsAMistypedOrMeaninglessCommandAtOnce()
{
    QFETCH(QList<QByteArray>, arguments);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(folder.path()));
    ArgumentVector argv(arguments);
    const int exitCode = qMain(argv.count(), argv.vector());
    QVERIFY(QDir::setCurrent(before));
    QTEST(exitCode, "exitCode");
    QVERIFY2(QDir(folder.path()).isEmpty(), "nothing is written");
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
