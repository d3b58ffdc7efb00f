#ifndef MATERIALBOXFIXTURE_H
#define MATERIALBOXFIXTURE_H

// The materials panel's tests: a library folder of the test's own, a
// recorder that answers the message boxes, and checks of a page's cells.

#include "materials/materialfixture.h"
#include "materials/sketchmaterial.h"
#include "materials/sketchmaterialbox.h"
#include "materials/sketchmaterialfile.h"
#include "materials/sketchmateriallibrary.h"
#include "skin/controls/skingridcell.h"
#include "skin/controls/skingridview.h"
#include "skin/windows/skindialog.h"
#include "skin/windows/skinmessagebox.h"

#include <QDir>
#include <QDomDocument>
#include <QDomElement>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBox>

#include <memory>

// A program folder and a user folder in a temporary folder, set as the
// library's folders while it lives; the program folder is writable, so the
// library is its "Templates.xml".
class LibraryFolder
{
public:
    LibraryFolder()
    {
        QDir().mkpath(programFolder());
        SketchMaterialLibrary::setFolders(programFolder(), m_dir.filePath(QStringLiteral("user")));
    }
    ~LibraryFolder() { SketchMaterialLibrary::setFolders(QString(), QString()); }
    LibraryFolder(const LibraryFolder &) = delete;
    LibraryFolder &operator=(const LibraryFolder &) = delete;

    bool isValid() const { return m_dir.isValid(); }
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString programFolder() const { return m_dir.filePath(QStringLiteral("program")); }
    QString libraryPath() const { return QDir(programFolder()).filePath(QStringLiteral("Templates.xml")); }
    QStringList programFiles() const { return QDir(programFolder()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot); }

    // Saves the materials (taken over) as the library file.
    bool writeLibrary(const QList<SketchMaterial *> &materials) const
    {
        SketchMaterialFile file(SketchMaterialLibrary::name());
        for (SketchMaterial *material : materials)
            file.addMaterial(material);
        return file.save(libraryPath());
    }

    // The library file's materials as "name:category", in the order the
    // file lists them (loading would regroup them by category).
    QStringList libraryEntries() const { return entriesIn(libraryPath()); }

    static QStringList entriesIn(const QString &path)
    {
        QDomDocument document;
        if (!document.setContent(readFileBytes(path)))
            return {QStringLiteral("!not a library")};
        QStringList entries;
        for (QDomElement e = document.documentElement().firstChildElement(); !e.isNull();
             e = e.nextSiblingElement())
            entries.append(e.attribute(QStringLiteral("Name")) + QLatin1Char(':') + e.attribute(QStringLiteral("Category")));
        return entries;
    }

    static QStringList entriesOf(const QList<SketchMaterial *> &materials)
    {
        QStringList entries;
        for (const SketchMaterial *material : materials)
            entries.append(QStringLiteral("%1:%2").arg(material->name()).arg(material->category()));
        return entries;
    }

private:
    QTemporaryDir m_dir;
};

// Answers every message box (and any other dialog) while it lives and notes
// each as "title|text"; boxes get the answer given, other dialogs Cancel.
class BoxRecorder
{
public:
    explicit BoxRecorder(int answer = SkinMessageBox::ResultOk)
        : m_answer(answer),
          m_hook([this](SkinDialog *dialog) {
              auto *box = qobject_cast<SkinMessageBox *>(dialog);
              if (!box) {
                  boxes.append(QStringLiteral("dialog|") + dialog->windowTitle());
                  return int(SkinDialog::ResultCancel);
              }
              boxes.append(box->windowTitle() + QLatin1Char('|') + box->text());
              icons.append(box->icon());
              return m_answer;
          })
    {
    }

    void setAnswer(int answer) { m_answer = answer; }

    QStringList boxes;
    QList<int> icons;

private:
    int m_answer;
    SkinDialog::ScopedAnswerHook m_hook;
};

// The names of a page's materials in cell order, after checking that its
// cells before the item count hold distinct materials, editable and open to
// drag and drop on white, and that every cell after it is empty, read-only
// and closed to both. A broken cell comes back as "!column,row:what".
inline QStringList pageNames(const SkinGridView *grid)
{
    QStringList names;
    QList<QObject *> seen;
    const int columns = grid->columnCount();
    for (int index = 0; index < grid->cellCount(); ++index) {
        const int column = index % columns;
        const int row = index / columns;
        const SkinGridCell *cell = grid->cell(column, row);
        const QString where = QStringLiteral("!%1,%2:").arg(column).arg(row);
        if (!cell) {
            names.append(where + QStringLiteral("missing"));
            continue;
        }
        if (index < grid->itemCount()) {
            auto *material = qobject_cast<SketchMaterial *>(cell->data());
            if (!material || seen.contains(material))
                names.append(where + QStringLiteral("no material"));
            else if (cell->isReadOnly() || !cell->isDragEnabled() || !cell->isDropEnabled()
                     || cell->backgroundColor() != QColor(Qt::white) || cell->text() != material->name())
                names.append(where + QStringLiteral("not in the material state"));
            else
                names.append(material->name());
            seen.append(material);
        } else if (cell->data() || !cell->text().isEmpty() || !cell->isReadOnly() || cell->isDragEnabled()
                   || cell->isDropEnabled() || cell->backgroundColor().alpha() != 0) {
            names.append(where + QStringLiteral("not empty"));
        }
    }
    return names;
}

// Shows the panel at that size and waits until it is on screen.
inline bool showPanel(SketchMaterialBox *box, const QSize &size = QSize(230, 400))
{
    box->resize(size);
    box->show();
    return QTest::qWaitForWindowExposed(box);
}

inline QStringList pageTitles(const SketchMaterialBox &box)
{
    QStringList titles;
    for (int page = 0; page < box.toolBox()->count(); ++page)
        titles.append(box.toolBox()->itemText(page));
    return titles;
}

#endif // MATERIALBOXFIXTURE_H
