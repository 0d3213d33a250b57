#include "core/platform/QtSettingsStore.h"
#include "core/SingleInstanceGuard.h"
#include "support/IsolatedUserDirectories.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSysInfo>
#include <QtTest>

#include <sys/stat.h>

#include <atomic>
#include <latch>
#include <thread>
#include <vector>

namespace qx::test {
namespace {

QString runtimeDirectory()
{
    return qEnvironmentVariable("XDG_RUNTIME_DIR");
}

QString lockIn(const QString &name)
{
    return runtimeDirectory() + QLatin1Char('/') + name + QStringLiteral(".lock");
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

qint64 recordedPid(const QString &lockPath)
{
    return readFile(lockPath).split('\n').value(0).toLongLong();
}

// A lock file as a copy of this program leaves it, with the given PID.
QByteArray lockContentFor(const QString &scratchPath, qint64 pid)
{
    QByteArray content;
    {
        QLockFile lock(scratchPath);
        if (!lock.tryLock(0))
            return {};
        content = readFile(scratchPath);
    }
    QList<QByteArray> lines = content.split('\n');
    lines[0] = QByteArray::number(pid);
    return lines.join('\n');
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// The PID of a process that has run and ended.
qint64 deadPid()
{
    QProcess process;
    process.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("exit 0")});
    if (!process.waitForStarted())
        return 0;
    const qint64 pid = process.processId();
    process.waitForFinished();
    return pid;
}

// Starts `copies` guards on one lock at the same instant, one per thread;
// answers how many of them found no other copy running.
int copiesRunningAfterRace(const QString &path, int copies)
{
    std::vector<std::unique_ptr<SingleInstanceGuard>> guards;
    for (int i = 0; i < copies; ++i)
        guards.push_back(std::make_unique<SingleInstanceGuard>(path));
    std::latch start(copies);
    std::atomic<int> running = 0;
    std::vector<std::thread> threads;
    for (int i = 0; i < copies; ++i) {
        threads.emplace_back([&, i] {
            start.arrive_and_wait();
            if (!guards[i]->anotherInstanceRunning())
                ++running;
        });
    }
    for (std::thread &thread : threads)
        thread.join();
    return running.load();
}

} // namespace
} // namespace qx::test

using namespace qx;
using namespace qx::test;

class TestSingleInstanceGuard : public QObject {
    Q_OBJECT

public:
    static void initMain() { isolateUserDirectories(); }

private Q_SLOTS:
    // Every copy of one user meets the same lock, whatever its session says;
    // a relative base folder is ignored, as the XDG rules want.
    void everyCopyOfOneUserFindsTheSameLock_data()
    {
        QTest::addColumn<QByteArray>("runtimeFolder"); // empty: unset
        QTest::addColumn<QByteArray>("cacheFolder");
        QTest::addColumn<QString>("expectedFolder");
        const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
        const QByteArray cache = qgetenv("XDG_CACHE_HOME");
        const QString home = qEnvironmentVariable("HOME") + QStringLiteral("/.cache");
        QTest::newRow("runtime folder set") << runtime << cache << QString::fromLocal8Bit(cache);
        QTest::newRow("no runtime folder (su, sudo -u)") << QByteArray() << cache << QString::fromLocal8Bit(cache);
        QTest::newRow("relative runtime folder") << QByteArray("run") << cache << QString::fromLocal8Bit(cache);
        QTest::newRow("relative cache folder") << runtime << QByteArray("cache") << home;
        QTest::newRow("no cache folder") << runtime << QByteArray() << home;
    }

