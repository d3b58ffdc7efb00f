#ifndef OCCLUSIONGRID_H
#define OCCLUSIONGRID_H

#include <QRect>
#include <QRectF>

#include <vector>

// Which parts of a repaint's area are already covered by opaque paint, kept
// as a grid of square cells over the area. Conservative both ways: marking
// covers only the cells wholly inside the marked rectangle, and a rectangle
// counts as hidden only when every cell it touches is covered. Whatever
// lies outside the area counts as hidden, since the repaint is clipped to
// it.
class OcclusionGrid
{
public:
    explicit OcclusionGrid(const QRect &area);

    // Every cell is covered: nothing more can show.
    bool isFull() const { return m_coveredCount == int(m_covered.size()); }
    bool hides(const QRectF &rect) const { return uncoveredBounds(rect).isEmpty(); }
    // The smallest rectangle of whole cells, within the area, holding every
    // cell that the rectangle touches and that is not covered; empty when
    // it is hidden.
    QRect uncoveredBounds(const QRectF &rect) const;
    void markOpaque(const QRectF &rect);

private:
    // Cells are at most this many across either way, whatever the area.
    static const int MaxCellsAcross = 256;

    QRect m_area;
    int m_cellSize = 1;
    int m_columns = 0;
    int m_rows = 0;
    std::vector<unsigned char> m_covered; // row by row
    int m_coveredCount = 0;
};

#endif // OCCLUSIONGRID_H
