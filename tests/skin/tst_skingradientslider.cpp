// The gradient bar: its geometry in floating point, the tracker hit order,
// selecting, adding, dragging and deleting stops with the mouse and the
// "Delete" menu, the fixed end stops, the add cursor, and the safe handling
// of an empty stop list, a selection past its end and a bar without span.
#include "skin/controls/skingradientslider.h"
#include "skin/windows/skintheme.h"

#include "controlevents.h"
#include "menuanswer.h"
#include "skinfixture.h"

#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

#include <memory>

namespace {

// 112 x 40 gives a span of 100 pixels: position p has its tip at
// trunc(100 p + 6.5), the strip runs from y 23 to 39, the tips on y 23.
constexpr int Width = 112;
constexpr int Height = 40;
constexpr int StripY = 32;

SkinGradient makeGradient(const QList<float> &positions)
{
    SkinGradient gradient;
    gradient.stops().clear();
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::cyan, Qt::magenta};
    for (int i = 0; i < positions.size(); ++i)
        gradient.append(positions.at(i), colours[i % 6]);
    return gradient;
}

// The tip's x of a position on the 100-pixel span.
int tipX(float position)
{
    return int(100.0f * position + 6.5f);
}

// The slider's signals in the order they arrive.
class SliderLog : public QObject
{
public:
    explicit SliderLog(SkinGradientSlider *slider)
    {
        connect(slider, qOverload<const QColor &>(&SkinGradientSlider::selectedTrackerChanged), this,
                [this](const QColor &c) { entries.append("changed " + c.name()); });
        connect(slider, qOverload<>(&SkinGradientSlider::selectedTrackerChanged), this,
                [this] { entries.append("changed"); });
        connect(slider, &SkinGradientSlider::selectedTrackerMoving, this, [this] { entries.append("moving"); });
        connect(slider, &SkinGradientSlider::selectedTrackerMoved, this, [this] { entries.append("moved"); });
        connect(slider, &SkinGradientSlider::selectedTrackerClicked, this, [this] { entries.append("clicked"); });
        connect(slider, &SkinGradientSlider::selectedTrackerDeleted, this, [this] { entries.append("deleted"); });
    }

    QStringList entries;
};

// Positions in ten-thousandths, so that a drag's float arithmetic compares
// with the plain decimals the tests write.
QList<int> rounded(const QList<float> &positions)
{
    QList<int> result;
    for (float position : positions)
        result.append(qRound(position * 10000));
    return result;
}

QList<int> positionsOf(SkinGradientSlider *slider)
{
    return rounded(slider->gradient().positions());
}

int selectedOf(SkinGradientSlider *slider)
{
    return qRound(slider->selectedPosition() * 10000);
}

} // namespace

class TestSkinGradientSlider : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void startsWithTwoWhiteStops();
    void geometry();
    void positionAtIsFractional_data();
    void positionAtIsFractional();
    void trackerAt_data();
    void trackerAt();
    void pressSelects_data();
    void pressSelects();
    void pressAdds_data();
    void pressAdds();
    void addedStopDragsInTheSamePress();
    void addDisabledAddsNothing();
    void dragMovesInnerStop();
    void dragKeepsTheListOrder();
    void endStopsAreFixed_data();
    void endStopsAreFixed();
    void dragEndingAboveTheStripReportsNothing();
    void draggingBelowDeletes();
    void deleteMenuRemovesInnerStop();
    void noMenuForEndStops();
    void deleteSelectsTheLeftNeighbour();
    void setters();
    void emptyStopListIsSafe();
    void selectionPastTheEndIsSafe();
    void noSpanAddsAndMovesNothing_data();
    void noSpanAddsAndMovesNothing();
    void cursor_data();
    void cursor();
    void painting();

private:
    std::unique_ptr<SkinGradientSlider> makeSlider(const QList<float> &positions);
};

void TestSkinGradientSlider::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    setSkinThemeStyle(Gray);
}

std::unique_ptr<SkinGradientSlider> TestSkinGradientSlider::makeSlider(const QList<float> &positions)
{
    auto slider = std::make_unique<SkinGradientSlider>();
    slider->resize(Width, Height);
    slider->setGradient(makeGradient(positions));
    return slider;
}

