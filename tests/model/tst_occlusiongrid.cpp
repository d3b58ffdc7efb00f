// The grid a repaint keeps of what opaque paint already covers. It may
// understate what is covered, never overstate it: a rectangle it calls
// hidden is skipped by the repaint.

#include "model/occlusiongrid.h"

#include <QStandardPaths>
#include <QtTest>

#include <limits>

namespace {

const qreal NaN = std::numeric_limits<qreal>::quiet_NaN();
const qreal Huge = 1e300;

} // namespace

class TestOcclusionGrid : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void markingCoversOnlyWholeCells_data();
    void markingCoversOnlyWholeCells();
    void outsideTheAreaIsHidden();
    void uncoveredBoundsHoldTheOpenCells();
    void fullOnceEveryCellIsCovered();
    void nonFiniteAndFarRectanglesAreSafe_data();
    void nonFiniteAndFarRectanglesAreSafe();
};

void TestOcclusionGrid::markingCoversOnlyWholeCells_data()
{
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QRectF>("marked");
    QTest::addColumn<QRectF>("probe");
    QTest::addColumn<bool>("hidden");

    // A 100 x 100 area has cells of 2 pixels.
    const QRect small(0, 0, 100, 100);
    QTest::newRow("inside the marked cells") << small << QRectF(1, 1, 10, 10) << QRectF(2, 2, 7.5, 7.5) << true;
    QTest::newRow("into the half-covered cell") << small << QRectF(1, 1, 10, 10) << QRectF(1.5, 2, 4, 4) << false;
    QTest::newRow("touching the next cell") << small << QRectF(0, 0, 10, 10) << QRectF(0, 0, 10, 10) << false;
    QTest::newRow("exactly the cells") << small << QRectF(0, 0, 10, 10) << QRectF(0, 0, 9.99, 9.99) << true;
    QTest::newRow("a level line inside") << small << QRectF(0, 0, 50, 50) << QRectF(3, 20, 30, 0) << true;
    QTest::newRow("a level line outside the mark") << small << QRectF(0, 0, 50, 50) << QRectF(3, 70, 30, 0)
                                                   << false;
    QTest::newRow("an upright line outside the mark") << small << QRectF(0, 0, 50, 50) << QRectF(70, 3, 0, 30)
                                                      << false;
    QTest::newRow("a point outside the mark") << small << QRectF(0, 0, 50, 50) << QRectF(70, 70, 0, 0) << false;
    QTest::newRow("smaller than a cell") << small << QRectF(0.5, 0.5, 1.8, 1.8) << QRectF(1, 1, 0.5, 0.5) << false;

    // 5,000 pixels across make cells of 20: a mark of 25 covers one.
    const QRect wide(0, 0, 5000, 100);
    QTest::newRow("wide, within the first cell") << wide << QRectF(0, 0, 25, 100) << QRectF(0, 0, 19.5, 19.5)
                                                 << true;
    QTest::newRow("wide, past it") << wide << QRectF(0, 0, 25, 100) << QRectF(0, 0, 21, 19.5) << false;

    // An area away from the origin.
    const QRect away(300, -40, 80, 60);
    QTest::newRow("offset area") << away << QRectF(300, -40, 40, 40) << QRectF(301, -39, 30, 30) << true;
    QTest::newRow("offset area, uncovered") << away << QRectF(300, -40, 40, 40) << QRectF(345, -39, 5, 5) << false;
}

void TestOcclusionGrid::markingCoversOnlyWholeCells()
{
    QFETCH(QRect, area);
    QFETCH(QRectF, marked);
    QFETCH(QRectF, probe);
    QFETCH(bool, hidden);

    OcclusionGrid grid(area);
    QVERIFY(!grid.hides(probe));
    grid.markOpaque(marked);
    QCOMPARE(grid.hides(probe), hidden);
    QCOMPARE(grid.uncoveredBounds(probe).isEmpty(), hidden);
}

