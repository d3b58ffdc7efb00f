// Which of the shapes offered to a repaint it has to draw, and where. A shape
// wholly under the opaque inside of a shape above is left out; anything that
// lets it show through or reach out keeps it.

#include "support/livecounts.h"
#include "support/pixels.h"
#include "support/shapes.h"

#include "model/sketchgroup.h"
#include "model/sketchstroke.h"
#include "model/skinbrush.h"
#include "model/visibleshapes.h"

#include <QImage>
#include <QPainter>
#include <QStandardPaths>
#include <QtTest>

#include <memory>
#include <vector>

namespace {

const QRect Exposed(0, 0, 200, 200);

enum Cover
{
    Opaque = 0,
    SeeThrough = 1,
    Turned = 2,
    Blurred = 3,
    Ellipse = 4
};

enum Low
{
    Plain = 0,
    OverflowingText = 1,
    WideStroke = 2,
    Group = 3
};

} // namespace

class TestVisibleShapes : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void shapeUnderACover_data();
    void shapeUnderACover();
    void aChangedTextIsLaidOutAgain_data();
    void aChangedTextIsLaidOutAgain();
    void partlyCoveredShapeIsClippedToWhatShows();
    void shapesOutsideTheAreaAreDropped();
    void orderIsKeptBottomFirst();
    void reachHoldsEverythingTheShapePaints_data();
    void reachHoldsEverythingTheShapePaints();
};

void TestVisibleShapes::shapeUnderACover_data()
{
    QTest::addColumn<int>("cover");
    QTest::addColumn<int>("low");
    QTest::addColumn<bool>("shows");

    QTest::newRow("opaque box over a box") << int(Opaque) << int(Plain) << false;
    QTest::newRow("opaque ellipse over a small box") << int(Ellipse) << int(Plain) << false;
    QTest::newRow("see-through cover") << int(SeeThrough) << int(Plain) << true;
    QTest::newRow("turned cover") << int(Turned) << int(Plain) << true;
    QTest::newRow("blurred cover") << int(Blurred) << int(Plain) << true;
    QTest::newRow("text running out from under") << int(Opaque) << int(OverflowingText) << true;
    QTest::newRow("stroke reaching out from under") << int(Opaque) << int(WideStroke) << true;
    QTest::newRow("group with a member outside") << int(Opaque) << int(Group) << true;
}

void TestVisibleShapes::shapeUnderACover()
{
    QFETCH(int, cover);
    QFETCH(int, low);
    QFETCH(bool, shows);

    SketchDocumentView view;
    SketchLayer *layer = view.currentLayer();
    SketchShape *under = makeBox(layer, QRectF(60, 60, 30, 20));
    under->setFill(SkinBrush(QColor(Qt::red)));
    if (low == OverflowingText) {
        under->setText(QStringLiteral("Averyveryverylongwordthatrunsfaroutofitsbox"));
        QFont font = under->font();
        font.setPixelSize(14);
        under->setFont(font);
    } else if (low == WideStroke) {
        under->setStroke(SketchStroke(Qt::black, 60, SketchStrokeRound));
    } else if (low == Group) {
        SketchShape *outside = makeBox(layer, QRectF(150, 150, 20, 20));
        auto *group = new SketchGroup(layer);
        group->shapes() = {under, outside};
        group->attachShapes();
        layer->shapes().append(group);
        under = group;
    }

    SketchShape *top = cover == Ellipse ? makeEllipse(layer, QRectF(0, 0, 150, 150))
                                        : makeBox(layer, QRectF(20, 20, 100, 100));
    top->setFill(SkinBrush(cover == SeeThrough ? QColor(0, 0, 255, 200) : QColor(Qt::blue)));
    if (cover == Blurred)
        top->setBlur(2);
    QTransform topTransform;
    if (cover == Turned)
        topTransform.translate(70, 70).rotate(10).translate(-70, -70);

    VisibleShapes visible(Exposed);
    visible.offer(under, view.shapeTransform(under));
    visible.offer(top, topTransform);
    const QVector<VisibleShapes::Entry> entries = visible.unhidden();
    QVERIFY(!entries.isEmpty());
    QCOMPARE(entries.last().shape, top);
    QCOMPARE(entries.size() == 2, shows);
    if (shows)
        QCOMPARE(entries.first().shape, under);
}

