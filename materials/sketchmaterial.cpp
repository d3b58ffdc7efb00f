#include "materials/sketchmaterial.h"

#include "model/coordinates.h"
#include "model/geometry.h"
#include "model/pagerenderer.h"
#include "model/sketchglobals.h"
#include "model/sketchshape.h"
#include "model/xmlattributes.h"
#include "model/xmltextwriter.h"

#include <QDomDocument>
#include <QDomElement>
#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <QTransform>
#include <QUuid>

namespace {

// The element in the document file's layout, appended to out.
void appendElementText(QString &out, const QDomElement &element, int depth)
{
    XmlTextWriter writer;
    writer.writeElement(element, depth);
    out += writer.text();
}

const QString GuidAttribute = QStringLiteral("Guid");
const QString NameAttribute = QStringLiteral("Name");
const QString CategoryAttribute = QStringLiteral("Category");
const QString SizeAttribute = QStringLiteral("Size");
const QString DragRootTag = QStringLiteral("StoryloomMaterial");

constexpr int kIndent = 4;

// Whether the text between the tags of a material element at that depth is
// laid out as the element writer lays out child elements: a line break,
// then every tag on a line of its own indented by 4 per level, and last the
// indentation of the material's end tag. Comments, instructions and text
// are never part of it.
bool isInWriterLayout(const QByteArray &content, int depth)
{
    const char *p = content.constData();
    const char *const end = p + content.size();
    if (p == end || *p++ != '\n')
        return false;
    int open = 0;
    bool tagSeen = false;
    for (;;) {
        int spaces = 0;
        for (; p < end && *p == ' '; ++p)
            ++spaces;
        if (p == end)
            return tagSeen && open == 0 && spaces == depth * kIndent;
        const bool closing = end - p > 1 && p[1] == '/';
        if (*p != '<' || (closing && open == 0) || spaces != (depth + 1 + open - (closing ? 1 : 0)) * kIndent)
            return false;
        if (!closing && (end - p < 2 || p[1] == '!' || p[1] == '?'))
            return false;
        // To the end of the tag, past quoted values.
        char quote = 0;
        for (++p; p < end && (quote || *p != '>'); ++p) {
            // The writer keeps a tag on one line.
            if (*p == '\n' || *p == '\r')
                return false;
            if (quote ? *p == quote : (*p == '"' || *p == '\''))
                quote = quote ? 0 : *p;
        }
        if (end - p < 2 || p[1] != '\n')
            return false;
        const bool selfClosing = p[-1] == '/';
        p += 2;
        open += closing ? -1 : (selfClosing ? 0 : 1);
        tagSeen = true;
    }
}

// Room left free on every side of a painted material.
constexpr qreal kPaintMargin = 3.0;

QString newGuid()
{
    return QUuid::createUuid().toString();
}

// The box around the shape's bounding rectangle turned as the shape is
// painted.
QRectF turnedBounds(const SketchShape *shape)
{
    const QList<QPointF> corners =
        rotatedRectCorners(shape->boundingRect(), shape->rotatePoint(), shape->rotateAngle() * 360.0f, 1.0f);
    return QPolygonF(corners.toVector()).boundingRect();
}

} // namespace

SketchMaterial::SketchMaterial()
    : QObject(nullptr),
      m_guid(newGuid())
{
    ++SketchGlobals::MaterialCount;
}

SketchMaterial::SketchMaterial(int category, const QList<SketchShape *> &shapes, bool withFrames)
    : SketchMaterial()
{
    m_category = category;
    QRectF area;
    for (SketchShape *source : shapes) {
        SketchShape *shape = source ? source->clone(withFrames) : nullptr;
        if (!shape)
            continue;
        shape->setSelected(false);
        shape->setActiveHandle(SketchHandleNone);
        shape->setLayer(nullptr);
        m_shapes.append(shape);
        area = m_shapes.size() == 1 ? turnedBounds(shape) : area.united(turnedBounds(shape));
    }
    if (m_shapes.isEmpty())
        return;
    m_width = area.width();
    m_height = area.height();

    // A group's members lie relative to the group's box, so moving the
    // group's own points moves them along.
    const float left = float(area.left());
    const float top = float(area.top());
    for (SketchShape *shape : qAsConst(m_shapes)) {
        shape->translate(-left, -top);
        if (shape->rotateAngle() != 0.0f)
            shape->setRotatePoint(shape->rotatePoint() - QPointF(left, top));
    }
}

SketchMaterial::~SketchMaterial()
{
    --SketchGlobals::MaterialCount;
    const QList<SketchShape *> shapes = m_shapes;
    m_shapes.clear();
    for (SketchShape *shape : shapes) {
        if (shape && !shape->isDestroying())
            delete shape;
    }
    delete m_thumbnail;
}

// --- Shapes ------------------------------------------------------------------

QList<SketchShape *> &SketchMaterial::shapes()
{
    readPendingShapes();
    forgetShapesXml();
    return m_shapes;
}

const QList<SketchShape *> &SketchMaterial::shapes() const
{
    readPendingShapes();
    return m_shapes;
}

// --- XML ---------------------------------------------------------------------

