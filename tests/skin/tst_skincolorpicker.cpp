// The colour picker (its swatch, the popup's layout and two modes, the RGB
// entry with its red error look, and which ways of leaving the popup commit
// a colour) and the colour dialog (its layout and its OK and Cancel).
#include "skin/controls/skincolordialog.h"
#include "skin/controls/skincolorpicker.h"
#include "skin/controls/skincolorslider.h"
#include "skin/controls/skincolortable.h"
#include "skin/windows/skintheme.h"

#include "controlevents.h"
#include "skinfixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

#include <memory>

namespace {

const QString redEntryStyle = QStringLiteral("QLineEdit{background:rgb(250,50,50); color: black;}");

// The popup's children, found in the order the picker creates them.
struct Popup {
    QWidget *window = nullptr;
    SkinColorTable *table = nullptr;
    SkinColorSlider *slider = nullptr;
    QPushButton *ok = nullptr;
    QPushButton *cancel = nullptr;
    QPushButton *pick = nullptr;
    QPushButton *rgb = nullptr;
    QLineEdit *entry = nullptr;
};

Popup popupOf(QWidget *owner)
{
    Popup p;
    p.window = owner->findChild<QWidget *>(QStringLiteral("popupWindow"));
    p.table = owner->findChild<SkinColorTable *>();
    p.slider = owner->findChild<SkinColorSlider *>();
    const QList<QPushButton *> buttons = owner->findChildren<QPushButton *>();
    if (buttons.size() >= 2) {
        p.ok = buttons.at(0);
        p.cancel = buttons.at(1);
    }
    if (buttons.size() == 4) {
        p.pick = buttons.at(2);
        p.rgb = buttons.at(3);
    }
    p.entry = owner->findChild<QLineEdit *>();
    return p;
}

QString argb(const QColor &color)
{
    return color.name(QColor::HexArgb);
}

// The picker's signals in the order they arrive.
class PickerLog : public QObject
{
public:
    explicit PickerLog(SkinColorPicker *picker)
    {
        connect(picker, qOverload<const QColor &>(&SkinColorPicker::selectedColorChanged), this,
                [this](const QColor &c) { entries.append("changed " + argb(c)); });
        connect(picker, qOverload<>(&SkinColorPicker::selectedColorChanged), this,
                [this] { entries.append("changed"); });
        connect(picker, &SkinColorPicker::colorPicking, this, [this] { entries.append("picking"); });
    }

    QStringList entries;
};

void clickSwatch(SkinColorTable *table, int index)
{
    pressAt(table, table->cellRect(index).center());
    releaseAt(table, table->cellRect(index).center());
}

} // namespace

class TestSkinColorPicker : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    // Picker
    void startsWhiteInSliderMode();
    void setSelectedColorEmitsNothing_data();
    void setSelectedColorEmitsNothing();
    void popupLayout_data();
    void popupLayout();
    void popupOpensOnTheColour_data();
    void popupOpensOnTheColour();
    void okCommitsTheSliderEvenUnchanged();
    void cancelCommitsNothing();
    void swatchClickFeedsSliderAndEntry();
    void swatchDoubleClickCommits();
    void sliderDragLeavesTheEntry();
    void pickButtonAsksTheOwner();
    void rgbButtonOpensTheEntry_data();
    void rgbButtonOpensTheEntry();
    void acceptingTypedColour();
    void rejectedTextTurnsRedAndCommitsNothing();
    void rejectedTextSurvivesReopening();
    void abandoningKeepsTheRedLook();
    void okInEntryModeCommitsTheText();
    void commitFromOutsideTakesTheSlider();
    void closePopup();
    void swatchPainting_data();
    void swatchPainting();
    void pressedLookLastsUntilOpening();

    // Dialog
    void dialogShape();
    void dialogLayout();
    void dialogOkReturnsTheSliderColour();
    void dialogCancelTakesNothing();
    void dialogDoubleClickOnlySelects();
    void dialogRunsModally();

private:
    std::unique_ptr<SkinColorPicker> makePicker(const QColor &color);
    Popup openPopup(SkinColorPicker *picker);
};

