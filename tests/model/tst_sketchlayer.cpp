// SketchLayer: the layer element, clearing, deep copies and ownership.
#include "support/livecounts.h"
#include "support/pixels.h"
#include "support/shapes.h"

#include "materials/sketchmaterial.h"
#include "model/sketchglobals.h"

#include <QImage>
#include <QPainter>
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
    void shapesRevisionFollowsWhatTheShapesShow_data();
    void shapesRevisionFollowsWhatTheShapesShow();
    void shapesRevisionOfARun();

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

namespace {

// A layer of a red box with a text, an ellipse, a blurred box with its
// picture made, a group of two boxes and a shape with two frames.
struct RevisionPage
{
    SketchLayer *layer;
    SketchShape *box;
    SketchShape *ellipse;
    SketchShape *blurred;
    SketchGroup *group;
    SketchShape *framed;
    // Blurred, its picture not made yet.
    SketchShape *unpainted;

    explicit RevisionPage(SketchLayer *on)
        : layer(on)
    {
        box = addBox(layer, 10, 10, 80, 40, Qt::red);
        box->setText("Hello");
        ellipse = makeEllipse(layer, QRectF(100, 10, 60, 60));
        blurred = addBox(layer, 200, 10, 50, 50, Qt::blue);
        blurred->setBlur(2);
        blurred->updateBlurImage();
        group = groupShapes(layer, {addBox(layer, 10, 100, 30, 30, Qt::green), addBox(layer, 50, 100, 30, 30, Qt::black)});
        group->setSelected(false);
        framed = makeFramedShape(layer, QRectF(100, 100, 40, 40));
        unpainted = addBox(layer, 150, 150, 20, 20, Qt::red);
        unpainted->setBlur(1);
    }
};

using RevisionEdit = std::function<void(RevisionPage &)>;

const QHash<QString, RevisionEdit> &revisionEdits()
{
    static const QHash<QString, RevisionEdit> edits = {
        // What the shapes show.
        {"a point moved", [](RevisionPage &p) { p.box->points().first()->setPos(0, 0); }},
        {"a shape moved", [](RevisionPage &p) { p.ellipse->translate(5, 0); }},
        {"fill", [](RevisionPage &p) { p.box->setFill(SkinBrush(QColor(Qt::yellow))); }},
        {"stroke", [](RevisionPage &p) { p.box->setStroke(SketchStroke(QColor(Qt::red), 4, 0)); }},
        {"stroke width in place", [](RevisionPage &p) { p.box->stroke().setWidth(6); }},
        {"text", [](RevisionPage &p) { p.box->setText("Bye"); }},
        {"font", [](RevisionPage &p) { p.box->setFont(QFont("Serif", 30)); }},
        {"font colour", [](RevisionPage &p) { p.box->setFontColor(Qt::blue); }},
        {"alignment", [](RevisionPage &p) { p.box->setAlign(3); }},
        {"opacity", [](RevisionPage &p) { p.box->setOpacity(0.5f); }},
        {"blur", [](RevisionPage &p) { p.box->setBlur(3); }},
        {"tension", [](RevisionPage &p) { p.ellipse->setTension(0.1f); }},
        {"rotation", [](RevisionPage &p) { p.box->setRotateAngle(0.25f); }},
        {"rotation baked in", [](RevisionPage &p) { p.ellipse->applyRotation(0.1f, QPointF(130, 40)); }},
        {"closed", [](RevisionPage &p) { p.box->setClosed(false); }},
        {"frame shown", [](RevisionPage &p) { p.framed->setFrameIndex(0); }},
        {"blurred picture made anew", [](RevisionPage &p) { p.blurred->updateBlurImage(); }},
        {"a member's fill", [](RevisionPage &p) { p.group->shapes().first()->setFill(SkinBrush(QColor(Qt::white))); }},
        {"another shape's state copied in",
         [](RevisionPage &p) { p.ellipse->copyTo(p.box, true); }},
        {"order", [](RevisionPage &p) { p.layer->shapes().move(0, 1); }},
        {"a shape added", [](RevisionPage &p) { addBox(p.layer, 0, 0, 5, 5); }},
        {"a shape taken out", [](RevisionPage &p) { p.layer->shapes().removeOne(p.ellipse); }},
        // What leaves them as they are shown.
        {"selection", [](RevisionPage &p) { p.box->setSelected(true); p.group->setSelected(true); }},
        {"active handle", [](RevisionPage &p) { p.box->setActiveHandle(4); }},
        {"shape locked", [](RevisionPage &p) { p.box->setLocked(true); }},
        {"shape named", [](RevisionPage &p) { p.box->setName("hero"); }},
        {"layer hidden, locked, renamed",
         [](RevisionPage &p) {
             p.layer->setVisible(false);
             p.layer->setLocked(true);
             p.layer->setName("Other");
         }},
        {"hit tests and bounds",
         [](RevisionPage &p) {
             for (SketchShape *shape : p.layer->shapes()) {
                 shape->hitTest(20, 20);
                 shape->boundingRect();
                 shape->outline();
             }
         }},
        {"painted, outlines kept",
         [](RevisionPage &p) {
             QImage image(300, 200, QImage::Format_ARGB32_Premultiplied);
             QPainter painter(&image);
             for (SketchShape *shape : p.layer->shapes()) {
                 shape->prepareToPaint(true);
                 shape->paint(&painter, 1.0f, true);
             }
         }},
        {"first blurred picture made",
         [](RevisionPage &p) {
             p.unpainted->prepareToPaint(false);
             QVERIFY(p.unpainted->cachedBlurImage());
         }},
        {"cloned and made a material",
         [](RevisionPage &p) {
             delete p.box->clone(true);
             delete p.group->clone(true);
             SketchMaterial material(0, p.layer->shapes(), true);
         }},
    };
    return edits;
}

} // namespace

