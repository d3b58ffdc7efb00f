#include "app/sketchframepopupwindow.h"

#include "app/sketchframegriditemdelegate.h"
#include "editor/sketchdocumentview.h"
#include "materials/sketchmaterial.h"
#include "model/sketchshape.h"
#include "skin/controls/skingridcell.h"
#include "skin/controls/skingridcolumn.h"
#include "skin/controls/skingridrow.h"
#include "skin/controls/skingridselection.h"
#include "skin/controls/skingridview.h"
#include "skin/windows/skinmenu.h"
#include "skin/windows/skintheme.h"

#include <QPushButton>
#include <QScrollBar>
#include <QWidget>

namespace {

const int GridColumns = 3;
const int GridRows = 25;

} // namespace

SketchFramePopupWindow::SketchFramePopupWindow(QWidget *parentWidget)
    : QObject(parentWidget)
    , m_parentWidget(parentWidget)
    , m_popupRect(QPoint(0, 0), QPoint(149, 149))
{
    m_popupWindow = new QWidget(parentWidget, Qt::Popup);
    m_popupWindow->setObjectName(QStringLiteral("popupWindow"));

    m_grid = new SkinGridView(m_popupWindow);
    m_grid->setObjectName(QStringLiteral("frameGrid"));
    m_grid->setUpAsCardGrid();
    m_grid->setColumnResizeMode(SkinGridColumnsShareRoom);
    m_grid->setHorizontalScrollBarEnabled(false);
    m_grid->setDragEnabled(true);
    m_grid->setDropEnabled(false);
    m_grid->setEditOnDoubleClick(false);
    m_grid->setItemDelegate(new SketchFrameGridItemDelegate);
    m_grid->setColumnCount(GridColumns);
    m_grid->setRowCount(GridRows);

    m_menu = new SkinMenu(m_popupWindow);
    m_menu->addAction(tr("Delete"), this, SLOT(deleteShapeFrame()));
    m_grid->setContextMenu(m_menu);

    connect(m_grid, SIGNAL(selectionChanged()), this, SLOT(onGridSelectionChanged()));
    connect(m_grid, SIGNAL(cellDoubleClicked(SkinGridCell*)), this, SLOT(onGridCellDoubleClicked(SkinGridCell*)));
    updateLayout();

    m_okButton = new QPushButton(tr("OK"), m_popupWindow);
    m_cancelButton = new QPushButton(tr("Cancel"), m_popupWindow);
    connect(m_okButton, SIGNAL(clicked()), this, SLOT(onShapeFrameChanged()));
    connect(m_okButton, SIGNAL(clicked()), m_popupWindow, SLOT(close()));
    connect(m_cancelButton, SIGNAL(clicked()), m_popupWindow, SLOT(close()));
    // In the theme in force from the start; theme changes call it again.
    useThemeStyle();
}

SketchFramePopupWindow::~SketchFramePopupWindow()
{
    // The popup goes first, so that its grid says nothing to a half-gone
    // owner; the materials are children of this object and follow.
    if (m_popupWindow) {
        QObject::disconnect(m_grid, nullptr, this, nullptr);
        delete m_popupWindow.data();
    }
}

// --- Texts and layout -------------------------------------------------------------

SketchShape *SketchFramePopupWindow::shape() const
{
    return m_shape;
}

int SketchFramePopupWindow::frameCount() const
{
    return m_shape ? m_shape->frames().size() : 0;
}

QString SketchFramePopupWindow::frameText() const
{
    if (!m_shape)
        return QStringLiteral("0/0");
    if (m_shape->frames().isEmpty())
        return QStringLiteral("1/1");
    return QStringLiteral("%1/%2").arg(m_frameIndex + 1).arg(frameCount());
}

void SketchFramePopupWindow::setPopupRect(const QRect &rect)
{
    m_popupRect = rect;
    updateLayout();
}