void TestSkinColorPicker::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    setSkinThemeStyle(Blue);
}

void TestSkinColorPicker::cleanup()
{
    // A popup left open would take the input of the next test.
    while (QWidget *popup = QApplication::activePopupWidget())
        popup->close();
    SkinDialog::setAnswerHook(SkinDialog::AnswerHook());
}

std::unique_ptr<SkinColorPicker> TestSkinColorPicker::makePicker(const QColor &color)
{
    auto picker = std::make_unique<SkinColorPicker>();
    picker->setGeometry(100, 100, 40, 20);
    picker->setSelectedColor(color);
    return picker;
}

Popup TestSkinColorPicker::openPopup(SkinColorPicker *picker)
{
    pressAt(picker, QPointF(5, 5));
    releaseAt(picker, QPointF(5, 5));
    Popup popup = popupOf(picker);
    if (!popup.window->isVisible())
        qWarning("the popup did not open");
    return popup;
}

// --- Picker -------------------------------------------------------------------

void TestSkinColorPicker::startsWhiteInSliderMode()
{
    SkinColorPicker picker;
    QCOMPARE(picker.selectedColor(), QColor(255, 255, 255));
    QCOMPARE(picker.popupRect(), QRect(QPoint(0, 0), QPoint(169, 149)));
    QVERIFY(!picker.brushControl());
    QVERIFY(picker.testAttribute(Qt::WA_NoMousePropagation));

    const Popup p = popupOf(&picker);
    QVERIFY(p.window && p.table && p.slider && p.ok && p.cancel && p.pick && p.rgb && p.entry);
    QVERIFY(p.window->windowFlags() & Qt::Popup);
    QVERIFY(!p.window->isVisible());
    QCOMPARE(p.ok->text(), QStringLiteral("OK"));
    QCOMPARE(p.cancel->text(), QStringLiteral("Cancel"));
    QVERIFY(p.entry->isHidden());
    QVERIFY(!p.slider->isHidden());
    for (QPushButton *button : {p.pick, p.rgb}) {
        QVERIFY(button->text().isEmpty());
        QVERIFY(!button->icon().isNull());
        QVERIFY(button->testAttribute(Qt::WA_NoMousePropagation));
        QCOMPARE(button->cursor().shape(), Qt::ArrowCursor);
    }
    QCOMPARE(p.pick->toolTip(), QStringLiteral("Pick Color"));
    QCOMPARE(p.rgb->toolTip(), QStringLiteral("Custom RGB Color"));
}

void TestSkinColorPicker::setSelectedColorEmitsNothing_data()
{
    QTest::addColumn<QColor>("color");
    QTest::addColumn<QString>("entry");
    QTest::newRow("opaque") << QColor(0x12, 0xab, 0xcd) << "#12ABCD";
    QTest::newRow("alpha is ignored") << QColor(0xff, 0x00, 0x80, 0x40) << "#FF0080";
    QTest::newRow("transparent") << QColor(0, 0, 0, 0) << "#000000";
}

// The entry reads "#RRGGBB" even for a colour with alpha, unlike the RGB
// button, which writes "#AARRGGBB" (see rgbButtonOpensTheEntry).
void TestSkinColorPicker::setSelectedColorEmitsNothing()
{
    QFETCH(QColor, color);
    QFETCH(QString, entry);
    auto picker = makePicker(Qt::white);
    PickerLog log(picker.get());
    picker->setSelectedColor(color);
    QCOMPARE(picker->selectedColor(), color);
    const Popup p = popupOf(picker.get());
    QCOMPARE(p.entry->text(), entry);
    QCOMPARE(p.slider->selectedColor(), color);
    QCOMPARE(log.entries, QStringList());
}

