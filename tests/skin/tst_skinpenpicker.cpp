// The pen table (sample pens, cell geometry, press and double-click) and the
// pen picker (its swatch mark, the popup's layout, and which ways of leaving
// the popup take a pen and report it).
#include "skin/controls/skinpenpicker.h"
#include "skin/controls/skinpentable.h"
#include "skin/windows/skintheme.h"

#include "controlevents.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

#include <memory>

namespace {

QPen samplePen(int width, Qt::PenCapStyle cap)
{
    QPen pen;
    pen.setWidth(width);
    pen.setCapStyle(cap);
    return pen;
}

QString penText(const QPen &pen)
{
    return QStringLiteral("%1 %2").arg(pen.widthF()).arg(pen.capStyle() == Qt::RoundCap ? "round" : "other");
}

// The picker's signals in the order they arrive.
class PickerLog : public QObject
{
public:
    explicit PickerLog(SkinPenPicker *picker)
    {
        connect(picker, qOverload<>(&SkinPenPicker::selectedPenChanged), this,
                [this] { entries.append("changed"); });
        connect(picker, qOverload<const QPen &>(&SkinPenPicker::selectedPenChanged), this,
                [this](const QPen &pen) { entries.append("changed " + penText(pen)); });
        connect(picker, &SkinPenPicker::selectedPenWidthChanged, this,
                [this](const QString &text) { entries.append("width " + text); });
    }

    QStringList entries;
};

// The table's signals in the order they arrive.
class TableLog : public QObject
{
public:
    explicit TableLog(SkinPenTable *table)
    {
        connect(table, qOverload<>(&SkinPenTable::selectedPenChanged), this,
                [this] { entries.append("changed"); });
        connect(table, qOverload<const QPen &>(&SkinPenTable::selectedPenChanged), this,
                [this](const QPen &pen) { entries.append("changed " + penText(pen)); });
        connect(table, qOverload<>(&SkinPenTable::selectedPenAccepted), this,
                [this] { entries.append("accepted"); });
        connect(table, qOverload<const QPen &>(&SkinPenTable::selectedPenAccepted), this,
                [this](const QPen &pen) { entries.append("accepted " + penText(pen)); });
    }

    QStringList entries;
};

QWidget *popupOf(SkinPenPicker *picker)
{
    return picker->findChild<QWidget *>(QStringLiteral("popupWindow"));
}

SkinPenTable *tableOf(SkinPenPicker *picker)
{
    return picker->findChild<SkinPenTable *>();
}

QPushButton *buttonOf(SkinPenPicker *picker, const QString &text)
{
    for (QPushButton *button : picker->findChildren<QPushButton *>()) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

// How much black the swatch shows inside its white field, in pixels.
double markInk(const QImage &image, const QRect &field, int *touched = nullptr)
{
    double ink = 0;
    int count = 0;
    for (int y = field.top(); y <= field.bottom(); ++y) {
        for (int x = field.left(); x <= field.right(); ++x) {
            const int level = qGray(image.pixel(x, y));
            if (level < 255)
                ++count;
            ink += (255 - level) / 255.0;
        }
    }
    if (touched)
        *touched = count;
    return ink;
}

} // namespace

class TestSkinPenPicker : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    // Table
    void startsOnTheThinnestRoundPen();
    void setSelectedPen_data();
    void setSelectedPen();
    void cellsTileTheWidget_data();
    void cellsTileTheWidget();
    void cellAt_data();
    void cellAt();
    void pressSelects_data();
    void pressSelects();
    void doubleClickAccepts();
    void paintsSamplesAndSelection();

    // Picker
    void startsWithARoundDefaultPen();
    void swatchMark_data();
    void swatchMark();
    void thinPenIsOneHardPixel_data();
    void thinPenIsOneHardPixel();
    void anyButtonShowsThePressedLook();
    void leftReleaseOpensThePopup_data();
    void leftReleaseOpensThePopup();
    void okTakesThePen();
    void okTakesTheCellClicked();
    void doubleClickTakesThePen();
    void cancelTakesNothing();
    void okWithoutMatchingSampleKeepsThePen_data();
    void okWithoutMatchingSampleKeepsThePen();

private:
    std::unique_ptr<SkinPenTable> makeTable();
    std::unique_ptr<SkinPenPicker> makePicker(const QPen &pen);
    void openPopup(SkinPenPicker *picker);
};

void TestSkinPenPicker::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    setSkinThemeStyle(Blue);
}

void TestSkinPenPicker::cleanup()
{
    // A popup left open would take the input of the next test.
    while (QWidget *popup = QApplication::activePopupWidget())
        popup->close();
}

