#include "skin/controls/skinswatch.h"

#include "model/xmlattributes.h"
#include "skin/windows/skinpainting.h"
#include "skin/windows/skintheme.h"

#include <QLineEdit>
#include <QPainter>
#include <QWidget>

const char *const invalidColorEntryStyle = "background:rgb(250,50,50); color: black;";

void paintSkinSwatchFrame(QWidget *swatch, QPainter &painter, bool pressed)
{
    drawSkinStyledBackground(swatch, painter);
    if (!pressed)
        return;
    const QRect frame(0, 0, swatch->width() - 1, swatch->height() - 1);
    painter.fillRect(frame, skinButtonPressedTopColor);
    painter.setPen(skinButtonPressedBorderColor);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame);
}

void paintNoColorMark(QPainter &painter, const QRect &field, const QPoint &from, const QPoint &to)
{
    painter.fillRect(field, Qt::white);
    painter.setPen(QPen(Qt::red, 2, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    painter.drawLine(from, to);
}

bool acceptColorEntry(QLineEdit *entry, QColor *color)
{
    bool ok = false;
    const QColor parsed = parseColorText(entry->text(), &ok);
    if (!ok) {
        entry->setStyleSheet(QStringLiteral("QLineEdit{%1}").arg(QLatin1String(invalidColorEntryStyle)));
        return false;
    }
    entry->setStyleSheet(QString());
    *color = parsed;
    return true;
}
