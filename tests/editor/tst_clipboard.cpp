// Copy and paste of shapes, pictures and formats through the system
// clipboard, and the bounding rectangle of rotated shapes.
#include "support/history.h"
#include "support/input.h"
#include "support/paintcounter.h"
#include "support/pixels.h"
#include "support/shapes.h"
#include "support/xmltext.h"

#include "commands/sketchcommandmanager.h"
#include "editor/sketchdocumentview.h"
#include "editor/sketchtool.h"
#include "model/sketchlayer.h"
#include "model/sketchpoint.h"
#include "model/sketchshape.h"
#include "model/sketchstroke.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QImage>
#include <QPixmap>
#include <QStandardPaths>
#include <QtTest>

class TestClipboard : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup();

    void copyWithNothingSelectedChangesNothing();
    void copyWritesOneElementPerSelectedShape();
    void pastesStepByFiveFromTheCopiedCentre_data();
    void pastesStepByFiveFromTheCopiedCentre();
    void pasteInANeverClickedViewCentresOnTheDefaultPoint();
    void pasteFollowsTheLastClick();
    void pasteReadsOnlyShapeElements();
    void shapeTextThatDoesNotParsePastesNothing();
    void canPasteDependsOnTheClipboardAndTheLayer();
    void pasteNeedsAUsableLayerAndNoSliceTool();
    void cutDeletesOnlyAfterACopy();
    void picturePastesAsAnImageBoxAtTheCursor_data();
    void picturePastesAsAnImageBoxAtTheCursor();
    void copyFormatTakesTheStyleOfTheFirstSelectedShape();
    void pasteFormatGivesTheCopiedStyleWhole();
    void formatTextThatIsNotAFormatChangesNothing_data();
    void formatTextThatIsNotAFormatChangesNothing();
    void shapesRectCoversRotatedOutlines();
    void textsListAttributesInNameOrder();

private:
    SketchLayer *layer() const { return m_view->currentLayer(); }
    static QClipboard *clipboard() { return QApplication::clipboard(); }
    // The centre of the bounding rectangle around the shapes.
    static QPointF centreOf(const QList<SketchShape *> &shapes)
    {
        QRectF r;
        for (const SketchShape *shape : shapes)
            r = r.isNull() ? shape->boundingRect() : (r | shape->boundingRect());
        return r.center();
    }

    SketchDocumentView *m_view = nullptr;
};

void TestClipboard::init()
{
    m_view = new SketchDocumentView;
    m_view->resize(1000, 800);
    clipboard()->clear();
}

void TestClipboard::cleanup()
{
    delete m_view;
    m_view = nullptr;
}

void TestClipboard::copyWithNothingSelectedChangesNothing()
{
    addBox(layer(), 10, 10, 40, 20);
    clipboard()->setText(QStringLiteral("untouched"));
    pressAt(m_view, QPoint(300, 300));
    releaseAt(m_view, QPoint(300, 300));

    QVERIFY(!m_view->copy());
    QCOMPARE(clipboard()->text(), QStringLiteral("untouched"));
    QCOMPARE(m_view->lastPressPos(), QPointF(300, 300));
}

void TestClipboard::copyWritesOneElementPerSelectedShape()
{
    SketchShape *a = addBox(layer(), 10, 10, 40, 20);
    addBox(layer(), 60, 60, 10, 10);
    SketchShape *c = addBox(layer(), 100, 50, 40, 30);
    a->setName(QStringLiteral("first"));
    c->setLocked(true);
    selectShape(a);
    selectShape(c);

    QVERIFY(m_view->copy());
    const QString text = clipboard()->text();
    QVERIFY(text.startsWith(QLatin1String("<StoryloomClipboardShape")));
    QVERIFY(!text.contains(QLatin1String("<?xml")));
    QVERIFY(!text.contains(QLatin1String("DOCTYPE")));
    // Locked shapes are copied too, in document order.
    QCOMPARE(text.count(QLatin1String("<Shape")), 2);
    QVERIFY(text.indexOf(QLatin1String("first")) < text.indexOf(QLatin1String("100,50")));
    QVERIFY(text.contains(QLatin1String("\n    <Shape")));
}

