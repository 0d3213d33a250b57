#pragma once

#include <QIcon>

namespace qx {

// The program's icon, rendered from its SVG at build time at the usual sizes.
QIcon programIcon();

} // namespace qx
