// SketchShape: outline, path, painting of content, text and handles, and the
// blurred picture.
#include "model/shapefixture.h"

#include "editor/sketchtool.h"

#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QTextOption>
#include <QtTest>

namespace {

QImage blankImage(int width = 200, int height = 200)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

// The box around every pixel that is not transparent.
QRect paintedArea(const QImage &image)
{
    QRect area;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > 0)
                area |= QRect(x, y, 1, 1);
        }
    }
    return area;
}

} // namespace

class TestSketchShapePaint : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void rectangleOutline();
    void ellipseOutline();
    void oneCornerOutline();
    void openLineOutline();
    void outlineFollowsChanges();

    void paintsFillAndStroke();
    void openShapeShowsNoText();
    void textAlignment();
    void verticalText();
    void shortBubbleFromFilePaints();

    void handleColours();
    void noHandlesUnderResizeTool();
    void ringFollowsPressedButton();

    void blurImageSizeAndOffset();
    void blurNeedsLayer();
    void absurdBlurSizesPaintAtOnce_data();
    void absurdBlurSizesPaintAtOnce();
    void resizeDropsBlurImage();

private:
    SketchDocumentView *m_view = nullptr;
    SketchLayer *m_layer = nullptr;
    LiveCounts m_counts;
};

void TestSketchShapePaint::init()
{
    m_counts = LiveCounts();
    m_view = new SketchDocumentView;
    m_layer = m_view->currentLayer();
}

void TestSketchShapePaint::cleanup()
{
    delete m_view;
    m_view = nullptr;
    const LiveCounts now;
    QVERIFY2(now == m_counts, qPrintable(describe(now) + " after, " + describe(m_counts) + " before"));
}

void TestSketchShapePaint::rectangleOutline()
{
    SketchShape *shape = makeBox(m_layer, QRectF(0, 0, 100, 50));
    const QPolygonF expected = QPolygonF() << QPointF(0, 0) << QPointF(100, 0) << QPointF(100, 0)
                                           << QPointF(100, 50) << QPointF(100, 50) << QPointF(0, 50)
                                           << QPointF(0, 50) << QPointF(0, 0);
    QCOMPARE(shape->outline(), expected);
    QCOMPARE(shape->boundingRect(), QRectF(0, 0, 100, 50));
    QCOMPARE(shape->center(), QPointF(50, 25));
}

void TestSketchShapePaint::ellipseOutline()
{
    SketchShape *shape = makeEllipse(m_layer, QRectF(0, 0, 100, 100));
    const QPolygonF outline = shape->outline();
    QVERIFY(outline.size() > 20);
    QCOMPARE(outline.first(), QPointF(0, 0));
    QCOMPARE(outline.last(), QPointF(0, 0));
    // A smooth curve bulges past the straight sides.
    QVERIFY(shape->boundingRect().width() > 100);
    QVERIFY(shape->needsAntialiasing());

    shape->setTension(0.0f);
    QCOMPARE(shape->outline(), QPolygonF() << QPointF(0, 0) << QPointF(100, 0) << QPointF(100, 100)
                                           << QPointF(0, 100) << QPointF(0, 0));
}

void TestSketchShapePaint::oneCornerOutline()
{
    SketchShape *shape = makeEllipse(m_layer, QRectF(0, 0, 100, 100));
    shape->points().at(2)->setCurve(false);
    const QPolygonF outline = shape->outline();
    QCOMPARE(outline.first(), QPointF(100, 100));
    QCOMPARE(outline.last(), QPointF(100, 100));
}

void TestSketchShapePaint::openLineOutline()
{
    SketchShape *shape = makePath(m_layer, {{10, 10}, {90, 40}}, false);
    QCOMPARE(shape->outline(), QPolygonF() << QPointF(10, 10) << QPointF(90, 40));
    const QPainterPath path = shape->path();
    QCOMPARE(path.elementCount(), 2);
    QVERIFY(path.elementAt(1).isLineTo());

    SketchShape single(m_layer);
    single.points().append(new SketchPoint(5, 5));
    QVERIFY(single.pointRuns().isEmpty());
    QImage image = blankImage();
    QPainter painter(&image);
    single.setFill(SkinBrush(QColor(Qt::red)));
    single.paint(&painter, 1.0f, true);
    painter.end();
    QVERIFY(paintedArea(image).isEmpty());
}

