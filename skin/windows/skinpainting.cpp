#include "skin/windows/skinpainting.h"

#include "skin/windows/skintheme.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QWidget>

void drawSkinStyledBackground(QWidget *widget, QPainter &painter)
{
    QStyleOption option;
    option.initFrom(widget);
    widget->style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, widget);
}

void paintSkinTitledPanel(QPainter &painter, QSize size, int titleHeight)
{
    const int w = size.width();
    const int h = size.height();
    const int t = titleHeight;
    painter.fillRect(QRect(0, 0, w, t), skinPanelTitleColor);
    painter.fillRect(QRect(QPoint(0, t), QPoint(w - 1, h - 1)), skinPanelColor);
    painter.setPen(skinBorderColor);
    painter.drawRect(QRect(QPoint(0, 0), QPoint(w - 2, h - 2)));
    painter.drawLine(0, t - 2, w - 1, t - 2);
    painter.setPen(skinLightLineColor);
    painter.drawLine(1, 1, w - 2, 1);
}

QPoint skinMenuPositionUnder(const QWidget *button, const QWidget *menu, bool rightAligned)
{
    const int x = rightAligned ? button->width() - menu->width() : 0;
    return button->mapToGlobal(QPoint(x, button->height() + 1));
}
