// The frames popup and the frame button: the counter, the grid of frame
// thumbnails and its selection, confirming and cancelling, deleting a frame
// through the document view, the drag text and its drop, the theme, and who
// deletes what.
#include "support/history.h"
#include "support/pixels.h"
#include "support/shapes.h"
#include "support/input.h"
#include "support/xserver.h"

#include "app/sketchframeeditor.h"
#include "app/sketchframegriditemdelegate.h"
#include "app/sketchframepopupwindow.h"
#include "commands/sketchcommandmanager.h"
#include "editor/sketchdocumentview.h"
#include "materials/sketchmaterial.h"
#include "model/sketchdocument.h"
#include "model/sketchlayer.h"
#include "skin/controls/skingridcell.h"
#include "skin/controls/skingridcolumn.h"
#include "skin/controls/skingridrow.h"
#include "skin/controls/skingridselection.h"
#include "skin/controls/skingridview.h"
#include "skin/windows/skinmenu.h"
#include "skin/windows/skintheme.h"

#include <QAction>
#include <QDrag>
#include <QDropEvent>
#include <QImage>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QScopedPointer>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTimer>
#include <QWindow>
#include <QtTest>

namespace {

// A box with `count` frames, boxes of growing width, showing `current`.
SketchShape *framedBox(SketchLayer *layer, int count, int current)
{
    SketchShape *shape = addBox(layer, 40, 40, 50, 30, Qt::red);
    for (int i = 0; i < count; ++i) {
        SketchShape *frame = makeBox(nullptr, QRectF(0, 0, 10 + 5 * i, 20));
        frame->setFill(SkinBrush(QColor(Qt::blue)));
        shape->appendFrame(frame);
    }
    shape->setLayer(layer);
    if (count > 0)
        shape->setFrameIndex(current);
    return shape;
}

// Which cells hold a frame, as indices.
QList<int> filledCells(const SkinGridView *grid)
{
    QList<int> cells;
    for (int index = 0; index < grid->cellCount(); ++index) {
        if (SketchFrameGridItemDelegate::materialAt(grid, index % 3, index / 3))
            cells.append(index);
    }
    return cells;
}

// Records the three confirmation signals, in order.
class Confirmations : public QObject
{
    Q_OBJECT

public:
    explicit Confirmations(SketchFramePopupWindow *popup)
    {
        connect(popup, SIGNAL(shapeFrameChanged()), this, SLOT(plain()));
        connect(popup, SIGNAL(shapeFrameChanged(int)), this, SLOT(index(int)));
        connect(popup, SIGNAL(shapeFrameChanged(QString)), this, SLOT(text(QString)));
    }
    QStringList log;

public slots:
    void plain() { log << "changed"; }
    void index(int i) { log << QString::number(i); }
    void text(const QString &t) { log << t; }
};

} // namespace

class TestSketchFramePopupWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void buildsTheGrid();
    void counterText_data();
    void counterText();
    void showsTheFramesOfAShape();
    void framesPastTheGridAreNotShown();
    void confirmingReportsTheChoice();
    void doubleClickConfirms();
    void cancelReportsNothing();
    void opensOnlyWithFrames();
    void deleteKeepsThePopupOpenWhileFramesRemain();
    void deletingOneOfTwoFramesCloses();
    void deleteOnALockedLayerChangesNothing();
    void thumbnailsAreMadeAtTheFirstPaint();
    void dragTextDropsAsANewShape();
    void realDragDropsAFrameOnAView();
    void themeColours_data();
    void themeColours();
    void frameButtonFollowsItsPopup();
    void popupGoesWithItsOwner();

private:
    SketchLayer *layer() const { return m_view->currentLayer(); }

    SketchDocumentView *m_view = nullptr;
    SketchFramePopupWindow *m_popup = nullptr;
};

void TestSketchFramePopupWindow::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    qRegisterMetaType<SkinGridCell *>("SkinGridCell*");
    setSkinThemeStyle(Black);
}

void TestSketchFramePopupWindow::init()
{
    m_view = new SketchDocumentView;
    m_view->resize(600, 400);
    m_popup = new SketchFramePopupWindow(nullptr);
    m_popup->setPopupRect(QRect(QPoint(100, 100), QPoint(287, 294)));
}

