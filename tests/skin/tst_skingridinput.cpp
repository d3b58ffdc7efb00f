// The grid's input: hover signals, presses by selection mode with the
// handled and context-menu flags, drag starts past the threshold, stretching
// a range, clicks, double clicks, the wheel, the keys and the hover tool tips.
#include "skin/gridfixture.h"

#include "skin/windows/skintheme.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTimer>
#include <QToolTip>
#include <QtTest>

using namespace gridfixture;

namespace {

QString corners(const SkinGridSelection *s)
{
    return QString("%1,%2>%3,%4").arg(s->anchorColumn()).arg(s->anchorRow()).arg(s->currentColumn()).arg(s->currentRow());
}

// Three columns of 40 and four rows of 20 under both headers, every cell
// made; the view is larger than the cells.
void standardGrid(SkinGridView *grid)
{
    fill(grid, 3, 4, QStringList{"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l"});
    grid->resize(300, 200);
    grid->updateLayout(false);
}

// Where the mouse is for a named place of the standard grid.
QPoint placeOf(const SkinGridView *grid, const QString &place)
{
    if (place == "corner")
        return centreOf(grid, -1, -1);
    if (place == "nowhere")
        return QPoint(250, 150);
    const QStringList parts = place.split(',');
    return centreOf(grid, parts.at(0).toInt(), parts.at(1).toInt());
}

} // namespace

class TestSkinGridInput : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void hoverSignals();
    void presses_data();
    void presses();
    void handledPresses_data();
    void handledPresses();
    void dragStarts_data();
    void dragStarts();
    void dragStartsOnlyFromTheGridsOwnPress();
    void rangeStretchesSilently();
    void releaseClicks();
    void doubleClicks();
    void wheelScrollsAPage();
    void scrollBarCornerTakesNoInput();
    void elidedCellsShowTheirText();
    void tipsFollowTheCell();
};

void TestSkinGridInput::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    setSkinThemeStyle(Black);
    registerGridTypes();
}

void TestSkinGridInput::cleanup()
{
    QToolTip::hideText();
    QTRY_VERIFY_WITH_TIMEOUT(!QToolTip::isVisible(), 2000);
}

void TestSkinGridInput::hoverSignals()
{
    SkinGridView grid;
    standardGrid(&grid);
    grid.clearCell(2, 0, false);
    delete grid.rows().at(0)->cells().takeLast(); // (2,0) is missing now
    GridRecorder recorder(&grid);
    moveTo(&grid, centreOf(&grid, 0, 0));
    QCOMPARE(recorder.take(), QString("enter:0,0 hover:null>0,0"));
    moveTo(&grid, centreOf(&grid, 1, 0));
    QCOMPARE(recorder.take(), QString("leave:0,0 enter:1,0 hover:0,0>1,0"));
    moveTo(&grid, centreOf(&grid, 1, 0) + QPoint(3, 2));
    QCOMPARE(recorder.take(), QString());
    moveTo(&grid, QPoint(250, 10));
    QCOMPARE(recorder.take(), QString("leave:1,0 hover:1,0>null"));
    moveTo(&grid, centreOf(&grid, 2, 0));
    QCOMPARE(recorder.take(), QString("hover:null>null"));
    QCOMPARE(grid.hoverColumn(), 2);
    QCOMPARE(grid.hoverRow(), 0);
    // A held button stretches or drags instead of hovering.
    moveTo(&grid, centreOf(&grid, 0, 2), Qt::RightButton);
    QCOMPARE(recorder.take(), QString());
}

