// The main window's own images: the frame tool's entry in the tool bar.
//
// The window tints the icon in the theme's icon colour, painting every pixel
// that is not fully transparent opaque, so it is drawn in whole pixels of
// one colour: opaque or transparent, nothing in between.

#include "imagespec.h"

namespace {

// Any colour serves, since the window tints it.
const QColor glyph(128, 128, 128);

void outline(QPainter& p, const QRect& box)
{
    p.fillRect(box.left(), box.top(), box.width(), 1, glyph);
    p.fillRect(box.left(), box.bottom(), box.width(), 1, glyph);
    p.fillRect(box.left(), box.top(), 1, box.height(), glyph);
    p.fillRect(box.right(), box.top(), 1, box.height(), glyph);
}

// Three frames of one shape, stacked: the front one shows a small diamond,
// the two behind it only their top and right edges.
void frames(QPainter& p)
{
    outline(p, QRect(5, 0, 11, 11));
    outline(p, QRect(3, 2, 11, 11));
    const QRect front(0, 5, 11, 11);
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    p.fillRect(front.adjusted(-1, -1, 1, 1), Qt::transparent);
    p.restore();
    outline(p, front);
    for (int row = 0; row < 5; ++row) {
        const int half = row < 3 ? row : 4 - row;
        p.fillRect(5 - half, 8 + row, 2 * half + 1, 1, glyph);
    }
}

std::vector<ImageSpec> mainWindowImages()
{
    return {{QStringLiteral("tools/images/Frame.png"), QSize(16, 16), QPoint(-1, -1), frames}};
}

const ImageSetRegistration registration(mainWindowImages);

} // namespace
