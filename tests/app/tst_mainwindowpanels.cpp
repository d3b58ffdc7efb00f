// The panels around the document tabs: the tool palette's buttons, their
// ids, tool tips and connections; the design panel's rows, their starting
// values and connections; and the window layout as the panels are shown,
// hidden and folded.
#include "app/mainwindow.h"
#include "app/sketchlayercontrol.h"
#include "editor/sketchdocumentview.h"
#include "editor/sketchtool.h"
#include "model/sketchlayer.h"
#include "model/sketchshape.h"
#include "materials/sketchmaterialbox.h"
#include "skin/controls/skinbrushcontrol.h"
#include "skin/controls/skinbrushpicker.h"
#include "skin/controls/skinbuttongroup.h"
#include "skin/controls/skingridview.h"
#include "skin/controls/skincolorpicker.h"
#include "skin/controls/skinpenpicker.h"
#include "skin/controls/skinslider.h"
#include "skin/windows/skingroupbox.h"
#include "skin/windows/skintabcontrol.h"
#include "skin/windows/skintheme.h"
#include "skin/windows/skintoolbox.h"
#include "support/history.h"
#include "support/input.h"
#include "support/shapes.h"
#include "windowfixture.h"

#include <QFontComboBox>
#include <QTextDocument>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>
#include <QtTest>

#include <functional>
#include <memory>

using namespace windowfixture;

namespace {

// Where a section is moved before it reports a folding: the window's layout
// brings it back.
constexpr int MovedAway = 999;

// One signal of a design-panel control, sent as the control sends it, and
// what it does: records a step (`outcome` its text), applies a live value
// (`changed` tells it), begins a colour pick with `tool`, lays the window
// out again, or opens a page (`outcome` its caption).
struct PanelSignal
{
    enum Effect { Step, Live, Pick, Layout, Page };
    const char *sender;
    const char *signal;
    std::function<void(QObject *)> send;
    Effect effect;
    const char *outcome = "";
    std::function<bool(const SketchShape *)> changed = nullptr;
    int tool = 0;
};

template<typename T>
T *as(QObject *object)
{
    return qobject_cast<T *>(object);
}

SkinColorPicker *someColorPicker(QObject *sender)
{
    return as<QWidget>(sender)->window()->findChild<SkinColorPicker *>(QStringLiteral("fontColorPicker"));
}

PanelSignal folding(const char *section)
{
    return {section, "expandChanged()", [](QObject *o) {
                as<QWidget>(o)->move(0, MovedAway);
                emit as<SkinGroupBox>(o)->expandChanged();
            },
            PanelSignal::Layout};
}

PanelSignal step(const char *sender, const char *signal, std::function<void(QObject *)> send, const char *text)
{
    return {sender, signal, std::move(send), PanelSignal::Step, text};
}

PanelSignal live(const char *sender, const char *signal, std::function<void(QObject *)> send,
                 const char *what, std::function<bool(const SketchShape *)> changed)
{
    return {sender, signal, std::move(send), PanelSignal::Live, what, std::move(changed)};
}

PanelSignal pick(const char *sender, const char *signal, std::function<void(QObject *)> send, int tool)
{
    return {sender, signal, std::move(send), PanelSignal::Pick, "", nullptr, tool};
}

// A slider's drag (valueChanging) and its release (valueAccepted).
void sliding(QList<PanelSignal> &rows, const char *slider, int value, const char *text, const char *what,
             std::function<bool(const SketchShape *)> changed)
{
    rows.append(live(slider, "valueChanging(int)",
                     [value](QObject *o) { emit as<SkinSlider>(o)->valueChanging(value); }, what,
                     std::move(changed)));
    rows.append(step(slider, "valueAccepted(int)",
                     [value](QObject *o) { emit as<SkinSlider>(o)->valueAccepted(value); }, text));
}

const QList<PanelSignal> &panelSignals()
{
    static const QList<PanelSignal> rows = [] {
        const SkinBrush yellow(QColor(Qt::yellow));
        QList<PanelSignal> list;
        list.append(folding("groupFill"));
        list.append(step("fillBrushControl", "selectedBrushChanged(SkinBrush)", [yellow](QObject *o) {
            emit as<SkinBrushControl>(o)->selectedBrushChanged(yellow);
        }, "changeFillBrush"));
        list.append(live("fillBrushControl", "selectedBrushChanging(SkinBrush)", [yellow](QObject *o) {
            emit as<SkinBrushControl>(o)->selectedBrushChanging(yellow);
        }, "the fill", [yellow](const SketchShape *box) { return box->fill().stops() == yellow.stops(); }));
        list.append(pick("fillBrushControl", "colorPicking()", [](QObject *o) {
            emit as<SkinBrushControl>(o)->colorPicking();
        }, SketchToolTypePickFillColor));
        list.append(pick("fillBrushControl", "gradientColorPicking(SkinColorPicker*)", [](QObject *o) {
            emit as<SkinBrushControl>(o)->gradientColorPicking(someColorPicker(o));
        }, SketchToolTypePickColor));
        list.append(folding("groupShape"));
        list.append(step("strokeBrushPicker", "selectedBrushChanged(SkinBrush)", [yellow](QObject *o) {
            emit as<SkinBrushPicker>(o)->selectedBrushChanged(yellow);
        }, "changeStrokeBrush"));
        list.append(pick("strokeBrushPicker", "colorPicking()", [](QObject *o) {
            emit as<SkinBrushPicker>(o)->colorPicking();
        }, SketchToolTypePickStrokeColor));
        list.append(pick("strokeBrushPicker", "gradientColorPicking(SkinColorPicker*)", [](QObject *o) {
            emit as<SkinBrushPicker>(o)->gradientColorPicking(someColorPicker(o));
        }, SketchToolTypePickColor));
        list.append(step("strokePenPicker", "selectedPenChanged(QPen)", [](QObject *o) {
            emit as<SkinPenPicker>(o)->selectedPenChanged(QPen(Qt::black, 3));
        }, "changeStrokeStyle"));
        sliding(list, "tensionSlider", 35, "changeShapeTension", "the tension",
                [](const SketchShape *box) { return box->tension() == 0.35f; });
        sliding(list, "opacitySlider", 35, "changeShapeOpacity", "the opacity",
                [](const SketchShape *box) { return box->opacity() == 0.35f; });
        sliding(list, "blurSlider", 4, "changeShapeBlur", "the blur",
                [](const SketchShape *box) { return box->blur() == 4; });
        list.append(folding("groupFont"));
        list.append(step("fontComboBox", "currentTextChanged(QString)", [](QObject *o) {
            emit as<QFontComboBox>(o)->currentTextChanged(QStringLiteral("Family Nowhere Installed"));
        }, "changeShapeFontName"));
        list.append(step("fontColorPicker", "selectedColorChanged(QColor)", [](QObject *o) {
            emit as<SkinColorPicker>(o)->selectedColorChanged(QColor(Qt::red));
        }, "changeShapeFontColor"));
        list.append(pick("fontColorPicker", "colorPicking()", [](QObject *o) {
            emit as<SkinColorPicker>(o)->colorPicking();
        }, SketchToolTypePickColor));
        list.append(step("fontAlignGroup", "selectedIndexChanged(int)", [](QObject *o) {
            emit as<SkinButtonGroup>(o)->selectedIndexChanged(2);
        }, "changeShapeAlign"));
        list.append(step("fontStyleGroup", "buttonCheckedChanged()", [](QObject *o) {
            emit as<SkinButtonGroup>(o)->buttonCheckedChanged();
        }, "changeShapeFontStyle"));
        sliding(list, "fontSizeSlider", 30, "changeShapeFontSize", "the font size",
                [](const SketchShape *box) { return box->font().pixelSize() == 30; });
        list.append(folding("groupLayers"));
        list.append({"materialBox", "moreMaterialsDownloaded()", [](QObject *o) {
                         emit as<SketchMaterialBox>(o)->moreMaterialsDownloaded();
                     },
                     PanelSignal::Page, "Material Library"});
        return list;
    }();
    return rows;
}

} // namespace

