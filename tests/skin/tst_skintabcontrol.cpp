// The tab strip: adding, selecting and removing pages with their signals in
// order, the two tab layouts, close buttons and the page each one names,
// the context and tab menus, URL drops, painting and theme re-tinting.
#include "skinfixture.h"

#include "skin/windows/skinmenu.h"
#include "skin/windows/skintabcontrol.h"
#include "skin/windows/skintheme.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace skintest;

namespace {

// Every signal of a control, in the order they come.
class SignalLog : public QObject
{
public:
    QStringList entries;
    QList<QWidget *> added;
    QList<QWidget *> removed;
    QList<QList<QUrl>> drops;

    explicit SignalLog(SkinTabControl *tabs)
    {
        connect(tabs, &SkinTabControl::selectedIndexChanged, this, [this] { entries << "selected"; });
        connect(tabs, &SkinTabControl::pageAdded, this, [this](QWidget *page) {
            entries << "added";
            added << page;
        });
        connect(tabs, &SkinTabControl::pageRemoved, this, [this](QWidget *page) {
            entries << "removed";
            removed << page;
        });
        connect(tabs, &SkinTabControl::contextMenuShowing, this, [this] { entries << "context"; });
        connect(tabs, &SkinTabControl::urlsDroped, this, [this](const QList<QUrl> &urls) {
            entries << "drop";
            drops << urls;
        });
        connect(tabs, &SkinTabControl::pageClosing, this,
                [this](int index) { entries << QStringLiteral("closing %1").arg(index); });
    }
};

std::unique_ptr<SkinTabControl> shownTabs(int width = 400, int height = 200)
{
    auto tabs = std::make_unique<SkinTabControl>();
    tabs->resize(width, height);
    tabs->show();
    return tabs;
}

int visiblePages(const SkinTabControl &tabs)
{
    int count = 0;
    for (const QWidget *page : tabs.pages())
        count += page->isVisible();
    return count;
}

int textWidth(const SkinTabControl &tabs, const QString &title)
{
    return tabs.fontMetrics().boundingRect(title).width();
}

QPoint tabCentre(const SkinTabControl &tabs, int index)
{
    const QRect r = tabs.tabRect(index);
    return r.topLeft() + QPoint(r.width() / 2, r.height() / 2);
}

void sendDrag(SkinTabControl *tabs, QMimeData *data, bool *entered, bool *dropped)
{
    QDragEnterEvent enter(QPoint(50, 10), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tabs, &enter);
    *entered = enter.isAccepted();
    QDropEvent drop(QPointF(50, 10), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tabs, &drop);
    *dropped = drop.isAccepted();
}

QColor iconColour(const QIcon &icon)
{
    const QImage image = icon.pixmap(QSize(16, 16)).toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) == 255)
                return QColor::fromRgb(image.pixel(x, y));
        }
    }
    return QColor();
}

} // namespace

class TestSkinTabControl : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void addingPages();
    void insertedPagesBecomeChildren();
    void removingPages_data();
    void removingPages();
    void removingLeftOfCurrentLeavesOnePageShown();
    void invalidIndicesAreIgnored();
    void setCurrentIndexClampsAndStaysQuiet();
    void pressSelectsTheTab();
    void naturalWidths();
    void iconTabs();
    void contextButtonCutsTheTabs();
    void equalWidths_data();
    void equalWidths();
    void pageRectAndAdjustments();
    void pageTitles();
    void closeButtonsNameTheirOwnPage();
    void closeButtonsFollowTheFlag();
    void tabMenuInTheStrip_data();
    void tabMenuInTheStrip();
    void contextMenu_data();
    void contextMenu();
    void emptyOrHiddenContextMenuShowsNothing();
    void urlDrops();
    void ownerMayTakePagesOut();
    void painting();
    void themeChangeRetintsIcons();
};

void TestSkinTabControl::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestSkinTabControl::init()
{
    setSkinThemeStyle(Black);
}

