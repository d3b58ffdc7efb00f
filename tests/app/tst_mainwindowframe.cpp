// The main window's frame: its six menus with their texts, shortcuts and
// icons, the tool bar and the views' context menu sharing the same action
// objects, and the theme restored from the user settings.
#include "app/mainwindow.h"
#include "editor/sketchdocumentview.h"
#include "skin/windows/skintheme.h"
#include "windowfixture.h"

#include <QApplication>
#include <QClipboard>
#include <QMenuBar>
#include <QToolBar>
#include <QtTest>

using namespace windowfixture;

class TestMainWindowFrame : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void framesTheWindow();
    void listsTheMenuEntries_data();
    void listsTheMenuEntries();
    void bindsShortcutsAndIcons_data();
    void bindsShortcutsAndIcons();
    void startsWithTheViewToggles();
    void keepsExportAllHidden();
    void toolBarSharesTheMenuActions();
    void endsTheToolBarWithTheFrameEntries();
    void contextMenuHoldsTheSameActions();
    void offersSaveAsMaterialInBothMenus();
    void offersPasteByTheClipboard();
    void restoresTheSavedTheme_data();
    void restoresTheSavedTheme();

private:
    // The entries of a menu: texts, "-" for a separator, a submenu by its
    // title in brackets.
    static QStringList entries(const QMenu *menu);
    static QMenu *menuTitled(const MainWindow &window, const QString &title);

    Home m_home;
    MainWindow *m_window = nullptr;
};

void TestMainWindowFrame::initTestCase()
{
    QVERIFY(m_home.install());
}

void TestMainWindowFrame::init()
{
    m_window = new MainWindow;
}

void TestMainWindowFrame::cleanup()
{
    delete m_window;
    m_window = nullptr;
    m_home.removeSettings();
}

QStringList TestMainWindowFrame::entries(const QMenu *menu)
{
    QStringList texts;
    for (const QAction *action : menu->actions()) {
        if (action->isSeparator())
            texts.append("-");
        else if (action->menu())
            texts.append("[" + action->text() + "]");
        else
            texts.append(action->text());
    }
    return texts;
}

QMenu *TestMainWindowFrame::menuTitled(const MainWindow &window, const QString &title)
{
    for (QAction *action : window.menuBar()->actions()) {
        if (action->text() == title)
            return action->menu();
    }
    return nullptr;
}

void TestMainWindowFrame::framesTheWindow()
{
    QCOMPARE(m_window->minimumSize(), QSize(800, 480));
    QCOMPARE(m_window->size(), QSize(920, 560));
    QVERIFY(!m_window->isTitleVisible());
    QVERIFY(!m_window->windowIcon().isNull());
    QVERIFY(!m_window->menuBar()->isHidden());
    QVERIFY(!m_window->toolBar()->isHidden());
    QStringList titles;
    for (const QAction *action : m_window->menuBar()->actions())
        titles.append(action->text());
    QCOMPARE(titles, QStringList({"&File", "&Edit", "&View", "&Shape", "&Layer", "&Help"}));
    // No tab until the start opens one.
    QCOMPARE(tabs(*m_window)->pages().size(), 0);
}

void TestMainWindowFrame::listsTheMenuEntries_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("File") << "&File"
                          << QStringList{"New File", "Open", "-", "Save", "Save As...", "Save All", "-",
                                         "Export to Image...", "Export All to Images...",
                                         "Export to Slice Images...", "-", "Print...", "-", "Exit"};
    QTest::newRow("Edit") << "&Edit"
                          << QStringList{"Undo", "Redo", "-", "Cut", "Copy", "Paste", "Delete", "-",
                                         "Edit Text", "Edit Name", "-", "Select All",
                                         "Select All of Current Layer", "-", "Copy Format",
                                         "Paste Format", "-", "Insert Image..."};
    QTest::newRow("View") << "&View"
                          << QStringList{"Material Panel", "Design Panel", "Grid Lines",
                                         "Automatic Slices", "-", "Paper Size..."};
    QTest::newRow("Shape") << "&Shape"
                           << QStringList{"Bring Forward", "Send Backward", "Bring to Front",
                                          "Send to Back", "-", "Align Left", "Align Right",
                                          "Align Top", "Align Bottom", "Align Center", "-",
                                          "Flip Horizontal", "Flip Vertical", "-", "Group", "UnGroup",
                                          "Edit Group", "-", "Lock", "UnLock", "-",
                                          "[Save as Material]"};
    QTest::newRow("Layer") << "&Layer" << QStringList{"New", "Delete", "Duplicate"};
    QTest::newRow("Help") << "&Help"
                          << QStringList{"Online Help...", "Feedback...", "-", "About Storyloom..."};
}

