#include "skin/windows/skintheme.h"

#include "skin/windows/skinstylesheet.h"

#include "model/imagehelpers.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>

QString skinStyleSheet;
QString skinFontFamily = QStringLiteral("verdana");
QString skinFontPixelSize = QStringLiteral("11");
// A default QFont may be built before the application object exists: it
// takes Qt's built-in defaults then and is replaced by the first theme load.
QFont skinFont;

QColor skinTextColor;
QColor skinDisabledTextColor;
QColor skinIconColor;
QColor skinDisabledIconColor;
QColor skinWindowColor;
QColor skinWindowBorderColor;
QColor skinLightColor;
QColor skinPanelColor;
QColor skinBorderColor;
QColor skinLightLineColor;
QColor skinMenuTextColor;
QColor skinSeparatorDarkColor;
QColor skinSeparatorLightColor;
QColor skinDocumentViewColor;
QColor skinButtonShineColor;
QColor skinButtonBorderColor;
QColor skinButtonTopColor;
QColor skinButtonBottomColor;
QColor skinButtonHoverBorderColor;
QColor skinButtonHoverTopColor;
QColor skinButtonHoverBottomColor;
QColor skinButtonPressedBorderColor;
QColor skinButtonPressedTopColor;
QColor skinButtonPressedBottomColor;
QColor skinToolCaptionTopColor;
QColor skinToolCaptionBottomColor;
QColor skinPanelTitleColor;
QColor skinPanelTitleAltColor;
QColor skinHighlightColor;
QColor skinCurrentItemColor;
QColor skinSelectionLightColor;
QColor skinSelectionColor;
QColor skinGridLineColor;

int skinCurrentThemeStyle = Black;

