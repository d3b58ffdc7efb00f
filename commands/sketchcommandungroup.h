#ifndef SKETCHCOMMANDUNGROUP_H
#define SKETCHCOMMANDUNGROUP_H

#include "commands/sketchcommand.h"

#include <QList>
#include <QPointer>

class SketchDocumentView;
class SketchGroup;
class SketchShape;

// Dissolves groups: each group leaves its layer's list and its members come
// back on top of their own layers, selected with active handle 1, drawn where
// they were. Redo dissolves the same groups again.
//
// Undo gives back every group as it was, its rotation included, holding the
// same member objects, selected with active handle 2 and at its former index
// in its layer's list.
//
// Executed, the dissolved groups are out of every list and the command's,
// which frees them when discarded in that state; undone, they belong to
// their layers again. The command also owns the copies of the groups'
// former state.
class SketchCommandUnGroup : public SketchCommand
{
public:
    // Null groups and repeats are left out.
    SketchCommandUnGroup(SketchDocumentView *view, const QList<SketchGroup *> &groups);
    ~SketchCommandUnGroup() override;

    void execute() override;
    void undo() override;

    int groupCount() const { return m_groups.size(); }

private:
    void recordGroups();
    void putGroupsBack();

    // Watched: the destructor skips a group that is already gone.
    QList<QPointer<SketchGroup>> m_groups;
    // Per group, taken by the first execute: a copy of the group with copies
    // of its members (without frames, which ungrouping leaves alone), and its
    // index in its layer's list.
    QList<SketchShape *> m_groupStates;
    QList<int> m_groupIndices;
    bool m_recorded = false;
    bool m_executed = false;
};

#endif // SKETCHCOMMANDUNGROUP_H
