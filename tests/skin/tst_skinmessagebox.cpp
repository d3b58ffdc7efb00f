// The message box: its button sets and result codes, rich and plain text,
// icons, its layout, links, the static functions, the modal run, the keys
// that answer it and its focus frame, and the answer hook that stands in for
// the user.
#include "skinfixture.h"

#include "skin/windows/skinmessagebox.h"
#include "skin/windows/skintheme.h"
#include "support/contrast.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>
#include <QtTest>

#include <algorithm>
#include <functional>

using skintest::whenModal;

namespace {

// The shown buttons from left to right.
QList<QPushButton *> visibleButtons(SkinMessageBox *box)
{
    QList<QPushButton *> buttons;
    for (QPushButton *button : box->findChildren<QPushButton *>()) {
        if (!button->isHidden())
            buttons.append(button);
    }
    std::sort(buttons.begin(), buttons.end(),
              [](const QPushButton *a, const QPushButton *b) { return a->x() < b->x(); });
    return buttons;
}

QLabel *messageLabel(SkinMessageBox *box)
{
    for (QLabel *label : box->findChildren<QLabel *>()) {
        if (!label->text().isEmpty() && label->text() == box->text())
            return label;
    }
    return nullptr;
}

// The label that is not the message.
QLabel *iconLabel(SkinMessageBox *box)
{
    for (QLabel *label : box->findChildren<QLabel *>()) {
        if (label != messageLabel(box))
            return label;
    }
    return nullptr;
}

// What a box looked like when the answer hook saw it.
struct SeenBox {
    QString title;
    QString text;
    int buttons = -1;
    int icon = -1;
    QRect geometry;
};

} // namespace

// Receives the links the box hands to the desktop.
class LinkCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void open(const QUrl &url) { urls.append(url); }
};

class TestSkinMessageBox : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void frame();
    void buttonSets_data();
    void buttonSets();
    void hiddenButtonsKeepTheirTexts();
    void textFormat_data();
    void textFormat();
    void icons_data();
    void icons();
    void layoutWithoutIcon();
    void layoutWithIcon();
    void layoutWhenShown();
    void layoutFigures_data();
    void layoutFigures();
    void shortTextsLeaveRoomForTheButtons_data();
    void shortTextsLeaveRoomForTheButtons();
    void linksOpenOnTheDesktop();
    void staticFunctions_data();
    void staticFunctions();
    void centredOnTheParent();
    void warningAsksTheHook();
    void hookMayReplaceItself();
    void execReturnsThePressedButton_data();
    void execReturnsThePressedButton();
    void keysAnswerTheBox_data();
    void keysAnswerTheBox();
    void focusFrameFollowsTheKeyboard_data();
    void focusFrameFollowsTheKeyboard();
};

void TestSkinMessageBox::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestSkinMessageBox::cleanup()
{
    SkinMessageBox::setAnswerHook(SkinMessageBox::AnswerHook());
}

void TestSkinMessageBox::frame()
{
    SkinMessageBox box;
    QCOMPARE(box.windowTitle(), QStringLiteral("MessageBox"));
    QVERIFY(box.isCloseButtonVisible());
    QVERIFY(!box.isMaxButtonVisible());
    QVERIFY(!box.isMinButtonVisible());
    QVERIFY(!box.canResizeWidth());
    QVERIFY(!box.canResizeHeight());
    QCOMPARE(box.captionHeight(), 18);
    QCOMPARE(box.buttons(), int(SkinMessageBox::ButtonsOk));
    QCOMPARE(box.icon(), int(SkinMessageBox::IconNone));
    // Everything lies in the central widget.
    for (QWidget *child : box.findChildren<QPushButton *>())
        QCOMPARE(child->parentWidget(), box.centralWidget());
    QVERIFY(box.centralWidget()->findChild<QFrame *>(QStringLiteral("HLine")));
}

