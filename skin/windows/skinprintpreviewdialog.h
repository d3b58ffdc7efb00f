#ifndef SKINPRINTPREVIEWDIALOG_H
#define SKINPRINTPREVIEWDIALOG_H

#include "skin/windows/skindialog.h"

class QPrinter;
class QPrintPreviewWidget;

// The skinned print preview: a command bar of four buttons ("Zoom: 50%",
// "Zoom: 100%", "Page Setup...", "Print") above a preview of the printer's
// pages. The dialog paints nothing itself: every page the preview shows or
// prints is asked for through paintRequested(QPrinter*), which the owner
// connects to its page painter.
//
// Layout (cw x ch the central widget): the command bar "commandBar" spans
// (0, 0) to (cw - 1, 37), the preview "previewWidget" (0, 38) to
// (cw - 1, ch - 1). The zoom starts at 0.5 on every opening. Nothing calls
// done(), so exec() ends with 2 however the dialog is closed.
//
// Ownership: the printer stays the caller's and must outlive the dialog; the
// bar, its buttons and the preview are children of the central widget.
class SkinPrintPreviewDialog : public SkinDialog
{
    Q_OBJECT

public:
    SkinPrintPreviewDialog(QPrinter *printer, QWidget *parent = nullptr);

    QPrinter *printer() const { return m_printer; }
    QPrintPreviewWidget *previewWidget() const { return m_previewWidget; }
    QWidget *commandBar() const { return m_commandBar; }

signals:
    void paintRequested(QPrinter *printer);

public slots:
    void onPaintRequested(QPrinter *printer);
    void setZoomFactor50();
    void setZoomFactor100();
    // Runs Qt's page setup on the printer, over the dialog without its theme
    // (SkinPlatformDialogs); an accepted setup repaints the preview.
    void showPageSetupDialog();
    // Prints through the preview, which asks for the pages once more.
    void printDocument();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QPrinter *m_printer = nullptr;
    QPrintPreviewWidget *m_previewWidget = nullptr;
    QWidget *m_commandBar = nullptr;
};

#endif // SKINPRINTPREVIEWDIALOG_H
