// The image export of the built program, run as a process from a shell
// would run it: what it writes, that argument order and option case do not
// matter, the paper border, exit codes and error lines, help and mistyped
// options, and whatever display the environment names.
#include "app/programfixture.h"
#include "app/programprocess.h"
#include "editor/sketchdocumentview.h"

#include <QApplication>
#include <QImage>
#include <QStandardPaths>
#include <QtTest>

using namespace programfixture;
using programprocess::Result;
using programprocess::Sandbox;

namespace {

// A display number no X server listens on.
int unusedDisplayNumber()
{
    int number = 90;
    while (QFileInfo::exists(QString("/tmp/.X11-unix/X%1").arg(number))
           || QFileInfo::exists(QString("/tmp/.X%1-lock").arg(number)))
        ++number;
    return number;
}

} // namespace

class TestProgramExport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void writesThePageTheViewExports();
    void pairsByOrderWhateverTheArgumentOrderAndCase();
    void drawsTheFrameOnlyOnTheBorder();
    void endsAMistypedExportWithItsUsage_data();
    void endsAMistypedExportWithItsUsage();
    void skipsADocumentThatFailsAndGoesOn();
    void exportsWhateverDisplayIsNamed_data();
    void exportsWhateverDisplayIsNamed();

private:
    std::unique_ptr<Sandbox> m_sandbox;
};

void TestProgramExport::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestProgramExport::init()
{
    m_sandbox = std::make_unique<Sandbox>();
    QVERIFY(m_sandbox->isValid());
    QVERIFY(writeFile(m_sandbox->path("a.slf"), redPage()));
    QVERIFY(writeFile(m_sandbox->path("b.slf"), greenPage()));
}

void TestProgramExport::writesThePageTheViewExports()
{
    const Result result = m_sandbox->run({"-exportimage", "a.slf", "a.png"});
    QVERIFY2(result.succeeded(), result.errors.constData());
    QCOMPARE(result.programLines(), QStringList());
    QCOMPARE(result.output, QByteArray());

    SketchDocumentView view;
    QVERIFY(view.openFile(m_sandbox->path("a.slf")));
    QVERIFY(view.exportToImageFile(m_sandbox->path("here.png"), false));
    const QImage written(m_sandbox->path("a.png"));
    QCOMPARE(written.size(), QSize(842, 595));
    QCOMPARE(written, QImage(m_sandbox->path("here.png")));
}

void TestProgramExport::pairsByOrderWhateverTheArgumentOrderAndCase()
{
    QVERIFY(QDir(m_sandbox->folder("work")).mkdir("one"));
    QVERIFY(QDir(m_sandbox->folder("work")).mkdir("two"));
    const Result grouped =
        m_sandbox->run({"-EXPORTIMAGE", "a.slf", "b.slf", "one/a.png", "one/b.png"});
    QVERIFY2(grouped.succeeded(), grouped.errors.constData());
    const Result interleaved =
        m_sandbox->run({"a.slf", "two/a.png", "b.slf", "two/b.png", "-exportimage"});
    QVERIFY2(interleaved.succeeded(), interleaved.errors.constData());

    for (const QString name : {"a.png", "b.png"}) {
        const QByteArray one = readFile(m_sandbox->path("one/" + name));
        QVERIFY(!one.isEmpty());
        QCOMPARE(readFile(m_sandbox->path("two/" + name)), one);
    }
    QVERIFY(readFile(m_sandbox->path("one/a.png")) != readFile(m_sandbox->path("one/b.png")));
}

void TestProgramExport::drawsTheFrameOnlyOnTheBorder()
{
    const Result plain = m_sandbox->run({"-exportimage", "a.slf", "plain.png"});
    QVERIFY2(plain.succeeded(), plain.errors.constData());
    const Result framed = m_sandbox->run({"a.slf", "-DrawFrame", "framed.png", "-exportimage"});
    QVERIFY2(framed.succeeded(), framed.errors.constData());
    QVERIFY(differOnlyAtTheEdge(QImage(m_sandbox->path("plain.png")),
                                QImage(m_sandbox->path("framed.png")), 2));
}

void TestProgramExport::endsAMistypedExportWithItsUsage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    // The beginnings of the program's lines on the error stream, and of
    // the standard output.
    QTest::addColumn<QStringList>("errorLines");
    QTest::addColumn<QByteArray>("output");

    const QStringList exportUsage{"usage: Loomdraw -exportimage"};
    const QStringList usage{"usage: Loomdraw [DOCUMENT...]", "usage: Loomdraw -exportimage"};
    QTest::newRow("alone") << QStringList{"-exportimage"} << 2 << exportUsage << QByteArray();
    QTest::newRow("images only") << QStringList{"-exportimage", "a.png"} << 2 << exportUsage << QByteArray();
    QTest::newRow("more documents")
        << QStringList{"-exportimage", "a.slf", "b.slf", "a.png"} << 2 << exportUsage << QByteArray();
    QTest::newRow("more images") << QStringList{"a.slf", "a.png", "b.png", "-ExportImage"} << 2
                                 << exportUsage << QByteArray();
    QTest::newRow("frame without export")
        << QStringList{"-drawframe", "a.slf", "a.png"} << 2 << exportUsage << QByteArray();
    QTest::newRow("mistyped export")
        << QStringList{"-exportimag", "a.slf", "a.png"} << 2
        << (QStringList{"Loomdraw: unknown option \"-exportimag\""} + usage) << QByteArray();
    QTest::newRow("unknown option beside a good export")
        << QStringList{"-exportimage", "--quiet", "a.slf", "a.png"} << 2
        << (QStringList{"Loomdraw: unknown option \"--quiet\""} + usage) << QByteArray();
    QTest::newRow("-h") << QStringList{"-h"} << 0 << QStringList() << usage.join('\n').toUtf8();
    QTest::newRow("--help beside an export")
        << QStringList{"-exportimage", "a.slf", "a.png", "--help"} << 0 << QStringList()
        << usage.join('\n').toUtf8();
}

