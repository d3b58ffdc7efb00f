// What the grid paints, read back from grabbed pixels: the background and
// border, the header gradients with their highlights, the select-all mark,
// the selection in its three styles, grid lines and fills, the square
// between the scroll bars, and the drop indicator.
#include "skin/gridfixture.h"

#include "skin/controls/skingridcolumn.h"
#include "skin/windows/skintheme.h"

#include <QImage>
#include <QScrollBar>
#include <QStandardPaths>
#include <QtTest>

#include <cstdlib>

using namespace gridfixture;

namespace {

// Gradients are read a couple of pixels in from their ends.
bool near(const QColor &actual, const QColor &expected, int tolerance = 12)
{
    return std::abs(actual.red() - expected.red()) <= tolerance
        && std::abs(actual.green() - expected.green()) <= tolerance
        && std::abs(actual.blue() - expected.blue()) <= tolerance;
}

#define QCOMPARE_NEAR(actual, expected)                                                                      \
    QVERIFY2(near(actual, expected), qPrintable(QString("%1 is not near %2").arg((actual).name(), (expected).name())))

QColor pixel(const QImage &image, int x, int y)
{
    return image.pixelColor(x, y);
}

// Three columns of 40 at x 50, 90 and 130; four rows of 20 at y 23, 43, 63
// and 83; no texts, so cells show only their fills and lines.
void paintGrid(SkinGridView *grid)
{
    fill(grid, 3, 4);
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 3; ++c)
            grid->cellAt(c, r);
    }
    grid->resize(300, 200);
    grid->updateLayout(false);
}

QImage shot(SkinGridView *grid)
{
    return grid->grab().toImage();
}

// A point well inside the cell, away from its lines and its top-right mark.
QPoint inside(const SkinGridView *grid, int column, int row)
{
    const QRect r = grid->cellRect(column, row);
    return QPoint(r.left() + 6, r.bottom() - 4);
}

} // namespace

class TestSkinGridPaint : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void backgroundAndBorder();
    void headerGradients_data();
    void headerGradients();
    void selectAllMark();
    void rangeSelection();
    void rowSelectionColour();
    void selectedCellFill();
    void cornerMarks_data();
    void cornerMarks();
    void gridLinesAndFills();
    void scrollBarSquare();
    void dropIndicator_data();
    void dropIndicator();
    void textsFollowTheirCells_data();
    void textsFollowTheirCells();
};

void TestSkinGridPaint::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    setSkinThemeStyle(Black);
}

void TestSkinGridPaint::backgroundAndBorder()
{
    SkinGridView grid;
    paintGrid(&grid);
    QImage image = shot(&grid);
    QCOMPARE(pixel(image, 250, 150), QColor(Qt::white));
    QCOMPARE(pixel(image, 299, 100), skinBorderColor);
    QCOMPARE(pixel(image, 250, 199), skinBorderColor);
    QCOMPARE(pixel(image, 298, 198), QColor(Qt::white));

    grid.setBackgroundColor(Qt::darkCyan);
    grid.setBorderVisible(false);
    image = shot(&grid);
    QCOMPARE(pixel(image, 250, 150), QColor(Qt::darkCyan));
    QCOMPARE(pixel(image, 299, 199), QColor(Qt::darkCyan));
}

void TestSkinGridPaint::headerGradients_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("highlight");
    QTest::addColumn<bool>("columnLit");
    QTest::addColumn<bool>("rowLit");
    // The selection holds cell (1,1), or row 1, or column 1.
    QTest::newRow("cell mode") << 0 << true << true << true;
    QTest::newRow("row mode: rows light up") << 1 << true << false << true;
    QTest::newRow("column mode: no column lights up") << 2 << true << false << true;
    QTest::newRow("highlights off") << 0 << false << false << false;
}