void TestSkinMessageBox::buttonSets_data()
{
    QTest::addColumn<int>("set");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QList<int>>("results");

    QTest::newRow("OK") << 0 << QStringList{"OK"} << QList<int>{1};
    QTest::newRow("OK, Cancel") << 1 << QStringList{"OK", "Cancel"} << QList<int>{1, 2};
    QTest::newRow("Abort, Retry, Ignore") << 2 << QStringList{"Abort", "Retry", "Ignore"} << QList<int>{3, 4, 5};
    QTest::newRow("Yes, No, Cancel") << 3 << QStringList{"Yes", "No", "Cancel"} << QList<int>{6, 7, 2};
    QTest::newRow("Yes, No") << 4 << QStringList{"Yes", "No"} << QList<int>{6, 7};
    QTest::newRow("Retry, Cancel") << 5 << QStringList{"Retry", "Cancel"} << QList<int>{4, 2};
    QTest::newRow("outside the table") << 9 << QStringList() << QList<int>();
    QTest::newRow("negative") << -1 << QStringList() << QList<int>();
}

void TestSkinMessageBox::buttonSets()
{
    QFETCH(int, set);
    QFETCH(QStringList, texts);
    QFETCH(QList<int>, results);

    SkinMessageBox box;
    box.setText(QStringLiteral("Save the changes?"));
    box.setButtons(set);
    QCOMPARE(box.buttons(), set);
    const QList<QPushButton *> buttons = visibleButtons(&box);
    QStringList shown;
    for (const QPushButton *button : buttons)
        shown.append(button->text());
    QCOMPARE(shown, texts);
    // Neighbouring results differ, so each click shows in result().
    for (int i = 0; i < buttons.size(); ++i) {
        buttons.at(i)->click();
        QCOMPARE(box.result(), results.at(i));
    }
}

void TestSkinMessageBox::hiddenButtonsKeepTheirTexts()
{
    SkinMessageBox box;
    box.setText(QStringLiteral("No way out"));
    box.setButtons(SkinMessageBox::ButtonsYesNoCancel);
    const QList<QPushButton *> shown = visibleButtons(&box);
    box.setButtons(9);
    QVERIFY(visibleButtons(&box).isEmpty());
    QCOMPARE(shown.at(0)->text(), QStringLiteral("Yes"));
    QCOMPARE(shown.at(2)->text(), QStringLiteral("Cancel"));
    // Only the caption button or Escape end such a box, with Cancel.
    whenModal([](QWidget *modal) {
        auto *box = static_cast<SkinMessageBox *>(modal);
        const QRect close = box->closeButtonRect();
        skintest::click(box, close.center());
    });
    QCOMPARE(box.exec(), int(SkinMessageBox::ResultCancel));
}

void TestSkinMessageBox::textFormat_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("format");

    QTest::newRow("line break") << "one<br/>two" << int(Qt::RichText);
    QTest::newRow("closing tag") << "<b>bold</b>" << int(Qt::RichText);
    QTest::newRow("a comparison") << "1 < 2 and <b>" << int(Qt::PlainText);
    QTest::newRow("plain") << "plain words" << int(Qt::PlainText);
}

void TestSkinMessageBox::textFormat()
{
    QFETCH(QString, text);
    QFETCH(int, format);

    SkinMessageBox box;
    box.setText(text);
    QCOMPARE(box.text(), text);
    QLabel *label = messageLabel(&box);
    QVERIFY(label);
    QCOMPARE(int(label->textFormat()), format);
}

void TestSkinMessageBox::icons_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QSize>("size");
    QTest::newRow("none") << 0 << QSize();
    QTest::newRow("information") << 1 << QSize(24, 24);
    QTest::newRow("warning") << 2 << QSize(24, 24);
    QTest::newRow("error") << 3 << QSize(24, 24);
    QTest::newRow("question") << 4 << QSize(24, 24);
    QTest::newRow("outside the table") << 5 << QSize();
    QTest::newRow("negative") << -1 << QSize();
}

void TestSkinMessageBox::icons()
{
    QFETCH(int, kind);
    QFETCH(QSize, size);

    SkinMessageBox box;
    box.setIcon(SkinMessageBox::IconError);
    box.setIcon(kind);
    QCOMPARE(box.icon(), kind);
    QLabel *label = iconLabel(&box);
    QVERIFY(label);
    const QPixmap pixmap = label->pixmap(Qt::ReturnByValue);
    QCOMPARE(pixmap.isNull(), !size.isValid());
    if (size.isValid())
        QCOMPARE(pixmap.size(), size);
}

