#ifndef SKETCHLAYERTHUMBNAILS_H
#define SKETCHLAYERTHUMBNAILS_H

#include <QHash>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QTransform>
#include <QVector>

class QPainter;
class QRectF;
class QWidget;
class SketchLayer;

// The pictures of the layers panel's thumbnails: for each layer, its shapes
// scaled into the thumbnail's box as SketchMaterial::paintFitted paints
// them, through the page renderer, on a transparent picture of the box's
// device pixels. A picture is kept until its layer's shapes, their order or
// their look change (SketchLayer::shapesRevision) or it is wanted at
// another size, so that a repaint of the panel (a click, a hover, a tab
// switched back to) paints no shape at all.
//
// Painting never makes a picture either: a thumbnail asked for while its
// picture is missing or out of date shows what it showed before (nothing,
// the first time) and is made once the event loop has finished the
// repaints in progress, the document view's among them; then the widget
// that shows the thumbnails is repainted. So a crowded page is painted
// before its first thumbnail is made.
//
// A layer's picture is laid together from the pictures of runs of its
// shapes in stacking order, each kept with what its shapes showed: after a
// change of a few shapes only their runs are painted again, and a picture
// made whole paints its runs on the worker threads. Laying the runs
// together rounds a channel differently from painting every shape onto
// one picture by a level or two at most.
//
// Owns the pictures, none of the layers: a layer's picture goes with the
// layer. GUI thread only.
class SketchLayerThumbnails : public QObject
{
    Q_OBJECT

public:
    // Pictures shown by that widget (not owned), which is repainted once
    // pictures asked for were made.
    explicit SketchLayerThumbnails(QWidget *shownBy);
    ~SketchLayerThumbnails() override;

    // Draws the layer's picture over the box, aligned to the painter's
    // device pixels as the picture was made; asks for a new picture when
    // this one is missing or out of date. Null layer: nothing.
    void paint(QPainter *painter, const QRectF &box, const SketchLayer *layer);

    // Makes now every picture asked for and still out of date, then
    // repaints the widget when there was one.
    void makeWanted();
    // Pictures asked for and not yet made.
    bool hasWanted() const;
    // Shapes painted into pictures so far: what making them cost.
    qint64 paintedShapeCount() const { return m_paintedShapes; }

private:
    // The picture of the shapes [first, first + count) of the layer.
    struct Run
    {
        int first = 0;
        int count = 0;
        quint64 revision = 0;
        QImage image;
    };

    struct Picture
    {
        const SketchLayer *layer = nullptr;
        // The runs laid together, at the device pixel ratio.
        QImage image;
        quint64 revision = 0;
        // What the picture shows, or is wanted to show next.
        QSize size;
        qreal ratio = 1.0;
        bool wanted = false;
        // The page to the runs' pixels, as they were painted.
        QTransform base;
        QVector<Run> runs;
    };

    bool isCurrent(const Picture &picture, const QSize &size, qreal ratio) const;
    void make(Picture *picture);
    // The runs of the layer as it is now, with the pictures of the old
    // runs that still show the same shapes in the same place.
    QVector<Run> runsFor(const Picture &picture, const QSize &pixels, bool samePlace) const;
    void paintRuns(QVector<Run> *runs, const QVector<int> &indices, const SketchLayer *layer,
                   const QTransform &base, float scale, const QSize &pixels);
    static QImage laidTogether(const QVector<Run> &runs, const QSize &pixels);
    void forget(const QObject *layer);

    QPointer<QWidget> m_shownBy;
    // By the layer as an object: a layer is forgotten once it has become
    // nothing more than that, in its destruction.
    QHash<const QObject *, Picture> m_pictures;
    bool m_makingSoon = false;
    qint64 m_paintedShapes = 0;
};

#endif // SKETCHLAYERTHUMBNAILS_H
