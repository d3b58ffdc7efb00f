#include "model/filehelpers.h"
#include "model/filestamp.h"

#include "support/fifowatch.h"
#include "support/filesizelimit.h"
#include "support/modaldriver.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QImageReader>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QStandardPaths>
#include <QtTest>

#include <functional>

#include <memory>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

// Types the name into the dialog's name field as the user would.
// QFileDialog::selectFile leaves a focused field alone, and whether the field
// has the focus yet depends on timing.
void typeFileName(QFileDialog *dialog, const QString &name)
{
    auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    QVERIFY(edit);
    edit->setText(name);
}

class ShowCounter : public QObject
{
public:
    int shows = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            ++shows;
        return false;
    }
};

const QString saveFilters = QStringLiteral("PNG Images(*.png);;JPEG Images (*.jpg *.jpeg);;All files (*)");

} // namespace

class TestFileHelpers : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void joinFilePath_data();
    void joinFilePath();
    void ensureDirectory_data();
    void ensureDirectory();
    void suffixOfNameFilter_data();
    void suffixOfNameFilter();
    void saveDialogAppendsTheFilterSuffix_data();
    void saveDialogAppendsTheFilterSuffix();
    void saveDialogAsksBeforeReplacingTheSuffixedFile_data();
    void saveDialogAsksBeforeReplacingTheSuffixedFile();
    void saveDialogCancelled();
    void modalDriverClosesADialogThatStays();
    void savePixmapFormatFollowsTheSuffix_data();
    void savePixmapFormatFollowsTheSuffix();
    void savePixmapFailures();
    void savePixmapCreatesTheFolderAndReplaces();
    void saveImageWritesAlphaOnlyWhenSeeThrough();
    void wholeFileRoundTrip();
    void wholeFileFailures();
    void shortWriteKeepsTheOldFile();
    void readsOnlyRegularFilesWithinTheBound_data();
    void readsOnlyRegularFilesWithinTheBound();
    void stampTellsAnotherVersionOfTheFile();
    void popupMenuStaysOnScreen();

private:
    QString path(const QString &relative) const { return m_dir->filePath(relative); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestFileHelpers::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir().mkpath(path("folder")));
    QVERIFY(writeWholeFile(path("folder/file.txt"), "x"));
}

void TestFileHelpers::joinFilePath_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty") << "" << "";
    QTest::newRow("existing file") << "folder/file.txt" << "folder/file.txt";
    QTest::newRow("existing file with backslash") << "folder\\file.txt" << "folder/file.txt";
    QTest::newRow("existing folder") << "folder" << "folder/";
    QTest::newRow("folder with separator") << "folder/" << "folder/";
    QTest::newRow("missing path") << "a\\b/c" << "a/b/c/";
    QTest::newRow("missing path with backslash at the end") << "a\\b\\" << "a/b/";
}

void TestFileHelpers::joinFilePath()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    // Relative paths are looked up from the current folder.
    const QString previous = QDir::currentPath();
    QDir::setCurrent(m_dir->path());
    QString path = input;
    const QString result = ::joinFilePath(path);
    QDir::setCurrent(previous);
    QCOMPARE(result, expected);
    QCOMPARE(path, expected);
}

void TestFileHelpers::ensureDirectory_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("created");
    QTest::newRow("empty") << "" << "" << "";
    QTest::newRow("existing folder") << "folder" << "folder" << "";
    QTest::newRow("file in existing folder") << "folder/new.png" << "folder" << "";
    QTest::newRow("file in missing folder") << "fresh/new.png" << "fresh" << "fresh";
    QTest::newRow("missing folder with separator") << "fresh/" << "fresh" << "fresh";
    QTest::newRow("two missing levels") << "one/two/new.png" << "" << "";
    QTest::newRow("file in the way") << "folder/file.txt/new.png" << "" << "";
}

void TestFileHelpers::ensureDirectory()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QFETCH(QString, created);
    const QString base = m_dir->path() + '/';
    QString path = input.isEmpty() ? input : base + input;
    const QString result = ::ensureDirectory(path);
    QCOMPARE(result, expected.isEmpty() ? expected : base + expected);
    if (!created.isEmpty())
        QVERIFY(QFileInfo(base + created).isDir());
    QVERIFY(!QFileInfo::exists(base + "one"));
}

