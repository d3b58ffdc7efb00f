// The design panel filled from the selection: the first selected shape's
// fill, stroke, tension, opacity, blur, frame and font, or the paper's fill
// and border when nothing is selected; the frame counter and the selection
// status of the tool bar follow it.
//
// Filling the panel must never record or change anything: the controls'
// setters emit none of the signals the edit slots listen to, except the font
// box, whose slot is held off by designPanelLive.
#include "app/mainwindow.h"

#include "app/sketchframeeditor.h"
#include "app/sketchframepopupwindow.h"

#include "editor/sketchdocumentview.h"
#include "editor/sketchtool.h"
#include "model/sketchglobals.h"
#include "model/sketchshape.h"
#include "skin/controls/skinbrushcontrol.h"
#include "skin/controls/skinbrushpicker.h"
#include "skin/controls/skinbuttongroup.h"
#include "skin/controls/skincolorpicker.h"
#include "skin/controls/skinpenpicker.h"
#include "skin/controls/skinslider.h"

#include <QAction>
#include <QFont>
#include <QFontComboBox>
#include <QPushButton>
#include <QToolBar>

namespace {

template<typename Slider>
void setSliderValue(Slider *slider, int value)
{
    if (slider)
        slider->setValue(value);
}

template<typename Slider>
void updateValueText(Slider *slider)
{
    if (slider)
        slider->updateValueText();
}

// A font's size in pixels; a point-sized font reports -1 and counts as four
// pixels to three points.
int fontPixelSize(const QFont &font)
{
    return font.pixelSize() > 0 ? font.pixelSize() : font.pointSize() * 4 / 3;
}

QString selectionStatus(const SketchShape *shape)
{
    const QPointF position = shape->innerPosition();
    return QStringLiteral("%1 | x=%2, y=%3")
        .arg(shape->name(), QString::number(position.x(), 'g', 6), QString::number(position.y(), 'g', 6));
}

} // namespace

SketchShape *MainWindow::firstSelectedShape() const
{
    SketchDocumentView *view = currentDocumentView();
    if (!view)
        return nullptr;
    const QList<SketchShape *> shapes = view->selectedShapes();
    return shapes.isEmpty() ? nullptr : shapes.first();
}

void MainWindow::sketchViewSelectionChanged()
{
    settleDesignPanelGestures();
    SketchShape *shape = firstSelectedShape();
    if (shape)
        shape = shape->selectedShape();

    designPanelLive = false;
    if (shape)
        showShapeInDesignPanel(shape);
    else
        showPaperInDesignPanel(currentSketchView());
    if (framePopupWindow) {
        framePopupWindow->setShape(shape);
        actionFrameIndex->setText(framePopupWindow->frameText());
    }
    designPanelLive = true;

    // Setting a slider's value leaves its value label as it was.
    updateValueText(tensionSlider);
    updateValueText(opacitySlider);
    updateValueText(blurSlider);
    updateValueText(fontSizeSlider);
    if (strokePenPicker)
        emit strokePenPicker->selectedPenWidthChanged(
            QStringLiteral("%1px").arg(strokePenPicker->selectedPen().width()));
    updateUIEnables();
}

void MainWindow::showShapeInDesignPanel(SketchShape *shape)
{
    if (fillBrushControl)
        fillBrushControl->setSelectedBrush(shape->fill());
    if (strokeBrushPicker)
        strokeBrushPicker->setSelectedBrush(qAsConst(*shape).stroke().brush());
    if (strokePenPicker)
        strokePenPicker->setSelectedPen(qAsConst(*shape).stroke().stylePen());
    setSliderValue(tensionSlider, static_cast<int>(shape->tension() * 100));
    setSliderValue(opacitySlider, static_cast<int>(shape->opacity() * 100));
    setSliderValue(blurSlider, shape->blur());
    actionSelectionStatus->setText(selectionStatus(shape));
    if (frameEditor) {
        const QList<SketchShape *> faces = shape->findShape(QStringLiteral("face"));
        frameEditor->setShape(faces.isEmpty() ? nullptr : faces.first());
    }
    const QFont &font = shape->font();
    showFontFamily(font.family());
    if (fontColorPicker)
        fontColorPicker->setSelectedColor(shape->fontColor());
    setSliderValue(fontSizeSlider, fontPixelSize(font));
    if (fontAlignGroup)
        fontAlignGroup->setSelectedIndex(shape->align());
    showFontStyle(&font);
}

void MainWindow::showPaperInDesignPanel(SketchView *view)
{
    const SkinBrush fill = view ? view->paperColor() : SkinBrush::transparentBrush();
    const SkinBrush stroke = view ? view->paperBorder().brush() : SkinBrush::transparentBrush();
    if (fillBrushControl)
        fillBrushControl->setSelectedBrush(fill);
    if (strokeBrushPicker)
        strokeBrushPicker->setSelectedBrush(stroke);
    if (strokePenPicker)
        strokePenPicker->setSelectedPen(view ? view->paperBorder().stylePen() : QPen());
    setSliderValue(tensionSlider, 0);
    setSliderValue(opacitySlider, 0);
    setSliderValue(blurSlider, 0);
    actionSelectionStatus->setText(QString());
    if (frameEditor)
        frameEditor->setShape(nullptr);
    showFontFamily(SketchGlobals::defaultFont()->family());
    if (fontColorPicker)
        fontColorPicker->setSelectedColor(Qt::black);
    setSliderValue(fontSizeSlider, 0);
    if (fontAlignGroup)
        fontAlignGroup->setSelectedIndex(-1);
    showFontStyle(nullptr);
}

void MainWindow::showFontFamily(const QString &family)
{
    if (!fontComboBox)
        return;
    // The box lists the installed families only; one that a shape stores
    // but this machine lacks (drawn with a substitute) joins the list in its
    // sorted place, so that the box never names a family the shape does not
    // have.
    if (fontComboBox->findText(family) < 0) {
        int row = 0;
        while (row < fontComboBox->count()
               && QString::localeAwareCompare(fontComboBox->itemText(row), family) < 0)
            ++row;
        fontComboBox->insertItem(row, family);
    }
    fontComboBox->setCurrentText(family);
}

void MainWindow::showFontStyle(const QFont *font)
{
    if (!fontStyleGroup)
        return;
    const bool checked[] = {font && font->weight() > 50, font && font->style() != QFont::StyleNormal,
                            font && font->underline(), font && font->strikeOut()};
    const QList<QPushButton *> &buttons = fontStyleGroup->buttons();
    for (int index = 0; index < buttons.size() && index < 4; ++index)
        buttons.at(index)->setChecked(checked[index]);
}

void MainWindow::settleDesignPanelGestures()
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

void MainWindow::showFramePopupWindow()
{
    if (!currentDocumentView() || !framePopupWindow)
        return;
    QToolBar *bar = toolBar();
    const QRect action = bar->actionGeometry(actionFrameIndex);
    const QPoint corner = bar->mapToGlobal(action.topLeft());
    const int top = corner.y() + action.height();
    framePopupWindow->setPopupRect(QRect(QPoint(corner.x(), top), QPoint(corner.x() + 187, top + 194)));
    framePopupWindow->showPopupWindow();
}

void MainWindow::frameIndexChanged(QString text)
{
    actionFrameIndex->setText(text);
    SketchDocumentView *view = currentDocumentView();
    if (framePopupWindow && framePopupWindow->shape() && view && view->currentToolType() != SketchToolTypeSlice)
        view->changeShapeFrame(framePopupWindow->shape(), framePopupWindow->frameIndex());
}