void TestSketchShapePaint::outlineFollowsChanges()
{
    SketchShape *shape = makeBox(m_layer, QRectF(0, 0, 100, 50));
    QCOMPARE(shape->boundingRect(), QRectF(0, 0, 100, 50));
    shape->points().at(2)->setX(150);
    QCOMPARE(shape->boundingRect(), QRectF(0, 0, 150, 50));
    shape->setActiveHandle(0);
    shape->moveHandle(10, 0);
    QCOMPARE(shape->boundingRect(), QRectF(10, 0, 150, 50));
    shape->points().at(0)->setCurve(true);
    const QPolygonF curved = shape->outline();
    shape->setTension(0.0f);
    QVERIFY(shape->outline() != curved);
    shape->setClosed(false);
    QCOMPARE(shape->outline().last(), QPointF(10, 50));
    shape->clearPoints();
    QVERIFY(shape->outline().isEmpty());
    QCOMPARE(shape->boundingRect(), QRectF());
}

void TestSketchShapePaint::paintsFillAndStroke()
{
    SketchShape *shape = makeBox(m_layer, QRectF(20, 20, 100, 50));
    shape->setFill(SkinBrush(QColor(Qt::red)));
    shape->setStroke(SketchStroke(Qt::blue, 4, 1));
    QImage image = blankImage();
    QPainter painter(&image);
    shape->paint(&painter, 1.0f, false);
    painter.end();
    QCOMPARE(image.pixel(70, 45), QColor(Qt::red).rgba());
    QCOMPARE(image.pixel(70, 20), QColor(Qt::blue).rgba());
    QCOMPARE(paintedArea(image), QRect(18, 18, 104, 54));
}

void TestSketchShapePaint::openShapeShowsNoText()
{
    SketchShape *shape = makeBox(m_layer, QRectF(10, 10, 150, 80));
    shape->setStroke(SketchStroke(QColor(Qt::transparent), 1, 0));
    shape->setText("Some words");
    QImage closed = blankImage();
    QPainter painter(&closed);
    shape->paint(&painter, 1.0f, false);
    painter.end();
    QVERIFY(!paintedArea(closed).isEmpty());

    shape->setClosed(false);
    QImage open = blankImage();
    QPainter openPainter(&open);
    shape->paint(&openPainter, 1.0f, false);
    openPainter.end();
    QVERIFY(paintedArea(open).isEmpty());
}

void TestSketchShapePaint::textAlignment()
{
    // Right aligned: the same as drawing the text straight with that option,
    // two lines right aligned, the block centred vertically.
    SketchShape *shape = makeBox(m_layer, QRectF(10, 10, 150, 100));
    shape->setStroke(SketchStroke(QColor(Qt::transparent), 1, 0));
    shape->setAlign(2);
    shape->setFontColor(Qt::darkGreen);
    // A font that the build installs: what stands in for the default family
    // depends on the fonts of the machine, and a script face's overhangs
    // reach past the box.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(20);
    shape->setFont(font);
    const QString text = "one\ntwo two";
    shape->setText(text);
    QImage painted = blankImage();
    QPainter painter(&painted);
    shape->paint(&painter, 1.0f, false);
    painter.end();

    QImage expected = blankImage();
    QPainter direct(&expected);
    direct.setFont(shape->font());
    direct.setPen(QColor(Qt::darkGreen));
    direct.drawText(QRectF(10, 12, 150, 98), text, QTextOption(Qt::AlignRight | Qt::AlignVCenter));
    direct.end();
    QCOMPARE(painted, expected);
    const QRect area = paintedArea(painted);
    QVERIFY(area.right() >= 150 && area.right() <= 160);
    QVERIFY(qAbs(area.center().y() - 61) <= 4);
}

void TestSketchShapePaint::verticalText()
{
    SketchShape *shape = makeBox(m_layer, QRectF(10, 10, 180, 60));
    shape->setStroke(SketchStroke(QColor(Qt::transparent), 1, 0));
    shape->setAlign(3);
    shape->setText("abcdefgh\nij");
    QImage image = blankImage();
    QPainter painter(&image);
    shape->paint(&painter, 1.0f, false);
    painter.end();
    const QRect area = paintedArea(image);
    QVERIFY(!area.isEmpty());
    // Columns, not one long line: the text stays within the box's height and
    // spreads out horizontally about the middle.
    QVERIFY(area.top() >= 12 && area.bottom() <= 80);
    QVERIFY(area.width() > 30);
    QVERIFY(qAbs(area.center().x() - 100) <= 20);
}

