// SketchMaterialBox: the panel as built, the library it loads and writes
// after every change (add, import, delete, move, reorder, rename), pages
// that grow past 300 materials, cells past a page's items that stay empty,
// a save that fails, a library that does not read, and square cells.
#include "materials/materialboxfixture.h"

#include "materials/sketchmaterialgriditemdelegate.h"
#include "skin/controls/skingridcolumn.h"
#include "skin/controls/skingridrow.h"
#include "skin/controls/skingridselection.h"
#include "skin/gridfixture.h"
#include "skin/windows/skingroupbox.h"
#include "skin/windows/skinmenu.h"
#include "skin/windows/skintheme.h"

#include <QAction>
#include <QLineEdit>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QToolBox>
#include <QToolButton>
#include <QtTest>

#include <memory>

namespace {

// A library comment after the root: any save rewrites the file without it.
const QByteArray UntouchedMark("<!-- untouched -->\n");

// Drops the cell at `from` onto `to` as the grid's drag and drop would.
void reorder(SkinGridView *grid, int from, int to)
{
    const int columns = grid->columnCount();
    grid->setDragging(true);
    grid->setDragColumn(from % columns);
    grid->setDragRow(from / columns);
    grid->setDropColumn(to % columns);
    grid->setDropRow(to / columns);
    grid->itemDelegate()->dropCell(grid, to % columns, to / columns, true);
}

void select(SkinGridView *grid, int index)
{
    grid->selection()->selectCell(index, false);
}

// Materials named "<prefix>1", "<prefix>2", ... of one category.
QList<SketchMaterial *> namedMaterials(int category, int count, const QString &prefix)
{
    QList<SketchMaterial *> materials;
    for (int i = 1; i <= count; ++i)
        materials.append(makeBoxMaterial(category, QSizeF(100, 50), prefix + QString::number(i)));
    return materials;
}

QImage tinted(const QString &path)
{
    return skinTintedIcon(QImage(path)).pixmap(16, 16).toImage();
}

} // namespace

class TestSketchMaterialBox : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void builtAsTheMaterialsPanel();
    void firstStartShowsEmptyPagesAndWritesNothing();
    void loadShowsTheLibraryByCategory();
    void addingShowsTheMaterialOnItsPageAndSaves();
    void addingIgnoresNullAndHeldMaterials();
    void importReportsTheCount_data();
    void importReportsTheCount();
    void importOfNothingDoesNothing();
    void deleteAsksFirst_data();
    void deleteAsksFirst();
    void deleteNeedsAMaterialUnderTheAnchor();
    void moveToAnotherCategory();
    void moveRefusals_data();
    void moveRefusals();
    void reorderPutsThePageLastInItsNewOrder();
    void reorderOntoAnEmptyCellIsRefused();
    void renameInPlace_data();
    void renameInPlace();
    void emptyCellsAreNotEdited();
    void fullPageGrowsByARow();
    void reorderOfAGrownPageKeepsEveryMaterial();
    void contextMenuStates();
    void failedSaveIsReportedOnce();
    void unreadableLibraryIsKeptAside();
    void cellsStaySquare();
    void themeReachesEveryPage();

private:
    std::unique_ptr<LibraryFolder> m_folder;
    MaterialCounts m_counts;
};

void TestSketchMaterialBox::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    gridfixture::registerGridTypes();
    setSkinThemeStyle(Black);
}

void TestSketchMaterialBox::init()
{
    m_counts = MaterialCounts();
    m_folder.reset(new LibraryFolder);
    QVERIFY(m_folder->isValid());
}

void TestSketchMaterialBox::cleanup()
{
    m_folder.reset();
    QVERIFY2(MaterialCounts() == m_counts, qPrintable(describe(MaterialCounts())));
}

