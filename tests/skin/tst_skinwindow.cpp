// The skinned window frame: where its buttons, regions and children lie,
// how it moves, resizes, maximizes and closes under the mouse, its busy
// overlay and placement, and what it paints.
#include "skinfixture.h"

#include "skin/windows/skinwindow.h"

#include <QGuiApplication>
#include <QMenuBar>
#include <QPixmap>
#include <QScreen>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QToolBar>
#include <QtTest>

#include <memory>

using namespace skintest;

namespace {

// A window as the program builds one: top-level, themed, at a known place.
std::unique_ptr<SkinWindow> shownWindow(QSize size = QSize(400, 300))
{
    auto window = std::make_unique<SkinWindow>();
    window->setGeometry(QRect(QPoint(100, 80), size));
    window->show();
    return window;
}

QRect availableArea()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

QPoint centreOf(const QRect &r)
{
    return r.topLeft() + QPoint(r.width() / 2, r.height() / 2);
}

// Counts the busy overlays: plain children with the transparent sheet.
int overlays(const SkinWindow &window)
{
    int count = 0;
    for (const QWidget *child : window.findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        count += child->styleSheet().contains(QLatin1String("transparent"));
    return count;
}

// Records the virtual call that changeTheme makes.
class ThemedWindow : public SkinWindow
{
public:
    int themeUses = 0;
    void useThemeStyle() override
    {
        ++themeUses;
        SkinWindow::useThemeStyle();
    }
};

} // namespace

class TestSkinWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void defaultGeometry();
    void hiddenButtonsMoveTheOthersRight();
    void outlineCutsTheTopCorners();
    void hitRegions_data();
    void hitRegions();
    void fixedSizeHasNoResizeRegions();
    void hoverSetsCursorAndButtonLooks_data();
    void hoverSetsCursorAndButtonLooks();
    void captionDragMovesByTheMouseOffset();
    void borderDragsResize_data();
    void borderDragsResize();
    void leftReleaseOverCloseCloses();
    void rightReleaseOverCloseOnlyHovers();
    void windowDeletedByItsCloseSignal();
    void maximizeAndRestoreRoundTrip();
    void maximizedWindowDoesNotMoveOrResize();
    void doubleClickOnCaptionToggles();
    void hiddenMaxButtonOnlyShows();
    void minimizeButton();
    void busyOverlay();
    void moveToCenter();
    void menuBarSitsInTheCaption();
    void changeThemeAppliesTheSheet();
    void paintsFrameCaptionAndButtons();
    void hoveredAndMaximizedButtonsRepaint();
};

void TestSkinWindow::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestSkinWindow::init()
{
    setSkinThemeStyle(Black);
}

void TestSkinWindow::defaultGeometry()
{
    const auto window = shownWindow();
    QCOMPARE(window->windowFlags() & (Qt::FramelessWindowHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint),
             Qt::FramelessWindowHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint);
    QVERIFY(window->isWindow());
    QCOMPARE(window->minimumSize(), QSize(50, 50));
    QCOMPARE(window->closeButtonRect(), QRect(QPoint(344, 1), QPoint(391, 20)));
    QCOMPARE(window->maxButtonRect(), QRect(QPoint(316, 1), QPoint(343, 20)));
    QCOMPARE(window->minButtonRect(), QRect(QPoint(287, 1), QPoint(315, 20)));
    QCOMPARE(window->buttonsRect(), QRect(QPoint(287, 1), QPoint(391, 20)));
    QCOMPARE(window->clientRect(), QRect(QPoint(8, 30), QPoint(391, 291)));
    QCOMPARE(window->captionRect(), QRect(QPoint(8, 8), QPoint(286, 29)));
    QCOMPARE(window->centralWidget()->geometry(), QRect(QPoint(9, 31), QPoint(390, 290)));
    QCOMPARE(window->centralWidget()->objectName(), QStringLiteral("skinWindowCentralWidget"));
    QVERIFY(window->menuBar()->isHidden());
    QVERIFY(window->toolBar()->isHidden());

    // A shown tool bar takes its height from the central widget at the
    // next layout.
    window->toolBar()->show();
    window->resize(401, 300);
    window->resize(400, 300);
    QCOMPARE(window->toolBar()->geometry(), QRect(QPoint(9, 31), QPoint(390, 60)));
    QCOMPARE(window->centralWidget()->geometry(), QRect(QPoint(9, 61), QPoint(390, 290)));
}

