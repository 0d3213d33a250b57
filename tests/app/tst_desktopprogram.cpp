// Runs the desktop program itself, offscreen, with its per-user directories in
// a temporary directory: the first start, a second copy, and a copy that was
// killed.

#include "core/SettingsEncoding.h"
#include "support/IsolatedUserDirectories.h"

#include <QCoreApplication>
#include <QDate>
#include <QProcess>
#include <QtTest>

#include <csignal>

namespace qx::test {
namespace {

const QString ProgramName = QStringLiteral("QXFreeFriendshipCompatibilityTest");

QString lockFolder()
{
    return qEnvironmentVariable("XDG_CACHE_HOME") + QLatin1Char('/') + ProgramName;
}

// Whether the process holds a lock file of the program open, as a running
// copy holds its lock for its whole life.
bool holdsLockFile(qint64 pid)
{
    const QString descriptors = QStringLiteral("/proc/%1/fd").arg(pid);
    for (const QString &descriptor :
         QDir(descriptors).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
        if (const QString target = QFile::symLinkTarget(descriptors + QLatin1Char('/') + descriptor);
            target.startsWith(lockFolder() + QLatin1Char('/')) && target.endsWith(QStringLiteral(".lock")))
            return true;
    return false;
}

QString settingsPath()
{
    return qEnvironmentVariable("XDG_CONFIG_HOME") + QLatin1Char('/') + ProgramName + QLatin1Char('/') + ProgramName
           + QStringLiteral(".conf");
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
    // Ends the copy as the session does, once it catches SIGTERM: true when
    // it then ends as Exit ends it, with status 0.
    bool endAsTheSessionDoes()
    {
        const QString status = QStringLiteral("/proc/%1/status").arg(pid());
        const auto catchesTermination = [&] {
            for (const QByteArray &line : readFile(status).split('\n'))
                if (line.startsWith("SigCgt:"))
                    return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (SIGTERM - 1)) & 1;
            return 0ULL;
        };
        if (!QTest::qWaitFor([&] { return catchesTermination() != 0; }, 20000) || ::kill(pid(), SIGTERM) != 0)
            return false;
        return m_process.waitForFinished(20000) && m_process.exitStatus() == QProcess::NormalExit
               && m_process.exitCode() == 0;
    }
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
        QVERIFY(!QFileInfo::exists(lockFolder()));
        QVERIFY(!QFileInfo::exists(settingsPath()));

        // First start: this copy holds the lock and remembers today.
        Copy first;
        QVERIFY(first.start({QStringLiteral("--ignored"), QStringLiteral("arguments")}));
        QTRY_VERIFY_WITH_TIMEOUT(holdsLockFile(first.pid()), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(settingsPath()), 20000);
        QSettings stored(settingsPath(), QSettings::IniFormat);
        QCOMPARE(DecodeSetting(
                     stored.value(QStringLiteral("Settings/") + EncodeSetting(QStringLiteral("Duration"))).toString()),
                 QDate::currentDate().toString(Qt::ISODate));
        QTest::qWait(500);
        QVERIFY(first.running());

        // A second copy leaves the lock and the settings of the first alone.
        const QByteArray settingsBefore = readFile(settingsPath());
        const QStringList locksBefore = QDir(lockFolder()).entryList(QDir::Files);
        QCOMPARE(locksBefore.size(), 1);
        {
            Copy second;
            QVERIFY(second.start());
            QTest::qWait(1500);
            QCOMPARE(QDir(lockFolder()).entryList(QDir::Files), locksBefore);
            QVERIFY(!holdsLockFile(second.pid()));
            QCOMPARE(readFile(settingsPath()), settingsBefore);
            QVERIFY(first.running());
            // Ended while its refusal is up, it ends and its event loop never starts.
            QVERIFY(second.endAsTheSessionDoes());
        }

        // A copy that was killed holds nothing any more; the next start runs at once.
        first.stop();
        QVERIFY(!first.running());
        Copy next;
        QVERIFY(next.start());
        QTRY_VERIFY_WITH_TIMEOUT(holdsLockFile(next.pid()), 20000);
        QTest::qWait(500);
        QVERIFY(next.running());
        QCOMPARE(readFile(settingsPath()), settingsBefore);
        QVERIFY(next.endAsTheSessionDoes());
    }
};

QTEST_GUILESS_MAIN(TestDesktopProgram)
#include "tst_desktopprogram.moc"
