// The colour table (palettes, swatch geometry, selection by press and by
// colour, acceptance by double-click, painting) and the colour slider (its
// lightness strip, cursor, drags and the disabled transparent state).
#include "skin/controls/skincolorslider.h"
#include "skin/controls/skincolortable.h"
#include "skin/windows/skintheme.h"

#include "controlevents.h"

#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

namespace {

// 20 x 20 cells at whole-pixel positions.
constexpr int TableWidth = 161;
constexpr int TableHeight = 141;

const QColor transparentBlack(0, 0, 0, 0);

QPointF cellCentre(const SkinColorTable &table, int index)
{
    return table.cellRect(index).center();
}

// The colour the table emits for a press on the centre of `index`.
QColor pressedColor(SkinColorTable *table, int index)
{
    QSignalSpy spy(table, qOverload<const QColor &>(&SkinColorTable::selectedColorChanged));
    pressAt(table, cellCentre(*table, index));
    return spy.size() == 1 ? spy.at(0).at(0).value<QColor>() : QColor();
}

// The table's signals in the order they arrive, colours as #AARRGGBB.
class TableLog : public QObject
{
public:
    explicit TableLog(SkinColorTable *table)
    {
        connect(table, qOverload<const QColor &>(&SkinColorTable::selectedColorChanged), this,
                [this](const QColor &c) { entries.append("changed " + c.name(QColor::HexArgb)); });
        connect(table, qOverload<>(&SkinColorTable::selectedColorChanged), this,
                [this] { entries.append("changed"); });
        connect(table, qOverload<const QColor &>(&SkinColorTable::selectedColorAccepted), this,
                [this](const QColor &c) { entries.append("accepted " + c.name(QColor::HexArgb)); });
        connect(table, qOverload<>(&SkinColorTable::selectedColorAccepted), this,
                [this] { entries.append("accepted"); });
    }

    QStringList entries;
};

} // namespace

class TestSkinColorTable : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    // Table
    void cellsTileTheWidget_data();
    void cellsTileTheWidget();
    void indexAt_data();
    void indexAt();
    void pressSelects_data();
    void pressSelects();
    void pressOnSelectedSwatchEmitsAgain();
    void paletteColors_data();
    void paletteColors();
    void setSelectedColor_data();
    void setSelectedColor();
    void setPaletteKeepsTheSelectedIndex();
    void doubleClickAccepts();
    void paintsSwatchesGridAndSelection();
    void paintsTheNoColorMark();
    void emptyPaletteShowsEmptyCells_data();
    void emptyPaletteShowsEmptyCells();

    // Slider
    void startsDisabledWithoutCursor();
    void samplesRunFromBlackToWhite_data();
    void samplesRunFromBlackToWhite();
    void cursorFollowsLightness_data();
    void cursorFollowsLightness();
    void transparentColorDisables();
    void leftDragTakesShades();
    void rightPressMovesButDoesNotDrag();
    void pointerIsRoundedAndClamped_data();
    void pointerIsRoundedAndClamped();
    void zeroWidthHasNoSamples();
    void showRebuildsForTheFinalWidth();
    void paintsRampAndCursor();

private:
    std::unique_ptr<SkinColorTable> makeTable(int palette = 0);
    std::unique_ptr<SkinColorSlider> makeSlider(int width, const QColor &color);
};

void TestSkinColorTable::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    setSkinThemeStyle(Black);
}

std::unique_ptr<SkinColorTable> TestSkinColorTable::makeTable(int palette)
{
    auto table = std::make_unique<SkinColorTable>();
    table->resize(TableWidth, TableHeight);
    table->setPalette(palette);
    return table;
}

std::unique_ptr<SkinColorSlider> TestSkinColorTable::makeSlider(int width, const QColor &color)
{
    auto slider = std::make_unique<SkinColorSlider>();
    slider->resize(width, 13);
    slider->setSelectedColor(color);
    return slider;
}

// --- Table -------------------------------------------------------------------

