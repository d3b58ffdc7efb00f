// The main window's action states, its tool slots and the edit and shape
// commands it hands to the current tab: which actions a tab offers, the
// Undo and Redo tips, a select-tool drag given back before a command changes
// the document under it, an unchanged in-place edit that costs no redo step,
// and a tab that is no document never reaching a document command.
//
// One window serves every test; each test leaves it without tabs.
#include "app/mainwindow.h"
#include "app/sketchframeeditor.h"
#include "commands/sketchcommandadd.h"
#include "editor/sketchdocumentview.h"
#include "editor/sketchtool.h"
#include "model/sketchdocument.h"
#include "model/sketchlayer.h"
#include "support/documents.h"
#include "support/history.h"
#include "support/input.h"
#include "support/shapes.h"
#include "skin/windows/skingroupbox.h"
#include "windowfixture.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMenu>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QtTest>

using namespace windowfixture;

namespace {

// Stands in for the online catalogue: a page that is a view but no
// document, and that counts as empty.
class CataloguePage : public SketchView
{
public:
    explicit CataloguePage(QWidget *parent)
        : SketchView(parent)
    {
    }
    bool isEmpty() const override { return true; }
};

// The actions that need a view or a document view; with no tab they are all
// disabled.
const char *const documentActions[] = {
    "actionSave", "actionSaveAs", "actionSaveAll", "actionExportToImage", "actionExportAllToImages",
    "actionExportToSliceImages", "actionPrint", "actionUndo", "actionRedo", "actionCut", "actionCopy",
    "actionPaste", "actionDelete", "actionEditText", "actionEditName", "actionSelectAll",
    "actionSelectAllOfCurrentLayer", "actionGroup", "actionUnGroup", "actionEditGroup", "actionLock",
    "actionUnLock", "actionCopyFormat", "actionPasteFormat", "actionInsertImage", "actionPaperSize",
    "actionNewLayer", "actionDeleteLayer", "actionDuplicateLayer", "actionGridLines",
    "actionBringForward", "actionSendBackward", "actionBringToFront", "actionSendToBack",
    "actionFlipHorizontal", "actionFlipVertical", "actionAlignLeft", "actionAlignTop",
    "actionAlignRight", "actionAlignBottom", "actionAlignCenter"};

// Of those, the ones a catalogue page leaves enabled.
const char *const pageActions[] = {"actionSave", "actionSaveAs", "actionSaveAll"};

bool listed(const char *name, std::initializer_list<const char *> names)
{
    for (const char *each : names) {
        if (qstrcmp(each, name) == 0)
            return true;
    }
    return false;
}

} // namespace

class TestMainWindowActions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();

    void leavesOnlyTheFileAndPanelActionsWithoutATab();
    void offersOnlyThePageActionsOnACatalogueTab();
    void followsTheDocumentsLayersSelectionAndSlices();
    void countsTheHistoryInTheUndoAndRedoTips();
    void selectsEachToolOnTheCurrentDocument_data();
    void selectsEachToolOnTheCurrentDocument();
    void resetsTheToolAfterUndoAndRedo();
    void undoCancelsAnotherToolInsteadOfTheHistory();
    void copiesAndPastesAFormatOnlyForTheRightSelection();
    void pastesOnceForEachPressAfterACopy_data();
    void pastesOnceForEachPressAfterACopy();
    void followsAClipboardWrittenElsewhere_data();
    void followsAClipboardWrittenElsewhere();
    void offersTheZOrderRightAfterTheClickThatChangesTheLayer();
    void checksTheButtonOfTheCurrentTabsTool();
    void checksNoButtonForAToolWithoutOne_data();
    void checksNoButtonForAToolWithoutOne();
    void restsOnTheSelectButtonWithoutADocument();
    void showsTheFaceRowWhileTheFrameEditorHoldsAShape();
    void givesADragBackBeforeACommandChangesTheDocument_data();
    void givesADragBackBeforeACommandChangesTheDocument();
    void redoAfterAnUnchangedEditRedoesTheEarlierStep_data();
    void redoAfterAnUnchangedEditRedoesTheEarlierStep();
    void keepsAChangedEditAsOneStep();
    void undoOverANewEmptyTextTakesOnlyItsBox();
    void neverHandsACataloguePageADocumentCommand();

