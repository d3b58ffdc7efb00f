// The brush picker: its swatch (brushes mapped onto it, the no-colour look,
// the pressed look), the popup's layout, and which ways of leaving the
// popup take the editor's brush and report it, once.
#include "skin/controls/skinbrushcontrol.h"
#include "skin/controls/skinbrushpicker.h"
#include "skin/controls/skincolorpicker.h"
#include "skin/controls/skincolortable.h"
#include "skin/controls/skingradientslider.h"
#include "skin/windows/skintabcontrol.h"
#include "skin/windows/skintheme.h"

#include "controlevents.h"
#include "skinfixture.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

#include <memory>

namespace {

QString brushText(const SkinBrush &brush)
{
    QStringList stops;
    for (const SkinGradientStop &stop : brush.stops().stops())
        stops.append(QString::number(stop.position(), 'g', 4) + ":" + stop.color().name(QColor::HexArgb));
    return QStringLiteral("%1 [%2]").arg(brush.type()).arg(stops.join(' '));
}

// The picker's signals in the order they arrive.
class PickerLog : public QObject
{
public:
    explicit PickerLog(SkinBrushPicker *picker)
    {
        connect(picker, qOverload<>(&SkinBrushPicker::selectedBrushChanged), this,
                [this] { entries.append("changed"); });
        connect(picker, qOverload<const SkinBrush &>(&SkinBrushPicker::selectedBrushChanged), this,
                [this](const SkinBrush &b) { entries.append("changed " + brushText(b)); });
        connect(picker, &SkinBrushPicker::colorPicking, this, [this] { entries.append("picking"); });
        connect(picker, &SkinBrushPicker::gradientColorPicking, this,
                [this](SkinColorPicker *p) { pickers.append(p); });
    }

    QStringList entries;
    QList<SkinColorPicker *> pickers;
};

struct Popup {
    QWidget *window = nullptr;
    SkinBrushControl *editor = nullptr;
    QPushButton *ok = nullptr;
    QPushButton *cancel = nullptr;
};

Popup popupOf(SkinBrushPicker *picker)
{
    Popup p;
    p.window = picker->findChild<QWidget *>(QStringLiteral("popupWindow"), Qt::FindDirectChildrenOnly);
    p.editor = picker->brushControl();
    for (QPushButton *button : p.window->findChildren<QPushButton *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (button->text() == QStringLiteral("OK"))
            p.ok = button;
        else if (button->text() == QStringLiteral("Cancel"))
            p.cancel = button;
    }
    return p;
}

SkinGradientSlider *stopBar(SkinBrushControl *editor, int page)
{
    return editor->tabControl()->pages().at(page)->findChild<SkinGradientSlider *>();
}

} // namespace

class TestSkinBrushPicker : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void startsTransparent();
    void setSelectedBrushEmitsNothing();
    void popupLayout_data();
    void popupLayout();
    void okTakesTheEditedBrushOnce();
    void cancelKeepsTheOldBrush();
    void swatchDoubleClickTakesItSingleClickDoesNot();
    void pickRequestsArePassedOn();
    void ownerHandsAPickedColourBack();
    void swatchPainting_data();
    void swatchPainting();
    void rightClickOnlyFlashes();

private:
    std::unique_ptr<SkinBrushPicker> makePicker(const SkinBrush &brush);
    Popup openPopup(SkinBrushPicker *picker);
};

void TestSkinBrushPicker::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    qRegisterMetaType<SkinBrush>();
    setSkinThemeStyle(Gray);
}

void TestSkinBrushPicker::cleanup()
{
    while (QWidget *popup = QApplication::activePopupWidget())
        popup->close();
}

std::unique_ptr<SkinBrushPicker> TestSkinBrushPicker::makePicker(const SkinBrush &brush)
{
    auto picker = std::make_unique<SkinBrushPicker>();
    picker->setGeometry(200, 200, 49, 16);
    picker->setSelectedBrush(brush);
    return picker;
}

Popup TestSkinBrushPicker::openPopup(SkinBrushPicker *picker)
{
    pressAt(picker, QPointF(5, 5));
    releaseAt(picker, QPointF(5, 5));
    return popupOf(picker);
}

void TestSkinBrushPicker::startsTransparent()
{
    SkinBrushPicker picker;
    QCOMPARE(picker.selectedBrush(), SkinBrush());
    QCOMPARE(picker.popupRect(), QRect(QPoint(0, 0), QPoint(149, 149)));
    QVERIFY(picker.testAttribute(Qt::WA_NoMousePropagation));
    const Popup p = popupOf(&picker);
    QVERIFY(p.window && p.editor && p.ok && p.cancel);
    QVERIFY(p.window->windowFlags() & Qt::Popup);
    QVERIFY(!p.window->isVisible());
    QCOMPARE(p.editor->parentWidget(), p.window);
    QCOMPARE(p.editor->brushPicker(), &picker);
}

