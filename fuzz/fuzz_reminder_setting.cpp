// The settings encoding and the update reminder on arbitrary stored values,
// and on arbitrary settings files.
//
// Input: byte 0 chooses the answer to the question (bit 0: Yes) and whether
// the store fails (bit 1: cannot be read, bit 2: cannot be written); bytes 1
// and 2 give today's date as a day count from 1 January 2000; the rest is the
// stored value as UTF-16 code units (little-endian), lone surrogates and all.
// With bit 3 of byte 0, the rest is instead the settings file of the real
// store, of the kind bits 4 and 5 choose: a regular file of those bytes, a
// FIFO, a folder, or a sparse file of up to 16 GiB (the bytes give its size).
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
// - On a settings file, PromptForUpdate returns; a file that is not a
//   regular one or is larger than 64 KiB brings no question and stays as it
//   was, and any other file stays as it was unless the store wrote today.

#include "core/platform/QtSettingsStore.h"
#include "core/SettingsEncoding.h"
#include "core/SiteDirectory.h"
#include "core/UpdateReminder.h"
#include "FuzzCheck.h"
#include "support/TestPlatform.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

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
    const bool asks = !unreadable && !decoded.isEmpty() && last.isValid() && qAbs(today.daysTo(last)) > 14;
    const bool writes = !unreadable && (decoded.isEmpty() || asks);
    const bool written = writes && !unwritable;
    const QString detail = QStringLiteral("today %1, stored %2, decoded %3, flags %4")
                               .arg(today.toString(Qt::ISODate), codes(stored), codes(decoded))
                               .arg(flags);

    QX_FUZZ_CHECK(services.messages.messages.size() == (asks ? 1 : 0), detail);
    if (asks) {
        const test::RecordedMessage &question = services.messages.messages.constFirst();
        QX_FUZZ_CHECK(question.buttons == MessageButtons::YesNo, detail);
        QX_FUZZ_CHECK(question.text
                          == QStringLiteral("There maybe an update to this software available\r"
                                            "Do you want to check for an update?"),
                      detail);
    }
    QX_FUZZ_CHECK(services.settings.writeCount == (writes ? 1 : 0), detail);
    QX_FUZZ_CHECK(services.settings.values.value(key) == (written ? todayStored : stored), detail);
    const QStringList expectedPages = asks && answerYes && written ? QStringList{pageAddress(SitePage::Download)}
                                                                   : QStringList{};
    QX_FUZZ_CHECK(services.urls.addresses == expectedPages, detail);
}

enum class FileKind { Regular, Fifo, Folder, Sparse };

struct FileState {
    mode_t type = 0;
    off_t size = 0;
    QByteArray content;
    bool operator==(const FileState &) const = default;
};

FileState stateOf(const QString &path)
{
    FileState state;
    struct stat status = {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return state;
    state.type = status.st_mode & S_IFMT;
    state.size = status.st_size;
    if (S_ISREG(status.st_mode) && status.st_size <= 64 * 1024) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            state.content = file.readAll();
    }
    return state;
}

void makeSettingsFile(const QString &path, FileKind kind, const QByteArray &bytes)
{
    const QByteArray name = QFile::encodeName(path);
    if (kind == FileKind::Fifo) {
        ::mkfifo(name.constData(), 0600);
    } else if (kind == FileKind::Folder) {
        QDir().mkpath(path);
    } else {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && kind == FileKind::Regular)
            file.write(bytes);
        file.close();
        if (kind == FileKind::Sparse) {
            quint64 size = 0;
            for (const char byte : bytes.left(4))
                size = (size << 8) | quint8(byte);
            ::truncate(name.constData(), off_t(size << 2)); // up to 16 GiB
        }
    }
}

void checkSettingsFile(std::uint8_t flags, const QDate &today, const QByteArray &bytes)
{
    static QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome.path()));
    const QString name = QStringLiteral("Fuzz");
    const QString folder = configHome.filePath(name);
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".conf");
    const auto kind = FileKind((flags >> 4) & 3);
    makeSettingsFile(path, kind, bytes);
    const FileState before = stateOf(path);

    test::TestPlatform services;
    QtSettingsStore store(name);
    Platform withFile = platform();
    withFile.settings = &store;
    installPlatform(withFile);
    services.clock.date = today;
    services.messages.answers.enqueue(flags & 1 ? MessageAnswer::Yes : MessageAnswer::No);

    PromptForUpdate();
    store.flush();

    const FileState after = stateOf(path);
    const QString detail =
        QStringLiteral("kind %1, %2 bytes, size %3").arg(int(kind)).arg(bytes.size()).arg(before.size);
    if (before.type != S_IFREG || before.size > 64 * 1024) {
        QX_FUZZ_CHECK(services.messages.messages.isEmpty(), detail);
        QX_FUZZ_CHECK(after == before, detail);
    } else if (!(after == before)) {
        const QString key = EncodeSetting(QStringLiteral("Duration"));
        QX_FUZZ_CHECK(QtSettingsStore(name).value(QStringLiteral("Settings"), key)
                          == EncodeSetting(reminderDateText(today)),
                      detail);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < HeaderSize)
        return 0;
    const std::uint8_t flags = data[0];
    const QDate today = QDate(2000, 1, 1).addDays(data[1] | (data[2] << 8));
    if (flags & 8) {
        checkSettingsFile(flags, today,
                          QByteArray(reinterpret_cast<const char *>(data + HeaderSize), qsizetype(size - HeaderSize)));
        return 0;
    }
    const QString stored = textOf(data + HeaderSize, size - HeaderSize);

    checkEncoding(stored);

    const QDate last = reminderDateFromText(DecodeSetting(stored));
    if (last.isValid())
        QX_FUZZ_CHECK(reminderDateFromText(reminderDateText(last)) == last, codes(stored));
    QX_FUZZ_CHECK(reminderDateFromText(reminderDateText(today)) == today, today.toString());

    checkReminder(flags, today, stored);
    return 0;
}
