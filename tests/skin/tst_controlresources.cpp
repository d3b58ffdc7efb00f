// The built-in images of the colour and brush editors. A missing resource
// loads as null and its button or tab shows nothing, silently; these tests
// make that loud. The tinted ones must be one-colour silhouettes, the ones
// shown as they are must really be in colour.
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QSet>
#include <QStandardPaths>
#include <QtTest>

namespace {

// The opaque colours of the image; -1 when some pixel is partly transparent.
int opaqueColourCount(const QImage &source)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) != 0 && qAlpha(pixel) != 255)
                return -1;
            if (qAlpha(pixel) == 255)
                colours.insert(pixel);
        }
    }
    return colours.size();
}

bool hasClearPixel(const QImage &source)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) == 0)
                return true;
        }
    }
    return false;
}

} // namespace

class TestControlResources : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void tintedButtons_data();
    void tintedButtons();
    void colouredImages_data();
    void colouredImages();
    void addCursorTipIsDrawn();
    void pageIconsLoadWithoutSuffix_data();
    void pageIconsLoadWithoutSuffix();
};

void TestControlResources::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestControlResources::tintedButtons_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("accept") << ":/widgets/images/Accept.png";
    QTest::newRow("cancel") << ":/widgets/images/Cancel.png";
}

void TestControlResources::tintedButtons()
{
    QFETCH(QString, path);
    const QImage image(path);
    QVERIFY2(!image.isNull(), qPrintable(path));
    QCOMPARE(image.size(), QSize(16, 16));
    QCOMPARE(opaqueColourCount(image), 1);
    QVERIFY(hasClearPixel(image));
}

void TestControlResources::colouredImages_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::newRow("rgb") << ":/widgets/images/RGB.png" << QSize(16, 16);
    QTest::newRow("add cursor") << ":/widgets/images/CursorAdd.png" << QSize(16, 16);
    QTest::newRow("color picker") << ":/tools/images/ColorPicker.png" << QSize(16, 16);
}

void TestControlResources::colouredImages()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    const QImage image(path);
    QVERIFY2(!image.isNull(), qPrintable(path));
    QCOMPARE(image.size(), size);
    QVERIFY(hasClearPixel(image));
    QVERIFY(opaqueColourCount(image) != 1);
}

// The gradient bar makes its cursor with the hot spot at (0, 0).
void TestControlResources::addCursorTipIsDrawn()
{
    const QImage image(QStringLiteral(":/widgets/images/CursorAdd.png"));
    QCOMPARE(qAlpha(image.convertToFormat(QImage::Format_ARGB32).pixel(0, 0)), 255);
}

void TestControlResources::pageIconsLoadWithoutSuffix_data()
{
    QTest::addColumn<QString>("path");
    for (const char *name : {"FillSolid", "FillLinear", "FillRadial", "FillConical", "FillImage"})
        QTest::newRow(name) << QStringLiteral(":/designs/images/%1").arg(QLatin1String(name));
}

// The brush editor names its page icons without ".png"; the reader must
// still find them.
void TestControlResources::pageIconsLoadWithoutSuffix()
{
    QFETCH(QString, path);
    QImageReader reader(path);
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(path + ": " + reader.errorString()));
    QCOMPARE(image.size(), QSize(19, 12));
    const QIcon icon(path);
    QCOMPARE(icon.actualSize(QSize(100, 100)), QSize(19, 12));
    QVERIFY(opaqueColourCount(image) > 1 || opaqueColourCount(image) == -1);
}

QTEST_MAIN(TestControlResources)
#include "tst_controlresources.moc"
