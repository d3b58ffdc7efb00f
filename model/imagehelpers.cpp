#include "model/imagehelpers.h"

#include <QColor>
#include <QPainter>

namespace {

QColor shadowSurround;

QString hexByte(int value)
{
    return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0'));
}

} // namespace

QString colorToHexText(const QColor &color)
{
    QString text = QStringLiteral("#");
    if (color.alpha() < 255)
        text += hexByte(color.alpha());
    text += hexByte(color.red()) + hexByte(color.green()) + hexByte(color.blue());
    return text.toUpper();
}

void drawDropShadow(QPainter *painter, QRect rect, int size)
{
    if (!painter || size < 1)
        return;
    // The shadow is the colour around the paper, darkened, so it suits every theme.
    const QColor shadow = shadowSurround.darker(140);
    const QRect rightStrip(QPoint(rect.right(), rect.top() + size),
                           QPoint(rect.right() + size - 1, rect.bottom() + size - 1));
    const QRect bottomStrip(QPoint(rect.left() + size, rect.bottom()),
                            QPoint(rect.right() + size - 1, rect.bottom() + size - 1));
    painter->fillRect(rightStrip, shadow);
    painter->fillRect(bottomStrip, shadow);
}

QColor dropShadowSurroundColor()
{
    return shadowSurround;
}

void setDropShadowSurroundColor(const QColor &color)
{
    shadowSurround = color;
}
