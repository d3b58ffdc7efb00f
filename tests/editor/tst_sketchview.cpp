// The page base class: caption, zoom, file name and title, the default
// operations and the notifications.

#include "support/paintcounter.h"
#include "support/pixels.h"
#include "support/shapes.h"

#include "commands/sketchcommand.h"
#include "commands/sketchcommandmanager.h"
#include "editor/sketchdocumentview.h"
#include "editor/sketchview.h"

#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>
#include <QStandardPaths>
#include <QtTest>

namespace {

// A page whose copy succeeds or fails on demand.
class ClipboardPage : public SketchView
{
public:
    bool copyResult = false;
    int copies = 0;
    int deletions = 0;
    bool copy() override
    {
        ++copies;
        return copyResult;
    }
    void deleteSelection() override { ++deletions; }
};

// A page whose title, modified flag and zoom come from overrides.
class CatalogueLikePage : public SketchView
{
public:
    QString title() const override { return QStringLiteral("Catalogue"); }
    bool isModified() const override { return true; }
    float zoom() const override { return 0.5f; }
};

} // namespace

class TestSketchView : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void newViewDefaults();
    void caption_data();
    void caption();
    void captionUsesOverrides();
    void zoomClamps_data();
    void zoomClamps();
    void zoomSignalsOnlyRealChanges();
    void fileNameSetsTitle_data();
    void fileNameSetsTitle();
    void cutDeletesOnlyAfterACopy_data();
    void cutDeletesOnlyAfterACopy();
    void openFileForgetsHistory();
    void notifications();
    void endTextEdit_data();
    void endTextEdit();
    void samePaperDoesNotRepaint();
    void paperRectFollowsOverride();
    void contextMenuIsNotOwned();
};

void TestSketchView::newViewDefaults()
{
    SketchView view;
    QCOMPARE(view.zoom(), 1.0f);
    QVERIFY(!view.isModified());
    QCOMPARE(view.paperSize(), QSize(842, 595));
    QVERIFY(view.paperColor() == SkinBrush::whiteBrush());
    QVERIFY(view.paperBorder() == SketchStroke());
    QVERIFY(view.fileName().isEmpty());
    QVERIFY(view.title().isEmpty());
    QCOMPARE(view.fileSuffix(), QStringLiteral("*.*"));
    QCOMPARE(view.fileFilter(), QStringLiteral("All files(*.*)"));
    QVERIFY(view.commandManager());
    QVERIFY(view.textEditor()->isHidden());
    QVERIFY(view.toolTipTimer()->isSingleShot());
    QCOMPARE(view.toolTipTimer()->interval(), 500);
    QVERIFY(!view.toolTipTimer()->isActive());
    QVERIFY(!view.contextMenu());
    QVERIFY(view.hasMouseTracking());
    QVERIFY(view.acceptDrops());

    // Every test the main window enables its actions with is off for a
    // plain page, and nothing is there to save.
    QVERIFY(!view.canCopy() && !view.canCut() && !view.canPaste() && !view.canDelete());
    QVERIFY(!view.canEditText() && !view.canEditName() && !view.canSelectAll());
    QVERIFY(!view.isEmpty());
    QVERIFY(!view.copy());
    QVERIFY(!view.saveFile(QStringLiteral("ignored.slf")));
    QVERIFY(view.workId().isEmpty() && view.workTitle().isEmpty() && view.workTags().isEmpty());
    view.setWorkTitle(QStringLiteral("ignored"));
    QVERIFY(view.workTitle().isEmpty());
}

void TestSketchView::caption_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<float>("zoom");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<QString>("caption");

    QTest::newRow("untitled") << QString() << 1.0f << false << "untitled @ 100%";
    QTest::newRow("modified") << "page1" << 2.5f << true << "page1 @ 250% *";
    QTest::newRow("smallest zoom") << "a" << 0.2f << false << "a @ 20%";
    QTest::newRow("fine step") << "a" << 0.6f << false << "a @ 60%";
    QTest::newRow("largest zoom") << "a" << 8.0f << true << "a @ 800% *";
    // A title is never taken for a placeholder.
    QTest::newRow("percent in title") << "50%2 off %1" << 1.0f << true << "50%2 off %1 @ 100% *";
}

void TestSketchView::caption()
{
    QFETCH(QString, title);
    QFETCH(float, zoom);
    QFETCH(bool, modified);
    QFETCH(QString, caption);

    SketchView view;
    view.setTitle(title);
    view.setZoom(zoom);
    view.setModified(modified);
    QCOMPARE(view.caption(), caption);
}

void TestSketchView::captionUsesOverrides()
{
    CatalogueLikePage page;
    QCOMPARE(page.caption(), QStringLiteral("Catalogue @ 50% *"));
}

void TestSketchView::zoomClamps_data()
{
    QTest::addColumn<float>("requested");
    QTest::addColumn<float>("stored");

    QTest::newRow("below") << 0.1f << 0.2f;
    QTest::newRow("far below") << -3.0f << 0.2f;
    QTest::newRow("lowest") << 0.2f << 0.2f;
    QTest::newRow("inside") << 3.5f << 3.5f;
    QTest::newRow("highest") << 8.0f << 8.0f;
    QTest::newRow("above") << 20.0f << 8.0f;
}

void TestSketchView::zoomClamps()
{
    QFETCH(float, requested);
    QFETCH(float, stored);

    SketchView view;
    view.setZoom(requested);
    QCOMPARE(view.zoom(), stored);
}

