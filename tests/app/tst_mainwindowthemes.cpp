// The theme switch: the caption's theme button and its popup, what choosing
// a theme applies, tints, stores and reports, and the theme of the next
// start. The reports to the web service are checked in child runs against
// the fake service (servicefixture.h); the rest runs in process, where no
// service is configured.
#include "dialogscript.h"
#include "servicefixture.h"
#include "windowfixture.h"

#include "app/usersettings.h"
#include "skin/controls/skingridview.h"
#include "skin/windows/skintheme.h"
#include "skin/windows/skintoolbox.h"

#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace servicefixture;

namespace {

const char *const themeButtonNames[] = {"btnThemeBlack", "btnThemeGray", "btnThemeBlue", "btnThemeOlive"};
const char *const clicksVariable = "LOOMDRAW_TEST_THEME_CLICKS";

QPushButton *button(const MainWindow &window, const char *name)
{
    return window.findChild<QPushButton *>(QLatin1String(name));
}

QStringList checkedThemeButtons(const MainWindow &window)
{
    QStringList checked;
    for (const char *name : themeButtonNames) {
        if (button(window, name)->isChecked())
            checked.append(QLatin1String(name));
    }
    return checked;
}

// Every visible pixel of the icon's 16 x 16 form is opaque `colour`.
bool tintedIn(const QIcon &icon, const QColor &colour)
{
    const QImage image = icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
    bool any = false;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) == 0)
                continue;
            if (qAlpha(pixel) != 255 || QColor(pixel).rgb() != colour.rgb())
                return false;
            any = true;
        }
    }
    return any;
}

// The icons the window tints: the theme button's, the menus' own entries'
// and the frame tool's. Names those not in the theme's icon colour.
QStringList untintedIcons(const MainWindow &window)
{
    QStringList untinted;
    const QColor colour = skinIconColor;
    if (!tintedIn(button(window, "themeButton")->icon(), colour))
        untinted.append("themeButton");
    for (QAction *entry : const_cast<MainWindow &>(window).menuBar()->actions()) {
        for (QAction *action : entry->menu() ? entry->menu()->actions() : QList<QAction *>()) {
            if (!action->icon().isNull() && !tintedIn(action->icon(), colour))
                untinted.append(action->objectName());
        }
    }
    if (!tintedIn(windowfixture::action(window, "toolActionFrame")->icon(), colour))
        untinted.append("toolActionFrame");
    // The palette's tools, but Select, whose arrow keeps its own colours.
    const QList<SkinToolBox *> boxes = window.findChildren<SkinToolBox *>();
    for (QPushButton *tool : boxes.isEmpty() ? QList<QPushButton *>() : boxes.first()->buttons().mid(1)) {
        if (!tintedIn(tool->icon(), colour))
            untinted.append(tool->toolTip());
    }
    return untinted;
}

// The Select tool's icon shows its image as drawn.
bool selectKeepsItsColours(const MainWindow &window)
{
    const QList<SkinToolBox *> boxes = window.findChildren<SkinToolBox *>();
    if (boxes.isEmpty() || boxes.first()->buttons().isEmpty())
        return false;
    const QImage shown = boxes.first()->buttons().first()->icon().pixmap(16, 16).toImage();
    const QImage drawn = QIcon(":/tools/images/Arrow.png").pixmap(16, 16).toImage();
    return shown.convertToFormat(QImage::Format_ARGB32) == drawn.convertToFormat(QImage::Format_ARGB32);
}

bool overlayShows(const MainWindow &window)
{
    for (const QWidget *child : window.findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (child->isVisible() && child->geometry() == window.rect() && child->cursor().shape() == Qt::WaitCursor)
            return true;
    }
    return false;
}