void TestSkinWindow::hiddenButtonsMoveTheOthersRight()
{
    const auto window = shownWindow();
    window->setCloseButtonVisible(false);
    QCOMPARE(window->closeButtonRect().width(), 0);
    QCOMPARE(window->maxButtonRect(), QRect(QPoint(364, 1), QPoint(391, 20)));
    QCOMPARE(window->minButtonRect(), QRect(QPoint(335, 1), QPoint(363, 20)));

    window->setMaxButtonVisible(false);
    QCOMPARE(window->minButtonRect(), QRect(QPoint(363, 1), QPoint(391, 20)));
    QCOMPARE(window->buttonsRect(), window->minButtonRect());
    // The caption (and with it the menu bar) grows into the room.
    QCOMPARE(window->captionRect().right(), 362);

    window->setMinButtonVisible(false);
    QVERIFY(window->buttonsRect().isNull());
    QCOMPARE(window->captionRect().right(), 391);
    QCOMPARE(window->hitTest(QPoint(380, 10)), int(SkinWindow::HitCaption));
}

void TestSkinWindow::outlineCutsTheTopCorners()
{
    const auto window = shownWindow(QSize(200, 100));
    const QRegion mask = window->mask();
    QVERIFY(!mask.contains(QPoint(0, 0)));
    QVERIFY(!mask.contains(QPoint(199, 0)));
    QVERIFY(mask.contains(QPoint(100, 0)));
    QVERIFY(mask.contains(QPoint(0, 50)));
    QVERIFY(mask.contains(QPoint(199, 50)));
    // The bottom corners are square.
    QVERIFY(mask.contains(QPoint(0, 99)));
    QVERIFY(mask.contains(QPoint(199, 99)));
    QCOMPARE(window->windowOutline().boundingRect(), QRect(0, 0, 201, 101));
}

void TestSkinWindow::hitRegions_data()
{
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<bool>("toolBar");
    QTest::addColumn<int>("region");

    // A 400 x 300 window: client rectangle (8, 30)-(391, 291).
    QTest::newRow("caption") << QPoint(200, 15) << false << 1;
    QTest::newRow("top border moves") << QPoint(200, 3) << false << 1;
    QTest::newRow("close") << QPoint(350, 10) << false << 2;
    QTest::newRow("maximize") << QPoint(320, 10) << false << 3;
    QTest::newRow("minimize") << QPoint(290, 10) << false << 4;
    QTest::newRow("left") << QPoint(2, 100) << false << 5;
    QTest::newRow("right") << QPoint(397, 100) << false << 6;
    QTest::newRow("bottom") << QPoint(200, 297) << false << 8;
    QTest::newRow("top left") << QPoint(2, 2) << false << 9;
    QTest::newRow("bottom right") << QPoint(397, 297) << false << 10;
    QTest::newRow("top right") << QPoint(397, 2) << false << 11;
    QTest::newRow("bottom left") << QPoint(2, 297) << false << 12;
    QTest::newRow("client") << QPoint(200, 150) << false << 0;
    QTest::newRow("left border beside the caption") << QPoint(2, 15) << false << 0;
    QTest::newRow("right border beside the caption") << QPoint(397, 15) << false << 0;
    QTest::newRow("line x = L") << QPoint(8, 100) << false << 0;
    QTest::newRow("line x = R") << QPoint(391, 100) << false << 0;
    QTest::newRow("line y = B") << QPoint(200, 291) << false << 0;
    QTest::newRow("line y = K") << QPoint(200, 30) << false << 0;
    QTest::newRow("caption's last row") << QPoint(200, 29) << false << 1;
    // The tool bar belongs to the caption strip.
    QTest::newRow("tool bar") << QPoint(200, 45) << true << 1;
    QTest::newRow("left border beside the tool bar") << QPoint(2, 45) << true << 0;
    QTest::newRow("left border below the tool bar") << QPoint(2, 61) << true << 5;
}

void TestSkinWindow::hitRegions()
{
    QFETCH(QPoint, pos);
    QFETCH(bool, toolBar);
    QFETCH(int, region);

    const auto window = shownWindow();
    if (toolBar) {
        window->toolBar()->show();
        window->resize(400, 301);
        window->resize(400, 300);
    }
    QCOMPARE(window->hitTest(pos), region);
    // Every point of the window, never the top edge.
    for (int y = 0; y < 300; y += 3) {
        for (int x = 0; x < 400; x += 3)
            QVERIFY(window->hitTest(QPoint(x, y)) != SkinWindow::HitTop);
    }
}