class TestMainWindowPanels : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void ordersThePaletteButtons();
    void mapsEveryToolIdToItsButton_data();
    void mapsEveryToolIdToItsButton();
    void keepsOneToolButtonChecked();
    void writesRichToolTips_data();
    void writesRichToolTips();
    void connectsTheDesignPanel_data();
    void connectsTheDesignPanel();
    void placesTheLabelledRows_data();
    void placesTheLabelledRows();
    void startsWithNeutralValues();
    void reportsOnlyChangingWhileTheSliderDrags();
    void groupsTheFontButtons();
    void placesTheTabsBetweenThePanels();
    void movesTheTabsWhenAPanelHides();
    void stacksTheSectionsAndFoldsThem();
    void keepsTheLayersSectionDownToTheFoot();
    void reachesEverySectionAtEverySize_data();
    void reachesEverySectionAtEverySize();
    void scrollsThePanelUnderTheWheel();
    void givesTheLayersPanelItsSection();
    void togglesTheCurrentViewsOverlays();
    void tintsThePanelIconsInTheTheme();

private:
    template<typename T>
    T *child(const char *name) const
    {
        return m_window->findChild<T *>(QLatin1String(name));
    }
    SkinGroupBox *section(const char *name) const { return child<SkinGroupBox>(name); }
    int centralWidth() const { return m_window->centralWidget()->width(); }
    // The label that shows a value slider's value and unit.
    QLabel *valueLabelOf(const SkinSlider *slider) const;

    static MainWindow *newWindow();
    // High enough for the design panel's sections and a few layer rows
    // without scrolling.
    void resizeTallEnough() { m_window->resize(920, 640); }
    // The rectangle of the widget, a part of the design panel, can be shown
    // whole, the panel scrolled as needed.
    bool canBeScrolledIntoSight(QWidget *widget, const QRect &rect) const;

    Home m_home;
    MainWindow *m_window = nullptr;
    MainWindow *m_shared = nullptr;
};

void TestMainWindowPanels::initTestCase()
{
    QVERIFY(m_home.install());
}

MainWindow *TestMainWindowPanels::newWindow()
{
    auto *window = new MainWindow;
    window->resize(920, 560);
    window->show();
    return window;
}

