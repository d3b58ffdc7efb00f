// The layers panel on its own: rows in reverse layer order, reordering by a
// drop, new / delete / duplicate, renaming, the eye and the lock, what a
// rebuild leaves alone, the menu's states, the painting of a row and a real
// drag run by the window system.
#include "support/crowdedpage.h"
#include "support/history.h"
#include "support/input.h"
#include "support/pixels.h"
#include "support/shapes.h"
#include "support/xserver.h"

#include "app/sketchlayercontrol.h"
#include "app/sketchlayergriditemdelegate.h"
#include "app/sketchlayerthumbnails.h"
#include "commands/sketchcommandmanager.h"
#include "commands/sketchcommandrename.h"
#include "commands/sketchcommandupdate.h"
#include "editor/sketchdocumentview.h"
#include "editor/sketchtool.h"
#include "materials/sketchmaterial.h"
#include "model/sketchdocument.h"
#include "model/sketchlayer.h"
#include "skin/controls/skingridcell.h"
#include "skin/controls/skingridrow.h"
#include "skin/controls/skingridselection.h"
#include "skin/controls/skingridview.h"
#include "skin/windows/skinmenu.h"
#include "skin/windows/skintheme.h"

#include <QAction>
#include <QDrag>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QStandardPaths>
#include <QTimer>
#include <QWindow>
#include <QtTest>

namespace {

QStringList layerNames(const SketchDocument *document)
{
    QStringList names;
    for (const SketchLayer *layer : document->layers())
        names.append(layer->name());
    return names;
}

QStringList rowTexts(const SkinGridView *grid)
{
    QStringList texts;
    for (int row = 0; row < grid->rowCount(); ++row)
        texts.append(grid->cellText(3, row));
    return texts;
}

} // namespace

class TestSketchLayerControl : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void showsTheTopLayerFirst();
    void dropReordersAsOneStep();
    void dropOntoItselfPushesNothing();
    void newLayerTakesTheFirstFreeName_data();
    void newLayerTakesTheFirstFreeName();
    void duplicateMovesTheSelectionToTheCopy();
    void deleteKeepsTheLastLayer();
    void deleteRemovesTheSelectedLayer();
    void renames_data();
    void renames();
    void eyeHidesWithoutACommand();
    void lockDeselectsAndStopsTheTools();
    void choosingARowMakesItsLayerCurrent();
    void rebuildsLeaveTheToolAlone();
    void repairsADocumentWithoutLayers();
    void forgetsAViewThatIsGone();
    void menuStates();
    void openingTheMenuDropsAnEdit();
    void themeColours_data();
    void themeColours();
    void paintsIconsAndThumbnail();
    void thumbnailIsTheLayersFittedPaint_data();
    void thumbnailIsTheLayersFittedPaint();
    void thumbnailsWaitForThePaintInProgress();
    void thumbnailKeptUntilItsShapesChange_data();
    void thumbnailKeptUntilItsShapesChange();
    void anEditPaintsItsRunAgainOnly();
    void realDragReorders();

private:
    SketchDocument *document() const { return m_view->document(); }
    SkinGridView *grid() const { return m_panel->grid(); }
    // The document's layers named so, bottom first, the top one current.
    void setLayers(const QStringList &names);
    // A drop of the row onto the row as the grid hands it to the panel.
    void dropRow(int from, int to);
    void pressCell(int column, int row);
    SketchLayer *layer(int index) const { return document()->layers().at(index); }
    SketchLayerThumbnails *thumbnails() const { return m_panel->thumbnails(); }
    // The panel shown, its thumbnails made and painted.
    void showWithThumbnails();
    // The panel repainted and every thumbnail it asked for made.
    void repaintPanel();

    SketchDocumentView *m_view = nullptr;
    SketchLayerControl *m_panel = nullptr;
};

void TestSketchLayerControl::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    qRegisterMetaType<SkinGridCell *>("SkinGridCell*");
    setSkinThemeStyle(Black);
}

void TestSketchLayerControl::init()
{
    m_view = new SketchDocumentView;
    m_view->resize(400, 300);
    m_panel = new SketchLayerControl;
    m_panel->resize(188, 200);
    // As the main window does: layer commands rebuild the panel.
    connect(m_view, &SketchView::sketchChanged, m_panel, [this] {
        const SketchCommand *last = m_view->commandManager()->lastCommand();
        if (last && last->isLayerCommand())
            m_panel->refreshLayers();
    });
    m_panel->setDocumentView(m_view);
}

