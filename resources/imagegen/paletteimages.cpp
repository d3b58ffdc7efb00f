// The 16 x 16 icons of the tool palette beside the document tabs, and of the
// design panel's text alignment buttons.
//
// The window tints them in the theme's icon colour, every pixel that is not
// fully transparent turning opaque, so each is a one-colour silhouette of
// whole pixels (crispGlyph): "inside" is a hole, never a lighter shade. The
// text and slice tools show their cursors (toolimages.cpp), which serve as
// their icons too.

#include "imagespec.h"

#include <functional>

using namespace imagegen;

namespace {

const QSize iconSize(16, 16);

using Drawing = std::function<void(QPainter&)>;

// A line of one pixel is drawn aliased, so that it stays one connected run
// of whole pixels; wider ones are left to the coverage threshold.
void stroke(QPainter& p, const QPainterPath& path, qreal width, Qt::PenCapStyle cap = Qt::FlatCap)
{
    p.save();
    if (width <= 1.0)
        p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(glyph, width, Qt::SolidLine, cap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.restore();
}

// A square node of a path, hollow, clearing what lies under it.
void cornerNode(QPainter& p, int x, int y)
{
    clear(p, x - 1, y - 1, 6, 6);
    frame(p, x, y, 4, 4);
}

// A round node of a path, hollow, clearing what lies under it.
void smoothNode(QPainter& p, qreal cx, qreal cy)
{
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    p.drawEllipse(QPointF(cx, cy), 3.5, 3.5);
    p.restore();
    QPainterPath ring;
    ring.addEllipse(QPointF(cx, cy), 2.5, 2.5);
    stroke(p, ring, 1.2);
}

// A small plus in the top right corner: the tool adds something.
void plus(QPainter& p)
{
    clear(p, 9, 0, 7, 7);
    fill(p, 10, 3, 5, 1);
    fill(p, 12, 1, 1, 5);
}

// The curve that the point and line tools work on.
QPainterPath curve()
{
    QPainterPath path;
    path.moveTo(2, 13);
    path.cubicTo(3, 5, 9, 11, 13, 2);
    return path;
}

// ---- Selection ------------------------------------------------------------------

void arrow(QPainter& p)
{
    area(p, polygonPath({{3, 1}, {3, 14.5}, {6.2, 11.3}, {8.6, 15.5}, {10.6, 14.4}, {8.3, 10.3},
                         {12.8, 10.3}}));
}

// ---- Lines and points -------------------------------------------------------------

// A curve between its two end nodes.
void path(QPainter& p)
{
    stroke(p, curve(), 1.0);
    cornerNode(p, 0, 12);
    cornerNode(p, 12, 1);
}

void insertCornerPoint(QPainter& p)
{
    stroke(p, curve(), 1.0);
    cornerNode(p, 6, 7);
    plus(p);
}

void insertSmoothPoint(QPainter& p)
{
    stroke(p, curve(), 1.0);
    smoothNode(p, 8, 9);
    plus(p);
}

// The line broken in two, a cross where it was cut.
void cutoff(QPainter& p)
{
    QPainterPath ends;
    ends.moveTo(0, 16);
    ends.lineTo(4.5, 11.5);
    ends.moveTo(11.5, 4.5);
    ends.lineTo(16, 0);
    stroke(p, ends, 1.8);
    QPainterPath cross;
    cross.moveTo(5, 5);
    cross.lineTo(11, 11);
    cross.moveTo(11, 5);
    cross.lineTo(5, 11);
    stroke(p, cross, 1.8);
}

// Two lines meeting in one solid node.
void connect(QPainter& p)
{
    QPainterPath lines;
    lines.moveTo(0.5, 3);
    lines.cubicTo(5, 3, 7, 6, 7.5, 8.5);
    lines.moveTo(15.5, 14);
    lines.cubicTo(11, 14, 8, 11, 7.5, 8.5);
    stroke(p, lines, 1.0);
    clear(p, 4, 5, 8, 8);
    fill(p, 5, 6, 6, 6);
}

// ---- Transforms -----------------------------------------------------------------

// Most of a circle, turning against the clock from the top, with an arrow
// head at its open end on the right, pointing up along the turn.
void rotate(QPainter& p)
{
    const QRectF circle(2, 3, 11, 11);
    QPainterPath arc;
    arc.arcMoveTo(circle, 100);
    arc.arcTo(circle, 100, 245);
    stroke(p, arc, 2.0);
    area(p, polygonPath({{9.75, 10}, {15.75, 10}, {12.75, 4.5}}));
}

// A box with a double arrow across its corner.
void resize(QPainter& p)
{
    for (int i = 0; i < 10; i += 2) {
        fill(p, i, 0, 1, 1);
        fill(p, 0, i, 1, 1);
    }
    frame(p, 0, 0, 10, 10);
    QPainterPath shaft;
    shaft.moveTo(6, 6);
    shaft.lineTo(13, 13);
    clear(p, 4, 4, 12, 12);
    stroke(p, shaft, 1.6);
    area(p, polygonPath({{15.5, 15.5}, {15.5, 9}, {9, 15.5}}));
    area(p, polygonPath({{3.5, 3.5}, {3.5, 9}, {9, 3.5}}));
}

// ---- Shapes ---------------------------------------------------------------------

void rect(QPainter& p)
{
    frame(p, 1, 3, 14, 10);
    frame(p, 2, 4, 12, 8);
}

void ellipse(QPainter& p)
{
    QPainterPath ring;
    ring.addEllipse(QRectF(1.5, 2.5, 13, 11));
    stroke(p, ring, 1.7);
}

// A speech bubble with its tail to the lower left.
void bubble(QPainter& p)
{
    QPainterPath body;
    body.addEllipse(QRectF(1, 1, 14, 10));
    QPainterPath tail = polygonPath({{3.5, 8}, {2, 15}, {8, 10}});
    area(p, body.united(tail));
    // Hollow, so that it reads as an outline like the other shapes.
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    p.drawEllipse(QRectF(3, 3, 10, 6));
    p.restore();
}

// ---- Zoom -----------------------------------------------------------------------

void magnifier(QPainter& p, bool in)
{
    QPainterPath lens;
    lens.addEllipse(QRectF(1.5, 1.5, 10, 10));
    stroke(p, lens, 1.8);
    QPainterPath handle;
    handle.moveTo(10, 10);
    handle.lineTo(15, 15);
    stroke(p, handle, 3.0);
    fill(p, 4, 6, 5, 1);
    if (in)
        fill(p, 6, 4, 1, 5);
}

// ---- Text alignment ---------------------------------------------------------------
// Lines of text as bars, against the edge or the axis they align to.

void alignBars(QPainter& p, int anchor)
{
    const int lengths[] = {12, 8, 12, 6};
    for (int row = 0; row < 4; ++row) {
        const int w = lengths[row];
        const int x = anchor < 0 ? 2 : anchor > 0 ? 14 - w : 8 - w / 2;
        fill(p, x, 3 + 3 * row, w, 2);
    }
}

// Text that runs top to bottom: columns of bars hanging from the top.
void alignVertical(QPainter& p)
{
    const int lengths[] = {12, 8, 12, 6};
    for (int column = 0; column < 4; ++column)
        fill(p, 12 - 3 * column, 2, 2, lengths[column]);
}

std::vector<ImageSpec> paletteImages()
{
    const QPoint none(-1, -1);
    const auto spec = [&](const char* file, const Drawing& drawing) {
        return ImageSpec{QLatin1String(file), iconSize, none,
                         [drawing](QPainter& p) { crispGlyph(p, iconSize, glyph, drawing); }};
    };
    return {
        spec("tools/images/Arrow.png", arrow),
        spec("tools/images/Path.png", path),
        spec("tools/images/InsertCornerPoint.png", insertCornerPoint),
        spec("tools/images/InsertSmoothPoint.png", insertSmoothPoint),
        spec("tools/images/Cutoff.png", cutoff),
        spec("tools/images/Connect.png", connect),
        spec("tools/images/Rotate.png", rotate),
        spec("tools/images/Resize.png", resize),
        spec("tools/images/Rect.png", rect),
        spec("tools/images/Ellipse.png", ellipse),
        spec("tools/images/Bubble.png", bubble),
        spec("tools/images/ZoomIn.png", [](QPainter& p) { magnifier(p, true); }),
        spec("tools/images/ZoomOut.png", [](QPainter& p) { magnifier(p, false); }),
        spec("widgets/images/AlignLeft.png", [](QPainter& p) { alignBars(p, -1); }),
        spec("widgets/images/AlignCenter.png", [](QPainter& p) { alignBars(p, 0); }),
        spec("widgets/images/AlignRight.png", [](QPainter& p) { alignBars(p, 1); }),
        spec("widgets/images/AlignVertical.png", alignVertical),
    };
}

const ImageSetRegistration registration(paletteImages);

} // namespace
