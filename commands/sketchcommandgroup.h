#ifndef SKETCHCOMMANDGROUP_H
#define SKETCHCOMMANDGROUP_H

#include "commands/sketchcommand.h"

#include <QList>
#include <QPointer>

class SketchDocumentView;
class SketchGroup;
class SketchLayer;
class SketchShape;

// Makes one new group of a list of shapes, on top of the view's current layer
// (the members may come from any layers and keep their own layer), selected
// with active handle 2. Redo attaches the same group object again.
//
// Grouping bakes the members' rotations into their points and turns them into
// free paths; undo hands the members back exactly as they were, each at its
// former index in its own layer's list, selected with active handle 1.
//
// Executed, the group belongs to its layer and the members to the group;
// undone, the members are back in their layers and the group, out of every
// list, is the command's, which frees it when discarded in that state. The
// command also owns the copies of the members' former state.
class SketchCommandGroup : public SketchCommand
{
public:
    // The group goes into the view's current layer as it is now. Null shapes
    // and repeats are left out; with no shape, or no current layer, the
    // command makes no group.
    SketchCommandGroup(SketchDocumentView *view, const QList<SketchShape *> &shapes);
    ~SketchCommandGroup() override;

    void execute() override;
    void redo() override;
    void undo() override;

    // The group made by the first execute; null before it.
    SketchGroup *group() const { return m_group; }
    int shapeCount() const { return m_shapes.size(); }

    // Frees a dissolved group that a command owns, without touching its
    // former members, which belong to their layers.
    static void deleteDissolvedGroup(SketchGroup *group);

private:
    void recordMembers();
    void attach();
    void restoreMembers();

    SketchLayer *m_layer = nullptr;
    QPointer<SketchGroup> m_group;
    QList<SketchShape *> m_shapes;
    // Per member, taken by the first execute: a copy of its state (without
    // frames, which grouping leaves alone) and its index in its layer's list.
    QList<SketchShape *> m_memberStates;
    QList<int> m_memberIndices;
    bool m_executed = false;
};

#endif // SKETCHCOMMANDGROUP_H
