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

} // namespace qx
