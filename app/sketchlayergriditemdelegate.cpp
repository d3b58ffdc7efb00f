#include "app/sketchlayergriditemdelegate.h"

#include "app/sketchlayerthumbnails.h"
#include "model/sketchlayer.h"
#include "skin/controls/skingridcolumn.h"
#include "skin/controls/skingridrow.h"
#include "skin/controls/skingridview.h"
#include "skin/windows/skintheme.h"

#include <QPainter>
#include <QPixmap>

SketchLayerGridItemDelegate::SketchLayerGridItemDelegate(SketchLayerThumbnails *thumbnails)
    : m_thumbnails(thumbnails)
{
}

SketchLayerGridItemDelegate::~SketchLayerGridItemDelegate() = default;

SketchLayer *SketchLayerGridItemDelegate::layerAt(const SkinGridView *view, int row)
{
    if (row < 0 || row >= view->rowCount())
        return nullptr;
    return qobject_cast<SketchLayer *>(view->rows().at(row)->data());
}

void SketchLayerGridItemDelegate::paintThumbnail(QPainter *painter, const QRectF &box, const SketchLayer *layer,
                                                 const QColor &outline)
{
    painter->fillRect(box, Qt::white);
    painter->setPen(outline);
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(box);
    if (!layer || layer->shapes().isEmpty() || !m_thumbnails)
        return;
    m_thumbnails->paint(painter, box, layer);
}

void SketchLayerGridItemDelegate::paintCell(QPainter *painter, SkinGridView *view, int column, int row)
{
    if (view->isHidden())
        return;
    const QRect cell = view->cellRect(column, row);
    const QRectF rect(cell);
    const SketchLayer *layer = layerAt(view, row);
    if (row >= 0 && (column == 0 || column == 1)) {
        if (layer && (column == 0 ? layer->isVisible() : layer->isLocked())) {
            const QString path = column == 0 ? QStringLiteral(":/widgets/images/Eye.png")
                                             : QStringLiteral(":/widgets/images/SmallLocked.png");
            drawPixmapCentered(painter, rect, QPixmap::fromImage(skinTintedImage(path)));
        }
    } else if (row >= 0 && column == 2) {
        paintThumbnail(painter, rect.adjusted(2, 2, -2, -2), layer, view->gridLineColor());
    } else {
        SkinGridItemDelegate::paintCell(painter, view, column, row);
    }
    if (row == 0 && view->columnCount() > 0) {
        painter->setPen(skinLightLineColor.lighter(110));
        painter->drawLine(QPointF(rect.left(), 1), QPointF(rect.left() + rect.width(), 1));
    }
}

void SketchLayerGridItemDelegate::paint(QPainter *painter, SkinGridView *view)
{
    SkinGridItemDelegate::paint(painter, view);
    if (view->rowCount() == 0 || view->columnCount() == 0)
        return;
    const QList<SkinGridColumn *> &columns = view->columns();
    const QList<SkinGridRow *> &rows = view->rows();
    const int right = columns.last()->right();
    const int bottom = rows.last()->bottom();
    painter->setPen(view->gridLineColor());
    const int lastRow = qMin(view->lastVisibleRow(), view->rowCount() - 1);
    for (int row = qMax(view->firstVisibleRow(), 0); row <= lastRow; ++row)
        painter->drawLine(0, rows.at(row)->bottom(), right, rows.at(row)->bottom());
    const int lastColumn = qMin(view->lastVisibleColumn(), view->columnCount() - 1);
    for (int column = qMax(view->firstVisibleColumn(), 0); column < lastColumn; ++column)
        painter->drawLine(columns.at(column)->right(), 0, columns.at(column)->right(), bottom);
}
