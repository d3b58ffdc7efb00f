#ifndef SKINSWATCH_H
#define SKINSWATCH_H

// Pieces shared by the colour and brush editors: the swatch buttons'
// frame and no-colour look, and the RGB entry that takes the lightness
// slider's place while the user types a colour, with its two buttons
// ("Pick Color" / "OK" and "Custom RGB Color" / "Cancel").

#include <QColor>
#include <QPoint>
#include <QRect>

class QLineEdit;
class QPainter;
class QPushButton;
class QWidget;
class SkinColorSlider;

// The style sheet a colour entry takes while its text is not a colour.
extern const char *const invalidColorEntryStyle;

// The frame of a picker swatch: the style sheet's background, and while
// pressed the frame rectangle (0, 0) to (W - 1, H - 1) filled and outlined
// in the theme's pressed colours.
void paintSkinSwatchFrame(QWidget *swatch, QPainter &painter, bool pressed);

// The "no colour" look: `field` white, crossed by a red line 2 pixels wide
// from `from` to `to`.
void paintNoColorMark(QPainter &painter, const QRect &field, const QPoint &from, const QPoint &to);

// The RGB button: with the entry hidden, opens it in the slider's place on
// the slider's colour as "#RRGGBB" (or "#AARRGGBB") and focuses it;
// otherwise closes it, keeping its text and look.
void toggleColorEntry(SkinColorSlider *slider, QLineEdit *entry);

// What a click on the pick button came to.
enum class ColorPickOutcome {
    PickFromPage,    // slider mode: the owner is to pick a colour elsewhere
    EntryConfirmed,  // entry mode, a colour: the slider has it, the entry closed
    Nothing          // entry mode, not a colour (the entry turned red), or
                     // neither on screen
};

// The pick button. In entry mode a text that is not a colour gives the
// entry the red look (kept until a colour is accepted); a colour clears
// that look, closes the entry and goes to the slider, which does not
// signal it.
ColorPickOutcome pressColorPickButton(SkinColorSlider *slider, QLineEdit *entry);

// The icons of the two buttons for the entry's state: the pick and RGB
// images as they are, or the accept and cancel images tinted in the theme.
void setColorEntryButtonIcons(QPushButton *pickButton, QPushButton *rgbButton, bool entryOpen);

#endif // SKINSWATCH_H
