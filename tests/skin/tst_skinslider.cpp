// The two-stage slider: which mouse and key events report a changing or an
// accepted value, the suffix text that follows each report, and mouse
// events kept from the parent.
#include "skin/controls/skinslider.h"

#include "controlevents.h"

#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

#include <memory>

namespace {

// Counts the mouse presses that reach it.
class PressCounter : public QWidget
{
public:
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent *) override { ++presses; }
};

// The slider's reports as "changing N", "accepted N" and "text T".
class SliderLog : public QObject
{
public:
    explicit SliderLog(SkinSlider *slider)
    {
        connect(slider, &SkinSlider::valueChanging, this,
                [this](int value) { entries.append(QStringLiteral("changing %1").arg(value)); });
        connect(slider, &SkinSlider::valueAccepted, this,
                [this](int value) { entries.append(QStringLiteral("accepted %1").arg(value)); });
        connect(slider, &SkinSlider::valueSuffixChanged, this,
                [this](const QString &text) { entries.append("text " + text); });
    }

    QStringList entries;
};

std::unique_ptr<SkinSlider> makeSlider(QWidget *parent = nullptr)
{
    auto slider = std::make_unique<SkinSlider>(parent);
    slider->setOrientation(Qt::Horizontal);
    slider->setRange(0, 100);
    slider->setSingleStep(1);
    slider->setPageStep(10);
    slider->setValue(50);
    slider->setSuffix(QStringLiteral("%"));
    slider->setGeometry(0, 0, 200, 20);
    return slider;
}

} // namespace

class TestSkinSlider : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void updateValueText_data();
    void updateValueText();
    void keys_data();
    void keys();
    void heldKeyReportsOnlyItsEnds();
    void leftDragReports();
    void otherButtonsReportNothing_data();
    void otherButtonsReportNothing();
    void codeChangesReportNothing();
    void mouseEventsStayWithTheSlider();
};

void TestSkinSlider::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestSkinSlider::updateValueText_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("text");
    QTest::newRow("percent") << 35 << "%" << "35%";
    QTest::newRow("no suffix") << 35 << "" << "35";
    QTest::newRow("negative with unit") << -3 << "px" << "-3px";
    QTest::newRow("suffix with a place marker") << 7 << "%1" << "7%1";
}

void TestSkinSlider::updateValueText()
{
    QFETCH(int, value);
    QFETCH(QString, suffix);
    QFETCH(QString, text);
    SkinSlider slider;
    slider.setRange(-10, 100);
    slider.setValue(value);
    QCOMPARE(slider.suffix(), QString());
    QSignalSpy texts(&slider, &SkinSlider::valueSuffixChanged);
    slider.setSuffix(suffix);
    QCOMPARE(texts.size(), 0);
    QCOMPARE(slider.suffix(), suffix);
    slider.updateValueText();
    QCOMPARE(texts.size(), 1);
    QCOMPARE(texts.at(0).at(0).toString(), text);
}

void TestSkinSlider::keys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("reported");
    QTest::newRow("Left") << int(Qt::Key_Left) << 49 << true;
    QTest::newRow("Right") << int(Qt::Key_Right) << 51 << true;
    QTest::newRow("Up") << int(Qt::Key_Up) << 51 << true;
    QTest::newRow("Down") << int(Qt::Key_Down) << 49 << true;
    QTest::newRow("PageUp") << int(Qt::Key_PageUp) << 60 << true;
    QTest::newRow("PageDown") << int(Qt::Key_PageDown) << 40 << true;
    QTest::newRow("Home") << int(Qt::Key_Home) << 0 << false;
    QTest::newRow("End") << int(Qt::Key_End) << 100 << false;
    QTest::newRow("a letter") << int(Qt::Key_A) << 50 << false;
}

