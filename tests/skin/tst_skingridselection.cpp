// The grid's selection: the selecting operations and what they signal, the
// range queries, the objects of the range, the arrow-key moves with their
// wrapping and scrolling, and the in-place editor.
#include "skin/gridfixture.h"

#include "skin/windows/skintheme.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

using namespace gridfixture;

namespace {

QString corners(const SkinGridSelection *s)
{
    return QString("%1,%2>%3,%4").arg(s->anchorColumn()).arg(s->anchorRow()).arg(s->currentColumn()).arg(s->currentRow());
}

// A grid without headers whose cells are 40 x 20.
void plainGrid(SkinGridView *grid, int columns, int rows, const QSize &size = QSize(400, 300))
{
    hideHeaders(grid);
    fill(grid, columns, rows);
    grid->resize(size);
    grid->updateLayout(false);
}

// An editor the grid does not own, or none at all.
class EditorlessGrid : public SkinGridView
{
public:
    QLineEdit *cellEditor() const override { return nullptr; }
};

} // namespace

class TestSkinGridSelection : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void selecting_data();
    void selecting();
    void rangeQueries();
    void indicesOutsideTheGridReadEmpty();
    void objectsOfTheRange();
    void keyMoves_data();
    void keyMoves();
    void keyMovesScroll();
    void keyMovesOnAnEmptySelection();
    void editorOpensOnTheCell();
    void editorRefuses();
    void editorAccepts_data();
    void editorAccepts();
    void editorOnAVanishedCell();
    void editorClosesWithoutAccepting();
};

void TestSkinGridSelection::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    setSkinThemeStyle(Black);
    registerGridTypes();
}

void TestSkinGridSelection::selecting_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("expected");
    // Starting from anchor (1,1) and current (1,1) in a 4 x 5 grid.
    QTest::newRow("cell by index") << "selectCell 6 0" << "2,1>2,1";
    QTest::newRow("cell by index, extending") << "selectCell 11 1" << "1,1>3,2";
    QTest::newRow("invalid index clears") << "selectCell 20 0" << "-1,-1>-1,-1";
    QTest::newRow("negative index clears") << "selectCell -1 1" << "-1,-1>-1,-1";
    QTest::newRow("select") << "select 3 4 0" << "3,4>3,4";
    QTest::newRow("select, extending") << "select 3 4 1" << "1,1>3,4";
    QTest::newRow("select is unchecked") << "select 9 -4 0" << "9,-1>9,-1";
    QTest::newRow("column") << "selectColumn 2 0" << "2,0>2,4";
    QTest::newRow("column, extending") << "selectColumn 3 1" << "1,0>3,4";
    QTest::newRow("row") << "selectRow 3 0" << "0,3>3,3";
    QTest::newRow("row, extending") << "selectRow 0 1" << "0,1>3,0";
    QTest::newRow("all") << "selectAll" << "0,0>3,4";
    QTest::newRow("clear") << "clear" << "-1,-1>-1,-1";
}

void TestSkinGridSelection::selecting()
{
    QFETCH(QString, operation);
    QFETCH(QString, expected);
    SkinGridView grid;
    fill(&grid, 4, 5);
    SkinGridSelection *s = grid.selection();
    s->select(1, 1, false);
    QSignalSpy changed(&grid, SIGNAL(selectionChanged()));
    const QStringList words = operation.split(' ');
    const int a = words.value(1).toInt();
    const bool extend = words.value(words.size() - 1) == "1";
    if (words.at(0) == "selectCell")
        s->selectCell(a, extend);
    else if (words.at(0) == "select")
        s->select(a, words.at(2).toInt(), extend);
    else if (words.at(0) == "selectColumn")
        s->selectColumn(a, extend);
    else if (words.at(0) == "selectRow")
        s->selectRow(a, extend);
    else if (words.at(0) == "selectAll")
        s->selectAll();
    else
        s->clear();
    QCOMPARE(corners(s), expected);
    QCOMPARE(changed.count(), 1);
}

void TestSkinGridSelection::rangeQueries()
{
    SkinGridView grid;
    fill(&grid, 4, 5);
    SkinGridSelection *s = grid.selection();
    QCOMPARE(s->columnCount(), 0);
    QCOMPARE(s->topLeftIndex(), -1);
    QVERIFY(!s->contains(0, 0));

    s->select(3, 1, false);
    s->select(1, 3, true);
    QCOMPARE(s->left(), 1);
    QCOMPARE(s->right(), 3);
    QCOMPARE(s->top(), 1);
    QCOMPARE(s->bottom(), 3);
    QCOMPARE(s->columnCount(), 3);
    QCOMPARE(s->rowCount(), 3);
    QCOMPARE(s->topLeftIndex(), 5);
    QCOMPARE(s->bottomRightIndex(), 15);
    QVERIFY(s->contains(2, 2));
    QVERIFY(!s->contains(0, 2));
    QVERIFY(s->containsColumn(3));
    QVERIFY(!s->containsRow(4));
    QVERIFY(s->isCellRange());
    QVERIFY(!s->spansAllRows());

    s->selectRow(2, false);
    QVERIFY(s->spansAllColumns());
    QVERIFY(!s->spansAllRows());
    QVERIFY(!s->isCellRange());
    s->selectColumn(0, false);
    QVERIFY(s->spansAllRows());
    QVERIFY(!s->isAll());
    s->selectAll();
    QVERIFY(s->isAll());
}

