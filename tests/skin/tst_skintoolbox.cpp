// The tool-button palette: where buttons and separators go, and which
// buttons a press releases.
#include "skinfixture.h"

#include "skin/windows/skintoolbox.h"

#include <QFrame>
#include <QPushButton>
#include <QStandardPaths>
#include <QtTest>

class TestSkinToolBox : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void itemsStackDown();
    void captionBarFollowsTheWidth();
    void exclusiveChecking();
    void nonExclusiveButtonsStayChecked();
};

void TestSkinToolBox::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestSkinToolBox::itemsStackDown()
{
    SkinToolBox box;
    QPushButton *first = box.addButton(QIcon(), QStringLiteral("Select"), true);
    QFrame *separator = box.addSeparator();
    QPushButton *second = box.addButton(QIcon(), QStringLiteral("Path"), false);

    QCOMPARE(first->geometry(), QRect(QPoint(8, 20), QPoint(35, 43)));
    QCOMPARE(separator->geometry(), QRect(QPoint(8, 45), QPoint(35, 46)));
    QCOMPARE(second->geometry().topLeft(), QPoint(8, 48));
    QCOMPARE(second->size(), QSize(28, 24));
    QCOMPARE(separator->objectName(), QStringLiteral("HLine"));
    QVERIFY(first->isCheckable());
    QCOMPARE(first->focusPolicy(), Qt::NoFocus);
    QVERIFY(first->text().isEmpty());
    QCOMPARE(second->toolTip(), QStringLiteral("Path"));
    QCOMPARE(box.buttons(), (QList<QPushButton *>{first, second}));
    QCOMPARE(box.items(), (QList<QWidget *>{first, separator, second}));

    // A taller caption moves only the items added after the change.
    SkinToolBox tall;
    tall.setCaptionHeight(30);
    QCOMPARE(tall.addSeparator()->geometry().top(), 38);
}

void TestSkinToolBox::captionBarFollowsTheWidth()
{
    SkinToolBox box;
    box.resize(44, 300);
    box.show();
    QFrame *caption = box.findChild<QFrame *>(QStringLiteral("toolWindowCaptionBar"));
    QVERIFY(caption);
    QCOMPARE(caption->geometry(), QRect(QPoint(1, 1), QPoint(42, 12)));
    box.setCaptionHeight(15);
    box.resize(60, 300);
    QCOMPARE(caption->geometry(), QRect(QPoint(1, 1), QPoint(58, 15)));
}

void TestSkinToolBox::exclusiveChecking()
{
    SkinToolBox box;
    QPushButton *a = box.addButton(QIcon(), QStringLiteral("A"), true);
    QPushButton *b = box.addButton(QIcon(), QStringLiteral("B"), true);
    box.show();

    QTest::mouseClick(a, Qt::LeftButton);
    QVERIFY(a->isChecked());
    // The press releases A before B checks itself on the release.
    QTest::mousePress(b, Qt::LeftButton);
    QVERIFY(!a->isChecked());
    QVERIFY(!b->isChecked());
    QTest::mouseRelease(b, Qt::LeftButton);
    QVERIFY(b->isChecked());
    // Pressing the checked button unchecks it, and nothing stays checked.
    QTest::mouseClick(b, Qt::LeftButton);
    QVERIFY(!a->isChecked());
    QVERIFY(!b->isChecked());
}

void TestSkinToolBox::nonExclusiveButtonsStayChecked()
{
    SkinToolBox box;
    QPushButton *a = box.addButton(QIcon(), QStringLiteral("A"), true);
    QPushButton *lock = box.addButton(QIcon(), QStringLiteral("Lock"), false);
    QPushButton *b = box.addButton(QIcon(), QStringLiteral("B"), true);
    box.show();

    QTest::mouseClick(lock, Qt::LeftButton);
    QTest::mouseClick(a, Qt::LeftButton);
    QVERIFY(lock->isChecked());
    QVERIFY(a->isChecked());
    QTest::mouseClick(b, Qt::LeftButton);
    QVERIFY(lock->isChecked());
    QVERIFY(!a->isChecked());
    QVERIFY(b->isChecked());
    // Its own press releases the exclusive ones; its click toggles only it.
    QTest::mouseClick(lock, Qt::LeftButton);
    QVERIFY(!lock->isChecked());
    QVERIFY(!b->isChecked());
}

QTEST_MAIN(TestSkinToolBox)
#include "tst_skintoolbox.moc"
