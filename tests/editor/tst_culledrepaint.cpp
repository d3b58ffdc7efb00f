// A repaint of the document view skips shapes that cannot show and clips
// each painted shape to what it can still change. What it shows must not
// differ by a single pixel from painting every shape whole: these tests
// paint crowded pages both ways and compare.
//
// The reference paints the same backdrop (the view's own, with no shape
// visible), then every shape whole through SketchDocument::paint, clipped
// only to the exposed rectangle, then the paper border and the handles of
// the selection, as the view layers them (viewpictures::referencePicture).

#include "support/livecounts.h"
#include "support/pixels.h"
#include "support/shapes.h"
#include "support/viewpictures.h"

#include "bench/generatedpage.h"
#include "model/sketchgroup.h"
#include "model/sketchstroke.h"
#include "model/skinbrush.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QtTest>

#include <cmath>

namespace {

using namespace viewpictures;

const QSize PaperSize(842, 595);
const QSize ViewSize(700, 500);

enum Dressing
{
    Plain = 0,
    // Rotated shapes, selected shapes, blur, text running out of its box,
    // groups, see-through and image fills, open paths, wide mitred strokes.
    Dressed = 1
};

QString compareWithReference(SketchDocumentView &view, const QRect &exposed)
{
    const QImage expected = referencePicture(view, exposed);
    const QImage shown = widgetPicture(view, exposed);
    // Qt shades a gradient from where each clipped span starts, so a shape
    // clipped to less than the exposed rectangle may come out a level apart.
    return difference(shown, expected, exposed, 1);
}

QByteArray checkerPng()
{
    QImage image(8, 8, QImage::Format_ARGB32);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x)
            image.setPixel(x, y, (x + y) % 2 ? qRgb(200, 30, 30) : qRgb(250, 250, 250));
    }
    return pngBytes(image);
}

// Everything that reaches beyond a shape's plain outline, or that a repaint
// must not count as covering what lies below, spread through the page.
void dress(SketchLayer *layer)
{
    QRandomGenerator random(77);
    QList<SketchShape *> &shapes = layer->shapes();
    for (int i = 0; i < shapes.size(); ++i) {
        SketchShape *shape = shapes.at(i);
        if (i % 7 == 3) {
            shape->centerRotatePoint();
            shape->setRotateAngle(float(0.02 + 0.96 * random.generateDouble()));
        }
        if (i % 11 == 5) {
            shape->setSelected(true);
            if (i % 22 == 5)
                shape->setActiveHandle(SketchHandleFirstPoint + 1);
        }
        if (i % 9 == 2)
            shape->setFill(SkinBrush(QColor(30, 160, 90, 120)));
        if (i % 17 == 8)
            shape->setOpacity(0.6f);
        if (i % 31 == 12) {
            SkinBrush picture(SkinBrushImage);
            picture.setImageData(checkerPng());
            shape->setFill(picture);
        }
        if (i % 13 == 6) {
            // One word far wider than the box, and lines below it.
            shape->setText(i % 26 == 6 ? QStringLiteral("Unbreakablewordrunningfaroutofitsbox")
                                       : QStringLiteral("many\nlines\nof\ntext\nbelow\nand\nbelow"));
            QFont font = shape->font();
            font.setPixelSize(14);
            shape->setFont(font);
            shape->setFontColor(QColor(20, 20, 160));
        }
        if (i % 29 == 14) {
            shape->setText(QStringLiteral("vertical columns"));
            shape->setAlign(3);
        }
        if (i % 19 == 4) {
            SketchStroke stroke = shape->stroke();
            stroke.setWidth(9);
            stroke.setStyle(SketchStrokeSquare);
            shape->setStroke(stroke);
        }
        if (i % 37 == 20)
            shape->setClosed(false);
        if (i % 41 == 10)
            shape->setBlur(3);
    }
    // Sharp spikes with wide mitred strokes: the miter runs far past the
    // points.
    for (int i = 0; i < 6; ++i) {
        const qreal x = 60 + i * 120;
        const qreal y = 90 + (i % 3) * 170;
        const int at = shapes.size() / 2 + i * 10;
        SketchShape *spike = makePath(layer, {{x, y}, {x + 90, y + 8}, {x + 4, y + 16}});
        spike->setFill(SkinBrush(QColor(240, 200, 40)));
        spike->setStroke(SketchStroke(QColor(90, 40, 10), 12, i % 2 ? SketchStrokeSquare : 2));
        shapes.move(shapes.size() - 1, at);
    }
    // Groups of neighbours, one of them turned and one selected.
    for (int g = 0; g < 4; ++g) {
        const int first = 40 + g * 90;
        QList<SketchShape *> members;
        for (int k = 0; k < 3; ++k)
            members.append(shapes.at(first + k));
        auto *group = new SketchGroup(layer);
        group->shapes() = members;
        group->attachShapes();
        shapes.insert(first, group);
        if (g == 1) {
            group->centerRotatePoint();
            group->setRotateAngle(0.1f);
        }
        if (g == 2) {
            group->setSelected(true);
            group->setText(QStringLiteral("group text that runs on and on"));
        }
        if (g == 3)
            group->setBlur(2);
    }
}

