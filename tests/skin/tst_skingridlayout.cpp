// The grid's geometry: shared column widths, the placing of columns, rows
// and scroll bars (with the second pass when the vertical bar comes or
// goes), the first-visible setters and their bar sync, hit tests and the
// rectangles of cells, headers, rows, columns and the selection.
#include "skin/gridfixture.h"

#include "skin/windows/skintheme.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

using namespace gridfixture;

namespace {

QList<int> widths(const SkinGridView *grid)
{
    QList<int> all;
    for (const SkinGridColumn *column : grid->columns())
        all.append(column->width());
    return all;
}

} // namespace

class TestSkinGridLayout : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void sharedWidths_data();
    void sharedWidths();
    void sharingMakesRoomForTheVerticalBar();
    void columnsAndRowsArePlaced();
    void scrollBarsShowWhenNeeded_data();
    void scrollBarsShowWhenNeeded();
    void scrollBarGeometry();
    void firstVisibleIsClamped();
    void lastVisibleCountsPartlyShown();
    void barAndGridFollowEachOther();
    void shrinkingKeepsBarAndGridTogether();
    void hitTests_data();
    void hitTests();
    void hitTestsAfterScrolling();
    void rectangles();
    void ensureSelectionVisible();
};

void TestSkinGridLayout::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    setSkinThemeStyle(Black);
}

void TestSkinGridLayout::sharedWidths_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("viewWidth");
    QTest::addColumn<bool>("rowHeader");
    QTest::addColumn<QList<int>>("expected");
    QTest::newRow("three in 100") << 3 << 100 << false << QList<int>{33, 33, 34};
    QTest::newRow("one takes all") << 1 << 100 << false << QList<int>{100};
    QTest::newRow("less the row header") << 3 << 150 << true << QList<int>{33, 33, 34};
    QTest::newRow("four in 10") << 4 << 10 << false << QList<int>{2, 2, 2, 4};
    QTest::newRow("no room") << 2 << 30 << true << QList<int>{0, 0};
    QTest::newRow("one without room") << 1 << 20 << true << QList<int>{0};
}

void TestSkinGridLayout::sharedWidths()
{
    QFETCH(int, columns);
    QFETCH(int, viewWidth);
    QFETCH(bool, rowHeader);
    QFETCH(QList<int>, expected);
    SkinGridView grid;
    grid.setRowHeaderVisible(rowHeader);
    grid.setColumnResizeMode(1);
    grid.setHorizontalScrollBarEnabled(false);
    fill(&grid, columns, 1, {}, 500);
    grid.resize(viewWidth, 100);
    grid.updateLayout(false);
    QCOMPARE(widths(&grid), expected);

    // Mode 0 keeps the widths it is given.
    grid.setColumnResizeMode(0);
    grid.columns().first()->setWidth(7);
    grid.updateLayout(false);
    QCOMPARE(grid.columns().first()->width(), 7);
}

void TestSkinGridLayout::sharingMakesRoomForTheVerticalBar()
{
    SkinGridView grid;
    hideHeaders(&grid);
    grid.setColumnResizeMode(1);
    fill(&grid, 2, 3, {}, 10);
    grid.resize(200, 100);
    grid.updateLayout(false);
    QCOMPARE(widths(&grid), (QList<int>{100, 100}));
    QVERIFY(grid.verticalScrollBar()->isHidden());

    // Enough rows for the bar: the same layout runs again with its room
    // taken off.
    grid.setRowCount(10);
    const int bar = grid.verticalScrollBar()->width();
    QVERIFY(!grid.verticalScrollBar()->isHidden());
    QVERIFY(bar > 0);
    const int share = (200 - bar) / 2;
    QCOMPARE(widths(&grid), (QList<int>{share, 200 - bar - share}));
    QVERIFY(grid.horizontalScrollBar()->isHidden());

    grid.setRowCount(2);
    QVERIFY(grid.verticalScrollBar()->isHidden());
    QCOMPARE(widths(&grid), (QList<int>{100, 100}));
}

