// The document view: construction, the tool table and tool switching, the
// transforms, the forwarded document state, files, frames and the placement
// of the in-place editor.

#include "support/paintcounter.h"
#include "support/pixels.h"
#include "support/shapes.h"

#include "commands/sketchcommand.h"
#include "commands/sketchcommandmanager.h"
#include "editor/sketchdocumentview.h"
#include "editor/sketchtool.h"
#include "editor/sketchtoolpickcolor.h"
#include "editor/sketchtoolpoint.h"
#include "editor/sketchtoolzoom.h"
#include "model/sketchdocument.h"
#include "model/sketchglobals.h"
#include "model/sketchgroup.h"
#include "model/sketchlayer.h"

#include <QApplication>
#include <QBitmap>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QStandardPaths>
#include <QtTest>

#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

// Records the order of the view's notifications.
struct SignalLog
{
    explicit SignalLog(SketchDocumentView *view)
    {
        QObject::connect(view, &SketchDocumentView::actionChanging, [this] { names << "actionChanging"; });
        QObject::connect(view, &SketchDocumentView::actionChanged, [this] { names << "actionChanged"; });
        QObject::connect(view, &SketchView::sketchChanged, [this] { names << "sketchChanged"; });
        QObject::connect(view, &SketchDocumentView::currentLayerChanged, [this] { names << "currentLayerChanged"; });
    }
    QStringList names;
};

QImage cursorImage(const QCursor &cursor)
{
    return cursor.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
}

SketchLayer *addLayer(SketchDocumentView &view, const QString &name)
{
    auto *layer = new SketchLayer(view.document(), name);
    view.layers().append(layer);
    return layer;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestSketchDocumentView : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void newView();
    void toolTable_data();
    void toolTable();
    void toolCursors_data();
    void toolCursors();
    void setCurrentToolNotifies();
    void setCurrentToolQuietly();
    void unusableLayerForbidsEverything_data();
    void unusableLayerForbidsEverything();
    void completedToolReturnsToSelect();
    void setCurrentLayer();
    void transforms();
    void shapeTransformOfGroupMembersAndRotation();
    void forwardsThePaperAndWorkFields();
    void watchedObjectsMayDie();
    void actionTests();
    void pasteFormatNeedsAFormatOnTheClipboard();
    void changeShapeFrame();
    void beginTextEditPlacesTheEditor();
    void beginTextEditRefusals();
    void textEditShapeForgetsDestroyedShape();
    void saveAndOpenRoundTrip();
    void failedOpenLeavesTheViewAlone_data();
    void failedOpenLeavesTheViewAlone();
    void openReadsTheFileOnce();
    void failedSaveKeepsNameAndModifiedFlag();
    void printIgnoresZoomAndScroll();
};

void TestSketchDocumentView::newView()
{
    const int views = SketchGlobals::DocumentViewCount;
    {
        SketchDocumentView view;
        QCOMPARE(SketchGlobals::DocumentViewCount, views + 1);
        QCOMPARE(view.currentToolType(), int(SketchToolTypeSelect));
        QCOMPARE(view.layers().size(), 1);
        QCOMPARE(view.currentLayer(), view.layers().first());
        QCOMPARE(view.document()->parent(), static_cast<QObject *>(&view));
        QVERIFY(view.horizontalScrollBar()->isHidden());
        QVERIFY(view.verticalScrollBar()->isHidden());
        auto *corner = view.findChild<QWidget *>(QStringLiteral("ScrollCorner"));
        QVERIFY(corner);
        QVERIFY(corner->isHidden());
        QVERIFY(!view.isGridVisible());
        QVERIFY(view.isAutoSliceVisible());
        QVERIFY(!view.isTextEditingEnabled());
        QCOMPARE(view.textEditMode(), 0);
        QVERIFY(!view.textEditShape());
        QVERIFY(!view.sourceDocument());
        QVERIFY(!view.editedGroup());
        QCOMPARE(view.scrollX(), 0);
        QCOMPARE(view.scrollY(), 0);
        QCOMPARE(view.pressedButton(), Qt::NoButton);
        QCOMPARE(view.lastPressPos(), QPointF(0, 0));
        QCOMPARE(view.caption(), QStringLiteral("untitled @ 100%"));
        QCOMPARE(view.fileSuffix(), QStringLiteral(".slf"));
        QCOMPARE(view.fileFilter(), QStringLiteral("Storyloom Files(*.slf)"));
    }
    QCOMPARE(SketchGlobals::DocumentViewCount, views);
}

