// The five-page brush editor: its pages and layout, showing a brush without
// a signal, composing the brush of the current page (opacity 1, image bytes
// only for images), the signal pairs of every child's edit in their order,
// the RGB entry, the palette menu and context button, taking out the image
// page, and a brush without stops.
#include "skin/controls/skinbrushcontrol.h"
#include "skin/controls/skinbrushpreview.h"
#include "skin/controls/skincolorpicker.h"
#include "skin/controls/skincolorslider.h"
#include "skin/controls/skincolortable.h"
#include "skin/controls/skingradientslider.h"
#include "skin/controls/skinimagecontrol.h"
#include "skin/windows/skinmessagebox.h"
#include "skin/windows/skintabcontrol.h"
#include "skin/windows/skintheme.h"

#include "controlevents.h"

#include <QAction>
#include <QBuffer>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <memory>

namespace {

const QString redEntryStyle = QStringLiteral("QLineEdit{background:rgb(250,50,50); color: black;}");

// The strip of a 188-wide editor's stop bars: 182 wide, a span of 170.
constexpr int StripY = 32;

int tipX(float position)
{
    return int(170.0f * position + 6.5f);
}

QString number(double value)
{
    return QString::number(value, 'g', 4);
}

// "type [position:colour ...] c(x,y) f(x,y) t(x,y) o<opacity> i<image bytes>"
QString brushText(const SkinBrush &brush)
{
    QStringList stops;
    for (const SkinGradientStop &stop : brush.stops().stops())
        stops.append(number(stop.position()) + ":" + stop.color().name(QColor::HexArgb));
    const auto point = [](const QPointF &p) { return QStringLiteral("(%1,%2)").arg(number(p.x()), number(p.y())); };
    return QStringLiteral("%1 [%2] c%3 f%4 t%5 o%6 i%7")
        .arg(brush.type())
        .arg(stops.join(' '))
        .arg(point(brush.center()), point(brush.from()), point(brush.to()), number(brush.opacity()))
        .arg(brush.imageData().size());
}

// The editor's signals in the order they arrive.
class ControlLog : public QObject
{
public:
    explicit ControlLog(SkinBrushControl *control)
    {
        connect(control, qOverload<>(&SkinBrushControl::selectedBrushChanged), this,
                [this] { entries.append("changed"); });
        connect(control, qOverload<const SkinBrush &>(&SkinBrushControl::selectedBrushChanged), this,
                [this](const SkinBrush &b) { entries.append("changed " + brushText(b)); });
        connect(control, qOverload<>(&SkinBrushControl::selectedBrushChanging), this,
                [this] { entries.append("changing"); });
        connect(control, qOverload<const SkinBrush &>(&SkinBrushControl::selectedBrushChanging), this,
                [this](const SkinBrush &b) { entries.append("changing " + brushText(b)); });
        connect(control, qOverload<>(&SkinBrushControl::selectedBrushAccepted), this,
                [this] { entries.append("accepted"); });
        connect(control, qOverload<const SkinBrush &>(&SkinBrushControl::selectedBrushAccepted), this,
                [this](const SkinBrush &b) { entries.append("accepted " + brushText(b)); });
        connect(control, &SkinBrushControl::colorPicking, this, [this] { entries.append("picking"); });
        connect(control, &SkinBrushControl::gradientColorPicking, this,
                [this](SkinColorPicker *picker) { pickers.append(picker); });
    }

    // Only the signal names, without the brushes.
    QStringList names() const
    {
        QStringList result;
        for (const QString &entry : entries)
            result.append(entry.section(' ', 0, 0));
        return result;
    }

