// The popup menu that keeps right clicks on its items from doing anything.
#include "skinfixture.h"

#include "skin/windows/skinmenu.h"

#include <QAction>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

class TestSkinMenu : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void rightClickOnAnItemDoesNothing_data();
    void rightClickOnAnItemDoesNothing();
    void leftClickTriggers();
};

void TestSkinMenu::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestSkinMenu::rightClickOnAnItemDoesNothing_data()
{
    QTest::addColumn<int>("item");
    QTest::newRow("action") << 0;
    QTest::newRow("separator") << 1;
}

void TestSkinMenu::rightClickOnAnItemDoesNothing()
{
    QFETCH(int, item);

    SkinMenu menu;
    QAction *open = menu.addAction(QStringLiteral("Open"));
    QAction *separator = menu.addSeparator();
    menu.addAction(QStringLiteral("Close"));
    QSignalSpy triggered(&menu, &QMenu::triggered);
    menu.popup(QPoint(100, 100));
    QVERIFY(QTest::qWaitForWindowExposed(&menu));

    const QRect r = menu.actionGeometry(item == 0 ? open : separator);
    QTest::mouseClick(&menu, Qt::RightButton, Qt::NoModifier, r.center());
    QCOMPARE(triggered.count(), 0);
    QVERIFY(menu.isVisible());
    menu.close();
}

void TestSkinMenu::leftClickTriggers()
{
    SkinMenu menu;
    QAction *open = menu.addAction(QStringLiteral("Open"));
    QSignalSpy triggered(open, &QAction::triggered);
    menu.popup(QPoint(100, 100));
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    QTest::mouseClick(&menu, Qt::LeftButton, Qt::NoModifier, menu.actionGeometry(open).center());
    QCOMPARE(triggered.count(), 1);
    QVERIFY(!menu.isVisible());
}

QTEST_MAIN(TestSkinMenu)
#include "tst_skinmenu.moc"
