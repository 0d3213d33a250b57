#include "core/platform/QtSettingsStore.h"
#include "core/ProgramInfo.h"
#include "core/SettingsEncoding.h"
#include "core/StaleLockFiles.h"
#include "support/FilePermissionsBind.h"
#include "support/IsolatedUserDirectories.h"

#include <QCoreApplication>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace qx::test {
namespace {

const QString Section = QStringLiteral("Settings");

QString key()
{
    return EncodeSetting(QStringLiteral("Duration"));
}

QString configHome()
{
    return qEnvironmentVariable("XDG_CONFIG_HOME");
}

QString expectedFile(const QString &name)
{
    return configHome() + QLatin1Char('/') + name + QLatin1Char('/') + name + QStringLiteral(".conf");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The most memory this process has held so far.
qint64 peakMemoryKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').constFirst().toLongLong();
    return 0;
}

} // namespace
} // namespace qx::test

using namespace qx;
using namespace qx::test;

class TestQtSettingsStore : public QObject {
    Q_OBJECT

public:
    static void initMain() { isolateUserDirectories(); }

private Q_SLOTS:
    void initTestCase()
    {
        // Never the user's own settings: everything lives in a temporary directory.
        QVERIFY(configHome().startsWith(QDir::tempPath()));
        QtSettingsStore store(QStringLiteral("Placement"));
        QVERIFY2(store.fileName().startsWith(configHome() + QLatin1Char('/')), qPrintable(store.fileName()));
    }

    void fileLivesUnderXdgConfigHome()
    {
        const QString name = executableBaseName();
        QtSettingsStore store(name);
        QCOMPARE(store.fileName(), expectedFile(name));

        // A relative folder would make each working folder a store of its own.
        const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", "config");
        const QString fileName = QtSettingsStore(name).fileName();
        qputenv("XDG_CONFIG_HOME", saved);
        QCOMPARE(fileName, qEnvironmentVariable("HOME") + QStringLiteral("/.config/") + name + QLatin1Char('/') + name
                               + QStringLiteral(".conf"));
    }

    void executableBaseNameIsTheFileNameWithoutExtension()
    {
        QCOMPARE(executableBaseName(), QStringLiteral("tst_qtsettingsstore"));
    }

    void missingValueReadsEmptyAndCreatesNothing()
    {
        QtSettingsStore store(QStringLiteral("Fresh"));
        QCOMPARE(store.value(Section, key()), std::optional<QString>(QString()));
        QVERIFY(!QFileInfo::exists(expectedFile(QStringLiteral("Fresh"))));
    }

    void encodedKeyAndValueRoundTripOnDisk()
    {
        const QString name = QStringLiteral("RoundTrip");
        const QString value = EncodeSetting(QStringLiteral("2026-12-08"));
        {
            QtSettingsStore store(name);
            QVERIFY(store.setValue(Section, key(), value));
            // Read back at once, on the disk only once flushed.
            QCOMPARE(store.value(Section, key()), std::optional<QString>(value));
            QVERIFY(!QFileInfo::exists(expectedFile(name)));
            store.flush();
            const QByteArray onDisk = readFile(expectedFile(name));
            QVERIFY2(onDisk.contains("[Settings]"), onDisk.constData());
            QVERIFY2(onDisk.contains("%99%CA%C7%B6%C9%BE%C4%C3=" + value.toUtf8()), onDisk.constData());
        }
        QtSettingsStore again(name);
        QCOMPARE(again.value(Section, key()), std::optional<QString>(value));

        // Another process reads the same from the file.
        QSettings reader(expectedFile(name), QSettings::IniFormat);
        QCOMPARE(reader.value(Section + QLatin1Char('/') + key()).toString(), value);
    }

    void storedValueIsReplaced()
    {
        QtSettingsStore store(QStringLiteral("Replace"));
        QVERIFY(store.setValue(Section, key(), QStringLiteral("a")));
        QVERIFY(store.setValue(Section, key(), QStringLiteral("b")));
        QCOMPARE(store.value(Section, key()), std::optional<QString>(QStringLiteral("b")));
    }

    void storeWorksOnAfterFlush()
    {
        QtSettingsStore store(QStringLiteral("Flushed"));
        store.flush();
        QVERIFY(store.setValue(Section, key(), QStringLiteral("a")));
        store.flush();
        QCOMPARE(store.value(Section, key()), std::optional<QString>(QStringLiteral("a")));
        QVERIFY(store.setValue(Section, key(), QStringLiteral("b")));
        store.flush();
        QCOMPARE(QtSettingsStore(QStringLiteral("Flushed")).value(Section, key()),
                 std::optional<QString>(QStringLiteral("b")));
    }

