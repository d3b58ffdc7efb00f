#include "model/xmlattributes.h"

#include <QDomDocument>
#include <QLocale>
#include <QStandardPaths>
#include <QtTest>

#include <limits>

class TestXmlAttributes : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup();

    void floatForm_data();
    void floatForm();
    void floatWriterIgnoresLocale();
    void floatReader_data();
    void floatReader();
    void intReader_data();
    void intReader();
    void boolReader_data();
    void boolReader();

    void pairsAndRectanglesWrite();
    void pairsAndRectanglesRead_data();
    void pairsAndRectanglesRead();
    void realPairsReadAtSinglePrecision();

    void colorWritesNoAlpha();
    void colorReader_data();
    void colorReader();

    void fontWrite_data();
    void fontWrite();
    void fontRead_data();
    void fontRead();

    void bytesRoundTrip_data();
    void bytesRoundTrip();

    void listsWrite();
    void listsRead();
    void pointAndRectListsSkipMalformedItems();

    void writerReplacesAndReturnsAttribute();
    void nullElementIsHarmless();
    void appendXmlElementAppendsLastChild();

    void parseColorText_data();
    void parseColorText();

private:
    QDomElement elementWith(const QString &name, const QString &text);

    QDomDocument m_document;
    QDomElement m_element;
};

void TestXmlAttributes::init()
{
    m_document = QDomDocument();
    m_element = m_document.createElement(QStringLiteral("Test"));
    m_document.appendChild(m_element);
}

void TestXmlAttributes::cleanup()
{
    QLocale::setDefault(QLocale::c());
}

QDomElement TestXmlAttributes::elementWith(const QString &name, const QString &text)
{
    m_element.setAttribute(name, text);
    return m_element;
}

void TestXmlAttributes::floatForm_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<float>("readBack");

    QTest::newRow("integer") << 842.0f << "842" << 842.0f;
    QTest::newRow("half") << 0.5f << "0.5" << 0.5f;
    QTest::newRow("single 0.1") << 0.1f << "0.1" << 0.1f;
    QTest::newRow("negative") << -3.25f << "-3.25" << -3.25f;
    QTest::newRow("zero") << 0.0f << "0" << 0.0f;
    QTest::newRow("rounded to 6 digits") << 1234567.0f << "1.23457e+06" << 1234570.0f;
    QTest::newRow("million") << 1000000.0f << "1e+06" << 1000000.0f;
    QTest::newRow("below 1e6 stays fixed") << 123456.0f << "123456" << 123456.0f;
    QTest::newRow("small") << 0.00001f << "1e-05" << 0.00001f;
    QTest::newRow("small mantissa") << 0.000015f << "1.5e-05" << 0.000015f;
    QTest::newRow("1e-4 stays fixed") << 0.0001f << "0.0001" << 0.0001f;
}

void TestXmlAttributes::floatForm()
{
    QFETCH(float, value);
    QFETCH(QString, text);
    QFETCH(float, readBack);

    const QDomAttr attribute = writeXmlFloatAttribute(m_element, QStringLiteral("V"), value);
    QCOMPARE(attribute.value(), text);
    QCOMPARE(m_element.attribute(QStringLiteral("V")), text);
    QCOMPARE(readXmlFloatAttribute(m_element, QStringLiteral("V"), 99.0f), readBack);
}

void TestXmlAttributes::floatWriterIgnoresLocale()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    writeXmlFloatAttribute(m_element, QStringLiteral("F"), 1234.5f);
    writeXmlPointFAttribute(m_element, QStringLiteral("P"), QPointF(0.5, 2.25));
    QCOMPARE(m_element.attribute(QStringLiteral("F")), QStringLiteral("1234.5"));
    QCOMPARE(m_element.attribute(QStringLiteral("P")), QStringLiteral("0.5,2.25"));
    QCOMPARE(readXmlFloatAttribute(m_element, QStringLiteral("F")), 1234.5f);
}

