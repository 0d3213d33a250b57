#pragma once

#include <QString>

namespace qx {

// The user's directories as the XDG base directory rules give them: a
// variable counts only when it holds an absolute path (a relative one would
// make each working folder a place of its own and is ignored), and the home
// directory is $HOME when that is absolute, otherwise the user database's.
QString userHomeDirectory();
// $XDG_CONFIG_HOME, or ~/.config.
QString userConfigDirectory();
// $XDG_CACHE_HOME, or ~/.cache.
QString userCacheDirectory();

// Makes a folder of the program's in one of the folders above, for this user
// alone: the folder, and the one it lies in when that is missing too, are
// made 0700 whatever the umask, as the XDG rules ask. Nothing above them is
// ever made: under a home folder that does not exist, or a variable that
// names a folder that does not exist, nothing is made at all. True when the
// folder is there afterwards (whoever made it).
bool makeUserFolder(const QString &folder);

} // namespace qx
