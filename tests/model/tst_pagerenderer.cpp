// The page renderer: culled and banded renders of crowded pages against the
// plain single-threaded paint of every shape, on fresh documents (so that
// the renderer itself fills the caches the bands read) and through the
// document's exports.
#include "support/crowdedpage.h"
#include "support/heapbytes.h"
#include "support/livecounts.h"
#include "support/pixels.h"

#include "app/sketchlayerthumbnails.h"
#include "editor/sketchdocumentview.h"
#include "materials/sketchmaterial.h"
#include "model/pagerenderer.h"
#include "model/sketchdocument.h"
#include "model/sketchglobals.h"
#include "model/sketchgroup.h"
#include "model/sketchslice.h"

#include <QPainter>
#include <QStandardPaths>
#include <QThreadPool>
#include <QtTest>

#include <memory>
#include <thread>
#include <vector>

namespace {

constexpr int kShapes = 400;

// Where two pictures of one size differ: the largest channel difference and
// how many pixels differ at all.
struct Difference
{
    int largest = 0;
    int pixels = 0;
};

Difference compare(const QImage &a, const QImage &b)
{
    Difference difference;
    const QImage x = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int row = 0; row < x.height(); ++row) {
        const QRgb *p = reinterpret_cast<const QRgb *>(x.constScanLine(row));
        const QRgb *q = reinterpret_cast<const QRgb *>(y.constScanLine(row));
        for (int column = 0; column < x.width(); ++column) {
            const int d = qMax(qMax(qAbs(qRed(p[column]) - qRed(q[column])), qAbs(qGreen(p[column]) - qGreen(q[column]))),
                               qMax(qAbs(qBlue(p[column]) - qBlue(q[column])), qAbs(qAlpha(p[column]) - qAlpha(q[column]))));
            difference.largest = qMax(difference.largest, d);
            difference.pixels += d > 0 ? 1 : 0;
        }
    }
    return difference;
}

// A view holding a fresh crowded page: nothing painted, no cache filled.
std::unique_ptr<SketchDocumentView> crowdedView(const QSize &paper, quint32 seed, int shapes = kShapes)
{
    auto view = std::make_unique<SketchDocumentView>(nullptr);
    crowdedpage::fill(view->document(), paper, shapes, seed);
    return view;
}

QImage referencePage(const QSize &paper, quint32 seed, int shapes = kShapes)
{
    return crowdedView(paper, seed, shapes)->document()->renderToImage(true, "PNG", PageRenderer::reference());
}

// The shapes and, inside groups, their members.
QList<SketchShape *> everyShape(const QList<SketchShape *> &shapes)
{
    QList<SketchShape *> all;
    for (SketchShape *shape : shapes) {
        all.append(shape);
        if (shape->isGroup())
            all += everyShape(static_cast<SketchGroup *>(shape)->shapes());
    }
    return all;
}

int keptOutlines(const QList<SketchShape *> &shapes)
{
    int kept = 0;
    for (const SketchShape *shape : everyShape(shapes))
        kept += shape->keepsOutline() ? 1 : 0;
    return kept;
}

// The blurred pictures are kept by design, whatever paints them.
qint64 blurPictureBytes(const QList<SketchShape *> &shapes)
{
    qint64 bytes = 0;
    for (const SketchShape *shape : everyShape(shapes)) {
        if (const QImage *image = shape->cachedBlurImage())
            bytes += image->sizeInBytes();
    }
    return bytes;
}

// The paints other than the view's own, by name, of the view's page.
void paintTheWay(const QString &way, SketchDocumentView *view)
{
    SketchDocument *document = view->document();
    const QList<SketchShape *> shapes = document->layers().first()->shapes();
    if (way == "page") {
        document->renderToImage(true, "PNG");
    } else if (way == "layer") {
        document->renderLayerToPixmap(0, false, "JPG");
    } else if (way == "shapes") {
        document->renderShapesToPixmap(shapes.mid(0, 300), false, "PNG");
    } else if (way == "slices") {
        document->slicePixmaps();
    } else if (way == "print") {
        QImage sheet(document->paperSize(), QImage::Format_ARGB32_Premultiplied);
        sheet.fill(Qt::white);
        view->print(&sheet);
    } else if (way == "thumbnail") {
        QImage cell(22, 22, QImage::Format_ARGB32_Premultiplied);
        cell.fill(Qt::white);
        QPainter painter(&cell);
        SketchMaterial::paintFitted(&painter, QRectF(2, 2, 18, 18), shapes);
    } else if (way == "panel thumbnail") {
        SketchLayerThumbnails thumbnails(nullptr);
        QImage cell(22, 22, QImage::Format_ARGB32_Premultiplied);
        cell.fill(Qt::white);
        QPainter painter(&cell);
        thumbnails.paint(&painter, QRectF(2, 2, 18, 18), document->layers().first());
        thumbnails.makeWanted();
        thumbnails.paint(&painter, QRectF(2, 2, 18, 18), document->layers().first());
    }
}

