// The main window's file operations: New, Open (dialog, hand-over message,
// drop), Save, Save As, Save All, closing tabs and closing the window, with
// their questions, and the group-editing tabs that save into their group.
// Unreadable files, failed writes and vanished groups are reported and
// never cost a document.
#include "app/mainwindow.h"
#include "commands/sketchcommand.h"
#include "commands/sketchcommandmanager.h"
#include "dialogscript.h"
#include "editor/sketchdocumentview.h"
#include "editor/sketchtool.h"
#include "model/sketchdocument.h"
#include "model/sketchgroup.h"
#include "model/sketchlayer.h"
#include "programfixture.h"
#include "support/fifowatch.h"
#include "windowfixture.h"

#include <QApplication>
#include <QImage>
#include <QMenuBar>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

#include <fcntl.h>
#include <sys/stat.h>

using namespace windowfixture;
using programfixture::readFile;
using programfixture::writeFile;

class TestMainWindowFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void namesNewDocuments_data();
    void namesNewDocuments();
    void opensNewDocumentsInNewTabs();
    void opensTheChosenDocuments();
    void leavesAllAsItWasWhenOpenIsCancelled();
    void selectsAnOpenFileWithoutReadingItAgain();
    void refusesAFileItCannotRead_data();
    void refusesAFileItCannotRead();
    void opensTheHandedOverMessage_data();
    void opensTheHandedOverMessage();
    void comesToTheFrontForAnyMessage();
    void dropsImagesIntoTheViewAndOpensDocuments_data();
    void dropsImagesIntoTheViewAndOpensDocuments();
    void dropsWithoutADocumentViewInsertNothing();

    void savesANewDocumentUnderTheChosenName();
    void savesAgainWithoutAsking();
    void asksAgainForAFileThatVanished();
    void keepsATabModifiedWhenItsSaveIsCancelled();
    void reportsAWriteThatFailed_data();
    void reportsAWriteThatFailed();
    void savesAsANewFileEvenWithOne();
    void asksBeforeOverwritingAFileChangedElsewhere_data();
    void asksBeforeOverwritingAFileChangedElsewhere();
    void savesAsOverTheChangedFileOnlyWhenAllowed();
    void savesAllTabsPastOneThatIsNotSaved();
    void skipsPagesThatAreNoDocuments();

    void closesByTheAnswer_data();
    void closesByTheAnswer();
    void keepsTheTabWhenItsSaveFails();
    void endsTheRunAtTheFirstTabThatStays_data();
    void endsTheRunAtTheFirstTabThatStays();
    void closesTheOthersUntilOneStays();
    void closesTheWindowOnlyWithoutTabs_data();
    void closesTheWindowOnlyWithoutTabs();

    void savesAGroupTabIntoItsGroup();
    void refusesToSaveAGroupThatIsGone_data();
    void refusesToSaveAGroupThatIsGone();
    void closesAGroupTabBeforeItsSource();
    void keepsTheSourceWhenItsGroupTabStays();

private:
    QString path(const QString &name) const { return QDir(m_files->path()).filePath(name); }
    // A document file in the files folder: two shapes on one layer.
    QString document(const QString &name) const;
    QString picture(const QString &name, int side) const;
    SkinTabControl *tabControl() const { return tabs(*m_window); }
    // A document tab of `name` with its two shapes grouped, and a tab that
    // edits that group, modified; returns the group.
    SketchGroup *openGroupEditing(SketchDocumentView **source, SketchDocumentView **editing);
    // A page that is no document, as the material catalogue is.
    SketchView *addPlainPage();

    Home m_home;
    QTemporaryDir *m_files = nullptr;
    MainWindow *m_window = nullptr;
};

void TestMainWindowFiles::initTestCase()
{
    QVERIFY(m_home.install());
}

void TestMainWindowFiles::init()
{
    m_files = new QTemporaryDir;
    QVERIFY(m_files->isValid());
    QVERIFY(QDir::setCurrent(m_files->path()));
    m_window = new MainWindow;
    m_window->show();
}

void TestMainWindowFiles::cleanup()
{
    delete m_window;
    m_window = nullptr;
    delete m_files;
    m_files = nullptr;
}

QString TestMainWindowFiles::document(const QString &name) const
{
    const QString file = path(name);
    return writeFile(file, programfixture::redPage()) ? file : QString();
}

QString TestMainWindowFiles::picture(const QString &name, int side) const
{
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(Qt::darkCyan);
    const QString file = path(name);
    return image.save(file) ? file : QString();
}

SketchView *TestMainWindowFiles::addPlainPage()
{
    QWidget *page = tabControl()->addPage(QString("Material Library"), true);
    auto *view = new SketchView(page);
    view->show();
    return view;
}