void TestSkinGridInput::presses_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("multi");
    QTest::addColumn<bool>("rightSelects");
    QTest::addColumn<QString>("place");
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("shift");
    QTest::addColumn<QString>("emitted");
    QTest::addColumn<QString>("selection");
    const int left = Qt::LeftButton;
    const int right = Qt::RightButton;
    // Before each press the anchor and current cell are (0,0).
    QTest::newRow("cell") << 0 << true << false << "1,2" << left << false << "pressing:1,2 selection pressed:1,2" << "1,2>1,2";
    QTest::newRow("cell with shift") << 0 << true << false << "1,2" << left << true << "pressing:1,2 selection pressed:1,2" << "0,0>1,2";
    QTest::newRow("row header") << 0 << true << false << "-1,2" << left << false << "pressing:-1,2 selection pressed:-1,2" << "0,2>2,2";
    QTest::newRow("row header with shift") << 0 << true << false << "-1,2" << left << true << "pressing:-1,2 selection pressed:-1,2" << "0,0>2,2";
    QTest::newRow("column header") << 0 << true << false << "2,-1" << left << false << "pressing:2,-1 selection pressed:2,-1" << "2,0>2,3";
    QTest::newRow("corner") << 0 << true << false << "corner" << left << false << "pressing:-1,-1 selection pressed:-1,-1" << "0,0>2,3";
    QTest::newRow("nowhere") << 0 << true << false << "nowhere" << left << false << "pressing:-2,-2 pressed:-2,-2" << "0,0>0,0";
    QTest::newRow("row mode, cell") << 1 << true << false << "1,2" << left << false << "pressing:1,2 selection pressed:1,2" << "0,2>2,2";
    QTest::newRow("column mode, cell with shift") << 2 << true << false << "2,1" << left << true << "pressing:2,1 selection pressed:2,1" << "0,0>2,3";
    QTest::newRow("single, row header in cell mode") << 0 << false << false << "-1,2" << left << false << "pressing:-1,2 pressed:-1,2" << "0,0>0,0";
    QTest::newRow("single, row header in row mode") << 1 << false << false << "-1,2" << left << true << "pressing:-1,2 selection pressed:-1,2" << "0,2>2,2";
    QTest::newRow("single, column header in row mode") << 1 << false << false << "1,-1" << left << false << "pressing:1,-1 pressed:1,-1" << "0,0>0,0";
    QTest::newRow("single, column header in column mode") << 2 << false << false << "1,-1" << left << false << "pressing:1,-1 selection pressed:1,-1" << "1,0>1,3";
    QTest::newRow("single, corner") << 0 << false << false << "corner" << left << false << "pressing:-1,-1 pressed:-1,-1" << "0,0>0,0";
    QTest::newRow("single, cell with shift") << 0 << false << false << "2,3" << left << true << "pressing:2,3 selection pressed:2,3" << "2,3>2,3";
    QTest::newRow("right") << 0 << true << false << "1,2" << right << false << "pressing:1,2 pressed:1,2" << "0,0>0,0";
    QTest::newRow("right selecting, single") << 1 << false << true << "1,2" << right << false << "pressing:1,2 selection pressed:1,2" << "0,2>2,2";
    QTest::newRow("right selecting, multi") << 1 << true << true << "1,2" << right << false << "pressing:1,2 pressed:1,2" << "0,0>0,0";
}

void TestSkinGridInput::presses()
{
    QFETCH(int, mode);
    QFETCH(bool, multi);
    QFETCH(bool, rightSelects);
    QFETCH(QString, place);
    QFETCH(int, button);
    QFETCH(bool, shift);
    QFETCH(QString, emitted);
    QFETCH(QString, selection);
    SkinGridView grid;
    standardGrid(&grid);
    grid.setSelectionMode(mode);
    grid.setMultiSelection(multi);
    grid.setRightClickSelects(rightSelects);
    grid.selection()->select(0, 0, false);
    GridRecorder recorder(&grid);
    press(&grid, placeOf(&grid, place), Qt::MouseButton(button), shift ? Qt::ShiftModifier : Qt::NoModifier);
    QCOMPARE(recorder.take(), emitted);
    QCOMPARE(corners(grid.selection()), selection);
    QVERIFY(grid.isMousePressed());
    QCOMPARE(grid.pressPosition(), placeOf(&grid, place));
}

