#include "model/sketchtextalign.h"

Qt::Alignment sketchTextAlignment(int align)
{
    switch (align) {
    case SketchTextAlignLeft:
        return Qt::AlignLeft | Qt::AlignVCenter;
    case SketchTextAlignCenter:
        return Qt::AlignCenter;
    case SketchTextAlignRight:
        return Qt::AlignRight | Qt::AlignVCenter;
    default:
        // What a default text option and a default text flag both give.
        return Qt::AlignLeft | Qt::AlignTop;
    }
}