void TestFileHelpers::suffixOfNameFilter_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("suffix");
    QTest::newRow("png") << "PNG Images(*.png)" << "png";
    QTest::newRow("keeps case") << "Images (*.PNG)" << "PNG";
    QTest::newRow("first pattern") << "JPEG Images (*.jpg *.jpeg)" << "jpg";
    QTest::newRow("digits") << "MPEG-4 (*.mp4)" << "mp4";
    QTest::newRow("document") << "Documents (*.slf)" << "slf";
    QTest::newRow("no suffix") << "All files (*)" << "";
    QTest::newRow("dot alone") << "Odd (*.)" << "";
    QTest::newRow("empty") << "" << "";
}

void TestFileHelpers::suffixOfNameFilter()
{
    QFETCH(QString, filter);
    QFETCH(QString, suffix);
    QCOMPARE(::suffixOfNameFilter(filter), suffix);
}

void TestFileHelpers::saveDialogAppendsTheFilterSuffix_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("first filter") << "" << "fresh" << "fresh.png";
    QTest::newRow("name with suffix") << "" << "fresh.jpg" << "fresh.jpg";
    QTest::newRow("other filter") << "JPEG Images (*.jpg *.jpeg)" << "fresh" << "fresh.jpg";
    QTest::newRow("filter without suffix") << "All files (*)" << "fresh" << "fresh";
}

void TestFileHelpers::saveDialogAppendsTheFilterSuffix()
{
    QFETCH(QString, filter);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    ModalDriver driver;
    driver.answer<QFileDialog>([&](QFileDialog *dialog) {
        if (!filter.isEmpty()) {
            // What the dialog does when the user picks another filter.
            dialog->selectNameFilter(filter);
            emit dialog->filterSelected(filter);
        }
        typeFileName(dialog, typed);
        static_cast<QDialog *>(dialog)->accept(); // as the Save button does
    });
    const QString name = getSaveFileNameWithSuffix(nullptr, "Save", m_dir->path(), saveFilters);
    QVERIFY2(driver.isDone(), qPrintable(driver.failures()));
    QCOMPARE(name, path(expected));
}

void TestFileHelpers::saveDialogAsksBeforeReplacingTheSuffixedFile_data()
{
    QTest::addColumn<bool>("replace");
    QTest::newRow("replace") << true;
    QTest::newRow("keep") << false;
}

void TestFileHelpers::saveDialogAsksBeforeReplacingTheSuffixedFile()
{
    QFETCH(bool, replace);
    QVERIFY(writeWholeFile(path("out.png"), "precious"));
    bool asked = false;
    bool openAfterNo = false;
    QString defaultSuffix;
    bool boxAnswered = false;
    ModalDriver driver;
    driver.answer<QFileDialog>([&](QFileDialog *dialog) {
        defaultSuffix = dialog->defaultSuffix();
        // Once: an accept given again must not wait for a second box.
        if (!boxAnswered) {
            boxAnswered = true;
            driver.answer<QMessageBox>([&](QMessageBox *box) {
                asked = box->text().contains("out.png");
                box->button(replace ? QMessageBox::Yes : QMessageBox::No)->click();
            });
        }
        typeFileName(dialog, "out");
        static_cast<QDialog *>(dialog)->accept(); // as the Save button does
        if (!replace) {
            openAfterNo = dialog->isVisible();
            dialog->reject();
        }
    });
    const QString name = getSaveFileNameWithSuffix(nullptr, "Save", m_dir->path(), saveFilters);
    QVERIFY2(driver.isDone(), qPrintable(driver.failures()));
    QCOMPARE(defaultSuffix, QString("png"));
    QVERIFY(asked);
    QCOMPARE(name, replace ? path("out.png") : QString());
    if (!replace)
        QVERIFY(openAfterNo);
}

void TestFileHelpers::saveDialogCancelled()
{
    ModalDriver driver;
    driver.answer<QFileDialog>([](QFileDialog *dialog) {
        typeFileName(dialog, "fresh");
        dialog->reject();
    });
    QVERIFY(getSaveFileNameWithSuffix(nullptr, "Save", m_dir->path(), saveFilters).isEmpty());
    QVERIFY2(driver.isDone(), qPrintable(driver.failures()));
}

