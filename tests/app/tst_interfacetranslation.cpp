// The interface translation of the interactive start: which file beside the
// program wins, and what a loaded one changes (the language code, the
// installed translator, the theme font's family).
#include "app/interactivestart.h"
#include "model/sketchglobals.h"
#include "skin/windows/skintheme.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

namespace {

// A translation file without any message: the file format's magic number
// alone, which the translator accepts.
const QByteArray emptyTranslation("\x3c\xb8\x64\x18\xca\xef\x9c\x95\xcd\x21\x1c\xbf\x60\xa1\xbd\xdd",
                                  16);

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class TestInterfaceTranslation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void takesTheFirstFileThatLoads_data();
    void takesTheFirstFileThatLoads();
};

void TestInterfaceTranslation::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestInterfaceTranslation::cleanup()
{
    SketchGlobals::language = "EN";
    skinFontFamily = "verdana";
}

void TestInterfaceTranslation::takesTheFirstFileThatLoads_data()
{
    QTest::addColumn<QByteArray>("chinese");     // CN.qm, absent when null
    QTest::addColumn<QByteArray>("traditional"); // TW.qm, absent when null
    QTest::addColumn<QString>("code");

    const QByteArray absent;
    const QByteArray broken("not a translation");
    QTest::newRow("none") << absent << absent << QString();
    QTest::newRow("CN only") << emptyTranslation << absent << "CN";
    QTest::newRow("TW only") << absent << emptyTranslation << "TW";
    QTest::newRow("both: CN first") << emptyTranslation << emptyTranslation << "CN";
    QTest::newRow("CN unreadable") << broken << emptyTranslation << "TW";
    QTest::newRow("both unreadable") << broken << broken << QString();
}

void TestInterfaceTranslation::takesTheFirstFileThatLoads()
{
    QFETCH(QByteArray, chinese);
    QFETCH(QByteArray, traditional);
    QFETCH(QString, code);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    if (!chinese.isNull())
        QVERIFY(writeFile(QDir(folder.path()).filePath("CN.qm"), chinese));
    if (!traditional.isNull())
        QVERIFY(writeFile(QDir(folder.path()).filePath("TW.qm"), traditional));

    QTranslator translator;
    QCOMPARE(installInterfaceTranslation(*QCoreApplication::instance(), translator, folder.path()),
             code);
    const bool loaded = !code.isEmpty();
    // Removing succeeds only for an installed translator.
    QCOMPARE(QCoreApplication::removeTranslator(&translator), loaded);
    QCOMPARE(SketchGlobals::language, loaded ? code : QString("EN"));
    QCOMPARE(skinFontFamily, loaded ? QString("\u5fae\u8f6f\u96c5\u9ed1") : QString("verdana"));
}

QTEST_GUILESS_MAIN(TestInterfaceTranslation)
#include "tst_interfacetranslation.moc"
