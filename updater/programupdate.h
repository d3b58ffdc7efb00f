#ifndef PROGRAMUPDATE_H
#define PROGRAMUPDATE_H

#include "model/httphelpers.h"

#include <QCoreApplication>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QLockFile;

// One update of the drawing program in its folder: download the new program
// file, check that it runs, wait for the old program to end, keep the old
// file as the backup, put the new one in its place and start it.
//
// Files in the folder: "Loomdraw" (the program), "Loomdraw_new" (this run's
// download), "Loomdraw_bak" (the backup, at most one; each update replaces
// it), "Loomdraw_bak_new" (the old program's second name until it becomes
// the backup) and "LoomdrawUpdate.lock" (held for the whole run, so that a
// second updater changes nothing).
//
// Only a whole program is installed: a download that the server answered
// with 200, that announced its length and delivered all of it uncompressed
// within its deadline, and that starts with the signature of a program file.
// It is written as "Loomdraw_new", made executable (0755 less the umask)
// and run once in the check mode below; only a program that passes it is
// put in place. A new file left by an earlier run is deleted first and never
// installed.
//
// The check mode: "Loomdraw_new -exportimage" with no document. A working
// program prints the usage of its batch export on its standard error and
// ends with exit code 2 at once, before it builds any application object:
// it needs no display, opens no window and touches no file. It runs without
// a display (on the offscreen platform), and anything else (another exit
// code, a crash, no end within checkTimeoutMs) fails the check.
//
// The swap keeps a program in place at every moment: the old file gets its
// second name by a hard link (a copy where links fail), the new file takes
// the program's name by one rename over it, and only once the new program
// has started does the old one's second name replace the previous backup.
// A new program that cannot be started is replaced by the old one again
// (one rename back), which is started in its place; the previous backup then
// stays. Killed at any point, the updater leaves a runnable "Loomdraw"; the
// next run removes what it left beside it.
//
// Owns the folder's lock while a run is under way: from run() until it
// returns anything but OldProgramRunning, or until abandon() or the end of
// the object (which abandons). Movable, not copyable.
class ProgramUpdate
{
    Q_DECLARE_TR_FUNCTIONS(ProgramUpdate)

public:
    enum class Result {
        Installed,          // the new program is in place and started
        OldProgramRunning,  // the old program did not end within the wait;
                            // nothing is swapped yet: resume() or abandon()
        AlreadyRunning,     // another updater holds the folder; nothing changed
        DownloadFailed,     // no whole program arrived; nothing changed
        UpdateFailed,       // the new program failed its check, or could not
                            // be put in place or started; the old one is in place
    };

    // The points between two changes of the folder, in the order a run
    // reaches them; a step hook sees each (the tests stop the run there).
    enum class Step { Locked, Downloaded, Checked, BackupLinked, Replaced, Started };
    using StepHook = std::function<void(Step)>;

    static constexpr int defaultInstanceWaitMs = 30000;
    // After the user was asked to close the old program: how long it may
    // take to end.
    static constexpr int defaultRetryWaitMs = 3000;
    static constexpr int defaultCheckTimeoutMs = 10000;
    // Far above any program file; a larger answer is not one.
    static constexpr qint64 maxProgramSize = 512LL * 1024 * 1024;
    // The check mode: the argument and the exit code of a program that
    // works.
    static constexpr const char *checkArgument = "-exportimage";
    static constexpr int checkExitCode = 2;
    // Replaces defaultInstanceWaitMs in forThisProgram(), for the tests.
    static constexpr const char *instanceWaitVariable = "LOOMDRAW_UPDATE_WAIT_MS";

    // Updates the program in `folder` from `downloadUrl`; an empty address
    // fails without sending anything.
    ProgramUpdate(const QString &folder, const QString &downloadUrl);
    // The program beside this updater, from the configured download base.
    static ProgramUpdate forThisProgram();
    ProgramUpdate(ProgramUpdate &&other);
    ProgramUpdate &operator=(ProgramUpdate &&other) = delete;
    ~ProgramUpdate();

    QString folder() const { return m_folder; }
    QString downloadUrl() const { return m_downloadUrl; }
    // The bounds of the download: idle time, deadline, size.
    HttpDownloadLimits downloadLimits() const { return m_downloadLimits; }
    void setDownloadLimits(const HttpDownloadLimits &limits) { m_downloadLimits = limits; }
    // How long the old program may take to end: in run(), and in resume().
    void setInstanceWait(int milliseconds) { m_instanceWaitMs = milliseconds; }
    void setRetryWait(int milliseconds) { m_retryWaitMs = milliseconds; }
    void setCheckTimeout(int milliseconds) { m_checkTimeoutMs = milliseconds; }
    void setStepHook(StepHook hook) { m_stepHook = std::move(hook); }

    // The update up to the swap; then the swap, once the old program has
    // ended. Blocks, but serves the event loop while it waits (the window
    // stays painted); the application quitting meanwhile fails the update.
    // Called again while the old program is waited for, it resumes.
    Result run();
    // After OldProgramRunning: looks again, waiting at most the retry wait,
    // and swaps once the old program has ended.
    Result resume();
    // After OldProgramRunning: drops the download and lets the folder go.
    void abandon();
    // Why the last run did not install, for the log and the window's tool
    // tip; empty after Installed.
    QString failure() const { return m_failure; }

    // The paths of the files.
    QString programPath() const;
    QString newProgramPath() const;
    QString backupPath() const;
    QString backupInProgressPath() const;
    QString lockPath() const;

private:
    enum class Wait { Ended, StillRunning, Stopped };

    bool setFailure(const QString &reason);
    Result finish(Result result);
    void step(Step reached) const;
    // Nothing once the folder is locked; else what the run ends with.
    std::optional<Result> lockFolder();
    bool removeLeftovers();
    bool download();
    bool checkNewProgram();
    Wait waitForOldProgram(int milliseconds) const;
    Result afterWait(Wait wait);
    Result install();
    Result takeBack(bool hadProgram);
    void release();

    QString m_folder;
    QString m_downloadUrl;
    HttpDownloadLimits m_downloadLimits;
    int m_instanceWaitMs = defaultInstanceWaitMs;
    int m_retryWaitMs = defaultRetryWaitMs;
    int m_checkTimeoutMs = defaultCheckTimeoutMs;
    StepHook m_stepHook;
    std::unique_ptr<QLockFile> m_lock;
    QString m_failure;
};

#endif // PROGRAMUPDATE_H