void TestSkinTabControl::addingPages()
{
    const auto tabs = shownTabs();
    SignalLog log(tabs.get());
    QCOMPARE(tabs->currentIndex(), -1);
    QVERIFY(!tabs->currentPage());

    // Into an empty control: current at once, without a selection signal.
    QWidget *a = tabs->addPage(QStringLiteral("A"), false);
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(log.entries, QStringList{"added"});
    QCOMPARE(log.added, QList<QWidget *>{a});
    QCOMPARE(a->parentWidget(), tabs.get());
    QVERIFY(a->hasMouseTracking());
    QVERIFY(a->isVisible());

    // Not selected: the current page stays.
    QWidget *b = tabs->addPage(QStringLiteral("B"), false);
    QCOMPARE(tabs->currentPage(), a);
    QVERIFY(!b->isVisible());
    QCOMPARE(log.entries, (QStringList{"added", "added"}));

    // Selected: current, with the signal, and pageAdded last.
    QWidget *c = tabs->addPage(QStringLiteral("C"), true);
    QCOMPARE(tabs->currentPage(), c);
    QCOMPARE(log.entries, (QStringList{"added", "added", "selected", "added"}));
    QCOMPARE(visiblePages(*tabs), 1);
    QCOMPARE(tabs->pages(), (QList<QWidget *>{a, b, c}));
    QCOMPARE(c->geometry(), tabs->pageRect());
    QCOMPARE(c->windowTitle(), QStringLiteral("C"));
}

void TestSkinTabControl::insertedPagesBecomeChildren()
{
    const auto tabs = shownTabs();
    QWidget elsewhere;
    auto *page = new QWidget(&elsewhere);
    page->setWindowTitle(QStringLiteral("Moved"));
    tabs->insertPage(page, true);
    QCOMPARE(page->parentWidget(), tabs.get());
    QVERIFY(page->isVisible());
    QCOMPARE(page->geometry(), tabs->pageRect());
}

void TestSkinTabControl::removingPages_data()
{
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("remove");
    QTest::addColumn<QString>("newCurrent");

    QTest::newRow("the current last page") << 3 << 3 << "C";
    QTest::newRow("the current first page") << 0 << 0 << "B";
    QTest::newRow("right of the current page") << 1 << 2 << "D";
    QTest::newRow("the current middle page") << 1 << 1 << "C";
}

void TestSkinTabControl::removingPages()
{
    QFETCH(int, current);
    QFETCH(int, remove);
    QFETCH(QString, newCurrent);

    const auto tabs = shownTabs();
    for (const char *title : {"A", "B", "C", "D"})
        tabs->addPage(QString::fromLatin1(title), false);
    tabs->setCurrentIndex(current);
    SignalLog log(tabs.get());
    QPointer<QWidget> removed = tabs->pages().at(remove);

    tabs->removePage(remove);
    QVERIFY(!removed);
    QCOMPARE(tabs->pages().size(), 3);
    QCOMPARE(tabs->currentPage()->windowTitle(), newCurrent);
    QCOMPARE(visiblePages(*tabs), 1);
    QVERIFY(tabs->currentPage()->isVisible());
    QCOMPARE(log.entries, (QStringList{"selected", "removed"}));
    QCOMPARE(log.removed, QList<QWidget *>{nullptr});

    // Down to none.
    while (!tabs->pages().isEmpty())
        tabs->removePage(tabs->pages().first());
    QCOMPARE(tabs->currentIndex(), -1);
    QVERIFY(!tabs->currentPage());
}

// The page that was current is hidden by itself, not by its old position,
// which the removal has given to another page.
void TestSkinTabControl::removingLeftOfCurrentLeavesOnePageShown()
{
    const auto tabs = shownTabs();
    for (const char *title : {"A", "B", "C", "D"})
        tabs->addPage(QString::fromLatin1(title), false);
    QWidget *c = tabs->pages().at(2);
    tabs->setCurrentIndex(2);
    QVERIFY(c->isVisible());

    tabs->removePage(0);
    // The page that slid into the removed position is current.
    QCOMPARE(tabs->currentPage()->windowTitle(), QStringLiteral("B"));
    QVERIFY(!c->isVisible());
    QCOMPARE(visiblePages(*tabs), 1);

    tabs->setCurrentIndex(1);
    QCOMPARE(tabs->currentPage(), c);
    QCOMPARE(visiblePages(*tabs), 1);
}

