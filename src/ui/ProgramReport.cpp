#include "ProgramReport.h"

namespace qx {

FriendshipReport &ProgramReport()
{
    static FriendshipReport report;
    return report;
}

} // namespace qx
