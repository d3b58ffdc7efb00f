#include "model/sketchgroup.h"

#include "model/geometry.h"
#include "model/sketchdocument.h"
#include "model/sketchlayer.h"
#include "model/sketchpoint.h"
#include "model/xmlattributes.h"

#include <QDomElement>
#include <QPainter>
#include <QTransform>

#include <cmath>
#include <limits>

namespace {

// Half size of the corner handles that the hit test finds, in screen pixels.
constexpr float kCornerHitHalfSize = 3.0f;
// The text of a group keeps this far from the sides of its box.
constexpr qreal kTextInset = 8.0;

// Whether a shift is only the rounding left over from float arithmetic.
bool isNegligibleShift(qreal shift, qreal extent)
{
    return std::abs(shift) <= 1.0e-4 * qMax<qreal>(1.0, extent);
}

} // namespace

SketchGroup::SketchGroup(SketchLayer *layer)
    : SketchShape(layer)
{
}

SketchGroup::~SketchGroup()
{
    // Every member the group owns is its QObject child (attaching, reading and
    // cloning make it so) and goes with the QObject base. Members handed back
    // to their layers belong to the layers, which may have freed them
    // already, so the list is not walked here.
    m_shapes.clear();
}

QString SketchGroup::typeName() const
{
    return QStringLiteral("Group");
}

bool SketchGroup::isGroup() const
{
    return true;
}

QList<SketchShape *> SketchGroup::memberShapes() const
{
    return m_shapes;
}

// --- Members -----------------------------------------------------------------

void SketchGroup::attachShapes()
{
    clearPoints();
    if (m_shapes.isEmpty())
        return;
    // Without points this takes the path that bakes every member's own
    // rotation in and leaves the group unrotated.
    applyRotation(rotateAngle(), rotatePoint());

    const QRectF box = shapesBoundingPolygon().boundingRect();
    translateMembers(float(-box.x()), float(-box.y()));
    for (SketchShape *member : qAsConst(m_shapes)) {
        member->setGroup(this);
        member->setSelected(false);
        member->setActiveHandle(SketchHandleNone);
        if (SketchLayer *memberLayer = member->layer())
            memberLayer->shapes().removeOne(member);
    }
    setBox(box);
}

void SketchGroup::detachShapes()
{
    // The members take the group's rotation with them; otherwise the drawing
    // would jump back to its unrotated state.
    if (rotateAngle() != 0.0f && pointCount() == 4)
        applyRotation(rotateAngle(), rotatePoint());

    const QPointF origin = boundingRect().topLeft();
    translateMembers(float(origin.x()), float(origin.y()));
    for (SketchShape *member : qAsConst(m_shapes)) {
        member->setGroup(nullptr);
        member->setSelected(true);
        member->setActiveHandle(SketchHandleOutline);
        if (SketchLayer *memberLayer = member->layer())
            memberLayer->shapes().append(member);
        member->setInnerPosition(QPointF(0.0, 0.0));
    }
}

QPolygonF SketchGroup::shapesBoundingPolygon() const
{
    qreal left = std::numeric_limits<qreal>::max();
    qreal top = left;
    qreal right = -left;
    qreal bottom = -left;
    bool any = false;
    for (const SketchShape *member : m_shapes) {
        const float angle = member->rotateAngle();
        const QPointF centre = member->rotatePoint();
        const QPolygonF outline = member->outline();
        for (QPointF p : outline) {
            if (angle != 0.0f)
                p = rotatePointAround(p, centre, angle * 360.0f, 1.0f);
            left = qMin(left, p.x());
            right = qMax(right, p.x());
            top = qMin(top, p.y());
            bottom = qMax(bottom, p.y());
            any = true;
        }
    }
    if (!any)
        return QPolygonF(QRectF());
    return QPolygonF(QRectF(QPointF(left, top), QPointF(right, bottom)));
}

QSizeF SketchGroup::shapesSize() const
{
    return shapesBoundingPolygon().boundingRect().size();
}

void SketchGroup::copyShapesTo(SketchDocument *document) const
{
    if (!document || document->layers().isEmpty())
        return;
    SketchLayer *target = document->layers().first();
    for (SketchShape *member : m_shapes) {
        SketchShape *copy = member->clone(true);
        if (!copy)
            continue;
        copy->setLayer(target);
        target->shapes().append(copy);
    }
}

