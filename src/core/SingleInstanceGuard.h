#pragma once

#include <QLockFile>
#include <QString>

namespace qx {

// One running copy per user: a lock file named after the executable. The copy
// that holds the lock keeps it as long as this object lives. A lock left by a
// copy that crashed or was killed is taken over, and so is anything at the
// lock's path that no copy can be holding (see DeadLockFiles.h); a lock whose
// holder is alive never is. The other copy is only looked at, never touched.
class SingleInstanceGuard {
public:
    // Guards the lock file at lockPath (see defaultLockPath()).
    explicit SingleInstanceGuard(const QString &lockPath);

    // Takes the lock, atomically. True when another copy holds it; false when
    // this copy now holds it, or when the lock cannot be taken at all (a
    // guard that cannot work must not keep the program from starting).
    bool anotherInstanceRunning();

    bool holdsLock() const;
    QString lockPath() const;

    // <cache folder>/<name>/<name>.lock. Every copy of one user finds the
    // same lock whatever its session gives it: copies started through su,
    // sudo -u or some launchers have no XDG_RUNTIME_DIR, so the lock cannot
    // live in the runtime folder; the cache folder is the user's own, never
    // a world-writable one such as /tmp, whose cleaners remove files in use.
    static QString defaultLockPath(const QString &executableBaseName);

private:
    QLockFile m_lock;
};

} // namespace qx
