#ifndef SKINBRUSHCONTROL_H
#define SKINBRUSHCONTROL_H

#include "model/skinbrush.h"

#include <QList>
#include <QWidget>

class QAction;
class QLineEdit;
class QPushButton;
class SkinBrushPicker;
class SkinBrushPreview;
class SkinColorPicker;
class SkinColorSlider;
class SkinColorTable;
class SkinGradientSlider;
class SkinImageControl;
class SkinMenu;
class SkinTabControl;

// The editor of one brush: a tab control with one page per brush type, in
// type order (0 solid, 1 linear, 2 radial, 3 conical, 4 image). The solid
// page holds a colour table, a lightness slider, a pick button and an RGB
// entry; each gradient page a stop bar, a colour popup for the selected
// stop (anchored under the bar, without a swatch of its own) and a preview
// whose points the user drags; the image page an image swatch.
//
// The editor keeps no brush: selectedBrush() composes one from the current
// page's controls whenever it is needed, with opacity 1. Every edit goes
// out as a pair, the plain signal first: "changing" while the user drags
// (lightness, stop, preview handle), "changed" when an edit is complete or
// the user switched pages, "accepted" for a double-clicked swatch and for
// a chosen or cleared image (which also sends "changed" first). On the
// solid page "changed" goes out only while the slider is on screen (the
// RGB entry closed). Adding a stop emits nothing; the new stop is part of
// the next brush the page emits.
//
// setSelectedBrush() shows a brush on every page (so a later page switch
// starts from the same stops, points and picture) and emits nothing.
// colorPicking() asks the owner to pick the solid colour from the page;
// gradientColorPicking() asks the same for a stop, naming the page's
// colour picker, into which the owner hands the colour back.
//
// Ownership: every child widget is a Qt child of the editor; the palette
// menu owns its actions. The brush picker is the one whose popup holds
// this editor, not owned.
class SkinBrushControl : public QWidget
{
    Q_OBJECT

public:
    // The solid page current, palette "General", RGB entry closed, context
    // button hidden, image page present.
    explicit SkinBrushControl(QWidget *parent = nullptr);

    // The brush of the current page; transparent without a current page.
    SkinBrush selectedBrush() const;
    SkinTabControl *tabControl() const { return m_tabControl; }

    // The tab control's context button opens the palette menu; it shows
    // only while this is set and the solid page is current. The setter
    // shows or hides it at once from the flag alone.
    bool isContextButtonVisible() const { return m_contextButtonVisible; }
    void setContextButtonVisible(bool visible);

    // False takes the image page out of the tabs for good (the page widget
    // stays); true brings nothing back.
    bool isImageBrushEnabled() const { return m_imageBrushEnabled; }
    void setImageBrushEnabled(bool enabled);

    SkinBrushPicker *brushPicker() const { return m_brushPicker; }
    void setBrushPicker(SkinBrushPicker *picker) { m_brushPicker = picker; }

    // The tab control's, the pick and RGB buttons' and the gradient colour
    // pickers' icons and tool tips for the current theme and entry state.
    void updateButtonIcons();

public slots:
    // Shows the brush on all pages and makes the page of its type current
    // (a type outside 0 to 4 shows the solid page); emits nothing.
    void setSelectedBrush(const SkinBrush &brush);
    void onSelectedBrushChanged();
    void onSelectedBrushAccepted();
    void onSelectedBrushChanging();
    // After a page switch by the user: the context button follows the page.
    void tabControlSelectedIndexChanged();
    // Opens the RGB entry on the slider's colour, or abandons it.
    void rgbColorButtonClicked();
    // The pick button: colorPicking() while the slider shows, otherwise
    // accepts the typed colour (a text that is not a colour turns the entry
    // red) and emits the changed pair with it.
    void onColorPicking();
    // The page's preview takes its stop bar's stops.
    void onUpdateLinearBrushPreview();
    void onUpdateRadialBrushPreview();
    void onUpdateConcialBrushPreview();
    void onLinearColorPicking();
    void onRadialColorPicking();
    void onConicalColorPicking();
    // A palette action: only it checked, and the table shows its palette.
    void onChangeColorTableTheme();

signals:
    void selectedBrushChanged();
    void selectedBrushChanged(const SkinBrush &brush);
    void selectedBrushChanging();
    void selectedBrushChanging(const SkinBrush &brush);
    void selectedBrushAccepted();
    void selectedBrushAccepted(const SkinBrush &brush);
    void colorPicking();
    void gradientColorPicking(SkinColorPicker *picker);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    using Slot = void (SkinBrushControl::*)();

    void buildSolidPage();
    void buildGradientPage(int type, const QString &icon, SkinGradientSlider *&slider, SkinColorPicker *&picker,
                           SkinBrushPreview *&preview, Slot updatePreview, Slot colorPicking);
    void buildImagePage();
    SkinBrush gradientBrush(int type, const SkinGradientSlider *slider, const SkinBrushPreview *preview) const;
    void showOnGradientPage(const SkinBrush &brush, SkinGradientSlider *slider, SkinColorPicker *picker,
                            SkinBrushPreview *preview);

    SkinTabControl *m_tabControl = nullptr;
    SkinMenu *m_colorTableThemeMenu = nullptr;
    bool m_contextButtonVisible = false;
    QList<QAction *> m_colorTableThemeActions;
    SkinColorTable *m_colorTable = nullptr;
    SkinColorSlider *m_colorSlider = nullptr;
    QPushButton *m_pickColorButton = nullptr;
    QPushButton *m_rgbColorButton = nullptr;
    QLineEdit *m_rgbColorEdit = nullptr;
    SkinGradientSlider *m_linearGradientSlider = nullptr;
    SkinColorPicker *m_linearColorPicker = nullptr;
    SkinBrushPreview *m_linearBrushPreview = nullptr;
    SkinGradientSlider *m_radialGradientSlider = nullptr;
    SkinColorPicker *m_radialColorPicker = nullptr;
    SkinBrushPreview *m_radialBrushPreview = nullptr;
    SkinGradientSlider *m_conicalGradientSlider = nullptr;
    SkinColorPicker *m_conicalColorPicker = nullptr;
    SkinBrushPreview *m_conicalBrushPreview = nullptr;
    SkinImageControl *m_imageControl = nullptr;
    bool m_imageBrushEnabled = true;
    SkinBrushPicker *m_brushPicker = nullptr;
};

#endif // SKINBRUSHCONTROL_H
