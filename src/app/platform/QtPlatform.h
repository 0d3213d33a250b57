#pragma once

#include "Platform.h"

#include <QRandomGenerator>
#include <QSettings>

#include <memory>

namespace qx {

class QtMessageBoxes final : public MessageBoxes {
public:
    MessageAnswer show(QWidget *parent, const QString &text, MessageIcon icon,
                       MessageButtons buttons) override;
};

class DesktopUrlOpener final : public UrlOpener {
public:
    void open(const QString &address) override;
};

class SystemClock final : public Clock {
public:
    QDate today() const override;
};

class QtRandomSource final : public RandomSource {
public:
    void randomize() override;
    float next() override;

private:
    QRandomGenerator m_generator;
};

class SystemClipboard final : public Clipboard {
public:
    void clear() override;
};

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

// The program's base name, which names its settings and its lock.
QString ExecutableBaseName();

} // namespace qx
