// SketchShape: properties, the shape element, copies, frames, rotation and
// ownership.
#include "support/livecounts.h"
#include "support/pixels.h"
#include "support/shapes.h"

#include "model/sketchglobals.h"
#include "model/xmlattributes.h"

#include <QDomDocument>
#include <QPointer>
#include <QStandardPaths>
#include <QtTest>

class TestSketchShapeXml : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup();

    void defaultsWriteNothing();
    void openLockedShapeWritesFlags();
    void opacityWinsOverBrushOpacity();
    void clampsOnRead_data();
    void clampsOnRead();
    void emptyPointTextGivesOriginPoint();
    void defaultStyleWritesNoChildren();
    void fullRoundTrip();
    void setterClamps();
    void statusTexts();
    void antialiasing_data();
    void antialiasing();

    void framesIndexWrittenOnlyAboveZero();
    void frameIndexFromFileIsClamped();
    void nestedFramesStopAtDepthLimit();

    void factoryNames();
    void cloneIsDeepAndFree();
    void copyToWithAndWithoutFrames();
    void cloneOfRotatedFramedShapeStaysInPlace();
    void fillAndStrokeTakeTheShapeOpacity();
    void styleReachesNamesakesInFrames();
    void equalFillCallsNoOtherShape();

    void setFrameIndexClamps();
    void frameSwitchKeepsPlaceAtAnyZoom_data();
    void frameSwitchKeepsPlaceAtAnyZoom();
    void frameSwitchUnderRotationKeepsDrawnPlace();
    void frameSwitchInGroupUsesInnerPosition();
    void syncCurrentFrameNormalisesAtZoomTwo();

    void moveRotatePointFromOrigin();
    void moveRotatePointKeepsDrawing();
    void applyRotationQuarterTurn();
    void removeActive();
    void removeActiveOnLockedPoint();
    void removeActiveWithoutPointTakesShapeOut();
    void flipsIgnoreFlatShapes();

    void framesAreOwnedByTheirShape();
    void groupedShapeKeepsGroupAsOwner();
    void layerDestructionFreesEverythingOnce();

private:
    SketchDocumentView *m_view = nullptr;
    SketchLayer *m_layer = nullptr;
    LiveCounts m_counts;
};

void TestSketchShapeXml::init()
{
    m_counts = LiveCounts();
    m_view = new SketchDocumentView;
    m_layer = m_view->currentLayer();
}

void TestSketchShapeXml::cleanup()
{
    delete m_view;
    m_view = nullptr;
    m_layer = nullptr;
    const LiveCounts now;
    QVERIFY2(now == m_counts, qPrintable(describe(now) + " after, " + describe(m_counts) + " before"));
}

void TestSketchShapeXml::defaultsWriteNothing()
{
    SketchShape shape(m_layer);
    QDomDocument document;
    QDomElement element = document.createElement("Shape");
    shape.writeXml(element);
    QCOMPARE(element.attributes().count(), 0);
    QVERIFY(!element.hasChildNodes());

    SketchShape read(m_layer);
    read.readXml(element);
    QCOMPARE(shapeXml(&read), shapeXml(&shape));
    // A shape without points comes back without points.
    QCOMPARE(read.pointCount(), 0);
    QCOMPARE(read.opacity(), 1.0f);
    QCOMPARE(read.tension(), 0.5f);
    QVERIFY(read.isClosed());
    QCOMPARE(read.align(), 1);
    QCOMPARE(read.font(), *SketchGlobals::defaultFont());
}

void TestSketchShapeXml::openLockedShapeWritesFlags()
{
    SketchShape *shape = makePath(m_layer, {{0, 0}, {10, 0}, {10, 10}}, false);
    shape->setLocked(true);
    QDomDocument document;
    QDomElement element = document.createElement("Shape");
    shape->writeXml(element);
    QCOMPARE(element.attribute("Closed"), QString("0"));
    QCOMPARE(element.attribute("Locked"), QString("1"));
    QCOMPARE(element.attribute("Points"), QString("0,0;10,0;10,10"));
}