void TestSkinGradientSlider::startsWithTwoWhiteStops()
{
    SkinGradientSlider slider;
    QCOMPARE(slider.gradient().positions(), QList<float>({0.0f, 1.0f}));
    QCOMPARE(slider.gradient().colors(), QList<QColor>({Qt::white, Qt::white}));
    QCOMPARE(slider.selectedIndex(), 0);
    QCOMPARE(slider.selectedColor(), QColor(Qt::white));
    QVERIFY(slider.isAddEnabled());
    QVERIFY(slider.testAttribute(Qt::WA_MouseTracking));
    QVERIFY(slider.testAttribute(Qt::WA_NoMousePropagation));
}

void TestSkinGradientSlider::geometry()
{
    auto slider = makeSlider({0.0f, 0.5f, 1.0f});
    QCOMPARE(slider->gradientRect(), QRectF(6.5, 0, 100, 23));
    QCOMPARE(slider->trackerRect(), QRectF(6.5, 23, 100, 16));
    const QPolygonF pentagon = slider->trackerPolygon(1);
    QCOMPARE(pentagon, QPolygonF({QPointF(56, 23), QPointF(50.5, 28.5), QPointF(50.5, 39), QPointF(61.5, 39),
                                  QPointF(61.5, 28.5)}));
    const QList<QPolygonF> all = slider->trackerPolygons();
    QCOMPARE(all.size(), 3);
    QCOMPARE(all.at(0).at(0), QPointF(6, 23));
    QCOMPARE(all.at(2).at(0), QPointF(106, 23));
}

void TestSkinGradientSlider::positionAtIsFractional_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<float>("position");
    QTest::newRow("middle") << 50 << 0.5f;
    QTest::newRow("a quarter") << 25 << 0.25f;
    QTest::newRow("left of the span") << -20 << 0.0f;
    QTest::newRow("right of the span") << 130 << 1.0f;
}

void TestSkinGradientSlider::positionAtIsFractional()
{
    QFETCH(int, x);
    QFETCH(float, position);
    auto slider = makeSlider({0.0f, 1.0f});
    QCOMPARE(slider->positionAt(x), position);
}

void TestSkinGradientSlider::trackerAt_data()
{
    QTest::addColumn<QList<float>>("positions");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<int>("tracker");
    QTest::newRow("first") << QList<float>{0.0f, 1.0f} << QPoint(6, 35) << 0;
    QTest::newRow("last") << QList<float>{0.0f, 1.0f} << QPoint(106, 35) << 1;
    QTest::newRow("empty strip") << QList<float>{0.0f, 1.0f} << QPoint(56, 35) << -1;
    QTest::newRow("in the bar") << QList<float>{0.0f, 1.0f} << QPoint(6, 10) << -1;
    QTest::newRow("inner over the first") << QList<float>{0.0f, 0.05f, 1.0f} << QPoint(9, 35) << 1;
    QTest::newRow("inner over the last") << QList<float>{0.0f, 0.95f, 1.0f} << QPoint(104, 35) << 1;
    QTest::newRow("lower inner wins") << QList<float>{0.0f, 0.5f, 0.52f, 1.0f} << QPoint(56, 35) << 1;
    QTest::newRow("first over the last") << QList<float>{0.5f, 0.5f} << QPoint(56, 35) << 0;
}

// Inner trackers before the ends, the lower index first, the first stop
// before the last.
void TestSkinGradientSlider::trackerAt()
{
    QFETCH(QList<float>, positions);
    QFETCH(QPoint, point);
    QFETCH(int, tracker);
    auto slider = makeSlider(positions);
    QCOMPARE(slider->trackerAt(point), tracker);
}

void TestSkinGradientSlider::pressSelects_data()
{
    QTest::addColumn<int>("button");
    QTest::newRow("left") << int(Qt::LeftButton);
    QTest::newRow("right") << int(Qt::RightButton);
}

void TestSkinGradientSlider::pressSelects()
{
    QFETCH(int, button);
    auto slider = makeSlider({0.0f, 0.5f, 1.0f});
    SliderLog log(slider.get());
    pressAt(slider.get(), QPointF(57.4, StripY), Qt::MouseButton(button));
    QCOMPARE(slider->selectedIndex(), 1);
    QCOMPARE(log.entries, QStringList({"changed #00ff00", "changed"}));
    QCOMPARE(slider->gradient().count(), 3);
}

