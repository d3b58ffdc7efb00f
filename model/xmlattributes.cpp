#include "model/xmlattributes.h"

#include <limits>

#include <QDomDocument>
#include <QStringList>

#include <cmath>

namespace {

const QChar ListSeparator(QLatin1Char(';'));
const QChar FieldSeparator(QLatin1Char(','));

enum FontFlag { FontBold = 1, FontItalic = 2, FontUnderline = 4, FontStrikeOut = 8 };

int textToInt(const QString &text, int base = 10)
{
    return text.toInt(nullptr, base);
}

bool textToBool(const QString &text)
{
    return textToInt(text) == 1;
}

QColor textToColor(const QString &text)
{
    QColor color;
    color.setNamedColor(text);
    return color.isValid() ? color : QColor(Qt::black);
}

QStringList splitKeepingEmpty(const QString &text, QChar separator)
{
    return text.split(separator, Qt::KeepEmptyParts);
}

QString pointFText(const QPointF &p)
{
    return QStringLiteral("%1,%2").arg(xmlFloatText(float(p.x())), xmlFloatText(float(p.y())));
}

QString pairText(qint64 first, qint64 second)
{
    return QString::number(first) + FieldSeparator + QString::number(second);
}

// QRect::width() and height() overflow for corners more than INT_MAX apart.
QString rectText(const QRect &r)
{
    return pairText(r.x(), r.y()) + FieldSeparator
        + pairText(qint64(r.right()) - r.left() + 1, qint64(r.bottom()) - r.top() + 1);
}

int clampedToInt(qint64 value)
{
    return int(qBound<qint64>(std::numeric_limits<int>::min(), value, std::numeric_limits<int>::max()));
}

// One extent of a rectangle, kept where right - left cannot overflow.
int rectEdge(qint64 start, qint64 extent)
{
    return clampedToInt(start + qMax<qint64>(extent, std::numeric_limits<int>::min() + qint64(1)) - 1);
}

// A rectangle at (x, y) of that width and height, from its corners.
QRect rectFromFields(const QStringList &fields)
{
    const int x = textToInt(fields.at(0));
    const int y = textToInt(fields.at(1));
    return QRect(QPoint(x, y), QPoint(rectEdge(x, textToInt(fields.at(2))), rectEdge(y, textToInt(fields.at(3)))));
}

template <typename T, typename Format>
QString joinList(const QList<T> &items, Format format)
{
    QStringList parts;
    parts.reserve(items.size());
    for (const T &item : items)
        parts.append(format(item));
    return parts.join(ListSeparator);
}

template <typename T, typename Parse>
QList<T> splitList(const QString &text, Parse parse)
{
    QList<T> items;
    if (text.isEmpty())
        return items;
    const QStringList parts = splitKeepingEmpty(text, ListSeparator);
    items.reserve(parts.size());
    for (const QString &part : parts)
        items.append(parse(part));
    return items;
}

int fontFlags(const QFont &font)
{
    int flags = 0;
    if (font.weight() > QFont::Normal)
        flags |= FontBold;
    if (font.style() != QFont::StyleNormal)
        flags |= FontItalic;
    if (font.underline())
        flags |= FontUnderline;
    if (font.strikeOut())
        flags |= FontStrikeOut;
    return flags;
}

// Reads a colour component as parseColorText wants it: a failed number ends
// the parse, a negative one is raised to 0, one above 255 is refused.
bool readComponent(const QString &text, int base, int *component)
{
    bool ok = false;
    const int value = text.toInt(&ok, base);
    if (!ok || value > 255)
        return false;
    *component = qMax(value, 0);
    return true;
}

} // namespace

QString xmlFloatText(float value)
{
    return QString::number(double(value), 'g', 6);
}

float xmlTextToFloat(const QString &text)
{
    bool ok = false;
    const float value = text.toFloat(&ok);
    return ok && std::isfinite(value) ? value : 0.0f;
}

float xmlRoundedFloat(float value)
{
    return xmlTextToFloat(xmlFloatText(value));
}

