#include "app/sketchframegriditemdelegate.h"

#include "materials/sketchmaterial.h"
#include "skin/controls/skingridcell.h"
#include "skin/controls/skingridview.h"

#include <QImage>
#include <QPainter>

SketchFrameGridItemDelegate::~SketchFrameGridItemDelegate() = default;

SketchMaterial *SketchFrameGridItemDelegate::materialAt(const SkinGridView *view, int column, int row)
{
    const SkinGridCell *cell = view->cell(column, row);
    return cell ? qobject_cast<SketchMaterial *>(cell->data()) : nullptr;
}

void SketchFrameGridItemDelegate::paintCellText(QPainter *painter, SkinGridView *view, int column, int row)
{
    SketchMaterial *material = materialAt(view, column, row);
    if (!material)
        return;
    const SkinGridCell *cell = view->cell(column, row);
    const QRect rect = cell->rect();
    if (!cell->isSelected())
        painter->fillRect(rect, Qt::white);
    const QImage *thumbnail = material->thumbnail();
    if (!thumbnail)
        thumbnail = material->updateThumbnail(rect.width(), rect.height());
    if (thumbnail && !thumbnail->isNull())
        painter->drawImage(QRectF(rect), *thumbnail, QRectF(thumbnail->rect()));
}

QString SketchFrameGridItemDelegate::cellText(SkinGridView *view, int column, int row)
{
    const SketchMaterial *material = materialAt(view, column, row);
    return material ? material->dragText() : QString();
}
