#ifndef FUZZSUPPORT_H
#define FUZZSUPPORT_H

// What every fuzz target shares: a headless application started before the
// first input, a scratch folder and the way a broken property is reported. A target reports by aborting,
// so that libFuzzer keeps the input and the replay test fails.

#include <QApplication>
#include <QByteArray>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Inputs above this size are passed over: the readers' own limits are
// tested by the unit tests, and large inputs only slow the search down.
constexpr size_t FuzzMaxInputSize = 256 * 1024;

// Qt's warnings about odd values (a font size of 0, a null pixmap) are
// expected here and would only flood the output.
inline void fuzzMessageHandler(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

// Once per process, before the first input.
inline void fuzzStart()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    qInstallMessageHandler(fuzzMessageHandler);
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    // Lives as long as the process: the inputs run until libFuzzer exits.
    static QApplication *application = new QApplication(argc, argv);
    Q_UNUSED(application);
}

// Each target is one source file that includes this header once.
extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzzStart();
    return 0;
}

// A path in the process's own scratch folder.
inline QString fuzzScratchPath(const QString &name)
{
    static QTemporaryDir folder;
    return folder.filePath(name);
}

[[noreturn]] inline void fuzzFail(const QString &what)
{
    std::fprintf(stderr, "\nProperty broken: %s\n", qPrintable(what));
    std::fflush(stderr);
    std::abort();
}

inline QByteArray fuzzBytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), int(size));
}

#endif // FUZZSUPPORT_H