void TestSketchMaterialBox::builtAsTheMaterialsPanel()
{
    BoxRecorder recorder;
    SketchMaterialBox box;
    QCOMPARE(box.groupBox()->title(), QStringLiteral("Materials"));
    QVERIFY(!box.groupBox()->contextButton()->isHidden());
    QVERIFY(!box.groupBox()->isContextMenuRightAligned());
    QCOMPARE(box.groupBox()->contextMenu(), box.panelMenu());

    const QList<QAction *> panelActions = box.panelMenu()->actions();
    QCOMPARE(panelActions.size(), 2);
    QVERIFY(panelActions.at(0)->isSeparator());
    QCOMPARE(panelActions.at(1)->text(), QStringLiteral("Download More"));
    QSignalSpy more(&box, SIGNAL(moreMaterialsDownloaded()));
    panelActions.at(1)->trigger();
    QCOMPARE(more.count(), 1);

    const QList<QAction *> gridActions = box.gridMenu()->actions();
    QCOMPARE(gridActions.size(), 2);
    QCOMPARE(gridActions.at(0)->text(), QStringLiteral("Delete"));
    QCOMPARE(gridActions.at(1)->menu(), box.categoryMenu());
    QCOMPARE(box.categoryMenu()->title(), QStringLiteral("Category"));
    QStringList categories;
    for (const QAction *action : box.categoryMenu()->actions()) {
        QVERIFY(action->isCheckable());
        categories.append(action->text());
    }
    QCOMPARE(categories, SketchMaterialBox::categoryNames());
    QCOMPARE(SketchMaterialBox::categoryNames(),
             QStringList({"Role", "Prop", "Bubble", "Nature", "Effect", "Scene", "Others"}));

    QCOMPARE(box.grids().size(), 7);
    for (int page = 0; page < 7; ++page) {
        const SkinGridView *grid = box.grids().at(page);
        QCOMPARE(static_cast<const QWidget *>(box.toolBox()->widget(page)), static_cast<const QWidget *>(grid));
        QCOMPARE(grid->columnCount(), 3);
        QCOMPARE(grid->rowCount(), 100);
        QCOMPARE(grid->selectionStyle(), 1);
        QVERIFY(grid->isRightClickSelects());
        QVERIFY(!grid->isMultiSelection());
        QVERIFY(grid->isDragEnabled() && grid->isDropEnabled());
        QVERIFY(!grid->isColumnHeaderVisible() && !grid->isRowHeaderVisible());
        QVERIFY(!grid->isHorizontalScrollBarEnabled());
        QCOMPARE(grid->verticalScrollBar()->pageStep(), 1);
        QCOMPARE(grid->contextMenu(), static_cast<QMenu *>(box.gridMenu()));
        QVERIFY(dynamic_cast<SketchMaterialGridItemDelegate *>(grid->itemDelegate()));
    }
    QCOMPARE(box.currentCategory(), 0);
    QVERIFY(!box.mainWindow());
    QVERIFY(recorder.boxes.isEmpty());
}

void TestSketchMaterialBox::firstStartShowsEmptyPagesAndWritesNothing()
{
    BoxRecorder recorder;
    SketchMaterialBox box;
    QCOMPARE(pageTitles(box), QStringList({"Role(0)", "Prop(0)", "Bubble(0)", "Nature(0)", "Effect(0)",
                                           "Scene(0)", "Others(0)"}));
    QCOMPARE(box.libraryFilePath(), m_folder->libraryPath());
    QVERIFY(box.materialFile());
    QCOMPARE(box.materialFile()->name(), QStringLiteral("Templates"));
    QVERIFY(box.materialFile()->materials().isEmpty());
    // No cell of any page takes a drop: a material dragged onto one would
    // leave a gap in its page.
    for (const SkinGridView *grid : box.grids()) {
        QCOMPARE(grid->itemCount(), 0);
        QCOMPARE(pageNames(grid), QStringList());
        for (int index = 0; index < grid->cellCount(); ++index)
            QVERIFY(!grid->isCellDropEnabled(index % 3, index / 3));
    }
    QVERIFY(m_folder->programFiles().isEmpty());
    QVERIFY(recorder.boxes.isEmpty());
}

void TestSketchMaterialBox::loadShowsTheLibraryByCategory()
{
    QList<SketchMaterial *> materials;
    materials << makeBoxMaterial(3, QSizeF(10, 10), "tree") << makeBoxMaterial(0, QSizeF(10, 10), "hero")
              << makeBoxMaterial(9, QSizeF(10, 10), "odd") << makeBoxMaterial(3, QSizeF(10, 10), "cloud")
              << makeBoxMaterial(1, QSizeF(10, 10), "sword");
    QVERIFY(m_folder->writeLibrary(materials));

    BoxRecorder recorder;
    SketchMaterialBox box;
    QCOMPARE(pageTitles(box), QStringList({"Role(1)", "Prop(1)", "Bubble(0)", "Nature(2)", "Effect(0)",
                                           "Scene(0)", "Others(0)"}));
    QCOMPARE(pageNames(box.grids().at(0)), QStringList({"hero"}));
    QCOMPARE(pageNames(box.grids().at(3)), QStringList({"tree", "cloud"}));
    QCOMPARE(pageNames(box.grids().at(6)), QStringList());
    // The material of category 9 shows nowhere, yet a save keeps it.
    QCOMPARE(box.materialFile()->materials().size(), 5);
    box.addMaterial(std::unique_ptr<SketchMaterial>(makeBoxMaterial(5, QSizeF(10, 10), "sky")).get());
    QCOMPARE(m_folder->libraryEntries(),
             QStringList({"hero:0", "sword:1", "tree:3", "cloud:3", "odd:9", "sky:5"}));
    QVERIFY(recorder.boxes.isEmpty());
}