void TestSketchShapePaint::shortBubbleFromFilePaints()
{
    QDomDocument document;
    SketchShape *bubble = new SketchShape(m_layer);
    m_layer->shapes().append(bubble);
    bubble->readXml(parseElement(document,
        "<Shape Behavior=\"2\" Direction=\"3\" Text=\"hello\" Blur=\"1\" Points=\"10,10;100,10;100,60;10,60\">"
        "<Fill Color=\"#ff0000\"/></Shape>"));
    bubble->setSelected(true);
    QImage image = blankImage();
    QPainter painter(&image);
    bubble->paint(&painter, 1.0f, true);
    painter.end();
    QVERIFY(!paintedArea(image).isEmpty());
    QCOMPARE(bubble->textRect(), QRectF(10, 10, 90, 50));
}

void TestSketchShapePaint::handleColours()
{
    SketchShape *shape = makePath(m_layer, {{20, 20}, {100, 20}, {100, 100}});
    shape->points().at(1)->setCurve(true);
    shape->points().at(2)->setLocked(true);
    shape->setSelected(true);
    shape->setActiveHandle(4); // the curve point

    QImage image = blankImage();
    QPainter painter(&image);
    shape->paintHandles(&painter);
    painter.end();
    QCOMPARE(image.pixel(20, 20), QColor(Qt::white).rgba());
    QCOMPARE(image.pixel(100, 20), QColor(Qt::green).rgba());
    QCOMPARE(image.pixel(100, 100), QColor(Qt::gray).rgba());

    // On a locked shape every inactive handle is grey, the active one green.
    shape->setLocked(true);
    QImage locked = blankImage();
    QPainter lockedPainter(&locked);
    shape->paintHandles(&lockedPainter);
    lockedPainter.end();
    QCOMPARE(locked.pixel(20, 20), QColor(Qt::gray).rgba());
    QCOMPARE(locked.pixel(100, 20), QColor(Qt::green).rgba());
}

void TestSketchShapePaint::noHandlesUnderResizeTool()
{
    SketchShape *shape = makeBox(m_layer, QRectF(20, 20, 100, 50));
    shape->setSelected(true);
    m_view->setCurrentTool(SketchToolTypeResize, false);
    QImage image = blankImage();
    QPainter painter(&image);
    shape->paintHandles(&painter);
    painter.end();
    QVERIFY(paintedArea(image).isEmpty());
}

