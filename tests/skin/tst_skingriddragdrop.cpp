// Drag and drop inside one grid: moving cells and rows by selection mode,
// the refused drops, drags over the grid with and without text, data
// dropped from outside, the drag picture, and one real drag run by the
// window system.
#include "skin/gridfixture.h"

#include "skin/windows/skintheme.h"
#include "support/xserver.h"

#include <QDrag>
#include <QImage>
#include <QPainter>
#include <QMimeData>
#include <QScopedPointer>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTimer>
#include <QWindow>
#include <QtTest>

using namespace gridfixture;

namespace {

// Drag from (dragColumn, dragRow) as the grid's own drag start would.
void beginDrag(SkinGridView *grid, int column, int row)
{
    grid->setDragging(true);
    grid->setDragColumn(column);
    grid->setDragRow(row);
    grid->setDropColumn(column);
    grid->setDropRow(row);
}

// Drops where the grid's drag-move tracking would have put the target.
void dropOn(SkinGridView *grid, int column, int row, bool emitSignals = true)
{
    grid->setDropColumn(column);
    grid->setDropRow(row);
    grid->itemDelegate()->dropCell(grid, column, row, emitSignals);
}

// QApplication delivers no drag-leave event that the window system did not
// start; the handler is reached directly.
class LeavableGrid : public SkinGridView
{
public:
    using SkinGridView::dragLeaveEvent;
};

QString dragState(const SkinGridView *grid)
{
    return QString("%1 drag %2,%3 drop %4,%5")
        .arg(grid->isDragging() ? "dragging" : "idle")
        .arg(grid->dragColumn())
        .arg(grid->dragRow())
        .arg(grid->dropColumn())
        .arg(grid->dropRow());
}

QString corners(const SkinGridSelection *s)
{
    return QString("%1,%2>%3,%4").arg(s->anchorColumn()).arg(s->anchorRow()).arg(s->currentColumn()).arg(s->currentRow());
}

// Data as another program (or widget) would offer it.
QMimeData *textData(const QString &text)
{
    auto *data = new QMimeData;
    data->setText(text);
    return data;
}

} // namespace

class TestSkinGridDragDrop : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void cellsMove_data();
    void cellsMove();
    void movedContentKeepsItsFields();
    void rowsMoveWithTheirAttributes();
    void columnModeMovesNothing();
    void refusedDrops_data();
    void refusedDrops();
    void dragsOverTheGrid();
    void dropsFromOutsideGoToTheOwner();
    void dragLeaveForgetsTheTarget();
    void dragPicture();
    void drawPixmapCentered();
    void realDrag();
};

void TestSkinGridDragDrop::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    setSkinThemeStyle(Black);
    registerGridTypes();
}

void TestSkinGridDragDrop::cellsMove_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("emitted");
    QTest::addColumn<QString>("selection");
    const QStringList abcd = {"a", "b", "c", "d"};
    QTest::newRow("first onto last") << 4 << abcd << QPoint(0, 0) << QPoint(3, 0) << "b,c,d,a" << "selection droped" << "3,0>3,0";
    QTest::newRow("last onto first") << 4 << abcd << QPoint(3, 0) << QPoint(0, 0) << "d,a,b,c" << "selection droped" << "0,0>0,0";
    QTest::newRow("across rows") << 2 << abcd << QPoint(1, 0) << QPoint(0, 1) << "a,c,b,d" << "selection droped" << "0,1>0,1";
    QTest::newRow("onto itself") << 4 << abcd << QPoint(2, 0) << QPoint(2, 0) << "a,b,c,d" << "droped" << "-1,-1>-1,-1";
    QTest::newRow("over missing cells") << 4 << QStringList{"a"} << QPoint(0, 0) << QPoint(3, 0) << ",,,a" << "selection droped" << "3,0>3,0";
}