void SketchMaterial::writeXml(QDomElement &element) const
{
    writeAttributes(element);
    for (SketchShape *shape : shapes()) {
        QDomElement shapeElement = appendXmlElement(element, shape->typeName());
        shape->writeXml(shapeElement);
    }
}

void SketchMaterial::writeAttributes(QDomElement &element) const
{
    writeXmlAttribute(element, GuidAttribute, m_guid);
    if (!m_name.isEmpty())
        writeXmlAttribute(element, NameAttribute, m_name);
    writeXmlIntAttribute(element, CategoryAttribute, m_category);
    writeXmlSizeFAttribute(element, SizeAttribute, size());
}

void SketchMaterial::readXml(const QDomElement &element)
{
    // Shapes still waiting in a file text come first; the text no longer
    // stands for all of them.
    shapes();
    readAttributes(element);
    readShapes(element);
}

void SketchMaterial::readXml(const QDomElement &element, const QByteArray &shapesXml)
{
    readAttributes(element);
    const bool appending = !shapes().isEmpty();
    m_shapesXml = shapesXml;
    m_shapesXmlDepth = 1;
    m_shapesXmlInLayout = isInWriterLayout(shapesXml, 1);
    m_shapesXmlUnreadable = false;
    m_shapesPending = true;
    m_keepsShapesXml = true;
    if (appending)
        shapes();
}

void SketchMaterial::setGuid(const QString &guid)
{
    m_guid = XmlTextWriter::writableText(guid);
}

void SketchMaterial::setName(const QString &name)
{
    m_name = XmlTextWriter::writableText(name);
}

void SketchMaterial::readAttributes(const QDomElement &element)
{
    setGuid(readXmlAttribute(element, GuidAttribute));
    if (m_guid.isEmpty())
        m_guid = newGuid();
    setName(readXmlAttribute(element, NameAttribute));
    m_category = readXmlIntAttribute(element, CategoryAttribute, SketchMaterialRole);
    const QSizeF size = readXmlSizeFAttribute(element, SizeAttribute, QSizeF(-1.0, -1.0));
    // The drop centres the material by its size: kept within the range of
    // the coordinates read.
    m_width = boundedCoordinate(size.width());
    m_height = boundedCoordinate(size.height());
}

void SketchMaterial::readShapes(const QDomElement &element) const
{
    // A processing instruction answers its target as its name: only
    // elements can be shapes.
    for (QDomElement child = element.firstChildElement(); !child.isNull(); child = child.nextSiblingElement()) {
        SketchShape *shape = createSketchShape(child.tagName(), nullptr);
        if (!shape)
            continue;
        shape->readXml(child);
        m_shapes.append(shape);
    }
}

// A text that does not parse gives no shapes; it is still written back, so
// that nothing of the file is lost.
void SketchMaterial::readPendingShapes() const
{
    if (!m_shapesPending)
        return;
    m_shapesPending = false;
    if (m_shapesXml.isEmpty())
        return;
    QDomDocument document;
    if (document.setContent(QByteArray("<M>") + m_shapesXml + QByteArray("</M>"), false))
        readShapes(document.documentElement());
    else
        m_shapesXmlUnreadable = true;
}

void SketchMaterial::forgetShapesXml()
{
    m_shapesXml.clear();
    m_keepsShapesXml = false;
    m_shapesXmlInLayout = false;
    m_shapesXmlUnreadable = false;
    m_shapesPending = false;
}

// The start tag is written afresh every time; the content comes from the
// text the shapes were read from or last written as, while that still
// stands for them, lay at the same depth and is laid out as the rest of the
// file. A text in another layout is written afresh from its shapes, unless
// it does not parse: then nothing else holds what it was.
void SketchMaterial::appendXmlText(QByteArray &out, const QString &tag, int depth) const
{
    QDomDocument tree;
    QDomElement element = tree.createElement(tag);
    writeAttributes(element);
    XmlTextWriter writer;
    writer.writeStartTag(element, depth, {GuidAttribute, NameAttribute, CategoryAttribute, SizeAttribute});
    bool rewrite = !m_keepsShapesXml || m_shapesXmlDepth != depth;
    if (!rewrite && !m_shapesXmlInLayout) {
        readPendingShapes();
        rewrite = !m_shapesXmlUnreadable;
    }
    if (rewrite) {
        m_shapesXml = shapesXmlText(tree, depth, QString(depth * kIndent, QLatin1Char(' ')));
        m_shapesXmlDepth = depth;
        m_shapesXmlInLayout = true;
        m_keepsShapesXml = true;
    }
    writer.closeStartTag(m_shapesXml.isEmpty());
    QString head = writer.text();
    if (m_shapesXml.isEmpty()) {
        out += head.toUtf8();
        return;
    }
    // The content brings its own line break after the start tag.
    head.chop(1);
    out += head.toUtf8();
    out += m_shapesXml;
    out += "</" + tag.toUtf8() + ">\n";
}