QPointF xmlRoundedPointF(const QPointF &value)
{
    return QPointF(xmlRoundedFloat(float(value.x())), xmlRoundedFloat(float(value.y())));
}

QDomAttr writeXmlAttribute(QDomElement &element, const QString &name, const QString &value)
{
    if (element.isNull())
        return QDomAttr();
    // setAttribute replaces an attribute of the same name; putting a new
    // attribute node into the map would keep both and write invalid XML.
    element.setAttribute(name, value);
    return element.attributeNode(name);
}

QDomAttr writeXmlIntAttribute(QDomElement &element, const QString &name, int value)
{
    return writeXmlAttribute(element, name, QString::number(value, 10));
}

QDomAttr writeXmlFloatAttribute(QDomElement &element, const QString &name, float value)
{
    return writeXmlAttribute(element, name, xmlFloatText(value));
}

QDomAttr writeXmlBoolAttribute(QDomElement &element, const QString &name, bool value)
{
    return writeXmlIntAttribute(element, name, value ? 1 : 0);
}

QDomAttr writeXmlPointFAttribute(QDomElement &element, const QString &name, const QPointF &value)
{
    return writeXmlAttribute(element, name, pointFText(value));
}

QDomAttr writeXmlPointAttribute(QDomElement &element, const QString &name, const QPoint &value)
{
    return writeXmlAttribute(element, name, pairText(value.x(), value.y()));
}

QDomAttr writeXmlSizeFAttribute(QDomElement &element, const QString &name, const QSizeF &value)
{
    return writeXmlAttribute(element, name, pointFText(QPointF(value.width(), value.height())));
}

QDomAttr writeXmlSizeAttribute(QDomElement &element, const QString &name, const QSize &value)
{
    return writeXmlAttribute(element, name, pairText(value.width(), value.height()));
}

QDomAttr writeXmlRectAttribute(QDomElement &element, const QString &name, const QRect &value)
{
    return writeXmlAttribute(element, name, rectText(value));
}

QDomAttr writeXmlRectFAttribute(QDomElement &element, const QString &name, const QRectF &value)
{
    const QString text = QStringLiteral("%1,%2,%3,%4")
                             .arg(xmlFloatText(float(value.x())), xmlFloatText(float(value.y())),
                                  xmlFloatText(float(value.width())),
                                  xmlFloatText(float(value.height())));
    return writeXmlAttribute(element, name, text);
}

QDomAttr writeXmlColorAttribute(QDomElement &element, const QString &name, const QColor &value)
{
    return writeXmlAttribute(element, name, value.name());
}

QDomAttr writeXmlFontAttribute(QDomElement &element, const QString &name, const QFont &value)
{
    // Concatenated: a family may hold "%1" itself.
    QString text = value.family() + FieldSeparator + QString::number(value.pixelSize());
    const int flags = fontFlags(value);
    if (flags != 0)
        text += FieldSeparator + QString::number(flags);
    return writeXmlAttribute(element, name, text);
}

QDomAttr writeXmlBytesAttribute(QDomElement &element, const QString &name, const QByteArray &value)
{
    return writeXmlAttribute(element, name, QString::fromLatin1(value.toBase64()));
}

QDomAttr writeXmlIntListAttribute(QDomElement &element, const QString &name, const QList<int> &value)
{
    return writeXmlAttribute(element, name,
                             joinList(value, [](int v) { return QString::number(v, 10); }));
}

QDomAttr writeXmlFloatListAttribute(QDomElement &element, const QString &name, const QList<float> &value)
{
    return writeXmlAttribute(element, name, joinList(value, xmlFloatText));
}

QDomAttr writeXmlBoolListAttribute(QDomElement &element, const QString &name, const QList<bool> &value)
{
    return writeXmlAttribute(element, name, joinList(value, [](bool v) {
                                 return v ? QStringLiteral("1") : QStringLiteral("0");
                             }));
}

QDomAttr writeXmlPointFListAttribute(QDomElement &element, const QString &name, const QList<QPointF> &value)
{
    return writeXmlAttribute(element, name, joinList(value, pointFText));
}

