// Files, clipboard texts and archives made to break the readers and
// writers: numbers far beyond the page, values that change from one save to
// the next, placeholders inside values, and archive names that collide.
// Each input here once broke the program (undefined behaviour under the
// sanitizers, or a second save that differs from the first).
#include "fuzz/roundtrip.h"
#include "support/documents.h"
#include "support/pixels.h"
#include "support/shapes.h"

#include "model/coordinates.h"
#include "model/filearchive.h"
#include "model/xmlattributes.h"

#include <QDir>
#include <QPainter>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <limits>

namespace {

const int IntMax = std::numeric_limits<int>::max();
const int IntMin = std::numeric_limits<int>::min();
const qreal Limit = MaxDocumentCoordinate;

// A document file holding the given Document attributes and children.
QByteArray documentText(const QString &children, const QString &attributes = QString())
{
    return (QStringLiteral("<Storyloom>\n    <Document") + attributes + QStringLiteral(">\n") + children
            + QStringLiteral("\n    </Document>\n</Storyloom>\n"))
        .toUtf8();
}

QByteArray layerText(const QString &shapes)
{
    return documentText(QStringLiteral("<Layer Name=\"L\">") + shapes + QStringLiteral("</Layer>"));
}

const QString PictureBase64 = QString::fromLatin1(pngBytes(QImage(4, 3, QImage::Format_ARGB32)).toBase64());

// An archive file put together by hand: the compressed payload with the
// given header and contents.
QByteArray archiveBytes(const QByteArray &header, const QByteArray &contents)
{
    return qCompress(QByteArray::number(header.size()).rightJustified(12, '0') + header + contents);
}

QStringList filesBelow(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
}

QImage paintedWith(SketchDocument &document)
{
    QImage image(200, 150, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    document.paint(&painter, true);
    return image;
}

} // namespace

class TestHostileInput : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    // Numbers far beyond the page.
    void coordinatesReadStayInRange();
    void slicesReadStayInRange_data();
    void slicesReadStayInRange();
    void rectangleCodecNeverOverflows_data();
    void rectangleCodecNeverOverflows();
    void farShapesPaintAndExport_data();
    void farShapesPaintAndExport();
    void selectionOffThePageExportsNothing();

    // Values that change across saves.
    void oneSaveIsFinal_data();
    void oneSaveIsFinal();
    void colourThatDoesNotParseReadsAsItIsSaved();
    void generatedDocumentsSaveOnce();

    // Placeholders inside values.
    void fontFamilyKeepsItsPlaceholders();
    void archiveNameKeepsItsPlaceholders();

