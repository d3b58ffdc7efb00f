#include "editor/sketchtoolconnect.h"

#include "commands/sketchcommandadd.h"
#include "commands/sketchcommandcomposite.h"
#include "commands/sketchcommandmanager.h"
#include "commands/sketchcommandremove.h"
#include "commands/sketchcommandupdate.h"
#include "editor/sketchdocumentview.h"
#include "model/coordinates.h"
#include "model/sketchlayer.h"
#include "model/sketchpoint.h"
#include "model/sketchshape.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include <algorithm>

namespace {

bool isEnd(const SketchShape *shape, int index)
{
    return shape && (index == 0 || index == shape->pointCount() - 1);
}

bool isInItsLayer(const SketchShape *shape)
{
    const SketchLayer *layer = shape->layer();
    return layer && layer->shapes().contains(const_cast<SketchShape *>(shape));
}

// Bottom first: layer order, then order in the layer.
bool isBelow(const SketchShape *a, const SketchShape *b)
{
    const int layerA = a->layer()->index();
    const int layerB = b->layer()->index();
    if (layerA != layerB)
        return layerA < layerB;
    return a->index() < b->index();
}

} // namespace

SketchToolConnect::SketchToolConnect(SketchView *view)
    : SketchTool(view)
{
}

QCursor SketchToolConnect::cursor() const
{
    return QCursor(QPixmap(QStringLiteral(":/tools/images/PenConnect.png")), 8, 0);
}

void SketchToolConnect::reset()
{
    view()->clearSelection();
    view()->update();
}

void SketchToolConnect::mousePressEvent(QMouseEvent *event)
{
    SketchTool::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && m_sourceShape)
        m_dragging = true;
}

bool SketchToolConnect::mouseMoveEvent(QMouseEvent *event)
{
    SketchTool::mouseMoveEvent(event);
    const QPointF pos = roundedPos(event->localPos());
    QPointer<SketchShape> shape;
    int index = -1;
    if (!m_dragging) {
        if (event->buttons() != Qt::NoButton)
            return false;
        lookUp(pos, shape, index);
        if (shape == m_sourceShape && index == m_sourceIndex)
            return false;
        m_sourceShape = shape;
        m_sourceIndex = index;
        return true;
    }
    if (event->buttons() != Qt::LeftButton)
        return false;
    lookUp(pos, shape, index);
    if (isEnd(shape, index))
        m_targetIsEnd = true;
    m_targetShape = shape;
    m_targetIndex = index;
    return true;
}

void SketchToolConnect::mouseReleaseEvent(QMouseEvent *event)
{
    SketchTool::mouseReleaseEvent(event);
    if (m_dragging && m_targetIsEnd)
        connectShapes(m_sourceShape, m_sourceIndex, m_targetShape, m_targetIndex);
    clearState();
    view()->onSketchChanged();
}

void SketchToolConnect::cancel()
{
    clearState();
    setCurrentPos(QPointF(-1, -1));
    SketchTool::cancel();
}

void SketchToolConnect::paint(QPainter *painter)
{
    SketchDocumentView *view = documentView();
    if (!view)
        return;
    const QPointF pointer = currentPos();
    painter->save();
    const QList<SketchShape *> shapes = view->shapes();
    for (SketchShape *shape : shapes) {
        const SketchLayer *layer = shape->layer();
        const int n = shape->pointCount();
        if (shape->isClosed() || n < 2 || !layer || !layer->isVisible() || layer->isLocked())
            continue;
        painter->setTransform(view->shapeTransform(shape));
        const QPointF p = shape->mapFromView(pointer);
        const int code = shape->hitTest(float(p.x()), float(p.y()));
        const bool isSource = shape == m_sourceShape;
        const bool isTarget = shape == m_targetShape;
        const bool firstChosen = (isSource && m_sourceIndex == 0) || (isTarget && m_targetIndex == 0);
        const bool lastChosen = (isSource && m_sourceIndex == n - 1) || (isTarget && m_targetIndex == n - 1);
        shape->paintPointHandle(painter, qAsConst(*shape).points().first(), firstChosen,
                                firstChosen || code == SketchHandleFirstPoint);
        shape->paintPointHandle(painter, qAsConst(*shape).points().last(), lastChosen,
                                lastChosen || code == SketchHandleFirstPoint + n - 1);
        painter->resetTransform();
    }
    const QPointF press = pressPos();
    if (m_dragging && (qAbs(pointer.x() - press.x()) > 1e-12 || qAbs(pointer.y() - press.y()) > 1e-12)) {
        painter->resetTransform();
        painter->setPen(QPen(Qt::black, 1, Qt::DashLine));
        painter->drawLine(press, pointer);
    }
    painter->restore();
}

