// SketchDocument: defaults, queries, slices and the slice grid, painting,
// copies and the write-back of an edited group.
#include "support/documents.h"
#include "support/livecounts.h"
#include "support/pixels.h"
#include "support/shapes.h"

#include "model/sketchglobals.h"

#include <QPainter>
#include <QPointer>
#include <QRandomGenerator>
#include <QSet>
#include <QStandardPaths>
#include <QtTest>

namespace {

QList<QRect> rectsOf(const QList<SketchSlice *> &slices)
{
    QList<QRect> rects;
    for (const SketchSlice *slice : slices)
        rects.append(slice->rect());
    return rects;
}

QList<int> numbersOf(const QList<SketchSlice *> &slices)
{
    QList<int> numbers;
    for (const SketchSlice *slice : slices)
        numbers.append(slice->number());
    return numbers;
}

// The block owners of the grid in reading order.
QList<SketchSliceGridCell *> blockOwners(const SketchSliceGrid *grid)
{
    QList<SketchSliceGridCell *> owners;
    for (SketchSliceGridCell *cell : grid->cells()) {
        if (cell->isTaken() && !cell->isCovered())
            owners.append(cell);
    }
    return owners;
}

} // namespace

class TestSketchDocument : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup();

    void newDocument();
    void clearing();
    void shapeQueries();
    void lockedLayerQueries();
    void innerShapeQueries();
    void shapesFromTop();
    void sliceQueries();
    void sortedSlicesPutsLaterEqualFirst();
    void gridWithoutSlices();
    void gridWithOneMiddleSlice();
    void gridJoinsSideBySideBlocks();
    void gridHoldsForAnySlices_data();
    void gridHoldsForAnySlices();
    void gridRebuildReplacesAutomaticSlices();
    void gridOfEmptyPaper();
    void paintShapesInRectFitsPaper();
    void paintShapesInRectIgnoresEmptyInput();
    void paintUsesViewTransform();
    void cachedImage();
    void copyToIsDeep();
    void cloneNeedsView();
    void writeShapesToGroupReplacesMembers();
    void writeShapesToGroupKeepsRotation();
    void writeShapesToGroupIgnoresZoom();

private:
    SketchDocumentView *m_view = nullptr;
    SketchDocument *m_document = nullptr;
    SketchLayer *m_layer = nullptr;
    LiveCounts m_counts;
};

void TestSketchDocument::init()
{
    m_counts = LiveCounts();
    m_view = new SketchDocumentView;
    m_document = m_view->document();
    m_layer = m_document->layers().first();
}

void TestSketchDocument::cleanup()
{
    delete m_view;
    m_view = nullptr;
    const LiveCounts now;
    QVERIFY2(now == m_counts, qPrintable(describe(now) + " after, " + describe(m_counts) + " before"));
}

void TestSketchDocument::newDocument()
{
    const int documents = SketchGlobals::DocumentCount;
    SketchDocument document(nullptr);
    QCOMPARE(SketchGlobals::DocumentCount, documents + 1);
    QCOMPARE(document.view(), nullptr);
    QCOMPARE(document.layers().size(), 1);
    SketchLayer *layer = document.layers().first();
    QCOMPARE(layer->name(), QString("Layer1"));
    QVERIFY(layer->isVisible());
    QVERIFY(!layer->isLocked());
    QCOMPARE(layer->parent(), &document);
    QCOMPARE(document.paperSize(), QSize(842, 595));
    QCOMPARE(document.paperColor(), SkinBrush::whiteBrush());
    QCOMPARE(document.paperBorder(), SketchStroke(Qt::black, 1, SketchStrokeSquare));
    QVERIFY(document.slices().isEmpty());
    QVERIFY(document.autoSlices().isEmpty());
    QCOMPARE(document.sliceGrid(), nullptr);
    QCOMPARE(document.cachedImage(), nullptr);
    QVERIFY(document.isEmpty());
    QCOMPARE(m_document->view(), m_view);
    QCOMPARE(m_document->parent(), m_view);
}