void TestSkinGridLayout::columnsAndRowsArePlaced()
{
    SkinGridView grid;
    fill(&grid, 3, 3, {}, 30);
    grid.columns().at(1)->setVisible(false);
    grid.rows().at(0)->setHeight(7);
    grid.resize(400, 300);
    grid.updateLayout(false);
    QCOMPARE(grid.columns().at(0)->x(), 50);
    QCOMPARE(grid.columns().at(1)->x(), 80);
    QCOMPARE(grid.columns().at(1)->width(), 0);
    QCOMPARE(grid.columns().at(2)->x(), 80);
    QCOMPARE(grid.rows().at(0)->y(), 23);
    QCOMPARE(grid.rows().at(1)->y(), 30);
    QCOMPARE(grid.rows().at(2)->bottom(), 70);

    hideHeaders(&grid);
    grid.updateLayout(false);
    QCOMPARE(grid.columns().at(0)->left(), 0);
    QCOMPARE(grid.rows().at(1)->top(), 7);
}

void TestSkinGridLayout::scrollBarsShowWhenNeeded_data()
{
    QTest::addColumn<QSize>("content"); // columns of 40, rows of 20, no headers
    QTest::addColumn<QSize>("view");
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<bool>("vertical");
    QTest::newRow("fits exactly") << QSize(5, 5) << QSize(200, 100) << false << false;
    QTest::newRow("one pixel too wide") << QSize(5, 5) << QSize(199, 100) << true << false;
    QTest::newRow("one pixel too high") << QSize(5, 5) << QSize(200, 99) << false << true;
    QTest::newRow("both") << QSize(10, 10) << QSize(100, 100) << true << true;
    QTest::newRow("no columns") << QSize(0, 0) << QSize(10, 10) << false << false;
}

void TestSkinGridLayout::scrollBarsShowWhenNeeded()
{
    QFETCH(QSize, content);
    QFETCH(QSize, view);
    QFETCH(bool, horizontal);
    QFETCH(bool, vertical);
    SkinGridView grid;
    hideHeaders(&grid);
    fill(&grid, content.width(), content.height());
    grid.resize(view);
    grid.updateLayout(false);
    QCOMPARE(!grid.horizontalScrollBar()->isHidden(), horizontal);
    QCOMPARE(!grid.verticalScrollBar()->isHidden(), vertical);
    // A bar counts columns or rows.
    if (horizontal)
        QCOMPARE(grid.horizontalScrollBar()->maximum(), content.width() - 1);
    if (vertical)
        QCOMPARE(grid.verticalScrollBar()->maximum(), content.height() - 1);
    QCOMPARE(grid.verticalScrollBar()->pageStep(), 10);

    // A disabled bar stays hidden whatever the content.
    grid.setHorizontalScrollBarEnabled(false);
    grid.setVerticalScrollBarEnabled(false);
    grid.updateLayout(false);
    QVERIFY(grid.horizontalScrollBar()->isHidden());
    QVERIFY(grid.verticalScrollBar()->isHidden());
}

void TestSkinGridLayout::scrollBarGeometry()
{
    SkinGridView grid;
    fill(&grid, 10, 30);
    grid.resize(300, 200);
    grid.updateLayout(false);
    QScrollBar *h = grid.horizontalScrollBar();
    QScrollBar *v = grid.verticalScrollBar();
    const int hbH = h->height();
    const int vbW = v->width();
    QVERIFY(hbH > 0 && vbW > 0);
    QCOMPARE(h->geometry(), QRect(QPoint(0, 200 - hbH), QPoint(300 - vbW, 199)));
    QCOMPARE(v->geometry(), QRect(QPoint(300 - vbW, 0), QPoint(299, 200 - hbH)));
    QCOMPARE(grid.scrollBarCornerRect(), QRect(h->width(), v->height(), vbW, hbH));

    // One bar takes its whole edge, and there is no corner.
    grid.setColumnCount(2);
    QVERIFY(h->isHidden());
    QCOMPARE(v->geometry(), QRect(QPoint(300 - vbW, 0), QPoint(299, 199)));
    QVERIFY(grid.scrollBarCornerRect().isEmpty());

    // A fixed thickness given by the owner is kept.
    v->setFixedWidth(9);
    grid.updateLayout(false);
    QCOMPARE(v->geometry(), QRect(291, 0, 9, 200));
}