void TestSketchDocumentView::toolTable_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("className");
    QTest::addColumn<int>("mode");

    QTest::newRow("none") << 0 << "SketchToolNone" << -1;
    QTest::newRow("select") << 1 << "SketchToolSelect" << -1;
    QTest::newRow("path") << 2 << "SketchToolPath" << -1;
    QTest::newRow("rect") << 3 << "SketchToolRect" << -1;
    QTest::newRow("ellipse") << 4 << "SketchToolEllipse" << -1;
    QTest::newRow("bubble") << 5 << "SketchToolBubble" << -1;
    QTest::newRow("text") << 6 << "SketchToolText" << -1;
    QTest::newRow("corner point") << 7 << "SketchToolPoint" << 0;
    QTest::newRow("smooth point") << 8 << "SketchToolPoint" << 1;
    QTest::newRow("cut off") << 9 << "SketchToolCutoff" << -1;
    QTest::newRow("connect") << 10 << "SketchToolConnect" << -1;
    QTest::newRow("rotate") << 11 << "SketchToolRotate" << -1;
    QTest::newRow("zoom in") << 12 << "SketchToolZoom" << 1;
    QTest::newRow("zoom out") << 13 << "SketchToolZoom" << 0;
    QTest::newRow("pick gradient") << 14 << "SketchToolPickColor" << 0;
    QTest::newRow("pick fill") << 15 << "SketchToolPickColor" << 1;
    QTest::newRow("pick stroke") << 16 << "SketchToolPickColor" << 2;
    QTest::newRow("slice") << 17 << "SketchToolSlice" << -1;
    QTest::newRow("resize") << 18 << "SketchToolResize" << -1;
    QTest::newRow("frame") << 19 << "SketchToolFrame" << -1;
}

void TestSketchDocumentView::toolTable()
{
    QFETCH(int, type);
    QFETCH(QString, className);
    QFETCH(int, mode);

    SketchDocumentView view;
    QCOMPARE(view.tools().size(), 20);
    SketchTool *tool = view.tools().value(type);
    QVERIFY(tool);
    QCOMPARE(QString::fromLatin1(tool->metaObject()->className()), className);
    QCOMPARE(tool->parent(), static_cast<QObject *>(&view));
    QCOMPARE(tool->view(), static_cast<SketchView *>(&view));
    QCOMPARE(tool->documentView(), &view);
    if (auto *point = qobject_cast<SketchToolPoint *>(tool))
        QCOMPARE(int(point->isCurve()), mode);
    if (auto *zoom = qobject_cast<SketchToolZoom *>(tool))
        QCOMPARE(int(zoom->isZoomIn()), mode);
    if (auto *pick = qobject_cast<SketchToolPickColor *>(tool))
        QCOMPARE(pick->target(), mode);

    // Every tool's completion brings the select tool back.
    view.setCurrentTool(type, false);
    emit tool->completed();
    QCOMPARE(view.currentToolType(), int(SketchToolTypeSelect));
}

