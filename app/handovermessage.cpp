#include "app/handovermessage.h"

#include "model/hexdigit.h"

namespace {

const QChar separator(QLatin1Char(','));
const QChar escape(QLatin1Char('%'));

bool isEscaped(QChar c)
{
    return c == separator || c == escape || c.unicode() < 0x20 || c.unicode() == 0x7f;
}

QString escaped(const QString &path)
{
    QString text;
    text.reserve(path.size());
    for (const QChar c : path) {
        if (isEscaped(c))
            text += escape + QStringLiteral("%1").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper();
        else
            text += c;
    }
    return text;
}

// The code of the escape whose digits begin at `at`, or -1.
int escapedCode(const QStringRef &part, int at)
{
    if (at + 1 >= part.size())
        return -1;
    const int high = hexDigitValue(part.at(at));
    const int low = hexDigitValue(part.at(at + 1));
    return high < 0 || low < 0 ? -1 : high * 16 + low;
}

QString unescaped(const QStringRef &part)
{
    QString path;
    path.reserve(part.size());
    for (int i = 0; i < part.size(); ++i) {
        const int code = part.at(i) == escape ? escapedCode(part, i + 1) : -1;
        if (code < 0) {
            path += part.at(i);
        } else {
            path += QChar(ushort(code));
            i += 2;
        }
    }
    return path;
}

} // namespace

QString handOverMessage(const QStringList &paths)
{
    QString message;
    for (const QString &path : paths)
        message += escaped(path) + separator;
    return message;
}

QStringList handOverPaths(const QString &message)
{
    QVector<QStringRef> parts = message.splitRef(separator, Qt::KeepEmptyParts);
    // The part after the last ",": empty unless the ending "," was left out.
    if (parts.last().isEmpty())
        parts.removeLast();
    QStringList paths;
    for (const QStringRef &part : qAsConst(parts))
        paths.append(unescaped(part));
    return paths;
}
