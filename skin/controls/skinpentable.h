#ifndef SKINPENTABLE_H
#define SKINPENTABLE_H

#include <QPen>
#include <QRectF>
#include <QWidget>

// The sample pens of the pen picker's popup: 24 cells, 6 columns by 4 rows,
// holding widths 1 to 12 with round caps (the first two rows) and 1 to 12
// with square caps (the last two), each drawn as a black dot or square with
// its width as "Npx" (the 1 px samples as one pixel, whatever their cap).
// A press selects a cell, a double-click accepts one.
// Only the width and the cap of a pen matter here.
//
// The table owns its sample pens by value.
class SkinPenTable : public QWidget
{
    Q_OBJECT

public:
    static constexpr int ColumnCount = 6;
    static constexpr int RowCount = 4;
    static constexpr int CellCount = ColumnCount * RowCount;

    // Cell 0 (1 px, round) selected.
    explicit SkinPenTable(QWidget *parent = nullptr);

    // -1 when the last pen set matched no sample.
    int selectedIndex() const { return m_selectedIndex; }
    // The selected sample; a default QPen with nothing selected.
    QPen selectedPen() const;

    // The cell rectangle of `index` (0 to 23). The columns share (width - 1)
    // in whole pixels and the rows (height - 1) in quarters; the last column
    // and row take what is left, so the grid ends at width - 1, height - 1.
    QRectF cellRect(int index) const;
    // The first cell whose rectangle holds the point, edges included; -1
    // outside.
    int cellAt(int x, int y) const;

public slots:
    // Selects the first sample with the pen's width and cap, or none (a
    // width above 12, a flat cap). Emits nothing and does not repaint.
    void setSelectedPen(const QPen &pen);

signals:
    void selectedPenChanged();
    void selectedPenChanged(const QPen &pen);
    void selectedPenAccepted();
    void selectedPenAccepted(const QPen &pen);

protected:
    // Any button: selects the cell under the pointer, then emits
    // selectedPenChanged(QPen) and selectedPenChanged().
    void mousePressEvent(QMouseEvent *event) override;
    // Emits selectedPenAccepted(QPen) and selectedPenAccepted() for the cell
    // under the pointer; the press before it did the selecting.
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    int cellAtEvent(const QMouseEvent *event) const;
    void paintSample(QPainter *painter, int index) const;

    QPen m_pens[CellCount];
    int m_selectedIndex = 0;
};

#endif // SKINPENTABLE_H
