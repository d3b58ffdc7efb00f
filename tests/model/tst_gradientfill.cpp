#include "model/gradientfill.h"

#include <QBuffer>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QtTest>

namespace {

constexpr QSize kPicture(120, 90);

QImage blank()
{
    QImage image(kPicture, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

QPainterPath blob()
{
    QPainterPath path;
    path.addEllipse(QRectF(12.3, 10.7, 90.2, 60.5));
    path.addRect(QRectF(40.5, 60.25, 30, 25));
    return path;
}

QBrush linear(const QPointF &from, const QPointF &to, const QColor &second = Qt::blue)
{
    QLinearGradient gradient(from, to);
    gradient.setColorAt(0, Qt::red);
    gradient.setColorAt(0.4, Qt::yellow);
    gradient.setColorAt(1, second);
    return QBrush(gradient);
}

QBrush radial(const QPointF &centre, qreal radius)
{
    QRadialGradient gradient(centre, radius, centre);
    gradient.setColorAt(0, Qt::white);
    gradient.setColorAt(1, QColor(20, 120, 40));
    return QBrush(gradient);
}

struct Setting
{
    QTransform transform;
    QRect clip; // none when empty
    qreal opacity = 1.0;
};

void setUp(QPainter *painter, const Setting &setting)
{
    painter->setRenderHint(QPainter::Antialiasing);
    if (!setting.clip.isEmpty())
        painter->setClipRect(setting.clip);
    painter->setTransform(setting.transform);
    painter->setOpacity(setting.opacity);
}

int largestDifference(const QImage &a, const QImage &b)
{
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
        }
    }
    return largest;
}

} // namespace

Q_DECLARE_METATYPE(Setting)

class TestGradientFill : public QObject
{
    Q_OBJECT

private slots:
    void paintsAsThePainterWould_data();
    void paintsAsThePainterWould();
    void bandsJoinWithoutSeams();
    void leavesOtherBrushesToThePainter_data();
    void leavesOtherBrushesToThePainter();
    void leavesVectorPaintersAlone();
};

void TestGradientFill::paintsAsThePainterWould_data()
{
    QTest::addColumn<QBrush>("brush");
    QTest::addColumn<Setting>("setting");

    const Setting plain;
    Setting turned;
    turned.transform = QTransform().translate(60, 45).rotate(35).scale(0.8, 1.3).translate(-60, -45);
    Setting clipped;
    clipped.clip = QRect(20, 30, 70, 23);
    clipped.transform = QTransform().translate(3.5, -2.25);
    Setting faint;
    faint.opacity = 0.45;
    Setting magnified;
    magnified.transform = QTransform().scale(6, 6).translate(-20, -15);

    QTest::newRow("linear across") << linear({12, 0}, {102, 0}) << plain;
    QTest::newRow("linear slanted, see-through end") << linear({20, 10}, {90, 80}, QColor(0, 0, 255, 90)) << plain;
    QTest::newRow("linear turned") << linear({12, 0}, {102, 30}) << turned;
    QTest::newRow("linear clipped") << linear({12, 0}, {102, 0}) << clipped;
    QTest::newRow("linear faint") << linear({40, 40}, {60, 45}) << faint;
    QTest::newRow("linear magnified") << linear({20, 15}, {35, 25}) << magnified;
    QTest::newRow("short linear, padded") << linear({55, 0}, {58, 0}) << plain;
    // Black to white, as the painter takes a gradient without stops.
    QTest::newRow("no stops") << QBrush(QLinearGradient(QPointF(30, 0), QPointF(90, 10))) << plain;
    QLinearGradient edge(QPointF(20, 0), QPointF(100, 0));
    edge.setStops({{0, Qt::green}, {0.5, Qt::green}, {0.5, Qt::magenta}, {1, Qt::magenta}});
    QTest::newRow("hard edge between two stops") << QBrush(edge) << plain;
    QTest::newRow("radial") << radial({57, 40}, 45) << plain;
    QTest::newRow("radial turned") << radial({57, 40}, 30) << turned;
    QTest::newRow("radial clipped") << radial({30, 40}, 70) << clipped;
    QTest::newRow("radial magnified") << radial({25, 20}, 8) << magnified;
}