void TestSkinGradientSlider::pressAdds_data()
{
    QTest::addColumn<QList<float>>("positions");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<QList<float>>("after");
    QTest::addColumn<QStringList>("log");
    const QList<float> two{0.0f, 1.0f};
    QTest::newRow("between the ends") << two << 35 << StripY << QList<float>{0.0f, 0.3f, 1.0f}
                                      << QStringList{"changed #00ff00", "changed"};
    // The new stop is coloured like its right-hand neighbour.
    QTest::newRow("between inner stops")
        << QList<float>{0.0f, 0.2f, 0.8f, 1.0f} << 55 << StripY << QList<float>{0.0f, 0.2f, 0.5f, 0.8f, 1.0f}
        << QStringList{"changed #0000ff", "changed"};
    // End stops off the bar leave its ends free of trackers.
    const QList<float> wide{-1.0f, 2.0f};
    QTest::newRow("within 5 px of the left end") << wide << 5 << StripY << wide << QStringList();
    QTest::newRow("left of the strip") << wide << 1 << StripY << wide << QStringList();
    QTest::newRow("just inside the left end") << wide << 6 << StripY << QList<float>{-1.0f, 0.01f, 2.0f}
                                              << QStringList{"changed #00ff00", "changed"};
    QTest::newRow("at the right end") << wide << 105 << StripY << wide << QStringList();
    QTest::newRow("just inside the right end") << wide << 104 << StripY << QList<float>{-1.0f, 0.99f, 2.0f}
                                               << QStringList{"changed #00ff00", "changed"};
    QTest::newRow("in the bar") << two << 35 << 20 << two << QStringList();
    QTest::newRow("on the strip's top edge") << two << 35 << 23 << two << QStringList();
    // A press where a stop lies hits that stop's tracker instead.
    QTest::newRow("at an existing position") << QList<float>{0.0f, 0.5f, 1.0f} << 55 << StripY
                                             << QList<float>{0.0f, 0.5f, 1.0f}
                                             << QStringList{"changed #00ff00", "changed"};
    QTest::newRow("misordered stops leave no gap") << QList<float>{0.9f, 0.1f} << 55 << StripY
                                                   << QList<float>{0.9f, 0.1f} << QStringList();
}

void TestSkinGradientSlider::pressAdds()
{
    QFETCH(QList<float>, positions);
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(QList<float>, after);
    QFETCH(QStringList, log);
    auto slider = makeSlider(positions);
    SliderLog spy(slider.get());
    pressAt(slider.get(), QPointF(x, y));
    QCOMPARE(positionsOf(slider.get()), rounded(after));
    QCOMPARE(spy.entries, log);
}

void TestSkinGradientSlider::addedStopDragsInTheSamePress()
{
    auto slider = makeSlider({0.0f, 1.0f});
    SliderLog log(slider.get());
    pressAt(slider.get(), QPointF(35, StripY));
    QCOMPARE(slider->selectedIndex(), 1);
    moveTo(slider.get(), QPointF(45, StripY), Qt::LeftButton);
    QCOMPARE(positionsOf(slider.get()), rounded({0.0f, 0.4f, 1.0f}));
    releaseAt(slider.get(), QPointF(45, StripY));
    QCOMPARE(log.entries, QStringList({"changed #00ff00", "changed", "moving", "moved"}));
}

void TestSkinGradientSlider::addDisabledAddsNothing()
{
    auto slider = makeSlider({0.0f, 1.0f});
    slider->setAddEnabled(false);
    QVERIFY(!slider->isAddEnabled());
    SliderLog log(slider.get());
    pressAt(slider.get(), QPointF(35, StripY));
    QCOMPARE(slider->gradient().count(), 2);
    // A right press never adds.
    slider->setAddEnabled(true);
    pressAt(slider.get(), QPointF(35, StripY), Qt::RightButton);
    QCOMPARE(slider->gradient().count(), 2);
    QCOMPARE(log.entries, QStringList());
}

