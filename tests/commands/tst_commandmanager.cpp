#include "support/history.h"
#include "support/shapes.h"

#include "commands/sketchcommand.h"
#include "commands/sketchcommandcomposite.h"
#include "commands/sketchcommandmanager.h"
#include "editor/sketchdocumentview.h"
#include "editor/sketchtool.h"

#include <QSignalSpy>
#include <QTextEdit>
#include <QStandardPaths>
#include <QtTest>

namespace {

// A command that writes what happens to it into a shared journal.
class JournalCommand : public SketchCommand
{
public:
    JournalCommand(SketchView *view, const QString &name, QStringList *journal, bool layer = false)
        : SketchCommand(view)
        , m_name(name)
        , m_journal(journal)
    {
        setLayerCommand(layer);
    }
    ~JournalCommand() override { m_journal->append("delete:" + m_name); }

    void execute() override { m_journal->append("execute:" + m_name); }
    void redo() override { m_journal->append("redo:" + m_name); }
    void undo() override { m_journal->append("undo:" + m_name); }

private:
    QString m_name;
    QStringList *m_journal;
};

// A tool that only counts its cancels.
class CountingTool : public SketchTool
{
public:
    explicit CountingTool(SketchView *view)
        : SketchTool(view)
    {
    }
    void cancel() override
    {
        ++cancels;
        SketchTool::cancel();
    }
    int cancels = 0;
};

} // namespace

class TestCommandManager : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void viewOwnsOneManager();
    void pushExecutesOnceAndNotifies();
    void pushIgnoresNull();
    void undoAndRedoNotifyAndMove();
    void undoMarksModified();
    void emptyStacksOnlyHideEditor();
    void clearDeletesWithoutMarkingModified_data();
    void clearDeletesWithoutMarkingModified();
    void pushDeletesRedoStack();
    void withdrawTakesBackOnlyTheTop();
    void lastCommandNeverDangles();
    void disabledManagerOnlyPushes();
    void otherToolIsCancelledInstead();
    void plainViewUndoesWithoutTools();
    void destructorDeletesBothStacks();
    void compositeRunsChildrenInOrder();
    void compositeTakesLayerFlag();
};

void TestCommandManager::viewOwnsOneManager()
{
    SketchDocumentView view(nullptr);
    SketchCommandManager *manager = view.commandManager();
    QVERIFY(manager);
    QCOMPARE(view.commandManager(), manager);
    QCOMPARE(manager->view(), static_cast<SketchView *>(&view));
    QCOMPARE(manager->documentView(), &view);
    QVERIFY(manager->isEnabled());
    QCOMPARE(manager->undoCount(), 0);
    QCOMPARE(manager->redoCount(), 0);
    QVERIFY(!manager->lastCommand());

    SketchView plain(nullptr);
    QVERIFY(plain.commandManager());
    QVERIFY(!plain.commandManager()->documentView());
}

void TestCommandManager::pushExecutesOnceAndNotifies()
{
    QStringList journal;
    SketchDocumentView view(nullptr);
    SignalLog log(&view);
    QVERIFY(!view.isModified());

    auto *command = new JournalCommand(&view, "a", &journal);
    view.commandManager()->push(command, "addRect");

    QCOMPARE(journal, QStringList{"execute:a"});
    QCOMPARE(command->text(), QString("addRect"));
    QCOMPARE(view.commandManager()->undoCount(), 1);
    QCOMPARE(view.commandManager()->redoCount(), 0);
    QCOMPARE(view.commandManager()->lastCommand(), command);
    QCOMPARE(view.commandManager()->undoStack().last(), command);
    QVERIFY(view.isModified());
    QCOMPARE(log.take(), (QStringList{"undoManagerChanged", "sketchChanged", "selectionChanged"}));
}

