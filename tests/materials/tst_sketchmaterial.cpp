// SketchMaterial: made from shapes, the material element, copies, the drag
// text, painting into a rectangle and the cached thumbnail.
#include "materials/materialfixture.h"
#include "support/crowdedpage.h"
#include "support/pixels.h"

#include "commands/sketchcommandmanager.h"
#include "editor/sketchdocumentview.h"
#include "materials/sketchmaterial.h"
#include "model/sketchglobals.h"
#include "model/sketchgroup.h"
#include "model/sketchlayer.h"
#include "model/sketchshape.h"

#include <QDomDocument>
#include <QPainter>
#include <QStandardPaths>
#include <QtTest>

#include <memory>

class TestSketchMaterial : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void emptyMaterial();
    void fittedShapesPaintAsTheirMaterial_data();
    void fittedShapesPaintAsTheirMaterial();
    void liveCounterFollowsConstructionAndDestruction();

    void fromShapesMovesToTheOrigin();
    void fromShapesCoversTheirTogether();
    void fromTurnedShapeCoversItsTurnedBox();
    void fromGroupMovesOnlyTheGroupBox();
    void fromShapesCopiesFramesOnRequest_data();
    void fromShapesCopiesFramesOnRequest();
    void fromNoShapesHasNoSize();

    void readsAttributesAndShapes();
    void readDefaults_data();
    void readDefaults();
    void readAppendsToTheShapesHeld();
    void fileTextIsReadOnFirstUse();
    void fileTextThatDoesNotParseIsKept();
    void fileTextAfterHeldShapesIsReadAtOnce();
    void destructorFreesTheShapes();
    void nullElementGivesAnEmptyMaterial();
    void writeOmitsAnEmptyName();
    void writeReadRoundTrip();
    void cloneKeepsEverythingButThumbnailAndMark();
    void dragTextIsTheMaterialAsRoot();
    void dragTextDropsOntoADocumentView();

    void paintLeavesTheMargins_data();
    void paintLeavesTheMargins();
    void paintsTurnedShapeAboutItsRotatePoint();
    void paintsNothing_data();
    void paintsNothing();
    void paintKeepsThePaintersTransform();
    void renderImageIsTransparentARGB();
    void renderImageOfNoSizeIsNull_data();
    void renderImageOfNoSizeIsNull();
    void thumbnailIsCachedAndReplaced();

private:
    static QDomElement parse(QDomDocument &document, const QString &text)
    {
        if (!document.setContent(text))
            qWarning("test XML does not parse");
        return document.documentElement();
    }

    MaterialCounts m_counts;
};

void TestSketchMaterial::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestSketchMaterial::init()
{
    m_counts = MaterialCounts();
}

void TestSketchMaterial::cleanup()
{
    const MaterialCounts now;
    QVERIFY2(now == m_counts, qPrintable(describe(now) + " after, " + describe(m_counts) + " before"));
}

// A layer's thumbnail paints the layer's shapes where they lie, culled and
// in bands, without copying them into a material: it must show what the
// material of those shapes shows. Copies lose their blur (they belong to no
// layer), so the page here has none.
void TestSketchMaterial::fittedShapesPaintAsTheirMaterial_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QSize>("size");
    QTest::newRow("few, small") << 40 << QSize(60, 44);
    QTest::newRow("crowded, small") << 600 << QSize(60, 44);
    QTest::newRow("crowded, large") << 600 << QSize(420, 300);
}

