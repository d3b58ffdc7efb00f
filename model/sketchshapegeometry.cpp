// SketchShape: point runs, outline, view mapping, hit tests and point editing.
#include "model/sketchshape.h"

#include "editor/sketchdocumentview.h"
#include "model/geometry.h"
#include "model/sketchlayer.h"
#include "model/sketchpoint.h"

#include <QTransform>

#include <cmath>

namespace {

// Flatness of the curve through a closed shape of curve points, of the curve
// runs of other shapes, and of the segment search.
constexpr float kClosedFlatness = 0.1f;
constexpr float kRunFlatness = 0.05f;
constexpr float kSearchFlatness = 0.1f;
// Half sizes of the point handles hit and drawn, in screen pixels.
constexpr float kHitHandleHalfSize = 3.0f;
// The smallest zoom of a view, which makes handles the largest.
constexpr float kMinimumZoom = 0.2f;
// Nothing is made smaller than this by resize.
constexpr float kMinimumResizeExtent = 5.0f;
// Distance of a bubble's tail base points from the middle of its edge.
constexpr float kTailBaseHalfWidth = 10.0f;

QPointF pointAt(const SketchPoint *point)
{
    return point->toPointF();
}

// Whether p lies within tolerance of a piece of the polyline. The bounding
// box of each piece, widened by the tolerance, rejects most pieces before the
// exact test: a point near a piece always lies inside that box.
bool isNearOutline(const QPointF &p, const QPolygonF &polygon, float tolerance)
{
    const qreal t = tolerance;
    for (int i = 0; i + 1 < polygon.size(); ++i) {
        const QPointF &a = polygon.at(i);
        const QPointF &b = polygon.at(i + 1);
        if (p.x() < qMin(a.x(), b.x()) - t || p.x() > qMax(a.x(), b.x()) + t
            || p.y() < qMin(a.y(), b.y()) - t || p.y() > qMax(a.y(), b.y()) + t) {
            continue;
        }
        if (isPointNearSegment(p, FloatSegment(a.x(), a.y(), b.x(), b.y()), tolerance))
            return true;
    }
    return false;
}

} // namespace

// --- Point runs --------------------------------------------------------------

QList<int> SketchShape::cornerIndices() const
{
    QList<int> indices;
    if (!m_closed && !m_points.isEmpty() && m_points.first()->isCurve())
        indices.append(0);
    for (int i = 0; i < m_points.size(); ++i) {
        if (!m_points.at(i)->isCurve())
            indices.append(i);
    }
    return indices;
}

QList<QList<QPointF>> SketchShape::pointRuns() const
{
    QList<QList<QPointF>> runs;
    const int count = m_points.size();
    if (count < 2)
        return runs;
    if (count == 2) {
        runs.append(pointPositions());
        return runs;
    }
    QList<int> corners = cornerIndices();
    if (corners.isEmpty()) {
        runs.append(pointPositions());
        return runs;
    }
    if (!m_closed) {
        if (corners.first() != 0)
            corners.prepend(0);
        if (corners.last() != count - 1)
            corners.append(count - 1);
    }
    for (int i = 0; i + 1 < corners.size(); ++i)
        runs.append(pointRange(corners.at(i), corners.at(i + 1) - corners.at(i) + 1));
    if (m_closed) {
        QList<QPointF> closing = pointRange(corners.last(), count - corners.last());
        closing += pointRange(0, corners.first() + 1);
        if (closing.size() > 1)
            runs.append(closing);
    }
    return runs;
}

QList<QPointF> SketchShape::pointPositions() const
{
    return pointRange(0, m_points.size());
}

QList<QPointF> SketchShape::pointRange(int start, int count) const
{
    QList<QPointF> positions;
    const int end = qMin(start + count, m_points.size());
    positions.reserve(qMax(0, end - start));
    for (int i = qMax(0, start); i < end; ++i)
        positions.append(pointAt(m_points.at(i)));
    return positions;
}

// --- Outline -----------------------------------------------------------------

QPolygonF SketchShape::buildOutline() const
{
    const int count = m_points.size();
    if (m_closed && count >= 3 && curvePointCount() == count)
        return TensionCurve(pointPositions(), true, m_tension, kClosedFlatness).points();

    QPolygonF polygon;
    const QList<QList<QPointF>> runs = pointRuns();
    for (const QList<QPointF> &run : runs) {
        if (run.size() == 2)
            polygon << run.at(0) << run.at(1);
        else
            polygon << TensionCurve(run, false, m_tension, kRunFlatness).points();
    }
    return polygon;
}