void TestSkinMessageBox::layoutWithoutIcon()
{
    SkinMessageBox box;
    box.setIcon(SkinMessageBox::IconNone);
    box.setText(QStringLiteral("A message that is rather longer than the minimum width"));
    QLabel *label = messageLabel(&box);
    QVERIFY(label);
    QCOMPARE(label->pos(), QPoint(8, 8));
    // Text width and height, the borders (8 each side), the caption (18).
    QCOMPARE(box.width(), qMax(label->width() + 20, 100) + 16 + 25);
    QCOMPARE(box.height(), label->height() + 5 + 18 + 16 + 44);
    QCOMPARE(visibleButtons(&box).size(), 1);

    // An empty text still leaves room for the buttons.
    box.setText(QString());
    QCOMPARE(box.width(), 100 + 16 + 25);
}

void TestSkinMessageBox::layoutWithIcon()
{
    SkinMessageBox box;
    box.setText(QStringLiteral("A message that is rather longer than the minimum width"));
    const QSize plain = box.size();
    box.setIcon(SkinMessageBox::IconQuestion);
    QLabel *label = messageLabel(&box);
    QLabel *icon = iconLabel(&box);
    QVERIFY(label);
    QVERIFY(icon);
    // The icon label keeps the size of a new child; its width makes room.
    QCOMPARE(icon->geometry(), QRect(4, 4, 100, 30));
    QCOMPARE(label->pos(), QPoint(112, 8));
    const int textWidth = qMax(label->width() + 20, 100);
    QCOMPARE(box.width(), textWidth + 16 + 100 + 16);
    QCOMPARE(box.height(), plain.height());
    QCOMPARE(box.height(), label->height() + 5 + 18 + 16 + 44);

    // Two lines: the box grows by the label's height.
    const int oneLine = label->height();
    box.setText(QStringLiteral("one<br/>two"));
    QVERIFY(label->height() > oneLine * 3 / 2);
    QCOMPARE(box.height(), label->height() + 5 + 18 + 16 + 44);
}

// Shown, the buttons and the separator sit at the bottom of the central
// widget, whichever buttons show.
void TestSkinMessageBox::layoutWhenShown()
{
    SkinMessageBox box;
    box.setText(QStringLiteral("Shown"));
    box.setButtons(SkinMessageBox::ButtonsOk);
    box.show();
    const int cw = box.centralWidget()->width();
    const int ch = box.centralWidget()->height();
    QCOMPARE(box.centralWidget()->geometry(), QRect(QPoint(9, 27), QPoint(box.width() - 10, box.height() - 10)));
    QFrame *line = box.centralWidget()->findChild<QFrame *>(QStringLiteral("HLine"));
    QVERIFY(line);
    QVERIFY(line->isVisible());
    QCOMPARE(line->geometry(), QRect(QPoint(4, ch - 32), QPoint(cw - 5, ch - 31)));
    QList<QPushButton *> all = box.findChildren<QPushButton *>();
    std::sort(all.begin(), all.end(), [](const QPushButton *a, const QPushButton *b) { return a->x() > b->x(); });
    QCOMPARE(all.size(), 3);
    QCOMPARE(all.at(0)->geometry(), QRect(cw - 80, ch - 25, 70, 20));
    QCOMPARE(all.at(1)->geometry(), QRect(cw - 155, ch - 25, 70, 20));
    QCOMPARE(all.at(2)->geometry(), QRect(cw - 230, ch - 25, 70, 20));
    QVERIFY(all.at(0)->isVisible());
    QVERIFY(!all.at(1)->isVisible());

    // Shown, Qt gives the icon label its natural size, and the box lays
    // itself out again around that width.
    SkinMessageBox withIcon;
    withIcon.setText(QStringLiteral("Shown with an icon"));
    withIcon.setIcon(SkinMessageBox::IconWarning);
    withIcon.show();
    QLabel *icon = iconLabel(&withIcon);
    QLabel *text = messageLabel(&withIcon);
    QCOMPARE(icon->size(), QSize(24, 24));
    QCOMPARE(text->pos(), QPoint(24 + 12, 8));
    QCOMPARE(withIcon.width(), qMax(text->width() + 20, 100) + 16 + 24 + 16);
}