void TestSketchFramePopupWindow::cleanup()
{
    delete m_popup;
    m_popup = nullptr;
    delete m_view;
    m_view = nullptr;
}

void TestSketchFramePopupWindow::buildsTheGrid()
{
    SkinGridView *grid = m_popup->grid();
    QCOMPARE(grid->columnCount(), 3);
    QCOMPARE(grid->rowCount(), 25);
    QCOMPARE(m_popup->popupWindow()->objectName(), QString("popupWindow"));
    QVERIFY(m_popup->popupWindow()->windowFlags() & Qt::Popup);
    QCOMPARE(m_popup->contextMenu()->actions().size(), 1);
    QCOMPARE(m_popup->contextMenu()->actions().first()->text(), QString("Delete"));
    QCOMPARE(grid->contextMenu(), m_popup->contextMenu());
    // 188 x 195: the grid 8 pixels in, 30 above the foot, its cells square.
    QCOMPARE(grid->geometry(), QRect(8, 8, 172, 157));
    const int side = grid->columns().first()->width();
    QVERIFY(side > 40);
    QCOMPARE(grid->rows().first()->height(), side);
    QVERIFY(m_popup->popupRect() == QRect(QPoint(100, 100), QPoint(287, 294)));
}

void TestSketchFramePopupWindow::counterText_data()
{
    QTest::addColumn<int>("frames");
    QTest::addColumn<int>("current");
    QTest::addColumn<QString>("text");
    QTest::newRow("no frames") << 0 << 0 << "1/1";
    QTest::newRow("first of three") << 3 << 0 << "1/3";
    QTest::newRow("third of five") << 5 << 2 << "3/5";
}

void TestSketchFramePopupWindow::counterText()
{
    QFETCH(int, frames);
    QFETCH(int, current);
    QFETCH(QString, text);
    QCOMPARE(m_popup->frameText(), QString("0/0"));
    m_popup->setShape(framedBox(layer(), frames, current));
    QCOMPARE(m_popup->frameText(), text);
    QCOMPARE(m_popup->frameIndex(), current);
    m_popup->setShape(nullptr);
    QCOMPARE(m_popup->frameText(), QString("0/0"));
    QVERIFY(filledCells(m_popup->grid()).isEmpty());
}

void TestSketchFramePopupWindow::showsTheFramesOfAShape()
{
    SketchShape *shape = framedBox(layer(), 5, 2);
    const QString before = shapeXml(shape);
    m_popup->setShape(shape);
    SkinGridView *grid = m_popup->grid();
    QCOMPARE(filledCells(grid), QList<int>({0, 1, 2, 3, 4}));
    QCOMPARE(grid->selection()->topLeftIndex(), 2);
    QVERIFY(grid->cell(2, 0)->isSelected());
    // Each cell shows its own frame, moved to the origin, a copy.
    SketchMaterial *fourth = SketchFrameGridItemDelegate::materialAt(grid, 0, 1);
    QCOMPARE(fourth->shapes().size(), 1);
    QVERIFY(fourth->shapes().first() != shape->frames().at(3));
    QCOMPARE(fourth->size(), QSizeF(25, 20));
    QCOMPARE(shapeXml(shape), before);
    // A refill replaces the materials.
    QPointer<SketchMaterial> old = fourth;
    m_popup->setShape(shape);
    QVERIFY(!old);
}

void TestSketchFramePopupWindow::framesPastTheGridAreNotShown()
{
    m_popup->setShape(framedBox(layer(), 80, 78));
    QCOMPARE(filledCells(m_popup->grid()).size(), 75);
    QVERIFY(m_popup->grid()->selection()->isEmpty());
    QCOMPARE(m_popup->frameIndex(), 0);
    QCOMPARE(m_popup->frameText(), QString("1/80"));
}

void TestSketchFramePopupWindow::confirmingReportsTheChoice()
{
    m_popup->setShape(framedBox(layer(), 5, 2));
    Confirmations confirmations(m_popup);
    m_popup->showPopupWindow();
    QVERIFY(m_popup->popupWindow()->isVisible());
    m_popup->grid()->selection()->selectCell(4, false);
    QCOMPARE(m_popup->frameIndex(), 4);
    // An empty cell chooses nothing.
    m_popup->grid()->selection()->selectCell(7, false);
    QCOMPARE(m_popup->frameIndex(), 4);
    m_popup->okButton()->click();
    QCOMPARE(confirmations.log, QStringList({"changed", "4", "5/5"}));
    QVERIFY(!m_popup->popupWindow()->isVisible());
    QCOMPARE(undoTexts(m_view), QString());
}

