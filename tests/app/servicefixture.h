#ifndef SERVICEFIXTURE_H
#define SERVICEFIXTURE_H

// For the main-window tests that talk to the web service. The service's
// addresses are fixed when the program starts, and the hand-off to the
// updater ends the program's event loop, so each scenario runs in a child
// run of the test program itself: started with the scenario's name in
// `scenarioVariable`, LOOMDRAW_SERVICE_BASE pointing at the test's fake
// service (support/fakeservice.h), and a sandbox of its own: a home, the
// configuration folder of the user settings, a runtime folder, and a
// program folder holding a link to the test program, so that the child's
// program folder (where the updater is looked for) is the sandbox's.
//
// The child reports on its standard output, one "<key>: <value>" line each;
// the parent checks the lines and the fake service's request log.

#include "support/fakeservice.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextStream>

#include <unistd.h>

namespace servicefixture {

// Set in a child run: the name of the scenario it runs.
const char *const scenarioVariable = "LOOMDRAW_TEST_SCENARIO";
// A bound, not an expected duration: the sanitizer build starts slowly.
const int childBoundMs = 90000;

// One report line of a child run.
inline void report(const QString &key, const QString &value)
{
    QTextStream(stdout) << key << ": " << QString(value).replace(QLatin1Char('\n'), QLatin1String("\\n"))
                        << '\n';
}

struct ChildRun
{
    bool finished = false;
    int exitCode = -1;
    QStringList lines;
    QByteArray errors;

    // The values of the lines with this key, in order.
    QStringList values(const QString &key) const
    {
        const QString prefix = key + QLatin1String(": ");
        QStringList found;
        for (const QString &line : lines) {
            if (line.startsWith(prefix))
                found.append(line.mid(prefix.size()));
        }
        return found;
    }
    QString value(const QString &key) const { return values(key).value(0); }
};

class Sandbox
{
public:
    Sandbox()
    {
        for (const char *name : {"program folder", "runtime", "home", "config"})
            m_valid = m_valid && QDir(m_root.path()).mkdir(QLatin1String(name));
        m_valid = m_valid && m_root.isValid()
            && QFile::setPermissions(folder("runtime"),
                                     QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    bool isValid() const { return m_valid; }
    QString folder(const QString &name) const { return QDir(m_root.path()).filePath(name); }
    // With a blank in its name, as many are.
    QString programFolder() const { return folder("program folder"); }
    QString inProgramFolder(const QString &name) const { return QDir(programFolder()).filePath(name); }
    QString settingsFile() const { return folder("config") + QLatin1String("/Loomdraw/Loomdraw.ini"); }

    QByteArray readSettings() const
    {
        QFile file(settingsFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    bool writeSettings(const QByteArray &bytes) const
    {
        QDir().mkpath(QFileInfo(settingsFile()).path());
        QFile file(settingsFile());
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

    // A file in the program folder, e.g. a stand-in for the updater.
    bool writeProgramFile(const QString &name, const QByteArray &bytes,
                          QFileDevice::Permissions permissions) const
    {
        QFile file(inProgramFolder(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()
            && file.setPermissions(permissions);
    }

    // Runs `scenario` in a child run of this test program, from the program
    // folder, against the service at `serviceBase`.
    ChildRun run(const QString &scenario, const QString &serviceBase) const
    {
        ChildRun result;
        const QString program = inProgramFolder(QFileInfo(QCoreApplication::applicationFilePath()).fileName());
        if (!QFileInfo::exists(program) && !linkTestProgram(program))
            return result;
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QLatin1String(scenarioVariable), scenario);
        environment.insert("LOOMDRAW_SERVICE_BASE", serviceBase);
        environment.insert("HOME", folder("home"));
        environment.insert("XDG_CONFIG_HOME", folder("config"));
        environment.insert("XDG_RUNTIME_DIR", folder("runtime"));
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        child.setProcessEnvironment(environment);
        child.setWorkingDirectory(programFolder());
        child.start(program, QStringList());
        result.finished = child.waitForFinished(childBoundMs);
        if (!result.finished) {
            child.kill();
            child.waitForFinished(childBoundMs);
        }
        result.exitCode = child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -1;
        for (const QByteArray &line : child.readAllStandardOutput().split('\n')) {
            if (!line.isEmpty())
                result.lines.append(QString::fromUtf8(line));
        }
        result.errors = child.readAllStandardError();
        return result;
    }

private:
    // A hard link where the folders share a file system, else a copy.
    static bool linkTestProgram(const QString &target)
    {
        const QString self = QCoreApplication::applicationFilePath();
        if (::link(QFile::encodeName(self).constData(), QFile::encodeName(target).constData()) == 0)
            return true;
        return QFile::copy(self, target);
    }

    QTemporaryDir m_root;
    bool m_valid = true;
};

// The requests of the service to this path, in order.
inline QList<QJsonObject> requestsTo(const FakeService &service, const QString &path)
{
    QList<QJsonObject> found;
    for (const QJsonObject &request : service.requests()) {
        if (request.value("path").toString() == path)
            found.append(request);
    }
    return found;
}

// "METHOD path" of every request, in order.
inline QStringList requestLines(const FakeService &service)
{
    QStringList lines;
    for (const QJsonObject &request : service.requests())
        lines.append(request.value("method").toString() + QLatin1Char(' ') + request.value("path").toString());
    return lines;
}

} // namespace servicefixture

#endif // SERVICEFIXTURE_H
