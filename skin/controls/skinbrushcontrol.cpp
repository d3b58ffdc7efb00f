#include "skin/controls/skinbrushcontrol.h"

#include "skin/controls/skinbrushpreview.h"
#include "skin/controls/skincolorpicker.h"
#include "skin/controls/skincolorslider.h"
#include "skin/controls/skincolortable.h"
#include "skin/controls/skingradientslider.h"
#include "skin/controls/skinimagecontrol.h"
#include "skin/controls/skinswatch.h"
#include "skin/windows/skinmenu.h"
#include "skin/windows/skintabcontrol.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

SkinBrushControl::SkinBrushControl(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_MouseTracking);

    m_tabControl = new SkinTabControl(this);
    connect(m_tabControl, &SkinTabControl::selectedIndexChanged, this,
            &SkinBrushControl::tabControlSelectedIndexChanged);
    connect(m_tabControl, &SkinTabControl::selectedIndexChanged, this, &SkinBrushControl::onSelectedBrushChanged);

    m_colorTableThemeMenu = new SkinMenu(m_tabControl);
    m_tabControl->setContextMenu(m_colorTableThemeMenu);
    for (const QString &name : {tr("General"), tr("Human"), tr("Nature")}) {
        QAction *action = m_colorTableThemeMenu->addAction(name);
        connect(action, &QAction::triggered, this, &SkinBrushControl::onChangeColorTableTheme);
        action->setCheckable(true);
        m_colorTableThemeActions.append(action);
    }
    m_colorTableThemeActions.first()->setChecked(true);

    buildSolidPage();
    buildGradientPage(SkinBrushLinear, QStringLiteral(":/designs/images/FillLinear"), m_linearGradientSlider,
                      m_linearColorPicker, m_linearBrushPreview, &SkinBrushControl::onUpdateLinearBrushPreview,
                      &SkinBrushControl::onLinearColorPicking);
    buildGradientPage(SkinBrushRadial, QStringLiteral(":/designs/images/FillRadial"), m_radialGradientSlider,
                      m_radialColorPicker, m_radialBrushPreview, &SkinBrushControl::onUpdateRadialBrushPreview,
                      &SkinBrushControl::onRadialColorPicking);
    buildGradientPage(SkinBrushConical, QStringLiteral(":/designs/images/FillConical"), m_conicalGradientSlider,
                      m_conicalColorPicker, m_conicalBrushPreview, &SkinBrushControl::onUpdateConcialBrushPreview,
                      &SkinBrushControl::onConicalColorPicking);
    buildImagePage();

    updateButtonIcons();
}

// A colour reaches the slider or the selected stop before the brush is
// composed: the child controls emit their valued signal first, and the
// connections below run in the order they are made.
void SkinBrushControl::buildSolidPage()
{
    // The first page becomes current by itself, without a signal.
    QWidget *page = m_tabControl->addPage(QIcon(QStringLiteral(":/designs/images/FillSolid")), false);
    m_colorTable = new SkinColorTable(page);
    m_colorSlider = new SkinColorSlider(page);
    m_pickColorButton = new QPushButton(page);
    m_rgbColorButton = new QPushButton(page);
    m_rgbColorEdit = new QLineEdit(page);
    m_rgbColorEdit->hide();
    for (QPushButton *button : {m_pickColorButton, m_rgbColorButton}) {
        button->setAttribute(Qt::WA_NoMousePropagation);
        button->setCursor(Qt::ArrowCursor);
    }

    connect(m_colorTable, qOverload<const QColor &>(&SkinColorTable::selectedColorChanged), m_colorSlider,
            &SkinColorSlider::setSelectedColor);
    connect(m_colorTable, qOverload<>(&SkinColorTable::selectedColorChanged), this,
            &SkinBrushControl::onSelectedBrushChanged);
    connect(m_colorTable, qOverload<>(&SkinColorTable::selectedColorAccepted), this,
            &SkinBrushControl::onSelectedBrushAccepted);
    connect(m_colorSlider, &SkinColorSlider::selectedColorChanging, this, &SkinBrushControl::onSelectedBrushChanging);
    connect(m_colorSlider, &SkinColorSlider::selectedColorChanged, this, &SkinBrushControl::onSelectedBrushChanged);
    connect(m_pickColorButton, &QPushButton::clicked, this, &SkinBrushControl::onColorPicking);
    connect(m_rgbColorButton, &QPushButton::clicked, this, &SkinBrushControl::rgbColorButtonClicked);
}