SketchShape *SketchGroup::shapeAt(const QPointF &position)
{
    for (int i = m_shapes.size() - 1; i >= 0; --i) {
        SketchShape *member = m_shapes.at(i);
        const QPointF p = member->mapFromView(position);
        const bool hit = member->hitTest(float(p.x()), float(p.y())) > SketchHandleNone;
        if (hit)
            return member;
        if (member->isGroup()) {
            if (SketchShape *inner = static_cast<SketchGroup *>(member)->shapeAt(position))
                return inner;
        }
    }
    const QPointF own = mapFromView(position);
    return hitTest(float(own.x()), float(own.y())) > SketchHandleNone ? this : nullptr;
}

QPointF SketchGroup::toMemberCoordinates(const QPointF &point) const
{
    return point - boundingRect().topLeft();
}

void SketchGroup::bakeRotation(SketchShape *member, float angle, const QPointF &centre)
{
    const float own = member->rotateAngle();
    if (own != 0.0f) {
        member->applyRotation(own, member->rotatePoint());
        member->fill().rotate(own * 360.0f);
    }
    if (angle != 0.0f) {
        member->applyRotation(angle, centre);
        member->fill().rotate(angle * 360.0f);
    }
    member->setBehavior(SketchShapePath);
}

void SketchGroup::setBox(const QRectF &box)
{
    clearPoints();
    QList<SketchPoint *> &corners = points();
    corners.append(new SketchPoint(box.left(), box.top(), false, true));
    corners.append(new SketchPoint(box.left() + box.width(), box.top(), false, true));
    corners.append(new SketchPoint(box.left() + box.width(), box.top() + box.height(), false, false));
    corners.append(new SketchPoint(box.left(), box.top() + box.height(), false, true));
    invalidateOutline();
}

void SketchGroup::translateMembers(float dx, float dy)
{
    for (SketchShape *member : qAsConst(m_shapes)) {
        member->translate(dx, dy);
        if (member->rotateAngle() != 0.0f)
            member->setRotatePoint(member->rotatePoint() + QPointF(dx, dy));
    }
}

// --- Style -------------------------------------------------------------------

void SketchGroup::setLayer(SketchLayer *layer)
{
    SketchShape::setLayer(layer);
    for (SketchShape *member : qAsConst(m_shapes))
        member->setLayer(layer);
}

void SketchGroup::setFill(const SkinBrush &fill)
{
    SketchShape::setFill(fill);
    if (!frames().isEmpty())
        return;
    for (SketchShape *member : qAsConst(m_shapes)) {
        if (!member->fill().isTransparent())
            member->setFill(fill);
    }
}

void SketchGroup::setStroke(const SketchStroke &stroke)
{
    SketchShape::setStroke(stroke);
    if (!frames().isEmpty())
        return;
    for (SketchShape *member : qAsConst(m_shapes)) {
        if (!member->stroke().isInvisible())
            member->setStroke(stroke);
    }
}

void SketchGroup::setFont(const QFont &font)
{
    SketchShape::setFont(font);
    if (!frames().isEmpty())
        return;
    for (SketchShape *member : qAsConst(m_shapes))
        member->setFont(font);
}

void SketchGroup::setFontColor(const QColor &color)
{
    SketchShape::setFontColor(color);
    if (!frames().isEmpty())
        return;
    for (SketchShape *member : qAsConst(m_shapes))
        member->setFontColor(color);
}

void SketchGroup::setOpacity(float opacity)
{
    SketchShape::setOpacity(opacity);
    if (!frames().isEmpty())
        return;
    for (SketchShape *member : qAsConst(m_shapes))
        member->setOpacity(opacity);
}

void SketchGroup::setTension(float tension)
{
    SketchShape::setTension(tension);
    if (!frames().isEmpty())
        return;
    for (SketchShape *member : qAsConst(m_shapes))
        member->setTension(tension);
}

void SketchGroup::setSelected(bool selected)
{
    SketchShape::setSelected(selected);
    if (selected)
        return;
    for (SketchShape *member : qAsConst(m_shapes))
        member->setSelected(false);
}

// --- Rotation ----------------------------------------------------------------

void SketchGroup::applyRotation(float angle, const QPointF &centre)
{
    if (pointCount() == 0) {
        // Grouping: every member's own rotation becomes part of its points.
        for (SketchShape *member : qAsConst(m_shapes)) {
            const float own = member->rotateAngle();
            member->applyRotation(own, member->rotatePoint());
            member->setBehavior(SketchShapePath);
            member->fill().rotate(own * 360.0f);
        }
        setRotateAngle(0.0f);
        setRotatePoint(QPointF(0.0, 0.0));
        return;
    }
    if (pointCount() != 4)
        return;

    const QRectF r = boundingRect();
    const QPointF memberCentre = toMemberCoordinates(centre);
    for (SketchShape *member : qAsConst(m_shapes))
        bakeRotation(member, angle, memberCentre);
    SketchShape::applyRotation(angle, centre);

    const QRectF b = shapesBoundingPolygon().boundingRect();
    translateMembers(float(-b.x()), float(-b.y()));
    setBox(QRectF(r.x() + b.x(), r.y() + b.y(), b.width(), b.height()));
    centerRotatePoint();
}

