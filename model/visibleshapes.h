#ifndef VISIBLESHAPES_H
#define VISIBLESHAPES_H

#include <QRect>
#include <QTransform>
#include <QVector>

class SketchShape;

// The shapes a repaint has to draw: of those offered, bottom first, the ones
// whose painting reaches the exposed area and is not wholly hidden under
// the opaque insides of shapes above them. On a crowded page zoomed in,
// most shapes lie outside the area or deep under others.
class VisibleShapes
{
public:
    struct Entry
    {
        SketchShape *shape;
        QTransform transform; // own coordinates to widget pixels
        // Widget pixels the shape can still change: the repaint may clip
        // it there. Found by unhidden().
        QRect visibleArea;
        // Widget pixels holding everything the shape paints, hidden or not;
        // found by unhidden() for the shapes it keeps.
        QRect reach;
    };

    explicit VisibleShapes(const QRect &exposed);

    // Shapes come bottom first; one that cannot reach the area is dropped.
    void offer(SketchShape *shape, const QTransform &transform);
    // The offered shapes that can show, bottom first.
    QVector<Entry> unhidden() const;

private:
    QRect m_exposed;
    QVector<Entry> m_entries;
};

#endif // VISIBLESHAPES_H
