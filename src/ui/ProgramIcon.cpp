#include "ui/ProgramIcon.h"

#include "ui/WindowIconPixels.h"

#include <QPixmap>

namespace qx {

QIcon programIcon()
{
    static const QIcon icon = [] {
        QIcon built;
        for (const windowicon::Size &size : windowicon::Sizes)
            built.addPixmap(QPixmap::fromImage(QImage(reinterpret_cast<const uchar *>(size.pixels), size.size,
                                                      size.size, size.size * 4, size.format)));
        return built;
    }();
    return icon;
}

} // namespace qx
