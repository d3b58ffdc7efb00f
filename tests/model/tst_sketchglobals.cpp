#include "model/sketchglobals.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QStandardPaths>
#include <QtTest>

class TestSketchGlobals : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void paperSize_data();
    void paperSize();
    void fileTypes_data();
    void fileTypes();
    void convertUnit_data();
    void convertUnit();
    void defaultFont();
    void substitutesTheDefaultFamilyOnlyWhereItIsMissing();
    void statistics();
};

void TestSketchGlobals::paperSize_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("portrait");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("A4 portrait") << "A4" << true << QSize(595, 842);
    QTest::newRow("A4 landscape") << "A4" << false << QSize(842, 595);
    QTest::newRow("A3") << "A3" << true << QSize(842, 1191);
    QTest::newRow("B5") << "B5" << true << QSize(499, 709);
    QTest::newRow("B4 landscape") << "B4" << false << QSize(1001, 709);
    QTest::newRow("lower case is unknown") << "a4" << true << QSize(-1, -1);
    QTest::newRow("unknown landscape") << "a4" << false << QSize(-1, -1);
    QTest::newRow("empty") << "" << true << QSize(-1, -1);
}

void TestSketchGlobals::paperSize()
{
    QFETCH(QString, name);
    QFETCH(bool, portrait);
    QFETCH(QSize, expected);
    QCOMPARE(SketchGlobals::paperSize(name, portrait), expected);
}

void TestSketchGlobals::fileTypes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("document");
    QTest::addColumn<bool>("package");
    QTest::addColumn<bool>("xml");
    QTest::addColumn<bool>("image");
    QTest::newRow("document") << "page.slf" << true << false << false << false;
    QTest::newRow("document upper case") << "PAGE.SLF" << true << false << false << false;
    QTest::newRow("suffix alone") << ".slf" << true << false << false << false;
    QTest::newRow("empty") << "" << false << false << false << false;
    QTest::newRow("package") << "/tmp/a.Slp" << false << true << false << false;
    QTest::newRow("xml") << "Templates.xml" << false << false << true << false;
    QTest::newRow("jpeg upper case") << "photo.JPEG" << false << false << false << true;
    QTest::newRow("png") << "a.png" << false << false << false << true;
    QTest::newRow("tiff") << "a.tiff" << false << false << false << true;
    QTest::newRow("text file") << "notes.txt" << false << false << false << false;
    QTest::newRow("bmp without a dot") << "abmp" << false << false << false << true;
}

void TestSketchGlobals::fileTypes()
{
    QFETCH(QString, name);
    QFETCH(bool, document);
    QFETCH(bool, package);
    QFETCH(bool, xml);
    QFETCH(bool, image);
    QCOMPARE(SketchGlobals::isDocumentFile(name), document);
    QCOMPARE(SketchGlobals::isPackageFile(name), package);
    QCOMPARE(SketchGlobals::isXmlFile(name), xml);
    QCOMPARE(SketchGlobals::isImageFile(name), image);
}

void TestSketchGlobals::convertUnit_data()
{
    QTest::addColumn<float>("length");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<float>("dpi");
    QTest::addColumn<float>("expected");
    QTest::newRow("72 px is an inch at the fallback resolution") << 72.f << 0 << 1 << 0.f << 1.f;
    QTest::newRow("negative resolution falls back") << 144.f << 0 << 1 << -3.f << 2.f;
    QTest::newRow("inch to mm") << 1.f << 1 << 2 << 300.f << 25.4f;
    QTest::newRow("mm to inch") << 25.4f << 2 << 1 << 96.f << 1.f;
    QTest::newRow("inch to px") << 2.f << 1 << 0 << 96.f << 192.f;
    QTest::newRow("px to mm") << 96.f << 0 << 2 << 96.f << 25.4f;
    QTest::newRow("mm to px") << 25.4f << 2 << 0 << 300.f << 300.f;
    QTest::newRow("zero") << 0.f << 0 << 2 << 96.f << 0.f;
    QTest::newRow("same unit") << 7.5f << 2 << 2 << 96.f << 7.5f;
    QTest::newRow("unknown unit") << 7.5f << 5 << 1 << 96.f << 7.5f;
    QTest::newRow("unknown target") << 7.5f << 1 << -1 << 96.f << 7.5f;
}

void TestSketchGlobals::convertUnit()
{
    QFETCH(float, length);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(float, dpi);
    QFETCH(float, expected);
    const float result = SketchGlobals::convertUnit(length, SketchLengthUnit(from), SketchLengthUnit(to), dpi);
    QVERIFY2(qAbs(result - expected) < 1e-4f, qPrintable(QString::number(result)));
}

void TestSketchGlobals::defaultFont()
{
    QFont *font = SketchGlobals::defaultFont();
    QVERIFY(font);
    QCOMPARE(font, SketchGlobals::defaultFont());
    QCOMPARE(font->family(), QStringLiteral("Comic Sans MS"));
    QCOMPARE(font->pointSize(), 20);
    QVERIFY(!font->italic());
}

void TestSketchGlobals::substitutesTheDefaultFamilyOnlyWhereItIsMissing()
{
    const QString family = QStringLiteral("Comic Sans MS");
    const QString standIn = QStringLiteral("Comic Neue");
    const QFontDatabase fonts;
    const bool wanted = !fonts.hasFamily(family) && fonts.hasFamily(standIn);
    QCOMPARE(SketchGlobals::substituteDefaultFontFamily(), wanted);
    // Qt keeps the names of substitutes in small letters.
    QCOMPARE(QFont::substitutes(family).contains(standIn, Qt::CaseInsensitive), wanted);
    // Once is enough: a second call lists the stand-in once, and the family
    // that files store stays the same.
    SketchGlobals::substituteDefaultFontFamily();
    QCOMPARE(QFont::substitutes(family).filter(standIn, Qt::CaseInsensitive).size(), wanted ? 1 : 0);
    QCOMPARE(SketchGlobals::defaultFont()->family(), family);
    if (wanted)
        QCOMPARE(QFontInfo(*SketchGlobals::defaultFont()).family(), standIn);
}

static QStringList capturedLines;
static void captureMessage(QtMsgType, const QMessageLogContext &, const QString &message)
{
    capturedLines << message;
}

void TestSketchGlobals::statistics()
{
    capturedLines.clear();
    QtMessageHandler previous = qInstallMessageHandler(captureMessage);
    SketchGlobals::printStatistics();
    qInstallMessageHandler(previous);
    QCOMPARE(capturedLines.size(), 11);
    QCOMPARE(capturedLines.first(), QStringLiteral("ShapeCount:  %1").arg(SketchGlobals::ShapeCount));
    QCOMPARE(capturedLines.at(3), QStringLiteral("PackageCount:  0"));
    QCOMPARE(capturedLines.at(5), QStringLiteral("PackageViewCount:  0"));
    QCOMPARE(capturedLines.last(), QStringLiteral("MaterialFileCount:  %1").arg(SketchGlobals::MaterialFileCount));
}

QTEST_MAIN(TestSketchGlobals)
#include "tst_sketchglobals.moc"
