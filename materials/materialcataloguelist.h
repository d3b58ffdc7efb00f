#ifndef MATERIALCATALOGUELIST_H
#define MATERIALCATALOGUELIST_H

#include <QList>
#include <QString>
#include <QtGlobal>

class SketchMaterialFile;

// The reply of the catalogue's list request read into the material files of
// its cards: every element child of the reply's root is one entry ("Name",
// "Price", "Currency"), and its first child element is the entry's preview
// material. The reply is read as the document parser reads it
// (MaterialDescriptionReader), without building its tree.
//
// What one page builds is bounded, whatever the service sends: the request
// takes a reply of up to maxReplySize bytes (a larger one fails as a
// request does), and the page shows the first maxCards entries of the
// reply, in its order; the others are not read. A card then costs its
// preview's own text and little more: the preview keeps its shapes as text
// until it is painted.
//
// Never instantiated; a plain function of its argument.
class MaterialCatalogueList
{
public:
    MaterialCatalogueList() = delete;

    static constexpr int maxCards = 1000;
    static constexpr qint64 maxReplySize = 4 * 1024 * 1024;

    // New material files, one per entry up to maxCards, each with the
    // entry's name, price and currency (kept at 0 or above) and exactly one
    // material, the preview: a material of default values for an entry
    // without a child element. None for text that is not XML. The caller
    // owns them.
    static QList<SketchMaterialFile *> read(const QString &text);
};

#endif // MATERIALCATALOGUELIST_H
