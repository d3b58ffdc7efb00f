// What a shape hides of the shapes below it: a rectangle inside a polygon,
// whether a brush paints only opaque pixels, and a shape's opaque interior.
// A rectangle claimed to lie inside must truly lie inside, or a repaint
// would skip something that shows.

#include "support/livecounts.h"
#include "support/pixels.h"
#include "support/polygons.h"
#include "support/shapes.h"

#include "model/geometry.h"
#include "model/sketchgroup.h"
#include "model/skinbrush.h"

#include <QPainterPath>
#include <QStandardPaths>
#include <QtTest>

#include <cmath>
#include <limits>
#include <memory>

namespace {

QString describe(const QRectF &r)
{
    return QStringLiteral("(%1, %2) %3 x %4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// Why the rectangle does not lie inside the polygon filled with the
// odd-even rule; empty when it does. Checked apart from the code under
// test: Qt's own path containment, the corners, and a dense grid of points
// reaching to the rectangle's edges.
QString outsideReason(const QPolygonF &polygon, const QRectF &rect)
{
    if (!(rect.width() > 0.0 && rect.height() > 0.0))
        return QStringLiteral("no area: ") + describe(rect);
    // The rectangle may touch the outline (a box's interior is the box), so
    // what is checked is the rectangle a hair smaller.
    const qreal hairX = 1e-7 * qMax(1.0, qAbs(rect.left()) + qAbs(rect.right()));
    const qreal hairY = 1e-7 * qMax(1.0, qAbs(rect.top()) + qAbs(rect.bottom()));
    const QRectF within = rect.adjusted(hairX, hairY, -hairX, -hairY);
    QPainterPath path;
    path.addPolygon(polygon);
    path.closeSubpath();
    path.setFillRule(Qt::OddEvenFill);
    if (!path.contains(within))
        return QStringLiteral("the path does not contain ") + describe(rect);
    const QPointF corners[] = {within.topLeft(), within.topRight(), within.bottomRight(), within.bottomLeft()};
    for (const QPointF &corner : corners) {
        if (!polygon.containsPoint(corner, Qt::OddEvenFill))
            return QStringLiteral("corner (%1, %2) outside").arg(corner.x()).arg(corner.y());
    }
    const int steps = 40;
    for (int i = 0; i <= steps; ++i) {
        for (int j = 0; j <= steps; ++j) {
            const qreal u = qreal(i) / steps;
            const qreal v = qreal(j) / steps;
            const QPointF p(within.left() + u * within.width(), within.top() + v * within.height());
            if (!polygon.containsPoint(p, Qt::OddEvenFill))
                return QStringLiteral("point (%1, %2) outside").arg(p.x()).arg(p.y());
        }
    }
    return QString();
}

QByteArray opaquePng()
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    return pngBytes(image);
}

SkinBrush gradient(int type, const QList<QColor> &colours)
{
    SkinGradient stops;
    stops.stops().clear();
    for (int i = 0; i < colours.size(); ++i)
        stops.append(float(i) / float(qMax(1, colours.size() - 1)), colours.at(i));
    return SkinBrush(type, stops);
}

} // namespace

class TestOcclusion : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void rectInsidePolygon_data();
    void rectInsidePolygon();
    void isOpaque_data();
    void isOpaque();
    void opaqueInteriorOfABoxIsTheBox();
    void opaqueInteriorOfCurvesAndBubblesLiesInside();
    void nothingCountsAsOpaqueInterior_data();
    void nothingCountsAsOpaqueInterior();
    void opaqueInteriorFollowsThePoints();
    void opaqueInteriorFollowsTheFill();
};

// How a row's result is judged.
enum Expect
{
    Bounds = 0,        // exactly the polygon's bounding rectangle
    Inside = 1,        // not empty, wholly inside
    Empty = 2,         // nothing found
    EmptyOrInside = 3  // either, never a rectangle reaching outside
};

