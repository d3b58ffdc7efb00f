// SketchShape: painting of the content, the text, the handles and the blur.
#include "model/sketchshape.h"

#include "editor/sketchdocumentview.h"
#include "editor/sketchtooltype.h"
#include "model/coordinates.h"
#include "model/sketchdocument.h"
#include "model/sketchpoint.h"
#include "model/sketchtextalign.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QTextOption>

#include <cmath>

namespace {

// Half sizes of the drawn handles and of the highlight ring, in screen pixels.
constexpr float kCurveHandleHalfSize = 3.0f;
constexpr float kCornerHandleHalfSize = 2.5f;
constexpr float kRingHalfSize = 5.5f;

// Margin around the shape in its blurred picture; the picture is drawn one
// unit further right and down than it was rendered.
constexpr int kBlurMargin = 10;
constexpr int kBlurDrawOffset = 9;
// Limits of the off-screen blur, so that a file with absurd sizes still
// paints at once: a larger shape is painted without blur, and a long blur of
// a large picture gets fewer passes, but never fewer than the design panel
// offers.
constexpr qreal kMaxBlurCoordinate = MaxDocumentCoordinate;
constexpr qint64 kMaxBlurSide = 8192;
constexpr qint64 kMaxBlurPixels = qint64(2) * 1024 * 1024;
constexpr qint64 kMaxBlurWork = qint64(16) * 1024 * 1024;
constexpr qint64 kAlwaysAllowedBlurPasses = 10;

// The nearest integer, halves upwards.
qint64 roundHalfUp(qreal value)
{
    return qint64(std::floor(value + 0.5));
}

} // namespace

void SketchShape::paint(QPainter *painter, float zoom, bool showHandles)
{
    if (needsBlurImage() && !m_blurImage)
        updateBlurImage();
    if (m_blurImage) {
        paintBlurImage(painter);
    } else {
        paintContent(painter, zoom);
        if (m_closed && !m_text.isEmpty())
            paintText(painter, textRect(), m_text);
    }
    if (showHandles && m_selected)
        paintHandles(painter);
}

void SketchShape::prepareToPaint(bool keepOutline)
{
    if (keepOutline || keepsOutlineShape())
        outlineShapeCache();
    else
        boundingRect();
    if (needsBlurImage() && !m_blurImage)
        updateBlurImage();
    m_fill.picture();
    m_stroke.brush().picture();
}

void SketchShape::paintContent(QPainter *painter, float zoom)
{
    if (m_points.size() <= 1)
        return;
    QPainterPath scratch;
    const QPainterPath &shapePath = paintPath(&scratch);
    if (!m_fill.isTransparent())
        m_fill.fillPath(painter, shapePath);
    if (!m_stroke.isInvisible()) {
        painter->setBrush(Qt::NoBrush);
        m_stroke.strokePath(painter, shapePath, zoom);
    }
}

void SketchShape::paintHandles(QPainter *painter)
{
    const SketchDocumentView *documentView = view();
    if (documentView && documentView->currentToolType() == SketchToolTypeResize)
        return;
    // A handle wholly outside the painter's clip (in another band's rows of
    // a banded paint) is left out before its pen and brush are set up.
    const QRectF clip = painter->hasClipping() ? painter->clipBoundingRect() : QRectF();
    for (int i = 0; i < m_points.size(); ++i) {
        SketchPoint *point = m_points.at(i);
        if (!clip.isNull() && !handleRect(point, kRingHalfSize).intersects(clip))
            continue;
        paintPointHandle(painter, point, i == m_activeHandle - SketchHandleFirstPoint, false);
    }
}

void SketchShape::paintPointHandle(QPainter *painter, SketchPoint *point, bool active, bool ring)
{
    if (!point)
        return;
    QColor fillColor = Qt::white;
    if (active)
        fillColor = Qt::green;
    else if (m_locked || point->isLocked())
        fillColor = Qt::gray;
    QPen pen(point->isCurve() ? Qt::red : Qt::black);
    const SketchDocumentView *documentView = view();
    if (documentView)
        pen.setWidth(int(1.0 / documentView->zoom()));

    // The painter is left as it was found. Only what changes here is kept
    // and put back: a whole save() per handle costs more than the handle
    // on a page of many selected shapes.
    const QPen oldPen = painter->pen();
    const QBrush oldBrush = painter->brush();
    const bool oldAntialiasing = painter->testRenderHint(QPainter::Antialiasing);
    painter->setPen(pen);
    if (point->isCurve()) {
        painter->setRenderHint(QPainter::Antialiasing, true);
        painter->setBrush(fillColor);
        painter->drawEllipse(handleRect(point, kCurveHandleHalfSize));
    } else {
        painter->setRenderHint(QPainter::Antialiasing, false);
        const QRectF handle = handleRect(point, kCornerHandleHalfSize);
        painter->fillRect(handle, fillColor);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(handle);
    }
    if (ring && documentView) {
        const double width = documentView->pressedButton() == Qt::LeftButton ? 2.0 : 1.0;
        QPen ringPen(Qt::red);
        ringPen.setWidth(int(width / documentView->zoom()));
        painter->setRenderHint(QPainter::Antialiasing, true);
        painter->setPen(ringPen);
        painter->setBrush(Qt::NoBrush);
        painter->drawEllipse(handleRect(point, kRingHalfSize));
    }
    painter->setPen(oldPen);
    painter->setBrush(oldBrush);
    painter->setRenderHint(QPainter::Antialiasing, oldAntialiasing);
}

