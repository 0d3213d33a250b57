#pragma once

#include <QDate>
#include <QString>

namespace qx {

// Once per start: when the date of the last reminder lies more than 14 days
// from today, either way, asks whether to check for an update and, on Yes,
// opens the download page. The first start only remembers today. The date
// an answer stores reaches the disk before anything else happens; the one a
// first start stores waits for the settings' next flush.
void PromptForUpdate();

// The reminder date as it is stored before encoding: ISO 8601 (yyyy-MM-dd), the
// one date text that reads back as the same date in every locale and after the
// user has switched locales between two starts.
QString reminderDateText(const QDate &date);
// The date in a stored text; invalid when the text is not such a date.
QDate reminderDateFromText(const QString &text);

} // namespace qx
