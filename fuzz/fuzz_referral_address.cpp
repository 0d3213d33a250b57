// The refer-a-friend address built from arbitrary entries. The input is split
// at 0xFF bytes (never part of UTF-8) into the five boxes of the form, each
// read as UTF-8 as typed text is; each is trimmed as the exit screen trims it.
//
// Properties of the address:
// - it is printable ASCII;
// - it starts with the refer-a-friend page and carries exactly the query
//   names taf1 to taf6, in that order;
// - no value holds a raw '&', '#', '=', '+', blank, CR or LF, and every '%'
//   starts an escape of two upper-case hex digits;
// - each value percent-decodes to its trimmed entry, taf6 to the site
//   directory;
// - handed to the desktop (QUrl::fromEncoded, as the launcher does), the
//   address goes out byte for byte as built;
// - each character of an entry takes at most nine in the address.

#include "core/modTellAFriend.h"
#include "core/SiteDirectory.h"
#include "FuzzCheck.h"

#include <QByteArrayList>
#include <QUrl>

#include <cstddef>
#include <cstdint>

using namespace qx;

namespace {

constexpr int FieldCount = 5;

bool isUpperHex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

void checkValue(const QByteArray &value, const QString &expected, const QString &detail)
{
    for (qsizetype i = 0; i < value.size(); ++i) {
        const char c = value.at(i);
        QX_FUZZ_CHECK(c != '&' && c != '#' && c != '=' && c != '+' && c != ' ' && c != '\r' && c != '\n', detail);
        if (c == '%')
            QX_FUZZ_CHECK(i + 2 < value.size() && isUpperHex(value.at(i + 1)) && isUpperHex(value.at(i + 2)), detail);
    }
    QX_FUZZ_CHECK(QString::fromUtf8(QByteArray::fromPercentEncoding(value)) == expected, detail);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QByteArrayList pieces = bytes.split('\xff');
    if (pieces.size() != FieldCount)
        return 0;

    QStringList fields;
    for (const QByteArray &piece : pieces)
        fields.append(trimReferralText(QString::fromUtf8(piece)));
    const ReferralEntries entries{fields.at(0), fields.at(1), fields.at(2), fields.at(3), fields.at(4)};
    const QString address = referralAddress(entries);
    QString detail = QStringLiteral("address: %1\nfields:").arg(address);
    for (const QString &field : fields)
        detail += QStringLiteral(" [%1]").arg(field);

    for (const QChar character : address)
        QX_FUZZ_CHECK(character.unicode() > 32 && character.unicode() < 127, detail);
    const QByteArray ascii = address.toLatin1();

    // Each character of an entry takes at most nine in the address (three
    // bytes of UTF-8, each as %XX): the bounds of the form's boxes bound it.
    qsizetype entered = 0;
    for (const QString &field : fields)
        entered += field.size();
    QX_FUZZ_CHECK(address.size() <= referralAddress(ReferralEntries{}).size() + 9 * entered, detail);

    const QByteArray page = pageAddress(SitePage::ReferAFriend).toLatin1();
    QX_FUZZ_CHECK(ascii.startsWith(page + '&'), detail);
    const QByteArrayList pairs = ascii.mid(page.size() + 1).split('&');
    QX_FUZZ_CHECK(pairs.size() == FieldCount + 1, detail);
    fields.append(SiteDirectory());
    for (int i = 0; i < pairs.size(); ++i) {
        const QByteArray name = "taf" + QByteArray::number(i + 1) + '=';
        QX_FUZZ_CHECK(pairs.at(i).startsWith(name), detail);
        checkValue(pairs.at(i).mid(name.size()), fields.at(i), detail);
    }

    QX_FUZZ_CHECK(QUrl::fromEncoded(ascii).toEncoded() == ascii, detail);
    return 0;
}
