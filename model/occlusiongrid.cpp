#include "model/occlusiongrid.h"

#include <algorithm>
#include <cmath>

namespace {

// The whole number of cells at offset (in cells), rounded down or up and
// clamped before any conversion, so that far or non-finite offsets stay
// defined.
int cellAt(double offset, bool roundUp, int low, int high)
{
    const double index = roundUp ? std::ceil(offset) : std::floor(offset);
    if (!(index >= low))
        return low;
    if (index > high)
        return high;
    return int(index);
}

} // namespace

OcclusionGrid::OcclusionGrid(const QRect &area)
    : m_area(area)
{
    if (area.isEmpty())
        return;
    const int longest = std::max(area.width(), area.height());
    m_cellSize = std::max(2, (longest + MaxCellsAcross - 1) / MaxCellsAcross);
    m_columns = (area.width() + m_cellSize - 1) / m_cellSize;
    m_rows = (area.height() + m_cellSize - 1) / m_cellSize;
    m_covered.assign(size_t(m_columns) * size_t(m_rows), 0);
}

QRect OcclusionGrid::uncoveredBounds(const QRectF &rect) const
{
    // Compared by hand: QRectF::intersects takes a flat rectangle (a level
    // line's bounds) for empty, and that would hide it. Not a number fails
    // every comparison and so counts as lying outside.
    const QRectF area(m_area);
    const bool meets = rect.right() >= area.left() && rect.left() <= area.right() && rect.bottom() >= area.top()
        && rect.top() <= area.bottom();
    if (m_covered.empty() || !meets)
        return QRect();
    // Every cell the rectangle touches, clipped to the grid.
    const double cell = m_cellSize;
    const int left = cellAt((rect.left() - m_area.left()) / cell, false, 0, m_columns - 1);
    const int top = cellAt((rect.top() - m_area.top()) / cell, false, 0, m_rows - 1);
    const int right = cellAt((rect.right() - m_area.left()) / cell, false, 0, m_columns - 1);
    const int bottom = cellAt((rect.bottom() - m_area.top()) / cell, false, 0, m_rows - 1);
    int firstColumn = right + 1;
    int lastColumn = left - 1;
    int firstRow = -1;
    int lastRow = -1;
    for (int row = top; row <= bottom; ++row) {
        const unsigned char *begin = m_covered.data() + size_t(row) * size_t(m_columns);
        const unsigned char *end = begin + right + 1;
        const unsigned char *open = std::find(begin + left, end, 0);
        if (open == end)
            continue;
        firstColumn = std::min(firstColumn, int(open - begin));
        const auto lastOpen = std::find(std::make_reverse_iterator(end), std::make_reverse_iterator(open), 0);
        lastColumn = std::max(lastColumn, int(lastOpen.base() - begin) - 1);
        if (firstRow < 0)
            firstRow = row;
        lastRow = row;
    }
    if (firstRow < 0)
        return QRect();
    const QRect cells(m_area.left() + firstColumn * m_cellSize, m_area.top() + firstRow * m_cellSize,
                      (lastColumn - firstColumn + 1) * m_cellSize, (lastRow - firstRow + 1) * m_cellSize);
    return cells & m_area;
}

void OcclusionGrid::markOpaque(const QRectF &rect)
{
    if (m_covered.empty() || !rect.isValid())
        return;
    // Only the cells wholly inside the rectangle.
    const double cell = m_cellSize;
    const int left = cellAt((rect.left() - m_area.left()) / cell, true, 0, m_columns);
    const int top = cellAt((rect.top() - m_area.top()) / cell, true, 0, m_rows);
    const int right = cellAt((rect.right() - m_area.left()) / cell, false, 0, m_columns) - 1;
    const int bottom = cellAt((rect.bottom() - m_area.top()) / cell, false, 0, m_rows) - 1;
    if (left > right)
        return;
    for (int row = top; row <= bottom; ++row) {
        unsigned char *first = m_covered.data() + size_t(row) * size_t(m_columns) + left;
        unsigned char *last = first + (right - left + 1);
        m_coveredCount += int(std::count(first, last, 0));
        std::fill(first, last, 1);
    }
}