const SketchShape::OutlineCache &SketchShape::outlineCache() const
{
    if (!m_outline.valid) {
        QPolygonF outline = buildOutline();
        m_outline.bounds = outline.boundingRect();
        QRectF area = m_outline.bounds;
        for (const SketchPoint *point : m_points)
            area = area.united(QRectF(pointAt(point), QSizeF(0.0, 0.0)));
        m_outline.area = area;
        const qreal margin = qMax(qreal(kHitHandleHalfSize / kMinimumZoom), m_stroke.width() * 0.5) + 1.0;
        m_outline.left = float(area.left() - margin);
        m_outline.top = float(area.top() - margin);
        m_outline.right = float(area.right() + margin);
        m_outline.bottom = float(area.bottom() + margin);
        m_outline.hittable = m_points.size() >= 2;
        m_outline.valid = true;
        if (keepsOutlineShape()) {
            m_outline.path = QPainterPath();
            m_outline.path.addPolygon(outline);
            m_outline.outline = std::move(outline);
            m_outline.shapeKept = true;
        }
    }
    return m_outline;
}

const SketchShape::OutlineCache &SketchShape::outlineShapeCache() const
{
    outlineCache();
    if (!m_outline.shapeKept) {
        m_outline.outline = buildOutline();
        m_outline.path = QPainterPath();
        m_outline.path.addPolygon(m_outline.outline);
        m_outline.shapeKept = true;
    }
    return m_outline;
}

bool SketchShape::keepsOutlineShape() const
{
    return m_selected;
}

const QPainterPath &SketchShape::paintPath(QPainterPath *scratch) const
{
    // Kept from the first paint on for a shape worth it; a banded render
    // has kept it before its bands start.
    if (!m_outline.shapeKept && keepsOutlineShape())
        outlineShapeCache();
    // Each paint gets a path of its own, from the kept polygon where there is
    // one: a QPainterPath fills caches of its own on first use, and one path
    // shared by the bands of a paint would be filled by several threads at
    // once (stale or torn pixels).
    *scratch = QPainterPath();
    if (m_outline.shapeKept) {
        scratch->addPolygon(m_outline.outline);
        return *scratch;
    }
    scratch->addPolygon(buildOutline());
    return *scratch;
}

QPolygonF SketchShape::outline() const
{
    return m_outline.shapeKept ? m_outline.outline : buildOutline();
}

QPainterPath SketchShape::path() const
{
    if (m_outline.shapeKept)
        return m_outline.path;
    QPainterPath path;
    path.addPolygon(buildOutline());
    return path;
}

QRectF SketchShape::boundingRect() const
{
    return outlineCache().bounds;
}

QRectF SketchShape::opaqueInterior() const
{
    if (isGroup() || m_blur > 0 || m_points.size() < 3 || !m_fill.isOpaque())
        return QRectF();
    const OutlineCache &cache = outlineCache();
    if (!cache.interiorKnown) {
        m_outline.interior = rectInsidePolygon(outline());
        m_outline.interiorKnown = true;
    }
    return cache.interior;
}

QPointF SketchShape::center() const
{
    const QRectF r = boundingRect();
    return QPointF(r.x() + r.width() * 0.5, r.y() + r.height() * 0.5);
}

QRectF SketchShape::textRect() const
{
    // A bubble's text lies in its box; the box corners are read only when the
    // point list holds the whole bubble layout.
    if (m_behavior == SketchShapeBubble && m_direction >= 2 && m_direction <= 5 && m_points.size() >= 7) {
        const int corner = m_direction <= 3 ? 5 : 2;
        return rectFromPoints(pointAt(m_points.at(0)), pointAt(m_points.at(corner)));
    }
    return path().boundingRect();
}

QRectF SketchShape::boxRect(const QRectF &rect) const
{
    if (!(rect.width() > 0.0 && rect.height() > 0.0) || m_points.isEmpty())
        return QRectF();
    const int count = qMin(4, m_points.size());
    qreal left = m_points.at(0)->x();
    qreal right = left;
    qreal top = m_points.at(0)->y();
    qreal bottom = top;
    for (int i = 1; i < count; ++i) {
        left = qMin(left, qreal(m_points.at(i)->x()));
        right = qMax(right, qreal(m_points.at(i)->x()));
        top = qMin(top, qreal(m_points.at(i)->y()));
        bottom = qMax(bottom, qreal(m_points.at(i)->y()));
    }
    return QRectF(left, top, right - left, bottom - top);
}

