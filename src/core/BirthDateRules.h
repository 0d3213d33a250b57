#pragma once

#include <QString>

namespace qx {

// The years the main window's year lists offer.
inline constexpr int FirstBirthYear = 1900;
inline constexpr int LastBirthYear = 2050;
// Every month's day list holds the same 31 days; birthDateRefusal() catches
// the days a month does not have.
inline constexpr int DaysInDayList = 31;

// Whose birth date is checked; the refusals name the person.
enum class Person { You, YourFriend };

// The message that refuses a birth date given as list positions (month index
// 0 is January, day index k is day k + 1), or an empty text when the date
// may be used. Days 30 and 31 of February and day 31 of April, June,
// September and November are refused; 29 February passes in every year, as
// the year is never looked at.
QString birthDateRefusal(Person person, int monthIndex, int dayIndex);

} // namespace qx
