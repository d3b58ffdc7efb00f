// Modal dialogs: the results of the standard dialog's buttons, the caption
// close button, Escape and Return, keep-open and not-closable dialogs, dialogs that
// delete themselves or are deleted while they run, a second exec(), the
// answer hook, and the tool window.
#include "skinfixture.h"

#include "skin/windows/skindialog.h"
#include "skin/windows/skinmessagebox.h"
#include "skin/windows/skinstandarddialog.h"
#include "skin/windows/skintoolwindow.h"
#include "support/contrast.h"

#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTextEdit>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace skintest;

namespace {

QPoint closeButtonCentre(const SkinWindow *window)
{
    const QRect r = window->closeButtonRect();
    return r.topLeft() + QPoint(r.width() / 2, r.height() / 2);
}

// What a test ends a dialog with that the keys left open.
constexpr int StillOpen = 99;

void pressEscape(QWidget *widget)
{
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(widget, &key);
}

// The user's way of ending a dialog in the tables below.
void answer(SkinStandardDialog *dialog, const QString &how)
{
    if (how == QLatin1String("OK"))
        dialog->okButton()->click();
    else if (how == QLatin1String("Cancel"))
        dialog->cancelButton()->click();
    else if (how == QLatin1String("caption close"))
        click(dialog, closeButtonCentre(dialog));
    else if (how == QLatin1String("Escape"))
        pressEscape(dialog);
    else if (how == QLatin1String("close()"))
        dialog->close();
}

// A dialog that accepts only after a second OK, as an input check would.
class CheckingDialog : public SkinStandardDialog
{
public:
    int checks = 0;
    void okButtonClicked() override
    {
        if (++checks > 1)
            SkinStandardDialog::okButtonClicked();
    }
};

} // namespace

class TestSkinDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void dialogDefaults();
    void standardDialogLayout();
    void standardDialogResults_data();
    void standardDialogResults();
    void escapeNeedsTheCloseButton();
    void returnPressesTheFocusedOrDefaultButton_data();
    void returnPressesTheFocusedOrDefaultButton();
    void focusFrameShowsOnEachControl_data();
    void focusFrameShowsOnEachControl();
    void keepOpenIgnoresOk();
    void overriddenOkDecides();
    void notClosableRefusesClosesButNotDone();
    void deleteOnCloseIsDeletedAfterItsResult();
    void secondExecReturnsAtOnce();
    void deletedWhileRunning_data();
    void deletedWhileRunning();
    void resultOutsideOneAndTwoPassesThrough();
    void answerHookStandsInForTheUser();
    void scopedHooksRestoreEachOther();
    void messageBoxHookCancelsOtherDialogs();
    void toolWindow();
};

void TestSkinDialog::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestSkinDialog::init()
{
    setSkinThemeStyle(Black);
}

void TestSkinDialog::cleanup()
{
    SkinDialog::setAnswerHook(SkinDialog::AnswerHook());
    QVERIFY(!QApplication::activeModalWidget());
}

void TestSkinDialog::dialogDefaults()
{
    SkinDialog dialog;
    QCOMPARE(dialog.captionHeight(), 18);
    QCOMPARE(dialog.windowModality(), Qt::ApplicationModal);
    QVERIFY(dialog.isHidden());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Dialog"));
    QCOMPARE(dialog.result(), 2);
    QVERIFY(dialog.isClosable());

    SkinStandardDialog standard;
    QCOMPARE(standard.windowTitle(), QStringLiteral("Standard Dialog"));
    QCOMPARE(standard.size(), QSize(300, 150));
    QVERIFY(!standard.isMaxButtonVisible());
    QVERIFY(!standard.isMinButtonVisible());
    QVERIFY(standard.isCloseButtonVisible());
    QVERIFY(!standard.canResizeWidth());
    QVERIFY(!standard.canResizeHeight());
    QCOMPARE(standard.okButton()->text(), QStringLiteral("OK"));
    QCOMPARE(standard.cancelButton()->text(), QStringLiteral("Cancel"));
    QCOMPARE(standard.hLine()->objectName(), QStringLiteral("HLine"));
    QVERIFY(!standard.isKeepOpen());
}