void TestSkinTabControl::invalidIndicesAreIgnored()
{
    const auto tabs = shownTabs();
    tabs->addPage(QStringLiteral("A"), false);
    SignalLog log(tabs.get());
    tabs->removePage(-1);
    tabs->removePage(1);
    QWidget stranger;
    tabs->removePage(&stranger);
    tabs->removePage(static_cast<QWidget *>(nullptr));
    tabs->setPageTitle(5, QStringLiteral("x"));
    QCOMPARE(tabs->pages().size(), 1);
    QVERIFY(log.entries.isEmpty());
    QVERIFY(tabs->tabRect(-1).isNull());
    QVERIFY(tabs->tabRect(1).isNull());
}

void TestSkinTabControl::setCurrentIndexClampsAndStaysQuiet()
{
    const auto tabs = shownTabs();
    tabs->setCurrentIndex(3);
    QCOMPARE(tabs->currentIndex(), -1);
    for (const char *title : {"A", "B", "C"})
        tabs->addPage(QString::fromLatin1(title), false);
    SignalLog log(tabs.get());
    tabs->setCurrentIndex(-5);
    QCOMPARE(tabs->currentIndex(), 0);
    tabs->setCurrentIndex(99);
    QCOMPARE(tabs->currentIndex(), 2);
    QCOMPARE(visiblePages(*tabs), 1);
    QVERIFY(log.entries.isEmpty());
}

void TestSkinTabControl::pressSelectsTheTab()
{
    const auto tabs = shownTabs();
    for (const char *title : {"First", "Second"})
        tabs->addPage(QString::fromLatin1(title), false);
    SignalLog log(tabs.get());
    press(tabs.get(), tabCentre(*tabs, 1));
    QCOMPARE(tabs->currentIndex(), 1);
    QCOMPARE(log.entries, QStringList{"selected"});
    // Any button; the current tab again says nothing.
    press(tabs.get(), tabCentre(*tabs, 1), Qt::MiddleButton);
    QCOMPARE(log.entries, QStringList{"selected"});
    press(tabs.get(), tabCentre(*tabs, 0), Qt::MiddleButton);
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(log.entries, (QStringList{"selected", "selected"}));
    // The shared edge column belongs to the first tab.
    press(tabs.get(), QPoint(tabs->tabRect(0).right(), 10));
    QCOMPARE(tabs->currentIndex(), 0);
    // Below the strip, nothing.
    press(tabs.get(), QPoint(tabCentre(*tabs, 1).x(), 100));
    QCOMPARE(tabs->currentIndex(), 0);
}

void TestSkinTabControl::naturalWidths()
{
    const auto tabs = shownTabs();
    tabs->addPage(QStringLiteral("A"), false);
    tabs->addPage(QStringLiteral("BB"), false);
    const int a = textWidth(*tabs, QStringLiteral("A")) + 16;
    const int bb = textWidth(*tabs, QStringLiteral("BB")) + 16;
    QCOMPARE(tabs->tabRect(0), QRect(0, 0, a, 20));
    // Neighbours share a pixel column.
    QCOMPARE(tabs->tabRect(1), QRect(a - 1, 0, bb, 20));
    QCOMPARE(tabs->tabRect(1).left(), tabs->tabRect(0).right());

    // With close buttons every tab is 20 wider, at the next layout.
    tabs->setCloseButtonsVisible(true);
    QCOMPARE(tabs->tabRect(0).width(), a);
    tabs->updateTabs();
    QCOMPARE(tabs->tabRect(0).width(), a + 20);
    QCOMPARE(tabs->tabRect(1), QRect(a + 19, 0, bb + 20, 20));

    // A taller strip makes taller tabs.
    tabs->setTabHeight(26);
    tabs->updateTabs();
    QCOMPARE(tabs->tabRect(1).height(), 26);
}

