#ifndef FILEARCHIVE_H
#define FILEARCHIVE_H

#include "model/filearchivenode.h"

#include <QString>
#include <QStringList>

#include <memory>

// A folder archive packs a set of files into one compressed file and unpacks
// it into a folder again, keeping each file's name below a common base folder.
//
// The file is a qCompress container (a 32-bit big-endian length, then a zlib
// stream) of this payload:
//   - the header's length in bytes: 12 ASCII digits, padded with "0";
//   - the header, UTF-8: one "name,size" entry per file, joined by "|";
//   - the files' bytes in header order, with nothing between them.
// Names use "/" or "\" between folders and cannot hold "," or "|"; no two
// names of one archive may unpack onto the same file (the same up to the
// separator and letter case), on packing nor on reading. Whatever is read is
// checked against the limits below before it is trusted, and no entry may
// land outside the folder it is unpacked into.

// Result codes of packing and unpacking.
enum FileArchiveResult : int {
    FileArchiveDone = 1,              // archive or every file written
    FileArchiveNothingDone = 0,       // no files, no archive, or an empty tree
    FileArchiveUnreadableSource = -1, // a file to pack could not be read
    FileArchiveWriteFailed = -2,      // the archive or an output file could not be written
    FileArchiveRefused = -3           // a damaged archive, a name that cannot be stored or
                                      // unpacked safely, or beyond the limits below
};

// Limits of one archive: its uncompressed payload, its header and its file count.
constexpr int fileArchiveMaxPayloadSize = 256 * 1024 * 1024;
constexpr int fileArchiveMaxHeaderSize = 16 * 1024 * 1024;
constexpr int fileArchiveMaxEntries = 65536;

// Whether an entry name can be stored and unpacked safely: relative, without
// drive letter, without "..", "." or empty folder parts, without "," or "|".
bool isSafeArchiveEntryName(const QString &name);

// Packs the files. Every path of the list is normalised in place (see
// joinFilePath). The base folder is the folder of the shallowest path (the
// first one on ties); files below it are stored by their path below it, others
// by their bare name. An empty archive path is set to the base folder, the
// shallowest file's name without its last suffix, and `suffix`.
int packFilesToArchive(QStringList &files, QString &archivePath, const QString &suffix);

// Reads an archive into a new tree: the root is named after the (normalised)
// archive path and has one child per stored file. Null for an empty path. An
// archive that cannot be opened, is damaged or breaks a limit gives a root
// without data or children, and a description in `errorText` when given.
std::unique_ptr<FileArchiveNode> readArchive(const QString &archivePath, QString *errorText = nullptr);

// Writes the root's children as files below the target folder (the folder of
// the archive when empty), creating their folders. Refuses the whole tree,
// writing nothing, when a name is not safe. Files written before a failed
// write stay.
int extractArchive(const FileArchiveNode *root, const QString &targetFolder);

// readArchive followed by extractArchive; a damaged archive is refused.
int unpackArchive(const QString &archivePath, const QString &targetFolder);

#endif // FILEARCHIVE_H