void TestSkinWindow::fixedSizeHasNoResizeRegions()
{
    const auto window = shownWindow();
    window->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    QVERIFY(!window->canResizeWidth());
    QVERIFY(!window->canResizeHeight());
    for (const QPoint &pos : {QPoint(2, 100), QPoint(397, 100), QPoint(200, 297), QPoint(2, 2), QPoint(397, 297),
                              QPoint(397, 2), QPoint(2, 297)})
        QCOMPARE(window->hitTest(pos), int(SkinWindow::HitNone));
    QCOMPARE(window->hitTest(QPoint(200, 15)), int(SkinWindow::HitCaption));

    // Fixed in one direction only keeps the other direction's edges.
    window->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    QCOMPARE(window->hitTest(QPoint(2, 100)), int(SkinWindow::HitLeft));
    QCOMPARE(window->hitTest(QPoint(200, 297)), int(SkinWindow::HitNone));
    QCOMPARE(window->hitTest(QPoint(397, 297)), int(SkinWindow::HitNone));

    // No border, no resizing.
    window->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    window->setBorderWidth(0);
    QVERIFY(!window->canResizeWidth());
    QVERIFY(window->canResizeHeight());
}

void TestSkinWindow::hoverSetsCursorAndButtonLooks_data()
{
    QTest::addColumn<int>("region");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<int>("close");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("min");

    QTest::newRow("none") << 0 << int(Qt::ArrowCursor) << 0 << 0 << 0;
    QTest::newRow("caption") << 1 << int(Qt::ArrowCursor) << 0 << 0 << 0;
    QTest::newRow("close") << 2 << int(Qt::ArrowCursor) << 1 << 0 << 0;
    QTest::newRow("maximize") << 3 << int(Qt::ArrowCursor) << 0 << 1 << 0;
    QTest::newRow("minimize") << 4 << int(Qt::ArrowCursor) << 0 << 0 << 1;
    QTest::newRow("left") << 5 << int(Qt::SizeHorCursor) << 0 << 0 << 0;
    QTest::newRow("right") << 6 << int(Qt::SizeHorCursor) << 0 << 0 << 0;
    QTest::newRow("top, for subclasses") << 7 << int(Qt::SizeVerCursor) << 0 << 0 << 0;
    QTest::newRow("bottom") << 8 << int(Qt::SizeVerCursor) << 0 << 0 << 0;
    QTest::newRow("top left") << 9 << int(Qt::SizeFDiagCursor) << 0 << 0 << 0;
    QTest::newRow("bottom right") << 10 << int(Qt::SizeFDiagCursor) << 0 << 0 << 0;
    QTest::newRow("top right") << 11 << int(Qt::SizeBDiagCursor) << 0 << 0 << 0;
    QTest::newRow("bottom left") << 12 << int(Qt::SizeBDiagCursor) << 0 << 0 << 0;
}

void TestSkinWindow::hoverSetsCursorAndButtonLooks()
{
    QFETCH(int, region);
    QFETCH(int, cursor);
    QFETCH(int, close);
    QFETCH(int, max);
    QFETCH(int, min);

    const auto window = shownWindow();
    // Start from another region, so the change is a change.
    window->setHoverRegion(region == 2 ? 3 : 2);
    window->setHoverRegion(region);
    QCOMPARE(window->hoverRegion(), region);
    QCOMPARE(int(window->cursor().shape()), cursor);
    QCOMPARE(window->closeButtonState(), close);
    QCOMPARE(window->maxButtonState(), max);
    QCOMPARE(window->minButtonState(), min);

    // Leaving the window clears the hover.
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(window.get(), &leave);
    QCOMPARE(window->hoverRegion(), 0);
    QCOMPARE(window->closeButtonState() + window->maxButtonState() + window->minButtonState(), 0);
}

void TestSkinWindow::captionDragMovesByTheMouseOffset()
{
    const auto window = shownWindow();
    const QRect before = window->geometry();
    drag(window.get(), QPoint(200, 15), QPoint(37, -21));
    QCOMPARE(window->geometry(), before.translated(37, -21));
    // The top border drags the window too.
    drag(window.get(), QPoint(150, 2), QPoint(-5, 9));
    QCOMPARE(window->geometry(), before.translated(32, -12));
}

