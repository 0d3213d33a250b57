#include "core/SiteDirectory.h"

#include "core/ProgramInfo.h"

namespace qx {

QString SiteDirectory()
{
    return QStringLiteral("http://") + siteHost() + QStringLiteral("/qx-free-friendship-compatibility-test/");
}

// No default: the compiler names a page that has no row.
SiteLink siteLink(SitePage page)
{
    switch (page) {
    case SitePage::Home:
        return {"home-page"};
    case SitePage::Help:
        return {"help-web-page"};
    case SitePage::Download:
        return {"download-web-page"};
    case SitePage::Donate:
        return {"donate"};
    case SitePage::CoBrand:
        return {"co-brand"};
    case SitePage::FullBrand:
        return {"fully-branded"};
    case SitePage::Softwares:
        return {"orvanesoftwares"};
    case SitePage::ReferAFriend:
        return {"qxos-refer-a-friend"};
    }
    return {""}; // not a page: the program makes no such value
}

QString pageAddress(SitePage page)
{
    return SiteDirectory() + QStringLiteral("ssd.php?page=") + QLatin1String(siteLink(page).pageKey);
}

} // namespace qx