    QStringList entries;
    QList<SkinColorPicker *> pickers;
};

// The child controls, found page by page.
struct Parts {
    SkinTabControl *tabs = nullptr;
    QList<QWidget *> pages;
    SkinColorTable *table = nullptr;
    SkinColorSlider *slider = nullptr;
    QPushButton *pick = nullptr;
    QPushButton *rgb = nullptr;
    QLineEdit *entry = nullptr;
    SkinGradientSlider *stops[3] = {};
    SkinColorPicker *pickers[3] = {};
    SkinBrushPreview *previews[3] = {};
    SkinImageControl *image = nullptr;
    QList<QAction *> palette;
};

Parts partsOf(SkinBrushControl *control)
{
    Parts p;
    p.tabs = control->tabControl();
    p.pages = p.tabs->pages();
    QWidget *solid = p.pages.at(0);
    p.table = solid->findChild<SkinColorTable *>();
    p.slider = solid->findChild<SkinColorSlider *>();
    const QList<QPushButton *> buttons = solid->findChildren<QPushButton *>();
    p.pick = buttons.value(0);
    p.rgb = buttons.value(1);
    p.entry = solid->findChild<QLineEdit *>();
    for (int i = 0; i < 3; ++i) {
        QWidget *page = p.pages.at(i + 1);
        p.stops[i] = page->findChild<SkinGradientSlider *>(QString(), Qt::FindDirectChildrenOnly);
        p.pickers[i] = page->findChild<SkinColorPicker *>(QString(), Qt::FindDirectChildrenOnly);
        p.previews[i] = page->findChild<SkinBrushPreview *>(QString(), Qt::FindDirectChildrenOnly);
    }
    p.image = p.pages.at(4)->findChild<SkinImageControl *>();
    p.palette = p.tabs->contextMenu()->actions();
    return p;
}

void clickAt(QWidget *widget, const QPointF &pos, Qt::MouseButton button = Qt::LeftButton)
{
    pressAt(widget, pos, button);
    releaseAt(widget, pos, button);
}

void clickTab(const Parts &p, int index)
{
    clickAt(p.tabs, p.tabs->tabRect(index).center());
}

void clickSwatch(SkinColorTable *table, int index)
{
    clickAt(table, table->cellRect(index).center());
}

SkinBrush gradientBrush(int type)
{
    SkinGradient stops(QColor(Qt::red));
    stops.setLastColor(Qt::blue);
    stops.insert(1, 0.4f, Qt::green);
    SkinBrush brush(type, stops);
    brush.setCenter(QPointF(0.25, 0.75));
    brush.setFrom(QPointF(0.1, 0.2));
    brush.setTo(QPointF(0.9, 0.8));
    return brush;
}

QByteArray pngBytes(const QSize &size)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

class TestSkinBrushControl : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void construction();
    void layout();
    void setSelectedBrushEmitsNothing_data();
    void setSelectedBrushEmitsNothing();
    void setSelectedBrushFillsEveryPage();
    void switchingPagesEmitsThePageBrush_data();
    void switchingPagesEmitsThePageBrush();
    void emittedBrushesHaveFullOpacity();
    void withoutImagePageAnImageShowsConical();
    void takingOutTheCurrentImagePage();
    void swatchesAndSlider();
    void solidPageReportsOnlyOnScreen();
    void pickButtonAsksForAColour();
    void rgbEntryOpensAndCloses_data();
    void rgbEntryOpensAndCloses();
    void swatchWhileEntryOpenOnlyRewritesIt();
    void confirmingATypedColour();
    void rejectedTextStaysRed();
    void paletteMenu();
    void contextButtonFollowsThePage();
    void addingAStopEmitsNothing();
    void trackerDragAndDelete();
    void trackerClickOpensTheStopColour();
    void stopColourRecoloursAndThenRefreshes();
    void stopColourPicking();
    void previewHandleDrag();
    void imageChosenIsChangedThenAccepted();
    void brushWithoutStopsShowsSafely();

private:
    std::unique_ptr<SkinBrushControl> makeControl(bool show = true);
};

void TestSkinBrushControl::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    qRegisterMetaType<SkinBrush>();
    setSkinThemeStyle(Blue);
}

void TestSkinBrushControl::cleanup()
{
    while (QWidget *popup = QApplication::activePopupWidget())
        popup->close();
    SkinImageControl::setFileDialogHook(SkinImageControl::FileDialogHook());
    SkinMessageBox::setAnswerHook(SkinMessageBox::AnswerHook());
}

// The design panel's fill editor: 188 x 148, on screen.
std::unique_ptr<SkinBrushControl> TestSkinBrushControl::makeControl(bool show)
{
    auto control = std::make_unique<SkinBrushControl>();
    control->resize(188, 148);
    if (show)
        control->show();
    return control;
}

