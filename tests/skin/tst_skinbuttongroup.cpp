// The button row: geometry of the overlapping buttons, clamped selection in
// single and multi-check mode, and the signals of a click in their order.
#include "skin/controls/skinbuttongroup.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

#include <memory>

namespace {

// The group's signals as "name(index)" or "name()", in the order emitted.
class GroupLog : public QObject
{
public:
    explicit GroupLog(SkinButtonGroup *group)
    {
        connect(group, qOverload<int>(&SkinButtonGroup::selectedIndexChanged), this,
                [this](int i) { entries.append(QStringLiteral("selectedIndexChanged(%1)").arg(i)); });
        connect(group, qOverload<>(&SkinButtonGroup::selectedIndexChanged), this,
                [this] { entries.append("selectedIndexChanged()"); });
        connect(group, qOverload<int>(&SkinButtonGroup::buttonClicked), this,
                [this](int i) { entries.append(QStringLiteral("buttonClicked(%1)").arg(i)); });
        connect(group, qOverload<>(&SkinButtonGroup::buttonClicked), this,
                [this] { entries.append("buttonClicked()"); });
        connect(group, qOverload<int>(&SkinButtonGroup::buttonCheckedChanged), this,
                [this](int i) { entries.append(QStringLiteral("buttonCheckedChanged(%1)").arg(i)); });
        connect(group, qOverload<>(&SkinButtonGroup::buttonCheckedChanged), this,
                [this] { entries.append("buttonCheckedChanged()"); });
    }

    QStringList entries;
};

std::unique_ptr<SkinButtonGroup> makeGroup(int count, bool multiCheck = false)
{
    auto group = std::make_unique<SkinButtonGroup>();
    group->setMultiCheck(multiCheck);
    for (int i = 0; i < count; ++i)
        group->addButton(QIcon(), QString::number(i), QStringLiteral("tip %1").arg(i));
    return group;
}

QList<bool> checkedStates(const SkinButtonGroup &group)
{
    QList<bool> states;
    for (const QPushButton *button : group.buttons())
        states.append(button->isChecked());
    return states;
}

} // namespace

class TestSkinButtonGroup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void buttonsOverlapByOnePixel();
    void buttonSizeAppliesToLaterButtons();
    void setSelectedIndex_data();
    void setSelectedIndex();
    void clicks_data();
    void clicks();
    void onlyButtonsCountAsClicks();
};

void TestSkinButtonGroup::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestSkinButtonGroup::buttonsOverlapByOnePixel()
{
    SkinButtonGroup group;
    QCOMPARE(group.buttonSize(), QSize(20, 18));
    QCOMPARE(group.selectedIndex(), -1);
    QVERIFY(!group.isMultiCheck());
    const QPixmap pixmap(8, 8);
    QPushButton *first = group.addButton(QIcon(pixmap), QStringLiteral("L"), QStringLiteral("Left"));
    QCOMPARE(group.size(), QSize(20, 18));
    for (int i = 1; i < 4; ++i)
        group.addButton(QIcon(), QString(), QString());
    QCOMPARE(group.size(), QSize(77, 18));
    QCOMPARE(group.buttons().size(), 4);
    QCOMPARE(group.buttons().first(), first);
    const int lefts[] = {0, 19, 38, 57};
    for (int i = 0; i < 4; ++i) {
        QPushButton *button = group.buttons().at(i);
        QCOMPARE(button->geometry(), QRect(lefts[i], 0, 20, 18));
        QCOMPARE(button->parentWidget(), &group);
        QVERIFY(button->isCheckable());
        QVERIFY(!button->isChecked());
    }
    QCOMPARE(first->text(), QStringLiteral("L"));
    QCOMPARE(first->toolTip(), QStringLiteral("Left"));
    QVERIFY(!first->icon().isNull());
}

void TestSkinButtonGroup::buttonSizeAppliesToLaterButtons()
{
    auto group = makeGroup(2);
    group->setButtonSize(30, 24);
    QCOMPARE(group->buttonSize(), QSize(30, 24));
    QCOMPARE(group->buttons().at(1)->geometry(), QRect(19, 0, 20, 18));
    QPushButton *third = group->addButton(QIcon(), QString(), QString());
    QCOMPARE(third->geometry(), QRect(58, 0, 30, 24));
    QCOMPARE(group->size(), QSize(88, 24));
}

void TestSkinButtonGroup::setSelectedIndex_data()
{
    QTest::addColumn<bool>("multiCheck");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QList<bool>>("checked");
    // Every row starts with index 1 selected.
    QTest::newRow("in range") << false << 4 << 2 << 2 << QList<bool>{false, false, true, false};
    QTest::newRow("first") << false << 4 << 0 << 0 << QList<bool>{true, false, false, false};
    QTest::newRow("above the last") << false << 4 << 10 << 3 << QList<bool>{false, false, false, true};
    QTest::newRow("negative unchecks") << false << 4 << -5 << -1 << QList<bool>{false, false, false, false};
    QTest::newRow("same again") << false << 4 << 1 << 1 << QList<bool>{false, true, false, false};
    QTest::newRow("multi leaves the buttons") << true << 4 << 3 << 3 << QList<bool>{false, true, false, false};
    QTest::newRow("multi clamps") << true << 4 << 10 << 3 << QList<bool>{false, true, false, false};
    QTest::newRow("multi negative") << true << 4 << -5 << -1 << QList<bool>{false, true, false, false};
    QTest::newRow("no buttons") << false << 0 << 0 << -1 << QList<bool>{};
}

