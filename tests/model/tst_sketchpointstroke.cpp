#include "model/sketchglobals.h"
#include "model/sketchpoint.h"
#include "model/sketchstroke.h"

#include <QDomDocument>
#include <QPainter>
#include <QPainterPath>
#include <QStandardPaths>
#include <QtTest>

#include <cmath>
#include <memory>

namespace {

QImage whiteCanvas(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::white);
    return image;
}

bool isPainted(const QImage &image, int x, int y)
{
    return image.pixel(x, y) != qRgb(255, 255, 255);
}

} // namespace

class TestSketchPointStroke : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();

    void pointText_data();
    void pointText();
    void pointParse_data();
    void pointParse();
    void pointFromString();
    void pointAccessors();
    void pointsAreCounted();

    void strokeDefaults();
    void strokeWidthAtLeastOne();
    void strokeEquality();
    void strokeWriteXml();
    void strokeRoundTrip_data();
    void strokeRoundTrip();
    void strokeReadXml();

    void makePenWidth_data();
    void makePenWidth();
    void makePenStyles_data();
    void makePenStyles();
    void makePenWithoutArea();
    void stylePen();

    void paintRectAndBorder();
    void paintLineAndPath();
    void crowdedLinesZoomedOut_data();
    void crowdedLinesZoomedOut();

private:
    QDomElement newElement();

    QDomDocument m_document;
};

void TestSketchPointStroke::init()
{
    m_document = QDomDocument();
}

QDomElement TestSketchPointStroke::newElement()
{
    QDomElement element = m_document.createElement(QStringLiteral("Stroke"));
    m_document.appendChild(element);
    return element;
}

void TestSketchPointStroke::pointText_data()
{
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");
    QTest::addColumn<bool>("curve");
    QTest::addColumn<bool>("locked");
    QTest::addColumn<QString>("text");

    QTest::newRow("corner") << 12.5f << 30.0f << false << false << "12.5,30";
    QTest::newRow("curve") << 12.5f << 30.0f << true << false << "12.5,30,1";
    QTest::newRow("locked curve") << 1.5f << 2.0f << true << true << "1.5,2,1,1";
    QTest::newRow("locked corner") << 1.5f << 2.0f << false << true << "1.5,2,0,1";
    QTest::newRow("float form") << 0.1f << 1234567.0f << false << false << "0.1,1.23457e+06";
    QTest::newRow("negative") << -3.0f << -0.25f << false << false << "-3,-0.25";
}

void TestSketchPointStroke::pointText()
{
    QFETCH(float, x);
    QFETCH(float, y);
    QFETCH(bool, curve);
    QFETCH(bool, locked);
    QFETCH(QString, text);

    const SketchPoint point(x, y, curve, locked);
    QCOMPARE(point.toString(), text);

    const SketchPoint read(text);
    QCOMPARE(read.isCurve(), curve);
    QCOMPARE(read.isLocked(), locked);
    QCOMPARE(read.toString(), text);
}

void TestSketchPointStroke::pointParse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QPointF>("position");
    QTest::addColumn<bool>("curve");
    QTest::addColumn<bool>("locked");

    QTest::newRow("one field") << "3" << QPointF(0, 0) << false << false;
    QTest::newRow("bad y") << "3,abc" << QPointF(3, 0) << false << false;
    QTest::newRow("not finite") << "nan,inf" << QPointF(0, 0) << false << false;
    QTest::newRow("only 1 sets a flag") << "1,2,2" << QPointF(1, 2) << false << false;
    QTest::newRow("true is not 1") << "1,2,true,1" << QPointF(1, 2) << false << true;
    QTest::newRow("locked corner") << "1.5,2,0,1" << QPointF(1.5, 2) << false << true;
    QTest::newRow("extra fields ignored") << "1,2,1,1,9" << QPointF(1, 2) << true << true;
    QTest::newRow("single comma") << "," << QPointF(0, 0) << false << false;
}

void TestSketchPointStroke::pointParse()
{
    QFETCH(QString, text);
    QFETCH(QPointF, position);
    QFETCH(bool, curve);
    QFETCH(bool, locked);

    const SketchPoint point(text);
    QCOMPARE(point.toPointF(), position);
    QCOMPARE(point.isCurve(), curve);
    QCOMPARE(point.isLocked(), locked);
}

