// The colour and brush editors: colour picker swatches and popup, the
// colour dialog, the gradient bar, the brush previews, the image swatch, the
// five-page brush editor and the brush picker with its popup.

#include "gallerysample.h"

#include "skin/controls/skincolordialog.h"
#include "skin/controls/skincolorpicker.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

namespace {

// A panel-coloured host, as the controls sit in the design panel.
QWidget *panel()
{
    auto *host = new QWidget;
    host->setObjectName(QStringLiteral("popupWindow"));
    return host;
}

void click(QWidget *widget, const QPoint &pos, Qt::MouseButton button, bool release = true)
{
    QMouseEvent press(QEvent::MouseButtonPress, pos, widget->mapToGlobal(pos), button, button, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    if (!release)
        return;
    QMouseEvent up(QEvent::MouseButtonRelease, pos, widget->mapToGlobal(pos), button, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &up);
}

// A popup window as its owner lays it out, taken out of the owner for the
// picture (it loses its popup flag and becomes a plain window).
QWidget *takePopup(QWidget *owner)
{
    auto *popup = owner->findChild<QWidget *>(QStringLiteral("popupWindow"));
    popup->hide();
    popup->setParent(nullptr);
    return popup;
}

QWidget *colorPickers()
{
    QWidget *host = panel();
    const QColor colors[] = {QColor(207, 42, 39), QColor(43, 120, 228), QColor(255, 255, 255),
                             QColor(0, 158, 15, 110), QColor(0, 0, 0, 0), QColor(0, 0, 0, 0)};
    int x = 4;
    SkinColorPicker *last = nullptr;
    for (const QColor &color : colors) {
        last = new SkinColorPicker(host);
        last->setGeometry(x, 4, 40, 20);
        last->setSelectedColor(color);
        x += 44;
    }
    // The last one held down.
    click(last, QPoint(2, 2), Qt::RightButton, false);
    return host;
}

QWidget *colorPopup(bool entryMode)
{
    SkinColorPicker picker;
    picker.setSelectedColor(QColor(0xff, 0x99, 0x00));
    click(&picker, QPoint(2, 2), Qt::LeftButton);
    if (entryMode) {
        const QList<QPushButton *> buttons = picker.findChildren<QPushButton *>();
        buttons.at(3)->click();
        picker.findChild<QLineEdit *>()->setText(QStringLiteral("#FF99"));
        buttons.at(2)->click();
    }
    return takePopup(&picker);
}

QWidget *colorDialog()
{
    auto *dialog = new SkinColorDialog;
    dialog->setAttribute(Qt::WA_DontShowOnScreen);
    dialog->setWindowTitle(QStringLiteral("Color"));
    dialog->setSelectedColor(QColor(0x6f, 0xa8, 0xdc));
    dialog->show();
    return dialog;
}

std::vector<GallerySample> brushSamples()
{
    return {
        {QStringLiteral("color-picker"), QSize(268, 28), colorPickers},
        {QStringLiteral("color-picker-popup"), QSize(170, 150), [] { return colorPopup(false); }},
        {QStringLiteral("color-picker-popup-rgb"), QSize(170, 150), [] { return colorPopup(true); }},
        {QStringLiteral("color-dialog"), QSize(200, 185), colorDialog},
    };
}

const GallerySetRegistration registration(brushSamples);

} // namespace