// A picture of the size with a resolution of so many dots per inch.
QImage pictureAt(const QSize &size, int dpi)
{
    QImage picture(size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::white);
    picture.setDotsPerMeterX(qRound(dpi / 0.0254));
    picture.setDotsPerMeterY(qRound(dpi / 0.0254));
    return picture;
}

// Every shape straight through one painter on the picture itself.
void paintPlainly(QImage *picture, const QList<SketchShape *> &shapes)
{
    QPainter painter(picture);
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (SketchShape *shape : shapes) {
        painter.setTransform(shape->rotation());
        shape->paint(&painter, 1.0f, false);
    }
}

} // namespace

class TestPageRenderer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { m_counts = LiveCounts(); }
    void cleanup();

    void bandsEqualTheWholePaint_data();
    void bandsEqualTheWholePaint();
    void cullingChangesNoPixel_data();
    void cullingChangesNoPixel();
    void rendersAgainAlike();
    void whatIsWorthTheThreads_data();
    void whatIsWorthTheThreads();
    void exportsUseTheRenderer();
    void slicesAndShapesAlike();
    void concurrentRendersOfOneDocument();
    void edgeCases();
    void bandsKeepThePictureResolution_data();
    void bandsKeepThePictureResolution();
    void bandsShareOneTakingOfThePixels_data();
    void bandsShareOneTakingOfThePixels();
    void outlinesKeptOnlyWhereWorthIt();
    void whatPaintsKeep_data();
    void whatPaintsKeep();
    void theMagnifiedViewKeepsWhatItPaints();

private:
    LiveCounts m_counts;
};

void TestPageRenderer::cleanup()
{
    const LiveCounts now;
    QVERIFY2(now == m_counts, qPrintable(describe(now) + " after, " + describe(m_counts) + " before"));
}

void TestPageRenderer::bandsEqualTheWholePaint_data()
{
    QTest::addColumn<QSize>("paper");
    QTest::addColumn<int>("bands");
    QTest::addColumn<quint32>("seed");
    QTest::newRow("default paper, 2 bands") << QSize(842, 595) << 2 << 1u;
    QTest::newRow("default paper, 3 bands") << QSize(842, 595) << 3 << 2u;
    QTest::newRow("default paper, one per thread") << QSize(842, 595) << 0 << 3u;
    QTest::newRow("tall paper, 7 bands") << QSize(300, 1000) << 7 << 4u;
    QTest::newRow("wide thin paper, 16 bands") << QSize(1000, 37) << 16 << 5u;
    QTest::newRow("small paper, more bands than rows") << QSize(64, 40) << 9 << 6u;
    QTest::newRow("square paper, 5 bands") << QSize(257, 257) << 5 << 7u;
}

void TestPageRenderer::bandsEqualTheWholePaint()
{
    QFETCH(QSize, paper);
    QFETCH(int, bands);
    QFETCH(quint32, seed);
    const QImage whole = referencePage(paper, seed);
    const auto view = crowdedView(paper, seed);
    const QImage banded = view->document()->renderToImage(true, "PNG", PageRenderer(bands, true));
    QCOMPARE(banded.size(), paper);
    const Difference difference = compare(banded, whole);
    // Only rounding where a gradient span is cut at a band's edge.
    QVERIFY2(difference.largest <= 1, qPrintable(QString("largest difference %1").arg(difference.largest)));
    QVERIFY2(difference.pixels <= paper.width() * 2 * qMax(1, bands),
             qPrintable(QString("%1 pixels differ").arg(difference.pixels)));
}

void TestPageRenderer::cullingChangesNoPixel_data()
{
    QTest::addColumn<int>("shapes");
    QTest::newRow("crowded") << kShapes;
    QTest::newRow("very crowded") << 3 * kShapes;
}

// Shapes are skipped or clipped only where opaque shapes above paint over
// them, so one band with culling gives the plain paint exactly.
void TestPageRenderer::cullingChangesNoPixel()
{
    QFETCH(int, shapes);
    const QSize paper(600, 400);
    const QImage whole = referencePage(paper, 11, shapes);
    const auto view = crowdedView(paper, 11, shapes);
    const QImage culled = view->document()->renderToImage(true, "PNG", PageRenderer(1, true));
    const Difference difference = compare(culled, whole);
    QCOMPARE(difference.largest, 0);
}