// The box's figures for a message label of 200 x 14, as the layout is
// drawn: 261 x 97 without an icon, 352 x 97 with one, the text moved right
// by the icon label's width.
void TestSkinMessageBox::layoutFigures_data()
{
    QTest::addColumn<int>("icon");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("textAt");
    QTest::newRow("no icon") << int(SkinMessageBox::IconNone) << QSize(261, 97) << QPoint(8, 8);
    QTest::newRow("information") << int(SkinMessageBox::IconInformation) << QSize(352, 97) << QPoint(112, 8);
    QTest::newRow("question") << int(SkinMessageBox::IconQuestion) << QSize(352, 97) << QPoint(112, 8);
}

void TestSkinMessageBox::layoutFigures()
{
    QFETCH(int, icon);
    QFETCH(QSize, size);
    QFETCH(QPoint, textAt);
    SkinMessageBox box;
    box.setText(QStringLiteral("A message"));
    QLabel *label = messageLabel(&box);
    QVERIFY(label);
    // The label's natural size is fixed at 200 x 14, whatever the font.
    label->setFixedSize(200, 14);
    box.setIcon(icon);
    QCOMPARE(label->size(), QSize(200, 14));
    QCOMPARE(box.size(), size);
    QCOMPARE(label->pos(), textAt);
}

void TestSkinMessageBox::shortTextsLeaveRoomForTheButtons_data()
{
    QTest::addColumn<int>("set");
    QTest::addColumn<int>("icon");
    QTest::newRow("Yes, No, Cancel") << 3 << 0;
    QTest::newRow("Yes, No, Cancel with an icon") << 3 << 4;
    QTest::newRow("Abort, Retry, Ignore") << 2 << 3;
    QTest::newRow("OK, Cancel") << 1 << 0;
    QTest::newRow("OK") << 0 << 1;
}

// However short the text, every shown button lies whole inside the box.
void TestSkinMessageBox::shortTextsLeaveRoomForTheButtons()
{
    QFETCH(int, set);
    QFETCH(int, icon);

    SkinMessageBox box;
    box.setButtons(set);
    box.setIcon(icon);
    box.setText(QStringLiteral("Go?"));
    box.show();
    const QList<QPushButton *> buttons = visibleButtons(&box);
    QVERIFY(!buttons.isEmpty());
    QVERIFY2(buttons.first()->x() >= 4, qPrintable(QString::number(buttons.first()->x())));
    QVERIFY(buttons.last()->geometry().right() < box.centralWidget()->width());
    // The text's own minimum still holds for one button.
    if (set == 0)
        QCOMPARE(box.width(), 100 + 16 + 24 + 16);
}

void TestSkinMessageBox::linksOpenOnTheDesktop()
{
    LinkCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    SkinMessageBox box;
    box.setText(QStringLiteral("See <a href=\"https://example.com/help page\">help</a>."));
    QLabel *label = messageLabel(&box);
    QVERIFY(label);
    emit label->linkActivated(QStringLiteral("https://example.com/help page"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));

    QCOMPARE(catcher.urls.size(), 1);
    QCOMPARE(catcher.urls.first(), QUrl(QStringLiteral("https://example.com/help%20page")));
    QVERIFY(!box.isVisible());
}

void TestSkinMessageBox::staticFunctions_data()
{
    QTest::addColumn<QString>("function");
    QTest::addColumn<int>("icon");
    QTest::addColumn<int>("buttons");
    QTest::newRow("information") << "information" << 1 << 1;
    QTest::newRow("warning") << "warning" << 2 << 5;
    QTest::newRow("critical") << "critical" << 3 << 2;
    QTest::newRow("question") << "question" << 4 << 3;
    QTest::newRow("about") << "about" << 0 << 0;
    QTest::newRow("showMessage") << "showMessage" << 9 << 9;
}

