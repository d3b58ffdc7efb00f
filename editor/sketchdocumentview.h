#ifndef SKETCHDOCUMENTVIEW_H
#define SKETCHDOCUMENTVIEW_H

#include "editor/pagepicture.h"
#include "editor/shownshapes.h"
#include "editor/sketchview.h"
#include "model/filestamp.h"
#include "model/visibleshapes.h"

#include <functional>
#include <memory>
#include <QColor>
#include <QHash>
#include <QList>
#include <QPixmap>
#include <QPointF>
#include <QPointer>
#include <QRectF>
#include <QStringList>
#include <QTransform>
#include <QVector>

class MovePreview;
class QScrollBar;
class SketchCommand;
class SketchDocument;
class SketchGroup;
class SketchLayer;
class SketchMaterial;
class SketchShape;
class SketchSlice;
class SketchTool;
enum SketchPlaceKind : int;

// The page that edits one SketchDocument: it owns the document, one tool of
// every SketchToolType (the tool table), two scroll bars with the corner
// between them, and the state the tools share (current tool and layer, the
// last pressed button and keyboard modifiers, the scroll offsets, the grid
// and in-place text editing). It maps between widget pixels and the
// coordinates of the paper and of each shape:
//
//     widget = paper * zoom + scroll offset,   offsets never positive.
//
// Mouse events reach the current tool only while the current layer exists,
// is unlocked and visible; key events always do; the wheel scrolls, or with
// Ctrl zooms about the pointer.
//
// Painting: the page (the backdrop, the shapes, the paper's border) is kept
// in a picture (PagePicture); the handles of the selected shapes are drawn
// over the whole page, above the shapes that cover them, and the current
// tool's overlay over those. A repaint paints only what changed: where the
// shapes named to repaintShapes() or changed by a step of the history were
// and are, with their handles and effects; the handles whose selection
// changed, from the picture; the tool's overlay as it was and is; the strip
// a scroll uncovers, the rest of the pixels being moved. A change the view
// is not told of in these terms must repaint the whole view
// (QWidget::update()), which paints everything afresh.
//
// Ownership: the document, the tools, the bars and the corner are children of
// the view; the tools go first, while the document is still there for a
// gesture in progress to give its shapes back their state. The source
// document and edited group of an "Edit Group" view belong to another view;
// the view only watches them. The picture is the view's own, freed while
// the view is hidden.
class SketchDocumentView : public SketchView
{
    Q_OBJECT

public:
    explicit SketchDocumentView(QWidget *parent = nullptr);
    ~SketchDocumentView() override;

    // --- Document -----------------------------------------------------------

    SketchDocument *document() const { return m_document; }
    QList<SketchLayer *> &layers();
    // The layer that receives new shapes; the document keeps none itself.
    SketchLayer *currentLayer() const;
    void setCurrentLayer(SketchLayer *layer, bool notify);
    // For a view opened to edit a group of another document: that document
    // and that group; null for an ordinary view.
    SketchDocument *sourceDocument() const;
    void setSourceDocument(SketchDocument *document);
    SketchGroup *editedGroup() const;
    void setEditedGroup(SketchGroup *group);

    // The paper lives in the document.
    QSize paperSize() const override;
    void setPaperSize(const QSize &size) override;
    SkinBrush paperColor() const override;
    void setPaperColor(const SkinBrush &brush) override;
    SketchStroke paperBorder() const override;
    void setPaperBorder(const SketchStroke &border) override;
    QString workId() const override;
    void setWorkId(const QString &text) override;
    QString workTitle() const override;
    void setWorkTitle(const QString &text) override;
    QString workTags() const override;
    void setWorkTags(const QString &text) override;

    // --- Files --------------------------------------------------------------

