#ifndef DESIGNPANEL_H
#define DESIGNPANEL_H

#include "app/designpanelgesture.h"
#include "model/skinbrush.h"

#include <QColor>
#include <QList>
#include <QPen>
#include <QRect>
#include <QString>
#include <QWidget>

#include <functional>

class QEvent;
class QFont;
class QFontComboBox;
class QLabel;
class QScrollArea;
class SketchDocumentView;
class SketchFrameEditor;
class SketchLayerControl;
class SketchShape;
class SketchStroke;
class SketchView;
class SkinBrushControl;
class SkinBrushPicker;
class SkinButtonGroup;
class SkinColorPicker;
class SkinGroupBox;
class SkinPenPicker;
class SkinSlider;

// The main window's design panel, right of the document tabs: the sections
// Fill, Shape, Font and Layers, stacked on one sheet that scrolls up and
// down in a window too low for them. It shows the first selected shape of
// the current document view, or that view's paper when nothing is selected,
// and turns what the user does with its controls into edits: a control's
// live ("changing") values are applied to the selected shapes at once, its
// final value is pushed as one step under a fixed text, so one drag is one
// undo step; with nothing selected, fill and stroke go to the paper.
//
// Filling the panel never records or changes anything: the controls'
// setters emit none of the signals the edits listen to, except the font
// box, whose edit is held off while the panel is being filled
// (designPanelLive).
//
// An edit in progress belongs to the view and the targets it was begun on
// (DesignPanelGesture): a step for another view or selection takes the stale
// one back before it begins anew, and nothing is pushed onto a view other
// than the one it was built for.
//
// The panel does not know the window: it asks the lookup it is given for
// the current view each time and keeps none. The Layers section starts
// empty; the window puts its layers panel into it, and the panel places it.
//
// Ownership: the sections and controls are Qt children; the panel owns the
// open commands of its two gestures until they are pushed (then the view's
// history owns them) or taken back. The layers panel is pointed at only.
// GUI thread only.
class DesignPanel : public QWidget
{
    Q_OBJECT

public:
    using ViewLookup = std::function<SketchView *()>;

    // Builds the four sections with the controls in their initial state
    // (transparent fill, black stroke, 1 px pen, every value 0, the default
    // text font, black font colour, no alignment, no style).
    DesignPanel(QWidget *parent, ViewLookup currentView);
    // No control reaches the panel any more once it is going.
    ~DesignPanel() override;

    // --- Sections and controls ---------------------------------------------

    SkinGroupBox *fillSection() const { return groupFill; }
    SkinGroupBox *shapeSection() const { return groupShape; }
    SkinGroupBox *fontSection() const { return groupFont; }
    SkinGroupBox *layersSection() const { return groupLayers; }
    SketchFrameEditor *frameEditor() const { return m_frameEditor; }
    // The layers panel, a Qt child of the Layers section; placed by
    // adjustGeometry().
    void setLayersPanel(SketchLayerControl *panel) { layerControl = panel; }

    // --- Layout and theme ----------------------------------------------------

    // The panel and its sections for a central widget of this size, at its
    // right edge: the sections' own heights where the window is tall enough
    // for them and a few layer rows, and a scrolling panel where it is not.
    void adjustGeometry(int width, int height);
    // Shows the "Face:" row while the frame editor holds a shape and hides
    // it otherwise; true when that changed, and the panel needs a new layout.
    bool updateFrameRow();
    // The sections' buttons, the fill editor's, the alignment icons and the
    // stroke picker's editor in the theme's colours.
    void useThemeStyle();

    // --- Showing the selection -----------------------------------------------

    // Takes back an edit in progress that no longer belongs to the current
    // view and its selection, then shows the first selected shape (the
    // current frame of it), or the paper of the current view. Returns the
    // shape shown, null for the paper.
    SketchShape *showSelection();

    // --- Edits ------------------------------------------------------------------
    // Each acts on the current document view and its selection; nothing
    // without one.

    void changeFillBrush(SkinBrush brush);
    void changingFillBrush(SkinBrush brush);
    void changeStrokeBrush(SkinBrush brush);
    void changeStrokeStyle(QPen pen);
    void changingShapeTension(int value);
    void changeShapeTension(int value);
    void changingShapeOpacity(int value);
    void changeShapeOpacity(int value);
    void changingShapeBlur(int value);
    void changeShapeBlur(int value);
    // The frame the editor shows becomes the shape's; nothing for a null
    // editor or one without a shape.
    void changeShapeFrame(SketchFrameEditor *editor, int index);
    void changeShapeFontName(QString family);
    void changeShapeFontColor(QColor color);
    void changingShapeFontSize(int size);
    void changeShapeFontSize(int size);
    // A negative index (no button) stands for centred.
    void changeShapeFontAlign(int align);
    void changeShapeFontStyle();

    // --- Colour picking from the page -----------------------------------------
    // A pick begins only on a document view that is not slicing; `control`
    // is the control that asked, which takes the colour picked.

