#pragma once

#include "core/platform/SettingsStore.h"

#include <QHash>
#include <QSettings>

#include <memory>

namespace qx {

// QSettings in the per-user INI store of the XDG config directory
// ($XDG_CONFIG_HOME/<name>/<name>.conf, see UserDirectories.h), under the
// given application name. A value set is read back at once and reaches the
// disk, synced, at the next flush(). A file that cannot be read or parsed, is
// not a regular file or is larger than any the program writes reads as nothing
// and is never written; a store that cannot be written refuses the value;
// neither is reported any further.
class QtSettingsStore final : public SettingsStore {
public:
    explicit QtSettingsStore(const QString &applicationName);
    ~QtSettingsStore() override;
    std::optional<QString> value(const QString &section, const QString &key) override;
    bool setValue(const QString &section, const QString &key, const QString &value) override;
    void flush() override;
    QString fileName() const;

private:
    // The store, or nullptr when its file is unusable.
    QSettings *usableSettings();

    QString m_fileName;
    std::unique_ptr<QSettings> m_settings;
    QHash<QString, QString> m_pending; // "section/key" -> value, not on disk yet
};

} // namespace qx
