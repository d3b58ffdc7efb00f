#ifndef SKETCHMATERIALGRIDITEMDELEGATE_H
#define SKETCHMATERIALGRIDITEMDELEGATE_H

#include "skin/controls/skingriditemdelegate.h"

class SketchMaterial;

// Paints a page of the materials panel: each cell that holds a material
// shows its thumbnail over the whole cell and, when the material has a
// name, a light strip along the cell's bottom with the name centred in it.
// A drag of such a cell carries the material's drag text, which a document
// view drops as the material's shapes.
//
// A drop is taken only onto a cell before the page's item count (the cells
// that hold materials), so a reorder never opens a gap in the page.
//
// Holds nothing: the thumbnails are cached by the materials themselves, at
// the size of the cell last painted, and rendered again when that changes.
class SketchMaterialGridItemDelegate : public SkinGridItemDelegate
{
public:
    SketchMaterialGridItemDelegate() = default;
    ~SketchMaterialGridItemDelegate() override;

    // The base cell, then the name strip and, for a material marked
    // imported, a green corner mark.
    void paintCell(QPainter *painter, SkinGridView *view, int column, int row) override;
    // The material's thumbnail; other cells paint nothing.
    void paintCellText(QPainter *painter, SkinGridView *view, int column, int row) override;
    // The material's drag text; empty for a cell without a material.
    QString cellText(SkinGridView *view, int column, int row) override;
    // Refuses a target or an origin at or past the view's item count.
    void dropCell(SkinGridView *view, int column, int row, bool emitSignals) override;

    // The material a cell of the view shows, or null.
    static SketchMaterial *materialAt(const SkinGridView *view, int column, int row);
};

#endif // SKETCHMATERIALGRIDITEMDELEGATE_H