void TestSketchLayerControl::cleanup()
{
    delete m_panel;
    m_panel = nullptr;
    delete m_view;
    m_view = nullptr;
}

void TestSketchLayerControl::setLayers(const QStringList &names)
{
    document()->clearLayers();
    for (const QString &name : names)
        document()->layers().append(new SketchLayer(document(), name));
    m_view->setCurrentLayer(document()->layers().last(), false);
    m_panel->refreshLayers();
}

void TestSketchLayerControl::dropRow(int from, int to)
{
    grid()->setDragging(true);
    grid()->setDragColumn(3);
    grid()->setDragRow(from);
    grid()->setDropColumn(0);
    grid()->setDropRow(to);
    grid()->itemDelegate()->dropCell(grid(), 0, to, true);
}

void TestSketchLayerControl::showWithThumbnails()
{
    m_panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_panel));
    repaintPanel();
}

void TestSketchLayerControl::repaintPanel()
{
    grid()->repaint();
    QTRY_VERIFY(!thumbnails()->hasWanted());
    QCoreApplication::processEvents();
}

void TestSketchLayerControl::pressCell(int column, int row)
{
    const QPoint centre = grid()->cellRect(column, row).center();
    pressAt(grid(), centre);
    releaseAt(grid(), centre);
}

// --- Order ------------------------------------------------------------------------

void TestSketchLayerControl::showsTheTopLayerFirst()
{
    setLayers({"Back", "Middle", "Front"});
    QCOMPARE(rowTexts(grid()), QStringList({"Front", "Middle", "Back"}));
    QCOMPARE(grid()->columnCount(), 4);
    for (int row = 0; row < 3; ++row) {
        QCOMPARE(grid()->rows().at(row)->data(), layer(2 - row));
        QCOMPARE(grid()->rows().at(row)->height(), 22);
        for (int column = 0; column < 3; ++column) {
            QVERIFY(grid()->cell(column, row)->isReadOnly());
            QVERIFY(!grid()->cell(column, row)->isDragEnabled());
        }
        QVERIFY(grid()->cell(3, row)->isDragEnabled());
        QVERIFY(!grid()->cell(3, row)->isReadOnly());
    }
    QCOMPARE(grid()->cell(0, 0)->toolTip(), QString("Visible"));
    QCOMPARE(grid()->cell(1, 0)->toolTip(), QString("Lock"));
    QCOMPARE(grid()->cell(2, 0)->toolTip(), QString("Thumbnail"));
    // The current layer is the one selected row.
    QCOMPARE(grid()->selection()->selectedRows(), QList<SkinGridRow *>{grid()->rows().at(0)});
    m_view->setCurrentLayer(layer(0), false);
    m_panel->refreshLayers();
    QCOMPARE(grid()->selection()->anchorGridRow(), grid()->rows().at(2));
    QCOMPARE(m_panel->selectedLayer(), layer(0));
}

void TestSketchLayerControl::dropReordersAsOneStep()
{
    setLayers({"Back", "Middle", "Front"});
    SketchLayer *back = layer(0);
    dropRow(2, 0);
    QCOMPARE(layerNames(document()), QStringList({"Middle", "Front", "Back"}));
    QCOMPARE(rowTexts(grid()), QStringList({"Back", "Front", "Middle"}));
    QCOMPARE(grid()->rows().at(0)->data(), back);
    QCOMPARE(undoTexts(m_view), QString("dragDropLayer"));

    undoOnce(m_view);
    QCOMPARE(layerNames(document()), QStringList({"Back", "Middle", "Front"}));
    QCOMPARE(rowTexts(grid()), QStringList({"Front", "Middle", "Back"}));
}

void TestSketchLayerControl::dropOntoItselfPushesNothing()
{
    setLayers({"Back", "Front"});
    dropRow(1, 1);
    QCOMPARE(undoTexts(m_view), QString());
    QCOMPARE(layerNames(document()), QStringList({"Back", "Front"}));
}

// --- New, duplicate, delete ----------------------------------------------------------

void TestSketchLayerControl::newLayerTakesTheFirstFreeName_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("expected");
    QTest::newRow("a gap") << QStringList({"Layer1", "Layer3"}) << "Layer2";
    QTest::newRow("case counts") << QStringList({"layer1"}) << "Layer1";
    QTest::newRow("after a run") << QStringList({"Layer2", "Layer1"}) << "Layer3";
    QTest::newRow("other names") << QStringList({"Sky", "Layer 1"}) << "Layer1";
}

