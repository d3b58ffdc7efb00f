#ifndef SKETCHLAYERGRIDITEMDELEGATE_H
#define SKETCHLAYERGRIDITEMDELEGATE_H

#include "skin/controls/skingriditemdelegate.h"

class SketchLayer;
class SketchLayerThumbnails;

// Paints the layers panel: the eye of a visible layer, the lock of a locked
// one (both tinted in the theme's icon colour), a thumbnail of the layer's
// shapes in a white box, the name by the base painting, a light line along
// the top of the first row, and grid lines between all rows and columns.
//
// Icons are loaded and tinted at every paint; the shapes of a thumbnail are
// a picture kept by the panel's thumbnails (not owned), so a repaint of the
// panel paints no shape.
class SketchLayerGridItemDelegate : public SkinGridItemDelegate
{
public:
    explicit SketchLayerGridItemDelegate(SketchLayerThumbnails *thumbnails);
    ~SketchLayerGridItemDelegate() override;

    // The base painting, then the grid lines.
    void paint(QPainter *painter, SkinGridView *view) override;
    void paintCell(QPainter *painter, SkinGridView *view, int column, int row) override;

    // The layer a row of the view shows, or null.
    static SketchLayer *layerAt(const SkinGridView *view, int row);
    // The thumbnail of the layer into the box: white, outlined in the
    // colour, the shapes scaled in with a margin of 3.
    void paintThumbnail(QPainter *painter, const QRectF &box, const SketchLayer *layer, const QColor &outline);

private:
    SketchLayerThumbnails *m_thumbnails;
};

#endif // SKETCHLAYERGRIDITEMDELEGATE_H