void TestSkinSlider::keys()
{
    QFETCH(int, key);
    QFETCH(int, value);
    QFETCH(bool, reported);
    auto slider = makeSlider();
    SliderLog log(slider.get());
    sendKey(slider.get(), QEvent::KeyPress, key);
    QCOMPARE(slider->value(), value);
    sendKey(slider.get(), QEvent::KeyRelease, key);
    const QString text = QString::number(value) + "%";
    const QStringList expected = reported
        ? QStringList({QStringLiteral("changing %1").arg(value), "text " + text,
                       QStringLiteral("accepted %1").arg(value), "text " + text})
        : QStringList();
    QCOMPARE(log.entries, expected);
    QCOMPARE(SkinSlider::isSliderKey(nullptr), false);
}

// A held key arrives as one real press, auto-repeated release and press
// pairs, and one real release.
void TestSkinSlider::heldKeyReportsOnlyItsEnds()
{
    auto slider = makeSlider();
    SliderLog log(slider.get());
    sendKey(slider.get(), QEvent::KeyPress, Qt::Key_Right);
    for (int i = 0; i < 3; ++i) {
        sendKey(slider.get(), QEvent::KeyRelease, Qt::Key_Right, true);
        sendKey(slider.get(), QEvent::KeyPress, Qt::Key_Right, true);
    }
    sendKey(slider.get(), QEvent::KeyRelease, Qt::Key_Right);
    QCOMPARE(slider->value(), 54);
    QCOMPARE(log.entries, QStringList({"changing 51", "text 51%", "accepted 54", "text 54%"}));
}

void TestSkinSlider::leftDragReports()
{
    auto slider = makeSlider();
    SliderLog log(slider.get());
    const QPoint far(190, 10);
    pressAt(slider.get(), far);
    const int pressed = slider->value();
    QVERIFY(pressed > 50);
    QCOMPARE(log.entries, QStringList({QStringLiteral("changing %1").arg(pressed),
                                       QStringLiteral("text %1%").arg(pressed)}));
    log.entries.clear();
    moveTo(slider.get(), QPointF(150, 10), Qt::LeftButton);
    QCOMPARE(log.entries, QStringList({QStringLiteral("changing %1").arg(slider->value()),
                                       QStringLiteral("text %1%").arg(slider->value())}));
    log.entries.clear();
    moveTo(slider.get(), QPointF(120, 10), Qt::LeftButton | Qt::RightButton);
    QCOMPARE(log.entries, QStringList());
    releaseAt(slider.get(), QPointF(120, 10));
    QCOMPARE(log.entries, QStringList({QStringLiteral("accepted %1").arg(slider->value()),
                                       QStringLiteral("text %1%").arg(slider->value())}));
}

void TestSkinSlider::otherButtonsReportNothing_data()
{
    QTest::addColumn<int>("button");
    QTest::newRow("right") << int(Qt::RightButton);
    QTest::newRow("middle") << int(Qt::MiddleButton);
}

// They may still move the value as a QSlider's would.
void TestSkinSlider::otherButtonsReportNothing()
{
    QFETCH(int, button);
    const auto mouseButton = Qt::MouseButton(button);
    auto slider = makeSlider();
    SliderLog log(slider.get());
    pressAt(slider.get(), QPointF(190, 10), mouseButton);
    moveTo(slider.get(), QPointF(20, 10), mouseButton);
    releaseAt(slider.get(), QPointF(20, 10), mouseButton);
    QCOMPARE(log.entries, QStringList());
}

void TestSkinSlider::codeChangesReportNothing()
{
    auto slider = makeSlider();
    SliderLog log(slider.get());
    slider->setValue(20);
    slider->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(slider->value(), 30);
    QCOMPARE(log.entries, QStringList());
}

void TestSkinSlider::mouseEventsStayWithTheSlider()
{
    PressCounter parent;
    parent.resize(300, 100);
    auto slider = makeSlider(&parent);
    // QSlider ignores a right press, which would then go on to the parent.
    pressAt(slider.get(), QPointF(100, 10), Qt::RightButton);
    releaseAt(slider.get(), QPointF(100, 10), Qt::RightButton);
    QCOMPARE(parent.presses, 0);
    QVERIFY(slider->testAttribute(Qt::WA_NoMousePropagation));
}

QTEST_MAIN(TestSkinSlider)
#include "tst_skinslider.moc"
