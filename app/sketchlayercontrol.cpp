#include "app/sketchlayercontrol.h"

#include "app/sketchlayergriditemdelegate.h"
#include "app/sketchlayerthumbnails.h"
#include "commands/sketchcommandadd.h"
#include "commands/sketchcommandmanager.h"
#include "commands/sketchcommandplace.h"
#include "commands/sketchcommandremove.h"
#include "commands/sketchcommandrename.h"
#include "editor/sketchdocumentview.h"
#include "editor/sketchtool.h"
#include "model/sketchdocument.h"
#include "model/sketchlayer.h"
#include "model/sketchshape.h"
#include "skin/controls/skingridcell.h"
#include "skin/controls/skingridcolumn.h"
#include "skin/controls/skingridmouseevent.h"
#include "skin/controls/skingridrow.h"
#include "skin/controls/skingridselection.h"
#include "skin/controls/skingridview.h"
#include "skin/windows/skinmenu.h"
#include "skin/windows/skintheme.h"

#include <QAction>
#include <QLineEdit>
#include <QScrollBar>

#include <algorithm>

namespace {

const int IconColumnWidth = 22;
const int NameColumn = 3;

} // namespace

SketchLayerControl::SketchLayerControl(QWidget *parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    m_grid = new SkinGridView(this);
    m_grid->setObjectName(QStringLiteral("layerGrid"));
    m_grid->setUpAsListGrid();
    m_grid->setDefaultRowHeight(IconColumnWidth);
    m_thumbnails = new SketchLayerThumbnails(m_grid);
    m_grid->setItemDelegate(new SketchLayerGridItemDelegate(m_thumbnails));
    m_grid->setDragEnabled(true);
    m_grid->setDropEnabled(true);
    for (int column = 0; column < 4; ++column)
        m_grid->addColumn(QString(), 80, Qt::AlignLeft | Qt::AlignVCenter);

    connect(m_grid, SIGNAL(cellMousePressing(SkinGridMouseEvent*)), this,
            SLOT(gridCellMousePressing(SkinGridMouseEvent*)));
    connect(m_grid, SIGNAL(cellTextChanged(SkinGridCell*)), this, SLOT(gridCellTextChanged(SkinGridCell*)));
    connect(m_grid, SIGNAL(selectionChanged()), this, SLOT(gridSelectionChanged()));
    connect(m_grid, SIGNAL(cellDroped()), this, SLOT(gridSelectionDroped()));

    m_menu = new SkinMenu(m_grid);
    m_menu->setObjectName(QStringLiteral("layerMenu"));
    m_actionNew = m_menu->addAction(tr("New"));
    m_actionDelete = m_menu->addAction(tr("Delete"));
    m_actionDuplicate = m_menu->addAction(tr("Duplicate"));
    connect(m_menu, SIGNAL(aboutToShow()), this, SLOT(contextMenuOpening()));
    connect(m_actionNew, SIGNAL(triggered()), this, SLOT(newLayer()));
    connect(m_actionDelete, SIGNAL(triggered()), this, SLOT(deleteLayer()));
    connect(m_actionDuplicate, SIGNAL(triggered()), this, SLOT(duplicateLayer()));
    m_grid->setContextMenu(m_menu);

    useThemeStyle();
}

SketchLayerControl::~SketchLayerControl()
{
    // The grid empties itself as it goes and says so: nothing may answer.
    QObject::disconnect(m_grid, nullptr, this, nullptr);
}

SketchDocument *SketchLayerControl::document() const
{
    return m_documentView ? m_documentView->document() : nullptr;
}

void SketchLayerControl::setDocumentView(SketchDocumentView *view)
{
    m_documentView = view;
    refreshLayers();
}

// --- Rebuilding ---------------------------------------------------------------------

void SketchLayerControl::refreshLayers()
{
    m_grid->setRowCount(0);
    m_grid->closeCellEditor(false);
    if (SketchDocument *doc = document()) {
        QList<SketchLayer *> &layers = doc->layers();
        if (layers.isEmpty()) {
            layers.append(new SketchLayer(doc, tr("Layer%1").arg(1)));
            m_documentView->setCurrentLayer(layers.first(), false);
        }
        QList<SketchLayer *> fromTop = layers;
        std::reverse(fromTop.begin(), fromTop.end());
        for (SketchLayer *layer : qAsConst(fromTop))
            addLayerRow(layer);
        selectCurrentLayerRow(fromTop);
    }
    useThemeStyle();
    m_grid->updateLayout(true);
    adjustGridGeometry();
}