// --- View mapping ------------------------------------------------------------

QPointF SketchShape::mapFromView(const QPointF &point) const
{
    const SketchDocumentView *documentView = view();
    if (!documentView)
        return point;
    return documentView->shapeTransform(const_cast<SketchShape *>(this)).inverted().map(point);
}

QPointF SketchShape::mapFromView(float x, float y) const
{
    return mapFromView(QPointF(x, y));
}

QPointF SketchShape::mapToView(const QPointF &point) const
{
    const SketchDocumentView *documentView = view();
    if (!documentView)
        return point;
    return documentView->shapeTransform(const_cast<SketchShape *>(this)).map(point);
}

QPointF SketchShape::mapToView(float x, float y) const
{
    return mapToView(QPointF(x, y));
}

void SketchShape::mapDeltaFromView(float &dx, float &dy) const
{
    const QPointF origin = m_rotatePoint;
    const QPointF shown = mapToView(origin);
    const QPointF moved = mapFromView(QPointF(shown.x() + dx, shown.y() + dy)) - origin;
    dx = float(moved.x());
    dy = float(moved.y());
}

float SketchShape::viewZoom() const
{
    const SketchDocumentView *documentView = view();
    return documentView ? documentView->zoom() : 1.0f;
}

QRectF SketchShape::handleRect(const QPointF &centre, float halfSize) const
{
    const qreal h = halfSize / viewZoom();
    return QRectF(centre.x() - h, centre.y() - h, 2.0 * h, 2.0 * h);
}

QRectF SketchShape::handleRect(const SketchPoint *point, float halfSize) const
{
    return handleRect(pointAt(point), halfSize);
}

// --- Hit tests ---------------------------------------------------------------

bool SketchShape::isLayerLocked() const
{
    return m_layer && m_layer->isLocked();
}

// How near the outline a point must be to hit it: half the stroke, but at
// least 2 units while a thin stroke is seen at or below 100 %.
float SketchShape::outlineTolerance(bool inView, float zoom) const
{
    float tolerance = m_stroke.width() * 0.5f;
    if (tolerance <= 1.0f && inView && zoom <= 1.0f)
        tolerance = 2.0f;
    return tolerance;
}

int SketchShape::hitTest(float x, float y)
{
    // Most shapes of a page lie far from the point: the cached box turns them
    // away without looking at the points, the layer or the view.
    if (!m_outline.valid)
        outlineCache();
    const OutlineCache &cache = m_outline;
    if (!cache.hittable || x < cache.left || x > cache.right || y < cache.top || y > cache.bottom)
        return SketchHandleNone;
    if (isLayerLocked())
        return SketchHandleNone;

    const SketchDocumentView *documentView = view();
    const float zoom = documentView ? documentView->zoom() : 1.0f;
    const qreal half = kHitHandleHalfSize / zoom;
    const float tolerance = outlineTolerance(documentView != nullptr, zoom);
    const qreal reach = qMax(half, qreal(tolerance));
    const QPointF p(x, y);
    if (!cache.area.adjusted(-reach, -reach, reach, reach).contains(p))
        return SketchHandleNone;

    for (int i = 0; i < m_points.size(); ++i) {
        const QPointF c = pointAt(m_points.at(i));
        if (QRectF(c.x() - half, c.y() - half, 2.0 * half, 2.0 * half).contains(p))
            return SketchHandleFirstPoint + i;
    }
    const QPolygonF &outline = outlineShapeCache().outline;
    if (isNearOutline(p, outline, tolerance))
        return SketchHandleOutline;
    if (outline.containsPoint(p, Qt::OddEvenFill)) {
        if (m_closed || !m_fill.isTransparent() || !m_text.isEmpty())
            return SketchHandleInside;
    }
    return SketchHandleNone;
}

bool SketchShape::hitTestRect(const QRectF &rect)
{
    if (!(rect.width() > 0.0 && rect.height() > 0.0) || m_points.size() < 2 || isLayerLocked())
        return false;
    for (const SketchPoint *point : qAsConst(m_points)) {
        if (rect.contains(pointAt(point)))
            return true;
    }
    for (int i = 0; i + 1 < m_points.size(); ++i) {
        const FloatSegment piece(m_points.at(i)->x(), m_points.at(i)->y(),
                                 m_points.at(i + 1)->x(), m_points.at(i + 1)->y());
        if (!intersectSegmentRect(piece, rect).isEmpty())
            return true;
    }
    if (!m_closed || m_points.size() < 3)
        return false;
    const FloatSegment closing(m_points.last()->x(), m_points.last()->y(),
                               m_points.first()->x(), m_points.first()->y());
    if (!intersectSegmentRect(closing, rect).isEmpty())
        return true;
    // A band wholly inside the shape catches it.
    const QPainterPath &area = outlineShapeCache().path;
    return area.contains(rect.topLeft()) || area.contains(rect.topRight())
        || area.contains(rect.bottomRight()) || area.contains(rect.bottomLeft());
}

