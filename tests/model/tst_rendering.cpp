// Rendering the document to images: the page, one layer, some shapes and the
// slices, their backgrounds and borders, and the image files they go to.
#include "support/documents.h"
#include "support/livecounts.h"
#include "support/pixels.h"
#include "support/shapes.h"

#include "model/filehelpers.h"

#include <QImageReader>
#include <QTemporaryDir>
#include <QStandardPaths>
#include <QtTest>

namespace {

const QRgb White = qRgb(255, 255, 255);

QImage imageOf(const QPixmap &pixmap)
{
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

// Where the fitted painting puts a page point.
QPointF fitted(const QSize &paper, const QPointF &p)
{
    const qreal w = paper.width() - 6.0;
    const qreal h = paper.height() - 6.0;
    const qreal scale = qMin(w / paper.width(), h / paper.height());
    const qreal tx = 3.0 + (w - paper.width() * scale) * 0.5;
    const qreal ty = 3.0 + (h - paper.height() * scale) * 0.5;
    return QPointF(tx + p.x() * scale, ty + p.y() * scale);
}

} // namespace

class TestRendering : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup();

    void pageFormatSpellings();
    void transparentPaper_data();
    void transparentPaper();
    void borderOnlyWhenAskedAndVisible();
    void pageShapesKeepMargin();
    void layerRenderShowsHiddenLayer();
    void shapesRenderCropsAtPageScale();
    void shapesRenderBackground();
    void shapesRenderOfRotatedShape();
    void shapesRenderOfNoShapes();
    void slicePixmapsWithoutSlices();
    void slicePixmapsFollowNumbers();
    void slicePixmapsOfSlicesOffPaper();
    void emptyPaperRendersNothing();
    void imagesSavedBySuffix_data();
    void imagesSavedBySuffix();

private:
    SketchShape *filledBox(const QRectF &r, const QColor &color, SketchLayer *layer = nullptr);

    SketchDocumentView *m_view = nullptr;
    SketchDocument *m_document = nullptr;
    SketchLayer *m_layer = nullptr;
    LiveCounts m_counts;
};

void TestRendering::init()
{
    m_counts = LiveCounts();
    m_view = new SketchDocumentView;
    m_document = m_view->document();
    m_layer = m_document->layers().first();
    m_document->setPaperSize(QSize(200, 100));
}

void TestRendering::cleanup()
{
    delete m_view;
    m_view = nullptr;
    const LiveCounts now;
    QVERIFY2(now == m_counts, qPrintable(describe(now) + " after, " + describe(m_counts) + " before"));
}

SketchShape *TestRendering::filledBox(const QRectF &r, const QColor &color, SketchLayer *layer)
{
    SketchShape *shape = makeBox(layer ? layer : m_layer, r);
    shape->setFill(SkinBrush(color));
    SketchStroke none = shape->stroke();
    none.setBrush(SkinBrush::transparentBrush());
    shape->setStroke(none);
    return shape;
}

void TestRendering::pageFormatSpellings()
{
    filledBox(QRectF(20, 20, 50, 30), Qt::red);
    const QImage png = imageOf(m_document->renderToPixmap(true, "PNG"));
    QCOMPARE(png.size(), QSize(200, 100));
    QCOMPARE(imageOf(m_document->renderToPixmap(true, "png")), png);
    QCOMPARE(imageOf(m_document->renderToPixmap(true, ".png")), png);
    QCOMPARE(png.pixel(fitted(QSize(200, 100), QPointF(45, 35)).toPoint()), qRgb(255, 0, 0));
}

void TestRendering::transparentPaper_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QRgb>("corner");
    QTest::newRow("PNG") << "PNG" << qRgba(0, 0, 0, 0);
    QTest::newRow(".png") << ".png" << qRgba(0, 0, 0, 0);
    QTest::newRow("JPG") << "JPG" << White;
    QTest::newRow(".jpeg") << ".jpeg" << White;
    QTest::newRow("bmp") << "bmp" << White;
}