void TestSketchFramePopupWindow::doubleClickConfirms()
{
    m_popup->setShape(framedBox(layer(), 3, 0));
    Confirmations confirmations(m_popup);
    m_popup->grid()->selection()->selectCell(1, false);
    emit m_popup->grid()->cellDoubleClicked(m_popup->grid()->cell(1, 0));
    QCOMPARE(confirmations.log, QStringList({"changed", "1", "2/3"}));
}

void TestSketchFramePopupWindow::cancelReportsNothing()
{
    m_popup->setShape(framedBox(layer(), 3, 0));
    Confirmations confirmations(m_popup);
    m_popup->showPopupWindow();
    m_popup->grid()->selection()->selectCell(2, false);
    m_popup->cancelButton()->click();
    QVERIFY(confirmations.log.isEmpty());
    QVERIFY(!m_popup->popupWindow()->isVisible());
    // The choice stays until the next setShape.
    QCOMPARE(m_popup->frameIndex(), 2);
}

void TestSketchFramePopupWindow::opensOnlyWithFrames()
{
    m_popup->showPopupWindow();
    QVERIFY(!m_popup->popupWindow()->isVisible());
    m_popup->setShape(framedBox(layer(), 0, 0));
    m_popup->showPopupWindow();
    QVERIFY(!m_popup->popupWindow()->isVisible());
    m_popup->setShape(framedBox(layer(), 2, 0));
    m_popup->showPopupWindow();
    QVERIFY(m_popup->popupWindow()->isVisible());
    // Without a parent widget the rectangle is on the screen.
    QCOMPARE(m_popup->popupWindow()->geometry(), QRect(100, 100, 188, 195));
    QCOMPARE(m_popup->okButton()->geometry(), QRect(38, 170, 70, 20));
    QCOMPARE(m_popup->cancelButton()->geometry(), QRect(113, 170, 70, 20));
}

void TestSketchFramePopupWindow::deleteKeepsThePopupOpenWhileFramesRemain()
{
    SketchShape *shape = framedBox(layer(), 3, 0);
    m_popup->setShape(shape);
    m_popup->showPopupWindow();
    Confirmations confirmations(m_popup);
    m_popup->grid()->selection()->selectCell(1, false);
    m_popup->contextMenu()->actions().first()->trigger();
    QCOMPARE(shape->frames().size(), 2);
    QCOMPARE(undoTexts(m_view), QString("removeShapeFrame"));
    QCOMPARE(filledCells(m_popup->grid()), QList<int>({0, 1}));
    QCOMPARE(m_popup->frameIndex(), shape->frameIndex());
    QVERIFY(m_popup->popupWindow()->isVisible());
    QVERIFY(confirmations.log.isEmpty());
}

void TestSketchFramePopupWindow::deletingOneOfTwoFramesCloses()
{
    SketchShape *shape = framedBox(layer(), 2, 1);
    m_popup->setShape(shape);
    m_popup->showPopupWindow();
    Confirmations confirmations(m_popup);
    m_popup->deleteShapeFrame();
    QVERIFY(shape->frames().isEmpty());
    QCOMPARE(undoTexts(m_view), QString("removeShapeFrame"));
    QVERIFY(!m_popup->popupWindow()->isVisible());
    QVERIFY(confirmations.log.isEmpty());
    QCOMPARE(m_popup->frameText(), QString("1/1"));
}

void TestSketchFramePopupWindow::deleteOnALockedLayerChangesNothing()
{
    SketchShape *shape = framedBox(layer(), 3, 0);
    layer()->setLocked(true);
    m_popup->setShape(shape);
    m_popup->showPopupWindow();
    m_popup->deleteShapeFrame();
    QCOMPARE(shape->frames().size(), 3);
    QCOMPARE(undoTexts(m_view), QString());
    QVERIFY(m_popup->popupWindow()->isVisible());
    // Nor without a view, nor for a frame that is not chosen.
    layer()->setLocked(false);
    QScopedPointer<SketchShape> loose(framedBox(nullptr, 3, 0));
    m_popup->setShape(loose.data());
    m_popup->deleteShapeFrame();
    QCOMPARE(undoTexts(m_view), QString());
    m_popup->setShape(nullptr);
}

