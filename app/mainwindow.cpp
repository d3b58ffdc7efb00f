// The main window's construction, its menus, tool bar and context menu, the
// theme it starts in, its layout and its destruction.
#include "app/mainwindow.h"

#include "app/sketchframepopupwindow.h"
#include "app/usersettings.h"
#include "editor/sketchdocumentview.h"
#include "materials/sketchmaterial.h"
#include "model/sketchglobals.h"
#include "skin/windows/skingroupbox.h"
#include "skin/windows/skinmenu.h"
#include "skin/windows/skintabcontrol.h"
#include "skin/windows/skintheme.h"

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>

namespace {

// The categories of the material library, in the order of its pages and of
// SketchMaterialCategory; translated where the materials panel shows them.
const char *const materialCategoryNames[] = {
    QT_TRANSLATE_NOOP("SketchMaterialBox", "Role"),   QT_TRANSLATE_NOOP("SketchMaterialBox", "Prop"),
    QT_TRANSLATE_NOOP("SketchMaterialBox", "Bubble"), QT_TRANSLATE_NOOP("SketchMaterialBox", "Nature"),
    QT_TRANSLATE_NOOP("SketchMaterialBox", "Effect"), QT_TRANSLATE_NOOP("SketchMaterialBox", "Scene"),
    QT_TRANSLATE_NOOP("SketchMaterialBox", "Others")};
static_assert(sizeof(materialCategoryNames) / sizeof(materialCategoryNames[0])
                  == SketchMaterialOthers + 1,
              "one name per material category");

// Creates the menu entry, running `slot` of `receiver`, with the shortcut
// given as text ("ctrl+shift+s", any case) and an icon resource; named as
// the field that keeps it, so that it can be found by that name.
template<typename Slot>
QAction *addMenuAction(QMenu *menu, const char *name, const QString &text, MainWindow *receiver, Slot slot,
                       const char *shortcut = nullptr, const char *icon = nullptr)
{
    const QKeySequence keys = shortcut
        ? QKeySequence(QLatin1String(shortcut), QKeySequence::NativeText)
        : QKeySequence();
    QAction *action = icon
        ? menu->addAction(QIcon(QLatin1String(icon)), text, receiver, slot, keys)
        : menu->addAction(text, receiver, slot, keys);
    action->setObjectName(QLatin1String(name));
    return action;
}

template<typename Slot>
QAction *addCheckableAction(QMenu *menu, const char *name, const QString &text, MainWindow *receiver,
                            Slot slot, bool checked)
{
    QAction *action = addMenuAction(menu, name, text, receiver, slot);
    action->setCheckable(true);
    action->setChecked(checked);
    return action;
}

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : SkinWindow(parent)
{
    // Before the font box and the first text are made.
    SketchGlobals::substituteDefaultFontFamily();
    setTitleVisible(false);
    setWindowIcon(QIcon(QStringLiteral(":/icons/winapp.ico")));
    setMinimumSize(800, 480);
    resize(920, 560);
    // Before anything reads the settings.
    UserSettings::instance().load();

    createThemeButton();
    addFileMenu();
    addEditMenu();
    addViewMenu();
    addShapeMenu();
    addLayerMenu();
    addHelpMenu();
    createToolBar();
    createContextMenu();
    createToolPanel();
    createDesignPanel();
    createDocumentTabs();

    menuBar()->show();
    toolBar()->show();
    // Paste and Paste Format follow the clipboard, whoever writes it: this
    // window, another instance or another program.
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &MainWindow::updateUIEnables);
    updateUIEnables();
    // Called directly, not as a choice of the user's: restoring the theme
    // tells the web service nothing.
    changeTheme(skinThemeStyleFromName(UserSettings::instance().themeName()));
    QTimer::singleShot(100, this, &MainWindow::registerTimerTrigger);
}

MainWindow::~MainWindow()
{
    // A top-level popup without parent: nothing else would delete it.
    delete framePopupWindow;
    framePopupWindow = nullptr;
    // The children are deleted by the base classes, when this class is gone:
    // none of their signals may reach its slots by then.
    for (QObject *child : findChildren<QObject *>())
        QObject::disconnect(child, nullptr, this, nullptr);
}

