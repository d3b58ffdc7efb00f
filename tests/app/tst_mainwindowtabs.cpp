// The main window's document tabs: the lookups, where a new view stands,
// the tab texts, the refresh when the current tab changes, the tab
// control's two menus, and how often opening a page paints it.
#include "app/mainwindow.h"
#include "app/sketchlayercontrol.h"
#include "editor/sketchdocumentview.h"
#include "model/sketchdocument.h"
#include "model/sketchgroup.h"
#include "model/sketchlayer.h"
#include "programfixture.h"
#include "skin/controls/skingridview.h"
#include "windowfixture.h"

#include <QAbstractEventDispatcher>

#include <QMenu>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

using namespace windowfixture;

namespace {

// Counts the paint events of every widget while it lives.
class PaintCounter : public QObject
{
public:
    PaintCounter() { qApp->installEventFilter(this); }
    int paints(QObject *widget) const { return m_paints.value(widget); }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++m_paints[watched];
        return false;
    }

private:
    QHash<QObject *, int> m_paints;
};

// Runs every posted event and repaint until nothing is left to do.
void settle()
{
    QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance();
    int idleRounds = 0;
    for (int round = 0; round < 1000 && idleRounds < 2; ++round) {
        QCoreApplication::sendPostedEvents();
        idleRounds = dispatcher->processEvents(QEventLoop::AllEvents) ? 0 : idleRounds + 1;
    }
}

} // namespace

class TestMainWindowTabs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void findsNoViewOutsideThePages();
    void placesANewViewBelowThePageTop();
    void keepsTheViewsInTheirPagesOnResize();
    void showsTheContextButtonWhilePagesExist();
    void writesTheCaptionIntoTheTab();
    void refreshesTheCurrentTabOnAnyChange();
    void followsTheGridAndSliceMarksOfTheCurrentView();
    void listsThePagesInTheContextMenu();
    void offersCloseOthersAndAllWithSeveralTabs();
    void findsAFileByAnyOfItsNames_data();
    void findsAFileByAnyOfItsNames();
    void findsTheViewThatEditsAGroup();
    void paintsAnOpenedPageOnce_data();
    void paintsAnOpenedPageOnce();

private:
    SkinTabControl *tabControl() const { return tabs(*m_window); }

    Home m_home;
    QTemporaryDir m_files;
    MainWindow *m_window = nullptr;
};

void TestMainWindowTabs::initTestCase()
{
    QVERIFY(m_home.install());
    QVERIFY(m_files.isValid());
}

void TestMainWindowTabs::init()
{
    m_window = new MainWindow;
    m_window->show();
}

void TestMainWindowTabs::cleanup()
{
    delete m_window;
    m_window = nullptr;
}

void TestMainWindowTabs::findsNoViewOutsideThePages()
{
    QVERIFY(!m_window->currentSketchView());
    QVERIFY(!m_window->currentDocumentView());
    QVERIFY(!m_window->sketchViewAt(0));
    m_window->newFile();
    m_window->newFile();
    QVERIFY(m_window->sketchViewAt(0));
    QVERIFY(m_window->sketchViewAt(1));
    QVERIFY(!m_window->sketchViewAt(-1));
    QVERIFY(!m_window->sketchViewAt(2));
    QCOMPARE(m_window->sketchViews().size(), 2);
    QCOMPARE(m_window->currentSketchView(), m_window->sketchViewAt(1));
    // A page that holds no view counts for none.
    tabControl()->addPage(QString("empty"), true);
    QVERIFY(!m_window->currentSketchView());
    QCOMPARE(m_window->sketchViews().size(), 2);
}

void TestMainWindowTabs::placesANewViewBelowThePageTop()
{
    SketchDocumentView *view = m_window->createSketchView();
    QCOMPARE(m_window->currentDocumentView(), view);
    QCOMPARE(tabTexts(*m_window), QStringList({""}));
    const QRect page = tabControl()->pageRect();
    QCOMPARE(view->geometry(), QRect(0, 3, page.width(), page.height() - 3));
    QVERIFY(view->isTextEditingEnabled());
}

