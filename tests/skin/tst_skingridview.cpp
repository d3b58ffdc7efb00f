// The grid's model: defaults, lazy cells, columns and rows with the shifts
// of insertion and removal, the counts, clearing and shifting cells, cell
// and row copies, and what the grid owns and deletes.
#include "skin/gridfixture.h"

#include "skin/windows/skintheme.h"

#include <QLineEdit>
#include <QPointer>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

using namespace gridfixture;

namespace {

// Counts its own deletions.
class CountedDelegate : public SkinGridItemDelegate
{
public:
    explicit CountedDelegate(int *deletions) : m_deletions(deletions) {}
    ~CountedDelegate() override { ++*m_deletions; }

private:
    int *m_deletions;
};

// Every field of a cell that moves with its content, as one text.
QString content(const SkinGridCell *cell)
{
    return QString("%1|%2|%3|%4|%5|%6|%7|%8|%9")
        .arg(cell->text())
        .arg(cell->alignment())
        .arg(cell->backgroundColor().name(QColor::HexArgb))
        .arg(cell->isReadOnly())
        .arg(cell->isDragEnabled())
        .arg(cell->userText())
        .arg(cell->userValue())
        .arg(quintptr(cell->data()))
        .arg(cell->toolTip());
}

// A panel built on a grid, connected as the panels connect.
class RecordingPanel : public QWidget
{
    Q_OBJECT

public:
    RecordingPanel()
        : m_grid(new SkinGridView(this))
    {
        fill(m_grid, 1, 1);
        connect(m_grid, SIGNAL(selectionChanged()), this, SLOT(onSelectionChanged()));
    }

private slots:
    void onSelectionChanged() { m_log.append("selection"); }

private:
    SkinGridView *m_grid;
    QStringList m_log;
};

} // namespace

class TestSkinGridView : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void newGridIsEmpty();
    void cellsAreMadeOnlyWhenStored();
    void newCellsTakeTheGridsSwitches();
    void outsideTheGridNothingHappens_data();
    void outsideTheGridNothingHappens();
    void insertColumnShiftsCellsRight();
    void removeColumnShiftsCellsLeft();
    void rowsKeepTheirCellsNumbered();
    void removeRowLeavesTheSelection();
    void addRowFillsTexts();
    void rowsNeedAColumn();
    void appendedItemsFillRowsInReadingOrder();
    void setRowCount();
    void setColumnCount();
    void clearCell_data();
    void clearCell();
    void cellCopyAndReset();
    void rowCopy();
    void shownObjectsAreNotOwned();
    void clearEmptiesEverything();
    void destructorSignalsOnceMore();
    void delegatesAndTheirOwners();
};

void TestSkinGridView::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    setSkinThemeStyle(Black);
    registerGridTypes();
}

void TestSkinGridView::newGridIsEmpty()
{
    SkinGridView grid;
    QCOMPARE(grid.columnCount(), 0);
    QCOMPARE(grid.rowCount(), 0);
    QVERIFY(grid.selection()->isEmpty());
    QVERIFY(grid.cellRect(-1, -1).isEmpty());
    QVERIFY(grid.itemDelegate());
    QVERIFY(grid.cellEditor()->isHidden());
    QCOMPARE(grid.gridLineColor(), skinGridLineColor);
    QCOMPARE(grid.backgroundColor(), QColor(Qt::white));

    // Laying an empty grid out (as showing it does) keeps every index at -1.
    for (int pass = 0; pass < 2; ++pass) {
        QCOMPARE(grid.firstVisibleColumn(), -1);
        QCOMPARE(grid.lastVisibleColumn(), -1);
        QCOMPARE(grid.firstVisibleRow(), -1);
        QCOMPARE(grid.lastVisibleRow(), -1);
        QVERIFY(grid.horizontalScrollBar()->isHidden());
        QVERIFY(grid.verticalScrollBar()->isHidden());
        grid.resize(200, 100);
        grid.show();
        grid.updateLayout(true);
    }
}