void TestSkinWindow::borderDragsResize_data()
{
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("offset");
    QTest::addColumn<QRect>("geometry");

    // The window lies at (100, 80), 400 x 300. Edges that move follow the
    // mouse position (left, top) or the mouse offset (right, bottom).
    QTest::newRow("left") << QPoint(2, 100) << QPoint(-30, 11) << QRect(QPoint(72, 80), QPoint(499, 379));
    QTest::newRow("right") << QPoint(397, 100) << QPoint(40, 11) << QRect(QPoint(100, 80), QPoint(539, 379));
    QTest::newRow("bottom") << QPoint(200, 297) << QPoint(13, 25) << QRect(QPoint(100, 80), QPoint(499, 404));
    QTest::newRow("top left") << QPoint(2, 2) << QPoint(-10, -20) << QRect(QPoint(92, 62), QPoint(499, 379));
    QTest::newRow("bottom right") << QPoint(397, 297) << QPoint(15, -25) << QRect(QPoint(100, 80), QPoint(514, 354));
    QTest::newRow("top right") << QPoint(397, 2) << QPoint(15, 30) << QRect(QPoint(100, 112), QPoint(514, 379));
    QTest::newRow("bottom left") << QPoint(2, 297) << QPoint(40, 5) << QRect(QPoint(142, 80), QPoint(499, 384));
    QTest::newRow("client does nothing") << QPoint(200, 150) << QPoint(40, 5) << QRect(QPoint(100, 80), QPoint(499, 379));
    QTest::newRow("not below the minimum") << QPoint(397, 100) << QPoint(-390, 0) << QRect(QPoint(100, 80), QSize(50, 300));
}

void TestSkinWindow::borderDragsResize()
{
    QFETCH(QPoint, from);
    QFETCH(QPoint, offset);
    QFETCH(QRect, geometry);

    const auto window = shownWindow();
    drag(window.get(), from, offset);
    QCOMPARE(window->geometry(), geometry);
    // The layout follows the new size.
    QCOMPARE(window->centralWidget()->geometry().bottomRight(), window->clientRect().bottomRight() - QPoint(1, 1));
}

void TestSkinWindow::leftReleaseOverCloseCloses()
{
    const auto window = shownWindow();
    QSignalSpy closed(window.get(), &SkinWindow::windowClosed);
    const QPoint close = centreOf(window->closeButtonRect());
    hover(window.get(), close);
    QCOMPARE(window->closeButtonState(), int(SkinWindow::ButtonHovered));
    press(window.get(), close);
    // The press only shows the button pressed.
    QCOMPARE(window->closeButtonState(), int(SkinWindow::ButtonPressed));
    QVERIFY(window->isVisible());
    QCOMPARE(closed.count(), 0);

    release(window.get(), close);
    QVERIFY(!window->isVisible());
    QCOMPARE(closed.count(), 1);
    QCOMPARE(window->closeButtonState(), int(SkinWindow::ButtonNormal));
    QCOMPARE(window->hoverRegion(), 0);

    // Closing in any other way says so too.
    window->show();
    window->close();
    QCOMPARE(closed.count(), 2);
}

void TestSkinWindow::rightReleaseOverCloseOnlyHovers()
{
    const auto window = shownWindow();
    QSignalSpy closed(window.get(), &SkinWindow::windowClosed);
    click(window.get(), centreOf(window->closeButtonRect()), Qt::RightButton);
    QVERIFY(window->isVisible());
    QCOMPARE(closed.count(), 0);
    QCOMPARE(window->closeButtonState(), int(SkinWindow::ButtonHovered));
    QCOMPARE(window->hoverRegion(), int(SkinWindow::HitCloseButton));
}

// An owner that deletes its window when it closes must not leave the
// frame's release handler working on a deleted window.
void TestSkinWindow::windowDeletedByItsCloseSignal()
{
    auto *window = new SkinWindow;
    window->setGeometry(100, 80, 400, 300);
    window->show();
    QPointer<SkinWindow> alive(window);
    connect(window, &SkinWindow::windowClosed, window, [window] { delete window; });
    click(window, centreOf(window->closeButtonRect()));
    QVERIFY(!alive);
}

