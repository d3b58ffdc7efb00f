#include "skin/controls/skingradientslider.h"

#include "skin/windows/skinpainting.h"
#include "skin/windows/skintheme.h"

#include <QCursor>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {

// The strip's top edge, H - 17, is also the tips' row.
constexpr int StripHeight = 17;
// Where position 0 lies: the bar and the strip start half a pixel into
// column 6.
constexpr float TipOffset = 6.5f;

} // namespace

SkinGradientSlider::SkinGradientSlider(QWidget *parent)
    : QWidget(parent)
    , m_brush(SkinBrushLinear)
{
    m_brush.stops().setFirstColor(Qt::white);
    m_brush.stops().setLastColor(Qt::white);
    setAttribute(Qt::WA_MouseTracking);
    setAttribute(Qt::WA_NoMousePropagation);

    m_contextMenu = new QMenu(this);
    QAction *deleteAction = m_contextMenu->addAction(tr("Delete"));
    connect(deleteAction, &QAction::triggered, this, &SkinGradientSlider::deleteSelectedTracker);
}

// --- Stops ------------------------------------------------------------------------

void SkinGradientSlider::setGradient(SkinGradient gradient)
{
    m_brush.setStops(gradient);
    m_selectedIndex = 0;
}

QColor SkinGradientSlider::selectedColor() const
{
    return hasSelection() ? gradient().stops().at(m_selectedIndex).color() : QColor(Qt::transparent);
}

float SkinGradientSlider::selectedPosition() const
{
    return hasSelection() ? gradient().stops().at(m_selectedIndex).position() : 0.0f;
}

void SkinGradientSlider::setSelectedPosition(float position)
{
    if (isInnerSelected())
        gradient().stops()[m_selectedIndex].setPosition(std::clamp(position, 0.0f, 1.0f));
}

void SkinGradientSlider::setSelectedColor(const QColor &color)
{
    if (!hasSelection())
        return;
    gradient().stops()[m_selectedIndex].setColor(color);
    update();
}

void SkinGradientSlider::deleteSelectedTracker()
{
    if (!isInnerSelected())
        return;
    gradient().removeAt(m_selectedIndex);
    m_selectedIndex = std::max(m_selectedIndex - 1, 0);
    m_dragOffset = 0.0f;
    emit selectedTrackerDeleted();
    update();
}

// --- Geometry -----------------------------------------------------------------------

QRectF SkinGradientSlider::gradientRect() const
{
    return QRectF(6.5, 0, span(), height() - StripHeight);
}

QRectF SkinGradientSlider::trackerRect() const
{
    return QRectF(6.5, height() - StripHeight, span(), 16);
}

float SkinGradientSlider::positionAt(int x) const
{
    if (span() <= 0)
        return 0.0f;
    return std::clamp(float(x) / float(span()), 0.0f, 1.0f);
}

float SkinGradientSlider::tipPosition(float position) const
{
    return float(span()) * position + TipOffset;
}

QPolygonF SkinGradientSlider::trackerPolygon(int index) const
{
    const float position = gradient().stops().value(index).position();
    const qreal x = int(tipPosition(position));
    const qreal y = height() - StripHeight;
    return QPolygonF({QPointF(x, y), QPointF(x - 5.5, y + 5.5), QPointF(x - 5.5, y + 16), QPointF(x + 5.5, y + 16),
                      QPointF(x + 5.5, y + 5.5)});
}

QList<QPolygonF> SkinGradientSlider::trackerPolygons() const
{
    QList<QPolygonF> polygons;
    for (int i = 0; i < gradient().count(); ++i)
        polygons.append(trackerPolygon(i));
    return polygons;
}

int SkinGradientSlider::trackerAt(const QPointF &point) const
{
    const QList<QPolygonF> polygons = trackerPolygons();
    const int count = polygons.size();
    const auto hits = [&](int index) {
        QPainterPath path;
        path.addPolygon(polygons.at(index));
        return path.contains(point);
    };
    for (int i = 1; i < count - 1; ++i) {
        if (hits(i))
            return i;
    }
    if (count > 0 && hits(0))
        return 0;
    if (count > 1 && hits(count - 1))
        return count - 1;
    return -1;
}

void SkinGradientSlider::updateCursor(int x, int y)
{
    const QPointF point(x, y);
    bool overTracker = false;
    for (const QPolygonF &polygon : trackerPolygons())
        overTracker = overTracker || polygon.boundingRect().contains(point);
    if (trackerRect().contains(point) && !overTracker)
        setCursor(QCursor(QPixmap(QStringLiteral(":/widgets/images/CursorAdd.png")), 0, 0));
    else
        setCursor(Qt::ArrowCursor);
}

// --- Mouse --------------------------------------------------------------------------