void TestSkinColorTable::cellsTileTheWidget_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("whole cells") << QSize(TableWidth, TableHeight);
    QTest::newRow("fractional cells") << QSize(150, 101);
    QTest::newRow("smaller than the grid") << QSize(5, 4);
}

// The cells cover (0, 0) to (W - 1, H - 1) without gap or overlap, in even
// shares apart from the last column and row.
void TestSkinColorTable::cellsTileTheWidget()
{
    QFETCH(QSize, size);
    SkinColorTable table;
    table.resize(size);
    const float cellWidth = float(size.width() - 1) / 8;
    const float cellHeight = float(size.height() - 1) / 7;
    for (int i = 0; i < SkinColorTable::CellCount; ++i) {
        const QRectF cell = table.cellRect(i);
        const int column = i % 8;
        const int row = i / 8;
        QCOMPARE(float(cell.x()), column * cellWidth);
        QCOMPARE(float(cell.y()), row * cellHeight);
        if (column < 7) {
            QCOMPARE(float(cell.width()), cellWidth);
            QCOMPARE(cell.right(), table.cellRect(i + 1).left());
        } else {
            QCOMPARE(cell.right(), qreal(size.width() - 1));
        }
        if (row < 6) {
            QCOMPARE(float(cell.height()), cellHeight);
            QVERIFY(qAbs(cell.bottom() - table.cellRect(i + 8).top()) < 1e-4);
        } else {
            QVERIFY(qAbs(cell.bottom() - (size.height() - 1)) < 1e-4);
        }
    }
}

void TestSkinColorTable::indexAt_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<int>("index");
    QTest::newRow("top left corner") << QPoint(0, 0) << 0;
    QTest::newRow("inside cell 1") << QPoint(30, 10) << 1;
    QTest::newRow("edge of 0 and 1") << QPoint(20, 10) << 0;
    QTest::newRow("edge of 0 and 8") << QPoint(10, 20) << 0;
    QTest::newRow("corner of 0, 1, 8, 9") << QPoint(20, 20) << 0;
    QTest::newRow("just past the edge") << QPoint(21, 21) << 9;
    QTest::newRow("bottom right corner") << QPoint(TableWidth - 1, TableHeight - 1) << 55;
    QTest::newRow("right of the grid") << QPoint(TableWidth, 0) << -1;
    QTest::newRow("below the grid") << QPoint(0, TableHeight) << -1;
    QTest::newRow("left of the grid") << QPoint(-1, 5) << -1;
}

void TestSkinColorTable::indexAt()
{
    QFETCH(QPoint, point);
    QFETCH(int, index);
    auto table = makeTable();
    QCOMPARE(table->indexAt(point.x(), point.y()), index);
}

void TestSkinColorTable::pressSelects_data()
{
    QTest::addColumn<QPointF>("pos");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("index");
    QTest::newRow("inside a swatch") << QPointF(50, 30) << int(Qt::LeftButton) << 10;
    QTest::newRow("rounds onto the shared edge") << QPointF(19.6, 5) << int(Qt::LeftButton) << 0;
    QTest::newRow("rounds past the shared edge") << QPointF(20.5, 5) << int(Qt::LeftButton) << 1;
    QTest::newRow("outside every swatch") << QPointF(TableWidth + 3, 5) << int(Qt::LeftButton) << -1;
    QTest::newRow("right button") << QPointF(50, 30) << int(Qt::RightButton) << -1;
    QTest::newRow("middle button") << QPointF(50, 30) << int(Qt::MiddleButton) << -1;
}

void TestSkinColorTable::pressSelects()
{
    QFETCH(QPointF, pos);
    QFETCH(int, button);
    QFETCH(int, index);
    auto table = makeTable(0);
    TableLog log(table.get());
    pressAt(table.get(), pos, Qt::MouseButton(button));
    QCOMPARE(table->selectedIndex(), index);
    if (index < 0) {
        QVERIFY(log.entries.isEmpty());
        QVERIFY(!table->selectedColor().isValid());
        return;
    }
    const QColor color = table->selectedColor();
    QCOMPARE(log.entries, QStringList({"changed " + color.name(QColor::HexArgb), "changed"}));
}

