#ifndef MATERIALDESCRIPTIONREADER_H
#define MATERIALDESCRIPTIONREADER_H

#include <QByteArray>
#include <QDomDocument>
#include <QDomElement>
#include <QVector>

#include <climits>

// Reads a material file description without building its tree: the root's
// attributes and, for each child element of the root, its tag, its
// attributes and the raw UTF-8 text of its content, which stays unparsed
// (a library of thousands of materials would otherwise cost far longer to
// read than to show).
//
// The whole text is checked as it is scanned, as leniently as the document
// parser (QDomDocument) reads it, so that whatever it took before still
// reads the same: start and end tags must pair by name, names must be made
// of XML's name characters (every byte of a longer UTF-8 sequence counts as
// a letter), attributes must be quoted and hold no "<", references must be
// well-formed (an entity other than the five predefined ones stands for
// nothing, a character reference may have any number of digits but must
// name a character up to U+10FFFF, beyond the 16 bits the parser keeps),
// comments, processing instructions and CDATA sections must end, and
// nothing but comments, processing instructions and white space may stand
// outside the root. A repeated attribute takes the last value. Characters
// XML does not allow in text are not looked for; a content holding one
// reads as nothing when it is parsed later. Contents nested deeper than 512
// elements make the text unreadable.
//
// A text with a document type declaration is read by the document parser
// itself: the declaration's internal subset may declare entities whose text
// the references stand for. Its entries are then whole elements. Such a
// text whose references stand for more than maxEntityText characters in all
// (EntityExpansion) is unreadable: the parser would build all of it into
// its tree, and a few kilobytes can stand for gigabytes.
class MaterialDescriptionReader
{
public:
    // A child element of the root: its attributes (and no children) and the
    // text of its content, empty for an element without any. From a text
    // with a document type, the element with its children and no text.
    struct Entry
    {
        QDomElement element;
        QByteArray content;
    };

    // The most text the entity references of a text may stand for.
    static constexpr qint64 maxEntityText = 256 * 1024;

    // Reads the text (UTF-8; a leading byte order mark is skipped). False,
    // with no root and no entries, when it is not well-formed. Entries past
    // maxEntries are checked as the others but not kept.
    bool read(const QByteArray &text, int maxEntries = INT_MAX);

    // The root, whose attributes are what it is for; null before a
    // successful read.
    QDomElement root() const { return m_root; }
    const QVector<Entry> &entries() const { return m_entries; }

private:
    struct Name
    {
        const char *begin = nullptr;
        int size = 0;
    };

    void clear();
    bool readWithParser(const QByteArray &text, int maxEntries);
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
    // The text declares a document type.
    bool m_documentType = false;
    int m_maxEntries = INT_MAX;
    const char *m_pos = nullptr;
    const char *m_end = nullptr;
};

#endif // MATERIALDESCRIPTIONREADER_H
