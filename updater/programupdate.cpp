#include "updater/programupdate.h"

#include "app/instancelock.h"
#include "app/programfiles.h"
#include "model/filehelpers.h"
#include "model/httphelpers.h"
#include "model/serviceconfig.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>

namespace {

const int instancePollMs = 100;
// The exit code of the pause between two looks at the lock. An application
// that is quitting ends every running loop with its own code (0), and every
// later one at once (-1): then the user closed the window, and the update
// stops.
const int pauseEnded = 1;

// A link whose target is gone is still a file in the way.
bool present(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

QString nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// rwxr-xr-x, for a first install with no old program to take them from.
const QFileDevice::Permissions freshPermissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner
    | QFileDevice::ExeOwner | QFileDevice::ReadGroup | QFileDevice::ExeGroup
    | QFileDevice::ReadOther | QFileDevice::ExeOther;

} // namespace

ProgramUpdate::ProgramUpdate(const QString &folder, const QString &downloadUrl)
    : m_folder(folder), m_downloadUrl(downloadUrl)
{
}

ProgramUpdate ProgramUpdate::forThisProgram()
{
    ProgramUpdate update(QCoreApplication::applicationDirPath(),
                         ServiceConfig::address(ServiceConfig::downloadBase(),
                                                QLatin1String(ProgramFiles::programDownloadPath)));
    bool valid = false;
    const int wait = qEnvironmentVariableIntValue(instanceWaitVariable, &valid);
    if (valid && wait >= 0)
        update.setInstanceWait(wait);
    return update;
}

QString ProgramUpdate::programPath() const
{
    return QDir(m_folder).filePath(QLatin1String(ProgramFiles::program));
}

QString ProgramUpdate::newProgramPath() const
{
    return QDir(m_folder).filePath(QLatin1String(ProgramFiles::newProgram));
}

QString ProgramUpdate::backupPath() const
{
    return QDir(m_folder).filePath(QLatin1String(ProgramFiles::programBackup));
}

bool ProgramUpdate::run()
{
    m_failure.clear();
    if (!removeLeftover() || !download())
        return false;
    if (!waitForOldInstance()) {
        QFile::remove(newProgramPath());
        return fail(tr("The update was stopped."));
    }
    bool hadProgram = false;
    return swap(&hadProgram) && start(hadProgram);
}

bool ProgramUpdate::fail(const QString &reason)
{
    m_failure = reason;
    return false;
}

bool ProgramUpdate::removeLeftover()
{
    const QString fresh = newProgramPath();
    if (present(fresh) && !QFile::remove(fresh))
        return fail(tr("Cannot remove %1 left by an earlier update.").arg(nativePath(fresh)));
    return true;
}

bool ProgramUpdate::download()
{
    if (m_downloadUrl.isEmpty())
        return fail(tr("No download address is configured."));
    QString error;
    int status = 0;
    const QByteArray body = httpGetSync(m_downloadUrl, error, status, m_idleTimeoutMs,
                                        HttpTimeout::SinceLastData, maxProgramSize);
    if (status != 200 && status != 0)
        return fail(tr("The server answered %1 instead of the program.").arg(status));
    if (!error.isEmpty() || status != 200)
        return fail(tr("The download failed: %1").arg(error));
    if (!body.startsWith(ProgramFiles::programSignature))
        return fail(tr("The download is not a program file."));

    const QString fresh = newProgramPath();
    const QString program = programPath();
    const QFileDevice::Permissions permissions =
        present(program) ? QFile::permissions(program) : freshPermissions;
    if (!writeWholeFile(fresh, body) || !QFile::setPermissions(fresh, permissions)) {
        QFile::remove(fresh);
        return fail(tr("Cannot write %1.").arg(nativePath(fresh)));
    }
    return true;
}

bool ProgramUpdate::waitForOldInstance() const
{
    QElapsedTimer clock;
    clock.start();
    while (instanceIsRunning(programPath())) {
        const qint64 left = m_instanceWaitMs - clock.elapsed();
        if (left <= 0)
            return true; // waited long enough: the swap goes ahead
        QEventLoop pause;
        QTimer::singleShot(int(qMin<qint64>(left, instancePollMs)), &pause,
                           [&pause] { pause.exit(pauseEnded); });
        if (pause.exec() != pauseEnded)
            return false;
    }
    return true;
}

bool ProgramUpdate::swap(bool *hadProgram)
{
    const QString program = programPath();
    const QString fresh = newProgramPath();
    const QString backup = backupPath();
    *hadProgram = present(program);
    if (*hadProgram) {
        if (present(backup) && !QFile::remove(backup)) {
            QFile::remove(fresh);
            return fail(tr("Cannot remove the old backup %1.").arg(nativePath(backup)));
        }
        if (!QFile::rename(program, backup)) {
            QFile::remove(fresh);
            return fail(tr("Cannot keep %1 as the backup.").arg(nativePath(program)));
        }
    }
    if (!QFile::rename(fresh, program)) {
        if (*hadProgram)
            QFile::rename(backup, program);
        QFile::remove(fresh);
        return fail(tr("Cannot put the new program in place of %1.").arg(nativePath(program)));
    }
    return true;
}

bool ProgramUpdate::start(bool hadProgram)
{
    const QString program = programPath();
    if (QProcess::startDetached(program, QStringList()))
        return true;
    if (!hadProgram)
        return fail(tr("The new program could not be started."));
    // Back to the program that worked, started in place of the new one.
    QFile::remove(program);
    if (!QFile::rename(backupPath(), program))
        return fail(tr("The new program could not be started, nor the previous one put back."));
    QProcess::startDetached(program, QStringList());
    return fail(tr("The new program could not be started; the previous one is back in place."));
}