void TestMainWindowFrame::listsTheMenuEntries()
{
    QFETCH(QString, title);
    QFETCH(QStringList, expected);
    const QMenu *menu = menuTitled(*m_window, title);
    QVERIFY(menu);
    QCOMPARE(entries(menu), expected);
}

void TestMainWindowFrame::bindsShortcutsAndIcons_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("shortcut"); // portable text, empty for none
    QTest::addColumn<QString>("icon");     // the image it is drawn from, empty for none

    const auto row = [](const char *field, const char *shortcut, const char *icon) {
        QTest::newRow(field) << field << shortcut
                             << (*icon ? QString(":/actions/images/%1.png").arg(icon) : QString());
    };
    row("actionNewFile", "Ctrl+N", "NewFile");
    row("actionOpen", "Ctrl+O", "Open");
    row("actionSave", "Ctrl+S", "Save");
    row("actionSaveAs", "", "");
    row("actionSaveAll", "Ctrl+Shift+S", "");
    row("actionExportToImage", "", "");
    row("actionPrint", "Ctrl+P", "Print");
    row("actionUndo", "Ctrl+Z", "Undo");
    row("actionRedo", "Ctrl+Y", "Redo");
    row("actionCut", "Ctrl+X", "");
    row("actionCopy", "Ctrl+C", "");
    row("actionPaste", "Ctrl+V", "");
    row("actionDelete", "Del", "");
    row("actionEditText", "F2", "");
    row("actionEditName", "F3", "");
    row("actionSelectAll", "Ctrl+A", "");
    row("actionSelectAllOfCurrentLayer", "Ctrl+Shift+A", "");
    row("actionCopyFormat", "Ctrl+Shift+C", "");
    row("actionPasteFormat", "Ctrl+Shift+V", "");
    row("actionInsertImage", "", "");
    row("actionBringForward", "Ctrl+Up", "BringForward");
    row("actionSendBackward", "Ctrl+Down", "SendBackward");
    row("actionBringToFront", "Ctrl+Shift+Up", "BringToFront");
    row("actionSendToBack", "Ctrl+Shift+Down", "SendToBack");
    row("actionAlignLeft", "", "ShapeAlignLeft");
    row("actionAlignRight", "", "ShapeAlignRight");
    row("actionAlignTop", "", "ShapeAlignTop");
    row("actionAlignBottom", "", "ShapeAlignBottom");
    row("actionAlignCenter", "", "ShapeAlignCenter");
    row("actionFlipHorizontal", "", "FlipHorizontal");
    row("actionFlipVertical", "", "FlipVertical");
    row("actionGroup", "Ctrl+G", "Group");
    row("actionUnGroup", "Ctrl+Shift+G", "UnGroup");
    row("actionEditGroup", "", "EditGroup");
    row("actionLock", "Ctrl+L", "Lock");
    row("actionUnLock", "Ctrl+Shift+L", "UnLock");
    row("actionPaperSize", "", "");
    row("actionNewLayer", "", "");
    row("actionExportLayersToImage", "", "");
}