    void everyCopyOfOneUserFindsTheSameLock()
    {
        QFETCH(QByteArray, runtimeFolder);
        QFETCH(QByteArray, cacheFolder);
        QFETCH(QString, expectedFolder);
        const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
        const QByteArray savedCache = qgetenv("XDG_CACHE_HOME");
        auto set = [](const char *name, const QByteArray &value) {
            if (value.isEmpty())
                qunsetenv(name);
            else
                qputenv(name, value);
        };
        set("XDG_RUNTIME_DIR", runtimeFolder);
        set("XDG_CACHE_HOME", cacheFolder);
        const QString path = SingleInstanceGuard::defaultLockPath(QStringLiteral("Name"));
        set("XDG_RUNTIME_DIR", savedRuntime);
        set("XDG_CACHE_HOME", savedCache);
        QCOMPARE(path, expectedFolder + QStringLiteral("/Name/Name.lock"));
    }

    void theLockFolderIsMadeWhenTheLockIsTaken()
    {
        const QString path = SingleInstanceGuard::defaultLockPath(QStringLiteral("Made"));
        QVERIFY(!QFileInfo::exists(QFileInfo(path).absolutePath()));
        SingleInstanceGuard guard(path);
        QVERIFY(!guard.anotherInstanceRunning());
        QVERIFY(guard.holdsLock());
        QVERIFY(QFileInfo::exists(path));
    }

    void firstCopyRunsSecondIsRefused()
    {
        const QString path = lockIn(QStringLiteral("Second"));
        auto first = std::make_unique<SingleInstanceGuard>(path);
        QVERIFY(!first->anotherInstanceRunning());
        QVERIFY(first->holdsLock());
        QCOMPARE(recordedPid(path), QCoreApplication::applicationPid());

        SingleInstanceGuard second(path);
        QVERIFY(second.anotherInstanceRunning());
        QVERIFY(!second.holdsLock());
        // Asking leaves the holder's lock as it was.
        QVERIFY(first->holdsLock());
        QCOMPARE(recordedPid(path), QCoreApplication::applicationPid());

        // Once the first copy has gone, a new one runs.
        first.reset();
        QVERIFY(!QFileInfo::exists(path));
        QVERIFY(!second.anotherInstanceRunning());
        QVERIFY(second.holdsLock());
    }

    void askingAgainKeepsTheLock()
    {
        SingleInstanceGuard guard(lockIn(QStringLiteral("Again")));
        QVERIFY(!guard.anotherInstanceRunning());
        QVERIFY(!guard.anotherInstanceRunning());
        QVERIFY(guard.holdsLock());
    }

    void lockLeftByADeadCopyIsTakenOver()
    {
        const QString path = lockIn(QStringLiteral("Stale"));
        const qint64 pid = deadPid();
        QVERIFY(pid > 0);
        const QByteArray stale = lockContentFor(lockIn(QStringLiteral("Scratch")), pid);
        QVERIFY(!stale.isEmpty());
        writeFile(path, stale);
        QCOMPARE(recordedPid(path), pid);

        SingleInstanceGuard guard(path);
        QVERIFY(!guard.anotherInstanceRunning());
        QVERIFY(guard.holdsLock());
        QCOMPARE(recordedPid(path), QCoreApplication::applicationPid());
    }

