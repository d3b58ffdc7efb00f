#include "skin/windows/skintheme.h"

#include <QFontMetrics>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>

#include <iterator>
#include <limits>
#include <type_traits>

namespace {

// The Black sheet, rule by rule in the order the sheet holds them, written
// out with the Black colour values rather than built from the generator.
const char* const blackSheetRules[] = {
    "QWidget *{font-family:verdana; font-size:11px;}",
    "SkinWindow { background: #444444; border: 1px solid #0a0a0a; border-top-left-radius: 4px; border-top-right-radius: 4px; }",
    "SkinToolWindow { background: #2e2e2e; }",
    "QWidget#skinWindowCentralWidget{background-color: #484848;}",
    "QWidget#popupWindow { background: #484848; border:1px solid #1e1e1e; }",
    "QWidget#ScrollCorner { background: #484848; border: 1px solid #1e1e1e; }",
    "QWidget#toolWindowCaptionBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #2e2e2e, stop:1 #292929); border-top: 1px solid #444444; border-bottom:1px solid #505050; }",
    "QPushButton {color: #b4b4b4; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 white, stop:0.09 #4c4c4c, stop:1 #353535); border: 1px solid #242424; }",
    "QPushButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #969696, stop:0.09 #656565, stop:1 #4e4e4e); border: 1px solid #242424; }",
    "QPushButton:pressed { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #333333, stop:1 #333333); border: 1px solid #242424;  }",
    "QMenuBar { background: transparent; }",
    "QMenuBar::item { background: transparent; color: #dcdcdc; padding: 2px 8px 3px; }",
    "QMenuBar::item:selected { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 white, stop:0.1 #4c4c4c, stop:1 #353535); border-radius:2px; border:1px solid #242424;}",
    "QMenuBar::item:pressed { background: #333333; }",
    "QMenu { background: #484848; border: 1px solid #0a0a0a; }",
    "QMenu::item { background: transparent; color: #dcdcdc; }",
    "QMenu::item:selected { background: #f88657; }",
    "QMenu::item:disabled { color: #787878; }",
    "QToolBar { background:qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 rgb(200, 200, 200), stop:0.02 #444444, stop:1 #444444); border-bottom:1px solid #1e1e1e; }",
    "QToolBar::separator { width:0px; margin-top:4px; margin-bottom:4px; margin-left:2px; margin-right:2px; border-left:1px solid #343434; border-right:1px solid #5a5a5a;}",
    "QToolButton { background: transparent; margin: 0 0 1 0; color: #dcdcdc;}",
    "QToolButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #969696, stop:0.1 #4c4c4c, stop:1 #353535); border:1px solid #242424; }",
    "QToolButton:pressed, QPushButton:checked { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #333333, stop:1 #333333); border:1px solid #242424; }",
    "QLabel { color: #b4b4b4; }",
    "QLabel:disabled { color: #787878; }",
    "QFrame#HLine { border-top: 1px solid #343434; border-bottom:1px solid #5a5a5a; }",
    "SkinToolBox { background: #444444; border: 1px solid #1e1e1e; }",
    "SkinToolBox QPushButton { background: transparent; border:0px; }",
    "SkinToolBox QPushButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #969696, stop:0.1 #4c4c4c, stop:1 #353535); border:1px solid #242424; }",
    "SkinToolBox QPushButton:pressed, QPushButton:checked { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #333333, stop:1 #333333); border:1px solid #242424; }",
    "SkinToolBox QFrame QToolButton { margin: 0 0 0 0; }",
    "QSlider::groove:horizontal {background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #969696, stop:0.1 #4c4c4c, stop:1 #353535); border:1px solid #242424; height: 13px; padding:-4px 0px -4px 0px; }",
    "QSlider::handle:horizontal {background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #4c4c4c, stop:1 #353535); border: 1px solid #242424; width: 11px; margin: 0px -1px 0px -1px; border-radius: 6px;}",
    "QSlider::handle:horizontal:hover {background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #656565, stop:1 #4e4e4e); border: 1px solid #242424; }",
    "QSlider::handle:horizontal:pressed {background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #333333, stop:1 #333333); border: 1px solid #242424; }",
    "SketchDocumentView{ background:#a0a0a0; border:1px solid #1e1e1e; }",
    "SkinColorPicker, SkinPenPicker, SkinBrushPicker, SketchFrameEditor { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #4c4c4c, stop:1 #353535); border: 1px solid #242424; }",
    "SkinColorPicker:hover, SkinPenPicker:hover, SkinBrushPicker:hover, SketchFrameEditor:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #656565, stop:1 #4e4e4e); border: 1px solid #242424; }",
    "SkinColorPicker:pressed, SkinPenPicker:pressed, SkinBrushPicker:pressed, SketchFrameEditor:pressed { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #333333, stop:1 #333333); border: 1px solid #242424; }",
    "SkinImageControl { background: white; border: 1px solid #1e1e1e; }",
    "QScrollBar:horizontal { border: 1px solid #1e1e1e; height: 16px; margin: 0px 16px 0 16px;}",
    "QScrollBar::handle:horizontal { min-width: 16px; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #4c4c4c, stop:1 #353535); background-image: url(:/widgets/images/HGrip.png); background-position: center; background-repeat: none; }",
    "QScrollBar::handle:horizontal:hover { min-width: 16px; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #656565, stop:1 #4e4e4e); background-image: url(:/widgets/images/HGrip.png); background-position: center; background-repeat: none; }",
    "QScrollBar::handle:horizontal:pressed { min-width: 16px; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #333333, stop:1 #333333); background-image: url(:/widgets/images/HGrip.png); background-position: center; background-repeat: none; }",
    "QScrollBar::add-line:horizontal { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #4c4c4c, stop:1 #353535); width: 17px; subcontrol-position: right; subcontrol-origin: margin; }",
    "QScrollBar::add-line:horizontal:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #656565, stop:1 #4e4e4e); width: 17px; subcontrol-position: right; subcontrol-origin: margin; }",
    "QScrollBar::add-line:horizontal:pressed { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #333333, stop:1 #333333); width: 17px; subcontrol-position: right; subcontrol-origin: margin; }",
    "QScrollBar::sub-line:horizontal { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #4c4c4c, stop:1 #353535); width: 17px; subcontrol-position: left; subcontrol-origin: margin;}",
    "QScrollBar::sub-line:horizontal:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #656565, stop:1 #4e4e4e); width: 17px; subcontrol-position: left; subcontrol-origin: margin;}",
    "QScrollBar::sub-line:horizontal:pressed { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #333333, stop:1 #333333); width: 17px; subcontrol-position: left; subcontrol-origin: margin;}",
    "QScrollBar::add-page:horizontal { border-left: 2px solid #1e1e1e; background: #4c4c4c; }",
    "QScrollBar::sub-page:horizontal { border-right: 2px solid #1e1e1e; background: #4c4c4c; }",
    "QScrollBar:left-arrow:horizontal { border: 1px solid #1e1e1e; background-image: url(:/widgets/images/LeftArrow.png); background-position: center; background-repeat: none; }",
    "QScrollBar:right-arrow:horizontal { border: 1px solid #1e1e1e;  background-image: url(:/widgets/images/RightArrow.png); background-position: center; background-repeat: none; }",
    "QScrollBar:vertical { border: 1px solid #1e1e1e; width: 16px; margin: 16px 0 16px 0;}",
    "QScrollBar::handle:vertical { min-height: 16px; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #4c4c4c, stop:1 #353535); background-image: url(:/widgets/images/VGrip.png); background-position: center; background-repeat: none; }",
    "QScrollBar::handle:vertical:hover { min-height: 16px; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #656565, stop:1 #4e4e4e); background-image: url(:/widgets/images/VGrip.png); background-position: center; background-repeat: none; }",
    "QScrollBar::handle:vertical:pressed { min-height: 16px; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #333333, stop:1 #333333); background-image: url(:/widgets/images/VGrip.png); background-position: center; background-repeat: none; }",
    "QScrollBar::add-line:vertical { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #4c4c4c, stop:1 #353535); height: 17px; subcontrol-position: bottom; subcontrol-origin: margin; }",
    "QScrollBar::add-line:vertical:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #656565, stop:1 #4e4e4e); height: 17px; subcontrol-position: bottom; subcontrol-origin: margin; }",
    "QScrollBar::add-line:vertical:pressed { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #333333, stop:1 #333333); height: 17px; subcontrol-position: bottom; subcontrol-origin: margin; }",
    "QScrollBar::sub-line:vertical { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #4c4c4c, stop:1 #353535); height: 17px; subcontrol-position: top; subcontrol-origin: margin;}",
    "QScrollBar::sub-line:vertical:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #656565, stop:1 #4e4e4e); height: 17px; subcontrol-position: top; subcontrol-origin: margin;}",
    "QScrollBar::sub-line:vertical:pressed { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #333333, stop:1 #333333); height: 17px; subcontrol-position: top; subcontrol-origin: margin;}",
    "QScrollBar::add-page:vertical { border-top: 2px solid #1e1e1e; background: #4c4c4c; }",
    "QScrollBar::sub-page:vertical { border-bottom: 2px solid #1e1e1e; background: #4c4c4c; }",
    "QScrollBar:up-arrow:vertical { border: 1px solid #1e1e1e; background-image: url(:/widgets/images/UpArrow.png); background-position: center; background-repeat: none; }",
    "QScrollBar:down-arrow:vertical { border: 1px solid #1e1e1e;  background-image: url(:/widgets/images/DownArrow.png); background-position: center; background-repeat: none; }",
    "QToolBox { background: #484848; }",
    "QToolBox::tab { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #4c4c4c, stop:1 #353535); border:1px solid #1e1e1e;}",
    "QToolBox::tab:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #656565, stop:1 #4e4e4e); }",
    "QToolBox::tab:pressed { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #333333, stop:1 #333333); }",
    "SketchMaterialBox QToolBox::tab{ color:#b4b4b4;}",
    "SketchMaterialBox QToolBox::tab:!first { border-top-width: 0px; }",
    "SketchMaterialBox QToolBox::tab:selected { border-bottom-width: 0px; }",
    "QComboBox { border: 1px solid #1e1e1e; padding: 1px 1px 1px 3px; color: #b4b4b4; }",
    "QComboBox:editable { background: #484848; }",
    "QComboBox:!editable, QComboBox::drop-down:editable { background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,  stop: 0 #4c4c4c, stop: 1 #353535); }",
    "QComboBox:on { padding-top: 3px; padding-left: 4px; }",
    "QComboBox::drop-down { subcontrol-origin: padding; subcontrol-position: top right;width: 15px;border-left-width: 1px; border-left-color: #1e1e1e; border-left-style: solid; }",
    "QComboBox::down-arrow { image: url(:/widgets/images/DownArrow.png); }",
    "QComboBox::down-arrow:on { top: 1px; left: 1px; }",
    "QComboBox QAbstractItemView{ background: #484848; border: 1px solid #1e1e1e; color: #b4b4b4; }",
    "QAbstractSpinBox { border: 1px solid #1e1e1e; padding-right: 15px; background:#4c4c4c; color: #b4b4b4;}",
    "QAbstractSpinBox::up-button { subcontrol-origin: border; subcontrol-position: top right; width: 16px; background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,  stop: 0 #4c4c4c, stop: 1 #353535); border: 1px solid #1e1e1e;  }",
    "QAbstractSpinBox::down-button { subcontrol-origin: border; subcontrol-position: bottom right; width: 16px; background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,  stop: 0 #4c4c4c, stop: 1 #353535); border: 1px solid #1e1e1e; border-top-width: 0; }",
    "QAbstractSpinBox::up-button:hover{ background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,  stop: 0 #656565, stop: 1 #4e4e4e); border: 1px solid #1e1e1e; }",
    "QAbstractSpinBox::down-button:hover { background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,  stop: 0 #656565, stop: 1 #4e4e4e); border: 1px solid #1e1e1e; border-top-width: 0;  }",
    "QAbstractSpinBox::up-button:pressed{  background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,  stop: 0 #333333, stop: 1 #333333); border: 1px solid #1e1e1e; }",
    "QAbstractSpinBox::down-button:pressed { background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,  stop: 0 #333333, stop: 1 #333333); border: 1px solid #1e1e1e; border-top-width: 0;  }",
    "QAbstractSpinBox::up-arrow { image: url(:/widgets/images/SpinUpArrow.png); width: 7px; height: 7px; }",
    "QAbstractSpinBox::down-arrow {image: url(:/widgets/images/SpinDownArrow.png); width: 7px; height: 7px; }",
    "QLineEdit, QTextEdit { min-height:20px; border:1px solid #1e1e1e; }",
    "QLineEdit:read-only, QTextEdit:read-only { background-color:#484848; }",
    "QDateEdit { min-height:20px; background-color: white; color:black; }",
    "QCheckBox { color: #b4b4b4 }",
    "QListWidget {border: 1px solid #1e1e1e; background:#4c4c4c; }",
    "QListWidget::item { height: 20px; color: #b4b4b4; }",
    "QListWidget::item:hover, QListWidget::item:selected { background:#f88657; color: black; }",
    "SkinPrintPreviewDialog QWidget#commandBar { border-top: 1px solid #505050; border-bottom: 1px solid #1e1e1e;}",
    "SkinPrintPreviewDialog QWidget#previewWidget * { background-color: #484848; }",
};

const QVector<QColor*> allThemeColours = {
    &skinTextColor, &skinDisabledTextColor, &skinIconColor, &skinDisabledIconColor,
    &skinWindowColor, &skinWindowBorderColor, &skinLightColor, &skinPanelColor,
    &skinBorderColor, &skinLightLineColor, &skinMenuTextColor, &skinSeparatorDarkColor,
    &skinSeparatorLightColor, &skinDocumentViewColor, &skinButtonShineColor,
    &skinButtonBorderColor, &skinButtonTopColor, &skinButtonBottomColor,
    &skinButtonHoverBorderColor, &skinButtonHoverTopColor, &skinButtonHoverBottomColor,
    &skinButtonPressedBorderColor, &skinButtonPressedTopColor, &skinButtonPressedBottomColor,
    &skinToolCaptionTopColor, &skinToolCaptionBottomColor, &skinPanelTitleColor,
    &skinPanelTitleAltColor, &skinHighlightColor, &skinCurrentItemColor,
    &skinSelectionLightColor, &skinSelectionColor, &skinGridLineColor,
};

// Everything a theme load writes, to compare one load with another.
struct ThemeSnapshot {
    QVector<QColor> colours;
    QFont font;
    QString sheet;

