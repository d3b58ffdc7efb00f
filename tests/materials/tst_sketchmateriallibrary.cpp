// Where the material library lives: the program folder when a save can
// replace the library there, else the per-user data folder, seeded once
// from the program folder's library.
#include "materials/materialfixture.h"

#include "materials/sketchmaterialfile.h"
#include "materials/sketchmateriallibrary.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

class TestSketchMaterialLibrary : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void names();
    void writableProgramFolderHoldsTheLibrary();
    void unwritableProgramFolderSeedsTheUserLibraryOnce();
    void userLibraryIsNeverOverwrittenBySeeding();
    void userLibraryStaysInUseWhenTheProgramFolderOpens();
    void nothingToSeed_data();
    void nothingToSeed();
    void decidesByTheFoldersItIsGiven_data();
    void decidesByTheFoldersItIsGiven();
    void readOnlyLibraryInAWritableFolderMovesToTheUser();
    void defaultFoldersAreTheProgramAndDataFolders();

private:
    QString program(const QString &name = QString()) const { return m_dir->filePath("program/" + name); }
    QString user(const QString &name = QString()) const { return m_dir->filePath("user/data/" + name); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSketchMaterialLibrary::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestSketchMaterialLibrary::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir().mkpath(program()));
}

void TestSketchMaterialLibrary::cleanup()
{
    SketchMaterialLibrary::setFolders(QString(), QString());
    m_dir.reset();
}

void TestSketchMaterialLibrary::names()
{
    QCOMPARE(SketchMaterialLibrary::name(), QStringLiteral("Templates"));
    QCOMPARE(SketchMaterialLibrary::fileName(), QStringLiteral("Templates.xml"));
}

void TestSketchMaterialLibrary::writableProgramFolderHoldsTheLibrary()
{
    QVERIFY(writeFileBytes(program("Templates.xml"), "<Storyloom/>\n"));
    SketchMaterialLibrary::setFolders(program(), user());
    QCOMPARE(SketchMaterialLibrary::filePath(), program("Templates.xml"));
    // Nothing is made in the user's folder.
    QVERIFY(!QFileInfo::exists(m_dir->filePath("user")));
}

void TestSketchMaterialLibrary::unwritableProgramFolderSeedsTheUserLibraryOnce()
{
    SketchMaterialFile library(SketchMaterialLibrary::name());
    library.parse(QStringLiteral("<Storyloom><Material Guid=\"{shipped}\" Category=\"2\"/></Storyloom>"));
    QVERIFY(library.save(program("Templates.xml")));

    const QString path = SketchMaterialLibrary::filePath(program(), false, user());
    QCOMPARE(path, user("Templates.xml"));
    QCOMPARE(readFileBytes(path), readFileBytes(program("Templates.xml")));

    // The user's library is a file of its own: saving it leaves the
    // program's alone, and it loads back with what was saved.
    SketchMaterialFile mine(SketchMaterialLibrary::name());
    QVERIFY(mine.load(path));
    QVERIFY(mine.contains(QStringLiteral("{shipped}")));
    mine.parse(QStringLiteral("<Storyloom><Material Guid=\"{mine}\"/></Storyloom>"));
    QVERIFY(mine.save(path));
    QVERIFY(readFileBytes(program("Templates.xml")) != readFileBytes(path));
    QCOMPARE(SketchMaterialLibrary::filePath(program(), false, user()), path);
    QVERIFY(mine.load(path));
    QCOMPARE(mine.materials().size(), 2);
}

void TestSketchMaterialLibrary::userLibraryIsNeverOverwrittenBySeeding()
{
    QVERIFY(writeFileBytes(program("Templates.xml"), "<Storyloom><Material Guid=\"{shipped}\"/></Storyloom>"));
    QVERIFY(QDir().mkpath(user()));
    QVERIFY(writeFileBytes(user("Templates.xml"), "<Storyloom/>\n"));
    QCOMPARE(SketchMaterialLibrary::filePath(program(), false, user()), user("Templates.xml"));
    QCOMPARE(readFileBytes(user("Templates.xml")), QByteArray("<Storyloom/>\n"));
}