void TestSketchMaterial::fittedShapesPaintAsTheirMaterial()
{
    QFETCH(int, count);
    QFETCH(QSize, size);
    SketchDocumentView view(nullptr);
    crowdedpage::fill(view.document(), QSize(842, 595), count, 7);
    const QList<SketchShape *> &shapes = view.document()->layers().first()->shapes();
    std::function<void(SketchShape *)> unblur = [&](SketchShape *shape) {
        shape->setBlur(0);
        if (auto *group = qobject_cast<SketchGroup *>(shape)) {
            for (SketchShape *member : group->shapes())
                unblur(member);
        }
    };
    for (SketchShape *shape : shapes)
        unblur(shape);

    const auto picture = [&](const std::function<void(QPainter *, const QRectF &)> &paint) {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, true);
        // Off the origin, as a cell of the layers panel lies.
        painter.translate(5, 3);
        paint(&painter, QRectF(QPointF(2, 1), QSizeF(size) - QSizeF(9, 6)));
        return image;
    };
    const SketchMaterial material(SketchMaterialRole, shapes, false);
    const QImage expected = picture([&](QPainter *p, const QRectF &box) { material.paint(p, box); });
    const QImage shown = picture([&](QPainter *p, const QRectF &box) { SketchMaterial::paintFitted(p, box, shapes); });
    QVERIFY(inkedPixels(expected, qRgb(255, 255, 255)) > 0);
    // The copies' points are moved by the material's corner in floats, so
    // edges and glyphs land a fraction of a pixel apart here and there; a
    // wrong fit, a dropped or a misplaced shape differs by far more.
    QVERIFY(differingPixels(shown, expected, 16) <= size.width() * size.height() / 200);
}

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
    QVERIFY(!material.thumbnail());
    QVERIFY(!material.isImported());
}

void TestSketchMaterial::liveCounterFollowsConstructionAndDestruction()
{
    const int before = SketchGlobals::MaterialCount;
    auto *material = new SketchMaterial;
    QCOMPARE(SketchGlobals::MaterialCount, before + 1);
    SketchMaterial *copy = material->clone();
    SketchMaterial fromShapes(2, {}, true);
    QCOMPARE(SketchGlobals::MaterialCount, before + 3);
    delete material;
    delete copy;
    QCOMPARE(SketchGlobals::MaterialCount, before + 1);
}

void TestSketchMaterial::fromShapesMovesToTheOrigin()
{
    SketchDocumentView view;
    SketchShape *source = makeBox(view.currentLayer(), QRectF(200, 300, 100, 50));
    source->setSelected(true);
    source->setActiveHandle(SketchHandleFirstPoint + 2);
    const QString sourceXml = shapeXml(source);

    SketchMaterial material(SketchMaterialBubble, {source}, true);
    QCOMPARE(material.category(), 2);
    QCOMPARE(material.size(), QSizeF(100, 50));
    QCOMPARE(material.shapes().size(), 1);
    SketchShape *copy = material.shapes().first();
    QVERIFY(copy != source);
    QCOMPARE(pointsOf(copy), (QList<QPointF>{{0, 0}, {100, 0}, {100, 50}, {0, 50}}));
    QVERIFY(!copy->isSelected());
    QCOMPARE(copy->activeHandle(), int(SketchHandleNone));
    QVERIFY(!copy->layer());
    QVERIFY(!copy->parent());
    // The caller's shape is untouched and stays in its layer.
    QCOMPARE(shapeXml(source), sourceXml);
    QVERIFY(source->isSelected());
    QCOMPARE(view.currentLayer()->shapes(), QList<SketchShape *>{source});
}

void TestSketchMaterial::fromShapesCoversTheirTogether()
{
    std::unique_ptr<SketchShape> a(makeBox(nullptr, QRectF(10, 20, 30, 40)));
    std::unique_ptr<SketchShape> b(makePath(nullptr, {{100, 5}, {110, 15}}, false));
    SketchMaterial material(0, {a.get(), nullptr, b.get()}, false);
    QCOMPARE(material.size(), QSizeF(100, 55));
    QCOMPARE(material.shapes().size(), 2);
    QCOMPARE(pointsOf(material.shapes().at(0)).first(), QPointF(0, 15));
    QCOMPARE(pointsOf(material.shapes().at(1)), (QList<QPointF>{{90, 0}, {100, 10}}));
}

