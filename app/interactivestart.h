#ifndef INTERACTIVESTART_H
#define INTERACTIVESTART_H

#include <QString>

class CommandLine;
class QCoreApplication;
class QTranslator;
class SingleInstanceApplication;

// The interactive way of the start-up, taken by the first instance of a
// start without options: interface translation, the Black theme, the main
// window with the command line's documents, and the event loop. Returns the
// process exit code.
//
// The main window is not built yet: until it is, the start ends after the
// theme with a note on the error stream, unless the test hook below keeps
// it running.
int startInteractive(SingleInstanceApplication &application, const CommandLine &commandLine);

// Tries "<folder>/<code>.qm" for the codes "CN", then "TW". The first that
// loads is installed with `translator`, which must outlive its use, becomes
// the interface language, and gives the theme font its Chinese family.
// Returns the code, or empty when none loaded (nothing then changes).
QString installInterfaceTranslation(QCoreApplication &application, QTranslator &translator,
                                    const QString &folder);

// Test hook: with this environment variable set, the start writes the text
// it would open to the standard output, as "message: <text>", and then every
// text a later start hands over, in the same form, running until it is
// ended. The first line shows that the instance receives.
inline constexpr const char *echoMessagesVariable = "LOOMDRAW_ECHO_MESSAGES";

#endif // INTERACTIVESTART_H
