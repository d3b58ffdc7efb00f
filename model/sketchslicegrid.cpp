#include "model/sketchslicegrid.h"

#include "model/sketchslice.h"

#include <algorithm>

namespace {

// A slice's area on the page, right and bottom exclusive.
struct PageArea
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Slices read from files may be negative, huge or off the page: the sums are
// taken in 64 bits and the result is clipped to the page.
bool areaOnPage(const SketchSlice *slice, const QSize &page, PageArea *area)
{
    if (slice->width() <= 0 || slice->height() <= 0)
        return false;
    const qint64 width = page.width();
    const qint64 height = page.height();
    area->left = int(qBound<qint64>(0, slice->x(), width));
    area->top = int(qBound<qint64>(0, slice->y(), height));
    area->right = int(qBound<qint64>(0, qint64(slice->x()) + slice->width(), width));
    area->bottom = int(qBound<qint64>(0, qint64(slice->y()) + slice->height(), height));
    return area->right > area->left && area->bottom > area->top;
}

std::vector<int> sortedUnique(std::vector<int> edges)
{
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    return edges;
}

template <typename Line>
int indexOfStart(const QList<Line *> &lines, int start, int (Line::*startOf)() const)
{
    const auto it = std::lower_bound(lines.cbegin(), lines.cend(), start,
                                     [startOf](const Line *line, int value) {
                                         return (line->*startOf)() < value;
                                     });
    if (it == lines.cend() || ((*it)->*startOf)() != start)
        return -1;
    return int(it - lines.cbegin());
}

} // namespace

SketchSliceGridColumn::SketchSliceGridColumn(SketchSliceGrid *grid)
    : m_grid(grid)
{
}

SketchSliceGridRow::SketchSliceGridRow(SketchSliceGrid *grid)
    : m_grid(grid)
{
}

SketchSliceGridCell::SketchSliceGridCell(SketchSliceGrid *grid, int column, int row)
    : m_grid(grid), m_column(column), m_row(row)
{
}

int SketchSliceGridCell::index() const
{
    return m_row * m_grid->columns().count() + m_column;
}

void SketchSliceGridCell::setColumnSpan(int span)
{
    if (span == m_columnSpan)
        return;
    m_columnSpan = qMax(span, 1);
    setCoveredInBlock();
}

void SketchSliceGridCell::setRowSpan(int span)
{
    if (span == m_rowSpan)
        return;
    m_rowSpan = qMax(span, 1);
    setCoveredInBlock();
}

void SketchSliceGridCell::setCoveredInBlock()
{
    const int lastColumn = qMin(this->lastColumn(), m_grid->columns().count() - 1);
    const int lastRow = qMin(this->lastRow(), m_grid->rows().count() - 1);
    for (int row = m_row; row <= lastRow; ++row) {
        for (int column = m_column; column <= lastColumn; ++column) {
            SketchSliceGridCell *other = m_grid->cell(column, row);
            if (other && other != this)
                other->m_covered = true;
        }
    }
}

void SketchSliceGridCell::setTaken(bool taken)
{
    m_taken = taken;
    const int lastColumn = qMin(this->lastColumn(), m_grid->columns().count() - 1);
    const int lastRow = qMin(this->lastRow(), m_grid->rows().count() - 1);
    for (int row = m_row; row <= lastRow; ++row) {
        for (int column = m_column; column <= lastColumn; ++column) {
            if (SketchSliceGridCell *other = m_grid->cell(column, row))
                other->m_taken = taken;
        }
    }
}

void SketchSliceGridCell::layBlock(int columnSpan, int rowSpan)
{
    m_columnSpan = qMax(columnSpan, 1);
    m_rowSpan = qMax(rowSpan, 1);
    const int lastColumn = qMin(this->lastColumn(), m_grid->columns().count() - 1);
    const int lastRow = qMin(this->lastRow(), m_grid->rows().count() - 1);
    for (int row = m_row; row <= lastRow; ++row) {
        for (int column = m_column; column <= lastColumn; ++column) {
            SketchSliceGridCell *other = m_grid->cell(column, row);
            other->m_taken = true;
            if (other != this)
                other->m_covered = true;
        }
    }
}

int SketchSliceGridCell::x() const
{
    return m_grid->columns().at(m_column)->x();
}

int SketchSliceGridCell::y() const
{
    return m_grid->rows().at(m_row)->y();
}

// A span set past the grid's edge by hand ends at the grid's edge.
int SketchSliceGridCell::width() const
{
    const QList<SketchSliceGridColumn *> &columns = m_grid->columns();
    return columns.at(qMin(lastColumn(), columns.count() - 1))->end() - x();
}

int SketchSliceGridCell::height() const
{
    const QList<SketchSliceGridRow *> &rows = m_grid->rows();
    return rows.at(qMin(lastRow(), rows.count() - 1))->end() - y();
}

QRect SketchSliceGridCell::rect() const
{
    return QRect(x(), y(), width(), height());
}

SketchSliceGrid::SketchSliceGrid() = default;

SketchSliceGrid::~SketchSliceGrid()
{
    clear();
}