int SketchShape::segmentAt(float x, float y)
{
    const int count = m_points.size();
    if (m_locked || m_activeHandle != SketchHandleOutline || count < 2)
        return -1;
    if (m_closed && count > 2 && curvePointCount() == count)
        return TensionCurve(pointPositions(), true, m_tension, kSearchFlatness).segmentAt(x, y);

    int piece = 0;
    bool found = false;
    const QList<QList<QPointF>> runs = pointRuns();
    for (const QList<QPointF> &run : runs) {
        const int k = TensionCurve(run, false, m_tension, kSearchFlatness).segmentAt(x, y);
        if (k >= 0) {
            piece += k;
            found = true;
            break;
        }
        piece += run.size() - 1;
    }
    // A point beside every run is on no piece at all.
    if (!found)
        return -1;
    const QList<int> corners = cornerIndices();
    if (!corners.isEmpty())
        piece = (piece + corners.first()) % count;
    return piece;
}

bool SketchShape::hasEditablePoints() const
{
    return true;
}

SketchShape *SketchShape::selectedShape()
{
    return m_selected ? this : nullptr;
}

// --- Point editing -----------------------------------------------------------

SketchPoint *SketchShape::insertPoint(float x, float y, bool curve)
{
    const int count = m_points.size();
    if (count < 2)
        return nullptr;
    if (m_activeHandle >= SketchHandleFirstPoint) {
        const int index = m_activeHandle - SketchHandleFirstPoint;
        if (index >= count)
            return nullptr;
        SketchPoint *point = m_points.at(index);
        point->setCurve(curve);
        invalidateOutline();
        if (m_behavior != SketchShapeBox) {
            const int curves = curvePointCount();
            if (!(count == 4 && (curves == 0 || curves == 4)))
                m_behavior = SketchShapePath;
        }
        return point;
    }
    if (m_activeHandle != SketchHandleOutline)
        return nullptr;
    const int piece = segmentAt(x, y);
    if (piece < 0)
        return nullptr;
    SketchPoint *point = new SketchPoint(x, y, curve);
    m_points.insert(piece + 1, point);
    m_activeHandle = piece + 1 + SketchHandleFirstPoint;
    m_behavior = SketchShapePath;
    invalidateOutline();
    return point;
}

void SketchShape::moveHandle(float dx, float dy)
{
    const int count = m_points.size();
    const int index = m_activeHandle - SketchHandleFirstPoint;
    if (m_behavior == SketchShapeBox && count == 4 && index >= 0 && index < 4) {
        if (!m_points.at(index)->isLocked())
            resizeBox(dx, dy);
        return;
    }
    if (m_behavior == SketchShapeBubble && count == 7 && index >= 0 && index < 7) {
        if (!m_points.at(index)->isLocked())
            resizeBubble(dx, dy);
        return;
    }
    mapDeltaFromView(dx, dy);
    if (index < 0) {
        translate(dx, dy);
    } else if (index < count && !m_points.at(index)->isLocked()) {
        m_points.at(index)->translate(dx, dy);
        invalidateOutline();
    }
}

void SketchShape::resizeBox(float dx, float dy)
{
    if (m_points.size() != 4)
        return;
    mapDeltaFromView(dx, dy);
    float dyTop = dy;
    const SketchDocumentView *documentView = view();
    if (documentView && documentView->keyboardModifiers().testFlag(Qt::ShiftModifier)) {
        const QRectF r = boundingRect();
        if (r.width() != 0.0)
            dy = float(dx * r.height() / r.width());
        // The handles on the top edge grow the box upwards.
        dyTop = -dy;
    }
    SketchPoint *p0 = m_points.at(0);
    SketchPoint *p1 = m_points.at(1);
    SketchPoint *p2 = m_points.at(2);
    SketchPoint *p3 = m_points.at(3);
    switch (m_activeHandle - SketchHandleFirstPoint) {
    case 0:
        p0->translate(dx, dy);
        p1->translate(0.0f, dy);
        p3->translate(dx, 0.0f);
        break;
    case 1:
        p1->translate(dx, dyTop);
        p0->translate(0.0f, dyTop);
        p2->translate(dx, 0.0f);
        break;
    case 2:
        p2->translate(dx, dy);
        p1->translate(dx, 0.0f);
        p3->translate(0.0f, dy);
        break;
    case 3:
        p3->translate(dx, dyTop);
        p0->translate(dx, 0.0f);
        p2->translate(0.0f, dyTop);
        break;
    default:
        return;
    }
    invalidateOutline();
}

