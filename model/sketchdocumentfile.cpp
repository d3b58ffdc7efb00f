// SketchDocument: the "Document" element and the document file.
#include "model/sketchdocument.h"

#include "model/coordinates.h"
#include "model/sketchglobals.h"
#include "model/sketchlayer.h"
#include "model/sketchshape.h"
#include "model/sketchslice.h"
#include "model/filehelpers.h"
#include "model/filestamp.h"
#include "model/xmlattributes.h"
#include "model/xmltextwriter.h"

#include <QBuffer>
#include <QDomDocument>
#include <QDomElement>
#include <QVector>
#include <QXmlStreamReader>

namespace {

const QString RootTag = QStringLiteral("Storyloom");
const QString DocumentTag = QStringLiteral("Document");
const QString PaperColorTag = QStringLiteral("PaperColor");
const QString PaperBorderTag = QStringLiteral("PaperBorder");
const QString SliceTag = QStringLiteral("Slice");
const QString LayerTag = QStringLiteral("Layer");
const QString PaperSizeAttribute = QStringLiteral("PaperSize");
const QString WorkIdAttribute = QStringLiteral("WorkId");
const QString WorkTitleAttribute = QStringLiteral("WorkTitle");
const QString WorkTagsAttribute = QStringLiteral("WorkTags");

SketchStroke defaultPaperBorder()
{
    return SketchStroke(Qt::black, 1, SketchStrokeSquare);
}

// --- Reading the XML text ----------------------------------------------------
// The file is read as a stream. Each shape is read from an element tree of
// its own that is dropped right after, so that the whole file never lives
// as one tree; everything else of the Document element is kept as a small
// tree for the readers. New layers are made on the side and handed over
// only when the whole file has proved well-formed.

// Elements nested deeper than this inside one shape are skipped: the shape
// readers stop far above it (groups and frames at 64 levels), and a deeper
// tree would only cost stack when it is freed.
constexpr int kMaxElementDepth = 512;

class DocumentFileReader
{
public:
    explicit DocumentFileReader(SketchDocument *document)
        : m_document(document)
    {
    }
    ~DocumentFileReader() { qDeleteAll(m_layers); }
    DocumentFileReader(const DocumentFileReader &) = delete;
    DocumentFileReader &operator=(const DocumentFileReader &) = delete;

    // False when the text is not well-formed or the root's first child is
    // not a "Document" element.
    bool read(const QByteArray &bytes)
    {
        QXmlStreamReader xml(bytes);
        // As the document tree reads it: prefixed names are names like any.
        xml.setNamespaceProcessing(false);
        if (!readToDocumentElement(xml))
            return false;
        m_element = startElement(xml);
        readDocumentChildren(xml);
        while (!xml.atEnd())
            xml.readNext();
        return !xml.hasError();
    }

    // The Document element, each "Layer" child with its attributes only.
    QDomElement documentElement() const { return m_element; }
    // The layers read, in file order; the caller takes them over.
    QList<SketchLayer *> takeLayers()
    {
        const QList<SketchLayer *> layers = m_layers;
        m_layers.clear();
        return layers;
    }

private:
    // Past the root's start tag, the root's first child must be a Document
    // element; white space between them is no node.
    static bool readToDocumentElement(QXmlStreamReader &xml)
    {
        QXmlStreamReader::TokenType token = QXmlStreamReader::NoToken;
        while (!xml.atEnd() && token != QXmlStreamReader::StartElement)
            token = xml.readNext();
        if (token != QXmlStreamReader::StartElement)
            return false;
        do {
            token = xml.readNext();
        } while (token == QXmlStreamReader::Characters && xml.isWhitespace() && !xml.isCDATA());
        return token == QXmlStreamReader::StartElement && xml.qualifiedName() == DocumentTag;
    }

    // A new element for the start tag the reader stands on, with its
    // attributes.
    QDomElement startElement(const QXmlStreamReader &xml)
    {
        QDomElement element = m_tree.createElement(xml.qualifiedName().toString());
        const QXmlStreamAttributes attributes = xml.attributes();
        for (const QXmlStreamAttribute &attribute : attributes)
            element.setAttribute(attribute.qualifiedName().toString(), attribute.value().toString());
        return element;
    }