void TestMainWindowPanels::init()
{
    // The table-driven tests only read what the constructor built (or take
    // back the one connection of their row): their rows share one window.
    if (QTest::currentDataTag()) {
        if (!m_shared)
            m_shared = newWindow();
        m_window = m_shared;
    } else {
        m_window = newWindow();
    }
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TestMainWindowPanels::cleanup()
{
    if (m_window != m_shared)
        delete m_window;
    m_window = nullptr;
    m_home.removeSettings();
}

void TestMainWindowPanels::cleanupTestCase()
{
    delete m_shared;
    m_shared = nullptr;
}

QLabel *TestMainWindowPanels::valueLabelOf(const SkinSlider *slider) const
{
    for (QLabel *label : slider->parentWidget()->findChildren<QLabel *>(QString(),
                                                                      Qt::FindDirectChildrenOnly)) {
        if (label->geometry() == QRect(147, slider->y(), 35, 15))
            return label;
    }
    return nullptr;
}

// --- Tool palette -----------------------------------------------------------------

void TestMainWindowPanels::ordersThePaletteButtons()
{
    auto *box = child<SkinToolBox>("toolBox");
    QVERIFY(box);
    QStringList names;
    for (const QPushButton *button : box->buttons())
        names.append(button->objectName());
    QCOMPARE(names, QStringList({"toolActionSelect", "toolActionPath", "toolActionPoint",
                                 "toolActionCurvePoint", "toolActionCutoff", "toolActionConnect",
                                 "toolActionRotate", "toolActionResize", "toolActionRect",
                                 "toolActionEllipse", "toolActionBubble", "toolActionText",
                                 "toolActionSlice", "toolActionZoomIn", "toolActionZoomOut"}));
    // Separators after Select, Connect, Resize, Text and Slice.
    QStringList items;
    for (const QWidget *item : box->items())
        items.append(item->objectName() == "HLine" ? "|" : "b");
    QCOMPARE(items.join(QString()), QString("b|bbbbb|bb|bbbb|b|bb"));
    for (const QPushButton *button : box->buttons()) {
        QVERIFY2(!button->icon().isNull(), qPrintable(button->objectName()));
        QCOMPARE(button->size(), QSize(28, 24));
    }
    // The resize tool alone has a plain word for a tip.
    QCOMPARE(m_window->toolButton(18)->toolTip(), QString("Resize"));
}

void TestMainWindowPanels::mapsEveryToolIdToItsButton_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("name");
    const struct {
        int id;
        const char *name;
    } rows[] = {
        {1, "toolActionSelect"},  {2, "toolActionPath"},     {3, "toolActionRect"},
        {4, "toolActionEllipse"}, {5, "toolActionBubble"},   {6, "toolActionText"},
        {7, "toolActionPoint"},   {8, "toolActionCurvePoint"}, {9, "toolActionCutoff"},
        {10, "toolActionConnect"}, {11, "toolActionRotate"}, {12, "toolActionZoomIn"},
        {13, "toolActionZoomOut"}, {17, "toolActionSlice"},  {18, "toolActionResize"},
    };
    for (const auto &row : rows)
        QTest::newRow(row.name) << row.id << row.name;
}

void TestMainWindowPanels::mapsEveryToolIdToItsButton()
{
    QFETCH(int, id);
    QFETCH(QString, name);
    QPushButton *button = m_window->toolButton(id);
    QVERIFY(button);
    QCOMPARE(button->objectName(), name);
    QVERIFY(button->isCheckable());
    QCOMPARE(button->focusPolicy(), Qt::NoFocus);
    // Its click selects its own tool on the current document, from any other.
    if (!m_window->currentDocumentView())
        m_window->newFile();
    SketchDocumentView *view = m_window->currentDocumentView();
    view->setCurrentTool(id == SketchToolTypeSelect ? SketchToolTypeZoomIn : SketchToolTypeSelect, true);
    button->click();
    QCOMPARE(view->currentToolType(), id);
}

void TestMainWindowPanels::keepsOneToolButtonChecked()
{
    QVERIFY(m_window->toolButton(1)->isChecked());
    for (int id : {0, 14, 15, 16, 19, -1})
        QVERIFY(!m_window->toolButton(id));
    QPushButton *rect = m_window->toolButton(3);
    clickAt(rect, QPointF(14, 12));
    QVERIFY(rect->isChecked());
    // Pressing a button unchecks every other one at once.
    QPushButton *zoomIn = m_window->toolButton(12);
    pressAt(zoomIn, QPointF(14, 12));
    QVERIFY(!rect->isChecked());
    releaseAt(zoomIn, QPointF(14, 12));
    int checked = 0;
    for (int id : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 17, 18})
        checked += m_window->toolButton(id)->isChecked() ? 1 : 0;
    QCOMPARE(checked, 1);
    QVERIFY(zoomIn->isChecked());
}

