// The grid's input: mouse presses, hovering, range stretching and drag
// starts, clicks, the wheel, the keys, hover tool tips, and drops.
#include "skin/controls/skingridview.h"

#include "model/filehelpers.h"
#include "model/geometry.h"
#include "skin/controls/skingridcell.h"
#include "skin/controls/skingriditemdelegate.h"
#include "skin/controls/skingridmouseevent.h"
#include "skin/controls/skingridselection.h"

#include <QCursor>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>

namespace {

// A drag starts once the mouse is this far from where it was pressed.
const float DragStartDistance = 2.0f;

} // namespace

void SkinGridView::paintEvent(QPaintEvent *)
{
    if (!m_itemDelegate)
        return;
    QPainter painter(this);
    m_itemDelegate->paint(&painter, this);
}

// --- Presses ------------------------------------------------------------------

void SkinGridView::popUpContextMenu(const QPoint &globalPos)
{
    popupMenuInScreen(m_contextMenu, globalPos);
}

void SkinGridView::selectOnPress(int column, int row, Qt::KeyboardModifiers modifiers)
{
    const bool onCell = column >= 0 && row >= 0;
    const bool onRowHeader = column == -1 && row >= 0;
    const bool onColumnHeader = column >= 0 && row == -1;
    if (m_multiSelection) {
        const bool extend = modifiers & Qt::ShiftModifier;
        if (column == -1 && row == -1)
            m_selection->selectAll();
        else if (onRowHeader)
            m_selection->selectRow(row, extend);
        else if (onColumnHeader)
            m_selection->selectColumn(column, extend);
        else if (onCell)
            selectByMode(column, row, extend);
        return;
    }
    if (onRowHeader && m_selectionMode == SkinGridSelectRows)
        m_selection->selectRow(row, false);
    else if (onColumnHeader && m_selectionMode == SkinGridSelectColumns)
        m_selection->selectColumn(column, false);
    else if (onCell)
        selectByMode(column, row, false);
}

void SkinGridView::mousePressEvent(QMouseEvent *event)
{
    setFocus();
    m_mousePressed = true;
    m_pressPosition = event->localPos().toPoint();
    m_dragging = false;
    m_pressTracked = false;
    if (scrollBarCornerRect().contains(m_pressPosition))
        return;

    const int column = columnAt(m_pressPosition.x());
    const int row = rowAt(m_pressPosition.y());
    const bool rightButton = event->button() == Qt::RightButton;
    {
        SkinGridMouseEvent pressing(*event, column, row);
        emit cellMousePressing(&pressing);
        if (pressing.isHandled()) {
            update();
            if (rightButton && m_contextMenu && !pressing.isContextMenuSuppressed())
                popUpContextMenu(event->globalPos());
            return;
        }
    }

    m_pressColumn = column;
    m_pressRow = row;
    m_pressTracked = true;
    if (event->button() == Qt::LeftButton || (rightButton && m_rightClickSelects && !m_multiSelection)) {
        closeCellEditor(true);
        selectOnPress(column, row, event->modifiers());
    }
    update();

    SkinGridMouseEvent pressed(*event, column, row);
    emit cellMousePressed(&pressed);
    if (rightButton && m_contextMenu)
        popUpContextMenu(event->globalPos());
}

// --- Moves ----------------------------------------------------------------------

void SkinGridView::hoverTo(int column, int row)
{
    if (column == m_hoverColumn && row == m_hoverRow)
        return;
    SkinGridCell *previous = cell(m_hoverColumn, m_hoverRow);
    m_hoverColumn = column;
    m_hoverRow = row;
    if (previous)
        emit cellMouseLeave(previous);
    SkinGridCell *current = cell(column, row);
    if (current)
        emit cellMouseEnter(current);
    emit hoverCellChanged(previous, current);
    prepareTooltip(column, row);
}

void SkinGridView::startDragOnMove(const QPoint &pos)
{
    // A press a receiver handled left pressColumn/pressRow at an earlier
    // press: no drag may start from there.
    if (!m_pressTracked || m_dragging || !m_dragEnabled || m_selection->isEmpty())
        return;
    if (!isCellDragEnabled(m_pressColumn, m_pressRow))
        return;
    if (pointDistance(m_pressPosition, pos) <= DragStartDistance)
        return;
    if (m_itemDelegate)
        m_itemDelegate->startDrag(this, m_pressColumn, m_pressRow, true);
}

void SkinGridView::stretchRangeTo(const QPoint &pos)
{
    if (m_selection->isAll())
        return;
    const int column = qMax(columnAt(pos.x()), 0);
    const int row = qMax(rowAt(pos.y()), 0);
    if (column == m_selection->currentColumn() && row == m_selection->currentRow())
        return;
    const bool wholeRows = m_selection->spansAllColumns();
    const bool wholeColumns = m_selection->spansAllRows();
    if (!wholeRows)
        m_selection->setCurrentColumn(column);
    if (!wholeColumns)
        m_selection->setCurrentRow(row);
    update();
}

void SkinGridView::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->localPos().toPoint();
    if (event->buttons() == Qt::NoButton)
        hoverTo(columnAt(pos.x()), rowAt(pos.y()));
    else if (!(event->buttons() & Qt::LeftButton))
        return;
    else if (m_multiSelection)
        stretchRangeTo(pos);
    else
        startDragOnMove(pos);
}

// --- Release, double click, wheel, keys --------------------------------------------