void TestOcclusionGrid::outsideTheAreaIsHidden()
{
    OcclusionGrid grid(QRect(10, 10, 100, 50));
    QVERIFY(grid.hides(QRectF(200, 20, 10, 10)));
    QVERIFY(grid.hides(QRectF(0, 0, 5, 5)));
    // Partly outside: only the part within the area counts. The right and
    // bottom edges at 30 touch the cells from 30 on.
    QCOMPARE(grid.uncoveredBounds(QRectF(-50, -50, 80, 80)), QRect(10, 10, 22, 22));
    grid.markOpaque(QRectF(10, 10, 20, 20));
    QVERIFY(grid.hides(QRectF(-50, -50, 79, 79)));

    OcclusionGrid empty{QRect()};
    QVERIFY(empty.hides(QRectF(0, 0, 10, 10)));
    QVERIFY(empty.isFull());
    empty.markOpaque(QRectF(0, 0, 10, 10));
}

void TestOcclusionGrid::uncoveredBoundsHoldTheOpenCells()
{
    OcclusionGrid grid(QRect(0, 0, 100, 100));
    QCOMPARE(grid.uncoveredBounds(QRectF(0, 0, 100, 100)), QRect(0, 0, 100, 100));
    // The left half and a band along the top are covered: what is left is
    // the lower right.
    grid.markOpaque(QRectF(0, 0, 50, 100));
    grid.markOpaque(QRectF(0, 0, 100, 30));
    QCOMPARE(grid.uncoveredBounds(QRectF(0, 0, 100, 100)), QRect(50, 30, 50, 70));
    // A rectangle across the edge of the cover keeps its open part only,
    // rounded out to whole cells.
    QCOMPARE(grid.uncoveredBounds(QRectF(40.5, 20.5, 15, 15)), QRect(50, 30, 6, 6));
    // An open hole in the middle of a cover.
    OcclusionGrid ring(QRect(0, 0, 100, 100));
    ring.markOpaque(QRectF(0, 0, 100, 40));
    ring.markOpaque(QRectF(0, 60, 100, 40));
    ring.markOpaque(QRectF(0, 0, 40, 100));
    ring.markOpaque(QRectF(60, 0, 40, 100));
    QCOMPARE(ring.uncoveredBounds(QRectF(0, 0, 100, 100)), QRect(40, 40, 20, 20));
    QVERIFY(ring.hides(QRectF(0, 0, 39, 39)));
}

void TestOcclusionGrid::fullOnceEveryCellIsCovered()
{
    OcclusionGrid grid(QRect(0, 0, 31, 17));
    QVERIFY(!grid.isFull());
    grid.markOpaque(QRectF(0, 0, 31, 17));
    // The last column and row of cells reach past the area's odd edge, so a
    // mark of the area itself leaves them open.
    QVERIFY(!grid.isFull());
    grid.markOpaque(QRectF(-1, -1, 40, 40));
    QVERIFY(grid.isFull());
    QVERIFY(grid.hides(QRectF(0, 0, 31, 17)));
    // Marking again counts nothing twice.
    grid.markOpaque(QRectF(0, 0, 31, 17));
    QVERIFY(grid.isFull());
}

void TestOcclusionGrid::nonFiniteAndFarRectanglesAreSafe_data()
{
    QTest::addColumn<QRectF>("rect");
    QTest::addColumn<bool>("fillsTheGrid");

    QTest::newRow("not a number") << QRectF(NaN, NaN, 10, 10) << false;
    QTest::newRow("size not a number") << QRectF(0, 0, NaN, NaN) << false;
    QTest::newRow("infinite") << QRectF(-qInf(), -qInf(), qInf(), qInf()) << false;
    QTest::newRow("huge") << QRectF(-Huge, -Huge, 2 * Huge, 2 * Huge) << true;
    QTest::newRow("far away") << QRectF(Huge, Huge, 10, 10) << false;
    QTest::newRow("far to the left, reaching in") << QRectF(-Huge, 0, Huge + 50, 100) << false;
}

void TestOcclusionGrid::nonFiniteAndFarRectanglesAreSafe()
{
    QFETCH(QRectF, rect);
    QFETCH(bool, fillsTheGrid);

    OcclusionGrid grid(QRect(0, 0, 100, 100));
    // Neither asking nor marking converts an out-of-range value to an int;
    // the undefined-behaviour checker would stop the test.
    grid.uncoveredBounds(rect);
    grid.markOpaque(rect);
    QCOMPARE(grid.isFull(), fillsTheGrid);
    if (!fillsTheGrid)
        QVERIFY(!grid.hides(QRectF(60, 0, 10, 10)));
}

QTEST_MAIN(TestOcclusionGrid)
#include "tst_occlusiongrid.moc"
