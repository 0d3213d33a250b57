#pragma once

#include <QLockFile>
#include <QString>

namespace qx {

// One running copy per user: a lock file named after the executable in the
// user's runtime directory. The copy that holds the lock keeps it as long as
// this object lives. A lock left by a copy that crashed or was killed is taken
// over; a lock whose holder is alive never is. The other copy is only looked
// at, never touched.
class SingleInstanceGuard {
public:
    // Guards the lock file at lockPath (see defaultLockPath()).
    explicit SingleInstanceGuard(const QString &lockPath);

    // Takes the lock, atomically. True when another copy holds it; false when
    // this copy now holds it, or when the lock cannot be checked at all (a
    // guard that cannot work must not keep the program from starting).
    bool anotherInstanceRunning();

    bool holdsLock() const;
    QString lockPath() const;

    // <runtime directory>/<name>.lock. Without a usable runtime directory
    // (XDG_RUNTIME_DIR unset or unsuitable) the lock goes to a directory of
    // its own under the user's cache location, never under /tmp, whose
    // cleaners remove files that are still in use.
    static QString defaultLockPath(const QString &executableBaseName);

private:
    QLockFile m_lock;
};

} // namespace qx
