#include "model/pagerenderer.h"

#include "model/sharedtasks.h"
#include "model/sketchshape.h"

#include <QPainter>
#include <QThreadPool>

#include <algorithm>
#include <vector>

namespace {

// A band lower than this costs more in setting up its painter and walking
// the shapes than it saves.
constexpr int kMinBandHeight = 16;
// Below this many shapes, and this many of their pixels, one thread paints
// faster than several start. A few shapes magnified over the picture are
// worth the threads.
constexpr int kMinParallelShapes = 64;
constexpr qint64 kMinParallelPixels = 1 << 20;

struct Band
{
    int top;
    int bottom;
};

// What painting a shape costs, in the cost of painting a small shape: the
// stroking and set-up of each shape, then its pixels.
constexpr double kPixelsPerShape = 4096.0;

// Bands of about equal cost, not height: a page is crowded in some rows and
// bare in others, and the paint takes as long as its slowest band. Each
// shape's cost is spread evenly over its rows.
std::vector<Band> balancedBands(const QRect &picture, const QVector<PageRenderer::Entry> &entries, int count)
{
    const int height = picture.height();
    std::vector<double> change(size_t(height) + 1, 0.0);
    double total = 0.0;
    for (const PageRenderer::Entry &entry : entries) {
        const QRect area = entry.area & picture;
        if (area.isEmpty())
            continue;
        const double cost = 1.0 + double(area.width()) * area.height() / kPixelsPerShape;
        change[size_t(area.top())] += cost / area.height();
        change[size_t(area.bottom()) + 1] -= cost / area.height();
        total += cost;
    }
    std::vector<Band> bands;
    int top = 0;
    double perRow = 0.0;
    double done = 0.0;
    for (int y = 0; y < height && int(bands.size()) < count - 1; ++y) {
        perRow += change[size_t(y)];
        done += perRow;
        const int left = count - 1 - int(bands.size());
        // Every band keeps at least one row.
        if ((done >= total * (bands.size() + 1) / count && y + 1 > top) || height - (y + 1) <= left) {
            bands.push_back({top, y + 1});
            top = y + 1;
        }
    }
    bands.push_back({top, height});
    return bands;
}

} // namespace

PageRenderer::PageRenderer()
    : PageRenderer(0, true)
{
}

PageRenderer::PageRenderer(int bandCount, bool culling)
    : m_bandCount(bandCount)
    , m_culling(culling)
{
}

PageRenderer PageRenderer::reference()
{
    return PageRenderer(1, false);
}

void PageRenderer::paint(QImage *picture, const QList<SketchShape *> &shapes, const QTransform &base,
                         float zoom) const
{
    if (!picture || picture->isNull() || shapes.isEmpty())
        return;
    Style style;
    style.zoom = zoom;
    paint(picture, entriesFor(picture->rect(), shapes, base), style);
}

void PageRenderer::paint(QImage *picture, const QVector<Entry> &entries, const Style &style) const
{
    if (!picture || picture->isNull() || entries.isEmpty())
        return;
    // Every cache that painting would fill is filled here, on this thread,
    // and the outlines are kept when the caller's paint asks for it.
    for (const Entry &entry : entries)
        entry.shape->prepareToPaint(style.keepsOutlines);
    // Detached once here, on this thread: the non-const bits() of a shared
    // picture is not safe to call from several threads at once. The bands
    // write their own rows of this buffer.
    const Canvas canvas{picture->bits(), picture->width(), picture->height(), int(picture->bytesPerLine()),
                        picture->format(), picture->dotsPerMeterX(), picture->dotsPerMeterY()};

    const int count = bandsFor(picture->size(), entries.size(), reachedPixels(picture->rect(), entries));
    const int height = picture->height();
    const std::vector<Band> bands = balancedBands(picture->rect(), entries, count);
    if (count == 1) {
        paintBand(canvas, 0, height, entries, style);
        return;
    }
    SharedTasks::run(QThreadPool::globalInstance(), int(bands.size()), [&](int index) {
        paintBand(canvas, bands[size_t(index)].top, bands[size_t(index)].bottom, entries, style);
    });
}

QVector<PageRenderer::Entry> PageRenderer::entriesFor(const QRect &picture, const QList<SketchShape *> &shapes,
                                                      const QTransform &base) const
{
    if (!m_culling) {
        QVector<Entry> entries = placed(shapes, base);
        for (Entry &entry : entries)
            entry.area = picture;
        return entries;
    }
    VisibleShapes visible(picture);
    for (SketchShape *shape : shapes)
        visible.offer(shape, shape->isTurned() ? shape->rotation() * base : base);
    return entriesOf(visible.unhidden());
}