namespace {

enum ThemeColumn { BlackColumn, GrayColumn, BlueColumn, OliveColumn };

// Marks a Black value the Black loader derives instead of reading the table.
constexpr QRgb derived = 0;

struct ThemeColourRow {
    QColor* colour;
    QRgb values[4];   // indexed by ThemeColumn
};

const ThemeColourRow themeColourTable[] = {
    { &skinTextColor,                { qRgb(180, 180, 180), qRgb(0, 0, 0), qRgb(0, 0, 0), qRgb(0, 0, 0) } },
    { &skinDisabledTextColor,        { qRgb(120, 120, 120), qRgb(120, 120, 120), qRgb(120, 120, 120), qRgb(120, 120, 120) } },
    { &skinIconColor,                { qRgb(180, 180, 180), qRgb(0, 0, 0), qRgb(0, 0, 0), qRgb(0, 0, 0) } },
    { &skinDisabledIconColor,        { qRgb(120, 120, 120), qRgb(120, 120, 120), qRgb(120, 120, 120), qRgb(120, 120, 120) } },
    { &skinWindowColor,              { qRgb(68, 68, 68), qRgb(220, 220, 220), qRgb(193, 212, 236), qRgb(194, 207, 159) } },
    { &skinWindowBorderColor,        { qRgb(10, 10, 10), qRgb(139, 139, 139), qRgb(139, 160, 188), qRgb(153, 153, 153) } },
    { &skinLightColor,               { qRgb(97, 97, 97), qRgb(255, 255, 255), qRgb(220, 232, 246), qRgb(226, 232, 201) } },
    { &skinPanelColor,               { qRgb(72, 72, 72), qRgb(243, 243, 243), qRgb(222, 232, 244), qRgb(217, 217, 169) } },
    { &skinBorderColor,              { qRgb(30, 30, 30), qRgb(139, 139, 139), qRgb(139, 160, 188), qRgb(117, 141, 97) } },
    { &skinLightLineColor,           { qRgb(80, 80, 80), qRgb(255, 255, 255), qRgb(220, 232, 246), qRgb(226, 232, 201) } },
    { &skinMenuTextColor,            { qRgb(220, 220, 220), qRgb(0, 0, 0), qRgb(0, 0, 0), qRgb(0, 0, 0) } },
    { &skinSeparatorDarkColor,       { qRgb(52, 52, 52), qRgb(139, 139, 139), qRgb(139, 160, 188), qRgb(153, 153, 153) } },
    { &skinSeparatorLightColor,      { qRgb(90, 90, 90), qRgb(255, 255, 255), qRgb(220, 232, 246), qRgb(226, 232, 201) } },
    { &skinDocumentViewColor,        { qRgb(160, 160, 160), qRgb(243, 243, 243), qRgb(222, 232, 244), qRgb(217, 217, 169) } },
    { &skinButtonShineColor,         { qRgb(150, 150, 150), qRgb(255, 255, 255), qRgb(220, 232, 246), qRgb(216, 227, 182) } },
    { &skinButtonBorderColor,        { qRgb(36, 36, 36), qRgb(170, 170, 170), qRgb(171, 186, 208), qRgb(136, 136, 136) } },
    { &skinButtonTopColor,           { qRgb(76, 76, 76), qRgb(240, 240, 240), qRgb(224, 237, 250), qRgb(216, 227, 182) } },
    { &skinButtonBottomColor,        { qRgb(53, 53, 53), qRgb(220, 220, 220), qRgb(206, 223, 242), qRgb(193, 208, 155) } },
    { &skinButtonHoverBorderColor,   { qRgb(36, 36, 36), qRgb(170, 170, 170), qRgb(238, 204, 83), qRgb(96, 128, 88) } },
    { &skinButtonHoverTopColor,      { qRgb(101, 101, 101), qRgb(255, 255, 255), qRgb(255, 255, 255), qRgb(255, 242, 200) } },
    { &skinButtonHoverBottomColor,   { qRgb(78, 78, 78), qRgb(244, 244, 244), qRgb(247, 230, 160), qRgb(255, 219, 163) } },
    { &skinButtonPressedBorderColor, { qRgb(36, 36, 36), qRgb(150, 150, 150), qRgb(194, 118, 43), qRgb(96, 128, 88) } },
    { &skinButtonPressedTopColor,    { qRgb(51, 51, 51), qRgb(180, 180, 180), qRgb(253, 222, 129), qRgb(254, 149, 82) } },
    { &skinButtonPressedBottomColor, { qRgb(51, 51, 51), qRgb(180, 180, 180), qRgb(253, 222, 129), qRgb(255, 207, 139) } },
    { &skinToolCaptionTopColor,      { qRgb(46, 46, 46), qRgb(90, 90, 90), qRgb(35, 68, 112), qRgb(57, 69, 46) } },
    { &skinToolCaptionBottomColor,   { qRgb(41, 41, 41), qRgb(80, 80, 80), qRgb(40, 79, 130), qRgb(70, 86, 56) } },
    { &skinPanelTitleColor,          { derived, qRgb(200, 200, 200), qRgb(166, 192, 225), qRgb(181, 194, 137) } },
    { &skinPanelTitleAltColor,       { derived, qRgb(200, 200, 200), qRgb(166, 192, 225), qRgb(181, 194, 137) } },
    { &skinHighlightColor,           { qRgb(248, 134, 87), qRgb(248, 134, 87), qRgb(248, 134, 87), qRgb(248, 134, 87) } },
    { &skinCurrentItemColor,         { qRgb(91, 101, 116), qRgb(220, 220, 220), qRgb(175, 200, 228), qRgb(255, 242, 200) } },
    { &skinSelectionLightColor,      { qRgb(249, 217, 159), qRgb(255, 255, 255), qRgb(255, 255, 255), qRgb(255, 242, 200) } },
    { &skinSelectionColor,           { qRgb(241, 193, 95), qRgb(244, 244, 244), qRgb(255, 255, 255), qRgb(255, 219, 163) } },
    { &skinGridLineColor,            { qRgb(150, 150, 150), qRgb(208, 208, 208), qRgb(207, 221, 238), qRgb(164, 178, 109) } },
};

void loadSkinFont()
{
    skinFont = QFont(skinFontFamily);
    skinFont.setPixelSize(skinFontPixelSize.toInt(nullptr, 10));
}

void loadSkinColors(ThemeColumn column)
{
    for (const ThemeColourRow& row : themeColourTable)
        *row.colour = QColor(row.values[column]);
    setDropShadowSurroundColor(skinDocumentViewColor);
}

} // namespace