    // Archive names.
    void archiveNamesThatCollideAreRefused_data();
    void archiveNamesThatCollideAreRefused();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    std::unique_ptr<SketchDocument> load(const QByteArray &text) { return roundTripLoad(text, path("in.slf")); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestHostileInput::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestHostileInput::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

// --- Numbers far beyond the page ---------------------------------------------

void TestHostileInput::coordinatesReadStayInRange()
{
    const auto document = load(documentText(
        QStringLiteral("<Layer Name=\"L\"><Shape RotatePoint=\"1e30,-1e30\" InnerPosition=\"3e9,-3e9\""
                       " Points=\"3000000000,-3000000000;nan,inf;12.5,-7\"/></Layer>"),
        QStringLiteral(" PaperSize=\"2147483647,-2147483648\"")));
    QVERIFY(document);
    QCOMPARE(document->paperSize(), QSize(int(Limit), -int(Limit)));
    const SketchShape *shape = document->layers().first()->shapes().first();
    QCOMPARE(pointsOf(shape), (QList<QPointF>{{Limit, -Limit}, {0, 0}, {12.5, -7}}));
    QCOMPARE(shape->rotatePoint(), QPointF(Limit, -Limit));
    QCOMPARE(shape->innerPosition(), QPointF(Limit, -Limit));
}

void TestHostileInput::slicesReadStayInRange_data()
{
    QTest::addColumn<QString>("rect");
    QTest::addColumn<QRect>("expected");
    QTest::addColumn<QString>("saved");
    QTest::newRow("width of INT_MIN") << "5,0,-2147483648,1" << QRect(5, 0, -int(Limit), 1)
                                      << "5,0,-10000000,1";
    // The rectangle's right edge saturates at INT_MAX first.
    QTest::newRow("left at INT_MAX") << "2147483647,-2147483648,10,10" << QRect(int(Limit), -int(Limit), 1, 10)
                                     << "10000000,-10000000,1,10";
    QTest::newRow("every field at the end") << "2147483647,2147483647,2147483647,2147483647"
                                            << QRect(int(Limit), int(Limit), 1, 1) << "10000000,10000000,1,1";
}

// The slice is read, saved and read again; the grid is built on the way.
void TestHostileInput::slicesReadStayInRange()
{
    QFETCH(QString, rect);
    QFETCH(QRect, expected);
    QFETCH(QString, saved);
    const QByteArray text = documentText(QStringLiteral("<Slice Rect=\"%1\"/>").arg(rect));
    const auto document = load(text);
    QVERIFY(document);
    const SketchSlice *slice = document->slices().first();
    QCOMPARE(QRect(slice->x(), slice->y(), slice->width(), slice->height()), expected);
    QCOMPARE(slice->rect().width(), expected.width());
    QVERIFY(document->toFileText().contains(QStringLiteral("Rect=\"%1\"").arg(saved).toUtf8()));
    QCOMPARE(roundTripFailure(text, path("roundtrip.slf")), QString());
}

void TestHostileInput::rectangleCodecNeverOverflows_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("x at INT_MAX") << "2147483647,0,10,10" << QRect(QPoint(IntMax, 0), QPoint(IntMax, 9));
    QTest::newRow("width of INT_MIN") << "5,0,-2147483648,1" << QRect(QPoint(5, 0), QPoint(5 - IntMax - 1, 0));
    QTest::newRow("all INT_MIN") << "-2147483648,-2147483648,-2147483648,-2147483648"
                                 << QRect(QPoint(IntMin, IntMin), QPoint(IntMin, IntMin));
    QTest::newRow("all INT_MAX") << "2147483647,2147483647,2147483647,2147483647"
                                 << QRect(QPoint(IntMax, IntMax), QPoint(IntMax, IntMax));
    QTest::newRow("plain") << "10,20,100,50" << QRect(10, 20, 100, 50);
}

// Both the single and the list reader; what they read writes a text that
// reads back the same, and its size can be asked for.
void TestHostileInput::rectangleCodecNeverOverflows()
{
    QFETCH(QString, text);
    QFETCH(QRect, expected);
    QDomDocument document;
    QDomElement element = document.createElement(QStringLiteral("E"));
    element.setAttribute(QStringLiteral("R"), text);
    element.setAttribute(QStringLiteral("L"), text + QLatin1Char(';') + text);

    const QRect single = readXmlRectAttribute(element, QStringLiteral("R"));
    const QList<QRect> list = readXmlRectListAttribute(element, QStringLiteral("L"));
    QCOMPARE(single, expected);
    QCOMPARE(list, (QList<QRect>{expected, expected}));
    QCOMPARE(qint64(single.width()), qint64(single.right()) - single.left() + 1);
    QCOMPARE(qint64(single.height()), qint64(single.bottom()) - single.top() + 1);

    writeXmlRectAttribute(element, QStringLiteral("R"), single);
    writeXmlRectListAttribute(element, QStringLiteral("L"), list);
    QCOMPARE(readXmlRectAttribute(element, QStringLiteral("R")), expected);
    QCOMPARE(readXmlRectListAttribute(element, QStringLiteral("L")), list);
}

// Shapes made in memory, where no reader bounds them: the painting and the
// export convert their coordinates to pixels without overflow.
void TestHostileInput::farShapesPaintAndExport_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("box beyond the right of the int range") << "box";
    QTest::newRow("vertical text far above") << "vertical text";
    QTest::newRow("picture fill reaching far up") << "picture";
    QTest::newRow("blurred, rotated, in a group") << "group";
}

