// The main window's "Paper Size..." command.
#include "app/mainwindow.h"

#include "app/sketchpaperdialog.h"
#include "commands/sketchcommandmanager.h"
#include "commands/sketchcommandresizepaper.h"
#include "editor/sketchview.h"

#include <QPointer>

void MainWindow::actionPaperSizeClicked()
{
    QPointer<SketchView> view = currentSketchView();
    if (!view)
        return;
    SketchPaperDialog dialog(nullptr);
    dialog.moveToCenter(view);
    dialog.setPaperSize(view->paperSize());
    // The view may have closed with its tab while the dialog ran.
    if (dialog.exec() != SkinDialog::ResultOk || !view)
        return;
    const QSize size = dialog.paperSize();
    if (size == view->paperSize())
        return;
    view->commandManager()->push(new SketchCommandResizePaper(view, size.width(), size.height()),
                                 QStringLiteral("Resize Paper"));
}
