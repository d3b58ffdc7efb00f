#include "skin/controls/skingridcell.h"

#include "skin/controls/skingridcolumn.h"
#include "skin/controls/skingridselection.h"
#include "skin/controls/skingridview.h"
#include "skin/windows/skintheme.h"

namespace {

int columnCellAlignment(const SkinGridView *grid, int column)
{
    if (grid && column >= 0 && column < grid->columnCount())
        return grid->columns().at(column)->cellAlignment();
    return Qt::AlignLeft | Qt::AlignVCenter;
}

} // namespace

SkinGridCell::SkinGridCell(SkinGridView *grid, int column, int row)
    : m_grid(grid),
      m_column(column),
      m_row(row),
      m_alignment(columnCellAlignment(grid, column)),
      m_backgroundColor(Qt::transparent),
      m_textColor(skinTextColor),
      m_dragEnabled(grid && grid->isDragEnabled()),
      m_dropEnabled(grid && grid->isDropEnabled())
{
}

int SkinGridCell::index() const
{
    return m_grid ? m_row * m_grid->columnCount() + m_column : -1;
}

QRect SkinGridCell::rect() const
{
    return m_grid ? m_grid->cellRect(m_column, m_row) : QRect();
}

bool SkinGridCell::isSelected() const
{
    return m_grid && m_grid->selection()->contains(m_column, m_row);
}

void SkinGridCell::copyTo(SkinGridCell *other) const
{
    if (!other || other == this)
        return;
    other->m_alignment = m_alignment;
    other->m_backgroundColor = m_backgroundColor;
    other->m_readOnly = m_readOnly;
    other->m_dragEnabled = m_dragEnabled;
    other->m_text = m_text;
    other->m_userText = m_userText;
    other->m_userValue = m_userValue;
    other->m_data = m_data;
    other->m_toolTip = m_toolTip;
}

void SkinGridCell::reset()
{
    m_alignment = columnCellAlignment(m_grid, m_column);
    m_backgroundColor = Qt::transparent;
    m_readOnly = false;
    m_dragEnabled = false;
    m_text.clear();
    m_userText.clear();
    m_userValue = 0;
    m_data = nullptr;
    m_toolTip.clear();
}
