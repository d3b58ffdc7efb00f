#include "editor/sketchtoolrotate.h"

#include "commands/sketchcommandmanager.h"
#include "commands/sketchcommandupdate.h"
#include "editor/sketchdocumentview.h"
#include "model/geometry.h"
#include "model/sketchlayer.h"
#include "model/sketchpoint.h"
#include "model/sketchshape.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include <cmath>

namespace {

// The handle's distance from the centre, in paper units.
constexpr qreal kHandleDistance = 100.0;
// Screen half size of a marker before it grows by one paper unit.
constexpr float kMarkerHalfSize = 3.0f;
// The ring around the handle, in paper units.
constexpr qreal kRingSize = 14.0;

} // namespace

SketchToolRotate::SketchToolRotate(SketchView *view)
    : SketchTool(view)
{
}

SketchToolRotate::~SketchToolRotate() = default;

QCursor SketchToolRotate::cursor() const
{
    return QCursor(QPixmap(QStringLiteral(":/tools/images/CursorArrow.png")), 0, 0);
}

void SketchToolRotate::reset()
{
    // A drag that was never recorded must not leave its change behind.
    takeBackGesture();
    m_target = nullptr;
    m_mode = RotateModeBody;
    m_handle.reset();
    SketchDocumentView *view = documentView();
    if (!view)
        return;
    const QList<SketchShape *> shapes = view->editableSelectedShapes();
    if (!shapes.isEmpty()) {
        setTarget(shapes.first());
        view->update();
    }
}

void SketchToolRotate::mousePressEvent(QMouseEvent *event)
{
    SketchTool::mousePressEvent(event);
    m_bodyMoved = false;
    SketchDocumentView *view = documentView();
    if (!view || event->button() != Qt::LeftButton)
        return;
    const int x = qRound(event->localPos().x());
    const int y = qRound(event->localPos().y());
    SketchShape *hit = view->shapeAt(float(x), float(y));
    if (!m_handle) {
        if (!m_target)
            setTarget(hit);
        else if (hit && isEditable(hit) && hit != m_target)
            setTarget(hit);
    }

    m_mode = RotateModeBody;
    SketchShape *target = m_target;
    if (!target || !isEditable(target))
        return;
    const QPointF p = toPaper(x, y);
    const QPointF centre = target->rotatePoint();
    if (markerRect(QPointF(qRound(centre.x()), qRound(centre.y()))).contains(p))
        m_mode = RotateModeCentre;
    else if (m_handle && markerRect(m_handle->toPointF()).contains(p))
        m_mode = RotateModeHandle;
    else if (!hit)
        m_target = nullptr;

    if (!gesture().isOpen() && m_target)
        gesture().begin(new SketchCommandUpdate(view, m_target));
}

bool SketchToolRotate::mouseMoveEvent(QMouseEvent *event)
{
    const int x = qRound(event->localPos().x());
    const int y = qRound(event->localPos().y());
    bool result = false;
    if (event->buttons() == Qt::NoButton)
        result = updateHover(x, y);
    SketchShape *target = m_target;
    SketchDocumentView *view = documentView();
    if (!view || !target || target->isLocked() || event->buttons() != Qt::LeftButton)
        return result;

    const int dx = x - qRound(currentPos().x());
    const int dy = y - qRound(currentPos().y());
    if (m_mode == RotateModeBody && gesture().isOpen()) {
        // The body moves directly; the drag's one pending command records
        // it at the release.
        m_bodyMoved = true;
        if (target->activeHandle() >= SketchHandleFirstPoint)
            target->setActiveHandle(SketchHandleOutline);
        target->moveHandle(float(dx), float(dy));
    } else if (m_mode == RotateModeHandle && m_handle) {
        const float zoom = view->zoom();
        m_handle->translate(float(dx) / zoom, float(dy) / zoom);
    }
    if (m_mode == RotateModeCentre || m_mode == RotateModeHandle)
        target->setRotateAngle(handleAngle());
    SketchTool::mouseMoveEvent(event);
    return true;
}

void SketchToolRotate::mouseReleaseEvent(QMouseEvent *event)
{
    SketchDocumentView *view = documentView();
    SketchShape *target = m_target;
    if ((m_mode == RotateModeCentre || m_mode == RotateModeHandle) && target && !target->isLocked()) {
        // Whole degrees; a full turn is no turn.
        const int degrees = qRound(target->rotateAngle() * 360.0f);
        target->setRotateAngle(degrees == 360 ? 0.0f : float(degrees) / 360.0f);
    }
    if (target && view)
        gesture().push(QStringLiteral("rotate"));
    else
        gesture().drop();
    if (m_bodyMoved) {
        reset();
        m_bodyMoved = false;
    }
    if (view)
        view->onSketchChanged();
    SketchTool::mouseReleaseEvent(event);
}

