#include "core/StaleLockFiles.h"

#include <QDateTime>
#include <QFile>
#include <QLockFile>

#include <array>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qx {

namespace {

// A lock file holds a PID, an application name and a host name.
constexpr qint64 MaxLockFileSize = 4096;
// How long a program may take between creating its lock file and writing its PID.
constexpr qint64 WritingSeconds = 5;

bool holdsPid(const QString &path)
{
    const int file = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (file < 0)
        return false;
    // The first bytes, however few each read gives.
    std::array<char, 32> start{};
    std::size_t length = 0;
    ssize_t count = 0;
    while (length != start.size() && (count = ::read(file, start.data() + length, start.size() - length)) > 0)
        length += static_cast<std::size_t>(count);
    ::close(file);
    bool isNumber = false;
    const qint64 pid =
        QByteArray(start.data(), static_cast<qsizetype>(length)).split('\n').constFirst().toLongLong(&isNumber);
    return isNumber && pid > 0;
}

void removeEntry(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat status = {};
    if (::lstat(name.constData(), &status) == 0 && S_ISDIR(status.st_mode))
        ::rmdir(name.constData());
    else
        ::unlink(name.constData());
}

} // namespace

bool isStaleLockFile(const QString &path)
{
    struct stat status = {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return false;
    if (!S_ISREG(status.st_mode) || status.st_size > MaxLockFileSize)
        return true;
    const qint64 age = QDateTime::currentSecsSinceEpoch() - status.st_mtime;
    return qAbs(age) > WritingSeconds && !holdsPid(path);
}

void removeStaleLockFile(const QString &path)
{
    if (!isStaleLockFile(path))
        return;
    // The removal lock is a lock file too, and QLockFile must be able to read it.
    const QString removalPath = path + QStringLiteral(".rmlock");
    if (isStaleLockFile(removalPath))
        removeEntry(removalPath);
    QLockFile removal(removalPath);
    if (removal.tryLock(0) && isStaleLockFile(path))
        removeEntry(path);
}

} // namespace qx