void TestSketchLayerControl::newLayerTakesTheFirstFreeName()
{
    QFETCH(QStringList, names);
    QFETCH(QString, expected);
    setLayers(names);
    m_view->setCurrentLayer(layer(0), false);
    m_panel->newLayer();
    QCOMPARE(document()->layers().size(), names.size() + 1);
    QCOMPARE(document()->layers().last()->name(), expected);
    QCOMPARE(m_view->currentLayer(), document()->layers().last());
    QCOMPARE(grid()->cellText(3, 0), expected);
    QCOMPARE(grid()->selection()->anchorGridRow(), grid()->rows().at(0));
    QCOMPARE(undoTexts(m_view), QString("newLayer"));
    undoOnce(m_view);
    QCOMPARE(layerNames(document()), names);
    QCOMPARE(grid()->rowCount(), names.size());
}

void TestSketchLayerControl::duplicateMovesTheSelectionToTheCopy()
{
    setLayers({"Ground", "Sky"});
    SketchLayer *sky = layer(1);
    SketchShape *sun = addBox(sky, 10, 10, 20, 20, Qt::yellow);
    SketchShape *cloud = addBox(sky, 50, 10, 30, 10, Qt::white);
    selectShape(sun);
    sky->setLocked(true);
    m_panel->duplicateLayer();

    QCOMPARE(layerNames(document()), QStringList({"Ground", "Sky", "Sky_Copy"}));
    SketchLayer *copy = layer(2);
    QCOMPARE(m_view->currentLayer(), copy);
    QCOMPARE(grid()->cellText(3, 0), QString("Sky_Copy"));
    QCOMPARE(grid()->selection()->anchorGridRow()->data(), copy);
    QVERIFY(copy->isLocked() && copy->isVisible());
    QCOMPARE(copy->shapes().size(), 2);
    QVERIFY(copy->shapes().at(0)->isSelected());
    QVERIFY(!copy->shapes().at(1)->isSelected());
    QVERIFY(!sun->isSelected() && !cloud->isSelected());
    QCOMPARE(sun->activeHandle(), int(SketchHandleNone));
    QCOMPARE(undoTexts(m_view), QString("duplicateLayer"));
}

void TestSketchLayerControl::deleteKeepsTheLastLayer()
{
    setLayers({"Only"});
    SketchLayer *only = layer(0);
    QVERIFY(!m_panel->canDeleteLayers());
    m_panel->deleteLayer();
    QCOMPARE(document()->layers(), QList<SketchLayer *>{only});
    QCOMPARE(undoTexts(m_view), QString());
    QVERIFY(!m_view->isModified());
}

void TestSketchLayerControl::deleteRemovesTheSelectedLayer()
{
    setLayers({"Back", "Middle", "Front"});
    grid()->selection()->selectRow(1, false);
    QCOMPARE(m_view->currentLayer(), layer(1));
    m_panel->deleteLayer();
    QCOMPARE(layerNames(document()), QStringList({"Back", "Front"}));
    // The topmost layer left takes over.
    QCOMPARE(m_view->currentLayer(), layer(1));
    QCOMPARE(grid()->selection()->anchorGridRow(), grid()->rows().at(0));
    QCOMPARE(undoTexts(m_view), QString("deleteLayer"));
    undoOnce(m_view);
    QCOMPARE(layerNames(document()), QStringList({"Back", "Middle", "Front"}));
}

// --- Rename -----------------------------------------------------------------------------

void TestSketchLayerControl::renames_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("history");
    QTest::newRow("trimmed") << "  Sky  " << "Sky" << "renameLayer";
    QTest::newRow("spaces only") << "   " << "untitled" << "renameLayer";
    QTest::newRow("the same name") << "Front" << "Front" << "";
    QTest::newRow("the same after trimming") << " Front\t" << "Front" << "";
    QTest::newRow("another layer's name") << "Back" << "Back" << "renameLayer";
}

