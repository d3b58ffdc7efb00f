#include "skin/controls/skincolortable.h"

#include "skin/windows/skintheme.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int NoColorIndex = 55;

// Opaque 0xRRGGBB values in cell order. Palette 0's last cell is the "no
// colour" swatch, which setPalette leaves transparent.
const QRgb generalPalette[SkinColorTable::CellCount] = {
    0x000000, 0x333333, 0x666666, 0x999999, 0xcccccc, 0xdddddd, 0xeeeeee, 0xffffff,
    0xcf2a27, 0xff9900, 0xffff00, 0x009e0f, 0x00ffff, 0x2b78e4, 0x9900ff, 0xff00ff,
    0xea9999, 0xf9cb9c, 0xffe599, 0xb6d7a8, 0xa2c4c9, 0x9fc5f8, 0xb4a7d6, 0xd5a6bd,
    0xe06666, 0xf6b26b, 0xffd966, 0x93c47d, 0x76a5af, 0x6fa8dc, 0x8e7cc3, 0xc27ba0,
    0xcc0000, 0xe69138, 0xf1c232, 0x6aa84f, 0x45818e, 0x597eaa, 0x674ea7, 0xa64d79,
    0x990000, 0xb45f06, 0xbf9000, 0x38761d, 0x134f5c, 0x085394, 0x351c75, 0x591e00,
    0x660000, 0x783f04, 0x7f6000, 0x274e13, 0x0c343d, 0x073763, 0x20124d, 0x000000,
};

const QRgb humanPalette[SkinColorTable::CellCount] = {
    0xf8e9d8, 0xf4dbbe, 0xefcca4, 0xe5bf92, 0xd7ab7c, 0xcc9659, 0xb47836, 0x8a5c2b,
    0xf5e5d6, 0xf2d2b9, 0xe9c2a5, 0xd8af93, 0xbd957b, 0xb38566, 0x96694b, 0x805940,
    0xf0d5cf, 0xf3c9be, 0xe5b7ab, 0xe0a396, 0xdd9588, 0xd88374, 0xcf6a58, 0xca5a46,
    0xb79159, 0xae772f, 0x965f24, 0x824f1a, 0x5d3316, 0x532d13, 0x452510, 0x321b0c,
    0xfef0d7, 0xfffbc4, 0xe0efd5, 0xcae1f2, 0xcce9ec, 0xe8f5fa, 0xf2e6f2, 0xfce9f1,
    0xfdeef4, 0xeee1ef, 0xfef0d7, 0xfffbc4, 0xd3edf8, 0xcad0d4, 0xbbe2ec, 0xd4e1ed,
    0xe4e2d1, 0x92aab6, 0xb9baba, 0xa3a899, 0xc9c8bc, 0xf8e9d8, 0xa58268, 0xbd957b,
};

const QRgb naturePalette[SkinColorTable::CellCount] = {
    0xbedb8f, 0x8ac453, 0x31ae36, 0x049137, 0x71a370, 0x007f3a, 0x00622e, 0x004c1f,
    0x95bd0e, 0xc1d101, 0xe1ba2d, 0x98a221, 0x65942e, 0xb49f11, 0x918209, 0x665b04,
    0xfff197, 0xbeb9dc, 0x664996, 0x907db8, 0x436918, 0x87ad65, 0xe6b400, 0xbb5830,
    0xc28ebe, 0xb7d200, 0xefa0aa, 0xffee52, 0x436918, 0x65942e, 0xf5a500, 0xe60012,
    0xdef0f1, 0xcce9eb, 0xb8e0e3, 0xa3d8dc, 0x8cd0d5, 0x72c8cd, 0x55bfc6, 0x01b3d6,
    0xf6c320, 0xf0a11e, 0xeb7b1b, 0xd75219, 0xbc5127, 0x9f6355, 0x8e4f37, 0x663222,
    0xf9f0e0, 0xecdfc9, 0xdecfb9, 0xd1c0aa, 0xbdaa94, 0x9d856b, 0xb08f5f, 0x947240,
};

