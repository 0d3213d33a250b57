#pragma once

#include "engine/FriendshipReport.h"

namespace qx {

// The program's one friendship report. It starts empty, lives for the whole
// run and each test brings it up to date.
FriendshipReport &programReport();

} // namespace qx
