#ifndef SKETCHMATERIALDIALOGGRIDITEMDELEGATE_H
#define SKETCHMATERIALDIALOGGRIDITEMDELEGATE_H

#include "skin/controls/skingriditemdelegate.h"

// Paints the previews of a catalogue entry (SketchMaterialDialog): each cell
// that holds a material is filled white, or with the grid's selected-cell
// colour while selected, shows the material's thumbnail over the whole cell
// and is outlined in the grid's line colour. Cells without a material paint
// nothing.
//
// Holds nothing: the thumbnails are cached by the materials at the cell's
// size and rendered again only when that size changes.
class SketchMaterialDialogGridItemDelegate : public SkinGridItemDelegate
{
public:
    SketchMaterialDialogGridItemDelegate() = default;
    ~SketchMaterialDialogGridItemDelegate() override;

    void paintCell(QPainter *painter, SkinGridView *view, int column, int row) override;
    void paintCellText(QPainter *painter, SkinGridView *view, int column, int row) override;
};

#endif // SKETCHMATERIALDIALOGGRIDITEMDELEGATE_H
