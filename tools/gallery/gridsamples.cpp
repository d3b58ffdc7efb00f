// The grid widget: a cell range under both headers, a list of rows marked
// like the layers panel, a grid large enough for both scroll bars, and a
// drag of a row under way.
#include "gallerysample.h"

#include "skin/controls/skingridcell.h"
#include "skin/controls/skingridrow.h"
#include "skin/controls/skingridselection.h"
#include "skin/controls/skingridview.h"
#include "skin/windows/skintheme.h"

namespace {

SkinGridView *filledGrid(int columns, int rows)
{
    auto *grid = new SkinGridView;
    for (int c = 0; c < columns; ++c)
        grid->addColumn(QString(QChar('A' + c)), 70, Qt::AlignLeft | Qt::AlignVCenter);
    for (int r = 0; r < rows; ++r) {
        SkinGridRow *row = grid->addRow();
        row->setText(QString::number(r + 1));
        for (int c = 0; c < columns; ++c)
            grid->setCellText(c, r, QString("%1%2").arg(QChar('a' + c)).arg(r + 1));
    }
    return grid;
}

QWidget *cellRange()
{
    SkinGridView *grid = filledGrid(4, 8);
    grid->setCellText(0, 2, "A text far too long for its cell");
    grid->setCellBackgroundColor(3, 5, QColor(200, 230, 200));
    grid->cellAt(3, 6)->setTextColor(Qt::red);
    grid->selection()->select(1, 1, false);
    grid->selection()->select(2, 4, true);
    return grid;
}

QWidget *rowList()
{
    auto *grid = new SkinGridView;
    grid->setColumnHeaderVisible(false);
    grid->setRowHeaderVisible(false);
    grid->setGridLinesVisible(false);
    grid->setSelectionMode(SkinGridSelectRows);
    grid->setMultiSelection(false);
    grid->setSelectionStyle(SkinGridSelectionMarked);
    grid->setSelectionColor(skinCurrentItemColor);
    grid->setColumnResizeMode(SkinGridColumnsShareRoom);
    grid->setDefaultRowHeight(36);
    grid->setBackgroundColor(skinPanelColor);
    grid->addColumn(QString(), 40, Qt::AlignCenter);
    grid->addColumn(QString(), 40, Qt::AlignLeft | Qt::AlignVCenter);
    const QStringList names = {"Background", "Characters", "Bubbles", "Lettering"};
    for (const QString &name : names)
        grid->addRow(QStringList{QString::number(grid->rowCount() + 1), name});
    for (int r = 0; r < grid->rowCount(); ++r) {
        for (int c = 0; c < 2; ++c)
            grid->cellAt(c, r)->setTextColor(skinTextColor);
    }
    grid->selection()->selectRow(1, false);
    return grid;
}

QWidget *scrolled()
{
    SkinGridView *grid = filledGrid(12, 60);
    grid->setSelectionStyle(SkinGridSelectionFilled);
    grid->setSelectedCellColor(skinHighlightColor);
    grid->selection()->select(1, 2, false);
    grid->selection()->select(2, 3, true);
    grid->resize(300, 200);
    grid->updateLayout(false);
    grid->scrollToRow(1);
    return grid;
}

QWidget *dropTarget()
{
    SkinGridView *grid = filledGrid(2, 6);
    grid->setSelectionMode(SkinGridSelectRows);
    grid->setSelectionStyle(SkinGridSelectionMarked);
    grid->selection()->selectRow(1, false);
    grid->setDragging(true);
    grid->setDragRow(1);
    grid->setDropColumn(0);
    grid->setDropRow(4);
    // The cells were made before; the target's own switch decides.
    grid->setCellDropEnabled(0, 4, true);
    return grid;
}

std::vector<GallerySample> gridSamples()
{
    return {
        {"grid-cell-range", QSize(340, 200), cellRange},
        {"grid-row-list", QSize(200, 160), rowList},
        {"grid-scrolled", QSize(300, 200), scrolled},
        {"grid-drop-target", QSize(210, 160), dropTarget},
    };
}

const GallerySetRegistration registration(gridSamples);

} // namespace