void TestXmlAttributes::floatReader_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<float>("expected");

    QTest::newRow("missing gives default") << QString() << 7.0f;
    QTest::newRow("empty gives default") << "" << 7.0f;
    QTest::newRow("not a number gives 0") << "abc" << 0.0f;
    QTest::newRow("nan counts as not a number") << "nan" << 0.0f;
    QTest::newRow("inf counts as not a number") << "inf" << 0.0f;
    QTest::newRow("-inf counts as not a number") << "-inf" << 0.0f;
    QTest::newRow("float overflow") << "1e39" << 0.0f;
    QTest::newRow("exponent form") << "1.5e-05" << 1.5e-05f;
}

void TestXmlAttributes::floatReader()
{
    QFETCH(QString, text);
    QFETCH(float, expected);

    if (!text.isNull())
        m_element.setAttribute(QStringLiteral("V"), text);
    QCOMPARE(readXmlFloatAttribute(m_element, QStringLiteral("V"), 7.0f), expected);
}

void TestXmlAttributes::intReader_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");

    QTest::newRow("missing") << QString() << 7;
    QTest::newRow("empty") << "" << 7;
    QTest::newRow("negative") << "-3" << -3;
    QTest::newRow("not a number gives 0, not the default") << "abc" << 0;
    QTest::newRow("real text is not an int") << "2.5" << 0;
}

void TestXmlAttributes::intReader()
{
    QFETCH(QString, text);
    QFETCH(int, expected);

    if (!text.isNull())
        m_element.setAttribute(QStringLiteral("V"), text);
    QCOMPARE(readXmlIntAttribute(m_element, QStringLiteral("V"), 7), expected);
}

void TestXmlAttributes::boolReader_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("expected");

    QTest::newRow("missing gives default") << QString() << true;
    QTest::newRow("empty gives default") << "" << true;
    QTest::newRow("1") << "1" << true;
    QTest::newRow("0") << "0" << false;
    QTest::newRow("2") << "2" << false;
    QTest::newRow("true is not 1") << "true" << false;
}

void TestXmlAttributes::boolReader()
{
    QFETCH(QString, text);
    QFETCH(bool, expected);

    if (!text.isNull())
        m_element.setAttribute(QStringLiteral("V"), text);
    QCOMPARE(readXmlBoolAttribute(m_element, QStringLiteral("V"), true), expected);
}

void TestXmlAttributes::pairsAndRectanglesWrite()
{
    writeXmlBoolAttribute(m_element, QStringLiteral("B"), true);
    writeXmlIntAttribute(m_element, QStringLiteral("I"), -3);
    writeXmlPointFAttribute(m_element, QStringLiteral("PF"), QPointF(12.5, 300));
    writeXmlPointAttribute(m_element, QStringLiteral("P"), QPoint(-4, 9));
    writeXmlSizeFAttribute(m_element, QStringLiteral("SF"), QSizeF(842, 595));
    writeXmlSizeAttribute(m_element, QStringLiteral("S"), QSize(16, 32));
    writeXmlRectAttribute(m_element, QStringLiteral("R"), QRect(10, 20, 100, 50));
    writeXmlRectFAttribute(m_element, QStringLiteral("RF"), QRectF(0.5, -1, 2e6, 0.25));

    QCOMPARE(m_element.attribute("B"), QStringLiteral("1"));
    QCOMPARE(m_element.attribute("I"), QStringLiteral("-3"));
    QCOMPARE(m_element.attribute("PF"), QStringLiteral("12.5,300"));
    QCOMPARE(m_element.attribute("P"), QStringLiteral("-4,9"));
    QCOMPARE(m_element.attribute("SF"), QStringLiteral("842,595"));
    QCOMPARE(m_element.attribute("S"), QStringLiteral("16,32"));
    QCOMPARE(m_element.attribute("R"), QStringLiteral("10,20,100,50"));
    QCOMPARE(m_element.attribute("RF"), QStringLiteral("0.5,-1,2e+06,0.25"));

    QCOMPARE(readXmlPointFAttribute(m_element, "PF"), QPointF(12.5, 300));
    QCOMPARE(readXmlPointAttribute(m_element, "P"), QPoint(-4, 9));
    QCOMPARE(readXmlSizeFAttribute(m_element, "SF"), QSizeF(842, 595));
    QCOMPARE(readXmlSizeAttribute(m_element, "S"), QSize(16, 32));
    QCOMPARE(readXmlRectAttribute(m_element, "R"), QRect(10, 20, 100, 50));
    QCOMPARE(readXmlRectFAttribute(m_element, "RF"), QRectF(0.5, -1, 2e6, 0.25));
}

