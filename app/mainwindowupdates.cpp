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

// The theme notice's reply and errors are of no use: the theme is already
// saved, and the notice is not sent again.
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
    const UserSettings &settings = UserSettings::instance();
    if (settings.lastVersion() != SketchGlobals::version)
        updateVersionToServer();
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

// The running version counts as reported only once the service took it
// (an answer of 2xx): without a service, or while it fails, the notice is
// sent again at the next start.
void MainWindow::updateVersionToServer()
{
    UserSettings &settings = UserSettings::instance();
    QString error;
    int status = 0;
    httpPostFormSync(SketchGlobals::changeVersionUrl,
                     {{QStringLiteral("UserId"), settings.userId()},
                      {QStringLiteral("Version"), SketchGlobals::version}},
                     error, status, UpdateCheck::requestTimeoutMs, UpdateCheck::maxReplySize);
    if (!error.isEmpty() || status < 200 || status > 299)
        return;
    settings.setLastVersion(SketchGlobals::version);
    settings.save();
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
