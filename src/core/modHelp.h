#pragma once

#include <QString>

namespace qx {

// Opens a complete address in the user's browser and goes on at once;
// a launch that fails is silent.
void OpenUrl(const QString &address);

// One opener per page of the maker's site.
void OpenHomePage();
void OpenHelpPage();
void OpenDownloadPage();
void OpenDonatePage();
void OpenCoBrandPage();
void OpenFullBrandPage();
void OpenSoftwaresPage();

} // namespace qx
