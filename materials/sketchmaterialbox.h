#ifndef SKETCHMATERIALBOX_H
#define SKETCHMATERIALBOX_H

#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

class MainWindow;
class QAction;
class QIcon;
class QMenu;
class QToolBox;
class SketchMaterial;
class SketchMaterialFile;
class SkinGridCell;
class SkinGridView;
class SkinGroupBox;
class SkinMenu;

// The "Materials" panel beside the document tabs: the user's material
// library ("Templates", see SketchMaterialLibrary) shown as seven category
// pages of square thumbnails, three to a row, in a tool box. Users drag a
// material onto a document (the drag text of SketchMaterial), rename it in
// place, reorder it by dragging within its page, move it to another category
// or delete it through the page menu, and ask for more materials from the
// online catalogue ("Download More", reported by moreMaterialsDownloaded()).
//
// The library file is read once, while the panel is built, and written
// whole after every change: add, import of at least one new material,
// delete, category change, reorder, rename. Nothing is written otherwise.
// A save that fails is reported with one warning box, and again only after
// a save has succeeded since; the materials stay in the panel meanwhile. A
// library file that exists but does not read (the panel then starts empty)
// is copied to "Templates.xml.bak" (or the next free ".bakN") before the
// first save replaces it.
//
// Materials fill a page row by row without gaps; the page's item count is
// the number of cells that hold one, and every cell past it is empty,
// read-only and takes no drag and no drop. A page has 100 rows and grows a
// row whenever a material finds it full. Materials of a category outside the
// pages stay in the library file but show on no page.
//
// Ownership: the panel owns the library file object and with it every
// library material; cells point at the materials without owning them. The
// group box, tool box, grids (with their delegates) and menus are Qt
// children. The main window pointer is only kept.
class SketchMaterialBox : public QWidget
{
    Q_OBJECT

public:
    // Builds the panel and loads the library file.
    explicit SketchMaterialBox(QWidget *parent = nullptr);
    ~SketchMaterialBox() override;

    // The owning main window, kept for the catalogue; nothing uses it here.
    void setMainWindow(MainWindow *mainWindow) { m_mainWindow = mainWindow; }
    MainWindow *mainWindow() const { return m_mainWindow; }

    // "Role", "Prop", "Bubble", "Nature", "Effect", "Scene", "Others",
    // translated: the SketchMaterialCategory values 0 to 6 in order.
    static QStringList categoryNames();

    // The open page, which is the category it shows; opening a page outside
    // the categories does nothing.
    int currentCategory() const;
    void setCurrentCategory(int category);

    // Applies the theme in force: the group box's icons, every page's
    // colours and the page icons.
    void useThemeStyle();

    // Stores a copy of the material (same Guid) on the page of its
    // category (a category outside the pages becomes "Others") and saves
    // the library. The caller keeps the material. Nothing for null, and
    // nothing for a material whose Guid the library holds already.
    void addMaterial(SketchMaterial *material);
    // Stores copies of the file's materials that the library lacks (by
    // Guid), marks the file's materials that were copied as imported, saves
    // the library when any was new, and reports the count in a "Finished"
    // box, 0 included. The caller keeps the file; null does nothing.
    void importMaterials(SketchMaterialFile *file);

    // The library, owned by the panel.
    SketchMaterialFile *materialFile() const { return m_materialFile; }
    // Where the library file is read and written, decided once when the
    // panel was built.
    QString libraryFilePath() const { return m_libraryFilePath; }

    // --- Parts, for the main window's look and for tests ----------------------

    SkinGroupBox *groupBox() const { return m_groupBox; }
    QToolBox *toolBox() const { return m_toolBox; }
    // One page per category, index = category.
    const QList<SkinGridView *> &grids() const { return m_grids; }
    SkinGridView *currentGrid() const;
    // The material of the open page's anchor cell, or null.
    SketchMaterial *selectedMaterial() const;
    // The group box's menu ("Download More"), the pages' menu ("Delete" and
    // the "Category" submenu of checkable categories) and that submenu.
    QMenu *panelMenu() const { return m_panelMenu; }
    SkinMenu *gridMenu() const { return m_gridMenu; }
    QMenu *categoryMenu() const { return m_categoryMenu; }

signals:
    void moreMaterialsDownloaded();

public slots:
    // Emits moreMaterialsDownloaded() and nothing else.
    void downloadMoreMaterials();
    // Tints the page icons (the open page's "Collapse", the others'
    // "Expand") and squares the open page's cells.
    void currentToolItemChanged(int index);
    // After a Yes to "Confirm to delete this material?": deletes the
    // selected material; the page's later materials move back a cell.
    void deleteSelectedMaterial();
    // Moves the selected material to the category of the triggering
    // "Category" action, last on that page; its place in the library file
    // stays.
    void changeSelectedMaterialCategory();
    // After a reorder by drop: the page's materials go to the end of the
    // library in their new order.
    void gridCellDroped();
    // Renames the cell's material to the cell's text.
    void gridCellTextChanged(SkinGridCell *cell);
    // "Delete" is enabled only over a cell that holds a material.
    void gridContextMenuShowing();
    // Checks the open page's category.
    void categoryMenuShowing();

protected:
    void resizeEvent(QResizeEvent *event) override;
    // Keeps the cells of a page square whenever the page is resized.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenus();
    SkinGridView *createPage();

    // Replaces the library file object by an empty "Templates".
    void createMaterialFile();
    void loadMaterials();
    // Saves the library; warns once about a save that fails.
    void saveMaterials();
    // Puts the material into the first free cell of its category's page,
    // growing the page by a row when it is full.
    void addMaterialToGrid(SketchMaterial *material);
    void updateCategoryTitle(int page);
    void updateCategoryTitles();
    void repaintPage(int page);

    // The page of a grid; -1 for any other object.
    int pageOf(const QObject *grid) const;
    // Every cell from the item count on made empty, read-only and closed to
    // drag and drop.
    void resetCellsPastItems(SkinGridView *grid);
    // Every row as high as the first column is wide.
    void squareCells(SkinGridView *grid);
    // Takes the material's cell out of its page, the later cells moving
    // back by one.
    void takeCellOut(SkinGridView *grid, int column, int row);
    QIcon pageIcon(bool open) const;

    MainWindow *m_mainWindow = nullptr;
    SkinGroupBox *m_groupBox = nullptr;
    QToolBox *m_toolBox = nullptr;
    QList<SkinGridView *> m_grids;
    QMenu *m_panelMenu = nullptr;
    SkinMenu *m_gridMenu = nullptr;
    QAction *m_deleteAction = nullptr;
    QMenu *m_categoryMenu = nullptr;
    SketchMaterialFile *m_materialFile = nullptr;
    QString m_libraryFilePath;
    // A failed save was reported and no save has succeeded since.
    bool m_saveFailureReported = false;
    // The library file held something that did not read as a library: it
    // is copied aside before the first save replaces it.
    bool m_libraryUnreadable = false;
};

#endif // SKETCHMATERIALBOX_H