void TestSkinColorPicker::popupLayout_data()
{
    QTest::addColumn<QRect>("popupRect");
    QTest::addColumn<QRect>("table");
    QTest::addColumn<QRect>("slider");
    QTest::addColumn<QRect>("pick");
    QTest::addColumn<QRect>("rgb");
    QTest::addColumn<QRect>("ok");
    QTest::addColumn<QRect>("cancel");
    QTest::newRow("default") << QRect(0, 0, 170, 150) << QRect(5, 4, 160, 94) << QRect(5, 102, 114, 20)
                             << QRect(122, 102, 20, 20) << QRect(145, 102, 20, 20) << QRect(20, 125, 70, 20)
                             << QRect(95, 125, 70, 20);
    // The gradient pages of the brush editor open it to the left.
    QTest::newRow("brush editor") << QRect(-9, 0, 185, 150) << QRect(5, 4, 175, 94) << QRect(5, 102, 129, 20)
                                  << QRect(137, 102, 20, 20) << QRect(160, 102, 20, 20)
                                  << QRect(35, 125, 70, 20) << QRect(110, 125, 70, 20);
}

void TestSkinColorPicker::popupLayout()
{
    QFETCH(QRect, popupRect);
    QFETCH(QRect, table);
    QFETCH(QRect, slider);
    QFETCH(QRect, pick);
    QFETCH(QRect, rgb);
    QFETCH(QRect, ok);
    QFETCH(QRect, cancel);
    auto picker = makePicker(Qt::red);
    picker->setPopupRect(popupRect);
    const Popup p = openPopup(picker.get());
    QVERIFY(p.window->isVisible());
    QCOMPARE(p.window->geometry(), popupRect.translated(picker->mapToGlobal(QPoint(0, 19))));
    QCOMPARE(p.table->geometry(), table);
    QCOMPARE(p.slider->geometry(), slider);
    QCOMPARE(p.entry->geometry(), slider);
    QCOMPARE(p.pick->geometry(), pick);
    QCOMPARE(p.rgb->geometry(), rgb);
    QCOMPARE(p.ok->geometry(), ok);
    QCOMPARE(p.cancel->geometry(), cancel);
}

void TestSkinColorPicker::popupOpensOnTheColour_data()
{
    QTest::addColumn<QColor>("color");
    QTest::addColumn<int>("swatch");
    QTest::addColumn<bool>("sliderEnabled");
    QTest::newRow("palette colour") << QColor(0xff, 0x99, 0x00) << 9 << true;
    QTest::newRow("not in the palette") << QColor(1, 2, 3) << -1 << true;
    // Palette 0 holds transparent black as its no-colour swatch.
    QTest::newRow("transparent black") << QColor(0, 0, 0, 0) << 55 << false;
    QTest::newRow("transparent white") << QColor(255, 255, 255, 0) << -1 << false;
}

void TestSkinColorPicker::popupOpensOnTheColour()
{
    QFETCH(QColor, color);
    QFETCH(int, swatch);
    QFETCH(bool, sliderEnabled);
    auto picker = makePicker(color);
    const Popup p = popupOf(picker.get());
    // Selected at the opening, not before.
    QCOMPARE(p.table->selectedIndex(), -1);
    openPopup(picker.get());
    QCOMPARE(p.table->selectedIndex(), swatch);
    QCOMPARE(p.slider->selectedColor(), color);
    QCOMPARE(p.slider->isEnabled(), sliderEnabled);
}

void TestSkinColorPicker::okCommitsTheSliderEvenUnchanged()
{
    auto picker = makePicker(QColor(10, 20, 30));
    const Popup p = openPopup(picker.get());
    PickerLog log(picker.get());
    p.ok->click();
    QCOMPARE(log.entries, QStringList({"changed #ff0a141e", "changed"}));
    QVERIFY(!p.window->isVisible());
    QCOMPARE(picker->selectedColor(), QColor(10, 20, 30));
}

void TestSkinColorPicker::cancelCommitsNothing()
{
    auto picker = makePicker(QColor(10, 20, 30));
    const Popup p = openPopup(picker.get());
    clickSwatch(p.table, 8);
    PickerLog log(picker.get());
    p.cancel->click();
    QVERIFY(!p.window->isVisible());
    QCOMPARE(log.entries, QStringList());
    QCOMPARE(picker->selectedColor(), QColor(10, 20, 30));
}

