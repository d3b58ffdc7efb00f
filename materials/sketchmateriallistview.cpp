#include "materials/sketchmateriallistview.h"

#include "materials/materialcataloguelist.h"
#include "materials/materialcataloguerequest.h"
#include "materials/sketchmaterial.h"
#include "materials/sketchmaterialfile.h"
#include "materials/sketchmateriallistviewgriditemdelegate.h"
#include "skin/controls/skingridcell.h"
#include "skin/controls/skingridrow.h"
#include "skin/controls/skingridview.h"
#include "skin/windows/skintheme.h"

#include <QCoreApplication>
#include <QResizeEvent>

SketchMaterialListView::SketchMaterialListView(QWidget *parent, const QString &userId)
    : SketchView(parent)
    , m_grid(new SkinGridView(this))
{
    configureGrid();
    connect(m_grid, SIGNAL(hoverCellChanged(SkinGridCell*,SkinGridCell*)), this,
            SLOT(gridHoverCellChanged(SkinGridCell*,SkinGridCell*)));
    connect(m_grid, SIGNAL(cellClicked(SkinGridCell*)), this, SLOT(gridCellClicked(SkinGridCell*)));
    loadMaterialList(userId);
}

SketchMaterialListView::~SketchMaterialListView()
{
    qDeleteAll(materialFiles());
}

void SketchMaterialListView::configureGrid()
{
    m_grid->setUpAsCardGrid();
    m_grid->setEditOnDoubleClick(false);
    m_grid->setDragEnabled(false);
    m_grid->setDropEnabled(false);
    m_grid->setGridLineColor(skinBorderColor);
    m_grid->setBackgroundColor(skinPanelColor);
    m_grid->setSelectedCellColor(skinHighlightColor);
    m_grid->setItemDelegate(new SketchMaterialListViewGridItemDelegate);
    m_grid->setDefaultColumnWidth(120);
    m_grid->setDefaultRowHeight(150);
    m_grid->setColumnCount(5);
    m_grid->setRowCount(0);
    m_grid->setItemCount(0);
}

QString SketchMaterialListView::caption() const
{
    return tr("Material Library");
}

bool SketchMaterialListView::isModified() const
{
    return false;
}

bool SketchMaterialListView::isEmpty() const
{
    return true;
}

QList<SketchMaterialFile *> SketchMaterialListView::materialFiles() const
{
    QList<SketchMaterialFile *> files;
    for (int row = 0; row < m_grid->rowCount(); ++row) {
        for (int column = 0; column < m_grid->columnCount(); ++column) {
            if (auto *file = qobject_cast<SketchMaterialFile *>(m_grid->cellData(column, row)))
                files.append(file);
        }
    }
    return files;
}

QString SketchMaterialListView::priceText(const SketchMaterialFile *file)
{
    if (!file || file->price() <= 0)
        return QCoreApplication::translate("QObject", "free");
    const QString sign = file->currency() == 1 ? QString(QChar(0x00A5)) : QStringLiteral("$");
    return sign + QString::number(double(file->price()), 'g', 6);
}

void SketchMaterialListView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_grid->setGeometry(0, 0, width(), height());
    m_grid->updateLayout(false);
}

void SketchMaterialListView::loadMaterialList(const QString &userId)
{
    const QString text = MaterialCatalogueRequest::getText(MaterialCatalogueRequest::listUrl(userId),
                                                           MaterialCatalogueList::maxReplySize)
                             .trimmed();
    if (text.isEmpty())
        return;
    if (MaterialCatalogueRequest::reportErrorText(this, text))
        return;
    for (SketchMaterialFile *file : MaterialCatalogueList::read(text))
        addMaterialFile(file);
}

void SketchMaterialListView::addMaterialFile(SketchMaterialFile *file)
{
    if (!file)
        return;
    SkinGridCell *cell = m_grid->appendItemCell();
    cell->setText(file->name());
    cell->setData(file);
    cell->setBackgroundColor(Qt::white);
}

void SketchMaterialListView::gridCellClicked(SkinGridCell *cell)
{
    if (!cell)
        return;
    if (auto *file = qobject_cast<SketchMaterialFile *>(cell->data()))
        emit materialClicked(file);
}

void SketchMaterialListView::gridHoverCellChanged(SkinGridCell *, SkinGridCell *current)
{
    m_grid->setCursor(current ? Qt::PointingHandCursor : Qt::ArrowCursor);
    m_grid->update();
}