void buildPage(SketchDocumentView &view, int count, int dressing)
{
    view.resize(ViewSize);
    view.setPaperSize(PaperSize);
    view.setPaperBorder(SketchStroke(QColor(40, 40, 200), 3, SketchStrokeSquare));
    SketchLayer *layer = view.currentLayer();
    generatedpage::fillLayer(layer, count, PaperSize, 4242);
    if (dressing == Dressed)
        dress(layer);
    // A second layer on top: a few large opaque boxes that hide much of the
    // crowd below.
    auto *top = new SketchLayer(view.document(), QStringLiteral("covers"));
    view.layers().append(top);
    const QRectF covers[] = {{100, 100, 220, 160}, {400, 60, 300, 200}, {250, 330, 360, 200}};
    const QColor colours[] = {QColor(230, 230, 250), QColor(250, 240, 220), QColor(220, 250, 230)};
    for (int i = 0; i < 3; ++i) {
        const QRectF &r = covers[i];
        SketchShape *cover = makePath(top, {r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()}, true, i == 2);
        cover->setBehavior(SketchShapeBox);
        cover->setFill(SkinBrush(colours[i]));
        cover->setStroke(SketchStroke(QColor(60, 60, 60), 2, SketchStrokeRound));
    }
}

// Scroll places, as where the paper's far corner goes.
enum Place
{
    TopLeft = 0,
    BottomRight = 1,
    Middle = 2
};

void placeView(SketchDocumentView &view, float zoom, int place)
{
    view.setZoom(zoom);
    const int paperWidth = qRound(PaperSize.width() * view.zoom());
    const int paperHeight = qRound(PaperSize.height() * view.zoom());
    int x = 0;
    int y = 0;
    if (place == BottomRight) {
        x = qMin(0, view.width() - paperWidth - 20);
        y = qMin(0, view.height() - paperHeight - 20);
    } else if (place == Middle) {
        x = qMin(0, (view.width() - paperWidth) / 2);
        y = qMin(0, (view.height() - paperHeight) / 2);
    }
    view.setScrollX(x, false);
    view.setScrollY(y, false);
}

// A polyline of many vertices with straight, slanted, sharp and blunt
// turns, crossing the middle of a 300 x 300 square again and again.
QPainterPath longPath(bool closed)
{
    QRandomGenerator random(9);
    QPolygonF points;
    for (int i = 0; i < 160; ++i) {
        const qreal x = 5 + random.bounded(290.0);
        const qreal y = 5 + random.bounded(290.0);
        switch (i % 4) {
        case 0: // along the x axis from the last point
            points << QPointF(x, points.isEmpty() ? y : points.last().y());
            break;
        case 1: // along the y axis
            points << QPointF(points.last().x(), y);
            break;
        default:
            points << QPointF(x, y);
            break;
        }
    }
    if (closed)
        points << points.first();
    QPainterPath path;
    path.addPolygon(points);
    return path;
}

} // namespace

class TestCulledRepaint : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void crowdedPageMatchesAFullPaint_data();
    void crowdedPageMatchesAFullPaint();
    void exposedPartsMatchAFullPaint_data();
    void exposedPartsMatchAFullPaint();
    void smallCases_data();
    void smallCases();
    void clippedStrokeMatchesTheWholeStroke_data();
    void clippedStrokeMatchesTheWholeStroke();
};

void TestCulledRepaint::crowdedPageMatchesAFullPaint_data()
{
    QTest::addColumn<int>("dressing");
    QTest::addColumn<float>("zoom");
    QTest::addColumn<int>("place");
    QTest::addColumn<bool>("grid");

    QTest::newRow("plain, 100 %") << int(Plain) << 1.0f << int(TopLeft) << false;
    QTest::newRow("plain, 400 %, far corner") << int(Plain) << 4.0f << int(BottomRight) << false;
    QTest::newRow("dressed, 100 %") << int(Dressed) << 1.0f << int(TopLeft) << false;
    QTest::newRow("dressed, 100 %, grid") << int(Dressed) << 1.0f << int(Middle) << true;
    QTest::newRow("dressed, 50 %, middle") << int(Dressed) << 0.5f << int(Middle) << false;
    QTest::newRow("dressed, 400 %, far corner") << int(Dressed) << 4.0f << int(BottomRight) << false;
    QTest::newRow("dressed, 400 %, middle") << int(Dressed) << 4.0f << int(Middle) << false;
    QTest::newRow("dressed, 800 %, middle") << int(Dressed) << 8.0f << int(Middle) << false;
}

