// The built-in images of the skinned windows. A missing or unregistered
// resource loads as null and the widget that shows it falls back to nothing,
// silently; these tests make that loud. They are one-colour silhouettes on a
// transparent background, which is what tinting them expects.
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QStandardPaths>
#include <QtTest>

class TestWindowResources : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void silhouettes_data();
    void silhouettes();
    void programIcon();
};

void TestWindowResources::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestWindowResources::silhouettes_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");

    const QSize box(24, 24);
    QTest::newRow("information") << ":/widgets/images/Information.png" << box;
    QTest::newRow("warning") << ":/widgets/images/Warning.png" << box;
    QTest::newRow("error") << ":/widgets/images/Error.png" << box;
    QTest::newRow("question") << ":/widgets/images/Question.png" << box;
    // The tool window's close button is sized for a 6 x 6 image.
    QTest::newRow("small close") << ":/widgets/images/SmallClose.png" << QSize(6, 6);
    QTest::newRow("context button") << ":/widgets/images/ContextButton.png" << QSize(7, 6);
    QTest::newRow("expand") << ":/widgets/images/Expand.png" << QSize(9, 9);
    QTest::newRow("collapse") << ":/widgets/images/Collapse.png" << QSize(9, 9);
    QTest::newRow("program icon") << ":/icons/winapp.ico" << QSize(32, 32);
}

void TestWindowResources::silhouettes()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);

    QImageReader reader(path);
    QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(path + ": " + reader.errorString()));
    QCOMPARE(image.size(), size);
    QVERIFY(image.hasAlphaChannel());
    QCOMPARE(image.depth(), 32);

    image = image.convertToFormat(QImage::Format_ARGB32);
    QSet<QRgb> colours;
    int drawn = 0;
    int clear = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            // No soft edges: tinting would make them solid anyway.
            QVERIFY2(qAlpha(pixel) == 0 || qAlpha(pixel) == 255, qPrintable(QString("%1,%2").arg(x).arg(y)));
            if (qAlpha(pixel) == 255) {
                ++drawn;
                colours.insert(pixel);
            } else {
                ++clear;
            }
        }
    }
    QVERIFY2(drawn > 0, "nothing is drawn");
    QVERIFY2(clear > 0, "no transparent background");
    QCOMPARE(colours.size(), 1);
}

void TestWindowResources::programIcon()
{
    const QIcon icon(QStringLiteral(":/icons/winapp.ico"));
    QVERIFY(!icon.isNull());
    QCOMPARE(icon.pixmap(QSize(32, 32)).size(), QSize(32, 32));
    // The caption paints it at 16 x 16.
    QCOMPARE(icon.pixmap(QSize(16, 16)).size(), QSize(16, 16));
}

QTEST_MAIN(TestWindowResources)
#include "tst_windowresources.moc"
