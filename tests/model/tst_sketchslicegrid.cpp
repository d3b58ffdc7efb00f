#include "editor/sketchdocumentview.h"
#include "model/coordinates.h"
#include "model/sketchdocument.h"
#include "model/sketchslice.h"
#include "model/sketchslicegrid.h"

#include <QDomDocument>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QSet>
#include <QStandardPaths>
#include <QtTest>

#include <limits>
#include <memory>

namespace {

// A page cut by hand-drawn slices, with what a build made of it.
struct SliceFixture
{
    explicit SliceFixture(const QSize &paper = QSize(300, 200)) : paper(paper) {}
    ~SliceFixture()
    {
        qDeleteAll(slices);
        qDeleteAll(autoSlices);
    }

    SketchSlice *add(const QRect &rect, bool selected = false)
    {
        SketchSlice *slice = new SketchSlice(nullptr);
        slice->setRect(rect);
        slice->setSelected(selected);
        slices.append(slice);
        return slice;
    }
    SketchSlice *addRaw(int x, int y, int width, int height)
    {
        SketchSlice *slice = new SketchSlice(nullptr);
        slice->setX(x);
        slice->setY(y);
        slice->setWidth(width);
        slice->setHeight(height);
        slices.append(slice);
        return slice;
    }
    void build()
    {
        qDeleteAll(autoSlices);
        autoSlices.clear();
        grid.reset(SketchSliceGrid::build(paper, slices, nullptr, &autoSlices));
    }
    QList<QRect> autoRects() const
    {
        QList<QRect> rects;
        for (const SketchSlice *slice : autoSlices)
            rects.append(slice->rect());
        return rects;
    }

    QSize paper;
    QList<SketchSlice *> slices;
    QList<SketchSlice *> autoSlices;
    std::unique_ptr<SketchSliceGrid> grid;
};

QList<const SketchSliceGridCell *> owners(const SketchSliceGrid *grid)
{
    QList<const SketchSliceGridCell *> result;
    for (const SketchSliceGridCell *cell : grid->cells()) {
        if (cell->isTaken() && !cell->isCovered())
            result.append(cell);
    }
    return result;
}

// What the slice export relies on: the columns and rows tile the page, every
// cell is covered by exactly one block (its own, for an owner), owners carry
// 0, 1, 2... in reading order, each free block but the whole page is an
// automatic slice with the owner's number and rect, each hand-drawn slice
// with a block has its owner's number and rect, and no two slices share a
// number.
void verifyGrid(const SliceFixture &f)
{
    const SketchSliceGrid *grid = f.grid.get();
    QVERIFY(grid);
    const int columnCount = grid->columns().count();
    const int rowCount = grid->rows().count();
    QVERIFY(columnCount > 0 && rowCount > 0);
    QVERIFY(columnCount < SketchSliceGrid::MaxEdges && rowCount < SketchSliceGrid::MaxEdges);
    int x = 0;
    for (int i = 0; i < columnCount; ++i) {
        const SketchSliceGridColumn *column = grid->columns().at(i);
        QCOMPARE(column->index(), i);
        QCOMPARE(column->x(), x);
        QVERIFY(column->width() > 0);
        x = column->end();
    }
    QCOMPARE(x, f.paper.width());
    int y = 0;
    for (int i = 0; i < rowCount; ++i) {
        const SketchSliceGridRow *row = grid->rows().at(i);
        QCOMPARE(row->index(), i);
        QCOMPARE(row->y(), y);
        QVERIFY(row->height() > 0);
        y = row->end();
    }
    QCOMPARE(y, f.paper.height());
    QCOMPARE(grid->cells().count(), columnCount * rowCount);

    QVector<int> coverCount(grid->cells().count(), 0);
    int number = 0;
    qint64 area = 0;
    for (const SketchSliceGridCell *owner : owners(grid)) {
        QCOMPARE(owner->number(), number++);
        QVERIFY(owner->lastColumn() < columnCount && owner->lastRow() < rowCount);
        area += qint64(owner->width()) * owner->height();
        for (int r = owner->row(); r <= owner->lastRow(); ++r) {
            for (int c = owner->column(); c <= owner->lastColumn(); ++c)
                ++coverCount[grid->cell(c, r)->index()];
        }
    }
    for (int i = 0; i < coverCount.count(); ++i) {
        QCOMPARE(grid->cells().at(i)->index(), i);
        QVERIFY(grid->cells().at(i)->isTaken());
        QCOMPARE(coverCount.at(i), 1);
    }
    QCOMPARE(area, qint64(f.paper.width()) * f.paper.height());

    const QRect page(QPoint(0, 0), f.paper);
    QHash<int, const SketchSlice *> byNumber;
    for (const SketchSlice *slice : f.slices + f.autoSlices) {
        QVERIFY2(!byNumber.contains(slice->number()), "two slices share a number");
        byNumber.insert(slice->number(), slice);
    }
    for (const SketchSlice *slice : f.autoSlices) {
        QVERIFY(slice->isAutoSlice());
        QVERIFY(!slice->isSelected());
    }
    for (const SketchSliceGridCell *owner : owners(grid)) {
        const SketchSlice *slice = byNumber.value(owner->number());
        if (!slice) {
            QVERIFY(owner->isAutoSlice());
            QCOMPARE(owner->rect(), page);
            continue;
        }
        QCOMPARE(slice->isAutoSlice(), owner->isAutoSlice());
        QCOMPARE(slice->rect().intersected(page), owner->rect());
        QCOMPARE(slice->isSelected(), owner->isSelected());
    }
}

} // namespace