void TestSkinMessageBox::staticFunctions()
{
    QFETCH(QString, function);
    QFETCH(int, icon);
    QFETCH(int, buttons);

    SeenBox seen;
    SkinMessageBox::setAnswerHook([&](SkinMessageBox *box) {
        seen = {box->windowTitle(), box->text(), box->buttons(), box->icon(), box->geometry()};
        return 42;
    });
    const QString title = QStringLiteral("Title");
    const QString text = QStringLiteral("Text");
    int result = 0;
    if (function == QLatin1String("information"))
        result = SkinMessageBox::information(nullptr, title, text, buttons);
    else if (function == QLatin1String("warning"))
        result = SkinMessageBox::warning(nullptr, title, text, buttons);
    else if (function == QLatin1String("critical"))
        result = SkinMessageBox::critical(nullptr, title, text, buttons);
    else if (function == QLatin1String("question"))
        result = SkinMessageBox::question(nullptr, title, text, buttons);
    else if (function == QLatin1String("about"))
        result = SkinMessageBox::about(nullptr, title, text);
    else
        result = SkinMessageBox::showMessage(nullptr, title, text, buttons, icon);
    QCOMPARE(result, 42);
    QCOMPARE(seen.title, title);
    QCOMPARE(seen.text, text);
    QCOMPARE(seen.icon, icon);
    QCOMPARE(seen.buttons, buttons);
}

void TestSkinMessageBox::centredOnTheParent()
{
    SeenBox seen;
    SkinMessageBox::setAnswerHook([&](SkinMessageBox *box) {
        seen.geometry = box->geometry();
        return 1;
    });
    QWidget parent;
    parent.setGeometry(120, 90, 640, 480);
    parent.show();
    SkinMessageBox::information(&parent, QStringLiteral("t"), QStringLiteral("Centred"), 0);
    const QPoint expected = parent.mapToGlobal(
        QPoint((640 - seen.geometry.width()) / 2, (480 - seen.geometry.height()) / 2));
    QCOMPARE(seen.geometry.topLeft(), expected);
}

void TestSkinMessageBox::warningAsksTheHook()
{
    int calls = 0;
    QString title;
    QString text;
    int buttons = -1;
    int icon = -1;
    int format = -1;
    bool modal = true;
    SkinMessageBox::setAnswerHook([&](SkinMessageBox *box) {
        ++calls;
        title = box->windowTitle();
        text = box->text();
        buttons = box->buttons();
        icon = box->icon();
        format = messageLabel(box) ? int(messageLabel(box)->textFormat()) : -1;
        modal = QApplication::activeModalWidget() != nullptr;
        return int(SkinMessageBox::ResultNo);
    });
    QVERIFY(SkinMessageBox::hasAnswerHook());

    QWidget parent;
    const int result = SkinMessageBox::warning(&parent, QStringLiteral("Warning"), QStringLiteral("first<br/>second"),
                                               SkinMessageBox::ButtonsYesNo);

    QCOMPARE(result, int(SkinMessageBox::ResultNo));
    QCOMPARE(calls, 1);
    QCOMPARE(title, QStringLiteral("Warning"));
    QCOMPARE(text, QStringLiteral("first<br/>second"));
    QCOMPARE(buttons, int(SkinMessageBox::ButtonsYesNo));
    QCOMPARE(icon, int(SkinMessageBox::IconWarning));
    QCOMPARE(format, int(Qt::RichText));
    QVERIFY(!modal);

    SkinMessageBox::setAnswerHook(SkinMessageBox::AnswerHook());
    QVERIFY(!SkinMessageBox::hasAnswerHook());
}

void TestSkinMessageBox::hookMayReplaceItself()
{
    // A one-shot answer: the hook removes itself while it runs.
    SkinMessageBox::setAnswerHook([](SkinMessageBox *) {
        SkinMessageBox::setAnswerHook(SkinMessageBox::AnswerHook());
        return int(SkinMessageBox::ResultRetry);
    });
    QCOMPARE(SkinMessageBox::warning(nullptr, QStringLiteral("t"), QStringLiteral("x"), SkinMessageBox::ButtonsRetryCancel),
             int(SkinMessageBox::ResultRetry));
    QVERIFY(!SkinMessageBox::hasAnswerHook());
}

