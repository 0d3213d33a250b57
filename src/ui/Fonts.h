#pragma once

namespace qx {

// The windows ask for Verdana and MS Sans Serif; where those are missing,
// Qt draws DejaVu Sans in their place.
void InstallFontSubstitutes();

} // namespace qx