void SketchShape::paintText(QPainter *painter, QRectF rect, const QString &text)
{
    if (m_points.size() < 2 || text.isEmpty())
        return;
    rect = QRectF(rect.x(), rect.y() + 2.0, rect.width(), rect.height() - 2.0);
    if (!(rect.width() > 0.0 && rect.height() > 0.0))
        return;
    const QFont oldFont = painter->font();
    const QPen oldPen = painter->pen();
    painter->setFont(m_font);
    painter->setPen(QPen(m_fontColor));
    if (m_align == SketchTextAlignVertical)
        paintVerticalText(painter, rect, text);
    else
        painter->drawText(rect, text, QTextOption(sketchTextAlignment(m_align)));
    painter->setFont(oldFont);
    painter->setPen(oldPen);
}

// Vertical text: characters stacked in columns that run from right to left,
// the block centred horizontally in the rectangle. A line feed starts a new
// column.
void SketchShape::paintVerticalText(QPainter *painter, const QRectF &rect, const QString &text)
{
    struct Column
    {
        QString characters;
        int width;
    };
    const QFontMetrics metrics(m_font);
    const int lineHeight = metrics.height();
    const int extra = m_font.style() != QFont::StyleNormal ? 8 : 2;
    auto characterWidth = [&](QChar c, bool first) {
        const int width = metrics.horizontalAdvance(c) + extra;
        return first ? width : qMax(width, 12);
    };

    QList<Column> columns;
    columns.append(Column{QString(text.at(0)), characterWidth(text.at(0), true)});
    int runningHeight = lineHeight;
    for (int i = 1; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\n')) {
            columns.append(Column{QString(), columns.last().width});
            runningHeight = 0;
            continue;
        }
        runningHeight += lineHeight;
        const int width = characterWidth(c, false);
        if (runningHeight > rect.height()) {
            columns.append(Column{QString(c), width});
            runningHeight = lineHeight;
        } else {
            columns.last().characters.append(c);
            columns.last().width = qMax(columns.last().width, width);
        }
    }

    // Whole units, truncated toward zero, kept in reals: the box may lie
    // beyond the range of an int.
    qreal totalWidth = 0.0;
    for (const Column &column : qAsConst(columns))
        totalWidth += column.width;
    qreal right = std::trunc(std::trunc(rect.x() + rect.width()) - (rect.width() - totalWidth) * 0.5);
    for (const Column &column : qAsConst(columns)) {
        const qreal left = right - column.width;
        qreal top = std::trunc(rect.y());
        for (const QChar c : column.characters) {
            painter->drawText(QRectF(left, top, column.width, lineHeight), Qt::AlignHCenter | Qt::AlignVCenter,
                              QString(c));
            top += lineHeight;
        }
        right = left;
    }
}

// --- Blur --------------------------------------------------------------------

bool SketchShape::needsBlurImage() const
{
    return m_blur > 0 && m_layer;
}

void SketchShape::setCachedBlurImage(QImage *image)
{
    if (image == m_blurImage)
        return;
    // The first picture shows what the shape showed already; a picture
    // dropped or replaced may show something else.
    if (m_blurImage)
        noteChange();
    delete m_blurImage;
    m_blurImage = image;
}

void SketchShape::updateBlurImage()
{
    setCachedBlurImage(nullptr);
    if (needsBlurImage())
        setCachedBlurImage(renderBlurImage());
}

QImage *SketchShape::renderBlurImage()
{
    const QRectF bounds = boundingRect();
    const qreal values[] = {bounds.x(), bounds.y(), bounds.width(), bounds.height()};
    for (qreal value : values) {
        if (!std::isfinite(value) || std::abs(value) > kMaxBlurCoordinate)
            return nullptr;
    }
    const qint64 x = roundHalfUp(bounds.x());
    const qint64 y = roundHalfUp(bounds.y());
    const qint64 width = roundHalfUp(bounds.width()) + 2 * kBlurMargin;
    const qint64 height = roundHalfUp(bounds.height()) + 2 * kBlurMargin;
    if (width > kMaxBlurSide || height > kMaxBlurSide || width * height > kMaxBlurPixels)
        return nullptr;

    QImage image(int(width), int(height), QImage::Format_ARGB32);
    if (image.isNull())
        return nullptr;
    // Blurred edges fade towards the paper's colour.
    QColor background = Qt::white;
    if (const SketchDocument *doc = document())
        background = doc->paperColor().stops().firstColor();
    background.setAlpha(0);
    image.fill(background);
    {
        QPainter painter(&image);
        painter.translate(double(kBlurMargin - x), double(kBlurMargin - y));
        painter.setRenderHint(QPainter::Antialiasing, true);
        paintContent(&painter, 1.0f);
        // A group's content already holds its text; drawn again it would
        // come out darker and bolder than without blur.
        if (!isGroup() && m_closed && !m_text.isEmpty())
            paintText(&painter, textRect(), m_text);
    }
    const qint64 passes = qMin<qint64>(m_blur, qMax(kAlwaysAllowedBlurPasses, kMaxBlurWork / (width * height)));
    return blurImage(image, int(passes));
}

void SketchShape::paintBlurImage(QPainter *painter)
{
    if (!m_blurImage)
        return;
    const QRectF bounds = boundingRect();
    painter->drawImage(QPoint(truncatedPixel(bounds.x() - kBlurDrawOffset), truncatedPixel(bounds.y() - kBlurDrawOffset)),
                       *m_blurImage);
}
