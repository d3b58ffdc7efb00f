#include "model/xmltextwriter.h"

#include <QDomElement>
#include <QDomNamedNodeMap>
#include <QIODevice>
#include <QVarLengthArray>

#include <algorithm>

namespace {

constexpr int kIndent = 4;
// Text goes to the device in pieces of about this many characters.
constexpr int kPieceSize = 64 * 1024;

bool isXmlCharacter(char16_t c)
{
    return c >= 0x20 ? (c != 0xFFFE && c != 0xFFFF) : (c == 0x9 || c == 0xA || c == 0xD);
}

bool needsEscaping(const QString &text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == '&' || u == '<' || u == '>' || u == '"' || u >= 0xD800)
            return true;
    }
    return false;
}

const char *entityOf(char16_t u)
{
    switch (u) {
    case '&':
        return "&amp;";
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '"':
        return "&quot;";
    case '\n':
        return "&#xa;";
    case '\r':
        return "&#xd;";
    case '\t':
        return "&#x9;";
    default:
        return nullptr;
    }
}

} // namespace

XmlTextWriter::XmlTextWriter() = default;

XmlTextWriter::XmlTextWriter(QIODevice *device)
    : m_device(device)
{
    m_text.reserve(kPieceSize + kPieceSize / 4);
}

void XmlTextWriter::writeDeclaration()
{
    m_text += QLatin1String("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
}

void XmlTextWriter::writeStartTag(const QDomElement &element, int depth)
{
    writeStartTag(element, depth, QStringList());
}

void XmlTextWriter::writeStartTag(const QDomElement &element, int depth, const QStringList &leading)
{
    writeStartTag(element.tagName(), depth);
    const QDomNamedNodeMap attributes = element.attributes();
    const int count = attributes.count();
    QVarLengthArray<QDomAttr, 16> sorted;
    sorted.reserve(count);
    for (int i = 0; i < count; ++i)
        sorted.append(attributes.item(i).toAttr());
    // A name outside leading ranks after all of it.
    const auto rank = [&leading](const QDomAttr &attribute) {
        const int index = leading.indexOf(attribute.name());
        return index < 0 ? leading.size() : index;
    };
    std::sort(sorted.begin(), sorted.end(), [&rank](const QDomAttr &a, const QDomAttr &b) {
        const int rankA = rank(a);
        const int rankB = rank(b);
        return rankA != rankB ? rankA < rankB : a.name() < b.name();
    });
    for (const QDomAttr &attribute : qAsConst(sorted)) {
        m_text += QLatin1Char(' ');
        m_text += attribute.name();
        m_text += QLatin1String("=\"");
        appendEscaped(attribute.value());
        m_text += QLatin1Char('"');
    }
}

void XmlTextWriter::writeStartTag(const QString &tagName, int depth)
{
    appendIndent(depth);
    m_text += QLatin1Char('<');
    m_text += tagName;
}

void XmlTextWriter::closeStartTag(bool empty)
{
    m_text += empty ? QLatin1String("/>\n") : QLatin1String(">\n");
}

void XmlTextWriter::writeEndTag(const QString &tagName, int depth)
{
    appendIndent(depth);
    m_text += QLatin1String("</");
    m_text += tagName;
    m_text += QLatin1String(">\n");
}

void XmlTextWriter::writeElement(const QDomElement &element, int depth)
{
    writeStartTag(element, depth);
    bool hasContent = false;
    for (QDomNode child = element.firstChild(); !child.isNull(); child = child.nextSibling()) {
        if (!child.isElement() && !child.isText())
            continue;
        if (!hasContent) {
            closeStartTag(false);
            hasContent = true;
        }
        if (child.isElement()) {
            writeElement(child.toElement(), depth + 1);
        } else {
            appendIndent(depth + 1);
            appendEscaped(child.nodeValue());
            m_text += QLatin1Char('\n');
        }
    }
    if (hasContent)
        writeEndTag(element.tagName(), depth);
    else
        closeStartTag(true);
}

bool XmlTextWriter::flushIfFull()
{
    return m_text.size() < kPieceSize || flush();
}

bool XmlTextWriter::flush()
{
    if (!m_device)
        return true;
    const QByteArray bytes = m_text.toUtf8();
    m_text.resize(0);
    return m_device->write(bytes) == bytes.size();
}

QString XmlTextWriter::elementText(const QDomElement &element)
{
    XmlTextWriter writer;
    writer.writeElement(element, 0);
    return writer.m_text;
}

QString XmlTextWriter::writableText(const QString &text)
{
    if (!needsEscaping(text))
        return text;
    XmlTextWriter writer;
    writer.appendWritable(text);
    return writer.m_text;
}

void XmlTextWriter::appendIndent(int depth)
{
    static const QString spaces(256, QLatin1Char(' '));
    int count = depth * kIndent;
    for (; count > spaces.size(); count -= spaces.size())
        m_text += spaces;
    m_text.append(spaces.constData(), count);
}

void XmlTextWriter::appendEscaped(const QString &text)
{
    appendCharacters(text, true);
}

void XmlTextWriter::appendWritable(const QString &text)
{
    appendCharacters(text, false);
}

void XmlTextWriter::appendCharacters(const QString &text, bool escaped)
{
    if (!needsEscaping(text)) {
        m_text += text;
        return;
    }
    const int length = text.size();
    for (int i = 0; i < length; ++i) {
        const char16_t u = text.at(i).unicode();
        const char *entity = entityOf(u);
        if (entity && escaped) {
            m_text += QLatin1String(entity);
            continue;
        }
        if (QChar::isHighSurrogate(u)) {
            if (i + 1 < length && QChar::isLowSurrogate(text.at(i + 1).unicode())) {
                m_text += text.at(i);
                m_text += text.at(++i);
            }
            continue;
        }
        if (QChar::isLowSurrogate(u) || !isXmlCharacter(u))
            continue;
        m_text += text.at(i);
    }
}
