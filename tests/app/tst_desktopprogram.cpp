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

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qx::test {
namespace {

const QString ProgramName = QStringLiteral("QXFreeFriendshipCompatibilityTest");

// The user nobody (Debian's uid and gid) that root runs a copy as.
constexpr uid_t NobodyId = 65534;

QString lockFolder()
{
    return qEnvironmentVariable("XDG_CACHE_HOME") + QLatin1Char('/') + ProgramName;
}

// The files in the folder that the process holds open.
QStringList openFiles(qint64 pid, const QString &folder)
{
    QStringList open;
    const QString descriptors = QStringLiteral("/proc/%1/fd").arg(pid);
    for (const QString &descriptor :
         QDir(descriptors).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
        if (const QString target = QFile::symLinkTarget(descriptors + QLatin1Char('/') + descriptor);
            target.startsWith(folder + QLatin1Char('/')))
            open.append(target);
    return open;
}

// Whether the process holds a lock file of the program open, as a running
// copy holds its lock for its whole life.
bool holdsLockFile(qint64 pid, const QString &folder = lockFolder())
{
    return !openFiles(pid, folder).filter(QRegularExpression(QStringLiteral("\\.lock$"))).isEmpty();
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

// The permission bits of what lies at the path, -1 when nothing does.
int modeOf(const QString &path)
{
    struct stat status = {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? int(status.st_mode & 07777) : -1;
}

class Copy {
public:
    explicit Copy(QProcessEnvironment environment = QProcessEnvironment::systemEnvironment())
    {
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        // The marks of the start-up's steps on standard error.
        environment.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("qx.startup.debug=true"));
        m_process.setProcessEnvironment(environment);
    }
    // Runs the copy under the umask, and as the user nobody when this is
    // root, for whom modes mean nothing.
    void runAsUnprivilegedUser(mode_t mask)
    {
        m_process.setChildProcessModifier([mask] {
            if (::geteuid() == 0
                && (::setgroups(0, nullptr) != 0 || ::setgid(NobodyId) != 0 || ::setuid(NobodyId) != 0))
                ::_exit(100);
            ::umask(mask);
        });
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
    // Waits until the copy has written the line to its standard error.
    bool waitForLog(const QByteArray &line)
    {
        return QTest::qWaitFor(
            [&] {
                m_log += m_process.readAllStandardError();
                return m_log.contains(line);
            },
            20000);
    }
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
    QByteArray m_log;
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
        QVERIFY(first.waitForLog("start-up settled"));
        QVERIFY(holdsLockFile(first.pid()));
        QSettings stored(settingsPath(), QSettings::IniFormat);
        QCOMPARE(DecodeSetting(
                     stored.value(QStringLiteral("Settings/") + EncodeSetting(QStringLiteral("Duration"))).toString()),
                 QDate::currentDate().toString(Qt::ISODate));
        QVERIFY(first.running());

        // A second copy leaves the lock and the settings of the first alone.
        const QByteArray settingsBefore = readFile(settingsPath());
        const QStringList locksBefore = QDir(lockFolder()).entryList(QDir::Files);
        QCOMPARE(locksBefore.size(), 1);
        {
            Copy second;
            QVERIFY(second.start());
            QVERIFY(second.waitForLog("another copy runs"));
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
        QVERIFY(next.waitForLog("start-up settled"));
        QVERIFY(holdsLockFile(next.pid()));
        QVERIFY(next.running());
        QCOMPARE(readFile(settingsPath()), settingsBefore);
        QVERIFY(next.endAsTheSessionDoes());
    }

    // Whatever the umask, the folders and files a first start makes are the
    // user's alone, and it makes nothing above the cache and configuration
    // folders: without a home folder it runs without guard and settings.
    void aStartMakesFoldersForTheUserAlone_data()
    {
        QTest::addColumn<int>("mask");
        QTest::addColumn<bool>("home"); // whether the home folder exists
        QTest::newRow("umask 0777") << 0777 << true;
        QTest::newRow("umask 022") << 022 << true;
        QTest::newRow("no home folder") << 022 << false;
    }

    void aStartMakesFoldersForTheUserAlone()
    {
        QFETCH(int, mask);
        QFETCH(bool, home);
        QTemporaryDir root;
        QVERIFY(root.isValid());
        if (::geteuid() == 0)
            QCOMPARE(::chown(QFile::encodeName(root.path()).constData(), NobodyId, NobodyId), 0);
        const QString homeFolder = root.filePath(home ? QStringLiteral("home") : QStringLiteral("gone/home"));
        QVERIFY(!home || QDir().mkdir(homeFolder));
        if (home && ::geteuid() == 0)
            QCOMPARE(::chown(QFile::encodeName(homeFolder).constData(), NobodyId, NobodyId), 0);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), homeFolder);
        for (const char *variable : {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR"})
            environment.remove(QLatin1String(variable));
        Copy copy(environment);
        copy.runAsUnprivilegedUser(mode_t(mask));
        QVERIFY(copy.start());
        QVERIFY(copy.waitForLog("start-up settled"));

        const QString cache = homeFolder + QStringLiteral("/.cache");
        const QString config = homeFolder + QStringLiteral("/.config");
        if (home) {
            const QStringList locks = QDir(cache + QLatin1Char('/') + ProgramName).entryList(QDir::Files);
            QCOMPARE(locks.size(), 1);
            QVERIFY(holdsLockFile(copy.pid(), cache + QLatin1Char('/') + ProgramName));
            const QString settings = config + QLatin1Char('/') + ProgramName + QLatin1Char('/') + ProgramName
                                     + QStringLiteral(".conf");
            const std::pair<QString, int> made[] = {
                {cache, 0700},
                {cache + QLatin1Char('/') + ProgramName, 0700},
                {cache + QLatin1Char('/') + ProgramName + QLatin1Char('/') + locks.value(0), 0600},
                {config, 0700},
                {config + QLatin1Char('/') + ProgramName, 0700},
                {settings, 0600},
            };
            for (const auto &[path, mode] : made)
                QVERIFY2(modeOf(path) == mode,
                         qPrintable(QStringLiteral("%1 has mode %2").arg(path).arg(modeOf(path), 0, 8)));
            // The settings are on the disk, and their file let go.
            QCOMPARE(openFiles(copy.pid(), config), QStringList());
        } else {
            QVERIFY(!QFileInfo::exists(root.filePath(QStringLiteral("gone"))));
        }
        QVERIFY(copy.endAsTheSessionDoes());
    }
};

QTEST_GUILESS_MAIN(TestDesktopProgram)
#include "tst_desktopprogram.moc"
