#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace qx {

// The program's icon for its windows, rendered from its SVG at build time at
// the sizes a title bar or a task bar shows, also at twice the scale.
QIcon programIcon();

// The program's icon as a picture of the given size on a screen of the given
// scale, taken from every size rendered, so that it is sharp at any scale.
QPixmap programPicture(const QSize &size, qreal devicePixelRatio);

} // namespace qx
