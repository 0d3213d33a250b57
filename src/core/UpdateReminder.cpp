#include "core/UpdateReminder.h"

#include "core/modHelp.h"
#include "core/platform/Platform.h"
#include "core/SettingsEncoding.h"

namespace qx {

namespace {

constexpr qint64 QuietDays = 14;

QString section()
{
    return QStringLiteral("Settings");
}

QString reminderKey()
{
    return EncodeSetting(QStringLiteral("Duration"));
}

QString question()
{
    // A lone carriage return separates the two lines.
    return QStringLiteral("There maybe an update to this software available\r"
                          "Do you want to check for an update?");
}

bool storeToday(SettingsStore &settings, const QDate &today)
{
    return settings.setValue(section(), reminderKey(), EncodeSetting(reminderDateText(today)));
}

} // namespace

QString reminderDateText(const QDate &date)
{
    return date.toString(Qt::ISODate);
}

QDate reminderDateFromText(const QString &text)
{
    return QDate::fromString(text, Qt::ISODate);
}

void PromptForUpdate()
{
    const Platform &services = platform();
    SettingsStore &settings = *services.settings;

    const std::optional<QString> stored = settings.value(section(), reminderKey());
    if (!stored)
        return; // the store cannot be read
    const QString lastReminder = DecodeSetting(*stored);
    const QDate today = services.clock->today();
    if (!today.isValid())
        return; // no clock: no day to count from or to remember

    if (lastReminder.isEmpty()) {
        storeToday(settings, today);
        return;
    }

    const QDate last = reminderDateFromText(lastReminder);
    if (!last.isValid())
        return; // not a date: no question, and the value stays as it is
    const qint64 days = today.daysTo(last);
    if (days >= -QuietDays && days <= QuietDays)
        return;

    const MessageAnswer answer = services.messages->show(question(), MessageIcon::Information, MessageButtons::YesNo);
    // Unanswered: the program is ending, or no message boxes are installed;
    // the question comes again at the next start.
    if (answer == MessageAnswer::Unanswered)
        return;
    if (!storeToday(settings, today))
        return; // the store cannot be written
    // The answer goes to the disk at once, before the page opens or the main
    // window comes up: a crash in between must not bring the question back.
    // The question has made the user wait already; this costs nothing more.
    settings.flush();
    if (answer == MessageAnswer::Yes)
        OpenDownloadPage();
}

} // namespace qx