void TestSkinBrushPicker::setSelectedBrushEmitsNothing()
{
    auto picker = makePicker(SkinBrush::blackBrush());
    PickerLog log(picker.get());
    const SkinBrush linear(Qt::red, Qt::blue, true);
    picker->setSelectedBrush(linear);
    QCOMPARE(picker->selectedBrush(), linear);
    QCOMPARE(log.entries, QStringList());
    // The editor takes it at the opening, on the page of its type.
    const Popup p = popupOf(picker.get());
    QCOMPARE(p.editor->tabControl()->currentIndex(), 0);
    openPopup(picker.get());
    QCOMPARE(p.editor->tabControl()->currentIndex(), 1);
    QCOMPARE(p.editor->selectedBrush(), linear);
    QCOMPARE(log.entries, QStringList());
}

void TestSkinBrushPicker::popupLayout_data()
{
    QTest::addColumn<QRect>("popupRect");
    QTest::addColumn<QRect>("editor");
    QTest::addColumn<QRect>("ok");
    QTest::addColumn<QRect>("cancel");
    QTest::newRow("default") << QRect(0, 0, 150, 150) << QRect(0, 0, 150, 122) << QRect(0, 125, 70, 20)
                             << QRect(75, 125, 70, 20);
    // The stroke picker of the design panel opens 67 pixels to the left.
    QTest::newRow("design panel") << QRect(-67, 0, 188, 180) << QRect(0, 0, 188, 152) << QRect(38, 155, 70, 20)
                                  << QRect(113, 155, 70, 20);
}

void TestSkinBrushPicker::popupLayout()
{
    QFETCH(QRect, popupRect);
    QFETCH(QRect, editor);
    QFETCH(QRect, ok);
    QFETCH(QRect, cancel);
    auto picker = makePicker(SkinBrush::blackBrush());
    picker->setPopupRect(popupRect);
    QCOMPARE(picker->popupRect(), popupRect);
    const Popup p = openPopup(picker.get());
    QVERIFY(p.window->isVisible());
    QCOMPARE(p.window->geometry(), popupRect.translated(picker->mapToGlobal(QPoint(0, 15))));
    QCOMPARE(p.editor->geometry(), editor);
    QCOMPARE(p.ok->geometry(), ok);
    QCOMPARE(p.cancel->geometry(), cancel);
}

// Edits in the popup stay there until OK, which reports the brush the
// editor composes then.
void TestSkinBrushPicker::okTakesTheEditedBrushOnce()
{
    auto picker = makePicker(SkinBrush(Qt::red, Qt::blue, true));
    picker->setPopupRect(QRect(-67, 0, 188, 180));
    const Popup p = openPopup(picker.get());
    PickerLog log(picker.get());
    SkinGradientSlider *stops = stopBar(p.editor, 1);
    // Add a stop and drag it (the span is 170 pixels).
    pressAt(stops, QPointF(90, 32));
    moveTo(stops, QPointF(107, 32), Qt::LeftButton);
    releaseAt(stops, QPointF(107, 32));
    QCOMPARE(log.entries, QStringList());
    QCOMPARE(picker->selectedBrush(), SkinBrush(Qt::red, Qt::blue, true));

    p.ok->click();
    QCOMPARE(log.entries, QStringList({"changed", "changed 1 [0:#ffff0000 0.6:#ff0000ff 1:#ff0000ff]"}));
    QVERIFY(!p.window->isVisible());
    QCOMPARE(brushText(picker->selectedBrush()), QStringLiteral("1 [0:#ffff0000 0.6:#ff0000ff 1:#ff0000ff]"));
}

void TestSkinBrushPicker::cancelKeepsTheOldBrush()
{
    const SkinBrush old(QColor(0xcf, 0x2a, 0x27));
    auto picker = makePicker(old);
    Popup p = openPopup(picker.get());
    PickerLog log(picker.get());
    p.editor->tabControl()->setCurrentIndex(2);
    SkinColorTable *table = p.editor->tabControl()->pages().at(0)->findChild<SkinColorTable *>();
    p.editor->tabControl()->setCurrentIndex(0);
    pressAt(table, table->cellRect(13).center());
    QCOMPARE(p.editor->selectedBrush(), SkinBrush(QColor(0x2b, 0x78, 0xe4)));
    p.cancel->click();
    QVERIFY(!p.window->isVisible());
    QCOMPARE(log.entries, QStringList());
    QCOMPARE(picker->selectedBrush(), old);

    p = openPopup(picker.get());
    QCOMPARE(p.editor->selectedBrush(), old);
    QCOMPARE(table->selectedIndex(), 8);
}

