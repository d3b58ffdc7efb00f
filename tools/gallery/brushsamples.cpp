// The colour and brush editors: colour picker swatches and popup, the
// colour dialog, the gradient bar, the brush previews, the image swatch, the
// five-page brush editor and the brush picker with its popup.

#include "gallerysample.h"

#include "skin/controls/skinbrushcontrol.h"
#include "skin/controls/skinbrushpicker.h"
#include "skin/controls/skinbrushpreview.h"
#include "skin/controls/skincolordialog.h"
#include "skin/controls/skincolorpicker.h"
#include "skin/controls/skingradientslider.h"
#include "skin/controls/skinimagecontrol.h"
#include "skin/windows/skintabcontrol.h"

#include <QBuffer>
#include <QLinearGradient>
#include <QPainter>

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

// Shown off screen at its final size, so that it lays itself out and its
// lightness strips are built for their widths.
QWidget *onStage(QWidget *widget, QSize size)
{
    widget->setAttribute(Qt::WA_DontShowOnScreen);
    widget->resize(size);
    widget->show();
    return widget;
}

SkinGradient sampleStops()
{
    SkinGradient stops(QColor(207, 42, 39));
    stops.setLastColor(QColor(43, 120, 228));
    stops.insert(1, 0.35f, QColor(255, 217, 102));
    stops.insert(2, 0.7f, QColor(106, 168, 79));
    return stops;
}

SkinBrush samplePicture()
{
    QImage image(QSize(120, 80), QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 0, 80);
    sky.setColorAt(0, QColor(111, 168, 220));
    sky.setColorAt(1, QColor(220, 235, 250));
    painter.fillRect(image.rect(), sky);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(250, 200, 40));
    painter.drawEllipse(QPointF(90, 22), 10, 10);
    painter.setBrush(QColor(56, 118, 29));
    painter.drawPolygon(QPolygon({QPoint(0, 80), QPoint(0, 55), QPoint(40, 35), QPoint(75, 58), QPoint(120, 45),
                                  QPoint(120, 80)}));
    painter.end();
    SkinBrush brush(SkinBrushImage);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    brush.setImageData(buffer.data());
    return brush;
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

QWidget *gradientSliders()
{
    QWidget *host = panel();
    auto *plain = new SkinGradientSlider(host);
    plain->setGeometry(4, 4, 182, 40);
    auto *edited = new SkinGradientSlider(host);
    edited->setGeometry(4, 48, 182, 40);
    edited->setGradient(sampleStops());
    // The third stop held down.
    click(edited, QPoint(int(170 * 0.7f + 6.5f), 32), Qt::LeftButton, false);
    return onStage(host, QSize(190, 92));
}

QWidget *brushPreviews()
{
    QWidget *host = panel();
    for (int type = SkinBrushLinear; type <= SkinBrushConical; ++type) {
        auto *preview = new SkinBrushPreview(host);
        preview->setGeometry(4 + (type - 1) * 186, 4, 182, 78);
        preview->setPreviewType(type);
        SkinBrush brush(type, sampleStops());
        brush.setFrom(QPointF(0.1, 0.8));
        brush.setTo(QPointF(0.85, 0.2));
        brush.setCenter(QPointF(0.4, 0.45));
        preview->setSelectedBrush(brush);
    }
    return onStage(host, QSize(566, 86));
}

QWidget *imageControls()
{
    QWidget *host = panel();
    auto *picture = new SkinImageControl(host);
    picture->setGeometry(4, 4, 178, 119);
    picture->setSelectedBrush(samplePicture());
    auto *empty = new SkinImageControl(host);
    empty->setGeometry(186, 4, 178, 119);
    // Held down: the dotted frame.
    click(empty, QPoint(20, 20), Qt::MiddleButton, false);
    return onStage(host, QSize(368, 127));
}

