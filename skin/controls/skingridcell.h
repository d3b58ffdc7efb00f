#ifndef SKINGRIDCELL_H
#define SKINGRIDCELL_H

#include <QColor>
#include <QMetaType>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>

class SkinGridView;

// One cell of a SkinGridView: a text with its alignment and colours, the
// editing and drag-and-drop switches, a tool tip, and a pointer to the
// object the cell shows. Its row owns it; signals hand cells out by pointer
// and receivers must not keep them past the next change of the grid.
//
// Setters only store: nothing repaints and nothing is signalled. A "free"
// cell (column and row -1) belongs to no row; the grid uses such cells as
// scratch space while it moves content around.
class SkinGridCell
{
public:
    // Takes its alignment from the grid's column (left and vertically
    // centred for a free cell), its drag and drop switches from the grid,
    // and the theme's text colour.
    SkinGridCell(SkinGridView *grid, int column, int row);

    SkinGridCell(const SkinGridCell &) = delete;
    SkinGridCell &operator=(const SkinGridCell &) = delete;

    SkinGridView *grid() const { return m_grid; }
    int column() const { return m_column; }
    void setColumn(int column) { m_column = column; }
    int row() const { return m_row; }
    void setRow(int row) { m_row = row; }
    // row * columnCount + column.
    int index() const;
    // The grid's cellRect for this cell, in widget coordinates.
    QRect rect() const;
    bool isSelected() const;

    // A QObject that lives exactly as long as the cell, free for the owner
    // (say, as the context of connections that must end with the cell). The
    // grid uses nothing of it.
    QObject *context() { return &m_context; }

    QString text() const { return m_text; }
    void setText(const QString &text) { m_text = text; }
    int alignment() const { return m_alignment; }
    void setAlignment(int alignment) { m_alignment = alignment; }
    // Painted when not fully transparent.
    QColor backgroundColor() const { return m_backgroundColor; }
    void setBackgroundColor(const QColor &color) { m_backgroundColor = color; }
    QColor textColor() const { return m_textColor; }
    void setTextColor(const QColor &color) { m_textColor = color; }
    // A read-only cell never opens the in-place editor.
    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool isDragEnabled() const { return m_dragEnabled; }
    void setDragEnabled(bool enabled) { m_dragEnabled = enabled; }
    bool isDropEnabled() const { return m_dropEnabled; }
    void setDropEnabled(bool enabled) { m_dropEnabled = enabled; }
    // Shown after the mouse rests on the cell.
    QString toolTip() const { return m_toolTip; }
    void setToolTip(const QString &text) { m_toolTip = text; }
    // The object the cell shows, not owned; reads null once it is deleted.
    QObject *data() const { return m_data; }
    void setData(QObject *data) { m_data = data; }
    QString userText() const { return m_userText; }
    void setUserText(const QString &text) { m_userText = text; }
    int userValue() const { return m_userValue; }
    void setUserValue(int value) { m_userValue = value; }

    // The content that moves when cells are shifted or dragged: alignment,
    // background colour, read-only and drag switches, text, user fields,
    // data and tool tip. The text colour and the drop switch stay with the
    // position. copyTo ignores a null cell; reset sets the same fields to
    // an empty cell's (alignment from the column, dragging off).
    void copyTo(SkinGridCell *other) const;
    void reset();

private:
    SkinGridView *m_grid;
    int m_column;
    int m_row;
    QObject m_context;
    QString m_text;
    int m_alignment;
    QColor m_backgroundColor;
    QColor m_textColor;
    bool m_readOnly = false;
    bool m_dragEnabled;
    bool m_dropEnabled;
    QString m_toolTip;
    QPointer<QObject> m_data;
    QString m_userText;
    int m_userValue = 0;
};

Q_DECLARE_METATYPE(SkinGridCell *)

#endif // SKINGRIDCELL_H
