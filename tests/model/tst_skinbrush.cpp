#include "model/skinbrush.h"
#include "support/livecounts.h"
#include "support/pixels.h"
#include "support/referenceblur.h"
#include "support/shapes.h"

#include "model/xmlattributes.h"

#include <QDomDocument>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QStandardPaths>
#include <QtTest>

#include <memory>

namespace {

QImage canvas(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

// Red, green / blue, white.
QImage fourColourImage()
{
    QImage image(2, 2, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgb(255, 0, 0));
    image.setPixel(1, 0, qRgb(0, 255, 0));
    image.setPixel(0, 1, qRgb(0, 0, 255));
    image.setPixel(1, 1, qRgb(255, 255, 255));
    return image;
}

SkinBrush imageBrush(const QByteArray &bytes)
{
    SkinBrush brush(SkinBrushImage);
    brush.setImageData(bytes);
    return brush;
}


QImage randomImage(int width, int height, QImage::Format format, quint32 seed)
{
    QRandomGenerator random(seed);
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, random.generate());
    return image.convertToFormat(format);
}

QStringList attributeNames(const QDomElement &element)
{
    QStringList names;
    const QDomNamedNodeMap attributes = element.attributes();
    for (int i = 0; i < attributes.count(); ++i)
        names.append(attributes.item(i).nodeName());
    names.sort();
    return names;
}

} // namespace

class TestSkinBrush : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();

    void gradientBasics();
    void gradientWithoutStopsIsSafe();
    void constructors();
    void settersClamp();
    void predicates_data();
    void predicates();

    void equality();

    void writeAttributes_data();
    void writeAttributes();
    void roundTrip_data();
    void roundTrip();
    void readRules();

    void controlPointsAndGradients();
    void toBrushNormalisesRect();
    void outOfRangeStopsAreDropped();
    void rotateAndFlip();

    void paintSolid();
    void paintGradients();
    void paintPartlyTransparentGradient();
    void paintImageStretched();
    void paintImageKeepsCallersClip();
    void paintImageClippedToPath();
    void strokes();

    void pictureIsDecodedOnceAndShared();
    void undecodableImagePaintsNothing();
    void oversizedImageKeepsBytes();
    void loadImageFile_data();
    void loadImageFile();
    void loadImageFileFailureLeavesNoImage();

    void blurSinglePixel();
    void blurMatchesDefinition_data();
    void blurMatchesDefinition();
    void blurIndexedImage();
    void blurPasses();
    void blurPassesAreCapped();

private:
    QDomElement written(const SkinBrush &brush);

    QDomDocument m_document;
};

void TestSkinBrush::init()
{
    m_document = QDomDocument();
}

QDomElement TestSkinBrush::written(const SkinBrush &brush)
{
    QDomElement element = m_document.createElement(QStringLiteral("Fill"));
    m_document.appendChild(element);
    brush.write(element);
    return element;
}

void TestSkinBrush::gradientBasics()
{
    SkinGradient gradient;
    QCOMPARE(gradient.count(), 2);
    QCOMPARE(gradient.colors(), (QList<QColor>{Qt::white, Qt::white}));
    QCOMPARE(gradient.positions(), (QList<float>{0.0f, 1.0f}));

    // Kept in the order of insertion, not by position.
    gradient.append(0.5f, Qt::red);
    gradient.insert(1, 0.25f, Qt::blue);
    QCOMPARE(gradient.positions(), (QList<float>{0.0f, 0.25f, 1.0f, 0.5f}));
    QCOMPARE(gradient.lastColor(), QColor(Qt::red));

    gradient.removeAt(-1);
    gradient.removeAt(4);
    QCOMPARE(gradient.count(), 4);
    gradient.removeAt(1);
    QCOMPARE(gradient.positions(), (QList<float>{0.0f, 1.0f, 0.5f}));

    gradient.setFirstColor(Qt::green);
    gradient.setLastColor(Qt::yellow);
    QCOMPARE(gradient.colors(), (QList<QColor>{Qt::green, Qt::white, Qt::yellow}));

    gradient.reset();
    QCOMPARE(gradient, SkinGradient(Qt::transparent));

    SkinGradient other(Qt::transparent);
    other.stops()[1].setPosition(2.0f); // clamped
    QCOMPARE(other.stops().at(1).position(), 1.0f);
    other.stops()[1].setPosition(0.999f);
    QVERIFY(other != gradient);
    other.stops()[1].setPosition(1.0f);
    other.stops()[1].setColor(QColor(0, 0, 0, 1));
    QVERIFY(other != gradient);
}

