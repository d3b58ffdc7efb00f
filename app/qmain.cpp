#include "app/qmain.h"

#include "app/batchimageexport.h"
#include "app/commandline.h"
#include "app/interactivestart.h"
#include "app/programfiles.h"
#include "app/singleinstanceapplication.h"

#include <QTextStream>

namespace {

const int handOverTimeoutMilliseconds = 5000;

void useOffscreenPlatformWithoutDisplay()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

int runCommandMode(const CommandLine &commandLine, int &argc, char **argv)
{
    if (!commandLine.asksForImageExport())
        return 0;
    QTextStream errors(stderr);
    if (!commandLine.isValidImageExport()) {
        errors << BatchImageExport::usage() << '\n';
        return BatchImageExport::Usage;
    }
    useOffscreenPlatformWithoutDisplay();
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