void TestSkinGridDragDrop::cellsMove()
{
    QFETCH(int, columns);
    QFETCH(QStringList, texts);
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(QString, expected);
    QFETCH(QString, emitted);
    QFETCH(QString, selection);
    SkinGridView grid;
    grid.setDragEnabled(true);
    grid.setDropEnabled(true);
    fill(&grid, columns, 4 / columns, texts);
    GridRecorder recorder(&grid);
    beginDrag(&grid, from.x(), from.y());
    dropOn(&grid, to.x(), to.y());
    QCOMPARE(joined(&grid), expected);
    QCOMPARE(recorder.take(), emitted);
    QCOMPARE(corners(grid.selection()), selection);
    QCOMPARE(dragState(&grid), QString("idle drag %1,%2 drop -1,-1").arg(from.x()).arg(from.y()));

    // Without signals the same move happens silently, but for the selection.
    beginDrag(&grid, to.x(), to.y());
    dropOn(&grid, from.x(), from.y(), false);
    QCOMPARE(recorder.take().contains("droped"), false);
}

void TestSkinGridDragDrop::movedContentKeepsItsFields()
{
    SkinGridView grid;
    grid.setDragEnabled(true);
    grid.setDropEnabled(true);
    fill(&grid, 3, 1, {"a", "b", "c"});
    QObject shown;
    SkinGridCell *a = grid.cell(0, 0);
    a->setUserValue(5);
    a->setUserText("user");
    a->setToolTip("tip");
    a->setData(&shown);
    a->setBackgroundColor(Qt::red);
    grid.cell(2, 0)->setTextColor(Qt::green);
    beginDrag(&grid, 0, 0);
    dropOn(&grid, 2, 0);
    const SkinGridCell *moved = grid.cell(2, 0);
    QCOMPARE(moved->text(), QString("a"));
    QCOMPARE(moved->userValue(), 5);
    QCOMPARE(moved->userText(), QString("user"));
    QCOMPARE(moved->toolTip(), QString("tip"));
    QCOMPARE(moved->data(), &shown);
    QCOMPARE(moved->backgroundColor(), QColor(Qt::red));
    // The text colour belongs to the position.
    QCOMPARE(moved->textColor(), QColor(Qt::green));
    QCOMPARE(grid.cell(0, 0)->userValue(), 0);
    QCOMPARE(grid.cell(0, 0)->data(), nullptr);
}

void TestSkinGridDragDrop::rowsMoveWithTheirAttributes()
{
    SkinGridView grid;
    grid.setSelectionMode(SkinGridSelectRows);
    grid.setDragEnabled(true);
    grid.setDropEnabled(true);
    fill(&grid, 2, 3, {"a0", "a1", "b0", "b1", "c0", "c1"});
    QObject layers[3];
    for (int r = 0; r < 3; ++r) {
        SkinGridRow *row = grid.rows().at(r);
        row->setText(QString("row%1").arg(r));
        row->setData(&layers[r]);
        row->setUserValue(r + 10);
        row->setHeight(20 + r);
    }
    grid.rows().at(0)->setBackgroundColor(Qt::yellow);
    GridRecorder recorder(&grid);
    QString duringDrop;
    recorder.onDrop = [&] { duringDrop = dragState(&grid); };
    beginDrag(&grid, 1, 0);
    dropOn(&grid, 0, 2);

    QCOMPARE(joined(&grid), QString("b0,b1,c0,c1,a0,a1"));
    const QList<SkinGridRow *> &rows = grid.rows();
    QCOMPARE(rows.at(2)->text(), QString("row0"));
    QCOMPARE(rows.at(2)->data(), &layers[0]);
    QCOMPARE(rows.at(2)->userValue(), 10);
    QCOMPARE(rows.at(2)->backgroundColor(), QColor(Qt::yellow));
    QCOMPARE(rows.at(0)->text(), QString("row1"));
    QCOMPARE(rows.at(0)->data(), &layers[1]);
    QCOMPARE(rows.at(1)->data(), &layers[2]);
    QCOMPARE(rows.at(0)->backgroundColor(), QColor(Qt::transparent));
    // Heights stay with the positions; the new cells know their places.
    QCOMPARE(rows.at(2)->height(), 22);
    QCOMPARE(grid.cell(1, 2)->row(), 2);
    QCOMPARE(grid.cell(1, 2)->column(), 1);
    QCOMPARE(recorder.take(), QString("selection droped"));
    QCOMPARE(corners(grid.selection()), QString("0,2>1,2"));
    // The receiver of cellDroped still reads where the row came from and went.
    QCOMPARE(duringDrop, QString("dragging drag 1,0 drop 0,2"));
    QCOMPARE(dragState(&grid), QString("idle drag 1,0 drop -1,-1"));

    // Onto its own row: nothing moves, the drop is still reported.
    beginDrag(&grid, 0, 1);
    dropOn(&grid, 1, 1);
    QCOMPARE(joined(&grid), QString("b0,b1,c0,c1,a0,a1"));
    QCOMPARE(recorder.take(), QString("droped"));
}