// Child run: the window, then each theme named in clicksVariable chosen in
// the popup, reporting the theme in force, the checked buttons and whether
// the busy overlay covered the window while the notice was sent.
int chooseThemesScenario(int argc, char **argv)
{
    QApplication application(argc, argv);
    setSkinThemeStyle(Black);
    DialogScript script;
    MainWindow window;
    window.show();
    report("theme", skinThemeStyleName());
    const QStringList clicks = qEnvironmentVariable(clicksVariable).split(',', Qt::SkipEmptyParts);
    for (const QString &theme : clicks) {
        bool busy = false;
        // Fires inside the notice's wait, which the service draws out.
        QTimer::singleShot(200, &window, [&] { busy = overlayShows(window); });
        button(window, "themeButton")->click();
        button(window, qPrintable("btnTheme" + theme))->click();
        QTest::qWait(250);
        report("theme", skinThemeStyleName());
        report("checked", checkedThemeButtons(window).join(','));
        report("busy", busy ? "yes" : "no");
        report("overlay after", overlayShows(window) ? "yes" : "no");
        report("untinted", untintedIcons(window).join(','));
    }
    report("unexpected", script.unexpected().join(','));
    return 0;
}

} // namespace

class TestMainWindowThemes : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void themeButtonAndPopup();
    void popupHangsUnderTheButton();
    void choosingAThemeAppliesTintsAndSaves_data();
    void choosingAThemeAppliesTintsAndSaves();
    void choosingTheThemeInForceChangesNothing();
    void menuEntriesWithoutIconsStayWithout();
    void oddThemeValuesReadAsBlack();
    void aThemeSetBeforeTheFirstShowReachesEveryLabel_data();
    void aThemeSetBeforeTheFirstShowReachesEveryLabel();

    void choiceIsReportedOnceAndKeptForTheNextStart();
    void restoringTheSavedThemeReportsNothing();

private:
    windowfixture::Home m_home;
};

void TestMainWindowThemes::initTestCase()
{
    QVERIFY(m_home.install());
}

void TestMainWindowThemes::init()
{
    m_home.removeSettings();
    setSkinThemeStyle(Black);
}

void TestMainWindowThemes::themeButtonAndPopup()
{
    MainWindow window;
    window.show();
    QPushButton *themeButton = button(window, "themeButton");
    QVERIFY(themeButton);
    QCOMPARE(themeButton->parentWidget(), &window);
    QCOMPARE(themeButton->toolTip(), QStringLiteral("Select Theme Style"));
    QCOMPARE(themeButton->focusPolicy(), Qt::NoFocus);
    QVERIFY(themeButton->text().isEmpty());
    // In the caption, 6 pixels left of the minimize button.
    QCOMPARE(themeButton->geometry(), QRect(window.minButtonRect().left() - 28, 0, 22, 20));
    window.resize(1000, 600);
    QCOMPARE(themeButton->geometry(), QRect(window.minButtonRect().left() - 28, 0, 22, 20));

    auto *popup = window.findChild<QWidget *>("popupWindow");
    QVERIFY(popup);
    QVERIFY(popup->windowFlags() & Qt::Popup);
    QCOMPARE(popup->size(), QSize(120, 36));
    const QStringList tips = {"Black", "Gray", "Blue", "Olive"};
    for (int index = 0; index < 4; ++index) {
        QPushButton *theme = button(window, themeButtonNames[index]);
        QVERIFY(theme);
        QCOMPARE(theme->parentWidget(), popup);
        QCOMPARE(theme->geometry(), QRect(8 + 27 * index, 8, 20, 20));
        QCOMPARE(theme->toolTip(), tips.at(index));
        QVERIFY(theme->isCheckable());
        QCOMPARE(theme->focusPolicy(), Qt::NoFocus);
        QVERIFY(!theme->icon().isNull());
    }
    QCOMPARE(checkedThemeButtons(window), QStringList{"btnThemeBlack"});
}

void TestMainWindowThemes::popupHangsUnderTheButton()
{
    MainWindow window;
    window.show();
    QPushButton *themeButton = button(window, "themeButton");
    auto *popup = window.findChild<QWidget *>("popupWindow");
    QVERIFY(!popup->isVisible());
    themeButton->click();
    QVERIFY(popup->isVisible());
    // The offscreen platform gives a popup a frame of 2 pixels all round.
    const QPoint expected = themeButton->mapToGlobal(QPoint(-49, 19));
    QVERIFY2((popup->pos() - expected).manhattanLength() <= 4,
             qPrintable(QStringLiteral("%1,%2").arg(popup->x()).arg(popup->y())));
    popup->hide();
}