// The second render reads the caches the first one filled.
void TestPageRenderer::rendersAgainAlike()
{
    const auto view = crowdedView(QSize(500, 300), 21);
    SketchDocument *document = view->document();
    const QImage first = document->renderToImage(false, "PNG", PageRenderer(4, true));
    QCOMPARE(compare(document->renderToImage(false, "PNG", PageRenderer(4, true)), first).largest, 0);
    QVERIFY(compare(document->renderToImage(false, "PNG", PageRenderer::reference()), first).largest <= 1);
}

// The page and layer pictures of the exports are the renderer's, with the
// same background and border rules.
void TestPageRenderer::whatIsWorthTheThreads_data()
{
    QTest::addColumn<int>("shapes");
    QTest::addColumn<qint64>("pixels");
    QTest::addColumn<bool>("banded");

    QTest::newRow("a few small shapes") << 5 << qint64(5 * 400) << false;
    QTest::newRow("a crowd of small shapes") << 500 << qint64(500 * 400) << true;
    // Magnified, a few shapes cover the view many times over.
    QTest::newRow("a few shapes over the whole view") << 4 << qint64(4 * 900 * 650) << true;
}

void TestPageRenderer::whatIsWorthTheThreads()
{
    QFETCH(int, shapes);
    QFETCH(qint64, pixels);
    QFETCH(bool, banded);
    if (QThreadPool::globalInstance()->maxThreadCount() < 2)
        QSKIP("one worker thread: nothing is ever banded");
    QCOMPARE(PageRenderer().paintsInBands(QSize(900, 650), shapes, pixels), banded);
    // A renderer told its bands paints in them whatever it is given.
    QVERIFY(PageRenderer(3, true).paintsInBands(QSize(900, 650), 1, 10));
    QVERIFY(!PageRenderer(1, true).paintsInBands(QSize(900, 650), shapes, pixels));
}

void TestPageRenderer::exportsUseTheRenderer()
{
    const QSize paper(420, 300);
    const auto view = crowdedView(paper, 31);
    SketchDocument *document = view->document();
    for (const QString &format : {QStringLiteral("PNG"), QStringLiteral("JPG")}) {
        const QImage whole = document->renderToImage(true, format, PageRenderer::reference());
        QVERIFY(compare(document->renderToPixmap(true, format).toImage(), whole).largest <= 1);
        const QImage layer = document->renderLayerToImage(0, false, format, PageRenderer::reference());
        QVERIFY(compare(document->renderLayerToPixmap(0, false, format).toImage(), layer).largest <= 1);
    }
}

void TestPageRenderer::slicesAndShapesAlike()
{
    const auto view = crowdedView(QSize(400, 300), 41);
    SketchDocument *document = view->document();
    const QImage page = document->renderToImage(false, "PNG", PageRenderer::reference());
    const QList<QPixmap> slices = document->slicePixmaps();
    const QList<SketchSlice *> sorted = document->sortedSlices();
    QCOMPARE(slices.size(), sorted.size());
    for (int i = 0; i < slices.size(); ++i) {
        const QRect onPage = sorted.at(i)->rect() & page.rect();
        if (onPage.isEmpty())
            continue;
        QVERIFY(compare(slices.at(i).toImage(), page.copy(onPage)).largest <= 1);
    }
    // The selected-shapes picture at page scale, culled among those shapes.
    const QList<SketchShape *> some = document->layers().first()->shapes().mid(50, 120);
    const QImage cut = document->renderShapesToPixmap(some, false, "PNG").toImage();
    QVERIFY(!cut.isNull());
    auto reference = crowdedView(QSize(400, 300), 41);
    const QList<SketchShape *> same = reference->document()->layers().first()->shapes().mid(50, 120);
    QImage plain(QSize(400, 300), QImage::Format_ARGB32_Premultiplied);
    plain.fill(Qt::transparent);
    {
        QPainter painter(&plain);
        reference->document()->paperColor().fillRect(&painter, QRectF(plain.rect()));
    }
    PageRenderer::reference().paint(&plain, same, QTransform(), 1.0f);
    QRect crop;
    for (const SketchShape *shape : same)
        crop |= shape->rotation().mapRect(shape->boundingRect()).toAlignedRect();
    crop = crop.adjusted(-2, -2, 2, 2) & plain.rect();
    QCOMPARE(cut.size(), crop.size());
    QVERIFY(compare(cut, plain.copy(crop)).largest <= 1);
}