void TestCommandManager::pushIgnoresNull()
{
    QStringList journal;
    SketchDocumentView view(nullptr);
    view.commandManager()->push(new JournalCommand(&view, "a", &journal), "a");
    view.setModified(false);
    SignalLog log(&view);

    view.commandManager()->push(nullptr, "nothing");

    QCOMPARE(view.commandManager()->undoCount(), 1);
    QCOMPARE(view.commandManager()->redoCount(), 0);
    QCOMPARE(view.commandManager()->lastCommand()->text(), QString("a"));
    QVERIFY(!view.isModified());
    QVERIFY(log.names.isEmpty());
}

void TestCommandManager::undoAndRedoNotifyAndMove()
{
    QStringList journal;
    SketchDocumentView view(nullptr);
    SketchCommandManager *manager = view.commandManager();
    auto *a = new JournalCommand(&view, "a", &journal);
    auto *b = new JournalCommand(&view, "b", &journal);
    manager->push(a, "a");
    manager->push(b, "b");
    SignalLog log(&view);
    journal.clear();

    manager->undo();
    QCOMPARE(log.take(), (QStringList{"undoManagerChanged", "selectionChanged", "sketchChanged"}));
    manager->undo();
    QCOMPARE(journal, (QStringList{"undo:b", "undo:a"}));
    QCOMPARE(manager->undoCount(), 0);
    QCOMPARE(manager->redoCount(), 2);
    QCOMPARE(manager->lastCommand(), a);
    log.take();

    manager->redo();
    QCOMPARE(log.take(), (QStringList{"undoManagerChanged", "selectionChanged", "sketchChanged"}));
    QCOMPARE(journal.last(), QString("redo:a"));
    QCOMPARE(manager->lastCommand(), a);
    QCOMPARE(manager->undoCount(), 1);
    QCOMPARE(manager->redoCount(), 1);
    QCOMPARE(manager->redoStack().last(), b);
}

void TestCommandManager::undoMarksModified()
{
    QStringList journal;
    SketchDocumentView view(nullptr);
    view.commandManager()->push(new JournalCommand(&view, "a", &journal), "a");
    view.setModified(false);
    view.commandManager()->undo();
    QVERIFY(view.isModified());
    view.setModified(false);
    view.commandManager()->redo();
    QVERIFY(view.isModified());
}

void TestCommandManager::emptyStacksOnlyHideEditor()
{
    SketchDocumentView view(nullptr);
    SignalLog log(&view);
    view.textEditor()->show();
    QVERIFY(!view.textEditor()->isHidden());

    view.commandManager()->undo();
    QVERIFY(view.textEditor()->isHidden());
    view.textEditor()->show();
    view.commandManager()->redo();
    QVERIFY(view.textEditor()->isHidden());

    QVERIFY(log.names.isEmpty());
    QVERIFY(!view.isModified());
    QVERIFY(!view.commandManager()->lastCommand());
}

void TestCommandManager::clearDeletesWithoutMarkingModified_data()
{
    QTest::addColumn<bool>("modified");
    QTest::newRow("modified") << true;
    QTest::newRow("saved") << false;
}

void TestCommandManager::clearDeletesWithoutMarkingModified()
{
    QFETCH(bool, modified);
    QStringList journal;
    SketchDocumentView view(nullptr);
    SketchCommandManager *manager = view.commandManager();
    manager->push(new JournalCommand(&view, "a", &journal), "a");
    manager->push(new JournalCommand(&view, "b", &journal), "b");
    manager->push(new JournalCommand(&view, "c", &journal), "c");
    manager->undo();
    view.setModified(modified);
    view.textEditor()->show();
    SignalLog log(&view);
    journal.clear();

    manager->clear();

    QCOMPARE(journal, (QStringList{"delete:a", "delete:b", "delete:c"}));
    QCOMPARE(manager->undoCount(), 0);
    QCOMPARE(manager->redoCount(), 0);
    QVERIFY(!manager->lastCommand());
    QCOMPARE(view.isModified(), modified);
    QVERIFY(view.textEditor()->isHidden());
    QCOMPARE(log.take(), (QStringList{"undoManagerChanged", "selectionChanged"}));
}