// Tabs show their page's own icon, never the one of the window around it.
void TestSkinTabControl::iconTabs()
{
    QWidget window;
    QPixmap programIcon(32, 32);
    programIcon.fill(Qt::red);
    window.setWindowIcon(QIcon(programIcon));
    auto *tabs = new SkinTabControl(&window);
    tabs->resize(400, 200);
    window.show();

    QPixmap pagePixmap(24, 12);
    pagePixmap.fill(Qt::blue);
    tabs->addPage(QIcon(pagePixmap), false);
    tabs->addPage(QStringLiteral("Title"), false);
    tabs->insertPage(new QWidget, false);
    QCOMPARE(tabs->tabRect(0).width(), 24 + 8);
    QCOMPARE(tabs->tabRect(1).width(), textWidth(*tabs, QStringLiteral("Title")) + 16);
    QCOMPARE(tabs->tabRect(2).width(), 16);

    const QImage shot = tabs->grab().toImage();
    QVERIFY(countColour(shot, Qt::blue, tabs->tabRect(0)) > 0);
    QCOMPARE(countColour(shot, Qt::red), 0);
}

void TestSkinTabControl::contextButtonCutsTheTabs()
{
    const auto tabs = shownTabs(200, 100);
    tabs->contextButton()->show();
    QCOMPARE(tabs->contextButton()->geometry(), QRect(QPoint(174, 2), QPoint(197, 18)));
    const QString title = QStringLiteral("A long page title");
    for (int i = 0; i < 6; ++i)
        tabs->addPage(title, false);
    const int width = textWidth(*tabs, title) + 16;
    const int buttonX = tabs->contextButton()->x();

    int cut = -1;
    for (int i = 0; i < 6; ++i) {
        const QRect r = tabs->tabRect(i);
        if (cut < 0 && r.width() < width) {
            cut = i;
            QCOMPARE(r.right(), buttonX - 2);
        } else if (cut >= 0) {
            QVERIFY(r.isNull());
        } else {
            QCOMPARE(r.width(), width);
        }
    }
    QVERIFY(cut > 0);
    // A tab that is not shown cannot be clicked: the press hits the cut tab
    // or nothing.
    press(tabs.get(), QPoint(buttonX - 3, 10));
    QCOMPARE(tabs->currentIndex(), cut);
}

void TestSkinTabControl::equalWidths_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("pages");
    QTest::addColumn<bool>("contextButton");
    QTest::addColumn<QList<QRect>>("rects");

    QTest::newRow("3 over 100") << 100 << 3 << false
                                << QList<QRect>{QRect(QPoint(0, 0), QPoint(32, 19)), QRect(QPoint(33, 0), QPoint(65, 19)),
                                                QRect(QPoint(65, 0), QPoint(99, 19))};
    QTest::newRow("one page") << 100 << 1 << false << QList<QRect>{QRect(QPoint(-1, 0), QPoint(99, 19))};
    // The button at 74 leaves 72 pixels.
    QTest::newRow("beside the context button") << 100 << 2 << true
                                               << QList<QRect>{QRect(QPoint(0, 0), QPoint(35, 19)),
                                                               QRect(QPoint(35, 0), QPoint(71, 19))};
}

void TestSkinTabControl::equalWidths()
{
    QFETCH(int, width);
    QFETCH(int, pages);
    QFETCH(bool, contextButton);
    QFETCH(QList<QRect>, rects);

    const auto tabs = shownTabs(width, 80);
    tabs->setEqualTabWidth(true);
    if (contextButton)
        tabs->contextButton()->show();
    for (int i = 0; i < pages; ++i)
        tabs->addPage(QStringLiteral("Page %1").arg(i), false);
    for (int i = 0; i < pages; ++i)
        QCOMPARE(tabs->tabRect(i), rects.at(i));
}

