#ifndef SKINGRIDROW_H
#define SKINGRIDROW_H

#include <QColor>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class SkinGridCell;
class SkinGridView;

// One row of a SkinGridView: its height, its place in the layout, its header
// text, its fill, and its cells. The grid owns its rows; a row owns its cells
// and deletes them with itself.
//
// The cell list is indexed by column and may be shorter than the grid's
// column count: cells are made only when something is stored in them (see
// SkinGridView::cellAt). y is in content coordinates, top() and bottom() in
// widget coordinates.
class SkinGridRow
{
public:
    // Takes the grid's default row height and row colour; not yet in the
    // grid (index -1), no cells.
    explicit SkinGridRow(SkinGridView *grid);
    ~SkinGridRow();

    SkinGridRow(const SkinGridRow &) = delete;
    SkinGridRow &operator=(const SkinGridRow &) = delete;

    SkinGridView *grid() const { return m_grid; }
    void setGrid(SkinGridView *grid) { m_grid = grid; }

    // Position in the grid's row list; -1 outside it. Setting it renumbers
    // the row's cells too.
    int index() const { return m_index; }
    void setIndex(int index);

    // The cells by column, owned by the row. Changed only by the grid.
    const QList<SkinGridCell *> &cells() const { return m_cells; }
    QList<SkinGridCell *> &cells() { return m_cells; }
    // Deletes every cell and empties the list.
    void deleteCells();

    // 0 while the row is hidden, whatever height it keeps for later.
    int height() const { return m_visible ? m_height : 0; }
    // Stores max(height, 0) and returns what it stored; laid out again only
    // by the grid's updateLayout.
    int setHeight(int height);

    int y() const { return m_y; }
    void setY(int y) { m_y = y; }
    int top() const;
    int bottom() const { return top() + height(); }

    bool isVisible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }

    // The row header's text and its alignment.
    QString text() const { return m_text; }
    void setText(const QString &text) { m_text = text; }
    int alignment() const { return m_alignment; }
    void setAlignment(int alignment) { m_alignment = alignment; }

    // Painted behind the row's cells when its alpha is not 0.
    QColor backgroundColor() const { return m_backgroundColor; }
    void setBackgroundColor(const QColor &color) { m_backgroundColor = color; }

    // The object the row shows, not owned; reads null once it is deleted.
    QObject *data() const { return m_data; }
    void setData(QObject *data) { m_data = data; }

    QString userText() const { return m_userText; }
    void setUserText(const QString &text) { m_userText = text; }
    int userValue() const { return m_userValue; }
    void setUserValue(int value) { m_userValue = value; }

    // Copies visibility, header text and alignment, colour, data and the
    // user fields into the other row, and replaces the other row's cells by
    // one new cell per cell of this one, holding its content (see
    // SkinGridCell::copyTo). The height stays the other row's.
    void copyTo(SkinGridRow *other) const;

private:
    SkinGridView *m_grid;
    QList<SkinGridCell *> m_cells;
    int m_index = -1;
    int m_height;
    int m_y = 0;
    bool m_visible = true;
    QString m_text;
    int m_alignment;
    QColor m_backgroundColor;
    QPointer<QObject> m_data;
    QString m_userText;
    int m_userValue = 0;
};

#endif // SKINGRIDROW_H
