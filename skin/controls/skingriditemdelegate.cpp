#include "skin/controls/skingriditemdelegate.h"

#include "model/skinbrush.h"
#include "skin/controls/skingridcell.h"
#include "skin/controls/skingridcolumn.h"
#include "skin/controls/skingridrow.h"
#include "skin/controls/skingridselection.h"
#include "skin/controls/skingridview.h"
#include "skin/windows/skintheme.h"

#include <QDrag>
#include <QFontMetrics>
#include <QMimeData>
#include <QPainter>
#include <QPolygonF>
#include <QRegion>
#include <QTextOption>

namespace {

bool isInside(const SkinGridView *view, int column, int row)
{
    return column >= 0 && column < view->columnCount() && row >= 0 && row < view->rowCount();
}

// Top to bottom.
void fillGradient(QPainter *painter, const QRectF &rect, const QColor &top, const QColor &bottom)
{
    SkinBrush(top, bottom, false).fillRect(painter, rect);
}

// The pixels a one-pixel pen outlines the rect with (its right and bottom
// lines fall on x + width and y + height), filled as four strips: the
// painter's line stroker takes tens of microseconds per cell.
void drawOutline(QPainter *painter, const QRect &rect, const QColor &color)
{
    const int x = rect.x();
    const int y = rect.y();
    const int w = rect.width();
    const int h = rect.height();
    if (w < 0 || h < 0)
        return;
    painter->fillRect(QRect(x, y, w + 1, 1), color);
    if (h == 0)
        return;
    painter->fillRect(QRect(x, y + h, w + 1, 1), color);
    if (h > 1) {
        painter->fillRect(QRect(x, y + 1, 1, h - 1), color);
        painter->fillRect(QRect(x + w, y + 1, 1, h - 1), color);
    }
}

void fillPolygon(QPainter *painter, const QPolygonF &polygon, const QColor &color)
{
    painter->setPen(Qt::NoPen);
    painter->setBrush(color);
    painter->drawPolygon(polygon);
}

// The mark of a selected item: a right-angled triangle in the top-right
// corner, larger in roomy cells.
void paintSelectionMark(QPainter *painter, const QRect &cellRect)
{
    if (cellRect.isEmpty())
        return;
    const qreal x = cellRect.x();
    const qreal y = cellRect.y();
    const qreal w = cellRect.width();
    const qreal s = qMin(cellRect.width(), cellRect.height()) > 30 ? 15 : 7;
    fillPolygon(painter, QPolygonF({QPointF(x + w, y + 1), QPointF(x + w, y + 1 + s), QPointF(x + w - s, y + 1)}),
                skinHighlightColor);
}

} // namespace

SkinGridItemDelegate::~SkinGridItemDelegate() = default;

// --- The whole view -------------------------------------------------------------

void SkinGridItemDelegate::paint(QPainter *painter, SkinGridView *view)
{
    const int w = view->width();
    const int h = view->height();
    painter->fillRect(QRect(QPoint(0, 0), QPoint(w - 1, h - 1)), view->backgroundColor());
    paintCells(painter, view);

    const int firstColumn = view->firstVisibleColumn();
    const int firstRow = view->firstVisibleRow();
    if (view->isColumnHeaderVisible() && view->columnHeaderHeight() > 0 && view->columnCount() > 0
        && firstColumn >= 0) {
        for (int column = firstColumn; column <= view->lastVisibleColumn(); ++column)
            paintCell(painter, view, column, -1);
    }
    if (view->isRowHeaderVisible()) {
        if (view->rowHeaderWidth() > 0 && view->rowCount() > 0 && firstRow >= 0) {
            for (int row = firstRow; row <= view->lastVisibleRow(); ++row)
                paintCell(painter, view, -1, row);
        }
        if (view->isColumnHeaderVisible() && view->columnCount() > 0)
            paintCell(painter, view, -1, -1);
    }
    if (view->selectionStyle() != SkinGridSelectionFilled)
        paintSelection(painter, view);

    const QRect corner = view->scrollBarCornerRect();
    if (!corner.isEmpty())
        painter->fillRect(corner, skinPanelColor);
    if (view->isBorderVisible())
        drawOutline(painter, QRect(QPoint(0, 0), QPoint(w - 2, h - 2)), skinBorderColor);
    if (view->isDragging())
        paintDropIndicator(painter, view);
}

void SkinGridItemDelegate::paintCells(QPainter *painter, SkinGridView *view)
{
    const int firstRow = view->firstVisibleRow();
    if (firstRow < 0)
        return;
    const int lastRow = view->lastVisibleRow();
    for (int row = firstRow; row <= lastRow; ++row)
        paintRowBackground(painter, view, row);
    const int firstColumn = view->firstVisibleColumn();
    if (firstColumn < 0)
        return;
    const int lastColumn = view->lastVisibleColumn();
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column)
            paintCell(painter, view, column, row);
    }
}

