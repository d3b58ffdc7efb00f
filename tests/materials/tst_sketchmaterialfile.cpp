// SketchMaterialFile: the list with its Guid index, regrouping by category,
// reading descriptions, loading and saving the library file, and a save
// that fails half-way.
#include "materials/materialfixture.h"

#include "materials/sketchmaterial.h"
#include "materials/sketchmaterialfile.h"
#include "model/sketchglobals.h"
#include "model/sketchshape.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUuid>
#include <QtTest>

#include <cmath>
#include <memory>

namespace {

// One material element with that Guid and category and a small box.
QString materialElement(const QString &guid, int category, const QString &tag = QStringLiteral("Material"))
{
    return QStringLiteral("<%1 Guid=\"{%2}\" Category=\"%3\" Size=\"10,10\">"
                          "<Shape Behavior=\"1\" Points=\"0,0;10,0;10,10;0,10\"/></%1>")
        .arg(tag, guid)
        .arg(category);
}

// A description of materials named by their Guids ("a:3" is Guid "{a}" of
// category 3), with the root attributes given.
QString description(const QStringList &materials, const QString &rootAttributes = QString())
{
    QString text = QStringLiteral("<Storyloom %1>").arg(rootAttributes);
    for (const QString &entry : materials) {
        const QStringList parts = entry.split(QLatin1Char(':'));
        text += materialElement(parts.at(0), parts.at(1).toInt());
    }
    return text + QStringLiteral("</Storyloom>");
}

// The Guids of the materials without their braces, in order.
QStringList guidsOf(const QList<SketchMaterial *> &materials)
{
    QStringList guids;
    for (const SketchMaterial *material : materials)
        guids.append(material->guid().mid(1, material->guid().size() - 2));
    return guids;
}

} // namespace

class TestSketchMaterialFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void newFileIsEmpty();
    void settersKeepValuesAtZeroOrAbove_data();
    void settersKeepValuesAtZeroOrAbove();
    void addMaterialTakesItOver();
    void addMaterialOfAHeldGuidDeletesTheCopy();
    void addMaterialOfTheHeldMaterialKeepsIt();
    void removeMaterialHandsItBack();
    void removeMaterialOfAnotherWithTheSameGuidChangesNothing();
    void clearDeletesEverything();
    void sortByCategory_data();
    void sortByCategory();

    void parseReadsTheRootAndSorts();
    void parseStoresRootValuesAsRead();
    void parseKeepsTheNameUnlessGiven_data();
    void parseKeepsTheNameUnlessGiven();
    void parseOfTextThatIsNotXml_data();
    void parseOfTextThatIsNotXml();
    void parseOfEmptyTextChangesNothing();
    void parseTakesOnlyElementsAsMaterials();
    void parseDropsHeldAndRepeatedGuids();

    void loadReplacesTheContent();
    void loadFailures_data();
    void loadFailures();
    void loadStopsAtTheFirstNul();
    void loadReadsUtf8();

    void saveWritesTheLibraryText();
    void saveWritesUntouchedShapesBackAsRead();
    void shapesOfAnotherLayoutAreWrittenInTheLibrarys_data();
    void shapesOfAnotherLayoutAreWrittenInTheLibrarys();
    void lazilyReadLibraryWritesWhatAFreshOneWrites();
    void changedShapesAreWrittenAfresh();
    void saveOfAnEmptyLibrary();
    void saveLoadSaveGivesTheSameBytes();
    void heldTextsReadBackAsHeld_data();
    void heldTextsReadBackAsHeld();
    void loadKeepsARepeatedGuidUnderANewOne();
    void loadReadsEntitiesTheDocumentTypeDeclares();
    void saveCreatesAMissingFolder();
    void saveFailures_data();
    void saveFailures();
    void categoryOutsideThePagesSurvivesLoadAndSave();
    void failedWriteKeepsTheOldLibrary();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    MaterialCounts m_counts;
};

void TestSketchMaterialFile::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_dir.isValid());
}

void TestSketchMaterialFile::init()
{
    m_counts = MaterialCounts();
}

void TestSketchMaterialFile::cleanup()
{
    const MaterialCounts now;
    QVERIFY2(now == m_counts, qPrintable(describe(now) + " after, " + describe(m_counts) + " before"));
}

void TestSketchMaterialFile::newFileIsEmpty()
{
    const int before = SketchGlobals::MaterialFileCount;
    {
        SketchMaterialFile file(QStringLiteral("Templates"));
        QCOMPARE(SketchGlobals::MaterialFileCount, before + 1);
        QCOMPARE(file.name(), QStringLiteral("Templates"));
        QCOMPARE(file.currency(), 0);
        QCOMPARE(file.price(), 0.0f);
        QVERIFY(file.materials().isEmpty());
        QVERIFY(!file.contains(QString()));
        file.setName(QStringLiteral("Other"));
        QCOMPARE(file.name(), QStringLiteral("Other"));
    }
    QCOMPARE(SketchGlobals::MaterialFileCount, before);
}