class TestSketchSliceGrid : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void sliceGeometry();
    void sliceArithmeticSaturates();
    void copyAndClone();
    void handles();
    void documentAndView();
    void paint();
    void xmlRoundTrip_data();
    void xmlRoundTrip();
    void xmlReadsBadRect_data();
    void xmlReadsBadRect();

    void wholePage_data();
    void wholePage();
    void middleSlice();
    void sideBySide();
    void sliceAtPageEdges();
    void sliceOffPage();
    void hugeCoordinates();
    void overlappingSlices();
    void partlyFreeRowUnderSlice();
    void randomSlicesKeepInvariant_data();
    void randomSlicesKeepInvariant();
    void tooManyEdgesBuildsNoGrid();
    void emptyPaperBuildsNoGrid();
    void lookups();
    void cellSpans();
};

void TestSketchSliceGrid::sliceGeometry()
{
    SketchSlice slice(nullptr);
    QCOMPARE(slice.rect(), QRect(0, 0, 0, 0));
    QVERIFY(!slice.isSelected());
    QVERIFY(!slice.isAutoSlice());
    QCOMPARE(slice.number(), 0);
    QVERIFY(!slice.parent());

    slice.setRect(QRect(10, 20, 100, 50));
    QCOMPARE(slice.x(), 10);
    QCOMPARE(slice.y(), 20);
    QCOMPARE(slice.width(), 100);
    QCOMPARE(slice.height(), 50);
    QCOMPARE(slice.endX(), 110);
    QCOMPARE(slice.endY(), 70);
    QCOMPARE(slice.rect().right(), 109);
    QCOMPARE(slice.rect().bottom(), 69);

    slice.moveBy(-15, 5);
    slice.resizeBy(-120, 10);
    QCOMPARE(slice.x(), -5);
    QCOMPARE(slice.y(), 25);
    QCOMPARE(slice.width(), -20);
    QCOMPARE(slice.height(), 60);
    QCOMPARE(slice.rect(), QRect(-5, 25, -20, 60));
    slice.setRect(slice.rect());
    QCOMPARE(slice.width(), -20);
}

// Every edge and size stays within the coordinate range, so that the sums
// and the rectangle never overflow.
void TestSketchSliceGrid::sliceArithmeticSaturates()
{
    const int max = std::numeric_limits<int>::max();
    const int min = std::numeric_limits<int>::min();
    const int limit = int(MaxDocumentCoordinate);
    SketchSlice slice(nullptr);
    slice.setX(max - 5);
    slice.setWidth(max);
    slice.setY(min + 5);
    slice.setHeight(min);
    QCOMPARE(slice.x(), limit);
    QCOMPARE(slice.height(), -limit);
    QCOMPARE(slice.endX(), 2 * limit);
    QCOMPARE(slice.endY(), -2 * limit);
    slice.moveBy(max, min);
    QCOMPARE(slice.x(), limit);
    QCOMPARE(slice.y(), -limit);
    slice.resizeBy(max, min);
    QCOMPARE(slice.width(), limit);
    QCOMPARE(slice.height(), -limit);
    QCOMPARE(slice.rect().width(), limit);
    QCOMPARE(slice.rect().height(), -limit);
    QCOMPARE(slice.handleRects().count(), 8);

    slice.setRect(QRect(QPoint(max, 0), QPoint(min, 0)));
    QCOMPARE(slice.x(), limit);
    QCOMPARE(slice.width(), -limit);
}