void TestSketchMaterialBox::addingShowsTheMaterialOnItsPageAndSaves()
{
    BoxRecorder recorder;
    SketchMaterialBox box;
    std::unique_ptr<SketchMaterial> material(makeBoxMaterial(SketchMaterialBubble, QSizeF(100, 50), "Speech"));
    // As the main window saves a selection as a material.
    box.addMaterial(material.get());
    box.setCurrentCategory(material->category());

    QCOMPARE(pageTitles(box), QStringList({"Role(0)", "Prop(0)", "Bubble(1)", "Nature(0)", "Effect(0)",
                                           "Scene(0)", "Others(0)"}));
    QCOMPARE(box.currentCategory(), 2);
    QCOMPARE(box.currentGrid(), box.grids().at(2));
    const SkinGridView *bubbles = box.grids().at(2);
    QCOMPARE(pageNames(bubbles), QStringList({"Speech"}));
    // The panel keeps a copy of its own, with the same identity.
    auto *shown = SketchMaterialGridItemDelegate::materialAt(bubbles, 0, 0);
    QVERIFY(shown != material.get());
    QCOMPARE(shown->guid(), material->guid());
    QCOMPARE(box.materialFile()->materials(), QList<SketchMaterial *>({shown}));

    QCOMPARE(m_folder->libraryEntries(), QStringList({"Speech:2"}));
    SketchMaterialFile saved(QStringLiteral("saved"));
    QVERIFY(saved.load(m_folder->libraryPath()));
    QVERIFY(saved.contains(material->guid()));
    QCOMPARE(saved.materials().first()->shapes().size(), 1);
    QVERIFY(recorder.boxes.isEmpty());
}

void TestSketchMaterialBox::addingIgnoresNullAndHeldMaterials()
{
    BoxRecorder recorder;
    SketchMaterialBox box;
    box.addMaterial(nullptr);
    QVERIFY(m_folder->programFiles().isEmpty());

    std::unique_ptr<SketchMaterial> material(makeBoxMaterial(1, QSizeF(100, 50), "Sword"));
    box.addMaterial(material.get());
    QVERIFY(writeFileBytes(m_folder->libraryPath(), readFileBytes(m_folder->libraryPath()) + UntouchedMark));
    // A second add of the same material (same Guid) changes nothing.
    box.addMaterial(material.get());
    QCOMPARE(pageNames(box.grids().at(1)), QStringList({"Sword"}));
    QCOMPARE(box.materialFile()->materials().size(), 1);
    QVERIFY(readFileBytes(m_folder->libraryPath()).endsWith(UntouchedMark));
    QVERIFY(recorder.boxes.isEmpty());
}

void TestSketchMaterialBox::importReportsTheCount_data()
{
    QTest::addColumn<QStringList>("downloaded");
    QTest::addColumn<QString>("report");
    QTest::addColumn<QStringList>("library");

    // The library holds "hero" (Role) and "tree" (Nature) to begin with.
    QTest::newRow("all known") << QStringList({"hero", "tree"}) << "0 materials are imported."
                               << QStringList({"hero:0", "tree:3"});
    QTest::newRow("two new, one known") << QStringList({"hero", "cat:1", "rain:4"}) << "2 materials are imported."
                                        << QStringList({"hero:0", "tree:3", "cat:1", "rain:4"});
    QTest::newRow("category outside the pages") << QStringList({"odd:12"}) << "1 materials are imported."
                                                << QStringList({"hero:0", "tree:3", "odd:6"});
}

