#include "skin/controls/skingridcolumn.h"

#include "skin/controls/skingridview.h"

#include <QtGlobal>

SkinGridColumn::SkinGridColumn(SkinGridView *grid)
    : m_grid(grid),
      m_width(grid ? grid->defaultColumnWidth() : 0),
      m_headerAlignment(Qt::AlignCenter),
      m_cellAlignment(Qt::AlignLeft | Qt::AlignVCenter)
{
}

int SkinGridColumn::setWidth(int width)
{
    m_width = qMax(width, 0);
    return m_width;
}

int SkinGridColumn::left() const
{
    return m_grid ? m_x - m_grid->horizontalOffset() : m_x;
}