// --- Cells and headers ----------------------------------------------------------

void SkinGridItemDelegate::paintCell(QPainter *painter, SkinGridView *view, int column, int row)
{
    const QRect cell = cellRect(view, column, row);
    if (cell.width() <= 0 || cell.height() <= 0)
        return;
    const QRectF rect(cell);
    const SkinGridSelection *selection = view->selection();
    const qreal x = rect.x();
    const qreal y = rect.y();
    const qreal w = rect.width();
    const qreal h = rect.height();

    if (column == -1 && row == -1) {
        fillGradient(painter, rect, skinButtonTopColor, skinButtonBottomColor);
        drawOutline(painter, cell, skinButtonBorderColor);
        // The select-all mark.
        fillPolygon(painter,
                    QPolygonF({QPointF(x + w - 4, y + h - 4), QPointF(x + w - 4, y + h - 12),
                               QPointF(x + w - 12, y + h - 4)}),
                    Qt::gray);
        return;
    }
    if (row == -1) {
        const SkinGridColumn *gridColumn = view->columns().at(column);
        if (view->isColumnHeaderHighlight() && selection->containsColumn(column) && view->selectionMode() == SkinGridSelectCells)
            fillGradient(painter, rect, skinSelectionLightColor, skinSelectionColor);
        else
            fillGradient(painter, rect, skinButtonTopColor, skinButtonBottomColor);
        drawOutline(painter, cell, skinButtonBorderColor);
        QString text = gridColumn->headerText();
        drawCellText(painter, view, text, gridColumn->headerAlignment(), rect, skinMenuTextColor);
        return;
    }
    if (column == -1) {
        const SkinGridRow *gridRow = view->rows().at(row);
        if (view->isRowHeaderHighlight() && selection->containsRow(row))
            fillGradient(painter, rect, skinSelectionLightColor, skinSelectionColor);
        else
            painter->fillRect(rect, skinButtonTopColor);
        drawOutline(painter, cell, skinButtonBorderColor);
        QString text = gridRow->text();
        drawCellText(painter, view, text, gridRow->alignment(), rect, skinMenuTextColor);
        return;
    }

    const bool selected = selection->contains(column, row);
    const QRectF inside(x + 1, y + 1, w - 1, h - 1);
    if (selected && view->selectionStyle() == SkinGridSelectionFilled) {
        painter->fillRect(inside, view->selectedCellColor());
    } else if (!selected) {
        const QColor background = view->cellBackgroundColor(column, row);
        if (background.alpha() > 0)
            painter->fillRect(inside, background);
    }
    paintCellText(painter, view, column, row);
    if (view->isGridLinesVisible() || selected)
        drawOutline(painter, cell, view->gridLineColor());
}

void SkinGridItemDelegate::paintCellText(QPainter *painter, SkinGridView *view, int column, int row)
{
    const SkinGridCell *cell = view->cell(column, row);
    if (!cell)
        return;
    QString text = cell->text();
    drawCellText(painter, view, text, cell->alignment(), cellRect(view, column, row), cell->textColor());
}

void SkinGridItemDelegate::paintRowBackground(QPainter *painter, SkinGridView *view, int row)
{
    if (row < 0 || row >= view->rowCount() || view->columnCount() == 0 || view->firstVisibleColumn() < 0)
        return;
    const SkinGridRow *gridRow = view->rows().at(row);
    if (gridRow->height() == 0)
        return;
    const QRect strip(QPoint(view->columns().at(view->firstVisibleColumn())->left(), gridRow->top()),
                      QPoint(view->columns().at(view->lastVisibleColumn())->right() - 1, gridRow->bottom() - 1));
    if (view->selection()->containsRow(row) && view->selectionColor().alpha() > 0)
        painter->fillRect(strip, view->selectionColor());
    else if (gridRow->backgroundColor().alpha() > 0)
        painter->fillRect(strip, gridRow->backgroundColor());
}

void SkinGridItemDelegate::paintColumnBackground(QPainter *, SkinGridView *, int)
{
}

// --- Overlays -------------------------------------------------------------------

