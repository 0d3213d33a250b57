#include "SiteDirectory.h"

#ifndef QX_SITE_HOST
#error "QX_SITE_HOST names the web host and comes from the build"
#endif

namespace qx {

QString SiteHost()
{
    return QStringLiteral(QX_SITE_HOST);
}

QString SiteDirectory()
{
    return QStringLiteral("http://") + SiteHost()
           + QStringLiteral("/qx-free-friendship-compatibility-test/");
}

QString PageAddress(const QString &pageKey)
{
    return SiteDirectory() + QStringLiteral("ssd.php?page=") + pageKey;
}

const QList<SiteLink> &SiteLinks()
{
    static const QList<SiteLink> links = {
        {"OpenHomePage", "home-page"},
        {"OpenHelpPage", "help-web-page"},
        {"OpenDownloadPage", "download-web-page"},
        {"OpenDonatePage", "donate"},
        {"OpenCoBrandPage", "co-brand"},
        {"OpenFullBrandPage", "fully-branded"},
        {"OpenSoftwaresPage", "orvanesoftwares"},
    };
    return links;
}

} // namespace qx
