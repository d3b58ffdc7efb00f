// SketchLayer: the layer element, clearing, deep copies and ownership.
#include "support/livecounts.h"
#include "support/pixels.h"
#include "support/shapes.h"

#include "model/sketchglobals.h"

#include <QPointer>
#include <QStandardPaths>
#include <QtTest>

namespace {

// A frame whose destruction empties its layer, as a clean-up running while
// the frame's owner is being destroyed would.
class ClearingShape : public SketchShape
{
public:
    using SketchShape::SketchShape;
    ~ClearingShape() override
    {
        if (layer())
            layer()->clear();
    }
};

QString layerXml(const SketchLayer *layer)
{
    QDomDocument document;
    QDomElement element = document.createElement("Layer");
    document.appendChild(element);
    layer->writeXml(element);
    return document.toString(-1);
}

} // namespace

class TestSketchLayer : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup();

    void emptyLayerWritesOnlyName();
    void flagsRoundTrip();
    void visibleReadsTrueOnlyForOne_data();
    void visibleReadsTrueOnlyForOne();
    void readSkipsUnknownNodes();
    void shapesKeepFileOrder();
    void queries();
    void indexAndView();
    void clearSkipsShapeBeingDestroyed();
    void copyToIsDeep();
    void cloneWithFramesAndDestroy();

private:
    SketchDocumentView *m_view = nullptr;
    SketchLayer *m_layer = nullptr;
    LiveCounts m_counts;
};

void TestSketchLayer::init()
{
    m_counts = LiveCounts();
    m_view = new SketchDocumentView;
    m_layer = m_view->currentLayer();
}

void TestSketchLayer::cleanup()
{
    delete m_view;
    m_view = nullptr;
    const LiveCounts now;
    QVERIFY2(now == m_counts, qPrintable(describe(now) + " after, " + describe(m_counts) + " before"));
}

void TestSketchLayer::emptyLayerWritesOnlyName()
{
    SketchLayer layer(m_view->document(), "Ink");
    QDomDocument document;
    QDomElement element = document.createElement("Layer");
    layer.writeXml(element);
    QCOMPARE(element.attributes().count(), 1);
    QCOMPARE(element.attribute("Name"), QString("Ink"));
    QVERIFY(!element.hasChildNodes());

    SketchLayer unnamed(m_view->document());
    QDomElement second = document.createElement("Layer");
    unnamed.writeXml(second);
    QVERIFY(second.hasAttribute("Name"));
    QCOMPARE(second.attribute("Name"), QString());
    SketchLayer read(m_view->document(), "before");
    read.readXml(second);
    QCOMPARE(read.name(), QString());
}

void TestSketchLayer::flagsRoundTrip()
{
    SketchLayer layer(m_view->document(), "Back");
    layer.setVisible(false);
    layer.setLocked(true);
    QDomDocument document;
    QDomElement element = document.createElement("Layer");
    layer.writeXml(element);
    QCOMPARE(element.attribute("Visible"), QString("0"));
    QCOMPARE(element.attribute("Locked"), QString("1"));
    SketchLayer read(m_view->document());
    read.readXml(element);
    QVERIFY(!read.isVisible());
    QVERIFY(read.isLocked());
    QCOMPARE(read.name(), QString("Back"));
}

void TestSketchLayer::visibleReadsTrueOnlyForOne_data()
{
    QTest::addColumn<QString>("element");
    QTest::addColumn<bool>("visible");
    QTest::newRow("2") << "<Layer Visible=\"2\"/>" << false;
    QTest::newRow("true") << "<Layer Visible=\"true\"/>" << false;
    QTest::newRow("1") << "<Layer Visible=\"1\"/>" << true;
    QTest::newRow("absent") << "<Layer/>" << true;
    QTest::newRow("empty") << "<Layer Visible=\"\"/>" << true;
}

void TestSketchLayer::visibleReadsTrueOnlyForOne()
{
    QFETCH(QString, element);
    QFETCH(bool, visible);
    QDomDocument document;
    SketchLayer layer(m_view->document());
    layer.readXml(parseElement(document, element));
    QCOMPARE(layer.isVisible(), visible);
    QVERIFY(!layer.isLocked());
}

void TestSketchLayer::readSkipsUnknownNodes()
{
    QDomDocument document;
    SketchLayer layer(m_view->document());
    layer.readXml(parseElement(document,
        "<Layer Name=\"L\"><Shape Points=\"0,0;5,5\"/><!-- a comment -->text<Circle/><shape/></Layer>"));
    QCOMPARE(layer.shapes().size(), 1);
    SketchShape *shape = layer.shapes().first();
    QCOMPARE(shape->layer(), &layer);
    QCOMPARE(shape->parent(), &layer);
    QCOMPARE(shape->pointCount(), 2);
}

