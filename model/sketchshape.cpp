// SketchShape: life, properties, frames, copies, rotation and the XML element.
// Geometry, hit tests and editing are in sketchshapegeometry.cpp, painting in
// sketchshapepaint.cpp.
#include "model/sketchshape.h"

#include "model/coordinates.h"
#include "model/geometry.h"
#include "model/sketchdocument.h"
#include "model/sketchglobals.h"
#include "model/sketchlayer.h"
#include "model/sketchpoint.h"
#include "model/xmlattributes.h"

#include <QDomElement>
#include <QImage>
#include <QPixmap>
#include <QSet>
#include <QStringList>

#include <atomic>

namespace {

// Depth of the child shape lists being read right now (GUI thread only).
int readNestingDepth = 0;

float clampedUnit(float value)
{
    if (!(value > 0.0f))
        return 0.0f; // also a value that is not a number
    return value < 1.0f ? value : 1.0f;
}

bool samePoints(const QList<SketchPoint *> &a, const QList<SketchPoint *> &b)
{
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i) {
        const SketchPoint *p = a.at(i);
        const SketchPoint *q = b.at(i);
        if (p->x() != q->x() || p->y() != q->y() || p->isCurve() != q->isCurve() || p->isLocked() != q->isLocked())
            return false;
    }
    return true;
}

bool isOrigin(const QPointF &point)
{
    return point.x() == 0.0 && point.y() == 0.0;
}

// An angle that turns a shape: strictly between none and a full turn.
bool isTurnedAngle(float angle)
{
    return angle > 0.0f && angle < 1.0f;
}

// Documents are read and rendered on several threads at once (the batch
// export), each on its own shapes: only the source of numbers is shared.
std::atomic<quint64> lastRevision{0};

quint64 nextRevision()
{
    return lastRevision.fetch_add(1, std::memory_order_relaxed) + 1;
}

} // namespace

// --- Life --------------------------------------------------------------------

SketchShape::SketchShape(SketchLayer *layer)
    : QObject(layer),
      m_revision(nextRevision()),
      m_layer(layer),
      m_fill(SkinBrush::transparentBrush()),
      m_font(*SketchGlobals::defaultFont())
{
    ++SketchGlobals::ShapeCount;
}

SketchShape::~SketchShape()
{
    --SketchGlobals::ShapeCount;
    m_destroying = true;
    qDeleteAll(m_points);
    m_points.clear();
    clearFrames();
    delete m_blurImage;
    m_blurImage = nullptr;
    m_frameIndex = 0;
    // Whatever else this shape still owns as QObject children (frames that
    // were taken out of the list, members of a group) goes with the base.
}

QString SketchShape::typeName() const
{
    return QStringLiteral("Shape");
}

bool SketchShape::isGroup() const
{
    return false;
}

// --- Place -------------------------------------------------------------------

void SketchShape::setLayer(SketchLayer *layer)
{
    m_layer = layer;
    // A member of a group belongs to its group and a frame to the shape that
    // shows it; only a top-level shape is owned by its layer.
    if (!qobject_cast<SketchShape *>(parent()))
        setParent(layer);
    for (SketchShape *frame : qAsConst(m_frames))
        frame->setLayer(layer);
}

SketchDocument *SketchShape::document() const
{
    return m_layer ? m_layer->document() : nullptr;
}

SketchDocumentView *SketchShape::view() const
{
    return m_layer ? m_layer->view() : nullptr;
}

void SketchShape::setGroup(SketchShape *group)
{
    if (group)
        setParent(group);
    else if (m_group && parent() == m_group)
        setParent(m_layer);
    m_group = group;
}

SketchShape *SketchShape::topLevelGroup() const
{
    SketchShape *outermost = m_group;
    while (outermost && outermost->m_group)
        outermost = outermost->m_group;
    return outermost;
}

int SketchShape::index() const
{
    return m_layer ? m_layer->shapes().indexOf(const_cast<SketchShape *>(this)) : -1;
}

