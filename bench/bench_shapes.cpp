// Painting and hit testing a crowded page of shapes, against QPainter drawing
// the same outlines with the same brushes and pens directly.
#include "bench/generatedpage.h"

#include "editor/sketchdocumentview.h"
#include "model/sketchdocument.h"
#include "model/sketchlayer.h"
#include "model/sketchshape.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTextOption>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

const QSize PageSize(842, 595);

// What QPainter needs to draw one shape without the model: everything is
// worked out beforehand.
struct DirectShape
{
    QTransform transform;
    bool antialiased = false;
    QPainterPath path;
    bool filled = false;
    QBrush brush;
    qreal fillOpacity = 1.0;
    bool stroked = false;
    QPen pen;
    qreal strokeOpacity = 1.0;
    QString text;
    QRectF textRect;
    QFont font;
    QColor textColor;
};

QTextOption textOption(int align)
{
    switch (align) {
    case 0:
        return QTextOption(Qt::AlignLeft | Qt::AlignVCenter);
    case 2:
        return QTextOption(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return QTextOption(Qt::AlignCenter);
    }
}

struct Page
{
    SketchDocumentView view;
    SketchLayer *layer = nullptr;
    QList<DirectShape> direct;

    Page()
    {
        layer = view.currentLayer();
        generatedpage::fillLayer(layer);
        for (SketchShape *shape : layer->shapes()) {
            DirectShape d;
            d.transform = view.shapeTransform(shape);
            d.antialiased = shape->needsAntialiasing();
            d.path = shape->path();
            QRectF bounds = d.path.boundingRect();
            d.filled = !shape->fill().isTransparent();
            d.brush = shape->fill().toBrush(bounds);
            d.fillOpacity = shape->fill().opacity();
            d.stroked = !shape->stroke().isInvisible();
            d.pen = shape->stroke().makePen(bounds, 1.0f);
            d.strokeOpacity = shape->stroke().brush().opacity();
            if (shape->isClosed() && !shape->text().isEmpty()) {
                const QRectF r = shape->textRect();
                d.text = shape->text();
                d.textRect = QRectF(r.x(), r.y() + 2, r.width(), r.height() - 2);
                d.font = shape->font();
                d.textColor = shape->fontColor();
            }
            direct.append(d);
        }
        // Warm both roads once: fonts, glyph caches and the shapes' outlines.
        QImage image = blankPage();
        paintShapes(&image);
        paintDirect(&image);
    }

    static QImage blankPage()
    {
        QImage image(PageSize, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        return image;
    }

    void paintShapes(QImage *image)
    {
        QPainter painter(image);
        view.document()->paint(&painter, false);
    }

    void paintDirect(QImage *image)
    {
        QPainter painter(image);
        for (const DirectShape &d : qAsConst(direct)) {
            painter.setTransform(d.transform);
            painter.setRenderHint(QPainter::Antialiasing, d.antialiased);
            if (d.filled) {
                painter.setOpacity(d.fillOpacity);
                painter.fillPath(d.path, d.brush);
            }
            if (d.stroked) {
                painter.setOpacity(d.strokeOpacity);
                painter.setPen(d.pen);
                painter.setBrush(Qt::NoBrush);
                painter.drawPath(d.path);
            }
            painter.setOpacity(1.0);
            if (!d.text.isEmpty()) {
                painter.setFont(d.font);
                painter.setPen(d.textColor);
                painter.drawText(d.textRect, d.text, textOption(1));
            }
        }
    }
};

Page &page()
{
    static Page *instance = new Page; // lives until the process ends
    return *instance;
}

void BM_ShapesPaintPage(benchmark::State &state)
{
    Page &p = page();
    for (auto _ : state) {
        QImage image = Page::blankPage();
        p.paintShapes(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["shapes"] = p.layer->shapes().size();
}
BENCHMARK(BM_ShapesPaintPage)->Unit(benchmark::kMillisecond);

void BM_ShapesPaintDirect(benchmark::State &state)
{
    Page &p = page();
    for (auto _ : state) {
        QImage image = Page::blankPage();
        p.paintDirect(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_ShapesPaintDirect)->Unit(benchmark::kMillisecond);

// Both roads in turn within each iteration; "ratio" is the model's time over
// QPainter's.
void BM_ShapesPaintRatio(benchmark::State &state)
{
    Page &p = page();
    using Clock = std::chrono::steady_clock;
    Clock::duration shapes{};
    Clock::duration direct{};
    for (auto _ : state) {
        QImage first = Page::blankPage();
        const auto t0 = Clock::now();
        p.paintShapes(&first);
        const auto t1 = Clock::now();
        QImage second = Page::blankPage();
        const auto t2 = Clock::now();
        p.paintDirect(&second);
        const auto t3 = Clock::now();
        shapes += t1 - t0;
        direct += t3 - t2;
        benchmark::DoNotOptimize(first.constBits());
        benchmark::DoNotOptimize(second.constBits());
    }
    state.counters["ratio"] = double(shapes.count()) / double(direct.count());
}
BENCHMARK(BM_ShapesPaintRatio)->Unit(benchmark::kMillisecond);

// One point, shapes from the top, until the first hit.
void hitTopFirst(benchmark::State &state, const QPointF &point)
{
    Page &p = page();
    const QList<SketchShape *> &shapes = p.layer->shapes();
    int tested = 0;
    for (auto _ : state) {
        SketchShape *found = nullptr;
        tested = 0;
        for (int i = shapes.size() - 1; i >= 0; --i) {
            ++tested;
            if (shapes.at(i)->hitTest(float(point.x()), float(point.y())) > 0) {
                found = shapes.at(i);
                break;
            }
        }
        benchmark::DoNotOptimize(found);
    }
    state.counters["tested"] = tested;
}

void BM_ShapesHitTestTopFirst(benchmark::State &state)
{
    hitTopFirst(state, QPointF(421, 297));
}
BENCHMARK(BM_ShapesHitTestTopFirst)->Unit(benchmark::kMicrosecond);

// A point beside every shape: all 10,000 are tested.
void BM_ShapesHitTestMiss(benchmark::State &state)
{
    hitTopFirst(state, QPointF(5, 5));
}
BENCHMARK(BM_ShapesHitTestMiss)->Unit(benchmark::kMicrosecond);

// A point in the crowd, every shape tested whatever is hit.
void BM_ShapesHitTestEveryShape(benchmark::State &state)
{
    Page &p = page();
    const QList<SketchShape *> &shapes = p.layer->shapes();
    int hits = 0;
    for (auto _ : state) {
        hits = 0;
        for (int i = shapes.size() - 1; i >= 0; --i) {
            if (shapes.at(i)->hitTest(421.0f, 297.0f) > 0)
                ++hits;
        }
        benchmark::DoNotOptimize(hits);
    }
    state.counters["hits"] = hits;
}
BENCHMARK(BM_ShapesHitTestEveryShape)->Unit(benchmark::kMicrosecond);

// The same miss with the view position mapped into every shape first, as a
// tool that starts from widget pixels does.
void BM_ShapesHitTestMissMapped(benchmark::State &state)
{
    Page &p = page();
    const QList<SketchShape *> &shapes = p.layer->shapes();
    for (auto _ : state) {
        SketchShape *found = nullptr;
        for (int i = shapes.size() - 1; i >= 0; --i) {
            const QPointF local = shapes.at(i)->mapFromView(QPointF(5, 5));
            if (shapes.at(i)->hitTest(float(local.x()), float(local.y())) > 0) {
                found = shapes.at(i);
                break;
            }
        }
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_ShapesHitTestMissMapped)->Unit(benchmark::kMicrosecond);

// Every outline flattened anew: what the first paint or hit test of a page
// costs, and what each of them would cost without the cache.
void BM_ShapesOutlineRebuild(benchmark::State &state)
{
    Page &p = page();
    const QList<SketchShape *> &shapes = p.layer->shapes();
    for (auto _ : state) {
        for (SketchShape *shape : shapes) {
            shape->invalidateOutline();
            benchmark::DoNotOptimize(shape->boundingRect());
        }
    }
}
BENCHMARK(BM_ShapesOutlineRebuild)->Unit(benchmark::kMillisecond);

// A shape read from a file with absurd blur values: painted (and its
// blurred picture built) from scratch each time.
void BM_ShapesAbsurdBlurPaint(benchmark::State &state)
{
    Page &p = page();
    SketchShape shape(p.layer);
    shape.points() << new SketchPoint(0, 0) << new SketchPoint(state.range(0), 0)
                   << new SketchPoint(state.range(0), state.range(0)) << new SketchPoint(0, state.range(0));
    shape.setFill(SkinBrush(QColor(Qt::red)));
    shape.setBlur(1000000);
    QImage image = Page::blankPage();
    QPainter painter(&image);
    for (auto _ : state) {
        shape.setCachedBlurImage(nullptr);
        shape.paint(&painter, 1.0f, false);
    }
    painter.end();
    benchmark::DoNotOptimize(image.constBits());
}
BENCHMARK(BM_ShapesAbsurdBlurPaint)->Arg(200)->Arg(1500)->Arg(1000000000)->Unit(benchmark::kMillisecond);

// A 400 x 300 picture fill painted again and again: its PNG is decoded once.
void BM_ShapesImageFillPaint(benchmark::State &state)
{
    Page &p = page();
    QImage picture(400, 300, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        for (int i = 0; i < 40; ++i) {
            painter.setBrush(QColor::fromHsv(i * 9, 200, 220));
            painter.drawEllipse(QPointF(10 * i, 7 * i), 30, 20);
        }
    }
    SkinBrush fill(SkinBrushImage);
    fill.encodeImage(QPixmap::fromImage(picture));
    SketchShape shape(p.layer);
    shape.points() << new SketchPoint(20, 20) << new SketchPoint(420, 20) << new SketchPoint(420, 320)
                   << new SketchPoint(20, 320);
    shape.setFill(fill);
    QImage image = Page::blankPage();
    QPainter painter(&image);
    for (auto _ : state)
        shape.paint(&painter, 1.0f, false);
    painter.end();
    benchmark::DoNotOptimize(image.constBits());
}
BENCHMARK(BM_ShapesImageFillPaint)->Unit(benchmark::kMicrosecond);

} // namespace
