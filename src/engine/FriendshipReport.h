#pragma once

#include "engine/SunSign.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace qx {

// Everything the results window shows for one test. It starts with every
// field empty; each test overwrites it field by field, and a field that a
// test does not assign keeps the value of the previous test.
struct FriendshipReport {
    std::string YourSunSign;
    std::string YourFriendsSunSign;
    std::string YourFriendshipProfile;
    std::string YourFriendsFriendshipProfile;
    std::string FriendshipCompatibilityResult;
    std::string FriendshipCompatibility;
    std::string Dependable;
    std::string Caring;
    std::string Outgoing;
    std::string Loyal;
    std::string Adventurous;
    std::string Initiator;
    std::string Listener;
};

inline constexpr std::size_t ReportFieldCount = 13;

// A field's name as written above, and the field itself.
using ReportField = std::pair<std::string_view, const std::string *>;

// The thirteen fields of the report in declaration order, for writers that
// treat them alike (JSON output, tests). The pointers refer into report.
std::array<ReportField, ReportFieldCount> reportFields(const FriendshipReport &report);

// Brings the report up to date for the two derived signs: the signs
// themselves, then the verdict and trait lines (from the user's sign), then
// both profiles, then the text for the pair. No sign leaves that person's
// sign field as it was; every later step reads the fields, not the
// arguments.
void UpdateFriendshipReport(FriendshipReport &report, std::optional<SunSign> userSign,
                            std::optional<SunSign> friendSign);

} // namespace qx