void TestSkinColorTable::pressOnSelectedSwatchEmitsAgain()
{
    auto table = makeTable(0);
    TableLog log(table.get());
    pressAt(table.get(), cellCentre(*table, 3));
    pressAt(table.get(), cellCentre(*table, 3));
    QCOMPARE(log.entries.size(), 4);
    QCOMPARE(table->selectedIndex(), 3);
}

void TestSkinColorTable::paletteColors_data()
{
    QTest::addColumn<int>("palette");
    QTest::addColumn<int>("index");
    QTest::addColumn<QColor>("color");
    QTest::newRow("General first") << 0 << 0 << QColor(0, 0, 0);
    QTest::newRow("General white") << 0 << 7 << QColor(255, 255, 255);
    QTest::newRow("General row 1") << 0 << 8 << QColor(207, 42, 39);
    QTest::newRow("General row 5 end") << 0 << 47 << QColor(89, 30, 0);
    QTest::newRow("General before the mark") << 0 << 54 << QColor(32, 18, 77);
    QTest::newRow("General no colour") << 0 << 55 << transparentBlack;
    QTest::newRow("Human first") << 1 << 0 << QColor(248, 233, 216);
    QTest::newRow("Human row 3") << 1 << 27 << QColor(130, 79, 26);
    QTest::newRow("Human last") << 1 << 55 << QColor(189, 149, 123);
    QTest::newRow("Nature end of row 0") << 2 << 7 << QColor(0, 76, 31);
    QTest::newRow("Nature row 4") << 2 << 39 << QColor(1, 179, 214);
    QTest::newRow("Nature last") << 2 << 55 << QColor(148, 114, 64);
    QTest::newRow("palette 3") << 3 << 20 << transparentBlack;
    QTest::newRow("palette 5") << 5 << 0 << transparentBlack;
    QTest::newRow("palette -1") << -1 << 55 << transparentBlack;
}

// Read back as a user gets them: the colour a press on the swatch emits.
void TestSkinColorTable::paletteColors()
{
    QFETCH(int, palette);
    QFETCH(int, index);
    QFETCH(QColor, color);
    auto table = makeTable(palette);
    QCOMPARE(table->paletteNumber(), palette);
    const QColor emitted = pressedColor(table.get(), index);
    QCOMPARE(emitted.rgba(), color.rgba());
    QCOMPARE(table->selectedIndex(), index);
    QCOMPARE(table->selectedColor().rgba(), color.rgba());
}

void TestSkinColorTable::setSelectedColor_data()
{
    QTest::addColumn<int>("palette");
    QTest::addColumn<QColor>("color");
    QTest::addColumn<int>("index");
    QTest::newRow("single swatch") << 0 << QColor(207, 42, 39) << 8;
    QTest::newRow("no such swatch") << 0 << QColor(1, 2, 3) << -1;
    QTest::newRow("no colour swatch") << 0 << transparentBlack << 55;
    QTest::newRow("black is not the no colour swatch") << 0 << QColor(0, 0, 0) << 0;
    QTest::newRow("alpha counts") << 0 << QColor(207, 42, 39, 128) << -1;
    QTest::newRow("invalid colour") << 0 << QColor() << -1;
    QTest::newRow("Human twice, first row") << 1 << QColor(248, 233, 216) << 0;
    QTest::newRow("Human twice, second row") << 1 << QColor(189, 149, 123) << 12;
    QTest::newRow("Human twice, lower rows") << 1 << QColor(255, 251, 196) << 33;
    QTest::newRow("Nature twice") << 2 << QColor(67, 105, 24) << 20;
    QTest::newRow("Nature twice again") << 2 << QColor(101, 148, 46) << 12;
    QTest::newRow("empty palette") << 5 << transparentBlack << 0;
}