void TestClipboard::pastesStepByFiveFromTheCopiedCentre_data()
{
    QTest::addColumn<float>("zoom");
    QTest::newRow("zoom 1") << 1.0f;
    QTest::newRow("zoom 2") << 2.0f;
}

void TestClipboard::pastesStepByFiveFromTheCopiedCentre()
{
    QFETCH(float, zoom);
    m_view->setZoom(zoom);
    SketchShape *a = addBox(layer(), 10, 10, 40, 20);
    SketchShape *b = addBox(layer(), 100, 50, 40, 30);
    selectShape(a);
    selectShape(b);
    QVERIFY(m_view->copy());
    const QPointF copied = centreOf({a, b});
    QCOMPARE(m_view->lastPressPos(), m_view->mapFromDocument(copied) + QPointF(5, 5));

    for (int paste = 1; paste <= 2; ++paste) {
        m_view->paste();
        QCOMPARE(layer()->shapes().size(), 2 + 2 * paste);
        const QList<SketchShape *> pasted = layer()->shapes().mid(2 * paste, 2);
        const QPointF expected = copied + QPointF(5, 5) * paste / zoom;
        QCOMPARE(centreOf(pasted), expected);
        // Only the shapes just pasted are selected.
        for (const SketchShape *shape : layer()->shapes())
            QCOMPARE(shape->isSelected(), pasted.contains(const_cast<SketchShape *>(shape)));
    }
    QCOMPARE(undoTexts(m_view), QStringLiteral("pasteFromClipboard,pasteFromClipboard"));

    // One undo takes one paste back.
    m_view->commandManager()->undo();
    QCOMPARE(layer()->shapes().size(), 4);
}

void TestClipboard::pasteInANeverClickedViewCentresOnTheDefaultPoint()
{
    SketchShape *a = addBox(layer(), 300, 200, 60, 40);
    selectShape(a);
    QVERIFY(m_view->copy());

    SketchDocumentView other;
    other.resize(1000, 800);
    other.paste();
    SketchLayer *target = other.currentLayer();
    QCOMPARE(target->shapes().size(), 1);
    QCOMPARE(centreOf(target->shapes()), QPointF(100, 100));
    // The next paste steps on from there.
    other.paste();
    QCOMPARE(centreOf({target->shapes().at(1)}), QPointF(105, 105));
}

void TestClipboard::pasteFollowsTheLastClick()
{
    SketchShape *a = addBox(layer(), 10, 10, 40, 20);
    selectShape(a);
    QVERIFY(m_view->copy());
    m_view->setScrollX(-30, false);
    clickAt(m_view, QPoint(400, 300));
    m_view->paste();
    // Widget (400, 300) lies over paper (430, 300) with the paper scrolled.
    QCOMPARE(centreOf({layer()->shapes().last()}), QPointF(430, 300));
}

void TestClipboard::pasteReadsOnlyShapeElements()
{
    clipboard()->setText(QStringLiteral("<StoryloomClipboardShape>\n"
                                        "    <!-- made by hand -->\n"
                                        "    <Other Points=\"0,0;9,9\"/>\n"
                                        "    <Shape Behavior=\"1\" Points=\"0,0;20,0;20,10;0,10\"/>\n"
                                        "</StoryloomClipboardShape>\n"));
    m_view->paste();
    QCOMPARE(layer()->shapes().size(), 1);
    QCOMPARE(layer()->shapes().first()->pointCount(), 4);
    QCOMPARE(undoTexts(m_view), QStringLiteral("pasteFromClipboard"));
}

