#include "app/toolpalette.h"

#include "editor/sketchtool.h"
#include "skin/windows/skintheme.h"

#include <QCoreApplication>
#include <QIcon>
#include <QPushButton>

namespace {

// The tool tips are translated in the main window's context, in which the
// translation files carry them.
QString windowTr(const char *text)
{
    return QCoreApplication::translate("MainWindow", text);
}

// One row per button in palette order: its name, its icon and its tool; a
// row without a name is a separator.
struct PaletteRow
{
    const char *name;
    const char *icon;
    int toolId;
};

const PaletteRow paletteRows[] = {
    {"toolActionSelect", ":/tools/images/Arrow.png", SketchToolTypeSelect},
    {nullptr, nullptr, SketchToolTypeNone},
    {"toolActionPath", ":/tools/images/Path.png", SketchToolTypePath},
    {"toolActionPoint", ":/tools/images/InsertCornerPoint.png", SketchToolTypeCornerPoint},
    {"toolActionCurvePoint", ":/tools/images/InsertSmoothPoint.png", SketchToolTypeSmoothPoint},
    {"toolActionCutoff", ":/tools/images/Cutoff.png", SketchToolTypeCutoff},
    {"toolActionConnect", ":/tools/images/Connect.png", SketchToolTypeConnect},
    {nullptr, nullptr, SketchToolTypeNone},
    {"toolActionRotate", ":/tools/images/Rotate.png", SketchToolTypeRotate},
    {"toolActionResize", ":/tools/images/Resize.png", SketchToolTypeResize},
    {nullptr, nullptr, SketchToolTypeNone},
    {"toolActionRect", ":/tools/images/Rect.png", SketchToolTypeRect},
    {"toolActionEllipse", ":/tools/images/Ellipse.png", SketchToolTypeEllipse},
    {"toolActionBubble", ":/tools/images/Bubble.png", SketchToolTypeBubble},
    {"toolActionText", ":/tools/images/Text.png", SketchToolTypeText},
    {nullptr, nullptr, SketchToolTypeNone},
    {"toolActionSlice", ":/tools/images/Slice.png", SketchToolTypeSlice},
    {nullptr, nullptr, SketchToolTypeNone},
    {"toolActionZoomIn", ":/tools/images/ZoomIn.png", SketchToolTypeZoomIn},
    {"toolActionZoomOut", ":/tools/images/ZoomOut.png", SketchToolTypeZoomOut},
};

} // namespace

ToolPalette::ToolPalette(QWidget *parent)
    : SkinToolBox(parent)
{
    setObjectName(QStringLiteral("toolBox"));
    for (const PaletteRow &row : paletteRows) {
        if (!row.name) {
            addSeparator();
            continue;
        }
        // As drawn: the theme the window applies last tints every tool but
        // Select.
        QPushButton *button = addButton(QIcon(QLatin1String(row.icon)), toolTipOf(row.toolId), true);
        button->setObjectName(QLatin1String(row.name));
        m_buttons.insert(row.toolId, button);
    }
    m_buttons.value(SketchToolTypeSelect)->setChecked(true);
}

void ToolPalette::showTool(int toolId)
{
    for (auto entry = m_buttons.cbegin(); entry != m_buttons.cend(); ++entry)
        entry.value()->setChecked(entry.key() == toolId);
}

void ToolPalette::tintIcons()
{
    // The first tool, Select, keeps the colours of its arrow.
    bool first = true;
    for (QPushButton *button : buttons()) {
        if (button->icon().isNull())
            continue;
        if (!first)
            button->setIcon(skinTintedIcon(button->icon()));
        first = false;
    }
}

