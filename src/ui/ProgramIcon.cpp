#include "ProgramIcon.h"

#include <QtGlobal>

// The icon lives in a static library: pull its resources in by hand, since
// the linker drops initialisers that nothing refers to.
static void initResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace qx {

QIcon ProgramIcon()
{
    static const QIcon icon = [] {
        initResources();
        return QIcon(QStringLiteral(":/icons/qxfriendship.svg"));
    }();
    return icon;
}

} // namespace qx