void TestSkinBrushControl::construction()
{
    SkinBrushControl control;
    const Parts p = partsOf(&control);
    QCOMPARE(p.pages.size(), 5);
    for (QWidget *page : p.pages)
        QCOMPARE(page->windowIcon().actualSize(QSize(100, 100)), QSize(19, 12));
    QCOMPARE(p.tabs->currentIndex(), 0);
    QVERIFY(p.table && p.slider && p.pick && p.rgb && p.entry && p.image);
    for (int i = 0; i < 3; ++i) {
        QVERIFY(p.stops[i] && p.pickers[i] && p.previews[i]);
        QCOMPARE(p.pickers[i]->brushControl(), &control);
        QCOMPARE(p.previews[i]->previewType(), i + 1);
    }
    QVERIFY(p.entry->isHidden());
    QVERIFY(p.tabs->contextButton()->isHidden());
    QVERIFY(!control.isContextButtonVisible());
    QVERIFY(control.isImageBrushEnabled());
    QVERIFY(!control.brushPicker());
    QVERIFY(control.testAttribute(Qt::WA_MouseTracking));

    QCOMPARE(p.palette.size(), 3);
    QStringList texts;
    QList<bool> checked;
    for (QAction *action : p.palette) {
        QVERIFY(action->isCheckable());
        texts.append(action->text());
        checked.append(action->isChecked());
    }
    QCOMPARE(texts, QStringList({"General", "Human", "Nature"}));
    QCOMPARE(checked, QList<bool>({true, false, false}));
    QCOMPARE(p.table->paletteNumber(), 0);

    QCOMPARE(p.pick->toolTip(), QStringLiteral("Pick Color"));
    QCOMPARE(p.rgb->toolTip(), QStringLiteral("Custom RGB Color"));
    for (QPushButton *button : {p.pick, p.rgb}) {
        QVERIFY(!button->icon().isNull());
        QVERIFY(button->testAttribute(Qt::WA_NoMousePropagation));
        QCOMPARE(button->cursor().shape(), Qt::ArrowCursor);
    }
}

void TestSkinBrushControl::layout()
{
    auto control = makeControl();
    const Parts p = partsOf(control.get());
    QCOMPARE(p.tabs->geometry(), QRect(0, 0, 188, 148));
    QCOMPARE(p.table->geometry(), QRect(4, 4, 178, 94));
    QCOMPARE(p.slider->geometry(), QRect(4, 102, 132, 20));
    QCOMPARE(p.pick->geometry(), QRect(139, 102, 20, 20));
    QCOMPARE(p.rgb->geometry(), QRect(162, 102, 20, 20));
    QCOMPARE(p.entry->geometry(), QRect(4, 102, 132, 20));
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(p.stops[i]->geometry(), QRect(2, 4, 182, 40));
        QCOMPARE(p.pickers[i]->geometry(), QRect(8, 48, 50, 0));
        QCOMPARE(p.pickers[i]->popupRect(), QRect(-9, 0, 185, 150));
        QCOMPARE(p.previews[i]->geometry(), QRect(2, 46, 182, 78));
    }
    QCOMPARE(p.image->geometry(), QRect(4, 4, 178, 119));
}

void TestSkinBrushControl::setSelectedBrushEmitsNothing_data()
{
    QTest::addColumn<SkinBrush>("brush");
    QTest::addColumn<int>("page");
    SkinBrush image(SkinBrushImage);
    image.setImageData(pngBytes(QSize(3, 3)));
    QTest::newRow("solid") << SkinBrush(QColor(Qt::red)) << 0;
    QTest::newRow("linear") << gradientBrush(SkinBrushLinear) << 1;
    QTest::newRow("radial") << gradientBrush(SkinBrushRadial) << 2;
    QTest::newRow("conical") << gradientBrush(SkinBrushConical) << 3;
    QTest::newRow("image") << image << 4;
    SkinBrush unknown(QColor(Qt::red));
    unknown.setType(9);
    QTest::newRow("unknown type") << unknown << 0;
}

void TestSkinBrushControl::setSelectedBrushEmitsNothing()
{
    QFETCH(SkinBrush, brush);
    QFETCH(int, page);
    auto control = makeControl();
    const Parts p = partsOf(control.get());
    clickTab(p, 2);
    ControlLog log(control.get());
    QSignalSpy pageSwitches(p.tabs, &SkinTabControl::selectedIndexChanged);
    control->setSelectedBrush(brush);
    QCOMPARE(p.tabs->currentIndex(), page);
    QVERIFY(p.pages.at(page)->isVisible());
    QCOMPARE(log.entries, QStringList());
    QCOMPARE(pageSwitches.count(), 0);
}

void TestSkinBrushControl::setSelectedBrushFillsEveryPage()
{
    auto control = makeControl();
    const Parts p = partsOf(control.get());
    SkinBrush brush = gradientBrush(SkinBrushRadial);
    const QColor first(0xcf, 0x2a, 0x27);
    brush.stops().setFirstColor(first);
    brush.setImageData(pngBytes(QSize(2, 2)));
    // Each page's stop bar had another stop selected.
    for (int i = 0; i < 3; ++i) {
        p.stops[i]->setGradient(SkinGradient(Qt::yellow));
        clickAt(p.stops[i], QPointF(tipX(1.0f), StripY));
    }
    control->setSelectedBrush(brush);

    QCOMPARE(p.table->selectedIndex(), 8);
    QCOMPARE(p.slider->selectedColor(), first);
    QCOMPARE(p.entry->text(), QStringLiteral("#CF2A27"));
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(p.stops[i]->gradient(), brush.stops());
        QCOMPARE(p.stops[i]->selectedIndex(), 0);
        QCOMPARE(p.pickers[i]->selectedColor(), first);
        SkinBrush shown = brush;
        shown.setType(i + 1);
        QCOMPARE(p.previews[i]->brush(), shown);
    }
    QCOMPARE(p.image->brush().imageData(), brush.imageData());
}