void TestVisibleShapes::aChangedTextIsLaidOutAgain_data()
{
    QTest::addColumn<QString>("change");
    QTest::newRow("text") << QStringLiteral("text");
    QTest::newRow("font") << QStringLiteral("font");
    QTest::newRow("alignment") << QStringLiteral("alignment");
}

// Repaints keep the layout of each shape's text; a shape whose text, font
// or alignment changed since must not be judged by the old one.
void TestVisibleShapes::aChangedTextIsLaidOutAgain()
{
    QFETCH(QString, change);

    SketchDocumentView view;
    SketchLayer *layer = view.currentLayer();
    SketchShape *under = makeBox(layer, QRectF(60, 60, 30, 20));
    under->setText(QStringLiteral("Hi"));
    QFont font = under->font();
    font.setPixelSize(10);
    under->setFont(font);
    SketchShape *top = makeBox(layer, QRectF(20, 20, 100, 100));
    top->setFill(SkinBrush(QColor(Qt::blue)));
    const auto shows = [&] {
        VisibleShapes visible(Exposed);
        visible.offer(under, view.shapeTransform(under));
        visible.offer(top, QTransform());
        return visible.unhidden().size() == 2;
    };
    QVERIFY(!shows());

    if (change == QLatin1String("text")) {
        under->setText(QStringLiteral("Averyveryverylongwordthatrunsfaroutofitsbox"));
    } else if (change == QLatin1String("font")) {
        font.setPixelSize(150);
        under->setFont(font);
    } else {
        // Laid out in columns, the text may run anywhere its characters reach.
        under->setAlign(3);
    }
    QVERIFY(shows());
}

void TestVisibleShapes::partlyCoveredShapeIsClippedToWhatShows()
{
    const std::unique_ptr<SketchShape> under(makeBox(nullptr, QRectF(100, 50, 80, 40)));
    const std::unique_ptr<SketchShape> top(makeBox(nullptr, QRectF(0, 0, 140, 200)));
    top->setFill(SkinBrush(QColor(Qt::blue)));

    VisibleShapes visible(Exposed);
    visible.offer(under.get(), QTransform());
    visible.offer(top.get(), QTransform());
    const QVector<VisibleShapes::Entry> entries = visible.unhidden();
    QCOMPARE(entries.size(), 2);
    // The top shape may change anything it reaches; the one below only what
    // the cover leaves open (to within the cover's antialiased edge).
    QVERIFY(entries.at(1).visibleArea.contains(QRect(0, 0, 140, 200)));
    const QRect open = entries.at(0).visibleArea;
    QVERIFY2(open.left() >= 136 && open.left() <= 140, qPrintable(QString::number(open.left())));
    QVERIFY(open.contains(QRect(140, 50, 40, 40)));
}

void TestVisibleShapes::shapesOutsideTheAreaAreDropped()
{
    const std::unique_ptr<SketchShape> inside(makeBox(nullptr, QRectF(10, 10, 20, 20)));
    const std::unique_ptr<SketchShape> outside(makeBox(nullptr, QRectF(400, 10, 20, 20)));
    // Drawn at 4 times the size, far to the left: its pixels never reach.
    const std::unique_ptr<SketchShape> scaledAway(makeBox(nullptr, QRectF(10, 10, 20, 20)));

    VisibleShapes visible(Exposed);
    visible.offer(inside.get(), QTransform());
    visible.offer(outside.get(), QTransform());
    visible.offer(scaledAway.get(), QTransform(4, 0, 0, 4, -500, 0));
    visible.offer(nullptr, QTransform());
    const QVector<VisibleShapes::Entry> entries = visible.unhidden();
    QCOMPARE(entries.size(), 1);
    QCOMPARE(entries.first().shape, inside.get());
}

