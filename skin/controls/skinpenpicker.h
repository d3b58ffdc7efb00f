#ifndef SKINPENPICKER_H
#define SKINPENPICKER_H

#include <QPen>
#include <QRect>
#include <QWidget>

class QPushButton;
class SkinPenTable;

// The stroke-width chooser: a swatch that shows the current pen's width as
// a black dot (round cap) or square (any other cap), at most 7 pixels
// across, and opens a popup of sample pens with "OK" and "Cancel" when it is
// clicked with the left button.
//
// "OK" or a double-click in the popup's table takes the table's pen and
// emits selectedPenChanged(), selectedPenChanged(QPen), then
// selectedPenWidthChanged("Npx"), in that order. When the pen shown matches
// no sample (wider than 12, a flat cap) and the user picks none, "OK" only
// closes the popup: the pen stays and nothing is emitted. "Cancel", a click
// outside the popup and a single click in the table take nothing.
//
// Ownership: the popup (a Qt::Popup window named "popupWindow") with its
// table and buttons is a Qt child of the picker; it lives as long as the
// picker and is only shown and closed.
class SkinPenPicker : public QWidget
{
    Q_OBJECT

public:
    // A default pen with a round cap; a 150 x 150 popup.
    explicit SkinPenPicker(QWidget *parent = nullptr);

    QPen selectedPen() const { return m_pen; }

    // The popup's geometry relative to the swatch's bottom-left pixel.
    QRect popupRect() const { return m_popupRect; }
    void setPopupRect(const QRect &rect) { m_popupRect = rect; }

public slots:
    // Shows the pen; emits nothing.
    void setSelectedPen(const QPen &pen);
    // Takes the table's selected pen and reports it (see above).
    void onSelectedPenChanged();

signals:
    void selectedPenChanged();
    void selectedPenChanged(const QPen &pen);
    void selectedPenWidthChanged(const QString &text);

protected:
    // Any button shows the pressed look.
    void mousePressEvent(QMouseEvent *event) override;
    // The left button opens the popup on the current pen.
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void openPopup();
    void paintMark(QPainter *painter) const;

    bool m_pressed = false;
    QPen m_pen;
    QRect m_popupRect = QRect(0, 0, 150, 150);
    QWidget *m_popupWindow = nullptr;
    SkinPenTable *m_penTable = nullptr;
    QPushButton *m_okButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
};

#endif // SKINPENPICKER_H