void TestSkinGridDragDrop::columnModeMovesNothing()
{
    SkinGridView grid;
    grid.setSelectionMode(SkinGridSelectColumns);
    grid.setDragEnabled(true);
    grid.setDropEnabled(true);
    fill(&grid, 3, 1, {"a", "b", "c"});
    GridRecorder recorder(&grid);
    beginDrag(&grid, 0, 0);
    dropOn(&grid, 2, 0);
    QCOMPARE(joined(&grid), QString("a,b,c"));
    QCOMPARE(recorder.take(), QString("droped"));
    QVERIFY(!grid.isDragging());
}

void TestSkinGridDragDrop::refusedDrops_data()
{
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("target left of the grid") << QPoint(0, 0) << QPoint(-1, 0) << "";
    QTest::newRow("target on a header") << QPoint(0, 0) << QPoint(1, -1) << "";
    QTest::newRow("target right of the grid") << QPoint(0, 0) << QPoint(4, 0) << "";
    QTest::newRow("target below the grid") << QPoint(0, 0) << QPoint(1, 1) << "";
    QTest::newRow("origin gone") << QPoint(5, 0) << QPoint(1, 0) << "";
    QTest::newRow("origin unknown") << QPoint(-1, -1) << QPoint(1, 0) << "";
    QTest::newRow("dragged cell refuses") << QPoint(0, 0) << QPoint(2, 0) << "drag";
    QTest::newRow("target cell refuses") << QPoint(0, 0) << QPoint(2, 0) << "drop";
    QTest::newRow("grid refuses a missing target") << QPoint(0, 0) << QPoint(3, 0) << "grid";
}

void TestSkinGridDragDrop::refusedDrops()
{
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(QString, refusal);
    SkinGridView grid;
    grid.setDragEnabled(true);
    grid.setDropEnabled(refusal != "grid");
    fill(&grid, 4, 1, {"a", "b", "c"});
    grid.setDropEnabled(true);
    if (refusal == "drag")
        grid.setCellDragEnabled(from.x(), from.y(), false);
    if (refusal == "drop")
        grid.setCellDropEnabled(to.x(), to.y(), false);
    if (refusal == "grid")
        grid.setDropEnabled(false);
    grid.selection()->select(1, 0, false);
    GridRecorder recorder(&grid);
    beginDrag(&grid, from.x(), from.y());
    dropOn(&grid, to.x(), to.y());
    QCOMPARE(joined(&grid), QString("a,b,c,"));
    QCOMPARE(recorder.take(), QString());
    QCOMPARE(corners(grid.selection()), QString("1,0>1,0"));
    QCOMPARE(dragState(&grid), QString("idle drag %1,%2 drop -1,-1").arg(from.x()).arg(from.y()));
}

