// The tool base: the recorded positions, Escape, the arrow-key move of the
// selection and the read-out painters; the tool of type 0.

#include "support/paintcounter.h"
#include "support/pixels.h"
#include "support/shapes.h"

#include "commands/sketchcommand.h"
#include "commands/sketchcommandmanager.h"
#include "editor/sketchdocumentview.h"
#include "editor/sketchtool.h"
#include "editor/sketchtoolnone.h"
#include "model/sketchgroup.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

namespace {

QMouseEvent mouseEvent(QEvent::Type type, const QPointF &pos, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    return QMouseEvent(type, pos, pos, pos, button, buttons, Qt::NoModifier);
}

QImage blankImage()
{
    QImage image(500, 200, QImage::Format_ARGB32);
    image.fill(Qt::white);
    return image;
}

// The bounding box of the pixels that are not white.
QRect paintedBox(const QImage &image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

} // namespace

class TestSketchTool : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup();
    void pressRecordsPositions_data();
    void pressRecordsPositions();
    void moveDragsOnlyWithTheLeftButtonAlone_data();
    void moveDragsOnlyWithTheLeftButtonAlone();
    void releaseAndReset();
    void escapeCancels();
    void escapeThroughTheView();
    void noneTool();
    void moveSelectionNeedsSomethingToMove();
    void moveSelectionIsOneCommand();
    void moveSelectionMovesTheInnerShape();
    void drawLabel();
    void drawRectStatus();
    void drawPointStatus();

private:
    SketchDocumentView *m_view = nullptr;
    SketchTool *m_tool = nullptr;
};

void TestSketchTool::init()
{
    m_view = new SketchDocumentView;
    m_view->resize(300, 200);
    m_tool = new SketchTool(m_view);
}

void TestSketchTool::cleanup()
{
    delete m_view;
    m_view = nullptr;
}

void TestSketchTool::pressRecordsPositions_data()
{
    QTest::addColumn<QPointF>("pos");
    QTest::addColumn<int>("button");
    QTest::addColumn<QPointF>("recorded");
    QTest::addColumn<QPointF>("drag");
    QTest::newRow("left, halves round up") << QPointF(10.5, -2.5) << int(Qt::LeftButton) << QPointF(11, -2)
                                           << QPointF(11, -2);
    QTest::newRow("right does not drag") << QPointF(4.4, 5.6) << int(Qt::RightButton) << QPointF(4, 6)
                                         << QPointF(0, 0);
}

void TestSketchTool::pressRecordsPositions()
{
    QFETCH(QPointF, pos);
    QFETCH(int, button);
    QFETCH(QPointF, recorded);
    QFETCH(QPointF, drag);
    const auto pressed = Qt::MouseButton(button);
    QMouseEvent press = mouseEvent(QEvent::MouseButtonPress, pos, pressed, pressed);
    m_tool->mousePressEvent(&press);
    QCOMPARE(m_tool->pressPos(), recorded);
    QCOMPARE(m_tool->currentPos(), recorded);
    QCOMPARE(m_tool->dragPos(), drag);
}

void TestSketchTool::moveDragsOnlyWithTheLeftButtonAlone_data()
{
    QTest::addColumn<QPointF>("pos");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<QPointF>("current");
    QTest::addColumn<QPointF>("drag");
    QTest::newRow("left and right") << QPointF(7, 8) << int(Qt::LeftButton | Qt::RightButton) << QPointF(7, 8)
                                    << QPointF(0, 0);
    QTest::newRow("left alone") << QPointF(9.5, 10.49) << int(Qt::LeftButton) << QPointF(10, 10) << QPointF(10, 10);
    QTest::newRow("none") << QPointF(3, 3) << int(Qt::NoButton) << QPointF(3, 3) << QPointF(0, 0);
}

void TestSketchTool::moveDragsOnlyWithTheLeftButtonAlone()
{
    QFETCH(QPointF, pos);
    QFETCH(int, buttons);
    QFETCH(QPointF, current);
    QFETCH(QPointF, drag);
    QMouseEvent move = mouseEvent(QEvent::MouseMove, pos, Qt::NoButton, Qt::MouseButtons(buttons));
    QVERIFY(!m_tool->mouseMoveEvent(&move));
    QCOMPARE(m_tool->currentPos(), current);
    QCOMPARE(m_tool->dragPos(), drag);
}