private:
    SkinTabControl *tabControl() const { return tabs(*m_window); }
    QAction *windowAction(const char *name) const
    {
        QAction *found = action(*m_window, name);
        if (!found)
            qFatal("no action %s", name);
        return found;
    }
    QMenu *saveAsMaterialMenu() const
    {
        return m_window->findChild<QMenu *>(QStringLiteral("menuSaveAsMaterial"));
    }
    // A new document tab, laid out and current.
    SketchDocumentView *newDocument();
    CataloguePage *addCataloguePage();
    // The palette's tool ids whose button is checked.
    QList<int> checkedTools() const
    {
        QList<int> ids;
        for (int id : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 17, 18}) {
            if (m_window->toolButton(id)->isChecked())
                ids.append(id);
        }
        return ids;
    }
    // Shows the tab as a click on its header does.
    void clickTab(int index)
    {
        const QPoint header = tabControl()->tabRect(index).center();
        QTest::mouseClick(tabControl(), Qt::LeftButton, Qt::NoModifier, header);
    }
    // Widget position of a paper point of the view.
    static QPointF at(SketchDocumentView *view, qreal x, qreal y)
    {
        return view->mapFromDocument(QPointF(x, y));
    }

    Home m_home;
    QTemporaryDir m_files;
    MainWindow *m_window = nullptr;
};

void TestMainWindowActions::initTestCase()
{
    QVERIFY(m_home.install());
    QVERIFY(m_files.isValid());
    m_window = new MainWindow;
    m_window->show();
}

void TestMainWindowActions::cleanupTestCase()
{
    delete m_window;
    m_window = nullptr;
}

void TestMainWindowActions::cleanup()
{
    while (!tabControl()->pages().isEmpty())
        tabControl()->removePage(0);
    emit tabControl()->selectedIndexChanged();
    m_window->updateUIEnables();
    QApplication::clipboard()->clear();
}

SketchDocumentView *TestMainWindowActions::newDocument()
{
    m_window->newFile();
    SketchDocumentView *view = m_window->currentDocumentView();
    if (view)
        view->setFocus();
    return view;
}

CataloguePage *TestMainWindowActions::addCataloguePage()
{
    QWidget *page = tabControl()->addPage(QStringLiteral("catalogue"), true);
    auto *view = new CataloguePage(page);
    view->show();
    emit tabControl()->selectedIndexChanged();
    m_window->updateUIEnables();
    return view;
}

// --- Action states ---------------------------------------------------------------

void TestMainWindowActions::leavesOnlyTheFileAndPanelActionsWithoutATab()
{
    // Once as the window starts, once after the last tab has gone.
    for (int round = 0; round < 2; ++round) {
        for (const char *name : documentActions)
            QVERIFY2(!windowAction(name)->isEnabled(), name);
        for (const char *name : {"actionNewFile", "actionOpen", "actionMaterialPanel",
                                 "actionDesignPanel", "actionAutoSlices"})
            QVERIFY2(windowAction(name)->isEnabled(), name);
        QVERIFY(!windowAction("actionExportShapeToImage")->isVisible());
        QVERIFY(!windowAction("actionExportLayersToImage")->isVisible());
        QVERIFY(!saveAsMaterialMenu()->isEnabled());
        QVERIFY(!saveAsMaterialMenu()->menuAction()->isEnabled());

        SketchDocumentView *view = newDocument();
        addBox(view->layers().first(), 10, 10, 40, 40);
        m_window->updateUIEnables();
        QVERIFY(windowAction("actionPrint")->isEnabled());
        cleanup();
    }
}

void TestMainWindowActions::offersOnlyThePageActionsOnACatalogueTab()
{
    SketchDocumentView *document = newDocument();
    SketchShape *box = addBox(document->layers().first(), 10, 10, 40, 40);
    selectShape(box);
    addCataloguePage();
    QVERIFY(!m_window->currentDocumentView());

    for (const char *name : documentActions) {
        const bool wanted = listed(name, {"actionSave", "actionSaveAs", "actionSaveAll"});
        QVERIFY2(windowAction(name)->isEnabled() == wanted, name);
    }
    QVERIFY(!saveAsMaterialMenu()->isEnabled());
    QVERIFY(!windowAction("actionExportShapeToImage")->isVisible());

    // Export All follows any page with content, wherever it is. The menu
    // keeps it hidden, and a hidden action reads as disabled: shown for the
    // check.
    QAction *exportAll = windowAction("actionExportAllToImages");
    exportAll->setVisible(true);
    QVERIFY(exportAll->isEnabled());
    box->layer()->shapes().removeAll(box);
    delete box;
    m_window->updateUIEnables();
    QVERIFY(!exportAll->isEnabled());
    exportAll->setVisible(false);
    for (const char *name : pageActions)
        QVERIFY2(windowAction(name)->isEnabled(), name);
}

