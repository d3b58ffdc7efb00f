#ifndef SKINGRADIENTSLIDER_H
#define SKINGRADIENTSLIDER_H

#include "model/skinbrush.h"

#include <QColor>
#include <QList>
#include <QPolygonF>
#include <QRectF>
#include <QWidget>

class QMenu;

// The stop editor of the brush editor's gradient pages: a bar showing the
// gradient from left to right over a strip holding one pointer-shaped
// tracker per stop. Pressing a tracker selects its stop; pressing an empty
// place of the strip with the left button adds a stop there, coloured like
// its right-hand neighbour, selected and draggable in the same press.
// Inner stops move sideways by dragging, keeping the pointer's distance
// from their tip, and are deleted by dragging them below the widget or by
// the right-button menu's "Delete". The first and
// the last stop are fixed: they can be selected and recoloured, never moved
// or deleted, so a list of two or more never shrinks below two. A drag
// never reorders the list; positions are not limited by the neighbours.
//
// Geometry, W x H the widget: positions 0 to 1 cover the span S = W - 12
// pixels from x 6.5; the bar is (6.5, 0, S, H - 17), the strip
// (6.5, H - 17, S, 16). Pointer positions are worked out in floating
// point; a slider of 12 pixels or less (no span) adds and moves nothing.
//
// A stop list set from outside may be empty or the selected index past its
// end: then only the bar is painted, no tracker is hit, selectedColor() is
// transparent and the setters do nothing.
//
// Signals: the valued one first. selectedTrackerChanged on every press
// that selects or adds; selectedTrackerMoving at every drag step and
// selectedTrackerMoved at the release that ends a drag; selectedTrackerClicked
// at a left release over the strip that did not drag; selectedTrackerDeleted
// after a deletion. Receivers read gradient() after each.
//
// Owns its brush (only its stops are edited) and its context menu.
class SkinGradientSlider : public QWidget
{
    Q_OBJECT

public:
    // Two white stops at 0 and 1, the first selected.
    explicit SkinGradientSlider(QWidget *parent = nullptr);

    // --- Stops ----------------------------------------------------------------

    SkinGradient &gradient() { return m_brush.stops(); }
    const SkinGradient &gradient() const { return m_brush.stops(); }
    // Replaces the stops with a copy and selects stop 0; emits nothing and
    // does not repaint.
    void setGradient(SkinGradient gradient);

    int selectedIndex() const { return m_selectedIndex; }
    // Transparent without a valid selection.
    QColor selectedColor() const;
    // 0 without a valid selection.
    float selectedPosition() const;
    // For an inner stop only: its position, clamped to [0, 1].
    void setSelectedPosition(float position);

    bool isAddEnabled() const { return m_addEnabled; }
    void setAddEnabled(bool enabled) { m_addEnabled = enabled; }

    // --- Geometry -------------------------------------------------------------

    QRectF gradientRect() const;
    QRectF trackerRect() const;
    // x / S, clamped to [0, 1]; 0 without a span.
    float positionAt(int x) const;
    // The pentagon of tracker `index`, its tip on the bar's bottom edge.
    QPolygonF trackerPolygon(int index) const;
    QList<QPolygonF> trackerPolygons() const;
    // Inner trackers first (lowest index wins), then the first, then the
    // last; -1 when none holds the point.
    int trackerAt(const QPointF &point) const;

    void drawTracker(QPainter *painter, const QColor &color, const QPolygonF &polygon, bool selected,
                     bool pressed) const;
    // The add cursor over empty strip, the arrow elsewhere.
    void updateCursor(int x, int y);

public slots:
    // Recolours the selected stop; emits nothing.
    void setSelectedColor(const QColor &color);
    // Deletes the selected inner stop and selects its left-hand neighbour.
    void deleteSelectedTracker();

signals:
    void selectedTrackerChanged();
    void selectedTrackerChanged(const QColor &color);
    void selectedTrackerMoving();
    void selectedTrackerMoved();
    void selectedTrackerClicked();
    void selectedTrackerDeleted();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    int span() const { return width() - 12; }
    // The x of a position's tip before it is rounded to a pixel column.
    float tipPosition(float position) const;
    bool hasSelection() const { return m_selectedIndex >= 0 && m_selectedIndex < gradient().count(); }
    bool isInnerSelected() const { return m_selectedIndex > 0 && m_selectedIndex < gradient().count() - 1; }
    // Adds a stop for a left press at (px, py) on empty strip, if there is
    // a gap there; true when one was added.
    bool addTrackerAt(int px, int py);

    bool m_addEnabled = true;
    SkinBrush m_brush;
    int m_selectedIndex = 0;
    int m_pressedIndex = -1;
    bool m_pressed = false;
    bool m_moved = false;
    // From the exact (unrounded) tip of the dragged stop to the pointer.
    float m_dragOffset = 0.0f;
    QMenu *m_contextMenu = nullptr;
};

#endif // SKINGRADIENTSLIDER_H