void TestSkinColorTable::setSelectedColor()
{
    QFETCH(int, palette);
    QFETCH(QColor, color);
    QFETCH(int, index);
    auto table = makeTable(palette);
    pressAt(table.get(), cellCentre(*table, 40));
    QSignalSpy changed(table.get(), qOverload<>(&SkinColorTable::selectedColorChanged));
    QSignalSpy accepted(table.get(), qOverload<>(&SkinColorTable::selectedColorAccepted));
    table->setSelectedColor(color);
    QCOMPARE(table->selectedIndex(), index);
    QCOMPARE(changed.size(), 0);
    QCOMPARE(accepted.size(), 0);
}

void TestSkinColorTable::setPaletteKeepsTheSelectedIndex()
{
    auto table = makeTable(0);
    pressAt(table.get(), cellCentre(*table, 10));
    table->setPalette(1);
    QCOMPARE(table->paletteNumber(), 1);
    QCOMPARE(table->selectedIndex(), 10);
    QCOMPARE(table->selectedColor(), QColor(233, 194, 165));
    table->setPalette(9);
    QCOMPARE(table->selectedIndex(), 10);
    QCOMPARE(table->selectedColor().rgba(), transparentBlack.rgba());
}

void TestSkinColorTable::doubleClickAccepts()
{
    auto table = makeTable(0);
    pressAt(table.get(), cellCentre(*table, 3));
    TableLog log(table.get());
    doubleClickAt(table.get(), cellCentre(*table, 9), Qt::RightButton);
    QCOMPARE(log.entries, QStringList({"accepted #ffff9900", "accepted"}));
    QCOMPARE(table->selectedIndex(), 3);
    doubleClickAt(table.get(), QPointF(-4, 5));
    QCOMPARE(log.entries.size(), 2);
}

void TestSkinColorTable::paintsSwatchesGridAndSelection()
{
    auto table = makeTable(0);
    pressAt(table.get(), cellCentre(*table, 9));
    const QImage image = paintedImage(table.get());
    // Cell 9 covers (20, 20) to (40, 40): a highlight frame on its edges,
    // black frames just outside and inside, its colour within.
    QCOMPARE(image.pixelColor(30, 30), QColor(255, 153, 0));
    QCOMPARE(image.pixelColor(30, 20), skinHighlightColor);
    QCOMPARE(image.pixelColor(40, 30), skinHighlightColor);
    QCOMPARE(image.pixelColor(30, 19), QColor(Qt::black));
    QCOMPARE(image.pixelColor(30, 21), QColor(Qt::black));
    QCOMPARE(image.pixelColor(41, 30), QColor(Qt::black));
    QCOMPARE(image.pixelColor(39, 30), QColor(Qt::black));
    // Grid lines elsewhere, the outline, and the swatch colours.
    QCOMPARE(image.pixelColor(100, 60), QColor(Qt::black));
    QCOMPARE(image.pixelColor(0, 70), QColor(Qt::black));
    QCOMPARE(image.pixelColor(TableWidth - 1, 70), QColor(Qt::black));
    QCOMPARE(image.pixelColor(110, 70), QColor(111, 168, 220));
    QCOMPARE(image.pixelColor(10, 10), QColor(0, 0, 0));
    QCOMPARE(image.pixelColor(150, 10), QColor(255, 255, 255));
}

void TestSkinColorTable::paintsTheNoColorMark()
{
    auto table = makeTable(0);
    QImage image = paintedImage(table.get());
    // Cell 55 covers (140, 120) to (160, 140); the mark runs from its bottom
    // left to its top right.
    QCOMPARE(image.pixelColor(144, 124), QColor(Qt::white));
    QCOMPARE(image.pixelColor(156, 136), QColor(Qt::white));
    QCOMPARE(image.pixelColor(150, 131), QColor(Qt::red));
    QCOMPARE(image.pixelColor(143, 138), QColor(Qt::red));
    QCOMPARE(image.pixelColor(157, 124), QColor(Qt::red));

    table->setPalette(1);
    image = paintedImage(table.get());
    QCOMPARE(image.pixelColor(150, 131), QColor(189, 149, 123));
    QCOMPARE(image.pixelColor(144, 124), QColor(189, 149, 123));
}

