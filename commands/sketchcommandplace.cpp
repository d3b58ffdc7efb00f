#include "commands/sketchcommandplace.h"

#include "commands/sketchlistedit.h"
#include "editor/sketchdocumentview.h"
#include "model/sketchdocument.h"
#include "model/sketchlayer.h"
#include "model/sketchshape.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace {

// Keeps the candidates that are in the list, once each, with their indices.
template<typename T>
void collectPresent(const QList<T *> &candidates, const QList<T *> &list,
                    QList<T *> &objects, QList<int> &indices)
{
    for (T *candidate : candidates) {
        const int index = candidate ? list.indexOf(candidate) : -1;
        if (index < 0 || objects.contains(candidate))
            continue;
        objects.append(candidate);
        indices.append(index);
    }
}

template<typename T>
QList<int> positionsOf(const QList<T *> &list, const QList<T *> &objects)
{
    QList<int> positions;
    for (T *object : objects)
        positions.append(list.indexOf(object));
    return positions;
}

// Each object changes place with its upper neighbour, the highest first. An
// object at the top stays, and so does the run of objects directly below
// it, so the objects keep their order among themselves and only ever swap
// with objects that are not moved.
template<typename T>
void stepForward(QList<T *> &list, const QList<T *> &objects)
{
    QList<int> positions = positionsOf(list, objects);
    std::sort(positions.begin(), positions.end(), std::greater<int>());
    int limit = list.size();
    for (int position : qAsConst(positions)) {
        if (position < 0)
            continue;
        if (position + 1 < limit)
            list.swapItemsAt(position, position + 1);
        else
            limit = position;
    }
}

// The mirror of stepForward, towards the bottom.
template<typename T>
void stepBackward(QList<T *> &list, const QList<T *> &objects)
{
    QList<int> positions = positionsOf(list, objects);
    std::sort(positions.begin(), positions.end());
    int floor = -1;
    for (int position : qAsConst(positions)) {
        if (position < 0)
            continue;
        if (position - 1 > floor)
            list.swapItemsAt(position, position - 1);
        else
            floor = position;
    }
}

template<typename T>
void placeObjects(QList<T *> &list, const QList<T *> &objects, int kind)
{
    switch (kind) {
    case SketchPlaceToFront:
    case SketchPlaceToBack: {
        QList<T *> present;
        for (T *object : objects) {
            if (list.removeOne(object))
                present.append(object);
        }
        if (kind == SketchPlaceToFront) {
            list.append(present);
        } else {
            for (int i = 0; i < present.size(); ++i)
                list.insert(i, present.at(i));
        }
        break;
    }
    case SketchPlaceForward:
        stepForward(list, objects);
        break;
    case SketchPlaceBackward:
        stepBackward(list, objects);
        break;
    default:
        break;
    }
}

// Puts each object that is in the list at its recorded index. The objects
// are taken out first and put back lowest index first; since a placement
// never changes the order of the objects it does not move, this gives back
// exactly the list that the indices were recorded from.
template<typename T>
void restoreIndices(QList<T *> &list, const QList<T *> &objects, const QList<int> &indices)
{
    // The objects of one list share its owner, which they keep.
    QObject *owner = nullptr;
    QList<std::pair<T *, int>> entries;
    for (int i = 0; i < objects.size(); ++i) {
        T *object = objects.at(i);
        if (!list.contains(object))
            continue;
        owner = object->parent();
        SketchListEdit::takeOut(list, object);
        entries.append({object, indices.value(i, -1)});
    }
    SketchListEdit::putBackInOrder(list, entries, owner);
}

} // namespace

SketchCommandPlace::SketchCommandPlace(SketchDocumentView *view, const QList<SketchShape *> &shapes, int kind)
    : SketchCommand(view),
      m_kind(kind)
{
    SketchShape *first = nullptr;
    for (SketchShape *shape : shapes) {
        if (shape) {
            first = shape;
            break;
        }
    }
    if (first && first->layer())
        collectPresent(shapes, first->layer()->shapes(), m_shapes, m_oldIndices);
}

