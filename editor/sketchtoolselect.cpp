#include "editor/sketchtoolselect.h"

#include "commands/sketchcommandupdate.h"
#include "editor/sketchdocumentview.h"
#include "model/coordinates.h"
#include "model/geometry.h"
#include "model/sketchgroup.h"
#include "model/sketchlayer.h"
#include "model/sketchpoint.h"
#include "model/sketchshape.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTextEdit>
#include <QTimer>

namespace {

// The rubber band's fill and outline.
const QColor kBandFill(198, 214, 239, 150);
const QColor kBandOutline(49, 106, 197);
// Half side, in screen pixels, of the square in which two path ends meet.
constexpr float kMeetHalfSize = 3.0f;
// How far the ring round a closing end reaches on screen, its pen included.
constexpr int kRingReach = 10;

bool isUsable(const SketchLayer *layer)
{
    return layer && layer->isVisible() && !layer->isLocked();
}

void setSelection(SketchShape *shape, bool selected, int handle)
{
    shape->setSelected(selected);
    shape->setActiveHandle(handle);
}

// The active handle of an open path of more than three points is one end
// and that end lies on the other one: the end that the drag would close on,
// else null.
SketchPoint *meetingEnd(SketchShape *shape)
{
    if (shape->isClosed() || shape->pointCount() <= 3)
        return nullptr;
    const QList<SketchPoint *> &points = qAsConst(*shape).points();
    SketchPoint *first = points.first();
    SketchPoint *last = points.last();
    const int handle = shape->activeHandle();
    if (handle == SketchHandleFirstPoint && shape->handleRect(last, kMeetHalfSize).contains(first->toPointF()))
        return last;
    if (handle == SketchHandleFirstPoint + shape->pointCount() - 1
        && shape->handleRect(first, kMeetHalfSize).contains(last->toPointF()))
        return first;
    return nullptr;
}

// Drops the last point of a path whose ends meet and closes it. The active
// handle stays on a point that exists: the first one, where the ends met.
void closePathIfEndsMeet(SketchShape *shape)
{
    if (!meetingEnd(shape))
        return;
    delete shape->points().takeLast();
    shape->setClosed(true);
    shape->setActiveHandle(SketchHandleFirstPoint);
}

} // namespace

SketchToolSelect::SketchToolSelect(SketchView *view)
    : SketchTool(view)
{
    connect(view->toolTipTimer(), &QTimer::timeout, this, &SketchToolSelect::showTooltip);
}

SketchToolSelect::~SketchToolSelect() = default;

void SketchToolSelect::reset()
{
    SketchTool::reset();
    SketchDocumentView *view = documentView();
    if (m_cancelling || !view || view->pressedButton() != Qt::LeftButton)
        return;
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(view->mapFromGlobal(QCursor::pos())), Qt::LeftButton,
                      Qt::LeftButton, view->keyboardModifiers());
    mousePressEvent(&press);
}

// --- Press ------------------------------------------------------------------

void SketchToolSelect::mousePressEvent(QMouseEvent *event)
{
    SketchTool::mousePressEvent(event);
    SketchDocumentView *view = documentView();
    if (!view)
        return;
    if (event->button() == Qt::LeftButton) {
        // A drag whose release never reached the tool is finished as it
        // stands; its command is never replaced or lost.
        if (gesture().isOpen())
            commitDrag();
        selectAt(event);
        m_dragging = true;
    }
    if (view->isTextEditingEnabled() && !view->textEditor()->isHidden()) {
        view->endTextEdit(true);
        view->onSelectionChanged();
        return;
    }
    if (event->modifiers() == Qt::NoModifier && view->selectedShapeCount() == 1)
        view->toolTipTimer()->start();
}