void TestClipboard::shapeTextThatDoesNotParsePastesNothing()
{
    SketchShape *a = addBox(layer(), 10, 10, 40, 20);
    selectShape(a);
    const QPointF before = m_view->lastPressPos();
    clipboard()->setText(QStringLiteral("<StoryloomClipboardShape><Shape Points=\"0,0;1,1\""));
    m_view->paste();
    // Whole shapes before the fault do not count either.
    clipboard()->setText(QStringLiteral("<StoryloomClipboardShape><Shape Points=\"0,0;1,1\"/><Shape"));
    m_view->paste();
    clipboard()->setText(QStringLiteral("<StoryloomClipboardShape/>"));
    m_view->paste();
    QCOMPARE(layer()->shapes().size(), 1);
    QVERIFY(a->isSelected());
    QCOMPARE(m_view->lastPressPos(), before);
    QCOMPARE(m_view->commandManager()->undoCount(), 0);
}

void TestClipboard::canPasteDependsOnTheClipboardAndTheLayer()
{
    QVERIFY(!m_view->canPaste());
    clipboard()->setText(QStringLiteral(" <StoryloomClipboardShape/>"));
    QVERIFY(!m_view->canPaste());
    clipboard()->setText(QStringLiteral("<storyloomclipboardshape/>"));
    QVERIFY(!m_view->canPaste());
    clipboard()->setText(QStringLiteral("<StoryloomClipboardShape/>"));
    QVERIFY(m_view->canPaste());

    layer()->setLocked(true);
    QVERIFY(!m_view->canPaste());
    layer()->setLocked(false);
    layer()->setVisible(false);
    QVERIFY(!m_view->canPaste());
    layer()->setVisible(true);

    QPixmap picture(3, 2);
    picture.fill(Qt::red);
    clipboard()->setPixmap(picture);
    QVERIFY(m_view->canPaste());

    // Without a current layer the test looks at the clipboard alone, and a
    // paste has nowhere to go.
    clipboard()->setText(QStringLiteral("<StoryloomClipboardShape><Shape Points=\"0,0;5,5\"/></StoryloomClipboardShape>"));
    SketchLayer *current = layer();
    m_view->setCurrentLayer(nullptr, false);
    QVERIFY(m_view->canPaste());
    m_view->paste();
    QVERIFY(current->shapes().isEmpty());
    QCOMPARE(m_view->commandManager()->undoCount(), 0);
}

void TestClipboard::pasteNeedsAUsableLayerAndNoSliceTool()
{
    clipboard()->setText(QStringLiteral("<StoryloomClipboardShape><Shape Points=\"0,0;5,5\"/></StoryloomClipboardShape>"));
    layer()->setLocked(true);
    m_view->paste();
    layer()->setLocked(false);
    layer()->setVisible(false);
    m_view->paste();
    layer()->setVisible(true);
    m_view->setCurrentTool(SketchToolTypeSlice, false);
    m_view->paste();
    QVERIFY(layer()->shapes().isEmpty());
    QCOMPARE(m_view->commandManager()->undoCount(), 0);

    m_view->setCurrentTool(SketchToolTypeSelect, false);
    m_view->paste();
    QCOMPARE(layer()->shapes().size(), 1);
}

void TestClipboard::cutDeletesOnlyAfterACopy()
{
    SketchShape *a = addBox(layer(), 10, 10, 40, 20);
    m_view->cut();
    QCOMPARE(layer()->shapes().size(), 1);
    QCOMPARE(m_view->commandManager()->undoCount(), 0);

    selectShape(a);
    m_view->cut();
    QVERIFY(layer()->shapes().isEmpty());
    QVERIFY(clipboard()->text().startsWith(QLatin1String("<StoryloomClipboardShape")));
    m_view->paste();
    QCOMPARE(layer()->shapes().size(), 1);
}