void TestOcclusion::rectInsidePolygon_data()
{
    QTest::addColumn<QPolygonF>("polygon");
    QTest::addColumn<int>("expect");
    // For Inside rows, the least share of the bounding box's area the
    // rectangle must cover; a uselessly small one would hide nothing.
    QTest::addColumn<qreal>("leastShare");

    const QPolygonF rectangle = polygonOf({{10, 20}, {110, 20}, {110, 80}, {10, 80}});
    QTest::newRow("rectangle") << rectangle << int(Bounds) << 1.0;
    QPolygonF reversed = rectangle;
    std::reverse(reversed.begin(), reversed.end());
    QTest::newRow("rectangle, other way round") << reversed << int(Bounds) << 1.0;
    // A box's outline repeats each corner, and a closed one its first point.
    QTest::newRow("box outline")
        << polygonOf({{10, 20}, {110, 20}, {110, 20}, {110, 80}, {110, 80}, {10, 80}, {10, 80}, {10, 20}})
        << int(Bounds) << 1.0;
    QTest::newRow("fractional rectangle")
        << polygonOf({{0.25, 0.5}, {3.75, 0.5}, {3.75, 2.125}, {0.25, 2.125}}) << int(Bounds) << 1.0;

    QTest::newRow("ellipse") << ellipsePolygon({200, 100}, 150, 50, 72) << int(Inside) << 0.45;
    QTest::newRow("small ellipse") << ellipsePolygon({3, 4}, 2, 1.5, 24) << int(Inside) << 0.4;
    QTest::newRow("octagon") << ellipsePolygon({0, 0}, 10, 10, 8) << int(Inside) << 0.4;
    QTest::newRow("triangle") << polygonOf({{0, 0}, {100, 0}, {0, 80}}) << int(Inside) << 0.1;
    QTest::newRow("bubble with a tail below")
        << polygonOf({{0, 0}, {120, 0}, {120, 80}, {70, 80}, {60, 130}, {50, 80}, {0, 80}}) << int(Inside) << 0.25;
    QTest::newRow("bubble with a long tail left")
        << polygonOf({{0, 0}, {60, 0}, {60, 40}, {0, 40}, {0, 25}, {-200, 20}, {0, 15}}) << int(Inside) << 0.02;
    // The centroid lies under the slit's end; the rectangle must stop short
    // of it.
    QTest::newRow("square with a slit")
        << polygonOf({{0, 0}, {49, 0}, {49, 40}, {51, 40}, {51, 0}, {100, 0}, {100, 100}, {0, 100}}) << int(Inside)
        << 0.01;

    // The centre of the area lies in the gap.
    QTest::newRow("U shape")
        << polygonOf({{0, 0}, {20, 0}, {20, 90}, {80, 90}, {80, 0}, {100, 0}, {100, 100}, {0, 100}}) << int(Empty)
        << 0.0;
    QTest::newRow("C shape")
        << polygonOf({{0, 0}, {100, 0}, {100, 15}, {15, 15}, {15, 85}, {100, 85}, {100, 100}, {0, 100}}) << int(Empty)
        << 0.0;
    QTest::newRow("ring-like C of many points") << [] {
        QPolygonF c;
        for (int i = 20; i <= 340; i += 10)
            c << QPointF(100 * std::cos(i * M_PI / 180), 100 * std::sin(i * M_PI / 180));
        for (int i = 340; i >= 20; i -= 10)
            c << QPointF(80 * std::cos(i * M_PI / 180), 80 * std::sin(i * M_PI / 180));
        return c;
    }() << int(Empty) << 0.0;

    QTest::newRow("no points") << QPolygonF() << int(Empty) << 0.0;
    QTest::newRow("one point") << polygonOf({{5, 5}}) << int(Empty) << 0.0;
    QTest::newRow("two points") << polygonOf({{0, 0}, {10, 10}}) << int(Empty) << 0.0;
    QTest::newRow("three points on a slant") << polygonOf({{0, 0}, {10, 10}, {20, 20}}) << int(Empty) << 0.0;
    QTest::newRow("three points on a level") << polygonOf({{0, 5}, {10, 5}, {30, 5}}) << int(Empty) << 0.0;
    QTest::newRow("there and back") << polygonOf({{0, 0}, {50, 30}, {100, 0}, {50, 30}}) << int(Empty) << 0.0;
    QTest::newRow("all one point") << polygonOf({{3, 3}, {3, 3}, {3, 3}, {3, 3}}) << int(Empty) << 0.0;
    const qreal nan = std::numeric_limits<qreal>::quiet_NaN();
    QTest::newRow("a point not a number") << polygonOf({{0, 0}, {nan, 0}, {10, 10}, {0, 10}}) << int(Empty) << 0.0;

    // Self-crossing outlines: odd-even leaves the middle of a star open.
    QTest::newRow("bow-tie") << polygonOf({{0, 0}, {100, 100}, {100, 0}, {0, 100}}) << int(EmptyOrInside) << 0.0;
    QTest::newRow("lopsided bow-tie") << polygonOf({{0, 0}, {150, 90}, {150, 0}, {0, 30}}) << int(EmptyOrInside)
                                      << 0.0;
    QTest::newRow("five-pointed star") << [] {
        QPolygonF star;
        for (int i = 0; i < 5; ++i) {
            const qreal angle = (i * 144.0 - 90.0) * M_PI / 180.0;
            star << QPointF(100 * std::cos(angle), 100 * std::sin(angle));
        }
        return star;
    }() << int(EmptyOrInside) << 0.0;
    QTest::newRow("figure eight of a box") << polygonOf({{0, 0}, {100, 0}, {0, 100}, {100, 100}}) << int(EmptyOrInside)
                                           << 0.0;
}

