#include "model/filearchive.h"

#include "model/filehelpers.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QtEndian>

#include <vector>

#include <zlib.h>

namespace {

const int headerLengthDigits = 12;

// A qCompress container is its payload plus a few bytes per 16 KiB block at
// worst; anything larger cannot hold a payload within the limit.
const qint64 maxCompressedSize = qint64(fileArchiveMaxPayloadSize) + fileArchiveMaxPayloadSize / 256 + 1024;

bool isAsciiNumber(const QByteArray &text)
{
    if (text.isEmpty())
        return false;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

bool isAsciiLetter(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
        || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

// A part that some file system reads as "this folder" or "the folder above":
// empty, or made of dots and spaces only (trailing ones are dropped on Windows).
bool isFolderAlias(const QString &part)
{
    for (QChar c : part) {
        if (c != QLatin1Char('.') && c != QLatin1Char(' '))
            return false;
    }
    return true;
}

// A stored name with "/" between its folders, whichever side packed it.
QString portableName(QString name)
{
    return name.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

struct ArchiveEntry
{
    QString name;
    QByteArray bytes;
};

// Two names unpack onto one file when they are the same up to the folder
// separator and letter case.
QString unpackedKey(const QString &name)
{
    return portableName(name).toCaseFolded();
}

// Packing side: the names and bytes of the files, refused when a name cannot
// be stored or two names would unpack onto one file.
int collectEntries(const QStringList &files, const QString &baseFolder, QList<ArchiveEntry> &entries)
{
    if (files.size() > fileArchiveMaxEntries)
        return FileArchiveRefused;
    QSet<QString> seen;
    qint64 total = 0;
    for (const QString &path : files) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return FileArchiveUnreadableSource;
        total += file.size();
        if (total > fileArchiveMaxPayloadSize)
            return FileArchiveRefused;
        ArchiveEntry entry;
        entry.name = path.startsWith(baseFolder) ? path.mid(baseFolder.size()) : QFileInfo(path).fileName();
        const QString key = unpackedKey(entry.name);
        if (!isSafeArchiveEntryName(entry.name) || seen.contains(key))
            return FileArchiveRefused;
        seen.insert(key);
        entry.bytes = file.readAll();
        entries.append(entry);
    }
    return FileArchiveDone;
}

QByteArray buildPayload(const QList<ArchiveEntry> &entries)
{
    QStringList header;
    for (const ArchiveEntry &entry : entries)
        header.append(entry.name + QLatin1Char(',') + QString::number(entry.bytes.size()));
    const QByteArray headerBytes = header.join(QLatin1Char('|')).toUtf8();
    QByteArray payload = QStringLiteral("%1").arg(headerBytes.size(), headerLengthDigits, 10, QLatin1Char('0')).toUtf8();
    payload += headerBytes;
    for (const ArchiveEntry &entry : entries)
        payload += entry.bytes;
    return payload;
}

qint64 contentsSize(const QList<ArchiveEntry> &entries)
{
    qint64 size = 0;
    for (const ArchiveEntry &entry : entries)
        size += entry.bytes.size();
    return size;
}

// The index of the path whose folder has the fewest parts, the first on ties.
int shallowestPath(const QStringList &files)
{
    int fewest = 10000;
    int shallowest = 0;
    for (int i = 0; i < files.size(); ++i) {
        const QString folder = QDir::fromNativeSeparators(QFileInfo(files.at(i)).path());
        const int parts = folder.split(QLatin1Char('/')).size();
        if (parts < fewest) {
            fewest = parts;
            shallowest = i;
        }
    }
    return shallowest;
}

// One "name,size" entry of the header, checked against the bytes left.
bool parseEntry(const QString &entry, qint64 bytesLeft, QString &name, qint64 &size, QString &errorText)
{
    const QStringList fields = entry.split(QLatin1Char(','));
    const QByteArray sizeText = fields.value(1).toLatin1();
    size = isAsciiNumber(sizeText) && sizeText.size() <= 10 ? sizeText.toLongLong() : -1;
    if (fields.size() != 2 || size < 0 || size > bytesLeft) {
        errorText = QCoreApplication::translate("FileArchive", "The archive's header is damaged.");
        return false;
    }
    name = fields.at(0);
    if (!isSafeArchiveEntryName(name)) {
        errorText = QCoreApplication::translate("FileArchive", "The archive holds a file name that cannot be unpacked safely: %1").arg(name);
        return false;
    }
    return true;
}

// Inflates a zlib stream that must give exactly `size` bytes; anything more
// or less is a damaged archive. Never allocates beyond `size`.
bool inflateExactly(const QByteArray &stream, int size, QByteArray &out)
{
    out.resize(size);
    z_stream zs{};
    if (inflateInit(&zs) != Z_OK)
        return false;
    zs.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(stream.constData()));
    zs.avail_in = uInt(stream.size());
    zs.next_out = reinterpret_cast<Bytef *>(out.data());
    zs.avail_out = uInt(size);
    int result = inflate(&zs, Z_FINISH);
    if (result == Z_BUF_ERROR && zs.avail_out == 0) {
        // Output is full: the stream is only sound if it ends right here.
        Bytef probe;
        zs.next_out = &probe;
        zs.avail_out = 1;
        result = inflate(&zs, Z_FINISH);
        if (zs.avail_out == 0)
            result = Z_DATA_ERROR;
    }
    const bool complete = result == Z_STREAM_END && zs.total_out == uLong(size);
    inflateEnd(&zs);
    if (!complete)
        out.clear();
    return complete;
}

// Reading side. Every size in the file is checked against the limits and the
// bytes actually there before it is used.
bool parsePayload(const QByteArray &compressed, FileArchiveNode &root, QString &errorText)
{
    if (compressed.size() < 4 || compressed.size() > maxCompressedSize) {
        errorText = QCoreApplication::translate("FileArchive", "The file is not a folder archive.");
        return false;
    }
    // The container's length prefix is checked first and then bounds the
    // inflation, so a forged prefix or a stream that inflates past it costs
    // no more memory than the prefix, itself capped, allows.
    const quint32 declared = qFromBigEndian<quint32>(compressed.constData());
    if (declared < quint32(headerLengthDigits) || declared > quint32(fileArchiveMaxPayloadSize)) {
        errorText = QCoreApplication::translate("FileArchive", "The archive is damaged or too large.");
        return false;
    }
    QByteArray payload;
    if (!inflateExactly(compressed.mid(4), int(declared), payload)) {
        errorText = QCoreApplication::translate("FileArchive", "The archive is damaged.");
        return false;
    }

    const QByteArray lengthField = payload.left(headerLengthDigits);
    const qint64 headerLength = isAsciiNumber(lengthField) ? lengthField.toLongLong() : -1;
    if (headerLength < 0 || headerLength > fileArchiveMaxHeaderSize
        || headerLength > payload.size() - headerLengthDigits) {
        errorText = QCoreApplication::translate("FileArchive", "The archive's header is damaged.");
        return false;
    }
    const QByteArray headerBytes = payload.mid(headerLengthDigits, int(headerLength));
    if (headerBytes.contains('\0') || headerBytes.count('|') >= fileArchiveMaxEntries) {
        errorText = QCoreApplication::translate("FileArchive", "The archive's header is damaged.");
        return false;
    }

    const QString header = QString::fromUtf8(headerBytes);
    // No file gives an empty header, not one entry without a name.
    const QStringList entries = header.isEmpty() ? QStringList() : header.split(QLatin1Char('|'));
    qint64 offset = headerLengthDigits + headerLength;
    std::vector<std::unique_ptr<FileArchiveNode>> children;
    QSet<QString> seen;
    for (const QString &entry : entries) {
        QString name;
        qint64 size = 0;
        if (!parseEntry(entry, payload.size() - offset, name, size, errorText))
            return false;
        // One would overwrite the other when unpacked.
        const QString key = unpackedKey(name);
        if (seen.contains(key)) {
            errorText = QCoreApplication::translate("FileArchive", "The archive holds the file name %1 twice.").arg(name);
            return false;
        }
        seen.insert(key);
        children.push_back(std::make_unique<FileArchiveNode>());
        children.back()->setName(name);
        children.back()->setData(payload.mid(int(offset), int(size)));
        offset += size;
    }
    if (offset != payload.size()) {
        errorText = QCoreApplication::translate("FileArchive", "The archive's header does not match its contents.");
        return false;
    }
    root.setData(payload);
    for (auto &child : children)
        root.children().append(child.release());
    return true;
}

struct ArchiveReading
{
    std::unique_ptr<FileArchiveNode> root;
    int status = FileArchiveNothingDone;
    QString errorText;
};

ArchiveReading readArchiveFile(const QString &archivePath)
{
    ArchiveReading reading;
    if (archivePath.isEmpty())
        return reading;
    QString path = archivePath;
    reading.root = std::make_unique<FileArchiveNode>();
    reading.root->setName(joinFilePath(path));

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        reading.errorText = QCoreApplication::translate("FileArchive", "The archive cannot be opened: %1").arg(file.errorString());
        return reading;
    }
    if (file.size() > maxCompressedSize) {
        reading.status = FileArchiveRefused;
        reading.errorText = QCoreApplication::translate("FileArchive", "The archive is too large.");
        return reading;
    }
    const QByteArray compressed = file.readAll();
    file.close();
    reading.status = parsePayload(compressed, *reading.root, reading.errorText) ? FileArchiveDone
                                                                                : FileArchiveRefused;
    return reading;
}

} // namespace

