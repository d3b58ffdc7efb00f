// SketchGroup: attaching and detaching members, the box, handles, flips,
// hit tests, painting, copies, the XML element and ownership.
#include "support/documents.h"
#include "support/livecounts.h"
#include "support/pixels.h"
#include "support/shapes.h"

#include "model/geometry.h"

#include <QPainter>
#include <QPointer>
#include <QStandardPaths>
#include <QtTest>

class TestSketchGroup : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup();

    void groupOfOneRectangle();
    void blurredGroupDrawsItsTextOnce();
    void factoryMakesGroups();
    void rotatedMemberKeepsItsPlace();
    void rotatedMemberRendersTheSame();
    void linearFillTurnsWithBakedRotation();
    void emptyGroup();
    void bottomRightHandleScalesMembers();
    void bottomRightHandleOfRotatedGroupKeepsProportions();
    void otherHandlesMoveOrNothing();
    void resizeByNothingChangesNothing();
    void flipTurnsRotation();
    void flipAboutForeignAxisKeepsMembersInBox();
    void nestedFlipKeepsLook();
    void pointStatusText();
    void rubberBandCatchesCorner();
    void hitTestBetweenMembers();
    void openFilledMemberHitInItsBox_data();
    void openFilledMemberHitInItsBox();
    void removeActiveKeepsCorners();
    void ungroupingRotatedGroupKeepsLook();
    void ungroupAndRegroupSameMembers();
    void styleReachesMembers();
    void styleStopsAtFrames();
    void deselectingReachesNestedMembers();
    void selectedShapeFindsInnerSelection();
    void shapeAtFindsMemberUnderView();
    void readSkipsOtherChildren();
    void xmlRoundTripOfNestedGroups();
    void nestingInFileStopsAt64Levels();
    void copyToKeepsMatchingMembers();
    void copyToReplacesOtherMembers();
    void copyShapesToDocument();
    void copyShapesToDocumentWithoutLayer();
    void membersOwnedOnce();

private:
    SketchShape *box(const QRectF &r, const QColor &fill = Qt::red);

    SketchDocumentView *m_view = nullptr;
    SketchLayer *m_layer = nullptr;
    LiveCounts m_counts;
};

void TestSketchGroup::init()
{
    m_counts = LiveCounts();
    m_view = new SketchDocumentView;
    m_layer = m_view->currentLayer();
}

void TestSketchGroup::cleanup()
{
    delete m_view;
    m_view = nullptr;
    const LiveCounts now;
    QVERIFY2(now == m_counts, qPrintable(describe(now) + " after, " + describe(m_counts) + " before"));
}

SketchShape *TestSketchGroup::box(const QRectF &r, const QColor &fill)
{
    SketchShape *shape = makeBox(m_layer, r);
    shape->setFill(SkinBrush(fill));
    return shape;
}

void TestSketchGroup::groupOfOneRectangle()
{
    SketchShape *rect = box(QRectF(10, 20, 100, 50));
    SketchGroup *group = groupShapes(m_layer, {rect});

    QCOMPARE(rect->behavior(), int(SketchShapePath));
    QCOMPARE(pointsOf(rect), (QList<QPointF>{{0, 0}, {100, 0}, {100, 50}, {0, 50}}));
    QCOMPARE(pointsOf(group), (QList<QPointF>{{10, 20}, {110, 20}, {110, 70}, {10, 70}}));
    const QList<bool> locks{true, true, false, true};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(group->points().at(i)->isLocked(), locks.at(i));
        QVERIFY(!group->points().at(i)->isCurve());
    }
    QCOMPARE(group->boundingRect(), QRectF(10, 20, 100, 50));
    QCOMPARE(m_layer->shapes(), QList<SketchShape *>{group});
    QCOMPARE(rect->group(), group);
    QCOMPARE(rect->parent(), group);
    QCOMPARE(rect->layer(), m_layer);
    QVERIFY(!rect->isSelected());
    QCOMPARE(group->rotateAngle(), 0.0f);
    QCOMPARE(group->rotatePoint(), QPointF(0, 0));
    QCOMPARE(group->shapesSize(), QSizeF(100, 50));
    // The member is drawn where it was.
    QCOMPARE(drawnPoints(*m_view, rect), (QList<QPointF>{{10, 20}, {110, 20}, {110, 70}, {10, 70}}));
}