void TestXmlAttributes::pairsAndRectanglesRead_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QPointF>("pointF");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<QRectF>("rectF");

    const QPointF dpf(-1, -1);
    const QPoint dp(-1, -1);
    const QRect dr(-1, -1, 5, 5);
    const QRectF drf(-1, -1, 5, 5);

    QTest::newRow("empty") << "" << dpf << dp << dr << drf;
    QTest::newRow("one field") << "1" << dpf << dp << dr << drf;
    QTest::newRow("pair with empty second field") << "1," << QPointF(1, 0) << QPoint(1, 0) << dr << drf;
    QTest::newRow("three fields") << "1,2,3" << dpf << dp << dr << drf;
    QTest::newRow("four fields") << "1,2,3,4" << dpf << dp << QRect(1, 2, 3, 4) << QRectF(1, 2, 3, 4);
    QTest::newRow("bad numbers become 0") << "x,2,nan,4" << dpf << dp << QRect(0, 2, 0, 4)
                                          << QRectF(0, 2, 0, 4);
    QTest::newRow("not finite inside a pair") << "inf,2" << QPointF(0, 2) << QPoint(0, 2) << dr << drf;
    QTest::newRow("five fields") << "1,2,3,4,5" << dpf << dp << dr << drf;
    QTest::newRow("size past the int range is clipped")
        << "2000000000,0,2000000000,1" << dpf << dp
        << QRect(QPoint(2000000000, 0), QPoint(std::numeric_limits<int>::max(), 0))
        << QRectF(2e9, 0, 2e9, 1);
}

void TestXmlAttributes::pairsAndRectanglesRead()
{
    QFETCH(QString, text);
    QFETCH(QPointF, pointF);
    QFETCH(QPoint, point);
    QFETCH(QRect, rect);
    QFETCH(QRectF, rectF);

    const QDomElement e = elementWith(QStringLiteral("V"), text);
    QCOMPARE(readXmlPointFAttribute(e, "V", QPointF(-1, -1)), pointF);
    QCOMPARE(readXmlSizeFAttribute(e, "V", QSizeF(-1, -1)), QSizeF(pointF.x(), pointF.y()));
    QCOMPARE(readXmlPointAttribute(e, "V", QPoint(-1, -1)), point);
    QCOMPARE(readXmlSizeAttribute(e, "V", QSize(-1, -1)), QSize(point.x(), point.y()));
    QCOMPARE(readXmlRectAttribute(e, "V", QRect(-1, -1, 5, 5)), rect);
    QCOMPARE(readXmlRectFAttribute(e, "V", QRectF(-1, -1, 5, 5)), rectF);
}

void TestXmlAttributes::realPairsReadAtSinglePrecision()
{
    const QDomElement e = elementWith(QStringLiteral("V"), QStringLiteral("0.1,0.3"));
    const QPointF p = readXmlPointFAttribute(e, "V");
    QCOMPARE(p.x(), double(0.1f));
    QCOMPARE(p.y(), double(0.3f));
    QVERIFY(p.x() != 0.1);
}

void TestXmlAttributes::colorWritesNoAlpha()
{
    writeXmlColorAttribute(m_element, QStringLiteral("C"), QColor(255, 0, 0, 128));
    QCOMPARE(m_element.attribute("C"), QStringLiteral("#ff0000"));
    QCOMPARE(readXmlColorAttribute(m_element, "C"), QColor(255, 0, 0));

    writeXmlColorAttribute(m_element, QStringLiteral("C"), QColor(255, 128, 0));
    QCOMPARE(m_element.attribute("C"), QStringLiteral("#ff8000"));
}

void TestXmlAttributes::colorReader_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("expected");

    QTest::newRow("missing gives default") << QString() << QColor(Qt::green);
    QTest::newRow("empty gives default") << "" << QColor(Qt::green);
    QTest::newRow("hex") << "#0000ff" << QColor(Qt::blue);
    QTest::newRow("keyword") << "red" << QColor(Qt::red);
    QTest::newRow("hex with alpha") << "#80ff0000" << QColor(255, 0, 0, 128);
    // An invalid colour would be saved as "#000000".
    QTest::newRow("unknown name is black, as it is saved") << "nocolour" << QColor(Qt::black);
}

