#ifndef MATERIALDESCRIPTIONREADER_H
#define MATERIALDESCRIPTIONREADER_H

#include <QByteArray>
#include <QDomDocument>
#include <QDomElement>
#include <QVector>

// Reads a material file description without building its tree: the root's
// attributes and, for each child element of the root, its tag, its
// attributes and the raw UTF-8 text of its content, which stays unparsed
// (a library of thousands of materials would otherwise cost far longer to
// read than to show).
//
// The whole text is checked as it is scanned, as leniently as the document
// parser reads it, so that whatever it took before still reads: start and
// end tags must pair by name, names must be made of XML's name characters
// (every byte of a longer UTF-8 sequence counts as a letter), attributes
// must be quoted and hold no "<", references must be well-formed (an entity
// other than the five predefined ones stands for nothing), comments,
// processing instructions and CDATA sections must end, and nothing but
// comments, processing instructions and white space may stand outside the
// root. A repeated attribute takes the last value. Characters XML does not
// allow in text are not looked for; a content holding one reads as nothing
// when it is parsed later. Contents nested deeper than 512 elements make the
// text unreadable.
class MaterialDescriptionReader
{
public:
    // A child element of the root: its attributes (and no children) and the
    // text of its content, empty for an element without any.
    struct Entry
    {
        QDomElement element;
        QByteArray content;
    };

    // Reads the text (UTF-8; a leading byte order mark is skipped). False,
    // with no root and no entries, when it is not well-formed.
    bool read(const QByteArray &text);

    // The root with its attributes only; null before a successful read.
    QDomElement root() const { return m_root; }
    const QVector<Entry> &entries() const { return m_entries; }

private:
    struct Name
    {
        const char *begin = nullptr;
        int size = 0;
    };

    bool readDocument();
    bool skipMisc(bool prolog);
    bool readStartTag(Name *name, QDomElement *element, bool *selfClosing);
    bool readDeclaration();
    bool readAttribute(QDomElement *element, Name *attributeName = nullptr);
    bool readEndTag(const Name &expected);
    bool skipContent(const Name &name);
    bool skipMarkup();
    bool skipText(const char *end);
    bool readName(Name *name);
    bool skipPast(const char *terminator);
    bool checkReference(const char **position, const char *end, QString *decoded) const;
    QString decodeAttributeValue(const char *begin, const char *end) const;
    void skipSpace();
    bool startsWith(const char *text) const;

    QDomDocument m_document;
    QDomElement m_root;
    QVector<Entry> m_entries;
    const char *m_pos = nullptr;
    const char *m_end = nullptr;
};

#endif // MATERIALDESCRIPTIONREADER_H
