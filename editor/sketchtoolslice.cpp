#include "editor/sketchtoolslice.h"

#include "commands/sketchcommandadd.h"
#include "commands/sketchcommandmanager.h"
#include "commands/sketchcommandupdate.h"
#include "editor/sketchdocumentview.h"
#include "model/coordinates.h"
#include "model/sketchdocument.h"
#include "model/sketchslice.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QTimer>

#include <cmath>
#include <limits>

namespace {

// Edges closer than this to another slice's edge (but not on it) snap onto it.
constexpr qint64 kSnapDistance = 7;
// Slices narrower or lower than this are refused; a left or top edge dragged
// inwards stops once the size is down to it.
constexpr int kMinimumSize = 3;
// A new slice starts dragged by its bottom-right corner.
constexpr int kBottomRightHandle = 4;

enum Edge { LeftEdge = 1, TopEdge = 2, RightEdge = 4, BottomEdge = 8 };

int edgesOfHandle(int handle)
{
    static const int edges[8] = {LeftEdge | TopEdge, TopEdge,    RightEdge | TopEdge,   RightEdge,
                                 RightEdge | BottomEdge, BottomEdge, LeftEdge | BottomEdge, LeftEdge};
    return handle >= 0 && handle < 8 ? edges[handle] : 0;
}

Qt::CursorShape handleCursor(int handle)
{
    switch (handle) {
    case 0:
    case 4:
        return Qt::SizeFDiagCursor;
    case 1:
    case 5:
        return Qt::SizeVerCursor;
    case 2:
    case 6:
        return Qt::SizeBDiagCursor;
    default:
        return Qt::SizeHorCursor;
    }
}

bool isNear(qint64 a, qint64 b)
{
    const qint64 distance = qAbs(a - b);
    return distance >= 1 && distance <= kSnapDistance;
}

int clampedInt(qint64 value)
{
    return int(qBound<qint64>(std::numeric_limits<int>::min(), value, std::numeric_limits<int>::max()));
}

} // namespace

SketchToolSlice::SketchToolSlice(SketchView *view)
    : SketchTool(view)
{
    connect(view->toolTipTimer(), &QTimer::timeout, this, &SketchToolSlice::showTooltip);
}

SketchToolSlice::~SketchToolSlice() = default;

QCursor SketchToolSlice::cursor() const
{
    return QCursor(QPixmap(QStringLiteral(":/tools/images/Slice.png")), 0, 14);
}

void SketchToolSlice::reset()
{
    view()->clearSelection();
}

// --- Input -------------------------------------------------------------------

void SketchToolSlice::mousePressEvent(QMouseEvent *event)
{
    SketchTool::mousePressEvent(event);
    SketchDocumentView *view = documentView();
    if (!view || event->button() != Qt::LeftButton)
        return;
    const QPointF pos = roundedPos(event->localPos());

    if (m_handle < 0) {
        SketchSlice *hit = selectSliceAt(pos);
        if (!m_newSlice && !(hit && !hit->isAutoSlice())) {
            // Empty paper or an automatic slice: a new slice starts here.
            const QPoint start = documentPoint(pos);
            auto *slice = new SketchSlice(view->document());
            slice->setX(start.x());
            slice->setY(start.y());
            slice->setSelected(true);
            m_newSlice = slice;
            m_addCommand = new SketchCommandAdd(view, slice);
            view->commandManager()->push(m_addCommand, QStringLiteral("addSlice"));
            m_handle = kBottomRightHandle;
            m_currentSlice = slice;
        }
    }

    if (!m_newSlice && !gesture().isOpen()) {
        // The state before the move or resize, recorded at its release.
        if (m_currentSlice) {
            gesture().begin(new SketchCommandUpdate(view, m_currentSlice.data()));
        } else {
            const QList<SketchSlice *> selected = view->selectedSlices(false);
            if (!selected.isEmpty())
                gesture().begin(new SketchCommandUpdate(view, selected));
        }
    }

    if (m_newSlice && m_newSlice->width() != 0)
        return;
    // The new slice has no area yet and so lies under no point: what the
    // press is on (an automatic slice, say) shows as selected until the drag
    // picks the new slice again.
    selectSliceAt(pos);
    if (event->modifiers() != Qt::NoModifier)
        return;
    if (view->selectedSlices(true).size() == 1)
        view->toolTipTimer()->start();
}