void TestSketchDocumentView::toolCursors_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("image");
    QTest::addColumn<QPoint>("hotSpot");
    QTest::addColumn<int>("shape");

    const int bitmap = Qt::BitmapCursor;
    QTest::newRow("none") << 0 << QString() << QPoint() << int(Qt::ForbiddenCursor);
    QTest::newRow("select") << 1 << QString() << QPoint() << int(Qt::ArrowCursor);
    QTest::newRow("path") << 2 << ":/tools/images/Pen.png" << QPoint(8, 0) << bitmap;
    QTest::newRow("rect") << 3 << ":/tools/images/CursorCreateRect.png" << QPoint(0, 0) << bitmap;
    QTest::newRow("ellipse") << 4 << ":/tools/images/CursorCreateEllipse.png" << QPoint(0, 0) << bitmap;
    QTest::newRow("bubble") << 5 << ":/tools/images/CursorCreateBubble.png" << QPoint(0, 0) << bitmap;
    QTest::newRow("text") << 6 << ":/tools/images/Text.png" << QPoint(7, 2) << bitmap;
    QTest::newRow("corner point") << 7 << ":/tools/images/Pen.png" << QPoint(8, 0) << bitmap;
    QTest::newRow("smooth point") << 8 << ":/tools/images/PenSmooth.png" << QPoint(8, 0) << bitmap;
    QTest::newRow("cut off") << 9 << ":/tools/images/PenCutoff.png" << QPoint(8, 0) << bitmap;
    QTest::newRow("connect") << 10 << ":/tools/images/PenConnect.png" << QPoint(8, 0) << bitmap;
    QTest::newRow("rotate") << 11 << ":/tools/images/CursorArrow.png" << QPoint(0, 0) << bitmap;
    QTest::newRow("zoom in") << 12 << ":/tools/images/CursorZoomIn.png" << QPoint(6, 6) << bitmap;
    QTest::newRow("zoom out") << 13 << ":/tools/images/CursorZoomOut.png" << QPoint(6, 6) << bitmap;
    QTest::newRow("pick") << 15 << ":/tools/images/ColorPicker.png" << QPoint(1, 14) << bitmap;
    QTest::newRow("slice") << 17 << ":/tools/images/Slice.png" << QPoint(0, 14) << bitmap;
    QTest::newRow("resize") << 18 << ":/tools/images/CursorArrow.png" << QPoint(0, 0) << bitmap;
    QTest::newRow("frame") << 19 << ":/tools/images/CursorArrow.png" << QPoint(0, 0) << bitmap;
}

void TestSketchDocumentView::toolCursors()
{
    QFETCH(int, type);
    QFETCH(QString, image);
    QFETCH(QPoint, hotSpot);
    QFETCH(int, shape);

    SketchDocumentView view;
    view.setCurrentTool(type, false);
    const QCursor cursor = view.cursor();
    QCOMPARE(int(cursor.shape()), shape);
    if (!image.isEmpty()) {
        const QImage expected = QImage(image).convertToFormat(QImage::Format_ARGB32);
        QVERIFY(!expected.isNull());
        QCOMPARE(cursorImage(cursor), expected);
        QCOMPARE(cursor.hotSpot(), hotSpot);
    }
}

