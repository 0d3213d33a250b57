#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace qx {

// The twelve signs in zodiac order; the order matters for the partner rule
// and for the keys of the pair table.
enum class SunSign : std::uint8_t {
    Aries,
    Taurus,
    Gemini,
    Cancer,
    Leo,
    Virgo,
    Libra,
    Scorpio,
    Sagittarius,
    Capricorn,
    Aquarius,
    Pisces,
};

inline constexpr std::size_t SignCount = 12;

inline constexpr std::array<SunSign, SignCount> AllSigns = {
    SunSign::Aries, SunSign::Taurus,  SunSign::Gemini,      SunSign::Cancer,    SunSign::Leo,      SunSign::Virgo,
    SunSign::Libra, SunSign::Scorpio, SunSign::Sagittarius, SunSign::Capricorn, SunSign::Aquarius, SunSign::Pisces,
};

// The English name, exactly as shown to the user and used in pair keys.
std::string_view signName(SunSign sign);

// The sign whose name equals text exactly (case-sensitive), if any.
std::optional<SunSign> signFromName(std::string_view text);

// Sign for a month index (0 = January) and day index (0 = day 1) as picked
// in the main window's lists; no sign when either index is out of range.
std::optional<SunSign> GetSunSign(std::int16_t monthIndex, std::int16_t dayIndex);

} // namespace qx
