#pragma once

// Points every per-user directory (home, config, cache, data, runtime) into a
// temporary directory for the rest of the test program, so that a test can
// use the real settings store and the real single-instance lock without
// touching the user's own. QSettings fixes its paths on first use, so this
// must run before the application object exists: the test class calls it
// from its initMain(), which QTEST_MAIN runs first:
//
//     static void initMain() { qx::test::isolateUserDirectories(); }

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <optional>

namespace qx::test {

inline void isolateUserDirectories()
{
    static QTemporaryDir root;
    if (!root.isValid())
        qFatal("cannot create a temporary directory");
    const auto set = [](const char *variable, const QString &name) {
        QDir().mkpath(root.filePath(name));
        qputenv(variable, QFile::encodeName(root.filePath(name)));
    };
    set("HOME", "home");
    set("XDG_CONFIG_HOME", "config");
    set("XDG_CACHE_HOME", "cache");
    set("XDG_DATA_HOME", "data");
    set("XDG_RUNTIME_DIR", "runtime");
    QFile::setPermissions(root.filePath("runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// An environment variable set (unset, for an empty value) while the object lives.
class ScopedVariable {
public:
    ScopedVariable(const char *name, const QByteArray &value)
        : m_name(name)
        , m_saved(qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt)
    {
        value.isEmpty() ? qunsetenv(name) : qputenv(name, value);
    }
    ~ScopedVariable() { m_saved ? qputenv(m_name, *m_saved) : qunsetenv(m_name); }
    Q_DISABLE_COPY(ScopedVariable)

private:
    const char *m_name;
    std::optional<QByteArray> m_saved;
};

} // namespace qx::test