void TestXmlAttributes::colorReader()
{
    QFETCH(QString, text);
    QFETCH(QColor, expected);

    if (!text.isNull())
        m_element.setAttribute(QStringLiteral("C"), text);
    const QColor color = readXmlColorAttribute(m_element, "C", Qt::green);
    QCOMPARE(color.isValid(), expected.isValid());
    if (expected.isValid())
        QCOMPARE(color.rgba(), expected.rgba());
}

void TestXmlAttributes::fontWrite_data()
{
    QTest::addColumn<QFont>("font");
    QTest::addColumn<QString>("text");

    QFont plain(QStringLiteral("Arial"));
    plain.setPixelSize(24);
    QTest::newRow("plain") << plain << "Arial,24";

    QFont boldItalic = plain;
    boldItalic.setBold(true);
    boldItalic.setItalic(true);
    QTest::newRow("bold italic") << boldItalic << "Arial,24,3";

    QFont oblique = plain;
    oblique.setStyle(QFont::StyleOblique);
    QTest::newRow("oblique counts as italic") << oblique << "Arial,24,2";

    QFont demiBold = plain;
    demiBold.setWeight(QFont::DemiBold);
    QTest::newRow("any weight above normal is bold") << demiBold << "Arial,24,1";

    QFont lines = plain;
    lines.setUnderline(true);
    lines.setStrikeOut(true);
    QTest::newRow("underline and strike-out") << lines << "Arial,24,12";

    QFont points(QStringLiteral("Arial"));
    points.setPointSize(12);
    QTest::newRow("point-sized") << points << "Arial,-1";
}

void TestXmlAttributes::fontWrite()
{
    QFETCH(QFont, font);
    QFETCH(QString, text);

    writeXmlFontAttribute(m_element, QStringLiteral("Font"), font);
    QCOMPARE(m_element.attribute("Font"), text);
}

void TestXmlAttributes::fontRead_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("defaultBold");
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("pixelSize");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<bool>("strikeOut");

    // The default font is "Serif" at 10 pixels.
    QTest::newRow("missing") << QString() << false << "Serif" << 10 << false << false << false << false;
    QTest::newRow("all flags") << "Arial,24,15" << false << "Arial" << 24 << true << true << true << true;
    QTest::newRow("italic only") << "Arial,24,2" << false << "Arial" << 24 << false << true << false << false;
    QTest::newRow("flags only switch on") << "Arial,24" << true << "Arial" << 24 << true << false << false << false;
    QTest::newRow("point-sized keeps default size") << "Arial,-1" << false << "Arial" << 10 << false << false
                                                    << false << false;
    QTest::newRow("family only") << "Courier" << false << "Courier" << 10 << false << false << false << false;
    // "B" is taken for the size (ignored) and 24 for the flags (8 + 16).
    QTest::newRow("comma in family does not read back") << "A,B,24" << false << "A" << 10 << false << false
                                                        << false << true;
}

void TestXmlAttributes::fontRead()
{
    QFETCH(QString, text);
    QFETCH(bool, defaultBold);
    QFETCH(QString, family);
    QFETCH(int, pixelSize);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(bool, underline);
    QFETCH(bool, strikeOut);

    QFont defaultFont(QStringLiteral("Serif"));
    defaultFont.setPixelSize(10);
    defaultFont.setBold(defaultBold);
    if (!text.isNull())
        m_element.setAttribute(QStringLiteral("Font"), text);

    const QFont font = readXmlFontAttribute(m_element, "Font", defaultFont);
    QCOMPARE(font.family(), family);
    QCOMPARE(font.pixelSize(), pixelSize);
    QCOMPARE(font.bold(), bold);
    QCOMPARE(font.italic(), italic);
    QCOMPARE(font.underline(), underline);
    QCOMPARE(font.strikeOut(), strikeOut);
}

