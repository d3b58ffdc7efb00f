// Property changes from the design panel: each control's live ("changing")
// values are applied to the selected shapes at once, and its final value is
// recorded as one step under a fixed text; one drag is one undo step. With
// nothing selected, fill and stroke go to the paper.
//
// The pending commands belong to the view and the targets they were begun
// on (DesignPanelGesture): a step for another view or selection takes the
// stale one back before it begins anew, and nothing is pushed onto a view
// other than the one the command was built for.
#include "app/designpanel.h"

#include "app/sketchframeeditor.h"
#include "app/sketchlayercontrol.h"
#include "commands/sketchcommandchangepaperborder.h"
#include "commands/sketchcommandchangepapercolor.h"
#include "commands/sketchcommandmanager.h"
#include "commands/sketchcommandupdate.h"
#include "editor/sketchdocumentview.h"
#include "editor/sketchtool.h"
#include "model/sketchshape.h"
#include "model/sketchstroke.h"
#include "model/sketchtextalign.h"
#include "skin/controls/skinbrushcontrol.h"
#include "skin/controls/skinbrushpicker.h"
#include "skin/controls/skinbuttongroup.h"
#include "skin/controls/skincolorpicker.h"
#include "skin/controls/skinslider.h"

#include <QFont>
#include <QPushButton>

namespace {

const QString PaperColorText = QStringLiteral("Change Paper Color");

} // namespace

// --- The shape edits --------------------------------------------------------------

SketchDocumentView *DesignPanel::shapeEditView(bool sliceStops) const
{
    SketchDocumentView *view = currentDocumentView();
    if (view && sliceStops && view->currentToolType() == SketchToolTypeSlice)
        return nullptr;
    return view;
}

void DesignPanel::editShapes(SketchDocumentView *view, const QList<SketchShape *> &targets, const QString &text,
                             bool final, bool repaintLive, const ShapeEdit &edit)
{
    const auto makeCommand = [view, &targets]() { return new SketchCommandUpdate(view, targets); };
    if (!pendingUpdateCommand.open(view, targets, text, final, makeCommand))
        return;
    for (SketchShape *target : targets)
        edit(target);
    pendingUpdateCommand.markChanged();
    if (!final) {
        if (repaintLive)
            view->repaintShapes(targets);
        return;
    }
    for (SketchShape *target : targets)
        target->updateBlurImage();
    pendingUpdateCommand.push(text);
    if (layerControl)
        layerControl->update();
}

void DesignPanel::editSelectedShapes(const QString &text, bool final, bool repaintLive, const ShapeEdit &edit)
{
    SketchDocumentView *view = shapeEditView(true);
    if (!view)
        return;
    const QList<SketchShape *> targets = view->selectedInnerShapes();
    if (!targets.isEmpty())
        editShapes(view, targets, text, final, repaintLive, edit);
}

// --- Fill and the paper colour ------------------------------------------------------

void DesignPanel::changingFillBrush(SkinBrush brush)
{
    editFill(brush, false);
}

void DesignPanel::changeFillBrush(SkinBrush brush)
{
    editFill(brush, true);
}

void DesignPanel::editFill(SkinBrush brush, bool final)
{
    // Under the slice tool neither step touches the shapes or the paper: a
    // live paper change there could never be recorded.
    SketchDocumentView *view = currentDocumentView();
    if (view && view->currentToolType() == SketchToolTypeSlice)
        return;
    const QList<SketchShape *> targets = view ? view->selectedInnerShapes() : QList<SketchShape *>();
    if (targets.isEmpty()) {
        editPaperColor(brush, final);
        return;
    }
    brush.setOpacity(opacitySlider->value() / 100.0f);
    editShapes(view, targets, QStringLiteral("changeFillBrush"), final, true,
               [&brush](SketchShape *target) { target->setFill(brush); });
}

void DesignPanel::editPaperColor(const SkinBrush &brush, bool final)
{
    SketchView *view = currentSketchView();
    if (!view)
        return;
    const auto makeCommand = [view, &brush]() { return new SketchCommandChangePaperColor(view, brush); };
    if (!pendingPaperColorCommand.open(view, {}, PaperColorText, final, makeCommand))
        return;
    // The step records the last value given, live or final.
    static_cast<SketchCommandChangePaperColor *>(pendingPaperColorCommand.command())->setNewBrush(brush);
    view->setPaperColor(brush);
    pendingPaperColorCommand.markChanged();
    if (final)
        pendingPaperColorCommand.push(PaperColorText);
    else
        view->update();
}

// --- Stroke and the paper border ----------------------------------------------------

