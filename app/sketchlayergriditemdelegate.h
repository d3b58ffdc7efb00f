#ifndef SKETCHLAYERGRIDITEMDELEGATE_H
#define SKETCHLAYERGRIDITEMDELEGATE_H

#include "skin/controls/skingriditemdelegate.h"

class SketchLayer;

// Paints the layers panel: the eye of a visible layer, the lock of a locked
// one (both tinted in the theme's icon colour), a thumbnail of the layer's
// shapes in a white box, the name by the base painting, a light line along
// the top of the first row, and grid lines between all rows and columns.
//
// Holds nothing: icons are loaded and tinted, and the thumbnail is drawn
// from copies of the shapes, at every paint.
class SketchLayerGridItemDelegate : public SkinGridItemDelegate
{
public:
    SketchLayerGridItemDelegate() = default;
    ~SketchLayerGridItemDelegate() override;

    // The base painting, then the grid lines.
    void paint(QPainter *painter, SkinGridView *view) override;
    void paintCell(QPainter *painter, SkinGridView *view, int column, int row) override;

    // The layer a row of the view shows, or null.
    static SketchLayer *layerAt(const SkinGridView *view, int row);
    // The thumbnail of the layer into the box: white, outlined in the
    // colour, the shapes scaled in with a margin of 3.
    static void paintThumbnail(QPainter *painter, const QRectF &box, const SketchLayer *layer,
                               const QColor &outline);
};

#endif // SKETCHLAYERGRIDITEMDELEGATE_H