void TestSketchMaterialFile::settersKeepValuesAtZeroOrAbove_data()
{
    QTest::addColumn<int>("currency");
    QTest::addColumn<int>("storedCurrency");
    QTest::addColumn<float>("price");
    QTest::addColumn<float>("storedPrice");

    QTest::newRow("negative") << -5 << 0 << -2.0f << 0.0f;
    QTest::newRow("zero") << 0 << 0 << 0.0f << 0.0f;
    QTest::newRow("positive") << 7 << 7 << 9.5f << 9.5f;
    QTest::newRow("not a number") << 1 << 1 << float(std::nan("")) << 0.0f;
}

void TestSketchMaterialFile::settersKeepValuesAtZeroOrAbove()
{
    QFETCH(int, currency);
    QFETCH(int, storedCurrency);
    QFETCH(float, price);
    QFETCH(float, storedPrice);
    SketchMaterialFile file(QStringLiteral("f"));
    file.setCurrency(currency);
    file.setPrice(price);
    QCOMPARE(file.currency(), storedCurrency);
    QCOMPARE(file.price(), storedPrice);
}

void TestSketchMaterialFile::addMaterialTakesItOver()
{
    SketchMaterialFile file(QStringLiteral("f"));
    QVERIFY(!file.addMaterial(nullptr));
    auto *a = new SketchMaterial;
    auto *b = new SketchMaterial;
    QVERIFY(file.addMaterial(a));
    QVERIFY(file.addMaterial(b));
    QCOMPARE(file.materials(), (QList<SketchMaterial *>{a, b}));
    QVERIFY(file.contains(a->guid()));
    QVERIFY(file.contains(b->guid()));
    QVERIFY(!file.contains(QStringLiteral("{unknown}")));
    // The file deletes them (the cleanup counts prove it).
}

void TestSketchMaterialFile::addMaterialOfAHeldGuidDeletesTheCopy()
{
    SketchMaterialFile file(QStringLiteral("f"));
    SketchMaterial *original = makeBoxMaterial(SketchMaterialBubble);
    QVERIFY(file.addMaterial(original));
    const int materials = SketchGlobals::MaterialCount;

    // A copy keeps the Guid, so it cannot stand beside its source.
    QVERIFY(!file.addMaterial(original->clone()));
    QCOMPARE(SketchGlobals::MaterialCount, materials);
    QCOMPARE(file.materials(), QList<SketchMaterial *>{original});

    // The original still owns its Guid: taking it out empties the index.
    file.removeMaterial(original);
    QVERIFY(!file.contains(original->guid()));
    QVERIFY(file.materials().isEmpty());
    delete original;
}

void TestSketchMaterialFile::addMaterialOfTheHeldMaterialKeepsIt()
{
    SketchMaterialFile file(QStringLiteral("f"));
    auto *material = new SketchMaterial;
    QVERIFY(file.addMaterial(material));
    QVERIFY(!file.addMaterial(material));
    QCOMPARE(file.materials(), QList<SketchMaterial *>{material});
    QVERIFY(file.contains(material->guid()));
}

void TestSketchMaterialFile::removeMaterialHandsItBack()
{
    SketchMaterialFile file(QStringLiteral("f"));
    auto *a = new SketchMaterial;
    auto *b = new SketchMaterial;
    file.addMaterial(a);
    file.addMaterial(b);
    file.removeMaterial(nullptr);
    file.removeMaterial(a);
    QCOMPARE(file.materials(), QList<SketchMaterial *>{b});
    QVERIFY(!file.contains(a->guid()));
    QVERIFY(file.contains(b->guid()));
    // Removed, not deleted: it can come back, at the end.
    QVERIFY(file.addMaterial(a));
    QCOMPARE(file.materials(), (QList<SketchMaterial *>{b, a}));
}

void TestSketchMaterialFile::removeMaterialOfAnotherWithTheSameGuidChangesNothing()
{
    SketchMaterialFile file(QStringLiteral("f"));
    auto *held = new SketchMaterial;
    file.addMaterial(held);
    SketchMaterial stranger;
    stranger.setGuid(held->guid());
    file.removeMaterial(&stranger);
    QVERIFY(file.contains(held->guid()));
    QCOMPARE(file.materials(), QList<SketchMaterial *>{held});
}

void TestSketchMaterialFile::clearDeletesEverything()
{
    SketchMaterialFile file(QStringLiteral("f"));
    file.parse(description({"a:0", "b:1", "c:2"}));
    QCOMPARE(SketchGlobals::MaterialCount, m_counts.materials + 3);
    file.clear();
    QCOMPARE(SketchGlobals::MaterialCount, m_counts.materials);
    QVERIFY(file.materials().isEmpty());
    QVERIFY(!file.contains(QStringLiteral("{a}")));
    // The Guids are free again.
    QCOMPARE(file.parse(description({"a:0"})).size(), 1);
}

