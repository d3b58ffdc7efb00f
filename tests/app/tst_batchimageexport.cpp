// The command-line image export in this process: what it writes, how it
// pairs documents and images, the paper border, and failures that are
// reported one line each while the run goes on.
#include "app/batchimageexport.h"
#include "app/programfixture.h"
#include "bench/generatedpage.h"
#include "editor/sketchdocumentview.h"
#include "model/sketchdocument.h"
#include "model/sketchshape.h"
#include "support/fifowatch.h"
#include "support/fonts.h"
#include "support/shapes.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QImage>
#include <QImageReader>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <QtTest>

using namespace programfixture;

namespace {

// What the view itself writes for the document.
QImage viewExport(const QString &document, const QString &image, bool drawBorder)
{
    SketchDocumentView view;
    if (!view.openFile(document) || !view.exportToImageFile(image, drawBorder))
        return QImage();
    return QImage(image);
}

} // namespace

class TestBatchImageExport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void writesThePageAsTheViewExportsIt();
    void pairsDocumentsAndImagesByOrder();
    void drawsThePaperBorderOnlyWhenAsked();
    void reportsEachFailureAndGoesOn_data();
    void reportsEachFailureAndGoesOn();
    void manyPairsInFlightKeepTheirOrder();
    void drawsTheDefaultFamilyInItsStandIn();
    void theLaterPairWinsARepeatedImage_data();
    void theLaterPairWinsARepeatedImage();

private:
    QString path(const QString &name) const { return QDir(m_folder->path()).filePath(name); }

    std::unique_ptr<QTemporaryDir> m_folder;
    QString m_red;
    QString m_green;
};

void TestBatchImageExport::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestBatchImageExport::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    m_red = path("red.slf");
    m_green = path("green.slf");
    QVERIFY(writeFile(m_red, redPage()));
    QVERIFY(writeFile(m_green, greenPage()));
}

void TestBatchImageExport::writesThePageAsTheViewExportsIt()
{
    QString errors;
    QTextStream errorStream(&errors);
    QCOMPARE(BatchImageExport::run({m_red}, {path("red.png")}, false, errorStream),
             BatchImageExport::Succeeded);
    QCOMPARE(errors, QString());
    const QImage written(path("red.png"));
    QCOMPARE(written.size(), QSize(842, 595));
    QCOMPARE(written, viewExport(m_red, path("reference.png"), false));
    // Not a blank page.
    QCOMPARE(written.pixelColor(200, 175), QColor("#d02020"));
}

void TestBatchImageExport::pairsDocumentsAndImagesByOrder()
{
    QString errors;
    QTextStream errorStream(&errors);
    QCOMPARE(BatchImageExport::run({m_red, m_green}, {path("1.png"), path("2.jpg")}, false,
                                   errorStream),
             BatchImageExport::Succeeded);
    QCOMPARE(QImage(path("1.png")), viewExport(m_red, path("red.png"), false));
    QCOMPARE(QImage(path("2.jpg")), viewExport(m_green, path("green.jpg"), false));
    QCOMPARE(QImageReader(path("2.jpg")).format(), QByteArray("jpeg"));
}

void TestBatchImageExport::drawsThePaperBorderOnlyWhenAsked()
{
    QString errors;
    QTextStream errorStream(&errors);
    QCOMPARE(BatchImageExport::run({m_red}, {path("plain.png")}, false, errorStream),
             BatchImageExport::Succeeded);
    QCOMPARE(BatchImageExport::run({m_red}, {path("framed.png")}, true, errorStream),
             BatchImageExport::Succeeded);
    const QImage plain(path("plain.png"));
    const QImage framed(path("framed.png"));
    QVERIFY(differOnlyAtTheEdge(plain, framed, 2));
    QCOMPARE(framed, viewExport(m_red, path("reference.png"), true));
}

void TestBatchImageExport::reportsEachFailureAndGoesOn_data()
{
    QTest::addColumn<QString>("document");
    QTest::addColumn<QString>("image");
    QTest::addColumn<QString>("named");

    QTest::newRow("missing document") << "missing.slf" << "out.png" << "missing.slf";
    QTest::newRow("not a document") << "garbage.slf" << "out.png" << "garbage.slf";
    QTest::newRow("empty document file") << "empty.slf" << "out.png" << "empty.slf";
    // A plain file stands where the image's folder would have to be.
    QTest::newRow("image cannot be written") << "red.slf" << "blocker/out.png" << "blocker/out.png";
    // Read whole, it would fill the memory until the export aborts.
    QTest::newRow("link to /dev/zero") << "zero.slf" << "out.png" << "zero.slf";
    // Opened as a file is, it would wait for a writer for ever.
    QTest::newRow("FIFO") << "fifo.slf" << "out.png" << "fifo.slf";
    // Not PNG bytes under another format's name.
    QTest::newRow("image type not written") << "red.slf" << "out.gif" << "out.gif";
    QTest::newRow("image without a suffix") << "red.slf" << "outbmp" << "outbmp";
}