void MainWindow::addFileMenu()
{
    QMenu *menu = menuBar()->addMenu(tr("&File"));
    actionNewFile = addMenuAction(menu, "actionNewFile", tr("New File"), this, &MainWindow::newFile,
                                  "ctrl+n", ":/actions/images/NewFile.png");
    actionOpen = addMenuAction(menu, "actionOpen", tr("Open"), this, qOverload<>(&MainWindow::openFile), "ctrl+o",
                               ":/actions/images/Open.png");
    menu->addSeparator();
    actionSave = addMenuAction(menu, "actionSave", tr("Save"), this, &MainWindow::saveFile, "ctrl+s",
                               ":/actions/images/Save.png");
    actionSaveAs = addMenuAction(menu, "actionSaveAs", tr("Save As..."), this, &MainWindow::saveAs);
    actionSaveAll = addMenuAction(menu, "actionSaveAll", tr("Save All"), this, &MainWindow::saveAll,
                                  "ctrl+shift+s");
    menu->addSeparator();
    actionExportToImage = addMenuAction(menu, "actionExportToImage", tr("Export to Image..."),
                                        this, qOverload<>(&MainWindow::exportToImage));
    actionExportAllToImages = addMenuAction(menu, "actionExportAllToImages",
                                            tr("Export All to Images..."), this,
                                            &MainWindow::exportAllToImages);
    actionExportAllToImages->setVisible(false);
    actionExportToSliceImages = addMenuAction(menu, "actionExportToSliceImages",
                                              tr("Export to Slice Images..."), this,
                                              &MainWindow::exportToSliceImages);
    menu->addSeparator();
    actionPrint = addMenuAction(menu, "actionPrint", tr("Print..."), this, &MainWindow::printPreview,
                                "ctrl+p", ":/actions/images/Print.png");
    menu->addSeparator();
    // Through the window's close handling, which asks about unsaved tabs.
    menu->addAction(tr("Exit"), this, &MainWindow::close);
}

void MainWindow::addEditMenu()
{
    QMenu *menu = menuBar()->addMenu(tr("&Edit"));
    actionUndo = addMenuAction(menu, "actionUndo", tr("Undo"), this, &MainWindow::undo, "ctrl+z",
                               ":/actions/images/Undo.png");
    actionRedo = addMenuAction(menu, "actionRedo", tr("Redo"), this, &MainWindow::redo, "ctrl+y",
                               ":/actions/images/Redo.png");
    menu->addSeparator();
    actionCut = addMenuAction(menu, "actionCut", tr("Cut"), this, &MainWindow::cut, "ctrl+x");
    actionCopy = addMenuAction(menu, "actionCopy", tr("Copy"), this, &MainWindow::copy, "ctrl+c");
    actionPaste = addMenuAction(menu, "actionPaste", tr("Paste"), this, &MainWindow::paste, "ctrl+v");
    actionDelete = addMenuAction(menu, "actionDelete", tr("Delete"), this, &MainWindow::deleting,
                                 "delete");
    menu->addSeparator();
    actionEditText = addMenuAction(menu, "actionEditText", tr("Edit Text"), this,
                                   &MainWindow::editShapeText, "f2");
    actionEditName = addMenuAction(menu, "actionEditName", tr("Edit Name"), this,
                                   &MainWindow::editShapeName, "f3");
    menu->addSeparator();
    actionSelectAll = addMenuAction(menu, "actionSelectAll", tr("Select All"), this,
                                    &MainWindow::selectAll, "ctrl+a");
    actionSelectAllOfCurrentLayer = addMenuAction(menu, "actionSelectAllOfCurrentLayer",
                                                  tr("Select All of Current Layer"), this,
                                                  &MainWindow::selectAllOfCurrentLayer, "ctrl+shift+a");
    menu->addSeparator();
    actionCopyFormat = addMenuAction(menu, "actionCopyFormat", tr("Copy Format"), this,
                                     &MainWindow::copyFormat, "ctrl+shift+c");
    actionPasteFormat = addMenuAction(menu, "actionPasteFormat", tr("Paste Format"), this,
                                      &MainWindow::pasteFormat, "ctrl+shift+v");
    menu->addSeparator();
    actionInsertImage = addMenuAction(menu, "actionInsertImage", tr("Insert Image..."), this,
                                      &MainWindow::insertImage);
}

void MainWindow::addViewMenu()
{
    QMenu *menu = menuBar()->addMenu(tr("&View"));
    actionMaterialPanel = addCheckableAction(menu, "actionMaterialPanel", tr("Material Panel"),
                                             this, &MainWindow::showOrHideMaterialPanel, true);
    actionDesignPanel = addCheckableAction(menu, "actionDesignPanel", tr("Design Panel"), this,
                                           &MainWindow::showOrHideDesignPanel, true);
    actionGridLines = addCheckableAction(menu, "actionGridLines", tr("Grid Lines"), this,
                                         &MainWindow::showOrHideGrid, false);
    actionAutoSlices = addCheckableAction(menu, "actionAutoSlices", tr("Automatic Slices"), this,
                                          &MainWindow::showOrHideAutoSlice, false);
    menu->addSeparator();
    actionPaperSize = addMenuAction(menu, "actionPaperSize", tr("Paper Size..."), this,
                                    &MainWindow::actionPaperSizeClicked);
}

