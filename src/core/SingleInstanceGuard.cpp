#include "core/SingleInstanceGuard.h"

#include "core/UserDirectories.h"

#include <QFile>
#include <QFileInfo>
#include <QMessageAuthenticationCode>
#include <QSysInfo>

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qx {

namespace {

// Keys the machine id's hash, so that the lock's name tells nothing that
// another program could match against the machine id.
constexpr char MachineKey[] = "qx-friendship-one-copy-lock/7c1e5a90d3b24f68";

// The machine's id: systemd's, else D-Bus's (which Qt reads), else the host name.
QByteArray machineId(const QString &systemdIdFile)
{
    QFile file(systemdIdFile);
    if (file.open(QIODevice::ReadOnly))
        if (const QByteArray id = file.read(64).trimmed(); !id.isEmpty())
            return id;
    if (const QByteArray id = QSysInfo::machineUniqueId(); !id.isEmpty())
        return id;
    return QSysInfo::machineHostName().toUtf8();
}

// The lock's folder, made for this user alone if need be (see
// makeUserFolder()); false when it is missing, not a folder of this user's or
// one everyone may write to, as another user could then take or block the lock.
bool prepareLockFolder(const QString &folder)
{
    makeUserFolder(folder);
    const QByteArray name = QFile::encodeName(folder);
    struct stat status = {};
    return ::stat(name.constData(), &status) == 0 && S_ISDIR(status.st_mode) && status.st_uid == ::getuid()
           && (status.st_mode & S_IWOTH) == 0;
}

// Opens the lock file without following a link, without truncating and
// without blocking (on a FIFO); a file made here is the owner's to read and
// write whatever the umask. Opened for writing, which a lock on a network
// file system needs, or else for reading: a lock file an older version made
// under a strict umask, or a cache folder that a sandbox binds read-only (a
// lock on a descriptor opened for reading works there, and meets the lock of
// a copy outside). -1 when that fails or what lies at the path is not a
// regular file of this user's.
int openLockFile(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    constexpr int flags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
    int file = ::open(name.constData(), O_WRONLY | flags | O_CREAT | O_EXCL, 0600);
    if (file >= 0)
        ::fchmod(file, 0600);
    else if (errno == EEXIST)
        file = ::open(name.constData(), O_WRONLY | flags);
    if (file < 0 && (errno == EACCES || errno == EROFS))
        file = ::open(name.constData(), O_RDONLY | flags);
    if (file < 0)
        return -1;
    struct stat status = {};
    if (::fstat(file, &status) != 0 || !S_ISREG(status.st_mode) || status.st_uid != ::getuid()) {
        ::close(file);
        return -1;
    }
    return file;
}

} // namespace

SingleInstanceGuard::SingleInstanceGuard(const QString &lockPath)
    : m_lockPath(lockPath)
{
}

SingleInstanceGuard::~SingleInstanceGuard()
{
    if (m_file >= 0)
        ::close(m_file);
}

bool SingleInstanceGuard::anotherInstanceRunning()
{
    if (m_file >= 0)
        return false;
    if (!prepareLockFolder(QFileInfo(m_lockPath).absolutePath()))
        return false;
    const int file = openLockFile(m_lockPath);
    if (file < 0)
        return false;
    if (::flock(file, LOCK_EX | LOCK_NB) == 0) {
        m_file = file;
        return false;
    }
    const bool heldByAnother = errno == EWOULDBLOCK;
    ::close(file);
    return heldByAnother;
}

bool SingleInstanceGuard::holdsLock() const
{
    return m_file >= 0;
}

QString SingleInstanceGuard::defaultLockPath(const QString &executableBaseName, const QString &systemdIdFile)
{
    return userCacheDirectory() + QLatin1Char('/') + executableBaseName + QLatin1Char('/')
           + lockFileName(executableBaseName, machineId(systemdIdFile));
}

QString SingleInstanceGuard::lockFileName(const QString &executableBaseName, const QByteArray &machineId)
{
    const QByteArray hash = QMessageAuthenticationCode::hash(machineId, QByteArrayLiteral(MachineKey),
                                                             QCryptographicHash::Sha256);
    return executableBaseName + QLatin1Char('-') + QString::fromLatin1(hash.toHex().left(16)) + QStringLiteral(".lock");
}

} // namespace qx