void TestMainWindowPanels::writesRichToolTips_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QStringList>("images");
    const QString tools(":/tools/images/");
    QTest::newRow("select") << 1 << "<b>Select</b><br/>1. Select and move the shapes." << QStringList();
    QTest::newRow("line") << 2 << "<b>Create Line</b><br/>1. "
                          << QStringList({tools + "Pen.png", tools + "PenSmooth.png"});
    QTest::newRow("rectangle") << 3 << "<b>Create Rectangle</b><br/>1. Press mouse left button"
                               << QStringList();
    QTest::newRow("ellipse") << 4 << "<b>Create Ellipse</b><br/>1. Press mouse left button"
                             << QStringList();
    QTest::newRow("bubble") << 5 << "<b>Create Bubble</b><br/>1. " << QStringList();
    QTest::newRow("text") << 6 << "<b>Add Text</b><br/>1. Move the cursor<img src=':/tools/images/Text.png'/>"
                          << QStringList({tools + "Text.png"});
    QTest::newRow("corner") << 7 << "<b>Insert Corner Point</b><br/>1. "
                            << QStringList({tools + "Pen.png"});
    QTest::newRow("smooth") << 8 << "<b>Insert Smooth Point</b><br/>1. "
                            << QStringList({tools + "PenSmooth.png"});
    QTest::newRow("cut off") << 9 << "<b>Cut off Line</b><br/>1. "
                             << QStringList({tools + "PenCutoff.png"});
    QTest::newRow("connect") << 10 << "<b>Connect Lines</b><br/>1. "
                             << QStringList({tools + "PenConnect.png"});
    QTest::newRow("rotate") << 11 << "<b>Rotate</b><br/>1. " << QStringList();
    QTest::newRow("zoom in") << 12 << "<b>Zoom In</b><br/>1. Move cursor to the target position, click to zoom in."
                             << QStringList();
    QTest::newRow("zoom out") << 13 << "<b>Zoom Out</b><br/>1. Move cursor to the target position, click to zoom out."
                              << QStringList();
    QTest::newRow("slice") << 17 << "<b>Slice</b><br/>1. " << QStringList();
}

void TestMainWindowPanels::writesRichToolTips()
{
    QFETCH(int, id);
    QFETCH(QString, start);
    QFETCH(QStringList, images);
    const QString tip = m_window->toolButton(id)->toolTip();
    QVERIFY2(tip.startsWith(start), qPrintable(tip));
    QVERIFY(Qt::mightBeRichText(tip));
    if (id != 1)
        QVERIFY2(tip.endsWith(". Press Escape key to cancel the current action."), qPrintable(tip));
    // Every inline cursor image is one the program has.
    for (const QString &image : images) {
        QVERIFY2(tip.contains("<img src='" + image + "'/>"), qPrintable(image));
        QVERIFY2(!QImage(image).isNull(), qPrintable(image));
    }
    QCOMPARE(tip.count("<img "), images.size());
    if (id == 17)
        QVERIFY2(tip.contains(QString::fromUtf8("Storyloom\u00a9 also generates automatic slices")),
                 qPrintable(tip));
}

// --- Design panel -----------------------------------------------------------------

void TestMainWindowPanels::connectsTheDesignPanel_data()
{
    QTest::addColumn<int>("row");
    for (int row = 0; row < panelSignals().size(); ++row) {
        const PanelSignal &entry = panelSignals().at(row);
        QTest::newRow(QByteArray(entry.sender).append(' ').append(entry.signal).constData()) << row;
    }
}

void TestMainWindowPanels::connectsTheDesignPanel()
{
    QFETCH(int, row);
    const PanelSignal &entry = panelSignals().at(row);
    // A window of its own: an edit in progress would reach the next row.
    std::unique_ptr<MainWindow> window(newWindow());
    window->newFile();
    SketchDocumentView *view = window->currentDocumentView();
    SketchShape *box = addBox(view->currentLayer(), 40, 60, 100, 80, Qt::red);
    selectShape(box);
    view->onSelectionChanged();
    QObject *sender = window->findChild<QObject *>(QLatin1String(entry.sender));
    QVERIFY(sender);

    entry.send(sender);
    if (entry.effect == PanelSignal::Step) {
        QCOMPARE(undoTextList(view).value(0), QLatin1String(entry.outcome));
    } else if (entry.effect == PanelSignal::Live) {
        QCOMPARE(undoTexts(view), QString());
        QVERIFY2(entry.changed(box), entry.outcome);
    } else if (entry.effect == PanelSignal::Pick) {
        QCOMPARE(view->currentToolType(), entry.tool);
    } else if (entry.effect == PanelSignal::Layout) {
        QVERIFY(qobject_cast<QWidget *>(sender)->y() != MovedAway);
    } else {
        QCOMPARE(window->currentSketchView()->caption(), QLatin1String(entry.outcome));
    }
}

void TestMainWindowPanels::placesTheLabelledRows_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("caption");
    const int t = 20;
    QTest::newRow("fill") << "fillBrushControl" << QRect(0, t - 2, 188, 148) << QString();
    QTest::newRow("stroke") << "strokeBrushPicker" << QRect(67, t + 6, 49, 16) << "Stroke:";
    QTest::newRow("pen") << "strokePenPicker" << QRect(115, t + 6, 29, 16) << QString();
    QTest::newRow("pen width") << "strokeWidthLabel" << QRect(146, t + 6, 32, 15) << QString();
    QTest::newRow("tension") << "tensionSlider" << QRect(67, t + 27, 78, 16) << "Tension:";
    QTest::newRow("opacity") << "opacitySlider" << QRect(67, t + 47, 78, 16) << "Opacity:";
    QTest::newRow("blur") << "blurSlider" << QRect(67, t + 67, 78, 16) << "Blur:";
    QTest::newRow("font") << "fontComboBox" << QRect(67, t + 6, 100, 16) << "Font:";
    QTest::newRow("color") << "fontColorPicker" << QRect(67, t + 28, 49, 16) << "Color:";
    // The button groups keep the height of their buttons.
    QTest::newRow("align") << "fontAlignGroup" << QRect(67, t + 49, 77, 18) << "Align:";
    QTest::newRow("style") << "fontStyleGroup" << QRect(67, t + 72, 77, 18) << "Style:";
    QTest::newRow("size") << "fontSizeSlider" << QRect(67, t + 94, 78, 16) << "Size:";
}