void TestMainWindowActions::followsTheDocumentsLayersSelectionAndSlices()
{
    SketchDocumentView *view = newDocument();
    SketchLayer *layer = view->layers().first();
    m_window->updateUIEnables();
    // An empty document: nothing to export, print or edit, yet the layer
    // and paper commands are there.
    for (const char *name : {"actionExportToImage", "actionPrint", "actionDeleteLayer",
                             "actionExportToSliceImages", "actionCut", "actionGroup"})
        QVERIFY2(!windowAction(name)->isEnabled(), name);
    for (const char *name : {"actionNewLayer", "actionDuplicateLayer", "actionPaperSize",
                             "actionGridLines", "actionSave"})
        QVERIFY2(windowAction(name)->isEnabled(), name);
    QVERIFY(!windowAction("actionExportLayersToImage")->isVisible());

    SketchShape *a = addBox(layer, 10, 10, 40, 40);
    SketchShape *b = addBox(layer, 100, 10, 40, 40);
    addBox(layer, 200, 10, 40, 40);
    view->document()->layers().append(new SketchLayer(view->document()));
    addSlice(view->document(), QRect(0, 0, 50, 50));
    m_window->updateUIEnables();
    QVERIFY(windowAction("actionDeleteLayer")->isEnabled());
    QVERIFY(windowAction("actionExportLayersToImage")->isVisible());
    QVERIFY(windowAction("actionExportToSliceImages")->isEnabled());
    QVERIFY(windowAction("actionPrint")->isEnabled());
    QVERIFY(!windowAction("actionExportShapeToImage")->isVisible());
    QVERIFY(!windowAction("actionCopy")->isEnabled());

    selectShape(a);
    selectShape(b);
    m_window->updateUIEnables();
    for (const char *name : {"actionCut", "actionCopy", "actionDelete", "actionGroup",
                             "actionLock", "actionFlipHorizontal", "actionAlignLeft",
                             "actionAlignCenter", "actionBringForward", "actionSendToBack"})
        QVERIFY2(windowAction(name)->isEnabled(), name);
    QVERIFY(windowAction("actionExportShapeToImage")->isVisible());
    QVERIFY(saveAsMaterialMenu()->isEnabled());
    QVERIFY(!windowAction("actionUnGroup")->isEnabled());
    QVERIFY(!windowAction("actionEditGroup")->isEnabled());
    QVERIFY(!windowAction("actionEditText")->isEnabled());

    // Edit Group follows UnGroup.
    m_window->group();
    QVERIFY(windowAction("actionUnGroup")->isEnabled());
    QVERIFY(windowAction("actionEditGroup")->isEnabled());
    QVERIFY(windowAction("actionEditText")->isEnabled());
    QVERIFY(!windowAction("actionGroup")->isEnabled());
}

void TestMainWindowActions::countsTheHistoryInTheUndoAndRedoTips()
{
    SketchDocumentView *view = newDocument();
    SketchShape *box = addBox(view->layers().first(), 10, 10, 40, 40);
    selectShape(box);
    m_window->updateUIEnables();
    QCOMPARE(windowAction("actionUndo")->toolTip(), QStringLiteral("Undo(0)"));
    QCOMPARE(windowAction("actionRedo")->toolTip(), QStringLiteral("Redo(0)"));

    m_window->flipHorizontal();
    m_window->flipVertical();
    m_window->lock();
    m_window->undo();
    QCOMPARE(windowAction("actionUndo")->toolTip(), QStringLiteral("Undo(2)"));
    QCOMPARE(windowAction("actionRedo")->toolTip(), QStringLiteral("Redo(1)"));
    QVERIFY(windowAction("actionUndo")->isEnabled());
    QVERIFY(windowAction("actionRedo")->isEnabled());

    // Without a view the tips say what they said last.
    cleanup();
    QCOMPARE(windowAction("actionUndo")->toolTip(), QStringLiteral("Undo(2)"));
    QCOMPARE(windowAction("actionRedo")->toolTip(), QStringLiteral("Redo(1)"));
    QVERIFY(!windowAction("actionUndo")->isEnabled());
}

// --- Tools -------------------------------------------------------------------------

void TestMainWindowActions::selectsEachToolOnTheCurrentDocument_data()
{
    QTest::addColumn<QByteArray>("slot");
    QTest::addColumn<int>("tool");
    // The slot resets the tool; not every tool forgets its press in its reset.
    QTest::addColumn<bool>("forgetsPress");
    const QList<QPair<const char *, int>> entries = {
        {"toolActionSelectChecked", SketchToolTypeSelect},
        {"toolActionPathChecked", SketchToolTypePath},
        {"toolActionRectChecked", SketchToolTypeRect},
        {"toolActionEllipseChecked", SketchToolTypeEllipse},
        {"toolActionBubbleChecked", SketchToolTypeBubble},
        {"toolActionTextChecked", SketchToolTypeText},
        {"toolActionPointChecked", SketchToolTypeCornerPoint},
        {"toolActionCurvePointChecked", SketchToolTypeSmoothPoint},
        {"toolActionCutoffChecked", SketchToolTypeCutoff},
        {"toolActionConnectChecked", SketchToolTypeConnect},
        {"toolActionRotateChecked", SketchToolTypeRotate},
        {"toolActionZoomInChecked", SketchToolTypeZoomIn},
        {"toolActionZoomOutChecked", SketchToolTypeZoomOut},
        {"toolActionSliceChecked", SketchToolTypeSlice},
        {"toolActionResizeChecked", SketchToolTypeResize},
        {"toolActionFrameChecked", SketchToolTypeFrame}};
    const QList<int> keepingPress = {SketchToolTypeText, SketchToolTypeConnect, SketchToolTypeRotate,
                                     SketchToolTypeSlice, SketchToolTypeResize};
    for (const auto &entry : entries)
        QTest::newRow(entry.first) << QByteArray(entry.first) << entry.second
                                   << !keepingPress.contains(entry.second);
}

