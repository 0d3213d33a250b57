#include "core/ProgramInfo.h"

#include "core/BuildConfig.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace qx {

QString programVersion()
{
    return QStringLiteral(QX_PROGRAM_VERSION);
}

QString windowCaption()
{
    return QLatin1String(ApplicationTitle) + QStringLiteral(" v") + programVersion();
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
