// The document file: the Document element, saving, loading, failures that
// must leave the document untouched, and byte-stable output.
#include "support/childwait.h"
#include "support/documents.h"
#include "support/fifowatch.h"
#include "support/filesizelimit.h"
#include "support/livecounts.h"
#include "support/pixels.h"
#include "support/shapes.h"
#include "support/xmltext.h"

#include "bench/generatedpage.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QTemporaryDir>
#include <QStandardPaths>
#include <QtTest>

#include <memory>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// Set in a child run of this program: save the rich document there and exit.
const char *const WriteRichDocumentVariable = "LOOMDRAW_WRITE_RICH_DOCUMENT";

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Wraps a Document element's text in a file.
QByteArray documentFile(const QByteArray &documentElement)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Storyloom>\n" + documentElement + "\n</Storyloom>\n";
}

// The same elements with the same attributes and child elements, in order.
bool sameTree(const QDomElement &a, const QDomElement &b, QString *where)
{
    if (a.tagName() != b.tagName()) {
        *where = a.tagName() + " / " + b.tagName();
        return false;
    }
    QMap<QString, QString> attributesA;
    QMap<QString, QString> attributesB;
    for (int i = 0; i < a.attributes().count(); ++i)
        attributesA.insert(a.attributes().item(i).nodeName(), a.attributes().item(i).nodeValue());
    for (int i = 0; i < b.attributes().count(); ++i)
        attributesB.insert(b.attributes().item(i).nodeName(), b.attributes().item(i).nodeValue());
    if (attributesA != attributesB) {
        *where = "attributes of " + a.tagName();
        return false;
    }
    QDomElement x = a.firstChildElement();
    QDomElement y = b.firstChildElement();
    for (; !x.isNull() && !y.isNull(); x = x.nextSiblingElement(), y = y.nextSiblingElement()) {
        if (!sameTree(x, y, where))
            return false;
    }
    if (x.isNull() != y.isNull()) {
        *where = "children of " + a.tagName();
        return false;
    }
    return true;
}

int saveRichDocument(const QString &path)
{
    SketchDocumentView view;
    fillRichDocument(view.document());
    return view.document()->saveToFile(path) ? 0 : 1;
}

} // namespace

class TestDocumentFile : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup();

    void newDocumentSavesMinimalText();
    void paperSizeWrittenOnlyWhenNotDefault();
    void documentElementRoundTrip();
    void readDefaults_data();
    void readDefaults();
    void layersAndSlicesInFileOrder();
    void richDocumentSavesReloadsAndSavesTheSame();
    void savedTextIsTheSameInEveryRun();
    void fileTextIsTheDocumentElement();
    void fileReadsAsTheDocumentElement();
    void prologAndTrailingContent_data();
    void prologAndTrailingContent();
    void textsSurviveTheFile();
    void unwritableCharactersAreLeftOut();
    void loadReplacesContentAndBuildsGrid();
    void loadAcceptsAnyRootAndLineEnds();
    void failedLoadChangesNothing_data();
    void failedLoadChangesNothing();
    void deeplyNestedFileLoads();
    void saveIntoImpossiblePathFails();
    void failedWriteKeepsOldFile();
    void saveKeepsTheOwnerOfAnotherUsersFile();
    void pagesLookTheSameAfterSaveAndLoad_data();
    void pagesLookTheSameAfterSaveAndLoad();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    SketchDocumentView *m_view = nullptr;
    SketchDocument *m_document = nullptr;
    LiveCounts m_counts;
};

void TestDocumentFile::init()
{
    QVERIFY(m_dir.isValid());
    m_counts = LiveCounts();
    m_view = new SketchDocumentView;
    m_document = m_view->document();
}

void TestDocumentFile::cleanup()
{
    delete m_view;
    m_view = nullptr;
    m_document = nullptr;
    const LiveCounts now;
    QVERIFY2(now == m_counts, qPrintable(describe(now) + " after, " + describe(m_counts) + " before"));
}

void TestDocumentFile::newDocumentSavesMinimalText()
{
    QVERIFY(m_document->saveToFile(path("new.slf")));
    QCOMPARE(readFile(path("new.slf")), QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                                   "<Storyloom>\n"
                                                   "    <Document>\n"
                                                   "        <Layer Name=\"Layer1\"/>\n"
                                                   "    </Document>\n"
                                                   "</Storyloom>\n"));
    QCOMPARE(m_document->toFileText(), readFile(path("new.slf")));
}