void TestHostileInput::farShapesPaintAndExport()
{
    QFETCH(QString, kind);
    SketchDocument document(nullptr);
    SketchLayer *layer = document.layers().first();
    SketchShape *shape = nullptr;
    if (kind == "box") {
        shape = makeBox(layer, QRectF(3e9, 10, 100, 50));
        shape->setFill(SkinBrush(QColor(Qt::red)));
    } else if (kind == "vertical text") {
        shape = makeBox(layer, QRectF(10, -3e9, 190, 1000));
        shape->setAlign(3);
        shape->setText(QStringLiteral("ab\ncd"));
    } else if (kind == "picture") {
        shape = makeBox(layer, QRectF(10, -3e9, 190, 3e9 + 60));
        shape->setFill(pictureBrush());
    } else {
        SketchShape *far = makeBox(layer, QRectF(-3e9, -3e9, 6e9, 6e9));
        far->setFill(pictureBrush());
        far->setText(QStringLiteral("x"));
        shape = groupShapes(layer, {far, makeBox(layer, QRectF(10, 10, 20, 20))});
        shape->centerRotatePoint();
        shape->setRotateAngle(0.1f);
        shape->setBlur(3);
    }
    shape->setSelected(true);

    paintedWith(document);
    QVERIFY(!document.renderToPixmap(true, QStringLiteral("PNG")).isNull());
    document.renderShapesToPixmap({shape}, true, QStringLiteral("PNG"));
    QCOMPARE(shape->rectStatusText().isEmpty(), false);
}

void TestHostileInput::selectionOffThePageExportsNothing()
{
    // The point of a file at x = 3e9 is read at the edge of the range, far
    // off the page.
    const auto document = load(layerText(
        QStringLiteral("<Shape Behavior=\"1\" Points=\"3000000000,10;3000000100,10;3000000100,60;3000000000,60\">"
                       "<Fill Color=\"#ff0000\"/></Shape>")));
    QVERIFY(document);
    const QList<SketchShape *> shapes = document->shapes();
    QCOMPARE(shapes.first()->boundingRect().left(), Limit);
    QVERIFY(document->renderShapesToPixmap(shapes, false, QStringLiteral("PNG")).isNull());

    SketchShape *onPage = makeBox(document->layers().first(), QRectF(10, 10, 100, 50));
    QCOMPARE(document->renderShapesToPixmap({onPage}, false, QStringLiteral("PNG")).size(), QSize(104, 54));
    QCOMPARE(document->renderShapesToPixmap(shapes + QList<SketchShape *>{onPage}, false, QStringLiteral("PNG"))
                 .height(),
             54);
}

// --- Values that change across saves -------------------------------------------

void TestHostileInput::oneSaveIsFinal_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QStringList>("absent");

    QTest::newRow("colours that do not parse")
        << documentText(QStringLiteral("<PaperBorder Style=\"1\"><Fill Color=\"bogus\"/></PaperBorder>"
                                       "<Layer Name=\"L\"><Shape FontColor=\"bogus\" Points=\"0,0;9,9\">"
                                       "<Stroke><Fill Color=\"bogus\"/></Stroke></Shape></Layer>"))
        << QStringList() << QStringList{"FontColor", "Stroke", "PaperBorder", "Fill"};
    QTest::newRow("rotation that rounds to a full turn")
        << layerText(QStringLiteral("<Shape RotateAngle=\"0.9999999\" Points=\"0,0;9,9\"/>")) << QStringList()
        << QStringList{"RotateAngle"};
    QTest::newRow("opacity, tension and centre just off their defaults")
        << layerText(QStringLiteral("<Shape Opacity=\"0.9999999\" Tension=\"0.4999999\" Points=\"0,0;9,9\">"
                                    "<Fill Type=\"2\" Center=\"0.5000001,0.5\" Colors=\"#ff0000;#0000ff\""
                                    " Positions=\"0;1\"/></Shape>"))
        << QStringList{"Type=\"2\""} << QStringList{"Opacity", "Tension", "Center"};
    QTest::newRow("linear ends and paper opacity just off their defaults")
        << documentText(QStringLiteral("<PaperColor Color=\"#ffffff\" Opacity=\"0.99999994\"/>"
                                       "<Layer Name=\"L\"><Shape Points=\"0,0;9,9\"><Fill Type=\"1\""
                                       " From=\"0,0.4999999\" To=\"1,0.5000001\" Colors=\"#ff0000;#0000ff\""
                                       " Positions=\"0;1\"/></Shape></Layer>"))
        << QStringList{"Type=\"1\""} << QStringList{"PaperColor", "From", "To", "Opacity"};
    QTest::newRow("colours with an alpha the file does not keep")
        << documentText(QStringLiteral("<PaperColor Color=\"#80ffffff\"/>"
                                       "<PaperBorder Style=\"1\"><Fill Color=\"#000000\" Opacity=\"0.5\"/></PaperBorder>"
                                       "<Layer Name=\"L\"><Shape FontColor=\"#80000000\" Points=\"0,0;9,9\">"
                                       "<Stroke Width=\"3\"><Fill Color=\"#80000000\"/></Stroke></Shape></Layer>"))
        << QStringList{"Width=\"3\""} << QStringList{"PaperColor", "PaperBorder", "FontColor", "Fill"};
}

