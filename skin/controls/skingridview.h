#ifndef SKINGRIDVIEW_H
#define SKINGRIDVIEW_H

#include "skin/controls/skingridselection.h"

#include <QColor>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>

class QDropEvent;
class QLineEdit;
class QMenu;
class QScrollBar;
class QTimer;
class SkinGridCell;
class SkinGridColumn;
class SkinGridItemDelegate;
class SkinGridMouseEvent;
class SkinGridRow;
class SkinGridSelection;

// How the selection is drawn.
enum SkinGridSelectionStyle : int {
    // A tinted range with a thick outline (or, with an opaque selection
    // colour, the selected rows filled with it).
    SkinGridSelectionRange = 0,
    // Each selected cell filled with the selected-cell colour.
    SkinGridSelectionFilled = 1,
    // A corner mark per selected cell, row or column.
    SkinGridSelectionMarked = 2
};

// What the columns do when the grid's width changes.
enum SkinGridColumnResizeMode : int {
    SkinGridColumnsKeepWidths = 0,
    // The room is shared among them.
    SkinGridColumnsShareRoom = 1
};

// The grid widget behind every list panel: columns and rows of cells under
// optional column and row headers, with its own two scroll bars, a
// selection in one of three modes, an in-place line editor, hover tool tips
// and drag and drop of cells within the grid.
//
// Ownership: the grid owns its columns, its rows (which own their cells),
// its selection and the delegate it holds when it is destroyed. Cells are
// made lazily: a row's cell list may end before the last column, and the
// queries by position answer a missing cell's defaults without making it;
// cellAt() and the setters by position make it.
//
// Scrolling is by whole columns and rows: the scroll bars count columns and
// rows, and firstVisibleColumn/Row say which one sits at the top-left. The
// layout (x of every column, y of every row, the bars) is worked out only by
// updateLayout() and the first-visible setters: callers that add, remove or
// resize columns or rows one by one call updateLayout() themselves
// (setRowCount, setColumnCount and clear do).
//
// Indices outside the grid are ignored everywhere: setters do nothing,
// queries answer null, empty rectangles or the defaults. Painting and the
// drags are the delegate's (SkinGridItemDelegate); panels install their own.
//
// Receivers connect by signature strings (SIGNAL/SLOT): the destructor
// still emits selectionChanged(), possibly while the receiver, a parent
// widget, is being destroyed, which only such connections survive.
class SkinGridView : public QWidget
{
    Q_OBJECT

public:
    explicit SkinGridView(QWidget *parent = nullptr);
    // Clears the grid (emitting selectionChanged() once more), then deletes
    // the selection and the delegate it holds.
    ~SkinGridView() override;

    // --- Presets --------------------------------------------------------------
    // The two kinds of grid that the panels show, each set up in one place;
    // a panel then adds its delegate, its columns and rows, its drag and drop
    // and whatever else sets it apart.

    // Cards (the materials panel, the catalogue, a catalogue entry, the
    // frames popup): one cell chosen at a time, also by a right press, and
    // filled with the selected-cell colour; no headers; the arrow cursor; the
    // vertical bar steps one row a page.
    void setUpAsCardGrid();
    // A list (the layers panel): one whole row chosen at a time, also by a
    // right press, and marked in its corner; no headers and no horizontal
    // bar; the arrow cursor.
    void setUpAsListGrid();

    // --- Columns and rows ---------------------------------------------------

    int columnCount() const { return m_columns.size(); }
    int rowCount() const { return m_rows.size(); }
    int cellCount() const { return columnCount() * rowCount(); }
    const QList<SkinGridColumn *> &columns() const { return m_columns; }
    const QList<SkinGridRow *> &rows() const { return m_rows; }

    // Appends a column with the header text, width max(width, 0) and the
    // alignment for its cells. Makes no cells.
    SkinGridColumn *addColumn(const QString &headerText, int width, int cellAlignment);
    // Takes the column over (a null one, or one already in the grid, is
    // ignored) and puts it at the index, clamped into the list. Rows whose
    // cells reach past the index get a new cell there, shifting theirs right.
    void insertColumn(int index, SkinGridColumn *column);
    void appendColumn(SkinGridColumn *column);
    // Deletes the column and every row's cell in it; later columns and
    // cells move left. The selection keeps its indices.
    void removeColumn(int index);
    // Removes columns from the end or appends default ones (empty header,
    // default width, left and centred); below 1 clears the whole grid. Then
    // lays out and repaints.
    void setColumnCount(int count);

