// The grid's geometry: cell rectangles, hit tests, the layout of columns,
// rows and scroll bars, scrolling, the keyboard moves of the selection and
// the in-place editor.
#include "skin/controls/skingridview.h"

#include "skin/controls/skingridcell.h"
#include "skin/controls/skingridcolumn.h"
#include "skin/controls/skingridrow.h"
#include "skin/controls/skingridselection.h"

#include <QLineEdit>
#include <QScrollBar>

namespace {

// The bar's thickness as its style (and style sheet) asks for, within any
// fixed size its owner gave it.
int barThickness(const QScrollBar *bar)
{
    if (bar->orientation() == Qt::Horizontal)
        return qBound(bar->minimumHeight(), bar->sizeHint().height(), bar->maximumHeight());
    return qBound(bar->minimumWidth(), bar->sizeHint().width(), bar->maximumWidth());
}

// Columns and rows lie along their own axis alike: each begins where the
// one before ends, and the first visible one sits at the start of the cell
// area. The accessors read an item's start or end on screen and its size
// (0 while it is hidden).

template <typename Item, typename Start, typename Extent>
int itemAt(const QList<Item *> &items, int firstVisible, int pos, Start start, Extent extent)
{
    if (items.isEmpty())
        return -2;
    const int first = qMax(firstVisible, 0);
    for (int i = first; i < items.size(); ++i) {
        const int itemStart = start(items.at(i));
        if (itemStart > pos)
            break;
        if (pos <= itemStart + extent(items.at(i)))
            return i;
    }
    return pos >= 0 && pos < start(items.at(first)) ? -1 : -2;
}

// The first item from the first visible one whose end passes the last
// pixel (partly shown counts), else the last item.
template <typename Item, typename End>
int lastShown(const QList<Item *> &items, int firstVisible, int lastPixel, End end)
{
    for (int i = qMax(firstVisible, 0); i < items.size(); ++i) {
        if (end(items.at(i)) > lastPixel)
            return i;
    }
    return items.size() - 1;
}

// Sets each item's content position from the origin on.
template <typename Item, typename Place>
void placeAlong(const QList<Item *> &items, int origin, Place place)
{
    for (Item *item : items)
        origin += place(item, origin);
}

int clampedFirst(int first, int count)
{
    return count == 0 ? -1 : qBound(0, first, count - 1);
}

// What a first-visible setter makes of a request.
int requestedFirst(int requested, int count, const QScrollBar *bar)
{
    if (bar->isHidden())
        return 0;
    return requested < 0 ? 0 : qMin(requested, count - 1);
}

} // namespace

// --- Geometry -----------------------------------------------------------------

int SkinGridView::horizontalOffset() const
{
    if (!isValidColumn(m_firstVisibleColumn))
        return 0;
    return m_columns.at(m_firstVisibleColumn)->x() - m_columns.first()->x();
}

int SkinGridView::verticalOffset() const
{
    if (!isValidRow(m_firstVisibleRow))
        return 0;
    return m_rows.at(m_firstVisibleRow)->y() - m_rows.first()->y();
}

QRect SkinGridView::cellRect(int column, int row) const
{
    if (column == -1 && row == -1) {
        if (m_columns.isEmpty())
            return QRect();
        return QRect(0, 0, m_rowHeaderWidth, m_columnHeaderHeight);
    }
    if (column == -1 && isValidRow(row)) {
        const SkinGridRow *r = m_rows.at(row);
        return QRect(0, r->top(), m_rowHeaderWidth, r->height());
    }
    if (isValidColumn(column) && row == -1) {
        const SkinGridColumn *c = m_columns.at(column);
        return QRect(c->left(), 0, c->width(), m_columnHeaderHeight);
    }
    if (isValidColumn(column) && isValidRow(row)) {
        const SkinGridColumn *c = m_columns.at(column);
        const SkinGridRow *r = m_rows.at(row);
        return QRect(c->left(), r->top(), c->width(), r->height());
    }
    return QRect();
}

QRect SkinGridView::spanRect(int left, int top, int right, int bottom) const
{
    if (!isValidColumn(left) || !isValidColumn(right) || !isValidRow(top) || !isValidRow(bottom))
        return QRect();
    return QRect(cellRect(left, top).topLeft(),
                 QPoint(m_columns.at(right)->right() - 1, m_rows.at(bottom)->bottom() - 1));
}

