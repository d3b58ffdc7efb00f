// The grid's construction, its settings, and its columns, rows and cells.
// Layout, scrolling, keyboard moves and the editor are in
// skingridviewlayout.cpp; mouse, wheel, keys, tool tips and drops in
// skingridviewinput.cpp.
#include "skin/controls/skingridview.h"

#include "skin/controls/skingridcell.h"
#include "skin/controls/skingridcolumn.h"
#include "skin/controls/skingriditemdelegate.h"
#include "skin/controls/skingridrow.h"
#include "skin/controls/skingridselection.h"
#include "skin/windows/skintheme.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QTimer>

namespace {

const int DefaultCellAlignment = Qt::AlignLeft | Qt::AlignVCenter;

// Thickness the bars start with, before the first layout places them.
void giveBarItsThickness(QScrollBar *bar)
{
    const QSize hint = bar->sizeHint();
    if (bar->orientation() == Qt::Horizontal)
        bar->resize(bar->width(), hint.height());
    else
        bar->resize(hint.width(), bar->height());
}

} // namespace

SkinGridView::SkinGridView(QWidget *parent)
    : QWidget(parent),
      m_showTooltipTimer(new QTimer(this)),
      m_hideTooltipTimer(new QTimer(this)),
      m_selection(new SkinGridSelection(this)),
      m_itemDelegate(new SkinGridItemDelegate),
      m_backgroundColor(Qt::white),
      m_gridLineColor(skinGridLineColor),
      m_selectionColor(Qt::transparent),
      m_selectedCellColor(Qt::transparent),
      m_defaultRowColor(Qt::transparent),
      m_horizontalScrollBar(new QScrollBar(Qt::Horizontal, this)),
      m_verticalScrollBar(new QScrollBar(Qt::Vertical, this)),
      m_cellEditor(new QLineEdit(this))
{
    m_showTooltipTimer->setSingleShot(true);
    m_showTooltipTimer->setInterval(500);
    connect(m_showTooltipTimer, SIGNAL(timeout()), this, SLOT(autoShowTooltip()));
    m_hideTooltipTimer->setSingleShot(true);
    m_hideTooltipTimer->setInterval(1000);
    connect(m_hideTooltipTimer, SIGNAL(timeout()), this, SLOT(autoHideTooltip()));

    for (QScrollBar *bar : {m_horizontalScrollBar, m_verticalScrollBar}) {
        bar->hide();
        bar->setRange(0, 0);
        giveBarItsThickness(bar);
    }
    connect(m_horizontalScrollBar, SIGNAL(valueChanged(int)), this, SLOT(hScrollBarValueChanged(int)));
    connect(m_verticalScrollBar, SIGNAL(valueChanged(int)), this, SLOT(vScrollBarValueChanged(int)));

    m_cellEditor->hide();
    connect(m_cellEditor, SIGNAL(returnPressed()), this, SLOT(acceptCellEditorText()));

    setMouseTracking(true);
    setAcceptDrops(true);
    setAttribute(Qt::WA_NoMousePropagation);
}

SkinGridView::~SkinGridView()
{
    clear();
    delete m_selection;
    delete m_itemDelegate;
}

void SkinGridView::setUpAsCardGrid()
{
    setCursor(Qt::ArrowCursor);
    setSelectionMode(SkinGridSelectCells);
    setSelectionStyle(SkinGridSelectionFilled);
    setRightClickSelects(true);
    setMultiSelection(false);
    setColumnHeaderVisible(false);
    setRowHeaderVisible(false);
    verticalScrollBar()->setPageStep(1);
}

void SkinGridView::setUpAsListGrid()
{
    setCursor(Qt::ArrowCursor);
    setSelectionMode(SkinGridSelectRows);
    setSelectionStyle(SkinGridSelectionMarked);
    setRightClickSelects(true);
    setMultiSelection(false);
    setColumnHeaderVisible(false);
    setRowHeaderVisible(false);
    setHorizontalScrollBarEnabled(false);
}

