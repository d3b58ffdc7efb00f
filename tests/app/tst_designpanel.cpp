// The design panel against the selection: what it shows, each edit as one
// step of its own view's history, the paper fall-backs, picking a colour
// from the page, and the edits in progress that lose their view, their
// targets or their history in the middle of a drag.
#include "app/mainwindow.h"
#include "app/sketchframeeditor.h"
#include "app/sketchframepopupwindow.h"
#include "commands/sketchcommandmanager.h"
#include "editor/sketchdocumentview.h"
#include "editor/sketchtool.h"
#include "model/sketchdocument.h"
#include "model/sketchgroup.h"
#include "model/sketchlayer.h"
#include "model/sketchshape.h"
#include "skin/controls/skinbrushcontrol.h"
#include "skin/controls/skinbrushpicker.h"
#include "skin/controls/skinbuttongroup.h"
#include "skin/controls/skincolorpicker.h"
#include "skin/controls/skinpenpicker.h"
#include "skin/controls/skinslider.h"
#include "skin/windows/skintabcontrol.h"
#include "support/fonts.h"
#include "support/history.h"
#include "support/input.h"
#include "support/livecounts.h"
#include "support/shapes.h"
#include "windowfixture.h"

#include <QFontComboBox>
#include <QFontInfo>
#include <QToolBar>
#include <QLabel>
#include <QPointer>
#include <QtTest>

using namespace windowfixture;

class TestDesignPanel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void showsTheFirstSelectedShape();
    void showsTruncatedValues_data();
    void showsTruncatedValues();
    void showsThePaperWithNothingSelected();
    void fillingThePanelRecordsNothing();
    void followsTheFrameCounter();
    void showsTheFaceOfTheShownShape();
    void opensTheFramePopupUnderTheCounter();
    void recordsAnOpacityDragAsOneStep();
    void recordsEachSliderUnderItsName_data();
    void recordsEachSliderUnderItsName();
    void givesTheFillTheShapeOpacity();
    void fallsBackToThePaper();
    void recordsThePaperColourDragsLastValue();
    void recordsNothingWithoutTargets();
    void recordsAFontFamilyOnlyWhenItChanges();
    void drawsANewTextInTheStandInOfTheDefaultFamily();
    void showsTheFamilyTheShapeStores_data();
    void showsTheFamilyTheShapeStores();
    void leavesThePaperAloneUnderTheSliceTool();
    void picksAFillColourFromThePage();
    void landsNothingOnAnotherTab();
    void beginsAnewOnTheStepsOwnView();
    void dropsTheDragWhenItsViewCloses();
    void takesTheDragBackBeforeAnUndo();
    void dropsTheDragWhenItsTargetIsDeleted();
    void survivesATargetFreedMidDrag();
    void survivesTheWindowGoingMidDrag();
    void picksAStrokeColourFromThePage();

private:
    template<typename T>
    T *child(const char *name) const
    {
        return m_window->findChild<T *>(QLatin1String(name));
    }
    SkinSlider *slider(const char *name) const { return child<SkinSlider>(name); }
    SketchDocumentView *view() const { return m_window->currentDocumentView(); }
    SketchLayer *layer() const { return view()->currentLayer(); }
    // A new tab with three selected boxes (red, green, blue), the panel
    // refreshed from them.
    QList<SketchShape *> newTabWithSelectedBoxes();
    void refresh() { view()->onSelectionChanged(); }
    // A slider drag as the slider reports it: changing at each value, then
    // accepted at the last.
    static void drag(SkinSlider *slider, const QList<int> &values);

    Home m_home;
    MainWindow *m_window = nullptr;
};

void TestDesignPanel::initTestCase()
{
    QVERIFY(m_home.install());
}

void TestDesignPanel::init()
{
    m_window = new MainWindow;
    m_window->resize(920, 560);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TestDesignPanel::cleanup()
{
    delete m_window;
    m_window = nullptr;
}

QList<SketchShape *> TestDesignPanel::newTabWithSelectedBoxes()
{
    m_window->newFile();
    QList<SketchShape *> boxes;
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue};
    for (int index = 0; index < 3; ++index) {
        SketchShape *box = addBox(layer(), 40 + 120 * index, 60, 100, 80, colours[index]);
        SketchStroke stroke = box->stroke();
        stroke.setBrush(SkinBrush(QColor(Qt::black)));
        box->setStroke(stroke);
        selectShape(box);
        boxes.append(box);
    }
    refresh();
    return boxes;
}