// Several threads rendering the same (prepared) document at once, as a
// batch of exports may: every picture equals the first.
void TestPageRenderer::concurrentRendersOfOneDocument()
{
    const auto view = crowdedView(QSize(300, 200), 51);
    SketchDocument *document = view->document();
    const QImage first = document->renderToImage(false, "PNG", PageRenderer(3, true));
    // Threads of the standard library, whose start and end a race detector
    // follows, unlike the hand-overs inside Qt's pool.
    std::vector<QImage> pictures(4);
    std::vector<std::thread> runs;
    for (QImage &picture : pictures)
        runs.emplace_back([&picture, document]() {
            picture = document->renderToImage(false, "PNG", PageRenderer(3, true));
        });
    for (std::thread &run : runs)
        run.join();
    for (const QImage &picture : pictures)
        QCOMPARE(compare(picture, first).largest, 0);
}

void TestPageRenderer::edgeCases()
{
    const auto view = crowdedView(QSize(100, 80), 61, 40);
    SketchDocument *document = view->document();
    // No picture, no shapes, a null picture: nothing painted, nothing broken.
    const PageRenderer renderer(4, true);
    renderer.paint(nullptr, document->shapes(), QTransform(), 1.0f);
    QImage none;
    renderer.paint(&none, document->shapes(), QTransform(), 1.0f);
    QVERIFY(none.isNull());
    QImage blank(10, 10, QImage::Format_ARGB32_Premultiplied);
    blank.fill(Qt::white);
    renderer.paint(&blank, {}, QTransform(), 1.0f);
    QCOMPARE(inkedPixels(blank, qRgb(255, 255, 255)), 0);
    // A picture of one row, split into as many bands as asked for at most.
    QImage row(50, 1, QImage::Format_ARGB32_Premultiplied);
    row.fill(Qt::white);
    PageRenderer(8, true).paint(&row, document->shapes(), QTransform::fromScale(0.5, 0.5), 0.5f);
    QImage plainRow(50, 1, QImage::Format_ARGB32_Premultiplied);
    plainRow.fill(Qt::white);
    PageRenderer::reference().paint(&plainRow, document->shapes(), QTransform::fromScale(0.5, 0.5), 0.5f);
    QVERIFY(compare(row, plainRow).largest <= 1);
    // An empty paper still gives a null picture.
    document->setPaperSize(QSize(0, 80));
    QVERIFY(document->renderToImage(true, "PNG").isNull());
}

// An export leaves no outline behind but on the selected shapes; a hit test
// keeps the outline of the shape it looked at closely; painting is the same
// whether the outline was kept or built for the moment.
void TestPageRenderer::outlinesKeptOnlyWhereWorthIt()
{
    const auto view = crowdedView(QSize(400, 300), 71, 200);
    SketchDocument *document = view->document();
    const QList<SketchShape *> shapes = document->layers().first()->shapes();
    SketchShape *selected = shapes.at(3);
    selected->setSelected(true);
    const QImage first = document->renderToImage(false, "PNG");
    for (const SketchShape *shape : shapes)
        QCOMPARE(shape->keepsOutline(), shape == selected);

    SketchShape *probed = shapes.at(7);
    const QPointF inside = probed->boundingRect().center();
    probed->hitTest(float(inside.x()), float(inside.y()));
    QVERIFY(probed->keepsOutline());
    QVERIFY(!shapes.at(8)->keepsOutline());
    QCOMPARE(compare(document->renderToImage(false, "PNG"), first).largest, 0);
}

void TestPageRenderer::bandsKeepThePictureResolution_data()
{
    QTest::addColumn<int>("bands");
    QTest::newRow("one band") << 1;
    QTest::newRow("five bands") << 5;
}

// A font given in points is sized by the resolution of the picture it is
// painted on, whether through the bands or not.
void TestPageRenderer::bandsKeepThePictureResolution()
{
    QFETCH(int, bands);
    SketchDocumentView view;
    SketchLayer *layer = view.document()->layers().first();
    QFont font = *SketchGlobals::defaultFont();
    font.setPointSizeF(11.0);
    QList<SketchShape *> shapes;
    for (int i = 0; i < 12; ++i) {
        SketchShape *box = addBox(layer, 10 + (i % 4) * 95, 10 + (i / 4) * 95, 90, 90, Qt::white);
        box->setFont(font);
        box->setText(QStringLiteral("Tall words in points"));
        shapes.append(box);
    }
    QImage plain = pictureAt(QSize(400, 300), 192);
    paintPlainly(&plain, shapes);
    QImage banded = pictureAt(QSize(400, 300), 192);
    PageRenderer(bands, true).paint(&banded, shapes, QTransform(), 1.0f);
    QVERIFY2(compare(banded, plain).largest <= 1, qPrintable(QString("%1 pixels differ").arg(compare(banded, plain).pixels)));
    // The resolution does size the text: at 96 dpi it comes out otherwise.
    QImage smaller = pictureAt(QSize(400, 300), 96);
    paintPlainly(&smaller, shapes);
    QVERIFY(compare(smaller, plain).pixels > 1000);
}

