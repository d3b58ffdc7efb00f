// The design panel's construction, its layout and its theme. The sections'
// rows are placed in fixed pixels; the sections themselves are stacked by
// adjustGeometry(), which the window runs whenever its size or a section's
// folding changes.
#include "app/designpanel.h"

#include "app/sketchframeeditor.h"
#include "app/sketchlayercontrol.h"
#include "editor/sketchdocumentview.h"
#include "model/sketchglobals.h"
#include "skin/controls/skinbrushcontrol.h"
#include "skin/controls/skinbrushpicker.h"
#include "skin/controls/skinbuttongroup.h"
#include "skin/controls/skincolorpicker.h"
#include "skin/controls/skingridview.h"
#include "skin/controls/skinpenpicker.h"
#include "skin/controls/skinslider.h"
#include "skin/windows/skingroupbox.h"
#include "skin/windows/skintheme.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFont>
#include <QFontComboBox>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

namespace {

// The panel's texts are translated in the main window's context, in which
// the translation files carry them.
QString windowTr(const char *text)
{
    return QCoreApplication::translate("MainWindow", text);
}

// The icons of the font alignment buttons, in button order.
const char *const alignIcons[] = {":/widgets/images/AlignLeft.png", ":/widgets/images/AlignCenter.png",
                                  ":/widgets/images/AlignRight.png", ":/widgets/images/AlignVertical.png"};

// Where the caption of a labelled row ends: controls start 6 pixels right.
const int fieldLeft = 67;

const int designPanelWidth = 188;
const int sectionGap = 3;
// A window too low for the design panel still lets this many layer rows be
// scrolled into sight.
const int layerRowsAlwaysShown = 3;

// The last pixel row of a widget, in its parent.
int bottomOf(const QWidget *widget)
{
    return widget->y() + widget->height() - 1;
}

// A folded section keeps its title bar but for the bottom line.
int foldedHeight(const SkinGroupBox *section)
{
    return section->titleHeight() - 1;
}

} // namespace

DesignPanel::DesignPanel(QWidget *parent, ViewLookup currentView)
    : QWidget(parent)
    , m_currentView(std::move(currentView))
{
    setObjectName(QStringLiteral("designPanel"));
    setMouseTracking(true);
    // The sections lie on one sheet that scrolls up and down in a window too
    // low for them; the scroll bar is the theme's. Nothing paints behind
    // them but the window's panel colour.
    designScrollArea = new QScrollArea(this);
    designScrollArea->setObjectName(QStringLiteral("designScrollArea"));
    designScrollArea->setFrameShape(QFrame::NoFrame);
    designScrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    designScrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    designScrollArea->viewport()->setAutoFillBackground(false);
    // The keys stay with the document: a click on the panel takes no focus.
    designScrollArea->setFocusPolicy(Qt::NoFocus);
    designSections = new QWidget;
    designSections->setObjectName(QStringLiteral("designSections"));
    designSections->setMouseTracking(true);
    designSections->setAutoFillBackground(false);
    designScrollArea->setWidget(designSections);
    createFillSection();
    createShapeSection();
    createFontSection();
    // The window puts its layers panel into this one.
    groupLayers = addSection("groupLayers", windowTr("Layers"));
}

DesignPanel::~DesignPanel()
{
    // The base class deletes the controls once this class is gone: none of
    // their signals may reach its edits by then.
    for (QObject *child : findChildren<QObject *>())
        QObject::disconnect(child, nullptr, this, nullptr);
}

// --- Row builders ---------------------------------------------------------------

QLabel *DesignPanel::addFieldLabel(QWidget *control, const QString &caption)
{
    auto *label = new QLabel(caption, control->parentWidget());
    label->setGeometry(4, control->y(), 58, 15);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // A row is 16 high; the button groups, whose buttons are 18 high, keep
    // their height, or the buttons would lose their bottom borders.
    control->setGeometry(fieldLeft, control->y(), control->width(), qMax(16, control->height()));
    return label;
}

