// The design panel's edits as the window's slots, for callers of those
// names; the panel's own controls reach the panel directly. And the
// in-place edits of a shape's text and name.
#include "app/mainwindow.h"

#include "app/designpanel.h"
#include "app/sketchframeeditor.h"
#include "editor/sketchdocumentview.h"
#include "skin/controls/skincolorpicker.h"

// --- Design panel edits --------------------------------------------------------------

void MainWindow::changeFillBrush(SkinBrush brush) { designPanel->changeFillBrush(brush); }
void MainWindow::changingFillBrush(SkinBrush brush) { designPanel->changingFillBrush(brush); }
void MainWindow::changeStrokeBrush(SkinBrush brush) { designPanel->changeStrokeBrush(brush); }
void MainWindow::changeStrokeStyle(QPen pen) { designPanel->changeStrokeStyle(pen); }
void MainWindow::changingShapeTension(int value) { designPanel->changingShapeTension(value); }
void MainWindow::changeShapeTension(int value) { designPanel->changeShapeTension(value); }
void MainWindow::changingShapeOpacity(int value) { designPanel->changingShapeOpacity(value); }
void MainWindow::changeShapeOpacity(int value) { designPanel->changeShapeOpacity(value); }
void MainWindow::changingShapeBlur(int value) { designPanel->changingShapeBlur(value); }
void MainWindow::changeShapeBlur(int value) { designPanel->changeShapeBlur(value); }
void MainWindow::changeShapeFontName(QString family) { designPanel->changeShapeFontName(family); }
void MainWindow::changeShapeFontColor(QColor color) { designPanel->changeShapeFontColor(color); }
void MainWindow::changingShapeFontSize(int size) { designPanel->changingShapeFontSize(size); }
void MainWindow::changeShapeFontSize(int size) { designPanel->changeShapeFontSize(size); }
void MainWindow::changeShapeFontAlign(int align) { designPanel->changeShapeFontAlign(align); }
void MainWindow::changeShapeFontStyle() { designPanel->changeShapeFontStyle(); }

// Called through a signal, the frame editor that sent it; called directly,
// none, and nothing changes.
void MainWindow::changeShapeFrame(int index)
{
    designPanel->changeShapeFrame(qobject_cast<SketchFrameEditor *>(sender()), index);
}

// --- Colour picking from the page ------------------------------------------------------
// The control that asks is the sender; called directly, no control waits
// for the colour.

void MainWindow::beginFillColorPicking() { designPanel->beginFillColorPicking(qobject_cast<QWidget *>(sender())); }
void MainWindow::beginStrokeColorPicking() { designPanel->beginStrokeColorPicking(qobject_cast<QWidget *>(sender())); }
void MainWindow::beginGradientColorPicking(SkinColorPicker *picker) { designPanel->beginGradientColorPicking(picker); }
void MainWindow::beginForeColorPicking() { designPanel->beginForeColorPicking(sender()); }
void MainWindow::fillColorPicked(QColor color) { designPanel->fillColorPicked(color); }
void MainWindow::strokeColorPicked(QColor color) { designPanel->strokeColorPicked(color); }
void MainWindow::gradientColorPicked(QColor color) { designPanel->gradientColorPicked(color); }

// --- In-place edits -------------------------------------------------------------------------

void MainWindow::editShapeText()
{
    SketchDocumentView *view = currentDocumentView();
    const QList<SketchShape *> shapes = view ? view->editableSelectedInnerShapes() : QList<SketchShape *>();
    if (shapes.isEmpty())
        return;
    view->setTextEditMode(0);
    view->beginTextEdit(shapes.first());
}

void MainWindow::editShapeName()
{
    SketchDocumentView *view = currentDocumentView();
    const QList<SketchShape *> shapes = view ? view->editableSelectedInnerShapes() : QList<SketchShape *>();
    if (shapes.isEmpty())
        return;
    view->setTextEditMode(1);
    view->beginTextEdit(shapes.first());
}
