#include "commands/sketchcommandungroup.h"

#include "commands/sketchcommandgroup.h"
#include "editor/sketchdocumentview.h"
#include "model/sketchgroup.h"
#include "model/sketchlayer.h"

#include <algorithm>
#include <climits>

SketchCommandUnGroup::SketchCommandUnGroup(SketchDocumentView *view, const QList<SketchGroup *> &groups)
    : SketchCommand(view)
{
    for (SketchGroup *group : groups) {
        if (group && !m_groups.contains(group))
            m_groups.append(group);
    }
}

SketchCommandUnGroup::~SketchCommandUnGroup()
{
    for (const QPointer<SketchShape> &state : qAsConst(m_groupStates))
        delete state.data();
    for (const QPointer<SketchGroup> &group : qAsConst(m_groups))
        SketchCommandGroup::releaseDissolvedGroup(group);
}

void SketchCommandUnGroup::execute()
{
    if (!m_recorded)
        recordGroups();
    for (SketchGroup *group : qAsConst(m_groups)) {
        if (!group)
            continue;
        group->setSelected(false);
        group->setActiveHandle(SketchHandleNone);
        group->detachShapes();
        if (SketchLayer *layer = group->layer())
            layer->shapes().removeOne(group);
        group->updateBlurImage();
    }
    if (documentView())
        documentView()->onSelectionChanged();
}

void SketchCommandUnGroup::undo()
{
    for (int i = 0; i < m_groups.size(); ++i) {
        SketchGroup *group = m_groups.at(i);
        if (!group)
            continue;
        group->attachShapes();
        // Dissolving baked the group's rotation into its members; the copy
        // brings back the rotation and the members' former points.
        if (SketchShape *state = m_groupStates.value(i))
            state->copyTo(group, false);
        group->setSelected(true);
        group->setActiveHandle(SketchHandleInside);
    }
    putGroupsBack();
    for (SketchGroup *group : qAsConst(m_groups)) {
        if (group)
            group->updateBlurImage();
    }
    if (documentView())
        documentView()->onSelectionChanged();
}

void SketchCommandUnGroup::recordGroups()
{
    m_recorded = true;
    for (SketchGroup *group : qAsConst(m_groups)) {
        m_groupIndices.append(group ? group->index() : -1);
        m_groupStates.append(group ? group->clone(false) : nullptr);
    }
}

// Lowest index first, so that each layer gets back its former order; a group
// that was in no list comes back on top.
void SketchCommandUnGroup::putGroupsBack()
{
    QList<int> order;
    for (int i = 0; i < m_groups.size(); ++i)
        order.append(i);
    auto rank = [this](int i) {
        const int index = m_groupIndices.value(i, -1);
        return index < 0 ? INT_MAX : index;
    };
    std::stable_sort(order.begin(), order.end(), [&rank](int a, int b) { return rank(a) < rank(b); });
    for (int i : qAsConst(order)) {
        SketchGroup *group = m_groups.at(i);
        SketchLayer *layer = group ? group->layer() : nullptr;
        if (!layer || layer->shapes().contains(group))
            continue;
        QList<SketchShape *> &list = layer->shapes();
        const int index = m_groupIndices.value(i, -1);
        if (index >= 0 && index <= list.size())
            list.insert(index, group);
        else
            list.append(group);
    }
}