void TestOcclusion::rectInsidePolygon()
{
    QFETCH(QPolygonF, polygon);
    QFETCH(int, expect);
    QFETCH(qreal, leastShare);

    const QRectF found = ::rectInsidePolygon(polygon);
    switch (expect) {
    case Bounds:
        QCOMPARE(found, polygon.boundingRect());
        break;
    case Inside: {
        const QString reason = outsideReason(polygon, found);
        QVERIFY2(reason.isEmpty(), qPrintable(reason));
        const QRectF bounds = polygon.boundingRect();
        const qreal share = found.width() * found.height() / (bounds.width() * bounds.height());
        QVERIFY2(share >= leastShare, qPrintable(QStringLiteral("%1 covers only %2 of the bounds")
                                                      .arg(describe(found))
                                                      .arg(share)));
        break;
    }
    case Empty:
        QVERIFY2(found.isEmpty(), qPrintable(describe(found)));
        break;
    default:
        if (!found.isEmpty()) {
            const QString reason = outsideReason(polygon, found);
            QVERIFY2(reason.isEmpty(), qPrintable(reason));
        }
        break;
    }
}

void TestOcclusion::isOpaque_data()
{
    QTest::addColumn<SkinBrush>("brush");
    QTest::addColumn<bool>("opaque");

    QTest::newRow("solid opaque") << SkinBrush(QColor(10, 20, 30)) << true;
    QTest::newRow("solid white") << SkinBrush::whiteBrush() << true;
    QTest::newRow("solid nearly opaque") << SkinBrush(QColor(10, 20, 30, 254)) << false;
    QTest::newRow("solid half") << SkinBrush(QColor(10, 20, 30, 128)) << false;
    QTest::newRow("solid transparent") << SkinBrush::transparentBrush() << false;
    QTest::newRow("default brush") << SkinBrush() << false;
    {
        // A solid brush paints its first colour only.
        SkinGradient stops(QColor(Qt::red));
        stops.setLastColor(Qt::transparent);
        QTest::newRow("solid, see-through last stop") << SkinBrush(SkinBrushSolid, stops) << true;
        SkinGradient under(QColor(Qt::transparent));
        under.setLastColor(Qt::red);
        QTest::newRow("solid, see-through first stop") << SkinBrush(SkinBrushSolid, under) << false;
    }
    {
        SkinBrush faded(QColor(Qt::blue));
        faded.setOpacity(0.99f);
        QTest::newRow("solid at 99 %") << faded << false;
        SkinBrush none(QColor(Qt::blue));
        none.setOpacity(0.0f);
        QTest::newRow("solid at 0 %") << none << false;
    }

    QTest::newRow("linear opaque") << SkinBrush(Qt::red, Qt::blue, true) << true;
    QTest::newRow("linear, one stop see-through")
        << gradient(SkinBrushLinear, {Qt::red, QColor(0, 255, 0, 254), Qt::blue}) << false;
    QTest::newRow("linear, last stop transparent") << SkinBrush(Qt::red, Qt::transparent, false) << false;
    QTest::newRow("radial opaque") << gradient(SkinBrushRadial, {Qt::red, Qt::yellow, Qt::blue}) << true;
    QTest::newRow("radial, first stop see-through")
        << gradient(SkinBrushRadial, {QColor(255, 0, 0, 10), Qt::yellow}) << false;
    QTest::newRow("conical opaque") << gradient(SkinBrushConical, {Qt::red, Qt::green}) << true;
    QTest::newRow("conical, middle stop see-through")
        << gradient(SkinBrushConical, {Qt::red, QColor(0, 0, 0, 0), Qt::green}) << false;
    {
        SkinBrush faded(Qt::red, Qt::blue, true);
        faded.setOpacity(0.5f);
        QTest::newRow("linear at 50 %") << faded << false;
    }

    {
        SkinBrush picture(SkinBrushImage);
        picture.setImageData(opaquePng());
        QTest::newRow("image of opaque pixels") << picture << false;
        QTest::newRow("image without bytes") << SkinBrush(SkinBrushImage) << false;
    }
    {
        SkinGradient empty(QColor(Qt::red));
        empty.stops().clear();
        QTest::newRow("solid without stops") << SkinBrush(SkinBrushSolid, empty) << false;
        QTest::newRow("linear without stops") << SkinBrush(SkinBrushLinear, empty) << false;
        QTest::newRow("unknown type") << SkinBrush(9, SkinGradient(QColor(Qt::red))) << false;
    }
}

