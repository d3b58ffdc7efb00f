// The slice export: image files beside the chosen file and the HTML page
// whose table reassembles them.
#include "editor/sketchdocumentview.h"
#include "model/sketchdocument.h"
#include "model/sketchslice.h"
#include "skin/windows/skinmessagebox.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QStandardPaths>
#include <QtTest>

namespace {

// One image cell of the page's table.
struct CellLine
{
    int columnSpan = 1;
    int rowSpan = 1;
    QString source;
    QSize size;
};

QList<CellLine> cellLines(const QString &page)
{
    static const QRegularExpression pattern(QStringLiteral(
        "<td(?: colspan='(\\d+)')?(?: rowspan='(\\d+)')?><img src='([^']*)' width='(\\d+)' height='(\\d+)' alt='' /></td>"));
    QList<CellLine> cells;
    QRegularExpressionMatchIterator it = pattern.globalMatch(page);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        CellLine cell;
        if (!match.captured(1).isEmpty())
            cell.columnSpan = match.captured(1).toInt();
        if (!match.captured(2).isEmpty())
            cell.rowSpan = match.captured(2).toInt();
        cell.source = match.captured(3);
        cell.size = QSize(match.captured(4).toInt(), match.captured(5).toInt());
        cells.append(cell);
    }
    return cells;
}

int sumOf(const QString &page, const QString &pattern)
{
    int sum = 0;
    QRegularExpressionMatchIterator it = QRegularExpression(pattern).globalMatch(page);
    while (it.hasNext())
        sum += it.next().captured(1).toInt();
    return sum;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestSliceExport : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup();

    void twoColumnPageMatchesTheGoldenText();
    void htmlSuffixIgnoresCase_data();
    void htmlSuffixIgnoresCase();
    void otherSuffixesWriteOnlyImages_data();
    void otherSuffixesWriteOnlyImages();
    void spansAreWrittenColspanFirst();
    void everyCellShowsItsOwnImage_data();
    void everyCellShowsItsOwnImage();
    void folderNameIsAPercentEncodedUrl_data();
    void folderNameIsAPercentEncodedUrl();
    void fileInTheFoldersPlaceWritesNothing();
    void staysInTheFoldersOwnPlace_data();
    void staysInTheFoldersOwnPlace();
    void failedWritesAreReported_data();
    void failedWritesAreReported();
    void emptyNameDoesNothing();

private:
    void addSlice(const QRect &rect)
    {
        auto *slice = new SketchSlice(m_view->document());
        slice->setRect(rect);
        m_view->document()->slices().append(slice);
    }
    QString path(const QString &name) const { return m_dir->filePath(name); }
    QStringList entries(const QString &folder) const
    {
        return QDir(path(folder)).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    }

    QTemporaryDir *m_dir = nullptr;
    int m_warnings = 0;
    SketchDocumentView *m_view = nullptr;
};

void TestSliceExport::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    m_view = new SketchDocumentView;
    // A failed export tells the user in a box; answer it and count it.
    m_warnings = 0;
    SkinMessageBox::setAnswerHook([this](SkinMessageBox *) {
        ++m_warnings;
        return 1;
    });
}

void TestSliceExport::cleanup()
{
    SkinMessageBox::setAnswerHook(SkinMessageBox::AnswerHook());
    delete m_view;
    m_view = nullptr;
    delete m_dir;
    m_dir = nullptr;
}

