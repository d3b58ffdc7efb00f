// The skinned windows and their parts: a main-window-like frame, the
// dialogs, the message boxes, the tool palette, the menu, the tab strip and
// the group boxes.
//
// Windows lay their content out when they are shown, so the samples that
// hold windows show them off screen on a stage of their own before the
// gallery grabs them.

#include "gallerysample.h"

#include "skin/windows/skingroupbox.h"
#include "skin/windows/skinmenu.h"
#include "skin/windows/skinmessagebox.h"
#include "skin/windows/skinstandarddialog.h"
#include "skin/windows/skintabcontrol.h"
#include "skin/windows/skintoolbox.h"
#include "skin/windows/skintoolwindow.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

namespace {

// A plain backdrop the size of the sample, shown off screen so the windows
// on it get their show-time layout.
QWidget *stage(QSize size)
{
    auto *widget = new QWidget;
    widget->resize(size);
    widget->setAttribute(Qt::WA_DontShowOnScreen);
    return widget;
}

QWidget *showStage(QWidget *widget)
{
    widget->show();
    return widget;
}

// A window placed as a child of the stage: without Qt::Window it stays in it.
template<typename Window>
Window *onStage(QWidget *stage, QRect geometry)
{
    auto *window = new Window(stage);
    window->setGeometry(geometry);
    return window;
}

QIcon toolIcon(const char *name)
{
    return skinTintedIcon(QStringLiteral(":/tools/images/%1.png").arg(QLatin1String(name)));
}

QWidget *mainWindowLike()
{
    auto *window = new SkinWindow;
    window->setAttribute(Qt::WA_DontShowOnScreen);
    // As the main window shows it: the menu bar where the title would be.
    window->setWindowTitle(QStringLiteral("Storyloom - Page 1"));
    window->setTitleVisible(false);
    window->setWindowIcon(QIcon(QStringLiteral(":/icons/winapp.ico")));
    for (const char *menu : {"File", "Edit", "View", "Help"})
        window->menuBar()->addMenu(QString::fromLatin1(menu));
    window->menuBar()->show();
    for (const char *tool : {"Pen", "Text", "Slice", "ColorPicker"})
        window->toolBar()->addAction(toolIcon(tool), QString::fromLatin1(tool));
    window->toolBar()->addSeparator();
    window->toolBar()->addAction(toolIcon("CursorZoomIn"), QStringLiteral("Zoom in"));
    window->toolBar()->show();
    auto *content = new QLabel(QStringLiteral("Central widget"), window->centralWidget());
    content->move(12, 12);
    window->resize(460, 320);
    window->show();
    window->setHoverRegion(SkinWindow::HitCloseButton);
    return window;
}

QWidget *dialogs()
{
    QWidget *backdrop = stage(QSize(680, 170));
    auto *standard = onStage<SkinStandardDialog>(backdrop, QRect(0, 0, 300, 150));
    standard->setWindowTitle(QStringLiteral("Paper Size"));
    auto *label = new QLabel(QStringLiteral("Width and height of the page"), standard->centralWidget());
    label->move(8, 8);
    auto *tool = onStage<SkinToolWindow>(backdrop, QRect(320, 0, 170, 110));
    new QLabel(QStringLiteral("Tool window"), tool->centralWidget());
    auto *plain = onStage<SkinDialog>(backdrop, QRect(510, 0, 160, 120));
    plain->setHoverRegion(SkinWindow::HitCloseButton);
    for (SkinWindow *window : std::initializer_list<SkinWindow *>{standard, tool, plain})
        window->show();
    return showStage(backdrop);
}

QWidget *messageBoxes()
{
    QWidget *backdrop = stage(QSize(760, 250));
    struct Box {
        int icon;
        int buttons;
        const char *title;
        const char *text;
    };
    const Box boxes[] = {
        {SkinMessageBox::IconInformation, SkinMessageBox::ButtonsOk, "Message", "The slices were exported."},
        {SkinMessageBox::IconWarning, SkinMessageBox::ButtonsOkCancel, "Warning", "The image is large.<br/>Reduce it?"},
        {SkinMessageBox::IconError, SkinMessageBox::ButtonsRetryCancel, "Error", "The file could not be written."},
        {SkinMessageBox::IconQuestion, SkinMessageBox::ButtonsYesNoCancel, "Confirm", "Save the changes to Page 1?"},
    };
    QPoint at(0, 0);
    int rowHeight = 0;
    for (const Box &spec : boxes) {
        auto *box = new SkinMessageBox(backdrop);
        box->setWindowTitle(QString::fromLatin1(spec.title));
        box->setText(QString::fromLatin1(spec.text));
        box->setButtons(spec.buttons);
        box->setIcon(spec.icon);
        if (at.x() + box->width() > backdrop->width()) {
            at = QPoint(0, at.y() + rowHeight + 10);
            rowHeight = 0;
        }
        box->move(at);
        box->show();
        at.rx() += box->width() + 10;
        rowHeight = qMax(rowHeight, box->height());
    }
    return showStage(backdrop);
}

QWidget *toolBox()
{
    auto *box = new SkinToolBox;
    for (const char *tool : {"CursorArrow", "Pen", "PenSmooth", "PenCutoff"})
        box->addButton(toolIcon(tool), QString::fromLatin1(tool), true);
    box->addSeparator();
    for (const char *tool : {"Text", "Slice"})
        box->addButton(toolIcon(tool), QString::fromLatin1(tool), true);
    box->addSeparator();
    box->addButton(toolIcon("ColorPicker"), QStringLiteral("Lock"), false)->setChecked(true);
    box->buttons().at(1)->setChecked(true);
    return box;
}

QWidget *menu()
{
    auto *menu = new SkinMenu;
    // A top-level widget is not reached by the sheet's font rule, which
    // gives a window's menus their font.
    menu->setFont(skinFont);
    menu->addAction(QStringLiteral("Close"));
    menu->addAction(QStringLiteral("Close Others"));
    menu->addSeparator();
    QAction *checked = menu->addAction(QStringLiteral("Show Slices"));
    checked->setCheckable(true);
    checked->setChecked(true);
    menu->addAction(QStringLiteral("Print..."))->setEnabled(false);
    menu->setActiveAction(menu->actions().at(1));
    return menu;
}

// Tab strips live inside windows, whose style sheet gives them the theme
// font; on a stage they get it the same way.
QWidget *documentTabs()
{
    QWidget *backdrop = stage(QSize(460, 150));
    auto *tabs = onStage<SkinTabControl>(backdrop, QRect(0, 0, 460, 150));
    tabs->setCloseButtonsVisible(true);
    tabs->contextButton()->show();
    tabs->setPageRectAdjustment(-1, -2, 0, 0);
    tabs->addPage(QStringLiteral("Page 1 @ 100%"), false);
    tabs->addPage(QStringLiteral("Untitled @ 50%*"), true);
    tabs->addPage(QStringLiteral("Cover @ 25%"), false);
    tabs->addPage(QStringLiteral("A page whose title does not fit"), false);
    new QLabel(QStringLiteral("Current page"), tabs->currentPage());
    return showStage(backdrop);
}

QWidget *iconTabs()
{
    QWidget *backdrop = stage(QSize(240, 90));
    auto *tabs = onStage<SkinTabControl>(backdrop, QRect(0, 0, 240, 90));
    tabs->setEqualTabWidth(true);
    for (const char *tool : {"Pen", "Text", "Slice", "ColorPicker", "CursorZoomIn"})
        tabs->addPage(toolIcon(tool), false);
    tabs->setCurrentIndex(2);
    return showStage(backdrop);
}

QWidget *groupBoxes()
{
    QWidget *backdrop = stage(QSize(470, 200));
    auto *menu = new SkinMenu(backdrop);
    menu->addAction(QStringLiteral("Reset"));

    auto *design = onStage<SkinGroupBox>(backdrop, QRect(0, 0, 220, 190));
    design->setTitle(QStringLiteral("Design"));
    design->setExpandable(true);
    design->setContextMenu(menu);
    design->contextButton()->show();
    new QLabel(QStringLiteral("Fill, stroke, font"), design);
    design->findChildren<QLabel *>().last()->move(10, 30);

    auto *layers = onStage<SkinGroupBox>(backdrop, QRect(240, 0, 220, 120));
    layers->setTitle(QStringLiteral("Layers (collapsed)"));
    layers->setExpandable(true);
    layers->setExpanded(false);

    auto *materials = onStage<SkinGroupBox>(backdrop, QRect(240, 40, 220, 150));
    materials->setTitle(QStringLiteral("Materials"));
    materials->contextButton()->show();
    return showStage(backdrop);
}

std::vector<GallerySample> windowSamples()
{
    return {
        {"window-frame", QSize(460, 320), mainWindowLike},
        {"window-dialogs", QSize(680, 170), dialogs},
        {"window-messageboxes", QSize(760, 250), messageBoxes},
        {"window-toolbox", QSize(44, 240), toolBox},
        {"window-menu", QSize(150, 110), menu},
        {"window-tabs", QSize(460, 150), documentTabs},
        {"window-icontabs", QSize(240, 90), iconTabs},
        {"window-groupboxes", QSize(470, 200), groupBoxes},
    };
}
const GallerySetRegistration registration(windowSamples);

} // namespace
