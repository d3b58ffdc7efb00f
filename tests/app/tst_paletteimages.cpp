// The icons of the tool palette and of the font alignment buttons. A
// missing resource loads as a null icon and the button silently shows
// none; the window tints them, so each must be a crisp silhouette, and the
// buttons of one palette must stay apart once tinted.
#include "support/silhouettes.h"

#include <QHash>
#include <QImage>
#include <QStandardPaths>
#include <QtTest>

class TestPaletteImages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void loadsAsACrispSilhouette_data();
    void loadsAsACrispSilhouette();
    void showsEachButtonOfAPaletteDifferently_data();
    void showsEachButtonOfAPaletteDifferently();
};

namespace {

// Drawn for the palette; the text and slice tools show their cursors.
const char *const drawnToolIcons[] = {"Arrow", "Path", "InsertCornerPoint", "InsertSmoothPoint",
                                      "Cutoff", "Connect", "Rotate", "Resize", "Rect", "Ellipse",
                                      "Bubble", "ZoomIn", "ZoomOut"};
const char *const alignIcons[] = {"AlignLeft", "AlignCenter", "AlignRight", "AlignVertical"};

QString toolIcon(const char *name)
{
    return QStringLiteral(":/tools/images/%1.png").arg(QLatin1String(name));
}

QString alignIcon(const char *name)
{
    return QStringLiteral(":/widgets/images/%1.png").arg(QLatin1String(name));
}

} // namespace

void TestPaletteImages::loadsAsACrispSilhouette_data()
{
    QTest::addColumn<QString>("path");
    for (const char *name : drawnToolIcons)
        QTest::newRow(name) << toolIcon(name);
    for (const char *name : alignIcons)
        QTest::newRow(name) << alignIcon(name);
}

void TestPaletteImages::loadsAsACrispSilhouette()
{
    QFETCH(QString, path);
    const QImage image(path);
    QCOMPARE(image.size(), QSize(16, 16));
    const QString problem = silhouetteProblem(image);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
}

void TestPaletteImages::showsEachButtonOfAPaletteDifferently_data()
{
    QTest::addColumn<QStringList>("paths");
    QStringList tools;
    for (const char *name : drawnToolIcons)
        tools.append(toolIcon(name));
    tools << toolIcon("Text") << toolIcon("Slice");
    QStringList aligns;
    for (const char *name : alignIcons)
        aligns.append(alignIcon(name));
    QTest::newRow("tools") << tools;
    QTest::newRow("alignment") << aligns;
}

void TestPaletteImages::showsEachButtonOfAPaletteDifferently()
{
    QFETCH(QStringList, paths);
    QHash<QByteArray, QString> shown;
    for (const QString &path : paths) {
        const QImage image(path);
        QVERIFY2(!image.isNull(), qPrintable(path));
        const QByteArray mask = tintedMask(image);
        QVERIFY2(!shown.contains(mask), qPrintable(shown.value(mask) + " and " + path));
        shown.insert(mask, path);
    }
}

QTEST_GUILESS_MAIN(TestPaletteImages)
#include "tst_paletteimages.moc"