// The stop keeps the pointer's distance from its tip while it follows: it
// does not jump when the drag starts.
void TestSkinGradientSlider::dragMovesInnerStop()
{
    auto slider = makeSlider({0.0f, 0.5f, 1.0f});
    SliderLog log(slider.get());
    pressAt(slider.get(), QPointF(tipX(0.5f) + 2, StripY));
    moveTo(slider.get(), QPointF(tipX(0.5f) + 2, StripY), Qt::LeftButton);
    QCOMPARE(selectedOf(slider.get()), 5000);
    moveTo(slider.get(), QPointF(tipX(0.5f) + 12, StripY), Qt::LeftButton);
    QCOMPARE(selectedOf(slider.get()), 6000);
    moveTo(slider.get(), QPointF(-50, StripY), Qt::LeftButton);
    QCOMPARE(selectedOf(slider.get()), 0);
    moveTo(slider.get(), QPointF(300, StripY), Qt::LeftButton);
    QCOMPARE(selectedOf(slider.get()), 10000);
    releaseAt(slider.get(), QPointF(300, StripY));
    QCOMPARE(log.entries,
             QStringList({"changed #00ff00", "changed", "moving", "moving", "moving", "moving", "moved"}));
}

void TestSkinGradientSlider::dragKeepsTheListOrder()
{
    auto slider = makeSlider({0.0f, 0.3f, 0.6f, 1.0f});
    pressAt(slider.get(), QPointF(tipX(0.3f), StripY));
    moveTo(slider.get(), QPointF(tipX(0.3f) + 50, StripY), Qt::LeftButton);
    releaseAt(slider.get(), QPointF(tipX(0.3f) + 50, StripY));
    QCOMPARE(positionsOf(slider.get()), rounded({0.0f, 0.8f, 0.6f, 1.0f}));
    QCOMPARE(slider->gradient().colors().at(1), QColor(Qt::green));
}

void TestSkinGradientSlider::endStopsAreFixed_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("first") << 0;
    QTest::newRow("last") << 1;
}

// Selected and recoloured, never dragged or deleted; a release over the
// strip counts as a click on them.
void TestSkinGradientSlider::endStopsAreFixed()
{
    QFETCH(int, index);
    auto slider = makeSlider({0.0f, 1.0f});
    const int x = tipX(float(index));
    SliderLog log(slider.get());
    pressAt(slider.get(), QPointF(x, StripY));
    QCOMPARE(slider->selectedIndex(), index);
    moveTo(slider.get(), QPointF(56, StripY), Qt::LeftButton);
    moveTo(slider.get(), QPointF(56, Height + 20), Qt::LeftButton);
    releaseAt(slider.get(), QPointF(x, StripY));
    QCOMPARE(positionsOf(slider.get()), rounded({0.0f, 1.0f}));
    const QString colour = index == 0 ? "changed #ff0000" : "changed #00ff00";
    QCOMPARE(log.entries, QStringList({colour, "changed", "clicked"}));

    slider->setSelectedPosition(0.5f);
    slider->deleteSelectedTracker();
    QCOMPARE(positionsOf(slider.get()), rounded({0.0f, 1.0f}));
    slider->setSelectedColor(Qt::black);
    QCOMPARE(slider->gradient().colors().at(index), QColor(Qt::black));
    QCOMPARE(log.entries.size(), 3);
}

// The last move above the strip clears "moved": the release reports
// neither a move nor a click.
void TestSkinGradientSlider::dragEndingAboveTheStripReportsNothing()
{
    auto slider = makeSlider({0.0f, 0.5f, 1.0f});
    pressAt(slider.get(), QPointF(tipX(0.5f), StripY));
    moveTo(slider.get(), QPointF(70, StripY), Qt::LeftButton);
    SliderLog log(slider.get());
    moveTo(slider.get(), QPointF(80, 10), Qt::LeftButton);
    releaseAt(slider.get(), QPointF(80, 10));
    QCOMPARE(log.entries, QStringList());
    QCOMPARE(selectedOf(slider.get()), 6400);
}

