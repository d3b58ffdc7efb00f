// The collapsible titled panel: folding by the title bar and from code with
// the captured height, the context button and its menu, the arrows, and
// visibleChanged() only on a real change.
#include "skinfixture.h"

#include "skin/windows/skingroupbox.h"
#include "skin/windows/skinmenu.h"
#include "skin/windows/skintheme.h"

#include <QLabel>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace skintest;

namespace {

std::unique_ptr<SkinGroupBox> shownBox(bool expandable, int height = 200)
{
    auto box = std::make_unique<SkinGroupBox>();
    box->setTitle(QStringLiteral("Design"));
    box->setExpandable(expandable);
    box->resize(220, height);
    box->show();
    return box;
}

QLabel *titleLabel(SkinGroupBox *box)
{
    return box->findChild<QLabel *>();
}

} // namespace

class TestSkinGroupBox : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void titleBarLayout_data();
    void titleBarLayout();
    void collapseAndExpand();
    void expandedHeightIsCapturedOnce();
    void titleBarPresses_data();
    void titleBarPresses();
    void contextMenuUnderTheButton_data();
    void contextMenuUnderTheButton();
    void noMenuOrHiddenButtonShowsNothing();
    void visibleChangedOnlyOnAChange();
    void paintsTheArrowOfItsState();
    void themeChangeRetintsTheArrows();
};

void TestSkinGroupBox::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestSkinGroupBox::init()
{
    setSkinThemeStyle(Black);
}

void TestSkinGroupBox::titleBarLayout_data()
{
    QTest::addColumn<bool>("expandable");
    QTest::addColumn<int>("titleX");
    QTest::newRow("expandable") << true << 18;
    QTest::newRow("fixed") << false << 2;
}

void TestSkinGroupBox::titleBarLayout()
{
    QFETCH(bool, expandable);
    QFETCH(int, titleX);

    const auto box = shownBox(expandable);
    QCOMPARE(titleLabel(box.get())->text(), QStringLiteral("Design"));
    QCOMPARE(box->title(), QStringLiteral("Design"));
    QCOMPARE(titleLabel(box.get())->geometry(), QRect(titleX, 0, 220 - 18, 19));
    QCOMPARE(box->contextButton()->geometry(), QRect(QPoint(194, 2), QPoint(217, 18)));
    QVERIFY(box->contextButton()->isHidden());
    QCOMPARE(titleLabel(box.get())->alignment(), Qt::AlignVCenter);
    box->setTitleAlignment(Qt::AlignCenter);
    QCOMPARE(titleLabel(box.get())->alignment(), Qt::AlignCenter);
    QCOMPARE(box->titleAlignment(), Qt::AlignCenter);
}

void TestSkinGroupBox::collapseAndExpand()
{
    const auto box = shownBox(true);
    QSignalSpy changed(box.get(), &SkinGroupBox::expandChanged);
    auto *content = new QLabel(QStringLiteral("content"), box.get());
    content->setGeometry(10, 40, 100, 20);
    content->show();

    box->setExpanded(false);
    QVERIFY(!box->isExpanded());
    QCOMPARE(box->height(), 19);
    QCOMPARE(box->width(), 220);
    QCOMPARE(changed.count(), 1);
    // Clipped, not hidden.
    QVERIFY(!content->isHidden());

    box->setExpanded(false);
    QCOMPARE(changed.count(), 1);
    box->setExpanded(true);
    QCOMPARE(box->height(), 200);
    QCOMPARE(changed.count(), 2);
    box->setExpanded(true);
    QCOMPARE(changed.count(), 2);

    // A taller title bar folds to its own height less one.
    box->setTitleHeight(30);
    box->setExpanded(false);
    QCOMPARE(box->height(), 29);
}

