#include "core/platform/QtSettingsStore.h"

#include "core/StaleLockFiles.h"
#include "core/UserDirectories.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>

namespace qx {

namespace {

// The store holds one short date. A file larger than this is no file of ours:
// it is left alone, and never read whole.
constexpr qint64 MaxSettingsFileSize = 64 * 1024;

// QSettings reads almost anything as an INI file and takes what it cannot
// parse for missing keys. Accept only a file that is text made of blank
// lines, comments, section headers and key=value lines; anything else is
// taken for a store that cannot be read, and is neither read nor rewritten.
bool looksLikeIniText(const QByteArray &bytes)
{
    if (bytes.contains('\0'))
        return false;
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    if (utf8.hasError())
        return false;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const QString content = line.trimmed();
        if (content.isEmpty() || content.startsWith(QLatin1Char(';')) || content.startsWith(QLatin1Char('#')))
            continue;
        if (content.startsWith(QLatin1Char('[')) && content.endsWith(QLatin1Char(']')))
            continue;
        // A key may be empty: QSettings itself writes "=" for a key "/".
        if (content.contains(QLatin1Char('=')))
            continue;
        return false;
    }
    return true;
}

// True when the store's file is missing (nothing stored yet) or is a
// readable settings file. Looked at before QSettings opens it: QSettings
// reads a FIFO for ever and a huge file whole.
bool isUsableSettingsFile(const QString &path)
{
    struct stat status = {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return errno == ENOENT;
    if (!S_ISREG(status.st_mode) || status.st_size > MaxSettingsFileSize)
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.read(MaxSettingsFileSize + 1);
    return bytes.size() <= MaxSettingsFileSize && looksLikeIniText(bytes);
}

} // namespace

QtSettingsStore::QtSettingsStore(const QString &applicationName)
    : m_fileName(userConfigDirectory() + QLatin1Char('/') + applicationName + QLatin1Char('/') + applicationName
                 + QStringLiteral(".conf"))
{
}

QtSettingsStore::~QtSettingsStore() = default;

QSettings *QtSettingsStore::usableSettings()
{
    if (!isUsableSettingsFile(m_fileName))
        return nullptr;
    // Opened on first use: a run that never asks for a setting never reads the file.
    if (!m_settings)
        m_settings = std::make_unique<QSettings>(m_fileName, QSettings::IniFormat);
    return m_settings->status() == QSettings::NoError ? m_settings.get() : nullptr;
}

std::optional<QString> QtSettingsStore::value(const QString &section, const QString &key)
{
    QSettings *settings = usableSettings();
    if (!settings)
        return std::nullopt;
    QSettings &store = *settings;
    const QString path = section + QLatin1Char('/') + key;
    if (const auto pending = m_pending.constFind(path); pending != m_pending.cend())
        return *pending;
    if (!store.contains(path))
        return QString();
    const QVariant stored = store.value(path);
    // QSettings parses a section's lines when a value of it is first asked
    // for, and only then finds a line it cannot read.
    if (store.status() != QSettings::NoError)
        return std::nullopt;
    if (stored.typeId() != QMetaType::QString)
        return std::nullopt; // a list, a foreign type or a value that did not load
    return stored.toString();
}

bool QtSettingsStore::makeFolder() const
{
    return makeUserFolder(QFileInfo(m_fileName).path());
}

bool QtSettingsStore::setValue(const QString &section, const QString &key, const QString &value)
{
    // Made here, not by QSettings, which would make every missing folder
    // above it too, with the modes the umask leaves.
    if (!makeFolder())
        return false;
    QSettings *store = usableSettings();
    if (!store || !store->isWritable())
        return false;
    // Held here, not in QSettings, which would write it on its next event,
    // before the first frame.
    m_pending.insert(section + QLatin1Char('/') + key, value);
    return true;
}

void QtSettingsStore::flush()
{
    if (!m_pending.isEmpty()) {
        // QSettings waits for its lock file to be free, and would wait for
        // ever on one that no program holds.
        removeStaleLockFile(m_fileName + QStringLiteral(".lock"));
        // The folder may have gone since the value was set.
        if (makeFolder()) {
            if (QSettings *store = usableSettings()) {
                const QByteArray name = QFile::encodeName(m_fileName);
                struct stat status = {};
                const bool making = ::lstat(name.constData(), &status) != 0;
                for (auto pending = m_pending.cbegin(); pending != m_pending.cend(); ++pending)
                    store->setValue(pending.key(), pending.value());
                store->sync();
                // QSettings makes the file with the modes the umask leaves
                // (and gives the one it writes anew the modes of the old): the
                // file made here is the user's to read and write alone.
                if (making) {
                    [[maybe_unused]] const int changed = ::fchmodat(AT_FDCWD, name.constData(), 0600,
                                                                    AT_SYMLINK_NOFOLLOW);
                }
            }
        }
        m_pending.clear();
    }
    // Closing lets the file go while the application still exists: a store
    // kept open until static destruction would outlive the settings machinery
    // of Qt it was opened with. The next use opens the file again.
    m_settings.reset();
}

QString QtSettingsStore::fileName() const
{
    return m_fileName;
}

} // namespace qx
