#ifndef PAINTCULLING_H
#define PAINTCULLING_H

#include <QRectF>
#include <QTransform>

class SketchShape;

// Whether a shape, painted under `transform` (its own coordinates to widget
// pixels), can put any pixel inside `area` (widget pixels). Conservative: a
// false answer means the shape certainly paints nothing there, so a repaint
// of that area may skip it. Counts the stroke, the blur, the handles of a
// selected shape, a text that runs out of its box and, for a group, the
// same for every member.
//
// The outline test is cheap; a text is laid out only when the outline alone
// misses the area and a rough bound of the text does not.
bool shapeMayPaintIn(const SketchShape *shape, const QTransform &transform, const QRectF &area);

// Rectangles (widget pixels) holding every pixel the shape can paint under
// `transform`, with the same allowances. The outline bounds leave out the
// text and the members of a group and cost no layout; the paint bounds
// hold everything.
QRectF shapeOutlineBounds(const SketchShape *shape, const QTransform &transform);
QRectF shapePaintBounds(const SketchShape *shape, const QTransform &transform);

#endif // PAINTCULLING_H
