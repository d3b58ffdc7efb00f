#include "app/qmain.h"

#include "app/batchimageexport.h"
#include "app/commandline.h"
#include "app/interactivestart.h"
#include "app/programfiles.h"
#include "app/singleinstanceapplication.h"

#include <QTextStream>

namespace {

const int handOverTimeoutMilliseconds = 5000;

// The platform is not the environment's to choose: an export needs no
// display, and a display that is named but gone (a stale DISPLAY) would end
// the process with an abort in the platform plugin.
void useOffscreenPlatform()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
}

// The start and the export, for -h and --help and beside an unknown option.
QString programUsage()
{
    return QStringLiteral("usage: %1 [DOCUMENT...]\n").arg(QLatin1String(ProgramFiles::program))
        + BatchImageExport::usage();
}

int runCommandMode(const CommandLine &commandLine, int &argc, char **argv)
{
    QTextStream errors(stderr);
    const QStringList unknown = commandLine.unknownOptions();
    if (!unknown.isEmpty()) {
        errors << ProgramFiles::program << ": unknown option \"" << unknown.first() << "\"\n"
               << programUsage() << '\n';
        return BatchImageExport::Usage;
    }
    if (commandLine.asksForHelp()) {
        QTextStream(stdout) << programUsage() << '\n';
        return BatchImageExport::Succeeded;
    }
    if (!commandLine.isValidImageExport()) {
        errors << BatchImageExport::usage() << '\n';
        return BatchImageExport::Usage;
    }
    useOffscreenPlatform();
    // Never asks whether another instance runs, so it never receives texts.
    SingleInstanceApplication application(argc, argv);
    return BatchImageExport::run(commandLine.documents(), commandLine.images(),
                                 commandLine.drawsFrame(), errors);
}

int handOver(SingleInstanceApplication &application, const CommandLine &commandLine)
{
    if (application.sendMessage(commandLine.absoluteMessage(), handOverTimeoutMilliseconds))
        return 0;
    QTextStream errors(stderr);
    errors << ProgramFiles::program << ": the running instance did not answer within "
           << handOverTimeoutMilliseconds / 1000 << " seconds";
    if (!commandLine.documents().isEmpty())
        errors << "; not opened: " << commandLine.documents().join(QLatin1String(", "));
    errors << '\n';
    return 1;
}

} // namespace

int qMain(int argc, char **argv)
{
    const CommandLine commandLine = CommandLine::fromArguments(argc, argv);
    if (commandLine.isCommandMode())
        return runCommandMode(commandLine, argc, argv);
    SingleInstanceApplication application(argc, argv);
    if (application.isRunning())
        return handOver(application, commandLine);
    return startInteractive(application, commandLine);
}
