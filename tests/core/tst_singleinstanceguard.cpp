#include "core/SingleInstanceGuard.h"
#include "core/UserDirectories.h"
#include "support/FilePermissionsBind.h"
#include "support/IsolatedUserDirectories.h"

#include <QProcess>
#include <QSysInfo>
#include <QtTest>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <functional>
#include <latch>
#include <thread>
#include <vector>

namespace qx::test {
namespace {

// The user nobody (Debian's uid and gid) that root drops to.
constexpr uid_t NobodyId = 65534;

QString lockIn(const QString &name)
{
    return qEnvironmentVariable("XDG_RUNTIME_DIR") + QLatin1Char('/') + name + QStringLiteral(".lock");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

void setAge(const QString &path, int seconds)
{
    const timespec times[2] = {{0, UTIME_OMIT}, {::time(nullptr) - seconds, 0}};
    QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, AT_SYMLINK_NOFOLLOW), 0);
}

// What lies at a path, as far as a guard could change it.
QString describe(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat status = {};
    if (::lstat(name.constData(), &status) != 0)
        return QStringLiteral("nothing");
    QFile file(path);
    const QByteArray content = S_ISREG(status.st_mode) && file.open(QIODevice::ReadOnly) ? file.readAll()
                                                                                         : QByteArray();
    return QStringLiteral("mode %1 owner %2 size %3 modified %4 content %5 link %6")
        .arg(status.st_mode, 0, 8)
        .arg(status.st_uid)
        .arg(status.st_size)
        .arg(status.st_mtim.tv_sec)
        .arg(QString::fromLatin1(content.toHex()), QFile::symLinkTarget(path));
}

// Runs check in a forked child, as the user nobody when this process is root
// (root reads and writes any file), under the given umask; answers the
// child's exit status, 0 when every check passed.
int exitStatusAsUnprivilegedUser(mode_t mask, const std::function<int()> &check)
{
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(NobodyId) != 0 || ::setuid(NobodyId) != 0))
            ::_exit(100);
        ::umask(mask);
        ::_exit(check());
    }
    int status = -1;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 200 + WTERMSIG(status);
}