    QString fileSuffix() const override;
    QString fileFilter() const override;
    // Writes the document file and takes the name over; false, with the
    // name and the file left as they were, when it could not be written.
    bool saveFile(const QString &fileName) override;
    // Reads the document file: forgets the history, takes the name over,
    // makes the top layer current and selects the select tool. A file that
    // cannot be read returns false and leaves the view exactly as it was,
    // so that a later save cannot overwrite that file.
    bool openFile(const QString &fileName) override;
    // Somebody else changed the file of that name since this view last read
    // or wrote it: the name is the view's own file, which exists and is no
    // longer what the view left (another program wrote or replaced it).
    // False for a missing file, one that is no longer a file (a folder in
    // its place), and any other name.
    bool isFileChangedElsewhere(const QString &fileName) const;
    // The shapes alone, in paper units, without paper, grid or overlay.
    void print(QPaintDevice *device) override;

    // --- Document queries ---------------------------------------------------
    // The document's answers; see SketchDocument.

    QList<SketchShape *> shapes() const;
    QList<SketchShape *> shapesFromTop() const;
    int shapeCount() const;
    QList<SketchShape *> selectedShapes() const;
    int selectedShapeCount() const;
    int selectedUnlockedShapeCount() const;
    QList<SketchShape *> editableSelectedShapes() const;
    QList<SketchShape *> editableSelectedShapesOfType(const QString &typeName) const;
    QList<SketchShape *> editableSelectedInnerShapes() const;
    QList<SketchShape *> selectedInnerShapes() const;
    QList<SketchGroup *> selectedGroups() const;
    int selectedGroupCount() const;
    QList<SketchGroup *> selectedUnlockedGroups() const;
    int selectedUnlockedGroupCount() const;
    QList<SketchGroup *> editableSelectedGroups() const;
    QList<SketchShape *> selectedBasicShapes() const;
    int selectedBasicShapeCount() const;
    QList<SketchShape *> selectedUnlockedBasicShapes() const;
    int selectedUnlockedBasicShapeCount() const;
    // A copy of the hand-drawn slice list.
    QList<SketchSlice *> slices() const;
    QList<SketchSlice *> sortedSlices() const;
    QList<SketchSlice *> selectedSlices(bool withAutoSlices) const;
    QPixmap renderToPixmap(bool drawBorder, const QString &imageFormat);
    QPixmap renderLayerToPixmap(int layerIndex, bool drawBorder, const QString &imageFormat);

    // --- Selection and what the main window may offer -----------------------

    // Deselects every shape of every layer.
    void clearSelection() override;

    bool canCopy() const override;
    bool canCut() const override;
    bool canEditText() const override;
    bool canEditName() const override;
    bool canSelectAll() const override;
    bool canSelectAllOfCurrentLayer() const;
    bool canUnGroup() const;
    bool canLock() const;
    bool canFlip() const;
    bool canAlignSelection() const;
    bool canPlaceSelection() const;
    bool canCopyFormat() const;
    bool canPasteFormat() const;
    bool canInsertImage() const;

    // Shows frame index of the shape as one "changeShapeFrame" command;
    // nothing for a null shape, a shape on a locked layer or an index
    // outside its frames.
    void changeShapeFrame(SketchShape *shape, int index);
    // The shape, or the outermost group that holds it, lies on a locked
    // layer: no edit may change it.
    static bool isOnLockedLayer(const SketchShape *shape);

    // --- Selection operations -----------------------------------------------
    // Each edit is one undoable command (a z-order change one per layer).
    // While the slice tool is current the shape operations do nothing and
    // Delete deletes the selected hand-drawn slices. Selecting is never a
    // command. Shapes these operations select get active handle 2.

    // The editable selection becomes one group on top of the current layer;
    // nothing without a current layer.
    void groupSelection();
    // The selected unlocked groups hand their members back, on top of their
    // layers.
    void unGroupSelection();
    // Every selected shape, hidden or not, but for those on locked layers;
    // the selection stays.
    void lockSelection();
    void unLockSelection();
    // Mirrors each editable selected shape about its own centre line.
    void flipHorizontalSelection();
    void flipVerticalSelection();
    // Moves two or more editable selected shapes to the outermost edge of
    // them all; the centre alignment is horizontal only.
    void alignLeftSelection();
    void alignTopSelection();
    void alignRightSelection();
    void alignBottomSelection();
    void alignCenterSelection();
    // Ends an in-place edit and the current tool's gesture first, then
    // removes the editable selection; a shape whose active handle is a
    // point loses only that point.
    void deleteSelection() override;
    // Z-order within each layer (front, back, forward, backward); one
    // command per layer that moves. Locked layers keep their order.
    void placeSelection(SketchPlaceKind kind);
    void bringToFront();
    void sendToBack();
    void bringForward();
    void sendBackward();
    // Drops one frame of the shape and shows the frame that takes its
    // place; a single frame left is dropped too. False for a null shape, a
    // shape on a locked layer or an index outside its frames.
    bool removeShapeFrame(SketchShape *shape, int index);
    // Every shape of the visible, unlocked layers, locked shapes included.
    void selectAll() override;
    void selectAllOfCurrentLayer();

