#include "model/coordinates.h"

#include <QtGlobal>

#include <cmath>

namespace {

qreal bounded(qreal value, qreal limit)
{
    if (std::isnan(value))
        return 0.0;
    return qBound(-limit, value, limit);
}

} // namespace

qreal boundedCoordinate(qreal value)
{
    return bounded(value, MaxDocumentCoordinate);
}

QPointF boundedPoint(const QPointF &point)
{
    return QPointF(boundedCoordinate(point.x()), boundedCoordinate(point.y()));
}

int boundedIntCoordinate(qint64 value)
{
    const qint64 limit = qint64(MaxDocumentCoordinate);
    return int(qBound(-limit, value, limit));
}

QSize boundedSize(const QSize &size)
{
    return QSize(boundedIntCoordinate(size.width()), boundedIntCoordinate(size.height()));
}

int truncatedPixel(qreal value)
{
    return int(bounded(value, MaxPixelCoordinate));
}

int roundedPixel(qreal value)
{
    return qRound(bounded(value, MaxPixelCoordinate));
}

QRect pixelRect(const QRectF &rect)
{
    return QRect(QPoint(roundedPixel(rect.x()), roundedPixel(rect.y())),
                 QPoint(roundedPixel(rect.x() + rect.width()) - 1, roundedPixel(rect.y() + rect.height()) - 1));
}

QRect coveringPixelRect(const QRectF &rect)
{
    if (rect.isEmpty())
        return QRect();
    const qreal left = bounded(std::floor(rect.left()), MaxPixelCoordinate);
    const qreal top = bounded(std::floor(rect.top()), MaxPixelCoordinate);
    const qreal right = bounded(std::ceil(rect.right()), MaxPixelCoordinate);
    const qreal bottom = bounded(std::ceil(rect.bottom()), MaxPixelCoordinate);
    return QRect(QPoint(int(left), int(top)), QPoint(int(right) - 1, int(bottom) - 1));
}

QPointF roundedPos(const QPointF &pos)
{
    return QPointF(roundedPixel(pos.x()), roundedPixel(pos.y()));
}
