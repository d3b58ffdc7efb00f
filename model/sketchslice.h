#ifndef SKETCHSLICE_H
#define SKETCHSLICE_H

#include <QDomElement>
#include <QList>
#include <QObject>
#include <QRect>
#include <QRectF>

class QPainter;
class SketchDocument;
class SketchDocumentView;

// A rectangle of the page that the slice export writes as an image of its
// own. Hand-drawn slices are drawn with the slice tool, saved in the document
// file and owned by the document's slice list; automatic slices cover the
// rest of the page, are made by the slice grid (SketchSliceGrid) and never
// saved. A slice has no QObject parent: whoever holds it in a list owns it.
//
// Geometry is in page pixels; endX and endY are one past the right and
// bottom edges. A slice may have a zero or negative size or lie off the
// page, and the grid treats it accordingly; but every setter keeps x, y,
// width and height within the coordinate range of boundedIntCoordinate
// (model/coordinates.h), so that no sum of them and no QRect made of them
// overflows, whatever a file held.
class SketchSlice : public QObject
{
    Q_OBJECT

public:
    explicit SketchSlice(SketchDocument *document);

    SketchDocument *document() const { return m_document; }
    // The view of the document; null without one.
    SketchDocumentView *view() const;
    // Position in the document's hand-drawn slices; -1 when not among them,
    // as for every automatic slice.
    int indexInDocument() const;

    int x() const { return m_x; }
    void setX(int x);
    int y() const { return m_y; }
    void setY(int y);
    int width() const { return m_width; }
    void setWidth(int width);
    int height() const { return m_height; }
    void setHeight(int height);
    int endX() const;
    int endY() const;
    QRect rect() const;
    void setRect(const QRect &rect);
    void moveBy(int dx, int dy);
    void resizeBy(int dw, int dh);

    bool isSelected() const { return m_selected; }
    void setSelected(bool selected) { m_selected = selected; }
    bool isAutoSlice() const { return m_autoSlice; }
    void setAutoSlice(bool autoSlice) { m_autoSlice = autoSlice; }
    // Position of the slice's block in reading order, from 0; the label
    // shows number + 1. Set by the slice grid.
    int number() const { return m_number; }
    void setNumber(int number) { m_number = number; }

    // Copies the geometry and the selection, for undo records; a null target
    // is ignored.
    void copyTo(SketchSlice *target) const;
    // A new hand-drawn slice of the same document with the same geometry and
    // selection, numbered 0; the caller owns it.
    SketchSlice *clone() const;

    // The 8 resize handles, in code order: top-left, top-middle, top-right,
    // right-middle, bottom-right, bottom-middle, bottom-left, left-middle.
    // They keep their size on screen whatever the zoom.
    QList<QRectF> handleRects() const;
    QRectF handleRect(int px, int py) const;
    // Code of the first handle whose square holds the point, -1 if none.
    int handleAt(int x, int y) const;

    // The outline, the handles when selected, and the numbered label.
    void paint(QPainter *painter) const;

    // The "Slice" element: the single attribute "Rect".
    void writeXml(QDomElement &element) const;
    void readXml(const QDomElement &element);

private:
    QList<QPoint> handlePoints() const;
    float viewZoom() const;

    SketchDocument *m_document;
    int m_x = 0;
    int m_y = 0;
    int m_width = 0;
    int m_height = 0;
    bool m_selected = false;
    bool m_autoSlice = false;
    int m_number = 0;
};

#endif // SKETCHSLICE_H
