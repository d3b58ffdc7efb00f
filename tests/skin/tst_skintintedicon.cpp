// Tinting monochrome icons in the theme's icon colours: which pixels change,
// which image formats survive it, and the sizes resource and file icons come
// out at.
#include "skin/windows/skintheme.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const SkinThemeStyle allThemes[] = {Black, Gray, Blue, Olive};

// One row of every kind of pixel a drawing has: fully transparent (with
// colour bits that must survive), barely visible, half and fully opaque.
QImage fixture()
{
    QImage image(4, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(0x12, 0x34, 0x56, 0));
    image.setPixel(1, 0, qRgba(10, 200, 30, 1));
    image.setPixel(2, 0, qRgba(250, 0, 0, 128));
    image.setPixel(3, 0, qRgba(0, 0, 255, 255));
    return image;
}

// Every pixel with alpha > 0 in `source` is `colour` in `tinted`, opaque;
// the others are as they were (in a pixmap, premultiplied, only their alpha
// of 0 is left).
bool isSilhouette(const QImage &source, const QImage &tinted, const QColor &colour, bool viaPixmap = false)
{
    if (tinted.size() != source.size())
        return false;
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            const QRgb before = source.pixel(x, y);
            const QRgb after = tinted.pixel(x, y);
            const bool same = viaPixmap ? qAlpha(after) == 0 : after == before;
            if (qAlpha(before) > 0 ? after != (colour.rgb() | 0xff000000u) : !same)
                return false;
        }
    }
    return true;
}

QImage pixmapImage(const QIcon &icon, QIcon::Mode mode, QIcon::State state)
{
    const QList<QSize> sizes = icon.availableSizes(mode, state);
    const QSize size = sizes.isEmpty() ? QSize(16, 16) : sizes.first();
    return icon.pixmap(size, mode, state).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class TestSkinTintedIcon : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void everyDrawnPixelTakesTheIconColour_data();
    void everyDrawnPixelTakesTheIconColour();
    void formats_data();
    void formats();
    void iconHasNormalAndDisabledSilhouettes_data();
    void iconHasNormalAndDisabledSilhouettes();
    void resourcePathsComeOutAtSixteenFilesAtTheirSize();
    void nothingGivesNothing();
};

void TestSkinTintedIcon::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestSkinTintedIcon::init()
{
    setSkinThemeStyle(Black);
}

void TestSkinTintedIcon::everyDrawnPixelTakesTheIconColour_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("Black") << int(Black) << QColor(180, 180, 180);
    QTest::newRow("Gray") << int(Gray) << QColor(0, 0, 0);
    QTest::newRow("Blue") << int(Blue) << QColor(0, 0, 0);
    QTest::newRow("Olive") << int(Olive) << QColor(0, 0, 0);
}

void TestSkinTintedIcon::everyDrawnPixelTakesTheIconColour()
{
    QFETCH(int, style);
    QFETCH(QColor, colour);
    setSkinThemeStyle(SkinThemeStyle(style));

    const QImage source = fixture();
    const QImage tinted = skinTintedImage(source);
    QCOMPARE(tinted.format(), source.format());
    QVERIFY(isSilhouette(source, tinted, colour));
    // The almost invisible pixel comes out solid.
    QCOMPARE(qAlpha(tinted.pixel(1, 0)), 255);
    QCOMPARE(tinted.pixel(0, 0), qRgba(0x12, 0x34, 0x56, 0));

    // The same for a drawing of the program's own, in every theme.
    const QImage close(QStringLiteral(":/widgets/images/SmallClose.png"));
    QVERIFY(!close.isNull());
    QVERIFY(isSilhouette(close, skinTintedImage(QStringLiteral(":/widgets/images/SmallClose.png")), colour));
}

void TestSkinTintedIcon::formats_data()
{
    QTest::addColumn<QImage>("source");
    QTest::addColumn<int>("format");

    QImage indexed(3, 2, QImage::Format_Indexed8);
    indexed.setColorTable({qRgba(0, 0, 0, 0), qRgba(255, 255, 255, 255), qRgba(255, 0, 0, 60)});
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x)
            indexed.setPixel(x, y, uint((x + y) % 3));
    }
    QImage mono(9, 3, QImage::Format_Mono);
    mono.setColorTable({qRgba(0, 0, 0, 0), qRgba(0, 0, 0, 255)});
    mono.fill(0);
    for (int x = 0; x < 9; x += 2)
        mono.setPixel(x, 1, 1);
    QImage premultiplied = fixture().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage opaque(2, 2, QImage::Format_RGB32);
    opaque.fill(Qt::white);

    // Palette and one-bit pictures cannot hold the tint colour: they come
    // out as 32-bit ARGB. The others keep their format.
    QTest::newRow("palette") << indexed << int(QImage::Format_ARGB32);
    QTest::newRow("one bit") << mono << int(QImage::Format_ARGB32);
    QTest::newRow("one bit, LSB first") << mono.convertToFormat(QImage::Format_MonoLSB) << int(QImage::Format_ARGB32);
    QTest::newRow("premultiplied") << premultiplied << int(QImage::Format_ARGB32_Premultiplied);
    QTest::newRow("no alpha") << opaque << int(QImage::Format_RGB32);
}

