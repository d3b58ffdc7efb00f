#ifndef MATERIALFIXTURE_H
#define MATERIALFIXTURE_H

// Builders and checks shared by the material tests.

#include "materials/sketchmaterial.h"
#include "model/sketchglobals.h"
#include "support/filesizelimit.h"
#include "support/livecounts.h"
#include "support/shapes.h"

#include <QFile>
#include <QtGlobal>

#include <QImage>
#include <QRect>
#include <QStringList>

// The live counters of materials and material files with those of the
// model, to prove that a test frees what it made.
struct MaterialCounts
{
    LiveCounts model;
    int materials = SketchGlobals::MaterialCount;
    int files = SketchGlobals::MaterialFileCount;

    bool operator==(const MaterialCounts &other) const
    {
        return model == other.model && materials == other.materials && files == other.files;
    }
};

inline QString describe(const MaterialCounts &counts)
{
    return describe(counts.model)
        + QStringLiteral(", materials %1, material files %2").arg(counts.materials).arg(counts.files);
}

// A box filled with one colour and no visible stroke, so that its pixels
// are exactly its area.
inline SketchShape *makeFilledBox(const QRectF &r, const QColor &colour = Qt::red)
{
    SketchShape *shape = makeBox(nullptr, r);
    shape->setFill(SkinBrush(colour));
    shape->setStroke(SketchStroke(Qt::transparent, 1, SketchStrokeSquare));
    return shape;
}

// A material of the given category holding one filled box of that size.
inline SketchMaterial *makeBoxMaterial(int category, const QSizeF &size = QSizeF(100, 50),
                                       const QString &name = QString())
{
    SketchShape *box = makeFilledBox(QRectF(QPointF(0, 0), size));
    auto *material = new SketchMaterial(category, {box}, false);
    material->setName(name);
    delete box;
    return material;
}

// The box around the pixels that are not fully transparent.
inline QRect inkedBox(const QImage &image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) != 0)
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

inline QByteArray readFileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeFileBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

#endif // MATERIALFIXTURE_H