void TestSketchView::zoomSignalsOnlyRealChanges()
{
    SketchView view;
    QSignalSpy spy(&view, &SketchView::zoomChanged);
    view.setZoom(2.0f);
    view.setZoom(2.0f);
    QCOMPARE(spy.count(), 1);
    view.setZoom(20.0f);
    view.setZoom(9.0f); // clamps to the 8 already stored
    QCOMPARE(spy.count(), 2);
    view.setZoom(1.0f);
    QCOMPARE(spy.count(), 3);
    view.setZoom(1.0f);
    QCOMPARE(spy.count(), 3);
}

void TestSketchView::fileNameSetsTitle_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("title");

    QTest::newRow("plain") << "/tmp/folder/page.slf" << "page";
    QTest::newRow("first dot ends it") << "/tmp/folder/page.one.slf" << "page";
    QTest::newRow("no suffix") << "relative/comic" << "comic";
    QTest::newRow("empty keeps the title") << QString() << "before";
}

void TestSketchView::fileNameSetsTitle()
{
    QFETCH(QString, fileName);
    QFETCH(QString, title);

    SketchView view;
    view.setTitle(QStringLiteral("before"));
    view.setFileName(fileName);
    QCOMPARE(view.fileName(), fileName);
    QCOMPARE(view.title(), title);
}

void TestSketchView::cutDeletesOnlyAfterACopy_data()
{
    QTest::addColumn<bool>("copyResult");
    QTest::addColumn<int>("deletions");
    QTest::newRow("copy fails") << false << 0;
    QTest::newRow("copy succeeds") << true << 1;
}

void TestSketchView::cutDeletesOnlyAfterACopy()
{
    QFETCH(bool, copyResult);
    QFETCH(int, deletions);

    ClipboardPage page;
    page.copyResult = copyResult;
    page.cut();
    QCOMPARE(page.copies, 1);
    QCOMPARE(page.deletions, deletions);
}

void TestSketchView::openFileForgetsHistory()
{
    SketchView view;
    view.commandManager()->push(new SketchCommand(&view), QStringLiteral("edit"));
    QVERIFY(view.isModified());
    QSignalSpy undo(&view, &SketchView::undoManagerChanged);
    QSignalSpy sketch(&view, &SketchView::sketchChanged);

    QVERIFY(view.openFile(QStringLiteral("anything")));
    QCOMPARE(view.commandManager()->undoCount(), 0);
    QVERIFY(!view.isModified());
    QCOMPARE(undo.count(), 1);
    QCOMPARE(sketch.count(), 0);
    // The base page reads nothing, so it does not take the name over.
    QVERIFY(view.fileName().isEmpty());
}

void TestSketchView::notifications()
{
    SketchView view;
    QSignalSpy sketch(&view, &SketchView::sketchChanged);
    QSignalSpy selection(&view, &SketchView::selectionChanged);
    QSignalSpy undo(&view, &SketchView::undoManagerChanged);

    view.onSketchChanged();
    QVERIFY(view.isModified());
    QCOMPARE(sketch.count(), 1);

    view.setModified(false);
    view.onUndoManagerChanged();
    view.onSelectionChanged();
    view.selectAll();
    QVERIFY(!view.isModified());
    QCOMPARE(undo.count(), 1);
    QCOMPARE(selection.count(), 2);
    QCOMPARE(sketch.count(), 1);
}

void TestSketchView::endTextEdit_data()
{
    QTest::addColumn<bool>("editorShown");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<bool>("viewTakesFocus");
    QTest::newRow("shown, accepted") << true << true << true;
    QTest::newRow("shown, dropped") << true << false << true;
    QTest::newRow("hidden") << false << false << false;
}

// Ending an edit hides the editor and gives the view the focus; with no
// edit open nothing changes, the focus included.
void TestSketchView::endTextEdit()
{
    QFETCH(bool, editorShown);
    QFETCH(bool, accept);
    QFETCH(bool, viewTakesFocus);
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *other = new QLineEdit(&window);
    auto *view = new SketchView(&window);
    layout->addWidget(other);
    layout->addWidget(view);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    if (editorShown)
        view->textEditor()->show();
    other->setFocus();
    view->endTextEdit(accept);
    QVERIFY(view->textEditor()->isHidden());
    QCOMPARE(window.focusWidget(), viewTakesFocus ? static_cast<QWidget *>(view) : static_cast<QWidget *>(other));
}

void TestSketchView::samePaperDoesNotRepaint()
{
    SketchView view;
    view.resize(100, 100);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QCoreApplication::processEvents();
    PaintCounter paints(&view);

    view.setPaperColor(SkinBrush::whiteBrush());
    view.setPaperBorder(SketchStroke());
    QCoreApplication::processEvents();
    QCOMPARE(paints.count, 0);

    view.setPaperColor(SkinBrush(QColor(Qt::red)));
    QVERIFY(view.paperColor() == SkinBrush(QColor(Qt::red)));
    QTRY_VERIFY(paints.count > 0);

    paints.count = 0;
    view.setPaperBorder(SketchStroke(Qt::blue, 3, 1));
    QVERIFY(view.paperBorder() == SketchStroke(Qt::blue, 3, 1));
    QTRY_VERIFY(paints.count > 0);
}

void TestSketchView::paperRectFollowsOverride()
{
    SketchView plain;
    plain.setPaperSize(QSize(300, 200));
    QCOMPARE(plain.paperRect(), QRect(0, 0, 300, 200));

    SketchDocumentView documentView;
    documentView.setPaperSize(QSize(120, 90));
    QCOMPARE(documentView.paperRect(), QRect(0, 0, 120, 90));
}

void TestSketchView::contextMenuIsNotOwned()
{
    SketchView view;
    auto *menu = new QMenu;
    view.setContextMenu(menu);
    QCOMPARE(view.contextMenu(), menu);
    delete menu;
    QVERIFY(!view.contextMenu());
}

QTEST_MAIN(TestSketchView)
#include "tst_sketchview.moc"