void SkinGridView::mouseReleaseEvent(QMouseEvent *event)
{
    QWidget::mouseReleaseEvent(event);
    m_mousePressed = false;
    const QPoint pos = event->localPos().toPoint();
    if (event->button() == Qt::LeftButton && !scrollBarCornerRect().contains(pos)) {
        if (SkinGridCell *c = cell(columnAt(pos.x()), rowAt(pos.y())))
            emit cellClicked(c);
    }
    update();
}

void SkinGridView::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QPoint pos = event->localPos().toPoint();
    if (event->button() != Qt::LeftButton || scrollBarCornerRect().contains(pos))
        return;
    if (m_editOnDoubleClick) {
        const int column = columnAt(pos.x());
        const int row = rowAt(pos.y());
        if (column >= 0 && row >= 0)
            editCell(column, row);
    } else if (SkinGridCell *anchor = m_selection->anchorCell()) {
        emit cellDoubleClicked(anchor);
    }
}

void SkinGridView::wheelEvent(QWheelEvent *event)
{
    QWidget::wheelEvent(event);
    const QPoint angle = event->angleDelta();
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    // Touch pads open and close their scrolls with events that turn nothing.
    if (delta == 0)
        return;
    QScrollBar *bar = nullptr;
    if (!m_verticalScrollBar->isHidden())
        bar = m_verticalScrollBar;
    else if (!m_horizontalScrollBar->isHidden())
        bar = m_horizontalScrollBar;
    if (!bar)
        return;
    bar->setValue(bar->value() + (delta > 0 ? -bar->pageStep() : bar->pageStep()));
    event->accept();
}

void SkinGridView::keyPressEvent(QKeyEvent *event)
{
    QWidget::keyPressEvent(event);
    switch (event->key()) {
    case Qt::Key_Escape:
        if (cellEditor() && !cellEditor()->isHidden()) {
            closeCellEditor(false);
            event->accept();
        }
        return;
    case Qt::Key_Left:
        moveLeft();
        break;
    case Qt::Key_Right:
        moveRight();
        break;
    case Qt::Key_Up:
        moveUp();
        break;
    case Qt::Key_Down:
        moveDown();
        break;
    default:
        return;
    }
    event->accept();
}

void SkinGridView::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    autoHideTooltip();
}

void SkinGridView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    updateLayout(true);
}

void SkinGridView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    updateLayout(true);
}

// --- Tool tips ------------------------------------------------------------------

void SkinGridView::prepareTooltip(int column, int row)
{
    m_hoverToolTip.clear();
    // Moving on from a cell whose tip shows only takes the tip away.
    if (QToolTip::isVisible()) {
        autoHideTooltip();
        return;
    }
    QString text = cellToolTip(column, row);
    if (text.isEmpty()) {
        const QString full = cellText(column, row);
        if (elidedCellText(column, row).length() != full.length())
            text = full;
    }
    if (text.isEmpty()) {
        autoHideTooltip();
        return;
    }
    m_hoverToolTip = text;
    m_showTooltipTimer->start();
}

void SkinGridView::autoShowTooltip()
{
    if (QToolTip::isVisible() || m_hoverToolTip.isEmpty())
        return;
    QToolTip::showText(QCursor::pos(), m_hoverToolTip, this);
    m_hideTooltipTimer->start();
}

void SkinGridView::autoHideTooltip()
{
    m_showTooltipTimer->stop();
    m_hideTooltipTimer->stop();
    m_hoverToolTip.clear();
    if (QToolTip::isVisible())
        QToolTip::hideText();
}

// --- Drops ------------------------------------------------------------------------

namespace {

// Text is all a grid takes; its own cells move, anything else is offered.
bool acceptDrag(QDragMoveEvent *event, const QWidget *grid)
{
    if (!event->mimeData() || !event->mimeData()->hasText()) {
        event->ignore();
        return false;
    }
    if (event->source() == grid) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else {
        event->acceptProposedAction();
    }
    return true;
}

} // namespace

bool SkinGridView::isOwnDrag(const QDropEvent *event) const
{
    // A drag of this grid that ended elsewhere leaves the flag set until the
    // next press: only the source tells a later drop from outside apart.
    return m_dragging && event->source() == this;
}

void SkinGridView::dragEnterEvent(QDragEnterEvent *event)
{
    acceptDrag(event, this);
}

void SkinGridView::dragMoveEvent(QDragMoveEvent *event)
{
    if (!acceptDrag(event, this))
        return;
    const QPoint pos = event->pos();
    const int column = columnAt(pos.x());
    const int row = rowAt(pos.y());
    if (column == m_dropColumn && row == m_dropRow)
        return;
    m_dropColumn = column;
    m_dropRow = row;
    update();
}

void SkinGridView::dragLeaveEvent(QDragLeaveEvent *event)
{
    QWidget::dragLeaveEvent(event);
    if (!m_dragging)
        return;
    m_dropColumn = -1;
    m_dropRow = -1;
    emit cellDragLeave();
    update();
}

void SkinGridView::dropEvent(QDropEvent *event)
{
    QWidget::dropEvent(event);
    if (isOwnDrag(event)) {
        if (m_itemDelegate && isCellDropEnabled(m_dropColumn, m_dropRow)) {
            event->setDropAction(Qt::MoveAction);
            event->accept();
            m_itemDelegate->dropCell(this, m_dropColumn, m_dropRow, true);
        }
        return;
    }
    emit gridDroped(event);
    m_dragging = false;
    m_dropColumn = -1;
    m_dropRow = -1;
    update();
}