void TestSkinGridInput::handledPresses_data()
{
    QTest::addColumn<bool>("handled");
    QTest::addColumn<bool>("suppressed");
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("emitted");
    QTest::addColumn<bool>("menuShown");
    const int left = Qt::LeftButton;
    const int right = Qt::RightButton;
    QTest::newRow("handled right press") << true << false << right << "pressing:1,1" << true;
    QTest::newRow("handled and suppressed") << true << true << right << "pressing:1,1" << false;
    QTest::newRow("handled left press") << true << false << left << "pressing:1,1" << false;
    // Only a handled press asks whether the menu is suppressed.
    QTest::newRow("suppressed but not handled") << false << true << right << "pressing:1,1 selection pressed:1,1" << true;
    QTest::newRow("left press") << false << false << left << "pressing:1,1 selection pressed:1,1" << false;
}

void TestSkinGridInput::handledPresses()
{
    QFETCH(bool, handled);
    QFETCH(bool, suppressed);
    QFETCH(int, button);
    QFETCH(QString, emitted);
    QFETCH(bool, menuShown);
    SkinGridView grid;
    standardGrid(&grid);
    grid.setRightClickSelects(true);
    grid.setMultiSelection(false);
    QMenu menu;
    menu.addAction("Item");
    QSignalSpy shown(&menu, SIGNAL(aboutToShow()));
    grid.setContextMenu(&menu);
    grid.selection()->select(2, 3, false);
    GridRecorder recorder(&grid);
    recorder.handlePresses = handled;
    recorder.suppressMenus = suppressed;
    press(&grid, centreOf(&grid, 1, 1), Qt::MouseButton(button));
    QCOMPARE(recorder.take(), emitted);
    QCOMPARE(menu.isVisible(), menuShown);
    QCOMPARE(shown.count(), menuShown ? 1 : 0);
    // A handled press changes neither the selection nor the pressed cell.
    QCOMPARE(corners(grid.selection()), handled ? QString("2,3>2,3") : QString("1,1>1,1"));
    QCOMPARE(grid.pressColumn(), handled ? -1 : 1);
    menu.hide();
}

void TestSkinGridInput::dragStarts_data()
{
    QTest::addColumn<QPoint>("offset");
    QTest::addColumn<bool>("gridDrags");
    QTest::addColumn<bool>("cellDrags");
    QTest::addColumn<QString>("starts");
    QTest::newRow("2 pixels") << QPoint(2, 0) << true << true << "";
    QTest::newRow("3 pixels") << QPoint(0, -3) << true << true << "1,2,1";
    QTest::newRow("2 by 2 pixels") << QPoint(2, 2) << true << true << "1,2,1";
    QTest::newRow("grid does not drag") << QPoint(5, 0) << false << true << "";
    QTest::newRow("cell does not drag") << QPoint(5, 0) << true << false << "";
}

void TestSkinGridInput::dragStarts()
{
    QFETCH(QPoint, offset);
    QFETCH(bool, gridDrags);
    QFETCH(bool, cellDrags);
    QFETCH(QString, starts);
    SkinGridView grid;
    auto *delegate = new NotingDelegate;
    grid.setItemDelegate(delegate);
    standardGrid(&grid);
    grid.setMultiSelection(false);
    grid.setDragEnabled(gridDrags);
    grid.setCellDragEnabled(1, 2, cellDrags);
    const QPoint from = centreOf(&grid, 1, 2);
    press(&grid, from);
    moveTo(&grid, from + offset, Qt::LeftButton);
    QCOMPARE(delegate->starts.join(' '), starts);
    QCOMPARE(grid.isDragging(), !starts.isEmpty());
    if (grid.isDragging()) {
        // Once dragging, further moves start nothing more.
        moveTo(&grid, from + offset * 3, Qt::LeftButton);
        QCOMPARE(delegate->starts.size(), 1);
    }

    // The next press ends it.
    press(&grid, from);
    QVERIFY(!grid.isDragging());
}

