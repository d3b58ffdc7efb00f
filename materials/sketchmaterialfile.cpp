#include "materials/sketchmaterialfile.h"

#include "materials/materialdescriptionreader.h"
#include "materials/sketchmaterial.h"
#include "model/filehelpers.h"
#include "model/sketchglobals.h"
#include "model/xmlattributes.h"

#include <QDomElement>
#include <QUuid>

#include <array>

namespace {

const QString LibraryRootTag = QStringLiteral("Storyloom");
const QString MaterialTag = QStringLiteral("Material");
const QString NameAttribute = QStringLiteral("Name");
const QString PriceAttribute = QStringLiteral("Price");
const QString CurrencyAttribute = QStringLiteral("Currency");

} // namespace

SketchMaterialFile::SketchMaterialFile(const QString &name)
    : QObject(nullptr),
      m_name(name)
{
    ++SketchGlobals::MaterialFileCount;
}

SketchMaterialFile::~SketchMaterialFile()
{
    --SketchGlobals::MaterialFileCount;
    clear();
}

void SketchMaterialFile::setCurrency(int currency)
{
    m_currency = qMax(currency, 0);
}

void SketchMaterialFile::setPrice(float price)
{
    // Also turns a NaN into 0.
    m_price = price > 0.0f ? price : 0.0f;
}

// --- Materials ---------------------------------------------------------------

bool SketchMaterialFile::contains(const QString &guid) const
{
    return !guid.isEmpty() && m_index.contains(guid);
}

bool SketchMaterialFile::addMaterial(SketchMaterial *material)
{
    if (!material)
        return false;
    const auto held = m_index.constFind(material->guid());
    if (held != m_index.constEnd()) {
        if (held.value() != material)
            delete material;
        return false;
    }
    m_materials.append(material);
    m_index.insert(material->guid(), material);
    return true;
}

void SketchMaterialFile::removeMaterial(SketchMaterial *material)
{
    if (!material || m_index.value(material->guid()) != material)
        return;
    m_materials.removeOne(material);
    m_index.remove(material->guid());
}

void SketchMaterialFile::clear()
{
    const QList<SketchMaterial *> materials = m_materials;
    m_materials.clear();
    m_index.clear();
    qDeleteAll(materials);
}

void SketchMaterialFile::sortByCategory()
{
    if (m_materials.isEmpty())
        return;
    // The last bucket holds every category the pages do not show, so that
    // such materials stay in the file and are saved again.
    std::array<QList<SketchMaterial *>, SketchMaterialCategoryCount + 1> buckets;
    for (SketchMaterial *material : qAsConst(m_materials)) {
        const int category = material->category();
        const bool known = category >= 0 && category < SketchMaterialCategoryCount;
        buckets[size_t(known ? category : SketchMaterialCategoryCount)].append(material);
    }
    m_materials.clear();
    for (const QList<SketchMaterial *> &bucket : buckets)
        m_materials.append(bucket);
}

// --- Descriptions and the library file ---------------------------------------

QList<SketchMaterial *> SketchMaterialFile::parse(const QString &text)
{
    if (text.isEmpty())
        return QList<SketchMaterial *>();
    bool wellFormed = false;
    return parse(text.toUtf8(), HeldGuidDrops, &wellFormed);
}

// The shapes of each material stay text until they are asked for: reading
// every shape of a large library would take far longer than showing it.
QList<SketchMaterial *> SketchMaterialFile::parse(const QByteArray &text, HeldGuid heldGuid, bool *wellFormed)
{
    MaterialDescriptionReader reader;
    *wellFormed = reader.read(text);
    // A text that is not XML gives a null root, which reads as no name, no
    // price, no currency and no materials, so that no half of a file gets in.
    const QDomElement root = reader.root();
    const QString name = readXmlAttribute(root, NameAttribute);
    if (!name.isEmpty())
        m_name = name;
    m_price = readXmlFloatAttribute(root, PriceAttribute, 0.0f);
    m_currency = readXmlIntAttribute(root, CurrencyAttribute, 0);

    // Comments, processing instructions and text between the materials are
    // no materials.
    QList<SketchMaterial *> added;
    for (const MaterialDescriptionReader::Entry &entry : reader.entries()) {
        auto *material = new SketchMaterial;
        if (entry.element.hasChildNodes())
            material->readXml(entry.element);
        else
            material->readXml(entry.element, entry.content);
        if (heldGuid == HeldGuidRenews && contains(material->guid()))
            material->setGuid(QUuid::createUuid().toString());
        if (addMaterial(material))
            added.append(material);
    }
    sortByCategory();
    return added;
}

bool SketchMaterialFile::load(const QString &path)
{
    clear();
    QByteArray bytes = readWholeFile(path);
    const int end = bytes.indexOf('\0');
    if (end >= 0)
        bytes.truncate(end);
    bool wellFormed = false;
    parse(bytes, HeldGuidRenews, &wellFormed);
    return wellFormed;
}

QByteArray SketchMaterialFile::toLibraryText() const
{
    if (m_materials.isEmpty())
        return QByteArray("<") + LibraryRootTag.toUtf8() + "/>\n";
    QByteArray text = "<" + LibraryRootTag.toUtf8() + ">\n";
    for (const SketchMaterial *material : m_materials)
        material->appendXmlText(text, MaterialTag, 1);
    text += "</" + LibraryRootTag.toUtf8() + ">\n";
    return text;
}

bool SketchMaterialFile::save(const QString &path) const
{
    if (path.isEmpty())
        return false;
    QString folder = path;
    ensureDirectory(folder);
    return writeWholeFile(path, toLibraryText());
}