void TestMainWindowTabs::keepsTheViewsInTheirPagesOnResize()
{
    m_window->newFile();
    m_window->newFile();
    m_window->resize(1200, 800);
    // The tabs stand between the tool panel and the design panel.
    const QWidget *central = m_window->centralWidget();
    QCOMPARE(tabControl()->geometry(), QRect(221, 2, central->width() - 190 - 221 + 1,
                                             central->height() - 4));
    const QRect page = tabControl()->pageRect();
    for (SketchView *view : m_window->sketchViews())
        QCOMPARE(view->geometry(), QRect(0, 3, page.width(), page.height() - 3));
}

void TestMainWindowTabs::showsTheContextButtonWhilePagesExist()
{
    const QToolButton *button = tabControl()->contextButton();
    emit tabControl()->selectedIndexChanged();
    QVERIFY(button->isHidden());
    m_window->newFile();
    QVERIFY(!button->isHidden());
    QVERIFY(m_window->closeView(0));
    QVERIFY(button->isHidden());
}

void TestMainWindowTabs::writesTheCaptionIntoTheTab()
{
    m_window->newFile();
    SketchView *view = m_window->currentSketchView();
    QCOMPARE(tabTexts(*m_window), QStringList({"untitled1 @ 100%"}));
    modify(view);
    QCOMPARE(tabTexts(*m_window), QStringList({"untitled1 @ 100% *"}));
    view->setZoom(1.5f);
    emit view->zoomChanged();
    QCOMPARE(tabTexts(*m_window), QStringList({"untitled1 @ 150% *"}));
}

void TestMainWindowTabs::refreshesTheCurrentTabOnAnyChange()
{
    m_window->newFile();
    m_window->newFile();
    SketchView *first = m_window->sketchViewAt(0);
    // A view that is not current changes: the current tab's text is
    // refreshed, not its own.
    modify(first);
    QVERIFY(first->isModified());
    QCOMPARE(tabTexts(*m_window), QStringList({"untitled1 @ 100%", "untitled2 @ 100%"}));
    modify(m_window->sketchViewAt(1));
    QCOMPARE(tabTexts(*m_window), QStringList({"untitled1 @ 100%", "untitled2 @ 100% *"}));
}

void TestMainWindowTabs::followsTheGridAndSliceMarksOfTheCurrentView()
{
    QAction *grid = action(*m_window, "actionGridLines");
    QAction *slices = action(*m_window, "actionAutoSlices");
    m_window->newFile();
    SketchDocumentView *first = m_window->currentDocumentView();
    first->setGridVisible(true);
    first->setAutoSliceVisible(false);
    m_window->newFile();
    // The new view's own settings: no grid, automatic slices shown.
    QVERIFY(!grid->isChecked());
    QVERIFY(slices->isChecked());
    tabControl()->setCurrentIndex(0);
    emit tabControl()->selectedIndexChanged();
    QVERIFY(grid->isChecked());
    QVERIFY(!slices->isChecked());
    // A page without a document view leaves the marks as they are.
    tabControl()->addPage(QString("empty"), true);
    QVERIFY(grid->isChecked());
    QVERIFY(!slices->isChecked());
}

void TestMainWindowTabs::listsThePagesInTheContextMenu()
{
    m_window->newFile();
    m_window->newFile();
    m_window->newFile();
    tabControl()->setCurrentIndex(1);
    QMenu *menu = tabControl()->contextMenu();
    emit tabControl()->contextMenuShowing();
    QStringList items;
    for (const QAction *item : menu->actions())
        items.append(item->text() + (item->isChecked() ? " (current)" : ""));
    QCOMPARE(items, QStringList({"untitled1 @ 100%", "untitled2 @ 100% (current)", "untitled3 @ 100%"}));
    QVERIFY(!menu->actions().at(0)->isCheckable());

    QSignalSpy refreshes(tabControl(), &SkinTabControl::selectedIndexChanged);
    menu->actions().at(2)->trigger();
    QCOMPARE(tabControl()->currentIndex(), 2);
    QCOMPARE(refreshes.count(), 1);
    // Shown again, the menu lists the pages anew.
    emit tabControl()->contextMenuShowing();
    QCOMPARE(menu->actions().size(), 3);
    QVERIFY(menu->actions().at(2)->isChecked());
}

