// The dialog of a catalogue entry: five materials in two rows, one selected.
// The entry's description is put into the download cache first, so the
// dialog finds it there and sends no request.
#include "gallerysample.h"

#include "materials/sketchmaterialdialog.h"
#include "model/sketchglobals.h"
#include "skin/controls/skingridselection.h"
#include "skin/controls/skingridview.h"

namespace {

QString materialElement(int index, const QString &shape, const QString &colour)
{
    return QStringLiteral("<Material Guid=\"{gallery-%1}\" Category=\"%2\" Size=\"60,40\">"
                          "<Shape Behavior=\"1\" Points=\"%3\"><Fill Color=\"%4\"/></Shape></Material>")
        .arg(QString::number(index), QString::number(index % 3), shape, colour);
}

QWidget *entryDialog()
{
    const QString box = QStringLiteral("0,0;60,0;60,40;0,40");
    const QString tall = QStringLiteral("20,0;40,0;40,40;20,40");
    const QString name = QStringLiteral("Gallery Props");
    SketchGlobals::materialCache.insert(
        name, QStringLiteral("<MaterialFile Name=\"Gallery Props\">") + materialElement(1, box, "#d04040")
                  + materialElement(2, tall, "#40a050") + materialElement(3, box, "#3070c0")
                  + materialElement(4, tall, "#e0c030") + materialElement(5, box, "#909090")
                  + QStringLiteral("</MaterialFile>"));
    auto *dialog = new SketchMaterialDialog(nullptr, name);
    dialog->grid()->selection()->selectCell(1, false);
    return dialog;
}

std::vector<GallerySample> catalogueSamples()
{
    return {
        {"catalogue-entry", QSize(400, 450), entryDialog},
    };
}

const GallerySetRegistration registration(catalogueSamples);

} // namespace
