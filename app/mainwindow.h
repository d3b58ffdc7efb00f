#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include "model/skinbrush.h"
#include "skin/windows/skinwindow.h"

#include <QColor>
#include <QList>
#include <QPen>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QUrl>

class DesignPanel;
class QAction;
class QMenu;
class QPrinter;
class QPushButton;
class SketchDocumentView;
class SketchFramePopupWindow;
class SketchGroup;
class SketchLayerControl;
class SketchMaterialBox;
class SketchMaterialFile;
class SketchMaterialListView;
class SketchView;
class SkinColorPicker;
class SkinMenu;
class SkinTabControl;
class ToolPalette;

// The program's one top-level window: a frameless skinned window whose
// caption carries the six menus (File, Edit, View, Shape, Layer, Help) and
// the tool bar, and whose central widget holds the document tabs. Every
// open document is one page of the tab control, and the pages are the only
// registry of open views: the window keeps no list of its own and never
// stores which view is current. Menu commands act on the current tab and do
// nothing when the view they need is absent.
//
// The slot names are part of the contract: callers and the views' signals
// reach the window by them. The caption holds the theme button with its
// popup. The tool panel (the palette, ToolPalette, and the materials) stands
// left of the tabs and the design panel (DesignPanel: Fill, Shape, Font,
// Layers) right of them, placed by adjustUIGeometries() in fixed pixels; the
// design panel's controls edit the selection themselves, and its slots here
// forward to it. The Layers section holds the layers panel, the Shape
// section the "Face:" frame button, and the tool bar's frame counter opens
// the frames popup. Slots whose feature is not built yet are connected and
// do nothing.
//
// Questions and errors are skinned message boxes (answerable through the
// dialogs' answer hook); file names come from FileDialogs.
//
// Files: a document opens in one tab only, told by its absolute clean path
// (canonical while the file exists). A file that cannot be read never gets
// a tab, and a save that fails is reported and leaves the tab modified.
//
// Ownership: every widget, menu and action is a Qt child of the window; the
// window holds plain pointers. A view lives exactly as long as its page.
// GUI thread only. Modal questions run nested event loops, so a hand-over
// or a drop may be handled inside them; the closing operations therefore
// look a page's index up again after every question.
class MainWindow : public SkinWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // --- Views of the tabs ----------------------------------------------------
    // Non-owning; null when there is none of the kind asked for.

    SketchView *currentSketchView() const;
    SketchDocumentView *currentDocumentView() const;
    SketchView *sketchViewAt(int index) const;
    // The views of all pages in tab order; pages without one are skipped.
    QList<SketchView *> sketchViews() const;
    // The first view whose file is this file: both names compared as
    // absolute clean paths, canonical while the file exists. Null for an
    // empty name.
    SketchView *findOpenView(const QString &fileName) const;
    // The first document view that edits this group; null for null.
    SketchDocumentView *findGroupEditingView(SketchGroup *group) const;

    // A new document view on a new current page with an empty tab text,
    // connected to the window; the caller sets its title and tab text.
    SketchDocumentView *createSketchView();
    // "untitled<n>" with the smallest n >= 1 that no open view's title ends
    // with, ignoring case.
    QString untitledName() const;

    // The tool palette's button of a tool id (1 to 13, 17, 18); null for
    // any other id.
    QPushButton *toolButton(int id) const;

