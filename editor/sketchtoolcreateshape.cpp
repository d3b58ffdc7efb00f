#include "editor/sketchtoolcreateshape.h"

#include "commands/sketchcommandadd.h"
#include "commands/sketchcommandmanager.h"
#include "editor/sketchdocumentview.h"
#include "model/coordinates.h"
#include "model/sketchlayer.h"
#include "model/sketchpoint.h"
#include "model/sketchshape.h"

#include <QMouseEvent>

SketchToolCreateShape::SketchToolCreateShape(SketchView *view)
    : SketchTool(view)
{
}

void SketchToolCreateShape::mousePressEvent(QMouseEvent *event)
{
    SketchTool::mousePressEvent(event);
    // A creation whose add command was undone meanwhile is over.
    if (m_newShape && !isCreating()) {
        m_newShape = nullptr;
        m_addCommand = nullptr;
    }
    if (m_newShape || event->button() != Qt::LeftButton)
        return;
    SketchDocumentView *view = documentView();
    if (!view || !view->currentLayer())
        return;

    view->clearSelection();
    auto *shape = new SketchShape(view->currentLayer());
    shape->setClosed(true);
    shape->setFill(SkinBrush::whiteBrush());
    setUpShape(shape, shape->mapFromView(roundedPos(event->localPos())));
    shape->setSelected(true);
    m_newShape = shape;
    m_addCommand = new SketchCommandAdd(view, shape);
    view->commandManager()->push(m_addCommand, commandText());
}

bool SketchToolCreateShape::mouseMoveEvent(QMouseEvent *event)
{
    SketchTool::mouseMoveEvent(event);
    if (!m_newShape)
        return false;
    layOut(m_newShape, m_newShape->mapFromView(roundedPos(event->localPos())), event->modifiers());
    m_newShape->invalidateOutline();
    return true;
}

void SketchToolCreateShape::mouseReleaseEvent(QMouseEvent *event)
{
    SketchTool::mouseReleaseEvent(event);
    if (!m_newShape)
        return;
    const QPointF q = m_newShape->mapFromView(roundedPos(event->localPos()));
    // Released on the anchor's handle: click mode goes on.
    if (m_newShape->hitTest(float(q.x()), float(q.y())) == SketchHandleFirstPoint)
        return;
    finish();
}

void SketchToolCreateShape::cancel()
{
    SketchDocumentView *view = documentView();
    if (m_newShape && isCreating() && view && view->commandManager()->withdrawCommand(m_addCommand)) {
        // The withdrawn command, undone, took the shape with it.
        m_newShape = nullptr;
        m_addCommand = nullptr;
        view->onUndoManagerChanged();
        view->onSelectionChanged();
    } else if (m_newShape) {
        m_newShape->setActiveHandle(SketchHandleOutline);
        m_newShape = nullptr;
        m_addCommand = nullptr;
    }
    SketchTool::cancel();
}

void SketchToolCreateShape::paint(QPainter *painter)
{
    drawRectStatus(painter, m_newShape);
}

void SketchToolCreateShape::finish()
{
    m_newShape->setActiveHandle(SketchHandleOutline);
    m_newShape = nullptr;
    m_addCommand = nullptr;
    emit completed();
}

bool SketchToolCreateShape::isCreating() const
{
    return m_newShape && m_newShape->index() >= 0;
}

void SketchToolCreateShape::layOutBox(SketchShape *shape, const QPointF &p, bool square)
{
    QList<SketchPoint *> &points = shape->points();
    if (points.size() < 4)
        return;
    const qreal x0 = points.at(0)->x();
    const qreal y0 = points.at(0)->y();
    qreal x = p.x();
    qreal y = p.y();
    if (square) {
        const qreal d = qMin(qAbs(x - x0), qAbs(y - y0));
        x = x > x0 ? x0 + d : x0 - d;
        y = y > y0 ? y0 + d : y0 - d;
    }
    points.at(1)->setPos(x, y0);
    points.at(2)->setPos(x, y);
    points.at(3)->setPos(x0, y);
}
