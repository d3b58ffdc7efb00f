#ifndef UPDATEFIXTURE_H
#define UPDATEFIXTURE_H

// A program folder for the updater's tests: fresh and temporary, beside a
// runtime folder of its own (mode 0700) for the single-instance locks, with
// the bytes of the program the fake service serves.

#include "app/programfiles.h"
#include "updater/programupdate.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

namespace updatefixture {

// Bounds, not expected durations: a sanitizer build on a loaded machine
// starts programs slowly, and a wait returns as soon as its condition holds.
const int boundMs = 60000;

const QByteArray oldProgram = "the old program\n";
const QByteArray olderProgram = "the program before that\n";

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The test program, built to run and to tell that it ran.
inline QByteArray testProgram()
{
    return readFile(QStringLiteral(LOOMDRAW_SERVED_PROGRAM_PATH));
}

// The test program with a tail of its own, so that it tells itself apart
// from a copy of the plain one in the folder; a program file's trailing
// bytes change nothing when it runs.
inline QByteArray servedProgram()
{
    return testProgram() + "\nthe served copy\n";
}

// The program's exit code in the updater's check mode; -1 when it did not
// run, or did not end normally within the bound.
inline int checkRun(const QString &program)
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, {QLatin1String(ProgramUpdate::checkArgument)});
    if (!process.waitForFinished(boundMs) || process.exitStatus() != QProcess::NormalExit)
        return -1;
    return process.exitCode();
}

const QFileDevice::Permissions programPermissions = QFileDevice::ReadOwner
    | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup
    | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;

// Only the owner, group and other bits: the "user" ones repeat the owner's.
inline QFileDevice::Permissions modeBits(QFileDevice::Permissions permissions)
{
    return permissions & (QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                          | QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
                          | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther);
}

class ProgramFolder
{
public:
    ProgramFolder()
    {
        m_valid = m_root.isValid() && QDir(m_root.path()).mkdir("program")
            && QDir(m_root.path()).mkdir("runtime")
            && QFile::setPermissions(runtime(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    bool isValid() const { return m_valid; }
    QString folder() const { return QDir(m_root.path()).filePath("program"); }
    QString runtime() const { return QDir(m_root.path()).filePath("runtime"); }
    QString path(const QString &name) const { return QDir(folder()).filePath(name); }

    QString program() const { return path(ProgramFiles::program); }
    QString newProgram() const { return path(ProgramFiles::newProgram); }
    QString backup() const { return path(ProgramFiles::programBackup); }
    // What the test program writes when it is started.
    QString startedMarker() const { return path("started"); }

    bool write(const QString &name, const QByteArray &bytes,
               QFileDevice::Permissions permissions = programPermissions) const
    {
        QFile file(path(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()
            && file.setPermissions(permissions);
    }
    QByteArray read(const QString &name) const { return readFile(path(name)); }
    bool exists(const QString &name) const { return QFileInfo::exists(path(name)); }

    // The old program and the backup before it, as an update finds them.
    bool installOldPrograms() const
    {
        return write(ProgramFiles::program, oldProgram) && write(ProgramFiles::programBackup, olderProgram);
    }

    // Waits until the file holds something; false after the bound.
    bool waitFor(const QString &name, int milliseconds = boundMs) const
    {
        QElapsedTimer clock;
        clock.start();
        // A marker counts once its writer has put its text in, not when the
        // file is merely created: the reader may otherwise see it empty.
        while (QFileInfo(path(name)).size() == 0) {
            if (clock.elapsed() > milliseconds)
                return false;
            QTest::qWait(20);
        }
        return true;
    }

    // For the processes started in the folder: its runtime folder, no
    // screen, and the fake service.
    QProcessEnvironment environment(const QString &serviceBase) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_RUNTIME_DIR", runtime());
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("LOOMDRAW_SERVICE_BASE", serviceBase);
        return environment;
    }

private:
    QTemporaryDir m_root;
    bool m_valid = false;
};

} // namespace updatefixture

#endif // UPDATEFIXTURE_H
