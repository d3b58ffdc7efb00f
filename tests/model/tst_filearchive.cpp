#include "model/filearchive.h"
#include "model/filehelpers.h"

#include "support/filesizelimit.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>
#include <QStandardPaths>
#include <QtTest>

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(file.write(bytes), qint64(bytes.size()));
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// An archive payload put together by hand, with whatever header it is given.
QByteArray payloadOf(const QByteArray &header, const QByteArray &contents)
{
    return QByteArray::number(header.size()).rightJustified(12, '0') + header + contents;
}

QByteArray withLengthPrefix(QByteArray compressed, quint32 length)
{
    qToBigEndian(length, compressed.data());
    return compressed;
}

QStringList filesBelow(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(QDir(folder).relativeFilePath(it.next()));
    files.sort();
    return files;
}

} // namespace

class TestFileArchive : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void packStoresNamesBelowTheShallowestFolder();
    void packNamesTheArchiveWhenNoPathIsGiven();
    void roundTripKeepsNamesAndContents();
    void unpackWithoutTargetWritesNextToTheArchive();
    void archivesFromTheOtherPlatformUnpack();
    void packResults();
    void packRefusesNamesTheHeaderCannotHold_data();
    void packRefusesNamesTheHeaderCannotHold();
    void packRefusesNamesThatWouldCollide();
    void forgedArchivesAreRefused_data();
    void forgedArchivesAreRefused();
    void emptyHeaderHoldsNoFiles();
    void hostileNamesAreRefused_data();
    void hostileNamesAreRefused();
    void safeNames_data();
    void safeNames();
    void extractResults();
    void findChildIgnoresCase();
    void writesCutShortKeepTheOldFiles();

private:
    QString path(const QString &relative) const { return m_dir->filePath(relative); }
    int unpackForged(const QByteArray &archive, QString *errorText);

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestFileArchive::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

int TestFileArchive::unpackForged(const QByteArray &archive, QString *errorText)
{
    writeFile(path("forged.lda"), archive);
    const std::unique_ptr<FileArchiveNode> root = readArchive(path("forged.lda"), errorText);
    if (!root || !root->children().isEmpty() || !root->data().isEmpty())
        return 100;
    return unpackArchive(path("forged.lda"), path("target"));
}

void TestFileArchive::packStoresNamesBelowTheShallowestFolder()
{
    writeFile(path("a/sub/y.png"), "yy");
    writeFile(path("a/x.png"), "x");
    QStringList files { path("a/sub/y.png"), path("a\\x.png") };
    QString archive = path("out.lda");
    QCOMPARE(packFilesToArchive(files, archive, ".lda"), int(FileArchiveDone));
    QCOMPARE(files, QStringList({ path("a/sub/y.png"), path("a/x.png") }));

    const std::unique_ptr<FileArchiveNode> root = readArchive(archive);
    QVERIFY(root);
    QCOMPARE(root->name(), archive);
    QCOMPARE(root->children().size(), 2);
    QCOMPARE(root->children().at(0)->name(), QString("sub/y.png"));
    QCOMPARE(root->children().at(0)->data(), QByteArray("yy"));
    QCOMPARE(root->children().at(1)->name(), QString("x.png"));
    QCOMPARE(root->children().at(1)->data(), QByteArray("x"));
    QCOMPARE(root->data(), payloadOf("sub/y.png,2|x.png,1", "yyx"));
    QVERIFY(!root->isEmpty());
}

void TestFileArchive::packNamesTheArchiveWhenNoPathIsGiven()
{
    writeFile(path("a/b/deep.txt"), "1");
    writeFile(path("a/first.tar.txt"), "2");
    writeFile(path("a/second.txt"), "3");
    QStringList files { path("a/b/deep.txt"), path("a/first.tar.txt"), path("a/second.txt") };
    QString archive;
    QCOMPARE(packFilesToArchive(files, archive, ".lda"), int(FileArchiveDone));
    QCOMPARE(archive, path("a/first.tar.lda"));
    QVERIFY(QFileInfo(archive).isFile());
}