    static ThemeSnapshot take()
    {
        ThemeSnapshot snapshot;
        for (const QColor* colour : allThemeColours)
            snapshot.colours << *colour;
        snapshot.font = skinFont;
        snapshot.sheet = skinStyleSheet;
        return snapshot;
    }

    bool operator==(const ThemeSnapshot& other) const
    {
        return colours == other.colours && font == other.font && sheet == other.sheet;
    }
};

const SkinThemeStyle allThemes[] = { Black, Gray, Blue, Olive };

} // namespace

class TestSkinTheme : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    // Must run first: it sees the globals before any theme was loaded.
    void startsUnloaded();

    void styleFromName_data();
    void styleFromName();
    void styleName_data();
    void styleName();

    void blackSheetMatchesRules();
    void blackFontAndPanelTitle();
    void themeColours_data();
    void themeColours();
    void themeRulesUseTheirColours_data();
    void themeRulesUseTheirColours();
    void colourTextsAreSevenCharacters_data();
    void colourTextsAreSevenCharacters();
    void switchingBackRebuildsTheSameState_data();
    void switchingBackRebuildsTheSameState();
    void outOfRangeStyleOnlyStoresValue_data();
    void outOfRangeStyleOnlyStoresValue();
    void setByName_data();
    void setByName();
    void fontFamilyIsCopiedVerbatim_data();
    void fontFamilyIsCopiedVerbatim();

    void cleanup();
};