// Binds the folder read-only onto itself in a mount namespace of this
// process's own, as sandboxes bind the cache folder; an unprivileged user
// gets the namespace with a user namespace that maps it to itself.
bool bindReadOnly(const QString &folder)
{
    const uid_t user = ::getuid();
    // A process that dropped root's rights cannot write its own /proc files
    // (the user map) until it is made dumpable again.
    ::prctl(PR_SET_DUMPABLE, 1);
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
        return false;
    const QByteArray map = QByteArray::number(user) + ' ' + QByteArray::number(user) + " 1\n";
    const int file = ::open("/proc/self/uid_map", O_WRONLY | O_CLOEXEC);
    const bool mapped = file >= 0 && ::write(file, map.constData(), map.size()) == map.size();
    if (file >= 0)
        ::close(file);
    if (!mapped)
        return false;
    const QByteArray name = QFile::encodeName(folder);
    return ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0
           && ::mount(name.constData(), name.constData(), nullptr, MS_BIND, nullptr) == 0
           && ::mount(nullptr, name.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
}

// Whether check holds in a forked child that a user namespace gives a user
// id the user database does not know.
bool holdsForAnUnknownUser(const std::function<bool()> &check)
{
    const uid_t user = ::getuid();
    const pid_t child = ::fork();
    if (child == 0) {
        const QByteArray map = "54321 " + QByteArray::number(user) + " 1\n";
        const int file = ::unshare(CLONE_NEWUSER) == 0 ? ::open("/proc/self/uid_map", O_WRONLY) : -1;
        const bool mapped = file >= 0 && ::write(file, map.constData(), map.size()) == map.size();
        ::_exit(mapped && ::getuid() == 54321 && !::getpwuid(54321) && check() ? 0 : 1);
    }
    int status = -1;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
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
    // Every copy of one user on one machine meets the same lock, whatever its
    // session says; a relative base folder is ignored, as the XDG rules want.
    void everyCopyOfOneUserFindsTheSameLock_data()
    {
        QTest::addColumn<QByteArray>("runtimeFolder"); // empty: unset
        QTest::addColumn<QByteArray>("cacheFolder");
        QTest::addColumn<QByteArray>("homeFolder");
        QTest::addColumn<QString>("expectedFolder");
        const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
        const QByteArray cache = qgetenv("XDG_CACHE_HOME");
        const QByteArray home = qgetenv("HOME");
        const QString homeCache = QString::fromLocal8Bit(home) + QStringLiteral("/.cache");
        // Where the user database alone knows the home folder (a service, cron).
        const QString userCache = QFile::decodeName(::getpwuid(::getuid())->pw_dir) + QStringLiteral("/.cache");
        const QString cacheName = QString::fromLocal8Bit(cache);
        QTest::newRow("runtime folder set") << runtime << cache << home << cacheName;
        QTest::newRow("no runtime folder (su, sudo -u)") << QByteArray() << cache << home << cacheName;
        QTest::newRow("relative runtime folder") << QByteArray("run") << cache << home << cacheName;
        QTest::newRow("relative cache folder") << runtime << QByteArray("cache") << home << homeCache;
        QTest::newRow("no cache folder") << runtime << QByteArray() << home << homeCache;
        QTest::newRow("no home variable") << runtime << QByteArray() << QByteArray() << userCache;
        QTest::newRow("relative home variable") << runtime << QByteArray() << QByteArray("home") << userCache;
        // Nor does the user database know the user: the root folder stands in.
        QTest::newRow("no home at all") << runtime << QByteArray() << QByteArray() << QStringLiteral("/.cache");
    }

    void everyCopyOfOneUserFindsTheSameLock()
    {
        QFETCH(QByteArray, runtimeFolder);
        QFETCH(QByteArray, cacheFolder);
        QFETCH(QByteArray, homeFolder);
        QFETCH(QString, expectedFolder);
        const ScopedVariable runtime("XDG_RUNTIME_DIR", runtimeFolder);
        const ScopedVariable cache("XDG_CACHE_HOME", cacheFolder);
        const ScopedVariable home("HOME", homeFolder);
        const auto lockFolder = [] {
            return QFileInfo(SingleInstanceGuard::defaultLockPath(QStringLiteral("Name"))).path();
        };
        const QString expected = expectedFolder + QStringLiteral("/Name");
        if (QByteArray(QTest::currentDataTag()) == "no home at all")
            QVERIFY(holdsForAnUnknownUser([&] { return lockFolder() == expected; }));
        else
            QCOMPARE(lockFolder(), expected);
    }

    // Two machines that share a home folder keep their copies apart, and
    // the machine id never shows in the name.
    void theLockIsNamedAfterAHashOfTheMachine()
    {
        const QString name = SingleInstanceGuard::lockFileName(QStringLiteral("Name"), "0123456789abcdef");
        QCOMPARE(SingleInstanceGuard::lockFileName(QStringLiteral("Name"), "0123456789abcdef"), name);
        QVERIFY(name != SingleInstanceGuard::lockFileName(QStringLiteral("Name"), "0123456789abcdee"));
        QVERIFY(QRegularExpression(QStringLiteral("^Name-[0-9a-f]{16}\\.lock$")).match(name).hasMatch());
        // This machine's: named after systemd's machine id, which it never shows.
        QFile systemdId(QStringLiteral("/etc/machine-id"));
        QVERIFY(systemdId.open(QIODevice::ReadOnly));
        const QByteArray machine = systemdId.readAll().trimmed();
        const QString path = SingleInstanceGuard::defaultLockPath(QStringLiteral("Name"));
        QCOMPARE(QFileInfo(path).fileName(), SingleInstanceGuard::lockFileName(QStringLiteral("Name"), machine));
        QVERIFY(!path.contains(QString::fromLatin1(machine.left(8))));
        // Systemd's file with its line break; where it is missing or empty, D-Bus's.
        const QTemporaryDir folder;
        const QString other = folder.filePath(QStringLiteral("other"));
        writeFile(other, "0123456789abcdef0123456789abcdef\n");
        QCOMPARE(QFileInfo(SingleInstanceGuard::defaultLockPath(QStringLiteral("Name"), other)).fileName(),
                 SingleInstanceGuard::lockFileName(QStringLiteral("Name"), "0123456789abcdef0123456789abcdef"));
        const QString empty = folder.filePath(QStringLiteral("empty"));
        writeFile(empty, "\n");
        for (const QString &file : {empty, folder.filePath(QStringLiteral("missing"))})
            QCOMPARE(QFileInfo(SingleInstanceGuard::defaultLockPath(QStringLiteral("Name"), file)).fileName(),
                     SingleInstanceGuard::lockFileName(QStringLiteral("Name"), QSysInfo::machineUniqueId()));
    }

    void theLockFolderIsMadeForTheUserAlone()
    {
        const QString path = SingleInstanceGuard::defaultLockPath(QStringLiteral("Made"));
        const QString folder = QFileInfo(path).absolutePath();
        QVERIFY(!QFileInfo::exists(folder));
        SingleInstanceGuard guard(path);
        QVERIFY(!guard.anotherInstanceRunning());
        QVERIFY(guard.holdsLock());
        QVERIFY(QFileInfo(path).isFile());
        struct stat status = {};
        QCOMPARE(::stat(QFile::encodeName(folder).constData(), &status), 0);
        QCOMPARE(status.st_mode & 0777, 0700u);
    }

    void firstCopyRunsSecondIsRefused()
    {
        const QString path = lockIn(QStringLiteral("Second"));
        auto first = std::make_unique<SingleInstanceGuard>(path);
        QVERIFY(!first->anotherInstanceRunning());
        QVERIFY(!first->anotherInstanceRunning()); // asking again keeps the lock
        QVERIFY(first->holdsLock());
        const QString taken = describe(path);

        SingleInstanceGuard second(path);
        QVERIFY(second.anotherInstanceRunning());
        QVERIFY(!second.holdsLock());
        QVERIFY(first->holdsLock());

        // The file is never removed nor written into; once the first copy
        // has gone, a new one runs.
        first.reset();
        QCOMPARE(describe(path), taken);
        QCOMPARE(QFileInfo(path).size(), 0);
        QVERIFY(!second.anotherInstanceRunning());
        QVERIFY(second.holdsLock());
        QCOMPARE(describe(path), taken);

        // A copy started with its standard input closed locks descriptor 0,
        // and makes it the owner's to read and write whatever the umask.
        const QString withoutInputPath = lockIn(QStringLiteral("WithoutInput"));
        QVERIFY(QDir().mkpath(QFileInfo(withoutInputPath).path()));
        // (This test's own standard input may be closed already.)
        const int input = ::fcntl(STDIN_FILENO, F_DUPFD_CLOEXEC, 3);
        if (input >= 0)
            ::close(STDIN_FILENO);
        const mode_t mask = ::umask(0477);
        auto withoutInput = std::make_unique<SingleInstanceGuard>(withoutInputPath);
        // (Asked twice: the second time it holds the lock already.)
        const bool ran = !withoutInput->anotherInstanceRunning() && withoutInput->holdsLock()
                         && !withoutInput->anotherInstanceRunning();
        ::umask(mask);
        const QString locked = QFile::symLinkTarget(QStringLiteral("/proc/self/fd/0"));
        withoutInput.reset();
        const bool closed = ::fcntl(STDIN_FILENO, F_GETFD) == -1;
        if (input >= 0) {
            ::dup2(input, STDIN_FILENO);
            ::close(input);
        }
        QVERIFY(ran);
        QCOMPARE(locked, withoutInputPath);
        QVERIFY(closed);
        struct stat made = {};
        QCOMPARE(::stat(QFile::encodeName(withoutInputPath).constData(), &made), 0);
        QCOMPARE(made.st_mode & 0777, 0600u);
    }

    // Nobody holds the lock: whatever the file says (the lock of a copy that
    // ran on another machine or in a PID namespace, or of an older version of
    // the program), it is taken as it is and left as it was.
    void aFileNobodyLocksIsTakenAsItIs_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("ageSeconds");
        const QByteArray self = QByteArray::number(QCoreApplication::applicationPid()) + '\n'
                                + QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUtf8() + '\n'
                                + QSysInfo::machineHostName().toUtf8() + '\n';
        QTest::newRow("empty") << QByteArray() << 0;
        QTest::newRow("a day old") << QByteArray() << 86400;
        QTest::newRow("naming this very process") << self << 0;
        QTest::newRow("naming init, on another host")
            << QByteArray("1\nQXFreeFriendshipCompatibilityTest\nelsewhere\n") << 3600;
        QTest::newRow("garbage") << QByteArray("\x01\x02garbage\xff") << 60;
        QTest::newRow("large") << QByteArray(100000, '7') << 0;
    }

    void aFileNobodyLocksIsTakenAsItIs()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, ageSeconds);
        static int locks = 0;
        const QString path = lockIn(QStringLiteral("Unheld%1").arg(++locks));
        writeFile(path, content);
        setAge(path, ageSeconds);
        const QString before = describe(path);

        SingleInstanceGuard guard(path);
        QVERIFY(!guard.anotherInstanceRunning());
        QVERIFY(guard.holdsLock());
        QCOMPARE(describe(path), before);
    }

    // What cannot be opened and locked as a regular file of this user's is
    // left exactly as it is, and the program starts without the guard.
    void whatCannotBeLockedIsLeftAlone_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("link to a file") << "link";
        QTest::newRow("link to nothing") << "dangling link";
        QTest::newRow("FIFO") << "fifo";
        QTest::newRow("FIFO its owner may only read") << "read-only fifo";
        QTest::newRow("folder") << "folder";
        QTest::newRow("socket") << "socket";
        if (::geteuid() == 0) // only root can make one
            QTest::newRow("another user's file") << "foreign";
        QTest::newRow("a folder everyone may write to") << "open folder";
        QTest::newRow("a file where the folder belongs") << "blocked folder";
    }

    void whatCannotBeLockedIsLeftAlone()
    {
        QFETCH(QString, kind);
        const QString folder = lockIn(QStringLiteral("Odd-") + kind);
        QVERIFY(QDir().mkpath(folder));
        QString path = folder + QStringLiteral("/Name.lock");
        const QString target = folder + QStringLiteral("/target");
        const QByteArray name = QFile::encodeName(path);
        if (kind == QLatin1String("link")) {
            writeFile(target, "another program's data");
            QVERIFY(QFile::link(target, path));
        } else if (kind == QLatin1String("dangling link")) {
            QVERIFY(QFile::link(target, path));
        } else if (kind.endsWith(QLatin1String("fifo"))) {
            QCOMPARE(::mkfifo(name.constData(), kind == QLatin1String("fifo") ? 0600 : 0400), 0);
        } else if (kind == QLatin1String("folder")) {
            QVERIFY(QDir().mkpath(path));
        } else if (kind == QLatin1String("socket")) {
            const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un address = {};
            address.sun_family = AF_UNIX;
            qstrncpy(address.sun_path, name.constData(), sizeof address.sun_path);
            QCOMPARE(::bind(socket, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
            ::close(socket);
        } else if (kind == QLatin1String("foreign")) {
            writeFile(path, "");
            QCOMPARE(::chown(name.constData(), NobodyId, NobodyId), 0);
        } else if (kind == QLatin1String("open folder")) {
            QCOMPARE(::chmod(QFile::encodeName(folder).constData(), 0777), 0);
        } else if (kind == QLatin1String("blocked folder")) {
            writeFile(target, "not a folder");
            QVERIFY(!makeUserFolder(target)); // a file is no folder, made or not
            path = target + QStringLiteral("/Name.lock");
        }
        const QString before = describe(path);
        const QString targetBefore = describe(target);
        const qsizetype descriptors = QDir(QStringLiteral("/proc/self/fd")).count();

        {
            // Modes bind root too, as they bind the user the program runs as.
            const FilePermissionsBind permissionsBind;
            SingleInstanceGuard guard(path);
            QVERIFY(!guard.anotherInstanceRunning());
            QVERIFY(!guard.holdsLock());
        }
        QCOMPARE(describe(path), before);
        QCOMPARE(describe(target), targetBefore);
        QCOMPARE(QDir(QStringLiteral("/proc/self/fd")).count(), descriptors); // none left open
    }

    // The kernel lets the lock go however a copy ends; the programs a copy
    // starts (the browser) never hold it.
    void theLockGoesWithItsCopy()
    {
        const QString path = lockIn(QStringLiteral("Killed"));
        int ready[2] = {-1, -1};
        QCOMPARE(::pipe(ready), 0);
        const pid_t copy = ::fork();
        if (copy == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGKILL); // never outlives a failed test
            SingleInstanceGuard guard(path);
            const char held = guard.anotherInstanceRunning() ? 'n' : 'y';
            [[maybe_unused]] const ssize_t written = ::write(ready[1], &held, 1);
            ::pause();
            ::_exit(0);
        }
        char held = 0;
        QCOMPARE(::read(ready[0], &held, 1), 1);
        ::close(ready[0]);
        ::close(ready[1]);
        const bool refused = SingleInstanceGuard(path).anotherInstanceRunning();
        ::kill(copy, SIGKILL);
        ::waitpid(copy, nullptr, 0);
        QCOMPARE(held, 'y');
        QVERIFY(refused);

        auto second = std::make_unique<SingleInstanceGuard>(path);
        QVERIFY(!second->anotherInstanceRunning());
        QProcess browser;
        browser.start(QStringLiteral("sleep"), {QStringLiteral("60")});
        QVERIFY(browser.waitForStarted());
        second.reset();
        const bool refusedAfterwards = SingleInstanceGuard(path).anotherInstanceRunning();
        browser.kill();
        browser.waitForFinished();
        QVERIFY2(!refusedAfterwards, "a program the copy started holds the lock");
    }

    // However old or unreadable the file of a held lock is (a copy stalled on
    // a slow disk, a user whose umask leaves the owner no read permission),
    // and where a sandbox binds the folder read-only, a second copy is
    // refused; a file the guard makes is the owner's to read and write
    // whatever the umask.
    void aHeldLockKeepsTheSecondCopyOut_data()
    {
        QTest::addColumn<int>("mask");
        QTest::addColumn<bool>("readOnlyFolder"); // for the second copy
        QTest::newRow("umask 022") << 022 << false;
        QTest::newRow("umask 0477") << 0477 << false;
        QTest::newRow("a folder bound read-only") << 022 << true;
    }

    void aHeldLockKeepsTheSecondCopyOut()
    {
        QFETCH(int, mask);
        QFETCH(bool, readOnlyFolder);
        char folderName[] = "/tmp/qx-guard-XXXXXX";
        QVERIFY(::mkdtemp(folderName));
        QCOMPARE(::chown(folderName, ::geteuid() == 0 ? NobodyId : ::geteuid(),
                         ::getegid() == 0 ? NobodyId : ::getegid()),
                 0);
        const QString path = QFile::decodeName(folderName) + QStringLiteral("/lock/Name.lock");
        const int status = exitStatusAsUnprivilegedUser(mode_t(mask), [&] {
            SingleInstanceGuard first(path);
            if (first.anotherInstanceRunning() || !first.holdsLock())
                return 1;
            struct stat made = {};
            if (::stat(QFile::encodeName(path).constData(), &made) != 0 || (made.st_mode & 0777) != 0600)
                return 2;
            // Old and empty: how a copy that stalls before it writes leaves a lock file.
            const timespec times[2] = {{0, UTIME_OMIT}, {::time(nullptr) - 3600, 0}};
            if (::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) != 0
                || ::truncate(QFile::encodeName(path).constData(), 0) != 0)
                return 5;
            if (!SingleInstanceGuard(path).anotherInstanceRunning())
                return 3;
            if (readOnlyFolder) {
                if (!bindReadOnly(QFileInfo(path).path()))
                    return 5;
                return SingleInstanceGuard(path).anotherInstanceRunning() ? 0 : 6;
            }
            ::chmod(QFile::encodeName(path).constData(), 0200);
            if (!SingleInstanceGuard(path).anotherInstanceRunning())
                return 4;
            // One its owner may only read, as a umask of 0277 made it.
            ::chmod(QFile::encodeName(path).constData(), 0400);
            if (!SingleInstanceGuard(path).anotherInstanceRunning())
                return 7;
            return 0;
        });
        QDir(QFile::decodeName(folderName)).removeRecursively();
        QCOMPARE(status, 0);
    }

    void copiesStartedAtTheSameInstantLeaveExactlyOneRunning()
    {
        constexpr int copies = 8;
        for (int round = 0; round < 20; ++round) {
            const QString path = lockIn(QStringLiteral("Race%1").arg(round));
            if (round % 2)
                writeFile(path, "left by an earlier copy");
            QCOMPARE(copiesRunningAfterRace(path, copies), 1);
        }
    }
};

QTEST_GUILESS_MAIN(TestSingleInstanceGuard)
#include "tst_singleinstanceguard.moc"