SketchCommandPlace::SketchCommandPlace(SketchDocumentView *view, SketchShape *shape, int kind)
    : SketchCommandPlace(view, QList<SketchShape *>{shape}, kind)
{
}

SketchCommandPlace::SketchCommandPlace(SketchDocumentView *view, int fromIndex, int toIndex)
    : SketchCommand(view),
      m_kind(SketchPlaceMoveLayer),
      m_fromIndex(fromIndex),
      m_toIndex(toIndex)
{
    setLayerCommand(true);
}

SketchCommandPlace::SketchCommandPlace(SketchDocumentView *view, const QList<SketchLayer *> &layers, int kind)
    : SketchCommand(view),
      m_kind(kind)
{
    setLayerCommand(true);
    if (QList<SketchLayer *> *list = layerList())
        collectPresent(layers, *list, m_layers, m_oldIndices);
}

SketchCommandPlace::SketchCommandPlace(SketchDocumentView *view, SketchLayer *layer, int kind)
    : SketchCommandPlace(view, QList<SketchLayer *>{layer}, kind)
{
}

SketchCommandPlace::~SketchCommandPlace() = default;

QList<SketchShape *> *SketchCommandPlace::shapeList() const
{
    SketchLayer *layer = m_shapes.isEmpty() ? nullptr : m_shapes.first()->layer();
    return layer ? &layer->shapes() : nullptr;
}

QList<SketchLayer *> *SketchCommandPlace::layerList() const
{
    SketchDocument *owner = document();
    return owner ? &owner->layers() : nullptr;
}

void SketchCommandPlace::execute()
{
    if (m_kind == SketchPlaceMoveLayer) {
        moveLayer();
    } else if (isLayerCommand()) {
        if (QList<SketchLayer *> *list = layerList()) {
            placeObjects(*list, m_layers, m_kind);
            m_newIndices = positionsOf(*list, m_layers);
        }
    } else if (QList<SketchShape *> *list = shapeList()) {
        placeObjects(*list, m_shapes, m_kind);
        m_newIndices = positionsOf(*list, m_shapes);
    }
}

void SketchCommandPlace::redo()
{
    if (m_kind == SketchPlaceMoveLayer) {
        moveLayer();
    } else if (isLayerCommand()) {
        if (QList<SketchLayer *> *list = layerList())
            restoreIndices(*list, m_layers, m_newIndices);
    } else if (QList<SketchShape *> *list = shapeList()) {
        restoreIndices(*list, m_shapes, m_newIndices);
    }
}

void SketchCommandPlace::undo()
{
    if (m_kind == SketchPlaceMoveLayer) {
        unmoveLayer();
    } else if (isLayerCommand()) {
        if (QList<SketchLayer *> *list = layerList())
            restoreIndices(*list, m_layers, m_oldIndices);
    } else if (QList<SketchShape *> *list = shapeList()) {
        restoreIndices(*list, m_shapes, m_oldIndices);
    }
}

void SketchCommandPlace::moveLayer()
{
    m_movedLayer = nullptr;
    QList<SketchLayer *> *list = layerList();
    if (!list)
        return;
    const int count = list->size();
    if (m_fromIndex < 0 || m_fromIndex >= count || m_toIndex < 0 || m_toIndex >= count)
        return;
    m_movedLayer = list->takeAt(m_fromIndex);
    list->insert(m_toIndex, m_movedLayer);
}

void SketchCommandPlace::unmoveLayer()
{
    QList<SketchLayer *> *list = layerList();
    if (!list || !m_movedLayer || !list->removeOne(m_movedLayer))
        return;
    list->insert(qBound(0, m_fromIndex, list->size()), m_movedLayer);
}

bool SketchCommandPlace::collectChangedShapes(QList<SketchShape *> *shapes) const
{
    if (m_kind == SketchPlaceMoveLayer || !m_layers.isEmpty())
        return false;
    shapes->append(m_shapes);
    return true;
}