SketchGroup *TestMainWindowFiles::openGroupEditing(SketchDocumentView **source,
                                                   SketchDocumentView **editing)
{
    m_window->openFiles({document("source.slf")});
    *source = m_window->currentDocumentView();
    (*source)->selectAll();
    (*source)->groupSelection();
    (*source)->setModified(false);
    auto *group = qobject_cast<SketchGroup *>((*source)->currentLayer()->shapes().value(0));
    if (!group)
        return nullptr;
    // As Edit Group makes its tab.
    *editing = m_window->createSketchView();
    (*editing)->setSourceDocument((*source)->document());
    (*editing)->setEditedGroup(group);
    (*editing)->setTitle("source-group");
    group->copyShapesTo((*editing)->document());
    modify(*editing);
    return group;
}

// --- New and open ---------------------------------------------------------------

void TestMainWindowFiles::namesNewDocuments_data()
{
    QTest::addColumn<QStringList>("open"); // titles of the open tabs
    QTest::addColumn<QString>("next");
    QTest::newRow("nothing open") << QStringList() << "untitled1";
    QTest::newRow("1 and 2 open") << QStringList{"untitled1", "untitled2"} << "untitled3";
    QTest::newRow("only 2 open, in capitals") << QStringList{"UNTITLED2"} << "untitled1";
    QTest::newRow("2 closed, 1 and 3 open") << QStringList{"untitled1", "untitled3"} << "untitled2";
    QTest::newRow("a title ending like it") << QStringList{"my untitled1"} << "untitled2";
    QTest::newRow("10 is not 1") << QStringList{"untitled10"} << "untitled1";
    QTest::newRow("a saved one") << QStringList{"red"} << "untitled1";
}

void TestMainWindowFiles::namesNewDocuments()
{
    QFETCH(QStringList, open);
    QFETCH(QString, next);
    for (const QString &title : open)
        m_window->createSketchView()->setTitle(title);
    QCOMPARE(m_window->untitledName(), next);
    m_window->newFile();
    QCOMPARE(m_window->currentSketchView()->title(), next);
}

void TestMainWindowFiles::opensNewDocumentsInNewTabs()
{
    QSignalSpy refreshes(tabControl(), &SkinTabControl::selectedIndexChanged);
    m_window->newFile();
    m_window->newFile();
    QCOMPARE(tabTexts(*m_window), QStringList({"untitled1 @ 100%", "untitled2 @ 100%"}));
    QCOMPARE(tabControl()->currentIndex(), 1);
    QVERIFY(m_window->currentDocumentView()->fileName().isEmpty());
    QVERIFY(!m_window->currentDocumentView()->isModified());
    // Each New refreshes once the view is there (the second one also when
    // its empty page came).
    QCOMPARE(refreshes.count(), 3);
}

void TestMainWindowFiles::opensTheChosenDocuments()
{
    DialogScript script;
    script.answerFiles({document("red.slf"), picture("photo.png", 20), path("bundle.slp")});
    m_window->openFile();
    QCOMPARE(script.fileRequests().size(), 1);
    const FileDialogs::Request &request = script.fileRequests().first();
    QCOMPARE(request.kind, FileDialogs::Kind::OpenFiles);
    QCOMPARE(request.parent, m_window);
    QCOMPARE(request.caption, QString("Open"));
    QCOMPARE(request.directory, QString());
    QCOMPARE(request.filter, QString("Storyloom Files(*.slf *.slp)"));
    // The document alone: pictures and packages are not opened.
    QCOMPARE(tabTexts(*m_window), QStringList({"red @ 100%"}));
    SketchDocumentView *view = m_window->currentDocumentView();
    QCOMPARE(view->fileName(), path("red.slf"));
    QCOMPARE(view->document()->shapeCount(), 2);
    QVERIFY(!view->isModified());
    QCOMPARE(script.unexpected(), QStringList());
}

void TestMainWindowFiles::leavesAllAsItWasWhenOpenIsCancelled()
{
    m_window->newFile();
    DialogScript script;
    script.cancelFile();
    QSignalSpy refreshes(tabControl(), &SkinTabControl::selectedIndexChanged);
    m_window->openFile();
    m_window->openFiles({});
    QCOMPARE(refreshes.count(), 0);
    QCOMPARE(titles(*m_window), QStringList({"untitled1"}));
    QCOMPARE(script.unexpected(), QStringList());
}

void TestMainWindowFiles::selectsAnOpenFileWithoutReadingItAgain()
{
    const QString file = document("red.slf");
    m_window->openFiles({file});
    SketchView *first = m_window->currentSketchView();
    modify(first);
    m_window->newFile();
    // The file changes on disk; asking for it again through another name
    // only selects its tab, which keeps its own state.
    QVERIFY(writeFile(file, programfixture::greenPage()));
    DialogScript script;
    m_window->openFiles({"./red.slf"});
    QCOMPARE(m_window->currentSketchView(), first);
    QCOMPARE(m_window->sketchViews().size(), 2);
    QVERIFY(first->isModified());
    QCOMPARE(m_window->currentDocumentView()->document()->shapeCount(), 2);
    QCOMPARE(script.boxes().size(), 0);
}

