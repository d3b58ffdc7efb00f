// Exporting the page, its layers and the selected shapes to image files.
#include "support/history.h"
#include "support/input.h"
#include "support/modaldriver.h"
#include "support/paintcounter.h"
#include "support/pixels.h"
#include "support/shapes.h"

#include "editor/sketchdocumentview.h"
#include "model/sketchdocument.h"
#include "model/sketchlayer.h"
#include "model/sketchshape.h"
#include "model/sketchstroke.h"
#include "model/skinbrush.h"
#include "skin/windows/skinmessagebox.h"

#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPointer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

class TestImageExport : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup();

    void formatFollowsTheSuffix_data();
    void formatFollowsTheSuffix();
    void borderOnlyWhenAsked();
    void selectedShapesAreCutOut();
    void nothingToExportWithoutAnEditableShape();
    void layerImageFileName_data();
    void layerImageFileName();
    void layersGetPicturesOfTheirOwn();
    void unwritableTargetsAreReported();
    void interactiveExportAsksForTheName();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    SketchLayer *layer() const { return m_view->document()->layers().first(); }
    // Answers the next file dialog with the name, or cancels it for an empty
    // name; counts the dialogs it saw.
    void answerNextFileDialog(const QString &fileName);

    SketchDocumentView *m_view = nullptr;
    QTemporaryDir *m_dir = nullptr;
    int m_dialogs = 0;
    std::unique_ptr<ModalDriver> m_driver;
    QPointer<QWidget> m_lastDialog;
};

void TestImageExport::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    m_view = new SketchDocumentView;
    m_view->resize(1000, 800);
    m_dialogs = 0;
    // A dialog that never came must not answer the next test's.
    m_driver = std::make_unique<ModalDriver>();
}

void TestImageExport::cleanup()
{
    SkinMessageBox::setAnswerHook(SkinMessageBox::AnswerHook());
    m_driver.reset();
    delete m_view;
    m_view = nullptr;
    delete m_dir;
    m_dir = nullptr;
}

void TestImageExport::answerNextFileDialog(const QString &fileName)
{
    m_driver->answer<QFileDialog>([this, fileName](QFileDialog *dialog) {
        // The driver may act on one dialog more than once.
        if (dialog != m_lastDialog) {
            m_lastDialog = dialog;
            ++m_dialogs;
        }
        if (fileName.isEmpty()) {
            dialog->reject();
            return;
        }
        auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        QVERIFY(edit);
        edit->setText(fileName);
        static_cast<QDialog *>(dialog)->accept();
    });
}

void TestImageExport::formatFollowsTheSuffix_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("magic");
    QTest::addColumn<bool>("transparent");

    QTest::newRow("png") << "page.png" << QByteArray("\x89PNG") << true;
    QTest::newRow("jpg") << "page.jpg" << QByteArray("\xFF\xD8") << false;
    QTest::newRow("JPEG typed in capitals") << "page.JPEG" << QByteArray("\xFF\xD8") << false;
    QTest::newRow("bmp") << "page.bmp" << QByteArray("BM") << false;
}

void TestImageExport::formatFollowsTheSuffix()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, magic);
    QFETCH(bool, transparent);

    m_view->setPaperColor(SkinBrush::transparentBrush());
    addBox(layer(), 300, 200, 100, 100, Qt::red);
    QVERIFY(m_view->exportToImageFile(path(name), false));

    QFile file(path(name));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(magic.size()) == magic);
    file.close();
    const QImage image(path(name), magic.startsWith("\xFF") ? "JPG" : nullptr);
    QCOMPARE(image.size(), QSize(842, 595));
    const QColor corner = image.pixelColor(1, 1);
    if (transparent) {
        QCOMPARE(corner.alpha(), 0);
    } else {
        QCOMPARE(corner.alpha(), 255);
        QVERIFY(sameColor(image, 1, 1, Qt::white, 3));
    }
    // The shapes are there, fitted into the page.
    QVERIFY(sameColor(image, 350, 250, Qt::red, 40));
}

void TestImageExport::borderOnlyWhenAsked()
{
    m_view->setPaperBorder(SketchStroke(Qt::black, 1, 0));
    QVERIFY(m_view->exportToImageFile(path("plain.png"), false));
    QVERIFY(m_view->exportToImageFile(path("framed.png"), true));
    QVERIFY(sameColor(QImage(path("plain.png")), 0, 100, Qt::white, 3));
    QVERIFY(sameColor(QImage(path("framed.png")), 0, 100, Qt::black, 60));
    QVERIFY(!m_view->exportToImageFile(QString(), false));
}

void TestImageExport::selectedShapesAreCutOut()
{
    SketchShape *shape = addBox(layer(), 200, 200, 100, 50, Qt::blue);
    SketchShape *locked = addBox(layer(), 500, 300, 20, 20, Qt::green);
    selectShape(shape);
    QVERIFY(m_view->exportShapeToImageFile(path("shape.png")));
    QCOMPARE(QImage(path("shape.png")).size(), QSize(104, 54));

    // Locked selected shapes are part of the picture.
    selectShape(locked);
    locked->setLocked(true);
    const QPixmap both = m_view->renderSelectedShapesToPixmap(false, QStringLiteral("PNG"));
    QCOMPARE(both.size(), QSize(324, 124));
}

void TestImageExport::nothingToExportWithoutAnEditableShape()
{
    SketchShape *locked = addBox(layer(), 200, 200, 100, 50, Qt::blue);
    selectShape(locked);
    locked->setLocked(true);
    QVERIFY(!m_view->exportShapeToImageFile(path("shape.png")));
    QVERIFY(!QFile::exists(path("shape.png")));

    // No dialog is shown either.
    answerNextFileDialog(QString());
    m_view->exportShapeToImage();
    QCoreApplication::processEvents();
    QCOMPARE(m_dialogs, 0);
}