void TestSketchMaterialBox::importReportsTheCount()
{
    QFETCH(QStringList, downloaded);
    QFETCH(QString, report);
    QFETCH(QStringList, library);

    SketchMaterial *hero = makeBoxMaterial(0, QSizeF(10, 10), "hero");
    SketchMaterial *tree = makeBoxMaterial(3, QSizeF(10, 10), "tree");
    SketchMaterialFile file(QStringLiteral("Downloaded"));
    QList<SketchMaterial *> known;
    for (const QString &entry : downloaded) {
        if (entry == QLatin1String("hero") || entry == QLatin1String("tree")) {
            known.append((entry == QLatin1String("hero") ? hero : tree)->clone());
            file.addMaterial(known.last());
        } else {
            file.addMaterial(makeBoxMaterial(entry.section(':', 1).toInt(), QSizeF(10, 10), entry.section(':', 0, 0)));
        }
    }
    QVERIFY(m_folder->writeLibrary({hero, tree}));
    const QByteArray before = readFileBytes(m_folder->libraryPath()) + UntouchedMark;
    QVERIFY(writeFileBytes(m_folder->libraryPath(), before));

    BoxRecorder recorder;
    SketchMaterialBox box;
    box.importMaterials(&file);
    QCOMPARE(recorder.boxes, QStringList({"Finished|" + report}));
    QCOMPARE(recorder.icons, QList<int>({SkinMessageBox::IconInformation}));
    QCOMPARE(LibraryFolder::entriesOf(box.materialFile()->materials()), library);
    if (library.size() == 2) {
        QCOMPARE(readFileBytes(m_folder->libraryPath()), before);
    } else {
        QCOMPARE(m_folder->libraryEntries(), library);
    }
    // The file's materials that were copied carry the mark; the library's
    // copies and the known ones do not.
    for (const SketchMaterial *material : file.materials())
        QCOMPARE(material->isImported(), !known.contains(const_cast<SketchMaterial *>(material)));
    for (const SketchMaterial *material : box.materialFile()->materials())
        QVERIFY(!material->isImported());
    // Every page shows what the library holds.
    int shown = 0;
    for (int page = 0; page < 7; ++page) {
        QCOMPARE(pageTitles(box).at(page),
                 QStringLiteral("%1(%2)").arg(SketchMaterialBox::categoryNames().at(page))
                     .arg(box.grids().at(page)->itemCount()));
        shown += pageNames(box.grids().at(page)).size();
    }
    QCOMPARE(shown, library.size());
}

void TestSketchMaterialBox::importOfNothingDoesNothing()
{
    BoxRecorder recorder;
    SketchMaterialBox box;
    box.importMaterials(nullptr);
    QVERIFY(recorder.boxes.isEmpty());
    SketchMaterialFile empty(QStringLiteral("Empty"));
    box.importMaterials(&empty);
    QCOMPARE(recorder.boxes, QStringList({"Finished|0 materials are imported."}));
    QVERIFY(m_folder->programFiles().isEmpty());
}

void TestSketchMaterialBox::deleteAsksFirst_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QStringList>("page");

    QTest::newRow("yes, the first") << int(SkinMessageBox::ResultYes) << 0 << QStringList({"r2", "r3"});
    QTest::newRow("yes, the last") << int(SkinMessageBox::ResultYes) << 2 << QStringList({"r1", "r2"});
    QTest::newRow("no") << int(SkinMessageBox::ResultNo) << 0 << QStringList({"r1", "r2", "r3"});
    QTest::newRow("closed") << int(SkinMessageBox::ResultCancel) << 1 << QStringList({"r1", "r2", "r3"});
}

void TestSketchMaterialBox::deleteAsksFirst()
{
    QFETCH(int, answer);
    QFETCH(int, selected);
    QFETCH(QStringList, page);

    QList<SketchMaterial *> materials = namedMaterials(0, 3, "r");
    materials.append(makeBoxMaterial(4, QSizeF(10, 10), "spark"));
    QVERIFY(m_folder->writeLibrary(materials));
    const QByteArray before = readFileBytes(m_folder->libraryPath()) + UntouchedMark;
    QVERIFY(writeFileBytes(m_folder->libraryPath(), before));

    BoxRecorder recorder(answer);
    SketchMaterialBox box;
    SkinGridView *grid = box.grids().at(0);
    select(grid, selected);
    const int living = SketchGlobals::MaterialCount;
    box.gridMenu()->actions().at(0)->trigger();

    QCOMPARE(recorder.boxes, QStringList({"Confirm|Confirm to delete this material?"}));
    QCOMPARE(recorder.icons, QList<int>({SkinMessageBox::IconWarning}));
    QCOMPARE(pageNames(grid), page);
    QCOMPARE(pageTitles(box).at(0), QStringLiteral("Role(%1)").arg(page.size()));
    if (answer == SkinMessageBox::ResultYes) {
        QCOMPARE(SketchGlobals::MaterialCount, living - 1);
        QStringList expected;
        for (const QString &name : page)
            expected.append(name + ":0");
        QCOMPARE(m_folder->libraryEntries(), expected << "spark:4");
    } else {
        QCOMPARE(SketchGlobals::MaterialCount, living);
        QCOMPARE(readFileBytes(m_folder->libraryPath()), before);
    }
}