void TestCulledRepaint::crowdedPageMatchesAFullPaint()
{
    QFETCH(int, dressing);
    QFETCH(float, zoom);
    QFETCH(int, place);
    QFETCH(bool, grid);

    SketchDocumentView view;
    buildPage(view, 500, dressing);
    view.setGridVisible(grid);
    placeView(view, zoom, place);
    const QString fault = compareWithReference(view, view.rect());
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
}

void TestCulledRepaint::exposedPartsMatchAFullPaint_data()
{
    QTest::addColumn<float>("zoom");
    QTest::addColumn<int>("place");
    QTest::addColumn<QRect>("exposed");

    // Small exposed rectangles cut through shapes, covers and strokes.
    QTest::newRow("100 %, strip") << 1.0f << int(TopLeft) << QRect(0, 203, 700, 9);
    QTest::newRow("100 %, square") << 1.0f << int(TopLeft) << QRect(311, 147, 60, 60);
    QTest::newRow("100 %, column") << 1.0f << int(TopLeft) << QRect(97, 0, 7, 500);
    QTest::newRow("400 %, square") << 4.0f << int(Middle) << QRect(330, 210, 45, 37);
    QTest::newRow("800 %, corner square") << 8.0f << int(BottomRight) << QRect(600, 400, 100, 100);
    QTest::newRow("800 %, sliver") << 8.0f << int(Middle) << QRect(200, 0, 3, 500);
}

void TestCulledRepaint::exposedPartsMatchAFullPaint()
{
    QFETCH(float, zoom);
    QFETCH(int, place);
    QFETCH(QRect, exposed);

    SketchDocumentView view;
    buildPage(view, 500, Dressed);
    placeView(view, zoom, place);
    const QString fault = compareWithReference(view, exposed);
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
}

// Pages of a few shapes, each showing one way a shape reaches out from under
// a cover or must not count as one.
void TestCulledRepaint::smallCases_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<float>("zoom");

    const char *const names[] = {"box stroke",         "turned cover",         "see-through cover",
                                 "text out of a cover", "handles by a cover",   "blurred shape under a gap",
                                 "mitred spike",        "group member outside"};
    const float zooms[] = {1.0f, 3.0f, 8.0f};
    for (int kind = 0; kind < 8; ++kind) {
        for (float zoom : zooms)
            QTest::newRow(qPrintable(QStringLiteral("%1, zoom %2").arg(names[kind]).arg(double(zoom))))
                << kind << zoom;
    }
}

void TestCulledRepaint::smallCases()
{
    QFETCH(int, kind);
    QFETCH(float, zoom);

    SketchDocumentView view;
    view.resize(QSize(400, 300));
    view.setPaperSize(QSize(200, 150));
    SketchLayer *layer = view.currentLayer();
    auto box = [&](const QRectF &r, const QColor &fill) {
        SketchShape *shape = makeBox(layer, r);
        shape->setFill(SkinBrush(fill));
        return shape;
    };
    switch (kind) {
    case 0: { // A lone box with a stroke.
        SketchShape *shape = box(QRectF(20, 20, 60, 40), QColor(250, 250, 200));
        shape->setStroke(SketchStroke(Qt::black, 3, SketchStrokeRound));
        break;
    }
    case 1: { // A turned opaque cover hides less than its unturned box.
        box(QRectF(30, 30, 50, 50), Qt::red);
        SketchShape *cover = box(QRectF(25, 25, 60, 60), Qt::blue);
        cover->centerRotatePoint();
        cover->setRotateAngle(0.08f);
        break;
    }
    case 2: { // A see-through cover.
        box(QRectF(30, 30, 50, 50), Qt::red);
        box(QRectF(20, 20, 70, 70), QColor(0, 0, 255, 100));
        break;
    }
    case 3: { // Text of the lower shape runs out from under the cover.
        SketchShape *low = box(QRectF(40, 40, 30, 20), Qt::yellow);
        low->setText(QStringLiteral("Averyveryverylongword"));
        box(QRectF(30, 30, 50, 40), Qt::green);
        break;
    }
    case 4: { // A selected shape under a cover that just hides its outline.
        SketchShape *low = box(QRectF(40, 40, 40, 30), Qt::yellow);
        low->setSelected(true);
        box(QRectF(38, 38, 44, 34), Qt::green);
        break;
    }
    case 5: { // A blurred shape between two covers.
        SketchShape *low = box(QRectF(50, 50, 40, 30), Qt::magenta);
        low->setBlur(4);
        box(QRectF(20, 20, 29, 100), Qt::green);
        box(QRectF(91, 20, 40, 100), Qt::green);
        break;
    }
    case 6: { // A narrow spike whose mitre reaches past its bounds.
        SketchShape *spike = makePath(layer, {{20, 40}, {150, 52}, {20, 64}});
        spike->setFill(SkinBrush(QColor(Qt::yellow)));
        spike->setStroke(SketchStroke(Qt::black, 20, SketchStrokeSquare));
        break;
    }
    default: { // A group whose member reaches out of the cover.
        SketchShape *a = box(QRectF(40, 40, 30, 30), Qt::red);
        SketchShape *b = box(QRectF(60, 60, 60, 20), Qt::darkCyan);
        auto *group = new SketchGroup(layer);
        group->shapes() = {a, b};
        group->attachShapes();
        layer->shapes().append(group);
        box(QRectF(30, 30, 50, 50), Qt::green);
        break;
    }
    }
    view.setZoom(zoom);
    view.setScrollX(qRound(-20 * zoom), false);
    view.setScrollY(qRound(-20 * zoom), false);
    const QString fault = compareWithReference(view, view.rect());
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
}