void TestMainWindowFiles::refusesAFileItCannotRead_data()
{
    QTest::addColumn<QByteArray>("bytes"); // null: no such file
    QTest::addColumn<QString>("instead");  // what stands there instead of a file
    QTest::newRow("missing") << QByteArray() << QString();
    QTest::newRow("not XML") << QByteArray("\x89PNG not a document") << QString();
    QTest::newRow("no document in it") << QByteArray("<Storyloom><Picture/></Storyloom>") << QString();
    QTest::newRow("empty") << QByteArray("") << QString();
    QTest::newRow("a folder") << QByteArray() << "folder";
    // Read whole, it would fill the memory until the window aborts.
    QTest::newRow("a link to /dev/zero") << QByteArray() << "zero";
    // Opened as a file is, it would wait for a writer for ever.
    QTest::newRow("a FIFO") << QByteArray() << "fifo";
}

void TestMainWindowFiles::refusesAFileItCannotRead()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, instead);
    const QString file = path("broken.slf");
    if (!bytes.isNull())
        QVERIFY(writeFile(file, bytes));
    if (instead == "folder")
        QVERIFY(QDir().mkdir(file));
    if (instead == "zero")
        QVERIFY(QFile::link("/dev/zero", file));
    std::unique_ptr<FifoWatch> fifo;
    if (instead == "fifo") {
        fifo = std::make_unique<FifoWatch>(file);
        QVERIFY(fifo->isMade());
    }
    m_window->newFile();
    DialogScript script;
    script.answerBox(SkinMessageBox::ResultOk);
    m_window->openFiles({"broken.slf"});
    // No tab stays bound to the file, and the user is told.
    QCOMPARE(titles(*m_window), QStringList({"untitled1"}));
    QCOMPARE(tabControl()->currentIndex(), 0);
    QCOMPARE(script.boxTexts(), QStringList({"Cannot open file " + file}));
    QCOMPARE(script.boxes().first().icon, int(SkinMessageBox::IconError));
    QVERIFY2(!fifo || !fifo->releasedAReader(), "the window waited for a writer");
    // So no later save can overwrite it.
    script.cancelFile();
    m_window->saveAll();
    if (!bytes.isNull())
        QCOMPARE(readFile(file), bytes);
    QCOMPARE(script.unexpected(), QStringList());
}

void TestMainWindowFiles::opensTheHandedOverMessage_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("titles");
    QTest::newRow("two documents") << "a.slf,b.slf," << QStringList{"a", "b"};
    QTest::newRow("absolute paths") << "%1/a.slf,%1/b.slf," << QStringList{"a", "b"};
    QTest::newRow("one twice") << "a.slf,./a.slf," << QStringList{"a"};
    QTest::newRow("empty") << "" << QStringList();
    QTest::newRow("a package") << "c.slp," << QStringList();
    QTest::newRow("empty parts and a picture") << ",a.slf,,photo.png," << QStringList{"a"};
}

void TestMainWindowFiles::opensTheHandedOverMessage()
{
    QFETCH(QString, message);
    QFETCH(QStringList, titles);
    document("a.slf");
    document("b.slf");
    picture("photo.png", 10);
    DialogScript script;
    m_window->openFile(message.arg(m_files->path()));
    QCOMPARE(windowfixture::titles(*m_window), titles);
    QCOMPARE(script.unexpected(), QStringList());
}

void TestMainWindowFiles::comesToTheFrontForAnyMessage()
{
    m_window->showMinimized();
    QVERIFY(m_window->windowState() & Qt::WindowMinimized);
    m_window->openFile(QString());
    QVERIFY(!(m_window->windowState() & Qt::WindowMinimized));
    QCOMPARE(QApplication::activeWindow(), m_window);
    QCOMPARE(m_window->sketchViews().size(), 0);
}

void TestMainWindowFiles::dropsImagesIntoTheViewAndOpensDocuments_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("bigSide"); // the stored side of the 400-pixel picture
    QTest::newRow("compressed") << int(SkinMessageBox::ResultYes) << 120;
    QTest::newRow("full size") << int(SkinMessageBox::ResultNo) << 400;
    QTest::newRow("box closed") << int(SkinMessageBox::ResultCancel) << 400;
}

void TestMainWindowFiles::dropsImagesIntoTheViewAndOpensDocuments()
{
    QFETCH(int, answer);
    QFETCH(int, bigSide);
    m_window->newFile();
    SketchDocumentView *view = m_window->currentDocumentView();
    view->setCurrentTool(SketchToolTypeRect, false);
    const QList<QUrl> urls{QUrl::fromLocalFile(picture("big.png", 400)),
                           QUrl::fromLocalFile(document("doc.slf")),
                           QUrl::fromLocalFile(picture("small.png", 100)),
                           QUrl::fromLocalFile(path("notes.txt")), QUrl("http://example.org/x.png")};
    DialogScript script;
    script.answerBox(answer);
    emit view->urlsDroped(urls);
    // One question for both pictures, asked over the view.
    QCOMPARE(script.boxTexts(), QStringList({"Images need to be compressed automatically?"}));
    QCOMPARE(script.boxes().first().buttons, int(SkinMessageBox::ButtonsYesNo));
    QCOMPARE(view->currentToolType(), int(SketchToolTypeSelect));
    const QList<SketchShape *> shapes = view->currentLayer()->shapes();
    QCOMPARE(shapes.size(), 2);
    QCOMPARE(shapes.at(0)->fill().picture().size(), QSize(bigSide, bigSide));
    QCOMPARE(shapes.at(1)->fill().picture().size(), QSize(100, 100)); // too small to compress
    // Then the document, in a tab of its own that becomes current.
    QCOMPARE(titles(*m_window), QStringList({"untitled1", "doc"}));
    QCOMPARE(tabControl()->currentIndex(), 1);
    QCOMPARE(script.unexpected(), QStringList());
}