void SkinBrushControl::buildGradientPage(int type, const QString &icon, SkinGradientSlider *&slider,
                                         SkinColorPicker *&picker, SkinBrushPreview *&preview, Slot updatePreview,
                                         Slot colorPicking)
{
    QWidget *page = m_tabControl->addPage(QIcon(icon), false);
    slider = new SkinGradientSlider(page);
    picker = new SkinColorPicker(page);
    picker->setBrushControl(this);
    preview = new SkinBrushPreview(page);
    preview->setPreviewType(type);

    connect(slider, qOverload<const QColor &>(&SkinGradientSlider::selectedTrackerChanged), picker,
            &SkinColorPicker::setSelectedColor);
    connect(slider, &SkinGradientSlider::selectedTrackerMoving, this, &SkinBrushControl::onSelectedBrushChanging);
    connect(slider, &SkinGradientSlider::selectedTrackerMoved, this, &SkinBrushControl::onSelectedBrushChanged);
    connect(slider, &SkinGradientSlider::selectedTrackerClicked, picker, &SkinColorPicker::showPopup);
    connect(slider, &SkinGradientSlider::selectedTrackerMoving, this, updatePreview);
    connect(slider, &SkinGradientSlider::selectedTrackerDeleted, this, updatePreview);
    connect(slider, &SkinGradientSlider::selectedTrackerDeleted, this, &SkinBrushControl::onSelectedBrushChanged);
    connect(picker, qOverload<const QColor &>(&SkinColorPicker::selectedColorChanged), slider,
            &SkinGradientSlider::setSelectedColor);
    connect(picker, qOverload<>(&SkinColorPicker::selectedColorChanged), this,
            &SkinBrushControl::onSelectedBrushChanged);
    connect(picker, qOverload<>(&SkinColorPicker::selectedColorChanged), this, updatePreview);
    connect(picker, &SkinColorPicker::colorPicking, this, colorPicking);
    connect(preview, qOverload<>(&SkinBrushPreview::selectedBrushChanged), this,
            &SkinBrushControl::onSelectedBrushChanged);
    connect(preview, qOverload<>(&SkinBrushPreview::selectedBrushChanging), this,
            &SkinBrushControl::onSelectedBrushChanging);
}

void SkinBrushControl::buildImagePage()
{
    QWidget *page = m_tabControl->addPage(QIcon(QStringLiteral(":/designs/images/FillImage")), false);
    m_imageControl = new SkinImageControl(page);
    connect(m_imageControl, qOverload<>(&SkinImageControl::selectedBrushChanged), this,
            &SkinBrushControl::onSelectedBrushChanged);
    connect(m_imageControl, qOverload<>(&SkinImageControl::selectedBrushChanged), this,
            &SkinBrushControl::onSelectedBrushAccepted);
}

// --- The brush ----------------------------------------------------------------------

SkinBrush SkinBrushControl::gradientBrush(int type, const SkinGradientSlider *slider,
                                          const SkinBrushPreview *preview) const
{
    SkinBrush brush(type, slider->gradient());
    brush.setCenter(preview->brush().center());
    brush.setFrom(preview->brush().from());
    brush.setTo(preview->brush().to());
    return brush;
}

