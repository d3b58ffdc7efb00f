// The folder archive. An input is a mode byte and the rest: with an even
// mode byte the rest is an archive file as it is, with an odd one it is the
// uncompressed payload, which is compressed here, so that the search reaches
// the header behind the compression. When the reader accepts the archive,
// unpacking writes every entry's bytes to a file of its own, and packing
// those files gives an archive that the reader accepts and that unpacks and
// packs again into the same bytes.
#include "fuzz/fuzzsupport.h"

#include "model/filearchive.h"

#include <QDir>
#include <QFile>
#include <QStringList>

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// A folder of the scratch space, emptied.
QString freshFolder(const QString &name)
{
    const QString path = fuzzScratchPath(name);
    QDir(path).removeRecursively();
    QDir().mkpath(path);
    return path;
}

QString entryPath(const QString &folder, const QString &name)
{
    return folder + QLatin1Char('/') + QString(name).replace(QLatin1Char('\\'), QLatin1Char('/'));
}

// Unpacks the tree into the folder; the files of the entries when every one
// was written and holds its entry's bytes, an empty list when the tree was
// not unpacked. An entry whose bytes are not in its file has been
// overwritten by another one.
QStringList unpackedFiles(const FileArchiveNode &root, const QString &folder)
{
    if (extractArchive(&root, folder) != FileArchiveDone)
        return QStringList();
    QStringList files;
    for (const FileArchiveNode *child : root.children()) {
        const QString path = entryPath(folder, child->name());
        if (fileBytes(path) != child->data())
            fuzzFail(QStringLiteral("the entry %1 does not unpack to its own bytes").arg(child->name()));
        files.append(path);
    }
    return files;
}

// Packs the files into the archive; its bytes, or empty when packing refused.
QByteArray packed(QStringList files, const QString &archive)
{
    QString path = archive;
    const int result = packFilesToArchive(files, path, QStringLiteral(".arc"));
    if (result == FileArchiveRefused)
        return QByteArray();
    if (result != FileArchiveDone)
        fuzzFail(QStringLiteral("unpacked files do not pack again (%1)").arg(result));
    return fileBytes(path);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1 || size > FuzzMaxInputSize)
        return 0;
    const QByteArray rest = fuzzBytes(data + 1, size - 1);
    const QString input = fuzzScratchPath(QStringLiteral("input.arc"));
    if (!writeBytes(input, data[0] % 2 ? qCompress(rest) : rest))
        return 0;
    const std::unique_ptr<FileArchiveNode> root = readArchive(input);
    if (!root || root->children().isEmpty())
        return 0;

    const QStringList files = unpackedFiles(*root, freshFolder(QStringLiteral("first")));
    if (files.isEmpty())
        return 0;
    const QByteArray repacked = packed(files, fuzzScratchPath(QStringLiteral("repacked.arc")));
    if (repacked.isEmpty())
        return 0;

    QString error;
    const std::unique_ptr<FileArchiveNode> again = readArchive(fuzzScratchPath(QStringLiteral("repacked.arc")), &error);
    if (!again || again->children().size() != root->children().size())
        fuzzFail(QStringLiteral("an archive packed here is not read back: %1").arg(error));
    const QStringList filesAgain = unpackedFiles(*again, freshFolder(QStringLiteral("second")));
    if (filesAgain.isEmpty())
        fuzzFail(QStringLiteral("an archive packed here does not unpack"));
    const QByteArray repackedAgain = packed(filesAgain, fuzzScratchPath(QStringLiteral("repacked-again.arc")));
    if (repackedAgain != repacked)
        fuzzFail(QStringLiteral("unpacking and packing again changes the archive"));
    return 0;
}
