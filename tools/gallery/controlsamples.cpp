// The small skinned controls: colour table and slider, slider, button group,
// pen table, pen picker and its popup.

#include "gallerysample.h"

#include "skin/controls/skinbuttongroup.h"
#include "skin/controls/skincolorslider.h"
#include "skin/controls/skincolortable.h"
#include "skin/controls/skinpenpicker.h"
#include "skin/controls/skinpentable.h"
#include "skin/controls/skinslider.h"

#include <QApplication>
#include <QLabel>
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

void sendMouse(QWidget *widget, QEvent::Type type, Qt::MouseButton button)
{
    const QPoint pos(2, 2);
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), button,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button), Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

QWidget *colorTable(int palette, const QColor &selected)
{
    QWidget *host = panel();
    auto *table = new SkinColorTable(host);
    table->setGeometry(4, 4, 161, 141);
    table->setPalette(palette);
    table->setSelectedColor(selected);
    auto *slider = new SkinColorSlider(host);
    slider->setGeometry(4, 150, 161, 13);
    slider->setSelectedColor(selected);
    return host;
}

QWidget *colorSliders()
{
    QWidget *host = panel();
    const QColor colors[] = {QColor(43, 120, 228), QColor(255, 255, 255), QColor(0, 0, 0, 0)};
    int y = 4;
    for (const QColor &color : colors) {
        auto *slider = new SkinColorSlider(host);
        slider->setGeometry(4, y, 161, 13);
        slider->setSelectedColor(color);
        y += 19;
    }
    return host;
}

QWidget *slider()
{
    QWidget *host = panel();
    auto *label = new QLabel(QStringLiteral("Opacity:"), host);
    label->setGeometry(4, 4, 56, 20);
    auto *slider = new SkinSlider(host);
    slider->setOrientation(Qt::Horizontal);
    slider->setRange(0, 100);
    slider->setValue(35);
    slider->setSuffix(QStringLiteral("%"));
    slider->setGeometry(60, 4, 110, 20);
    auto *value = new QLabel(host);
    value->setGeometry(176, 4, 40, 20);
    QObject::connect(slider, &SkinSlider::valueSuffixChanged, value, &QLabel::setText);
    slider->updateValueText();
    return host;
}

QWidget *buttonGroups()
{
    QWidget *host = panel();
    auto *align = new SkinButtonGroup(host);
    align->move(4, 4);
    for (const char *text : {"L", "C", "R"})
        align->addButton(QIcon(), QString::fromLatin1(text), QString());
    align->setSelectedIndex(1);
    auto *style = new SkinButtonGroup(host);
    style->setMultiCheck(true);
    style->move(4, 28);
    for (const char *text : {"B", "I", "U", "S"})
        style->addButton(QIcon(), QString::fromLatin1(text), QString());
    style->buttons().at(0)->setChecked(true);
    style->buttons().at(2)->setChecked(true);
    return host;
}

QWidget *penTable()
{
    QWidget *host = panel();
    auto *table = new SkinPenTable(host);
    table->setGeometry(4, 4, 142, 118);
    QPen pen;
    pen.setWidth(4);
    pen.setCapStyle(Qt::RoundCap);
    table->setSelectedPen(pen);
    return host;
}

QWidget *penPickers()
{
    QWidget *host = panel();
    const struct {
        int width;
        Qt::PenCapStyle cap;
    } pens[] = {{1, Qt::RoundCap}, {3, Qt::RoundCap}, {5, Qt::RoundCap}, {5, Qt::SquareCap}, {20, Qt::RoundCap},
                {20, Qt::FlatCap}};
    int x = 4;
    for (const auto &sample : pens) {
        auto *picker = new SkinPenPicker(host);
        picker->setGeometry(x, 4, 40, 22);
        QPen pen;
        pen.setWidth(sample.width);
        pen.setCapStyle(sample.cap);
        picker->setSelectedPen(pen);
        x += 44;
    }
    // The last one held down.
    sendMouse(host->findChildren<SkinPenPicker *>().last(), QEvent::MouseButtonPress, Qt::RightButton);
    return host;
}

// The popup as the picker lays it out, taken out of its picker for the picture.
QWidget *penPopup()
{
    SkinPenPicker picker;
    QPen pen;
    pen.setWidth(6);
    pen.setCapStyle(Qt::SquareCap);
    picker.setSelectedPen(pen);
    sendMouse(&picker, QEvent::MouseButtonRelease, Qt::LeftButton);
    auto *popup = picker.findChild<QWidget *>(QStringLiteral("popupWindow"));
    popup->hide();
    popup->setParent(nullptr);
    return popup;
}

std::vector<GallerySample> controlSamples()
{
    return {
        {QStringLiteral("color-table-general"), QSize(169, 167), [] { return colorTable(0, QColor(43, 120, 228)); }},
        {QStringLiteral("color-table-human"), QSize(169, 167), [] { return colorTable(1, QColor(215, 171, 124)); }},
        {QStringLiteral("color-table-nature"), QSize(169, 167), [] { return colorTable(2, QColor(0, 0, 0, 0)); }},
        {QStringLiteral("color-slider"), QSize(169, 61), colorSliders},
        {QStringLiteral("slider"), QSize(220, 28), slider},
        {QStringLiteral("button-group"), QSize(85, 50), buttonGroups},
        {QStringLiteral("pen-table"), QSize(150, 126), penTable},
        {QStringLiteral("pen-picker"), QSize(268, 30), penPickers},
        {QStringLiteral("pen-picker-popup"), QSize(150, 150), penPopup},
    };
}

const GallerySetRegistration registration(controlSamples);

} // namespace
