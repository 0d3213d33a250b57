#pragma once

// Points every per-user directory (home, config, cache, data, runtime) into a
// temporary directory, so that a test can use the real settings store and the
// real single-instance lock without touching the user's own. Must be set up
// before the application object exists: QSettings fixes its paths on first use.

#ifdef QT_WIDGETS_LIB
#include <QApplication>
#define QX_TEST_APPLICATION QApplication
#else
#include <QCoreApplication>
#define QX_TEST_APPLICATION QCoreApplication
#endif
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace qx::test {

class IsolatedUserDirectories {
public:
    IsolatedUserDirectories()
    {
        if (!m_root.isValid())
            qFatal("cannot create a temporary directory");
        set("HOME", "home");
        set("XDG_CONFIG_HOME", "config");
        set("XDG_CACHE_HOME", "cache");
        set("XDG_DATA_HOME", "data");
        set("XDG_RUNTIME_DIR", "runtime");
        QFile::setPermissions(path("runtime"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QString path(const QString &name) const { return m_root.filePath(name); }
    QString root() const { return m_root.path(); }

private:
    void set(const char *variable, const QString &name)
    {
        QDir().mkpath(path(name));
        qputenv(variable, QFile::encodeName(path(name)));
    }

    QTemporaryDir m_root;
};

} // namespace qx::test

// Like QTEST_MAIN (an application of the kind the test links), with the
// per-user directories isolated first.
#define QX_ISOLATED_TEST_MAIN(TestObject)                                                        \
    int main(int argc, char *argv[])                                                             \
    {                                                                                            \
        static qx::test::IsolatedUserDirectories directories;                                    \
        QX_TEST_APPLICATION app(argc, argv);                                                      \
        TestObject test;                                                                         \
        QTEST_SET_MAIN_SOURCE_PATH                                                               \
        return QTest::qExec(&test, argc, argv);                                                  \
    }