void TestSkinTheme::startsUnloaded()
{
    QCOMPARE(skinThemeStyle(), Black);
    QCOMPARE(skinThemeStyleName(), QStringLiteral("Black"));
    QVERIFY(skinStyleSheet.isEmpty());
    QCOMPARE(skinFontFamily, QStringLiteral("verdana"));
    QCOMPARE(skinFontPixelSize, QStringLiteral("11"));
    for (const QColor* colour : allThemeColours)
        QVERIFY(!colour->isValid());
}

void TestSkinTheme::styleFromName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("style");

    QTest::newRow("Black") << "Black" << int(Black);
    QTest::newRow("Gray") << "Gray" << int(Gray);
    QTest::newRow("Blue") << "Blue" << int(Blue);
    QTest::newRow("Olive") << "Olive" << int(Olive);
    QTest::newRow("lower case") << "gray" << int(Black);
    QTest::newRow("upper case") << "OLIVE" << int(Black);
    QTest::newRow("leading space") << " Blue" << int(Black);
    QTest::newRow("trailing space") << "Gray " << int(Black);
    QTest::newRow("empty") << "" << int(Black);
    QTest::newRow("null") << QString() << int(Black);
    QTest::newRow("unknown") << "Purple" << int(Black);
}

void TestSkinTheme::styleFromName()
{
    QFETCH(QString, name);
    QFETCH(int, style);
    QCOMPARE(int(skinThemeStyleFromName(name)), style);
}

