#ifndef SKINPAINTING_H
#define SKINPAINTING_H

// Drawing shared by the skinned widgets that paint themselves.

#include <QPoint>
#include <QSize>

class QPainter;
class QWidget;

// Lets the style paint the widget's background, so that the style-sheet
// rules for its class apply to a widget that paints itself.
void drawSkinStyledBackground(QWidget *widget, QPainter &painter);

// The frame of a panel with a title strip `titleHeight` pixels high (the
// tab strip, the group box): the strip and the panel filled in their theme
// colours, a one-pixel outline, the strip's dark bottom line (titleHeight -
// 2) and the light line along the top. The strip's last row is the
// caller's.
void paintSkinTitledPanel(QPainter &painter, QSize size, int titleHeight);

// Where a drop-down menu goes under its button, in global coordinates: two
// pixels below the button's last row, its left edge under the button's, or,
// right-aligned, its right edge under the button's.
QPoint skinMenuPositionUnder(const QWidget *button, const QWidget *menu, bool rightAligned);

#endif // SKINPAINTING_H
