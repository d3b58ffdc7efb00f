// SketchDocumentView: the operations on the selection (group, lock, flip,
// align, delete, z-order, frames, select all), their guards, and the
// picking of the shape or slice under a point.
#include "editor/sketchdocumentview.h"

#include "commands/sketchcommandgroup.h"
#include "commands/sketchcommandmanager.h"
#include "commands/sketchcommandplace.h"
#include "commands/sketchcommandremove.h"
#include "commands/sketchcommandungroup.h"
#include "commands/sketchcommandupdate.h"
#include "editor/sketchtool.h"
#include "model/sketchdocument.h"
#include "model/sketchgroup.h"
#include "model/sketchlayer.h"
#include "model/sketchshape.h"
#include "model/sketchslice.h"

#include <QHash>
#include <algorithm>

namespace {

bool isUsable(const SketchLayer *layer)
{
    return layer && layer->isVisible() && !layer->isLocked();
}

void select(SketchShape *shape, bool selected)
{
    shape->setSelected(selected);
    shape->setActiveHandle(selected ? SketchHandleInside : SketchHandleNone);
}

// Moves the drawn shape by an offset in paper units, whatever its active
// handle, the zoom or its rotation: the offset is taken as one on screen and
// turned into the shape's own coordinates as a drag would be.
void shiftShape(SketchShape *shape, float dx, float dy, float zoom)
{
    float ox = dx * zoom;
    float oy = dy * zoom;
    shape->mapDeltaFromView(ox, oy);
    shape->translate(ox, oy);
}

// The slice of the list whose area holds the point, the last one first.
SketchSlice *sliceIn(const QList<SketchSlice *> &slices, int x, int y)
{
    for (int i = slices.size() - 1; i >= 0; --i) {
        SketchSlice *slice = slices.at(i);
        if (slice->width() < 1 || slice->height() < 1)
            continue;
        if (x >= slice->x() && x < slice->x() + slice->width() && y >= slice->y()
            && y < slice->y() + slice->height())
            return slice;
    }
    return nullptr;
}

} // namespace

// --- Grouping, locking, flipping ------------------------------------------------

void SketchDocumentView::groupSelection()
{
    if (m_currentToolType == SketchToolTypeSlice || !currentLayer())
        return;
    const QList<SketchShape *> shapes = editableSelectedShapes();
    if (shapes.isEmpty())
        return;
    commandManager()->push(new SketchCommandGroup(this, shapes), QStringLiteral("groupSelection"));
}

void SketchDocumentView::unGroupSelection()
{
    if (m_currentToolType == SketchToolTypeSlice)
        return;
    const QList<SketchGroup *> groups = selectedUnlockedGroups();
    if (groups.isEmpty())
        return;
    commandManager()->push(new SketchCommandUnGroup(this, groups), QStringLiteral("unGroupSelection"));
}

// Applies one edit to every given shape as a single undoable command; does
// nothing under the slice tool or without shapes.
void SketchDocumentView::updateShapes(const QList<SketchShape *> &shapes, const QString &text,
                                      const std::function<void(SketchShape *)> &edit)
{
    if (m_currentToolType == SketchToolTypeSlice || shapes.isEmpty())
        return;
    auto *command = new SketchCommandUpdate(this, shapes);
    for (SketchShape *shape : shapes)
        edit(shape);
    commandManager()->push(command, text);
}

namespace {

QList<SketchShape *> offLockedLayers(QList<SketchShape *> shapes)
{
    shapes.erase(std::remove_if(shapes.begin(), shapes.end(), &SketchDocumentView::isOnLockedLayer),
                 shapes.end());
    return shapes;
}

} // namespace

void SketchDocumentView::lockSelection()
{
    updateShapes(offLockedLayers(selectedShapes()), QStringLiteral("lockSelection"),
                 [](SketchShape *shape) { shape->setLocked(true); });
}

