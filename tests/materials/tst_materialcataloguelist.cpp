// The catalogue's list reply read into cards, against the document parser
// as oracle: every element child of the root is one card with the entry's
// name, price and currency and its first child element as the preview;
// no more than a page's cards are built.
#include "materials/materialcataloguelist.h"
#include "materials/sketchmaterial.h"
#include "materials/sketchmaterialfile.h"
#include "model/xmlattributes.h"

#include <QDomDocument>
#include <QStandardPaths>
#include <QtTest>

namespace {

QString describeCard(const QString &name, float price, int currency, const SketchMaterial &preview)
{
    return QStringLiteral("%1|%2|%3|%4|%5|%6,%7|%8")
        .arg(name)
        .arg(double(price))
        .arg(currency)
        .arg(preview.guid().startsWith(QLatin1Char('{')) && preview.guid().size() == 38 ? QStringLiteral("fresh") : preview.guid())
        .arg(preview.name())
        .arg(double(preview.width()))
        .arg(double(preview.height()))
        .arg(preview.shapes().size());
}

// The cards as the parser reads the reply.
QStringList parsedCards(const QString &text)
{
    QStringList cards;
    QDomDocument document;
    // The parser keeps what it read before an error; the page shows nothing
    // of a reply that is not XML.
    if (!document.setContent(text))
        return cards;
    for (QDomElement entry = document.documentElement().firstChildElement(); !entry.isNull();
         entry = entry.nextSiblingElement()) {
        SketchMaterial preview;
        preview.readXml(entry.firstChildElement());
        cards.append(describeCard(readXmlAttribute(entry, "Name", QString()),
                                  qMax(readXmlFloatAttribute(entry, "Price", 0.0f), 0.0f),
                                  qMax(readXmlIntAttribute(entry, "Currency", 0), 0), preview));
    }
    return cards;
}

QStringList readCards(const QString &text)
{
    QStringList cards;
    const QList<SketchMaterialFile *> files = MaterialCatalogueList::read(text);
    for (const SketchMaterialFile *file : files) {
        if (file->materials().size() != 1)
            return {QStringLiteral("a card without exactly one preview")};
        cards.append(describeCard(file->name(), file->price(), file->currency(), *file->materials().first()));
    }
    qDeleteAll(files);
    return cards;
}

const char *const Preview = "<Material Guid=\"{p}\" Name=\"cat\" Size=\"40,30\"><Shape Points=\"0,0;40,30\"/></Material>";

} // namespace

class TestMaterialCatalogueList : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void readsTheEntriesAsTheParserDoes_data();
    void readsTheEntriesAsTheParserDoes();
    void buildsAPageOfCardsAtMost();
};

void TestMaterialCatalogueList::readsTheEntriesAsTheParserDoes_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("entries with previews")
        << QStringLiteral("<L><F Name=\"a\" Price=\"2.5\" Currency=\"1\">%1</F><F Name=\"b\" Price=\"-3\" Currency=\"-1\"/></L>").arg(Preview);
    QTest::newRow("comments and text between")
        << QStringLiteral("<L><!-- c -->text<F Name=\"a\"><!-- first -->x%1<Material Guid=\"{q}\"/></F>tail</L>").arg(Preview);
    QTest::newRow("preview shapes in another layout")
        << QStringLiteral("<L>\n\t<F Name=\"a\">\n\t\t%1\n\t</F>\n</L>").arg(Preview);
    QTest::newRow("declared entities")
        << QStringLiteral("<!DOCTYPE L [<!ENTITY n \"Cats ] Dogs\">]><L><F Name=\"&n;\"><Material Name=\"&n;\" Size=\"1,1\"><Shape Points=\"0,0;1,1\"/></Material></F></L>");
    QTest::newRow("long entity names")
        << QStringLiteral("<L><F Name=\"a&abcdefghijklmnopqrstuvwxyz0123456789;b\"/></L>");
    QTest::newRow("not XML") << QStringLiteral("Hello world, no XML");
    QTest::newRow("XML broken after an entry") << QStringLiteral("<L><F Name=\"a\"/><F Name=\"b\" //></L>");
    QTest::newRow("no entries") << QStringLiteral("<L/>");
}

void TestMaterialCatalogueList::readsTheEntriesAsTheParserDoes()
{
    QFETCH(QString, text);
    QCOMPARE(readCards(text), parsedCards(text));
}

// A reply of empty entries once cost over a kilobyte per card, without end.
void TestMaterialCatalogueList::buildsAPageOfCardsAtMost()
{
    QString text = QStringLiteral("<L>");
    for (int i = 0; i < MaterialCatalogueList::maxCards + 500; ++i)
        text += QStringLiteral("<F Name=\"c%1\"/>").arg(i);
    const QList<SketchMaterialFile *> files = MaterialCatalogueList::read(text + QStringLiteral("</L>"));
    QCOMPARE(files.size(), MaterialCatalogueList::maxCards);
    QCOMPARE(files.first()->name(), QStringLiteral("c0"));
    QCOMPARE(files.last()->name(), QStringLiteral("c%1").arg(MaterialCatalogueList::maxCards - 1));
    qDeleteAll(files);
    // The entries past the page still have to be sound.
    QVERIFY(MaterialCatalogueList::read(text + QStringLiteral("<F></L>")).isEmpty());
}

QTEST_MAIN(TestMaterialCatalogueList)
#include "tst_materialcataloguelist.moc"