// --- Copies and XML ----------------------------------------------------------

void SketchGroup::copyTo(SketchShape *target, bool withFrames)
{
    if (!target || target == this)
        return;
    SketchShape::copyTo(target, withFrames);
    if (!target->isGroup())
        return;
    SketchGroup *group = static_cast<SketchGroup *>(target);

    bool sameKinds = group->m_shapes.size() == m_shapes.size();
    for (int i = 0; sameKinds && i < m_shapes.size(); ++i)
        sameKinds = group->m_shapes.at(i)->typeName() == m_shapes.at(i)->typeName();
    if (sameKinds) {
        for (int i = 0; i < m_shapes.size(); ++i)
            m_shapes.at(i)->copyTo(group->m_shapes.at(i), withFrames);
        return;
    }
    // The target's former members stay children of the target and go with
    // it: undo records and tools may still point at them.
    group->m_shapes.clear();
    for (SketchShape *member : qAsConst(m_shapes)) {
        SketchShape *copy = member->clone(withFrames);
        if (!copy)
            continue;
        copy->setGroup(group);
        group->m_shapes.append(copy);
    }
}

void SketchGroup::writeXml(QDomElement &element)
{
    SketchShape::writeXml(element);
    for (SketchShape *member : qAsConst(m_shapes)) {
        QDomElement memberElement = appendXmlElement(element, member->typeName());
        member->writeXml(memberElement);
    }
}

void SketchGroup::readXml(const QDomElement &element)
{
    SketchShape::readXml(element);
    // The stored corners are taken as they are; the box is not refitted.
    m_shapes.clear();
    const ReadNesting nesting;
    if (!nesting.allowsChildren())
        return;
    for (QDomNode node = element.firstChild(); !node.isNull(); node = node.nextSibling()) {
        SketchShape *member = createSketchShape(node.nodeName(), layer());
        if (!member)
            continue;
        member->setGroup(this);
        member->readXml(node.toElement());
        m_shapes.append(member);
    }
}

// --- Hit tests ---------------------------------------------------------------

int SketchGroup::hitTest(float x, float y)
{
    if (layer() && layer()->isLocked())
        return SketchHandleNone;
    const QPointF p(x, y);
    const QList<SketchPoint *> &corners = static_cast<const SketchShape *>(this)->points();
    for (int i = 0; i < corners.size(); ++i) {
        if (handleRect(corners.at(i), kCornerHitHalfSize).contains(p))
            return SketchHandleFirstPoint + i;
    }
    const QPointF inner = toMemberCoordinates(p);
    const float cx = float(inner.x());
    const float cy = float(inner.y());
    for (SketchShape *member : qAsConst(m_shapes)) {
        if (member->hitTest(cx, cy) > SketchHandleNone)
            return SketchHandleInside;
        if (!member->isClosed() && !member->fill().isTransparent() && member->boundingRect().contains(inner))
            return SketchHandleInside;
    }
    return SketchHandleNone;
}

bool SketchGroup::hitTestRect(const QRectF &rect)
{
    if (layer() && layer()->isLocked())
        return false;
    return rect.intersects(boundingRect());
}

bool SketchGroup::hasEditablePoints() const
{
    return false;
}

SketchShape *SketchGroup::selectedShape()
{
    if (!isSelected())
        return nullptr;
    for (SketchShape *member : qAsConst(m_shapes)) {
        if (!member->isSelected())
            continue;
        if (member->isGroup()) {
            SketchShape *inner = member->selectedShape();
            return inner ? inner : member;
        }
        return member;
    }
    return this;
}

// --- Editing -----------------------------------------------------------------

SketchPoint *SketchGroup::insertPoint(float x, float y, bool curve)
{
    Q_UNUSED(x)
    Q_UNUSED(y)
    Q_UNUSED(curve)
    return nullptr;
}

