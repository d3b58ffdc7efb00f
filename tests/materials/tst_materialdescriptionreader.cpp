// The description reader against the XML parser as oracle: a table of
// tricky texts and seeded random descriptions, whole, cut short and with
// bytes changed. Wherever the parser takes a text, the reader must take it
// too and give the same root, entries and contents; where it refuses, so
// must the reader.
#include "materials/descriptionoracle.h"
#include "materials/materialdescriptionreader.h"

#include <QDomDocument>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QtTest>

#include <algorithm>

namespace {

// A random element tree as the XML writer writes it, with comments,
// processing instructions, CDATA and text among the elements.
void addRandomChildren(QDomDocument &document, QDomElement &parent, QRandomGenerator &random, int depth)
{
    static const QStringList tags = {"Material", "Shape", "Group", "Fill", "Stroke", "x:Frame", "_a.b-c"};
    static const QStringList values = {"", "plain", "a & b", "<tag>", "\"quoted\"", "'single'", "line\nbreak",
                                       "tab\there", "\u00e9t\u00e9 \u2601", "]]", "--", "&amp;", "100,50"};
    const int count = random.bounded(depth == 0 ? 6 : 4);
    for (int i = 0; i < count; ++i) {
        switch (random.bounded(8)) {
        case 0:
            parent.appendChild(document.createComment(QStringLiteral(" note %1 ").arg(i)));
            break;
        case 1:
            parent.appendChild(document.createProcessingInstruction(QStringLiteral("pi"), QStringLiteral("data")));
            break;
        case 2:
            parent.appendChild(document.createCDATASection(QStringLiteral("raw <data> & more")));
            break;
        case 3:
            parent.appendChild(document.createTextNode(values.at(random.bounded(values.size()))));
            break;
        default: {
            QDomElement child = document.createElement(tags.at(random.bounded(tags.size())));
            const int attributes = random.bounded(4);
            for (int a = 0; a < attributes; ++a)
                child.setAttribute(QStringLiteral("A%1").arg(a), values.at(random.bounded(values.size())));
            if (depth < 4)
                addRandomChildren(document, child, random, depth + 1);
            parent.appendChild(child);
            break;
        }
        }
    }
}

QByteArray randomDescription(QRandomGenerator &random)
{
    QDomDocument document;
    if (random.bounded(3) == 0)
        document.appendChild(document.createProcessingInstruction(QStringLiteral("xml"),
                                                                  QStringLiteral("version=\"1.0\" encoding=\"UTF-8\"")));
    QDomElement root = document.createElement(QStringLiteral("Storyloom"));
    if (random.bounded(2) == 0)
        root.setAttribute(QStringLiteral("Name"), QStringLiteral("Forest & <sea>"));
    if (random.bounded(2) == 0)
        root.setAttribute(QStringLiteral("Price"), QStringLiteral("2.5"));
    document.appendChild(root);
    addRandomChildren(document, root, random, 0);
    if (random.bounded(4) == 0)
        document.appendChild(document.createComment(QStringLiteral(" after ")));
    return document.toByteArray(random.bounded(2) == 0 ? 4 : -1);
}

} // namespace

class TestMaterialDescriptionReader : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void agreesWithTheParser_data();
    void agreesWithTheParser();
    void agreesOnRandomDescriptions();
    void keepsTheContentAsItStands();
    void refusesContentNestedTooDeeply();
    void skipsAByteOrderMark();
    void readsCharactersBeyondTheBasicPlane();
    void entitiesStandForABoundedText_data();
    void entitiesStandForABoundedText();
};

