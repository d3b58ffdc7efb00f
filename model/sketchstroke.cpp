#include "model/sketchstroke.h"
#include "model/outlineonly.h"

#include "model/geometry.h"
#include "model/gradientfill.h"
#include "model/polylinestroker.h"
#include "model/xmlattributes.h"

#include <QDomElement>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

// Below this width a line is widened when the view is zoomed out.
const int ThinLineWidth = 8;

void applyStyle(QPen &pen, int style)
{
    if (style == SketchStrokeRound) {
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
    } else if (style == SketchStrokeSquare) {
        pen.setCapStyle(Qt::SquareCap);
        pen.setJoinStyle(Qt::MiterJoin);
    }
}


// Whether the pen is drawn as an outline filled over a pixel or more.
// Thinner lines take another road through the painter, whose pixels along
// a segment depend on the rest of its path: cutting that path up would
// leave seams between repaints, so those lines are always drawn whole.
qreal smallerScale(const QTransform &transform)
{
    return qMin(std::hypot(transform.m11(), transform.m21()), std::hypot(transform.m12(), transform.m22()));
}

bool coversPixels(const QPen &pen, const QTransform &transform)
{
    return !pen.isCosmetic() && pen.widthF() * smallerScale(transform) > 1.5;
}

// How far, in picture pixels, the chord of a round join may lie inside its
// arc: a sixty-fourth of a pixel is the rasteriser's own step.
constexpr qreal kJoinTolerance = 1.0 / 64;

// Strokes a path of straight lines the way the painter would, only faster
// (see PolylineStroker); false when the painter must.
// Below this scale a page's flattened curves have several corners to a
// picture pixel (a zoomed-out view, a thumbnail).
constexpr qreal kThinningScale = 0.5;
// How near, in picture pixels, a point may lie to the last one kept and be
// left out of the stroked line.
constexpr qreal kThinningSpacing = 0.25;

// One subpath of straight lines, less the points that lie within spacing
// of the last point kept; its first and last points stay. The subpath as
// it is when thinning would leave it without a length.
QPolygonF thinnedSubpath(const QPolygonF &points, qreal spacing)
{
    QPolygonF thinned;
    thinned.reserve(points.size());
    for (int i = 0; i < points.size(); ++i) {
        const QPointF &p = points.at(i);
        const bool ends = i == 0 || i == points.size() - 1;
        if (!ends && qAbs(p.x() - thinned.last().x()) < spacing && qAbs(p.y() - thinned.last().y()) < spacing)
            continue;
        thinned << p;
    }
    const QRectF box = thinned.boundingRect();
    if (thinned.size() < 2 || (thinned.first() == thinned.last() && thinned.size() < 4)
        || (box.width() <= 0.0 && box.height() <= 0.0)) {
        return points;
    }
    return thinned;
}

// The path of straight lines with its crowded points left out (see
// thinnedSubpath); the path itself when it has curves or none is left out.
QPainterPath thinnedLines(const QPainterPath &path, qreal spacing)
{
    QPainterPath thinned;
    thinned.setFillRule(path.fillRule());
    bool changed = false;
    QPolygonF subpath;
    const auto flush = [&]() {
        if (subpath.isEmpty())
            return;
        const QPolygonF kept = thinnedSubpath(subpath, spacing);
        changed = changed || kept.size() != subpath.size();
        thinned.moveTo(kept.first());
        for (int i = 1; i < kept.size(); ++i)
            thinned.lineTo(kept.at(i));
        subpath.clear();
    };
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element &e = path.elementAt(i);
        if (e.isCurveTo() || e.type == QPainterPath::CurveToDataElement)
            return path;
        if (e.isMoveTo())
            flush();
        subpath << QPointF(e.x, e.y);
    }
    flush();
    return changed ? thinned : path;
}

bool strokeLines(QPainter *painter, const QPen &pen, const QPainterPath &path)
{
    if (!PolylineStroker::canStroke(pen))
        return false;
    const qreal scale = smallerScale(painter->transform());
    const PolylineStroker stroker(pen, kJoinTolerance / scale);
    QPainterPath outline;
    outline.setFillRule(Qt::WindingFill);
    const bool stroked = scale < kThinningScale && scale > 0.0
        ? stroker.stroke(thinnedLines(path, kThinningSpacing / scale), &outline)
        : stroker.stroke(path, &outline);
    if (!stroked)
        return false;
    GradientFill::fill(painter, outline, pen.brush());
    return true;
}

// The pieces of a path of straight lines that come within reach of the
// clip, each a subpath; the path itself when it has curves, when nothing is
// left out or when it is short. A piece ends only at a corner that lies at
// least reach outside the clip, so its cap or join there cannot show; a
// closed outline is walked from such a corner, keeping its own corner joins.
QPainterPath piecesNear(const QPainterPath &path, const QRectF &clip, qreal reach)
{
    const int count = path.elementCount();
    if (count < 8)
        return path;
    QPolygonF points;
    points.reserve(count);
    for (int i = 0; i < count; ++i) {
        const QPainterPath::Element &e = path.elementAt(i);
        if ((i == 0) != e.isMoveTo() || e.isCurveTo() || e.type == QPainterPath::CurveToDataElement)
            return path;
        points << QPointF(e.x, e.y);
    }
    const QRectF near = clip.adjusted(-reach, -reach, reach, reach);
    // Compared by hand: QRectF::intersects counts the flat box of a level or
    // upright segment as empty, and such a segment must still be drawn.
    auto shows = [&](int i) {
        const QPointF &a = points.at(i);
        const QPointF &b = points.at(i + 1);
        return qMax(a.x(), b.x()) >= near.left() && qMin(a.x(), b.x()) <= near.right()
            && qMax(a.y(), b.y()) >= near.top() && qMin(a.y(), b.y()) <= near.bottom();
    };
    const int segments = count - 1;
    int first = -1; // a segment left out
    for (int i = 0; i < segments && first < 0; ++i) {
        if (!shows(i))
            first = i;
    }
    if (first < 0)
        return path;
    const bool closed = points.first() == points.last();
    QPainterPath pieces;
    bool drawing = false;
    const int start = closed ? first : 0;
    for (int n = 0; n < segments; ++n) {
        const int i = (start + n) % segments;
        if (!shows(i)) {
            drawing = false;
            continue;
        }
        if (!drawing)
            pieces.moveTo(points.at(i));
        pieces.lineTo(points.at(i + 1));
        drawing = true;
    }
    return pieces;
}

} // namespace