void TestSketchPointStroke::pointFromString()
{
    QVERIFY(!SketchPoint::fromString(QString()));
    QVERIFY(!SketchPoint::fromString(QStringLiteral("")));
    const std::unique_ptr<SketchPoint> comma(SketchPoint::fromString(QStringLiteral(",")));
    QVERIFY(comma);
    QCOMPARE(comma->toPointF(), QPointF(0, 0));
    const std::unique_ptr<SketchPoint> read(SketchPoint::fromString(QStringLiteral("4,5,1")));
    QCOMPARE(read->toPointF(), QPointF(4, 5));
    QVERIFY(read->isCurve());
}

void TestSketchPointStroke::pointAccessors()
{
    SketchPoint point(0.1, 0.2);
    QCOMPARE(point.x(), 0.1f);
    QCOMPARE(point.toPointF(), QPointF(0.1f, 0.2f));
    QVERIFY(!point.isCurve() && !point.isLocked());

    point.setPos(3.0f, 4.0f);
    point.translate(0.5f, -1.0f);
    QCOMPARE(point.toPointF(), QPointF(3.5, 3));
    point.setX(7);
    point.setY(8);
    point.setCurve(true);
    point.setLocked(true);

    const std::unique_ptr<SketchPoint> copy(point.clone());
    QCOMPARE(copy->toString(), QStringLiteral("7,8,1,1"));
    copy->translate(1, 1);
    QCOMPARE(point.toPointF(), QPointF(7, 8));

    const SketchPoint fromInts(1, 2, true);
    QVERIFY(fromInts.isCurve());
    QVERIFY(!fromInts.isLocked());
}

void TestSketchPointStroke::pointsAreCounted()
{
    const int before = SketchGlobals::PointCount;
    {
        SketchPoint a;
        SketchPoint b(1.0f, 2.0f);
        SketchPoint c(QStringLiteral("1,2"));
        SketchPoint d(a);
        QCOMPARE(SketchGlobals::PointCount, before + 4);
        const std::unique_ptr<SketchPoint> e(b.clone());
        const std::unique_ptr<SketchPoint> f(SketchPoint::fromString(QStringLiteral("3,4")));
        QCOMPARE(SketchGlobals::PointCount, before + 6);
        d = c; // assignment makes no new point
        QCOMPARE(SketchGlobals::PointCount, before + 6);
    }
    QCOMPARE(SketchGlobals::PointCount, before);
}

void TestSketchPointStroke::strokeDefaults()
{
    const SketchStroke stroke;
    QVERIFY(stroke.brush().isBlack());
    QCOMPARE(stroke.width(), 1);
    QCOMPARE(stroke.style(), int(SketchStrokeRound));
    QVERIFY(stroke.isDefault());
    QVERIFY(!stroke.isInvisible());

    SketchStroke faint;
    faint.brush().setOpacity(0.3f);
    QVERIFY(faint.isDefault());

    const SketchStroke red(Qt::red, 3, 7);
    QCOMPARE(red.brush(), SkinBrush(QColor(Qt::red)));
    QCOMPARE(red.style(), 7);
    QVERIFY(!red.isDefault());

    QVERIFY(SketchStroke(Qt::transparent, 4, 0).isInvisible());
}

void TestSketchPointStroke::strokeWidthAtLeastOne()
{
    QCOMPARE(SketchStroke(Qt::red, 0, 0).width(), 1);
    QCOMPARE(SketchStroke(Qt::red, -4, 0).width(), 1);
    SketchStroke stroke;
    stroke.setWidth(-2);
    QCOMPARE(stroke.width(), 1);
    stroke.setWidth(6);
    QCOMPARE(stroke.width(), 6);

    // setBrush replaces the brush only.
    SkinBrush linear(Qt::red, Qt::blue, true);
    linear.setOpacity(0.5f);
    stroke.setStyle(1);
    stroke.setBrush(linear);
    QCOMPARE(stroke.brush(), linear);
    QCOMPARE(stroke.width(), 6);
    QCOMPARE(stroke.style(), 1);
}