void TestSkinWindow::maximizeAndRestoreRoundTrip()
{
    const auto window = shownWindow();
    const QRect normal = window->geometry();
    const QRect area = availableArea();
    const QRect maximized(area.x() - 8, area.y() - 2, area.width() + 16, area.height() + 8 + 3);

    click(window.get(), centreOf(window->maxButtonRect()));
    QVERIFY(window->isMaximized());
    QCOMPARE(window->geometry(), maximized);
    QCOMPARE(window->normalGeometry(), normal);
    QCOMPARE(window->maxButtonState(), int(SkinWindow::ButtonNormal));

    click(window.get(), centreOf(window->maxButtonRect()));
    QVERIFY(!window->isMaximized());
    QCOMPARE(window->geometry(), normal);

    window->showMaximized();
    window->showMaximized();
    QCOMPARE(window->geometry(), maximized);
    QCOMPARE(window->normalGeometry(), normal);
    window->showNormal();
    QCOMPARE(window->geometry(), normal);
    // Not maximized: nothing to restore.
    window->move(10, 10);
    window->showNormal();
    QCOMPARE(window->pos(), QPoint(10, 10));
}

void TestSkinWindow::maximizedWindowDoesNotMoveOrResize()
{
    const auto window = shownWindow();
    window->showMaximized();
    const QRect maximized = window->geometry();
    QCOMPARE(window->hitTest(QPoint(window->width() / 2, 3)), int(SkinWindow::HitNone));
    QVERIFY(!window->canResizeWidth());
    QVERIFY(!window->canResizeHeight());
    drag(window.get(), QPoint(window->width() / 2, 15), QPoint(30, 30));
    drag(window.get(), QPoint(window->width() - 3, 100), QPoint(-30, 0));
    QCOMPARE(window->geometry(), maximized);
}

void TestSkinWindow::doubleClickOnCaptionToggles()
{
    const auto window = shownWindow();
    const QRect normal = window->geometry();
    auto doubleClick = [&](const QPoint &pos) {
        sendMouse(window.get(), QEvent::MouseButtonDblClick, pos, Qt::LeftButton, Qt::LeftButton);
    };
    doubleClick(QPoint(200, 15));
    QVERIFY(window->isMaximized());
    // The whole strip above the client area, the buttons included.
    doubleClick(QPoint(300, 5));
    QVERIFY(!window->isMaximized());
    QCOMPARE(window->geometry(), normal);
    // Not in the client area, nor with the right button.
    doubleClick(QPoint(200, 150));
    sendMouse(window.get(), QEvent::MouseButtonDblClick, QPoint(200, 15), Qt::RightButton, Qt::RightButton);
    QVERIFY(!window->isMaximized());
}

void TestSkinWindow::hiddenMaxButtonOnlyShows()
{
    SkinWindow window;
    window.setGeometry(100, 80, 400, 300);
    window.setMaxButtonVisible(false);
    window.showMaximized();
    QVERIFY(window.isVisible());
    QVERIFY(!window.isMaximized());
    QCOMPARE(window.geometry(), QRect(100, 80, 400, 300));
}

void TestSkinWindow::minimizeButton()
{
    const auto window = shownWindow();
    click(window.get(), centreOf(window->minButtonRect()));
    QVERIFY(window->windowState() & Qt::WindowMinimized);
    QCOMPARE(window->minButtonState(), int(SkinWindow::ButtonNormal));
}

void TestSkinWindow::busyOverlay()
{
    const auto window = shownWindow();
    window->setBusy(false);
    QVERIFY(!window->isBusy());
    QCOMPARE(overlays(*window), 0);

    window->setBusy(true);
    window->setBusy(true);
    QVERIFY(window->isBusy());
    QCOMPARE(overlays(*window), 1);
    QWidget *overlay = window->childAt(200, 150);
    QVERIFY(overlay);
    QCOMPARE(overlay->geometry(), window->rect());
    QCOMPARE(overlay->cursor().shape(), Qt::WaitCursor);
    // It takes the clicks meant for the content.
    QCOMPARE(window->childAt(centreOf(window->centralWidget()->geometry())), overlay);

    window->setBusy(false);
    QVERIFY(!window->isBusy());
    QCOMPARE(overlays(*window), 0);
}

void TestSkinWindow::moveToCenter()
{
    const auto window = shownWindow(QSize(201, 101));
    window->moveToCenter(nullptr);
    const QRect desktop = QGuiApplication::primaryScreen()->virtualGeometry();
    QCOMPARE(window->pos(), QPoint((desktop.width() - 201) / 2, (desktop.height() - 101) / 2));

    // On a child widget, by its own centre.
    QWidget parent;
    parent.setGeometry(50, 40, 600, 500);
    auto *child = new QWidget(&parent);
    child->setGeometry(100, 60, 300, 200);
    parent.show();
    window->moveToCenter(child);
    QCOMPARE(window->pos(), child->mapToGlobal(QPoint((300 - 201) / 2, (200 - 101) / 2)));

    // Truncated toward zero when the widget is the smaller one.
    child->resize(100, 50);
    window->moveToCenter(child);
    QCOMPARE(window->pos(), child->mapToGlobal(QPoint((100 - 201) / 2, (50 - 101) / 2)));
}

