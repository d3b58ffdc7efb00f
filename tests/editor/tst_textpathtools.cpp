// The text tool (a 200 x 50 box opened for editing) and the path tool
// (corner and curve points, closing on the first point, right-click end,
// cancelling), driven by events sent to the view.
#include "support/history.h"
#include "support/input.h"
#include "support/paintcounter.h"
#include "support/pixels.h"
#include "support/shapes.h"

#include "commands/sketchcommandmanager.h"
#include "commands/sketchcommandupdate.h"
#include "editor/sketchdocumentview.h"
#include "editor/sketchtool.h"
#include "editor/sketchtoolpath.h"
#include "model/sketchlayer.h"
#include "model/sketchpoint.h"
#include "model/sketchshape.h"

#include <QImage>
#include <QSignalSpy>
#include <QPainter>
#include <QTextEdit>
#include <QStandardPaths>
#include <QtTest>

namespace {

const QPoint P1(100, 100);
const QPoint P2(200, 100);
const QPoint P3(200, 200);
const QPoint P4(120, 260);

void hover(QWidget *view, const QPoint &pos, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    moveTo(view, pos, Qt::NoButton, modifiers);
}

void click(QWidget *view, const QPoint &pos, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
           Qt::MouseButton button = Qt::LeftButton)
{
    pressAt(view, pos, modifiers, button);
    releaseAt(view, pos, modifiers, button);
}

void sendKeyPress(QWidget *view, int key, Qt::KeyboardModifiers modifiers)
{
    QKeyEvent event(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(view, &event);
}

void sendKeyRelease(QWidget *view, int key, Qt::KeyboardModifiers modifiers)
{
    QKeyEvent event(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(view, &event);
}

int paintedPixels(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
    }
    return count;
}

} // namespace

class TestTextPathTools : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup();

    void textClickMakesAnEditedBox_data();
    void textClickMakesAnEditedBox();
    void textToolResetDeselects();
    void cancelledNewTextLeavesNothing_data();
    void cancelledNewTextLeavesNothing();
    void cancelledEditKeepsAnExistingText_data();
    void cancelledEditKeepsAnExistingText();
    void newTextWithAStepAboveItStays();

    void rightClickEndsAnOpenPath();
    void pathOfTwoPointsEndsAtTheRightClick();
    void rightClickWithoutMovingRemovesThePath();
    void releaseOnTheFirstPointClosesThePath();
    void twoFixedPointsAreNotEnoughToClose();
    void firstPointIsRingedWhereAReleaseWouldClose();
    void ctrlMakesCurvePoints();
    void ctrlReleaseOnTheFirstPointMakesItACurvePoint();
    void escapeRemovesThePath();
    void undoWhileDrawingRemovesThePath();
    void twoClicksAtOneSpotAddOnePoint();
    void doubleClickNeitherClosesNorEnds();
    void cancelNeverTakesAnotherCommand();
    void pathWhoseAddWasUndoneIsForgotten();

private:
    SketchLayer *layer() const { return m_view->currentLayer(); }
    SketchToolPath *pathTool() const { return static_cast<SketchToolPath *>(m_view->tools().value(SketchToolTypePath)); }
    SketchShape *newPath() const { return pathTool()->newShape(); }
    // Starts a path at P1 and fixes the given points, leaving the floating
    // point on the last of them.
    void drawPath(const QList<QPoint> &fixed)
    {
        m_view->setCurrentTool(SketchToolTypePath, true);
        hover(m_view, P1);
        click(m_view, P1);
        for (const QPoint &p : fixed) {
            hover(m_view, p);
            click(m_view, p);
        }
    }
    int undoCount() const { return m_view->commandManager()->undoCount(); }
    int redoCount() const { return m_view->commandManager()->redoCount(); }

    SketchDocumentView *m_view = nullptr;
};

void TestTextPathTools::init()
{
    m_view = new SketchDocumentView;
    m_view->resize(1000, 800);
    m_view->setTextEditingEnabled(true);
}