void TestSketchDocument::clearing()
{
    makeBox(m_layer, QRectF(0, 0, 5, 5));
    addSlice(m_document, QRect(0, 0, 10, 10));
    m_document->updateSliceGrid();
    QVERIFY(!m_document->autoSlices().isEmpty());
    QPointer<SketchSlice> automatic = m_document->autoSlices().first();
    m_document->clearSlices();
    QVERIFY(m_document->slices().isEmpty());
    QVERIFY(m_document->autoSlices().isEmpty());
    QVERIFY(!automatic);
    QPointer<SketchLayer> layer = m_layer;
    m_document->clearLayers();
    QVERIFY(m_document->layers().isEmpty());
    QVERIFY(!layer);
    QCOMPARE(m_document->shapeCount(), 0);
}

void TestSketchDocument::shapeQueries()
{
    SketchShape *plain = makeBox(m_layer, QRectF(0, 0, 5, 5));
    SketchShape *selected = makeBox(m_layer, QRectF(10, 0, 5, 5));
    SketchShape *lockedSelected = makeBox(m_layer, QRectF(20, 0, 5, 5));
    SketchGroup *group = groupShapes(m_layer, {makeBox(m_layer, QRectF(30, 0, 5, 5))});
    selected->setSelected(true);
    lockedSelected->setSelected(true);
    lockedSelected->setLocked(true);
    SketchLayer *hidden = new SketchLayer(m_document, "Hidden");
    hidden->setVisible(false);
    m_document->layers().append(hidden);
    SketchShape *hiddenSelected = makeBox(hidden, QRectF(0, 0, 5, 5));
    hiddenSelected->setSelected(true);

    using Shapes = QList<SketchShape *>;
    QCOMPARE(m_document->shapes(), (Shapes{plain, selected, lockedSelected, group, hiddenSelected}));
    QCOMPARE(m_document->shapeCount(), 5);
    QVERIFY(!m_document->isEmpty());
    QCOMPARE(m_document->visibleShapes(), (Shapes{plain, selected, lockedSelected, group}));
    QCOMPARE(m_document->selectedShapes(), (Shapes{selected, lockedSelected, group, hiddenSelected}));
    QCOMPARE(m_document->selectedShapeCount(), 4);
    QCOMPARE(m_document->selectedUnlockedShapeCount(), 2);
    QCOMPARE(m_document->editableSelectedShapes(), (Shapes{selected, group}));
    QCOMPARE(m_document->editableSelectedShapesOfType("Group"), Shapes{group});
    QCOMPARE(m_document->editableSelectedShapesOfType("Shape"), Shapes{selected});
    QCOMPARE(m_document->selectedGroups(), QList<SketchGroup *>{group});
    QCOMPARE(m_document->selectedGroupCount(), 1);
    QCOMPARE(m_document->selectedUnlockedGroups(), QList<SketchGroup *>{group});
    QCOMPARE(m_document->selectedUnlockedGroupCount(), 1);
    QCOMPARE(m_document->selectedBasicShapes(), (Shapes{selected, lockedSelected, hiddenSelected}));
    QCOMPARE(m_document->selectedBasicShapeCount(), 3);
    QCOMPARE(m_document->selectedUnlockedBasicShapes(), Shapes{selected});
    QCOMPARE(m_document->selectedUnlockedBasicShapeCount(), 1);
}

void TestSketchDocument::lockedLayerQueries()
{
    SketchLayer *locked = new SketchLayer(m_document, "Locked");
    locked->setLocked(true);
    m_document->layers().append(locked);
    SketchShape *shape = makeBox(locked, QRectF(0, 0, 5, 5));
    shape->setSelected(true);
    QVERIFY(m_document->editableSelectedShapes().isEmpty());
    QVERIFY(m_document->editableSelectedInnerShapes().isEmpty());
    QCOMPARE(m_document->selectedUnlockedShapeCount(), 1);
    QCOMPARE(m_document->selectedUnlockedBasicShapeCount(), 1);
}