void TestSkinGroupBox::expandedHeightIsCapturedOnce()
{
    const auto box = shownBox(true, 200);
    QCOMPARE(box->expandedHeight(), 200);
    // Later resizes of the expanded panel do not count.
    box->resize(220, 260);
    box->setExpanded(false);
    box->setExpanded(true);
    QCOMPARE(box->height(), 200);

    // Never shown: the first collapse captures it.
    SkinGroupBox hidden;
    hidden.resize(100, 150);
    QCOMPARE(hidden.expandedHeight(), 0);
    hidden.setExpanded(false);
    QCOMPARE(hidden.expandedHeight(), 150);
    hidden.setExpanded(true);
    QCOMPARE(hidden.height(), 150);
}

void TestSkinGroupBox::titleBarPresses_data()
{
    QTest::addColumn<bool>("expandable");
    QTest::addColumn<bool>("contextButton");
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("toggles");

    QTest::newRow("left press on the title") << true << false << QPoint(50, 10) << int(Qt::LeftButton) << true;
    QTest::newRow("right press toggles too") << true << false << QPoint(50, 10) << int(Qt::RightButton) << true;
    QTest::newRow("where the hidden button would be") << true << false << QPoint(200, 10) << int(Qt::LeftButton)
                                                      << true;
    QTest::newRow("title's last row") << true << false << QPoint(50, 19) << int(Qt::LeftButton) << true;
    QTest::newRow("below the title") << true << false << QPoint(50, 20) << int(Qt::LeftButton) << false;
    QTest::newRow("left of the button") << true << true << QPoint(193, 10) << int(Qt::LeftButton) << true;
    QTest::newRow("on the button's column") << true << true << QPoint(194, 1) << int(Qt::LeftButton) << false;
    QTest::newRow("right of the button") << true << true << QPoint(219, 10) << int(Qt::LeftButton) << false;
    QTest::newRow("not expandable") << false << false << QPoint(50, 10) << int(Qt::LeftButton) << false;
}

void TestSkinGroupBox::titleBarPresses()
{
    QFETCH(bool, expandable);
    QFETCH(bool, contextButton);
    QFETCH(QPoint, pos);
    QFETCH(int, button);
    QFETCH(bool, toggles);

    const auto box = shownBox(expandable);
    if (contextButton)
        box->contextButton()->show();
    QSignalSpy changed(box.get(), &SkinGroupBox::expandChanged);
    press(box.get(), pos, Qt::MouseButton(button));
    QCOMPARE(changed.count(), toggles ? 1 : 0);
    QCOMPARE(box->isExpanded(), !toggles);
}

void TestSkinGroupBox::contextMenuUnderTheButton_data()
{
    QTest::addColumn<bool>("rightAligned");
    QTest::newRow("right-aligned") << true;
    QTest::newRow("left-aligned") << false;
}

void TestSkinGroupBox::contextMenuUnderTheButton()
{
    QFETCH(bool, rightAligned);

    const auto box = shownBox(true);
    SkinMenu menu;
    menu.addAction(QStringLiteral("Hide the panel for now"));
    box->setContextMenu(&menu);
    box->setContextMenuRightAligned(rightAligned);
    box->contextButton()->show();
    QSignalSpy changed(box.get(), &SkinGroupBox::expandChanged);
    QTest::mouseClick(box->contextButton(), Qt::LeftButton);
    QVERIFY(menu.isVisible());
    QCOMPARE(changed.count(), 0);

    const QToolButton *button = box->contextButton();
    const QRect global(button->mapToGlobal(QPoint(0, 0)), button->size());
    const int left = rightAligned ? global.right() - menu.width() + 1 : global.left();
    QCOMPARE(menu.geometry().topLeft(), shownMenuPos(QPoint(left, global.bottom() + 2)));
    menu.close();
}

void TestSkinGroupBox::noMenuOrHiddenButtonShowsNothing()
{
    const auto box = shownBox(false);
    box->contextButton()->show();
    box->showContextMenu();  // no menu: nothing to do
    SkinMenu menu;
    box->setContextMenu(&menu);
    QCOMPARE(box->contextMenu(), &menu);
    box->contextButton()->hide();
    menu.addAction(QStringLiteral("Entry"));
    box->showContextMenu();
    QVERIFY(!menu.isVisible());
}