void SkinGridView::setItemDelegate(SkinGridItemDelegate *delegate)
{
    if (delegate == m_itemDelegate)
        return;
    if (m_holdsBuiltInDelegate)
        delete m_itemDelegate;
    m_holdsBuiltInDelegate = false;
    m_itemDelegate = delegate;
}

// --- Settings that repaint ---------------------------------------------------

namespace {

template <typename T>
bool store(T *field, const T &value)
{
    if (*field == value)
        return false;
    *field = value;
    return true;
}

} // namespace

void SkinGridView::setColumnHeaderVisible(bool visible)
{
    if (store(&m_columnHeaderVisible, visible))
        update();
}

void SkinGridView::setColumnHeaderHeight(int height)
{
    if (store(&m_columnHeaderHeight, qMax(height, 0)))
        update();
}

void SkinGridView::setRowHeaderVisible(bool visible)
{
    if (store(&m_rowHeaderVisible, visible))
        update();
}

void SkinGridView::setRowHeaderWidth(int width)
{
    if (store(&m_rowHeaderWidth, qMax(width, 0)))
        update();
}

void SkinGridView::setGridLinesVisible(bool visible)
{
    if (store(&m_gridLinesVisible, visible))
        update();
}

void SkinGridView::setBorderVisible(bool visible)
{
    if (store(&m_borderVisible, visible))
        update();
}

void SkinGridView::setBackgroundColor(const QColor &color)
{
    if (store(&m_backgroundColor, color))
        update();
}

void SkinGridView::setGridLineColor(const QColor &color)
{
    if (store(&m_gridLineColor, color))
        update();
}

// --- Columns ----------------------------------------------------------------

// Inserted objects carry their position, so the test takes no search.
bool SkinGridView::holdsColumn(const SkinGridColumn *column) const
{
    return isValidColumn(column->index()) && m_columns.at(column->index()) == column;
}

bool SkinGridView::holdsRow(const SkinGridRow *row) const
{
    return isValidRow(row->index()) && m_rows.at(row->index()) == row;
}

void SkinGridView::renumberColumns(int from)
{
    for (int i = from; i < m_columns.size(); ++i)
        m_columns.at(i)->setIndex(i);
}

SkinGridColumn *SkinGridView::addColumn(const QString &headerText, int width, int cellAlignment)
{
    auto *column = new SkinGridColumn(this);
    column->setHeaderText(headerText);
    column->setWidth(width);
    column->setCellAlignment(cellAlignment);
    appendColumn(column);
    return column;
}

void SkinGridView::insertColumn(int index, SkinGridColumn *column)
{
    if (!column || holdsColumn(column))
        return;
    index = qBound(0, index, m_columns.size());
    column->setGrid(this);
    m_columns.insert(index, column);
    renumberColumns(index);
    for (SkinGridRow *row : qAsConst(m_rows)) {
        QList<SkinGridCell *> &cells = row->cells();
        if (cells.size() <= index)
            continue;
        cells.insert(index, new SkinGridCell(this, index, row->index()));
        for (int i = index + 1; i < cells.size(); ++i)
            cells.at(i)->setColumn(i);
    }
}

void SkinGridView::appendColumn(SkinGridColumn *column)
{
    insertColumn(m_columns.size(), column);
}

void SkinGridView::removeColumn(int index)
{
    if (!isValidColumn(index))
        return;
    delete m_columns.takeAt(index);
    renumberColumns(index);
    for (SkinGridRow *row : qAsConst(m_rows)) {
        QList<SkinGridCell *> &cells = row->cells();
        if (cells.size() <= index)
            continue;
        delete cells.takeAt(index);
        for (int i = index; i < cells.size(); ++i)
            cells.at(i)->setColumn(i);
    }
}

void SkinGridView::setColumnCount(int count)
{
    if (count < 1) {
        clear();
    } else {
        while (m_columns.size() > count)
            removeColumn(m_columns.size() - 1);
        while (m_columns.size() < count)
            addColumn(QString(), m_defaultColumnWidth, DefaultCellAlignment);
    }
    updateLayout(true);
}

