#ifndef PROGRAMFILES_H
#define PROGRAMFILES_H

// Every name of a program file, of a file the programs exchange and of the
// per-user stores, in one place. On Linux programs carry no ".exe"; the
// Windows name of each stands beside it, so the two stay traceable.
//
// Header only: plain constants, no state.

namespace ProgramFiles {

// The drawing program.                         Windows: "Loomdraw.exe"
inline constexpr const char *program = "Loomdraw";
// The self-updater, looked up in the program's folder.
//                                              Windows: "LoomdrawUpdate.exe"
inline constexpr const char *updater = "LoomdrawUpdate";

// The updater's files in the program's folder: the download of the new
// program and the backup of the old one.
//                                              Windows: "Loomdraw_new.exe"
inline constexpr const char *newProgram = "Loomdraw_new";
//                                              Windows: "Loomdraw_bak.exe"
inline constexpr const char *programBackup = "Loomdraw_bak";
// The old program's second name while it becomes the backup: it takes the
// backup's name only once the new program runs.
//                                              Windows: "Loomdraw_bak_new.exe"
inline constexpr const char *programBackupInProgress = "Loomdraw_bak_new";
// The lock an updater holds in the program's folder for its whole run.
//                                              Windows: "LoomdrawUpdate.lock"
inline constexpr const char *updateLock = "LoomdrawUpdate.lock";
// Where the web service keeps the program file, below its base address.
//                                              Windows: "/files/Loomdraw.exe"
inline constexpr const char *programDownloadPath = "/files/Loomdraw";

// The first bytes of every program file: the updater installs nothing else.
//                                              Windows: "MZ"
inline constexpr char programSignature[] = "\x7f" "ELF";

// Interface translations beside the program: "%1/%2.qm" with the program's
// folder and a language code, tried in the order of the codes.
inline constexpr const char *translationFilePattern = "%1/%2.qm";
inline constexpr const char *translationCodes[] = {"CN", "TW"};

// The per-user stores. The single-instance lock and socket live in the
// user's runtime folder under names made from `instancePrefix`; the user
// settings are the INI file "<settingsFolder>/<settingsName>.ini" in the
// user's configuration folder ($XDG_CONFIG_HOME).
inline constexpr const char *instancePrefix = "Loomdraw";
inline constexpr const char *settingsFolder = "Loomdraw";
inline constexpr const char *settingsName = "Loomdraw";

} // namespace ProgramFiles

#endif // PROGRAMFILES_H