void TestPageRenderer::bandsShareOneTakingOfThePixels_data()
{
    QTest::addColumn<int>("bands");
    QTest::newRow("one band") << 1;
    QTest::newRow("six bands") << 6;
}

// The pixels are taken once, on the calling thread, and the bands paint
// into them: a picture counts one detach for the whole paint (taking them
// in every band would count one per band, unsynchronised).
void TestPageRenderer::bandsShareOneTakingOfThePixels()
{
    QFETCH(int, bands);
    const auto view = crowdedView(QSize(300, 200), 81, 120);
    QImage picture(300, 200, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::white);
    const qint64 before = picture.cacheKey();
    PageRenderer(bands, true).paint(&picture, view->document()->layers().first()->shapes(), QTransform(), 1.0f);
    QCOMPARE(picture.cacheKey() - before, qint64(1));
}

void TestPageRenderer::whatPaintsKeep_data()
{
    QTest::addColumn<float>("zoom");
    QTest::addColumn<QString>("way");
    for (const float zoom : {1.0f, 2.0f, 8.0f}) {
        for (const char *way : {"page", "layer", "shapes", "slices", "print", "thumbnail", "panel thumbnail"})
            QTest::addRow("%s at zoom %g", way, double(zoom)) << zoom << QString(way);
    }
}

// Whatever the view's zoom, an export, a print, the slice images or a
// thumbnail keep no outline but the selected shape's, and leave no more
// than the shapes' bounds and laid-out texts behind: a few hundred bytes
// a shape (the blurred pictures aside, which are kept by design).
void TestPageRenderer::whatPaintsKeep()
{
    QFETCH(float, zoom);
    QFETCH(QString, way);
    const int count = 900;
    {
        // Fonts, glyphs and the worker threads, made once for the process.
        const auto warm = crowdedView(QSize(400, 300), 90, count);
        warm->setZoom(zoom);
        paintTheWay(way, warm.get());
    }
    const auto view = crowdedView(QSize(400, 300), 91, count);
    view->setZoom(zoom);
    const QList<SketchShape *> shapes = view->document()->layers().first()->shapes();
    SketchShape *selected = shapes.at(5);
    selected->setSelected(true);
    const qint64 before = heapBytesInUse();
    paintTheWay(way, view.get());
    const qint64 left = heapBytesInUse() - before - blurPictureBytes(shapes);
    QVERIFY(selected->keepsOutline());
    QCOMPARE(keptOutlines(shapes), 1);
    const qint64 perShape = left / everyShape(shapes).size();
    QVERIFY2(perShape <= 300, qPrintable(QString("%1 bytes a shape left behind").arg(perShape)));
}

// The view's own repaint keeps the outlines of what it paints while it is
// magnified, and of nothing at zoom 1; painting from a kept outline looks
// the same as from one built for the moment.
void TestPageRenderer::theMagnifiedViewKeepsWhatItPaints()
{
    const auto view = crowdedView(QSize(400, 300), 95, 200);
    view->resize(300, 200);
    const QList<SketchShape *> shapes = view->document()->layers().first()->shapes();
    QImage shown(view->size(), QImage::Format_ARGB32_Premultiplied);
    view->render(&shown);
    QCOMPARE(keptOutlines(shapes), 0);

    view->setZoom(2.0f);
    QImage magnified(view->size(), QImage::Format_ARGB32_Premultiplied);
    view->render(&magnified);
    const int kept = keptOutlines(shapes);
    QVERIFY(kept > 0);
    QVERIFY(kept < everyShape(shapes).size());
    QImage again(view->size(), QImage::Format_ARGB32_Premultiplied);
    view->render(&again);
    QCOMPARE(compare(again, magnified).largest, 0);
    QCOMPARE(keptOutlines(shapes), kept);
}

QTEST_MAIN(TestPageRenderer)
#include "tst_pagerenderer.moc"