void TestSkinGradientSlider::draggingBelowDeletes()
{
    auto slider = makeSlider({0.0f, 0.3f, 0.6f, 1.0f});
    SliderLog log(slider.get());
    pressAt(slider.get(), QPointF(tipX(0.6f), StripY));
    moveTo(slider.get(), QPointF(tipX(0.6f) + 5, StripY), Qt::LeftButton);
    // The bottom row itself still drags.
    moveTo(slider.get(), QPointF(tipX(0.6f) + 5, Height - 1), Qt::LeftButton);
    QCOMPARE(slider->gradient().count(), 4);
    moveTo(slider.get(), QPointF(tipX(0.6f) + 5, Height), Qt::LeftButton);
    QCOMPARE(positionsOf(slider.get()), rounded({0.0f, 0.3f, 1.0f}));
    QCOMPARE(slider->selectedIndex(), 1);
    // The drag is over: further moves and the release change nothing.
    moveTo(slider.get(), QPointF(20, StripY), Qt::LeftButton);
    releaseAt(slider.get(), QPointF(20, StripY));
    QCOMPARE(log.entries, QStringList({"changed #0000ff", "changed", "moving", "moving", "deleted"}));
    QCOMPARE(positionsOf(slider.get()), rounded({0.0f, 0.3f, 1.0f}));
}

void TestSkinGradientSlider::deleteMenuRemovesInnerStop()
{
    auto slider = makeSlider({0.0f, 0.3f, 0.6f, 1.0f});
    SliderLog log(slider.get());
    pressAt(slider.get(), QPointF(tipX(0.3f), StripY), Qt::RightButton);
    MenuAnswer *answer = MenuAnswer::choosing(QStringLiteral("Delete"), this);
    releaseAt(slider.get(), QPointF(tipX(0.3f), StripY), Qt::RightButton);
    QVERIFY(answer->shown);
    QCOMPARE(answer->texts, QStringList({"Delete"}));
    delete answer;
    QCOMPARE(positionsOf(slider.get()), rounded({0.0f, 0.6f, 1.0f}));
    QCOMPARE(slider->selectedIndex(), 0);
    QCOMPARE(log.entries, QStringList({"changed #00ff00", "changed", "deleted"}));
}

void TestSkinGradientSlider::noMenuForEndStops()
{
    auto slider = makeSlider({0.0f, 1.0f});
    for (int index : {0, 1}) {
        pressAt(slider.get(), QPointF(tipX(float(index)), StripY), Qt::RightButton);
        MenuAnswer answer;
        releaseAt(slider.get(), QPointF(tipX(float(index)), StripY), Qt::RightButton);
        QTest::qWait(30);
        QVERIFY(!answer.shown);
    }
    // Nor over the bar with an inner stop selected.
    auto three = makeSlider({0.0f, 0.5f, 1.0f});
    pressAt(three.get(), QPointF(tipX(0.5f), StripY), Qt::RightButton);
    MenuAnswer answer;
    releaseAt(three.get(), QPointF(tipX(0.5f), 10), Qt::RightButton);
    QTest::qWait(30);
    QVERIFY(!answer.shown);
    QCOMPARE(three->gradient().count(), 3);
}

void TestSkinGradientSlider::deleteSelectsTheLeftNeighbour()
{
    auto slider = makeSlider({0.0f, 0.2f, 0.4f, 0.6f, 1.0f});
    pressAt(slider.get(), QPointF(tipX(0.6f), StripY));
    releaseAt(slider.get(), QPointF(tipX(0.6f), StripY));
    QSignalSpy deleted(slider.get(), &SkinGradientSlider::selectedTrackerDeleted);
    slider->deleteSelectedTracker();
    slider->deleteSelectedTracker();
    QCOMPARE(positionsOf(slider.get()), rounded({0.0f, 0.2f, 1.0f}));
    QCOMPARE(slider->selectedIndex(), 1);
    slider->deleteSelectedTracker();
    QCOMPARE(slider->selectedIndex(), 0);
    // Now the first stop is selected: nothing more goes.
    slider->deleteSelectedTracker();
    QCOMPARE(positionsOf(slider.get()), rounded({0.0f, 1.0f}));
    QCOMPARE(deleted.count(), 3);
}

