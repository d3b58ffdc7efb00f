#ifndef PAGERENDERER_H
#define PAGERENDERER_H

#include <QImage>
#include <QList>
#include <QRect>
#include <QTransform>
#include <QVector>

#include <functional>

#include "model/visibleshapes.h"

class QPainter;
class SketchShape;

// Paints shapes into a picture the way the page exports do (antialiased,
// without handles, each shape under its own rotation and one transform for
// the whole picture), only faster: shapes wholly hidden under opaque shapes
// above them are skipped and each shape is clipped to what it can still
// change (the view's occlusion culling), and the picture is painted in
// horizontal bands on the worker threads of the global thread pool, each
// band with its own painter on its own rows of the one picture.
//
// The result equals the plain single-threaded paint of every shape (see
// reference()) pixel for pixel, except that a channel may differ by one
// level where a gradient span is cut at a band edge.
//
// The picture keeps its resolution in every band (fonts given in points
// come out at the same size banded or not); its device pixel ratio plays no
// part, the transforms map to its pixels.
//
// Threads: paint() may be called from any thread, also from several at
// once for different shapes, or for the same shapes once one paint of them
// has filled their caches. The caches painting fills on a shape (its
// outline where kept, its blurred picture, a decoded picture fill) are
// filled on the calling thread before the bands start, and the picture is
// detached there too, so the bands only read the shapes and write their
// own rows. Nothing here makes a QPixmap. The shapes must not change while
// a paint runs.
class PageRenderer
{
public:
    // One band per worker thread of the global pool, culled.
    PageRenderer();
    // bandCount 1 paints on the calling thread alone; 0 or less picks one
    // band per worker thread.
    PageRenderer(int bandCount, bool culling);

    // The plain paint every render is compared with: one band, no culling.
    static PageRenderer reference();

    int bandCount() const { return m_bandCount; }
    bool isCulling() const { return m_culling; }

    // How each shape is painted, and what the paint leaves behind. The
    // exports want every shape antialiased and no handles; the view's
    // repaint shows the handles of selected shapes and antialiases only the
    // shapes that ask for it. Only a paint that will come again soon over
    // the same shapes (the view's magnified repaint) keeps their outlines:
    // any other paint builds each outline for the moment, so that a
    // thumbnail, an export or a print of a crowded page leaves no more than
    // the shapes' bounds behind.
    struct Style
    {
        float zoom = 1.0f;
        bool showHandles = false;
        bool antialiasingAsShapeAsks = false;
        bool keepsOutlines = false;
    };

    // A shape placed on the picture by a caller that culled the shapes
    // itself (the view, through its occlusion grid).
    struct Entry
    {
        SketchShape *shape;
        QTransform transform; // own coordinates to picture pixels
        QRect area;           // the picture pixels it may change
    };

    // Paints the shapes (bottom first) over what the picture already
    // holds. Each shape is drawn under shape->rotation() * base, with zoom
    // passed on to its painting (the width of hairline strokes).
    void paint(QImage *picture, const QList<SketchShape *> &shapes, const QTransform &base, float zoom) const;
    // Paints placed shapes (bottom first) over what the picture holds, each
    // clipped to its area; no further culling.
    void paint(QImage *picture, const QVector<Entry> &entries, const Style &style) const;
    // Paints placed shapes (bottom first) straight through a painter the
    // caller holds (a printer, a widget, a picture it draws more into), on
    // the calling thread: the one loop every paint of shapes goes through.
    // Each entry's transform maps to the painter's device pixels and its
    // area clips it further within the painter's own clip (a null area
    // clips nothing more). The painter's transform, clip and hints are as
    // they were afterwards.
    static void paintThrough(QPainter *painter, const QVector<Entry> &entries, const Style &style);
    // The shapes each under shape->rotation() * base, unculled and unclipped:
    // for painting a few shapes through a painter.
    static QVector<Entry> placed(const QList<SketchShape *> &shapes, const QTransform &base);
    // The shapes each under a transform of its own (a view's, a printer's),
    // unculled and unclipped.
    static QVector<Entry> placed(const QList<SketchShape *> &shapes,
                                 const std::function<QTransform(SketchShape *)> &transformOf);
    // The shapes an occlusion pass kept, each clipped to what it can still
    // change.
    static QVector<Entry> entriesOf(const QVector<VisibleShapes::Entry> &visible);
    // Whether a paint of that many shapes, reaching that many pixels in
    // all, into a picture of that size would run on more than the calling
    // thread: when not, a caller holding a painter already may as well
    // paint the shapes straight through it.
    bool paintsInBands(const QSize &picture, int entryCount, qint64 reachedPixels) const;
    // The pixels of the picture the entries may change, counted once for
    // each entry.
    static qint64 reachedPixels(const QRect &picture, const QVector<Entry> &entries);

private:
    // The picture's pixels and what a band's image of them needs, taken once
    // on the calling thread.
    struct Canvas
    {
        uchar *bits;
        int width;
        int height;
        int bytesPerLine;
        QImage::Format format;
        int dotsPerMeterX;
        int dotsPerMeterY;
    };

    QVector<Entry> entriesFor(const QRect &picture, const QList<SketchShape *> &shapes,
                              const QTransform &base) const;
    // The rows [top, bottom) of the picture, on a painter of their own.
    void paintBand(const Canvas &canvas, int top, int bottom, const QVector<Entry> &entries,
                   const Style &style) const;
    // The loop of every paint, with the caches already filled.
    static void paintEntries(QPainter *painter, const QVector<Entry> &entries, const Style &style);
    int bandsFor(const QSize &picture, int entryCount, qint64 reachedPixels) const;

    int m_bandCount = 0;
    bool m_culling = true;
};

#endif // PAGERENDERER_H