void TestSkinTheme::styleName_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("name");

    QTest::newRow("0") << 0 << "Black";
    QTest::newRow("1") << 1 << "Gray";
    QTest::newRow("2") << 2 << "Blue";
    QTest::newRow("3") << 3 << "Olive";
    QTest::newRow("4") << 4 << "Black";
    QTest::newRow("7") << 7 << "Black";
    QTest::newRow("-1") << -1 << "Black";
    QTest::newRow("int min") << std::numeric_limits<int>::min() << "Black";
}

void TestSkinTheme::styleName()
{
    QFETCH(int, style);
    QFETCH(QString, name);
    QCOMPARE(skinThemeStyleName(SkinThemeStyle(style)), name);
}

void TestSkinTheme::blackSheetMatchesRules()
{
    setSkinThemeStyle(Gray);
    setSkinThemeStyle(Black);

    QCOMPARE(int(std::size(blackSheetRules)), 101);
    int position = 0;
    for (const char* rule : blackSheetRules) {
        const QString expected = QString::fromLatin1(rule);
        QCOMPARE(skinStyleSheet.mid(position, expected.size()), expected);
        position += expected.size();
    }
    QCOMPARE(position, skinStyleSheet.size());
}

void TestSkinTheme::blackFontAndPanelTitle()
{
    setSkinThemeStyle(Black);

    QCOMPARE(skinPanelTitleColor, QColor(57, 57, 57));
    QCOMPARE(skinPanelTitleAltColor, QColor(57, 57, 57));
    // Panel titles stand out from the window as a darker band.
    QVERIFY(skinPanelTitleColor.lightness() < skinWindowColor.lightness());
    QCOMPARE(skinFont.family(), QStringLiteral("verdana"));
    QCOMPARE(skinFont.pixelSize(), 11);
    QCOMPARE(skinFont.italic(), false);
    QCOMPARE(skinFont.weight(), int(QFont::Normal));
    // Resolves the font, so the global still holds font engine data when
    // the application object goes away at exit.
    QVERIFY(QFontMetrics(skinFont).height() > 0);
}

