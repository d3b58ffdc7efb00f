#include "materials/sketchmaterialdialoggriditemdelegate.h"

#include "materials/sketchmaterial.h"
#include "skin/controls/skingridcell.h"
#include "skin/controls/skingridselection.h"
#include "skin/controls/skingridview.h"

#include <QImage>
#include <QPainter>

SketchMaterialDialogGridItemDelegate::~SketchMaterialDialogGridItemDelegate() = default;

void SketchMaterialDialogGridItemDelegate::paintCell(QPainter *painter, SkinGridView *view, int column, int row)
{
    const SkinGridCell *cell = view->cell(column, row);
    if (!cell || !cell->data())
        return;
    const QRect r = cellRect(view, column, row);
    const QRect inner(QPoint(r.left() + 1, r.top() + 1), r.bottomRight());
    const QColor background = view->cellBackgroundColor(column, row);
    if (view->selection()->contains(column, row))
        painter->fillRect(inner, view->selectedCellColor());
    else if (background.alpha() > 0)
        painter->fillRect(inner, background);
    paintCellText(painter, view, column, row);
    painter->setPen(view->gridLineColor());
    painter->setBrush(Qt::NoBrush);
    painter->drawRects(&r, 1);
}

void SketchMaterialDialogGridItemDelegate::paintCellText(QPainter *painter, SkinGridView *view, int column,
                                                         int row)
{
    auto *material = qobject_cast<SketchMaterial *>(view->cellData(column, row));
    if (!material)
        return;
    const QRect r = cellRect(view, column, row);
    if (r.isEmpty())
        return;
    if (material->thumbnail() && material->thumbnail()->size() != r.size())
        material->setThumbnail(nullptr);
    const QImage *thumbnail = material->thumbnail();
    if (!thumbnail)
        thumbnail = material->updateThumbnail(r.width(), r.height());
    if (thumbnail && !thumbnail->isNull())
        painter->drawImage(r, *thumbnail, thumbnail->rect());
}