void TestClipboard::picturePastesAsAnImageBoxAtTheCursor_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("cursor");
    QTest::addColumn<QRectF>("box");

    // Kept 10 units inside the paper's top-left corner, size unchanged.
    QTest::newRow("near the corner") << QSize(300, 200) << QPoint(20, 20) << QRectF(QPointF(10, 10), QPointF(309, 209));
    QTest::newRow("centred") << QSize(300, 200) << QPoint(400, 300) << QRectF(QPointF(250, 200), QPointF(549, 399));
    // A single pixel still gives a box that can be seen and hit.
    QTest::newRow("one pixel") << QSize(1, 1) << QPoint(400, 300) << QRectF(QPointF(400, 300), QPointF(401, 301));
}

void TestClipboard::picturePastesAsAnImageBoxAtTheCursor()
{
    QFETCH(QSize, size);
    QFETCH(QPoint, cursor);
    QFETCH(QRectF, box);

    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view));
    QPixmap picture(size);
    picture.fill(Qt::blue);
    clipboard()->setPixmap(picture);
    QVERIFY(m_view->canPaste());
    QCursor::setPos(m_view->mapToGlobal(cursor));
    QCOMPARE(m_view->mapFromGlobal(QCursor::pos()), cursor);
    const QPointF pastePos = m_view->lastPressPos();

    m_view->paste();
    QCOMPARE(layer()->shapes().size(), 1);
    SketchShape *shape = layer()->shapes().first();
    QCOMPARE(shape->behavior(), int(SketchShapeBox));
    QVERIFY(shape->isClosed());
    QVERIFY(shape->isSelected());
    const QList<QPointF> expected{box.topLeft(), box.topRight(), box.bottomRight(), box.bottomLeft()};
    QCOMPARE(pointsOf(shape), expected);
    QCOMPARE(shape->fill().type(), 4);
    QCOMPARE(shape->fill().picture().size(), size);
    QVERIFY(shape->stroke().brush().isTransparent());
    QCOMPARE(m_view->lastPressPos(), pastePos);
    QCOMPARE(undoTexts(m_view), QStringLiteral("pasteFromClipboard"));
}

void TestClipboard::copyFormatTakesTheStyleOfTheFirstSelectedShape()
{
    SketchShape *a = addBox(layer(), 10, 10, 40, 20, Qt::red);
    SketchShape *b = addBox(layer(), 100, 10, 40, 20, Qt::green);
    a->setOpacity(0.25f);
    selectShape(a);
    selectShape(b);
    m_view->copyFormat();
    const QString text = clipboard()->text();
    QVERIFY(text.startsWith(QLatin1String("<StoryloomClipboardFormat")));
    QVERIFY(text.contains(QLatin1String("Opacity=\"0.25\"")));
    QVERIFY(!text.contains(QLatin1String("Points")));

    // Nothing selected, or the slice tool: the clipboard stays.
    clipboard()->setText(QStringLiteral("kept"));
    m_view->setCurrentTool(SketchToolTypeSlice, false);
    m_view->copyFormat();
    m_view->setCurrentTool(SketchToolTypeSelect, false);
    m_view->clearSelection();
    m_view->copyFormat();
    QCOMPARE(clipboard()->text(), QStringLiteral("kept"));
}

void TestClipboard::pasteFormatGivesTheCopiedStyleWhole()
{
    SketchShape *source = addBox(layer(), 10, 10, 40, 20, Qt::red);
    SketchShape *target = addBox(layer(), 100, 10, 40, 20, Qt::blue);
    SketchShape *other = addBox(layer(), 200, 10, 40, 20, Qt::blue);
    target->setOpacity(0.5f);
    target->setAlign(2);
    const SkinBrush otherFill = other->fill();
    selectShape(source);
    m_view->copyFormat();

    m_view->clearSelection();
    selectShape(target);
    QVERIFY(m_view->canPasteFormat());
    m_view->pasteFormat();
    QCOMPARE(target->opacity(), 1.0f);
    QCOMPARE(target->align(), 1);
    QCOMPARE(target->fill(), source->fill());
    QCOMPARE(target->stroke().width(), source->stroke().width());
    QCOMPARE(other->fill(), otherFill);
    QCOMPARE(undoTexts(m_view), QStringLiteral("pasteFormatFromClipboard"));
    // Only the style: the points stay.
    QCOMPARE(target->pointX(0), 100.0f);

    m_view->commandManager()->undo();
    QCOMPARE(target->opacity(), 0.5f);
    QCOMPARE(target->align(), 2);
}