void TestSkinBrush::gradientWithoutStopsIsSafe()
{
    SkinGradient gradient;
    gradient.stops().clear();
    QCOMPARE(gradient.firstColor(), QColor(Qt::transparent));
    QCOMPARE(gradient.lastColor(), QColor(Qt::transparent));
    gradient.setFirstColor(Qt::red);
    gradient.setLastColor(Qt::red);
    QCOMPARE(gradient.count(), 0);
    gradient.insert(5, 0.5f, Qt::red); // an index past the end appends
    QCOMPARE(gradient.count(), 1);

    SkinBrush brush(SkinBrushSolid, SkinGradient());
    brush.stops().stops().clear();
    QCOMPARE(brush.solidBrush().color(), QColor(Qt::transparent));
    QImage image = canvas(4, 4);
    QPainter painter(&image);
    brush.fillRect(&painter, QRectF(0, 0, 4, 4));
    painter.end();
    QCOMPARE(image.pixel(1, 1), 0u);
}

void TestSkinBrush::constructors()
{
    const SkinBrush plain;
    QCOMPARE(plain.type(), int(SkinBrushSolid));
    QCOMPARE(plain.stops(), SkinGradient(Qt::transparent));
    QCOMPARE(plain.center(), QPointF(0.5, 0.5));
    QCOMPARE(plain.from(), QPointF(0, 0.5));
    QCOMPARE(plain.to(), QPointF(1, 0.5));
    QCOMPARE(plain.opacity(), 1.0f);
    QVERIFY(plain.imageData().isEmpty());
    QCOMPARE(plain, SkinBrush::transparentBrush());

    QCOMPARE(SkinBrush(SkinBrushRadial).type(), int(SkinBrushRadial));
    QCOMPARE(SkinBrush(QColor(Qt::red)).stops(), SkinGradient(Qt::red));
    QCOMPARE(SkinBrush::blackBrush().stops(), SkinGradient(Qt::black));
    QCOMPARE(SkinBrush::whiteBrush().stops(), SkinGradient(Qt::white));

    const SkinBrush across(Qt::red, Qt::blue, true);
    QCOMPARE(across.type(), int(SkinBrushLinear));
    QCOMPARE(across.stops().colors(), (QList<QColor>{Qt::red, Qt::blue}));
    QCOMPARE(across.from(), QPointF(0, 0.5));
    QCOMPARE(across.to(), QPointF(1, 0.5));
    const SkinBrush down(Qt::red, Qt::blue, false);
    QCOMPARE(down.from(), QPointF(0.5, 0));
    QCOMPARE(down.to(), QPointF(0.5, 1));
}

void TestSkinBrush::settersClamp()
{
    SkinBrush brush;
    brush.setCenter(QPointF(-1, 2));
    brush.setFrom(QPointF(0.25, -0.5));
    brush.setTo(QPointF(3, 0.75));
    QCOMPARE(brush.center(), QPointF(0, 1));
    QCOMPARE(brush.from(), QPointF(0.25, 0));
    QCOMPARE(brush.to(), QPointF(1, 0.75));
    brush.setOpacity(1.5f);
    QCOMPARE(brush.opacity(), 1.0f);
    brush.setOpacity(-0.2f);
    QCOMPARE(brush.opacity(), 0.0f);

    brush.setImageBase64(QStringLiteral("AP8QgA=="));
    QCOMPARE(brush.imageData(), QByteArray("\x00\xff\x10\x80", 4));
    QCOMPARE(brush.imageBase64(), QStringLiteral("AP8QgA=="));
}

void TestSkinBrush::predicates_data()
{
    QTest::addColumn<SkinBrush>("brush");
    QTest::addColumn<bool>("gradient");
    QTest::addColumn<bool>("black");
    QTest::addColumn<bool>("white");
    QTest::addColumn<bool>("transparent");
    QTest::addColumn<bool>("solidTransparent");

    QTest::newRow("default") << SkinBrush() << false << false << false << true << true;
    QTest::newRow("black") << SkinBrush::blackBrush() << false << true << false << false << false;
    SkinBrush faintBlack = SkinBrush::blackBrush();
    faintBlack.setOpacity(0.2f);
    QTest::newRow("black ignores opacity") << faintBlack << false << true << false << false << false;
    QTest::newRow("white") << SkinBrush::whiteBrush() << false << false << true << false << false;
    SkinGradient three(Qt::black);
    three.append(0.5f, Qt::black);
    QTest::newRow("three black stops is not black") << SkinBrush(SkinBrushSolid, three) << false << false
                                                    << false << false << false;
    QTest::newRow("linear") << SkinBrush(Qt::red, Qt::blue, true) << true << false << false << false << false;
    QTest::newRow("radial transparent") << SkinBrush(SkinBrushRadial) << true << false << false << true << false;
    QTest::newRow("conical") << SkinBrush(SkinBrushConical, SkinGradient(Qt::red)) << true << false << false
                             << false << false;

    SkinGradient middle(Qt::transparent);
    middle.insert(1, 0.5f, Qt::red);
    QTest::newRow("gradient opaque only in the middle") << SkinBrush(SkinBrushLinear, middle) << true << false
                                                        << false << false << false;
    SkinGradient allClear(Qt::transparent);
    allClear.insert(1, 0.5f, QColor(255, 0, 0, 0));
    QTest::newRow("gradient with every stop clear") << SkinBrush(SkinBrushLinear, allClear) << true << false
                                                    << false << true << false;
    SkinGradient clearFirst(Qt::red);
    clearFirst.setFirstColor(Qt::transparent);
    QTest::newRow("solid paints its first stop") << SkinBrush(SkinBrushSolid, clearFirst) << false << false
                                                 << false << true << false;

    QTest::newRow("image without bytes") << SkinBrush(SkinBrushImage) << false << false << false << true << false;
    QTest::newRow("image with bytes") << imageBrush("x") << false << false << false << false << false;
}

