#include "editor/sketchtoolpoint.h"

#include "commands/sketchcommandmanager.h"
#include "commands/sketchcommandupdate.h"
#include "editor/sketchdocumentview.h"
#include "model/coordinates.h"
#include "model/sketchpoint.h"
#include "model/sketchshape.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

namespace {

// Screen half sizes of the hover markers.
constexpr float kPointMarkerHalfSize = 5.5f;
constexpr float kSegmentMarkerHalfSize = 3.0f;

int hitCode(SketchShape *shape, const QPointF &viewPos)
{
    if (!shape)
        return SketchHandleNone;
    const QPointF p = shape->mapFromView(viewPos);
    return shape->hitTest(float(p.x()), float(p.y()));
}

bool differs(const QPointF &a, const QPointF &b)
{
    return qAbs(a.x() - b.x()) > 1e-12 || qAbs(a.y() - b.y()) > 1e-12;
}

} // namespace

SketchToolPoint::SketchToolPoint(SketchView *view, bool curve)
    : SketchTool(view),
      m_curve(curve)
{
}

SketchToolPoint::~SketchToolPoint() = default;

QCursor SketchToolPoint::cursor() const
{
    const QString image = m_curve ? QStringLiteral(":/tools/images/PenSmooth.png")
                                  : QStringLiteral(":/tools/images/Pen.png");
    return QCursor(QPixmap(image), 8, 0);
}

void SketchToolPoint::mousePressEvent(QMouseEvent *event)
{
    SketchTool::mousePressEvent(event);
    SketchDocumentView *view = documentView();
    if (!view)
        return;
    // A press while a drag is still open (a second button) ends that drag
    // without recording it.
    takeBackGesture();
    m_draggedPoint = nullptr;
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
    if (!shape->hasEditablePoints())
        return;

    auto *insertion = new SketchCommandUpdate(view, shape);
    SketchPoint *point = shape->insertPoint(float(p.x()), float(p.y()), m_curve);
    if (!point) {
        // Nothing was inserted or converted: the prepared step has nothing
        // to record.
        delete insertion;
        return;
    }
    view->commandManager()->push(insertion, QStringLiteral("insertPoint"));
    // The push may have changed what lies under the pointer.
    clearHover();
    m_draggedPoint = point;
    // Nothing has moved yet: a release on the spot leaves the inserted
    // point as it is.
    gesture().begin(new SketchCommandUpdate(view, shape), false);
}

bool SketchToolPoint::mouseMoveEvent(QMouseEvent *event)
{
    SketchTool::mouseMoveEvent(event);
    SketchDocumentView *view = documentView();
    if (!view)
        return false;
    const QPointF pos = roundedPos(event->localPos());
    const int previousCode = m_hoverCode;
    m_hoverShape = view->shapeAt(float(pos.x()), float(pos.y()));
    m_hoverCode = hitCode(m_hoverShape, pos);

    if (event->buttons() == Qt::NoButton) {
        return m_hoverCode != previousCode || previousCode == SketchHandleOutline
            || previousCode > SketchHandleInside;
    }
    if (event->buttons() == Qt::LeftButton) {
        SketchShape *shape = m_pressedShape;
        SketchPoint *point = livePoint();
        if (shape && point) {
            const QPointF target = shape->mapFromView(pos);
            point->setPos(target.x(), target.y());
            shape->invalidateOutline();
            gesture().markChanged();
            return true;
        }
    }
    return false;
}

void SketchToolPoint::mouseReleaseEvent(QMouseEvent *event)
{
    SketchTool::mouseReleaseEvent(event);
    SketchDocumentView *view = documentView();
    if (!view)
        return;
    SketchShape *shape = m_pressedShape;
    if (shape && shape->hasEditablePoints()) {
        const bool moved = gesture().hasChanged() || differs(roundedPos(event->localPos()), pressPos());
        if (gesture().isOpen() && moved) {
            gesture().push(QStringLiteral("moveSelection"));
            shape->updateBlurImage();
            clearHover();
        } else {
            takeBackGesture();
        }
        m_pressedShape = nullptr;
        m_draggedPoint = nullptr;
    } else {
        takeBackGesture();
    }
    view->onSketchChanged();
}

bool SketchToolPoint::marker(QRectF *rect, bool *round, QColor *colour) const
{
    const SketchDocumentView *view = documentView();
    const SketchShape *shape = m_hoverShape;
    if (!view || !shape || view->pressedButton() != Qt::NoButton)
        return false;
    QPointF centre;
    float halfSize = kSegmentMarkerHalfSize;
    *round = m_curve;
    *colour = m_curve ? Qt::red : Qt::black;
    const int index = m_hoverCode - SketchHandleFirstPoint;
    if (index >= 0) {
        // The point may have gone since the hover was taken.
        if (index >= shape->pointCount())
            return false;
        centre = qAsConst(*shape).points().at(index)->toPointF();
        halfSize = kPointMarkerHalfSize;
        *round = true;
        *colour = Qt::red;
    } else if (m_hoverCode == SketchHandleOutline) {
        // The last move is where the pointer is: the view tracks the mouse.
        centre = shape->mapFromView(currentPos());
    } else {
        return false;
    }
    *rect = shape->handleRect(centre, halfSize);
    return true;
}

void SketchToolPoint::paint(QPainter *painter)
{
    QRectF rect;
    bool round = false;
    QColor colour;
    if (!marker(&rect, &round, &colour))
        return;
    const SketchDocumentView *view = documentView();
    painter->save();
    painter->setTransform(view->shapeTransform(m_hoverShape));
    QPen pen(colour);
    pen.setWidth(int(1.0 / view->zoom()));
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    if (round)
        painter->drawEllipse(rect);
    else
        painter->drawRects(&rect, 1);
    painter->restore();
}

QRect SketchToolPoint::overlayArea() const
{
    QRectF rect;
    bool round = false;
    QColor colour;
    const bool shown = marker(&rect, &round, &colour);
    // The marker's pen keeps its width on screen.
    return hoverOverlayArea(m_hoverShape, shown ? &rect : nullptr, 2);
}

SketchPoint *SketchToolPoint::livePoint() const
{
    if (!m_draggedPoint || !m_pressedShape)
        return nullptr;
    const SketchShape *shape = m_pressedShape;
    return shape->points().contains(m_draggedPoint) ? m_draggedPoint : nullptr;
}

void SketchToolPoint::takeBackGesture()
{
    // The drag's command is built on the pressed shape; a shape that is
    // gone has nothing to be given back.
    if (!m_pressedShape)
        gesture().drop();
    SketchTool::takeBackGesture();
}

void SketchToolPoint::clearHover()
{
    m_hoverShape = nullptr;
    m_hoverCode = SketchHandleNone;
}
