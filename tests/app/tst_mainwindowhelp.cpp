// The Help menu: the online help page through the desktop's URL handler, the
// About box and its link colours, and the feedback form against the fake web
// service: its replies, what it sends, and the dialog held while it waits.
#include "app/mainwindow.h"
#include "app/sketchfeedbackdialog.h"
#include "dialogscript.h"
#include "model/sketchglobals.h"
#include "skin/windows/skintheme.h"
#include "support/fakeservice.h"
#include "windowfixture.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QPushButton>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

using namespace windowfixture;

namespace {

// Stands in for the desktop's browser.
class UrlRecorder : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void open(const QUrl &url) { urls.append(url); }
};

// What a reader sees of a message box text: rich text rendered, plain
// text as it is.
QString shownText(const QString &text)
{
    if (!text.contains("/>") && !text.contains("</"))
        return text;
    QTextDocument document;
    document.setHtml(text);
    return document.toPlainText();
}

const char feedbackPath[] = "/Services/SendFeedback.ashx";

} // namespace

class TestMainWindowHelp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void opensTheHelpPage();
    void coloursTheAboutLinksByTheme_data();
    void coloursTheAboutLinksByTheme();
    void keepsPercentSignsOfTheAddresses();
    void runsTheFeedbackDialog();

    void answersEachReply_data();
    void answersEachReply();
    void sendsTheFieldsEncoded();
    void sendsNothingBlank();
    void reportsANetworkError_data();
    void reportsANetworkError();
    void holdsTheDialogWhileTheRequestWaits();
    void returnStartsALineTabAndReturnSend();

private:
    // A shown feedback dialog holding the text, Send pressed; the boxes
    // answered with OK.
    void send(SketchFeedbackDialog &dialog, const QString &text, DialogScript &script, int boxes = 1);

    Home m_home;
    MainWindow *m_window = nullptr;
    QString m_savedFeedbackUrl;
    QString m_savedHelpUrl;
    QString m_savedHomePageUrl;
    QString m_savedSupportEmail;
};

void TestMainWindowHelp::initTestCase()
{
    QVERIFY(m_home.install());
    QVERIFY(m_home.writeSettings("[General]\nuserId=user 7\nemail=me+you@example.org\n"));
    m_savedFeedbackUrl = SketchGlobals::sendFeedbackUrl;
    m_savedHelpUrl = SketchGlobals::helpUrl;
    m_savedHomePageUrl = SketchGlobals::homePageUrl;
    m_savedSupportEmail = SketchGlobals::supportEmail;
}

void TestMainWindowHelp::init()
{
    m_window = new MainWindow;
}

void TestMainWindowHelp::cleanup()
{
    delete m_window;
    m_window = nullptr;
    SketchGlobals::sendFeedbackUrl = m_savedFeedbackUrl;
    SketchGlobals::helpUrl = m_savedHelpUrl;
    SketchGlobals::homePageUrl = m_savedHomePageUrl;
    SketchGlobals::supportEmail = m_savedSupportEmail;
}

void TestMainWindowHelp::send(SketchFeedbackDialog &dialog, const QString &text, DialogScript &script, int boxes)
{
    for (int i = 0; i < boxes; ++i)
        script.answerBox(SkinMessageBox::ResultOk);
    dialog.show();
    dialog.contentEdit()->setPlainText(text);
    dialog.okButton()->click();
}

// --- Help and About ------------------------------------------------------------------

void TestMainWindowHelp::opensTheHelpPage()
{
    SketchGlobals::helpUrl = QStringLiteral("http://127.0.0.1:9/help%20me/index.html");
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler("http", &recorder, "open");
    m_window->showHelpWindow();
    QDesktopServices::unsetUrlHandler("http");
    QCOMPARE(recorder.urls.size(), 1);
    QCOMPARE(recorder.urls.first().toString(QUrl::FullyEncoded), SketchGlobals::helpUrl);
}

void TestMainWindowHelp::coloursTheAboutLinksByTheme_data()
{
    QTest::addColumn<int>("theme");
    QTest::addColumn<QString>("colour");
    QTest::newRow("Black") << int(Black) << "#b4b4b4";
    QTest::newRow("Gray") << int(Gray) << "#000000";
    QTest::newRow("Blue") << int(Blue) << "#000000";
    QTest::newRow("Olive") << int(Olive) << "#000000";
}

void TestMainWindowHelp::coloursTheAboutLinksByTheme()
{
    QFETCH(int, theme);
    QFETCH(QString, colour);
    m_window->changeTheme(SkinThemeStyle(theme));
    DialogScript script;
    script.answerBox(SkinMessageBox::ResultOk);
    m_window->showAbout();

    QCOMPARE(script.unexpected(), QStringList());
    const DialogScript::Box &box = script.boxes().first();
    QCOMPARE(box.title, QString("About Storyloom"));
    QCOMPARE(box.icon, int(SkinMessageBox::IconNone));
    QCOMPARE(box.buttons, int(SkinMessageBox::ButtonsOk));
    QCOMPARE(box.text.count(QString("style=\"color:%1;\"").arg(colour)), 2);
    QVERIFY(box.text.startsWith("Product: Storyloom V2.2<br/>"));
    QVERIFY(box.text.contains(QString("href=\"mailto:%1\"").arg(SketchGlobals::supportEmail)));
}