void TestSkinGridSelection::indicesOutsideTheGridReadEmpty()
{
    SkinGridView grid;
    fill(&grid, 3, 3);
    SkinGridSelection *s = grid.selection();
    s->setAnchorColumn(-7);
    QCOMPARE(s->anchorColumn(), -1);
    s->select(2, 2, false);
    QVERIFY(!s->isEmpty());
    grid.removeColumn(2);
    QVERIFY(s->isEmpty());
    QCOMPARE(s->rowCount(), 0);
    QCOMPARE(s->anchorGridRow(), nullptr);
    QVERIFY(s->selectedRows().isEmpty());
    QVERIFY(s->rect().isEmpty());
    QVERIFY(!s->contains(1, 1));
}

void TestSkinGridSelection::objectsOfTheRange()
{
    SkinGridView grid;
    plainGrid(&grid, 3, 4);
    grid.setCellText(2, 1, "anchor");
    grid.setCellText(0, 3, "current");
    SkinGridSelection *s = grid.selection();
    s->select(2, 1, false);
    s->select(0, 3, true);
    QCOMPARE(s->anchorCell()->text(), QString("anchor"));
    QCOMPARE(s->currentCell()->text(), QString("current"));
    // Setting "anchor" made the row's cells before it; (2,3) was never made.
    QCOMPARE(s->topLeftCell(), grid.cell(0, 1));
    QVERIFY(s->topLeftCell());
    QCOMPARE(s->bottomRightCell(), nullptr);
    QCOMPARE(s->anchorGridRow(), grid.rows().at(1));
    QCOMPARE(s->currentGridRow(), grid.rows().at(3));
    QCOMPARE(s->topGridRow(), grid.rows().at(1));
    QCOMPARE(s->bottomGridRow(), grid.rows().at(3));
    QCOMPARE(s->anchorGridColumn(), grid.columns().at(2));
    QCOMPARE(s->currentGridColumn(), grid.columns().at(0));
    QCOMPARE(s->leftGridColumn(), grid.columns().at(0));
    QCOMPARE(s->rightGridColumn(), grid.columns().at(2));
    QCOMPARE(s->selectedRows(), grid.rows().mid(1, 3));
    QCOMPARE(s->selectedColumns(), grid.columns());
    QList<SkinGridCell *> cells = s->selectedCells();
    QCOMPARE(cells.size(), 4);
    QCOMPARE(where(cells.at(0)), QString("0,1"));
    QCOMPARE(where(cells.at(2)), QString("2,1"));
    QCOMPARE(where(cells.at(3)), QString("0,3"));
    QCOMPARE(s->rect(), QRect(0, 20, 120, 60));
    QVERIFY(cells.at(2)->isSelected());
}

void TestSkinGridSelection::keyMoves_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("signalCount");
    // A 3 x 3 grid.
    QTest::newRow("right") << 0 << "0,0" << int(Qt::Key_Right) << "1,0>1,0" << 1;
    QTest::newRow("right wraps to the next row") << 0 << "2,0" << int(Qt::Key_Right) << "0,1>0,1" << 1;
    QTest::newRow("right stops at the last cell") << 0 << "2,2" << int(Qt::Key_Right) << "2,2>2,2" << 0;
    QTest::newRow("left") << 0 << "2,1" << int(Qt::Key_Left) << "1,1>1,1" << 1;
    QTest::newRow("left wraps to the previous row") << 0 << "0,1" << int(Qt::Key_Left) << "2,0>2,0" << 1;
    QTest::newRow("left stops at the first cell") << 0 << "0,0" << int(Qt::Key_Left) << "0,0>0,0" << 0;
    QTest::newRow("up") << 0 << "1,2" << int(Qt::Key_Up) << "1,1>1,1" << 1;
    QTest::newRow("up stops in row 0") << 0 << "1,0" << int(Qt::Key_Up) << "1,0>1,0" << 0;
    QTest::newRow("down") << 0 << "1,1" << int(Qt::Key_Down) << "1,2>1,2" << 1;
    QTest::newRow("down stops in the last row") << 0 << "1,2" << int(Qt::Key_Down) << "1,2>1,2" << 0;
    QTest::newRow("a range collapses") << 0 << "0,0+2,2" << int(Qt::Key_Down) << "0,1>0,1" << 1;
    QTest::newRow("rows: down") << 1 << "1" << int(Qt::Key_Down) << "0,2>2,2" << 1;
    QTest::newRow("rows: left goes to the row above") << 1 << "1" << int(Qt::Key_Left) << "0,0>2,0" << 1;
    QTest::newRow("columns: right") << 2 << "1" << int(Qt::Key_Right) << "2,0>2,2" << 1;
    QTest::newRow("columns: up stops") << 2 << "1" << int(Qt::Key_Up) << "1,0>1,2" << 0;
}