void TestDesignPanel::drag(SkinSlider *slider, const QList<int> &values)
{
    for (int value : values)
        emit slider->valueChanging(value);
    emit slider->valueAccepted(values.last());
}

// --- What the panel shows ---------------------------------------------------------

void TestDesignPanel::showsTheFirstSelectedShape()
{
    const QList<SketchShape *> boxes = newTabWithSelectedBoxes();
    boxes.at(0)->setName(QStringLiteral("hero"));
    boxes.at(0)->setInnerPosition(QPointF(12.5, 100));
    boxes.at(0)->setOpacity(0.8f);
    boxes.at(1)->setOpacity(0.3f);
    refresh();
    QCOMPARE(child<SkinBrushControl>("fillBrushControl")->selectedBrush().stops(), boxes.at(0)->fill().stops());
    QCOMPARE(slider("opacitySlider")->value(), 80);
    QCOMPARE(m_window->findChild<QAction *>(QStringLiteral("actionSelectionStatus"))->text(),
             QStringLiteral("hero | x=12.5, y=100"));
    // The value label follows although setting the value does not rewrite it.
    QLabel *label = nullptr;
    for (QLabel *candidate : m_window->findChildren<QLabel *>()) {
        if (candidate->text() == QLatin1String("80%"))
            label = candidate;
    }
    QVERIFY(label);
}

void TestDesignPanel::showsTruncatedValues_data()
{
    QTest::addColumn<float>("tension");
    QTest::addColumn<int>("pointSize");
    QTest::addColumn<int>("pixelSize");
    QTest::addColumn<int>("shownTension");
    QTest::addColumn<int>("shownSize");
    QTest::newRow("0.505, 20 pt") << 0.505f << 20 << -1 << 50 << 26;
    QTest::newRow("0.999, 10 pt") << 0.999f << 10 << -1 << 99 << 13;
    QTest::newRow("0.3, 17 px") << 0.3f << -1 << 17 << 30 << 17;
}

void TestDesignPanel::showsTruncatedValues()
{
    QFETCH(float, tension);
    QFETCH(int, pointSize);
    QFETCH(int, pixelSize);
    const QList<SketchShape *> boxes = newTabWithSelectedBoxes();
    boxes.first()->setTension(tension);
    QFont font(QStringLiteral("Comic Sans MS"));
    if (pointSize > 0)
        font.setPointSize(pointSize);
    else
        font.setPixelSize(pixelSize);
    boxes.first()->setFont(font);
    refresh();
    QTEST(slider("tensionSlider")->value(), "shownTension");
    QTEST(slider("fontSizeSlider")->value(), "shownSize");
    QCOMPARE(view()->commandManager()->undoCount(), 0);
}

void TestDesignPanel::showsThePaperWithNothingSelected()
{
    m_window->newFile();
    addBox(layer(), 10, 10, 50, 50, Qt::red);
    view()->setPaperColor(SkinBrush(QColor(Qt::yellow)));
    SketchStroke border = view()->paperBorder();
    border.setWidth(4);
    view()->setPaperBorder(border);
    refresh();
    QCOMPARE(child<SkinBrushControl>("fillBrushControl")->selectedBrush(), view()->paperColor());
    QCOMPARE(child<SkinPenPicker>("strokePenPicker")->selectedPen().width(), 4);
    QCOMPARE(slider("opacitySlider")->value(), 0);
    QCOMPARE(child<SkinButtonGroup>("fontAlignGroup")->selectedIndex(), -1);
    QVERIFY(m_window->findChild<QAction *>(QStringLiteral("actionSelectionStatus"))->text().isEmpty());
    QCOMPARE(child<QLabel>("strokeWidthLabel")->text(), QStringLiteral("4px"));
}