QRect SkinGridView::rowRect(int row) const
{
    if (row == -1) {
        if (!m_columnHeaderVisible || m_columns.isEmpty())
            return QRect();
        return QRect(QPoint(0, 0), QPoint(m_columns.last()->right() - 1, m_columnHeaderHeight - 1));
    }
    return spanRect(0, row, m_columns.size() - 1, row);
}

QRect SkinGridView::columnRect(int column) const
{
    if (column == -1) {
        if (!m_rowHeaderVisible || m_rows.isEmpty())
            return QRect();
        return QRect(QPoint(0, 0), QPoint(m_rowHeaderWidth - 1, m_rows.last()->bottom() - 1));
    }
    return spanRect(column, 0, column, m_rows.size() - 1);
}

QRect SkinGridView::scrollBarCornerRect() const
{
    if (m_horizontalScrollBar->isHidden() || m_verticalScrollBar->isHidden())
        return QRect();
    return QRect(m_horizontalScrollBar->width(), m_verticalScrollBar->height(), m_verticalScrollBar->width(),
                 m_horizontalScrollBar->height());
}

int SkinGridView::columnAt(int x) const
{
    return itemAt(m_columns, m_firstVisibleColumn, x, [](const SkinGridColumn *c) { return c->left(); },
                  [](const SkinGridColumn *c) { return c->width(); });
}

int SkinGridView::rowAt(int y) const
{
    return itemAt(m_rows, m_firstVisibleRow, y, [](const SkinGridRow *r) { return r->top(); },
                  [](const SkinGridRow *r) { return r->height(); });
}

void SkinGridView::updateCell(int column, int row)
{
    update(cellRect(column, row).adjusted(-2, -2, 2, 2));
}

// --- Layout -------------------------------------------------------------------

void SkinGridView::shareColumnWidths()
{
    if (m_columnResizeMode != SkinGridColumnsShareRoom || m_columns.isEmpty())
        return;
    int available = width();
    if (!m_verticalScrollBar->isHidden())
        available -= barThickness(m_verticalScrollBar);
    if (m_rowHeaderVisible)
        available -= m_rowHeaderWidth;
    const int count = m_columns.size();
    if (count == 1) {
        m_columns.first()->setWidth(available);
        return;
    }
    const int share = available / count;
    for (int i = 0; i < count - 1; ++i)
        m_columns.at(i)->setWidth(share);
    m_columns.last()->setWidth(available - (count - 1) * share);
}

void SkinGridView::layoutColumns()
{
    m_firstVisibleColumn = clampedFirst(m_firstVisibleColumn, m_columns.size());
    placeAlong(m_columns, m_rowHeaderVisible ? m_rowHeaderWidth : 0, [](SkinGridColumn *c, int x) {
        c->setX(x);
        return c->width();
    });
}

void SkinGridView::layoutRows()
{
    m_firstVisibleRow = clampedFirst(m_firstVisibleRow, m_rows.size());
    placeAlong(m_rows, m_columnHeaderVisible ? m_columnHeaderHeight : 0, [](SkinGridRow *r, int y) {
        r->setY(y);
        return r->height();
    });
}

void SkinGridView::moveBarQuietly(QScrollBar *bar, bool *following, int value)
{
    *following = false;
    bar->setValue(value);
    *following = true;
}