void TestMainWindowActions::selectsEachToolOnTheCurrentDocument()
{
    QFETCH(QByteArray, slot);
    QFETCH(int, tool);
    QFETCH(bool, forgetsPress);

    // No document tab: nothing to change, nothing breaks.
    addCataloguePage();
    QVERIFY(QMetaObject::invokeMethod(m_window, slot.constData()));

    SketchDocumentView *other = newDocument();
    SketchDocumentView *view = newDocument();
    // A press recorded by the tool the slot leaves in force is forgotten.
    view->setCurrentTool(tool, false);
    view->currentTool()->setPressPos(QPointF(30, 40));
    view->setCurrentTool(SketchToolTypeNone, false);
    QSignalSpy changed(view, SIGNAL(actionChanged()));
    QVERIFY(QMetaObject::invokeMethod(m_window, slot.constData()));
    QCOMPARE(view->currentToolType(), tool);
    if (forgetsPress)
        QCOMPARE(view->currentTool()->pressPos(), QPointF());
    QCOMPARE(changed.count(), 1);
    QCOMPARE(other->currentToolType(), int(SketchToolTypeSelect));
}

void TestMainWindowActions::resetsTheToolAfterUndoAndRedo()
{
    SketchDocumentView *view = newDocument();
    SketchShape *box = addBox(view->layers().first(), 10, 10, 40, 40);
    selectShape(box);
    m_window->flipHorizontal();
    SketchTool *select = view->currentTool();
    for (bool forward : {false, true}) {
        select->setPressPos(QPointF(5, 6));
        select->setCurrentPos(QPointF(7, 8));
        forward ? m_window->redo() : m_window->undo();
        QCOMPARE(select->pressPos(), QPointF());
        QCOMPARE(select->currentPos(), QPointF());
    }
    QCOMPARE(undoTexts(view), QStringLiteral("flipHorizontalSelection"));
}

void TestMainWindowActions::undoCancelsAnotherToolInsteadOfTheHistory()
{
    SketchDocumentView *view = newDocument();
    SketchShape *box = addBox(view->layers().first(), 10, 10, 40, 40);
    selectShape(box);
    m_window->flipHorizontal();
    m_window->toolActionRectChecked();
    m_window->undo();
    QCOMPARE(view->currentToolType(), int(SketchToolTypeSelect));
    QCOMPARE(view->commandManager()->undoCount(), 1);
    m_window->undo();
    QCOMPARE(view->commandManager()->undoCount(), 0);
}

void TestMainWindowActions::copiesAndPastesAFormatOnlyForTheRightSelection()
{
    SketchDocumentView *view = newDocument();
    SketchLayer *layer = view->layers().first();
    SketchShape *red = addBox(layer, 10, 10, 40, 40, Qt::red);
    SketchShape *blue = addBox(layer, 100, 10, 40, 40, Qt::blue);
    SketchShape *green = addBox(layer, 200, 10, 40, 40, Qt::green);

    // With two shapes selected whose style would be copied is unclear:
    // nothing is.
    selectShape(red);
    selectShape(blue);
    QApplication::clipboard()->setText(QStringLiteral("untouched"));
    m_window->copyFormat();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("untouched"));

    blue->setSelected(false);
    m_window->copyFormat();
    QVERIFY(QApplication::clipboard()->text() != QStringLiteral("untouched"));

    // Nothing selected: nothing to paste onto, nothing recorded.
    red->setSelected(false);
    m_window->pasteFormat();
    QCOMPARE(view->commandManager()->undoCount(), 0);

    selectShape(blue);
    selectShape(green);
    m_window->pasteFormat();
    QCOMPARE(view->commandManager()->undoCount(), 1);
    QVERIFY(blue->fill() == SkinBrush(QColor(Qt::red)));
    QVERIFY(green->fill() == SkinBrush(QColor(Qt::red)));
}

// --- The clipboard and the current layer -------------------------------------------