void TestDesignPanel::fillingThePanelRecordsNothing()
{
    const QList<SketchShape *> boxes = newTabWithSelectedBoxes();
    auto *fonts = child<QFontComboBox>("fontComboBox");
    // A family that differs from the box's current one, so that setting
    // the box announces a change.
    const QString other = fonts->itemText(fonts->count() - 1);
    for (SketchShape *box : boxes) {
        QFont font = box->font();
        font.setFamily(other);
        box->setFont(font);
    }
    refresh();
    m_window->newFile();
    m_window->tabControlSelectedIndexChanged();
    QCOMPARE(undoTexts(m_window->sketchViewAt(0)), QString());
    QCOMPARE(boxes.first()->font().family(), other);
}

void TestDesignPanel::followsTheFrameCounter()
{
    m_window->newFile();
    QAction *counter = m_window->findChild<QAction *>(QStringLiteral("actionFrameIndex"));
    SketchShape *framed = makeFramedShape(layer(), QRectF(50, 50, 100, 80));
    refresh();
    QCOMPARE(counter->text(), QStringLiteral("0/0"));
    selectShape(framed);
    refresh();
    QCOMPARE(counter->text(), QStringLiteral("2/2"));
    // Under the slice tool the counter follows but no frame changes.
    view()->setCurrentTool(SketchToolTypeSlice, true);
    m_window->frameIndexChanged(QStringLiteral("1/2"));
    QCOMPARE(counter->text(), QStringLiteral("1/2"));
    view()->setCurrentTool(SketchToolTypeSelect, true);
    framed->setSelected(false);
    refresh();
    QCOMPARE(counter->text(), QStringLiteral("0/0"));
    QCOMPARE(view()->commandManager()->undoCount(), 0);
}

void TestDesignPanel::showsTheFaceOfTheShownShape()
{
    m_window->newFile();
    auto *editor = child<SketchFrameEditor>("frameEditor");
    QVERIFY(editor);
    SketchShape *face = makeFramedShape(nullptr, QRectF(0, 0, 60, 40));
    face->setName(QStringLiteral("face"));
    SketchShape *body = makeBox(nullptr, QRectF(0, 50, 60, 60));
    SketchGroup *group = groupShapes(layer(), {face, body});
    refresh();
    QCOMPARE(editor->shape(), face);
    // The group's own member, when selected, is shown instead: it holds no
    // face.
    selectShape(body);
    refresh();
    QCOMPARE(editor->shape(), static_cast<SketchShape *>(nullptr));
    body->setSelected(false);
    group->setSelected(false);
    refresh();
    QCOMPARE(editor->shape(), static_cast<SketchShape *>(nullptr));
}

void TestDesignPanel::opensTheFramePopupUnderTheCounter()
{
    m_window->newFile();
    selectShape(makeFramedShape(layer(), QRectF(50, 50, 100, 80)));
    refresh();
    m_window->showFramePopupWindow();
    QWidget *popup = nullptr;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String("popupWindow") && widget->isVisible())
            popup = widget;
    }
    QVERIFY(popup);
    QAction *counter = m_window->findChild<QAction *>(QStringLiteral("actionFrameIndex"));
    const QRect action = m_window->toolBar()->actionGeometry(counter);
    const QPoint corner = m_window->toolBar()->mapToGlobal(action.topLeft()) + QPoint(0, action.height());
    QCOMPARE(popup->geometry(), QRect(corner, QSize(188, 195)));
    popup->hide();
}

// --- Edits of the shapes --------------------------------------------------------------

void TestDesignPanel::recordsAnOpacityDragAsOneStep()
{
    const QList<SketchShape *> boxes = newTabWithSelectedBoxes();
    drag(slider("opacitySlider"), {90, 70, 40});
    QCOMPARE(undoTextList(view()), QStringList{QStringLiteral("changeShapeOpacity")});
    for (SketchShape *box : boxes) {
        QCOMPARE(box->opacity(), 0.4f);
        QCOMPARE(box->fill().opacity(), 0.4f);
        QCOMPARE(box->stroke().brush().opacity(), 0.4f);
    }
    undoOnce(view());
    for (SketchShape *box : boxes) {
        QCOMPARE(box->opacity(), 1.0f);
        QCOMPARE(box->fill().opacity(), 1.0f);
        QCOMPARE(box->stroke().brush().opacity(), 1.0f);
    }
    view()->commandManager()->redo();
    QCOMPARE(boxes.last()->opacity(), 0.4f);
}