void TestXmlAttributes::bytesRoundTrip_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << QByteArray() << "";
    QTest::newRow("padded") << QByteArray("\x00\xff\x10\x80", 4) << "AP8QgA==";
    QByteArray big(3000, 'x');
    QTest::newRow("long, no line breaks") << big << QString::fromLatin1(big.toBase64());
}

void TestXmlAttributes::bytesRoundTrip()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);

    writeXmlBytesAttribute(m_element, QStringLiteral("Image"), bytes);
    QVERIFY(m_element.hasAttribute("Image"));
    QCOMPARE(m_element.attribute("Image"), text);
    QVERIFY(!text.contains(QLatin1Char('\n')));
    QCOMPARE(readXmlBytesAttribute(m_element, "Image"), bytes);
}

void TestXmlAttributes::listsWrite()
{
    writeXmlIntListAttribute(m_element, "I", {1, -2, 30});
    writeXmlFloatListAttribute(m_element, "F", {0.0f, 0.5f, 1.0f});
    writeXmlBoolListAttribute(m_element, "B", {true, false, true});
    writeXmlColorListAttribute(m_element, "C", {QColor(Qt::red), QColor(0, 0, 255, 0)});
    writeXmlPointFListAttribute(m_element, "P", {QPointF(1, 2), QPointF(3.5, 4)});
    writeXmlRectListAttribute(m_element, "R", {QRect(1, 2, 3, 4), QRect(-5, 6, 7, 8)});
    writeXmlIntListAttribute(m_element, "Empty", {});

    QCOMPARE(m_element.attribute("I"), QStringLiteral("1;-2;30"));
    QCOMPARE(m_element.attribute("F"), QStringLiteral("0;0.5;1"));
    QCOMPARE(m_element.attribute("B"), QStringLiteral("1;0;1"));
    QCOMPARE(m_element.attribute("C"), QStringLiteral("#ff0000;#0000ff"));
    QCOMPARE(m_element.attribute("P"), QStringLiteral("1,2;3.5,4"));
    QCOMPARE(m_element.attribute("R"), QStringLiteral("1,2,3,4;-5,6,7,8"));
    // An empty list is still written, with an empty text.
    QVERIFY(m_element.hasAttribute("Empty"));
    QCOMPARE(m_element.attribute("Empty"), QString());
    QVERIFY(readXmlIntListAttribute(m_element, "Empty").isEmpty());
}

void TestXmlAttributes::listsRead()
{
    m_element.setAttribute("I", "1;;x;-4");
    m_element.setAttribute("F", "1;;2;nan;inf");
    m_element.setAttribute("B", "1;0;2;true;");
    m_element.setAttribute("C", "#ff0000;;bogus;blue");

    QCOMPARE(readXmlIntListAttribute(m_element, "I"), (QList<int>{1, 0, 0, -4}));
    QCOMPARE(readXmlFloatListAttribute(m_element, "F"), (QList<float>{1, 0, 2, 0, 0}));
    QCOMPARE(readXmlBoolListAttribute(m_element, "B"), (QList<bool>{true, false, false, false, false}));
    const QList<QColor> colors = readXmlColorListAttribute(m_element, "C");
    QCOMPARE(colors.size(), 4);
    QCOMPARE(colors.at(0), QColor(Qt::red));
    QCOMPARE(colors.at(1), QColor(Qt::black));
    QCOMPARE(colors.at(2), QColor(Qt::black));
    QCOMPARE(colors.at(3), QColor(Qt::blue));

    QVERIFY(readXmlFloatListAttribute(m_element, "Missing").isEmpty());
    QVERIFY(readXmlColorListAttribute(m_element, "Missing").isEmpty());
}

void TestXmlAttributes::pointAndRectListsSkipMalformedItems()
{
    m_element.setAttribute("P", "1,2;3;4,5;6,7,8;,");
    m_element.setAttribute("R", "1,2,3,4;5,6;a,7,8,9");

    QCOMPARE(readXmlPointFListAttribute(m_element, "P"),
             (QList<QPointF>{QPointF(1, 2), QPointF(4, 5), QPointF(0, 0)}));
    QCOMPARE(readXmlRectListAttribute(m_element, "R"), (QList<QRect>{QRect(1, 2, 3, 4), QRect(0, 7, 8, 9)}));
    QVERIFY(readXmlPointFListAttribute(m_element, "Missing").isEmpty());
    QVERIFY(readXmlRectListAttribute(m_element, "Missing").isEmpty());
}