    // The whole element the reader stands on, with its child elements.
    QDomElement readElement(QXmlStreamReader &xml)
    {
        const QDomElement top = startElement(xml);
        QVector<QDomElement> open{top};
        while (!open.isEmpty()) {
            const QXmlStreamReader::TokenType token = xml.readNext();
            if (token == QXmlStreamReader::StartElement) {
                if (open.size() >= kMaxElementDepth) {
                    xml.skipCurrentElement();
                    continue;
                }
                QDomElement child = startElement(xml);
                open.last().appendChild(child);
                open.append(child);
            } else if (token == QXmlStreamReader::EndElement) {
                open.removeLast();
            } else if (token == QXmlStreamReader::Invalid) {
                break;
            }
        }
        return top;
    }

    void readDocumentChildren(QXmlStreamReader &xml)
    {
        for (;;) {
            const QXmlStreamReader::TokenType token = xml.readNext();
            if (token == QXmlStreamReader::EndElement || token == QXmlStreamReader::Invalid)
                return;
            if (token != QXmlStreamReader::StartElement)
                continue;
            if (xml.qualifiedName() != LayerTag) {
                m_element.appendChild(readElement(xml));
                continue;
            }
            QDomElement layerElement = startElement(xml);
            m_element.appendChild(layerElement);
            SketchLayer *layer = new SketchLayer(m_document);
            m_layers.append(layer);
            layer->readXml(layerElement);
            readShapes(xml, layer);
        }
    }

    // The children of a "Layer" element, as the layer reads them: a shape
    // for every element whose name the factory knows, in file order.
    void readShapes(QXmlStreamReader &xml, SketchLayer *layer)
    {
        for (;;) {
            const QXmlStreamReader::TokenType token = xml.readNext();
            if (token == QXmlStreamReader::EndElement || token == QXmlStreamReader::Invalid)
                return;
            if (token != QXmlStreamReader::StartElement)
                continue;
            SketchShape *shape = createSketchShape(xml.qualifiedName().toString(), layer);
            if (!shape) {
                xml.skipCurrentElement();
                continue;
            }
            layer->shapes().append(shape);
            shape->readXml(readElement(xml));
        }
    }

    SketchDocument *m_document;
    QDomDocument m_tree;
    QDomElement m_element;
    QList<SketchLayer *> m_layers;
};

} // namespace

// --- The Document element ----------------------------------------------------

void SketchDocument::writeXml(QDomElement &element) const
{
    writeHeadXml(element);
    for (const SketchLayer *layer : m_layers) {
        QDomElement layerElement = appendXmlElement(element, LayerTag);
        layer->writeXml(layerElement);
    }
}

// Everything of the Document element but the layers.
void SketchDocument::writeHeadXml(QDomElement &element) const
{
    if (m_paperSize != SketchGlobals::defaultPaperSize)
        writeXmlSizeAttribute(element, PaperSizeAttribute, m_paperSize);
    // Compared as the file gives them back, so that one save is final.
    if (m_paperColor.asSaved() != SkinBrush::whiteBrush()) {
        QDomElement colorElement = appendXmlElement(element, PaperColorTag);
        m_paperColor.write(colorElement);
    }
    if (m_paperBorder.asSaved() != defaultPaperBorder()) {
        QDomElement borderElement = appendXmlElement(element, PaperBorderTag);
        m_paperBorder.writeXml(borderElement);
    }
    if (!m_workId.isEmpty())
        writeXmlAttribute(element, WorkIdAttribute, m_workId);
    if (!m_workTitle.isEmpty())
        writeXmlAttribute(element, WorkTitleAttribute, m_workTitle);
    if (!m_workTags.isEmpty())
        writeXmlAttribute(element, WorkTagsAttribute, m_workTags);
    for (const SketchSlice *slice : m_slices) {
        QDomElement sliceElement = appendXmlElement(element, SliceTag);
        slice->writeXml(sliceElement);
    }
}

void SketchDocument::readXml(const QDomElement &element)
{
    readXml(element, nullptr);
}

