#include "ui/ProgramIcon.h"

#include "ui/WindowIconPixels.h"

#include <QPixmap>

namespace qx {

QIcon programIcon()
{
    static const QIcon icon = [] {
        QIcon built;
        // The pixels are already in the pixmaps' own format, so each pixmap
        // shares the built-in pixels instead of copying them.
        for (const windowicon::Size &size : windowicon::Sizes)
            built.addPixmap(QPixmap::fromImage(QImage(reinterpret_cast<const uchar *>(size.pixels), size.size,
                                                      size.size, size.size * 4, size.format)));
        return built;
    }();
    return icon;
}

} // namespace qx
