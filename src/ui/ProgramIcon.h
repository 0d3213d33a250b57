#pragma once

#include <QIcon>

namespace qx {

// The program's icon, rendered from its SVG at the usual sizes.
QIcon programIcon();

} // namespace qx
