#include "core/UserDirectories.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qx {

namespace {

QString absoluteVariable(const char *name)
{
    const QString value = qEnvironmentVariable(name);
    return QDir::isAbsolutePath(value) ? QDir::cleanPath(value) : QString();
}

QString baseDirectory(const char *variable, const char *underHome)
{
    const QString directory = absoluteVariable(variable);
    return directory.isEmpty() ? QDir::cleanPath(userHomeDirectory() + QLatin1Char('/') + QLatin1String(underHome))
                               : directory;
}

// One folder, made only where the folder it lies in exists. mkdir() takes
// the umask's bits off the mode; they go back on the folder just made,
// never on a link that another program might have put in its place.
void makeFolder(const QString &folder)
{
    const QByteArray name = QFile::encodeName(folder);
    if (::mkdir(name.constData(), 0700) == 0) {
        // Where modes cannot be set, the folder keeps what mkdir() gave it.
        [[maybe_unused]] const int changed = ::fchmodat(AT_FDCWD, name.constData(), 0700, AT_SYMLINK_NOFOLLOW);
    }
}

} // namespace

QString userHomeDirectory()
{
    if (const QString home = absoluteVariable("HOME"); !home.isEmpty())
        return home;
    if (const passwd *user = ::getpwuid(::getuid()); user && user->pw_dir)
        return QDir::cleanPath(QFile::decodeName(user->pw_dir));
    return QDir::rootPath();
}

QString userConfigDirectory()
{
    return baseDirectory("XDG_CONFIG_HOME", ".config");
}

QString userCacheDirectory()
{
    return baseDirectory("XDG_CACHE_HOME", ".cache");
}

bool makeUserFolder(const QString &folder)
{
    const QString path = QDir::cleanPath(folder);
    makeFolder(QFileInfo(path).path());
    makeFolder(path);
    struct stat status = {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 && S_ISDIR(status.st_mode);
}

} // namespace qx