void TestDocumentFile::paperSizeWrittenOnlyWhenNotDefault()
{
    m_document->setPaperSize(QSize(595, 842));
    QVERIFY(m_document->toFileText().contains("<Document PaperSize=\"595,842\">"));
    m_document->setPaperSize(QSize(842, 595));
    QVERIFY(!m_document->toFileText().contains("PaperSize"));
}

void TestDocumentFile::documentElementRoundTrip()
{
    m_document->setPaperSize(QSize(300, 200));
    m_document->setPaperColor(SkinBrush(QColor(Qt::yellow)));
    m_document->setPaperBorder(SketchStroke(Qt::red, 5, SketchStrokeRound));
    m_document->setWorkId("id");
    m_document->setWorkTitle("title");
    m_document->setWorkTags("a,b");
    addSlice(m_document, QRect(10, 20, 30, 40));
    QVERIFY(m_document->saveToFile(path("paper.slf")));

    SketchDocumentView other;
    QVERIFY(other.document()->loadFromFile(path("paper.slf")));
    SketchDocument *read = other.document();
    QCOMPARE(read->paperSize(), QSize(300, 200));
    QCOMPARE(read->paperColor(), SkinBrush(QColor(Qt::yellow)));
    QCOMPARE(read->paperBorder(), SketchStroke(Qt::red, 5, SketchStrokeRound));
    QCOMPARE(read->workId(), QString("id"));
    QCOMPARE(read->workTitle(), QString("title"));
    QCOMPARE(read->workTags(), QString("a,b"));
    QCOMPARE(read->slices().size(), 1);
    QCOMPARE(read->slices().first()->rect(), QRect(10, 20, 30, 40));
    QCOMPARE(read->slices().first()->document(), read);
    QVERIFY(read->autoSlices().size() > 0);
    // Automatic slices are never written.
    QCOMPARE(read->toFileText().count("<Slice "), 1);
}

void TestDocumentFile::readDefaults_data()
{
    QTest::addColumn<QByteArray>("element");
    QTest::addColumn<QSize>("paperSize");
    QTest::addColumn<QRect>("sliceRect");

    QTest::newRow("one-part size") << QByteArray("<Document PaperSize=\"100\"><Slice/></Document>") << QSize(842, 595)
                                   << QRect(0, 0, 0, 0);
    QTest::newRow("three-part size") << QByteArray("<Document PaperSize=\"1,2,3\"><Slice Rect=\"1,2,3\"/></Document>")
                                     << QSize(842, 595) << QRect(0, 0, 0, 0);
    QTest::newRow("number garbage") << QByteArray("<Document PaperSize=\"x,200\"><Slice Rect=\"5,6,7,8,9\"/></Document>")
                                    << QSize(0, 200) << QRect(0, 0, 0, 0);
    QTest::newRow("good") << QByteArray("<Document PaperSize=\"100,50\"><Slice Rect=\"5,6,7,8\"/></Document>")
                          << QSize(100, 50) << QRect(5, 6, 7, 8);
}

void TestDocumentFile::readDefaults()
{
    QFETCH(QByteArray, element);
    QFETCH(QSize, paperSize);
    QFETCH(QRect, sliceRect);
    QVERIFY(writeFile(path("defaults.slf"), documentFile(element)));
    QVERIFY(m_document->loadFromFile(path("defaults.slf")));
    QCOMPARE(m_document->paperSize(), paperSize);
    QCOMPARE(m_document->slices().size(), 1);
    QCOMPARE(m_document->slices().first()->rect(), sliceRect);
    QCOMPARE(m_document->paperColor(), SkinBrush::whiteBrush());
    QCOMPARE(m_document->paperBorder(), SketchStroke(Qt::black, 1, SketchStrokeSquare));
    QCOMPARE(m_document->workTitle(), QString());
    // No layer in the file gives the default layer.
    QCOMPARE(m_document->layers().size(), 1);
    QCOMPARE(m_document->layers().first()->name(), QString("Layer1"));
}