void TestSkinTheme::themeColours_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QColor>("window");
    QTest::addColumn<QColor>("panelTitle");
    QTest::addColumn<QColor>("icon");
    QTest::addColumn<QColor>("currentItem");

    QTest::newRow("Black") << int(Black) << QColor(68, 68, 68) << QColor(57, 57, 57)
                           << QColor(180, 180, 180) << QColor(91, 101, 116);
    QTest::newRow("Gray") << int(Gray) << QColor(220, 220, 220) << QColor(200, 200, 200)
                          << QColor(0, 0, 0) << QColor(220, 220, 220);
    QTest::newRow("Blue") << int(Blue) << QColor(193, 212, 236) << QColor(166, 192, 225)
                          << QColor(0, 0, 0) << QColor(175, 200, 228);
    QTest::newRow("Olive") << int(Olive) << QColor(194, 207, 159) << QColor(181, 194, 137)
                           << QColor(0, 0, 0) << QColor(255, 242, 200);
}

void TestSkinTheme::themeColours()
{
    QFETCH(int, style);
    QFETCH(QColor, window);
    QFETCH(QColor, panelTitle);
    QFETCH(QColor, icon);
    QFETCH(QColor, currentItem);

    setSkinThemeStyle(SkinThemeStyle(style));

    for (const QColor* colour : allThemeColours) {
        QCOMPARE(colour->spec(), QColor::Rgb);
        QCOMPARE(colour->alpha(), 255);
    }
    QCOMPARE(skinWindowColor, window);
    QCOMPARE(skinPanelTitleColor, panelTitle);
    QCOMPARE(skinPanelTitleAltColor, panelTitle);
    QCOMPARE(skinIconColor, icon);
    QCOMPARE(skinDisabledIconColor, QColor(120, 120, 120));
    QCOMPARE(skinDisabledTextColor, QColor(120, 120, 120));
    QCOMPARE(skinHighlightColor, QColor(248, 134, 87));
    QCOMPARE(skinCurrentItemColor, currentItem);
    QCOMPARE(skinFont.family(), QStringLiteral("verdana"));
    QCOMPARE(skinFont.pixelSize(), 11);
}

