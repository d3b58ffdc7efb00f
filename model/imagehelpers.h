#ifndef IMAGEHELPERS_H
#define IMAGEHELPERS_H

#include <QRect>
#include <QString>

class QColor;
class QPainter;

// "#RRGGBB" in capitals, or "#AARRGGBB" when the colour is not opaque:
// opaque red gives "#FF0000", red with alpha 128 "#80FF0000".
QString colorToHexText(const QColor &color);

// Paints the shadow of a rectangle (the paper of the document view): a strip
// of `size` pixels along its right edge and one along its bottom edge, offset
// by `size` from its top and left, in the surround colour darkened, read at
// every call.
void drawDropShadow(QPainter *painter, QRect rect, int size);

// The colour around the paper that the shadow darkens. The skin theme hands
// its own in whenever it loads, so the model needs no theme; until then it
// is an invalid colour, as the theme's is before its first load.
QColor dropShadowSurroundColor();
void setDropShadowSurroundColor(const QColor &color);

#endif // IMAGEHELPERS_H
