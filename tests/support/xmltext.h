#ifndef SUPPORT_XMLTEXT_H
#define SUPPORT_XMLTEXT_H

// Checks of XML texts as written.

#include <QString>
#include <QStringList>
#include <QXmlStreamReader>

// Whether every element of the text lists its attributes in name order, as
// the deterministic writer does and the DOM's own writer, whose order
// follows a seeded hash, does not. `where` names the first element that does
// not, or says that the text is not well-formed.
inline bool attributesInNameOrder(const QString &text, QString *where)
{
    QXmlStreamReader xml(text);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        QStringList names;
        for (const QXmlStreamAttribute &attribute : xml.attributes())
            names.append(attribute.qualifiedName().toString());
        QStringList sorted = names;
        sorted.sort();
        if (names != sorted) {
            *where = xml.qualifiedName().toString() + QLatin1String(": ") + names.join(QLatin1Char(' '));
            return false;
        }
    }
    if (xml.hasError()) {
        *where = xml.errorString();
        return false;
    }
    return true;
}

#endif // SUPPORT_XMLTEXT_H