void TestSketchMaterialFile::sortByCategory_data()
{
    QTest::addColumn<QStringList>("materials");
    QTest::addColumn<QStringList>("sorted");

    QTest::newRow("empty") << QStringList() << QStringList();
    QTest::newRow("one per page, reversed")
        << QStringList{"g:6", "f:5", "e:4", "d:3", "c:2", "b:1", "a:0"}
        << QStringList{"a", "b", "c", "d", "e", "f", "g"};
    QTest::newRow("stable within a page")
        << QStringList{"x:3", "y:0", "z:3", "w:1"} << QStringList{"y", "w", "x", "z"};
    QTest::newRow("other categories after the pages, in their order")
        << QStringList{"p:9", "q:2", "r:-1", "s:6", "t:7"} << QStringList{"q", "s", "p", "r", "t"};
}

void TestSketchMaterialFile::sortByCategory()
{
    QFETCH(QStringList, materials);
    QFETCH(QStringList, sorted);
    SketchMaterialFile file(QStringLiteral("f"));
    for (const QString &entry : materials) {
        auto *material = new SketchMaterial;
        material->setGuid(QLatin1Char('{') + entry.section(QLatin1Char(':'), 0, 0) + QLatin1Char('}'));
        material->setCategory(entry.section(QLatin1Char(':'), 1, 1).toInt());
        QVERIFY(file.addMaterial(material));
    }
    file.sortByCategory();
    QCOMPARE(guidsOf(file.materials()), sorted);
    for (const SketchMaterial *material : file.materials())
        QVERIFY(file.contains(material->guid()));
}

void TestSketchMaterialFile::parseReadsTheRootAndSorts()
{
    SketchMaterialFile file(QStringLiteral("Templates"));
    const QList<SketchMaterial *> added =
        file.parse(description({"first3:3", "zero:0", "second3:3", "one:1"},
                               QStringLiteral("Name=\"Forest\" Price=\"2.5\" Currency=\"3\"")));
    QCOMPARE(guidsOf(added), (QStringList{"first3", "zero", "second3", "one"}));
    QCOMPARE(guidsOf(file.materials()), (QStringList{"zero", "one", "first3", "second3"}));
    QCOMPARE(file.name(), QStringLiteral("Forest"));
    QCOMPARE(file.price(), 2.5f);
    QCOMPARE(file.currency(), 3);
    QCOMPARE(file.materials().first()->shapes().size(), 1);

    // A second description joins the first, regrouped with it.
    const QList<SketchMaterial *> more = file.parse(description({"two:2", "zero2:0"}));
    QCOMPARE(guidsOf(more), (QStringList{"two", "zero2"}));
    QCOMPARE(guidsOf(file.materials()), (QStringList{"zero", "zero2", "one", "two", "first3", "second3"}));
}

void TestSketchMaterialFile::parseStoresRootValuesAsRead()
{
    SketchMaterialFile file(QStringLiteral("f"));
    file.parse(description({"a:0"}, QStringLiteral("Price=\"-2\" Currency=\"-1\"")));
    QCOMPARE(file.price(), -2.0f);
    QCOMPARE(file.currency(), -1);
    // Missing values are 0, whatever was there before.
    file.setPrice(4.0f);
    file.setCurrency(4);
    file.parse(description({"b:0"}));
    QCOMPARE(file.price(), 0.0f);
    QCOMPARE(file.currency(), 0);
}

void TestSketchMaterialFile::parseKeepsTheNameUnlessGiven_data()
{
    QTest::addColumn<QString>("rootAttributes");
    QTest::addColumn<QString>("name");
    QTest::newRow("no name") << QString() << "Templates";
    QTest::newRow("empty name") << "Name=\"\"" << "Templates";
    QTest::newRow("a name") << "Name=\"Sea\"" << "Sea";
}

void TestSketchMaterialFile::parseKeepsTheNameUnlessGiven()
{
    QFETCH(QString, rootAttributes);
    QFETCH(QString, name);
    SketchMaterialFile file(QStringLiteral("Templates"));
    file.parse(description({"a:0"}, rootAttributes));
    QCOMPARE(file.name(), name);
}

void TestSketchMaterialFile::parseOfTextThatIsNotXml_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("plain text") << "no XML here";
    QTest::newRow("cut short") << description({"a:0", "b:1"}, "Name=\"Cut\" Price=\"3\"").chopped(20);
    QTest::newRow("two roots") << description({"a:0"}) + description({"b:0"});
}

void TestSketchMaterialFile::parseOfTextThatIsNotXml()
{
    QFETCH(QString, text);
    SketchMaterialFile file(QStringLiteral("Templates"));
    file.setPrice(5.0f);
    file.setCurrency(5);
    QVERIFY(file.parse(text).isEmpty());
    QVERIFY(file.materials().isEmpty());
    QCOMPARE(file.name(), QStringLiteral("Templates"));
    QCOMPARE(file.price(), 0.0f);
    QCOMPARE(file.currency(), 0);
}