void TestMainWindowFiles::dropsWithoutADocumentViewInsertNothing()
{
    DialogScript script;
    const QList<QUrl> urls{QUrl::fromLocalFile(picture("big.png", 400)),
                           QUrl::fromLocalFile(document("doc.slf"))};
    // Dropped on the tab control with no tab open: the document opens.
    emit tabControl()->urlsDroped(urls);
    QCOMPARE(titles(*m_window), QStringList({"doc"}));
    // With a page current that is no document: no question, no picture;
    // the document's tab is selected.
    SketchView *plain = addPlainPage();
    QCOMPARE(m_window->currentSketchView(), plain);
    emit tabControl()->urlsDroped(urls);
    QCOMPARE(tabControl()->currentIndex(), 0);
    QCOMPARE(script.boxes().size(), 0);
    QCOMPARE(m_window->sketchViews().size(), 2);
    QCOMPARE(qobject_cast<SketchDocumentView *>(m_window->sketchViewAt(0))->document()->shapeCount(), 2);
    // An empty drop does nothing at all.
    QSignalSpy refreshes(tabControl(), &SkinTabControl::selectedIndexChanged);
    m_window->sketchViewUrlsDroped({});
    QCOMPARE(refreshes.count(), 0);
}

// --- Saving ---------------------------------------------------------------------------

void TestMainWindowFiles::savesANewDocumentUnderTheChosenName()
{
    m_window->newFile();
    SketchView *view = m_window->currentSketchView();
    modify(view);
    DialogScript script;
    script.answerFile(path("first.slf"));
    QVERIFY(m_window->saveFile());
    const FileDialogs::Request request = script.fileRequests().value(0);
    QCOMPARE(request.kind, FileDialogs::Kind::SaveFile);
    QCOMPARE(request.caption, QString("Save"));
    QCOMPARE(request.directory, QString("untitled1"));
    QCOMPARE(request.filter, QString("Storyloom Files(*.slf)"));
    QVERIFY(readFile(path("first.slf")).contains("<Storyloom>"));
    QCOMPARE(view->fileName(), path("first.slf"));
    QCOMPARE(tabTexts(*m_window), QStringList({"first @ 100%"}));
    QVERIFY(!view->isModified());
    QCOMPARE(script.unexpected(), QStringList());
}

void TestMainWindowFiles::savesAgainWithoutAsking()
{
    m_window->openFiles({document("red.slf")});
    SketchDocumentView *view = m_window->currentDocumentView();
    view->selectAll();
    view->deleteSelection();
    QVERIFY(view->isModified());
    DialogScript script;
    QVERIFY(m_window->saveFile());
    QVERIFY(!readFile(path("red.slf")).contains("<Shape"));
    QCOMPARE(tabTexts(*m_window), QStringList({"red @ 100%"}));
    QCOMPARE(script.fileRequests().size(), 0);
}

void TestMainWindowFiles::asksAgainForAFileThatVanished()
{
    m_window->openFiles({document("red.slf")});
    QVERIFY(QFile::remove(path("red.slf")));
    DialogScript script;
    script.answerFile(path("again.slf"));
    QVERIFY(m_window->saveFile());
    QCOMPARE(script.fileRequests().value(0).directory, QString("red"));
    QVERIFY(QFile::exists(path("again.slf")));
    QCOMPARE(titles(*m_window), QStringList({"again"}));
}

void TestMainWindowFiles::keepsATabModifiedWhenItsSaveIsCancelled()
{
    m_window->newFile();
    modify(m_window->currentSketchView());
    DialogScript script;
    script.cancelFile();
    QVERIFY(!m_window->saveFile());
    QCOMPARE(tabTexts(*m_window), QStringList({"untitled1 @ 100% *"}));
    QVERIFY(m_window->currentSketchView()->fileName().isEmpty());
    script.answerBox(SkinMessageBox::ResultNo);
    QVERIFY(m_window->closeCurView());
    // With no tab there is nothing to save, and nothing is asked.
    QVERIFY(!m_window->saveFile());
    QCOMPARE(script.unexpected(), QStringList());
}

void TestMainWindowFiles::reportsAWriteThatFailed_data()
{
    QTest::addColumn<bool>("hasFile");
    QTest::newRow("chosen name in no folder") << false;
    QTest::newRow("own file replaced by a folder") << true;
}