// In Black several roles share one value; these rules of the other themes
// show that each role's colour lands where it belongs.
void TestSkinTheme::themeRulesUseTheirColours_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("rule");

    QTest::newRow("Blue normal push button") << int(Blue)
        << "QPushButton {color: #000000; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 white, stop:0.09 #e0edfa, stop:1 #cedff2); border: 1px solid #abbad0; }";
    QTest::newRow("Blue hover push button") << int(Blue)
        << "QPushButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #dce8f6, stop:0.09 #ffffff, stop:1 #f7e6a0); border: 1px solid #eecc53; }";
    QTest::newRow("Olive pressed push button") << int(Olive)
        << "QPushButton:pressed { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fe9552, stop:1 #ffcf8b); border: 1px solid #608058;  }";
    QTest::newRow("Blue hovered tool button") << int(Blue)
        << "QToolButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #dce8f6, stop:0.1 #e0edfa, stop:1 #cedff2); border:1px solid #abbad0; }";
    QTest::newRow("Blue pressed slider handle") << int(Blue)
        << "QSlider::handle:horizontal:pressed {background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fdde81, stop:1 #fdde81); border: 1px solid #c2762b; }";
    QTest::newRow("Olive tool caption") << int(Olive)
        << "QWidget#toolWindowCaptionBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #39452e, stop:1 #465638); border-top: 1px solid #c2cf9f; border-bottom:1px solid #e2e8c9; }";
    QTest::newRow("Olive separator") << int(Olive)
        << "QFrame#HLine { border-top: 1px solid #999999; border-bottom:1px solid #e2e8c9; }";
    QTest::newRow("Olive menu") << int(Olive)
        << "QMenu { background: #d9d9a9; border: 1px solid #999999; }";
    QTest::newRow("Blue document view") << int(Blue)
        << "SketchDocumentView{ background:#dee8f4; border:1px solid #8ba0bc; }";
    QTest::newRow("Gray tool window") << int(Gray)
        << "SkinToolWindow { background: #5a5a5a; }";
    QTest::newRow("Gray print command bar") << int(Gray)
        << "SkinPrintPreviewDialog QWidget#commandBar { border-top: 1px solid #ffffff; border-bottom: 1px solid #8b8b8b;}";
    QTest::newRow("Gray selected list item") << int(Gray)
        << "QListWidget::item:hover, QListWidget::item:selected { background:#f88657; color: black; }";
}

void TestSkinTheme::themeRulesUseTheirColours()
{
    QFETCH(int, style);
    QFETCH(QString, rule);

    setSkinThemeStyle(SkinThemeStyle(style));
    QVERIFY2(skinStyleSheet.contains(rule), qPrintable(rule));
}

void TestSkinTheme::colourTextsAreSevenCharacters_data()
{
    QTest::addColumn<int>("style");
    for (SkinThemeStyle style : allThemes)
        QTest::newRow(qPrintable(skinThemeStyleName(style))) << int(style);
}

void TestSkinTheme::colourTextsAreSevenCharacters()
{
    QFETCH(int, style);
    setSkinThemeStyle(SkinThemeStyle(style));

    // A "#" right after a word character is an object-name selector.
    static const QRegularExpression colourText(QStringLiteral("(?<!\\w)#(\\w*)"));
    static const QRegularExpression sixHexDigits(QStringLiteral("^[0-9a-f]{6}$"));
    int count = 0;
    auto matches = colourText.globalMatch(skinStyleSheet);
    while (matches.hasNext()) {
        const QString digits = matches.next().captured(1);
        QVERIFY2(sixHexDigits.match(digits).hasMatch(), qPrintable(digits));
        ++count;
    }
    QVERIFY(count > 100);
}