void SketchDocumentView::unLockSelection()
{
    updateShapes(offLockedLayers(selectedShapes()), QStringLiteral("unLockSelection"),
                 [](SketchShape *shape) { shape->setLocked(false); });
}

// Locked shapes and the shapes of hidden or locked layers are never turned.
void SketchDocumentView::flipHorizontalSelection()
{
    updateShapes(editableSelectedShapes(), QStringLiteral("flipHorizontalSelection"),
                 [](SketchShape *shape) { shape->flipHorizontal(); });
}

void SketchDocumentView::flipVerticalSelection()
{
    updateShapes(editableSelectedShapes(), QStringLiteral("flipVerticalSelection"),
                 [](SketchShape *shape) { shape->flipVertical(); });
}

// --- Alignment ----------------------------------------------------------------------

namespace {

enum class AlignEdge { Left, Top, Right, Bottom, Center };

// The offset in paper units that puts the box on the common edge of all.
QPointF alignOffset(AlignEdge edge, const QRectF &box, const QRectF &all)
{
    switch (edge) {
    case AlignEdge::Left:
        return QPointF(all.left() - box.left(), 0.0);
    case AlignEdge::Top:
        return QPointF(0.0, all.top() - box.top());
    case AlignEdge::Right:
        return QPointF(all.right() - box.right(), 0.0);
    case AlignEdge::Bottom:
        return QPointF(0.0, all.bottom() - box.bottom());
    case AlignEdge::Center:
        return QPointF((all.left() + all.right()) * 0.5 - box.center().x(), 0.0);
    }
    return QPointF();
}

void alignShapes(SketchDocumentView *view, AlignEdge edge, const QString &text)
{
    if (view->currentToolType() == SketchToolTypeSlice)
        return;
    const QList<SketchShape *> shapes = view->editableSelectedShapes();
    if (shapes.size() < 2)
        return;
    // The extremes of the boxes, each in its shape's own coordinates.
    QList<QRectF> boxes;
    qreal left = 0, top = 0, right = 0, bottom = 0;
    for (SketchShape *shape : shapes) {
        const QRectF box = shape->boundingRect();
        if (boxes.isEmpty()) {
            left = box.left();
            top = box.top();
            right = box.right();
            bottom = box.bottom();
        } else {
            left = qMin(left, box.left());
            top = qMin(top, box.top());
            right = qMax(right, box.right());
            bottom = qMax(bottom, box.bottom());
        }
        boxes.append(box);
    }
    const QRectF all(QPointF(left, top), QPointF(right, bottom));

    auto *command = new SketchCommandUpdate(view, shapes);
    for (int i = 0; i < shapes.size(); ++i) {
        const QPointF offset = alignOffset(edge, boxes.at(i), all);
        shiftShape(shapes.at(i), float(offset.x()), float(offset.y()), view->zoom());
    }
    view->commandManager()->push(command, text);
}

} // namespace

void SketchDocumentView::alignLeftSelection()
{
    alignShapes(this, AlignEdge::Left, QStringLiteral("alignLeftSelection"));
}

void SketchDocumentView::alignTopSelection()
{
    alignShapes(this, AlignEdge::Top, QStringLiteral("alignTopSelection"));
}

void SketchDocumentView::alignRightSelection()
{
    alignShapes(this, AlignEdge::Right, QStringLiteral("alignRightSelection"));
}

void SketchDocumentView::alignBottomSelection()
{
    alignShapes(this, AlignEdge::Bottom, QStringLiteral("alignBottomSelection"));
}

void SketchDocumentView::alignCenterSelection()
{
    alignShapes(this, AlignEdge::Center, QStringLiteral("alignCenterSelection"));
}

// --- Deleting -------------------------------------------------------------------------

