#include "skin/windows/skinprintpreviewdialog.h"

#include "skin/windows/skinplatformdialogs.h"

#include <QPageSetupDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>

SkinPrintPreviewDialog::SkinPrintPreviewDialog(QPrinter *printer, QWidget *parent)
    : SkinDialog(parent)
{
    setWindowTitle(QStringLiteral("Print Preview"));
    m_commandBar = new QWidget(centralWidget());
    m_commandBar->setObjectName(QStringLiteral("commandBar"));

    struct Button {
        QString text;
        int x;
        int width;
        const char *slot;
    };
    const Button buttons[] = {{tr("Zoom: 50%"), 8, 90, SLOT(setZoomFactor50())},
                              {tr("Zoom: 100%"), 105, 90, SLOT(setZoomFactor100())},
                              {tr("Page Setup..."), 202, 120, SLOT(showPageSetupDialog())},
                              {tr("Print"), 329, 90, SLOT(printDocument())}};
    for (const Button &entry : buttons) {
        auto *button = new QPushButton(entry.text, m_commandBar);
        button->setGeometry(entry.x, 8, entry.width, 22);
        connect(button, SIGNAL(clicked()), this, entry.slot);
    }

    m_printer = printer;
    m_previewWidget = new QPrintPreviewWidget(printer, centralWidget());
    m_previewWidget->setObjectName(QStringLiteral("previewWidget"));
    m_previewWidget->setZoomFactor(0.5);
    connect(m_previewWidget, SIGNAL(paintRequested(QPrinter *)), this,
            SLOT(onPaintRequested(QPrinter *)));
}

void SkinPrintPreviewDialog::onPaintRequested(QPrinter *printer)
{
    emit paintRequested(printer);
}

void SkinPrintPreviewDialog::setZoomFactor50()
{
    m_previewWidget->setZoomFactor(0.5);
}

void SkinPrintPreviewDialog::setZoomFactor100()
{
    m_previewWidget->setZoomFactor(1.0);
}

void SkinPrintPreviewDialog::showPageSetupDialog()
{
    QPageSetupDialog setup(m_printer, nullptr);
    SkinPlatformDialogs::placeOver(&setup, this);
    if (setup.exec() != 0)
        m_previewWidget->updatePreview();
}

void SkinPrintPreviewDialog::printDocument()
{
    m_previewWidget->print();
}

void SkinPrintPreviewDialog::resizeEvent(QResizeEvent *event)
{
    SkinDialog::resizeEvent(event);
    const int cw = centralWidget()->width();
    const int ch = centralWidget()->height();
    m_commandBar->setGeometry(QRect(QPoint(0, 0), QPoint(cw - 1, 37)));
    m_previewWidget->setGeometry(QRect(QPoint(0, 38), QPoint(cw - 1, ch - 1)));
}