void TestSketchDocumentView::setCurrentToolNotifies()
{
    SketchDocumentView view;
    SignalLog log(&view);
    view.textEditor()->show();
    view.setCurrentTool(SketchToolTypeRect, true);
    QCOMPARE(view.currentToolType(), int(SketchToolTypeRect));
    QCOMPARE(log.names, (QStringList{"actionChanging", "actionChanged"}));
    // Switching ends an in-place edit and puts arrows on the bars.
    QVERIFY(view.textEditor()->isHidden());
    QCOMPARE(view.horizontalScrollBar()->cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(view.verticalScrollBar()->cursor().shape(), Qt::ArrowCursor);
}

void TestSketchDocumentView::setCurrentToolQuietly()
{
    SketchDocumentView view;
    view.resize(200, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QCoreApplication::processEvents();
    SignalLog log(&view);
    PaintCounter paints(&view);

    view.setCurrentTool(SketchToolTypeZoomIn, false);
    QCoreApplication::processEvents();
    QCOMPARE(view.currentToolType(), int(SketchToolTypeZoomIn));
    QCOMPARE(cursorImage(view.cursor()), cursorImage(view.currentTool()->cursor()));
    QVERIFY(log.names.isEmpty());
    QCOMPARE(paints.count, 0);
}

void TestSketchDocumentView::unusableLayerForbidsEverything_data()
{
    QTest::addColumn<bool>("locked");
    QTest::addColumn<bool>("visible");
    QTest::newRow("locked") << true << true;
    QTest::newRow("hidden") << false << false;
}

void TestSketchDocumentView::unusableLayerForbidsEverything()
{
    QFETCH(bool, locked);
    QFETCH(bool, visible);

    SketchDocumentView view;
    view.currentLayer()->setLocked(locked);
    view.currentLayer()->setVisible(visible);
    for (int type = 0; type < 20; ++type) {
        view.setCurrentTool(type, false);
        QCOMPARE(view.toolCursor().shape(), Qt::ForbiddenCursor);
        QCOMPARE(view.cursor().shape(), Qt::ForbiddenCursor);
    }
    // Without a current layer nothing forbids: the tool shows its own.
    view.setCurrentLayer(nullptr, false);
    view.setCurrentTool(SketchToolTypeSelect, false);
    QCOMPARE(view.toolCursor().shape(), Qt::ArrowCursor);
}

void TestSketchDocumentView::completedToolReturnsToSelect()
{
    SketchDocumentView view;
    SketchTool *select = view.tools().value(SketchToolTypeSelect);
    select->setPressPos(QPointF(5, 6));
    select->setCurrentPos(QPointF(7, 8));
    view.setCurrentTool(SketchToolTypeZoomIn, false);
    view.setModified(false);
    SignalLog log(&view);

    emit view.currentTool()->completed();
    QCOMPARE(view.currentToolType(), int(SketchToolTypeSelect));
    QCOMPARE(log.names, (QStringList{"actionChanging", "actionChanged", "sketchChanged"}));
    QVERIFY(!view.isModified());
    QCOMPARE(select->pressPos(), QPointF(0, 0));
    QCOMPARE(select->currentPos(), QPointF(0, 0));
}

void TestSketchDocumentView::setCurrentLayer()
{
    SketchDocumentView view;
    SketchLayer *first = view.currentLayer();
    SketchLayer *second = addLayer(view, QStringLiteral("Layer2"));
    SignalLog log(&view);

    view.setCurrentLayer(first, true);
    QVERIFY(log.names.isEmpty());
    view.setCurrentLayer(second, false);
    QCOMPARE(view.currentLayer(), second);
    QVERIFY(log.names.isEmpty());
    view.setCurrentLayer(first, true);
    QCOMPARE(log.names, QStringList{"currentLayerChanged"});

    // A layer destroyed under the view is never handed out again.
    view.layers().removeOne(second);
    view.setCurrentLayer(second, false);
    delete second;
    QVERIFY(!view.currentLayer());
}

void TestSketchDocumentView::transforms()
{
    SketchDocumentView view;
    view.setZoom(2.0f);
    view.setScrollX(-30, false);
    view.setScrollY(-40, false);

    QCOMPARE(view.viewTransform(), QTransform(2, 0, 0, 2, -30, -40));
    QCOMPARE(view.mapFromDocument(QPointF(10, 20)), QPointF(-10, 0));
    QCOMPARE(view.mapToDocument(QPointF(-10, 0)), QPointF(10, 20));
    QCOMPARE(view.mapToDocument(QPointF(0, 0)), QPointF(15, 20));
    QCOMPARE(view.shapeTransform(nullptr), view.viewTransform());

    // Positive offsets are never stored.
    view.setScrollX(25, false);
    QCOMPARE(view.scrollX(), 0);
}

void TestSketchDocumentView::shapeTransformOfGroupMembersAndRotation()
{
    SketchDocumentView view;
    view.setZoom(2.0f);
    SketchLayer *layer = view.currentLayer();
    SketchShape *turned = addBox(layer, 0, 0, 20, 10);
    turned->setRotatePoint(QPointF(10, 5));
    turned->setRotateAngle(0.25f);
    // A quarter turn about (10, 5): the corner (0, 0) goes to (15, -5),
    // then the zoom doubles it.
    const QPointF corner = view.shapeTransform(turned).map(QPointF(0, 0));
    QVERIFY(qAbs(corner.x() - 30) < 1e-4 && qAbs(corner.y() + 10) < 1e-4);
    QCOMPARE(turned->mapToView(QPointF(0, 0)), view.shapeTransform(turned).map(QPointF(0, 0)));

    auto *group = new SketchGroup(layer);
    SketchShape *member = addBox(layer, 40, 30, 10, 10);
    SketchShape *other = addBox(layer, 60, 50, 10, 10);
    group->shapes() << member << other;
    group->attachShapes();
    layer->shapes().append(group);
    // Members live relative to the group's top-left, which stays on the
    // page: a member's corner still shows where it was drawn.
    QCOMPARE(view.shapeTransform(member).map(member->points().first()->toPointF()), QPointF(80, 60));
}

void TestSketchDocumentView::forwardsThePaperAndWorkFields()
{
    SketchDocumentView view;
    view.setPaperSize(QSize(400, 300));
    QCOMPARE(view.document()->paperSize(), QSize(400, 300));
    view.setPaperColor(SkinBrush(QColor(Qt::yellow)));
    QVERIFY(view.document()->paperColor() == SkinBrush(QColor(Qt::yellow)));
    view.setPaperBorder(SketchStroke(Qt::red, 4, 0));
    QVERIFY(view.paperBorder() == SketchStroke(Qt::red, 4, 0));
    view.setWorkId(QStringLiteral("id"));
    view.setWorkTitle(QStringLiteral("title"));
    view.setWorkTags(QStringLiteral("tags"));
    QCOMPARE(view.document()->workId(), QStringLiteral("id"));
    QCOMPARE(view.workTitle(), QStringLiteral("title"));
    QCOMPARE(view.document()->workTags(), QStringLiteral("tags"));
}

void TestSketchDocumentView::watchedObjectsMayDie()
{
    SketchDocumentView view;
    auto *source = new SketchDocumentView;
    auto *group = new SketchGroup(source->currentLayer());
    source->currentLayer()->shapes().append(group);
    view.setSourceDocument(source->document());
    view.setEditedGroup(group);
    QCOMPARE(view.sourceDocument(), source->document());
    QCOMPARE(view.editedGroup(), group);
    delete source;
    QVERIFY(!view.sourceDocument());
    QVERIFY(!view.editedGroup());
}

void TestSketchDocumentView::actionTests()
{
    SketchDocumentView view;
    SketchLayer *layer = view.currentLayer();
    QVERIFY(!view.canCopy() && !view.canCut() && !view.canLock() && !view.canFlip());
    QVERIFY(!view.canSelectAll() && !view.canSelectAllOfCurrentLayer() && !view.canPlaceSelection());
    QVERIFY(view.canInsertImage());

    SketchShape *a = addBox(layer, 0, 0, 10, 10);
    SketchShape *b = addBox(layer, 20, 0, 10, 10);
    QVERIFY(view.canSelectAll() && view.canSelectAllOfCurrentLayer());
    a->setSelected(true);
    QVERIFY(view.canCopy() && view.canCut() && view.canLock() && view.canFlip());
    QVERIFY(view.canEditText() && view.canEditName() && view.canCopyFormat());
    QVERIFY(!view.canAlignSelection());
    QVERIFY(view.canPlaceSelection());
    QVERIFY(!view.canUnGroup());
    b->setSelected(true);
    QVERIFY(view.canAlignSelection());
    QVERIFY(!view.canEditText() && !view.canCopyFormat());
    QVERIFY(!view.canSelectAll() && !view.canSelectAllOfCurrentLayer() && !view.canPlaceSelection());

    // Locked shapes are selected but cannot be edited.
    a->setLocked(true);
    b->setLocked(true);
    QVERIFY(!view.canCopy() && !view.canLock());
    a->setLocked(false);
    b->setLocked(false);

    layer->setLocked(true);
    a->setSelected(false);
    QVERIFY(!view.canSelectAll() && !view.canSelectAllOfCurrentLayer() && !view.canInsertImage());
    layer->setLocked(false);
    view.setCurrentTool(SketchToolTypeSlice, false);
    QVERIFY(!view.canInsertImage());
}

void TestSketchDocumentView::pasteFormatNeedsAFormatOnTheClipboard()
{
    SketchDocumentView view;
    SketchShape *shape = addBox(view.currentLayer(), 0, 0, 10, 10);
    QClipboard *clipboard = QApplication::clipboard();
    clipboard->setText(QStringLiteral("<StoryloomClipboardFormat Align=\"0\"/>"));
    QVERIFY(!view.canPasteFormat()); // nothing selected
    shape->setSelected(true);
    QVERIFY(view.canPasteFormat());
    view.setCurrentTool(SketchToolTypeSlice, false);
    QVERIFY(!view.canPasteFormat());
    view.setCurrentTool(SketchToolTypeSelect, false);
    view.currentLayer()->setVisible(false);
    QVERIFY(!view.canPasteFormat());
    view.currentLayer()->setVisible(true);
    clipboard->setText(QStringLiteral("<storyloomClipboardFormat/>"));
    QVERIFY(!view.canPasteFormat());
    clipboard->setText(QStringLiteral("<StoryloomClipboardShape/>"));
    QVERIFY(!view.canPasteFormat());
}

void TestSketchDocumentView::changeShapeFrame()
{
    SketchDocumentView view;
    SketchShape *shape = addBox(view.currentLayer(), 10, 10, 20, 20, Qt::red);
    SketchShape *first = shape->clone(false);
    SketchShape *second = shape->clone(false);
    second->setFill(SkinBrush(QColor(Qt::blue)));
    shape->appendFrame(first);
    shape->appendFrame(second);
    shape->setSelected(true);
    shape->setActiveHandle(SketchHandleFirstPoint + 2);
    SketchCommandManager *manager = view.commandManager();

    view.changeShapeFrame(shape, 2);
    view.changeShapeFrame(shape, -1);
    view.changeShapeFrame(nullptr, 0);
    QCOMPARE(manager->undoCount(), 0);
    QCOMPARE(shape->frameIndex(), 0);

    view.changeShapeFrame(shape, 1);
    QCOMPARE(manager->undoCount(), 1);
    QCOMPARE(manager->undoStack().last()->text(), QStringLiteral("changeShapeFrame"));
    QCOMPARE(shape->frameIndex(), 1);
    QVERIFY(shape->fill() == SkinBrush(QColor(Qt::blue)));
    QVERIFY(shape->isSelected());
    QCOMPARE(shape->activeHandle(), int(SketchHandleInside));

    manager->undo();
    QVERIFY(shape->fill() == SkinBrush(QColor(Qt::red)));
}

void TestSketchDocumentView::beginTextEditPlacesTheEditor()
{
    SketchDocumentView view;
    view.resize(600, 400);
    view.setZoom(2.0f);
    SketchShape *small = addBox(view.currentLayer(), 10, 20, 30, 10);
    small->setText(QStringLiteral("hello"));
    small->setName(QStringLiteral("balloon"));

    view.beginTextEdit(small);
    QTextEdit *editor = view.textEditor();
    QVERIFY(!editor->isHidden());
    QCOMPARE(view.textEditShape(), small);
    QCOMPARE(editor->toPlainText(), QStringLiteral("hello"));
    const QRect mapped = view.shapeTransform(small).mapRect(small->textRect().toRect());
    QCOMPARE(editor->geometry().topLeft(), mapped.topLeft());
    QCOMPARE(editor->geometry().size(), QSize(150, 80));

    SketchShape *large = addBox(view.currentLayer(), 0, 0, 200, 100);
    view.setTextEditMode(1);
    view.beginTextEdit(large);
    QCOMPARE(editor->toPlainText(), QString());
    QCOMPARE(editor->geometry().size(), QSize(400, 200));
    view.setTextEditMode(1);
    view.beginTextEdit(small);
    QCOMPARE(editor->toPlainText(), QStringLiteral("balloon"));
}

void TestSketchDocumentView::beginTextEditRefusals()
{
    SketchDocumentView view;
    SketchShape *box = addBox(view.currentLayer(), 0, 0, 50, 50);
    SketchShape *path = addBox(view.currentLayer(), 0, 0, 50, 50);
    path->setBehavior(SketchShapePath);
    path->setClosed(false);

    view.beginTextEdit(nullptr);
    QVERIFY(view.textEditor()->isHidden());
    QVERIFY(!view.textEditShape());

    view.beginTextEdit(path);
    QVERIFY(view.textEditor()->isHidden());
    QVERIFY(!view.textEditShape());

    view.setTextEditMode(5);
    QCOMPARE(view.textEditMode(), 1);
    view.beginTextEdit(nullptr);
    QVERIFY(view.textEditor()->isHidden());
    view.beginTextEdit(path); // names of open paths can be edited
    QVERIFY(!view.textEditor()->isHidden());
    view.endTextEdit(false);

    view.setTextEditMode(-1);
    QCOMPARE(view.textEditMode(), 0);
    view.setCurrentTool(SketchToolTypeSlice, false);
    view.beginTextEdit(box);
    QVERIFY(view.textEditor()->isHidden());
}

void TestSketchDocumentView::textEditShapeForgetsDestroyedShape()
{
    SketchDocumentView view;
    SketchShape *box = addBox(view.currentLayer(), 0, 0, 50, 50);
    view.beginTextEdit(box);
    QCOMPARE(view.textEditShape(), box);
    view.currentLayer()->shapes().removeOne(box);
    delete box;
    QVERIFY(!view.textEditShape());
}

void TestSketchDocumentView::saveAndOpenRoundTrip()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("strip.one.slf"));

    SketchDocumentView source;
    source.setPaperSize(QSize(500, 700));
    addBox(source.currentLayer(), 10, 10, 40, 40, Qt::red);
    SketchLayer *top = addLayer(source, QStringLiteral("Inks"));
    addBox(top, 100, 100, 20, 20, Qt::blue);
    source.setWorkTitle(QStringLiteral("Episode"));
    source.setModified(true);
    QVERIFY(source.saveFile(path));
    QCOMPARE(source.fileName(), path);
    QCOMPARE(source.title(), QStringLiteral("strip"));
    // Clearing the flag is the caller's business.
    QVERIFY(source.isModified());

    SketchDocumentView view;
    view.commandManager()->push(new SketchCommand(&view), QStringLiteral("edit"));
    view.setCurrentTool(SketchToolTypeRect, false);
    SignalLog log(&view);
    QVERIFY(view.openFile(path));
    QCOMPARE(view.fileName(), path);
    QCOMPARE(view.caption(), QStringLiteral("strip @ 100%"));
    QVERIFY(!view.isModified());
    QCOMPARE(view.commandManager()->undoCount(), 0);
    QCOMPARE(view.paperSize(), QSize(500, 700));
    QCOMPARE(view.workTitle(), QStringLiteral("Episode"));
    QCOMPARE(view.layers().size(), 2);
    QCOMPARE(view.shapeCount(), 2);
    QCOMPARE(view.currentLayer(), view.layers().last());
    QCOMPARE(view.currentLayer()->name(), QStringLiteral("Inks"));
    QCOMPARE(view.currentToolType(), int(SketchToolTypeSelect));
    QVERIFY(log.names.contains(QStringLiteral("actionChanged")));
    QVERIFY(!log.names.contains(QStringLiteral("currentLayerChanged")));
}