void TestSliceExport::twoColumnPageMatchesTheGoldenText()
{
    addSlice(QRect(0, 0, 400, 595));
    m_view->document()->updateSliceGrid();
    QSignalSpy failed(m_view, &SketchDocumentView::imageExportFailed);
    m_view->exportToSliceImages(path(QStringLiteral("page.html")));

    const QByteArray golden =
        "<html>\r\n"
        "  <head>\r\n"
        "    <title>Slice</title>\r\n"
        "    <meta http-equiv='Content-Type' content='text/html; charset=utf-8'>\r\n"
        "  </head>\r\n"
        "  <body bgcolor='#FFFFFF' leftmargin='0' topmargin='0' marginwidth='0' marginheight='0'>\r\n"
        "    <!-- Export by Storyloom -->\r\n"
        "    <table id='__01' width='842' height='595' border='0' cellpadding='0' cellspacing='0'>\r\n"
        "      <tr height='595'>\r\n"
        "        <td><img src='page/Slice_1.png' width='400' height='595' alt='' /></td>\r\n"
        "        <td><img src='page/Slice_2.png' width='442' height='595' alt='' /></td>\r\n"
        "      </tr>\r\n"
        "      <tr height='0'>\r\n"
        "        <td width='400'></td>\r\n"
        "        <td width='442'></td>\r\n"
        "      </tr>\r\n"
        "    </table>\r\n"
        "  </body>\r\n"
        "</html>";
    QCOMPARE(readAll(path(QStringLiteral("page.html"))), golden);
    QCOMPARE(entries(QStringLiteral("page")), (QStringList{"Slice_1.png", "Slice_2.png"}));
    QImageReader first(path(QStringLiteral("page/Slice_1.png")));
    QCOMPARE(first.format(), QByteArray("png"));
    QCOMPARE(first.size(), QSize(400, 595));
    QCOMPARE(QImageReader(path(QStringLiteral("page/Slice_2.png"))).size(), QSize(442, 595));
    QCOMPARE(failed.count(), 0);
    QCOMPARE(m_warnings, 0);
    // Exporting records nothing.
    QVERIFY(!m_view->isModified());
}

void TestSliceExport::htmlSuffixIgnoresCase_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("HTML") << "page.HTML";
    QTest::newRow("htm") << "page.htm";
}

void TestSliceExport::htmlSuffixIgnoresCase()
{
    QFETCH(QString, name);
    addSlice(QRect(0, 0, 400, 595));
    m_view->exportToSliceImages(path(name));
    const QByteArray page = readAll(path(name));
    QVERIFY(page.startsWith("<html>\r\n"));
    QVERIFY(page.endsWith("</html>"));
    QVERIFY(page.contains("<img src='page/Slice_2.png'"));
    QCOMPARE(entries(QStringLiteral("page")), (QStringList{"Slice_1.png", "Slice_2.png"}));
    QCOMPARE(QImageReader(path(QStringLiteral("page/Slice_1.png"))).format(), QByteArray("png"));
}

void TestSliceExport::otherSuffixesWriteOnlyImages_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("format");
    QTest::newRow("jpg") << "page.jpg" << QByteArray("jpeg");
    QTest::newRow("bmp") << "page.bmp" << QByteArray("bmp");
    QTest::newRow("unknown suffix gives PNG data") << "page.gif" << QByteArray("png");
}

void TestSliceExport::otherSuffixesWriteOnlyImages()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, format);
    addSlice(QRect(0, 0, 400, 595));
    m_view->exportToSliceImages(path(name));
    QVERIFY(!QFile::exists(path(name)));
    const QString suffix = QFileInfo(name).suffix();
    QCOMPARE(entries(QStringLiteral("page")),
             (QStringList{"Slice_1." + suffix, "Slice_2." + suffix}));
    QImageReader reader(path("page/Slice_2." + suffix));
    reader.setDecideFormatFromContent(true);
    QCOMPARE(reader.format(), format);
    QCOMPARE(reader.size(), QSize(442, 595));
    QCOMPARE(entries(QString()), (QStringList{"page"}));
}

void TestSliceExport::spansAreWrittenColspanFirst()
{
    // The slice at the top left spans the columns cut by the second slice's
    // edges and the rows cut by the third's.
    addSlice(QRect(0, 0, 400, 200));
    addSlice(QRect(200, 300, 100, 100));
    addSlice(QRect(600, 100, 100, 50));
    m_view->document()->updateSliceGrid();
    m_view->exportToSliceImages(path(QStringLiteral("page.html")));
    const QString page = QString::fromUtf8(readAll(path(QStringLiteral("page.html"))));
    QVERIFY2(page.contains(QStringLiteral("\r\n        <td colspan='3' rowspan='3'><img src='page/Slice_1.png' "
                                          "width='400' height='200' alt='' /></td>\r\n")),
             qPrintable(page));
    const QList<CellLine> cells = cellLines(page);
    QCOMPARE(cells.size(), m_view->document()->slices().size() + m_view->document()->autoSlices().size());
}

