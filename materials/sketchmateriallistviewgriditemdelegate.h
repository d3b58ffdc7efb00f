#ifndef SKETCHMATERIALLISTVIEWGRIDITEMDELEGATE_H
#define SKETCHMATERIALLISTVIEWGRIDITEMDELEGATE_H

#include "skin/controls/skingriditemdelegate.h"

// Paints the cards of the online catalogue (SketchMaterialListView): a white
// card 8 pixels inside its cell, outlined in the grid's line colour, with the
// preview of the file's first material on grey, the name at the bottom left
// in black and the price at the bottom right in red. The preview under the
// mouse is veiled (darker while the button is held). Cells without a file
// paint nothing at all, not even the grid's background; a selection is
// never shown.
//
// Holds nothing: the previews are cached by the materials, at the size of
// the preview area, and rendered again only when that size changes.
class SketchMaterialListViewGridItemDelegate : public SkinGridItemDelegate
{
public:
    SketchMaterialListViewGridItemDelegate() = default;
    ~SketchMaterialListViewGridItemDelegate() override;

    void paintCell(QPainter *painter, SkinGridView *view, int column, int row) override;
    void paintCellText(QPainter *painter, SkinGridView *view, int column, int row) override;

    // Within the cell's rectangle r: the card, the preview area, and the
    // name and price boxes along the card's bottom line.
    static QRect cardRect(const QRect &r);
    static QRect previewRect(const QRect &r);
    static QRectF nameRect(const QRect &r);
    static QRectF priceRect(const QRect &r);
};

#endif // SKETCHMATERIALLISTVIEWGRIDITEMDELEGATE_H
