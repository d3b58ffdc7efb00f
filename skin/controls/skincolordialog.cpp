#include "skin/controls/skincolordialog.h"

#include "skin/controls/skincolorslider.h"
#include "skin/controls/skincolortable.h"

#include <QPushButton>

SkinColorDialog::SkinColorDialog(QWidget *parent)
    : SkinDialog(parent)
{
    resize(200, 185);
    setMaxButtonVisible(false);
    setMinButtonVisible(false);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    QWidget *central = centralWidget();
    m_colorTable = new SkinColorTable(central);
    m_colorSlider = new SkinColorSlider(central);
    m_okButton = new QPushButton(tr("OK"), central);
    m_cancelButton = new QPushButton(tr("Cancel"), central);

    connect(m_colorTable, qOverload<const QColor &>(&SkinColorTable::selectedColorChanged), m_colorSlider,
            &SkinColorSlider::setSelectedColor);
    connect(m_okButton, &QPushButton::clicked, this, &SkinColorDialog::onSelectedColorChanged);
    connect(m_okButton, &QPushButton::clicked, this, &QWidget::close);
    connect(m_cancelButton, &QPushButton::clicked, this, &QWidget::close);
}

void SkinColorDialog::setSelectedColor(const QColor &color)
{
    m_color = color;
    m_colorTable->setSelectedColor(color);
    m_colorSlider->setSelectedColor(color);
}

void SkinColorDialog::onSelectedColorChanged()
{
    done(ResultOk);
    m_color = m_colorSlider->selectedColor();
    emit selectedColorChanged(m_color);
    emit selectedColorChanged();
}

void SkinColorDialog::resizeEvent(QResizeEvent *event)
{
    SkinDialog::resizeEvent(event);
    const int w = centralWidget()->width();
    const int h = centralWidget()->height();
    // No pick or RGB button here: the slider takes the whole width.
    m_colorTable->setGeometry(5, 4, w - 10, h - 56);
    m_colorSlider->setGeometry(5, h - 48, w - 10, 20);
    m_okButton->setGeometry(w - 150, h - 25, 70, 20);
    m_cancelButton->setGeometry(w - 75, h - 25, 70, 20);
}
