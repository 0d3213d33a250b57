#include "core/BirthDateRules.h"

namespace qx {

namespace {

bool isBeyondEndOfFebruary(int monthIndex, int dayIndex)
{
    return monthIndex == 1 && (dayIndex == 29 || dayIndex == 30);
}

bool isDay31OfShortMonth(int monthIndex, int dayIndex)
{
    const bool shortMonth = monthIndex == 3 || monthIndex == 5 || monthIndex == 8 || monthIndex == 10;
    return shortMonth && dayIndex == 30;
}

} // namespace

QString birthDateRefusal(Person person, int monthIndex, int dayIndex)
{
    const bool february = isBeyondEndOfFebruary(monthIndex, dayIndex);
    const bool shortMonth = isDay31OfShortMonth(monthIndex, dayIndex);
    if (person == Person::YourFriend)
        return february || shortMonth ? QStringLiteral("Please Enter Correct Date of Birth Of Your Friend!")
                                      : QString();
    if (february)
        return QStringLiteral("Please Enter Your Correct Date of Birth!");
    if (shortMonth)
        return QStringLiteral("Please Enter Correct Date of Birth !");
    return {};
}

} // namespace qx