void TestTextPathTools::cleanup()
{
    delete m_view;
    m_view = nullptr;
}

// --- Text tool -------------------------------------------------------------------

void TestTextPathTools::textClickMakesAnEditedBox_data()
{
    QTest::addColumn<float>("zoom");
    QTest::addColumn<int>("button");
    QTest::addColumn<QPointF>("centre");

    QTest::newRow("zoom 1") << 1.0f << int(Qt::LeftButton) << QPointF(300, 200);
    QTest::newRow("zoom 2") << 2.0f << int(Qt::LeftButton) << QPointF(150, 100);
    QTest::newRow("right button") << 1.0f << int(Qt::RightButton) << QPointF(300, 200);
}

void TestTextPathTools::textClickMakesAnEditedBox()
{
    QFETCH(float, zoom);
    QFETCH(int, button);
    QFETCH(QPointF, centre);

    SketchShape *before = addBox(layer(), 10, 10, 20, 20);
    selectShape(before);
    m_view->setZoom(zoom);
    m_view->setCurrentTool(SketchToolTypeText, true);
    click(m_view, QPoint(300, 200), Qt::NoModifier, Qt::MouseButton(button));

    QCOMPARE(layer()->shapes().size(), 2);
    SketchShape *box = layer()->shapes().last();
    const QList<QPointF> expected{centre + QPointF(-100, -25), centre + QPointF(100, -25), centre + QPointF(100, 25),
                                  centre + QPointF(-100, 25)};
    QCOMPARE(pointsOf(box), expected);
    QCOMPARE(box->behavior(), int(SketchShapeBox));
    QVERIFY(box->isClosed());
    QVERIFY(box->fill().isTransparent());
    QVERIFY(box->stroke().brush().isTransparent());
    QCOMPARE(box->stroke().width(), 1.0f);
    QVERIFY(box->text().isEmpty());
    QVERIFY(box->isSelected());
    QVERIFY(!before->isSelected());
    QCOMPARE(undoTexts(m_view), QStringLiteral("addText"));
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeSelect));

    // The editor lies over the box, at least 150 x 80 pixels.
    QTextEdit *editor = m_view->textEditor();
    QVERIFY(!editor->isHidden());
    QCOMPARE(m_view->textEditShape(), box);
    QCOMPARE(editor->geometry().topLeft(), m_view->mapFromDocument(centre + QPointF(-100, -25)).toPoint());
    QCOMPARE(editor->width(), qRound(200 * zoom));
    QCOMPARE(editor->height(), qMax(80, qRound(50 * zoom)));

    editor->setPlainText(QStringLiteral("Hello"));
    m_view->endTextEdit(true);
    QCOMPARE(box->text(), QStringLiteral("Hello"));
}

void TestTextPathTools::textToolResetDeselects()
{
    SketchShape *shape = addBox(layer(), 10, 10, 20, 20);
    selectShape(shape);
    m_view->tools().value(SketchToolTypeText)->reset();
    QVERIFY(!shape->isSelected());
}

void TestTextPathTools::cancelledNewTextLeavesNothing_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("how");
    QTest::newRow("typed, Escape") << QStringLiteral("Hello") << QStringLiteral("escape");
    QTest::newRow("nothing typed, Escape") << QString() << QStringLiteral("escape");
    QTest::newRow("typed, another tool") << QStringLiteral("Hello") << QStringLiteral("tool");
}

