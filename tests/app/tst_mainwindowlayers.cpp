// The main window's layers panel and frames popup: the Layer menu on the
// current document, the panel following tabs, documents and undo, the eye
// and the lock marking the tab, and the popup going with the window.
#include "support/crowdedpage.h"
#include "support/history.h"
#include "support/input.h"
#include "support/paintcounter.h"

#include "app/mainwindow.h"
#include "app/sketchframeeditor.h"
#include "app/sketchframepopupwindow.h"
#include "app/sketchlayercontrol.h"
#include "app/sketchlayerthumbnails.h"
#include "commands/sketchcommandmanager.h"
#include "editor/sketchdocumentview.h"
#include "editor/sketchtool.h"
#include "model/sketchdocument.h"
#include "model/sketchlayer.h"
#include "skin/controls/skingridrow.h"
#include "skin/controls/skingridselection.h"
#include "skin/controls/skingridview.h"
#include "skin/windows/skingroupbox.h"
#include "skin/windows/skinmenu.h"
#include "windowfixture.h"

#include <QApplication>
#include <QPointer>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

using namespace windowfixture;

namespace {

// Notes how many shapes the layers panel had painted into thumbnails when
// the first document view to paint painted for the first time.
class FirstViewPaint : public QObject
{
public:
    explicit FirstViewPaint(const SketchLayerControl *panel)
        : m_panel(panel)
    {
        qApp->installEventFilter(this);
    }
    qint64 thumbnailShapes = -1;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && thumbnailShapes < 0 && qobject_cast<SketchDocumentView *>(watched))
            thumbnailShapes = m_panel->thumbnails()->paintedShapeCount();
        return false;
    }

private:
    const SketchLayerControl *m_panel;
};

QStringList layerNames(const SketchDocumentView *view)
{
    QStringList names;
    for (const SketchLayer *layer : view->document()->layers())
        names.append(layer->name());
    return names;
}

} // namespace

class TestMainWindowLayers : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void sitsInTheLayersSection();
    void frameButtonOpensUnderTheShapeSection();
    void layerMenuWithoutADocumentDoesNothing();
    void layerMenuActsOnTheCurrentDocument();
    void deleteKeepsTheLastLayer();
    void undoRebuildsThePanel();
    void eyeAndLockMarkTheTab();
    void followsTheCurrentTab();
    void tabSwitchesKeepEachTabsTool();
    void framePopupGoesWithTheWindow();
    void aCrowdedPageIsPaintedBeforeItsThumbnail();
    void aClickOnTheCurrentRowRepaintsNoPage_data();
    void aClickOnTheCurrentRowRepaintsNoPage();

private:
    SketchLayerControl *panel() const { return m_window->findChild<SketchLayerControl *>("layerControl"); }
    QStringList rows() const
    {
        QStringList texts;
        for (int row = 0; row < panel()->grid()->rowCount(); ++row)
            texts.append(panel()->grid()->cellText(3, row));
        return texts;
    }
    void pressCell(int column, int row)
    {
        SkinGridView *grid = panel()->grid();
        const QPoint centre = grid->cellRect(column, row).center();
        pressAt(grid, centre);
        releaseAt(grid, centre);
    }
    void trigger(const char *name) { action(*m_window, name)->trigger(); }

    Home m_home;
    MainWindow *m_window = nullptr;
};

void TestMainWindowLayers::initTestCase()
{
    QVERIFY(m_home.install());
}

void TestMainWindowLayers::init()
{
    m_window = new MainWindow;
    m_window->show();
    QVERIFY(panel());
}

void TestMainWindowLayers::cleanup()
{
    delete m_window;
    m_window = nullptr;
}

void TestMainWindowLayers::sitsInTheLayersSection()
{
    auto *section = m_window->findChild<SkinGroupBox *>("groupLayers");
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    QCOMPARE(panel()->parentWidget(), section);
    QVERIFY(panel()->isVisible());
    QCOMPARE(panel()->geometry(), QRect(0, section->titleHeight() - 2, section->width(),
                                        section->height() - section->titleHeight() + 2));
    // The grid fills the panel, its name column the width left of the icons.
    QCOMPARE(panel()->grid()->geometry(), QRect(QPoint(0, 0), panel()->size()));
    QVERIFY(section->contextButton()->isVisible());
    QCOMPARE(section->contextMenu(), panel()->contextMenu());
}

void TestMainWindowLayers::frameButtonOpensUnderTheShapeSection()
{
    auto *button = m_window->findChild<SketchFrameEditor *>("frameEditor");
    QVERIFY(button);
    QCOMPARE(button->parentWidget(), m_window->findChild<SkinGroupBox *>("groupShape"));
    QCOMPARE(button->popupRect(), QRect(QPoint(-67, 0), QPoint(120, 194)));
    QVERIFY(button->isHidden());
    QVERIFY(!button->shape());
}

