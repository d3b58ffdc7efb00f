// Repainting the document view over the generated crowded page: the whole
// page at zoom 1 against the document's own paint of the same page, and a
// corner of it at zoom 8, where nearly every shape lies outside the view.
#include "bench/generatedpage.h"

#include "editor/sketchdocumentview.h"
#include "model/sketchdocument.h"
#include "model/sketchlayer.h"
#include "model/sketchshape.h"

#include <QImage>
#include <QPainter>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

// Room for the whole paper with its margin at zoom 1, so no bar shows.
const QSize ViewSize(900, 650);

struct ViewPage
{
    SketchDocumentView view;

    ViewPage()
    {
        generatedpage::fillLayer(view.currentLayer());
        view.resize(ViewSize);
        // Warm fonts, glyph caches and the shapes' outlines.
        QImage image = blank();
        view.render(&image);
        paintDocument(&image);
    }

    static QImage blank()
    {
        QImage image(ViewSize, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        return image;
    }

    void repaintView(QImage *image) { view.render(image); }

    void paintDocument(QImage *image)
    {
        QPainter painter(image);
        view.document()->paint(&painter, true);
    }

    void showCorner(float zoom)
    {
        view.setZoom(zoom);
        view.horizontalScrollBar()->setValue(view.horizontalScrollBar()->maximum());
        view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
    }

    void showWholePage()
    {
        view.setZoom(1.0f);
        view.horizontalScrollBar()->setValue(0);
        view.verticalScrollBar()->setValue(0);
    }
};

ViewPage &page()
{
    static ViewPage *instance = new ViewPage; // lives until the process ends
    return *instance;
}

void BM_ViewRepaintWholePage(benchmark::State &state)
{
    ViewPage &p = page();
    p.showWholePage();
    for (auto _ : state) {
        QImage image = ViewPage::blank();
        p.repaintView(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_ViewRepaintWholePage)->Unit(benchmark::kMillisecond);

// The same with every shape selected: each shape's handles as well.
void BM_ViewRepaintAllSelected(benchmark::State &state)
{
    ViewPage &p = page();
    p.showWholePage();
    for (SketchShape *shape : p.view.currentLayer()->shapes())
        shape->setSelected(true);
    QImage warm = ViewPage::blank();
    p.repaintView(&warm);
    for (auto _ : state) {
        QImage image = ViewPage::blank();
        p.repaintView(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    p.view.clearSelection();
}
BENCHMARK(BM_ViewRepaintAllSelected)->Unit(benchmark::kMillisecond);

void BM_DocumentPaintWholePage(benchmark::State &state)
{
    ViewPage &p = page();
    p.showWholePage();
    for (auto _ : state) {
        QImage image = ViewPage::blank();
        p.paintDocument(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_DocumentPaintWholePage)->Unit(benchmark::kMillisecond);

// Both in turn within each iteration; "ratio" is the view's repaint over the
// document's own paint.
void BM_ViewRepaintRatio(benchmark::State &state)
{
    ViewPage &p = page();
    p.showWholePage();
    using Clock = std::chrono::steady_clock;
    Clock::duration view{};
    Clock::duration document{};
    for (auto _ : state) {
        QImage first = ViewPage::blank();
        const auto t0 = Clock::now();
        p.repaintView(&first);
        const auto t1 = Clock::now();
        QImage second = ViewPage::blank();
        const auto t2 = Clock::now();
        p.paintDocument(&second);
        const auto t3 = Clock::now();
        view += t1 - t0;
        document += t3 - t2;
        benchmark::DoNotOptimize(first.constBits());
        benchmark::DoNotOptimize(second.constBits());
    }
    state.counters["ratio"] = double(view.count()) / double(document.count());
}
BENCHMARK(BM_ViewRepaintRatio)->Unit(benchmark::kMillisecond);

void BM_ViewRepaintZoom8Corner(benchmark::State &state)
{
    ViewPage &p = page();
    p.showCorner(8.0f);
    for (auto _ : state) {
        QImage image = ViewPage::blank();
        p.repaintView(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    p.showWholePage();
}
BENCHMARK(BM_ViewRepaintZoom8Corner)->Unit(benchmark::kMillisecond);

// The same corner painted by the document alone, which draws every shape.
void BM_DocumentPaintZoom8Corner(benchmark::State &state)
{
    ViewPage &p = page();
    p.showCorner(8.0f);
    for (auto _ : state) {
        QImage image = ViewPage::blank();
        p.paintDocument(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    p.showWholePage();
}
BENCHMARK(BM_DocumentPaintZoom8Corner)->Unit(benchmark::kMillisecond);

} // namespace