bool SketchToolSlice::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF previousDrag = dragPos();
    SketchTool::mouseMoveEvent(event);
    SketchDocumentView *view = documentView();
    if (!view)
        return false;

    if (event->buttons() == Qt::NoButton) {
        m_currentSlice = nullptr;
        m_handle = -1;
        const QPoint paperPoint = documentPoint(roundedPos(event->localPos()));
        // The first selected slice with a handle under the pointer becomes
        // current, and the search ends there: looking on would reset the
        // handle while the slice stays current, and a press would then move
        // all selected slices under an update command that covers only that
        // one.
        const QList<SketchSlice *> selected = view->selectedSlices(false);
        for (SketchSlice *slice : selected) {
            if (updateHover(slice, paperPoint)) {
                m_currentSlice = slice;
                break;
            }
        }
        return false;
    }
    if (event->buttons() != Qt::LeftButton)
        return false;

    stopTooltip();
    // Only a gesture that its press recorded may change slices.
    if (!isInGesture())
        return true;
    if (m_currentSlice && !m_currentSlice->isSelected())
        m_currentSlice->setSelected(true);
    const QPointF p = view->mapToDocument(roundedPos(event->localPos()));
    const QPointF q = view->mapToDocument(previousDrag);
    moveHandle(int(std::trunc(p.x() - q.x())), int(std::trunc(p.y() - q.y())));
    return true;
}

void SketchToolSlice::mouseReleaseEvent(QMouseEvent *event)
{
    SketchTool::mouseReleaseEvent(event);
    stopTooltip();
    SketchDocumentView *view = documentView();
    if (!view)
        return;

    bool placed = false;
    // A release that ends no gesture (a right click, say) leaves the slices
    // alone: whatever it validated or snapped would change the document
    // outside any command.
    if (isInGesture()) {
        if (m_newSlice)
            placed = placeNewSlice();
        if (!validateEditedSlices())
            cancel();
        else
            gesture().push(QStringLiteral("handleSlice"));
    }

    view->document()->updateSliceGrid();
    QPointF at = roundedPos(event->localPos());
    if (placed)
        at -= QPointF(3, 3);
    selectSliceAt(at);
}

bool SketchToolSlice::placeNewSlice()
{
    SketchDocumentView *view = documentView();
    if (snapSlice(m_newSlice)) {
        m_newSlice = nullptr;
        m_addCommand = nullptr;
        view->setCursor(Qt::SizeFDiagCursor);
        return true;
    }
    withdrawNewSlice();
    m_newSlice = nullptr;
    m_addCommand = nullptr;
    m_currentSlice = nullptr;
    m_handle = -1;
    view->setCursor(Qt::ArrowCursor);
    return false;
}

bool SketchToolSlice::validateEditedSlices()
{
    if (m_currentSlice)
        return snapSlice(m_currentSlice);
    // Every one is snapped, also after a failure.
    bool valid = true;
    const QList<SketchSlice *> selected = documentView()->selectedSlices(false);
    for (SketchSlice *slice : selected)
        valid = snapSlice(slice) && valid;
    return valid;
}

void SketchToolSlice::cancel()
{
    SketchDocumentView *view = documentView();
    if (gesture().isOpen()) {
        gesture().takeBack();
        m_currentSlice = nullptr;
        m_handle = -1;
        if (view)
            view->setCursor(Qt::ArrowCursor);
    } else if (m_newSlice) {
        withdrawNewSlice();
        m_newSlice = nullptr;
        m_addCommand = nullptr;
        m_currentSlice = nullptr;
        m_handle = -1;
        if (view)
            view->setCursor(cursor());
    }
    m_labelShown = false;
    SketchTool::cancel();
}

void SketchToolSlice::withdrawNewSlice()
{
    SketchDocumentView *view = documentView();
    if (!view || !m_newSlice)
        return;
    // Only this drag's own command: once anything else has been recorded on
    // top of it, the slice stays in the history as it is.
    if (!view->commandManager()->withdrawCommand(m_addCommand))
        return;
    // The withdrawn command freed the slice; the history changed under the
    // main window's undo action.
    view->onUndoManagerChanged();
    view->onSelectionChanged();
}

bool SketchToolSlice::isInGesture() const
{
    return m_newSlice || gesture().isOpen();
}

// --- Editing -----------------------------------------------------------------

bool SketchToolSlice::moveSelection(int dx, int dy)
{
    if (dx == 0 && dy == 0)
        return false;
    const SketchDocumentView *view = documentView();
    if (!view)
        return false;
    const QList<SketchSlice *> selected = view->selectedSlices(false);
    for (SketchSlice *slice : selected)
        slice->moveBy(dx, dy);
    return !selected.isEmpty();
}

void SketchToolSlice::moveHandle(int dx, int dy)
{
    if (m_handle < 0) {
        moveSelection(dx, dy);
        return;
    }
    SketchSlice *slice = m_currentSlice.data();
    if (!slice || slice->isAutoSlice())
        return;
    const int edges = edgesOfHandle(m_handle);
    // A left or top edge dragged inwards stops at the minimum size; the
    // opposite edge, if it moves too, then comes towards it.
    if (edges & LeftEdge) {
        slice->resizeBy(-dx, 0);
        if (!(slice->width() <= kMinimumSize && dx >= 0))
            slice->moveBy(dx, 0);
    }
    if (edges & TopEdge) {
        slice->resizeBy(0, -dy);
        if (!(slice->height() <= kMinimumSize && dy >= 0))
            slice->moveBy(0, dy);
    }
    if (edges & RightEdge)
        slice->resizeBy(dx, 0);
    if (edges & BottomEdge)
        slice->resizeBy(0, dy);
}