void TestSketchDocument::innerShapeQueries()
{
    SketchShape *a = makeBox(m_layer, QRectF(0, 0, 5, 5));
    SketchGroup *inner = groupShapes(m_layer, {a, makeBox(m_layer, QRectF(10, 0, 5, 5))});
    SketchGroup *outer = groupShapes(m_layer, {inner, makeBox(m_layer, QRectF(20, 0, 5, 5))});
    SketchShape *loose = makeBox(m_layer, QRectF(40, 0, 5, 5));
    loose->setSelected(true);
    outer->setSelected(true);
    inner->setSelected(true);
    using Shapes = QList<SketchShape *>;
    QCOMPARE(m_document->editableSelectedInnerShapes(), (Shapes{inner, loose}));
    QCOMPARE(m_document->editableSelectedGroups(), QList<SketchGroup *>{inner});
    a->setSelected(true);
    QCOMPARE(m_document->selectedInnerShapes(), (Shapes{a, loose}));
    QVERIFY(m_document->editableSelectedGroups().isEmpty());
}

void TestSketchDocument::shapesFromTop()
{
    SketchShape *s1 = makeBox(m_layer, QRectF(0, 0, 5, 5));
    SketchShape *s2 = makeBox(m_layer, QRectF(0, 0, 5, 5));
    SketchLayer *b = new SketchLayer(m_document, "B");
    m_document->layers().append(b);
    SketchShape *s3 = makeBox(b, QRectF(0, 0, 5, 5));
    QCOMPARE(m_document->shapesFromTop(), (QList<SketchShape *>{s3, s2, s1}));
}

void TestSketchDocument::sliceQueries()
{
    SketchSlice *a = addSlice(m_document, QRect(0, 0, 100, 100));
    SketchSlice *b = addSlice(m_document, QRect(200, 0, 100, 100));
    b->setSelected(true);
    m_document->updateSliceGrid();
    SketchSlice *automatic = m_document->autoSlices().last();
    automatic->setSelected(true);
    QCOMPARE(m_document->selectedSlices(false), QList<SketchSlice *>{b});
    QCOMPARE(m_document->selectedSlices(true), (QList<SketchSlice *>{b, automatic}));
    Q_UNUSED(a)
}

void TestSketchDocument::sortedSlicesPutsLaterEqualFirst()
{
    SketchSlice *hand = addSlice(m_document, QRect(0, 0, 10, 10));
    SketchSlice *early = addSlice(m_document, QRect(20, 0, 10, 10));
    hand->setNumber(2);
    early->setNumber(0);
    SketchSlice *automatic = new SketchSlice(m_document);
    automatic->setAutoSlice(true);
    automatic->setNumber(2);
    m_document->autoSlices().append(automatic);
    SketchSlice *last = new SketchSlice(m_document);
    last->setAutoSlice(true);
    last->setNumber(5);
    m_document->autoSlices().append(last);
    QCOMPARE(m_document->sortedSlices(), (QList<SketchSlice *>{early, automatic, hand, last}));
}

void TestSketchDocument::gridWithoutSlices()
{
    addSlice(m_document, QRect(10, 10, 0, 50));
    m_document->updateSliceGrid();
    const SketchSliceGrid *grid = m_document->sliceGrid();
    QVERIFY(grid);
    QCOMPARE(grid->columns().size(), 1);
    QCOMPARE(grid->rows().size(), 1);
    QCOMPARE(grid->cells().size(), 1);
    QCOMPARE(grid->cells().first()->rect(), QRect(0, 0, 842, 595));
    QVERIFY(m_document->autoSlices().isEmpty());
}

void TestSketchDocument::gridWithOneMiddleSlice()
{
    m_document->setPaperSize(QSize(300, 200));
    SketchSlice *middle = addSlice(m_document, QRect(100, 50, 100, 80));
    m_document->updateSliceGrid();
    const SketchSliceGrid *grid = m_document->sliceGrid();
    QCOMPARE(grid->columns().size(), 3);
    QCOMPARE(grid->rows().size(), 3);
    QCOMPARE(middle->number(), 2);
    QCOMPARE(rectsOf(m_document->autoSlices()),
             (QList<QRect>{QRect(0, 0, 300, 50), QRect(0, 50, 100, 150), QRect(200, 50, 100, 150),
                           QRect(100, 130, 100, 70)}));
    QCOMPARE(numbersOf(m_document->autoSlices()), (QList<int>{0, 1, 3, 4}));
    for (const SketchSlice *slice : m_document->autoSlices()) {
        QVERIFY(slice->isAutoSlice());
        QVERIFY(!slice->isSelected());
        QCOMPARE(slice->document(), m_document);
    }
    QCOMPARE(numbersOf(m_document->sortedSlices()), (QList<int>{0, 1, 2, 3, 4}));
    QCOMPARE(m_document->sortedSlices().at(2), middle);
}

