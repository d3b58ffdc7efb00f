#ifndef SKETCHDOCUMENT_H
#define SKETCHDOCUMENT_H

#include "model/sketchstroke.h"
#include "model/skinbrush.h"

#include <QList>
#include <QObject>

#include <functional>
#include <QPixmap>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QTransform>

class FileStamp;
class QDomElement;
class QIODevice;
class PageRenderer;
class QPainter;
class SketchDocumentView;
class SketchGroup;
class SketchLayer;
class SketchShape;
class SketchSlice;
class SketchSliceGrid;

// One drawing: the paper (size, fill and border), a stack of layers holding
// the shapes, three free-text work fields kept with the file, and the slices
// that cut the paper into export images. A document belongs to one view,
// which is also its QObject parent, holds the current layer and shows it.
//
// Ownership: the layers are QObject children of the document (and their
// shapes children of the layers). The slices have no QObject parent: the
// document deletes the slices of both slice lists and the slice grid. Code
// that takes a slice out of a list takes it over. The lists are handed out
// by reference and changed in place by the commands.
//
// The document file is UTF-8 XML: a "Storyloom" root holding one "Document"
// element with the paper, the slices and the layers.
class SketchDocument : public QObject
{
    Q_OBJECT

public:
    // One empty layer named "Layer1", the default paper size, white paper
    // with a black square border of width 1, no slices and no slice grid.
    explicit SketchDocument(SketchDocumentView *view);
    ~SketchDocument() override;

    SketchDocumentView *view() const { return m_view; }

    // --- Paper and work fields ----------------------------------------------

    // In document units; setting it rebuilds nothing (callers rebuild the
    // slice grid themselves).
    QSize paperSize() const { return m_paperSize; }
    void setPaperSize(const QSize &size) { m_paperSize = size; }
    SkinBrush paperColor() const { return m_paperColor; }
    void setPaperColor(const SkinBrush &brush) { m_paperColor = brush; }
    SketchStroke paperBorder() const { return m_paperBorder; }
    void setPaperBorder(const SketchStroke &stroke) { m_paperBorder = stroke; }

    // Free texts that come from the file and go back into it unchanged.
    QString workId() const { return m_workId; }
    void setWorkId(const QString &text) { m_workId = text; }
    QString workTitle() const { return m_workTitle; }
    void setWorkTitle(const QString &text) { m_workTitle = text; }
    QString workTags() const { return m_workTags; }
    void setWorkTags(const QString &text) { m_workTags = text; }

    // --- Layers -------------------------------------------------------------

    // Bottom layer first.
    QList<SketchLayer *> &layers() { return m_layers; }
    const QList<SketchLayer *> &layers() const { return m_layers; }
    // Deletes every layer with its shapes and empties the list.
    void clearLayers();

    // --- Shape queries ------------------------------------------------------
    // Each walks the layers bottom to top and each layer's shapes bottom to
    // top, and returns a new list in that order. "Editable" means on a
    // visible, unlocked layer and not locked itself; "unlocked" alone tests
    // visible layers and the shape's own lock only.

    QList<SketchShape *> shapes() const;
    int shapeCount() const;
    bool isEmpty() const;
    QList<SketchShape *> visibleShapes() const;
    // Every layer top to bottom, each layer's shapes top to bottom: the
    // order in which the view looks for the shape under the mouse.
    QList<SketchShape *> shapesFromTop() const;

    QList<SketchShape *> selectedShapes() const;
    int selectedShapeCount() const;
    int selectedUnlockedShapeCount() const;
    QList<SketchShape *> editableSelectedShapes() const;
    // Those of editableSelectedShapes whose type name ("Shape" or "Group")
    // is typeName.
    QList<SketchShape *> editableSelectedShapesOfType(const QString &typeName) const;
    // The selected shapes with each group replaced by the member selected
    // inside it (SketchShape::selectedShape).
    QList<SketchShape *> editableSelectedInnerShapes() const;
    QList<SketchShape *> selectedInnerShapes() const;

