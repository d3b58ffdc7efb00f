// The program that the fake web service serves to the updater's tests, and
// that they also put in place as the old program. Started with no
// arguments (as the updater starts it) it appends a line to the file
// "started" in its folder: its file name, then any arguments. Started as "--hold-lock <ms>" it is an old
// program still running: it holds the single-instance lock of its file for
// that long, having written "holding"; before it lets go it writes
// "released", holding "unchanged" when the program file of its folder still
// has the bytes it had at the start, else "changed".
#include "app/instancelock.h"
#include "app/programfiles.h"
#include "model/filehelpers.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QThread>

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
    QThread::msleep(ulong(milliseconds));
    writeWholeFile(inFolder("released"),
                   readWholeFile(program) == before ? "unchanged" : "changed");
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
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