void TestDesignPanel::recordsEachSliderUnderItsName_data()
{
    QTest::addColumn<QString>("sliderName");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("tension") << "tensionSlider" << 30 << "changeShapeTension";
    QTest::newRow("blur") << "blurSlider" << 3 << "changeShapeBlur";
    QTest::newRow("font size") << "fontSizeSlider" << 0 << "changeShapeFontSize";
    // Pressed and released without moving: still one step.
    QTest::newRow("opacity unmoved") << "opacitySlider" << 100 << "changeShapeOpacity";
}

void TestDesignPanel::recordsEachSliderUnderItsName()
{
    QFETCH(QString, sliderName);
    QFETCH(int, value);
    QFETCH(QString, text);
    newTabWithSelectedBoxes();
    drag(slider(sliderName.toLatin1().constData()), {value, value});
    QCOMPARE(undoTextList(view()), QStringList{text});
}

void TestDesignPanel::givesTheFillTheShapeOpacity()
{
    const QList<SketchShape *> boxes = newTabWithSelectedBoxes();
    drag(slider("opacitySlider"), {50});
    SkinBrush chosen(QColor(Qt::magenta));
    chosen.setOpacity(0.9f);
    emit child<SkinBrushControl>("fillBrushControl")->selectedBrushChanged(chosen);
    QCOMPARE(undoTextList(view()), (QStringList{"changeShapeOpacity", "changeFillBrush"}));
    for (SketchShape *box : boxes) {
        QCOMPARE(box->fill().opacity(), 0.5f);
        QCOMPARE(box->fill().stops().firstColor().rgb(), QColor(Qt::magenta).rgb());
    }
}

// --- The paper ---------------------------------------------------------------------------

void TestDesignPanel::fallsBackToThePaper()
{
    m_window->newFile();
    const SkinBrush before = view()->paperColor();
    const SkinBrush blue(QColor(Qt::blue));
    emit child<SkinBrushControl>("fillBrushControl")->selectedBrushChanged(blue);
    QCOMPARE(undoTextList(view()), QStringList{"Change Paper Color"});
    QCOMPARE(view()->paperColor(), blue);
    emit child<SkinPenPicker>("strokePenPicker")->selectedPenChanged(QPen(QBrush(Qt::black), 6, Qt::SolidLine, Qt::FlatCap));
    QCOMPARE(undoTextList(view()), (QStringList{"Change Paper Color", "changePaperBorder"}));
    QCOMPARE(view()->paperBorder().width(), 6);
    QCOMPARE(view()->paperBorder().style(), 1);
    emit child<SkinBrushPicker>("strokeBrushPicker")->selectedBrushChanged(SkinBrush(QColor(Qt::red)));
    QCOMPARE(undoTextList(view()).size(), 3);
    QCOMPARE(undoTextList(view()).last(), QStringLiteral("changePaperBorder"));
    undoOnce(view());
    undoOnce(view());
    undoOnce(view());
    QCOMPARE(view()->paperColor(), before);
}

void TestDesignPanel::recordsThePaperColourDragsLastValue()
{
    m_window->newFile();
    const SkinBrush before = view()->paperColor();
    auto *fill = child<SkinBrushControl>("fillBrushControl");
    emit fill->selectedBrushChanging(SkinBrush(QColor(Qt::red)));
    emit fill->selectedBrushChanging(SkinBrush(QColor(Qt::green)));
    QCOMPARE(view()->paperColor(), SkinBrush(QColor(Qt::green)));
    emit fill->selectedBrushChanged(SkinBrush(QColor(Qt::blue)));
    QCOMPARE(undoTextList(view()), QStringList{"Change Paper Color"});
    QCOMPARE(view()->paperColor(), SkinBrush(QColor(Qt::blue)));
    undoOnce(view());
    QCOMPARE(view()->paperColor(), before);
    view()->commandManager()->redo();
    QCOMPARE(view()->paperColor(), SkinBrush(QColor(Qt::blue)));
}

