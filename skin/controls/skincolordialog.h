#ifndef SKINCOLORDIALOG_H
#define SKINCOLORDIALOG_H

#include "skin/windows/skindialog.h"

#include <QColor>

class QPushButton;
class SkinColorSlider;
class SkinColorTable;

// The modal colour choice: a fixed 200 x 185 skinned dialog with the colour
// table above the lightness slider, and "OK" and "Cancel". A click in the
// table hands its colour to the slider; a double-click only selects. "OK"
// ends the dialog with 1 and takes the slider's colour, emitting
// selectedColorChanged(QColor) then selectedColorChanged(); "Cancel" and
// the caption's close button only close it (result 2).
//
// Ownership: the table, the slider and the buttons are children of the
// central widget.
class SkinColorDialog : public SkinDialog
{
    Q_OBJECT

public:
    // White.
    explicit SkinColorDialog(QWidget *parent = nullptr);

    QColor selectedColor() const { return m_color; }

public slots:
    // The table selects the colour (if it holds it) and the slider takes it.
    void setSelectedColor(const QColor &color);
    // "OK": done(1), then the slider's colour is taken and reported.
    void onSelectedColorChanged();

signals:
    void selectedColorChanged();
    void selectedColorChanged(const QColor &color);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QColor m_color = QColor(255, 255, 255);
    SkinColorTable *m_colorTable = nullptr;
    SkinColorSlider *m_colorSlider = nullptr;
    QPushButton *m_okButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
};

#endif // SKINCOLORDIALOG_H
