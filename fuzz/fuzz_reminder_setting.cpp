// The settings encoding and the update reminder on arbitrary stored values.
//
// Input: byte 0 chooses the answer to the question (bit 0: Yes) and whether
// the store fails (bit 1: cannot be read, bit 2: cannot be written); bytes 1
// and 2 give today's date as a day count from 1 January 2000; the rest is the
// stored value as UTF-16 code units (little-endian), lone surrogates and all.
//
// Properties:
// - DecodeSetting keeps only codes 0 to 170, and EncodeSetting gives back
//   exactly the codes of the stored text that lie from 85 to 255;
// - the reminder date text of any valid date reads back as that date;
// - PromptForUpdate, run on a memory store and a fixed clock, asks its
//   question exactly when the stored date is readable and lies more than 14
//   days from today, writes today (encoded) exactly on the first start and
//   after the question, and opens the download page only on Yes after a
//   successful write. A value that is no date is never changed.

#include "core/SettingsEncoding.h"
#include "core/SiteDirectory.h"
#include "core/UpdateReminder.h"
#include "FuzzCheck.h"
#include "support/TestPlatform.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

using namespace qx;

namespace {

constexpr std::size_t HeaderSize = 3;

QString textOf(const std::uint8_t *data, std::size_t size)
{
    QString text(static_cast<qsizetype>(size / 2), Qt::Uninitialized);
    for (std::size_t i = 0; i + 1 < size; i += 2)
        text[static_cast<qsizetype>(i / 2)] = QChar(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    return text;
}

QString keep(const QString &text, int lowest, int highest)
{
    QString kept;
    for (const QChar character : text)
        if (character.unicode() >= lowest && character.unicode() <= highest)
            kept.append(character);
    return kept;
}

QString codes(const QString &text)
{
    QStringList list;
    for (const QChar character : text)
        list.append(QString::number(character.unicode()));
    return QStringLiteral("[") + list.join(u' ') + QStringLiteral("]");
}

void checkEncoding(const QString &stored)
{
    const QString decoded = DecodeSetting(stored);
    const QString detail = QStringLiteral("stored %1\ndecoded %2").arg(codes(stored), codes(decoded));
    QX_FUZZ_CHECK(decoded.size() <= stored.size(), detail);
    QX_FUZZ_CHECK(keep(decoded, 0, 170) == decoded, detail);
    QX_FUZZ_CHECK(EncodeSetting(decoded) == keep(stored, 85, 255), detail);
    QX_FUZZ_CHECK(DecodeSetting(EncodeSetting(stored)) == keep(stored, 0, 170), detail);
}

void checkReminder(std::uint8_t flags, const QDate &today, const QString &stored)
{
    const bool answerYes = flags & 1;
    const bool unreadable = flags & 2;
    const bool unwritable = flags & 4;
    const QString key = QStringLiteral("Settings/") + EncodeSetting(QStringLiteral("Duration"));
    const QString todayStored = EncodeSetting(reminderDateText(today));

    test::TestPlatform services;
    services.clock.date = today;
    services.settings.unreadable = unreadable;
    services.settings.unwritable = unwritable;
    if (!stored.isEmpty())
        services.settings.values.insert(key, stored);
    services.messages.answers.enqueue(answerYes ? MessageAnswer::Yes : MessageAnswer::No);

    PromptForUpdate();

    const QString decoded = DecodeSetting(stored);
    const QDate last = reminderDateFromText(decoded);
    const bool asks = !unreadable && !decoded.isEmpty() && last.isValid()
                      && qAbs(today.daysTo(last)) > 14;
    const bool writes = !unreadable && (decoded.isEmpty() || asks);
    const bool written = writes && !unwritable;
    const QString detail = QStringLiteral("today %1, stored %2, decoded %3, flags %4")
                               .arg(today.toString(Qt::ISODate), codes(stored), codes(decoded))
                               .arg(flags);

    QX_FUZZ_CHECK(services.messages.messages.size() == (asks ? 1 : 0), detail);
    if (asks) {
        const test::RecordedMessage &question = services.messages.messages.constFirst();
        QX_FUZZ_CHECK(question.buttons == MessageButtons::YesNo, detail);
        QX_FUZZ_CHECK(question.text == QStringLiteral("There maybe an update to this software available\r"
                                                      "Do you want to check for an update?"),
                      detail);
    }
    QX_FUZZ_CHECK(services.settings.writeCount == (writes ? 1 : 0), detail);
    QX_FUZZ_CHECK(services.settings.values.value(key) == (written ? todayStored : stored), detail);
    const QStringList expectedPages = asks && answerYes && written
                                          ? QStringList{pageAddress(QStringLiteral("download-web-page"))}
                                          : QStringList{};
    QX_FUZZ_CHECK(services.urls.addresses == expectedPages, detail);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < HeaderSize)
        return 0;
    const std::uint8_t flags = data[0];
    const QDate today = QDate(2000, 1, 1).addDays(data[1] | (data[2] << 8));
    const QString stored = textOf(data + HeaderSize, size - HeaderSize);

    checkEncoding(stored);

    const QDate last = reminderDateFromText(DecodeSetting(stored));
    if (last.isValid())
        QX_FUZZ_CHECK(reminderDateFromText(reminderDateText(last)) == last, codes(stored));
    QX_FUZZ_CHECK(reminderDateFromText(reminderDateText(today)) == today, today.toString());

    checkReminder(flags, today, stored);
    return 0;
}