void TestMainWindowPanels::placesTheLabelledRows()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);
    auto *control = m_window->findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), geometry);
    if (caption.isEmpty())
        return;
    // The caption ends 6 pixels left of the control, on the same row.
    const QLabel *label = nullptr;
    for (const QLabel *candidate : control->parentWidget()->findChildren<QLabel *>()) {
        if (candidate->text() == caption)
            label = candidate;
    }
    QVERIFY(label);
    QCOMPARE(label->geometry(), QRect(4, geometry.y(), 58, 15));
    QCOMPARE(label->alignment(), Qt::AlignRight | Qt::AlignVCenter);
}

void TestMainWindowPanels::startsWithNeutralValues()
{
    QCOMPARE(child<SkinBrushControl>("fillBrushControl")->selectedBrush(),
             SkinBrush::transparentBrush());
    QVERIFY(child<SkinBrushControl>("fillBrushControl")->isImageBrushEnabled());
    auto *stroke = child<SkinBrushPicker>("strokeBrushPicker");
    QCOMPARE(stroke->selectedBrush(), SkinBrush::blackBrush());
    QCOMPARE(stroke->popupRect(), QRect(-67, 0, 188, 180));
    // A stroke is no picture.
    QVERIFY(!stroke->brushControl()->isImageBrushEnabled());
    QVERIFY(stroke->brushControl()->isContextButtonVisible());
    auto *pen = child<SkinPenPicker>("strokePenPicker");
    QCOMPARE(pen->popupRect(), QRect(-115, 0, 188, 180));
    QCOMPARE(pen->selectedPen().color(), QColor(Qt::black));
    QCOMPARE(pen->selectedPen().width(), 1);
    QCOMPARE(child<QLabel>("strokeWidthLabel")->text(), QString("1px"));

    const struct {
        const char *name;
        int maximum;
        int pageStep;
        const char *text;
    } sliders[] = {{"tensionSlider", 100, 10, "0%"},
                   {"opacitySlider", 100, 10, "0%"},
                   {"blurSlider", 10, 2, "0px"},
                   {"fontSizeSlider", 100, 1, "0px"}};
    for (const auto &row : sliders) {
        auto *slider = child<SkinSlider>(row.name);
        QVERIFY2(slider, row.name);
        QCOMPARE(slider->orientation(), Qt::Horizontal);
        QCOMPARE(slider->value(), 0);
        QCOMPARE(slider->maximum(), row.maximum);
        QCOMPARE(slider->pageStep(), row.pageStep);
        QVERIFY2(valueLabelOf(slider), row.name);
        QCOMPARE(valueLabelOf(slider)->text(), QString(row.text));
    }

    auto *font = child<QFontComboBox>("fontComboBox");
    QVERIFY(!font->isEditable());
    QCOMPARE(child<SkinColorPicker>("fontColorPicker")->selectedColor(), QColor(Qt::black));
    QCOMPARE(child<SkinColorPicker>("fontColorPicker")->popupRect(), QRect(-67, 0, 188, 150));
    QCOMPARE(child<SkinButtonGroup>("fontAlignGroup")->selectedIndex(), -1);
    for (const QPushButton *button : child<SkinButtonGroup>("fontStyleGroup")->buttons())
        QVERIFY(!button->isChecked());
    // While the frame editor has no shape the "Face:" row stays folded away.
    QCOMPARE(child<QLabel>("frameEditorLabel")->text(), QString("Face:"));
    QVERIFY(child<QLabel>("frameEditorLabel")->isHidden());
    auto *frameEditor = child<QPushButton>("frameEditor");
    QVERIFY(frameEditor && frameEditor->isHidden());
    QCOMPARE(frameEditor->geometry().topLeft(), QPoint(67, child<QLabel>("frameEditorLabel")->y()));
    QCOMPARE(frameEditor->size(), QSize(78, 16));
}

void TestMainWindowPanels::reportsOnlyChangingWhileTheSliderDrags()
{
    auto *slider = child<SkinSlider>("opacitySlider");
    QSignalSpy changing(slider, SIGNAL(valueChanging(int)));
    QSignalSpy accepted(slider, SIGNAL(valueAccepted(int)));
    const int y = slider->height() / 2;
    pressAt(slider, QPointF(6, y));
    for (int x : {20, 35, 50})
        moveTo(slider, QPointF(x, y));
    QCOMPARE(changing.count(), 4);
    QCOMPARE(accepted.count(), 0);
    QVERIFY(slider->value() > 0);
    QCOMPARE(valueLabelOf(slider)->text(), QString::number(slider->value()) + "%");
    releaseAt(slider, QPointF(50, y));
    QCOMPARE(accepted.count(), 1);
    QCOMPARE(changing.count(), 4);

    // Set from the model, the label follows once asked; nothing is reported.
    slider->setValue(35);
    slider->updateValueText();
    QCOMPARE(valueLabelOf(slider)->text(), QString("35%"));
    QCOMPARE(changing.count(), 4);
    QCOMPARE(accepted.count(), 1);
}

