// Loading, saving and rendering a document of generated pages, against the
// XML parser and writer alone on the same file, and rebuilding the slice
// grid of a page cut by many slices.
#include "bench/generatedpage.h"

#include "editor/sketchdocumentview.h"
#include "model/sketchdocument.h"
#include "model/sketchlayer.h"
#include "model/sketchslice.h"

#include <QDomDocument>
#include <QDomElement>
#include <QFile>
#include <QPixmap>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>

namespace {

// One saved page per shape count, made once per run.
class SavedPages
{
public:
    static SavedPages &instance()
    {
        static SavedPages pages;
        return pages;
    }

    QString path(int shapeCount)
    {
        auto found = m_paths.find(shapeCount);
        if (found != m_paths.end())
            return found->second;
        SketchDocumentView view;
        generatedpage::fillLayer(view.document()->layers().first(), shapeCount);
        const QString file = m_dir.filePath(QStringLiteral("page%1.slf").arg(shapeCount));
        view.document()->saveToFile(file);
        m_paths[shapeCount] = file;
        return file;
    }

private:
    QTemporaryDir m_dir;
    std::map<int, QString> m_paths;
};

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void setShapeCounter(benchmark::State &state)
{
    state.counters["shapes"] = double(state.range(0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Opening the file into a new document; making and freeing the document are
// not timed.
void BM_DocumentLoad(benchmark::State &state)
{
    const QString path = SavedPages::instance().path(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        auto *document = new SketchDocument(nullptr);
        state.ResumeTiming();
        benchmark::DoNotOptimize(document->loadFromFile(path));
        state.PauseTiming();
        delete document;
        state.ResumeTiming();
    }
    setShapeCounter(state);
}

// The parser alone on the same file, read from memory.
void BM_DomSetContent(benchmark::State &state)
{
    const QByteArray bytes = fileBytes(SavedPages::instance().path(int(state.range(0))));
    for (auto _ : state) {
        QDomDocument dom;
        benchmark::DoNotOptimize(dom.setContent(bytes));
    }
    setShapeCounter(state);
}

void BM_DocumentSave(benchmark::State &state)
{
    const QString path = SavedPages::instance().path(int(state.range(0)));
    SketchDocumentView view;
    view.document()->loadFromFile(path);
    QTemporaryDir dir;
    const QString target = dir.filePath("saved.slf");
    for (auto _ : state)
        benchmark::DoNotOptimize(view.document()->saveToFile(target));
    setShapeCounter(state);
}

// The file's text alone, without the disk.
void BM_DocumentFileText(benchmark::State &state)
{
    SketchDocumentView view;
    view.document()->loadFromFile(SavedPages::instance().path(int(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(view.document()->toFileText());
    setShapeCounter(state);
}

// The XML writer alone on the document's tree, built beforehand.
void BM_DomToString(benchmark::State &state)
{
    SketchDocumentView view;
    view.document()->loadFromFile(SavedPages::instance().path(int(state.range(0))));
    QDomDocument dom;
    QDomElement root = dom.createElement("Storyloom");
    dom.appendChild(root);
    QDomElement element = dom.createElement("Document");
    root.appendChild(element);
    view.document()->writeXml(element);
    for (auto _ : state)
        benchmark::DoNotOptimize(dom.toString(4));
    setShapeCounter(state);
}

void BM_DocumentRender(benchmark::State &state)
{
    SketchDocumentView view;
    view.document()->loadFromFile(SavedPages::instance().path(int(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(view.document()->renderToPixmap(true, "PNG"));
    setShapeCounter(state);
}

// Slices of random size and place, overlapping one another and the paper's
// edges, as a user cutting a page into many parts might draw them.
void BM_UpdateSliceGrid(benchmark::State &state)
{
    SketchDocumentView view;
    SketchDocument *document = view.document();
    QRandomGenerator random(77);
    const QSize paper = document->paperSize();
    for (int i = 0; i < state.range(0); ++i) {
        SketchSlice *slice = new SketchSlice(document);
        slice->setRect(QRect(random.bounded(-20, paper.width()), random.bounded(-20, paper.height()),
                             random.bounded(5, 200), random.bounded(5, 150)));
        document->slices().append(slice);
    }
    for (auto _ : state)
        document->updateSliceGrid();
    state.counters["slices"] = double(state.range(0));
    state.counters["autoSlices"] = double(document->autoSlices().size());
}

} // namespace

BENCHMARK(BM_DocumentLoad)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DomSetContent)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DocumentSave)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DocumentFileText)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DomToString)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DocumentRender)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UpdateSliceGrid)->Arg(200)->Unit(benchmark::kMillisecond);