void TestRendering::transparentPaper()
{
    QFETCH(QString, format);
    QFETCH(QRgb, corner);
    m_document->setPaperColor(SkinBrush::transparentBrush());
    filledBox(QRectF(50, 25, 100, 50), Qt::blue);
    const QImage page = imageOf(m_document->renderToPixmap(false, format));
    QCOMPARE(page.pixel(0, 0), corner);
    QCOMPARE(page.pixel(100, 50), qRgb(0, 0, 255));
    // An opaque paper is painted whatever the format.
    m_document->setPaperColor(SkinBrush(QColor(Qt::yellow)));
    QCOMPARE(imageOf(m_document->renderToPixmap(false, format)).pixel(0, 0), qRgb(255, 255, 0));
}

void TestRendering::borderOnlyWhenAskedAndVisible()
{
    m_document->setPaperBorder(SketchStroke(Qt::red, 4, SketchStrokeSquare));
    QCOMPARE(imageOf(m_document->renderToPixmap(true, "PNG")).pixel(1, 50), qRgb(255, 0, 0));
    QCOMPARE(imageOf(m_document->renderToPixmap(false, "PNG")).pixel(1, 50), White);
    QCOMPARE(imageOf(m_document->renderLayerToPixmap(0, true, "PNG")).pixel(198, 50), qRgb(255, 0, 0));
    SketchStroke invisible = m_document->paperBorder();
    invisible.setBrush(SkinBrush::transparentBrush());
    m_document->setPaperBorder(invisible);
    QCOMPARE(imageOf(m_document->renderToPixmap(true, "PNG")).pixel(1, 50), White);
}

void TestRendering::pageShapesKeepMargin()
{
    filledBox(QRectF(0, 0, 200, 100), Qt::black);
    const QImage page = imageOf(m_document->renderToPixmap(false, "PNG"));
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(page.pixel(i, 50), White);
        QCOMPARE(page.pixel(100, i), White);
    }
    QCOMPARE(page.pixel(100, 50), qRgb(0, 0, 0));
}

void TestRendering::layerRenderShowsHiddenLayer()
{
    filledBox(QRectF(10, 10, 40, 40), Qt::red);
    SketchLayer *hidden = new SketchLayer(m_document, "Hidden");
    hidden->setVisible(false);
    m_document->layers().append(hidden);
    filledBox(QRectF(120, 40, 40, 40), Qt::blue, hidden);
    const QSize paper(200, 100);
    const QPoint red = fitted(paper, QPointF(30, 30)).toPoint();
    const QPoint blue = fitted(paper, QPointF(140, 60)).toPoint();

    const QImage page = imageOf(m_document->renderToPixmap(false, "PNG"));
    QCOMPARE(page.pixel(red), qRgb(255, 0, 0));
    QCOMPARE(page.pixel(blue), White);
    const QImage layer1 = imageOf(m_document->renderLayerToPixmap(1, false, "PNG"));
    QCOMPARE(layer1.pixel(blue), qRgb(0, 0, 255));
    QCOMPARE(layer1.pixel(red), White);
    const QImage blank = imageOf(m_document->renderLayerToPixmap(2, false, "PNG"));
    QCOMPARE(inkedPixels(blank, White), 0);
    QCOMPARE(imageOf(m_document->renderLayerToPixmap(-1, false, "PNG")), blank);
}

void TestRendering::shapesRenderCropsAtPageScale()
{
    SketchShape *a = filledBox(QRectF(20, 10, 30, 20), Qt::red);
    SketchShape *b = filledBox(QRectF(100, 60, 40, 30), Qt::blue);
    filledBox(QRectF(60, 30, 10, 10), Qt::green);
    const QImage cut = imageOf(m_document->renderShapesToPixmap({a, b}, false, "PNG"));
    // The union (20, 10) to (140, 90) grown by 2 on every side.
    QCOMPARE(cut.size(), QSize(124, 84));
    QCOMPARE(cut.pixel(2, 2), qRgb(255, 0, 0));
    QCOMPARE(cut.pixel(1, 1), White);
    QCOMPARE(cut.pixel(121, 81), qRgb(0, 0, 255));
    QCOMPARE(cut.pixel(122, 82), White);
    // Shapes not in the list are not drawn.
    QCOMPARE(cut.pixel(62 - 18, 32 - 8), White);

    // At the page's edge the cut keeps to the page.
    SketchShape *edge = filledBox(QRectF(0, 0, 10, 10), Qt::red);
    QCOMPARE(m_document->renderShapesToPixmap({edge}, false, "PNG").size(), QSize(12, 12));
}