void TestSketchShapeXml::opacityWinsOverBrushOpacity()
{
    SketchShape shape(m_layer);
    shape.setFill(SkinBrush(QColor(Qt::red)));
    shape.setOpacity(0.5f);
    QDomDocument document;
    QDomElement element = document.createElement("Shape");
    shape.writeXml(element);
    QCOMPARE(element.attribute("Opacity"), QString("0.5"));

    // Children that say otherwise about their own opacity lose.
    QDomDocument other;
    const QDomElement read = parseElement(other,
        "<Shape Opacity=\"0.5\"><Fill Color=\"#ff0000\" Opacity=\"0.2\"/>"
        "<Stroke Width=\"3\"><Fill Color=\"#00ff00\" Opacity=\"0.9\"/></Stroke></Shape>");
    SketchShape copy(m_layer);
    copy.readXml(read);
    QCOMPARE(copy.opacity(), 0.5f);
    QCOMPARE(copy.fill().opacity(), 0.5f);
    QCOMPARE(copy.stroke().brush().opacity(), 0.5f);
    QCOMPARE(copy.stroke().width(), 3);
}

void TestSketchShapeXml::clampsOnRead_data()
{
    QTest::addColumn<QString>("attribute");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("angle 1") << "RotateAngle" << "1" << 0.0;
    QTest::newRow("angle negative") << "RotateAngle" << "-0.25" << 0.0;
    QTest::newRow("angle inside") << "RotateAngle" << "0.25" << 0.25;
    QTest::newRow("direction 9") << "Direction" << "9" << 5.0;
    QTest::newRow("direction -1") << "Direction" << "-1" << 0.0;
    QTest::newRow("blur -3") << "Blur" << "-3" << 0.0;
    QTest::newRow("tension 2") << "Tension" << "2" << 1.0;
    QTest::newRow("tension -1") << "Tension" << "-1" << 0.0;
    QTest::newRow("opacity 7") << "Opacity" << "7" << 1.0;
    QTest::newRow("opacity not a number") << "Opacity" << "abc" << 0.0;
    QTest::newRow("empty tension is the default") << "Tension" << "" << 0.5;
}

void TestSketchShapeXml::clampsOnRead()
{
    QFETCH(QString, attribute);
    QFETCH(QString, text);
    QFETCH(double, expected);

    QDomDocument document;
    QDomElement element = document.createElement("Shape");
    element.setAttribute(attribute, text);
    SketchShape shape(m_layer);
    shape.readXml(element);
    const QMap<QString, double> values = {
        {"RotateAngle", shape.rotateAngle()}, {"Direction", shape.direction()}, {"Blur", shape.blur()},
        {"Tension", shape.tension()},         {"Opacity", shape.opacity()},
    };
    QCOMPARE(values.value(attribute), expected);
}

void TestSketchShapeXml::emptyPointTextGivesOriginPoint()
{
    QDomDocument document;
    const QDomElement element = parseElement(document, "<Shape Points=\"1,2;;3,4,1\"/>");
    SketchShape shape(m_layer);
    shape.readXml(element);
    QCOMPARE(shape.pointCount(), 3);
    QCOMPARE(pointsOf(&shape), (QList<QPointF>{{1, 2}, {0, 0}, {3, 4}}));
    QVERIFY(shape.points().at(2)->isCurve());
}

void TestSketchShapeXml::defaultStyleWritesNoChildren()
{
    SketchShape shape(m_layer);
    shape.setFill(SkinBrush(QColor(255, 0, 0, 0))); // solid, fully transparent red
    shape.setStroke(SketchStroke(Qt::black, 1, 0));
    QDomDocument document;
    QDomElement element = document.createElement("Shape");
    shape.writeStyleXml(element);
    QVERIFY(element.firstChildElement("Fill").isNull());
    QVERIFY(element.firstChildElement("Stroke").isNull());

    shape.setFill(SkinBrush(QColor(Qt::red)));
    shape.setStroke(SketchStroke(Qt::blue, 3, 1));
    QDomElement written = document.createElement("Shape");
    shape.writeStyleXml(written);
    QCOMPARE(written.firstChildElement("Fill").attribute("Color"), QString("#ff0000"));
    QCOMPARE(written.firstChildElement("Stroke").attribute("Width"), QString("3"));
}

