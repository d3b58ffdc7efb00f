#ifndef SUPPORT_XSERVER_H
#define SUPPORT_XSERVER_H

// Real drags need a window system that runs them: the offscreen platform
// does not. A test that makes one runs itself on an X server; called from
// the offscreen run it starts this program again under xvfb-run, for that
// one test function, and reports how that went.

#include "support/childwait.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QString>

struct XServerRun
{
    bool skipped = false; // no X server and no xvfb-run
    bool passed = false;
    QString output;
};

inline bool onXServer()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

// Runs the test function of this program under a virtual X server; it
// passed when the child ended well and Qt Test reported it passed.
inline XServerRun runUnderXServer(const QString &testClass, const QString &function)
{
    XServerRun run;
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
    if (xvfb.isEmpty()) {
        run.skipped = true;
        return run;
    }
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    // On X the GL drivers are loaded, leak their start-up allocations and
    // are unloaded before the leak check: the fast unwinder's stacks end in
    // the unloaded driver, and only the full one reaches a library the
    // suppressions name. The child runs one short test function.
    const QString sanitizer = environment.value(QStringLiteral("ASAN_OPTIONS"));
    if (!sanitizer.isEmpty())
        environment.insert(QStringLiteral("ASAN_OPTIONS"), sanitizer + QStringLiteral(":fast_unwind_on_malloc=0"));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(xvfb, {QStringLiteral("-a"), QCoreApplication::applicationFilePath(), function});
    const bool finished = child.waitForFinished(childWaitMilliseconds);
    if (!finished) {
        child.kill();
        child.waitForFinished(5000);
    }
    run.output = QString::fromLocal8Bit(child.readAll());
    run.passed = finished && child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0
        && run.output.contains(QStringLiteral("PASS   : %1::%2()").arg(testClass, function));
    return run;
}

#endif // SUPPORT_XSERVER_H