const QRgb *paletteTable(int number)
{
    switch (number) {
    case 0:
        return generalPalette;
    case 1:
        return humanPalette;
    case 2:
        return naturePalette;
    default:
        return nullptr;
    }
}

} // namespace

SkinColorTable::SkinColorTable(QWidget *parent)
    : QWidget(parent)
{
    setPalette(0);
}

void SkinColorTable::setPalette(int number)
{
    m_paletteNumber = number;
    for (QColor &color : m_colors)
        color = QColor(0, 0, 0, 0);
    if (const QRgb *table = paletteTable(number)) {
        for (int i = 0; i < CellCount; ++i)
            m_colors[i] = QColor(table[i]);
        if (number == 0)
            m_colors[NoColorIndex] = QColor(0, 0, 0, 0);
    }
    update();
}

QColor SkinColorTable::selectedColor() const
{
    if (m_selectedIndex < 0)
        return QColor();
    return m_colors[m_selectedIndex];
}

void SkinColorTable::setSelectedColor(const QColor &color)
{
    m_selectedIndex = -1;
    for (int i = 0; i < CellCount; ++i) {
        if (m_colors[i] == color) {
            m_selectedIndex = i;
            return;
        }
    }
}

QRectF SkinColorTable::cellRect(int index) const
{
    const float right = float(width() - 1);
    const float bottom = float(height() - 1);
    const float cellWidth = right / ColumnCount;
    const float cellHeight = bottom / RowCount;
    const int column = index % ColumnCount;
    const int row = index / ColumnCount;
    const float x = column * cellWidth;
    const float y = row * cellHeight;
    const float w = column == ColumnCount - 1 ? right - (ColumnCount - 1) * cellWidth : cellWidth;
    const float h = row == RowCount - 1 ? bottom - y : cellHeight;
    return QRectF(x, y, w, h);
}

int SkinColorTable::indexAt(int x, int y) const
{
    for (int i = 0; i < CellCount; ++i) {
        const QRectF rect = cellRect(i);
        if (x >= rect.left() && x <= rect.right() && y >= rect.top() && y <= rect.bottom())
            return i;
    }
    return -1;
}

int SkinColorTable::indexAtEvent(const QMouseEvent *event) const
{
    return indexAt(qRound(event->localPos().x()), qRound(event->localPos().y()));
}

void SkinColorTable::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int index = indexAtEvent(event);
    if (index < 0)
        return;
    m_selectedIndex = index;
    update();
    emit selectedColorChanged(m_colors[index]);
    emit selectedColorChanged();
}

void SkinColorTable::mouseDoubleClickEvent(QMouseEvent *event)
{
    const int index = indexAtEvent(event);
    if (index < 0)
        return;
    emit selectedColorAccepted(m_colors[index]);
    emit selectedColorAccepted();
}

void SkinColorTable::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    for (int i = 0; i < CellCount; ++i) {
        if (m_colors[i].alpha() > 0)
            painter.fillRect(cellRect(i), m_colors[i]);
    }

    if (m_paletteNumber == 0) {
        const QRectF cell = cellRect(NoColorIndex);
        painter.fillRect(cell, Qt::white);
        painter.setPen(QPen(Qt::red, 2, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
        painter.drawLine(int(cell.x() + 1), int(cell.y() + cell.height()),
                         int(cell.x() + cell.width() - 1), int(cell.y() + 2));
    }

    const int w = width();
    const int h = height();
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(0, 0, w - 1, h - 1);
    for (int row = 0; row < RowCount; ++row) {
        const QRectF cell = cellRect(row * ColumnCount);
        const int y = int(float(cell.y()) + float(cell.height()));
        painter.drawLine(0, y, w, y);
    }
    for (int column = 0; column < ColumnCount; ++column) {
        const QRectF cell = cellRect(column);
        const int x = int(float(cell.x()) + float(cell.width()));
        painter.drawLine(x, 0, x, h);
    }

    if (m_selectedIndex >= 0) {
        const QRectF cell = cellRect(m_selectedIndex);
        painter.drawRect(cell.adjusted(-1, -1, 1, 1));
        painter.drawRect(cell.adjusted(1, 1, -1, -1));
        painter.setPen(skinHighlightColor);
        painter.drawRect(cell);
    }
}