void SketchDocumentView::deleteSelection()
{
    if (m_currentToolType == SketchToolTypeSlice) {
        const QList<SketchSlice *> slices = selectedSlices(false);
        if (!slices.isEmpty())
            commandManager()->push(new SketchCommandRemove(this, slices), QStringLiteral("delelteSelection"));
        return;
    }
    // A gesture in progress holds on to shapes that the removal may take
    // away (a shape being created, the "before" state of a drag), so it ends
    // first, and the targets are only taken after that.
    endTextEdit(true);
    if (SketchTool *tool = currentTool())
        tool->cancel();
    if (m_currentToolType != SketchToolTypeSelect)
        setCurrentTool(SketchToolTypeSelect, false);
    const QList<SketchShape *> shapes = editableSelectedShapes();
    if (shapes.isEmpty())
        return;
    commandManager()->push(new SketchCommandRemove(this, shapes), QStringLiteral("delelteSelection"));
}

// --- Z-order ---------------------------------------------------------------------------

void SketchDocumentView::placeSelection(SketchPlaceKind kind)
{
    if (m_currentToolType == SketchToolTypeSlice)
        return;
    QList<SketchLayer *> order;
    QHash<SketchLayer *, QList<SketchShape *>> byLayer;
    for (SketchShape *shape : selectedShapes()) {
        SketchLayer *layer = shape->layer();
        if (!layer || layer->isLocked())
            continue;
        if (!byLayer.contains(layer))
            order.append(layer);
        byLayer[layer].append(shape);
    }
    const bool towardsFront = kind == SketchPlaceToFront || kind == SketchPlaceForward;
    for (SketchLayer *layer : qAsConst(order)) {
        const QList<SketchShape *> &layerShapes = layer->shapes();
        QList<QPair<int, SketchShape *>> indexed;
        for (SketchShape *shape : byLayer.value(layer)) {
            const int index = layerShapes.indexOf(shape);
            if (index >= 0)
                indexed.append(qMakePair(index, shape));
        }
        if (indexed.isEmpty() || indexed.size() == layerShapes.size())
            continue;
        std::sort(indexed.begin(), indexed.end(),
                  [](const QPair<int, SketchShape *> &a, const QPair<int, SketchShape *> &b) {
                      return a.first < b.first;
                  });
        // Already at the end it would move towards: nothing to do here.
        if (towardsFront ? indexed.last().first == layerShapes.size() - 1 : indexed.first().first == 0)
            continue;
        QList<SketchShape *> sorted;
        for (const auto &entry : qAsConst(indexed))
            sorted.append(entry.second);
        commandManager()->push(new SketchCommandPlace(this, sorted, kind), QStringLiteral("placeSelection"));
    }
}

void SketchDocumentView::bringToFront()
{
    placeSelection(SketchPlaceToFront);
}

void SketchDocumentView::sendToBack()
{
    placeSelection(SketchPlaceToBack);
}

void SketchDocumentView::bringForward()
{
    placeSelection(SketchPlaceForward);
}

void SketchDocumentView::sendBackward()
{
    placeSelection(SketchPlaceBackward);
}

// --- Frames ---------------------------------------------------------------------------

bool SketchDocumentView::removeShapeFrame(SketchShape *shape, int index)
{
    if (!shape || isOnLockedLayer(shape))
        return false;
    QList<SketchShape *> &frames = shape->frames();
    if (index < 0 || index >= frames.size())
        return false;
    auto *command = new SketchCommandUpdate(this, shape);

    // Switching frames records where the frame left behind sat inside a
    // group; the switches here are not the user's, so those places stay.
    QHash<SketchShape *, QPointF> places;
    for (SketchShape *frame : qAsConst(frames))
        places.insert(frame, frame->innerPosition());
    // The shape must not go on showing a frame that is gone: the next sync
    // would write it over the frame that took its place.
    if (index == shape->frameIndex() && frames.size() > 1)
        shape->setFrameIndex(index + 1 < frames.size() ? index + 1 : index - 1);
    delete frames.takeAt(index);
    shape->setFrameIndex(index);
    for (SketchShape *frame : qAsConst(frames))
        frame->setInnerPosition(places.value(frame));
    // A shape never keeps a single frame.
    if (frames.size() == 1)
        shape->clearFrames();

    shape->setActiveHandle(SketchHandleInside);
    shape->setSelected(true);
    commandManager()->push(command, QStringLiteral("removeShapeFrame"));
    return true;
}

