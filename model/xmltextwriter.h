#ifndef XMLTEXTWRITER_H
#define XMLTEXTWRITER_H

#include <QString>
#include <QStringList>

class QDomElement;
class QIODevice;

// Writes XML text in one fixed layout: indented by 4 per level, an element
// without content closing its own tag, every element's attributes sorted by
// name. The DOM's own writer orders the attributes by a hash whose seed
// changes from run to run; this one gives the same bytes for the same tree
// in every run, so the document file, the clipboard texts and the drag texts
// compare and diff as text. Characters that XML cannot carry at all (control
// characters, unpaired surrogates) are left out: written raw they would make
// the whole text unreadable. Line breaks and tabs inside attribute values are
// kept as character references.
//
// The text collects in the writer. Given a device, the writer passes it on
// in UTF-8 pieces (flushIfFull, flush), so that a large text never exists as
// one string; a failed device write shows as a false result.
class XmlTextWriter
{
public:
    // Collects the whole text; take it with text().
    XmlTextWriter();
    // Passes the text on to the device, which the caller keeps.
    explicit XmlTextWriter(QIODevice *device);

    XmlTextWriter(const XmlTextWriter &) = delete;
    XmlTextWriter &operator=(const XmlTextWriter &) = delete;

    // The text collected since the last flush.
    const QString &text() const { return m_text; }

    // The "<?xml ... UTF-8?>" declaration line.
    void writeDeclaration();
    // The opening tag up to its attributes, without the closing ">" or "/>":
    // closeStartTag() ends it.
    void writeStartTag(const QDomElement &element, int depth);
    // The same with the attributes named in leading first, in that order,
    // and the others after them by name.
    void writeStartTag(const QDomElement &element, int depth, const QStringList &leading);
    void writeStartTag(const QString &tagName, int depth);
    // ">" and a line break, or "/>" and a line break for an empty element.
    void closeStartTag(bool empty);
    void writeEndTag(const QString &tagName, int depth);
    // An element with everything in it (child elements and texts).
    void writeElement(const QDomElement &element, int depth);

    // Passes the text on once a piece is full; true without a device.
    bool flushIfFull();
    // Passes on what is left; true without a device.
    bool flush();

    // The element with its content as a text of its own, at depth 0.
    static QString elementText(const QDomElement &element);
    // The text without the characters this writer leaves out: what a value
    // that must read back as it is held may hold.
    static QString writableText(const QString &text);

private:
    void appendIndent(int depth);
    void appendEscaped(const QString &text);
    // The characters the writer keeps, as they are.
    void appendWritable(const QString &text);
    void appendCharacters(const QString &text, bool escaped);

    QIODevice *m_device = nullptr;
    QString m_text;
};

#endif // XMLTEXTWRITER_H
