#include "updater/programupdate.h"

#include "app/instancelock.h"
#include "app/programfiles.h"
#include "model/filehelpers.h"
#include "model/serviceconfig.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QTimer>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const int instancePollMs = 100;
// The exit code of a nested wait that ended by itself. An application that
// is quitting ends every running loop with its own code (0), and every
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

QByteArray systemPath(const QString &path)
{
    return QFile::encodeName(path);
}

QString lastSystemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// rwxr-xr-x less the umask, as the file would have been made executable
// from the start; the old program's permissions are no guide (they may
// lack the execute bits).
bool makeExecutable(const QString &path)
{
    // The umask cannot be read without being set; it is put back at once.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return ::chmod(systemPath(path).constData(), 0755 & ~mask) == 0;
}

// One rename over the target, which is never missing meanwhile (QFile::rename
// refuses to replace a file).
bool replaceFile(const QString &from, const QString &to)
{
    return ::rename(systemPath(from).constData(), systemPath(to).constData()) == 0;
}

// A second name for the file: a hard link, or a copy where the file system
// has none.
bool addSecondName(const QString &path, const QString &secondName)
{
    if (::link(systemPath(path).constData(), systemPath(secondName).constData()) == 0)
        return true;
    return QFile::copy(path, secondName);
}

} // namespace

ProgramUpdate::ProgramUpdate(const QString &folder, const QString &downloadUrl)
    : m_folder(folder), m_downloadUrl(downloadUrl)
{
    m_downloadLimits.maxSize = maxProgramSize;
}

ProgramUpdate::ProgramUpdate(ProgramUpdate &&other) = default;

ProgramUpdate::~ProgramUpdate()
{
    release();
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

QString ProgramUpdate::backupInProgressPath() const
{
    return QDir(m_folder).filePath(QLatin1String(ProgramFiles::programBackupInProgress));
}

QString ProgramUpdate::lockPath() const
{
    return QDir(m_folder).filePath(QLatin1String(ProgramFiles::updateLock));
}

ProgramUpdate::Result ProgramUpdate::run()
{
    if (m_lock)
        return resume();
    m_failure.clear();
    if (const std::optional<Result> refused = lockFolder())
        return *refused;
    step(Step::Locked);
    if (!removeLeftovers())
        return finish(Result::UpdateFailed);
    if (!download())
        return finish(Result::DownloadFailed);
    step(Step::Downloaded);
    if (!checkNewProgram())
        return finish(Result::UpdateFailed);
    step(Step::Checked);
    return afterWait(waitForOldProgram(m_instanceWaitMs));
}

ProgramUpdate::Result ProgramUpdate::resume()
{
    if (!m_lock) {
        setFailure(tr("No update is under way."));
        return Result::UpdateFailed;
    }
    m_failure.clear();
    return afterWait(waitForOldProgram(m_retryWaitMs));
}

void ProgramUpdate::abandon()
{
    release();
}

bool ProgramUpdate::setFailure(const QString &reason)
{
    m_failure = reason;
    return false;
}

ProgramUpdate::Result ProgramUpdate::finish(Result result)
{
    release();
    return result;
}

void ProgramUpdate::step(Step reached) const
{
    if (m_stepHook)
        m_stepHook(reached);
}

void ProgramUpdate::release()
{
    if (!m_lock)
        return;
    // Never installed, so never worth keeping.
    if (present(newProgramPath()))
        QFile::remove(newProgramPath());
    m_lock.reset();
}

std::optional<ProgramUpdate::Result> ProgramUpdate::lockFolder()
{
    auto lock = std::make_unique<QLockFile>(lockPath());
    // The lock of an updater that died is taken over; a live one's never.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        const bool held = lock->error() == QLockFile::LockFailedError;
        setFailure(held ? tr("An update is already running in %1.").arg(nativePath(m_folder))
                        : tr("Cannot lock %1.").arg(nativePath(lockPath())));
        return held ? Result::AlreadyRunning : Result::UpdateFailed;
    }
    m_lock = std::move(lock);
    return std::nullopt;
}

// What an updater that was stopped midway left beside the program.
bool ProgramUpdate::removeLeftovers()
{
    for (const QString &leftover : {newProgramPath(), backupInProgressPath()}) {
        if (present(leftover) && !QFile::remove(leftover))
            return setFailure(tr("Cannot remove %1 left by an earlier update.").arg(nativePath(leftover)));
    }
    return true;
}

bool ProgramUpdate::download()
{
    if (m_downloadUrl.isEmpty())
        return setFailure(tr("No download address is configured."));
    QString error;
    int status = 0;
    const QByteArray body = httpDownloadSync(m_downloadUrl, error, status, m_downloadLimits);
    if (status != 200 && status != 0)
        return setFailure(tr("The server answered %1 instead of the program.").arg(status));
    if (!error.isEmpty() || status != 200)
        return setFailure(tr("The download failed: %1").arg(error));
    if (!body.startsWith(ProgramFiles::programSignature))
        return setFailure(tr("The download is not a program file."));

    const QString fresh = newProgramPath();
    if (!writeWholeFile(fresh, body) || !makeExecutable(fresh)) {
        QFile::remove(fresh);
        return setFailure(tr("Cannot write %1.").arg(nativePath(fresh)));
    }
    return true;
}