void TestTextPathTools::cancelledNewTextLeavesNothing()
{
    QFETCH(QString, typed);
    QFETCH(QString, how);
    m_view->show();
    SketchShape *before = addBox(layer(), 10, 10, 20, 20);
    selectShape(before);
    m_view->flipHorizontalSelection();
    const QByteArray document = m_view->document()->toFileText();
    m_view->setCurrentTool(SketchToolTypeText, true);
    click(m_view, QPoint(300, 200));
    QTextEdit *editor = m_view->textEditor();
    QVERIFY(!editor->isHidden());
    if (!typed.isEmpty())
        QTest::keyClicks(editor, typed);
    QCOMPARE(editor->toPlainText(), typed);

    QSignalSpy undoChanged(m_view, &SketchDocumentView::undoManagerChanged);
    QSignalSpy selectionChanged(m_view, &SketchDocumentView::selectionChanged);
    if (how == "escape")
        QTest::keyClick(editor, Qt::Key_Escape);
    else
        m_view->setCurrentTool(SketchToolTypeRect, true);

    // The box is gone with its step; what came before is untouched.
    QVERIFY(editor->isHidden());
    QVERIFY(!m_view->textEditShape());
    QCOMPARE(layer()->shapes(), QList<SketchShape *>({before}));
    QCOMPARE(undoTexts(m_view), QStringLiteral("flipHorizontalSelection"));
    QCOMPARE(redoCount(), 0);
    QCOMPARE(m_view->document()->toFileText(), document);
    QCOMPARE(m_view->selectedShapeCount(), 0);
    QVERIFY(undoChanged.count() >= 1);
    QVERIFY(selectionChanged.count() >= 1);
}

void TestTextPathTools::cancelledEditKeepsAnExistingText_data()
{
    QTest::addColumn<QString>("stored");
    QTest::newRow("with text") << QStringLiteral("old");
    QTest::newRow("without text") << QString();
}

void TestTextPathTools::cancelledEditKeepsAnExistingText()
{
    // A box that was there before its edit stays, whatever it holds, and
    // keeps its text: the tool's new box is the only one that goes.
    QFETCH(QString, stored);
    m_view->show();
    m_view->setCurrentTool(SketchToolTypeText, true);
    click(m_view, QPoint(300, 200));
    SketchShape *box = layer()->shapes().last();
    m_view->textEditor()->setPlainText(stored);
    m_view->endTextEdit(true);
    const QString steps = undoTexts(m_view);

    m_view->beginTextEdit(box);
    QTest::keyClicks(m_view->textEditor(), QStringLiteral("new"));
    QTest::keyClick(m_view->textEditor(), Qt::Key_Escape);
    QVERIFY(m_view->textEditor()->isHidden());
    QCOMPARE(layer()->shapes(), QList<SketchShape *>({box}));
    QCOMPARE(box->text(), stored);
    QVERIFY(box->isSelected());
    QCOMPARE(undoTexts(m_view), steps);
}

void TestTextPathTools::newTextWithAStepAboveItStays()
{
    // A step recorded over the new box while its editor is open (a property
    // set from a panel) makes it a box of the document's like any other.
    m_view->setCurrentTool(SketchToolTypeText, true);
    click(m_view, QPoint(300, 200));
    SketchShape *box = layer()->shapes().last();
    auto *command = new SketchCommandUpdate(m_view, box);
    box->setOpacity(0.5f);
    m_view->commandManager()->push(command, QStringLiteral("changeShapeOpacity"));
    m_view->endTextEdit(false);
    QCOMPARE(layer()->shapes(), QList<SketchShape *>({box}));
    QCOMPARE(undoTexts(m_view), QStringLiteral("addText,changeShapeOpacity"));
}

// --- Path tool -------------------------------------------------------------------

void TestTextPathTools::rightClickEndsAnOpenPath()
{
    drawPath({P2, P3});
    SketchShape *path = newPath();
    QVERIFY(path);
    hover(m_view, P4);
    QCOMPARE(pointsOf(path), (QList<QPointF>{P1, P2, P3, P4}));
    click(m_view, P4, Qt::NoModifier, Qt::RightButton);

    QCOMPARE(pointsOf(path), (QList<QPointF>{P1, P2, P3}));
    QVERIFY(!path->isClosed());
    QVERIFY(path->fill().isTransparent());
    QCOMPARE(path->behavior(), int(SketchShapePath));
    QCOMPARE(undoTexts(m_view), QStringLiteral("addPath"));
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeSelect));
    QVERIFY(!newPath());
    QVERIFY(layer()->shapes().contains(path));
}