void TestDocumentFile::layersAndSlicesInFileOrder()
{
    QVERIFY(writeFile(path("order.slf"),
                      documentFile("<Document><Layer Name=\"A\"><Shape Points=\"0,0;1,1\"/></Layer>"
                                   "<Slice Rect=\"0,0,10,10\"/><Unknown/><Layer Name=\"B\" Visible=\"0\"/>"
                                   "<Slice Rect=\"20,0,10,10\"/><PaperColor Type=\"0\"/></Document>")));
    QVERIFY(m_document->loadFromFile(path("order.slf")));
    QCOMPARE(m_document->layers().size(), 2);
    QCOMPARE(m_document->layers().at(0)->name(), QString("A"));
    QCOMPARE(m_document->layers().at(0)->shapes().size(), 1);
    QCOMPARE(m_document->layers().at(1)->name(), QString("B"));
    QVERIFY(!m_document->layers().at(1)->isVisible());
    QCOMPARE(m_document->slices().size(), 2);
    QCOMPARE(m_document->slices().at(1)->x(), 20);
    QCOMPARE(m_document->layers().at(0)->parent(), m_document);
}

void TestDocumentFile::richDocumentSavesReloadsAndSavesTheSame()
{
    fillRichDocument(m_document);
    QVERIFY(m_document->saveToFile(path("rich.slf")));
    const QByteArray first = readFile(path("rich.slf"));
    QVERIFY(first.contains("<Frames"));
    QVERIFY(first.contains("<Group"));
    QVERIFY(first.contains("Type=\"4\""));

    SketchDocumentView other;
    QVERIFY(other.document()->loadFromFile(path("rich.slf")));
    QVERIFY(other.document()->saveToFile(path("rich2.slf")));
    const QByteArray second = readFile(path("rich2.slf"));
    if (first != second) {
        const QList<QByteArray> a = first.split('\n');
        const QList<QByteArray> b = second.split('\n');
        for (int i = 0; i < qMin(a.size(), b.size()); ++i)
            QVERIFY2(a.at(i) == b.at(i), qPrintable("line " + QString::number(i + 1) + "\n" + a.at(i) + "\n" + b.at(i)));
    }
    QCOMPARE(second, first);

    // The structure survives: three layers, the three-level group, slices.
    SketchDocument *read = other.document();
    QCOMPARE(read->layers().size(), 3);
    QVERIFY(!read->layers().at(1)->isVisible());
    QVERIFY(read->layers().at(2)->isLocked());
    QCOMPARE(read->slices().size(), 4);
    SketchShape *top = read->layers().first()->shapes().last();
    QVERIFY(top->isGroup());
    QCOMPARE(top->rotateAngle(), 0.05f);
    SketchGroup *level2 = static_cast<SketchGroup *>(static_cast<SketchGroup *>(top)->shapes().first());
    QVERIFY(level2->isGroup());
    QCOMPARE(level2->frames().size(), 1);
    QVERIFY(level2->shapes().first()->isGroup());
    QCOMPARE(read->shapeCount(), m_document->shapeCount());
}

// The same document gives the same bytes in other runs of the program, whose
// hash seeds differ.
void TestDocumentFile::savedTextIsTheSameInEveryRun()
{
    fillRichDocument(m_document);
    const QByteArray here = m_document->toFileText();
    QString where;
    QVERIFY2(attributesInNameOrder(QString::fromUtf8(here), &where), qPrintable(where));

    for (const char *seed : {"0", "1", "2", "12345"}) {
        const QString target = path(QStringLiteral("run%1.slf").arg(seed));
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(WriteRichDocumentVariable, target);
        environment.insert("QT_HASH_SEED", seed);
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(), QStringList());
        QVERIFY(child.waitForFinished(childWaitMilliseconds));
        const QByteArray output = child.readAll();
        QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0, output.constData());
        QCOMPARE(readFile(target), here);
    }
}

// The file is written element by element; it holds exactly what writeXml
// gives.
void TestDocumentFile::fileTextIsTheDocumentElement()
{
    fillRichDocument(m_document);
    QDomDocument written;
    QDomElement root = written.createElement("Storyloom");
    written.appendChild(root);
    QDomElement element = written.createElement("Document");
    root.appendChild(element);
    m_document->writeXml(element);

    QDomDocument saved;
    QVERIFY(saved.setContent(m_document->toFileText()));
    QString where;
    QVERIFY2(sameTree(saved.documentElement(), root, &where), qPrintable(where));

    SketchDocument empty(nullptr);
    empty.clearLayers();
    QVERIFY(empty.toFileText().contains("    <Document/>\n"));
}