// --- Selecting ------------------------------------------------------------------------

void SketchDocumentView::clearSelection()
{
    for (SketchLayer *layer : qAsConst(m_document->layers())) {
        for (SketchShape *shape : qAsConst(layer->shapes()))
            select(shape, false);
    }
}

void SketchDocumentView::selectAll()
{
    if (m_currentToolType == SketchToolTypeSlice)
        return;
    for (SketchLayer *layer : qAsConst(m_document->layers())) {
        const bool usable = isUsable(layer);
        for (SketchShape *shape : qAsConst(layer->shapes()))
            select(shape, usable);
    }
    onSelectionChanged();
}

void SketchDocumentView::selectAllOfCurrentLayer()
{
    SketchLayer *layer = currentLayer();
    if (m_currentToolType == SketchToolTypeSlice || !layer)
        return;
    clearSelection();
    if (isUsable(layer)) {
        for (SketchShape *shape : qAsConst(layer->shapes()))
            select(shape, true);
    }
    onSelectionChanged();
}

// --- Guards ---------------------------------------------------------------------------

bool SketchDocumentView::canGroup() const
{
    if (!currentLayer())
        return false;
    const QList<SketchShape *> shapes = editableSelectedShapes();
    return shapes.size() >= 2 || (shapes.size() == 1 && !shapes.first()->isGroup());
}

bool SketchDocumentView::canUnLock() const
{
    for (const SketchLayer *layer : qAsConst(m_document->layers())) {
        if (!layer->isVisible())
            continue;
        for (const SketchShape *shape : layer->shapes()) {
            if (shape->isSelected() && shape->isLocked())
                return true;
        }
    }
    return false;
}

bool SketchDocumentView::canDelete() const
{
    return selectedUnlockedShapeCount() + selectedSlices(false).size() > 0;
}

bool SketchDocumentView::isEmpty() const
{
    return m_document->layers().size() == 1 && shapeCount() == 0;
}

// --- Picking --------------------------------------------------------------------------

SketchShape *SketchDocumentView::shapeAt(float x, float y) const
{
    const QPointF point(x, y);
    SketchShape *clearCandidate = nullptr;
    SketchShape *boxCandidate = nullptr;
    for (SketchShape *shape : shapesFromTop()) {
        const SketchLayer *layer = shape->layer();
        if (layer && !layer->isVisible())
            continue;
        const QPointF own = shape->mapFromView(point);
        const int code = shape->hitTest(float(own.x()), float(own.y()));
        if (code == SketchHandleOutline || code >= SketchHandleFirstPoint)
            return shape;
        if (code == SketchHandleInside) {
            if (shape->isGroup() || !shape->fill().isTransparent() || !shape->text().isEmpty())
                return shape;
            // Later candidates replace earlier ones: the lowest one wins.
            clearCandidate = shape;
        } else if (shape->isClosed() && shape->boundingRect().contains(own)) {
            boxCandidate = shape;
        }
    }
    return clearCandidate ? clearCandidate : boxCandidate;
}

void SketchDocumentView::editTextAt(int x, int y)
{
    beginTextEdit(shapeAt(float(x), float(y)));
}

SketchSlice *SketchDocumentView::sliceAt(float x, float y, bool withAutoSlices) const
{
    const QPointF paper = mapToDocument(QPointF(int(x), int(y)));
    const int px = qRound(paper.x());
    const int py = qRound(paper.y());
    if (SketchSlice *slice = sliceIn(m_document->slices(), px, py))
        return slice;
    return withAutoSlices ? sliceIn(m_document->autoSlices(), px, py) : nullptr;
}

QList<SketchSlice *> SketchDocumentView::autoSlices() const
{
    return m_document->autoSlices();
}