void TestTextPathTools::pathOfTwoPointsEndsAtTheRightClick()
{
    drawPath({});
    SketchShape *path = newPath();
    hover(m_view, P2);
    click(m_view, P2, Qt::NoModifier, Qt::RightButton);
    QCOMPARE(pointsOf(path), (QList<QPointF>{P1, P2}));
    QCOMPARE(undoTexts(m_view), QStringLiteral("addPath"));
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeSelect));
}

void TestTextPathTools::rightClickWithoutMovingRemovesThePath()
{
    drawPath({});
    QVERIFY(newPath());
    click(m_view, P1, Qt::NoModifier, Qt::RightButton);
    QVERIFY(layer()->shapes().isEmpty());
    QCOMPARE(undoCount(), 0);
    QCOMPARE(redoCount(), 0);
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeSelect));
}

void TestTextPathTools::releaseOnTheFirstPointClosesThePath()
{
    drawPath({P2, P3});
    SketchShape *path = newPath();
    hover(m_view, P1);
    click(m_view, P1);
    QCOMPARE(pointsOf(path), (QList<QPointF>{P1, P2, P3}));
    QVERIFY(path->isClosed());
    QVERIFY(!path->points().first()->isCurve());
    QCOMPARE(path->activeHandle(), int(SketchHandleOutline));
    QCOMPARE(undoTexts(m_view), QStringLiteral("addPath"));
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeSelect));
}

void TestTextPathTools::twoFixedPointsAreNotEnoughToClose()
{
    drawPath({P2});
    SketchShape *path = newPath();
    hover(m_view, P1);
    click(m_view, P1);
    QVERIFY(!path->isClosed());
    QCOMPARE(newPath(), path);
    QCOMPARE(path->pointCount(), 3);
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypePath));
}

void TestTextPathTools::firstPointIsRingedWhereAReleaseWouldClose()
{
    drawPath({P2, P3});
    auto overlay = [this]() {
        QImage image(m_view->size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        pathTool()->paint(&painter);
        return image;
    };
    hover(m_view, P1 + QPoint(40, 40));
    const int plain = paintedPixels(overlay());
    hover(m_view, P1 + QPoint(1, 1));
    const int ringed = paintedPixels(overlay());
    QVERIFY(plain > 0);
    QVERIFY2(ringed > plain, qPrintable(QStringLiteral("%1 vs %2").arg(ringed).arg(plain)));

    // Two fixed points only: no ring, since a release would not close.
    sendKey(m_view, Qt::Key_Escape);
    drawPath({P2});
    hover(m_view, P1 + QPoint(40, 40));
    const int shortPlain = paintedPixels(overlay());
    hover(m_view, P1 + QPoint(1, 1));
    QCOMPARE(paintedPixels(overlay()), shortPlain);
}

void TestTextPathTools::ctrlMakesCurvePoints()
{
    m_view->setCurrentTool(SketchToolTypePath, true);
    hover(m_view, P1);
    click(m_view, P1);
    SketchShape *path = newPath();
    hover(m_view, P2);
    sendKeyPress(m_view, Qt::Key_Control, Qt::ControlModifier);
    QVERIFY(pathTool()->isCurveMode());
    QVERIFY(path->points().last()->isCurve());
    click(m_view, P2, Qt::ControlModifier);
    hover(m_view, P3, Qt::ControlModifier);
    click(m_view, P3, Qt::ControlModifier);
    hover(m_view, P4, Qt::ControlModifier);
    QCOMPARE(path->pointCount(), 4);
    QVERIFY(!path->points().at(0)->isCurve());
    QVERIFY(path->points().at(1)->isCurve());
    QVERIFY(path->points().at(2)->isCurve());
    QVERIFY(path->points().at(3)->isCurve());

    // Letting Ctrl go makes the floating point a corner point again.
    sendKeyRelease(m_view, Qt::Key_Control, Qt::NoModifier);
    QVERIFY(!pathTool()->isCurveMode());
    QVERIFY(!path->points().at(3)->isCurve());
    QVERIFY(path->points().at(2)->isCurve());
    click(m_view, P4);
    QVERIFY(!path->points().last()->isCurve());

    // A click without Ctrl ends curve mode even if the key release was lost.
    sendKeyPress(m_view, Qt::Key_Control, Qt::ControlModifier);
    click(m_view, P4 + QPoint(30, 0));
    QVERIFY(!pathTool()->isCurveMode());
}

void TestTextPathTools::ctrlReleaseOnTheFirstPointMakesItACurvePoint()
{
    drawPath({P2, P3});
    SketchShape *path = newPath();
    hover(m_view, P1);
    sendKeyPress(m_view, Qt::Key_Control, Qt::ControlModifier);
    click(m_view, P1, Qt::ControlModifier);
    QVERIFY(path->isClosed());
    QCOMPARE(path->pointCount(), 3);
    QVERIFY(path->points().first()->isCurve());
    QVERIFY(!pathTool()->isCurveMode());
}

void TestTextPathTools::escapeRemovesThePath()
{
    SketchShape *other = addBox(layer(), 500, 500, 10, 10);
    Q_UNUSED(other)
    drawPath({P2, P3});
    sendKey(m_view, Qt::Key_Escape);
    QCOMPARE(layer()->shapes().size(), 1);
    QCOMPARE(undoCount(), 0);
    QCOMPARE(redoCount(), 0);
    QVERIFY(!newPath());
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeSelect));
}