// Loading a file gives what reading its Document element gives.
void TestDocumentFile::fileReadsAsTheDocumentElement()
{
    fillRichDocument(m_document);
    QVERIFY(m_document->saveToFile(path("same.slf")));
    SketchDocumentView loaded;
    QVERIFY(loaded.document()->loadFromFile(path("same.slf")));

    QDomDocument dom;
    QVERIFY(dom.setContent(readFile(path("same.slf"))));
    SketchDocumentView read;
    read.document()->readXml(dom.documentElement().firstChildElement("Document"));
    QCOMPARE(loaded.document()->toFileText(), read.document()->toFileText());
    QCOMPARE(loaded.document()->shapeCount(), m_document->shapeCount());
    for (SketchLayer *layer : loaded.document()->layers()) {
        QCOMPARE(layer->parent(), loaded.document());
        QCOMPARE(layer->document(), loaded.document());
        for (SketchShape *shape : layer->shapes())
            QCOMPARE(shape->layer(), layer);
    }
}

void TestDocumentFile::prologAndTrailingContent_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("loads");

    const QByteArray body = "<Document WorkId=\"w\"><Layer Name=\"A\"/></Document>";
    QTest::newRow("comment and instruction before the root")
        << "<?xml version=\"1.0\"?><!-- page --><?app data?><Storyloom>" + body + "</Storyloom>" << true;
    QTest::newRow("doctype") << "<!DOCTYPE Storyloom><Storyloom>" + body + "</Storyloom>" << true;
    QTest::newRow("more after the document") << "<Storyloom>" + body + "<Other/><!-- c --></Storyloom>" << true;
    QTest::newRow("prefixed names") << QByteArray("<s:Storyloom><Document x:WorkId=\"w\"><Layer Name=\"A\">"
                                                  "<Shape p:q=\"1\" Points=\"0,0;1,1\"/></Layer></Document>"
                                                  "</s:Storyloom>")
                                    << true;
    QTest::newRow("broken after the document") << "<Storyloom>" + body + "<Other></Storyloom>" << false;
    QTest::newRow("second root") << "<Storyloom>" + body + "</Storyloom><Storyloom/>" << false;
    QTest::newRow("broken inside a shape")
        << QByteArray("<Storyloom><Document><Layer><Shape Points=\"0,0;1,1\"><Fill></Shape></Layer></Document>"
                      "</Storyloom>")
        << false;
    QTest::newRow("undeclared entity") << "<Storyloom>" + body + "&nothing;</Storyloom>" << false;
    QTest::newRow("cdata first") << "<Storyloom><![CDATA[ ]]>" + body + "</Storyloom>" << false;
}

void TestDocumentFile::prologAndTrailingContent()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, loads);
    QVERIFY(writeFile(path("prolog.slf"), content));
    const LiveCounts counts;
    QCOMPARE(m_document->loadFromFile(path("prolog.slf")), loads);
    QCOMPARE(m_document->layers().first()->name(), QString(loads ? "A" : "Layer1"));
    if (!loads)
        QVERIFY(LiveCounts() == counts);
}

void TestDocumentFile::textsSurviveTheFile()
{
    const QString text = QString::fromUtf8("line one\nline two\r\n\ttab <tag> & \"quotes\" 'single' ]]> \xe2\x82\xac \xf0\x9f\x8e\xa8");
    SketchShape *shape = makeBox(m_document->layers().first(), QRectF(0, 0, 10, 10));
    shape->setText(text);
    shape->setName("a\"b");
    m_document->layers().first()->setName("<Ink & Tone>");
    m_document->setWorkTitle(text);
    QVERIFY(m_document->saveToFile(path("texts.slf")));

    SketchDocumentView other;
    QVERIFY(other.document()->loadFromFile(path("texts.slf")));
    QCOMPARE(other.document()->layers().first()->shapes().first()->text(), text);
    QCOMPARE(other.document()->layers().first()->shapes().first()->name(), QString("a\"b"));
    QCOMPARE(other.document()->layers().first()->name(), QString("<Ink & Tone>"));
    QCOMPARE(other.document()->workTitle(), text);
}