void TestSketchMaterialBox::deleteNeedsAMaterialUnderTheAnchor()
{
    QVERIFY(m_folder->writeLibrary(namedMaterials(0, 2, "r")));
    BoxRecorder recorder(SkinMessageBox::ResultYes);
    SketchMaterialBox box;
    // Nothing selected, then an empty cell selected.
    box.deleteSelectedMaterial();
    select(box.grids().at(0), 5);
    box.deleteSelectedMaterial();
    // A material selected on a page that is not the open one.
    select(box.grids().at(0), 0);
    box.setCurrentCategory(1);
    box.deleteSelectedMaterial();
    QVERIFY(recorder.boxes.isEmpty());
    QCOMPARE(pageNames(box.grids().at(0)), QStringList({"r1", "r2"}));
}

void TestSketchMaterialBox::moveToAnotherCategory()
{
    QList<SketchMaterial *> materials = namedMaterials(0, 3, "r");
    materials.append(makeBoxMaterial(6, QSizeF(10, 10), "misc"));
    QVERIFY(m_folder->writeLibrary(materials));

    BoxRecorder recorder;
    SketchMaterialBox box;
    select(box.grids().at(0), 1);
    box.categoryMenu()->actions().at(SketchMaterialOthers)->trigger();

    QCOMPARE(pageNames(box.grids().at(0)), QStringList({"r1", "r3"}));
    QCOMPARE(pageNames(box.grids().at(6)), QStringList({"misc", "r2"}));
    QCOMPARE(pageTitles(box).at(0), QStringLiteral("Role(2)"));
    QCOMPARE(pageTitles(box).at(6), QStringLiteral("Others(2)"));
    // The material keeps its place in the library file.
    QCOMPARE(m_folder->libraryEntries(), QStringList({"r1:0", "r2:6", "r3:0", "misc:6"}));
    QVERIFY(recorder.boxes.isEmpty());
}

void TestSketchMaterialBox::moveRefusals_data()
{
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("target");
    QTest::addColumn<bool>("fromMenu");

    QTest::newRow("to its own category") << 0 << 0 << true;
    QTest::newRow("empty cell selected") << 4 << 3 << true;
    QTest::newRow("nothing selected") << -1 << 3 << true;
    QTest::newRow("not from the menu") << 0 << 3 << false;
}

void TestSketchMaterialBox::moveRefusals()
{
    QFETCH(int, selected);
    QFETCH(int, target);
    QFETCH(bool, fromMenu);

    QVERIFY(m_folder->writeLibrary(namedMaterials(0, 2, "r")));
    const QByteArray before = readFileBytes(m_folder->libraryPath()) + UntouchedMark;
    QVERIFY(writeFileBytes(m_folder->libraryPath(), before));
    SketchMaterialBox box;
    if (selected >= 0)
        select(box.grids().at(0), selected);
    if (fromMenu)
        box.categoryMenu()->actions().at(target)->trigger();
    else
        box.changeSelectedMaterialCategory();
    QCOMPARE(pageNames(box.grids().at(0)), QStringList({"r1", "r2"}));
    QCOMPARE(pageNames(box.grids().at(target)).size(), target == 0 ? 2 : 0);
    QCOMPARE(readFileBytes(m_folder->libraryPath()), before);
}

void TestSketchMaterialBox::reorderPutsThePageLastInItsNewOrder()
{
    QList<SketchMaterial *> materials = namedMaterials(3, 3, "n");
    materials.prepend(makeBoxMaterial(0, QSizeF(10, 10), "hero"));
    materials.append(makeBoxMaterial(5, QSizeF(10, 10), "sky"));
    QVERIFY(m_folder->writeLibrary(materials));

    {
        SketchMaterialBox box;
        box.setCurrentCategory(3);
        SkinGridView *grid = box.grids().at(3);
        QSignalSpy dropped(grid, SIGNAL(cellDroped()));
        reorder(grid, 2, 0);
        QCOMPARE(dropped.count(), 1);
        QCOMPARE(pageNames(grid), QStringList({"n3", "n1", "n2"}));
        QCOMPARE(m_folder->libraryEntries(), QStringList({"hero:0", "sky:5", "n3:3", "n1:3", "n2:3"}));
        reorder(grid, 0, 1);
        QCOMPARE(pageNames(grid), QStringList({"n1", "n3", "n2"}));
    }
    // Read again, the materials are grouped by category once more.
    SketchMaterialBox again;
    QCOMPARE(LibraryFolder::entriesOf(again.materialFile()->materials()),
             QStringList({"hero:0", "n1:3", "n3:3", "n2:3", "sky:5"}));
    QCOMPARE(pageNames(again.grids().at(3)), QStringList({"n1", "n3", "n2"}));
}