void TestSketchPointStroke::strokeEquality()
{
    const SketchStroke a(Qt::red, 2, 1);
    SketchStroke b = a;
    QVERIFY(a == b);
    b.setStyle(0);
    QVERIFY(a != b);
    b = a;
    b.setWidth(3);
    QVERIFY(a != b);
    b = a;
    b.brush().setOpacity(0.5f);
    QVERIFY(a != b);
}

void TestSketchPointStroke::strokeWriteXml()
{
    QDomElement plain = newElement();
    SketchStroke().writeXml(plain);
    QCOMPARE(plain.attributes().count(), 0);
    QVERIFY(!plain.hasChildNodes());

    QDomElement red = m_document.createElement(QStringLiteral("Stroke"));
    plain.appendChild(red);
    SketchStroke(Qt::red, 3, 1).writeXml(red);
    QCOMPARE(red.attribute("Style"), QStringLiteral("1"));
    QCOMPARE(red.attribute("Width"), QStringLiteral("3"));
    const QDomElement fill = red.firstChildElement("Fill");
    QVERIFY(!fill.isNull());
    QCOMPARE(fill.attribute("Color"), QStringLiteral("#ff0000"));

    // A faint black brush is still black: no "Fill", and it reads back opaque.
    QDomElement faint = m_document.createElement(QStringLiteral("Stroke"));
    plain.appendChild(faint);
    SketchStroke faintStroke;
    faintStroke.brush().setOpacity(0.4f);
    faintStroke.writeXml(faint);
    QVERIFY(faint.firstChildElement("Fill").isNull());
    SketchStroke read(Qt::red, 4, 1);
    read.readXml(faint);
    QCOMPARE(read, SketchStroke());
}

void TestSketchPointStroke::strokeRoundTrip_data()
{
    QTest::addColumn<SketchStroke>("stroke");

    QTest::newRow("default") << SketchStroke();
    QTest::newRow("red square") << SketchStroke(Qt::red, 3, 1);
    SketchStroke gradient(Qt::black, 12, 0);
    gradient.setBrush(SkinBrush(Qt::green, Qt::blue, false));
    gradient.brush().setOpacity(0.5f);
    QTest::newRow("gradient") << gradient;
    QTest::newRow("invisible") << SketchStroke(Qt::transparent, 2, 0);
    QTest::newRow("unknown style kept") << SketchStroke(Qt::black, 1, 5);
}

void TestSketchPointStroke::strokeRoundTrip()
{
    QFETCH(SketchStroke, stroke);

    QDomElement element = newElement();
    stroke.writeXml(element);
    SketchStroke read(Qt::yellow, 9, 1);
    read.readXml(element);
    QCOMPARE(read, stroke);
}

void TestSketchPointStroke::strokeReadXml()
{
    QDomElement element = newElement();
    element.setAttribute("Width", "0");
    QDomElement other = m_document.createElement(QStringLiteral("Other"));
    other.setAttribute("Color", "#00ff00");
    element.appendChild(other);
    QDomElement fill = m_document.createElement(QStringLiteral("Fill"));
    fill.setAttribute("Color", "#0000ff");
    element.appendChild(fill);

    SketchStroke stroke;
    stroke.readXml(element);
    QCOMPARE(stroke.width(), 0);
    QVERIFY(stroke.isInvisible());
    QCOMPARE(stroke.brush(), SkinBrush(QColor(Qt::blue)));

    QDomElement bare = newElement();
    stroke.readXml(bare);
    QCOMPARE(stroke, SketchStroke());
}

void TestSketchPointStroke::makePenWidth_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<float>("zoom");
    QTest::addColumn<qreal>("penWidth");

    QTest::newRow("thin, zoomed out") << 2 << 0.5f << 4.0;
    QTest::newRow("7 still widened") << 7 << 0.5f << 14.0;
    QTest::newRow("8 and more kept") << 8 << 0.5f << 8.0;
    QTest::newRow("thick, zoomed out") << 10 << 0.5f << 10.0;
    QTest::newRow("zoomed in") << 2 << 2.0f << 2.0;
    QTest::newRow("zoom 1") << 3 << 1.0f << 3.0;
    QTest::newRow("real width") << 1 << 0.4f << 1.0 / double(0.4f);
}