// --- Rows -------------------------------------------------------------------

void SkinGridView::renumberRows(int from)
{
    for (int i = from; i < m_rows.size(); ++i)
        m_rows.at(i)->setIndex(i);
}

SkinGridRow *SkinGridView::addRow()
{
    auto *row = new SkinGridRow(this);
    appendRow(row);
    return row;
}

SkinGridRow *SkinGridView::addRow(const QString &text)
{
    SkinGridRow *row = addRow();
    if (row->index() >= 0 && !m_columns.isEmpty())
        setCellText(0, row->index(), text);
    return row;
}

SkinGridRow *SkinGridView::addRow(const QStringList &texts)
{
    SkinGridRow *row = addRow();
    if (row->index() >= 0 && texts.size() == m_columns.size()) {
        for (int column = 0; column < texts.size(); ++column)
            setCellText(column, row->index(), texts.at(column));
    }
    return row;
}

void SkinGridView::insertRow(int index, SkinGridRow *row)
{
    if (!row || m_columns.isEmpty() || holdsRow(row))
        return;
    index = qBound(0, index, m_rows.size());
    row->setGrid(this);
    m_rows.insert(index, row);
    renumberRows(index);
}

void SkinGridView::appendRow(SkinGridRow *row)
{
    insertRow(m_rows.size(), row);
}

void SkinGridView::removeRow(int index)
{
    if (!isValidRow(index))
        return;
    delete m_rows.takeAt(index);
    renumberRows(index);
}

void SkinGridView::setRowCount(int count)
{
    if (count < 1) {
        qDeleteAll(m_rows);
        m_rows.clear();
        m_selection->clear();
    } else {
        while (m_rows.size() > count)
            removeRow(m_rows.size() - 1);
        while (m_rows.size() < count && !m_columns.isEmpty())
            addRow();
    }
    updateLayout(true);
}

void SkinGridView::deleteRowsAndColumns()
{
    qDeleteAll(m_rows);
    m_rows.clear();
    qDeleteAll(m_columns);
    m_columns.clear();
}

void SkinGridView::clear()
{
    deleteRowsAndColumns();
    m_selection->clear();
    updateLayout(true);
}

// --- Cells ------------------------------------------------------------------

SkinGridCell *SkinGridView::cell(int column, int row) const
{
    if (!isValidColumn(column) || !isValidRow(row))
        return nullptr;
    const QList<SkinGridCell *> &cells = m_rows.at(row)->cells();
    return column < cells.size() ? cells.at(column) : nullptr;
}

SkinGridCell *SkinGridView::cellAt(int column, int row)
{
    if (!isValidColumn(column) || !isValidRow(row))
        return nullptr;
    QList<SkinGridCell *> &cells = m_rows.at(row)->cells();
    while (cells.size() <= column)
        cells.append(new SkinGridCell(this, cells.size(), row));
    return cells.at(column);
}

SkinGridCell *SkinGridView::cellByIndex(int index) const
{
    if (index < 0 || index >= cellCount())
        return nullptr;
    return cell(index % columnCount(), index / columnCount());
}

SkinGridCell *SkinGridView::appendItemCell()
{
    const int items = m_itemCount;
    const int columns = columnCount();
    if (columns < 1)
        return nullptr;
    if (items % columns == 0 && items / columns >= rowCount())
        addRow();
    m_itemCount = items + 1;
    return cellAt(items % columns, items / columns);
}

SkinGridCell *SkinGridView::cellAtIndex(int index)
{
    if (index < 0 || index >= cellCount())
        return nullptr;
    return cellAt(index % columnCount(), index / columnCount());
}

QString SkinGridView::cellText(int column, int row) const
{
    const SkinGridCell *c = cell(column, row);
    return c ? c->text() : QString();
}

int SkinGridView::cellAlignment(int column, int row) const
{
    const SkinGridCell *c = cell(column, row);
    return c ? c->alignment() : DefaultCellAlignment;
}

