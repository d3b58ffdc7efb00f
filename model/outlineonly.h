#ifndef OUTLINEONLY_H
#define OUTLINEONLY_H

#include <QBrush>
#include <QPainter>
#include <QRectF>

// While alive, the painter draws outlines only: a stroke must not fill the
// inside with whatever brush the caller left set. The caller's brush is put
// back on destruction.
class OutlineOnly
{
public:
    explicit OutlineOnly(QPainter *painter)
        : m_painter(painter)
        , m_brush(painter->brush())
    {
        painter->setBrush(Qt::NoBrush);
    }
    ~OutlineOnly() { m_painter->setBrush(m_brush); }
    OutlineOnly(const OutlineOnly &) = delete;
    OutlineOnly &operator=(const OutlineOnly &) = delete;

    // A straight horizontal or vertical outline still needs an area for a
    // gradient brush to be laid over.
    static QRectF withoutZeroExtent(QRectF rect)
    {
        if (rect.width() == 0)
            rect.setWidth(1);
        if (rect.height() == 0)
            rect.setHeight(1);
        return rect;
    }

private:
    QPainter *m_painter;
    QBrush m_brush;
};

#endif // OUTLINEONLY_H