void TestMainWindowThemes::choosingAThemeAppliesTintsAndSaves_data()
{
    QTest::addColumn<QString>("theme");
    QTest::addColumn<int>("style");
    QTest::addColumn<QColor>("iconColour");
    QTest::newRow("Gray") << "Gray" << int(Gray) << QColor(0, 0, 0);
    QTest::newRow("Blue") << "Blue" << int(Blue) << QColor(0, 0, 0);
    QTest::newRow("Olive") << "Olive" << int(Olive) << QColor(0, 0, 0);
}

void TestMainWindowThemes::choosingAThemeAppliesTintsAndSaves()
{
    QFETCH(QString, theme);
    QFETCH(int, style);
    QFETCH(QColor, iconColour);
    MainWindow window;
    window.show();
    QCOMPARE(untintedIcons(window), QStringList());
    QVERIFY(selectKeepsItsColours(window));
    QCOMPARE(skinIconColor, QColor(180, 180, 180));
    QCOMPARE(window.findChild<SkinToolBox *>()->buttons().size(), 15);

    button(window, qPrintable("btnTheme" + theme))->click();
    QCOMPARE(int(skinThemeStyle()), style);
    QCOMPARE(window.styleSheet(), skinStyleSheet);
    QCOMPARE(checkedThemeButtons(window), QStringList{"btnTheme" + theme});
    QCOMPARE(skinIconColor, iconColour);
    QCOMPARE(untintedIcons(window), QStringList());
    QVERIFY(selectKeepsItsColours(window));
    // The layers panel follows the theme as well.
    auto *layerGrid = window.findChild<SkinGridView *>("layerGrid");
    QVERIFY(layerGrid);
    QCOMPARE(layerGrid->backgroundColor(), skinPanelColor);
    QCOMPARE(UserSettings::instance().themeName(), theme);

    // Saved, under the user's configuration folder.
    QSettings saved(m_home.settingsFile(), QSettings::IniFormat);
    QCOMPARE(saved.value("themeName").toString(), theme);

    // And back to Black: the icons follow again.
    button(window, "btnThemeBlack")->click();
    QCOMPARE(skinIconColor, QColor(180, 180, 180));
    QCOMPARE(untintedIcons(window), QStringList());
    QCOMPARE(checkedThemeButtons(window), QStringList{"btnThemeBlack"});
}

void TestMainWindowThemes::choosingTheThemeInForceChangesNothing()
{
    MainWindow window;
    button(window, "btnThemeGray")->click();
    QVERIFY(QFile::remove(m_home.settingsFile()));
    const QString sheet = window.styleSheet();

    // The click unchecks the checkable button; the window checks it again.
    button(window, "btnThemeGray")->click();
    QCOMPARE(checkedThemeButtons(window), QStringList{"btnThemeGray"});
    QCOMPARE(int(skinThemeStyle()), int(Gray));
    QCOMPARE(window.styleSheet(), sheet);
    QVERIFY(!QFile::exists(m_home.settingsFile()));
}

void TestMainWindowThemes::menuEntriesWithoutIconsStayWithout()
{
    MainWindow window;
    QAction *saveAs = windowfixture::action(window, "actionSaveAs");
    QVERIFY(saveAs->icon().isNull());
    button(window, "btnThemeOlive")->click();
    button(window, "btnThemeBlue")->click();
    QVERIFY(saveAs->icon().isNull());
    // The submenu's entries are not visited.
    for (QAction *action : window.findChild<QMenu *>("menuSaveAsMaterial")->actions())
        QVERIFY(action->icon().isNull());
}

// A value beyond the four themes (a stored number from another build, say)
// is applied, checked and saved as Black.
void TestMainWindowThemes::oddThemeValuesReadAsBlack()
{
    MainWindow window;
    button(window, "btnThemeOlive")->click();
    window.changeTheme(SkinThemeStyle(7));
    QCOMPARE(int(skinThemeStyle()), int(Black));
    QCOMPARE(checkedThemeButtons(window), QStringList{"btnThemeBlack"});
    QCOMPARE(UserSettings::instance().themeName(), QStringLiteral("Black"));
}

// The start restores the saved theme before the window is first shown; the
// labels of the panels, built in Black, take the restored theme's colour.
void TestMainWindowThemes::aThemeSetBeforeTheFirstShowReachesEveryLabel_data()
{
    QTest::addColumn<int>("style");
    QTest::newRow("Gray") << int(Gray);
    QTest::newRow("Blue") << int(Blue);
    QTest::newRow("Olive") << int(Olive);
}