void TestSkinBrushControl::switchingPagesEmitsThePageBrush_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("brush");
    // A solid colour becomes a two-stop gradient of that colour, with the
    // default points.
    QTest::newRow("linear") << 1 << "1 [0:#ffff0000 1:#ffff0000] c(0.5,0.5) f(0,0.5) t(1,0.5) o1 i0";
    QTest::newRow("radial") << 2 << "2 [0:#ffff0000 1:#ffff0000] c(0.5,0.5) f(0,0.5) t(1,0.5) o1 i0";
    QTest::newRow("conical") << 3 << "3 [0:#ffff0000 1:#ffff0000] c(0.5,0.5) f(0,0.5) t(1,0.5) o1 i0";
    QTest::newRow("image") << 4 << "4 [0:#00000000 1:#00000000] c(0.5,0.5) f(0,0.5) t(1,0.5) o1 i0";
}

void TestSkinBrushControl::switchingPagesEmitsThePageBrush()
{
    QFETCH(int, page);
    QFETCH(QString, brush);
    auto control = makeControl();
    const Parts p = partsOf(control.get());
    control->setSelectedBrush(SkinBrush(QColor(Qt::red)));
    ControlLog log(control.get());
    clickTab(p, page);
    QCOMPARE(log.entries, QStringList({"changed", "changed " + brush}));
    QCOMPARE(brushText(control->selectedBrush()), brush);

    // And back: the solid colour again.
    clickTab(p, 0);
    QCOMPARE(log.entries.mid(2),
             QStringList({"changed", "changed 0 [0:#ffff0000 1:#ffff0000] c(0.5,0.5) f(0,0.5) t(1,0.5) o1 i0"}));
}

// The editor does not edit opacity: whatever it was shown, it emits 1; an
// image goes out with its bytes and nothing else of the brush shown.
void TestSkinBrushControl::emittedBrushesHaveFullOpacity()
{
    auto control = makeControl();
    const Parts p = partsOf(control.get());
    SkinBrush brush = gradientBrush(SkinBrushLinear);
    brush.setOpacity(0.3f);
    brush.setImageData(pngBytes(QSize(2, 2)));
    const int bytes = brush.imageData().size();
    control->setSelectedBrush(brush);
    ControlLog log(control.get());
    control->onSelectedBrushChanged();
    QCOMPARE(log.entries.at(1),
             "changed 1 [0:#ffff0000 0.4:#ff00ff00 1:#ff0000ff] c(0.25,0.75) f(0.1,0.2) t(0.9,0.8) o1 i0");
    clickTab(p, 4);
    QCOMPARE(log.entries.at(3),
             QStringLiteral("changed 4 [0:#00000000 1:#00000000] c(0.5,0.5) f(0,0.5) t(1,0.5) o1 i%1").arg(bytes));
    clickTab(p, 0);
    QCOMPARE(log.entries.at(5), "changed 0 [0:#ffff0000 1:#ffff0000] c(0.5,0.5) f(0,0.5) t(1,0.5) o1 i0");
}

// The stroke's editor has no image page: an image brush shows (and then
// emits) the conical page, where the tab control clamps the index.
void TestSkinBrushControl::withoutImagePageAnImageShowsConical()
{
    auto control = makeControl();
    Parts p = partsOf(control.get());
    control->setImageBrushEnabled(false);
    QVERIFY(!control->isImageBrushEnabled());
    QCOMPARE(p.tabs->pages().size(), 4);
    control->setImageBrushEnabled(true);
    QCOMPARE(p.tabs->pages().size(), 4);

    SkinBrush image(SkinBrushImage);
    image.setImageData(pngBytes(QSize(2, 2)));
    ControlLog log(control.get());
    control->setSelectedBrush(image);
    QCOMPARE(p.tabs->currentIndex(), 3);
    control->onSelectedBrushChanged();
    QCOMPARE(log.entries.at(1).left(10), QStringLiteral("changed 3 "));
}