void TestSliceExport::everyCellShowsItsOwnImage_data()
{
    QTest::addColumn<QList<QRect>>("slices");
    QTest::newRow("no slice: the whole page") << QList<QRect>{};
    QTest::newRow("one in the middle") << QList<QRect>{{300, 200, 200, 100}};
    QTest::newRow("side by side with free space below")
        << QList<QRect>{{100, 100, 100, 100}, {200, 100, 100, 100}};
    QTest::newRow("the whole paper") << QList<QRect>{{0, 0, 842, 595}};
    // As a file may hold them: overlapping, sticking out, wholly off the
    // paper, negative and empty.
    QTest::newRow("overlapping") << QList<QRect>{{0, 0, 300, 300}, {100, 100, 300, 300}, {50, 50, 100, 100}};
    QTest::newRow("off the paper")
        << QList<QRect>{{800, 500, 200, 200}, {-50, -50, 100, 100}, {2000, 2000, 50, 50}, {400, 0, 100, 700}};
    QTest::newRow("empty") << QList<QRect>{{100, 100, 0, 50}, {300, 300, 100, 0}};
    QTest::newRow("empty beside a real one") << QList<QRect>{{100, 100, 0, 50}, {300, 300, 100, 100}};
}

void TestSliceExport::everyCellShowsItsOwnImage()
{
    QFETCH(QList<QRect>, slices);
    for (const QRect &rect : slices)
        addSlice(rect);
    // Without a grid the export builds one.
    QVERIFY(!m_view->document()->sliceGrid());
    QSignalSpy failed(m_view, &SketchDocumentView::imageExportFailed);
    m_view->exportToSliceImages(path(QStringLiteral("page.html")));
    QCOMPARE(failed.count(), 0);
    QCOMPARE(m_warnings, 0);
    QVERIFY(m_view->document()->sliceGrid());

    const QString page = QString::fromUtf8(readAll(path(QStringLiteral("page.html"))));
    const QList<CellLine> cells = cellLines(page);
    QVERIFY(!cells.isEmpty());
    int area = 0;
    for (int k = 0; k < cells.size(); ++k) {
        const CellLine &cell = cells.at(k);
        QCOMPARE(cell.source, QStringLiteral("page/Slice_%1.png").arg(k + 1));
        QImage image(path(cell.source));
        QVERIFY2(!image.isNull(), qPrintable(cell.source));
        QCOMPARE(image.size(), cell.size);
        area += cell.size.width() * cell.size.height();
    }
    // The table covers the paper exactly, once.
    QCOMPARE(area, 842 * 595);
    QCOMPARE(sumOf(page, QStringLiteral("<td width='(\\d+)'></td>")), 842);
    QCOMPARE(sumOf(page, QStringLiteral("<tr height='(\\d+)'>")), 595);
    QVERIFY(page.contains(QStringLiteral("width='842' height='595'")));
}

void TestSliceExport::folderNameIsAPercentEncodedUrl_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("source");
    QTest::newRow("apostrophe and space") << "Bob's page.html" << "Bob%27s%20page/Slice_1.png";
    QTest::newRow("ordinary name") << "my-page_2.html" << "my-page_2/Slice_1.png";
    QTest::newRow("dotted name") << "page.v2.html" << "page.v2/Slice_1.png";
    QTest::newRow("no base name") << ".html" << "Slice_1.png";
}

void TestSliceExport::folderNameIsAPercentEncodedUrl()
{
    QFETCH(QString, name);
    QFETCH(QString, source);
    addSlice(QRect(0, 0, 400, 595));
    m_view->exportToSliceImages(path(name));
    const QString page = QString::fromUtf8(readAll(path(name)));
    const QList<CellLine> cells = cellLines(page);
    QCOMPARE(cells.size(), 2);
    QCOMPARE(cells.first().source, source);
    // The URL leads to the image, relative to the page.
    const QString image = QUrl(QUrl::fromLocalFile(path(name))).resolved(QUrl(source)).toLocalFile();
    QCOMPARE(QImage(image).size(), QSize(400, 595));
}

