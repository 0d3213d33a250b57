#pragma once

#include <QList>
#include <QString>

namespace qx {

// The product's directory on the maker's web site, e.g.
// "http://www.example.com/qx-free-friendship-compatibility-test/".
QString SiteDirectory();

// The maker's web host the program was built for.
QString SiteHost();

// SiteDirectory() + "ssd.php?page=" + pageKey.
QString PageAddress(const QString &pageKey);

// One page of the site opened by the program.
struct SiteLink {
    const char *opener;
    const char *pageKey;
};

// The pages, one row per opener of modHelp.
const QList<SiteLink> &SiteLinks();

} // namespace qx
