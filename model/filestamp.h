#ifndef FILESTAMP_H
#define FILESTAMP_H

#include <QString>
#include <QtGlobal>

struct stat;

// What a file was at one moment, to tell later whether anybody changed it:
// the device and inode it lives in, its size and its modification time to
// the nanosecond. Writing the file in place changes the time (and mostly
// the size); replacing it by another file, as an atomic save does, changes
// the inode whatever the time says.
//
// A plain value. The null stamp stands for "no such file" (or one that
// could not be looked at); it equals only another null stamp.
class FileStamp
{
public:
    FileStamp() = default;

    // The file a path names, links followed; null when there is none.
    static FileStamp ofPath(const QString &path);
    // The file an open descriptor reads or writes.
    static FileStamp ofDescriptor(int descriptor);

    bool isNull() const { return !m_exists; }
    qint64 size() const { return m_size; }

    bool operator==(const FileStamp &other) const;
    bool operator!=(const FileStamp &other) const { return !(*this == other); }

private:
    static FileStamp of(const struct stat &status);

    bool m_exists = false;
    quint64 m_device = 0;
    quint64 m_inode = 0;
    qint64 m_size = 0;
    qint64 m_modifiedSeconds = 0;
    qint64 m_modifiedNanoseconds = 0;
};

#endif // FILESTAMP_H