// The folder that could not be written becomes writable (an update, a
// change of rights): the user's copy holds what was saved meanwhile and
// stays the library.
void TestSketchMaterialLibrary::userLibraryStaysInUseWhenTheProgramFolderOpens()
{
    QVERIFY(writeFileBytes(program("Templates.xml"), "<Storyloom><Material Guid=\"{shipped}\"/></Storyloom>"));
    const QString path = SketchMaterialLibrary::filePath(program(), false, user());
    QCOMPARE(path, user("Templates.xml"));
    SketchMaterialFile mine(SketchMaterialLibrary::name());
    QVERIFY(mine.load(path));
    mine.parse(QStringLiteral("<Storyloom><Material Guid=\"{mine}\"/></Storyloom>"));
    QVERIFY(mine.save(path));

    QCOMPARE(SketchMaterialLibrary::filePath(program(), true, user()), path);
    SketchMaterialLibrary::setFolders(program(), user());
    QCOMPARE(SketchMaterialLibrary::filePath(), path);
    SketchMaterialFile library(SketchMaterialLibrary::name());
    QVERIFY(library.load(SketchMaterialLibrary::filePath()));
    QVERIFY(library.contains(QStringLiteral("{mine}")));
    // The program folder's library is left as it was.
    QCOMPARE(readFileBytes(program("Templates.xml")),
             QByteArray("<Storyloom><Material Guid=\"{shipped}\"/></Storyloom>"));
}

void TestSketchMaterialLibrary::nothingToSeed_data()
{
    QTest::addColumn<QByteArray>("programLibrary");
    QTest::newRow("no program library") << QByteArray();
    QTest::newRow("empty program library") << QByteArray("");
}

void TestSketchMaterialLibrary::nothingToSeed()
{
    QFETCH(QByteArray, programLibrary);
    if (!programLibrary.isNull())
        QVERIFY(writeFileBytes(program("Templates.xml"), programLibrary));
    const QString path = SketchMaterialLibrary::filePath(program(), false, user());
    QCOMPARE(path, user("Templates.xml"));
    // The folder is there for the first save, the library is not.
    QVERIFY(QFileInfo(user()).isDir());
    QVERIFY(!QFileInfo::exists(path));
    SketchMaterialFile library(SketchMaterialLibrary::name());
    QVERIFY(library.save(path));
}

void TestSketchMaterialLibrary::decidesByTheFoldersItIsGiven_data()
{
    QTest::addColumn<QString>("programFolder");
    QTest::addColumn<bool>("inProgramFolder");
    QTest::newRow("writable folder") << "program" << true;
    QTest::newRow("missing folder") << "absent" << false;
    QTest::newRow("a file, not a folder") << "program/file" << false;
}

void TestSketchMaterialLibrary::decidesByTheFoldersItIsGiven()
{
    QFETCH(QString, programFolder);
    QFETCH(bool, inProgramFolder);
    QVERIFY(writeFileBytes(program("file"), "x"));
    const QString folder = m_dir->filePath(programFolder);
    SketchMaterialLibrary::setFolders(folder, user());
    const QString expected = inProgramFolder ? QDir(folder).filePath("Templates.xml") : user("Templates.xml");
    QCOMPARE(SketchMaterialLibrary::filePath(), expected);
}

void TestSketchMaterialLibrary::readOnlyLibraryInAWritableFolderMovesToTheUser()
{
    QVERIFY(writeFileBytes(program("Templates.xml"), "<Storyloom><Material Guid=\"{shipped}\"/></Storyloom>"));
    QVERIFY(QFile::setPermissions(program("Templates.xml"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    if (QFileInfo(program("Templates.xml")).isWritable())
        QSKIP("running with rights that write read-only files");
    SketchMaterialLibrary::setFolders(program(), user());
    QCOMPARE(SketchMaterialLibrary::filePath(), user("Templates.xml"));
    QCOMPARE(readFileBytes(user("Templates.xml")), readFileBytes(program("Templates.xml")));
}

void TestSketchMaterialLibrary::defaultFoldersAreTheProgramAndDataFolders()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QString library = QDir(programFolder).filePath("Templates.xml");
    if (!QFileInfo(programFolder).isWritable() || QFileInfo::exists(library))
        QSKIP("the test program's folder is not a fresh writable one; the data folder is not the test's to touch");
    QCOMPARE(SketchMaterialLibrary::filePath(), library);
    QVERIFY(!QFileInfo::exists(library));
}

QTEST_MAIN(TestSketchMaterialLibrary)
#include "tst_sketchmateriallibrary.moc"
