#include "engine/FriendshipReport.h"

#include "engine/RelationCompatibility.h"
#include "engine/SignProfiles.h"

namespace qx {

namespace {

// The verdict and the seven trait lines for one user's sign. The friend's
// sign only matters for the verdict: two places before or after the user's
// sign in zodiac order makes the pair very good friends.
struct SignTraits {
    std::array<SunSign, 2> partners;
    std::string_view dependable;
    std::string_view caring;
    std::string_view outgoing;
    std::string_view loyal;
    std::string_view adventurous;
    std::string_view initiator;
    std::string_view listener;
};

constexpr std::string_view VeryGoodFriends = "You Both Are Very Good Friends";
constexpr std::string_view CouldBeBetterFriends = "You both Could Be Better Friends";

// Rows in zodiac order, Aries first. Aquarius has its own adventure line
// with a leading blank; it is shown as it stands.
constexpr std::array<SignTraits, SignCount> TraitTable = {{
    {
        // Aries
        {SunSign::Gemini, SunSign::Aquarius},
        "You may let down your friend sometimes",
        "You do not care about your friend's feelings at all",
        "You are an extrovert",
        "You may not always be loyal to your friend",
        "You love adventures",
        "You keep the relationship going at all costs",
        "You do not listen to your friend at all",
    },
    {
        // Taurus
        {SunSign::Cancer, SunSign::Pisces},
        "You are always there for your friend",
        "You care about each other a lot",
        "You are an introvert",
        "You are highly loyal to each other",
        "You hate adventures",
        "You do not initiate anything in your relationship",
        "You listen to your friend sometimes",
    },
    {
        // Gemini
        {SunSign::Leo, SunSign::Aries},
        "You do not care to have a dependable relationship",
        "You may care for your friend at times",
        "You are an extrovert",
        "You may not always be loyal to your friend",
        "You love adventures",
        "You may forgive your friend sometimes",
        "You listen to all that your friend has to say",
    },
    {
        // Cancer
        {SunSign::Virgo, SunSign::Taurus},
        "You do not care to have a dependable relationship",
        "You care about each other a lot",
        "You are an introvert",
        "You are highly loyal to each other",
        "You hate adventures",
        "You keep the relationship going at all costs",
        "You listen to your friend sometimes",
    },
    {
        // Leo
        {SunSign::Libra, SunSign::Gemini},
        "You may let down your friend sometimes",
        "You care about each other a lot",
        "You are an extrovert",
        "You are highly loyal to each other",
        "You do not mind adventures",
        "You keep the relationship going at all costs",
        "You listen to your friend sometimes",
    },
    {
        // Virgo
        {SunSign::Scorpio, SunSign::Cancer},
        "You are always there for your friend",
        "You care about each other a lot",
        "You are an introvert",
        "You may be loyal to each other most of the times",
        "You do not mind adventures",
        "You may forgive your friend sometimes",
        "You listen to your friend sometimes",
    },
    {
        // Libra
        {SunSign::Sagittarius, SunSign::Leo},
        "You may let down your friend sometimes",
        "You care about each other a lot",
        "You are not as outgoing as your friend would like you to be",
        "You may be loyal to each other most of the times",
        "You hate adventures",
        "You keep the relationship going at all costs",
        "You listen to all that your friend has to say",
    },
    {
        // Scorpio
        {SunSign::Virgo, SunSign::Capricorn},
        "You may let down your friend sometimes",
        "You may care for your friend at times",
        "You are an introvert",
        "You are highly loyal to each other",
        "You hate adventures",
        "You may forgive your friend sometimes",
        "You listen to your friend sometimes",
    },
    {
        // Sagittarius
        {SunSign::Libra, SunSign::Aquarius},
        "You do not care to have a dependable relationship",
        "You may care for your friend at times",
        "You are an extrovert",
        "You may not always be loyal to your friend",
        "You love adventures",
        "You may forgive your friend sometimes",
        "You do not listen to your friend at all",
    },
    {
        // Capricorn
        {SunSign::Scorpio, SunSign::Pisces},
        "You are always there for your friend",
        "You may care for your friend at times",
        "You are not as outgoing as your friend would like you to be",
        "You may be loyal to each other most of the times",
        "You hate adventures",
        "You keep the relationship going at all costs",
        "You listen to your friend sometimes",
    },
    {
        // Aquarius
        {SunSign::Sagittarius, SunSign::Aries},
        "You may let down your friend sometimes",
        "You do not care about your friend's feelings at all",
        "You are not as outgoing as your friend would like you to be",
        "You may not always be loyal to your friend",
        " You love adventures",
        "You keep the relationship going at all costs",
        "You do not listen to your friend at all",
    },
    {
        // Pisces
        {SunSign::Taurus, SunSign::Capricorn},
        "You may let down your friend sometimes",
        "You care about each other a lot",
        "You are an introvert",
        "You may be loyal to each other most of the times",
        "You do not mind adventures",
        "You do not initiate anything in your relationship",
        "You listen to all that your friend has to say",
    },
}};

const SignTraits &traitsOf(SunSign sign)
{
    return TraitTable[static_cast<std::size_t>(sign)];
}

void applyVerdictAndTraits(FriendshipReport &report, SunSign userSign)
{
    const SignTraits &row = traitsOf(userSign);
    const bool partners = report.YourFriendsSunSign == signName(row.partners[0])
                          || report.YourFriendsSunSign == signName(row.partners[1]);
    report.FriendshipCompatibility = partners ? VeryGoodFriends : CouldBeBetterFriends;
    report.Dependable = row.dependable;
    report.Caring = row.caring;
    report.Outgoing = row.outgoing;
    report.Loyal = row.loyal;
    report.Adventurous = row.adventurous;
    report.Initiator = row.initiator;
    report.Listener = row.listener;
}

void applyProfile(std::string &profile, const std::string &signField)
{
    if (const auto sign = signFromName(signField))
        profile = GetSignProfile(*sign);
}

} // namespace

std::array<ReportField, ReportFieldCount> reportFields(const FriendshipReport &report)
{
    return {{
        {"YourSunSign", &report.YourSunSign},
        {"YourFriendsSunSign", &report.YourFriendsSunSign},
        {"YourFriendshipProfile", &report.YourFriendshipProfile},
        {"YourFriendsFriendshipProfile", &report.YourFriendsFriendshipProfile},
        {"FriendshipCompatibilityResult", &report.FriendshipCompatibilityResult},
        {"FriendshipCompatibility", &report.FriendshipCompatibility},
        {"Dependable", &report.Dependable},
        {"Caring", &report.Caring},
        {"Outgoing", &report.Outgoing},
        {"Loyal", &report.Loyal},
        {"Adventurous", &report.Adventurous},
        {"Initiator", &report.Initiator},
        {"Listener", &report.Listener},
    }};
}

void UpdateFriendshipReport(FriendshipReport &report, std::optional<SunSign> userSign,
                            std::optional<SunSign> friendSign)
{
    if (userSign)
        report.YourSunSign = signName(*userSign);
    if (friendSign)
        report.YourFriendsSunSign = signName(*friendSign);

    if (const auto user = signFromName(report.YourSunSign))
        applyVerdictAndTraits(report, *user);

    applyProfile(report.YourFriendshipProfile, report.YourSunSign);
    applyProfile(report.YourFriendsFriendshipProfile, report.YourFriendsSunSign);

    if (const auto text = GetRelationCompatibility(report.YourSunSign, report.YourFriendsSunSign))
        report.FriendshipCompatibilityResult = *text;
}

} // namespace qx