void TestSketchDocument::gridJoinsSideBySideBlocks()
{
    m_document->setPaperSize(QSize(400, 300));
    addSlice(m_document, QRect(0, 0, 100, 100));
    addSlice(m_document, QRect(100, 0, 150, 100));
    m_document->updateSliceGrid();
    // Under both slices one joined block; beside them one more.
    QCOMPARE(rectsOf(m_document->autoSlices()), (QList<QRect>{QRect(250, 0, 150, 300), QRect(0, 100, 250, 200)}));
    QCOMPARE(numbersOf(m_document->sortedSlices()), (QList<int>{0, 1, 2, 3}));
}

void TestSketchDocument::gridHoldsForAnySlices_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 seed = 1; seed <= 12; ++seed)
        QTest::newRow(qPrintable(QString("seed %1").arg(seed))) << seed;
}

// Random slices that overlap, stick out of the paper, lie off it or have
// negative sizes: every block is numbered once, the blocks tile the paper,
// and the slice images match the blocks one to one.
void TestSketchDocument::gridHoldsForAnySlices()
{
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    const QSize paper(200 + random.bounded(400), 150 + random.bounded(300));
    m_document->setPaperSize(paper);
    const int count = random.bounded(1, 25);
    for (int i = 0; i < count; ++i) {
        const int x = random.bounded(-100, paper.width() + 50);
        const int y = random.bounded(-100, paper.height() + 50);
        const int w = random.bounded(-60, 250);
        const int h = random.bounded(-60, 250);
        addSlice(m_document, QRect(x, y, w, h));
    }
    m_document->updateSliceGrid();
    const SketchSliceGrid *grid = m_document->sliceGrid();
    QVERIFY(grid);

    // Every cell is owned or covered, and the owners tile the paper.
    const QRect page(QPoint(0, 0), paper);
    QSet<int> coveredBy;
    qint64 area = 0;
    const QList<SketchSliceGridCell *> owners = blockOwners(grid);
    for (const SketchSliceGridCell *owner : owners) {
        QVERIFY(page.contains(owner->rect()));
        area += qint64(owner->width()) * owner->height();
        for (int r = owner->row(); r <= owner->lastRow(); ++r) {
            for (int c = owner->column(); c <= owner->lastColumn(); ++c) {
                const int index = r * grid->columns().size() + c;
                QVERIFY2(!coveredBy.contains(index), "a cell in two blocks");
                coveredBy.insert(index);
            }
        }
    }
    QCOMPARE(coveredBy.size(), grid->cells().size());
    QCOMPARE(area, qint64(paper.width()) * paper.height());

    // A block that is the whole paper makes no slice; it can only be the one
    // block there is.
    const bool wholePageOnly = owners.size() == 1 && owners.first()->isAutoSlice()
        && owners.first()->rect() == page;
    const int firstNumber = wholePageOnly ? 1 : 0;
    // Every slice has its own number, without a gap.
    const QList<SketchSlice *> sorted = m_document->sortedSlices();
    const QList<int> numbers = numbersOf(sorted);
    for (int i = 0; i < numbers.size(); ++i)
        QCOMPARE(numbers.at(i), firstNumber + i);
    // Slices with a block come first, in block order, with the block's rect.
    int k = 0;
    QList<QSize> blockSizes;
    for (const SketchSliceGridCell *owner : owners) {
        if (wholePageOnly)
            break;
        QCOMPARE(owner->number(), sorted.at(k)->number());
        if (sorted.at(k)->isAutoSlice())
            QCOMPARE(sorted.at(k)->rect(), owner->rect());
        else
            QCOMPARE(sorted.at(k)->rect().intersected(page), owner->rect());
        blockSizes.append(owner->rect().size());
        ++k;
    }
    for (const SketchSlice *slice : m_document->autoSlices())
        QVERIFY(page.contains(slice->rect()));

    // One image per slice, each the size of its block; the whole page when
    // no slice lies on it.
    const QList<QPixmap> images = m_document->slicePixmaps();
    if (wholePageOnly) {
        QCOMPARE(images.size(), 1);
        QCOMPARE(images.first().size(), paper);
    } else {
        QCOMPARE(images.size(), sorted.size());
        for (int i = 0; i < blockSizes.size(); ++i)
            QCOMPARE(images.at(i).size(), blockSizes.at(i));
    }
}

