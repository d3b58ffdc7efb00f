#include "materials/sketchmaterialbox.h"

#include "materials/sketchmaterial.h"
#include "materials/sketchmaterialfile.h"
#include "materials/sketchmaterialgriditemdelegate.h"
#include "materials/sketchmateriallibrary.h"
#include "skin/controls/skingridcell.h"
#include "skin/controls/skingridcolumn.h"
#include "skin/controls/skingridrow.h"
#include "skin/controls/skingridselection.h"
#include "skin/controls/skingridview.h"
#include "skin/windows/skingroupbox.h"
#include "skin/windows/skinmenu.h"
#include "skin/windows/skinmessagebox.h"
#include "skin/windows/skintheme.h"

#include <QAction>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QLayout>
#include <QPointer>
#include <QSet>
#include <QToolBox>
#include <QToolButton>

namespace {

const int PageColumns = 3;
const int PageRows = 100;

void setEmptyState(SkinGridCell *cell)
{
    cell->setText(QString());
    cell->setData(nullptr);
    cell->setBackgroundColor(Qt::transparent);
    cell->setDragEnabled(false);
    cell->setDropEnabled(false);
    cell->setReadOnly(true);
}

void setMaterialState(SkinGridCell *cell, SketchMaterial *material)
{
    cell->setText(material->name());
    cell->setData(material);
    cell->setBackgroundColor(Qt::white);
    cell->setDragEnabled(true);
    cell->setDropEnabled(true);
    cell->setReadOnly(false);
}

// A free name beside the library for a copy of it: "<path>.bak", then
// "<path>.bak2" and on.
QString backupPath(const QString &path)
{
    QString candidate = path + QStringLiteral(".bak");
    for (int n = 2; QFileInfo::exists(candidate) && n < 1000; ++n)
        candidate = path + QStringLiteral(".bak%1").arg(n);
    return candidate;
}

} // namespace

SketchMaterialBox::SketchMaterialBox(QWidget *parent)
    : QWidget(parent)
{
    m_groupBox = new SkinGroupBox(this);
    m_groupBox->setTitle(tr("Materials"));
    m_groupBox->contextButton()->show();
    m_groupBox->setContextMenuRightAligned(false);
    buildMenus();
    m_groupBox->setContextMenu(m_panelMenu);

    m_toolBox = new QToolBox(m_groupBox);
    m_toolBox->layout()->setSpacing(0);
    for (const QString &name : categoryNames()) {
        SkinGridView *grid = createPage();
        m_grids.append(grid);
        m_toolBox->addItem(grid, QStringLiteral("%1(0)").arg(name));
    }
    useThemeStyle();
    connect(m_toolBox, SIGNAL(currentChanged(int)), this, SLOT(currentToolItemChanged(int)));

    m_libraryFilePath = SketchMaterialLibrary::filePath();
    loadMaterials();
}

SketchMaterialBox::~SketchMaterialBox()
{
    // The grids go after this destructor, with the panel's children.
    for (SkinGridView *grid : qAsConst(m_grids))
        grid->removeEventFilter(this);
    delete m_materialFile;
}

void SketchMaterialBox::buildMenus()
{
    m_panelMenu = new QMenu(this);
    m_panelMenu->addSeparator();
    m_panelMenu->addAction(tr("Download More"), this, SLOT(downloadMoreMaterials()));

    m_gridMenu = new SkinMenu(this);
    m_deleteAction = m_gridMenu->addAction(tr("Delete"), this, SLOT(deleteSelectedMaterial()));
    m_categoryMenu = m_gridMenu->addMenu(tr("Category"));
    for (const QString &name : categoryNames()) {
        QAction *action = m_categoryMenu->addAction(name, this, SLOT(changeSelectedMaterialCategory()));
        action->setCheckable(true);
    }
    connect(m_categoryMenu, SIGNAL(aboutToShow()), this, SLOT(categoryMenuShowing()));
    connect(m_gridMenu, SIGNAL(aboutToShow()), this, SLOT(gridContextMenuShowing()));
}

