#pragma once

#include <QIcon>

namespace qx {

// The program's icon, drawn from its SVG at any size.
QIcon ProgramIcon();

} // namespace qx
