#include "commands/sketchcommandgroup.h"

#include "editor/sketchdocumentview.h"
#include "model/sketchgroup.h"
#include "model/sketchlayer.h"
#include "model/sketchshape.h"

#include <algorithm>
#include <climits>

SketchCommandGroup::SketchCommandGroup(SketchDocumentView *view, const QList<SketchShape *> &shapes)
    : SketchCommand(view),
      m_layer(view ? view->currentLayer() : nullptr)
{
    for (SketchShape *shape : shapes) {
        if (shape && !m_shapes.contains(shape))
            m_shapes.append(shape);
    }
}

SketchCommandGroup::~SketchCommandGroup()
{
    for (const QPointer<SketchShape> &state : qAsConst(m_memberStates))
        delete state.data();
    releaseDissolvedGroup(m_group);
}

void SketchCommandGroup::releaseDissolvedGroup(SketchGroup *group)
{
    if (!group)
        return;
    if (SketchLayer *layer = group->layer()) {
        if (layer->shapes().contains(group))
            return;
    }
    for (SketchShape *member : qAsConst(group->shapes())) {
        if (member->group() == group)
            return;
    }
    group->shapes().clear();
}

void SketchCommandGroup::execute()
{
    if (m_group) {
        attach();
        return;
    }
    if (m_shapes.isEmpty() || !m_layer)
        return;
    recordMembers();
    m_group = new SketchGroup(m_layer);
    m_group->shapes() = m_shapes;
    attach();
}

void SketchCommandGroup::redo()
{
    if (m_group)
        attach();
}

void SketchCommandGroup::undo()
{
    SketchGroup *group = m_group;
    if (!group)
        return;
    group->setSelected(false);
    group->setActiveHandle(SketchHandleNone);
    group->detachShapes();
    if (SketchLayer *layer = group->layer())
        layer->shapes().removeOne(group);
    restoreMembers();
    group->updateBlurImage();
    if (documentView())
        documentView()->onSelectionChanged();
}

void SketchCommandGroup::recordMembers()
{
    for (SketchShape *member : qAsConst(m_shapes)) {
        m_memberIndices.append(member->index());
        m_memberStates.append(member->clone(false));
    }
}

void SketchCommandGroup::attach()
{
    SketchGroup *group = m_group;
    group->setSelected(true);
    group->setActiveHandle(SketchHandleInside);
    group->attachShapes();
    if (SketchLayer *layer = group->layer())
        layer->shapes().append(group);
    group->updateBlurImage();
    if (documentView())
        documentView()->onSelectionChanged();
}

void SketchCommandGroup::restoreMembers()
{
    // Detaching put the members on top of their layers, with the rotations
    // and box shapes that grouping baked in. Take them out, give them their
    // former state, and put them back lowest index first, which rebuilds
    // each layer's former order.
    for (SketchShape *member : qAsConst(m_shapes)) {
        if (SketchLayer *layer = member->layer())
            layer->shapes().removeOne(member);
    }
    QList<int> order;
    for (int i = 0; i < m_shapes.size(); ++i) {
        SketchShape *member = m_shapes.at(i);
        if (SketchShape *state = m_memberStates.value(i))
            state->copyTo(member, false);
        member->setSelected(true);
        member->setActiveHandle(SketchHandleOutline);
        order.append(i);
    }
    // Members that were in no list come back on top, as detaching left them.
    auto rank = [this](int i) {
        const int index = m_memberIndices.value(i, -1);
        return index < 0 ? INT_MAX : index;
    };
    std::stable_sort(order.begin(), order.end(), [&rank](int a, int b) { return rank(a) < rank(b); });
    for (int i : qAsConst(order)) {
        SketchShape *member = m_shapes.at(i);
        SketchLayer *layer = member->layer();
        if (!layer)
            continue;
        QList<SketchShape *> &list = layer->shapes();
        const int index = m_memberIndices.value(i, -1);
        if (index >= 0 && index <= list.size())
            list.insert(index, member);
        else
            list.append(member);
    }
}
