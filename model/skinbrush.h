#ifndef SKINBRUSH_H
#define SKINBRUSH_H

#include "model/skingradient.h"

#include <QBrush>
#include <QByteArray>
#include <QColor>
#include <QConicalGradient>
#include <QImage>
#include <QLinearGradient>
#include <QList>
#include <QMetaType>
#include <QPen>
#include <QPointF>
#include <QRadialGradient>
#include <QRectF>
#include <QString>

#include <memory>

class QDomElement;
class QPainter;
class QPainterPath;
class QPixmap;

enum SkinBrushType : int
{
    SkinBrushSolid = 0,
    SkinBrushLinear = 1,
    SkinBrushRadial = 2,
    SkinBrushConical = 3,
    SkinBrushImage = 4
};

// The fill of everything the program paints: a solid colour, a linear,
// radial or conical gradient, or a PNG image, described relative to the
// rectangle it is painted into so that one brush fits any shape. A plain
// value: copied, compared and passed in signals by value. Center, from and
// to are fractions of the painted rectangle's width and height; the brush's
// opacity is applied by its own painters, never through the QBrush.
class SkinBrush
{
public:
    // Larger images keep their bytes (so a file still round-trips) but
    // paint nothing: decoding them could exhaust memory.
    static constexpr qint64 MaxImagePixels = qint64(64) * 1024 * 1024;

    // Solid, both stops transparent.
    SkinBrush();
    explicit SkinBrush(int type);
    // Solid, both stops of that colour.
    explicit SkinBrush(const QColor &color);
    SkinBrush(int type, const SkinGradient &stops);
    // Linear from first to last, across (horizontal) or down.
    SkinBrush(const QColor &first, const QColor &last, bool horizontal);

    static SkinBrush transparentBrush();
    static SkinBrush blackBrush();
    static SkinBrush whiteBrush();

    int type() const { return m_type; }
    void setType(int type) { m_type = type; }
    SkinGradient &stops() { return m_stops; }
    const SkinGradient &stops() const { return m_stops; }
    void setStops(const SkinGradient &stops) { m_stops = stops; }

    // Setters clamp each coordinate to [0, 1].
    QPointF center() const { return m_center; }
    void setCenter(const QPointF &center);
    QPointF from() const { return m_from; }
    void setFrom(const QPointF &from);
    QPointF to() const { return m_to; }
    void setTo(const QPointF &to);
    float opacity() const { return m_opacity; }
    void setOpacity(float opacity);

    // PNG bytes of an image brush.
    const QByteArray &imageData() const { return m_imageData; }
    void setImageData(const QByteArray &data);
    QString imageBase64() const;
    void setImageBase64(const QString &text);
    // Replaces the image bytes by the pixmap as PNG.
    void encodeImage(const QPixmap &pixmap);
    // Loads a picture file as PNG bytes, first scaled by scale (at least 0.1)
    // when scale is below 1 and the picture is at least 300 x 300 pixels. A
    // file that cannot be read leaves the image bytes empty.
    void loadImageFile(const QString &fileName, float scale);
    // The image bytes decoded once and kept (copies of the brush share it);
    // null when they do not decode as PNG or the picture is too large.
    QImage picture() const;

    bool isGradient() const;
    bool isBlack() const;
    bool isWhite() const;
    // Paints nothing: an image brush without bytes, a solid brush whose
    // colour is transparent, a gradient all of whose stops are transparent.
    bool isTransparent() const;
    bool isSolidTransparent() const;
    // How the file gives the brush back, whatever its opacity: as the
    // transparent solid brush (a solid brush that paints nothing), or as
    // solid black (a solid brush whose colour is written as "#000000", the
    // alpha being not stored). The writers leave out a brush that comes back
    // as their reader's default.
    bool savesAsTransparent() const;
    bool savesAsBlack() const;
    // The brush written and read again.
    SkinBrush asSaved() const;
    // Every pixel it paints is fully opaque: a solid colour or a gradient
    // without any see-through stop, at full opacity. An image never counts.
    bool isOpaque() const;

    // Points are compared within 1e-12, everything else exactly.
    bool operator==(const SkinBrush &other) const;
    bool operator!=(const SkinBrush &other) const { return !(*this == other); }

    // Center, from and to mapped into rect; empty for an empty rect.
    QList<QPointF> controlPoints(const QRectF &rect) const;
    QLinearGradient linearGradient(const QRectF &rect) const;
    QRadialGradient radialGradient(const QRectF &rect) const;
    QConicalGradient conicalGradient(const QRectF &rect) const;
    QBrush solidBrush() const;
    // The picture as an untransformed texture tiled from the painter's origin.
    QBrush textureBrush(const QRectF &rect) const;
    // The QBrush for painting inside rect (normalised first); Qt::NoBrush
    // for an empty rect.
    QBrush toBrush(const QRectF &rect) const;

    // Painting. Each sets the painter's opacity to the brush's before it
    // paints and to 1 afterwards; an image is stretched over the rectangle.
    void fillRect(QPainter *painter, const QRectF &rect) const;
    void fillPath(QPainter *painter, const QPainterPath &path) const;
    void fillEllipse(QPainter *painter, const QRectF &rect) const;
    // With a pen of width 1 made of this brush; the painter's brush stays.
    void strokeRect(QPainter *painter, const QRectF &rect) const;
    void strokePath(QPainter *painter, const QPainterPath &path) const;
    void strokeLine(QPainter *painter, const QPointF &p1, const QPointF &p2) const;

    // Turns a linear brush about the middle of from and to.
    void rotate(float degrees);
    void flipHorizontal();
    void flipVertical();

    // The brush as attributes of an element the caller made; only values
    // that differ from the defaults are written.
    void write(QDomElement &element) const;
    void read(const QDomElement &element);

private:
    struct DecodedPicture;

    void storePicture(const QImage &image);
    void fillPicture(QPainter *painter, const QRectF &rect, const QPainterPath *clip) const;
    QPen outlinePen(const QRectF &brushRect) const;
    void applyStops(QGradient &gradient) const;

    int m_type = SkinBrushSolid;
    SkinGradient m_stops;
    QByteArray m_imageData;
    QPointF m_center{0.5, 0.5};
    QPointF m_from{0.0, 0.5};
    QPointF m_to{1.0, 0.5};
    float m_opacity = 1.0f;
    // Shared by copies; replaced whenever the image bytes change.
    std::shared_ptr<DecodedPicture> m_picture;
};

// The most blur passes that blurImage runs, whatever it is asked for.
const int MaxBlurPasses = 100;

// One pass of a 5 x 5 weighted average (weights summing to 27) over all
// four channels, edges clamped. Returns a new image in the source's format
// (indexed images come back as ARGB32), owned by the caller.
QImage *blurImageOnce(const QImage &image);
// passes rounds of blurImageOnce, at most MaxBlurPasses; 0 or less gives an
// unblurred copy. Owned by the caller.
QImage *blurImage(const QImage &image, int passes);

// Travels by value in signals and variants.
Q_DECLARE_METATYPE(SkinBrush)

#endif // SKINBRUSH_H
