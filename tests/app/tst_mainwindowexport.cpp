// The main window's larger commands: the page, layer, shape, all-tabs and
// slice exports with their dialogs and failures, the print preview and the
// printed page, inserting images, Edit Group and Save as Material.
#include "app/mainwindow.h"
#include "commands/sketchcommand.h"
#include "commands/sketchcommandmanager.h"
#include "dialogscript.h"
#include "editor/sketchdocumentview.h"
#include "materials/sketchmaterial.h"
#include "materials/sketchmaterialbox.h"
#include "materials/sketchmaterialfile.h"
#include "model/sketchdocument.h"
#include "model/sketchgroup.h"
#include "model/sketchlayer.h"
#include "model/sketchslice.h"
#include "programfixture.h"
#include "skin/windows/skinprintpreviewdialog.h"
#include "support/childwait.h"
#include "support/shapes.h"
#include "windowfixture.h"

#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

using namespace windowfixture;
using programfixture::writeFile;

class TestMainWindowExport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void exportsTheCurrentPage();
    void exportsTheLayersAndTheSelectedShapes();
    void reportsEveryFailedWrite_data();
    void reportsEveryFailedWrite();
    void exportsAllDocumentsInTabOrder();
    void exportsAllPastACancelAndAFailure();
    void exportsAllSkippingATabClosedDuringADialog();

    void exportsSlicesWithTheChosenFilter_data();
    void exportsSlicesWithTheChosenFilter();
    void exportsNoSlicesWithoutSlices();

    void printsOnePageShowingTheShapes();
    void previewsTheCurrentViewAndPrintsThroughIt();
    void previewsNothingWithoutAView();

    void insertsTheChosenImages();
    void insertsNothingWhenCancelled();

    void editsAGroupOnAPaperOfItsSize();
    void savingTheGroupTabRecordsItInTheSource();
    void editsEachGroupOnceAndSelectsItsTab();

    void savesTheSelectionAsAMaterialOfTheEntrysCategory();
    void savesNoMaterialWithoutSelectionOrEntry();

private:
    QString path(const QString &name) const { return QDir(m_files->path()).filePath(name); }
    SkinTabControl *tabControl() const { return tabs(*m_window); }
    // A document tab of the red page: a red box and a blue diamond.
    SketchDocumentView *openRedPage(const QString &name);
    QString picture(const QString &name) const;
    // A page that is no document, as the material catalogue is.
    SketchView *addPlainPage();
    // A file where a folder is expected, so that writes below it fail.
    QString blockedPath(const QString &name) const;

    Home m_home;
    QTemporaryDir *m_files = nullptr;
    MainWindow *m_window = nullptr;
};

void TestMainWindowExport::initTestCase()
{
    QVERIFY(m_home.install());
}

void TestMainWindowExport::init()
{
    m_files = new QTemporaryDir;
    QVERIFY(m_files->isValid());
    m_window = new MainWindow;
    m_window->show();
}

void TestMainWindowExport::cleanup()
{
    delete m_window;
    m_window = nullptr;
    delete m_files;
    m_files = nullptr;
}

SketchDocumentView *TestMainWindowExport::openRedPage(const QString &name)
{
    const QString file = path(name);
    if (!writeFile(file, programfixture::redPage()))
        return nullptr;
    m_window->openFiles({file});
    return m_window->currentDocumentView();
}

QString TestMainWindowExport::picture(const QString &name) const
{
    QImage image(40, 30, QImage::Format_ARGB32);
    image.fill(Qt::darkCyan);
    const QString file = path(name);
    return image.save(file) ? file : QString();
}

SketchView *TestMainWindowExport::addPlainPage()
{
    QWidget *page = tabControl()->addPage(QString("Material Library"), true);
    auto *view = new SketchView(page);
    view->show();
    return view;
}

QString TestMainWindowExport::blockedPath(const QString &name) const
{
    writeFile(path("blocker"), "a file, not a folder");
    return path("blocker/") + name;
}

// --- Image exports ----------------------------------------------------------------