void TestSkinGridSelection::keyMoves()
{
    QFETCH(int, mode);
    QFETCH(QString, start);
    QFETCH(int, key);
    QFETCH(QString, expected);
    QFETCH(int, signalCount);
    SkinGridView grid;
    plainGrid(&grid, 3, 3);
    grid.setSelectionMode(mode);
    SkinGridSelection *s = grid.selection();
    if (mode == 1) {
        s->selectRow(start.toInt(), false);
    } else if (mode == 2) {
        s->selectColumn(start.toInt(), false);
    } else {
        const QStringList ends = start.split('+');
        const QStringList a = ends.at(0).split(',');
        s->select(a.at(0).toInt(), a.at(1).toInt(), false);
        if (ends.size() > 1) {
            const QStringList b = ends.at(1).split(',');
            s->select(b.at(0).toInt(), b.at(1).toInt(), true);
        }
    }
    QSignalSpy changed(&grid, SIGNAL(selectionChanged()));
    gridfixture::key(&grid, key);
    QCOMPARE(corners(s), expected);
    QCOMPARE(changed.count(), signalCount);
}

void TestSkinGridSelection::keyMovesScroll()
{
    // Rows 20 high in a 100-pixel view: rows 0 to 4 show, 4 only partly
    // (the horizontal bar is not needed; the vertical one is).
    SkinGridView grid;
    plainGrid(&grid, 2, 20, QSize(200, 90));
    QVERIFY(!grid.verticalScrollBar()->isHidden());
    QCOMPARE(grid.lastVisibleRow(), 4);
    grid.selection()->select(0, 4, false);
    gridfixture::key(&grid, Qt::Key_Down);
    QCOMPARE(grid.selection()->anchorRow(), 5);
    QCOMPARE(grid.firstVisibleRow(), 1);
    QCOMPARE(grid.verticalScrollBar()->value(), 1);
    gridfixture::key(&grid, Qt::Key_Up);
    gridfixture::key(&grid, Qt::Key_Up);
    gridfixture::key(&grid, Qt::Key_Up);
    gridfixture::key(&grid, Qt::Key_Up);
    QCOMPARE(grid.selection()->anchorRow(), 1);
    QCOMPARE(grid.firstVisibleRow(), 1);
    gridfixture::key(&grid, Qt::Key_Up);
    QCOMPARE(grid.firstVisibleRow(), 0);
    QCOMPARE(grid.verticalScrollBar()->value(), 0);

    // Columns 40 wide in a 90-pixel view: column 2 is the last, partly shown.
    SkinGridView wide;
    plainGrid(&wide, 10, 2, QSize(90, 100));
    QCOMPARE(wide.lastVisibleColumn(), 2);
    wide.selection()->select(2, 0, false);
    gridfixture::key(&wide, Qt::Key_Right);
    QCOMPARE(wide.firstVisibleColumn(), 1);
    wide.selection()->select(1, 0, false);
    gridfixture::key(&wide, Qt::Key_Left);
    QCOMPARE(wide.firstVisibleColumn(), 0);
}

void TestSkinGridSelection::keyMovesOnAnEmptySelection()
{
    SkinGridView grid;
    plainGrid(&grid, 2, 2);
    QSignalSpy changed(&grid, SIGNAL(selectionChanged()));
    for (int k : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down})
        gridfixture::key(&grid, k);
    QCOMPARE(changed.count(), 0);
    QVERIFY(grid.selection()->isEmpty());
}

void TestSkinGridSelection::editorOpensOnTheCell()
{
    SkinGridView grid;
    plainGrid(&grid, 5, 14);
    grid.setCellText(3, 12, "old");
    grid.scrollToRow(0);
    grid.editCell(3, 12);
    QLineEdit *editor = grid.cellEditor();
    QVERIFY(!editor->isHidden());
    QCOMPARE(editor->toolTip(), QString("3,12"));
    QCOMPARE(editor->text(), QString("old"));
    // Without a selection colour the editor covers the cell's right and
    // bottom lines too.
    QCOMPARE(editor->geometry(), grid.cellRect(3, 12).adjusted(0, 0, 1, 1));
    grid.closeCellEditor(false);
    grid.setSelectionColor(Qt::blue);
    grid.editCell(1, 0);
    QCOMPARE(editor->toolTip(), QString("1,0"));
    QCOMPARE(editor->geometry(), grid.cellRect(1, 0).adjusted(1, 1, 0, 0));
}