void TestDocumentFile::unwritableCharactersAreLeftOut()
{
    SketchShape *shape = makeBox(m_document->layers().first(), QRectF(0, 0, 10, 10));
    QString text = QStringLiteral("a");
    text += QChar(0x01);
    text += QStringLiteral("b");
    text += QChar(0xD800);
    text += QStringLiteral("c");
    text += QChar(0xFFFF);
    shape->setText(text);
    QVERIFY(m_document->saveToFile(path("control.slf")));
    SketchDocumentView other;
    QVERIFY(other.document()->loadFromFile(path("control.slf")));
    QCOMPARE(other.document()->layers().first()->shapes().first()->text(), QString("abc"));
}

void TestDocumentFile::loadReplacesContentAndBuildsGrid()
{
    QPointer<SketchLayer> oldLayer = m_document->layers().first();
    QPointer<SketchShape> oldShape = makeBox(oldLayer, QRectF(0, 0, 5, 5));
    QPointer<SketchSlice> oldSlice = addSlice(m_document, QRect(0, 0, 10, 10));
    QVERIFY(!m_document->sliceGrid());

    QVERIFY(writeFile(path("replace.slf"), documentFile("<Document PaperSize=\"200,100\"><Slice Rect=\"50,25,100,50\"/>"
                                                        "<Layer Name=\"L\"/></Document>")));
    QVERIFY(m_document->loadFromFile(path("replace.slf")));
    QVERIFY(!oldLayer);
    QVERIFY(!oldShape);
    QVERIFY(!oldSlice);
    QVERIFY(m_document->sliceGrid());
    QCOMPARE(m_document->sliceGrid()->columns().size(), 3);
    QCOMPARE(m_document->autoSlices().size(), 4);
    QCOMPARE(m_document->slices().first()->number(), 2);
}

void TestDocumentFile::loadAcceptsAnyRootAndLineEnds()
{
    QVERIFY(writeFile(path("root.slf"), "<?xml version=\"1.0\"?>\r\n<Other>\r\n  <Document WorkId=\"x\">\r\n"
                                        "    <Layer Name=\"L1\"/>\r\n  </Document>\r\n</Other>\r\n"));
    QVERIFY(m_document->loadFromFile(path("root.slf")));
    QCOMPARE(m_document->workId(), QString("x"));
    QCOMPARE(m_document->layers().first()->name(), QString("L1"));
}

void TestDocumentFile::failedLoadChangesNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");

    const QByteArray good = documentFile("<Document><Layer Name=\"X\"/></Document>");
    QTest::newRow("missing file") << "missing.slf" << QByteArray();
    QTest::newRow("folder") << "folder.slf" << QByteArray();
    QTest::newRow("empty") << "empty.slf" << QByteArray("");
    QTest::newRow("truncated") << "truncated.slf" << good.left(good.size() - 20);
    QTest::newRow("not xml") << "garbage.slf" << QByteArray("\x89PNG\r\n\x1a\n\0\0\0", 12);
    QTest::newRow("comment first") << "comment.slf"
                                   << documentFile("<!-- saved --><Document><Layer Name=\"X\"/></Document>");
    QTest::newRow("layer first") << "layer.slf" << documentFile("<Layer Name=\"X\"/><Document/>");
    QTest::newRow("empty root") << "emptyroot.slf" << QByteArray("<Storyloom/>");
    QTest::newRow("text first") << "text.slf" << QByteArray("<Storyloom>text<Document/></Storyloom>");
    QTest::newRow("document root") << "root.slf" << QByteArray("<Document><Layer Name=\"X\"/></Document>");
    // None of these is read at all: endless, waiting for a writer, too large.
    QTest::newRow("link to /dev/zero") << "zero.slf" << QByteArray();
    QTest::newRow("FIFO") << "fifo.slf" << QByteArray();
    QTest::newRow("over the size bound") << "large.slf" << good;
}