void TestMainWindowActions::pastesOnceForEachPressAfterACopy_data()
{
    QTest::addColumn<bool>("format");
    QTest::newRow("shapes: Ctrl+C, Ctrl+V") << false;
    QTest::newRow("format: Ctrl+Shift+C, Ctrl+Shift+V") << true;
}

void TestMainWindowActions::pastesOnceForEachPressAfterACopy()
{
    // The keys as the user presses them, through the window's shortcuts,
    // with nothing in between that would refresh the actions.
    QFETCH(bool, format);
    SketchDocumentView *view = newDocument();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    SketchLayer *layer = view->layers().first();
    addBox(layer, 100, 100, 60, 40, Qt::red);
    addBox(layer, 300, 100, 60, 40, Qt::blue);
    clickAt(view, at(view, 130, 120));
    QCOMPARE(view->selectedShapeCount(), 1);
    QAction *paste = windowAction(format ? "actionPasteFormat" : "actionPaste");
    QVERIFY(!paste->isEnabled());

    const Qt::KeyboardModifiers keys = format ? Qt::ControlModifier | Qt::ShiftModifier : Qt::ControlModifier;
    QTest::keyClick(view, Qt::Key_C, keys);
    QVERIFY(paste->isEnabled());
    QTest::keyClick(view, Qt::Key_V, keys);
    QTest::keyClick(view, Qt::Key_V, keys);
    const QString step = format ? QStringLiteral("pasteFormatFromClipboard") : QStringLiteral("pasteFromClipboard");
    QCOMPARE(undoTextList(view), QStringList({step, step}));
    QCOMPARE(layer->shapes().size(), format ? 2 : 4);
}

void TestMainWindowActions::followsAClipboardWrittenElsewhere_data()
{
    // Whether this window's own copy of a shape was on the clipboard
    // before, else a line of plain text; what is written over it then.
    QTest::addColumn<bool>("copiedBefore");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("image");
    QTest::addColumn<bool>("shapes");
    QTest::addColumn<bool>("format");
    QTest::newRow("shapes") << false << QStringLiteral("<StoryloomClipboardShape>\n<Shape/>\n</StoryloomClipboardShape>")
                            << false << true << false;
    QTest::newRow("format") << false << QStringLiteral("<StoryloomClipboardFormat Opacity=\"0.5\"/>") << false << false
                            << true;
    QTest::newRow("picture") << false << QString() << true << true << false;
    QTest::newRow("other text over a copy") << true << QStringLiteral("plain words") << false << false << false;
}

