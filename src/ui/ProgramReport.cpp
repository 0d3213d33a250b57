#include "ui/ProgramReport.h"

namespace qx {

FriendshipReport &programReport()
{
    static FriendshipReport report;
    return report;
}

} // namespace qx