void TestSketchMaterialFile::parseOfEmptyTextChangesNothing()
{
    SketchMaterialFile file(QStringLiteral("Templates"));
    file.parse(description({"a:0"}, QStringLiteral("Price=\"5\"")));
    QVERIFY(file.parse(QString()).isEmpty());
    QCOMPARE(file.price(), 5.0f);
    QCOMPARE(guidsOf(file.materials()), QStringList{"a"});
}

void TestSketchMaterialFile::parseTakesOnlyElementsAsMaterials()
{
    SketchMaterialFile file(QStringLiteral("f"));
    const QString text = QStringLiteral("<Storyloom>junk<!-- note --><?pi data?>")
        + materialElement(QStringLiteral("a"), 1, QStringLiteral("Anything"))
        + QStringLiteral("<![CDATA[more junk]]>text")
        + materialElement(QStringLiteral("b"), 0) + QStringLiteral("tail</Storyloom>");
    const QList<SketchMaterial *> added = file.parse(text);
    QCOMPARE(guidsOf(added), (QStringList{"a", "b"}));
    QCOMPARE(guidsOf(file.materials()), (QStringList{"b", "a"}));
    QCOMPARE(SketchGlobals::MaterialCount, m_counts.materials + 2);
}

void TestSketchMaterialFile::parseDropsHeldAndRepeatedGuids()
{
    SketchMaterialFile file(QStringLiteral("f"));
    file.parse(description({"a:2"}));
    SketchMaterial *held = file.materials().first();
    const QList<SketchMaterial *> added = file.parse(description({"a:0", "b:1", "b:3", "c:1"}));
    QCOMPARE(guidsOf(added), (QStringList{"b", "c"}));
    QCOMPARE(guidsOf(file.materials()), (QStringList{"b", "c", "a"}));
    // The held one is unchanged, the rejected ones are gone.
    QCOMPARE(file.materials().last(), held);
    QCOMPARE(held->category(), 2);
    QCOMPARE(SketchGlobals::MaterialCount, m_counts.materials + 3);
}

void TestSketchMaterialFile::loadReplacesTheContent()
{
    QVERIFY(writeFileBytes(path("load.xml"), description({"new:1"}).toUtf8()));
    SketchMaterialFile file(QStringLiteral("Templates"));
    file.parse(description({"old:0"}, QStringLiteral("Price=\"7\" Currency=\"2\"")));
    QVERIFY(file.load(path("load.xml")));
    QCOMPARE(guidsOf(file.materials()), QStringList{"new"});
    QVERIFY(!file.contains(QStringLiteral("{old}")));
    // The library's root has no name, price or currency.
    QCOMPARE(file.name(), QStringLiteral("Templates"));
    QCOMPARE(file.price(), 0.0f);
    QCOMPARE(file.currency(), 0);
}

void TestSketchMaterialFile::loadFailures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("empty path") << QString() << QByteArray();
    QTest::newRow("missing file") << "missing.xml" << QByteArray();
    QTest::newRow("a folder") << "." << QByteArray();
    QTest::newRow("empty file") << "empty.xml" << QByteArray("");
    QTest::newRow("not XML") << "junk.xml" << QByteArray("\x01\x02 not xml");
    QTest::newRow("cut short") << "cut.xml" << description({"a:0", "b:1"}).toUtf8().left(90);
}

void TestSketchMaterialFile::loadFailures()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QString file = name.isEmpty() ? QString() : path(name);
    if (!bytes.isNull())
        QVERIFY(writeFileBytes(file, bytes));
    SketchMaterialFile library(QStringLiteral("Templates"));
    library.parse(description({"old:0"}));
    QVERIFY(!library.load(file));
    QVERIFY(library.materials().isEmpty());
    QVERIFY(!library.contains(QStringLiteral("{old}")));
}

void TestSketchMaterialFile::loadStopsAtTheFirstNul()
{
    QByteArray bytes = description({"a:0"}).toUtf8();
    bytes += QByteArray("\0<garbage", 9);
    QVERIFY(writeFileBytes(path("nul.xml"), bytes));
    SketchMaterialFile file(QStringLiteral("Templates"));
    QVERIFY(file.load(path("nul.xml")));
    QCOMPARE(guidsOf(file.materials()), QStringList{"a"});
}

void TestSketchMaterialFile::loadReadsUtf8()
{
    const QString name = QStringLiteral("Wolke \u2601 \u00e9t\u00e9");
    QVERIFY(writeFileBytes(path("utf8.xml"),
                           (QStringLiteral("<Storyloom><Material Guid=\"{u}\" Name=\"") + name
                            + QStringLiteral("\"/></Storyloom>")).toUtf8()));
    SketchMaterialFile file(QStringLiteral("Templates"));
    QVERIFY(file.load(path("utf8.xml")));
    QCOMPARE(file.materials().first()->name(), name);
}