SkinSlider *DesignPanel::createValueSlider(QWidget *parent, const QString &caption, int y, int maximum,
                                           int pageStep, const QString &suffix)
{
    auto *label = new QLabel(caption, parent);
    label->setGeometry(4, y, 58, 15);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto *slider = new SkinSlider(parent);
    slider->setGeometry(fieldLeft, y, 78, 16);
    slider->setOrientation(Qt::Horizontal);
    slider->setRange(0, maximum);
    slider->setPageStep(pageStep);
    slider->setSuffix(suffix);
    auto *value = new QLabel(QStringLiteral("0") + suffix, parent);
    value->setGeometry(147, y, 35, 15);
    connect(slider, &SkinSlider::valueSuffixChanged, value, &QLabel::setText);
    return slider;
}

void DesignPanel::connectValueSlider(SkinSlider *slider, void (DesignPanel::*changing)(int),
                                     void (DesignPanel::*accepted)(int))
{
    connect(slider, &SkinSlider::valueChanging, this, changing);
    connect(slider, &SkinSlider::valueAccepted, this, accepted);
}

// --- Sections ---------------------------------------------------------------------

SkinGroupBox *DesignPanel::addSection(const char *name, const QString &title)
{
    auto *section = new SkinGroupBox(designSections);
    section->setObjectName(QLatin1String(name));
    section->setTitle(title);
    section->setExpandable(true);
    connect(section, &SkinGroupBox::expandChanged, this, &DesignPanel::layoutChanged);
    section->installEventFilter(this);
    return section;
}

void DesignPanel::createFillSection()
{
    groupFill = addSection("groupFill", windowTr("Fill"));
    const int t = groupFill->titleHeight();
    fillBrushControl = new SkinBrushControl(groupFill);
    fillBrushControl->setObjectName(QStringLiteral("fillBrushControl"));
    fillBrushControl->setGeometry(0, t - 2, 188, 148);
    fillBrushControl->setContextButtonVisible(true);
    fillBrushControl->setSelectedBrush(SkinBrush::transparentBrush());
    connectFillSection();
}

void DesignPanel::connectFillSection()
{
    connect(fillBrushControl, qOverload<const SkinBrush &>(&SkinBrushControl::selectedBrushChanged), this,
            &DesignPanel::changeFillBrush);
    connect(fillBrushControl, qOverload<const SkinBrush &>(&SkinBrushControl::selectedBrushChanging), this,
            &DesignPanel::changingFillBrush);
    connect(fillBrushControl, &SkinBrushControl::colorPicking, this,
            [this] { beginFillColorPicking(fillBrushControl); });
    connect(fillBrushControl, &SkinBrushControl::gradientColorPicking, this,
            &DesignPanel::beginGradientColorPicking);
}

