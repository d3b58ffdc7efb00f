#ifndef FILEHELPERS_H
#define FILEHELPERS_H

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <functional>

class FileStamp;
class QFileDialog;
class QMenu;
class QImage;
class QPixmap;
class QPoint;
class QWidget;

// Small file and folder functions shared by the views, the exports, the
// skin controls and the folder archive. None of them throws; failures show
// as a false or empty result.

// Turns every "\" and "/" into the platform's directory separator and, unless
// the path names an existing file, makes it end with one separator, so that
// callers can append file names directly. Changes the caller's string and
// returns its new value; an empty path stays empty.
QString joinFilePath(QString &path);

// Makes sure the folder of a path exists. A path that is not an existing
// folder is replaced in place by its folder part; a missing folder is created
// (one level only). Returns the folder, or an empty string when it could not
// be created. An empty path stays empty.
QString ensureDirectory(QString &path);

// The suffix (without the dot) that a save-dialog name filter such as
// "PNG Images(*.png)" stands for: the letters and digits right after the first
// ".". Empty when the filter names no suffix.
QString suffixOfNameFilter(const QString &filter);

// Asks for a file name to save to. The suffix of the selected filter is
// appended to a name typed without one, and the dialog knows that suffix
// before it accepts, so replacing an existing file is always confirmed by the
// user. Empty when the dialog was cancelled.
QString getSaveFileNameWithSuffix(QWidget *parent, const QString &caption,
                                  const QString &dir, const QString &filter);
// The same with a dialog the caller has built (and placed): runs it as a
// save dialog and returns the chosen name, empty when cancelled.
QString execSaveDialogWithSuffix(QFileDialog &dialog);

// Writes the pixmap in the format its suffix names: "jpg" and "jpeg" as JPEG,
// "bmp" as BMP, anything else (no suffix included) as PNG. A missing folder
// of the file is created (one level, as ensureDirectory does); an existing
// file is replaced only by a complete image. False for a null pixmap, an empty name or a failed write.
bool savePixmapToFile(const QPixmap &pixmap, const QString &fileName);
// The same for an image; makes no pixmap, so any thread may call it.
bool saveImageToFile(const QImage &image, const QString &fileName);
// The name's suffix is one whose format the two above write: "png", "jpg",
// "jpeg" or "bmp", in any case. Any other is written as PNG.
bool hasWrittenImageSuffix(const QString &fileName);

// The whole file as raw bytes; empty for an empty path, a missing or
// unreadable file (and for an empty file).
QByteArray readWholeFile(const QString &path);

// The whole of a regular file (a link is followed to one) of at most
// maxBytes. Anything else is refused, before it is read: a folder, a FIFO,
// a socket, a device such as /dev/zero, a file larger than the bound (also
// one that grows past it while it is read). Never waits for a writer: a
// name that turns into a FIFO between the look and the open is opened
// without waiting and refused. False, with `bytes` empty, on a refusal or a
// failed read; on success `stamp`, when given, tells what the file was as
// it was read.
bool readRegularFile(const QString &path, qint64 maxBytes, QByteArray *bytes,
                     FileStamp *stamp = nullptr);

// The one way a file is replaced: the writer fills a temporary file beside
// it (opened with the mode, WriteOnly at least), which takes the old file's
// place only when the writer returned true and every byte reached the file
// system; a write cut short by a full disk or a file size limit is seen at
// the flush, which the final rename alone would not notice. On failure the
// old file is untouched and nothing is left beside it. The new file keeps
// the old one's permissions, and its owner and group where the process may
// give them (root saving another user's file). False for an empty path, a
// failed writer or a failed write.
using FileWriter = std::function<bool(QIODevice *device)>;
bool saveAtomically(const QString &path, const FileWriter &writer,
                    QIODevice::OpenMode mode = QIODevice::WriteOnly);

// Replaces the file's contents with the bytes, all or nothing (saveAtomically).
// False for an empty path or when the file could not be written.
bool writeWholeFile(const QString &path, const QByteArray &bytes);

// Shows a context menu at a global position, moved up and left just enough
// that it stays inside the primary screen's available area. Emits the menu's
// aboutToShow() on every call so that its owner can refresh it.
void popupMenuInScreen(QMenu *menu, const QPoint &pos);

#endif // FILEHELPERS_H
