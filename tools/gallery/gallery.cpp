// Renders every skinned widget of the gallery's catalogue in each of the four
// themes to PNG files, for a look at them without a desktop:
//
//   QT_QPA_PLATFORM=offscreen build/release/tools/gallery/loomdraw_gallery OUTDIR [NAME-FILTER]
//
// writes OUTDIR/<sample>-<Theme>.png for every sample whose name contains the
// filter, and OUTDIR/sheet-<Theme>.png with all of them side by side.

#include "gallerysample.h"

#include "skin/windows/skintheme.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QPixmap>
#include <QTextStream>
#include <QWidget>

#include <memory>

namespace {

QImage contactSheet(const std::vector<QImage>& shots)
{
    const int gap = 8;
    int width = gap;
    int height = 0;
    for (const QImage& shot : shots) {
        width += shot.width() + gap;
        height = qMax(height, shot.height());
    }
    QImage sheet(qMax(width, 1), height + 2 * gap, QImage::Format_ARGB32);
    sheet.fill(QColor(255, 0, 255));
    QPainter p(&sheet);
    int x = gap;
    for (const QImage& shot : shots) {
        p.drawImage(x, gap, shot);
        x += shot.width() + gap;
    }
    return sheet;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args.size() > 2) {
        err << "usage: loomdraw_gallery <output-folder> [name-filter]\n";
        return 2;
    }
    const QDir out(args.at(0));
    if (!QDir().mkpath(out.path())) {
        err << "cannot create " << out.path() << "\n";
        return 1;
    }
    const QString filter = args.size() > 1 ? args.at(1) : QString();
    const std::vector<GallerySample> samples = allGallerySamples();
    const SkinThemeStyle themes[] = {Black, Gray, Blue, Olive};
    for (SkinThemeStyle theme : themes) {
        setSkinThemeStyle(theme);
        const QString themeName = skinThemeStyleName(theme);
        std::vector<QImage> shots;
        for (const GallerySample& sample : samples) {
            if (!sample.name.contains(filter))
                continue;
            std::unique_ptr<QWidget> widget(sample.make());
            if (widget->styleSheet().isEmpty())
                widget->setStyleSheet(skinStyleSheet);
            widget->resize(sample.size);
            const QImage shot = widget->grab().toImage();
            const QString file = out.filePath(QString("%1-%2.png").arg(sample.name, themeName));
            if (!shot.save(file, "PNG")) {
                err << "cannot write " << file << "\n";
                return 1;
            }
            shots.push_back(shot);
        }
        if (!shots.empty())
            contactSheet(shots).save(out.filePath(QString("sheet-%1.png").arg(themeName)), "PNG");
    }
    return 0;
}