void TestMainWindowLayers::layerMenuWithoutADocumentDoesNothing()
{
    trigger("actionNewLayer");
    trigger("actionDeleteLayer");
    trigger("actionDuplicateLayer");
    QVERIFY(!panel()->documentView());
    QCOMPARE(panel()->grid()->rowCount(), 0);
}

void TestMainWindowLayers::layerMenuActsOnTheCurrentDocument()
{
    m_window->newFile();
    SketchDocumentView *view = m_window->currentDocumentView();
    QCOMPARE(panel()->documentView(), view);
    QCOMPARE(rows(), QStringList({"Layer1"}));
    QVERIFY(!tabTexts(*m_window).first().endsWith(" *"));

    trigger("actionNewLayer");
    QCOMPARE(layerNames(view), QStringList({"Layer1", "Layer2"}));
    QCOMPARE(rows(), QStringList({"Layer2", "Layer1"}));
    QCOMPARE(view->currentLayer(), view->document()->layers().last());
    QVERIFY(tabTexts(*m_window).first().endsWith(" *"));

    trigger("actionDuplicateLayer");
    QCOMPARE(layerNames(view), QStringList({"Layer1", "Layer2", "Layer2_Copy"}));
    QCOMPARE(rows().first(), QString("Layer2_Copy"));

    trigger("actionDeleteLayer");
    QCOMPARE(layerNames(view), QStringList({"Layer1", "Layer2"}));
    QCOMPARE(undoTexts(view), QString("newLayer,duplicateLayer,deleteLayer"));
}

// The Layer menu reaches the same rule as the panel's menu: the last layer
// stays, and no "Layer1" appears outside the history.
void TestMainWindowLayers::deleteKeepsTheLastLayer()
{
    m_window->newFile();
    SketchDocumentView *view = m_window->currentDocumentView();
    SketchLayer *only = view->document()->layers().first();
    trigger("actionDeleteLayer");
    QCOMPARE(view->document()->layers(), QList<SketchLayer *>{only});
    QCOMPARE(undoTexts(view), QString());
    QVERIFY(!view->isModified());
}

void TestMainWindowLayers::undoRebuildsThePanel()
{
    m_window->newFile();
    SketchDocumentView *view = m_window->currentDocumentView();
    trigger("actionNewLayer");
    QCOMPARE(rows().size(), 2);
    undoOnce(view);
    QCOMPARE(rows(), QStringList({"Layer1"}));
    view->commandManager()->redo();
    QCOMPARE(rows(), QStringList({"Layer2", "Layer1"}));
}

// The flags are saved with the document: a flip is a change to save.
void TestMainWindowLayers::eyeAndLockMarkTheTab()
{
    m_window->newFile();
    SketchDocumentView *view = m_window->currentDocumentView();
    SketchLayer *layer = view->document()->layers().first();
    pressCell(1, 0);
    QVERIFY(layer->isLocked());
    QCOMPARE(view->currentToolType(), int(SketchToolTypeNone));
    QVERIFY(tabTexts(*m_window).first().endsWith(" *"));
    QCOMPARE(undoTexts(view), QString());

    view->setModified(false);
    m_window->sketchViewChanged();
    QVERIFY(!tabTexts(*m_window).first().endsWith(" *"));
    pressCell(1, 0);
    QVERIFY(!layer->isLocked());
    QCOMPARE(view->currentToolType(), int(SketchToolTypeSelect));
    QVERIFY(tabTexts(*m_window).first().endsWith(" *"));

    view->setModified(false);
    pressCell(0, 0);
    QVERIFY(!layer->isVisible());
    QVERIFY(tabTexts(*m_window).first().endsWith(" *"));
    QCOMPARE(undoTexts(view), QString());

    // After a layer command the change rebuilds the panel inside the press.
    trigger("actionNewLayer");
    SketchLayer *top = view->document()->layers().last();
    pressCell(1, 0);
    QVERIFY(top->isLocked());
    QCOMPARE(rows(), QStringList({"Layer2", "Layer1"}));
    QCOMPARE(panel()->grid()->selection()->anchorGridRow()->data(), top);
    QCOMPARE(view->currentToolType(), int(SketchToolTypeNone));
}

void TestMainWindowLayers::followsTheCurrentTab()
{
    m_window->newFile();
    SketchDocumentView *first = m_window->currentDocumentView();
    trigger("actionNewLayer");
    m_window->newFile();
    SketchDocumentView *second = m_window->currentDocumentView();
    QCOMPARE(panel()->documentView(), second);
    QCOMPARE(rows(), QStringList({"Layer1"}));

    tabs(*m_window)->setCurrentIndex(0);
    emit tabs(*m_window)->selectedIndexChanged();
    QCOMPARE(panel()->documentView(), first);
    QCOMPARE(rows(), QStringList({"Layer2", "Layer1"}));
    // Its current layer is the selected row.
    first->setCurrentLayer(first->document()->layers().first(), true);
    QCOMPARE(panel()->grid()->selection()->anchorGridRow(), panel()->grid()->rows().at(1));

    tabs(*m_window)->removePage(1);
    tabs(*m_window)->removePage(0);
    QVERIFY(!panel()->documentView());
    QCOMPARE(panel()->grid()->rowCount(), 0);
}

