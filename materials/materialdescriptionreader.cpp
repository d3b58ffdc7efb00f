#include "materials/materialdescriptionreader.h"

#include "materials/entityexpansion.h"

#include <QVarLengthArray>

#include <cstring>

namespace {

// Elements nested deeper than this inside one material make the text
// unreadable: the shape readers stop far above it, and parsing such a
// content later would only cost stack when its tree is freed.
constexpr int kMaxContentDepth = 512;
// The last character a reference may name.
constexpr uint kLastCharacter = 0x10FFFF;

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Names as XML allows them for ASCII; any byte of a longer UTF-8 sequence
// is taken as a letter.
bool isNameStart(char c)
{
    const uchar u = uchar(c);
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u == '_' || u == ':' || u >= 0x80;
}

bool isNameCharacter(char c)
{
    return isNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

int digitValue(char c, int base)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (base == 16 && c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (base == 16 && c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// UTF-8 as it stands: QString::fromUtf8 takes a U+FEFF at the start for a
// byte order mark and drops it, but in a name or a value it is a character.
QString decodeUtf8(const char *begin, int size)
{
    QString text = QString::fromUtf8(begin, size);
    if (size >= 3 && std::memcmp(begin, "\xEF\xBB\xBF", 3) == 0)
        text.prepend(QChar(0xFEFF));
    return text;
}

char predefinedEntity(const char *begin, const char *end)
{
    const auto is = [begin, end](const char *name) {
        return size_t(end - begin) == std::strlen(name) && std::memcmp(begin, name, size_t(end - begin)) == 0;
    };
    if (is("amp"))
        return '&';
    if (is("lt"))
        return '<';
    if (is("gt"))
        return '>';
    if (is("quot"))
        return '"';
    if (is("apos"))
        return '\'';
    return 0;
}

const char *findText(const char *begin, const char *end, const char *text)
{
    const size_t length = std::strlen(text);
    for (const char *p = begin; end - p >= std::ptrdiff_t(length);) {
        const void *hit = std::memchr(p, text[0], size_t(end - p));
        if (!hit)
            return nullptr;
        p = static_cast<const char *>(hit);
        if (end - p < std::ptrdiff_t(length))
            return nullptr;
        if (std::memcmp(p, text, length) == 0)
            return p;
        ++p;
    }
    return nullptr;
}

} // namespace

bool MaterialDescriptionReader::read(const QByteArray &text, int maxEntries)
{
    clear();
    m_maxEntries = maxEntries;
    m_pos = text.constData();
    m_end = m_pos + text.size();
    if (startsWith("\xEF\xBB\xBF"))
        m_pos += 3;
    if (readDocument())
        return true;
    const bool documentType = m_documentType;
    clear();
    return documentType && EntityExpansion::expandedSize(text, maxEntityText) <= maxEntityText
        && readWithParser(text, maxEntries);
}

void MaterialDescriptionReader::clear()
{
    m_document = QDomDocument();
    m_root = QDomElement();
    m_entries.clear();
    m_documentType = false;
}

// A document type may declare entities, whose text the references stand
// for, and its internal subset is a language of its own: such a text is
// read by the document parser itself, as the program read every text
// before, from the text decoded as UTF-8.
bool MaterialDescriptionReader::readWithParser(const QByteArray &text, int maxEntries)
{
    QDomDocument document;
    if (!document.setContent(QString::fromUtf8(text), false))
        return false;
    m_document = document;
    m_root = document.documentElement();
    for (QDomElement child = m_root.firstChildElement(); !child.isNull() && m_entries.size() < maxEntries;
         child = child.nextSiblingElement()) {
        m_entries.append(Entry{child, QByteArray()});
    }
    return true;
}

bool MaterialDescriptionReader::readDocument()
{
    if (!skipMisc(true) || !startsWith("<"))
        return false;
    ++m_pos;
    Name rootName;
    QDomElement root;
    bool selfClosing = false;
    if (!readStartTag(&rootName, &root, &selfClosing))
        return false;
    while (!selfClosing) {
        const void *next = std::memchr(m_pos, '<', size_t(m_end - m_pos));
        if (!next || !skipText(static_cast<const char *>(next)))
            return false;
        if (startsWith("</")) {
            m_pos += 2;
            if (!readEndTag(rootName))
                return false;
            break;
        }
        if (startsWith("<!") || startsWith("<?")) {
            if (!skipMarkup())
                return false;
            continue;
        }
        ++m_pos;
        Entry entry;
        Name name;
        bool closed = false;
        const bool kept = m_entries.size() < m_maxEntries;
        if (!readStartTag(&name, kept ? &entry.element : nullptr, &closed))
            return false;
        if (!closed) {
            const char *begin = m_pos;
            if (!skipContent(name))
                return false;
            // skipContent stops past the end tag; the content ends at its "</".
            const char *end = m_pos;
            while (*--end != '<') {
            }
            if (kept)
                entry.content = QByteArray(begin, int(end - begin));
        }
        if (kept)
            m_entries.append(entry);
    }
    m_root = root;
    return skipMisc(false) && m_pos == m_end;
}

// White space, comments and processing instructions, and in the prolog a
// document type declaration; stops before anything else.
bool MaterialDescriptionReader::skipMisc(bool prolog)
{
    if (prolog && startsWith("<?xml") && m_end - m_pos > 5 && isSpace(m_pos[5])) {
        m_pos += 5;
        if (!readDeclaration())
            return false;
    }
    for (;;) {
        skipSpace();
        if (startsWith("<!--") || startsWith("<?")) {
            if (!skipMarkup())
                return false;
        } else if (prolog && startsWith("<!DOCTYPE")) {
            // Left to the document parser (readWithParser).
            m_documentType = true;
            return false;
        } else {
            return true;
        }
    }
}

// After the "<": the name, the attributes (kept in *element when given)
// and the closing "/>" or ">".
bool MaterialDescriptionReader::readStartTag(Name *name, QDomElement *element, bool *selfClosing)
{
    if (!readName(name))
        return false;
    if (element)
        *element = m_document.createElement(decodeUtf8(name->begin, name->size));
    for (;;) {
        skipSpace();
        if (m_pos >= m_end)
            return false;
        if (*m_pos == '>') {
            ++m_pos;
            *selfClosing = false;
            return true;
        }
        if (startsWith("/>")) {
            m_pos += 2;
            *selfClosing = true;
            return true;
        }
        if (!readAttribute(element))
            return false;
    }
}

// After "<?xml": "version", then "encoding" and "standalone" if given, up
// to the "?>".
bool MaterialDescriptionReader::readDeclaration()
{
    static const char *const names[] = {"version", "encoding", "standalone"};
    size_t next = 0;
    for (skipSpace(); !startsWith("?>"); skipSpace()) {
        Name name;
        if (!readAttribute(nullptr, &name))
            return false;
        while (next < 3 && !(size_t(name.size) == std::strlen(names[next])
                             && std::memcmp(name.begin, names[next], size_t(name.size)) == 0)) {
            if (next == 0)
                return false;
            ++next;
        }
        if (next++ >= 3)
            return false;
    }
    m_pos += 2;
    return true;
}

bool MaterialDescriptionReader::readAttribute(QDomElement *element, Name *attributeName)
{
    Name local;
    Name &name = attributeName ? *attributeName : local;
    if (!readName(&name))
        return false;
    skipSpace();
    if (!startsWith("="))
        return false;
    ++m_pos;
    skipSpace();
    if (m_pos >= m_end || (*m_pos != '"' && *m_pos != '\''))
        return false;
    const char quote = *m_pos++;
    const char *begin = m_pos;
    const char *end = static_cast<const char *>(std::memchr(begin, quote, size_t(m_end - begin)));
    if (!end || std::memchr(begin, '<', size_t(end - begin)))
        return false;
    for (const char *amp = begin; (amp = static_cast<const char *>(std::memchr(amp, '&', size_t(end - amp))));) {
        if (!checkReference(&amp, end, nullptr))
            return false;
    }
    m_pos = end + 1;
    if (!element)
        return true;
    // As the document parser does, a repeated attribute takes the last value.
    element->setAttribute(decodeUtf8(name.begin, name.size), decodeAttributeValue(begin, end));
    return true;
}

// After the "</": the name, which must be the expected one, and the ">".
bool MaterialDescriptionReader::readEndTag(const Name &expected)
{
    Name name;
    if (!readName(&name) || name.size != expected.size
        || std::memcmp(name.begin, expected.begin, size_t(name.size)) != 0) {
        return false;
    }
    skipSpace();
    if (!startsWith(">"))
        return false;
    ++m_pos;
    return true;
}

// Everything up to and past the end tag of the element just opened.
bool MaterialDescriptionReader::skipContent(const Name &name)
{
    QVarLengthArray<Name, 32> open;
    open.append(name);
    while (!open.isEmpty()) {
        const void *next = std::memchr(m_pos, '<', size_t(m_end - m_pos));
        if (!next || !skipText(static_cast<const char *>(next)))
            return false;
        if (startsWith("</")) {
            m_pos += 2;
            if (!readEndTag(open.last()))
                return false;
            open.removeLast();
        } else if (startsWith("<!") || startsWith("<?")) {
            if (!skipMarkup())
                return false;
        } else {
            ++m_pos;
            Name child;
            bool closed = false;
            if (!readStartTag(&child, nullptr, &closed))
                return false;
            if (!closed) {
                if (open.size() >= kMaxContentDepth)
                    return false;
                open.append(child);
            }
        }
    }
    return true;
}

// A comment, a CDATA section or a processing instruction.
bool MaterialDescriptionReader::skipMarkup()
{
    if (startsWith("<!--")) {
        // "--" may only close a comment.
        const char *dashes = findText(m_pos + 4, m_end, "--");
        if (!dashes || m_end - dashes < 3 || dashes[2] != '>')
            return false;
        m_pos = dashes + 3;
        return true;
    }
    if (startsWith("<![CDATA[")) {
        m_pos += 9;
        return skipPast("]]>");
    }
    if (startsWith("<?")) {
        // A target name, not "xml" (the declaration is only allowed first).
        m_pos += 2;
        Name target;
        if (!readName(&target) || (target.size == 3 && qstrnicmp(target.begin, "xml", 3) == 0))
            return false;
        if (m_pos < m_end && !isSpace(*m_pos) && *m_pos != '?')
            return false;
        return skipPast("?>");
    }
    return false;
}

// Character data up to end, whose references must be sound and which may
// not hold the end of a CDATA section.
bool MaterialDescriptionReader::skipText(const char *end)
{
    if (findText(m_pos, end, "]]>"))
        return false;
    for (const char *amp = m_pos; (amp = static_cast<const char *>(std::memchr(amp, '&', size_t(end - amp))));) {
        if (!checkReference(&amp, end, nullptr))
            return false;
    }
    m_pos = end;
    return true;
}

bool MaterialDescriptionReader::readName(Name *name)
{
    const char *begin = m_pos;
    if (m_pos >= m_end || !isNameStart(*m_pos))
        return false;
    while (m_pos < m_end && isNameCharacter(*m_pos))
        ++m_pos;
    name->begin = begin;
    name->size = int(m_pos - begin);
    return true;
}

bool MaterialDescriptionReader::skipPast(const char *terminator)
{
    const char *found = findText(m_pos, m_end, terminator);
    if (!found)
        return false;
    m_pos = found + std::strlen(terminator);
    return true;
}

// The reference at *position ("&...;"), moved past it; its character is
// appended to *decoded when given. As the document parser takes them, an
// entity it does not know stands for nothing, whatever the length of its
// name, and a character reference may have any number of digits; the
// character it names must be one of Unicode's.
bool MaterialDescriptionReader::checkReference(const char **position, const char *end, QString *decoded) const
{
    const char *p = *position + 1;
    if (p < end && *p == '#') {
        ++p;
        const int base = p < end && *p == 'x' ? 16 : 10;
        if (base == 16)
            ++p;
        const char *digits = p;
        uint code = 0;
        for (int digit = 0; p < end && (digit = digitValue(*p, base)) >= 0; ++p) {
            // Once too large it stays too large, without overflowing.
            code = qMin(code * uint(base) + uint(digit), kLastCharacter + 1);
        }
        if (p == digits || p >= end || *p != ';' || code > kLastCharacter)
            return false;
        *position = p + 1;
        if (decoded && QChar::requiresSurrogates(code)) {
            decoded->append(QChar(QChar::highSurrogate(code)));
            decoded->append(QChar(QChar::lowSurrogate(code)));
        } else if (decoded) {
            decoded->append(QChar(ushort(code)));
        }
        return true;
    }
    const char *name = p;
    if (p >= end || !isNameStart(*p))
        return false;
    while (p < end && isNameCharacter(*p))
        ++p;
    if (p >= end || *p != ';')
        return false;
    *position = p + 1;
    const char c = predefinedEntity(name, p);
    if (c && decoded)
        decoded->append(QLatin1Char(c));
    return true;
}

// The value with its references replaced; white space stays as it stands,
// as the document parser leaves it.
QString MaterialDescriptionReader::decodeAttributeValue(const char *begin, const char *end) const
{
    QString value;
    for (const char *p = begin; p < end;) {
        const char *amp = static_cast<const char *>(std::memchr(p, '&', size_t(end - p)));
        const char *stop = amp ? amp : end;
        value += decodeUtf8(p, int(stop - p));
        p = stop;
        if (amp)
            checkReference(&p, end, &value);
    }
    return value;
}

void MaterialDescriptionReader::skipSpace()
{
    while (m_pos < m_end && isSpace(*m_pos))
        ++m_pos;
}

bool MaterialDescriptionReader::startsWith(const char *text) const
{
    const size_t length = std::strlen(text);
    return size_t(m_end - m_pos) >= length && std::memcmp(m_pos, text, length) == 0;
}