    // Files a person or another program may have written, read as QSettings reads them.
    void oddButLegalFilesAreRead_data()
    {
        QTest::addColumn<QByteArray>("content");
        const QByteArray entry = "%99%CA%C7%B6%C9%BE%C4%C3=x";
        QTest::newRow("comments and blank lines") << "; by hand\n\n \t \n[Settings]\n; the date\n" + entry + "\n";
        QTest::newRow("a hash line at the top") << "# by hand\n[Settings]\n" + entry + "\n";
        QTest::newRow("Windows line ends") << "[Settings]\r\n" + entry + "\r\n";
        QTest::newRow("byte order mark, no last line end") << "\xef\xbb\xbf[Settings]\n" + entry;
        QTest::newRow("blanks around all") << QByteArray("  [Settings]  \n  %99%CA%C7%B6%C9%BE%C4%C3 =  x  \n");
        QTest::newRow("other sections and keys") << "[General]\n=\na=[1]\n[Other]\nb=\n[Settings]\n" + entry + "\n";
    }
    void oddButLegalFilesAreRead()
    {
        QFETCH(QByteArray, content);
        static int files = 0;
        const QString name = QStringLiteral("Odd%1").arg(++files);
        writeFile(expectedFile(name), content);
        // A file the program did not make keeps the modes it has.
        const QByteArray path = QFile::encodeName(expectedFile(name));
        QCOMPARE(::chmod(path.constData(), 0640), 0);
        QtSettingsStore store(name);
        QCOMPARE(store.value(Section, key()), std::optional<QString>(QStringLiteral("x")));
        QVERIFY(store.setValue(Section, key(), QStringLiteral("y")));
        store.flush();
        QCOMPARE(QtSettingsStore(name).value(Section, key()), std::optional<QString>(QStringLiteral("y")));
        struct stat status = {};
        QCOMPARE(::stat(path.constData(), &status), 0);
        QCOMPARE(status.st_mode & 0777, 0640u);
    }

