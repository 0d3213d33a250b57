#pragma once

#include <QString>

namespace qx {

// The product's directory on the maker's web site, e.g.
// "http://www.example.com/qx-free-friendship-compatibility-test/".
QString SiteDirectory();

// The pages of the maker's site that the program opens.
enum class SitePage { Home, Help, Download, Donate, CoBrand, FullBrand, Softwares, ReferAFriend };

// One row of the page table: the key that names a page in its address.
struct SiteLink {
    const char *pageKey;
};

// The page table: the row of each page.
SiteLink siteLink(SitePage page);

// SiteDirectory() + "ssd.php?page=" + the page's key.
QString pageAddress(SitePage page);

} // namespace qx