void TestMainWindowExport::exportsTheCurrentPage()
{
    SketchDocumentView *view = openRedPage("page.slf");
    QVERIFY(view);
    DialogScript script;
    script.answerFile(path("page"), "JPEG Images(*.jpg)");
    m_window->exportToImage();

    QCOMPARE(script.unexpected(), QStringList());
    QCOMPARE(script.fileRequests().size(), 1);
    QCOMPARE(script.fileRequests().first().caption, QString("Save"));
    QCOMPARE(script.fileRequests().first().directory, QString("page"));
    // The chosen filter's suffix, and its format.
    const QImage image(path("page.jpg"), "JPG");
    QCOMPARE(image.size(), QSize(842, 595));
    QVERIFY(qRed(image.pixel(200, 170)) > 160 && qGreen(image.pixel(200, 170)) < 80);
}

void TestMainWindowExport::exportsTheLayersAndTheSelectedShapes()
{
    SketchDocumentView *view = openRedPage("page.slf");
    QVERIFY(view);
    DialogScript script;
    script.answerFile(path("layers.png"));
    m_window->exportLayersToImage();
    QVERIFY(QFile::exists(path("layers.png")));
    QVERIFY(QFile::exists(path("layers[1].png")));

    // Nothing selected: no dialog at all.
    m_window->exportShapeToImage();
    QCOMPARE(script.fileRequests().size(), 1);
    view->currentLayer()->shapes().first()->setSelected(true);
    script.answerFile(path("shape.png"));
    m_window->exportShapeToImage();
    QCOMPARE(script.unexpected(), QStringList());
    // The red box, 200 x 150, and 2 pixels around it.
    QCOMPARE(QImage(path("shape.png")).size(), QSize(204, 154));
}

void TestMainWindowExport::reportsEveryFailedWrite_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("page") << "exportToImage";
    QTest::newRow("layers") << "exportLayersToImage";
    QTest::newRow("shapes") << "exportShapeToImage";
    QTest::newRow("slices") << "exportToSliceImages";
}

void TestMainWindowExport::reportsEveryFailedWrite()
{
    QFETCH(QString, command);
    SketchDocumentView *view = openRedPage("page.slf");
    QVERIFY(view);
    view->selectAll();
    auto *slice = new SketchSlice(view->document());
    slice->setRect(QRect(0, 0, 300, 300));
    view->document()->slices().append(slice);
    QSignalSpy failed(view, &SketchDocumentView::imageExportFailed);

    DialogScript script;
    script.answerFile(blockedPath("out.png"));
    script.answerBox(SkinMessageBox::ResultOk);
    QVERIFY(QMetaObject::invokeMethod(m_window, command.toLatin1().constData()));

    QCOMPARE(script.unexpected(), QStringList());
    QCOMPARE(script.boxes().size(), 1);
    QCOMPARE(script.boxes().first().title, QString("Save"));
    QCOMPARE(failed.count(), 1);
}

void TestMainWindowExport::exportsAllDocumentsInTabOrder()
{
    QVERIFY(openRedPage("first.slf"));
    addPlainPage();
    QVERIFY(openRedPage("second.slf"));
    // Whichever tab is current, the order is the tabs'.
    tabControl()->setCurrentIndex(1);
    DialogScript script;
    script.answerFile(path("one.png"));
    script.answerFile(path("two.png"));
    m_window->exportAllToImages();

    QCOMPARE(script.unexpected(), QStringList());
    QCOMPARE(script.fileRequests().size(), 2);
    QCOMPARE(script.fileRequests().at(0).directory, QString("first"));
    QCOMPARE(script.fileRequests().at(1).directory, QString("second"));
    QCOMPARE(QImage(path("one.png")).size(), QSize(842, 595));
    QCOMPARE(QImage(path("two.png")).size(), QSize(842, 595));
}

void TestMainWindowExport::exportsAllPastACancelAndAFailure()
{
    for (const char *name : {"a.slf", "b.slf", "c.slf"})
        QVERIFY(openRedPage(name));
    DialogScript script;
    script.cancelFile();
    script.answerFile(blockedPath("b.png"));
    script.answerBox(SkinMessageBox::ResultOk);
    script.answerFile(path("c.png"));
    m_window->exportAllToImages();

    QCOMPARE(script.unexpected(), QStringList());
    QCOMPARE(script.fileRequests().size(), 3);
    QCOMPARE(script.boxes().size(), 1);
    QVERIFY(QFile::exists(path("c.png")));
}

