#ifndef SKINSWATCH_H
#define SKINSWATCH_H

// Pieces shared by the colour and brush editors: the swatch buttons'
// frame and no-colour look, and the RGB entry in which a colour is typed.

#include <QColor>
#include <QPoint>
#include <QRect>

class QLineEdit;
class QPainter;
class QWidget;

// The style sheet a colour entry takes while its text is not a colour.
extern const char *const invalidColorEntryStyle;

// The frame of a picker swatch: the style sheet's background, and while
// pressed the frame rectangle (0, 0) to (W - 1, H - 1) filled and outlined
// in the theme's pressed colours.
void paintSkinSwatchFrame(QWidget *swatch, QPainter &painter, bool pressed);

// The "no colour" look: `field` white, crossed by a red line 2 pixels wide
// from `from` to `to`.
void paintNoColorMark(QPainter &painter, const QRect &field, const QPoint &from, const QPoint &to);

// Accepts the colour typed into an RGB entry (its "OK"). A text that is not
// a colour gives the entry the red look and false, leaving *color alone; a
// colour clears that look and is stored in *color. Committing reads the
// entry with parseColorText alone and leaves its look as it is.
bool acceptColorEntry(QLineEdit *entry, QColor *color);

#endif // SKINSWATCH_H