void TestHostileInput::oneSaveIsFinal()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, present);
    QFETCH(QStringList, absent);
    QByteArray saved;
    QCOMPARE(roundTripFailure(text, path("roundtrip.slf"), &saved), QString());
    for (const QString &fragment : present)
        QVERIFY2(saved.contains(fragment.toUtf8()), saved.constData());
    for (const QString &fragment : absent)
        QVERIFY2(!saved.contains(fragment.toUtf8()), saved.constData());
}

// Read as what it is saved as: black, as an invalid colour was painted and
// written, so that the first load already shows what every later one does.
void TestHostileInput::colourThatDoesNotParseReadsAsItIsSaved()
{
    const auto document = load(documentText(
        QStringLiteral("<PaperBorder Width=\"2\"><Fill Color=\"bogus\"/></PaperBorder>"
                       "<Layer Name=\"L\"><Shape FontColor=\"bogus\" Points=\"0,0;9,9\">"
                       "<Fill Color=\"nocolour\"/><Stroke><Fill Color=\"\\x\"/></Stroke></Shape></Layer>")));
    QVERIFY(document);
    const SketchShape *shape = document->shapes().first();
    QCOMPARE(shape->fontColor(), QColor(Qt::black));
    QCOMPARE(shape->fill().stops().firstColor(), QColor(Qt::black));
    QVERIFY(shape->stroke().isDefault());
    QCOMPARE(document->paperBorder().brush(), SkinBrush::blackBrush());
}

// Documents made in memory, as the editing makes them, with values chosen
// to sit at the edges of what the file keeps: their first save is final.
void TestHostileInput::generatedDocumentsSaveOnce()
{
    const QList<float> reals{0.0f, -0.0f, 1e-7f, 0.4999999f, 0.5f, 0.5000001f, 0.9999999f, 0.99999994f,
                             1.0f, 1.0000001f, 123456.789f, 3.0e6f, -1.0e7f};
    const QList<QColor> colours{Qt::black, Qt::white, Qt::transparent, QColor(0, 0, 0, 128),
                                QColor(255, 255, 255, 1), QColor(10, 200, 30, 0), QColor(1, 2, 3)};
    // Coordinates within the range the readers keep.
    const QList<float> places{0.0f, -0.0f, 1e-5f, 0.5000001f, 99.99999f, 12345.678f, -3.0e6f, 9999000.0f};
    QRandomGenerator random(19);
    auto real = [&] { return reals.at(random.bounded(reals.size())); };
    auto place = [&] { return places.at(random.bounded(places.size())); };
    auto colour = [&] { return colours.at(random.bounded(colours.size())); };
    auto brush = [&] {
        const int type = random.bounded(5);
        if (type == SkinBrushImage)
            return pictureBrush();
        SkinGradient stops(colour());
        stops.setLastColor(colour());
        SkinBrush b(type, stops);
        b.setCenter(QPointF(real(), real()));
        b.setFrom(QPointF(real(), real()));
        b.setTo(QPointF(real(), real()));
        return b;
    };

    QList<QByteArray> texts;
    {
        SketchDocument rich(nullptr);
        fillRichDocument(&rich);
        texts.append(rich.toFileText());
    }
    for (int round = 0; round < 40; ++round) {
        SketchDocument document(nullptr);
        SkinBrush paper = brush();
        paper.setOpacity(real());
        document.setPaperColor(paper);
        document.setPaperBorder(SketchStroke(colour(), 1 + random.bounded(3), random.bounded(2)));
        SketchLayer *layer = document.layers().first();
        for (int i = 0; i < 6; ++i) {
            const QRectF box(place(), place(), 10 + random.bounded(90), 10 + random.bounded(40));
            SketchShape *shape = i % 2 ? makeEllipse(layer, box) : makeBox(layer, box);
            shape->setFill(brush());
            SketchStroke stroke(colour(), 1 + random.bounded(3), random.bounded(2));
            stroke.setBrush(brush());
            shape->setStroke(stroke);
            QFont font(QStringLiteral("Sans%1 %2"));
            font.setPixelSize(1 + random.bounded(40));
            font.setBold(random.bounded(2));
            shape->setFont(font);
            shape->setFontColor(colour());
            shape->setText(QStringLiteral("a%1\nb"));
            shape->setTension(real());
            shape->setRotatePoint(QPointF(place(), place()));
            shape->setRotateAngle(real());
            shape->setInnerPosition(QPointF(place(), place()));
            shape->setOpacity(real());
        }
        texts.append(document.toFileText());
    }
    for (const QByteArray &saved : qAsConst(texts)) {
        const auto loaded = load(saved);
        QVERIFY(loaded);
        const QByteArray again = loaded->toFileText();
        QVERIFY2(again == saved, qPrintable(roundTripDifference(saved, again)));
        QCOMPARE(roundTripFailure(saved, path("roundtrip.slf")), QString());
    }
}

