#include "core/modTellAFriend.h"

#include "core/modHelp.h"
#include "core/platform/Platform.h"
#include "core/SiteDirectory.h"

#include <QUrl>

#include <array>

namespace qx {

namespace {

QString &lastReferralUrl()
{
    static QString address;
    return address;
}

// Everything but A-Z a-z 0-9 - . _ ~ becomes %XX (UTF-8), so that a value can
// carry '&', '=', '#', '+', blanks and line breaks without changing the query.
QString encodedValue(const QString &value)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(value));
}

struct RequiredEntry {
    QString ReferralEntries::*field;
    QStringView placeholder;
    const char *messageWhenEmpty;
};

// Checked in this order; the first empty one is reported.
const std::array<RequiredEntry, 5> requiredEntries = {{
    {&ReferralEntries::ReferName, NamePlaceholder, "Please Enter Your Name"},
    {&ReferralEntries::ReferEmail, EmailPlaceholder, "Please Enter Your Email"},
    {&ReferralEntries::ReferMessage, MessagePlaceholder, "Please Enter Your Message"},
    {&ReferralEntries::ReferFriendName, FriendNamePlaceholder, "Please Enter Your Friend's Name"},
    {&ReferralEntries::ReferFriendEmail, FriendEmailPlaceholder, "Please Enter Your Friend's Email"},
}};

} // namespace

ReferralEntries &ReferralFields()
{
    static ReferralEntries entries;
    return entries;
}

const QString &ReferralUrl()
{
    return lastReferralUrl();
}

QString trimReferralText(const QString &text)
{
    qsizetype first = 0;
    qsizetype end = text.size();
    while (first < end && text.at(first) == u' ')
        ++first;
    while (end > first && text.at(end - 1) == u' ')
        --end;
    return text.sliced(first, end - first);
}

QString emailAddressRefusal(const ReferralEntries &entries)
{
    const QString &email = entries.ReferEmail;
    const QString &friendEmail = entries.ReferFriendEmail;
    if (email == friendEmail)
        return QStringLiteral("Please Enter Distinct Email Addresses");
    if (!email.contains(u'@') || !friendEmail.contains(u'@') || !email.contains(u'.') || !friendEmail.contains(u'.'))
        return QStringLiteral("Please Enter Proper Email Address");
    return {};
}

QString referralAddress(const ReferralEntries &entries)
{
    return pageAddress(SitePage::ReferAFriend) + QStringLiteral("&taf1=") + encodedValue(entries.ReferName)
           + QStringLiteral("&taf2=") + encodedValue(entries.ReferEmail) + QStringLiteral("&taf3=")
           + encodedValue(entries.ReferMessage) + QStringLiteral("&taf4=") + encodedValue(entries.ReferFriendName)
           + QStringLiteral("&taf5=") + encodedValue(entries.ReferFriendEmail) + QStringLiteral("&taf6=")
           + encodedValue(SiteDirectory());
}

void SubmitReferral()
{
    const ReferralEntries &entries = ReferralFields();
    for (const RequiredEntry &required : requiredEntries) {
        const QString value = trimReferralText(entries.*required.field);
        if (value.isEmpty() || value == required.placeholder) {
            showMessage(QString::fromLatin1(required.messageWhenEmpty), MessageIcon::Critical);
            return;
        }
    }
    lastReferralUrl() = referralAddress(entries);
    OpenReferralUrl();
}

void OpenReferralUrl()
{
    OpenUrl(ReferralUrl());
}

} // namespace qx
