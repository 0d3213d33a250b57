#include "core/SiteDirectory.h"

#include "core/ProgramInfo.h"

namespace qx {

QString SiteDirectory()
{
    return QStringLiteral("http://") + siteHost() + QStringLiteral("/qx-free-friendship-compatibility-test/");
}

const std::array<SiteLink, 7> &siteLinks()
{
    static constexpr std::array<SiteLink, 7> links = {{
        {SitePage::Home, "home-page"},
        {SitePage::Help, "help-web-page"},
        {SitePage::Download, "download-web-page"},
        {SitePage::Donate, "donate"},
        {SitePage::CoBrand, "co-brand"},
        {SitePage::FullBrand, "fully-branded"},
        {SitePage::Softwares, "orvanesoftwares"},
    }};
    return links;
}

QString pageAddress(SitePage page)
{
    return pageAddress(QLatin1String(siteLinks().at(static_cast<std::size_t>(page)).pageKey));
}

QString pageAddress(const QString &pageKey)
{
    return SiteDirectory() + QStringLiteral("ssd.php?page=") + pageKey;
}

} // namespace qx