void SketchToolSelect::selectAt(QMouseEvent *event)
{
    SketchDocumentView *view = documentView();
    const QPoint pos = roundedPos(event->localPos()).toPoint();
    SketchShape *hit = view->shapeAt(float(pos.x()), float(pos.y()));
    const bool usableHit = hit && isUsable(hit->layer());

    if (event->modifiers() == Qt::ControlModifier) {
        if (usableHit) {
            for (SketchShape *shape : view->selectedShapes())
                shape->setActiveHandle(SketchHandleOutline);
            if (hit->isSelected())
                setSelection(hit, false, SketchHandleNone);
            else
                setSelection(hit, true, SketchHandleOutline);
        }
    } else if (usableHit) {
        if (hit->isLocked() || !hit->isSelected())
            view->clearSelection();
        if (view->editableSelectedShapes().size() > 1) {
            // The press is on one shape of a multiple selection: the drag
            // moves them all.
            setSelection(hit, true, SketchHandleOutline);
        } else {
            const QPointF own = hit->mapFromView(QPointF(pos));
            const int code = hit->hitTest(float(own.x()), float(own.y()));
            // Code 0: picked by its box alone.
            setSelection(hit, true, code > SketchHandleNone ? code : SketchHandleInside);
        }
    } else {
        view->clearSelection();
    }
    view->onSelectionChanged();

    if (usableHit && hit->layer() != view->currentLayer())
        view->setCurrentLayer(hit->layer(), true);
}

// --- Move -------------------------------------------------------------------

bool SketchToolSelect::mouseMoveEvent(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return false;
    stopTooltip();
    if (m_dragging && event->modifiers() != Qt::ControlModifier) {
        const QPoint pos = roundedPos(event->localPos()).toPoint();
        const float dx = float(pos.x() - currentPos().x());
        const float dy = float(pos.y() - currentPos().y());
        if (dx != 0.0f || dy != 0.0f)
            dragBy(dx, dy);
    }
    SketchTool::mouseMoveEvent(event);
    return true;
}

void SketchToolSelect::dragBy(float dx, float dy)
{
    SketchDocumentView *view = documentView();
    const QList<SketchShape *> shapes = view->editableSelectedInnerShapes();
    if (shapes.isEmpty())
        return;
    // Opened only now, so that a click, or a press on a large selection that
    // never moves, clones nothing.
    if (!gesture().isOpen()) {
        gesture().begin(new SketchCommandUpdate(view, view->editableSelectedShapes()));
        view->beginMovePreview(shapes);
    }
    for (SketchShape *shape : shapes) {
        shape->moveHandle(dx, dy);
        if (shape->activeHandle() > SketchHandleInside)
            shape->updateBlurImage();
    }
    // A move preview shows the whole view from its pictures instead.
    if (!view->hasMovePreview())
        view->repaintShapes(shapes);
}

// --- Release ----------------------------------------------------------------

void SketchToolSelect::mouseReleaseEvent(QMouseEvent *event)
{
    stopTooltip();
    SketchDocumentView *view = documentView();
    const bool dragging = m_dragging;
    m_dragging = false;
    if (view && dragging) {
        const QRectF band = toDocument(rectFromPoints(pressPos(), currentPos()));
        const bool moved = band.width() > 0 || band.height() > 0;
        if (moved) {
            if (event->modifiers() == Qt::ControlModifier)
                selectInBand(band, true);
            else if (view->editableSelectedShapes().isEmpty())
                selectInBand(band, false);
        }
        // A drag that came back to where it started may still have changed
        // a shape; it is recorded all the same.
        if (gesture().isOpen())
            commitDrag();
        if (moved) {
            const QList<SketchShape *> selected = view->selectedShapes();
            if (selected.size() == 1) {
                SketchLayer *layer = selected.first()->layer();
                if (layer != view->currentLayer() && isUsable(layer))
                    view->setCurrentLayer(layer, false);
            }
        }
    }
    SketchTool::mouseReleaseEvent(event);
}

void SketchToolSelect::selectInBand(const QRectF &band, bool toggle)
{
    SketchDocumentView *view = documentView();
    for (SketchShape *shape : view->shapes()) {
        if (!isUsable(shape->layer()))
            continue;
        const bool touched = shape->hitTestRect(band);
        if (toggle && !touched)
            continue;
        const bool selected = toggle ? !shape->isSelected() : touched;
        setSelection(shape, selected, selected ? SketchHandleOutline : SketchHandleNone);
    }
    view->onSelectionChanged();
}

