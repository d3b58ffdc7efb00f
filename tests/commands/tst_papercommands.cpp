#include "support/history.h"
#include "support/shapes.h"

#include "commands/sketchcommandchangepaperborder.h"
#include "commands/sketchcommandchangepapercolor.h"
#include "commands/sketchcommandmanager.h"
#include "commands/sketchcommandresizepaper.h"
#include "editor/sketchdocumentview.h"
#include "model/sketchdocument.h"
#include "model/sketchslice.h"
#include "model/sketchslicegrid.h"

#include <QStandardPaths>
#include <QtTest>

class TestPaperCommands : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void resizeUndoRedo();
    void resizeRebuildsSliceGrid();
    void resizeToolCommandUndoesToStart();
    void viewPaperAccessors();
    void colorUndoRedo();
    void sameColorChangesNothingButNotifies();
    void newBrushAfterPushAffectsRedo();
    void borderUndoRedo();
    void plainViewKeepsItsOwnPaper();
};

void TestPaperCommands::resizeUndoRedo()
{
    SketchDocumentView view(nullptr);
    QCOMPARE(view.paperSize(), QSize(842, 595));
    auto *command = new SketchCommandResizePaper(&view, 595, 842);
    QCOMPARE(command->newSize(), QSize(595, 842));
    QVERIFY(!command->isLayerCommand());
    QVERIFY(!command->isSliceCommand());
    view.commandManager()->push(command, "Resize Paper");
    QCOMPARE(view.paperSize(), QSize(595, 842));
    QCOMPARE(view.document()->paperSize(), QSize(595, 842));
    view.commandManager()->undo();
    QCOMPARE(view.paperSize(), QSize(842, 595));
    view.commandManager()->redo();
    QCOMPARE(view.paperSize(), QSize(595, 842));
}

void TestPaperCommands::resizeRebuildsSliceGrid()
{
    SketchDocumentView view(nullptr);
    SketchDocument *document = view.document();
    auto *slice = new SketchSlice(document);
    slice->setRect(QRect(100, 100, 100, 100));
    document->slices().append(slice);
    document->updateSliceGrid();
    auto lastColumnEnd = [document] { return document->sliceGrid()->columns().last()->end(); };
    auto lastRowEnd = [document] { return document->sliceGrid()->rows().last()->end(); };
    QCOMPARE(lastColumnEnd(), 842);

    view.commandManager()->push(new SketchCommandResizePaper(&view, 595, 842), "Resize Paper");
    QCOMPARE(lastColumnEnd(), 595);
    QCOMPARE(lastRowEnd(), 842);
    view.commandManager()->undo();
    QCOMPARE(lastColumnEnd(), 842);
    QCOMPARE(lastRowEnd(), 595);
    view.commandManager()->redo();
    QCOMPARE(lastColumnEnd(), 595);
}

void TestPaperCommands::resizeToolCommandUndoesToStart()
{
    SketchDocumentView view(nullptr);
    const QSize start = view.paperSize();
    auto *command = new SketchCommandResizePaper(&view, start.width(), start.height());
    // The drag resizes the paper directly and keeps the command in step.
    view.setPaperSize(QSize(870, 580));
    command->setNewSize(870, 580);
    view.setPaperSize(QSize(900, 600));
    command->setNewSize(900, 600);
    view.commandManager()->push(command, "resizePaper");
    QCOMPARE(view.paperSize(), QSize(900, 600));
    view.commandManager()->undo();
    QCOMPARE(view.paperSize(), QSize(842, 595));
    view.commandManager()->redo();
    QCOMPARE(view.paperSize(), QSize(900, 600));
}

void TestPaperCommands::viewPaperAccessors()
{
    SketchDocumentView view(nullptr);
    QCOMPARE(view.paperColor(), SkinBrush::whiteBrush());
    QCOMPARE(view.paperBorder(), SketchStroke(Qt::black, 1, 1));
    view.setPaperColor(SkinBrush(QColor(Qt::gray)));
    QCOMPARE(view.document()->paperColor(), SkinBrush(QColor(Qt::gray)));
    view.setPaperBorder(SketchStroke(Qt::red, 4, 0));
    QCOMPARE(view.document()->paperBorder(), SketchStroke(Qt::red, 4, 0));
    view.setPaperSize(QSize(100, 200));
    QCOMPARE(view.document()->paperSize(), QSize(100, 200));
}

void TestPaperCommands::colorUndoRedo()
{
    SketchDocumentView view(nullptr);
    const SkinBrush gradient(QColor(Qt::red), QColor(Qt::blue), true);
    view.commandManager()->push(new SketchCommandChangePaperColor(&view, gradient), "Change Paper Color");
    QCOMPARE(view.paperColor(), gradient);
    view.commandManager()->undo();
    QCOMPARE(view.paperColor(), SkinBrush::whiteBrush());
    view.commandManager()->redo();
    QCOMPARE(view.paperColor(), gradient);
}

void TestPaperCommands::sameColorChangesNothingButNotifies()
{
    SketchDocumentView view(nullptr);
    SignalLog log(&view);
    auto *command = new SketchCommandChangePaperColor(&view, view.paperColor());
    view.commandManager()->push(command, "Change Paper Color");
    QCOMPARE(view.paperColor(), SkinBrush::whiteBrush());
    QVERIFY(view.isModified());
    QCOMPARE(log.take(), (QStringList{"undoManagerChanged", "sketchChanged", "selectionChanged"}));
}

void TestPaperCommands::newBrushAfterPushAffectsRedo()
{
    SketchDocumentView view(nullptr);
    const SkinBrush red(QColor(Qt::red));
    const SkinBrush green(QColor(Qt::green));
    auto *command = new SketchCommandChangePaperColor(&view, red);
    view.commandManager()->push(command, "Change Paper Color");
    command->setNewBrush(green);
    QCOMPARE(command->newBrush(), green);
    QCOMPARE(view.paperColor(), red);
    view.commandManager()->undo();
    view.commandManager()->redo();
    QCOMPARE(view.paperColor(), green);
}

void TestPaperCommands::borderUndoRedo()
{
    SketchDocumentView view(nullptr);
    const SketchStroke original = view.paperBorder();
    const SketchStroke wide(Qt::blue, 6, 0);
    auto *command = new SketchCommandChangePaperBorder(&view, wide);
    QCOMPARE(command->newBorder(), wide);
    view.commandManager()->push(command, "changePaperBorder");
    QCOMPARE(view.paperBorder(), wide);
    view.commandManager()->undo();
    QCOMPARE(view.paperBorder(), original);
    view.commandManager()->redo();
    QCOMPARE(view.paperBorder(), wide);
}

void TestPaperCommands::plainViewKeepsItsOwnPaper()
{
    SketchView view(nullptr);
    QCOMPARE(view.paperSize(), QSize(842, 595));
    view.commandManager()->push(new SketchCommandResizePaper(&view, 595, 842), "Resize Paper");
    QCOMPARE(view.paperSize(), QSize(595, 842));
    view.commandManager()->push(new SketchCommandChangePaperBorder(&view, SketchStroke(Qt::red, 2, 0)),
                                "changePaperBorder");
    view.commandManager()->undo();
    view.commandManager()->undo();
    QCOMPARE(view.paperSize(), QSize(842, 595));
    QCOMPARE(view.paperBorder(), SketchStroke());
}

QTEST_MAIN(TestPaperCommands)
#include "tst_papercommands.moc"