SketchStroke::SketchStroke() = default;

SketchStroke::SketchStroke(const QColor &color, int width, int style)
    : m_brush(color)
    , m_width(qMax(width, 1))
    , m_style(style)
{
}

void SketchStroke::setWidth(int width)
{
    m_width = qMax(width, 1);
}

bool SketchStroke::isInvisible() const
{
    return m_brush.isTransparent() || m_width < 1;
}

bool SketchStroke::isDefault() const
{
    return m_style == SketchStrokeRound && m_width == 1 && m_brush.savesAsBlack();
}

bool SketchStroke::operator==(const SketchStroke &other) const
{
    return m_style == other.m_style && m_width == other.m_width && m_brush == other.m_brush;
}

QPen SketchStroke::makePen(QRectF &rect, float zoom) const
{
    rect = normalizedRect(rect);
    // A width read from a file may be 0 or negative; QPen would draw a
    // hairline or be undefined, while the stroke counts as invisible.
    if (rect.width() <= 0 || rect.height() <= 0 || m_width < 1)
        return QPen(Qt::NoPen);
    QPen pen(m_brush.toBrush(rect), m_width, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
    applyStyle(pen, m_style);
    if (zoom < 1.0f && pen.width() < ThinLineWidth)
        pen.setWidthF(pen.width() / qreal(zoom));
    return pen;
}

QPen SketchStroke::stylePen() const
{
    QPen pen(QBrush(Qt::black), qMax(m_width, 0), Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
    applyStyle(pen, m_style);
    return pen;
}

void SketchStroke::strokeRect(QPainter *painter, QRectF &rect, float zoom) const
{
    painter->setPen(makePen(rect, zoom));
    OutlineOnly outline(painter);
    painter->drawRect(rect);
}

void SketchStroke::drawBorder(QPainter *painter, const QRectF &area, float zoom) const
{
    if (m_width <= 0)
        return;
    const int half = m_width / 2;
    QRectF rect(half, half, area.width() - m_width, area.height() - m_width);
    strokeRect(painter, rect, zoom);
}

void SketchStroke::strokePath(QPainter *painter, const QPainterPath &path, float zoom) const
{
    painter->setOpacity(m_brush.opacity());
    QRectF rect = OutlineOnly::withoutZeroExtent(path.boundingRect());
    const QPen pen = makePen(rect, zoom);
    painter->setPen(pen);
    OutlineOnly outline(painter);
    if (pen.style() != Qt::NoPen && coversPixels(pen, painter->transform())) {
        // A mitred corner runs out up to two and a half widths past its point.
        const QPainterPath &near = painter->hasClipping()
            ? piecesNear(path, painter->clipBoundingRect(), 3.0 * pen.widthF() + 1.0)
            : path;
        if (!strokeLines(painter, pen, near))
            painter->drawPath(near);
    } else {
        painter->drawPath(path);
    }
    painter->setOpacity(1.0);
}

void SketchStroke::strokeLine(QPainter *painter, const QPointF &p1, const QPointF &p2, float zoom) const
{
    painter->setOpacity(m_brush.opacity());
    QRectF rect = OutlineOnly::withoutZeroExtent(QRectF(p1, QSizeF(p2.x() - p1.x(), p2.y() - p1.y())));
    painter->setPen(makePen(rect, zoom));
    painter->drawLine(p1, p2);
    painter->setOpacity(1.0);
}

void SketchStroke::writeXml(QDomElement &element) const
{
    if (m_style != SketchStrokeRound)
        writeXmlIntAttribute(element, QStringLiteral("Style"), m_style);
    // The reader takes a missing width for 1, so any other width is written,
    // a width of 0 (no outline at all) included.
    if (m_width != 1)
        writeXmlIntAttribute(element, QStringLiteral("Width"), m_width);
    if (!m_brush.savesAsBlack()) {
        QDomElement fill = appendXmlElement(element, QStringLiteral("Fill"));
        m_brush.write(fill);
    }
}

SketchStroke SketchStroke::asSaved() const
{
    return xmlSavedCopy(*this, &SketchStroke::writeXml, &SketchStroke::readXml);
}

void SketchStroke::readXml(const QDomElement &element)
{
    m_style = readXmlIntAttribute(element, QStringLiteral("Style"), SketchStrokeRound);
    m_width = readXmlIntAttribute(element, QStringLiteral("Width"), 1);
    const QDomElement fill = element.firstChildElement(QStringLiteral("Fill"));
    SkinBrush brush = SkinBrush::blackBrush();
    if (!fill.isNull())
        brush.read(fill);
    m_brush = brush;
}