void TestSketchMaterialBox::reorderOntoAnEmptyCellIsRefused()
{
    QVERIFY(m_folder->writeLibrary(namedMaterials(0, 2, "r")));
    const QByteArray before = readFileBytes(m_folder->libraryPath()) + UntouchedMark;
    QVERIFY(writeFileBytes(m_folder->libraryPath(), before));
    SketchMaterialBox box;
    SkinGridView *grid = box.grids().at(0);
    QSignalSpy dropped(grid, SIGNAL(cellDroped()));
    // Onto the next free cell and one further on, and from an empty cell.
    reorder(grid, 0, 2);
    reorder(grid, 1, 7);
    reorder(grid, 4, 0);
    QCOMPARE(dropped.count(), 0);
    QVERIFY(!grid->isDragging());
    QCOMPARE(pageNames(grid), QStringList({"r1", "r2"}));
    QCOMPARE(readFileBytes(m_folder->libraryPath()), before);
}

void TestSketchMaterialBox::renameInPlace_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("nameWritten");

    QTest::newRow("new name") << "Big cloud" << true;
    QTest::newRow("empty") << "" << false;
}

void TestSketchMaterialBox::renameInPlace()
{
    QFETCH(QString, text);
    QFETCH(bool, nameWritten);

    QVERIFY(m_folder->writeLibrary(namedMaterials(3, 2, "n")));
    SketchMaterialBox box;
    QVERIFY(showPanel(&box));
    box.setCurrentCategory(3);
    SkinGridView *grid = box.grids().at(3);
    grid->editCell(1, 0);
    QVERIFY(!grid->cellEditor()->isHidden());
    grid->cellEditor()->setText(text);
    grid->closeCellEditor(true);

    QCOMPARE(pageNames(grid), QStringList({"n1", text}));
    QCOMPARE(m_folder->libraryEntries(), QStringList({"n1:3", text + ":3"}));
    int named = 0;
    for (const QByteArray &line : readFileBytes(m_folder->libraryPath()).split('\n')) {
        if (line.startsWith("    <Material ") && line.contains(" Name=\""))
            ++named;
    }
    QCOMPARE(named, nameWritten ? 2 : 1);
}

void TestSketchMaterialBox::emptyCellsAreNotEdited()
{
    QVERIFY(m_folder->writeLibrary(namedMaterials(0, 1, "r")));
    SketchMaterialBox box;
    QVERIFY(showPanel(&box));
    SkinGridView *grid = box.grids().at(0);
    grid->editCell(1, 0);
    QVERIFY(grid->cellEditor()->isHidden());
    // A text given to an empty cell some other way names no material.
    grid->setCellText(1, 0, "stray");
    box.gridCellTextChanged(grid->cell(1, 0));
    box.gridCellTextChanged(nullptr);
    QCOMPARE(m_folder->libraryEntries(), QStringList({"r1:0"}));
}

void TestSketchMaterialBox::fullPageGrowsByARow()
{
    QVERIFY(m_folder->writeLibrary(namedMaterials(4, 300, "e")));
    BoxRecorder recorder;
    SketchMaterialBox box;
    box.setCurrentCategory(4);
    QVERIFY(showPanel(&box));
    SkinGridView *grid = box.grids().at(4);
    QCOMPARE(grid->rowCount(), 100);
    QCOMPARE(pageNames(grid).size(), 300);

    std::unique_ptr<SketchMaterial> extra(makeBoxMaterial(4, QSizeF(10, 10), "e301"));
    box.addMaterial(extra.get());
    QCOMPARE(grid->rowCount(), 101);
    QCOMPARE(pageTitles(box).at(4), QStringLiteral("Effect(301)"));
    const QStringList names = pageNames(grid);
    QCOMPARE(names.size(), 301);
    QCOMPARE(names.last(), QStringLiteral("e301"));
    QCOMPARE(grid->cellText(0, 100), QStringLiteral("e301"));
    QCOMPARE(grid->rows().last()->height(), grid->rows().first()->height());
    QCOMPARE(grid->rows().first()->height(), grid->columns().first()->width());
    // The new row is reachable.
    grid->scrollToRow(100);
    QVERIFY(grid->lastVisibleRow() == 100);
    QCOMPARE(m_folder->libraryEntries().size(), 301);
    QVERIFY(recorder.boxes.isEmpty());
}