void TestSketchShapeXml::fullRoundTrip()
{
    SketchShape *shape = makeBox(m_layer, QRectF(0, 0, 10, 10));
    SketchShape *frame = makeBox(nullptr, QRectF(0, 0, 10, 10));
    frame->setName("frame");
    shape->appendFrame(frame);
    shape->appendFrame(makeBox(nullptr, QRectF(0, 0, 20, 5)));
    shape->setFrameIndex(1);

    shape->clearPoints();
    shape->points() << new SketchPoint(1.5, 2) << new SketchPoint(30, 4, true)
                    << new SketchPoint(28, 40, false, true) << new SketchPoint(3, 38);
    shape->setClosed(false);
    shape->setName("hero");
    shape->setFill(SkinBrush(QColor(Qt::red), QColor(Qt::blue), true));
    shape->setStroke(SketchStroke(Qt::green, 4, 1));
    QFont font("Arial");
    font.setPixelSize(24);
    font.setBold(true);
    shape->setFont(font);
    shape->setFontColor(Qt::darkRed);
    shape->setAlign(3);
    shape->setOpacity(0.75f);
    shape->setBlur(2);
    shape->setBehavior(SketchShapeBubble);
    shape->setLocked(true);
    shape->setRotateAngle(0.125f);
    shape->setRotatePoint(QPointF(15, 20));
    shape->setTension(0.25f);
    shape->setDirection(3);
    shape->setText("Hello\nthere");
    shape->setInnerPosition(QPointF(7, 8));

    const QString text = shapeXml(shape);
    QDomDocument document;
    SketchShape read(m_layer);
    read.readXml(parseElement(document, text));
    QCOMPARE(shapeXml(&read), text);
    QCOMPARE(read.frames().size(), 2);
    QCOMPARE(read.frameIndex(), 1);
    QCOMPARE(read.frames().at(0)->name(), QString("frame"));
    QVERIFY(read.points().at(2)->isLocked());
}

void TestSketchShapeXml::setterClamps()
{
    SketchShape shape(m_layer);
    shape.setOpacity(2.0f);
    QCOMPARE(shape.opacity(), 1.0f);
    shape.setOpacity(-1.0f);
    QCOMPARE(shape.opacity(), 0.0f);
    QCOMPARE(shape.fill().opacity(), 0.0f);
    QCOMPARE(shape.stroke().brush().opacity(), 0.0f);
    shape.setTension(3.0f);
    QCOMPARE(shape.tension(), 1.0f);
    QCOMPARE(shape.setBlur(-5), 0);
    QCOMPARE(shape.setBlur(4), 4);
    shape.setDirection(7);
    QCOMPARE(shape.direction(), 5);
    shape.setRotateAngle(1.0f);
    QCOMPARE(shape.rotateAngle(), 0.0f);
    shape.setRotateAngle(0.5f);
    QCOMPARE(shape.rotateAngle(), 0.5f);
}

void TestSketchShapeXml::statusTexts()
{
    SketchShape *shape = makePath(m_layer, {{1.5, 2}, {11.5, 2}, {11.5, 22.5}});
    QCOMPARE(shape->pointStatusText(-1), QString());
    QCOMPARE(shape->pointStatusText(3), QString());
    QCOMPARE(shape->pointStatusText(0), QString("Point: X=1.5, Y=2.0"));
    QCOMPARE(shape->rectStatusText(), QString("Rect: X=1.5, Y=2.0, W=10.0, H=20.5"));
}

void TestSketchShapeXml::antialiasing_data()
{
    QTest::addColumn<float>("angle");
    QTest::addColumn<bool>("curve");
    QTest::addColumn<float>("tension");
    QTest::addColumn<bool>("expected");

    QTest::newRow("quarter turn, corners") << 0.25f << false << 0.5f << false;
    QTest::newRow("36 degrees") << 0.1f << false << 0.5f << true;
    QTest::newRow("curves") << 0.0f << true << 0.5f << true;
    QTest::newRow("curves without tension") << 0.0f << true << 0.0f << false;
}

void TestSketchShapeXml::antialiasing()
{
    QFETCH(float, angle);
    QFETCH(bool, curve);
    QFETCH(float, tension);
    QFETCH(bool, expected);
    SketchShape *shape = makePath(m_layer, {{0, 0}, {10, 0}, {10, 10}}, true, curve);
    shape->setRotateAngle(angle);
    shape->setTension(tension);
    QCOMPARE(shape->needsAntialiasing(), expected);
}