QColor SkinGridView::cellBackgroundColor(int column, int row) const
{
    const SkinGridCell *c = cell(column, row);
    return c ? c->backgroundColor() : QColor(Qt::transparent);
}

bool SkinGridView::isCellDragEnabled(int column, int row) const
{
    const SkinGridCell *c = cell(column, row);
    return c ? c->isDragEnabled() : m_dragEnabled;
}

bool SkinGridView::isCellDropEnabled(int column, int row) const
{
    const SkinGridCell *c = cell(column, row);
    return c ? c->isDropEnabled() : m_dropEnabled;
}

QString SkinGridView::cellUserText(int column, int row) const
{
    const SkinGridCell *c = cell(column, row);
    return c ? c->userText() : QString();
}

QObject *SkinGridView::cellData(int column, int row) const
{
    const SkinGridCell *c = cell(column, row);
    return c ? c->data() : nullptr;
}

QString SkinGridView::cellToolTip(int column, int row) const
{
    const SkinGridCell *c = cell(column, row);
    return c ? c->toolTip() : QString();
}

QString SkinGridView::elidedCellText(int column, int row) const
{
    if (!m_itemDelegate)
        return cellText(column, row);
    auto *self = const_cast<SkinGridView *>(this);
    const QRectF rect = QRectF(m_itemDelegate->cellRect(self, column, row)).adjusted(4, 0, 0, 0);
    return m_itemDelegate->elideCellText(self, cellText(column, row), cellAlignment(column, row), rect);
}

void SkinGridView::setCellText(int column, int row, const QString &text)
{
    if (SkinGridCell *c = cellAt(column, row))
        c->setText(text);
}

void SkinGridView::setCellAlignment(int column, int row, int alignment)
{
    if (SkinGridCell *c = cellAt(column, row))
        c->setAlignment(alignment);
}

void SkinGridView::setCellBackgroundColor(int column, int row, const QColor &color)
{
    if (SkinGridCell *c = cellAt(column, row))
        c->setBackgroundColor(color);
}

void SkinGridView::setCellDragEnabled(int column, int row, bool enabled)
{
    if (SkinGridCell *c = cellAt(column, row))
        c->setDragEnabled(enabled);
}

void SkinGridView::setCellDropEnabled(int column, int row, bool enabled)
{
    if (SkinGridCell *c = cellAt(column, row))
        c->setDropEnabled(enabled);
}

void SkinGridView::setCellUserText(int column, int row, const QString &text)
{
    if (SkinGridCell *c = cellAt(column, row))
        c->setUserText(text);
}

void SkinGridView::setCellData(int column, int row, QObject *data)
{
    if (SkinGridCell *c = cellAt(column, row))
        c->setData(data);
}

void SkinGridView::setCellToolTip(int column, int row, const QString &text)
{
    if (SkinGridCell *c = cellAt(column, row))
        c->setToolTip(text);
}

void SkinGridView::clearCellTexts()
{
    for (SkinGridRow *row : qAsConst(m_rows)) {
        for (SkinGridCell *c : row->cells())
            c->setText(QString());
    }
}

void SkinGridView::clearCell(int column, int row, bool shiftFollowing)
{
    if (!isValidColumn(column) || !isValidRow(row))
        return;
    if (SkinGridCell *c = cell(column, row))
        c->reset();
    if (!shiftFollowing)
        return;
    const int count = cellCount();
    for (int index = row * columnCount() + column + 1; index < count; ++index) {
        if (const SkinGridCell *next = cellByIndex(index))
            next->copyTo(cellAtIndex(index - 1));
        else if (SkinGridCell *previous = cellByIndex(index - 1))
            previous->reset();
    }
    if (SkinGridCell *last = cellByIndex(count - 1))
        last->reset();
}

int SkinGridView::dragIndex() const
{
    return m_dragColumn < 0 || m_dragRow < 0 ? -1 : m_dragRow * columnCount() + m_dragColumn;
}

int SkinGridView::dropIndex() const
{
    return m_dropColumn < 0 || m_dropRow < 0 ? -1 : m_dropRow * columnCount() + m_dropColumn;
}
