#include "skin/controls/skingridselection.h"

#include "skin/controls/skingridcolumn.h"
#include "skin/controls/skingridrow.h"
#include "skin/controls/skingridview.h"

#include <QtGlobal>

#include <cstdlib>

SkinGridSelection::SkinGridSelection(SkinGridView *grid)
    : m_grid(grid)
{
}

void SkinGridSelection::changed()
{
    emit m_grid->selectionChanged();
}

void SkinGridSelection::clear()
{
    m_anchorColumn = m_anchorRow = m_currentColumn = m_currentRow = -1;
    changed();
}

void SkinGridSelection::selectCell(int index, bool extend)
{
    if (index < 0 || index >= m_grid->cellCount()) {
        clear();
        return;
    }
    const int columns = m_grid->columnCount();
    select(index % columns, index / columns, extend);
}

void SkinGridSelection::select(int column, int row, bool extend)
{
    setCurrentColumn(column);
    setCurrentRow(row);
    if (!extend) {
        setAnchorColumn(column);
        setAnchorRow(row);
    }
    changed();
}

void SkinGridSelection::selectColumn(int column, bool extend)
{
    setCurrentColumn(column);
    if (!extend)
        setAnchorColumn(column);
    setAnchorRow(0);
    setCurrentRow(m_grid->rowCount() - 1);
    changed();
}

void SkinGridSelection::selectRow(int row, bool extend)
{
    setCurrentRow(row);
    if (!extend)
        setAnchorRow(row);
    setAnchorColumn(0);
    setCurrentColumn(m_grid->columnCount() - 1);
    changed();
}

void SkinGridSelection::selectAll()
{
    setAnchorColumn(0);
    setAnchorRow(0);
    setCurrentColumn(m_grid->columnCount() - 1);
    setCurrentRow(m_grid->rowCount() - 1);
    changed();
}

bool SkinGridSelection::isEmpty() const
{
    const int columns = m_grid->columnCount();
    const int rows = m_grid->rowCount();
    return m_anchorColumn < 0 || m_anchorColumn >= columns || m_currentColumn < 0 || m_currentColumn >= columns
        || m_anchorRow < 0 || m_anchorRow >= rows || m_currentRow < 0 || m_currentRow >= rows;
}

int SkinGridSelection::left() const
{
    return qMin(m_anchorColumn, m_currentColumn);
}

int SkinGridSelection::top() const
{
    return qMin(m_anchorRow, m_currentRow);
}

int SkinGridSelection::right() const
{
    return qMax(m_anchorColumn, m_currentColumn);
}

int SkinGridSelection::bottom() const
{
    return qMax(m_anchorRow, m_currentRow);
}

int SkinGridSelection::topLeftIndex() const
{
    return isEmpty() ? -1 : top() * m_grid->columnCount() + left();
}

int SkinGridSelection::bottomRightIndex() const
{
    return isEmpty() ? -1 : bottom() * m_grid->columnCount() + right();
}

int SkinGridSelection::columnCount() const
{
    return isEmpty() ? 0 : std::abs(m_anchorColumn - m_currentColumn) + 1;
}

int SkinGridSelection::rowCount() const
{
    return isEmpty() ? 0 : std::abs(m_anchorRow - m_currentRow) + 1;
}

bool SkinGridSelection::contains(int column, int row) const
{
    return containsColumn(column) && row >= top() && row <= bottom();
}

bool SkinGridSelection::containsColumn(int column) const
{
    return !isEmpty() && column >= left() && column <= right();
}

bool SkinGridSelection::containsRow(int row) const
{
    return !isEmpty() && row >= top() && row <= bottom();
}

bool SkinGridSelection::spansAllRows() const
{
    return !isEmpty() && top() == 0 && bottom() == m_grid->rowCount() - 1;
}

bool SkinGridSelection::spansAllColumns() const
{
    return !isEmpty() && left() == 0 && right() == m_grid->columnCount() - 1;
}

bool SkinGridSelection::isCellRange() const
{
    return !spansAllRows() && !spansAllColumns();
}

bool SkinGridSelection::isAll() const
{
    return spansAllRows() && spansAllColumns();
}

SkinGridCell *SkinGridSelection::anchorCell() const
{
    return isEmpty() ? nullptr : m_grid->cell(m_anchorColumn, m_anchorRow);
}

SkinGridCell *SkinGridSelection::currentCell() const
{
    return isEmpty() ? nullptr : m_grid->cell(m_currentColumn, m_currentRow);
}

SkinGridCell *SkinGridSelection::topLeftCell() const
{
    return isEmpty() ? nullptr : m_grid->cell(left(), top());
}

SkinGridCell *SkinGridSelection::bottomRightCell() const
{
    return isEmpty() ? nullptr : m_grid->cell(right(), bottom());
}

SkinGridRow *SkinGridSelection::gridRow(int row) const
{
    return isEmpty() ? nullptr : m_grid->rows().at(row);
}

SkinGridColumn *SkinGridSelection::gridColumn(int column) const
{
    return isEmpty() ? nullptr : m_grid->columns().at(column);
}

SkinGridRow *SkinGridSelection::anchorGridRow() const
{
    return gridRow(m_anchorRow);
}

SkinGridRow *SkinGridSelection::currentGridRow() const
{
    return gridRow(m_currentRow);
}

SkinGridRow *SkinGridSelection::topGridRow() const
{
    return gridRow(top());
}

SkinGridRow *SkinGridSelection::bottomGridRow() const
{
    return gridRow(bottom());
}

SkinGridColumn *SkinGridSelection::anchorGridColumn() const
{
    return gridColumn(m_anchorColumn);
}

SkinGridColumn *SkinGridSelection::currentGridColumn() const
{
    return gridColumn(m_currentColumn);
}

SkinGridColumn *SkinGridSelection::leftGridColumn() const
{
    return gridColumn(left());
}

SkinGridColumn *SkinGridSelection::rightGridColumn() const
{
    return gridColumn(right());
}

QList<SkinGridRow *> SkinGridSelection::selectedRows() const
{
    if (isEmpty())
        return {};
    return m_grid->rows().mid(top(), bottom() - top() + 1);
}

QList<SkinGridColumn *> SkinGridSelection::selectedColumns() const
{
    if (isEmpty())
        return {};
    return m_grid->columns().mid(left(), right() - left() + 1);
}

QList<SkinGridCell *> SkinGridSelection::selectedCells() const
{
    QList<SkinGridCell *> cells;
    if (isEmpty())
        return cells;
    for (int row = top(); row <= bottom(); ++row) {
        for (int column = left(); column <= right(); ++column) {
            if (SkinGridCell *cell = m_grid->cell(column, row))
                cells.append(cell);
        }
    }
    return cells;
}

QRect SkinGridSelection::rect() const
{
    if (isEmpty())
        return QRect();
    return m_grid->spanRect(left(), top(), right(), bottom());
}