    void oldLockOfALiveCopyIsNeverTakenOver()
    {
        const QString path = lockIn(QStringLiteral("Old"));
        SingleInstanceGuard first(path);
        QVERIFY(!first.anotherInstanceRunning());
        // A day-old lock of a copy that still runs.
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addDays(-1),
                                 QFileDevice::FileModificationTime));
        file.close();

        SingleInstanceGuard second(path);
        QVERIFY(second.anotherInstanceRunning());
    }

    void liveCopyIsRecognisedWhateverTheApplicationName()
    {
        const QString saved = QCoreApplication::applicationName();
        QCoreApplication::setApplicationName(QStringLiteral("Renamed.copy"));
        const QString path = lockIn(QStringLiteral("Renamed"));
        SingleInstanceGuard first(path);
        QVERIFY(!first.anotherInstanceRunning());
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Renamed.copy"));
        SingleInstanceGuard second(path);
        const bool refused = second.anotherInstanceRunning();
        QCoreApplication::setApplicationName(saved);
        QVERIFY(refused);
    }

    void copiesStartedAtTheSameInstantLeaveExactlyOneRunning()
    {
        constexpr int copies = 8;
        for (int round = 0; round < 20; ++round) {
            const QString path = lockIn(QStringLiteral("Race%1").arg(round));
            QCOMPARE(copiesRunningAfterRace(path, copies), 1);
        }
    }

    // A lock of a dead copy, and one without a holder (as a copy killed while
    // creating it leaves it).
    void copiesRacingForAStaleLockLeaveExactlyOneRunning()
    {
        constexpr int copies = 8;
        const qint64 pid = deadPid();
        QVERIFY(pid > 0);
        const QByteArray stale = lockContentFor(lockIn(QStringLiteral("Scratch")), pid);
        for (int round = 0; round < 20; ++round) {
            const QString path = lockIn(QStringLiteral("StaleRace%1").arg(round));
            writeFile(path, round % 2 ? stale : QByteArray());
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
            file.close();
            QCOMPARE(copiesRunningAfterRace(path, copies), 1);
        }
    }

    // Whatever lies at the lock's path that no copy can be holding is taken
    // over: no start is kept out for ever, and none waits for ever.
    void locksNoCopyCanHoldAreTakenOver_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("ageSeconds");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<bool>("locked");
        QTest::newRow("empty file") << "file" << QByteArray() << 60 << false << true;
        QTest::newRow("empty file a copy may be writing") << "file" << QByteArray() << 0 << true << false;
        QTest::newRow("garbage") << "file" << QByteArray("\x01garbage\n") << 60 << false << true;
        QTest::newRow("PID 0") << "file" << QByteArray("0\nQX\nhost\n") << 60 << false << true;
        QTest::newRow("PID -1") << "file" << QByteArray("-1\nQX\nhost\n") << 86400 << false << true;
        QTest::newRow("too large for a lock") << "file" << QByteArray(100000, '7') << 0 << false << true;
        QTest::newRow("FIFO") << "fifo" << QByteArray() << 0 << false << true;
        QTest::newRow("empty folder") << "folder" << QByteArray() << 0 << false << true;
        // Left as it is; the lock cannot be taken, and the program starts.
        QTest::newRow("folder with files") << "full folder" << QByteArray() << 0 << false << false;
    }

    void locksNoCopyCanHoldAreTakenOver()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, content);
        QFETCH(int, ageSeconds);
        QFETCH(bool, refused);
        QFETCH(bool, locked);
        static int locks = 0;
        const QString path = lockIn(QStringLiteral("Dead%1").arg(++locks));
        if (kind == QLatin1String("fifo")) {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (kind.endsWith(QLatin1String("folder"))) {
            QVERIFY(QDir().mkpath(path));
            if (kind == QLatin1String("full folder"))
                writeFile(path + QStringLiteral("/file"), "kept");
        } else {
            writeFile(path, content);
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds),
                                     QFileDevice::FileModificationTime));
        }

        SingleInstanceGuard guard(path);
        QCOMPARE(guard.anotherInstanceRunning(), refused);
        QCOMPARE(guard.holdsLock(), locked);
        if (locked)
            QCOMPARE(recordedPid(path), QCoreApplication::applicationPid());
    }

    void guardThatCannotWorkLetsTheProgramStart()
    {
        const QString blocker = runtimeDirectory() + QStringLiteral("/not-a-directory");
        writeFile(blocker, "a file where a directory would have to be");
        SingleInstanceGuard guard(blocker + QStringLiteral("/Name.lock"));
        QVERIFY(!guard.anotherInstanceRunning());
        QVERIFY(!guard.holdsLock());
    }
};

QTEST_GUILESS_MAIN(TestSingleInstanceGuard)
#include "tst_singleinstanceguard.moc"