void TestSkinGridSelection::editorRefuses()
{
    SkinGridView grid;
    plainGrid(&grid, 3, 3);
    grid.cellAt(1, 1)->setReadOnly(true);
    grid.columns().at(2)->setVisible(false);
    grid.updateLayout(false);
    grid.editCell(1, 1);
    grid.editCell(3, 0);
    grid.editCell(-1, 0);
    grid.editCell(2, 0); // no room
    QVERIFY(grid.cellEditor()->isHidden());

    EditorlessGrid none;
    plainGrid(&none, 2, 2);
    none.editCell(0, 0);
    QVERIFY(none.findChild<QLineEdit *>()->isHidden());
    none.closeCellEditor(true);
}

void TestSkinGridSelection::editorAccepts_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("emitted");
    QTest::newRow("changed") << "old" << "new" << "text:1,1";
    QTest::newRow("unchanged") << "old" << "old" << "";
    QTest::newRow("typed into a missing cell") << "" << "new" << "text:1,1";
    QTest::newRow("nothing typed into a missing cell") << "" << "" << "";
}

void TestSkinGridSelection::editorAccepts()
{
    QFETCH(QString, before);
    QFETCH(QString, typed);
    QFETCH(QString, emitted);
    SkinGridView grid;
    plainGrid(&grid, 3, 3);
    if (!before.isEmpty())
        grid.setCellText(1, 1, before);
    GridRecorder recorder(&grid);
    grid.editCell(1, 1);
    grid.cellEditor()->setText(typed);
    QTest::keyClick(grid.cellEditor(), Qt::Key_Return);
    QVERIFY(grid.cellEditor()->isHidden());
    QCOMPARE(recorder.take(), emitted);
    QCOMPARE(grid.cellText(1, 1), typed);
    QCOMPARE(grid.cell(1, 1) != nullptr, !before.isEmpty() || !typed.isEmpty());
}

void TestSkinGridSelection::editorOnAVanishedCell()
{
    SkinGridView grid;
    plainGrid(&grid, 3, 3);
    GridRecorder recorder(&grid);
    grid.editCell(2, 2);
    grid.cellEditor()->setText("typed");
    grid.setRowCount(2);
    grid.closeCellEditor(true);
    QVERIFY(grid.cellEditor()->isHidden());
    QCOMPARE(recorder.take(), QString());
    QCOMPARE(grid.cellCount(), 6);

    grid.editCell(2, 0);
    grid.cellEditor()->setText("typed");
    grid.removeColumn(2);
    QTest::keyClick(grid.cellEditor(), Qt::Key_Return);
    QCOMPARE(recorder.take(), QString());
    QCOMPARE(joined(&grid), QString(",,,"));

    // A tool tip that names no cell is left alone.
    grid.editCell(0, 0);
    grid.cellEditor()->setToolTip("0,x");
    grid.cellEditor()->setText("typed");
    grid.closeCellEditor(true);
    QCOMPARE(recorder.take(), QString());
}

void TestSkinGridSelection::editorClosesWithoutAccepting()
{
    SkinGridView grid;
    plainGrid(&grid, 3, 30, QSize(200, 100));
    grid.setCellText(0, 0, "old");
    GridRecorder recorder(&grid);

    // Escape, sent where the user's key goes: to the editor, which passes
    // it on to the grid.
    grid.editCell(0, 0);
    grid.cellEditor()->setText("typed");
    QTest::keyClick(grid.cellEditor(), Qt::Key_Escape);
    QVERIFY(grid.cellEditor()->isHidden());

    // Scrolling.
    grid.editCell(0, 0);
    grid.cellEditor()->setText("typed");
    grid.verticalScrollBar()->setValue(3);
    QVERIFY(grid.cellEditor()->isHidden());
    QCOMPARE(grid.firstVisibleRow(), 3);
    QCOMPARE(recorder.take(), QString());
    QCOMPARE(grid.cellText(0, 0), QString("old"));

    // A left press accepts before the selection moves.
    grid.editCell(1, 4);
    grid.cellEditor()->setText("typed");
    press(&grid, centreOf(&grid, 2, 5));
    QCOMPARE(recorder.take(), QString("pressing:2,5 text:1,4 selection pressed:2,5"));
}

QTEST_MAIN(TestSkinGridSelection)
#include "tst_skingridselection.moc"
#include "moc_gridfixture.cpp"