// --- Points ------------------------------------------------------------------

void SketchShape::setBehavior(int behavior)
{
    if (behavior == m_behavior)
        return;
    m_behavior = behavior;
    invalidateOutline();
}

QList<SketchPoint *> &SketchShape::points()
{
    invalidateOutline();
    return m_points;
}

float SketchShape::pointX(int index) const
{
    return index >= 0 && index < m_points.size() ? m_points.at(index)->x() : 0.0f;
}

float SketchShape::pointY(int index) const
{
    return index >= 0 && index < m_points.size() ? m_points.at(index)->y() : 0.0f;
}

int SketchShape::curvePointCount() const
{
    int count = 0;
    for (const SketchPoint *point : m_points) {
        if (point->isCurve())
            ++count;
    }
    return count;
}

void SketchShape::clearPoints()
{
    qDeleteAll(m_points);
    m_points.clear();
    invalidateOutline();
}

void SketchShape::invalidateOutline()
{
    if (m_outline.valid)
        m_outline = OutlineCache();
    noteChange();
}

void SketchShape::noteChange()
{
    m_revision = nextRevision();
    for (SketchShape *group = m_group; group; group = group->m_group)
        group->m_revision = m_revision;
}

void SketchShape::translate(float dx, float dy)
{
    for (SketchPoint *point : qAsConst(m_points))
        point->translate(dx, dy);
    invalidateOutline();
}

void SketchShape::setClosed(bool closed)
{
    if (closed == m_closed)
        return;
    m_closed = closed;
    invalidateOutline();
}

// --- Style -------------------------------------------------------------------

void SketchShape::setFill(const SkinBrush &fill)
{
    // The fill always carries the shape's opacity, as it does after reading
    // and copying, so what is shown is what is saved and undone.
    SkinBrush brush = fill;
    brush.setOpacity(m_opacity);
    if (m_fill == brush)
        return;
    m_fill = brush;
    noteChange();
    spreadToNamesakes(true);
}

SketchStroke &SketchShape::stroke()
{
    invalidateOutline();
    return m_stroke;
}

void SketchShape::setStroke(const SketchStroke &stroke)
{
    SketchStroke value = stroke;
    value.brush().setOpacity(m_opacity);
    if (m_stroke == value)
        return;
    m_stroke = value;
    invalidateOutline();
    spreadToNamesakes(false);
}

// Passes the fill or stroke on to the shapes of the same name in the frames
// of the nearest frame owner; their own equality test ends the chain.
void SketchShape::spreadToNamesakes(bool fill)
{
    if (isGroup() || m_name.isEmpty())
        return;
    SketchShape *owner = this;
    while (owner && owner->m_frames.isEmpty())
        owner = owner->m_group;
    if (!owner)
        return;
    const QList<SketchShape *> namesakes = owner->findShape(m_name);
    for (SketchShape *shape : namesakes) {
        if (shape == this)
            continue;
        if (fill)
            shape->setFill(m_fill);
        else
            shape->setStroke(m_stroke);
    }
}

void SketchShape::setText(const QString &text)
{
    m_text = text;
    noteChange();
}

void SketchShape::setFont(const QFont &font)
{
    m_font = font;
    noteChange();
}

void SketchShape::setFontColor(const QColor &color)
{
    m_fontColor = color;
    noteChange();
}

void SketchShape::setAlign(int align)
{
    m_align = align;
    noteChange();
}

void SketchShape::setOpacity(float opacity)
{
    m_opacity = clampedUnit(opacity);
    m_fill.setOpacity(m_opacity);
    m_stroke.brush().setOpacity(m_opacity);
    noteChange();
}

void SketchShape::setTension(float tension)
{
    const float value = clampedUnit(tension);
    if (value == m_tension)
        return;
    m_tension = value;
    invalidateOutline();
}

int SketchShape::setBlur(int blur)
{
    m_blur = blur < 0 ? 0 : blur;
    noteChange();
    return m_blur;
}

// --- State -------------------------------------------------------------------

