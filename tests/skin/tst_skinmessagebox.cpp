// The message box: its button sets and result codes, rich and plain text,
// links, the modal run, and the answer hook that stands in for the user.
#include "skin/windows/skinmessagebox.h"

#include <QApplication>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <QStandardPaths>
#include <QtTest>

#include <algorithm>
#include <functional>

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

// Runs `act` on the modal box as soon as the nested loop shows it.
void whenModal(const std::function<void(QWidget *)> &act, int triesLeft = 500)
{
    QTimer::singleShot(10, [act, triesLeft] {
        if (QWidget *box = QApplication::activeModalWidget())
            act(box);
        else if (triesLeft > 0)
            whenModal(act, triesLeft - 1);
    });
}

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
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void cleanup();

    void buttonSets_data();
    void buttonSets();
    void textFormat_data();
    void textFormat();
    void layoutWithoutIcon();
    void linksOpenOnTheDesktop();
    void warningAsksTheHook();
    void hookMayReplaceItself();
    void execReturnsThePressedButton_data();
    void execReturnsThePressedButton();
};

void TestSkinMessageBox::cleanup()
{
    SkinMessageBox::setAnswerHook(SkinMessageBox::AnswerHook());
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
    for (int i = 0; i < buttons.size(); ++i) {
        box.setResult(0);
        buttons.at(i)->click();
        QCOMPARE(box.result(), results.at(i));
    }
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

void TestSkinMessageBox::layoutWithoutIcon()
{
    SkinMessageBox box;
    box.setIcon(SkinMessageBox::IconNone);
    box.setText(QStringLiteral("A message that is rather longer than the minimum width"));
    QLabel *label = messageLabel(&box);
    QVERIFY(label);
    QCOMPARE(label->pos(), QPoint(8, 8));
    // The text and the OK button fit inside, the button at the right under
    // the text, both clear of the edges.
    const QList<QPushButton *> buttons = visibleButtons(&box);
    QCOMPARE(buttons.size(), 1);
    const QRect button = buttons.first()->geometry();
    QVERIFY(box.rect().adjusted(8, 8, -8, -4).contains(label->geometry()));
    QVERIFY(box.rect().adjusted(8, 4, -8, -4).contains(button));
    QCOMPARE(button.size(), QSize(70, 20));
    QVERIFY(button.top() > label->geometry().bottom());
    QCOMPARE(box.width() - button.right() - 1, 10);
    QCOMPARE(box.height() - button.bottom() - 1, 5);

    // A longer text widens the box by as much as it widens the label.
    const int labelWidth = label->width();
    const int boxWidth = box.width();
    box.setText(box.text() + QStringLiteral(", and then some more words"));
    QVERIFY(label->width() > labelWidth);
    QCOMPARE(box.width() - boxWidth, label->width() - labelWidth);

    // An empty text still leaves room for the buttons.
    box.setText(QString());
    QCOMPARE(box.width(), 100 + 25);
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
    QTest::newRow("Cancel on the right") << 1 << "Cancel" << 2;
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
    QCOMPARE(SkinMessageBox::warning(nullptr, QStringLiteral("Question"), QStringLiteral("Go on?"), set), result);
    QCOMPARE(title, QStringLiteral("Question"));
    QVERIFY(!QApplication::activeModalWidget());
}

QTEST_MAIN(TestSkinMessageBox)
#include "tst_skinmessagebox.moc"