void TestSketchShapeXml::framesIndexWrittenOnlyAboveZero()
{
    SketchShape *shape = makeBox(m_layer, QRectF(0, 0, 10, 10));
    shape->appendFrame(makeBox(nullptr, QRectF(0, 0, 10, 10)));
    shape->appendFrame(makeBox(nullptr, QRectF(0, 0, 20, 20)));
    QDomDocument document;
    QDomElement element = document.createElement("Shape");
    shape->writeXml(element);
    QDomElement frames = element.firstChildElement("Frames");
    QVERIFY(!frames.isNull());
    QVERIFY(!frames.hasAttribute("Index"));
    QCOMPARE(frames.elementsByTagName("Shape").count(), 2);

    shape->setFrameIndex(1);
    QDomElement second = document.createElement("Shape");
    shape->writeXml(second);
    QCOMPARE(second.firstChildElement("Frames").attribute("Index"), QString("1"));

    // No "Frames" child: no frames, whatever the shape held before.
    SketchShape read(m_layer);
    read.appendFrame(makeBox(nullptr, QRectF(0, 0, 5, 5)));
    read.readXml(document.createElement("Shape"));
    QVERIFY(read.frames().isEmpty());
    QCOMPARE(read.frameIndex(), 0);
}

void TestSketchShapeXml::frameIndexFromFileIsClamped()
{
    QDomDocument document;
    const QDomElement element = parseElement(document,
        "<Shape Points=\"0,0;10,0;10,10\"><Frames Index=\"99\">"
        "<Shape Points=\"0,0;1,0\"/><!-- note --><Other/><Shape Points=\"0,0;2,0\"/>"
        "</Frames></Shape>");
    SketchShape shape(m_layer);
    shape.readXml(element);
    QCOMPARE(shape.frames().size(), 2);
    QCOMPARE(shape.frameIndex(), 1);
    QCOMPARE(shape.currentFrame(), shape.frames().at(1));

    QDomDocument negative;
    SketchShape other(m_layer);
    other.readXml(parseElement(negative, "<Shape><Frames Index=\"-4\"><Shape/></Frames></Shape>"));
    QCOMPARE(other.frameIndex(), 0);
    other.syncCurrentFrame(); // reaches a real frame, never one past the list
    QCOMPARE(other.frames().at(0)->pointCount(), 0);
}

void TestSketchShapeXml::nestedFramesStopAtDepthLimit()
{
    // 200 levels of frames inside frames.
    QString text;
    const int levels = 200;
    for (int i = 0; i < levels; ++i)
        text += "<Shape Points=\"0,0;1,1\"><Frames>";
    for (int i = 0; i < levels; ++i)
        text += "</Frames></Shape>";
    QDomDocument document;
    SketchShape shape(m_layer);
    shape.readXml(parseElement(document, text));

    int depth = 0;
    for (SketchShape *level = &shape; !level->frames().isEmpty(); level = level->frames().first())
        ++depth;
    QCOMPARE(depth, 64);
}

void TestSketchShapeXml::factoryNames()
{
    SketchShape *shape = createSketchShape("Shape", m_layer);
    QVERIFY(shape);
    QCOMPARE(shape->layer(), m_layer);
    QCOMPARE(shape->parent(), m_layer);
    QVERIFY(!m_layer->shapes().contains(shape));
    delete shape;
    QVERIFY(!createSketchShape("shape", m_layer));
    QVERIFY(!createSketchShape("Shape ", m_layer));
    QVERIFY(!createSketchShape(QString(), m_layer));
}

void TestSketchShapeXml::cloneIsDeepAndFree()
{
    SketchShape *owner = makeBox(m_layer, QRectF(0, 0, 50, 50));
    SketchShape *shape = makeBox(nullptr, QRectF(10, 20, 30, 40));
    shape->setGroup(owner);
    shape->setFill(SkinBrush(QColor(Qt::yellow)));
    shape->setText("text");
    shape->setSelected(true);

    SketchShape *copy = shape->clone(false);
    QCOMPARE(shapeXml(copy), shapeXml(shape));
    QCOMPARE(copy->layer(), shape->layer());
    QVERIFY(!copy->group());
    QVERIFY(copy->isSelected());
    copy->points().at(0)->translate(5, 5);
    QCOMPARE(shape->points().at(0)->toPointF(), QPointF(10, 20));
    delete copy;
}