void TestSketchLayer::shapesKeepFileOrder()
{
    SketchLayer layer(m_view->document(), "L");
    for (int i = 0; i < 4; ++i)
        makeBox(&layer, QRectF(i, i, 10, 10))->setName(QString("shape%1").arg(i));
    const QString text = layerXml(&layer);
    QDomDocument document;
    SketchLayer read(m_view->document());
    read.readXml(parseElement(document, text));
    QCOMPARE(read.shapes().size(), 4);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(read.shapes().at(i)->name(), QString("shape%1").arg(i));
    QCOMPARE(layerXml(&read), text);
}

void TestSketchLayer::queries()
{
    SketchShape *a = makeBox(m_layer, QRectF(0, 0, 1, 1));
    SketchShape *b = makeBox(m_layer, QRectF(0, 0, 2, 2));
    SketchShape *c = makeBox(m_layer, QRectF(0, 0, 3, 3));
    QCOMPARE(m_layer->shapesFromTop(), (QList<SketchShape *>{c, b, a}));
    c->setSelected(true);
    a->setSelected(true);
    a->setLocked(true);
    QCOMPARE(m_layer->selectedShapes(), (QList<SketchShape *>{a, c}));
    QCOMPARE(m_layer->selectedCount(), 2);
    QCOMPARE(b->index(), 1);
}

void TestSketchLayer::indexAndView()
{
    QCOMPARE(m_layer->index(), 0);
    QCOMPARE(m_layer->view(), m_view);
    QCOMPARE(m_layer->document(), m_view->document());
    SketchLayer *second = new SketchLayer(m_view->document(), "second");
    m_view->layers().append(second);
    QCOMPARE(second->index(), 1);
    // Taken out of the list (as a remove command does): no index, still owned.
    m_view->layers().removeOne(second);
    QCOMPARE(second->index(), -1);
    QCOMPARE(second->parent(), m_view->document());

    SketchLayer loose(nullptr);
    QCOMPARE(loose.index(), -1);
    QVERIFY(!loose.view());
}

void TestSketchLayer::clearSkipsShapeBeingDestroyed()
{
    SketchLayer *layer = new SketchLayer(m_view->document(), "L");
    SketchShape *owner = makeBox(layer, QRectF(0, 0, 10, 10));
    QPointer<SketchShape> other = makeBox(layer, QRectF(0, 0, 5, 5));
    owner->appendFrame(new ClearingShape(layer));
    // The owner is destroyed while still listed; its frame's clean-up clears
    // the layer, which must leave the owner alone.
    delete owner;
    QVERIFY(layer->shapes().isEmpty());
    QVERIFY(!other);
    delete layer;
}

void TestSketchLayer::copyToIsDeep()
{
    SketchShape *shape = makeBox(m_layer, QRectF(0, 0, 10, 10));
    shape->setName("original");
    shape->appendFrame(makeBox(nullptr, QRectF(0, 0, 3, 3)));
    m_layer->setName("Source");
    m_layer->setLocked(true);

    SketchLayer *target = new SketchLayer(m_view->document(), "Target");
    QPointer<SketchShape> old = makeBox(target, QRectF(0, 0, 1, 1));
    m_layer->copyTo(target);
    QVERIFY(!old);
    QCOMPARE(target->name(), QString("Source"));
    QVERIFY(target->isLocked());
    QCOMPARE(target->shapes().size(), 1);
    SketchShape *copy = target->shapes().first();
    QVERIFY(copy != shape);
    QCOMPARE(copy->layer(), target);
    QCOMPARE(copy->parent(), target);
    QCOMPARE(copy->frames().size(), 1);
    QCOMPARE(copy->frames().first()->layer(), target);
    QCOMPARE(copy->frames().first()->parent(), copy);
    copy->points().at(0)->translate(5, 5);
    copy->setName("changed");
    QCOMPARE(shape->name(), QString("original"));
    QCOMPARE(shape->points().at(0)->toPointF(), QPointF(0, 0));
    delete target;
}

void TestSketchLayer::cloneWithFramesAndDestroy()
{
    for (int i = 0; i < 5; ++i) {
        SketchShape *shape = makeBox(m_layer, QRectF(i * 10, 0, 10, 10));
        for (int f = 0; f < 3; ++f) {
            SketchShape *frame = makeBox(nullptr, QRectF(0, 0, 5 + f, 5));
            frame->appendFrame(makeBox(nullptr, QRectF(0, 0, 1, 1)));
            shape->appendFrame(frame);
        }
        shape->setFrameIndex(i % 3);
    }
    const LiveCounts filled;
    SketchLayer *copy = m_layer->clone();
    QCOMPARE(copy->document(), m_view->document());
    QVERIFY(!m_view->layers().contains(copy));
    QCOMPARE(layerXml(copy), layerXml(m_layer));
    QCOMPARE(SketchGlobals::ShapeCount - filled.shapes, filled.shapes - m_counts.shapes);

    SketchLayer *twice = copy->clone();
    delete copy;
    delete twice;
    QVERIFY2(LiveCounts() == filled, qPrintable(describe(LiveCounts())));
}

QTEST_MAIN(TestSketchLayer)
#include "tst_sketchlayer.moc"