void TestSkinDialog::standardDialogLayout()
{
    SkinStandardDialog dialog;
    QRect central;
    QRect line;
    QRect ok;
    QRect cancel;
    whenModal([&](QWidget *) {
        central = dialog.centralWidget()->geometry();
        line = dialog.hLine()->geometry();
        ok = dialog.okButton()->geometry();
        cancel = dialog.cancelButton()->geometry();
        dialog.okButton()->click();
    });
    QCOMPARE(dialog.exec(), 1);
    QCOMPARE(central.size(), QSize(282, 114));
    QCOMPARE(line, QRect(QPoint(4, 82), QPoint(277, 83)));
    QCOMPARE(cancel, QRect(202, 89, 70, 20));
    QCOMPARE(ok, QRect(127, 89, 70, 20));
    QVERIFY(dialog.isHidden());
}

void TestSkinDialog::standardDialogResults_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("result");
    QTest::newRow("OK") << "OK" << 1;
    QTest::newRow("Cancel") << "Cancel" << 2;
    QTest::newRow("caption close") << "caption close" << 2;
    QTest::newRow("Escape") << "Escape" << 2;
    QTest::newRow("close()") << "close()" << 2;
}

void TestSkinDialog::standardDialogResults()
{
    QFETCH(QString, how);
    QFETCH(int, result);

    SkinStandardDialog dialog;
    QSignalSpy closed(&dialog, &SkinWindow::windowClosed);
    bool modal = false;
    whenModal([&](QWidget *shown) {
        modal = shown == &dialog;
        answer(&dialog, how);
    });
    QCOMPARE(dialog.exec(), result);
    QVERIFY(modal);
    QCOMPARE(dialog.result(), result);
    QVERIFY(dialog.isHidden());
    QVERIFY(closed.count() >= 1);

    // The same dialog runs again, from Cancel.
    whenModal([&](QWidget *) { answer(&dialog, how); });
    QCOMPARE(dialog.exec(), result);
}

void TestSkinDialog::escapeNeedsTheCloseButton()
{
    SkinStandardDialog dialog;
    dialog.setCloseButtonVisible(false);
    bool stillOpen = false;
    whenModal([&](QWidget *) {
        pressEscape(&dialog);
        stillOpen = dialog.isVisible();
        dialog.done(7);
    });
    QCOMPARE(dialog.exec(), 7);
    QVERIFY(stillOpen);
}

void TestSkinDialog::returnPressesTheFocusedOrDefaultButton_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("okEnabled");
    // The result, or 0 when the dialog stays open.
    QTest::addColumn<int>("result");
    QTest::newRow("line edit") << "line edit" << int(Qt::Key_Return) << true << 1;
    QTest::newRow("line edit, keypad Enter") << "line edit" << int(Qt::Key_Enter) << true << 1;
    QTest::newRow("spin box") << "spin box" << int(Qt::Key_Return) << true << 1;
    QTest::newRow("combo box") << "combo box" << int(Qt::Key_Return) << true << 1;
    QTest::newRow("OK") << "OK" << int(Qt::Key_Return) << true << 1;
    QTest::newRow("Cancel takes it itself") << "Cancel" << int(Qt::Key_Return) << true << 2;
    QTest::newRow("multi-line text keeps it") << "text edit" << int(Qt::Key_Return) << true << 0;
    QTest::newRow("OK disabled") << "line edit" << int(Qt::Key_Return) << false << 0;
}