namespace {

// A description whose material content is not in the library's own layout:
// attributes out of order, no indentation, a comment and a shape element of
// a kind this program does not know.
const QString ForeignDescription = QStringLiteral(
    "<Storyloom Name=\"Not written\" Price=\"3\" Currency=\"1\">"
    "<Material Size=\"100,50\" Name=\"Box &amp; line\" Guid=\"{g}\" Category=\"2\">"
    "<Shape Points=\"0,0;100,0;100,50;0,50\" Behavior=\"1\"/><!-- note -->"
    "<Sparkle Points=\"1,1\"/>"
    "<Shape Closed=\"0\" Points=\"0,0;100,50\"/>"
    "</Material>"
    "<Material Guid=\"{h}\" Category=\"0\" Size=\"-1,-1\"/>"
    "</Storyloom>");

} // namespace

void TestSketchMaterialFile::saveWritesTheLibraryText()
{
    SketchMaterialFile file(QStringLiteral("Templates"));
    file.parse(ForeignDescription);
    // Taking the shapes makes them the material's own: they are written
    // afresh, in the library's layout, without what was not a shape.
    for (SketchMaterial *material : file.materials())
        QVERIFY(material->shapes().size() <= 2);
    QVERIFY(file.save(path("library.xml")));
    const QByteArray expected =
        "<Storyloom>\n"
        "    <Material Guid=\"{h}\" Category=\"0\" Size=\"-1,-1\"/>\n"
        "    <Material Guid=\"{g}\" Name=\"Box &amp; line\" Category=\"2\" Size=\"100,50\">\n"
        "        <Shape Behavior=\"1\" Points=\"0,0;100,0;100,50;0,50\"/>\n"
        "        <Shape Closed=\"0\" Points=\"0,0;100,50\"/>\n"
        "    </Material>\n"
        "</Storyloom>\n";
    QCOMPARE(readFileBytes(path("library.xml")), expected);
    QCOMPARE(file.toLibraryText(), expected);
}

void TestSketchMaterialFile::saveWritesUntouchedShapesBackAsRead()
{
    // Laid out as the library is, attributes in any order: kept as read.
    const QByteArray shapes = "\n"
                              "        <Shape Points=\"0,0;100,0;100,50;0,50\" Behavior=\"1\"/>\n"
                              "        <Group Points=\"0,0;10,0;10,10;0,10\">\n"
                              "            <Shape Closed=\"0\" Points=\"0,0;10,10\"/>\n"
                              "        </Group>\n"
                              "    ";
    QVERIFY(writeFileBytes(path("kept.xml"), "<Storyloom>\n    <Material Size=\"100,50\" Guid=\"{g}\">" + shapes
                                                 + "</Material>\n</Storyloom>\n"));
    SketchMaterialFile file(QStringLiteral("Templates"));
    QVERIFY(file.load(path("kept.xml")));
    SketchMaterial *g = file.materials().last();
    // Painting reads the shapes without taking them; a new name and category
    // are written afresh all the same.
    std::unique_ptr<QImage> image(g->renderImage(40, 40));
    QCOMPARE(inkedBox(*image).isEmpty(), false);
    g->setName(QStringLiteral("Renamed"));
    g->setCategory(5);
    const QByteArray expected = "<Storyloom>\n"
                                "    <Material Guid=\"{g}\" Name=\"Renamed\" Category=\"5\" Size=\"100,50\">"
        + shapes + "</Material>\n</Storyloom>\n";
    QCOMPARE(file.toLibraryText(), expected);

    // What was saved reads back to the same materials.
    QVERIFY(file.save(path("kept.xml")));
    SketchMaterialFile back(QStringLiteral("Templates"));
    QVERIFY(back.load(path("kept.xml")));
    const SketchMaterial *readBack = back.materials().first();
    QCOMPARE(readBack->shapes().size(), 2);
    QCOMPARE(back.toLibraryText(), expected);
}

// Shapes read in another layout (a catalogue's file, a hand edit) are
// written in the library's, as freshly made ones are; what is no shape goes.
void TestSketchMaterialFile::shapesOfAnotherLayoutAreWrittenInTheLibrarys_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("one line") << QByteArray("<Shape Points=\"0,0;1,1\"/><Group Points=\"0,0;1,0;1,1;0,1\"><Shape Points=\"0,0;1,1\"/></Group>");
    QTest::newRow("indented by two") << QByteArray("\n  <Shape Points=\"0,0;1,1\"/>\n  <Group Points=\"0,0;1,0;1,1;0,1\">\n    <Shape Points=\"0,0;1,1\"/>\n  </Group>\n");
    QTest::newRow("tabs") << QByteArray("\n\t\t<Shape Points=\"0,0;1,1\"/>\n\t\t<Group Points=\"0,0;1,0;1,1;0,1\">\n\t\t\t<Shape Points=\"0,0;1,1\"/>\n\t\t</Group>\n\t");
    QTest::newRow("Windows line ends") << QByteArray("\r\n        <Shape Points=\"0,0;1,1\"/>\r\n        <Group Points=\"0,0;1,0;1,1;0,1\">\r\n            <Shape Points=\"0,0;1,1\"/>\r\n        </Group>\r\n    ");
    QTest::newRow("a comment and a stranger") << QByteArray("\n        <Shape Points=\"0,0;1,1\"/><!-- note -->\n        <Sparkle/>\n        <Group Points=\"0,0;1,0;1,1;0,1\">\n            <Shape Points=\"0,0;1,1\"/>\n        </Group>\n    ");
    QTest::newRow("a tag over two lines") << QByteArray("\n        <Shape\n Points=\"0,0;1,1\"/>\n        <Group Points=\"0,0;1,0;1,1;0,1\">\n            <Shape Points=\"0,0;1,1\"/>\n        </Group>\n    ");
}