void TestSketchSliceGrid::copyAndClone()
{
    SketchSlice source(nullptr);
    source.setRect(QRect(1, 2, 3, 4));
    source.setSelected(true);
    source.setAutoSlice(true);
    source.setNumber(7);

    SketchSlice target(nullptr);
    target.setNumber(3);
    source.copyTo(&target);
    source.copyTo(nullptr);
    QCOMPARE(target.rect(), QRect(1, 2, 3, 4));
    QVERIFY(target.isSelected());
    QVERIFY(!target.isAutoSlice());
    QCOMPARE(target.number(), 3);

    std::unique_ptr<SketchSlice> copy(source.clone());
    QCOMPARE(copy->rect(), source.rect());
    QVERIFY(copy->isSelected());
    QVERIFY(!copy->isAutoSlice());
    QCOMPARE(copy->number(), 0);
    QCOMPARE(copy->document(), source.document());
    QVERIFY(!copy->parent());
}

void TestSketchSliceGrid::handles()
{
    SketchSlice slice(nullptr);
    slice.setRect(QRect(10, 20, 101, 51));
    const QList<QRectF> rects = slice.handleRects();
    const QList<QPointF> centres{{10, 20},  {60, 20},  {111, 20}, {111, 45},
                                 {111, 71}, {60, 71},  {10, 71},  {10, 45}};
    QCOMPARE(rects.count(), 8);
    for (int i = 0; i < 8; ++i) {
        QCOMPARE(rects.at(i), QRectF(centres.at(i) - QPointF(2, 2), QSizeF(5, 5)));
        QCOMPARE(slice.handleAt(int(centres.at(i).x()), int(centres.at(i).y())), i);
    }
    QCOMPARE(slice.handleRect(0, 0), QRectF(-2, -2, 5, 5));
    // Edges count.
    QCOMPARE(slice.handleAt(13, 23), 0);
    QCOMPARE(slice.handleAt(14, 20), -1);
    QCOMPARE(slice.handleAt(50, 45), -1);

    // A tiny slice's squares overlap: the lower code wins.
    slice.setRect(QRect(0, 0, 2, 2));
    QCOMPARE(slice.handleAt(1, 1), 0);
    QCOMPARE(slice.handleAt(3, 3), 0);
    QCOMPARE(slice.handleAt(4, 4), 3);
}

void TestSketchSliceGrid::documentAndView()
{
    SketchDocumentView view;
    SketchDocument *document = view.document();
    SketchSlice *first = new SketchSlice(document);
    SketchSlice *second = new SketchSlice(document);
    document->slices() << first << second;
    QCOMPARE(first->document(), document);
    QCOMPARE(first->view(), &view);
    QCOMPARE(first->indexInDocument(), 0);
    QCOMPARE(second->indexInDocument(), 1);
    SketchSlice loose(document);
    QCOMPARE(loose.indexInDocument(), -1);
    SketchSlice orphan(nullptr);
    QVERIFY(!orphan.view());
    QCOMPARE(orphan.indexInDocument(), -1);

    // Handles keep their size on screen.
    first->setRect(QRect(10, 10, 20, 20));
    view.setZoom(2.0f);
    QCOMPARE(first->handleRect(10, 10), QRectF(9, 9, 3, 3));
    QCOMPARE(first->handleAt(12, 12), 0);
    QCOMPARE(first->handleAt(13, 10), -1);
    view.setZoom(0.5f);
    QCOMPARE(first->handleRect(10, 10), QRectF(6, 6, 9, 9));

    // Automatic slices belong to the document but not to its list.
    second->setRect(QRect(100, 100, 50, 50));
    QList<SketchSlice *> autoSlices;
    std::unique_ptr<SketchSliceGrid> grid(
        SketchSliceGrid::build(document->paperSize(), document->slices(), document, &autoSlices));
    QVERIFY(!autoSlices.isEmpty());
    for (const SketchSlice *slice : qAsConst(autoSlices)) {
        QCOMPARE(slice->document(), document);
        QCOMPARE(slice->indexInDocument(), -1);
    }
    qDeleteAll(autoSlices);
}