void TestRendering::shapesRenderBackground()
{
    m_document->setPaperColor(SkinBrush::transparentBrush());
    SketchShape *a = filledBox(QRectF(20, 20, 30, 30), Qt::red);
    QCOMPARE(imageOf(m_document->renderShapesToPixmap({a}, false, "PNG")).pixel(0, 0), qRgba(0, 0, 0, 0));
    // Only "PNG" as it is counts as PNG here.
    QCOMPARE(imageOf(m_document->renderShapesToPixmap({a}, false, "png")).pixel(0, 0), White);
    QCOMPARE(imageOf(m_document->renderShapesToPixmap({a}, false, ".png")).pixel(0, 0), White);
}

void TestRendering::shapesRenderOfRotatedShape()
{
    SketchShape *bar = filledBox(QRectF(50, 45, 100, 10), Qt::red);
    bar->centerRotatePoint();
    bar->setRotateAngle(0.25f);
    const QImage cut = imageOf(m_document->renderShapesToPixmap({bar}, false, "PNG"));
    // Drawn upright: 10 wide and 100 high, the page cutting it at 0 and 100.
    QCOMPARE(cut.size(), QSize(14, 100));
    QCOMPARE(cut.pixel(7, 50), qRgb(255, 0, 0));
}

void TestRendering::shapesRenderOfNoShapes()
{
    m_document->setPaperBorder(SketchStroke(Qt::red, 1, SketchStrokeSquare));
    filledBox(QRectF(20, 20, 30, 30), Qt::blue);
    const QImage whole = imageOf(m_document->renderShapesToPixmap({}, true, "PNG"));
    QCOMPARE(whole.size(), QSize(200, 100));
    QCOMPARE(whole.pixel(0, 0), qRgb(255, 0, 0));
    QCOMPARE(whole.pixel(199, 99), qRgb(255, 0, 0));
    QCOMPARE(whole.pixel(30, 30), White);
}

void TestRendering::slicePixmapsWithoutSlices()
{
    filledBox(QRectF(20, 20, 30, 30), Qt::blue);
    const QList<QPixmap> images = m_document->slicePixmaps();
    QCOMPARE(images.size(), 1);
    QCOMPARE(imageOf(images.first()), imageOf(m_document->renderToPixmap(false, "PNG")));
    QVERIFY(m_document->sliceGrid());
}

void TestRendering::slicePixmapsFollowNumbers()
{
    m_document->setPaperBorder(SketchStroke(Qt::red, 3, SketchStrokeSquare));
    filledBox(QRectF(0, 0, 200, 100), Qt::green);
    addSlice(m_document, QRect(50, 20, 100, 40));
    const QList<QPixmap> images = m_document->slicePixmaps();
    const QList<QSize> sizes{{200, 20}, {50, 80}, {100, 40}, {50, 80}, {100, 40}};
    QCOMPARE(images.size(), sizes.size());
    const QImage page = imageOf(m_document->renderToPixmap(false, "PNG"));
    for (int i = 0; i < images.size(); ++i)
        QCOMPARE(images.at(i).size(), sizes.at(i));
    // Cut from one rendering without the border.
    QCOMPARE(imageOf(images.at(2)), page.copy(50, 20, 100, 40));
    QCOMPARE(imageOf(images.at(0)).pixel(100, 1), page.pixel(100, 1));
}