std::unique_ptr<SkinPenTable> TestSkinPenPicker::makeTable()
{
    auto table = std::make_unique<SkinPenTable>();
    table->resize(142, 118);
    return table;
}

std::unique_ptr<SkinPenPicker> TestSkinPenPicker::makePicker(const QPen &pen)
{
    auto picker = std::make_unique<SkinPenPicker>();
    picker->setGeometry(100, 100, 40, 22);
    picker->setSelectedPen(pen);
    return picker;
}

void TestSkinPenPicker::openPopup(SkinPenPicker *picker)
{
    pressAt(picker, QPointF(5, 5));
    releaseAt(picker, QPointF(5, 5));
    QVERIFY(popupOf(picker)->isVisible());
}

// --- Table -------------------------------------------------------------------

void TestSkinPenPicker::startsOnTheThinnestRoundPen()
{
    SkinPenTable table;
    QCOMPARE(table.selectedIndex(), 0);
    QCOMPARE(penText(table.selectedPen()), QStringLiteral("1 round"));
}

void TestSkinPenPicker::setSelectedPen_data()
{
    QTest::addColumn<QPen>("pen");
    QTest::addColumn<int>("index");
    QTest::newRow("1 round") << samplePen(1, Qt::RoundCap) << 0;
    QTest::newRow("12 round") << samplePen(12, Qt::RoundCap) << 11;
    QTest::newRow("1 square") << samplePen(1, Qt::SquareCap) << 12;
    QTest::newRow("12 square") << samplePen(12, Qt::SquareCap) << 23;
    QTest::newRow("12 flat") << samplePen(12, Qt::FlatCap) << -1;
    QTest::newRow("13 round") << samplePen(13, Qt::RoundCap) << -1;
    QTest::newRow("20 square") << samplePen(20, Qt::SquareCap) << -1;
    QTest::newRow("0 round") << samplePen(0, Qt::RoundCap) << -1;
    QPen coloured(QBrush(Qt::red), 3, Qt::DashLine, Qt::RoundCap, Qt::MiterJoin);
    QTest::newRow("colour and style do not count") << coloured << 2;
}

void TestSkinPenPicker::setSelectedPen()
{
    QFETCH(QPen, pen);
    QFETCH(int, index);
    auto table = makeTable();
    TableLog log(table.get());
    table->setSelectedPen(pen);
    QCOMPARE(table->selectedIndex(), index);
    QCOMPARE(log.entries, QStringList());
    const QPen selected = table->selectedPen();
    if (index < 0) {
        QCOMPARE(selected, QPen());
    } else {
        QCOMPARE(selected.width(), pen.width());
        QCOMPARE(selected.capStyle(), pen.capStyle());
        QCOMPARE(selected.color(), QColor(Qt::black));
    }
}

void TestSkinPenPicker::cellsTileTheWidget_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<qreal>("cellWidth");
    QTest::addColumn<qreal>("cellHeight");
    QTest::newRow("the popup's table") << QSize(142, 118) << qreal(23) << qreal(29.25);
    QTest::newRow("even") << QSize(121, 81) << qreal(20) << qreal(20);
    QTest::newRow("tiny") << QSize(4, 3) << qreal(0) << qreal(0.5);
}

// Whole-pixel columns, quarter rows; the last column and row take the rest.
void TestSkinPenPicker::cellsTileTheWidget()
{
    QFETCH(QSize, size);
    QFETCH(qreal, cellWidth);
    QFETCH(qreal, cellHeight);
    SkinPenTable table;
    table.resize(size);
    for (int i = 0; i < SkinPenTable::CellCount; ++i) {
        const QRectF cell = table.cellRect(i);
        const int column = i % 6;
        const int row = i / 6;
        QCOMPARE(cell.topLeft(), QPointF(column * cellWidth, row * cellHeight));
        QCOMPARE(cell.width(), column < 5 ? cellWidth : size.width() - 1 - 5 * cellWidth);
        QCOMPARE(cell.height(), row < 3 ? cellHeight : size.height() - 1 - 3 * cellHeight);
    }
    QCOMPARE(table.cellRect(23).bottomRight(), QPointF(size.width() - 1, size.height() - 1));
}

void TestSkinPenPicker::cellAt_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<int>("cell");
    QTest::newRow("origin") << QPoint(0, 0) << 0;
    QTest::newRow("edge of 0 and 1") << QPoint(23, 10) << 0;
    QTest::newRow("past that edge") << QPoint(24, 10) << 1;
    QTest::newRow("edge of 5 and 11") << QPoint(130, 29) << 5;
    QTest::newRow("wider last column") << QPoint(140, 40) << 11;
    QTest::newRow("last corner") << QPoint(141, 117) << 23;
    QTest::newRow("right of the grid") << QPoint(142, 50) << -1;
    QTest::newRow("above the grid") << QPoint(50, -1) << -1;
}