    // Appends a new row. While the grid has no columns nothing is appended:
    // the row returned is then not part of the grid and the caller deletes it.
    SkinGridRow *addRow();
    // Also sets the text of the first cell when there is a column.
    SkinGridRow *addRow(const QString &text);
    // Also sets each cell's text when there is one text per column.
    SkinGridRow *addRow(const QStringList &texts);
    // Takes the row over and puts it at the index, clamped into the list;
    // ignores a null row, one already in the grid, and any row while the
    // grid has no columns (the caller keeps it then). Makes no cells.
    void insertRow(int index, SkinGridRow *row);
    void appendRow(SkinGridRow *row);
    // Deletes the row with its cells; later rows move up. The selection
    // keeps its indices.
    void removeRow(int index);
    // Removes rows from the end or appends rows; below 1 deletes every row
    // and clears the selection (emitting selectionChanged()). Then lays out
    // and repaints.
    void setRowCount(int count);

    // Deletes every column and row, clears the selection (emitting
    // selectionChanged()), lays out and repaints.
    void clear();

    // --- Cells ----------------------------------------------------------------

    // The existing cell, or null (outside the grid, or not made yet).
    SkinGridCell *cell(int column, int row) const;
    // The cell, made (with the row's missing cells before it) when missing;
    // null only outside the grid.
    SkinGridCell *cellAt(int column, int row);
    // The same by linear index, row * columnCount + column.
    SkinGridCell *cellByIndex(int index) const;
    SkinGridCell *cellAtIndex(int index);

    // Queries that never make a cell; a missing cell answers the defaults:
    // empty texts, left and vertically centred, transparent, the grid's drag
    // and drop switches, no data.
    QString cellText(int column, int row) const;
    int cellAlignment(int column, int row) const;
    QColor cellBackgroundColor(int column, int row) const;
    bool isCellDragEnabled(int column, int row) const;
    bool isCellDropEnabled(int column, int row) const;
    QString cellUserText(int column, int row) const;
    QObject *cellData(int column, int row) const;
    QString cellToolTip(int column, int row) const;
    // The cell's text as the delegate draws it into the cell (elided).
    QString elidedCellText(int column, int row) const;

    // Setters that make the cell when missing; nothing repaints.
    void setCellText(int column, int row, const QString &text);
    void setCellAlignment(int column, int row, int alignment);
    void setCellBackgroundColor(int column, int row, const QColor &color);
    void setCellDragEnabled(int column, int row, bool enabled);
    void setCellDropEnabled(int column, int row, bool enabled);
    void setCellUserText(int column, int row, const QString &text);
    void setCellData(int column, int row, QObject *data);
    void setCellToolTip(int column, int row, const QString &text);

    // Empties the text of every existing cell, nothing else.
    void clearCellTexts();
    // Resets the cell (when it exists). With shiftFollowing every later
    // cell in linear order moves back by one position and the grid's last
    // cell is reset: a list laid out cell by cell loses one item.
    void clearCell(int column, int row, bool shiftFollowing);

    // --- Geometry (widget coordinates) --------------------------------------

    // (column, row) of a cell; -1 for a header: (-1, row) a row header,
    // (column, -1) a column header, (-1, -1) the corner. Anything else is an
    // empty rectangle.
    QRect cellRect(int column, int row) const;
    // The row's cells from the first to the last column; -1: the column
    // header strip (while it shows).
    QRect rowRect(int row) const;
    // The column's cells from the first to the last row; -1: the row
    // header strip (while it shows).
    QRect columnRect(int column) const;
    // From cell (left, top) to cell (right, bottom), both inside the grid.
    QRect spanRect(int left, int top, int right, int bottom) const;
    // The square between the two scroll bars; empty unless both show.
    QRect scrollBarCornerRect() const;
    // The column under x: a boundary pixel belongs to the column on its
    // left; -1 left of the first visible column (the row header), -2
    // anywhere else. rowAt likewise.
    int columnAt(int x) const;
    int rowAt(int y) const;
    // How far the content is scrolled, in pixels.
    int horizontalOffset() const;
    int verticalOffset() const;
    // Repaints the cell's rectangle grown by 2 pixels on every side.
    void updateCell(int column, int row);

    // --- Layout and scrolling -----------------------------------------------

    // Shares the width among the columns (resize mode 1), places every
    // column and row, shows or hides the scroll bars (twice when showing
    // the vertical bar changes the room), then re-applies the scroll
    // position. Run on show and resize.
    void updateLayout(bool repaint);

