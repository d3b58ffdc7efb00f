// SketchMaterial as far as the document view's drops use it: the empty
// material, reading the material element and owning its shapes.
#include "materials/sketchmaterial.h"
#include "model/sketchglobals.h"
#include "model/sketchgroup.h"
#include "model/sketchshape.h"

#include <QDomDocument>
#include <QStandardPaths>
#include <QtTest>

class TestSketchMaterial : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void emptyMaterial();
    void liveCounterFollowsConstructionAndDestruction();
    void readsAttributesAndShapes();
    void readDefaults_data();
    void readDefaults();
    void readAppendsToTheShapesHeld();
    void destructorFreesTheShapes();
    void nullElementGivesAnEmptyMaterial();

private:
    static QDomElement parse(QDomDocument &document, const QString &text)
    {
        if (!document.setContent(text))
            qWarning("test XML does not parse");
        return document.documentElement();
    }
};

void TestSketchMaterial::emptyMaterial()
{
    SketchMaterial material;
    SketchMaterial other;
    QVERIFY(material.guid().startsWith(QLatin1Char('{')));
    QVERIFY(material.guid().endsWith(QLatin1Char('}')));
    QVERIFY(material.guid() != other.guid());
    QVERIFY(material.name().isEmpty());
    QCOMPARE(material.category(), 0);
    QCOMPARE(material.width(), -1.0f);
    QCOMPARE(material.height(), -1.0f);
    QCOMPARE(material.size(), QSizeF(-1.0, -1.0));
    QVERIFY(material.shapes().isEmpty());
}

void TestSketchMaterial::liveCounterFollowsConstructionAndDestruction()
{
    const int before = SketchGlobals::MaterialCount;
    auto *material = new SketchMaterial;
    QCOMPARE(SketchGlobals::MaterialCount, before + 1);
    delete material;
    QCOMPARE(SketchGlobals::MaterialCount, before);
}

void TestSketchMaterial::readsAttributesAndShapes()
{
    QDomDocument document;
    const QDomElement element = parse(document, QStringLiteral(
        "<StoryloomMaterial Guid=\"{abc}\" Name=\"Cloud\" Category=\"3\" Size=\"120.5,40\">"
        "<!-- a note -->"
        "<Shape Behavior=\"1\" Points=\"0,0;120.5,0;120.5,40;0,40\"/>"
        "<Unknown Points=\"1,1;2,2\"/>"
        "<Group Points=\"0,0;10,0;10,10;0,10\"><Shape Points=\"0,0;10,10\"/></Group>"
        "</StoryloomMaterial>"));
    SketchMaterial material;
    material.readXml(element);

    QCOMPARE(material.guid(), QStringLiteral("{abc}"));
    QCOMPARE(material.name(), QStringLiteral("Cloud"));
    QCOMPARE(material.category(), 3);
    QCOMPARE(material.width(), 120.5f);
    QCOMPARE(material.height(), 40.0f);
    QCOMPARE(material.shapes().size(), 2);
    QCOMPARE(material.shapes().at(0)->typeName(), QStringLiteral("Shape"));
    QCOMPARE(material.shapes().at(0)->pointCount(), 4);
    QCOMPARE(material.shapes().at(0)->pointX(2), 120.5f);
    QCOMPARE(material.shapes().at(1)->typeName(), QStringLiteral("Group"));
    QCOMPARE(static_cast<SketchGroup *>(material.shapes().at(1))->shapes().size(), 1);
    // The shapes are the material's, in no layer.
    for (const SketchShape *shape : material.shapes())
        QVERIFY(!shape->layer());
}

void TestSketchMaterial::readDefaults_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QSizeF>("size");
    QTest::addColumn<int>("category");

    QTest::newRow("no attributes") << "<Material/>" << QSizeF(-1, -1) << 0;
    QTest::newRow("size with one number") << "<Material Size=\"12\"/>" << QSizeF(-1, -1) << 0;
    QTest::newRow("size with three numbers") << "<Material Size=\"1,2,3\"/>" << QSizeF(-1, -1) << 0;
    QTest::newRow("category outside the pages") << "<Material Category=\"42\"/>" << QSizeF(-1, -1) << 42;
}

void TestSketchMaterial::readDefaults()
{
    QFETCH(QString, text);
    QFETCH(QSizeF, size);
    QFETCH(int, category);

    QDomDocument document;
    const QDomElement element = parse(document, text);
    SketchMaterial first;
    SketchMaterial second;
    first.readXml(element);
    second.readXml(element);
    QCOMPARE(first.size(), size);
    QCOMPARE(first.category(), category);
    QVERIFY(first.name().isEmpty());
    // No Guid in the element: each read makes a fresh one.
    QVERIFY(!first.guid().isEmpty());
    QVERIFY(first.guid() != second.guid());
}

void TestSketchMaterial::readAppendsToTheShapesHeld()
{
    QDomDocument document;
    const QDomElement element = parse(document, QStringLiteral("<M><Shape Points=\"0,0;5,5\"/></M>"));
    SketchMaterial material;
    material.readXml(element);
    material.readXml(element);
    QCOMPARE(material.shapes().size(), 2);
}

void TestSketchMaterial::destructorFreesTheShapes()
{
    const int shapesBefore = SketchGlobals::ShapeCount;
    const int pointsBefore = SketchGlobals::PointCount;
    {
        QDomDocument document;
        const QDomElement element = parse(document, QStringLiteral(
            "<M><Shape Points=\"0,0;5,5\"/><Group Points=\"0,0;1,0;1,1;0,1\"><Shape Points=\"0,0;1,1\"/></Group></M>"));
        SketchMaterial material;
        material.readXml(element);
        QCOMPARE(SketchGlobals::ShapeCount, shapesBefore + 3);
    }
    QCOMPARE(SketchGlobals::ShapeCount, shapesBefore);
    QCOMPARE(SketchGlobals::PointCount, pointsBefore);
}

void TestSketchMaterial::nullElementGivesAnEmptyMaterial()
{
    SketchMaterial material;
    material.readXml(QDomElement());
    QVERIFY(material.shapes().isEmpty());
    QVERIFY(!material.guid().isEmpty());
    QCOMPARE(material.size(), QSizeF(-1, -1));
}

QTEST_MAIN(TestSketchMaterial)
#include "tst_sketchmaterial.moc"