bool ProgramUpdate::checkNewProgram()
{
    QProcess check;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    check.setProcessEnvironment(environment);
    check.setWorkingDirectory(m_folder);
    check.setStandardOutputFile(QProcess::nullDevice());
    check.setStandardErrorFile(QProcess::nullDevice());

    QEventLoop loop;
    QTimer bound;
    bound.setSingleShot(true);
    QObject::connect(&check, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), &loop,
                     [&loop] { loop.exit(pauseEnded); });
    QObject::connect(&check, &QProcess::errorOccurred, &loop, [&loop](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            loop.exit(pauseEnded);
    });
    QObject::connect(&bound, &QTimer::timeout, &loop, [&loop] { loop.exit(pauseEnded); });
    check.start(newProgramPath(), {QLatin1String(checkArgument)});
    bound.start(qMax(m_checkTimeoutMs, 0));
    const bool stopped = check.state() != QProcess::NotRunning && loop.exec() != pauseEnded;
    const bool timedOut = !bound.isActive() && check.state() != QProcess::NotRunning;
    if (check.state() != QProcess::NotRunning) {
        check.kill();
        check.waitForFinished(5000);
    }

    const QString program = nativePath(newProgramPath());
    if (stopped)
        return setFailure(tr("The update was stopped."));
    if (check.error() == QProcess::FailedToStart)
        return setFailure(tr("The new program %1 cannot be started: %2").arg(program, check.errorString()));
    if (timedOut)
        return setFailure(tr("The new program %1 did not end its check within %2 ms.")
                              .arg(program).arg(m_checkTimeoutMs));
    if (check.exitStatus() == QProcess::CrashExit)
        return setFailure(tr("The new program %1 crashed in its check.").arg(program));
    if (check.exitCode() != checkExitCode)
        return setFailure(tr("The new program %1 ended its check with %2 instead of %3.")
                              .arg(program).arg(check.exitCode()).arg(checkExitCode));
    return true;
}

ProgramUpdate::Wait ProgramUpdate::waitForOldProgram(int milliseconds) const
{
    QElapsedTimer clock;
    clock.start();
    while (instanceIsRunning(programPath())) {
        const qint64 left = milliseconds - clock.elapsed();
        if (left <= 0)
            return Wait::StillRunning;
        QEventLoop pause;
        QTimer::singleShot(int(qMin<qint64>(left, instancePollMs)), &pause,
                           [&pause] { pause.exit(pauseEnded); });
        if (pause.exec() != pauseEnded)
            return Wait::Stopped;
    }
    return Wait::Ended;
}

ProgramUpdate::Result ProgramUpdate::afterWait(Wait wait)
{
    switch (wait) {
    case Wait::Ended:
        return install();
    case Wait::StillRunning:
        // The folder stays locked and the download kept, for resume().
        setFailure(tr("%1 is still running.").arg(QLatin1String(ProgramFiles::program)));
        return Result::OldProgramRunning;
    case Wait::Stopped:
        break;
    }
    setFailure(tr("The update was stopped."));
    return finish(Result::UpdateFailed);
}

ProgramUpdate::Result ProgramUpdate::install()
{
    const QString program = programPath();
    const QString fresh = newProgramPath();
    const QString backup = backupPath();
    const QString oldProgram = backupInProgressPath();
    const bool hadProgram = present(program);
    if (hadProgram) {
        const QFileInfo inTheWay(backup);
        if (inTheWay.isDir() && !inTheWay.isSymLink()) {
            setFailure(tr("Cannot replace the old backup %1.").arg(nativePath(backup)));
            return finish(Result::UpdateFailed);
        }
        if (!addSecondName(program, oldProgram)) {
            setFailure(tr("Cannot keep %1 as the backup.").arg(nativePath(program)));
            return finish(Result::UpdateFailed);
        }
    }
    step(Step::BackupLinked);
    if (!replaceFile(fresh, program)) {
        setFailure(tr("Cannot put the new program in place of %1: %2").arg(nativePath(program), lastSystemError()));
        if (hadProgram)
            QFile::remove(oldProgram);
        return finish(Result::UpdateFailed);
    }
    step(Step::Replaced);
    if (!QProcess::startDetached(program, QStringList()))
        return takeBack(hadProgram);
    step(Step::Started);
    if (hadProgram && !replaceFile(oldProgram, backup))
        qWarning("%s: the previous program stays as %s: %s", ProgramFiles::updater,
                 qPrintable(nativePath(oldProgram)), qPrintable(lastSystemError()));
    return finish(Result::Installed);
}

// The new program is in place but does not start: the old one takes its
// name back and is started instead; the previous backup stays as it was.
ProgramUpdate::Result ProgramUpdate::takeBack(bool hadProgram)
{
    const QString program = programPath();
    if (!hadProgram)
        setFailure(tr("The new program could not be started."));
    else if (!replaceFile(backupInProgressPath(), program))
        setFailure(tr("The new program could not be started, nor the previous one put back."));
    else if (QProcess::startDetached(program, QStringList()))
        setFailure(tr("The new program could not be started; the previous one is back in place."));
    else
        setFailure(tr("The new program could not be started; the previous one is back in place, "
                      "but does not start either."));
    return finish(Result::UpdateFailed);
}