void TestSkinGridView::cellsAreMadeOnlyWhenStored()
{
    SkinGridView grid;
    fill(&grid, 0, 0);
    grid.addColumn("A", 50, Qt::AlignRight | Qt::AlignTop);
    grid.addRow();
    grid.addRow();
    grid.addColumn("B", 50, Qt::AlignCenter);
    grid.addColumn("C", 50, Qt::AlignCenter);

    // Queries answer the defaults and make nothing.
    QCOMPARE(grid.cellText(2, 1), QString());
    QCOMPARE(grid.cellAlignment(2, 1), int(Qt::AlignLeft | Qt::AlignVCenter));
    QCOMPARE(grid.cellBackgroundColor(2, 1), QColor(Qt::transparent));
    QCOMPARE(grid.cellData(2, 1), nullptr);
    QCOMPARE(grid.cellToolTip(2, 1), QString());
    QVERIFY(!grid.cell(0, 0));
    QVERIFY(grid.rows().at(1)->cells().isEmpty());

    // cellAt makes the row's cells up to the column, each knowing its place
    // and taking its column's alignment.
    SkinGridCell *made = grid.cellAt(2, 1);
    QVERIFY(made);
    QCOMPARE(grid.rows().at(1)->cells().size(), 3);
    for (int c = 0; c < 3; ++c) {
        const SkinGridCell *cell = grid.cell(c, 1);
        QCOMPARE(cell->column(), c);
        QCOMPARE(cell->row(), 1);
        QCOMPARE(cell->index(), 3 + c);
        QCOMPARE(cell->alignment(), grid.columns().at(c)->cellAlignment());
    }
    QCOMPARE(grid.cellAt(2, 1), made);
    QVERIFY(grid.rows().at(0)->cells().isEmpty());

    // A setter makes its cell too.
    grid.setCellUserText(0, 0, "u");
    QVERIFY(grid.cell(0, 0));
    QCOMPARE(grid.cellUserText(0, 0), QString("u"));
    QCOMPARE(grid.rows().at(0)->cells().size(), 1);
    QCOMPARE(grid.cellByIndex(1), nullptr);
    SkinGridCell *second = grid.cellAtIndex(1);
    QVERIFY(second);
    QCOMPARE(grid.cell(1, 0), second);
}

void TestSkinGridView::newCellsTakeTheGridsSwitches()
{
    SkinGridView grid;
    fill(&grid, 2, 1);
    grid.cellAt(0, 0);
    grid.setDragEnabled(true);
    grid.setDropEnabled(true);
    // The missing cell answers the grid's switches, the old one its own.
    QVERIFY(grid.isCellDragEnabled(1, 0));
    QVERIFY(grid.isCellDropEnabled(1, 0));
    QVERIFY(!grid.isCellDragEnabled(0, 0));
    QVERIFY(!grid.isCellDropEnabled(0, 0));
    QVERIFY(grid.cellAt(1, 0)->isDragEnabled());
    QVERIFY(grid.cellAt(1, 0)->isDropEnabled());
    QCOMPARE(grid.cellAt(1, 0)->textColor(), skinTextColor);
}

void TestSkinGridView::outsideTheGridNothingHappens_data()
{
    QTest::addColumn<int>("operation");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    // 0 cellAt, 1 setCellText, 2 clearCell with shift, 3 removeRow(row),
    // 4 removeColumn(column), 5 cellAtIndex(row)
    QTest::newRow("cellAt left") << 0 << -1 << 0;
    QTest::newRow("cellAt right") << 0 << 3 << 0;
    QTest::newRow("cellAt below") << 0 << 0 << 2;
    QTest::newRow("setCellText above") << 1 << 0 << -1;
    QTest::newRow("setCellText right") << 1 << 3 << 1;
    QTest::newRow("clearCell below") << 2 << 0 << 2;
    QTest::newRow("clearCell header") << 2 << -1 << -1;
    QTest::newRow("removeRow -1") << 3 << 0 << -1;
    QTest::newRow("removeRow count") << 3 << 0 << 2;
    QTest::newRow("removeColumn count") << 4 << 3 << 0;
    QTest::newRow("cellAtIndex count") << 5 << 0 << 6;
    QTest::newRow("cellAtIndex -1") << 5 << 0 << -1;
}

