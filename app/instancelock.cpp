#include "app/instancelock.h"

#include "app/programfiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

namespace {

// "<runtime folder>/Loomdraw-<hash of the program path>", or empty without
// a runtime folder.
QString instanceBasePath(const QString &programFilePath)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        return QString();
    const QFileInfo file(programFilePath);
    // A running program names its file by the canonical path; a file that
    // is gone has none, and then no instance of it can be asked for.
    const QString program = file.exists() ? file.canonicalFilePath() : file.absoluteFilePath();
    const QByteArray hash = QCryptographicHash::hash(program.toUtf8(), QCryptographicHash::Sha1);
    return QDir(folder).filePath(QStringLiteral("%1-%2")
                                     .arg(QLatin1String(ProgramFiles::instancePrefix),
                                          QLatin1String(hash.toHex().left(16))));
}

QString withSuffix(const QString &base, const char *suffix)
{
    return base.isEmpty() ? QString() : base + QLatin1String(suffix);
}

} // namespace

QString instanceLockPath(const QString &programFilePath)
{
    return withSuffix(instanceBasePath(programFilePath), ".lock");
}

QString instanceSocketPath(const QString &programFilePath)
{
    return withSuffix(instanceBasePath(programFilePath), ".socket");
}

bool instanceIsRunning(const QString &programFilePath)
{
    const QString path = instanceLockPath(programFilePath);
    if (path.isEmpty())
        return false;
    QLockFile lock(path);
    // As the instance itself sets it: a lock never goes stale by age.
    lock.setStaleLockTime(0);
    if (lock.tryLock(0)) {
        lock.unlock();
        return false;
    }
    return lock.error() == QLockFile::LockFailedError;
}
