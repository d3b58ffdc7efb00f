#ifndef SKETCHTEXTALIGN_H
#define SKETCHTEXTALIGN_H

#include <Qt>

// The text alignment codes of a shape (SketchShape::align, stored as an int
// in the document file's "Align" attribute and picked by the design panel's
// buttons in this order). Any other value is kept as it is and lays the text
// out horizontally from the top left.
enum SketchTextAlign : int
{
    SketchTextAlignLeft = 0,
    SketchTextAlignCenter = 1,
    SketchTextAlignRight = 2,
    // Characters stacked in columns from right to left; Qt lays none of it out.
    SketchTextAlignVertical = 3
};

// The Qt flags a horizontal alignment code lays its text out with, the same
// for painting it and for finding the area it covers: left, centred or
// right, vertically centred; top left for the codes without a layout of their
// own (the vertical one included).
Qt::Alignment sketchTextAlignment(int align);

#endif // SKETCHTEXTALIGN_H