void SketchToolConnect::connectShapes(SketchShape *source, int sourceIndex, SketchShape *target, int targetIndex)
{
    if (!source || !target)
        return;
    // Both must still be drawn where the user picked them.
    if (!isInItsLayer(source) || !isInItsLayer(target))
        return;
    if (source != target) {
        joinShapes(source, sourceIndex, target, targetIndex);
        return;
    }
    const int n = source->pointCount();
    const bool ends = (sourceIndex == 0 && targetIndex == n - 1) || (sourceIndex == n - 1 && targetIndex == 0);
    if (ends && n >= 3)
        closePath(source);
}

void SketchToolConnect::lookUp(const QPointF &pos, QPointer<SketchShape> &shape, int &index) const
{
    SketchDocumentView *view = documentView();
    shape = view ? view->shapeAt(float(pos.x()), float(pos.y())) : nullptr;
    if (!shape) {
        index = -1;
        return;
    }
    const QPointF p = shape->mapFromView(pos);
    index = shape->hitTest(float(p.x()), float(p.y())) - SketchHandleFirstPoint;
}

void SketchToolConnect::joinShapes(SketchShape *a, int aIndex, SketchShape *b, int bIndex)
{
    const int n = a->pointCount();
    const int m = b->pointCount();
    bool atFront = false;
    bool reversed = false;
    if (aIndex == 0 && bIndex == 0) {
        atFront = true;
    } else if (aIndex == 0 && bIndex == m - 1) {
        atFront = true;
        reversed = true;
    } else if (aIndex == n - 1 && bIndex == 0) {
    } else if (aIndex == n - 1 && bIndex == m - 1) {
        reversed = true;
    } else {
        return;
    }

    SketchShape *joined = a->clone(true);
    QList<SketchPoint *> &points = joined->points();
    const QList<SketchPoint *> &taken = static_cast<const SketchShape *>(b)->points();
    for (int k = 0; k < m; ++k) {
        const SketchPoint *q = taken.at(reversed ? m - 1 - k : k);
        // Through the view, so that B's points stay where they are drawn
        // whatever the rotations of A and B.
        const QPointF p = joined->mapFromView(b->mapToView(q->x(), q->y()));
        auto *point = new SketchPoint(p.x(), p.y(), q->isCurve(), q->isLocked());
        if (atFront)
            points.insert(0, point);
        else
            points.append(point);
    }
    joined->invalidateOutline();
    joined->setSelected(true);
    joined->setActiveHandle(SketchHandleOutline);
    joined->updateBlurImage();

    // The paths go whole: a point handle left active on one would make its
    // removal take only that point.
    a->setActiveHandle(SketchHandleNone);
    b->setActiveHandle(SketchHandleNone);
    // One removal, bottom first, so that undo restores their stacking order
    // exactly even when both lie in one layer.
    QList<SketchShape *> removed { a, b };
    std::sort(removed.begin(), removed.end(), isBelow);

    const QList<SketchCommand *> commands { new SketchCommandAdd(view(), joined),
                                            new SketchCommandRemove(view(), removed) };
    view()->commandManager()->push(new SketchCommandComposite(view(), commands), QStringLiteral("connectShapes"));
}

void SketchToolConnect::closePath(SketchShape *shape)
{
    auto *command = new SketchCommandUpdate(view(), shape);
    shape->setClosed(true);
    shape->setSelected(true);
    shape->setActiveHandle(SketchHandleInside);
    shape->updateBlurImage();
    view()->commandManager()->push(command, QStringLiteral("connectShapes"));
}

void SketchToolConnect::clearState()
{
    m_dragging = false;
    m_targetIsEnd = false;
    m_sourceShape = nullptr;
    m_sourceIndex = -1;
    m_targetShape = nullptr;
    m_targetIndex = -1;
}