void setSkinThemeStyle(SkinThemeStyle style)
{
    skinCurrentThemeStyle = style;
    switch (style) {
    case Black:
        loadSkinBlackColors();
        break;
    case Gray:
        loadSkinGrayColors();
        break;
    case Blue:
        loadSkinBlueColors();
        break;
    case Olive:
        loadSkinOliveColors();
        break;
    }
}

void setSkinThemeStyle(const QString& name)
{
    setSkinThemeStyle(skinThemeStyleFromName(name));
}

void loadSkinBlackColors()
{
    loadSkinFont();
    loadSkinColors(BlackColumn);
    // In Black the title strips follow the window colour a shade darker.
    // Rounded to 8-bit RGB like every other theme colour: darker() answers in
    // HSV, which would compare unequal to the same colour given as RGB.
    skinPanelTitleColor = QColor(skinWindowColor.darker(120).rgb());
    skinPanelTitleAltColor = skinPanelTitleColor;
    buildSkinStyleSheet();
}

void loadSkinGrayColors()
{
    loadSkinFont();
    loadSkinColors(GrayColumn);
    buildSkinStyleSheet();
}

void loadSkinBlueColors()
{
    loadSkinFont();
    loadSkinColors(BlueColumn);
    buildSkinStyleSheet();
}

void loadSkinOliveColors()
{
    loadSkinFont();
    loadSkinColors(OliveColumn);
    buildSkinStyleSheet();
}

SkinThemeStyle skinThemeStyle()
{
    return SkinThemeStyle(skinCurrentThemeStyle);
}

QString skinThemeStyleName(SkinThemeStyle style)
{
    switch (style) {
    case Gray:
        return QStringLiteral("Gray");
    case Blue:
        return QStringLiteral("Blue");
    case Olive:
        return QStringLiteral("Olive");
    case Black:
        break;
    }
    return QStringLiteral("Black");
}

QString skinThemeStyleName()
{
    return skinThemeStyleName(skinThemeStyle());
}

SkinThemeStyle skinThemeStyleFromName(const QString& name)
{
    if (name == QLatin1String("Gray"))
        return Gray;
    if (name == QLatin1String("Blue"))
        return Blue;
    if (name == QLatin1String("Olive"))
        return Olive;
    return Black;
}

namespace {

QImage tinted(const QImage& image, const QColor& colour)
{
    if (image.isNull())
        return QImage();
    // setPixel() with an RGB value fails on palette and one-bit images.
    QImage copy = image.format() == QImage::Format_Mono || image.format() == QImage::Format_MonoLSB
                    || image.format() == QImage::Format_Indexed8
                ? image.convertToFormat(QImage::Format_ARGB32)
                : image.copy();
    const QRgb tint = colour.rgb() | 0xff000000u;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (qAlpha(image.pixel(x, y)) > 0)
                copy.setPixel(x, y, tint);
        }
    }
    return copy;
}

} // namespace

QImage skinTintedImage(const QImage& image)
{
    return tinted(image, skinIconColor);
}

QImage skinTintedImage(const QString& path)
{
    if (path.isEmpty())
        return QImage();
    return skinTintedImage(QImage(path));
}

QIcon skinTintedIcon(const QImage& image)
{
    if (image.isNull())
        return QIcon();
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(tinted(image, skinIconColor)), QIcon::Normal, QIcon::On);
    icon.addPixmap(QPixmap::fromImage(tinted(image, skinDisabledIconColor)), QIcon::Disabled, QIcon::On);
    return icon;
}

QIcon skinTintedIcon(const QIcon& icon)
{
    if (icon.isNull())
        return QIcon();
    return skinTintedIcon(icon.pixmap(QSize(16, 16), QIcon::Normal, QIcon::Off).toImage());
}

QIcon skinTintedIcon(const QString& path)
{
    if (path.isEmpty())
        return QIcon();
    if (path.startsWith(QLatin1Char(':')))
        return skinTintedIcon(QIcon(path));
    return skinTintedIcon(QImage(path));
}