void TestSketchLayerControl::renames()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(QString, history);
    setLayers({"Back", "Front"});
    m_panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_panel));
    doubleClickAt(grid(), grid()->cellRect(3, 0).center());
    QLineEdit *editor = grid()->cellEditor();
    QVERIFY(editor && editor->isVisible());
    editor->setText(typed);
    sendKey(editor, Qt::Key_Return);
    QCOMPARE(layer(1)->name(), stored);
    QCOMPARE(undoTexts(m_view), history);
    QCOMPARE(grid()->cellText(3, 0), stored);
    if (!history.isEmpty()) {
        undoOnce(m_view);
        QCOMPARE(layer(1)->name(), QString("Front"));
        QCOMPARE(grid()->cellText(3, 0), QString("Front"));
    }
}

// --- Eye and lock -----------------------------------------------------------------------

void TestSketchLayerControl::eyeHidesWithoutACommand()
{
    setLayers({"Back", "Front"});
    m_panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_panel));
    SketchShape *shape = addBox(layer(0), 10, 10, 20, 20, Qt::red);
    selectShape(shape);
    QSignalSpy changes(m_view, SIGNAL(sketchChanged()));
    pressCell(0, 1);
    QVERIFY(!layer(0)->isVisible());
    QVERIFY(m_view->isModified());
    QCOMPARE(changes.count(), 1);
    QCOMPARE(undoTexts(m_view), QString());
    // The row of the current layer stays the selected one, and hiding
    // leaves the selection of the shapes as it was.
    QCOMPARE(grid()->selection()->anchorGridRow(), grid()->rows().at(0));
    QCOMPARE(m_view->currentLayer(), layer(1));
    QVERIFY(shape->isSelected());
    pressCell(0, 1);
    QVERIFY(layer(0)->isVisible());
    QCOMPARE(undoTexts(m_view), QString());
}

void TestSketchLayerControl::lockDeselectsAndStopsTheTools()
{
    setLayers({"Back", "Front"});
    m_panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_panel));
    SketchShape *a = addBox(layer(1), 10, 10, 20, 20, Qt::red);
    SketchShape *b = addBox(layer(1), 40, 10, 20, 20, Qt::blue);
    selectShape(a);
    m_view->setCurrentTool(SketchToolTypeRect, false);
    QSignalSpy selection(m_view, SIGNAL(selectionChanged()));
    QSignalSpy tools(m_view, SIGNAL(actionChanged()));

    pressCell(1, 0);
    QVERIFY(layer(1)->isLocked());
    QVERIFY(!a->isSelected() && !b->isSelected());
    QCOMPARE(a->activeHandle(), int(SketchHandleNone));
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeNone));
    QCOMPARE(tools.count(), 1);
    QCOMPARE(selection.count(), 1);
    QVERIFY(m_view->isModified());
    QCOMPARE(undoTexts(m_view), QString());

    m_view->setModified(false);
    pressCell(1, 0);
    QVERIFY(!layer(1)->isLocked());
    QVERIFY(!a->isSelected());
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeSelect));
    QVERIFY(m_view->isModified());
    QCOMPARE(undoTexts(m_view), QString());
}

// --- What changes the current layer and the tool ---------------------------------------

void TestSketchLayerControl::choosingARowMakesItsLayerCurrent()
{
    setLayers({"Back", "Front"});
    m_panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_panel));
    m_view->setCurrentTool(SketchToolTypeRect, false);
    QSignalSpy currentLayer(m_view, SIGNAL(currentLayerChanged()));
    pressCell(3, 1);
    QCOMPARE(m_view->currentLayer(), layer(0));
    QCOMPARE(currentLayer.count(), 0);
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeSelect));
    // Onto a locked layer: no tool.
    layer(1)->setLocked(true);
    pressCell(2, 0);
    QCOMPARE(m_view->currentLayer(), layer(1));
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeNone));
}

// A tab switch rebuilds the panel: the tab's tool stays what it was.
void TestSketchLayerControl::rebuildsLeaveTheToolAlone()
{
    setLayers({"Back", "Front"});
    layer(1)->setLocked(true);
    m_view->setCurrentTool(SketchToolTypeRect, false);
    QSignalSpy tools(m_view, SIGNAL(actionChanging()));
    m_panel->refreshLayers();
    m_panel->setDocumentView(nullptr);
    QCOMPARE(grid()->rowCount(), 0);
    m_panel->setDocumentView(m_view);
    m_panel->newLayer();
    QCOMPARE(m_view->currentToolType(), int(SketchToolTypeRect));
    QCOMPARE(tools.count(), 0);
}

