// The panels around the document tabs: the tool palette with the materials
// panel on the left, and the design panel (Fill, Shape, Font, Layers) on the
// right. Only construction lives here; the placement that follows the window
// size and the folded sections is adjustUIGeometries() (mainwindowlayout.cpp).
#include "app/mainwindow.h"

#include "app/sketchframeeditor.h"
#include "materials/sketchmaterialbox.h"
#include "model/sketchglobals.h"
#include "skin/controls/skinbrushcontrol.h"
#include "skin/controls/skinbrushpicker.h"
#include "skin/controls/skinbuttongroup.h"
#include "skin/controls/skincolorpicker.h"
#include "skin/controls/skinpenpicker.h"
#include "skin/controls/skinslider.h"
#include "skin/windows/skingroupbox.h"
#include "skin/windows/skintheme.h"
#include "skin/windows/skintoolbox.h"

#include <QFont>
#include <QFontComboBox>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>

namespace {

// The icons of the font alignment buttons, in button order.
const char *const alignIcons[] = {":/widgets/images/AlignLeft.png",
                                  ":/widgets/images/AlignCenter.png",
                                  ":/widgets/images/AlignRight.png",
                                  ":/widgets/images/AlignVertical.png"};

// Where the caption of a labelled row ends: controls start 6 pixels right.
const int fieldLeft = 67;

} // namespace

QPushButton *MainWindow::toolButton(int id) const
{
    return toolButtons.value(id);
}

// --- Tool panel -----------------------------------------------------------------

void MainWindow::createToolPanel()
{
    toolPanel = new QWidget(centralWidget());
    toolPanel->setObjectName(QStringLiteral("toolPanel"));
    toolPanel->setMouseTracking(true);
    toolBox = new SkinToolBox(toolPanel);
    toolBox->setObjectName(QStringLiteral("toolBox"));
    materialBox = new SketchMaterialBox(toolPanel);
    materialBox->setObjectName(QStringLiteral("materialBox"));
    materialBox->setMainWindow(this);
    connect(materialBox, SIGNAL(moreMaterialsDownloaded()), this, SLOT(downloadMoreMaterials()));
    createToolButtons();
}