void DesignPanel::changeStrokeBrush(SkinBrush brush)
{
    SketchDocumentView *view = shapeEditView(true);
    if (!view)
        return;
    const QList<SketchShape *> targets = view->selectedInnerShapes();
    if (targets.isEmpty()) {
        SketchStroke border = view->paperBorder();
        border.setBrush(brush);
        changePaperBorder(view, border);
        return;
    }
    editShapes(view, targets, QStringLiteral("changeStrokeBrush"), true, true, [&brush](SketchShape *target) {
        SketchStroke stroke = target->stroke();
        stroke.setBrush(brush);
        target->setStroke(stroke);
    });
}

void DesignPanel::changeStrokeStyle(QPen pen)
{
    SketchDocumentView *view = shapeEditView(false);
    if (!view)
        return;
    const int style = pen.capStyle() == Qt::RoundCap ? 0 : 1;
    const QList<SketchShape *> targets = view->selectedInnerShapes();
    if (targets.isEmpty()) {
        SketchStroke border = view->paperBorder();
        border.setStyle(style);
        border.setWidth(pen.width());
        changePaperBorder(view, border);
        return;
    }
    editShapes(view, targets, QStringLiteral("changeStrokeStyle"), true, true, [&pen, style](SketchShape *target) {
        SketchStroke stroke = target->stroke();
        stroke.setWidth(pen.width());
        stroke.setStyle(style);
        target->setStroke(stroke);
    });
}

void DesignPanel::changePaperBorder(SketchDocumentView *view, const SketchStroke &border)
{
    view->commandManager()->push(new SketchCommandChangePaperBorder(view, border),
                                 QStringLiteral("changePaperBorder"));
}

// --- Tension, opacity, blur -----------------------------------------------------------

namespace {

std::function<void(SketchShape *)> tensionEdit(int value)
{
    const float tension = value / 100.0f;
    return [tension](SketchShape *target) {
        if (target->tension() != tension)
            target->setTension(tension);
    };
}

std::function<void(SketchShape *)> opacityEdit(int value)
{
    const float opacity = value / 100.0f;
    return [opacity](SketchShape *target) {
        if (target->opacity() != opacity)
            target->setOpacity(opacity);
    };
}

std::function<void(SketchShape *)> blurEdit(int value)
{
    return [value](SketchShape *target) {
        if (target->blur() != value)
            target->setBlur(value);
    };
}

std::function<void(SketchShape *)> fontSizeEdit(int value)
{
    const int size = qMax(1, value);
    return [size](SketchShape *target) {
        if (target->font().pixelSize() == size)
            return;
        QFont font = target->font();
        font.setPixelSize(size);
        target->setFont(font);
    };
}

} // namespace

void DesignPanel::changingShapeTension(int value)
{
    editSelectedShapes(QStringLiteral("changeShapeTension"), false, true, tensionEdit(value));
}

void DesignPanel::changeShapeTension(int value)
{
    editSelectedShapes(QStringLiteral("changeShapeTension"), true, true, tensionEdit(value));
}

void DesignPanel::changingShapeOpacity(int value)
{
    editSelectedShapes(QStringLiteral("changeShapeOpacity"), false, true, opacityEdit(value));
}

void DesignPanel::changeShapeOpacity(int value)
{
    editSelectedShapes(QStringLiteral("changeShapeOpacity"), true, true, opacityEdit(value));
}

// The blurred images are rebuilt only when the value is accepted: no live
// repaint.
void DesignPanel::changingShapeBlur(int value)
{
    editSelectedShapes(QStringLiteral("changeShapeBlur"), false, false, blurEdit(value));
}

void DesignPanel::changeShapeBlur(int value)
{
    editSelectedShapes(QStringLiteral("changeShapeBlur"), true, true, blurEdit(value));
}

// --- Font -------------------------------------------------------------------------------

void DesignPanel::changingShapeFontSize(int size)
{
    editSelectedShapes(QStringLiteral("changeShapeFontSize"), false, true, fontSizeEdit(size));
}

void DesignPanel::changeShapeFontSize(int size)
{
    editSelectedShapes(QStringLiteral("changeShapeFontSize"), true, true, fontSizeEdit(size));
}

void DesignPanel::changeShapeFontAlign(int align)
{
    const int value = align < 0 ? int(SketchTextAlignCenter) : align;
    editSelectedShapes(QStringLiteral("changeShapeAlign"), true, true, [value](SketchShape *target) {
        if (target->align() != value)
            target->setAlign(value);
    });
}

