#include "model/gradientfill.h"

#include <QBrush>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Enough table entries that no colour is off by more than half a level
// (the steepest stretch between two stops sets how many), up to the 1024 of
// the raster engine's own tables.
constexpr int kFewestEntries = 16;
constexpr int kMostEntries = 1024;

struct Premultiplied
{
    float r, g, b, a;
};

Premultiplied premultiplied(const QColor &color)
{
    const float a = float(color.alphaF());
    return {float(color.redF()) * a * 255.0f, float(color.greenF()) * a * 255.0f,
            float(color.blueF()) * a * 255.0f, a * 255.0f};
}

QRgb packed(const Premultiplied &c)
{
    const auto channel = [](float v) { return std::clamp(int(v + 0.5f), 0, 255); };
    return qRgba(channel(c.r), channel(c.g), channel(c.b), channel(c.a));
}

// The colours at count evenly spaced positions from 0 to 1, the stops'
// premultiplied colours interpolated and padded beyond the first and last.
std::vector<QRgb> colourTable(const QGradientStops &stops, int count)
{
    std::vector<Premultiplied> colours;
    colours.reserve(size_t(stops.size()));
    for (const QGradientStop &stop : stops)
        colours.push_back(premultiplied(stop.second));
    std::vector<QRgb> table(static_cast<size_t>(count));
    int next = 0; // the first stop beyond t
    for (int k = 0; k < count; ++k) {
        const qreal t = qreal(k) / (count - 1);
        while (next < stops.size() && stops.at(next).first <= t)
            ++next;
        if (next == 0) {
            table[size_t(k)] = packed(colours.front());
        } else if (next == stops.size()) {
            table[size_t(k)] = packed(colours.back());
        } else {
            const qreal from = stops.at(next - 1).first;
            const qreal span = stops.at(next).first - from;
            const float f = span > 0 ? float((t - from) / span) : 1.0f;
            const Premultiplied &a = colours[size_t(next - 1)];
            const Premultiplied &b = colours[size_t(next)];
            table[size_t(k)] = packed({a.r + (b.r - a.r) * f, a.g + (b.g - a.g) * f, a.b + (b.b - a.b) * f,
                                       a.a + (b.a - a.a) * f});
        }
    }
    return table;
}

int entriesFor(const QGradientStops &stops)
{
    qreal steepest = 0; // levels per unit of the gradient's length
    for (int i = 1; i < stops.size(); ++i) {
        const QColor &a = stops.at(i - 1).second;
        const QColor &b = stops.at(i).second;
        const int change = std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                                     std::abs(a.blue() - b.blue()), std::abs(a.alpha() - b.alpha())});
        const qreal span = stops.at(i).first - stops.at(i - 1).first;
        if (change > 0)
            steepest = span > 0 ? std::max(steepest, change / span) : qreal(kMostEntries);
    }
    return int(std::clamp(std::ceil(steepest) + 1, qreal(kFewestEntries), qreal(kMostEntries)));
}

// The entry for a position already scaled to the table, f = t * (count - 1)
// + 0.5: padded at both ends; not a number becomes the first entry.
inline int entryAt(float f, float last)
{
    return int(f > 0.0f ? (f < last ? f : last) : 0.0f);
}

bool takes(const QPainter *painter, const QBrush &brush)
{
    const QGradient *gradient = brush.gradient();
    if (!gradient || gradient->coordinateMode() != QGradient::LogicalMode
        || gradient->spread() != QGradient::PadSpread
        || gradient->interpolationMode() != QGradient::ColorInterpolation || !brush.transform().isIdentity())
        return false;
    if (gradient->type() == QGradient::RadialGradient) {
        const auto *radial = static_cast<const QRadialGradient *>(gradient);
        if (radial->focalPoint() != radial->center() || radial->focalRadius() != 0 || !(radial->radius() > 0))
            return false;
    } else if (gradient->type() == QGradient::LinearGradient) {
        const auto *linear = static_cast<const QLinearGradient *>(gradient);
        if (linear->start() == linear->finalStop())
            return false;
    } else {
        return false;
    }
    const QPaintEngine *engine = painter->paintEngine();
    const QTransform toDevice = painter->combinedTransform();
    return engine && engine->type() == QPaintEngine::Raster && painter->brushOrigin().isNull()
        && toDevice.type() <= QTransform::TxShear && toDevice.isInvertible();
}

// The device pixels the fill may touch.
QRect deviceArea(QPainter *painter, const QPainterPath &path)
{
    const QTransform &toDevice = painter->combinedTransform();
    const QPaintDevice *device = painter->device();
    QRectF area = toDevice.mapRect(path.controlPointRect()) & QRectF(0, 0, device->width(), device->height());
    if (painter->hasClipping())
        area &= toDevice.mapRect(painter->clipBoundingRect());
    return area.toAlignedRect();
}

