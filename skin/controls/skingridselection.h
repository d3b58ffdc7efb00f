#ifndef SKINGRIDSELECTION_H
#define SKINGRIDSELECTION_H

#include <QList>
#include <QRect>

class SkinGridCell;
class SkinGridColumn;
class SkinGridRow;
class SkinGridView;

// What a press on a cell selects.
enum SkinGridSelectionMode : int {
    SkinGridSelectCells = 0,   // the range between anchor and current cell
    SkinGridSelectRows = 1,    // whole rows
    SkinGridSelectColumns = 2  // whole columns
};

// The selection of a SkinGridView: the inclusive rectangle between an anchor
// cell and a current cell. It is kept as four indices, independent of the
// grid's lists: it reads as empty whenever any index lies outside the grid
// (all -1 when nothing was selected), so removing rows or columns never
// leaves it pointing at deleted objects.
//
// Every selecting operation emits the grid's selectionChanged(); the four
// index setters only store (the mouse drag that stretches a range uses them
// and signals nothing).
class SkinGridSelection
{
public:
    explicit SkinGridSelection(SkinGridView *grid);

    SkinGridSelection(const SkinGridSelection &) = delete;
    SkinGridSelection &operator=(const SkinGridSelection &) = delete;

    SkinGridView *grid() const { return m_grid; }

    // --- Selecting (each emits selectionChanged()) --------------------------

    void clear();
    // A linear index (row * columnCount + column) inside the grid makes that
    // cell current, and the anchor too unless extending; any other index
    // clears the selection.
    void selectCell(int index, bool extend);
    // The same by position, unchecked.
    void select(int column, int row, bool extend);
    // The whole column (rows 0 to the last); extending keeps the anchor's
    // column, so the range spans from there.
    void selectColumn(int column, bool extend);
    void selectRow(int row, bool extend);
    void selectAll();

    // --- The four indices (store only; a negative value is stored as -1) ---

    int anchorColumn() const { return m_anchorColumn; }
    void setAnchorColumn(int column) { m_anchorColumn = column < 0 ? -1 : column; }
    int anchorRow() const { return m_anchorRow; }
    void setAnchorRow(int row) { m_anchorRow = row < 0 ? -1 : row; }
    int currentColumn() const { return m_currentColumn; }
    void setCurrentColumn(int column) { m_currentColumn = column < 0 ? -1 : column; }
    int currentRow() const { return m_currentRow; }
    void setCurrentRow(int row) { m_currentRow = row < 0 ? -1 : row; }

    // --- The range ----------------------------------------------------------

    bool isEmpty() const;
    int left() const;
    int top() const;
    int right() const;
    int bottom() const;
    // Linear indices of the corners; -1 when empty.
    int topLeftIndex() const;
    int bottomRightIndex() const;
    // Selected columns and rows; 0 when empty.
    int columnCount() const;
    int rowCount() const;

    bool contains(int column, int row) const;
    bool containsColumn(int column) const;
    bool containsRow(int row) const;
    // From row 0 to the grid's last row (whole columns), from column 0 to
    // the last (whole rows); a cell range is neither, everything is both.
    bool spansAllRows() const;
    bool spansAllColumns() const;
    bool isCellRange() const;
    bool isAll() const;

    // --- Objects of the range (null or empty when the selection is empty) ---

    // Existing cells only: null where no cell was made yet.
    SkinGridCell *anchorCell() const;
    SkinGridCell *currentCell() const;
    SkinGridCell *topLeftCell() const;
    SkinGridCell *bottomRightCell() const;
    SkinGridRow *anchorGridRow() const;
    SkinGridRow *currentGridRow() const;
    SkinGridRow *topGridRow() const;
    SkinGridRow *bottomGridRow() const;
    SkinGridColumn *anchorGridColumn() const;
    SkinGridColumn *currentGridColumn() const;
    SkinGridColumn *leftGridColumn() const;
    SkinGridColumn *rightGridColumn() const;
    // Top to bottom, left to right.
    QList<SkinGridRow *> selectedRows() const;
    QList<SkinGridColumn *> selectedColumns() const;
    // The existing cells of the range, row by row, each left to right.
    QList<SkinGridCell *> selectedCells() const;
    // In widget coordinates: from the top-left cell's corner to the
    // bottom-right cell's; empty when the selection is.
    QRect rect() const;

private:
    void changed();
    SkinGridRow *gridRow(int row) const;
    SkinGridColumn *gridColumn(int column) const;

    SkinGridView *m_grid;
    int m_anchorColumn = -1;
    int m_anchorRow = -1;
    int m_currentColumn = -1;
    int m_currentRow = -1;
};

#endif // SKINGRIDSELECTION_H