void TestSketchPointStroke::makePenWidth()
{
    QFETCH(int, width);
    QFETCH(float, zoom);
    QFETCH(qreal, penWidth);

    QRectF rect(0, 0, 10, 10);
    const QPen pen = SketchStroke(Qt::red, width, 0).makePen(rect, zoom);
    QCOMPARE(pen.widthF(), penWidth);
    QCOMPARE(pen.style(), Qt::SolidLine);
    QCOMPARE(pen.brush().color(), QColor(Qt::red));
}

void TestSketchPointStroke::makePenStyles_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<Qt::PenCapStyle>("cap");
    QTest::addColumn<Qt::PenJoinStyle>("join");

    QTest::newRow("round") << 0 << Qt::RoundCap << Qt::RoundJoin;
    QTest::newRow("square") << 1 << Qt::SquareCap << Qt::MiterJoin;
    QTest::newRow("other") << 4 << Qt::SquareCap << Qt::BevelJoin;
}

void TestSketchPointStroke::makePenStyles()
{
    QFETCH(int, style);
    QFETCH(Qt::PenCapStyle, cap);
    QFETCH(Qt::PenJoinStyle, join);

    const SketchStroke stroke(Qt::red, 2, style);
    QRectF rect(0, 0, 10, 10);
    const QPen pen = stroke.makePen(rect, 1.0f);
    QCOMPARE(pen.capStyle(), cap);
    QCOMPARE(pen.joinStyle(), join);
    QCOMPARE(stroke.stylePen().capStyle(), cap);
    QCOMPARE(stroke.stylePen().joinStyle(), join);
}

void TestSketchPointStroke::makePenWithoutArea()
{
    const SketchStroke stroke(Qt::red, 2, 0);
    QRectF flat(0, 0, 10, 0);
    QCOMPARE(stroke.makePen(flat, 1.0f).style(), Qt::NoPen);

    // The rectangle is normalised in place.
    QRectF turned(10, 20, -10, -5);
    QCOMPARE(stroke.makePen(turned, 1.0f).style(), Qt::SolidLine);
    QCOMPARE(turned, QRectF(0, 15, 10, 5));

    // A width of 0 read from a file paints nothing rather than a hairline.
    QDomElement element = newElement();
    element.setAttribute("Width", "0");
    SketchStroke zero;
    zero.readXml(element);
    QRectF rect(0, 0, 10, 10);
    QCOMPARE(zero.makePen(rect, 1.0f).style(), Qt::NoPen);
}

void TestSketchPointStroke::stylePen()
{
    SketchStroke stroke(Qt::red, 5, 1);
    stroke.brush().setOpacity(0.2f);
    const QPen pen = stroke.stylePen();
    QCOMPARE(pen.color(), QColor(Qt::black));
    QCOMPARE(pen.width(), 5);
    QCOMPARE(pen.style(), Qt::SolidLine);
}

void TestSketchPointStroke::paintRectAndBorder()
{
    QImage image = whiteCanvas(842, 595);
    QPainter painter(&image);
    painter.setBrush(Qt::yellow);
    SketchStroke border(Qt::black, 5, 1);
    border.brush().setOpacity(0.1f); // borders ignore the brush opacity
    // The area's own position is not used: the border sits at the origin.
    border.drawBorder(&painter, QRectF(100, 100, 842, 595), 1.0f);
    QCOMPARE(painter.brush().color(), QColor(Qt::yellow));
    painter.end();

    // The rectangle (2, 2, 837, 590) stroked 5 wide: 0..4 and 837..841 across.
    QCOMPARE(image.pixel(1, 300), qRgb(0, 0, 0));
    QCOMPARE(image.pixel(3, 300), qRgb(0, 0, 0));
    QVERIFY(!isPainted(image, 6, 300));
    QVERIFY(!isPainted(image, 835, 300));
    QCOMPARE(image.pixel(838, 300), qRgb(0, 0, 0));
    QCOMPARE(image.pixel(840, 300), qRgb(0, 0, 0));
    QCOMPARE(image.pixel(400, 593), qRgb(0, 0, 0));
    QVERIFY(!isPainted(image, 400, 300));

    QImage none = whiteCanvas(20, 20);
    QPainter nonePainter(&none);
    QDomElement element = newElement();
    element.setAttribute("Width", "0");
    SketchStroke zero;
    zero.readXml(element);
    zero.drawBorder(&nonePainter, QRectF(0, 0, 20, 20), 1.0f);
    nonePainter.end();
    QCOMPARE(none, whiteCanvas(20, 20));
}