    int firstVisibleColumn() const { return m_firstVisibleColumn; }
    // Never less than the first visible column; partly visible counts.
    int lastVisibleColumn() const { return qMax(m_lastVisibleColumn, m_firstVisibleColumn); }
    int firstVisibleRow() const { return m_firstVisibleRow; }
    int lastVisibleRow() const { return qMax(m_lastVisibleRow, m_firstVisibleRow); }
    // Clamped into the grid, and 0 while the bar is hidden; with syncScrollBar
    // the bar follows (without scrolling back).
    void setFirstVisibleColumn(int column, bool syncScrollBar, bool repaint);
    void setFirstVisibleRow(int row, bool syncScrollBar, bool repaint);
    void scrollToColumn(int column);
    void scrollToRow(int row);
    // Scrolls the selection's anchor into view.
    void ensureSelectionVisible();

    // Hidden until the content needs them; owners may restyle them.
    QScrollBar *horizontalScrollBar() const { return m_horizontalScrollBar; }
    QScrollBar *verticalScrollBar() const { return m_verticalScrollBar; }

    // --- Selection ----------------------------------------------------------

    SkinGridSelection *selection() const { return m_selection; }
    // The arrow keys: from the anchor, to the neighbouring cell (rows wrap
    // at their ends for Left and Right), selecting by the selection mode and
    // scrolling the new cell into view. Nothing on an empty selection.
    void moveLeft();
    void moveRight();
    void moveUp();
    void moveDown();

    // --- In-place editor ----------------------------------------------------

    // The line editor over the edited cell; a subclass may answer another
    // editor, or null to disable editing.
    virtual QLineEdit *cellEditor() const;
    // Opens the editor over the cell with its text; nothing for a read-only
    // cell, a position outside the grid or without room, or no editor. The
    // editor's tool tip names the cell as "column,row".
    void editCell(int column, int row);
    // Hides a shown editor and focuses the grid. With accept, a changed text
    // goes into the cell, which repaints and is reported by
    // cellTextChanged(); a cell that no longer exists gets nothing.
    void closeCellEditor(bool accept);

    // --- Appearance ---------------------------------------------------------

    SkinGridItemDelegate *itemDelegate() const { return m_itemDelegate; }
    // The grid deletes the delegate it holds when it is destroyed, and the
    // plain one it made itself when that is replaced; a delegate installed
    // here and replaced later goes back to the caller.
    void setItemDelegate(SkinGridItemDelegate *delegate);

    bool isColumnHeaderVisible() const { return m_columnHeaderVisible; }
    void setColumnHeaderVisible(bool visible);
    int columnHeaderHeight() const { return m_columnHeaderHeight; }
    void setColumnHeaderHeight(int height);
    bool isRowHeaderVisible() const { return m_rowHeaderVisible; }
    void setRowHeaderVisible(bool visible);
    int rowHeaderWidth() const { return m_rowHeaderWidth; }
    void setRowHeaderWidth(int width);
    bool isGridLinesVisible() const { return m_gridLinesVisible; }
    void setGridLinesVisible(bool visible);
    bool isBorderVisible() const { return m_borderVisible; }
    void setBorderVisible(bool visible);
    QColor backgroundColor() const { return m_backgroundColor; }
    void setBackgroundColor(const QColor &color);
    QColor gridLineColor() const { return m_gridLineColor; }
    void setGridLineColor(const QColor &color);

    // A SkinGridSelectionMode.
    int selectionMode() const { return m_selectionMode; }
    void setSelectionMode(int mode) { m_selectionMode = mode; }
    // Off: presses never extend the selection, and dragging a drag-enabled
    // cell starts drag and drop instead of stretching a range.
    bool isMultiSelection() const { return m_multiSelection; }
    void setMultiSelection(bool multi) { m_multiSelection = multi; }
    // A SkinGridSelectionStyle.
    int selectionStyle() const { return m_selectionStyle; }
    void setSelectionStyle(int style) { m_selectionStyle = style; }
    QColor selectionColor() const { return m_selectionColor; }
    void setSelectionColor(const QColor &color) { m_selectionColor = color; }
    QColor selectedCellColor() const { return m_selectedCellColor; }
    void setSelectedCellColor(const QColor &color) { m_selectedCellColor = color; }
    // Given to rows made later.
    QColor defaultRowColor() const { return m_defaultRowColor; }
    void setDefaultRowColor(const QColor &color) { m_defaultRowColor = color; }
    int defaultRowHeight() const { return m_defaultRowHeight; }
    void setDefaultRowHeight(int height) { m_defaultRowHeight = qMax(height, 0); }
    int defaultColumnWidth() const { return m_defaultColumnWidth; }
    void setDefaultColumnWidth(int width) { m_defaultColumnWidth = qMax(width, 0); }
    // A SkinGridColumnResizeMode.
    int columnResizeMode() const { return m_columnResizeMode; }
    void setColumnResizeMode(int mode) { m_columnResizeMode = mode; }
    // A disabled bar stays hidden.
    bool isHorizontalScrollBarEnabled() const { return m_horizontalScrollBarEnabled; }
    void setHorizontalScrollBarEnabled(bool enabled) { m_horizontalScrollBarEnabled = enabled; }
    bool isVerticalScrollBarEnabled() const { return m_verticalScrollBarEnabled; }
    void setVerticalScrollBarEnabled(bool enabled) { m_verticalScrollBarEnabled = enabled; }
    // Headers of selected columns and rows are drawn highlighted.
    bool isColumnHeaderHighlight() const { return m_columnHeaderHighlight; }
    void setColumnHeaderHighlight(bool highlight) { m_columnHeaderHighlight = highlight; }
    bool isRowHeaderHighlight() const { return m_rowHeaderHighlight; }
    void setRowHeaderHighlight(bool highlight) { m_rowHeaderHighlight = highlight; }