void TestSkinGridLayout::firstVisibleIsClamped()
{
    SkinGridView grid;
    hideHeaders(&grid);
    fill(&grid, 10, 30);
    grid.resize(100, 100);
    grid.updateLayout(false);
    grid.setFirstVisibleRow(99, true, false);
    QCOMPARE(grid.firstVisibleRow(), 29);
    QCOMPARE(grid.lastVisibleRow(), 29);
    grid.setFirstVisibleRow(-3, true, false);
    QCOMPARE(grid.firstVisibleRow(), 0);
    grid.scrollToColumn(4);
    QCOMPARE(grid.firstVisibleColumn(), 4);
    QCOMPARE(grid.columns().at(4)->left(), 0);
    QCOMPARE(grid.columns().at(0)->left(), -160);

    // While the bar is hidden the grid stands at 0.
    grid.resize(1000, 1000);
    grid.updateLayout(false);
    QCOMPARE(grid.firstVisibleColumn(), 0);
    grid.scrollToRow(5);
    QCOMPARE(grid.firstVisibleRow(), 0);
}

void TestSkinGridLayout::lastVisibleCountsPartlyShown()
{
    SkinGridView grid;
    hideHeaders(&grid);
    fill(&grid, 10, 10);
    grid.resize(120, 81);
    grid.updateLayout(false);
    // Column 2 ends at 120, one past the last pixel 119: partly shown.
    QCOMPARE(grid.lastVisibleColumn(), 2);
    // Row 3 ends at 80, the last pixel: whole; row 4 starts on it.
    QCOMPARE(grid.lastVisibleRow(), 4);
    grid.resize(121, 80);
    grid.updateLayout(false);
    QCOMPARE(grid.lastVisibleColumn(), 3);
    QCOMPARE(grid.lastVisibleRow(), 3);
}

void TestSkinGridLayout::barAndGridFollowEachOther()
{
    SkinGridView grid;
    hideHeaders(&grid);
    fill(&grid, 2, 50);
    grid.resize(100, 100);
    grid.updateLayout(false);
    QScrollBar *bar = grid.verticalScrollBar();
    QSignalSpy moved(bar, SIGNAL(valueChanged(int)));
    grid.scrollToRow(7);
    QCOMPARE(bar->value(), 7);
    QCOMPARE(moved.count(), 1);
    QCOMPARE(grid.firstVisibleRow(), 7);
    // Without sync the bar stays.
    grid.setFirstVisibleRow(3, false, false);
    QCOMPARE(bar->value(), 7);
    bar->setValue(12);
    QCOMPARE(grid.firstVisibleRow(), 12);
    QCOMPARE(grid.rows().at(12)->top(), 0);
    // The editor closes when the bar scrolls.
    grid.editCell(0, 13);
    QVERIFY(!grid.cellEditor()->isHidden());
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(grid.firstVisibleRow(), 13);
    QVERIFY(grid.cellEditor()->isHidden());
}

void TestSkinGridLayout::shrinkingKeepsBarAndGridTogether()
{
    SkinGridView grid;
    hideHeaders(&grid);
    fill(&grid, 2, 50);
    grid.resize(100, 100);
    grid.updateLayout(false);
    grid.scrollToRow(40);
    grid.setRowCount(20);
    QCOMPARE(grid.firstVisibleRow(), 19);
    QCOMPARE(grid.verticalScrollBar()->value(), 19);
    // Once the bar hides it goes back to 0 with the grid, so showing it
    // again starts in agreement.
    grid.setRowCount(3);
    QVERIFY(grid.verticalScrollBar()->isHidden());
    QCOMPARE(grid.verticalScrollBar()->value(), 0);
    grid.setRowCount(50);
    QCOMPARE(grid.firstVisibleRow(), 0);
    QCOMPARE(grid.verticalScrollBar()->value(), 0);
}

void TestSkinGridLayout::hitTests_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("expected");
    // Row header 50 wide and columns of 40: column 0 spans 50 to 90.
    // Column header 23 high and rows of 20: row 0 spans 23 to 43.
    QTest::newRow("header") << 0 << 0 << -1;
    QTest::newRow("header's last pixel") << 49 << 22 << -1;
    QTest::newRow("first cell's edge") << 50 << 23 << 0;
    QTest::newRow("boundary goes to the first") << 90 << 43 << 0;
    QTest::newRow("past the boundary") << 91 << 44 << 1;
    QTest::newRow("last cell's far edge") << 170 << 83 << 2;
    QTest::newRow("beyond the last") << 171 << 84 << -2;
    QTest::newRow("negative") << -1 << -1 << -2;
}