bool SketchToolSlice::snapSlice(SketchSlice *slice) const
{
    const SketchDocumentView *view = documentView();
    if (!view || !slice || slice->width() < kMinimumSize || slice->height() < kMinimumSize)
        return false;
    const QList<SketchSlice *> slices = view->slices();
    const QRect area = slice->rect();
    for (const SketchSlice *other : slices) {
        if (other == slice || !area.intersects(other->rect()))
            continue;
        // Overlaps are allowed along a shared left or top edge.
        if (slice->x() == other->x() || slice->x() == other->endX() || slice->y() == other->y()
            || slice->y() == other->endY())
            continue;
        return false;
    }

    if (slice->x() < 8)
        slice->setX(0);
    if (slice->y() < 8)
        slice->setY(0);
    for (const SketchSlice *other : slices) {
        if (other == slice)
            continue;
        if (isNear(slice->x(), other->x()))
            slice->setX(other->x());
        if (isNear(slice->x(), other->endX()))
            slice->setX(other->endX());
        if (isNear(slice->endX(), other->endX()))
            slice->setWidth(clampedInt(qint64(other->endX()) - slice->x()));
        if (isNear(slice->y(), other->y()))
            slice->setY(other->y());
        if (isNear(slice->y(), other->endY()))
            slice->setY(other->endY());
        if (isNear(slice->endY(), other->endY()))
            slice->setHeight(clampedInt(qint64(other->endY()) - slice->y()));
    }
    return true;
}

SketchSlice *SketchToolSlice::selectSliceAt(const QPointF &pos)
{
    SketchDocumentView *view = documentView();
    if (!view)
        return nullptr;
    const QList<SketchSlice *> all = view->sortedSlices();
    for (SketchSlice *slice : all)
        slice->setSelected(false);
    SketchSlice *slice = view->sliceAt(float(pos.x()), float(pos.y()), true);
    if (slice)
        slice->setSelected(true);
    return slice;
}

bool SketchToolSlice::updateHover(SketchSlice *slice, const QPoint &paperPoint)
{
    SketchDocumentView *view = documentView();
    m_handle = -1;
    if (!view || !slice)
        return false;
    // Over the inside of any hand-drawn slice a press moves: no handle there.
    if (view->sliceAt(float(currentPos().x()), float(currentPos().y()), false)) {
        view->setCursor(QCursor(QPixmap(QStringLiteral(":/tools/images/CursorArrow.png")), 0, 0));
        return false;
    }
    view->setCursor(cursor());
    if (slice->isAutoSlice())
        return false;
    m_handle = slice->handleAt(paperPoint.x(), paperPoint.y());
    if (m_handle < 0)
        return false;
    view->setCursor(handleCursor(m_handle));
    return true;
}

// --- Read-out and painting -------------------------------------------------------

void SketchToolSlice::showTooltip()
{
    SketchDocumentView *view = documentView();
    if (!view || view->currentTool() != this || view->pressedButton() != Qt::LeftButton)
        return;
    m_labelShown = true;
    view->update();
}

void SketchToolSlice::stopTooltip()
{
    m_labelShown = false;
    QTimer *timer = view()->toolTipTimer();
    if (timer->isActive())
        timer->stop();
}

void SketchToolSlice::paint(QPainter *painter)
{
    SketchDocumentView *view = documentView();
    if (!view)
        return;
    painter->setTransform(view->viewTransform());
    painter->save();
    const QList<SketchSlice *> slices = view->slices();
    for (const SketchSlice *slice : slices)
        slice->paint(painter);
    if (view->isAutoSliceVisible()) {
        const QList<SketchSlice *> autoSlices = view->autoSlices();
        for (const SketchSlice *slice : autoSlices)
            slice->paint(painter);
    }
    painter->restore();
    painter->resetTransform();

    if (!m_labelShown || view->pressedButton() != Qt::LeftButton)
        return;
    const QList<SketchSlice *> selected = view->selectedSlices(true);
    if (selected.size() != 1)
        return;
    const SketchSlice *slice = selected.first();
    if (slice->width() < 1 || slice->height() < 1)
        return;
    const QString text = tr("Rect: X=%1, Y=%2, W=%3, H=%4")
                             .arg(QString::number(slice->x()), QString::number(slice->y()),
                                  QString::number(slice->width()), QString::number(slice->height()))
                             .trimmed();
    const int h = QFontMetrics(view->font()).size(0, text).height();
    drawLabel(painter, text, float(pressPos().x()), float(pressPos().y() - h));
}

QPoint SketchToolSlice::documentPoint(const QPointF &pos) const
{
    const QPointF paper = documentView()->mapToDocument(pos);
    return QPoint(qRound(paper.x()), qRound(paper.y()));
}