public slots:
    // --- Files --------------------------------------------------------------
    void newFile();
    void openFile();
    // A hand-over message (handovermessage.h): opens the documents among
    // its file names, then brings the window to the front, also for an
    // empty message.
    void openFile(QString message);
    // Selects the tab of a name already open, opens each other document in a
    // tab of its own, skips names of other kinds; one refresh at the end.
    void openFiles(QStringList fileNames);
    bool saveFile();
    void saveAs();
    void saveAll();

    // --- Export, print, material library -------------------------------------
    void openMaterialListView();
    void exportToImage(SketchView *view);
    void exportToImage();
    void exportLayersToImage();
    void exportShapeToImage();
    void exportAllToImages();
    void exportToSliceImages();
    void printPreview();
    void printDocument(QPrinter *printer);

    // --- Edit and shape commands ----------------------------------------------
    void undo();
    void redo();
    void cut();
    void copy();
    void paste();
    void deleting();
    void selectAll();
    void selectAllOfCurrentLayer();
    void group();
    void unGroup();
    void editGroup();
    void lock();
    void unLock();
    void copyFormat();
    void pasteFormat();
    void insertImage();
    void bringForward();
    void sendBackward();
    void bringToFront();
    void sendToBack();
    void editShapeText();
    void editShapeName();
    void flipHorizontal();
    void flipVertical();
    void alignLeft();
    void alignTop();
    void alignRight();
    void alignBottom();
    void alignCenter();
    void saveAsMaterial();
    void downloadMoreMaterials();

    // --- View, options, help ----------------------------------------------------
    void showOrHideMaterialPanel();
    void showOrHideDesignPanel();
    void actionPaperSizeClicked();
    void showOrHideGrid();
    void showOrHideAutoSlice();
    void showOptions();
    void printStatistics();
    void showHelpWindow();
    void showFeedback();
    void showAbout();
    // Applies the theme (any value outside the four is Black), checks its
    // popup button and saves its name. Asked by a popup button, a theme
    // already in force changes nothing; any other is then reported to the
    // web service. Called directly (no sender) it reports nothing.
    void changeTheme(SkinThemeStyle style) override;

    // --- Layout, action states, refreshes ---------------------------------------
    // Places the panels and the document tabs in the central widget, the
    // design panel's sections one under the other, and every view in its
    // page.
    void adjustUIGeometries();
    // Enables every action from the current tab's state; runs after each
    // change of history, selection, current layer or tab, and whenever the
    // application's clipboard changes.
    void updateUIEnables();
    // Before the views' context menu shows: Paste and Paste Format follow
    // the current document view's clipboard tests.
    void contextMenuShowing();
    // Once after start: reports a version not reported before, then asks
    // the web service for a newer one and offers it. Sends nothing when no
    // service is configured.
    void registerTimerTrigger();
    // The ChangeVersion notice with the last version reported.
    void updateVersionToServer();
    void sketchViewSelectionChanged();

    // --- Tabs ---------------------------------------------------------------------
    // The current tab changed: the tab control's context button, the grid and
    // slice check marks, then the selection and tool refreshes.
    void tabControlSelectedIndexChanged();
    // Fills the tab control's context menu with one item per page.
    void tabControlContextMenuShowing();
    // An item of that menu: selects its page.
    void tabControlContextMenuItemClicked();
    // "Close Others" and "Close All" are offered with more than one page.
    void tabHeaderMenuShowing();
    // Any view's document changed: the current tab's text.
    void sketchViewChanged();
    // The layers panel and the action states.
    void sketchViewCurrentLayerChanged();
    // Any view's zoom changed: the current view's tab text.
    void sketchViewZoomChanged();
    // Images dropped on the current document view go into it (one question
    // whether to compress them); dropped documents open in tabs.
    void sketchViewUrlsDroped(QList<QUrl> urls);

    // --- Colour picking from the page ---------------------------------------------
    void gradientColorPicked(QColor color);
    void fillColorPicked(QColor color);
    void strokeColorPicked(QColor color);
    void beginFillColorPicking();
    void beginGradientColorPicking(SkinColorPicker *picker);
    void beginStrokeColorPicking();
    void beginForeColorPicking();

    // --- Saving and closing tabs ------------------------------------------------
    // True once the tab's document is safe: written to its file, or written
    // back into the group it edits. False, with the tab left modified, when
    // there is no view there, the page is no document, the save dialog was
    // cancelled, the file could not be written or the edited group is no
    // longer in its document (the last two are reported).
    bool saveView(int index);
    // Closes the tab's group-editing tabs first, then asks whether to save
    // it when modified. False when the tab stays: no view there, a Cancel,
    // or a save under Yes that did not happen.
    bool closeView(int index);
    bool closeCurView();
    // Close All runs from the last tab to the first. A tab that stays (a
    // Cancel, or a save under Yes that did not happen) ends either run:
    // nothing more is asked, and the tabs not yet reached stay as they are.
    void closeOtherViews();
    void closeAllViews();

    // --- Design panel edits -------------------------------------------------------
    void changeFillBrush(SkinBrush brush);
    void changingFillBrush(SkinBrush brush);
    void changeStrokeBrush(SkinBrush brush);
    void changeStrokeStyle(QPen pen);
    void changingShapeTension(int value);
    void changeShapeTension(int value);
    void changingShapeOpacity(int value);
    void changeShapeOpacity(int value);
    void changingShapeBlur(int value);
    void changeShapeBlur(int value);
    void changeShapeFrame(int index);
    void changeShapeFontName(QString family);
    void changeShapeFontColor(QColor color);
    void changingShapeFontSize(int size);
    void changeShapeFontSize(int size);
    void changeShapeFontAlign(int align);
    void changeShapeFontStyle();

    // --- Tools --------------------------------------------------------------------
    void toolActionChanged();
    void toolActionSelectChecked();
    void toolActionPathChecked();
    void toolActionRectChecked();
    void toolActionEllipseChecked();
    void toolActionBubbleChecked();
    void toolActionPointChecked();
    void toolActionCurvePointChecked();
    void toolActionCutoffChecked();
    void toolActionConnectChecked();
    void toolActionRotateChecked();
    void toolActionResizeChecked();
    void toolActionFrameChecked();
    void toolActionZoomInChecked();
    void toolActionZoomOutChecked();
    void toolActionSliceChecked();
    void toolActionTextChecked();
    void showFramePopupWindow();
    void frameIndexChanged(QString text);

    // --- Themes and layers ----------------------------------------------------------
    // Applies the style sheet and tints in the theme's icon colour the theme
    // button, the menus' icons, the tools' icons but the Select arrow's and
    // the frame tool's; the panels built so far restyle their own.
    void useThemeStyle() override;
    void btnThemeClicked();
    void btnThemeBlackClicked();
    void btnThemeGrayClicked();
    void btnThemeBlueClicked();
    void btnThemeOliveClicked();
    // The ChangeTheme notice with the saved theme name, behind the busy
    // overlay.
    void postThemeStyleChangeMessage();
    void newLayer();
    void deleteLayer();
    void duplicateLayer();
    void materialClicked(SketchMaterialFile *file);