void TestSkinBrush::predicates()
{
    QFETCH(SkinBrush, brush);
    QFETCH(bool, gradient);
    QFETCH(bool, black);
    QFETCH(bool, white);
    QFETCH(bool, transparent);
    QFETCH(bool, solidTransparent);

    QCOMPARE(brush.isGradient(), gradient);
    QCOMPARE(brush.isBlack(), black);
    QCOMPARE(brush.isWhite(), white);
    QCOMPARE(brush.isTransparent(), transparent);
    QCOMPARE(brush.isSolidTransparent(), solidTransparent);
}

void TestSkinBrush::equality()
{
    const SkinBrush a(Qt::red, Qt::blue, true);
    SkinBrush b = a;
    QVERIFY(a == b);

    b.setCenter(QPointF(0.5 + 1e-13, 0.5));
    QVERIFY(a == b);
    b.setCenter(QPointF(0.5 + 1e-11, 0.5));
    QVERIFY(a != b);

    b = a;
    b.setOpacity(0.9999f);
    QVERIFY(a != b);
    b = a;
    b.setType(SkinBrushRadial);
    QVERIFY(a != b);
    b = a;
    b.stops().setLastColor(Qt::green);
    QVERIFY(a != b);
    b = a;
    b.setImageData("png");
    QVERIFY(a != b);
}

void TestSkinBrush::writeAttributes_data()
{
    QTest::addColumn<SkinBrush>("brush");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("texts"); // "Name=text" of the attributes worth checking

    QTest::newRow("default writes nothing") << SkinBrush() << QStringList() << QStringList();

    QTest::newRow("solid red") << SkinBrush(QColor(Qt::red)) << QStringList{"Color"} << QStringList{"Color=#ff0000"};

    SkinBrush halfRed(QColor(Qt::red));
    halfRed.setOpacity(0.5f);
    QTest::newRow("solid red, half opacity") << halfRed << QStringList{"Color", "Opacity"}
                                             << QStringList{"Opacity=0.5", "Color=#ff0000"};

    SkinBrush halfClear;
    halfClear.setOpacity(0.5f);
    QTest::newRow("transparent with opacity") << halfClear << QStringList{"Opacity"} << QStringList{"Opacity=0.5"};

    SkinBrush linear(Qt::red, Qt::blue, true);
    linear.setCenter(QPointF(0.1, 0.1));
    QTest::newRow("linear at default points, never Center")
        << linear << QStringList{"Colors", "Positions", "Type"}
        << QStringList{"Type=1", "Positions=0;1", "Colors=#ff0000;#0000ff"};

    SkinBrush moved(Qt::red, Qt::blue, true);
    moved.setFrom(QPointF(0.2, 0.5));
    QTest::newRow("linear with from moved") << moved << QStringList{"Colors", "From", "Positions", "Type"}
                                            << QStringList{"From=0.2,0.5"};
    QTest::newRow("vertical linear") << SkinBrush(Qt::red, Qt::blue, false)
                                     << QStringList{"Colors", "From", "Positions", "To", "Type"}
                                     << QStringList{"From=0.5,0", "To=0.5,1"};

    SkinBrush radial(SkinBrushRadial, SkinGradient(Qt::red));
    QTest::newRow("radial at default centre") << radial << QStringList{"Colors", "Positions", "Type"}
                                              << QStringList{"Type=2"};
    SkinBrush conical(SkinBrushConical, SkinGradient(Qt::red));
    conical.setCenter(QPointF(0.25, 0.5));
    conical.setFrom(QPointF(0.3, 0.3));
    QTest::newRow("conical with centre, never From") << conical
                                                     << QStringList{"Center", "Colors", "Positions", "Type"}
                                                     << QStringList{"Center=0.25,0.5", "Type=3"};

    QTest::newRow("transparent gradient writes no stops") << SkinBrush(SkinBrushLinear)
                                                          << QStringList{"Type"} << QStringList{"Type=1"};

    SkinGradient middle(Qt::transparent);
    middle.insert(1, 0.5f, Qt::red);
    QTest::newRow("gradient opaque in the middle is saved")
        << SkinBrush(SkinBrushLinear, middle) << QStringList{"Colors", "Positions", "Type"}
        << QStringList{"Positions=0;0.5;1", "Colors=#000000;#ff0000;#000000"};

    QTest::newRow("image") << imageBrush(QByteArray("\x00\xff\x10\x80", 4)) << QStringList{"Image", "Type"}
                           << QStringList{"Type=4", "Image=AP8QgA=="};
    QTest::newRow("image without bytes") << SkinBrush(SkinBrushImage) << QStringList{"Type"}
                                         << QStringList{"Type=4"};
}