void TestSkinGridView::outsideTheGridNothingHappens()
{
    QFETCH(int, operation);
    QFETCH(int, column);
    QFETCH(int, row);
    SkinGridView grid;
    fill(&grid, 3, 2, {"a", "b", "c", "d"});
    const QString before = joined(&grid);
    switch (operation) {
    case 0:
        QCOMPARE(grid.cellAt(column, row), nullptr);
        break;
    case 1:
        grid.setCellText(column, row, "x");
        break;
    case 2:
        grid.clearCell(column, row, true);
        break;
    case 3:
        grid.removeRow(row);
        break;
    case 4:
        grid.removeColumn(column);
        break;
    case 5:
        QCOMPARE(grid.cellAtIndex(row), nullptr);
        break;
    }
    QCOMPARE(joined(&grid), before);
    QCOMPARE(grid.columnCount(), 3);
    QCOMPARE(grid.rowCount(), 2);
    // Row 1 holds "d" only: nothing was made past it.
    QCOMPARE(grid.rows().at(1)->cells().size(), 1);
}

void TestSkinGridView::insertColumnShiftsCellsRight()
{
    SkinGridView grid;
    fill(&grid, 2, 3, {"a", "b", "c"});
    // Row 0 holds a, b; row 1 holds c; row 2 holds nothing.
    auto *column = new SkinGridColumn(&grid);
    grid.insertColumn(0, column);
    QCOMPARE(grid.columnCount(), 3);
    QCOMPARE(grid.columns().at(0), column);
    for (int c = 0; c < 3; ++c)
        QCOMPARE(grid.columns().at(c)->index(), c);
    QCOMPARE(joined(&grid), QString(",a,b,,c,,,,"));
    QVERIFY(grid.cell(0, 0));
    QVERIFY(grid.cell(0, 1));
    QCOMPARE(grid.rows().at(2)->cells().size(), 0);
    for (int r = 0; r < 2; ++r) {
        const QList<SkinGridCell *> &cells = grid.rows().at(r)->cells();
        for (int c = 0; c < cells.size(); ++c)
            QCOMPARE(cells.at(c)->column(), c);
    }

    // In the middle, only rows whose cells reach past the index get one.
    grid.insertColumn(2, new SkinGridColumn(&grid));
    QCOMPARE(joined(&grid), QString(",a,,b,,c,,,,,,"));
    QCOMPARE(grid.rows().at(1)->cells().size(), 2);
    QCOMPARE(grid.cell(3, 0)->column(), 3);

    // Null and already inserted columns are refused.
    grid.insertColumn(0, nullptr);
    grid.insertColumn(1, column);
    QCOMPARE(grid.columnCount(), 4);
}

void TestSkinGridView::removeColumnShiftsCellsLeft()
{
    SkinGridView grid;
    fill(&grid, 3, 2, {"a", "b", "c", "d"});
    grid.selection()->select(2, 1, false);
    grid.removeColumn(1);
    QCOMPARE(joined(&grid), QString("a,c,d,"));
    QCOMPARE(grid.cell(1, 0)->column(), 1);
    QCOMPARE(grid.columns().at(1)->index(), 1);
    QCOMPARE(grid.columns().at(1)->headerText(), QString("C2"));
    // The selection keeps its indices and now lies outside the grid.
    QCOMPARE(grid.selection()->anchorColumn(), 2);
    QVERIFY(grid.selection()->isEmpty());
}

void TestSkinGridView::rowsKeepTheirCellsNumbered()
{
    SkinGridView grid;
    fill(&grid, 2, 3, {"a", "b", "c", "d", "e", "f"});
    SkinGridCell *e = grid.cell(0, 2);
    auto *row = new SkinGridRow(&grid);
    grid.insertRow(1, row);
    QCOMPARE(row->index(), 1);
    QCOMPARE(joined(&grid), QString("a,b,,,c,d,e,f"));
    // The cells of the rows below follow their rows.
    QCOMPARE(e->row(), 3);
    QCOMPARE(e->index(), 6);
    QCOMPARE(grid.rows().at(3)->index(), 3);

    grid.removeRow(0);
    QCOMPARE(joined(&grid), QString(",,c,d,e,f"));
    QCOMPARE(e->row(), 2);
    QCOMPARE(e->index(), 4);
    for (int r = 0; r < grid.rowCount(); ++r)
        QCOMPARE(grid.rows().at(r)->index(), r);
}

