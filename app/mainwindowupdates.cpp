// The web-service notices and the update check: the version and theme
// notices, the check for a newer version once after start, and the hand-off
// to the updater.
#include "app/mainwindow.h"

#include "app/updatecheck.h"
#include "app/usersettings.h"
#include "model/httphelpers.h"
#include "model/sketchglobals.h"
#include "skin/windows/skinmessagebox.h"
#include "skin/windows/skintabcontrol.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QHash>
#include <QProcess>
#include <QUrl>

namespace {

// A notice's reply and errors are of no use: what it reports is already
// saved, and it is not sent again.
void postNotice(const QString &url, const QHash<QString, QString> &form)
{
    QString ignored;
    httpPostFormSync(url, form, ignored, UpdateCheck::requestTimeoutMs, UpdateCheck::maxReplySize);
}

// "|" in a message template breaks the line; the version filled in is
// left as it came.
QString messageText(const QString &messageTemplate, const QString &version)
{
    QString text = messageTemplate;
    return text.replace(QLatin1Char('|'), QLatin1Char('\n')).arg(version);
}

} // namespace

void MainWindow::registerTimerTrigger()
{
    UserSettings &settings = UserSettings::instance();
    if (settings.lastVersion() != SketchGlobals::version) {
        settings.setLastVersion(SketchGlobals::version);
        settings.save();
        updateVersionToServer();
    }
    const QString url = UpdateCheck::checkUrl(SketchGlobals::upgradeUrl, settings.userId(),
                                              SketchGlobals::version);
    if (url.isEmpty())
        return;
    QString ignored;
    int status = 0;
    const QByteArray reply = httpGetSync(url, ignored, status, UpdateCheck::requestTimeoutMs,
                                         HttpTimeout::FromStart, UpdateCheck::maxReplySize);
    const QString version = UpdateCheck::newerVersion(reply, status);
    if (!version.isEmpty())
        offerUpgrade(version);
}

void MainWindow::offerUpgrade(const QString &version)
{
    const QString folder = QCoreApplication::applicationDirPath();
    if (!UpdateCheck::canUpdateInPlace(folder)) {
        SkinMessageBox::information(
            tabControl, tr("Message"),
            messageText(tr("Found a new version: V%1.|Please go to the official website to download."),
                        version),
            SkinMessageBox::ButtonsOk);
        if (!SketchGlobals::homePageUrl.isEmpty())
            QDesktopServices::openUrl(QUrl(SketchGlobals::homePageUrl, QUrl::TolerantMode));
        return;
    }
    const int answer = SkinMessageBox::question(
        tabControl, tr("Confirm"),
        messageText(tr("Found a new version: V%1.|Do you want to upgrade automatically now?"), version),
        SkinMessageBox::ButtonsOkCancel);
    if (answer == SkinMessageBox::ResultOk)
        handOverToUpdater(UpdateCheck::updaterPath(folder));
}

void MainWindow::handOverToUpdater(const QString &updater)
{
    // The close procedure first: nothing unsaved is lost to the update.
    closeAllViews();
    if (!tabControl->pages().isEmpty())
        return;
    if (!QProcess::startDetached(updater, QStringList())) {
        reportError(tr("Error"), tr("The updater %1 could not be started.")
                                     .arg(QDir::toNativeSeparators(updater)));
        return;
    }
    QCoreApplication::exit(0);
}

void MainWindow::updateVersionToServer()
{
    const UserSettings &settings = UserSettings::instance();
    postNotice(SketchGlobals::changeVersionUrl,
               {{QStringLiteral("UserId"), settings.userId()},
                {QStringLiteral("Version"), settings.lastVersion()}});
}

void MainWindow::postThemeStyleChangeMessage()
{
    if (SketchGlobals::changeThemeUrl.isEmpty())
        return;
    const UserSettings &settings = UserSettings::instance();
    // The window takes no clicks until the notice is through.
    setBusy(true);
    postNotice(SketchGlobals::changeThemeUrl,
               {{QStringLiteral("UserId"), settings.userId()},
                {QStringLiteral("Theme"), settings.themeName()}});
    setBusy(false);
}