void TestSketchShapePaint::ringFollowsPressedButton()
{
    SketchShape *shape = makeBox(m_layer, QRectF(50, 50, 100, 50));
    auto ringWidth = [&]() {
        QImage image = blankImage();
        QPainter painter(&image);
        shape->paintPointHandle(&painter, shape->points().at(0), false, true);
        painter.end();
        // Pixels of the ring along the row through the point, left of the
        // square handle.
        int red = 0;
        for (int x = 40; x < 47; ++x) {
            if (qRed(image.pixel(x, 50)) > 128 && qGreen(image.pixel(x, 50)) < 100)
                ++red;
        }
        return red;
    };
    const int released = ringWidth();
    QTest::mousePress(m_view, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QCOMPARE(m_view->pressedButton(), Qt::LeftButton);
    const int pressed = ringWidth();
    QTest::mouseRelease(m_view, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QCOMPARE(m_view->pressedButton(), Qt::NoButton);
    QVERIFY(released >= 1);
    QVERIFY2(pressed > released, qPrintable(QString("%1 vs %2").arg(pressed).arg(released)));
}

void TestSketchShapePaint::blurImageSizeAndOffset()
{
    SketchShape *shape = makeBox(m_layer, QRectF(10.5, 20, 100.4, 50.6));
    shape->setFill(SkinBrush(QColor(Qt::red)));
    shape->setBlur(2);
    QVERIFY(shape->needsBlurImage());
    QImage target = blankImage(300, 200);
    QPainter painter(&target);
    shape->paint(&painter, 1.0f, false);
    painter.end();

    const QImage *blurred = shape->cachedBlurImage();
    QVERIFY(blurred);
    QCOMPARE(blurred->size(), QSize(120, 71));
    // Rendered with the translation (-1, -10): the box's left edge at 9.5,
    // its top at 10. Deep inside the fill is opaque red, the corner is clear.
    QCOMPARE(qRed(blurred->pixel(60, 35)), 255);
    QCOMPARE(qAlpha(blurred->pixel(60, 35)), 255);
    QCOMPARE(qAlpha(blurred->pixel(2, 2)), 0);
    // Drawn at (1, 11): one unit right of and below where it was rendered.
    QCOMPARE(target.pixel(61, 46), blurred->pixel(60, 35));
    QCOMPARE(paintedArea(target), paintedArea(*blurred).translated(1, 11));

    // Painting again keeps the cached picture.
    QPainter again(&target);
    shape->paint(&again, 1.0f, false);
    again.end();
    QCOMPARE(shape->cachedBlurImage(), blurred);
}

void TestSketchShapePaint::blurNeedsLayer()
{
    SketchShape loose(nullptr);
    loose.points() << new SketchPoint(0, 0) << new SketchPoint(50, 0) << new SketchPoint(50, 50);
    loose.setFill(SkinBrush(QColor(Qt::red)));
    loose.setBlur(3);
    QVERIFY(!loose.needsBlurImage());
    QImage image = blankImage();
    QPainter painter(&image);
    loose.paint(&painter, 1.0f, false);
    painter.end();
    QVERIFY(!loose.cachedBlurImage());
    QCOMPARE(image.pixel(40, 10), QColor(Qt::red).rgba());
}

void TestSketchShapePaint::absurdBlurSizesPaintAtOnce_data()
{
    QTest::addColumn<QString>("element");
    QTest::addColumn<bool>("blurred");

    QTest::newRow("huge coordinate")
        << "<Shape Blur=\"5\" Points=\"0,0;1e9,0;1e9,50;0,50\"><Fill Color=\"#ff0000\"/></Shape>" << false;
    QTest::newRow("huge negative coordinate")
        << "<Shape Blur=\"5\" Points=\"-1e9,-1e9;50,0;50,50\"><Fill Color=\"#ff0000\"/></Shape>" << false;
    QTest::newRow("page-wide shape")
        << "<Shape Blur=\"5\" Points=\"0,0;100000,0;100000,100000;0,100000\"><Fill Color=\"#ff0000\"/></Shape>"
        << false;
    QTest::newRow("huge blur")
        << "<Shape Blur=\"1000000\" Points=\"10,10;200,10;200,100;10,100\"><Fill Color=\"#ff0000\"/></Shape>"
        << true;
    QTest::newRow("huge blur of a large shape")
        << "<Shape Blur=\"1000000\" Points=\"0,0;1500,0;1500,1500;0,1500\"><Fill Color=\"#ff0000\"/></Shape>"
        << false;
}

void TestSketchShapePaint::absurdBlurSizesPaintAtOnce()
{
    QFETCH(QString, element);
    QFETCH(bool, blurred);
    QDomDocument document;
    SketchShape *shape = new SketchShape(m_layer);
    m_layer->shapes().append(shape);
    shape->readXml(parseElement(document, element));

    QElapsedTimer timer;
    timer.start();
    QImage image = blankImage(300, 300);
    QPainter painter(&image);
    shape->paint(&painter, 1.0f, false);
    painter.end();
    // Without the limits these take minutes; the margin leaves room for the
    // sanitizers and a busy machine.
    QVERIFY2(timer.elapsed() < 5000, qPrintable(QString("%1 ms").arg(timer.elapsed())));
    QCOMPARE(shape->cachedBlurImage() != nullptr, blurred);
    // Unblurred, it is still painted.
    QVERIFY(!paintedArea(image).isEmpty());
    if (blurred)
        QCOMPARE(shape->cachedBlurImage()->size(), (shape->boundingRect().size() + QSizeF(20, 20)).toSize());
}

void TestSketchShapePaint::resizeDropsBlurImage()
{
    SketchShape *shape = makeBox(m_layer, QRectF(10, 10, 50, 50));
    shape->setFill(SkinBrush(QColor(Qt::red)));
    shape->setBlur(1);
    shape->updateBlurImage();
    QVERIFY(shape->cachedBlurImage());
    shape->resize(QRectF(10, 10, 50, 50), 10, 10);
    QVERIFY(!shape->cachedBlurImage());
    shape->setBlur(0);
    shape->updateBlurImage();
    QVERIFY(!shape->cachedBlurImage());
}

QTEST_MAIN(TestSketchShapePaint)
#include "tst_sketchshapepaint.moc"
