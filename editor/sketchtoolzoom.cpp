#include "editor/sketchtoolzoom.h"

#include "editor/sketchdocumentview.h"

#include <QMouseEvent>
#include <QPixmap>
#include <QScrollBar>

#include <cmath>

SketchToolZoom::SketchToolZoom(SketchView *view, bool zoomIn)
    : SketchTool(view),
      m_zoomIn(zoomIn)
{
}

void SketchToolZoom::zoomStep(const QPointF &point)
{
    const double zoom = view()->zoom();
    double next;
    // At exactly 1, zooming in takes the coarse step and zooming out the fine
    // one: 1 -> 2, but 1 -> 0.8.
    if (m_zoomIn)
        next = zoom >= 1.0 ? zoom + 1.0 : zoom + 0.2;
    else
        next = zoom > 1.0 ? zoom - 1.0 : zoom - 0.2;
    zoomAt(float(next), point);
}

void SketchToolZoom::zoomAt(float zoom, const QPointF &point)
{
    SketchDocumentView *view = documentView();
    if (!view) {
        SketchTool::view()->setZoom(zoom);
        return;
    }
    const QPointF paper = view->mapToDocument(point);
    view->setZoom(zoom);
    if (view->zoom() != zoom)
        return;
    const QPointF shown = view->mapFromDocument(paper);
    if (!view->horizontalScrollBar()->isHidden())
        view->setScrollX(view->scrollX() + int(std::trunc(point.x() - shown.x())), true);
    if (!view->verticalScrollBar()->isHidden())
        view->setScrollY(view->scrollY() + int(std::trunc(point.y() - shown.y())), true);
}

QCursor SketchToolZoom::cursor() const
{
    const QString image = m_zoomIn ? QStringLiteral(":/tools/images/CursorZoomIn.png")
                                   : QStringLiteral(":/tools/images/CursorZoomOut.png");
    return QCursor(QPixmap(image), 6, 6);
}

void SketchToolZoom::mousePressEvent(QMouseEvent *event)
{
    SketchTool::mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        zoomStep(QPointF(qRound(event->localPos().x()), qRound(event->localPos().y())));
}

void SketchToolZoom::mouseReleaseEvent(QMouseEvent *event)
{
    SketchTool::mouseReleaseEvent(event);
    if (event->button() == Qt::RightButton)
        emit completed();
}

void SketchToolZoom::paint(QPainter *painter)
{
    SketchDocumentView *view = documentView();
    if (!view || view->slices().isEmpty())
        return;
    if (SketchTool *sliceTool = view->tools().value(SketchToolTypeSlice))
        sliceTool->paint(painter);
}
