#pragma once

#include <QByteArray>
#include <QString>

namespace qx {

// One running copy per user and machine. The copy that runs holds an
// exclusive flock() on a file in the user's cache folder, through a
// descriptor it keeps open (close-on-exec, so that no program it starts
// inherits the lock) for as long as this object lives. The kernel lets the
// lock go however the process ends, so a lock nobody holds cannot exist and
// nothing is ever judged stale: the guard never removes, truncates, renames
// or writes anything at the lock's path, and the file has no content
// (fuser and lsof name the holder). The other copy is only looked at.
class SingleInstanceGuard {
public:
    // Guards the lock file at lockPath (see defaultLockPath()).
    explicit SingleInstanceGuard(const QString &lockPath);
    ~SingleInstanceGuard();
    SingleInstanceGuard(const SingleInstanceGuard &) = delete;
    SingleInstanceGuard &operator=(const SingleInstanceGuard &) = delete;

    // Takes the lock. True when another copy holds it; false when this copy
    // now holds it, or when the lock cannot be taken at all: whatever lies at
    // the path that is not a regular file of this user's (a link, a FIFO, a
    // folder, a socket, another user's file), a folder of another user's or
    // one everyone may write to, a file system without locks. A guard that
    // cannot work must not keep the program from starting.
    bool anotherInstanceRunning();

    bool holdsLock() const;

    // <cache folder>/<name>/<name>-<machine>.lock, where <machine> is a keyed
    // hash of the machine id: systemd's (in systemdIdFile), else D-Bus's, else
    // the host name. Every copy of one user on one machine finds the same
    // lock whatever its session gives it (copies started through su, sudo -u
    // or some launchers have no XDG_RUNTIME_DIR); copies on two machines that
    // share a home folder never meet; the machine id itself is never written
    // into a folder other machines may read.
    static QString defaultLockPath(const QString &executableBaseName,
                                   const QString &systemdIdFile = QStringLiteral("/etc/machine-id"));
    // The lock's file name for the given machine id.
    static QString lockFileName(const QString &executableBaseName, const QByteArray &machineId);

private:
    QString m_lockPath;
    int m_file = -1; // the locked descriptor, or -1
};

} // namespace qx