void TestMainWindowPanels::groupsTheFontButtons()
{
    auto *align = child<SkinButtonGroup>("fontAlignGroup");
    QCOMPARE(align->buttons().size(), 4);
    QStringList tips;
    for (const QPushButton *button : align->buttons()) {
        tips.append(button->toolTip());
        QVERIFY(button->text().isEmpty());
        QVERIFY(!button->icon().isNull());
    }
    QCOMPARE(tips, QStringList({"Left", "Center", "Right", "Vertical"}));
    QSignalSpy aligned(align, SIGNAL(selectedIndexChanged(int)));
    align->buttons().at(2)->click();
    align->buttons().at(3)->click();
    QCOMPARE(aligned.count(), 2);
    QCOMPARE(aligned.at(1).at(0).toInt(), 3);
    QVERIFY(!align->buttons().at(2)->isChecked());

    auto *style = child<SkinButtonGroup>("fontStyleGroup");
    QStringList letters;
    for (const QPushButton *button : style->buttons())
        letters.append(button->text() + "=" + button->toolTip());
    QCOMPARE(letters, QStringList({"B=Bold", "I=Italic", "U=Underline", "S=StrikeOut"}));
    QCOMPARE(style->buttons().at(0)->font().weight(), 75);
    QVERIFY(style->buttons().at(1)->font().italic());
    QVERIFY(style->buttons().at(2)->font().underline());
    QVERIFY(style->buttons().at(3)->font().strikeOut());
    QSignalSpy toggled(style, SIGNAL(buttonCheckedChanged()));
    style->buttons().at(0)->click();
    style->buttons().at(2)->click();
    QCOMPARE(toggled.count(), 2);
    QVERIFY(style->buttons().at(0)->isChecked());
    QVERIFY(style->buttons().at(2)->isChecked());
}

// --- Layout -----------------------------------------------------------------------

void TestMainWindowPanels::placesTheTabsBetweenThePanels()
{
    resizeTallEnough();
    const int w = centralWidth();
    const int h = m_window->centralWidget()->height();
    SkinTabControl *tabControl = tabs(*m_window);
    QCOMPARE(tabControl->x(), 221);
    QCOMPARE(tabControl->geometry().right(), w - 190);
    QCOMPARE(tabControl->geometry().top(), 2);
    QCOMPARE(tabControl->height(), h - 4);
    QCOMPARE(child<QWidget>("toolPanel")->geometry(), QRect(-1, -1, 220, h + 2));
    QCOMPARE(child<QWidget>("toolBox")->geometry(), QRect(0, 0, 45, h + 2));
    QCOMPARE(child<QWidget>("materialBox")->geometry(), QRect(47, 3, 173, h - 4));
    QCOMPARE(child<QWidget>("designPanel")->geometry(), QRect(w - 187, 0, 188, h));

    // A view fills its page below the strip, also after the window grows.
    m_window->newFile();
    m_window->resize(1100, 700);
    QCOMPARE(tabControl->geometry().right(), centralWidth() - 190);
    const QRect page = tabControl->pageRect();
    QCOMPARE(m_window->currentSketchView()->geometry(),
             QRect(0, 3, page.width(), page.height() - 3));
}

void TestMainWindowPanels::movesTheTabsWhenAPanelHides()
{
    resizeTallEnough();
    const int w = centralWidth();
    SkinTabControl *tabControl = tabs(*m_window);
    m_window->showOrHideMaterialPanel();
    QVERIFY(child<QWidget>("materialBox")->isHidden());
    QCOMPARE(child<QWidget>("toolPanel")->width(), 45);
    QCOMPARE(child<QWidget>("materialBox")->width(), 0);
    QCOMPARE(tabControl->x(), 46);
    QCOMPARE(tabControl->geometry().right(), w - 190);

    m_window->showOrHideDesignPanel();
    QVERIFY(child<QWidget>("designPanel")->isHidden());
    QCOMPARE(tabControl->x(), 46);
    QCOMPARE(tabControl->geometry().right(), w - 3);

    // Each toggle inverts the present state, whatever the menu's mark says.
    action(*m_window, "actionMaterialPanel")->setChecked(false);
    m_window->showOrHideMaterialPanel();
    m_window->showOrHideDesignPanel();
    QCOMPARE(tabControl->x(), 221);
    QCOMPARE(tabControl->geometry().right(), w - 190);

    // The View menu entries reach the toggles.
    action(*m_window, "actionDesignPanel")->trigger();
    QCOMPARE(tabControl->geometry().right(), w - 3);
}