void TestOcclusion::isOpaque()
{
    QFETCH(SkinBrush, brush);
    QFETCH(bool, opaque);
    QCOMPARE(brush.isOpaque(), opaque);
}

void TestOcclusion::opaqueInteriorOfABoxIsTheBox()
{
    const std::unique_ptr<SketchShape> box(makeBox(nullptr, QRectF(10, 20, 100, 50)));
    box->setFill(SkinBrush(QColor(Qt::red)));
    QCOMPARE(box->opaqueInterior(), QRectF(10, 20, 100, 50));
    // A wide stroke and text paint over the fill: it stays opaque.
    box->setStroke(SketchStroke(QColor(0, 0, 0, 60), 12, SketchStrokeSquare));
    box->setText(QStringLiteral("text"));
    QCOMPARE(box->opaqueInterior(), QRectF(10, 20, 100, 50));
    box->setFill(SkinBrush(Qt::red, Qt::blue, false));
    QCOMPARE(box->opaqueInterior(), QRectF(10, 20, 100, 50));
}

void TestOcclusion::opaqueInteriorOfCurvesAndBubblesLiesInside()
{
    std::unique_ptr<SketchShape> shapes[] = {
        std::unique_ptr<SketchShape>(makeEllipse(nullptr, QRectF(0, 0, 200, 80))),
        std::unique_ptr<SketchShape>(makeBubble(nullptr, QRectF(0, 0, 100, 60), 4, QPointF(70, 140))),
        std::unique_ptr<SketchShape>(
            makePath(nullptr, {{0, 0}, {80, 10}, {100, 90}, {30, 70}, {-10, 40}}, true, true)),
    };
    for (const std::unique_ptr<SketchShape> &shape : shapes) {
        shape->setFill(SkinBrush(QColor(Qt::darkBlue)));
        const QRectF interior = shape->opaqueInterior();
        const QString reason = outsideReason(shape->outline(), interior);
        QVERIFY2(reason.isEmpty(), qPrintable(reason));
        // The fill is the painted path, not just the outline polygon.
        QVERIFY(shape->path().contains(interior));
        const QRectF bounds = shape->boundingRect();
        QVERIFY2(interior.width() * interior.height() >= 0.1 * bounds.width() * bounds.height(),
                 qPrintable(describe(interior)));
    }
}

void TestOcclusion::nothingCountsAsOpaqueInterior_data()
{
    QTest::addColumn<int>("kind");
    const char *const names[] = {"no fill",     "see-through fill", "shape opacity", "image fill",
                                 "blurred",     "two points",       "group",         "flat box"};
    for (int kind = 0; kind < 8; ++kind)
        QTest::newRow(names[kind]) << kind;
}

