#ifndef XMLATTRIBUTES_H
#define XMLATTRIBUTES_H

// Typed XML attributes: every value the model stores in its files goes
// through these writers and readers, each type with one fixed text form.
// Numbers are written and read independently of the user's locale, reals as
// the "g" form with 6 significant digits and read back at single precision.
//
// Writers set (or replace) the attribute and return its node; on a null
// element they do nothing and return a null node. Readers give the default
// for an attribute that is missing or empty, 0 for a number that does not
// parse or is not finite, and never fail.

#include <QByteArray>
#include <QColor>
#include <QDomAttr>
#include <QDomDocument>
#include <QDomElement>
#include <QFont>
#include <QList>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <QString>

// Text forms of single values, shared with the point text of shapes.
QString xmlFloatText(float value);
float xmlTextToFloat(const QString &text);
// A value as the file gives it back: written in the float form and read
// again. Writers that leave out a value equal to its default compare this,
// not the value itself, so that a value that only rounds to the default is
// left out too and one save is final.
float xmlRoundedFloat(float value);
QPointF xmlRoundedPointF(const QPointF &value);

QDomAttr writeXmlAttribute(QDomElement &element, const QString &name, const QString &value);
QDomAttr writeXmlIntAttribute(QDomElement &element, const QString &name, int value);
QDomAttr writeXmlFloatAttribute(QDomElement &element, const QString &name, float value);
QDomAttr writeXmlBoolAttribute(QDomElement &element, const QString &name, bool value);
QDomAttr writeXmlPointFAttribute(QDomElement &element, const QString &name, const QPointF &value);
QDomAttr writeXmlPointAttribute(QDomElement &element, const QString &name, const QPoint &value);
QDomAttr writeXmlSizeFAttribute(QDomElement &element, const QString &name, const QSizeF &value);
QDomAttr writeXmlSizeAttribute(QDomElement &element, const QString &name, const QSize &value);
// "x,y,width,height", the width and height taken from the corners without
// overflow, whatever rectangle the caller made.
QDomAttr writeXmlRectAttribute(QDomElement &element, const QString &name, const QRect &value);
QDomAttr writeXmlRectFAttribute(QDomElement &element, const QString &name, const QRectF &value);
// "#rrggbb": the alpha channel is not stored.
QDomAttr writeXmlColorAttribute(QDomElement &element, const QString &name, const QColor &value);
// "family,pixelSize" followed by ",flags" when any of bold (1), italic (2),
// underline (4) or strike-out (8) is set.
QDomAttr writeXmlFontAttribute(QDomElement &element, const QString &name, const QFont &value);
QDomAttr writeXmlBytesAttribute(QDomElement &element, const QString &name, const QByteArray &value);
QDomAttr writeXmlIntListAttribute(QDomElement &element, const QString &name, const QList<int> &value);
QDomAttr writeXmlFloatListAttribute(QDomElement &element, const QString &name, const QList<float> &value);
QDomAttr writeXmlBoolListAttribute(QDomElement &element, const QString &name, const QList<bool> &value);
QDomAttr writeXmlPointFListAttribute(QDomElement &element, const QString &name, const QList<QPointF> &value);
QDomAttr writeXmlRectListAttribute(QDomElement &element, const QString &name, const QList<QRect> &value);
QDomAttr writeXmlColorListAttribute(QDomElement &element, const QString &name, const QList<QColor> &value);

QString readXmlAttribute(const QDomElement &element, const QString &name, const QString &defaultValue = QString());
int readXmlIntAttribute(const QDomElement &element, const QString &name, int defaultValue = 0);
float readXmlFloatAttribute(const QDomElement &element, const QString &name, float defaultValue = 0.0f);
// True exactly when the text reads as the integer 1.
bool readXmlBoolAttribute(const QDomElement &element, const QString &name, bool defaultValue = false);
QPointF readXmlPointFAttribute(const QDomElement &element, const QString &name, const QPointF &defaultValue = QPointF());
QPoint readXmlPointAttribute(const QDomElement &element, const QString &name, const QPoint &defaultValue = QPoint());
QSizeF readXmlSizeFAttribute(const QDomElement &element, const QString &name, const QSizeF &defaultValue = QSizeF());
QSize readXmlSizeAttribute(const QDomElement &element, const QString &name, const QSize &defaultValue = QSize());
// Built from its corners in 64 bits and clamped to the int range, so that
// the width and height of the result, and their arithmetic, never overflow;
// the rectangles of the list reader likewise.
QRect readXmlRectAttribute(const QDomElement &element, const QString &name, const QRect &defaultValue = QRect());
QRectF readXmlRectFAttribute(const QDomElement &element, const QString &name, const QRectF &defaultValue = QRectF());
// A name that QColor does not accept gives black: an invalid colour would be
// written as "#000000" and come back as black, so it is read as that.
QColor readXmlColorAttribute(const QDomElement &element, const QString &name, const QColor &defaultValue = QColor());
// Starts from the default font; flags only switch attributes on.
QFont readXmlFontAttribute(const QDomElement &element, const QString &name, const QFont &defaultValue);
QByteArray readXmlBytesAttribute(const QDomElement &element, const QString &name);
QList<int> readXmlIntListAttribute(const QDomElement &element, const QString &name);
QList<float> readXmlFloatListAttribute(const QDomElement &element, const QString &name);
QList<bool> readXmlBoolListAttribute(const QDomElement &element, const QString &name);
// Parts that QColor does not accept, the empty ones too, give black.
QList<QColor> readXmlColorListAttribute(const QDomElement &element, const QString &name);
// Items with the wrong number of fields are skipped.
QList<QPointF> readXmlPointFListAttribute(const QDomElement &element, const QString &name);
QList<QRect> readXmlRectListAttribute(const QDomElement &element, const QString &name);

// A value written onto a scratch element by its own writer and read back by
// its own reader: what a file gives back for it.
template <typename T>
T xmlSavedCopy(const T &value, void (T::*write)(QDomElement &) const, void (T::*read)(const QDomElement &))
{
    QDomDocument scratch;
    QDomElement element = scratch.createElement(QStringLiteral("Value"));
    (value.*write)(element);
    T saved;
    (saved.*read)(element);
    return saved;
}

// Creates a child element of that tag as the parent's last child.
QDomElement appendXmlElement(QDomElement &parent, const QString &tagName);

// Colour text typed by a user: a colour name or "#" form, "r,g,b",
// "a,r,g,b", "#aarrggbb" or "#rrggbb". An empty text is transparent and
// counts as success. On failure *ok is false and the result transparent.
QColor parseColorText(const QString &text, bool *ok);

#endif // XMLATTRIBUTES_H
