#include "app/initext.h"

#include "model/hexdigit.h"

namespace {

bool isLineBreak(QChar c)
{
    return c == QLatin1Char('\n') || c == QLatin1Char('\r');
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// The typed forms of QSettings, which stand for values other than text.
bool isTypedForm(const QString &value)
{
    static const char *const prefixes[] = {"@ByteArray(", "@Variant(", "@DateTime(", "@Rect(",
                                           "@Size(",      "@Point(",   "@Invalid("};
    if (!value.endsWith(QLatin1Char(')')))
        return false;
    for (const char *prefix : prefixes) {
        if (value.startsWith(QLatin1String(prefix)))
            return true;
    }
    return false;
}

// The text a value stands for; false for a value that is no text.
bool plainText(const QString &value, QString *text)
{
    if (!value.startsWith(QLatin1Char('@'))) {
        *text = value;
        return true;
    }
    if (value.startsWith(QLatin1String("@@"))) {
        *text = value.mid(1);
        return true;
    }
    if (value.startsWith(QLatin1String("@String(")) && value.endsWith(QLatin1Char(')'))) {
        *text = value.mid(8, value.size() - 9);
        return true;
    }
    if (isTypedForm(value))
        return false;
    *text = value;
    return true;
}

// Reads the INI text from one position to the next.
class Scanner
{
public:
    explicit Scanner(const QString &text)
        : m_text(text)
    {
    }

    QHash<QString, QString> values()
    {
        QHash<QString, QString> values;
        bool topLevel = true;
        while (m_pos < m_text.size()) {
            const QChar c = m_text.at(m_pos);
            if (isLineBreak(c) || isBlank(c)) {
                ++m_pos;
            } else if (c == QLatin1Char(';')) {
                skipLine();
            } else if (c == QLatin1Char('[')) {
                topLevel = readSectionIsTopLevel();
            } else {
                QString key;
                if (!readKey(&key))
                    continue;
                QString value;
                QString text;
                if (readValue(&value) && topLevel && plainText(value, &text))
                    values.insert(key, text);
            }
        }
        return values;
    }

private:
    void skipLine()
    {
        while (m_pos < m_text.size() && !isLineBreak(m_text.at(m_pos)))
            ++m_pos;
    }

    bool readSectionIsTopLevel()
    {
        const int begin = ++m_pos;
        while (m_pos < m_text.size() && m_text.at(m_pos) != QLatin1Char(']') && !isLineBreak(m_text.at(m_pos)))
            ++m_pos;
        const QString name = m_text.mid(begin, m_pos - begin).trimmed();
        skipLine();
        return name.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0;
    }

    // Up to and past the "="; false, with the line passed over, for a line
    // without one.
    bool readKey(QString *key)
    {
        const int begin = m_pos;
        while (m_pos < m_text.size()) {
            const QChar c = m_text.at(m_pos);
            if (c == QLatin1Char('=')) {
                *key = m_text.mid(begin, m_pos - begin).trimmed();
                ++m_pos;
                return true;
            }
            if (isLineBreak(c) || c == QLatin1Char(';'))
                break;
            ++m_pos;
        }
        skipLine();
        return false;
    }

    // The rest of the logical line; false for a list.
    bool readValue(QString *value)
    {
        bool quoted = false;
        bool list = false;
        // White space is skipped at the start and after a closing quote, and
        // trimmed at the end down to what quotes and escapes gave.
        bool skipBlanks = true;
        int kept = 0;
        while (m_pos < m_text.size()) {
            const QChar c = m_text.at(m_pos);
            if (!quoted && isLineBreak(c))
                break;
            if (c == QLatin1Char('"')) {
                quoted = !quoted;
                ++m_pos;
                skipBlanks = !quoted;
                kept = value->size();
                continue;
            }
            if (c == QLatin1Char('\\')) {
                ++m_pos;
                readEscape(value);
                skipBlanks = false;
                kept = value->size();
                continue;
            }
            ++m_pos;
            if (!quoted) {
                if (c == QLatin1Char(';')) {
                    skipLine();
                    break;
                }
                if (c == QLatin1Char(',')) {
                    list = true;
                    continue;
                }
                if (isBlank(c) && skipBlanks)
                    continue;
            }
            skipBlanks = false;
            value->append(c);
            if (quoted)
                kept = value->size();
        }
        int end = value->size();
        while (end > kept && isBlank(value->at(end - 1)))
            --end;
        value->truncate(end);
        return !list;
    }

    // After a backslash.
    void readEscape(QString *value)
    {
        static const char simple[] = "a\ab\bf\fn\nr\rt\tv\v\"\"''??\\\\";
        if (m_pos >= m_text.size())
            return;
        const QChar c = m_text.at(m_pos);
        for (const char *p = simple; *p; p += 2) {
            if (c == QLatin1Char(p[0])) {
                value->append(QLatin1Char(p[1]));
                ++m_pos;
                return;
            }
        }
        if (c == QLatin1Char('x')) {
            ++m_pos;
            readNumber(value, 16);
        } else if (c >= QLatin1Char('0') && c <= QLatin1Char('7')) {
            readNumber(value, 8);
        } else if (isLineBreak(c)) {
            // The line goes on in the next one.
            ++m_pos;
            if (m_pos < m_text.size() && isLineBreak(m_text.at(m_pos)) && m_text.at(m_pos) != c)
                ++m_pos;
        } else {
            // An unknown escape stands for nothing.
            ++m_pos;
        }
    }

    // The digits of that base, as many as stand there, cut to one UTF-16
    // unit as QSettings cuts them; nothing without a digit.
    void readNumber(QString *value, int base)
    {
        uint code = 0;
        int digits = 0;
        for (; m_pos < m_text.size(); ++m_pos, ++digits) {
            const int digit = hexDigitValue(m_text.at(m_pos));
            if (digit < 0 || digit >= base)
                break;
            code = code * uint(base) + uint(digit);
        }
        if (digits > 0)
            value->append(QChar(ushort(code & 0xFFFF)));
    }

    const QString &m_text;
    int m_pos = 0;
};

void appendHexEscape(QString &out, ushort code)
{
    out += QLatin1String("\\x");
    out += QString::number(code, 16);
}

// The value as QSettings writes a text: "@" doubled at the start, control
// characters and unpaired surrogates escaped (a hex digit right after a
// numeric escape is escaped too, so that it cannot join it), and the whole
// quoted when it holds ";", "," or "=" or starts or ends with a blank.
QString escapedValue(const QString &text)
{
    const QString value = text.startsWith(QLatin1Char('@')) ? QLatin1Char('@') + text : text;
    static const char simple[] = "\aa\bb\ff\nn\rr\tt\vv\"\"\\\\";
    QString out;
    bool quoted = false;
    bool afterNumber = false;
    for (int i = 0; i < value.size(); ++i) {
        const ushort u = value.at(i).unicode();
        quoted = quoted || u == ';' || u == ',' || u == '=';
        if (afterNumber && hexDigitValue(value.at(i)) >= 0) {
            appendHexEscape(out, u);
            continue;
        }
        afterNumber = false;
        const char *named = nullptr;
        for (const char *p = simple; *p && !named; p += 2) {
            if (u == uchar(p[0]))
                named = p + 1;
        }
        if (u == 0) {
            out += QLatin1String("\\0");
            afterNumber = true;
        } else if (named) {
            out += QLatin1Char('\\');
            out += QLatin1Char(*named);
        } else if (u < 0x20) {
            appendHexEscape(out, u);
            afterNumber = true;
        } else if (QChar::isHighSurrogate(u) && i + 1 < value.size() && QChar::isLowSurrogate(value.at(i + 1).unicode())) {
            out += value.at(i);
            out += value.at(++i);
        } else if (QChar::isSurrogate(u) || u == 0xFEFF) {
            // QSettings decodes each value on its own and would take a
            // leading U+FEFF for a byte order mark.
            appendHexEscape(out, u);
            afterNumber = true;
        } else {
            out += value.at(i);
        }
    }
    if (quoted || out.startsWith(QLatin1Char(' ')) || out.endsWith(QLatin1Char(' ')))
        out = QLatin1Char('"') + out + QLatin1Char('"');
    return out;
}

} // namespace

QHash<QString, QString> IniText::read(const QByteArray &text)
{
    // fromUtf8 passes over a byte order mark at the start.
    const QString decoded = QString::fromUtf8(text);
    return Scanner(decoded).values();
}

QByteArray IniText::write(const QVector<QPair<QString, QString>> &values)
{
    QString text = QStringLiteral("[General]\n");
    for (const auto &value : values)
        text += value.first + QLatin1Char('=') + escapedValue(value.second) + QLatin1Char('\n');
    return text.toUtf8();
}