void TestMaterialDescriptionReader::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestMaterialDescriptionReader::agreesWithTheParser_data()
{
    QTest::addColumn<QByteArray>("text");

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("white space") << QByteArray(" \n\t ");
    QTest::newRow("text only") << QByteArray("no XML here");
    QTest::newRow("root closes itself") << QByteArray("<Storyloom/>");
    QTest::newRow("declaration and comments") << QByteArray(
        "<?xml version=\"1.0\"?>\n<!-- a -->\n<Storyloom Name=\"n\"><M Guid=\"{a}\"/></Storyloom>\n<!-- b -->\n");
    QTest::newRow("document type") << QByteArray("<!DOCTYPE Storyloom>\n<Storyloom><M/></Storyloom>");
    QTest::newRow("single quotes and > in values")
        << QByteArray("<R a='x > \"y\"'><M b='1' c=\"a>b\"><S d='&apos;'/></M></R>");
    QTest::newRow("references") << QByteArray(
        "<R><M Name=\"&amp;&lt;&gt;&quot;&apos;&#65;&#x42;&#x2601;\">&amp; text &#x9;</M></R>");
    QTest::newRow("white space in values") << QByteArray("<R><M Name=\"a\nb\tc\r\nd&#xa;e\"/></R>");
    QTest::newRow("space around =, in end tags") << QByteArray("<R ><M a = \"1\" ><S/ ></M ></R >");
    QTest::newRow("CDATA and text between materials")
        << QByteArray("<R>junk<![CDATA[<M/>]]><M a=\"1\"><![CDATA[x]]></M>tail</R>");
    QTest::newRow("processing instruction inside") << QByteArray("<R><?pi x?><M><?pi <y>?></M></R>");
    QTest::newRow("unknown entity") << QByteArray("<R><M Name=\"&nbsp;\"/></R>");
    QTest::newRow("unknown entity in content") << QByteArray("<R><M><S>&copy;</S></M></R>");
    QTest::newRow("bare ampersand") << QByteArray("<R><M Name=\"a & b\"/></R>");
    QTest::newRow("reference to no character") << QByteArray("<R><M Name=\"&#0;\"/></R>");
    QTest::newRow("reference to a surrogate") << QByteArray("<R><M Name=\"&#xD800;\"/></R>");
    QTest::newRow("reference without end") << QByteArray("<R><M Name=\"&amp\"/></R>");
    QTest::newRow("< in a value") << QByteArray("<R><M Name=\"a<b\"/></R>");
    QTest::newRow("unquoted value") << QByteArray("<R><M Name=a/></R>");
    QTest::newRow("missing =") << QByteArray("<R><M Name \"a\"/></R>");
    QTest::newRow("no space between attributes") << QByteArray("<R><M a=\"1\"b=\"2\"/></R>");
    QTest::newRow("duplicate attribute of a material") << QByteArray("<R><M a=\"1\" a=\"2\"/></R>");
    QTest::newRow("duplicate attribute of the root") << QByteArray("<R a=\"1\" a=\"2\"/>");
    QTest::newRow("mismatched end tag") << QByteArray("<R><M><S></T></M></R>");
    QTest::newRow("end tag too early") << QByteArray("<R><M></R></M>");
    QTest::newRow("root never closed") << QByteArray("<R><M/>");
    QTest::newRow("content never closed") << QByteArray("<R><M><S>");
    QTest::newRow("comment never closed") << QByteArray("<R><!-- x </R>");
    QTest::newRow("double hyphen in a comment") << QByteArray("<R><!-- a -- b --></R>");
    QTest::newRow("CDATA never closed") << QByteArray("<R><M><![CDATA[x</M></R>");
    QTest::newRow("instruction never closed") << QByteArray("<R><M><?pi x</M></R>");
    QTest::newRow("two roots") << QByteArray("<R/><R/>");
    QTest::newRow("text after the root") << QByteArray("<R/>tail");
    QTest::newRow("text before the root") << QByteArray("head<R/>");
    QTest::newRow("name starting with a digit") << QByteArray("<R><1M/></R>");
    QTest::newRow("name with a bang") << QByteArray("<R><M!/></R>");
    QTest::newRow("empty name") << QByteArray("<R>< a=\"1\"/></R>");
    QTest::newRow("markup declaration inside") << QByteArray("<R><!ELEMENT M ANY></R>");
    QTest::newRow("non-ASCII names and values")
        << QByteArray("<R><M\xc3\xa9 N=\"\xe2\x98\x81\"><S\xc3\xa9/></M\xc3\xa9></R>");
    QTest::newRow("prefixed names") << QByteArray("<R xmlns:x=\"u\"><x:M x:a=\"1\"/></R>");
    QTest::newRow("unknown entity with a long name")
        << QByteArray("<R><M Name=\"&a123456789b123456789c123456789d123456789;\">&e123456789f123456789g123456789h;</M></R>");
    QTest::newRow("character references with many digits")
        << QByteArray("<R><M Name=\"&#00000000000000065;&#x000000000042;\">&#0000000067;</M></R>");
    QTest::newRow("character reference with a number too large") << QByteArray("<R><M Name=\"&#99999999999;\"/></R>");
    QTest::newRow("character reference in upper-case hex") << QByteArray("<R><M Name=\"&#X41;\"/></R>");
    QTest::newRow("byte order marks in values")
        << QByteArray("<R N=\"\xEF\xBB\xBFr\"><M Guid=\"\xEF\xBB\xBF{a}\" Name=\"&amp;\xEF\xBB\xBF" "b\"/></R>");
    QTest::newRow("declared entities")
        << QByteArray("<!DOCTYPE R [<!ENTITY e \"text\"><!ENTITY f \"x&e;y\">]>"
                      "<R Name=\"&e;\"><M Name=\"&f;\"><S a=\"&e;\">&f;</S></M></R>");
    QTest::newRow("entity of markup") << QByteArray("<!DOCTYPE R [<!ENTITY e '<S a=\"1\"/>'>]><R><M>&e;</M></R>");
    QTest::newRow("] in a quoted value of the subset")
        << QByteArray("<!DOCTYPE R [<!ENTITY e \"a]b\"><!ENTITY f 'c]>d'>]><R><M Name=\"&e;&f;\"/></R>");
    QTest::newRow("] in a comment and an instruction of the subset")
        << QByteArray("<!DOCTYPE R [<!-- ] --><?pi ]?><!ENTITY e 'v'>]><R><M Name=\"&e;\"/></R>");
    QTest::newRow("] in the external identifier")
        << QByteArray("<!DOCTYPE R PUBLIC 'a' 'x]y>z.dtd' [<!ENTITY e 'v'>]><R><M Name=\"&e;\"/></R>");
    QTest::newRow("external identifier only") << QByteArray("<!DOCTYPE R SYSTEM 'x.dtd'><R><M Name=\"&e;\"/></R>");
    QTest::newRow("recursive entity") << QByteArray("<!DOCTYPE R [<!ENTITY e 'x&e;'>]><R><M Name=\"&e;\"/></R>");
    QTest::newRow("markup entity in a value") << QByteArray("<!DOCTYPE R [<!ENTITY e '<S/>'>]><R><M Name=\"&e;\"/></R>");
    QTest::newRow("junk in the subset") << QByteArray("<!DOCTYPE R [ junk ]><R/>");
    QTest::newRow("second document type") << QByteArray("<!DOCTYPE R><R/><!DOCTYPE R>");
    QTest::newRow("encoding other than UTF-8 declared")
        << QByteArray("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><R><M Name=\"\xc3\xa9\"/></R>");
}