void TestMainWindowActions::followsAClipboardWrittenElsewhere()
{
    // Another instance or another program writes the clipboard: nothing in
    // the window changes but the clipboard itself.
    QFETCH(bool, copiedBefore);
    QFETCH(QString, text);
    QFETCH(bool, image);
    QFETCH(bool, shapes);
    QFETCH(bool, format);
    SketchDocumentView *view = newDocument();
    selectShape(addBox(view->layers().first(), 10, 10, 40, 40, Qt::red));
    if (copiedBefore)
        view->copy();
    else
        QApplication::clipboard()->setText(QStringLiteral("some words"));
    m_window->updateUIEnables();
    QCOMPARE(windowAction("actionPaste")->isEnabled(), copiedBefore);
    QVERIFY(!windowAction("actionPasteFormat")->isEnabled());

    if (image) {
        QImage picture(30, 20, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        QApplication::clipboard()->setImage(picture);
    } else {
        QApplication::clipboard()->setText(text);
    }
    QCOMPARE(windowAction("actionPaste")->isEnabled(), shapes);
    QCOMPARE(windowAction("actionPasteFormat")->isEnabled(), format);
}

void TestMainWindowActions::offersTheZOrderRightAfterTheClickThatChangesTheLayer()
{
    SketchDocumentView *view = newDocument();
    SketchLayer *lower = view->layers().first();
    addBox(lower, 20, 20, 40, 40, Qt::red);
    addBox(lower, 80, 20, 40, 40, Qt::red);
    auto *upper = new SketchLayer(view->document(), QStringLiteral("Layer2"));
    view->document()->layers().append(upper);
    addBox(upper, 200, 200, 40, 40, Qt::blue);
    addBox(upper, 300, 200, 40, 40, Qt::blue);
    m_window->sketchViewCurrentLayerChanged();
    QCOMPARE(view->currentLayer(), lower);

    // One click on a shape of the other layer: the layer becomes current
    // and its selection can be moved up and down at once.
    clickAt(view, at(view, 220, 220));
    QCOMPARE(view->currentLayer(), upper);
    for (const char *name : {"actionBringForward", "actionSendBackward", "actionBringToFront",
                             "actionSendToBack"})
        QVERIFY2(windowAction(name)->isEnabled(), name);
    windowAction("actionBringToFront")->trigger();
    QCOMPARE(undoTexts(view), QStringLiteral("placeSelection"));
    QCOMPARE(upper->shapes().last()->isSelected(), true);
}

// --- The palette -------------------------------------------------------------------

void TestMainWindowActions::checksTheButtonOfTheCurrentTabsTool()
{
    SketchDocumentView *first = newDocument();
    QTest::mouseClick(m_window->toolButton(3), Qt::LeftButton);
    QCOMPARE(first->currentToolType(), int(SketchToolTypeRect));
    SketchDocumentView *second = newDocument();
    QCOMPARE(checkedTools(), QList<int>({1}));
    QTest::mouseClick(m_window->toolButton(12), Qt::LeftButton);
    QCOMPARE(second->currentToolType(), int(SketchToolTypeZoomIn));
    QCOMPARE(checkedTools(), QList<int>({12}));

    // Each tab keeps its own tool, and the palette shows the current one's,
    // whichever way the switch goes.
    for (int round = 0; round < 2; ++round) {
        clickTab(0);
        QCOMPARE(m_window->currentDocumentView(), first);
        QCOMPARE(first->currentToolType(), int(SketchToolTypeRect));
        QCOMPARE(checkedTools(), QList<int>({3}));
        clickTab(1);
        QCOMPARE(m_window->currentDocumentView(), second);
        QCOMPARE(second->currentToolType(), int(SketchToolTypeZoomIn));
        QCOMPARE(checkedTools(), QList<int>({12}));
    }
    // A tool that finishes hands the view back to the select tool, and the
    // palette follows the view.
    second->actionCompleted();
    QCOMPARE(checkedTools(), QList<int>({1}));
}

void TestMainWindowActions::checksNoButtonForAToolWithoutOne_data()
{
    QTest::addColumn<int>("tool");
    QTest::newRow("gradient colour") << int(SketchToolTypePickColor);
    QTest::newRow("fill colour") << int(SketchToolTypePickFillColor);
    QTest::newRow("stroke colour") << int(SketchToolTypePickStrokeColor);
    QTest::newRow("frame") << int(SketchToolTypeFrame);
}

void TestMainWindowActions::checksNoButtonForAToolWithoutOne()
{
    QFETCH(int, tool);
    SketchDocumentView *view = newDocument();
    if (tool == SketchToolTypeFrame)
        windowAction("toolActionFrame")->trigger();
    else
        view->setCurrentTool(tool, true);
    QCOMPARE(view->currentToolType(), tool);
    QCOMPARE(checkedTools(), QList<int>());
}

void TestMainWindowActions::restsOnTheSelectButtonWithoutADocument()
{
    // A click with no document tab chooses nothing anywhere; the next tab
    // change shows the select button alone.
    QTest::mouseClick(m_window->toolButton(4), Qt::LeftButton);
    emit tabControl()->selectedIndexChanged();
    QCOMPARE(checkedTools(), QList<int>({1}));

    SketchDocumentView *view = newDocument();
    QTest::mouseClick(m_window->toolButton(4), Qt::LeftButton);
    QCOMPARE(checkedTools(), QList<int>({4}));
    addCataloguePage();
    QCOMPARE(checkedTools(), QList<int>({1}));
    QTest::mouseClick(m_window->toolButton(6), Qt::LeftButton);
    QCOMPARE(view->currentToolType(), int(SketchToolTypeEllipse));
    clickTab(0);
    QCOMPARE(checkedTools(), QList<int>({4}));
}

void TestMainWindowActions::showsTheFaceRowWhileTheFrameEditorHoldsAShape()
{
    auto *editor = m_window->findChild<SketchFrameEditor *>();
    if (!editor)
        QSKIP("the design panel holds no frame editor in this build");
    auto *label = m_window->findChild<QLabel *>(QStringLiteral("frameEditorLabel"));
    auto *section = m_window->findChild<SkinGroupBox *>(QStringLiteral("groupShape"));
    QVERIFY(label && section);
    SketchDocumentView *view = newDocument();
    SketchShape *framed = makeFramedShape(view->layers().first(), QRectF(10, 10, 60, 40));
    m_window->updateUIEnables();
    QVERIFY(editor->isHidden());
    QCOMPARE(section->height(), 110);

    editor->setShape(framed);
    m_window->updateUIEnables();
    QVERIFY(!editor->isHidden());
    QVERIFY(!label->isHidden());
    QCOMPARE(section->height(), 130);

    editor->setShape(nullptr);
    m_window->updateUIEnables();
    QVERIFY(editor->isHidden());
    QVERIFY(label->isHidden());
    QCOMPARE(section->height(), 110);
}

// --- A drag held while a command comes -----------------------------------------------

void TestMainWindowActions::givesADragBackBeforeACommandChangesTheDocument_data()
{
    // The command: a slot of the window, or "open" (the file read into the
    // dragging view) or "clear" (its history forgotten).
    QTest::addColumn<QByteArray>("command");
    for (const char *command : {"group", "unGroup", "deleting", "cut", "paste", "undo", "redo",
                                "bringForward", "sendBackward", "bringToFront", "sendToBack",
                                "flipHorizontal", "flipVertical", "alignLeft", "alignCenter",
                                "lock", "pasteFormat", "selectAll", "selectAllOfCurrentLayer",
                                "open", "clear"})
        QTest::newRow(command) << QByteArray(command);
}

void TestMainWindowActions::givesADragBackBeforeACommandChangesTheDocument()
{
    QFETCH(QByteArray, command);
    const QString fileName = m_files.filePath(QStringLiteral("other.slf"));
    {
        SketchDocument other(nullptr);
        addBox(other.layers().first(), 300, 300, 20, 20);
        QVERIFY(other.saveToFile(fileName));
    }

    SketchDocumentView *view = newDocument();
    SketchLayer *layer = view->layers().first();
    // a is the latest step of the history, so Undo takes away the very
    // shape that is being dragged; a flip of b waits on the redo stack.
    addBox(layer, 500, 300, 20, 20, Qt::gray);
    SketchShape *b = addBox(layer, 300, 100, 50, 50, Qt::cyan);
    SketchShape *a = addBox(layer, 100, 100, 50, 50, Qt::yellow);
    layer->shapes().removeAll(a);
    view->commandManager()->push(new SketchCommandAdd(view, a), QStringLiteral("addRect"));
    view->clearSelection();
    selectShape(b);
    view->flipHorizontalSelection();
    view->commandManager()->undo();
    m_window->copyFormat();
    view->copy();
    view->clearSelection();
    selectShape(a);
    selectShape(b);
    const QByteArray before = view->document()->toFileText();
    const int undoBefore = view->commandManager()->undoCount();

    pressAt(view, at(view, 120, 120));
    moveTo(view, at(view, 140, 130));
    moveTo(view, at(view, 160, 150));
    QCOMPARE(a->boundingRect(), QRectF(140, 130, 50, 50));

    if (command == "open")
        QVERIFY(view->openFile(fileName));
    else if (command == "clear")
        view->commandManager()->clear();
    else
        QVERIFY(QMetaObject::invokeMethod(m_window, command.constData()));

    // The rest of the press moves nothing and records nothing.
    moveTo(view, at(view, 200, 190));
    releaseAt(view, at(view, 200, 190));
    const QStringList steps = undoTextList(view);
    QVERIFY2(!steps.contains(QStringLiteral("moveSelection")), qPrintable(steps.join(',')));

    if (command == "open") {
        QCOMPARE(view->commandManager()->undoCount(), 0);
        QCOMPARE(view->document()->shapes().size(), 1);
        return;
    }
    if (command == "clear") {
        QCOMPARE(view->document()->toFileText(), before);
        return;
    }
    // Every step the command made undoes down to the document as it stood
    // before the drag, so none of them saw the shapes half-way, and redoes
    // up to what the command made of it.
    const QByteArray after = view->document()->toFileText();
    const int undoAfter = view->commandManager()->undoCount();
    if (command == "undo") {
        QCOMPARE(undoAfter, undoBefore - 1);
        QVERIFY(!layer->shapes().contains(a));
        QCOMPARE(a->boundingRect(), QRectF(100, 100, 50, 50));
    }
    while (view->commandManager()->undoCount() > qMin(undoBefore, undoAfter))
        view->commandManager()->undo();
    if (command != "undo")
        QCOMPARE(view->document()->toFileText(), before);
    while (view->commandManager()->undoCount() < undoAfter)
        view->commandManager()->redo();
    QCOMPARE(view->document()->toFileText(), after);
    // And the whole history still runs both ways over live shapes.
    while (view->commandManager()->undoCount() > 0)
        view->commandManager()->undo();
    while (view->commandManager()->redoCount() > 0)
        view->commandManager()->redo();
}

// --- Undo and redo over the in-place editor ---------------------------------------------

void TestMainWindowActions::redoAfterAnUnchangedEditRedoesTheEarlierStep_data()
{
    QTest::addColumn<bool>("forward");
    QTest::newRow("redo") << true;
    QTest::newRow("undo") << false;
}

void TestMainWindowActions::redoAfterAnUnchangedEditRedoesTheEarlierStep()
{
    QFETCH(bool, forward);
    SketchDocumentView *view = newDocument();
    SketchShape *box = addBox(view->layers().first(), 100, 100, 200, 80, Qt::white);
    box->setText(QStringLiteral("same"));
    selectShape(box);
    m_window->flipHorizontal();
    m_window->flipVertical();
    m_window->undo();
    const QByteArray flippedOnce = view->document()->toFileText();

    view->beginTextEdit(box);
    QVERIFY(!view->textEditor()->isHidden());
    forward ? m_window->redo() : m_window->undo();

    QVERIFY(view->textEditor()->isHidden());
    QVERIFY(!view->textEditShape());
    QCOMPARE(box->text(), QStringLiteral("same"));
    QVERIFY(!undoTexts(view).contains(QStringLiteral("saveText")));
    if (forward) {
        QCOMPARE(undoTexts(view), QStringLiteral("flipHorizontalSelection,flipVerticalSelection"));
        QCOMPARE(view->commandManager()->redoCount(), 0);
    } else {
        QCOMPARE(view->commandManager()->undoCount(), 0);
        QCOMPARE(view->commandManager()->redoCount(), 2);
    }
    QVERIFY(view->document()->toFileText() != flippedOnce);
}

void TestMainWindowActions::keepsAChangedEditAsOneStep()
{
    // Typed text is never lost to a Redo: it is stored as the newest step,
    // which leaves nothing older to redo above it.
    SketchDocumentView *view = newDocument();
    SketchShape *box = addBox(view->layers().first(), 100, 100, 200, 80, Qt::white);
    selectShape(box);
    m_window->flipHorizontal();
    m_window->undo();
    view->beginTextEdit(box);
    view->textEditor()->setPlainText(QStringLiteral("typed"));
    m_window->redo();
    QVERIFY(view->textEditor()->isHidden());
    QCOMPARE(box->text(), QStringLiteral("typed"));
    QCOMPARE(undoTexts(view), QStringLiteral("saveText"));
    m_window->undo();
    QVERIFY(box->text().isEmpty());
}

void TestMainWindowActions::undoOverANewEmptyTextTakesOnlyItsBox()
{
    // Closing the editor of a box the text tool has just made, unchanged,
    // takes the box away: that is the one step this Undo takes back.
    SketchDocumentView *view = newDocument();
    SketchShape *box = addBox(view->layers().first(), 10, 10, 40, 40, Qt::red);
    selectShape(box);
    m_window->flipHorizontal();
    m_window->toolActionTextChecked();
    clickAt(view, at(view, 300, 200));
    QCOMPARE(undoTexts(view), QStringLiteral("flipHorizontalSelection,addText"));
    QVERIFY(!view->textEditor()->isHidden());
    m_window->undo();
    QVERIFY(view->textEditor()->isHidden());
    QCOMPARE(view->layers().first()->shapes(), QList<SketchShape *>({box}));
    QCOMPARE(undoTexts(view), QStringLiteral("flipHorizontalSelection"));
    QCOMPARE(view->commandManager()->redoCount(), 0);
    QVERIFY(windowAction("actionUndo")->isEnabled());
    QVERIFY(!windowAction("actionRedo")->isEnabled());
}

// --- A tab that is no document ----------------------------------------------------------

void TestMainWindowActions::neverHandsACataloguePageADocumentCommand()
{
    SketchDocumentView *document = newDocument();
    SketchShape *box = addBox(document->layers().first(), 10, 10, 40, 40, Qt::red);
    selectShape(box);
    document->copy();
    const QByteArray before = document->document()->toFileText();
    CataloguePage *page = addCataloguePage();
    QCOMPARE(m_window->currentSketchView(), page);

    const QMetaObject *meta = m_window->metaObject();
    int called = 0;
    for (const char *slot : {"undo", "redo", "cut", "copy", "paste", "deleting", "selectAll",
                             "selectAllOfCurrentLayer", "group", "unGroup", "lock", "unLock",
                             "copyFormat", "pasteFormat", "bringForward", "sendBackward",
                             "bringToFront", "sendToBack", "flipHorizontal", "flipVertical",
                             "alignLeft", "alignTop", "alignRight", "alignBottom", "alignCenter",
                             "toolActionRectChecked", "printStatistics", "updateUIEnables",
                             "toolActionChanged"}) {
        QVERIFY2(meta->indexOfSlot(QByteArray(slot).append("()").constData()) >= 0, slot);
        QVERIFY(QMetaObject::invokeMethod(m_window, slot));
        ++called;
    }
    QCOMPARE(called, 29);
    QCOMPARE(document->document()->toFileText(), before);
    QCOMPARE(document->commandManager()->undoCount(), 0);
    QCOMPARE(document->currentToolType(), int(SketchToolTypeSelect));
    QCOMPARE(page->commandManager()->undoCount(), 0);
    QVERIFY(box->isSelected());
}

QTEST_MAIN(TestMainWindowActions)
#include "tst_mainwindowactions.moc"