// Shows, ranges and places both bars; true when the vertical one changed
// between shown and hidden.
bool SkinGridView::placeScrollBars()
{
    const bool verticalWasShown = !m_verticalScrollBar->isHidden();
    const int w = width();
    const int h = height();
    const bool showHorizontal = m_horizontalScrollBarEnabled && !m_columns.isEmpty()
        && m_columns.last()->x() + m_columns.last()->width() > w;
    const bool showVertical = m_verticalScrollBarEnabled && !m_rows.isEmpty()
        && m_rows.last()->y() + m_rows.last()->height() > h;

    // The range is set without the bars scrolling the grid: the scroll
    // position is re-applied once the layout is done. A hidden bar goes back
    // to 0, where the grid stands while it is hidden.
    m_followHorizontalBar = false;
    m_horizontalScrollBar->setRange(0, showHorizontal ? m_columns.size() - 1 : 0);
    m_followHorizontalBar = true;
    m_followVerticalBar = false;
    m_verticalScrollBar->setRange(0, showVertical ? m_rows.size() - 1 : 0);
    m_followVerticalBar = true;

    const int hbH = barThickness(m_horizontalScrollBar);
    const int vbW = barThickness(m_verticalScrollBar);
    if (showHorizontal && showVertical) {
        m_horizontalScrollBar->setGeometry(QRect(QPoint(0, h - hbH), QPoint(w - vbW, h - 1)));
        m_verticalScrollBar->setGeometry(QRect(QPoint(w - vbW, 0), QPoint(w - 1, h - hbH)));
    } else if (showHorizontal) {
        m_horizontalScrollBar->setGeometry(QRect(QPoint(0, h - hbH), QPoint(w - 1, h - 1)));
    } else if (showVertical) {
        m_verticalScrollBar->setGeometry(QRect(QPoint(w - vbW, 0), QPoint(w - 1, h - 1)));
    }
    m_horizontalScrollBar->setVisible(showHorizontal);
    m_verticalScrollBar->setVisible(showVertical);
    m_verticalScrollBar->raise();
    return showVertical != verticalWasShown;
}

void SkinGridView::updateLayout(bool repaint)
{
    // Showing or hiding the vertical bar changes the room the columns share
    // and so, possibly, whether the horizontal bar is needed: one more pass.
    for (int pass = 0; pass < 2; ++pass) {
        shareColumnWidths();
        layoutColumns();
        layoutRows();
        if (!placeScrollBars())
            break;
    }
    setFirstVisibleColumn(m_firstVisibleColumn, false, repaint);
    setFirstVisibleRow(m_firstVisibleRow, false, repaint);
    if (repaint)
        update();
}

// --- Scrolling ----------------------------------------------------------------

void SkinGridView::setFirstVisibleColumn(int column, bool syncScrollBar, bool repaint)
{
    const int value = requestedFirst(column, m_columns.size(), m_horizontalScrollBar);
    if (value != m_firstVisibleColumn) {
        m_firstVisibleColumn = value;
        layoutColumns();
    }
    m_lastVisibleColumn = lastShown(m_columns, m_firstVisibleColumn, width() - 1,
                                    [](const SkinGridColumn *c) { return c->right(); });
    if (syncScrollBar && !m_horizontalScrollBar->isHidden())
        moveBarQuietly(m_horizontalScrollBar, &m_followHorizontalBar, m_firstVisibleColumn);
    if (repaint)
        update();
}

void SkinGridView::setFirstVisibleRow(int row, bool syncScrollBar, bool repaint)
{
    const int value = requestedFirst(row, m_rows.size(), m_verticalScrollBar);
    if (value != m_firstVisibleRow) {
        m_firstVisibleRow = value;
        layoutRows();
    }
    m_lastVisibleRow = lastShown(m_rows, m_firstVisibleRow, height() - 1,
                                 [](const SkinGridRow *r) { return r->bottom(); });
    if (syncScrollBar && !m_verticalScrollBar->isHidden())
        moveBarQuietly(m_verticalScrollBar, &m_followVerticalBar, m_firstVisibleRow);
    if (repaint)
        update();
}

void SkinGridView::scrollToColumn(int column)
{
    setFirstVisibleColumn(column, true, true);
}

void SkinGridView::scrollToRow(int row)
{
    setFirstVisibleRow(row, true, true);
}

void SkinGridView::hScrollBarValueChanged(int value)
{
    if (!m_followHorizontalBar)
        return;
    setFirstVisibleColumn(value, false, true);
    closeCellEditor(false);
}

void SkinGridView::vScrollBarValueChanged(int value)
{
    if (!m_followVerticalBar)
        return;
    setFirstVisibleRow(value, false, true);
    closeCellEditor(false);
}

void SkinGridView::ensureSelectionVisible()
{
    if (m_selection->isEmpty())
        return;
    const int column = m_selection->anchorColumn();
    if (column < m_firstVisibleColumn)
        scrollToColumn(column);
    else if (column > lastVisibleColumn())
        setFirstVisibleColumn(column + m_firstVisibleColumn - lastVisibleColumn(), true, true);
    const int row = m_selection->anchorRow();
    if (row < m_firstVisibleRow)
        scrollToRow(row);
    else if (row > lastVisibleRow())
        setFirstVisibleRow(row + m_firstVisibleRow - lastVisibleRow(), true, true);
}