void TestSkinGridDragDrop::dragsOverTheGrid()
{
    SkinGridView grid;
    fill(&grid, 3, 3);
    grid.resize(300, 200);
    grid.updateLayout(false);
    QMimeData text;
    text.setText("hello");
    QMimeData image;
    image.setImageData(QImage(4, 4, QImage::Format_ARGB32));

    QDragEnterEvent enter(QPoint(60, 30), Qt::CopyAction | Qt::MoveAction, &text, Qt::LeftButton, Qt::NoModifier);
    enter.setAccepted(false);
    QApplication::sendEvent(&grid, &enter);
    QVERIFY(enter.isAccepted());
    QCOMPARE(enter.dropAction(), Qt::CopyAction);

    QDragEnterEvent refused(QPoint(60, 30), Qt::CopyAction, &image, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&grid, &refused);
    QVERIFY(!refused.isAccepted());

    const QPoint over = centreOf(&grid, 2, 1);
    QDragMoveEvent move(over, Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    move.setAccepted(false);
    QApplication::sendEvent(&grid, &move);
    QVERIFY(move.isAccepted());
    QCOMPARE(grid.dropColumn(), 2);
    QCOMPARE(grid.dropRow(), 1);

    QDragMoveEvent refusedMove(centreOf(&grid, 0, 0), Qt::CopyAction, &image, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&grid, &refusedMove);
    QVERIFY(!refusedMove.isAccepted());
    QCOMPARE(grid.dropColumn(), 2);
    QCOMPARE(grid.dropRow(), 1);
}

void TestSkinGridDragDrop::dropsFromOutsideGoToTheOwner()
{
    SkinGridView grid;
    grid.setDragEnabled(true);
    grid.setDropEnabled(true);
    fill(&grid, 4, 1, {"a", "b", "c", "d"});
    grid.resize(300, 100);
    grid.updateLayout(false);
    GridRecorder recorder(&grid);
    QSignalSpy dropped(&grid, SIGNAL(gridDroped(QDropEvent*)));

    // A drag of the grid's own that ended over another widget leaves the
    // grid marked dragging; a later drop from elsewhere must not move its
    // cells.
    beginDrag(&grid, 0, 0);
    grid.setDropColumn(3);
    grid.setDropRow(0);
    QScopedPointer<QMimeData> data(textData("outside"));
    // QApplication hands a drop to the widget that took the drag's enter.
    QDragEnterEvent enter(centreOf(&grid, 3, 0), Qt::CopyAction, data.data(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&grid, &enter);
    QVERIFY(enter.isAccepted());
    recorder.take();
    QDropEvent drop(QPointF(centreOf(&grid, 3, 0)), Qt::CopyAction, data.data(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&grid, &drop);
    QCOMPARE(recorder.take(), QString("griddroped:outside"));
    QCOMPARE(dropped.count(), 1);
    QCOMPARE(dropped.at(0).at(0).value<QDropEvent *>(), &drop);
    QCOMPARE(joined(&grid), QString("a,b,c,d"));
    QCOMPARE(dragState(&grid), QString("idle drag 0,0 drop -1,-1"));
}

void TestSkinGridDragDrop::dragLeaveForgetsTheTarget()
{
    LeavableGrid grid;
    fill(&grid, 2, 2);
    GridRecorder recorder(&grid);
    beginDrag(&grid, 1, 1);
    QDragLeaveEvent leave;
    grid.dragLeaveEvent(&leave);
    QCOMPARE(recorder.take(), QString("dragleave"));
    QCOMPARE(dragState(&grid), QString("dragging drag 1,1 drop -1,-1"));

    // Someone else's drag leaving is none of the grid's business.
    grid.setDragging(false);
    grid.dragLeaveEvent(&leave);
    QCOMPARE(recorder.take(), QString());
}

void TestSkinGridDragDrop::dragPicture()
{
    SkinGridView grid;
    fill(&grid, 2, 2, {"Text", ""}, 60);
    grid.resize(300, 200);
    grid.updateLayout(false);
    SkinGridItemDelegate *delegate = grid.itemDelegate();
    const QImage picture = delegate->dragPixmap(&grid, 0, 0).toImage();
    QCOMPARE(picture.size(), grid.cellRect(0, 0).size());
    int inked = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (qAlpha(picture.pixel(x, y)) > 0)
                ++inked;
        }
    }
    QVERIFY(inked > 10);
    // No text: a clear picture; no room: none at all.
    const QImage empty = delegate->dragPixmap(&grid, 1, 0).toImage();
    QCOMPARE(empty.size(), QSize(60, 20));
    QCOMPARE(qAlpha(empty.pixel(30, 10)), 0);
    grid.resize(0, 0);
    QVERIFY(delegate->dragPixmap(&grid, 0, 0).isNull());
    QCOMPARE(delegate->cellText(&grid, 0, 0), QString("Text"));
}

void TestSkinGridDragDrop::drawPixmapCentered()
{
    QImage canvas(20, 20, QImage::Format_ARGB32);
    canvas.fill(Qt::white);
    QPixmap dot(4, 2);
    dot.fill(Qt::black);
    {
        QPainter painter(&canvas);
        SkinGridItemDelegate::drawPixmapCentered(&painter, QRectF(2, 2, 10, 10), dot);
        SkinGridItemDelegate::drawPixmapCentered(&painter, QRectF(0, 0, 20, 20), QPixmap());
    }
    // (2 + 3, 2 + 4) to (8, 7).
    QCOMPARE(canvas.pixelColor(5, 6), QColor(Qt::black));
    QCOMPARE(canvas.pixelColor(8, 7), QColor(Qt::black));
    QCOMPARE(canvas.pixelColor(4, 6), QColor(Qt::white));
    QCOMPARE(canvas.pixelColor(9, 6), QColor(Qt::white));
    QCOMPARE(canvas.pixelColor(5, 8), QColor(Qt::white));
}

// The drag runs in the window system's own loop, which the offscreen
// platform cannot complete; it runs once under a virtual X server.
void TestSkinGridDragDrop::realDrag()
{
    if (!onXServer()) {
        const XServerRun run = runUnderXServer("TestSkinGridDragDrop", "realDrag");
        if (run.skipped)
            QSKIP("no X server and no xvfb-run");
        QVERIFY2(run.passed, qPrintable(run.output));
        return;
    }

    SkinGridView grid;
    hideHeaders(&grid);
    grid.setMultiSelection(false);
    grid.setDragEnabled(true);
    grid.setDropEnabled(true);
    fill(&grid, 4, 1, {"a", "b", "c", "d"});
    grid.resize(200, 60);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    GridRecorder recorder(&grid);
    QString carried;
    QSize picture;
    QPoint hotSpot;
    const QPoint target = centreOf(&grid, 3, 0);
    // While the drag runs: look at it, then move onto the last cell and let go.
    QTimer::singleShot(300, &grid, [&] {
        if (QDrag *drag = grid.findChild<QDrag *>()) {
            carried = drag->mimeData()->text();
            picture = drag->pixmap().size();
            hotSpot = drag->hotSpot();
        }
        QWindow *window = grid.windowHandle();
        QTest::mouseMove(window, target);
        QTest::mouseMove(window, target + QPoint(1, 0));
        QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, target);
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, [] { qFatal("the drag did not end"); });
    watchdog.start(20000);
    press(&grid, centreOf(&grid, 0, 0));
    moveTo(&grid, centreOf(&grid, 0, 0) + QPoint(5, 0), Qt::LeftButton);
    watchdog.stop();
    QCOMPARE(carried, QString("a"));
    QCOMPARE(picture, QSize(40, 20));
    QCOMPARE(hotSpot, QPoint(20, 10));
    QCOMPARE(recorder.take(), QString("pressing:0,0 selection pressed:0,0 draging selection droped draged"));
    QCOMPARE(joined(&grid), QString("b,c,d,a"));
    QCOMPARE(corners(grid.selection()), QString("3,0>3,0"));
    QVERIFY(!grid.isDragging());
}

QTEST_MAIN(TestSkinGridDragDrop)
#include "tst_skingriddragdrop.moc"
#include "moc_gridfixture.cpp"