void TestSketchMaterialBox::reorderOfAGrownPageKeepsEveryMaterial()
{
    QVERIFY(m_folder->writeLibrary(namedMaterials(0, 302, "r")));
    SketchMaterialBox box;
    SkinGridView *grid = box.grids().at(0);
    QCOMPARE(grid->rowCount(), 101);
    QCOMPARE(pageTitles(box).at(0), QStringLiteral("Role(302)"));
    QCOMPARE(pageNames(grid).size(), 302);
    reorder(grid, 301, 0);
    QStringList names = pageNames(grid);
    QCOMPARE(names.size(), 302);
    QCOMPARE(names.first(), QStringLiteral("r302"));
    QCOMPARE(names.at(300), QStringLiteral("r300"));
    const QStringList entries = m_folder->libraryEntries();
    QCOMPARE(entries.size(), 302);
    QCOMPARE(entries.first(), QStringLiteral("r302:0"));
    QCOMPARE(entries.last(), QStringLiteral("r301:0"));

    // Deleting from a grown page keeps every cell after the items empty.
    BoxRecorder recorder(SkinMessageBox::ResultYes);
    select(grid, 0);
    box.deleteSelectedMaterial();
    names = pageNames(grid);
    QCOMPARE(names.size(), 301);
    QCOMPARE(names.first(), QStringLiteral("r1"));
}

void TestSketchMaterialBox::contextMenuStates()
{
    QVERIFY(m_folder->writeLibrary(namedMaterials(2, 2, "b")));
    SketchMaterialBox box;
    box.setCurrentCategory(2);
    QVERIFY(showPanel(&box));
    SkinGridView *grid = box.grids().at(2);
    QAction *deleteAction = box.gridMenu()->actions().at(0);

    // A right press selects the cell and opens the menu over it.
    gridfixture::press(grid, gridfixture::centreOf(grid, 2, 0), Qt::RightButton);
    QCOMPARE(grid->selection()->anchorColumn(), 2);
    QVERIFY(box.gridMenu()->isVisible());
    QVERIFY(!deleteAction->isEnabled());
    box.gridMenu()->hide();
    gridfixture::release(grid, gridfixture::centreOf(grid, 2, 0), Qt::RightButton);

    gridfixture::press(grid, gridfixture::centreOf(grid, 1, 0), Qt::RightButton);
    QCOMPARE(grid->selection()->anchorColumn(), 1);
    QVERIFY(deleteAction->isEnabled());
    box.gridMenu()->hide();
    gridfixture::release(grid, gridfixture::centreOf(grid, 1, 0), Qt::RightButton);

    box.categoryMenuShowing();
    QStringList checked;
    for (const QAction *action : box.categoryMenu()->actions()) {
        if (action->isChecked())
            checked.append(action->text());
    }
    QCOMPARE(checked, QStringList({"Bubble"}));
}

void TestSketchMaterialBox::failedSaveIsReportedOnce()
{
    // The library's folder cannot be made: a file stands where its parent
    // would be.
    const QString blocker = m_folder->path("blocker");
    QVERIFY(writeFileBytes(blocker, "not a folder"));
    SketchMaterialLibrary::setFolders(m_folder->path("missing"), blocker + "/data");

    BoxRecorder recorder;
    SketchMaterialBox box;
    QCOMPARE(box.libraryFilePath(), blocker + "/data/Templates.xml");
    const QList<SketchMaterial *> materials = namedMaterials(1, 4, "p");
    const auto deleteMaterials = qScopeGuard([&] { qDeleteAll(materials); });
    box.addMaterial(materials.at(0));
    box.addMaterial(materials.at(1));
    QCOMPARE(recorder.boxes.size(), 1);
    QVERIFY2(recorder.boxes.first().startsWith("Warning|"), qPrintable(recorder.boxes.first()));
    QVERIFY(recorder.boxes.first().contains(blocker + "/data/Templates.xml"));
    QCOMPARE(recorder.icons, QList<int>({SkinMessageBox::IconWarning}));
    // The panel keeps what it could not save.
    QCOMPARE(pageNames(box.grids().at(1)), QStringList({"p1", "p2"}));

    // Once a save succeeds, the next failure is reported again.
    QVERIFY(QFile::remove(blocker));
    QVERIFY(QDir().mkpath(blocker + "/data"));
    box.addMaterial(materials.at(2));
    QCOMPARE(recorder.boxes.size(), 1);
    QCOMPARE(LibraryFolder::entriesIn(blocker + "/data/Templates.xml"), QStringList({"p1:1", "p2:1", "p3:1"}));
    QVERIFY(QDir(blocker).removeRecursively());
    QVERIFY(writeFileBytes(blocker, "not a folder"));
    box.addMaterial(materials.at(3));
    QCOMPARE(recorder.boxes.size(), 2);
}

