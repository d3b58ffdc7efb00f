#ifndef SUPPORT_CROWDEDPAGE_H
#define SUPPORT_CROWDEDPAGE_H

// A reproducible crowded page for comparing renders: shapes heaped over the
// paper and past its edges, of every kind the painting treats apart (boxes,
// ellipses, bubbles with text, open and closed paths; solid, gradient and
// picture fills; see-through, blurred and turned shapes; groups, turned
// groups and vertical text), a gradient paper and a few slices. The same
// seed gives the same page.

#include "support/documents.h"
#include "support/shapes.h"

#include "model/sketchdocument.h"
#include "model/sketchgroup.h"
#include "model/sketchlayer.h"

#include <QRandomGenerator>

namespace crowdedpage {

inline QColor randomColor(QRandomGenerator &random, int alpha = 255)
{
    return QColor(random.bounded(256), random.bounded(256), random.bounded(256), alpha);
}

inline SkinBrush randomFill(QRandomGenerator &random)
{
    switch (random.bounded(7)) {
    case 0:
        return gradientBrush(SkinBrushLinear, randomColor(random), randomColor(random));
    case 1:
        return gradientBrush(SkinBrushRadial, randomColor(random), randomColor(random));
    case 2:
        return gradientBrush(SkinBrushConical, randomColor(random), randomColor(random));
    case 3:
        return pictureBrush();
    case 4:
        return SkinBrush(randomColor(random, 90 + random.bounded(120)));
    default:
        return SkinBrush(randomColor(random));
    }
}

// Anywhere over the paper, a little past its edges too.
inline QRectF randomBox(QRandomGenerator &random, const QSize &paper)
{
    const qreal w = 6 + random.bounded(qMax(8, paper.width() / 6));
    const qreal h = 6 + random.bounded(qMax(8, paper.height() / 6));
    const qreal x = -20 + random.bounded(paper.width() + 20);
    const qreal y = -20 + random.bounded(paper.height() + 20);
    return QRectF(x, y, w, h);
}

inline SketchShape *randomShape(SketchLayer *layer, QRandomGenerator &random, const QSize &paper)
{
    const QRectF r = randomBox(random, paper);
    switch (random.bounded(5)) {
    case 0:
        return makeEllipse(layer, r);
    case 1: {
        SketchShape *bubble = makeBubble(layer, r, 4, QPointF(r.center().x(), r.bottom() + 12));
        bubble->setText(QStringLiteral("Look out!"));
        return bubble;
    }
    case 2:
        return makePath(layer, {r.topLeft(), r.center(), r.topRight(), r.bottomRight()}, random.bounded(2) == 0,
                        random.bounded(2) == 0);
    default:
        return makeBox(layer, r);
    }
}

inline void dress(SketchShape *shape, QRandomGenerator &random)
{
    shape->setFill(randomFill(random));
    shape->setStroke(SketchStroke(randomColor(random), 1 + random.bounded(4),
                                  random.bounded(3) == 0 ? SketchStrokeSquare : SketchStrokeRound));
    if (random.bounded(6) == 0)
        shape->setOpacity(0.3f + 0.1f * random.bounded(6));
    if (random.bounded(8) == 0) {
        shape->centerRotatePoint();
        shape->setRotateAngle(0.02f + 0.9f * float(random.generateDouble()));
    }
    if (random.bounded(40) == 0)
        shape->setBlur(1 + random.bounded(3));
    if (random.bounded(7) == 0 && shape->isClosed()) {
        shape->setText(QStringLiteral("Crowd\ntext"));
        shape->setAlign(random.bounded(4));
    }
}

// count shapes on the first layer, every tenth one group of three.
inline void fill(SketchDocument *document, const QSize &paper, int count, quint32 seed)
{
    QRandomGenerator random(seed);
    document->setPaperSize(paper);
    document->setPaperColor(gradientBrush(SkinBrushLinear, QColor("#fdf6e3"), QColor("#d8d2c0")));
    SketchLayer *layer = document->layers().first();
    for (int i = 0; i < count; ++i) {
        if (i % 10 == 9) {
            QList<SketchShape *> members;
            for (int k = 0; k < 3; ++k) {
                members.append(randomShape(layer, random, paper));
                dress(members.last(), random);
            }
            SketchGroup *group = groupShapes(layer, members);
            group->setSelected(false);
            if (random.bounded(2) == 0) {
                group->centerRotatePoint();
                group->setRotateAngle(0.1f);
            }
            continue;
        }
        dress(randomShape(layer, random, paper), random);
    }
    addSlice(document, QRect(0, 0, paper.width() / 2, paper.height() / 3));
    addSlice(document, QRect(paper.width() / 3, paper.height() / 2, paper.width() / 2, paper.height() / 3));
    document->updateSliceGrid();
}

} // namespace crowdedpage

#endif // SUPPORT_CROWDEDPAGE_H