    bool canGroup() const;
    bool canUnLock() const;
    bool canDelete() const override;
    // One layer and no shape.
    bool isEmpty() const override;

    // --- Picking --------------------------------------------------------------
    // Points in widget pixels.

    // The top-level shape under the point, topmost first, skipping hidden
    // layers: a hit on an outline or handle, or inside a group, a filled
    // shape or a text wins at once; failing that the lowest transparent
    // shape hit inside, then the lowest closed shape whose box holds the
    // point. Null when none.
    SketchShape *shapeAt(float x, float y) const;
    // Opens the in-place editor on the shape under the point.
    void editTextAt(int x, int y);
    // The hand-drawn slice under the point, the last drawn first, then,
    // when asked, the automatic one. Null when none.
    SketchSlice *sliceAt(float x, float y, bool withAutoSlices) const;
    // A copy of the automatic slice list.
    QList<SketchSlice *> autoSlices() const;

    // --- Image export ---------------------------------------------------------
    // The format follows the file name's suffix: "jpg" and "jpeg" JPEG,
    // "bmp" BMP, anything else PNG; a transparent paper stays transparent
    // only in PNG. The interactive exports ask for the name in a save dialog;
    // a file they could not write gets a warning box and imageExportFailed().

    // How the interactive exports ask for a file name: (parent, caption,
    // proposed name, filter) to the chosen name, empty when cancelled.
    // Without one they run getSaveFileNameWithSuffix; the main window hands
    // in its own file dialogs.
    using SaveFileNameAsker = std::function<QString(QWidget *parent, const QString &caption,
                                                    const QString &proposedName, const QString &filter)>;
    void setSaveFileNameAsker(const SaveFileNameAsker &asker) { m_saveFileNameAsker = asker; }

    // The page, without the paper border.
    void exportToImage() override;
    // The page at one pixel per point; the command-line export draws the
    // border. False when nothing was written (an empty name included).
    bool exportToImageFile(const QString &fileName, bool drawBorder);
    // The page, then every layer on its own, hidden or not, all with the
    // border.
    void exportLayersToImages();
    // Writes what exportLayersToImages writes under the name; the layer
    // pictures go to layerImageFileName(fileName, 1...). False when any file
    // could not be written (the others are written all the same).
    bool exportLayersToImageFiles(const QString &fileName);
    // "page.png" gives "page[n].png": the number goes before the suffix of
    // the file name, or at its end when it has none.
    static QString layerImageFileName(const QString &fileName, int number);
    // The selected shapes cut out of the page; nothing without an editable
    // selected shape.
    void exportShapeToImage();
    bool exportShapeToImageFile(const QString &fileName);
    // Every selected shape, locked ones included, at page scale, cut to the
    // box around them grown by 2 pixels.
    QPixmap renderSelectedShapesToPixmap(bool drawBorder, const QString &imageFormat);

    // --- Slice export -----------------------------------------------------------

    // Writes every slice, hand-drawn and automatic, as "Slice_<n>" in order
    // of the slice numbers, into the folder beside the file named after it
    // ("page.html" fills "page/"). A file name ending in "html" or "htm"
    // gives PNG images and, under that name, a page whose table puts them
    // back together; any other suffix is the image format and writes no
    // page. Nothing for an empty name. When the folder cannot be had (a file
    // of that name is in the way, or the base name is "..") nothing is
    // written; that failure, or the
    // first file that could not be written, is reported with
    // imageExportFailed().
    void exportToSliceImages(const QString &fileName);