void TestSketchGroup::factoryMakesGroups()
{
    QScopedPointer<SketchShape> group(createSketchShape("Group", m_layer));
    QVERIFY(group);
    QVERIFY(group->isGroup());
    QCOMPARE(group->typeName(), QString("Group"));
    QVERIFY(qobject_cast<SketchGroup *>(group.data()));
    QVERIFY(!createSketchShape("group", m_layer));
    QVERIFY(!createSketchShape("Group ", m_layer));
    QVERIFY(!group->hasEditablePoints());
    QVERIFY(!group->insertPoint(0, 0, true));
}

void TestSketchGroup::rotatedMemberKeepsItsPlace()
{
    SketchShape *plain = box(QRectF(0, 0, 40, 40));
    SketchShape *turned = box(QRectF(100, 100, 100, 50));
    turned->setRotatePoint(QPointF(150, 125));
    turned->setRotateAngle(0.25f);
    const QList<QPointF> before = drawnPoints(*m_view, turned);

    groupShapes(m_layer, {plain, turned});
    QCOMPARE(turned->rotateAngle(), 0.0f);
    QCOMPARE(turned->behavior(), int(SketchShapePath));
    const QList<QPointF> after = drawnPoints(*m_view, turned);
    QVERIFY2(samePoints(before, after), qPrintable(describePoints(before) + " / " + describePoints(after)));
    // The box holds the turned member: 50 wide and 100 high around (150, 125).
    SketchGroup *group = static_cast<SketchGroup *>(turned->group());
    const QRectF r = group->boundingRect();
    QVERIFY(std::abs(r.right() - 175) < 1e-3 && std::abs(r.bottom() - 175) < 1e-3);
}

// A rotated member is drawn with the same pixels on its own, grouped and
// ungrouped again.
void TestSketchGroup::rotatedMemberRendersTheSame()
{
    SketchShape *frame = box(QRectF(50, 50, 300, 200), Qt::blue);
    SketchShape *turned = box(QRectF(400, 200, 160, 90), Qt::darkGreen);
    turned->setStroke(SketchStroke(Qt::black, 3, SketchStrokeRound));
    turned->centerRotatePoint();
    turned->setRotateAngle(1.0f / 12.0f);
    SketchDocument *document = m_view->document();
    const QImage alone = document->renderToPixmap(false, "PNG").toImage();
    QVERIFY(inkedPixels(alone, qRgb(255, 255, 255)) > 10000);

    SketchGroup *group = groupShapes(m_layer, {frame, turned});
    const QImage grouped = document->renderToPixmap(false, "PNG").toImage();
    ungroup(group);
    const QImage ungrouped = document->renderToPixmap(false, "PNG").toImage();

    // Only a few antialiased edge pixels may differ, and only a little; a
    // shift by one pixel would change hundreds along the edges.
    QVERIFY2(differingPixels(alone, grouped, 40) <= 10, qPrintable(QString::number(differingPixels(alone, grouped, 40))));
    QVERIFY2(differingPixels(alone, ungrouped, 40) <= 10,
             qPrintable(QString::number(differingPixels(alone, ungrouped, 40))));
    QCOMPARE(differingPixels(alone, grouped, 128), 0);
}

void TestSketchGroup::linearFillTurnsWithBakedRotation()
{
    SketchShape *shape = box(QRectF(0, 0, 100, 100));
    SkinBrush gradient(Qt::red, Qt::blue, true);
    shape->setFill(gradient);
    const QPointF from = shape->fill().from();
    const QPointF to = shape->fill().to();
    const QPointF middle = (from + to) / 2.0;
    shape->centerRotatePoint();
    shape->setRotateAngle(0.25f);

    groupShapes(m_layer, {shape});
    const QPointF turnedFrom = rotatePointAround(from, middle, 90.0f, 1.0f);
    const QPointF turnedTo = rotatePointAround(to, middle, 90.0f, 1.0f);
    QVERIFY(samePoints({shape->fill().from(), shape->fill().to()}, {turnedFrom, turnedTo}, 1e-4));
    QVERIFY(std::abs(shape->fill().from().x() - 0.5) < 1e-4);
}

