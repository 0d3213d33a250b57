#pragma once

#include <QString>

namespace qx {

// The four appeals of the exit screen, indexed 0 to 3; the first for any
// other index.
QString exitScreenAppeal(int index);

// The promotional paragraph beside the refer-a-friend form.
QString exitScreenPromotion();

// Caption of the link check box; names the site's host.
QString exitScreenVisitCaption(const QString &host);

} // namespace qx