void SketchShape::setSelected(bool selected)
{
    m_selected = selected;
}

void SketchShape::setDirection(int direction)
{
    m_direction = qBound(0, direction, 5);
    noteChange();
}

// --- Rotation ----------------------------------------------------------------

QTransform SketchShape::rotation() const
{
    QTransform transform;
    if (isTurned()) {
        transform.translate(m_rotatePoint.x(), m_rotatePoint.y());
        transform.rotate(m_rotateAngle * 360.0);
        transform.translate(-m_rotatePoint.x(), -m_rotatePoint.y());
    }
    return transform;
}

void SketchShape::setRotateAngle(float angle)
{
    m_rotateAngle = isTurnedAngle(angle) ? angle : 0.0f;
    noteChange();
}

void SketchShape::setRotatePoint(const QPointF &point)
{
    m_rotatePoint = point;
    noteChange();
}

void SketchShape::moveRotatePoint(const QPointF &centre)
{
    if (isOrigin(m_rotatePoint)) {
        m_rotatePoint = centre;
        return;
    }
    // Where the new centre is drawn under the present rotation: moving the
    // points by the difference keeps the drawing in place.
    const QPointF drawn = rotatePointAround(centre, m_rotatePoint, m_rotateAngle * 360.0f, 1.0f);
    if (m_rotateAngle != 0.0f)
        translate(float(drawn.x() - centre.x()), float(drawn.y() - centre.y()));
    m_rotatePoint = drawn;
}

void SketchShape::centerRotatePoint()
{
    moveRotatePoint(center());
}

void SketchShape::applyRotation(float angle, const QPointF &centre)
{
    if (angle != 0.0f) {
        for (SketchPoint *point : qAsConst(m_points)) {
            const QPointF turned = rotatePointAround(point->toPointF(), centre, angle * 360.0f, 1.0f);
            point->setPos(float(turned.x()), float(turned.y()));
        }
        invalidateOutline();
    }
    m_rotateAngle = 0.0f;
    noteChange();
    centerRotatePoint();
}

bool SketchShape::needsAntialiasing() const
{
    if (isGroup())
        return true;
    const int degrees = int(m_rotateAngle * 360.0f);
    if (degrees % 90 != 0)
        return true;
    return m_tension > 0.0f && curvePointCount() > 0;
}

// --- Frames ------------------------------------------------------------------

void SketchShape::appendFrame(SketchShape *frame)
{
    if (!frame || frame == this)
        return;
    frame->setParent(this);
    frame->setLayer(m_layer);
    m_frames.append(frame);
}

void SketchShape::clearFrames()
{
    const QList<SketchShape *> frames = m_frames;
    m_frames.clear();
    QSet<SketchShape *> deleted;
    for (SketchShape *frame : frames) {
        if (!frame || frame->isDestroying() || deleted.contains(frame))
            continue;
        deleted.insert(frame);
        delete frame;
    }
}

int SketchShape::frameIndex() const
{
    if (m_frames.isEmpty())
        return 0;
    return qBound(0, m_frameIndex, m_frames.size() - 1);
}

SketchShape *SketchShape::currentFrame() const
{
    return m_frames.isEmpty() ? nullptr : m_frames.at(frameIndex());
}

void SketchShape::setFrameIndex(int index)
{
    if (m_frames.isEmpty()) {
        m_frameIndex = 0;
        return;
    }
    index = qBound(0, index, m_frames.size() - 1);
    if (index == frameIndex())
        return;

    const QPointF topLeft = boundingRect().topLeft();
    if (m_group)
        currentFrame()->setInnerPosition(topLeft);
    const float angle = m_rotateAngle;
    const QPointF rotateCentre = m_rotatePoint;
    SketchLayer *layer = m_layer;
    m_frameIndex = index;
    SketchShape *frame = m_frames.at(index);
    frame->copyTo(this, false);
    // The shape stays in its own layer whatever layer the frame names.
    if (m_layer != layer)
        setLayer(layer);

    // The frame is placed in the shape's own coordinates, so that neither the
    // zoom nor the rotation of the view changes where it lands, and it is
    // centred under the shape's own rotation, which all frames share.
    m_rotateAngle = angle;
    m_rotatePoint = rotateCentre;
    const QPointF newTopLeft = boundingRect().topLeft();
    const QPointF target = m_group ? frame->innerPosition() : topLeft;
    translate(float(target.x() - newTopLeft.x()), float(target.y() - newTopLeft.y()));
    centerRotatePoint();
    setRotateAngle(angle);
}