    // --- Clipboard and drops ------------------------------------------------
    // The clipboard holds plain XML text: "StoryloomClipboardShape" with one
    // shape element per copied shape, or "StoryloomClipboardFormat" with the
    // style of one shape. Each change is one command; while the slice tool is
    // current none of these does anything, and the edits need a current
    // layer that is unlocked and visible.

    // Puts every selected shape (locked ones too) on the clipboard and makes
    // the widget point 5 pixels below and right of their centre the next
    // paste position. False when nothing was selected.
    bool copy() override;
    // Shape text, or a non-empty picture, on the clipboard, and a current
    // layer (if any) that is unlocked and visible.
    bool canPaste() const override;
    // New shapes from the shape text, centred on the paste position (the
    // last press, (100, 100) when there was none), which then steps by 5
    // pixels; or an image box for the clipboard's picture centred on the
    // pointer, kept 10 units inside the paper's top-left corner. Only the
    // pasted shapes end up selected.
    void paste() override;
    // The style of the first selected shape (its innermost selected member).
    void copyFormat();
    // Gives every selected shape off locked layers the copied style whole;
    // text that is not a format (or does not parse) changes nothing.
    void pasteFormat();
    // Reads a material from drag text and drops it centred on widget point
    // (x, y); text that does not parse as a material adds nothing.
    void dropMaterialXml(int x, int y, const QString &text);
    // Adds copies of the material's shapes centred on widget point (x, y);
    // the material stays the caller's.
    void dropMaterial(int x, int y, SketchMaterial *material);
    // One image box per picture file, the first centred on widget point
    // (x, y), each further one 10 units right of and below the one before,
    // shrunk to leave room on the paper for those still to come. scale
    // below 1 stores large pictures compressed. Files that do not load as
    // pictures are skipped.
    void dropImageFiles(int x, int y, const QStringList &files, float scale);
    // The box around the shapes' rotated outlines, in paper units; an empty
    // rectangle at the origin when there is nothing.
    QRectF shapesRect(const QList<SketchShape *> &shapes) const;
    QRectF editableSelectionRect() const;

    // --- In-place text editing ----------------------------------------------

    // Whether texts may be edited in place; the main window allows it.
    bool isTextEditingEnabled() const { return m_textEditingEnabled; }
    void setTextEditingEnabled(bool enabled) { m_textEditingEnabled = enabled; }
    // 0 edits a shape's text, 1 its name.
    int textEditMode() const { return m_textEditMode; }
    void setTextEditMode(int mode);
    // The shape in the editor; null when none is, or once it is destroyed.
    SketchShape *textEditShape() const;
    // Opens the editor over the shape's text area, at least 150 x 80 pixels.
    // Nothing for a null shape, an open path in text mode, or while the
    // slice tool is current.
    void beginTextEdit(SketchShape *shape);
    // The same for a shape that a tool has just added with `addCommand`:
    // should this first edit be cancelled while the shape still has no
    // text, the shape goes again with its command, which leaves no step.
    void beginNewShapeTextEdit(SketchShape *shape, SketchCommand *addCommand);
    // Closes the editor. Accepted, the text becomes the shape's text
    // ("saveText") or its name and the name of each of its frames ("saveId"),
    // as one command, even when unchanged; a shape that has left the
    // document meanwhile gets nothing. The shape (for a name, its outermost
    // group) is selected again, unless a new shape without text was taken
    // away (see beginNewShapeTextEdit). Always forgets the shape and
    // returns to text mode.
    void endTextEdit(bool accept) override;

    // --- Tools and input state ----------------------------------------------