void DesignPanel::createShapeSection()
{
    groupShape = addSection("groupShape", windowTr("Shape"));
    const int t = groupShape->titleHeight();

    strokeBrushPicker = new SkinBrushPicker(groupShape);
    strokeBrushPicker->setObjectName(QStringLiteral("strokeBrushPicker"));
    strokeBrushPicker->setGeometry(0, t + 6, 49, 16);
    addFieldLabel(strokeBrushPicker, windowTr("Stroke:"));
    strokeBrushPicker->setPopupRect(QRect(QPoint(-67, 0), QPoint(120, 179)));
    strokeBrushPicker->setSelectedBrush(SkinBrush::blackBrush());
    strokeBrushPicker->brushControl()->setContextButtonVisible(true);
    // A stroke is painted with a gradient or a colour, never a picture.
    strokeBrushPicker->brushControl()->setImageBrushEnabled(false);

    strokePenPicker = new SkinPenPicker(groupShape);
    strokePenPicker->setObjectName(QStringLiteral("strokePenPicker"));
    // Sharing the brush swatch's right border column.
    strokePenPicker->setGeometry(strokeBrushPicker->geometry().right(), strokeBrushPicker->y(), 29, 16);
    strokePenPicker->setPopupRect(QRect(QPoint(-115, 0), QPoint(72, 179)));
    strokePenPicker->setSelectedPen(QPen());
    strokeWidthLabel = new QLabel(QStringLiteral("1px"), groupShape);
    strokeWidthLabel->setObjectName(QStringLiteral("strokeWidthLabel"));
    strokeWidthLabel->setGeometry(strokePenPicker->geometry().right() + 3, strokePenPicker->y(), 32, 15);

    tensionSlider = createValueSlider(groupShape, windowTr("Tension:"), t + 27, 100, 10, QStringLiteral("%"));
    tensionSlider->setObjectName(QStringLiteral("tensionSlider"));
    opacitySlider = createValueSlider(groupShape, windowTr("Opacity:"), t + 47, 100, 10, QStringLiteral("%"));
    opacitySlider->setObjectName(QStringLiteral("opacitySlider"));
    blurSlider = createValueSlider(groupShape, windowTr("Blur:"), t + 67, 10, 2, QStringLiteral("px"));
    blurSlider->setObjectName(QStringLiteral("blurSlider"));
    createFrameRow(t + 87);
    connectShapeSection();
}

void DesignPanel::createFrameRow(int y)
{
    // The "Face:" row: the frame editor with its label, both hidden until
    // the editor has a shape; the Shape section then keeps the height of a
    // section without the row.
    m_frameEditor = new SketchFrameEditor(groupShape);
    m_frameEditor->setObjectName(QStringLiteral("frameEditor"));
    m_frameEditor->setGeometry(0, y, 78, 16);
    // Its popup's left edge under the section's left edge.
    m_frameEditor->setPopupRect(QRect(QPoint(-67, 0), QPoint(120, 194)));
    m_frameEditor->hide();
    frameEditorLabel = addFieldLabel(m_frameEditor, windowTr("Face:"));
    frameEditorLabel->setObjectName(QStringLiteral("frameEditorLabel"));
    frameEditorLabel->hide();
}

void DesignPanel::connectShapeSection()
{
    connect(strokeBrushPicker, qOverload<const SkinBrush &>(&SkinBrushPicker::selectedBrushChanged), this,
            &DesignPanel::changeStrokeBrush);
    connect(strokeBrushPicker, &SkinBrushPicker::colorPicking, this,
            [this] { beginStrokeColorPicking(strokeBrushPicker); });
    connect(strokeBrushPicker, &SkinBrushPicker::gradientColorPicking, this,
            &DesignPanel::beginGradientColorPicking);
    connect(strokePenPicker, qOverload<const QPen &>(&SkinPenPicker::selectedPenChanged), this,
            &DesignPanel::changeStrokeStyle);
    connect(strokePenPicker, &SkinPenPicker::selectedPenWidthChanged, strokeWidthLabel, &QLabel::setText);
    connectValueSlider(tensionSlider, &DesignPanel::changingShapeTension, &DesignPanel::changeShapeTension);
    connectValueSlider(opacitySlider, &DesignPanel::changingShapeOpacity, &DesignPanel::changeShapeOpacity);
    connectValueSlider(blurSlider, &DesignPanel::changingShapeBlur, &DesignPanel::changeShapeBlur);
    connect(m_frameEditor, qOverload<int>(&SketchFrameEditor::shapeFrameChanged), this,
            [this](int index) { changeShapeFrame(m_frameEditor, index); });
}