void SketchFramePopupWindow::updateLayout()
{
    const int w = m_popupRect.right() - m_popupRect.left();
    const int h = m_popupRect.bottom() - m_popupRect.top();
    m_grid->setGeometry(QRect(QPoint(8, 8), QPoint(w - 8, h - 30)));
    m_grid->updateLayout(false);
    const int side = m_grid->columns().isEmpty() ? 0 : m_grid->columns().first()->width();
    for (SkinGridRow *row : m_grid->rows())
        row->setHeight(side);
    m_grid->updateLayout(false);
}

void SketchFramePopupWindow::useThemeStyle()
{
    m_popupWindow->setStyleSheet(skinStyleSheet);
    m_grid->setGridLineColor(skinBorderColor);
    m_grid->setBackgroundColor(skinPanelColor);
    m_grid->setSelectedCellColor(skinHighlightColor);
    m_grid->update();
}

void SketchFramePopupWindow::repaintParent()
{
    if (m_parentWidget)
        m_parentWidget->update();
}

// --- Showing a shape ------------------------------------------------------------------

void SketchFramePopupWindow::setShape(SketchShape *shape)
{
    m_frameIndex = 0;
    m_shape = shape;
    if (shape)
        m_frameIndex = shape->frameIndex();
    m_grid->selection()->selectCell(m_frameIndex, false);
    fillCells();
    m_grid->verticalScrollBar()->setValue(0);
    repaintParent();
}

void SketchFramePopupWindow::fillCells()
{
    const int frames = frameCount();
    for (int row = 0; row < m_grid->rowCount(); ++row) {
        for (int column = 0; column < m_grid->columnCount(); ++column) {
            SkinGridCell *cell = m_grid->cellAt(column, row);
            delete qobject_cast<SketchMaterial *>(cell->data());
            const int index = cell->index();
            SketchMaterial *material = nullptr;
            if (index >= 0 && index < frames) {
                material = new SketchMaterial(SketchMaterialRole, {m_shape->frames().at(index)}, false);
                material->setParent(this);
            }
            cell->setData(material);
        }
    }
}

void SketchFramePopupWindow::showPopupWindow()
{
    const QPoint anchor = m_parentWidget ? m_parentWidget->mapToGlobal(QPoint(0, m_parentWidget->height() - 1))
                                         : QPoint(0, 0);
    m_popupWindow->setGeometry(m_popupRect.translated(anchor));
    const int w = m_popupWindow->width();
    const int h = m_popupWindow->height();
    m_okButton->setGeometry(w - 150, h - 25, 70, 20);
    m_cancelButton->setGeometry(w - 75, h - 25, 70, 20);
    if (frameCount() > 0)
        m_popupWindow->show();
}

// --- Choosing and confirming ----------------------------------------------------------

void SketchFramePopupWindow::onGridSelectionChanged()
{
    if (!m_shape || m_grid->selection()->isEmpty()) {
        m_frameIndex = 0;
    } else {
        const int index = m_grid->selection()->topLeftIndex();
        if (index >= 0 && index < frameCount())
            m_frameIndex = index;
    }
    repaintParent();
}

void SketchFramePopupWindow::onShapeFrameChanged()
{
    emit shapeFrameChanged();
    emit shapeFrameChanged(m_frameIndex);
    emit shapeFrameChanged(frameText());
    repaintParent();
}

void SketchFramePopupWindow::onGridCellDoubleClicked(SkinGridCell *)
{
    m_okButton->click();
}

void SketchFramePopupWindow::deleteShapeFrame()
{
    SketchShape *shape = m_shape;
    SketchDocumentView *view = shape ? shape->view() : nullptr;
    if (!view || m_frameIndex < 0 || m_frameIndex >= frameCount())
        return;
    if (!view->removeShapeFrame(shape, m_frameIndex))
        return;
    setShape(shape);
    m_grid->update();
    if (shape->frames().isEmpty())
        m_cancelButton->click();
}