void TestSkinMessageBox::execReturnsThePressedButton_data()
{
    QTest::addColumn<int>("set");
    QTest::addColumn<QString>("press");
    QTest::addColumn<int>("result");

    QTest::newRow("OK") << 0 << "OK" << 1;
    QTest::newRow("Escape without a Cancel button") << 0 << "Escape" << 2;
    QTest::newRow("closed without a Cancel button") << 4 << "close" << 2;
    QTest::newRow("Yes") << 4 << "Yes" << 6;
    QTest::newRow("No") << 4 << "No" << 7;
    QTest::newRow("Escape, Yes and No") << 4 << "Escape" << 2;
    QTest::newRow("Cancel on the right") << 1 << "Cancel" << 2;
    QTest::newRow("Abort") << 2 << "Abort" << 3;
}

void TestSkinMessageBox::execReturnsThePressedButton()
{
    QFETCH(int, set);
    QFETCH(QString, press);
    QFETCH(int, result);

    QString title;
    whenModal([&](QWidget *box) {
        title = box->windowTitle();
        if (press == QLatin1String("Escape")) {
            QTest::keyClick(box, Qt::Key_Escape);
        } else if (press == QLatin1String("close")) {
            box->close();
        } else {
            for (QPushButton *button : box->findChildren<QPushButton *>()) {
                if (!button->isHidden() && button->text() == press)
                    button->click();
            }
        }
    });
    QCOMPARE(SkinMessageBox::question(nullptr, QStringLiteral("Question"), QStringLiteral("Go on?"), set), result);
    QCOMPARE(title, QStringLiteral("Question"));
    QVERIFY(!QApplication::activeModalWidget());
}

void TestSkinMessageBox::keysAnswerTheBox_data()
{
    QTest::addColumn<int>("set");
    // Keys pressed in turn on whatever holds the focus; Enter is the
    // keypad's.
    QTest::addColumn<QList<int>>("keys");
    // The result, or 0 when the keys leave the box open.
    QTest::addColumn<int>("result");

    const int ret = Qt::Key_Return;
    const int tab = Qt::Key_Tab;
    QTest::newRow("OK: Return") << 0 << QList<int>{ret} << 1;
    QTest::newRow("OK: Enter") << 0 << QList<int>{Qt::Key_Enter} << 1;
    QTest::newRow("OK: Escape") << 0 << QList<int>{Qt::Key_Escape} << 2;
    QTest::newRow("OK, Cancel: Return") << 1 << QList<int>{ret} << 1;
    QTest::newRow("OK, Cancel: Tab, Return") << 1 << QList<int>{tab, ret} << 2;
    QTest::newRow("OK, Cancel: Escape") << 1 << QList<int>{Qt::Key_Escape} << 2;
    QTest::newRow("Abort, Retry, Ignore: Return") << 2 << QList<int>{ret} << 4;
    QTest::newRow("Abort, Retry, Ignore: Tab, Return") << 2 << QList<int>{tab, ret} << 5;
    QTest::newRow("Yes, No, Cancel: Return") << 3 << QList<int>{ret} << 6;
    QTest::newRow("Yes, No, Cancel: Enter") << 3 << QList<int>{Qt::Key_Enter} << 6;
    QTest::newRow("Yes, No, Cancel: Tab, Return") << 3 << QList<int>{tab, ret} << 7;
    QTest::newRow("Yes, No, Cancel: Tab, Tab, Return") << 3 << QList<int>{tab, tab, ret} << 2;
    QTest::newRow("Yes, No, Cancel: Tab, Space") << 3 << QList<int>{tab, Qt::Key_Space} << 7;
    QTest::newRow("Yes, No, Cancel: Backtab, Return") << 3 << QList<int>{Qt::Key_Backtab, ret} << 2;
    QTest::newRow("Yes, No, Cancel: Escape") << 3 << QList<int>{Qt::Key_Escape} << 2;
    QTest::newRow("Yes, No: Return") << 4 << QList<int>{ret} << 6;
    QTest::newRow("Yes, No: Tab, Return") << 4 << QList<int>{tab, ret} << 7;
    QTest::newRow("Yes, No: Escape") << 4 << QList<int>{Qt::Key_Escape} << 2;
    QTest::newRow("Retry, Cancel: Return") << 5 << QList<int>{ret} << 4;
    QTest::newRow("no button: Return") << 9 << QList<int>{ret} << 0;
}