void SketchLayerControl::addLayerRow(SketchLayer *layer)
{
    SkinGridRow *row = m_grid->addRow();
    row->setData(layer);
    const int index = row->index();
    const QString tips[3] = {tr("Visible"), tr("Lock"), tr("Thumbnail")};
    for (int column = 0; column < NameColumn; ++column) {
        SkinGridCell *cell = m_grid->cellAt(column, index);
        cell->setDragEnabled(false);
        cell->setReadOnly(true);
        cell->setToolTip(tips[column]);
    }
    SkinGridCell *name = m_grid->cellAt(NameColumn, index);
    name->setDragEnabled(true);
    name->setText(layer->name());
}

void SketchLayerControl::selectCurrentLayerRow(const QList<SketchLayer *> &fromTop)
{
    int row = fromTop.indexOf(m_documentView->currentLayer());
    if (row < 0) {
        m_documentView->setCurrentLayer(fromTop.first(), false);
        row = 0;
    }
    m_rebuilding = true;
    m_grid->selection()->selectRow(row, false);
    m_rebuilding = false;
}

void SketchLayerControl::useThemeStyle()
{
    m_grid->setGridLineColor(skinBorderColor);
    m_grid->setBackgroundColor(skinPanelColor);
    m_grid->setSelectionColor(skinCurrentItemColor);
    m_grid->setDefaultRowColor(skinButtonTopColor);
    for (SkinGridRow *row : m_grid->rows()) {
        row->setBackgroundColor(skinButtonTopColor);
        // A cell takes the text colour of the theme it was made in.
        if (SkinGridCell *name = m_grid->cell(NameColumn, row->index()))
            name->setTextColor(skinTextColor);
    }
    m_grid->update();
}

void SketchLayerControl::adjustGridGeometry()
{
    m_grid->setGeometry(0, 0, width(), height());
    const QList<SkinGridColumn *> &columns = m_grid->columns();
    int nameWidth = m_grid->width() - 3 * IconColumnWidth;
    if (!m_grid->verticalScrollBar()->isHidden())
        nameWidth -= m_grid->verticalScrollBar()->width();
    for (int column = 0; column < NameColumn; ++column)
        columns.at(column)->setWidth(IconColumnWidth);
    columns.at(NameColumn)->setWidth(nameWidth);
    m_grid->updateLayout(true);
}

void SketchLayerControl::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    adjustGridGeometry();
}

void SketchLayerControl::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    adjustGridGeometry();
}

// --- Queries --------------------------------------------------------------------------

SketchLayer *SketchLayerControl::layerOfRow(int row) const
{
    if (row < 0 || row >= m_grid->rowCount())
        return nullptr;
    return qobject_cast<SketchLayer *>(m_grid->rows().at(row)->data());
}

SketchLayer *SketchLayerControl::selectedLayer() const
{
    const SkinGridRow *anchor = m_grid->selection()->anchorGridRow();
    return layerOfRow(anchor ? anchor->index() : 0);
}

QList<SketchLayer *> SketchLayerControl::selectedLayers() const
{
    QList<SketchLayer *> layers;
    for (const SkinGridRow *row : m_grid->selection()->selectedRows()) {
        if (SketchLayer *layer = qobject_cast<SketchLayer *>(row->data()))
            layers.append(layer);
    }
    return layers;
}

QString SketchLayerControl::newLayerName() const
{
    QStringList names;
    if (SketchDocument *doc = document()) {
        for (const SketchLayer *layer : doc->layers())
            names.append(layer->name());
    }
    for (int n = 1;; ++n) {
        const QString name = tr("Layer%1").arg(n);
        if (!names.contains(name, Qt::CaseSensitive))
            return name;
    }
}

bool SketchLayerControl::canDeleteLayers() const
{
    const int selected = m_grid->selection()->rowCount();
    return selected > 0 && selected < m_grid->rowCount();
}

// --- Tools ----------------------------------------------------------------------------

void SketchLayerControl::updateCurrentTool()
{
    SketchLayer *layer = selectedLayer();
    if (!m_documentView || !layer)
        return;
    m_documentView->setCurrentTool(layer->isLocked() ? SketchToolTypeNone : SketchToolTypeSelect, true);
}

void SketchLayerControl::gridSelectionChanged()
{
    if (m_rebuilding || !m_documentView)
        return;
    if (SketchLayer *layer = selectedLayer())
        m_documentView->setCurrentLayer(layer, false);
    updateCurrentTool();
}