SkinBrush SkinBrushControl::selectedBrush() const
{
    switch (m_tabControl->currentIndex()) {
    case SkinBrushSolid:
        return SkinBrush(m_colorSlider->selectedColor());
    case SkinBrushLinear:
        return gradientBrush(SkinBrushLinear, m_linearGradientSlider, m_linearBrushPreview);
    case SkinBrushRadial:
        return gradientBrush(SkinBrushRadial, m_radialGradientSlider, m_radialBrushPreview);
    case SkinBrushConical:
        return gradientBrush(SkinBrushConical, m_conicalGradientSlider, m_conicalBrushPreview);
    case SkinBrushImage: {
        SkinBrush brush(SkinBrushImage);
        brush.setImageData(m_imageControl->brush().imageData());
        return brush;
    }
    default:
        return SkinBrush::transparentBrush();
    }
}

void SkinBrushControl::showOnGradientPage(const SkinBrush &brush, SkinGradientSlider *slider,
                                          SkinColorPicker *picker, SkinBrushPreview *preview)
{
    slider->setGradient(brush.stops());
    picker->setSelectedColor(slider->selectedColor());
    preview->setSelectedBrush(brush);
}

void SkinBrushControl::setSelectedBrush(const SkinBrush &brush)
{
    const int type = brush.type();
    m_tabControl->setCurrentIndex(type >= SkinBrushSolid && type <= SkinBrushImage ? type : SkinBrushSolid);

    // A brush without stops (from a damaged file) reads as transparent here.
    const QColor first = brush.stops().firstColor();
    m_colorTable->setSelectedColor(first);
    m_colorSlider->setSelectedColor(first);
    m_rgbColorEdit->setText(m_colorSlider->selectedColor().name().toUpper());

    showOnGradientPage(brush, m_linearGradientSlider, m_linearColorPicker, m_linearBrushPreview);
    showOnGradientPage(brush, m_radialGradientSlider, m_radialColorPicker, m_radialBrushPreview);
    showOnGradientPage(brush, m_conicalGradientSlider, m_conicalColorPicker, m_conicalBrushPreview);
    m_imageControl->setSelectedBrush(brush);
    update();
}

// --- Emitting -----------------------------------------------------------------------

void SkinBrushControl::onSelectedBrushChanged()
{
    if (m_tabControl->currentIndex() == SkinBrushSolid) {
        m_rgbColorEdit->setText(m_colorSlider->selectedColor().name().toUpper());
        // While the RGB entry is open the typed colour is not committed yet.
        if (!m_colorSlider->isVisible())
            return;
    }
    const SkinBrush brush = selectedBrush();
    emit selectedBrushChanged();
    emit selectedBrushChanged(brush);
}

void SkinBrushControl::onSelectedBrushAccepted()
{
    const SkinBrush brush = selectedBrush();
    emit selectedBrushAccepted();
    emit selectedBrushAccepted(brush);
}

void SkinBrushControl::onSelectedBrushChanging()
{
    const SkinBrush brush = selectedBrush();
    emit selectedBrushChanging();
    emit selectedBrushChanging(brush);
}

// --- Pages, palette and buttons -----------------------------------------------------

void SkinBrushControl::setContextButtonVisible(bool visible)
{
    m_contextButtonVisible = visible;
    m_tabControl->contextButton()->setVisible(visible);
    m_tabControl->updateTabs();
}

void SkinBrushControl::tabControlSelectedIndexChanged()
{
    m_tabControl->contextButton()->setVisible(m_contextButtonVisible
                                              && m_tabControl->currentIndex() == SkinBrushSolid);
    m_tabControl->updateTabs();
}

void SkinBrushControl::setImageBrushEnabled(bool enabled)
{
    m_imageBrushEnabled = enabled;
    if (enabled || m_tabControl->pages().isEmpty())
        return;
    m_tabControl->pages().removeLast();
    // Clamps the current index; the taken page is hidden if it was shown.
    m_tabControl->setCurrentIndex(m_tabControl->currentIndex());
    m_tabControl->updateTabs();
}