SkinGridView *SketchMaterialBox::createPage()
{
    auto *grid = new SkinGridView(m_toolBox);
    grid->setUpAsCardGrid();
    grid->setColumnResizeMode(SkinGridColumnsShareRoom);
    grid->setHorizontalScrollBarEnabled(false);
    grid->setDragEnabled(true);
    grid->setDropEnabled(true);
    grid->setItemDelegate(new SketchMaterialGridItemDelegate);
    grid->setContextMenu(m_gridMenu);
    grid->setColumnCount(PageColumns);
    grid->setRowCount(PageRows);
    // Cells not made yet would answer the grid's own drop switch, which is
    // on: every cell is made, closed to drops.
    resetCellsPastItems(grid);
    connect(grid, SIGNAL(cellDroped()), this, SLOT(gridCellDroped()));
    connect(grid, SIGNAL(cellTextChanged(SkinGridCell*)), this, SLOT(gridCellTextChanged(SkinGridCell*)));
    grid->installEventFilter(this);
    return grid;
}

QStringList SketchMaterialBox::categoryNames()
{
    return {tr("Role"), tr("Prop"), tr("Bubble"), tr("Nature"), tr("Effect"), tr("Scene"), tr("Others")};
}

// --- Pages ------------------------------------------------------------------------

int SketchMaterialBox::currentCategory() const
{
    return m_toolBox->currentIndex();
}

void SketchMaterialBox::setCurrentCategory(int category)
{
    if (category >= 0 && category < m_grids.size())
        m_toolBox->setCurrentIndex(category);
}

SkinGridView *SketchMaterialBox::currentGrid() const
{
    const int index = currentCategory();
    return index >= 0 && index < m_grids.size() ? m_grids.at(index) : nullptr;
}

SketchMaterial *SketchMaterialBox::selectedMaterial() const
{
    const SkinGridView *grid = currentGrid();
    if (!grid)
        return nullptr;
    const SkinGridSelection *selection = grid->selection();
    return SketchMaterialGridItemDelegate::materialAt(grid, selection->anchorColumn(), selection->anchorRow());
}

int SketchMaterialBox::pageOf(const QObject *grid) const
{
    for (int page = 0; page < m_grids.size(); ++page) {
        if (m_grids.at(page) == grid)
            return page;
    }
    return -1;
}

QIcon SketchMaterialBox::pageIcon(bool open) const
{
    return skinTintedIcon(QImage(open ? QStringLiteral(":/widgets/images/Collapse.png")
                                      : QStringLiteral(":/widgets/images/Expand.png")));
}

void SketchMaterialBox::currentToolItemChanged(int index)
{
    const QIcon openIcon = pageIcon(true);
    const QIcon closedIcon = pageIcon(false);
    for (int page = 0; page < m_toolBox->count(); ++page)
        m_toolBox->setItemIcon(page, page == index ? openIcon : closedIcon);
    if (index >= 0 && index < m_grids.size())
        squareCells(m_grids.at(index));
}

void SketchMaterialBox::squareCells(SkinGridView *grid)
{
    // The side follows the first column, whose width depends on whether the
    // rows need the scroll bar: settle both.
    bool changed = false;
    for (int pass = 0; pass < 3; ++pass) {
        grid->updateLayout(false);
        if (grid->columnCount() == 0)
            return;
        const int side = grid->columns().first()->width();
        if (side <= 0)
            return;
        grid->setDefaultRowHeight(side);
        bool passChanged = false;
        for (SkinGridRow *row : grid->rows()) {
            if (row->height() != side) {
                row->setHeight(side);
                passChanged = true;
            }
        }
        if (!passChanged)
            break;
        changed = true;
    }
    grid->updateLayout(false);
    if (changed)
        grid->update();
}

void SketchMaterialBox::updateCategoryTitle(int page)
{
    if (page < 0 || page >= m_toolBox->count() || page >= m_grids.size())
        return;
    m_toolBox->setItemText(page,
                           QStringLiteral("%1(%2)").arg(categoryNames().at(page)).arg(m_grids.at(page)->itemCount()));
}

void SketchMaterialBox::updateCategoryTitles()
{
    for (int page = 0; page < m_grids.size(); ++page)
        updateCategoryTitle(page);
}

void SketchMaterialBox::repaintPage(int page)
{
    if (page >= 0 && page < m_grids.size() && m_toolBox->isVisible())
        m_grids.at(page)->update();
}

void SketchMaterialBox::useThemeStyle()
{
    m_groupBox->updateButtonIcons();
    for (SkinGridView *grid : qAsConst(m_grids)) {
        grid->setGridLineColor(skinBorderColor);
        grid->setBackgroundColor(skinPanelColor);
        grid->setSelectedCellColor(skinHighlightColor);
        grid->update();
    }
    currentToolItemChanged(m_toolBox->currentIndex());
}

