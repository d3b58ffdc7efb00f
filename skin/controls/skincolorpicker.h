#ifndef SKINCOLORPICKER_H
#define SKINCOLORPICKER_H

#include <QColor>
#include <QRect>
#include <QWidget>

class QLineEdit;
class QPushButton;
class SkinBrushControl;
class SkinColorSlider;
class SkinColorTable;

// A swatch button showing one colour. A left click opens a popup under it
// with a colour table, a lightness slider, a pick button, an RGB button and
// "OK" / "Cancel". Only a commit changes the picker's colour: "OK", or a
// double-click in the table; each commit emits selectedColorChanged(QColor)
// then selectedColorChanged(), even when the colour stays the same.
// "Cancel" and a click outside the popup take nothing; dragging the slider
// changes only the slider until "OK".
//
// The popup's bottom row has two modes. In slider mode the slider shows,
// the pick button asks the owner to pick a colour from the page
// (colorPicking(); the popup stays open until the owner closes it) and the
// RGB button opens the RGB entry in the slider's place. In entry mode the
// pick button accepts the typed text into the slider (a text that is not a
// colour turns the entry red and keeps the mode) and the RGB button returns
// to slider mode. The popup keeps its mode, its entry text and the entry's
// red look between openings; the red look goes only when a valid text is
// accepted.
//
// A commit reads the entry while it is on screen and the slider otherwise:
// an owner that picked a colour elsewhere calls setSelectedColor() and then
// onSelectedColorChanged() with the popup closed, which commits that colour.
// A commit from a text that is not a colour changes nothing and emits
// nothing.
//
// Ownership: the popup (a Qt::Popup window named "popupWindow") and its
// contents are Qt children of the picker and live as long as it does. The
// brush control is the editor the picker serves in, not owned.
class SkinColorPicker : public QWidget
{
    Q_OBJECT

public:
    // White, a 170 x 150 popup, slider mode.
    explicit SkinColorPicker(QWidget *parent = nullptr);

    QColor selectedColor() const { return m_color; }

    // The popup's geometry relative to the swatch's bottom-left pixel; a
    // negative left edge opens it to the left of the swatch.
    QRect popupRect() const { return m_popupRect; }
    void setPopupRect(const QRect &rect) { m_popupRect = rect; }

    // The brush editor whose gradient page holds this picker, or null.
    SkinBrushControl *brushControl() const { return m_brushControl; }
    void setBrushControl(SkinBrushControl *control) { m_brushControl = control; }

    // Closes the popup; what QWidget::close() returns.
    bool closePopup();

    // The pick and RGB buttons' icons and tool tips for the present mode;
    // the entry-mode icons are tinted in the current theme.
    void updateButtons();

public slots:
    // Shows the colour and hands it to the slider and the entry (as
    // "#RRGGBB"); emits nothing. The table follows at the next opening.
    void setSelectedColor(const QColor &color);
    // Opens the popup on the current colour, laid out for its rectangle.
    void showPopup();
    // Commits the entry's colour while the entry is on screen, else the
    // slider's (see above).
    void onSelectedColorChanged();
    // The pick button: colorPicking() in slider mode, accepting the typed
    // text in entry mode.
    void onColorPicking();
    // The RGB button: opens the entry on the slider's colour, or abandons it.
    void rgbColorButtonClicked();
    // A swatch was clicked: the entry shows the slider's new colour.
    void colorTableSelectedColorChanged();

signals:
    void selectedColorChanged();
    void selectedColorChanged(const QColor &color);
    void colorPicking();

protected:
    // Any button shows the pressed look.
    void mousePressEvent(QMouseEvent *event) override;
    // The left button opens the popup; other buttons leave the pressed look.
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void layoutPopup();

    bool m_pressed = false;
    QColor m_color = QColor(255, 255, 255);
    QRect m_popupRect = QRect(0, 0, 170, 150);
    QWidget *m_popupWindow = nullptr;
    SkinColorTable *m_colorTable = nullptr;
    SkinColorSlider *m_colorSlider = nullptr;
    QPushButton *m_okButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QPushButton *m_pickColorButton = nullptr;
    QPushButton *m_rgbColorButton = nullptr;
    QLineEdit *m_rgbColorEdit = nullptr;
    SkinBrushControl *m_brushControl = nullptr;
};

#endif // SKINCOLORPICKER_H