void TestDesignPanel::recordsNothingWithoutTargets()
{
    m_window->newFile();
    SketchShape *box = addBox(layer(), 10, 10, 50, 50, Qt::red);
    const int align = box->align();
    refresh();
    for (const char *name : {"tensionSlider", "opacitySlider", "blurSlider", "fontSizeSlider"})
        drag(slider(name), {5, 7});
    emit child<SkinColorPicker>("fontColorPicker")->selectedColorChanged(QColor(Qt::red));
    emit child<SkinButtonGroup>("fontAlignGroup")->selectedIndexChanged(2);
    emit child<QFontComboBox>("fontComboBox")->currentTextChanged(QStringLiteral("Serif"));
    QCOMPARE(undoTexts(view()), QString());
    QCOMPARE(box->opacity(), 1.0f);
    QCOMPARE(box->align(), align);
}

void TestDesignPanel::recordsAFontFamilyOnlyWhenItChanges()
{
    const QList<SketchShape *> boxes = newTabWithSelectedBoxes();
    const QString family = boxes.first()->font().family();
    auto *fonts = child<QFontComboBox>("fontComboBox");
    emit fonts->currentTextChanged(family);
    QCOMPARE(undoTextList(view()), QStringList{"changeShapeFontName"});
    boxes.at(1)->setSelected(false);
    boxes.at(2)->setSelected(false);
    refresh();
    emit fonts->currentTextChanged(family);
    QCOMPARE(undoTextList(view()).size(), 1);
}

void TestDesignPanel::drawsANewTextInTheStandInOfTheDefaultFamily()
{
    if (const char *absence = defaultFamilyStandInAbsence())
        QSKIP(absence);
    m_window->newFile();
    m_window->toolActionTextChecked();
    clickAt(view(), QPointF(300, 200));
    SketchShape *text = layer()->shapes().value(0);
    QVERIFY(text);
    // The window stands the comic face in for the missing one, which the
    // shape keeps, so that its file opens unchanged where it is installed.
    QVERIFY(defaultFamilyStandsIn());
    QCOMPARE(text->font().family(), QStringLiteral("Comic Sans MS"));
    QCOMPARE(QFontInfo(text->font()).family(), QStringLiteral("Comic Neue"));
    QCOMPARE(child<QFontComboBox>("fontComboBox")->currentText(), QStringLiteral("Comic Sans MS"));
}

void TestDesignPanel::showsTheFamilyTheShapeStores_data()
{
    QTest::addColumn<QString>("family");
    QTest::newRow("the default, missing here") << QStringLiteral("Comic Sans MS");
    QTest::newRow("installed") << QStringLiteral("DejaVu Sans");
    QTest::newRow("installed nowhere") << QStringLiteral("Nowhere Grotesk");
}

void TestDesignPanel::showsTheFamilyTheShapeStores()
{
    QFETCH(QString, family);
    auto *box = child<QFontComboBox>("fontComboBox");
    // Nothing selected: the default text font's family.
    m_window->newFile();
    QCOMPARE(box->currentText(), QStringLiteral("Comic Sans MS"));

    const QList<SketchShape *> boxes = newTabWithSelectedBoxes();
    QFont font = boxes.first()->font();
    font.setFamily(family);
    boxes.first()->setFont(font);
    refresh();
    refresh();
    QCOMPARE(box->currentText(), family);
    QCOMPARE(box->findText(family), box->currentIndex());
    // Listed once, in its sorted place, however often it is shown.
    int listed = 0;
    for (int row = 0; row < box->count(); ++row)
        listed += box->itemText(row) == family ? 1 : 0;
    QCOMPARE(listed, 1);
    const int row = box->currentIndex();
    if (row > 0)
        QVERIFY(QString::localeAwareCompare(box->itemText(row - 1), family) <= 0);
    QCOMPARE(boxes.first()->font().family(), family);
    QCOMPARE(view()->commandManager()->undoCount(), 0);
}

void TestDesignPanel::leavesThePaperAloneUnderTheSliceTool()
{
    m_window->newFile();
    const SkinBrush before = view()->paperColor();
    auto *fill = child<SkinBrushControl>("fillBrushControl");
    view()->setCurrentTool(SketchToolTypeSlice, true);
    emit fill->selectedBrushChanging(SkinBrush(QColor(Qt::red)));
    QCOMPARE(view()->paperColor(), before);
    emit fill->selectedBrushChanged(SkinBrush(QColor(Qt::red)));
    QCOMPARE(view()->paperColor(), before);
    QCOMPARE(undoTexts(view()), QString());
    // A later paper change records the true old brush.
    view()->setCurrentTool(SketchToolTypeSelect, true);
    emit fill->selectedBrushChanged(SkinBrush(QColor(Qt::blue)));
    QCOMPARE(undoTextList(view()), QStringList{"Change Paper Color"});
    undoOnce(view());
    QCOMPARE(view()->paperColor(), before);
}