bool isSafeArchiveEntryName(const QString &name)
{
    if (name.isEmpty() || name.contains(QLatin1Char(',')) || name.contains(QLatin1Char('|')))
        return false;
    const QString path = portableName(name);
    if (path.startsWith(QLatin1Char('/')))
        return false;
    if (path.size() >= 2 && isAsciiLetter(path.at(0)) && path.at(1) == QLatin1Char(':'))
        return false;
    const QStringList parts = path.split(QLatin1Char('/'));
    for (const QString &part : parts) {
        if (isFolderAlias(part))
            return false;
    }
    return true;
}

int packFilesToArchive(QStringList &files, QString &archivePath, const QString &suffix)
{
    if (files.isEmpty())
        return FileArchiveNothingDone;
    for (QString &path : files)
        joinFilePath(path);

    const int shallowest = shallowestPath(files);
    QString baseFolder = QFileInfo(files.at(shallowest)).path();
    joinFilePath(baseFolder);
    if (archivePath.isEmpty()) {
        archivePath = QStringLiteral("%1%2%3")
                          .arg(baseFolder, QFileInfo(files.at(shallowest)).completeBaseName(), suffix);
    }

    QList<ArchiveEntry> entries;
    const int collected = collectEntries(files, baseFolder, entries);
    if (collected != FileArchiveDone)
        return collected;
    const QByteArray payload = buildPayload(entries);
    // What the reading side would refuse is not written in the first place.
    if (payload.size() > fileArchiveMaxPayloadSize
        || payload.size() - headerLengthDigits - contentsSize(entries) > fileArchiveMaxHeaderSize)
        return FileArchiveRefused;
    const QByteArray compressed = qCompress(payload);

    QString archiveFolder = archivePath;
    ensureDirectory(archiveFolder);
    return writeWholeFile(archivePath, compressed) ? FileArchiveDone : FileArchiveWriteFailed;
}