// The test library's driver: an answer that leaves its dialog open ends it
// within the bound and says so, instead of leaving the test hanging.
void TestFileHelpers::modalDriverClosesADialogThatStays()
{
    ModalDriver driver(300);
    int acts = 0;
    driver.answer<QFileDialog>([&acts](QFileDialog *) { ++acts; });
    QElapsedTimer clock;
    clock.start();
    QVERIFY(getSaveFileNameWithSuffix(nullptr, "Save", m_dir->path(), saveFilters).isEmpty());
    QVERIFY(clock.elapsed() < 5000);
    QVERIFY(acts > 1);
    QVERIFY(!driver.isDone());
    QVERIFY2(driver.failures().contains("QFileDialog did not close"), qPrintable(driver.failures()));
    QVERIFY(!QApplication::activeModalWidget());
}

void TestFileHelpers::savePixmapFormatFollowsTheSuffix_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<bool>("namesIt"); // hasWrittenImageSuffix
    QTest::newRow("png") << "page.png" << QByteArray("png") << true;
    QTest::newRow("jpg") << "page.jpg" << QByteArray("jpeg") << true;
    QTest::newRow("JPEG capitals") << "page.JPEG" << QByteArray("jpeg") << true;
    QTest::newRow("bmp") << "page.Bmp" << QByteArray("bmp") << true;
    QTest::newRow("gif is written as png") << "page.gif" << QByteArray("png") << false;
    QTest::newRow("no suffix") << "page" << QByteArray("png") << false;
    QTest::newRow("bmp without a dot") << "pagebmp" << QByteArray("png") << false;
}

void TestFileHelpers::savePixmapFormatFollowsTheSuffix()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, format);
    QTEST(hasWrittenImageSuffix(name), "namesIt");
    QPixmap pixmap(31, 17);
    pixmap.fill(Qt::red);
    QVERIFY(savePixmapToFile(pixmap, path(name)));
    QImageReader reader(path(name));
    reader.setDecideFormatFromContent(true);
    QCOMPARE(reader.format(), format);
    QCOMPARE(reader.read().size(), QSize(31, 17));
}

void TestFileHelpers::savePixmapFailures()
{
    QPixmap pixmap(4, 4);
    pixmap.fill(Qt::blue);
    QVERIFY(!savePixmapToFile(QPixmap(), path("null.png")));
    QVERIFY(!QFileInfo::exists(path("null.png")));
    QVERIFY(!savePixmapToFile(pixmap, QString()));
    QVERIFY(!savePixmapToFile(pixmap, path("folder")));
    QVERIFY(!savePixmapToFile(pixmap, path("folder/file.txt/inside.png")));
    QVERIFY(!savePixmapToFile(pixmap, path("one/two/deep.png")));
    QCOMPARE(readWholeFile(path("folder/file.txt")), QByteArray("x"));
}

void TestFileHelpers::savePixmapCreatesTheFolderAndReplaces()
{
    QPixmap small(4, 4);
    small.fill(Qt::green);
    QVERIFY(savePixmapToFile(small, path("slices/1.png")));
    QCOMPARE(QImage(path("slices/1.png")).size(), QSize(4, 4));

    QPixmap large(64, 48);
    large.fill(Qt::black);
    QVERIFY(savePixmapToFile(large, path("slices/1.png")));
    QCOMPARE(QImage(path("slices/1.png")).size(), QSize(64, 48));
}

void TestFileHelpers::wholeFileRoundTrip()
{
    const QByteArray bytes("line\r\nnext\n\0binary\xff", 18);
    QVERIFY(writeWholeFile(path("data.bin"), bytes));
    QCOMPARE(readWholeFile(path("data.bin")), bytes);

    // A shorter write replaces the whole file.
    QVERIFY(writeWholeFile(path("data.bin"), "ab"));
    QCOMPARE(readWholeFile(path("data.bin")), QByteArray("ab"));
    QVERIFY(writeWholeFile(path("data.bin"), QByteArray()));
    QVERIFY(QFileInfo::exists(path("data.bin")));
    QCOMPARE(QFileInfo(path("data.bin")).size(), 0);
}