void TestSketchLayer::shapesRevisionFollowsWhatTheShapesShow_data()
{
    QTest::addColumn<QString>("edit");
    QTest::addColumn<bool>("changes");
    for (const char *edit : {"a point moved", "a shape moved", "fill", "stroke", "stroke width in place", "text",
                             "font", "font colour", "alignment", "opacity", "blur", "tension", "rotation",
                             "rotation baked in", "closed", "frame shown", "blurred picture made anew",
                             "a member's fill", "another shape's state copied in", "order", "a shape added",
                             "a shape taken out"})
        QTest::newRow(edit) << QString(edit) << true;
    for (const char *edit : {"selection", "active handle", "shape locked", "shape named",
                             "layer hidden, locked, renamed", "hit tests and bounds", "painted, outlines kept",
                             "first blurred picture made", "cloned and made a material"})
        QTest::newRow(edit) << QString(edit) << false;
}

// The layer's revision moves with every change of what its shapes show
// and with nothing else: what a kept picture of them relies on.
void TestSketchLayer::shapesRevisionFollowsWhatTheShapesShow()
{
    QFETCH(QString, edit);
    QFETCH(bool, changes);
    RevisionPage page(m_layer);
    const quint64 before = m_layer->shapesRevision();
    revisionEdits().value(edit)(page);
    QCOMPARE(m_layer->shapesRevision() != before, changes);
}

// A run of the list sums up its own shapes only.
void TestSketchLayer::shapesRevisionOfARun()
{
    RevisionPage page(m_layer);
    const quint64 low = m_layer->shapesRevision(0, 2);
    const quint64 high = m_layer->shapesRevision(2, 10);
    QCOMPARE(m_layer->shapesRevision(0, m_layer->shapes().size()), m_layer->shapesRevision());
    QVERIFY(low != high);
    page.framed->setFill(SkinBrush(QColor(Qt::magenta)));
    QCOMPARE(m_layer->shapesRevision(0, 2), low);
    QVERIFY(m_layer->shapesRevision(2, 10) != high);
    // Out of range: empty runs, all alike.
    QCOMPARE(m_layer->shapesRevision(50, 3), m_layer->shapesRevision(-4, 0));
}

QTEST_MAIN(TestSketchLayer)
#include "tst_sketchlayer.moc"