void TestSkinBrushPicker::swatchDoubleClickTakesItSingleClickDoesNot()
{
    auto picker = makePicker(SkinBrush::blackBrush());
    const Popup p = openPopup(picker.get());
    SkinColorTable *table = p.editor->tabControl()->pages().at(0)->findChild<SkinColorTable *>();
    PickerLog log(picker.get());
    const QPointF cell = table->cellRect(10).center();
    pressAt(table, cell);
    releaseAt(table, cell);
    QCOMPARE(log.entries, QStringList());
    QVERIFY(p.window->isVisible());
    doubleClickAt(table, cell);
    QCOMPARE(log.entries, QStringList({"changed", "changed 0 [0:#ffffff00 1:#ffffff00]"}));
    QVERIFY(!p.window->isVisible());
    QCOMPARE(picker->selectedBrush(), SkinBrush(QColor(Qt::yellow)));
}

void TestSkinBrushPicker::pickRequestsArePassedOn()
{
    auto picker = makePicker(SkinBrush::blackBrush());
    const Popup p = openPopup(picker.get());
    PickerLog log(picker.get());
    emit p.editor->colorPicking();
    auto *gradientPicker = p.editor->tabControl()->pages().at(2)->findChild<SkinColorPicker *>();
    emit p.editor->gradientColorPicking(gradientPicker);
    QCOMPARE(log.entries, QStringList({"picking"}));
    QCOMPARE(log.pickers, QList<SkinColorPicker *>({gradientPicker}));
    // The owner closes the popup itself.
    QVERIFY(p.window->isVisible());
    QVERIFY(picker->closePopup());
    QVERIFY(!p.window->isVisible());
}

// How the main window hands back a colour picked from the page.
void TestSkinBrushPicker::ownerHandsAPickedColourBack()
{
    auto picker = makePicker(SkinBrush::blackBrush());
    openPopup(picker.get());
    picker->closePopup();
    PickerLog log(picker.get());
    picker->brushControl()->setSelectedBrush(SkinBrush(QColor(10, 20, 30)));
    picker->onSelectedBrushChanged();
    QCOMPARE(log.entries, QStringList({"changed", "changed 0 [0:#ff0a141e 1:#ff0a141e]"}));
    QCOMPARE(picker->selectedBrush(), SkinBrush(QColor(10, 20, 30)));
}

void TestSkinBrushPicker::swatchPainting_data()
{
    QTest::addColumn<SkinBrush>("brush");
    QTest::addColumn<bool>("noColour");
    QTest::newRow("solid") << SkinBrush(QColor(Qt::red)) << false;
    QTest::newRow("gradient") << SkinBrush(Qt::red, Qt::blue, true) << false;
    QTest::newRow("transparent") << SkinBrush() << true;
    SkinBrush clearGradient(SkinBrushRadial, SkinGradient(QColor(Qt::transparent)));
    QTest::newRow("transparent gradient") << clearGradient << true;
    QTest::newRow("image without picture") << SkinBrush(SkinBrushImage) << true;
}

void TestSkinBrushPicker::swatchPainting()
{
    QFETCH(SkinBrush, brush);
    QFETCH(bool, noColour);
    auto picker = makePicker(brush);
    const QImage image = paintedImage(picker.get());
    // The inner field (3, 3) to (44, 11), outlined.
    QCOMPARE(image.pixelColor(3, 8), skinButtonPressedBorderColor);
    QCOMPARE(image.pixelColor(20, 3), skinButtonPressedBorderColor);
    if (noColour) {
        QCOMPARE(image.pixelColor(6, 5), QColor(Qt::white));
        QCOMPARE(image.pixelColor(42, 10), QColor(Qt::white));
        QVERIFY(skintest::countColour(image, Qt::red, QRect(QPoint(4, 9), QPoint(12, 12))) > 0);
        QVERIFY(skintest::countColour(image, Qt::red, QRect(QPoint(37, 4), QPoint(45, 7))) > 0);
        return;
    }
    // Gradients are mapped onto the swatch: red at its left, blue at its
    // right for the linear one.
    const QColor left = image.pixelColor(5, 8);
    const QColor right = image.pixelColor(43, 8);
    if (brush.type() == SkinBrushSolid) {
        QCOMPARE(left, QColor(Qt::red));
        QCOMPARE(right, QColor(Qt::red));
    } else {
        QVERIFY(left.red() > 200 && left.blue() < 55);
        QVERIFY(right.blue() > 200 && right.red() < 55);
    }
}

void TestSkinBrushPicker::rightClickOnlyFlashes()
{
    auto picker = makePicker(SkinBrush::blackBrush());
    pressAt(picker.get(), QPointF(5, 5), Qt::RightButton);
    QCOMPARE(paintedImage(picker.get()).pixelColor(1, 1), skinButtonPressedTopColor);
    releaseAt(picker.get(), QPointF(5, 5), Qt::RightButton);
    QVERIFY(paintedImage(picker.get()).pixelColor(1, 1) != skinButtonPressedTopColor);
    QVERIFY(!popupOf(picker.get()).window->isVisible());
}

QTEST_MAIN(TestSkinBrushPicker)
#include "tst_skinbrushpicker.moc"