void SkinGridItemDelegate::paintSelection(QPainter *painter, SkinGridView *view)
{
    const SkinGridSelection *selection = view->selection();
    if (selection->isEmpty())
        return;
    const int firstColumn = qMax(view->firstVisibleColumn(), 0);
    const int lastColumn = view->lastVisibleColumn();
    const int firstRow = qMax(view->firstVisibleRow(), 0);
    const int lastRow = view->lastVisibleRow();

    if (view->selectionStyle() == SkinGridSelectionRange) {
        // An opaque selection colour shows as the rows' strips instead.
        if (view->selectionColor().alpha() != 0)
            return;
        const QRect range = cellRect(view, selection->left(), selection->top())
                                .united(cellRect(view, selection->right(), selection->bottom()));
        if (range.isEmpty())
            return;
        const QPoint cellsOrigin(view->columns().at(firstColumn)->left(), view->rows().at(firstRow)->top());
        painter->save();
        painter->setClipRect(QRect(cellsOrigin, QSize(view->width() - cellsOrigin.x(), view->height() - cellsOrigin.y())));
        const QRegion tinted = QRegion(range).subtracted(
            QRegion(cellRect(view, selection->anchorColumn(), selection->anchorRow())));
        for (const QRect &part : tinted)
            painter->fillRect(part, QColor(198, 214, 239, 150));
        painter->setPen(QPen(Qt::black, 3));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(range);
        painter->restore();
        return;
    }
    if (view->selectionStyle() != SkinGridSelectionMarked)
        return;
    switch (view->selectionMode()) {
    case SkinGridSelectRows:
        for (int row = firstRow; row <= lastRow; ++row) {
            if (selection->containsRow(row))
                paintSelectionMark(painter, cellRect(view, view->columnCount() - 1, row));
        }
        break;
    case SkinGridSelectColumns:
        for (int column = firstColumn; column <= lastColumn; ++column) {
            if (selection->containsColumn(column))
                paintSelectionMark(painter, cellRect(view, column, 0));
        }
        break;
    default:
        for (int row = firstRow; row <= lastRow; ++row) {
            for (int column = firstColumn; column <= lastColumn; ++column) {
                if (selection->contains(column, row))
                    paintSelectionMark(painter, cellRect(view, column, row));
            }
        }
        break;
    }
}

void SkinGridItemDelegate::paintDropIndicator(QPainter *painter, SkinGridView *view)
{
    const int column = view->dropColumn();
    const int row = view->dropRow();
    if (!isInside(view, column, row) || !view->isCellDropEnabled(column, row))
        return;
    QRect target;
    switch (view->selectionMode()) {
    case SkinGridSelectRows:
        target = view->rowRect(row);
        break;
    case SkinGridSelectColumns:
        target = view->columnRect(column);
        break;
    default:
        target = cellRect(view, column, row);
        break;
    }
    if (target.isEmpty())
        return;
    painter->save();
    drawOutline(painter, target.adjusted(1, 1, -1, -1), skinHighlightColor);
    painter->restore();
}

// --- Dragging -------------------------------------------------------------------

QString SkinGridItemDelegate::cellText(SkinGridView *view, int column, int row)
{
    return view->cellText(column, row);
}

QPixmap SkinGridItemDelegate::dragPixmap(SkinGridView *view, int column, int row)
{
    QPixmap canvas(view->size());
    if (canvas.isNull())
        return canvas;
    canvas.fill(Qt::transparent);
    {
        QPainter painter(&canvas);
        paintCellText(&painter, view, column, row);
    }
    return canvas.copy(cellRect(view, column, row));
}

void SkinGridItemDelegate::startDrag(SkinGridView *view, int column, int row, bool emitSignals)
{
    if (!isInside(view, column, row))
        return;
    view->setDragging(true);
    view->setDragColumn(column);
    view->setDragRow(row);
    view->setDropColumn(column);
    view->setDropRow(row);
    if (emitSignals)
        emit view->cellDraging();

    auto *drag = new QDrag(view); // deleted by Qt once the drag is over
    auto *data = new QMimeData;
    data->setText(cellText(view, column, row));
    drag->setMimeData(data);
    const QPixmap pixmap = dragPixmap(view, column, row);
    if (!pixmap.isNull()) {
        drag->setPixmap(pixmap);
        drag->setHotSpot(QPoint(pixmap.width() / 2, pixmap.height() / 2));
    }
    drag->exec(Qt::CopyAction | Qt::MoveAction);
    if (emitSignals)
        emit view->cellDraged();
}

void SkinGridItemDelegate::moveCell(SkinGridView *view, int column, int row)
{
    const int columns = view->columnCount();
    const int from = view->dragRow() * columns + view->dragColumn();
    const int to = row * columns + column;
    if (from == to)
        return;
    SkinGridCell saved(view, -1, -1);
    view->cellAtIndex(from)->copyTo(&saved);
    const int step = from < to ? 1 : -1;
    for (int index = from; index != to; index += step)
        view->cellAtIndex(index + step)->copyTo(view->cellAtIndex(index));
    saved.copyTo(view->cellAtIndex(to));
    view->selection()->selectCell(to, false);
}