void TestSkinGridPaint::headerGradients()
{
    QFETCH(int, mode);
    QFETCH(bool, highlight);
    QFETCH(bool, columnLit);
    QFETCH(bool, rowLit);
    SkinGridView grid;
    paintGrid(&grid);
    grid.setSelectionMode(mode);
    grid.setColumnHeaderHighlight(highlight);
    grid.setRowHeaderHighlight(highlight);
    if (mode == 1)
        grid.selection()->selectRow(1, false);
    else if (mode == 2)
        grid.selection()->selectColumn(1, false);
    else
        grid.selection()->select(1, 1, false);
    const QImage image = shot(&grid);

    // Column header 1 spans x 90 to 130, y 0 to 23; column 0's is never lit.
    QCOMPARE_NEAR(pixel(image, 70, 2), skinButtonTopColor);
    QCOMPARE_NEAR(pixel(image, 70, 20), skinButtonBottomColor);
    QCOMPARE_NEAR(pixel(image, 125, 2), columnLit ? skinSelectionLightColor : skinButtonTopColor);
    QCOMPARE_NEAR(pixel(image, 125, 20), columnLit ? skinSelectionColor : skinButtonBottomColor);
    QCOMPARE(pixel(image, 90, 10), skinButtonBorderColor);

    // Row headers are flat unless lit; row 1 spans y 43 to 63. A whole
    // column holds row 0 too.
    if (mode == 2) {
        QCOMPARE_NEAR(pixel(image, 5, 25), skinSelectionLightColor);
    } else {
        QCOMPARE(pixel(image, 5, 25), skinButtonTopColor);
        QCOMPARE(pixel(image, 5, 41), skinButtonTopColor);
    }
    QCOMPARE_NEAR(pixel(image, 5, 45), rowLit ? skinSelectionLightColor : skinButtonTopColor);
    QCOMPARE_NEAR(pixel(image, 5, 61), rowLit ? skinSelectionColor : skinButtonTopColor);
    QCOMPARE(pixel(image, 20, 43), skinButtonBorderColor);
}

void TestSkinGridPaint::selectAllMark()
{
    SkinGridView grid;
    paintGrid(&grid);
    const QImage image = shot(&grid);
    // The corner is (0,0) to (50,23); the mark's corners are (46,19),
    // (46,11) and (38,19): 4 pixels in from the corner's right and bottom
    // with 8-pixel legs.
    const QColor gray(Qt::gray);
    QCOMPARE(pixel(image, 45, 18), gray);
    QCOMPARE(pixel(image, 45, 13), gray);
    QCOMPARE(pixel(image, 40, 18), gray);
    QVERIFY(pixel(image, 47, 20) != gray);
    QVERIFY(pixel(image, 45, 9) != gray);
    QVERIFY(pixel(image, 36, 18) != gray);
    QVERIFY(pixel(image, 40, 15) != gray);

    // Without the column header there is no corner.
    grid.setColumnHeaderVisible(false);
    grid.updateLayout(false);
    QVERIFY(shot(&grid).pixelColor(45, 18) != gray);
}

void TestSkinGridPaint::rangeSelection()
{
    SkinGridView grid;
    paintGrid(&grid);
    grid.selection()->select(1, 1, false);
    grid.selection()->select(2, 2, true);
    const QImage image = shot(&grid);
    // The tint over white: (198, 214, 239) at alpha 150.
    const QColor tinted(222, 231, 246);
    QCOMPARE_NEAR(pixel(image, inside(&grid, 2, 2).x(), inside(&grid, 2, 2).y()), tinted);
    QCOMPARE_NEAR(pixel(image, inside(&grid, 2, 1).x(), inside(&grid, 2, 1).y()), tinted);
    // The anchor stays clear; outside the range nothing is tinted.
    QCOMPARE(pixel(image, inside(&grid, 1, 1).x(), inside(&grid, 1, 1).y()), QColor(Qt::white));
    QCOMPARE(pixel(image, inside(&grid, 0, 2).x(), inside(&grid, 0, 2).y()), QColor(Qt::white));
    // A thick black outline round the range, which starts at (90, 43).
    for (int x : {89, 90, 91})
        QCOMPARE(pixel(image, x, 60), QColor(Qt::black));
    QCOMPARE(pixel(image, 110, 42), QColor(Qt::black));
    QVERIFY(pixel(image, 87, 60) != QColor(Qt::black));

    // Scrolled up under the column header, the range leaves the header alone.
    SkinGridView tall;
    fill(&tall, 3, 30);
    tall.resize(300, 200);
    tall.updateLayout(false);
    tall.scrollToRow(2);
    tall.selection()->select(1, 0, false);
    tall.selection()->select(1, 3, true);
    const QImage scrolled = shot(&tall);
    QCOMPARE_NEAR(pixel(scrolled, 110, 20), skinSelectionColor);
    QCOMPARE(pixel(scrolled, 90, 30), QColor(Qt::black));
}

void TestSkinGridPaint::rowSelectionColour()
{
    SkinGridView grid;
    paintGrid(&grid);
    grid.setSelectionMode(SkinGridSelectRows);
    grid.setSelectionColor(QColor(10, 120, 30));
    grid.rows().at(2)->setBackgroundColor(QColor(200, 0, 200));
    grid.selection()->selectRow(1, false);
    const QImage image = shot(&grid);
    QCOMPARE(pixel(image, inside(&grid, 0, 1).x(), inside(&grid, 0, 1).y()), QColor(10, 120, 30));
    QCOMPARE(pixel(image, inside(&grid, 2, 1).x(), inside(&grid, 2, 1).y()), QColor(10, 120, 30));
    QCOMPARE(pixel(image, inside(&grid, 1, 2).x(), inside(&grid, 1, 2).y()), QColor(200, 0, 200));
    // No range outline with an opaque selection colour.
    QVERIFY(pixel(image, 50, 50) != QColor(Qt::black));
}