void TestSkinPenPicker::cellAt()
{
    QFETCH(QPoint, point);
    QFETCH(int, cell);
    auto table = makeTable();
    QCOMPARE(table->cellAt(point.x(), point.y()), cell);
}

void TestSkinPenPicker::pressSelects_data()
{
    QTest::addColumn<QPointF>("pos");
    QTest::addColumn<int>("button");
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<int>("selected");
    QTest::newRow("left on cell 16") << QPointF(100, 70) << int(Qt::LeftButton)
                                     << QStringList{"changed 5 other", "changed"} << 16;
    QTest::newRow("right on cell 7") << QPointF(30, 40) << int(Qt::RightButton)
                                     << QStringList{"changed 8 round", "changed"} << 7;
    QTest::newRow("rounds onto the shared edge") << QPointF(23.4, 10) << int(Qt::LeftButton)
                                                 << QStringList{"changed 1 round", "changed"} << 0;
    QTest::newRow("outside") << QPointF(150, 10) << int(Qt::LeftButton) << QStringList() << 3;
}

void TestSkinPenPicker::pressSelects()
{
    QFETCH(QPointF, pos);
    QFETCH(int, button);
    QFETCH(QStringList, log);
    QFETCH(int, selected);
    auto table = makeTable();
    table->setSelectedPen(samplePen(4, Qt::RoundCap));
    TableLog tableLog(table.get());
    pressAt(table.get(), pos, Qt::MouseButton(button));
    QCOMPARE(tableLog.entries, log);
    QCOMPARE(table->selectedIndex(), selected);
}

void TestSkinPenPicker::doubleClickAccepts()
{
    auto table = makeTable();
    pressAt(table.get(), table->cellRect(2).center());
    TableLog log(table.get());
    doubleClickAt(table.get(), table->cellRect(20).center());
    QCOMPARE(log.entries, QStringList({"accepted 9 other", "accepted"}));
    QCOMPARE(table->selectedIndex(), 2);
    doubleClickAt(table.get(), QPointF(-3, -3));
    QCOMPARE(log.entries.size(), 2);
}

void TestSkinPenPicker::paintsSamplesAndSelection()
{
    // Tall cells keep the width labels at their bottoms clear of the samples.
    auto table = makeTable();
    table->resize(142, 401);
    table->setSelectedPen(samplePen(7, Qt::SquareCap));
    const QImage image = paintedImage(table.get());
    // Cell 18 (7 px square) is highlighted; cell 11 (12 px round) is not.
    const QRectF selected = table->cellRect(18);
    QCOMPARE(image.pixelColor(int(selected.left()) + 2, int(selected.top()) + 2), skinHighlightColor);
    const QRectF round = table->cellRect(11);
    QCOMPARE(image.pixelColor(int(round.left()) + 2, int(round.top()) + 2), skinPanelColor);
    QCOMPARE(image.pixelColor(round.center().toPoint()), QColor(Qt::black));
    // The 1 px round sample is a single hard pixel.
    const QPoint centre = table->cellRect(0).center().toPoint();
    int dark = 0;
    for (int y = centre.y() - 4; y <= centre.y() + 4; ++y) {
        for (int x = centre.x() - 4; x <= centre.x() + 4; ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel != skinPanelColor) {
                QCOMPARE(pixel, QColor(Qt::black));
                ++dark;
            }
        }
    }
    QCOMPARE(dark, 1);
    // Border and grid lines.
    QCOMPARE(image.pixelColor(0, 50), skinBorderColor);
    QCOMPARE(image.pixelColor(141, 50), skinBorderColor);
    QCOMPARE(image.pixelColor(50, 400), skinBorderColor);
    QCOMPARE(image.pixelColor(23, 50), skinBorderColor);
    QCOMPARE(image.pixelColor(10, 100), skinBorderColor);
}

// --- Picker ------------------------------------------------------------------

void TestSkinPenPicker::startsWithARoundDefaultPen()
{
    SkinPenPicker picker;
    QCOMPARE(penText(picker.selectedPen()), QStringLiteral("1 round"));
    QCOMPARE(picker.popupRect(), QRect(0, 0, 150, 150));
    QVERIFY(picker.testAttribute(Qt::WA_NoMousePropagation));
    QWidget *popup = popupOf(&picker);
    QVERIFY(popup);
    QVERIFY(popup->windowFlags() & Qt::Popup);
    QVERIFY(!popup->isVisible());
    QVERIFY(buttonOf(&picker, "OK"));
    QVERIFY(buttonOf(&picker, "Cancel"));

    PickerLog log(&picker);
    picker.setSelectedPen(samplePen(9, Qt::SquareCap));
    QCOMPARE(penText(picker.selectedPen()), QStringLiteral("9 other"));
    QCOMPARE(log.entries, QStringList());
}

