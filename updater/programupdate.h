#ifndef PROGRAMUPDATE_H
#define PROGRAMUPDATE_H

#include <QCoreApplication>
#include <QString>

// One update of the drawing program in its folder: download the new program
// file, wait for the old program to end, keep the old file as the backup,
// put the new one in its place and start it.
//
// Files in the folder: "Loomdraw" (the program), "Loomdraw_new" (this run's
// download) and "Loomdraw_bak" (the backup, at most one; each update
// replaces it).
//
// Only a download that the server answered with 200 and that starts with the
// signature of a program file is installed, and only once every byte of it
// is on disk; a new file left by an earlier run is deleted first and never
// installed. Whatever fails, the folder keeps a program: the old file is
// moved aside only once its backup is made, and a new program that cannot be
// started is replaced by the backup again, which is started in its place.
//
// A plain value: the folder, the address and the bounds. run() blocks, but
// serves the event loop while it waits (the window stays painted).
class ProgramUpdate
{
    Q_DECLARE_TR_FUNCTIONS(ProgramUpdate)

public:
    static constexpr int defaultInstanceWaitMs = 30000;
    static constexpr int defaultIdleTimeoutMs = 30000;
    // Far above any program file; a larger answer is not one.
    static constexpr qint64 maxProgramSize = 512LL * 1024 * 1024;
    // Replaces defaultInstanceWaitMs in forThisProgram(), for the tests.
    static constexpr const char *instanceWaitVariable = "LOOMDRAW_UPDATE_WAIT_MS";

    // Updates the program in `folder` from `downloadUrl`; an empty address
    // fails without sending anything.
    ProgramUpdate(const QString &folder, const QString &downloadUrl);
    // The program beside this updater, from the configured download base.
    static ProgramUpdate forThisProgram();

    QString folder() const { return m_folder; }
    QString downloadUrl() const { return m_downloadUrl; }
    // How long the old program may take to end before the swap goes ahead
    // all the same.
    void setInstanceWait(int milliseconds) { m_instanceWaitMs = milliseconds; }
    // How long the download may stall before it counts as failed.
    void setIdleTimeout(int milliseconds) { m_idleTimeoutMs = milliseconds; }

    // True once the new program is in place and started. False otherwise,
    // with the reason in failure(); the folder then holds the old program
    // (started again when the new one could not be).
    bool run();
    QString failure() const { return m_failure; }

    // The paths of the three files.
    QString programPath() const;
    QString newProgramPath() const;
    QString backupPath() const;

private:
    bool fail(const QString &reason);
    bool removeLeftover();
    bool download();
    // False when the application quit meanwhile.
    bool waitForOldInstance() const;
    bool swap(bool *hadProgram);
    bool start(bool hadProgram);

    QString m_folder;
    QString m_downloadUrl;
    int m_instanceWaitMs = defaultInstanceWaitMs;
    int m_idleTimeoutMs = defaultIdleTimeoutMs;
    QString m_failure;
};

#endif // PROGRAMUPDATE_H
