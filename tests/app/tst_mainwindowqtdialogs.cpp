// Qt's own dialogs of the main window in the four themes: the file dialogs of
// Open, Save As, Export, Insert Image and the fill's image, and the print
// preview's page set-up, each built as the window builds it and read as Qt
// draws it: every text stands out from its background by at least 4.5:1,
// and the dialog sits modal over the window.
#include "app/mainwindow.h"
#include "skin/controls/skinimagecontrol.h"
#include "skin/windows/skinprintpreviewdialog.h"
#include "skin/windows/skintheme.h"
#include "support/contrast.h"
#include "support/modaldriver.h"
#include "windowfixture.h"

#include <QFileDialog>
#include <QPageSetupDialog>
#include <QPushButton>
#include <QWindow>
#include <QtTest>

#include <functional>

using namespace windowfixture;

namespace {

// What one of Qt's dialogs showed while it ran.
struct Seen
{
    QString kind;
    contrast::Text worst;
    Qt::WindowModality modality = Qt::NonModal;
    QWindow *transientParent = nullptr;
    QRect geometry;
};

} // namespace

class TestMainWindowQtDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void readableInEveryTheme_data();
    void readableInEveryTheme();
    void sitsModalOverTheWindow_data();
    void sitsModalOverTheWindow();

private:
    // Runs the command that opens the dialog and records it; the dialog is
    // then cancelled.
    Seen run(const QString &command);

    Home m_home;
    MainWindow *m_window = nullptr;
};

void TestMainWindowQtDialogs::initTestCase()
{
    QVERIFY(m_home.install());
    m_window = new MainWindow;
    m_window->setGeometry(60, 40, 680, 520);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    m_window->newFile();
}

void TestMainWindowQtDialogs::cleanupTestCase()
{
    delete m_window;
    m_window = nullptr;
}

Seen TestMainWindowQtDialogs::run(const QString &command)
{
    Seen seen;
    const auto record = [&seen](QDialog *dialog) {
        seen.kind = QString::fromLatin1(dialog->metaObject()->className());
        seen.worst = contrast::worstText(dialog);
        seen.modality = dialog->windowModality();
        seen.transientParent = dialog->windowHandle() ? dialog->windowHandle()->transientParent() : nullptr;
        seen.geometry = dialog->geometry();
        dialog->reject();
    };
    ModalDriver driver;
    if (command == QLatin1String("page setup")) {
        // The preview opens the set-up from its button; once that is
        // answered, the preview is closed.
        int presses = 0;
        driver.answer<SkinPrintPreviewDialog>([&presses](SkinPrintPreviewDialog *preview) {
            if (presses++ > 0) {
                preview->close();
                return;
            }
            for (QPushButton *button : preview->findChildren<QPushButton *>()) {
                if (button->text() == QLatin1String("Page Setup..."))
                    button->click();
            }
        });
        driver.answer<QPageSetupDialog>(record);
        m_window->printPreview();
    } else {
        driver.answer<QFileDialog>(record);
        if (command == QLatin1String("open"))
            m_window->openFile();
        else if (command == QLatin1String("save as"))
            m_window->saveAs();
        else if (command == QLatin1String("export"))
            m_window->exportToImage();
        else if (command == QLatin1String("insert image"))
            m_window->insertImage();
        else if (command == QLatin1String("fill image"))
            m_window->findChild<SkinImageControl *>()->openImageFile();
    }
    if (!driver.failures().isEmpty())
        seen.kind = driver.failures();
    return seen;
}

void TestMainWindowQtDialogs::readableInEveryTheme_data()
{
    QTest::addColumn<int>("theme");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("kind");
    const std::pair<QString, QString> dialogs[] = {{"open", "QFileDialog"},
                                                   {"save as", "QFileDialog"},
                                                   {"export", "QFileDialog"},
                                                   {"insert image", "QFileDialog"},
                                                   {"fill image", "QFileDialog"},
                                                   {"page setup", "QPageSetupDialog"}};
    for (const int theme : {Black, Gray, Blue, Olive}) {
        for (const auto &[command, kind] : dialogs) {
            QTest::newRow(qPrintable(skinThemeStyleName(SkinThemeStyle(theme)) + QLatin1String(", ") + command))
                << theme << command << kind;
        }
    }
}

void TestMainWindowQtDialogs::readableInEveryTheme()
{
    QFETCH(int, theme);
    QFETCH(QString, command);
    QFETCH(QString, kind);
    m_window->changeTheme(SkinThemeStyle(theme));
    const Seen seen = run(command);
    QCOMPARE(seen.kind, kind);
    QVERIFY2(!seen.worst.what.isEmpty(), "the dialog showed no text");
    QVERIFY2(seen.worst.ratio >= 4.5, qPrintable(contrast::describe(seen.worst)));
}

void TestMainWindowQtDialogs::sitsModalOverTheWindow_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("open") << "open";
    QTest::newRow("save as") << "save as";
    QTest::newRow("page setup") << "page setup";
}

// Modal to the whole program (the print preview too, behind the set-up),
// the window manager told whose dialog it is, and centred over the window
// (the window system's frame may shift it by its width).
void TestMainWindowQtDialogs::sitsModalOverTheWindow()
{
    QFETCH(QString, command);
    m_window->changeTheme(Black);
    const Seen seen = run(command);
    QVERIFY2(seen.kind.startsWith(QLatin1Char('Q')), qPrintable(seen.kind));
    QCOMPARE(seen.modality, Qt::ApplicationModal);
    if (command != QLatin1String("page setup")) {
        QCOMPARE(seen.transientParent, m_window->windowHandle());
        const QPoint offset = seen.geometry.center() - m_window->geometry().center();
        QVERIFY2(qAbs(offset.x()) <= 4 && qAbs(offset.y()) <= 4, qPrintable(QStringLiteral("%1, %2").arg(offset.x()).arg(offset.y())));
    } else {
        QVERIFY(seen.transientParent);
        QVERIFY(seen.transientParent != m_window->windowHandle());
    }
}

QTEST_MAIN(TestMainWindowQtDialogs)
#include "tst_mainwindowqtdialogs.moc"