void TestSkinGradientSlider::setters()
{
    auto slider = makeSlider({0.0f, 0.5f, 1.0f});
    SliderLog log(slider.get());
    pressAt(slider.get(), QPointF(tipX(0.5f), StripY));
    releaseAt(slider.get(), QPointF(tipX(0.5f), StripY));
    log.entries.clear();
    slider->setSelectedColor(QColor(1, 2, 3));
    QCOMPARE(slider->selectedColor(), QColor(1, 2, 3));
    slider->setSelectedPosition(1.7f);
    QCOMPARE(selectedOf(slider.get()), 10000);
    slider->setSelectedPosition(-3.0f);
    QCOMPARE(selectedOf(slider.get()), 0);
    QCOMPARE(log.entries, QStringList());

    // A new stop list selects its first stop.
    slider->setGradient(makeGradient({0.0f, 0.25f, 1.0f}));
    QCOMPARE(slider->selectedIndex(), 0);
    QCOMPARE(slider->selectedColor(), QColor(Qt::red));
    QCOMPARE(log.entries, QStringList());
}

// A stop list from outside may be empty: only the bar is painted, nothing
// is hit or added, and every reader and setter stays inside the list.
void TestSkinGradientSlider::emptyStopListIsSafe()
{
    auto slider = makeSlider({});
    SliderLog log(slider.get());
    QCOMPARE(slider->selectedColor(), QColor(Qt::transparent));
    QCOMPARE(selectedOf(slider.get()), 0);
    QVERIFY(slider->trackerPolygons().isEmpty());
    QCOMPARE(slider->trackerAt(QPointF(6, 35)), -1);
    slider->setSelectedColor(Qt::red);
    slider->setSelectedPosition(0.5f);
    slider->deleteSelectedTracker();
    pressAt(slider.get(), QPointF(35, StripY));
    moveTo(slider.get(), QPointF(45, StripY), Qt::LeftButton);
    releaseAt(slider.get(), QPointF(45, StripY));
    pressAt(slider.get(), QPointF(45, StripY), Qt::RightButton);
    MenuAnswer answer;
    releaseAt(slider.get(), QPointF(45, StripY), Qt::RightButton);
    QVERIFY(!answer.shown);
    QCOMPARE(slider->gradient().count(), 0);
    QCOMPARE(log.entries, QStringList());

    // The bar outline is painted, no tracker.
    const QImage image = paintedImage(slider.get());
    QCOMPARE(skintest::countColour(image, Qt::black, QRect(0, 24, Width, 16)), 0);
    QVERIFY(skintest::countColour(image, Qt::black, QRect(0, 0, Width, 24)) > 0);
}

void TestSkinGradientSlider::selectionPastTheEndIsSafe()
{
    auto slider = makeSlider({0.0f, 0.5f, 1.0f});
    pressAt(slider.get(), QPointF(tipX(1.0f), StripY));
    releaseAt(slider.get(), QPointF(tipX(1.0f), StripY));
    QCOMPARE(slider->selectedIndex(), 2);
    // The owner shortens the list under the selection.
    slider->gradient().removeAt(2);
    QCOMPARE(slider->selectedColor(), QColor(Qt::transparent));
    QCOMPARE(selectedOf(slider.get()), 0);
    slider->setSelectedColor(Qt::black);
    slider->setSelectedPosition(0.2f);
    slider->deleteSelectedTracker();
    QCOMPARE(slider->gradient().colors(), QList<QColor>({Qt::red, Qt::green}));
    QCOMPARE(positionsOf(slider.get()), rounded({0.0f, 0.5f}));
    paintedImage(slider.get());
}

void TestSkinGradientSlider::noSpanAddsAndMovesNothing_data()
{
    QTest::addColumn<int>("width");
    QTest::newRow("12 px") << 12;
    QTest::newRow("5 px") << 5;
    QTest::newRow("not laid out") << 0;
}

