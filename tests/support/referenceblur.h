#ifndef SUPPORT_REFERENCEBLUR_H
#define SUPPORT_REFERENCEBLUR_H

#include <QImage>

// The blur as its straightforward definition states it: 25 pixel reads per
// pixel, edges clamped, and setPixel on a copy. The product's scan-line blur
// must give the same bits; the benchmark measures it against this.
inline QImage referenceBlurOnce(const QImage &source)
{
    static const int weights[5][5] = {
        {0, 0, 1, 0, 0}, {0, 1, 3, 1, 0}, {1, 3, 7, 3, 1}, {0, 1, 3, 1, 0}, {0, 0, 1, 0, 0}};
    QImage result = source.copy();
    const int w = source.width();
    const int h = source.height();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int a = 0, r = 0, g = 0, b = 0;
            for (int dy = -2; dy <= 2; ++dy) {
                for (int dx = -2; dx <= 2; ++dx) {
                    const int weight = weights[dy + 2][dx + 2];
                    const QRgb p = source.pixel(qBound(0, x + dx, w - 1), qBound(0, y + dy, h - 1));
                    a += weight * qAlpha(p);
                    r += weight * qRed(p);
                    g += weight * qGreen(p);
                    b += weight * qBlue(p);
                }
            }
            result.setPixel(x, y, qRgba(qBound(0, r / 27, 255), qBound(0, g / 27, 255),
                                        qBound(0, b / 27, 255), qBound(0, a / 27, 255)));
        }
    }
    return result;
}

#endif // SUPPORT_REFERENCEBLUR_H
