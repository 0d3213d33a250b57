#include "engine/SunSign.h"

namespace qx {

namespace {

constexpr std::array<std::string_view, SignCount> SignNames = {
    "Aries", "Taurus",  "Gemini",      "Cancer",    "Leo",      "Virgo",
    "Libra", "Scorpio", "Sagittarius", "Capricorn", "Aquarius", "Pisces",
};

// One month of the calendar: days up to lastDayOfFirstSign (a day index)
// belong to firstSign, the rest of the 31 entries of the day list to
// secondSign.
struct MonthSigns {
    std::int16_t lastDayOfFirstSign;
    SunSign firstSign;
    SunSign secondSign;
};

constexpr std::array<MonthSigns, 12> MonthTable = {{
    {18, SunSign::Capricorn, SunSign::Aquarius},    // January
    {17, SunSign::Aquarius, SunSign::Pisces},       // February
    {19, SunSign::Pisces, SunSign::Aries},          // March
    {19, SunSign::Aries, SunSign::Taurus},          // April
    {19, SunSign::Taurus, SunSign::Gemini},         // May
    {19, SunSign::Gemini, SunSign::Cancer},         // June
    {19, SunSign::Cancer, SunSign::Leo},            // July
    {19, SunSign::Leo, SunSign::Virgo},             // August
    {19, SunSign::Virgo, SunSign::Libra},           // September
    {19, SunSign::Libra, SunSign::Scorpio},         // October
    {19, SunSign::Scorpio, SunSign::Sagittarius},   // November
    {19, SunSign::Sagittarius, SunSign::Capricorn}, // December
}};

// The day list always has 31 entries, whatever the month.
constexpr std::int16_t LastDayIndex = 30;

} // namespace

std::string_view signName(SunSign sign)
{
    return SignNames[static_cast<std::size_t>(sign)];
}

std::optional<SunSign> signFromName(std::string_view text)
{
    for (SunSign sign : AllSigns) {
        if (signName(sign) == text)
            return sign;
    }
    return std::nullopt;
}

std::optional<SunSign> GetSunSign(std::int16_t monthIndex, std::int16_t dayIndex)
{
    if (monthIndex < 0 || monthIndex >= static_cast<std::int16_t>(MonthTable.size()))
        return std::nullopt;
    const MonthSigns &month = MonthTable[static_cast<std::size_t>(monthIndex)];
    if (dayIndex >= 0 && dayIndex <= month.lastDayOfFirstSign)
        return month.firstSign;
    if (dayIndex > month.lastDayOfFirstSign && dayIndex <= LastDayIndex)
        return month.secondSign;
    return std::nullopt;
}

} // namespace qx