void TestSkinColorPicker::swatchClickFeedsSliderAndEntry()
{
    auto picker = makePicker(Qt::white);
    const Popup p = openPopup(picker.get());
    PickerLog log(picker.get());
    clickSwatch(p.table, 13);
    QCOMPARE(p.slider->selectedColor(), QColor(0x2b, 0x78, 0xe4));
    QCOMPARE(p.entry->text(), QStringLiteral("#2B78E4"));
    QCOMPARE(log.entries, QStringList());
    QCOMPARE(picker->selectedColor(), QColor(Qt::white));
    QVERIFY(p.window->isVisible());
}

void TestSkinColorPicker::swatchDoubleClickCommits()
{
    auto picker = makePicker(Qt::white);
    const Popup p = openPopup(picker.get());
    PickerLog log(picker.get());
    clickSwatch(p.table, 13);
    doubleClickAt(p.table, p.table->cellRect(13).center());
    QCOMPARE(log.entries, QStringList({"changed #ff2b78e4", "changed"}));
    QVERIFY(!p.window->isVisible());
    QCOMPARE(picker->selectedColor(), QColor(0x2b, 0x78, 0xe4));
}

void TestSkinColorPicker::sliderDragLeavesTheEntry()
{
    auto picker = makePicker(QColor(0xcf, 0x2a, 0x27));
    const Popup p = openPopup(picker.get());
    const QString before = p.entry->text();
    PickerLog log(picker.get());
    pressAt(p.slider, QPointF(100, 10));
    moveTo(p.slider, QPointF(110, 10), Qt::LeftButton);
    releaseAt(p.slider, QPointF(110, 10));
    const QColor shade = p.slider->selectedColor();
    QVERIFY(shade != QColor(0xcf, 0x2a, 0x27));
    QCOMPARE(p.entry->text(), before);
    QCOMPARE(log.entries, QStringList());
    p.ok->click();
    QCOMPARE(log.entries, QStringList({"changed " + argb(shade), "changed"}));
    QCOMPARE(picker->selectedColor(), shade);
}

void TestSkinColorPicker::pickButtonAsksTheOwner()
{
    auto picker = makePicker(Qt::white);
    const Popup p = openPopup(picker.get());
    PickerLog log(picker.get());
    p.pick->click();
    QCOMPARE(log.entries, QStringList({"picking"}));
    // The owner closes the popup when it starts picking.
    QVERIFY(p.window->isVisible());
}

void TestSkinColorPicker::rgbButtonOpensTheEntry_data()
{
    QTest::addColumn<QColor>("color");
    QTest::addColumn<QString>("entry");
    QTest::newRow("opaque") << QColor(0x12, 0xab, 0xcd) << "#12ABCD";
    QTest::newRow("with alpha") << QColor(0xff, 0x00, 0x80, 0x40) << "#40FF0080";
}

void TestSkinColorPicker::rgbButtonOpensTheEntry()
{
    QFETCH(QColor, color);
    QFETCH(QString, entry);
    auto picker = makePicker(color);
    const Popup p = openPopup(picker.get());
    p.rgb->click();
    QCOMPARE(p.entry->text(), entry);
    QVERIFY(p.entry->isVisible());
    QVERIFY(!p.slider->isVisible());
    QCOMPARE(p.pick->toolTip(), QStringLiteral("OK"));
    QCOMPARE(p.rgb->toolTip(), QStringLiteral("Cancel"));
    QVERIFY(!p.pick->icon().isNull());
    QVERIFY(!p.rgb->icon().isNull());

    p.rgb->click();
    QVERIFY(p.slider->isVisible());
    QVERIFY(!p.entry->isVisible());
    QCOMPARE(p.pick->toolTip(), QStringLiteral("Pick Color"));
    QCOMPARE(p.rgb->toolTip(), QStringLiteral("Custom RGB Color"));
}

