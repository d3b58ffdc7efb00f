#include "editor/sketchtoolcutoff.h"

#include "commands/sketchcommandcutoff.h"
#include "commands/sketchcommandmanager.h"
#include "commands/sketchcommandremove.h"
#include "editor/sketchdocumentview.h"
#include "model/coordinates.h"
#include "model/sketchlayer.h"
#include "model/sketchpoint.h"
#include "model/sketchshape.h"

#include <QLineF>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

namespace {

// Screen half size of the cross.
constexpr float kCrossHalfSize = 3.0f;

bool isInItsLayer(const SketchShape *shape)
{
    const SketchLayer *layer = shape->layer();
    return layer && layer->shapes().contains(const_cast<SketchShape *>(shape));
}

} // namespace

SketchToolCutoff::SketchToolCutoff(SketchView *view)
    : SketchTool(view)
{
}

QCursor SketchToolCutoff::cursor() const
{
    return QCursor(QPixmap(QStringLiteral(":/tools/images/PenCutoff.png")), 8, 0);
}

bool SketchToolCutoff::mouseMoveEvent(QMouseEvent *event)
{
    SketchTool::mouseMoveEvent(event);
    SketchDocumentView *view = documentView();
    if (!view)
        return false;
    const int previousCode = m_hoverCode;
    m_hoverCode = SketchHandleNone;
    const QPointF pos = roundedPos(event->localPos());
    m_hoverShape = view->shapeAt(float(pos.x()), float(pos.y()));
    SketchShape *shape = m_hoverShape;
    if (shape && !shape->hasEditablePoints())
        return false;
    if (shape) {
        const QPointF p = shape->mapFromView(pos);
        m_hoverCode = shape->hitTest(float(p.x()), float(p.y()));
    }
    if (event->buttons() != Qt::NoButton)
        return false;
    return m_hoverCode != previousCode || previousCode == SketchHandleOutline
        || previousCode > SketchHandleInside;
}

void SketchToolCutoff::mousePressEvent(QMouseEvent *event)
{
    SketchTool::mousePressEvent(event);
    SketchDocumentView *view = documentView();
    if (!view)
        return;
    view->clearSelection();
    const QPointF pos = roundedPos(event->localPos());
    m_pressedShape = view->shapeAt(float(pos.x()), float(pos.y()));
    SketchShape *shape = m_pressedShape;
    if (!shape)
        return;
    const QPointF p = shape->mapFromView(pos);
    const int code = shape->hitTest(float(p.x()), float(p.y()));
    shape->setActiveHandle(code);
    if (code > SketchHandleNone)
        shape->setSelected(true);
}

void SketchToolCutoff::mouseReleaseEvent(QMouseEvent *event)
{
    SketchTool::mouseReleaseEvent(event);
    SketchDocumentView *view = documentView();
    SketchShape *shape = m_pressedShape;
    if (!view || !shape)
        return;
    const QPointF p = shape->mapFromView(roundedPos(event->localPos()));
    const int code = shape->hitTest(float(p.x()), float(p.y()));
    if (code > SketchHandleInside)
        cutPoint(shape, code);
    else
        cutSegment(shape, p);
    m_pressedShape = nullptr;
    view->onSketchChanged();
}

bool SketchToolCutoff::cross(QRectF *rect) const
{
    const SketchDocumentView *view = documentView();
    const SketchShape *shape = m_hoverShape;
    if (!view || !shape)
        return false;
    QPointF centre;
    const int index = m_hoverCode - SketchHandleFirstPoint;
    if (index >= 0) {
        // The point may have been cut off since the hover was taken.
        if (index >= shape->pointCount())
            return false;
        centre = qAsConst(*shape).points().at(index)->toPointF();
    } else if (m_hoverCode == SketchHandleOutline) {
        // The last move is where the pointer is: the view tracks the mouse.
        centre = shape->mapFromView(currentPos());
    } else {
        return false;
    }
    *rect = shape->handleRect(centre, kCrossHalfSize);
    return true;
}

void SketchToolCutoff::paint(QPainter *painter)
{
    QRectF r;
    if (!cross(&r))
        return;
    const SketchDocumentView *view = documentView();
    painter->save();
    painter->setTransform(view->shapeTransform(m_hoverShape));
    QPen pen(Qt::red);
    pen.setWidth(int(2.0 / view->zoom()));
    painter->setPen(pen);
    const QLineF diagonals[] = { QLineF(r.bottomLeft(), r.topRight()), QLineF(r.topLeft(), r.bottomRight()) };
    painter->drawLines(diagonals, 2);
    painter->restore();
}

QRect SketchToolCutoff::overlayArea() const
{
    QRectF r;
    const bool shown = cross(&r);
    // The cross's pen keeps its width on screen.
    return hoverOverlayArea(m_hoverShape, shown ? &r : nullptr, 3);
}

void SketchToolCutoff::cutPoint(SketchShape *shape, int code)
{
    shape->setActiveHandle(code);
    shape->setSelected(true);
    view()->commandManager()->push(new SketchCommandRemove(view(), shape), QStringLiteral("cutofPoint"));
    // The marked point may be the one that went.
    clearHover();
}

void SketchToolCutoff::cutSegment(SketchShape *shape, const QPointF &p)
{
    const int segment = shape->segmentAt(float(p.x()), float(p.y()));
    if (segment < 0 || segment >= SketchCommandCutoff::segmentCount(shape) || !isInItsLayer(shape))
        return;
    SketchCommandCutoff *command = nullptr;
    try {
        command = new SketchCommandCutoff(view(), shape, segment);
    } catch (const QString &) {
        // Refused arguments: nothing is cut and nothing recorded. An
        // exception must never reach the event loop.
        return;
    }
    view()->commandManager()->push(command, QStringLiteral("cutofLine"));
    clearHover();
}

void SketchToolCutoff::clearHover()
{
    m_hoverShape = nullptr;
    m_hoverCode = SketchHandleNone;
}