    // --- Behaviour ----------------------------------------------------------

    // Off: a double click reports the anchor cell (cellDoubleClicked)
    // instead of opening the editor.
    bool isEditOnDoubleClick() const { return m_editOnDoubleClick; }
    void setEditOnDoubleClick(bool edit) { m_editOnDoubleClick = edit; }
    // With multi-selection off, a right press selects like a left one.
    bool isRightClickSelects() const { return m_rightClickSelects; }
    void setRightClickSelects(bool selects) { m_rightClickSelects = selects; }
    // Popped up by a right press; not owned.
    QMenu *contextMenu() const { return m_contextMenu; }
    void setContextMenu(QMenu *menu) { m_contextMenu = menu; }
    // Grid-wide switches, also given to cells made later; a cell's own
    // switch decides for it.
    bool isDragEnabled() const { return m_dragEnabled; }
    void setDragEnabled(bool enabled) { m_dragEnabled = enabled; }
    bool isDropEnabled() const { return m_dropEnabled; }
    void setDropEnabled(bool enabled) { m_dropEnabled = enabled; }

    // --- Mouse and drag state -----------------------------------------------

    bool isMousePressed() const { return m_mousePressed; }
    QPoint pressPosition() const { return m_pressPosition; }
    int pressColumn() const { return m_pressColumn; }
    int pressRow() const { return m_pressRow; }
    int hoverColumn() const { return m_hoverColumn; }
    int hoverRow() const { return m_hoverRow; }
    // A drag started by this grid is under way (set by the delegate's
    // startDrag, cleared by its dropCell and by the next press).
    bool isDragging() const { return m_dragging; }
    void setDragging(bool dragging) { m_dragging = dragging; }
    int dragColumn() const { return m_dragColumn; }
    void setDragColumn(int column) { m_dragColumn = column; }
    int dragRow() const { return m_dragRow; }
    void setDragRow(int row) { m_dragRow = row; }
    int dropColumn() const { return m_dropColumn; }
    void setDropColumn(int column) { m_dropColumn = column; }
    int dropRow() const { return m_dropRow; }
    void setDropRow(int row) { m_dropRow = row; }
    // row * columnCount + column; -1 when either is negative.
    int dragIndex() const;
    int dropIndex() const;
    // The text the show timer will display.
    QString hoverToolTip() const { return m_hoverToolTip; }
    const QTimer *showTooltipTimer() const { return m_showTooltipTimer; }
    const QTimer *hideTooltipTimer() const { return m_hideTooltipTimer; }

    // --- The owner's (never read by the grid) -------------------------------

