#ifndef GRADIENTFILL_H
#define GRADIENTFILL_H

class QBrush;
class QPainter;
class QPainterPath;

// Fills a path with a linear or radial gradient on a raster painter the way
// QPainter::fillPath would, but works out the gradient's pixels itself and
// fills the path with them as a picture. The raster engine makes the colour
// table of every gradient it fills under one lock for the whole process, and
// keeps only a few dozen of them: painters on several threads filling pages
// of differently coloured gradients took turns at that lock for most of
// their time. Here every fill makes its own table, no larger than its stops
// need, and the pixel colours depend only on the pixel, not on the
// painter's clip, so that a picture painted in bands equals one painted
// whole.
//
// Only what the raster engine would paint the same way is taken: a linear
// gradient, or a radial one whose focal point is its centre, with stops,
// in logical coordinates, padded, interpolating premultiplied colours,
// without a brush transform, on a raster painter with an invertible affine
// transform. Everything else (a printer's or PDF's painter keeps its
// gradients as vectors) is left to the painter.
class GradientFill
{
public:
    // Fills path as painter->fillPath(path, brush) would and returns true;
    // false, having painted nothing, when the brush or painter is not one
    // this class takes.
    static bool fillPath(QPainter *painter, const QPainterPath &path, const QBrush &brush);
    // Fills path with any brush: through fillPath where it takes the brush,
    // else through the painter.
    static void fill(QPainter *painter, const QPainterPath &path, const QBrush &brush);
};

#endif // GRADIENTFILL_H
