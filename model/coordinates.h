#pragma once

// The range of coordinates that the model takes in, and the conversions of
// real coordinates into the ints of pixels and pixel rectangles.
//
// Every coordinate read from a document file, a clipboard text or a material
// is brought within +-MaxDocumentCoordinate document units: shape points,
// rotation centres, the inner positions of frames, slice edges and sizes,
// the paper size and a material's size. A value that is not a number reads
// as 0. The range is far beyond any page, and small enough that such a
// value times the largest zoom, or the sum of a few of them, still fits an
// int.
//
// Painting and export turn real coordinates into ints only through the
// conversions below. They saturate at +-MaxPixelCoordinate (a value that is
// not a number gives 0): what is read from files never comes near it, but
// edits, nested groups and rotations add coordinates up, and converting a
// value beyond the int range would be undefined. Within the range, the
// results and the width of a rectangle made of them, plus a small margin,
// fit an int.

#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>

constexpr qreal MaxDocumentCoordinate = 1.0e7;
constexpr int MaxPixelCoordinate = 1 << 28;

// A real or whole coordinate brought into +-MaxDocumentCoordinate.
qreal boundedCoordinate(qreal value);
QPointF boundedPoint(const QPointF &point);
int boundedIntCoordinate(qint64 value);
QSize boundedSize(const QSize &size);

// Truncation toward zero, and rounding as qRound, of a value first brought
// into +-MaxPixelCoordinate.
int truncatedPixel(qreal value);
int roundedPixel(qreal value);
// QRectF::toRect with every corner rounded as roundedPixel.
QRect pixelRect(const QRectF &rect);
// The smallest rectangle of whole pixels holding the rectangle, as
// QRectF::toAlignedRect, its edges first brought into +-MaxPixelCoordinate;
// empty for an empty rectangle.
QRect coveringPixelRect(const QRectF &rect);
// A position (of the mouse, say) on the nearest whole pixel, both
// coordinates rounded as roundedPixel.
QPointF roundedPos(const QPointF &pos);