    void beginFillColorPicking(QWidget *control);
    void beginStrokeColorPicking(QWidget *control);
    void beginGradientColorPicking(SkinColorPicker *picker);
    // The font colour picker that asked; nothing for another sender.
    void beginForeColorPicking(QObject *control);
    // A colour picked on the page for the control waiting for it; a fully
    // transparent colour (nothing under the cursor) is ignored.
    void fillColorPicked(QColor color);
    void strokeColorPicked(QColor color);
    void gradientColorPicked(QColor color);

signals:
    // A section was folded or unfolded: the window lays itself out again.
    void layoutChanged();

protected:
    // A wheel over a section that none of its controls takes scrolls the
    // panel: the sections keep mouse input from their parents.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // --- Construction -----------------------------------------------------------
    // An expandable section whose folding relayouts the window.
    SkinGroupBox *addSection(const char *name, const QString &title);
    void createFillSection();
    void createShapeSection();
    void createFrameRow(int y);
    void createFontSection();
    void addFontStyleButtons();
    // The sections connect to the panel's own edits.
    void connectFillSection();
    void connectShapeSection();
    void connectFontSection();
    void connectValueSlider(SkinSlider *slider, void (DesignPanel::*changing)(int),
                            void (DesignPanel::*accepted)(int));
    // A caption left of the control, at the control's y; moves the control
    // right of it.
    static QLabel *addFieldLabel(QWidget *control, const QString &caption);
    // A captioned slider row with a label showing the value and its unit.
    static SkinSlider *createValueSlider(QWidget *parent, const QString &caption, int y, int maximum,
                                         int pageStep, const QString &suffix);

    // --- Layout -------------------------------------------------------------------
    // The least height of the expanded Layers section: its title bar and a
    // few layer rows.
    int leastLayersHeight() const;
    // The rectangle of the layers panel within its section.
    QRect layerControlRect() const;

    // --- Filling from the model ----------------------------------------------------
    SketchView *currentSketchView() const;
    SketchDocumentView *currentDocumentView() const;
    SketchShape *firstSelectedShape() const;
    void showShape(SketchShape *shape);
    void showPaper(SketchView *view);
    // The font box shows the family, listed for the purpose when it is not
    // installed.
    void showFontFamily(const QString &family);
    void showFontStyle(const QFont *font);
    // The value labels follow the values set.
    void updateValueTexts();
    void settleGestures();

    // --- Edits ----------------------------------------------------------------------
    using ShapeEdit = std::function<void(SketchShape *)>;
    // The current document view for a shape edit; null when the edit stops
    // (none, or the slice tool while `sliceStops`).
    SketchDocumentView *shapeEditView(bool sliceStops) const;
    // One step of a shape edit on the view's targets: applies `edit` to each,
    // repaints live or, when `final`, rebuilds the blurred images and pushes
    // the pending command as `text`.
    void editShapes(SketchDocumentView *view, const QList<SketchShape *> &targets, const QString &text,
                    bool final, bool repaintLive, const ShapeEdit &edit);
    // An edit without a view-specific fall-back: nothing without targets.
    void editSelectedShapes(const QString &text, bool final, bool repaintLive, const ShapeEdit &edit);
    void editFill(SkinBrush brush, bool final);
    void editPaperColor(const SkinBrush &brush, bool final);
    void changePaperBorder(SketchDocumentView *view, const SketchStroke &border);

    // --- State --------------------------------------------------------------------------
    ViewLookup m_currentView;

    // The scroll area and its sheet, which holds the four sections.
    QScrollArea *designScrollArea = nullptr;
    QWidget *designSections = nullptr;
    SkinGroupBox *groupFill = nullptr;
    SkinGroupBox *groupShape = nullptr;
    SkinGroupBox *groupFont = nullptr;
    SkinGroupBox *groupLayers = nullptr;

    SkinBrushControl *fillBrushControl = nullptr;
    SkinBrushPicker *strokeBrushPicker = nullptr;
    SkinPenPicker *strokePenPicker = nullptr;
    // The pen width beside the stroke pickers ("1px").
    QLabel *strokeWidthLabel = nullptr;
    SkinSlider *tensionSlider = nullptr;
    SkinSlider *opacitySlider = nullptr;
    SkinSlider *blurSlider = nullptr;
    // The "Face:" row stays hidden while the editor has no shape.
    SketchFrameEditor *m_frameEditor = nullptr;
    QLabel *frameEditorLabel = nullptr;
    QFontComboBox *fontComboBox = nullptr;
    SkinColorPicker *fontColorPicker = nullptr;
    SkinSlider *fontSizeSlider = nullptr;
    SkinButtonGroup *fontAlignGroup = nullptr;
    SkinButtonGroup *fontStyleGroup = nullptr;
    SketchLayerControl *layerControl = nullptr;

    // The control waiting for a colour picked on the page.
    QWidget *colorPickingWidget = nullptr;
    // False only while the panel is filled from the selection.
    bool designPanelLive = true;
    // The edits in progress: of the shapes, and of the paper's fill.
    DesignPanelGesture pendingUpdateCommand;
    DesignPanelGesture pendingPaperColorCommand;
};

#endif // DESIGNPANEL_H
