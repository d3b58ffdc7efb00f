// Draws the built-in images that the resources/*.qrc files list, so that
// every one of them can be remade from source and looks the same on every
// machine (fixed colours, no fonts). The drawings live in one file per area
// (toolimages.cpp, ...), each registering its set (imagespec.h).
//
// The PNGs are checked in; after changing a drawing, remake them with
//   cmake -S . -B build/imagegen -DLOOMDRAW_IMAGEGEN=ON -DLOOMDRAW_TESTS=OFF -DLOOMDRAW_BENCH=OFF
//   cmake --build build/imagegen --target loomdraw_imagegen
//   build/imagegen/resources/imagegen/loomdraw_imagegen resources [--sheet /tmp/sheet.png]
// from the repository root. --sheet also writes every image at 4x on a dark,
// a light and a white background, hot spots marked in red, for a look at them.

#include "imagespec.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

namespace {

QImage render(const ImageSpec& spec)
{
    QImage image(spec.size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    // Fixed so the written files do not depend on the screen.
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    spec.draw(p);
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

// An icon file holding the one image as PNG, which icon readers accept since
// the 256-pixel icons; written here so it does not depend on an image plugin.
bool writeIconFile(const QImage& image, const QString& file)
{
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
        return false;
    QByteArray icon;
    QDataStream out(&icon, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    const quint32 headerSize = 6 + 16;
    out << quint16(0) << quint16(1) << quint16(1);   // reserved, icon type, one image
    out << quint8(image.width() % 256) << quint8(image.height() % 256)  // 0 stands for 256
        << quint8(0) << quint8(0)                                        // no palette
        << quint16(1) << quint16(32)                                     // planes, bits per pixel
        << quint32(png.size()) << headerSize;
    out.writeRawData(png.constData(), png.size());
    QSaveFile target(file);
    return target.open(QIODevice::WriteOnly) && target.write(icon) == icon.size() && target.commit();
}

bool writeImage(const QImage& image, const QString& file)
{
    if (file.endsWith(QLatin1String(".ico")))
        return writeIconFile(image, file);
    return image.save(file, "PNG");
}

QImage sheet(const std::vector<ImageSpec>& specs, const std::vector<QImage>& rendered)
{
    const int scale = 4;
    const int cell = 32 * scale + 16;
    const int columns = 8;
    const QColor backgrounds[] = {QColor(53, 53, 53), QColor(230, 230, 230), Qt::white};
    const int count = int(specs.size());
    const int rows = (count + columns - 1) / columns;
    QImage out(cell * columns, cell * 3 * rows, QImage::Format_ARGB32);
    out.fill(QColor(255, 0, 255));
    QPainter p(&out);
    for (int i = 0; i < count; ++i) {
        for (int b = 0; b < 3; ++b) {
            const QRect area((i % columns) * cell, ((i / columns) * 3 + b) * cell, cell, cell);
            p.fillRect(area.adjusted(1, 1, -1, -1), backgrounds[b]);
            const QPoint origin = area.topLeft() + QPoint(8, 8);
            p.drawImage(QRect(origin, specs[i].size * scale), rendered[i]);
            if (b == 2 && specs[i].hotSpot.x() >= 0) {
                p.setPen(QPen(Qt::red, 1));
                p.setBrush(Qt::NoBrush);
                p.drawRect(QRect(origin + specs[i].hotSpot * scale, QSize(scale - 1, scale - 1)));
            }
        }
    }
    return out;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString sheetPath;
    const int sheetAt = args.indexOf("--sheet");
    if (sheetAt >= 0 && sheetAt + 1 < args.size()) {
        sheetPath = args.at(sheetAt + 1);
        args.erase(args.begin() + sheetAt, args.begin() + sheetAt + 2);
    }
    QTextStream err(stderr);
    if (args.size() != 1) {
        err << "usage: loomdraw_imagegen <resources-folder> [--sheet <preview.png>]\n";
        return 2;
    }
    const QDir root(args.first());
    const std::vector<ImageSpec> specs = allImageSpecs();
    std::vector<QImage> rendered;
    for (const ImageSpec& spec : specs) {
        rendered.push_back(render(spec));
        const QString file = root.filePath(spec.path);
        if (!QDir().mkpath(QFileInfo(file).path()) || !writeImage(rendered.back(), file)) {
            err << "cannot write " << file << "\n";
            return 1;
        }
    }
    if (!sheetPath.isEmpty() && !sheet(specs, rendered).save(sheetPath, "PNG")) {
        err << "cannot write " << sheetPath << "\n";
        return 1;
    }
    return 0;
}