void SketchToolSelect::commitDrag()
{
    documentView()->endMovePreview();
    auto *command = static_cast<SketchCommandUpdate *>(gesture().command());
    if (command->shapeCount() == 0) {
        gesture().drop();
        return;
    }
    if (command->shapeCount() == 1)
        closePathIfEndsMeet(command->shapes().first());
    gesture().push(QStringLiteral("moveSelection"));
}

// --- Double click -------------------------------------------------------------

void SketchToolSelect::mouseDoubleClickEvent(QMouseEvent *event)
{
    SketchDocumentView *view = documentView();
    if (!view)
        return;
    const QPoint pos = roundedPos(event->localPos()).toPoint();
    if (view->selectedUnlockedShapeCount() == 1) {
        const QList<SketchShape *> editable = view->editableSelectedShapes();
        if (!editable.isEmpty() && editable.first()->isGroup()) {
            selectInnerShape(static_cast<SketchGroup *>(editable.first()), pos.x(), pos.y());
            view->onSelectionChanged();
            return;
        }
    }
    if (view->isTextEditingEnabled())
        view->editTextAt(pos.x(), pos.y());
}

void SketchToolSelect::selectInnerShape(SketchGroup *group, int x, int y)
{
    const QPointF pos(x, y);
    SketchShape *inner = group->selectedShape();
    if (!inner)
        inner = group;
    SketchShape *container = inner->isGroup() ? inner : inner->group();

    // Sideways: another shape of the same group under the pointer.
    if (auto *parent = static_cast<SketchGroup *>(inner->group())) {
        SketchShape *other = parent->shapeAt(pos);
        if (other && other != inner) {
            setSelection(other, true, SketchHandleInside);
            setSelection(inner, false, SketchHandleNone);
            return;
        }
    }

    SketchShape *hit = container ? static_cast<SketchGroup *>(container)->shapeAt(pos) : nullptr;
    if (!hit)
        hit = group->shapeAt(pos);
    if (!hit)
        return;
    group->setSelected(false);
    if (hit == inner) {
        SketchDocumentView *view = documentView();
        if (!inner->isGroup() && inner->isClosed() && view->isTextEditingEnabled())
            view->beginTextEdit(inner);
        return;
    }
    for (SketchShape *level = hit; level; level = level->group())
        setSelection(level, true, SketchHandleInside);
}

// --- Keys -------------------------------------------------------------------------

void SketchToolSelect::keyPressEvent(QKeyEvent *event)
{
    SketchTool::keyPressEvent(event);
    SketchDocumentView *view = documentView();
    if (!view)
        return;
    int dx = 0;
    int dy = 0;
    switch (event->key()) {
    case Qt::Key_Left:
        dx = -1;
        break;
    case Qt::Key_Right:
        dx = 1;
        break;
    case Qt::Key_Up:
        dy = -1;
        break;
    case Qt::Key_Down:
        dy = 1;
        break;
    case Qt::Key_F2:
        if (view->selectedUnlockedShapeCount() > 0) {
            const QList<SketchShape *> inner = view->editableSelectedInnerShapes();
            if (!inner.isEmpty())
                view->beginTextEdit(inner.first());
        }
        return;
    default:
        return;
    }
    // A nudge in the middle of a drag: the drag so far is recorded first, so
    // that the two commands undo in the order they happened.
    if (gesture().isOpen())
        commitDrag();
    view->moveSelection(dx, dy);
}

// --- Cancel -------------------------------------------------------------------------

void SketchToolSelect::takeBackGesture()
{
    m_dragging = false;
    if (!gesture().isOpen())
        return;
    const QList<SketchShape *> moved = static_cast<SketchCommandUpdate *>(gesture().command())->shapes();
    gesture().takeBack();
    if (SketchDocumentView *view = documentView()) {
        view->endMovePreview();
        view->repaintShapes(moved);
        view->onSelectionChanged();
    }
}

