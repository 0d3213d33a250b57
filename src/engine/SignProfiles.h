#pragma once

#include "engine/SunSign.h"

#include <string>

namespace qx {

// The friendship profile of a sign: one paragraph of plain printable ASCII.
std::string GetSignProfile(SunSign sign);

} // namespace qx
