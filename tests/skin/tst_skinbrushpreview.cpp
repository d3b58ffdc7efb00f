// The brush preview: which handle a press grabs per gradient type, how a
// drag moves it (pinned to the preview's edges), which drags report
// "changing" and "changed", and the safe handling of a preview without
// area and of coinciding from and to points.
#include "skin/controls/skinbrushpreview.h"
#include "skin/windows/skintheme.h"

#include "controlevents.h"
#include "skinfixture.h"

#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

#include <memory>

namespace {

// 112 x 112: R = (6, 6, 100, 100), so unit (u, v) lies at (6 + 100 u, 6 + 100 v).
constexpr int Side = 112;

// Unit points are stored in single precision.
bool near(const QPointF &a, const QPointF &b)
{
    return qAbs(a.x() - b.x()) < 1e-6 && qAbs(a.y() - b.y()) < 1e-6;
}

QString pointText(const QPointF &point)
{
    return QStringLiteral("(%1,%2)").arg(point.x()).arg(point.y());
}

// The preview's signals in the order they arrive, with the points of the
// brush each valued signal carries.
class PreviewLog : public QObject
{
public:
    explicit PreviewLog(SkinBrushPreview *preview)
    {
        connect(preview, qOverload<const SkinBrush &>(&SkinBrushPreview::selectedBrushChanged), this,
                [this](const SkinBrush &b) { entries.append("changed " + points(b)); });
        connect(preview, qOverload<>(&SkinBrushPreview::selectedBrushChanged), this,
                [this] { entries.append("changed"); });
        connect(preview, qOverload<const SkinBrush &>(&SkinBrushPreview::selectedBrushChanging), this,
                [this](const SkinBrush &b) { entries.append("changing " + points(b)); });
        connect(preview, qOverload<>(&SkinBrushPreview::selectedBrushChanging), this,
                [this] { entries.append("changing"); });
    }

    static QString points(const SkinBrush &brush)
    {
        return pointText(brush.center()) + pointText(brush.from()) + pointText(brush.to());
    }

    QStringList entries;
};

SkinBrush whiteBrush(int type)
{
    return SkinBrush(type, SkinGradient(Qt::white));
}

} // namespace

class TestSkinBrushPreview : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void startsEmpty();
    void geometry();
    void typeIsForced();
    void pressGrabs_data();
    void pressGrabs();
    void clickOnHandleEmitsNothing();
    void dragMovesTheHandle();
    void returningToThePressPointIsNoChange();
    void dragAwayFromHandlesChangesNothing();
    void dragIsPinnedToTheEdges_data();
    void dragIsPinnedToTheEdges();
    void otherButtonsDoNotDrag();
    void relaySlotsEmitValueFirst();
    void noAreaNoHandles_data();
    void noAreaNoHandles();
    void coincidingPointsHaveNoArrowHead();
    void paintsHandlesPerType();

private:
    std::unique_ptr<SkinBrushPreview> makePreview(int type);
};

void TestSkinBrushPreview::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    qRegisterMetaType<SkinBrush>();
    setSkinThemeStyle(Black);
}

std::unique_ptr<SkinBrushPreview> TestSkinBrushPreview::makePreview(int type)
{
    auto preview = std::make_unique<SkinBrushPreview>();
    preview->resize(Side, Side);
    preview->setPreviewType(type);
    preview->setSelectedBrush(whiteBrush(type));
    return preview;
}

void TestSkinBrushPreview::startsEmpty()
{
    SkinBrushPreview preview;
    QCOMPARE(preview.previewType(), 0);
    QCOMPARE(preview.brush(), SkinBrush());
    QCOMPARE(preview.handle(), int(SkinBrushPreview::NoHandle));
    QVERIFY(preview.testAttribute(Qt::WA_NoMousePropagation));
    QVERIFY(!preview.hasMouseTracking());
}

void TestSkinBrushPreview::geometry()
{
    auto preview = makePreview(SkinBrushLinear);
    QCOMPARE(preview->previewRect(), QRectF(6, 6, 100, 100));
    QCOMPARE(preview->handleRect(QPointF(50, 20)), QRectF(46, 16, 9, 9));
}