void TestSketchMaterialFile::shapesOfAnotherLayoutAreWrittenInTheLibrarys()
{
    QFETCH(QByteArray, content);
    QVERIFY(writeFileBytes(path("foreign.xml"), "<Storyloom><Material Guid=\"{f}\" Size=\"1,1\">" + content
                                                    + "</Material><Material Guid=\"{e}\">\n  </Material></Storyloom>"));
    SketchMaterialFile file(QStringLiteral("Templates"));
    QVERIFY(file.load(path("foreign.xml")));
    const QByteArray expected = "<Storyloom>\n"
                                "    <Material Guid=\"{f}\" Category=\"0\" Size=\"1,1\">\n"
                                "        <Shape Points=\"0,0;1,1\"/>\n"
                                "        <Group Points=\"0,0;1,0;1,1;0,1\">\n"
                                "            <Shape Points=\"0,0;1,1\"/>\n"
                                "        </Group>\n"
                                "    </Material>\n"
                                "    <Material Guid=\"{e}\" Category=\"0\" Size=\"-1,-1\"/>\n"
                                "</Storyloom>\n";
    QCOMPARE(file.toLibraryText(), expected);
}

void TestSketchMaterialFile::lazilyReadLibraryWritesWhatAFreshOneWrites()
{
    // A library written by this program, loaded and saved without its shapes
    // being read, gives the same bytes as the same library read in full.
    SketchMaterialFile file(QStringLiteral("Templates"));
    for (int i = 0; i < 12; ++i) {
        QDomDocument document;
        std::unique_ptr<SketchShape> group(createSketchShape(QStringLiteral("Group"), nullptr));
        group->readXml(parseElement(document, QStringLiteral(
            "<Group Points=\"0,0;20,0;20,20;0,20\"><Shape Text=\"a&#xa;b &amp; c\" Points=\"0,0;20,20\"/></Group>")));
        std::unique_ptr<SketchShape> box(makeFilledBox(QRectF(i, 2 * i, 10 + i, 5), QColor(20 * i, 0, 0)));
        auto *material = new SketchMaterial(i % 9, {group.get(), box.get()}, true);
        material->setName(QStringLiteral("n\"%1\" <&>\t\u00e9").arg(i));
        QVERIFY(file.addMaterial(material));
    }
    const QByteArray fresh = file.toLibraryText();
    QVERIFY(writeFileBytes(path("fresh.xml"), fresh));

    SketchMaterialFile lazy(QStringLiteral("Templates"));
    QVERIFY(lazy.load(path("fresh.xml")));
    SketchMaterialFile full(QStringLiteral("Templates"));
    QVERIFY(full.load(path("fresh.xml")));
    for (SketchMaterial *material : full.materials())
        material->shapes();
    QCOMPARE(lazy.toLibraryText(), full.toLibraryText());
    QCOMPARE(guidsOf(lazy.materials()), guidsOf(full.materials()));
}

void TestSketchMaterialFile::changedShapesAreWrittenAfresh()
{
    // Loaded, and made here and saved once: both keep the text of their
    // shapes, which must not outlive a change of the shapes.
    QVERIFY(writeFileBytes(path("change.xml"), description({"loaded:0"}).toUtf8()));
    SketchMaterialFile file(QStringLiteral("Templates"));
    QVERIFY(file.load(path("change.xml")));
    QVERIFY(file.addMaterial(makeBoxMaterial(1)));
    QVERIFY(file.save(path("change.xml")));
    for (SketchMaterial *material : file.materials())
        material->shapes().first()->translate(7, 3);
    QVERIFY(file.save(path("change.xml")));

    SketchMaterialFile back(QStringLiteral("Templates"));
    QVERIFY(back.load(path("change.xml")));
    QCOMPARE(back.materials().size(), 2);
    for (SketchMaterial *material : back.materials())
        QCOMPARE(pointsOf(material->shapes().first()).first(), QPointF(7, 3));
}

void TestSketchMaterialFile::saveOfAnEmptyLibrary()
{
    SketchMaterialFile file(QStringLiteral("Templates"));
    QVERIFY(file.save(path("empty-library.xml")));
    QCOMPARE(readFileBytes(path("empty-library.xml")), QByteArray("<Storyloom/>\n"));
    SketchMaterialFile back(QStringLiteral("Templates"));
    QVERIFY(back.load(path("empty-library.xml")));
    QVERIFY(back.materials().isEmpty());
}

