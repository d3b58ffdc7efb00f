#include "commands/sketchcommandungroup.h"

#include "commands/sketchcommandgroup.h"
#include "commands/sketchlistedit.h"
#include "editor/sketchdocumentview.h"
#include "model/sketchgroup.h"
#include "model/sketchlayer.h"


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
    qDeleteAll(m_groupStates);
    // Executed, the dissolved groups are out of every list and this
    // command's.
    if (!m_executed)
        return;
    for (SketchGroup *group : qAsConst(m_groups)) {
        if (group && !group->parent())
            SketchCommandGroup::deleteDissolvedGroup(group);
    }
}

void SketchCommandUnGroup::execute()
{
    if (!m_recorded)
        recordGroups();
    m_executed = true;
    for (SketchGroup *group : qAsConst(m_groups)) {
        if (!group)
            continue;
        group->setSelected(false);
        group->setActiveHandle(SketchHandleNone);
        group->detachShapes();
        if (SketchLayer *layer = group->layer())
            SketchListEdit::takeOut(layer->shapes(), group);
        group->updateBlurImage();
    }
    if (documentView())
        documentView()->onSelectionChanged();
}

void SketchCommandUnGroup::undo()
{
    m_executed = false;
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
        m_groupStates.append(detachedClone(group, false));
    }
}

// Lowest index first, so that each layer gets back its former order; a group
// that was in no list comes back on top.
void SketchCommandUnGroup::putGroupsBack()
{
    QList<std::pair<SketchShape *, int>> entries;
    for (int i = 0; i < m_groups.size(); ++i) {
        if (SketchGroup *group = m_groups.at(i))
            entries.append({group, m_groupIndices.value(i, -1)});
    }
    for (const auto &entry : SketchListEdit::lowestIndexFirst(entries)) {
        if (SketchLayer *layer = entry.first->layer())
            SketchListEdit::putBack(layer->shapes(), entry.first, entry.second, layer);
    }
}