void TestSketchLayerControl::repairsADocumentWithoutLayers()
{
    document()->clearLayers();
    m_view->setCurrentLayer(nullptr, false);
    m_panel->refreshLayers();
    QCOMPARE(layerNames(document()), QStringList({"Layer1"}));
    QCOMPARE(m_view->currentLayer(), layer(0));
    QCOMPARE(rowTexts(grid()), QStringList({"Layer1"}));
    QCOMPARE(undoTexts(m_view), QString());
    QVERIFY(!m_view->isModified());
}

void TestSketchLayerControl::forgetsAViewThatIsGone()
{
    delete m_view;
    m_view = nullptr;
    QVERIFY(!m_panel->documentView());
    m_panel->refreshLayers();
    m_panel->newLayer();
    m_panel->contextMenuOpening();
    QCOMPARE(grid()->rowCount(), 0);
    QVERIFY(!m_panel->actionNew()->isEnabled());
}

// --- Menu ----------------------------------------------------------------------------

void TestSketchLayerControl::menuStates()
{
    setLayers({"Only"});
    m_panel->contextMenuOpening();
    QVERIFY(m_panel->actionNew()->isEnabled());
    QVERIFY(!m_panel->actionDelete()->isEnabled());
    QVERIFY(m_panel->actionDuplicate()->isEnabled());
    setLayers({"Back", "Front"});
    m_panel->contextMenuOpening();
    QVERIFY(m_panel->actionDelete()->isEnabled());
    m_panel->setDocumentView(nullptr);
    m_panel->contextMenuOpening();
    QVERIFY(!m_panel->actionNew()->isEnabled());
    QVERIFY(!m_panel->actionDelete()->isEnabled());
    QVERIFY(!m_panel->actionDuplicate()->isEnabled());
    QCOMPARE(m_panel->contextMenu()->actions().size(), 3);
    QCOMPARE(m_panel->contextMenu()->actions().at(0)->text(), QString("New"));
    QCOMPARE(m_panel->contextMenu()->actions().at(1)->text(), QString("Delete"));
    QCOMPARE(m_panel->contextMenu()->actions().at(2)->text(), QString("Duplicate"));
    QCOMPARE(grid()->contextMenu(), m_panel->contextMenu());
}

void TestSketchLayerControl::openingTheMenuDropsAnEdit()
{
    setLayers({"Front"});
    m_panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_panel));
    grid()->editCell(3, 0);
    QVERIFY(grid()->cellEditor()->isVisible());
    grid()->cellEditor()->setText("Changed");
    m_panel->contextMenuOpening();
    QVERIFY(!grid()->cellEditor()->isVisible());
    QCOMPARE(layer(0)->name(), QString("Front"));
    QCOMPARE(undoTexts(m_view), QString());
}

// --- Painting ----------------------------------------------------------------------------

void TestSketchLayerControl::themeColours_data()
{
    QTest::addColumn<int>("theme");
    QTest::addColumn<QColor>("lines");
    QTest::addColumn<QColor>("background");
    QTest::addColumn<QColor>("current");
    QTest::addColumn<QColor>("rows");
    QTest::newRow("Black") << int(Black) << QColor(30, 30, 30) << QColor(72, 72, 72) << QColor(91, 101, 116)
                           << QColor(76, 76, 76);
    QTest::newRow("Gray") << int(Gray) << QColor(139, 139, 139) << QColor(243, 243, 243) << QColor(220, 220, 220)
                          << QColor(240, 240, 240);
    QTest::newRow("Blue") << int(Blue) << QColor(139, 160, 188) << QColor(222, 232, 244) << QColor(175, 200, 228)
                          << QColor(224, 237, 250);
    QTest::newRow("Olive") << int(Olive) << QColor(117, 141, 97) << QColor(217, 217, 169) << QColor(255, 242, 200)
                           << QColor(216, 227, 182);
}

void TestSketchLayerControl::themeColours()
{
    QFETCH(int, theme);
    QFETCH(QColor, lines);
    QFETCH(QColor, background);
    QFETCH(QColor, current);
    QFETCH(QColor, rows);
    setLayers({"Back", "Front"});
    setSkinThemeStyle(SkinThemeStyle(theme));
    m_panel->useThemeStyle();
    setSkinThemeStyle(Black);
    QCOMPARE(grid()->gridLineColor(), lines);
    QCOMPARE(grid()->backgroundColor(), background);
    QCOMPARE(grid()->selectionColor(), current);
    for (const SkinGridRow *row : grid()->rows())
        QCOMPARE(row->backgroundColor(), rows);
    // Names made in another theme are written in this one's text colour.
    setSkinThemeStyle(SkinThemeStyle(theme));
    const QColor text = skinTextColor;
    setSkinThemeStyle(Black);
    QCOMPARE(grid()->cell(3, 0)->textColor(), text);
}