void TestMainWindowExport::exportsAllSkippingATabClosedDuringADialog()
{
    for (const char *name : {"a.slf", "b.slf", "c.slf"})
        QVERIFY(openRedPage(name));
    QStringList asked;
    FileDialogs::ScopedAnswerHook hook([&](const FileDialogs::Request &request) {
        asked.append(request.directory);
        // While the first dialog is open, the second tab goes.
        if (asked.size() == 1)
            tabControl()->removePage(1);
        return QStringList{path(request.directory + ".png")};
    });
    m_window->exportAllToImages();

    QCOMPARE(asked, QStringList({"a", "c"}));
    QVERIFY(QFile::exists(path("a.png")));
    QVERIFY(QFile::exists(path("c.png")));
}

// --- Slices ------------------------------------------------------------------------------

void TestMainWindowExport::exportsSlicesWithTheChosenFilter_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("files");
    QTest::newRow("only images") << "Only Images (*.png)" << QStringList{"out", "out.slf"};
    QTest::newRow("html and images") << "HTML and Images (*.html)" << QStringList{"out", "out.html", "out.slf"};
}

void TestMainWindowExport::exportsSlicesWithTheChosenFilter()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, files);
    SketchDocumentView *view = openRedPage("out.slf");
    QVERIFY(view);
    auto *slice = new SketchSlice(view->document());
    slice->setRect(QRect(0, 0, 400, 595));
    view->document()->slices().append(slice);
    view->document()->updateSliceGrid();

    DialogScript script;
    script.answerFile(path("out"), filter);
    m_window->exportToSliceImages();

    QCOMPARE(script.unexpected(), QStringList());
    const FileDialogs::Request &request = script.fileRequests().first();
    QCOMPARE(request.caption, QString("Save"));
    QCOMPARE(request.directory, QString());
    QCOMPARE(request.filter, QString("HTML and Images (*.html);;Only Images (*.png)"));
    QCOMPARE(request.parent, static_cast<QWidget *>(tabControl()));
    QCOMPARE(QDir(m_files->path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name), files);
    const QStringList images = QDir(path("out")).entryList(QDir::Files);
    QVERIFY(!images.isEmpty());
    for (const QString &image : images)
        QVERIFY2(image.endsWith(".png"), qPrintable(image));
}

void TestMainWindowExport::exportsNoSlicesWithoutSlices()
{
    QVERIFY(openRedPage("out.slf"));
    DialogScript script;
    m_window->exportToSliceImages();
    QCOMPARE(script.fileRequests().size(), 0);
    QCOMPARE(script.unexpected(), QStringList());
}

// --- Printing ------------------------------------------------------------------------------

void TestMainWindowExport::printsOnePageShowingTheShapes()
{
    if (QStandardPaths::findExecutable("pdftoppm").isEmpty())
        QSKIP("pdftoppm (poppler-utils) is not installed");
    QVERIFY(openRedPage("page.slf"));
    {
        QPrinter printer(QPrinter::ScreenResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path("page.pdf"));
        m_window->printDocument(&printer);
    }
    QProcess render;
    render.start("pdftoppm", {"-png", "-r", "72", path("page.pdf"), path("printed")});
    QVERIFY(render.waitForFinished(childWaitMilliseconds));
    QCOMPARE(render.exitCode(), 0);
    const QStringList pages = QDir(m_files->path()).entryList({"printed*.png"}, QDir::Files);
    QCOMPARE(pages.size(), 1);
    const QImage page(path(pages.first()));
    int red = 0;
    int blue = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            red += c.red() > 160 && c.green() < 80 && c.blue() < 80;
            blue += c.blue() > 160 && c.red() < 80;
        }
    }
    // Both shapes, each a good part of its area.
    QVERIFY2(red > 1000, qPrintable(QString::number(red)));
    QVERIFY2(blue > 1000, qPrintable(QString::number(blue)));
}