void TestSkinGridPaint::selectedCellFill()
{
    SkinGridView grid;
    paintGrid(&grid);
    grid.setSelectionStyle(1);
    grid.setSelectedCellColor(QColor(250, 200, 0));
    grid.setCellBackgroundColor(0, 0, QColor(0, 0, 200));
    grid.setCellBackgroundColor(1, 1, QColor(0, 0, 200));
    grid.selection()->select(1, 1, false);
    grid.setGridLinesVisible(false);
    const QImage image = shot(&grid);
    QCOMPARE(pixel(image, inside(&grid, 1, 1).x(), inside(&grid, 1, 1).y()), QColor(250, 200, 0));
    QCOMPARE(pixel(image, inside(&grid, 0, 0).x(), inside(&grid, 0, 0).y()), QColor(0, 0, 200));
    // With the lines hidden only the selected cell keeps its outline.
    QCOMPARE(pixel(image, 90, 50), grid.gridLineColor());
    QCOMPARE(pixel(image, 130, 50), grid.gridLineColor());
    QVERIFY(pixel(image, 90, 90) != grid.gridLineColor());
    // And no range overlay in this style.
    QVERIFY(pixel(image, 89, 50) != QColor(Qt::black));
}

void TestSkinGridPaint::cornerMarks_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("cellHeight");
    QTest::addColumn<QString>("marked");   // cells expected to carry a mark
    QTest::addColumn<QString>("unmarked");
    QTest::newRow("rows mark their last cell") << 1 << 20 << "2,1 2,2" << "0,1 1,1 2,0 2,3";
    QTest::newRow("columns mark their first cell") << 2 << 20 << "1,0" << "1,1 0,0 2,0";
    QTest::newRow("cells mark themselves") << 0 << 20 << "1,1 2,2" << "0,0 0,1";
    QTest::newRow("roomy cells get larger marks") << 1 << 40 << "2,1" << "1,1";
}

void TestSkinGridPaint::cornerMarks()
{
    QFETCH(int, mode);
    QFETCH(int, cellHeight);
    QFETCH(QString, marked);
    QFETCH(QString, unmarked);
    SkinGridView grid;
    grid.setDefaultRowHeight(cellHeight);
    paintGrid(&grid);
    grid.setSelectionMode(mode);
    grid.setSelectionStyle(2);
    if (mode == 1) {
        grid.selection()->selectRow(1, false);
        grid.selection()->selectRow(cellHeight == 20 ? 2 : 1, true);
    } else if (mode == 2) {
        grid.selection()->selectColumn(1, false);
    } else {
        grid.selection()->select(1, 1, false);
        grid.selection()->select(2, 2, true);
    }
    const QImage image = shot(&grid);
    const int legs = cellHeight > 30 ? 15 : 7;
    auto check = [&](const QString &cells, bool expected) {
        for (const QString &cell : cells.split(' ', Qt::SkipEmptyParts)) {
            const QRect r = grid.cellRect(cell.section(',', 0, 0).toInt(), cell.section(',', 1, 1).toInt());
            const int right = r.left() + r.width();
            // Just inside the right angle, and just inside the far end of
            // each leg.
            const bool corner = pixel(image, right - 2, r.top() + 2) == skinHighlightColor;
            const bool down = pixel(image, right - 1, r.top() + legs - 1) == skinHighlightColor;
            const bool across = pixel(image, right - legs + 2, r.top() + 1) == skinHighlightColor;
            QVERIFY2((corner && down && across) == expected, qPrintable(cell));
            if (expected) {
                // Nothing beyond the legs.
                QVERIFY(pixel(image, right - 2, r.top() + legs + 2) != skinHighlightColor);
                QVERIFY(pixel(image, right - legs - 2, r.top() + 2) != skinHighlightColor);
            }
        }
    };
    check(marked, true);
    check(unmarked, false);
}

void TestSkinGridPaint::gridLinesAndFills()
{
    SkinGridView grid;
    paintGrid(&grid);
    grid.setGridLineColor(QColor(0, 90, 0));
    grid.setCellBackgroundColor(2, 3, QColor(90, 0, 0));
    const QImage image = shot(&grid);
    // Lines on the left and top edges of each cell, the fill inside them.
    QCOMPARE(pixel(image, 130, 90), QColor(0, 90, 0));
    QCOMPARE(pixel(image, 150, 83), QColor(0, 90, 0));
    QCOMPARE(pixel(image, 131, 84), QColor(90, 0, 0));
    QCOMPARE(pixel(image, 169, 102), QColor(90, 0, 0));
    QCOMPARE(pixel(image, 170, 90), QColor(0, 90, 0));
    QCOMPARE(pixel(image, 150, 103), QColor(0, 90, 0));
    QCOMPARE(pixel(image, 150, 104), QColor(Qt::white));

    grid.setGridLinesVisible(false);
    QCOMPARE(shot(&grid).pixelColor(130, 70), QColor(Qt::white));
}

