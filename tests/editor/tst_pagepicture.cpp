// The picture a document view keeps of its page: which parts are up to
// date, and how a scroll moves its pixels and what it leaves to paint.

#include "editor/pagepicture.h"

#include <QtTest>

namespace {

const QSize PictureSize(64, 48);

// A colour that tells every pixel's place apart.
QRgb placeColour(int x, int y)
{
    return qRgb(x * 3, y * 5, (x + y) % 256);
}

void paintPlaces(QImage *image)
{
    for (int y = 0; y < image->height(); ++y) {
        for (int x = 0; x < image->width(); ++x)
            image->setPixel(x, y, placeColour(x, y));
    }
}

} // namespace

class TestPagePicture : public QObject
{
    Q_OBJECT

private slots:
    void keptWhileItFits();
    void outdatedPartsFollowInvalidation();
    void scrollMovesPixelsAndLeavesTheStripOutdated_data();
    void scrollMovesPixelsAndLeavesTheStripOutdated();
};

void TestPagePicture::keptWhileItFits()
{
    PagePicture picture;
    QVERIFY(picture.isNull());
    QImage *image = picture.prepare(PictureSize, 96, 96);
    QVERIFY(image);
    QCOMPARE(image->size(), PictureSize);
    QCOMPARE(image->logicalDpiX(), 96);
    // A new picture shows nothing yet.
    QVERIFY(!picture.isUpToDate(QRect(0, 0, 1, 1)));
    picture.validate(image->rect());
    QVERIFY(picture.isUpToDate(image->rect()));

    QCOMPARE(picture.prepare(PictureSize, 96, 96), image);
    QVERIFY(picture.isUpToDate(image->rect()));
    // Another size or resolution makes a new one, wholly out of date.
    QVERIFY(picture.prepare(PictureSize + QSize(1, 0), 96, 96));
    QVERIFY(picture.outdatedPart(QRect(0, 0, 65, 48)) == QRegion(QRect(0, 0, 65, 48)));
    picture.validate(QRect(0, 0, 65, 48));
    QCOMPARE(picture.prepare(QSize(65, 48), 192, 192)->logicalDpiX(), 192);
    QVERIFY(!picture.isUpToDate(QRect(10, 10, 1, 1)));
    // Nothing to keep for an empty view; a released picture is made anew.
    QVERIFY(!picture.prepare(QSize(0, 10), 96, 96));
    picture.prepare(PictureSize, 96, 96);
    picture.validate(QRect(0, 0, 64, 48));
    picture.release();
    QVERIFY(picture.isNull());
    QVERIFY(picture.prepare(PictureSize, 96, 96));
    QVERIFY(!picture.isUpToDate(QRect(0, 0, 1, 1)));
}

void TestPagePicture::outdatedPartsFollowInvalidation()
{
    PagePicture picture;
    picture.prepare(PictureSize, 96, 96);
    picture.validate(QRect(0, 0, 64, 48));
    picture.invalidate(QRect(10, 10, 5, 5));
    QCOMPARE(picture.outdatedPart(QRect(0, 0, 64, 48)), QRegion(QRect(10, 10, 5, 5)));
    QCOMPARE(picture.outdatedPart(QRect(12, 0, 30, 11)), QRegion(QRect(12, 10, 3, 1)));
    // Beyond the picture there is nothing to paint.
    QVERIFY(picture.outdatedPart(QRect(64, 0, 10, 10)).isEmpty());
    picture.invalidate();
    QCOMPARE(picture.outdatedPart(QRect(1, 2, 3, 4)), QRegion(QRect(1, 2, 3, 4)));
}

void TestPagePicture::scrollMovesPixelsAndLeavesTheStripOutdated_data()
{
    QTest::addColumn<int>("dx");
    QTest::addColumn<int>("dy");

    QTest::newRow("down") << 0 << 7;
    QTest::newRow("up") << 0 << -9;
    QTest::newRow("right") << 5 << 0;
    QTest::newRow("left") << -11 << 0;
    QTest::newRow("both ways") << 3 << -4;
    QTest::newRow("one pixel") << 0 << 1;
    QTest::newRow("farther than the picture") << 0 << 60;
}

void TestPagePicture::scrollMovesPixelsAndLeavesTheStripOutdated()
{
    QFETCH(int, dx);
    QFETCH(int, dy);

    PagePicture picture;
    QImage *image = picture.prepare(PictureSize, 96, 96);
    paintPlaces(image);
    const QRect whole = image->rect();
    picture.validate(whole);
    // A part painted nowhere yet moves along as out of date.
    picture.invalidate(QRect(20, 20, 4, 4));
    picture.scroll(dx, dy);

    QRegion expectedOutdated = QRegion(whole) - QRegion(whole.translated(dx, dy));
    expectedOutdated += QRegion(QRect(20, 20, 4, 4).translated(dx, dy)) & whole;
    QCOMPARE(picture.outdatedPart(whole), expectedOutdated);
    for (int y = 0; y < image->height(); ++y) {
        for (int x = 0; x < image->width(); ++x) {
            if (expectedOutdated.contains(QPoint(x, y)))
                continue;
            if (image->pixel(x, y) != placeColour(x - dx, y - dy))
                QFAIL(qPrintable(QStringLiteral("(%1, %2) holds another pixel than (%3, %4)")
                                     .arg(x)
                                     .arg(y)
                                     .arg(x - dx)
                                     .arg(y - dy)));
        }
    }
}

QTEST_MAIN(TestPagePicture)
#include "tst_pagepicture.moc"