void MainWindow::addShapeMenu()
{
    QMenu *menu = menuBar()->addMenu(tr("&Shape"));
    actionBringForward = addMenuAction(menu, "actionBringForward", tr("Bring Forward"), this,
                                       &MainWindow::bringForward, "ctrl+up",
                                       ":/actions/images/BringForward.png");
    actionSendBackward = addMenuAction(menu, "actionSendBackward", tr("Send Backward"), this,
                                       &MainWindow::sendBackward, "ctrl+down",
                                       ":/actions/images/SendBackward.png");
    actionBringToFront = addMenuAction(menu, "actionBringToFront", tr("Bring to Front"), this,
                                       &MainWindow::bringToFront, "ctrl+shift+up",
                                       ":/actions/images/BringToFront.png");
    actionSendToBack = addMenuAction(menu, "actionSendToBack", tr("Send to Back"), this,
                                     &MainWindow::sendToBack, "ctrl+shift+down",
                                     ":/actions/images/SendToBack.png");
    menu->addSeparator();
    actionAlignLeft = addMenuAction(menu, "actionAlignLeft", tr("Align Left"), this,
                                    &MainWindow::alignLeft, nullptr,
                                    ":/actions/images/ShapeAlignLeft.png");
    actionAlignRight = addMenuAction(menu, "actionAlignRight", tr("Align Right"), this,
                                     &MainWindow::alignRight, nullptr,
                                     ":/actions/images/ShapeAlignRight.png");
    actionAlignTop = addMenuAction(menu, "actionAlignTop", tr("Align Top"), this, &MainWindow::alignTop,
                                   nullptr, ":/actions/images/ShapeAlignTop.png");
    actionAlignBottom = addMenuAction(menu, "actionAlignBottom", tr("Align Bottom"), this,
                                      &MainWindow::alignBottom, nullptr,
                                      ":/actions/images/ShapeAlignBottom.png");
    actionAlignCenter = addMenuAction(menu, "actionAlignCenter", tr("Align Center"), this,
                                      &MainWindow::alignCenter, nullptr,
                                      ":/actions/images/ShapeAlignCenter.png");
    menu->addSeparator();
    actionFlipHorizontal = addMenuAction(menu, "actionFlipHorizontal", tr("Flip Horizontal"), this,
                                         &MainWindow::flipHorizontal, nullptr,
                                         ":/actions/images/FlipHorizontal.png");
    actionFlipVertical = addMenuAction(menu, "actionFlipVertical", tr("Flip Vertical"), this,
                                       &MainWindow::flipVertical, nullptr,
                                       ":/actions/images/FlipVertical.png");
    menu->addSeparator();
    actionGroup = addMenuAction(menu, "actionGroup", tr("Group"), this, &MainWindow::group, "ctrl+g",
                                ":/actions/images/Group.png");
    actionUnGroup = addMenuAction(menu, "actionUnGroup", tr("UnGroup"), this, &MainWindow::unGroup,
                                  "ctrl+shift+g", ":/actions/images/UnGroup.png");
    actionEditGroup = addMenuAction(menu, "actionEditGroup", tr("Edit Group"), this,
                                    &MainWindow::editGroup, nullptr, ":/actions/images/EditGroup.png");
    menu->addSeparator();
    actionLock = addMenuAction(menu, "actionLock", tr("Lock"), this, &MainWindow::lock, "ctrl+l",
                               ":/actions/images/Lock.png");
    actionUnLock = addMenuAction(menu, "actionUnLock", tr("UnLock"), this, &MainWindow::unLock,
                                 "ctrl+shift+l", ":/actions/images/UnLock.png");
    menu->addSeparator();
    // saveAsMaterial() tells the category by the entry's position.
    menuSaveAsMaterial = menu->addMenu(tr("Save as Material"));
    menuSaveAsMaterial->setObjectName(QStringLiteral("menuSaveAsMaterial"));
    for (const char *name : materialCategoryNames)
        menuSaveAsMaterial->addAction(QCoreApplication::translate("SketchMaterialBox", name), this,
                                      &MainWindow::saveAsMaterial);
}

void MainWindow::addLayerMenu()
{
    QMenu *menu = menuBar()->addMenu(tr("&Layer"));
    actionNewLayer = addMenuAction(menu, "actionNewLayer", tr("New"), this, &MainWindow::newLayer);
    actionDeleteLayer = addMenuAction(menu, "actionDeleteLayer", tr("Delete"), this,
                                      &MainWindow::deleteLayer);
    actionDuplicateLayer = addMenuAction(menu, "actionDuplicateLayer", tr("Duplicate"), this,
                                         &MainWindow::duplicateLayer);
}