// The raster engine's own tables hold 1024 colours and round their position
// its own way, and it takes the opacity into its table where here it is laid
// over rounded colours: a level or two either way is all that may tell the
// two apart.
void TestGradientFill::paintsAsThePainterWould()
{
    QFETCH(QBrush, brush);
    QFETCH(Setting, setting);

    QImage theirs = blank();
    {
        QPainter painter(&theirs);
        setUp(&painter, setting);
        painter.fillPath(blob(), brush);
    }
    QImage own = blank();
    {
        QPainter painter(&own);
        setUp(&painter, setting);
        QVERIFY(GradientFill::fillPath(&painter, blob(), brush));
    }
    QVERIFY(own != blank());
    QVERIFY2(largestDifference(own, theirs) <= 3, qPrintable(QString::number(largestDifference(own, theirs))));
}

// A picture filled in horizontal bands, each under its own clip, is the
// picture filled whole, to the level.
void TestGradientFill::bandsJoinWithoutSeams()
{
    const QTransform turned = QTransform().translate(60, 45).rotate(20).translate(-60, -45);
    for (const QBrush &brush : {linear({12, 5}, {102, 40}), radial({50, 40}, 40)}) {
        QImage whole = blank();
        {
            QPainter painter(&whole);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setTransform(turned);
            QVERIFY(GradientFill::fillPath(&painter, blob(), brush));
        }
        QImage banded = blank();
        for (int top = 0; top < kPicture.height(); top += 17) {
            QPainter painter(&banded);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setClipRect(QRect(0, top, kPicture.width(), 17));
            painter.setTransform(turned);
            QVERIFY(GradientFill::fillPath(&painter, blob(), brush));
        }
        QCOMPARE(banded, whole);
    }
}

void TestGradientFill::leavesOtherBrushesToThePainter_data()
{
    QTest::addColumn<QBrush>("brush");

    QTest::newRow("solid") << QBrush(Qt::red);
    QTest::newRow("conical") << QBrush(QConicalGradient(50, 40, 30));
    QRadialGradient focal(QPointF(50, 40), 30, QPointF(45, 38));
    focal.setColorAt(0, Qt::red);
    focal.setColorAt(1, Qt::blue);
    QTest::newRow("radial with its own focal point") << QBrush(focal);
    QLinearGradient reflected(QPointF(10, 0), QPointF(30, 0));
    reflected.setColorAt(0, Qt::red);
    reflected.setColorAt(1, Qt::blue);
    reflected.setSpread(QGradient::ReflectSpread);
    QTest::newRow("reflected") << QBrush(reflected);
    QLinearGradient relative = reflected;
    relative.setSpread(QGradient::PadSpread);
    relative.setCoordinateMode(QGradient::ObjectMode);
    QTest::newRow("object coordinates") << QBrush(relative);
    QBrush transformed = linear({10, 0}, {30, 0});
    transformed.setTransform(QTransform().rotate(10));
    QTest::newRow("brush transform") << transformed;
    QTest::newRow("start on the end") << linear({20, 20}, {20, 20});
}

void TestGradientFill::leavesOtherBrushesToThePainter()
{
    QFETCH(QBrush, brush);
    QImage image = blank();
    QPainter painter(&image);
    QVERIFY(!GradientFill::fillPath(&painter, blob(), brush));
    painter.end();
    QCOMPARE(image, blank());
}

// A PDF keeps its gradients as gradients.
void TestGradientFill::leavesVectorPaintersAlone()
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    QPainter painter(&writer);
    QVERIFY(!GradientFill::fillPath(&painter, blob(), linear({12, 0}, {102, 0})));
}

QTEST_MAIN(TestGradientFill)
#include "tst_gradientfill.moc"