// --- Placeholders inside values ------------------------------------------------

void TestHostileInput::fontFamilyKeepsItsPlaceholders()
{
    const QByteArray text = layerText(QStringLiteral("<Shape Font=\"Sans%1,12\" Points=\"0,0;9,9\"/>"));
    QByteArray saved;
    QCOMPARE(roundTripFailure(text, path("roundtrip.slf"), &saved), QString());
    QVERIFY2(saved.contains("Font=\"Sans%1,12\""), saved.constData());

    QDomDocument document;
    QDomElement element = document.createElement(QStringLiteral("E"));
    QFont font(QStringLiteral("a%1%2"));
    font.setPixelSize(9);
    font.setBold(true);
    writeXmlFontAttribute(element, QStringLiteral("F"), font);
    QCOMPARE(element.attribute(QStringLiteral("F")), QStringLiteral("a%1%2,9,1"));
}

void TestHostileInput::archiveNameKeepsItsPlaceholders()
{
    const QString source = path("src/a%1b.txt");
    QDir().mkpath(path("src"));
    QFile file(source);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("hello");
    file.close();
    QFile other(path("src/%2.txt"));
    QVERIFY(other.open(QIODevice::WriteOnly));
    other.write("x");
    other.close();

    QStringList files{source, path("src/%2.txt")};
    QString archive = path("packed.arc");
    QCOMPARE(packFilesToArchive(files, archive, QStringLiteral(".arc")), int(FileArchiveDone));
    const std::unique_ptr<FileArchiveNode> root = readArchive(archive);
    QCOMPARE(root->children().size(), 2);
    QCOMPARE(root->children().at(0)->name(), QStringLiteral("a%1b.txt"));
    QCOMPARE(root->children().at(0)->data(), QByteArray("hello"));
    QCOMPARE(root->children().at(1)->name(), QStringLiteral("%2.txt"));
    QCOMPARE(unpackArchive(archive, path("out")), int(FileArchiveDone));
    QCOMPARE(filesBelow(path("out")), (QStringList{"%2.txt", "a%1b.txt"}));
}

// --- Archive names -------------------------------------------------------------

void TestHostileInput::archiveNamesThatCollideAreRefused_data()
{
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<QByteArray>("contents");
    QTest::newRow("the same name twice") << QByteArray("same,5|same,6") << QByteArray("firstsecond");
    QTest::newRow("the same up to letter case") << QByteArray("Same.txt,1|same.TXT,1") << QByteArray("ab");
    QTest::newRow("the same up to the separator") << QByteArray("d/x,1|d\\x,1") << QByteArray("ab");
    // Both decode to U+FFFD.
    QTest::newRow("invalid UTF-8 that decodes alike") << QByteArray("\xff,1|\xfe,1") << QByteArray("ab");
}

void TestHostileInput::archiveNamesThatCollideAreRefused()
{
    QFETCH(QByteArray, header);
    QFETCH(QByteArray, contents);
    QFile file(path("forged.arc"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(archiveBytes(header, contents));
    file.close();

    QString error;
    const std::unique_ptr<FileArchiveNode> root = readArchive(path("forged.arc"), &error);
    QVERIFY(root);
    QVERIFY(root->children().isEmpty());
    QVERIFY2(error.contains(QStringLiteral("twice")), qPrintable(error));
    QCOMPARE(unpackArchive(path("forged.arc"), path("out")), int(FileArchiveRefused));
    QVERIFY(filesBelow(path("out")).isEmpty());
}

QTEST_MAIN(TestHostileInput)
#include "tst_hostileinput.moc"