void TestVisibleShapes::orderIsKeptBottomFirst()
{
    std::vector<std::unique_ptr<SketchShape>> shapes;
    VisibleShapes visible(Exposed);
    for (int i = 0; i < 5; ++i) {
        shapes.emplace_back(makeBox(nullptr, QRectF(10 + 30 * i, 10, 40, 40)));
        shapes.back()->setFill(SkinBrush(QColor(Qt::green)));
        visible.offer(shapes.back().get(), QTransform());
    }
    const QVector<VisibleShapes::Entry> entries = visible.unhidden();
    QCOMPARE(entries.size(), 5);
    for (int i = 0; i < 5; ++i)
        QCOMPARE(entries.at(i).shape, shapes.at(size_t(i)).get());
}

void TestVisibleShapes::reachHoldsEverythingTheShapePaints_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<qreal>("zoom");
    const char *const kinds[] = {"box", "mitred spike", "blur", "overflowing text", "vertical text",
                                 "turned box", "group with a turned member"};
    for (const char *kind : kinds) {
        for (qreal zoom : {1.0, 3.0})
            QTest::newRow(qPrintable(QStringLiteral("%1 at %2").arg(QLatin1String(kind)).arg(zoom)))
                << QString::fromLatin1(kind) << zoom;
    }
}

// A repaint of the shape's old place must take away every pixel it painted:
// no pixel of the shape lies outside its reach.
void TestVisibleShapes::reachHoldsEverythingTheShapePaints()
{
    QFETCH(QString, kind);
    QFETCH(qreal, zoom);

    SketchDocumentView view;
    view.resize(400, 400);
    SketchLayer *layer = view.currentLayer();
    SketchShape *shape = nullptr;
    if (kind == QLatin1String("mitred spike")) {
        shape = makePath(layer, {{20, 60}, {90, 66}, {20, 72}});
        shape->setStroke(SketchStroke(Qt::black, 12, SketchStrokeSquare));
    } else if (kind == QLatin1String("group with a turned member")) {
        SketchShape *a = makeBox(layer, QRectF(30, 30, 30, 20));
        SketchShape *b = makeBox(layer, QRectF(50, 60, 60, 15));
        b->centerRotatePoint();
        b->setRotateAngle(0.15f);
        auto *group = new SketchGroup(layer);
        group->shapes() = {a, b};
        group->attachShapes();
        layer->shapes().append(group);
        shape = group;
    } else {
        shape = makeBox(layer, QRectF(40, 40, 50, 30));
    }
    shape->setFill(SkinBrush(QColor(200, 30, 30)));
    if (kind == QLatin1String("blur"))
        shape->setBlur(4);
    if (kind == QLatin1String("overflowing text") || kind == QLatin1String("vertical text")) {
        shape->setText(QStringLiteral("Averyverylongword\nand more lines\nbelow"));
        shape->setAlign(kind == QLatin1String("vertical text") ? 3 : 1);
    }
    if (kind == QLatin1String("turned box")) {
        shape->centerRotatePoint();
        shape->setRotateAngle(0.1f);
    }
    view.setZoom(float(zoom));

    const QTransform transform = view.shapeTransform(shape);
    VisibleShapes visible(QRect(0, 0, 400, 400));
    visible.offer(shape, transform);
    const QVector<VisibleShapes::Entry> entries = visible.unhidden();
    QCOMPARE(entries.size(), 1);
    const QRect reach = entries.first().reach;

    QImage painted(400, 400, QImage::Format_ARGB32_Premultiplied);
    painted.fill(Qt::transparent);
    {
        QPainter painter(&painted);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setTransform(transform);
        shape->paint(&painter, 1.0f, false);
    }
    QRect inked;
    for (int y = 0; y < painted.height(); ++y) {
        for (int x = 0; x < painted.width(); ++x) {
            if (qAlpha(painted.pixel(x, y)) != 0)
                inked |= QRect(x, y, 1, 1);
        }
    }
    QVERIFY(!inked.isEmpty());
    QVERIFY2(reach.contains(inked), qPrintable(QStringLiteral("painted (%1, %2) %3 x %4 out of reach (%5, %6) %7 x %8")
                                                   .arg(inked.x())
                                                   .arg(inked.y())
                                                   .arg(inked.width())
                                                   .arg(inked.height())
                                                   .arg(reach.x())
                                                   .arg(reach.y())
                                                   .arg(reach.width())
                                                   .arg(reach.height())));
}

QTEST_MAIN(TestVisibleShapes)
#include "tst_visibleshapes.moc"