void TestSketchDocumentView::failedOpenLeavesTheViewAlone_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("exists");
    QTest::newRow("missing") << QByteArray() << false;
    QTest::newRow("empty") << QByteArray() << true;
    QTest::newRow("truncated") << QByteArray("<Storyloom>\n    <Document>\n        <Lay") << true;
    QTest::newRow("no document") << QByteArray("<Storyloom><Layer Name=\"x\"/></Storyloom>") << true;
}

void TestSketchDocumentView::failedOpenLeavesTheViewAlone()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, exists);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString good = dir.filePath(QStringLiteral("good.slf"));
    const QString bad = dir.filePath(QStringLiteral("bad.slf"));
    if (exists)
        QVERIFY(writeFile(bad, content));

    SketchDocumentView view;
    SketchShape *shape = addBox(view.currentLayer(), 0, 0, 30, 30, Qt::green);
    QVERIFY(view.saveFile(good));
    view.commandManager()->push(new SketchCommand(&view), QStringLiteral("edit"));
    SketchLayer *layer = view.currentLayer();
    view.setCurrentTool(SketchToolTypeRect, false);

    QVERIFY(!view.openFile(bad));
    QCOMPARE(view.fileName(), good);
    QCOMPARE(view.title(), QStringLiteral("good"));
    QVERIFY(view.isModified());
    QCOMPARE(view.commandManager()->undoCount(), 1);
    QCOMPARE(view.currentLayer(), layer);
    QCOMPARE(view.shapes(), QList<SketchShape *>{shape});
    QCOMPARE(view.currentToolType(), int(SketchToolTypeRect));

    // A later save goes to the file the view came from, never to the one
    // that failed.
    QVERIFY(view.saveFile(view.fileName()));
    QCOMPARE(readFile(bad), content);
    QCOMPARE(QFile::exists(bad), exists);
}