void TestFileHelpers::wholeFileFailures()
{
    QVERIFY(readWholeFile(QString()).isEmpty());
    QVERIFY(readWholeFile(path("missing.txt")).isEmpty());
    QVERIFY(readWholeFile(path("folder")).isEmpty());

    QVERIFY(!writeWholeFile(QString(), "x"));
    QVERIFY(!writeWholeFile(path("folder"), "x"));
    QVERIFY(QFileInfo(path("folder")).isDir());
    QVERIFY(!writeWholeFile(path("missing/file.txt"), "x"));
    QVERIFY(!writeWholeFile(path("folder/file.txt/inside.txt"), "x"));
    QCOMPARE(readWholeFile(path("folder/file.txt")), QByteArray("x"));
}

// A write cut short (here by a file size limit, which binds root too) must
// neither report success nor replace the old file with a short one.
void TestFileHelpers::shortWriteKeepsTheOldFile()
{
    QVERIFY(writeWholeFile(path("keep.txt"), "old"));
    const QByteArray large(64 * 1024, 'x');
    QPixmap pixmap(600, 600);
    pixmap.fill(Qt::red);

    FileSizeLimit limit(1024);
    QVERIFY(limit.isActive());
    const bool wroteText = writeWholeFile(path("keep.txt"), large);
    const bool wrotePixmap = savePixmapToFile(pixmap, path("keep.bmp"));
    limit.lift();

    QVERIFY(!wroteText);
    QVERIFY(!wrotePixmap);
    QCOMPARE(readWholeFile(path("keep.txt")), QByteArray("old"));
    QVERIFY(!QFileInfo::exists(path("keep.bmp")));
}

void TestFileHelpers::readsOnlyRegularFilesWithinTheBound_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<qint64>("maxBytes");
    QTest::addColumn<bool>("read");

    QTest::newRow("file at the bound") << "file" << qint64(5) << true;
    QTest::newRow("file one byte over") << "file" << qint64(4) << false;
    QTest::newRow("empty file") << "empty" << qint64(0) << true;
    QTest::newRow("link to a file") << "link to file" << qint64(5) << true;
    QTest::newRow("missing") << "missing" << qint64(5) << false;
    QTest::newRow("dangling link") << "link to missing" << qint64(5) << false;
    QTest::newRow("folder") << "folder" << qint64(5) << false;
    QTest::newRow("device") << "/dev/null" << qint64(5) << false;
    // Endless: read whole, it would fill the memory.
    QTest::newRow("link to /dev/zero") << "link to zero" << qint64(5) << false;
    // Opened for reading as a file is, it would wait for a writer for ever.
    QTest::newRow("FIFO") << "fifo" << qint64(5) << false;
    QTest::newRow("link to a FIFO") << "link to fifo" << qint64(5) << false;
}

void TestFileHelpers::readsOnlyRegularFilesWithinTheBound()
{
    QFETCH(QString, kind);
    QFETCH(qint64, maxBytes);
    QFETCH(bool, read);
    QVERIFY(writeWholeFile(path("file"), "12345"));
    QVERIFY(writeWholeFile(path("empty"), QByteArray()));
    FifoWatch fifo(path("fifo"));
    QVERIFY(fifo.isMade());
    for (const QString target : {"file", "missing", "fifo"})
        QVERIFY(QFile::link(path(target), path("link to " + target)));
    QVERIFY(QFile::link("/dev/zero", path("link to zero")));
    const QString name = kind.startsWith('/') ? kind : path(kind);

    QByteArray bytes("left over");
    FileStamp stamp;
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(readRegularFile(name, maxBytes, &bytes, &stamp), read);
    QVERIFY2(clock.elapsed() < 2000, "waited");
    QVERIFY(!fifo.releasedAReader());
    QCOMPARE(bytes, read ? readWholeFile(name) : QByteArray());
    QCOMPARE(stamp.isNull(), !read);
    if (read)
        QVERIFY(stamp == FileStamp::ofPath(name));
    QVERIFY(!readRegularFile(QString(), maxBytes, &bytes));
}