SketchSliceGrid *SketchSliceGrid::build(const QSize &paperSize, const QList<SketchSlice *> &slices,
                                        SketchDocument *document,
                                        QList<SketchSlice *> *autoSlices)
{
    SketchSliceGrid *grid = new SketchSliceGrid;
    if (!grid->makeLines(paperSize, slices)) {
        delete grid;
        for (int i = 0; i < slices.count(); ++i)
            slices.at(i)->setNumber(i);
        return nullptr;
    }
    grid->makeCells();
    QHash<int, SketchSlice *> owners;
    QList<SketchSlice *> blockless;
    grid->layHandDrawnBlocks(paperSize, slices, &owners, &blockless);
    grid->layBlocksUnderSlices();
    grid->joinSideBySide();
    grid->fillFreeCells();
    int number = grid->numberBlocks(paperSize, owners, document, autoSlices);
    // Numbered after every block, so that the slice images in number order
    // still match the blocks of the table one to one.
    for (SketchSlice *slice : qAsConst(blockless))
        slice->setNumber(number++);
    return grid;
}

SketchSliceGridColumn *SketchSliceGrid::columnAt(int x) const
{
    const int index = columnIndexAt(x);
    return index < 0 ? nullptr : m_columns.at(index);
}

SketchSliceGridRow *SketchSliceGrid::rowAt(int y) const
{
    const int index = rowIndexAt(y);
    return index < 0 ? nullptr : m_rows.at(index);
}

SketchSliceGridCell *SketchSliceGrid::cell(int column, int row) const
{
    if (column < 0 || row < 0 || column >= m_columns.count() || row >= m_rows.count())
        return nullptr;
    return m_cells.at(row * m_columns.count() + column);
}

SketchSliceGridCell *SketchSliceGrid::cellAtPosition(int x, int y) const
{
    return cell(columnIndexAt(x), rowIndexAt(y));
}

void SketchSliceGrid::clear()
{
    qDeleteAll(m_columns);
    m_columns.clear();
    qDeleteAll(m_rows);
    m_rows.clear();
    m_cells.clear();
    std::vector<SketchSliceGridCell>().swap(m_cellStore);
}

// Every distinct edge of the slices, clipped to the page, cuts it into
// columns and rows. False when there is nothing to cut or too much.
bool SketchSliceGrid::makeLines(const QSize &paperSize, const QList<SketchSlice *> &slices)
{
    if (paperSize.width() <= 0 || paperSize.height() <= 0)
        return false;
    std::vector<int> xs{0, paperSize.width()};
    std::vector<int> ys{0, paperSize.height()};
    xs.reserve(2 + 2 * size_t(slices.count()));
    ys.reserve(2 + 2 * size_t(slices.count()));
    for (const SketchSlice *slice : slices) {
        PageArea area;
        if (!areaOnPage(slice, paperSize, &area))
            continue;
        xs.push_back(area.left);
        xs.push_back(area.right);
        ys.push_back(area.top);
        ys.push_back(area.bottom);
    }
    xs = sortedUnique(std::move(xs));
    ys = sortedUnique(std::move(ys));
    if (int(xs.size()) > MaxEdges || int(ys.size()) > MaxEdges)
        return false;

    for (size_t i = 0; i + 1 < xs.size(); ++i) {
        SketchSliceGridColumn *column = new SketchSliceGridColumn(this);
        column->setIndex(int(i));
        column->setX(xs[i]);
        column->setWidth(xs[i + 1] - xs[i]);
        m_columns.append(column);
    }
    for (size_t i = 0; i + 1 < ys.size(); ++i) {
        SketchSliceGridRow *row = new SketchSliceGridRow(this);
        row->setIndex(int(i));
        row->setY(ys[i]);
        row->setHeight(ys[i + 1] - ys[i]);
        m_rows.append(row);
    }
    return true;
}

void SketchSliceGrid::makeCells()
{
    const int columnCount = m_columns.count();
    const int rowCount = m_rows.count();
    // Reserved in full: the cell list points into the store.
    m_cellStore.reserve(size_t(columnCount) * size_t(rowCount));
    m_cells.reserve(columnCount * rowCount);
    for (int row = 0; row < rowCount; ++row) {
        for (int column = 0; column < columnCount; ++column) {
            m_cellStore.emplace_back(this, column, row);
            m_cells.append(&m_cellStore.back());
        }
    }
}

// Each hand-drawn slice owns the cells under its part of the page. A slice
// that would share a cell with an earlier one gets no block: a cell in two
// blocks would make the exported table overlap itself.
void SketchSliceGrid::layHandDrawnBlocks(const QSize &paperSize, const QList<SketchSlice *> &slices,
                                         QHash<int, SketchSlice *> *owners,
                                         QList<SketchSlice *> *blockless)
{
    for (SketchSlice *slice : slices) {
        PageArea area;
        if (!areaOnPage(slice, paperSize, &area)) {
            blockless->append(slice);
            continue;
        }
        const int column = columnIndexAt(area.left);
        const int row = rowIndexAt(area.top);
        const int columnSpan = columnEdgeIndex(area.right) - column;
        const int rowSpan = rowEdgeIndex(area.bottom) - row;
        if (!isBlockFree(column, row, columnSpan, rowSpan)) {
            blockless->append(slice);
            continue;
        }
        SketchSliceGridCell *owner = cell(column, row);
        owner->layBlock(columnSpan, rowSpan);
        owner->setSelected(slice->isSelected());
        owner->setAutoSlice(false);
        owners->insert(owner->index(), slice);
    }
}