void SketchToolSelect::cancel()
{
    SketchDocumentView *view = documentView();
    if (view && view->isTextEditingEnabled() && !view->textEditor()->isHidden())
        view->endTextEdit(false);
    stopTooltip();
    // The drag is taken back before the tool reports that it is done: the
    // reset that follows must find nothing open.
    takeBackGesture();
    m_cancelling = true;
    SketchTool::cancel();
    m_cancelling = false;
}

// --- Painting -------------------------------------------------------------------------

void SketchToolSelect::paint(QPainter *painter)
{
    painter->resetTransform();
    SketchDocumentView *view = documentView();
    if (!view || view->pressedButton() != Qt::LeftButton)
        return;

    if (m_tooltipVisible && view->selectedShapeCount() == 1) {
        SketchShape *shape = view->selectedShapes().first();
        if (shape->activeHandle() > SketchHandleInside)
            drawPointStatus(painter, shape);
        else if (shape->isClosed())
            drawRectStatus(painter, shape);
        return;
    }

    SketchShape *shape = nullptr;
    if (SketchPoint *end = closingEnd(&shape)) {
        painter->setTransform(view->shapeTransform(shape));
        shape->paintPointHandle(painter, end, true, true);
        painter->resetTransform();
    }

    const QRectF band = shownBand();
    if (!band.isEmpty()) {
        painter->fillRect(band, kBandFill);
        painter->setPen(QPen(kBandOutline));
        painter->setBrush(Qt::NoBrush);
        painter->drawRects(&band, 1);
    }
}

QRect SketchToolSelect::overlayArea() const
{
    SketchDocumentView *view = documentView();
    if (!view || view->pressedButton() != Qt::LeftButton)
        return QRect();
    if (m_tooltipVisible && view->selectedShapeCount() == 1) {
        SketchShape *shape = view->selectedShapes().first();
        if (shape->activeHandle() > SketchHandleInside)
            return pointStatusArea(shape);
        return shape->isClosed() ? rectStatusArea(shape) : QRect();
    }
    QRect area;
    SketchShape *shape = nullptr;
    if (SketchPoint *end = closingEnd(&shape)) {
        // The ring and its pen keep their size on screen.
        const QPoint centre = view->shapeTransform(shape).map(end->toPointF()).toPoint();
        area = QRect(centre - QPoint(kRingReach, kRingReach), centre + QPoint(kRingReach, kRingReach));
    }
    const QRectF band = shownBand();
    if (!band.isEmpty())
        area |= band.toAlignedRect().adjusted(-1, -1, 2, 2);
    return area;
}

SketchPoint *SketchToolSelect::closingEnd(SketchShape **shape) const
{
    const SketchDocumentView *view = documentView();
    if (view->selectedUnlockedShapeCount() != 1)
        return nullptr;
    const QList<SketchShape *> editable = view->editableSelectedShapes();
    *shape = editable.isEmpty() ? nullptr : editable.first();
    return *shape ? meetingEnd(*shape) : nullptr;
}

QRectF SketchToolSelect::shownBand() const
{
    const SketchDocumentView *view = documentView();
    if (!m_dragging
        || (view->selectedUnlockedShapeCount() != 0 && view->keyboardModifiers() != Qt::ControlModifier))
        return QRectF();
    const QRectF band = rectFromPoints(pressPos(), currentPos());
    return band.width() > 0 && band.height() > 0 ? band : QRectF();
}

void SketchToolSelect::showTooltip()
{
    SketchDocumentView *view = documentView();
    if (!view || view->currentTool() != this || view->pressedButton() != Qt::LeftButton)
        return;
    m_tooltipVisible = true;
    view->repaintChanges();
}

void SketchToolSelect::stopTooltip()
{
    m_tooltipVisible = false;
    if (SketchDocumentView *view = documentView())
        view->toolTipTimer()->stop();
}

QRectF SketchToolSelect::toDocument(const QRectF &rect) const
{
    const SketchDocumentView *view = documentView();
    const qreal zoom = view->zoom();
    return QRectF(view->mapToDocument(rect.topLeft()), QSizeF(rect.width() / zoom, rect.height() / zoom));
}