void TestSketchSliceGrid::paint()
{
    auto render = [](const SketchSlice &slice) {
        QImage image(60, 40, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        slice.paint(&painter);
        return image;
    };
    SketchSlice slice(nullptr);
    slice.setRect(QRect(5, 5, 40, 25));
    QImage image = render(slice);
    QCOMPARE(image.pixelColor(25, 5), QColor(Qt::blue));
    QCOMPARE(image.pixelColor(5, 20), QColor(Qt::blue));
    QCOMPARE(image.pixelColor(7 + 14, 7 + 11), QColor(Qt::blue)); // label box corner
    QCOMPARE(image.pixelColor(25, 20).alpha(), 0);
    QCOMPARE(image.pixelColor(3, 3).alpha(), 0); // no handles

    slice.setSelected(true);
    image = render(slice);
    QCOMPARE(image.pixelColor(3, 3), QColor(Qt::blue));

    slice.setAutoSlice(true);
    image = render(slice);
    QCOMPARE(image.pixelColor(3, 3), QColor(Qt::gray));
    QCOMPARE(image.pixelColor(7 + 14, 7 + 11), QColor(Qt::gray));
    QCOMPARE(image.pixelColor(15, 5), QColor(Qt::blue)); // the outline stays blue

    slice.setWidth(0);
    image = render(slice);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            QCOMPARE(image.pixelColor(x, y).alpha(), 0);
    }
}

void TestSketchSliceGrid::xmlRoundTrip_data()
{
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<QString>("text");
    QTest::newRow("plain") << QRect(10, 20, 100, 50) << "10,20,100,50";
    QTest::newRow("empty") << QRect(0, 0, 0, 0) << "0,0,0,0";
    QTest::newRow("off page") << QRect(-30, -40, 5, 6) << "-30,-40,5,6";
    QTest::newRow("negative size") << QRect(7, 8, -3, -4) << "7,8,-3,-4";
}

void TestSketchSliceGrid::xmlRoundTrip()
{
    QFETCH(QRect, rect);
    QFETCH(QString, text);
    QDomDocument document;
    QDomElement element = document.createElement(QStringLiteral("Slice"));
    SketchSlice slice(nullptr);
    slice.setRect(rect);
    slice.setSelected(true);
    slice.setNumber(4);
    slice.writeXml(element);
    QCOMPARE(element.attributes().count(), 1);
    QCOMPARE(element.attribute(QStringLiteral("Rect")), text);

    SketchSlice read(nullptr);
    read.readXml(element);
    QCOMPARE(read.x(), rect.x());
    QCOMPARE(read.y(), rect.y());
    QCOMPARE(read.width(), rect.width());
    QCOMPARE(read.height(), rect.height());
    QVERIFY(!read.isSelected());
    QCOMPARE(read.number(), 0);
}

void TestSketchSliceGrid::xmlReadsBadRect_data()
{
    QTest::addColumn<QString>("xml");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("missing") << "<Slice/>" << QRect(0, 0, 0, 0);
    QTest::newRow("empty") << "<Slice Rect=''/>" << QRect(0, 0, 0, 0);
    QTest::newRow("three parts") << "<Slice Rect='1,2,3'/>" << QRect(0, 0, 0, 0);
    QTest::newRow("five parts") << "<Slice Rect='1,2,3,4,5'/>" << QRect(0, 0, 0, 0);
    QTest::newRow("bad number") << "<Slice Rect='1,x,3,4'/>" << QRect(1, 0, 3, 4);
}

void TestSketchSliceGrid::xmlReadsBadRect()
{
    QFETCH(QString, xml);
    QFETCH(QRect, expected);
    QDomDocument document;
    QVERIFY(document.setContent(xml));
    SketchSlice slice(nullptr);
    slice.setRect(QRect(9, 9, 9, 9));
    slice.readXml(document.documentElement());
    QCOMPARE(slice.rect(), expected);
}

void TestSketchSliceGrid::wholePage_data()
{
    QTest::addColumn<QList<QRect>>("rects");
    QTest::addColumn<QList<int>>("numbers");
    QTest::newRow("no slice") << QList<QRect>() << QList<int>();
    QTest::newRow("zero width") << QList<QRect>{QRect(10, 10, 0, 30)} << QList<int>{1};
    QTest::newRow("zero and negative")
        << QList<QRect>{QRect(10, 10, 20, 0), QRect(50, 50, -20, -10)} << QList<int>{1, 2};
    // A hand-drawn slice that is the page is the page's only block.
    QTest::newRow("page") << QList<QRect>{QRect(0, 0, 300, 200)} << QList<int>{0};
}

