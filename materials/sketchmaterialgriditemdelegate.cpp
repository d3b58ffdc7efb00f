#include "materials/sketchmaterialgriditemdelegate.h"

#include "materials/sketchmaterial.h"
#include "skin/controls/skingridcell.h"
#include "skin/controls/skingridview.h"
#include "skin/windows/skintheme.h"

#include <QImage>
#include <QPainter>
#include <QPolygon>

namespace {

// The name strip's height along the bottom of a cell.
const int NameStripHeight = 18;
const QColor NameStripColor(255, 255, 255, 180);

int linearIndex(const SkinGridView *view, int column, int row)
{
    return row * view->columnCount() + column;
}

bool isInside(const SkinGridView *view, int column, int row)
{
    return column >= 0 && column < view->columnCount() && row >= 0 && row < view->rowCount();
}

} // namespace

SketchMaterialGridItemDelegate::~SketchMaterialGridItemDelegate() = default;

SketchMaterial *SketchMaterialGridItemDelegate::materialAt(const SkinGridView *view, int column, int row)
{
    return qobject_cast<SketchMaterial *>(view->cellData(column, row));
}

void SketchMaterialGridItemDelegate::paintCell(QPainter *painter, SkinGridView *view, int column, int row)
{
    SkinGridItemDelegate::paintCell(painter, view, column, row);
    const SkinGridCell *cell = view->cell(column, row);
    if (!cell || !cell->data())
        return;
    const QRect rect = cellRect(view, column, row);
    const int left = rect.left();
    const int right = rect.right();
    const int bottom = rect.bottom();
    QString text = cell->text();
    if (!text.isEmpty()) {
        const QRect strip(QPoint(left + 1, bottom - NameStripHeight + 1), QPoint(right - 1, bottom));
        painter->fillRect(strip, NameStripColor);
        painter->fillRect(QRect(QPoint(left + 1, strip.top()), QPoint(right, strip.top())), skinBorderColor);
        drawCellText(painter, view, text, Qt::AlignCenter, QRectF(strip), Qt::black);
    }
    const SketchMaterial *material = qobject_cast<const SketchMaterial *>(cell->data());
    if (material && material->isImported()) {
        painter->save();
        painter->setPen(Qt::NoPen);
        painter->setBrush(Qt::green);
        painter->drawPolygon(
            QPolygon({QPoint(right + 1, bottom - 10), QPoint(right - 10, bottom + 1), QPoint(right + 1, bottom + 1)}));
        painter->restore();
    }
}

void SketchMaterialGridItemDelegate::paintCellText(QPainter *painter, SkinGridView *view, int column, int row)
{
    SketchMaterial *material = materialAt(view, column, row);
    if (!material)
        return;
    const QRect rect = cellRect(view, column, row);
    if (rect.isEmpty())
        return;
    // Cells follow the panel's width: a thumbnail of another size is stale.
    if (material->thumbnail() && material->thumbnail()->size() != rect.size())
        material->setThumbnail(nullptr);
    const QImage *thumbnail = material->thumbnail();
    if (!thumbnail)
        thumbnail = material->updateThumbnail(rect.width(), rect.height());
    if (thumbnail && !thumbnail->isNull())
        painter->drawImage(rect.topLeft(), *thumbnail);
}

QString SketchMaterialGridItemDelegate::cellText(SkinGridView *view, int column, int row)
{
    const SketchMaterial *material = materialAt(view, column, row);
    return material ? material->dragText() : QString();
}

void SketchMaterialGridItemDelegate::dropCell(SkinGridView *view, int column, int row, bool emitSignals)
{
    const int items = view->itemCount();
    const bool pastTarget = isInside(view, column, row) && linearIndex(view, column, row) >= items;
    const bool pastOrigin = isInside(view, view->dragColumn(), view->dragRow())
        && linearIndex(view, view->dragColumn(), view->dragRow()) >= items;
    if (pastTarget || pastOrigin) {
        // Outside the grid the base moves nothing and only ends the drag.
        SkinGridItemDelegate::dropCell(view, -1, -1, emitSignals);
        return;
    }
    SkinGridItemDelegate::dropCell(view, column, row, emitSignals);
}
