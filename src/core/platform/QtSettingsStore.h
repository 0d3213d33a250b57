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
// neither is reported any further. Without a home folder (or the folder its
// variable names) there is no store to write: nothing is made above it.
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
    // The store's folder, made for this user alone if need be (see
    // makeUserFolder()); false when it cannot be there.
    bool makeFolder() const;

    QString m_fileName;
    std::unique_ptr<QSettings> m_settings;
    QHash<QString, QString> m_pending; // "section/key" -> value, not on disk yet
};

} // namespace qx