void TestSkinTintedIcon::formats()
{
    QFETCH(QImage, source);
    QFETCH(int, format);
    setSkinThemeStyle(Gray);

    const QImage tinted = skinTintedImage(source);
    QCOMPARE(int(tinted.format()), format);
    QVERIFY(isSilhouette(source, tinted, skinIconColor));
    int drawn = 0;
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x)
            drawn += qAlpha(source.pixel(x, y)) > 0;
    }
    QVERIFY(drawn > 0);
}

void TestSkinTintedIcon::iconHasNormalAndDisabledSilhouettes_data()
{
    everyDrawnPixelTakesTheIconColour_data();
}

void TestSkinTintedIcon::iconHasNormalAndDisabledSilhouettes()
{
    QFETCH(int, style);
    QFETCH(QColor, colour);
    setSkinThemeStyle(SkinThemeStyle(style));

    const QImage source = fixture();
    const QIcon icon = skinTintedIcon(source);
    QVERIFY(!icon.isNull());
    // Added for On; Qt serves Off and the other modes from them.
    for (QIcon::State state : {QIcon::On, QIcon::Off}) {
        QVERIFY(isSilhouette(source, pixmapImage(icon, QIcon::Normal, state), colour, true));
        QVERIFY(isSilhouette(source, pixmapImage(icon, QIcon::Disabled, state), QColor(120, 120, 120), true));
    }
    QVERIFY(isSilhouette(source, pixmapImage(icon, QIcon::Active, QIcon::Off), colour, true));
    // From an icon, through its Normal/Off pixmap.
    const QIcon fromIcon = skinTintedIcon(QIcon(QPixmap::fromImage(source)));
    QVERIFY(isSilhouette(source, pixmapImage(fromIcon, QIcon::Normal, QIcon::Off), colour, true));
}

void TestSkinTintedIcon::resourcePathsComeOutAtSixteenFilesAtTheirSize()
{
    const QString resource = QStringLiteral(":/tools/images/Pen.png");
    const QImage big(resource);
    QCOMPARE(big.size(), QSize(32, 32));
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("Pen.png"));
    QVERIFY(big.save(file));

    const QIcon fromResource = skinTintedIcon(resource);
    QCOMPARE(fromResource.availableSizes(QIcon::Normal, QIcon::On), QList<QSize>{QSize(16, 16)});
    const QIcon fromFile = skinTintedIcon(file);
    QCOMPARE(fromFile.availableSizes(QIcon::Normal, QIcon::On), QList<QSize>{QSize(32, 32)});
    QVERIFY(isSilhouette(big, pixmapImage(fromFile, QIcon::Normal, QIcon::On), skinIconColor, true));
    // Images are loaded at their size from either.
    QCOMPARE(skinTintedImage(resource).size(), QSize(32, 32));
    QCOMPARE(skinTintedImage(file).size(), QSize(32, 32));
    // Images smaller than 16 x 16 are not blown up.
    QCOMPARE(skinTintedIcon(QStringLiteral(":/widgets/images/SmallClose.png")).availableSizes(QIcon::Normal, QIcon::On),
             QList<QSize>{QSize(6, 6)});
}

void TestSkinTintedIcon::nothingGivesNothing()
{
    QVERIFY(skinTintedImage(QImage()).isNull());
    QVERIFY(skinTintedImage(QString()).isNull());
    QVERIFY(skinTintedImage(QStringLiteral(":/widgets/images/NoSuchImage.png")).isNull());
    QVERIFY(skinTintedImage(QStringLiteral("/no/such/file.png")).isNull());
    QVERIFY(skinTintedIcon(QImage()).isNull());
    QVERIFY(skinTintedIcon(QIcon()).isNull());
    QVERIFY(skinTintedIcon(QString()).isNull());
    QVERIFY(skinTintedIcon(QStringLiteral(":/widgets/images/NoSuchImage.png")).isNull());
    QVERIFY(skinTintedIcon(QStringLiteral("/no/such/file.png")).isNull());
}

QTEST_MAIN(TestSkinTintedIcon)
#include "tst_skintintedicon.moc"