void SkinBrushControl::onChangeColorTableTheme()
{
    auto *source = qobject_cast<QAction *>(sender());
    for (QAction *action : qAsConst(m_colorTableThemeActions))
        action->setChecked(action == source);
    m_colorTable->setPalette(m_colorTableThemeActions.indexOf(source));
}

void SkinBrushControl::rgbColorButtonClicked()
{
    toggleColorEntry(m_colorSlider, m_rgbColorEdit);
    updateButtonIcons();
}

void SkinBrushControl::onColorPicking()
{
    switch (pressColorPickButton(m_colorSlider, m_rgbColorEdit)) {
    case ColorPickOutcome::PickFromPage:
        emit colorPicking();
        break;
    case ColorPickOutcome::EntryConfirmed:
        updateButtonIcons();
        emit m_colorSlider->selectedColorChanged();
        break;
    case ColorPickOutcome::Nothing:
        break;
    }
}

void SkinBrushControl::onUpdateLinearBrushPreview()
{
    m_linearBrushPreview->setSelectedGradient(m_linearGradientSlider->gradient());
}

void SkinBrushControl::onUpdateRadialBrushPreview()
{
    m_radialBrushPreview->setSelectedGradient(m_radialGradientSlider->gradient());
}

void SkinBrushControl::onUpdateConcialBrushPreview()
{
    m_conicalBrushPreview->setSelectedGradient(m_conicalGradientSlider->gradient());
}

void SkinBrushControl::onLinearColorPicking()
{
    emit gradientColorPicking(m_linearColorPicker);
}

void SkinBrushControl::onRadialColorPicking()
{
    emit gradientColorPicking(m_radialColorPicker);
}

void SkinBrushControl::onConicalColorPicking()
{
    emit gradientColorPicking(m_conicalColorPicker);
}

void SkinBrushControl::updateButtonIcons()
{
    m_tabControl->updateButtonIcons();
    const bool entryOpen = !m_rgbColorEdit->isHidden();
    setColorEntryButtonIcons(m_pickColorButton, m_rgbColorButton, entryOpen);
    m_pickColorButton->setToolTip(entryOpen ? tr("OK") : tr("Pick Color"));
    m_rgbColorButton->setToolTip(entryOpen ? tr("Cancel") : tr("Custom RGB Color"));
    for (SkinColorPicker *picker : {m_linearColorPicker, m_radialColorPicker, m_conicalColorPicker})
        picker->updateButtons();
}

// --- Layout -------------------------------------------------------------------------

void SkinBrushControl::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const int w = width();
    const int h = height();
    m_tabControl->setGeometry(0, 0, w, h);
    m_colorTable->setGeometry(4, 4, w - 10, h - 54);
    m_colorSlider->setGeometry(4, h - 46, w - 56, 20);
    m_pickColorButton->setGeometry(w - 49, h - 46, 20, 20);
    m_rgbColorButton->setGeometry(w - 26, h - 46, 20, 20);
    m_rgbColorEdit->setGeometry(4, h - 46, w - 56, 20);
    for (SkinGradientSlider *slider : {m_linearGradientSlider, m_radialGradientSlider, m_conicalGradientSlider})
        slider->setGeometry(2, 4, w - 6, 40);
    // Zero pixels high: the pickers show no swatch and only anchor their
    // popups under the stop bar.
    for (SkinColorPicker *picker : {m_linearColorPicker, m_radialColorPicker, m_conicalColorPicker}) {
        picker->setGeometry(8, 48, 50, 0);
        picker->setPopupRect(QRect(-9, 0, 185, 150));
    }
    for (SkinBrushPreview *preview : {m_linearBrushPreview, m_radialBrushPreview, m_conicalBrushPreview})
        preview->setGeometry(2, 46, w - 6, h - 70);
    m_imageControl->setGeometry(4, 4, w - 10, h - 29);
}