// The eye and the lock where the flags are set, and the thumbnail: a white
// box in the grid-line colour with the layer's shapes scaled into its inner
// 12 pixels, as the layer renders them itself.
void TestSketchLayerControl::paintsIconsAndThumbnail()
{
    setLayers({"Back", "Front"});
    layer(0)->setLocked(true);
    layer(0)->setVisible(false);
    // Twice as wide as high: the whole inner width, half its height.
    addBox(layer(1), 100, 100, 200, 100, Qt::red);
    showWithThumbnails();
    const QImage shot = grid()->grab().toImage();

    const QRect eyeCell = grid()->cellRect(0, 0);
    const QRect hiddenEye = grid()->cellRect(0, 1);
    const QRect lockCell = grid()->cellRect(1, 1);
    const QRect noLock = grid()->cellRect(1, 0);
    const QColor icon(180, 180, 180);
    QVERIFY(hasColorNear(shot, eyeCell.center(), 3, icon));
    QVERIFY(!hasColorNear(shot, hiddenEye.center(), 4, icon));
    QVERIFY(hasColorNear(shot, lockCell.center(), 4, icon));
    QVERIFY(!hasColorNear(shot, noLock.center(), 4, icon));

    // The panel's thumbnail against the layer rendered on its own, brought
    // to the same 12 x 6 pixels.
    const QRect box = grid()->cellRect(2, 0).adjusted(2, 2, -2, -2);
    QVERIFY(sameColor(shot, box.left(), box.top(), QColor(30, 30, 30), 2));
    QVERIFY(sameColor(shot, box.left() + 9, box.top(), QColor(30, 30, 30), 2));
    const QRect inner(box.left() + 3, box.top() + 6, 12, 6);
    const QImage rendered = m_view->renderLayerToPixmap(1, false, "PNG")
                                .toImage()
                                .copy(100, 100, 201, 101)
                                .scaled(inner.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QCOMPARE(differingPixels(shot.copy(inner.adjusted(1, 1, -1, -1)), rendered.copy(1, 1, 10, 4), 40), 0);
    // Above and below the shapes the box stays white.
    QVERIFY(sameColor(shot, box.left() + 9, box.top() + 3, Qt::white, 2));
    QVERIFY(sameColor(shot, box.left() + 9, box.bottom() - 3, Qt::white, 2));
    // An empty layer shows only the white box.
    const QRect emptyBox = grid()->cellRect(2, 1).adjusted(2, 2, -2, -2);
    QCOMPARE(inkedPixels(shot.copy(emptyBox.adjusted(1, 1, -1, -1)), qRgb(255, 255, 255)), 0);
}

void TestSketchLayerControl::thumbnailIsTheLayersFittedPaint_data()
{
    QTest::addColumn<int>("shapes");
    QTest::addColumn<int>("tolerance");
    // One run of shapes: the same painting, placed through other sums.
    QTest::newRow("a few shapes") << 60 << 1;
    // Runs laid together round a channel by a level or two.
    QTest::newRow("a crowded layer") << 900 << 3;
}

// The kept picture shows what painting the layer's shapes fitted into the
// box shows, drawn where that painting would draw them.
void TestSketchLayerControl::thumbnailIsTheLayersFittedPaint()
{
    QFETCH(int, shapes);
    QFETCH(int, tolerance);
    crowdedpage::fill(document(), QSize(842, 595), shapes, 7);
    m_panel->refreshLayers();
    showWithThumbnails();
    const QImage shot = grid()->grab().toImage();

    const QRectF box = QRectF(grid()->cellRect(2, 0)).adjusted(2, 2, -2, -2);
    QImage painted(shot.size(), QImage::Format_ARGB32_Premultiplied);
    painted.fill(Qt::white);
    {
        QPainter painter(&painted);
        SketchMaterial::paintFitted(&painter, box, layer(0)->shapes());
    }
    const QRect inner = box.toAlignedRect().adjusted(1, 1, -1, -1);
    QVERIFY(inkedPixels(shot.copy(inner), qRgb(255, 255, 255)) > 20);
    QCOMPARE(differingPixels(shot.copy(inner), painted.copy(inner), tolerance), 0);
}

// Painting the panel paints no shape: the thumbnail is made once the event
// loop is back, and the panel is repainted with it.
void TestSketchLayerControl::thumbnailsWaitForThePaintInProgress()
{
    setLayers({"Back", "Front"});
    // Shown and painted empty first: a widget not yet exposed paints nothing.
    m_panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_panel));
    QCoreApplication::processEvents();
    addBox(layer(0), 10, 10, 100, 100, Qt::red);
    addBox(layer(1), 10, 10, 100, 100, Qt::blue);
    grid()->repaint();
    QCOMPARE(thumbnails()->paintedShapeCount(), qint64(0));
    QVERIFY(thumbnails()->hasWanted());
    const QRect box = grid()->cellRect(2, 0).adjusted(3, 3, -3, -3);
    QCOMPARE(inkedPixels(grid()->grab().toImage().copy(box), qRgb(255, 255, 255)), 0);
    QTRY_VERIFY(!thumbnails()->hasWanted());
    QCOMPARE(thumbnails()->paintedShapeCount(), qint64(2));
    QTRY_VERIFY(inkedPixels(grid()->grab().toImage().copy(box), qRgb(255, 255, 255)) > 20);
}