void TestSkinTabControl::pageRectAndAdjustments()
{
    const auto tabs = shownTabs(300, 200);
    QWidget *page = tabs->addPage(QStringLiteral("A"), false);
    QCOMPARE(tabs->pageRect(), QRect(QPoint(1, 20), QPoint(299, 199)));
    tabs->setPageRectAdjustment(-1, -2, 0, 0);
    QCOMPARE(tabs->pageRectAdjustment(), QMargins(-1, -2, 0, 0));
    QCOMPARE(tabs->pageRect(), QRect(QPoint(0, 18), QPoint(299, 199)));
    tabs->resize(320, 200);
    QCOMPARE(page->geometry(), QRect(QPoint(0, 18), QPoint(319, 199)));
}

void TestSkinTabControl::pageTitles()
{
    const auto tabs = shownTabs();
    tabs->addPage(QStringLiteral("A"), false);
    tabs->addPage(QStringLiteral("B"), false);
    tabs->setPageTitle(0, QStringLiteral("A much longer title"));
    QCOMPARE(tabs->pages().first()->windowTitle(), QStringLiteral("A much longer title"));
    const int width = textWidth(*tabs, QStringLiteral("A much longer title")) + 16;
    QCOMPARE(tabs->tabRect(0).width(), width);
    QCOMPARE(tabs->tabRect(1).left(), width - 1);
}

// Only pages added while close buttons show have one, and each button
// reports its own page's present index.
void TestSkinTabControl::closeButtonsNameTheirOwnPage()
{
    const auto tabs = shownTabs(600, 100);
    tabs->addPage(QStringLiteral("No button"), false);
    tabs->setCloseButtonsVisible(true);
    QWidget *b = tabs->addPage(QStringLiteral("B"), false);
    QWidget *c = tabs->addPage(QStringLiteral("C"), false);
    const QList<QPushButton *> buttons = tabs->findChildren<QPushButton *>();
    QCOMPARE(buttons.size(), 2);
    SignalLog log(tabs.get());

    auto buttonOn = [&](QWidget *page) -> QPushButton * {
        const QRect tab = tabs->tabRect(tabs->pages().indexOf(page));
        for (QPushButton *button : buttons) {
            if (tab.contains(button->geometry()))
                return button;
        }
        return nullptr;
    };
    QPushButton *closeC = buttonOn(c);
    QVERIFY(closeC);
    QCOMPARE(closeC->geometry(), QRect(tabs->tabRect(2).right() - 18, 2, 16, 16));
    QCOMPARE(closeC->toolTip(), QStringLiteral("Close"));
    QCOMPARE(closeC->focusPolicy(), Qt::NoFocus);
    QVERIFY(closeC->isVisible());

    QTest::mouseClick(closeC, Qt::LeftButton);
    QCOMPARE(log.entries, QStringList{"closing 2"});
    // The control closes nothing itself.
    QCOMPARE(tabs->pages().size(), 3);

    tabs->removePage(0);
    QCOMPARE(tabs->findChildren<QPushButton *>().size(), 2);
    QTest::mouseClick(closeC, Qt::LeftButton);
    QTest::mouseClick(buttonOn(b), Qt::LeftButton);
    QCOMPARE(log.entries, (QStringList{"closing 2", "selected", "removed", "closing 1", "closing 0"}));

    // A removed page takes its button along.
    tabs->removePage(b);
    QCOMPARE(tabs->findChildren<QPushButton *>().size(), 1);
}

void TestSkinTabControl::closeButtonsFollowTheFlag()
{
    const auto tabs = shownTabs();
    tabs->setCloseButtonsVisible(true);
    tabs->addPage(QStringLiteral("A"), false);
    tabs->addPage(QStringLiteral("B"), false);
    tabs->setCloseButtonsVisible(false);
    for (QPushButton *button : tabs->findChildren<QPushButton *>())
        QVERIFY(button->isHidden());
    tabs->setCloseButtonsVisible(true);
    for (QPushButton *button : tabs->findChildren<QPushButton *>())
        QVERIFY(!button->isHidden());
    // Removed while the flag is off, the page's button goes with it.
    tabs->setCloseButtonsVisible(false);
    tabs->removePage(0);
    QCOMPARE(tabs->findChildren<QPushButton *>().size(), 1);
}