// What a later save must not overwrite silently: the file written in
// place, or replaced by another file of the same size and time.
void TestFileHelpers::stampTellsAnotherVersionOfTheFile()
{
    QVERIFY(writeWholeFile(path("page"), "first"));
    const FileStamp first = FileStamp::ofPath(path("page"));
    QVERIFY(!first.isNull());
    QCOMPARE(first.size(), qint64(5));
    QVERIFY(FileStamp::ofPath(path("page")) == first);

    QFile inPlace(path("page"));
    QVERIFY(inPlace.open(QIODevice::Append));
    QCOMPARE(inPlace.write("!"), qint64(1));
    inPlace.close();
    QVERIFY(FileStamp::ofPath(path("page")) != first);

    // Same size, same modification time, another file.
    QVERIFY(writeWholeFile(path("page"), "first"));
    const FileStamp replaced = FileStamp::ofPath(path("page"));
    QVERIFY(writeWholeFile(path("other"), "first"));
    struct stat status;
    QCOMPARE(::stat(QFile::encodeName(path("page")).constData(), &status), 0);
    const timespec times[2] = {status.st_atim, status.st_mtim};
    QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(path("other")).constData(), times, 0), 0);
    QVERIFY(QFile::remove(path("page")));
    QVERIFY(QFile::rename(path("other"), path("page")));
    QVERIFY(FileStamp::ofPath(path("page")) != replaced);

    QVERIFY(FileStamp::ofPath(path("missing")).isNull());
    QVERIFY(FileStamp::ofPath(path("missing")) == FileStamp());
    QVERIFY(FileStamp() != replaced);
}

void TestFileHelpers::popupMenuStaysOnScreen()
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QMenu menu;
    menu.addAction("A rather long first entry");
    menu.addAction("Second");
    menu.addAction("Third");
    QSignalSpy aboutToShow(&menu, &QMenu::aboutToShow);
    ShowCounter counter;
    menu.installEventFilter(&counter);

    popupMenuInScreen(&menu, area.bottomRight() - QPoint(5, 5));
    QVERIFY(menu.isVisible());
    QVERIFY(menu.width() > 5 && menu.height() > 5);
    QCOMPARE(menu.geometry().right(), area.right());
    QCOMPARE(menu.geometry().bottom(), area.bottom());
    QCOMPARE(aboutToShow.count(), 1);

    // A second call moves the visible menu and refreshes it without a second show.
    const QPoint nearTopLeft = area.topLeft() + QPoint(10, 20);
    popupMenuInScreen(&menu, nearTopLeft);
    QCOMPARE(menu.geometry().topLeft(), nearTopLeft);
    QCOMPARE(aboutToShow.count(), 2);
    QCOMPARE(counter.shows, 1);

    // Only the right and bottom edges are corrected.
    popupMenuInScreen(&menu, QPoint(area.right() - 2, area.top() + 5));
    QCOMPARE(menu.geometry().right(), area.right());
    QCOMPARE(menu.geometry().top(), area.top() + 5);

    popupMenuInScreen(nullptr, QPoint());
    menu.hide();
}

// An image is written as its pixmap would be: an opaque picture in a format
// with alpha gets a PNG without alpha, the same bytes as through a pixmap.
void TestFileHelpers::saveImageWritesAlphaOnlyWhenSeeThrough()
{
    QImage opaque(40, 30, QImage::Format_ARGB32_Premultiplied);
    opaque.fill(QColor(200, 40, 40));
    QImage seeThrough = opaque;
    seeThrough.setPixelColor(5, 5, QColor(200, 40, 40, 100));
    const QString opaqueFile = QDir(m_dir->path()).filePath("opaque.png");
    const QString seeThroughFile = QDir(m_dir->path()).filePath("through.png");
    const QString pixmapFile = QDir(m_dir->path()).filePath("pixmap.png");
    QVERIFY(saveImageToFile(opaque, opaqueFile));
    QVERIFY(saveImageToFile(seeThrough, seeThroughFile));
    QVERIFY(savePixmapToFile(QPixmap::fromImage(opaque), pixmapFile));
    QVERIFY(!QImage(opaqueFile).hasAlphaChannel());
    QVERIFY(QImage(seeThroughFile).hasAlphaChannel());
    QCOMPARE(QImage(seeThroughFile).pixelColor(5, 5).alpha(), 100);
    QFile a(opaqueFile), b(pixmapFile);
    QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    QCOMPARE(a.readAll(), b.readAll());
    QVERIFY(!saveImageToFile(QImage(), opaqueFile));
}

QTEST_MAIN(TestFileHelpers)
#include "tst_filehelpers.moc"
