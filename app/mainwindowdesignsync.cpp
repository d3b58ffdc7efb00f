// The selection shown: the design panel fills itself from it, and the frame
// counter and the selection status of the tool bar follow it; the frames
// popup under the counter.
#include "app/mainwindow.h"

#include "app/designpanel.h"
#include "app/sketchframepopupwindow.h"
#include "editor/sketchdocumentview.h"
#include "editor/sketchtool.h"
#include "model/sketchshape.h"

#include <QAction>
#include <QToolBar>

namespace {

QString selectionStatus(const SketchShape *shape)
{
    const QPointF position = shape->innerPosition();
    return QStringLiteral("%1 | x=%2, y=%3")
        .arg(shape->name(), QString::number(position.x(), 'g', 6), QString::number(position.y(), 'g', 6));
}

} // namespace

void MainWindow::sketchViewSelectionChanged()
{
    SketchShape *shape = designPanel->showSelection();
    actionSelectionStatus->setText(shape ? selectionStatus(shape) : QString());
    if (framePopupWindow) {
        framePopupWindow->setShape(shape);
        actionFrameIndex->setText(framePopupWindow->frameText());
    }
    updateUIEnables();
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