void TestSkinGridView::removeRowLeavesTheSelection()
{
    SkinGridView grid;
    fill(&grid, 2, 4);
    grid.selection()->select(1, 2, false);
    QSignalSpy changed(&grid, SIGNAL(selectionChanged()));
    grid.removeRow(0);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(grid.selection()->anchorRow(), 2);
    QCOMPARE(grid.selection()->currentRow(), 2);
    QVERIFY(!grid.selection()->isEmpty());
    grid.removeRow(0);
    // Row 2 no longer exists: the selection reads empty.
    QVERIFY(grid.selection()->isEmpty());
    QCOMPARE(changed.count(), 0);
}

void TestSkinGridView::addRowFillsTexts()
{
    SkinGridView grid;
    fill(&grid, 3, 0);
    grid.addRow("first");
    grid.addRow(QStringList{"a", "b", "c"});
    grid.addRow(QStringList{"x", "y"});
    QCOMPARE(joined(&grid), QString("first,,,a,b,c,,,"));
    QCOMPARE(grid.rows().at(2)->cells().size(), 0);
}

void TestSkinGridView::rowsNeedAColumn()
{
    SkinGridView grid;
    SkinGridRow *row = grid.addRow("lost");
    QCOMPARE(grid.rowCount(), 0);
    QCOMPARE(row->index(), -1);
    QVERIFY(row->cells().isEmpty());
    delete row;
    grid.setRowCount(5);
    QCOMPARE(grid.rowCount(), 0);
}

void TestSkinGridView::appendedItemsFillRowsInReadingOrder()
{
    SkinGridView grid;
    QCOMPARE(grid.appendItemCell(), nullptr);
    QCOMPARE(grid.itemCount(), 0);
    grid.setColumnCount(3);
    QList<SkinGridCell *> cells;
    for (int i = 0; i < 4; ++i)
        cells.append(grid.appendItemCell());
    QCOMPARE(grid.itemCount(), 4);
    QCOMPARE(grid.rowCount(), 2);
    QCOMPARE(cells, (QList<SkinGridCell *>{grid.cell(0, 0), grid.cell(1, 0), grid.cell(2, 0), grid.cell(0, 1)}));
    // A row already there is filled before another is added.
    grid.setRowCount(3);
    grid.appendItemCell();
    grid.appendItemCell();
    SkinGridCell *seventh = grid.appendItemCell();
    QCOMPARE(seventh, grid.cell(0, 2));
    QCOMPARE(grid.rowCount(), 3);
}

void TestSkinGridView::setRowCount()
{
    SkinGridView grid;
    fill(&grid, 2, 2, {"a", "b", "c", "d"});
    grid.setDefaultRowHeight(-5);
    grid.setRowCount(4);
    QCOMPARE(grid.rowCount(), 4);
    QCOMPARE(grid.rows().at(3)->height(), 0);
    QCOMPARE(grid.rows().at(3)->index(), 3);
    grid.setRowCount(1);
    QCOMPARE(joined(&grid), QString("a,b"));

    grid.selection()->select(1, 0, false);
    QSignalSpy changed(&grid, SIGNAL(selectionChanged()));
    grid.setRowCount(0);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(grid.rowCount(), 0);
    QCOMPARE(grid.selection()->anchorColumn(), -1);
    QCOMPARE(grid.selection()->anchorRow(), -1);
    QCOMPARE(grid.selection()->currentColumn(), -1);
    QCOMPARE(grid.selection()->currentRow(), -1);
    QCOMPARE(grid.columnCount(), 2);
}

