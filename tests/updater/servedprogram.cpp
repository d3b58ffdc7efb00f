// The program that the fake web service serves to the updater's tests, and
// that they also put in place as the old program.
//
// Started with no arguments (as the updater starts it) it appends a line to
// the file "started" in its folder: its file name, then any arguments.
//
// Started in the updater's check mode ("-exportimage" alone) it does what
// the drawing program does: prints its usage on the standard error and ends
// with 2. A copy whose file ends with one of the check marks below (a
// program file's trailing bytes change nothing when it runs) misbehaves
// there instead: it crashes, hangs for a minute, or ends with 0.
//
// Started as "--hold-lock <ms>" it is an old program still running: it
// holds the single-instance lock of its file for that long, or until a file
// "release" appears in its folder, having written "holding"; before it lets
// go it writes "released", holding "unchanged" when the program file of its
// folder still has the bytes it had at the start, else "changed".
#include "servedprogram.h"

#include "app/instancelock.h"
#include "app/programfiles.h"
#include "model/filehelpers.h"
#include "updater/programupdate.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QThread>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

QString inFolder(const char *name)
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QLatin1String(name));
}

int holdLock(int milliseconds)
{
    const QString program = inFolder(ProgramFiles::program);
    const QByteArray before = readWholeFile(program);
    QLockFile lock(instanceLockPath(QCoreApplication::applicationFilePath()));
    lock.setStaleLockTime(0);
    if (!lock.tryLock(0))
        return 2;
    writeWholeFile(inFolder("holding"), "holding\n");
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds && !QFile::exists(inFolder("release")))
        QThread::msleep(20);
    writeWholeFile(inFolder("released"),
                   readWholeFile(program) == before ? "unchanged" : "changed");
    return 0;
}

// Before any application object exists, as the drawing program answers it.
int check()
{
    const QByteArray self = readWholeFile(QStringLiteral("/proc/self/exe"));
    if (self.endsWith(servedprogram::crashInCheck))
        std::abort();
    if (self.endsWith(servedprogram::hangInCheck)) {
        QThread::sleep(60);
        return 0;
    }
    if (self.endsWith(servedprogram::passEveryCheck))
        return 0;
    std::fputs("usage: Loomdraw -exportimage [-drawframe] DOCUMENT... IMAGE...\n", stderr);
    return ProgramUpdate::checkExitCode;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 2 && std::strcmp(argv[1], ProgramUpdate::checkArgument) == 0)
        return check();
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments().mid(1);
    if (arguments.size() == 2 && arguments.first() == QLatin1String("--hold-lock"))
        return holdLock(arguments.last().toInt());
    QFile started(inFolder("started"));
    if (!started.open(QIODevice::WriteOnly | QIODevice::Append))
        return 1;
    const QStringList line = QStringList(QFileInfo(application.applicationFilePath()).fileName())
        + arguments;
    started.write(line.join(QLatin1Char(' ')).toUtf8() + '\n');
    return 0;
}
