#ifndef SUPPORT_SILHOUETTES_H
#define SUPPORT_SILHOUETTES_H

// Checks of icons that the window tints: tinting paints every pixel that
// is not fully transparent opaque, so a half-covered edge pixel would come
// out as a bump, and only the shape of the opaque pixels tells two tinted
// icons apart.

#include <QByteArray>
#include <QImage>
#include <QString>

// Empty when the image is a crisp silhouette: every pixel opaque or fully
// transparent, more than `margin` pixels drawn and more than `margin` left
// clear (neither blank nor a filled square). Else what is wrong.
inline QString silhouetteProblem(const QImage &source, int margin = 16)
{
    if (source.isNull())
        return QStringLiteral("null image");
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    int opaque = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int alpha = qAlpha(image.pixel(x, y));
            if (alpha != 0 && alpha != 255)
                return QStringLiteral("alpha %1 at %2,%3").arg(alpha).arg(x).arg(y);
            opaque += alpha == 255;
        }
    }
    if (opaque <= margin || opaque >= image.width() * image.height() - margin)
        return QStringLiteral("%1 opaque pixels").arg(opaque);
    return QString();
}

// What a tinted image shows: '#' for every pixel that is not transparent,
// '.' for the others, row by row.
inline QByteArray tintedMask(const QImage &source)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    QByteArray mask;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            mask.append(qAlpha(image.pixel(x, y)) ? '#' : '.');
    }
    return mask;
}

#endif // SUPPORT_SILHOUETTES_H