void TestSkinGridView::setColumnCount()
{
    SkinGridView grid;
    fill(&grid, 1, 2, {"a", "b"});
    grid.setDefaultColumnWidth(33);
    grid.setColumnCount(3);
    QCOMPARE(grid.columnCount(), 3);
    QCOMPARE(grid.columns().at(2)->width(), 33);
    QCOMPARE(grid.columns().at(2)->headerText(), QString());
    QCOMPARE(grid.columns().at(2)->cellAlignment(), int(Qt::AlignLeft | Qt::AlignVCenter));
    grid.setCellText(2, 0, "c");
    grid.setColumnCount(2);
    QCOMPARE(joined(&grid), QString("a,,b,"));
    QCOMPARE(grid.rows().at(0)->cells().size(), 2);

    QSignalSpy changed(&grid, SIGNAL(selectionChanged()));
    grid.setColumnCount(0);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(grid.columnCount(), 0);
    QCOMPARE(grid.rowCount(), 0);
}

void TestSkinGridView::clearCell_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("shift");
    QTest::addColumn<QString>("expected");
    const QStringList six = {"a", "b", "c", "d", "e", "f"};
    QTest::newRow("shift from the second") << 3 << six << 1 << 0 << true << "a,c,d,e,f,";
    QTest::newRow("no shift") << 3 << six << 1 << 0 << false << "a,,c,d,e,f";
    QTest::newRow("shift the last") << 3 << six << 2 << 1 << true << "a,b,c,d,e,";
    QTest::newRow("shift from the first") << 2 << six << 0 << 0 << true << "b,c,d,e,f,";
    // The fourth cell was never made (the list stops at c): the third
    // takes its empty place instead of a copy.
    QTest::newRow("shift over missing cells") << 3 << QStringList{"a", "b", "c"} << 0 << 0 << true << "b,c,,,,";
}

void TestSkinGridView::clearCell()
{
    QFETCH(int, columns);
    QFETCH(QStringList, texts);
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(bool, shift);
    QFETCH(QString, expected);
    SkinGridView grid;
    fill(&grid, columns, 6 / columns, texts);
    grid.clearCell(column, row, shift);
    QCOMPARE(joined(&grid), expected);
}

void TestSkinGridView::cellCopyAndReset()
{
    SkinGridView grid;
    fill(&grid, 2, 1);
    grid.columns().at(1)->setCellAlignment(Qt::AlignRight);
    QObject shown;
    SkinGridCell *from = grid.cellAt(0, 0);
    from->setText("t");
    from->setAlignment(Qt::AlignHCenter);
    from->setBackgroundColor(Qt::red);
    from->setTextColor(Qt::green);
    from->setReadOnly(true);
    from->setDragEnabled(true);
    from->setDropEnabled(true);
    from->setToolTip("tip");
    from->setData(&shown);
    from->setUserText("user");
    from->setUserValue(7);
    SkinGridCell *to = grid.cellAt(1, 0);
    to->setTextColor(Qt::blue);

    from->copyTo(to);
    QCOMPARE(content(to), content(from));
    // The text colour and the drop switch stay with the position.
    QCOMPARE(to->textColor(), QColor(Qt::blue));
    QVERIFY(!to->isDropEnabled());
    from->copyTo(nullptr);

    to->reset();
    QCOMPARE(to->alignment(), int(Qt::AlignRight));
    QCOMPARE(to->text(), QString());
    QCOMPARE(to->backgroundColor(), QColor(Qt::transparent));
    QVERIFY(!to->isReadOnly());
    QVERIFY(!to->isDragEnabled());
    QCOMPARE(to->toolTip(), QString());
    QCOMPARE(to->data(), nullptr);
    QCOMPARE(to->userText(), QString());
    QCOMPARE(to->userValue(), 0);
    QCOMPARE(to->textColor(), QColor(Qt::blue));

    // A free cell has no column to take an alignment from.
    SkinGridCell free(&grid, -1, -1);
    free.setAlignment(Qt::AlignRight);
    free.reset();
    QCOMPARE(free.alignment(), int(Qt::AlignLeft | Qt::AlignVCenter));
}