// A rebuild is no choice of the user's: each tab keeps its own tool.
void TestMainWindowLayers::tabSwitchesKeepEachTabsTool()
{
    m_window->newFile();
    SketchDocumentView *first = m_window->currentDocumentView();
    first->setCurrentTool(SketchToolTypeRect, true);
    m_window->newFile();
    SketchDocumentView *second = m_window->currentDocumentView();
    second->setCurrentTool(SketchToolTypeEllipse, true);

    tabs(*m_window)->setCurrentIndex(0);
    emit tabs(*m_window)->selectedIndexChanged();
    QCOMPARE(first->currentToolType(), int(SketchToolTypeRect));
    tabs(*m_window)->setCurrentIndex(1);
    emit tabs(*m_window)->selectedIndexChanged();
    QCOMPARE(second->currentToolType(), int(SketchToolTypeEllipse));
    QCOMPARE(first->currentToolType(), int(SketchToolTypeRect));
}

// The tool bar's popup has no parent widget; the window deletes it.
void TestMainWindowLayers::framePopupGoesWithTheWindow()
{
    QList<QPointer<QWidget>> popups;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == "popupWindow" && !widget->parentWidget())
            popups.append(widget);
    }
    QCOMPARE(popups.size(), 1);
    delete m_window;
    m_window = nullptr;
    QVERIFY(!popups.first());
}

// Opening a crowded page paints the page first and its thumbnail after;
// then selecting a shape, a click on the current layer's row and a tab
// switched away and back paint no shape into the panel, and an edit does.
void TestMainWindowLayers::aCrowdedPageIsPaintedBeforeItsThumbnail()
{
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    QTemporaryDir folder;
    const QString path = folder.filePath("crowded.slf");
    {
        SketchDocumentView source;
        crowdedpage::fill(source.document(), QSize(842, 595), 600, 3);
        QVERIFY(source.document()->saveToFile(path));
    }
    FirstViewPaint first(panel());
    m_window->openFiles({path});
    SketchDocumentView *view = m_window->currentDocumentView();
    QVERIFY(view);
    QTRY_VERIFY(first.thumbnailShapes >= 0);
    QCOMPARE(first.thumbnailShapes, qint64(0));
    SketchLayerThumbnails *thumbnails = panel()->thumbnails();
    QTRY_COMPARE(thumbnails->paintedShapeCount(), qint64(600));

    SketchShape *shape = view->currentLayer()->shapes().at(300);
    clickAt(view, shape->mapToView(shape->boundingRect().center()));
    pressCell(3, 0);
    m_window->newFile();
    QCOMPARE(panel()->documentView(), m_window->currentDocumentView());
    tabs(*m_window)->setCurrentIndex(0);
    emit tabs(*m_window)->selectedIndexChanged();
    QCOMPARE(panel()->documentView(), view);
    panel()->grid()->repaint();
    QTest::qWait(50);
    QCOMPARE(thumbnails->paintedShapeCount(), qint64(600));

    shape->setOpacity(0.2f);
    panel()->grid()->repaint();
    QTRY_VERIFY(thumbnails->paintedShapeCount() > 600);
}

void TestMainWindowLayers::aClickOnTheCurrentRowRepaintsNoPage_data()
{
    QTest::addColumn<int>("tool");
    QTest::addColumn<bool>("repaints");
    QTest::newRow("select tool: nothing changes") << int(SketchToolTypeSelect) << false;
    // The rectangle tool gives way to the select tool, whose look differs.
    QTest::newRow("rectangle tool: the tool changes") << int(SketchToolTypeRect) << true;
}

// The click makes the row's layer current and the select tool the view's
// tool, and gives the view the keyboard focus; when that changes nothing
// the view shows, the page is not repainted.
void TestMainWindowLayers::aClickOnTheCurrentRowRepaintsNoPage()
{
    QFETCH(int, tool);
    QFETCH(bool, repaints);
    m_window->newFile();
    SketchDocumentView *view = m_window->currentDocumentView();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    view->setCurrentTool(tool, true);
    panel()->grid()->setFocus();
    QTest::qWait(50);
    PaintCounter counter(view);
    pressCell(3, 0);
    QTest::qWait(50);
    QCOMPARE(view->currentToolType(), int(SketchToolTypeSelect));
    QCOMPARE(counter.count > 0, repaints);
}

QTEST_MAIN(TestMainWindowLayers)
#include "tst_mainwindowlayers.moc"