void TestFileArchive::roundTripKeepsNamesAndContents()
{
    const QByteArray binary("\0\x01\xff\r\n\x80 end", 10);
    const QList<QPair<QString, QByteArray>> stored {
        { QString::fromUtf8("日本語の名前.txt"), QByteArray("text") },
        { QString::fromUtf8("Ünïcødé/ø.bin"), binary },
        { QStringLiteral("empty.dat"), QByteArray() },
        { QStringLiteral("sub/deeper/still/z.txt"), QByteArray("deep") },
    };
    QStringList files;
    for (const auto &file : stored) {
        writeFile(path("src/" + file.first), file.second);
        files.append(path("src/" + file.first));
    }
    QString archive = path("kept/archive.lda");
    QCOMPARE(packFilesToArchive(files, archive, ".lda"), int(FileArchiveDone));

    const std::unique_ptr<FileArchiveNode> root = readArchive(archive);
    QCOMPARE(root->children().size(), stored.size());
    QCOMPARE(root->children().at(2)->size(), 0);

    QCOMPARE(unpackArchive(archive, path("dest")), int(FileArchiveDone));
    QStringList expected;
    for (const auto &file : stored) {
        QCOMPARE(fileBytes(path("dest/" + file.first)), file.second);
        expected.append(file.first);
    }
    expected.sort();
    QCOMPARE(filesBelow(path("dest")), expected);
}

void TestFileArchive::unpackWithoutTargetWritesNextToTheArchive()
{
    writeFile(path("src/x.png"), "pixels");
    QStringList files { path("src/x.png") };
    QString archive = path("out/pack.lda");
    QCOMPARE(packFilesToArchive(files, archive, ".lda"), int(FileArchiveDone));
    QCOMPARE(unpackArchive(archive, QString()), int(FileArchiveDone));
    QCOMPARE(fileBytes(path("out/x.png")), QByteArray("pixels"));
}

void TestFileArchive::archivesFromTheOtherPlatformUnpack()
{
    writeFile(path("win.lda"), qCompress(payloadOf("sub\\y.png,1", "y")));
    QCOMPARE(unpackArchive(path("win.lda"), path("dest")), int(FileArchiveDone));
    QCOMPARE(fileBytes(path("dest/sub/y.png")), QByteArray("y"));
}

void TestFileArchive::packResults()
{
    QStringList none;
    QString archive = path("none.lda");
    QCOMPARE(packFilesToArchive(none, archive, ".lda"), int(FileArchiveNothingDone));
    QVERIFY(!QFile::exists(archive));

    writeFile(path("a/x.png"), "x");
    QStringList missing { path("a/x.png"), path("a/missing.png") };
    QCOMPARE(packFilesToArchive(missing, archive, ".lda"), int(FileArchiveUnreadableSource));
    QVERIFY(!QFile::exists(archive));

    QStringList files { path("a/x.png") };
    QString onFolder = path("a");
    QCOMPARE(packFilesToArchive(files, onFolder, ".lda"), int(FileArchiveWriteFailed));

    // An archive is replaced as a whole.
    writeFile(archive, QByteArray(5000, 'o'));
    QCOMPARE(packFilesToArchive(files, archive, ".lda"), int(FileArchiveDone));
    QCOMPARE(readArchive(archive)->children().size(), 1);
}

void TestFileArchive::packRefusesNamesTheHeaderCannotHold_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("comma") << "a,b.png";
    QTest::newRow("bar") << "a|b.png";
}

void TestFileArchive::packRefusesNamesTheHeaderCannotHold()
{
    QFETCH(QString, name);
    writeFile(path("src/" + name), "x");
    writeFile(path("src/plain.png"), "y");
    QStringList files { path("src/plain.png"), path("src/" + name) };
    QString archive = path("out.lda");
    QCOMPARE(packFilesToArchive(files, archive, ".lda"), int(FileArchiveRefused));
    QVERIFY(!QFile::exists(archive));
}

void TestFileArchive::packRefusesNamesThatWouldCollide()
{
    // b/1.png lies outside the base folder a/ and so would be stored as
    // "1.png" too, and unpack over a/1.png.
    writeFile(path("src/a/1.png"), "first");
    writeFile(path("src/b/1.png"), "second");
    QStringList files { path("src/a/1.png"), path("src/b/1.png") };
    QString archive = path("out.lda");
    QCOMPARE(packFilesToArchive(files, archive, ".lda"), int(FileArchiveRefused));
    QVERIFY(!QFile::exists(archive));
}

