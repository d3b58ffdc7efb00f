#ifndef SKETCHCOMMAND_H
#define SKETCHCOMMAND_H

#include <QList>
#include <QPointer>
#include <QString>

class SketchDocument;
class SketchDocumentView;
class SketchShape;
class SketchSlice;
class SketchView;

// One undoable edit of a drawing. A command is executed once by
// SketchCommandManager::push, then undone and redone from the manager's
// stacks; undo and redo are exact only in strict reverse order of execution,
// which the manager guarantees.
//
// Ownership: a command owns its stored values and the clones it made (which
// have no parent). An object of the model that is in a list belongs to the
// list's owner; one that a command's present state keeps out of every list
// (a removed shape, an undone addition, a dissolved group) belongs to that
// command, which frees it when it is discarded in that state (see
// SketchListEdit).
class SketchCommand
{
public:
    explicit SketchCommand(SketchView *view);
    virtual ~SketchCommand();

    SketchCommand(const SketchCommand &) = delete;
    SketchCommand &operator=(const SketchCommand &) = delete;

    // Performs the edit the first time.
    virtual void execute();
    // Performs it again after an undo; by default runs execute.
    virtual void redo();
    // Reverts the edit.
    virtual void undo();

    SketchView *view() const { return m_view; }
    // The view as a document view; null when the view is not one.
    SketchDocumentView *documentView() const { return m_documentView; }
    // The document of the document view; null without a document view.
    SketchDocument *document() const;

    // Layer commands work on the document's layer list; slice commands on its
    // slice list, and rebuild the slice grid.
    bool isLayerCommand() const { return m_layerCommand; }
    void setLayerCommand(bool layerCommand) { m_layerCommand = layerCommand; }
    bool isSliceCommand() const { return m_sliceCommand; }
    void setSliceCommand(bool sliceCommand) { m_sliceCommand = sliceCommand; }

    // When shapes are all the edit changes: appends the shapes whose look it
    // changes either way (top-level shapes or members) and returns true, so
    // that a view repaints only where they were and are. False when it
    // changes anything else (layers, the paper, slices), or cannot tell.
    virtual bool collectChangedShapes(QList<SketchShape *> *shapes) const;

    // The name of the edit, stored by push.
    QString text() const { return m_text; }
    void setText(const QString &text) { m_text = text; }

protected:
    // Rebuilds the slice grid of the view's document, or, without a document
    // view, of the document of one of the command's slices (may be null).
    void rebuildSliceGrid(SketchSlice *anySlice) const;
    // Frees the slices that are outside their document's slice list. Slices
    // have no object-tree owner, so a command that took them out of the
    // document frees them when it is discarded in that state.
    static void deleteDetachedSlices(const QList<QPointer<SketchSlice>> &slices);
    // A copy of the shape's present state for undo: a clone without parent,
    // which the caller owns.
    static SketchShape *detachedClone(SketchShape *shape, bool withFrames);

private:
    SketchView *m_view;
    SketchDocumentView *m_documentView;
    bool m_layerCommand = false;
    bool m_sliceCommand = false;
    QString m_text;
};

#endif // SKETCHCOMMAND_H