void TestSketchMaterialFile::saveLoadSaveGivesTheSameBytes()
{
    SketchMaterialFile file(QStringLiteral("Templates"));
    for (int category = 0; category < 7; ++category) {
        SketchMaterial *material = makeBoxMaterial(category, QSizeF(10 + category, 20), QStringLiteral("m%1").arg(category));
        material->shapes().first()->setText(QStringLiteral("line\nbreak \"quoted\" <tag> & tab\t"));
        material->shapes().first()->setRotatePoint(QPointF(5, 5));
        material->shapes().first()->setRotateAngle(0.125f);
        QVERIFY(file.addMaterial(material));
    }
    QVERIFY(file.save(path("first.xml")));
    SketchMaterialFile back(QStringLiteral("Templates"));
    QVERIFY(back.load(path("first.xml")));
    QCOMPARE(guidsOf(back.materials()), guidsOf(file.materials()));
    QCOMPARE(back.materials().at(3)->shapes().first()->text(), file.materials().at(3)->shapes().first()->text());
    QVERIFY(back.save(path("second.xml")));
    QCOMPARE(readFileBytes(path("second.xml")), readFileBytes(path("first.xml")));
}

// Guids and names as a library holds them after a load, in file order.
QStringList heldTexts(const SketchMaterialFile &file)
{
    QStringList texts;
    for (const SketchMaterial *material : file.materials())
        texts.append(material->guid() + QLatin1Char('|') + material->name());
    return texts;
}

// Whatever a library holds after a load is what its save writes: the next
// load holds the same materials under the same Guids and names, and saves
// the same bytes. Characters the writer leaves out are not held; a U+FEFF
// is a character like any other.
void TestSketchMaterialFile::heldTextsReadBackAsHeld_data()
{
    QTest::addColumn<QByteArray>("materials");
    QTest::addColumn<int>("count");
    QTest::newRow("Guids apart by a control character")
        << QByteArray("<Material Guid=\"{a}&#1;\"/><Material Guid=\"{a}\" Name=\"second\"/>") << 2;
    QTest::newRow("Guid of control characters only") << QByteArray("<Material Guid=\"&#1;&#x1f;\" Name=\"x\"/>") << 1;
    QTest::newRow("raw control characters") << QByteArray("<Material Guid=\"{b}\x02\" Name=\"n\x7\x10\"/><Material Guid=\"{b}\"/>") << 2;
    QTest::newRow("unpaired surrogates and non-characters")
        << QByteArray("<Material Guid=\"{c}&#xD800;&#xFFFE;\" Name=\"&#xDC00;n&#xFFFF;\"/><Material Guid=\"{c}\"/>") << 2;
    QTest::newRow("byte order mark first")
        << QByteArray("<Material Guid=\"\xEF\xBB\xBF{d}\" Name=\"\xEF\xBB\xBFn\"/><Material Guid=\"{d}\"/>") << 2;
    QTest::newRow("byte order mark after a reference")
        << QByteArray("<Material Guid=\"&amp;\xEF\xBB\xBF\"/><Material Guid=\"&amp;\"/>") << 2;
    QTest::newRow("line breaks and tabs") << QByteArray("<Material Guid=\"{e}&#xa;\" Name=\"a&#9;b&#xd;\"/><Material Guid=\"{e}\"/>") << 2;
}

void TestSketchMaterialFile::heldTextsReadBackAsHeld()
{
    QFETCH(QByteArray, materials);
    QFETCH(int, count);
    QVERIFY(writeFileBytes(path("held.xml"), "<Storyloom>" + materials + "</Storyloom>"));
    SketchMaterialFile file(QStringLiteral("Templates"));
    QVERIFY(file.load(path("held.xml")));
    QCOMPARE(file.materials().size(), count);
    for (const SketchMaterial *material : file.materials())
        QVERIFY(!material->guid().isEmpty());
    QVERIFY(file.save(path("first.xml")));

    SketchMaterialFile back(QStringLiteral("Templates"));
    QVERIFY(back.load(path("first.xml")));
    QCOMPARE(heldTexts(back), heldTexts(file));
    QVERIFY(back.save(path("second.xml")));
    QCOMPARE(readFileBytes(path("second.xml")), readFileBytes(path("first.xml")));
}

// A library that holds a Guid twice (an edit by hand, an older copy) loses
// neither material; a description read for import still skips the second.
void TestSketchMaterialFile::loadKeepsARepeatedGuidUnderANewOne()
{
    QVERIFY(writeFileBytes(path("twice.xml"), "<Storyloom><Material Guid=\"{a}\" Name=\"one\"/>"
                                              "<Material Guid=\"{a}\" Name=\"two\"/></Storyloom>"));
    SketchMaterialFile file(QStringLiteral("Templates"));
    QVERIFY(file.load(path("twice.xml")));
    QCOMPARE(file.materials().size(), 2);
    QCOMPARE(file.materials().at(0)->guid(), QStringLiteral("{a}"));
    QCOMPARE(file.materials().at(0)->name(), QStringLiteral("one"));
    QCOMPARE(file.materials().at(1)->name(), QStringLiteral("two"));
    const QString renewed = file.materials().at(1)->guid();
    QVERIFY(!QUuid::fromString(renewed).isNull());
    QVERIFY(file.contains(renewed));

    SketchMaterialFile imported(QStringLiteral("f"));
    imported.parse(QString::fromUtf8(readFileBytes(path("twice.xml"))));
    QCOMPARE(imported.materials().size(), 1);
}