void TestMainWindowHelp::keepsPercentSignsOfTheAddresses()
{
    SketchGlobals::homePageUrl = QStringLiteral("http://example.org/a%20b/%1");
    SketchGlobals::supportEmail = QStringLiteral("help%2@example.org");
    DialogScript script;
    script.answerBox(SkinMessageBox::ResultOk);
    m_window->showAbout();
    const QString text = script.boxes().first().text;
    QVERIFY2(text.contains("href=\"http://example.org/a%20b/%1\""), qPrintable(text));
    QVERIFY2(text.contains("href=\"mailto:help%2@example.org\""), qPrintable(text));
    QVERIFY2(text.contains(">help%2@example.org</a>"), qPrintable(text));
    QCOMPARE(shownText(text), QString("Product: Storyloom V2.2\nContact: help%2@example.org\nexample.org"));
}

void TestMainWindowHelp::runsTheFeedbackDialog()
{
    QString title;
    QSize size;
    QString sendText;
    SkinDialog::ScopedAnswerHook hook([&](SkinDialog *dialog) {
        auto *feedback = qobject_cast<SketchFeedbackDialog *>(dialog);
        if (!feedback)
            return int(SkinDialog::ResultCancel);
        title = feedback->windowTitle();
        size = feedback->size();
        sendText = feedback->okButton()->text();
        feedback->cancelButton()->click();
        return feedback->result();
    });
    m_window->showFeedback();
    QCOMPARE(title, QString("Feedback(%1)").arg(SketchGlobals::supportEmail));
    QCOMPARE(size, QSize(360, 220));
    QCOMPARE(sendText, QString("Send"));
}

// --- Feedback against the service ---------------------------------------------------------

void TestMainWindowHelp::answersEachReply_data()
{
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<bool>("closed");
    QTest::newRow("accepted") << "feedback-accepted" << QStringList{"Message"}
                              << QStringList{"Send Feedback successfully!"} << true;
    QTest::newRow("refused") << "feedback-refused" << QStringList{"Error"} << QStringList{"Bad e-mail"} << false;
    QTest::newRow("refusal with markup")
        << "feedback-refused-with-markup" << QStringList{"Error"}
        << QStringList{"<b>Not</b> <a href='http://elsewhere/'>here</a>"} << false;
    QTest::newRow("two-character code") << "feedback-two-character-code" << QStringList{"Error"}
                                        << QStringList{"Can't recognise the result."} << false;
    QTest::newRow("no comma") << "feedback-without-comma" << QStringList{"Error"}
                              << QStringList{"Can't recognise the result."} << false;
    QTest::newRow("empty") << "feedback-empty" << QStringList{"Error"}
                           << QStringList{"Can't recognise the result."} << false;
}

void TestMainWindowHelp::answersEachReply()
{
    QFETCH(QString, scenario);
    QFETCH(QStringList, titles);
    QFETCH(QStringList, shown);
    QFETCH(bool, closed);
    FakeService service;
    QVERIFY(service.startScenario(scenario));
    SketchGlobals::sendFeedbackUrl = service.baseUrl() + feedbackPath;

    SketchFeedbackDialog dialog;
    DialogScript script;
    send(dialog, "hello", script);

    QCOMPARE(script.unexpected(), QStringList());
    QStringList boxTitles;
    QStringList boxTexts;
    for (const DialogScript::Box &box : script.boxes()) {
        boxTitles.append(box.title);
        boxTexts.append(shownText(box.text));
    }
    QCOMPARE(boxTitles, titles);
    QCOMPARE(boxTexts, shown);
    QCOMPARE(dialog.isVisible(), !closed);
    QCOMPARE(dialog.result(), closed ? int(SkinDialog::ResultOk) : int(SkinDialog::ResultCancel));
    // The text stays for another try.
    QCOMPARE(dialog.contentEdit()->toPlainText(), QString("hello"));
    QCOMPARE(service.requests().size(), 1);
}

void TestMainWindowHelp::sendsTheFieldsEncoded()
{
    FakeService service;
    QVERIFY(service.startScenario("feedback-accepted"));
    SketchGlobals::sendFeedbackUrl = service.baseUrl() + feedbackPath;
    SketchFeedbackDialog dialog;
    DialogScript script;
    send(dialog, "\n\na&b c=d", script);

    const QList<QJsonObject> requests = service.requests();
    QCOMPARE(requests.size(), 1);
    QCOMPARE(requests.first().value("method").toString(), QString("POST"));
    QCOMPARE(requests.first().value("path").toString(), QString(feedbackPath));
    const QString body = requests.first().value("body").toString();
    QVERIFY2(body.contains("a%26b"), qPrintable(body));
    const QJsonObject fields = requests.first().value("form_fields").toObject();
    // Leading blank lines are sent: only the emptiness test trims.
    QCOMPARE(fields.value("Content").toString(), QString("\n\na&b c=d"));
    QCOMPARE(fields.value("UserId").toString(), QString("user 7"));
    QCOMPARE(fields.value("Email").toString(), QString("me+you@example.org"));
}