void DesignPanel::changeShapeFontStyle()
{
    if (fontStyleGroup->buttons().size() < 4)
        return;
    const QList<QPushButton *> &buttons = fontStyleGroup->buttons();
    const bool bold = buttons.at(0)->isChecked();
    const bool italic = buttons.at(1)->isChecked();
    const bool underline = buttons.at(2)->isChecked();
    const bool strikeOut = buttons.at(3)->isChecked();
    editSelectedShapes(QStringLiteral("changeShapeFontStyle"), true, true, [=](SketchShape *target) {
        QFont font = target->font();
        font.setWeight(bold ? QFont::Bold : QFont::Normal);
        font.setStyle(italic ? QFont::StyleItalic : QFont::StyleNormal);
        font.setUnderline(underline);
        font.setStrikeOut(strikeOut);
        // The target's own font: a group's members keep theirs.
        target->SketchShape::setFont(font);
    });
}

void DesignPanel::changeShapeFontName(QString family)
{
    // Filling the panel sets the font box, which announces it.
    if (!designPanelLive)
        return;
    SketchDocumentView *view = shapeEditView(true);
    if (!view)
        return;
    const QList<SketchShape *> targets = view->selectedInnerShapes();
    if (targets.isEmpty() || (targets.size() == 1 && targets.first()->font().family() == family))
        return;
    editShapes(view, targets, QStringLiteral("changeShapeFontName"), true, true, [&family](SketchShape *target) {
        if (target->font().family() == family)
            return;
        QFont font = target->font();
        font.setFamily(family);
        target->SketchShape::setFont(font);
    });
}

void DesignPanel::changeShapeFontColor(QColor color)
{
    SketchDocumentView *view = shapeEditView(true);
    if (!view)
        return;
    const QList<SketchShape *> targets = view->selectedInnerShapes();
    if (targets.isEmpty() || (targets.size() == 1 && targets.first()->fontColor() == color))
        return;
    editShapes(view, targets, QStringLiteral("changeShapeFontColor"), true, true, [&color](SketchShape *target) {
        if (target->fontColor() != color)
            target->setFontColor(color);
    });
}

// --- Frames ------------------------------------------------------------------------------

void DesignPanel::changeShapeFrame(SketchFrameEditor *editor, int index)
{
    SketchDocumentView *view = shapeEditView(true);
    if (view && editor && editor->shape())
        view->changeShapeFrame(editor->shape(), index);
}

// --- Colour picking from the page ------------------------------------------------------------

namespace {

// A pick begins only on a document view that is not slicing.
SketchDocumentView *pickingView(SketchDocumentView *view)
{
    return view && view->currentToolType() != SketchToolTypeSlice ? view : nullptr;
}

} // namespace

void DesignPanel::beginFillColorPicking(QWidget *control)
{
    SketchDocumentView *view = pickingView(currentDocumentView());
    if (!view)
        return;
    colorPickingWidget = control;
    view->setCurrentTool(SketchToolTypePickFillColor, false);
}

void DesignPanel::beginStrokeColorPicking(QWidget *control)
{
    SketchDocumentView *view = pickingView(currentDocumentView());
    if (!view)
        return;
    strokeBrushPicker->closePopup();
    colorPickingWidget = control;
    view->setCurrentTool(SketchToolTypePickStrokeColor, false);
}

void DesignPanel::beginGradientColorPicking(SkinColorPicker *picker)
{
    SketchDocumentView *view = pickingView(currentDocumentView());
    if (!view || !picker)
        return;
    colorPickingWidget = picker;
    picker->closePopup();
    if (picker->brushControl() && picker->brushControl() == strokeBrushPicker->brushControl())
        strokeBrushPicker->closePopup();
    view->setCurrentTool(SketchToolTypePickColor, false);
}

void DesignPanel::beginForeColorPicking(QObject *control)
{
    if (auto *picker = qobject_cast<SkinColorPicker *>(control))
        beginGradientColorPicking(picker);
}

void DesignPanel::fillColorPicked(QColor color)
{
    auto *control = qobject_cast<SkinBrushControl *>(colorPickingWidget);
    if (!control || color.alpha() == 0)
        return;
    control->setSelectedBrush(SkinBrush(color));
    control->onSelectedBrushChanged();
}

void DesignPanel::strokeColorPicked(QColor color)
{
    auto *picker = qobject_cast<SkinBrushPicker *>(colorPickingWidget);
    if (!picker || !picker->brushControl() || color.alpha() == 0)
        return;
    picker->brushControl()->setSelectedBrush(SkinBrush(color));
    picker->onSelectedBrushChanged();
}

void DesignPanel::gradientColorPicked(QColor color)
{
    auto *picker = qobject_cast<SkinColorPicker *>(colorPickingWidget);
    if (!picker || color.alpha() == 0)
        return;
    picker->setSelectedColor(color);
    picker->onSelectedColorChanged();
    if (picker->brushControl() && picker->brushControl() == strokeBrushPicker->brushControl())
        strokeBrushPicker->onSelectedBrushChanged();
}
