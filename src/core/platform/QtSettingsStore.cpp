#include "core/platform/QtSettingsStore.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace qx {

namespace {

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
        if (content.isEmpty() || content.startsWith(QLatin1Char(';'))
            || content.startsWith(QLatin1Char('#')))
            continue;
        if (content.startsWith(QLatin1Char('[')) && content.endsWith(QLatin1Char(']')))
            continue;
        if (content.indexOf(QLatin1Char('=')) > 0)
            continue;
        return false;
    }
    return true;
}

// True when the store's file is missing (nothing stored yet) or is a
// readable settings file.
bool isUsableSettingsFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return true;
    if (!info.isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return looksLikeIniText(file.readAll());
}

} // namespace

QtSettingsStore::QtSettingsStore(const QString &applicationName)
    : m_applicationName(applicationName)
{
}

QtSettingsStore::~QtSettingsStore() = default;

QSettings &QtSettingsStore::settings() const
{
    // Opened on first use: a run that never asks for a setting never reads the file.
    if (!m_settings)
        m_settings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                                 m_applicationName, m_applicationName);
    return *m_settings;
}

std::optional<QString> QtSettingsStore::value(const QString &section, const QString &key)
{
    QSettings &store = settings();
    if (!isUsableSettingsFile(store.fileName()) || store.status() != QSettings::NoError)
        return std::nullopt;
    const QString path = section + QLatin1Char('/') + key;
    if (!store.contains(path))
        return QString();
    const QVariant stored = store.value(path);
    if (stored.typeId() != QMetaType::QString)
        return std::nullopt; // a list, a foreign type or a value that did not load
    return stored.toString();
}

bool QtSettingsStore::setValue(const QString &section, const QString &key, const QString &value)
{
    QSettings &store = settings();
    if (!isUsableSettingsFile(store.fileName()) || store.status() != QSettings::NoError)
        return false;
    store.setValue(section + QLatin1Char('/') + key, value);
    store.sync();
    return store.status() == QSettings::NoError;
}

void QtSettingsStore::flush()
{
    // Closing writes what is pending. It also lets the file go while the
    // application still exists: a store kept open until static destruction
    // would outlive the settings machinery of Qt it was opened with. The next
    // use opens the file again.
    m_settings.reset();
}

QString QtSettingsStore::fileName() const
{
    return settings().fileName();
}

} // namespace qx