QString MainWindow::toolTipOf(int toolId)
{
    switch (toolId) {
    case 1:
        return tr("<b>Select</b><br/>1. Select and move the shapes.<br/>2. Select and move the "
                  "point. When the first and the last point overlap, the line will be into a closed "
                  "shape.<br/>3. Double click the closed shape, the text editor will show.");
    case 2:
        return tr("<b>Create Line</b><br/>1. Move the cursor<img src=':/tools/images/Pen.png'/>, "
                  "click to add a corner point.<br/>2. Press CTRL key, the cursor changes to<img "
                  "src=':/tools/images/PenSmooth.png'/>, click to add a smooth point.<br/>3. Click "
                  "mouse right button to complete the line.<br/>4. When the first and the last "
                  "point overlap, a closed shape will be created.<br/>5. Press Escape key to cancel "
                  "the current action.");
    case 3:
        return tr("<b>Create Rectangle</b><br/>1. Press mouse left button, and move the cursor, and "
                  "then release mouse to complete the creation of rectangle.<br/>2. Press mouse "
                  "left button with SHIFT key, square will be created.<br/>3. Press Escape key to "
                  "cancel the current action.");
    case 4:
        return tr("<b>Create Ellipse</b><br/>1. Press mouse left button, and move the cursor, and "
                  "then release mouse to complete the creation of ellipse.<br/>2. Press mouse left "
                  "button with SHIFT key, circle will be created.<br/>3. Press Escape key to cancel "
                  "the current action.");
    case 5:
        return tr("<b>Create Bubble</b><br/>1. Press mouse left button, and move the cursor, and "
                  "then release mouse to create a dialogue bubble.<br/>2. The direction point of "
                  "the bubble can be moved freely.<br/>3. More bubbles are in the Materials "
                  "panel.<br/>4. Press Escape key to cancel the current action.");
    case 6:
        return tr("<b>Add Text</b><br/>1. Move the cursor<img src=':/tools/images/Text.png'/>, click "
                  "to show text editor.<br/>2. In fact, double click any closed shape, the text "
                  "editor will show.<br/>3. Press Escape key to cancel the current action.");
    case 7:
        return tr("<b>Insert Corner Point</b><br/>1. Move the cursor<img "
                  "src=':/tools/images/Pen.png'/> over the line, a small black square shows where a "
                  "point can be inserted; click to insert a corner point.<br/>2. Click a smooth "
                  "point, it will be turned into a corner point.<br/>3. No point can be inserted "
                  "into a group shape.<br/>4. Press Escape key to cancel the current action.");
    case 8:
        return tr("<b>Insert Smooth Point</b><br/>1. Move the cursor<img "
                  "src=':/tools/images/PenSmooth.png'/> over the line, a small red circle shows "
                  "where a point can be inserted; click to insert a smooth point.<br/>2. Click a "
                  "corner point, it will be turned into a smooth point.<br/>3. No point can be "
                  "inserted into a group shape.<br/>4. Press Escape key to cancel the current "
                  "action.");
    case 9:
        return tr("<b>Cut off Line</b><br/>1. Move the cursor<img "
                  "src=':/tools/images/PenCutoff.png'/> over the line, a red <font "
                  "color='red'>X</font> mark shows where it can be cut; click to cut it off.<br/>2. "
                  "Click a point to delete the point.<br/>3. Lines of a group shape cannot be "
                  "cut.<br/>4. Press Escape key to cancel the current action.");
    case 10:
        return tr("<b>Connect Lines</b><br/>1. Move the cursor<img "
                  "src=':/tools/images/PenConnect.png'/> to the first or the last point of a line, "
                  "press mouse left button, drag to a point of another shape and release: the two "
                  "lines will be joined into a new line.<br/>2. When both points belong to the same "
                  "line, it will be into a closed shape.<br/>3. Press Escape key to cancel the "
                  "current action.");
    case 11:
        return tr("<b>Rotate</b><br/>1. Click a shape, the rotate handle will show.<br/>2. Drag the "
                  "handle around the centre, and then release mouse to complete the rotation.<br/>3. "
                  "The angle is shown right of the handle.<br/>4. Press Escape key to cancel the "
                  "current action.");
    case 12:
        return tr("<b>Zoom In</b><br/>1. Move cursor to the target position, click to zoom "
                  "in.<br/>2. Press CTRL key and scroll down mouse wheel to zoom in.<br/>3. Press "
                  "Escape key to cancel the current action.");
    case 13:
        return tr("<b>Zoom Out</b><br/>1. Move cursor to the target position, click to zoom "
                  "out.<br/>2. Press CTRL key and scroll up mouse wheel to zoom out.<br/>3. Press "
                  "Escape key to cancel the current action.");
    case 17:
        return tr("<b>Slice</b><br/>1. Press mouse left button, and move the cursor, and then "
                  "release mouse to add a slice.<br/>2. Storyloom\u00a9 also generates automatic "
                  "slices, shown or hidden through View-&gt;Automatic Slices.<br/>3. A selected "
                  "automatic slice shows a gray focus and cannot be moved.<br/>4. Slices are "
                  "exported through the File menu, choosing 'HTML and images' or 'Only "
                  "images'.<br/>5. Press Escape key to cancel the current action.");
    case 18:
        return tr("Resize");
    default:
        return QString();
    }
}

