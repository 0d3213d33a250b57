#include "core/ProgramInfo.h"

#include "core/BuildConfig.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace qx {

QString windowCaption()
{
    return QLatin1String(ApplicationTitle) + QStringLiteral(" v" QX_PROGRAM_VERSION);
}

QString siteHost()
{
    return QStringLiteral(QX_SITE_HOST);
}

QString desktopFileName()
{
    return QStringLiteral(QX_APP_ID);
}

QString executableBaseName()
{
    const QString path = QCoreApplication::applicationFilePath();
    const QString name = path.isEmpty() ? QString() : QFileInfo(path).completeBaseName();
    return name.isEmpty() ? QStringLiteral("QXFreeFriendshipCompatibilityTest") : name;
}

} // namespace qx