void TestMainWindowFiles::reportsAWriteThatFailed()
{
    QFETCH(bool, hasFile);
    DialogScript script;
    QString target = path("missing/new.slf");
    if (hasFile) {
        target = document("red.slf");
        m_window->openFiles({target});
        QVERIFY(QFile::remove(target));
        QVERIFY(QDir().mkdir(target));
    } else {
        m_window->newFile();
        script.answerFile(target);
    }
    SketchView *view = m_window->currentSketchView();
    modify(view);
    const QString before = view->fileName();
    script.answerBox(SkinMessageBox::ResultOk);
    QVERIFY(!m_window->saveView(0));
    QCOMPARE(script.boxTexts(), QStringList({"Cannot save file " + target}));
    QCOMPARE(script.boxes().first().icon, int(SkinMessageBox::IconError));
    QVERIFY(view->isModified());
    QVERIFY(tabTexts(*m_window).first().endsWith(" *"));
    QCOMPARE(view->fileName(), before);
    QCOMPARE(script.unexpected(), QStringList());
}

void TestMainWindowFiles::savesAsANewFileEvenWithOne()
{
    m_window->openFiles({document("red.slf")});
    const QByteArray original = readFile(path("red.slf"));
    modify(m_window->currentSketchView());
    DialogScript script;
    script.answerFile(path("copy.slf"));
    m_window->saveAs();
    QCOMPARE(script.fileRequests().value(0).directory, QString("red"));
    QCOMPARE(tabTexts(*m_window), QStringList({"copy @ 100%"}));
    QVERIFY(QFile::exists(path("copy.slf")));
    QCOMPARE(readFile(path("red.slf")), original);
    // Saved: closing asks nothing.
    QVERIFY(m_window->closeCurView());
    QCOMPARE(script.boxes().size(), 0);

    // Cancelled, it changes nothing.
    m_window->newFile();
    modify(m_window->currentSketchView());
    script.cancelFile();
    m_window->saveAs();
    QCOMPARE(tabTexts(*m_window), QStringList({"untitled1 @ 100% *"}));
    QCOMPARE(script.unexpected(), QStringList());
}

void TestMainWindowFiles::asksBeforeOverwritingAFileChangedElsewhere_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<int>("answer");
    for (const int answer : {int(SkinMessageBox::ResultNo), int(SkinMessageBox::ResultYes)}) {
        const char *word = answer == SkinMessageBox::ResultYes ? "yes" : "no";
        QTest::addRow("written in place, %s", word) << "in place" << answer;
        // Same size and modification time: only the file itself differs.
        QTest::addRow("replaced by a twin, %s", word) << "twin" << answer;
    }
}

void TestMainWindowFiles::asksBeforeOverwritingAFileChangedElsewhere()
{
    QFETCH(QString, change);
    QFETCH(int, answer);
    const QString file = document("red.slf");
    m_window->openFiles({file});
    SketchDocumentView *view = m_window->currentDocumentView();
    view->selectAll();
    view->deleteSelection();

    QByteArray theirs;
    if (change == "in place") {
        theirs = programfixture::greenPage();
        QFile inPlace(file);
        QVERIFY(inPlace.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(inPlace.write(theirs), qint64(theirs.size()));
    } else {
        theirs = readFile(file);
        theirs.replace("#d02020", "#d02021");
        QVERIFY(writeFile(path("twin"), theirs));
        struct stat status;
        QCOMPARE(::stat(QFile::encodeName(file).constData(), &status), 0);
        const timespec times[2] = {status.st_atim, status.st_mtim};
        QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(path("twin")).constData(), times, 0), 0);
        QVERIFY(::rename(QFile::encodeName(path("twin")).constData(), QFile::encodeName(file).constData()) == 0);
    }

    DialogScript script;
    script.answerBox(answer);
    const bool saved = m_window->saveFile();
    QCOMPARE(script.boxTexts(),
             QStringList({"The file \"" + file + "\" was changed by another program. Overwrite it?"}));
    QCOMPARE(script.boxes().first().title, QString("Confirm"));
    QCOMPARE(script.boxes().first().buttons, int(SkinMessageBox::ButtonsYesNo));
    if (answer == SkinMessageBox::ResultNo) {
        QVERIFY(!saved);
        QCOMPARE(readFile(file), theirs);
        QVERIFY(view->isModified());
        QCOMPARE(tabTexts(*m_window), QStringList({"red @ 100% *"}));
    } else {
        QVERIFY(saved);
        QVERIFY(!readFile(file).contains("<Shape"));
        QCOMPARE(tabTexts(*m_window), QStringList({"red @ 100%"}));
        // The file is now the view's own again: the next save asks nothing.
        modify(view);
        QVERIFY(m_window->saveFile());
        QCOMPARE(script.boxes().size(), 1);
    }
    QCOMPARE(script.unexpected(), QStringList());
}