// The kernel counts the openings of the file: a view that read the file
// twice to open it (once to try it, once to take it) opens it twice. Only
// regular files are read, so a named pipe cannot tell.
void TestSketchDocumentView::openReadsTheFileOnce()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    SketchDocumentView source;
    addBox(source.currentLayer(), 10, 10, 40, 40, Qt::red);
    const QString page = dir.filePath(QStringLiteral("page.slf"));
    QVERIFY(source.saveFile(page));

    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    QVERIFY(watch >= 0);
    QVERIFY(::inotify_add_watch(watch, QFile::encodeName(page).constData(), IN_OPEN) >= 0);
    SketchDocumentView view;
    const bool opened = view.openFile(page);
    int openings = 0;
    alignas(struct inotify_event) char events[4096];
    for (ssize_t length; (length = ::read(watch, events, sizeof events)) > 0;) {
        for (ssize_t at = 0; at < length;) {
            const auto *event = reinterpret_cast<const struct inotify_event *>(events + at);
            openings += (event->mask & IN_OPEN) ? 1 : 0;
            at += ssize_t(sizeof(struct inotify_event)) + event->len;
        }
    }
    ::close(watch);
    QVERIFY(opened);
    QCOMPARE(openings, 1);
    QCOMPARE(view.shapeCount(), 1);
    QCOMPARE(view.fileName(), page);
}