void TestSkinTheme::switchingBackRebuildsTheSameState_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    for (SkinThemeStyle from : allThemes) {
        for (SkinThemeStyle to : allThemes) {
            const QString name = skinThemeStyleName(from) + " to " + skinThemeStyleName(to);
            QTest::newRow(qPrintable(name)) << int(from) << int(to);
        }
    }
}

void TestSkinTheme::switchingBackRebuildsTheSameState()
{
    QFETCH(int, from);
    QFETCH(int, to);

    setSkinThemeStyle(SkinThemeStyle(to));
    const ThemeSnapshot once = ThemeSnapshot::take();

    setSkinThemeStyle(SkinThemeStyle(from));
    setSkinThemeStyle(SkinThemeStyle(to));
    setSkinThemeStyle(SkinThemeStyle(from));
    setSkinThemeStyle(SkinThemeStyle(to));

    const ThemeSnapshot again = ThemeSnapshot::take();
    QCOMPARE(again.sheet, once.sheet);
    QVERIFY(again == once);
    QCOMPARE(int(skinThemeStyle()), to);
}

void TestSkinTheme::outOfRangeStyleOnlyStoresValue_data()
{
    QTest::addColumn<int>("style");
    QTest::newRow("7") << 7;
    QTest::newRow("4") << 4;
    QTest::newRow("-1") << -1;
}

void TestSkinTheme::outOfRangeStyleOnlyStoresValue()
{
    // Only a fixed underlying type makes SkinThemeStyle(7) a defined value.
    static_assert(std::is_same_v<std::underlying_type_t<SkinThemeStyle>, int>);
    QFETCH(int, style);

    setSkinThemeStyle(Olive);
    const ThemeSnapshot olive = ThemeSnapshot::take();

    setSkinThemeStyle(SkinThemeStyle(style));
    QVERIFY(ThemeSnapshot::take() == olive);
    QCOMPARE(int(skinThemeStyle()), style);
    QCOMPARE(skinCurrentThemeStyle, style);
    QCOMPARE(skinThemeStyleName(), QStringLiteral("Black"));
}

void TestSkinTheme::setByName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("style");
    QTest::newRow("olive") << "olive" << int(Black);
    QTest::newRow("Olive") << "Olive" << int(Olive);
    QTest::newRow("Blue") << "Blue" << int(Blue);
    QTest::newRow("empty") << "" << int(Black);
}

void TestSkinTheme::setByName()
{
    QFETCH(QString, name);
    QFETCH(int, style);

    setSkinThemeStyle(SkinThemeStyle(style));
    const ThemeSnapshot expected = ThemeSnapshot::take();

    setSkinThemeStyle(Gray);
    setSkinThemeStyle(name);
    QCOMPARE(int(skinThemeStyle()), style);
    QVERIFY(ThemeSnapshot::take() == expected);
}

void TestSkinTheme::fontFamilyIsCopiedVerbatim_data()
{
    QTest::addColumn<QString>("family");
    QTest::newRow("second placeholder") << "Fam%2ily";
    QTest::newRow("first placeholder") << "%1";
    QTest::newRow("both") << "%2 %1";
    QTest::newRow("lone percent") << "Sans%";
}

void TestSkinTheme::fontFamilyIsCopiedVerbatim()
{
    QFETCH(QString, family);

    setSkinThemeStyle(Black);
    const QString blackSheet = skinStyleSheet;
    const QString verdanaRule = QStringLiteral("QWidget *{font-family:verdana; font-size:11px;}");
    QVERIFY(blackSheet.startsWith(verdanaRule));

    skinFontFamily = family;
    setSkinThemeStyle(Black);

    const QString familyRule = "QWidget *{font-family:" + family + "; font-size:11px;}";
    QVERIFY2(skinStyleSheet.startsWith(familyRule), qPrintable(skinStyleSheet.left(80)));
    QCOMPARE(skinStyleSheet.mid(familyRule.size()), blackSheet.mid(verdanaRule.size()));
}

void TestSkinTheme::cleanup()
{
    skinFontFamily = QStringLiteral("verdana");
}

QTEST_MAIN(TestSkinTheme)
#include "tst_skintheme.moc"