void TestSkinColorTable::emptyPaletteShowsEmptyCells_data()
{
    QTest::addColumn<int>("palette");
    QTest::newRow("3") << 3;
    QTest::newRow("5") << 5;
    QTest::newRow("-1") << -1;
}

void TestSkinColorTable::emptyPaletteShowsEmptyCells()
{
    QFETCH(int, palette);
    auto table = makeTable(palette);
    const QImage image = paintedImage(table.get());
    const QColor background = image.pixelColor(cellCentre(*table, 0).toPoint());
    QVERIFY(background != QColor(Qt::black));
    for (int i = 0; i < SkinColorTable::CellCount; ++i) {
        QCOMPARE(image.pixelColor(cellCentre(*table, i).toPoint()), background);
        QCOMPARE(pressedColor(table.get(), i).rgba(), transparentBlack.rgba());
    }
    QCOMPARE(image.pixelColor(20, 10), QColor(Qt::black));
    QCOMPARE(image.pixelColor(10, 120), QColor(Qt::black));
}

// --- Slider ------------------------------------------------------------------

void TestSkinColorTable::startsDisabledWithoutCursor()
{
    SkinColorSlider slider;
    QVERIFY(!slider.isEnabled());
    QCOMPARE(slider.selectedColor().rgba(), transparentBlack.rgba());
    QCOMPARE(slider.cursorPos(), QPoint(-1, -1));
    QVERIFY(slider.samples().isEmpty());
}

void TestSkinColorTable::samplesRunFromBlackToWhite_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<QColor>("color");
    QTest::newRow("1 px") << 1 << QColor(200, 30, 30);
    QTest::newRow("2 px") << 2 << QColor(200, 30, 30);
    QTest::newRow("100 px red") << 100 << QColor(200, 30, 30);
    QTest::newRow("255 px blue") << 255 << QColor(20, 60, 220);
    QTest::newRow("300 px half transparent") << 300 << QColor(20, 160, 60, 100);
    QTest::newRow("170 px grey") << 170 << QColor(90, 90, 90);
}

void TestSkinColorTable::samplesRunFromBlackToWhite()
{
    QFETCH(int, width);
    QFETCH(QColor, color);
    auto slider = makeSlider(width, color);
    const QVector<QColor> samples = slider->samples();
    QCOMPARE(samples.size(), width + 1);
    QCOMPARE(samples.first(), QColor(0, 0, 0));
    QCOMPARE(samples.last(), QColor(255, 255, 255));
    for (int i = 1; i < samples.size(); ++i) {
        QCOMPARE(samples.at(i).alpha(), 255);
        QVERIFY(samples.at(i).lightness() >= samples.at(i - 1).lightness());
    }
    const QColor middle = samples.at(width / 2);
    if (width >= 100)
        QVERIFY(qAbs(middle.hslHue() - color.hslHue()) <= 2);

    slider->moveCursor(width, 0);
    QCOMPARE(slider->selectedColor(), QColor(255, 255, 255));
    slider->moveCursor(0, 0);
    QCOMPARE(slider->selectedColor(), QColor(0, 0, 0));
}

void TestSkinColorTable::cursorFollowsLightness_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<QColor>("color");
    QTest::addColumn<int>("x");
    QTest::newRow("black") << 100 << QColor(0, 0, 0) << 0;
    QTest::newRow("white") << 100 << QColor(255, 255, 255) << 100;
    QTest::newRow("middle grey, 255 wide") << 255 << QColor(128, 128, 128) << 128;
    QTest::newRow("red, truncated") << 100 << QColor(200, 30, 30) << 45;
    QTest::newRow("alpha 1 has a cursor") << 100 << QColor(255, 255, 255, 1) << 100;
}

