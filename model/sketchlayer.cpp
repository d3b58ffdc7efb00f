#include "model/sketchlayer.h"

#include "model/sketchdocument.h"
#include "model/sketchglobals.h"
#include "model/sketchshape.h"
#include "model/xmlattributes.h"

#include <QDomElement>
#include <QSet>

SketchLayer::SketchLayer(SketchDocument *document)
    : SketchLayer(document, QString())
{
}

SketchLayer::SketchLayer(SketchDocument *document, const QString &name)
    : QObject(document),
      m_document(document),
      m_name(name)
{
    ++SketchGlobals::LayerCount;
}

SketchLayer::~SketchLayer()
{
    --SketchGlobals::LayerCount;
    // The listed shapes go first, each with its frames and members; what is
    // left of the layer's children (shapes that commands took out of the
    // list) goes with the QObject base.
    clear();
}

SketchDocumentView *SketchLayer::view() const
{
    return m_document ? m_document->view() : nullptr;
}

int SketchLayer::index() const
{
    return m_document ? m_document->layers().indexOf(const_cast<SketchLayer *>(this)) : -1;
}

namespace {

// A 64-bit finaliser: every input bit reaches every output bit.
quint64 mixed(quint64 value)
{
    value ^= value >> 33;
    value *= 0xff51afd7ed558ccdULL;
    value ^= value >> 33;
    value *= 0xc4ceb9fe1a85ec53ULL;
    value ^= value >> 33;
    return value;
}

} // namespace

quint64 SketchLayer::shapesRevision() const
{
    return shapesRevision(0, m_shapes.size());
}

quint64 SketchLayer::shapesRevision(int first, int count) const
{
    const int begin = qBound(0, first, m_shapes.size());
    const int end = begin + qBound(0, count, m_shapes.size() - begin);
    quint64 sum = mixed(quint64(end - begin));
    for (int i = begin; i < end; ++i) {
        const SketchShape *shape = m_shapes.at(i);
        sum = mixed(sum ^ quint64(quintptr(shape)));
        sum = mixed(sum ^ (shape ? shape->revision() : 0));
    }
    return sum;
}

QList<SketchShape *> SketchLayer::shapesFromTop() const
{
    QList<SketchShape *> shapes;
    shapes.reserve(m_shapes.size());
    for (int i = m_shapes.size() - 1; i >= 0; --i)
        shapes.append(m_shapes.at(i));
    return shapes;
}

QList<SketchShape *> SketchLayer::selectedShapes() const
{
    QList<SketchShape *> shapes;
    for (SketchShape *shape : m_shapes) {
        if (shape->isSelected())
            shapes.append(shape);
    }
    return shapes;
}

int SketchLayer::selectedCount() const
{
    int count = 0;
    for (const SketchShape *shape : m_shapes) {
        if (shape->isSelected())
            ++count;
    }
    return count;
}

void SketchLayer::writeXml(QDomElement &element) const
{
    writeXmlAttribute(element, QStringLiteral("Name"), m_name);
    if (!m_visible)
        writeXmlBoolAttribute(element, QStringLiteral("Visible"), false);
    if (m_locked)
        writeXmlBoolAttribute(element, QStringLiteral("Locked"), true);
    for (SketchShape *shape : m_shapes) {
        QDomElement shapeElement = appendXmlElement(element, shape->typeName());
        shape->writeXml(shapeElement);
    }
}

void SketchLayer::readXml(const QDomElement &element)
{
    m_name = readXmlAttribute(element, QStringLiteral("Name"));
    m_visible = readXmlBoolAttribute(element, QStringLiteral("Visible"), true);
    m_locked = readXmlBoolAttribute(element, QStringLiteral("Locked"), false);
    // A layer is new when it is read; shapes already listed stay children of
    // the layer and go with it.
    m_shapes.clear();
    for (QDomNode node = element.firstChild(); !node.isNull(); node = node.nextSibling()) {
        SketchShape *shape = createSketchShape(node.nodeName(), this);
        if (!shape)
            continue;
        m_shapes.append(shape);
        shape->readXml(node.toElement());
    }
}

void SketchLayer::clear()
{
    const QList<SketchShape *> shapes = m_shapes;
    m_shapes.clear();
    QSet<SketchShape *> deleted;
    for (SketchShape *shape : shapes) {
        if (!shape || shape->isDestroying() || deleted.contains(shape))
            continue;
        deleted.insert(shape);
        delete shape;
    }
}

void SketchLayer::copyTo(SketchLayer *target) const
{
    if (!target || target == this)
        return;
    target->m_name = m_name;
    target->m_visible = m_visible;
    target->m_locked = m_locked;
    target->clear();
    for (SketchShape *shape : m_shapes) {
        SketchShape *copy = shape->clone(true);
        if (!copy)
            continue;
        copy->setLayer(target);
        target->m_shapes.append(copy);
    }
}

SketchLayer *SketchLayer::clone() const
{
    SketchLayer *copy = new SketchLayer(m_document);
    copyTo(copy);
    return copy;
}
