#include "model/skinbrush.h"
#include "model/outlineonly.h"

#include "model/geometry.h"
#include "model/gradientfill.h"
#include "model/xmlattributes.h"

#include <QBuffer>
#include <QDomElement>
#include <QImageReader>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>
#include <vector>

struct SkinBrush::DecodedPicture
{
    bool decoded = false;
    QImage image;
};

namespace {

const qreal PointTolerance = 1e-12;

QPointF clampedUnitPoint(const QPointF &p)
{
    return QPointF(qBound(0.0, p.x(), 1.0), qBound(0.0, p.y(), 1.0));
}

bool nearlyEqual(const QPointF &a, const QPointF &b)
{
    return qAbs(a.x() - b.x()) <= PointTolerance && qAbs(a.y() - b.y()) <= PointTolerance;
}

// Whether the point is written as the default (or is it).
bool writesAs(const QPointF &point, const QPointF &defaultPoint)
{
    return nearlyEqual(point, defaultPoint) || nearlyEqual(xmlRoundedPointF(point), defaultPoint);
}

QPointF mapIntoRect(const QPointF &fraction, const QRectF &rect)
{
    return QPointF(rect.x() + rect.width() * fraction.x(), rect.y() + rect.height() * fraction.y());
}

bool hasArea(const QRectF &rect)
{
    return rect.width() > 0 && rect.height() > 0;
}


bool fitsPixelLimit(const QSize &size)
{
    return qint64(size.width()) * size.height() <= SkinBrush::MaxImagePixels;
}

QImage decodePng(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    if (!buffer.open(QIODevice::ReadOnly))
        return QImage();
    QImageReader reader(&buffer, "png");
    const QSize size = reader.size();
    if (size.isValid() && !fitsPixelLimit(size))
        return QImage();
    return reader.read();
}

} // namespace

SkinBrush::SkinBrush()
{
    m_stops.reset();
}

SkinBrush::SkinBrush(int type)
    : SkinBrush()
{
    m_type = type;
}

SkinBrush::SkinBrush(const QColor &color)
    : m_stops(color)
{
}

SkinBrush::SkinBrush(int type, const SkinGradient &stops)
    : m_type(type)
    , m_stops(stops)
{
}

SkinBrush::SkinBrush(const QColor &first, const QColor &last, bool horizontal)
    : m_type(SkinBrushLinear)
    , m_stops(first)
{
    m_stops.setLastColor(last);
    if (!horizontal) {
        m_from = QPointF(0.5, 0.0);
        m_to = QPointF(0.5, 1.0);
    }
}

SkinBrush SkinBrush::transparentBrush()
{
    return SkinBrush(QColor(Qt::transparent));
}

SkinBrush SkinBrush::blackBrush()
{
    return SkinBrush(QColor(Qt::black));
}

SkinBrush SkinBrush::whiteBrush()
{
    return SkinBrush(QColor(Qt::white));
}

void SkinBrush::setCenter(const QPointF &center)
{
    m_center = clampedUnitPoint(center);
}

void SkinBrush::setFrom(const QPointF &from)
{
    m_from = clampedUnitPoint(from);
}

void SkinBrush::setTo(const QPointF &to)
{
    m_to = clampedUnitPoint(to);
}

void SkinBrush::setOpacity(float opacity)
{
    m_opacity = qBound(0.0f, opacity, 1.0f);
}

void SkinBrush::setImageData(const QByteArray &data)
{
    m_imageData = data;
    m_picture = data.isEmpty() ? nullptr : std::make_shared<DecodedPicture>();
}

QString SkinBrush::imageBase64() const
{
    return QString::fromLatin1(m_imageData.toBase64());
}

void SkinBrush::setImageBase64(const QString &text)
{
    setImageData(QByteArray::fromBase64(text.toLatin1()));
}

void SkinBrush::encodeImage(const QPixmap &pixmap)
{
    storePicture(pixmap.toImage());
}

void SkinBrush::storePicture(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!image.isNull() && buffer.open(QIODevice::WriteOnly) && image.save(&buffer, "PNG"))
        setImageData(bytes);
    else
        setImageData(QByteArray());
}