QVector<PageRenderer::Entry> PageRenderer::entriesOf(const QVector<VisibleShapes::Entry> &visible)
{
    QVector<Entry> entries;
    entries.reserve(visible.size());
    for (const VisibleShapes::Entry &entry : visible)
        entries.append({entry.shape, entry.transform, entry.visibleArea});
    return entries;
}

void PageRenderer::paintBand(const Canvas &canvas, int top, int bottom, const QVector<Entry> &entries,
                             const Style &style) const
{
    // The band's own image over the whole picture's pixels, clipped to its
    // own rows, so that a shape painted here cannot touch another band's
    // pixels. The device is the whole picture for every band: the stroker
    // simplifies segments beyond the device's edges, and a device of the
    // band's rows alone would round strokes crossing its edges otherwise.
    // It has the picture's resolution, which sizes fonts given in points.
    QImage band(canvas.bits, canvas.width, canvas.height, canvas.bytesPerLine, canvas.format);
    band.setDotsPerMeterX(canvas.dotsPerMeterX);
    band.setDotsPerMeterY(canvas.dotsPerMeterY);
    QPainter painter(&band);
    painter.setClipRect(QRect(0, top, canvas.width, bottom - top));
    paintEntries(&painter, entries, style);
}

void PageRenderer::paintThrough(QPainter *painter, const QVector<Entry> &entries, const Style &style)
{
    if (!painter || !painter->isActive() || entries.isEmpty())
        return;
    if (style.keepsOutlines) {
        for (const Entry &entry : entries)
            entry.shape->prepareToPaint(true);
    }
    painter->save();
    paintEntries(painter, entries, style);
    painter->restore();
}

QVector<PageRenderer::Entry> PageRenderer::placed(const QList<SketchShape *> &shapes, const QTransform &base)
{
    return placed(shapes, [&base](SketchShape *shape) { return shape->rotation() * base; });
}

QVector<PageRenderer::Entry> PageRenderer::placed(const QList<SketchShape *> &shapes,
                                                  const std::function<QTransform(SketchShape *)> &transformOf)
{
    QVector<Entry> entries;
    entries.reserve(shapes.size());
    for (SketchShape *shape : shapes)
        entries.append({shape, transformOf(shape), QRect()});
    return entries;
}

void PageRenderer::paintEntries(QPainter *painter, const QVector<Entry> &entries, const Style &style)
{
    // The caller's clip in device pixels: a shape's area narrows it, never
    // widens it.
    const bool clipped = painter->hasClipping();
    const QRect within =
        clipped ? painter->transform().mapRect(painter->clipBoundingRect()).toAlignedRect() : QRect();
    painter->setRenderHint(QPainter::Antialiasing, true);
    for (const Entry &entry : entries) {
        const QRect area = entry.area.isNull() ? within : (clipped ? entry.area & within : entry.area);
        if (area.isEmpty() && (clipped || !entry.area.isNull()))
            continue;
        painter->resetTransform();
        if (area.isNull())
            painter->setClipping(false);
        else
            painter->setClipRect(area);
        painter->setTransform(entry.transform);
        if (style.antialiasingAsShapeAsks)
            painter->setRenderHint(QPainter::Antialiasing, entry.shape->needsAntialiasing());
        entry.shape->paint(painter, style.zoom, style.showHandles);
    }
}

bool PageRenderer::paintsInBands(const QSize &picture, int entryCount, qint64 reachedPixels) const
{
    return bandsFor(picture, entryCount, reachedPixels) > 1;
}

qint64 PageRenderer::reachedPixels(const QRect &picture, const QVector<Entry> &entries)
{
    qint64 pixels = 0;
    for (const Entry &entry : entries) {
        const QRect area = entry.area & picture;
        pixels += qint64(area.width()) * area.height();
    }
    return pixels;
}

int PageRenderer::bandsFor(const QSize &picture, int entryCount, qint64 reachedPixels) const
{
    int count = m_bandCount;
    const bool worthThreads = entryCount >= kMinParallelShapes || reachedPixels >= kMinParallelPixels;
    if (count <= 0)
        count = worthThreads ? qMax(1, QThreadPool::globalInstance()->maxThreadCount()) : 1;
    return std::clamp(count, 1, qMax(1, picture.height() / (m_bandCount > 0 ? 1 : kMinBandHeight)));
}
