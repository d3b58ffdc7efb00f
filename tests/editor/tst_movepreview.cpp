// A drag of whole shapes on a crowded page paints from pictures taken as it
// begins. These tests drag over a page of a few hundred small boxes (enough
// that painting every shape on every move is too slow) and compare what the
// view shows with a repaint of every shape.
#include "commands/sketchcommandmanager.h"
#include "commands/sketchcommandrename.h"
#include "editor/sketchdocumentview.h"
#include "model/sketchlayer.h"
#include "model/sketchshape.h"

#include "support/history.h"
#include "support/input.h"
#include "support/paintcounter.h"
#include "support/pixels.h"
#include "support/shapes.h"

#include <QImage>
#include <QStandardPaths>
#include <QtTest>

namespace {

const QSize ViewSize(700, 500);

// The largest difference of one colour channel between the two pictures.
int largestDifference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return 256;
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            largest = qMax(largest, qAbs(qRed(p) - qRed(q)));
            largest = qMax(largest, qAbs(qGreen(p) - qGreen(q)));
            largest = qMax(largest, qAbs(qBlue(p) - qBlue(q)));
        }
    }
    return largest;
}

} // namespace

class TestMovePreview : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup();

    void smallPageIsPaintedOnEveryMove();
    void crowdedPageMovesFromPictures();
    void topShapeShowsExactlyWhileDragged();
    void interleavedShapesShowAboveUntilRelease();
    void releaseRepaintsThePageExactly();
    void escapeGivesBackThePage();
    void changesThePicturesDoNotFitEndIt_data();
    void changesThePicturesDoNotFitEndIt();
    void pointDragsAndGroupMembersAreNotPreviewed();
    void shapesComingIntoViewAreDrawn();

private:
    // A grid of 300 small grey boxes over the paper, bottom of the layer.
    void fillCrowd();
    QImage shown() { return m_view->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    // What the view shows when every shape is painted as it stands now.
    QImage repainted()
    {
        m_view->endMovePreview();
        return shown();
    }
    QPoint widgetPoint(qreal x, qreal y) const { return m_view->mapFromDocument(QPointF(x, y)).toPoint(); }

    SketchDocumentView *m_view = nullptr;
};

void TestMovePreview::init()
{
    m_view = new SketchDocumentView;
    m_view->resize(ViewSize);
}

void TestMovePreview::cleanup()
{
    delete m_view;
    m_view = nullptr;
}

void TestMovePreview::fillCrowd()
{
    for (int row = 0; row < 15; ++row) {
        for (int column = 0; column < 20; ++column)
            addBox(m_view->currentLayer(), 20 + column * 25, 20 + row * 25, 12, 12, QColor(200, 200, 200));
    }
}

void TestMovePreview::smallPageIsPaintedOnEveryMove()
{
    SketchShape *red = addBox(m_view->currentLayer(), 100, 100, 60, 40, Qt::red);
    const QPoint grip = widgetPoint(130, 120);
    pressAt(m_view, grip);
    moveTo(m_view, grip + QPoint(20, 10));
    QVERIFY(red->isSelected());
    QVERIFY(!m_view->hasMovePreview());
    releaseAt(m_view, grip + QPoint(20, 10));
}

void TestMovePreview::crowdedPageMovesFromPictures()
{
    fillCrowd();
    SketchShape *red = addBox(m_view->currentLayer(), 100, 100, 60, 40, Qt::red);
    const QPoint grip = widgetPoint(130, 120);
    pressAt(m_view, grip);
    QVERIFY(!m_view->hasMovePreview()); // a press alone takes no pictures
    moveTo(m_view, grip + QPoint(5, 0));
    QVERIFY(m_view->hasMovePreview());
    moveTo(m_view, grip + QPoint(40, 30));
    const QImage image = shown();
    // The red box is drawn at its new place, and the crowd shows where it was.
    const QPoint moved = widgetPoint(130, 120) + QPoint(40, 30);
    QVERIFY(sameColor(image, moved.x(), moved.y(), Qt::red, 0));
    const QPoint left = widgetPoint(101, 101);
    QVERIFY(!sameColor(image, left.x(), left.y(), Qt::red, 40));
    QCOMPARE(red->boundingRect().topLeft(), QPointF(140, 130));
    releaseAt(m_view, grip + QPoint(40, 30));
}

void TestMovePreview::topShapeShowsExactlyWhileDragged()
{
    fillCrowd();
    addBox(m_view->currentLayer(), 100, 100, 60, 40, Qt::red);
    const QPoint grip = widgetPoint(130, 120);
    pressAt(m_view, grip);
    moveTo(m_view, grip + QPoint(3, 1));
    moveTo(m_view, grip + QPoint(37, -23));
    QVERIFY(m_view->hasMovePreview());
    const QImage preview = shown();
    QCOMPARE(largestDifference(preview, repainted()), 0);
    releaseAt(m_view, grip + QPoint(37, -23));
}