void TestClipboard::formatTextThatIsNotAFormatChangesNothing_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("garbage after the prefix") << "<StoryloomClipboardFormat garbage";
    QTest::newRow("unclosed") << "<StoryloomClipboardFormat Opacity=\"0.3\">";
    QTest::newRow("other root") << "<StoryloomClipboardFormatted Opacity=\"0.3\"/>";
    QTest::newRow("leading blank") << " <StoryloomClipboardFormat Opacity=\"0.3\"/>";
}

void TestClipboard::formatTextThatIsNotAFormatChangesNothing()
{
    QFETCH(QString, text);
    SketchShape *target = addBox(layer(), 100, 10, 40, 20, Qt::blue);
    target->setOpacity(0.5f);
    const SkinBrush fill = target->fill();
    selectShape(target);
    clipboard()->setText(text);
    m_view->pasteFormat();
    QCOMPARE(target->opacity(), 0.5f);
    QCOMPARE(target->fill(), fill);
    QCOMPARE(m_view->commandManager()->undoCount(), 0);
}

void TestClipboard::shapesRectCoversRotatedOutlines()
{
    QCOMPARE(m_view->shapesRect({}), QRectF(0, 0, 0, 0));
    QCOMPARE(m_view->editableSelectionRect(), QRectF(0, 0, 0, 0));

    SketchShape *turned = addBox(layer(), 0, 0, 100, 50);
    turned->setRotatePoint(QPointF(50, 25));
    turned->setRotateAngle(0.25f);
    const QRectF r = m_view->shapesRect({turned});
    QVERIFY(qAbs(r.left() - 25) < 1e-3 && qAbs(r.top() + 25) < 1e-3);
    QVERIFY(qAbs(r.width() - 50) < 1e-3 && qAbs(r.height() - 100) < 1e-3);

    SketchShape *plain = addBox(layer(), 200, 100, 10, 10);
    SketchShape *locked = addBox(layer(), 500, 500, 10, 10);
    locked->setLocked(true);
    selectShape(plain);
    selectShape(locked);
    QCOMPARE(m_view->editableSelectionRect(), QRectF(200, 100, 10, 10));
}

// Both clipboard texts come out the same in every run: the attributes of
// each element in name order, not in the order of a seeded hash.
void TestClipboard::textsListAttributesInNameOrder()
{
    SketchShape *shape = addBox(layer(), 10, 10, 40, 20, Qt::red);
    shape->setName(QStringLiteral("panel"));
    shape->setText(QStringLiteral("Hello"));
    shape->setOpacity(0.5f);
    shape->setBlur(1);
    shape->setTension(0.2f);
    shape->setAlign(0);
    shape->setDirection(3);
    shape->centerRotatePoint();
    shape->setRotateAngle(0.25f);
    shape->setStroke(SketchStroke(Qt::blue, 3, SketchStrokeSquare));
    selectShape(shape);

    QString where;
    QVERIFY(m_view->copy());
    QVERIFY2(attributesInNameOrder(clipboard()->text(), &where), qPrintable(where));
    m_view->copyFormat();
    QVERIFY(clipboard()->text().startsWith(QLatin1String("<StoryloomClipboardFormat")));
    QVERIFY2(attributesInNameOrder(clipboard()->text(), &where), qPrintable(where));
}

QTEST_MAIN(TestClipboard)
#include "tst_clipboard.moc"
