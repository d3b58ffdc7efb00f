// The main window's Help menu: the online help page, the About box and the
// feedback form.
#include "app/mainwindow.h"

#include "app/sketchfeedbackdialog.h"
#include "model/sketchglobals.h"
#include "skin/windows/skinmessagebox.h"
#include "skin/windows/skintabcontrol.h"
#include "skin/windows/skintheme.h"

#include <QDesktopServices>
#include <QUrl>

namespace {

// The name the About box gives the home page: its host, or the address
// itself when it has none.
QString homePageName(const QString &address)
{
    const QString host = QUrl(address, QUrl::TolerantMode).host();
    return host.isEmpty() ? address : host;
}

} // namespace

void MainWindow::showHelpWindow()
{
    QDesktopServices::openUrl(QUrl(SketchGlobals::helpUrl, QUrl::TolerantMode));
}

void MainWindow::showAbout()
{
    // One substitution for every value: a configured address may hold "%1"
    // or "%20", which a later arg() would fill in again.
    const QString text =
        tr("Product: Storyloom V%1<br/>"
           "Contact: <a href=\"mailto:%3\" style=\"color:%5;\">%3</a><br/>"
           "<a href=\"%4\" style=\"color:%5;\">%2</a>")
            .arg(SketchGlobals::version.toHtmlEscaped(), homePageName(SketchGlobals::homePageUrl).toHtmlEscaped(),
                 SketchGlobals::supportEmail.toHtmlEscaped(), SketchGlobals::homePageUrl.toHtmlEscaped(),
                 skinIconColor.name());
    SkinMessageBox::about(tabControl, tr("About Storyloom"), text);
}

void MainWindow::showFeedback()
{
    SketchFeedbackDialog dialog(nullptr);
    dialog.moveToCenter(tabControl);
    dialog.exec();
}