// The preview's type goes onto every brush and stop list it is given; the
// rest of the brush is taken as it is.
void TestSkinBrushPreview::typeIsForced()
{
    auto preview = makePreview(SkinBrushRadial);
    SkinBrush brush(Qt::red);
    brush.setCenter(QPointF(0.2, 0.3));
    brush.setFrom(QPointF(0.1, 0.1));
    brush.setTo(QPointF(0.9, 0.8));
    brush.setOpacity(0.4f);
    brush.setImageData(QByteArray("bytes"));
    preview->setSelectedBrush(brush);
    SkinBrush expected = brush;
    expected.setType(SkinBrushRadial);
    QCOMPARE(preview->brush(), expected);

    SkinGradient stops(Qt::blue);
    stops.insert(1, 0.5f, Qt::green);
    preview->brush().setType(SkinBrushLinear);
    preview->setSelectedGradient(stops);
    QCOMPARE(preview->brush().type(), int(SkinBrushRadial));
    QCOMPARE(preview->brush().stops(), stops);
    QCOMPARE(preview->brush().center(), QPointF(0.2, 0.3));
}

void TestSkinBrushPreview::pressGrabs_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<int>("handle");
    const int none = SkinBrushPreview::NoHandle;
    QTest::newRow("linear from") << 1 << QPoint(6, 56) << int(SkinBrushPreview::FromHandle);
    QTest::newRow("linear to") << 1 << QPoint(106, 56) << int(SkinBrushPreview::ToHandle);
    // The 9 x 9 box reaches from 4 left of the point to 5 right, edges included.
    QTest::newRow("linear box corner") << 1 << QPoint(111, 61) << int(SkinBrushPreview::ToHandle);
    QTest::newRow("linear past the box") << 1 << QPoint(112, 56) << none;
    QTest::newRow("linear centre") << 1 << QPoint(56, 56) << none;
    QTest::newRow("radial centre") << 2 << QPoint(56, 56) << int(SkinBrushPreview::CenterHandle);
    QTest::newRow("conical centre") << 3 << QPoint(58, 53) << int(SkinBrushPreview::CenterHandle);
    // From and to are tested first, although they are not drawn.
    QTest::newRow("radial hidden from") << 2 << QPoint(6, 56) << int(SkinBrushPreview::FromHandle);
    QTest::newRow("conical hidden to") << 3 << QPoint(106, 56) << int(SkinBrushPreview::ToHandle);
    QTest::newRow("solid") << 0 << QPoint(6, 56) << none;
    QTest::newRow("image") << 4 << QPoint(56, 56) << none;
}

void TestSkinBrushPreview::pressGrabs()
{
    QFETCH(int, type);
    QFETCH(QPoint, point);
    QFETCH(int, handle);
    auto preview = makePreview(type);
    pressAt(preview.get(), point);
    QCOMPARE(preview->handle(), handle);
    releaseAt(preview.get(), point);
    QCOMPARE(preview->handle(), int(SkinBrushPreview::NoHandle));
}

void TestSkinBrushPreview::clickOnHandleEmitsNothing()
{
    auto preview = makePreview(SkinBrushLinear);
    PreviewLog log(preview.get());
    pressAt(preview.get(), QPointF(104.6, 57.4));
    releaseAt(preview.get(), QPointF(104.6, 57.4));
    QCOMPARE(log.entries, QStringList());
    QCOMPARE(preview->brush().to(), QPointF(1, 0.5));
}

// The grabbed point jumps to the pointer; "changing" at every move away
// from the press point, "changed" once at the release.
void TestSkinBrushPreview::dragMovesTheHandle()
{
    auto preview = makePreview(SkinBrushLinear);
    PreviewLog log(preview.get());
    pressAt(preview.get(), QPointF(8, 58));
    moveTo(preview.get(), QPointF(31, 31), Qt::LeftButton);
    moveTo(preview.get(), QPointF(56, 31), Qt::LeftButton);
    releaseAt(preview.get(), QPointF(56, 31));
    QCOMPARE(log.entries, QStringList({"changing (0.5,0.5)(0.25,0.25)(1,0.5)", "changing",
                                       "changing (0.5,0.5)(0.5,0.25)(1,0.5)", "changing",
                                       "changed (0.5,0.5)(0.5,0.25)(1,0.5)", "changed"}));
    QCOMPARE(preview->brush().from(), QPointF(0.5, 0.25));
}

