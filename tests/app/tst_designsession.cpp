// A whole editing session in the real window, offscreen: two boxes drawn
// with the mouse, one selected by a click, its fill, stroke, opacity and
// font changed from the design panel's own controls, every step undone and
// redone, the document saved, reopened, and its text compared.
#include "app/mainwindow.h"
#include "commands/sketchcommandmanager.h"
#include "dialogscript.h"
#include "editor/sketchdocumentview.h"
#include "editor/sketchtool.h"
#include "model/sketchdocument.h"
#include "model/sketchlayer.h"
#include "model/sketchshape.h"
#include "skin/controls/skinbrushcontrol.h"
#include "skin/controls/skinbrushpicker.h"
#include "skin/controls/skinslider.h"
#include "support/history.h"
#include "support/input.h"
#include "windowfixture.h"

#include <QFontComboBox>
#include <QFontDatabase>
#include <QtTest>

using namespace windowfixture;

class TestDesignSession : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void editsSavesAndReopens();

private:
    template<typename T>
    T *child(MainWindow &window, const char *name) const
    {
        return window.findChild<T *>(QLatin1String(name));
    }
    static QString readAll(const QString &fileName);
    // The document's text as a save would write it now; the view keeps its
    // file name.
    static QString textOf(SketchDocumentView *view, const QString &fileName);

    Home m_home;
    QTemporaryDir m_files;
};

void TestDesignSession::initTestCase()
{
    QVERIFY(m_home.install());
    QVERIFY(m_files.isValid());
}

QString TestDesignSession::readAll(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString TestDesignSession::textOf(SketchDocumentView *view, const QString &fileName)
{
    return view->document()->saveToFile(fileName) ? readAll(fileName) : QString();
}

void TestDesignSession::editsSavesAndReopens()
{
    MainWindow window;
    window.resize(1000, 640);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.newFile();
    SketchDocumentView *view = window.currentDocumentView();
    QVERIFY(view);

    // Draw two boxes, then select the first with a click.
    for (const QRectF &box : {QRectF(60, 60, 120, 90), QRectF(260, 80, 100, 100)}) {
        view->setCurrentTool(SketchToolTypeRect, true);
        dragFromTo(view, view->mapFromDocument(box.topLeft()), view->mapFromDocument(box.bottomRight()));
    }
    QCOMPARE(view->currentLayer()->shapes().size(), 2);
    view->setCurrentTool(SketchToolTypeSelect, true);
    clickAt(view, view->mapFromDocument(QPointF(120, 105)));
    QCOMPARE(view->selectedShapes().size(), 1);
    SketchShape *shape = view->selectedShapes().first();
    const int drawn = view->commandManager()->undoCount();

    // Fill from the fill editor, stroke from the stroke picker's editor.
    auto *fill = child<SkinBrushControl>(window, "fillBrushControl");
    fill->setSelectedBrush(SkinBrush(QColor(200, 30, 40)));
    fill->onSelectedBrushChanged();
    auto *stroke = child<SkinBrushPicker>(window, "strokeBrushPicker");
    stroke->brushControl()->setSelectedBrush(SkinBrush(QColor(10, 90, 200)));
    stroke->onSelectedBrushChanged();

    // Opacity dragged on the slider itself, from its right end to the left.
    auto *opacity = child<SkinSlider>(window, "opacitySlider");
    QCOMPARE(opacity->value(), 100);
    const int y = opacity->height() / 2;
    dragFromTo(opacity, QPointF(opacity->width() - 2, y), QPointF(opacity->width() * 0.4, y), Qt::NoModifier, 6);
    const float draggedOpacity = shape->opacity();
    QVERIFY(draggedOpacity < 0.7f);

    // A font family the box does not have yet.
    auto *fonts = child<QFontComboBox>(window, "fontComboBox");
    QString family;
    for (int index = 0; index < fonts->count() && family.isEmpty(); ++index) {
        if (fonts->itemText(index) != shape->font().family())
            family = fonts->itemText(index);
    }
    QVERIFY(!family.isEmpty());
    fonts->setCurrentText(family);

    const QStringList steps{"changeFillBrush", "changeStrokeBrush", "changeShapeOpacity", "changeShapeFontName"};
    QCOMPARE(undoTextList(view).mid(drawn), steps);
    QCOMPARE(shape->font().family(), family);
    QCOMPARE(opacity->value(), int(draggedOpacity * 100));

    const QString edited = textOf(view, m_files.filePath(QStringLiteral("probe.slf")));
    // Undo and redo each step: every undo takes one property back.
    for (int step = 0; step < steps.size(); ++step)
        undoOnce(view);
    QCOMPARE(shape->opacity(), 1.0f);
    QVERIFY(shape->fill().stops().firstColor() != QColor(200, 30, 40));
    QVERIFY(shape->font().family() != family);
    for (int step = 0; step < steps.size(); ++step)
        view->commandManager()->redo();
    QCOMPARE(undoTextList(view).mid(drawn), steps);
    QCOMPARE(textOf(view, m_files.filePath(QStringLiteral("probe.slf"))), edited);

    // Save through the window, reopen in a new window, compare the text.
    const QString saved = m_files.filePath(QStringLiteral("session.slf"));
    {
        DialogScript script;
        script.answerFile(saved);
        QVERIFY(window.saveFile());
        QVERIFY(script.unexpected().isEmpty());
    }
    const QString text = readAll(saved);
    QCOMPARE(text, edited);
    QVERIFY(text.contains(family));

    MainWindow reopened;
    reopened.openFiles({saved});
    SketchDocumentView *again = reopened.currentDocumentView();
    QVERIFY(again);
    QCOMPARE(textOf(again, m_files.filePath(QStringLiteral("again.slf"))), text);
    QCOMPARE(again->currentLayer()->shapes().first()->opacity(), draggedOpacity);
}

QTEST_MAIN(TestDesignSession)
#include "tst_designsession.moc"
