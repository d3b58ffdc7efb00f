// The end of an in-place edit of a shape's text or name, and the editor's
// lifetime against deletes, undo, redo and opening a file.
#include "support/history.h"
#include "support/input.h"
#include "support/paintcounter.h"
#include "support/pixels.h"
#include "support/shapes.h"

#include "commands/sketchcommandadd.h"
#include "commands/sketchcommandmanager.h"
#include "commands/sketchcommandremove.h"
#include "editor/sketchdocumentview.h"
#include "model/sketchdocument.h"
#include "model/sketchgroup.h"
#include "model/sketchlayer.h"
#include "model/sketchshape.h"

#include <QTemporaryDir>
#include <QTextEdit>
#include <QStandardPaths>
#include <QtTest>

class TestTextEdit : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup();

    void acceptedTextIsOneSaveTextCommand();
    void unchangedTextIsStillRecorded();
    void cancelRecordsNothingButSelects();
    void nameEditNamesTheFramesAndSelectsTheOutermostGroup();
    void textEditInAGroupSelectsTheShapeItself();
    void endingAHiddenEditorOnlyResetsTheMode();
    void shapeGoneMeanwhileGetsNoSaveText_data();
    void shapeGoneMeanwhileGetsNoSaveText();
    void deleteStoresTheEditFirst();
    void undoStoresTheEditThenTakesItBack();
    void redoStoresTheEditFirst();
    void openingAFileEndsTheEdit();

private:
    SketchLayer *layer() const { return m_view->currentLayer(); }
    QTextEdit *editor() const { return m_view->textEditor(); }
    // Opens the editor on the shape and types the text into it.
    void edit(SketchShape *shape, const QString &text, int mode = 0)
    {
        m_view->setTextEditMode(mode);
        m_view->beginTextEdit(shape);
        QVERIFY(!editor()->isHidden());
        editor()->setPlainText(text);
    }

    SketchDocumentView *m_view = nullptr;
};

void TestTextEdit::init()
{
    m_view = new SketchDocumentView;
    m_view->resize(1000, 800);
    m_view->setTextEditingEnabled(true);
}

void TestTextEdit::cleanup()
{
    delete m_view;
    m_view = nullptr;
}

void TestTextEdit::acceptedTextIsOneSaveTextCommand()
{
    SketchShape *shape = addBox(layer(), 100, 100, 200, 50);
    shape->setText(QStringLiteral("old"));
    edit(shape, QStringLiteral("new text\nsecond line"));
    QCOMPARE(m_view->textEditShape(), shape);

    m_view->endTextEdit(true);
    QCOMPARE(shape->text(), QStringLiteral("new text\nsecond line"));
    QCOMPARE(undoTexts(m_view), QStringLiteral("saveText"));
    QVERIFY(editor()->isHidden());
    QVERIFY(shape->isSelected());
    QVERIFY(!m_view->textEditShape());
    QCOMPARE(m_view->textEditMode(), 0);

    m_view->commandManager()->undo();
    QCOMPARE(shape->text(), QStringLiteral("old"));
    m_view->commandManager()->redo();
    QCOMPARE(shape->text(), QStringLiteral("new text\nsecond line"));
}

void TestTextEdit::unchangedTextIsStillRecorded()
{
    SketchShape *shape = addBox(layer(), 100, 100, 200, 50);
    shape->setText(QStringLiteral("same"));
    m_view->beginTextEdit(shape);
    m_view->endTextEdit(true);
    QCOMPARE(undoTexts(m_view), QStringLiteral("saveText"));
    QVERIFY(m_view->isModified());
}

void TestTextEdit::cancelRecordsNothingButSelects()
{
    SketchShape *shape = addBox(layer(), 100, 100, 200, 50);
    edit(shape, QStringLiteral("typed"));
    m_view->endTextEdit(false);
    QVERIFY(shape->text().isEmpty());
    QCOMPARE(m_view->commandManager()->undoCount(), 0);
    QVERIFY(editor()->isHidden());
    QVERIFY(shape->isSelected());
    QVERIFY(!m_view->textEditShape());
}

void TestTextEdit::nameEditNamesTheFramesAndSelectsTheOutermostGroup()
{
    SketchShape *a = addBox(layer(), 100, 100, 50, 50);
    SketchShape *b = addBox(layer(), 200, 100, 50, 50);
    a->appendFrame(a->clone(false));
    a->appendFrame(a->clone(false));
    selectShape(a);
    selectShape(b);
    m_view->groupSelection();
    auto *group = qobject_cast<SketchGroup *>(layer()->shapes().last());
    QVERIFY(group);
    QVERIFY(group->shapes().contains(a));
    m_view->clearSelection();
    const int before = m_view->commandManager()->undoCount();

    edit(a, QStringLiteral("hero"), 1);
    m_view->endTextEdit(true);
    QCOMPARE(a->name(), QStringLiteral("hero"));
    for (const SketchShape *frame : a->frames())
        QCOMPARE(frame->name(), QStringLiteral("hero"));
    QCOMPARE(m_view->commandManager()->undoCount(), before + 1);
    QVERIFY(undoTexts(m_view).endsWith(QLatin1String("saveId")));
    QVERIFY(group->isSelected());
    // The mode goes back to text for the next edit.
    QCOMPARE(m_view->textEditMode(), 0);

    m_view->commandManager()->undo();
    QVERIFY(a->name().isEmpty());
}

void TestTextEdit::textEditInAGroupSelectsTheShapeItself()
{
    SketchShape *a = addBox(layer(), 100, 100, 50, 50);
    SketchShape *b = addBox(layer(), 200, 100, 50, 50);
    selectShape(a);
    selectShape(b);
    m_view->groupSelection();
    SketchShape *group = layer()->shapes().last();
    m_view->clearSelection();

    edit(a, QStringLiteral("inside"));
    m_view->endTextEdit(false);
    QVERIFY(a->isSelected());
    QVERIFY(!group->isSelected());
}

