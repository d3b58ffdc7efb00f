#ifndef SKETCHGLOBALS_H
#define SKETCHGLOBALS_H

#include "model/boundedtextcache.h"

#include <QMap>
#include <QSize>
#include <QString>

class QFont;

// Unit codes understood by SketchGlobals::convertUnit.
enum SketchLengthUnit : int
{
    SketchUnitPixel = 0,
    SketchUnitInch = 1,
    SketchUnitMillimetre = 2
};

// The program's compiled-in settings, a few file-type tests and the
// live-object counters. Never instantiated; nothing here is saved.
class SketchGlobals
{
public:
    SketchGlobals() = delete;

    // Program identity and the web-service addresses.
    static QString version;
    static QString language;
    static QString supportEmail;
    static QString homePageUrl;
    static QString helpUrl;
    static QString upgradeUrl;
    static QString sendFeedbackUrl;
    static QString changeThemeUrl;
    static QString changeVersionUrl;
    static QString templateDeleteUrl;
    static QString templateListUrl;
    static QString templateSaveUrl;
    static QString materialListUrl;
    static QString materialGetUrl;

    // File suffixes and the image name patterns.
    static QString documentSuffix;
    static QString packageSuffix;
    static QString xmlSuffix;
    static QString imageFilter;

    // Text font of every new shape. Made on first use, once an application
    // object can back it, and kept for the life of the process.
    static QFont *defaultFont();
    // Where the default font's family is not installed, fonts of that family
    // are drawn in the face that stands in for it ("Comic Neue"), when that
    // one is; the family names stay as they are, so files keep them. Needs
    // the application object, and holds for texts drawn after it; a second
    // call changes nothing. True when the stand-in is in use.
    static bool substituteDefaultFontFamily();

    // Replies of material file downloads that gave materials, by the name
    // the file was asked for; bounded, the oldest dropped first.
    static BoundedTextCache materialCache;
    static QSize defaultPaperSize;

    // Live instances of the counted classes; only printStatistics reads them.
    static int ShapeCount;
    static int LayerCount;
    static int DocumentCount;
    static int PackageCount;
    static int DocumentViewCount;
    static int PackageViewCount;
    static int PointCount;
    static int ToolCount;
    static int CommandCount;
    static int MaterialCount;
    static int MaterialFileCount;

    // Paper size in points of a named paper ("A4", "A3", "B5", "B4");
    // -1 x -1 for any other name.
    static QSize paperSize(const QString &name, bool portrait);
    static float convertUnit(float length, SketchLengthUnit from, SketchLengthUnit to, float dpi);

    static bool isDocumentFile(const QString &fileName);
    static bool isPackageFile(const QString &fileName);
    static bool isXmlFile(const QString &fileName);
    static bool isImageFile(const QString &fileName);

    // Writes the eleven counters to the debug output.
    static void printStatistics();
};

#endif // SKETCHGLOBALS_H
