#ifndef SKETCHTOOLTYPE_H
#define SKETCHTOOLTYPE_H

// The keys of a document view's tool table: what SketchDocumentView::
// currentToolType() answers, so that a shape can ask which tool is at work
// without knowing the tools.
enum SketchToolType : int
{
    SketchToolTypeNone = 0,
    SketchToolTypeSelect = 1,
    SketchToolTypePath = 2,
    SketchToolTypeRect = 3,
    SketchToolTypeEllipse = 4,
    SketchToolTypeBubble = 5,
    SketchToolTypeText = 6,
    SketchToolTypeCornerPoint = 7,
    SketchToolTypeSmoothPoint = 8,
    SketchToolTypeCutoff = 9,
    SketchToolTypeConnect = 10,
    SketchToolTypeRotate = 11,
    SketchToolTypeZoomIn = 12,
    SketchToolTypeZoomOut = 13,
    SketchToolTypePickColor = 14,
    SketchToolTypePickFillColor = 15,
    SketchToolTypePickStrokeColor = 16,
    SketchToolTypeSlice = 17,
    SketchToolTypeResize = 18,
    SketchToolTypeFrame = 19
};

#endif // SKETCHTOOLTYPE_H