// Return and Enter on whatever holds the focus, as real key events.
void TestSkinDialog::returnPressesTheFocusedOrDefaultButton()
{
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(bool, okEnabled);
    QFETCH(int, result);

    SkinStandardDialog dialog;
    QHash<QString, QWidget *> controls{{"OK", dialog.okButton()}, {"Cancel", dialog.cancelButton()}};
    controls.insert("line edit", new QLineEdit(dialog.centralWidget()));
    controls.insert("spin box", new QSpinBox(dialog.centralWidget()));
    auto *combo = new QComboBox(dialog.centralWidget());
    combo->addItems({"one", "two"});
    controls.insert("combo box", combo);
    auto *text = new QTextEdit(dialog.centralWidget());
    controls.insert("text edit", text);
    int y = 4;
    for (QWidget *control : {controls["line edit"], controls["spin box"], controls["combo box"], controls["text edit"]}) {
        control->setGeometry(4, y, 120, 20);
        y += 22;
    }
    dialog.okButton()->setEnabled(okEnabled);

    bool focused = false;
    bool stayedOpen = false;
    whenModal([&](QWidget *) {
        controls[focus]->setFocus(Qt::TabFocusReason);
        focused = QTest::qWaitFor([&] { return QApplication::focusWidget() == controls[focus]; }, 2000);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key),
                        key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        stayedOpen = dialog.isVisible();
        if (stayedOpen)
            dialog.done(StillOpen);
    });
    const int answer = dialog.exec();
    QVERIFY(focused);
    QCOMPARE(stayedOpen, result == 0);
    QCOMPARE(answer, result == 0 ? StillOpen : result);
    if (focus == QLatin1String("text edit"))
        QCOMPARE(text->toPlainText(), QStringLiteral("\n"));
    // Shown as the dialog's default.
    QVERIFY(dialog.okButton()->isDefault());
}

void TestSkinDialog::focusFrameShowsOnEachControl_data()
{
    QTest::addColumn<int>("theme");
    QTest::addColumn<QString>("control");
    for (const int theme : {Black, Gray, Blue, Olive}) {
        for (const char *control : {"push button", "combo box", "spin box", "text edit"})
            QTest::newRow(qPrintable(skinThemeStyleName(SkinThemeStyle(theme)) + ", " + control)) << theme << control;
    }
}

// The left edge of a control, half-way down, differs by at least 3:1 when
// the control holds the focus.
void TestSkinDialog::focusFrameShowsOnEachControl()
{
    QFETCH(int, theme);
    QFETCH(QString, control);
    setSkinThemeStyle(SkinThemeStyle(theme));
    SkinStandardDialog dialog;
    QWidget *widget = nullptr;
    if (control == QLatin1String("push button"))
        widget = new QPushButton(QStringLiteral("Push"), dialog.centralWidget());
    else if (control == QLatin1String("combo box"))
        widget = new QComboBox(dialog.centralWidget());
    else if (control == QLatin1String("spin box"))
        widget = new QSpinBox(dialog.centralWidget());
    else
        widget = new QTextEdit(dialog.centralWidget());
    widget->setGeometry(4, 4, 120, 22);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    const auto edge = [widget] {
        const QImage image = widget->grab().toImage();
        return pixelAt(image, 0, image.height() / 2);
    };
    dialog.cancelButton()->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), dialog.cancelButton());
    const QColor plain = edge();
    widget->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(widget->hasFocus());
    const QColor framed = edge();
    QVERIFY2(contrast::ratio(framed, plain) >= 3.0,
             qPrintable(QStringLiteral("%1 against %2").arg(framed.name(), plain.name())));
}

void TestSkinDialog::keepOpenIgnoresOk()
{
    SkinStandardDialog dialog;
    dialog.setKeepOpen(true);
    bool stillOpen = false;
    whenModal([&](QWidget *) {
        dialog.okButton()->click();
        stillOpen = dialog.isVisible();
        dialog.cancelButton()->click();
    });
    QCOMPARE(dialog.exec(), 2);
    QVERIFY(stillOpen);
}