void TestSliceExport::fileInTheFoldersPlaceWritesNothing()
{
    addSlice(QRect(0, 0, 400, 595));
    QFile blocker(path(QStringLiteral("page")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.write("keep");
    blocker.close();
    QSignalSpy failed(m_view, &SketchDocumentView::imageExportFailed);

    m_view->exportToSliceImages(path(QStringLiteral("page.html")));
    QCOMPARE(failed.count(), 1);
    QCOMPARE(m_warnings, 1);
    QCOMPARE(entries(QString()), QStringList{"page"});
    QCOMPARE(readAll(path(QStringLiteral("page"))), QByteArray("keep"));
}

void TestSliceExport::staysInTheFoldersOwnPlace_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("failures");
    // A backslash is a letter of the name here, not a way into "../sib".
    QTest::newRow("backslash in the name") << "in/..\\sib.png" << QStringList{"in"} << 0;
    // ".." as the base name would fill the folder above the page's.
    QTest::newRow("dots as the base name") << "in/...png" << QStringList{"in"} << 1;
}

void TestSliceExport::staysInTheFoldersOwnPlace()
{
    QFETCH(QString, name);
    QFETCH(QStringList, entries);
    QFETCH(int, failures);
    addSlice(QRect(0, 0, 400, 595));
    QVERIFY(QDir().mkdir(path(QStringLiteral("in"))));
    QSignalSpy failed(m_view, &SketchDocumentView::imageExportFailed);

    m_view->exportToSliceImages(path(name));
    QCOMPARE(failed.count(), failures);
    QCOMPARE(this->entries(QString()), entries);
    if (failures == 0) {
        // The folder's name begins with a dot: hidden from entries().
        QVERIFY(QFileInfo(path(QStringLiteral("in/..\\sib"))).isDir());
        QVERIFY(this->entries(QStringLiteral("in/..\\sib")).contains(QStringLiteral("Slice_1.png")));
    } else {
        QCOMPARE(this->entries(QStringLiteral("in")), QStringList());
    }
}

void TestSliceExport::failedWritesAreReported_data()
{
    QTest::addColumn<QString>("blocked");
    QTest::addColumn<QStringList>("written");
    QTest::newRow("an image") << "page/Slice_1.png" << QStringList{"page.html", "page/Slice_2.png"};
    QTest::newRow("the page") << "page.html" << QStringList{"page/Slice_1.png", "page/Slice_2.png"};
}

void TestSliceExport::failedWritesAreReported()
{
    QFETCH(QString, blocked);
    QFETCH(QStringList, written);
    addSlice(QRect(0, 0, 400, 595));
    // A folder where the file should go cannot be written over.
    QVERIFY(QDir().mkpath(path(blocked)));
    QSignalSpy failed(m_view, &SketchDocumentView::imageExportFailed);
    m_view->exportToSliceImages(path(QStringLiteral("page.html")));
    QCOMPARE(failed.count(), 1);
    QCOMPARE(m_warnings, 1);
    QCOMPARE(QDir::cleanPath(failed.first().first().toString()), path(blocked));
    // Everything else is written all the same.
    for (const QString &name : written)
        QVERIFY2(QFileInfo(path(name)).isFile(), qPrintable(name));
}

void TestSliceExport::emptyNameDoesNothing()
{
    addSlice(QRect(0, 0, 400, 595));
    QSignalSpy failed(m_view, &SketchDocumentView::imageExportFailed);
    m_view->exportToSliceImages(QString());
    QCOMPARE(failed.count(), 0);
    QCOMPARE(m_warnings, 0);
    QVERIFY(!m_view->document()->sliceGrid());
}

QTEST_MAIN(TestSliceExport)
#include "tst_sliceexport.moc"