void TestSketchShapeXml::copyToWithAndWithoutFrames()
{
    SketchShape *source = makeBox(m_layer, QRectF(0, 0, 10, 10));
    source->appendFrame(makeBox(nullptr, QRectF(0, 0, 10, 10)));
    source->appendFrame(makeBox(nullptr, QRectF(0, 0, 30, 30)));
    source->setFrameIndex(1);

    SketchShape *target = makeBox(m_layer, QRectF(5, 5, 5, 5));
    SketchShape *kept = makeBox(nullptr, QRectF(0, 0, 1, 1));
    target->appendFrame(kept);
    source->copyTo(target, false);
    QCOMPARE(target->frames(), QList<SketchShape *>{kept});
    QCOMPARE(target->frameIndex(), 0);

    source->copyTo(target, true);
    QCOMPARE(target->frames().size(), 2);
    QVERIFY(!target->frames().contains(source->frames().at(0)));
    QCOMPARE(target->frameIndex(), 1);
    QCOMPARE(shapeXml(target->frames().at(1)), shapeXml(source->frames().at(1)));
    for (SketchShape *frame : target->frames())
        QCOMPARE(frame->parent(), target);

    source->copyTo(source, true); // nothing
    source->copyTo(nullptr, true);
    QCOMPARE(source->frames().size(), 2);
}

void TestSketchShapeXml::cloneOfRotatedFramedShapeStaysInPlace()
{
    SketchShape *source = makeBox(m_layer, QRectF(0, 0, 40, 20));
    for (int i = 0; i < 3; ++i)
        source->appendFrame(makeBox(nullptr, QRectF(0, 0, 40 + 10 * i, 20 + 5 * i)));
    source->setFrameIndex(1);
    source->setRotateAngle(0.1f);
    source->translate(30, 0);
    source->syncCurrentFrame();

    SketchShape *copy = source->clone(true);
    QCOMPARE(copy->frameIndex(), 1);
    QCOMPARE(shapeXml(copy), shapeXml(source));
    delete copy;
}

void TestSketchShapeXml::fillAndStrokeTakeTheShapeOpacity()
{
    SketchShape *shape = makeBox(m_layer, QRectF(0, 0, 10, 10));
    shape->setOpacity(0.5f);
    shape->setFill(SkinBrush(QColor(Qt::red)));
    SketchStroke stroke;
    stroke.setWidth(3);
    shape->setStroke(stroke);
    QCOMPARE(shape->fill().opacity(), 0.5f);
    QCOMPARE(shape->stroke().brush().opacity(), 0.5f);

    // What is shown is what a copy, a save and an undo give back.
    SketchShape *copy = shape->clone(false);
    QCOMPARE(copy->fill(), shape->fill());
    QCOMPARE(shapeXml(copy), shapeXml(shape));
    delete copy;
}

void TestSketchShapeXml::styleReachesNamesakesInFrames()
{
    SketchShape *shape = makeBox(m_layer, QRectF(0, 0, 10, 10));
    shape->setName("A");
    SketchShape *first = makeBox(nullptr, QRectF(0, 0, 10, 10));
    first->setName("A");
    SketchShape *second = makeBox(nullptr, QRectF(0, 0, 10, 10));
    second->setName("B");
    shape->appendFrame(first);
    shape->appendFrame(second);

    const SkinBrush red(QColor(Qt::red));
    shape->setFill(red);
    QCOMPARE(first->fill(), red);
    QVERIFY(second->fill() != red);

    const SketchStroke thick(Qt::blue, 5, 1);
    first->setStroke(thick); // a frame has no frames of its own: nothing spreads
    QVERIFY(shape->stroke() != thick);
    shape->setStroke(thick);
    QCOMPARE(first->stroke(), thick);

    // An unnamed shape passes nothing on.
    shape->setName(QString());
    shape->setFill(SkinBrush(QColor(Qt::green)));
    QCOMPARE(first->fill(), red);
}

void TestSketchShapeXml::equalFillCallsNoOtherShape()
{
    SketchShape *shape = makeBox(m_layer, QRectF(0, 0, 10, 10));
    shape->setName("A");
    SketchShape *frame = makeBox(nullptr, QRectF(0, 0, 10, 10));
    frame->setName("A");
    shape->appendFrame(frame);
    frame->fill() = SkinBrush(QColor(Qt::blue)); // differs, bypassing the setter

    shape->setFill(shape->fill());
    QCOMPARE(frame->fill(), SkinBrush(QColor(Qt::blue)));
}

