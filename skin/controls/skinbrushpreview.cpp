#include "skin/controls/skinbrushpreview.h"

#include "model/coordinates.h"
#include "model/geometry.h"
#include "skin/windows/skinpainting.h"
#include "skin/windows/skintheme.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

SkinBrushPreview::SkinBrushPreview(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_NoMousePropagation);
}

QRectF SkinBrushPreview::previewRect() const
{
    return QRectF(6, 6, width() - 12, height() - 12);
}

QRectF SkinBrushPreview::handleRect(const QPointF &point) const
{
    return QRectF(point.x() - 4, point.y() - 4, 9, 9);
}

void SkinBrushPreview::moveHandleTo(const QPointF &point)
{
    const QRectF r = previewRect();
    if (m_handle == NoHandle || r.width() <= 0 || r.height() <= 0)
        return;
    const double u = (std::clamp(point.x(), r.left(), r.left() + r.width()) - r.left()) / r.width();
    const double v = (std::clamp(point.y(), r.top(), r.top() + r.height()) - r.top()) / r.height();
    const QPointF unit{float(u), float(v)};
    switch (m_handle) {
    case CenterHandle:
        m_brush.setCenter(unit);
        break;
    case FromHandle:
        m_brush.setFrom(unit);
        break;
    case ToHandle:
        m_brush.setTo(unit);
        break;
    }
}

void SkinBrushPreview::setSelectedBrush(const SkinBrush &brush)
{
    m_brush = brush;
    m_brush.setType(m_previewType);
    update();
}

void SkinBrushPreview::setSelectedGradient(const SkinGradient &gradient)
{
    m_brush.setType(m_previewType);
    m_brush.setStops(gradient);
    update();
}

void SkinBrushPreview::onSelectedBrushChanged(const SkinBrush &brush)
{
    emit selectedBrushChanged(SkinBrush(brush));
    emit selectedBrushChanged();
}

void SkinBrushPreview::onSelectedBrushChanging(const SkinBrush &brush)
{
    emit selectedBrushChanging(SkinBrush(brush));
    emit selectedBrushChanging();
}

bool SkinBrushPreview::awayFromPress(const QPointF &point) const
{
    return std::abs(point.x() - m_pressPos.x()) > 1e-12 || std::abs(point.y() - m_pressPos.y()) > 1e-12;
}

void SkinBrushPreview::mousePressEvent(QMouseEvent *event)
{
    const QPointF pos = roundedPos(event->localPos());
    m_pressed = event->button() == Qt::LeftButton;
    m_pressPos = pos;
    m_handle = NoHandle;
    const QList<QPointF> points = m_brush.controlPoints(previewRect());
    if (hasPoints() && points.size() == 3) {
        // Handle boxes include their edges.
        const auto hit = [&](const QPointF &point) {
            const QRectF box = handleRect(point);
            return pos.x() >= box.left() && pos.x() <= box.right() && pos.y() >= box.top() && pos.y() <= box.bottom();
        };
        if (hit(points.at(FromHandle)))
            m_handle = FromHandle;
        else if (hit(points.at(ToHandle)))
            m_handle = ToHandle;
        else if (m_previewType != SkinBrushLinear && hit(points.at(CenterHandle)))
            m_handle = CenterHandle;
    }
    update();
}

void SkinBrushPreview::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_pressed)
        return;
    const QPointF pos = roundedPos(event->localPos());
    moveHandleTo(pos);
    update();
    if (awayFromPress(pos))
        onSelectedBrushChanging(m_brush);
}

void SkinBrushPreview::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_pressed) {
        m_pressed = false;
        if (m_handle != NoHandle && awayFromPress(roundedPos(event->localPos())))
            onSelectedBrushChanged(m_brush);
    }
    m_handle = NoHandle;
    update();
}

void SkinBrushPreview::paintArrow(QPainter &painter, const QPointF &from, const QPointF &to) const
{
    const float distance = pointDistance(from, to);
    // Coinciding ends give the head no direction (and no finite scale).
    if (distance > 0.0f) {
        const float scale = 10.0f / distance;
        painter.drawLine(rotatePointAround(from, to, 30.0f, scale), to);
        painter.drawLine(to, rotatePointAround(from, to, -30.0f, scale));
    }
    painter.drawLine(from, to);
}

void SkinBrushPreview::paintHandle(QPainter &painter, const QPointF &point) const
{
    QPainterPath circle;
    circle.addEllipse(handleRect(point));
    painter.fillPath(circle, skinHighlightColor);
    painter.setPen(Qt::black);
    painter.drawPath(circle);
}

void SkinBrushPreview::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawSkinStyledBackground(this, painter);
    const QRectF r = previewRect();
    m_brush.fillRect(&painter, r);
    const QPen border(skinBorderColor);
    painter.setPen(border);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(r);

    const QList<QPointF> points = m_brush.controlPoints(r);
    if (points.size() != 3)
        return;
    if (m_previewType == SkinBrushLinear) {
        paintArrow(painter, points.at(FromHandle), points.at(ToHandle));
        paintHandle(painter, points.at(FromHandle));
        paintHandle(painter, points.at(ToHandle));
    } else if (m_previewType == SkinBrushRadial || m_previewType == SkinBrushConical) {
        paintHandle(painter, points.at(CenterHandle));
    }
}