void TestDocumentFile::failedLoadChangesNothing()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    const QString file = path(name);
    std::unique_ptr<FifoWatch> fifo;
    if (name == "folder.slf") {
        QVERIFY(QDir(m_dir.path()).mkpath(name));
    } else if (name == "zero.slf") {
        QVERIFY(QFile::link("/dev/zero", file));
    } else if (name == "fifo.slf") {
        fifo = std::make_unique<FifoWatch>(file);
        QVERIFY(fifo->isMade());
    } else if (name == "large.slf") {
        // Sparse: a good document, then holes up to one byte past the bound.
        QVERIFY(writeFile(file, content));
        QVERIFY(QFile(file).resize(SketchDocument::MaximumFileSize + 1));
    } else if (name != "missing.slf") {
        QVERIFY(writeFile(file, content));
    }

    fillRichDocument(m_document);
    m_document->updateSliceGrid();
    const QByteArray before = m_document->toFileText();
    const QList<SketchLayer *> layers = m_document->layers();
    const QList<SketchSlice *> slices = m_document->slices();
    const QList<SketchSlice *> autoSlices = m_document->autoSlices();
    SketchSliceGrid *grid = m_document->sliceGrid();
    const LiveCounts counts;

    QVERIFY(!m_document->loadFromFile(file));
    QCOMPARE(m_document->toFileText(), before);
    QCOMPARE(m_document->layers(), layers);
    QCOMPARE(m_document->slices(), slices);
    QCOMPARE(m_document->autoSlices(), autoSlices);
    QCOMPARE(m_document->sliceGrid(), grid);
    QVERIFY2(LiveCounts() == counts, qPrintable(describe(LiveCounts()) + " / " + describe(counts)));

    // A fresh document stays a fresh document.
    SketchDocumentView fresh;
    const QByteArray freshText = fresh.document()->toFileText();
    QVERIFY(!fresh.document()->loadFromFile(file));
    QCOMPARE(fresh.document()->toFileText(), freshText);
    QVERIFY2(!fifo || !fifo->releasedAReader(), "the load waited for a writer");
}

void TestDocumentFile::deeplyNestedFileLoads()
{
    QByteArray element = "<Document><Layer Name=\"Deep\">";
    for (int i = 0; i < 200; ++i)
        element += "<Group Points=\"0,0,0,1;10,0,0,1;10,10;0,10,0,1\">";
    element += "<Shape Points=\"0,0;5,5\"/>";
    for (int i = 0; i < 200; ++i)
        element += "</Group>";
    element += "</Layer></Document>";
    QVERIFY(writeFile(path("deep.slf"), documentFile(element)));
    QVERIFY(m_document->loadFromFile(path("deep.slf")));

    int levels = 0;
    SketchShape *shape = m_document->layers().first()->shapes().value(0);
    while (shape && shape->isGroup()) {
        ++levels;
        shape = static_cast<SketchGroup *>(shape)->shapes().value(0);
    }
    QCOMPARE(levels, 65);
    QVERIFY(m_document->saveToFile(path("deep2.slf")));
    QVERIFY(m_document->renderToPixmap(true, "PNG").width() > 0);
}

void TestDocumentFile::saveIntoImpossiblePathFails()
{
    QVERIFY(writeFile(path("plain"), "not a folder"));
    QVERIFY(!m_document->saveToFile(path("plain/inside.slf")));
    QCOMPARE(readFile(path("plain")), QByteArray("not a folder"));
    QVERIFY(!m_document->saveToFile(QString()));

    // A folder in the way of the file is left alone.
    QVERIFY(QDir(m_dir.path()).mkpath("taken.slf"));
    QVERIFY(!m_document->saveToFile(path("taken.slf")));
    QVERIFY(QFileInfo(path("taken.slf")).isDir());
}

// A write that fails half-way (here: the process may not write files that
// large, which binds root as well) leaves the old file as it was and is
// reported.
void TestDocumentFile::failedWriteKeepsOldFile()
{
    const QByteArray old = "<?xml version=\"1.0\"?><Storyloom><Document/></Storyloom>";
    QVERIFY(writeFile(path("keep.slf"), old));
    fillRichDocument(m_document);
    QVERIFY(m_document->toFileText().size() > 4096);

    FileSizeLimit limit(1024);
    QVERIFY(limit.isActive());
    const bool saved1 = m_document->saveToFile(path("keep.slf"));
    limit.lift();

    QVERIFY(!saved1);
    QCOMPARE(readFile(path("keep.slf")), old);
    // Nothing is left behind beside it.
    const QStringList entries = QDir(m_dir.path()).entryList(QDir::Files);
    QCOMPARE(entries.filter("keep").size(), 1);
    QVERIFY(m_document->saveToFile(path("keep.slf")));
    QCOMPARE(readFile(path("keep.slf")), m_document->toFileText());
}