void TestSketchTool::releaseAndReset()
{
    QMouseEvent press = mouseEvent(QEvent::MouseButtonPress, QPointF(3, 4), Qt::LeftButton, Qt::LeftButton);
    QMouseEvent move = mouseEvent(QEvent::MouseMove, QPointF(30, 40), Qt::NoButton, Qt::LeftButton);
    QMouseEvent release = mouseEvent(QEvent::MouseButtonRelease, QPointF(50, 60), Qt::LeftButton, Qt::NoButton);
    m_tool->mousePressEvent(&press);
    m_tool->mouseMoveEvent(&move);
    m_tool->mouseReleaseEvent(&release);
    QCOMPARE(m_tool->currentPos(), QPointF(3, 4));
    QCOMPARE(m_tool->dragPos(), QPointF(30, 40));

    m_tool->reset();
    QCOMPARE(m_tool->pressPos(), QPointF(0, 0));
    QCOMPARE(m_tool->currentPos(), QPointF(0, 0));
    QCOMPARE(m_tool->dragPos(), QPointF(0, 0));
}

void TestSketchTool::escapeCancels()
{
    QSignalSpy completed(m_tool, &SketchTool::completed);
    QKeyEvent other(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier);
    m_tool->keyPressEvent(&other);
    QCOMPARE(completed.count(), 0);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    escape.ignore();
    m_tool->keyPressEvent(&escape);
    QCOMPARE(completed.count(), 1);
    // The event's accepted state is the caller's.
    QVERIFY(!escape.isAccepted());
}

void TestSketchTool::escapeThroughTheView()
{
    m_view->commandManager()->push(new SketchCommand(m_view), QStringLiteral("edit"));
    m_view->setCurrentTool(SketchToolTypeRect, true);
    QTest::keyClick(m_view, Qt::Key_Escape);
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeSelect));
    QCOMPARE(m_view->commandManager()->undoCount(), 1);
    QCOMPARE(m_view->commandManager()->redoCount(), 0);
}

void TestSketchTool::noneTool()
{
    SketchTool *none = m_view->tools().value(SketchToolTypeNone);
    QVERIFY(qobject_cast<SketchToolNone *>(none));
    QCOMPARE(none->cursor().shape(), Qt::ForbiddenCursor);
    m_view->setCurrentTool(SketchToolTypeNone, false);
    SketchShape *shape = addBox(m_view->currentLayer(), 0, 0, 50, 50);
    QTest::mouseClick(m_view, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QTest::mouseDClick(m_view, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QVERIFY(!shape->isSelected());
    QCOMPARE(m_view->commandManager()->undoCount(), 0);
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeNone));
    QTest::keyClick(m_view, Qt::Key_Escape);
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeSelect));
}

void TestSketchTool::moveSelectionNeedsSomethingToMove()
{
    SketchShape *shape = addBox(m_view->currentLayer(), 0, 0, 50, 50);
    QVERIFY(!m_tool->moveSelection(1, 0)); // nothing selected
    shape->setSelected(true);
    shape->setActiveHandle(SketchHandleInside);
    QVERIFY(!m_tool->moveSelection(0, 0));
    shape->setLocked(true);
    QVERIFY(!m_tool->moveSelection(1, 0));
    shape->setLocked(false);
    m_view->currentLayer()->setLocked(true);
    QVERIFY(!m_tool->moveSelection(1, 0));
    QCOMPARE(m_view->commandManager()->undoCount(), 0);
    QCOMPARE(shape->pointX(0), 0.0f);
}

void TestSketchTool::moveSelectionIsOneCommand()
{
    m_view->setZoom(2.0f);
    SketchShape *a = addBox(m_view->currentLayer(), 0, 0, 50, 50);
    SketchShape *b = addBox(m_view->currentLayer(), 100, 0, 50, 50);
    for (SketchShape *shape : {a, b}) {
        shape->setSelected(true);
        shape->setActiveHandle(SketchHandleInside);
    }
    QVERIFY(m_tool->moveSelection(4, -6));
    SketchCommandManager *manager = m_view->commandManager();
    QCOMPARE(manager->undoCount(), 1);
    QCOMPARE(manager->undoStack().last()->text(), QStringLiteral("moveSelection"));
    // Widget pixels: at zoom 2 a unit is half a paper point.
    QCOMPARE(a->pointX(0), 2.0f);
    QCOMPARE(a->pointY(0), -3.0f);
    QCOMPARE(b->pointX(0), 102.0f);
    manager->undo();
    QCOMPARE(a->pointX(0), 0.0f);
    QCOMPARE(b->pointY(0), 0.0f);

    // The view's own entry point goes through the current tool.
    m_view->moveSelection(2, 0);
    QCOMPARE(manager->undoCount(), 1);
    QCOMPARE(a->pointX(0), 1.0f);
}