void TestSkinTabControl::tabMenuInTheStrip_data()
{
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("pages");
    QTest::addColumn<bool>("shown");
    QTest::newRow("right click on a tab") << QPoint(5, 10) << int(Qt::RightButton) << true << true;
    QTest::newRow("right click beside the tabs") << QPoint(300, 10) << int(Qt::RightButton) << true << true;
    QTest::newRow("right click below the strip") << QPoint(300, 20) << int(Qt::RightButton) << true << false;
    QTest::newRow("left click") << QPoint(5, 10) << int(Qt::LeftButton) << true << false;
    QTest::newRow("no page") << QPoint(5, 10) << int(Qt::RightButton) << false << false;
}

void TestSkinTabControl::tabMenuInTheStrip()
{
    QFETCH(QPoint, pos);
    QFETCH(int, button);
    QFETCH(bool, pages);
    QFETCH(bool, shown);

    const auto tabs = shownTabs();
    if (pages)
        tabs->addPage(QStringLiteral("A"), false);
    QVERIFY(qobject_cast<SkinMenu *>(tabs->tabMenu()));
    tabs->tabMenu()->addAction(QStringLiteral("Close others"));
    QSignalSpy aboutToShow(tabs->tabMenu(), &QMenu::aboutToShow);
    press(tabs.get(), pos, Qt::MouseButton(button));
    QCOMPARE(tabs->tabMenu()->isVisible(), shown);
    QCOMPARE(aboutToShow.count(), shown ? 1 : 0);
    if (shown)
        QCOMPARE(tabs->tabMenu()->geometry().topLeft(), shownMenuPos(tabs->mapToGlobal(pos)));
    tabs->tabMenu()->close();
}

void TestSkinTabControl::contextMenu_data()
{
    QTest::addColumn<bool>("rightAligned");
    QTest::newRow("right-aligned") << true;
    QTest::newRow("left-aligned") << false;
}

void TestSkinTabControl::contextMenu()
{
    QFETCH(bool, rightAligned);

    const auto tabs = shownTabs(400, 200);
    tabs->contextButton()->show();
    tabs->setContextMenuRightAligned(rightAligned);
    QMenu *menu = tabs->contextMenu();
    QVERIFY(qobject_cast<SkinMenu *>(menu));
    // Listeners fill the menu when it is about to show.
    connect(tabs.get(), &SkinTabControl::contextMenuShowing, menu, [menu] {
        menu->clear();
        menu->addAction(QStringLiteral("A rather wide menu entry"));
    });
    SignalLog log(tabs.get());
    tabs->contextButton()->click();
    QCOMPARE(log.entries, QStringList{"context"});
    QVERIFY(menu->isVisible());
    const QToolButton *button = tabs->contextButton();
    const QRect global(button->mapToGlobal(QPoint(0, 0)), button->size());
    // Two pixels below the button's last row; right edges lined up, or left.
    const int left = rightAligned ? global.right() - menu->width() + 1 : global.left();
    QCOMPARE(menu->geometry().topLeft(), shownMenuPos(QPoint(left, global.bottom() + 2)));
    menu->close();
}

void TestSkinTabControl::emptyOrHiddenContextMenuShowsNothing()
{
    const auto tabs = shownTabs();
    SignalLog log(tabs.get());
    tabs->contextButton()->show();
    tabs->showContextMenu();
    QVERIFY(!tabs->contextMenu()->isVisible());
    QCOMPARE(log.entries, QStringList{"context"});

    tabs->contextMenu()->addAction(QStringLiteral("Entry"));
    tabs->contextButton()->hide();
    tabs->showContextMenu();
    QVERIFY(!tabs->contextMenu()->isVisible());

    // Without a menu, not even the signal.
    tabs->setContextMenu(nullptr);
    tabs->showContextMenu();
    QCOMPARE(log.entries, (QStringList{"context", "context"}));
}

