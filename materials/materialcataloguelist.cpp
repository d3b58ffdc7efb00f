#include "materials/materialcataloguelist.h"

#include "materials/materialdescriptionreader.h"
#include "materials/sketchmaterial.h"
#include "materials/sketchmaterialfile.h"
#include "model/xmlattributes.h"

#include <QDomElement>

namespace {

const QString NameAttribute = QStringLiteral("Name");
const QString PriceAttribute = QStringLiteral("Price");
const QString CurrencyAttribute = QStringLiteral("Currency");

// The entry's first child element, whose shapes stay text while the entry
// came as text.
SketchMaterial *readPreview(const MaterialDescriptionReader::Entry &entry)
{
    auto *preview = new SketchMaterial;
    if (entry.element.hasChildNodes()) {
        preview->readXml(entry.element.firstChildElement());
        return preview;
    }
    // The content is part of a text that read, so it reads on its own too.
    MaterialDescriptionReader content;
    if (!entry.content.isEmpty() && content.read("<M>" + entry.content + "</M>", 1) && !content.entries().isEmpty())
        preview->readXml(content.entries().first().element, content.entries().first().content);
    return preview;
}

} // namespace

QList<SketchMaterialFile *> MaterialCatalogueList::read(const QString &text)
{
    QList<SketchMaterialFile *> files;
    MaterialDescriptionReader reply;
    if (!reply.read(text.toUtf8(), maxCards))
        return files;
    for (const MaterialDescriptionReader::Entry &entry : reply.entries()) {
        auto *file = new SketchMaterialFile(readXmlAttribute(entry.element, NameAttribute, QString()));
        file->setPrice(readXmlFloatAttribute(entry.element, PriceAttribute, 0.0f));
        file->setCurrency(readXmlIntAttribute(entry.element, CurrencyAttribute, 0));
        file->addMaterial(readPreview(entry));
        files.append(file);
    }
    return files;
}