void MainWindow::createToolButtons()
{
    // One row per palette button in palette order: its field and that
    // field's name, its icon, its tool id and the slot that selects the
    // tool; a row without a field is a separator.
    const struct {
        QPushButton *MainWindow::*field;
        const char *name;
        const char *icon;
        int toolId;
        const char *slot;
    } rows[] = {
        {&MainWindow::toolActionSelect, "toolActionSelect", ":/tools/images/Arrow.png",
         1, SLOT(toolActionSelectChecked())},
        {nullptr, nullptr, nullptr, 0, nullptr},
        {&MainWindow::toolActionPath, "toolActionPath", ":/tools/images/Path.png",
         2, SLOT(toolActionPathChecked())},
        {&MainWindow::toolActionPoint, "toolActionPoint", ":/tools/images/InsertCornerPoint.png",
         7, SLOT(toolActionPointChecked())},
        {&MainWindow::toolActionCurvePoint, "toolActionCurvePoint", ":/tools/images/InsertSmoothPoint.png",
         8, SLOT(toolActionCurvePointChecked())},
        {&MainWindow::toolActionCutoff, "toolActionCutoff", ":/tools/images/Cutoff.png",
         9, SLOT(toolActionCutoffChecked())},
        {&MainWindow::toolActionConnect, "toolActionConnect", ":/tools/images/Connect.png",
         10, SLOT(toolActionConnectChecked())},
        {nullptr, nullptr, nullptr, 0, nullptr},
        {&MainWindow::toolActionRotate, "toolActionRotate", ":/tools/images/Rotate.png",
         11, SLOT(toolActionRotateChecked())},
        {&MainWindow::toolActionResize, "toolActionResize", ":/tools/images/Resize.png",
         18, SLOT(toolActionResizeChecked())},
        {nullptr, nullptr, nullptr, 0, nullptr},
        {&MainWindow::toolActionRect, "toolActionRect", ":/tools/images/Rect.png",
         3, SLOT(toolActionRectChecked())},
        {&MainWindow::toolActionEllipse, "toolActionEllipse", ":/tools/images/Ellipse.png",
         4, SLOT(toolActionEllipseChecked())},
        {&MainWindow::toolActionBubble, "toolActionBubble", ":/tools/images/Bubble.png",
         5, SLOT(toolActionBubbleChecked())},
        {&MainWindow::toolActionText, "toolActionText", ":/tools/images/Text.png",
         6, SLOT(toolActionTextChecked())},
        {nullptr, nullptr, nullptr, 0, nullptr},
        {&MainWindow::toolActionSlice, "toolActionSlice", ":/tools/images/Slice.png",
         17, SLOT(toolActionSliceChecked())},
        {nullptr, nullptr, nullptr, 0, nullptr},
        {&MainWindow::toolActionZoomIn, "toolActionZoomIn", ":/tools/images/ZoomIn.png",
         12, SLOT(toolActionZoomInChecked())},
        {&MainWindow::toolActionZoomOut, "toolActionZoomOut", ":/tools/images/ZoomOut.png",
         13, SLOT(toolActionZoomOutChecked())},
    };
    for (const auto &row : rows) {
        if (!row.field) {
            toolBox->addSeparator();
            continue;
        }
        // As drawn: the theme the constructor applies last tints every tool
        // but Select.
        QPushButton *button = toolBox->addButton(QIcon(QLatin1String(row.icon)),
                                                 toolTipOf(row.toolId), true);
        button->setObjectName(QLatin1String(row.name));
        connect(button, SIGNAL(clicked()), this, row.slot);
        toolButtons.insert(row.toolId, button);
        this->*row.field = button;
    }
    toolActionSelect->setChecked(true);
}

// --- Row builders ---------------------------------------------------------------

QLabel *MainWindow::addFieldLabel(QWidget *control, const QString &caption)
{
    auto *label = new QLabel(caption, control->parentWidget());
    label->setGeometry(4, control->y(), 58, 15);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // A row is 16 high; the button groups, whose buttons are 18 high, keep
    // their height, or the buttons would lose their bottom borders.
    control->setGeometry(fieldLeft, control->y(), control->width(), qMax(16, control->height()));
    return label;
}

SkinSlider *MainWindow::createValueSlider(QWidget *parent, const QString &caption, int y,
                                          int maximum, int pageStep, const QString &suffix)
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
    connect(slider, SIGNAL(valueSuffixChanged(QString)), value, SLOT(setText(QString)));
    return slider;
}

// --- Design panel ---------------------------------------------------------------

SkinGroupBox *MainWindow::addDesignSection(const char *name, const QString &title)
{
    auto *section = new SkinGroupBox(designSections);
    section->setObjectName(QLatin1String(name));
    section->setTitle(title);
    section->setExpandable(true);
    connect(section, SIGNAL(expandChanged()), this, SLOT(adjustUIGeometries()));
    section->installEventFilter(this);
    return section;
}

void MainWindow::createDesignPanel()
{
    designPanel = new QWidget(centralWidget());
    designPanel->setObjectName(QStringLiteral("designPanel"));
    designPanel->setMouseTracking(true);
    // The sections lie on one sheet that scrolls up and down in a window too
    // low for them; the scroll bar is the theme's. Nothing paints behind
    // them but the window's panel colour.
    designScrollArea = new QScrollArea(designPanel);
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
    createLayersSection();
}

void MainWindow::createFillSection()
{
    groupFill = addDesignSection("groupFill", tr("Fill"));
    const int t = groupFill->titleHeight();
    fillBrushControl = new SkinBrushControl(groupFill);
    fillBrushControl->setObjectName(QStringLiteral("fillBrushControl"));
    fillBrushControl->setGeometry(0, t - 2, 188, 148);
    fillBrushControl->setContextButtonVisible(true);
    fillBrushControl->setSelectedBrush(SkinBrush::transparentBrush());

    connect(fillBrushControl, SIGNAL(selectedBrushChanged(SkinBrush)), this,
            SLOT(changeFillBrush(SkinBrush)));
    connect(fillBrushControl, SIGNAL(selectedBrushChanging(SkinBrush)), this,
            SLOT(changingFillBrush(SkinBrush)));
    connect(fillBrushControl, SIGNAL(colorPicking()), this, SLOT(beginFillColorPicking()));
    connect(fillBrushControl, SIGNAL(gradientColorPicking(SkinColorPicker*)), this,
            SLOT(beginGradientColorPicking(SkinColorPicker*)));
}