// The entities of a document type stand for their text, in the materials'
// attributes and in their shapes; the save writes that text.
void TestSketchMaterialFile::loadReadsEntitiesTheDocumentTypeDeclares()
{
    QVERIFY(writeFileBytes(path("entities.xml"),
                           "<!DOCTYPE Storyloom [<!ENTITY cat \"Cat ] &amp; mouse\">]>\n"
                           "<Storyloom><Material Guid=\"{a}\" Name=\"&cat;\" Size=\"1,1\">"
                           "<Shape Text=\"&cat;\" Points=\"0,0;1,1\"/></Material></Storyloom>\n"));
    SketchMaterialFile file(QStringLiteral("Templates"));
    QVERIFY(file.load(path("entities.xml")));
    QCOMPARE(file.materials().size(), 1);
    const SketchMaterial *material = file.materials().first();
    QCOMPARE(material->name(), QStringLiteral("Cat ] & mouse"));
    QCOMPARE(material->shapes().size(), 1);
    QCOMPARE(material->shapes().first()->text(), QStringLiteral("Cat ] & mouse"));
    QCOMPARE(file.toLibraryText(), QByteArray("<Storyloom>\n"
                                              "    <Material Guid=\"{a}\" Name=\"Cat ] &amp; mouse\" Category=\"0\" Size=\"1,1\">\n"
                                              "        <Shape Points=\"0,0;1,1\" Text=\"Cat ] &amp; mouse\"/>\n"
                                              "    </Material>\n"
                                              "</Storyloom>\n"));
}

void TestSketchMaterialFile::saveCreatesAMissingFolder()
{
    SketchMaterialFile file(QStringLiteral("Templates"));
    file.parse(description({"a:0"}));
    const QString target = path("new-folder/Templates.xml");
    QVERIFY(!QFileInfo::exists(path("new-folder")));
    QVERIFY(file.save(target));
    SketchMaterialFile back(QStringLiteral("Templates"));
    QVERIFY(back.load(target));
    QCOMPARE(guidsOf(back.materials()), QStringList{"a"});
}

void TestSketchMaterialFile::saveFailures_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("empty path") << QString();
    QTest::newRow("two missing folders") << "missing/deeper/Templates.xml";
    QTest::newRow("a folder") << "folder";
}

void TestSketchMaterialFile::saveFailures()
{
    QFETCH(QString, name);
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("folder")));
    SketchMaterialFile file(QStringLiteral("Templates"));
    file.parse(description({"a:0"}));
    QVERIFY(!file.save(name.isEmpty() ? QString() : path(name)));
    QVERIFY(!QFileInfo::exists(path("missing")));
}

void TestSketchMaterialFile::categoryOutsideThePagesSurvivesLoadAndSave()
{
    QVERIFY(writeFileBytes(path("nine.xml"), description({"nine:9", "one:1"}).toUtf8()));
    SketchMaterialFile file(QStringLiteral("Templates"));
    QVERIFY(file.load(path("nine.xml")));
    QCOMPARE(guidsOf(file.materials()), (QStringList{"one", "nine"}));
    QVERIFY(file.save(path("nine.xml")));
    QVERIFY(file.load(path("nine.xml")));
    QCOMPARE(guidsOf(file.materials()), (QStringList{"one", "nine"}));
    QCOMPARE(file.materials().last()->category(), 9);
}

void TestSketchMaterialFile::failedWriteKeepsTheOldLibrary()
{
    const QByteArray old = description({"old:0"}).toUtf8();
    QVERIFY(writeFileBytes(path("keep.xml"), old));
    SketchMaterialFile file(QStringLiteral("Templates"));
    for (int i = 0; i < 40; ++i)
        QVERIFY(file.addMaterial(makeBoxMaterial(i % 7, QSizeF(10, 10), QStringLiteral("material %1").arg(i))));
    QVERIFY(file.toLibraryText().size() > 4096);

    bool written = true;
    {
        FileSizeLimit limit(1024);
        QVERIFY(limit.isActive());
        written = file.save(path("keep.xml"));
    }

    QVERIFY(!written);
    QCOMPARE(readFileBytes(path("keep.xml")), old);
    // Nothing is left behind beside it.
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files).filter(QStringLiteral("keep")).size(), 1);
    QVERIFY(file.save(path("keep.xml")));
    QCOMPARE(readFileBytes(path("keep.xml")), file.toLibraryText());
}

QTEST_MAIN(TestSketchMaterialFile)
#include "tst_sketchmaterialfile.moc"