void TestSkinBrush::writeAttributes()
{
    QFETCH(SkinBrush, brush);
    QFETCH(QStringList, names);
    QFETCH(QStringList, texts);

    const QDomElement element = written(brush);
    QCOMPARE(attributeNames(element), names);
    for (const QString &text : texts) {
        const QString name = text.section(QLatin1Char('='), 0, 0);
        QCOMPARE(element.attribute(name), text.section(QLatin1Char('='), 1));
    }
}

void TestSkinBrush::roundTrip_data()
{
    QTest::addColumn<SkinBrush>("brush");

    QTest::newRow("default") << SkinBrush();
    QTest::newRow("solid") << SkinBrush(QColor(12, 34, 56));
    SkinBrush faint(QColor(Qt::red));
    faint.setOpacity(0.25f);
    QTest::newRow("opacity") << faint;
    SkinBrush linear(Qt::red, Qt::blue, false);
    linear.stops().insert(1, 0.3f, Qt::green);
    linear.setFrom(QPointF(0.125, 0.75));
    QTest::newRow("linear") << linear;
    SkinBrush radial(SkinBrushRadial, SkinGradient(Qt::yellow));
    radial.setCenter(QPointF(0.25, 0.75));
    QTest::newRow("radial") << radial;
    QTest::newRow("conical") << SkinBrush(SkinBrushConical, SkinGradient(Qt::cyan));
    QTest::newRow("image") << imageBrush(pngBytes(fourColourImage()));
}

void TestSkinBrush::roundTrip()
{
    QFETCH(SkinBrush, brush);

    SkinBrush read(QColor(Qt::magenta));
    read.setImageData("old");
    read.read(written(brush));
    QCOMPARE(read, brush);
}

void TestSkinBrush::readRules()
{
    QDomElement element = m_document.createElement(QStringLiteral("Fill"));
    SkinBrush brush(Qt::red, Qt::blue, true);
    brush.read(element);
    QCOMPARE(brush, SkinBrush());

    // Stops are replaced only by matching, long enough lists.
    element.setAttribute("Type", "1");
    element.setAttribute("Positions", "0;0.5;1");
    element.setAttribute("Colors", "#ff0000;#0000ff");
    brush.read(element);
    QCOMPARE(brush.stops(), SkinGradient(Qt::transparent));
    element.setAttribute("Positions", "0.5");
    element.setAttribute("Colors", "#ff0000");
    brush.read(element);
    QCOMPARE(brush.stops(), SkinGradient(Qt::transparent));

    // What the file holds is stored unclamped.
    element.setAttribute("Type", "2");
    element.setAttribute("Center", "1.5,-2");
    element.setAttribute("Opacity", "3");
    brush.read(element);
    QCOMPARE(brush.center(), QPointF(1.5, -2));
    QCOMPARE(brush.opacity(), 3.0f);

    // A solid colour gives both stops that colour, alpha not stored.
    QDomElement solid = m_document.createElement(QStringLiteral("Fill"));
    solid.setAttribute("Color", "#00ff00");
    brush.read(solid);
    QCOMPARE(brush.stops(), SkinGradient(Qt::green));
    writeXmlColorAttribute(solid, "Color", QColor(255, 0, 0, 128));
    brush.read(solid);
    QCOMPARE(brush.stops().firstColor(), QColor(Qt::red));
}

void TestSkinBrush::controlPointsAndGradients()
{
    const SkinBrush brush(SkinBrushRadial, SkinGradient(Qt::red));
    const QRectF rect(0, 0, 100, 50);
    QCOMPARE(brush.controlPoints(QRectF(10, 20, 100, 50)),
             (QList<QPointF>{QPointF(60, 45), QPointF(10, 45), QPointF(110, 45)}));
    QVERIFY(brush.controlPoints(QRectF(0, 0, 0, 10)).isEmpty());

    const QRadialGradient radial = brush.radialGradient(rect);
    QCOMPARE(radial.center(), QPointF(50, 25));
    QCOMPARE(radial.focalPoint(), QPointF(50, 25));
    QCOMPARE(radial.radius(), 100.0);
    QCOMPARE(radial.stops().size(), 2);

    const QLinearGradient linear = brush.linearGradient(rect);
    QCOMPARE(linear.start(), QPointF(0, 25));
    QCOMPARE(linear.finalStop(), QPointF(100, 25));
    const QConicalGradient conical = brush.conicalGradient(rect);
    QCOMPARE(conical.center(), QPointF(50, 25));
    QCOMPARE(conical.angle(), 0.0);

    // An empty rectangle gives default gradients without stops.
    const QRectF flat(0, 0, 10, 0);
    QVERIFY(brush.linearGradient(flat) == QLinearGradient());
    QVERIFY(brush.radialGradient(flat) == QRadialGradient());
    QVERIFY(brush.conicalGradient(flat) == QConicalGradient());
    QCOMPARE(brush.textureBrush(rect).style(), Qt::NoBrush);
}