void TestSketchFramePopupWindow::thumbnailsAreMadeAtTheFirstPaint()
{
    m_popup->setShape(framedBox(layer(), 2, 0));
    SkinGridView *grid = m_popup->grid();
    SketchMaterial *first = SketchFrameGridItemDelegate::materialAt(grid, 0, 0);
    SketchMaterial *second = SketchFrameGridItemDelegate::materialAt(grid, 1, 0);
    QVERIFY(!first->thumbnail());
    m_popup->showPopupWindow();
    QVERIFY(QTest::qWaitForWindowExposed(m_popup->popupWindow()));
    const QImage shot = grid->grab().toImage();
    QVERIFY(first->thumbnail() && second->thumbnail());
    const QRect cell = grid->cellRect(1, 0);
    QCOMPARE(second->thumbnail()->size(), cell.size());
    QImage *cached = second->thumbnail();
    grid->grab();
    QCOMPARE(second->thumbnail(), cached);
    // The unselected frame on white, the selected one on the highlight.
    const int half = cell.width() / 2 - 2;
    QVERIFY(hasColorNear(shot, cell.center(), half, Qt::white));
    QVERIFY(hasColorNear(shot, cell.center(), half, Qt::blue));
    QVERIFY(!hasColorNear(shot, cell.center(), half, QColor(248, 134, 87)));
    QVERIFY(hasColorNear(shot, grid->cellRect(0, 0).center(), half, QColor(248, 134, 87)));
}

void TestSketchFramePopupWindow::dragTextDropsAsANewShape()
{
    SketchShape *shape = framedBox(layer(), 3, 0);
    const QString before = shapeXml(shape);
    m_popup->setShape(shape);
    SkinGridView *grid = m_popup->grid();
    const QString text = grid->itemDelegate()->cellText(grid, 2, 0);
    QVERIFY(text.startsWith("<StoryloomMaterial"));
    QVERIFY(!text.contains("<?xml"));
    QVERIFY(text.contains("\n    <Shape"));
    QCOMPARE(grid->itemDelegate()->cellText(grid, 0, 1), QString());

    auto *data = new QMimeData;
    data->setText(text);
    const QPoint at(300, 200);
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_view, &enter);
    QDropEvent drop(QPointF(at), Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_view, &drop);
    delete data;
    QCOMPARE(layer()->shapes().size(), 2);
    QCOMPARE(undoTexts(m_view), QString("dropMaterialOnDocumentView"));
    QCOMPARE(layer()->shapes().last()->boundingRect().size(), QSizeF(20, 20));
    QCOMPARE(shapeXml(shape), before);
}

// A frame dragged out of the popup, run by the window system, lands on a
// document view as a new shape.
void TestSketchFramePopupWindow::realDragDropsAFrameOnAView()
{
    if (!onXServer()) {
        const XServerRun run = runUnderXServer("TestSketchFramePopupWindow", "realDragDropsAFrameOnAView");
        if (run.skipped)
            QSKIP("no X server and no xvfb-run");
        QVERIFY2(run.passed, qPrintable(run.output));
        return;
    }
    m_view->setGeometry(300, 0, 500, 400);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view));
    SketchShape *shape = framedBox(layer(), 2, 0);
    const QString before = shapeXml(shape);
    m_popup->setPopupRect(QRect(QPoint(0, 0), QPoint(187, 194)));
    m_popup->setShape(shape);
    m_popup->showPopupWindow();
    QVERIFY(QTest::qWaitForWindowExposed(m_popup->popupWindow()));
    SkinGridView *grid = m_popup->grid();
    const QPoint start = grid->cellRect(1, 0).center();
    const QPoint target(250, 200);
    QString carried;
    QTimer::singleShot(300, m_view, [&] {
        if (QDrag *drag = grid->findChild<QDrag *>())
            carried = drag->mimeData()->text();
        QWindow *window = m_view->windowHandle();
        QTest::mouseMove(window, target);
        QTest::mouseMove(window, target + QPoint(1, 0));
        QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, target + QPoint(1, 0));
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, [] { qFatal("the drag did not end"); });
    watchdog.start(20000);
    pressAt(grid, start);
    moveTo(grid, start + QPoint(5, 0));
    watchdog.stop();
    QVERIFY(carried.startsWith("<StoryloomMaterial"));
    QCOMPARE(layer()->shapes().size(), 2);
    QCOMPARE(undoTexts(m_view), QString("dropMaterialOnDocumentView"));
    QCOMPARE(shapeXml(shape), before);
}

