#include "skin/controls/skinswatch.h"

#include "model/imagehelpers.h"
#include "model/xmlattributes.h"
#include "skin/controls/skincolorslider.h"
#include "skin/windows/skinpainting.h"
#include "skin/windows/skintheme.h"

#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

const char *const invalidColorEntryStyle = "background:rgb(250,50,50); color: black;";

void paintSkinSwatchFrame(QWidget *swatch, QPainter &painter, bool pressed)
{
    drawSkinStyledBackground(swatch, painter);
    if (!pressed)
        return;
    const QRect frame(0, 0, swatch->width() - 1, swatch->height() - 1);
    painter.fillRect(frame, skinButtonPressedTopColor);
    painter.setPen(skinButtonPressedBorderColor);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame);
}

void paintNoColorMark(QPainter &painter, const QRect &field, const QPoint &from, const QPoint &to)
{
    painter.fillRect(field, Qt::white);
    painter.setPen(QPen(Qt::red, 2, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    painter.drawLine(from, to);
}

void toggleColorEntry(SkinColorSlider *slider, QLineEdit *entry)
{
    if (entry->isHidden()) {
        entry->setText(colorToHexText(slider->selectedColor()));
        slider->hide();
        entry->show();
        entry->setFocus(Qt::OtherFocusReason);
    } else {
        slider->show();
        entry->hide();
    }
}

ColorPickOutcome pressColorPickButton(SkinColorSlider *slider, QLineEdit *entry)
{
    if (slider->isVisible())
        return ColorPickOutcome::PickFromPage;
    if (!entry->isVisible())
        return ColorPickOutcome::Nothing;
    bool ok = false;
    const QColor color = parseColorText(entry->text(), &ok);
    if (!ok) {
        entry->setStyleSheet(QStringLiteral("QLineEdit{%1}").arg(QLatin1String(invalidColorEntryStyle)));
        return ColorPickOutcome::Nothing;
    }
    slider->show();
    entry->hide();
    entry->setStyleSheet(QString());
    slider->setSelectedColor(color);
    return ColorPickOutcome::EntryConfirmed;
}

void setColorEntryButtonIcons(QPushButton *pickButton, QPushButton *rgbButton, bool entryOpen)
{
    if (entryOpen) {
        pickButton->setIcon(skinTintedIcon(QStringLiteral(":/widgets/images/Accept.png")));
        rgbButton->setIcon(skinTintedIcon(QStringLiteral(":/widgets/images/Cancel.png")));
    } else {
        pickButton->setIcon(QIcon(QStringLiteral(":/tools/images/ColorPicker.png")));
        rgbButton->setIcon(QIcon(QStringLiteral(":/widgets/images/RGB.png")));
    }
}
