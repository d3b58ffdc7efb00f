#ifndef DESCRIPTIONORACLE_H
#define DESCRIPTIONORACLE_H

// The document parser as the oracle of the material description reader,
// shared by its test and the library's fuzz target: the parser reads the
// text as the program read every description before the reader existed
// (QDomDocument on the text decoded as UTF-8), and wherever it takes a text
// the reader must take it too and give the same root, entries and contents.

#include "materials/entityexpansion.h"
#include "materials/materialdescriptionreader.h"

#include <QDomDocument>
#include <QDomElement>
#include <QDomNamedNodeMap>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <algorithm>

// A node as text: elements with their attributes sorted and children, text
// and CDATA as their values; comments and processing instructions are no
// content.
inline QString oracleCanonical(const QDomNode &node)
{
    if (node.isText() || node.isCDATASection())
        return QStringLiteral("[") + node.nodeValue() + QStringLiteral("]");
    if (!node.isElement())
        return QString();
    const QDomElement element = node.toElement();
    QStringList attributes;
    const QDomNamedNodeMap map = element.attributes();
    for (int i = 0; i < map.count(); ++i)
        attributes.append(map.item(i).nodeName() + QStringLiteral("=") + map.item(i).nodeValue());
    std::sort(attributes.begin(), attributes.end());
    QString text = QStringLiteral("<") + element.tagName() + QLatin1Char(' ') + attributes.join(QLatin1Char('|'))
        + QLatin1Char('>');
    for (QDomNode child = element.firstChild(); !child.isNull(); child = child.nextSibling())
        text += oracleCanonical(child);
    return text + QStringLiteral("</>");
}

inline QString oracleCanonicalChildren(const QDomNode &node)
{
    QString text;
    for (QDomNode child = node.firstChild(); !child.isNull(); child = child.nextSibling())
        text += oracleCanonical(child);
    return text;
}

inline QString oracleCanonicalAttributes(const QDomElement &element)
{
    QDomElement bare = element.cloneNode(false).toElement();
    return oracleCanonical(bare);
}

// The parser's reading of a description.
inline bool oracleParse(const QByteArray &text, QDomDocument *document)
{
    return document->setContent(QString::fromUtf8(text), false);
}

// Whether the text holds a character reference beyond the 16 bits the
// parser keeps of one: there the reader gives the character, or refuses a
// number beyond U+10FFFF, where the parser cuts it.
inline bool holdsReferenceBeyondSixteenBits(const QByteArray &text)
{
    static const QRegularExpression reference(QStringLiteral("&#(x[0-9a-fA-F]+|[0-9]+);"));
    QRegularExpressionMatchIterator it = reference.globalMatch(QString::fromLatin1(text));
    while (it.hasNext()) {
        const QString digits = it.next().captured(1);
        bool ok = false;
        const qulonglong code = digits.startsWith(QLatin1Char('x')) ? digits.mid(1).toULongLong(&ok, 16)
                                                                     : digits.toULongLong(&ok, 10);
        if (!ok || code > 0xFFFF)
            return true;
    }
    return false;
}

// Whether the parser's reading is the oracle of the text: only where it
// keeps what a reference names, and only where building its tree is
// affordable (the reader refuses the others).
inline bool parserIsTheOracleOf(const QByteArray &text)
{
    constexpr qint64 affordable = MaterialDescriptionReader::maxEntityText;
    return !holdsReferenceBeyondSixteenBits(text) && EntityExpansion::expandedSize(text, affordable) <= affordable;
}

// An empty string when the reader agrees with the parser on the text, else
// what differs. With lenient set, a text the reader takes and the parser
// refuses counts as agreement: the reader takes any non-ASCII byte for a
// letter of a name.
inline QString compareReaderWithParser(const QByteArray &text, bool lenient = false)
{
    QDomDocument oracle;
    const bool parsed = oracleParse(text, &oracle);
    MaterialDescriptionReader reader;
    const bool read = reader.read(text);
    if (!parsed)
        return read && !lenient ? QStringLiteral("the reader took a text the parser refuses") : QString();
    if (!read)
        return QStringLiteral("the reader refused a text the parser takes");

    const QDomElement root = oracle.documentElement();
    if (oracleCanonicalAttributes(root) != oracleCanonicalAttributes(reader.root()))
        return QStringLiteral("root: ") + oracleCanonicalAttributes(reader.root());
    int index = 0;
    for (QDomElement child = root.firstChildElement(); !child.isNull(); child = child.nextSiblingElement(), ++index) {
        if (index >= reader.entries().size())
            return QStringLiteral("too few entries");
        const MaterialDescriptionReader::Entry &entry = reader.entries().at(index);
        if (oracleCanonicalAttributes(child) != oracleCanonicalAttributes(entry.element))
            return QStringLiteral("entry %1: %2").arg(index).arg(oracleCanonicalAttributes(entry.element));
        QString content = oracleCanonicalChildren(entry.element);
        if (!entry.content.isEmpty()) {
            QDomDocument parsedContent;
            if (!parsedContent.setContent(QByteArray("<M>") + entry.content + QByteArray("</M>"), false))
                return QStringLiteral("entry %1: its content does not parse").arg(index);
            content = oracleCanonicalChildren(parsedContent.documentElement());
        }
        if (content != oracleCanonicalChildren(child))
            return QStringLiteral("entry %1 content: %2").arg(index).arg(content);
    }
    if (index != reader.entries().size())
        return QStringLiteral("too many entries");
    return QString();
}

#endif // DESCRIPTIONORACLE_H