void TestMainWindowTabs::offersCloseOthersAndAllWithSeveralTabs()
{
    QMenu *menu = tabControl()->tabMenu();
    const auto states = [menu]() {
        emit menu->aboutToShow();
        QStringList states;
        for (const QAction *item : menu->actions())
            states.append(item->text() + (item->isEnabled() ? " on" : " off"));
        return states;
    };
    m_window->newFile();
    QCOMPARE(states(), QStringList({"Close on", "Close Others off", "Close All off"}));
    m_window->newFile();
    QCOMPARE(states(), QStringList({"Close on", "Close Others on", "Close All on"}));
    menu->actions().at(1)->trigger();
    QCOMPARE(titles(*m_window), QStringList({"untitled2"}));
    QCOMPARE(states(), QStringList({"Close on", "Close Others off", "Close All off"}));
}

void TestMainWindowTabs::findsAFileByAnyOfItsNames_data()
{
    QTest::addColumn<QString>("asked"); // relative to the files folder
    QTest::addColumn<bool>("found");
    QTest::newRow("as opened") << "page.slf" << true;
    QTest::newRow("through a dot") << "./page.slf" << true;
    QTest::newRow("through a detour") << "sub/../page.slf" << true;
    QTest::newRow("doubled separator") << ".//page.slf" << true;
    QTest::newRow("through a link") << "link.slf" << true;
    QTest::newRow("other letter case") << "Page.slf" << false;
    QTest::newRow("another file") << "other.slf" << false;
}

void TestMainWindowTabs::findsAFileByAnyOfItsNames()
{
    QFETCH(QString, asked);
    QFETCH(bool, found);
    const QDir folder(m_files.path());
    QVERIFY(programfixture::writeFile(folder.filePath("page.slf"), programfixture::greenPage()));
    QVERIFY(folder.mkpath("sub"));
    QFile::link(folder.filePath("page.slf"), folder.filePath("link.slf"));
    QVERIFY(QDir::setCurrent(folder.path()));
    QVERIFY(!m_window->findOpenView(QString()));
    m_window->openFiles({folder.filePath("page.slf")});
    QCOMPARE(m_window->sketchViews().size(), 1);
    QCOMPARE(m_window->findOpenView(asked) != nullptr, found);
    if (found)
        QCOMPARE(m_window->findOpenView(asked), m_window->sketchViewAt(0));
}

void TestMainWindowTabs::findsTheViewThatEditsAGroup()
{
    m_window->newFile();
    SketchDocumentView *source = m_window->currentDocumentView();
    auto *group = new SketchGroup(source->currentLayer());
    m_window->newFile();
    m_window->newFile();
    SketchDocumentView *editing = m_window->currentDocumentView();
    editing->setSourceDocument(source->document());
    editing->setEditedGroup(group);
    QCOMPARE(m_window->findGroupEditingView(group), editing);
    QVERIFY(!m_window->findGroupEditingView(nullptr));
    auto *other = new SketchGroup(source->currentLayer());
    QVERIFY(!m_window->findGroupEditingView(other));
}

void TestMainWindowTabs::paintsAnOpenedPageOnce_data()
{
    QTest::addColumn<bool>("besideAnother");
    QTest::newRow("the first tab") << false;
    QTest::newRow("beside another tab") << true;
}

// The page is painted once when a page opens, not once for the empty tab
// and again for the page; the layers' rows no more than twice.
void TestMainWindowTabs::paintsAnOpenedPageOnce()
{
    QFETCH(bool, besideAnother);
    const QString fileName = QDir(m_files.path()).filePath("painted.slf");
    QVERIFY(programfixture::writeFile(fileName, programfixture::greenPage()));
    m_window->resize(1000, 700);
    if (besideAnother)
        m_window->newFile();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    settle();
    auto *layers = m_window->findChild<SketchLayerControl *>(QStringLiteral("layerControl"));
    QVERIFY(layers);
    PaintCounter counter;

    m_window->openFiles({fileName});
    settle();
    SketchDocumentView *view = m_window->currentDocumentView();
    QVERIFY(view);
    QCOMPARE(view->fileName(), QDir::cleanPath(QFileInfo(fileName).absoluteFilePath()));
    QCOMPARE(counter.paints(view), 1);
    // The rows once, and once more with the thumbnails, which are made only
    // after the page's own first paint.
    QVERIFY2(counter.paints(layers->grid()) <= 2, qPrintable(QString::number(counter.paints(layers->grid()))));
}

QTEST_MAIN(TestMainWindowTabs)
#include "tst_mainwindowtabs.moc"
