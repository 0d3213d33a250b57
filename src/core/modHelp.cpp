#include "core/modHelp.h"

#include "core/platform/Platform.h"
#include "core/SiteDirectory.h"

namespace qx {

namespace {

void openPage(SitePage page)
{
    OpenUrl(pageAddress(page));
}

} // namespace

void OpenUrl(const QString &address)
{
    platform().urls->open(address);
}

void OpenHomePage()
{
    openPage(SitePage::Home);
}

void OpenHelpPage()
{
    openPage(SitePage::Help);
}

void OpenDownloadPage()
{
    openPage(SitePage::Download);
}

void OpenDonatePage()
{
    openPage(SitePage::Donate);
}

void OpenCoBrandPage()
{
    openPage(SitePage::CoBrand);
}

void OpenFullBrandPage()
{
    openPage(SitePage::FullBrand);
}

void OpenSoftwaresPage()
{
    openPage(SitePage::Softwares);
}

} // namespace qx
