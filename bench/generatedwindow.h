#ifndef GENERATEDWINDOW_H
#define GENERATEDWINDOW_H

// The real main window with the page of the generator (gen_scene.py) open,
// for the benchmarks that measure the program as a user runs it. The
// generator is the one named by LOOMDRAW_GEN_SCENE, else
// /work/shared/bench/gen_scene.py; it writes the page into a temporary home
// that also holds the window's settings, removed with the window.

#include "app/mainwindow.h"
#include "editor/sketchdocumentview.h"
#include "model/sketchlayer.h"

#include <QFile>
#include <QProcess>
#include <QSize>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>

#include <memory>

struct GeneratedWindow
{
    QTemporaryDir home;
    std::unique_ptr<MainWindow> window;
    // The page's view; null when the page did not open.
    SketchDocumentView *view = nullptr;

    static QString generatorPath()
    {
        const QString path = qEnvironmentVariable("LOOMDRAW_GEN_SCENE");
        return path.isEmpty() ? QStringLiteral("/work/shared/bench/gen_scene.py") : path;
    }

    // A window of that size, shown, with the generated page of so many
    // shapes opened in it.
    GeneratedWindow(int shapes, const QSize &size)
    {
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
        QStandardPaths::setTestModeEnabled(true);
        const QString base = home.filePath(QStringLiteral("page"));
        QProcess::execute(QStringLiteral("python3"), {generatorPath(), QString::number(shapes), base});
        window = std::make_unique<MainWindow>();
        window->resize(size);
        window->show();
        window->openFiles({base + QStringLiteral(".slf")});
        view = window->currentDocumentView();
    }

    bool hasShapes() const { return view && !view->currentLayer()->shapes().isEmpty(); }
};

#endif // GENERATEDWINDOW_H