// Save As asks only when the chosen name is the changed file itself.
void TestMainWindowFiles::savesAsOverTheChangedFileOnlyWhenAllowed()
{
    const QString file = document("red.slf");
    m_window->openFiles({file});
    modify(m_window->currentSketchView());
    QVERIFY(writeFile(file, programfixture::greenPage()));

    DialogScript script;
    script.answerFile(path("copy.slf"));
    m_window->saveAs();
    QCOMPARE(script.boxes().size(), 0);
    QCOMPARE(titles(*m_window), QStringList({"copy"}));

    // The copy is the tab's file now; the changed red.slf is not.
    QVERIFY(writeFile(path("copy.slf"), programfixture::greenPage()));
    modify(m_window->currentSketchView());
    script.answerFile("./copy.slf");
    script.answerBox(SkinMessageBox::ResultNo);
    m_window->saveAs();
    QCOMPARE(script.boxes().size(), 1);
    QCOMPARE(readFile(path("copy.slf")), programfixture::greenPage());
    QCOMPARE(tabTexts(*m_window), QStringList({"copy @ 100% *"}));
    QCOMPARE(readFile(file), programfixture::greenPage());
    QCOMPARE(script.unexpected(), QStringList());
}

void TestMainWindowFiles::savesAllTabsPastOneThatIsNotSaved()
{
    m_window->newFile(); // asks, cancelled
    modify(m_window->currentSketchView());
    m_window->openFiles({document("red.slf")}); // saved silently
    modify(m_window->currentSketchView());
    m_window->newFile(); // asks, written
    modify(m_window->currentSketchView());
    // Another program's version: overwritten only once the user says so.
    QFile::remove(path("red.slf"));
    QVERIFY(writeFile(path("red.slf"), programfixture::greenPage()));
    DialogScript script;
    script.cancelFile();
    script.answerBox(SkinMessageBox::ResultYes);
    script.answerFile(path("third.slf"));
    m_window->saveAll();
    QCOMPARE(script.fileRequests().size(), 2);
    QCOMPARE(script.boxes().size(), 1);
    QCOMPARE(tabTexts(*m_window),
             QStringList({"untitled1 @ 100% *", "red @ 100%", "third @ 100%"}));
    QVERIFY(readFile(path("red.slf")).contains("#d02020"));
    QVERIFY(QFile::exists(path("third.slf")));
    QCOMPARE(script.unexpected(), QStringList());
}

void TestMainWindowFiles::skipsPagesThatAreNoDocuments()
{
    SketchView *plain = addPlainPage();
    plain->setModified(true);
    DialogScript script;
    QVERIFY(!m_window->saveFile());
    m_window->saveAs();
    m_window->saveAll();
    QCOMPARE(script.fileRequests().size(), 0);
    QVERIFY(plain->isModified());
    QCOMPARE(script.unexpected(), QStringList());
}

// --- Closing --------------------------------------------------------------------------

void TestMainWindowFiles::closesByTheAnswer_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("written");
    QTest::newRow("Yes") << int(SkinMessageBox::ResultYes) << true << true;
    QTest::newRow("No") << int(SkinMessageBox::ResultNo) << true << false;
    QTest::newRow("Cancel") << int(SkinMessageBox::ResultCancel) << false << false;
}

void TestMainWindowFiles::closesByTheAnswer()
{
    QFETCH(int, answer);
    QFETCH(bool, closed);
    QFETCH(bool, written);
    m_window->openFiles({document("red.slf")});
    SketchDocumentView *view = m_window->currentDocumentView();
    view->selectAll();
    view->deleteSelection();
    m_window->newFile(); // not modified: closes without a question
    DialogScript script;
    script.answerBox(answer);
    QVERIFY(m_window->closeView(1));
    QCOMPARE(m_window->closeView(0), closed);
    QCOMPARE(script.boxTexts(),
             QStringList({"The file \"red\" has been modified.\nDo you want to save your changes?"}));
    QCOMPARE(script.boxes().first().buttons, int(SkinMessageBox::ButtonsYesNoCancel));
    QCOMPARE(m_window->sketchViews().size(), closed ? 0 : 1);
    QCOMPARE(!readFile(path("red.slf")).contains("<Shape"), written);
    QCOMPARE(script.unexpected(), QStringList());
}

void TestMainWindowFiles::keepsTheTabWhenItsSaveFails()
{
    m_window->newFile();
    modify(m_window->currentSketchView());
    DialogScript script;
    script.answerBox(SkinMessageBox::ResultYes);
    script.answerFile(path("missing/x.slf"));
    script.answerBox(SkinMessageBox::ResultOk); // the failed write
    QVERIFY(!m_window->closeCurView());
    QCOMPARE(script.boxes().size(), 2);
    QCOMPARE(titles(*m_window), QStringList({"untitled1"}));

    script.answerBox(SkinMessageBox::ResultYes);
    script.cancelFile();
    QVERIFY(!m_window->closeCurView());
    QCOMPARE(titles(*m_window), QStringList({"untitled1"}));
    QCOMPARE(script.unexpected(), QStringList());
}