void TestMainWindowExport::previewsTheCurrentViewAndPrintsThroughIt()
{
    m_window->newFile();
    QString title;
    QSize size;
    QString pdf = path("preview.pdf");
    SkinDialog::ScopedAnswerHook hook([&](SkinDialog *dialog) {
        auto *preview = qobject_cast<SkinPrintPreviewDialog *>(dialog);
        if (!preview)
            return int(SkinDialog::ResultCancel);
        title = preview->windowTitle();
        size = preview->size();
        preview->printer()->setOutputFormat(QPrinter::PdfFormat);
        preview->printer()->setOutputFileName(pdf);
        // The print button paints through the window's printDocument.
        preview->printDocument();
        return preview->result();
    });
    m_window->printPreview();
    QCOMPARE(title, QString("Print (untitled1)"));
    QCOMPARE(size, QSize(800, 500));
    QVERIFY(QFileInfo(pdf).size() > 0);
}

void TestMainWindowExport::previewsNothingWithoutAView()
{
    int dialogs = 0;
    SkinDialog::ScopedAnswerHook hook([&](SkinDialog *) {
        ++dialogs;
        return int(SkinDialog::ResultCancel);
    });
    m_window->printPreview();
    QCOMPARE(dialogs, 0);
}

// --- Insert image ----------------------------------------------------------------------------

void TestMainWindowExport::insertsTheChosenImages()
{
    m_window->newFile();
    SketchDocumentView *view = m_window->currentDocumentView();
    const QStringList pictures{picture("a.png"), picture("b.png"), picture("c.png")};
    DialogScript script;
    script.answerFiles(pictures);
    m_window->insertImage();

    QCOMPARE(script.unexpected(), QStringList());
    const FileDialogs::Request &request = script.fileRequests().first();
    QCOMPARE(request.kind, FileDialogs::Kind::OpenFiles);
    QCOMPARE(request.caption, QString("Images"));
    QCOMPARE(request.filter, QString("Images(*.png *.jpg *.jpeg *bmp *.gif *.tiff)"));
    QCOMPARE(view->currentLayer()->shapes().size(), 3);
    // One step per picture, each 10 right of and below the one before.
    const QRectF first = view->currentLayer()->shapes().at(0)->boundingRect();
    const QRectF second = view->currentLayer()->shapes().at(1)->boundingRect();
    QCOMPARE(second.topLeft() - first.topLeft(), QPointF(10, 10));
}

void TestMainWindowExport::insertsNothingWhenCancelled()
{
    m_window->newFile();
    DialogScript script;
    script.cancelFile();
    m_window->insertImage();
    QCOMPARE(m_window->currentDocumentView()->currentLayer()->shapes().size(), 0);
    QCOMPARE(script.unexpected(), QStringList());
}

// --- Edit group ----------------------------------------------------------------------------------

void TestMainWindowExport::editsAGroupOnAPaperOfItsSize()
{
    m_window->newFile();
    SketchDocumentView *source = m_window->currentDocumentView();
    SketchShape *box = makeBox(source->currentLayer(), QRectF(10, 20, 100.5, 40.4));
    SketchGroup *group = groupShapes(source->currentLayer(), {box});
    QSignalSpy changed(tabControl(), &SkinTabControl::selectedIndexChanged);

    m_window->editGroup();
    SketchDocumentView *editing = m_window->currentDocumentView();
    QVERIFY(editing != source);
    QCOMPARE(editing->editedGroup(), group);
    QCOMPARE(editing->sourceDocument(), source->document());
    QCOMPARE(editing->paperSize(), QSize(101, 40));
    QCOMPARE(editing->title(), QString("Editing Group"));
    QCOMPARE(tabTexts(*m_window).last(), QString("Editing Group @ 100%"));
    QCOMPARE(editing->document()->layers().first()->shapes().size(), 1);
    QVERIFY(changed.count() >= 1);
    // The source is as it was.
    QCOMPARE(group->shapes().size(), 1);
    QCOMPARE(source->currentLayer()->shapes().size(), 1);
}