    // fileRefused: the file as a whole is no settings file, and is neither
    // read nor written over; otherwise only the value is unreadable.
    void garbageCannotBeRead_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("fileRefused");
        QTest::newRow("binary") << QByteArray("\x00\x01\xff\xfe garbage \x80\x81", 14) << true;
        QTest::newRow("not UTF-8") << QByteArray("[Settings]\n\xff\xfe=\x80\n") << true;
        QTest::newRow("unclosed section") << QByteArray("[Settings\nkey=value\n") << true;
        QTest::newRow("prose") << QByteArray("just some text\n") << true;
        QTest::newRow("a hash line QSettings cannot parse")
            << QByteArray("[Settings]\n%99%CA%C7%B6%C9%BE%C4%C3=x\n#\n") << true;
        QTest::newRow("value that does not load")
            << QByteArray("[Settings]\n%99%CA%C7%B6%C9%BE%C4%C3=@Variant(\\0\\0\\0\\x7f)\n") << false;
        QTest::newRow("list") << QByteArray("[Settings]\n%99%CA%C7%B6%C9%BE%C4%C3=a,b\n") << false;
    }
    void garbageCannotBeRead()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, fileRefused);
        static int files = 0;
        const QString name = QStringLiteral("Garbage%1").arg(++files);
        writeFile(expectedFile(name), content);
        if (content.contains("@Variant"))
            QTest::ignoreMessage(QtWarningMsg, "QVariant::load: unknown user type with name .");
        QtSettingsStore store(name);
        QCOMPARE(store.value(Section, key()), std::nullopt);
        if (fileRefused) {
            QVERIFY(!store.setValue(Section, key(), QStringLiteral("x")));
            QCOMPARE(readFile(expectedFile(name)), content);
        }
    }

    // Not a file the program writes: neither read (a FIFO would never end,
    // a huge file would fill the memory) nor written over.
    void fileThatIsNoSettingsFileIsLeftAlone_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("folder") << "folder";
        QTest::newRow("FIFO") << "fifo";
        QTest::newRow("1 GiB") << "huge";
        QTest::newRow("settings text just over 64 KiB") << "long";
    }

    void fileThatIsNoSettingsFileIsLeftAlone()
    {
        QFETCH(QString, kind);
        const QString name = QStringLiteral("NoSettings-") + kind;
        const QString path = expectedFile(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        if (kind == QLatin1String("folder"))
            QVERIFY(QDir().mkpath(path));
        else if (kind == QLatin1String("fifo"))
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (kind == QLatin1String("huge")) {
            writeFile(path, "[Settings]\n");
            QCOMPARE(::truncate(QFile::encodeName(path).constData(), qint64(1) << 30), 0);
        } else
            writeFile(path, "[Settings]\n" + QByteArray(64 * 1024, ';') + '\n');
        const QFileInfo before(path);
        const qint64 peakBefore = peakMemoryKiB();

        QtSettingsStore store(name);
        QCOMPARE(store.value(Section, key()), std::nullopt);
        QVERIFY(!store.setValue(Section, key(), QStringLiteral("x")));
        store.flush();

        QVERIFY2(peakMemoryKiB() - peakBefore < 64 * 1024, "the file was read whole");
        const QFileInfo after(path);
        QCOMPARE(after.isDir(), before.isDir());
        QCOMPARE(after.size(), before.size());
        QCOMPARE(after.lastModified(), before.lastModified());
    }

    // QSettings would wait for ever for a lock file that no program holds.
    void staleLockOfTheStoreIsTakenOver()
    {
        const QString name = QStringLiteral("StaleLock");
        QDir().mkpath(QFileInfo(expectedFile(name)).absolutePath());
        QCOMPARE(::mkfifo(QFile::encodeName(expectedFile(name) + QStringLiteral(".lock")).constData(), 0600), 0);
        QtSettingsStore store(name);
        QVERIFY(store.setValue(Section, key(), QStringLiteral("x")));
        store.flush();
        QCOMPARE(QtSettingsStore(name).value(Section, key()), std::optional<QString>(QStringLiteral("x")));
    }

    // What lies at a lock file's path, and whether a program may still be
    // writing or holding it (QLockFile's format: the holder's PID first).
    void staleLockFilesAreToldFromLiveOnes_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("age"); // seconds since it was written
        QTest::addColumn<bool>("stale");
        QTest::addColumn<bool>("removed");
        QTest::newRow("nothing") << "missing" << QByteArray() << 0 << false << false;
        QTest::newRow("a FIFO") << "fifo" << QByteArray() << 0 << true << true;
        QTest::newRow("an empty folder") << "folder" << QByteArray() << 0 << true << true;
        QTest::newRow("a folder with a file") << "full folder" << QByteArray() << 0 << true << false;
        QTest::newRow("empty, just made") << "file" << QByteArray() << 0 << false << false;
        QTest::newRow("empty, a while ago") << "file" << QByteArray() << 60 << true << true;
        QTest::newRow("empty, in the future") << "file" << QByteArray() << -86400 << true << true;
        QTest::newRow("a PID") << "file" << QByteArray("12345\nqx\nhost\n") << 60 << false << false;
        QTest::newRow("a one-digit PID") << "file" << QByteArray("1") << 60 << false << false;
        QTest::newRow("PID 0") << "file" << QByteArray("0\n") << 60 << true << true;
        QTest::newRow("PID -1") << "file" << QByteArray("-1\n") << 60 << true << true;
        QTest::newRow("garbage") << "file" << QByteArray("garbage") << 60 << true << true;
        QTest::newRow("a PID its owner may not read") << "file, unreadable" << QByteArray("7\n") << 60 << true << true;
        QTest::newRow("a PID in the largest lock file")
            << "file" << QByteArray("7\n").leftJustified(4096, 'x') << 60 << false << false;
        QTest::newRow("a PID in a file too large")
            << "file" << QByteArray("7\n").leftJustified(4097, 'x') << 60 << true << true;
        QTest::newRow("a PID in the first 32 bytes") << "file" << QByteArray(31, '0') + "7x" << 60 << false << false;
        QTest::newRow("a stale removal lock beside") << "file and removal folder" << QByteArray() << 60 << true << true;
        QTest::newRow("a stale removal lock beside a live lock")
            << "file and removal folder" << QByteArray("7\n") << 60 << false << false;
        QTest::newRow("a removal another copy makes") << "file, removal held" << QByteArray() << 60 << true << false;
    }

    void staleLockFilesAreToldFromLiveOnes()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, content);
        QFETCH(int, age);
        QFETCH(bool, stale);
        QFETCH(bool, removed);
        const QString folder = configHome() + QStringLiteral("/Locks/") + QString::fromLatin1(QTest::currentDataTag());
        const QString path = folder + QStringLiteral("/store.conf.lock");
        QVERIFY(QDir().mkpath(folder));
        if (kind == QLatin1String("fifo"))
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        if (kind.contains(QLatin1String("folder")) && !kind.contains(QLatin1String("removal")))
            QVERIFY(QDir().mkpath(path));
        if (kind == QLatin1String("full folder"))
            writeFile(path + QStringLiteral("/inside"), "x");
        if (kind.startsWith(QLatin1String("file"))) {
            writeFile(path, content);
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-age), QFileDevice::FileModificationTime));
        }
        if (kind.endsWith(QLatin1String("unreadable")))
            QCOMPARE(::chmod(QFile::encodeName(path).constData(), 0), 0);
        if (kind.endsWith(QLatin1String("removal folder")))
            QVERIFY(QDir().mkpath(path + QStringLiteral(".rmlock")));
        QLockFile removal(path + QStringLiteral(".rmlock"));
        if (kind.endsWith(QLatin1String("removal held")))
            QVERIFY(removal.tryLock(0));
        const qsizetype descriptors = QDir(QStringLiteral("/proc/self/fd")).count();

        {
            const FilePermissionsBind permissionsBind;
            QCOMPARE(isStaleLockFile(path), stale);
            removeStaleLockFile(path);
        }
        struct stat status = {};
        QCOMPARE(::lstat(QFile::encodeName(path).constData(), &status) != 0,
                 removed || kind == QLatin1String("missing"));
        if (kind.endsWith(QLatin1String("removal folder"))) // taken away with a stale lock only
            QCOMPARE(QFileInfo::exists(path + QStringLiteral(".rmlock")), !stale);
        QCOMPARE(QDir(QStringLiteral("/proc/self/fd")).count(), descriptors);
    }

    // A path that cannot be looked up for any reason but a missing file.
    void storeThatCannotBeLookedUpIsNeitherReadNorWritten_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("a file where the folder belongs (ENOTDIR)") << "Blocked";
        QTest::newRow("a link to itself (ELOOP)") << "Loop";
        QTest::newRow("a folder that cannot be searched (EACCES)") << "Closed";
        QTest::newRow("a name too long (ENAMETOOLONG)") << QString(300, QLatin1Char('N'));
    }
    void storeThatCannotBeLookedUpIsNeitherReadNorWritten()
    {
        QFETCH(QString, name);
        const FilePermissionsBind permissionsBind;
        const QString folder = configHome() + QLatin1Char('/') + name;
        if (name == QLatin1String("Blocked"))
            writeFile(folder, "a file where the folder belongs");
        else if (name != QLatin1String("Closed"))
            QDir().mkpath(folder);
        if (name == QLatin1String("Loop"))
            QVERIFY(QFile::link(expectedFile(name), expectedFile(name)));
        if (name == QLatin1String("Closed"))
            writeFile(expectedFile(name), "[Settings]\n");
        QFile::setPermissions(folder, name == QLatin1String("Closed")
                                          ? QFileDevice::Permissions()
                                          : QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QtSettingsStore store(name);
        QCOMPARE(store.value(Section, key()), std::nullopt);
        QVERIFY(!store.setValue(Section, key(), QStringLiteral("x")));
        store.flush();
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void unreadableFile()
    {
        const FilePermissionsBind permissionsBind;
        const QString name = QStringLiteral("Unreadable");
        writeFile(expectedFile(name), "[Settings]\n%99%CA%C7%B6%C9%BE%C4%C3=x\n");
        QFile::setPermissions(expectedFile(name), QFileDevice::Permissions());
        QtSettingsStore store(name);
        QCOMPARE(store.value(Section, key()), std::nullopt);
        QVERIFY(!store.setValue(Section, key(), QStringLiteral("y")));
        QFile::setPermissions(expectedFile(name), QFile::ReadOwner | QFile::WriteOwner);
    }

    void unwritableDirectory()
    {
        const FilePermissionsBind permissionsBind;
        const QString name = QStringLiteral("Unwritable");
        const QString directory = configHome() + QLatin1Char('/') + name;
        QDir().mkpath(directory);
        QFile::setPermissions(directory, QFile::ReadOwner | QFile::ExeOwner);
        QtSettingsStore store(name);
        QCOMPARE(store.value(Section, key()), std::optional<QString>(QString()));
        QVERIFY(!store.setValue(Section, key(), QStringLiteral("y")));
        QFile::setPermissions(directory, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void readOnlyFile()
    {
        const FilePermissionsBind permissionsBind;
        const QString name = QStringLiteral("ReadOnly");
        writeFile(expectedFile(name), "[Settings]\n%99%CA%C7%B6%C9%BE%C4%C3=x\n");
        QFile::setPermissions(expectedFile(name), QFile::ReadOwner);
        QtSettingsStore store(name);
        QCOMPARE(store.value(Section, key()), std::optional<QString>(QStringLiteral("x")));
        QVERIFY(!store.setValue(Section, key(), QStringLiteral("y")));
        QFile::setPermissions(expectedFile(name), QFile::ReadOwner | QFile::WriteOwner);
    }
};

QTEST_GUILESS_MAIN(TestQtSettingsStore)
#include "tst_qtsettingsstore.moc"
