#include "model/sketchglobals.h"

#include "model/serviceconfig.h"

#include <QDebug>
#include <QFont>
#include <QFontDatabase>

namespace {
// Every service lives under one address; without one, every service address
// is empty and nothing is sent.
const QString serviceBase = ServiceConfig::serviceBase();

QString serviceAddress(const char *path)
{
    return ServiceConfig::address(serviceBase, QLatin1String(path));
}
}

QString SketchGlobals::version = QStringLiteral("2.2");
QString SketchGlobals::language = QStringLiteral("EN");
QString SketchGlobals::supportEmail = QStringLiteral("support@loomdraw.example");
QString SketchGlobals::homePageUrl = ServiceConfig::homePage();
QString SketchGlobals::helpUrl = SketchGlobals::homePageUrl;
QString SketchGlobals::upgradeUrl = serviceAddress("/Services/Upgrade.ashx");
QString SketchGlobals::sendFeedbackUrl = serviceAddress("/Services/SendFeedback.ashx");
QString SketchGlobals::changeThemeUrl = serviceAddress("/Services/ChangeTheme.ashx");
QString SketchGlobals::changeVersionUrl = serviceAddress("/Services/ChangeVersion.ashx");
QString SketchGlobals::templateDeleteUrl = serviceAddress("/Services/TemplateDelete.ashx");
QString SketchGlobals::templateListUrl = serviceAddress("/Services/TemplateList.ashx");
QString SketchGlobals::templateSaveUrl = serviceAddress("/Services/TemplateSave.ashx");
QString SketchGlobals::materialListUrl = serviceAddress("/Services/MaterialList.ashx");
QString SketchGlobals::materialGetUrl = serviceAddress("/Services/MaterialGet.ashx");

QString SketchGlobals::documentSuffix = QStringLiteral(".slf");
QString SketchGlobals::packageSuffix = QStringLiteral(".slp");
QString SketchGlobals::xmlSuffix = QStringLiteral(".xml");
QString SketchGlobals::imageFilter = QStringLiteral("*.png *.jpg *.jpeg *bmp *.gif *.tiff");

BoundedTextCache SketchGlobals::materialCache;
QSize SketchGlobals::defaultPaperSize(842, 595);

int SketchGlobals::ShapeCount = 0;
int SketchGlobals::LayerCount = 0;
int SketchGlobals::DocumentCount = 0;
int SketchGlobals::PackageCount = 0;
int SketchGlobals::DocumentViewCount = 0;
int SketchGlobals::PackageViewCount = 0;
int SketchGlobals::PointCount = 0;
int SketchGlobals::ToolCount = 0;
int SketchGlobals::CommandCount = 0;
int SketchGlobals::MaterialCount = 0;
int SketchGlobals::MaterialFileCount = 0;

QFont *SketchGlobals::defaultFont()
{
    // Deliberately never freed: shapes may copy it until the very end.
    static QFont *font = new QFont(QStringLiteral("Comic Sans MS"), 20);
    return font;
}

bool SketchGlobals::substituteDefaultFontFamily()
{
    // Left to the font configuration, a missing family falls to whatever it
    // finds; a comic face drawn alike in width and spirit is the one meant.
    const QString family = defaultFont()->family();
    const QString standIn = QStringLiteral("Comic Neue");
    const QFontDatabase fonts;
    if (fonts.hasFamily(family) || !fonts.hasFamily(standIn))
        return false;
    QFont::insertSubstitution(family, standIn);
    return true;
}

QSize SketchGlobals::paperSize(const QString &name, bool portrait)
{
    QSize size(-1, -1);
    if (name == QLatin1String("A4"))
        size = QSize(595, 842);
    else if (name == QLatin1String("A3"))
        size = QSize(842, 1191);
    else if (name == QLatin1String("B5"))
        size = QSize(499, 709);
    else if (name == QLatin1String("B4"))
        size = QSize(709, 1001);
    return portrait ? size : size.transposed();
}

float SketchGlobals::convertUnit(float length, SketchLengthUnit from, SketchLengthUnit to, float dpi)
{
    if (length == 0.0f)
        return 0;
    if (from == to)
        return length;
    const bool known = from >= SketchUnitPixel && from <= SketchUnitMillimetre
            && to >= SketchUnitPixel && to <= SketchUnitMillimetre;
    if (!known)
        return length;
    const double resolution = dpi > 0 ? dpi : 72.0;
    const double mmPerInch = 25.4;
    double inches = length;
    if (from == SketchUnitPixel)
        inches = length / resolution;
    else if (from == SketchUnitMillimetre)
        inches = length / mmPerInch;
    if (to == SketchUnitPixel)
        return float(inches * resolution);
    if (to == SketchUnitMillimetre)
        return float(inches * mmPerInch);
    return float(inches);
}

static bool endsWithSuffix(const QString &fileName, const QString &suffix)
{
    return !fileName.isEmpty() && fileName.endsWith(suffix, Qt::CaseInsensitive);
}

bool SketchGlobals::isDocumentFile(const QString &fileName)
{
    return endsWithSuffix(fileName, documentSuffix);
}

bool SketchGlobals::isPackageFile(const QString &fileName)
{
    return endsWithSuffix(fileName, packageSuffix);
}

bool SketchGlobals::isXmlFile(const QString &fileName)
{
    return endsWithSuffix(fileName, xmlSuffix);
}

bool SketchGlobals::isImageFile(const QString &fileName)
{
    if (fileName.isEmpty())
        return false;
    const QStringList patterns = imageFilter.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (QString pattern : patterns) {
        pattern.remove(QLatin1Char('*'));
        if (fileName.endsWith(pattern, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

void SketchGlobals::printStatistics()
{
    qDebug() << "ShapeCount: " << ShapeCount;
    qDebug() << "LayerCount: " << LayerCount;
    qDebug() << "DocumentCount: " << DocumentCount;
    qDebug() << "PackageCount: " << PackageCount;
    qDebug() << "DocumentViewCount: " << DocumentViewCount;
    qDebug() << "PackageViewCount: " << PackageViewCount;
    qDebug() << "PointCount: " << PointCount;
    qDebug() << "ToolCount: " << ToolCount;
    qDebug() << "CommandCount: " << CommandCount;
    qDebug() << "MaterialCount: " << MaterialCount;
    qDebug() << "MaterialFileCount: " << MaterialFileCount;
}