void TestMainWindowFiles::endsTheRunAtTheFirstTabThatStays_data()
{
    // How the run starts; the answers, from the last tab to the first (0 is
    // Yes with a save that fails); the tabs left.
    QTest::addColumn<QString>("how");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QStringList>("left");
    const int no = SkinMessageBox::ResultNo;
    const int cancel = SkinMessageBox::ResultCancel;
    const QStringList all{"untitled1", "untitled2", "untitled3"};
    for (const char *how : {"Close All", "Exit", "close box"}) {
        QTest::addRow("%s, Cancel", how) << how << QList<int>{cancel} << all;
        QTest::addRow("%s, No, Cancel", how) << how << QList<int>{no, cancel} << QStringList{"untitled1", "untitled2"};
        QTest::addRow("%s, failed save", how) << how << QList<int>{0} << all;
    }
    QTest::newRow("Close All, No, No, Cancel") << "Close All" << QList<int>{no, no, cancel} << QStringList{"untitled1"};
    QTest::newRow("Close All, No, failed save") << "Close All" << QList<int>{no, 0}
                                                << QStringList{"untitled1", "untitled2"};
    QTest::newRow("Exit, No, No, No") << "Exit" << QList<int>{no, no, no} << QStringList();
}

void TestMainWindowFiles::endsTheRunAtTheFirstTabThatStays()
{
    QFETCH(QString, how);
    QFETCH(QList<int>, answers);
    QFETCH(QStringList, left);
    for (int i = 0; i < 3; ++i) {
        m_window->newFile();
        modify(m_window->currentSketchView());
    }
    QSignalSpy closed(m_window, &SkinWindow::windowClosed);
    DialogScript script;
    for (int answer : qAsConst(answers)) {
        if (answer != 0) {
            script.answerBox(answer);
            continue;
        }
        script.answerBox(SkinMessageBox::ResultYes);
        script.answerFile(path("missing/x.slf"));
        script.answerBox(SkinMessageBox::ResultOk); // the failed write
    }
    if (how == "Close All")
        m_window->closeAllViews();
    else if (how == "Exit")
        m_window->menuBar()->actions().first()->menu()->actions().last()->trigger();
    else
        m_window->close();

    // Nothing is asked past the answer that keeps a tab; the tabs not
    // reached keep their changes, and the window stays while any is left.
    QCOMPARE(script.unexpected(), QStringList());
    QStringList asked;
    for (const DialogScript::Box &box : script.boxes()) {
        if (box.buttons == int(SkinMessageBox::ButtonsYesNoCancel))
            asked.append(box.text.section('"', 1, 1));
    }
    QCOMPARE(asked, (QStringList{"untitled3", "untitled2", "untitled1"}).mid(0, answers.size()));
    QCOMPARE(titles(*m_window), left);
    for (const SketchView *view : m_window->sketchViews())
        QVERIFY(view->isModified());
    if (how != "Close All") {
        QCOMPARE(m_window->isVisible(), !left.isEmpty());
        QCOMPARE(closed.count(), left.isEmpty() ? 1 : 0);
    }
}

void TestMainWindowFiles::closesTheOthersUntilOneStays()
{
    for (int i = 0; i < 4; ++i) {
        m_window->newFile();
        modify(m_window->currentSketchView());
    }
    tabControl()->setCurrentIndex(2);
    DialogScript script;
    // In tab order; Cancel on the second ends the run before the fourth.
    script.answerBox(SkinMessageBox::ResultNo);
    script.answerBox(SkinMessageBox::ResultCancel);
    m_window->closeOtherViews();
    QCOMPARE(script.boxes().size(), 2);
    QVERIFY(script.boxes().at(1).text.contains("\"untitled2\""));
    QCOMPARE(titles(*m_window), QStringList({"untitled2", "untitled3", "untitled4"}));
    QCOMPARE(script.unexpected(), QStringList());
}

void TestMainWindowFiles::closesTheWindowOnlyWithoutTabs_data()
{
    QTest::addColumn<bool>("byExit"); // File > Exit, else a close of the window
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closes");
    QTest::newRow("closed, Cancel") << false << int(SkinMessageBox::ResultCancel) << false;
    QTest::newRow("closed, No") << false << int(SkinMessageBox::ResultNo) << true;
    QTest::newRow("Exit, Cancel") << true << int(SkinMessageBox::ResultCancel) << false;
    QTest::newRow("Exit, No") << true << int(SkinMessageBox::ResultNo) << true;
}

void TestMainWindowFiles::closesTheWindowOnlyWithoutTabs()
{
    QFETCH(bool, byExit);
    QFETCH(int, answer);
    QFETCH(bool, closes);
    m_window->newFile();
    m_window->newFile();
    modify(m_window->currentSketchView());
    QSignalSpy closed(m_window, &SkinWindow::windowClosed);
    DialogScript script;
    script.answerBox(answer);
    if (byExit) {
        QAction *exit = m_window->menuBar()->actions().first()->menu()->actions().last();
        QCOMPARE(exit->text(), QString("Exit"));
        exit->trigger();
    } else {
        QCOMPARE(m_window->close(), closes);
    }
    QCOMPARE(m_window->isVisible(), !closes);
    QCOMPARE(closed.count(), closes ? 1 : 0);
    // Cancel ends the run: the unmodified tab, not yet reached, stays too.
    QCOMPARE(titles(*m_window), closes ? QStringList() : QStringList({"untitled1", "untitled2"}));
    QCOMPARE(script.unexpected(), QStringList());
}

