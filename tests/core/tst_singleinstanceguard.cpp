#include "core/platform/QtSettingsStore.h"
#include "core/SingleInstanceGuard.h"
#include "support/IsolatedUserDirectories.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSysInfo>
#include <QtTest>

#include <atomic>
#include <latch>
#include <thread>
#include <vector>

using namespace qx;

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

class TestSingleInstanceGuard : public QObject {
    Q_OBJECT

private slots:
    void lockLivesInTheRuntimeDirectory()
    {
        QCOMPARE(SingleInstanceGuard::defaultLockPath(QStringLiteral("QXFreeFriendshipCompatibilityTest")),
                 lockIn(QStringLiteral("QXFreeFriendshipCompatibilityTest")));
    }

    void withoutRuntimeDirectoryTheLockGoesToTheCacheNotTmp()
    {
        const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
        qunsetenv("XDG_RUNTIME_DIR");
        const QString path = SingleInstanceGuard::defaultLockPath(QStringLiteral("Name"));
        qputenv("XDG_RUNTIME_DIR", saved);
        QCOMPARE(path, qEnvironmentVariable("XDG_CACHE_HOME") + QStringLiteral("/Name/Name.lock"));
        QVERIFY(!path.startsWith(QStringLiteral("/tmp/runtime-")));

        // The fallback directory is made when the lock is taken.
        SingleInstanceGuard guard(path);
        QVERIFY(!guard.anotherInstanceRunning());
        QVERIFY(guard.holdsLock());
        QVERIFY(QFileInfo::exists(path));
    }

    void unsuitableRuntimeDirectoryIsNotReplacedByTmp()
    {
        const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
        // A file where the runtime directory should be: Qt would fall back to /tmp.
        const QString notADirectory = QFileInfo(runtimeDirectory()).absolutePath()
            + QStringLiteral("/runtime-file");
        writeFile(notADirectory, "not a directory");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(notADirectory));
        const QString path = SingleInstanceGuard::defaultLockPath(QStringLiteral("Name"));
        qputenv("XDG_RUNTIME_DIR", saved);
        QVERIFY2(!path.startsWith(QDir::tempPath() + QStringLiteral("/runtime-")), qPrintable(path));
        QCOMPARE(path, qEnvironmentVariable("XDG_CACHE_HOME") + QStringLiteral("/Name/Name.lock"));
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

    void copiesRacingForAStaleLockLeaveExactlyOneRunning()
    {
        constexpr int copies = 8;
        const qint64 pid = deadPid();
        QVERIFY(pid > 0);
        const QByteArray stale = lockContentFor(lockIn(QStringLiteral("Scratch")), pid);
        for (int round = 0; round < 10; ++round) {
            const QString path = lockIn(QStringLiteral("StaleRace%1").arg(round));
            writeFile(path, stale);
            QCOMPARE(copiesRunningAfterRace(path, copies), 1);
        }
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

QX_ISOLATED_TEST_MAIN(TestSingleInstanceGuard)
#include "tst_singleinstanceguard.moc"
