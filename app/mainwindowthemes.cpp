// The theme switch: the caption's theme button and its popup of four theme
// buttons, applying a theme to the window and every icon it shows, and
// remembering the choice.
#include "app/mainwindow.h"

#include "app/designpanel.h"
#include "app/sketchframepopupwindow.h"
#include "app/sketchlayercontrol.h"
#include "app/toolpalette.h"
#include "app/usersettings.h"
#include "editor/sketchdocumentview.h"
#include "materials/sketchmaterialbox.h"
#include "skin/windows/skintabcontrol.h"
#include "skin/windows/skintheme.h"

#include <QAction>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace {

// The icon tinted in the theme's icon colour. Tinting depends only on which
// pixels show, so an icon tinted before is tinted again to the same shape.
void tintIcon(QAction *action)
{
    if (action && !action->icon().isNull())
        action->setIcon(skinTintedIcon(action->icon()));
}

void tintIcon(QPushButton *button)
{
    if (button && !button->icon().isNull())
        button->setIcon(skinTintedIcon(button->icon()));
}

QPushButton *addThemeButton(QWidget *popup, int index, const char *icon, const QString &toolTip)
{
    auto *button = new QPushButton(popup);
    button->setIcon(QIcon(QLatin1String(icon)));
    button->setFocusPolicy(Qt::NoFocus);
    button->setToolTip(toolTip);
    button->setCheckable(true);
    // 20 pixels wide, 7 apart: x 8, 35, 62, 89.
    button->setGeometry(8 + index * 27, 8, 20, 20);
    return button;
}

} // namespace

void MainWindow::createThemeButton()
{
    themeButton = new QPushButton(this);
    themeButton->setObjectName(QStringLiteral("themeButton"));
    themeButton->setIcon(QIcon(QStringLiteral(":/widgets/images/Theme.png")));
    themeButton->setFocusPolicy(Qt::NoFocus);
    themeButton->setToolTip(tr("Select Theme Style"));

    themePopup = new QWidget(this, Qt::Popup);
    themePopup->setObjectName(QStringLiteral("popupWindow"));
    themePopup->resize(120, 36);
    btnThemeBlack = addThemeButton(themePopup, 0, ":/widgets/images/ThemeBlack.png", tr("Black"));
    btnThemeGray = addThemeButton(themePopup, 1, ":/widgets/images/ThemeGray.png", tr("Gray"));
    btnThemeBlue = addThemeButton(themePopup, 2, ":/widgets/images/ThemeBlue.png", tr("Blue"));
    btnThemeOlive = addThemeButton(themePopup, 3, ":/widgets/images/ThemeOlive.png", tr("Olive"));
    btnThemeBlack->setObjectName(QStringLiteral("btnThemeBlack"));
    btnThemeGray->setObjectName(QStringLiteral("btnThemeGray"));
    btnThemeBlue->setObjectName(QStringLiteral("btnThemeBlue"));
    btnThemeOlive->setObjectName(QStringLiteral("btnThemeOlive"));
    btnThemeBlack->setChecked(true);

    connect(themeButton, &QPushButton::clicked, this, &MainWindow::btnThemeClicked);
    connect(btnThemeBlack, &QPushButton::clicked, this, &MainWindow::btnThemeBlackClicked);
    connect(btnThemeGray, &QPushButton::clicked, this, &MainWindow::btnThemeGrayClicked);
    connect(btnThemeBlue, &QPushButton::clicked, this, &MainWindow::btnThemeBlueClicked);
    connect(btnThemeOlive, &QPushButton::clicked, this, &MainWindow::btnThemeOliveClicked);
}

QPushButton *MainWindow::themeButtonOf(SkinThemeStyle style) const
{
    switch (style) {
    case Gray:
        return btnThemeGray;
    case Blue:
        return btnThemeBlue;
    case Olive:
        return btnThemeOlive;
    default:
        return btnThemeBlack;
    }
}

void MainWindow::btnThemeClicked()
{
    // Centred under the button, over its last pixel row.
    const QPoint corner((themeButton->width() - themePopup->width()) / 2, themeButton->height() - 1);
    themePopup->move(themeButton->mapToGlobal(corner));
    themePopup->show();
}

void MainWindow::btnThemeBlackClicked()
{
    changeTheme(Black);
}

void MainWindow::btnThemeGrayClicked()
{
    changeTheme(Gray);
}

void MainWindow::btnThemeBlueClicked()
{
    changeTheme(Blue);
}

void MainWindow::btnThemeOliveClicked()
{
    changeTheme(Olive);
}

void MainWindow::changeTheme(SkinThemeStyle style)
{
    // A theme button asked; the start-up's call, restoring the saved theme,
    // has no sender and tells the web service nothing.
    const bool chosen = sender() != nullptr;
    // Any value outside the four reads as Black, as its name does.
    const QString name = skinThemeStyleName(style);
    style = skinThemeStyleFromName(name);
    if (chosen && style == skinThemeStyle()) {
        // The click unchecked the button of the theme in force.
        if (QPushButton *button = themeButtonOf(style))
            button->setChecked(true);
        return;
    }
    SkinWindow::changeTheme(style);
    for (QPushButton *button : {btnThemeBlack, btnThemeGray, btnThemeBlue, btnThemeOlive}) {
        if (button)
            button->setChecked(false);
    }
    if (QPushButton *button = themeButtonOf(style))
        button->setChecked(true);
    UserSettings &settings = UserSettings::instance();
    settings.setThemeName(name);
    settings.save();
    if (chosen)
        postThemeStyleChangeMessage();
}

void MainWindow::useThemeStyle()
{
    SkinWindow::useThemeStyle();
    tintIcon(themeButton);
    // The entries of the menus themselves; those of submenus have no icons.
    for (QAction *menuEntry : menuBar()->actions()) {
        if (QMenu *menu = menuEntry->menu()) {
            for (QAction *action : menu->actions())
                tintIcon(action);
        }
    }
    if (toolBox)
        toolBox->tintIcons();
    tintIcon(toolActionFrame);
    if (framePopupWindow)
        framePopupWindow->useThemeStyle();
    if (materialBox)
        materialBox->useThemeStyle();
    if (layerControl)
        layerControl->useThemeStyle();
    if (tabControl)
        tabControl->updateButtonIcons();
    // The panels built so far restyle their own.
    if (designPanel)
        designPanel->useThemeStyle();
}

void MainWindow::showOptions()
{
}
