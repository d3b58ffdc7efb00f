#ifndef SUPPORT_PIXELS_H
#define SUPPORT_PIXELS_H

// Looking at rendered pictures: colours at and near a point, pixels that
// differ or carry ink, and the PNG bytes of a picture.

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPoint>

#include <cstdlib>

// The picture as PNG bytes, as an image fill holds it.
inline QByteArray pngBytes(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

inline bool sameColor(const QImage &image, int x, int y, const QColor &expected, int tolerance = 8)
{
    const QColor c = image.pixelColor(x, y);
    return qAbs(c.red() - expected.red()) <= tolerance && qAbs(c.green() - expected.green()) <= tolerance
        && qAbs(c.blue() - expected.blue()) <= tolerance;
}


// Whether any pixel within the square of the given half side around the
// centre has roughly that colour.
inline bool hasColorNear(const QImage &image, const QPoint &centre, int half, const QColor &colour)
{
    for (int y = centre.y() - half; y <= centre.y() + half; ++y) {
        for (int x = centre.x() - half; x <= centre.x() + half; ++x) {
            if (!image.rect().contains(x, y))
                continue;
            const QColor c = image.pixelColor(x, y);
            if (qAbs(c.red() - colour.red()) <= 40 && qAbs(c.green() - colour.green()) <= 40
                && qAbs(c.blue() - colour.blue()) <= 40)
                return true;
        }
    }
    return false;
}

// Pixels of two images of one size whose channels differ by more than
// tolerance; every pixel for images of different sizes.
inline int differingPixels(const QImage &a, const QImage &b, int tolerance)
{
    if (a.size() != b.size())
        return qMax(a.width() * a.height(), b.width() * b.height());
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    int count = 0;
    for (int row = 0; row < x.height(); ++row) {
        const QRgb *p = reinterpret_cast<const QRgb *>(x.constScanLine(row));
        const QRgb *q = reinterpret_cast<const QRgb *>(y.constScanLine(row));
        for (int column = 0; column < x.width(); ++column) {
            const QRgb u = p[column];
            const QRgb v = q[column];
            if (std::abs(qRed(u) - qRed(v)) > tolerance || std::abs(qGreen(u) - qGreen(v)) > tolerance
                || std::abs(qBlue(u) - qBlue(v)) > tolerance || std::abs(qAlpha(u) - qAlpha(v)) > tolerance) {
                ++count;
            }
        }
    }
    return count;
}

// Pixels that are not the background colour.
inline int inkedPixels(const QImage &image, QRgb background)
{
    const QImage x = image.convertToFormat(QImage::Format_ARGB32);
    int count = 0;
    for (int row = 0; row < x.height(); ++row) {
        const QRgb *p = reinterpret_cast<const QRgb *>(x.constScanLine(row));
        for (int column = 0; column < x.width(); ++column) {
            if (p[column] != background)
                ++count;
        }
    }
    return count;
}

#endif // SUPPORT_PIXELS_H