void MainWindow::createShapeSection()
{
    groupShape = addDesignSection("groupShape", tr("Shape"));
    const int t = groupShape->titleHeight();

    strokeBrushPicker = new SkinBrushPicker(groupShape);
    strokeBrushPicker->setObjectName(QStringLiteral("strokeBrushPicker"));
    strokeBrushPicker->setGeometry(0, t + 6, 49, 16);
    addFieldLabel(strokeBrushPicker, tr("Stroke:"));
    strokeBrushPicker->setPopupRect(QRect(QPoint(-67, 0), QPoint(120, 179)));
    strokeBrushPicker->setSelectedBrush(SkinBrush::blackBrush());
    strokeBrushPicker->brushControl()->setContextButtonVisible(true);
    // A stroke is painted with a gradient or a colour, never a picture.
    strokeBrushPicker->brushControl()->setImageBrushEnabled(false);

    strokePenPicker = new SkinPenPicker(groupShape);
    strokePenPicker->setObjectName(QStringLiteral("strokePenPicker"));
    // Sharing the brush swatch's right border column.
    strokePenPicker->setGeometry(strokeBrushPicker->geometry().right(), strokeBrushPicker->y(), 29,
                                 16);
    strokePenPicker->setPopupRect(QRect(QPoint(-115, 0), QPoint(72, 179)));
    strokePenPicker->setSelectedPen(QPen());
    strokeWidthLabel = new QLabel(QStringLiteral("1px"), groupShape);
    strokeWidthLabel->setObjectName(QStringLiteral("strokeWidthLabel"));
    strokeWidthLabel->setGeometry(strokePenPicker->geometry().right() + 3, strokePenPicker->y(), 32,
                                  15);

    tensionSlider = createValueSlider(groupShape, tr("Tension:"), t + 27, 100, 10,
                                      QStringLiteral("%"));
    tensionSlider->setObjectName(QStringLiteral("tensionSlider"));
    opacitySlider = createValueSlider(groupShape, tr("Opacity:"), t + 47, 100, 10,
                                      QStringLiteral("%"));
    opacitySlider->setObjectName(QStringLiteral("opacitySlider"));
    blurSlider = createValueSlider(groupShape, tr("Blur:"), t + 67, 10, 2, QStringLiteral("px"));
    blurSlider->setObjectName(QStringLiteral("blurSlider"));
    createFrameRow(t + 87);

    connect(strokeBrushPicker, SIGNAL(selectedBrushChanged(SkinBrush)), this,
            SLOT(changeStrokeBrush(SkinBrush)));
    connect(strokeBrushPicker, SIGNAL(colorPicking()), this, SLOT(beginStrokeColorPicking()));
    connect(strokeBrushPicker, SIGNAL(gradientColorPicking(SkinColorPicker*)), this,
            SLOT(beginGradientColorPicking(SkinColorPicker*)));
    connect(strokePenPicker, SIGNAL(selectedPenChanged(QPen)), this, SLOT(changeStrokeStyle(QPen)));
    connect(strokePenPicker, SIGNAL(selectedPenWidthChanged(QString)), strokeWidthLabel,
            SLOT(setText(QString)));
    connectValueSlider(tensionSlider, SLOT(changingShapeTension(int)), SLOT(changeShapeTension(int)));
    connectValueSlider(opacitySlider, SLOT(changingShapeOpacity(int)), SLOT(changeShapeOpacity(int)));
    connectValueSlider(blurSlider, SLOT(changingShapeBlur(int)), SLOT(changeShapeBlur(int)));
}

void MainWindow::createFrameRow(int y)
{
    // The "Face:" row: the frame editor with its label, both hidden until
    // the editor has a shape; the Shape section then keeps the height of a
    // section without the row.
    createFrameEditor(y);
    frameEditorLabel = addFieldLabel(frameEditor, tr("Face:"));
    frameEditorLabel->setObjectName(QStringLiteral("frameEditorLabel"));
    frameEditorLabel->hide();
}

