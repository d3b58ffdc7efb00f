#include "model/filehelpers.h"

#include "model/filestamp.h"

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

#include <cerrno>
#include <limits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

namespace {

// The temporary file is the process's own; the file it replaces may be
// another user's, which root must not take over by saving it. Where only
// the group may be given (a user saving into a group's file), the group
// alone.
void keepOwner(const QString &path, int descriptor)
{
    struct stat old;
    struct stat now;
    if (descriptor < 0 || ::stat(QFile::encodeName(path).constData(), &old) != 0
        || ::fstat(descriptor, &now) != 0)
        return;
    if (now.st_uid == old.st_uid && now.st_gid == old.st_gid)
        return;
    if (::fchown(descriptor, old.st_uid, old.st_gid) == 0 || now.st_gid == old.st_gid)
        return;
    const int groupOnly = ::fchown(descriptor, uid_t(-1), old.st_gid);
    Q_UNUSED(groupOnly)
}

} // namespace

bool saveAtomically(const QString &path, const FileWriter &writer, QIODevice::OpenMode mode)
{
    if (path.isEmpty() || !writer)
        return false;
    QSaveFile file(path);
    if (!file.open(mode | QIODevice::WriteOnly))
        return false;
    keepOwner(path, file.handle());
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

// The format the name's suffix stands for; null for a suffix of no format
// written here.
const char *imageFormatOfName(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("png"))
        return "PNG";
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        return "JPG";
    if (suffix == QLatin1String("bmp"))
        return "BMP";
    return nullptr;
}

} // namespace

bool saveImageToFile(const QImage &image, const QString &fileName)
{
    if (image.isNull() || fileName.isEmpty())
        return false;
    QString folder = fileName;
    ensureDirectory(folder);

    const char *named = imageFormatOfName(fileName);
    const char *format = named ? named : "PNG";
    const QImage written = withoutNeedlessAlpha(image);
    return saveAtomically(fileName, [&written, format](QIODevice *device) { return written.save(device, format); });
}

bool hasWrittenImageSuffix(const QString &fileName)
{
    return imageFormatOfName(fileName) != nullptr;
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

namespace {

bool isRegularFileWithin(const struct stat &status, qint64 maxBytes)
{
    return S_ISREG(status.st_mode) && qint64(status.st_size) <= maxBytes;
}

// The whole rest of the file. The buffer holds one byte more than the
// bytes expected (or allowed): a read that fills it shows that the file is
// longer than it was, or than the bound.
bool readDescriptor(int descriptor, qint64 maxBytes, qint64 expected, QByteArray *bytes)
{
    constexpr qint64 chunk = 1 << 20;
    qint64 filled = 0;
    qint64 capacity = qMin(expected, maxBytes) + 1;
    for (;;) {
        if (filled == capacity) {
            if (capacity > maxBytes)
                return false;
            capacity = qMin(capacity + chunk, maxBytes + 1);
        }
        bytes->resize(int(capacity));
        const ssize_t got = ::read(descriptor, bytes->data() + filled, size_t(capacity - filled));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            break;
        filled += got;
    }
    bytes->resize(int(filled));
    return true;
}

} // namespace

bool readRegularFile(const QString &path, qint64 maxBytes, QByteArray *bytes, FileStamp *stamp)
{
    bytes->clear();
    // Never above what one byte array holds, with room for the byte that
    // tells a grown file.
    maxBytes = qMin(maxBytes, qint64(std::numeric_limits<int>::max()) - 1);
    const QByteArray name = QFile::encodeName(path);
    struct stat looked;
    // Opening a FIFO for reading waits for a writer, and a device may act
    // on an open: neither is opened at all.
    if (path.isEmpty() || ::stat(name.constData(), &looked) != 0 || !isRegularFileWithin(looked, maxBytes))
        return false;
    const int descriptor = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    struct stat opened;
    const bool whole = ::fstat(descriptor, &opened) == 0 && isRegularFileWithin(opened, maxBytes)
        && readDescriptor(descriptor, maxBytes, qint64(opened.st_size), bytes);
    if (whole && stamp)
        *stamp = FileStamp::ofDescriptor(descriptor);
    ::close(descriptor);
    if (!whole)
        bytes->clear();
    return whole;
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