    // Undo and redo from any tool but the select tool only cancel that
    // tool, which owns the edit in progress; a drag of the select tool is
    // taken back first.
    bool takeBackGesture() override;
    // A SketchToolType value.
    int currentToolType() const { return m_currentToolType; }
    void setCurrentTool(int type, bool notify);
    // The tool registered under the current type; null when none is.
    SketchTool *currentTool() const { return m_tools.value(m_currentToolType); }
    // The tool table: one tool per SketchToolType, children of the view.
    QHash<int, SketchTool *> &tools() { return m_tools; }
    // The forbidden cursor over a locked or hidden current layer, else the
    // current tool's.
    QCursor toolCursor() const;
    // The arrow keys: the current tool moves the selection; repaints when
    // something moved.
    void moveSelection(int dx, int dy);
    // The button of the last press on the view; Qt::NoButton after release.
    Qt::MouseButton pressedButton() const { return m_pressedButton; }
    // The modifiers of the last key press or release the view saw.
    Qt::KeyboardModifiers keyboardModifiers() const { return m_keyboardModifiers; }
    // Widget position of the last press, in whole pixels.
    QPointF lastPressPos() const { return m_lastPressPos; }

    // --- Repainting -----------------------------------------------------------

    // Repaints where the shapes were last painted and where they are now,
    // their handles, strokes, texts and blur included; a member of a group
    // repaints its outermost group. So many shapes repaint the whole view,
    // once.
    void repaintShapes(const QList<SketchShape *> &shapes);
    // Repaints what changed of the selection's handles and of the current
    // tool's overlay since they were last shown.
    void repaintChanges();
    // The shapes of the step, when it changed shapes alone; else the view.
    void repaintHistoryStep(const SketchCommand *command) override;

    // --- Display ------------------------------------------------------------

    // A drag of whole shapes (the select tool's) on a page too crowded to
    // paint on every mouse move: until it ends, the view paints from
    // pictures taken as it began (MovePreview), with the moving shapes
    // shifted by how far they have gone. Anything the pictures no longer
    // fit (zoom, scroll, size, history, selection) ends it as well; the end
    // repaints the page.
    void beginMovePreview(const QList<SketchShape *> &moving);
    void endMovePreview();
    bool hasMovePreview() const { return m_movePreview != nullptr; }

    // Grid lines every 25 widget pixels; hidden at start.
    bool isGridVisible() const { return m_gridVisible; }
    void setGridVisible(bool visible);
    // The slice tool shows the automatic slices; shown at start.
    bool isAutoSliceVisible() const { return m_autoSliceVisible; }
    void setAutoSliceVisible(bool visible);

    // --- Zoom, scrolling and coordinates ------------------------------------

