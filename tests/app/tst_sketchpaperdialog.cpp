// The paper size dialog: which type and orientation a size shows, what the
// two boxes fill in, and the window's command that records "Resize Paper"
// only for a changed size.
#include "app/mainwindow.h"
#include "app/sketchpaperdialog.h"
#include "commands/sketchcommand.h"
#include "commands/sketchcommandmanager.h"
#include "editor/sketchdocumentview.h"
#include "windowfixture.h"

#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

#include <functional>

using namespace windowfixture;

class TestSketchPaperDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void showsTheTypeOfASize_data();
    void showsTheTypeOfASize();
    void fillsTheNumbersFromTypeAndOrientation();
    void keepsTheNumbersForCustom();
    void keepsTheTypeWhenTheNumbersAreEdited();

    void resizesThePaperAsOneStep_data();
    void resizesThePaperAsOneStep();
    void returnAppliesTheTypedSize_data();
    void returnAppliesTheTypedSize();
    void opensNoDialogWithoutAView();

private:
    Home m_home;
};

void TestSketchPaperDialog::initTestCase()
{
    QVERIFY(m_home.install());
}

void TestSketchPaperDialog::showsTheTypeOfASize_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("orientation");
    QTest::addColumn<QSize>("numbers");
    QTest::newRow("default paper") << QSize(842, 595) << "A4" << "Horizontal" << QSize(842, 595);
    QTest::newRow("A4 portrait") << QSize(595, 842) << "A4" << "Vertical" << QSize(595, 842);
    QTest::newRow("A3 landscape") << QSize(1191, 842) << "A3" << "Horizontal" << QSize(1191, 842);
    QTest::newRow("B5 portrait") << QSize(499, 709) << "B5" << "Vertical" << QSize(499, 709);
    QTest::newRow("B4 portrait") << QSize(709, 1001) << "B4" << "Vertical" << QSize(709, 1001);
    QTest::newRow("custom") << QSize(800, 600) << "Custom" << "" << QSize(800, 600);
    QTest::newRow("too narrow") << QSize(30, 20) << "Custom" << "" << QSize(50, 50);
    QTest::newRow("too wide") << QSize(200000, 600) << "Custom" << "" << QSize(100000, 600);
}

void TestSketchPaperDialog::showsTheTypeOfASize()
{
    QFETCH(QSize, size);
    QFETCH(QString, type);
    QFETCH(QString, orientation);
    QFETCH(QSize, numbers);
    SketchPaperDialog dialog;
    QCOMPARE(dialog.size(), QSize(290, 160));
    QCOMPARE(dialog.windowTitle(), QString("Paper Size"));
    dialog.setPaperSize(size);
    QCOMPARE(dialog.typeBox()->currentText(), type);
    QCOMPARE(dialog.orientationBox()->isHidden(), orientation.isEmpty());
    if (!orientation.isEmpty())
        QCOMPARE(dialog.orientationBox()->currentText(), orientation);
    QCOMPARE(dialog.paperSize(), numbers);
}

void TestSketchPaperDialog::fillsTheNumbersFromTypeAndOrientation()
{
    SketchPaperDialog dialog;
    dialog.setPaperSize(QSize(595, 842));
    QCOMPARE(dialog.orientationBox()->currentText(), QString("Vertical"));
    dialog.typeBox()->setCurrentIndex(1);
    QCOMPARE(dialog.paperSize(), QSize(842, 1191));
    dialog.orientationBox()->setCurrentIndex(0);
    QCOMPARE(dialog.paperSize(), QSize(1191, 842));
}

void TestSketchPaperDialog::keepsTheNumbersForCustom()
{
    SketchPaperDialog dialog;
    dialog.setPaperSize(QSize(709, 499));
    dialog.typeBox()->setCurrentIndex(4);
    QCOMPARE(dialog.paperSize(), QSize(709, 499));
    QVERIFY(dialog.orientationBox()->isHidden());
    dialog.typeBox()->setCurrentIndex(0);
    QVERIFY(!dialog.orientationBox()->isHidden());
    QCOMPARE(dialog.paperSize(), QSize(842, 595));
}

void TestSketchPaperDialog::keepsTheTypeWhenTheNumbersAreEdited()
{
    SketchPaperDialog dialog;
    dialog.setPaperSize(QSize(842, 595));
    dialog.widthBox()->setValue(900);
    QCOMPARE(dialog.typeBox()->currentText(), QString("A4"));
    QCOMPARE(dialog.paperSize(), QSize(900, 595));
}

