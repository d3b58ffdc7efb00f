#include "materials/entityexpansion.h"

#include <QHash>
#include <QSet>
#include <QVector>

#include <cctype>
#include <cstring>

namespace {

constexpr int kMaxNesting = 64;

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// As the description reader takes names: any byte of a longer UTF-8
// sequence is a letter.
bool isNameCharacter(char c)
{
    const uchar u = uchar(c);
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_' || u == ':'
        || u == '-' || u == '.' || u >= 0x80;
}

// A reference at p ('&' or '%' and a name up to ';'): its name, and p
// moved past it; an empty name, with p moved past what it looked at, for
// anything else.
QByteArray readReference(const char *&p, const char *end)
{
    const char *name = ++p;
    while (p < end && isNameCharacter(*p))
        ++p;
    if (p == name || p >= end || *p != ';')
        return QByteArray();
    return QByteArray(name, int(p++ - name));
}

// The declared text with its character references replaced by what they
// spell: the parser reads the references in the result once the entity is
// referred to. Characters beyond ASCII count by their UTF-8 length.
QByteArray withCharactersSpelled(const QByteArray &text)
{
    QByteArray spelled;
    const char *p = text.constData();
    const char *const end = p + text.size();
    while (p < end) {
        const char *amp = static_cast<const char *>(std::memchr(p, '&', size_t(end - p)));
        if (!amp || end - amp < 4 || amp[1] != '#') {
            const char *stop = amp ? amp + 1 : end;
            spelled.append(p, int(stop - p));
            p = stop;
            continue;
        }
        spelled.append(p, int(amp - p));
        const bool hex = amp[2] == 'x';
        const char *digits = amp + (hex ? 3 : 2);
        const char *q = digits;
        uint code = 0;
        for (; q < end && std::isxdigit(uchar(*q)) && (hex || std::isdigit(uchar(*q))); ++q) {
            const uint digit = uint(std::isdigit(uchar(*q)) ? *q - '0' : (*q | 0x20) - 'a' + 10);
            code = qMin(code * (hex ? 16u : 10u) + digit, 0x110000u);
        }
        if (q == digits || q >= end || *q != ';') {
            spelled.append('&');
            p = amp + 1;
            continue;
        }
        if (code < 0x80)
            spelled.append(char(code));
        else
            spelled.append(code < 0x800 ? 2 : (code < 0x10000 ? 3 : 4), 'x');
        p = q + 1;
    }
    return spelled;
}

struct Declarations
{
    // By name: general entities, then parameter entities.
    QHash<QByteArray, QByteArray> texts[2];
    // Where the declared texts stand, as [begin, end) offsets.
    QVector<QPair<int, int>> spans;
};

// After "<!ENTITY": the declaration's name and, for an internal entity, its
// text.
void readDeclaration(const char *begin, const char *&p, const char *end, Declarations *declarations)
{
    while (p < end && isSpace(*p))
        ++p;
    const bool parameter = p < end && *p == '%';
    if (parameter) {
        ++p;
        while (p < end && isSpace(*p))
            ++p;
    }
    const char *name = p;
    while (p < end && isNameCharacter(*p))
        ++p;
    if (p == name)
        return;
    const QByteArray key(name, int(p - name));
    while (p < end && isSpace(*p))
        ++p;
    if (p >= end || (*p != '"' && *p != '\''))
        return;
    const char quote = *p++;
    const char *close = static_cast<const char *>(std::memchr(p, quote, size_t(end - p)));
    if (!close)
        close = end;
    const QByteArray text(p, int(close - p));
    QByteArray &held = declarations->texts[parameter ? 1 : 0][key];
    if (text.size() >= held.size())
        held = text;
    declarations->spans.append({int(p - begin), int(close - begin)});
    p = close;
}

class Expander
{
public:
    Expander(const Declarations &declarations, qint64 limit)
        : m_declarations(declarations),
          m_limit(limit)
    {
    }

    qint64 sizeOf(const QByteArray &name, int kind, int nesting)
    {
        const auto found = m_declarations.texts[kind].constFind(name);
        if (found == m_declarations.texts[kind].constEnd())
            return 0;
        const auto known = m_sizes[kind].constFind(name);
        if (known != m_sizes[kind].constEnd())
            return known.value();
        if (nesting > kMaxNesting || m_open[kind].contains(name))
            return m_limit + 1;
        m_open[kind].insert(name);
        const QByteArray text = withCharactersSpelled(found.value());
        qint64 size = text.size();
        const char *p = text.constData();
        const char *const end = p + text.size();
        while (p < end && size <= m_limit) {
            if (*p != '&' && *p != '%') {
                ++p;
                continue;
            }
            const int refersTo = *p == '&' ? 0 : 1;
            const QByteArray reference = readReference(p, end);
            if (!reference.isEmpty())
                size += sizeOf(reference, refersTo, nesting + 1);
        }
        size = qMin(size, m_limit + 1);
        m_open[kind].remove(name);
        m_sizes[kind].insert(name, size);
        return size;
    }

private:
    const Declarations &m_declarations;
    const qint64 m_limit;
    QHash<QByteArray, qint64> m_sizes[2];
    QSet<QByteArray> m_open[2];
};

} // namespace

qint64 EntityExpansion::expandedSize(const QByteArray &text, qint64 limit)
{
    const char *const begin = text.constData();
    const char *const end = begin + text.size();
    Declarations declarations;
    for (const char *p = begin; (p = static_cast<const char *>(std::memchr(p, '<', size_t(end - p))));) {
        if (end - p >= 8 && std::memcmp(p, "<!ENTITY", 8) == 0) {
            p += 8;
            readDeclaration(begin, p, end, &declarations);
        } else {
            ++p;
        }
    }
    if (declarations.texts[0].isEmpty() && declarations.texts[1].isEmpty())
        return 0;

    Expander expander(declarations, limit);
    qint64 total = 0;
    int span = 0;
    for (const char *p = begin; p < end && total <= limit;) {
        p = static_cast<const char *>(std::memchr(p, '&', size_t(end - p)));
        if (!p)
            break;
        while (span < declarations.spans.size() && declarations.spans.at(span).second <= p - begin)
            ++span;
        if (span < declarations.spans.size() && declarations.spans.at(span).first <= p - begin) {
            p = begin + declarations.spans.at(span).second;
            continue;
        }
        const QByteArray reference = readReference(p, end);
        if (!reference.isEmpty())
            total += expander.sizeOf(reference, 0, 0);
    }
    return qMin(total, limit + 1);
}