void TestImageExport::layerImageFileName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("expected");

    QTest::newRow("suffix") << "/work/page.png" << 1 << "/work/page[1].png";
    QTest::newRow("last dot") << "/work/page.v2.png" << 3 << "/work/page.v2[3].png";
    QTest::newRow("dotted folder") << "/a.b/page.png" << 2 << "/a.b/page[2].png";
    QTest::newRow("dotted folder, no suffix") << "/a.b/page" << 1 << "/a.b/page[1]";
    QTest::newRow("no suffix") << "page" << 12 << "page[12]";
    QTest::newRow("backslashes") << "C:\\a.b\\page" << 1 << "C:\\a.b\\page[1]";
    QTest::newRow("dot first") << "/work/.png" << 1 << "/work/.png[1]";
}

void TestImageExport::layerImageFileName()
{
    QFETCH(QString, name);
    QFETCH(int, number);
    QFETCH(QString, expected);
    QCOMPARE(SketchDocumentView::layerImageFileName(name, number), expected);
}

void TestImageExport::layersGetPicturesOfTheirOwn()
{
    SketchDocument *document = m_view->document();
    auto *hidden = new SketchLayer(document, QStringLiteral("Hidden"));
    auto *top = new SketchLayer(document, QStringLiteral("Top"));
    document->layers() << hidden << top;
    addBox(layer(), 100, 100, 100, 100, Qt::red);
    addBox(hidden, 300, 100, 100, 100, Qt::green);
    addBox(top, 500, 100, 100, 100, Qt::blue);
    hidden->setVisible(false);
    m_view->setPaperBorder(SketchStroke(Qt::black, 1, 0));

    // A folder with a dot and a name without a suffix: the page picture is
    // not replaced by a layer's.
    const QString name = path("a.b/page");
    QVERIFY(m_view->exportLayersToImageFiles(name));

    const QImage page(name);
    const QImage first(path("a.b/page[1]"));
    const QImage second(path("a.b/page[2]"));
    const QImage third(path("a.b/page[3]"));
    QVERIFY(!page.isNull() && !first.isNull() && !second.isNull() && !third.isNull());
    QVERIFY(!QFile::exists(path("a[1].b/page")));

    QVERIFY(sameColor(page, 150, 150, Qt::red, 40));
    QVERIFY(sameColor(page, 350, 150, Qt::white, 3));
    QVERIFY(sameColor(page, 550, 150, Qt::blue, 40));
    QVERIFY(sameColor(first, 150, 150, Qt::red, 40));
    QVERIFY(sameColor(first, 550, 150, Qt::white, 3));
    // The hidden layer still gets its picture.
    QVERIFY(sameColor(second, 350, 150, Qt::green, 40));
    QVERIFY(sameColor(third, 550, 150, Qt::blue, 40));
    // Every picture has the border.
    for (const QImage &image : {page, first, second, third})
        QVERIFY(sameColor(image, 0, 300, Qt::black, 60));
}

void TestImageExport::unwritableTargetsAreReported()
{
    // A folder that cannot be made: its parent is a file.
    QFile blocker(path("blocker"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString target = path("blocker/sub/page.png");

    selectShape(addBox(layer(), 10, 10, 10, 10, Qt::red));
    QVERIFY(!m_view->exportToImageFile(target, true));
    QVERIFY(!m_view->exportLayersToImageFiles(target));
    QVERIFY(!m_view->exportShapeToImageFile(target));

    // The user is told in a warning box that names the file.
    QStringList warnings;
    SkinMessageBox::setAnswerHook([&warnings](SkinMessageBox *box) {
        warnings.append(box->text());
        return int(SkinMessageBox::ResultOk);
    });
    QSignalSpy failed(m_view, &SketchDocumentView::imageExportFailed);
    answerNextFileDialog(target);
    m_view->exportToImage();
    QCOMPARE(m_dialogs, 1);
    QCOMPARE(failed.count(), 1);
    QCOMPARE(failed.first().first().toString(), target);
    QCOMPARE(warnings.size(), 1);
    QVERIFY(warnings.first().contains(QDir::toNativeSeparators(target)));

    answerNextFileDialog(target);
    m_view->exportLayersToImages();
    answerNextFileDialog(target);
    m_view->exportShapeToImage();
    SkinMessageBox::setAnswerHook(SkinMessageBox::AnswerHook());
    QCOMPARE(m_dialogs, 3);
    QCOMPARE(failed.count(), 3);
    QCOMPARE(warnings.size(), 3);
}

void TestImageExport::interactiveExportAsksForTheName()
{
    QSignalSpy failed(m_view, &SketchDocumentView::imageExportFailed);
    m_view->setTitle(QStringLiteral("story"));

    answerNextFileDialog(QString());
    m_view->exportToImage();
    QCOMPARE(m_dialogs, 1);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList());

    // Typed without a suffix: the chosen filter's is appended.
    answerNextFileDialog(path("story"));
    m_view->exportToImage();
    QVERIFY(QFile::exists(path("story.png")));

    answerNextFileDialog(path("layers.png"));
    m_view->exportLayersToImages();
    QVERIFY(QFile::exists(path("layers.png")));
    QVERIFY(QFile::exists(path("layers[1].png")));

    selectShape(addBox(layer(), 10, 10, 40, 30, Qt::red));
    answerNextFileDialog(path("shape.png"));
    m_view->exportShapeToImage();
    QCOMPARE(QImage(path("shape.png")).size(), QSize(44, 34));
    QCOMPARE(failed.count(), 0);
}

QTEST_MAIN(TestImageExport)
#include "tst_imageexport.moc"