void TestSketchLayerControl::thumbnailKeptUntilItsShapesChange_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("paints");
    for (const char *action : {"the panel repainted", "a hover over the rows", "a click on the current row",
                               "a click on another row", "another document shown and this one again",
                               "another theme", "the eye toggled", "the lock toggled", "a rename",
                               "a shape selected"})
        QTest::newRow(action) << QString(action) << false;
    for (const char *action : {"an edit pushed", "its undo", "its redo", "a live change", "a live drag",
                               "a shape added", "the order changed"})
        QTest::newRow(action) << QString(action) << true;
}

// A repaint of the panel paints the shapes of a layer again only when they,
// their order or their look changed, live changes and undo included.
void TestSketchLayerControl::thumbnailKeptUntilItsShapesChange()
{
    QFETCH(QString, action);
    QFETCH(bool, paints);
    setLayers({"Back", "Front"});
    for (int i = 0; i < 6; ++i) {
        addBox(layer(0), 20 + 40 * i, 20, 30, 30, Qt::red);
        addBox(layer(1), 20 + 40 * i, 80, 30, 30, Qt::blue);
    }
    m_view->setCurrentTool(SketchToolTypeSelect, false);
    SketchShape *shape = layer(1)->shapes().at(2);
    showWithThumbnails();
    SketchDocumentView other;
    const qint64 before = thumbnails()->paintedShapeCount();
    QCOMPARE(before, qint64(12));

    const auto pushFill = [&](const QColor &colour) {
        auto *command = new SketchCommandUpdate(m_view, shape);
        shape->setFill(SkinBrush(colour));
        m_view->commandManager()->push(command, "changeFillBrush");
    };
    if (action == "a hover over the rows") {
        for (int row = 0; row < 2; ++row)
            hoverAt(grid(), grid()->cellRect(2, row).center());
    } else if (action == "a click on the current row") {
        pressCell(3, 0);
    } else if (action == "a click on another row") {
        pressCell(3, 1);
    } else if (action == "another document shown and this one again") {
        m_panel->setDocumentView(&other);
        repaintPanel();
        m_panel->setDocumentView(m_view);
    } else if (action == "another theme") {
        setSkinThemeStyle(Olive);
        m_panel->useThemeStyle();
        setSkinThemeStyle(Black);
    } else if (action == "the eye toggled") {
        pressCell(0, 0);
    } else if (action == "the lock toggled") {
        pressCell(1, 0);
    } else if (action == "a rename") {
        m_view->commandManager()->push(new SketchCommandRename(m_view, layer(1), "Sky"), "renameLayer");
    } else if (action == "a shape selected") {
        shape->setSelected(true);
        m_view->onSelectionChanged();
    } else if (action == "an edit pushed") {
        pushFill(Qt::green);
    } else if (action == "its undo" || action == "its redo") {
        pushFill(Qt::green);
        repaintPanel();
        undoOnce(m_view);
        if (action == "its redo") {
            repaintPanel();
            m_view->commandManager()->redo();
        }
    } else if (action == "a live change") {
        shape->setOpacity(0.4f);
    } else if (action == "a live drag") {
        m_view->resize(400, 300);
        const QPointF centre = shape->mapToView(shape->boundingRect().center());
        pressAt(m_view, centre);
        moveTo(m_view, centre + QPointF(20, 10));
    } else if (action == "a shape added") {
        addBox(layer(1), 5, 5, 10, 10, Qt::black);
    } else if (action == "the order changed") {
        layer(1)->shapes().move(0, 3);
    }
    const qint64 afterAction = thumbnails()->paintedShapeCount();
    repaintPanel();
    const qint64 painted = thumbnails()->paintedShapeCount() - before;
    if (paints)
        QVERIFY2(painted > 0, "the thumbnail was not made anew");
    else
        QCOMPARE(painted, qint64(0));
    // Nothing is painted before the panel asks, and only the changed layer.
    const int rebuilds = action == "its undo" ? 2 : action == "its redo" ? 3 : 1;
    if (rebuilds == 1)
        QCOMPARE(afterAction, before);
    QVERIFY(painted <= rebuilds * 7);
    if (action == "a live drag")
        releaseAt(m_view, shape->mapToView(shape->boundingRect().center()));
}