void TestSkinGridInput::dragStartsOnlyFromTheGridsOwnPress()
{
    SkinGridView grid;
    auto *delegate = new NotingDelegate;
    grid.setItemDelegate(delegate);
    standardGrid(&grid);
    grid.setMultiSelection(false);
    grid.setDragEnabled(true);
    grid.setCellDragEnabled(0, 0, true);
    grid.setCellDragEnabled(2, 3, true);
    click(&grid, centreOf(&grid, 0, 0));
    // A receiver takes the next press (say, on a layer's eye); moving on
    // must not drag the cell pressed before.
    GridRecorder recorder(&grid);
    recorder.handlePresses = true;
    const QPoint eye = centreOf(&grid, 2, 3);
    press(&grid, eye);
    moveTo(&grid, eye + QPoint(10, 0), Qt::LeftButton);
    QVERIFY(delegate->starts.isEmpty());

    // An empty selection starts nothing either.
    recorder.handlePresses = false;
    grid.selection()->clear();
    grid.setSelectionMode(1);
    press(&grid, centreOf(&grid, 2, -1));
    moveTo(&grid, centreOf(&grid, 2, -1) + QPoint(10, 0), Qt::LeftButton);
    QVERIFY(grid.selection()->isEmpty());
    QVERIFY(delegate->starts.isEmpty());
}

void TestSkinGridInput::rangeStretchesSilently()
{
    SkinGridView grid;
    standardGrid(&grid);
    press(&grid, centreOf(&grid, 0, 1));
    QSignalSpy changed(&grid, SIGNAL(selectionChanged()));
    moveTo(&grid, centreOf(&grid, 1, 1), Qt::LeftButton);
    moveTo(&grid, centreOf(&grid, 1, 2), Qt::LeftButton);
    QCOMPARE(corners(grid.selection()), QString("0,1>1,2"));
    // Over the headers the range reaches the first column or row.
    moveTo(&grid, QPoint(10, 10), Qt::LeftButton);
    QCOMPARE(corners(grid.selection()), QString("0,1>0,0"));
    moveTo(&grid, centreOf(&grid, 2, 3), Qt::LeftButton);
    QCOMPARE(corners(grid.selection()), QString("0,1>2,3"));
    QCOMPARE(changed.count(), 0);

    // Whole rows keep their columns.
    grid.setSelectionMode(1);
    press(&grid, centreOf(&grid, 1, 1));
    moveTo(&grid, centreOf(&grid, 0, 3), Qt::LeftButton);
    QCOMPARE(corners(grid.selection()), QString("0,1>2,3"));
    // Everything selected stays so.
    press(&grid, centreOf(&grid, -1, -1));
    moveTo(&grid, centreOf(&grid, 1, 1), Qt::LeftButton);
    QCOMPARE(corners(grid.selection()), QString("0,0>2,3"));
}

void TestSkinGridInput::releaseClicks()
{
    SkinGridView grid;
    fill(&grid, 3, 2, {"a"});
    grid.resize(300, 200);
    grid.updateLayout(false);
    GridRecorder recorder(&grid);
    click(&grid, centreOf(&grid, 0, 0));
    QVERIFY(!grid.isMousePressed());
    QCOMPARE(recorder.take(), QString("pressing:0,0 selection pressed:0,0 clicked:0,0"));
    click(&grid, centreOf(&grid, 2, 1));
    QCOMPARE(recorder.take(), QString("pressing:2,1 selection pressed:2,1"));
    click(&grid, centreOf(&grid, 0, 0), Qt::RightButton);
    QCOMPARE(recorder.take(), QString("pressing:0,0 pressed:0,0"));
    // The release decides where the click lands.
    press(&grid, centreOf(&grid, 1, 1));
    release(&grid, centreOf(&grid, 0, 0));
    QCOMPARE(recorder.take(), QString("pressing:1,1 selection pressed:1,1 clicked:0,0"));
}

