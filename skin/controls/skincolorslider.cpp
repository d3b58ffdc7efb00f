#include "skin/controls/skincolorslider.h"

#include "skin/windows/skintheme.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

SkinColorSlider::SkinColorSlider(QWidget *parent)
    : QWidget(parent)
{
    setEnabled(false);
}

QRect SkinColorSlider::cursorRect() const
{
    return QRect(QPoint(m_cursor.x() - 4, m_cursor.y() - 4), QPoint(m_cursor.x() + 4, m_cursor.y() + 4));
}

void SkinColorSlider::updateSamples()
{
    const int w = width();
    const int h = height();
    const QColor hsl = m_color.toHsl();
    m_samples.clear();
    // A strip that is not laid out yet has no lightness scale to speak of.
    if (w <= 0) {
        m_cursor = QPoint(-1, -1);
        return;
    }
    // Whole-number arithmetic keeps both ends exact: x = 0 is lightness 0,
    // x = w lightness 255.
    if (hsl.alpha() < 1)
        m_cursor = QPoint(-1, -1);
    else
        m_cursor = QPoint(hsl.lightness() * w / 255, h / 2);
    m_samples.reserve(w + 1);
    for (int i = 0; i <= w; ++i)
        m_samples.append(QColor::fromHsl(hsl.hslHue(), hsl.hslSaturation(), i * 255 / w, 255).toRgb());
}

void SkinColorSlider::moveCursor(int x, int y)
{
    if (m_samples.isEmpty())
        return;
    x = std::clamp(x, 0, width());
    y = std::clamp(y, 0, height());
    const QPoint old = m_cursor;
    if (QPoint(x, y) != old) {
        m_cursor = QPoint(x, y);
        if (x < m_samples.size())
            m_color = m_samples.at(x);
    }
    update(QRect(QPoint(std::min(old.x(), x) - 5, std::min(old.y(), y) - 5),
                 QPoint(std::max(old.x(), x) + 4, std::max(old.y(), y) + 4)));
}

void SkinColorSlider::setSelectedColor(const QColor &color)
{
    m_color = color;
    updateSamples();
    update();
    setEnabled(color.alpha() > 0);
}

void SkinColorSlider::moveCursorTo(const QMouseEvent *event)
{
    moveCursor(int(std::floor(event->localPos().x() + 0.5)), height() / 2);
}

void SkinColorSlider::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    moveCursorTo(event);
    emit selectedColorChanging();
}

void SkinColorSlider::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_pressed)
        return;
    moveCursorTo(event);
    emit selectedColorChanging();
}

void SkinColorSlider::mouseReleaseEvent(QMouseEvent *event)
{
    m_pressed = false;
    moveCursorTo(event);
    emit selectedColorChanged();
}

void SkinColorSlider::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int w = width();
    const int h = height();
    for (int i = 0; i < m_samples.size(); ++i) {
        painter.setPen(m_samples.at(i));
        painter.drawLine(i, 0, i, h);
    }
    painter.setPen(skinBorderColor);
    painter.drawRect(0, 0, w - 1, h - 1);
    if (m_cursor.x() >= 0 && m_cursor.x() <= w && m_cursor.y() >= 0 && m_cursor.y() <= h) {
        painter.setPen(Qt::black);
        painter.setBrush(skinHighlightColor);
        // A 1 px outline adds a pixel right of and below the rectangle it
        // is given; this keeps the ring inside the area moveCursor repaints.
        painter.drawEllipse(cursorRect().adjusted(0, 0, -1, -1));
    }
}

void SkinColorSlider::showEvent(QShowEvent *event)
{
    updateSamples();
    QWidget::showEvent(event);
}