void TestSkinPenPicker::swatchMark_data()
{
    QTest::addColumn<QPen>("pen");
    QTest::addColumn<double>("ink");
    const double pi = 3.14159265358979;
    QTest::newRow("4 round") << samplePen(4, Qt::RoundCap) << pi * 4;
    QTest::newRow("4 square") << samplePen(4, Qt::SquareCap) << 16.0;
    QTest::newRow("7 round") << samplePen(7, Qt::RoundCap) << pi * 3.5 * 3.5;
    QTest::newRow("20 round shows as 7") << samplePen(20, Qt::RoundCap) << pi * 3.5 * 3.5;
    QTest::newRow("20 square shows as 7") << samplePen(20, Qt::SquareCap) << 49.0;
    QTest::newRow("20 flat shows as 7") << samplePen(20, Qt::FlatCap) << 49.0;
}

void TestSkinPenPicker::swatchMark()
{
    QFETCH(QPen, pen);
    QFETCH(double, ink);
    auto picker = makePicker(pen);
    const QImage image = paintedImage(picker.get());
    const QRect field(QPoint(3, 3), QPoint(35, 17));
    QVERIFY(qAbs(markInk(image, field) - ink) < 1.5);
    // Centred on the swatch.
    QCOMPARE(image.pixelColor(20, 11), QColor(Qt::black));
    QCOMPARE(image.pixelColor(4, 4), QColor(Qt::white));
}

void TestSkinPenPicker::thinPenIsOneHardPixel_data()
{
    QTest::addColumn<QPen>("pen");
    QTest::newRow("round") << samplePen(1, Qt::RoundCap);
    QTest::newRow("square") << samplePen(1, Qt::SquareCap);
}

// Even with a round cap a 1 px pen shows as one black pixel, not a blur.
void TestSkinPenPicker::thinPenIsOneHardPixel()
{
    QFETCH(QPen, pen);
    auto picker = makePicker(pen);
    const QImage image = paintedImage(picker.get());
    int touched = 0;
    QCOMPARE(markInk(image, QRect(QPoint(3, 3), QPoint(35, 17)), &touched), 1.0);
    QCOMPARE(touched, 1);
}

void TestSkinPenPicker::anyButtonShowsThePressedLook()
{
    auto picker = makePicker(samplePen(3, Qt::RoundCap));
    QVERIFY(paintedImage(picker.get()).pixelColor(1, 1) != skinButtonPressedTopColor);
    pressAt(picker.get(), QPointF(5, 5), Qt::RightButton);
    QImage image = paintedImage(picker.get());
    QCOMPARE(image.pixelColor(1, 1), skinButtonPressedTopColor);
    QCOMPARE(image.pixelColor(0, 5), skinButtonPressedBorderColor);
    QCOMPARE(image.pixelColor(39, 5), skinButtonPressedBorderColor);
    QCOMPARE(image.pixelColor(5, 21), skinButtonPressedBorderColor);
    releaseAt(picker.get(), QPointF(5, 5), Qt::RightButton);
    QVERIFY(paintedImage(picker.get()).pixelColor(1, 1) != skinButtonPressedTopColor);
    // Only the left button opens the popup.
    QVERIFY(!popupOf(picker.get())->isVisible());
}

void TestSkinPenPicker::leftReleaseOpensThePopup_data()
{
    QTest::addColumn<QRect>("popupRect");
    QTest::addColumn<QRect>("table");
    QTest::addColumn<QRect>("ok");
    QTest::addColumn<QRect>("cancel");
    QTest::newRow("default") << QRect(0, 0, 150, 150) << QRect(4, 4, 142, 118) << QRect(0, 125, 70, 20)
                             << QRect(75, 125, 70, 20);
    QTest::newRow("larger, moved") << QRect(-10, 5, 200, 180) << QRect(4, 4, 192, 148) << QRect(50, 155, 70, 20)
                                   << QRect(125, 155, 70, 20);
}

