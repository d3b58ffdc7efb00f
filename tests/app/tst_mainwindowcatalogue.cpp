// The main window's online catalogue: its one tab, the entries' dialog, and
// that nothing the window does while a catalogue request waits can take
// away what the request fills.
#include "app/mainwindow.h"
#include "materials/cataloguefixture.h"
#include "materials/sketchmaterialdialog.h"
#include "materials/sketchmaterialbox.h"
#include "materials/sketchmaterialfile.h"
#include "materials/sketchmateriallistview.h"
#include "skin/gridfixture.h"
#include "skin/windows/skinmessagebox.h"
#include "windowfixture.h"

#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace windowfixture;

namespace {

// Answers every dialog with Cancel and notes its title.
class DialogRecorder
{
public:
    DialogRecorder()
        : m_hook([this](SkinDialog *dialog) {
            titles.append(dialog->windowTitle());
            centres.append(dialog->frameGeometry().center());
            return int(SkinDialog::ResultCancel);
        })
    {
    }
    QStringList titles;
    QList<QPoint> centres;

private:
    SkinDialog::ScopedAnswerHook m_hook;
};

} // namespace

class TestMainWindowCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void opensTheCatalogueInOneTab();
    void keepsTheLoadingPageWhileTheListWaits();
    void respondsAgainAfterAListThatNeverCame();
    void opensTheDialogOfAClickedCard();
    void closingTheCatalogueWhileAnEntryLoadsIsSafe();
    void opensNoDialogWithoutTheCatalogue();
    void downloadMoreInThePanelOpensTheCatalogue();
    void downloadImportsIntoThePanel();
    void bothRequestsCarryTheUsersId();

private:
    SkinTabControl *tabControl() const { return tabs(*m_window); }
    SketchMaterialBox *materialBox() const { return m_window->findChild<SketchMaterialBox *>("materialBox"); }
    SketchMaterialListView *catalogue() const
    {
        for (SketchView *view : m_window->sketchViews()) {
            if (auto *list = qobject_cast<SketchMaterialListView *>(view))
                return list;
        }
        return nullptr;
    }

    Home m_home;
    MainWindow *m_window = nullptr;
};

void TestMainWindowCatalogue::initTestCase()
{
    QVERIFY(m_home.install());
    gridfixture::registerGridTypes();
}