void TestProgramExport::endsAMistypedExportWithItsUsage()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, errorLines);
    QFETCH(QByteArray, output);
    const Result result = m_sandbox->run(arguments);
    QVERIFY(result.finished);
    QCOMPARE(result.exitStatus, QProcess::NormalExit);
    QTEST(result.exitCode, "exitCode");
    const QStringList lines = result.programLines();
    QCOMPARE(lines.size(), errorLines.size());
    for (int i = 0; i < lines.size(); ++i)
        QVERIFY2(lines.at(i).startsWith(errorLines.at(i)), qPrintable(lines.at(i)));
    const QList<QByteArray> outputLines = result.output.split('\n');
    const QList<QByteArray> expectedOutput = output.split('\n');
    if (output.isEmpty()) {
        QCOMPARE(result.output, QByteArray());
    } else {
        QCOMPARE(outputLines.size(), expectedOutput.size() + 1); // ends with a line end
        for (int i = 0; i < expectedOutput.size(); ++i)
            QVERIFY2(outputLines.at(i).startsWith(expectedOutput.at(i)), outputLines.at(i).constData());
    }
    QVERIFY(!QFile::exists(m_sandbox->path("a.png")));
    // It ends before any application object exists: no event loop, no
    // window. The bound is loose for a sanitizer build on a busy machine.
    QVERIFY2(result.milliseconds < 10000, qPrintable(QString::number(result.milliseconds)));
}

void TestProgramExport::skipsADocumentThatFailsAndGoesOn()
{
    QVERIFY(writeFile(m_sandbox->path("broken.slf"), "<Storyloom><Document>"));
    const QByteArray earlier = "an earlier picture";
    QVERIFY(writeFile(m_sandbox->path("broken.png"), earlier));
    const Result result = m_sandbox->run({"-exportimage", "missing.slf", "broken.slf", "a.slf",
                                          "missing.png", "broken.png", "a.png"});
    QVERIFY(result.finished);
    QCOMPARE(result.exitStatus, QProcess::NormalExit);
    QCOMPARE(result.exitCode, 1);
    const QStringList lines = result.programLines();
    QCOMPARE(lines.size(), 2);
    QVERIFY2(lines.at(0).contains("\"missing.slf\""), qPrintable(lines.at(0)));
    QVERIFY2(lines.at(1).contains("\"broken.slf\""), qPrintable(lines.at(1)));
    QVERIFY(!QFile::exists(m_sandbox->path("missing.png")));
    QCOMPARE(readFile(m_sandbox->path("broken.png")), earlier);
    QCOMPARE(QImage(m_sandbox->path("a.png")).size(), QSize(842, 595));
}

// Whatever display the environment names, or none: a display that is gone
// (an X server that ended) must not abort the export.
void TestProgramExport::exportsWhateverDisplayIsNamed_data()
{
    QTest::addColumn<QStringList>("unset");
    QTest::addColumn<QStringList>("set"); // name=value

    const QString gone = ":" + QString::number(unusedDisplayNumber());
    QTest::newRow("no display at all") << QStringList{"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}
                                       << QStringList();
    QTest::newRow("a display that is gone")
        << QStringList{"WAYLAND_DISPLAY", "QT_QPA_PLATFORM"} << QStringList{"DISPLAY=" + gone};
    QTest::newRow("the X platform asked for on a display that is gone")
        << QStringList{"WAYLAND_DISPLAY"} << QStringList{"DISPLAY=" + gone, "QT_QPA_PLATFORM=xcb"};
}

void TestProgramExport::exportsWhateverDisplayIsNamed()
{
    QFETCH(QStringList, unset);
    QFETCH(QStringList, set);
    QProcessEnvironment environment = m_sandbox->environment();
    for (const QString &name : unset)
        environment.remove(name);
    for (const QString &pair : set)
        environment.insert(pair.section('=', 0, 0), pair.section('=', 1));
    const Result result = m_sandbox->run({"-exportimage", "a.slf", "a.png"}, QString(), environment);
    QVERIFY2(result.succeeded(), result.errors.constData());
    QCOMPARE(QImage(m_sandbox->path("a.png")).size(), QSize(842, 595));
}

QTEST_MAIN(TestProgramExport)
#include "tst_programexport.moc"