// The point may have moved by the handle's reach, but nothing counts as
// changed when the pointer ends where it went down.
void TestSkinBrushPreview::returningToThePressPointIsNoChange()
{
    auto preview = makePreview(SkinBrushRadial);
    PreviewLog log(preview.get());
    pressAt(preview.get(), QPointF(59, 59));
    moveTo(preview.get(), QPointF(80, 70), Qt::LeftButton);
    moveTo(preview.get(), QPointF(59, 59), Qt::LeftButton);
    releaseAt(preview.get(), QPointF(59, 59));
    QCOMPARE(log.entries, QStringList({"changing (0.74,0.64)(0,0.5)(1,0.5)", "changing"}));
    QVERIFY(near(preview->brush().center(), QPointF(0.53, 0.53)));
}

void TestSkinBrushPreview::dragAwayFromHandlesChangesNothing()
{
    auto preview = makePreview(SkinBrushLinear);
    const SkinBrush before = preview->brush();
    PreviewLog log(preview.get());
    pressAt(preview.get(), QPointF(40, 30));
    moveTo(preview.get(), QPointF(45, 35), Qt::LeftButton);
    releaseAt(preview.get(), QPointF(50, 40));
    QCOMPARE(log.entries, QStringList({"changing (0.5,0.5)(0,0.5)(1,0.5)", "changing"}));
    QCOMPARE(preview->brush(), before);
}

void TestSkinBrushPreview::dragIsPinnedToTheEdges_data()
{
    QTest::addColumn<QPoint>("target");
    QTest::addColumn<QPointF>("center");
    QTest::newRow("far down left") << QPoint(-500, 900) << QPointF(0, 1);
    QTest::newRow("far up right") << QPoint(1000, -50) << QPointF(1, 0);
    QTest::newRow("on the edge") << QPoint(106, 6) << QPointF(1, 0);
}

void TestSkinBrushPreview::dragIsPinnedToTheEdges()
{
    QFETCH(QPoint, target);
    QFETCH(QPointF, center);
    auto preview = makePreview(SkinBrushConical);
    QSignalSpy changed(preview.get(), qOverload<const SkinBrush &>(&SkinBrushPreview::selectedBrushChanged));
    pressAt(preview.get(), QPointF(56, 56));
    moveTo(preview.get(), target, Qt::LeftButton);
    releaseAt(preview.get(), target);
    QCOMPARE(preview->brush().center(), center);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.first().first().value<SkinBrush>().center(), center);
}

// Another button grabs a handle but never drags it.
void TestSkinBrushPreview::otherButtonsDoNotDrag()
{
    auto preview = makePreview(SkinBrushLinear);
    PreviewLog log(preview.get());
    pressAt(preview.get(), QPointF(6, 56), Qt::RightButton);
    QCOMPARE(preview->handle(), int(SkinBrushPreview::FromHandle));
    moveTo(preview.get(), QPointF(50, 20), Qt::RightButton);
    releaseAt(preview.get(), QPointF(50, 20), Qt::RightButton);
    QCOMPARE(preview->handle(), int(SkinBrushPreview::NoHandle));
    QCOMPARE(preview->brush().from(), QPointF(0, 0.5));
    QCOMPARE(log.entries, QStringList());
}

void TestSkinBrushPreview::relaySlotsEmitValueFirst()
{
    auto preview = makePreview(SkinBrushLinear);
    PreviewLog log(preview.get());
    SkinBrush brush(SkinBrushLinear);
    brush.setTo(QPointF(0.5, 1));
    preview->onSelectedBrushChanging(brush);
    preview->onSelectedBrushChanged(brush);
    QCOMPARE(log.entries, QStringList({"changing (0.5,0.5)(0,0.5)(0.5,1)", "changing",
                                       "changed (0.5,0.5)(0,0.5)(0.5,1)", "changed"}));
    // Relaying does not take the brush over.
    QCOMPARE(preview->brush().to(), QPointF(1, 0.5));
}