void SkinBrush::loadImageFile(const QString &fileName, float scale)
{
    setImageData(QByteArray());
    scale = qMax(scale, 0.1f);
    QImageReader reader(fileName);
    const QSize size = reader.size();
    const bool shrink = scale < 1.0f && size.width() >= 300 && size.height() >= 300;
    const QSize scaled(int(size.width() * scale), int(size.height() * scale));
    if (size.isValid() && !fitsPixelLimit(size)) {
        // Too large to decode whole; a picture that the scale brings within
        // the limit is decoded straight at its new size.
        if (!shrink || !fitsPixelLimit(scaled))
            return;
        reader.setScaledSize(scaled);
    }
    QImage image = reader.read();
    if (image.isNull())
        return;
    if (shrink && image.size() != scaled)
        image = image.scaled(scaled, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    storePicture(image);
}

QImage SkinBrush::picture() const
{
    if (!m_picture)
        return QImage();
    if (!m_picture->decoded) {
        m_picture->image = decodePng(m_imageData);
        m_picture->decoded = true;
    }
    return m_picture->image;
}

bool SkinBrush::isGradient() const
{
    return m_type == SkinBrushLinear || m_type == SkinBrushRadial || m_type == SkinBrushConical;
}

bool SkinBrush::isBlack() const
{
    return m_type == SkinBrushSolid && m_stops.count() == 2 && m_stops.firstColor() == QColor(Qt::black);
}

bool SkinBrush::isWhite() const
{
    return m_type == SkinBrushSolid && m_stops.count() == 2 && m_stops.firstColor() == QColor(Qt::white);
}

bool SkinBrush::isTransparent() const
{
    if (m_type == SkinBrushImage)
        return m_imageData.isEmpty();
    if (m_stops.count() < 2)
        return false;
    // A solid brush paints its first stop alone; a gradient paints every stop,
    // so one opaque stop between transparent ends still shows.
    if (m_type == SkinBrushSolid)
        return m_stops.firstColor().alpha() == 0;
    for (const SkinGradientStop &stop : m_stops.stops()) {
        if (stop.color().alpha() != 0)
            return false;
    }
    return true;
}

bool SkinBrush::savesAsTransparent() const
{
    return m_type == SkinBrushSolid && isTransparent();
}

bool SkinBrush::savesAsBlack() const
{
    return m_type == SkinBrushSolid && !isTransparent() && m_stops.count() >= 1
        && m_stops.firstColor().name() == QColor(Qt::black).name();
}

SkinBrush SkinBrush::asSaved() const
{
    return xmlSavedCopy(*this, &SkinBrush::write, &SkinBrush::read);
}

bool SkinBrush::isSolidTransparent() const
{
    return m_type == SkinBrushSolid && m_stops.count() == 2 && m_stops.firstColor().alpha() == 0
        && m_stops.lastColor().alpha() == 0;
}

bool SkinBrush::isOpaque() const
{
    if (m_opacity < 1.0f || m_stops.count() < 1)
        return false;
    if (m_type == SkinBrushSolid)
        return m_stops.firstColor().alpha() == 255;
    if (!isGradient())
        return false;
    for (const SkinGradientStop &stop : m_stops.stops()) {
        if (stop.color().alpha() != 255)
            return false;
    }
    return true;
}

bool SkinBrush::operator==(const SkinBrush &other) const
{
    return m_type == other.m_type && m_opacity == other.m_opacity
        && nearlyEqual(m_center, other.m_center) && nearlyEqual(m_from, other.m_from)
        && nearlyEqual(m_to, other.m_to) && m_stops == other.m_stops
        && m_imageData == other.m_imageData;
}

QList<QPointF> SkinBrush::controlPoints(const QRectF &rect) const
{
    if (!hasArea(rect))
        return QList<QPointF>();
    return QList<QPointF>{mapIntoRect(m_center, rect), mapIntoRect(m_from, rect),
                          mapIntoRect(m_to, rect)};
}

void SkinBrush::applyStops(QGradient &gradient) const
{
    // Qt drops positions outside [0, 1] itself, but with a warning each time.
    for (const SkinGradientStop &stop : m_stops.stops()) {
        const float position = stop.position();
        if (position >= 0.0f && position <= 1.0f)
            gradient.setColorAt(position, stop.color());
    }
}

QLinearGradient SkinBrush::linearGradient(const QRectF &rect) const
{
    if (!hasArea(rect))
        return QLinearGradient();
    QLinearGradient gradient(mapIntoRect(m_from, rect), mapIntoRect(m_to, rect));
    applyStops(gradient);
    return gradient;
}

QRadialGradient SkinBrush::radialGradient(const QRectF &rect) const
{
    if (!hasArea(rect))
        return QRadialGradient();
    const QPointF center = mapIntoRect(m_center, rect);
    QRadialGradient gradient(center, qMax(rect.width(), rect.height()), center);
    applyStops(gradient);
    return gradient;
}

QConicalGradient SkinBrush::conicalGradient(const QRectF &rect) const
{
    if (!hasArea(rect))
        return QConicalGradient();
    QConicalGradient gradient(mapIntoRect(m_center, rect), 0.0);
    applyStops(gradient);
    return gradient;
}

QBrush SkinBrush::solidBrush() const
{
    return QBrush(m_stops.firstColor(), Qt::SolidPattern);
}

QBrush SkinBrush::textureBrush(const QRectF &rect) const
{
    const QImage image = picture();
    if (!hasArea(rect) || image.isNull())
        return QBrush();
    return QBrush(image);
}

QBrush SkinBrush::toBrush(const QRectF &rect) const
{
    const QRectF r = normalizedRect(rect);
    if (!hasArea(r))
        return QBrush(Qt::NoBrush);
    switch (m_type) {
    case SkinBrushSolid:
        return solidBrush();
    case SkinBrushLinear:
        return QBrush(linearGradient(r));
    case SkinBrushRadial:
        return QBrush(radialGradient(r));
    case SkinBrushConical:
        return QBrush(conicalGradient(r));
    case SkinBrushImage:
        return textureBrush(r);
    default:
        return QBrush(Qt::NoBrush);
    }
}

void SkinBrush::fillPicture(QPainter *painter, const QRectF &rect, const QPainterPath *clip) const
{
    const QImage image = picture();
    if (image.isNull())
        return;
    // save/restore brings back the caller's clip exactly, on or off. The
    // caller's clip stays in force: a banded render keeps each band's
    // painting to its own rows by it.
    painter->save();
    const Qt::ClipOperation operation = painter->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip;
    if (clip)
        painter->setClipPath(*clip, operation);
    else
        painter->setClipRect(rect, operation);
    // On whole units, as a QRect would place it, but in reals: a shape far
    // off the page would overflow the ints of a QRect.
    const auto whole = [](qreal v) { return std::floor(v + 0.5); }; // halves up, as qRound
    const QRectF target(whole(rect.x()), whole(rect.y()), whole(rect.width()), whole(rect.height()));
    painter->drawImage(target, image);
    painter->restore();
}

void SkinBrush::fillRect(QPainter *painter, const QRectF &rect) const
{
    painter->setOpacity(m_opacity);
    if (m_type == SkinBrushImage)
        fillPicture(painter, rect, nullptr);
    else
        painter->fillRect(rect, toBrush(rect));
    painter->setOpacity(1.0);
}

void SkinBrush::fillPath(QPainter *painter, const QPainterPath &path) const
{
    const QRectF rect = path.boundingRect();
    painter->setOpacity(m_opacity);
    if (m_type == SkinBrushImage)
        fillPicture(painter, rect, &path);
    else
        GradientFill::fill(painter, path, toBrush(rect));
    painter->setOpacity(1.0);
}

void SkinBrush::fillEllipse(QPainter *painter, const QRectF &rect) const
{
    QPainterPath path;
    path.addEllipse(rect);
    fillPath(painter, path);
}

QPen SkinBrush::outlinePen(const QRectF &brushRect) const
{
    return QPen(toBrush(brushRect), 1, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
}

void SkinBrush::strokeRect(QPainter *painter, const QRectF &rect) const
{
    painter->setOpacity(m_opacity);
    painter->setPen(outlinePen(rect));
    OutlineOnly outline(painter);
    painter->drawRect(rect);
    painter->setOpacity(1.0);
}

void SkinBrush::strokePath(QPainter *painter, const QPainterPath &path) const
{
    painter->setOpacity(m_opacity);
    painter->setPen(outlinePen(OutlineOnly::withoutZeroExtent(path.boundingRect())));
    OutlineOnly outline(painter);
    painter->drawPath(path);
    painter->setOpacity(1.0);
}

void SkinBrush::strokeLine(QPainter *painter, const QPointF &p1, const QPointF &p2) const
{
    painter->setOpacity(m_opacity);
    painter->setPen(outlinePen(OutlineOnly::withoutZeroExtent(QRectF(p1, QSizeF(p2.x() - p1.x(), p2.y() - p1.y())))));
    painter->drawLine(p1, p2);
    painter->setOpacity(1.0);
}

void SkinBrush::rotate(float degrees)
{
    if (m_type != SkinBrushLinear || qAbs(degrees) <= 0.001f)
        return;
    const QPointF middle = (m_from + m_to) / 2.0;
    m_from = clampedUnitPoint(rotatePointAround(m_from, middle, degrees, 1.0f));
    m_to = clampedUnitPoint(rotatePointAround(m_to, middle, degrees, 1.0f));
}

void SkinBrush::flipHorizontal()
{
    m_center.setX(1.0 - m_center.x());
    m_from.setX(1.0 - m_from.x());
    m_to.setX(1.0 - m_to.x());
}

void SkinBrush::flipVertical()
{
    m_center.setY(1.0 - m_center.y());
    m_from.setY(1.0 - m_from.y());
    m_to.setY(1.0 - m_to.y());
}

void SkinBrush::write(QDomElement &element) const
{
    // Real values are compared with their defaults as the file gives them
    // back, so that one that only rounds to its default is left out.
    if (m_type != SkinBrushSolid) {
        writeXmlIntAttribute(element, QStringLiteral("Type"), m_type);
        if ((m_type == SkinBrushRadial || m_type == SkinBrushConical)
            && !writesAs(m_center, QPointF(0.5, 0.5)))
            writeXmlPointFAttribute(element, QStringLiteral("Center"), m_center);
        if (m_type == SkinBrushLinear) {
            if (!writesAs(m_from, QPointF(0.0, 0.5)))
                writeXmlPointFAttribute(element, QStringLiteral("From"), m_from);
            if (!writesAs(m_to, QPointF(1.0, 0.5)))
                writeXmlPointFAttribute(element, QStringLiteral("To"), m_to);
        }
    }
    if (m_opacity < 1.0f && xmlRoundedFloat(m_opacity) < 1.0f)
        writeXmlFloatAttribute(element, QStringLiteral("Opacity"), m_opacity);
    if (isTransparent())
        return;
    if (m_type == SkinBrushImage) {
        writeXmlBytesAttribute(element, QStringLiteral("Image"), m_imageData);
    } else if (m_type != SkinBrushSolid) {
        writeXmlFloatListAttribute(element, QStringLiteral("Positions"), m_stops.positions());
        writeXmlColorListAttribute(element, QStringLiteral("Colors"), m_stops.colors());
    } else {
        writeXmlColorAttribute(element, QStringLiteral("Color"), m_stops.firstColor());
    }
}

void SkinBrush::read(const QDomElement &element)
{
    m_type = readXmlIntAttribute(element, QStringLiteral("Type"), SkinBrushSolid);
    m_center = readXmlPointFAttribute(element, QStringLiteral("Center"), QPointF(0.5, 0.5));
    m_from = readXmlPointFAttribute(element, QStringLiteral("From"), QPointF(0.0, 0.5));
    m_to = readXmlPointFAttribute(element, QStringLiteral("To"), QPointF(1.0, 0.5));
    m_opacity = readXmlFloatAttribute(element, QStringLiteral("Opacity"), 1.0f);
    setImageData(QByteArray());
    m_stops.reset();
    if (m_type == SkinBrushImage) {
        setImageData(readXmlBytesAttribute(element, QStringLiteral("Image")));
    } else if (m_type == SkinBrushSolid) {
        const QColor color = readXmlColorAttribute(element, QStringLiteral("Color"), Qt::transparent);
        m_stops.setFirstColor(color);
        m_stops.setLastColor(color);
    } else {
        const QList<float> positions = readXmlFloatListAttribute(element, QStringLiteral("Positions"));
        const QList<QColor> colors = readXmlColorListAttribute(element, QStringLiteral("Colors"));
        if (positions.size() >= 2 && colors.size() == positions.size()) {
            m_stops.stops().clear();
            for (int i = 0; i < positions.size(); ++i)
                m_stops.append(positions.at(i), colors.at(i));
        }
    }
}

// The blur works on scan lines: each source row is read once, spread into
// 16-bit lanes (alpha, red, green, blue in one 64-bit word, so one addition
// serves all four channels; 27 x 255 fits a lane), and kept while the five
// rows around the output row need it. Columns and rows outside the image
// repeat the edge pixels.
namespace {

using Lanes = quint64;
const int BlurRadius = 2;
const int BlurRows = 2 * BlurRadius + 1;
const int BlurWeightSum = 27;

inline Lanes spreadPixel(QRgb p)
{
    return (Lanes(qAlpha(p)) << 48) | (Lanes(qRed(p)) << 32) | (Lanes(qGreen(p)) << 16)
        | Lanes(qBlue(p));
}

// Division by 27 of every lane at once: for sums up to 27 x 255,
// (sum x 4855) >> 17 equals sum / 27 exactly, and sum x 4855 stays below
// 2^32, so two lanes widened to 32 bits share one 64-bit multiplication.
const Lanes DivideBy27Factor = 4855;
const int DivideBy27Shift = 17;
const Lanes EvenLanes = 0x0000ffff0000ffffull;
const Lanes LowBytes = 0x000000ff000000ffull;
static_assert(BlurWeightSum == 27, "the division factor belongs to the weight sum 27");

inline QRgb averagePixel(Lanes sum)
{
    const Lanes blueRed = (((sum & EvenLanes) * DivideBy27Factor) >> DivideBy27Shift) & LowBytes;
    const Lanes greenAlpha = ((((sum >> 16) & EvenLanes) * DivideBy27Factor) >> DivideBy27Shift) & LowBytes;
    const Lanes packed = blueRed | (greenAlpha << 8); // b, g at bits 0..15; r, a at 32..47
    return QRgb(packed & 0xffff) | (QRgb(packed >> 32) << 16);
}

// Formats whose pixels are one 32-bit word as QImage::pixel and setPixel see
// them: ARGB32 and premultiplied ARGB32 as stored (the blur then averages
// premultiplied values, as pixel() hands them over), RGB32 with alpha 255.
bool isWordFormat(QImage::Format format)
{
    return format == QImage::Format_ARGB32 || format == QImage::Format_ARGB32_Premultiplied
        || format == QImage::Format_RGB32;
}

// setPixel takes colour indexes on these; they are blurred as ARGB32.
bool isIndexed(QImage::Format format)
{
    return format == QImage::Format_Mono || format == QImage::Format_MonoLSB
        || format == QImage::Format_Indexed8;
}

// One source row, padded by BlurRadius repeated edge pixels at both ends.
void spreadRow(const QImage &source, int y, QRgb *scratch, Lanes *lanes)
{
    const int width = source.width();
    const QRgb *pixels = scratch;
    if (isWordFormat(source.format())) {
        pixels = reinterpret_cast<const QRgb *>(source.constScanLine(y));
    } else {
        for (int x = 0; x < width; ++x)
            scratch[x] = source.pixel(x, y);
    }
    const QRgb opaque = source.format() == QImage::Format_RGB32 ? 0xff000000u : 0u;
    for (int x = 0; x < width; ++x)
        lanes[x + BlurRadius] = spreadPixel(pixels[x] | opaque);
    for (int i = 0; i < BlurRadius; ++i) {
        lanes[i] = lanes[BlurRadius];
        lanes[width + BlurRadius + i] = lanes[width + BlurRadius - 1];
    }
}

// The row loop vectorises twice as wide with AVX2; where the toolchain can
// pick a variant at load time, the processor decides which one runs. Not
// under ThreadSanitizer: the chooser runs before the sanitizer is set up.
#if defined(__GNUC__) && defined(__x86_64__) && defined(__ELF__) && !defined(__SANITIZE_THREAD__)
#define BLUR_ROW_VARIANTS __attribute__((target_clones("avx2", "default")))
#else
#define BLUR_ROW_VARIANTS
#endif

// One output row from the five padded rows around it.
BLUR_ROW_VARIANTS
void blurRow(const Lanes *r0, const Lanes *r1, const Lanes *r2, const Lanes *r3, const Lanes *r4,
             QRgb *out, int width)
{
    for (int x = 0; x < width; ++x) {
        //          1
        //       1  3  1
        //    1  3  7  3  1
        //       1  3  1
        //          1
        const Lanes sum = r0[x] + r4[x] + r1[x - 1] + r1[x + 1] + r3[x - 1] + r3[x + 1]
            + r2[x - 2] + r2[x + 2] + 3 * (r1[x] + r3[x] + r2[x - 1] + r2[x + 1]) + 7 * r2[x];
        out[x] = averagePixel(sum);
    }
}

// Blurs the picture in place. Row k is spread into the ring when output row
// k - 2 is computed, before row k itself is overwritten, and stays there
// until output row k + 2 is done; rows beyond the edges repeat rows that are
// still in the ring, so no overwritten row is ever read again.
void blurInPlace(QImage &image)
{
    const int width = image.width();
    const int height = image.height();
    const int stride = width + 2 * BlurRadius;
    const bool wordFormat = isWordFormat(image.format());
    std::vector<Lanes> rows(static_cast<size_t>(stride) * BlurRows);
    std::vector<QRgb> scratch(static_cast<size_t>(width));
    int rowInSlot[BlurRows];
    std::fill(rowInSlot, rowInSlot + BlurRows, -1);

    // Any five consecutive rows fall into five different slots.
    auto row = [&](int y) -> const Lanes * {
        const int clamped = qBound(0, y, height - 1);
        const int slot = clamped % BlurRows;
        Lanes *lanes = rows.data() + static_cast<size_t>(slot) * stride;
        if (rowInSlot[slot] != clamped) {
            spreadRow(image, clamped, scratch.data(), lanes);
            rowInSlot[slot] = clamped;
        }
        return lanes + BlurRadius;
    };

    for (int y = 0; y < height; ++y) {
        const Lanes *r0 = row(y - 2);
        const Lanes *r1 = row(y - 1);
        const Lanes *r2 = row(y);
        const Lanes *r3 = row(y + 1);
        const Lanes *r4 = row(y + 2);
        // An RGB32 picture averages alpha 255 everywhere, so its result words
        // already carry the alpha that setPixel would force.
        QRgb *out = wordFormat ? reinterpret_cast<QRgb *>(image.scanLine(y)) : scratch.data();
        blurRow(r0, r1, r2, r3, r4, out, width);
        if (!wordFormat) {
            for (int x = 0; x < width; ++x)
                image.setPixel(x, y, scratch[size_t(x)]);
        }
    }
}

// A copy of the picture in its own format, blurred passes times.
QImage blurredCopy(const QImage &image, int passes)
{
    QImage result = isIndexed(image.format()) ? image.convertToFormat(QImage::Format_ARGB32)
                                              : image.copy();
    if (result.width() <= 0 || result.height() <= 0)
        return result;
    for (int i = 0; i < passes; ++i)
        blurInPlace(result);
    return result;
}

} // namespace

QImage *blurImageOnce(const QImage &image)
{
    return new QImage(blurredCopy(image, 1));
}

QImage *blurImage(const QImage &image, int passes)
{
    passes = qMin(passes, MaxBlurPasses);
    if (passes <= 0)
        return new QImage(image);
    return new QImage(blurredCopy(image, passes));
}