void TestSkinBrush::toBrushNormalisesRect()
{
    SkinBrush linear(Qt::red, Qt::blue, true);
    QCOMPARE(linear.toBrush(QRectF(0, 0, 0, 10)).style(), Qt::NoBrush);
    QCOMPARE(linear.toBrush(QRectF(0, 0, 10, -0.0)).style(), Qt::NoBrush);

    const QBrush turned = linear.toBrush(QRectF(10, 0, -10, 10));
    QCOMPARE(turned.style(), Qt::LinearGradientPattern);
    const auto *gradient = static_cast<const QLinearGradient *>(turned.gradient());
    QCOMPARE(gradient->start(), QPointF(0, 5));
    QCOMPARE(gradient->finalStop(), QPointF(10, 5));

    QCOMPARE(SkinBrush(QColor(Qt::red)).toBrush(QRectF(0, 0, 5, 5)).color(), QColor(Qt::red));
    QCOMPARE(SkinBrush(SkinBrushRadial).toBrush(QRectF(0, 0, 5, 5)).style(), Qt::RadialGradientPattern);
    QCOMPARE(SkinBrush(SkinBrushConical).toBrush(QRectF(0, 0, 5, 5)).style(), Qt::ConicalGradientPattern);
    QCOMPARE(imageBrush(pngBytes(fourColourImage())).toBrush(QRectF(0, 0, 5, 5)).style(), Qt::TexturePattern);
    QCOMPARE(SkinBrush(9).toBrush(QRectF(0, 0, 5, 5)).style(), Qt::NoBrush);

    // The opacity is never part of the QBrush.
    SkinBrush faint(QColor(Qt::red));
    faint.setOpacity(0.5f);
    QCOMPARE(faint.toBrush(QRectF(0, 0, 5, 5)).color().alpha(), 255);
}

void TestSkinBrush::outOfRangeStopsAreDropped()
{
    SkinGradient stops(Qt::red);
    stops.append(-0.5f, Qt::green);
    stops.append(1.5f, Qt::green);
    const SkinBrush brush(SkinBrushLinear, stops);
    const QGradientStops qtStops = brush.linearGradient(QRectF(0, 0, 10, 10)).stops();
    QCOMPARE(qtStops.size(), 2);
    QCOMPARE(qtStops.at(0).second, QColor(Qt::red));
}

void TestSkinBrush::rotateAndFlip()
{
    SkinBrush linear(SkinBrushLinear);
    linear.rotate(90);
    QVERIFY(qAbs(linear.from().x() - 0.5) < 1e-6 && qAbs(linear.from().y()) < 1e-6);
    QVERIFY(qAbs(linear.to().x() - 0.5) < 1e-6 && qAbs(linear.to().y() - 1) < 1e-6);

    SkinBrush still(SkinBrushLinear);
    still.rotate(0.0005f);
    QCOMPARE(still, SkinBrush(SkinBrushLinear));

    // Turning far enough pushes the ends out of the unit square: clamped.
    SkinBrush corner(SkinBrushLinear);
    corner.setFrom(QPointF(0, 0));
    corner.setTo(QPointF(1, 0));
    corner.rotate(45);
    QVERIFY(corner.from().y() >= 0 && corner.to().x() <= 1);

    SkinBrush radial(SkinBrushRadial);
    radial.setCenter(QPointF(0.2, 0.3));
    radial.rotate(90);
    QCOMPARE(radial.center(), QPointF(0.2, 0.3));

    radial.setFrom(QPointF(0.1, 0.4));
    radial.flipHorizontal();
    QCOMPARE(radial.center(), QPointF(0.8, 0.3));
    QCOMPARE(radial.from(), QPointF(0.9, 0.4));
    QCOMPARE(radial.to(), QPointF(0, 0.5));
    radial.flipVertical();
    QCOMPARE(radial.center(), QPointF(0.8, 0.7));
    QCOMPARE(radial.from(), QPointF(0.9, 0.6));
    QCOMPARE(radial.to(), QPointF(0, 0.5));
}

void TestSkinBrush::paintSolid()
{
    QImage image = canvas(40, 40);
    QPainter painter(&image);
    painter.setOpacity(0.3);
    SkinBrush(QColor(Qt::red)).fillRect(&painter, QRectF(10, 10, 20, 20));
    QCOMPARE(painter.opacity(), 1.0);

    SkinBrush faint(QColor(Qt::blue));
    faint.setOpacity(0.5f);
    faint.fillRect(&painter, QRectF(0, 32, 8, 8));
    SkinBrush(QColor(Qt::green)).fillEllipse(&painter, QRectF(30, 0, 10, 10));
    painter.end();

    QCOMPARE(image.pixel(15, 15), qRgb(255, 0, 0));
    QCOMPARE(image.pixel(29, 29), qRgb(255, 0, 0));
    QCOMPARE(image.pixel(30, 30), 0u);
    QCOMPARE(image.pixel(5, 5), 0u);
    QVERIFY(qAbs(qAlpha(image.pixel(4, 36)) - 128) <= 1);
    QCOMPARE(qBlue(image.pixel(4, 36)), 255);
    QCOMPARE(image.pixel(35, 5), qRgb(0, 255, 0));
    QCOMPARE(image.pixel(30, 0), 0u);
}