void TestSketchMaterialBox::unreadableLibraryIsKeptAside()
{
    const QByteArray damaged("<Storyloom><Material Guid=\"{a}\" Size=\"10,10\"><Shape");
    QVERIFY(writeFileBytes(m_folder->libraryPath(), damaged));
    BoxRecorder recorder;
    SketchMaterialBox box;
    QVERIFY(box.materialFile()->materials().isEmpty());
    QCOMPARE(pageTitles(box).at(0), QStringLiteral("Role(0)"));

    std::unique_ptr<SketchMaterial> first(makeBoxMaterial(0, QSizeF(10, 10), "r1"));
    std::unique_ptr<SketchMaterial> second(makeBoxMaterial(0, QSizeF(10, 10), "r2"));
    box.addMaterial(first.get());
    QCOMPARE(readFileBytes(m_folder->libraryPath() + ".bak"), damaged);
    QCOMPARE(m_folder->libraryEntries(), QStringList({"r1:0"}));
    box.addMaterial(second.get());
    QCOMPARE(m_folder->programFiles(), QStringList({"Templates.xml", "Templates.xml.bak"}));
    QCOMPARE(m_folder->libraryEntries(), QStringList({"r1:0", "r2:0"}));
    QVERIFY(recorder.boxes.isEmpty());

    // An older copy is never replaced.
    QVERIFY(writeFileBytes(m_folder->libraryPath(), "garbage"));
    SketchMaterialBox later;
    later.addMaterial(first.get());
    QCOMPARE(readFileBytes(m_folder->libraryPath() + ".bak"), damaged);
    QCOMPARE(readFileBytes(m_folder->libraryPath() + ".bak2"), QByteArray("garbage"));
}

void TestSketchMaterialBox::cellsStaySquare()
{
    QVERIFY(m_folder->writeLibrary(namedMaterials(3, 4, "n")));
    SketchMaterialBox box;
    QVERIFY(showPanel(&box, QSize(230, 500)));
    const QImage collapse = tinted(":/widgets/images/Collapse.png");
    const QImage expand = tinted(":/widgets/images/Expand.png");
    QVERIFY(collapse != expand);

    box.setCurrentCategory(3);
    QTRY_VERIFY(box.grids().at(3)->isVisible());
    for (const QSize &size : {QSize(230, 500), QSize(310, 420), QSize(160, 600)}) {
        box.resize(size);
        QApplication::processEvents();
        const SkinGridView *grid = box.grids().at(3);
        const QRect cell = grid->cellRect(0, 0);
        QVERIFY2(cell.width() > 20, qPrintable(QString::number(cell.width())));
        QCOMPARE(cell.height(), cell.width());
        QCOMPARE(grid->cellRect(2, 3).height(), cell.width());
        // The grid fills the tool box's page across.
        QVERIFY(grid->width() >= size.width() - 4);
        for (int page = 0; page < 7; ++page)
            QCOMPARE(box.toolBox()->itemIcon(page).pixmap(16, 16).toImage(), page == 3 ? collapse : expand);
    }
    // The tool box overlaps the group box's title bar by two pixels.
    QCOMPARE(box.toolBox()->geometry(), QRect(0, 18, box.width(), box.height() - 18));
}

void TestSketchMaterialBox::themeReachesEveryPage()
{
    SketchMaterialBox box;
    for (SkinThemeStyle theme : {Blue, Olive, Black}) {
        setSkinThemeStyle(theme);
        box.useThemeStyle();
        for (const SkinGridView *grid : box.grids()) {
            QCOMPARE(grid->backgroundColor(), skinPanelColor);
            QCOMPARE(grid->gridLineColor(), skinBorderColor);
            QCOMPARE(grid->selectedCellColor(), skinHighlightColor);
        }
        QCOMPARE(box.toolBox()->itemIcon(0).pixmap(16, 16).toImage(), tinted(":/widgets/images/Collapse.png"));
    }
}

QTEST_MAIN(TestSketchMaterialBox)
#include "tst_sketchmaterialbox.moc"