    QList<SketchGroup *> selectedGroups() const;
    int selectedGroupCount() const;
    QList<SketchGroup *> selectedUnlockedGroups() const;
    int selectedUnlockedGroupCount() const;
    // The groups among editableSelectedInnerShapes.
    QList<SketchGroup *> editableSelectedGroups() const;
    QList<SketchShape *> selectedBasicShapes() const;
    int selectedBasicShapeCount() const;
    QList<SketchShape *> selectedUnlockedBasicShapes() const;
    int selectedUnlockedBasicShapeCount() const;

    // --- Slices -------------------------------------------------------------

    // The hand-drawn slices in the order they were drawn; saved.
    QList<SketchSlice *> &slices() { return m_slices; }
    const QList<SketchSlice *> &slices() const { return m_slices; }
    // The slices of the free areas, made by updateSliceGrid; never saved.
    QList<SketchSlice *> &autoSlices() { return m_autoSlices; }
    const QList<SketchSlice *> &autoSlices() const { return m_autoSlices; }
    // Deletes the slices of both lists and empties them.
    void clearSlices();
    // The selected hand-drawn slices, then, when asked, the selected
    // automatic ones.
    QList<SketchSlice *> selectedSlices(bool withAutoSlices) const;
    // Every slice by ascending number; of equal numbers the later one in
    // (hand-drawn, automatic) order comes first. The order of the slice
    // images.
    QList<SketchSlice *> sortedSlices() const;

    // Null until updateSliceGrid has built one (and when the paper is empty).
    SketchSliceGrid *sliceGrid() const { return m_sliceGrid; }
    // Rebuilds the grid and the automatic slices from the paper and the
    // hand-drawn slices, and renumbers the slices. Any pointer to the old grid
    // or to an automatic slice dies here.
    void updateSliceGrid();

    // --- Painting -----------------------------------------------------------

    // The shapes of the visible layers, each under the view's transform for
    // it (the identity without a view); showHandles as SketchShape::paint.
    void paint(QPainter *painter, bool showHandles);
    // The shapes scaled and centred into target, the paper fitted inside a
    // margin of 3. Nothing without shapes, layers or an area to paint.
    void paintShapesInRect(QPainter *painter, const QList<SketchShape *> &shapes, const QRectF &target);
    // paintShapesInRect with the visible shapes.
    void paintThumbnail(QPainter *painter, const QRectF &target);
    // The transform of paintShapesInRect (page units into target) and its
    // scale; false where that paints nothing whatever the shapes.
    bool fittedTransform(const QRectF &target, QTransform *transform, float *scale) const;

    // A thumbnail cache that nothing reads; clearCachedImage frees it.
    QPixmap *cachedImage() const { return m_cachedImage; }
    void buildCachedImage(const QSize &size, bool drawBorder);
    void clearCachedImage();

    // --- Rendering to images ------------------------------------------------
    // The format ("PNG", ".png", "JPG"...) chooses only the background: PNG
    // keeps a transparent paper transparent, other formats put a transparent
    // paper on white. An empty paper gives a null pixmap.

    // The page with the shapes of the visible layers, fitted as a thumbnail.
    QPixmap renderToPixmap(bool drawBorder, const QString &imageFormat);
    // The same picture as an image, painted by the renderer given (culled
    // and in bands on worker threads unless told otherwise). Makes no
    // QPixmap, so it may run on any thread, while nothing edits the
    // document.
    QImage renderToImage(bool drawBorder, const QString &imageFormat);
    QImage renderToImage(bool drawBorder, const QString &imageFormat, const PageRenderer &renderer);
    // The page with only the shapes of that layer, hidden or not; no shapes
    // for an index outside the list.
    QPixmap renderLayerToPixmap(int layerIndex, bool drawBorder, const QString &imageFormat);
    QImage renderLayerToImage(int layerIndex, bool drawBorder, const QString &imageFormat,
                              const PageRenderer &renderer);
    // The shapes at page scale, cut to the box around them grown by 2 pixels
    // (the whole page for an empty list, a null pixmap when the box misses
    // the page). Here the format is compared with "PNG" as it is.
    QPixmap renderShapesToPixmap(const QList<SketchShape *> &shapes, bool drawBorder, const QString &imageFormat);
    // One image per slice in sortedSlices order, cut from one PNG rendering
    // without border; a slice with no area on the page gives a null pixmap.
    // Without any slice image, the whole page alone. Builds the slice grid
    // when there is none.
    QList<QPixmap> slicePixmaps();

