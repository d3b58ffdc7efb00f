#ifndef INTERACTIVESTART_H
#define INTERACTIVESTART_H

#include <QString>

class CommandLine;
class QCoreApplication;
class QTranslator;
class SingleInstanceApplication;

// The interactive way of the start-up, taken by the first instance of a
// start without options: interface translation, the Black theme, the main
// window with the command line's documents (or one new document), texts
// handed over by later starts opened in it, and the event loop until the
// last window closes. Returns the event loop's exit code.
int startInteractive(SingleInstanceApplication &application, const CommandLine &commandLine);

// Tries "<folder>/<code>.qm" for the codes "CN", then "TW". The first that
// loads is installed with `translator`, which must outlive its use, becomes
// the interface language, and gives the theme font its Chinese family.
// Returns the code, or empty when none loaded (nothing then changes).
QString installInterfaceTranslation(QCoreApplication &application, QTranslator &translator,
                                    const QString &folder);

// Test hook: with this environment variable set, the start answers every
// skinned dialog with Cancel, writing "dialog: <title>: <text>" to the
// standard output, and after the window has handled its own text and then
// each text a later start hands over, writes "message: <text>" and
// "views: <file name or title of each tab, in order, joined by " | ">".
// The first "message: " line shows that the instance receives.
inline constexpr const char *echoMessagesVariable = "LOOMDRAW_ECHO_MESSAGES";

// Benchmark hook: with this environment variable set, the start writes
// "shown <ms>" once the window shows its documents and "painted <ms>" once
// the current tab has been painted for the first time (milliseconds since
// the epoch), and then ends with 0.
inline constexpr const char *reportStartupVariable = "LOOMDRAW_REPORT_STARTUP";

#endif // INTERACTIVESTART_H
