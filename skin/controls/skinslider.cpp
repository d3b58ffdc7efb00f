#include "skin/controls/skinslider.h"

#include <QKeyEvent>
#include <QMouseEvent>

SkinSlider::SkinSlider(QWidget *parent)
    : QSlider(parent)
{
    setAttribute(Qt::WA_NoMousePropagation);
}

void SkinSlider::updateValueText()
{
    emit valueSuffixChanged(QString::number(value()) + m_suffix);
}

bool SkinSlider::isSliderKey(const QKeyEvent *event)
{
    if (!event)
        return false;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true;
    default:
        return false;
    }
}

bool SkinSlider::isSliderKeyEvent(const QKeyEvent *event)
{
    return event && !event->isAutoRepeat() && isSliderKey(event);
}

void SkinSlider::reportChanging()
{
    emit valueChanging(value());
    updateValueText();
}

void SkinSlider::reportAccepted()
{
    emit valueAccepted(value());
    updateValueText();
}

void SkinSlider::mousePressEvent(QMouseEvent *event)
{
    QSlider::mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        reportChanging();
}

void SkinSlider::mouseMoveEvent(QMouseEvent *event)
{
    QSlider::mouseMoveEvent(event);
    if (event->buttons() == Qt::LeftButton)
        reportChanging();
}

void SkinSlider::mouseReleaseEvent(QMouseEvent *event)
{
    QSlider::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        reportAccepted();
}

void SkinSlider::keyPressEvent(QKeyEvent *event)
{
    QAbstractSlider::keyPressEvent(event);
    if (isSliderKeyEvent(event))
        reportChanging();
}

void SkinSlider::keyReleaseEvent(QKeyEvent *event)
{
    QWidget::keyReleaseEvent(event);
    if (isSliderKeyEvent(event))
        reportAccepted();
}
