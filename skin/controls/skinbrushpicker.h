#ifndef SKINBRUSHPICKER_H
#define SKINBRUSHPICKER_H

#include "model/skinbrush.h"

#include <QRect>
#include <QWidget>

class QPushButton;
class SkinBrushControl;
class SkinColorPicker;

// A swatch button showing one brush (a transparent brush as a white field
// with a red diagonal). A left click opens a popup under it holding a brush
// editor and "OK" / "Cancel". The picker takes the editor's brush only when
// the user confirms it: "OK", or the editor's accepted pair (a
// double-clicked swatch, a chosen or cleared image); it then emits
// selectedBrushChanged() and selectedBrushChanged(SkinBrush), in that
// order. Drags and edits inside the popup are not passed on; "Cancel" and a
// click outside take nothing, and the next opening shows the picker's brush
// again. The editor's requests to pick a colour from the page are passed on
// with the same argument.
//
// Ownership: the popup (a Qt::Popup window named "popupWindow") with the
// editor and the buttons is a Qt child of the picker.
class SkinBrushPicker : public QWidget
{
    Q_OBJECT

public:
    // A transparent solid brush; a 150 x 150 popup.
    explicit SkinBrushPicker(QWidget *parent = nullptr);

    SkinBrushControl *brushControl() const { return m_brushControl; }
    SkinBrush selectedBrush() const { return m_pickerBrush; }

    // The popup's geometry relative to the swatch's bottom-left pixel; a
    // negative left edge opens it to the left of the swatch.
    QRect popupRect() const { return m_popupRect; }
    void setPopupRect(const QRect &rect) { m_popupRect = rect; }

    // Closes the popup; what QWidget::close() returns.
    bool closePopup();

public slots:
    // Shows the brush; emits nothing. The editor takes it at the next
    // opening.
    void setSelectedBrush(const SkinBrush &brush);
    // Takes the editor's brush and reports it.
    void onSelectedBrushChanged();
    void onColorPicking();
    void onGradientColorPicking(SkinColorPicker *picker);

signals:
    void selectedBrushChanged();
    void selectedBrushChanged(const SkinBrush &brush);
    void colorPicking();
    void gradientColorPicking(SkinColorPicker *picker);

protected:
    // Any button shows the pressed look until its release.
    void mousePressEvent(QMouseEvent *event) override;
    // The left button opens the popup on the picker's brush.
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void openPopup();

    bool m_pressed = false;
    SkinBrush m_pickerBrush;
    SkinBrushControl *m_brushControl = nullptr;
    QRect m_popupRect = QRect(0, 0, 150, 150);
    QWidget *m_popupWindow = nullptr;
    QPushButton *m_okButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
};

#endif // SKINBRUSHPICKER_H
