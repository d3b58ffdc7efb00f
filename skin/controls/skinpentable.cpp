#include "skin/controls/skinpentable.h"

#include "skin/windows/skintheme.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int WidthCount = 12;

} // namespace

SkinPenTable::SkinPenTable(QWidget *parent)
    : QWidget(parent)
{
    for (int i = 0; i < CellCount; ++i) {
        m_pens[i].setWidth(i % WidthCount + 1);
        m_pens[i].setCapStyle(i < WidthCount ? Qt::RoundCap : Qt::SquareCap);
    }
}

QPen SkinPenTable::selectedPen() const
{
    if (m_selectedIndex < 0)
        return QPen();
    return m_pens[m_selectedIndex];
}

void SkinPenTable::setSelectedPen(const QPen &pen)
{
    m_selectedIndex = -1;
    for (int i = 0; i < CellCount; ++i) {
        if (m_pens[i].capStyle() == pen.capStyle() && m_pens[i].width() == pen.width()) {
            m_selectedIndex = i;
            return;
        }
    }
}

QRectF SkinPenTable::cellRect(int index) const
{
    const int right = width() - 1;
    const int bottom = height() - 1;
    // The columns are whole pixels wide, the rows are not.
    const float cellWidth = float(right / ColumnCount);
    const float cellHeight = float(bottom * 0.25);
    const int column = index % ColumnCount;
    const int row = index / ColumnCount;
    const float w = column == ColumnCount - 1 ? right - (ColumnCount - 1) * cellWidth : cellWidth;
    const float h = row == RowCount - 1 ? bottom - (RowCount - 1) * cellHeight : cellHeight;
    return QRectF(cellWidth * column, cellHeight * row, w, h);
}

int SkinPenTable::cellAt(int x, int y) const
{
    for (int i = 0; i < CellCount; ++i) {
        const QRectF rect = cellRect(i);
        if (x >= rect.left() && x <= rect.right() && y >= rect.top() && y <= rect.bottom())
            return i;
    }
    return -1;
}

int SkinPenTable::cellAtEvent(const QMouseEvent *event) const
{
    return cellAt(qRound(event->localPos().x()), qRound(event->localPos().y()));
}

void SkinPenTable::mousePressEvent(QMouseEvent *event)
{
    const int index = cellAtEvent(event);
    if (index < 0)
        return;
    m_selectedIndex = index;
    update();
    emit selectedPenChanged(m_pens[index]);
    emit selectedPenChanged();
}

void SkinPenTable::mouseDoubleClickEvent(QMouseEvent *event)
{
    const int index = cellAtEvent(event);
    if (index < 0)
        return;
    emit selectedPenAccepted(m_pens[index]);
    emit selectedPenAccepted();
}

void SkinPenTable::paintSample(QPainter *painter, int index) const
{
    const QRectF cell = cellRect(index);
    const QPen &pen = m_pens[index];
    const int w = pen.width();
    const qreal half = w * 0.5;
    const QPointF centre = cell.center();
    painter->setRenderHint(QPainter::Antialiasing, w != 1);
    // A 1 px circle is a pixel; filled as an ellipse it may cover no pixel
    // centre at all and vanish.
    if (pen.capStyle() == Qt::RoundCap && w > 1) {
        painter->setPen(Qt::NoPen);
        painter->setBrush(Qt::black);
        painter->drawEllipse(QRectF(centre.x() - half, centre.y() - half, w, w));
    } else {
        painter->fillRect(QRect(int(centre.x() - half), int(centre.y() - half), w, w), Qt::black);
    }
    painter->setPen(Qt::black);
    painter->drawText(cell, Qt::AlignHCenter | Qt::AlignVCenter | Qt::AlignBottom,
                      QStringLiteral("%1px").arg(w));
}

void SkinPenTable::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect frame(QPoint(0, 0), QPoint(width() - 2, height() - 2));
    painter.fillRect(frame, skinPanelColor);
    if (m_selectedIndex >= 0)
        painter.fillRect(cellRect(m_selectedIndex), skinHighlightColor);
    for (int i = 0; i < CellCount; ++i)
        paintSample(&painter, i);

    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(skinBorderColor);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame);
    for (int row = 0; row < RowCount - 1; ++row) {
        const int y = int(cellRect(row * ColumnCount).bottom());
        painter.drawLine(0, y, width() - 1, y);
    }
    for (int column = 0; column < ColumnCount - 1; ++column) {
        const int x = int(cellRect(column).right());
        painter.drawLine(x, 0, x, height() - 1);
    }
}