void TestSkinBrushControl::takingOutTheCurrentImagePage()
{
    auto control = makeControl();
    Parts p = partsOf(control.get());
    clickTab(p, 4);
    QWidget *imagePage = p.pages.at(4);
    control->setImageBrushEnabled(false);
    QCOMPARE(p.tabs->currentIndex(), 3);
    QVERIFY(!imagePage->isVisible());
    QVERIFY(p.pages.at(3)->isVisible());
    QVERIFY(p.tabs->tabRect(4).isNull());
    // The page widget itself is kept.
    QCOMPARE(imagePage->parentWidget(), p.tabs);
}

void TestSkinBrushControl::swatchesAndSlider()
{
    auto control = makeControl();
    const Parts p = partsOf(control.get());
    ControlLog log(control.get());
    clickSwatch(p.table, 13);
    QCOMPARE(log.entries, QStringList({"changed", "changed 0 [0:#ff2b78e4 1:#ff2b78e4] c(0.5,0.5) f(0,0.5) t(1,0.5) o1 i0"}));
    QCOMPARE(p.entry->text(), QStringLiteral("#2B78E4"));

    log.entries.clear();
    doubleClickAt(p.table, p.table->cellRect(13).center());
    QCOMPARE(log.entries,
             QStringList({"accepted", "accepted 0 [0:#ff2b78e4 1:#ff2b78e4] c(0.5,0.5) f(0,0.5) t(1,0.5) o1 i0"}));

    log.entries.clear();
    pressAt(p.slider, QPointF(30, 10));
    moveTo(p.slider, QPointF(40, 10), Qt::LeftButton);
    releaseAt(p.slider, QPointF(40, 10));
    QCOMPARE(log.names(), QStringList({"changing", "changing", "changing", "changing", "changed", "changed"}));
    QCOMPARE(log.entries.last(), "changed " + brushText(SkinBrush(p.slider->selectedColor())));
    QCOMPARE(p.entry->text(), p.slider->selectedColor().name().toUpper());
}

// The changed pair of the solid page waits for the slider to be on screen.
void TestSkinBrushControl::solidPageReportsOnlyOnScreen()
{
    auto control = makeControl(false);
    const Parts p = partsOf(control.get());
    p.table->resize(178, 94);
    ControlLog log(control.get());
    clickSwatch(p.table, 13);
    QCOMPARE(log.entries, QStringList());
    QCOMPARE(p.entry->text(), QStringLiteral("#2B78E4"));
    control->show();
    control->onSelectedBrushChanged();
    QCOMPARE(log.names(), QStringList({"changed", "changed"}));
}

void TestSkinBrushControl::pickButtonAsksForAColour()
{
    auto control = makeControl();
    const Parts p = partsOf(control.get());
    ControlLog log(control.get());
    p.pick->click();
    QCOMPARE(log.entries, QStringList({"picking"}));
}

void TestSkinBrushControl::rgbEntryOpensAndCloses_data()
{
    QTest::addColumn<QColor>("color");
    QTest::addColumn<QString>("text");
    QTest::newRow("opaque") << QColor(0x12, 0xab, 0xcd) << "#12ABCD";
    QTest::newRow("with alpha") << QColor(0xff, 0, 0, 0x80) << "#80FF0000";
}

void TestSkinBrushControl::rgbEntryOpensAndCloses()
{
    QFETCH(QColor, color);
    QFETCH(QString, text);
    auto control = makeControl();
    const Parts p = partsOf(control.get());
    control->setSelectedBrush(SkinBrush(color));
    ControlLog log(control.get());
    p.rgb->click();
    QVERIFY(p.entry->isVisible());
    QVERIFY(!p.slider->isVisible());
    QCOMPARE(p.entry->text(), text);
    QCOMPARE(p.pick->toolTip(), QStringLiteral("OK"));
    QCOMPARE(p.rgb->toolTip(), QStringLiteral("Cancel"));
    p.rgb->click();
    QVERIFY(p.slider->isVisible());
    QVERIFY(!p.entry->isVisible());
    QCOMPARE(p.pick->toolTip(), QStringLiteral("Pick Color"));
    QCOMPARE(log.entries, QStringList());
    QCOMPARE(p.slider->selectedColor(), color);
}

void TestSkinBrushControl::swatchWhileEntryOpenOnlyRewritesIt()
{
    auto control = makeControl();
    const Parts p = partsOf(control.get());
    p.rgb->click();
    ControlLog log(control.get());
    clickSwatch(p.table, 9);
    QCOMPARE(p.entry->text(), QStringLiteral("#FF9900"));
    QCOMPARE(log.entries, QStringList());
    doubleClickAt(p.table, p.table->cellRect(9).center());
    QCOMPARE(log.entries,
             QStringList({"accepted", "accepted 0 [0:#ffff9900 1:#ffff9900] c(0.5,0.5) f(0,0.5) t(1,0.5) o1 i0"}));
    QVERIFY(p.entry->isVisible());
}