// The free area right under a hand-drawn slice, as wide as the slice, down to
// the next block. When a block starts in the row right under the slice the
// area is not a rectangle, and the free-cell pass fills it instead.
void SketchSliceGrid::layBlocksUnderSlices()
{
    for (int i = 0; i < m_cells.count(); ++i) {
        const SketchSliceGridCell *above = m_cells.at(i);
        if (!above->isTaken() || above->isCovered() || above->isAutoSlice())
            continue;
        const int row = above->row() + above->rowSpan();
        const int columnSpan = above->columnSpan();
        if (row >= m_rows.count() || !isBlockFree(above->column(), row, columnSpan, 1))
            continue;
        int end = row + 1;
        while (end < m_rows.count() && isBlockFree(above->column(), end, columnSpan, 1))
            ++end;
        cell(above->column(), row)->layBlock(columnSpan, end - row);
    }
}

// Free areas under neighbouring slices of the same height become one.
void SketchSliceGrid::joinSideBySide()
{
    for (SketchSliceGridCell *left : qAsConst(m_cells)) {
        if (!left->isTaken() || left->isCovered() || !left->isAutoSlice())
            continue;
        for (;;) {
            SketchSliceGridCell *right = cell(left->column() + left->columnSpan(), left->row());
            if (!right || !right->isTaken() || right->isCovered() || !right->isAutoSlice()
                || right->rowSpan() != left->rowSpan())
                break;
            left->layBlock(left->columnSpan() + right->columnSpan(), left->rowSpan());
        }
    }
}

// Every cell still free starts a block that reaches right, then down, as far
// as the cells stay free. Cells before the search position are all taken, so
// the search never goes back.
void SketchSliceGrid::fillFreeCells()
{
    const int columnCount = m_columns.count();
    const int rowCount = m_rows.count();
    for (int i = 0; i < m_cells.count(); ++i) {
        SketchSliceGridCell *first = m_cells.at(i);
        if (first->isTaken() || first->isCovered())
            continue;
        int endColumn = first->column() + 1;
        while (endColumn < columnCount && !cell(endColumn, first->row())->isTaken())
            ++endColumn;
        const int columnSpan = endColumn - first->column();
        int endRow = first->row() + 1;
        while (endRow < rowCount && isBlockFree(first->column(), endRow, columnSpan, 1))
            ++endRow;
        first->layBlock(columnSpan, endRow - first->row());
    }
}

// Block owners in reading order get the numbers 0, 1, 2...; each free block
// becomes an automatic slice, unless it is the whole page. Returns the number
// of blocks.
int SketchSliceGrid::numberBlocks(const QSize &paperSize, const QHash<int, SketchSlice *> &owners,
                                   SketchDocument *document, QList<SketchSlice *> *autoSlices)
{
    const QRect page(QPoint(0, 0), paperSize);
    int number = 0;
    for (SketchSliceGridCell *owner : qAsConst(m_cells)) {
        if (!owner->isTaken() || owner->isCovered())
            continue;
        owner->setNumber(number);
        if (!owner->isAutoSlice()) {
            owners.value(owner->index())->setNumber(number);
        } else if (owner->rect() != page) {
            SketchSlice *slice = new SketchSlice(document);
            slice->setRect(owner->rect());
            slice->setSelected(owner->isSelected());
            slice->setAutoSlice(true);
            slice->setNumber(number);
            autoSlices->append(slice);
        }
        ++number;
    }
    return number;
}

bool SketchSliceGrid::isBlockFree(int column, int row, int columnSpan, int rowSpan) const
{
    for (int r = row; r < row + rowSpan; ++r) {
        for (int c = column; c < column + columnSpan; ++c) {
            if (m_cellStore[size_t(r) * size_t(m_columns.count()) + size_t(c)].isTaken())
                return false;
        }
    }
    return true;
}

int SketchSliceGrid::columnIndexAt(int x) const
{
    return indexOfStart(m_columns, x, &SketchSliceGridColumn::x);
}

int SketchSliceGrid::rowIndexAt(int y) const
{
    return indexOfStart(m_rows, y, &SketchSliceGridRow::y);
}

// The index of the column that starts at x, or the column count for the
// grid's right edge.
int SketchSliceGrid::columnEdgeIndex(int x) const
{
    if (!m_columns.isEmpty() && x == m_columns.last()->end())
        return m_columns.count();
    return columnIndexAt(x);
}

int SketchSliceGrid::rowEdgeIndex(int y) const
{
    if (!m_rows.isEmpty() && y == m_rows.last()->end())
        return m_rows.count();
    return rowIndexAt(y);
}