QDomAttr writeXmlRectListAttribute(QDomElement &element, const QString &name, const QList<QRect> &value)
{
    return writeXmlAttribute(element, name, joinList(value, rectText));
}

QDomAttr writeXmlColorListAttribute(QDomElement &element, const QString &name, const QList<QColor> &value)
{
    return writeXmlAttribute(element, name,
                             joinList(value, [](const QColor &c) { return c.name(); }));
}

QString readXmlAttribute(const QDomElement &element, const QString &name, const QString &defaultValue)
{
    const QString text = element.attribute(name);
    return text.isEmpty() ? defaultValue : text;
}

int readXmlIntAttribute(const QDomElement &element, const QString &name, int defaultValue)
{
    const QString text = element.attribute(name);
    return text.isEmpty() ? defaultValue : textToInt(text);
}

float readXmlFloatAttribute(const QDomElement &element, const QString &name, float defaultValue)
{
    const QString text = element.attribute(name);
    return text.isEmpty() ? defaultValue : xmlTextToFloat(text);
}

bool readXmlBoolAttribute(const QDomElement &element, const QString &name, bool defaultValue)
{
    const QString text = element.attribute(name);
    return text.isEmpty() ? defaultValue : textToBool(text);
}

QPointF readXmlPointFAttribute(const QDomElement &element, const QString &name, const QPointF &defaultValue)
{
    const QStringList fields = splitKeepingEmpty(element.attribute(name), FieldSeparator);
    if (fields.size() != 2)
        return defaultValue;
    return QPointF(xmlTextToFloat(fields.at(0)), xmlTextToFloat(fields.at(1)));
}

QPoint readXmlPointAttribute(const QDomElement &element, const QString &name, const QPoint &defaultValue)
{
    const QStringList fields = splitKeepingEmpty(element.attribute(name), FieldSeparator);
    if (fields.size() != 2)
        return defaultValue;
    return QPoint(textToInt(fields.at(0)), textToInt(fields.at(1)));
}

QSizeF readXmlSizeFAttribute(const QDomElement &element, const QString &name, const QSizeF &defaultValue)
{
    const QStringList fields = splitKeepingEmpty(element.attribute(name), FieldSeparator);
    if (fields.size() != 2)
        return defaultValue;
    return QSizeF(xmlTextToFloat(fields.at(0)), xmlTextToFloat(fields.at(1)));
}

QSize readXmlSizeAttribute(const QDomElement &element, const QString &name, const QSize &defaultValue)
{
    const QStringList fields = splitKeepingEmpty(element.attribute(name), FieldSeparator);
    if (fields.size() != 2)
        return defaultValue;
    return QSize(textToInt(fields.at(0)), textToInt(fields.at(1)));
}

QRect readXmlRectAttribute(const QDomElement &element, const QString &name, const QRect &defaultValue)
{
    const QStringList fields = splitKeepingEmpty(element.attribute(name), FieldSeparator);
    if (fields.size() != 4)
        return defaultValue;
    return rectFromFields(fields);
}

QRectF readXmlRectFAttribute(const QDomElement &element, const QString &name, const QRectF &defaultValue)
{
    const QStringList fields = splitKeepingEmpty(element.attribute(name), FieldSeparator);
    if (fields.size() != 4)
        return defaultValue;
    return QRectF(xmlTextToFloat(fields.at(0)), xmlTextToFloat(fields.at(1)),
                  xmlTextToFloat(fields.at(2)), xmlTextToFloat(fields.at(3)));
}

QColor readXmlColorAttribute(const QDomElement &element, const QString &name, const QColor &defaultValue)
{
    const QString text = element.attribute(name);
    return text.isEmpty() ? defaultValue : textToColor(text);
}