std::unique_ptr<FileArchiveNode> readArchive(const QString &archivePath, QString *errorText)
{
    ArchiveReading reading = readArchiveFile(archivePath);
    if (errorText && !reading.errorText.isEmpty())
        *errorText = reading.errorText;
    return std::move(reading.root);
}

int extractArchive(const FileArchiveNode *root, const QString &targetFolder)
{
    if (!root || root->isEmpty())
        return FileArchiveNothingDone;
    for (const FileArchiveNode *child : root->children()) {
        if (!isSafeArchiveEntryName(child->name()))
            return FileArchiveRefused;
    }

    QString target = targetFolder.isEmpty() ? QFileInfo(root->name()).path() : targetFolder;
    joinFilePath(target);
    QString made = target;
    if (ensureDirectory(made).isEmpty())
        return FileArchiveWriteFailed;

    for (const FileArchiveNode *child : root->children()) {
        const QString output = QStringLiteral("%1%2").arg(target, QDir::toNativeSeparators(portableName(child->name())));
        // The archive's own folders below the target, however deep.
        if (!QDir().mkpath(QFileInfo(output).path()) || !writeWholeFile(output, child->data()))
            return FileArchiveWriteFailed;
    }
    return FileArchiveDone;
}

int unpackArchive(const QString &archivePath, const QString &targetFolder)
{
    const ArchiveReading reading = readArchiveFile(archivePath);
    if (reading.status == FileArchiveRefused)
        return FileArchiveRefused;
    return extractArchive(reading.root.get(), targetFolder);
}
