// The theme switch's images: the caption's theme button and one swatch per
// theme in its popup.
//
// The window tints the button's image in the theme's icon colour, so it is
// drawn in whole pixels of one colour. The swatches keep their colours: each
// shows its theme's panel colour over its selection colour.

#include "imagespec.h"

namespace {

const QColor glyph(128, 128, 128);

void outline(QPainter& p, const QRect& box, const QColor& colour)
{
    p.fillRect(box.left(), box.top(), box.width(), 1, colour);
    p.fillRect(box.left(), box.bottom(), box.width(), 1, colour);
    p.fillRect(box.left(), box.top(), 1, box.height(), colour);
    p.fillRect(box.right(), box.top(), 1, box.height(), colour);
}

// Four tiles, two filled and two open, like a colour chart.
void themeButton(QPainter& p)
{
    p.fillRect(QRect(1, 1, 6, 6), glyph);
    outline(p, QRect(9, 1, 6, 6), glyph);
    outline(p, QRect(1, 9, 6, 6), glyph);
    p.fillRect(QRect(9, 9, 6, 6), glyph);
}

std::function<void(QPainter&)> swatch(QColor panel, QColor selection)
{
    return [panel, selection](QPainter& p) {
        p.fillRect(QRect(1, 1, 14, 8), panel);
        p.fillRect(QRect(1, 9, 14, 6), selection);
        outline(p, QRect(0, 0, 16, 16), imagegen::ink);
    };
}

std::vector<ImageSpec> themeImages()
{
    const QSize size(16, 16);
    const QPoint none(-1, -1);
    return {
        {QStringLiteral("widgets/images/Theme.png"), size, none, themeButton},
        {QStringLiteral("widgets/images/ThemeBlack.png"), size, none,
         swatch(QColor(72, 72, 72), QColor(91, 101, 116))},
        {QStringLiteral("widgets/images/ThemeGray.png"), size, none,
         swatch(QColor(243, 243, 243), QColor(220, 220, 220))},
        {QStringLiteral("widgets/images/ThemeBlue.png"), size, none,
         swatch(QColor(222, 232, 244), QColor(175, 200, 228))},
        {QStringLiteral("widgets/images/ThemeOlive.png"), size, none,
         swatch(QColor(217, 217, 169), QColor(255, 242, 200))},
    };
}

const ImageSetRegistration registration(themeImages);

} // namespace
