#include "skin/controls/skincolorpicker.h"

#include "model/xmlattributes.h"
#include "skin/controls/skincolorslider.h"
#include "skin/controls/skincolortable.h"
#include "skin/controls/skinswatch.h"
#include "skin/windows/skintheme.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

SkinColorPicker::SkinColorPicker(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_NoMousePropagation);

    m_popupWindow = new QWidget(this, Qt::Popup);
    m_popupWindow->setObjectName(QStringLiteral("popupWindow"));
    m_popupWindow->resize(126, 90);
    m_colorTable = new SkinColorTable(m_popupWindow);
    m_colorSlider = new SkinColorSlider(m_popupWindow);
    m_okButton = new QPushButton(tr("OK"), m_popupWindow);
    m_cancelButton = new QPushButton(tr("Cancel"), m_popupWindow);
    m_pickColorButton = new QPushButton(m_popupWindow);
    m_rgbColorButton = new QPushButton(m_popupWindow);
    for (QPushButton *button : {m_pickColorButton, m_rgbColorButton}) {
        button->setCursor(Qt::ArrowCursor);
        button->setAttribute(Qt::WA_NoMousePropagation);
    }
    m_rgbColorEdit = new QLineEdit(m_popupWindow);
    m_rgbColorEdit->hide();

    // A committing slot runs before the popup closes, while the entry's
    // visibility still tells which source to read.
    connect(m_colorTable, qOverload<const QColor &>(&SkinColorTable::selectedColorChanged), m_colorSlider,
            &SkinColorSlider::setSelectedColor);
    connect(m_colorTable, qOverload<>(&SkinColorTable::selectedColorChanged), this,
            &SkinColorPicker::colorTableSelectedColorChanged);
    connect(m_colorTable, qOverload<>(&SkinColorTable::selectedColorAccepted), this,
            &SkinColorPicker::onSelectedColorChanged);
    connect(m_colorTable, qOverload<>(&SkinColorTable::selectedColorAccepted), m_popupWindow, &QWidget::close);
    connect(m_pickColorButton, &QPushButton::clicked, this, &SkinColorPicker::onColorPicking);
    connect(m_rgbColorButton, &QPushButton::clicked, this, &SkinColorPicker::rgbColorButtonClicked);
    connect(m_okButton, &QPushButton::clicked, this, &SkinColorPicker::onSelectedColorChanged);
    connect(m_okButton, &QPushButton::clicked, m_popupWindow, &QWidget::close);
    connect(m_cancelButton, &QPushButton::clicked, m_popupWindow, &QWidget::close);

    updateButtons();
}

bool SkinColorPicker::closePopup()
{
    return m_popupWindow->close();
}

void SkinColorPicker::updateButtons()
{
    const bool entryOpen = !m_rgbColorEdit->isHidden();
    setColorEntryButtonIcons(m_pickColorButton, m_rgbColorButton, entryOpen);
    m_pickColorButton->setToolTip(entryOpen ? tr("OK") : tr("Pick Color"));
    m_rgbColorButton->setToolTip(entryOpen ? tr("Cancel") : tr("Custom RGB Color"));
}

void SkinColorPicker::setSelectedColor(const QColor &color)
{
    m_color = color;
    m_colorSlider->setSelectedColor(color);
    m_rgbColorEdit->setText(color.name().toUpper());
    update();
}

void SkinColorPicker::showPopup()
{
    m_pressed = false;
    update();
    m_colorTable->setSelectedColor(m_color);
    m_colorSlider->setSelectedColor(m_color);
    const QPoint origin = mapToGlobal(QPoint(0, height() - 1));
    m_popupWindow->setGeometry(m_popupRect.translated(origin));
    layoutPopup();
    m_popupWindow->show();
}

void SkinColorPicker::layoutPopup()
{
    const int w = m_popupWindow->width();
    const int h = m_popupWindow->height();
    m_colorTable->setGeometry(5, 4, w - 10, h - 56);
    m_colorSlider->setGeometry(5, h - 48, w - 56, 20);
    m_pickColorButton->setGeometry(w - 48, h - 48, 20, 20);
    m_rgbColorButton->setGeometry(w - 25, h - 48, 20, 20);
    m_rgbColorEdit->setGeometry(5, h - 48, w - 56, 20);
    m_okButton->setGeometry(w - 150, h - 25, 70, 20);
    m_cancelButton->setGeometry(w - 75, h - 25, 70, 20);
}

void SkinColorPicker::onSelectedColorChanged()
{
    QColor color = m_colorSlider->selectedColor();
    if (m_rgbColorEdit->isVisible()) {
        bool ok = false;
        color = parseColorText(m_rgbColorEdit->text(), &ok);
        if (!ok)
            return;
    }
    m_color = color;
    emit selectedColorChanged(m_color);
    emit selectedColorChanged();
    update();
}

void SkinColorPicker::onColorPicking()
{
    switch (pressColorPickButton(m_colorSlider, m_rgbColorEdit)) {
    case ColorPickOutcome::PickFromPage:
        emit colorPicking();
        break;
    case ColorPickOutcome::EntryConfirmed:
        updateButtons();
        emit m_colorSlider->selectedColorChanged();
        break;
    case ColorPickOutcome::Nothing:
        break;
    }
}

void SkinColorPicker::rgbColorButtonClicked()
{
    toggleColorEntry(m_colorSlider, m_rgbColorEdit);
    updateButtons();
}

void SkinColorPicker::colorTableSelectedColorChanged()
{
    m_rgbColorEdit->setText(m_colorSlider->selectedColor().name().toUpper());
}

void SkinColorPicker::mousePressEvent(QMouseEvent *)
{
    m_pressed = true;
    update();
}

void SkinColorPicker::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        showPopup();
}

void SkinColorPicker::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintSkinSwatchFrame(this, painter, m_pressed);
    const QRect inner(QPoint(3, 3), QPoint(width() - 5, height() - 5));
    if (m_color.alpha() > 0) {
        painter.fillRect(inner, m_color);
    } else {
        paintNoColorMark(painter, inner, QPoint(inner.left() + 1, inner.bottom() + 1),
                         QPoint(inner.right() - 1, inner.top() + 2));
    }
    painter.setPen(skinButtonPressedBorderColor);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(inner);
}