void TestSketchDocument::gridRebuildReplacesAutomaticSlices()
{
    SketchSlice *hand = addSlice(m_document, QRect(100, 100, 50, 50));
    hand->setSelected(true);
    m_document->updateSliceGrid();
    QCOMPARE(m_document->autoSlices().size(), 4);
    QPointer<SketchSlice> old = m_document->autoSlices().first();
    hand->setRect(QRect(0, 0, 842, 50));
    m_document->updateSliceGrid();
    QVERIFY(!old);
    QCOMPARE(m_document->autoSlices().size(), 1);
    QCOMPARE(m_document->autoSlices().first()->rect(), QRect(0, 50, 842, 545));
    QCOMPARE(m_document->slices(), QList<SketchSlice *>{hand});
    QVERIFY(hand->isSelected());
    QCOMPARE(hand->number(), 0);
}

void TestSketchDocument::gridOfEmptyPaper()
{
    addSlice(m_document, QRect(0, 0, 10, 10));
    for (const QSize &size : {QSize(0, 100), QSize(-5, -5)}) {
        m_document->setPaperSize(size);
        m_document->updateSliceGrid();
        QCOMPARE(m_document->sliceGrid(), nullptr);
        QVERIFY(m_document->autoSlices().isEmpty());
        QVERIFY(m_document->slicePixmaps().isEmpty());
    }
}