void TestSkinGridPaint::scrollBarSquare()
{
    SkinGridView grid;
    fill(&grid, 20, 40);
    grid.resize(300, 200);
    grid.updateLayout(false);
    const QRect square = grid.scrollBarCornerRect();
    QVERIFY(!square.isEmpty());
    const QImage image = shot(&grid);
    QCOMPARE(pixel(image, 298, 198), skinPanelColor);
    QCOMPARE(pixel(image, 299, 199), skinBorderColor);
}

void TestSkinGridPaint::dropIndicator_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("dragging");
    QTest::addColumn<bool>("targetTakesDrops");
    QTest::addColumn<QRect>("outline"); // empty: none expected
    // Cell (1,2) is (90,63) to (130,83); the outline is drawn one pixel in.
    QTest::newRow("cell") << 0 << true << true << QRect(91, 64, 38, 18);
    QTest::newRow("row") << 1 << true << true << QRect(51, 64, 118, 18);
    QTest::newRow("column") << 2 << true << true << QRect(91, 24, 38, 78);
    QTest::newRow("not dragging") << 0 << false << true << QRect();
    QTest::newRow("target refuses") << 0 << true << false << QRect();
}

void TestSkinGridPaint::dropIndicator()
{
    QFETCH(int, mode);
    QFETCH(bool, dragging);
    QFETCH(bool, targetTakesDrops);
    QFETCH(QRect, outline);
    SkinGridView grid;
    grid.setDropEnabled(true);
    paintGrid(&grid);
    grid.setSelectionMode(mode);
    grid.setDragging(dragging);
    grid.setDropColumn(1);
    grid.setDropRow(2);
    grid.setCellDropEnabled(1, 2, targetTakesDrops);
    const QImage image = shot(&grid);
    if (outline.isEmpty()) {
        QVERIFY(pixel(image, 91, 70) != skinHighlightColor);
        return;
    }
    QCOMPARE(pixel(image, outline.left(), outline.center().y()), skinHighlightColor);
    QCOMPARE(pixel(image, outline.left() + outline.width(), outline.center().y()), skinHighlightColor);
    QCOMPARE(pixel(image, outline.center().x() + 3, outline.top()), skinHighlightColor);
    QCOMPARE(pixel(image, outline.center().x() + 3, outline.top() + outline.height()), skinHighlightColor);
    QVERIFY(pixel(image, outline.left() + 2, outline.center().y()) != skinHighlightColor);
}

QTEST_MAIN(TestSkinGridPaint)
// Laid-out texts are kept between repaints: a grid changed after painting
// shows the same pixels as one built in its final state.
void TestSkinGridPaint::textsFollowTheirCells_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("pixelSize");
    QTest::addColumn<int>("width");
    QTest::newRow("other text") << "another long text" << 11 << 120;
    QTest::newRow("other font") << "a long cell text" << 15 << 120;
    QTest::newRow("narrower, elided") << "a long cell text" << 11 << 45;
}

void TestSkinGridPaint::textsFollowTheirCells()
{
    QFETCH(QString, text);
    QFETCH(int, pixelSize);
    QFETCH(int, width);
    const auto build = [](SkinGridView *grid, const QString &cellText, int size, int columnWidth) {
        QFont font = grid->font();
        font.setPixelSize(size);
        grid->setFont(font);
        fill(grid, 2, 2, {cellText, "b", "c", cellText}, columnWidth);
        grid->resize(300, 200);
        grid->updateLayout(false);
    };
    SkinGridView changed;
    build(&changed, "a long cell text", 11, 120);
    const QImage before = shot(&changed);
    QFont font = changed.font();
    font.setPixelSize(pixelSize);
    changed.setFont(font);
    changed.setCellText(0, 0, text);
    changed.setCellText(1, 1, text);
    changed.columns().at(0)->setWidth(width);
    changed.columns().at(1)->setWidth(width);
    changed.updateLayout(false);

    SkinGridView fresh;
    build(&fresh, text, pixelSize, width);
    const QImage after = shot(&changed);
    QVERIFY(after != before);
    QCOMPARE(after, shot(&fresh));
}

#include "tst_skingridpaint.moc"