void TestMainWindowCatalogue::init()
{
    m_window = new MainWindow;
    m_window->resize(900, 600);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TestMainWindowCatalogue::cleanup()
{
    delete m_window;
    m_window = nullptr;
    m_home.removeSettings();
}

void TestMainWindowCatalogue::opensTheCatalogueInOneTab()
{
    CatalogueService service;
    QVERIFY(service.start(QStringLiteral("six")));
    m_window->newFile();
    const int before = tabControl()->pages().size();

    m_window->downloadMoreMaterials();
    QCOMPARE(tabControl()->pages().size(), before + 1);
    SketchMaterialListView *view = catalogue();
    QVERIFY(view);
    QCOMPARE(m_window->currentSketchView(), view);
    QCOMPARE(tabTexts(*m_window).last(), QStringLiteral("Material Library"));
    QCOMPARE(view->grid()->itemCount(), 6);
    const QRect area = tabControl()->pageRect();
    QCOMPARE(view->geometry(), QRect(0, 3, area.width(), area.height() - 3));
    QVERIFY(view->isVisible());
    QVERIFY(!m_window->isBusy());

    // Again, from another tab: only the catalogue's tab comes to the front.
    tabControl()->setCurrentIndex(0);
    m_window->openMaterialListView();
    QCOMPARE(tabControl()->pages().size(), before + 1);
    QCOMPARE(m_window->currentSketchView(), view);
    QCOMPARE(service.listRequests(), 1);

    // Closed, it asks nothing and a new opening asks the service again.
    QVERIFY(m_window->closeCurView());
    QVERIFY(!catalogue());
    m_window->openMaterialListView();
    QVERIFY(catalogue());
    QCOMPARE(service.listRequests(), 2);
}

void TestMainWindowCatalogue::keepsTheLoadingPageWhileTheListWaits()
{
    CatalogueService service;
    QVERIFY(service.start(QStringLiteral("six"),
                          {{"/Services/MaterialList.ashx", fakeanswer::delayed(fakeanswer::text("<MaterialList/>"), 800)}}));
    m_window->newFile();

    QStringList seen;
    bool busy = false;
    QTimer::singleShot(200, m_window, [&] {
        seen = tabTexts(*m_window);
        busy = m_window->isBusy();
        // Whatever closes or opens the catalogue meanwhile changes nothing.
        m_window->closeAllViews();
        tabControl()->setCurrentIndex(tabControl()->pages().size() - 1);
        m_window->closeCurView();
        emit tabControl()->pageClosing(tabControl()->pages().size() - 1);
        m_window->openMaterialListView();
        m_window->downloadMoreMaterials();
        m_window->close();
    });
    m_window->openMaterialListView();

    QCOMPARE(seen.size(), 2);
    QCOMPARE(seen.last(), QStringLiteral("LOADING..."));
    QVERIFY(busy);
    QVERIFY(!m_window->isBusy());
    QVERIFY(m_window->isVisible());
    // The document tab closed; the catalogue stands, once.
    QCOMPARE(tabTexts(*m_window), QStringList{QStringLiteral("Material Library")});
    QVERIFY(catalogue());
    QCOMPARE(service.listRequests(), 1);
}

void TestMainWindowCatalogue::respondsAgainAfterAListThatNeverCame()
{
    CatalogueService service;
    QVERIFY(service.start(QStringLiteral("silent")));
    MaterialCatalogueRequest::setTimeoutMs(300);
    m_window->openMaterialListView();
    QVERIFY(catalogue());
    QCOMPARE(catalogue()->grid()->itemCount(), 0);
    QCOMPARE(tabTexts(*m_window), QStringList{QStringLiteral("Material Library")});
    QVERIFY(!m_window->isBusy());
    m_window->newFile();
    QCOMPARE(tabControl()->pages().size(), 2);
    QVERIFY(m_window->closeView(0));
    QVERIFY(!catalogue());
}

void TestMainWindowCatalogue::opensTheDialogOfAClickedCard()
{
    CatalogueService service;
    QVERIFY(service.start(QStringLiteral("six")));
    m_window->openMaterialListView();
    SketchMaterialListView *view = catalogue();
    QVERIFY(view);
    DialogRecorder dialogs;
    // A second click before the first has opened anything opens nothing.
    gridfixture::click(view->grid(), QPoint(60, 60));
    gridfixture::click(view->grid(), QPoint(180, 60));
    QTRY_COMPARE_WITH_TIMEOUT(dialogs.titles, QStringList{QStringLiteral("Four(4)")}, 30000);
    QTest::qWait(50);
    QCOMPARE(dialogs.titles.size(), 1);
    QVERIFY(!m_window->isBusy());
    // Centred over the catalogue.
    const QPoint centre = view->mapToGlobal(view->rect().center());
    QVERIFY2((dialogs.centres.first() - centre).manhattanLength() <= 2,
             qPrintable(QStringLiteral("%1,%2").arg(dialogs.centres.first().x()).arg(dialogs.centres.first().y())));
    QCOMPARE(service.materialRequests(), 1);
}

void TestMainWindowCatalogue::closingTheCatalogueWhileAnEntryLoadsIsSafe()
{
    CatalogueService service;
    QVERIFY(service.start(QStringLiteral("six"),
                          {{"/Services/MaterialGet.ashx",
                            fakeanswer::delayed(fakeanswer::text("<MaterialFile><Material Guid=\"{x}\"/></MaterialFile>"), 800)}}));
    m_window->openMaterialListView();
    SketchMaterialListView *view = catalogue();
    QVERIFY(view);
    DialogRecorder dialogs;
    bool busy = false;
    QTimer::singleShot(300, m_window, [&] {
        busy = m_window->isBusy();
        m_window->closeAllViews();
    });
    gridfixture::click(view->grid(), QPoint(60, 60));
    QTRY_COMPARE_WITH_TIMEOUT(dialogs.titles, QStringList{QStringLiteral("Four(1)")}, 30000);
    QVERIFY(busy);
    QVERIFY(!catalogue());
    QVERIFY(!m_window->isBusy());
}

void TestMainWindowCatalogue::opensNoDialogWithoutTheCatalogue()
{
    CatalogueService service;
    QVERIFY(service.start(QStringLiteral("six")));
    DialogRecorder dialogs;
    SketchMaterialFile file(QStringLiteral("Four"));
    m_window->materialClicked(&file);
    m_window->materialClicked(nullptr);
    QTest::qWait(50);
    QVERIFY(dialogs.titles.isEmpty());
    QCOMPARE(service.materialRequests(), 0);
}

void TestMainWindowCatalogue::downloadMoreInThePanelOpensTheCatalogue()
{
    CatalogueService service;
    QVERIFY(service.start(QStringLiteral("six")));
    QVERIFY(materialBox());
    QAction *more = nullptr;
    for (QAction *action : materialBox()->panelMenu()->actions()) {
        if (action->text() == QStringLiteral("Download More"))
            more = action;
    }
    QVERIFY(more);
    more->trigger();
    QVERIFY(catalogue());
    QCOMPARE(m_window->currentSketchView(), catalogue());
    m_window->newFile();
    // With the catalogue open it only comes to the front.
    more->trigger();
    QCOMPARE(m_window->currentSketchView(), catalogue());
    QCOMPARE(tabControl()->pages().size(), 2);
    QCOMPARE(service.listRequests(), 1);
}

void TestMainWindowCatalogue::downloadImportsIntoThePanel()
{
    CatalogueService service;
    QVERIFY(service.start(QStringLiteral("six")));
    m_window->openMaterialListView();
    QVERIFY(catalogue());
    QStringList events;
    SkinDialog::ScopedAnswerHook hook([&](SkinDialog *dialog) {
        events.append(dialog->windowTitle());
        if (auto *entry = qobject_cast<SketchMaterialDialog *>(dialog)) {
            entry->downloadButton()->click();
            return entry->result();
        }
        events.append(qobject_cast<SkinMessageBox *>(dialog)->text());
        return int(SkinDialog::ResultOk);
    });
    gridfixture::click(catalogue()->grid(), QPoint(60, 60));
    QTRY_COMPARE_WITH_TIMEOUT(events.size(), 3, 30000);
    QCOMPARE(events, (QStringList{"Four(4)", "Finished", "4 materials are imported."}));
    QCOMPARE(materialBox()->materialFile()->materials().size(), 4);
    // Into the pages of their categories.
    QCOMPARE(materialBox()->grids().at(3)->itemCount(), 2);
    QCOMPARE(materialBox()->grids().at(0)->itemCount(), 1);
    QCOMPARE(materialBox()->grids().at(1)->itemCount(), 1);
}

void TestMainWindowCatalogue::bothRequestsCarryTheUsersId()
{
    // The window reads the settings while it is built.
    const QString userId = QStringLiteral("u 7&x=#");
    QVERIFY(m_home.writeSettings("[General]\nuserId=" + userId.toUtf8() + "\n"));
    delete m_window;
    m_window = new MainWindow;
    m_window->resize(900, 600);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    CatalogueService service;
    QVERIFY(service.start(QStringLiteral("six")));
    m_window->openMaterialListView();
    SketchMaterialListView *view = catalogue();
    QVERIFY(view);
    DialogRecorder dialogs;
    gridfixture::click(view->grid(), QPoint(60, 60));
    QTRY_COMPARE_WITH_TIMEOUT(dialogs.titles.size(), 1, 5000);

    const QList<QJsonObject> requests = service.requests();
    QCOMPARE(requests.size(), 2);
    for (const QJsonObject &request : requests)
        QCOMPARE(request.value("query_fields").toObject().value("UserId").toString(), userId);
}

QTEST_MAIN(TestMainWindowCatalogue)
#include "tst_mainwindowcatalogue.moc"
