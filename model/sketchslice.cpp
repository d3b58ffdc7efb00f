#include "model/sketchslice.h"

#include "editor/sketchdocumentview.h"
#include "model/coordinates.h"
#include "model/sketchdocument.h"
#include "model/xmlattributes.h"

#include <QFont>
#include <QPainter>
#include <QPen>

#include <algorithm>

namespace {

const QString RectAttribute = QStringLiteral("Rect");

} // namespace

SketchSlice::SketchSlice(SketchDocument *document)
    : m_document(document)
{
}

SketchDocumentView *SketchSlice::view() const
{
    return m_document ? m_document->view() : nullptr;
}

int SketchSlice::indexInDocument() const
{
    if (!m_document)
        return -1;
    const QList<SketchSlice *> &slices = m_document->slices();
    const auto it = std::find(slices.cbegin(), slices.cend(), this);
    return it == slices.cend() ? -1 : int(it - slices.cbegin());
}

void SketchSlice::setX(int x)
{
    m_x = boundedIntCoordinate(x);
}

void SketchSlice::setY(int y)
{
    m_y = boundedIntCoordinate(y);
}

void SketchSlice::setWidth(int width)
{
    m_width = boundedIntCoordinate(width);
}

void SketchSlice::setHeight(int height)
{
    m_height = boundedIntCoordinate(height);
}

int SketchSlice::endX() const
{
    return m_x + m_width;
}

int SketchSlice::endY() const
{
    return m_y + m_height;
}

QRect SketchSlice::rect() const
{
    return QRect(QPoint(m_x, m_y), QPoint(endX() - 1, endY() - 1));
}

// The corners may lie anywhere in the int range: the size is taken in 64
// bits before it is bounded.
void SketchSlice::setRect(const QRect &rect)
{
    m_x = boundedIntCoordinate(rect.left());
    m_y = boundedIntCoordinate(rect.top());
    m_width = boundedIntCoordinate(qint64(rect.right()) - rect.left() + 1);
    m_height = boundedIntCoordinate(qint64(rect.bottom()) - rect.top() + 1);
}

void SketchSlice::moveBy(int dx, int dy)
{
    m_x = boundedIntCoordinate(qint64(m_x) + dx);
    m_y = boundedIntCoordinate(qint64(m_y) + dy);
}

void SketchSlice::resizeBy(int dw, int dh)
{
    m_width = boundedIntCoordinate(qint64(m_width) + dw);
    m_height = boundedIntCoordinate(qint64(m_height) + dh);
}

void SketchSlice::copyTo(SketchSlice *target) const
{
    if (!target)
        return;
    target->m_x = m_x;
    target->m_y = m_y;
    target->m_width = m_width;
    target->m_height = m_height;
    target->m_selected = m_selected;
}

SketchSlice *SketchSlice::clone() const
{
    SketchSlice *slice = new SketchSlice(m_document);
    copyTo(slice);
    return slice;
}

QList<QPoint> SketchSlice::handlePoints() const
{
    const int middleX = m_x + m_width / 2;
    const int middleY = m_y + m_height / 2;
    const int right = endX();
    const int bottom = endY();
    return {QPoint(m_x, m_y),      QPoint(middleX, m_y),  QPoint(right, m_y),
            QPoint(right, middleY), QPoint(right, bottom), QPoint(middleX, bottom),
            QPoint(m_x, bottom),   QPoint(m_x, middleY)};
}

QList<QRectF> SketchSlice::handleRects() const
{
    QList<QRectF> rects;
    for (const QPoint &point : handlePoints())
        rects.append(handleRect(point.x(), point.y()));
    return rects;
}

QRectF SketchSlice::handleRect(int px, int py) const
{
    const qreal half = 2.0 / viewZoom();
    return QRectF(px - half, py - half, 2 * half + 1, 2 * half + 1);
}

int SketchSlice::handleAt(int x, int y) const
{
    const QList<QRectF> rects = handleRects();
    for (int code = 0; code < rects.count(); ++code) {
        const QRectF &square = rects.at(code);
        if (square.width() > 0 && square.height() > 0 && square.contains(QPointF(x, y)))
            return code;
    }
    return -1;
}

void SketchSlice::paint(QPainter *painter) const
{
    if (m_width == 0 || m_height == 0)
        return;
    painter->save();
    painter->setPen(QPen(QBrush(Qt::blue), 1.0 / viewZoom(), Qt::SolidLine, Qt::SquareCap,
                         Qt::BevelJoin));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(rect());

    const QColor markColor = m_autoSlice ? Qt::gray : Qt::blue;
    if (m_selected) {
        for (const QRectF &square : handleRects())
            painter->fillRect(square, markColor);
    }
    const QRect label(QPoint(m_x + 2, m_y + 2), QPoint(m_x + 16, m_y + 13));
    painter->fillRect(label, markColor);
    QFont font(QStringLiteral("Aria"));
    font.setPointSize(6);
    painter->setFont(font);
    painter->setPen(Qt::white);
    painter->drawText(label, Qt::AlignCenter, QString::number(m_number + 1));
    painter->restore();
}

void SketchSlice::writeXml(QDomElement &element) const
{
    writeXmlRectAttribute(element, RectAttribute, rect());
}

void SketchSlice::readXml(const QDomElement &element)
{
    setRect(readXmlRectAttribute(element, RectAttribute, QRect(0, 0, 0, 0)));
}

// Handles and outline keep their size on screen: they are divided by the zoom
// of the view that shows the document, 1 while there is none.
float SketchSlice::viewZoom() const
{
    const SketchDocumentView *documentView = view();
    return documentView ? documentView->zoom() : 1.0f;
}
