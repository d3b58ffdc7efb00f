// The layers panel's images: the eye of a visible layer and the lock of a
// locked one, 16 x 16 each.
//
// The panel tints them in the theme's icon colour, painting every pixel that
// is not fully transparent opaque, so they are drawn in whole pixels of one
// colour, from a pixel map: '#' inked, anything else transparent.

#include "imagespec.h"

namespace {

const QColor glyph(128, 128, 128);

void pixelMap(QPainter& p, std::initializer_list<const char*> rows)
{
    int y = 0;
    for (const char* row : rows) {
        for (int x = 0; row[x]; ++x) {
            if (row[x] == '#')
                p.fillRect(x, y, 1, 1, glyph);
        }
        ++y;
    }
}

// An open eye seen from the front: the lids meet at both corners, the iris
// a round dot in the middle.
void eye(QPainter& p)
{
    pixelMap(p, {
        "................",
        "................",
        "................",
        "................",
        ".....######.....",
        "...##......##...",
        "..#....##....#..",
        ".#....####....#.",
        "#....######....#",
        ".#....####....#.",
        "..#....##....#..",
        "...##......##...",
        ".....######.....",
        "................",
        "................",
        "................",
    });
}

// A padlock: a round shackle over a solid body with a keyhole.
void padlock(QPainter& p)
{
    pixelMap(p, {
        "................",
        "................",
        ".....######.....",
        "....##....##....",
        "....#......#....",
        "....#......#....",
        "....#......#....",
        "...##########...",
        "...##########...",
        "...####..####...",
        "...####..####...",
        "...#####.####...",
        "...##########...",
        "...##########...",
        "................",
        "................",
    });
}

std::vector<ImageSpec> layerImages()
{
    return {
        {QStringLiteral("widgets/images/Eye.png"), QSize(16, 16), QPoint(-1, -1), eye},
        {QStringLiteral("widgets/images/SmallLocked.png"), QSize(16, 16), QPoint(-1, -1), padlock},
    };
}

const ImageSetRegistration registration(layerImages);

} // namespace
