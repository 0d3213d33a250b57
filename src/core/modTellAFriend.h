#pragma once

#include <QString>
#include <QStringView>

namespace qx {

// What each box of the refer-a-friend form shows while nothing has been typed there.
inline constexpr QStringView NamePlaceholder = u"Your Name";
inline constexpr QStringView EmailPlaceholder = u"Your Email Address";
inline constexpr QStringView MessagePlaceholder = u"Your Message";
inline constexpr QStringView FriendNamePlaceholder = u"Friend's Name";
inline constexpr QStringView FriendEmailPlaceholder = u"Friend's Email Address";

// The bounds of the form's entries. No real name, e-mail address (254
// characters at the most) or message needs more, and within them the
// refer-a-friend address stays far below what one argument to the browser
// launcher may hold (128 KiB): each character takes at most 9 in the address.
inline constexpr int MaxNameLength = 128;
inline constexpr int MaxEmailLength = 254;
inline constexpr int MaxMessageLength = 2000;

// The five entries of the refer-a-friend form, each trimmed of spaces.
struct ReferralEntries {
    QString ReferName;
    QString ReferEmail;
    QString ReferMessage;
    QString ReferFriendName;
    QString ReferFriendEmail;
};

// The entries of the last submission; written by the exit screen before each
// submission and kept until the program ends.
ReferralEntries &ReferralFields();

// The last address built by a successful submission (empty until then).
const QString &ReferralUrl();

// Removes leading and trailing space characters; tabs and line breaks stay.
QString trimReferralText(const QString &text);

// The checks of the two e-mail addresses, made before SubmitReferral(): the
// message that refuses them, or an empty text. The addresses must differ
// and each must hold an "@" and a "." somewhere; nothing else is looked at.
QString emailAddressRefusal(const ReferralEntries &entries);

// The refer-a-friend page with the five entries and the product's directory
// as query values, each value percent-encoded.
QString referralAddress(const ReferralEntries &entries);

// Refuses the first entry that is empty or still its placeholder, with a
// message; otherwise builds ReferralUrl() from ReferralFields() and opens it.
void SubmitReferral();

// Opens ReferralUrl() in the browser.
void OpenReferralUrl();

} // namespace qx