void TestSketchShapeXml::setFrameIndexClamps()
{
    SketchShape *shape = makeBox(m_layer, QRectF(100, 100, 10, 10));
    shape->setFrameIndex(3);
    QCOMPARE(shape->frameIndex(), 0);
    QCOMPARE(pointsOf(shape).first(), QPointF(100, 100));

    for (int i = 1; i <= 3; ++i)
        shape->appendFrame(makeBox(nullptr, QRectF(0, 0, 10 * i, 10)));
    shape->setFrameIndex(99);
    QCOMPARE(shape->frameIndex(), 2);
    QCOMPARE(shape->boundingRect(), QRectF(100, 100, 30, 10));
    shape->setFrameIndex(-5);
    QCOMPARE(shape->frameIndex(), 0);
    QCOMPARE(shape->boundingRect(), QRectF(100, 100, 10, 10));
}

void TestSketchShapeXml::frameSwitchKeepsPlaceAtAnyZoom_data()
{
    QTest::addColumn<float>("zoom");
    QTest::newRow("zoom 1") << 1.0f;
    QTest::newRow("zoom 2") << 2.0f;
    QTest::newRow("zoom 0.5") << 0.5f;
}

void TestSketchShapeXml::frameSwitchKeepsPlaceAtAnyZoom()
{
    QFETCH(float, zoom);
    m_view->setZoom(zoom);
    m_view->setScrollX(-30, false);
    SketchShape *shape = makeBox(m_layer, QRectF(40, 60, 10, 10));
    shape->setRotateAngle(0.25f);
    shape->centerRotatePoint();
    shape->appendFrame(makeBox(nullptr, QRectF(0, 0, 10, 10)));
    shape->appendFrame(makeBox(nullptr, QRectF(0, 0, 20, 10)));

    shape->setFrameIndex(1);
    QCOMPARE(shape->frameIndex(), 1);
    QCOMPARE(shape->rotateAngle(), 0.25f);
    QCOMPARE(shape->boundingRect().size(), QSizeF(20, 10));
    // The rotate point follows the new frame's centre.
    QVERIFY(isNear(shape->rotatePoint(), shape->center()));
}

void TestSketchShapeXml::frameSwitchUnderRotationKeepsDrawnPlace()
{
    // Without rotation the top-left stays; with one, the top-left corner is
    // drawn where the old state's top-left corner was drawn.
    for (float angle : {0.0f, 0.125f, 0.25f}) {
        SketchShape *shape = makeBox(m_layer, QRectF(40, 60, 10, 10));
        shape->setRotateAngle(angle);
        shape->centerRotatePoint();
        shape->appendFrame(makeBox(nullptr, QRectF(0, 0, 10, 10)));
        shape->appendFrame(makeBox(nullptr, QRectF(0, 0, 30, 20)));
        const QPointF before = shape->mapToView(shape->boundingRect().topLeft());

        for (float zoom : {1.0f, 2.0f}) {
            m_view->setZoom(zoom);
            shape->setFrameIndex(1);
            const QPointF after = shape->mapToView(shape->boundingRect().topLeft()) / zoom;
            QVERIFY2(isNear(after, before),
                     qPrintable(QString("angle %1 zoom %2: (%3, %4) instead of (%5, %6)")
                                    .arg(angle).arg(zoom).arg(after.x()).arg(after.y())
                                    .arg(before.x()).arg(before.y())));
            shape->setFrameIndex(0);
            m_view->setZoom(1.0f);
        }
        if (angle == 0.0f)
            QCOMPARE(shape->boundingRect().topLeft(), QPointF(40, 60));
    }
}

void TestSketchShapeXml::frameSwitchInGroupUsesInnerPosition()
{
    m_view->setZoom(2.0f);
    SketchShape *group = makeBox(m_layer, QRectF(100, 100, 50, 50));
    SketchShape *member = makeBox(nullptr, QRectF(5, 5, 10, 10));
    member->setLayer(m_layer);
    member->setGroup(group);
    SketchShape *zero = makeBox(nullptr, QRectF(0, 0, 10, 10));
    SketchShape *one = makeBox(nullptr, QRectF(0, 0, 4, 4));
    one->setInnerPosition(QPointF(20, 30));
    member->appendFrame(zero);
    member->appendFrame(one);

    member->setFrameIndex(1);
    QCOMPARE(member->boundingRect(), QRectF(20, 30, 4, 4));
    QCOMPARE(zero->innerPosition(), QPointF(5, 5));
    member->setFrameIndex(0);
    QCOMPARE(member->boundingRect(), QRectF(5, 5, 10, 10));
}