void TestMainWindowThemes::aThemeSetBeforeTheFirstShowReachesEveryLabel()
{
    QFETCH(int, style);
    MainWindow window;
    window.changeTheme(SkinThemeStyle(style));
    window.resize(920, 560);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QStringList wrong;
    for (QLabel *label : window.findChildren<QLabel *>()) {
        if (label->isVisibleTo(&window) && label->isEnabled() && !label->text().isEmpty()
            && label->palette().color(label->foregroundRole()) != skinTextColor)
            wrong.append(label->text());
    }
    QCOMPARE(wrong, QStringList());
}

// Gray chosen twice, then a new start: one ChangeTheme notice with the
// saved name, sent after it was saved; nothing on the second choice; the
// next start in Gray with no notice.
void TestMainWindowThemes::choiceIsReportedOnceAndKeptForTheNextStart()
{
    FakeService service;
    QVERIFY(service.start({{"/Services/ChangeTheme.ashx", fakeanswer::delayed(fakeanswer::text("ok"), 700)},
                           {"/Services/Upgrade.ashx", fakeanswer::text("")}}));
    Sandbox sandbox;
    QVERIFY(sandbox.isValid());
    QVERIFY(sandbox.writeSettings("[General]\nuserId=u 7&x\nlastVersion=2.2\n"));
    qputenv(clicksVariable, "Gray,Gray");
    const ChildRun first = sandbox.run("chooseThemes", service.baseUrl());
    qunsetenv(clicksVariable);
    QVERIFY2(first.exitCode == 0, first.errors.constData());
    QCOMPARE(first.values("theme"), QStringList({"Black", "Gray", "Gray"}));
    QCOMPARE(first.values("checked"), QStringList({"btnThemeGray", "btnThemeGray"}));
    QCOMPARE(first.values("busy"), QStringList({"yes", "no"}));
    QCOMPARE(first.values("overlay after"), QStringList({"no", "no"}));
    QCOMPARE(first.values("untinted"), QStringList({"", ""}));
    QCOMPARE(first.value("unexpected"), QString());

    const QList<QJsonObject> notices = requestsTo(service, "/Services/ChangeTheme.ashx");
    QCOMPARE(notices.size(), 1);
    QCOMPARE(notices.first().value("method").toString(), QStringLiteral("POST"));
    const QJsonObject form = notices.first().value("form_fields").toObject();
    QCOMPARE(form.value("Theme").toString(), QStringLiteral("Gray"));
    QCOMPARE(form.value("UserId").toString(), QStringLiteral("u 7&x"));
    QCOMPARE(form.size(), 2);
    QVERIFY(sandbox.readSettings().contains("themeName=Gray"));

    qputenv(clicksVariable, "");
    const ChildRun second = sandbox.run("chooseThemes", service.baseUrl());
    qunsetenv(clicksVariable);
    QCOMPARE(second.exitCode, 0);
    QCOMPARE(second.values("theme"), QStringList({"Gray"}));
    QCOMPARE(requestsTo(service, "/Services/ChangeTheme.ashx").size(), 1);
}

void TestMainWindowThemes::restoringTheSavedThemeReportsNothing()
{
    FakeService service;
    QVERIFY(service.start({{"/Services/Upgrade.ashx", fakeanswer::text("")}}));
    Sandbox sandbox;
    QVERIFY(sandbox.isValid());
    // Letter case counts: "olive" names no theme.
    QVERIFY(sandbox.writeSettings("[General]\nthemeName=olive\nlastVersion=2.2\n"));
    const ChildRun run = sandbox.run("chooseThemes", service.baseUrl());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.values("theme"), QStringList({"Black"}));
    QVERIFY(sandbox.readSettings().contains("themeName=Black"));
    QVERIFY(requestsTo(service, "/Services/ChangeTheme.ashx").isEmpty());
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariable(scenarioVariable) == QLatin1String("chooseThemes"))
        return chooseThemesScenario(argc, argv);
    QApplication application(argc, argv);
    TestMainWindowThemes test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_mainwindowthemes.moc"