bool SkinGradientSlider::addTrackerAt(int px, int py)
{
    if (span() <= 0 || py <= height() - StripHeight)
        return false;
    const float position = float(px - 5) / float(span());
    if (!(position > 0.0f && position < 1.0f))
        return false;
    const QList<float> positions = gradient().positions();
    int index = -1;
    for (int i = 1; i < positions.size(); ++i) {
        if (positions.at(i - 1) < position && position < positions.at(i)) {
            index = i;
            break;
        }
    }
    if (index < 0)
        return false;
    const QColor color = gradient().stops().at(index).color();
    gradient().insert(index, position, color);
    m_pressedIndex = m_selectedIndex = index;
    m_dragOffset = float(px) - tipPosition(position);
    emit selectedTrackerChanged(color);
    emit selectedTrackerChanged();
    return true;
}

void SkinGradientSlider::mousePressEvent(QMouseEvent *event)
{
    const int px = qRound(event->localPos().x());
    const int py = qRound(event->localPos().y());
    m_pressed = true;
    m_pressedIndex = trackerAt(QPointF(px, py));
    if (m_pressedIndex >= 0) {
        m_selectedIndex = m_pressedIndex;
        m_dragOffset = float(px) - tipPosition(gradient().stops().at(m_pressedIndex).position());
        emit selectedTrackerChanged(selectedColor());
        emit selectedTrackerChanged();
    } else if (event->button() == Qt::LeftButton && m_addEnabled) {
        addTrackerAt(px, py);
    }
    updateCursor(px, py);
    update();
}

void SkinGradientSlider::mouseMoveEvent(QMouseEvent *event)
{
    const int px = qRound(event->localPos().x());
    const int py = qRound(event->localPos().y());
    if (event->buttons() == Qt::NoButton)
        updateCursor(px, py);
    m_moved = false;
    if (!m_pressed || !isInnerSelected() || py <= height() - StripHeight || m_pressedIndex < 0)
        return;
    if (py > height() - 1) {
        // Dragged off the bottom: the stop goes and the drag ends.
        deleteSelectedTracker();
        m_pressedIndex = -1;
        m_pressed = false;
        return;
    }
    if (span() <= 0)
        return;
    m_moved = true;
    // The stop keeps the pointer's distance from its tip.
    setSelectedPosition((float(px) - m_dragOffset - TipOffset) / float(span()));
    update();
    emit selectedTrackerMoving();
}

void SkinGradientSlider::mouseReleaseEvent(QMouseEvent *event)
{
    const int py = qRound(event->localPos().y());
    m_pressedIndex = -1;
    if (m_pressed) {
        m_pressed = false;
        update();
        if (!m_moved && event->button() == Qt::LeftButton) {
            if (py <= height() - StripHeight)
                return;
            if (hasSelection())
                emit selectedTrackerClicked();
        }
        if (event->button() == Qt::RightButton && py > height() - StripHeight && isInnerSelected())
            m_contextMenu->exec(QCursor::pos());
    }
    if (m_moved) {
        m_moved = false;
        update();
        emit selectedTrackerMoved();
    }
}

// --- Painting -----------------------------------------------------------------------

void SkinGradientSlider::drawTracker(QPainter *painter, const QColor &color, const QPolygonF &polygon, bool selected,
                                     bool pressed) const
{
    painter->setPen(Qt::NoPen);
    painter->setBrush(selected && pressed ? skinButtonHoverTopColor : QColor(Qt::white));
    painter->drawPolygon(polygon);
    painter->setPen(Qt::black);
    painter->setBrush(Qt::NoBrush);
    painter->drawPolygon(polygon, Qt::OddEvenFill);

    const QPointF p0 = polygon.at(0);
    const QPointF p1 = polygon.at(1);
    const QPointF p3 = polygon.at(3);
    const QPointF p4 = polygon.at(4);
    if (selected) {
        painter->setPen(Qt::NoPen);
        painter->setBrush(Qt::black);
        painter->drawPolygon(QPolygonF({QPointF(p0.x(), p0.y() + 1), QPointF(p1.x() + 1, p1.y()),
                                        QPointF(p4.x() - 1.5, p4.y())}));
    }
    const QRectF swatch(p1.x() + 2, p1.y() + 2, (p3.x() - p1.x()) - 4, (p3.y() - p1.y()) - 4);
    painter->fillRect(swatch, color);
    painter->setPen(Qt::black);
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(swatch);
}

void SkinGradientSlider::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawSkinStyledBackground(this, painter);
    const QRectF bar = gradientRect();
    m_brush.fillRect(&painter, bar);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(bar);

    const QList<QPolygonF> polygons = trackerPolygons();
    const QList<SkinGradientStop> &stops = gradient().stops();
    const int count = polygons.size();
    if (count == 0)
        return;
    // The last stop's tracker lies beneath all others.
    const auto draw = [&](int i) {
        drawTracker(&painter, stops.at(i).color(), polygons.at(i), i == m_selectedIndex, i == m_pressedIndex);
    };
    draw(count - 1);
    for (int i = 0; i < count - 1; ++i)
        draw(i);
}