void SketchShape::syncCurrentFrame()
{
    SketchShape *frame = currentFrame();
    if (!frame)
        return;
    copyTo(frame, false);
    frame->setActiveHandle(SketchHandleNone);
    frame->setSelected(false);
    const QRectF bounds = frame->boundingRect();
    frame->translate(float(-bounds.x()), float(-bounds.y()));
}

QList<SketchShape *> SketchShape::findShape(const QString &name)
{
    QList<SketchShape *> found;
    if (name.isEmpty())
        return found;
    if (m_name == name)
        found.append(this);
    const QList<SketchShape *> members = memberShapes();
    for (SketchShape *member : members)
        found += member->findShape(name);
    for (SketchShape *frame : qAsConst(m_frames))
        found += frame->findShape(name);
    return found;
}

QList<SketchShape *> SketchShape::memberShapes() const
{
    return QList<SketchShape *>();
}

// --- Copies ------------------------------------------------------------------

SketchShape *SketchShape::clone(bool withFrames)
{
    SketchShape *copy = createSketchShape(typeName(), m_layer);
    if (copy)
        copyTo(copy, withFrames);
    return copy;
}

void SketchShape::copyTo(SketchShape *target, bool withFrames)
{
    if (!target || target == this)
        return;
    target->m_name = m_name;
    target->setLayer(m_layer);
    target->setBehavior(m_behavior);
    target->setFill(m_fill);
    target->setStroke(m_stroke);
    target->setFont(m_font);
    target->setFontColor(m_fontColor);
    target->setClosed(m_closed);
    target->setSelected(m_selected);
    target->m_locked = m_locked;
    target->m_align = m_align;
    target->m_activeHandle = m_activeHandle;
    target->setRotateAngle(m_rotateAngle);
    target->m_rotatePoint = m_rotatePoint;
    target->setOpacity(m_opacity);
    target->setTension(m_tension);
    target->setDirection(m_direction);
    target->setBlur(m_blur);
    target->setCachedBlurImage(m_blurImage ? new QImage(*m_blurImage) : nullptr);
    target->m_text = m_text;
    target->m_innerPosition = m_innerPosition;

    // Points equal to the target's keep the outline it has built: undoing a
    // change of colour or opacity over a crowded page rebuilds none.
    if (!samePoints(target->m_points, m_points)) {
        target->clearPoints();
        for (const SketchPoint *point : qAsConst(m_points))
            target->m_points.append(point->clone());
        target->invalidateOutline();
    }

    if (withFrames) {
        target->clearFrames();
        for (SketchShape *frame : qAsConst(m_frames)) {
            if (SketchShape *copy = frame->clone(true))
                target->appendFrame(copy);
        }
        // The target already shows this shape's current state, so only the
        // index is taken over: rebuilding it from the frame would re-centre its
        // rotation and move a rotated copy away from the original.
        target->m_frameIndex = frameIndex();
    }
}

// --- XML ---------------------------------------------------------------------

