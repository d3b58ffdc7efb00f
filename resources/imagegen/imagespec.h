#pragma once
// What the image generator draws: one entry per checked-in image, and the
// small drawing vocabulary the drawings share.
//
// Each area of the program keeps its drawings in a file of its own
// (toolimages.cpp, ...) and lists them with one ImageSetRegistration at file
// scope, so adding a set never touches another area's file.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPoint>
#include <QSize>
#include <QString>

#include <functional>
#include <initializer_list>
#include <vector>

struct ImageSpec {
    QString path;   // relative to the resources folder
    QSize size;
    QPoint hotSpot; // (-1, -1) for images that are not cursors
    std::function<void(QPainter&)> draw;
};

using ImageSetFunction = std::vector<ImageSpec> (*)();

// Adds a set of drawings to the generator; used once per area file.
class ImageSetRegistration {
public:
    explicit ImageSetRegistration(ImageSetFunction set);
};

// Every registered drawing, sets in the order of their paths.
std::vector<ImageSpec> allImageSpecs();

namespace imagegen {

extern const QColor ink;
extern const QColor paper;
extern const QColor steel;
// The grey of the icons the program tints: any colour serves, and mid grey
// shows on the light and the dark preview sheets alike.
extern const QColor glyph;

// Geometry is given in pixel centres (x + 0.5), so 1-pixel outlines along
// the axes land on whole pixels and stay crisp with antialiasing on.
QPointF px(qreal x, qreal y);

QPainterPath polygonPath(std::initializer_list<QPointF> points);

// Light body with a dark 1-pixel outline: visible on dark and light pages.
void outlined(QPainter& p, const QPainterPath& path, const QColor& fill = paper, qreal width = 1.0);

// Dark stroke with a light halo, for line art on any background.
void haloLine(QPainter& p, const QPainterPath& path, qreal width = 1.0);

// The tip of a pointed drawing covers its pixel only in part; the hot-spot
// pixel itself is inked so the click point is always visible.
void inkPixel(QPainter& p, QPoint at);

// For icons that the program tints (every pixel that is not fully
// transparent painted opaque): runs the drawing antialiased into a scratch
// image of the given size, its painter's brush set to the colour and no
// pen, then draws every pixel at least half covered opaque in that colour
// and leaves the others transparent, so that no edge comes out as a bump.
void crispGlyph(QPainter& target, QSize size, const QColor& colour,
                const std::function<void(QPainter&)>& drawing);

// Whole pixels from (x, y), w by h, in the glyph grey.
void fill(QPainter& p, int x, int y, int w, int h);
// Whole pixels made transparent again.
void clear(QPainter& p, int x, int y, int w, int h);
// The path filled in the glyph grey, whatever the painter's pen and brush.
void area(QPainter& p, const QPainterPath& path);
// A one-pixel glyph outline around the pixels x..x+w-1, y..y+h-1.
void frame(QPainter& p, int x, int y, int w, int h);

} // namespace imagegen