void TestSketchShapeXml::syncCurrentFrameNormalisesAtZoomTwo()
{
    m_view->setZoom(2.0f);
    SketchShape *shape = makeBox(m_layer, QRectF(40, 60, 10, 10));
    shape->setRotateAngle(0.1f);
    shape->appendFrame(makeBox(nullptr, QRectF(0, 0, 10, 10)));
    shape->setSelected(true);
    shape->setActiveHandle(SketchHandleInside);
    shape->points().at(2)->translate(5, 5);

    shape->syncCurrentFrame();
    SketchShape *frame = shape->currentFrame();
    QCOMPARE(frame->boundingRect(), QRectF(0, 0, 15, 15));
    QVERIFY(!frame->isSelected());
    QCOMPARE(frame->activeHandle(), int(SketchHandleNone));
    QCOMPARE(frame->parent(), shape);
}

void TestSketchShapeXml::moveRotatePointFromOrigin()
{
    SketchShape *shape = makeBox(m_layer, QRectF(10, 10, 20, 20));
    shape->setRotateAngle(0.25f);
    shape->moveRotatePoint(QPointF(20, 20));
    QCOMPARE(shape->rotatePoint(), QPointF(20, 20));
    QCOMPARE(pointsOf(shape).first(), QPointF(10, 10));
}

void TestSketchShapeXml::moveRotatePointKeepsDrawing()
{
    SketchShape *shape = makeBox(m_layer, QRectF(10, 10, 20, 20));
    shape->setRotateAngle(0.25f);
    shape->setRotatePoint(QPointF(10, 10));
    const QPointF drawn = shape->mapToView(QPointF(30, 30));
    shape->centerRotatePoint();
    QCOMPARE(shape->rotateAngle(), 0.25f);
    const QPointF moved = shape->mapToView(shape->points().at(2)->toPointF());
    QVERIFY(isNear(moved, drawn));
}

void TestSketchShapeXml::applyRotationQuarterTurn()
{
    SketchShape *shape = makePath(m_layer, {{10, 0}, {20, 0}}, false);
    shape->points().at(0)->setCurve(true);
    shape->setRotateAngle(0.5f);
    shape->applyRotation(0.25f, QPointF(0, 0));
    QVERIFY(qAbs(shape->pointX(0)) < 1e-4);
    QVERIFY(qAbs(shape->pointY(0) - 10) < 1e-4);
    QVERIFY(shape->points().at(0)->isCurve());
    QCOMPARE(shape->rotateAngle(), 0.0f);
    QVERIFY(isNear(shape->rotatePoint(), shape->center()));
}

void TestSketchShapeXml::removeActive()
{
    SketchShape *shape = makePath(m_layer, {{0, 0}, {10, 0}, {10, 10}});
    shape->setBehavior(SketchShapeBox);
    shape->setActiveHandle(SketchHandleFirstPoint + 1);
    shape->removeActive();
    QCOMPARE(pointsOf(shape), (QList<QPointF>{{0, 0}, {10, 10}}));
    QCOMPARE(shape->behavior(), int(SketchShapePath));
    QVERIFY(!shape->isClosed());
    QCOMPARE(shape->activeHandle(), int(SketchHandleOutline));
    QVERIFY(m_layer->shapes().contains(shape));
}

void TestSketchShapeXml::removeActiveOnLockedPoint()
{
    SketchShape *shape = makePath(m_layer, {{0, 0}, {10, 0}, {10, 10}});
    shape->setBehavior(SketchShapeBox);
    shape->points().at(1)->setLocked(true);
    shape->setActiveHandle(SketchHandleFirstPoint + 1);
    shape->removeActive();
    QCOMPARE(shape->pointCount(), 3);
    QCOMPARE(shape->behavior(), int(SketchShapeBox));
    QCOMPARE(shape->activeHandle(), int(SketchHandleOutline));
    QVERIFY(shape->isClosed());

    // A handle beyond the list removes nothing but makes a free path.
    shape->setActiveHandle(40);
    shape->removeActive();
    QCOMPARE(shape->pointCount(), 3);
    QCOMPARE(shape->behavior(), int(SketchShapePath));
}