    // Owners that fill a list cell by cell count the cells filled here.
    int itemCount() const { return m_itemCount; }
    void setItemCount(int count) { m_itemCount = count; }
    // The cell after the last counted one, in reading order, counted now; a
    // row is added when the last one is full.
    SkinGridCell *appendItemCell();
    QString tagText() const { return m_tagText; }
    void setTagText(const QString &text) { m_tagText = text; }
    int tagValue() const { return m_tagValue; }
    void setTagValue(int value) { m_tagValue = value; }

signals:
    void selectionChanged();
    void cellTextChanged(SkinGridCell *cell);
    // Before the grid handles a press; a receiver may mark it handled.
    void cellMousePressing(SkinGridMouseEvent *event);
    // After the grid has handled a press.
    void cellMousePressed(SkinGridMouseEvent *event);
    void cellDoubleClicked(SkinGridCell *cell);
    void cellClicked(SkinGridCell *cell);
    void cellMouseEnter(SkinGridCell *cell);
    void cellMouseLeave(SkinGridCell *cell);
    void cellDraging();
    void cellDraged();
    void cellDroped();
    void cellDragLeave();
    // Data from outside the grid was dropped on it; the owner takes it.
    void gridDroped(QDropEvent *event);
    // Either cell may be null (the mouse came from or went to no cell).
    void hoverCellChanged(SkinGridCell *previous, SkinGridCell *current);

public slots:
    void hScrollBarValueChanged(int value);
    void vScrollBarValueChanged(int value);
    void acceptCellEditorText();
    void autoShowTooltip();
    void autoHideTooltip();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    bool isValidColumn(int column) const { return column >= 0 && column < m_columns.size(); }
    bool isValidRow(int row) const { return row >= 0 && row < m_rows.size(); }
    bool holdsColumn(const SkinGridColumn *column) const;
    bool holdsRow(const SkinGridRow *row) const;
    void renumberColumns(int from);
    void renumberRows(int from);
    void deleteRowsAndColumns();

    void shareColumnWidths();
    void layoutColumns();
    void layoutRows();
    bool placeScrollBars();
    void moveBarQuietly(QScrollBar *bar, bool *following, int value);
    // A cell, its row or its column, by the selection mode.
    void selectByMode(int column, int row, bool extend);

    void selectOnPress(int column, int row, Qt::KeyboardModifiers modifiers);
    void popUpContextMenu(const QPoint &globalPos);
    void hoverTo(int column, int row);
    void prepareTooltip(int column, int row);
    void startDragOnMove(const QPoint &pos);
    void stretchRangeTo(const QPoint &pos);
    bool isOwnDrag(const QDropEvent *event) const;

    QTimer *m_showTooltipTimer;
    QTimer *m_hideTooltipTimer;
    QString m_hoverToolTip;
    QList<SkinGridColumn *> m_columns;
    QList<SkinGridRow *> m_rows;
    SkinGridSelection *m_selection;
    SkinGridItemDelegate *m_itemDelegate;
    bool m_holdsBuiltInDelegate = true;
    QMenu *m_contextMenu = nullptr;
    bool m_columnHeaderVisible = true;
    int m_columnHeaderHeight = 23;
    bool m_rowHeaderVisible = true;
    int m_rowHeaderWidth = 50;
    bool m_gridLinesVisible = true;
    bool m_borderVisible = true;
    QColor m_backgroundColor;
    QColor m_gridLineColor;
    int m_firstVisibleColumn = -1;
    int m_lastVisibleColumn = -1;
    int m_firstVisibleRow = -1;
    int m_lastVisibleRow = -1;
    int m_selectionMode = SkinGridSelectCells;
    bool m_multiSelection = true;
    int m_selectionStyle = SkinGridSelectionRange;
    QColor m_selectionColor;
    QColor m_selectedCellColor;
    QColor m_defaultRowColor;
    int m_defaultRowHeight = 20;
    int m_defaultColumnWidth = 80;
    int m_columnResizeMode = SkinGridColumnsKeepWidths;
    bool m_horizontalScrollBarEnabled = true;
    bool m_verticalScrollBarEnabled = true;
    bool m_columnHeaderHighlight = true;
    bool m_rowHeaderHighlight = true;
    bool m_editOnDoubleClick = true;
    bool m_rightClickSelects = false;
    bool m_dragEnabled = false;
    bool m_dropEnabled = false;
    bool m_dragging = false;
    bool m_mousePressed = false;
    // The last press was the grid's own (not handled by a receiver), so a
    // drag may start from its cell.
    bool m_pressTracked = false;
    QPoint m_pressPosition;
    int m_pressColumn = -1;
    int m_pressRow = -1;
    int m_hoverColumn = -1;
    int m_hoverRow = -1;
    int m_dragColumn = -1;
    int m_dragRow = -1;
    int m_dropColumn = -1;
    int m_dropRow = -1;
    QScrollBar *m_horizontalScrollBar;
    QScrollBar *m_verticalScrollBar;
    QLineEdit *m_cellEditor;
    // Off while the grid moves a bar itself, so the bar's signal does not
    // scroll the grid back.
    bool m_followHorizontalBar = true;
    bool m_followVerticalBar = true;
    QString m_tagText;
    int m_tagValue = 0;
    int m_itemCount = 0;
};

#endif // SKINGRIDVIEW_H