void TestSkinBrush::paintGradients()
{
    QImage image = canvas(100, 40);
    QPainter painter(&image);
    SkinBrush(Qt::red, Qt::blue, true).fillRect(&painter, QRectF(0, 0, 100, 10));
    SkinBrush(Qt::red, Qt::blue, false).fillRect(&painter, QRectF(0, 10, 100, 30));
    painter.end();

    QVERIFY(qRed(image.pixel(1, 5)) > 240 && qBlue(image.pixel(1, 5)) < 15);
    QVERIFY(qBlue(image.pixel(98, 5)) > 240 && qRed(image.pixel(98, 5)) < 15);
    QVERIFY(qRed(image.pixel(50, 11)) > 240);
    QVERIFY(qBlue(image.pixel(50, 38)) > 240);
}

void TestSkinBrush::paintPartlyTransparentGradient()
{
    SkinGradient stops(Qt::transparent);
    stops.insert(1, 0.5f, Qt::red);
    const SkinBrush brush(SkinBrushLinear, stops);

    QImage image = canvas(101, 4);
    QPainter painter(&image);
    brush.fillRect(&painter, QRectF(0, 0, 101, 4));
    painter.end();
    QVERIFY(qAlpha(image.pixel(50, 2)) > 240);
    QVERIFY(qAlpha(image.pixel(0, 2)) < 10);
}

void TestSkinBrush::paintImageStretched()
{
    const SkinBrush brush = imageBrush(pngBytes(fourColourImage()));
    QImage image = canvas(30, 30);
    QPainter painter(&image);
    painter.setOpacity(0.4);
    brush.fillRect(&painter, QRectF(0.4, 0.4, 20.2, 19.6)); // rounds to (0, 0, 20, 20)
    QCOMPARE(painter.opacity(), 1.0);
    QVERIFY(!painter.hasClipping());
    painter.end();

    QCOMPARE(image.pixel(5, 5), qRgb(255, 0, 0));
    QCOMPARE(image.pixel(15, 5), qRgb(0, 255, 0));
    QCOMPARE(image.pixel(5, 15), qRgb(0, 0, 255));
    QCOMPARE(image.pixel(15, 15), qRgb(255, 255, 255));
    QCOMPARE(image.pixel(25, 25), 0u);
}

void TestSkinBrush::paintImageKeepsCallersClip()
{
    const SkinBrush brush = imageBrush(pngBytes(fourColourImage()));
    QImage image = canvas(40, 40);
    QPainter painter(&image);
    painter.setClipRect(QRect(0, 0, 10, 40));
    brush.fillRect(&painter, QRectF(0, 0, 40, 40));
    QVERIFY(painter.hasClipping());
    QCOMPARE(painter.clipBoundingRect(), QRectF(0, 0, 10, 40));
    SkinBrush(QColor(Qt::green)).fillRect(&painter, QRectF(0, 0, 40, 40));
    painter.end();

    QCOMPARE(image.pixel(5, 5), qRgb(0, 255, 0));
    QCOMPARE(image.pixel(30, 30), 0u);
}

