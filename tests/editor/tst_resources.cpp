// The built-in images of the tool cursors and of the style sheet. A missing
// or unregistered resource loads as a null pixmap, and a cursor or a style
// rule then falls back silently; these tests make that loud. The test never
// initialises the resources itself: linking loomdraw_core has to be enough.

#include <QImage>
#include <QPixmap>
#include <QStandardPaths>
#include <QtTest>

class TestResources : public QObject {
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void loads_data();
    void loads();
};

namespace {
const QPoint noHotSpot(-1, -1);
}

void TestResources::loads_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("hotSpot");

    const QSize big(32, 32);
    const QSize small(16, 16);
    // Cursors with the hot spots their tools pass to QCursor.
    QTest::newRow("arrow") << ":/tools/images/CursorArrow.png" << big << QPoint(0, 0);
    QTest::newRow("create rect") << ":/tools/images/CursorCreateRect.png" << big << QPoint(0, 0);
    QTest::newRow("create ellipse") << ":/tools/images/CursorCreateEllipse.png" << big << QPoint(0, 0);
    QTest::newRow("create bubble") << ":/tools/images/CursorCreateBubble.png" << big << QPoint(0, 0);
    QTest::newRow("drag") << ":/tools/images/CursorDrag.png" << big << QPoint(0, 0);
    QTest::newRow("pen") << ":/tools/images/Pen.png" << big << QPoint(8, 0);
    QTest::newRow("pen smooth") << ":/tools/images/PenSmooth.png" << big << QPoint(8, 0);
    QTest::newRow("pen cutoff") << ":/tools/images/PenCutoff.png" << big << QPoint(8, 0);
    QTest::newRow("pen connect") << ":/tools/images/PenConnect.png" << big << QPoint(8, 0);
    QTest::newRow("zoom in") << ":/tools/images/CursorZoomIn.png" << small << QPoint(6, 6);
    QTest::newRow("zoom out") << ":/tools/images/CursorZoomOut.png" << small << QPoint(6, 6);
    QTest::newRow("color picker") << ":/tools/images/ColorPicker.png" << small << QPoint(1, 14);
    QTest::newRow("slice") << ":/tools/images/Slice.png" << small << QPoint(0, 14);
    QTest::newRow("text") << ":/tools/images/Text.png" << small << QPoint(7, 2);
    // Style-sheet images: scroll-bar buttons and handles, combo-box drop-down,
    // and the spin-box arrows, which their rules size to 7 x 7.
    QTest::newRow("up arrow") << ":/widgets/images/UpArrow.png" << QSize(9, 9) << noHotSpot;
    QTest::newRow("down arrow") << ":/widgets/images/DownArrow.png" << QSize(9, 9) << noHotSpot;
    QTest::newRow("left arrow") << ":/widgets/images/LeftArrow.png" << QSize(9, 9) << noHotSpot;
    QTest::newRow("right arrow") << ":/widgets/images/RightArrow.png" << QSize(9, 9) << noHotSpot;
    QTest::newRow("spin up") << ":/widgets/images/SpinUpArrow.png" << QSize(7, 7) << noHotSpot;
    QTest::newRow("spin down") << ":/widgets/images/SpinDownArrow.png" << QSize(7, 7) << noHotSpot;
    QTest::newRow("h grip") << ":/widgets/images/HGrip.png" << QSize(8, 8) << noHotSpot;
    QTest::newRow("v grip") << ":/widgets/images/VGrip.png" << QSize(8, 8) << noHotSpot;
}

void TestResources::loads()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    QFETCH(QPoint, hotSpot);

    const QPixmap pixmap(path);
    QVERIFY2(!pixmap.isNull(), qPrintable(path));
    QCOMPARE(pixmap.size(), size);

    // Transparent around the drawing, so cursors and arrows are not boxes.
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    QVERIFY(image.hasAlphaChannel());
    int drawn = 0;
    int clear = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int alpha = qAlpha(image.pixel(x, y));
            drawn += alpha > 0;
            clear += alpha == 0;
        }
    }
    QVERIFY2(drawn > 0, "nothing is drawn");
    QVERIFY2(clear > 0, "no transparent background");

    // The click lands where the drawing points.
    if (hotSpot != noHotSpot)
        QCOMPARE(qAlpha(image.pixel(hotSpot)), 255);
}

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