// What the element writer puts between the material's tags: a line break,
// each shape element one level deeper, and the indentation of the end tag.
QByteArray SketchMaterial::shapesXmlText(QDomDocument &tree, int depth, const QString &indent) const
{
    const QList<SketchShape *> &list = shapes();
    if (list.isEmpty())
        return QByteArray();
    QString text = QStringLiteral("\n");
    for (SketchShape *shape : list) {
        QDomElement shapeElement = tree.createElement(shape->typeName());
        shape->writeXml(shapeElement);
        appendElementText(text, shapeElement, depth + 1);
    }
    text += indent;
    return text.toUtf8();
}

QString SketchMaterial::dragText() const
{
    QDomDocument document;
    QDomElement root = document.createElement(DragRootTag);
    writeXml(root);
    return XmlTextWriter::elementText(root);
}

SketchMaterial *SketchMaterial::clone() const
{
    QDomDocument document;
    QDomElement element = document.createElement(QStringLiteral("Material"));
    writeXml(element);
    auto *copy = new SketchMaterial;
    copy->readXml(element);
    return copy;
}

// --- Painting ----------------------------------------------------------------

void SketchMaterial::paint(QPainter *painter, const QRectF &rect) const
{
    // Within the margins a rect of 6 or less leaves nothing, and a negative
    // scale would paint the material mirrored.
    const qreal innerWidth = rect.width() - 2.0 * kPaintMargin;
    const qreal innerHeight = rect.height() - 2.0 * kPaintMargin;
    const float w = width();
    const float h = height();
    if (!painter || !(innerWidth > 0.0 && innerHeight > 0.0) || !(w > 0.0f && h > 0.0f) || shapes().isEmpty())
        return;
    const float scale = qMin(float(innerWidth) / w, float(innerHeight) / h);
    const qreal dx = rect.x() + kPaintMargin + (innerWidth - qreal(w * scale)) / 2.0;
    const qreal dy = rect.y() + kPaintMargin + (innerHeight - qreal(h * scale)) / 2.0;

    const QTransform base = QTransform(scale, 0.0, 0.0, scale, dx, dy) * painter->transform();
    PageRenderer::Style style;
    style.zoom = scale;
    PageRenderer::paintThrough(painter, PageRenderer::placed(m_shapes, base), style);
}

bool SketchMaterial::fitShapes(const QRectF &rect, const QList<SketchShape *> &shapes, QTransform *toRect,
                               float *scale)
{
    bool any = false;
    QRectF area;
    for (const SketchShape *shape : shapes) {
        if (!shape)
            continue;
        area = any ? area.united(turnedBounds(shape)) : turnedBounds(shape);
        any = true;
    }
    const qreal innerWidth = rect.width() - 2.0 * kPaintMargin;
    const qreal innerHeight = rect.height() - 2.0 * kPaintMargin;
    const float w = float(area.width());
    const float h = float(area.height());
    if (!(innerWidth > 0.0 && innerHeight > 0.0) || !(w > 0.0f && h > 0.0f) || !any)
        return false;
    const float fitted = qMin(float(innerWidth) / w, float(innerHeight) / h);
    const qreal dx = rect.x() + kPaintMargin + (innerWidth - qreal(w * fitted)) / 2.0;
    const qreal dy = rect.y() + kPaintMargin + (innerHeight - qreal(h * fitted)) / 2.0;
    *toRect = QTransform::fromTranslate(-area.left(), -area.top()) * QTransform(fitted, 0.0, 0.0, fitted, dx, dy);
    *scale = fitted;
    return true;
}

void SketchMaterial::paintFitted(QPainter *painter, const QRectF &rect, const QList<SketchShape *> &shapes)
{
    QTransform toRect;
    float scale = 1.0f;
    if (!painter || !fitShapes(rect, shapes, &toRect, &scale))
        return;
    QList<SketchShape *> painted = shapes;
    painted.removeAll(nullptr);

    // A picture of the device pixels under the rectangle.
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    const QRect pixels = painter->transform().mapRect(rect).toAlignedRect();
    QImage picture(pixels.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    if (picture.isNull())
        return;
    picture.fill(Qt::transparent);
    const QTransform base = toRect * painter->transform() * QTransform::fromTranslate(-pixels.x(), -pixels.y())
                            * QTransform::fromScale(ratio, ratio);
    PageRenderer().paint(&picture, painted, base, scale);
    picture.setDevicePixelRatio(ratio);
    painter->save();
    painter->resetTransform();
    painter->drawImage(pixels.topLeft(), picture);
    painter->restore();
}

QImage *SketchMaterial::renderImage(int width, int height) const
{
    if (width <= 0 || height <= 0)
        return new QImage;
    auto *image = new QImage(width, height, QImage::Format_ARGB32);
    if (image->isNull())
        return image;
    image->fill(Qt::transparent);
    QPainter painter(image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    paint(&painter, QRectF(0, 0, width, height));
    return image;
}

void SketchMaterial::setThumbnail(QImage *thumbnail)
{
    if (thumbnail == m_thumbnail)
        return;
    delete m_thumbnail;
    m_thumbnail = thumbnail;
}

QImage *SketchMaterial::updateThumbnail(int width, int height)
{
    setThumbnail(nullptr);
    setThumbnail(renderImage(width, height));
    return m_thumbnail;
}