void TestSkinBrush::paintImageClippedToPath()
{
    QImage picture(8, 8, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    const SkinBrush brush = imageBrush(pngBytes(picture));

    QImage image = canvas(40, 40);
    QPainter painter(&image);
    QPainterPath ellipse;
    ellipse.addEllipse(QRectF(0, 0, 40, 40));
    brush.fillPath(&painter, ellipse);
    QVERIFY(!painter.hasClipping());
    brush.fillEllipse(&painter, QRectF(0, 0, 0, 0));
    painter.end();

    QCOMPARE(image.pixel(20, 20), qRgb(255, 0, 0));
    QCOMPARE(image.pixel(1, 1), 0u);
    QCOMPARE(image.pixel(38, 38), 0u);
}

void TestSkinBrush::strokes()
{
    QImage image = canvas(40, 40);
    QPainter painter(&image);
    painter.setBrush(Qt::yellow);
    const SkinBrush red(QColor(Qt::red));
    red.strokeRect(&painter, QRectF(5.5, 5.5, 10, 10));
    QCOMPARE(painter.brush().color(), QColor(Qt::yellow));
    QCOMPARE(painter.pen().widthF(), 1.0);
    // Straight lines still paint although their rectangle is flat.
    red.strokeLine(&painter, QPointF(0, 30.5), QPointF(40, 30.5));
    QPainterPath vertical;
    vertical.moveTo(35.5, 0);
    vertical.lineTo(35.5, 20);
    red.strokePath(&painter, vertical);
    painter.end();

    QCOMPARE(image.pixel(5, 10), qRgb(255, 0, 0));
    QCOMPARE(image.pixel(15, 10), qRgb(255, 0, 0));
    QCOMPARE(image.pixel(10, 10), 0u);
    QCOMPARE(image.pixel(20, 30), qRgb(255, 0, 0));
    QCOMPARE(image.pixel(35, 10), qRgb(255, 0, 0));
}

void TestSkinBrush::pictureIsDecodedOnceAndShared()
{
    SkinBrush a = imageBrush(pngBytes(fourColourImage()));
    const SkinBrush copy = a;
    const QImage first = a.picture();
    QCOMPARE(first.size(), QSize(2, 2));
    QCOMPARE(first.pixel(1, 0), qRgb(0, 255, 0));
    QCOMPARE(a.picture().cacheKey(), first.cacheKey());
    QCOMPARE(copy.picture().cacheKey(), first.cacheKey());

    // New bytes give a new picture; the copy keeps its own.
    QImage other(3, 1, QImage::Format_ARGB32);
    other.fill(Qt::blue);
    a.setImageData(pngBytes(other));
    QCOMPARE(a.picture().size(), QSize(3, 1));
    QCOMPARE(copy.picture().cacheKey(), first.cacheKey());

    SkinBrush encoded(SkinBrushImage);
    encoded.encodeImage(QPixmap::fromImage(other));
    QCOMPARE(encoded.picture().pixel(2, 0), qRgb(0, 0, 255));
    QVERIFY(encoded.imageData().startsWith("\x89PNG"));
}

void TestSkinBrush::undecodableImagePaintsNothing()
{
    const SkinBrush brush = imageBrush("definitely not a png");
    QVERIFY(brush.picture().isNull());
    QCOMPARE(brush.toBrush(QRectF(0, 0, 5, 5)).style(), Qt::NoBrush);
    QImage image = canvas(10, 10);
    QPainter painter(&image);
    brush.fillRect(&painter, QRectF(0, 0, 10, 10));
    painter.end();
    QCOMPARE(image, canvas(10, 10));
}

void TestSkinBrush::oversizedImageKeepsBytes()
{
    // 70 megapixels of a one-bit picture: a small file, a huge decode.
    QImage huge(70000, 1000, QImage::Format_Mono);
    huge.fill(1);
    const QByteArray bytes = pngBytes(huge);
    huge = QImage();
    QVERIFY(!bytes.isEmpty());

    const SkinBrush brush = imageBrush(bytes);
    QVERIFY(brush.picture().isNull());
    QImage image = canvas(10, 10);
    QPainter painter(&image);
    brush.fillRect(&painter, QRectF(0, 0, 10, 10));
    painter.end();
    QCOMPARE(image, canvas(10, 10));

    SkinBrush read;
    read.read(written(brush));
    QCOMPARE(read.imageData(), bytes);
    QCOMPARE(read, brush);
}

void TestSkinBrush::loadImageFile_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<float>("scale");
    QTest::addColumn<QSize>("expected");

    QTest::newRow("too low to shrink") << QSize(400, 200) << 0.5f << QSize(400, 200);
    QTest::newRow("halved") << QSize(400, 300) << 0.5f << QSize(200, 150);
    QTest::newRow("scale raised to 0.1") << QSize(400, 300) << 0.05f << QSize(40, 30);
    QTest::newRow("scale 1 keeps") << QSize(400, 300) << 1.0f << QSize(400, 300);
    QTest::newRow("scale above 1 keeps") << QSize(300, 300) << 2.0f << QSize(300, 300);
    QTest::newRow("truncated") << QSize(301, 333) << 0.5f << QSize(150, 166);
}

void TestSkinBrush::loadImageFile()
{
    QFETCH(QSize, size);
    QFETCH(float, scale);
    QFETCH(QSize, expected);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    const QString fileName = dir.filePath(QStringLiteral("picture.png"));
    QVERIFY(picture.save(fileName));

    SkinBrush brush(SkinBrushImage);
    brush.loadImageFile(fileName, scale);
    QVERIFY(brush.imageData().startsWith("\x89PNG"));
    QCOMPARE(brush.picture().size(), expected);
    QCOMPARE(brush.picture().pixel(expected.width() / 2, expected.height() / 2), QColor(Qt::darkGreen).rgb());
}

void TestSkinBrush::loadImageFileFailureLeavesNoImage()
{
    QTemporaryDir dir;
    QFile text(dir.filePath(QStringLiteral("notes.png")));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("just text");
    text.close();

    SkinBrush brush = imageBrush(pngBytes(fourColourImage()));
    brush.loadImageFile(text.fileName(), 1.0f);
    QVERIFY(brush.imageData().isEmpty());
    QVERIFY(brush.picture().isNull());

    brush = imageBrush(pngBytes(fourColourImage()));
    brush.loadImageFile(dir.filePath(QStringLiteral("missing.png")), 1.0f);
    QVERIFY(brush.imageData().isEmpty());
}

