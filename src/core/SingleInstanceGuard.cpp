#include "core/SingleInstanceGuard.h"

#include "core/DeadLockFiles.h"
#include "core/UserDirectories.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

namespace qx {

namespace {

// The lock's folder, made for this user alone if need be; false when it is
// not a folder of this user's or everyone may write to it, as another user
// could then take or block the lock.
bool prepareLockFolder(const QString &folder)
{
    QDir().mkpath(QFileInfo(folder).absolutePath());
    const QByteArray name = QFile::encodeName(folder);
    ::mkdir(name.constData(), 0700);
    struct stat status = {};
    return ::stat(name.constData(), &status) == 0 && S_ISDIR(status.st_mode) && status.st_uid == ::getuid()
           && (status.st_mode & S_IWOTH) == 0;
}

bool isOtherThanFile(const QString &path)
{
    struct stat status = {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && !S_ISREG(status.st_mode);
}

// A lock file records the holder's PID and the application name. On Linux,
// QLockFile counts a lock as stale when the process with that PID runs an
// executable whose file name differs from the recorded name (the PID was
// reused). Record the executable's own file name while locking, so that the
// lock of a live copy never looks stale, whatever the application name is.
class ExecutableNameAsApplicationName {
public:
    ExecutableNameAsApplicationName()
    {
        if (!QCoreApplication::instance())
            return;
        const QString executable = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
        if (executable.isEmpty() || executable == QCoreApplication::applicationName())
            return;
        m_saved = QCoreApplication::applicationName();
        m_changed = true;
        QCoreApplication::setApplicationName(executable);
    }
    ~ExecutableNameAsApplicationName()
    {
        if (m_changed)
            QCoreApplication::setApplicationName(m_saved);
    }
    ExecutableNameAsApplicationName(const ExecutableNameAsApplicationName &) = delete;
    ExecutableNameAsApplicationName &operator=(const ExecutableNameAsApplicationName &) = delete;

private:
    QString m_saved;
    bool m_changed = false;
};

} // namespace

SingleInstanceGuard::SingleInstanceGuard(const QString &lockPath)
    : m_lock(lockPath)
{
    // Only a dead holder makes a lock stale, never its age.
    m_lock.setStaleLockTime(0);
}

bool SingleInstanceGuard::anotherInstanceRunning()
{
    if (m_lock.isLocked())
        return false;
    if (!prepareLockFolder(QFileInfo(lockPath()).absolutePath()))
        return false;
    removeDeadLockFile(lockPath());
    const ExecutableNameAsApplicationName recordedName;
    if (m_lock.tryLock(0))
        return false;
    // A copy's lock is a regular file (or none for a moment, while a copy
    // replaces a stale one); what could not be removed from the path (a
    // folder with files in it) is no copy, and the lock cannot be taken.
    return m_lock.error() == QLockFile::LockFailedError && !isOtherThanFile(lockPath());
}

bool SingleInstanceGuard::holdsLock() const
{
    return m_lock.isLocked();
}

QString SingleInstanceGuard::lockPath() const
{
    return m_lock.fileName();
}

QString SingleInstanceGuard::defaultLockPath(const QString &executableBaseName)
{
    return userCacheDirectory() + QLatin1Char('/') + executableBaseName + QLatin1Char('/')
           + executableBaseName + QStringLiteral(".lock");
}

} // namespace qx
