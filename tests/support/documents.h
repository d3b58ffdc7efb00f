#ifndef SUPPORT_DOCUMENTS_H
#define SUPPORT_DOCUMENTS_H

// Builders of document content: slices, gradient and picture brushes, and
// one rich document with every kind of content the file holds.

#include "support/shapes.h"

#include "model/sketchdocument.h"
#include "model/sketchslice.h"
#include "model/sketchslicegrid.h"
#include "model/skinbrush.h"
#include "model/skingradient.h"

#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QRect>

inline SketchSlice *addSlice(SketchDocument *document, const QRect &rect)
{
    SketchSlice *slice = new SketchSlice(document);
    slice->setRect(rect);
    document->slices().append(slice);
    return slice;
}

// A gradient brush of the given kind (linear, radial or conical) with a
// middle stop.
inline SkinBrush gradientBrush(int type, const QColor &first, const QColor &last)
{
    SkinGradient stops(first);
    stops.setLastColor(last);
    stops.insert(1, 0.4f, QColor(Qt::yellow));
    SkinBrush brush(type, stops);
    brush.setCenter(QPointF(0.25, 0.75));
    brush.setFrom(QPointF(0.1, 0.2));
    brush.setTo(QPointF(0.9, 0.6));
    return brush;
}

// A small picture brush.
inline SkinBrush pictureBrush()
{
    QImage picture(16, 12, QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgba(x * 16, y * 20, (x + y) * 8, 255));
    }
    SkinBrush brush(SkinBrushImage);
    brush.encodeImage(QPixmap::fromImage(picture));
    return brush;
}

// A document with every kind of content the file holds: paper, work fields,
// slices (one off the page, one of negative size), a visible layer with
// boxes, ellipses, a bubble with text, an open curve, rotated, blurred,
// translucent, locked and picture-filled shapes, shapes with frames and a
// rotated three-level group with frames, a hidden layer and a locked layer.
inline void fillRichDocument(SketchDocument *document)
{
    document->setPaperSize(QSize(640, 480));
    document->setPaperColor(gradientBrush(SkinBrushLinear, QColor("#fdf6e3"), QColor("#eee8d5")));
    document->setPaperBorder(SketchStroke(Qt::darkBlue, 3, SketchStrokeRound));
    document->setWorkId("W-17");
    document->setWorkTitle("Chapter <1> & \"more\"");
    document->setWorkTags("ink;tone");
    addSlice(document, QRect(0, 0, 200, 100));
    addSlice(document, QRect(250, 150, 100, 120));
    addSlice(document, QRect(700, 10, 50, 50));
    addSlice(document, QRect(300, 300, -20, 40));

    SketchLayer *ink = document->layers().first();
    ink->setName("Ink");
    SketchShape *rect = makeBox(ink, QRectF(10, 10, 80, 40));
    rect->setFill(SkinBrush(QColor(Qt::red)));
    rect->setName("panel");
    SketchShape *ellipse = makeEllipse(ink, QRectF(100, 10, 60, 40));
    ellipse->setFill(gradientBrush(SkinBrushRadial, Qt::white, Qt::blue));
    ellipse->setTension(0.3f);
    SketchShape *bubble = makeBubble(ink, QRectF(200, 20, 120, 60), 4, QPointF(250, 120));
    bubble->setFill(SkinBrush(QColor(Qt::white)));
    bubble->setText(QString::fromUtf8("Hello,\n\tworld <&> \"quoted\" \xc3\xbcn\xc3\xaf \xf0\x9f\x98\x80"));
    QFont font("Serif");
    font.setPixelSize(18);
    font.setItalic(true);
    bubble->setFont(font);
    bubble->setFontColor(Qt::darkMagenta);
    bubble->setAlign(0);
    SketchShape *curve = makePath(ink, {{20, 300}, {60, 260}, {120, 330}, {160, 280}}, false, true);
    curve->setStroke(SketchStroke(Qt::darkGreen, 4, SketchStrokeSquare));
    SketchShape *turned = makeBox(ink, QRectF(350, 30, 50, 80));
    turned->setFill(gradientBrush(SkinBrushConical, Qt::red, Qt::green));
    turned->centerRotatePoint();
    turned->setRotateAngle(0.2f);
    turned->setOpacity(0.6f);
    turned->setBlur(2);
    SketchShape *picture = makeBox(ink, QRectF(420, 150, 64, 48));
    picture->setFill(pictureBrush());
    SketchShape *locked = makeBox(ink, QRectF(500, 20, 30, 30));
    locked->setLocked(true);
    locked->points().at(1)->setLocked(true);
    makeFramedShape(ink, QRectF(30, 200, 40, 40));

    // Three levels of groups, the middle one with a frame, the top one turned.
    SketchShape *a = makeBox(ink, QRectF(300, 300, 30, 20));
    a->setFill(gradientBrush(SkinBrushLinear, Qt::black, Qt::gray));
    SketchShape *b = makeFramedShape(ink, QRectF(340, 310, 20, 20));
    SketchGroup *level3 = groupShapes(ink, {a, b});
    SketchShape *c = makeEllipse(ink, QRectF(280, 280, 20, 20));
    SketchGroup *level2 = groupShapes(ink, {level3, c});
    SketchShape *pose = level2->clone(false);
    const QRectF poseBox = pose->boundingRect();
    pose->translate(float(-poseBox.x()), float(-poseBox.y()));
    level2->appendFrame(pose);
    level2->setLayer(ink);
    SketchShape *d = makePath(ink, {{400, 350}, {450, 330}, {430, 400}});
    d->setFill(SkinBrush(QColor(Qt::darkYellow)));
    SketchGroup *level1 = groupShapes(ink, {level2, d});
    level1->setText("Group text");
    level1->centerRotatePoint();
    level1->setRotateAngle(0.05f);
    level1->setSelected(false);

    SketchLayer *sketch = new SketchLayer(document, "Sketch");
    sketch->setVisible(false);
    document->layers().append(sketch);
    makePath(sketch, {{5, 5}, {600, 470}}, false)->setStroke(SketchStroke(Qt::gray, 1, SketchStrokeRound));

    SketchLayer *notes = new SketchLayer(document, QString());
    notes->setLocked(true);
    document->layers().append(notes);
    SketchShape *note = makeBox(notes, QRectF(500, 400, 120, 60));
    note->setText("Note");
}

#endif // SUPPORT_DOCUMENTS_H
