// Runs the desktop program itself, offscreen, with its per-user directories in
// a temporary directory: the first start, a second copy, and a copy that was
// killed.

#include "core/SettingsEncoding.h"
#include "support/IsolatedUserDirectories.h"

#include <QCoreApplication>
#include <QDate>
#include <QProcess>
#include <QtTest>

namespace qx::test {
namespace {

const QString ProgramName = QStringLiteral("QXFreeFriendshipCompatibilityTest");

QString lockPath()
{
    return qEnvironmentVariable("XDG_CACHE_HOME") + QLatin1Char('/') + ProgramName + QLatin1Char('/')
        + ProgramName + QStringLiteral(".lock");
}

QString settingsPath()
{
    return qEnvironmentVariable("XDG_CONFIG_HOME") + QLatin1Char('/') + ProgramName
        + QLatin1Char('/') + ProgramName + QStringLiteral(".conf");
}

qint64 lockHolder()
{
    QFile file(lockPath());
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    return file.readLine().trimmed().toLongLong();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class Copy {
public:
    Copy()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        m_process.setProcessEnvironment(environment);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    }
    ~Copy() { stop(); }
    Copy(const Copy &) = delete;
    Copy &operator=(const Copy &) = delete;

    bool start(const QStringList &arguments = {})
    {
        m_process.start(QStringLiteral(QX_DESKTOP_PROGRAM), arguments);
        return m_process.waitForStarted(10000);
    }
    qint64 pid() const { return m_process.processId(); }
    bool running() const { return m_process.state() == QProcess::Running; }
    // Ends the copy as a crash or a kill would: nothing of it runs any more.
    void stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.kill();
        m_process.waitForFinished(10000);
    }

private:
    QProcess m_process;
};

} // namespace
} // namespace qx::test

using namespace qx;
using namespace qx::test;

class TestDesktopProgram : public QObject {
    Q_OBJECT

public:
    static void initMain() { isolateUserDirectories(); }

private Q_SLOTS:
    void startsRefusesASecondCopyAndSurvivesAKill()
    {
        QVERIFY(!QFileInfo::exists(lockPath()));
        QVERIFY(!QFileInfo::exists(settingsPath()));

        // First start: this copy holds the lock and remembers today.
        Copy first;
        QVERIFY(first.start({QStringLiteral("--ignored"), QStringLiteral("arguments")}));
        QTRY_COMPARE_WITH_TIMEOUT(lockHolder(), first.pid(), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(settingsPath()), 20000);
        QSettings stored(settingsPath(), QSettings::IniFormat);
        QCOMPARE(DecodeSetting(stored.value(QStringLiteral("Settings/")
                                            + EncodeSetting(QStringLiteral("Duration")))
                                   .toString()),
                 QDate::currentDate().toString(Qt::ISODate));
        QTest::qWait(500);
        QVERIFY(first.running());

        // A second copy leaves the lock and the settings of the first alone.
        const QByteArray settingsBefore = readFile(settingsPath());
        const QByteArray lockBefore = readFile(lockPath());
        {
            Copy second;
            QVERIFY(second.start());
            QTest::qWait(1500);
            QCOMPARE(readFile(lockPath()), lockBefore);
            QCOMPARE(readFile(settingsPath()), settingsBefore);
            QVERIFY(first.running());
        }

        // A copy that was killed leaves its lock behind; the next start takes it over.
        first.stop();
        QVERIFY(!first.running());
        QVERIFY(QFileInfo::exists(lockPath()));
        Copy next;
        QVERIFY(next.start());
        QTRY_COMPARE_WITH_TIMEOUT(lockHolder(), next.pid(), 20000);
        QTest::qWait(500);
        QVERIFY(next.running());
        QCOMPARE(readFile(settingsPath()), settingsBefore);
    }
};

QTEST_GUILESS_MAIN(TestDesktopProgram)
#include "tst_desktopprogram.moc"