void TestMainWindowPanels::stacksTheSectionsAndFoldsThem()
{
    resizeTallEnough();
    SkinGroupBox *fill = section("groupFill");
    SkinGroupBox *shape = section("groupShape");
    SkinGroupBox *font = section("groupFont");
    SkinGroupBox *layers = section("groupLayers");
    QStringList titles;
    for (const SkinGroupBox *box : {fill, shape, font, layers}) {
        titles.append(box->title());
        QVERIFY(box->isExpandable());
    }
    QCOMPARE(titles, QStringList({"Fill", "Shape", "Font", "Layers"}));
    QCOMPARE(fill->geometry(), QRect(0, 2, 188, 166));
    // Without the frame row the Shape section is 110 high.
    QCOMPARE(shape->geometry(), QRect(0, 170, 188, 110));
    QCOMPARE(font->geometry(), QRect(0, 282, 188, 138));
    QCOMPARE(layers->y(), 422);
    // With the "Face:" row shown it is 130, and the sections below move down.
    child<QLabel>("frameEditorLabel")->show();
    m_window->adjustUIGeometries();
    QCOMPARE(shape->height(), 130);
    QCOMPARE(font->y(), 302);
    child<QLabel>("frameEditorLabel")->hide();
    m_window->adjustUIGeometries();
    QCOMPARE(font->y(), 282);

    // A click on the title bar folds the section; the rest move up.
    clickAt(fill, QPointF(60, 10));
    QVERIFY(!fill->isExpanded());
    QCOMPARE(fill->geometry(), QRect(0, 2, 188, 19));
    QVERIFY(child<QWidget>("fillBrushControl")->isHidden());
    QCOMPARE(shape->y(), 23);
    QCOMPARE(font->y(), 23 + 110 + 2);

    shape->setExpanded(false);
    font->setExpanded(false);
    QCOMPARE(font->geometry(), QRect(0, 23 + 19 + 2, 188, 19));
    QCOMPARE(layers->y(), 44 + 19 + 2);

    // Unfolded, the section keeps its controls and their values.
    child<SkinSlider>("blurSlider")->setValue(4);
    fill->setExpanded(true);
    shape->setExpanded(true);
    QVERIFY(!child<QWidget>("fillBrushControl")->isHidden());
    QCOMPARE(shape->geometry(), QRect(0, 170, 188, 110));
    QCOMPARE(child<SkinSlider>("blurSlider")->value(), 4);
}

void TestMainWindowPanels::keepsTheLayersSectionDownToTheFoot()
{
    resizeTallEnough();
    SkinGroupBox *layers = section("groupLayers");
    const int panelHeight = child<QWidget>("designPanel")->height();
    QCOMPARE(layers->geometry().bottom(), panelHeight - 3);
    section("groupFont")->setExpanded(false);
    QCOMPARE(layers->geometry().bottom(), panelHeight - 3);
    m_window->resize(1000, 760);
    QCOMPARE(layers->geometry().bottom(), child<QWidget>("designPanel")->height() - 3);
    layers->setExpanded(false);
    QCOMPARE(layers->height(), 19);
}

void TestMainWindowPanels::reachesEverySectionAtEverySize_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("scrolls");
    QTest::newRow("smallest, 800 x 480") << QSize(800, 480) << true;
    QTest::newRow("first, 920 x 560") << QSize(920, 560) << true;
    QTest::newRow("large, 1600 x 1000") << QSize(1600, 1000) << false;
}

void TestMainWindowPanels::reachesEverySectionAtEverySize()
{
    // Whatever the window's height, every section, the Font section's last
    // row and three rows of layers can be scrolled into sight; where there
    // is room the panel keeps its fixed geometry and shows no scroll bar.
    QFETCH(QSize, size);
    QFETCH(bool, scrolls);
    m_window->newFile();
    SketchDocumentView *view = m_window->currentDocumentView();
    view->layers().append(new SketchLayer(view->document(), QStringLiteral("Layer2")));
    view->layers().append(new SketchLayer(view->document(), QStringLiteral("Layer3")));
    view->layers().append(new SketchLayer(view->document(), QStringLiteral("Layer4")));
    emit tabs(*m_window)->selectedIndexChanged();
    m_window->resize(size);
    QCOMPARE(m_window->size(), size);

    const int w = centralWidth();
    const int h = m_window->centralWidget()->height();
    auto *grid = child<SketchLayerControl>("layerControl")->grid();
    QCOMPARE(grid->rowCount(), 4);
    struct Target {
        const char *what;
        QWidget *widget;
        QRect rect;
    };
    QList<Target> targets;
    for (const char *name : {"groupFill", "groupShape", "groupFont", "fontSizeSlider"})
        targets.append({name, child<QWidget>(name), child<QWidget>(name)->rect()});
    for (int row = 0; row < 3; ++row)
        targets.append({"layer row", grid, grid->rowRect(row)});
    for (const Target &target : qAsConst(targets)) {
        QVERIFY2(canBeScrolledIntoSight(target.widget, target.rect), target.what);
        // Within the layer grid's own area as well.
        if (target.widget == grid)
            QVERIFY2(grid->rect().contains(target.rect), target.what);
    }

    auto *area = child<QScrollArea>("designScrollArea");
    QVERIFY(area);
    QScrollBar *bar = area->verticalScrollBar();
    QWidget *panel = child<QWidget>("designPanel");
    QCOMPARE(bar->isVisible(), scrolls);
    QCOMPARE(panel->height(), h);
    if (scrolls) {
        // The bar stands right of the sections, inside the window, and the
        // tabs keep their 2-pixel gap.
        QCOMPARE(bar->mapTo(m_window->centralWidget(), QPoint(bar->width() - 1, 0)).x(), w - 1);
        QCOMPARE(tabs(*m_window)->geometry().right(), panel->x() - 3);
        QCOMPARE(area->viewport()->width(), 187);
    } else {
        QCOMPARE(panel->geometry(), QRect(w - 187, 0, 188, h));
        QCOMPARE(section("groupLayers")->geometry().bottom(), h - 3);
    }
}

