#include "core/UserDirectories.h"

#include <QDir>
#include <QFile>

#include <pwd.h>
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
    return directory.isEmpty() ? userHomeDirectory() + QLatin1Char('/') + QLatin1String(underHome) : directory;
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

} // namespace qx