void SkinGridItemDelegate::moveRow(SkinGridView *view, int row)
{
    const int from = view->dragRow();
    if (from == row)
        return;
    const QList<SkinGridRow *> &rows = view->rows();
    SkinGridRow saved(view);
    rows.at(from)->copyTo(&saved);
    const int step = from < row ? 1 : -1;
    for (int index = from; index != row; index += step)
        rows.at(index + step)->copyTo(rows.at(index));
    saved.copyTo(rows.at(row));
    view->selection()->selectRow(row, false);
}

void SkinGridItemDelegate::dropCell(SkinGridView *view, int column, int row, bool emitSignals)
{
    const int dragColumn = view->dragColumn();
    const int dragRow = view->dragRow();
    // The lists may have changed since the drag began: both ends must still
    // lie inside the grid.
    const bool allowed = isInside(view, column, row) && isInside(view, dragColumn, dragRow)
        && view->isCellDragEnabled(dragColumn, dragRow) && view->isCellDropEnabled(column, row);
    if (allowed) {
        if (view->selectionMode() == SkinGridSelectCells)
            moveCell(view, column, row);
        else if (view->selectionMode() == SkinGridSelectRows)
            moveRow(view, row);
        if (emitSignals)
            emit view->cellDroped();
    }
    view->setDragging(false);
    view->setDropColumn(-1);
    view->setDropRow(-1);
    view->update();
}

QRect SkinGridItemDelegate::cellRect(SkinGridView *view, int column, int row)
{
    return view->cellRect(column, row);
}

// --- Helpers --------------------------------------------------------------------

void SkinGridItemDelegate::drawCellText(QPainter *painter, SkinGridView *view, QString &text, int alignment,
                                        QRectF rect, const QColor &color)
{
    rect.setLeft(rect.left() + 4);
    const LaidOutText &laidOut = laidOutText(view, text, alignment, rect);
    text = laidOut.elided;
    if (text.isEmpty())
        return;
    painter->setPen(color);
    // Setting even the same font makes the painter rebuild its text state.
    if (painter->font() != view->font())
        painter->setFont(view->font());
    // Placed as a one-line layout of the rect would place it.
    const QSizeF size = laidOut.layout.size();
    qreal x = rect.left();
    if (alignment & Qt::AlignRight)
        x = rect.right() - laidOut.advance;
    else if (alignment & Qt::AlignHCenter)
        x = rect.left() + (rect.width() - laidOut.advance) / 2;
    qreal y = rect.top();
    if (alignment & Qt::AlignBottom)
        y = rect.bottom() - size.height();
    else if (alignment & Qt::AlignVCenter)
        y = rect.top() + (rect.height() - size.height()) / 2;
    painter->drawStaticText(QPointF(x, y), laidOut.layout);
}

const SkinGridItemDelegate::LaidOutText &SkinGridItemDelegate::laidOutText(SkinGridView *view, const QString &text,
                                                                            int alignment, QRectF rect)
{
    const QFont &font = view->font();
    const QString key = font.key() + QLatin1Char('\n') + QString::number(int(rect.width())) + QLatin1Char('\n')
                        + QString::number(int(rect.height() > 0)) + QLatin1Char('\n') + text;
    auto found = m_laidOutTexts.constFind(key);
    if (found != m_laidOutTexts.constEnd())
        return *found;
    // Bounded: a long list scrolled through does not keep every text.
    if (m_laidOutTexts.size() >= 4096)
        m_laidOutTexts.clear();
    LaidOutText laidOut;
    laidOut.elided = elideCellText(view, text, alignment, rect);
    laidOut.layout.setText(laidOut.elided);
    laidOut.layout.setTextFormat(Qt::PlainText);
    laidOut.layout.setPerformanceHint(QStaticText::AggressiveCaching);
    laidOut.layout.prepare(QTransform(), font);
    laidOut.advance = QFontMetricsF(font).horizontalAdvance(laidOut.elided);
    return *m_laidOutTexts.insert(key, laidOut);
}

QString SkinGridItemDelegate::elideCellText(SkinGridView *view, const QString &text, int, QRectF rect)
{
    if (text.length() < 4)
        return text;
    if (rect.width() <= 0 || rect.height() <= 0)
        return QString();
    return QFontMetrics(view->font()).elidedText(text, Qt::ElideRight, int(rect.width()));
}

void SkinGridItemDelegate::drawPixmapCentered(QPainter *painter, QRectF rect, const QPixmap &pixmap)
{
    if (pixmap.isNull())
        return;
    painter->drawPixmap(QPointF(rect.x() + (rect.width() - pixmap.width()) * 0.5,
                                rect.y() + (rect.height() - pixmap.height()) * 0.5),
                        pixmap);
}