void TestSketchMaterial::fromTurnedShapeCoversItsTurnedBox()
{
    // A quarter turn about the box's centre (250, 325) stands it upright:
    // 50 wide from x 225, 100 high from y 275.
    std::unique_ptr<SketchShape> source(makeBox(nullptr, QRectF(200, 300, 100, 50)));
    source->setRotatePoint(QPointF(250, 325));
    source->setRotateAngle(0.25f);

    SketchMaterial material(0, {source.get()}, false);
    QVERIFY(qAbs(material.width() - 50.0f) < 1e-3f);
    QVERIFY(qAbs(material.height() - 100.0f) < 1e-3f);
    const SketchShape *copy = material.shapes().first();
    QVERIFY(isNear(pointsOf(copy).first(), QPointF(-25, 25)));
    QVERIFY(isNear(copy->rotatePoint(), QPointF(25, 50)));
    QCOMPARE(copy->rotateAngle(), 0.25f);
}

void TestSketchMaterial::fromGroupMovesOnlyTheGroupBox()
{
    QDomDocument document;
    std::unique_ptr<SketchShape> group(createSketchShape(QStringLiteral("Group"), nullptr));
    group->readXml(parse(document, QStringLiteral(
        "<Group Points=\"50,60;70,60;70,80;50,80\"><Shape Points=\"0,0;20,20\"/></Group>")));

    SketchMaterial material(0, {group.get()}, false);
    QCOMPARE(material.size(), QSizeF(20, 20));
    auto *copy = static_cast<SketchGroup *>(material.shapes().first());
    QCOMPARE(copy->typeName(), QStringLiteral("Group"));
    QCOMPARE(pointsOf(copy).first(), QPointF(0, 0));
    QCOMPARE(copy->shapes().size(), 1);
    QCOMPARE(pointsOf(copy->shapes().first()), (QList<QPointF>{{0, 0}, {20, 20}}));
}

void TestSketchMaterial::fromShapesCopiesFramesOnRequest_data()
{
    QTest::addColumn<bool>("withFrames");
    QTest::addColumn<int>("frames");
    QTest::newRow("with frames") << true << 2;
    QTest::newRow("without frames") << false << 0;
}

void TestSketchMaterial::fromShapesCopiesFramesOnRequest()
{
    QFETCH(bool, withFrames);
    QFETCH(int, frames);
    std::unique_ptr<SketchShape> source(makeBox(nullptr, QRectF(5, 5, 10, 10)));
    source->appendFrame(makeBox(nullptr, QRectF(0, 0, 10, 10)));
    source->appendFrame(makeBox(nullptr, QRectF(0, 0, 30, 10)));
    SketchMaterial material(0, {source.get()}, withFrames);
    QCOMPARE(material.shapes().first()->frames().size(), frames);
    for (const SketchShape *frame : material.shapes().first()->frames())
        QCOMPARE(frame->parent(), material.shapes().first());
}

void TestSketchMaterial::fromNoShapesHasNoSize()
{
    SketchMaterial material(SketchMaterialOthers, {nullptr}, true);
    QVERIFY(material.shapes().isEmpty());
    QCOMPARE(material.size(), QSizeF(-1, -1));
    QCOMPARE(material.category(), 6);
    std::unique_ptr<QImage> image(material.renderImage(20, 20));
    QCOMPARE(inkedBox(*image), QRect());
}