void SketchMaterialBox::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_groupBox->setGeometry(0, 0, width(), height());
    // The tool box covers the title bar's bottom two pixels.
    const int top = m_groupBox->titleHeight() - 2;
    m_toolBox->setGeometry(0, top, m_groupBox->width(), qMax(m_groupBox->height() - top, 0));
    currentToolItemChanged(m_toolBox->currentIndex());
}

bool SketchMaterialBox::eventFilter(QObject *watched, QEvent *event)
{
    // A page takes its size from the tool box's layout, after the panel's
    // own resize and while it is shown.
    if (event->type() == QEvent::Resize) {
        const int page = pageOf(watched);
        if (page >= 0)
            squareCells(m_grids.at(page));
    }
    return QWidget::eventFilter(watched, event);
}

// --- Cells --------------------------------------------------------------------------

void SketchMaterialBox::resetCellsPastItems(SkinGridView *grid)
{
    for (int index = qMax(grid->itemCount(), 0); index < grid->cellCount(); ++index)
        setEmptyState(grid->cellAtIndex(index));
}

void SketchMaterialBox::addMaterialToGrid(SketchMaterial *material)
{
    if (!material || !m_materialFile || m_grids.isEmpty())
        return;
    if (material->category() < 0 || material->category() >= m_grids.size())
        material->setCategory(SketchMaterialOthers);
    SkinGridView *grid = m_grids.at(material->category());
    const int count = grid->itemCount();
    if (count >= grid->cellCount()) {
        // A full page grows by one row of empty, square cells.
        const int side = grid->rows().isEmpty() ? grid->defaultRowHeight() : grid->rows().last()->height();
        grid->addRow()->setHeight(side);
        resetCellsPastItems(grid);
        grid->updateLayout(false);
    }
    setMaterialState(grid->cellAtIndex(count), material);
    grid->setItemCount(count + 1);
}

void SketchMaterialBox::takeCellOut(SkinGridView *grid, int column, int row)
{
    grid->clearCell(column, row, true);
    grid->setItemCount(qMax(grid->itemCount() - 1, 0));
    // The drop switch stays with its position when cells shift.
    resetCellsPastItems(grid);
}

// --- The library ----------------------------------------------------------------------

void SketchMaterialBox::createMaterialFile()
{
    delete m_materialFile;
    m_materialFile = new SketchMaterialFile(SketchMaterialLibrary::name());
}

void SketchMaterialBox::loadMaterials()
{
    createMaterialFile();
    m_libraryUnreadable = false;
    const QFileInfo library(m_libraryFilePath);
    if (!library.exists())
        return;
    if (!m_materialFile->load(library.absoluteFilePath()))
        m_libraryUnreadable = library.size() > 0;
    for (SkinGridView *grid : qAsConst(m_grids)) {
        grid->setItemCount(0);
        resetCellsPastItems(grid);
    }
    // Materials of a category outside the pages stay in the file unseen.
    for (SketchMaterial *material : m_materialFile->materials()) {
        if (material->category() >= 0 && material->category() < m_grids.size())
            addMaterialToGrid(material);
    }
    updateCategoryTitles();
    if (m_toolBox->isVisible())
        m_toolBox->update();
}

void SketchMaterialBox::saveMaterials()
{
    if (!m_materialFile)
        return;
    bool saved = true;
    // A library that did not read is kept aside before the first save
    // replaces it, so its materials can still be recovered.
    if (m_libraryUnreadable) {
        saved = QFile::copy(m_libraryFilePath, backupPath(m_libraryFilePath));
        m_libraryUnreadable = !saved;
    }
    saved = saved && m_materialFile->save(m_libraryFilePath);
    if (saved) {
        m_saveFailureReported = false;
        return;
    }
    if (m_saveFailureReported)
        return;
    m_saveFailureReported = true;
    SkinMessageBox::warning(nullptr, tr("Warning"),
                            tr("The materials could not be saved to \"%1\".\n"
                               "Changes made to them are lost when the program ends.")
                                .arg(QDir::toNativeSeparators(m_libraryFilePath)),
                            SkinMessageBox::ButtonsOk);
}

void SketchMaterialBox::addMaterial(SketchMaterial *material)
{
    if (!material || !m_materialFile)
        return;
    SketchMaterial *copy = material->clone();
    // A material the library holds already: the copy is deleted.
    if (!m_materialFile->addMaterial(copy))
        return;
    addMaterialToGrid(copy);
    updateCategoryTitle(copy->category());
    repaintPage(copy->category());
    saveMaterials();
}

