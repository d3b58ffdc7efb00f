#ifndef SKETCHSLICEGRID_H
#define SKETCHSLICEGRID_H

#include <QHash>
#include <QList>
#include <QRect>
#include <QSize>

#include <vector>

class SketchDocument;
class SketchSlice;
class SketchSliceGrid;

// One column of the slice grid: the strip between two neighbouring vertical
// slice edges.
class SketchSliceGridColumn
{
public:
    explicit SketchSliceGridColumn(SketchSliceGrid *grid);

    SketchSliceGrid *grid() const { return m_grid; }
    int index() const { return m_index; }
    void setIndex(int index) { m_index = index; }
    int x() const { return m_x; }
    void setX(int x) { m_x = x; }
    int width() const { return m_width; }
    void setWidth(int width) { m_width = width; }
    int end() const { return m_x + m_width; }

private:
    SketchSliceGrid *m_grid;
    int m_index = 0;
    int m_width = 0;
    int m_x = 0;
};

// One row of the slice grid: the strip between two neighbouring horizontal
// slice edges.
class SketchSliceGridRow
{
public:
    explicit SketchSliceGridRow(SketchSliceGrid *grid);

    SketchSliceGrid *grid() const { return m_grid; }
    int index() const { return m_index; }
    void setIndex(int index) { m_index = index; }
    int y() const { return m_y; }
    void setY(int y) { m_y = y; }
    int height() const { return m_height; }
    void setHeight(int height) { m_height = height; }
    int end() const { return m_y + m_height; }

private:
    SketchSliceGrid *m_grid;
    int m_index = 0;
    int m_height = 0;
    int m_y = 0;
};

// One cell of the slice grid. A cell that is taken and not covered owns a
// block of columnSpan x rowSpan cells starting at itself; the block is one
// slice image, and the other cells of the block are covered.
class SketchSliceGridCell
{
public:
    SketchSliceGridCell(SketchSliceGrid *grid, int column, int row);

    SketchSliceGrid *grid() const { return m_grid; }

    // Position and extent, in grid columns and rows.
    int column() const { return m_column; }
    void setColumn(int column) { m_column = column; }
    int row() const { return m_row; }
    void setRow(int row) { m_row = row; }
    int index() const;
    int columnSpan() const { return m_columnSpan; }
    int rowSpan() const { return m_rowSpan; }
    int lastColumn() const { return m_column + m_columnSpan - 1; }
    int lastRow() const { return m_row + m_rowSpan - 1; }

    // A new span below 1 is stored as 1. Growing a span marks the other cells
    // of the block covered; covered marks are never cleared.
    void setColumnSpan(int span);
    void setRowSpan(int span);

    // Sets the taken flag of every cell of the block.
    void setTaken(bool taken);
    bool isTaken() const { return m_taken; }
    bool isCovered() const { return m_covered; }

    // What a block owner shows: the number of its slice, the selection of the
    // hand-drawn slice that owns it, and whether the block is a free area.
    int number() const { return m_number; }
    void setNumber(int number) { m_number = number; }
    bool isSelected() const { return m_selected; }
    void setSelected(bool selected) { m_selected = selected; }
    bool isAutoSlice() const { return m_autoSlice; }
    void setAutoSlice(bool autoSlice) { m_autoSlice = autoSlice; }

    // Page pixels of the whole block.
    int x() const;
    int y() const;
    int width() const;
    int height() const;
    QRect rect() const;

private:
    friend class SketchSliceGrid;
    void setCoveredInBlock();
    // Makes this cell the taken owner of a block of that size, in one pass.
    void layBlock(int columnSpan, int rowSpan);

    SketchSliceGrid *m_grid;
    int m_column;
    int m_row;
    int m_columnSpan = 1;
    int m_rowSpan = 1;
    bool m_taken = false;
    bool m_covered = false;
    int m_number = 0;
    bool m_selected = false;
    bool m_autoSlice = true;
};

// The table that the slices cut the page into: every distinct slice edge
// splits the page into columns and rows, every hand-drawn slice owns the block
// of cells under it, and the free cells are joined into blocks that become
// automatic slices. The slice export writes it as an HTML table. After a build
// every cell either owns one block or is covered by exactly one block, and the
// owners, in reading order, carry the slice numbers 0, 1, 2...
//
// The grid owns its columns, rows and cells; a build replaces them all, so no
// pointer into a grid survives a rebuild.
class SketchSliceGrid
{
public:
    // Edges per axis beyond which no grid is built: a grid of that many cells
    // is no longer a usable web page, and its size grows with the square.
    static const int MaxEdges = 512;

    SketchSliceGrid();
    ~SketchSliceGrid();
    SketchSliceGrid(const SketchSliceGrid &) = delete;
    SketchSliceGrid &operator=(const SketchSliceGrid &) = delete;

    // Builds the grid of a page of paperSize cut by the hand-drawn slices,
    // gives every hand-drawn slice its number and appends the automatic slices
    // of the free areas, as new slices of document, to autoSlices; the caller
    // owns the grid and those slices. Slices are clipped to the page, and a
    // slice with no area on it owns no block; of overlapping slices the
    // earlier one in the list keeps its block. Slices without a block are
    // numbered after every block, in list order. Returns null, making no
    // automatic slice, when the page is empty or an axis would have more than
    // MaxEdges edges; the hand-drawn slices are then numbered in list order.
    static SketchSliceGrid *build(const QSize &paperSize, const QList<SketchSlice *> &slices,
                                  SketchDocument *document, QList<SketchSlice *> *autoSlices);

    const QList<SketchSliceGridColumn *> &columns() const { return m_columns; }
    const QList<SketchSliceGridRow *> &rows() const { return m_rows; }
    // Row by row, so a cell's position in the list is its index.
    const QList<SketchSliceGridCell *> &cells() const { return m_cells; }

    // The column starting at x, the row starting at y; null if none.
    SketchSliceGridColumn *columnAt(int x) const;
    SketchSliceGridRow *rowAt(int y) const;
    // Null outside the grid.
    SketchSliceGridCell *cell(int column, int row) const;
    // The cell whose column starts at x and whose row starts at y; null if none.
    SketchSliceGridCell *cellAtPosition(int x, int y) const;

    // Deletes every column, row and cell.
    void clear();

private:
    bool makeLines(const QSize &paperSize, const QList<SketchSlice *> &slices);
    void makeCells();
    void layHandDrawnBlocks(const QSize &paperSize, const QList<SketchSlice *> &slices,
                            QHash<int, SketchSlice *> *owners, QList<SketchSlice *> *blockless);
    void layBlocksUnderSlices();
    void joinSideBySide();
    void fillFreeCells();
    int numberBlocks(const QSize &paperSize, const QHash<int, SketchSlice *> &owners,
                      SketchDocument *document, QList<SketchSlice *> *autoSlices);

    bool isBlockFree(int column, int row, int columnSpan, int rowSpan) const;
    int columnIndexAt(int x) const;
    int rowIndexAt(int y) const;
    int columnEdgeIndex(int x) const;
    int rowEdgeIndex(int y) const;

    QList<SketchSliceGridColumn *> m_columns;
    QList<SketchSliceGridRow *> m_rows;
    QList<SketchSliceGridCell *> m_cells;
    // The cells themselves live in one block of memory: a page cut by a few
    // hundred slices has a hundred thousand cells or more.
    std::vector<SketchSliceGridCell> m_cellStore;
};

#endif // SKETCHSLICEGRID_H