// Real key events on the focused widget of a running box.
void TestSkinMessageBox::keysAnswerTheBox()
{
    QFETCH(int, set);
    QFETCH(QList<int>, keys);
    QFETCH(int, result);

    bool focused = false;
    bool stayedOpen = false;
    whenModal([&](QWidget *box) {
        focused = QTest::qWaitFor([box] { return box->isAncestorOf(QApplication::focusWidget()); }, 2000);
        for (const int key : keys) {
            if (!box->isVisible())
                break;
            QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : box;
            const Qt::KeyboardModifiers modifiers = key == Qt::Key_Enter ? Qt::KeypadModifier
                                                  : key == Qt::Key_Backtab ? Qt::ShiftModifier
                                                                           : Qt::NoModifier;
            QTest::keyClick(target, Qt::Key(key), modifiers);
        }
        stayedOpen = box->isVisible();
        if (stayedOpen)
            box->close();
    });
    const int answer = SkinMessageBox::question(nullptr, QStringLiteral("Confirm"), QStringLiteral("Save the changes?"), set);
    QVERIFY(focused || set == 9);
    QCOMPARE(stayedOpen, result == 0);
    QCOMPARE(answer, result == 0 ? 2 : result);
}

void TestSkinMessageBox::focusFrameFollowsTheKeyboard_data()
{
    QTest::addColumn<int>("theme");
    QTest::newRow("Black") << int(Black);
    QTest::newRow("Gray") << int(Gray);
    QTest::newRow("Blue") << int(Blue);
    QTest::newRow("Olive") << int(Olive);
}

// The button with the focus is framed so that it shows in every theme:
// its frame differs from the same pixels of a button without the focus, and
// from the button's face inside it, by at least 3:1. Tab moves the frame.
void TestSkinMessageBox::focusFrameFollowsTheKeyboard()
{
    QFETCH(int, theme);
    setSkinThemeStyle(SkinThemeStyle(theme));
    SkinMessageBox box;
    box.setText(QStringLiteral("Save the changes?"));
    box.setButtons(SkinMessageBox::ButtonsYesNoCancel);
    box.show();
    QVERIFY(QTest::qWaitForWindowActive(&box));
    const QList<QPushButton *> buttons = visibleButtons(&box);
    QCOMPARE(buttons.size(), 3);
    QTRY_COMPARE(QApplication::focusWidget(), buttons.at(0));

    // The left edge and the face just inside it, half-way down.
    const auto edge = [](QPushButton *button) {
        const QImage image = button->grab().toImage();
        return skintest::pixelAt(image, 0, image.height() / 2);
    };
    const auto face = [](QPushButton *button) {
        const QImage image = button->grab().toImage();
        return skintest::pixelAt(image, 3, image.height() / 2);
    };
    const QColor framed = edge(buttons.at(0));
    const QColor plain = edge(buttons.at(1));
    QVERIFY2(contrast::ratio(framed, plain) >= 3.0,
             qPrintable(QStringLiteral("%1 against %2").arg(framed.name(), plain.name())));
    QVERIFY2(contrast::ratio(framed, face(buttons.at(0))) >= 3.0,
             qPrintable(QStringLiteral("%1 against %2").arg(framed.name(), face(buttons.at(0)).name())));

    QTest::keyClick(buttons.at(0), Qt::Key_Tab);
    QTRY_COMPARE(QApplication::focusWidget(), buttons.at(1));
    QCOMPARE(edge(buttons.at(1)), framed);
    QCOMPARE(edge(buttons.at(0)), plain);
}

QTEST_MAIN(TestSkinMessageBox)
#include "tst_skinmessagebox.moc"