void MainWindow::addHelpMenu()
{
    QMenu *menu = menuBar()->addMenu(tr("&Help"));
    menu->addAction(tr("Online Help..."), this, &MainWindow::showHelpWindow,
                    QKeySequence(QStringLiteral("f1"), QKeySequence::NativeText));
    menu->addAction(tr("Feedback..."), this, &MainWindow::showFeedback);
    menu->addSeparator();
    menu->addAction(tr("About Storyloom..."), this, &MainWindow::showAbout);
}

void MainWindow::createToolBar()
{
    QToolBar *bar = toolBar();
    for (QAction *action : {actionNewFile, actionOpen, actionSave, actionPrint})
        bar->addAction(action);
    bar->addSeparator();
    for (QAction *action : {actionUndo, actionRedo})
        bar->addAction(action);
    bar->addSeparator();
    for (QAction *action : {actionBringForward, actionSendBackward, actionBringToFront,
                            actionSendToBack})
        bar->addAction(action);
    bar->addSeparator();
    for (QAction *action : {actionAlignLeft, actionAlignRight, actionAlignTop, actionAlignBottom,
                            actionAlignCenter})
        bar->addAction(action);
    bar->addSeparator();
    for (QAction *action : {actionFlipHorizontal, actionFlipVertical})
        bar->addAction(action);

    // The frame entries and their popup.
    bar->addSeparator();
    toolActionFrame = bar->addAction(QIcon(QStringLiteral(":/tools/images/Frame.png")), QString(),
                                     this, &MainWindow::toolActionFrameChecked);
    toolActionFrame->setObjectName(QStringLiteral("toolActionFrame"));
    actionFrameIndex = bar->addAction(QStringLiteral("0/0"), this, &MainWindow::showFramePopupWindow);
    actionFrameIndex->setObjectName(QStringLiteral("actionFrameIndex"));
    createFramePopupWindow();
    actionSelectionStatus = bar->addAction(QString());
    actionSelectionStatus->setObjectName(QStringLiteral("actionSelectionStatus"));
}

void MainWindow::createContextMenu()
{
    shapeMenu = new SkinMenu(this);
    shapeMenu->setObjectName(QStringLiteral("shapeMenu"));
    const auto addAll = [this](std::initializer_list<QAction *> actions) {
        for (QAction *action : actions)
            shapeMenu->addAction(action);
        shapeMenu->addSeparator();
    };
    addAll({actionCut, actionCopy, actionPaste, actionDelete});
    addAll({actionEditText, actionEditName});
    addAll({actionGroup, actionUnGroup, actionEditGroup});
    addAll({actionLock, actionUnLock});
    addAll({actionCopyFormat, actionPasteFormat});
    shapeMenu->addAction(actionExportToImage);
    actionExportLayersToImage = shapeMenu->addAction(tr("Export layers to image..."), this,
                                                     &MainWindow::exportLayersToImage);
    actionExportLayersToImage->setObjectName(QStringLiteral("actionExportLayersToImage"));
    actionExportShapeToImage = shapeMenu->addAction(tr("Export selected shapes to image..."), this,
                                                    &MainWindow::exportShapeToImage);
    actionExportShapeToImage->setObjectName(QStringLiteral("actionExportShapeToImage"));
    shapeMenu->addSeparator();
    shapeMenu->addMenu(menuSaveAsMaterial);
    connect(shapeMenu, &QMenu::aboutToShow, this, &MainWindow::contextMenuShowing);
}

void MainWindow::createDocumentTabs()
{
    tabControl = new SkinTabControl(centralWidget());
    tabControl->setObjectName(QStringLiteral("tabControl"));
    tabControl->setPageRectAdjustment(-1, -2, 0, 0);
    QMenu *tabMenu = tabControl->tabMenu();
    tabMenu->addAction(tr("Close"), this, &MainWindow::closeCurView);
    tabMenu->addAction(tr("Close Others"), this, &MainWindow::closeOtherViews);
    tabMenu->addAction(tr("Close All"), this, &MainWindow::closeAllViews);
    tabControl->setCloseButtonsVisible(true);

    connect(tabControl, &SkinTabControl::selectedIndexChanged, this, &MainWindow::tabControlSelectedIndexChanged);
    connect(tabControl, &SkinTabControl::contextMenuShowing, this, &MainWindow::tabControlContextMenuShowing);
    connect(tabMenu, &QMenu::aboutToShow, this, &MainWindow::tabHeaderMenuShowing);
    connect(tabControl, &SkinTabControl::pageClosing, this, &MainWindow::closeView);
    connect(tabControl, &SkinTabControl::urlsDroped, this, &MainWindow::sketchViewUrlsDroped);
}
