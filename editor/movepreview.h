#ifndef MOVEPREVIEW_H
#define MOVEPREVIEW_H

#include <QImage>
#include <QList>
#include <QPointF>
#include <QPointer>
#include <QRect>
#include <QSize>

class QPainter;
class SketchCommand;
class SketchDocumentView;
class SketchShape;

// Pictures of a document view taken as a drag of whole shapes begins: what
// lies under the moving shapes, the moving shapes alone, and what lies over
// them. The view is then painted from the three, the moving shapes shifted
// by how far they have gone, at the cost of three copies however many
// shapes the page holds.
//
// Shapes that do not move but lie between the lowest and the highest moving
// shape go into the picture under them: while the drag lasts, the moving
// shapes show above those. A selection that is one run of the stacking
// order, a single shape above all, shows exactly as it will be.
//
// The picture of the moving shapes covers the view as it was when it was
// painted; once the drag brings in a part of them it does not hold (they
// lay outside the view), it is painted again where they are now.
//
// Belongs to its view, which must outlive it; holds the moving shapes
// through QPointer.
class MovePreview
{
public:
    // `moving` are top-level shapes of the view's document, at the places
    // the drag starts from.
    MovePreview(SketchDocumentView *view, const QList<SketchShape *> &moving);

    // The pictures still show the view: its size, zoom, scroll and history
    // are those they were taken with, and every moving shape is still
    // there and selected.
    bool fits() const;
    // The view as it is now, within the painter's clip.
    void paint(QPainter *painter);

private:
    // What the pictures depend on besides the shapes.
    struct Setting
    {
        QSize size;
        qreal pixelRatio = 1.0;
        float zoom = 1.0f;
        int scrollX = 0;
        int scrollY = 0;
        int undoCount = 0;
        int redoCount = 0;
        const SketchCommand *lastCommand = nullptr;
        bool operator==(const Setting &other) const;
    };

    Setting currentSetting() const;
    QImage blankPicture() const;
    // Widget position of a corner of the first moving shape.
    QPointF anchor() const;
    // The moving shapes where they are now; their reach on the widget.
    void paintMovingShapes();
    QRect movingReach() const;
    // How far the moving shapes have gone since their picture was painted.
    QPoint shift() const;

    SketchDocumentView *m_view;
    QList<QPointer<SketchShape>> m_moving;
    Setting m_setting;
    QImage m_under;
    QImage m_shapes;
    QImage m_over;
    // When m_shapes was painted: the anchor, and where the moving shapes
    // could reach (widget pixels).
    QPointF m_anchorAtShapes;
    QRect m_reachAtShapes;
};

#endif // MOVEPREVIEW_H
