#pragma once

#include <QString>

#include <array>

namespace qx {

// The product's directory on the maker's web site, e.g.
// "http://www.example.com/qx-free-friendship-compatibility-test/".
QString SiteDirectory();

// The pages of the maker's site that the program opens.
enum class SitePage { Home, Help, Download, Donate, CoBrand, FullBrand, Softwares };

// One row of the page table: a page and the key that names it in its address.
struct SiteLink {
    SitePage page;
    const char *pageKey;
};

// The page table, one row per page in the order of SitePage.
const std::array<SiteLink, 7> &siteLinks();

// SiteDirectory() + "ssd.php?page=" + the key.
QString pageAddress(SitePage page);
QString pageAddress(const QString &pageKey);

} // namespace qx