void TestSketchPointStroke::crowdedLinesZoomedOut_data()
{
    QTest::addColumn<qreal>("scale");
    QTest::addColumn<bool>("closed");
    QTest::newRow("a tenth, closed") << 0.1 << true;
    QTest::newRow("a tenth, open") << 0.1 << false;
    QTest::newRow("a third, closed") << 0.3 << true;
}

// Zoomed out, a flattened curve has several corners to a pixel; the stroke
// leaves the crowded ones out and still covers what the painter's own
// stroke covers: its edge pixels differ by a few levels at most.
void TestSketchPointStroke::crowdedLinesZoomedOut()
{
    QFETCH(qreal, scale);
    QFETCH(bool, closed);
    QPainterPath path;
    const int corners = 7200;
    for (int i = 0; i <= corners; ++i) {
        if (!closed && i == corners)
            break;
        const qreal angle = 2.0 * M_PI * i / corners;
        const QPointF point(1000.0 + 800.0 * std::cos(angle), 1000.0 + 600.0 * std::sin(3.0 * angle) * 0.9);
        if (i == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    const SketchStroke stroke(Qt::black, 20, 0);
    const int side = int(2000 * scale) + 4;
    QImage own = whiteCanvas(side, side);
    QImage painters = whiteCanvas(side, side);
    {
        QPainter painter(&own);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setTransform(QTransform::fromScale(scale, scale));
        stroke.strokePath(&painter, path, 1.0f);
    }
    {
        QPainter painter(&painters);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setTransform(QTransform::fromScale(scale, scale));
        QPen pen(Qt::black, 20, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
        painter.setPen(pen);
        painter.drawPath(path);
    }
    int inked = 0;
    int largest = 0;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            inked += qRed(painters.pixel(x, y)) < 128 ? 1 : 0;
            largest = qMax(largest, qAbs(qRed(own.pixel(x, y)) - qRed(painters.pixel(x, y))));
        }
    }
    QVERIFY(inked > side);
    QVERIFY2(largest <= 24, qPrintable(QString::number(largest)));
}

void TestSketchPointStroke::paintLineAndPath()
{
    QImage image = whiteCanvas(60, 60);
    QPainter painter(&image);
    painter.setOpacity(0.7);
    const SketchStroke red(Qt::red, 3, 1);
    // A horizontal line has a flat rectangle but still gets a pen.
    red.strokeLine(&painter, QPointF(5, 10.5), QPointF(55, 10.5), 1.0f);
    QCOMPARE(painter.opacity(), 1.0);

    SketchStroke faint(Qt::blue, 4, 0);
    faint.brush().setOpacity(0.5f);
    QPainterPath path;
    path.moveTo(30.5, 20);
    path.lineTo(30.5, 55);
    faint.strokePath(&painter, path, 1.0f);
    QCOMPARE(painter.opacity(), 1.0);

    QRectF box(40, 30, 10, 10);
    painter.setBrush(Qt::green);
    red.strokeRect(&painter, box, 1.0f);
    painter.end();

    QCOMPARE(image.pixel(30, 10), qRgb(255, 0, 0));
    QVERIFY(!isPainted(image, 30, 15));
    const QRgb half = image.pixel(30, 40);
    QVERIFY(qAbs(qRed(half) - 128) <= 2 && qBlue(half) == 255);
    QCOMPARE(image.pixel(40, 35), qRgb(255, 0, 0));
    QVERIFY(!isPainted(image, 45, 35));
}

QTEST_MAIN(TestSketchPointStroke)
#include "tst_sketchpointstroke.moc"