void SketchGroup::moveHandle(float dx, float dy)
{
    // The bottom-right corner is the only one that is not locked.
    const int bottomRight = SketchHandleFirstPoint + 2;
    if (activeHandle() != bottomRight) {
        SketchShape::moveHandle(dx, dy);
        return;
    }
    // The proportions are kept in the group's own coordinates, so that a
    // rotated group keeps them too.
    const QRectF r = boundingRect();
    mapDeltaFromView(dx, dy);
    if (r.width() != 0.0)
        dy = float(dx * r.height() / r.width());
    resizeInShapeUnits(r, dx, dy);
}

void SketchGroup::resizeInShapeUnits(const QRectF &box, float dw, float dh)
{
    if (dw == 0.0f && dh == 0.0f)
        return;
    const QRectF before = boundingRect();
    SketchShape::resizeInShapeUnits(box, dw, dh);
    // A box that would become too small is refused; the members follow the
    // box or stay with it.
    if (boundingRect() == before)
        return;
    const QRectF memberBox(0.0, 0.0, box.width(), box.height());
    for (SketchShape *member : qAsConst(m_shapes))
        member->resizeInShapeUnits(memberBox, dw, dh);
}

void SketchGroup::flipHorizontal(float axisX)
{
    const QRectF r = boundingRect();
    if (!(r.width() > 0.0 && r.height() > 0.0))
        return;
    const qreal memberAxis = qreal(axisX) - r.x();
    for (SketchShape *member : qAsConst(m_shapes))
        member->flipHorizontal(float(memberAxis));
    // About any other line than its own centre line the box moves to its
    // mirror image, so that it still holds its members.
    const qreal shift = 2.0 * memberAxis - r.width();
    if (!isNegligibleShift(shift, r.width())) {
        translateMembers(float(-shift), 0.0f);
        translate(float(shift), 0.0f);
    }
    if (rotateAngle() != 0.0f) {
        setRotateAngle(1.0f - rotateAngle());
        const QPointF p = rotatePoint();
        setRotatePoint(QPointF(2.0 * axisX - p.x(), p.y()));
    }
}

void SketchGroup::flipVertical(float axisY)
{
    const QRectF r = boundingRect();
    if (!(r.width() > 0.0 && r.height() > 0.0))
        return;
    const qreal memberAxis = qreal(axisY) - r.y();
    for (SketchShape *member : qAsConst(m_shapes))
        member->flipVertical(float(memberAxis));
    const qreal shift = 2.0 * memberAxis - r.height();
    if (!isNegligibleShift(shift, r.height())) {
        translateMembers(0.0f, float(-shift));
        translate(0.0f, float(shift));
    }
    if (rotateAngle() != 0.0f) {
        setRotateAngle(1.0f - rotateAngle());
        const QPointF p = rotatePoint();
        setRotatePoint(QPointF(p.x(), 2.0 * axisY - p.y()));
    }
}

void SketchGroup::removeActive()
{
    if (activeHandle() >= SketchHandleFirstPoint) {
        setActiveHandle(SketchHandleOutline);
        return;
    }
    SketchShape::removeActive();
}

// --- Painting ----------------------------------------------------------------

void SketchGroup::paint(QPainter *painter, float zoom, bool showHandles)
{
    if (m_shapes.isEmpty())
        return;
    if (needsBlurImage() && !cachedBlurImage())
        updateBlurImage();
    if (cachedBlurImage())
        paintBlurImage(painter);
    else
        paintContent(painter, zoom);
    if (showHandles && isSelected())
        paintHandles(painter);
}

void SketchGroup::prepareToPaint(bool keepOutline)
{
    SketchShape::prepareToPaint(keepOutline);
    for (SketchShape *member : qAsConst(m_shapes))
        member->prepareToPaint(keepOutline);
}

void SketchGroup::paintContent(QPainter *painter, float zoom)
{
    const QRectF r = boundingRect();
    if (!(r.width() > 0.0 && r.height() > 0.0))
        return;
    const QTransform outer = painter->transform();
    for (SketchShape *member : qAsConst(m_shapes)) {
        QTransform transform = outer;
        transform.translate(r.x(), r.y());
        painter->setTransform(member->rotation() * transform);
        member->paint(painter, zoom, true);
    }
    painter->setTransform(outer);
    if (!text().isEmpty()) {
        const QRectF t = textRect();
        paintText(painter, QRectF(t.x() + kTextInset, t.y(), t.width() - 2.0 * kTextInset, t.height()), text());
    }
}

// --- Status texts ------------------------------------------------------------

QString SketchGroup::pointStatusText(int index)
{
    if (index != 2)
        return QString();
    const QRectF r = boundingRect();
    return tr("Size: W=%1, H=%2").arg(statusNumber(r.width()), statusNumber(r.height()));
}
