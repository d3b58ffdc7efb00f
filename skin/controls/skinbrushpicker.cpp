#include "skin/controls/skinbrushpicker.h"

#include "skin/controls/skinbrushcontrol.h"
#include "skin/controls/skincolorpicker.h"
#include "skin/controls/skinswatch.h"
#include "skin/windows/skintheme.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

SkinBrushPicker::SkinBrushPicker(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_NoMousePropagation);
    m_popupWindow = new QWidget(this, Qt::Popup);
    m_popupWindow->setObjectName(QStringLiteral("popupWindow"));
    m_popupWindow->resize(126, 90);
    m_brushControl = new SkinBrushControl(m_popupWindow);
    m_brushControl->setBrushPicker(this);
    m_okButton = new QPushButton(tr("OK"), m_popupWindow);
    m_cancelButton = new QPushButton(tr("Cancel"), m_popupWindow);

    // The editor's changing and changed pairs stay inside the popup.
    connect(m_brushControl, qOverload<>(&SkinBrushControl::selectedBrushAccepted), this,
            &SkinBrushPicker::onSelectedBrushChanged);
    connect(m_brushControl, qOverload<>(&SkinBrushControl::selectedBrushAccepted), m_popupWindow, &QWidget::close);
    connect(m_brushControl, &SkinBrushControl::colorPicking, this, &SkinBrushPicker::onColorPicking);
    connect(m_brushControl, &SkinBrushControl::gradientColorPicking, this, &SkinBrushPicker::onGradientColorPicking);
    connect(m_okButton, &QPushButton::clicked, this, &SkinBrushPicker::onSelectedBrushChanged);
    connect(m_okButton, &QPushButton::clicked, m_popupWindow, &QWidget::close);
    connect(m_cancelButton, &QPushButton::clicked, m_popupWindow, &QWidget::close);
}

bool SkinBrushPicker::closePopup()
{
    return m_popupWindow->close();
}

void SkinBrushPicker::setSelectedBrush(const SkinBrush &brush)
{
    m_pickerBrush = brush;
    update();
}

void SkinBrushPicker::onSelectedBrushChanged()
{
    m_pickerBrush = m_brushControl->selectedBrush();
    emit selectedBrushChanged();
    emit selectedBrushChanged(m_pickerBrush);
    update();
}

void SkinBrushPicker::onColorPicking()
{
    emit colorPicking();
}

void SkinBrushPicker::onGradientColorPicking(SkinColorPicker *picker)
{
    emit gradientColorPicking(picker);
}

void SkinBrushPicker::openPopup()
{
    m_brushControl->setSelectedBrush(m_pickerBrush);
    const QPoint origin = mapToGlobal(QPoint(0, height() - 1));
    m_popupWindow->setGeometry(m_popupRect.translated(origin));
    const int w = m_popupRect.width();
    const int h = m_popupRect.height();
    m_brushControl->setGeometry(0, 0, w, h - 28);
    m_okButton->setGeometry(w - 150, h - 25, 70, 20);
    m_cancelButton->setGeometry(w - 75, h - 25, 70, 20);
    m_popupWindow->show();
}

void SkinBrushPicker::mousePressEvent(QMouseEvent *)
{
    m_pressed = true;
    update();
}

void SkinBrushPicker::mouseReleaseEvent(QMouseEvent *event)
{
    m_pressed = false;
    update();
    if (event->button() == Qt::LeftButton)
        openPopup();
}

void SkinBrushPicker::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintSkinSwatchFrame(this, painter, m_pressed);
    const int w = width();
    const int h = height();
    const QRect inner(3, 3, w - 7, h - 7);
    if (m_pickerBrush.isTransparent())
        paintNoColorMark(painter, inner, QPoint(4, h - 4), QPoint(w - 5, 5));
    else
        painter.fillRect(inner, m_pickerBrush.toBrush(QRectF(inner)));
    painter.setPen(skinButtonPressedBorderColor);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(inner);
}