void TestFileArchive::forgedArchivesAreRefused_data()
{
    QTest::addColumn<QByteArray>("archive");
    const QByteArray valid = qCompress(payloadOf("x.png,3", "abc"));
    const auto forged = [](const QByteArray &header, const QByteArray &contents) {
        return qCompress(payloadOf(header, contents));
    };

    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("not compressed") << QByteArray("000000000007x.png,3abc");
    QTest::newRow("truncated") << valid.left(valid.size() - 6);
    QTest::newRow("length prefix 4 GiB") << withLengthPrefix(valid, 0xFFFFFFFFu);
    QTest::newRow("length prefix over the limit")
        << withLengthPrefix(valid, quint32(fileArchiveMaxPayloadSize) + 1);
    QTest::newRow("length prefix too large") << withLengthPrefix(valid, 1000);
    QTest::newRow("length prefix too small") << withLengthPrefix(valid, 15);
    QTest::newRow("stream inflating far past its prefix")
        << withLengthPrefix(qCompress(QByteArray(64 << 20, '0')), 16);
    QTest::newRow("payload shorter than a header length") << qCompress("0000");
    QTest::newRow("header length not a number") << qCompress("0000000000x7x.png,3abc");
    QTest::newRow("header length negative") << qCompress("-00000000007x.png,3abc");
    QTest::newRow("header length beyond the payload") << qCompress("999999999999x.png,3abc");
    QTest::newRow("header length beyond the header limit")
        << qCompress("000100000000x.png,3abc");
    QTest::newRow("size beyond the payload") << forged("x.png,99999", "abc");
    QTest::newRow("size beyond 32 bits") << forged("x.png,99999999999999999999", "abc");
    QTest::newRow("size negative") << forged("x.png,-3", "abc");
    QTest::newRow("size not a number") << forged("x.png,3e0", "abc");
    QTest::newRow("size empty") << forged("x.png,", "abc");
    QTest::newRow("entry without size") << forged("x.png", "abc");
    QTest::newRow("entry with an extra field") << forged("x,y.png,3", "abc");
    QTest::newRow("empty entry") << forged("x.png,3|", "abc");
    QTest::newRow("sizes short of the contents") << forged("x.png,2", "abc");
    QTest::newRow("contents without header") << forged("", "abc");
    QTest::newRow("NUL in the header") << forged(QByteArray("x.png,3\0y,0", 11), "abc");
}

void TestFileArchive::forgedArchivesAreRefused()
{
    QFETCH(QByteArray, archive);
    QString errorText;
    QCOMPARE(unpackForged(archive, &errorText), int(FileArchiveRefused));
    QVERIFY(!errorText.isEmpty());
    QVERIFY(!QFileInfo::exists(path("target")) || filesBelow(path("target")).isEmpty());
}

void TestFileArchive::emptyHeaderHoldsNoFiles()
{
    writeFile(path("empty.lda"), qCompress(payloadOf("", "")));
    QString errorText;
    const std::unique_ptr<FileArchiveNode> root = readArchive(path("empty.lda"), &errorText);
    QVERIFY(root->children().isEmpty());
    QVERIFY(errorText.isEmpty());
    QCOMPARE(unpackArchive(path("empty.lda"), path("target")), int(FileArchiveNothingDone));

    // Nothing to read is nothing done, never success.
    QVERIFY(!readArchive(QString()));
    QCOMPARE(unpackArchive(QString(), path("target")), int(FileArchiveNothingDone));
    QCOMPARE(unpackArchive(path("missing.lda"), path("target")), int(FileArchiveNothingDone));
    QVERIFY(readArchive(path("missing.lda"), &errorText)->isEmpty());
    QVERIFY(!errorText.isEmpty());
}

void TestFileArchive::hostileNamesAreRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("parent") << "../evil.txt";
    QTest::newRow("parent further down") << "a/../../evil.txt";
    QTest::newRow("parent with backslashes") << "..\\evil.txt";
    QTest::newRow("parent with trailing dot") << "... /evil.txt";
    QTest::newRow("parent with trailing space") << ".. /evil.txt";
    QTest::newRow("absolute") << "/abs-evil.txt";
    QTest::newRow("absolute with backslash") << "\\evil.txt";
    QTest::newRow("network share") << "\\\\server\\share\\evil.txt";
    QTest::newRow("drive") << "C:\\evil.txt";
    QTest::newRow("drive relative") << "c:evil.txt";
    QTest::newRow("current folder") << "./evil.txt";
    QTest::newRow("empty folder part") << "a//evil.txt";
    QTest::newRow("folder only") << "a/";
    QTest::newRow("dot") << ".";
    QTest::newRow("empty") << "";
    QTest::newRow("comma") << "a,b";
}

void TestFileArchive::hostileNamesAreRefused()
{
    QFETCH(QString, name);
    const QString absoluteTarget = path("abs-evil.txt");
    const QString stored = name == "/abs-evil.txt" ? absoluteTarget : name;
    QVERIFY(!isSafeArchiveEntryName(stored));

    // From a file: the whole archive is refused, its harmless entry too.
    const QByteArray header = "harmless.txt,2|" + stored.toUtf8() + ",4";
    writeFile(path("hostile.lda"), qCompress(payloadOf(header, "okevil")));
    QString errorText;
    QVERIFY(readArchive(path("hostile.lda"), &errorText)->children().isEmpty());
    QVERIFY(!errorText.isEmpty());
    QCOMPARE(unpackArchive(path("hostile.lda"), path("deep/target")), int(FileArchiveRefused));

    // From a tree built in memory.
    FileArchiveNode root;
    root.setName(path("hostile.lda"));
    root.setData("payload");
    for (const QString &childName : { QStringLiteral("harmless.txt"), stored }) {
        auto *child = new FileArchiveNode;
        child->setName(childName);
        child->setData("evil");
        root.children().append(child);
    }
    QCOMPARE(extractArchive(&root, path("deep/target")), int(FileArchiveRefused));

    QCOMPARE(filesBelow(m_dir->path()), QStringList({ "hostile.lda" }));
}