void TestSketchMaterial::readsAttributesAndShapes()
{
    QDomDocument document;
    const QDomElement element = parse(document, QStringLiteral(
        "<StoryloomMaterial Guid=\"{abc}\" Name=\"Cloud\" Category=\"3\" Size=\"120.5,40\">"
        "<!-- a note -->"
        "<?Shape not a shape?>"
        "<Shape Behavior=\"1\" Points=\"0,0;120.5,0;120.5,40;0,40\"/>"
        "text"
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
    QTest::newRow("empty guid") << "<Material Guid=\"\"/>" << QSizeF(-1, -1) << 0;
    QTest::newRow("size with one number") << "<Material Size=\"12\"/>" << QSizeF(-1, -1) << 0;
    QTest::newRow("size with three numbers") << "<Material Size=\"1,2,3\"/>" << QSizeF(-1, -1) << 0;
    QTest::newRow("category outside the pages") << "<Material Category=\"42\"/>" << QSizeF(-1, -1) << 42;
    QTest::newRow("negative category") << "<Material Category=\"-3\"/>" << QSizeF(-1, -1) << -3;
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

void TestSketchMaterial::fileTextIsReadOnFirstUse()
{
    QDomDocument document;
    const QDomElement element = parse(document, QStringLiteral("<Material Guid=\"{f}\" Size=\"5,5\"/>"));
    const int shapesBefore = SketchGlobals::ShapeCount;
    SketchMaterial material;
    material.readXml(element, "\n        <Shape Points=\"0,0;5,5\"/>\n        <Group Points=\"0,0;1,0;1,1;0,1\"/>\n    ");
    QCOMPARE(material.guid(), QStringLiteral("{f}"));
    QCOMPARE(SketchGlobals::ShapeCount, shapesBefore);
    const SketchMaterial &reader = material;
    QCOMPARE(reader.shapes().size(), 2);
    QCOMPARE(SketchGlobals::ShapeCount, shapesBefore + 2);
    QCOMPARE(reader.shapes().at(1)->typeName(), QStringLiteral("Group"));

    QByteArray text;
    material.appendXmlText(text, QStringLiteral("Material"), 1);
    QCOMPARE(text, QByteArray("    <Material Guid=\"{f}\" Category=\"0\" Size=\"5,5\">\n"
                              "        <Shape Points=\"0,0;5,5\"/>\n"
                              "        <Group Points=\"0,0;1,0;1,1;0,1\"/>\n"
                              "    </Material>\n"));
}

void TestSketchMaterial::fileTextThatDoesNotParseIsKept()
{
    QDomDocument document;
    const QDomElement element = parse(document, QStringLiteral("<Material Guid=\"{f}\" Size=\"5,5\"/>"));
    SketchMaterial material;
    material.readXml(element, "<Shape Points=\"0,0;5,5\"><Oops></Shape>");
    std::unique_ptr<QImage> image(material.renderImage(20, 20));
    QCOMPARE(inkedBox(*image), QRect());
    QByteArray text;
    material.appendXmlText(text, QStringLiteral("Material"), 1);
    QVERIFY(text.contains("<Shape Points=\"0,0;5,5\"><Oops></Shape></Material>"));
}

void TestSketchMaterial::fileTextAfterHeldShapesIsReadAtOnce()
{
    QDomDocument document;
    const QDomElement element = parse(document, QStringLiteral("<M Size=\"5,5\"><Shape Points=\"0,0;5,5\"/></M>"));
    SketchMaterial material;
    material.readXml(element);
    material.readXml(element, "<Shape Points=\"1,1;4,4\"/>");
    const SketchMaterial &reader = material;
    QCOMPARE(reader.shapes().size(), 2);
    QByteArray text;
    material.appendXmlText(text, QStringLiteral("M"), 0);
    QCOMPARE(text.count("<Shape "), 2);
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

void TestSketchMaterial::writeOmitsAnEmptyName()
{
    std::unique_ptr<SketchMaterial> material(makeBoxMaterial(SketchMaterialScene));
    QDomDocument document;
    QDomElement element = document.createElement(QStringLiteral("Material"));
    material->writeXml(element);
    QVERIFY(!element.hasAttribute(QStringLiteral("Name")));
    QCOMPARE(element.attribute(QStringLiteral("Guid")), material->guid());
    QCOMPARE(element.attribute(QStringLiteral("Category")), QStringLiteral("5"));
    QCOMPARE(element.attribute(QStringLiteral("Size")), QStringLiteral("100,50"));
    QCOMPARE(element.childNodes().size(), 1);
    QCOMPARE(element.firstChildElement().tagName(), QStringLiteral("Shape"));

    SketchMaterial back;
    back.setName(QStringLiteral("old"));
    back.readXml(element);
    QVERIFY(back.name().isEmpty());
}

void TestSketchMaterial::writeReadRoundTrip()
{
    QDomDocument document;
    std::unique_ptr<SketchShape> group(createSketchShape(QStringLiteral("Group"), nullptr));
    group->readXml(parse(document, QStringLiteral(
        "<Group Points=\"0,0;20,0;20,20;0,20\"><Shape Points=\"0,0;20,20\"/></Group>")));
    std::unique_ptr<SketchShape> box(makeFilledBox(QRectF(30, 0, 10, 10), Qt::blue));
    box->setText(QStringLiteral("a & <b> \"c\"\nd"));
    SketchMaterial material(SketchMaterialEffect, {group.get(), box.get()}, true);
    material.setName(QStringLiteral("Sparks & <stars>"));

    QDomElement element = document.createElement(QStringLiteral("Material"));
    material.writeXml(element);
    SketchMaterial back;
    back.readXml(element);
    QCOMPARE(back.guid(), material.guid());
    QCOMPARE(back.name(), material.name());
    QCOMPARE(back.category(), 4);
    QCOMPARE(back.size(), material.size());
    QCOMPARE(back.shapes().size(), 2);
    for (int i = 0; i < 2; ++i)
        QCOMPARE(shapeXml(back.shapes().at(i)), shapeXml(material.shapes().at(i)));
}

void TestSketchMaterial::cloneKeepsEverythingButThumbnailAndMark()
{
    std::unique_ptr<SketchMaterial> material(makeBoxMaterial(SketchMaterialProp, QSizeF(40, 30), "Box"));
    material->setImported(true);
    material->updateThumbnail(16, 16);

    std::unique_ptr<SketchMaterial> copy(material->clone());
    QCOMPARE(copy->guid(), material->guid());
    QCOMPARE(copy->name(), QStringLiteral("Box"));
    QCOMPARE(copy->category(), 1);
    QCOMPARE(copy->size(), QSizeF(40, 30));
    QCOMPARE(copy->shapes().size(), 1);
    QVERIFY(copy->shapes().first() != material->shapes().first());
    QCOMPARE(shapeXml(copy->shapes().first()), shapeXml(material->shapes().first()));
    QVERIFY(!copy->thumbnail());
    QVERIFY(!copy->isImported());
    // The copy is deep: changing it leaves the original alone.
    copy->shapes().first()->translate(5, 5);
    QCOMPARE(pointsOf(material->shapes().first()).first(), QPointF(0, 0));
}

void TestSketchMaterial::dragTextIsTheMaterialAsRoot()
{
    std::unique_ptr<SketchMaterial> material(makeBoxMaterial(SketchMaterialNature, QSizeF(100, 50), "Tree"));
    const QString text = material->dragText();
    QVERIFY2(text.startsWith(QStringLiteral("<StoryloomMaterial ")), qPrintable(text));
    QVERIFY(!text.contains(QStringLiteral("<?xml")));
    QVERIFY(text.contains(QStringLiteral("\n    <Shape ")));
    QCOMPARE(material->dragText(), text);

    QDomDocument document;
    QVERIFY(document.setContent(text));
    SketchMaterial back;
    back.readXml(document.documentElement());
    QCOMPARE(back.guid(), material->guid());
    QCOMPARE(back.name(), QStringLiteral("Tree"));
    QCOMPARE(back.category(), 3);
    QCOMPARE(back.size(), QSizeF(100, 50));
    QCOMPARE(back.shapes().size(), 1);
}

void TestSketchMaterial::dragTextDropsOntoADocumentView()
{
    SketchDocumentView view;
    view.resize(900, 650);
    std::unique_ptr<SketchMaterial> material(makeBoxMaterial(0));
    view.dropMaterialXml(300, 200, material->dragText());
    QCOMPARE(view.currentLayer()->shapes().size(), 1);
    QCOMPARE(view.commandManager()->undoCount(), 1);
    QCOMPARE(view.currentLayer()->shapes().first()->boundingRect().size(), QSizeF(100, 50));
}

void TestSketchMaterial::paintLeavesTheMargins_data()
{
    QTest::addColumn<QSizeF>("size");
    QTest::addColumn<QRectF>("rect");
    QTest::addColumn<QRect>("inked");

    // Scale 0.6: 60 by 30, 3 free left and right, 18 above and below.
    QTest::newRow("100x50 into 66x66") << QSizeF(100, 50) << QRectF(0, 0, 66, 66) << QRect(3, 18, 60, 30);
    QTest::newRow("moved rect") << QSizeF(100, 50) << QRectF(10, 20, 66, 66) << QRect(13, 38, 60, 30);
    QTest::newRow("scale 1, centred across") << QSizeF(100, 50) << QRectF(0, 0, 206, 56) << QRect(53, 3, 100, 50);
    QTest::newRow("scale 2 upright") << QSizeF(20, 40) << QRectF(0, 0, 86, 86) << QRect(23, 3, 40, 80);
}

void TestSketchMaterial::paintLeavesTheMargins()
{
    QFETCH(QSizeF, size);
    QFETCH(QRectF, rect);
    QFETCH(QRect, inked);
    std::unique_ptr<SketchMaterial> material(makeBoxMaterial(0, size));
    QImage image(220, 100, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, true);
        material->paint(&painter, rect);
    }
    QCOMPARE(inkedBox(image), inked);
    QCOMPARE(QColor(image.pixel(inked.center())), QColor(Qt::red));
}

void TestSketchMaterial::paintsTurnedShapeAboutItsRotatePoint()
{
    // The upright 50 by 100 material of a turned 100 by 50 box, at scale 0.6:
    // 30 by 60, 18 free left and right, 3 above and below.
    std::unique_ptr<SketchShape> source(makeFilledBox(QRectF(200, 300, 100, 50)));
    source->setRotatePoint(QPointF(250, 325));
    source->setRotateAngle(0.25f);
    SketchMaterial material(0, {source.get()}, false);
    std::unique_ptr<QImage> image(material.renderImage(66, 66));

    QRect solid;
    for (int y = 0; y < image->height(); ++y) {
        for (int x = 0; x < image->width(); ++x) {
            if (qAlpha(image->pixel(x, y)) >= 128)
                solid |= QRect(x, y, 1, 1);
        }
    }
    QCOMPARE(solid, QRect(18, 3, 30, 60));
}

void TestSketchMaterial::paintsNothing_data()
{
    QTest::addColumn<QString>("xml");
    QTest::addColumn<QRectF>("rect");
    QTest::addColumn<bool>("inks");

    const QString box = QStringLiteral("<M Size=\"%1\"><Shape Behavior=\"1\" Points=\"0,0;100,0;100,50;0,50\"/></M>");
    QTest::newRow("control: 7 by 7 paints") << box.arg("100,50") << QRectF(0, 0, 7, 7) << true;
    QTest::newRow("rect 6 wide") << box.arg("100,50") << QRectF(0, 0, 6, 66) << false;
    QTest::newRow("rect 6 high") << box.arg("100,50") << QRectF(0, 0, 66, 6) << false;
    QTest::newRow("rect 4 by 4") << box.arg("100,50") << QRectF(0, 0, 4, 4) << false;
    QTest::newRow("empty rect") << box.arg("100,50") << QRectF() << false;
    QTest::newRow("negative rect") << box.arg("100,50") << QRectF(60, 60, -50, -50) << false;
    QTest::newRow("no size") << box.arg("12") << QRectF(0, 0, 66, 66) << false;
    QTest::newRow("zero width") << box.arg("0,50") << QRectF(0, 0, 66, 66) << false;
    QTest::newRow("negative height") << box.arg("100,-50") << QRectF(0, 0, 66, 66) << false;
    QTest::newRow("no shapes") << QStringLiteral("<M Size=\"100,50\"/>") << QRectF(0, 0, 66, 66) << false;
}

void TestSketchMaterial::paintsNothing()
{
    QFETCH(QString, xml);
    QFETCH(QRectF, rect);
    QFETCH(bool, inks);
    QDomDocument document;
    SketchMaterial material;
    material.readXml(parse(document, xml));
    QImage image(66, 66, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        material.paint(&painter, rect);
        QCOMPARE(painter.transform(), QTransform());
    }
    QCOMPARE(!inkedBox(image).isEmpty(), inks);
}

void TestSketchMaterial::paintKeepsThePaintersTransform()
{
    std::unique_ptr<SketchMaterial> material(makeBoxMaterial(0));
    QImage image(120, 66, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.translate(40, 0);
    material->paint(&painter, QRectF(0, 0, 66, 66));
    QCOMPARE(painter.transform(), QTransform::fromTranslate(40, 0));
    painter.end();
    QCOMPARE(inkedBox(image), QRect(43, 18, 60, 30));
}

void TestSketchMaterial::renderImageIsTransparentARGB()
{
    std::unique_ptr<SketchMaterial> material(makeBoxMaterial(0));
    std::unique_ptr<QImage> image(material->renderImage(66, 66));
    QCOMPARE(image->size(), QSize(66, 66));
    QCOMPARE(image->format(), QImage::Format_ARGB32);
    QCOMPARE(image->pixel(0, 0), qRgba(0, 0, 0, 0));
    QCOMPARE(inkedBox(*image), QRect(3, 18, 60, 30));
}

void TestSketchMaterial::renderImageOfNoSizeIsNull_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("zero") << QSize(0, 0);
    QTest::newRow("zero wide") << QSize(0, 40);
    QTest::newRow("negative high") << QSize(40, -1);
}

void TestSketchMaterial::renderImageOfNoSizeIsNull()
{
    QFETCH(QSize, size);
    std::unique_ptr<SketchMaterial> material(makeBoxMaterial(0));
    std::unique_ptr<QImage> image(material->renderImage(size.width(), size.height()));
    QVERIFY(image);
    QVERIFY(image->isNull());
}

void TestSketchMaterial::thumbnailIsCachedAndReplaced()
{
    std::unique_ptr<SketchMaterial> material(makeBoxMaterial(0));
    QImage *first = material->updateThumbnail(66, 66);
    QCOMPARE(material->thumbnail(), first);
    QCOMPARE(first->size(), QSize(66, 66));
    QCOMPARE(inkedBox(*first), QRect(3, 18, 60, 30));

    // Setting the image held keeps it; another one replaces it (the sanitizer
    // catches the leak or the double delete if not).
    material->setThumbnail(first);
    QCOMPARE(material->thumbnail(), first);
    QImage *second = material->updateThumbnail(30, 20);
    QCOMPARE(material->thumbnail(), second);
    QCOMPARE(second->size(), QSize(30, 20));
    material->setThumbnail(new QImage(4, 4, QImage::Format_ARGB32));
    QCOMPARE(material->thumbnail()->size(), QSize(4, 4));
    material->setThumbnail(nullptr);
    QVERIFY(!material->thumbnail());
    material->updateThumbnail(8, 8);
}

QTEST_MAIN(TestSketchMaterial)
#include "tst_sketchmaterial.moc"
