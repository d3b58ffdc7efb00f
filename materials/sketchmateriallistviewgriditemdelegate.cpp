#include "materials/sketchmateriallistviewgriditemdelegate.h"

#include "materials/sketchmaterial.h"
#include "materials/sketchmaterialfile.h"
#include "materials/sketchmateriallistview.h"
#include "skin/controls/skingridcell.h"
#include "skin/controls/skingridview.h"

#include <QImage>
#include <QPainter>

namespace {

const QColor PreviewColor(128, 128, 128);
const QColor HoverVeilColor(98, 98, 98, 120);
const QColor PressedVeilColor(98, 98, 98, 220);

SketchMaterialFile *fileAt(const SkinGridView *view, int column, int row)
{
    return qobject_cast<SketchMaterialFile *>(view->cellData(column, row));
}

} // namespace

SketchMaterialListViewGridItemDelegate::~SketchMaterialListViewGridItemDelegate() = default;

QRect SketchMaterialListViewGridItemDelegate::cardRect(const QRect &r)
{
    return QRect(QPoint(r.left() + 8, r.top() + 8), QPoint(r.right() - 8, r.bottom() - 8));
}

QRect SketchMaterialListViewGridItemDelegate::previewRect(const QRect &r)
{
    return QRect(QPoint(r.left() + 16, r.top() + 16), QPoint(r.right() - 16, r.bottom() - 28));
}

QRectF SketchMaterialListViewGridItemDelegate::nameRect(const QRect &r)
{
    return QRectF(r.left() + 16, r.bottom() - 28, previewRect(r).width(), 20);
}

QRectF SketchMaterialListViewGridItemDelegate::priceRect(const QRect &r)
{
    return QRectF(r.right() - 56, r.bottom() - 28, 40, 20);
}

void SketchMaterialListViewGridItemDelegate::paintCell(QPainter *painter, SkinGridView *view, int column, int row)
{
    const SkinGridCell *cell = view->cell(column, row);
    if (!cell || !cell->data())
        return;
    const QRect card = cardRect(cellRect(view, column, row));
    painter->fillRect(card, Qt::white);
    paintCellText(painter, view, column, row);
    painter->setPen(view->gridLineColor());
    painter->setBrush(Qt::NoBrush);
    painter->drawRects(&card, 1);
}

void SketchMaterialListViewGridItemDelegate::paintCellText(QPainter *painter, SkinGridView *view, int column,
                                                           int row)
{
    SketchMaterialFile *file = fileAt(view, column, row);
    if (!file || file->materials().isEmpty())
        return;
    SketchMaterial *preview = file->materials().first();
    const QRect r = cellRect(view, column, row);
    const QRect area = previewRect(r);
    painter->fillRect(area, PreviewColor);

    if (preview->thumbnail() && preview->thumbnail()->size() != area.size())
        preview->setThumbnail(nullptr);
    const QImage *thumbnail = preview->thumbnail();
    if (!thumbnail)
        thumbnail = preview->updateThumbnail(area.width(), area.height());
    if (thumbnail && !thumbnail->isNull())
        painter->drawImage(area, *thumbnail, thumbnail->rect());

    if (column == view->hoverColumn() && row == view->hoverRow())
        painter->fillRect(area, view->isMousePressed() ? PressedVeilColor : HoverVeilColor);
    painter->setPen(view->gridLineColor());
    painter->setBrush(Qt::NoBrush);
    painter->drawRects(&area, 1);

    QString name = file->name();
    drawCellText(painter, view, name, Qt::AlignLeft | Qt::AlignVCenter, nameRect(r), Qt::black);
    QString price = SketchMaterialListView::priceText(file);
    drawCellText(painter, view, price, Qt::AlignRight | Qt::AlignVCenter, priceRect(r), Qt::red);
}
