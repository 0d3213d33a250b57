#pragma once

#include "core/platform/SettingsStore.h"

#include <QSettings>

#include <memory>

namespace qx {

// QSettings in the per-user INI store of the XDG config directory
// ($XDG_CONFIG_HOME/<name>/<name>.conf), under the given application name.
// A file that cannot be read or parsed reads as nothing, a store that cannot
// be written refuses the write; neither is reported any further.
class QtSettingsStore final : public SettingsStore {
public:
    explicit QtSettingsStore(const QString &applicationName);
    ~QtSettingsStore() override;
    std::optional<QString> value(const QString &section, const QString &key) override;
    bool setValue(const QString &section, const QString &key, const QString &value) override;
    void flush() override;
    QString fileName() const;

private:
    QSettings &settings() const;

    QString m_applicationName;
    mutable std::unique_ptr<QSettings> m_settings;
};

} // namespace qx