void TestSkinColorTable::cursorFollowsLightness()
{
    QFETCH(int, width);
    QFETCH(QColor, color);
    QFETCH(int, x);
    auto slider = makeSlider(width, color);
    QCOMPARE(slider->cursorPos(), QPoint(x, 6));
    QCOMPARE(slider->cursorRect(), QRect(x - 4, 2, 9, 9));
    QVERIFY(slider->isEnabled());
    QCOMPARE(slider->selectedColor(), color);
}

void TestSkinColorTable::transparentColorDisables()
{
    auto slider = makeSlider(100, QColor(200, 30, 30));
    QVERIFY(slider->isEnabled());
    slider->setSelectedColor(QColor(200, 30, 30, 0));
    QVERIFY(!slider->isEnabled());
    QCOMPARE(slider->cursorPos(), QPoint(-1, -1));
    QCOMPARE(slider->samples().size(), 101);
    QVERIFY(slider->samples().at(50).hslSaturation() > 100);

    slider->setSelectedColor(transparentBlack);
    for (const QColor &sample : slider->samples())
        QVERIFY(sample.red() == sample.green() && sample.green() == sample.blue());
    // A disabled widget takes no mouse input.
    QSignalSpy changing(slider.get(), &SkinColorSlider::selectedColorChanging);
    pressAt(slider.get(), QPointF(50, 6));
    releaseAt(slider.get(), QPointF(50, 6));
    QCOMPARE(changing.size(), 0);
    QCOMPARE(slider->selectedColor().rgba(), transparentBlack.rgba());
    QImage image = paintedImage(slider.get());
    for (int x = 0; x < image.width(); ++x)
        QVERIFY(image.pixelColor(x, 6) != skinHighlightColor);

    slider->setSelectedColor(QColor(10, 10, 10, 1));
    QVERIFY(slider->isEnabled());
}

void TestSkinColorTable::leftDragTakesShades()
{
    auto slider = makeSlider(100, QColor(200, 30, 30));
    const QVector<QColor> samples = slider->samples();
    QSignalSpy changing(slider.get(), &SkinColorSlider::selectedColorChanging);
    QSignalSpy changed(slider.get(), &SkinColorSlider::selectedColorChanged);

    pressAt(slider.get(), QPointF(10, 2));
    QCOMPARE(slider->cursorPos(), QPoint(10, 6));
    QCOMPARE(slider->selectedColor(), samples.at(10));
    QCOMPARE(changing.size(), 1);

    moveTo(slider.get(), QPointF(30, 0), Qt::LeftButton);
    QCOMPARE(slider->cursorPos(), QPoint(30, 6));
    QCOMPARE(slider->selectedColor(), samples.at(30));
    QCOMPARE(changing.size(), 2);
    QCOMPARE(changed.size(), 0);

    releaseAt(slider.get(), QPointF(0, 6));
    QCOMPARE(slider->selectedColor(), QColor(0, 0, 0));
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changing.size(), 2);
    // The strip still shows the hue it was built from.
    QCOMPARE(slider->samples(), samples);

    moveTo(slider.get(), QPointF(70, 6), Qt::NoButton);
    QCOMPARE(slider->cursorPos(), QPoint(0, 6));
    QCOMPARE(changing.size(), 2);
}

void TestSkinColorTable::rightPressMovesButDoesNotDrag()
{
    auto slider = makeSlider(100, QColor(200, 30, 30));
    const QVector<QColor> samples = slider->samples();
    QSignalSpy changing(slider.get(), &SkinColorSlider::selectedColorChanging);
    QSignalSpy changed(slider.get(), &SkinColorSlider::selectedColorChanged);

    pressAt(slider.get(), QPointF(20, 6), Qt::RightButton);
    QCOMPARE(slider->cursorPos(), QPoint(20, 6));
    QCOMPARE(slider->selectedColor(), samples.at(20));
    QCOMPARE(changing.size(), 1);

    moveTo(slider.get(), QPointF(60, 6), Qt::RightButton);
    QCOMPARE(slider->cursorPos(), QPoint(20, 6));
    QCOMPARE(changing.size(), 1);

    releaseAt(slider.get(), QPointF(60, 6), Qt::RightButton);
    QCOMPARE(slider->cursorPos(), QPoint(60, 6));
    QCOMPARE(slider->selectedColor(), samples.at(60));
    QCOMPARE(changed.size(), 1);
}

