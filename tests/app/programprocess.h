#ifndef PROGRAMPROCESS_H
#define PROGRAMPROCESS_H

// Runs the built Loomdraw program as processes of its own, each test in a
// sandbox of fresh folders: a runtime folder (mode 0700, so the program's
// single-instance lock and socket are the test's alone), a home and the XDG
// folders, and a work folder for documents and images.

#include "app/interactivestart.h"
#include "support/childwait.h"

#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>
#include <sys/types.h>

namespace programprocess {

struct Result
{
    bool finished = false;
    int exitCode = -1;
    QProcess::ExitStatus exitStatus = QProcess::CrashExit;
    QByteArray output;
    QByteArray errors;
    qint64 milliseconds = 0;

    bool succeeded() const { return finished && exitStatus == QProcess::NormalExit && exitCode == 0; }
    // The lines the program writes itself ("Loomdraw: ..." and the usage),
    // without the debug lines and the toolkit's own warnings.
    QStringList programLines() const
    {
        QStringList lines;
        for (const QByteArray &line : errors.split('\n')) {
            if (line.startsWith("Loomdraw: ") || line.startsWith("usage: "))
                lines.append(QString::fromUtf8(line));
        }
        return lines;
    }
};

// What a receiving instance reports on one text it has handled.
struct Echo
{
    QString message;
    // The file name (or the title, for a new document) of each tab.
    QStringList views;
    // "<title>: <text>" of each dialog answered while handling the text.
    QStringList dialogs;
};

class Sandbox
{
public:
    Sandbox()
    {
        for (const char *name : {"runtime", "home", "config", "data", "cache", "work"})
            m_valid = m_valid && QDir(m_root.path()).mkdir(name);
        m_valid = m_valid && m_root.isValid()
            && QFile::setPermissions(folder("runtime"), QFile::ReadOwner | QFile::WriteOwner
                                                            | QFile::ExeOwner);
    }

    bool isValid() const { return m_valid; }
    QString folder(const QString &name) const { return QDir(m_root.path()).filePath(name); }
    // A path in the work folder.
    QString path(const QString &name) const { return QDir(folder("work")).filePath(name); }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_RUNTIME_DIR", folder("runtime"));
        environment.insert("HOME", folder("home"));
        environment.insert("XDG_CONFIG_HOME", folder("config"));
        environment.insert("XDG_DATA_HOME", folder("data"));
        environment.insert("XDG_CACHE_HOME", folder("cache"));
        environment.remove(echoMessagesVariable);
        environment.remove(reportStartupVariable);
        return environment;
    }

    // Runs the program to its end, in the work folder unless told otherwise.
    Result run(const QStringList &arguments, const QString &workFolder = QString(),
               const QProcessEnvironment &environment = QProcessEnvironment()) const
    {
        QProcess process;
        prepare(process, workFolder, environment);
        Result result;
        QElapsedTimer clock;
        clock.start();
        process.start(LOOMDRAW_PROGRAM_PATH, arguments);
        result.finished = process.waitForFinished(childWaitMilliseconds);
        result.milliseconds = clock.elapsed();
        if (!result.finished) {
            process.kill();
            process.waitForFinished();
        }
        result.exitCode = process.exitCode();
        result.exitStatus = process.exitStatus();
        result.output = process.readAllStandardOutput();
        result.errors = process.readAllStandardError();
        return result;
    }

    // Starts the instance that receives, with the test hook: it answers its
    // dialogs with Cancel and reports every text it has handled, its own
    // first. Returns it once that first report is there (also in `first`),
    // or null.
    std::unique_ptr<QProcess> startReceiver(const QStringList &arguments = QStringList(),
                                            const QString &workFolder = QString(),
                                            Echo *first = nullptr) const
    {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment environment = this->environment();
        environment.insert(echoMessagesVariable, "1");
        prepare(*process, workFolder, environment);
        process->start(LOOMDRAW_PROGRAM_PATH, arguments);
        if (!process->waitForStarted(childWaitMilliseconds))
            return nullptr;
        Echo echo;
        if (!nextEcho(*process, &echo)) {
            end(*process);
            qWarning().noquote() << "The receiver made no first report; it wrote:"
                                 << QString::fromLocal8Bit(process->readAllStandardError());
            return nullptr;
        }
        if (first)
            *first = echo;
        return process;
    }

private:
    void prepare(QProcess &process, const QString &workFolder,
                 const QProcessEnvironment &environment) const
    {
        process.setWorkingDirectory(workFolder.isEmpty() ? folder("work") : workFolder);
        process.setProcessEnvironment(environment.isEmpty() ? this->environment() : environment);
    }

    QTemporaryDir m_root;
    bool m_valid = true;

public:
    // The next line the process writes to its standard output, without the
    // line end; false when none comes in time or the process ends first.
    static bool readLine(QProcess &process, QByteArray *line)
    {
        QElapsedTimer clock;
        clock.start();
        while (!process.canReadLine()) {
            if (process.state() != QProcess::Running || clock.elapsed() > childWaitMilliseconds)
                return false;
            process.waitForReadyRead(100);
        }
        *line = process.readLine();
        line->chop(1);
        return true;
    }

    // The receiver's report on the next text it has handled: the dialogs it
    // answered meanwhile, the text, and what its tabs then hold.
    static bool nextEcho(QProcess &receiver, Echo *echo)
    {
        *echo = Echo();
        QByteArray line;
        while (readLine(receiver, &line)) {
            if (line.startsWith("dialog: ")) {
                echo->dialogs.append(QString::fromUtf8(line.mid(8)));
            } else if (line.startsWith("message: ")) {
                echo->message = QString::fromUtf8(line.mid(9));
                if (!readLine(receiver, &line) || !line.startsWith("views: "))
                    return false;
                const QString views = QString::fromUtf8(line.mid(7));
                echo->views = views.isEmpty() ? QStringList() : views.split(" | ");
                return true;
            }
        }
        return false;
    }

    // The next text the receiver has handled.
    static bool nextMessage(QProcess &receiver, QString *message)
    {
        Echo echo;
        if (!nextEcho(receiver, &echo))
            return false;
        *message = echo.message;
        return true;
    }

    static void signal(QProcess &process, int number)
    {
        ::kill(pid_t(process.processId()), number);
    }

    // Ends a receiver at once and reaps it, so no zombie keeps its lock.
    static void end(QProcess &process)
    {
        if (process.state() == QProcess::NotRunning)
            return;
        process.kill();
        process.waitForFinished(childWaitMilliseconds);
    }
};

} // namespace programprocess

#endif // PROGRAMPROCESS_H
