#pragma once

#include <QString>

namespace qx {

// What lies at a lock file's path (QLockFile's format: the holder's PID on
// the first line) when no program can be holding it: anything but a regular
// file (a FIFO, on which QLockFile would wait for ever; a directory; a
// socket), a file too large to be a lock, or one that has lain there for a
// few seconds without a PID in it (a holder killed between creating and
// writing it, garbage, PID 0 or -1).
bool isStaleLockFile(const QString &path);

// Removes a stale lock file (a directory only when it is empty), under
// path + ".rmlock" as QLockFile removes stale ones, so that a lock another
// program has just taken is never removed. A live lock stays.
void removeStaleLockFile(const QString &path);

} // namespace qx