void TestMovePreview::interleavedShapesShowAboveUntilRelease()
{
    fillCrowd();
    SketchLayer *layer = m_view->currentLayer();
    SketchShape *red = addBox(layer, 100, 100, 60, 40, Qt::red);
    addBox(layer, 200, 100, 60, 40, Qt::blue); // not selected, between the two
    SketchShape *green = addBox(layer, 300, 300, 30, 30, Qt::green);
    selectShape(red);
    selectShape(green);
    // The press on one shape of a multiple selection drags them all.
    const QPoint grip = widgetPoint(315, 315);
    pressAt(m_view, grip);
    moveTo(m_view, grip + QPoint(50, 0));
    moveTo(m_view, grip + QPoint(100, 0));
    QVERIFY(m_view->hasMovePreview());
    // The red box now lies over the blue one's left part, and shows above it
    // while the drag lasts.
    const QPoint overlap = widgetPoint(210, 120);
    QVERIFY(sameColor(shown(), overlap.x(), overlap.y(), Qt::red, 0));
    releaseAt(m_view, grip + QPoint(100, 0));
    QVERIFY(!m_view->hasMovePreview());
    QVERIFY(sameColor(shown(), overlap.x(), overlap.y(), Qt::blue, 0));
    QCOMPARE(undoTexts(m_view), QStringLiteral("moveSelection"));
}

void TestMovePreview::releaseRepaintsThePageExactly()
{
    fillCrowd();
    addBox(m_view->currentLayer(), 100, 100, 60, 40, Qt::red);
    const QPoint grip = widgetPoint(130, 120);
    pressAt(m_view, grip);
    moveTo(m_view, grip + QPoint(10, 10));
    moveTo(m_view, grip + QPoint(60, 45));
    QVERIFY(m_view->hasMovePreview());
    releaseAt(m_view, grip + QPoint(60, 45));
    QVERIFY(!m_view->hasMovePreview());
    const QImage afterRelease = shown();
    QCOMPARE(largestDifference(afterRelease, repainted()), 0);
}

void TestMovePreview::escapeGivesBackThePage()
{
    fillCrowd();
    SketchShape *red = addBox(m_view->currentLayer(), 100, 100, 60, 40, Qt::red);
    const QImage before = shown();
    const QPoint grip = widgetPoint(130, 120);
    pressAt(m_view, grip);
    moveTo(m_view, grip + QPoint(10, 10));
    moveTo(m_view, grip + QPoint(80, 40));
    QVERIFY(m_view->hasMovePreview());
    sendKey(m_view, Qt::Key_Escape);
    QVERIFY(!m_view->hasMovePreview());
    QCOMPARE(red->boundingRect().topLeft(), QPointF(100, 100));
    // Only the selection's handles may differ from the page before the press.
    red->setSelected(false);
    QCOMPARE(largestDifference(shown(), before), 0);
    QVERIFY(m_view->commandManager()->undoStack().isEmpty());
}

void TestMovePreview::changesThePicturesDoNotFitEndIt_data()
{
    QTest::addColumn<int>("change");
    QTest::newRow("zoom") << 0;
    QTest::newRow("scroll") << 1;
    QTest::newRow("size") << 2;
    QTest::newRow("history") << 3;
    QTest::newRow("deselected") << 4;
}

void TestMovePreview::changesThePicturesDoNotFitEndIt()
{
    QFETCH(int, change);
    fillCrowd();
    SketchShape *red = addBox(m_view->currentLayer(), 100, 100, 60, 40, Qt::red);
    const QPoint grip = widgetPoint(130, 120);
    pressAt(m_view, grip);
    moveTo(m_view, grip + QPoint(10, 10));
    QVERIFY(m_view->hasMovePreview());
    switch (change) {
    case 0:
        m_view->setZoom(2.0f);
        break;
    case 1:
        m_view->setScrollX(m_view->scrollX() - 7, true);
        break;
    case 2:
        m_view->resize(ViewSize + QSize(30, 0));
        break;
    case 3:
        m_view->commandManager()->push(new SketchCommandRename(m_view, m_view->currentLayer(), QStringLiteral("renamed")),
                                       QStringLiteral("rename"));
        break;
    default:
        red->setSelected(false);
        break;
    }
    const QImage image = shown();
    QVERIFY(!m_view->hasMovePreview());
    QCOMPARE(largestDifference(image, repainted()), 0);
    releaseAt(m_view, grip + QPoint(10, 10));
}

void TestMovePreview::pointDragsAndGroupMembersAreNotPreviewed()
{
    fillCrowd();
    SketchShape *red = addBox(m_view->currentLayer(), 100, 100, 60, 40, Qt::red);
    selectShape(red, SketchHandleFirstPoint + 2);
    m_view->beginMovePreview({red});
    QVERIFY(!m_view->hasMovePreview());
    selectShape(red, SketchHandleInside);
    m_view->beginMovePreview({red, nullptr});
    QVERIFY(!m_view->hasMovePreview());
    m_view->beginMovePreview({red});
    QVERIFY(m_view->hasMovePreview());
    m_view->endMovePreview();
    QVERIFY(!m_view->hasMovePreview());
}

// Moving shapes that lay beyond the view as the drag began are drawn as
// they come into it.
void TestMovePreview::shapesComingIntoViewAreDrawn()
{
    fillCrowd();
    // On top, running out past the view's right edge.
    addBox(m_view->currentLayer(), 640, 200, 140, 60, Qt::red);
    const QPoint grip = widgetPoint(660, 230);
    pressAt(m_view, grip);
    moveTo(m_view, grip - QPoint(5, 0));
    QVERIFY(m_view->hasMovePreview());
    moveTo(m_view, grip - QPoint(200, 0));
    QVERIFY(m_view->hasMovePreview());
    const QImage image = shown();
    // Paper x 730 and 770 lay beyond the view; they are at 530 and 570 now.
    for (int x : {460, 530, 570})
        QVERIFY2(sameColor(image, x, 230, Qt::red), qPrintable(QString::number(x)));
    releaseAt(m_view, grip - QPoint(200, 0));
}

QTEST_MAIN(TestMovePreview)
#include "tst_movepreview.moc"