void TestSkinColorTable::pointerIsRoundedAndClamped_data()
{
    QTest::addColumn<qreal>("x");
    QTest::addColumn<int>("cursorX");
    QTest::newRow("left of the strip") << qreal(-20) << 0;
    QTest::newRow("right of the strip") << qreal(150) << 100;
    QTest::newRow("half rounds up") << qreal(10.5) << 11;
    QTest::newRow("below half rounds down") << qreal(10.49) << 10;
    QTest::newRow("negative half rounds up") << qreal(-0.5) << 0;
}

void TestSkinColorTable::pointerIsRoundedAndClamped()
{
    QFETCH(qreal, x);
    QFETCH(int, cursorX);
    auto slider = makeSlider(100, QColor(200, 30, 30));
    pressAt(slider.get(), QPointF(x, 40));
    QCOMPARE(slider->cursorPos(), QPoint(cursorX, 6));
    QCOMPARE(slider->selectedColor(), slider->samples().at(cursorX));
    slider->moveCursor(int(x), 99);
    QCOMPARE(slider->cursorPos(), QPoint(qBound(0, int(x), 100), 13));
}

// A slider that is not laid out yet has nothing to show or take: no samples,
// no cursor, and no division by its width.
void TestSkinColorTable::zeroWidthHasNoSamples()
{
    auto slider = makeSlider(0, QColor(200, 30, 30));
    QVERIFY(slider->samples().isEmpty());
    QCOMPARE(slider->cursorPos(), QPoint(-1, -1));
    QVERIFY(slider->isEnabled());
    slider->show();
    QVERIFY(slider->samples().isEmpty());
    slider->moveCursor(0, 6);
    pressAt(slider.get(), QPointF(0, 6));
    releaseAt(slider.get(), QPointF(0, 6));
    QCOMPARE(slider->selectedColor(), QColor(200, 30, 30));
    QCOMPARE(slider->cursorPos(), QPoint(-1, -1));
    slider->grab();

    slider->resize(40, 13);
    slider->setSelectedColor(QColor(200, 30, 30));
    QCOMPARE(slider->samples().size(), 41);
}

void TestSkinColorTable::showRebuildsForTheFinalWidth()
{
    auto slider = makeSlider(50, QColor(20, 60, 220));
    slider->resize(200, 13);
    QCOMPARE(slider->samples().size(), 51);
    slider->show();
    QCOMPARE(slider->samples().size(), 201);
    QCOMPARE(slider->cursorPos().x(), QColor(20, 60, 220).lightness() * 200 / 255);
}

void TestSkinColorTable::paintsRampAndCursor()
{
    auto slider = makeSlider(100, QColor(128, 128, 128));
    const QImage image = paintedImage(slider.get());
    QCOMPARE(image.pixelColor(50, 1), slider->samples().at(50));
    QCOMPARE(image.pixelColor(0, 6), skinBorderColor);
    QCOMPARE(image.pixelColor(99, 6), skinBorderColor);
    QCOMPARE(image.pixelColor(30, 0), skinBorderColor);
    // The cursor at x 50: highlight inside a black ring, all within its
    // rectangle.
    QCOMPARE(image.pixelColor(50, 6), skinHighlightColor);
    QCOMPARE(image.pixelColor(50, 2), QColor(Qt::black));
    const QRect cursor = slider->cursorRect();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 1; x < image.width() - 1; ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel == skinHighlightColor || pixel == QColor(Qt::black))
                QVERIFY2(cursor.contains(x, y), qPrintable(QString("%1,%2").arg(x).arg(y)));
        }
    }
}

QTEST_MAIN(TestSkinColorTable)
#include "tst_skincolortable.moc"
