#include "editor/pagepicture.h"

#include <cstring>

QImage *PagePicture::prepare(const QSize &size, int dpiX, int dpiY)
{
    const int dotsPerMeterX = qRound(dpiX / 0.0254);
    const int dotsPerMeterY = qRound(dpiY / 0.0254);
    if (m_image.size() != size || m_image.dotsPerMeterX() != dotsPerMeterX
        || m_image.dotsPerMeterY() != dotsPerMeterY) {
        m_image = QImage();
        m_valid = QRegion();
        if (size.isEmpty())
            return nullptr;
        m_image = QImage(size, QImage::Format_ARGB32_Premultiplied);
        m_image.setDotsPerMeterX(dotsPerMeterX);
        m_image.setDotsPerMeterY(dotsPerMeterY);
    }
    return m_image.isNull() ? nullptr : &m_image;
}

void PagePicture::release()
{
    m_image = QImage();
    m_valid = QRegion();
}

QRegion PagePicture::outdatedPart(const QRegion &region) const
{
    return region.intersected(m_image.rect()) - m_valid;
}

void PagePicture::validate(const QRegion &region)
{
    m_valid += region.intersected(m_image.rect());
}

void PagePicture::scroll(int dx, int dy)
{
    const QRect whole = m_image.rect();
    const QRect target = whole.translated(dx, dy) & whole;
    if (m_image.isNull() || target.isEmpty()) {
        m_valid = QRegion();
        return;
    }
    const QRect source = target.translated(-dx, -dy);
    const int bytesPerPixel = m_image.depth() / 8;
    const size_t rowBytes = size_t(target.width()) * size_t(bytesPerPixel);
    // Rows are copied away from the side they move to, so that none is
    // overwritten before it has been read.
    uchar *bits = m_image.bits();
    const qsizetype stride = m_image.bytesPerLine();
    for (int i = 0; i < target.height(); ++i) {
        const int row = dy > 0 ? target.height() - 1 - i : i;
        uchar *to = bits + (target.top() + row) * stride + target.left() * bytesPerPixel;
        const uchar *from = bits + (source.top() + row) * stride + source.left() * bytesPerPixel;
        std::memmove(to, from, rowBytes);
    }
    m_valid.translate(dx, dy);
    m_valid &= target;
}