void TestCommandManager::pushDeletesRedoStack()
{
    QStringList journal;
    SketchDocumentView view(nullptr);
    SketchCommandManager *manager = view.commandManager();
    manager->push(new JournalCommand(&view, "a", &journal), "a");
    manager->push(new JournalCommand(&view, "b", &journal), "b");
    manager->push(new JournalCommand(&view, "c", &journal), "c");
    manager->undo();
    manager->undo();
    journal.clear();

    auto *d = new JournalCommand(&view, "d", &journal);
    manager->push(d, "d");

    // The discarded branch is gone before the new edit runs, and nothing of
    // it can be redone any more.
    QVERIFY(journal.contains("delete:b"));
    QVERIFY(journal.contains("delete:c"));
    QCOMPARE(journal.last(), QString("execute:d"));
    QCOMPARE(manager->redoCount(), 0);
    QCOMPARE(manager->undoCount(), 2);
    QCOMPARE(manager->lastCommand(), d);

    journal.clear();
    manager->redo();
    QVERIFY(journal.isEmpty());
    manager->undo();
    manager->undo();
    QCOMPARE(journal, (QStringList{"undo:d", "undo:a"}));
}

void TestCommandManager::withdrawTakesBackOnlyTheTop()
{
    QStringList journal;
    SketchDocumentView view(nullptr);
    SketchCommandManager *manager = view.commandManager();
    auto *a = new JournalCommand(&view, "a", &journal);
    auto *b = new JournalCommand(&view, "b", &journal);
    auto *c = new JournalCommand(&view, "c", &journal);
    manager->push(a, "a");
    manager->push(b, "b");
    manager->push(c, "c");
    manager->undo();
    view.setModified(false);
    SignalLog log(&view);
    journal.clear();

    // Someone else's command, or one below the top, stays.
    QVERIFY(!manager->withdrawCommand(a));
    QVERIFY(!manager->withdrawCommand(c));
    QVERIFY(!manager->withdrawCommand(nullptr));
    QVERIFY(journal.isEmpty());

    QVERIFY(manager->withdrawCommand(b));
    QCOMPARE(journal, (QStringList{"undo:b", "delete:b"}));
    QCOMPARE(manager->undoCount(), 1);
    QCOMPARE(manager->redoCount(), 1);
    QCOMPARE(manager->redoStack().last(), c);
    QVERIFY(log.names.isEmpty());
    QVERIFY(!view.isModified());
}

void TestCommandManager::lastCommandNeverDangles()
{
    QStringList journal;
    SketchDocumentView view(nullptr);
    SketchCommandManager *manager = view.commandManager();

    // Withdrawn after push.
    auto *a = new JournalCommand(&view, "a", &journal);
    manager->push(a, "a");
    QVERIFY(manager->withdrawCommand(a));
    QVERIFY(!manager->lastCommand());

    // Undone, then discarded by a push, then the new one withdrawn.
    auto *b = new JournalCommand(&view, "b", &journal);
    manager->push(b, "b");
    manager->undo();
    QCOMPARE(manager->lastCommand(), b);
    auto *c = new JournalCommand(&view, "c", &journal);
    manager->push(c, "c");
    QVERIFY(manager->withdrawCommand(c));
    QVERIFY(!manager->lastCommand());
    QCOMPARE(manager->undoCount(), 0);
    QCOMPARE(manager->redoCount(), 0);
}

void TestCommandManager::disabledManagerOnlyPushes()
{
    QStringList journal;
    SketchDocumentView view(nullptr);
    SketchCommandManager *manager = view.commandManager();
    manager->push(new JournalCommand(&view, "a", &journal), "a");
    manager->setEnabled(false);
    QVERIFY(!manager->isEnabled());
    view.textEditor()->show();
    SignalLog log(&view);
    journal.clear();

    manager->undo();
    manager->redo();
    manager->clear();
    QVERIFY(journal.isEmpty());
    QVERIFY(log.names.isEmpty());
    QVERIFY(!view.textEditor()->isHidden());
    QCOMPARE(manager->undoCount(), 1);

    manager->push(new JournalCommand(&view, "b", &journal), "b");
    QCOMPARE(journal, QStringList{"execute:b"});
    QCOMPARE(manager->undoCount(), 2);
    QCOMPARE(log.take(), (QStringList{"undoManagerChanged", "sketchChanged", "selectionChanged"}));
}