void TestOcclusion::nothingCountsAsOpaqueInterior()
{
    QFETCH(int, kind);

    SketchDocumentView view;
    SketchLayer *layer = view.currentLayer();
    SketchShape *shape = makeBox(layer, QRectF(0, 0, 100, 100));
    shape->setFill(SkinBrush(QColor(Qt::red)));
    QVERIFY(!shape->opaqueInterior().isEmpty());
    switch (kind) {
    case 0:
        shape->setFill(SkinBrush::transparentBrush());
        break;
    case 1:
        shape->setFill(SkinBrush(QColor(255, 0, 0, 200)));
        break;
    case 2:
        shape->setOpacity(0.5f);
        break;
    case 3: {
        SkinBrush picture(SkinBrushImage);
        picture.setImageData(opaquePng());
        shape->setFill(picture);
        break;
    }
    case 4:
        shape->setBlur(1);
        break;
    case 5:
        delete shape->points().takeLast();
        delete shape->points().takeLast();
        break;
    case 6: {
        // A group of opaque boxes: its members are painted with their own
        // transforms, and the group's own box says nothing of them.
        SketchShape *other = makeBox(layer, QRectF(0, 0, 100, 100));
        other->setFill(SkinBrush(QColor(Qt::red)));
        auto *group = new SketchGroup(layer);
        group->shapes() = {shape, other};
        group->attachShapes();
        layer->shapes().append(group);
        group->setFill(SkinBrush(QColor(Qt::red)));
        shape = group;
        break;
    }
    default:
        for (SketchPoint *point : shape->points())
            point->setY(5);
        shape->invalidateOutline();
        break;
    }
    QVERIFY2(shape->opaqueInterior().isEmpty(), qPrintable(describe(shape->opaqueInterior())));
}

void TestOcclusion::opaqueInteriorFollowsThePoints()
{
    const std::unique_ptr<SketchShape> box(makeBox(nullptr, QRectF(0, 0, 100, 100)));
    box->setFill(SkinBrush(QColor(Qt::red)));
    QCOMPARE(box->opaqueInterior(), QRectF(0, 0, 100, 100));

    box->translate(10, 20);
    QCOMPARE(box->opaqueInterior(), QRectF(10, 20, 100, 100));

    // A point kept and changed later, then announced.
    SketchPoint *corner = box->points().at(2);
    QCOMPARE(box->opaqueInterior(), QRectF(10, 20, 100, 100));
    corner->setPos(210, 220);
    box->invalidateOutline();
    QString reason = outsideReason(box->outline(), box->opaqueInterior());
    QVERIFY2(reason.isEmpty(), qPrintable(reason));
    QVERIFY(box->opaqueInterior() != QRectF(10, 20, 100, 100));

    // Pulled into a dart: the old interior would now reach outside.
    box->points()[2]->setPos(30, 40);
    if (!box->opaqueInterior().isEmpty()) {
        reason = outsideReason(box->outline(), box->opaqueInterior());
        QVERIFY2(reason.isEmpty(), qPrintable(reason));
    }

    // Through the handles, as a drag moves them.
    box->points()[2]->setPos(110, 120);
    box->invalidateOutline();
    QCOMPARE(box->opaqueInterior(), QRectF(10, 20, 100, 100));
    box->setActiveHandle(SketchHandleFirstPoint + 2);
    box->moveHandle(40, 30);
    QCOMPARE(box->opaqueInterior(), QRectF(10, 20, 140, 130));

    // More points: a pentagon with the same box still lies inside.
    box->points().insert(2, new SketchPoint(200, 85));
    reason = outsideReason(box->outline(), box->opaqueInterior());
    QVERIFY2(reason.isEmpty(), qPrintable(reason));
}

void TestOcclusion::opaqueInteriorFollowsTheFill()
{
    const std::unique_ptr<SketchShape> box(makeBox(nullptr, QRectF(0, 0, 40, 30)));
    QVERIFY(box->opaqueInterior().isEmpty());
    box->setFill(SkinBrush(QColor(Qt::red)));
    QCOMPARE(box->opaqueInterior(), QRectF(0, 0, 40, 30));
    box->setFill(SkinBrush(QColor(255, 0, 0, 100)));
    QVERIFY(box->opaqueInterior().isEmpty());
    box->translate(5, 5);
    box->setFill(SkinBrush(QColor(Qt::red)));
    QCOMPARE(box->opaqueInterior(), QRectF(5, 5, 40, 30));
    box->setOpacity(0.9f);
    QVERIFY(box->opaqueInterior().isEmpty());
    box->setOpacity(1.0f);
    QCOMPARE(box->opaqueInterior(), QRectF(5, 5, 40, 30));
    box->setBlur(2);
    QVERIFY(box->opaqueInterior().isEmpty());
    box->setBlur(0);
    QCOMPARE(box->opaqueInterior(), QRectF(5, 5, 40, 30));
}

QTEST_MAIN(TestOcclusion)
#include "tst_occlusion.moc"