void TestSketchGroup::blurredGroupDrawsItsTextOnce()
{
    SketchShape *member = box(QRectF(0, 0, 200, 80));
    member->setFill(SkinBrush::transparentBrush());
    member->setStroke(SketchStroke(QColor(0, 0, 0, 0), 1, 0));
    SketchGroup *group = groupShapes(m_layer, {member});
    group->setText(QStringLiteral("MMMM"));
    group->setFontColor(QColor(0, 0, 0, 128));
    group->setBlur(1);

    QImage *blurred = group->renderBlurImage();
    QVERIFY(blurred);
    int maxAlpha = 0;
    for (int y = 0; y < blurred->height(); ++y)
        for (int x = 0; x < blurred->width(); ++x)
            maxAlpha = qMax(maxAlpha, qAlpha(blurred->pixel(x, y)));
    delete blurred;
    // Half-transparent text drawn once stays at about half alpha even where
    // glyphs are solid; drawn twice it reaches three quarters.
    QVERIFY2(maxAlpha > 60 && maxAlpha <= 140, qPrintable(QString::number(maxAlpha)));
}

void TestSketchGroup::emptyGroup()
{
    SketchGroup *group = new SketchGroup(m_layer);
    m_layer->shapes().append(group);
    group->attachShapes();
    QCOMPARE(group->pointCount(), 0);
    QVERIFY(group->boundingRect().isEmpty());
    QCOMPARE(group->shapesSize(), QSizeF(0, 0));
    group->flipHorizontal();
    group->flipVertical(10.0f);
    QCOMPARE(group->pointCount(), 0);

    QImage image(50, 50, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    group->setSelected(true);
    group->paint(&painter, 1.0f, true);
    group->paintContent(&painter, 1.0f);
    painter.end();
    QCOMPARE(inkedPixels(image, qRgb(255, 255, 255)), 0);
}

void TestSketchGroup::bottomRightHandleScalesMembers()
{
    SketchShape *a = box(QRectF(100, 100, 50, 100));
    SketchShape *b = box(QRectF(250, 150, 50, 50));
    SketchGroup *group = groupShapes(m_layer, {a, b});
    QCOMPARE(group->boundingRect(), QRectF(100, 100, 200, 100));

    group->setActiveHandle(SketchHandleFirstPoint + 2);
    group->moveHandle(20.0f, -300.0f);
    QCOMPARE(group->boundingRect(), QRectF(100, 100, 220, 110));
    // Members scale with the box about its top-left corner.
    QVERIFY(samePoints(pointsOf(b), {{165, 55}, {220, 55}, {220, 110}, {165, 110}}));
    QVERIFY(samePoints(drawnPoints(*m_view, a), {{100, 100}, {155, 100}, {155, 210}, {100, 210}}));
}

void TestSketchGroup::bottomRightHandleOfRotatedGroupKeepsProportions()
{
    SketchGroup *group = groupShapes(m_layer, {box(QRectF(0, 0, 200, 100))});
    group->centerRotatePoint();
    group->setRotateAngle(0.25f);
    group->setActiveHandle(SketchHandleFirstPoint + 2);
    group->moveHandle(0.0f, 20.0f);
    const QRectF r = group->boundingRect();
    QVERIFY2(std::abs(r.width() / r.height() - 2.0) < 1e-3, qPrintable(QString::number(r.width() / r.height())));
    QVERIFY(std::abs(r.width() - 200.0) > 1.0);
}

void TestSketchGroup::otherHandlesMoveOrNothing()
{
    SketchGroup *group = groupShapes(m_layer, {box(QRectF(0, 0, 100, 50))});
    for (int locked : {3, 4, 6}) {
        group->setActiveHandle(locked);
        group->moveHandle(15.0f, 5.0f);
        QCOMPARE(group->boundingRect(), QRectF(0, 0, 100, 50));
    }
    group->setActiveHandle(SketchHandleInside);
    group->moveHandle(15.0f, 5.0f);
    QCOMPARE(group->boundingRect(), QRectF(15, 5, 100, 50));
    QCOMPARE(pointsOf(group->shapes().first()).first(), QPointF(0, 0));
}

void TestSketchGroup::resizeByNothingChangesNothing()
{
    SketchGroup *group = groupShapes(m_layer, {box(QRectF(0, 0, 100, 50)), box(QRectF(120, 10, 30, 30))});
    const QString before = shapeXml(group);
    group->resize(group->boundingRect(), 0.0f, 0.0f);
    QCOMPARE(shapeXml(group), before);
    // Too small a box is refused, for the members as well.
    group->resize(group->boundingRect(), -148.0f, -48.0f);
    QCOMPARE(shapeXml(group), before);
}

void TestSketchGroup::flipTurnsRotation()
{
    SketchGroup *group = groupShapes(m_layer, {box(QRectF(0, 0, 100, 50))});
    group->setRotatePoint(QPointF(50, 25));
    group->flipHorizontal(50.0f);
    QCOMPARE(group->rotatePoint(), QPointF(50, 25));
    QCOMPARE(group->rotateAngle(), 0.0f);

    group->setRotateAngle(0.25f);
    group->flipHorizontal();
    QCOMPARE(group->rotateAngle(), 0.75f);
    QCOMPARE(group->rotatePoint(), QPointF(50, 25));
    group->flipVertical(100.0f);
    QCOMPARE(group->rotateAngle(), 0.25f);
    QCOMPARE(group->rotatePoint(), QPointF(50, 175));
    // The bottom-right corner stays the one that can be dragged.
    QVERIFY(!group->points().at(2)->isLocked());
}

void TestSketchGroup::flipAboutForeignAxisKeepsMembersInBox()
{
    SketchShape *left = box(QRectF(0, 0, 20, 20));
    SketchShape *right = box(QRectF(80, 30, 20, 20));
    SketchGroup *group = groupShapes(m_layer, {left, right});
    group->flipHorizontal(200.0f);
    // Drawn mirrored about x = 200, and the box still frames the members.
    QVERIFY(samePoints(drawnPoints(*m_view, left), {{400, 0}, {380, 0}, {380, 20}, {400, 20}}));
    QVERIFY(samePoints(drawnPoints(*m_view, right), {{320, 30}, {300, 30}, {300, 50}, {320, 50}}));
    QCOMPARE(group->boundingRect(), QRectF(300, 0, 100, 50));
    QCOMPARE(group->shapesBoundingPolygon().boundingRect(), QRectF(0, 0, 100, 50));

    group->flipVertical(0.0f);
    QVERIFY(samePoints(drawnPoints(*m_view, right), {{320, -30}, {300, -30}, {300, -50}, {320, -50}}));
    QCOMPARE(group->boundingRect(), QRectF(300, -50, 100, 50));
}

void TestSketchGroup::nestedFlipKeepsLook()
{
    SketchShape *a = box(QRectF(0, 0, 20, 20));
    SketchShape *b = box(QRectF(30, 0, 10, 10));
    SketchGroup *inner = groupShapes(m_layer, {a, b});
    SketchShape *c = box(QRectF(90, 90, 10, 10));
    SketchGroup *outer = groupShapes(m_layer, {inner, c});
    outer->flipHorizontal();
    QVERIFY(samePoints(drawnPoints(*m_view, a), {{100, 0}, {80, 0}, {80, 20}, {100, 20}}));
    QVERIFY(samePoints(drawnPoints(*m_view, b), {{70, 0}, {60, 0}, {60, 10}, {70, 10}}));
    QVERIFY(samePoints(drawnPoints(*m_view, c), {{10, 90}, {0, 90}, {0, 100}, {10, 100}}));
    QCOMPARE(outer->shapesBoundingPolygon().boundingRect(), QRectF(0, 0, 100, 100));
    QCOMPARE(inner->shapesBoundingPolygon().boundingRect(), QRectF(0, 0, 40, 20));
}

void TestSketchGroup::pointStatusText()
{
    SketchGroup *group = groupShapes(m_layer, {box(QRectF(0, 0, 10, 20.5))});
    QCOMPARE(group->pointStatusText(2), QString("Size: W=10.0, H=20.5"));
    QCOMPARE(group->pointStatusText(0), QString());
    QCOMPARE(group->pointStatusText(7), QString());
}

void TestSketchGroup::rubberBandCatchesCorner()
{
    SketchGroup *group = groupShapes(m_layer, {box(QRectF(0, 0, 20, 20)), box(QRectF(80, 80, 20, 20))});
    QVERIFY(group->hitTestRect(QRectF(95, -10, 20, 20)));
    QVERIFY(group->hitTestRect(QRectF(40, 40, 5, 5)));
    QVERIFY(!group->hitTestRect(QRectF(101, 101, 5, 5)));
    m_layer->setLocked(true);
    QVERIFY(!group->hitTestRect(QRectF(40, 40, 5, 5)));
}

void TestSketchGroup::hitTestBetweenMembers()
{
    SketchGroup *group = groupShapes(m_layer, {box(QRectF(0, 0, 20, 20)), box(QRectF(80, 80, 20, 20))});
    QCOMPARE(group->hitTest(50, 50), int(SketchHandleNone));
    QCOMPARE(group->hitTest(10, 10), int(SketchHandleInside));
    QCOMPARE(group->hitTest(90, 85), int(SketchHandleInside));
    QCOMPARE(group->hitTest(0, 0), 3);
    QCOMPARE(group->hitTest(101, 1), 4);
    QCOMPARE(group->hitTest(100, 100), 5);
    QCOMPARE(group->hitTest(-2, 99), 6);
    m_layer->setLocked(true);
    QCOMPARE(group->hitTest(10, 10), int(SketchHandleNone));
}

void TestSketchGroup::openFilledMemberHitInItsBox_data()
{
    QTest::addColumn<bool>("filled");
    QTest::addColumn<int>("expected");
    QTest::newRow("filled") << true << int(SketchHandleInside);
    QTest::newRow("unfilled") << false << int(SketchHandleNone);
}

void TestSketchGroup::openFilledMemberHitInItsBox()
{
    QFETCH(bool, filled);
    QFETCH(int, expected);
    SketchShape *v = makePath(m_layer, {{0, 0}, {50, 100}, {100, 0}}, false);
    if (filled)
        v->setFill(SkinBrush(QColor(Qt::red)));
    SketchGroup *group = groupShapes(m_layer, {v});
    // Beside the V, but inside its bounding rectangle.
    QCOMPARE(group->hitTest(10, 80), expected);
}

void TestSketchGroup::removeActiveKeepsCorners()
{
    SketchGroup *group = groupShapes(m_layer, {box(QRectF(0, 0, 20, 20))});
    group->setActiveHandle(SketchHandleFirstPoint + 2);
    group->removeActive();
    QCOMPARE(group->pointCount(), 4);
    QCOMPARE(group->activeHandle(), int(SketchHandleOutline));
    QCOMPARE(m_layer->shapes(), QList<SketchShape *>{group});

    group->setActiveHandle(SketchHandleInside);
    group->removeActive();
    QVERIFY(m_layer->shapes().isEmpty());
    QVERIFY(!group->isSelected());
    delete group;
}

// A group turned after grouping keeps its look when it is dissolved: the
// turn goes into the members.
void TestSketchGroup::ungroupingRotatedGroupKeepsLook()
{
    SketchShape *a = box(QRectF(100, 100, 120, 60), Qt::blue);
    SketchShape *b = makePath(m_layer, {{260, 120}, {330, 100}, {300, 220}});
    b->setFill(SkinBrush(QColor(Qt::magenta)));
    SketchGroup *group = groupShapes(m_layer, {a, b});
    group->centerRotatePoint();
    group->setRotateAngle(0.125f);
    const QList<QPointF> drawnA = drawnPoints(*m_view, a);
    const QList<QPointF> drawnB = drawnPoints(*m_view, b);
    const QImage rotated = m_view->document()->renderToPixmap(false, "PNG").toImage();

    ungroup(group);
    QCOMPARE(a->group(), nullptr);
    QCOMPARE(a->rotateAngle(), 0.0f);
    QVERIFY2(samePoints(drawnA, drawnPoints(*m_view, a)),
             qPrintable(describePoints(drawnA) + " / " + describePoints(drawnPoints(*m_view, a))));
    QVERIFY(samePoints(drawnB, drawnPoints(*m_view, b)));
    const QImage flat = m_view->document()->renderToPixmap(false, "PNG").toImage();
    QVERIFY(differingPixels(rotated, flat, 40) <= 10);
    QCOMPARE(differingPixels(rotated, flat, 128), 0);

    // Grouping them again gives an unrotated group with the same look.
    SketchGroup *again = groupShapes(m_layer, {a, b});
    QCOMPARE(again->rotateAngle(), 0.0f);
    QVERIFY(differingPixels(rotated, m_view->document()->renderToPixmap(false, "PNG").toImage(), 40) <= 10);
}

void TestSketchGroup::ungroupAndRegroupSameMembers()
{
    SketchLayer *other = new SketchLayer(m_view->document(), "Other");
    m_view->document()->layers().append(other);
    SketchShape *a = box(QRectF(10, 10, 20, 20));
    SketchShape *b = makeBox(other, QRectF(50, 60, 10, 10));
    SketchShape *c = box(QRectF(0, 0, 5, 5));
    SketchGroup *group = groupShapes(m_layer, {a, b});
    QCOMPARE(m_layer->shapes(), (QList<SketchShape *>{c, group}));
    QVERIFY(other->shapes().isEmpty());
    QCOMPARE(b->layer(), other);

    ungroup(group);
    QCOMPARE(m_layer->shapes(), (QList<SketchShape *>{c, a}));
    QCOMPARE(other->shapes(), QList<SketchShape *>{b});
    QCOMPARE(pointsOf(b).first(), QPointF(50, 60));
    QVERIFY(a->isSelected() && b->isSelected());
    QCOMPARE(a->activeHandle(), int(SketchHandleOutline));
    QCOMPARE(a->parent(), m_layer);
    QCOMPARE(b->parent(), other);
    QCOMPARE(group->shapes(), (QList<SketchShape *>{a, b}));

    group->attachShapes();
    m_layer->shapes().append(group);
    QCOMPARE(m_layer->shapes(), (QList<SketchShape *>{c, group}));
    QCOMPARE(group->boundingRect(), QRectF(10, 10, 50, 60));
}

void TestSketchGroup::styleReachesMembers()
{
    SketchShape *filled = box(QRectF(0, 0, 10, 10), Qt::red);
    SketchShape *empty = makeBox(m_layer, QRectF(20, 0, 10, 10));
    SketchShape *unstroked = box(QRectF(40, 0, 10, 10));
    SketchStroke none = unstroked->stroke();
    none.setBrush(SkinBrush::transparentBrush());
    unstroked->setStroke(none);
    SketchGroup *group = groupShapes(m_layer, {filled, empty, unstroked});

    group->setFill(SkinBrush(QColor(Qt::green)));
    QCOMPARE(filled->fill(), SkinBrush(QColor(Qt::green)));
    QVERIFY(empty->fill().isTransparent());
    group->setStroke(SketchStroke(Qt::blue, 3, 0));
    QCOMPARE(filled->stroke(), SketchStroke(Qt::blue, 3, 0));
    QVERIFY(unstroked->stroke().isInvisible());

    QFont font("Serif");
    font.setPixelSize(31);
    group->setFont(font);
    group->setFontColor(Qt::darkRed);
    group->setOpacity(0.5f);
    group->setTension(0.2f);
    for (SketchShape *member : group->shapes()) {
        QCOMPARE(member->font(), font);
        QCOMPARE(member->fontColor(), QColor(Qt::darkRed));
        QCOMPARE(member->opacity(), 0.5f);
        QCOMPARE(member->tension(), 0.2f);
    }
}

void TestSketchGroup::styleStopsAtFrames()
{
    SketchShape *member = box(QRectF(0, 0, 10, 10), Qt::red);
    SketchGroup *group = groupShapes(m_layer, {member});
    group->appendFrame(group->clone(false));
    group->setFill(SkinBrush(QColor(Qt::green)));
    group->setOpacity(0.3f);
    QCOMPARE(group->fill().stops().firstColor(), QColor(Qt::green));
    QCOMPARE(member->fill().stops().firstColor(), QColor(Qt::red));
    QCOMPARE(member->opacity(), 1.0f);
}

void TestSketchGroup::deselectingReachesNestedMembers()
{
    SketchShape *a = box(QRectF(0, 0, 10, 10));
    SketchGroup *inner = groupShapes(m_layer, {a});
    SketchGroup *outer = groupShapes(m_layer, {inner, box(QRectF(50, 50, 10, 10))});
    outer->setSelected(true);
    QVERIFY(!inner->isSelected());
    inner->setSelected(true);
    a->setSelected(true);
    outer->setSelected(false);
    QVERIFY(!inner->isSelected());
    QVERIFY(!a->isSelected());
}

void TestSketchGroup::selectedShapeFindsInnerSelection()
{
    SketchShape *a = box(QRectF(0, 0, 10, 10));
    SketchShape *b = box(QRectF(20, 0, 10, 10));
    SketchGroup *inner = groupShapes(m_layer, {a, b});
    SketchShape *c = box(QRectF(50, 50, 10, 10));
    SketchGroup *outer = groupShapes(m_layer, {c, inner});
    outer->setSelected(false);
    QCOMPARE(outer->selectedShape(), nullptr);
    outer->setSelected(true);
    QCOMPARE(outer->selectedShape(), outer);
    inner->setSelected(true);
    QCOMPARE(outer->selectedShape(), inner);
    b->setSelected(true);
    QCOMPARE(outer->selectedShape(), b);
    c->setSelected(true);
    QCOMPARE(outer->selectedShape(), c);
}

void TestSketchGroup::shapeAtFindsMemberUnderView()
{
    m_view->setZoom(2.0f);
    SketchShape *a = makePath(m_layer, {{0, 40}, {20, 0}, {40, 40}});
    SketchShape *b = box(QRectF(100, 0, 40, 40));
    SketchGroup *inner = groupShapes(m_layer, {b});
    SketchGroup *outer = groupShapes(m_layer, {a, inner});
    outer->translate(10.0f, 10.0f);
    // View positions: the zoom doubles the page coordinates.
    QCOMPARE(outer->shapeAt(QPointF(2 * 30, 2 * 30)), a);
    QCOMPARE(outer->shapeAt(QPointF(2 * 130, 2 * 30)), inner);
    QCOMPARE(outer->shapeAt(QPointF(2 * 80, 2 * 30)), nullptr);
    QCOMPARE(outer->shapeAt(QPointF(2 * 10, 2 * 10)), outer);
}

void TestSketchGroup::readSkipsOtherChildren()
{
    QDomDocument dom;
    const QDomElement element = parseElement(dom, "<Group Points=\"0,0,0,1;10,0,0,1;10,10;0,10,0,1\">"
                                                  "<Fill Type=\"0\"/><Shape Points=\"0,0;5,5\"/>"
                                                  "<Group/><Unknown/><!-- note --></Group>");
    SketchGroup *group = new SketchGroup(m_layer);
    m_layer->shapes().append(group);
    group->readXml(element);
    QCOMPARE(group->shapes().size(), 2);
    QCOMPARE(group->shapes().at(0)->typeName(), QString("Shape"));
    QCOMPARE(group->shapes().at(1)->typeName(), QString("Group"));
    for (SketchShape *member : group->shapes()) {
        QCOMPARE(member->group(), group);
        QCOMPARE(member->parent(), group);
        QCOMPARE(member->layer(), m_layer);
    }
    // The stored box is taken as it is.
    QCOMPARE(group->boundingRect(), QRectF(0, 0, 10, 10));
    QVERIFY(group->points().at(0)->isLocked());
    QVERIFY(!group->points().at(2)->isLocked());
}

void TestSketchGroup::xmlRoundTripOfNestedGroups()
{
    SketchShape *a = box(QRectF(0, 0, 10, 10));
    a->setName("eye");
    SketchGroup *inner = groupShapes(m_layer, {a, box(QRectF(30, 5, 10, 10), Qt::blue)});
    SketchGroup *outer = groupShapes(m_layer, {inner, box(QRectF(50, 50, 10, 10))});
    outer->setText("Hello");
    outer->setRotatePoint(QPointF(30, 30));
    outer->setRotateAngle(0.1f);
    const QString text = shapeXml(outer);

    QDomDocument dom;
    SketchShape *copy = createSketchShape("Group", m_layer);
    m_layer->shapes().append(copy);
    copy->readXml(parseElement(dom, text));
    QCOMPARE(shapeXml(copy), text);
    SketchGroup *copyGroup = static_cast<SketchGroup *>(copy);
    QCOMPARE(copyGroup->shapes().size(), 2);
    QVERIFY(copyGroup->shapes().first()->isGroup());
    QCOMPARE(copy->findShape("eye").size(), 1);
    // Member points are stored relative to the box.
    const SketchGroup *innerCopy = static_cast<SketchGroup *>(copyGroup->shapes().first());
    QCOMPARE(pointsOf(innerCopy->shapes().first()), (QList<QPointF>{{0, 0}, {10, 0}, {10, 10}, {0, 10}}));
}

void TestSketchGroup::nestingInFileStopsAt64Levels()
{
    const int depth = 100;
    QString text;
    for (int i = 0; i < depth; ++i)
        text += "<Group Points=\"0,0;1,0;1,1;0,1\">";
    text += "<Shape Points=\"0,0;1,1\"/>";
    for (int i = 0; i < depth; ++i)
        text += "</Group>";
    QDomDocument dom;
    SketchShape *top = createSketchShape("Group", m_layer);
    m_layer->shapes().append(top);
    top->readXml(parseElement(dom, text));

    int levels = 1;
    SketchGroup *deepest = static_cast<SketchGroup *>(top);
    while (!deepest->shapes().isEmpty()) {
        QCOMPARE(deepest->shapes().size(), 1);
        QVERIFY(deepest->shapes().first()->isGroup());
        deepest = static_cast<SketchGroup *>(deepest->shapes().first());
        ++levels;
    }
    // The top-level group and 64 levels of members below it.
    QCOMPARE(levels, 65);

    // A shallow nesting is read whole.
    QString shallow = "<Group><Group><Group><Shape Points=\"0,0;1,1\"/></Group></Group></Group>";
    SketchShape *small = createSketchShape("Group", m_layer);
    m_layer->shapes().append(small);
    small->readXml(parseElement(dom, shallow));
    SketchShape *inside = small;
    for (int i = 0; i < 3; ++i)
        inside = static_cast<SketchGroup *>(inside)->shapes().value(0);
    QVERIFY(inside);
    QCOMPARE(inside->typeName(), QString("Shape"));
}

void TestSketchGroup::copyToKeepsMatchingMembers()
{
    SketchGroup *source = groupShapes(m_layer, {box(QRectF(0, 0, 10, 10), Qt::blue), box(QRectF(20, 0, 10, 10))});
    SketchGroup *target = groupShapes(m_layer, {box(QRectF(0, 50, 5, 5)), box(QRectF(20, 50, 5, 5))});
    const QList<SketchShape *> members = target->shapes();
    source->copyTo(target, true);
    QCOMPARE(target->shapes(), members);
    QCOMPARE(shapeXml(target), shapeXml(source));
    QCOMPARE(members.first()->fill().stops().firstColor(), QColor(Qt::blue));
    QCOMPARE(members.first()->group(), target);
}

void TestSketchGroup::copyToReplacesOtherMembers()
{
    SketchGroup *source = groupShapes(m_layer, {box(QRectF(0, 0, 10, 10)), box(QRectF(20, 0, 10, 10))});
    SketchGroup *target = groupShapes(m_layer, {box(QRectF(0, 50, 5, 5))});
    QPointer<SketchShape> old = target->shapes().first();
    source->copyTo(target, true);
    QCOMPARE(target->shapes().size(), 2);
    QVERIFY(!target->shapes().contains(old.data()));
    QVERIFY(!source->shapes().contains(target->shapes().first()));
    QCOMPARE(target->shapes().first()->group(), target);
    QCOMPARE(target->shapes().first()->parent(), target);
    QCOMPARE(shapeXml(target), shapeXml(source));
    // The former member is not deleted here; it goes with the target.
    QVERIFY(old);
    QCOMPARE(old->parent(), target);

    SketchShape *clone = source->clone(true);
    QVERIFY(clone->isGroup());
    QCOMPARE(shapeXml(clone), shapeXml(source));
    QVERIFY(static_cast<SketchGroup *>(clone)->shapes().first() != source->shapes().first());
    delete clone;
}

void TestSketchGroup::copyShapesToDocument()
{
    SketchGroup *group = groupShapes(m_layer, {box(QRectF(40, 40, 10, 10)), box(QRectF(70, 60, 10, 10))});
    SketchDocumentView tab;
    group->copyShapesTo(tab.document());
    SketchLayer *target = tab.document()->layers().first();
    QCOMPARE(target->shapes().size(), 2);
    QCOMPARE(pointsOf(target->shapes().at(1)).first(), QPointF(30, 20));
    QCOMPARE(target->shapes().at(0)->layer(), target);
    QCOMPARE(target->shapes().at(0)->parent(), target);
    QCOMPARE(target->shapes().at(0)->group(), nullptr);
    QCOMPARE(group->shapes().size(), 2);
    QCOMPARE(group->shapesSize(), QSizeF(40, 30));
}

void TestSketchGroup::copyShapesToDocumentWithoutLayer()
{
    SketchGroup *group = groupShapes(m_layer, {box(QRectF(40, 40, 10, 10))});
    SketchDocumentView tab;
    tab.document()->clearLayers();
    const LiveCounts before;
    group->copyShapesTo(tab.document());
    group->copyShapesTo(nullptr);
    QVERIFY(LiveCounts() == before);
}

void TestSketchGroup::membersOwnedOnce()
{
    const LiveCounts start;
    {
        // A group made outside any layer frees its members itself.
        SketchGroup *loose = new SketchGroup(nullptr);
        SketchShape *member = makeBox(nullptr, QRectF(0, 0, 5, 5));
        loose->shapes().append(member);
        loose->attachShapes();
        delete loose;
    }
    QVERIFY(LiveCounts() == start);

    // Members handed back to their layer stay with it when the group goes.
    SketchShape *a = box(QRectF(0, 0, 10, 10));
    SketchGroup *group = groupShapes(m_layer, {a});
    ungroup(group);
    QPointer<SketchShape> survivor = a;
    delete group;
    QVERIFY(survivor);
    QCOMPARE(m_layer->shapes(), QList<SketchShape *>{a});

    // Nested groups go with their layer.
    groupShapes(m_layer, {groupShapes(m_layer, {a, box(QRectF(20, 20, 5, 5))})});
    QPointer<SketchShape> member = a;
    m_layer->clear();
    QVERIFY(!member);
}

QTEST_MAIN(TestSketchGroup)
#include "tst_sketchgroup.moc"
