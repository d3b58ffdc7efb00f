#ifndef SKINCOLORTABLE_H
#define SKINCOLORTABLE_H

#include <QColor>
#include <QRectF>
#include <QWidget>

// A grid of 56 colour swatches, 8 columns by 7 rows, filled from one of
// the built-in palettes: 0 "General", 1 "Human", 2 "Nature". A press
// selects a swatch, a double-click accepts one. Every colour editor puts a
// table above a SkinColorSlider and feeds the table's selected colour to it.
//
// Swatch i sits in column i % 8 and row i / 8, row 0 at the top. A swatch
// with alpha 0 is empty and shows the background; swatch 55 of palette 0 is
// the "no colour" swatch (transparent black), drawn white with a red
// diagonal.
//
// The widget owns its 56 colours by value. It has no keyboard interface;
// its theme colours are read at every paint.
class SkinColorTable : public QWidget
{
    Q_OBJECT

public:
    static constexpr int ColumnCount = 8;
    static constexpr int RowCount = 7;
    static constexpr int CellCount = ColumnCount * RowCount;

    // Nothing selected, palette 0.
    explicit SkinColorTable(QWidget *parent = nullptr);

    // --- Palette ------------------------------------------------------------

    // Empties every swatch, then fills them from palette 0, 1 or 2; any
    // other number leaves all 56 empty. The selected index stays, so the
    // frame may now sit on another colour.
    void setPalette(int number);
    using QWidget::setPalette;
    int paletteNumber() const { return m_paletteNumber; }

    // --- Selection ----------------------------------------------------------

    // -1 for none.
    int selectedIndex() const { return m_selectedIndex; }
    // The selected swatch's colour; invalid with nothing selected.
    QColor selectedColor() const;

    // --- Geometry -----------------------------------------------------------

    // The swatch rectangle of cell `index` (0 to 55), in single precision:
    // the cells share (width - 1) by (height - 1), the last column and row
    // taking what the even share leaves over.
    QRectF cellRect(int index) const;
    // The lowest cell whose rectangle holds the point, edges included, so a
    // point on a shared edge belongs to the lower index; -1 outside the grid.
    int indexAt(int x, int y) const;

public slots:
    // Selects the lowest swatch equal to `color`, or none; emits nothing and
    // does not repaint.
    void setSelectedColor(const QColor &color);

signals:
    void selectedColorChanged();
    void selectedColorChanged(const QColor &color);
    void selectedColorAccepted();
    void selectedColorAccepted(const QColor &color);

protected:
    // Left button: selects the swatch under the pointer and emits
    // selectedColorChanged(QColor), then selectedColorChanged(), also when
    // it was already selected.
    void mousePressEvent(QMouseEvent *event) override;
    // Any button: emits selectedColorAccepted(QColor), then
    // selectedColorAccepted(), for the swatch under the pointer; the press
    // before it did the selecting.
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // The cell under a mouse position, rounded to whole pixels.
    int indexAtEvent(const QMouseEvent *event) const;

    int m_paletteNumber = 0;
    QColor m_colors[CellCount];
    int m_selectedIndex = -1;
};

#endif // SKINCOLORTABLE_H
