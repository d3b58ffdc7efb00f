// The design panel filled from the selection: the first selected shape's
// fill, stroke, tension, opacity, blur, frame and font, or the paper's fill
// and border when nothing is selected.
//
// Filling the panel must never record or change anything: the controls'
// setters emit none of the signals the edits listen to, except the font
// box, whose edit is held off by designPanelLive.
#include "app/designpanel.h"

#include "app/sketchframeeditor.h"
#include "editor/sketchdocumentview.h"
#include "model/sketchglobals.h"
#include "model/sketchshape.h"
#include "skin/controls/skinbrushcontrol.h"
#include "skin/controls/skinbrushpicker.h"
#include "skin/controls/skinbuttongroup.h"
#include "skin/controls/skincolorpicker.h"
#include "skin/controls/skinpenpicker.h"
#include "skin/controls/skinslider.h"

#include <QFont>
#include <QFontComboBox>
#include <QPushButton>

namespace {

// A font's size in pixels; a point-sized font reports -1 and counts as four
// pixels to three points.
int fontPixelSize(const QFont &font)
{
    return font.pixelSize() > 0 ? font.pixelSize() : font.pointSize() * 4 / 3;
}

} // namespace

SketchView *DesignPanel::currentSketchView() const
{
    return m_currentView ? m_currentView() : nullptr;
}

SketchDocumentView *DesignPanel::currentDocumentView() const
{
    return qobject_cast<SketchDocumentView *>(currentSketchView());
}

SketchShape *DesignPanel::firstSelectedShape() const
{
    SketchDocumentView *view = currentDocumentView();
    if (!view)
        return nullptr;
    const QList<SketchShape *> shapes = view->selectedShapes();
    return shapes.isEmpty() ? nullptr : shapes.first();
}

SketchShape *DesignPanel::showSelection()
{
    settleGestures();
    SketchShape *shape = firstSelectedShape();
    if (shape)
        shape = shape->selectedShape();

    designPanelLive = false;
    if (shape)
        showShape(shape);
    else
        showPaper(currentSketchView());
    designPanelLive = true;
    updateValueTexts();
    return shape;
}

void DesignPanel::updateValueTexts()
{
    // Setting a slider's value leaves its value label as it was.
    for (SkinSlider *slider : {tensionSlider, opacitySlider, blurSlider, fontSizeSlider})
        slider->updateValueText();
    emit strokePenPicker->selectedPenWidthChanged(QStringLiteral("%1px").arg(strokePenPicker->selectedPen().width()));
}

void DesignPanel::showShape(SketchShape *shape)
{
    fillBrushControl->setSelectedBrush(shape->fill());
    strokeBrushPicker->setSelectedBrush(qAsConst(*shape).stroke().brush());
    strokePenPicker->setSelectedPen(qAsConst(*shape).stroke().stylePen());
    tensionSlider->setValue(static_cast<int>(shape->tension() * 100));
    opacitySlider->setValue(static_cast<int>(shape->opacity() * 100));
    blurSlider->setValue(shape->blur());
    const QList<SketchShape *> faces = shape->findShape(QStringLiteral("face"));
    m_frameEditor->setShape(faces.isEmpty() ? nullptr : faces.first());
    const QFont &font = shape->font();
    showFontFamily(font.family());
    fontColorPicker->setSelectedColor(shape->fontColor());
    fontSizeSlider->setValue(fontPixelSize(font));
    fontAlignGroup->setSelectedIndex(shape->align());
    showFontStyle(&font);
}

void DesignPanel::showPaper(SketchView *view)
{
    fillBrushControl->setSelectedBrush(view ? view->paperColor() : SkinBrush::transparentBrush());
    strokeBrushPicker->setSelectedBrush(view ? view->paperBorder().brush() : SkinBrush::transparentBrush());
    strokePenPicker->setSelectedPen(view ? view->paperBorder().stylePen() : QPen());
    tensionSlider->setValue(0);
    opacitySlider->setValue(0);
    blurSlider->setValue(0);
    m_frameEditor->setShape(nullptr);
    showFontFamily(SketchGlobals::defaultFont()->family());
    fontColorPicker->setSelectedColor(Qt::black);
    fontSizeSlider->setValue(0);
    // No alignment button.
    fontAlignGroup->setSelectedIndex(-1);
    showFontStyle(nullptr);
}

void DesignPanel::showFontFamily(const QString &family)
{
    // The box lists the installed families only; one that a shape stores
    // but this machine lacks (drawn with a substitute) joins the list in its
    // sorted place, so that the box never names a family the shape does not
    // have.
    if (fontComboBox->findText(family) < 0) {
        int row = 0;
        while (row < fontComboBox->count() && QString::localeAwareCompare(fontComboBox->itemText(row), family) < 0)
            ++row;
        fontComboBox->insertItem(row, family);
    }
    fontComboBox->setCurrentText(family);
}

void DesignPanel::showFontStyle(const QFont *font)
{
    const bool checked[] = {font && font->weight() > 50, font && font->style() != QFont::StyleNormal,
                            font && font->underline(), font && font->strikeOut()};
    const QList<QPushButton *> &buttons = fontStyleGroup->buttons();
    for (int index = 0; index < buttons.size() && index < 4; ++index)
        buttons.at(index)->setChecked(checked[index]);
}

void DesignPanel::settleGestures()
{
    // Cheap while nothing is in progress: the selection is asked for only
    // when a gesture has to be compared with it.
    if (pendingUpdateCommand.isOpen()) {
        SketchDocumentView *view = currentDocumentView();
        pendingUpdateCommand.abandonUnless(view, view ? view->selectedInnerShapes() : QList<SketchShape *>());
    }
    if (pendingPaperColorCommand.isOpen())
        pendingPaperColorCommand.abandonUnless(currentSketchView(), {});
}