void TestSketchShapeXml::removeActiveWithoutPointTakesShapeOut()
{
    SketchShape *shape = makeBox(m_layer, QRectF(0, 0, 10, 10));
    shape->setSelected(true);
    shape->setActiveHandle(SketchHandleNone);
    shape->removeActive();
    QVERIFY(!m_layer->shapes().contains(shape));
    QVERIFY(!shape->isSelected());
    QCOMPARE(shape->pointCount(), 4);
    QCOMPARE(shape->parent(), m_layer); // still owned, freed with the layer
}

void TestSketchShapeXml::flipsIgnoreFlatShapes()
{
    SketchShape *flat = makePath(m_layer, {{10, 5}, {10, 50}}, false);
    flat->flipHorizontal();
    flat->flipVertical();
    QCOMPARE(pointsOf(flat), (QList<QPointF>{{10, 5}, {10, 50}}));

    SketchShape *box = makeBox(m_layer, QRectF(0, 0, 40, 20));
    box->points().at(0)->setY(-10);
    box->flipVertical();
    QCOMPARE(box->boundingRect(), QRectF(0, -10, 40, 30));
    QCOMPARE(box->points().at(0)->y(), 20.0f);
}

void TestSketchShapeXml::framesAreOwnedByTheirShape()
{
    SketchShape *shape = makeBox(m_layer, QRectF(0, 0, 10, 10));
    SketchShape *frame = shape->clone(true);
    QCOMPARE(frame->parent(), m_layer);
    shape->appendFrame(frame);
    QCOMPARE(frame->parent(), shape);

    SketchLayer *other = new SketchLayer(m_view->document(), "other");
    m_view->layers().append(other);
    shape->setLayer(other);
    QCOMPARE(shape->parent(), other);
    QCOMPARE(frame->layer(), other);
    QCOMPARE(frame->parent(), shape);

    // A frame that leaves the list is still freed with its shape.
    QPointer<SketchShape> orphan = frame;
    shape->frames().clear();
    QPointer<SketchShape> owner = shape;
    m_layer->shapes().removeOne(shape);
    delete shape;
    QVERIFY(!orphan);
    QVERIFY(!owner);
}

void TestSketchShapeXml::groupedShapeKeepsGroupAsOwner()
{
    SketchShape *group = makeBox(m_layer, QRectF(0, 0, 10, 10));
    SketchShape *member = makeBox(nullptr, QRectF(0, 0, 5, 5));
    member->setLayer(m_layer);
    QCOMPARE(member->parent(), m_layer);
    member->setGroup(group);
    QCOMPARE(member->parent(), group);

    SketchLayer *other = new SketchLayer(m_view->document(), "other");
    m_view->layers().append(other);
    member->setLayer(other);
    QCOMPARE(member->layer(), other);
    QCOMPARE(member->parent(), group);

    // Leaving the group hands the shape to its layer.
    member->setGroup(nullptr);
    QCOMPARE(member->parent(), other);
    QVERIFY(!member->group());
}

void TestSketchShapeXml::layerDestructionFreesEverythingOnce()
{
    SketchLayer *layer = new SketchLayer(m_view->document(), "doomed");
    SketchShape *shape = makeBox(layer, QRectF(0, 0, 10, 10));
    for (int i = 0; i < 3; ++i) {
        SketchShape *frame = makeBox(nullptr, QRectF(0, 0, 10 + i, 10));
        frame->appendFrame(makeBox(nullptr, QRectF(0, 0, 1, 1)));
        shape->appendFrame(frame);
    }
    SketchShape *member = makeBox(nullptr, QRectF(1, 1, 2, 2));
    member->setLayer(layer);
    member->setGroup(shape);
    SketchShape *taken = makeBox(layer, QRectF(0, 0, 3, 3));
    taken->appendFrame(makeBox(nullptr, QRectF(0, 0, 3, 3)));
    layer->shapes().removeOne(taken); // held elsewhere, still the layer's child
    SketchShape *clone = shape->clone(true);
    clone->setLayer(layer);
    layer->shapes().append(clone);
    // A frame put straight into the list, still a child of the layer.
    clone->frames().append(taken->clone(true));

    QVERIFY(SketchGlobals::ShapeCount > m_counts.shapes);
    delete layer;
    QCOMPARE(SketchGlobals::ShapeCount, m_counts.shapes);
    QCOMPARE(SketchGlobals::PointCount, m_counts.points);
}

QTEST_MAIN(TestSketchShapeXml)
#include "tst_sketchshapexml.moc"