void TestSkinGridInput::doubleClicks()
{
    SkinGridView grid;
    standardGrid(&grid);
    doubleClick(&grid, centreOf(&grid, 2, 1));
    QVERIFY(!grid.cellEditor()->isHidden());
    QCOMPARE(grid.cellEditor()->toolTip(), QString("2,1"));
    QCOMPARE(grid.cellEditor()->text(), QString("f"));
    grid.closeCellEditor(false);
    doubleClick(&grid, centreOf(&grid, 2, -1));
    QVERIFY(grid.cellEditor()->isHidden());
    doubleClick(&grid, centreOf(&grid, 0, 0), Qt::RightButton);
    QVERIFY(grid.cellEditor()->isHidden());

    grid.setEditOnDoubleClick(false);
    GridRecorder recorder(&grid);
    doubleClick(&grid, centreOf(&grid, 1, 3));
    QVERIFY(grid.cellEditor()->isHidden());
    QCOMPARE(recorder.take(), QString("pressing:1,3 selection pressed:1,3 clicked:1,3 double:1,3 clicked:1,3"));
    // The anchor is reported, wherever the second click lands.
    grid.selection()->select(0, 1, false);
    sendMouse(&grid, QEvent::MouseButtonDblClick, centreOf(&grid, 2, 2), Qt::LeftButton, Qt::LeftButton);
    QCOMPARE(recorder.take(), QString("selection double:0,1"));
    grid.selection()->clear();
    recorder.take();
    sendMouse(&grid, QEvent::MouseButtonDblClick, centreOf(&grid, 2, 2), Qt::LeftButton, Qt::LeftButton);
    QCOMPARE(recorder.take(), QString());
}

void TestSkinGridInput::wheelScrollsAPage()
{
    SkinGridView grid;
    hideHeaders(&grid);
    fill(&grid, 2, 100);
    grid.resize(200, 100);
    grid.updateLayout(false);
    wheel(&grid, QPoint(10, 10), -120);
    QCOMPARE(grid.firstVisibleRow(), 10);
    QCOMPARE(grid.verticalScrollBar()->value(), 10);
    wheel(&grid, QPoint(10, 10), -120);
    wheel(&grid, QPoint(10, 10), 120);
    QCOMPARE(grid.firstVisibleRow(), 10);
    // A touch pad's opening and closing events turn nothing.
    wheel(&grid, QPoint(10, 10), 0);
    QCOMPARE(grid.firstVisibleRow(), 10);
    wheel(&grid, QPoint(10, 10), 120);
    wheel(&grid, QPoint(10, 10), 120);
    QCOMPARE(grid.firstVisibleRow(), 0);

    // Without a vertical bar the wheel turns the columns.
    SkinGridView wide;
    hideHeaders(&wide);
    fill(&wide, 30, 2);
    wide.resize(200, 100);
    wide.updateLayout(false);
    QVERIFY(wide.verticalScrollBar()->isHidden());
    wheel(&wide, QPoint(10, 10), -240);
    QCOMPARE(wide.firstVisibleColumn(), 10);

    SkinGridView small;
    fill(&small, 1, 1);
    small.resize(200, 100);
    small.updateLayout(false);
    wheel(&small, QPoint(10, 10), -120);
    QCOMPARE(small.firstVisibleRow(), 0);
}