void SketchToolRotate::cancel()
{
    takeBackGesture();
    m_target = nullptr;
    m_mode = RotateModeCancelled;
    SketchTool::cancel();
}

void SketchToolRotate::paint(QPainter *painter)
{
    SketchDocumentView *view = documentView();
    SketchShape *target = m_target;
    if (!view || !target || !target->isSelected() || !m_handle)
        return;
    const QPointF centre = target->rotatePoint();
    const QPointF handle = m_handle->toPointF();

    painter->save();
    painter->setTransform(view->shapeTransform(nullptr));
    painter->setPen(QPen(Qt::black, 1, Qt::DashLine));
    painter->drawLine(centre, handle);

    painter->setPen(QPen(Qt::black, 1));
    painter->setBrush(QBrush(Qt::gray));
    painter->drawEllipse(markerRect(centre));
    painter->setBrush(QBrush(Qt::green));
    painter->drawEllipse(markerRect(handle));

    const QRectF ring(handle.x() - kRingSize / 2, handle.y() - kRingSize / 2, kRingSize, kRingSize);
    painter->setBrush(Qt::NoBrush);
    if (view->pressedButton() == Qt::NoButton && m_handleHovered) {
        painter->setPen(QPen(Qt::red, 1));
        painter->drawEllipse(ring);
    } else if (view->pressedButton() == Qt::LeftButton && m_mode == RotateModeHandle) {
        painter->setPen(QPen(QBrush(Qt::red), 2.0, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
        painter->drawEllipse(ring);
    }

    const QString text = QStringLiteral("%1\u00B0").arg(double(target->rotateAngle()) * 360.0, 0, 'f', 1);
    drawLabel(painter, text, float(handle.x() + 10), float(handle.y() - 10));
    painter->restore();
}

bool SketchToolRotate::moveSelection(int dx, int dy)
{
    SketchDocumentView *view = documentView();
    SketchShape *target = m_target;
    if ((dx == 0 && dy == 0) || !view || !target || !m_handle || !isEditable(target))
        return false;
    // During a drag the drag's own command records the nudge; otherwise it
    // is a step of its own.
    SketchCommandUpdate *command = gesture().isOpen() ? nullptr : new SketchCommandUpdate(view, target);
    m_handle->translate(float(dx), float(dy));
    target->setRotateAngle(handleAngle());
    if (command)
        view->commandManager()->push(command, QStringLiteral("rotate"));
    return true;
}

void SketchToolRotate::setTarget(SketchShape *shape)
{
    m_handle.reset();
    if (SketchDocumentView *view = documentView())
        view->clearSelection();
    if (!shape) {
        m_target = nullptr;
        m_mode = RotateModeBody;
        return;
    }
    if (shape->isLocked()) {
        emit completed();
        return;
    }
    m_target = shape;
    m_mode = RotateModeHandle;
    shape->setActiveHandle(SketchHandleOutline);
    shape->setSelected(true);
    shape->centerRotatePoint();
    const QPointF c = shape->rotatePoint();
    const QPointF position = rotatePointAround(QPointF(c.x() + kHandleDistance, c.y()), shape->center(),
                                               shape->rotateAngle() * 360.0f, 1.0f);
    m_handle.reset(new SketchPoint(position.x(), position.y()));
}

float SketchToolRotate::handleAngle() const
{
    const SketchShape *target = m_target;
    if (!target || !m_handle)
        return 0.0f;
    const QPointF c = target->rotatePoint();
    const double dx = double(m_handle->x()) - c.x();
    const double dy = double(m_handle->y()) - c.y();
    float degrees = float(std::atan2(dy, dx) * 180.0 / M_PI);
    if (degrees < 0.0f)
        degrees += 360.0f;
    return degrees / 360.0f;
}

bool SketchToolRotate::updateHover(int x, int y)
{
    const SketchShape *target = m_target;
    const bool hovered = target && !target->isLocked() && m_handle
        && markerRect(m_handle->toPointF()).contains(toPaper(x, y));
    if (hovered == m_handleHovered)
        return false;
    m_handleHovered = hovered;
    return true;
}

bool SketchToolRotate::isEditable(const SketchShape *shape) const
{
    return shape && !shape->isLocked() && !(shape->layer() && shape->layer()->isLocked());
}

QRectF SketchToolRotate::markerRect(const QPointF &centre) const
{
    const qreal half = kMarkerHalfSize / view()->zoom();
    return QRectF(centre.x() - half, centre.y() - half, 2 * half, 2 * half).adjusted(-1, -1, 1, 1);
}

QPointF SketchToolRotate::toPaper(int x, int y) const
{
    const SketchDocumentView *view = documentView();
    return view ? view->mapToDocument(QPointF(x, y)) : QPointF(x, y);
}

void SketchToolRotate::takeBackGesture()
{
    // The drag's command is built on the target; without one there is
    // nothing to give back.
    if (!m_target)
        gesture().drop();
    SketchTool::takeBackGesture();
}
