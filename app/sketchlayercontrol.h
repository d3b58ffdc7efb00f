#ifndef SKETCHLAYERCONTROL_H
#define SKETCHLAYERCONTROL_H

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

class QAction;
class SketchDocument;
class SketchDocumentView;
class SketchLayer;
class SketchLayerThumbnails;
class SkinGridCell;
class SkinGridMouseEvent;
class SkinGridView;
class SkinMenu;

// The layers panel: the layers of one document view as the rows of a grid,
// topmost layer first (row r shows layer n - 1 - r). Four columns: the eye
// (visible), the lock, a thumbnail and the name, which is renamed in place.
// A row dragged onto another moves its layer; the context menu adds,
// deletes and duplicates layers.
//
// The panel keeps no copy of the document's state: every rebuild reads the
// layer list afresh. Changes to the list and to names are commands on the
// view's manager ("newLayer", "deleteLayer", "duplicateLayer",
// "renameLayer", "dragDropLayer"), all layer commands, so the main window
// rebuilds the panel after each push, undo and redo. The eye and the lock
// are flipped on the layer itself, without a command; since the file keeps
// both flags, a flip marks the document modified.
//
// Only the user's choice of a row makes its layer current and resets the
// view's tool (select, or none over a locked layer); a rebuild selects the
// current layer's row and leaves the tool alone, so switching tabs never
// changes a tab's tool.
//
// The thumbnails are pictures the panel keeps for every layer it has shown,
// in any document, each until its layer's shapes change (see
// SketchLayerThumbnails): switching tabs, clicking and hovering repaint
// the panel without painting a shape.
//
// Ownership: the grid (with its menu, its delegate and the thumbnails) is a
// child of the panel; the view is not owned and may be null (no rows, menu
// entries disabled).
class SketchLayerControl : public QWidget
{
    Q_OBJECT

public:
    explicit SketchLayerControl(QWidget *parent = nullptr);
    ~SketchLayerControl() override;

    SketchDocumentView *documentView() const { return m_documentView; }
    // The view's document; null without a view.
    SketchDocument *document() const;
    // New, Delete, Duplicate; the main window also hangs it on the Layers
    // section's context button.
    SkinMenu *contextMenu() const { return m_menu; }
    SkinGridView *grid() const { return m_grid; }
    SketchLayerThumbnails *thumbnails() const { return m_thumbnails; }
    QAction *actionNew() const { return m_actionNew; }
    QAction *actionDelete() const { return m_actionDelete; }
    QAction *actionDuplicate() const { return m_actionDuplicate; }

    // Shows the view's layers (none for null); always rebuilds.
    void setDocumentView(SketchDocumentView *view);
    // Rebuilds every row from the document. A document without layers gets
    // one "Layer1" first, outside the history; a current layer that is not
    // in the list is replaced by the topmost one, without notification.
    void refreshLayers();
    void useThemeStyle();

    // The layer of the selection's anchor row, or of the first row when
    // nothing is selected; null without rows.
    SketchLayer *selectedLayer() const;
    // The layers of the selected rows, top row first.
    QList<SketchLayer *> selectedLayers() const;
    // The first "Layer<n>" (n = 1, 2, ...) that no layer is named, compared
    // case-sensitively. Needs a view.
    QString newLayerName() const;
    // Whether deleting the selected layers keeps at least one layer: some,
    // but not all, rows are selected.
    bool canDeleteLayers() const;
    void adjustGridGeometry();
    // The select tool over an unlocked selected layer, no tool over a
    // locked one; notified, so the tool buttons follow.
    void updateCurrentTool();

public slots:
    void newLayer();
    // Does nothing unless canDeleteLayers(): the last layer is never
    // removed, whoever asks.
    void deleteLayer();
    void duplicateLayer();
    void gridCellMousePressing(SkinGridMouseEvent *event);
    void gridCellTextChanged(SkinGridCell *cell);
    void gridSelectionChanged();
    void gridSelectionDroped();
    void contextMenuOpening();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    SketchLayer *layerOfRow(int row) const;
    void addLayerRow(SketchLayer *layer);
    void selectCurrentLayerRow(const QList<SketchLayer *> &fromTop);
    void toggleVisible(SketchLayer *layer);
    void toggleLocked(SketchLayer *layer);
    // The flags are saved with the document: the tab shows " *".
    void markModified();

    SkinGridView *m_grid = nullptr;
    SketchLayerThumbnails *m_thumbnails = nullptr;
    // Not owned; reads null once the view is gone.
    QPointer<SketchDocumentView> m_documentView;
    SkinMenu *m_menu = nullptr;
    QAction *m_actionNew = nullptr;
    QAction *m_actionDelete = nullptr;
    QAction *m_actionDuplicate = nullptr;
    // Set while a rebuild selects the current layer's row: that selection
    // is not the user's.
    bool m_rebuilding = false;
};

#endif // SKETCHLAYERCONTROL_H