void TestSkinBrushControl::confirmingATypedColour()
{
    auto control = makeControl();
    const Parts p = partsOf(control.get());
    control->setSelectedBrush(SkinBrush(QColor(0xff, 0x99, 0x00)));
    QCOMPARE(p.table->selectedIndex(), 9);
    p.rgb->click();
    p.entry->setText(QStringLiteral("10,20,30"));
    ControlLog log(control.get());
    p.pick->click();
    QCOMPARE(log.entries, QStringList({"changed", "changed 0 [0:#ff0a141e 1:#ff0a141e] c(0.5,0.5) f(0,0.5) t(1,0.5) o1 i0"}));
    QVERIFY(p.slider->isVisible());
    QVERIFY(!p.entry->isVisible());
    QCOMPARE(p.entry->styleSheet(), QString());
    QCOMPARE(p.pick->toolTip(), QStringLiteral("Pick Color"));
    QCOMPARE(p.table->selectedIndex(), 9);
}

// The red look stays through a cancel and a reopening, until a colour is
// confirmed.
void TestSkinBrushControl::rejectedTextStaysRed()
{
    auto control = makeControl();
    const Parts p = partsOf(control.get());
    p.rgb->click();
    p.entry->setText(QStringLiteral("not a colour"));
    ControlLog log(control.get());
    p.pick->click();
    QVERIFY(p.entry->isVisible());
    QCOMPARE(p.entry->styleSheet(), redEntryStyle);
    p.rgb->click();
    QCOMPARE(p.entry->styleSheet(), redEntryStyle);
    p.rgb->click();
    QCOMPARE(p.entry->styleSheet(), redEntryStyle);
    QCOMPARE(log.entries, QStringList());
    p.entry->setText(QStringLiteral("#336699"));
    p.pick->click();
    QCOMPARE(p.entry->styleSheet(), QString());
    QCOMPARE(log.names(), QStringList({"changed", "changed"}));
}

void TestSkinBrushControl::paletteMenu()
{
    auto control = makeControl();
    const Parts p = partsOf(control.get());
    ControlLog log(control.get());
    p.palette.at(1)->trigger();
    QList<bool> checked;
    for (QAction *action : p.palette)
        checked.append(action->isChecked());
    QCOMPARE(checked, QList<bool>({false, true, false}));
    QCOMPARE(p.table->paletteNumber(), 1);
    // Choosing it again leaves it checked.
    p.palette.at(1)->trigger();
    QVERIFY(p.palette.at(1)->isChecked());
    p.palette.at(2)->trigger();
    QCOMPARE(p.table->paletteNumber(), 2);
    QVERIFY(!p.palette.at(1)->isChecked());
    QCOMPARE(log.entries, QStringList());
}

void TestSkinBrushControl::contextButtonFollowsThePage()
{
    auto control = makeControl();
    const Parts p = partsOf(control.get());
    QToolButton *button = p.tabs->contextButton();
    control->setContextButtonVisible(true);
    QVERIFY(control->isContextButtonVisible());
    QVERIFY(button->isVisible());
    clickTab(p, 1);
    QVERIFY(!button->isVisible());
    clickTab(p, 0);
    QVERIFY(button->isVisible());
    // The setter goes by the flag alone, whatever the page.
    clickTab(p, 2);
    control->setContextButtonVisible(true);
    QVERIFY(button->isVisible());
    clickTab(p, 0);
    control->setContextButtonVisible(false);
    QVERIFY(!button->isVisible());
    clickTab(p, 1);
    clickTab(p, 0);
    QVERIFY(!button->isVisible());
}

// The new stop is part of the next brush the page emits, not before.
void TestSkinBrushControl::addingAStopEmitsNothing()
{
    auto control = makeControl();
    Parts p = partsOf(control.get());
    control->setSelectedBrush(SkinBrush(Qt::red, Qt::blue, true));
    ControlLog log(control.get());
    pressAt(p.stops[0], QPointF(90, StripY));
    releaseAt(p.stops[0], QPointF(90, StripY));
    QCOMPARE(p.stops[0]->gradient().count(), 3);
    QCOMPARE(p.previews[0]->brush().stops().count(), 2);
    // The release over the strip counts as a click on the new stop, which
    // opens its colour popup: nothing is emitted.
    QCOMPARE(log.entries, QStringList());
    p.pickers[0]->closePopup();
    p.pickers[0]->setSelectedColor(Qt::green);
    p.pickers[0]->onSelectedColorChanged();
    QCOMPARE(log.entries.at(1).section(' ', 0, 2), QStringLiteral("changed 1 [0:#ffff0000"));
    QVERIFY(log.entries.at(1).contains(":#ff00ff00 1:#ff0000ff]"));
    QCOMPARE(p.previews[0]->brush().stops().count(), 3);
}