void TestSkinGridInput::scrollBarCornerTakesNoInput()
{
    SkinGridView grid;
    fill(&grid, 20, 40);
    grid.resize(200, 150);
    grid.updateLayout(false);
    const QRect corner = grid.scrollBarCornerRect();
    QVERIFY(!corner.isEmpty());
    grid.setEditOnDoubleClick(false);
    grid.selection()->select(0, 0, false);
    GridRecorder recorder(&grid);
    // The bars cover most of the square; press where they leave it open.
    const QPoint inside = corner.bottomRight() - QPoint(1, 1);
    QVERIFY(grid.childAt(inside) == nullptr);
    click(&grid, inside);
    sendMouse(&grid, QEvent::MouseButtonDblClick, inside, Qt::LeftButton, Qt::LeftButton);
    QCOMPARE(recorder.take(), QString());
    QCOMPARE(corners(grid.selection()), QString("0,0>0,0"));
}

void TestSkinGridInput::elidedCellsShowTheirText()
{
    SkinGridView grid;
    hideHeaders(&grid);
    const QString longText = "A text far too long for a cell of forty pixels";
    fill(&grid, 3, 2, {"abc", longText, "fits"}, 60);
    grid.resize(300, 200);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QVERIFY(grid.elidedCellText(1, 0).length() < longText.length());
    QCOMPARE(grid.elidedCellText(0, 0), QString("abc"));

    moveTo(&grid, centreOf(&grid, 2, 0));
    QVERIFY(!grid.showTooltipTimer()->isActive());
    QCOMPARE(grid.hoverToolTip(), QString());

    QElapsedTimer clock;
    clock.start();
    moveTo(&grid, centreOf(&grid, 1, 0));
    QCOMPARE(grid.hoverToolTip(), longText);
    QCOMPARE(grid.showTooltipTimer()->interval(), 500);
    QTest::qWait(300);
    QVERIFY(!QToolTip::isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(QToolTip::isVisible(), 2000);
    QVERIFY(clock.elapsed() >= 500);
    QCOMPARE(QToolTip::text(), longText);
    QVERIFY(grid.hideTooltipTimer()->isActive());
    QCOMPARE(grid.hideTooltipTimer()->interval(), 1000);
    const qint64 shownAt = clock.elapsed();
    // Qt takes the label away a moment after it is told to.
    QTRY_VERIFY_WITH_TIMEOUT(!QToolTip::isVisible(), 3000);
    QVERIFY(clock.elapsed() - shownAt >= 1000);
    QCOMPARE(grid.hoverToolTip(), QString());
}

void TestSkinGridInput::tipsFollowTheCell()
{
    SkinGridView grid;
    hideHeaders(&grid);
    fill(&grid, 3, 2, {"a", "b", "c"}, 60);
    grid.setCellToolTip(0, 0, "first tip");
    grid.setCellToolTip(1, 0, "second tip");
    grid.resize(300, 200);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));

    moveTo(&grid, centreOf(&grid, 0, 0));
    QTRY_VERIFY_WITH_TIMEOUT(QToolTip::isVisible(), 2000);
    QCOMPARE(QToolTip::text(), QString("first tip"));
    // Moving on while a tip shows only takes it away; the next cell's tip
    // waits for the next move onto a cell.
    moveTo(&grid, centreOf(&grid, 1, 0));
    QCOMPARE(grid.hoverToolTip(), QString());
    QVERIFY(!grid.showTooltipTimer()->isActive());
    QTRY_VERIFY_WITH_TIMEOUT(!QToolTip::isVisible(), 2000);

    // A pending tip is dropped when the mouse leaves its cell or the grid.
    moveTo(&grid, centreOf(&grid, 0, 0));
    QVERIFY(grid.showTooltipTimer()->isActive());
    moveTo(&grid, centreOf(&grid, 2, 1));
    QVERIFY(!grid.showTooltipTimer()->isActive());
    moveTo(&grid, centreOf(&grid, 1, 0));
    QVERIFY(grid.showTooltipTimer()->isActive());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&grid, &leave);
    QVERIFY(!grid.showTooltipTimer()->isActive());
    QTest::qWait(700);
    QVERIFY(!QToolTip::isVisible());
}

QTEST_MAIN(TestSkinGridInput)
#include "tst_skingridinput.moc"
#include "moc_gridfixture.cpp"