void TestSketchSliceGrid::wholePage()
{
    QFETCH(QList<QRect>, rects);
    QFETCH(QList<int>, numbers);
    SliceFixture f;
    for (const QRect &rect : rects)
        f.add(rect)->setNumber(9);
    f.build();
    verifyGrid(f);
    QCOMPARE(f.grid->columns().count(), 1);
    QCOMPARE(f.grid->rows().count(), 1);
    QCOMPARE(f.grid->cells().count(), 1);
    QCOMPARE(f.grid->cell(0, 0)->rect(), QRect(0, 0, 300, 200));
    QVERIFY(f.autoSlices.isEmpty());
    for (int i = 0; i < f.slices.count(); ++i)
        QCOMPARE(f.slices.at(i)->number(), numbers.at(i));
}

void TestSketchSliceGrid::middleSlice()
{
    SliceFixture f;
    SketchSlice *slice = f.add(QRect(100, 50, 100, 80), true);
    f.build();
    verifyGrid(f);
    QCOMPARE(f.grid->columns().count(), 3);
    QCOMPARE(f.grid->rows().count(), 3);

    // Reading order: the band above, the left side, the slice, the right
    // side, the block under the slice.
    QCOMPARE(slice->number(), 2);
    QCOMPARE(f.autoRects(), (QList<QRect>{QRect(0, 0, 300, 50), QRect(0, 50, 100, 150),
                                          QRect(200, 50, 100, 150), QRect(100, 130, 100, 70)}));
    QCOMPARE(f.autoSlices.at(0)->number(), 0);
    QCOMPARE(f.autoSlices.at(1)->number(), 1);
    QCOMPARE(f.autoSlices.at(2)->number(), 3);
    QCOMPARE(f.autoSlices.at(3)->number(), 4);

    const SketchSliceGridCell *owner = f.grid->cell(1, 1);
    QVERIFY(!owner->isAutoSlice());
    QVERIFY(owner->isSelected());
    QCOMPARE(owner->number(), 2);
    QCOMPARE(f.grid->cell(0, 0)->columnSpan(), 3);
    QCOMPARE(f.grid->cell(0, 1)->rowSpan(), 2);
    QVERIFY(f.grid->cell(0, 2)->isCovered());
}

void TestSketchSliceGrid::sideBySide()
{
    SliceFixture f;
    f.add(QRect(50, 50, 100, 80));
    f.add(QRect(150, 50, 100, 80));
    f.build();
    verifyGrid(f);
    QCOMPARE(f.slices.at(0)->number(), 2);
    QCOMPARE(f.slices.at(1)->number(), 3);
    // The free areas under the two slices are one.
    QCOMPARE(f.autoRects(), (QList<QRect>{QRect(0, 0, 300, 50), QRect(0, 50, 50, 150),
                                          QRect(250, 50, 50, 150), QRect(50, 130, 200, 70)}));
    QCOMPARE(f.autoSlices.last()->number(), 5);
    QVERIFY(f.grid->cell(2, 2)->isCovered());
}

void TestSketchSliceGrid::sliceAtPageEdges()
{
    SliceFixture f;
    SketchSlice *slice = f.add(QRect(100, 80, 200, 120));
    f.build();
    verifyGrid(f);
    QCOMPARE(f.grid->columns().count(), 2);
    QCOMPARE(f.grid->rows().count(), 2);
    const SketchSliceGridCell *owner = f.grid->cell(1, 1);
    QCOMPARE(owner->columnSpan(), 1);
    QCOMPARE(owner->rowSpan(), 1);
    QCOMPARE(owner->rect(), slice->rect());
    QCOMPARE(f.autoRects(), (QList<QRect>{QRect(0, 0, 300, 80), QRect(0, 80, 100, 120)}));
}

