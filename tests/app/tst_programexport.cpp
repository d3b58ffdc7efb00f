// The image export of the built program, run as a process from a shell
// would run it: what it writes, that argument order and option case do not
// matter, the paper border, exit codes and error lines, and a machine
// without any display.
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
    void exportsWithoutAnyDisplay();

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
    QTest::addColumn<bool>("usage");

    QTest::newRow("alone") << QStringList{"-exportimage"} << 2 << true;
    QTest::newRow("images only") << QStringList{"-exportimage", "a.png"} << 2 << true;
    QTest::newRow("more documents")
        << QStringList{"-exportimage", "a.slf", "b.slf", "a.png"} << 2 << true;
    QTest::newRow("more images") << QStringList{"a.slf", "a.png", "b.png", "-ExportImage"} << 2
                                 << true;
    // Options of no meaning here keep their silent end.
    QTest::newRow("frame without export") << QStringList{"-drawframe", "a.slf", "a.png"} << 0
                                          << false;
    QTest::newRow("unknown option") << QStringList{"--version"} << 0 << false;
}

void TestProgramExport::endsAMistypedExportWithItsUsage()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, usage);
    const Result result = m_sandbox->run(arguments);
    QVERIFY(result.finished);
    QCOMPARE(result.exitStatus, QProcess::NormalExit);
    QTEST(result.exitCode, "exitCode");
    const QStringList lines = result.programLines();
    if (usage) {
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines.first().startsWith("usage: Loomdraw -exportimage"), qPrintable(lines.first()));
    } else {
        QCOMPARE(lines, QStringList());
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

void TestProgramExport::exportsWithoutAnyDisplay()
{
    QProcessEnvironment environment = m_sandbox->environment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    const Result result = m_sandbox->run({"-exportimage", "a.slf", "a.png"}, QString(), environment);
    QVERIFY2(result.succeeded(), result.errors.constData());
    QCOMPARE(QImage(m_sandbox->path("a.png")).size(), QSize(842, 595));
}

QTEST_MAIN(TestProgramExport)
#include "tst_programexport.moc"