void TestMainWindowFrame::bindsShortcutsAndIcons()
{
    QFETCH(QString, field);
    QFETCH(QString, shortcut);
    QFETCH(QString, icon);
    const QAction *entry = action(*m_window, qPrintable(field));
    QVERIFY(entry);
    QCOMPARE(entry->shortcut(), QKeySequence(shortcut, QKeySequence::PortableText));
    QCOMPARE(entry->icon().isNull(), icon.isEmpty());
    if (icon.isEmpty())
        return;
    // The drawing, tinted in the theme's icon colour: the same pixels show.
    const QImage drawn = QImage(icon).convertToFormat(QImage::Format_ARGB32);
    const QImage shown = entry->icon().pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(shown.size(), drawn.size());
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const QRgb pixel = shown.pixel(x, y);
            QCOMPARE(qAlpha(pixel) > 0, qAlpha(drawn.pixel(x, y)) > 0);
            if (qAlpha(pixel) > 0)
                QCOMPARE(QColor(pixel).rgb(), skinIconColor.rgb());
        }
    }
}

void TestMainWindowFrame::startsWithTheViewToggles()
{
    QStringList checkable;
    for (const QAction *menu : m_window->menuBar()->actions()) {
        for (const QAction *entry : menu->menu()->actions()) {
            if (entry->isCheckable())
                checkable.append(entry->objectName() + (entry->isChecked() ? " on" : " off"));
        }
    }
    checkable.sort();
    QCOMPARE(checkable, QStringList({"actionAutoSlices off", "actionDesignPanel on",
                                     "actionGridLines off", "actionMaterialPanel on"}));
}

void TestMainWindowFrame::keepsExportAllHidden()
{
    QAction *exportAll = action(*m_window, "actionExportAllToImages");
    QVERIFY(exportAll);
    QVERIFY(!exportAll->isVisible());
    QVERIFY(menuTitled(*m_window, "&File")->actions().contains(exportAll));
}

void TestMainWindowFrame::toolBarSharesTheMenuActions()
{
    QStringList bar;
    for (const QAction *entry : m_window->toolBar()->actions())
        bar.append(entry->isSeparator() ? QString("-") : entry->objectName());
    QCOMPARE(bar, QStringList({"actionNewFile", "actionOpen", "actionSave", "actionPrint", "-",
                               "actionUndo", "actionRedo", "-", "actionBringForward",
                               "actionSendBackward", "actionBringToFront", "actionSendToBack", "-",
                               "actionAlignLeft", "actionAlignRight", "actionAlignTop",
                               "actionAlignBottom", "actionAlignCenter", "-", "actionFlipHorizontal",
                               "actionFlipVertical", "-", "toolActionFrame", "actionFrameIndex",
                               "actionSelectionStatus"}));
    // One object: disabling the menu entry disables the button too.
    QAction *undo = action(*m_window, "actionUndo");
    QVERIFY(menuTitled(*m_window, "&Edit")->actions().contains(undo));
    QWidget *button = m_window->toolBar()->widgetForAction(undo);
    QVERIFY(button);
    undo->setEnabled(false);
    QVERIFY(!button->isEnabled());
}

void TestMainWindowFrame::endsTheToolBarWithTheFrameEntries()
{
    const QAction *frame = action(*m_window, "toolActionFrame");
    QVERIFY(frame);
    QVERIFY(!frame->icon().isNull());
    QCOMPARE(frame->text(), QString());
    QCOMPARE(action(*m_window, "actionFrameIndex")->text(), QString("0/0"));
    QCOMPARE(action(*m_window, "actionSelectionStatus")->text(), QString());
}