void TestSketchSliceGrid::sliceOffPage()
{
    SliceFixture f;
    SketchSlice *sticking = f.add(QRect(250, -20, 100, 60));
    SketchSlice *outside = f.add(QRect(400, 10, 50, 50));
    SketchSlice *left = f.add(QRect(-50, 100, 20, 20));
    f.build();
    verifyGrid(f);
    // Clipped to the page: the grid is never larger than the paper.
    QCOMPARE(f.grid->columns().last()->end(), 300);
    QCOMPARE(f.grid->rows().last()->end(), 200);
    QCOMPARE(f.grid->cellAtPosition(250, 0)->rect(), QRect(250, 0, 50, 40));
    QCOMPARE(sticking->number(), 1);
    QCOMPARE(outside->number(), 3);
    QCOMPARE(left->number(), 4);
    // Untouched by the build.
    QCOMPARE(sticking->rect(), QRect(250, -20, 100, 60));
}

void TestSketchSliceGrid::hugeCoordinates()
{
    const int max = std::numeric_limits<int>::max();
    const int min = std::numeric_limits<int>::min();
    SliceFixture f;
    f.addRaw(max - 5, 10, max, 10);
    f.addRaw(min, min, max, max);
    f.addRaw(min, 0, max, max);
    f.addRaw(100, 100, max, max);
    f.addRaw(-10, -10, min, 50);
    f.build();
    verifyGrid(f);
}

void TestSketchSliceGrid::overlappingSlices()
{
    SliceFixture f;
    SketchSlice *first = f.add(QRect(50, 50, 100, 100));
    SketchSlice *second = f.add(QRect(100, 100, 100, 80));
    SketchSlice *same = f.add(QRect(50, 50, 100, 100));
    SketchSlice *inside = f.add(QRect(60, 60, 10, 10));
    f.build();
    verifyGrid(f);
    // The earlier slice keeps its block; the others are numbered after all
    // blocks, in list order.
    const int blocks = owners(f.grid.get()).count();
    QCOMPARE(f.grid->cellAtPosition(50, 50)->rect(), first->rect());
    QVERIFY(!f.grid->cellAtPosition(50, 50)->isAutoSlice());
    QCOMPARE(second->number(), blocks);
    QCOMPARE(same->number(), blocks + 1);
    QCOMPARE(inside->number(), blocks + 2);
}

void TestSketchSliceGrid::partlyFreeRowUnderSlice()
{
    // The second slice starts in the row right under the first one, inside
    // its columns: the area under the first one is not a rectangle.
    SliceFixture f;
    f.add(QRect(100, 50, 100, 50));
    f.add(QRect(150, 100, 100, 50));
    f.build();
    verifyGrid(f);
    QCOMPARE(f.slices.at(0)->number(), 2);
    for (const SketchSlice *slice : qAsConst(f.autoSlices))
        QVERIFY(!slice->rect().intersects(f.slices.at(1)->rect()));
}

void TestSketchSliceGrid::randomSlicesKeepInvariant_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("count");
    for (quint32 seed = 1; seed <= 40; ++seed)
        QTest::addRow("seed %u", seed) << seed << int(seed % 4 == 0 ? 200 : seed % 25 + 1);
}

void TestSketchSliceGrid::randomSlicesKeepInvariant()
{
    QFETCH(quint32, seed);
    QFETCH(int, count);
    QRandomGenerator random(seed);
    SliceFixture f(QSize(random.bounded(1, 900), random.bounded(1, 700)));
    for (int i = 0; i < count; ++i) {
        // Overlapping, off-page, zero and negative slices; a coarse step
        // makes shared edges likely.
        const int step = random.bounded(2) ? 10 : 1;
        const int x = random.bounded(-100, f.paper.width() + 100) / step * step;
        const int y = random.bounded(-100, f.paper.height() + 100) / step * step;
        const int width = random.bounded(-50, 400) / step * step;
        const int height = random.bounded(-50, 300) / step * step;
        f.add(QRect(x, y, width, height), random.bounded(2));
    }
    f.build();
    verifyGrid(f);
    if (QTest::currentTestFailed())
        return;

    // A second build over the same slices gives the same numbers.
    QList<int> numbers;
    for (const SketchSlice *slice : qAsConst(f.slices))
        numbers.append(slice->number());
    const QList<QRect> rects = f.autoRects();
    f.build();
    for (int i = 0; i < f.slices.count(); ++i)
        QCOMPARE(f.slices.at(i)->number(), numbers.at(i));
    QCOMPARE(f.autoRects(), rects);
}

