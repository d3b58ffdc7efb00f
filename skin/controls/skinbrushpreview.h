#ifndef SKINBRUSHPREVIEW_H
#define SKINBRUSHPREVIEW_H

#include "model/skinbrush.h"

#include <QPointF>
#include <QRectF>
#include <QWidget>

// The swatch of the brush editor's gradient pages: paints a brush into the
// inset rectangle R = (6, 6, W - 12, H - 12) and lets the user drag its
// geometry points with the left button: from and to of a linear gradient
// (shown as an arrow with a handle at each end), the centre of a radial or
// conical one (one handle). The brush keeps the points in unit coordinates
// across R; a pointer outside R is clamped to its edges, so the points stay
// in [0, 1]. The grabbed point jumps to the pointer.
//
// A press grabs the first handle whose 9 x 9 box holds it: from, then to,
// then (radial and conical only) the centre, so the invisible from and to
// points of a radial brush win over its centre. During a drag every move
// away from the press point emits the changing pair with the brush; the
// release emits the changed pair when a handle was grabbed and the pointer
// ended elsewhere. Both pairs carry the value first.
//
// R without area (a preview of 12 pixels or less) has no handles: nothing
// is drawn or hit. With from and to at one point the arrow has no head.
//
// The preview type (1 linear, 2 radial, 3 conical) is forced onto every
// brush and gradient set; only the three points change by the mouse. Owns
// its brush by value.
class SkinBrushPreview : public QWidget
{
    Q_OBJECT

public:
    enum Handle : int { NoHandle = -1, CenterHandle = 0, FromHandle = 1, ToHandle = 2 };

    // A transparent solid brush, type 0 until setPreviewType.
    explicit SkinBrushPreview(QWidget *parent = nullptr);

    SkinBrush &brush() { return m_brush; }
    const SkinBrush &brush() const { return m_brush; }
    int previewType() const { return m_previewType; }
    void setPreviewType(int type) { m_previewType = type; }
    // The grabbed point during a press, else NoHandle.
    int handle() const { return m_handle; }

    QRectF previewRect() const;
    // The 9 x 9 box of a handle at a pixel point.
    QRectF handleRect(const QPointF &point) const;
    // Writes the pixel point, as a unit point of R, into the grabbed point.
    void moveHandleTo(const QPointF &point);

public slots:
    // Every field of the brush, then the preview's own type; repaints.
    void setSelectedBrush(const SkinBrush &brush);
    // The preview's type with these stops; repaints.
    void setSelectedGradient(const SkinGradient &gradient);
    // Emit the valued signal with a copy, then the plain one.
    void onSelectedBrushChanged(const SkinBrush &brush);
    void onSelectedBrushChanging(const SkinBrush &brush);

signals:
    void selectedBrushChanged();
    void selectedBrushChanged(const SkinBrush &brush);
    void selectedBrushChanging();
    void selectedBrushChanging(const SkinBrush &brush);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool hasPoints() const { return m_previewType >= 1 && m_previewType <= 3; }
    bool awayFromPress(const QPointF &point) const;
    void paintArrow(QPainter &painter, const QPointF &from, const QPointF &to) const;
    void paintHandle(QPainter &painter, const QPointF &point) const;

    SkinBrush m_brush;
    int m_previewType = 0;
    bool m_pressed = false;
    QPointF m_pressPos;
    int m_handle = NoHandle;
};

#endif // SKINBRUSHPREVIEW_H
