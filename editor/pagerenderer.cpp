#include "editor/pagerenderer.h"

#include "editor/visibleshapes.h"
#include "model/sketchshape.h"

#include <QPainter>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentMap>

#include <algorithm>
#include <mutex>
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
    // Every cache that painting would fill is filled here, on this thread.
    for (const Entry &entry : entries)
        entry.shape->prepareToPaint();
    // Detached once here: the bands write their own rows of this buffer.
    picture->bits();

    const int count = bandsFor(picture->size(), entries.size(), reachedPixels(picture->rect(), entries));
    const int height = picture->height();
    const std::vector<Band> bands = balancedBands(picture->rect(), entries, count);
    if (count == 1) {
        paintBand(picture, 0, height, entries, style);
        return;
    }
    // The pool orders the bands after the preparation above and this thread
    // after the bands, but inside Qt, out of a race detector's sight; the
    // handover says the same where it can see it, two brief locks a band.
    std::mutex handover;
    const auto pass = [&handover]() { const std::lock_guard<std::mutex> lock(handover); };
    pass();
    QtConcurrent::blockingMap(bands, [&](const Band &band) {
        pass();
        paintBand(picture, band.top, band.bottom, entries, style);
        pass();
    });
    pass();
}

QVector<PageRenderer::Entry> PageRenderer::entriesFor(const QRect &picture, const QList<SketchShape *> &shapes,
                                                      const QTransform &base) const
{
    QVector<Entry> entries;
    if (!m_culling) {
        entries.reserve(shapes.size());
        for (SketchShape *shape : shapes)
            entries.append({shape, shape->rotation() * base, picture});
        return entries;
    }
    VisibleShapes visible(picture);
    for (SketchShape *shape : shapes)
        visible.offer(shape, shape->isTurned() ? shape->rotation() * base : base);
    const QVector<VisibleShapes::Entry> unhidden = visible.unhidden();
    entries.reserve(unhidden.size());
    for (const VisibleShapes::Entry &entry : unhidden)
        entries.append({entry.shape, entry.transform, entry.visibleArea});
    return entries;
}

void PageRenderer::paintBand(QImage *picture, int top, int bottom, const QVector<Entry> &entries,
                             const Style &style) const
{
    // The band's own image over the whole picture's pixels, clipped to its
    // own rows, so that a shape painted here cannot touch another band's
    // pixels. The device is the whole picture for every band: the stroker
    // simplifies segments beyond the device's edges, and a device of the
    // band's rows alone would round strokes crossing its edges otherwise.
    QImage band(picture->bits(), picture->width(), picture->height(), picture->bytesPerLine(), picture->format());
    // Fonts given in points are sized by the picture's resolution.
    band.setDotsPerMeterX(picture->dotsPerMeterX());
    band.setDotsPerMeterY(picture->dotsPerMeterY());
    const QRect rows(0, top, picture->width(), bottom - top);
    QPainter painter(&band);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setClipRect(rows);
    for (const Entry &entry : entries) {
        const QRect area = entry.area & rows;
        if (area.isEmpty())
            continue;
        painter.resetTransform();
        painter.setClipRect(area);
        painter.setTransform(entry.transform);
        if (style.antialiasingAsShapeAsks)
            painter.setRenderHint(QPainter::Antialiasing, entry.shape->needsAntialiasing());
        entry.shape->paint(&painter, style.zoom, style.showHandles);
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