void TestSketchSliceGrid::tooManyEdgesBuildsNoGrid()
{
    SliceFixture f(QSize(2000, 100));
    // Each slice adds two vertical edges.
    const int count = SketchSliceGrid::MaxEdges / 2;
    for (int i = 0; i < count; ++i)
        f.add(QRect(1 + 3 * i, 10, 1, 10));
    f.build();
    QVERIFY(!f.grid);
    QVERIFY(f.autoSlices.isEmpty());
    for (int i = 0; i < count; ++i)
        QCOMPARE(f.slices.at(i)->number(), i);

    // One fewer slice keeps the edges within the cap.
    delete f.slices.takeLast();
    f.build();
    verifyGrid(f);
    QCOMPARE(f.grid->columns().count(), SketchSliceGrid::MaxEdges - 1);
}

void TestSketchSliceGrid::emptyPaperBuildsNoGrid()
{
    for (const QSize &paper : {QSize(0, 0), QSize(100, 0), QSize(-5, 40)}) {
        SliceFixture f(paper);
        f.add(QRect(0, 0, 10, 10));
        f.add(QRect(5, 5, 10, 10));
        f.build();
        QVERIFY(!f.grid);
        QVERIFY(f.autoSlices.isEmpty());
        QCOMPARE(f.slices.at(1)->number(), 1);
    }
}

void TestSketchSliceGrid::lookups()
{
    SliceFixture f;
    f.add(QRect(100, 50, 100, 80));
    f.build();
    const SketchSliceGrid *grid = f.grid.get();
    QCOMPARE(grid->columnAt(100), grid->columns().at(1));
    QCOMPARE(grid->columnAt(200)->width(), 100);
    QVERIFY(!grid->columnAt(150));
    QVERIFY(!grid->columnAt(300));
    QCOMPARE(grid->rowAt(130), grid->rows().at(2));
    QVERIFY(!grid->rowAt(-1));
    QCOMPARE(grid->cell(2, 1)->index(), 5);
    QVERIFY(!grid->cell(3, 0));
    QVERIFY(!grid->cell(0, -1));
    QCOMPARE(grid->cellAtPosition(200, 50), grid->cell(2, 1));
    QVERIFY(!grid->cellAtPosition(201, 50));

    const SketchSliceGridCell *cell = grid->cell(1, 0);
    QCOMPARE(cell->grid(), grid);
    QCOMPARE(grid->columns().at(0)->grid(), grid);
    QCOMPARE(grid->rows().at(0)->grid(), grid);

    f.grid->clear();
    QVERIFY(f.grid->columns().isEmpty());
    QVERIFY(f.grid->rows().isEmpty());
    QVERIFY(f.grid->cells().isEmpty());
    QVERIFY(!f.grid->cell(0, 0));
}

void TestSketchSliceGrid::cellSpans()
{
    SliceFixture f;
    f.add(QRect(100, 50, 100, 80));
    f.add(QRect(250, 150, 20, 20));
    f.build();
    const SketchSliceGrid *grid = f.grid.get();
    QCOMPARE(grid->columns().count(), 5);
    QCOMPARE(grid->rows().count(), 5);
    SketchSliceGridCell *cell = grid->cell(1, 1);

    cell->setColumnSpan(0);
    QCOMPARE(cell->columnSpan(), 1);
    QCOMPARE(cell->width(), 100);
    cell->setRowSpan(-3);
    QCOMPARE(cell->rowSpan(), 1);

    SketchSliceGridCell *corner = grid->cell(3, 3);
    QVERIFY(!corner->isCovered());
    corner->setRowSpan(2);
    QVERIFY(grid->cell(3, 4)->isCovered());
    QVERIFY(!grid->cell(4, 3)->isCovered());
    // A span past the grid's edge ends there.
    corner->setColumnSpan(9);
    QCOMPARE(corner->lastColumn(), 11);
    QVERIFY(grid->cell(4, 3)->isCovered());
    QCOMPARE(corner->rect(), QRect(250, 150, 50, 50));
    QVERIFY(!corner->isCovered());
    corner->setColumnSpan(1);
    QVERIFY(grid->cell(4, 3)->isCovered()); // covered marks stay

    corner->setTaken(false);
    QVERIFY(!grid->cell(3, 4)->isTaken());
    QVERIFY(!corner->isTaken());
    QVERIFY(grid->cell(4, 4)->isTaken());
}

QTEST_MAIN(TestSketchSliceGrid)
#include "tst_sketchslicegrid.moc"
