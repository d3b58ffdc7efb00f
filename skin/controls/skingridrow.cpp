#include "skin/controls/skingridrow.h"

#include "skin/controls/skingridcell.h"
#include "skin/controls/skingridview.h"

#include <QtGlobal>

SkinGridRow::SkinGridRow(SkinGridView *grid)
    : m_grid(grid),
      m_height(grid ? grid->defaultRowHeight() : 0),
      m_alignment(Qt::AlignCenter),
      m_backgroundColor(grid ? grid->defaultRowColor() : QColor(Qt::transparent))
{
}

SkinGridRow::~SkinGridRow()
{
    deleteCells();
}

void SkinGridRow::setIndex(int index)
{
    m_index = index;
    for (SkinGridCell *cell : qAsConst(m_cells))
        cell->setRow(index);
}

void SkinGridRow::deleteCells()
{
    qDeleteAll(m_cells);
    m_cells.clear();
}

int SkinGridRow::setHeight(int height)
{
    m_height = qMax(height, 0);
    return m_height;
}

int SkinGridRow::top() const
{
    return m_grid ? m_y - m_grid->verticalOffset() : m_y;
}

void SkinGridRow::copyTo(SkinGridRow *other) const
{
    if (!other || other == this)
        return;
    other->m_visible = m_visible;
    other->m_text = m_text;
    other->m_alignment = m_alignment;
    other->m_backgroundColor = m_backgroundColor;
    other->m_data = m_data;
    other->m_userText = m_userText;
    other->m_userValue = m_userValue;
    other->deleteCells();
    for (int column = 0; column < m_cells.size(); ++column) {
        auto *copy = new SkinGridCell(other->m_grid, column, other->m_index);
        m_cells.at(column)->copyTo(copy);
        other->m_cells.append(copy);
    }
}