void TestSkinGroupBox::visibleChangedOnlyOnAChange()
{
    QWidget window;
    auto *box = new SkinGroupBox(&window);
    QSignalSpy changed(box, &SkinGroupBox::visibleChanged);

    // Hidden before the window shows: it stays hidden when the window shows.
    box->setVisible(false);
    QCOMPARE(changed.count(), 1);
    box->setVisible(false);
    QCOMPARE(changed.count(), 1);
    window.show();
    QVERIFY(!box->isVisible());

    box->setVisible(true);
    QCOMPARE(changed.count(), 2);
    QVERIFY(box->isVisible());
    box->setVisible(true);
    box->show();
    QCOMPARE(changed.count(), 2);
    box->hide();
    QCOMPARE(changed.count(), 3);
    box->setVisible(false);
    QCOMPARE(changed.count(), 3);

    // A panel shown with its window never changed by itself.
    auto *other = new SkinGroupBox;
    QSignalSpy otherChanged(other, &SkinGroupBox::visibleChanged);
    QWidget second;
    other->setParent(&second);
    second.show();
    QVERIFY(other->isVisible());
    QCOMPARE(otherChanged.count(), 0);
}

void TestSkinGroupBox::paintsTheArrowOfItsState()
{
    setSkinThemeStyle(Gray);
    const auto box = shownBox(true, 120);
    const QImage collapseArrow = skinTintedImage(QStringLiteral(":/widgets/images/Collapse.png"));
    const QImage expandArrow = skinTintedImage(QStringLiteral(":/widgets/images/Expand.png"));
    QVERIFY(!collapseArrow.isNull());
    const QRect arrowRect(4, (20 - collapseArrow.height()) / 2, collapseArrow.width(), collapseArrow.height());

    QImage shot = box->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(pixelAt(shot, 100, 5), skinPanelTitleColor);
    QCOMPARE(pixelAt(shot, 100, 60), skinPanelColor);
    QCOMPARE(pixelAt(shot, 0, 60), skinBorderColor);
    QCOMPARE(pixelAt(shot, 100, 18), skinBorderColor);
    QCOMPARE(pixelAt(shot, 100, 19), skinLightLineColor);
    // The collapse arrow while expanded, pixel for pixel where it is drawn.
    for (int y = 0; y < collapseArrow.height(); ++y) {
        for (int x = 0; x < collapseArrow.width(); ++x) {
            if (qAlpha(collapseArrow.pixel(x, y)) == 255)
                QCOMPARE(pixelAt(shot, arrowRect.x() + x, arrowRect.y() + y), skinIconColor);
        }
    }
    box->setExpanded(false);
    shot = box->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < expandArrow.height(); ++y) {
        for (int x = 0; x < expandArrow.width(); ++x) {
            const bool drawn = qAlpha(expandArrow.pixel(x, y)) == 255;
            QCOMPARE(pixelAt(shot, arrowRect.x() + x, arrowRect.y() + y) == skinIconColor, drawn);
        }
    }
    QCOMPARE(shot.height(), 19);

    // A panel that does not fold has no arrow.
    const auto fixed = shownBox(false, 120);
    fixed->setTitle(QString());
    QCOMPARE(countColour(fixed->grab().toImage(), skinIconColor, arrowRect), 0);
}

void TestSkinGroupBox::themeChangeRetintsTheArrows()
{
    const auto box = shownBox(true, 120);
    const QRect arrowArea(4, 5, 9, 9);
    QVERIFY(countColour(box->grab().toImage(), QColor(180, 180, 180), arrowArea) > 0);
    setSkinThemeStyle(Blue);
    // Kept until the owner asks for the new theme's icons.
    QVERIFY(countColour(box->grab().toImage(), QColor(180, 180, 180), arrowArea) > 0);
    box->updateButtonIcons();
    QCOMPARE(countColour(box->grab().toImage(), QColor(180, 180, 180), arrowArea), 0);
    QVERIFY(countColour(box->grab().toImage(), QColor(0, 0, 0), arrowArea) > 0);
}

QTEST_MAIN(TestSkinGroupBox)
#include "tst_skingroupbox.moc"