void TestSketchTool::moveSelectionMovesTheInnerShape()
{
    SketchLayer *layer = m_view->currentLayer();
    auto *group = new SketchGroup(layer);
    SketchShape *member = addBox(layer, 10, 10, 20, 20);
    SketchShape *other = addBox(layer, 50, 50, 20, 20);
    group->shapes() << member << other;
    group->attachShapes();
    layer->shapes().append(group);
    group->setSelected(true);
    member->setSelected(true);
    member->setActiveHandle(SketchHandleInside);
    const QPointF before = member->mapToView(member->points().first()->toPointF());
    const QPointF otherBefore = other->mapToView(other->points().first()->toPointF());

    QVERIFY(m_tool->moveSelection(5, 0));
    QCOMPARE(member->mapToView(member->points().first()->toPointF()), before + QPointF(5, 0));
    QCOMPARE(other->mapToView(other->points().first()->toPointF()), otherBefore);
}

void TestSketchTool::drawLabel()
{
    QImage image = blankImage();
    {
        QPainter painter(&image);
        m_tool->drawLabel(&painter, QString(), 10, 10);
    }
    QVERIFY(paintedBox(image).isEmpty());

    const QString text = QStringLiteral("Rect: X=1");
    const QSize size = QFontMetrics(m_view->font()).size(0, text);
    {
        QPainter painter(&image);
        m_tool->drawLabel(&painter, text, 20, 30);
    }
    QCOMPARE(paintedBox(image), QRect(20, 30, size.width() + 5, size.height()));
    QCOMPARE(image.pixelColor(21, 31), QColor(Qt::gray));
}

void TestSketchTool::drawRectStatus()
{
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view));
    SketchShape *flat = addBox(m_view->currentLayer(), 10, 10, 0, 40);
    SketchShape *box = addBox(m_view->currentLayer(), 200, 20, 100, 40);
    flat->setSelected(true);
    box->setSelected(true);

    QImage image = blankImage();
    {
        QPainter painter(&image);
        m_tool->drawRectStatus(&painter, box); // no button held
        m_tool->drawRectStatus(&painter, nullptr);
    }
    QVERIFY(paintedBox(image).isEmpty());

    // Hold the left button down without a tool acting on the press.
    m_view->setCurrentTool(SketchToolTypeNone, false);
    QTest::mousePress(m_view, Qt::LeftButton, Qt::NoModifier, QPoint(5, 190));
    QCOMPARE(m_view->pressedButton(), Qt::LeftButton);
    {
        QPainter painter(&image);
        m_tool->drawRectStatus(&painter, flat);
    }
    QVERIFY(paintedBox(image).isEmpty());
    {
        QPainter painter(&image);
        m_tool->drawRectStatus(&painter, box);
    }
    const QRect label = paintedBox(image);
    QVERIFY(!label.isEmpty());
    // Centred under the shape, 10 pixels below it.
    QCOMPARE(label.top(), 70);
    QVERIFY(label.left() > 0 && label.right() < image.width() - 1);
    QVERIFY(qAbs(label.center().x() - 250) <= 3);

    box->setSelected(false);
    image = blankImage();
    {
        QPainter painter(&image);
        m_tool->drawRectStatus(&painter, box);
    }
    QVERIFY(paintedBox(image).isEmpty());
    QTest::mouseRelease(m_view, Qt::LeftButton, Qt::NoModifier, QPoint(5, 190));
}

void TestSketchTool::drawPointStatus()
{
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view));
    SketchShape *box = addBox(m_view->currentLayer(), 50, 60, 100, 40);
    box->setSelected(true);
    box->setActiveHandle(SketchHandleInside);
    m_view->setCurrentTool(SketchToolTypeNone, false);
    QTest::mousePress(m_view, Qt::LeftButton, Qt::NoModifier, QPoint(5, 190));

    QImage image = blankImage();
    {
        QPainter painter(&image);
        m_tool->drawPointStatus(&painter, box); // a whole-shape handle
    }
    QVERIFY(paintedBox(image).isEmpty());

    box->setActiveHandle(SketchHandleFirstPoint + 2); // the corner (150, 100)
    {
        QPainter painter(&image);
        m_tool->drawPointStatus(&painter, box);
    }
    QCOMPARE(paintedBox(image).topLeft(), QPoint(160, 80));

    // A stale handle beyond the points draws nothing and reads nothing.
    box->setActiveHandle(SketchHandleFirstPoint + 9);
    image = blankImage();
    {
        QPainter painter(&image);
        m_tool->drawPointStatus(&painter, box);
    }
    QVERIFY(paintedBox(image).isEmpty());
    QTest::mouseRelease(m_view, Qt::LeftButton, Qt::NoModifier, QPoint(5, 190));
}

QTEST_MAIN(TestSketchTool)
#include "tst_sketchtool.moc"