// --- Presses: eye and lock -------------------------------------------------------------

void SketchLayerControl::gridCellMousePressing(SkinGridMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int column = event->column();
    const int row = event->row();
    if (row >= 0 && (column == 0 || column == 1)) {
        event->setHandled();
        if (SketchLayer *layer = layerOfRow(row)) {
            if (column == 0)
                toggleVisible(layer);
            else
                toggleLocked(layer);
        }
    }
    updateCurrentTool();
}

void SketchLayerControl::toggleVisible(SketchLayer *layer)
{
    layer->setVisible(!layer->isVisible());
    if (m_documentView)
        m_documentView->update();
    markModified();
}

void SketchLayerControl::toggleLocked(SketchLayer *layer)
{
    layer->setLocked(!layer->isLocked());
    bool deselected = false;
    if (layer->isLocked() && m_documentView) {
        for (SketchShape *shape : layer->shapes()) {
            if (!shape->isSelected())
                continue;
            shape->setSelected(false);
            shape->setActiveHandle(SketchHandleNone);
            deselected = true;
        }
        m_documentView->update();
    }
    markModified();
    // The design panel and the action states follow the selection.
    if (deselected && m_documentView)
        m_documentView->onSelectionChanged();
}

void SketchLayerControl::markModified()
{
    if (m_documentView)
        m_documentView->onSketchChanged();
}

// --- Rename and reorder ------------------------------------------------------------------

void SketchLayerControl::gridCellTextChanged(SkinGridCell *cell)
{
    if (!m_documentView || !cell || cell->column() != NameColumn || cell->row() < 0)
        return;
    SketchLayer *layer = layerOfRow(cell->row());
    if (!layer)
        return;
    cell->setText(cell->text().trimmed());
    if (cell->text().isEmpty())
        cell->setText(tr("untitled"));
    if (cell->text() == layer->name())
        return;
    m_documentView->commandManager()->push(new SketchCommandRename(m_documentView, layer, cell->text()),
                                           QStringLiteral("renameLayer"));
}

void SketchLayerControl::gridSelectionDroped()
{
    const int dragRow = m_grid->dragRow();
    const int dropRow = m_grid->dropRow();
    if (!m_documentView || dragRow < 0 || dropRow < 0)
        return;
    const int rows = m_grid->rowCount();
    const int from = rows - dragRow - 1;
    const int to = rows - dropRow - 1;
    if (from == to)
        return;
    m_documentView->commandManager()->push(new SketchCommandPlace(m_documentView, from, to),
                                           QStringLiteral("dragDropLayer"));
}

// --- New, delete, duplicate -----------------------------------------------------------------

void SketchLayerControl::newLayer()
{
    SketchDocument *doc = document();
    if (!doc)
        return;
    auto *layer = new SketchLayer(doc, newLayerName());
    m_documentView->commandManager()->push(new SketchCommandAdd(m_documentView, layer),
                                           QStringLiteral("newLayer"));
    if (!doc->layers().isEmpty())
        m_documentView->setCurrentLayer(doc->layers().last(), false);
    refreshLayers();
}

void SketchLayerControl::deleteLayer()
{
    if (!m_documentView || !canDeleteLayers())
        return;
    const QList<SketchLayer *> layers = selectedLayers();
    if (layers.isEmpty())
        return;
    m_documentView->commandManager()->push(new SketchCommandRemove(m_documentView, layers),
                                           QStringLiteral("deleteLayer"));
    refreshLayers();
}

void SketchLayerControl::duplicateLayer()
{
    SketchLayer *source = selectedLayer();
    if (!m_documentView || !source)
        return;
    SketchLayer *copy = source->clone();
    copy->setName(copy->name() + tr("_Copy"));
    m_documentView->commandManager()->push(new SketchCommandAdd(m_documentView, copy),
                                           QStringLiteral("duplicateLayer"));
    for (SketchShape *shape : source->shapes()) {
        if (shape->isSelected()) {
            shape->setSelected(false);
            shape->setActiveHandle(SketchHandleNone);
        }
    }
    m_documentView->setCurrentLayer(copy, false);
    refreshLayers();
}

void SketchLayerControl::contextMenuOpening()
{
    m_actionNew->setEnabled(m_documentView != nullptr);
    m_actionDelete->setEnabled(canDeleteLayers());
    m_actionDuplicate->setEnabled(m_grid->selection()->rowCount() == 1);
    if (m_grid->cellEditor() && m_grid->cellEditor()->isVisible())
        m_grid->closeCellEditor(false);
}