void TestSkinGridLayout::hitTests()
{
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, expected);
    SkinGridView grid;
    fill(&grid, 3, 3);
    grid.resize(400, 300);
    grid.updateLayout(false);
    QCOMPARE(grid.columnAt(x), expected);
    QCOMPARE(grid.rowAt(y), expected);

    SkinGridView empty;
    QCOMPARE(empty.columnAt(x), -2);
    QCOMPARE(empty.rowAt(y), -2);
}

void TestSkinGridLayout::hitTestsAfterScrolling()
{
    SkinGridView grid;
    fill(&grid, 10, 30);
    grid.resize(200, 150);
    grid.updateLayout(false);
    grid.scrollToColumn(3);
    grid.scrollToRow(10);
    QCOMPARE(grid.columnAt(51), 3);
    QCOMPARE(grid.rowAt(24), 10);
    // The header stays where it is and columns scrolled away are not hit.
    QCOMPARE(grid.columnAt(20), -1);
    QCOMPARE(grid.rowAt(5), -1);
    QCOMPARE(grid.cellRect(3, 10), QRect(50, 23, 40, 20));
    QCOMPARE(grid.cellRect(2, 9).right(), 49);
}

void TestSkinGridLayout::rectangles()
{
    SkinGridView grid;
    fill(&grid, 3, 4);
    grid.resize(400, 300);
    grid.updateLayout(false);
    QCOMPARE(grid.cellRect(-1, -1), QRect(0, 0, 50, 23));
    QCOMPARE(grid.cellRect(-1, 2), QRect(0, 63, 50, 20));
    QCOMPARE(grid.cellRect(1, -1), QRect(90, 0, 40, 23));
    QCOMPARE(grid.cellRect(2, 3), QRect(130, 83, 40, 20));
    QCOMPARE(grid.cellRect(3, 0), QRect());
    QCOMPARE(grid.cellRect(0, -2), QRect());
    QCOMPARE(grid.cellRect(-2, -1), QRect());
    QCOMPARE(grid.rowRect(1), QRect(50, 43, 120, 20));
    QCOMPARE(grid.rowRect(-1), QRect(0, 0, 170, 23));
    QCOMPARE(grid.columnRect(2), QRect(130, 23, 40, 80));
    QCOMPARE(grid.columnRect(-1), QRect(0, 0, 50, 103));
    QCOMPARE(grid.rowRect(4), QRect());

    grid.selection()->select(2, 1, false);
    grid.selection()->select(1, 2, true);
    QCOMPARE(grid.selection()->rect(), QRect(90, 43, 80, 40));

    grid.setColumnHeaderVisible(false);
    grid.setRowHeaderVisible(false);
    QVERIFY(grid.rowRect(-1).isEmpty());
    QVERIFY(grid.columnRect(-1).isEmpty());
}

void TestSkinGridLayout::ensureSelectionVisible()
{
    SkinGridView grid;
    hideHeaders(&grid);
    fill(&grid, 20, 40);
    grid.resize(200, 100);
    grid.updateLayout(false);
    const int shownRows = grid.lastVisibleRow() - grid.firstVisibleRow();
    grid.selection()->select(12, 30, false);
    grid.ensureSelectionVisible();
    QCOMPARE(grid.lastVisibleRow(), 30);
    QCOMPARE(grid.firstVisibleRow(), 30 - shownRows);
    QCOMPARE(grid.lastVisibleColumn(), 12);
    QCOMPARE(grid.verticalScrollBar()->value(), grid.firstVisibleRow());
    QCOMPARE(grid.horizontalScrollBar()->value(), grid.firstVisibleColumn());

    grid.selection()->select(1, 2, false);
    grid.ensureSelectionVisible();
    QCOMPARE(grid.firstVisibleRow(), 2);
    QCOMPARE(grid.firstVisibleColumn(), 1);

    grid.selection()->clear();
    grid.ensureSelectionVisible();
    QCOMPARE(grid.firstVisibleRow(), 2);
}

QTEST_MAIN(TestSkinGridLayout)
#include "tst_skingridlayout.moc"