// --- Picking a colour from the page ---------------------------------------------------------

void TestDesignPanel::picksAFillColourFromThePage()
{
    m_window->newFile();
    SketchShape *red = addBox(layer(), 100, 100, 120, 100, Qt::red);
    SketchShape *blue = addBox(layer(), 300, 100, 120, 100, Qt::blue);
    selectShape(blue);
    refresh();
    auto *fill = child<SkinBrushControl>("fillBrushControl");
    emit fill->colorPicking();
    QCOMPARE(view()->currentToolType(), int(SketchToolTypePickFillColor));

    // A transparent pick changes nothing.
    m_window->fillColorPicked(QColor(0, 0, 0, 0));
    QCOMPARE(undoTexts(view()), QString());

    const QPointF onRed = view()->mapFromDocument(QPointF(160, 150));
    clickAt(view(), onRed);
    QCOMPARE(view()->currentToolType(), int(SketchToolTypeSelect));
    QCOMPARE(undoTextList(view()), QStringList{"changeFillBrush"});
    QCOMPARE(blue->fill().type(), 0);
    QCOMPARE(blue->fill().stops().firstColor().rgb(), QColor(Qt::red).rgb());
    QCOMPARE(red->fill().stops().firstColor().rgb(), QColor(Qt::red).rgb());
}

void TestDesignPanel::picksAStrokeColourFromThePage()
{
    const QList<SketchShape *> boxes = newTabWithSelectedBoxes();
    auto *stroke = child<SkinBrushPicker>("strokeBrushPicker");
    emit stroke->colorPicking();
    QCOMPARE(view()->currentToolType(), int(SketchToolTypePickStrokeColor));
    clickAt(view(), view()->mapFromDocument(QPointF(90, 100)));
    QCOMPARE(view()->currentToolType(), int(SketchToolTypeSelect));
    QCOMPARE(undoTextList(view()), QStringList{"changeStrokeBrush"});
    for (SketchShape *box : boxes)
        QCOMPARE(box->stroke().brush().stops().firstColor().rgb(), QColor(Qt::red).rgb());
}

// --- Edits in progress that lose their ground ---------------------------------------------

void TestDesignPanel::landsNothingOnAnotherTab()
{
    const QList<SketchShape *> onA = newTabWithSelectedBoxes();
    SketchDocumentView *a = view();
    emit slider("opacitySlider")->valueChanging(40);
    QCOMPARE(onA.first()->opacity(), 0.4f);
    const QList<SketchShape *> onB = newTabWithSelectedBoxes();
    SketchDocumentView *b = view();
    QVERIFY(a != b);
    emit slider("opacitySlider")->valueAccepted(40);
    QCOMPARE(undoTexts(b), QString());
    QCOMPARE(undoTexts(a), QString());
    for (SketchShape *box : onB)
        QCOMPARE(box->opacity(), 1.0f);
    for (SketchShape *box : onA)
        QCOMPARE(box->opacity(), 1.0f);
    // The next drag on B is B's own.
    drag(slider("opacitySlider"), {60});
    QCOMPARE(undoTextList(b), QStringList{"changeShapeOpacity"});
    QCOMPARE(undoTexts(a), QString());
}