void TestSkinGridView::rowCopy()
{
    SkinGridView grid;
    fill(&grid, 3, 2, {"a", "b", "c", "d"});
    QObject shown;
    SkinGridRow *from = grid.rows().at(0);
    SkinGridRow *to = grid.rows().at(1);
    from->setText("header");
    from->setAlignment(Qt::AlignRight);
    from->setVisible(false);
    from->setBackgroundColor(Qt::yellow);
    from->setData(&shown);
    from->setUserText("u");
    from->setUserValue(3);
    from->setHeight(44);
    SkinGridCell *old = grid.cell(0, 1);
    Q_UNUSED(old)

    from->copyTo(to);
    QCOMPARE(to->text(), QString("header"));
    QCOMPARE(to->alignment(), int(Qt::AlignRight));
    QVERIFY(!to->isVisible());
    QCOMPARE(to->backgroundColor(), QColor(Qt::yellow));
    QCOMPARE(to->data(), &shown);
    QCOMPARE(to->userText(), QString("u"));
    QCOMPARE(to->userValue(), 3);
    to->setVisible(true);
    QCOMPARE(to->height(), grid.defaultRowHeight());
    QCOMPARE(to->cells().size(), 3);
    QCOMPARE(joined(&grid), QString("a,b,c,a,b,c"));
    for (int c = 0; c < 3; ++c) {
        QCOMPARE(to->cells().at(c)->row(), 1);
        QCOMPARE(to->cells().at(c)->column(), c);
    }
    // A hidden row keeps its height for when it shows again.
    QCOMPARE(from->height(), 0);
    from->setVisible(true);
    QCOMPARE(from->height(), 44);
}

void TestSkinGridView::shownObjectsAreNotOwned()
{
    SkinGridView grid;
    fill(&grid, 1, 1);
    QPointer<QObject> shown = new QObject;
    grid.setCellData(0, 0, shown);
    grid.rows().at(0)->setData(shown);
    QCOMPARE(grid.cellData(0, 0), shown.data());
    delete shown.data();
    // A deleted object reads as none instead of a dangling pointer.
    QCOMPARE(grid.cellData(0, 0), nullptr);
    QCOMPARE(grid.rows().at(0)->data(), nullptr);

    auto *kept = new QObject;
    {
        SkinGridView other;
        fill(&other, 1, 1);
        other.setCellData(0, 0, kept);
    }
    delete kept; // still ours: a second delete would crash under the sanitizer
}

void TestSkinGridView::clearEmptiesEverything()
{
    SkinGridView grid;
    fill(&grid, 2, 2, {"a"});
    grid.selection()->selectAll();
    QSignalSpy changed(&grid, SIGNAL(selectionChanged()));
    grid.clear();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(grid.columnCount(), 0);
    QCOMPARE(grid.rowCount(), 0);
    QCOMPARE(grid.selection()->anchorColumn(), -1);
    QCOMPARE(grid.firstVisibleColumn(), -1);
    QCOMPARE(grid.firstVisibleRow(), -1);
}

void TestSkinGridView::destructorSignalsOnceMore()
{
    auto *grid = new SkinGridView;
    fill(grid, 2, 2);
    GridRecorder recorder(grid);
    delete grid;
    QCOMPARE(recorder.take(), QString("selection"));

    // A panel that owns the grid and receives its signal is half destroyed
    // when its child grid goes: a connection by signature string no longer
    // reaches the panel's slot, which would touch its destroyed members.
    delete new RecordingPanel;
}

void TestSkinGridView::delegatesAndTheirOwners()
{
    int deletions = 0;
    {
        SkinGridView grid;
        // Replacing the built-in delegate deletes it (the leak checker
        // would see it otherwise); the installed one goes with the grid.
        grid.setItemDelegate(new CountedDelegate(&deletions));
        QCOMPARE(deletions, 0);
    }
    QCOMPARE(deletions, 1);

    auto *first = new CountedDelegate(&deletions);
    {
        SkinGridView grid;
        grid.setItemDelegate(first);
        grid.setItemDelegate(new CountedDelegate(&deletions));
        QCOMPARE(deletions, 1);
    }
    QCOMPARE(deletions, 2);
    // The replaced one is the caller's again.
    delete first;
    QCOMPARE(deletions, 3);

    SkinGridView grid;
    grid.setItemDelegate(nullptr);
    grid.resize(100, 100);
    QVERIFY(!grid.grab().isNull());
}

QTEST_MAIN(TestSkinGridView)
#include "tst_skingridview.moc"
#include "moc_gridfixture.cpp"