void TestSketchFramePopupWindow::themeColours_data()
{
    QTest::addColumn<int>("theme");
    QTest::addColumn<QColor>("lines");
    QTest::addColumn<QColor>("background");
    QTest::newRow("Black") << int(Black) << QColor(30, 30, 30) << QColor(72, 72, 72);
    QTest::newRow("Gray") << int(Gray) << QColor(139, 139, 139) << QColor(243, 243, 243);
    QTest::newRow("Blue") << int(Blue) << QColor(139, 160, 188) << QColor(222, 232, 244);
    QTest::newRow("Olive") << int(Olive) << QColor(117, 141, 97) << QColor(217, 217, 169);
}

void TestSketchFramePopupWindow::themeColours()
{
    QFETCH(int, theme);
    QFETCH(QColor, lines);
    QFETCH(QColor, background);
    setSkinThemeStyle(SkinThemeStyle(theme));
    m_popup->useThemeStyle();
    const QString sheet = skinStyleSheet;
    setSkinThemeStyle(Black);
    QCOMPARE(m_popup->grid()->gridLineColor(), lines);
    QCOMPARE(m_popup->grid()->backgroundColor(), background);
    QCOMPARE(m_popup->grid()->selectedCellColor(), QColor(248, 134, 87));
    QCOMPARE(m_popup->popupWindow()->styleSheet(), sheet);
}

void TestSketchFramePopupWindow::frameButtonFollowsItsPopup()
{
    auto *button = new SketchFrameEditor;
    button->setPopupRect(QRect(QPoint(-67, 0), QPoint(120, 194)));
    QVERIFY(button->text().isEmpty());
    SketchShape *shape = framedBox(layer(), 4, 1);
    button->setShape(shape);
    QCOMPARE(button->text(), QString("2/4"));
    QCOMPARE(button->shape(), shape);
    QSignalSpy plain(button, SIGNAL(shapeFrameChanged()));
    QSignalSpy index(button, SIGNAL(shapeFrameChanged(int)));
    button->resize(60, 20);
    button->show();
    button->click();
    SketchFramePopupWindow *popup = button->popupWindow();
    QVERIFY(popup->popupWindow()->isVisible());
    // Under the button: its bottom-left pixel, 67 to the left.
    const QPoint anchor = button->mapToGlobal(QPoint(0, button->height() - 1));
    QCOMPARE(popup->popupWindow()->geometry(), QRect(anchor + QPoint(-67, 0), QSize(188, 195)));
    popup->grid()->selection()->selectCell(3, false);
    popup->okButton()->click();
    QCOMPARE(button->text(), QString("4/4"));
    QCOMPARE(plain.count(), 1);
    QCOMPARE(index.count(), 1);
    QCOMPARE(index.first().first().toInt(), 3);
    // The popup, with its window and materials, goes with the button.
    QPointer<QWidget> window = popup->popupWindow();
    QPointer<SketchMaterial> material = SketchFrameGridItemDelegate::materialAt(popup->grid(), 0, 0);
    QVERIFY(material);
    delete button;
    QVERIFY(!window);
    QVERIFY(!material);
}

void TestSketchFramePopupWindow::popupGoesWithItsOwner()
{
    m_popup->setShape(framedBox(layer(), 2, 0));
    QPointer<QWidget> window = m_popup->popupWindow();
    QPointer<SketchMaterial> material = SketchFrameGridItemDelegate::materialAt(m_popup->grid(), 0, 0);
    delete m_popup;
    m_popup = nullptr;
    QVERIFY(!window);
    QVERIFY(!material);
}

QTEST_MAIN(TestSketchFramePopupWindow)
#include "tst_sketchframepopupwindow.moc"
