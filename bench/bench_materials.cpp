// The material library: loading and saving a library of 2,000 materials of
// 20 shapes each, rendering one thumbnail, building the materials panel over
// that library and painting it once, and dropping a 50-shape material onto a
// page through the document view's drop of a drag text.
// SketchMaterialFile keeps the shapes of loaded materials as text until they
// are asked for, so the load and a save after it touch few shapes.
#include "bench/generatedpage.h"

#include "commands/sketchcommandmanager.h"
#include "editor/sketchdocumentview.h"
#include "materials/sketchmaterial.h"
#include "materials/sketchmaterialbox.h"
#include "materials/sketchmaterialfile.h"
#include "materials/sketchmateriallibrary.h"
#include "skin/controls/skingridview.h"
#include "model/sketchlayer.h"
#include "model/sketchshape.h"

#include <QImage>
#include <QPixmap>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

const int LibraryMaterialCount = 2000;
const int ShapesPerMaterial = 20;
const int DroppedShapeCount = 50;

// A material of count generated shapes (rectangles, ellipses, bubbles with
// text and curved paths with assorted fills), as saving a selection makes it.
SketchMaterial *generatedMaterial(int category, int count, quint32 seed)
{
    SketchLayer layer(nullptr, QStringLiteral("scratch"));
    generatedpage::fillLayer(&layer, count, QSize(300, 300), seed);
    auto *material = new SketchMaterial(category, layer.shapes(), true);
    material->setName(QStringLiteral("Material %1").arg(seed));
    return material;
}

struct Library
{
    QTemporaryDir folder;
    QString path;
    SketchMaterialFile file{QStringLiteral("Templates")};

    Library()
    {
        for (int i = 0; i < LibraryMaterialCount; ++i)
            file.addMaterial(generatedMaterial(i % SketchMaterialCategoryCount, ShapesPerMaterial, quint32(i + 1)));
        path = folder.filePath(QStringLiteral("Templates.xml"));
        file.save(path);
    }
};

Library &library()
{
    static Library *instance = new Library; // lives until the process ends
    return *instance;
}

void BM_MaterialLibraryLoad(benchmark::State &state)
{
    Library &l = library();
    SketchMaterialFile file(QStringLiteral("Templates"));
    for (auto _ : state)
        file.load(l.path);
    state.counters["materials"] = double(file.materials().size());
    state.counters["MB"] = double(QFileInfo(l.path).size()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_MaterialLibraryLoad)->Unit(benchmark::kMillisecond);

// The save after a change, as the panel makes it: the library as loaded at
// start, with one new material of 20 shapes.
void BM_MaterialLibrarySave(benchmark::State &state)
{
    Library &l = library();
    SketchMaterialFile file(QStringLiteral("Templates"));
    file.load(l.path);
    file.addMaterial(generatedMaterial(SketchMaterialBubble, ShapesPerMaterial, 99999));
    const QString path = l.folder.filePath(QStringLiteral("Saved.xml"));
    for (auto _ : state)
        benchmark::DoNotOptimize(file.save(path));
}
BENCHMARK(BM_MaterialLibrarySave)->Unit(benchmark::kMillisecond);

// The first save of a library whose 2,000 materials were all made in this
// run, so that every shape is written: the worst case, once per material.
void BM_MaterialLibraryFirstSaveOfNewMaterials(benchmark::State &state)
{
    Library &l = library();
    const QString path = l.folder.filePath(QStringLiteral("Fresh.xml"));
    for (auto _ : state) {
        state.PauseTiming();
        SketchMaterialFile file(QStringLiteral("Templates"));
        for (const SketchMaterial *material : l.file.materials())
            file.addMaterial(material->clone());
        state.ResumeTiming();
        benchmark::DoNotOptimize(file.save(path));
    }
}
BENCHMARK(BM_MaterialLibraryFirstSaveOfNewMaterials)->Unit(benchmark::kMillisecond)->Iterations(2);

// One panel cell's thumbnail of a 20-shape material.
void BM_MaterialThumbnail(benchmark::State &state)
{
    SketchMaterial *material = library().file.materials().at(3);
    for (auto _ : state)
        benchmark::DoNotOptimize(material->updateThumbnail(80, 80));
    material->setThumbnail(nullptr);
}
BENCHMARK(BM_MaterialThumbnail)->Unit(benchmark::kMillisecond);

// The panel as the main window builds it over the library of 2,000
// materials: the load (argument 0), or the load and the first paint of the
// open page at the panel's usual size, every thumbnail on it rendered
// (argument 1).
void BM_MaterialPanelLoad(benchmark::State &state)
{
    Library &l = library();
    SketchMaterialLibrary::setFolders(l.folder.path(), l.folder.path());
    const bool paint = state.range(0) != 0;
    int shown = 0;
    for (auto _ : state) {
        auto box = std::make_unique<SketchMaterialBox>();
        if (paint) {
            box->resize(230, 700);
            benchmark::DoNotOptimize(box->grab());
        }
        // The destruction belongs to the program's exit, not its start.
        state.PauseTiming();
        shown = box->grids().first()->itemCount();
        box.reset();
        state.ResumeTiming();
    }
    SketchMaterialLibrary::setFolders(QString(), QString());
    state.counters["on first page"] = double(shown);
}
BENCHMARK(BM_MaterialPanelLoad)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The drop of a 50-shape material's drag text onto an empty page (argument
// 0) and onto the generated crowded page (its shape count); the drop is
// undone and forgotten between the runs, outside the timing.
void BM_MaterialDrop(benchmark::State &state)
{
    SketchDocumentView view;
    view.resize(900, 650);
    if (state.range(0) > 0)
        generatedpage::fillLayer(view.currentLayer(), int(state.range(0)));
    const std::unique_ptr<SketchMaterial> material(generatedMaterial(0, DroppedShapeCount, 77));
    const QString text = material->dragText();
    for (auto _ : state) {
        view.dropMaterialXml(400, 300, text);
        state.PauseTiming();
        view.commandManager()->undo();
        view.commandManager()->clear();
        state.ResumeTiming();
    }
    state.counters["shapes"] = double(material->shapes().size());
}
BENCHMARK(BM_MaterialDrop)->Arg(0)->Arg(generatedpage::StandardShapeCount)->Unit(benchmark::kMillisecond);

} // namespace