// A linear gradient's position over the device: t = a * x + b * y + c at
// the device pixel centre (x, y).
struct Ramp
{
    qreal a;
    qreal b;
    qreal c;
};

Ramp rampOf(const QLinearGradient &linear, const QTransform &fromDevice)
{
    const QPointF start = linear.start();
    const QPointF v = linear.finalStop() - start;
    const qreal length2 = QPointF::dotProduct(v, v);
    return {(fromDevice.m11() * v.x() + fromDevice.m12() * v.y()) / length2,
            (fromDevice.m21() * v.x() + fromDevice.m22() * v.y()) / length2,
            ((fromDevice.dx() - start.x()) * v.x() + (fromDevice.dy() - start.y()) * v.y()) / length2};
}

// The picture's pixels from area's top left, each pixel's entry found from
// its centre. Worked in floats on the table's scale: a pixel's entry is off
// by a ten-thousandth of an entry at most.
void layOutLinear(QImage *tile, const QRect &area, const Ramp &ramp, const std::vector<QRgb> &table)
{
    const int count = int(table.size());
    const qreal scale = count - 1;
    const float step = float(ramp.a * scale);
    const float last = float(count - 1);
    const int width = tile->width();
    const int height = tile->height();
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(tile->scanLine(y));
        const float rowStart = float((ramp.a * (area.x() + 0.5) + ramp.b * (area.y() + y + 0.5) + ramp.c) * scale + 0.5);
        for (int x = 0; x < width; ++x)
            line[x] = table[size_t(entryAt(rowStart + step * float(x), last))];
    }
}

void layOutRadial(QImage *tile, const QRect &area, const QRadialGradient &radial, const QTransform &fromDevice,
                  const std::vector<QRgb> &table)
{
    const int count = int(table.size());
    const QPointF centre = radial.center();
    const float scale = float((count - 1) / radial.radius());
    const float last = float(count - 1);
    const float stepX = float(fromDevice.m11());
    const float stepY = float(fromDevice.m12());
    const int width = tile->width();
    const int height = tile->height();
    // The entries of a row first, in a loop the compiler can run several
    // pixels at a time, then the colours.
    std::vector<int> entries(static_cast<size_t>(width));
    int *const entry = entries.data();
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(tile->scanLine(y));
        const QPointF rowStart = fromDevice.map(QPointF(area.x() + 0.5, area.y() + y + 0.5)) - centre;
        const float startX = float(rowStart.x());
        const float startY = float(rowStart.y());
        for (int x = 0; x < width; ++x) {
            const float px = startX + stepX * float(x);
            const float py = startY + stepY * float(x);
            entry[x] = entryAt(std::sqrt(px * px + py * py) * scale + 0.5f, last);
        }
        for (int x = 0; x < width; ++x)
            line[x] = table[size_t(entry[x])];
    }
}

} // namespace

bool GradientFill::fillPath(QPainter *painter, const QPainterPath &path, const QBrush &brush)
{
    if (!takes(painter, brush))
        return false;
    const QRect area = deviceArea(painter, path);
    if (area.isEmpty())
        return true;
    const QTransform fromDevice = painter->combinedTransform().inverted();
    const QGradient &gradient = *brush.gradient();
    const std::vector<QRgb> table = colourTable(gradient.stops(), entriesFor(gradient.stops()));
    const bool linear = gradient.type() == QGradient::LinearGradient;
    const Ramp ramp = linear ? rampOf(static_cast<const QLinearGradient &>(gradient), fromDevice) : Ramp{};
    // A linear gradient level or upright on the device is one row or
    // column, which the brush repeats.
    const QSize size(linear && ramp.a == 0 ? 1 : area.width(), linear && ramp.b == 0 ? 1 : area.height());
    QImage tile(size, QImage::Format_ARGB32_Premultiplied);
    if (tile.isNull())
        return false; // too large to hold: the painter's own way needs no picture
    if (linear)
        layOutLinear(&tile, area, ramp, table);
    else
        layOutRadial(&tile, area, static_cast<const QRadialGradient &>(gradient), fromDevice, table);
    // The picture is laid over the device pixels it was worked out for.
    QBrush picture(tile);
    picture.setTransform(QTransform::fromTranslate(area.x(), area.y()) * fromDevice);
    painter->fillPath(path, picture);
    return true;
}

void GradientFill::fill(QPainter *painter, const QPainterPath &path, const QBrush &brush)
{
    if (!fillPath(painter, path, brush))
        painter->fillPath(path, brush);
}
