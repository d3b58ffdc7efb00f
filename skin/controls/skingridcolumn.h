#ifndef SKINGRIDCOLUMN_H
#define SKINGRIDCOLUMN_H

#include <QString>

class SkinGridView;

// One column of a SkinGridView: its width, its place in the layout and its
// header. The grid owns and deletes its columns; a column made by a caller
// belongs to the grid once it is inserted.
//
// Positions come in two kinds: x is in content coordinates (the layout sets
// it: the row header's width, then the widths of the columns before), left()
// and right() are in widget coordinates, shifted by the scroll position.
class SkinGridColumn
{
public:
    // Takes the grid's default column width; not yet in the grid (index -1).
    explicit SkinGridColumn(SkinGridView *grid);

    SkinGridColumn(const SkinGridColumn &) = delete;
    SkinGridColumn &operator=(const SkinGridColumn &) = delete;

    SkinGridView *grid() const { return m_grid; }
    void setGrid(SkinGridView *grid) { m_grid = grid; }

    // Position in the grid's column list; -1 outside it.
    int index() const { return m_index; }
    void setIndex(int index) { m_index = index; }

    // 0 while the column is hidden, whatever width it keeps for later.
    int width() const { return m_visible ? m_width : 0; }
    // Stores max(width, 0) and returns what it stored. Nothing is laid out
    // again until the grid's updateLayout.
    int setWidth(int width);

    int x() const { return m_x; }
    void setX(int x) { m_x = x; }
    int left() const;
    int right() const { return left() + width(); }

    bool isVisible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }

    QString headerText() const { return m_headerText; }
    void setHeaderText(const QString &text) { m_headerText = text; }
    int headerAlignment() const { return m_headerAlignment; }
    void setHeaderAlignment(int alignment) { m_headerAlignment = alignment; }
    // Given to the cells of this column when they are made or reset.
    int cellAlignment() const { return m_cellAlignment; }
    void setCellAlignment(int alignment) { m_cellAlignment = alignment; }

    // The owner's; the grid never reads them.
    int userValue1() const { return m_userValue1; }
    void setUserValue1(int value) { m_userValue1 = value; }
    QString userText() const { return m_userText; }
    void setUserText(const QString &text) { m_userText = text; }
    int userValue2() const { return m_userValue2; }
    void setUserValue2(int value) { m_userValue2 = value; }

private:
    SkinGridView *m_grid;
    int m_index = -1;
    int m_width;
    int m_x = 0;
    bool m_visible = true;
    QString m_headerText;
    int m_headerAlignment;
    int m_cellAlignment;
    int m_userValue1 = 0;
    QString m_userText;
    int m_userValue2 = 0;
};

#endif // SKINGRIDCOLUMN_H