// Which points a drag of a bubble's handle moves, by tail direction (2 to 5)
// and handle (3 to 9): a digit names a point, the letter after it the part of
// the drag it follows (b both, x horizontal, y vertical); "T" marks the tip,
// after whose move the tail may change sides.
static const char *const bubbleMoves[4][7] = {
    // top
    {"0b1y2y3y4y6x", "1x", "2bT", "3x", "4b0y1y2y3y5x", "5b4x6y", "6b0x5y"},
    // right
    {"0b1y6x", "1b0y2x3x4x5x", "2y", "3bT", "4y", "5b1x2x3x4x6y", "6b0x5y"},
    // bottom
    {"0b1y6x", "1b0y2x", "2b1x3y4y5y6y", "3x", "4bT", "5x", "6b0x2y3y4y5y"},
    // left
    {"0b1y3x4x5x6x", "1b0y2x", "2b1x3y", "3b0x2y4x5x6x", "4y", "5bT", "6y"},
};

void SketchShape::resizeBubble(float dx, float dy)
{
    if (m_points.size() != 7 || m_direction < 2 || m_direction > 5)
        return;
    const int handle = m_activeHandle - SketchHandleFirstPoint;
    if (handle < 0 || handle > 6)
        return;
    mapDeltaFromView(dx, dy);
    bool tipMoved = false;
    for (const char *move = bubbleMoves[m_direction - 2][handle]; *move; ++move) {
        if (*move == 'T') {
            tipMoved = true;
            continue;
        }
        const int index = *move - '0';
        const char part = *++move;
        m_points.at(index)->translate(part == 'y' ? 0.0f : dx, part == 'x' ? 0.0f : dy);
    }
    invalidateOutline();
    if (!tipMoved)
        return;
    const QRectF box = textRect();
    const QPointF tip = pointAt(m_points.at(m_direction));
    const int side = bubbleTailDirection(tip, box);
    if (side != 0)
        layOutBubble(side, box, tip);
}

// The side a tip dragged to this place belongs to; 0 while it stays beside
// its own edge or in a corner region.
int SketchShape::bubbleTailDirection(const QPointF &tip, const QRectF &box) const
{
    const bool acrossX = box.left() < tip.x() && tip.x() < box.right();
    const bool acrossY = box.top() < tip.y() && tip.y() < box.bottom();
    if (tip.y() < box.top() && acrossX && m_direction != 2)
        return 2;
    if (tip.x() > box.right() && acrossY && m_direction != 3)
        return 3;
    if (tip.y() > box.bottom() && acrossX && m_direction != 4)
        return 4;
    if (tip.x() < box.left() && acrossY && m_direction != 5)
        return 5;
    return 0;
}

// Moves the tail to another edge: the corners of the box, the tip where it
// is and the two base points at the middle of the new edge.
void SketchShape::layOutBubble(int direction, const QRectF &box, const QPointF &tip)
{
    const qreal mx = box.left() + box.width() * 0.5;
    const qreal my = box.top() + box.height() * 0.5;
    const qreal w = kTailBaseHalfWidth;
    const QPointF topLeft = box.topLeft();
    const QPointF topRight(box.right(), box.top());
    const QPointF bottomRight(box.right(), box.bottom());
    const QPointF bottomLeft(box.left(), box.bottom());
    QList<QPointF> layout;
    switch (direction) {
    case 2:
        layout << topLeft << QPointF(mx - w, box.top()) << tip << QPointF(mx + w, box.top())
               << topRight << bottomRight << bottomLeft;
        break;
    case 3:
        layout << topLeft << topRight << QPointF(box.right(), my - w) << tip
               << QPointF(box.right(), my + w) << bottomRight << bottomLeft;
        break;
    case 4:
        layout << topLeft << topRight << bottomRight << QPointF(mx + w, box.bottom()) << tip
               << QPointF(mx - w, box.bottom()) << bottomLeft;
        break;
    case 5:
        layout << topLeft << topRight << bottomRight << bottomLeft << QPointF(box.left(), my + w)
               << tip << QPointF(box.left(), my - w);
        break;
    default:
        return;
    }
    for (int i = 0; i < 7; ++i)
        m_points.at(i)->setPos(float(layout.at(i).x()), float(layout.at(i).y()));
    m_direction = direction;
    m_activeHandle = direction + SketchHandleFirstPoint;
    invalidateOutline();
}