void TestSkinButtonGroup::setSelectedIndex()
{
    QFETCH(bool, multiCheck);
    QFETCH(int, count);
    QFETCH(int, index);
    QFETCH(int, selected);
    QFETCH(QList<bool>, checked);
    auto group = makeGroup(count);
    group->setSelectedIndex(1);
    group->setMultiCheck(multiCheck);
    GroupLog log(group.get());
    group->setSelectedIndex(index);
    QCOMPARE(group->selectedIndex(), selected);
    QCOMPARE(checkedStates(*group), checked);
    QCOMPARE(log.entries, QStringList());
}

void TestSkinButtonGroup::clicks_data()
{
    QTest::addColumn<bool>("multiCheck");
    QTest::addColumn<int>("preselected");
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QStringList>("lastClick");
    QTest::addColumn<QList<bool>>("checked");

    QTest::newRow("single, first click")
        << false << -1 << QList<int>{2}
        << QStringList{"selectedIndexChanged(2)", "selectedIndexChanged()", "buttonClicked(2)", "buttonClicked()"}
        << QList<bool>{false, false, true, false};
    QTest::newRow("single, another button")
        << false << -1 << QList<int>{2, 0}
        << QStringList{"selectedIndexChanged(0)", "selectedIndexChanged()", "buttonClicked(0)", "buttonClicked()"}
        << QList<bool>{true, false, false, false};
    QTest::newRow("single, the checked button stays checked")
        << false << -1 << QList<int>{2, 2}
        << QStringList{"buttonClicked(2)", "buttonClicked()"}
        << QList<bool>{false, false, true, false};
    QTest::newRow("single, the preselected button")
        << false << 3 << QList<int>{3}
        << QStringList{"buttonClicked(3)", "buttonClicked()"}
        << QList<bool>{false, false, false, true};
    QTest::newRow("multi, first click")
        << true << -1 << QList<int>{1}
        << QStringList{"selectedIndexChanged(1)", "selectedIndexChanged()", "buttonClicked(1)", "buttonClicked()",
                       "buttonCheckedChanged(1)", "buttonCheckedChanged()"}
        << QList<bool>{false, true, false, false};
    QTest::newRow("multi, toggles off")
        << true << -1 << QList<int>{1, 1}
        << QStringList{"buttonClicked(1)", "buttonClicked()", "buttonCheckedChanged(1)", "buttonCheckedChanged()"}
        << QList<bool>{false, false, false, false};
    QTest::newRow("multi, buttons stay on together")
        << true << -1 << QList<int>{1, 3}
        << QStringList{"selectedIndexChanged(3)", "selectedIndexChanged()", "buttonClicked(3)", "buttonClicked()",
                       "buttonCheckedChanged(3)", "buttonCheckedChanged()"}
        << QList<bool>{false, true, false, true};
    QTest::newRow("multi, the preselected button")
        << true << 2 << QList<int>{2}
        << QStringList{"buttonClicked(2)", "buttonClicked()", "buttonCheckedChanged(2)", "buttonCheckedChanged()"}
        << QList<bool>{false, false, true, false};
}

void TestSkinButtonGroup::clicks()
{
    QFETCH(bool, multiCheck);
    QFETCH(int, preselected);
    QFETCH(QList<int>, clicks);
    QFETCH(QStringList, lastClick);
    QFETCH(QList<bool>, checked);
    auto group = makeGroup(4, multiCheck);
    group->setSelectedIndex(preselected);
    GroupLog log(group.get());
    for (int button : clicks) {
        log.entries.clear();
        group->buttons().at(button)->click();
    }
    QCOMPARE(log.entries, lastClick);
    QCOMPARE(group->selectedIndex(), clicks.last());
    QCOMPARE(checkedStates(*group), checked);
}

void TestSkinButtonGroup::onlyButtonsCountAsClicks()
{
    auto group = makeGroup(3);
    group->setSelectedIndex(1);
    GroupLog log(group.get());
    QVERIFY(QMetaObject::invokeMethod(group.get(), "itemClicked"));
    QCOMPARE(log.entries, QStringList());
    QCOMPARE(group->selectedIndex(), 1);

    // A button from elsewhere wired to the slot is no button of the row.
    QPushButton stranger;
    QObject::connect(&stranger, &QPushButton::clicked, group.get(), &SkinButtonGroup::itemClicked);
    stranger.click();
    QCOMPARE(log.entries, QStringList({"selectedIndexChanged(-1)", "selectedIndexChanged()", "buttonClicked(-1)",
                                       "buttonClicked()"}));
    QCOMPARE(checkedStates(*group), QList<bool>({false, false, false}));
}

QTEST_MAIN(TestSkinButtonGroup)
#include "tst_skinbuttongroup.moc"