void TestCommandManager::otherToolIsCancelledInstead()
{
    QStringList journal;
    SketchDocumentView view(nullptr);
    SketchCommandManager *manager = view.commandManager();
    manager->push(new JournalCommand(&view, "a", &journal), "a");
    manager->push(new JournalCommand(&view, "b", &journal), "b");
    manager->undo();

    auto *tool = new CountingTool(&view);
    view.tools().insert(3, tool);
    view.setCurrentTool(SketchToolTypeRect, false);
    QCOMPARE(view.currentToolType(), int(SketchToolTypeRect));
    QCOMPARE(view.currentTool(), static_cast<SketchTool *>(tool));
    QSignalSpy completed(tool, &SketchTool::completed);
    view.setModified(false);
    SignalLog log(&view);
    journal.clear();

    manager->undo();
    manager->redo();

    QCOMPARE(tool->cancels, 2);
    QCOMPARE(completed.count(), 2);
    QVERIFY(journal.isEmpty());
    QVERIFY(log.names.isEmpty());
    QVERIFY(!view.isModified());
    QCOMPARE(manager->undoCount(), 1);
    QCOMPARE(manager->redoCount(), 1);

    view.setCurrentTool(SketchToolTypeSelect, false);
    manager->undo();
    QCOMPARE(journal, QStringList{"undo:a"});
    QCOMPARE(tool->cancels, 2);
}

void TestCommandManager::plainViewUndoesWithoutTools()
{
    QStringList journal;
    SketchView view(nullptr);
    SignalLog log(&view);
    view.commandManager()->push(new JournalCommand(&view, "a", &journal), "a");
    view.commandManager()->undo();
    view.commandManager()->redo();
    QCOMPARE(journal, (QStringList{"execute:a", "undo:a", "redo:a"}));
    QCOMPARE(log.names.size(), 9);
}

void TestCommandManager::destructorDeletesBothStacks()
{
    QStringList journal;
    {
        SketchDocumentView view(nullptr);
        view.commandManager()->push(new JournalCommand(&view, "a", &journal), "a");
        view.commandManager()->push(new JournalCommand(&view, "b", &journal), "b");
        view.commandManager()->undo();
        view.commandManager()->setEnabled(false);
        journal.clear();
    }
    QCOMPARE(journal.size(), 2);
    QVERIFY(journal.contains("delete:a"));
    QVERIFY(journal.contains("delete:b"));
}

void TestCommandManager::compositeRunsChildrenInOrder()
{
    QStringList journal;
    SketchDocumentView view(nullptr);
    auto *composite = new SketchCommandComposite(&view, {new JournalCommand(&view, "1", &journal),
                                                          new JournalCommand(&view, "2", &journal),
                                                          new JournalCommand(&view, "3", &journal)});
    QVERIFY(!composite->isLayerCommand());
    view.commandManager()->push(composite, "alignLeftSelection");
    view.commandManager()->undo();
    view.commandManager()->redo();
    QCOMPARE(journal, (QStringList{"execute:1", "execute:2", "execute:3",
                                   "undo:1", "undo:2", "undo:3",
                                   "redo:1", "redo:2", "redo:3"}));
    journal.clear();
    view.commandManager()->clear();
    QCOMPARE(journal, (QStringList{"delete:1", "delete:2", "delete:3"}));
}

void TestCommandManager::compositeTakesLayerFlag()
{
    QStringList journal;
    SketchDocumentView view(nullptr);
    SketchCommandComposite composite(&view, {new JournalCommand(&view, "1", &journal),
                                             new JournalCommand(&view, "2", &journal, true)});
    QVERIFY(composite.isLayerCommand());
    QVERIFY(!composite.isSliceCommand());
}

QTEST_MAIN(TestCommandManager)
#include "tst_commandmanager.moc"
