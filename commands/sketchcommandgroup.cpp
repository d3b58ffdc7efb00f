#include "commands/sketchcommandgroup.h"

#include "commands/sketchlistedit.h"
#include "editor/sketchdocumentview.h"
#include "model/sketchgroup.h"
#include "model/sketchlayer.h"
#include "model/sketchshape.h"


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
    qDeleteAll(m_memberStates);
    // Undone, the group is out of every list and this command's; its
    // members are back in their layers.
    if (m_group && !m_executed)
        deleteDissolvedGroup(m_group);
}

void SketchCommandGroup::deleteDissolvedGroup(SketchGroup *group)
{
    // The member list names shapes that belong to their layers now.
    group->shapes().clear();
    delete group;
}

void SketchCommandGroup::execute()
{
    m_executed = true;
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
    m_executed = true;
    if (m_group)
        attach();
}

void SketchCommandGroup::undo()
{
    m_executed = false;
    SketchGroup *group = m_group;
    if (!group)
        return;
    group->setSelected(false);
    group->setActiveHandle(SketchHandleNone);
    group->detachShapes();
    if (SketchLayer *layer = group->layer())
        SketchListEdit::takeOut(layer->shapes(), group);
    restoreMembers();
    group->updateBlurImage();
    if (documentView())
        documentView()->onSelectionChanged();
}

void SketchCommandGroup::recordMembers()
{
    for (SketchShape *member : qAsConst(m_shapes)) {
        m_memberIndices.append(member->index());
        m_memberStates.append(detachedClone(member, false));
    }
}

void SketchCommandGroup::attach()
{
    SketchGroup *group = m_group;
    group->setSelected(true);
    group->setActiveHandle(SketchHandleInside);
    group->attachShapes();
    if (SketchLayer *layer = group->layer())
        SketchListEdit::putBack(layer->shapes(), group, -1, layer);
    group->updateBlurImage();
    if (documentView())
        documentView()->onSelectionChanged();
}

void SketchCommandGroup::restoreMembers()
{
    // Detaching put the members on top of their layers, with the rotations
    // and box shapes that grouping baked in. Take them out, give them their
    // former state, and put them back at their former indices; members that
    // were in no list come back on top, as detaching left them.
    QList<std::pair<SketchShape *, int>> entries;
    for (int i = 0; i < m_shapes.size(); ++i) {
        SketchShape *member = m_shapes.at(i);
        if (SketchLayer *layer = member->layer())
            SketchListEdit::takeOut(layer->shapes(), member);
        if (SketchShape *state = m_memberStates.value(i))
            state->copyTo(member, false);
        member->setSelected(true);
        member->setActiveHandle(SketchHandleOutline);
        entries.append({member, m_memberIndices.value(i, -1)});
    }
    for (const auto &entry : SketchListEdit::lowestIndexFirst(entries)) {
        if (SketchLayer *layer = entry.first->layer())
            SketchListEdit::putBack(layer->shapes(), entry.first, entry.second, layer);
    }
}
