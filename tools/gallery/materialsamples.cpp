// The materials panel: the first page with a few materials, named and
// unnamed, one selected; and the bubbles page opened, with a full row and
// names too long for their strip.
#include "gallerysample.h"

#include "materials/sketchmaterial.h"
#include "materials/sketchmaterialbox.h"
#include "materials/sketchmaterialfile.h"
#include "materials/sketchmateriallibrary.h"
#include "model/sketchpoint.h"
#include "model/sketchshape.h"
#include "model/sketchstroke.h"
#include "model/skinbrush.h"
#include "skin/controls/skingridselection.h"
#include "skin/controls/skingridview.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <memory>

namespace {

SketchShape *shape(const QList<QPointF> &points, int behavior, bool curve, const SkinBrush &fill)
{
    auto *s = new SketchShape(nullptr);
    for (const QPointF &p : points)
        s->points().append(new SketchPoint(p.x(), p.y(), curve));
    s->setClosed(true);
    s->setBehavior(behavior);
    s->setFill(fill);
    s->setStroke(SketchStroke(QColor(40, 40, 40), 2, SketchStrokeRound));
    return s;
}

SketchShape *box(const QRectF &r, const SkinBrush &fill, bool ellipse = false)
{
    return shape({r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()}, SketchShapeBox, ellipse, fill);
}

SketchShape *bubble(const QRectF &r, const QString &text)
{
    const qreal mx = r.center().x();
    SketchShape *s = shape({r.topLeft(), r.topRight(), r.bottomRight(), {mx + 10, r.bottom()},
                            {mx - 20, r.bottom() + 30}, {mx - 10, r.bottom()}, r.bottomLeft()},
                           SketchShapeBubble, false, SkinBrush(Qt::white));
    s->setDirection(4);
    s->setText(text);
    return s;
}

// A material of the shapes (taken over), named.
SketchMaterial *material(int category, const QList<SketchShape *> &shapes, const QString &name)
{
    auto *m = new SketchMaterial(category, shapes, false);
    qDeleteAll(shapes);
    m->setName(name);
    return m;
}

QList<SketchMaterial *> sampleMaterials()
{
    return {
        material(0, {box({0, 0, 60, 90}, SkinBrush(QColor(250, 210, 170)), true),
                     box({10, 90, 40, 80}, SkinBrush(QColor(60, 110, 200)))},
                 "Hero"),
        material(0, {box({0, 0, 80, 80}, SkinBrush(QColor(120, 200, 120), QColor(20, 120, 40), false), true)},
                 QString()),
        material(0, {box({0, 0, 120, 40}, SkinBrush(QColor(220, 60, 60)))}, "Cape"),
        material(0, {box({0, 0, 50, 50}, SkinBrush(QColor(240, 220, 60)), true)}, "Sun"),
        material(2, {bubble({0, 0, 140, 70}, "Hello!")}, "Greeting"),
        material(2, {bubble({0, 0, 100, 100}, "?")}, "A very long name for a small bubble"),
        material(2, {bubble({0, 0, 160, 50}, "Boom")}, "Shout"),
        material(2, {bubble({0, 0, 80, 60}, "...")}, QString()),
    };
}

// A panel over a library of its own, in a folder that lives as long as the
// gallery, so that the gallery never reads or writes a real library.
SketchMaterialBox *panel()
{
    static QTemporaryDir folder;
    const QString library = QDir(folder.path()).filePath(SketchMaterialLibrary::fileName());
    if (!QFileInfo::exists(library)) {
        SketchMaterialFile file(SketchMaterialLibrary::name());
        for (SketchMaterial *m : sampleMaterials())
            file.addMaterial(m);
        file.save(library);
    }
    SketchMaterialLibrary::setFolders(folder.path(), folder.path());
    auto *box = new SketchMaterialBox;
    SketchMaterialLibrary::setFolders(QString(), QString());
    return box;
}

QWidget *rolePage()
{
    SketchMaterialBox *box = panel();
    box->grids().at(0)->selection()->selectCell(2, false);
    return box;
}

QWidget *bubblePage()
{
    SketchMaterialBox *box = panel();
    box->setCurrentCategory(2);
    return box;
}

std::vector<GallerySample> materialSamples()
{
    return {
        {"materials-role", QSize(230, 400), rolePage},
        {"materials-bubble", QSize(230, 400), bubblePage},
    };
}

const GallerySetRegistration registration(materialSamples);

} // namespace
