#ifndef ROUNDTRIP_H
#define ROUNDTRIP_H

// The round-trip property of the document file, shared by the fuzz targets
// and the tests: a document that has been saved once comes back from loading
// and saving again with the same bytes, and its page paints the same.
//
// Documents are loaded from a scratch file through the public file API, as
// the program loads them.

#include "model/sketchdocument.h"
#include "model/sketchstroke.h"
#include "model/skinbrush.h"

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QString>

#include <memory>

// The page as the thumbnail paints it, on the paper's brush and inside its
// border, in a small picture so that any paper size stays cheap.
inline QImage roundTripPicture(SketchDocument &document)
{
    QImage picture(160, 120, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    const QRectF area(picture.rect());
    document.paperColor().fillRect(&painter, area);
    document.paperBorder().drawBorder(&painter, area, 1.0f);
    painter.setRenderHint(QPainter::Antialiasing, true);
    document.paintThumbnail(&painter, area);
    painter.end();
    return picture;
}

// A new document read from the bytes through a file at path; null when they
// do not load.
inline std::unique_ptr<SketchDocument> roundTripLoad(const QByteArray &bytes, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        return nullptr;
    file.close();
    auto document = std::make_unique<SketchDocument>(nullptr);
    if (!document->loadFromFile(path))
        return nullptr;
    return document;
}

// Where two texts first differ: the line number and both lines.
inline QString roundTripDifference(const QByteArray &expected, const QByteArray &actual)
{
    const QList<QByteArray> a = expected.split('\n');
    const QList<QByteArray> b = actual.split('\n');
    for (int i = 0; i < qMax(a.size(), b.size()); ++i) {
        const QByteArray left = a.value(i);
        const QByteArray right = b.value(i);
        if (left != right) {
            return QStringLiteral("line ") + QString::number(i + 1) + QStringLiteral(":\n  first:  ")
                + QString::fromUtf8(left.left(300)) + QStringLiteral("\n  second: ") + QString::fromUtf8(right.left(300));
        }
    }
    return QStringLiteral("the texts differ in length only");
}

// Empty when the bytes do not load as a document or keep the property;
// otherwise what breaks it. The first save is handed out when asked for.
inline QString roundTripFailure(const QByteArray &input, const QString &path, QByteArray *firstSave = nullptr)
{
    const std::unique_ptr<SketchDocument> loaded = roundTripLoad(input, path);
    if (!loaded)
        return QString();
    const QByteArray saved = loaded->toFileText();
    if (firstSave)
        *firstSave = saved;
    const std::unique_ptr<SketchDocument> reloaded = roundTripLoad(saved, path);
    if (!reloaded)
        return QStringLiteral("the saved text does not load");
    const QByteArray savedAgain = reloaded->toFileText();
    if (savedAgain != saved)
        return QStringLiteral("saving again changes the text, ") + roundTripDifference(saved, savedAgain);
    const std::unique_ptr<SketchDocument> third = roundTripLoad(savedAgain, path);
    if (!third || roundTripPicture(*reloaded) != roundTripPicture(*third))
        return QStringLiteral("the page paints differently after another save");
    return QString();
}

#endif // ROUNDTRIP_H