// On a crowded layer an edit of one shape paints only the run of shapes it
// belongs to again, and the picture still equals one made whole.
void TestSketchLayerControl::anEditPaintsItsRunAgainOnly()
{
    crowdedpage::fill(document(), QSize(842, 595), 1500, 11);
    m_panel->refreshLayers();
    showWithThumbnails();
    const QList<SketchShape *> shapes = layer(0)->shapes();
    const qint64 whole = thumbnails()->paintedShapeCount();
    QCOMPARE(whole, qint64(shapes.size()));
    SketchShape *edited = shapes.at(shapes.size() / 2);
    edited->setFill(SkinBrush(QColor(Qt::black)));
    edited->setOpacity(0.5f);
    repaintPanel();
    const qint64 again = thumbnails()->paintedShapeCount() - whole;
    QVERIFY2(again > 0 && again <= 256, qPrintable(QString("%1 shapes painted again").arg(again)));

    const QImage shot = grid()->grab().toImage();
    SketchLayerControl fresh;
    fresh.resize(m_panel->size());
    fresh.setDocumentView(m_view);
    fresh.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fresh));
    fresh.grid()->repaint();
    QTRY_VERIFY(!fresh.thumbnails()->hasWanted());
    QCOMPARE(fresh.thumbnails()->paintedShapeCount(), qint64(shapes.size()));
    QTRY_COMPARE(differingPixels(fresh.grid()->grab().toImage().copy(grid()->cellRect(2, 0)),
                                 shot.copy(grid()->cellRect(2, 0)), 0),
                 0);
}

// A drag of Back's name onto Front's row, run by the window system.
void TestSketchLayerControl::realDragReorders()
{
    if (!onXServer()) {
        const XServerRun run = runUnderXServer("TestSketchLayerControl", "realDragReorders");
        if (run.skipped)
            QSKIP("no X server and no xvfb-run");
        QVERIFY2(run.passed, qPrintable(run.output));
        return;
    }
    setLayers({"Back", "Middle", "Front"});
    m_panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_panel));
    const QPoint start = grid()->cellRect(3, 2).center();
    const QPoint target = grid()->cellRect(1, 0).center();
    QString carried;
    QTimer::singleShot(300, grid(), [&] {
        if (QDrag *drag = grid()->findChild<QDrag *>())
            carried = drag->mimeData()->text();
        QWindow *window = m_panel->windowHandle();
        const QPoint at = grid()->mapTo(m_panel, target);
        QTest::mouseMove(window, at);
        QTest::mouseMove(window, at + QPoint(1, 0));
        QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, at);
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, [] { qFatal("the drag did not end"); });
    watchdog.start(20000);
    pressAt(grid(), start);
    moveTo(grid(), start + QPoint(5, 0));
    watchdog.stop();
    QCOMPARE(carried, QString("Back"));
    QCOMPARE(layerNames(document()), QStringList({"Middle", "Front", "Back"}));
    QCOMPARE(undoTexts(m_view), QString("dragDropLayer"));
}

QTEST_MAIN(TestSketchLayerControl)
#include "tst_sketchlayercontrol.moc"
