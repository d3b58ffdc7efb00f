// The tool cursors and the scroll-bar / spin-box images of the style sheet.
//
// Cursor drawings put their tip on the hot spot the tool passes to QCursor;
// tests/editor/tst_resources.cpp checks that the hot-spot pixel is drawn.

#include "imagespec.h"

#include <cmath>

using namespace imagegen;

namespace {

// ---- Arrow-based cursors (32 x 32, hot spot (0, 0)) ---------------------

// Straight edges at 45 degrees and at a slope of 2 come out as clean pixel
// stairs only without antialiasing.
void arrow(QPainter& p)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    const QPolygon shape({QPoint(0, 0), QPoint(0, 16), QPoint(4, 12), QPoint(7, 18),
                          QPoint(10, 17), QPoint(7, 11), QPoint(11, 11)});
    p.setPen(QPen(ink, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(paper);
    p.drawPolygon(shape);
    p.restore();
}

void createRect(QPainter& p)
{
    arrow(p);
    QPainterPath box;
    box.addRect(QRectF(px(13, 16), px(24, 24)));
    outlined(p, box);
}

// Antialiased curves need a slightly heavier rim to look as dark as straight ones.
const qreal curvedRim = 1.25;

void createEllipse(QPainter& p)
{
    arrow(p);
    QPainterPath ellipse;
    ellipse.addEllipse(QRectF(px(13, 16), px(25, 25)));
    outlined(p, ellipse, paper, curvedRim);
}

void createBubble(QPainter& p)
{
    arrow(p);
    QPainterPath body;
    body.addEllipse(QRectF(px(12, 14), px(26, 23)));
    QPainterPath tail = polygonPath({px(15, 20), px(14, 27), px(20, 21)});
    outlined(p, body.united(tail), paper, curvedRim);
}

// Arrow over a dashed box: the selection being dragged.
void drag(QPainter& p)
{
    arrow(p);
    QPainterPath box;
    box.addRect(QRectF(px(12, 15), px(24, 25)));
    p.setPen(Qt::NoPen);
    p.setBrush(paper);
    p.drawPath(box);
    QPen dashed(ink, 1.0, Qt::CustomDashLine, Qt::FlatCap, Qt::MiterJoin);
    dashed.setDashPattern({2.0, 1.0});
    p.setPen(dashed);
    p.setBrush(Qt::NoBrush);
    p.drawPath(box);
    p.fillRect(QRect(18, 18, 1, 5), ink);
    p.fillRect(QRect(16, 20, 5, 1), ink);
}

// ---- Pen cursors (32 x 32, hot spot (8, 0): the nib's point) ------------

void nib(QPainter& p)
{
    // sides at a slope of 2, drawn aliased so they come out as clean stairs
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(ink, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(paper);
    p.drawPolygon(QPolygon({QPoint(8, 0), QPoint(12, 8), QPoint(12, 13), QPoint(4, 13),
                            QPoint(4, 8)}));
    // slit and breather hole
    p.drawLine(QPoint(8, 1), QPoint(8, 7));
    p.fillRect(QRect(7, 7, 3, 3), ink);
    // grip
    p.setBrush(QColor(96, 96, 96));
    p.drawRect(QRect(4, 14, 8, 4));
    p.fillRect(QRect(6, 15, 1, 3), QColor(170, 170, 170));
    p.restore();
}

void pen(QPainter& p) { nib(p); }

void penSmooth(QPainter& p)
{
    nib(p);
    // a curve node: its tangent with the round handle of a smooth point
    QPainterPath tangent;
    tangent.moveTo(px(14, 26));
    tangent.lineTo(px(28, 14));
    haloLine(p, tangent, 1.5);
    QPainterPath handle;
    handle.addEllipse(px(21, 20), 3.5, 3.5);
    p.setPen(QPen(ink, 1.5));
    p.setBrush(paper);
    p.drawPath(handle);
}

void penCutoff(QPainter& p)
{
    nib(p);
    // scissors, blades up
    QPainterPath blades;
    blades.moveTo(px(17, 23));
    blades.lineTo(px(25, 13));
    blades.moveTo(px(25, 23));
    blades.lineTo(px(17, 13));
    haloLine(p, blades, 1.5);
    QPainterPath rings;
    rings.addEllipse(px(16, 25), 2.5, 2.5);
    rings.addEllipse(px(26, 25), 2.5, 2.5);
    p.setPen(QPen(ink, 1.5));
    p.setBrush(paper);
    p.drawPath(rings);
}

void penConnect(QPainter& p)
{
    nib(p);
    // two path ends meeting in one point
    QPainterPath ends;
    ends.moveTo(px(14, 25));
    ends.lineTo(px(20, 19));
    ends.lineTo(px(27, 23));
    haloLine(p, ends, 1.5);
    QPainterPath node;
    node.addRect(QRectF(px(18, 17), px(22, 21)));
    outlined(p, node);
}

// ---- Other tool cursors (16 x 16) -----------------------------------------

// Magnifier centred on the hot spot (6, 6).
void lens(QPainter& p, bool plus)
{
    QPainterPath handle;
    handle.moveTo(px(10.2, 10.2));
    handle.lineTo(px(13.5, 13.5));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(paper, 5.0, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(handle);
    p.setPen(QPen(ink, 3.0, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(handle);

    p.setPen(QPen(paper, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(px(6, 6), 6.0, 6.0);
    p.setPen(QPen(ink, 1.5));
    p.setBrush(paper);
    p.drawEllipse(px(6, 6), 5.0, 5.0);

    p.fillRect(QRect(4, 6, 5, 1), ink);
    if (plus)
        p.fillRect(QRect(6, 4, 1, 5), ink);
}

void zoomIn(QPainter& p) { lens(p, true); }
void zoomOut(QPainter& p) { lens(p, false); }

// The eyedropper and the knife lie at 45 degrees from their point. They are
// drawn in a frame turned by 45 degrees about the point, measured in steps
// of half a pixel diagonal: lines at whole steps run through pixel centres
// and so stay sharp.
void diagonalFrame(QPainter& p, QPoint point)
{
    p.translate(px(point.x(), point.y()));
    p.rotate(-45.0);
    p.scale(M_SQRT1_2, M_SQRT1_2);
}

void colorPicker(QPainter& p)
{
    p.save();
    diagonalFrame(p, QPoint(1, 14));
    // outlines are one pixel wide in the turned, scaled frame too
    const qreal pen = M_SQRT2;
    p.setPen(QPen(ink, pen, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    p.setBrush(QColor(190, 225, 255));
    p.drawPath(polygonPath({{0, 0}, {2, -2}, {12, -2}, {12, 2}, {2, 2}}));
    p.setBrush(ink);
    p.drawRect(QRectF(12, -4, 2, 8));
    p.setBrush(QColor(200, 50, 45));
    p.drawRoundedRect(QRectF(14, -3, 8, 6), 2.5, 2.5);
    p.restore();
    inkPixel(p, QPoint(1, 14));
}

void slice(QPainter& p)
{
    p.save();
    diagonalFrame(p, QPoint(0, 14));
    const qreal pen = M_SQRT2;
    p.setPen(QPen(ink, pen, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    p.setBrush(steel);
    p.drawPath(polygonPath({{0, 0}, {14, 0}, {14, -5}, {5, -5}}));
    p.setBrush(QColor(240, 170, 40));
    p.drawRoundedRect(QRectF(15, -5, 8, 6), 1.0, 1.0);
    p.restore();
    inkPixel(p, QPoint(0, 14));
}

// A letter T; the hot spot (7, 2) is the middle of its bar, where a click
// centres the new text box.
void text(QPainter& p)
{
    QPainterPath t = polygonPath({px(1, 0), px(13, 0), px(13, 4), px(9, 4), px(9, 14),
                                  px(5, 14), px(5, 4), px(1, 4)});
    outlined(p, t);
}

// ---- Scroll-bar, combo-box and spin-box images -----------------------------

// A triangle pointing down, a dark rim around a light core, built row by
// row so that it stays pixel-sharp; drawn on a square canvas and turned for
// the other directions. Its weight centre sits on the canvas centre, so the
// base lies one row above the middle.
void triangle(QPainter& p, int side, qreal angle)
{
    const qreal c = side / 2.0;
    const int half = side / 2;
    const int base = half - 1;
    p.setRenderHint(QPainter::Antialiasing, false);
    p.translate(c, c);
    p.rotate(angle);
    p.translate(-c, -c);
    for (int k = 0; k <= half; ++k) {
        const QRect row(k, base + k, side - 2 * k, 1);
        p.fillRect(row, k == 0 || k == half ? ink : paper);
        p.fillRect(QRect(row.left(), row.top(), 1, 1), ink);
        p.fillRect(QRect(row.right(), row.top(), 1, 1), ink);
    }
}

std::function<void(QPainter&)> arrowImage(int side, qreal angle)
{
    return [side, angle](QPainter& p) { triangle(p, side, angle); };
}

// Three etched ridges across the scroll-bar handle.
void grip(QPainter& p, bool vertical)
{
    const QColor shade(0, 0, 0, 120);
    const QColor light(255, 255, 255, 110);
    for (int i = 0; i < 3; ++i) {
        const int at = 3 * i;
        if (vertical) {
            p.fillRect(QRect(0, at, 8, 1), shade);
            p.fillRect(QRect(0, at + 1, 8, 1), light);
        } else {
            p.fillRect(QRect(at, 0, 1, 8), shade);
            p.fillRect(QRect(at + 1, 0, 1, 8), light);
        }
    }
}

std::vector<ImageSpec> toolAndWidgetImages()
{
    const QPoint none(-1, -1);
    const QSize cursor32(32, 32);
    const QSize cursor16(16, 16);
    return {
        {"tools/images/CursorArrow.png", cursor32, QPoint(0, 0), arrow},
        {"tools/images/CursorCreateRect.png", cursor32, QPoint(0, 0), createRect},
        {"tools/images/CursorCreateEllipse.png", cursor32, QPoint(0, 0), createEllipse},
        {"tools/images/CursorCreateBubble.png", cursor32, QPoint(0, 0), createBubble},
        {"tools/images/CursorDrag.png", cursor32, QPoint(0, 0), drag},
        {"tools/images/Pen.png", cursor32, QPoint(8, 0), pen},
        {"tools/images/PenSmooth.png", cursor32, QPoint(8, 0), penSmooth},
        {"tools/images/PenCutoff.png", cursor32, QPoint(8, 0), penCutoff},
        {"tools/images/PenConnect.png", cursor32, QPoint(8, 0), penConnect},
        {"tools/images/CursorZoomIn.png", cursor16, QPoint(6, 6), zoomIn},
        {"tools/images/CursorZoomOut.png", cursor16, QPoint(6, 6), zoomOut},
        {"tools/images/ColorPicker.png", cursor16, QPoint(1, 14), colorPicker},
        {"tools/images/Slice.png", cursor16, QPoint(0, 14), slice},
        {"tools/images/Text.png", cursor16, QPoint(7, 2), text},
        // Scroll-bar buttons are 17 x 14 inside the bar's border, the combo
        // box's drop-down 15 wide; the spin-box rules size their arrows 7 x 7.
        {"widgets/images/UpArrow.png", QSize(9, 9), none, arrowImage(9, 180.0)},
        {"widgets/images/DownArrow.png", QSize(9, 9), none, arrowImage(9, 0.0)},
        {"widgets/images/LeftArrow.png", QSize(9, 9), none, arrowImage(9, 90.0)},
        {"widgets/images/RightArrow.png", QSize(9, 9), none, arrowImage(9, -90.0)},
        {"widgets/images/SpinUpArrow.png", QSize(7, 7), none, arrowImage(7, 180.0)},
        {"widgets/images/SpinDownArrow.png", QSize(7, 7), none, arrowImage(7, 0.0)},
        {"widgets/images/HGrip.png", QSize(8, 8), none, [](QPainter& p) { grip(p, false); }},
        {"widgets/images/VGrip.png", QSize(8, 8), none, [](QPainter& p) { grip(p, true); }},
    };
}
const ImageSetRegistration registration(toolAndWidgetImages);

} // namespace
