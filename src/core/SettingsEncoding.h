#pragma once

#include <QString>

namespace qx {

// The scrambling of the update reminder's key and value in the settings store:
// every character code (Latin-1, 0 to 255) is shifted by 85. A character whose
// shifted code would leave 0 to 255 is dropped, and so is any character above 255.
QString EncodeSetting(const QString &text);
QString DecodeSetting(const QString &text);

} // namespace qx