void TestSkinPenPicker::leftReleaseOpensThePopup()
{
    QFETCH(QRect, popupRect);
    QFETCH(QRect, table);
    QFETCH(QRect, ok);
    QFETCH(QRect, cancel);
    auto picker = makePicker(samplePen(11, Qt::SquareCap));
    picker->setPopupRect(popupRect);
    QCOMPARE(picker->popupRect(), popupRect);
    openPopup(picker.get());
    QWidget *popup = popupOf(picker.get());
    QCOMPARE(popup->geometry(), popupRect.translated(picker->mapToGlobal(QPoint(0, 21))));
    QCOMPARE(tableOf(picker.get())->geometry(), table);
    QCOMPARE(buttonOf(picker.get(), "OK")->geometry(), ok);
    QCOMPARE(buttonOf(picker.get(), "Cancel")->geometry(), cancel);
    // The table opens on the current pen.
    QCOMPARE(tableOf(picker.get())->selectedIndex(), 22);
}

void TestSkinPenPicker::okTakesThePen()
{
    QPen pen = samplePen(5, Qt::RoundCap);
    pen.setColor(Qt::red);
    auto picker = makePicker(pen);
    openPopup(picker.get());
    PickerLog log(picker.get());
    buttonOf(picker.get(), "OK")->click();
    QCOMPARE(log.entries, QStringList({"changed", "changed 5 round", "width 5px"}));
    QVERIFY(!popupOf(picker.get())->isVisible());
    QCOMPARE(penText(picker->selectedPen()), QStringLiteral("5 round"));

    // Unchanged or not, OK reports again.
    openPopup(picker.get());
    buttonOf(picker.get(), "OK")->click();
    QCOMPARE(log.entries.size(), 6);
}

void TestSkinPenPicker::okTakesTheCellClicked()
{
    auto picker = makePicker(samplePen(2, Qt::RoundCap));
    openPopup(picker.get());
    SkinPenTable *table = tableOf(picker.get());
    PickerLog log(picker.get());
    pressAt(table, table->cellRect(17).center());
    releaseAt(table, table->cellRect(17).center());
    QCOMPARE(log.entries, QStringList());
    QVERIFY(popupOf(picker.get())->isVisible());
    buttonOf(picker.get(), "OK")->click();
    QCOMPARE(log.entries, QStringList({"changed", "changed 6 other", "width 6px"}));
    QCOMPARE(penText(picker->selectedPen()), QStringLiteral("6 other"));
}

void TestSkinPenPicker::doubleClickTakesThePen()
{
    auto picker = makePicker(samplePen(2, Qt::RoundCap));
    openPopup(picker.get());
    SkinPenTable *table = tableOf(picker.get());
    PickerLog log(picker.get());
    const QPointF cell = table->cellRect(9).center();
    pressAt(table, cell);
    releaseAt(table, cell);
    doubleClickAt(table, cell);
    QCOMPARE(log.entries, QStringList({"changed", "changed 10 round", "width 10px"}));
    QVERIFY(!popupOf(picker.get())->isVisible());
}

void TestSkinPenPicker::cancelTakesNothing()
{
    auto picker = makePicker(samplePen(2, Qt::RoundCap));
    openPopup(picker.get());
    SkinPenTable *table = tableOf(picker.get());
    pressAt(table, table->cellRect(20).center());
    PickerLog log(picker.get());
    buttonOf(picker.get(), "Cancel")->click();
    QVERIFY(!popupOf(picker.get())->isVisible());
    QCOMPARE(log.entries, QStringList());
    QCOMPARE(penText(picker->selectedPen()), QStringLiteral("2 round"));
}

void TestSkinPenPicker::okWithoutMatchingSampleKeepsThePen_data()
{
    QTest::addColumn<QPen>("pen");
    QTest::newRow("20 px") << samplePen(20, Qt::RoundCap);
    QTest::newRow("13 px") << samplePen(13, Qt::SquareCap);
    QTest::newRow("flat cap") << samplePen(4, Qt::FlatCap);
}

// A stroke the table has no sample for must not turn into a 1 px square
// one, and be recorded as an edit, just because the user pressed OK.
void TestSkinPenPicker::okWithoutMatchingSampleKeepsThePen()
{
    QFETCH(QPen, pen);
    auto picker = makePicker(pen);
    openPopup(picker.get());
    QCOMPARE(tableOf(picker.get())->selectedIndex(), -1);
    QCOMPARE(paintedImage(tableOf(picker.get())).pixelColor(3, 3), skinPanelColor);
    PickerLog log(picker.get());
    buttonOf(picker.get(), "OK")->click();
    QVERIFY(!popupOf(picker.get())->isVisible());
    QCOMPARE(log.entries, QStringList());
    QCOMPARE(picker->selectedPen(), pen);
}

QTEST_MAIN(TestSkinPenPicker)
#include "tst_skinpenpicker.moc"
