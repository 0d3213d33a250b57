#include "ui/ProgramIcon.h"

#include <QSize>

namespace qx {

QIcon programIcon()
{
    static const QIcon icon = [] {
        QIcon rendered;
        for (const int size : {16, 24, 32, 48, 64, 128})
            rendered.addFile(QStringLiteral(":/icons/%1x%1/apps/qxfriendship.png").arg(size),
                             QSize(size, size));
        return rendered;
    }();
    return icon;
}

} // namespace qx
