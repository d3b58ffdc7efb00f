#ifndef WINDOWFIXTURE_H
#define WINDOWFIXTURE_H

// What the in-process tests of the main window share: a home of their own
// for the user settings, and the window's parts found by their names.

#include "app/mainwindow.h"
#include "editor/sketchview.h"
#include "materials/sketchmateriallibrary.h"
#include "skin/windows/skintabcontrol.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>

namespace windowfixture {

// Points the home, the XDG folders and the material library into a
// temporary folder, before the first window reads its settings, and turns
// on the standard paths' test mode; the folder goes with the object.
class Home
{
public:
    ~Home() { SketchMaterialLibrary::setFolders(QString(), QString()); }

    bool install()
    {
        if (!m_root.isValid())
            return false;
        qputenv("HOME", QFile::encodeName(m_root.path()));
        for (const char *name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
            qputenv(name, QFile::encodeName(m_root.filePath(QString::fromLatin1(name))));
        QStandardPaths::setTestModeEnabled(true);
        // The materials panel reads and writes its library here, never
        // beside the test program.
        SketchMaterialLibrary::setFolders(m_root.filePath(QStringLiteral("program")),
                                          m_root.filePath(QStringLiteral("library")));
        return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
            .startsWith(m_root.path());
    }

    // The user settings file the window reads.
    QString settingsFile() const
    {
        return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
            + QStringLiteral("/Loomdraw/Loomdraw.ini");
    }

    bool writeSettings(const QByteArray &bytes) const
    {
        QDir().mkpath(QFileInfo(settingsFile()).path());
        QFile file(settingsFile());
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

    void removeSettings() const { QFile::remove(settingsFile()); }

private:
    QTemporaryDir m_root;
};

inline SkinTabControl *tabs(const MainWindow &window)
{
    return window.findChild<SkinTabControl *>(QStringLiteral("tabControl"));
}

inline QAction *action(const MainWindow &window, const char *name)
{
    return window.findChild<QAction *>(QLatin1String(name));
}

inline QStringList tabTexts(const MainWindow &window)
{
    QStringList texts;
    for (const QWidget *page : tabs(window)->pages())
        texts.append(page->windowTitle());
    return texts;
}

inline QStringList titles(const MainWindow &window)
{
    QStringList titles;
    for (const SketchView *view : window.sketchViews())
        titles.append(view->title());
    return titles;
}

// Marks the view modified the way an edit does, so the window hears of it.
inline void modify(SketchView *view)
{
    view->onSketchChanged();
}

} // namespace windowfixture

#endif // WINDOWFIXTURE_H
