#ifndef SKETCHTOOLZOOM_H
#define SKETCHTOOLZOOM_H

#include "editor/sketchtool.h"

// Zooms the view one step in or out about the clicked point, keeping the
// paper point under the pointer in place as far as scrolling allows; a
// right-button release returns to the select tool. The view's Ctrl+wheel
// uses the same step. While the document has hand-drawn slices it shows
// them as the slice tool does. Changes neither the document nor the undo
// history.
class SketchToolZoom : public SketchTool
{
    Q_OBJECT

public:
    SketchToolZoom(SketchView *view, bool zoomIn);

    bool isZoomIn() const { return m_zoomIn; }

    // One step about a point in widget pixels: in, +1 from zoom 1 up and +0.2
    // below; out, -1 above zoom 1 and -0.2 from 1 down.
    void zoomStep(const QPointF &point);
    // Sets the zoom and scrolls so that the paper point under point stays
    // there; a zoom the view had to clamp leaves the offsets alone.
    void zoomAt(float zoom, const QPointF &point);

    QCursor cursor() const override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    // The slices stay visible while zooming: with hand-drawn slices, the
    // slice tool's overlay.
    void paint(QPainter *painter) override;

private:
    bool m_zoomIn;
};

#endif // SKETCHTOOLZOOM_H