void TestTextPathTools::undoWhileDrawingRemovesThePath()
{
    drawPath({P2});
    m_view->commandManager()->undo();
    QVERIFY(layer()->shapes().isEmpty());
    QCOMPARE(undoCount(), 0);
    QCOMPARE(redoCount(), 0);
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeSelect));
}

void TestTextPathTools::twoClicksAtOneSpotAddOnePoint()
{
    drawPath({P2});
    click(m_view, P2);
    click(m_view, P2);
    QCOMPARE(pointsOf(newPath()), (QList<QPointF>{P1, P2, P2}));
}

void TestTextPathTools::doubleClickNeitherClosesNorEnds()
{
    drawPath({P2, P3});
    hover(m_view, P4);
    doubleClickAt(m_view, P4);
    QCOMPARE(pointsOf(newPath()), (QList<QPointF>{P1, P2, P3, P4, P4}));
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypePath));
}

void TestTextPathTools::cancelNeverTakesAnotherCommand()
{
    SketchShape *other = addBox(layer(), 500, 500, 10, 10);
    drawPath({P2, P3});
    SketchShape *path = newPath();
    // An edit recorded on top of the path's add command, as the design
    // panel records a fill change.
    auto *update = new SketchCommandUpdate(m_view, other);
    other->setFill(SkinBrush(QColor(Qt::red)));
    m_view->commandManager()->push(update, QStringLiteral("changeFillBrush"));

    sendKey(m_view, Qt::Key_Escape);
    QCOMPARE(undoTexts(m_view), QStringLiteral("addPath,changeFillBrush"));
    QVERIFY(layer()->shapes().contains(path));
    // The path is ended open as it stood, without its floating point.
    QCOMPARE(pointsOf(path), (QList<QPointF>{P1, P2, P3}));
    QVERIFY(!newPath());
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeSelect));
}

void TestTextPathTools::pathWhoseAddWasUndoneIsForgotten()
{
    drawPath({P2});
    SketchShape *first = newPath();
    m_view->setCurrentTool(SketchToolTypeSelect, true);
    m_view->commandManager()->undo();
    QVERIFY(!layer()->shapes().contains(first));

    m_view->setCurrentTool(SketchToolTypePath, true);
    hover(m_view, P3);
    click(m_view, P3);
    SketchShape *second = newPath();
    QVERIFY(second && second != first);
    QCOMPARE(pointsOf(second), (QList<QPointF>{P3, P3}));
    sendKey(m_view, Qt::Key_Escape);
    QVERIFY(layer()->shapes().isEmpty());
    QCOMPARE(undoCount(), 0);
}

QTEST_MAIN(TestTextPathTools)
#include "tst_textpathtools.moc"
