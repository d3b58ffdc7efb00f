#include "app/sketchlayerthumbnails.h"

#include "materials/sketchmaterial.h"
#include "model/pagerenderer.h"
#include "model/sharedtasks.h"
#include "model/sketchlayer.h"
#include "model/sketchshape.h"

#include <QPaintDevice>
#include <QPainter>
#include <QRectF>
#include <QThreadPool>
#include <QTimer>
#include <QWidget>

namespace {

// A run this long paints in a small part of a view's repaint; a crowded
// layer gets longer runs rather than more of them, which would cost more
// to lay together than they save.
constexpr int kRunLength = 256;
constexpr int kMostRuns = 512;

QImage transparentImage(const QSize &pixels)
{
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    if (!image.isNull())
        image.fill(Qt::transparent);
    return image;
}

} // namespace

SketchLayerThumbnails::SketchLayerThumbnails(QWidget *shownBy)
    : QObject(shownBy),
      m_shownBy(shownBy)
{
}

SketchLayerThumbnails::~SketchLayerThumbnails() = default;

void SketchLayerThumbnails::paint(QPainter *painter, const QRectF &box, const SketchLayer *layer)
{
    if (!painter || !layer)
        return;
    const QRect pixels = painter->transform().mapRect(box).toAlignedRect();
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    auto found = m_pictures.find(layer);
    if (found == m_pictures.end()) {
        Picture fresh;
        fresh.layer = layer;
        found = m_pictures.insert(layer, fresh);
        connect(layer, &QObject::destroyed, this, &SketchLayerThumbnails::forget);
    }
    Picture &picture = *found;
    if (!isCurrent(picture, pixels.size(), ratio)) {
        picture.wanted = true;
        picture.size = pixels.size();
        picture.ratio = ratio;
        if (!m_makingSoon) {
            m_makingSoon = true;
            QTimer::singleShot(0, this, &SketchLayerThumbnails::makeWanted);
        }
    }
    // Out of date, the picture still shows what the shapes showed a moment
    // ago; of another size, it would land in the wrong place.
    if (picture.image.isNull() || picture.image.size() != (QSizeF(pixels.size()) * ratio).toSize()
        || !qFuzzyCompare(picture.image.devicePixelRatio(), ratio))
        return;
    painter->save();
    painter->resetTransform();
    painter->drawImage(pixels.topLeft(), picture.image);
    painter->restore();
}

bool SketchLayerThumbnails::isCurrent(const Picture &picture, const QSize &size, qreal ratio) const
{
    return !picture.image.isNull() && picture.size == size && qFuzzyCompare(picture.ratio, ratio)
        && picture.revision == picture.layer->shapesRevision();
}

void SketchLayerThumbnails::makeWanted()
{
    m_makingSoon = false;
    bool made = false;
    for (Picture &picture : m_pictures) {
        if (!picture.wanted)
            continue;
        picture.wanted = false;
        if (isCurrent(picture, picture.size, picture.ratio))
            continue;
        make(&picture);
        made = true;
    }
    if (made && m_shownBy)
        m_shownBy->update();
}

bool SketchLayerThumbnails::hasWanted() const
{
    for (const Picture &picture : m_pictures) {
        if (picture.wanted)
            return true;
    }
    return false;
}

void SketchLayerThumbnails::make(Picture *picture)
{
    const SketchLayer *layer = picture->layer;
    const QSize pixels = (QSizeF(picture->size) * picture->ratio).toSize();
    QTransform toBox;
    float scale = 1.0f;
    if (pixels.isEmpty()
        || !SketchMaterial::fitShapes(QRectF(QPointF(0.0, 0.0), QSizeF(picture->size)), layer->shapes(), &toBox,
                                      &scale)) {
        picture->runs.clear();
        picture->image = transparentImage(pixels);
    } else {
        const QTransform base = toBox * QTransform::fromScale(picture->ratio, picture->ratio);
        const bool samePlace = base == picture->base;
        QVector<Run> runs = runsFor(*picture, pixels, samePlace);
        QVector<int> unpainted;
        for (int i = 0; i < runs.size(); ++i) {
            if (runs.at(i).image.isNull())
                unpainted.append(i);
        }
        paintRuns(&runs, unpainted, layer, base, scale, pixels);
        picture->base = base;
        picture->runs = runs;
        picture->image = laidTogether(runs, pixels);
    }
    picture->image.setDevicePixelRatio(picture->ratio);
    // Taken after painting, which fills caches of the shapes but changes
    // nothing they show.
    picture->revision = layer->shapesRevision();
}

QVector<SketchLayerThumbnails::Run> SketchLayerThumbnails::runsFor(const Picture &picture, const QSize &pixels,
                                                                    bool samePlace) const
{
    // A run that holds the same shapes showing the same as before keeps its
    // picture, wherever it lies now in the list.
    QHash<quint64, QImage> kept;
    if (samePlace) {
        for (const Run &run : picture.runs) {
            if (run.image.size() == pixels)
                kept.insert(run.revision, run.image);
        }
    }
    const int count = picture.layer->shapes().size();
    const int length = qMax(kRunLength, (count + kMostRuns - 1) / kMostRuns);
    QVector<Run> runs;
    runs.reserve((count + length - 1) / length);
    for (int first = 0; first < count; first += length) {
        Run run;
        run.first = first;
        run.count = qMin(length, count - first);
        run.revision = picture.layer->shapesRevision(run.first, run.count);
        run.image = kept.value(run.revision);
        runs.append(run);
    }
    return runs;
}

void SketchLayerThumbnails::paintRuns(QVector<Run> *runs, const QVector<int> &indices, const SketchLayer *layer,
                                      const QTransform &base, float scale, const QSize &pixels)
{
    const QList<SketchShape *> shapes = layer->shapes();
    Run *data = runs->data();
    // Every cache the paint fills is filled here, on this thread: shapes of
    // several runs may share a decoded picture fill.
    for (int index : indices) {
        for (int i = data[index].first; i < data[index].first + data[index].count; ++i)
            shapes.at(i)->prepareToPaint(false);
    }
    const auto paintRun = [&](int index) {
        Run &run = data[index];
        QImage image = transparentImage(pixels);
        if (!image.isNull())
            PageRenderer(1, true).paint(&image, shapes.mid(run.first, run.count), base, scale);
        run.image = image;
    };
    if (indices.size() == 1) {
        paintRun(indices.first());
    } else if (indices.size() > 1) {
        SharedTasks::run(QThreadPool::globalInstance(), indices.size(),
                         [&](int task) { paintRun(indices.at(task)); });
    }
    for (int index : indices)
        m_paintedShapes += data[index].count;
}

QImage SketchLayerThumbnails::laidTogether(const QVector<Run> &runs, const QSize &pixels)
{
    if (runs.size() == 1)
        return runs.first().image;
    QImage image = transparentImage(pixels);
    if (image.isNull())
        return image;
    QPainter painter(&image);
    for (const Run &run : runs)
        painter.drawImage(0, 0, run.image);
    return image;
}

void SketchLayerThumbnails::forget(const QObject *layer)
{
    m_pictures.remove(layer);
}