void TestTextEdit::endingAHiddenEditorOnlyResetsTheMode()
{
    SketchShape *shape = addBox(layer(), 100, 100, 200, 50);
    m_view->setTextEditMode(1);
    m_view->endTextEdit(true);
    QCOMPARE(m_view->textEditMode(), 0);
    QCOMPARE(m_view->commandManager()->undoCount(), 0);
    QVERIFY(!shape->isSelected());
}

void TestTextEdit::shapeGoneMeanwhileGetsNoSaveText_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("destroyed") << "destroyed";
    QTest::newRow("removed by a command") << "removed";
    QTest::newRow("layer removed") << "layer";
}

void TestTextEdit::shapeGoneMeanwhileGetsNoSaveText()
{
    QFETCH(QString, how);
    SketchShape *keep = addBox(layer(), 10, 10, 20, 20);
    Q_UNUSED(keep)
    SketchShape *shape = addBox(layer(), 100, 100, 200, 50);
    edit(shape, QStringLiteral("typed"));

    int commands = 0;
    if (how == QLatin1String("destroyed")) {
        layer()->shapes().removeAll(shape);
        delete shape;
    } else if (how == QLatin1String("removed")) {
        m_view->commandManager()->push(new SketchCommandRemove(m_view, shape), QStringLiteral("remove"));
        commands = 1;
    } else {
        SketchLayer *gone = layer();
        m_view->commandManager()->push(new SketchCommandAdd(m_view, new SketchLayer(m_view->document())),
                                       QStringLiteral("addLayer"));
        m_view->setCurrentLayer(m_view->layers().last(), false);
        m_view->commandManager()->push(new SketchCommandRemove(m_view, gone), QStringLiteral("removeLayer"));
        commands = 2;
    }

    m_view->endTextEdit(true);
    QVERIFY(editor()->isHidden());
    QVERIFY(!m_view->textEditShape());
    QCOMPARE(m_view->commandManager()->undoCount(), commands);
    QVERIFY(!undoTexts(m_view).contains(QLatin1String("saveText")));
}

void TestTextEdit::deleteStoresTheEditFirst()
{
    SketchShape *shape = addBox(layer(), 100, 100, 200, 50);
    edit(shape, QStringLiteral("kept"));
    selectShape(shape);
    m_view->deleteSelection();
    QVERIFY(editor()->isHidden());
    QVERIFY(!m_view->textEditShape());
    QVERIFY(layer()->shapes().isEmpty());
    QVERIFY(undoTexts(m_view).startsWith(QLatin1String("saveText,")));

    m_view->commandManager()->undo();
    QCOMPARE(layer()->shapes().size(), 1);
    QCOMPARE(layer()->shapes().first()->text(), QStringLiteral("kept"));
}

void TestTextEdit::undoStoresTheEditThenTakesItBack()
{
    SketchShape *shape = addBox(layer(), 100, 100, 200, 50);
    selectShape(shape);
    m_view->copy();
    m_view->paste();
    SketchShape *pasted = layer()->shapes().last();
    edit(pasted, QStringLiteral("typed"));

    // The edit is the latest step: undo takes it back, and the shape it was
    // on stays (the paste is one undo further).
    m_view->commandManager()->undo();
    QVERIFY(editor()->isHidden());
    QVERIFY(!m_view->textEditShape());
    QVERIFY(pasted->text().isEmpty());
    QCOMPARE(layer()->shapes().size(), 2);
    QCOMPARE(undoTexts(m_view), QStringLiteral("pasteFromClipboard"));
    m_view->commandManager()->redo();
    QCOMPARE(pasted->text(), QStringLiteral("typed"));

    // Undoing down to before the paste: the editor closed at the first step
    // and nothing later writes into the shape that left.
    edit(pasted, QStringLiteral("again"));
    m_view->commandManager()->undo();
    QVERIFY(editor()->isHidden());
    QCOMPARE(pasted->text(), QStringLiteral("typed"));
    m_view->commandManager()->undo();
    m_view->commandManager()->undo();
    QCOMPARE(layer()->shapes().size(), 1);
    m_view->endTextEdit(true);
    QCOMPARE(m_view->commandManager()->undoCount(), 0);
}

void TestTextEdit::redoStoresTheEditFirst()
{
    SketchShape *shape = addBox(layer(), 100, 100, 200, 50);
    edit(shape, QStringLiteral("typed"));
    m_view->commandManager()->redo();
    QVERIFY(editor()->isHidden());
    QVERIFY(!m_view->textEditShape());
    QCOMPARE(shape->text(), QStringLiteral("typed"));
    QCOMPARE(undoTexts(m_view), QStringLiteral("saveText"));
}

void TestTextEdit::openingAFileEndsTheEdit()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("page.slf"));
    addBox(layer(), 10, 10, 20, 20);
    QVERIFY(m_view->saveFile(path));

    SketchShape *shape = addBox(layer(), 100, 100, 200, 50);
    edit(shape, QStringLiteral("typed"));
    QVERIFY(m_view->openFile(path));
    QVERIFY(editor()->isHidden());
    QVERIFY(!m_view->textEditShape());
    QCOMPARE(m_view->commandManager()->undoCount(), 0);
    QCOMPARE(m_view->document()->shapes().size(), 1);
    // Nothing is left that a later accept could write into.
    m_view->endTextEdit(true);
    QCOMPARE(m_view->commandManager()->undoCount(), 0);
}

QTEST_MAIN(TestTextEdit)
#include "tst_textedit.moc"