void TestSkinDialog::overriddenOkDecides()
{
    CheckingDialog dialog;
    whenModal([&](QWidget *) {
        dialog.okButton()->click();
        dialog.okButton()->click();
    });
    QCOMPARE(dialog.exec(), 1);
    QCOMPARE(dialog.checks, 2);
}

void TestSkinDialog::notClosableRefusesClosesButNotDone()
{
    SkinStandardDialog dialog;
    dialog.setClosable(false);
    QSignalSpy closed(&dialog, &SkinWindow::windowClosed);
    bool stillOpen = false;
    whenModal([&](QWidget *) {
        dialog.close();
        pressEscape(&dialog);
        click(&dialog, closeButtonCentre(&dialog));
        stillOpen = dialog.isVisible();
        dialog.done(1);
    });
    QCOMPARE(dialog.exec(), 1);
    QVERIFY(stillOpen);
    QCOMPARE(closed.count(), 0);
    dialog.setClosable(true);
}

void TestSkinDialog::deleteOnCloseIsDeletedAfterItsResult()
{
    auto *dialog = new SkinStandardDialog;
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<SkinStandardDialog> alive(dialog);
    whenModal([dialog](QWidget *) { dialog->okButton()->click(); });
    QCOMPARE(dialog->exec(), 1);
    QVERIFY(!alive);
}

void TestSkinDialog::secondExecReturnsAtOnce()
{
    SkinDialog dialog;
    int inner = -1;
    bool stillOpen = false;
    whenModal([&](QWidget *) {
        inner = dialog.exec();
        stillOpen = dialog.isVisible();
        dialog.done(1);
    });
    QCOMPARE(dialog.exec(), 1);
    QCOMPARE(inner, 2);
    QVERIFY(stillOpen);

    // Also while an answer hook answers it.
    SkinDialog::ScopedAnswerHook hook([&](SkinDialog *d) {
        inner = d->exec();
        return 6;
    });
    QCOMPARE(dialog.exec(), 6);
    QCOMPARE(inner, 2);
}

void TestSkinDialog::deletedWhileRunning_data()
{
    QTest::addColumn<bool>("viaParent");
    QTest::addColumn<int>("doneFirst");
    QTest::addColumn<int>("result");
    QTest::newRow("dialog deleted") << false << 0 << 2;
    QTest::newRow("parent deleted") << true << 0 << 2;
    QTest::newRow("deleted after done") << false << 6 << 6;
}

// The loop ends and exec() returns without touching the deleted dialog (the
// sanitizers see any access).
void TestSkinDialog::deletedWhileRunning()
{
    QFETCH(bool, viaParent);
    QFETCH(int, doneFirst);
    QFETCH(int, result);

    auto *parent = new QWidget;
    // With a parent the dialog would be a child widget; as a window of its
    // own it is still deleted with its parent.
    auto *dialog = new SkinDialog(parent);
    dialog->setWindowFlags(dialog->windowFlags() | Qt::Window);
    QPointer<SkinDialog> alive(dialog);
    whenModal([=](QWidget *) {
        if (doneFirst)
            dialog->done(doneFirst);
        if (viaParent)
            delete parent;
        else
            delete dialog;
    });
    QCOMPARE(dialog->exec(), result);
    QVERIFY(!alive);
    if (!viaParent)
        delete parent;
}

void TestSkinDialog::resultOutsideOneAndTwoPassesThrough()
{
    SkinStandardDialog dialog;
    whenModal([&](QWidget *) { dialog.done(-42); });
    QCOMPARE(dialog.exec(), -42);
}

