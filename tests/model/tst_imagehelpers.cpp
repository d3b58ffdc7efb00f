#include "model/imagehelpers.h"

#include "skin/windows/skintheme.h"

#include <QImage>
#include <QPainter>
#include <QStandardPaths>
#include <QtTest>

class TestImageHelpers : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void colorToHexText_data();
    void colorToHexText();
    void dropShadowStrips_data();
    void dropShadowStrips();
    void dropShadowFollowsTheTheme();
    void dropShadowWithoutSizeOrPainter();
};

void TestImageHelpers::colorToHexText_data()
{
    QTest::addColumn<QColor>("color");
    QTest::addColumn<QString>("text");
    QTest::newRow("opaque red") << QColor(255, 0, 0) << "#FF0000";
    QTest::newRow("translucent red") << QColor(255, 0, 0, 128) << "#80FF0000";
    QTest::newRow("black") << QColor(0, 0, 0) << "#000000";
    QTest::newRow("small values padded") << QColor(1, 2, 3) << "#010203";
    QTest::newRow("upper case") << QColor(171, 205, 239) << "#ABCDEF";
    QTest::newRow("fully transparent") << QColor(10, 20, 30, 0) << "#000A141E";
    QTest::newRow("almost opaque") << QColor(255, 255, 255, 254) << "#FEFFFFFF";
}

void TestImageHelpers::colorToHexText()
{
    QFETCH(QColor, color);
    QFETCH(QString, text);
    QCOMPARE(::colorToHexText(color), text);
}

void TestImageHelpers::dropShadowStrips_data()
{
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<int>("size");
    QTest::newRow("paper") << QRect(10, 10, 50, 40) << 5;
    QTest::newRow("one pixel") << QRect(20, 30, 30, 20) << 1;
    QTest::newRow("wide") << QRect(0, 0, 40, 60) << 12;
}

void TestImageHelpers::dropShadowStrips()
{
    QFETCH(QRect, rect);
    QFETCH(int, size);
    setSkinThemeStyle(Black);
    const QColor shadow = QColor(160, 160, 160).darker(140);

    QImage image(100, 100, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    drawDropShadow(&painter, rect, size);
    painter.end();

    // Right strip from size below the top to size - 1 past the bottom, then
    // the bottom strip from size right of the left edge; both start on the
    // rectangle's own last column and row.
    const QRect rightStrip(QPoint(rect.right(), rect.top() + size),
                           QPoint(rect.right() + size - 1, rect.bottom() + size - 1));
    const QRect bottomStrip(QPoint(rect.left() + size, rect.bottom()),
                            QPoint(rect.right() + size - 1, rect.bottom() + size - 1));
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const bool inShadow = rightStrip.contains(x, y) || bottomStrip.contains(x, y);
            const QRgb expected = inShadow ? shadow.rgba() : qRgba(255, 255, 255, 255);
            if (image.pixel(x, y) != expected)
                QFAIL(qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
        }
    }
}

void TestImageHelpers::dropShadowFollowsTheTheme()
{
    QImage image(20, 20, QImage::Format_ARGB32);
    QPainter painter(&image);
    setSkinThemeStyle(Olive);
    drawDropShadow(&painter, QRect(0, 0, 10, 10), 4);
    QCOMPARE(image.pixel(9, 9), QColor(217, 217, 169).darker(140).rgba());
    setSkinThemeStyle(Black);
    drawDropShadow(&painter, QRect(0, 0, 10, 10), 4);
    QCOMPARE(image.pixel(9, 9), QColor(160, 160, 160).darker(140).rgba());
}

void TestImageHelpers::dropShadowWithoutSizeOrPainter()
{
    setSkinThemeStyle(Black);
    QImage image(20, 20, QImage::Format_ARGB32);
    image.fill(Qt::white);
    const QImage before = image;
    QPainter painter(&image);
    drawDropShadow(&painter, QRect(2, 2, 10, 10), 0);
    drawDropShadow(&painter, QRect(2, 2, 10, 10), -3);
    drawDropShadow(nullptr, QRect(2, 2, 10, 10), 4);
    painter.end();
    QCOMPARE(image, before);
}

QTEST_MAIN(TestImageHelpers)
#include "tst_imagehelpers.moc"