void TestMaterialDescriptionReader::agreesWithTheParser()
{
    QFETCH(QByteArray, text);
    const QString difference = compareReaderWithParser(text);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void TestMaterialDescriptionReader::agreesOnRandomDescriptions()
{
    static const char mutations[] = "<>&\"'/=!?-[]; \n#";
    QRandomGenerator random(20240611);
    int refused = 0;
    for (int round = 0; round < 500; ++round) {
        const QByteArray text = randomDescription(random);
        QString difference = compareReaderWithParser(text);
        QVERIFY2(difference.isEmpty(), qPrintable(difference + "\n" + QString::fromUtf8(text)));

        QByteArray cut = text.left(random.bounded(text.size() + 1));
        difference = compareReaderWithParser(cut);
        QVERIFY2(difference.isEmpty(), qPrintable(difference + "\n" + QString::fromUtf8(cut)));

        QByteArray changed = text;
        for (int k = random.bounded(1, 3); k > 0 && !changed.isEmpty(); --k)
            changed[random.bounded(changed.size())] = mutations[random.bounded(int(sizeof(mutations)) - 1)];
        difference = compareReaderWithParser(changed);
        QVERIFY2(difference.isEmpty(), qPrintable(difference + "\n" + QString::fromUtf8(changed)));
        MaterialDescriptionReader reader;
        refused += reader.read(changed) ? 0 : 1;
    }
    // The changes are not all harmless: the refusals were exercised too.
    QVERIFY(refused > 100);
}

void TestMaterialDescriptionReader::keepsTheContentAsItStands()
{
    const QByteArray text = "<Storyloom Name=\"Sea\">\n"
                            "    <Material Guid=\"{a}\">\n"
                            "        <Shape Points=\"0,0;1,1\"/><!-- kept -->\n"
                            "    </Material>\n"
                            "    <Material Guid=\"{b}\"/>\n"
                            "    <Material Guid=\"{c}\"></Material>\n"
                            "</Storyloom>\n";
    MaterialDescriptionReader reader;
    QVERIFY(reader.read(text));
    QCOMPARE(reader.root().attribute("Name"), QStringLiteral("Sea"));
    QCOMPARE(reader.entries().size(), 3);
    QCOMPARE(reader.entries().at(0).element.tagName(), QStringLiteral("Material"));
    QCOMPARE(reader.entries().at(0).element.attribute("Guid"), QStringLiteral("{a}"));
    QVERIFY(!reader.entries().at(0).element.hasChildNodes());
    QCOMPARE(reader.entries().at(0).content,
             QByteArray("\n        <Shape Points=\"0,0;1,1\"/><!-- kept -->\n    "));
    QVERIFY(reader.entries().at(1).content.isEmpty());
    QVERIFY(reader.entries().at(2).content.isEmpty());

    // A failed read leaves nothing of an earlier one.
    QVERIFY(!reader.read("<Storyloom><Material"));
    QVERIFY(reader.root().isNull());
    QVERIFY(reader.entries().isEmpty());
}

void TestMaterialDescriptionReader::refusesContentNestedTooDeeply()
{
    const auto nested = [](int depth) {
        return "<R><M>" + QByteArray("<G>").repeated(depth) + QByteArray("</G>").repeated(depth) + "</M></R>";
    };
    MaterialDescriptionReader reader;
    QVERIFY(reader.read(nested(511)));
    QVERIFY(!reader.read(nested(512)));
    QVERIFY(!reader.read(nested(100000)));
}

void TestMaterialDescriptionReader::skipsAByteOrderMark()
{
    MaterialDescriptionReader reader;
    QVERIFY(reader.read("\xEF\xBB\xBF<R><M a=\"1\"/></R>"));
    QCOMPARE(reader.entries().size(), 1);
}

// The document parser cuts such a reference to 16 bits; the reader gives the
// character.
void TestMaterialDescriptionReader::readsCharactersBeyondTheBasicPlane()
{
    MaterialDescriptionReader reader;
    QVERIFY(reader.read("<R><M Name=\"&#x10348;&#66376;\xf0\x90\x8d\x88\"/></R>"));
    QCOMPARE(reader.entries().first().element.attribute("Name"), QString::fromUcs4(U"\U00010348\U00010348\U00010348"));
    QVERIFY(!reader.read("<R><M Name=\"&#x110000;\"/></R>"));
}

// The parser builds the text of every reference into its tree: ten
// kilobytes that refer two thousand times to four thousand characters of
// elements cost it half a gigabyte. The reader takes entities that stand
// for up to a bound in all, as the parser reads them, and refuses more.
void TestMaterialDescriptionReader::entitiesStandForABoundedText_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("readable");
    const auto document = [](const QByteArray &subset, const QByteArray &content) {
        return "<!DOCTYPE R [" + subset + "]><R><M>" + content + "</M></R>";
    };
    const QByteArray elements = "<!ENTITY e \"" + QByteArray("<a/>").repeated(1000) + "\">";
    const int under = int(MaterialDescriptionReader::maxEntityText / 4000);
    QTest::newRow("under the bound") << document(elements, QByteArray("&e;").repeated(under)) << true;
    QTest::newRow("over the bound") << document(elements, QByteArray("&e;").repeated(under + 1)) << false;
    QByteArray laughs = "<!ENTITY a0 \"lol\">";
    for (int i = 1; i < 8; ++i)
        laughs += QStringLiteral("<!ENTITY a%1 \"%2\">").arg(i).arg(QStringLiteral("&a%1;").arg(i - 1).repeated(8)).toUtf8();
    QTest::newRow("nested") << document(laughs, "&a6;&a6;&a6;&a6;&a6;&a6;&a6;&a6;") << false;
    QTest::newRow("spelled out by character references")
        << document("<!ENTITY e \"" + QByteArray("x").repeated(4000) + "\"><!ENTITY s \"" + QByteArray("&#38;e;").repeated(100) + "\">",
                    QByteArray("&s;").repeated(10))
        << false;
    QTest::newRow("in a value") << "<!DOCTYPE R [<!ENTITY e \"" + QByteArray("x").repeated(4000) + "\">]><R N=\""
            + QByteArray("&e;").repeated(under + 1) + "\"/>" << false;
    QTest::newRow("declared twice") << document("<!ENTITY e \"x\">" + elements, QByteArray("&e;").repeated(under + 1)) << false;
}

void TestMaterialDescriptionReader::entitiesStandForABoundedText()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, readable);
    MaterialDescriptionReader reader;
    QCOMPARE(reader.read(text), readable);
    if (readable) {
        const QString difference = compareReaderWithParser(text);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }
}

QTEST_MAIN(TestMaterialDescriptionReader)
#include "tst_materialdescriptionreader.moc"