    // Also lays the scroll bars out again; the offsets stay (the zoom tool
    // moves them).
    void setZoom(float zoom) override;
    // Offsets of the paper in widget pixels; never positive. With updateBar
    // the visible bar moves along without writing back into the offset. The
    // setters do not repaint.
    int scrollX() const { return m_scrollX; }
    int scrollY() const { return m_scrollY; }
    void setScrollX(int x, bool updateBar);
    void setScrollY(int y, bool updateBar);
    QScrollBar *horizontalScrollBar() const { return m_hScrollBar; }
    QScrollBar *verticalScrollBar() const { return m_vScrollBar; }
    // Ranges, page steps and places of the bars for the paper, the zoom and
    // the view's size, with a margin of 50 pixels beyond the paper.
    void updateScrollBars();
    // Paper to widget: the zoom, then the scroll offset.
    QTransform viewTransform() const;
    QPointF mapToDocument(const QPointF &point) const;
    QPointF mapFromDocument(const QPointF &point) const;
    // A shape's own coordinates to widget pixels: the view transform, the
    // enclosing groups from the outermost inwards, the shape's rotation.
    QTransform shapeTransform(SketchShape *shape) const;

signals:
    // Around a notified tool change.
    void actionChanging();
    void actionChanged();
    void currentLayerChanged();
    // The colour pickers' results.
    void gradientColorPicked(QColor color);
    void fillColorPicked(QColor color);
    void strokeColorPicked(QColor color);
    // An interactive export could not write this file; the user has been
    // told already.
    void imageExportFailed(const QString &fileName);

public slots:
    // Repaints the handles that changed, then tells the listeners.
    void onSelectionChanged() override;
    // A tool has finished: back to the select tool, reset.
    void actionCompleted();
    void hScrollBarValueChanged(int value);
    void vScrollBarValueChanged(int value);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    // A change of theme, palette or font repaints everything; a hidden view
    // frees its picture.
    void changeEvent(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    // The view shows no focus: taking the keyboard focus back (a click in
    // a panel hands it to the view) repaints nothing.
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    // Drops while the current layer is unlocked and visible: URLs are handed
    // on with urlsDroped(), text that begins with "<StoryloomMaterial" is a
    // material; other text is accepted and changes nothing.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void createTools();
    // The current layer exists, is unlocked and visible: mouse input may
    // reach the tools.
    bool hasUsableLayer() const;
    // The clipboard's picture as an image box centred on the pointer.
    void pastePicture();
    // The shape, or the group that holds it, is still in a layer of the
    // document.
    bool isInDocument(const SketchShape *shape) const;
    // A cancelled first edit of a new shape that still has no text: its add
    // command is withdrawn, and the shape with it. False, and nothing
    // changes, for any other edit.
    bool withdrawNewShape(const SketchShape *shape, SketchCommand *addCommand);
    bool isHoverTool(int type) const;
    // The save dialog of the image exports, proposing the title; empty when
    // cancelled.
    QString askImageFileName();
    // Tells the user in a warning box, then emits imageExportFailed().
    void reportImageExportFailure(const QString &fileName);
    void updateShapes(const QList<SketchShape *> &shapes, const QString &text,
                      const std::function<void(SketchShape *)> &edit);
    // The page in three layers: what lies under the shapes (the view's
    // background and the theme's, the paper's shadow, the paper, the grid),
    // the shapes, and the paper's border over them. A move preview paints
    // them apart.
    friend class MovePreview;
    QRect visiblePaperRect() const;
    void paintBackdrop(QPainter *painter, const QRect &exposed);
    void paintPaper(QPainter *painter, const QRect &paper);
    void paintGrid(QPainter *painter, const QRect &paper, const QRect &exposed);
    // The shapes of the visible layers, bottom first.
    QList<SketchShape *> paintOrder() const;
    // Those of the shapes (bottom first) that can show inside the exposed
    // rectangle, each under its shape transform, as SketchDocument::paint
    // paints them.
    void paintShapes(QPainter *painter, const QRect &exposed, const QList<SketchShape *> &shapes);
    // Through the renderer; the painter is left as it was.
    void paintVisibleShapes(QPainter *painter, const QVector<VisibleShapes::Entry> &visible);
    void paintPaperBorder(QPainter *painter);
    // Of the shapes (bottom first), those that can show in the area.
    QVector<VisibleShapes::Entry> visibleShapes(const QRect &area, const QList<SketchShape *> &shapes) const;
    // How many shapes a repaint of the whole view draws.
    int paintedShapeCount() const;
    // Whether the view's own repaint keeps the outlines of the shapes it
    // paints (SketchShape::prepareToPaint); no other paint does.
    bool keepsOutlinesWhenPainting() const;

    // The view's picture, made or kept for its size; null where the view's
    // pixels are not one to one, which then paints straight on itself.
    QImage *pagePicture();
    // The page without the selection, area by area, into the picture: the
    // backdrop, the shapes in bands on the worker threads, the border.
    // `painted` is the whole region the repaint paints.
    void paintIntoPicture(QImage *picture, const QRect &area, const QRegion &painted);
    // The same straight onto the view's painter.
    void paintDirectly(QPainter *painter, const QRect &area, const QRegion &painted);
    // The exposed part of the picture with the selection's handles over it.
    void showPicture(QPainter *painter, const QImage &picture, const QRegion &exposed);
    // The selected top-level shapes whose handles reach the area, bottom
    // first, recorded as shown; their handles are drawn over the whole page.
    QVector<VisibleShapes::Entry> selectionHandles(const QRect &area);
    void paintHandles(QPainter *painter, const QVector<VisibleShapes::Entry> &handles) const;
    void paintHandlesInBands(QImage *picture, const QRegion &exposed,
                             const QVector<VisibleShapes::Entry> &handles) const;
    // The shapes painted by a repaint of the region are recorded as shown.
    void recordPainted(const QVector<VisibleShapes::Entry> &visible, const QRegion &painted);
    // Before a paint of everything: nothing painted so far is shown any more.
    void startAfresh();
    // The region, with the view's children over it, covers the whole view.
    bool coversView(const QRegion &region) const;
    // What the picture shows besides the shapes; a change repaints it whole.
    struct PageSetting
    {
        QSize size;
        float zoom = 1.0f;
        int scrollX = 0;
        int scrollY = 0;
        bool grid = false;
        bool handlesHidden = false;
        QSize paper;
        SkinBrush paperColor;
        SketchStroke paperBorder;
        QVector<QPair<const SketchLayer *, bool>> layers;
        bool operator==(const PageSetting &other) const;
    };
    PageSetting pageSetting() const;

    // Widget rectangles of the shapes' last painted areas and their present
    // ones.
    void appendShapeAreas(const QList<SketchShape *> &shapes, QVector<QRect> *areas) const;
    QRect shownArea(const SketchShape *shape) const;
    QRect presentArea(SketchShape *shape) const;
    // The parts of the areas within the view, few enough to repaint one by
    // one; false where they cover so much that the whole view is repainted
    // instead.
    bool gatherAreas(const QVector<QRect> &areas, QVector<QRect> *parts) const;
    // Repaints the areas (widget pixels) of the page afresh; most of the
    // view repaints it whole.
    void repaintPageAreas(const QVector<QRect> &areas);
    // Repaints what lies over the page in the areas: the page comes from the
    // picture.
    void repaintOverlayAreas(const QVector<QRect> &areas);
    // Everything afresh.
    void repaintAll();
    // A scroll bar moved the page: the pixels painted move along and only
    // what comes into view is painted, where nothing stays pinned to the
    // view while the page moves.
    void scrollPageTo(int x, int y);
    bool scrollsPixels(int dx, int dy) const;
    // The parts of the viewport that do not move with the page when it
    // moves by (dx, dy).
    QVector<QRect> pinnedStrips(const QRect &viewport, int dx, int dy) const;
    // The view less its scroll bars and their corner.
    QRect pageViewport() const;

    int m_currentToolType;
    int m_scrollX = 0;
    int m_scrollY = 0;
    SketchDocument *m_document = nullptr;
    QPointer<SketchDocument> m_sourceDocument;
    QPointer<SketchGroup> m_editedGroup;
    QPointer<SketchLayer> m_currentLayer;
    QHash<int, SketchTool *> m_tools;
    // The current tool got the press of the gesture in progress, so its
    // release and double click may follow.
    bool m_toolPressed = false;
    bool m_armed = false;
    Qt::MouseButton m_pressedButton = Qt::NoButton;
    Qt::KeyboardModifiers m_keyboardModifiers = Qt::NoModifier;
    QPointF m_lastPressPos;
    QScrollBar *m_hScrollBar = nullptr;
    QScrollBar *m_vScrollBar = nullptr;
    QWidget *m_scrollCorner = nullptr;
    bool m_hScrollBarFollows = true;
    bool m_vScrollBarFollows = true;
    bool m_gridVisible = false;
    bool m_autoSliceVisible = true;
    SaveFileNameAsker m_saveFileNameAsker;
    // The file as this view last read or wrote it.
    FileStamp m_fileStamp;
    bool m_textEditingEnabled = false;
    QPointer<SketchShape> m_textEditShape;
    int m_textEditMode = 0;
    // The add command of a text edit shape that its tool has just made; only
    // compared with the top of the undo stack before it is used, so never
    // read once another command has been pushed over it or it has gone.
    SketchCommand *m_newShapeCommand = nullptr;
    std::unique_ptr<MovePreview> m_movePreview;
    PagePicture m_picture;
    PageSetting m_pictureSetting;
    ShownShapes m_shown;
    // Where the current tool's overlay was last painted.
    QRect m_shownToolArea;
    // The repaint of the whole view asked for next changes nothing on the
    // page: the picture stays where it is up to date.
    bool m_keepPicture = false;
};

#endif // SKETCHDOCUMENTVIEW_H