void MainWindow::connectValueSlider(SkinSlider *slider, const char *changing, const char *accepted)
{
    connect(slider, SIGNAL(valueChanging(int)), this, changing);
    connect(slider, SIGNAL(valueAccepted(int)), this, accepted);
}

void MainWindow::createFontSection()
{
    groupFont = addDesignSection("groupFont", tr("Font"));
    const int t = groupFont->titleHeight();

    fontComboBox = new QFontComboBox(groupFont);
    fontComboBox->setObjectName(QStringLiteral("fontComboBox"));
    fontComboBox->setGeometry(0, t + 6, 100, 16);
    addFieldLabel(fontComboBox, tr("Font:"));
    fontComboBox->setEditable(false);
    showFontFamily(SketchGlobals::defaultFont()->family());

    fontColorPicker = new SkinColorPicker(groupFont);
    fontColorPicker->setObjectName(QStringLiteral("fontColorPicker"));
    fontColorPicker->setGeometry(0, t + 28, 49, 16);
    addFieldLabel(fontColorPicker, tr("Color:"));
    fontColorPicker->setPopupRect(QRect(QPoint(-67, 0), QPoint(120, 149)));
    fontColorPicker->setSelectedColor(Qt::black);

    fontAlignGroup = new SkinButtonGroup(groupFont);
    fontAlignGroup->setObjectName(QStringLiteral("fontAlignGroup"));
    fontAlignGroup->move(0, t + 49);
    const QString alignTips[] = {tr("Left"), tr("Center"), tr("Right"), tr("Vertical")};
    for (int index = 0; index < 4; ++index)
        fontAlignGroup->addButton(skinTintedIcon(QLatin1String(alignIcons[index])), QString(),
                                  alignTips[index]);
    addFieldLabel(fontAlignGroup, tr("Align:"));

    fontStyleGroup = new SkinButtonGroup(groupFont);
    fontStyleGroup->setObjectName(QStringLiteral("fontStyleGroup"));
    fontStyleGroup->move(0, t + 72);
    fontStyleGroup->setMultiCheck(true);
    addFontStyleButtons();
    addFieldLabel(fontStyleGroup, tr("Style:"));

    fontSizeSlider = createValueSlider(groupFont, tr("Size:"), t + 94, 100, 1, QStringLiteral("px"));
    fontSizeSlider->setObjectName(QStringLiteral("fontSizeSlider"));

    connect(fontComboBox, SIGNAL(currentTextChanged(QString)), this,
            SLOT(changeShapeFontName(QString)));
    connect(fontColorPicker, SIGNAL(selectedColorChanged(QColor)), this,
            SLOT(changeShapeFontColor(QColor)));
    connect(fontColorPicker, SIGNAL(colorPicking()), this, SLOT(beginForeColorPicking()));
    connect(fontAlignGroup, SIGNAL(selectedIndexChanged(int)), this, SLOT(changeShapeFontAlign(int)));
    connect(fontStyleGroup, SIGNAL(buttonCheckedChanged()), this, SLOT(changeShapeFontStyle()));
    connectValueSlider(fontSizeSlider, SLOT(changingShapeFontSize(int)),
                       SLOT(changeShapeFontSize(int)));
}

void MainWindow::addFontStyleButtons()
{
    // The letters are the same in every language; each button shows its
    // letter in the style it switches.
    QPushButton *bold = fontStyleGroup->addButton(QIcon(), QStringLiteral("B"), tr("Bold"));
    QPushButton *italic = fontStyleGroup->addButton(QIcon(), QStringLiteral("I"), tr("Italic"));
    QPushButton *underline = fontStyleGroup->addButton(QIcon(), QStringLiteral("U"),
                                                       tr("Underline"));
    QPushButton *strikeOut = fontStyleGroup->addButton(QIcon(), QStringLiteral("S"),
                                                       tr("StrikeOut"));
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

void MainWindow::createLayersSection()
{
    // adjustUIGeometries() finds the layers panel by its name and places it.
    groupLayers = addDesignSection("groupLayers", tr("Layers"));
    createLayerControl(groupLayers);
}

// --- Theme ----------------------------------------------------------------------

void MainWindow::tintPanelIcons()
{
    const QList<QPushButton *> &aligns = fontAlignGroup->buttons();
    for (int index = 0; index < aligns.size(); ++index)
        aligns.at(index)->setIcon(skinTintedIcon(QLatin1String(alignIcons[index])));
    strokeBrushPicker->brushControl()->updateButtonIcons();
}