void TestMainWindowFrame::contextMenuHoldsTheSameActions()
{
    const auto *menu = m_window->findChild<QMenu *>("shapeMenu");
    QVERIFY(menu);
    QStringList names;
    for (const QAction *entry : menu->actions()) {
        if (entry->isSeparator())
            names.append("-");
        else
            names.append(entry->menu() ? entry->menu()->objectName() : entry->objectName());
    }
    QCOMPARE(names, QStringList({"actionCut", "actionCopy", "actionPaste", "actionDelete", "-",
                                 "actionEditText", "actionEditName", "-", "actionGroup",
                                 "actionUnGroup", "actionEditGroup", "-", "actionLock",
                                 "actionUnLock", "-", "actionCopyFormat", "actionPasteFormat", "-",
                                 "actionExportToImage", "actionExportLayersToImage",
                                 "actionExportShapeToImage", "-", "menuSaveAsMaterial"}));
    QCOMPARE(action(*m_window, "actionExportLayersToImage")->text(), QString("Export layers to image..."));
    QCOMPARE(action(*m_window, "actionExportShapeToImage")->text(),
             QString("Export selected shapes to image..."));
    // Every document view pops it up.
    m_window->newFile();
    QCOMPARE(m_window->currentSketchView()->contextMenu(), menu);
}

void TestMainWindowFrame::offersSaveAsMaterialInBothMenus()
{
    const auto *submenu = m_window->findChild<QMenu *>("menuSaveAsMaterial");
    QVERIFY(submenu);
    QCOMPARE(entries(submenu),
             QStringList({"Role", "Prop", "Bubble", "Nature", "Effect", "Scene", "Others"}));
    const QMenu *shape = menuTitled(*m_window, "&Shape");
    const auto *context = m_window->findChild<QMenu *>("shapeMenu");
    QCOMPARE(shape->actions().last()->menu(), submenu);
    QCOMPARE(context->actions().last()->menu(), submenu);
}

void TestMainWindowFrame::offersPasteByTheClipboard()
{
    auto *menu = m_window->findChild<QMenu *>("shapeMenu");
    QAction *paste = action(*m_window, "actionPaste");
    QAction *pasteFormat = action(*m_window, "actionPasteFormat");
    QClipboard *clipboard = QApplication::clipboard();

    // No document view: both off, whatever the clipboard holds.
    clipboard->setText("<StoryloomClipboardShape><Shape Points=\"0,0;10,10\"/></StoryloomClipboardShape>");
    emit menu->aboutToShow();
    QVERIFY(!paste->isEnabled());
    QVERIFY(!pasteFormat->isEnabled());

    m_window->newFile();
    emit menu->aboutToShow();
    QVERIFY(paste->isEnabled());
    QVERIFY(!pasteFormat->isEnabled()); // no shape selected to take a format

    clipboard->setText("plain words");
    emit menu->aboutToShow();
    QVERIFY(!paste->isEnabled());
    clipboard->clear();
}

void TestMainWindowFrame::restoresTheSavedTheme_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<int>("theme");
    QTest::newRow("none saved") << QByteArray() << int(Black);
    QTest::newRow("Gray") << QByteArray("[General]\nthemeName=Gray\n") << int(Gray);
    QTest::newRow("Olive") << QByteArray("[General]\nthemeName=Olive\n") << int(Olive);
    QTest::newRow("letter case differs") << QByteArray("[General]\nthemeName=gray\n") << int(Black);
    QTest::newRow("unknown") << QByteArray("[General]\nthemeName=Pink\n") << int(Black);
}

void TestMainWindowFrame::restoresTheSavedTheme()
{
    QFETCH(QByteArray, settings);
    QFETCH(int, theme);
    // A theme other than the expected one in force before.
    setSkinThemeStyle(theme == Blue ? Black : Blue);
    if (!settings.isNull())
        QVERIFY(m_home.writeSettings(settings));
    MainWindow window;
    QCOMPARE(int(skinThemeStyle()), theme);
    QCOMPARE(window.styleSheet(), skinStyleSheet);
    const QImage undo = action(window, "actionUndo")->icon().pixmap(16, 16).toImage();
    bool tinted = false;
    for (int y = 0; y < undo.height(); ++y) {
        for (int x = 0; x < undo.width(); ++x)
            tinted = tinted || (qAlpha(undo.pixel(x, y)) > 0 && QColor(undo.pixel(x, y)).rgb() == skinIconColor.rgb());
    }
    QVERIFY(tinted);
}

QTEST_MAIN(TestMainWindowFrame)
#include "tst_mainwindowframe.moc"