void SketchShape::resize(QRectF box, float dw, float dh)
{
    if (dw == 0.0f && dh == 0.0f)
        return;
    mapDeltaFromView(dw, dh);
    resizeInShapeUnits(box, dw, dh);
}

void SketchShape::resizeInShapeUnits(const QRectF &box, float dw, float dh)
{
    if (dw == 0.0f && dh == 0.0f)
        return;
    if (box.width() + dw < kMinimumResizeExtent || box.height() + dh < kMinimumResizeExtent)
        return;
    // A box without width or height gives no scale; its points stay.
    if (box.width() != 0.0 && box.height() != 0.0) {
        for (SketchPoint *point : qAsConst(m_points)) {
            const qreal u = (point->x() - box.x()) / box.width();
            const qreal v = (point->y() - box.y()) / box.height();
            point->setPos(float(box.x() + (box.width() + dw) * u), float(box.y() + (box.height() + dh) * v));
        }
        invalidateOutline();
    }
    // Each frame scales in its own box by the same amount, keeping its
    // proportions; the amounts are already in shape units.
    for (SketchShape *frame : qAsConst(m_frames)) {
        const QRectF b = frame->boundingRect();
        float frameDh = 0.0f;
        if (dh != 0.0f)
            frameDh = b.width() == 0.0 ? dh : float(dw * b.height() / b.width());
        frame->resizeInShapeUnits(b, dw, frameDh);
    }
    setCachedBlurImage(nullptr);
}

void SketchShape::flipHorizontal()
{
    const QRectF r = boundingRect();
    if (r.width() > 0.0 && r.height() > 0.0)
        flipHorizontal(float(r.x() + r.width() * 0.5));
}

void SketchShape::flipVertical()
{
    const QRectF r = boundingRect();
    if (r.width() > 0.0 && r.height() > 0.0)
        flipVertical(float(r.y() + r.height() * 0.5));
}

void SketchShape::flipHorizontal(float axisX)
{
    for (SketchPoint *point : qAsConst(m_points))
        point->setX(2.0f * axisX - point->x());
    invalidateOutline();
    m_fill.flipHorizontal();
    m_stroke.brush().flipHorizontal();
    flipImageFill(true);
    if (m_rotateAngle != 0.0f) {
        setRotateAngle(1.0f - m_rotateAngle);
        m_rotatePoint.setX(2.0 * axisX - m_rotatePoint.x());
    }
}

void SketchShape::flipVertical(float axisY)
{
    for (SketchPoint *point : qAsConst(m_points))
        point->setY(2.0f * axisY - point->y());
    invalidateOutline();
    m_fill.flipVertical();
    m_stroke.brush().flipVertical();
    flipImageFill(false);
    if (m_rotateAngle != 0.0f) {
        setRotateAngle(1.0f - m_rotateAngle);
        m_rotatePoint.setY(2.0 * axisY - m_rotatePoint.y());
    }
}

void SketchShape::flipImageFill(bool horizontal)
{
    if (m_fill.type() != SkinBrushImage || m_fill.isTransparent())
        return;
    const QImage picture = m_fill.picture();
    if (picture.isNull())
        return;
    m_fill.encodeImage(QPixmap::fromImage(picture.mirrored(horizontal, !horizontal)));
}

void SketchShape::removeActive()
{
    if (m_activeHandle < SketchHandleFirstPoint || m_points.size() <= 2) {
        setSelected(false);
        m_activeHandle = SketchHandleNone;
        if (m_layer)
            m_layer->shapes().removeOne(this);
        return;
    }
    const int index = m_activeHandle - SketchHandleFirstPoint;
    const bool valid = index < m_points.size();
    if (!(valid && m_points.at(index)->isLocked())) {
        if (valid)
            delete m_points.takeAt(index);
        m_behavior = SketchShapePath;
    }
    if (m_points.size() == 2)
        m_closed = false;
    m_activeHandle = SketchHandleOutline;
    invalidateOutline();
    updateBlurImage();
}