    // --- Storage ------------------------------------------------------------

    // The "Document" element, written into an element the caller made: only
    // what differs from a new document.
    void writeXml(QDomElement &element) const;
    // Replaces the whole content; never fails (defaults for whatever is
    // missing or malformed, one "Layer1" when no layer is read).
    void readXml(const QDomElement &element);
    // The document file: UTF-8, indented by 4, the "Storyloom" root holding
    // the element of writeXml, with each element's attributes in name order
    // so that the same document gives the same bytes in every run. The old
    // file is replaced only by a complete new one; false when the file could
    // not be written.
    bool saveToFile(const QString &fileName) const;
    // The bytes saveToFile writes.
    QByteArray toFileText() const;
    // False, with the document left exactly as it was, when the file cannot
    // be read, is not well-formed XML or its root's first child is not a
    // "Document" element. Only a regular file (a link is followed) of at
    // most MaximumFileSize bytes is read: a FIFO, a device or a larger file
    // is refused without waiting or reading. On success the content is
    // replaced (every earlier layer, shape and slice object is gone) and the
    // slice grid rebuilt, and `stamp`, when given, tells what the file was
    // as it was read. `replacing`, when given, is run once the file has
    // been read whole and just before the content is replaced; never for a
    // file that cannot be read.
    bool loadFromFile(const QString &fileName, FileStamp *stamp = nullptr,
                      const std::function<void()> &replacing = {});
    // 1 GiB: fifty times a page of 100,000 shapes (about 21 MB), and half
    // of what one byte array can hold.
    static constexpr qint64 MaximumFileSize = qint64(1) << 30;

    // --- Copies and group editing -------------------------------------------

    // Replaces the target's paper, slices and layers by deep copies of this
    // document's; the work fields, automatic slices and grid stay.
    void copyTo(SketchDocument *target) const;
    // A new document of the same view holding a copy; the caller owns it (it
    // is also a QObject child of the view). Null without a view.
    SketchDocument *clone() const;
    // Writes the shapes of this document (an "Edit Group" tab) back into the
    // group it edits: copies of every shape become the members, and the
    // group keeps its top-left corner and its rotation.
    void writeShapesToGroup(SketchGroup *group) const;

private:
    QList<SketchShape *> collectShapes(bool visibleLayersOnly, bool unlockedLayersOnly,
                                       bool (*take)(const SketchShape *)) const;
    int countShapes(bool visibleLayersOnly, bool (*take)(const SketchShape *)) const;
    void paintShapes(QPainter *painter, const QList<SketchShape *> &shapes, const QTransform &base, float zoom);
    void writeHeadXml(QDomElement &element) const;
    bool writeFileText(QIODevice *device) const;
    void readXml(const QDomElement &element, QList<SketchLayer *> *readLayers);
    QImage makePage(bool pngBackground) const;
    QImage renderFitted(const QList<SketchShape *> &shapes, bool drawBorder, const QString &imageFormat,
                        const PageRenderer &renderer);
    QImage renderShapesToImage(const QList<SketchShape *> &shapes, bool drawBorder, const PageRenderer &renderer,
                               bool pngBackground);
    void paintBackground(QPainter *painter, const QRectF &page, bool pngBackground) const;

    SketchDocumentView *m_view = nullptr;
    QList<SketchLayer *> m_layers;
    QSize m_paperSize;
    SkinBrush m_paperColor = SkinBrush::whiteBrush();
    SketchStroke m_paperBorder;
    QPixmap *m_cachedImage = nullptr;
    QString m_workId;
    QString m_workTitle;
    QString m_workTags;
    QList<SketchSlice *> m_slices;
    QList<SketchSlice *> m_autoSlices;
    SketchSliceGrid *m_sliceGrid = nullptr;
};

#endif // SKETCHDOCUMENT_H