void TestSkinBrushPreview::noAreaNoHandles_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("12 x 12") << QSize(12, 12);
    QTest::newRow("12 wide") << QSize(12, 80);
    QTest::newRow("8 high") << QSize(80, 8);
    QTest::newRow("not laid out") << QSize(0, 0);
}

// R without area has no control points: nothing is drawn or grabbed, and
// no pointer position is divided by the empty width.
void TestSkinBrushPreview::noAreaNoHandles()
{
    QFETCH(QSize, size);
    for (int type : {1, 2, 3}) {
        auto preview = makePreview(type);
        preview->resize(size);
        const SkinBrush before = preview->brush();
        QSignalSpy changed(preview.get(), qOverload<>(&SkinBrushPreview::selectedBrushChanged));
        for (const QPoint &point : {QPoint(6, 6), QPoint(3, 3), QPoint(size.width() / 2, size.height() / 2)}) {
            pressAt(preview.get(), point);
            QCOMPARE(preview->handle(), int(SkinBrushPreview::NoHandle));
            moveTo(preview.get(), point + QPoint(30, 30), Qt::LeftButton);
            releaseAt(preview.get(), point + QPoint(30, 30));
        }
        QCOMPARE(preview->brush(), before);
        QCOMPARE(changed.count(), 0);
        preview->moveHandleTo(QPointF(3, 3));
        QCOMPARE(preview->brush(), before);
        if (!size.isEmpty()) {
            const QImage image = paintedImage(preview.get());
            QCOMPARE(skintest::countColour(image, skinHighlightColor), 0);
        }
    }
}

// The head's strokes are scaled by 10 / distance: with from and to at one
// point only the (empty) shaft and the handles are drawn.
void TestSkinBrushPreview::coincidingPointsHaveNoArrowHead()
{
    auto preview = makePreview(SkinBrushLinear);
    const QRect inside(8, 8, 96, 96);
    QImage image = paintedImage(preview.get());
    // The head of the default arrow ends 10 pixels left of the to point.
    QVERIFY(skintest::countColour(image, skinBorderColor, QRect(94, 48, 8, 6)) > 0);

    preview->brush().setFrom(QPointF(0.5, 0.5));
    preview->brush().setTo(QPointF(0.5, 0.5));
    image = paintedImage(preview.get());
    const QRect handle = preview->handleRect(QPointF(56, 56)).toAlignedRect().adjusted(-1, -1, 1, 1);
    int strokes = 0;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x)
            strokes += !handle.contains(x, y) && image.pixelColor(x, y) == skinBorderColor;
    }
    QCOMPARE(strokes, 0);
    QVERIFY(skintest::countColour(image, skinHighlightColor, handle) > 0);

    // Both handles sit there and can still be pulled apart.
    pressAt(preview.get(), QPointF(56, 56));
    QCOMPARE(preview->handle(), int(SkinBrushPreview::FromHandle));
    moveTo(preview.get(), QPointF(16, 56), Qt::LeftButton);
    releaseAt(preview.get(), QPointF(16, 56));
    QVERIFY(near(preview->brush().from(), QPointF(0.1, 0.5)));
}

void TestSkinBrushPreview::paintsHandlesPerType()
{
    const QPoint from(6, 56);
    const QPoint to(106, 56);
    const QPoint center(56, 56);
    struct Row {
        int type;
        bool ends;
        bool middle;
    };
    for (const Row &row : {Row{1, true, false}, Row{2, false, true}, Row{3, false, true}, Row{0, false, false}}) {
        auto preview = makePreview(row.type);
        const QImage image = paintedImage(preview.get());
        QCOMPARE(image.pixelColor(from) == skinHighlightColor, row.ends);
        QCOMPARE(image.pixelColor(to) == skinHighlightColor, row.ends);
        QCOMPARE(image.pixelColor(center) == skinHighlightColor, row.middle);
        // The brush fills R, outlined in the border colour.
        QCOMPARE(image.pixelColor(30, 30), QColor(Qt::white));
        QCOMPARE(image.pixelColor(6, 30), skinBorderColor);
    }
}

QTEST_MAIN(TestSkinBrushPreview)
#include "tst_skinbrushpreview.moc"