void TestSkinColorPicker::acceptingTypedColour()
{
    auto picker = makePicker(Qt::white);
    const Popup p = openPopup(picker.get());
    p.rgb->click();
    p.entry->setText(QStringLiteral("10,200,30"));
    PickerLog log(picker.get());
    QSignalSpy sliderChanged(p.slider, &SkinColorSlider::selectedColorChanged);
    p.pick->click();
    QVERIFY(p.slider->isVisible());
    QVERIFY(!p.entry->isVisible());
    QCOMPARE(p.entry->styleSheet(), QString());
    QCOMPARE(p.pick->toolTip(), QStringLiteral("Pick Color"));
    QCOMPARE(p.slider->selectedColor(), QColor(10, 200, 30));
    QCOMPARE(sliderChanged.count(), 1);
    // Nothing is committed until OK.
    QCOMPARE(log.entries, QStringList());
    QCOMPARE(picker->selectedColor(), QColor(Qt::white));
    p.ok->click();
    QCOMPARE(log.entries, QStringList({"changed #ff0ac81e", "changed"}));
}

void TestSkinColorPicker::rejectedTextTurnsRedAndCommitsNothing()
{
    auto picker = makePicker(QColor(1, 2, 3));
    const Popup p = openPopup(picker.get());
    p.rgb->click();
    p.entry->setText(QStringLiteral("no colour"));
    PickerLog log(picker.get());
    p.pick->click();
    QCOMPARE(p.entry->styleSheet(), redEntryStyle);
    QVERIFY(p.entry->isVisible());
    QCOMPARE(p.pick->toolTip(), QStringLiteral("OK"));

    p.ok->click();
    QVERIFY(!p.window->isVisible());
    QCOMPARE(log.entries, QStringList());
    QCOMPARE(picker->selectedColor(), QColor(1, 2, 3));
}

void TestSkinColorPicker::rejectedTextSurvivesReopening()
{
    auto picker = makePicker(QColor(1, 2, 3));
    Popup p = openPopup(picker.get());
    p.rgb->click();
    p.entry->setText(QStringLiteral("#12"));
    p.pick->click();
    p.ok->click();

    openPopup(picker.get());
    QVERIFY(p.entry->isVisible());
    QCOMPARE(p.entry->text(), QStringLiteral("#12"));
    QCOMPARE(p.entry->styleSheet(), redEntryStyle);
    p.cancel->click();

    // A colour set from outside replaces the text; mode and look stay.
    picker->setSelectedColor(QColor(0xaa, 0xbb, 0xcc));
    openPopup(picker.get());
    QVERIFY(p.entry->isVisible());
    QCOMPARE(p.entry->text(), QStringLiteral("#AABBCC"));
    QCOMPARE(p.entry->styleSheet(), redEntryStyle);
}

void TestSkinColorPicker::abandoningKeepsTheRedLook()
{
    auto picker = makePicker(QColor(1, 2, 3));
    const Popup p = openPopup(picker.get());
    p.rgb->click();
    p.entry->setText(QStringLiteral("nonsense"));
    p.pick->click();
    p.rgb->click();
    QVERIFY(p.slider->isVisible());
    QCOMPARE(p.entry->styleSheet(), redEntryStyle);
    // Until a valid text is accepted.
    p.rgb->click();
    p.pick->click();
    QCOMPARE(p.entry->styleSheet(), QString());
}

// OK reads the entry while it shows: the typed colour is committed even if
// it was never accepted into the slider.
void TestSkinColorPicker::okInEntryModeCommitsTheText()
{
    auto picker = makePicker(QColor(1, 2, 3));
    const Popup p = openPopup(picker.get());
    p.rgb->click();
    p.entry->setText(QStringLiteral("#80FF0000"));
    PickerLog log(picker.get());
    p.ok->click();
    QCOMPARE(log.entries, QStringList({"changed #80ff0000", "changed"}));
    QCOMPARE(p.slider->selectedColor(), QColor(1, 2, 3));

    // And a double-click on a swatch commits the swatch, whose name the
    // click wrote into the entry.
    openPopup(picker.get());
    QVERIFY(p.entry->isVisible());
    clickSwatch(p.table, 10);
    QCOMPARE(p.entry->text(), QStringLiteral("#FFFF00"));
    doubleClickAt(p.table, p.table->cellRect(10).center());
    QCOMPARE(log.entries.mid(2), QStringList({"changed #ffffff00", "changed"}));
}

