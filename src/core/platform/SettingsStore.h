#pragma once

#include <QString>

#include <optional>

namespace qx {

// The per-user settings store: text values addressed by section and key.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The stored value (empty when missing), or nothing when the store cannot be read.
    virtual std::optional<QString> value(const QString &section, const QString &key) = 0;
    // Stores a value, read back at once; false when the store cannot be
    // written. It reaches the disk at the next flush().
    virtual bool setValue(const QString &section, const QString &key, const QString &value) = 0;
    // Writes what is pending to the disk and syncs it.
    virtual void flush() {}
};

} // namespace qx
