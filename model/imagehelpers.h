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
// by `size` from its top and left. The colour follows the current skin theme
// and is read at every call.
void drawDropShadow(QPainter *painter, QRect rect, int size);

#endif // IMAGEHELPERS_H