// How the main window hands back a colour picked from the page: the entry
// counts as not shown while the popup is closed, whatever its mode.
void TestSkinColorPicker::commitFromOutsideTakesTheSlider()
{
    auto picker = makePicker(Qt::white);
    const Popup p = openPopup(picker.get());
    p.rgb->click();
    p.entry->setText(QStringLiteral("garbage"));
    QVERIFY(picker->closePopup());
    QVERIFY(!p.entry->isHidden());

    PickerLog log(picker.get());
    picker->setSelectedColor(QColor(0x33, 0x66, 0x99));
    picker->onSelectedColorChanged();
    QCOMPARE(log.entries, QStringList({"changed #ff336699", "changed"}));
    QCOMPARE(picker->selectedColor(), QColor(0x33, 0x66, 0x99));
}

void TestSkinColorPicker::closePopup()
{
    auto picker = makePicker(Qt::white);
    const Popup p = openPopup(picker.get());
    QVERIFY(picker->closePopup());
    QVERIFY(!p.window->isVisible());
    QVERIFY(picker->closePopup());
}

void TestSkinColorPicker::swatchPainting_data()
{
    QTest::addColumn<QColor>("color");
    QTest::newRow("opaque") << QColor(200, 30, 40);
    QTest::newRow("transparent") << QColor(0, 0, 0, 0);
    QTest::newRow("transparent red") << QColor(255, 0, 0, 0);
}

void TestSkinColorPicker::swatchPainting()
{
    QFETCH(QColor, color);
    auto picker = makePicker(color);
    picker->resize(40, 20);
    const QImage image = paintedImage(picker.get());
    // The inner field runs from (3, 3) to (35, 15) and is outlined.
    QCOMPARE(image.pixelColor(3, 10), skinButtonPressedBorderColor);
    QCOMPARE(image.pixelColor(20, 3), skinButtonPressedBorderColor);
    if (color.alpha() > 0) {
        QCOMPARE(skintest::countColour(image, color, QRect(QPoint(4, 4), QPoint(35, 15))), 32 * 12);
        return;
    }
    // White, crossed from bottom left to top right in red.
    QCOMPARE(image.pixelColor(6, 6), QColor(Qt::white));
    QCOMPARE(image.pixelColor(32, 14), QColor(Qt::white));
    QVERIFY(skintest::countColour(image, Qt::red, QRect(QPoint(4, 12), QPoint(10, 15))) > 0);
    QVERIFY(skintest::countColour(image, Qt::red, QRect(QPoint(29, 4), QPoint(35, 7))) > 0);
    QCOMPARE(skintest::countColour(image, Qt::red, QRect(QPoint(4, 4), QPoint(10, 7))), 0);
}

void TestSkinColorPicker::pressedLookLastsUntilOpening()
{
    auto picker = makePicker(Qt::white);
    QVERIFY(paintedImage(picker.get()).pixelColor(1, 1) != skinButtonPressedTopColor);
    pressAt(picker.get(), QPointF(5, 5), Qt::RightButton);
    releaseAt(picker.get(), QPointF(5, 5), Qt::RightButton);
    const Popup p = popupOf(picker.get());
    QVERIFY(!p.window->isVisible());
    QImage image = paintedImage(picker.get());
    QCOMPARE(image.pixelColor(1, 1), skinButtonPressedTopColor);
    QCOMPARE(image.pixelColor(0, 10), skinButtonPressedBorderColor);
    releaseAt(picker.get(), QPointF(5, 5));
    QVERIFY(p.window->isVisible());
    QVERIFY(paintedImage(picker.get()).pixelColor(1, 1) != skinButtonPressedTopColor);
}

// --- Dialog -------------------------------------------------------------------

void TestSkinColorPicker::dialogShape()
{
    SkinColorDialog dialog;
    QCOMPARE(dialog.size(), QSize(200, 185));
    QVERIFY(!dialog.isMaxButtonVisible());
    QVERIFY(!dialog.isMinButtonVisible());
    QCOMPARE(dialog.sizePolicy().horizontalPolicy(), QSizePolicy::Fixed);
    QCOMPARE(dialog.sizePolicy().verticalPolicy(), QSizePolicy::Fixed);
    QCOMPARE(dialog.selectedColor(), QColor(255, 255, 255));
    const Popup p = popupOf(&dialog);
    QVERIFY(p.table && p.slider && p.ok && p.cancel);
    QVERIFY(!p.pick && !p.entry);
    QCOMPARE(p.table->parentWidget(), dialog.centralWidget());
}