// With readLayers, the "Layer" children were read already: they give those
// layers in turn instead of reading themselves.
void SketchDocument::readXml(const QDomElement &element, QList<SketchLayer *> *readLayers)
{
    clearLayers();
    clearSlices();
    m_paperSize = boundedSize(readXmlSizeAttribute(element, PaperSizeAttribute, SketchGlobals::defaultPaperSize));

    SkinBrush paper = SkinBrush::whiteBrush();
    const QDomElement colorElement = element.firstChildElement(PaperColorTag);
    if (!colorElement.isNull())
        paper.read(colorElement);
    m_paperColor = paper;

    SketchStroke border = defaultPaperBorder();
    const QDomElement borderElement = element.firstChildElement(PaperBorderTag);
    if (!borderElement.isNull())
        border.readXml(borderElement);
    m_paperBorder = border;

    m_workId = readXmlAttribute(element, WorkIdAttribute);
    m_workTitle = readXmlAttribute(element, WorkTitleAttribute);
    m_workTags = readXmlAttribute(element, WorkTagsAttribute);

    for (QDomNode node = element.firstChild(); !node.isNull(); node = node.nextSibling()) {
        const QString name = node.nodeName();
        if (name == LayerTag) {
            if (readLayers && !readLayers->isEmpty()) {
                m_layers.append(readLayers->takeFirst());
                continue;
            }
            SketchLayer *layer = new SketchLayer(this);
            layer->readXml(node.toElement());
            m_layers.append(layer);
        } else if (name == SliceTag) {
            SketchSlice *slice = new SketchSlice(this);
            slice->readXml(node.toElement());
            m_slices.append(slice);
        }
    }
    if (readLayers) {
        qDeleteAll(*readLayers);
        readLayers->clear();
    }
    if (m_layers.isEmpty())
        m_layers.append(new SketchLayer(this, tr("Layer%1").arg(QStringLiteral("1"))));
}

// --- The file ----------------------------------------------------------------

// The text of writeXml, written element by element: each shape's element is
// made, written out and dropped in turn, and the text goes out in pieces, so
// that a large page exists neither as one tree nor as one string.
bool SketchDocument::writeFileText(QIODevice *device) const
{
    XmlTextWriter writer(device);
    writer.writeDeclaration();
    writer.writeStartTag(RootTag, 0);
    writer.closeStartTag(false);

    QDomDocument tree;
    QDomElement documentElement = tree.createElement(DocumentTag);
    writeHeadXml(documentElement);
    writer.writeStartTag(documentElement, 1);
    if (m_layers.isEmpty() && documentElement.firstChild().isNull()) {
        writer.closeStartTag(true);
    } else {
        writer.closeStartTag(false);
        for (QDomElement child = documentElement.firstChildElement(); !child.isNull();
             child = child.nextSiblingElement()) {
            writer.writeElement(child, 2);
        }
        for (const SketchLayer *layer : m_layers) {
            // The layer's own attributes, from a copy of the layer without
            // shapes, so that they follow the layer's writer.
            QDomElement layerElement = tree.createElement(LayerTag);
            SketchLayer head(nullptr, layer->name());
            head.setVisible(layer->isVisible());
            head.setLocked(layer->isLocked());
            head.writeXml(layerElement);
            writer.writeStartTag(layerElement, 2);
            writer.closeStartTag(layer->shapes().isEmpty());
            if (layer->shapes().isEmpty())
                continue;
            for (SketchShape *shape : layer->shapes()) {
                QDomElement shapeElement = tree.createElement(shape->typeName());
                shape->writeXml(shapeElement);
                writer.writeElement(shapeElement, 3);
                if (!writer.flushIfFull())
                    return false;
            }
            writer.writeEndTag(LayerTag, 2);
        }
        writer.writeEndTag(DocumentTag, 1);
    }
    writer.writeEndTag(RootTag, 0);
    return writer.flush();
}

QByteArray SketchDocument::toFileText() const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    writeFileText(&buffer);
    return bytes;
}

bool SketchDocument::saveToFile(const QString &fileName) const
{
    return saveAtomically(
        fileName, [this](QIODevice *device) { return writeFileText(device); }, QIODevice::WriteOnly | QIODevice::Text);
}

bool SketchDocument::loadFromFile(const QString &fileName, FileStamp *stamp,
                                  const std::function<void()> &replacing)
{
    // Everything is read before anything of the document changes.
    QByteArray bytes;
    FileStamp read;
    if (!readRegularFile(fileName, MaximumFileSize, &bytes, &read))
        return false;

    DocumentFileReader reader(this);
    if (!reader.read(bytes))
        return false;
    if (stamp)
        *stamp = read;
    if (replacing)
        replacing();
    QList<SketchLayer *> layers = reader.takeLayers();
    readXml(reader.documentElement(), &layers);
    updateSliceGrid();
    return true;
}
