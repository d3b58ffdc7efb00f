#include "model/filehelpers.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QGuiApplication>
#include <QMenu>
#include <QPixmap>
#include <QSaveFile>
#include <QScreen>

QString joinFilePath(QString &path)
{
    if (path.isEmpty())
        return path;
    const QChar separator = QDir::separator();
    path.replace(QLatin1Char('\\'), separator);
    path.replace(QLatin1Char('/'), separator);
    if (!QFileInfo(path).isFile() && !path.endsWith(separator))
        path.append(separator);
    return path;
}

QString ensureDirectory(QString &path)
{
    if (path.isEmpty())
        return path;
    const QFileInfo info(path);
    if (!info.isDir())
        path = info.dir().path();
    if (!QFileInfo(path).isDir() && !QDir().mkdir(path))
        return QString();
    return path;
}

QString suffixOfNameFilter(const QString &filter)
{
    const int dot = filter.indexOf(QLatin1Char('.'));
    if (dot < 0)
        return QString();
    int end = dot + 1;
    while (end < filter.size() && filter.at(end).isLetterOrNumber())
        ++end;
    return filter.mid(dot + 1, end - dot - 1);
}

QString getSaveFileNameWithSuffix(QWidget *parent, const QString &caption,
                                  const QString &dir, const QString &filter)
{
    QFileDialog dialog(parent, caption, dir, filter);
    return execSaveDialogWithSuffix(dialog);
}

QString execSaveDialogWithSuffix(QFileDialog &dialog)
{
    // The dialog appends the default suffix itself before it checks for an
    // existing file; appending it after the dialog has closed would replace
    // "name.png" without asking when the user typed "name".
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffixOfNameFilter(dialog.selectedNameFilter()));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString &selected) {
                         dialog.setDefaultSuffix(suffixOfNameFilter(selected));
                     });
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

bool saveAtomically(const QString &path, const FileWriter &writer, QIODevice::OpenMode mode)
{
    if (path.isEmpty() || !writer)
        return false;
    QSaveFile file(path);
    if (!file.open(mode | QIODevice::WriteOnly))
        return false;
    // QSaveFile::commit() reports success after a flush that failed, which
    // would put a short file in place of the old one.
    if (!writer(&file) || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool savePixmapToFile(const QPixmap &pixmap, const QString &fileName)
{
    return !pixmap.isNull() && saveImageToFile(pixmap.toImage(), fileName);
}

namespace {

// A picture without a single see-through pixel is written without alpha, as
// a pixmap of it would be: the file is a quarter smaller.
QImage withoutNeedlessAlpha(const QImage &image)
{
    if (!image.hasAlphaChannel())
        return image;
    const QImage words = image.format() == QImage::Format_ARGB32_Premultiplied || image.format() == QImage::Format_ARGB32
        ? image
        : image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < words.height(); ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(words.constScanLine(y));
        for (int x = 0; x < words.width(); ++x) {
            if (qAlpha(row[x]) != 255)
                return image;
        }
    }
    return words.convertToFormat(QImage::Format_RGB32);
}

} // namespace

bool saveImageToFile(const QImage &image, const QString &fileName)
{
    if (image.isNull() || fileName.isEmpty())
        return false;
    QString folder = fileName;
    ensureDirectory(folder);

    const QString suffix = QFileInfo(fileName).suffix().toLower();
    const char *format = "PNG";
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        format = "JPG";
    else if (suffix == QLatin1String("bmp"))
        format = "BMP";

    const QImage written = withoutNeedlessAlpha(image);
    return saveAtomically(fileName, [&written, format](QIODevice *device) { return written.save(device, format); });
}

QByteArray readWholeFile(const QString &path)
{
    if (path.isEmpty())
        return QByteArray();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

bool writeWholeFile(const QString &path, const QByteArray &bytes)
{
    return saveAtomically(path, [&bytes](QIODevice *device) { return device->write(bytes) == bytes.size(); });
}

void popupMenuInScreen(QMenu *menu, const QPoint &pos)
{
    if (!menu)
        return;
    menu->move(pos);
    // Showing the menu as a plain widget does not emit this by itself.
    emit menu->aboutToShow();
    if (!menu->isVisible())
        menu->show();

    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QRect geometry = menu->geometry();
    const int overRight = geometry.right() - area.right();
    const int overBottom = geometry.bottom() - area.bottom();
    if (overRight > 0 || overBottom > 0)
        menu->move(geometry.x() - qMax(overRight, 0), geometry.y() - qMax(overBottom, 0));
}