void SketchMaterialBox::importMaterials(SketchMaterialFile *file)
{
    if (!file || !m_materialFile)
        return;
    int count = 0;
    for (SketchMaterial *material : file->materials()) {
        if (m_materialFile->contains(material->guid()))
            continue;
        SketchMaterial *copy = material->clone();
        if (!m_materialFile->addMaterial(copy))
            continue;
        addMaterialToGrid(copy);
        material->setImported(true);
        ++count;
    }
    if (count > 0) {
        saveMaterials();
        updateCategoryTitles();
        for (int page = 0; page < m_grids.size(); ++page)
            repaintPage(page);
    }
    SkinMessageBox::information(nullptr, tr("Finished"), tr("%1 materials are imported.").arg(count),
                                SkinMessageBox::ButtonsOk);
}

// --- The pages' menu and edits -----------------------------------------------------------

void SketchMaterialBox::downloadMoreMaterials()
{
    emit moreMaterialsDownloaded();
}

void SketchMaterialBox::deleteSelectedMaterial()
{
    SkinGridView *grid = currentGrid();
    SketchMaterial *material = selectedMaterial();
    if (!grid || !material || !m_materialFile)
        return;
    const int column = grid->selection()->anchorColumn();
    const int row = grid->selection()->anchorRow();
    const QPointer<SketchMaterial> asked(material);
    const int answer = SkinMessageBox::warning(nullptr, tr("Confirm"), tr("Confirm to delete this material?"),
                                               SkinMessageBox::ButtonsYesNo);
    // The box ran an event loop of its own: the cell must still show it.
    if (answer != SkinMessageBox::ResultYes || !asked || grid->cellData(column, row) != material)
        return;
    m_materialFile->removeMaterial(material);
    takeCellOut(grid, column, row);
    grid->update();
    updateCategoryTitle(pageOf(grid));
    delete material;
    saveMaterials();
}

void SketchMaterialBox::changeSelectedMaterialCategory()
{
    const int target = m_categoryMenu->actions().indexOf(qobject_cast<QAction *>(sender()));
    SkinGridView *grid = currentGrid();
    SketchMaterial *material = selectedMaterial();
    const int page = currentCategory();
    if (target < 0 || !grid || !material || !m_materialFile || target == page)
        return;
    takeCellOut(grid, grid->selection()->anchorColumn(), grid->selection()->anchorRow());
    grid->update();
    updateCategoryTitle(page);
    material->setCategory(target);
    addMaterialToGrid(material);
    updateCategoryTitle(target);
    saveMaterials();
}

void SketchMaterialBox::gridCellDroped()
{
    const int page = pageOf(sender());
    SkinGridView *grid = page >= 0 ? m_grids.at(page) : currentGrid();
    if (!grid || !m_materialFile)
        return;
    // Exactly the page's materials move to the end of the library, in the
    // order of their cells: a material without a cell keeps its place.
    QList<SketchMaterial *> order;
    QSet<SketchMaterial *> seen;
    const int columns = grid->columnCount();
    for (int index = 0; index < grid->cellCount(); ++index) {
        SketchMaterial *material = SketchMaterialGridItemDelegate::materialAt(grid, index % columns, index / columns);
        if (material && !seen.contains(material)) {
            seen.insert(material);
            order.append(material);
        }
    }
    for (SketchMaterial *material : qAsConst(order))
        m_materialFile->removeMaterial(material);
    for (SketchMaterial *material : qAsConst(order))
        m_materialFile->addMaterial(material);
    resetCellsPastItems(grid);
    saveMaterials();
}

void SketchMaterialBox::gridCellTextChanged(SkinGridCell *cell)
{
    auto *material = cell ? qobject_cast<SketchMaterial *>(cell->data()) : nullptr;
    if (!material)
        return;
    material->setName(cell->text());
    saveMaterials();
}

void SketchMaterialBox::gridContextMenuShowing()
{
    const SkinGridView *grid = currentGrid();
    const SkinGridCell *anchor = grid ? grid->selection()->anchorCell() : nullptr;
    m_deleteAction->setEnabled(anchor && anchor->data());
}

void SketchMaterialBox::categoryMenuShowing()
{
    const QList<QAction *> actions = m_categoryMenu->actions();
    for (int index = 0; index < actions.size(); ++index)
        actions.at(index)->setChecked(index == currentCategory());
}