void TestXmlAttributes::writerReplacesAndReturnsAttribute()
{
    writeXmlIntAttribute(m_element, "A", 1);
    writeXmlAttribute(m_element, "A", "x");
    const QDomAttr attribute = writeXmlIntAttribute(m_element, "A", 2);
    QCOMPARE(attribute.name(), QStringLiteral("A"));
    QCOMPARE(attribute.value(), QStringLiteral("2"));
    QCOMPARE(m_element.attributes().count(), 1);
    QCOMPARE(m_element.attribute("A"), QStringLiteral("2"));
    QCOMPARE(readXmlAttribute(m_element, "A"), QStringLiteral("2"));
    QCOMPARE(readXmlAttribute(m_element, "Missing", "fallback"), QStringLiteral("fallback"));
    QVERIFY(!m_document.toString().contains(QStringLiteral("A=\"1\"")));
}

void TestXmlAttributes::nullElementIsHarmless()
{
    QDomElement null;
    QVERIFY(writeXmlAttribute(null, "A", "x").isNull());
    QVERIFY(writeXmlFloatAttribute(null, "A", 1.0f).isNull());
    QVERIFY(appendXmlElement(null, "Child").isNull());
    QCOMPARE(readXmlIntAttribute(null, "A", 5), 5);
    QCOMPARE(readXmlPointFAttribute(null, "A", QPointF(1, 2)), QPointF(1, 2));
    QVERIFY(readXmlBytesAttribute(null, "A").isEmpty());
}

void TestXmlAttributes::appendXmlElementAppendsLastChild()
{
    appendXmlElement(m_element, "First");
    QDomElement child = appendXmlElement(m_element, "Fill");
    QCOMPARE(child.tagName(), QStringLiteral("Fill"));
    QCOMPARE(child.ownerDocument(), m_document);
    QCOMPARE(m_element.lastChild().toElement(), child);
    QCOMPARE(m_element.childNodes().count(), 2);
}

void TestXmlAttributes::parseColorText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QColor>("expected");

    const QColor transparent(Qt::transparent);
    QTest::newRow("empty is transparent") << "" << true << transparent;
    QTest::newRow("keyword") << "red" << true << QColor(Qt::red);
    QTest::newRow("keyword transparent") << "transparent" << true << transparent;
    QTest::newRow("hex") << "#ff8000" << true << QColor(255, 128, 0);
    QTest::newRow("hex with alpha") << "#80ff0000" << true << QColor(255, 0, 0, 128);
    QTest::newRow("rgb") << "255,0,0" << true << QColor(255, 0, 0);
    QTest::newRow("argb") << "128,255,0,0" << true << QColor(255, 0, 0, 128);
    QTest::newRow("fields past the fourth ignored") << "128,255,0,0,77" << true << QColor(255, 0, 0, 128);
    QTest::newRow("negative raised to 0") << "-5,10,20" << true << QColor(0, 10, 20);
    QTest::newRow("two fields fail") << "12,34" << false << transparent;
    QTest::newRow("bad number fails") << "10,x,20" << false << transparent;
    QTest::newRow("empty field fails") << "10,,20" << false << transparent;
    QTest::newRow("component above 255 fails") << "256,0,0" << false << transparent;
    QTest::newRow("alpha above 255 fails") << "300,0,0,0" << false << transparent;
    QTest::newRow("unknown word") << "bluish" << false << transparent;
    QTest::newRow("bad hex") << "#zz000000" << false << transparent;
    QTest::newRow("short hex") << "#12" << false << transparent;
}

void TestXmlAttributes::parseColorText()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(QColor, expected);

    bool parsed = !ok;
    const QColor color = ::parseColorText(text, &parsed);
    QCOMPARE(parsed, ok);
    QVERIFY(color.isValid());
    QCOMPARE(color.rgba(), expected.rgba());
    // A null ok pointer is allowed.
    QCOMPARE(::parseColorText(text, nullptr).rgba(), expected.rgba());
}

QTEST_MAIN(TestXmlAttributes)
#include "tst_xmlattributes.moc"