void SketchShape::writeXml(QDomElement &element)
{
    if (!m_name.isEmpty())
        writeXmlAttribute(element, QStringLiteral("Name"), m_name);
    writeStyleXml(element);
    if (m_behavior != SketchShapePath)
        writeXmlIntAttribute(element, QStringLiteral("Behavior"), m_behavior);
    if (!m_closed)
        writeXmlBoolAttribute(element, QStringLiteral("Closed"), false);
    if (m_locked)
        writeXmlBoolAttribute(element, QStringLiteral("Locked"), true);
    // Each real value is compared as the file gives it back: an angle that
    // rounds to 1, a full turn, reads as no rotation.
    if (m_rotateAngle != 0.0f && isTurnedAngle(xmlRoundedFloat(m_rotateAngle)))
        writeXmlFloatAttribute(element, QStringLiteral("RotateAngle"), m_rotateAngle);
    if (!isOrigin(m_rotatePoint) && !isOrigin(xmlRoundedPointF(m_rotatePoint)))
        writeXmlPointFAttribute(element, QStringLiteral("RotatePoint"), m_rotatePoint);
    if (m_tension != 0.5f && xmlRoundedFloat(m_tension) != 0.5f)
        writeXmlFloatAttribute(element, QStringLiteral("Tension"), m_tension);
    if (m_direction != 0)
        writeXmlIntAttribute(element, QStringLiteral("Direction"), m_direction);
    if (!m_text.isEmpty())
        writeXmlAttribute(element, QStringLiteral("Text"), m_text);
    if (m_points.size() >= 2) {
        QStringList texts;
        texts.reserve(m_points.size());
        for (const SketchPoint *point : qAsConst(m_points))
            texts.append(point->toString());
        writeXmlAttribute(element, QStringLiteral("Points"), texts.join(QLatin1Char(';')));
    }
    if (!isOrigin(m_innerPosition) && !isOrigin(xmlRoundedPointF(m_innerPosition)))
        writeXmlPointFAttribute(element, QStringLiteral("InnerPosition"), m_innerPosition);
    if (!m_frames.isEmpty())
        writeFrames(element);
}

void SketchShape::writeFrames(QDomElement &element)
{
    QDomElement framesElement = appendXmlElement(element, QStringLiteral("Frames"));
    if (frameIndex() > 0)
        writeXmlIntAttribute(framesElement, QStringLiteral("Index"), frameIndex());
    for (SketchShape *frame : qAsConst(m_frames)) {
        QDomElement frameElement = appendXmlElement(framesElement, frame->typeName());
        frame->writeXml(frameElement);
    }
}

void SketchShape::readXml(const QDomElement &element)
{
    m_name = readXmlAttribute(element, QStringLiteral("Name"));
    readStyleXml(element);
    m_behavior = readXmlIntAttribute(element, QStringLiteral("Behavior"), SketchShapePath);
    m_closed = readXmlBoolAttribute(element, QStringLiteral("Closed"), true);
    m_locked = readXmlBoolAttribute(element, QStringLiteral("Locked"), false);
    setRotateAngle(readXmlFloatAttribute(element, QStringLiteral("RotateAngle"), 0.0f));
    m_rotatePoint = boundedPoint(readXmlPointFAttribute(element, QStringLiteral("RotatePoint"), QPointF()));
    setTension(readXmlFloatAttribute(element, QStringLiteral("Tension"), 0.5f));
    setDirection(readXmlIntAttribute(element, QStringLiteral("Direction"), 0));
    m_text = readXmlAttribute(element, QStringLiteral("Text"));

    // An absent or empty list gives no points, so that a shape without
    // points comes back without points.
    clearPoints();
    const QString pointsText = readXmlAttribute(element, QStringLiteral("Points"));
    if (!pointsText.isEmpty()) {
        const QStringList parts = pointsText.split(QLatin1Char(';'), Qt::KeepEmptyParts);
        m_points.reserve(parts.size());
        for (const QString &part : parts)
            m_points.append(new SketchPoint(part));
    }
    m_innerPosition = boundedPoint(readXmlPointFAttribute(element, QStringLiteral("InnerPosition"), QPointF()));
    readFrames(element);
    invalidateOutline();
    setCachedBlurImage(nullptr);
}

