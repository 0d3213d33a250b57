#pragma once

#include <QString>

namespace qx {

// One-line advertisement of the top banner in the main and results windows;
// short enough to stay on one line in its label.
inline QString discussionBoardAdvert()
{
    return QStringLiteral("Free Astrology and Psychic Discussion Board - Visit Now!");
}

} // namespace qx