void TestMainWindowHelp::sendsNothingBlank()
{
    FakeService service;
    QVERIFY(service.startScenario("feedback-accepted"));
    SketchGlobals::sendFeedbackUrl = service.baseUrl() + feedbackPath;
    SketchFeedbackDialog dialog;
    DialogScript script;
    send(dialog, "  \n\t \n", script, 0);
    QCOMPARE(script.boxes().size(), 0);
    QCOMPARE(script.unexpected(), QStringList());
    QVERIFY(dialog.isVisible());
    QCOMPARE(service.requests().size(), 0);
}

void TestMainWindowHelp::reportsANetworkError_data()
{
    QTest::addColumn<bool>("refused");
    QTest::newRow("server error") << false;
    QTest::newRow("connection refused") << true;
}

void TestMainWindowHelp::reportsANetworkError()
{
    QFETCH(bool, refused);
    FakeService service;
    QVERIFY(service.startScenario("feedback-server-error"));
    SketchGlobals::sendFeedbackUrl = service.baseUrl() + feedbackPath;
    if (refused) {
        // Nobody listens there once the service has gone.
        service.stop();
    }
    SketchFeedbackDialog dialog;
    DialogScript script;
    send(dialog, "hello", script);

    QCOMPARE(script.unexpected(), QStringList());
    QCOMPARE(script.boxes().size(), 1);
    QCOMPARE(script.boxes().first().title, QString("Error"));
    QCOMPARE(script.boxes().first().icon, int(SkinMessageBox::IconError));
    QVERIFY(!script.boxes().first().text.isEmpty());
    QVERIFY(!script.boxes().first().text.contains("Can't recognise"));
    QVERIFY(dialog.isVisible());
}

void TestMainWindowHelp::holdsTheDialogWhileTheRequestWaits()
{
    FakeService service;
    QVERIFY(service.startScenario("feedback-slow"));
    SketchGlobals::sendFeedbackUrl = service.baseUrl() + feedbackPath;
    SketchFeedbackDialog dialog;
    DialogScript script;

    bool sendEnabled = true;
    bool cancelEnabled = true;
    bool sending = false;
    bool visibleAfterClose = false;
    // Inside the request's wait: the buttons, a close, Escape, another Send.
    QTimer::singleShot(500, &dialog, [&]() {
        sending = dialog.isSending();
        sendEnabled = dialog.okButton()->isEnabled();
        cancelEnabled = dialog.cancelButton()->isEnabled();
        dialog.close();
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&dialog, &escape);
        dialog.okButtonClicked();
        visibleAfterClose = dialog.isVisible();
    });
    QElapsedTimer clock;
    clock.start();
    send(dialog, "hello", script);

    QVERIFY(clock.elapsed() >= 1500);
    QVERIFY(sending);
    QVERIFY(!sendEnabled);
    QVERIFY(!cancelEnabled);
    QVERIFY(visibleAfterClose);
    QCOMPARE(service.requests().size(), 1);
    // The reply accepted: closed after the success box, and the buttons and
    // closing are back.
    QCOMPARE(script.boxTexts(), QStringList{"Send Feedback successfully!"});
    QVERIFY(!dialog.isVisible());
    QVERIFY(!dialog.isSending());
    QVERIFY(dialog.okButton()->isEnabled());
    QVERIFY(dialog.cancelButton()->isEnabled());
    QVERIFY(dialog.isClosable());
}

// Real key events on the focused widget: in the text Return starts a new
// line and sends nothing; Tab leaves the text for "Send", where Return sends.
void TestMainWindowHelp::returnStartsALineTabAndReturnSend()
{
    FakeService service;
    QVERIFY(service.startScenario("feedback-accepted"));
    SketchGlobals::sendFeedbackUrl = service.baseUrl() + feedbackPath;
    SketchFeedbackDialog dialog;
    DialogScript script;
    script.answerBox(SkinMessageBox::ResultOk);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(dialog.contentEdit()));

    QTest::keyClicks(QApplication::focusWidget(), "one");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClicks(QApplication::focusWidget(), "two");
    QCOMPARE(dialog.contentEdit()->toPlainText(), QString("one\ntwo"));
    QVERIFY(dialog.isVisible());
    QCOMPARE(service.requests().size(), 0);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(dialog.okButton()));
    QCOMPARE(dialog.contentEdit()->toPlainText(), QString("one\ntwo"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);

    QCOMPARE(script.unexpected(), QStringList());
    QCOMPARE(script.boxTexts(), QStringList{"Send Feedback successfully!"});
    QCOMPARE(service.requests().size(), 1);
    QCOMPARE(service.requests().first().value("form_fields").toObject().value("Content").toString(),
             QString("one\ntwo"));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(SkinDialog::ResultOk));
}

QTEST_MAIN(TestMainWindowHelp)
#include "tst_mainwindowhelp.moc"
