// The catalogue's replies; an input is a reply body. As a list reply it
// builds at most a page of cards, the entries the document parser reads, in
// their order, with their names, prices, currencies and previews. As a
// material file reply, its materials imported into a library save, load
// back as the same materials and save the same bytes again.
#include "fuzz/fuzzsupport.h"
#include "fuzz/libraryroundtrip.h"

#include "materials/descriptionoracle.h"
#include "materials/materialcataloguelist.h"
#include "model/xmlattributes.h"

#include <QImage>

#include <memory>

namespace {

QString card(const QString &name, float price, int currency, const SketchMaterial &preview)
{
    return QStringLiteral("%1|%2|%3|%4|%5|%6|%7").arg(name).arg(double(price)).arg(currency).arg(preview.name())
        .arg(preview.category()).arg(double(preview.width())).arg(preview.shapes().size());
}

// The cards as the parser reads the reply, up to a page of them.
QStringList parsedCards(const QString &text)
{
    QStringList cards;
    QDomDocument document;
    // The parser keeps what it read before an error; the page shows nothing
    // of a reply that is not XML.
    if (!document.setContent(text))
        return cards;
    for (QDomElement entry = document.documentElement().firstChildElement();
         !entry.isNull() && cards.size() < MaterialCatalogueList::maxCards; entry = entry.nextSiblingElement()) {
        SketchMaterial preview;
        preview.readXml(entry.firstChildElement());
        SketchMaterialFile file(readXmlAttribute(entry, QStringLiteral("Name"), QString()));
        file.setPrice(readXmlFloatAttribute(entry, QStringLiteral("Price"), 0.0f));
        file.setCurrency(readXmlIntAttribute(entry, QStringLiteral("Currency"), 0));
        cards.append(card(file.name(), file.price(), file.currency(), preview));
    }
    return cards;
}

void checkListReply(const QByteArray &bytes)
{
    // As the catalogue page takes the body: UTF-8 up to a NUL, trimmed.
    const QString text = QString::fromUtf8(upToFirstNul(bytes)).trimmed();
    const QList<SketchMaterialFile *> files = MaterialCatalogueList::read(text);
    QStringList cards;
    for (const SketchMaterialFile *file : files) {
        if (file->materials().size() != 1)
            fuzzFail(QStringLiteral("a card without exactly one preview"));
        cards.append(card(file->name(), file->price(), file->currency(), *file->materials().first()));
    }
    if (!files.isEmpty()) {
        const std::unique_ptr<QImage> thumbnail(files.first()->materials().first()->renderImage(88, 106));
        Q_UNUSED(thumbnail);
    }
    qDeleteAll(files);
    if (cards.size() > MaterialCatalogueList::maxCards)
        fuzzFail(QStringLiteral("%1 cards on one page").arg(cards.size()));

    if (!parserIsTheOracleOf(text.toUtf8()))
        return;
    const QStringList parsed = parsedCards(text);
    // The reader takes some texts the parser refuses; where the parser
    // reads cards, they must be the same.
    if (!parsed.isEmpty() && cards != parsed) {
        fuzzFail(QStringLiteral("the cards differ from the parser's, ")
                 + roundTripDifference(parsed.join(QLatin1Char('\n')).toUtf8(), cards.join(QLatin1Char('\n')).toUtf8()));
    }
}

void checkMaterialReply(const QByteArray &bytes)
{
    // As the entry dialog takes the body: UTF-8 up to a NUL, untrimmed.
    SketchMaterialFile downloaded(QStringLiteral("download"));
    downloaded.parse(QString::fromUtf8(upToFirstNul(bytes)));
    // As the materials panel imports them.
    SketchMaterialFile library(QStringLiteral("Templates"));
    for (const SketchMaterial *material : downloaded.materials()) {
        if (!library.contains(material->guid()))
            library.addMaterial(material->clone());
    }
    const QString failure = libraryRoundTripFailure(library, fuzzScratchPath(QStringLiteral("Templates.xml")));
    if (!failure.isEmpty())
        fuzzFail(QStringLiteral("imported materials: ") + failure);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > FuzzMaxInputSize)
        return 0;
    const QByteArray bytes = fuzzBytes(data, size);
    checkListReply(bytes);
    checkMaterialReply(bytes);
    return 0;
}