void TestFileArchive::safeNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << "x.png";
    QTest::newRow("below a folder") << "sub/y.png";
    QTest::newRow("backslashes") << "sub\\y.png";
    QTest::newRow("non-ASCII") << QString::fromUtf8("Ünïcødé/日本.txt");
    QTest::newRow("dots inside") << "a..b/c...d";
    QTest::newRow("hidden file") << ".hidden";
    QTest::newRow("colon later") << "ab:c";
}

void TestFileArchive::safeNames()
{
    QFETCH(QString, name);
    QVERIFY(isSafeArchiveEntryName(name));
}

void TestFileArchive::extractResults()
{
    QCOMPARE(extractArchive(nullptr, path("t")), int(FileArchiveNothingDone));

    FileArchiveNode root;
    root.setName(path("a.lda"));
    root.setData("payload");
    QCOMPARE(extractArchive(&root, path("t")), int(FileArchiveNothingDone));

    auto *first = new FileArchiveNode;
    first->setName("first.txt");
    first->setData("1");
    auto *blocked = new FileArchiveNode;
    blocked->setName("blocked");
    blocked->setData("2");
    root.children() << first << blocked;
    QDir().mkpath(path("t/blocked"));
    QCOMPARE(extractArchive(&root, path("t")), int(FileArchiveWriteFailed));
    QCOMPARE(fileBytes(path("t/first.txt")), QByteArray("1"));

    // Only one missing level of the target folder is created.
    QCOMPARE(extractArchive(&root, path("no/such/target")), int(FileArchiveWriteFailed));
    QVERIFY(!QFileInfo::exists(path("no")));
}

void TestFileArchive::findChildIgnoresCase()
{
    FileArchiveNode root;
    QVERIFY(root.isEmpty());
    QCOMPARE(root.size(), 0);
    for (const char *name : { "Sub/Image.PNG", "sub/image.png", "other" }) {
        auto *child = new FileArchiveNode;
        child->setName(name);
        root.children().append(child);
    }
    QCOMPARE(root.findChild("SUB/IMAGE.png"), root.children().at(0));
    QCOMPARE(root.findChild("other"), root.children().at(2));
    QVERIFY(!root.findChild("missing"));
    QVERIFY(!root.findChild(QString()));
}

// A write cut short (here by a file size limit, which binds root too)
// neither reports success nor leaves a short file in place of the old one,
// whether it writes the archive or a file unpacked from it.
void TestFileArchive::writesCutShortKeepTheOldFiles()
{
    QByteArray large;
    for (int i = 0; i < 4096; ++i)
        large += QByteArray::number(i * 7919) + ',';
    writeFile(path("src/big.txt"), large);
    writeFile(path("src/small.txt"), "small");
    QStringList files{path("src/big.txt"), path("src/small.txt")};
    QString archive = path("pack.lda");
    QCOMPARE(packFilesToArchive(files, archive, ".lda"), int(FileArchiveDone));
    const QByteArray packed = readWholeFile(archive);
    QVERIFY(packed.size() > 2048);
    writeFile(path("old.lda"), "old archive");
    writeFile(path("out/big.txt"), "old file");

    FileSizeLimit limit(1024);
    QVERIFY(limit.isActive());
    QString target = path("old.lda");
    const int packing = packFilesToArchive(files, target, ".lda");
    const int unpacking = unpackArchive(archive, path("out"));
    limit.lift();

    QCOMPARE(packing, int(FileArchiveWriteFailed));
    QCOMPARE(readWholeFile(path("old.lda")), QByteArray("old archive"));
    QCOMPARE(unpacking, int(FileArchiveWriteFailed));
    QCOMPARE(readWholeFile(path("out/big.txt")), QByteArray("old file"));
    // Nothing is left beside them.
    QCOMPARE(QDir(m_dir->path()).entryList(QStringList{"old*"}, QDir::Files), QStringList{"old.lda"});
    QCOMPARE(QDir(path("out")).entryList(QDir::Files), QStringList{"big.txt"});
}

QTEST_GUILESS_MAIN(TestFileArchive)
#include "tst_filearchive.moc"