// Root saving a file of another user must not take the file over, which
// would lock its owner out of their own document.
void TestDocumentFile::saveKeepsTheOwnerOfAnotherUsersFile()
{
    if (::geteuid() != 0)
        QSKIP("only root may give a file to another user");
    const uid_t user = 65534;
    const gid_t group = 65534;
    const QString file = path("theirs.slf");
    QVERIFY(writeFile(file, documentFile("<Document/>")));
    QCOMPARE(::chown(QFile::encodeName(file).constData(), user, group), 0);
    QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));

    fillRichDocument(m_document);
    QVERIFY(m_document->saveToFile(file));
    struct stat status;
    QCOMPARE(::stat(QFile::encodeName(file).constData(), &status), 0);
    QCOMPARE(status.st_uid, user);
    QCOMPARE(status.st_gid, group);
    QCOMPARE(status.st_mode & 0777, mode_t(0640));
    QCOMPARE(readFile(file), m_document->toFileText());

    // A new file is the process's own.
    QVERIFY(m_document->saveToFile(path("mine.slf")));
    QCOMPARE(::stat(QFile::encodeName(path("mine.slf")).constData(), &status), 0);
    QCOMPARE(status.st_uid, ::geteuid());
}

void TestDocumentFile::pagesLookTheSameAfterSaveAndLoad_data()
{
    // An empty text builds the page in code instead of reading it.
    QTest::addColumn<QByteArray>("element");
    QTest::addColumn<QString>("built");

    QTest::newRow("rich") << QByteArray() << "rich";
    // Its points have more digits than the file keeps (six): it is compared
    // from its first reading on.
    QTest::newRow("generated") << QByteArray() << "generated";
    const QByteArray box = "Points=\"20,20;200,20;200,120;20,120\" Behavior=\"1\"";
    QTest::newRow("stroke of width 0")
        << QByteArray("<Document><Layer Name=\"L\"><Shape " + box + "><Stroke Width=\"0\"/></Shape></Layer></Document>")
        << QString();
    QTest::newRow("negative stroke width")
        << QByteArray("<Document><Layer Name=\"L\"><Shape " + box + "><Stroke Width=\"-3\"/></Shape></Layer></Document>")
        << QString();
    QTest::newRow("stroke width that is no number")
        << QByteArray("<Document><Layer Name=\"L\"><Shape " + box + "><Stroke Width=\"wide\"/></Shape></Layer></Document>")
        << QString();
    QTest::newRow("paper border of width 0")
        << QByteArray("<Document PaperSize=\"300,200\"><PaperBorder Width=\"0\"/><Layer Name=\"L\"><Shape " + box
                      + "/></Layer></Document>")
        << QString();
}

// Saving and loading again, any number of times, never changes how a page
// looks, and the file text settles after the first save.
void TestDocumentFile::pagesLookTheSameAfterSaveAndLoad()
{
    QFETCH(QByteArray, element);
    QFETCH(QString, built);
    if (built == QLatin1String("rich")) {
        fillRichDocument(m_document);
    } else if (built == QLatin1String("generated")) {
        generatedpage::fillLayer(m_document->layers().first(), 400, m_document->paperSize());
        QVERIFY(m_document->saveToFile(path("generated.slf")));
        QVERIFY(m_document->loadFromFile(path("generated.slf")));
    } else {
        QVERIFY(writeFile(path("hostile.slf"), documentFile(element)));
        QVERIFY(m_document->loadFromFile(path("hostile.slf")));
    }
    const QImage first = m_document->renderToPixmap(true, "PNG").toImage();
    QVERIFY(!first.isNull());
    QByteArray firstText;
    for (int cycle = 1; cycle <= 3; ++cycle) {
        QVERIFY(m_document->saveToFile(path("cycle.slf")));
        if (cycle == 1)
            firstText = readFile(path("cycle.slf"));
        else
            QCOMPARE(readFile(path("cycle.slf")), firstText);
        SketchDocumentView reloaded;
        QVERIFY(reloaded.document()->loadFromFile(path("cycle.slf")));
        const QImage again = reloaded.document()->renderToPixmap(true, "PNG").toImage();
        QVERIFY2(differingPixels(first, again, 0) == 0, qPrintable(QStringLiteral("cycle %1").arg(cycle)));
        QVERIFY(m_document->loadFromFile(path("cycle.slf")));
    }
}

// A run with WriteRichDocumentVariable set only saves the rich document (the
// determinism test starts such runs); every other run is the test.
int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    const QString target = qEnvironmentVariable(WriteRichDocumentVariable);
    if (!target.isEmpty())
        return saveRichDocument(target);
    TestDocumentFile test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_documentfile.moc"
