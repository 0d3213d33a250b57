#include "modHelp.h"

#include "Platform.h"
#include "SiteDirectory.h"

namespace qx {

void OpenUrl(const QString &address)
{
    if (UrlOpener *urls = platform().urls)
        urls->open(address);
}

void OpenHomePage()
{
    OpenUrl(PageAddress(QStringLiteral("home-page")));
}

void OpenHelpPage()
{
    OpenUrl(PageAddress(QStringLiteral("help-web-page")));
}

void OpenDownloadPage()
{
    OpenUrl(PageAddress(QStringLiteral("download-web-page")));
}

void OpenDonatePage()
{
    OpenUrl(PageAddress(QStringLiteral("donate")));
}

void OpenCoBrandPage()
{
    OpenUrl(PageAddress(QStringLiteral("co-brand")));
}

void OpenFullBrandPage()
{
    OpenUrl(PageAddress(QStringLiteral("fully-branded")));
}

void OpenSoftwaresPage()
{
    OpenUrl(PageAddress(QStringLiteral("orvanesoftwares")));
}

} // namespace qx