void TestSkinColorPicker::dialogLayout()
{
    SkinColorDialog dialog;
    dialog.show();
    const int w = dialog.centralWidget()->width();
    const int h = dialog.centralWidget()->height();
    QVERIFY(w > 150 && h > 100);
    const Popup p = popupOf(&dialog);
    QCOMPARE(p.table->geometry(), QRect(5, 4, w - 10, h - 56));
    QCOMPARE(p.slider->geometry(), QRect(5, h - 48, w - 10, 20));
    QCOMPARE(p.ok->geometry(), QRect(w - 150, h - 25, 70, 20));
    QCOMPARE(p.cancel->geometry(), QRect(w - 75, h - 25, 70, 20));
    dialog.close();
}

void TestSkinColorPicker::dialogOkReturnsTheSliderColour()
{
    SkinColorDialog dialog;
    dialog.setSelectedColor(QColor(0xff, 0x99, 0x00));
    const Popup p = popupOf(&dialog);
    QCOMPARE(p.table->selectedIndex(), 9);
    QCOMPARE(p.slider->selectedColor(), QColor(0xff, 0x99, 0x00));

    QStringList log;
    connect(&dialog, qOverload<const QColor &>(&SkinColorDialog::selectedColorChanged), this,
            [&log](const QColor &c) { log.append("changed " + argb(c)); });
    connect(&dialog, qOverload<>(&SkinColorDialog::selectedColorChanged), this, [&log] { log.append("changed"); });
    SkinDialog::ScopedAnswerHook hook([&p](SkinDialog *d) {
        p.table->resize(161, 141);
        clickSwatch(p.table, 13);
        p.ok->click();
        return d->result();
    });
    QCOMPARE(dialog.exec(), 1);
    QCOMPARE(dialog.selectedColor(), QColor(0x2b, 0x78, 0xe4));
    QCOMPARE(log, QStringList({"changed #ff2b78e4", "changed"}));
}

void TestSkinColorPicker::dialogCancelTakesNothing()
{
    SkinColorDialog dialog;
    dialog.setSelectedColor(QColor(1, 2, 3));
    QSignalSpy changed(&dialog, qOverload<>(&SkinColorDialog::selectedColorChanged));
    const Popup p = popupOf(&dialog);
    SkinDialog::ScopedAnswerHook hook([&p](SkinDialog *d) {
        p.cancel->click();
        return d->result();
    });
    QCOMPARE(dialog.exec(), 2);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(dialog.selectedColor(), QColor(1, 2, 3));
}

void TestSkinColorPicker::dialogDoubleClickOnlySelects()
{
    SkinColorDialog dialog;
    dialog.show();
    const Popup p = popupOf(&dialog);
    QSignalSpy changed(&dialog, qOverload<>(&SkinColorDialog::selectedColorChanged));
    clickSwatch(p.table, 20);
    doubleClickAt(p.table, p.table->cellRect(20).center());
    QVERIFY(dialog.isVisible());
    QCOMPARE(changed.count(), 0);
    QCOMPARE(p.slider->selectedColor(), QColor(0xa2, 0xc4, 0xc9));
    dialog.close();
}

// Without the hook: OK ends the dialog's own event loop with 1.
void TestSkinColorPicker::dialogRunsModally()
{
    SkinColorDialog dialog;
    dialog.setSelectedColor(QColor(0x99, 0x00, 0xff));
    bool pressed = false;
    skintest::whenModal([&](QWidget *modal) {
        pressed = modal == &dialog;
        popupOf(&dialog).ok->click();
    });
    QCOMPARE(dialog.exec(), 1);
    QVERIFY(pressed);
    QCOMPARE(dialog.selectedColor(), QColor(0x99, 0x00, 0xff));
}

QTEST_MAIN(TestSkinColorPicker)
#include "tst_skincolorpicker.moc"