void TestSkinBrushControl::trackerDragAndDelete()
{
    auto control = makeControl();
    Parts p = partsOf(control.get());
    SkinBrush brush = gradientBrush(SkinBrushRadial);
    control->setSelectedBrush(brush);
    SkinGradientSlider *stops = p.stops[1];
    SkinBrushPreview *preview = p.previews[1];
    ControlLog log(control.get());
    QList<int> previewStopsAtChanged;
    connect(control.get(), qOverload<>(&SkinBrushControl::selectedBrushChanged), this,
            [&] { previewStopsAtChanged.append(preview->brush().stops().count()); });

    pressAt(stops, QPointF(tipX(0.4f), StripY));
    QCOMPARE(log.entries, QStringList());
    moveTo(stops, QPointF(tipX(0.4f) + 17, StripY), Qt::LeftButton);
    // The preview follows every step.
    QVERIFY(qAbs(preview->brush().stops().positions().at(1) - 0.5f) < 1e-4);
    releaseAt(stops, QPointF(tipX(0.4f) + 17, StripY));
    QCOMPARE(log.names(), QStringList({"changing", "changing", "changed", "changed"}));
    QVERIFY(log.entries.at(3).startsWith("changed 2 [0:#ffff0000 0.5:#ff00ff00 1:#ff0000ff] c(0.25,0.75)"));

    // Dragged off the bottom: the preview loses the stop first, then the
    // changed pair goes out.
    log.entries.clear();
    pressAt(stops, QPointF(tipX(0.5f), StripY));
    moveTo(stops, QPointF(tipX(0.5f), 60), Qt::LeftButton);
    releaseAt(stops, QPointF(tipX(0.5f), 60));
    QCOMPARE(log.entries,
             QStringList({"changed", "changed 2 [0:#ffff0000 1:#ff0000ff] c(0.25,0.75) f(0.1,0.2) t(0.9,0.8) o1 i0"}));
    QCOMPARE(previewStopsAtChanged, QList<int>({3, 2}));
}

void TestSkinBrushControl::trackerClickOpensTheStopColour()
{
    auto control = makeControl();
    Parts p = partsOf(control.get());
    control->setSelectedBrush(gradientBrush(SkinBrushConical));
    QWidget *popup = p.pickers[2]->findChild<QWidget *>(QStringLiteral("popupWindow"));
    ControlLog log(control.get());
    clickAt(p.stops[2], QPointF(tipX(0.4f), StripY));
    QVERIFY(popup->isVisible());
    QCOMPARE(p.pickers[2]->selectedColor(), QColor(Qt::green));
    QCOMPARE(log.entries, QStringList());
    // Just under the stop bar, 9 pixels left of the picker.
    QCOMPARE(popup->geometry(), QRect(p.pickers[2]->mapToGlobal(QPoint(-9, -1)), QSize(185, 150)));
}

// The stop takes the colour before the brush is composed; the preview gets
// the new stops after the pair has gone out.
void TestSkinBrushControl::stopColourRecoloursAndThenRefreshes()
{
    auto control = makeControl();
    Parts p = partsOf(control.get());
    control->setSelectedBrush(gradientBrush(SkinBrushLinear));
    clickAt(p.stops[0], QPointF(tipX(1.0f), StripY));
    ControlLog log(control.get());
    QStringList previewAtChanged;
    connect(control.get(), qOverload<>(&SkinBrushControl::selectedBrushChanged), this,
            [&] { previewAtChanged.append(p.previews[0]->brush().stops().lastColor().name()); });
    QPushButton *ok = nullptr;
    for (QPushButton *button : p.pickers[0]->findChildren<QPushButton *>()) {
        if (button->text() == QStringLiteral("OK"))
            ok = button;
    }
    QVERIFY(ok);
    SkinColorTable *table = p.pickers[0]->findChild<SkinColorTable *>();
    clickSwatch(table, 10);
    ok->click();
    QCOMPARE(log.entries.at(0), QStringLiteral("changed"));
    QVERIFY(log.entries.at(1).startsWith("changed 1 [0:#ffff0000 0.4:#ff00ff00 1:#ffffff00]"));
    QCOMPARE(previewAtChanged, QStringList({"#0000ff"}));
    QCOMPARE(p.previews[0]->brush().stops().lastColor(), QColor(Qt::yellow));
}

