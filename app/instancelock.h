#ifndef INSTANCELOCK_H
#define INSTANCELOCK_H

#include <QString>

// Where the single instance of a program file keeps its lock and its socket,
// and whether a live instance holds that lock. The drawing program takes the
// lock (SingleInstanceApplication); the updater waits for it to be free
// before it replaces the program file.
//
// Both live in the user's runtime folder, named after the program file's
// canonical path, so each installed copy of the program has its own. The
// lock is held by a live process only: one whose holder has died is free.
// No state.

// "<runtime folder>/Loomdraw-<hash of the path>.lock" and ".socket" for the
// program file at `programFilePath`; empty without a runtime folder.
QString instanceLockPath(const QString &programFilePath);
QString instanceSocketPath(const QString &programFilePath);

// True while a live instance of that program file holds its lock.
bool instanceIsRunning(const QString &programFilePath);

#endif // INSTANCELOCK_H