void TestSketchDocument::paintShapesInRectFitsPaper()
{
    SketchShape *page = makeBox(m_layer, QRectF(0, 0, 842, 595));
    page->setFill(SkinBrush(QColor(Qt::black)));
    page->setStroke(SketchStroke(Qt::black, 1, 0));
    page->stroke().setBrush(SkinBrush::transparentBrush());
    QImage image(120, 120, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    m_document->paintShapesInRect(&painter, {page}, QRectF(10, 10, 100, 100));
    painter.end();
    // Scale 94 / 842, centred vertically: x from 13 to 107, y from about
    // 26.8 to 93.2.
    const QRgb black = qRgb(0, 0, 0);
    const QRgb white = qRgb(255, 255, 255);
    QCOMPARE(image.pixel(14, 60), black);
    QCOMPARE(image.pixel(105, 60), black);
    QCOMPARE(image.pixel(60, 28), black);
    QCOMPARE(image.pixel(60, 92), black);
    QCOMPARE(image.pixel(11, 60), white);
    QCOMPARE(image.pixel(109, 60), white);
    QCOMPARE(image.pixel(60, 25), white);
    QCOMPARE(image.pixel(60, 95), white);
}

void TestSketchDocument::paintShapesInRectIgnoresEmptyInput()
{
    SketchShape *shape = makeBox(m_layer, QRectF(0, 0, 842, 595));
    shape->setFill(SkinBrush(QColor(Qt::black)));
    QImage image(50, 50, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    m_document->paintShapesInRect(&painter, {}, QRectF(0, 0, 50, 50));
    m_document->paintShapesInRect(&painter, {shape}, QRectF(0, 0, 0, 50));
    m_document->setPaperSize(QSize(0, 595));
    m_document->paintShapesInRect(&painter, {shape}, QRectF(0, 0, 50, 50));
    m_document->setPaperSize(QSize(842, 595));
    SketchDocument bare(nullptr);
    bare.clearLayers();
    bare.paintShapesInRect(&painter, {shape}, QRectF(0, 0, 50, 50));
    painter.end();
    QCOMPARE(inkedPixels(image, qRgb(255, 255, 255)), 0);
}

void TestSketchDocument::paintUsesViewTransform()
{
    m_view->setZoom(2.0f);
    SketchShape *shape = makeBox(m_layer, QRectF(10, 10, 10, 10));
    shape->setFill(SkinBrush(QColor(Qt::black)));
    SketchLayer *hidden = new SketchLayer(m_document, "Hidden");
    hidden->setVisible(false);
    m_document->layers().append(hidden);
    makeBox(hidden, QRectF(50, 50, 20, 20))->setFill(SkinBrush(QColor(Qt::black)));
    QImage image(200, 200, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    m_document->paint(&painter, false);
    QVERIFY(!painter.testRenderHint(QPainter::Antialiasing));
    QCOMPARE(painter.transform(), QTransform());
    painter.end();
    QCOMPARE(image.pixel(30, 30), qRgb(0, 0, 0));
    QCOMPARE(image.pixel(15, 15), qRgb(255, 255, 255));
    QCOMPARE(image.pixel(120, 120), qRgb(255, 255, 255));
}

void TestSketchDocument::cachedImage()
{
    makeBox(m_layer, QRectF(0, 0, 100, 100))->setFill(SkinBrush(QColor(Qt::black)));
    m_document->buildCachedImage(QSize(100, 60), true);
    QVERIFY(m_document->cachedImage());
    QCOMPARE(m_document->cachedImage()->size(), QSize(100, 60));
    m_document->clearCachedImage();
    QCOMPARE(m_document->cachedImage(), nullptr);
    m_document->buildCachedImage(QSize(0, 60), false);
    QCOMPARE(m_document->cachedImage(), nullptr);
}

void TestSketchDocument::copyToIsDeep()
{
    fillRichDocument(m_document);
    SketchDocumentView other;
    SketchDocument *target = other.document();
    target->setWorkId("kept");
    addSlice(target, QRect(1, 1, 5, 5));
    QPointer<SketchLayer> oldLayer = target->layers().first();

    m_document->copyTo(target);
    QVERIFY(!oldLayer);
    QCOMPARE(target->workId(), QString("kept"));
    QCOMPARE(target->paperSize(), m_document->paperSize());
    QCOMPARE(target->paperColor(), m_document->paperColor());
    QCOMPARE(target->paperBorder(), m_document->paperBorder());
    QCOMPARE(rectsOf(target->slices()), rectsOf(m_document->slices()));
    QCOMPARE(target->layers().size(), m_document->layers().size());
    QCOMPARE(target->shapeCount(), m_document->shapeCount());
    for (SketchSlice *slice : target->slices()) {
        QVERIFY(!m_document->slices().contains(slice));
        QCOMPARE(slice->document(), target);
    }
    for (SketchLayer *layer : target->layers()) {
        QVERIFY(!m_document->layers().contains(layer));
        QCOMPARE(layer->document(), target);
    }
    // Changing the copy leaves the source alone.
    SketchShape *copied = target->layers().first()->shapes().first();
    copied->translate(100, 100);
    QCOMPARE(pointsOf(m_document->layers().first()->shapes().first()).first(), QPointF(10, 10));
    copied->translate(-100, -100);
    for (int i = 0; i < target->layers().size(); ++i) {
        SketchLayer *from = m_document->layers().at(i);
        SketchLayer *to = target->layers().at(i);
        QCOMPARE(to->name(), from->name());
        QCOMPARE(to->isVisible(), from->isVisible());
        QCOMPARE(to->isLocked(), from->isLocked());
        QCOMPARE(to->shapes().size(), from->shapes().size());
        for (int k = 0; k < to->shapes().size(); ++k) {
            QVERIFY(to->shapes().at(k) != from->shapes().at(k));
            QCOMPARE(to->shapes().at(k)->layer(), to);
            QCOMPARE(pointsOf(to->shapes().at(k)), pointsOf(from->shapes().at(k)));
        }
    }
}

void TestSketchDocument::cloneNeedsView()
{
    SketchDocument loose(nullptr);
    QCOMPARE(loose.clone(), nullptr);

    makeBox(m_layer, QRectF(0, 0, 5, 5));
    QScopedPointer<SketchDocument> copy(m_document->clone());
    QVERIFY(copy);
    QCOMPARE(copy->view(), m_view);
    QCOMPARE(copy->parent(), m_view);
    QCOMPARE(copy->shapeCount(), 1);
    QVERIFY(copy->layers().first() != m_layer);
}

void TestSketchDocument::writeShapesToGroupReplacesMembers()
{
    SketchShape *a = makeBox(m_layer, QRectF(100, 100, 40, 40));
    SketchShape *b = makeBox(m_layer, QRectF(200, 150, 40, 40));
    SketchGroup *group = groupShapes(m_layer, {a, b});
    QPointer<SketchShape> oldMember = a;

    SketchDocumentView tab;
    tab.document()->clearLayers();
    SketchLayer *visible = new SketchLayer(tab.document(), "V");
    SketchLayer *hidden = new SketchLayer(tab.document(), "H");
    SketchLayer *locked = new SketchLayer(tab.document(), "L");
    hidden->setVisible(false);
    locked->setLocked(true);
    tab.document()->layers() << visible << hidden << locked;
    group->copyShapesTo(tab.document());
    // The tab grows the drawing to the left and up, and adds shapes on the
    // hidden and locked layers.
    SketchShape *moved = visible->shapes().first();
    moved->translate(-30, -20);
    moved->setSelected(true);
    moved->setActiveHandle(SketchHandleFirstPoint + 2);
    makeBox(hidden, QRectF(0, 0, 10, 10));
    makeBox(locked, QRectF(50, 50, 10, 10))->setLocked(true);

    tab.document()->writeShapesToGroup(group);
    QCOMPARE(group->shapes().size(), 4);
    QVERIFY(!group->shapes().contains(oldMember.data()));
    QVERIFY(oldMember);
    for (SketchShape *member : group->shapes()) {
        QCOMPARE(member->group(), group);
        QCOMPARE(member->layer(), m_layer);
        QCOMPARE(member->parent(), group);
        QVERIFY(!member->isSelected());
        QCOMPARE(member->activeHandle(), int(SketchHandleNone));
        QVERIFY(!visible->shapes().contains(member));
    }
    // The top-left corner stays where it was.
    QCOMPARE(group->boundingRect().topLeft(), QPointF(100, 100));
    QCOMPARE(group->boundingRect().size(), QSizeF(170, 110));
    QCOMPARE(visible->shapes().size(), 2);
    QVERIFY(group->shapes().last()->isLocked());
}

void TestSketchDocument::writeShapesToGroupKeepsRotation()
{
    SketchShape *a = makeBox(m_layer, QRectF(100, 100, 80, 40));
    a->setFill(SkinBrush(QColor(Qt::blue)));
    SketchShape *b = makePath(m_layer, {{200, 100}, {260, 130}, {210, 190}});
    b->setFill(SkinBrush(QColor(Qt::red)));
    SketchGroup *group = groupShapes(m_layer, {a, b});
    group->centerRotatePoint();
    group->setRotateAngle(0.15f);
    const QPointF pivot = group->rotatePoint();
    const QImage before = m_document->renderToPixmap(false, "PNG").toImage();
    const QList<QPointF> drawn = drawnPoints(*m_view, a);

    SketchDocumentView tab;
    tab.setEditedGroup(group);
    group->copyShapesTo(tab.document());
    tab.document()->writeShapesToGroup(group);

    QCOMPARE(group->rotateAngle(), 0.15f);
    QCOMPARE(group->rotatePoint(), pivot);
    SketchShape *first = group->shapes().first();
    QVERIFY2(samePoints(drawn, drawnPoints(*m_view, first)),
             qPrintable(describePoints(drawn) + " / " + describePoints(drawnPoints(*m_view, first))));
    const QImage after = m_document->renderToPixmap(false, "PNG").toImage();
    QCOMPARE(differingPixels(before, after, 8), 0);
}

void TestSketchDocument::writeShapesToGroupIgnoresZoom()
{
    m_view->setZoom(2.5f);
    SketchGroup *group = groupShapes(m_layer, {makeBox(m_layer, QRectF(100, 100, 40, 40))});
    SketchDocumentView tab;
    tab.setEditedGroup(group);
    tab.setZoom(0.5f);
    group->copyShapesTo(tab.document());
    tab.document()->layers().first()->shapes().first()->translate(-10, -10);
    tab.document()->writeShapesToGroup(group);
    QCOMPARE(group->boundingRect(), QRectF(100, 100, 40, 40));
}

QTEST_MAIN(TestSketchDocument)
#include "tst_sketchdocument.moc"