void TestMainWindowPanels::scrollsThePanelUnderTheWheel()
{
    m_window->resize(800, 480);
    QScrollBar *bar = child<QScrollArea>("designScrollArea")->verticalScrollBar();
    QCOMPARE(bar->value(), 0);
    QVERIFY(bar->maximum() > 0);
    // Over a caption, which takes no wheel, as the window system delivers
    // it: it goes up to the caption's section.
    QLabel *caption = nullptr;
    for (QLabel *label : section("groupFont")->findChildren<QLabel *>()) {
        if (label->text() == QLatin1String("Size:"))
            caption = label;
    }
    QVERIFY(caption);
    const QPoint pos = caption->rect().center();
    QWheelEvent wheel(pos, caption->mapToGlobal(pos), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    // Delivered as QTest delivers its keys: sendEvent would mark it as one
    // of the program's own, which Qt hands to the receiver alone.
    QSpontaneKeyEvent::setSpontaneous(&wheel);
    qApp->notify(caption, &wheel);
    QVERIFY(bar->value() > 0);
}

bool TestMainWindowPanels::canBeScrolledIntoSight(QWidget *widget, const QRect &rect) const
{
    // Scrolled as far as it takes to show the rectangle's foot, it lies
    // wholly between the top and the foot of what the design panel shows.
    QWidget *panel = child<QWidget>("designPanel");
    QWidget *shown = panel;
    for (QWidget *parent = widget->parentWidget(); parent && parent != panel; parent = parent->parentWidget()) {
        if (auto *area = qobject_cast<QScrollArea *>(parent)) {
            const int foot = widget->mapTo(area->widget(), rect.bottomLeft()).y();
            area->verticalScrollBar()->setValue(foot - area->viewport()->height() + 1);
            shown = area->viewport();
            break;
        }
    }
    const int top = widget->mapTo(shown, rect.topLeft()).y();
    return rect.height() > 0 && top >= 0 && top + rect.height() <= shown->height();
}

void TestMainWindowPanels::givesTheLayersPanelItsSection()
{
    // The layers panel is found by its name inside the section and placed
    // under the title bar, overlapping its last 2 rows.
    SkinGroupBox *layers = section("groupLayers");
    auto *panel = layers->findChild<QWidget *>("layerControl", Qt::FindDirectChildrenOnly);
    QVERIFY(panel);
    m_window->adjustUIGeometries();
    QCOMPARE(panel->geometry(), QRect(0, 18, 188, layers->height() - 18));
}

void TestMainWindowPanels::togglesTheCurrentViewsOverlays()
{
    // Without a document tab there is nothing to toggle.
    m_window->showOrHideGrid();
    m_window->showOrHideAutoSlice();
    m_window->newFile();
    SketchDocumentView *first = m_window->currentDocumentView();
    const bool slicesShown = first->isAutoSliceVisible();
    m_window->showOrHideGrid();
    QVERIFY(first->isGridVisible());
    QCOMPARE(first->isAutoSliceVisible(), slicesShown);
    // Each flag belongs to its view.
    m_window->newFile();
    SketchDocumentView *second = m_window->currentDocumentView();
    QVERIFY(!second->isGridVisible());
    action(*m_window, "actionAutoSlices")->trigger();
    QCOMPARE(second->isAutoSliceVisible(), !slicesShown);
    QCOMPARE(first->isAutoSliceVisible(), slicesShown);
    m_window->showOrHideAutoSlice();
    QCOMPARE(second->isAutoSliceVisible(), slicesShown);
    QVERIFY(first->isGridVisible());
}

// The colours of the opaque pixels of an icon's normal 16 x 16 form.
static QSet<QRgb> iconColours(const QIcon &icon)
{
    const QImage image = icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) == 255)
                colours.insert(image.pixel(x, y));
        }
    }
    return colours;
}

void TestMainWindowPanels::tintsThePanelIconsInTheTheme()
{
    const QSet<QRgb> light = {qRgb(180, 180, 180)};
    const QSet<QRgb> dark = {qRgb(0, 0, 0)};
    m_window->changeTheme(Black);
    QCOMPARE(iconColours(m_window->toolButton(11)->icon()), light);
    QCOMPARE(iconColours(child<SkinButtonGroup>("fontAlignGroup")->buttons().at(1)->icon()), light);
    m_window->changeTheme(Olive);
    QCOMPARE(iconColours(m_window->toolButton(11)->icon()), dark);
    QCOMPARE(iconColours(child<SkinButtonGroup>("fontAlignGroup")->buttons().at(1)->icon()), dark);
}

QTEST_MAIN(TestMainWindowPanels)
#include "tst_mainwindowpanels.moc"