void TestSketchDocumentView::failedSaveKeepsNameAndModifiedFlag()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    SketchDocumentView view;
    addBox(view.currentLayer(), 0, 0, 30, 30);
    view.setFileName(dir.filePath(QStringLiteral("kept.slf")));
    view.setModified(true);

    // A folder cannot be written as a file.
    QVERIFY(!view.saveFile(dir.path()));
    QCOMPARE(view.fileName(), dir.filePath(QStringLiteral("kept.slf")));
    QCOMPARE(view.title(), QStringLiteral("kept"));
    QVERIFY(view.isModified());
    QVERIFY(!view.saveFile(dir.filePath(QStringLiteral("no/such/folder/x.slf"))));
    QCOMPARE(view.title(), QStringLiteral("kept"));
}

void TestSketchDocumentView::printIgnoresZoomAndScroll()
{
    SketchDocumentView view;
    addBox(view.currentLayer(), 20, 30, 40, 20, Qt::red);
    view.resize(200, 200);
    view.setZoom(3.0f);
    view.setScrollX(-50, false);
    view.setScrollY(-60, false);

    QImage page(100, 100, QImage::Format_ARGB32);
    page.fill(Qt::white);
    view.print(&page);
    QVERIFY(sameColor(page, 40, 40, Qt::red));
    QVERIFY(sameColor(page, 10, 10, Qt::white));
    QVERIFY(sameColor(page, 70, 40, Qt::white));
    QVERIFY(sameColor(page, 40, 55, Qt::white));
    // Neither handles nor paper: a selected shape prints as it is.
    view.shapes().first()->setSelected(true);
    page.fill(Qt::white);
    view.print(&page);
    QVERIFY(sameColor(page, 20, 30, Qt::black));
    QVERIFY(sameColor(page, 17, 27, Qt::white));
}

QTEST_MAIN(TestSketchDocumentView)
#include "tst_sketchdocumentview.moc"