void SketchShape::readFrames(const QDomElement &element)
{
    clearFrames();
    const QDomElement framesElement = element.firstChildElement(QStringLiteral("Frames"));
    if (framesElement.isNull())
        return;
    m_frameIndex = readXmlIntAttribute(framesElement, QStringLiteral("Index"), 0);
    const ReadNesting nesting;
    if (!nesting.allowsChildren())
        return;
    for (QDomNode node = framesElement.firstChild(); !node.isNull(); node = node.nextSibling()) {
        SketchShape *frame = createSketchShape(node.nodeName(), m_layer);
        if (!frame)
            continue;
        appendFrame(frame);
        frame->readXml(node.toElement());
    }
}

void SketchShape::writeStyleXml(QDomElement &element)
{
    if (!m_fill.savesAsTransparent()) {
        QDomElement fillElement = appendXmlElement(element, QStringLiteral("Fill"));
        m_fill.write(fillElement);
    }
    if (!m_stroke.isDefault()) {
        QDomElement strokeElement = appendXmlElement(element, QStringLiteral("Stroke"));
        m_stroke.writeXml(strokeElement);
    }
    if (m_font != *SketchGlobals::defaultFont())
        writeXmlFontAttribute(element, QStringLiteral("Font"), m_font);
    // The colour is written without its alpha, so it is compared by name.
    if (m_fontColor.name() != QColor(Qt::black).name())
        writeXmlColorAttribute(element, QStringLiteral("FontColor"), m_fontColor);
    if (m_align != SketchTextAlignCenter)
        writeXmlIntAttribute(element, QStringLiteral("Align"), m_align);
    if (m_opacity < 1.0f && xmlRoundedFloat(m_opacity) < 1.0f)
        writeXmlFloatAttribute(element, QStringLiteral("Opacity"), m_opacity);
    if (m_blur > 0)
        writeXmlIntAttribute(element, QStringLiteral("Blur"), m_blur);
}

void SketchShape::readStyleXml(const QDomElement &element)
{
    SkinBrush fill = SkinBrush::transparentBrush();
    const QDomElement fillElement = element.firstChildElement(QStringLiteral("Fill"));
    if (!fillElement.isNull())
        fill.read(fillElement);
    setFill(fill);

    SketchStroke stroke;
    const QDomElement strokeElement = element.firstChildElement(QStringLiteral("Stroke"));
    if (!strokeElement.isNull())
        stroke.readXml(strokeElement);
    setStroke(stroke);

    setFont(readXmlFontAttribute(element, QStringLiteral("Font"), *SketchGlobals::defaultFont()));
    setFontColor(readXmlColorAttribute(element, QStringLiteral("FontColor"), QColor(Qt::black)));
    m_align = readXmlIntAttribute(element, QStringLiteral("Align"), SketchTextAlignCenter);
    // After the fill and the stroke, so that the shape's opacity wins over
    // whatever opacity their elements carried.
    setOpacity(readXmlFloatAttribute(element, QStringLiteral("Opacity"), 1.0f));
    setBlur(readXmlIntAttribute(element, QStringLiteral("Blur"), 0));
}

SketchShape::ReadNesting::ReadNesting()
{
    ++readNestingDepth;
}

SketchShape::ReadNesting::~ReadNesting()
{
    --readNestingDepth;
}

bool SketchShape::ReadNesting::allowsChildren() const
{
    return readNestingDepth <= MaxReadNesting;
}

// --- Status texts ------------------------------------------------------------

QString statusNumber(qreal value)
{
    return QString::number(value, 'f', 1);
}

QString SketchShape::rectStatusText()
{
    const QRectF r = boundingRect();
    return tr("Rect: X=%1, Y=%2, W=%3, H=%4")
        .arg(statusNumber(r.x()), statusNumber(r.y()), statusNumber(r.width()), statusNumber(r.height()))
        .trimmed();
}

QString SketchShape::pointStatusText(int index)
{
    if (index < 0 || index >= m_points.size())
        return QString();
    const SketchPoint *point = m_points.at(index);
    return tr("Point: X=%1, Y=%2").arg(statusNumber(point->x()), statusNumber(point->y()));
}
