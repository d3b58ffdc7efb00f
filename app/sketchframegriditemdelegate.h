#ifndef SKETCHFRAMEGRIDITEMDELEGATE_H
#define SKETCHFRAMEGRIDITEMDELEGATE_H

#include "skin/controls/skingriditemdelegate.h"

class SketchMaterial;

// Paints the frames popup: each cell that holds a frame (as a material)
// shows its thumbnail on white, or on the selected-cell colour when
// selected. The thumbnail is made once per material, at the cell's size when
// the cell is first painted, and drawn scaled into the cell from then on. A
// drag of such a cell carries the material's drag text ("StoryloomMaterial"
// XML), which a document view drops as a new shape.
class SketchFrameGridItemDelegate : public SkinGridItemDelegate
{
public:
    SketchFrameGridItemDelegate() = default;
    ~SketchFrameGridItemDelegate() override;

    void paintCellText(QPainter *painter, SkinGridView *view, int column, int row) override;
    // Empty for a cell without a frame.
    QString cellText(SkinGridView *view, int column, int row) override;

    // The material a cell of the view holds, or null.
    static SketchMaterial *materialAt(const SkinGridView *view, int column, int row);
};

#endif // SKETCHFRAMEGRIDITEMDELEGATE_H