void TestSkinBrushControl::stopColourPicking()
{
    auto control = makeControl();
    Parts p = partsOf(control.get());
    ControlLog log(control.get());
    for (int i : {1, 0, 2}) {
        clickTab(p, i + 1);
        clickAt(p.stops[i], QPointF(tipX(0.0f), StripY));
        const QList<QPushButton *> buttons = p.pickers[i]->findChildren<QPushButton *>();
        buttons.at(2)->click();
        p.pickers[i]->closePopup();
    }
    QCOMPARE(log.pickers, QList<SkinColorPicker *>({p.pickers[1], p.pickers[0], p.pickers[2]}));
    QVERIFY(!log.entries.contains("picking"));
}

void TestSkinBrushControl::previewHandleDrag()
{
    auto control = makeControl();
    Parts p = partsOf(control.get());
    control->setSelectedBrush(gradientBrush(SkinBrushLinear));
    SkinBrushPreview *preview = p.previews[0];
    // R is (6, 6, 170, 66): to (0.9, 0.8) lies at (159, 58.8).
    ControlLog log(control.get());
    pressAt(preview, QPointF(159, 59));
    moveTo(preview, QPointF(91, 39), Qt::LeftButton);
    releaseAt(preview, QPointF(91, 39));
    QCOMPARE(log.names(), QStringList({"changing", "changing", "changed", "changed"}));
    QVERIFY(log.entries.at(3).endsWith("c(0.25,0.75) f(0.1,0.2) t(0.5,0.5) o1 i0"));
    QVERIFY(log.entries.at(3).startsWith("changed 1 [0:#ffff0000 0.4:#ff00ff00 1:#ff0000ff]"));
}

void TestSkinBrushControl::imageChosenIsChangedThenAccepted()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("fill.png"));
    QImage picture(QSize(5, 4), QImage::Format_RGB32);
    picture.fill(Qt::blue);
    QVERIFY(picture.save(file));
    SkinImageControl::setFileDialogHook([&](QWidget *, const QString &, const QString &) { return file; });
    SkinMessageBox::setAnswerHook([](SkinMessageBox *) { return int(SkinMessageBox::ResultNo); });

    auto control = makeControl();
    Parts p = partsOf(control.get());
    clickTab(p, 4);
    ControlLog log(control.get());
    p.image->openImageFile();
    QCOMPARE(log.names(), QStringList({"changed", "changed", "accepted", "accepted"}));
    QCOMPARE(log.entries.at(1), QString(log.entries.at(3)).replace("accepted", "changed"));
    QVERIFY(log.entries.at(1).startsWith("changed 4 "));
    QVERIFY(!log.entries.at(1).endsWith(" i0"));

    log.entries.clear();
    p.image->clearSelectedImage();
    QCOMPARE(log.names(), QStringList({"changed", "changed", "accepted", "accepted"}));
    QVERIFY(log.entries.at(1).endsWith(" i0"));
}

// A damaged file may give a brush without stops: every page shows it and
// keeps working, and nothing reads past the empty list.
void TestSkinBrushControl::brushWithoutStopsShowsSafely()
{
    auto control = makeControl();
    Parts p = partsOf(control.get());
    for (int type : {0, 1, 2, 3}) {
        SkinBrush brush(type);
        brush.stops().stops().clear();
        control->setSelectedBrush(brush);
        QCOMPARE(p.tabs->currentIndex(), type);
        control->grab();
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(p.stops[i]->gradient().count(), 0);
            QCOMPARE(p.pickers[i]->selectedColor(), QColor(Qt::transparent));
        }
        QCOMPARE(p.slider->selectedColor(), QColor(Qt::transparent));
    }
    ControlLog log(control.get());
    clickAt(p.stops[2], QPointF(90, StripY));
    QCOMPARE(p.stops[2]->gradient().count(), 0);
    QVERIFY(!p.pickers[2]->findChild<QWidget *>(QStringLiteral("popupWindow"))->isVisible());
    control->onSelectedBrushChanged();
    QCOMPARE(log.entries.at(1), QStringLiteral("changed 3 [] c(0.5,0.5) f(0,0.5) t(1,0.5) o1 i0"));
    clickTab(p, 0);
    QCOMPARE(log.entries.at(3), QStringLiteral("changed 0 [0:#00000000 1:#00000000] c(0.5,0.5) f(0,0.5) t(1,0.5) o1 i0"));
}

QTEST_MAIN(TestSkinBrushControl)
#include "tst_skinbrushcontrol.moc"