void TestRendering::slicePixmapsOfSlicesOffPaper()
{
    addSlice(m_document, QRect(150, 50, 100, 100));
    addSlice(m_document, QRect(500, 500, 10, 10));
    m_document->updateSliceGrid();
    const QList<SketchSlice *> sorted = m_document->sortedSlices();
    const QList<QPixmap> images = m_document->slicePixmaps();
    QCOMPARE(images.size(), sorted.size());
    // The slice sticking out is cut at the page; the one off it keeps its
    // number with an empty image.
    const int sticking = sorted.indexOf(m_document->slices().first());
    const int outside = sorted.indexOf(m_document->slices().last());
    QCOMPARE(images.at(sticking).size(), QSize(50, 50));
    QVERIFY(images.at(outside).isNull());
    QCOMPARE(outside, sorted.size() - 1);

    m_document->slices().first()->setRect(QRect(-300, 0, 100, 100));
    m_document->updateSliceGrid();
    const QList<QPixmap> pageOnly = m_document->slicePixmaps();
    QCOMPARE(pageOnly.size(), 1);
    QCOMPARE(pageOnly.first().size(), QSize(200, 100));
}

void TestRendering::emptyPaperRendersNothing()
{
    filledBox(QRectF(0, 0, 10, 10), Qt::red);
    addSlice(m_document, QRect(0, 0, 5, 5));
    for (const QSize &size : {QSize(0, 0), QSize(100, 0), QSize(-20, 50)}) {
        m_document->setPaperSize(size);
        QVERIFY(m_document->renderToPixmap(true, "PNG").isNull());
        QVERIFY(m_document->renderLayerToPixmap(0, true, "JPG").isNull());
        QVERIFY(m_document->renderShapesToPixmap(m_document->shapes(), true, "PNG").isNull());
        QVERIFY(m_document->slicePixmaps().isEmpty());
        QVERIFY(!savePixmapToFile(m_document->renderToPixmap(true, "PNG"), QDir::temp().filePath("never.png")));
    }
}

void TestRendering::imagesSavedBySuffix_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("format");
    QTest::newRow("png") << "page.png" << QByteArray("png");
    QTest::newRow("JPEG") << "page.JPEG" << QByteArray("jpeg");
    QTest::newRow("jpg") << "page.jpg" << QByteArray("jpeg");
    QTest::newRow("bmp") << "page.bmp" << QByteArray("bmp");
    QTest::newRow("gif") << "page.gif" << QByteArray("png");
    QTest::newRow("none") << "page" << QByteArray("png");
}

// Every render goes to a file in the format that the file's suffix names; a
// transparent paper stays transparent only in PNG.
void TestRendering::imagesSavedBySuffix()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, format);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    m_document->setPaperColor(SkinBrush::transparentBrush());
    SketchShape *shape = filledBox(QRectF(50, 25, 100, 50), Qt::blue);
    addSlice(m_document, QRect(0, 0, 100, 50));
    const bool png = format == "png";
    const QString renderFormat = png ? QStringLiteral("PNG") : QString::fromLatin1(format).toUpper();
    // The page and the layer: their corners are far from any shape.
    const QList<QPixmap> renders{m_document->renderToPixmap(false, renderFormat),
                                 m_document->renderLayerToPixmap(0, false, renderFormat)};
    QList<QPixmap> all = renders;
    all += m_document->renderShapesToPixmap({shape}, true, renderFormat);
    all += m_document->slicePixmaps();
    for (int i = 0; i < all.size(); ++i) {
        const QString file = dir.filePath(QString::number(i) + name);
        QVERIFY(savePixmapToFile(all.at(i), file));
        QImageReader reader(file);
        QCOMPARE(reader.format(), format);
        const QImage read = reader.read();
        QCOMPARE(read.size(), all.at(i).size());
        if (i < renders.size()) {
            const QRgb corner = read.convertToFormat(QImage::Format_ARGB32).pixel(0, 0);
            if (png) {
                QCOMPARE(qAlpha(corner), 0);
            } else {
                QCOMPARE(qAlpha(corner), 255);
                QVERIFY2(qRed(corner) > 245 && qGreen(corner) > 245 && qBlue(corner) > 245,
                         qPrintable(QString::number(corner, 16)));
            }
        }
    }
}

QTEST_MAIN(TestRendering)
#include "tst_rendering.moc"
