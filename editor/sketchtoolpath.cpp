#include "editor/sketchtoolpath.h"

#include "commands/sketchcommandadd.h"
#include "commands/sketchcommandmanager.h"
#include "editor/sketchdocumentview.h"
#include "model/sketchpoint.h"
#include "model/sketchshape.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

namespace {

// Half the side of a point's handle square, in screen pixels.
constexpr float kHandleHalfSize = 3.0f;
// Points closer than this count as one.
constexpr qreal kSamePoint = 1e-12;

} // namespace

SketchToolPath::SketchToolPath(SketchView *view)
    : SketchTool(view)
{
}

QCursor SketchToolPath::cursor() const
{
    return QCursor(QPixmap(QStringLiteral(":/tools/images/Pen.png")), 8, 0);
}

void SketchToolPath::setCurveMode(bool on)
{
    if (on == m_curveMode)
        return;
    m_curveMode = on;
    SketchDocumentView *view = documentView();
    if (view && view->currentTool() == this)
        view->setCursor(view->toolCursor());
}

void SketchToolPath::mousePressEvent(QMouseEvent *event)
{
    SketchTool::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    // A path whose add command was undone meanwhile is over.
    if (m_newShape && !isDrawing()) {
        m_newShape = nullptr;
        m_addCommand = nullptr;
    }
    SketchDocumentView *view = documentView();
    if (!view)
        return;

    if (!m_newShape) {
        if (!view->currentLayer())
            return;
        view->clearSelection();
        auto *shape = new SketchShape(view->currentLayer());
        shape->setClosed(false);
        shape->setFill(SkinBrush::transparentBrush());
        const QPointF p = shape->mapFromView(QPointF(qRound(event->localPos().x()), qRound(event->localPos().y())));
        shape->points().append(new SketchPoint(p.x(), p.y(), m_curveMode));
        shape->points().append(new SketchPoint(p.x(), p.y(), m_curveMode));
        shape->invalidateOutline();
        shape->setSelected(true);
        m_newShape = shape;
        m_addCommand = new SketchCommandAdd(view, shape);
        view->commandManager()->push(m_addCommand, QStringLiteral("addPath"));
    } else {
        // Only a press on the floating point's handle, and on no earlier
        // point's, fixes it: a second press at the same spot finds the point
        // fixed by the first.
        const QPointF p = pathPos(event);
        if (m_newShape->hitTest(float(p.x()), float(p.y())) == m_newShape->pointCount() + 2) {
            m_newShape->points().append(new SketchPoint(p.x(), p.y(), m_curveMode));
            m_newShape->invalidateOutline();
        }
    }
    m_newShape->setActiveHandle(m_newShape->pointCount() + 2);
}

bool SketchToolPath::mouseMoveEvent(QMouseEvent *event)
{
    SketchTool::mouseMoveEvent(event);
    if (!isDrawing())
        return false;
    const QPointF p = pathPos(event);
    m_newShape->points().last()->setPos(p.x(), p.y());
    m_newShape->invalidateOutline();
    return true;
}

void SketchToolPath::mouseReleaseEvent(QMouseEvent *event)
{
    SketchTool::mouseReleaseEvent(event);
    if (!(event->modifiers() & Qt::ControlModifier))
        setCurveMode(false);
    if (!isDrawing())
        return;
    SketchShape *shape = m_newShape;

    const QPointF p = pathPos(event);
    if (shape->pointCount() > 3 && shape->hitTest(float(p.x()), float(p.y())) == SketchHandleFirstPoint) {
        delete shape->points().takeLast();
        shape->points().first()->setCurve(m_curveMode);
        shape->setClosed(true);
        finish();
        return;
    }

    if (event->button() == Qt::RightButton) {
        const QList<SketchPoint *> &points = qAsConst(*shape).points();
        if (points.size() <= 1
            || (qAbs(points.at(0)->x() - points.at(1)->x()) <= kSamePoint
                && qAbs(points.at(0)->y() - points.at(1)->y()) <= kSamePoint)) {
            cancel();
            return;
        }
        // A path of two points ends where the right button was released.
        if (points.size() > 2) {
            delete shape->points().takeLast();
            shape->invalidateOutline();
        }
        finish();
    }
}

void SketchToolPath::keyPressEvent(QKeyEvent *event)
{
    SketchTool::keyPressEvent(event);
    if (event->key() != Qt::Key_Control)
        return;
    setCurveMode(true);
    setFloatingCurve(true);
}

void SketchToolPath::keyReleaseEvent(QKeyEvent *event)
{
    SketchTool::keyReleaseEvent(event);
    setCurveMode(false);
    setFloatingCurve(false);
}

void SketchToolPath::cancel()
{
    SketchDocumentView *view = documentView();
    if (isDrawing() && view && view->commandManager()->withdrawCommand(m_addCommand)) {
        // The withdrawn command, undone, took the path with it.
        m_newShape = nullptr;
        m_addCommand = nullptr;
        view->onUndoManagerChanged();
        view->onSelectionChanged();
    } else if (isDrawing()) {
        // Edits recorded on top of the add command may refer to the path:
        // it stays, ended open without its floating point.
        if (m_newShape->pointCount() > 2) {
            delete m_newShape->points().takeLast();
            m_newShape->invalidateOutline();
        }
        m_newShape->setActiveHandle(SketchHandleOutline);
    }
    m_newShape = nullptr;
    m_addCommand = nullptr;
    setCurveMode(false);
    SketchTool::cancel();
}

void SketchToolPath::paint(QPainter *painter)
{
    SketchDocumentView *view = documentView();
    if (!view || !isDrawing() || m_newShape->pointCount() < 2)
        return;
    SketchShape *shape = m_newShape;
    SketchPoint *first = qAsConst(*shape).points().first();
    painter->save();
    painter->setTransform(view->shapeTransform(shape));
    shape->paintPointHandle(painter, first, true, false);
    // A release here would close the path.
    if (!shape->isClosed() && shape->pointCount() >= 4
        && shape->handleRect(first, kHandleHalfSize).contains(qAsConst(*shape).points().last()->toPointF()))
        shape->paintPointHandle(painter, first, true, true);
    painter->restore();
}

bool SketchToolPath::isDrawing() const
{
    return m_newShape && m_newShape->index() >= 0;
}

QPointF SketchToolPath::pathPos(const QMouseEvent *event) const
{
    return m_newShape->mapFromView(QPointF(qRound(event->localPos().x()), qRound(event->localPos().y())));
}

void SketchToolPath::finish()
{
    m_newShape->setActiveHandle(SketchHandleOutline);
    m_newShape = nullptr;
    m_addCommand = nullptr;
    setCurveMode(false);
    emit completed();
}

void SketchToolPath::setFloatingCurve(bool curve)
{
    if (!isDrawing() || m_newShape->pointCount() <= 1)
        return;
    m_newShape->points().last()->setCurve(curve);
    m_newShape->invalidateOutline();
    if (SketchView *owner = view())
        owner->update();
}
