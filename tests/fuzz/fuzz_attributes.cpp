// The XML attribute codec: the first byte of an input picks a value type,
// the rest is the attribute's text. Whatever the text, the value read from
// it is written in a form that reads back as the same value and writes the
// same text again; colour text typed by a user reads back from the colour's
// own "#aarrggbb" name.
#include "fuzz/fuzzsupport.h"

#include "model/sketchglobals.h"
#include "model/xmlattributes.h"

#include <QDomDocument>
#include <QFont>

#include <functional>

namespace {

const QString Name = QStringLiteral("A");

template <typename T>
using Reader = std::function<T(const QDomElement &)>;
template <typename T>
using Writer = std::function<void(QDomElement &, const T &)>;

// Text -> value -> text -> value -> text: the two texts and the two values
// must agree.
template <typename T>
void checkRoundTrip(const char *type, const QString &text, const Reader<T> &read, const Writer<T> &write)
{
    QDomDocument document;
    QDomElement element = document.createElement(QStringLiteral("E"));
    element.setAttribute(Name, text);
    write(element, read(element));
    const QString written = element.attribute(Name);
    const T value = read(element);
    write(element, value);
    const QString writtenAgain = element.attribute(Name);
    if (writtenAgain != written)
        fuzzFail(QStringLiteral("%1 \"%2\" is written as \"%3\", then as \"%4\"").arg(QLatin1String(type), text, written, writtenAgain));
    if (!(read(element) == value))
        fuzzFail(QStringLiteral("%1 \"%2\" reads back differently from \"%3\"").arg(QLatin1String(type), text, written));
}

template <typename T>
void check(const char *type, const QString &text, T (*read)(const QDomElement &, const QString &, const T &),
           QDomAttr (*write)(QDomElement &, const QString &, const T &), const T &defaultValue)
{
    checkRoundTrip<T>(
        type, text, [&](const QDomElement &e) { return read(e, Name, defaultValue); },
        [&](QDomElement &e, const T &v) { write(e, Name, v); });
}

template <typename T>
void check(const char *type, const QString &text, T (*read)(const QDomElement &, const QString &, T),
           QDomAttr (*write)(QDomElement &, const QString &, T), T defaultValue)
{
    checkRoundTrip<T>(
        type, text, [&](const QDomElement &e) { return read(e, Name, defaultValue); },
        [&](QDomElement &e, const T &v) { write(e, Name, v); });
}

template <typename T>
void checkList(const char *type, const QString &text, QList<T> (*read)(const QDomElement &, const QString &),
               QDomAttr (*write)(QDomElement &, const QString &, const QList<T> &))
{
    checkRoundTrip<QList<T>>(
        type, text, [&](const QDomElement &e) { return read(e, Name); },
        [&](QDomElement &e, const QList<T> &v) { write(e, Name, v); });
}

// Fonts compare by what the text form holds.
bool sameFont(const QFont &a, const QFont &b)
{
    return a.family() == b.family() && a.pixelSize() == b.pixelSize() && a.pointSizeF() == b.pointSizeF()
        && a.weight() == b.weight() && a.style() == b.style() && a.underline() == b.underline()
        && a.strikeOut() == b.strikeOut();
}

void checkFont(const QString &text)
{
    QFont bold(*SketchGlobals::defaultFont());
    bold.setBold(true);
    for (const QFont &defaultFont : {*SketchGlobals::defaultFont(), bold}) {
        QDomDocument document;
        QDomElement element = document.createElement(QStringLiteral("E"));
        element.setAttribute(Name, text);
        const QFont first = readXmlFontAttribute(element, Name, defaultFont);
        writeXmlFontAttribute(element, Name, first);
        const QString written = element.attribute(Name);
        const QFont second = readXmlFontAttribute(element, Name, defaultFont);
        writeXmlFontAttribute(element, Name, second);
        if (element.attribute(Name) != written)
            fuzzFail(QStringLiteral("font \"%1\" is written as \"%2\", then as \"%3\"").arg(text, written, element.attribute(Name)));
        if (!sameFont(readXmlFontAttribute(element, Name, defaultFont), second))
            fuzzFail(QStringLiteral("font \"%1\" reads back differently from \"%2\"").arg(text, written));
    }
}

void checkColorText(const QString &text)
{
    bool ok = false;
    const QColor color = parseColorText(text, &ok);
    if (!ok || !color.isValid())
        return;
    bool okAgain = false;
    const QString name = color.name(QColor::HexArgb);
    const QColor again = parseColorText(name, &okAgain);
    if (!okAgain || again.rgba() != color.rgba())
        fuzzFail(QStringLiteral("colour text \"%1\" gives %2, which does not read back").arg(text, name));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1 || size > FuzzMaxInputSize)
        return 0;
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + 1), int(size - 1));
    switch (data[0] % 19) {
    case 0:
        check<int>("int", text, readXmlIntAttribute, writeXmlIntAttribute, 7);
        break;
    case 1:
        check<float>("float", text, readXmlFloatAttribute, writeXmlFloatAttribute, 0.5f);
        break;
    case 2:
        check<bool>("bool", text, readXmlBoolAttribute, writeXmlBoolAttribute, true);
        break;
    case 3:
        check<QPointF>("real point", text, readXmlPointFAttribute, writeXmlPointFAttribute, QPointF(1, 2));
        break;
    case 4:
        check<QPoint>("point", text, readXmlPointAttribute, writeXmlPointAttribute, QPoint(1, 2));
        break;
    case 5:
        check<QSizeF>("real size", text, readXmlSizeFAttribute, writeXmlSizeFAttribute, QSizeF(3, 4));
        break;
    case 6:
        check<QSize>("size", text, readXmlSizeAttribute, writeXmlSizeAttribute, QSize(3, 4));
        break;
    case 7:
        check<QRect>("rectangle", text, readXmlRectAttribute, writeXmlRectAttribute, QRect(1, 2, 3, 4));
        break;
    case 8:
        check<QRectF>("real rectangle", text, readXmlRectFAttribute, writeXmlRectFAttribute, QRectF(1, 2, 3, 4));
        break;
    case 9:
        check<QColor>("colour", text, readXmlColorAttribute, writeXmlColorAttribute, QColor(Qt::green));
        break;
    case 10:
        checkFont(text);
        break;
    case 11:
        checkRoundTrip<QByteArray>(
            "bytes", text, [](const QDomElement &e) { return readXmlBytesAttribute(e, Name); },
            [](QDomElement &e, const QByteArray &v) { writeXmlBytesAttribute(e, Name, v); });
        break;
    case 12:
        checkList<int>("int list", text, readXmlIntListAttribute, writeXmlIntListAttribute);
        break;
    case 13:
        checkList<float>("float list", text, readXmlFloatListAttribute, writeXmlFloatListAttribute);
        break;
    case 14:
        checkList<bool>("bool list", text, readXmlBoolListAttribute, writeXmlBoolListAttribute);
        break;
    case 15:
        checkList<QPointF>("real point list", text, readXmlPointFListAttribute, writeXmlPointFListAttribute);
        break;
    case 16:
        checkList<QRect>("rectangle list", text, readXmlRectListAttribute, writeXmlRectListAttribute);
        break;
    case 17:
        checkList<QColor>("colour list", text, readXmlColorListAttribute, writeXmlColorListAttribute);
        break;
    default:
        checkColorText(text);
        break;
    }
    return 0;
}