// --- Keyboard moves -----------------------------------------------------------

void SkinGridView::selectByMode(int column, int row, bool extend)
{
    switch (m_selectionMode) {
    case SkinGridSelectRows:
        m_selection->selectRow(row, extend);
        break;
    case SkinGridSelectColumns:
        m_selection->selectColumn(column, extend);
        break;
    default:
        m_selection->select(column, row, extend);
        break;
    }
}

void SkinGridView::moveLeft()
{
    if (m_selection->isEmpty())
        return;
    int column = m_selection->anchorColumn();
    int row = m_selection->anchorRow();
    if (column == 0 && row == 0)
        return;
    if (column == 0) {
        column = columnCount() - 1;
        --row;
    } else {
        --column;
    }
    selectByMode(column, row, false);
    if (column < m_firstVisibleColumn)
        scrollToColumn(column);
    else
        update();
}

void SkinGridView::moveRight()
{
    if (m_selection->isEmpty())
        return;
    int column = m_selection->anchorColumn();
    int row = m_selection->anchorRow();
    const int lastColumn = columnCount() - 1;
    if (column == lastColumn && row == rowCount() - 1)
        return;
    if (column == lastColumn) {
        column = 0;
        ++row;
    } else {
        ++column;
    }
    selectByMode(column, row, false);
    if (column > lastVisibleColumn())
        setFirstVisibleColumn(m_firstVisibleColumn + 1, true, true);
    else
        update();
}

void SkinGridView::moveUp()
{
    if (m_selection->isEmpty() || m_selection->anchorRow() == 0)
        return;
    const int row = m_selection->anchorRow() - 1;
    selectByMode(m_selection->anchorColumn(), row, false);
    if (row < m_firstVisibleRow)
        scrollToRow(row);
    else
        update();
}

void SkinGridView::moveDown()
{
    if (m_selection->isEmpty() || m_selection->anchorRow() == rowCount() - 1)
        return;
    const int row = m_selection->anchorRow() + 1;
    selectByMode(m_selection->anchorColumn(), row, false);
    if (row > lastVisibleRow())
        setFirstVisibleRow(m_firstVisibleRow + 1, true, true);
    else
        update();
}

// --- In-place editor ----------------------------------------------------------

QLineEdit *SkinGridView::cellEditor() const
{
    return m_cellEditor;
}

void SkinGridView::editCell(int column, int row)
{
    if (!isValidColumn(column) || !isValidRow(row))
        return;
    const SkinGridCell *c = cell(column, row);
    QLineEdit *editor = cellEditor();
    const QRect rect = cellRect(column, row);
    if ((c && c->isReadOnly()) || !editor || rect.isEmpty())
        return;
    editor->setToolTip(QString("%1,%2").arg(column).arg(row));
    if (m_selectionColor.alpha() != 0)
        editor->setGeometry(rect.adjusted(1, 1, 0, 0));
    else
        editor->setGeometry(rect.adjusted(0, 0, 1, 1));
    editor->setText(cellText(column, row));
    editor->show();
    editor->setFocus();
}

void SkinGridView::closeCellEditor(bool accept)
{
    QLineEdit *editor = cellEditor();
    if (!editor || editor->isHidden())
        return;
    editor->hide();
    setFocus();
    if (!accept)
        return;
    // The tool tip names the cell the editor was opened on.
    const QStringList parts = editor->toolTip().split(QLatin1Char(','));
    if (parts.size() != 2)
        return;
    bool columnOk = false;
    bool rowOk = false;
    const int column = parts.at(0).toInt(&columnOk, 10);
    const int row = parts.at(1).toInt(&rowOk, 10);
    // Rows or columns removed while the editor was open may have taken the
    // cell with them.
    if (!columnOk || !rowOk || !isValidColumn(column) || !isValidRow(row))
        return;
    const QString text = editor->text();
    if (cellText(column, row) == text)
        return;
    setCellText(column, row, text);
    updateCell(column, row);
    emit cellTextChanged(cell(column, row));
}

void SkinGridView::acceptCellEditorText()
{
    closeCellEditor(true);
}
