#include "core/SingleInstanceGuard.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace qx {

namespace {

QString runtimeDirectory()
{
    // Without a usable XDG_RUNTIME_DIR, Qt falls back to a directory under
    // /tmp; take the runtime directory only when it is the one the session set.
    const QString fromSession = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (fromSession.isEmpty())
        return {};
    const QString directory = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (directory.isEmpty() || QDir::cleanPath(directory) != QDir::cleanPath(fromSession))
        return {};
    return directory;
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
    const QFileInfo file(lockPath());
    QDir().mkpath(file.absolutePath());
    const ExecutableNameAsApplicationName recordedName;
    if (m_lock.tryLock(0))
        return false;
    return m_lock.error() == QLockFile::LockFailedError;
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
    QString directory = runtimeDirectory();
    if (directory.isEmpty()) {
        directory = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
        if (directory.isEmpty())
            directory = QDir::homePath() + QStringLiteral("/.cache");
        directory += QLatin1Char('/') + executableBaseName;
    }
    return directory + QLatin1Char('/') + executableBaseName + QStringLiteral(".lock");
}

} // namespace qx