void DesignPanel::createFontSection()
{
    groupFont = addSection("groupFont", windowTr("Font"));
    const int t = groupFont->titleHeight();

    fontComboBox = new QFontComboBox(groupFont);
    fontComboBox->setObjectName(QStringLiteral("fontComboBox"));
    fontComboBox->setGeometry(0, t + 6, 100, 16);
    addFieldLabel(fontComboBox, windowTr("Font:"));
    fontComboBox->setEditable(false);
    showFontFamily(SketchGlobals::defaultFont()->family());

    fontColorPicker = new SkinColorPicker(groupFont);
    fontColorPicker->setObjectName(QStringLiteral("fontColorPicker"));
    fontColorPicker->setGeometry(0, t + 28, 49, 16);
    addFieldLabel(fontColorPicker, windowTr("Color:"));
    fontColorPicker->setPopupRect(QRect(QPoint(-67, 0), QPoint(120, 149)));
    fontColorPicker->setSelectedColor(Qt::black);

    fontAlignGroup = new SkinButtonGroup(groupFont);
    fontAlignGroup->setObjectName(QStringLiteral("fontAlignGroup"));
    fontAlignGroup->move(0, t + 49);
    const QString alignTips[] = {windowTr("Left"), windowTr("Center"), windowTr("Right"), windowTr("Vertical")};
    for (int index = 0; index < 4; ++index)
        fontAlignGroup->addButton(skinTintedIcon(QLatin1String(alignIcons[index])), QString(), alignTips[index]);
    addFieldLabel(fontAlignGroup, windowTr("Align:"));

    fontStyleGroup = new SkinButtonGroup(groupFont);
    fontStyleGroup->setObjectName(QStringLiteral("fontStyleGroup"));
    fontStyleGroup->move(0, t + 72);
    fontStyleGroup->setMultiCheck(true);
    addFontStyleButtons();
    addFieldLabel(fontStyleGroup, windowTr("Style:"));

    fontSizeSlider = createValueSlider(groupFont, windowTr("Size:"), t + 94, 100, 1, QStringLiteral("px"));
    fontSizeSlider->setObjectName(QStringLiteral("fontSizeSlider"));
    connectFontSection();
}

void DesignPanel::addFontStyleButtons()
{
    // The letters are the same in every language; each button shows its
    // letter in the style it switches.
    QPushButton *bold = fontStyleGroup->addButton(QIcon(), QStringLiteral("B"), windowTr("Bold"));
    QPushButton *italic = fontStyleGroup->addButton(QIcon(), QStringLiteral("I"), windowTr("Italic"));
    QPushButton *underline = fontStyleGroup->addButton(QIcon(), QStringLiteral("U"), windowTr("Underline"));
    QPushButton *strikeOut = fontStyleGroup->addButton(QIcon(), QStringLiteral("S"), windowTr("StrikeOut"));
    QFont font = bold->font();
    font.setWeight(75);
    bold->setFont(font);
    font = italic->font();
    font.setItalic(true);
    italic->setFont(font);
    font = underline->font();
    font.setUnderline(true);
    underline->setFont(font);
    font = strikeOut->font();
    font.setStrikeOut(true);
    strikeOut->setFont(font);
}

void DesignPanel::connectFontSection()
{
    connect(fontComboBox, &QComboBox::currentTextChanged, this, &DesignPanel::changeShapeFontName);
    connect(fontColorPicker, qOverload<const QColor &>(&SkinColorPicker::selectedColorChanged), this,
            &DesignPanel::changeShapeFontColor);
    connect(fontColorPicker, &SkinColorPicker::colorPicking, this,
            [this] { beginForeColorPicking(fontColorPicker); });
    connect(fontAlignGroup, qOverload<int>(&SkinButtonGroup::selectedIndexChanged), this,
            &DesignPanel::changeShapeFontAlign);
    connect(fontStyleGroup, qOverload<>(&SkinButtonGroup::buttonCheckedChanged), this,
            &DesignPanel::changeShapeFontStyle);
    connectValueSlider(fontSizeSlider, &DesignPanel::changingShapeFontSize, &DesignPanel::changeShapeFontSize);
}

// --- Layout -------------------------------------------------------------------------