QFont readXmlFontAttribute(const QDomElement &element, const QString &name, const QFont &defaultValue)
{
    QFont font(defaultValue);
    const QString text = element.attribute(name);
    if (text.isEmpty())
        return font;
    const QStringList fields = splitKeepingEmpty(text, FieldSeparator);
    font.setFamily(fields.at(0));
    if (fields.size() >= 2) {
        // QFont ignores a size of 0 or below (with a warning): keep the default's.
        const int pixelSize = textToInt(fields.at(1));
        if (pixelSize > 0)
            font.setPixelSize(pixelSize);
    }
    if (fields.size() >= 3) {
        const int flags = textToInt(fields.at(2));
        if (flags & FontBold)
            font.setWeight(QFont::Bold);
        if (flags & FontItalic)
            font.setStyle(QFont::StyleItalic);
        if (flags & FontUnderline)
            font.setUnderline(true);
        if (flags & FontStrikeOut)
            font.setStrikeOut(true);
    }
    return font;
}

QByteArray readXmlBytesAttribute(const QDomElement &element, const QString &name)
{
    return QByteArray::fromBase64(element.attribute(name).toLatin1());
}

QList<int> readXmlIntListAttribute(const QDomElement &element, const QString &name)
{
    return splitList<int>(element.attribute(name), [](const QString &t) { return textToInt(t); });
}

QList<float> readXmlFloatListAttribute(const QDomElement &element, const QString &name)
{
    return splitList<float>(element.attribute(name), xmlTextToFloat);
}

QList<bool> readXmlBoolListAttribute(const QDomElement &element, const QString &name)
{
    return splitList<bool>(element.attribute(name), textToBool);
}

QList<QColor> readXmlColorListAttribute(const QDomElement &element, const QString &name)
{
    return splitList<QColor>(element.attribute(name), textToColor);
}

QList<QPointF> readXmlPointFListAttribute(const QDomElement &element, const QString &name)
{
    QList<QPointF> points;
    const QString text = element.attribute(name);
    if (text.isEmpty())
        return points;
    for (const QString &part : splitKeepingEmpty(text, ListSeparator)) {
        const QStringList fields = splitKeepingEmpty(part, FieldSeparator);
        if (fields.size() == 2)
            points.append(QPointF(xmlTextToFloat(fields.at(0)), xmlTextToFloat(fields.at(1))));
    }
    return points;
}

QList<QRect> readXmlRectListAttribute(const QDomElement &element, const QString &name)
{
    QList<QRect> rects;
    const QString text = element.attribute(name);
    if (text.isEmpty())
        return rects;
    for (const QString &part : splitKeepingEmpty(text, ListSeparator)) {
        const QStringList fields = splitKeepingEmpty(part, FieldSeparator);
        if (fields.size() == 4)
            rects.append(rectFromFields(fields));
    }
    return rects;
}

QDomElement appendXmlElement(QDomElement &parent, const QString &tagName)
{
    if (parent.isNull())
        return QDomElement();
    QDomElement child = parent.ownerDocument().createElement(tagName);
    parent.appendChild(child);
    return child;
}

QColor parseColorText(const QString &text, bool *ok)
{
    bool parsed = false;
    QColor color(Qt::transparent);
    if (text.isEmpty()) {
        parsed = true;
    } else if (QColor::isValidColor(text)) {
        parsed = true;
        color.setNamedColor(text);
    } else {
        const QStringList fields = splitKeepingEmpty(text, FieldSeparator);
        QStringList components; // alpha, red, green, blue
        int base = 10;
        if (fields.size() >= 4) {
            components = fields.mid(0, 4);
        } else if (fields.size() == 3) {
            components = QStringList{QStringLiteral("255")} + fields;
        } else if (text.startsWith(QLatin1Char('#')) && text.size() == 9) {
            base = 16;
            components = QStringList{text.mid(1, 2), text.mid(3, 2), text.mid(5, 2), text.mid(7, 2)};
        } else if (text.startsWith(QLatin1Char('#')) && text.size() == 7) {
            base = 16;
            components = QStringList{QStringLiteral("ff"), text.mid(1, 2), text.mid(3, 2), text.mid(5, 2)};
        }
        int argb[4] = {0, 0, 0, 0};
        parsed = !components.isEmpty();
        for (int i = 0; parsed && i < components.size(); ++i)
            parsed = readComponent(components.at(i), base, &argb[i]);
        if (parsed)
            color.setRgb(argb[1], argb[2], argb[3], argb[0]);
    }
    if (ok)
        *ok = parsed;
    return color;
}
