#ifndef LIBRARYROUNDTRIP_H
#define LIBRARYROUNDTRIP_H

// The round-trip property of the material library file, shared by the fuzz
// targets: whatever a library holds is what its save writes, so loading
// the save holds the same materials (Guid, name, category, size and
// shapes), and saving that again gives the same bytes.
//
// Libraries are saved and loaded through a scratch file with the public
// file API, as the materials panel saves and loads them.

#include "fuzz/roundtrip.h"
#include "materials/sketchmaterial.h"
#include "materials/sketchmaterialfile.h"
#include "model/sketchshape.h"
#include "model/xmltextwriter.h"

#include <QDomDocument>
#include <QFile>
#include <QStringList>

// Each material as a line: its identity, size and every shape as the
// document file writes it.
inline QStringList libraryHeld(const SketchMaterialFile &file)
{
    QStringList held;
    for (const SketchMaterial *material : file.materials()) {
        QString line = material->guid() + QLatin1Char('|') + material->name() + QLatin1Char('|')
            + QString::number(material->category()) + QLatin1Char('|') + QString::number(double(material->width()))
            + QLatin1Char(',') + QString::number(double(material->height()));
        for (SketchShape *shape : material->shapes()) {
            QDomDocument document;
            QDomElement element = document.createElement(shape->typeName());
            shape->writeXml(element);
            line += QLatin1Char('|') + XmlTextWriter::elementText(element);
        }
        held.append(line);
    }
    return held;
}

// The bytes as the program takes a library or a reply: up to a first NUL.
inline QByteArray upToFirstNul(const QByteArray &bytes)
{
    const int end = bytes.indexOf('\0');
    return end < 0 ? bytes : bytes.left(end);
}

inline bool libraryWriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// Empty when the library keeps the property; otherwise what breaks it.
inline QString libraryRoundTripFailure(const SketchMaterialFile &library, const QString &path)
{
    const QByteArray saved = library.toLibraryText();
    if (!libraryWriteFile(path, saved))
        return QStringLiteral("the scratch file cannot be written");
    SketchMaterialFile back(library.name());
    if (!back.load(path))
        return QStringLiteral("the saved library does not load");
    const QStringList held = libraryHeld(library);
    const QStringList heldBack = libraryHeld(back);
    if (heldBack != held) {
        return QStringLiteral("the saved library loads other materials, ")
            + roundTripDifference(held.join(QLatin1Char('\n')).toUtf8(), heldBack.join(QLatin1Char('\n')).toUtf8());
    }
    const QByteArray savedAgain = back.toLibraryText();
    if (savedAgain != saved)
        return QStringLiteral("saving again changes the text, ") + roundTripDifference(saved, savedAgain);
    return QString();
}

#endif // LIBRARYROUNDTRIP_H