protected:
    void resizeEvent(QResizeEvent *event) override;
    // Closes every tab, asking to save each modified one, until one stays;
    // the window closes only when no tab is left.
    void closeEvent(QCloseEvent *event) override;

private:
    // Construction steps: the menus of the menu bar in their order, the
    // tool bar, the views' context menu (shapeMenu), the document tabs.
    void addFileMenu();
    void addEditMenu();
    void addViewMenu();
    void addShapeMenu();
    void addLayerMenu();
    void addHelpMenu();
    void createToolBar();
    void createContextMenu();
    void createDocumentTabs();

    // The absolute clean path of a file name, canonical while the file
    // exists: two names of one file give the same identity.
    static QString fileIdentity(const QString &fileName);
    SketchView *viewOfPage(QWidget *page) const;
    SketchDocumentView *documentViewAt(int index) const;
    int indexOfView(const SketchView *view) const;
    // The tab text of the view's page becomes its caption.
    void updateTabText(SketchView *view);
    // Opens one document name in a new tab; a file that cannot be read
    // leaves no tab and is reported.
    void openDocument(const QString &fileName);
    // Writes the view to the file; a failure is reported. Over a file that
    // another program changed since the view read or wrote it, only when
    // the user says so.
    bool writeViewToFile(SketchView *view, const QString &fileName);
    // The save dialog for the view: its title proposed, its file filter.
    QString askSaveFileName(SketchView *view);
    // Writes a group-editing tab back into its group as one step of the
    // source tab's history; false, reported, when the group is gone.
    bool writeBackGroup(SketchDocumentView *view);
    void reportError(const QString &title, const QString &text);
    // One step of a closing run: false when the page stays with its view,
    // which ends the run.
    bool closePageOfRun(QWidget *page);

    // --- Action states and tool selection -----------------------------------------
    // The design panel's "Face:" row follows its frame editor; a change
    // relayouts the window.
    void updateFrameRow();
    // The current document view's tool becomes `type`, reset; nothing
    // without a document view.
    void selectTool(int type);
    // The current document view, its select-tool drag taken back first; null
    // when the current tab is no document.
    SketchDocumentView *documentViewForEdit();
    void takeBackDrag(SketchDocumentView *view);
    // Closes the in-place editor without a step when its text is unchanged;
    // true when that took back the step that added a new text box.
    bool closeUnchangedTextEdit(SketchDocumentView *view);
    // Undo (false) or redo (true) on the current view, then the reset of its
    // tool.
    void moveHistory(bool forward);

    // --- Panels: tool panel and design panel ----------------------------------------
    // Built once by the constructor; placed by adjustUIGeometries().
    void createToolPanel();
    // Each palette button's click to the slot of its tool.
    void connectToolButtons();
    // The design panel with the layers panel in its Layers section.
    void createDesignPanel();

    // --- Online catalogue -----------------------------------------------------------
    // The open catalogue page's view, or null.
    SketchMaterialListView *findMaterialListView() const;
    // Adds the catalogue page and loads the list into it; null when the page
    // was taken away while the list loaded.
    SketchMaterialListView *createMaterialListView();
    // Runs the dialog of one catalogue entry, from the event loop itself.
    void runMaterialDialog(const QString &materialFileName);

    // --- Layers panel and frames popup (mainwindowlayers.cpp) --------------------
    // The layers panel inside the parent, the Layers section, whose context
    // button then offers the panel's menu; the design panel places it.
    void createLayerControl(QWidget *parent);
    // The tool bar's frames popup; the window deletes it.
    void createFramePopupWindow();
    // The panel shows the view's layers (none for null).
    void showLayersOf(SketchDocumentView *view);
    void refreshLayers();
    // After any view's sketchChanged(): a rebuild when the current view's
    // last command changed the layer list or a name, else a repaint.
    void followDocumentChange();

    // --- Themes and the update check --------------------------------------------
    // The caption's theme button and its popup (construction step).
    void createThemeButton();
    // The popup button of the theme; Black for any other value.
    QPushButton *themeButtonOf(SkinThemeStyle style) const;
    // Offers the newer version named by the update check: to install it
    // through the updater when it can replace the program, else to fetch it
    // from the home page.
    void offerUpgrade(const QString &version);
    // Closes every tab (asking to save each modified one) and starts the
    // updater; only once it has started does the program end. A tab that
    // stays, or an updater that does not start (reported), keeps the program
    // running.
    void handOverToUpdater(const QString &updater);

    // --- State ------------------------------------------------------------------------
    // Every widget, menu and action is a Qt child of the window (the frames
    // popup excepted); the window only points at them. The open views are
    // the tab control's pages and are kept nowhere else.

    // The caption's theme button and its popup of four theme buttons.
    QPushButton *themeButton = nullptr;
    QWidget *themePopup = nullptr;
    QPushButton *btnThemeBlack = nullptr;
    QPushButton *btnThemeGray = nullptr;
    QPushButton *btnThemeBlue = nullptr;
    QPushButton *btnThemeOlive = nullptr;

    // Left of the tabs: the tool palette and the materials panel; right of
    // them the design panel, whose Layers section holds the layers panel.
    QWidget *toolPanel = nullptr;
    ToolPalette *toolBox = nullptr;
    SketchMaterialBox *materialBox = nullptr;
    DesignPanel *designPanel = nullptr;
    SketchLayerControl *layerControl = nullptr;
    SkinTabControl *tabControl = nullptr;
    SkinMenu *shapeMenu = nullptr;
    QMenu *menuSaveAsMaterial = nullptr;

    QAction *actionMaterialPanel = nullptr;
    QAction *actionDesignPanel = nullptr;
    QAction *actionPaperSize = nullptr;
    QAction *actionGridLines = nullptr;
    QAction *actionAutoSlices = nullptr;

    QAction *actionNewFile = nullptr;
    QAction *actionOpen = nullptr;
    QAction *actionSave = nullptr;
    QAction *actionSaveAs = nullptr;
    QAction *actionSaveAll = nullptr;
    QAction *actionExportToImage = nullptr;
    QAction *actionExportToSliceImages = nullptr;
    QAction *actionExportLayersToImage = nullptr;
    QAction *actionExportShapeToImage = nullptr;
    QAction *actionExportAllToImages = nullptr;
    QAction *actionPrint = nullptr;

    QAction *actionUndo = nullptr;
    QAction *actionRedo = nullptr;
    QAction *actionCut = nullptr;
    QAction *actionCopy = nullptr;
    QAction *actionPaste = nullptr;
    QAction *actionDelete = nullptr;
    QAction *actionEditText = nullptr;
    QAction *actionEditName = nullptr;
    QAction *actionSelectAll = nullptr;
    QAction *actionSelectAllOfCurrentLayer = nullptr;
    QAction *actionCopyFormat = nullptr;
    QAction *actionPasteFormat = nullptr;
    QAction *actionInsertImage = nullptr;

    QAction *actionNewLayer = nullptr;
    QAction *actionDeleteLayer = nullptr;
    QAction *actionDuplicateLayer = nullptr;

    QAction *actionGroup = nullptr;
    QAction *actionUnGroup = nullptr;
    QAction *actionEditGroup = nullptr;
    QAction *actionLock = nullptr;
    QAction *actionUnLock = nullptr;
    QAction *actionBringForward = nullptr;
    QAction *actionSendBackward = nullptr;
    QAction *actionBringToFront = nullptr;
    QAction *actionSendToBack = nullptr;
    QAction *actionFlipHorizontal = nullptr;
    QAction *actionFlipVertical = nullptr;
    QAction *actionAlignLeft = nullptr;
    QAction *actionAlignTop = nullptr;
    QAction *actionAlignRight = nullptr;
    QAction *actionAlignBottom = nullptr;
    QAction *actionAlignCenter = nullptr;

    // The tool bar's frame entries; the last one shows the selection status.
    QAction *toolActionFrame = nullptr;
    QAction *actionFrameIndex = nullptr;
    QAction *actionSelectionStatus = nullptr;
    // Has no parent; the window deletes it.
    SketchFramePopupWindow *framePopupWindow = nullptr;

    // The catalogue page while its list request waits ("LOADING..."): no
    // view is on it yet, so it can be neither closed nor opened twice.
    QPointer<QWidget> catalogueLoadingPage;
    // True from a click on a catalogue entry until its dialog has loaded:
    // further clicks meanwhile open nothing.
    bool catalogueEntryLoading = false;
};

#endif // MAINWINDOW_H