void TestSkinDialog::answerHookStandsInForTheUser()
{
    SkinStandardDialog dialog;
    bool shown = true;
    int calls = 0;
    {
        SkinDialog::ScopedAnswerHook hook([&](SkinDialog *d) {
            ++calls;
            shown = d->isVisible() || QApplication::activeModalWidget();
            // The hook may use the dialog's own buttons.
            static_cast<SkinStandardDialog *>(d)->okButton()->click();
            return d->result();
        });
        QVERIFY(SkinDialog::hasAnswerHook());
        QCOMPARE(dialog.exec(), 1);
        QCOMPARE(calls, 1);
        QVERIFY(!shown);
        QCOMPARE(dialog.result(), 1);
    }
    QVERIFY(!SkinDialog::hasAnswerHook());

    // The value the hook returns is the result.
    SkinDialog::setAnswerHook([](SkinDialog *) { return 5; });
    QCOMPARE(dialog.exec(), 5);
    QCOMPARE(dialog.result(), 5);

    // A hook may delete the dialog; its answer still comes back.
    auto *doomed = new SkinDialog;
    SkinDialog::setAnswerHook([](SkinDialog *d) {
        delete d;
        return 4;
    });
    QCOMPARE(doomed->exec(), 4);
}

void TestSkinDialog::scopedHooksRestoreEachOther()
{
    SkinDialog dialog;
    SkinDialog::setAnswerHook([](SkinDialog *) { return 1; });
    {
        SkinDialog::ScopedAnswerHook outer([](SkinDialog *) { return 3; });
        {
            SkinDialog::ScopedAnswerHook inner([](SkinDialog *) { return 4; });
            QCOMPARE(dialog.exec(), 4);
        }
        QCOMPARE(dialog.exec(), 3);
    }
    QCOMPARE(dialog.exec(), 1);
}

void TestSkinDialog::messageBoxHookCancelsOtherDialogs()
{
    int boxes = 0;
    SkinMessageBox::setAnswerHook([&](SkinMessageBox *) {
        ++boxes;
        return int(SkinMessageBox::ResultYes);
    });
    QVERIFY(SkinDialog::hasAnswerHook());
    SkinStandardDialog dialog;
    QCOMPARE(dialog.exec(), 2);
    QCOMPARE(SkinMessageBox::question(nullptr, QStringLiteral("Confirm"), QStringLiteral("Sure?"), 4), 6);
    QCOMPARE(boxes, 1);

    SkinMessageBox::setAnswerHook(SkinMessageBox::AnswerHook());
    QVERIFY(!SkinDialog::hasAnswerHook());
}

void TestSkinDialog::toolWindow()
{
    SkinToolWindow window;
    QCOMPARE(window.windowTitle(), QStringLiteral("ToolWindow"));
    QCOMPARE(window.borderWidth(), 0);
    QCOMPARE(window.borderHeight(), 0);
    QCOMPARE(window.captionHeight(), 13);
    QVERIFY(!window.isCloseButtonVisible());
    QVERIFY(!window.isMaxButtonVisible());
    QVERIFY(!window.isMinButtonVisible());
    QVERIFY(!window.isIconVisible());
    QCOMPARE(window.closeButton()->focusPolicy(), Qt::NoFocus);
    QVERIFY(!window.closeButton()->icon().isNull());

    window.setGeometry(100, 100, 200, 120);
    window.show();
    QCOMPARE(window.closeButton()->geometry(), QRect(QPoint(178, 0), QPoint(194, 11)));
    // No borders: no resizing; the caption moves it.
    QVERIFY(!window.canResizeWidth());
    QVERIFY(!window.canResizeHeight());
    QCOMPARE(window.hitTest(QPoint(100, 5)), int(SkinWindow::HitCaption));
    QCOMPARE(window.hitTest(QPoint(0, 60)), int(SkinWindow::HitNone));

    // Pressing the button clears the frame's hover first; the click closes.
    window.setHoverRegion(SkinWindow::HitCaption);
    QSignalSpy closed(&window, &SkinWindow::windowClosed);
    QTest::mouseClick(window.closeButton(), Qt::LeftButton);
    QCOMPARE(window.hoverRegion(), 0);
    QVERIFY(!window.isVisible());
    QCOMPARE(closed.count(), 1);
}

QTEST_MAIN(TestSkinDialog)
#include "tst_skindialog.moc"