// The design panel's fill editor on the page of the brush's type.
QWidget *brushControl(const SkinBrush &brush, bool entryMode)
{
    auto *control = new SkinBrushControl;
    control->setContextButtonVisible(true);
    control->setSelectedBrush(brush);
    onStage(control, QSize(188, 148));
    if (entryMode) {
        QWidget *solid = control->tabControl()->pages().at(0);
        solid->findChildren<QPushButton *>().at(1)->click();
        solid->findChild<QLineEdit *>()->setText(QStringLiteral("12,34"));
        solid->findChildren<QPushButton *>().at(0)->click();
    }
    return control;
}

QWidget *brushPickers()
{
    QWidget *host = panel();
    SkinBrush radial(SkinBrushRadial, sampleStops());
    const SkinBrush brushes[] = {SkinBrush::blackBrush(), SkinBrush(QColor(207, 42, 39)),
                                 SkinBrush(SkinBrushLinear, sampleStops()), radial, SkinBrush(),
                                 SkinBrush(QColor(43, 120, 228))};
    int x = 4;
    SkinBrushPicker *last = nullptr;
    for (const SkinBrush &brush : brushes) {
        last = new SkinBrushPicker(host);
        last->setGeometry(x, 4, 49, 16);
        last->setSelectedBrush(brush);
        x += 53;
    }
    click(last, QPoint(2, 2), Qt::RightButton, false);
    return host;
}

// The stroke picker's popup: 188 x 180, no image page, the palette menu on.
QWidget *brushPopup()
{
    SkinBrushPicker picker;
    picker.setPopupRect(QRect(-67, 0, 188, 180));
    picker.brushControl()->setContextButtonVisible(true);
    picker.brushControl()->setImageBrushEnabled(false);
    picker.setSelectedBrush(SkinBrush(SkinBrushLinear, sampleStops()));
    click(&picker, QPoint(2, 2), Qt::LeftButton);
    return takePopup(&picker);
}

std::vector<GallerySample> brushSamples()
{
    SkinBrush radial(SkinBrushRadial, sampleStops());
    radial.setCenter(QPointF(0.35, 0.4));
    SkinBrush conical(SkinBrushConical, sampleStops());
    return {
        {QStringLiteral("gradient-slider"), QSize(190, 92), gradientSliders},
        {QStringLiteral("brush-preview"), QSize(566, 86), brushPreviews},
        {QStringLiteral("image-control"), QSize(368, 127), imageControls},
        {QStringLiteral("brush-control-solid"), QSize(188, 148),
         [] { return brushControl(SkinBrush(QColor(43, 120, 228)), false); }},
        {QStringLiteral("brush-control-rgb"), QSize(188, 148),
         [] { return brushControl(SkinBrush(QColor(43, 120, 228)), true); }},
        {QStringLiteral("brush-control-linear"), QSize(188, 148),
         [] { return brushControl(SkinBrush(SkinBrushLinear, sampleStops()), false); }},
        {QStringLiteral("brush-control-radial"), QSize(188, 148), [radial] { return brushControl(radial, false); }},
        {QStringLiteral("brush-control-conical"), QSize(188, 148),
         [conical] { return brushControl(conical, false); }},
        {QStringLiteral("brush-control-image"), QSize(188, 148), [] { return brushControl(samplePicture(), false); }},
        {QStringLiteral("brush-picker"), QSize(326, 24), brushPickers},
        {QStringLiteral("brush-picker-popup"), QSize(188, 180), brushPopup},
        {QStringLiteral("color-picker"), QSize(268, 28), colorPickers},
        {QStringLiteral("color-picker-popup"), QSize(170, 150), [] { return colorPopup(false); }},
        {QStringLiteral("color-picker-popup-rgb"), QSize(170, 150), [] { return colorPopup(true); }},
        {QStringLiteral("color-dialog"), QSize(200, 185), colorDialog},
    };
}

const GallerySetRegistration registration(brushSamples);

} // namespace