void DesignPanel::adjustGeometry(int width, int height)
{
    groupFill->setGeometry(0, 2, designPanelWidth, groupFill->isExpanded() ? 166 : foldedHeight(groupFill));
    const bool frameRowShown = !frameEditorLabel->isHidden();
    groupShape->setGeometry(0, bottomOf(groupFill) + sectionGap, designPanelWidth,
                            groupShape->isExpanded() ? (frameRowShown ? 130 : 110) : foldedHeight(groupShape));
    groupFont->setGeometry(0, bottomOf(groupShape) + sectionGap, designPanelWidth,
                           groupFont->isExpanded() ? 138 : foldedHeight(groupFont));
    fillBrushControl->setVisible(groupFill->isExpanded());

    // The sheet is the panel's height, or as high as the sections need with
    // a few layer rows; the Layers section runs down to 2 pixels above its
    // foot.
    const int layersTop = bottomOf(groupFont) + sectionGap;
    const int leastLayers = groupLayers->isExpanded() ? leastLayersHeight() : foldedHeight(groupLayers);
    const int sheetHeight = qMax(height, layersTop + leastLayers + 2);
    groupLayers->setGeometry(0, layersTop, designPanelWidth,
                             groupLayers->isExpanded() ? sheetHeight - layersTop - 2 : foldedHeight(groupLayers));

    // One pixel wider than the room left of the window's edge, so that the
    // sections' right border falls outside. A scroll bar widens the panel
    // and stands right of the sections, wholly inside the window.
    const bool scrolls = sheetHeight > height;
    const int scrollBarWidth = scrolls ? designScrollArea->verticalScrollBar()->sizeHint().width() : 0;
    const int panelWidth = designPanelWidth + scrollBarWidth;
    setGeometry(width - panelWidth + 1, 0, panelWidth, height);
    designScrollArea->setVerticalScrollBarPolicy(scrolls ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    designScrollArea->setGeometry(0, 0, scrolls ? panelWidth - 1 : panelWidth, height);
    designSections->resize(scrolls ? designPanelWidth - 1 : designPanelWidth, sheetHeight);
    if (layerControl)
        layerControl->setGeometry(layerControlRect());
}

int DesignPanel::leastLayersHeight() const
{
    // Under the title bar, which the layers panel overlaps by 2 pixels, the
    // rows and the grid's border.
    const int rows = layerControl ? layerRowsAlwaysShown * layerControl->grid()->defaultRowHeight() : 0;
    return groupLayers->titleHeight() - 2 + rows + 2;
}

QRect DesignPanel::layerControlRect() const
{
    // Below the title bar, overlapping its lowest 2 pixels.
    const int title = groupLayers->titleHeight();
    return QRect(0, title - 2, groupLayers->width(), groupLayers->height() - title + 2);
}

bool DesignPanel::updateFrameRow()
{
    // Hidden, not visible: the row keeps its own state while the design
    // panel or the window is hidden.
    const bool wanted = m_frameEditor->shape() != nullptr;
    if (wanted == !m_frameEditor->isHidden())
        return false;
    m_frameEditor->setVisible(wanted);
    frameEditorLabel->setVisible(wanted);
    return true;
}

bool DesignPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Wheel && watched->parent() == designSections) {
        QCoreApplication::sendEvent(designScrollArea->verticalScrollBar(), event);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// --- Theme -----------------------------------------------------------------------------

void DesignPanel::useThemeStyle()
{
    for (SkinGroupBox *group : {groupFill, groupShape, groupFont, groupLayers})
        group->updateButtonIcons();
    fillBrushControl->updateButtonIcons();
    m_frameEditor->useThemeStyle();
    // The alignment icons and the stroke picker's editor; the window tints
    // the rest.
    const QList<QPushButton *> &aligns = fontAlignGroup->buttons();
    for (int index = 0; index < aligns.size(); ++index)
        aligns.at(index)->setIcon(skinTintedIcon(QLatin1String(alignIcons[index])));
    strokeBrushPicker->brushControl()->updateButtonIcons();
}