// --- Group-editing tabs -----------------------------------------------------------------

void TestMainWindowFiles::savesAGroupTabIntoItsGroup()
{
    SketchDocumentView *source = nullptr;
    SketchDocumentView *editing = nullptr;
    SketchGroup *group = openGroupEditing(&source, &editing);
    QVERIFY(group);
    const QList<SketchShape *> membersBefore = group->shapes();
    const int stepsBefore = source->commandManager()->undoCount();
    const QByteArray fileBefore = readFile(path("source.slf"));
    // One shape fewer in the group's tab.
    editing->document()->layers().first()->shapes().first()->setSelected(true);
    editing->deleteSelection();
    DialogScript script;
    QVERIFY(m_window->saveView(1));
    // Into the group, as one step of the source tab's history; no file.
    QCOMPARE(group->shapes().size(), 1);
    QVERIFY(!membersBefore.contains(group->shapes().first()));
    QCOMPARE(source->commandManager()->undoCount(), stepsBefore + 1);
    QCOMPARE(source->commandManager()->lastCommand()->text(), QString("groupEdited"));
    QCOMPARE(tabTexts(*m_window), QStringList({"source @ 100% *", "source-group @ 100%"}));
    QVERIFY(!editing->isModified());
    QCOMPARE(readFile(path("source.slf")), fileBefore);
    QCOMPARE(script.fileRequests().size(), 0);
    // Undone in the source tab, the group has its two members again.
    source->commandManager()->undo();
    QCOMPARE(group->shapes().size(), 2);
}

void TestMainWindowFiles::refusesToSaveAGroupThatIsGone_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("grouping undone") << "undo";
    QTest::newRow("ungrouped") << "ungroup";
    QTest::newRow("deleted") << "delete";
}

void TestMainWindowFiles::refusesToSaveAGroupThatIsGone()
{
    QFETCH(QString, how);
    SketchDocumentView *source = nullptr;
    SketchDocumentView *editing = nullptr;
    SketchGroup *group = openGroupEditing(&source, &editing);
    QVERIFY(group);
    source->clearSelection();
    group->setSelected(true);
    if (how == "undo")
        source->commandManager()->undo();
    else if (how == "ungroup")
        source->unGroupSelection();
    else
        source->deleteSelection();
    QVERIFY(!source->currentLayer()->shapes().contains(group));
    const int steps = source->commandManager()->undoCount();
    const QByteArray fileBefore = readFile(path("source.slf"));
    DialogScript script;
    script.answerBox(SkinMessageBox::ResultOk);
    QVERIFY(!m_window->saveView(1));
    QCOMPARE(script.boxes().size(), 1);
    QVERIFY2(script.boxes().first().text.contains("no longer in its document"),
             qPrintable(script.boxes().first().text));
    QVERIFY(editing->isModified());
    QCOMPARE(source->commandManager()->undoCount(), steps);
    QCOMPARE(readFile(path("source.slf")), fileBefore);
    QCOMPARE(script.fileRequests().size(), 0);
    QCOMPARE(script.unexpected(), QStringList());
}

void TestMainWindowFiles::closesAGroupTabBeforeItsSource()
{
    SketchDocumentView *source = nullptr;
    SketchDocumentView *editing = nullptr;
    QVERIFY(openGroupEditing(&source, &editing));
    m_window->newFile(); // after both, so the group tab is not the last
    QVERIFY(!source->isModified());
    DialogScript script;
    script.answerBox(SkinMessageBox::ResultYes); // the group tab: written back
    script.answerBox(SkinMessageBox::ResultNo);  // the source, modified by that
    QVERIFY(m_window->closeView(0));
    QCOMPARE(script.boxes().size(), 2);
    QVERIFY(script.boxes().at(0).text.contains("\"source-group\""));
    QVERIFY(script.boxes().at(1).text.contains("\"source\""));
    QCOMPARE(titles(*m_window), QStringList({"untitled1"}));
    QCOMPARE(script.unexpected(), QStringList());
}

void TestMainWindowFiles::keepsTheSourceWhenItsGroupTabStays()
{
    SketchDocumentView *source = nullptr;
    SketchDocumentView *editing = nullptr;
    QVERIFY(openGroupEditing(&source, &editing));
    DialogScript script;
    script.answerBox(SkinMessageBox::ResultCancel);
    QVERIFY(!m_window->closeView(0));
    QCOMPARE(titles(*m_window), QStringList({"source", "source-group"}));
    QCOMPARE(script.unexpected(), QStringList());
}

QTEST_MAIN(TestMainWindowFiles)
#include "tst_mainwindowfiles.moc"