void TestSkinGradientSlider::noSpanAddsAndMovesNothing()
{
    QFETCH(int, width);
    auto slider = makeSlider({0.0f, 0.5f, 1.0f});
    slider->resize(width, Height);
    QCOMPARE(slider->positionAt(3), 0.0f);
    SliderLog log(slider.get());
    for (int x = -2; x < width + 3; ++x)
        pressAt(slider.get(), QPointF(x, StripY));
    QCOMPARE(slider->gradient().count(), 3);
    // Select the inner stop and try to drag it.
    slider->setGradient(makeGradient({0.0f, 0.5f, 1.0f}));
    const QPointF tip = slider->trackerPolygon(1).at(0);
    pressAt(slider.get(), QPointF(tip.x(), StripY));
    if (slider->selectedIndex() == 1) {
        moveTo(slider.get(), QPointF(tip.x() + 3, StripY), Qt::LeftButton);
        QCOMPARE(selectedOf(slider.get()), 5000);
    }
    releaseAt(slider.get(), QPointF(tip.x() + 3, StripY));
    QVERIFY(!log.entries.contains("moving"));
    QVERIFY(!log.entries.contains("moved"));
    paintedImage(slider.get());
}

void TestSkinGradientSlider::cursor_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<bool>("add");
    QTest::newRow("empty strip") << QPoint(30, StripY) << true;
    QTest::newRow("tracker") << QPoint(tipX(0.5f), StripY) << false;
    // The bounding box of a tracker counts, not only its pentagon.
    QTest::newRow("beside a tracker's tip") << QPoint(tipX(0.5f) + 4, 24) << false;
    QTest::newRow("bar") << QPoint(30, 10) << false;
    QTest::newRow("left of the strip") << QPoint(2, StripY) << false;
}

void TestSkinGradientSlider::cursor()
{
    QFETCH(QPoint, point);
    QFETCH(bool, add);
    auto slider = makeSlider({0.0f, 0.5f, 1.0f});
    moveTo(slider.get(), point, Qt::NoButton);
    const QCursor cursor = slider->cursor();
    if (add) {
        QCOMPARE(cursor.shape(), Qt::BitmapCursor);
        QCOMPARE(cursor.hotSpot(), QPoint(0, 0));
        QCOMPARE(cursor.pixmap().size(), QSize(16, 16));
    } else {
        QCOMPARE(cursor.shape(), Qt::ArrowCursor);
    }
    // The cursor follows the pointer, whether adding is on or not.
    slider->setAddEnabled(false);
    moveTo(slider.get(), QPoint(30, StripY), Qt::NoButton);
    QCOMPARE(slider->cursor().shape(), Qt::BitmapCursor);
}

void TestSkinGradientSlider::painting()
{
    auto slider = makeSlider({0.0f, 0.5f, 1.0f});
    QImage image = paintedImage(slider.get());
    // The bar runs from the first colour to the last.
    QVERIFY(image.pixelColor(8, 10).red() > 240 && image.pixelColor(8, 10).blue() < 15);
    QVERIFY(image.pixelColor(56, 10).green() > 240);
    QVERIFY(image.pixelColor(105, 10).blue() > 240 && image.pixelColor(105, 10).red() < 15);
    // Each tracker's swatch shows its stop's colour.
    QCOMPARE(image.pixelColor(tipX(0.5f), 33), QColor(Qt::green));
    QCOMPARE(image.pixelColor(tipX(0.0f), 33), QColor(Qt::red));
    // Unselected trackers are white around the swatch, with no black tip.
    QCOMPARE(image.pixelColor(tipX(0.5f), 38), QColor(Qt::white));
    QCOMPARE(image.pixelColor(tipX(0.5f), 27), QColor(Qt::white));

    // Held down, the selected tracker fills in the hover colour and shows a
    // black tip.
    pressAt(slider.get(), QPointF(tipX(0.5f), StripY));
    image = paintedImage(slider.get());
    QCOMPARE(image.pixelColor(tipX(0.5f), 38), skinButtonHoverTopColor);
    QCOMPARE(image.pixelColor(tipX(0.5f), 27), QColor(Qt::black));
    releaseAt(slider.get(), QPointF(tipX(0.5f), StripY));
    image = paintedImage(slider.get());
    QCOMPARE(image.pixelColor(tipX(0.5f), 38), QColor(Qt::white));
    QCOMPARE(image.pixelColor(tipX(0.5f), 27), QColor(Qt::black));
}

QTEST_MAIN(TestSkinGradientSlider)
#include "tst_skingradientslider.moc"