void TestSketchPaperDialog::resizesThePaperAsOneStep_data()
{
    QTest::addColumn<QSize>("paper");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QSize>("result");
    QTest::addColumn<bool>("recorded");
    QTest::newRow("OK unchanged") << QSize(842, 595) << "ok" << QSize(842, 595) << false;
    QTest::newRow("A3 horizontal") << QSize(842, 595) << "a3" << QSize(1191, 842) << true;
    QTest::newRow("cancelled change") << QSize(842, 595) << "a3 cancel" << QSize(842, 595) << false;
    QTest::newRow("too narrow, OK") << QSize(30, 595) << "ok" << QSize(50, 595) << true;
}

void TestSketchPaperDialog::resizesThePaperAsOneStep()
{
    QFETCH(QSize, paper);
    QFETCH(QString, answer);
    QFETCH(QSize, result);
    QFETCH(bool, recorded);
    MainWindow window;
    window.newFile();
    SketchView *view = window.currentSketchView();
    view->setPaperSize(paper);
    const int stepsBefore = view->commandManager()->undoCount();

    QString shownType;
    SkinDialog::ScopedAnswerHook hook([&](SkinDialog *dialog) {
        auto *paperDialog = qobject_cast<SketchPaperDialog *>(dialog);
        if (!paperDialog)
            return int(SkinDialog::ResultCancel);
        shownType = paperDialog->typeBox()->currentText();
        if (answer.startsWith("a3")) {
            paperDialog->typeBox()->setCurrentIndex(1);
            paperDialog->orientationBox()->setCurrentIndex(0);
        }
        if (answer.endsWith("cancel"))
            paperDialog->cancelButton()->click();
        else
            paperDialog->okButton()->click();
        return paperDialog->result();
    });
    window.actionPaperSizeClicked();

    QVERIFY(!shownType.isEmpty());
    QCOMPARE(view->paperSize(), result);
    QCOMPARE(view->commandManager()->undoCount(), stepsBefore + (recorded ? 1 : 0));
    if (recorded) {
        QCOMPARE(view->commandManager()->lastCommand()->text(), QString("Resize Paper"));
        view->commandManager()->undo();
        QCOMPARE(view->paperSize(), paper);
    }
}

void TestSketchPaperDialog::returnAppliesTheTypedSize_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QSize>("result");
    QTest::newRow("in the width box") << "width" << QSize(1234, 595);
    QTest::newRow("in the height box") << "height" << QSize(842, 1234);
    QTest::newRow("in the type box") << "type" << QSize(842, 595);
}

// Typed into the shown dialog and answered with Return on the focused box,
// as real key events: the number typed counts, and the window records it.
void TestSketchPaperDialog::returnAppliesTheTypedSize()
{
    QFETCH(QString, field);
    QFETCH(QSize, result);
    MainWindow window;
    window.newFile();
    SketchView *view = window.currentSketchView();
    const int stepsBefore = view->commandManager()->undoCount();

    bool stayedOpen = false;
    SkinDialog::ScopedAnswerHook hook([&](SkinDialog *dialog) {
        auto *paperDialog = qobject_cast<SketchPaperDialog *>(dialog);
        if (!paperDialog)
            return int(SkinDialog::ResultCancel);
        paperDialog->show();
        if (!QTest::qWaitForWindowActive(paperDialog))
            return int(SkinDialog::ResultCancel);
        QWidget *box = field == "width" ? static_cast<QWidget *>(paperDialog->widthBox())
                     : field == "height" ? static_cast<QWidget *>(paperDialog->heightBox())
                                         : static_cast<QWidget *>(paperDialog->typeBox());
        box->setFocus(Qt::TabFocusReason);
        if (field != "type") {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(QApplication::focusWidget(), "1234");
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        stayedOpen = paperDialog->isVisible();
        return paperDialog->result();
    });
    window.actionPaperSizeClicked();

    QVERIFY(!stayedOpen);
    QCOMPARE(view->paperSize(), result);
    QCOMPARE(view->commandManager()->undoCount(), stepsBefore + (result == QSize(842, 595) ? 0 : 1));
}

void TestSketchPaperDialog::opensNoDialogWithoutAView()
{
    MainWindow window;
    int dialogs = 0;
    SkinDialog::ScopedAnswerHook hook([&](SkinDialog *) {
        ++dialogs;
        return int(SkinDialog::ResultCancel);
    });
    window.actionPaperSizeClicked();
    QCOMPARE(dialogs, 0);
}

QTEST_MAIN(TestSketchPaperDialog)
#include "tst_sketchpaperdialog.moc"