void TestSkinBrush::blurSinglePixel()
{
    QImage image = canvas(7, 7);
    image.setPixel(3, 3, qRgba(255, 255, 255, 255));
    const std::unique_ptr<QImage> blurred(blurImageOnce(image));

    QCOMPARE(blurred->format(), QImage::Format_ARGB32);
    QCOMPARE(blurred->size(), image.size());
    QCOMPARE(qAlpha(blurred->pixel(3, 3)), 66);
    QCOMPARE(qRed(blurred->pixel(3, 3)), 66);
    for (const QPoint &p : {QPoint(2, 3), QPoint(4, 3), QPoint(3, 2), QPoint(3, 4)})
        QCOMPARE(qAlpha(blurred->pixel(p)), 28);
    for (const QPoint &p : {QPoint(2, 2), QPoint(4, 2), QPoint(2, 4), QPoint(4, 4)})
        QCOMPARE(qAlpha(blurred->pixel(p)), 9);
    QCOMPARE(qAlpha(blurred->pixel(1, 3)), 9);
    QCOMPARE(blurred->pixel(1, 1), 0u);
    QCOMPARE(blurred->pixel(0, 0), 0u);
    // The source is left alone.
    QCOMPARE(image.pixel(3, 3), qRgba(255, 255, 255, 255));
}

void TestSkinBrush::blurMatchesDefinition_data()
{
    QTest::addColumn<QImage>("image");

    const QList<QSize> sizes{QSize(1, 1), QSize(1, 6), QSize(6, 1), QSize(2, 3), QSize(5, 5), QSize(13, 9)};
    const QList<QPair<QImage::Format, const char *>> formats{
        {QImage::Format_ARGB32, "ARGB32"},
        {QImage::Format_RGB32, "RGB32"},
        {QImage::Format_ARGB32_Premultiplied, "ARGB32 premultiplied"},
        {QImage::Format_RGB16, "RGB16"},
        {QImage::Format_RGBA8888, "RGBA8888"},
        {QImage::Format_Grayscale8, "Grayscale8"}};
    quint32 seed = 1;
    for (const auto &format : formats) {
        for (const QSize &size : sizes) {
            const QByteArray name = QByteArray(format.second) + ' ' + QByteArray::number(size.width()) + 'x'
                + QByteArray::number(size.height());
            QTest::newRow(name.constData()) << randomImage(size.width(), size.height(), format.first, seed++);
        }
    }
}

void TestSkinBrush::blurMatchesDefinition()
{
    QFETCH(QImage, image);

    const std::unique_ptr<QImage> fast(blurImageOnce(image));
    const QImage reference = referenceBlurOnce(image);
    QCOMPARE(fast->format(), reference.format());
    QCOMPARE(*fast, reference);

    const std::unique_ptr<QImage> three(blurImage(image, 3));
    QCOMPARE(*three, referenceBlurOnce(referenceBlurOnce(reference)));
}

void TestSkinBrush::blurIndexedImage()
{
    QImage indexed(6, 4, QImage::Format_Indexed8);
    indexed.setColorTable({qRgba(0, 0, 0, 0), qRgba(255, 0, 0, 255), qRgba(0, 0, 255, 128)});
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            indexed.setPixel(x, y, uint((x + y) % 3));

    const std::unique_ptr<QImage> blurred(blurImageOnce(indexed));
    QCOMPARE(blurred->format(), QImage::Format_ARGB32);
    QCOMPARE(*blurred, referenceBlurOnce(indexed.convertToFormat(QImage::Format_ARGB32)));
}

void TestSkinBrush::blurPasses()
{
    const QImage image = randomImage(9, 7, QImage::Format_ARGB32, 99);
    for (int passes : {0, -3}) {
        const std::unique_ptr<QImage> copy(blurImage(image, passes));
        QCOMPARE(*copy, image);
    }
    const std::unique_ptr<QImage> none(blurImageOnce(QImage()));
    QVERIFY(none->isNull());
    const std::unique_ptr<QImage> empty(blurImage(QImage(), 4));
    QVERIFY(empty->isNull());
}

void TestSkinBrush::blurPassesAreCapped()
{
    // A hard edge between white and black keeps moving with every pass.
    QImage image(160, 2, QImage::Format_ARGB32);
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            image.setPixel(x, y, x < 80 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));

    const std::unique_ptr<QImage> capped(blurImage(image, MaxBlurPasses));
    const std::unique_ptr<QImage> oneLess(blurImage(image, MaxBlurPasses - 1));
    const std::unique_ptr<QImage> huge(blurImage(image, 1000000));
    QVERIFY(*capped != *oneLess);
    QCOMPARE(*huge, *capped);
}

QTEST_MAIN(TestSkinBrush)
#include "tst_skinbrush.moc"