void TestDesignPanel::beginsAnewOnTheStepsOwnView()
{
    const QList<SketchShape *> onA = newTabWithSelectedBoxes();
    SketchDocumentView *a = view();
    const QList<SketchShape *> onB = newTabWithSelectedBoxes();
    SketchDocumentView *b = view();
    // Back on A without the window hearing of it: the next step finds the
    // gesture it begins on A stale when B is current again.
    const float tensionBefore = onA.first()->tension();
    tabs(*m_window)->setCurrentIndex(0);
    emit slider("tensionSlider")->valueChanging(20);
    QCOMPARE(onA.first()->tension(), 0.2f);
    tabs(*m_window)->setCurrentIndex(1);
    emit slider("tensionSlider")->valueAccepted(20);
    QCOMPARE(undoTexts(a), QString());
    QCOMPARE(onA.first()->tension(), tensionBefore);
    QCOMPARE(undoTextList(b), QStringList{"changeShapeTension"});
    QCOMPARE(onB.first()->tension(), 0.2f);
    undoOnce(b);
    QCOMPARE(onB.first()->tension(), tensionBefore);
}

void TestDesignPanel::dropsTheDragWhenItsViewCloses()
{
    m_window->newFile();
    SketchDocumentView *a = view();
    newTabWithSelectedBoxes();
    SketchDocumentView *b = view();
    emit slider("opacitySlider")->valueChanging(40);
    auto *fill = child<SkinBrushControl>("fillBrushControl");
    b->clearSelection();
    emit fill->selectedBrushChanging(SkinBrush(QColor(Qt::red)));
    QPointer<SketchDocumentView> closing(b);
    QVERIFY(m_window->closeCurView());
    QVERIFY(!closing);
    emit slider("opacitySlider")->valueAccepted(40);
    emit fill->selectedBrushChanged(SkinBrush(QColor(Qt::red)));
    // Neither release lands on the tab left.
    QCOMPARE(view(), a);
    QCOMPARE(undoTexts(a), QString());
}

void TestDesignPanel::takesTheDragBackBeforeAnUndo()
{
    const QList<SketchShape *> boxes = newTabWithSelectedBoxes();
    drag(slider("tensionSlider"), {30});
    emit slider("opacitySlider")->valueChanging(40);
    undoOnce(view());
    for (SketchShape *box : boxes) {
        QCOMPARE(box->opacity(), 1.0f);
        QVERIFY(box->tension() != 0.3f);
    }
    emit slider("opacitySlider")->valueAccepted(40);
    QCOMPARE(undoTexts(view()), QString());
    QCOMPARE(view()->commandManager()->redoCount(), 1);
    view()->commandManager()->redo();
    QCOMPARE(boxes.first()->tension(), 0.3f);
    QCOMPARE(boxes.first()->opacity(), 1.0f);
}

void TestDesignPanel::dropsTheDragWhenItsTargetIsDeleted()
{
    const QList<SketchShape *> boxes = newTabWithSelectedBoxes();
    emit slider("blurSlider")->valueChanging(4);
    view()->deleteSelection();
    emit slider("blurSlider")->valueAccepted(4);
    QCOMPARE(undoTextList(view()).size(), 1);
    undoOnce(view());
    QCOMPARE(layer()->shapes().size(), 3);
    QCOMPARE(undoTexts(view()), QString());
}

void TestDesignPanel::survivesATargetFreedMidDrag()
{
    const QList<SketchShape *> boxes = newTabWithSelectedBoxes();
    emit slider("opacitySlider")->valueChanging(40);
    layer()->shapes().removeOne(boxes.first());
    delete boxes.first();
    emit slider("opacitySlider")->valueAccepted(40);
    // The freed shape is not touched; the others get the value as one step
    // of their own.
    QCOMPARE(undoTextList(view()), QStringList{"changeShapeOpacity"});
    QCOMPARE(boxes.at(1)->opacity(), 0.4f);
    undoOnce(view());
    view()->commandManager()->redo();
    QCOMPARE(boxes.at(2)->opacity(), 0.4f);
}

void TestDesignPanel::survivesTheWindowGoingMidDrag()
{
    // Counted without a window: whatever the half-done drags made must go
    // with it.
    delete m_window;
    m_window = nullptr;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const LiveCounts before;
    init();
    newTabWithSelectedBoxes();
    emit slider("opacitySlider")->valueChanging(40);
    emit child<SkinBrushControl>("fillBrushControl")->selectedBrushChanging(SkinBrush(QColor(Qt::red)));
    delete m_window;
    m_window = nullptr;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QString change = liveCountsChange(before);
    QVERIFY2(change.isEmpty(), qPrintable(change));
}

QTEST_MAIN(TestDesignPanel)
#include "tst_designpanel.moc"