void TestSkinWindow::menuBarSitsInTheCaption()
{
    SkinWindow window;
    window.setGeometry(100, 80, 400, 300);
    window.menuBar()->addMenu(QStringLiteral("File"));
    window.menuBar()->show();
    QPixmap icon(16, 16);
    icon.fill(Qt::red);
    window.setWindowIcon(QIcon(icon));
    window.show();
    QCOMPARE(window.menuBar()->pos(), QPoint(24, 6));
    QCOMPARE(window.menuBar()->size(), window.menuBar()->sizeHint());

    // Without the icon the menu bar starts at the border.
    window.hide();
    window.setIconVisible(false);
    window.show();
    QCOMPARE(window.menuBar()->pos(), QPoint(8, 6));
}

void TestSkinWindow::changeThemeAppliesTheSheet()
{
    ThemedWindow window;
    QCOMPARE(window.styleSheet(), skinStyleSheet);
    window.changeTheme(Olive);
    QCOMPARE(int(skinThemeStyle()), int(Olive));
    QCOMPARE(window.themeUses, 1);
    QCOMPARE(window.styleSheet(), skinStyleSheet);
    QVERIFY(window.styleSheet().contains(QLatin1String("#c2cf9f")));
}

void TestSkinWindow::paintsFrameCaptionAndButtons()
{
    setSkinThemeStyle(Blue);
    const auto window = shownWindow();
    window->setStyleSheet(skinStyleSheet);
    window->setWindowTitle(QStringLiteral("Page"));
    QPixmap icon(16, 16);
    icon.fill(QColor(255, 0, 255));
    window->setWindowIcon(QIcon(icon));
    const QImage shot = window->grab().toImage();

    // The light line along the top, the frame on the client rectangle.
    QCOMPARE(pixelAt(shot, 150, 1), skinLightLineColor);
    QCOMPARE(pixelAt(shot, 8, 150), skinBorderColor);
    QCOMPARE(pixelAt(shot, 391, 150), skinBorderColor);
    QCOMPARE(pixelAt(shot, 200, 30), skinBorderColor);
    QCOMPARE(pixelAt(shot, 200, 291), skinBorderColor);
    // The icon at (8, 7), the title after it in the menu text colour.
    QCOMPARE(pixelAt(shot, 8, 7), QColor(255, 0, 255));
    QCOMPARE(pixelAt(shot, 23, 22), QColor(255, 0, 255));
    const QRect titleArea(28, 0, 100, 30);
    QVERIFY(countNear(shot, skinMenuTextColor, 100, titleArea) > 0);
    // The close button's cross, in its middle.
    QCOMPARE(pixelAt(shot, 368, 11), skinMenuTextColor);

    window->setTitleVisible(false);
    const QImage untitled = window->grab().toImage();
    QCOMPARE(countNear(untitled, skinMenuTextColor, 100, titleArea), 0);
}

void TestSkinWindow::hoveredAndMaximizedButtonsRepaint()
{
    setSkinThemeStyle(Blue);
    const auto window = shownWindow();
    const QRect close = window->closeButtonRect();
    const QRect max = window->maxButtonRect();
    const QImage normal = window->grab().toImage();

    hover(window.get(), centreOf(close));
    const QImage hovered = window->grab().toImage();
    QVERIFY(hovered.copy(close) != normal.copy(close));
    QCOMPARE(hovered.copy(max), normal.copy(max));
    QVERIFY(countColour(hovered, skinButtonHoverBorderColor, close) > 0);

    press(window.get(), centreOf(close));
    const QImage pressed = window->grab().toImage();
    QVERIFY(countColour(pressed, skinButtonPressedBorderColor, close) > 0);
    hover(window.get(), QPoint(200, 150));

    window->showMaximized();
    const QImage restoreGlyph = window->grab().toImage().copy(window->maxButtonRect());
    window->showNormal();
    // The restore glyph differs from the maximize glyph.
    QVERIFY(restoreGlyph != window->grab().toImage().copy(window->maxButtonRect()));
}

QTEST_MAIN(TestSkinWindow)
#include "tst_skinwindow.moc"
