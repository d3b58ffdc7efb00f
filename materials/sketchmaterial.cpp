#include "materials/sketchmaterial.h"

#include "model/coordinates.h"
#include "model/sketchglobals.h"
#include "model/sketchshape.h"
#include "model/xmlattributes.h"

#include <QDomElement>
#include <QUuid>

namespace {

QString newGuid()
{
    return QUuid::createUuid().toString();
}

} // namespace

SketchMaterial::SketchMaterial()
    : QObject(nullptr),
      m_guid(newGuid())
{
    ++SketchGlobals::MaterialCount;
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
}

void SketchMaterial::readXml(const QDomElement &element)
{
    m_guid = readXmlAttribute(element, QStringLiteral("Guid"));
    if (m_guid.isEmpty())
        m_guid = newGuid();
    m_name = readXmlAttribute(element, QStringLiteral("Name"));
    m_category = readXmlIntAttribute(element, QStringLiteral("Category"), SketchMaterialRole);
    const QSizeF size = readXmlSizeFAttribute(element, QStringLiteral("Size"), QSizeF(-1.0, -1.0));
    // The drop centres the material by its size: kept within the range of
    // the coordinates read.
    m_width = boundedCoordinate(size.width());
    m_height = boundedCoordinate(size.height());

    for (QDomNode node = element.firstChild(); !node.isNull(); node = node.nextSibling()) {
        SketchShape *shape = createSketchShape(node.nodeName(), nullptr);
        if (!shape)
            continue;
        shape->readXml(node.toElement());
        m_shapes.append(shape);
    }
}
