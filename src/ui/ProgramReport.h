#pragma once

#include "FriendshipReport.h"

namespace qx {

// The program's one friendship report. It starts empty, lives for the whole
// run and each test brings it up to date.
FriendshipReport &ProgramReport();

} // namespace qx
