// The images of the skinned windows: the message-box icons, the small
// buttons of the tab strip, group boxes and tool windows, and the program's
// icon.
//
// All are one-colour silhouettes on a transparent background, pixel by
// pixel without antialiasing: the widgets tint most of them in the theme's
// icon colour, and tinting makes every pixel that is not fully transparent
// opaque, so soft edges would only come out jagged. The message-box icons and
// the program icon are shown untinted, in colours that read on the dark and
// the light themes alike; their glyphs are holes in the shape.

#include "imagespec.h"

#include <QPolygonF>

#include <cmath>
#include <functional>

namespace {

// Decides a pixel by its centre (x + 0.5, y + 0.5).
using PixelTest = std::function<bool(qreal x, qreal y)>;

std::function<void(QPainter&)> silhouette(QSize size, QColor colour, PixelTest inside)
{
    return [size, colour, inside](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing, false);
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) {
                if (inside(x + 0.5, y + 0.5))
                    p.fillRect(QRect(x, y, 1, 1), colour);
            }
        }
    };
}

const QColor chrome(210, 210, 210);
const QColor notice(40, 110, 200);
const QColor caution(235, 165, 30);
const QColor failure(205, 50, 45);
const QColor brand(248, 134, 87);

// ---- Message-box icons, 24 x 24, centred on (12, 12) ------------------------

bool inDisc(qreal x, qreal y)
{
    return std::hypot(x - 12.0, y - 12.0) <= 11.0;
}

// Glyph strokes are the two pixel columns 11 and 12.
bool inStem(qreal x, qreal y, int firstRow, int lastRow)
{
    return x > 11.0 && x < 13.0 && y > firstRow && y < lastRow + 1;
}

bool information(qreal x, qreal y)
{
    const bool glyph = inStem(x, y, 5, 7) || inStem(x, y, 10, 18) || (x > 9.0 && x < 15.0 && y > 18.0 && y < 19.0);
    return inDisc(x, y) && !glyph;
}

bool warning(qreal x, qreal y)
{
    // Apex on columns 11 and 12 of row 1, base across the whole of row 22.
    const bool triangle = y > 1.0 && y < 23.0 && std::abs(x - 12.0) <= 0.5 + (y - 1.5) * 11.0 / 21.0;
    const bool glyph = inStem(x, y, 8, 15) || inStem(x, y, 18, 19);
    return triangle && !glyph;
}

bool error(qreal x, qreal y)
{
    const qreal dx = x - 12.0;
    const qreal dy = y - 12.0;
    const bool cross = std::abs(dx) <= 5.0 && std::abs(dy) <= 5.0
                       && (std::abs(dx - dy) <= 1.0 || std::abs(dx + dy) <= 1.0);
    return inDisc(x, y) && !cross;
}

bool question(qreal x, qreal y)
{
    // The hook: a ring open at its lower left, ending in the stem and a dot.
    const qreal dx = x - 12.0;
    const qreal dy = y - 9.0;
    const qreal r = std::hypot(dx, dy);
    const bool hook = r >= 2.6 && r <= 4.8 && !(dx < 0.0 && dy > 0.0);
    const bool glyph = hook || inStem(x, y, 13, 15) || inStem(x, y, 17, 18);
    return inDisc(x, y) && !glyph;
}

// ---- Small buttons ----------------------------------------------------------------

// A cross over the 6 x 6 image.
bool smallClose(qreal x, qreal y)
{
    return std::abs(x - y) < 0.5 || std::abs(x + y - 6.0) < 0.5;
}

// A bar over a triangle pointing down: "more in a menu".
bool contextButton(qreal x, qreal y)
{
    if (y < 1.0)
        return true;
    const int row = int(y) - 2;
    return row >= 0 && row <= 3 && std::abs(x - 3.5) < 4.0 - row;
}

// Triangles on a 9 x 9 canvas, centred, 5 deep.
bool expand(qreal x, qreal y)
{
    const int column = int(x) - 2;
    return column >= 0 && column <= 4 && std::abs(y - 4.5) < 5.0 - column;
}

bool collapse(qreal x, qreal y)
{
    return expand(y, x);
}

// ---- Program icon, 32 x 32 -------------------------------------------------------

// A speech bubble with three lines of writing cut out of it.
bool programIcon(qreal x, qreal y)
{
    const qreal ex = (x - 16.0) / 15.0;
    const qreal ey = (y - 13.0) / 11.5;
    static const QPolygonF tail({QPointF(7.0, 19.0), QPointF(4.0, 31.0), QPointF(17.0, 23.0)});
    const bool bubble = ex * ex + ey * ey <= 1.0 || tail.containsPoint(QPointF(x, y), Qt::OddEvenFill);
    const bool line1 = y > 8.0 && y < 10.0 && x > 8.0 && x < 24.0;
    const bool line2 = y > 12.0 && y < 14.0 && x > 7.0 && x < 25.0;
    const bool line3 = y > 16.0 && y < 18.0 && x > 8.0 && x < 19.0;
    return bubble && !line1 && !line2 && !line3;
}

std::vector<ImageSpec> windowImages()
{
    const QPoint none(-1, -1);
    const QSize box(24, 24);
    return {
        {"widgets/images/Information.png", box, none, silhouette(box, notice, information)},
        {"widgets/images/Warning.png", box, none, silhouette(box, caution, warning)},
        {"widgets/images/Error.png", box, none, silhouette(box, failure, error)},
        {"widgets/images/Question.png", box, none, silhouette(box, notice, question)},
        {"widgets/images/SmallClose.png", QSize(6, 6), none, silhouette(QSize(6, 6), chrome, smallClose)},
        {"widgets/images/ContextButton.png", QSize(7, 6), none, silhouette(QSize(7, 6), chrome, contextButton)},
        {"widgets/images/Expand.png", QSize(9, 9), none, silhouette(QSize(9, 9), chrome, expand)},
        {"widgets/images/Collapse.png", QSize(9, 9), none, silhouette(QSize(9, 9), chrome, collapse)},
        {"icons/winapp.ico", QSize(32, 32), none, silhouette(QSize(32, 32), brand, programIcon)},
    };
}
const ImageSetRegistration registration(windowImages);

} // namespace