void TestCulledRepaint::clippedStrokeMatchesTheWholeStroke_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("width");
    QTest::addColumn<qreal>("scale");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("antialiased");

    // Round: round caps and joins; square: square caps and mitres; any
    // other style: square caps and bevels.
    const int styles[] = {SketchStrokeRound, SketchStrokeSquare, 2};
    const char *const styleNames[] = {"round", "square", "bevel"};
    const int widths[] = {1, 2, 5, 12, 20};
    const qreal scales[] = {1.0, 8.0};
    for (int s = 0; s < 3; ++s) {
        for (int width : widths) {
            for (qreal scale : scales) {
                for (int flags = 0; flags < 4; ++flags) {
                    const bool closed = flags & 1;
                    const bool antialiased = flags & 2;
                    QTest::newRow(qPrintable(QStringLiteral("%1 %2, x%3%4%5")
                                                 .arg(styleNames[s])
                                                 .arg(width)
                                                 .arg(scale)
                                                 .arg(closed ? ", closed" : "")
                                                 .arg(antialiased ? ", antialiased" : "")))
                        << styles[s] << width << scale << closed << antialiased;
                }
            }
        }
    }
}

void TestCulledRepaint::clippedStrokeMatchesTheWholeStroke()
{
    QFETCH(int, style);
    QFETCH(int, width);
    QFETCH(qreal, scale);
    QFETCH(bool, closed);
    QFETCH(bool, antialiased);

    const QPainterPath path = longPath(closed);
    const SketchStroke stroke(QColor(20, 60, 200, 200), width, style);
    // At 800 % the picture shows a window of the path near its middle.
    QTransform transform;
    if (scale > 1.0)
        transform.translate(-1000.0, -1000.0);
    transform.scale(scale, scale);
    const QSize size(400, 400);
    const QRect clips[] = {QRect(150, 120, 60, 45), QRect(0, 0, 400, 400), QRect(301, 7, 1, 380),
                           QRect(40, 333, 300, 2)};

    QImage whole(size, QImage::Format_ARGB32_Premultiplied);
    whole.fill(Qt::white);
    {
        QPainter painter(&whole);
        painter.setRenderHint(QPainter::Antialiasing, antialiased);
        painter.setTransform(transform);
        stroke.strokePath(&painter, path, 1.0f);
    }
    for (const QRect &clip : clips) {
        QImage clipped(size, QImage::Format_ARGB32_Premultiplied);
        clipped.fill(Qt::white);
        {
            QPainter painter(&clipped);
            painter.setRenderHint(QPainter::Antialiasing, antialiased);
            painter.setClipRect(clip);
            painter.setTransform(transform);
            stroke.strokePath(&painter, path, 1.0f);
        }
        const QString fault = difference(clipped, whole, clip);
        QVERIFY2(fault.isEmpty(), qPrintable(QStringLiteral("clip (%1, %2) %3 x %4: %5")
                                                 .arg(clip.x())
                                                 .arg(clip.y())
                                                 .arg(clip.width())
                                                 .arg(clip.height())
                                                 .arg(fault)));
    }
}

QTEST_MAIN(TestCulledRepaint)
#include "tst_culledrepaint.moc"