void TestSkinTabControl::urlDrops()
{
    const auto tabs = shownTabs();
    SignalLog log(tabs.get());
    bool entered = true;
    bool dropped = true;

    QMimeData text;
    text.setText(QStringLiteral("just words"));
    sendDrag(tabs.get(), &text, &entered, &dropped);
    QVERIFY(!entered);
    QVERIFY(!dropped);
    QVERIFY(log.entries.isEmpty());

    QMimeData files;
    const QList<QUrl> urls{QUrl::fromLocalFile(QStringLiteral("/tmp/one.slf")),
                           QUrl::fromLocalFile(QStringLiteral("/tmp/two.slf"))};
    files.setUrls(urls);
    sendDrag(tabs.get(), &files, &entered, &dropped);
    QVERIFY(entered);
    QVERIFY(dropped);
    QCOMPARE(log.entries, QStringList{"drop"});
    QCOMPARE(log.drops, QList<QList<QUrl>>{urls});
}

void TestSkinTabControl::ownerMayTakePagesOut()
{
    const auto tabs = shownTabs();
    tabs->addPage(QStringLiteral("A"), false);
    QWidget *b = tabs->addPage(QStringLiteral("B"), false);
    tabs->pages().removeAll(b);
    tabs->updateTabs();
    QVERIFY(tabs->tabRect(1).isNull());
    QCOMPARE(b->parentWidget(), tabs.get());
    press(tabs.get(), QPoint(tabs->width() - 40, 10));
    QCOMPARE(tabs->currentIndex(), 0);
}

void TestSkinTabControl::painting()
{
    setSkinThemeStyle(Blue);
    const auto tabs = shownTabs(300, 120);
    tabs->addPage(QStringLiteral("One"), false);
    tabs->addPage(QStringLiteral("Two"), false);
    const QImage shot = tabs->grab().toImage();
    const QRect current = tabs->tabRect(0);
    const QRect other = tabs->tabRect(1);

    // The strip, the panel below, the frame and the separators.
    QCOMPARE(pixelAt(shot, 250, 8), skinPanelTitleColor);
    QCOMPARE(pixelAt(shot, 250, 18), skinBorderColor);
    QCOMPARE(pixelAt(shot, 0, 60), skinBorderColor);
    QCOMPARE(pixelAt(shot, 299, 60), skinBorderColor);
    QCOMPARE(pixelAt(shot, other.right(), 10), skinBorderColor);
    QCOMPARE(pixelAt(shot, 250, 1), skinLightLineColor);
    // The current tab's gradient covers the strip's bottom lines under it.
    QVERIFY(pixelAt(shot, current.left() + 2, 5) != skinPanelTitleColor);
    QVERIFY(pixelAt(shot, current.left() + 2, 18) != skinBorderColor);
    QCOMPARE(pixelAt(shot, other.left() + 2, 5), skinPanelTitleColor);
    // The titles, in the text colour, left of each tab's centre.
    const QRect leftHalf(other.left(), 0, other.width() / 2, 20);
    const QRect rightHalf(other.left() + other.width() / 2, 0, other.width() / 2, 20);
    QVERIFY(countNear(shot, skinTextColor, 150, leftHalf) > countNear(shot, skinTextColor, 150, rightHalf));
}

void TestSkinTabControl::themeChangeRetintsIcons()
{
    const auto tabs = shownTabs();
    tabs->setCloseButtonsVisible(true);
    tabs->addPage(QStringLiteral("A"), false);
    QPushButton *close = tabs->findChild<QPushButton *>();
    QVERIFY(close);
    QCOMPARE(iconColour(close->icon()), QColor(180, 180, 180));
    QCOMPARE(iconColour(tabs->contextButton()->icon()), QColor(180, 180, 180));

    setSkinThemeStyle(Olive);
    QCOMPARE(iconColour(close->icon()), QColor(180, 180, 180));
    tabs->updateButtonIcons();
    QCOMPARE(iconColour(close->icon()), QColor(0, 0, 0));
    QCOMPARE(iconColour(tabs->contextButton()->icon()), QColor(0, 0, 0));
}

QTEST_MAIN(TestSkinTabControl)
#include "tst_skintabcontrol.moc"
