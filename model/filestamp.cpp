#include "model/filestamp.h"

#include <QFile>

#include <sys/stat.h>

FileStamp FileStamp::of(const struct stat &status)
{
    FileStamp stamp;
    stamp.m_exists = true;
    stamp.m_device = quint64(status.st_dev);
    stamp.m_inode = quint64(status.st_ino);
    stamp.m_size = qint64(status.st_size);
    stamp.m_modifiedSeconds = qint64(status.st_mtim.tv_sec);
    stamp.m_modifiedNanoseconds = qint64(status.st_mtim.tv_nsec);
    return stamp;
}

FileStamp FileStamp::ofPath(const QString &path)
{
    struct stat status;
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &status) != 0)
        return FileStamp();
    return of(status);
}

FileStamp FileStamp::ofDescriptor(int descriptor)
{
    struct stat status;
    if (::fstat(descriptor, &status) != 0)
        return FileStamp();
    return of(status);
}

bool FileStamp::operator==(const FileStamp &other) const
{
    if (m_exists != other.m_exists)
        return false;
    return !m_exists
        || (m_device == other.m_device && m_inode == other.m_inode && m_size == other.m_size
            && m_modifiedSeconds == other.m_modifiedSeconds
            && m_modifiedNanoseconds == other.m_modifiedNanoseconds);
}
