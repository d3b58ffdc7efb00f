#ifndef SKINCOLORSLIDER_H
#define SKINCOLORSLIDER_H

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QVector>
#include <QWidget>

// A horizontal strip showing every lightness of the current colour's hue and
// saturation, black at the left edge and white at the right, with a round
// cursor the user drags to a lighter or darker shade. A left-button drag
// emits selectedColorChanging() at the press and at every move and
// selectedColorChanged() at the release; receivers read selectedColor().
//
// The strip is built by updateSamples() from the colour and the size at
// that moment: one sample per pixel column x = 0 to width, so width + 1 of
// them. Setting a colour and showing the widget rebuild it, a resize alone
// does not. A strip of width 0 (not laid out yet) has no samples and no
// cursor.
//
// The slider is disabled while its colour is fully transparent; it then
// shows the ramp without a cursor. Every colour taken from the strip is
// opaque. The slider owns its samples by value.
class SkinColorSlider : public QWidget
{
    Q_OBJECT

public:
    // Transparent black, hence disabled, no cursor, no samples yet.
    explicit SkinColorSlider(QWidget *parent = nullptr);

    QColor selectedColor() const { return m_color; }

    // (-1, -1) while there is none.
    QPoint cursorPos() const { return m_cursor; }
    // The 9 x 9 square centred on the cursor.
    QRect cursorRect() const;
    const QVector<QColor> &samples() const { return m_samples; }

    // Recomputes the cursor and the samples from the colour and the size.
    void updateSamples();
    // Moves the cursor to (x, y), clamped to the widget, and takes the
    // sample under it as the colour. The strip keeps the hue and saturation
    // it was built from. Without samples nothing moves.
    void moveCursor(int x, int y);

public slots:
    // Stores the colour, rebuilds the strip, repaints, and enables the
    // slider exactly when the colour's alpha is above 0. Emits nothing.
    void setSelectedColor(const QColor &color);

signals:
    void selectedColorChanging();
    void selectedColorChanged();

protected:
    // Any button moves the cursor and emits selectedColorChanging(); only
    // the left one starts a drag.
    void mousePressEvent(QMouseEvent *event) override;
    // Any button ends the drag, moves the cursor and emits
    // selectedColorChanged().
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // The cursor stays on the vertical middle.
    void moveCursorTo(const QMouseEvent *event);

    QColor m_color = QColor(0, 0, 0, 0);
    QPoint m_cursor = QPoint(-1, -1);
    QVector<QColor> m_samples;
    bool m_pressed = false;
};

#endif // SKINCOLORSLIDER_H