void TestMainWindowExport::savingTheGroupTabRecordsItInTheSource()
{
    m_window->newFile();
    SketchDocumentView *source = m_window->currentDocumentView();
    SketchGroup *group = groupShapes(source->currentLayer(), {makeBox(source->currentLayer(), QRectF(0, 0, 50, 50))});
    m_window->editGroup();
    SketchDocumentView *editing = m_window->currentDocumentView();
    makeBox(editing->currentLayer(), QRectF(60, 0, 20, 20));
    modify(editing);

    DialogScript script;
    QVERIFY(m_window->saveView(1));
    QCOMPARE(source->commandManager()->lastCommand()->text(), QString("groupEdited"));
    QCOMPARE(group->shapes().size(), 2);
    QCOMPARE(script.unexpected(), QStringList());
}

void TestMainWindowExport::editsEachGroupOnceAndSelectsItsTab()
{
    m_window->newFile();
    SketchDocumentView *source = m_window->currentDocumentView();
    SketchLayer *layer = source->currentLayer();
    SketchGroup *first = groupShapes(layer, {makeBox(layer, QRectF(0, 0, 50, 50))});
    SketchGroup *second = groupShapes(layer, {makeBox(layer, QRectF(100, 0, 30, 30))});
    m_window->editGroup();
    QCOMPARE(tabControl()->pages().size(), 3);
    QCOMPARE(m_window->currentDocumentView()->editedGroup(), second);

    tabControl()->setCurrentIndex(0);
    m_window->editGroup();
    QCOMPARE(tabControl()->pages().size(), 3);
    QCOMPARE(m_window->currentDocumentView()->editedGroup(), second);
    QCOMPARE(m_window->findGroupEditingView(first), m_window->sketchViewAt(1));

    // Nothing selected that is a group: nothing opens.
    tabControl()->setCurrentIndex(0);
    first->setSelected(false);
    second->setSelected(false);
    m_window->editGroup();
    QCOMPARE(tabControl()->pages().size(), 3);
}

// --- Save as material ---------------------------------------------------------------------------

void TestMainWindowExport::savesTheSelectionAsAMaterialOfTheEntrysCategory()
{
    SketchDocumentView *view = openRedPage("page.slf");
    QVERIFY(view);
    auto *box = m_window->findChild<SketchMaterialBox *>("materialBox");
    QVERIFY(box);
    const int before = box->materialFile()->materials().size();
    view->currentLayer()->shapes().first()->setSelected(true);
    QMenu *entries = m_window->findChild<QMenu *>("menuSaveAsMaterial");
    QCOMPARE(entries->actions().size(), 7);
    // The third entry: "Bubble".
    entries->actions().at(2)->trigger();

    const QList<SketchMaterial *> &materials = box->materialFile()->materials();
    QCOMPARE(materials.size(), before + 1);
    QCOMPARE(materials.last()->category(), 2);
    QCOMPARE(materials.last()->shapes().size(), 1);
    QCOMPARE(box->currentCategory(), 2);
    QVERIFY(QFile::exists(box->libraryFilePath()));
    // The document keeps its shapes and its selection.
    QCOMPARE(view->currentLayer()->shapes().size(), 2);
    QVERIFY(view->currentLayer()->shapes().first()->isSelected());
    QVERIFY(!view->isModified());
}

void TestMainWindowExport::savesNoMaterialWithoutSelectionOrEntry()
{
    SketchDocumentView *view = openRedPage("page.slf");
    QVERIFY(view);
    auto *box = m_window->findChild<SketchMaterialBox *>("materialBox");
    QVERIFY(box);
    const int before = box->materialFile()->materials().size();
    QMenu *entries = m_window->findChild<QMenu *>("menuSaveAsMaterial");
    entries->actions().at(0)->trigger();
    QCOMPARE(box->materialFile()->materials().size(), before);
    // Selected, but not from one of the entries.
    view->currentLayer()->shapes().first()->setSelected(true);
    m_window->saveAsMaterial();
    QCOMPARE(box->materialFile()->materials().size(), before);
}

QTEST_MAIN(TestMainWindowExport)
#include "tst_mainwindowexport.moc"
