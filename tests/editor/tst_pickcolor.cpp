// The colour pickers and the zoom tools' click.
#include "support/history.h"
#include "support/input.h"
#include "support/paintcounter.h"
#include "support/pixels.h"
#include "support/shapes.h"

#include "commands/sketchcommandmanager.h"
#include "editor/sketchdocumentview.h"
#include "editor/sketchtool.h"
#include "editor/sketchtoolpickcolor.h"
#include "model/sketchlayer.h"
#include "model/skinbrush.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

class TestPickColor : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup();

    void pickEmitsTheTargetsSignal_data();
    void pickEmitsTheTargetsSignal();
    void rightClickLeavesWithoutPicking();
    void pickAtTheFarEdgeReadsAnEdgePixel_data();
    void pickAtTheFarEdgeReadsAnEdgePixel();

    void zoomClickKeepsThePaperPoint_data();
    void zoomClickKeepsThePaperPoint();

private:
    // Every colour any of the three signals carried, tagged with its target.
    QList<QPair<int, QColor>> m_picked;
    SketchDocumentView *m_view = nullptr;
};

void TestPickColor::init()
{
    m_view = new SketchDocumentView;
    m_view->resize(1000, 800);
    m_view->show();
    m_picked.clear();
    connect(m_view, &SketchDocumentView::gradientColorPicked, this,
            [this](QColor color) { m_picked.append({0, color}); });
    connect(m_view, &SketchDocumentView::fillColorPicked, this,
            [this](QColor color) { m_picked.append({1, color}); });
    connect(m_view, &SketchDocumentView::strokeColorPicked, this,
            [this](QColor color) { m_picked.append({2, color}); });
}

void TestPickColor::cleanup()
{
    delete m_view;
    m_view = nullptr;
}

void TestPickColor::pickEmitsTheTargetsSignal_data()
{
    QTest::addColumn<int>("toolType");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QColor>("expected");
    QTest::newRow("fill on a red shape") << int(SketchToolTypePickFillColor) << QPoint(200, 150)
                                         << QColor(Qt::red);
    QTest::newRow("stroke on white paper") << int(SketchToolTypePickStrokeColor) << QPoint(600, 400)
                                           << QColor(Qt::white);
    QTest::newRow("gradient stop on a half-transparent blue shape")
        << int(SketchToolTypePickColor) << QPoint(650, 150) << QColor(127, 127, 255);
    QTest::newRow("outside the paper: the paper colour")
        << int(SketchToolTypePickFillColor) << QPoint(950, 750) << QColor(Qt::white);
}

void TestPickColor::pickEmitsTheTargetsSignal()
{
    QFETCH(int, toolType);
    QFETCH(QPoint, at);
    QFETCH(QColor, expected);
    addBox(m_view->currentLayer(), 100, 100, 200, 100, Qt::red);
    addBox(m_view->currentLayer(), 600, 100, 100, 100, QColor(0, 0, 255, 128));
    m_view->setCurrentTool(toolType, true);
    auto *tool = qobject_cast<SketchToolPickColor *>(m_view->currentTool());
    QVERIFY(tool);

    clickAt(m_view, at);
    QCOMPARE(m_picked.size(), 1);
    QCOMPARE(m_picked.first().first, tool->target());
    const QColor picked = m_picked.first().second;
    QCOMPARE(picked.alpha(), 255);
    QVERIFY2(qAbs(picked.red() - expected.red()) <= 2 && qAbs(picked.green() - expected.green()) <= 2
                 && qAbs(picked.blue() - expected.blue()) <= 2,
             qPrintable(picked.name()));
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeSelect));
    QCOMPARE(m_view->commandManager()->undoCount(), 0);
    QVERIFY(!m_view->isModified());
}

void TestPickColor::rightClickLeavesWithoutPicking()
{
    addBox(m_view->currentLayer(), 100, 100, 200, 100, Qt::red);
    m_view->setCurrentTool(SketchToolTypePickFillColor, true);
    auto *tool = qobject_cast<SketchToolPickColor *>(m_view->currentTool());
    QVERIFY(!tool->color().isValid());
    pressAt(m_view, QPointF(200, 150), Qt::NoModifier, Qt::RightButton);
    QCOMPARE(tool->color(), QColor(0, 0, 0, 0));
    releaseAt(m_view, QPointF(200, 150), Qt::NoModifier, Qt::RightButton);
    QVERIFY(m_picked.isEmpty());
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeSelect));
}

void TestPickColor::pickAtTheFarEdgeReadsAnEdgePixel_data()
{
    QTest::addColumn<QPointF>("at");
    // Both round onto the pixel just past the last column or row.
    QTest::newRow("right edge") << QPointF(999.6, 400);
    QTest::newRow("bottom edge") << QPointF(500, 799.5);
}

void TestPickColor::pickAtTheFarEdgeReadsAnEdgePixel()
{
    QFETCH(QPointF, at);
    // The paper fill covers the whole picture the pick reads.
    m_view->setPaperColor(SkinBrush(QColor(Qt::green)));
    m_view->setCurrentTool(SketchToolTypePickStrokeColor, true);
    pressAt(m_view, at, Qt::NoModifier, Qt::LeftButton);
    releaseAt(m_view, at, Qt::NoModifier, Qt::LeftButton);
    QCOMPARE(m_picked.size(), 1);
    QCOMPARE(m_picked.first().second, QColor(Qt::green));
}

void TestPickColor::zoomClickKeepsThePaperPoint_data()
{
    QTest::addColumn<int>("toolType");
    QTest::addColumn<float>("startZoom");
    QTest::addColumn<float>("expectedZoom");
    QTest::newRow("zoom in") << int(SketchToolTypeZoomIn) << 2.0f << 3.0f;
    QTest::newRow("zoom out") << int(SketchToolTypeZoomOut) << 3.0f << 2.0f;
}

void TestPickColor::zoomClickKeepsThePaperPoint()
{
    QFETCH(int, toolType);
    QFETCH(float, startZoom);
    QFETCH(float, expectedZoom);
    m_view->setZoom(startZoom);
    QVERIFY(!m_view->horizontalScrollBar()->isHidden());
    QVERIFY(!m_view->verticalScrollBar()->isHidden());
    m_view->horizontalScrollBar()->setValue(300);
    m_view->verticalScrollBar()->setValue(200);
    const QPoint click(400, 300);
    const QPointF paper = m_view->mapToDocument(click);

    m_view->setCurrentTool(toolType, true);
    clickAt(m_view, click);
    QCOMPARE(m_view->zoom(), expectedZoom);
    const QPointF shown = m_view->mapFromDocument(paper);
    QVERIFY2(qAbs(shown.x() - click.x()) <= 1 && qAbs(shown.y() - click.y()) <= 1,
             qPrintable(QStringLiteral("%1,%2").arg(shown.x()).arg(shown.y())));
    // The bars follow the offsets.
    QCOMPARE(m_view->horizontalScrollBar()->value(), -m_view->scrollX());
    QCOMPARE(m_view->currentToolType(), toolType);
}

QTEST_MAIN(TestPickColor)
#include "tst_pickcolor.moc"