void TestBatchImageExport::reportsEachFailureAndGoesOn()
{
    QFETCH(QString, document);
    QFETCH(QString, image);
    QFETCH(QString, named);
    QVERIFY(writeFile(path("garbage.slf"), "<Storyloom><Document><Layer>"));
    QVERIFY(writeFile(path("empty.slf"), QByteArray()));
    QVERIFY(writeFile(path("blocker"), "a file, not a folder"));
    QVERIFY(QFile::link("/dev/zero", path("zero.slf")));
    FifoWatch fifo(path("fifo.slf"));
    QVERIFY(fifo.isMade());
    // An image from an earlier run: a failed load must leave it alone.
    const QByteArray earlier = "earlier image";
    QVERIFY(writeFile(path("out.png"), earlier));

    QString errors;
    QTextStream errorStream(&errors);
    const BatchImageExport::Result result = BatchImageExport::run(
        {path(document), m_green}, {path(image), path("next.png")}, false, errorStream);
    QCOMPARE(result, BatchImageExport::SomeFailed);
    const QStringList lines = errors.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.first().contains("\"" + path(named) + "\""), qPrintable(lines.first()));
    QCOMPARE(readFile(path("out.png")), earlier);
    if (image != "out.png")
        QVERIFY(!QFileInfo::exists(path(image)));
    QVERIFY2(!fifo.releasedAReader(), "the export waited for a writer");
    // The run went on with the next pair.
    QCOMPARE(QImage(path("next.png")), viewExport(m_green, path("green.png"), false));
}

// Pages are painted at once and written when ready, yet two pairs naming
// one image end as one pair after the other would: the later pair's page,
// however much longer the earlier one takes to paint.
void TestBatchImageExport::theLaterPairWinsARepeatedImage_data()
{
    QTest::addColumn<bool>("heavyFirst");
    QTest::newRow("heavy, then light") << true;
    QTest::newRow("light, then heavy") << false;
}

void TestBatchImageExport::theLaterPairWinsARepeatedImage()
{
    QFETCH(bool, heavyFirst);
    const QString heavy = path("heavy.slf");
    {
        SketchDocumentView view;
        generatedpage::fillLayer(view.document()->layers().first(), 3000, view.document()->paperSize());
        QVERIFY(view.document()->saveToFile(heavy));
    }
    QVERIFY(QDir(m_folder->path()).mkdir("sub"));
    const QStringList documents = heavyFirst ? QStringList{heavy, m_green} : QStringList{m_green, heavy};
    // One file, spelt two ways.
    const QStringList images{path("out.png"), path("sub/../out.png")};
    QString errors;
    QTextStream errorStream(&errors);
    QCOMPARE(BatchImageExport::run(documents, images, false, errorStream), BatchImageExport::Succeeded);
    QCOMPARE(errors, QString());
    QCOMPARE(QImage(path("out.png")), viewExport(documents.last(), path("reference.png"), false));
}

// More pairs than are painted at once, failures of both kinds among them:
// every image is the view's, and the lines come in the order of the pairs.
void TestBatchImageExport::manyPairsInFlightKeepTheirOrder()
{
    QVERIFY(writeFile(path("blocker"), "a file, not a folder"));
    QStringList documents;
    QStringList images;
    QStringList expected;
    for (int i = 0; i < 12; ++i) {
        const bool unreadable = i % 5 == 1;
        const bool unwritable = i % 5 == 3;
        documents << (unreadable ? path(QString("missing%1.slf").arg(i)) : (i % 2 ? m_red : m_green));
        images << (unwritable ? path(QString("blocker/%1.png").arg(i)) : path(QString("%1.png").arg(i)));
        if (unreadable)
            expected << documents.last();
        else if (unwritable)
            expected << images.last();
    }
    QString errors;
    QTextStream errorStream(&errors);
    QCOMPARE(BatchImageExport::run(documents, images, false, errorStream), BatchImageExport::SomeFailed);
    const QStringList lines = errors.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), expected.size());
    for (int i = 0; i < lines.size(); ++i)
        QVERIFY2(lines.at(i).contains("\"" + expected.at(i) + "\""), qPrintable(lines.at(i)));
    const QImage red = viewExport(m_red, path("red.png"), false);
    const QImage green = viewExport(m_green, path("green.png"), false);
    for (int i = 0; i < documents.size(); ++i) {
        if (i % 5 == 1 || i % 5 == 3)
            QVERIFY(!QFileInfo::exists(images.at(i)));
        else
            QCOMPARE(QImage(images.at(i)), i % 2 ? red : green);
    }
}

void TestBatchImageExport::drawsTheDefaultFamilyInItsStandIn()
{
    if (const char *absence = defaultFamilyStandInAbsence())
        QSKIP(absence);
    // One line of text in each family, the rest alike.
    QStringList documents;
    QStringList images;
    for (const char *family : {"Comic Sans MS", "Comic Neue", "DejaVu Sans"}) {
        SketchDocumentView view;
        SketchShape *box = addBox(view.currentLayer(), 100, 100, 500, 200);
        box->setText(QStringLiteral("Wobbly words"));
        QFont font{QString::fromLatin1(family)};
        font.setPixelSize(60);
        box->setFont(font);
        documents << path(QString("%1.slf").arg(family));
        images << path(QString("%1.png").arg(family));
        QVERIFY(view.saveFile(documents.last()));
    }
    QString errors;
    QTextStream errorStream(&errors);
    QCOMPARE(BatchImageExport::run(documents, images, false, errorStream), BatchImageExport::Succeeded);
    QVERIFY(defaultFamilyStandsIn());
    QCOMPARE(QImage(images.at(0)), QImage(images.at(1)));
    QVERIFY(QImage(images.at(1)) != QImage(images.at(2)));
}

QTEST_MAIN(TestBatchImageExport)
#include "tst_batchimageexport.moc"
