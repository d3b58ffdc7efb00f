// The print preview: its layout at 800 x 500, the zoom buttons, and the
// forwarding of the preview's page requests to whoever paints the pages.
#include "skin/windows/skinprintpreviewdialog.h"

#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// Paints one rectangle on every page asked for and counts the requests.
class PagePainter : public QObject
{
    Q_OBJECT

public:
    int requests = 0;
    QPrinter *lastPrinter = nullptr;

public slots:
    void paintPages(QPrinter *printer)
    {
        ++requests;
        lastPrinter = printer;
        QPainter painter(printer);
        painter.fillRect(QRect(20, 20, 100, 60), Qt::black);
    }
};

QPushButton *button(const SkinPrintPreviewDialog &dialog, const QString &text)
{
    for (QPushButton *candidate : dialog.commandBar()->findChildren<QPushButton *>()) {
        if (candidate->text() == text)
            return candidate;
    }
    return nullptr;
}

} // namespace

class TestSkinPrintPreviewDialog : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void laysOutTheBarAndThePreview();
    void stepsTheZoomAndComesBack();
    void forwardsEveryPageRequest();
    void printsThroughTheSamePainter();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QPrinter> m_printer;
};

void TestSkinPrintPreviewDialog::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_printer = std::make_unique<QPrinter>(QPrinter::ScreenResolution);
    m_printer->setOutputFormat(QPrinter::PdfFormat);
    m_printer->setOutputFileName(m_dir->filePath(QStringLiteral("preview.pdf")));
}

void TestSkinPrintPreviewDialog::cleanup()
{
    m_printer.reset();
    m_dir.reset();
}

void TestSkinPrintPreviewDialog::laysOutTheBarAndThePreview()
{
    SkinPrintPreviewDialog dialog(m_printer.get());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Print Preview"));
    QCOMPARE(dialog.printer(), m_printer.get());
    dialog.resize(800, 500);
    dialog.show();
    QCOMPARE(dialog.centralWidget()->size(), QSize(782, 464));
    QCOMPARE(dialog.commandBar()->objectName(), QStringLiteral("commandBar"));
    QCOMPARE(dialog.commandBar()->geometry(), QRect(0, 0, 782, 38));
    QCOMPARE(dialog.previewWidget()->objectName(), QStringLiteral("previewWidget"));
    QCOMPARE(dialog.previewWidget()->geometry(), QRect(0, 38, 782, 426));

    const QStringList texts{"Zoom: 50%", "Zoom: 100%", "Page Setup...", "Print"};
    const QList<QRect> places{{8, 8, 90, 22}, {105, 8, 90, 22}, {202, 8, 120, 22}, {329, 8, 90, 22}};
    for (int i = 0; i < texts.size(); ++i) {
        QPushButton *found = button(dialog, texts.at(i));
        QVERIFY2(found, qPrintable(texts.at(i)));
        QCOMPARE(found->geometry(), places.at(i));
    }
}

void TestSkinPrintPreviewDialog::stepsTheZoomAndComesBack()
{
    SkinPrintPreviewDialog dialog(m_printer.get());
    QCOMPARE(dialog.previewWidget()->zoomFactor(), 0.5);
    button(dialog, QStringLiteral("Zoom: 100%"))->click();
    QCOMPARE(dialog.previewWidget()->zoomFactor(), 1.0);
    button(dialog, QStringLiteral("Zoom: 50%"))->click();
    QCOMPARE(dialog.previewWidget()->zoomFactor(), 0.5);
}

void TestSkinPrintPreviewDialog::forwardsEveryPageRequest()
{
    SkinPrintPreviewDialog dialog(m_printer.get());
    PagePainter painter;
    connect(&dialog, SIGNAL(paintRequested(QPrinter *)), &painter, SLOT(paintPages(QPrinter *)));
    dialog.resize(800, 500);
    dialog.show();
    QTRY_VERIFY_WITH_TIMEOUT(painter.requests >= 1, 5000);
    QVERIFY(painter.lastPrinter);
    QCOMPARE(dialog.previewWidget()->pageCount(), 1);

    // A refresh, as after an accepted page setup, asks again.
    const int before = painter.requests;
    dialog.previewWidget()->updatePreview();
    QTRY_VERIFY_WITH_TIMEOUT(painter.requests > before, 5000);
    dialog.close();
}

void TestSkinPrintPreviewDialog::printsThroughTheSamePainter()
{
    SkinPrintPreviewDialog dialog(m_printer.get());
    PagePainter painter;
    connect(&dialog, SIGNAL(paintRequested(QPrinter *)), &painter, SLOT(paintPages(QPrinter *)));
    button(dialog, QStringLiteral("Print"))->click();
    QVERIFY(painter.requests >= 1);
    QCOMPARE(painter.lastPrinter, m_printer.get());
    QVERIFY(QFileInfo(m_printer->outputFileName()).size() > 0);
}

QTEST_MAIN(TestSkinPrintPreviewDialog)
#include "tst_skinprintpreviewdialog.moc"
