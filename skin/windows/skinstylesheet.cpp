#include "skin/windows/skinstylesheet.h"

#include "skin/windows/skintheme.h"

#include <QStringList>

namespace {

// Replaces %1 to %9 with the values in one scan of the template, so a value
// that itself holds "%2" (a font family, say) is copied as it stands.
QString fill(const char* text, const QStringList& values = {})
{
    const QString source = QString::fromLatin1(text);
    QString result;
    result.reserve(source.size() + 8 * values.size());
    for (int i = 0; i < source.size(); ++i) {
        if (source.at(i) == QLatin1Char('%') && i + 1 < source.size()) {
            const int number = source.at(i + 1).digitValue();
            if (number >= 1 && number <= values.size()) {
                result += values.at(number - 1);
                ++i;
                continue;
            }
        }
        result += source.at(i);
    }
    return result;
}

// "#rrggbb", lower case, alpha left out.
QString hex(const QColor& colour)
{
    return colour.name(QColor::HexRgb);
}

QString normalButtonFragment()
{
    return fill("background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 white, stop:0.09 %1, stop:1 %2); border: 1px solid %3;", {hex(skinButtonTopColor), hex(skinButtonBottomColor), hex(skinButtonBorderColor)});
}

QString hoverButtonFragment()
{
    return fill("background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:0.09 %2, stop:1 %3); border: 1px solid %4;", {hex(skinButtonShineColor), hex(skinButtonHoverTopColor), hex(skinButtonHoverBottomColor), hex(skinButtonHoverBorderColor)});
}

// Ends with a space, which the pressed push-button rule keeps.
QString pressedButtonFragment()
{
    return fill("background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2); border: 1px solid %3; ", {hex(skinButtonPressedTopColor), hex(skinButtonPressedBottomColor), hex(skinButtonPressedBorderColor)});
}

QString windowRules()
{
    return fill("QWidget *{font-family:%1; font-size:%2px;}", {skinFont.family(), QString::number(skinFont.pixelSize())})
         + fill("SkinWindow { background: %1; border: 1px solid %2; border-top-left-radius: 4px; border-top-right-radius: 4px; }", {hex(skinWindowColor), hex(skinWindowBorderColor)})
         + fill("SkinToolWindow { background: %1; }", {hex(skinToolCaptionTopColor)})
         + fill("QWidget#skinWindowCentralWidget{background-color: %1;}", {hex(skinPanelColor)})
         + fill("QWidget#popupWindow { background: %1; border:1px solid %2; }", {hex(skinPanelColor), hex(skinBorderColor)})
         + fill("QWidget#ScrollCorner { background: %1; border: 1px solid %2; }", {hex(skinPanelColor), hex(skinBorderColor)})
         + fill("QWidget#toolWindowCaptionBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2); border-top: 1px solid %3; border-bottom:1px solid %4; }", {hex(skinToolCaptionTopColor), hex(skinToolCaptionBottomColor), hex(skinWindowColor), hex(skinLightLineColor)});
}

QString pushButtonRules()
{
    return fill("QPushButton {color: %1; %2 }", {hex(skinTextColor), normalButtonFragment()})
         + fill("QPushButton:hover { %1 }", {hoverButtonFragment()})
         + fill("QPushButton:pressed { %1 }", {pressedButtonFragment()});
}

QString menuRules()
{
    return fill("QMenuBar { background: transparent; }")
         + fill("QMenuBar::item { background: transparent; color: %1; padding: 2px 8px 3px; }", {hex(skinMenuTextColor)})
         + fill("QMenuBar::item:selected { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 white, stop:0.1 %1, stop:1 %2); border-radius:2px; border:1px solid %3;}", {hex(skinButtonTopColor), hex(skinButtonBottomColor), hex(skinButtonBorderColor)})
         + fill("QMenuBar::item:pressed { background: %1; }", {hex(skinButtonPressedTopColor)})
         + fill("QMenu { background: %1; border: 1px solid %2; }", {hex(skinPanelColor), hex(skinWindowBorderColor)})
         + fill("QMenu::item { background: transparent; color: %1; }", {hex(skinMenuTextColor)})
         + fill("QMenu::item:selected { background: %1; }", {hex(skinHighlightColor)})
         + fill("QMenu::item:disabled { color: %1; }", {hex(skinDisabledTextColor)});
}

QString toolBarRules()
{
    return fill("QToolBar { background:qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 rgb(200, 200, 200), stop:0.02 %1, stop:1 %1); border-bottom:1px solid %2; }", {hex(skinWindowColor), hex(skinBorderColor)})
         + fill("QToolBar::separator { width:0px; margin-top:4px; margin-bottom:4px; margin-left:2px; margin-right:2px; border-left:1px solid %1; border-right:1px solid %2;}", {hex(skinSeparatorDarkColor), hex(skinSeparatorLightColor)})
         + fill("QToolButton { background: transparent; margin: 0 0 1 0; color: %1;}", {hex(skinMenuTextColor)})
         + fill("QToolButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:0.1 %2, stop:1 %3); border:1px solid %4; }", {hex(skinButtonShineColor), hex(skinButtonTopColor), hex(skinButtonBottomColor), hex(skinButtonBorderColor)})
         + fill("QToolButton:pressed, QPushButton:checked { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2); border:1px solid %3; }", {hex(skinButtonPressedTopColor), hex(skinButtonPressedBottomColor), hex(skinButtonPressedBorderColor)});
}

QString labelRules()
{
    return fill("QLabel { color: %1; }", {hex(skinTextColor)})
         + fill("QLabel:disabled { color: %1; }", {hex(skinDisabledTextColor)})
         + fill("QFrame#HLine { border-top: 1px solid %1; border-bottom:1px solid %2; }", {hex(skinSeparatorDarkColor), hex(skinSeparatorLightColor)});
}

QString skinToolBoxRules()
{
    return fill("SkinToolBox { background: %1; border: 1px solid %2; }", {hex(skinWindowColor), hex(skinBorderColor)})
         + fill("SkinToolBox QPushButton { background: transparent; border:0px; }")
         + fill("SkinToolBox QPushButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:0.1 %2, stop:1 %3); border:1px solid %4; }", {hex(skinButtonShineColor), hex(skinButtonTopColor), hex(skinButtonBottomColor), hex(skinButtonBorderColor)})
         + fill("SkinToolBox QPushButton:pressed, QPushButton:checked { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2); border:1px solid %3; }", {hex(skinButtonPressedTopColor), hex(skinButtonPressedBottomColor), hex(skinButtonPressedBorderColor)})
         + fill("SkinToolBox QFrame QToolButton { margin: 0 0 0 0; }");
}

QString sliderRules()
{
    return fill("QSlider::groove:horizontal {background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:0.1 %2, stop:1 %3); border:1px solid %4; height: 13px; padding:-4px 0px -4px 0px; }", {hex(skinButtonShineColor), hex(skinButtonTopColor), hex(skinButtonBottomColor), hex(skinButtonBorderColor)})
         + fill("QSlider::handle:horizontal {background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2); border: 1px solid %3; width: 11px; margin: 0px -1px 0px -1px; border-radius: 6px;}", {hex(skinButtonTopColor), hex(skinButtonBottomColor), hex(skinButtonBorderColor)})
         + fill("QSlider::handle:horizontal:hover {background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2); border: 1px solid %3; }", {hex(skinButtonHoverTopColor), hex(skinButtonHoverBottomColor), hex(skinButtonHoverBorderColor)})
         + fill("QSlider::handle:horizontal:pressed {background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2); border: 1px solid %3; }", {hex(skinButtonPressedTopColor), hex(skinButtonPressedBottomColor), hex(skinButtonPressedBorderColor)});
}

QString pickerRules()
{
    return fill("SketchDocumentView{ background:%1; border:1px solid %2; }", {hex(skinDocumentViewColor), hex(skinBorderColor)})
         + fill("SkinColorPicker, SkinPenPicker, SkinBrushPicker, SketchFrameEditor { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2); border: 1px solid %3; }", {hex(skinButtonTopColor), hex(skinButtonBottomColor), hex(skinButtonBorderColor)})
         + fill("SkinColorPicker:hover, SkinPenPicker:hover, SkinBrushPicker:hover, SketchFrameEditor:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2); border: 1px solid %3; }", {hex(skinButtonHoverTopColor), hex(skinButtonHoverBottomColor), hex(skinButtonHoverBorderColor)})
         + fill("SkinColorPicker:pressed, SkinPenPicker:pressed, SkinBrushPicker:pressed, SketchFrameEditor:pressed { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2); border: 1px solid %3; }", {hex(skinButtonPressedTopColor), hex(skinButtonPressedBottomColor), hex(skinButtonPressedBorderColor)})
         + fill("SkinImageControl { background: white; border: 1px solid %1; }", {hex(skinBorderColor)});
}

QString scrollBarRules()
{
    return fill("QScrollBar:horizontal { border: 1px solid %1; height: 16px; margin: 0px 16px 0 16px;}", {hex(skinBorderColor)})
         + fill("QScrollBar::handle:horizontal { min-width: 16px; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2); background-image: url(:/widgets/images/HGrip.png); background-position: center; background-repeat: none; }", {hex(skinButtonTopColor), hex(skinButtonBottomColor)})
         + fill("QScrollBar::handle:horizontal:hover { min-width: 16px; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2); background-image: url(:/widgets/images/HGrip.png); background-position: center; background-repeat: none; }", {hex(skinButtonHoverTopColor), hex(skinButtonHoverBottomColor)})
         + fill("QScrollBar::handle:horizontal:pressed { min-width: 16px; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2); background-image: url(:/widgets/images/HGrip.png); background-position: center; background-repeat: none; }", {hex(skinButtonPressedTopColor), hex(skinButtonPressedBottomColor)})
         + fill("QScrollBar::add-line:horizontal { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2); width: 17px; subcontrol-position: right; subcontrol-origin: margin; }", {hex(skinButtonTopColor), hex(skinButtonBottomColor)})
         + fill("QScrollBar::add-line:horizontal:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2); width: 17px; subcontrol-position: right; subcontrol-origin: margin; }", {hex(skinButtonHoverTopColor), hex(skinButtonHoverBottomColor)})
         + fill("QScrollBar::add-line:horizontal:pressed { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2); width: 17px; subcontrol-position: right; subcontrol-origin: margin; }", {hex(skinButtonPressedTopColor), hex(skinButtonPressedBottomColor)})
         + fill("QScrollBar::sub-line:horizontal { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2); width: 17px; subcontrol-position: left; subcontrol-origin: margin;}", {hex(skinButtonTopColor), hex(skinButtonBottomColor)})
         + fill("QScrollBar::sub-line:horizontal:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2); width: 17px; subcontrol-position: left; subcontrol-origin: margin;}", {hex(skinButtonHoverTopColor), hex(skinButtonHoverBottomColor)})
         + fill("QScrollBar::sub-line:horizontal:pressed { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2); width: 17px; subcontrol-position: left; subcontrol-origin: margin;}", {hex(skinButtonPressedTopColor), hex(skinButtonPressedBottomColor)})
         + fill("QScrollBar::add-page:horizontal { border-left: 2px solid %1; background: %2; }", {hex(skinBorderColor), hex(skinButtonTopColor)})
         + fill("QScrollBar::sub-page:horizontal { border-right: 2px solid %1; background: %2; }", {hex(skinBorderColor), hex(skinButtonTopColor)})
         + fill("QScrollBar:left-arrow:horizontal { border: 1px solid %1; background-image: url(:/widgets/images/LeftArrow.png); background-position: center; background-repeat: none; }", {hex(skinBorderColor)})
         + fill("QScrollBar:right-arrow:horizontal { border: 1px solid %1;  background-image: url(:/widgets/images/RightArrow.png); background-position: center; background-repeat: none; }", {hex(skinBorderColor)})
         + fill("QScrollBar:vertical { border: 1px solid %1; width: 16px; margin: 16px 0 16px 0;}", {hex(skinBorderColor)})
         + fill("QScrollBar::handle:vertical { min-height: 16px; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2); background-image: url(:/widgets/images/VGrip.png); background-position: center; background-repeat: none; }", {hex(skinButtonTopColor), hex(skinButtonBottomColor)})
         + fill("QScrollBar::handle:vertical:hover { min-height: 16px; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2); background-image: url(:/widgets/images/VGrip.png); background-position: center; background-repeat: none; }", {hex(skinButtonHoverTopColor), hex(skinButtonHoverBottomColor)})
         + fill("QScrollBar::handle:vertical:pressed { min-height: 16px; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2); background-image: url(:/widgets/images/VGrip.png); background-position: center; background-repeat: none; }", {hex(skinButtonPressedTopColor), hex(skinButtonPressedBottomColor)})
         + fill("QScrollBar::add-line:vertical { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2); height: 17px; subcontrol-position: bottom; subcontrol-origin: margin; }", {hex(skinButtonTopColor), hex(skinButtonBottomColor)})
         + fill("QScrollBar::add-line:vertical:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2); height: 17px; subcontrol-position: bottom; subcontrol-origin: margin; }", {hex(skinButtonHoverTopColor), hex(skinButtonHoverBottomColor)})
         + fill("QScrollBar::add-line:vertical:pressed { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2); height: 17px; subcontrol-position: bottom; subcontrol-origin: margin; }", {hex(skinButtonPressedTopColor), hex(skinButtonPressedBottomColor)})
         + fill("QScrollBar::sub-line:vertical { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2); height: 17px; subcontrol-position: top; subcontrol-origin: margin;}", {hex(skinButtonTopColor), hex(skinButtonBottomColor)})
         + fill("QScrollBar::sub-line:vertical:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2); height: 17px; subcontrol-position: top; subcontrol-origin: margin;}", {hex(skinButtonHoverTopColor), hex(skinButtonHoverBottomColor)})
         + fill("QScrollBar::sub-line:vertical:pressed { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2); height: 17px; subcontrol-position: top; subcontrol-origin: margin;}", {hex(skinButtonPressedTopColor), hex(skinButtonPressedBottomColor)})
         + fill("QScrollBar::add-page:vertical { border-top: 2px solid %1; background: %2; }", {hex(skinBorderColor), hex(skinButtonTopColor)})
         + fill("QScrollBar::sub-page:vertical { border-bottom: 2px solid %1; background: %2; }", {hex(skinBorderColor), hex(skinButtonTopColor)})
         + fill("QScrollBar:up-arrow:vertical { border: 1px solid %1; background-image: url(:/widgets/images/UpArrow.png); background-position: center; background-repeat: none; }", {hex(skinBorderColor)})
         + fill("QScrollBar:down-arrow:vertical { border: 1px solid %1;  background-image: url(:/widgets/images/DownArrow.png); background-position: center; background-repeat: none; }", {hex(skinBorderColor)});
}

QString toolBoxRules()
{
    return fill("QToolBox { background: %1; }", {hex(skinPanelColor)})
         + fill("QToolBox::tab { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2); border:1px solid %3;}", {hex(skinButtonTopColor), hex(skinButtonBottomColor), hex(skinBorderColor)})
         + fill("QToolBox::tab:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2); }", {hex(skinButtonHoverTopColor), hex(skinButtonHoverBottomColor)})
         + fill("QToolBox::tab:pressed { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2); }", {hex(skinButtonPressedTopColor), hex(skinButtonPressedBottomColor)})
         + fill("SketchMaterialBox QToolBox::tab{ color:%1;}", {hex(skinTextColor)})
         + fill("SketchMaterialBox QToolBox::tab:!first { border-top-width: 0px; }")
         + fill("SketchMaterialBox QToolBox::tab:selected { border-bottom-width: 0px; }");
}

QString comboBoxRules()
{
    return fill("QComboBox { border: 1px solid %1; padding: 1px 1px 1px 3px; color: %2; }", {hex(skinBorderColor), hex(skinTextColor)})
         + fill("QComboBox:editable { background: %1; }", {hex(skinPanelColor)})
         + fill("QComboBox:!editable, QComboBox::drop-down:editable { background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,  stop: 0 %1, stop: 1 %2); }", {hex(skinButtonTopColor), hex(skinButtonBottomColor)})
         + fill("QComboBox:on { padding-top: 3px; padding-left: 4px; }")
         + fill("QComboBox::drop-down { subcontrol-origin: padding; subcontrol-position: top right;width: 15px;border-left-width: 1px; border-left-color: %1; border-left-style: solid; }", {hex(skinBorderColor)})
         + fill("QComboBox::down-arrow { image: url(:/widgets/images/DownArrow.png); }")
         + fill("QComboBox::down-arrow:on { top: 1px; left: 1px; }")
         + fill("QComboBox QAbstractItemView{ background: %1; border: 1px solid %2; color: %3; }", {hex(skinPanelColor), hex(skinBorderColor), hex(skinTextColor)});
}

QString spinBoxRules()
{
    return fill("QAbstractSpinBox { border: 1px solid %1; padding-right: 15px; background:%2; color: %3;}", {hex(skinBorderColor), hex(skinButtonTopColor), hex(skinTextColor)})
         + fill("QAbstractSpinBox::up-button { subcontrol-origin: border; subcontrol-position: top right; width: 16px; background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,  stop: 0 %1, stop: 1 %2); border: 1px solid %3;  }", {hex(skinButtonTopColor), hex(skinButtonBottomColor), hex(skinBorderColor)})
         + fill("QAbstractSpinBox::down-button { subcontrol-origin: border; subcontrol-position: bottom right; width: 16px; background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,  stop: 0 %1, stop: 1 %2); border: 1px solid %3; border-top-width: 0; }", {hex(skinButtonTopColor), hex(skinButtonBottomColor), hex(skinBorderColor)})
         + fill("QAbstractSpinBox::up-button:hover{ background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,  stop: 0 %1, stop: 1 %2); border: 1px solid %3; }", {hex(skinButtonHoverTopColor), hex(skinButtonHoverBottomColor), hex(skinBorderColor)})
         + fill("QAbstractSpinBox::down-button:hover { background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,  stop: 0 %1, stop: 1 %2); border: 1px solid %3; border-top-width: 0;  }", {hex(skinButtonHoverTopColor), hex(skinButtonHoverBottomColor), hex(skinBorderColor)})
         + fill("QAbstractSpinBox::up-button:pressed{  background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,  stop: 0 %1, stop: 1 %2); border: 1px solid %3; }", {hex(skinButtonPressedTopColor), hex(skinButtonPressedBottomColor), hex(skinBorderColor)})
         + fill("QAbstractSpinBox::down-button:pressed { background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,  stop: 0 %1, stop: 1 %2); border: 1px solid %3; border-top-width: 0;  }", {hex(skinButtonPressedTopColor), hex(skinButtonPressedBottomColor), hex(skinBorderColor)})
         + fill("QAbstractSpinBox::up-arrow { image: url(:/widgets/images/SpinUpArrow.png); width: 7px; height: 7px; }")
         + fill("QAbstractSpinBox::down-arrow {image: url(:/widgets/images/SpinDownArrow.png); width: 7px; height: 7px; }");
}

QString editRules()
{
    return fill("QLineEdit, QTextEdit { min-height:20px; border:1px solid %1; }", {hex(skinBorderColor)})
         + fill("QLineEdit:read-only, QTextEdit:read-only { background-color:%1; }", {hex(skinPanelColor)})
         + fill("QDateEdit { min-height:20px; background-color: white; color:black; }")
         + fill("QCheckBox { color: %1 }", {hex(skinTextColor)})
         + fill("QListWidget {border: 1px solid %1; background:%2; }", {hex(skinBorderColor), hex(skinButtonTopColor)})
         + fill("QListWidget::item { height: 20px; color: %1; }", {hex(skinTextColor)})
         + fill("QListWidget::item:hover, QListWidget::item:selected { background:%1; color: black; }", {hex(skinHighlightColor)})
         + fill("SkinPrintPreviewDialog QWidget#commandBar { border-top: 1px solid %1; border-bottom: 1px solid %2;}", {hex(skinLightLineColor), hex(skinBorderColor)})
         + fill("SkinPrintPreviewDialog QWidget#previewWidget * { background-color: %1; }", {hex(skinPanelColor)});
}

} // namespace

void buildSkinStyleSheet()
{
    // Later rules win over earlier ones, so the order is part of the look.
    skinStyleSheet = windowRules()
            + pushButtonRules()
            + menuRules()
            + toolBarRules()
            + labelRules()
            + skinToolBoxRules()
            + sliderRules()
            + pickerRules()
            + scrollBarRules()
            + toolBoxRules()
            + comboBoxRules()
            + spinBoxRules()
            + editRules();
}

QString skinFocusFrameRules()
{
    return fill("QPushButton:focus, QComboBox:focus, QAbstractSpinBox:focus, QTextEdit:focus { border: 1px solid %1; }", {hex(skinTextColor)});
}