QString ToolPalette::toolTipOf(int toolId)
{
    switch (toolId) {
    case SketchToolTypeSelect:
        return windowTr("<b>Select</b><br/>1. Select and move the shapes.<br/>2. Select and move the "
                        "point. When the first and the last point overlap, the line will be into a closed "
                        "shape.<br/>3. Double click the closed shape, the text editor will show.");
    case SketchToolTypePath:
        return windowTr("<b>Create Line</b><br/>1. Move the cursor<img src=':/tools/images/Pen.png'/>, "
                        "click to add a corner point.<br/>2. Press CTRL key, the cursor changes to<img "
                        "src=':/tools/images/PenSmooth.png'/>, click to add a smooth point.<br/>3. Click "
                        "mouse right button to complete the line.<br/>4. When the first and the last "
                        "point overlap, a closed shape will be created.<br/>5. Press Escape key to cancel "
                        "the current action.");
    case SketchToolTypeRect:
        return windowTr("<b>Create Rectangle</b><br/>1. Press mouse left button, and move the cursor, and "
                        "then release mouse to complete the creation of rectangle.<br/>2. Press mouse "
                        "left button with SHIFT key, square will be created.<br/>3. Press Escape key to "
                        "cancel the current action.");
    case SketchToolTypeEllipse:
        return windowTr("<b>Create Ellipse</b><br/>1. Press mouse left button, and move the cursor, and "
                        "then release mouse to complete the creation of ellipse.<br/>2. Press mouse left "
                        "button with SHIFT key, circle will be created.<br/>3. Press Escape key to cancel "
                        "the current action.");
    case SketchToolTypeBubble:
        return windowTr("<b>Create Bubble</b><br/>1. Press mouse left button, and move the cursor, and "
                        "then release mouse to create a dialogue bubble.<br/>2. The direction point of "
                        "the bubble can be moved freely.<br/>3. More bubbles are in the Materials "
                        "panel.<br/>4. Press Escape key to cancel the current action.");
    case SketchToolTypeText:
        return windowTr("<b>Add Text</b><br/>1. Move the cursor<img src=':/tools/images/Text.png'/>, click "
                        "to show text editor.<br/>2. In fact, double click any closed shape, the text "
                        "editor will show.<br/>3. Press Escape key to cancel the current action.");
    case SketchToolTypeCornerPoint:
        return windowTr("<b>Insert Corner Point</b><br/>1. Move the cursor<img "
                        "src=':/tools/images/Pen.png'/> over the line, a small black square shows where a "
                        "point can be inserted; click to insert a corner point.<br/>2. Click a smooth "
                        "point, it will be turned into a corner point.<br/>3. No point can be inserted "
                        "into a group shape.<br/>4. Press Escape key to cancel the current action.");
    case SketchToolTypeSmoothPoint:
        return windowTr("<b>Insert Smooth Point</b><br/>1. Move the cursor<img "
                        "src=':/tools/images/PenSmooth.png'/> over the line, a small red circle shows "
                        "where a point can be inserted; click to insert a smooth point.<br/>2. Click a "
                        "corner point, it will be turned into a smooth point.<br/>3. No point can be "
                        "inserted into a group shape.<br/>4. Press Escape key to cancel the current "
                        "action.");
    case SketchToolTypeCutoff:
        return windowTr("<b>Cut off Line</b><br/>1. Move the cursor<img "
                        "src=':/tools/images/PenCutoff.png'/> over the line, a red <font "
                        "color='red'>X</font> mark shows where it can be cut; click to cut it off.<br/>2. "
                        "Click a point to delete the point.<br/>3. Lines of a group shape cannot be "
                        "cut.<br/>4. Press Escape key to cancel the current action.");
    case SketchToolTypeConnect:
        return windowTr("<b>Connect Lines</b><br/>1. Move the cursor<img "
                        "src=':/tools/images/PenConnect.png'/> to the first or the last point of a line, "
                        "press mouse left button, drag to a point of another shape and release: the two "
                        "lines will be joined into a new line.<br/>2. When both points belong to the same "
                        "line, it will be into a closed shape.<br/>3. Press Escape key to cancel the "
                        "current action.");
    case SketchToolTypeRotate:
        return windowTr("<b>Rotate</b><br/>1. Click a shape, the rotate handle will show.<br/>2. Drag the "
                        "handle around the centre, and then release mouse to complete the rotation.<br/>3. "
                        "The angle is shown right of the handle.<br/>4. Press Escape key to cancel the "
                        "current action.");
    case SketchToolTypeZoomIn:
        return windowTr("<b>Zoom In</b><br/>1. Move cursor to the target position, click to zoom "
                        "in.<br/>2. Press CTRL key and scroll down mouse wheel to zoom in.<br/>3. Press "
                        "Escape key to cancel the current action.");
    case SketchToolTypeZoomOut:
        return windowTr("<b>Zoom Out</b><br/>1. Move cursor to the target position, click to zoom "
                        "out.<br/>2. Press CTRL key and scroll up mouse wheel to zoom out.<br/>3. Press "
                        "Escape key to cancel the current action.");
    case SketchToolTypeSlice:
        return windowTr("<b>Slice</b><br/>1. Press mouse left button, and move the cursor, and then "
                        "release mouse to add a slice.<br/>2. Storyloom\u00a9 also generates automatic "
                        "slices, shown or hidden through View-&gt;Automatic Slices.<br/>3. A selected "
                        "automatic slice shows a gray focus and cannot be moved.<br/>4. Slices are "
                        "exported through the File menu, choosing 'HTML and images' or 'Only "
                        "images'.<br/>5. Press Escape key to cancel the current action.");
    case SketchToolTypeResize:
        return windowTr("Resize");
    default:
        return QString();
    }
}
